#pragma once
// The MACD function's parameters: its three periods and the pens of its
// three lines.
#include "chart/editors/PlotBaseFuncEdit.h"

class TMACDFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TMACDFuncEditor, TBaseFunctionEditor)
public:
  explicit TMACDFuncEditor(TComponent* Owner);
  TEdit *ENum, *Edit1, *Edit2;
  TUpDown *UpDown1, *UpDown2, *UpDown3;
  TButtonPen *BHistogram, *BMACD, *BMACDExp;
};
