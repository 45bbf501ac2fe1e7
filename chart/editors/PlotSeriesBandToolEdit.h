#pragma once
// The series band tool's editor: the second series, the band's brush, pen
// and gradient, drawing behind the series and transparency.
#include "chart/editors/PlotToolSeriesEdit.h"

class TButtonGradient;

class TSeriesBandToolEdit : public TSeriesToolEditor {
  KV_CLASS(TSeriesBandToolEdit, TSeriesToolEditor)
public:
  explicit TSeriesBandToolEdit(TComponent* Owner);
  TLabel *Label2, *Label3;
  TComboFlat* CBSeries2;
  TButton* BBrush;
  TButtonPen* BPen;
  TButtonGradient* BGradient;
  TCheckBox* CBDrawBehind;
  TEdit* ETrans;
  TUpDown* UDTrans;
};
