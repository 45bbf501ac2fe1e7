#pragma once
// The cumulative function: a running sum of the source's values, by point or
// by period group, or across several sources point by point.
#include "chart/engine/PlotEngine_Series.h"

class TCumulative : public TPlotFunction {
  KV_CLASS(TCumulative, TPlotFunction)
public:
  explicit TCumulative(TComponent* Owner);
  // The sum of First..Last plus the running sum so far (the result's last
  // value); First = -1 gives the whole source's total.
  double Calculate(TChartSeries* Source, int32_t First, int32_t Last) override;
  double CalculateMany(const TDataSourcesList& Sources, int32_t Index) override;
};

namespace PlotCumu {
// Registers "Cumulative" on the page "Extended"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotCumu
