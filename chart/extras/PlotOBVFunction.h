#pragma once
// The on-balance volume: a running total of volumes, added on a rising close
// and subtracted on a falling one.
#include <string>

#include "chart/extras/PlotCLVFunction.h"

class TOBVFunction : public TVolumeWeightedFunction {
  KV_CLASS(TOBVFunction, TVolumeWeightedFunction)
public:
  explicit TOBVFunction(TComponent* Owner);
  std::string EditorFormName() const override { return "TOBVFuncEditor"; }
  void AddPoints(TChartSeries* Source) override;
};

namespace PlotOBVFunction {
// Registers "On Balance" CR "Volume" on the page "Financial"; Finalize removes it.
void Initialize();
void Finalize();
}  // namespace PlotOBVFunction
