#pragma once
// The percentage volume oscillator's parameters: the two periods and
// whether the gap is a percentage.
#include "chart/editors/PlotBaseFuncEdit.h"

class TPVOFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TPVOFuncEditor, TBaseFunctionEditor)
public:
  explicit TPVOFuncEditor(TComponent* Owner);
  TEdit *EPeriod, *Edit1;
  TUpDown *UDPeriod, *UDPeriod2;
  TCheckBox* CBPercent;
};
