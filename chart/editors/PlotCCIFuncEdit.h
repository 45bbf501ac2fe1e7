#pragma once
// The commodity channel index's parameters: the constant and the period.
#include "chart/editors/PlotBaseFuncEdit.h"

class TCCIFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TCCIFuncEditor, TBaseFunctionEditor)
public:
  explicit TCCIFuncEditor(TComponent* Owner);
  TEdit* EConst;
  TEdit* EPeriod;
  TUpDown* UDPeriod;
};
