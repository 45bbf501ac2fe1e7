#pragma once
// TabcCustomScrollBox: a box that scrolls its child controls and reports every
// scroll through OnScrollH and OnScrollV, which may change the new position.

#include "controls/ControlTypes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/StdCtrls.h"

#include <functional>

// Scroll request codes of the scroll messages.
constexpr int SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4,
              SB_THUMBTRACK = 5, SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// One direction's scrolling: position and the extent of the content.
struct TScrollAxis {
  int Position = 0;
  int Increment = 8;
  bool Visible = true;
};

class TabcCustomScrollBox : public TCustomControl {
 public:
  explicit TabcCustomScrollBox(TComponent* AOwner);

  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool AutoScroll = true;
  TScrollAxis HorzScrollBar;
  TScrollAxis VertScrollBar;
  TScrollEvent OnScrollH;
  TScrollEvent OnScrollV;

  // The largest position of a direction: content extent beyond the client area.
  int ScrollRange(bool Horizontal) const;
  // The scroll message of one direction: Code is an SB_ code, Pos the thumb
  // position for SB_THUMBPOSITION and SB_THUMBTRACK.
  virtual void ScrollMessage(bool Horizontal, int Code, int Pos);
  // Scrolls the content to Pos (brought into range), moving the child controls.
  void ScrollTo(bool Horizontal, int Pos);

  // Shows a scroll bar for each direction whose content reaches beyond the
  // client area (and whose bar is Visible), hides it otherwise.
  void UpdateScrollBars();
  // The scroll bar of a direction while it is shown, else none.
  TScrollBar* ScrollBarOf(bool Horizontal) const;

  TRect GetClientRect() const override;
  void Paint() override;
  void Resize() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

  static constexpr int ScrollBarSize = 16;

 protected:
  void AlignControls(TRect R) override;
  // The scroll after the events and the normal scrolling ran; panes tell their splitter.
  virtual void Scrolled(bool Horizontal, int Code, int Pos) { (void)Horizontal, (void)Code, (void)Pos; }

 private:
  bool IsScrollBar(const TControl* C) const { return C == FHBar || C == FVBar; }
  // The content's extent in one direction at scroll position 0.
  int ContentExtent(bool Horizontal) const;
  TBorderStyle FBorderStyle = TBorderStyle::bsSingle;
  TScrollBar* FHBar = nullptr;  // owned: children of the box
  TScrollBar* FVBar = nullptr;
  bool FUpdatingBars = false;
};
