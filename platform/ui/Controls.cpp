#include "platform/ui/Controls.h"

#include <map>

#include "platform/rtl/Restore.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtBridge.h"

#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QToolTip>

#include <algorithm>

int TControl::FCreationCounter = 0;

namespace {

void DetachWidget(QWidget* Widget) {
  if (auto* link = dynamic_cast<UiBridge::IControlWidget*>(Widget)) link->Control = nullptr;
}

}  // namespace

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FColor(clBtnFace), FFont((Forms::EnsureToolkit(), std::make_unique<TFont>())) {
  FCreatingOrder = ++FCreationCounter;
  FFont->OnChange = [this](TGraphicsObject*) {
    if (!FSettingFromWidget) FParentFont = false;
    FontChanged();
  };
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  if (FWidget) {
    DetachWidget(FWidget);
    delete FWidget;
    FWidget = nullptr;
  }
}

void TControl::BeforeDestruction() {
  DestroyWidget();
  if (FParent) FParent->RemoveControl(this);
  TComponent::BeforeDestruction();
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (FWidget) {
    // The widget follows to its new parent or goes; it is made again on demand.
    DestroyWidget();
  }
  FParent = AParent;
  if (FParent) {
    FParent->InsertControl(this);
    if (FParentFont) {
      TRestore<bool> guard(FSettingFromWidget, true);
      FFont->Assign(*FParent->GetFont());
    }
    if (FParent->HandleAllocated()) Handle();
  }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (Constraints.MinWidth > 0) AWidth = std::max(AWidth, Constraints.MinWidth);
  if (Constraints.MaxWidth > 0) AWidth = std::min(AWidth, Constraints.MaxWidth);
  if (Constraints.MinHeight > 0) AHeight = std::max(AHeight, Constraints.MinHeight);
  if (Constraints.MaxHeight > 0) AHeight = std::min(AHeight, Constraints.MaxHeight);
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  const bool moved = ALeft != FLeft || ATop != FTop;
  if (!sized && !moved) return;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FWidget && !FSettingFromWidget) ApplyBoundsToWidget();
  if (sized) {
    FNeedsPaint = true;
    if (auto* self = dynamic_cast<TWinControl*>(this)) self->Realign();
    Resize();
  }
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

TRect TControl::GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }

void TControl::SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }

TRect TControl::GetClientRect() const { return Rect(0, 0, FWidth, FHeight); }

int TControl::GetClientWidth() const { return GetClientRect().Width(); }

int TControl::GetClientHeight() const { return GetClientRect().Height(); }

void TControl::SetClientWidth(int Value) { SetWidth(FWidth - GetClientWidth() + Value); }

void TControl::SetClientHeight(int Value) { SetHeight(FHeight - GetClientHeight() + Value); }

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  VisibleChanged();
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
}

void TControl::VisibleChanged() {
  if (FWidget) FWidget->setVisible(FVisible);
}

bool TControl::IsShowing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (FWidget) FWidget->setEnabled(FEnabled);
  Invalidate();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent) FParent->Realign();
}

void TControl::SetText(const std::string& Value) {
  if (Value == FText) return;
  FText = Value;
  TextChanged();
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  ParentColor = false;
  if (Value == FColor) return;
  FColor = Value;
  Invalidate();
}

void TControl::SetFont(const TFont* Value) {
  if (!Value) return;
  FFont->Assign(*Value);
  FParentFont = false;
}

void TControl::SetParentFont(bool Value) {
  FParentFont = Value;
  if (Value && FParent) {
    TRestore<bool> guard(FSettingFromWidget, true);
    FFont->Assign(*FParent->GetFont());
  }
}

void TControl::FontChanged() {
  if (FWidget && !PaintsItself()) FWidget->setFont(UiBridge::ToQFont(*FFont));
  Invalidate();
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < self->ControlCount(); ++i) {
      TControl* child = self->GetControl(i);
      if (child->FParentFont) {
        TRestore<bool> guard(child->FSettingFromWidget, true);
        child->FFont->Assign(*FFont);
      }
    }
  }
}

void TControl::SetCursor(TCursor Value) {
  FCursor = Value;
  if (!FWidget) return;
  if (Value == crDefault)
    FWidget->unsetCursor();
  else
    FWidget->setCursor(UiBridge::ToQCursor(Value));
}

TPopupMenu* TControl::GetPopupMenu() const { return FPopupMenu.Get(); }

void TControl::SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }

void TControl::SetHint(const std::string& Value) { FHint = Value; }

void TControl::SetShowHint(bool Value) { FShowHint = Value; }

bool TControl::HintAt(TPoint, std::string& HintText, TRect& CursorRect) const {
  HintText = Controls::GetShortHint(FHint);
  CursorRect = GetClientRect();
  return !HintText.empty();
}

TPoint TControl::ClientOriginInForm() const {
  TPoint p;
  for (const TControl* c = this; c && c->FParent; c = c->FParent) {
    p.X += c->FLeft;
    p.Y += c->FTop;
  }
  return p;
}

TPoint TControl::ClientToScreen(const TPoint& P) const {
  if (FWidget) {
    QPoint q = FWidget->mapToGlobal(QPoint(P.X, P.Y));
    return {q.x(), q.y()};
  }
  const TControl* top = this;
  while (top->FParent) top = top->FParent;
  TPoint o = ClientOriginInForm();
  return {P.X + o.X + top->FLeft, P.Y + o.Y + top->FTop};
}

TPoint TControl::ScreenToClient(const TPoint& P) const {
  TPoint origin = ClientToScreen(TPoint(0, 0));
  return {P.X - origin.X, P.Y - origin.Y};
}

void TControl::Invalidate() {
  FNeedsPaint = true;
  if (FWidget) FWidget->update();
}

void TControl::Repaint() {
  FNeedsPaint = true;
  if (FWidget) FWidget->repaint();
}

void TControl::Update() {
  if (FWidget && FNeedsPaint) FWidget->repaint();
}

void TControl::PaintTo(TCanvas& Canvas, int X, int Y) {
  TBitmap picture(std::max(FWidth, 1), std::max(FHeight, 1));
  PaintControl(*picture.GetCanvas());
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    for (int i = 0; i < self->ControlCount(); ++i) {
      TControl* child = self->GetControl(i);
      if (child->FVisible && child->FWidth > 0 && child->FHeight > 0)
        child->PaintTo(*picture.GetCanvas(), child->FLeft, child->FTop);
    }
  }
  Canvas.Draw(X, Y, &picture);
}

void TControl::PaintTo(TBitmap& Bitmap) {
  Bitmap.SetSize(std::max(FWidth, 1), std::max(FHeight, 1));
  PaintTo(*Bitmap.GetCanvas(), 0, 0);
}

void TControl::PaintControl(TCanvas& Canvas) {
  // A native widget draws itself: its picture (without children) goes onto Canvas.
  QWidget* widget = Handle();
  TBitmap picture(std::max(FWidth, 1), std::max(FHeight, 1));
  {
    QPainter painter(&picture.Image());
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
  }
  picture.Modified();
  Canvas.Draw(0, 0, &picture);
  if (PaintsOverlay()) UiBridge::TAccess::PaintOverlay(this, Canvas);
}

void TControl::PaintThrough(TCanvas& Canvas, const std::function<void()>& Paint) {
  TRestore<TCanvas*> target(FPaintCanvas, &Canvas);
  // Every paint starts from the device state it was handed: clip, mapping and
  // modes a paint sets (or leaves behind when it fails) end with it. The pen,
  // brush and font objects are the canvas's own and are realised again.
  struct TDeviceStateGuard {
    TCanvas& C;
    int Level;
    ~TDeviceStateGuard() {
      C.GetHandle()->RestoreDC(Level);
      C.Refresh();
    }
  } deviceState{Canvas, Canvas.GetHandle()->SaveDC()};
  TColor savedColor = Canvas.Brush->GetColor();
  TBrushStyle savedStyle = Canvas.Brush->GetStyle();
  Canvas.Brush->SetColor(FColor);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.FillRect(Rect(0, 0, FWidth, FHeight));
  Canvas.Brush->SetColor(savedColor);
  Canvas.Brush->SetStyle(savedStyle);
  Canvas.Font->Assign(*FFont);
  Paint();
}

TCanvas* TControl::PaintCanvas() {
  if (FPaintCanvas) return FPaintCanvas;
  TBitmap* buffer = UiBridge::TAccess::Buffer(this);
  return buffer->GetCanvas();
}

TBitmap* UiBridge::TAccess::Buffer(TControl* C) {
  const int w = std::max(C->FWidth, 1), h = std::max(C->FHeight, 1);
  if (!C->FBuffer) {
    C->FBuffer = std::make_unique<TBitmap>(w, h);
    C->FNeedsPaint = true;
  } else if (C->FBuffer->GetWidth() != w || C->FBuffer->GetHeight() != h) {
    C->FBuffer->SetSize(w, h);
    C->FNeedsPaint = true;
  }
  return C->FBuffer.get();
}

void TControl::BringToFront() {
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
  }
  if (FWidget) FWidget->raise();
  RequestAlign();
}

void TControl::SendToBack() {
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
  }
  if (FWidget) FWidget->lower();
  RequestAlign();
}

TForm* TControl::GetParentForm() const {
  const TControl* c = this;
  while (c->FParent) c = c->FParent;
  return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (!handled) handled = WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

QWidget* TControl::Handle() {
  if (!FWidget) {
    QWidget* parentWidget = FParent ? FParent->Handle() : nullptr;
    if (FWidget) return FWidget;  // made while the parent made its children
    Forms::EnsureToolkit();
    FWidget = CreateWidget(parentWidget);
    InitWidget();
  }
  return FWidget;
}

QWidget* TControl::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QWidget>(this, ParentWidget);
  if (PaintsItself()) w->setAttribute(Qt::WA_OpaquePaintEvent);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

void TControl::InitWidget() {
  TRestore<bool> guard(FSettingFromWidget, true);
  FWidget->setMouseTracking(true);
  ApplyBoundsToWidget();
  FWidget->setEnabled(FEnabled);
  if (FCursor != crDefault) FWidget->setCursor(UiBridge::ToQCursor(FCursor));
  if (!PaintsItself()) FWidget->setFont(UiBridge::ToQFont(*FFont));
  if (!FWidget->isWindow()) FWidget->setVisible(FVisible);
  FNeedsPaint = true;
}

void TControl::ApplyBoundsToWidget() { FWidget->setGeometry(FLeft, FTop, FWidth, FHeight); }

void TControl::DestroyWidget() {
  if (!FWidget) return;
  QWidget* w = FWidget;
  FWidget = nullptr;
  DetachWidget(w);
  delete w;
}

void TControl::BoundsFromWidget(int ALeft, int ATop, int AWidth, int AHeight) {
  TRestore<bool> guard(FSettingFromWidget, true);
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    child->FParent = nullptr;
    child->Free();
  }
}

void TWinControl::BeforeDestruction() {
  Destroying();
  while (!FControls.empty()) FControls.back()->Free();
  TControl::BeforeDestruction();
}

TControl* TWinControl::GetControl(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("Control index out of bounds (" + std::to_string(Index) + ")");
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (const TControl* c = Control; c; c = c->GetParent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* Control) {
  FControls.push_back(Control);
  if (Control->GetAlign() != TAlign::alNone) Realign();
}

void TWinControl::RemoveControl(TControl* Control) {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end()) return;
  FControls.erase(it);
  Control->FParent = nullptr;
  if (Control->GetAlign() != TAlign::alNone && !ComponentState.Contains(TComponentStateItem::csDestroying))
    Realign();
}

void TWinControl::SetTabStop(bool Value) {
  FTabStop = Value;
  if (FWidget && PaintsItself()) FWidget->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TWinControl::Focused() const { return FWidget && FWidget->hasFocus(); }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->GetParent())
    if (!c->GetVisible() || !c->GetEnabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TForm* form = GetParentForm(); form && form != this) form->SetActiveControl(this);
  if (FWidget) FWidget->setFocus(Qt::OtherFocusReason);
}

void TWinControl::EnableAlign() {
  if (FAlignLock > 0 && --FAlignLock == 0 && FAlignPending) {
    FAlignPending = false;
    Realign();
  }
}

void TWinControl::Realign() {
  if (FAlignLock > 0) {
    FAlignPending = true;
    return;
  }
  if (FAligning) return;
  TRestore<bool> guard(FAligning, true);
  TRect r = GetClientRect();
  AdjustClientRect(r);
  AlignControls(r);
}

void TWinControl::AdjustClientRect(TRect& Rect) const {
  Rect.Left += BorderWidth;
  Rect.Top += BorderWidth;
  Rect.Right -= BorderWidth;
  Rect.Bottom -= BorderWidth;
}

void TWinControl::AlignControls(TRect R) {
  // Each side in turn takes the controls aligned to it, nearest the side first;
  // the client control fills what is left.
  static constexpr TAlign kOrder[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                      TAlign::alClient};
  for (TAlign side : kOrder) {
    std::vector<TControl*> list;
    for (TControl* c : FControls)
      if (c->GetAlign() == side && c->GetVisible()) list.push_back(c);
    auto key = [side](const TControl* c) {
      switch (side) {
        case TAlign::alTop: return c->GetTop();
        case TAlign::alBottom: return -(c->GetTop() + c->GetHeight());
        case TAlign::alLeft: return c->GetLeft();
        case TAlign::alRight: return -(c->GetLeft() + c->GetWidth());
        default: return 0;
      }
    };
    std::stable_sort(list.begin(), list.end(), [&](const TControl* a, const TControl* b) {
      int ka = key(a), kb = key(b);
      return ka != kb ? ka < kb : a->FCreatingOrder < b->FCreatingOrder;
    });
    for (TControl* c : list) {
      const int width = std::max(R.Width(), 0), height = std::max(R.Height(), 0);
      switch (side) {
        case TAlign::alTop:
          c->SetBounds(R.Left, R.Top, width, c->GetHeight());
          R.Top += c->GetHeight();
          break;
        case TAlign::alBottom:
          c->SetBounds(R.Left, R.Bottom - c->GetHeight(), width, c->GetHeight());
          R.Bottom -= c->GetHeight();
          break;
        case TAlign::alLeft:
          c->SetBounds(R.Left, R.Top, c->GetWidth(), height);
          R.Left += c->GetWidth();
          break;
        case TAlign::alRight:
          c->SetBounds(R.Right - c->GetWidth(), R.Top, c->GetWidth(), height);
          R.Right -= c->GetWidth();
          break;
        default:
          c->SetBounds(R.Left, R.Top, width, height);
          break;
      }
    }
  }
}

void TWinControl::SetWindowRegion(const TRegion* Region) {
  FWindowRegion = Region ? std::make_unique<TRegion>(*Region) : nullptr;
  if (FWidget) ApplyWindowRegion();
}

bool TWinControl::GetWindowRegion(TRegion& Region) const {
  if (!FWindowRegion) return false;
  Region = *FWindowRegion;
  return true;
}

void TWinControl::ApplyWindowRegion() {
  if (!FWindowRegion) {
    FWidget->clearMask();
    return;
  }
  QRegion mask;
  for (const TRect& r : FWindowRegion->Rects()) mask += QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  // An empty mask would mean "no mask" to the widget; an empty region hides everything.
  if (mask.isEmpty()) mask = QRegion(-1, -1, 1, 1);
  FWidget->setMask(mask);
}

void TWinControl::InitWidget() {
  TControl::InitWidget();
  if (FWindowRegion) ApplyWindowRegion();
  if (PaintsItself()) FWidget->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  for (TControl* c : std::vector<TControl*>(FControls)) c->Handle();
}

void TWinControl::DestroyWidget() {
  for (TControl* c : FControls) c->DestroyWidget();
  TControl::DestroyWidget();
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(TKeyChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------- TCustomControl, TGraphicControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomControl::PaintControl(TCanvas& Canvas) {
  PaintThrough(Canvas, [this] { Paint(); });
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint() {
  if (OnPaint) OnPaint(this);
}

void TGraphicControl::PaintControl(TCanvas& Canvas) {
  PaintThrough(Canvas, [this] { Paint(); });
}

// ---------------------------------------------------------------- Controls

TPoint Controls::MouseCursorPos() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

void Controls::ActivateHint(TControl* Control, TPoint ScreenPoint, const std::string& Text) {
  if (Text.empty()) {
    QToolTip::hideText();
    return;
  }
  QWidget* widget = Control && Control->HandleAllocated() ? Control->Handle() : nullptr;
  QToolTip::showText(QPoint(ScreenPoint.X, ScreenPoint.Y), UiBridge::ToQ(Text), widget);
}

std::string Controls::GetShortHint(const std::string& Hint) {
  auto bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(0, bar);
}

std::string Controls::GetLongHint(const std::string& Hint) {
  auto bar = Hint.find('|');
  return bar == std::string::npos ? Hint : Hint.substr(bar + 1);
}

Controls::TEnabledGuard::TEnabledGuard(TControl& Control, bool Value) : FControl(Control), FSaved(Control.GetEnabled()) {
  FControl.SetEnabled(Value);
}

Controls::TEnabledGuard::~TEnabledGuard() { FControl.SetEnabled(FSaved); }

// ---- the cursor table ----------------------------------------------------------

namespace {
std::map<TCursor, TCursorImage>& CursorTable() {
  static std::map<TCursor, TCursorImage> table;
  return table;
}
}  // namespace

void Controls::SetCursorImage(TCursor Cursor, const TCursorImage& Image) {
  if (Image.Width <= 0 || Image.Height <= 0 || Image.Pixels.size() != size_t(Image.Width) * size_t(Image.Height))
    throw EInvalidOperation("Cursor " + std::to_string(Cursor) + ": the picture's pixels do not match its size");
  CursorTable()[Cursor] = Image;
}

void Controls::ClearCursorImage(TCursor Cursor) { CursorTable().erase(Cursor); }

const TCursorImage* Controls::GetCursorImage(TCursor Cursor) {
  const auto it = CursorTable().find(Cursor);
  return it == CursorTable().end() ? nullptr : &it->second;
}

TCursorImage Controls::CursorFromRows(const std::vector<std::string>& Rows, TPoint HotSpot) {
  TCursorImage Image;
  Image.Height = static_cast<int32_t>(Rows.size());
  for (const std::string& Row : Rows) Image.Width = std::max(Image.Width, static_cast<int32_t>(Row.size()));
  Image.Pixels.assign(size_t(Image.Width) * size_t(Image.Height), 0);
  for (int32_t y = 0; y < Image.Height; ++y)
    for (int32_t x = 0; x < static_cast<int32_t>(Rows[size_t(y)].size()); ++x) {
      const char c = Rows[size_t(y)][size_t(x)];
      Image.Pixels[size_t(y) * size_t(Image.Width) + size_t(x)] =
          c == 'X' ? 0xFF000000u : c == 'o' ? 0xFFFFFFFFu : 0u;
    }
  Image.HotSpot = HotSpot;
  return Image;
}
