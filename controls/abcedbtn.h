#pragma once
// TabcCustomButtonEdit: a single-line edit with a push button inside its right
// edge. The text stops before the button; the control paints the button (a
// push-button frame with three dots) itself. The button runs ButtonClick on a
// click, and on Enter, focus arrival or focus loss as ClickTriggers say.

#include "platform/ui/StdCtrls.h"

#include <cstdint>
#include <memory>

class QObject;

enum class TabcClickTrigger : uint8_t { ctEnterKey, ctFocusLeaves, ctFocusArrives };
using TabcClickTriggers = Flags<TabcClickTrigger>;

// Posted to the control when it gets the focus.
constexpr int WM_BUTTONEDITFOCUS = 28673;

class TabcCustomButtonEdit : public TEdit {
  KV_CLASS(TabcCustomButtonEdit, TEdit)
 public:
  explicit TabcCustomButtonEdit(TComponent* AOwner);
  ~TabcCustomButtonEdit() override;

  bool GetButtonVisible() const { return FButtonVisible; }
  // A change makes the window again.
  void SetButtonVisible(bool Value);
  bool GetButtonDisabled() const { return FButtonDisabled; }
  // Disabling stops a running press.
  void SetButtonDisabled(bool Value);
  int ButtonWidth() const { return FButtonWidth; }
  TabcClickTriggers ClickTriggers;
  bool AutoSelect = true;
  TNotifyEvent OnButtonClick;

  // The button's place: the rightmost ButtonWidth pixels over the full height.
  TRect ButtonRect() const;
  bool ButtonPressed() const { return FPressed; }
  // The dots' side and the middle dot's left edge (before a press moves them).
  int DotSize() const;
  TPoint MiddleDot() const;
  // Refused while read-only.
  void CutToClipboard();
  void PasteFromClipboard();

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  // The platform's cancel mode: a running press ends.
  void CancelMode();
  // Handles the posted focus message.
  void ButtonEditFocus();
  bool JustFocused() const { return FJustFocused; }

 protected:
  virtual void PaintContent(TCanvas& /*Canvas*/) {}
  virtual void ButtonClick();
  void InitWidget() override;
  bool PaintsOverlay() const override { return FButtonVisible; }
  void PaintOverlay(TCanvas& Canvas) override;

 private:
  void ApplyMargins();
  bool InButton(int X, int Y) const;
  void SetPressed(bool Value);
  bool FButtonVisible = true;
  bool FButtonDisabled = false;
  int FButtonWidth;
  bool FPressed = false;
  bool FTracking = false;
  bool FJustFocused = false;
  bool FClickSuppressed = false;
  bool FFocusFromMouse = false;
  std::unique_ptr<QObject> FContext;  // receiver of the posted focus message
};
