#include "platform/ui/StdCtrls.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace {

template <class W>
W* WidgetAs(QWidget* Widget) {
  return static_cast<W*>(Widget);
}

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '\r' || Text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
    } else {
      line += Text[i];
    }
  }
  lines.push_back(line);
  return lines;
}

// Height of a line of text in Font.
int LineHeight(const TFont& Font) {
  TBitmap probe(1, 1);
  probe.GetCanvas()->Font->Assign(Font);
  return probe.GetCanvas()->TextHeight("Wg");
}

}  // namespace

// ---------------------------------------------------------------- TLabel

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAutoSize(bool Value) {
  FAutoSize = Value;
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || WordWrap) return;
  TBitmap probe(1, 1);
  TCanvas& c = *probe.GetCanvas();
  c.Font->Assign(*GetFont());
  const std::string text = ShowAccelChar ? Menus::StripHotkey(GetCaption()) : GetCaption();
  int width = 0;
  const std::vector<std::string> lines = SplitLines(text);
  for (const std::string& line : lines) width = std::max(width, c.TextWidth(line));
  const int height = c.TextHeight("Wg") * static_cast<int>(lines.size());
  // A right-aligned label keeps its right edge.
  const int left = Alignment == TAlignment::taRightJustify ? GetLeft() + GetWidth() - width : GetLeft();
  SetBounds(left, GetTop(), width, height);
}

void TLabel::Paint() {
  TCanvas& c = *GetCanvas();
  if (Transparent && GetParent()) {
    c.Brush->SetColor(GetParent()->GetColor());
    c.Brush->SetStyle(bsSolid);
    c.FillRect(GetClientRect());
  }
  c.Brush->SetStyle(bsClear);
  c.Font->Assign(*GetFont());
  if (!GetEnabled()) c.Font->SetColor(clGrayText);
  const std::string text = ShowAccelChar ? Menus::StripHotkey(GetCaption()) : GetCaption();
  const std::vector<std::string> lines = SplitLines(text);
  const int lineHeight = c.TextHeight("Wg");
  const int total = lineHeight * static_cast<int>(lines.size());
  int y = Layout == TTextLayout::tlTop      ? 0
          : Layout == TTextLayout::tlBottom ? GetHeight() - total
                                            : (GetHeight() - total) / 2;
  for (const std::string& line : lines) {
    const int w = c.TextWidth(line);
    const int x = Alignment == TAlignment::taLeftJustify  ? 0
                  : Alignment == TAlignment::taRightJustify ? GetWidth() - w
                                                            : (GetWidth() - w) / 2;
    c.TextOut(x, y, line);
    y += lineHeight;
  }
  TGraphicControl::Paint();
}

// ---------------------------------------------------------------- TEdit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TEdit::SetText(const std::string& Value) {
  std::string text = MaxLength > 0 && static_cast<int>(Value.size()) > MaxLength ? Value.substr(0, MaxLength) : Value;
  if (text == GetText()) return;
  TWinControl::SetText(text);
  if (FWidget) {
    QSignalBlocker block(FWidget);
    auto* edit = WidgetAs<QLineEdit>(FWidget);
    if (UiBridge::FromQ(edit->text()) != text) edit->setText(UiBridge::ToQ(text));
  }
  Change();
}

void TEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (FWidget) WidgetAs<QLineEdit>(FWidget)->setReadOnly(Value);
}

void TEdit::SelectAll() {
  if (FWidget) WidgetAs<QLineEdit>(FWidget)->selectAll();
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

QWidget* TEdit::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QLineEdit>(this, ParentWidget);
  QObject::connect(w, &QLineEdit::textEdited, w, [this](const QString& text) {
    Application->Dispatch(this, [&] { SetText(UiBridge::FromQ(text)); }, false);
  });
  return w;
}

void TEdit::InitWidget() {
  TWinControl::InitWidget();
  auto* edit = WidgetAs<QLineEdit>(FWidget);
  QSignalBlocker block(edit);
  edit->setText(UiBridge::ToQ(GetText()));
  edit->setReadOnly(FReadOnly);
  if (MaxLength > 0) edit->setMaxLength(MaxLength);
  if (PasswordChar != '\0') edit->setEchoMode(QLineEdit::Password);
}

// ---------------------------------------------------------------- TMemo

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner), FLines(std::make_unique<TStringList>()) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 185, 89);
  FLines->OnChange = [this](TObject*) { LinesChanged(); };
}

TMemo::~TMemo() { FLines->OnChange = nullptr; }

std::string TMemo::GetText() const { return FLines->GetText(); }

void TMemo::SetText(const std::string& Value) { FLines->SetText(Value); }

void TMemo::LinesChanged() {
  if (FWidget && !FSyncing) {
    QSignalBlocker block(FWidget);
    WidgetAs<QPlainTextEdit>(FWidget)->setPlainText(UiBridge::ToQ(FLines->GetText()));
  }
  if (OnChange) OnChange(this);
}

QWidget* TMemo::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QPlainTextEdit>(this, ParentWidget);
  QObject::connect(w, &QPlainTextEdit::textChanged, w, [this, w] {
    Application->Dispatch(
        this,
        [&] {
          FSyncing = true;
          struct TEnd {
            bool& Flag;
            ~TEnd() { Flag = false; }
          } end{FSyncing};
          FLines->SetText(UiBridge::FromQ(w->toPlainText()));
        },
        false);
  });
  return w;
}

void TMemo::InitWidget() {
  TWinControl::InitWidget();
  auto* memo = WidgetAs<QPlainTextEdit>(FWidget);
  QSignalBlocker block(memo);
  memo->setPlainText(UiBridge::ToQ(FLines->GetText()));
  memo->setReadOnly(ReadOnly);
  memo->setLineWrapMode(WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  const bool h = ScrollBars == TScrollStyle::ssHorizontal || ScrollBars == TScrollStyle::ssBoth;
  const bool v = ScrollBars == TScrollStyle::ssVertical || ScrollBars == TScrollStyle::ssBoth;
  memo->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  memo->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

// ---------------------------------------------------------------- buttons

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::TextChanged() {
  if (auto* b = dynamic_cast<QAbstractButton*>(FWidget)) b->setText(UiBridge::ToQ(GetCaption()));
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 75, 25); }

void TButton::Click() {
  if (ModalResult != mrNone)
    if (TForm* form = GetParentForm()) form->SetModalResult(ModalResult);
  TButtonControl::Click();
}

QWidget* TButton::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QPushButton>(this, ParentWidget);
  w->setText(UiBridge::ToQ(GetCaption()));
  QObject::connect(w, &QPushButton::clicked, w, [this] { Application->Dispatch(this, [this] { Click(); }); });
  return w;
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == TCheckBoxState::cbGrayed && !AllowGrayed) Value = TCheckBoxState::cbUnchecked;
  if (Value == FState) return;
  FState = Value;
  if (FWidget) {
    QSignalBlocker block(FWidget);
    WidgetAs<QCheckBox>(FWidget)->setCheckState(Value == TCheckBoxState::cbChecked   ? Qt::Checked
                                                : Value == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                                                    : Qt::Unchecked);
  }
  Click();
}

QWidget* TCheckBox::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QCheckBox>(this, ParentWidget);
  QObject::connect(w, &QCheckBox::clicked, w, [this, w] {
    Application->Dispatch(this, [&] {
      const Qt::CheckState s = w->checkState();
      SetState(s == Qt::Checked            ? TCheckBoxState::cbChecked
               : s == Qt::PartiallyChecked ? TCheckBoxState::cbGrayed
                                           : TCheckBoxState::cbUnchecked);
    });
  });
  return w;
}

void TCheckBox::InitWidget() {
  TButtonControl::InitWidget();
  auto* box = WidgetAs<QCheckBox>(FWidget);
  QSignalBlocker block(box);
  box->setText(UiBridge::ToQ(GetCaption()));
  box->setTristate(AllowGrayed);
  box->setCheckState(FState == TCheckBoxState::cbChecked  ? Qt::Checked
                     : FState == TCheckBoxState::cbGrayed ? Qt::PartiallyChecked
                                                          : Qt::Unchecked);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  if (FWidget) {
    QSignalBlocker block(FWidget);
    WidgetAs<QRadioButton>(FWidget)->setChecked(Value);
  }
  if (!Value) return;
  if (TWinControl* parent = GetParent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(parent->GetControl(i)); other && other != this)
        other->SetChecked(false);
  Click();
}

QWidget* TRadioButton::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QRadioButton>(this, ParentWidget);
  // The control keeps the group rule itself (same parent); a click never unchecks.
  w->setAutoExclusive(false);
  QObject::connect(w, &QRadioButton::clicked, w, [this, w] {
    if (!w->isChecked()) {
      QSignalBlocker block(w);
      w->setChecked(true);
    }
    Application->Dispatch(this, [this] { SetChecked(true); });
  });
  return w;
}

void TRadioButton::InitWidget() {
  TButtonControl::InitWidget();
  auto* radio = WidgetAs<QRadioButton>(FWidget);
  QSignalBlocker block(radio);
  radio->setText(UiBridge::ToQ(GetCaption()));
  radio->setChecked(FChecked);
}

// ---------------------------------------------------------------- lists

TCustomListControl::TCustomListControl(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TStringList>()) {
  SetColor(clWindow);
  SetTabStop(true);
  FItems->OnChange = [this](TObject*) {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    ItemsChanged();
  };
}

TCustomListControl::~TCustomListControl() { FItems->OnChange = nullptr; }

void TCustomListControl::SetItemIndex(int Value) {
  FItemIndex = Value >= 0 && Value < FItems->Count() ? Value : -1;
}

TComboBox::TComboBox(TComponent* AOwner) : TCustomListControl(AOwner) { SetBounds(0, 0, 145, 21); }

void TComboBox::SetItemIndex(int Value) {
  TCustomListControl::SetItemIndex(Value);
  TControl::SetText(FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string());
  if (FWidget) {
    QSignalBlocker block(FWidget);
    WidgetAs<QComboBox>(FWidget)->setCurrentIndex(FItemIndex);
    if (WidgetAs<QComboBox>(FWidget)->isEditable())
      WidgetAs<QComboBox>(FWidget)->setEditText(UiBridge::ToQ(GetText()));
  }
}

void TComboBox::SetText(const std::string& Value) {
  const int index = FItems->IndexOf(Value);
  if (Style == TComboBoxStyle::csDropDownList) {
    // Only an item's text can be chosen.
    if (index >= 0) SetItemIndex(index);
    return;
  }
  FItemIndex = index;
  TControl::SetText(Value);
  if (FWidget && !FSyncing) {
    QSignalBlocker block(FWidget);
    WidgetAs<QComboBox>(FWidget)->setCurrentIndex(index);
    WidgetAs<QComboBox>(FWidget)->setEditText(UiBridge::ToQ(Value));
  }
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::ItemsChanged() {
  if (!FWidget) return;
  auto* combo = WidgetAs<QComboBox>(FWidget);
  QSignalBlocker block(combo);
  combo->clear();
  for (int i = 0; i < FItems->Count(); ++i) combo->addItem(UiBridge::ToQ(FItems->Get(i)));
  combo->setCurrentIndex(FItemIndex);
  if (combo->isEditable()) combo->setEditText(UiBridge::ToQ(GetText()));
}

QWidget* TComboBox::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QComboBox>(this, ParentWidget);
  QObject::connect(w, &QComboBox::activated, w, [this](int index) {
    Application->Dispatch(this, [&] {
      SetItemIndex(index);
      Change();
      if (OnSelect) OnSelect(this);
    });
  });
  QObject::connect(w, &QComboBox::editTextChanged, w, [this](const QString& text) {
    if (FSyncing) return;
    Application->Dispatch(
        this,
        [&] {
          FSyncing = true;
          struct TEnd {
            bool& Flag;
            ~TEnd() { Flag = false; }
          } end{FSyncing};
          if (UiBridge::FromQ(text) == GetText()) return;
          SetText(UiBridge::FromQ(text));
          Change();
        },
        false);
  });
  return w;
}

void TComboBox::InitWidget() {
  TCustomListControl::InitWidget();
  auto* combo = WidgetAs<QComboBox>(FWidget);
  QSignalBlocker block(combo);
  combo->setEditable(Style == TComboBoxStyle::csDropDown || Style == TComboBoxStyle::csSimple);
  combo->setMaxVisibleItems(DropDownCount);
  ItemsChanged();
}

TListBox::TListBox(TComponent* AOwner) : TCustomListControl(AOwner) { SetBounds(0, 0, 121, 97); }

void TListBox::SetItemIndex(int Value) {
  TCustomListControl::SetItemIndex(Value);
  if (!MultiSelect) std::fill(FSelected.begin(), FSelected.end(), false);
  FSelected.resize(static_cast<size_t>(FItems->Count()), false);
  if (FItemIndex >= 0) FSelected[static_cast<size_t>(FItemIndex)] = true;
  if (FWidget) {
    QSignalBlocker block(FWidget);
    WidgetAs<QListWidget>(FWidget)->setCurrentRow(FItemIndex);
  }
}

bool TListBox::GetSelected(int Index) const {
  if (Index < 0 || Index >= FItems->Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return static_cast<size_t>(Index) < FSelected.size() && FSelected[static_cast<size_t>(Index)];
}

void TListBox::SetSelected(int Index, bool Value) {
  GetSelected(Index);  // checks the index
  FSelected.resize(static_cast<size_t>(FItems->Count()), false);
  if (!MultiSelect && Value) std::fill(FSelected.begin(), FSelected.end(), false);
  FSelected[static_cast<size_t>(Index)] = Value;
  if (Value) FItemIndex = Index;
  if (FWidget) {
    QSignalBlocker block(FWidget);
    if (QListWidgetItem* item = WidgetAs<QListWidget>(FWidget)->item(Index)) item->setSelected(Value);
  }
}

int TListBox::SelCount() const {
  if (!MultiSelect) return -1;
  return static_cast<int>(std::count(FSelected.begin(), FSelected.end(), true));
}

int TListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  if (FWidget) {
    auto* list = WidgetAs<QListWidget>(FWidget);
    int row = list->row(list->itemAt(QPoint(Pos.X, Pos.Y)));
    if (row >= 0 || Existing) return row;
    return FItems->Count();
  }
  if (Pos.Y < 0 || ItemHeight <= 0) return -1;
  const int row = Pos.Y / ItemHeight;
  if (row < FItems->Count()) return row;
  return Existing ? -1 : FItems->Count();
}

void TListBox::ItemsChanged() {
  FSelected.resize(static_cast<size_t>(FItems->Count()), false);
  if (!FWidget) return;
  auto* list = WidgetAs<QListWidget>(FWidget);
  QSignalBlocker block(list);
  list->clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    list->addItem(UiBridge::ToQ(FItems->Get(i)));
    list->item(i)->setSelected(FSelected[static_cast<size_t>(i)]);
  }
  list->setCurrentRow(FItemIndex);
}

QWidget* TListBox::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QListWidget>(this, ParentWidget);
  QObject::connect(w, &QListWidget::itemSelectionChanged, w, [this, w] {
    Application->Dispatch(this, [&] {
      FSelected.assign(static_cast<size_t>(FItems->Count()), false);
      for (QListWidgetItem* item : w->selectedItems()) {
        const int row = w->row(item);
        if (row >= 0 && row < FItems->Count()) FSelected[static_cast<size_t>(row)] = true;
      }
      FItemIndex = w->currentRow();
      Click();
    });
  });
  return w;
}

void TListBox::InitWidget() {
  TCustomListControl::InitWidget();
  WidgetAs<QListWidget>(FWidget)->setSelectionMode(MultiSelect ? QAbstractItemView::ExtendedSelection
                                                               : QAbstractItemView::SingleSelection);
  ItemsChanged();
}

// ---------------------------------------------------------------- TScrollBar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 121, 17); }

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  SetBounds(GetLeft(), GetTop(), GetHeight(), GetWidth());
  if (FWidget)
    WidgetAs<QScrollBar>(FWidget)->setOrientation(Value == TScrollBarKind::sbHorizontal ? Qt::Horizontal
                                                                                        : Qt::Vertical);
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin) throw EInvalidOperation("Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  const bool changed = APosition != FPosition;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  if (FWidget && !FSyncing) {
    QSignalBlocker block(FWidget);
    auto* bar = WidgetAs<QScrollBar>(FWidget);
    bar->setRange(FMin, std::max(FMin, FMax - std::max(FPageSize - 1, 0)));
    bar->setValue(FPosition);
  }
  if (changed && OnChange) OnChange(this);
}

void TScrollBar::SetPageSize(int Value) {
  FPageSize = std::max(Value, 0);
  SetParams(FPosition, FMin, FMax);
}

QWidget* TScrollBar::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QScrollBar>(this, ParentWidget);
  QObject::connect(w, &QScrollBar::actionTriggered, w, [this, w](int action) {
    TScrollCode code;
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::scLineDown; break;
      case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::scLineUp; break;
      case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::scPageDown; break;
      case QAbstractSlider::SliderPageStepSub: code = TScrollCode::scPageUp; break;
      case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
      case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
      case QAbstractSlider::SliderMove: code = TScrollCode::scTrack; break;
      default: return;
    }
    int pos = w->sliderPosition();
    Application->Dispatch(this, [&] {
      if (OnScroll) OnScroll(this, code, pos);
      SetPosition(pos);
    });
  });
  return w;
}

void TScrollBar::InitWidget() {
  TWinControl::InitWidget();
  auto* bar = WidgetAs<QScrollBar>(FWidget);
  QSignalBlocker block(bar);
  bar->setOrientation(FKind == TScrollBarKind::sbHorizontal ? Qt::Horizontal : Qt::Vertical);
  bar->setSingleStep(SmallChange);
  bar->setPageStep(std::max(LargeChange, FPageSize));
  SetParams(FPosition, FMin, FMax);
}

// ---------------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 105); }

void TGroupBox::AdjustClientRect(TRect& Rect) const {
  TCustomControl::AdjustClientRect(Rect);
  Rect.Left += 2;
  Rect.Right -= 2;
  Rect.Bottom -= 2;
  Rect.Top += LineHeight(*GetFont()) + 2;
}

void TGroupBox::Paint() {
  TCanvas& c = *GetCanvas();
  c.Font->Assign(*GetFont());
  const int h = c.TextHeight("Wg");
  // An etched frame: shadow line with a highlight beside it.
  c.Brush->SetStyle(bsClear);
  c.Pen->SetColor(clBtnHighlight);
  c.Rectangle(1, h / 2 + 1, GetWidth(), GetHeight());
  c.Pen->SetColor(clBtnShadow);
  c.Rectangle(0, h / 2, GetWidth() - 1, GetHeight() - 1);
  const std::string caption = Menus::StripHotkey(GetCaption());
  if (!caption.empty()) {
    c.Brush->SetColor(GetColor());
    c.Brush->SetStyle(bsSolid);
    const int w = c.TextWidth(caption);
    c.FillRect(Rect(6, 0, 6 + w + 4, h));
    c.Brush->SetStyle(bsClear);
    if (!GetEnabled()) c.Font->SetColor(clGrayText);
    c.TextOut(8, 0, caption);
  }
  TCustomControl::Paint();
}
