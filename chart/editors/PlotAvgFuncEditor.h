#pragma once
// The average function's parameters: the period controls and whether null
// points count.
#include "chart/editors/PlotEdiPeri.h"

class TAverageFuncEditor : public TPlotFunctionEditor {
  KV_CLASS(TAverageFuncEditor, TPlotFunctionEditor)
public:
  explicit TAverageFuncEditor(TComponent* Owner);
  TCheckBox* CBNulls;
};
