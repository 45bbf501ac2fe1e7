#pragma once
// The commodity channel index: how far the typical price lies from its
// moving average, in mean deviations.
#include <string>

#include "chart/extras/OHLChart.h"

class TCCIFunction : public TPlotFunction {
  KV_CLASS(TCCIFunction, TPlotFunction)
public:
  explicit TCCIFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TCCIFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  bool AcceptsSource(TChartSeries* Series) const override;
  double GetConstant() const { return FConstant; }
  void SetConstant(double Value);

private:
  double FConstant = 0.015;
};

namespace PlotCCIFunction {
// Registers "Commodity" CR "Channel Index" on the page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotCCIFunction
