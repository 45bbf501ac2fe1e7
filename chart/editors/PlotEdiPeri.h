#pragma once
// The parameter form of plain functions: which points a result takes (all,
// every number of points, every range of X) and where the result lies in its
// period.
#include "chart/editors/PlotBaseFuncEdit.h"

class TPlotFunctionEditor : public TBaseFunctionEditor {
  KV_CLASS(TPlotFunctionEditor, TBaseFunctionEditor)
public:
  explicit TPlotFunctionEditor(TComponent* Owner);

  TLabel* Label2;
  TComboFlat* CBStyle;
  TLabel* Label3;
  TEdit* ENum;
  TButton* BChange;
  TLabel* Label1;
  TComboFlat* CBAlign;

  void SetFunction() override;
  void ApplyFormChanges() override;
  bool CheckFormChanges(std::string& Message) override;

  void CBStyleChange(TObject* Sender);
  void BChangeClick(TObject* Sender);

  enum : int32_t { StyleAll = 0, StyleNumPoints = 1, StyleRange = 2 };
};
