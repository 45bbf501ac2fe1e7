#include "platform/ui/ExtCtrls.h"

#include "platform/ui/Forms.h"

#include <QTimer>

#include <algorithm>

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {}

TTimer::~TTimer() {
  if (!FTimer) return;
  // A timer may be freed by its own handler, inside the toolkit's signal.
  FTimer->stop();
  QObject::disconnect(FTimer, nullptr, nullptr, nullptr);
  FTimer->deleteLater();
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

bool TTimer::Running() const { return FTimer && FTimer->isActive(); }

void TTimer::UpdateTimer() {
  if (!FEnabled || FInterval == 0 || !FOnTimer) {
    if (FTimer) FTimer->stop();
    return;
  }
  if (!FTimer) {
    Forms::EnsureToolkit();
    FTimer = new QTimer();
    QObject::connect(FTimer, &QTimer::timeout, [this] { Application->Dispatch(this, [this] { Timer(); }); });
  }
  // Setting the interval or enabling again starts the count afresh.
  FTimer->start(static_cast<int>(std::min<unsigned>(FInterval, 0x7FFFFFFF)));
}

void TTimer::Timer() {
  if (FEnabled && FOnTimer) FOnTimer(this);
}

// ---------------------------------------------------------------- TPanel

namespace {

// Draws a bevel frame inside R and shrinks R by Width.
void DrawBevel(TCanvas& Canvas, TRect& R, TPanelBevel Bevel, int Width) {
  if (Bevel == TPanelBevel::bvNone) return;
  TColor topLeft = Bevel == TPanelBevel::bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = Bevel == TPanelBevel::bvLowered ? clBtnHighlight : clBtnShadow;
  if (Bevel == TPanelBevel::bvSpace) topLeft = bottomRight = clBtnFace;
  for (int i = 0; i < Width; ++i) {
    Canvas.Pen->SetColor(topLeft);
    Canvas.MoveTo(R.Left, R.Bottom - 1);
    Canvas.LineTo(R.Left, R.Top);
    Canvas.LineTo(R.Right - 1, R.Top);
    Canvas.Pen->SetColor(bottomRight);
    Canvas.LineTo(R.Right - 1, R.Bottom - 1);
    Canvas.LineTo(R.Left - 1, R.Bottom - 1);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

}  // namespace

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 185, 41); }

void TPanel::AdjustClientRect(TRect& Rect) const {
  TCustomControl::AdjustClientRect(Rect);
  int bevels = (BevelOuter != TPanelBevel::bvNone ? BevelWidth : 0) + (BevelInner != TPanelBevel::bvNone ? BevelWidth : 0);
  Rect = ::Rect(Rect.Left + bevels, Rect.Top + bevels, Rect.Right - bevels, Rect.Bottom - bevels);
}

void TPanel::Paint() {
  TCanvas& c = *GetCanvas();
  TRect r = GetClientRect();
  c.Pen->SetStyle(psSolid);
  c.Pen->SetWidth(1);
  c.Pen->SetMode(pmCopy);
  DrawBevel(c, r, BevelOuter, BevelWidth);
  r = Rect(r.Left + BorderWidth, r.Top + BorderWidth, r.Right - BorderWidth, r.Bottom - BorderWidth);
  DrawBevel(c, r, BevelInner, BevelWidth);
  const std::string caption = GetCaption();
  if (!caption.empty()) {
    c.Brush->SetStyle(bsClear);
    c.Font->Assign(*GetFont());
    const TSize size = c.TextExtent(caption);
    const int x = Alignment == TAlignment::taLeftJustify    ? r.Left
                  : Alignment == TAlignment::taRightJustify ? r.Right - size.cx
                                                            : r.Left + (r.Width() - size.cx) / 2;
    c.TextOut(x, r.Top + (r.Height() - size.cy) / 2, caption);
  }
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- TPaintBox, TBevel

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::Paint() {
  TCanvas& c = *GetCanvas();
  const TColor first = Raised ? clBtnHighlight : clBtnShadow;
  const TColor second = Raised ? clBtnShadow : clBtnHighlight;
  const int w = GetWidth(), h = GetHeight();
  auto line = [&c](TColor color, int x1, int y1, int x2, int y2) {
    c.Pen->SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  switch (Shape) {
    case TBevelShape::bsBox:
    case TBevelShape::bsFrame:
      line(first, 0, h - 1, 0, 0);
      line(first, 0, 0, w - 1, 0);
      line(second, w - 1, 0, w - 1, h - 1);
      line(second, w - 1, h - 1, 0, h - 1);
      break;
    case TBevelShape::bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case TBevelShape::bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case TBevelShape::bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case TBevelShape::bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case TBevelShape::bsSpacer: break;
  }
  TGraphicControl::Paint();
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TPicture*) { PictureChanged(); };
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (FAutoSize && !FPicture->Empty()) SetBounds(GetLeft(), GetTop(), FPicture->GetWidth(), FPicture->GetHeight());
  Invalidate();
}

TRect TImage::DestRect() const {
  const int pw = FPicture->GetWidth(), ph = FPicture->GetHeight();
  const int cw = GetWidth(), ch = GetHeight();
  int w = pw, h = ph;
  if (Stretch || (Proportional && (pw > cw || ph > ch))) {
    if (Proportional && pw > 0 && ph > 0) {
      // The larger side fits; the other keeps the picture's proportions.
      if (static_cast<long long>(cw) * ph > static_cast<long long>(ch) * pw) {
        h = ch;
        w = static_cast<int>(static_cast<long long>(ch) * pw / ph);
      } else {
        w = cw;
        h = static_cast<int>(static_cast<long long>(cw) * ph / pw);
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  const int x = Center ? (cw - w) / 2 : 0;
  const int y = Center ? (ch - h) / 2 : 0;
  return Bounds(x, y, w, h);
}

void TImage::Paint() {
  if (TGraphic* g = FPicture->GetGraphic(); g && !g->GetEmpty()) {
    const TRect r = DestRect();
    if (r.Width() == g->GetWidth() && r.Height() == g->GetHeight())
      GetCanvas()->Draw(r.Left, r.Top, g);
    else
      GetCanvas()->StretchDraw(r, g);
  }
  TGraphicControl::Paint();
}

// ---------------------------------------------------------------- TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(TAlign::alLeft);
  SetCursor(crHSplit);
}

void TSplitter::UpdateCursor() {
  const bool vertical = GetAlign() == TAlign::alTop || GetAlign() == TAlign::alBottom;
  SetCursor(vertical ? crVSplit : crHSplit);
}

void TSplitter::Paint() {
  UpdateCursor();
  TGraphicControl::Paint();
}

TControl* TSplitter::FindControl() const {
  TWinControl* parent = GetParent();
  if (!parent) return nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->GetControl(i);
    if (c == this || !c->GetVisible() || c->GetAlign() != GetAlign()) continue;
    const TRect r = c->GetBoundsRect();
    switch (GetAlign()) {
      case TAlign::alTop:
        if (r.Bottom == GetTop()) return c;
        break;
      case TAlign::alBottom:
        if (r.Top == GetTop() + GetHeight()) return c;
        break;
      case TAlign::alLeft:
        if (r.Right == GetLeft()) return c;
        break;
      case TAlign::alRight:
        if (r.Left == GetLeft() + GetWidth()) return c;
        break;
      default: break;
    }
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  FControl = FindControl();
  FDownPos = ClientToScreen(TPoint(X, Y));
  if (FControl) {
    const bool vertical = GetAlign() == TAlign::alTop || GetAlign() == TAlign::alBottom;
    FStartSize = vertical ? FControl->GetHeight() : FControl->GetWidth();
  }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FControl || !Shift.Contains(TShiftStateItem::ssLeft)) return;
  const TPoint now = ClientToScreen(TPoint(X, Y));
  const bool vertical = GetAlign() == TAlign::alTop || GetAlign() == TAlign::alBottom;
  int delta = vertical ? now.Y - FDownPos.Y : now.X - FDownPos.X;
  if (GetAlign() == TAlign::alBottom || GetAlign() == TAlign::alRight) delta = -delta;
  // The most the control may take: the parent's extent less every other aligned control on this axis.
  TWinControl* parent = GetParent();
  int limit = vertical ? parent->GetClientHeight() : parent->GetClientWidth();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->GetControl(i);
    if (c == FControl || !c->GetVisible()) continue;
    const TAlign a = c->GetAlign();
    if (vertical && (a == TAlign::alTop || a == TAlign::alBottom)) limit -= c->GetHeight();
    if (!vertical && (a == TAlign::alLeft || a == TAlign::alRight)) limit -= c->GetWidth();
  }
  const int size = std::max(std::min(FStartSize + delta, limit), std::min(MinSize, std::max(limit, 0)));
  if (vertical)
    FControl->SetHeight(size);
  else
    FControl->SetWidth(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft || !FControl) return;
  const bool vertical = GetAlign() == TAlign::alTop || GetAlign() == TAlign::alBottom;
  const int size = vertical ? FControl->GetHeight() : FControl->GetWidth();
  FControl = nullptr;
  if (size != FStartSize && OnMoved) OnMoved(this);
}

// ---------------------------------------------------------------- TRadioGroup

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  FItems->OnChange = [this](TObject*) { ItemsChanged(); };
}

TRadioGroup::~TRadioGroup() { FItems->OnChange = nullptr; }

TRadioButton* TRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FButtons.size()))
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FButtons[static_cast<size_t>(Index)];
}

void TRadioGroup::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  FUpdating = true;
  for (size_t i = 0; i < FButtons.size(); ++i) FButtons[i]->SetChecked(static_cast<int>(i) == Value);
  FUpdating = false;
  Click();
}

void TRadioGroup::SetColumns(int Value) {
  FColumns = std::clamp(Value, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::ItemsChanged() {
  while (static_cast<int>(FButtons.size()) > FItems->Count()) {
    FButtons.back()->Free();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < FItems->Count()) {
    auto* button = Create<TRadioButton>(nullptr);
    const int index = static_cast<int>(FButtons.size());
    button->OnClick = [this, index](TObject*) {
      if (!FUpdating) SetItemIndex(index);
    };
    button->SetParent(this);
    FButtons.push_back(button);
  }
  FUpdating = true;
  for (size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i]->SetCaption(FItems->Get(static_cast<int>(i)));
    FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
  }
  FUpdating = false;
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  ArrangeButtons();
}

void TRadioGroup::Resize() {
  TGroupBox::Resize();
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (FButtons.empty()) return;
  TRect r = GetClientRect();
  AdjustClientRect(r);
  const int count = static_cast<int>(FButtons.size());
  const int rows = (count + FColumns - 1) / FColumns;
  const int columnWidth = std::max(r.Width() - 8, 0) / FColumns;
  const int rowHeight = std::max(r.Height(), 0) / std::max(rows, 1);
  for (int i = 0; i < count; ++i) {
    const int col = i / rows, row = i % rows;
    FButtons[static_cast<size_t>(i)]->SetBounds(r.Left + 8 + col * columnWidth, r.Top + row * rowHeight,
                                                std::max(columnWidth, 0), std::max(std::min(rowHeight, 17), 0));
  }
}
