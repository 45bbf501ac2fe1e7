#pragma once
// The pyramid series format page: border, pattern, colours and size.
#include "chart/editors/PlotSeriesFormBase.h"

class TPyramidSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TPyramidSeriesEditor, TSeriesFormBase)
public:
  explicit TPyramidSeriesEditor(TComponent* Owner);

  TButtonPen* BPen;
  TButton* Button1;
  TCheckBox* CBColorEach;
  TButtonColor* BColor;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UDSize;

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  int32_t FRowColorEach = -1;
};
