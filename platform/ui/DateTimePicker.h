#pragma once
// TDateTimePicker: a date or a time shown as text, stepped field by field
// with the arrow keys (Left and Right choose the field), with a drop-down
// calendar (date kind, dmComboBox) or up-down buttons, and an optional check
// box that says whether a value is set. The control keeps its value itself
// and paints itself; the calendar is a pop-up while it has a window.

#include "platform/rtl/SysUtils.h"
#include "platform/ui/StdCtrls.h"

enum class TDateTimeKind { dtkDate, dtkTime };
using enum TDateTimeKind;
enum class TDTDateMode { dmComboBox, dmUpDown };
using enum TDTDateMode;

class QWidget;

class TDateTimePicker : public TCustomControl {
  KV_CLASS(TDateTimePicker, TCustomControl)
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  TDateTime GetDateTime() const { return FDateTime; }
  void SetDateTime(TDateTime Value);
  // The date part (the time kept) and the time part (the date kept).
  TDateTime GetDate() const;
  void SetDate(TDateTime Value);
  TDateTime GetTime() const;
  void SetTime(TDateTime Value);
  TDateTimeKind Kind = dtkDate;
  TDTDateMode DateMode = dmComboBox;
  bool ShowCheckbox = false;
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  // The shown text: the short date or the long time of the settings.
  std::string GetText() const override;
  // The field the arrow keys step: 0 first, 1 second, 2 third.
  int GetField() const { return FField; }
  void SetField(int Value);
  bool GetDroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value);

  TNotifyEvent OnChange, OnDropDown, OnCloseUp;

  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  // Where the check box, the text and the button stand.
  TRect CheckRect() const;
  TRect ButtonRect() const;

 protected:
  virtual void Change();
  // Paints the non-client frame; descendants draw over it.
  virtual void PaintFrame(TCanvas& Canvas);

 private:
  void Step(int Sign);
  void CloseCalendar();
  TDateTime FDateTime;
  bool FChecked = true;
  int FField = 0;
  bool FDroppedDown = false;
  QWidget* FCalendar = nullptr;
};
