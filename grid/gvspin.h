#pragma once
// gvspin: the grid library's spin controls. TGvSpinButton is a pair of
// auto-repeating arrow buttons; TGvSpinEdit a single-line edit with such a
// pair at its right edge that holds an integer, a real number, a date or a
// time and steps it with the buttons, the arrow keys or, for dates and times,
// the field the caret stands in.

#include "platform/rtl/SysUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/CustomEdit.h"
#include "platform/ui/ExtCtrls.h"

#include <memory>

enum class TSpinDirection { spVertical, spHorizontal };
using enum TSpinDirection;
enum class TGvSpinType { sptNormal, sptFloat, sptDate, sptTime };
using enum TGvSpinType;
enum class TTimerBtnDirection { tbdLeft, tbdRight, tbdUp, tbdDown };
using TNumGlyphs = int;

// The auto-repeating flat button of a spin pair: a repeating button clicks on
// the press, again after 400 ms and then every 100 ms while it is held.
class TGridTimerSpeedButton : public TSpeedButton {
  KV_CLASS(TGridTimerSpeedButton, TSpeedButton)
 public:
  explicit TGridTimerSpeedButton(TComponent* AOwner);
  bool AllowRepeat = false;
  TTimerBtnDirection Direction = TTimerBtnDirection::tbdUp;
  bool GetXPLook() const { return FXPLook; }
  void SetXPLook(bool Value);
  bool MouseOver() const { return FMouseOver; }
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  // One tick of the repeat timer.
  void TimerExpired();
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint() override;
  // A repeating button clicks on the press, not on the release.
  bool ClicksOnMouseUp() const override { return !AllowRepeat; }

 private:
  TTimer* FRepeatTimer = nullptr;
  bool FXPLook = false, FMouseOver = false, FHeld = false;
};

class TGvSpinButton : public TCustomControl {
  KV_CLASS(TGvSpinButton, TCustomControl)
 public:
  explicit TGvSpinButton(TComponent* AOwner);
  TSpinDirection GetDirection() const { return FDirection; }
  void SetDirection(TSpinDirection Value);
  TBitmap* GetUpGlyph() const { return FUpButton->GetGlyph(); }
  // nullptr loads the built-in arrow.
  void SetUpGlyph(const TBitmap* Value);
  TBitmap* GetDownGlyph() const { return FDownButton->GetGlyph(); }
  void SetDownGlyph(const TBitmap* Value);
  TNumGlyphs GetUpNumGlyphs() const { return FUpButton->NumGlyphs; }
  void SetUpNumGlyphs(TNumGlyphs Value) { FUpButton->NumGlyphs = Value; FUpButton->Invalidate(); }
  TNumGlyphs GetDownNumGlyphs() const { return FDownButton->NumGlyphs; }
  void SetDownNumGlyphs(TNumGlyphs Value) { FDownButton->NumGlyphs = Value; FDownButton->Invalidate(); }
  TWinControl* FocusControl = nullptr;
  TNotifyEvent OnUpClick, OnDownClick;
  bool GetXPLook() const { return FUpButton->GetXPLook(); }
  void SetXPLook(bool Value);
  void SetFlat(bool Value);
  void SetTransparent(bool Value);
  TGridTimerSpeedButton* UpButton() const { return FUpButton; }
  TGridTimerSpeedButton* DownButton() const { return FDownButton; }
  TGridTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void Resize() override;
  void Paint() override;
  void AdjustSize();

 private:
  void BtnClick(TObject* Sender);
  void BtnMouseDown(TObject* Sender, TMouseButton Button);
  void SetFocusBtn(TGridTimerSpeedButton* Btn);
  TGridTimerSpeedButton* FUpButton;
  TGridTimerSpeedButton* FDownButton;
  TGridTimerSpeedButton* FFocusedButton;
  TSpinDirection FDirection = spVertical;
};

namespace gvspin {
// The built-in 9 x 6 arrow pictures: a black triangle of base 7 and height 4.
std::unique_ptr<TBitmap> ArrowGlyph(bool Up);
}  // namespace gvspin

class TGvSpinEdit : public TCustomEdit {
  KV_CLASS(TGvSpinEdit, TCustomEdit)
 public:
  explicit TGvSpinEdit(TComponent* AOwner);

  TGvSpinType GetSpinType() const { return FSpinType; }
  void SetSpinType(TGvSpinType Value);
  int GetValue() const;
  void SetValue(int Value);
  double GetFloatValue() const;
  void SetFloatValue(double Value);
  TDateTime GetDateValue() const;
  void SetDateValue(TDateTime Value);
  TDateTime GetTimeValue() const;
  void SetTimeValue(TDateTime Value);
  int MinValue = 0, MaxValue = 100;
  double MinFloatValue = 0, MaxFloatValue = 100;
  TDateTime MinDateValue = 0, MaxDateValue = 0;
  int Increment = 1;
  double IncrementFloat = 0;
  int GetPrecision() const { return FPrecision; }
  void SetPrecision(int Value);
  bool GetEditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool ReturnIsTab = false;
  TSpinDirection GetDirection() const { return FButton->GetDirection(); }
  void SetDirection(TSpinDirection Value);
  bool GetSpinFlat() const { return FSpinFlat; }
  void SetSpinFlat(bool Value);
  bool GetSpinTransparent() const { return FSpinTransparent; }
  void SetSpinTransparent(bool Value);
  bool AutoSize = true;
  TGvSpinButton* Button() const { return FButton; }
  // Rewrites a date or time from its stored value after loading.
  void Loaded() override;

  virtual bool AcceptChar(TKeyChar Key);
  virtual void StepUp();
  virtual void StepDown();

  // The smallest height the font allows.
  int MinHeight();
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void DoEnter() override;
  void DoExit() override;
  void Resize() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;

 protected:
  // Writes the text and keeps the caret where it was.
  void WriteKeepingCaret(const std::string& Text);
  void StepDate(int Sign);
  void StepTime(int Sign);
  void SetEditRect();
  bool FLoading = false;

 private:
  int LimitInt(int64_t V) const;
  double LimitFloat(double V) const;
  TDateTime LimitDate(TDateTime V) const;
  TGvSpinButton* FButton;
  TGvSpinType FSpinType = sptNormal;
  int FPrecision = 0;
  bool FEditorEnabled = true;
  bool FSpinFlat = false, FSpinTransparent = false;
  TDateTime FLastDate = 0, FLastTime = 0;
};
