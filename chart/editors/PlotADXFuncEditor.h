#pragma once
// The ADX function's parameters: its period and the pens of the +DI and -DI lines.
#include "chart/editors/PlotBaseFuncEdit.h"

class TADXFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TADXFuncEditor, TBaseFunctionEditor)
public:
  explicit TADXFuncEditor(TComponent* Owner);
  TEdit* EPeriod;
  TUpDown* UDPeriod;
  TButtonPen *BUp, *BDown;
};
