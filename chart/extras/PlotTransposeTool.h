#pragma once
// A tool that exchanges the X and Z values of every point of a grid series.
#include <string>

#include "chart/engine/PlotEngine_Series.h"
#include "platform/rtl/WeakRef.h"

class TCustom3DGridSeries;

class TGridTransposeTool : public TPlotCustomTool {
  KV_CLASS(TGridTransposeTool, TPlotCustomTool)
public:
  explicit TGridTransposeTool(TComponent* Owner) : TPlotCustomTool(Owner) {}
  void Description(std::string& Text) const override { Text = "3D Grid Transpose"; }
  std::string EditorFormName() const override { return "TGridTransposeToolEdit"; }
  // Exchanges X and Z of every point when the tool is active and bound.
  void Transpose();

  // Held weakly: a freed series leaves the tool unbound.
  TCustom3DGridSeries* GetSeries() const { return FSeries.Get(); }
  void SetSeries(TCustom3DGridSeries* Value) { FSeries = Value; }

private:
  WeakRef<TCustom3DGridSeries> FSeries;
};

namespace PlotTransposeTool {

void Initialization();
void Finalization();

}  // namespace PlotTransposeTool
