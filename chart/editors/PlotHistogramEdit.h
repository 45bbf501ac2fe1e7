#pragma once
// The histogram series format page: colour each point and the colour, the
// lines between bars, the border, the pattern and transparency.
#include "chart/editors/PlotSeriesFormBase.h"

class THistogramSeriesEditor : public TSeriesFormBase {
  KV_CLASS(THistogramSeriesEditor, TSeriesFormBase)
public:
  explicit THistogramSeriesEditor(TComponent* Owner);

  TCheckBox* CBColorEach;
  TButtonColor* BAreaColor;
  TButtonPen *BAreaLinesPen, *BAreaLinePen;
  TButton* Button1;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UDTransp;

protected:
  void FillForm() override;
  void RowRule(int32_t Row) override;

private:
  int32_t FRowColorEach = -1;
};
