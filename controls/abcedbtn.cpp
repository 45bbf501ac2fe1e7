#include "controls/abcedbtn.h"

#include "platform/ui/EditExtras.h"
#include "platform/ui/Forms.h"

#include <QObject>
#include <QTimer>

#include <algorithm>

KV_CLASS_IMPL(TabcCustomButtonEdit, TEdit) {}

TabcCustomButtonEdit::TabcCustomButtonEdit(TComponent* AOwner)
    : TEdit(AOwner), FButtonWidth(EditExtras::VerticalScrollBarWidth()), FContext(std::make_unique<QObject>()) {}

TabcCustomButtonEdit::~TabcCustomButtonEdit() = default;

TRect TabcCustomButtonEdit::ButtonRect() const {
  return TRect(std::max(0, GetWidth() - FButtonWidth), 0, GetWidth(), GetHeight());
}

int TabcCustomButtonEdit::DotSize() const { return std::max(1, FButtonWidth / 8); }

TPoint TabcCustomButtonEdit::MiddleDot() const {
  const int h = GetClientHeight();
  return TPoint(ButtonRect().Left + FButtonWidth / 2 - 1, h - h / 4 - 2);
}

void TabcCustomButtonEdit::SetButtonVisible(bool Value) {
  if (Value == FButtonVisible) return;
  FButtonVisible = Value;
  if (HandleAllocated()) {
    DestroyWidget();
    Handle();
  }
}

void TabcCustomButtonEdit::SetButtonDisabled(bool Value) {
  if (Value == FButtonDisabled) return;
  FButtonDisabled = Value;
  if (Value) {
    FTracking = false;
    FPressed = false;
  }
  Invalidate();
}

void TabcCustomButtonEdit::ApplyMargins() {
  if (!HandleAllocated()) return;
  EditExtras::SetTextMargins(*this, 0, FButtonVisible ? FButtonWidth : 0);
}

void TabcCustomButtonEdit::InitWidget() {
  TEdit::InitWidget();
  ApplyMargins();
}

void TabcCustomButtonEdit::Resize() {
  TEdit::Resize();
  if (FButtonVisible) ApplyMargins();
}

void TabcCustomButtonEdit::PaintOverlay(TCanvas& Canvas) {
  TRect r = ButtonRect();
  TRect frame = r;
  Canvas.GetHandle()->DrawFrameControl(frame, DFC_BUTTON, DFCS_BUTTONPUSH | (FPressed ? DFCS_PUSHED | DFCS_FLAT : 0));
  const int side = DotSize();
  const TPoint middle = MiddleDot();
  const int shift = FPressed ? 1 : 0;
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Brush->SetColor(GetEnabled() && !FButtonDisabled ? clBlack : clGray);
  for (int k = -1; k <= 1; ++k) {
    const int x = middle.X + k * 2 * side + shift, y = middle.Y + shift;
    Canvas.FillRect(TRect(x, y, x + side, y + side));
  }
  Canvas.GetHandle()->ExcludeClipRect(r.Left, r.Top, r.Right, r.Bottom);
  PaintContent(Canvas);
}

bool TabcCustomButtonEdit::InButton(int X, int Y) const { return FButtonVisible && ButtonRect().Contains(TPoint(X, Y)); }

void TabcCustomButtonEdit::SetPressed(bool Value) {
  if (Value == FPressed) return;
  FPressed = Value;
  Invalidate();
}

void TabcCustomButtonEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FFocusFromMouse = true;
  TEdit::MouseDown(Button, Shift, X, Y);
  // Double clicks inside the button are ignored.
  if (Button == TMouseButton::mbLeft && !Shift.Contains(TShiftStateItem::ssDouble) && GetEnabled() &&
      FButtonVisible && !FButtonDisabled && InButton(X, Y)) {
    FTracking = true;
    SetPressed(true);
  }
}

void TabcCustomButtonEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TEdit::MouseMove(Shift, X, Y);
  if (FTracking) SetPressed(InButton(X, Y));
  SetCursor(InButton(X, Y) ? crArrow : crDefault);
}

void TabcCustomButtonEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TEdit::MouseUp(Button, Shift, X, Y);
  if (!FTracking || Button != TMouseButton::mbLeft) return;
  FTracking = false;
  const bool click = FPressed;
  SetPressed(false);
  // A press right after the focus arrival already ran the click.
  const bool suppressed = FClickSuppressed;
  FClickSuppressed = false;
  if (click && !suppressed) ButtonClick();
}

void TabcCustomButtonEdit::CancelMode() {
  FTracking = false;
  SetPressed(false);
}

void TabcCustomButtonEdit::KeyDown(uint16_t& Key, TShiftState Shift) {
  TEdit::KeyDown(Key, Shift);
  if (Key == VK_RETURN) {
    Key = 0;
    if (ClickTriggers.Contains(TabcClickTrigger::ctEnterKey)) ButtonClick();
  }
}

void TabcCustomButtonEdit::KeyPress(TKeyChar& Key) {
  TEdit::KeyPress(Key);
  if (Key == u'\r') Key = 0;
}

void TabcCustomButtonEdit::DoEnter() {
  TEdit::DoEnter();
  FJustFocused = true;
  QTimer::singleShot(0, FContext.get(), [this] { ButtonEditFocus(); });
  if (ClickTriggers.Contains(TabcClickTrigger::ctFocusArrives)) {
    FClickSuppressed = true;
    ButtonClick();
  }
}

void TabcCustomButtonEdit::ButtonEditFocus() {
  FJustFocused = false;
  // The caret needs no code: the edit's own one follows its font.
  if (AutoSelect && !FFocusFromMouse) SelectAll();
  FFocusFromMouse = false;
}

void TabcCustomButtonEdit::DoExit() {
  TEdit::DoExit();
  FClickSuppressed = false;
  if (ClickTriggers.Contains(TabcClickTrigger::ctFocusLeaves)) ButtonClick();
}

void TabcCustomButtonEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TabcCustomButtonEdit::CutToClipboard() {
  if (!GetReadOnly()) EditExtras::Cut(*this);
}

void TabcCustomButtonEdit::PasteFromClipboard() {
  if (!GetReadOnly()) EditExtras::Paste(*this);
}
