#pragma once
// A push button that paints itself: the platform's button behaviour (a click
// on release inside, Space, Enter and Esc through the form's default and
// cancel buttons, the modal result, a double click counted as a second press)
// with the picture left to Paint. Paint reads the state the platform would
// report to an owner-drawn button: pressed, focused, hot and the default look.

#include "platform/ui/StdCtrls.h"

class TOwnerDrawButton : public TButton {
  KV_CLASS(TOwnerDrawButton, TButton)
 public:
  explicit TOwnerDrawButton(TComponent* AOwner);
  ~TOwnerDrawButton() override;

  // Draws the button on GetCanvas(); the default draws nothing.
  virtual void Paint();
  TCanvas* GetCanvas() { return PaintCanvas(); }

  // The button shows pressed: the left button went down on it and the cursor
  // is inside, or Space is held.
  bool IsPressed() const { return FPressed; }
  // The cursor lies over the button.
  bool IsMouseInControl() const { return FMouseInControl; }
  // The framework's default-button look: the focused button, or the default
  // button while the focus is on something that is no button.
  bool IsDefaultLook() const;
  // The platform reports the focus (tests may force it).
  virtual bool ReportsFocus() const;
  void ForceFocusForTests(bool Value) { FForcedFocus = Value ? 1 : 0; }

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyUp(uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void SetEnabled(bool Value) override;
  // Ends a running press without a click (cancel mode).
  void CancelPress();

 protected:
  bool PaintsItself() const override { return true; }
  bool ClicksOnMouseUp() const override { return false; }
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void PaintControl(TCanvas& Canvas) override;
  void FontChanged() override;
  // The default look may have moved: the buttons of the form repaint.
  void DefaultLookChanged();
  // Called when the pressed state changes (the default repaints).
  virtual void PressedChanged() { Invalidate(); }

 private:
  bool FPressed = false;
  bool FTracking = false;
  bool FSpaceDown = false;
  bool FMouseInControl = false;
  int FForcedFocus = -1;
};
