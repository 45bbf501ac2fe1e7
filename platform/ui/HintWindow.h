#pragma once
// HintWindow: the window that shows a hint beside the mouse: frameless,
// above every other window, shown without taking the focus and with the
// window system's drop shadow where it draws one for tips. Its bounds are
// screen coordinates. Descendants paint the text their own way.

#include "platform/ui/Controls.h"

#include <string>

class THintWindow : public TCustomControl {
  KV_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;
  // The area the text needs, from (0,0), at most MaxWidth wide.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& Hint);
  // Shows Hint in Rect (screen coordinates), above every window, without the focus.
  virtual void ActivateHint(TRect Rect, const std::string& Hint);
  // Hides the window.
  void ReleaseHint();
  // True once its window exists and is a top-level, frameless, top-most one.
  bool IsTopMostWindow();
  // The screen the window keeps inside (its size in pixels).
  static TRect ScreenRect();
  void Paint() override;

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyBoundsToWidget() override;
  void VisibleChanged() override;
  void TextChanged() override;
};
