#pragma once
// The count function: the number of points of a source, of a period group,
// or of the sources that reach a point index.
#include "chart/engine/PlotEngine_Series.h"

class TCountPlotFunction : public TPlotFunction {
  KV_CLASS(TCountPlotFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

namespace PlotCount {
// Registers "Count" on the page "Standard"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotCount
