#pragma once
// TSpinEdit: a single-line edit for a whole number with a pair of up and down
// arrow buttons inside its right edge. The arrows, the Up and Down keys and the
// mouse wheel step Value by Increment. MinValue and MaxValue bound the value;
// when both are 0 the value is unbounded.

#include "platform/ui/StdCtrls.h"

#include <cstdint>

class TSpinEdit : public TEdit {
  KV_CLASS(TSpinEdit, TEdit)
 public:
  explicit TSpinEdit(TComponent* AOwner);

  int32_t MinValue = 0;
  int32_t MaxValue = 0;
  int32_t Increment = 1;

  // The text as a whole number within the bounds: a number outside them is
  // clamped, a text that is no whole number gives MinValue.
  int32_t GetValue() const;
  // Writes the value, clamped to the bounds, as the text.
  void SetValue(int32_t Value);
  // Whether the text is a whole number within the bounds as it stands.
  bool TextIsValue() const;

  // The buttons' place: the rightmost ButtonWidth pixels, the up arrow over the
  // upper half and the down arrow over the lower half.
  TRect UpButtonRect() const;
  TRect DownButtonRect() const;
  int ButtonWidth() const { return FButtonWidth; }
  // One step up or down (nothing while read-only or disabled).
  void StepUp();
  void StepDown();

  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void DoExit() override;
  void Resize() override;

 protected:
  void InitWidget() override;
  bool PaintsOverlay() const override { return true; }
  void PaintOverlay(TCanvas& Canvas) override;

 private:
  bool Bounded() const { return MinValue != 0 || MaxValue != 0; }
  int32_t Clamp(int64_t Value) const;
  void ApplyMargins();
  int FButtonWidth;
  int FPressed = 0;  // 1 up, -1 down, 0 none
};
