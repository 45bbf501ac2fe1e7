#include "platform/ui/PopupWindows.h"

#include "platform/ui/QtBridge.h"

KV_CLASS_IMPL(TTopMostWindow, TCustomControl) {}

TTopMostWindow::TTopMostWindow(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(false); }

TTopMostWindow::~TTopMostWindow() = default;

QWidget* TTopMostWindow::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QWidget>(this, ParentWidget);
  w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_OpaquePaintEvent);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

void TTopMostWindow::InitWidget() {
  TCustomControl::InitWidget();
  // A top-level window is not shown with its parent: it follows its own flag.
  FWidget->setVisible(GetVisible() && (!GetParent() || GetParent()->IsShowing()));
}

void TTopMostWindow::ApplyBoundsToWidget() {
  const TPoint p = GetParent() ? GetParent()->ClientToScreen(Point(GetLeft(), GetTop())) : Point(GetLeft(), GetTop());
  FWidget->setGeometry(p.X, p.Y, GetWidth(), GetHeight());
}

void TTopMostWindow::VisibleChanged() {
  if (!FWidget) return;
  if (GetVisible()) ApplyBoundsToWidget();
  FWidget->setVisible(GetVisible());
}

bool TTopMostWindow::IsTopMostWindow() {
  QWidget* w = Handle();
  return w && w->isWindow() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
         w->windowFlags().testFlag(Qt::FramelessWindowHint);
}
