#include "chart/extras/PlotExtraLegendTool.h"

KV_CLASS_IMPL(TExtraLegendTool, TPlotCustomToolSeries) {
  c.Property("Legend", &TExtraLegendTool::Legend, &TExtraLegendTool::SetLegend);
}

TExtraLegendTool::~TExtraLegendTool() = default;

TChartLegend* TExtraLegendTool::Legend() const {
  if (!FLegend) {
    FLegend = std::make_unique<TChartLegend>(dynamic_cast<TCustomAxisPanel*>(GetParentChart()));
    FLegend->SetCustomPosition(true);
    FLegend->SetLegendStyle(lsValues);
  }
  return FLegend.get();
}

void TExtraLegendTool::SetParentChart(TSeriesChart* Value) {
  TPlotCustomToolSeries::SetParentChart(Value);
  if (!FLegend || FLegend->Chart() == dynamic_cast<TCustomAxisPanel*>(Value)) return;
  std::unique_ptr<TChartLegend> old = std::move(FLegend);
  Legend()->Assign(old.get());
}

void TExtraLegendTool::SetSeries(TChartSeries* Value) {
  TPlotCustomToolSeries::SetSeries(Value);
  Repaint();
}

void TExtraLegendTool::HandleChartEvent(int32_t Code) {
  if (Code != tceAfterDraw || !GetParentChart() || !GetSeries()) return;
  TChartLegend* legend = Legend();
  legend->RestrictToSeries(GetSeries());
  if (legend->GetVisible()) legend->PaintLegend();
}

namespace PlotExtraLegendTool {
void Initialization() { Chart::AddToolClasses({TExtraLegendTool::StaticClass()}); }
void Finalization() { Chart::RemoveToolClasses({TExtraLegendTool::StaticClass()}); }
}  // namespace PlotExtraLegendTool
