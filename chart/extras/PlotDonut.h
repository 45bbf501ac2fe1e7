#pragma once
// The donut series: a pie with a hole.
#include <string>

#include "chart/series/Series.h"

class TDonutSeries : public TPieSeries {
  KV_CLASS(TDonutSeries, TPieSeries)
public:
  explicit TDonutSeries(TComponent* Owner);
  // A donut without a hole gets the default one (50 %).
  void Assign(const TPersistent* Source) override;
  std::string EditorFormName() const override { return "TDonutSeriesEditor"; }
};

namespace PlotDonut {

// Registers "Donut" on the gallery page "Extended" with 1 sample series
// (once); Finalization removes it again.
void Initialization();
void Finalization();

}  // namespace PlotDonut
