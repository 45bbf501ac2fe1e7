#pragma once
// The funnel series format page: lines, border, pattern, the three segment
// colours and the difference limit.
#include "chart/editors/PlotSeriesFormBase.h"

class TFunnelSeriesEditor : public TSeriesFormBase {
  KV_CLASS(TFunnelSeriesEditor, TSeriesFormBase)
public:
  explicit TFunnelSeriesEditor(TComponent* Owner);

  TButtonPen *ButtonPen1, *ButtonPen2;
  TButton* Button1;
  TButtonColor *AboveColor, *WithinColor, *BelowColor;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* DifLimit;
};
