#pragma once
// The drag-point tool: moves a point of its series with the left mouse button.
#include <cstdint>
#include <functional>

#include "chart/engine/PlotEngine_Series.h"

enum class TDragPointStyle : uint8_t { dsX, dsY, dsBoth };
using enum TDragPointStyle;

class TDragPointTool;
using TDragPointToolEvent = std::function<void(TDragPointTool* Sender, int32_t Index)>;

class TDragPointTool : public TPlotCustomToolSeries {
  KV_CLASS(TDragPointTool, TPlotCustomToolSeries)
public:
  explicit TDragPointTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  std::string EditorFormName() const override { return "TDragPointToolEdit"; }
  void Description(std::string& Text) const override { Text = "Drag Point"; }
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  TDragPointStyle DragStyle = dsBoth;
  TDragPointToolEvent OnDragPoint;
  // The point being dragged; -1 when none.
  int32_t DragIndex = -1;
};

namespace PlotDragPoint {
void Initialization();
void Finalization();
}  // namespace PlotDragPoint
