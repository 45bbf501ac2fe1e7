#include "platform/ui/HintWindow.h"

#include "platform/ui/Forms.h"
#include "platform/ui/QtBridge.h"

KV_CLASS_IMPL(THintWindow, TCustomControl) {}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetTabStop(false);
  SetVisible(false);
  SetColor(clInfoBk);
}

THintWindow::~THintWindow() = default;

QWidget* THintWindow::CreateWidget(QWidget* ParentWidget) {
  auto* w = new UiBridge::TControlWidget<QWidget>(this, ParentWidget);
  // A tool-tip window: no frame, on top, no activation; window systems that
  // shadow tips give it their drop shadow.
  w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                    Qt::WindowDoesNotAcceptFocus);
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_OpaquePaintEvent);
  w->setFocusPolicy(Qt::NoFocus);
  return w;
}

void THintWindow::InitWidget() {
  TCustomControl::InitWidget();
  FWidget->setVisible(GetVisible());
}

void THintWindow::ApplyBoundsToWidget() { FWidget->setGeometry(GetLeft(), GetTop(), GetWidth(), GetHeight()); }

void THintWindow::VisibleChanged() {
  if (!FWidget) return;
  if (GetVisible()) ApplyBoundsToWidget();
  FWidget->setVisible(GetVisible());
}

void THintWindow::TextChanged() { Invalidate(); }

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& Hint) {
  TCanvas& c = *GetCanvas();
  c.Font->Assign(*GetFont());
  TRect r(0, 0, MaxWidth, 0);
  c.GetHandle()->DrawText(Hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const std::string& Hint) {
  SetCaption(Hint);
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  Show();
  if (FWidget) FWidget->raise();
  Invalidate();
}

void THintWindow::ReleaseHint() { Hide(); }

bool THintWindow::IsTopMostWindow() {
  QWidget* w = Handle();
  return w && w->isWindow() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
         w->windowFlags().testFlag(Qt::FramelessWindowHint) && w->testAttribute(Qt::WA_ShowWithoutActivating);
}

TRect THintWindow::ScreenRect() { return TRect(0, 0, Screen->GetWidth(), Screen->GetHeight()); }

void THintWindow::Paint() {
  TCanvas& c = *GetCanvas();
  c.Brush->SetColor(GetColor());
  c.FillRect(GetClientRect());
  c.Font->Assign(*GetFont());
  TRect r(2, 1, GetWidth() - 2, GetHeight());
  c.Brush->SetStyle(bsClear);
  c.GetHandle()->DrawText(GetCaption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  c.Brush->SetStyle(bsSolid);
}
