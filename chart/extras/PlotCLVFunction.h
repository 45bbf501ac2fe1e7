#pragma once
// The close location value: where each close lies between its low and high,
// optionally weighted by a volume series and accumulated.
#include <string>

#include "chart/extras/OHLChart.h"

// A function that weights its points by a separate volume series, which it
// forgets (and recalculates without) when that series is freed.
class TVolumeWeightedFunction : public TPlotFunction {
  KV_CLASS(TVolumeWeightedFunction, TPlotFunction)
public:
  explicit TVolumeWeightedFunction(TComponent* Owner);
  void BeforeDestruction() override;
  void Notification(TComponent* Component, TOperation Operation) override;
  bool AcceptsSource(TChartSeries* Series) const override;
  TChartSeries* GetVolume() const { return FVolume; }
  void SetVolume(TChartSeries* Value);

private:
  TChartSeries* FVolume = nullptr;  // cleared by its free notification
};

class TCLVFunction : public TVolumeWeightedFunction {
  KV_CLASS(TCLVFunction, TVolumeWeightedFunction)
public:
  explicit TCLVFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TCLVFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
  bool GetAccumulate() const { return FAccumulate; }
  void SetAccumulate(bool Value);

private:
  bool FAccumulate = true;
};

namespace PlotCLVFunction {
// Registers "Close Location" CR "Value" on the page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotCLVFunction
