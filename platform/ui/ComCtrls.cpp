#include "platform/ui/ComCtrls.h"

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"

#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <QSlider>
#include <QTabBar>

#include <algorithm>

// ---------------------------------------------------------------- TTrackBar

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::SetMin(int Value) {
  FMin = Value;
  FMax = std::max(FMax, FMin);
  SetPosition(FPosition);
  Sync();
}

void TTrackBar::SetMax(int Value) {
  FMax = Value;
  FMin = std::min(FMin, FMax);
  SetPosition(FPosition);
  Sync();
}

void TTrackBar::SetPosition(int Value) {
  Value = std::clamp(Value, FMin, FMax);
  if (Value == FPosition) return;
  FPosition = Value;
  Sync();
  if (OnChange) OnChange(this);
}

void TTrackBar::Sync() {
  if (!FWidget) return;
  auto* slider = static_cast<QSlider*>(FWidget);
  QSignalBlocker block(slider);
  slider->setRange(FMin, FMax);
  slider->setValue(FPosition);
  slider->setSingleStep(std::max(LineSize, 1));
  slider->setPageStep(std::max(PageSize, 1));
  slider->setTickInterval(std::max(Frequency, 1));
}

QWidget* TTrackBar::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QSlider>(this, ParentWidget);
  QObject::connect(w, &QSlider::valueChanged, w,
                   [this](int value) { Application->Dispatch(this, [&] { SetPosition(value); }); });
  return w;
}

void TTrackBar::InitWidget() {
  TWinControl::InitWidget();
  auto* slider = static_cast<QSlider*>(FWidget);
  slider->setOrientation(Orientation == TTrackBarOrientation::trHorizontal ? Qt::Horizontal : Qt::Vertical);
  slider->setTickPosition(QSlider::TicksBelow);
  Sync();
}

// ---------------------------------------------------------------- TUpDown

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 17, 21); }

int TUpDown::Clamped(int Value) const { return std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax)); }

void TUpDown::SetMin(int Value) {
  FMin = Value;
  SetPosition(FPosition);
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  SetPosition(FPosition);
}

int TUpDown::GetPosition() const {
  // The edit is what the person sees and types into; a number there wins.
  if (const TEdit* edit = FAssociate.Get()) {
    int value = 0;
    if (SysUtils::TryStrToInt(SysUtils::Trim(edit->GetText()), value)) return Clamped(value);
  }
  return FPosition;
}

void TUpDown::SetPosition(int Value) {
  FPosition = Clamped(Value);
  ShowInAssociate();
}

void TUpDown::ShowInAssociate() {
  TEdit* edit = FAssociate.Get();
  if (!edit) return;
  const std::string text = std::to_string(FPosition);
  if (edit->GetText() != text) edit->SetText(text);
}

void TUpDown::SetAssociate(TEdit* Value) {
  if (Value == FAssociate.Get()) return;
  FAssociate = Value;
  if (!Value) return;
  if (TWinControl* parent = Value->GetParent()) {
    const int width = std::min(GetWidth(), std::max(Value->GetWidth() - 1, 0));
    Value->SetBounds(Value->GetLeft(), Value->GetTop(), Value->GetWidth() - width, Value->GetHeight());
    SetParent(parent);
    SetBounds(Value->GetLeft() + Value->GetWidth(), Value->GetTop(), width, Value->GetHeight());
  }
  ShowInAssociate();
}

void TUpDown::ButtonClick(TUDBtnType Button) {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  const int lo = std::min(FMin, FMax), hi = std::max(FMin, FMax);
  // Widened so that a step near the integer limits cannot overflow.
  const long long step = Button == TUDBtnType::btNext ? FIncrement : -static_cast<long long>(FIncrement);
  const long long next = static_cast<long long>(GetPosition()) + step;
  int value;
  if (next > hi)
    value = Wrap ? lo : hi;
  else if (next < lo)
    value = Wrap ? hi : lo;
  else
    value = static_cast<int>(next);
  SetPosition(value);
  if (OnClick) OnClick(this, Button);
}

QWidget* TUpDown::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QWidget>(this, ParentWidget);
  auto* layout = new QVBoxLayout(w);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (TUDBtnType button : {TUDBtnType::btNext, TUDBtnType::btPrev}) {
    auto* arrow = new QToolButton(w);
    arrow->setArrowType(button == TUDBtnType::btNext ? Qt::UpArrow : Qt::DownArrow);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setObjectName(button == TUDBtnType::btNext ? "up" : "down");
    layout->addWidget(arrow);
    QObject::connect(arrow, &QToolButton::clicked, w,
                     [this, button] { Application->Dispatch(this, [&] { ButtonClick(button); }); });
  }
  return w;
}

// ---------------------------------------------------------------- TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) { SetVisibleField(false); }

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value) Value->InsertPage(this);
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  auto& pages = FPageControl->FPages;
  auto it = std::find(pages.begin(), pages.end(), this);
  if (it == pages.end()) return;
  pages.erase(it);
  const int index = std::clamp(Value, 0, static_cast<int>(pages.size()));
  pages.insert(pages.begin() + index, this);
  FPageControl->UpdateTabs();
  FPageControl->Realign();
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  FTabVisible = Value;
  if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::TextChanged() {
  if (FPageControl) FPageControl->UpdateTabs();
}

// ---------------------------------------------------------------- TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FPages[static_cast<size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  if (!FActive) FActive = Page;
  UpdateTabs();
  Realign();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  const size_t index = static_cast<size_t>(it - FPages.begin());
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActive == Page) FActive = FPages.empty() ? nullptr : FPages[std::min(index, FPages.size() - 1)];
  if (!ComponentState.Contains(TComponentStateItem::csDestroying)) {
    UpdateTabs();
    Realign();
  }
}

int TPageControl::GetActivePageIndex() const {
  auto it = std::find(FPages.begin(), FPages.end(), FActive);
  return it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
}

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) return;
  if (Page == FActive) return;
  TTabSheet* old = FActive;
  FActive = Page;
  Realign();
  UpdateTabs();
  if (old && old->OnHide) old->OnHide(old);
  if (Page && Page->OnShow) Page->OnShow(Page);
}

void TPageControl::SelectPage(TTabSheet* Page) {
  if (Page == FActive) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) {
    UpdateTabs();
    return;
  }
  SetActivePage(Page);
  if (OnChange) OnChange(this);
}

void TPageControl::AdjustClientRect(TRect& Rect) const {
  TCustomControl::AdjustClientRect(Rect);
  Rect = ::Rect(Rect.Left + 2, Rect.Top + TabHeight + 2, Rect.Right - 2, Rect.Bottom - 2);
}

void TPageControl::AlignControls(TRect Rect) {
  for (TTabSheet* page : FPages) {
    page->SetBounds(Rect.Left, Rect.Top, std::max(Rect.Width(), 0), std::max(Rect.Height(), 0));
    page->SetVisible(page == FActive);
  }
  TCustomControl::AlignControls(Rect);
}

void TPageControl::UpdateTabs() {
  if (!FTabBar) return;
  auto* bar = static_cast<QTabBar*>(FTabBar);
  QSignalBlocker block(bar);
  while (bar->count() > 0) bar->removeTab(0);
  for (TTabSheet* page : FPages) {
    const int i = bar->addTab(UiBridge::ToQ(page->GetCaption()));
    bar->setTabVisible(i, page->GetTabVisible());
  }
  bar->setCurrentIndex(GetActivePageIndex());
  bar->setGeometry(2, 0, std::max(GetWidth() - 4, 0), TabHeight + 2);
}

QWidget* TPageControl::CreateWidget(QWidget* ParentWidget) {
  QWidget* w = TCustomControl::CreateWidget(ParentWidget);
  auto* bar = new QTabBar(w);
  bar->setDrawBase(false);
  bar->setFocusPolicy(Qt::NoFocus);
  QObject::connect(bar, &QTabBar::currentChanged, bar, [this](int index) {
    if (index < 0 || index >= PageCount()) return;
    Application->Dispatch(this, [&] { SelectPage(FPages[static_cast<size_t>(index)]); });
  });
  QObject::connect(bar, &QObject::destroyed, [this] { FTabBar = nullptr; });
  FTabBar = bar;
  return w;
}

void TPageControl::InitWidget() {
  TCustomControl::InitWidget();
  UpdateTabs();
  FTabBar->raise();
}

void TPageControl::Paint() {
  TCanvas& c = *GetCanvas();
  // The frame of the page area below the tabs.
  const int top = TabHeight + 1;
  const int w = GetWidth(), h = GetHeight();
  c.Pen->SetColor(clBtnHighlight);
  c.MoveTo(0, h - 1);
  c.LineTo(0, top);
  c.LineTo(w - 1, top);
  c.Pen->SetColor(cl3DDkShadow);
  c.LineTo(w - 1, h - 1);
  c.LineTo(-1, h - 1);
  if (FTabBar) FTabBar->setGeometry(2, 0, std::max(w - 4, 0), TabHeight + 2);
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- TToolButton

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::GetToolBar() const { return dynamic_cast<TToolBar*>(GetParent()); }

void TToolButton::SetStyle(TToolButtonStyle Value) {
  FStyle = Value;
  if (Value == TToolButtonStyle::tbsSeparator || Value == TToolButtonStyle::tbsDivider) SetWidth(8);
  RequestAlign();
  Invalidate();
}

void TToolButton::SetImageIndex(int Value) {
  FImageIndex = Value;
  Invalidate();
}

void TToolButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (Value && Grouped && FStyle == TToolButtonStyle::tbsCheck)
    if (TToolBar* bar = GetToolBar()) {
      // The group is the run of grouped check buttons around this one.
      const int count = bar->ButtonCount();
      int self = 0;
      while (self < count && bar->Buttons(self) != this) ++self;
      auto member = [&](int i) {
        TToolButton* b = bar->Buttons(i);
        return b->Grouped && b->FStyle == TToolButtonStyle::tbsCheck;
      };
      auto release = [&](int i) {
        bar->Buttons(i)->FDown = false;
        bar->Buttons(i)->Invalidate();
      };
      for (int i = self - 1; i >= 0 && member(i); --i) release(i);
      for (int i = self + 1; i < count && member(i); ++i) release(i);
    }
  Invalidate();
}

void TToolButton::Click() {
  if (FStyle == TToolButtonStyle::tbsCheck) {
    if (!FDown)
      SetDown(true);
    else if (!Grouped || AllowAllUp)
      SetDown(false);
  }
  TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft && GetEnabled()) {
    FPressed = true;
    Invalidate();
  }
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPressed = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::MouseEnter() {
  FHot = true;
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TToolButton::MouseLeave() {
  FHot = false;
  Invalidate();
  TGraphicControl::MouseLeave();
}

void TToolButton::Paint() {
  TCanvas& c = *GetCanvas();
  const int w = GetWidth(), h = GetHeight();
  if (FStyle == TToolButtonStyle::tbsSeparator || FStyle == TToolButtonStyle::tbsDivider) {
    if (FStyle == TToolButtonStyle::tbsDivider) {
      c.Pen->SetColor(clBtnShadow);
      c.MoveTo(w / 2 - 1, 1);
      c.LineTo(w / 2 - 1, h - 1);
      c.Pen->SetColor(clBtnHighlight);
      c.MoveTo(w / 2, 1);
      c.LineTo(w / 2, h - 1);
    }
    return TGraphicControl::Paint();
  }
  TToolBar* bar = GetToolBar();
  const bool sunken = FDown || FPressed;
  if (sunken || FHot || (bar && !bar->Flat)) {
    c.Pen->SetColor(sunken ? clBtnShadow : clBtnHighlight);
    c.MoveTo(0, h - 1);
    c.LineTo(0, 0);
    c.LineTo(w - 1, 0);
    c.Pen->SetColor(sunken ? clBtnHighlight : clBtnShadow);
    c.LineTo(w - 1, h - 1);
    c.LineTo(-1, h - 1);
  }
  const int shift = sunken ? 1 : 0;
  TImageList* images = bar ? bar->Images.Get() : nullptr;
  if (!GetEnabled() && bar && bar->DisabledImages.Get()) images = bar->DisabledImages.Get();
  int textTop = h;
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    const bool captions = bar && bar->ShowCaptions;
    const int x = (w - images->GetWidth()) / 2 + shift;
    const int y = (captions ? 2 : (h - images->GetHeight()) / 2) + shift;
    images->Draw(&c, x, y, FImageIndex, GetEnabled());
    textTop = y + images->GetHeight() + 1;
  }
  if (bar && bar->ShowCaptions && !GetCaption().empty()) {
    const std::string caption = Menus::StripHotkey(GetCaption());
    c.Font->Assign(*GetFont());
    c.Brush->SetStyle(bsClear);
    if (!GetEnabled()) c.Font->SetColor(clGrayText);
    const TSize size = c.TextExtent(caption);
    c.TextOut((w - size.cx) / 2 + shift, std::min(textTop, h - size.cy - 2) + shift, caption);
  }
  TGraphicControl::Paint();
}

// ---------------------------------------------------------------- TToolBar

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(TAlign::alTop);
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(GetControl(i))) ++n;
  return n;
}

TToolButton* TToolBar::Buttons(int Index) const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(GetControl(i)); b && n++ == Index) return b;
  throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TToolBar::AlignControls(TRect Rect) {
  int x = Rect.Left + Indent;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* b = dynamic_cast<TToolButton*>(GetControl(i));
    if (!b || !b->GetVisible()) continue;
    const bool separator =
        b->GetStyle() == TToolButtonStyle::tbsSeparator || b->GetStyle() == TToolButtonStyle::tbsDivider;
    const int width = separator ? b->GetWidth() : ButtonWidth;
    b->SetBounds(x, Rect.Top + 2, width, ButtonHeight);
    x += width;
  }
  TCustomControl::AlignControls(Rect);
}
