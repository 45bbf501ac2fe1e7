#pragma once
// Timers, panels, splitters, images and paint boxes.

#include "platform/ui/StdCtrls.h"

class QTimer;

// Fires OnTimer every Interval milliseconds while Enabled, once the message
// loop runs. A handler still running when the next tick comes is not re-entered.
class TTimer : public TComponent {
  KV_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent GetOnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);
  // Whether the timer is counting (enabled, interval above 0, handler set).
  bool Running() const;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  QTimer* FTimer = nullptr;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };

// A container with optional bevels and a centred caption.
class TPanel : public TCustomControl {
  KV_CLASS(TPanel, TCustomControl)
 public:
  explicit TPanel(TComponent* AOwner);
  TPanelBevel BevelOuter = TPanelBevel::bvRaised;
  TPanelBevel BevelInner = TPanelBevel::bvNone;
  int BevelWidth = 1;
  TAlignment Alignment = TAlignment::taCenter;
  // Full repaint and double buffering are what every control here has;
  // the settings are kept for code that sets them.
  bool FullRepaint = true;
  bool DoubleBuffered = false;
  void Paint() override;

 protected:
  void AdjustClientRect(TRect& Rect) const override;
};

// A control that only fires OnPaint on its canvas.
class TPaintBox : public TGraphicControl {
  KV_CLASS(TPaintBox, TGraphicControl)
 public:
  explicit TPaintBox(TComponent* AOwner);
};

class TBevel : public TGraphicControl {
  KV_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  TBevelShape Shape = TBevelShape::bsBox;
  bool Raised = false;
  void Paint() override;
};

// Shows a picture, at its size, centred or stretched.
class TImage : public TGraphicControl {
  KV_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  TPicture* Picture() const { return FPicture.get(); }
  bool Stretch = false;
  bool Center = false;
  bool Proportional = false;
  bool GetAutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  void Paint() override;
  // The rectangle the picture takes in the control.
  TRect DestRect() const;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> FPicture;
  bool FAutoSize = false;
};

// Dragging it resizes the control aligned before it on the same side.
class TSplitter : public TGraphicControl {
  KV_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* AOwner);
  int MinSize = 30;
  TNotifyEvent OnMoved;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // The control the splitter resizes: the visible one aligned to the same side
  // that touches it, or none.
  TControl* FindControl() const;

 private:
  void UpdateCursor();
  TControl* FControl = nullptr;  // while dragging
  TPoint FDownPos;
  int FStartSize = 0;
};

class TRadioButton;

// A group box of radio buttons, one per item; OnClick fires when the choice changes.
class TRadioGroup : public TGroupBox {
  KV_CLASS(TRadioGroup, TGroupBox)
 public:
  explicit TRadioGroup(TComponent* AOwner);
  ~TRadioGroup() override;
  TStringList* Items() const { return FItems.get(); }
  int GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int GetColumns() const { return FColumns; }
  void SetColumns(int Value);
  TRadioButton* Buttons(int Index) const;

 protected:
  void Resize() override;

 private:
  void ItemsChanged();
  void ArrangeButtons();
  std::unique_ptr<TStringList> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};
