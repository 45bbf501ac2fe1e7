#pragma once
// The parameters of the function that computes y = f(x) itself: where x
// starts, its step and how many points are made.
#include "chart/editors/PlotBaseFuncEdit.h"

class TCustomFunctionEditor : public TBaseFunctionEditor {
  KV_CLASS(TCustomFunctionEditor, TBaseFunctionEditor)
public:
  explicit TCustomFunctionEditor(TComponent* Owner);
  TEdit *EStart, *EStep, *ENum;
};
