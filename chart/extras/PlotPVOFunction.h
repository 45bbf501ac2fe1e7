#pragma once
// The percentage volume oscillator: the gap between a short and a long
// exponential average of the source, in percent of the long one.
#include <cstdint>
#include <string>

#include "chart/engine/PlotEngine_Series.h"

class TPVOFunction : public TPlotFunction {
  KV_CLASS(TPVOFunction, TPlotFunction)
public:
  explicit TPVOFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TPVOFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  // The long average's period.
  int32_t GetPeriod2() const { return FPeriod2; }
  void SetPeriod2(int32_t Value);
  bool GetPercentage() const { return FPercentage; }
  // Recalculates even when the value stays.
  void SetPercentage(bool Value);

private:
  int32_t FPeriod2 = 26;
  bool FPercentage = true;
};

namespace PlotPVOFunction {
// Registers "Volume" CR "Oscillator" on the page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotPVOFunction
