#pragma once
// The nearest-point tool's editor: pens, brush, hint style and size, full
// repaint.
#include "chart/editors/PlotToolSeriesEdit.h"

class TNearestToolEdit : public TSeriesToolEditor {
  KV_CLASS(TNearestToolEdit, TSeriesToolEditor)
public:
  explicit TNearestToolEdit(TComponent* Owner);
  TButtonPen *BPen, *BLine;
  TButton* Button1;
  TLabel *Label2, *Label3;
  TComboFlat* CBStyle;
  TEdit* Edit1;
  TUpDown* UDSize;
  TCheckBox* CBFull;
};
