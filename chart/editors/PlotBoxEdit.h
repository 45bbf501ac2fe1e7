#pragma once
// The box-plot series format page: median and whisker pens, whisker length
// and position, with the box, extreme-outlier and mild-outlier symbols as the
// tabs "Box", "ExtrOut" and "MildOut" of the series page.
#include "chart/editors/PlotSeriesFormBase.h"

class TCustomBoxSeries;

class TBoxSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TBoxSeriesEditor, TSeriesFormBase)
public:
  explicit TBoxSeriesEditor(TComponent* Owner);

  TButtonPen *BMedian, *BWhisker;
  TLabel *Label1, *Label2;
  TEdit *ELength, *EPos;

  TCustomBoxSeries* Box() const;

protected:
  void FillForm() override;
};
