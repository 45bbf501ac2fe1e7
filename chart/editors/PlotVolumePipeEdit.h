#pragma once
// The volume-pipe series format page: cone size, border, lines, pattern
// with a clear back, and the gradient with its direction.
#include "chart/editors/PlotSeriesFormBase.h"

class TVolumePipeSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TVolumePipeSeriesEditor, TSeriesFormBase)
public:
  explicit TVolumePipeSeriesEditor(TComponent* Owner);

  TLabel* Label1;
  TEdit* Edit2;
  TUpDown* UpDown1;
  TButtonPen *ButtonPen1, *ButtonPen2;
  TButton* Button1;
  TCheckBox* CheckBox1;
  TCheckBox* CheckGradient;
  TLabel* Label2;
  TComboFlat* CBDirection;

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void BackClearRule();
  int32_t FRowBrush = -1;
};
