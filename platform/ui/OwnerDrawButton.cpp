#include "platform/ui/OwnerDrawButton.h"

#include "platform/ui/Forms.h"

KV_CLASS_IMPL(TOwnerDrawButton, TButton) {}

TOwnerDrawButton::TOwnerDrawButton(TComponent* AOwner) : TButton(AOwner) {}

TOwnerDrawButton::~TOwnerDrawButton() = default;

void TOwnerDrawButton::Paint() {}

QWidget* TOwnerDrawButton::CreateWidget(QWidget* ParentWidget) { return TControl::CreateWidget(ParentWidget); }

void TOwnerDrawButton::PaintControl(TCanvas& Canvas) {
  PaintThrough(Canvas, [this] { Paint(); });
}

void TOwnerDrawButton::FontChanged() {
  TButton::FontChanged();
  Invalidate();
}

bool TOwnerDrawButton::ReportsFocus() const { return FForcedFocus >= 0 ? FForcedFocus == 1 : Focused(); }

bool TOwnerDrawButton::IsDefaultLook() const {
  if (ReportsFocus()) return true;
  if (!Default) return false;
  const TForm* form = GetParentForm();
  const TWinControl* active = form ? form->GetActiveControl() : nullptr;
  const bool activeFocused = active && active->Focused();
  return !(activeFocused && dynamic_cast<const TButton*>(active));
}

void TOwnerDrawButton::DefaultLookChanged() {
  TForm* form = GetParentForm();
  if (!form) {
    Invalidate();
    return;
  }
  std::vector<TWinControl*> stack{form};
  while (!stack.empty()) {
    TWinControl* w = stack.back();
    stack.pop_back();
    for (int i = 0; i < w->ControlCount(); ++i) {
      TControl* c = w->GetControl(i);
      if (auto* b = dynamic_cast<TOwnerDrawButton*>(c)) b->Invalidate();
      if (auto* child = dynamic_cast<TWinControl*>(c)) stack.push_back(child);
    }
  }
}

void TOwnerDrawButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // A double click arrives as a second press and clicks again on release.
  if (Button == TMouseButton::mbLeft && GetEnabled()) {
    FTracking = true;
    if (!FPressed) {
      FPressed = true;
      PressedChanged();
    }
  }
  TButton::MouseDown(Button, Shift, X, Y);
}

void TOwnerDrawButton::MouseMove(TShiftState Shift, int X, int Y) {
  if (FTracking) {
    const bool inside = GetClientRect().Contains(TPoint(X, Y));
    if (inside != FPressed) {
      FPressed = inside;
      PressedChanged();
    }
  }
  TButton::MouseMove(Shift, X, Y);
}

void TOwnerDrawButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool click = false;
  if (FTracking && Button == TMouseButton::mbLeft) {
    FTracking = false;
    click = FPressed && GetClientRect().Contains(TPoint(X, Y));
    if (FPressed) {
      FPressed = false;
      PressedChanged();
    }
  }
  TButton::MouseUp(Button, Shift, X, Y);
  if (click) Click();
}

void TOwnerDrawButton::CancelPress() {
  FTracking = false;
  FSpaceDown = false;
  if (FPressed) {
    FPressed = false;
    PressedChanged();
  }
}

void TOwnerDrawButton::MouseEnter() {
  FMouseInControl = true;
  TButton::MouseEnter();
}

void TOwnerDrawButton::MouseLeave() {
  FMouseInControl = false;
  TButton::MouseLeave();
}

void TOwnerDrawButton::KeyDown(uint16_t& Key, TShiftState Shift) {
  TButton::KeyDown(Key, Shift);
  if (Key == VK_SPACE && GetEnabled() && !FTracking) {
    FSpaceDown = true;
    if (!FPressed) {
      FPressed = true;
      PressedChanged();
    }
  }
}

void TOwnerDrawButton::KeyUp(uint16_t& Key, TShiftState Shift) {
  TButton::KeyUp(Key, Shift);
  if (Key == VK_SPACE && FSpaceDown) {
    FSpaceDown = false;
    const bool click = FPressed;
    if (FPressed) {
      FPressed = false;
      PressedChanged();
    }
    if (click) Click();
  }
}

void TOwnerDrawButton::DoEnter() {
  TButton::DoEnter();
  DefaultLookChanged();
}

void TOwnerDrawButton::DoExit() {
  CancelPress();
  TButton::DoExit();
  DefaultLookChanged();
}

void TOwnerDrawButton::SetEnabled(bool Value) {
  if (!Value) CancelPress();
  TButton::SetEnabled(Value);
}
