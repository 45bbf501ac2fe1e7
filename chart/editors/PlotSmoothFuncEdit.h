#pragma once
// The smoothing function's parameters: interpolation and the number of
// pieces per source point.
#include "chart/editors/PlotBaseFuncEdit.h"

class TSmoothFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TSmoothFuncEditor, TBaseFunctionEditor)
public:
  explicit TSmoothFuncEditor(TComponent* Owner);
  TCheckBox* CBInterp;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UpDown1;
};
