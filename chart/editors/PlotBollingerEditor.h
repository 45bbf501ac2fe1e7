#pragma once
// The Bollinger bands' parameters: period, exponential average, deviation
// and the pens of the two bands.
#include "chart/editors/PlotBaseFuncEdit.h"

class TBollingerFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TBollingerFuncEditor, TBaseFunctionEditor)
public:
  explicit TBollingerFuncEditor(TComponent* Owner);
  TEdit* ENum;
  TUpDown* UpDown1;
  TCheckBox* CheckBox1;
  TEdit* Edit1;
  TButtonPen *ButtonPen1, *ButtonPen2;
};
