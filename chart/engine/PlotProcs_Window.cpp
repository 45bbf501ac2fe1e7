// The window adaptor of chart panels: shows the panel's off-screen picture,
// forwards mouse and wheel input and, for charts, shows the chart's cursor
// and hints and maps chart points to the screen.
#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Region.h"

// Input goes to the panel, whose handlers (OnMouseDown and the others) run
// before its listeners, so that a handler can cancel the event for them.

KV_CLASS_IMPL(TPlotPanelControl, TCustomControl) {}

namespace {
// The platform reports a wheel turn in eighths of a degree; one notch is 120.
constexpr int WheelNotch = 120;
}  // namespace

TPlotPanelControl::TPlotPanelControl(TComponent* Owner, TCustomPlotPanel* Panel)
    : TCustomControl(Owner), FPanel(Panel) {
  FPanel->HasParentWindow = true;
  FPanel->OnInvalidateWindow = [this] { Invalidate(); };
  FPanel->OnWindowRegion = [this](int32_t RoundSize) {
    if (RoundSize <= 0) {
      SetWindowRegion(nullptr);
      return;
    }
    const TRegion Round = TRegion::CreateRoundRectRgn(0, 0, GetWidth(), GetHeight(), RoundSize, RoundSize);
    SetWindowRegion(&Round);
  };
  InstallChartHooks(true);
  ApplyChartCursor();
}

TPlotPanelControl::~TPlotPanelControl() {
  if (FPanel) {
    FPanel->OnInvalidateWindow = nullptr;
    FPanel->OnWindowRegion = nullptr;
    FPanel->HasParentWindow = false;
    FPanel->WindowCanvas = nullptr;
    InstallChartHooks(false);
  }
}

void TPlotPanelControl::InstallChartHooks(bool Install) {
  auto* Chart = dynamic_cast<TCustomChart*>(FPanel);
  if (!Chart) return;
  if (!Install) {
    Chart->OnShowHint = nullptr;
    Chart->OnCursorPos = nullptr;
    Chart->OnClientToScreen = nullptr;
    return;
  }
  Chart->OnShowHint = [this](const std::string& Text, TPoint ScreenPoint) {
    // The window's own hint handling shows the same text while the mouse rests.
    SetShowHint(!Text.empty());
    Controls::ActivateHint(this, ScreenPoint, Text);
  };
  Chart->OnCursorPos = [] { return Controls::MouseCursorPos(); };
  Chart->OnClientToScreen = [this](TPoint P) { return ClientToScreen(P); };
}

void TPlotPanelControl::ApplyChartCursor() {
  const auto* Chart = dynamic_cast<const TCustomAxisPanel*>(FPanel);
  if (!Chart) return;
  const TCursor Wanted = Chart->GetChartCursor();
  if (GetCursor() != Wanted) SetCursor(Wanted);
}

bool TPlotPanelControl::HintAt(TPoint P, std::string& HintText, TRect& CursorRect) const {
  const auto* Chart = dynamic_cast<const TCustomChart*>(FPanel);
  if (Chart && Chart->ShowHint && !Chart->Hint.empty()) {
    HintText = Chart->Hint;
    CursorRect = GetClientRect();
    return true;
  }
  return TCustomControl::HintAt(P, HintText, CursorRect);
}

void TPlotPanelControl::Paint() {
  FPanel->WindowCanvas = GetCanvas();
  FPanel->SetBounds(GetWidth(), GetHeight());
  FPanel->Paint();
}

void TPlotPanelControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPanel->MouseDown(Button, Shift, X, Y);
  ApplyChartCursor();
}

void TPlotPanelControl::MouseMove(TShiftState Shift, int X, int Y) {
  FPanel->MouseMove(Shift, X, Y);
  ApplyChartCursor();
}

void TPlotPanelControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FPanel->MouseUp(Button, Shift, X, Y);
  ApplyChartCursor();
}

void TPlotPanelControl::DblClick() {
  FPanel->DblClick();
}

void TPlotPanelControl::MouseLeave() {
  FPanel->MouseLeave();
  ApplyChartCursor();
  TCustomControl::MouseLeave();
}

void TPlotPanelControl::Resize() {
  FPanel->SetBounds(GetWidth(), GetHeight());
  TCustomControl::Resize();
}

bool TPlotPanelControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
  // A change of direction drops the part turn left over from the other way.
  if ((FWheelRest > 0 && WheelDelta < 0) || (FWheelRest < 0 && WheelDelta > 0)) FWheelRest = 0;
  FWheelRest += WheelDelta;
  const TPoint P = ScreenToClient(MousePos);
  while (FWheelRest >= WheelNotch || FWheelRest <= -WheelNotch) {
    const int Step = FWheelRest > 0 ? WheelNotch : -WheelNotch;
    FWheelRest -= Step;
    FPanel->MouseWheel(Shift, Step, P.X, P.Y);
  }
  ApplyChartCursor();
  return true;
}
