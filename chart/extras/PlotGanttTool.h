#pragma once
// The Gantt drag tool: moves the bars of a Gantt series along the horizontal
// axis, or stretches one end of a bar.
#include <cstdint>
#include <functional>

#include "chart/engine/PlotEngine_Series.h"

class TGanttSeries;

enum class TGanttToolBarPart : uint8_t { pbStart, pbAll, pbEnd };
using enum TGanttToolBarPart;

class TGanttTool;
using TGanttDragEvent = std::function<void(TGanttTool* Sender, int32_t GanttBar)>;
using TGanttResizeEvent = std::function<void(TGanttTool* Sender, int32_t GanttBar, TGanttToolBarPart BarPart)>;

class TGanttTool : public TPlotCustomToolSeries {
  KV_CLASS(TGanttTool, TPlotCustomToolSeries)
public:
  explicit TGanttTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  std::string EditorFormName() const override { return "TGanttToolEditor"; }
  void Description(std::string& Text) const override { Text = "Gantt Drag"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  // The series when it is a Gantt series.
  TGanttSeries* Gantt() const;
  // The bar whose start (pbStart) or end (pbEnd) lies within MinPixels of
  // (X, Y) at its height; -1 when none.
  int32_t BarEndAt(int32_t X, int32_t Y, TGanttToolBarPart& Part) const;

  bool AllowDrag = true;
  bool AllowResize = true;
  TCursor CursorDrag = crHandPoint;
  TCursor CursorResize = crSizeWE;
  int32_t MinPixels = 5;
  TGanttDragEvent OnDragBar;
  TGanttResizeEvent OnResizeBar;

  // The bar being handled (-1 none), its part and the axis value under the
  // mouse at the last step.
  int32_t Bar = -1;
  TGanttToolBarPart Part = pbAll;
  double LastValue = 0;
};

namespace PlotGanttTool {
void Initialization();
void Finalization();
}  // namespace PlotGanttTool
