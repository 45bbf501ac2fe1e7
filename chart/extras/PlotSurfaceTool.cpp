// The surface-nearest tool.
#include "chart/extras/PlotSurfaceTool.h"

#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/PlotSurfa.h"

KV_CLASS_IMPL(TSurfaceNearestTool, TPlotCustomToolSeries) {
  using S = TSurfaceNearestTool;
  c.Editor("TSurfaceNearest");
  c.Property("CellColor", &S::GetCellColor, &S::SetCellColor).Kind(TPropKind::pkColor).Default(clRed);
  c.Property("ColumnColor", &S::GetColumnColor, &S::SetColumnColor).Kind(TPropKind::pkColor).Default(clGreen);
  c.Property("RowColor", &S::GetRowColor, &S::SetRowColor).Kind(TPropKind::pkColor).Default(clBlue);
}

namespace {

// Switches a chart's automatic repaint off and back on, on every exit.
class TRepaintOff {
public:
  explicit TRepaintOff(TSeriesChart* Chart) : FChart(Chart) {
    if (FChart) FChart->SetAutoRepaint(false);
  }
  ~TRepaintOff() {
    if (FChart) FChart->SetAutoRepaint(true);
  }
  TRepaintOff(const TRepaintOff&) = delete;
  TRepaintOff& operator=(const TRepaintOff&) = delete;

private:
  TSeriesChart* FChart;
};

}  // namespace

bool TSurfaceNearestTool::IsSurface(const TChartSeries* Series) {
  if (!dynamic_cast<const TCustom3DGridSeries*>(Series)) return false;
  for (TClass c = Series->ClassType(); c; c = c->ClassParent())
    if (c->ClassName() == "TSurfaceSeries") return true;
  return false;
}

void TSurfaceNearestTool::SetSeries(TChartSeries* Value) {
  TPlotCustomToolSeries::SetSeries(IsSurface(Value) ? Value : nullptr);
}

void TSurfaceNearestTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                           int32_t Y) {
  if (Kind != tmeMove) return;
  auto* grid = dynamic_cast<TCustom3DGridSeries*>(GetSeries());
  if (!grid) return;
  const int32_t i = grid->PointAtPixel(X, Y);
  if (i == FIndex) return;
  FIndex = i;
  {
    const TRepaintOff off(grid->GetParentChart());
    Recolour(*grid, i);
  }
  if (auto* panel = dynamic_cast<TCustomPlotPanel*>(grid->GetParentChart())) panel->Invalidate();
  if (OnSelectCell) OnSelectCell(this);
}

void TSurfaceNearestTool::Recolour(TCustom3DGridSeries& Grid, int32_t Index) {
  const int32_t n = Grid.Count();
  if (Index < 0 || Index >= n) {
    for (int32_t p = 0; p < n; ++p) Grid.SetPointColor(p, clDefault);
    return;
  }
  // Each point's grid column and row, from the grid index.
  if (Grid.GridIndex.empty()) Grid.FillGridIndex(0);
  std::vector<int32_t> column(static_cast<size_t>(n), -1), row(static_cast<size_t>(n), -1);
  for (size_t x = 0; x < Grid.GridIndex.size(); ++x)
    for (size_t z = 0; z < Grid.GridIndex[x].size(); ++z)
      if (const int32_t p = Grid.GridIndex[x][z]; p >= 0 && p < n) {
        column[static_cast<size_t>(p)] = static_cast<int32_t>(x);
        row[static_cast<size_t>(p)] = static_cast<int32_t>(z);
      }
  // The surface colours a cell by the corner its walking direction names:
  // the column before when the columns are walked upwards, the row after
  // when the rows are walked from back to front.
  int32_t cx = column[static_cast<size_t>(Index)], cz = row[static_cast<size_t>(Index)];
  if (cx >= 0 && Grid.DrawValuesForward()) cx -= 1;
  if (cz >= 0 && PlotSurfa::DrawBackToFront(&Grid)) cz += 1;
  for (int32_t p = 0; p < n; ++p) {
    const bool sameX = cx >= 0 && column[static_cast<size_t>(p)] == cx;
    const bool sameZ = cz >= 0 && row[static_cast<size_t>(p)] == cz;
    TColor colour = clDefault;
    if (sameX && sameZ)
      colour = FCellColor;
    else if (sameX)
      colour = FRowColor;
    else if (sameZ)
      colour = FColumnColor;
    Grid.SetPointColor(p, colour);
  }
}

namespace PlotSurfaceTool {

void Initialization() { Chart::AddToolClasses({TSurfaceNearestTool::StaticClass()}); }

void Finalization() { Chart::RemoveToolClasses({TSurfaceNearestTool::StaticClass()}); }

}  // namespace PlotSurfaceTool
