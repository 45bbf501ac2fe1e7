// The grid-transpose tool.
#include "chart/extras/PlotTransposeTool.h"

#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"

KV_CLASS_IMPL(TGridTransposeTool, TPlotCustomTool) {
  c.Editor("TGridTransposeToolEdit");
  c.Property("Series", &TGridTransposeTool::GetSeries, &TGridTransposeTool::SetSeries);
}

void TGridTransposeTool::Transpose() {
  TCustom3DGridSeries* series = FSeries.Get();
  if (!GetActive() || !series) return;
  // A temporary series without owner, freed on every exit.
  struct TTemp {
    TCustom3DGridSeries* S = Create<TCustom3DGridSeries>(nullptr);
    ~TTemp() { S->Free(); }
  } temp;
  TChartValueList* xs = series->XValues();
  for (int32_t i = 0; i < series->Count(); ++i)
    temp.S->AddPointXYZ(series->GetZValue(i), series->GetYValue(i), xs->GetValue(i));
  series->AssignValues(temp.S);
}

namespace PlotTransposeTool {

void Initialization() { Chart::AddToolClasses({TGridTransposeTool::StaticClass()}); }

void Finalization() { Chart::RemoveToolClasses({TGridTransposeTool::StaticClass()}); }

}  // namespace PlotTransposeTool
