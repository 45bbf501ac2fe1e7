#pragma once
// A tool that follows the mouse over a surface series and recolours the
// point of the cell under it, the points of its grid column and of its row.
#include <cstdint>
#include <string>

#include "chart/engine/PlotEngine_Series.h"
#include "platform/rtl/Classes.h"

class TCustom3DGridSeries;

class TSurfaceNearestTool : public TPlotCustomToolSeries {
  KV_CLASS(TSurfaceNearestTool, TPlotCustomToolSeries)
public:
  explicit TSurfaceNearestTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  void Description(std::string& Text) const override { Text = "Surface Nearest"; }
  std::string EditorFormName() const override { return "TSurfaceNearest"; }
  // Only a surface series (or a descendant) is taken; anything else unbinds.
  void SetSeries(TChartSeries* Value) override;
  void HandleMouseEvent(int32_t Kind, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;

  // Whether a series is a surface series.
  static bool IsSurface(const TChartSeries* Series);

  TColor GetCellColor() const { return FCellColor; }
  void SetCellColor(TColor Value) { SetColorProperty(FCellColor, Value); }
  TColor GetColumnColor() const { return FColumnColor; }
  void SetColumnColor(TColor Value) { SetColorProperty(FColumnColor, Value); }
  TColor GetRowColor() const { return FRowColor; }
  void SetRowColor(TColor Value) { SetColorProperty(FRowColor, Value); }
  // The point under the mouse at the last move, or -1.
  int32_t CurrentIndex() const { return FIndex; }

  TNotifyEvent OnSelectCell;

private:
  void Recolour(TCustom3DGridSeries& Grid, int32_t Index);

  TColor FCellColor = clRed;
  TColor FColumnColor = clGreen;
  TColor FRowColor = clBlue;
  int32_t FIndex = -1;
};

namespace PlotSurfaceTool {

// Registers the tool class with the chart's tool list; Finalization removes it.
void Initialization();
void Finalization();

}  // namespace PlotSurfaceTool
