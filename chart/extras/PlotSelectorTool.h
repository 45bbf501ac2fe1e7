#pragma once
// The selector tool: picks a part of a chart with the mouse and marks it with
// square handles, drags a selected text shape and, optionally, resizes the
// chart by its bottom-right corner.
#include <cstdint>
#include <vector>

#include "chart/engine/Chart.h"

class TAnnotationTool;
class TPlotPanelControl;

class TSelectorTool : public TPlotCustomTool {
  KV_CLASS(TSelectorTool, TPlotCustomTool)
public:
  explicit TSelectorTool(TComponent* Owner);
  ~TSelectorTool() override;
  std::string EditorFormName() const override { return "TSelectorToolEditor"; }
  void Description(std::string& Text) const override { Text = "Selector"; }
  void HandleChartEvent(int32_t Code) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  void SetParentChart(TSeriesChart* Value) override;
  // A selected annotation or series that goes takes the selection with it.
  void Notification(TComponent* Component, TOperation Operation) override;

  TChartBrush* Brush() const { return FBrush.get(); }
  void SetBrush(const TChartBrush* Value) { FBrush->Assign(Value); }
  int32_t GetHandleSize() const { return FHandleSize; }
  void SetHandleSize(int32_t Value);
  bool AllowDrag = true;
  bool AllowResizeChart = false;
  TNotifyEvent OnSelected, OnDragging, OnDragged, OnResizing, OnResized;

  // The centres of the handles the tool draws for the current selection.
  std::vector<TPoint> HandleCentres() const;
  // The window control showing the chart, when it has one.
  TPlotPanelControl* ChartWindow() const;

  // Selection, drag and resize state.
  TChartClickedPart Part;
  TAnnotationTool* Annotation = nullptr;
  TPlotCustomShapePosition* Shape = nullptr;
  TChartBackWall* Wall = nullptr;
  bool Dragging = false, Moved = false;
  TPoint Offset{0, 0};
  bool Resizing = false, Resized = false;

private:
  TCustomChart* Chart() const { return dynamic_cast<TCustomChart*>(GetParentChart()); }
  void ClearSelection();
  void Watch(TComponent* Component);
  void Press(int32_t X, int32_t Y);
  void Move(int32_t X, int32_t Y);
  void Release();
  std::unique_ptr<TChartBrush> FBrush;
  int32_t FHandleSize = 3;
};

namespace PlotSelectorTool {
void Initialization();
void Finalization();
}  // namespace PlotSelectorTool
