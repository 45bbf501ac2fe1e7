#include "chart/extras/PlotGanttTool.h"

#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/extras/GanttCh.h"

KV_CLASS_IMPL(TGanttTool, TPlotCustomToolSeries) {
  c.Property("AllowDrag", &TGanttTool::AllowDrag).Default(true);
  c.Property("AllowResize", &TGanttTool::AllowResize).Default(true);
  c.Property("CursorDrag", &TGanttTool::CursorDrag).Default(crHandPoint);
  c.Property("CursorResize", &TGanttTool::CursorResize).Default(crSizeWE);
  c.Property("MinPixels", &TGanttTool::MinPixels).Default(5);
}

TGanttSeries* TGanttTool::Gantt() const { return dynamic_cast<TGanttSeries*>(GetSeries()); }

int32_t TGanttTool::BarEndAt(int32_t X, int32_t Y, TGanttToolBarPart& APart) const {
  TGanttSeries* s = Gantt();
  if (!s) return -1;
  const int32_t half = s->Pointer()->GetVertSize() / 2;
  for (int32_t i = 0; i < s->Count(); ++i) {
    if (std::abs(s->PointPixelY(i) - Y) > half) continue;
    if (std::abs(X - s->XValueToPixel(s->StartValues()->GetValue(i))) < MinPixels) {
      APart = pbStart;
      return i;
    }
    if (std::abs(X - s->XValueToPixel(s->EndValues()->GetValue(i))) < MinPixels) {
      APart = pbEnd;
      return i;
    }
  }
  return -1;
}

void TGanttTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                  int32_t Y) {
  TGanttSeries* s = Gantt();
  if (!s) return;
  auto* chart = dynamic_cast<TCustomAxisPanel*>(GetParentChart());
  const auto valueAt = [&](int32_t Px) { return s->GetHorizAxisRef() ? s->GetHorizAxisRef()->CalcPosPoint(Px) : 0.0; };
  switch (Kind) {
    case tmeDown:
      Bar = -1;
      LastValue = valueAt(X);
      if (AllowResize) Bar = BarEndAt(X, Y, Part);
      if (Bar == -1 && AllowDrag) {
        Bar = s->PointAtPixel(X, Y);
        Part = pbAll;
      }
      break;
    case tmeMove: {
      if (Bar == -1) {
        TGanttToolBarPart p = pbAll;
        if (AllowResize && BarEndAt(X, Y, p) != -1 && chart) {
          chart->SetChartCursor(CursorResize);
          chart->MouseCancelled = true;
        }
        if (AllowDrag && s->PointAtPixel(X, Y) != -1 && chart) {
          chart->SetChartCursor(CursorDrag);
          chart->MouseCancelled = true;
        }
        break;
      }
      if (Bar >= s->Count()) {
        Bar = -1;
        break;
      }
      const double v = valueAt(X), d = v - LastValue;
      TChartValueList* start = s->StartValues();
      TChartValueList* end = s->EndValues();
      switch (Part) {
        case pbAll:
          start->SetValue(Bar, start->GetValue(Bar) + d);
          end->SetValue(Bar, end->GetValue(Bar) + d);
          if (OnDragBar) OnDragBar(this, Bar);
          break;
        case pbEnd:
          end->SetValue(Bar, end->GetValue(Bar) + d);
          if (start->GetValue(Bar) > end->GetValue(Bar)) end->SetValue(Bar, start->GetValue(Bar));
          if (OnResizeBar) OnResizeBar(this, Bar, pbEnd);
          break;
        case pbStart:
          start->SetValue(Bar, start->GetValue(Bar) + d);
          if (end->GetValue(Bar) < start->GetValue(Bar)) start->SetValue(Bar, end->GetValue(Bar));
          if (OnResizeBar) OnResizeBar(this, Bar, pbStart);
          break;
      }
      LastValue = v;
      s->Repaint();
      break;
    }
    case tmeUp: Bar = -1; break;
    default: break;
  }
}

namespace PlotGanttTool {
void Initialization() { Chart::AddToolClasses({TGanttTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TGanttTool::StaticClass()}); }
}  // namespace PlotGanttTool
