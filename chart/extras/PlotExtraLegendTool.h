#pragma once
// The extra legend tool: a second legend listing the values of one series.
#include <memory>

#include "chart/engine/Chart.h"

class TExtraLegendTool : public TPlotCustomToolSeries {
  KV_CLASS(TExtraLegendTool, TPlotCustomToolSeries)
public:
  explicit TExtraLegendTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}
  ~TExtraLegendTool() override;
  std::string EditorFormName() const override { return "TExtraLegendEditor"; }
  void Description(std::string& Text) const override { Text = "Extra Legend"; }
  void HandleChartEvent(int32_t Code) override;
  void SetSeries(TChartSeries* Value) override;
  // The legend follows the tool to its new chart.
  void SetParentChart(TSeriesChart* Value) override;

  // Made on first read: custom position, values style, on the tool's chart.
  TChartLegend* Legend() const;
  void SetLegend(const TChartLegend* Value) { Legend()->Assign(Value); }
  bool HasLegend() const { return FLegend != nullptr; }

private:
  mutable std::unique_ptr<TChartLegend> FLegend;
};

namespace PlotExtraLegendTool {
void Initialization();
void Finalization();
}  // namespace PlotExtraLegendTool
