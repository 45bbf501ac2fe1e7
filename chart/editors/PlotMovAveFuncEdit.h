#pragma once
// The moving average's parameters: the window in points and the weighting.
#include "chart/editors/PlotBaseFuncEdit.h"

class TMovAveFuncEditor : public TBaseFunctionEditor {
  KV_CLASS(TMovAveFuncEditor, TBaseFunctionEditor)
public:
  explicit TMovAveFuncEditor(TComponent* Owner);
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UpDown1;
  TLabel* Label2;
  TComboFlat* CBStyle;

  void SetFunction() override;
  void ApplyFormChanges() override;
};
