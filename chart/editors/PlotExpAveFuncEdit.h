#pragma once
// The exponential average's parameter: the weight of the newer point.
#include "chart/editors/PlotBaseFuncEdit.h"

class TExpAveFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TExpAveFuncEditor, TBaseFunctionEditor)
public:
  explicit TExpAveFuncEditor(TComponent* Owner);
  TEdit* Edit1;
};
