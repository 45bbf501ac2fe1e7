#pragma once
// A panel of nine flat picture buttons (first, prior, next, last, insert,
// delete, edit, post, cancel) that descendants bind to what they navigate.
// Held buttons repeat their click; Left and Right move the focus between the
// visible buttons and Space presses the focused one.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "platform/rtl/WeakRef.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ExtCtrls.h"

enum class TPlotNavigateBtn : uint8_t { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel };
using enum TPlotNavigateBtn;

constexpr int32_t PlotNavButtonCount = 9;

class TCustomPlotNavigator;
using TNotifyButtonClickedEvent = std::function<void(TObject* Sender, TPlotNavigateBtn Button)>;

// One navigator button: its index and the timer that repeats its click while held.
class TPlotNavButton : public TSpeedButton {
  KV_CLASS(TPlotNavButton, TSpeedButton)
public:
  explicit TPlotNavButton(TComponent* Owner);
  TPlotNavigateBtn Index = nbFirst;
  // The repeat timer (made on the first press); none before.
  TTimer* RepeatTimer() const { return FRepeatTimer; }
  // Whether the left button went down on this button and is still down.
  bool Held() const { return FHeld; }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Draws the focus rectangle when this is the focused button of a focused navigator.
  void Paint() override;
  // A tick of the repeat timer: repeats the click while the button is held.
  void RepeatTick();

  static constexpr unsigned InitRepeatPause = 400;
  static constexpr unsigned RepeatPause = 100;

private:
  TTimer* FRepeatTimer = nullptr;
  bool FHeld = false;
};

class TCustomPlotNavigator : public TPanel, public ChartEventListener {
  KV_CLASS(TCustomPlotNavigator, TPanel)
public:
  explicit TCustomPlotNavigator(TComponent* Owner);
  ~TCustomPlotNavigator() override;
  void Init() override;
  void BeforeDestruction() override;

  TPlotNavButton* Button(TPlotNavigateBtn B) const { return FButtons[static_cast<size_t>(B)]; }
  int32_t ButtonWidth() const { return FButtonWidth; }
  int32_t FocusedButton() const { return FFocusedButton; }
  static constexpr int32_t MinBtnWidth = 20, MinBtnHeight = 18;

  // User hints: line i (of the first nine) replaces button i's default hint when not empty.
  TStrings* Hints() const { return FHints.get(); }
  void SetHints(const TStrings* Value);
  TStrings* DefaultHints() const { return FDefaultHints.get(); }
  void ApplyHints();

  TNotifyButtonClickedEvent OnButtonClicked;

  TCustomAxisPanel* Panel() const { return FPanel.Get(); }
  virtual void SetPanel(TCustomAxisPanel* Chart);
  virtual void ChartEvent(TPlotEvent& /*Event*/) {}
  virtual void EnableButtons() {}
  virtual int32_t PageCount() { return 1; }
  virtual void Print() {}
  // Runs the button's action: here it enables the buttons and fires OnButtonClicked.
  virtual void BtnClick(TPlotNavigateBtn Index);

  // Fits Width and Height to the visible buttons and places them.
  void CalcLayout(int32_t& Width, int32_t& Height);
  // A single-line border takes two pixels above and below the buttons.
  enum class TBorder { bsNone, bsSingle };
  TBorder GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorder Value);
  void SetButtonVisible(TPlotNavigateBtn B, bool Visible);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Resize() override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void SetEnabled(bool Value) override;
  void Loaded() override;
  void PlotEvent(TPlotEvent& Event) override;

  // The glyph of a button name ("PlotNav_FIRST"): normal and disabled pictures side by side.
  static const TBitmap* Glyph(const std::string& ResourceName);
  static const char* ButtonName(TPlotNavigateBtn B);

protected:
  virtual void CreateButtons();
  void ButtonPressed(TPlotNavButton* Button);

private:
  friend class TPlotNavButton;
  void MoveFocus(int32_t Step);
  void Relayout();
  std::array<TPlotNavButton*, PlotNavButtonCount> FButtons{};
  std::unique_ptr<TStringList> FHints, FDefaultHints;
  WeakRef<TCustomAxisPanel> FPanel;
  int32_t FButtonWidth = 0;
  int32_t FFocusedButton = 0;
  bool FLayingOut = false;
  TBorder FBorderStyle = TBorder::bsNone;
};
