#pragma once
// The "Stack" page of a bar series: origin, multiple bars and stack group.
#include "chart/editors/PlotSeriesFormBase.h"

class TStackBarSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TStackBarSeriesEditor, TSeriesFormBase)
public:
  explicit TStackBarSeriesEditor(TComponent* Owner);

  TCheckBox* CBYOrigin;
  TEdit* EYOrigin;
  TRadioGroup* RGMultiBar;
  TLabel* Label1;
  TEdit* EGroup;
  TUpDown* UDGroup;

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  void GroupRule();
  int32_t FRowOrigin = -1, FRowMulti = -1;
};
