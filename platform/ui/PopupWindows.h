#pragma once
// PopupWindows: small frameless windows that stay above every other window
// (markers, tips). Their position is given in the client coordinates of the
// parent control, as for any child, and they take neither focus nor
// activation when shown.

#include "platform/ui/Controls.h"

class TTopMostWindow : public TCustomControl {
  KV_CLASS(TTopMostWindow, TCustomControl)
 public:
  explicit TTopMostWindow(TComponent* AOwner);
  ~TTopMostWindow() override;
  // True once its window exists and is a top-level, frameless, top-most one.
  bool IsTopMostWindow();

 protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void InitWidget() override;
  void ApplyBoundsToWidget() override;
  void VisibleChanged() override;
};
