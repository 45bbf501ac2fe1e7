#pragma once
// The root-mean-square and standard deviation functions' parameters: the
// period controls and whether the complete (population) formula is used.
#include "chart/editors/PlotEdiPeri.h"

class TRMSFuncEditor : public TPlotFunctionEditor {
  KV_CLASS(TRMSFuncEditor, TPlotFunctionEditor)
public:
  explicit TRMSFuncEditor(TComponent* Owner);
  TCheckBox* CBComplete;
};
