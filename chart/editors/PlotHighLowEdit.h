#pragma once
// The high-low series format page: the line, high and low pens, the high and
// low patterns, colour and colour each point, and transparency.
#include "chart/editors/PlotSeriesFormBase.h"

class THighLowEditor : public TSeriesFormBase {
  KV_CLASS(THighLowEditor, TSeriesFormBase)
public:
  explicit THighLowEditor(TComponent* Owner);

  TButtonPen *BPen, *BHighPen, *BLowPen;
  TButton *BBrush, *BLowBrush;
  TCheckBox* CBColorEach;
  TButtonColor* BColor;
  TLabel* Label1;
  TEdit* Edit1;
  TUpDown* UDTransp;
};
