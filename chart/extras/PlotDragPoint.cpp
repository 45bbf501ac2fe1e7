#include "chart/extras/PlotDragPoint.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TDragPointTool, TPlotCustomToolSeries) {
  c.Property("DragStyle", &TDragPointTool::DragStyle).Names({"dsX", "dsY", "dsBoth"}).Default(dsBoth);
}

namespace {

// An axis without a range cannot convert pixels: widen it by a step that is
// still representable next to its maximum.
void WidenFlatAxis(TChartAxis* Axis) {
  if (!Axis || Axis->GetMaximum() != Axis->GetMinimum()) return;
  Axis->SetAutomaticMaximum(false);
  const double m = Axis->GetMaximum();
  Axis->SetMaximum(m + std::max(std::abs(m), 1.0) * 1e-9);
}

}  // namespace

void TDragPointTool::HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState /*Shift*/, int32_t X,
                                      int32_t Y) {
  TChartSeries* s = GetSeries();
  if (!s || Button != TMouseButton::mbLeft) return;
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  switch (Kind) {
    case tmeDown:
      DragIndex = s->PointAtPixel(X, Y);
      if (DragIndex != -1 && chart) chart->MouseCancelled = true;
      break;
    case tmeMove: {
      if (DragIndex < 0 || DragIndex >= s->Count()) return;
      s->BeginUpdate();
      if (DragStyle != dsY) {
        if (TChartAxis* a = s->GetHorizAxisRef()) {
          WidenFlatAxis(a);
          s->XValues()->SetValue(DragIndex, a->CalcPosPoint(X));
        }
      }
      if (DragStyle != dsX) {
        if (TChartAxis* a = s->GetVertAxisRef()) {
          WidenFlatAxis(a);
          s->YValues()->SetValue(DragIndex, a->CalcPosPoint(Y));
        }
      }
      s->EndUpdate();
      if (OnDragPoint) OnDragPoint(this, DragIndex);
      break;
    }
    case tmeUp:
      if (OnDragPoint) OnDragPoint(this, DragIndex);
      DragIndex = -1;
      break;
    default: break;
  }
}

namespace PlotDragPoint {
void Initialization() { Chart::AddToolClasses({TDragPointTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TDragPointTool::StaticClass()}); }
}  // namespace PlotDragPoint
