#pragma once
// The drag-point tool's editor: the drag direction and the chosen series'
// cursor.
#include "chart/editors/PlotToolSeriesEdit.h"

class TDragPointToolEdit : public TSeriesToolEditor {
  KV_CLASS(TDragPointToolEdit, TSeriesToolEditor)
public:
  explicit TDragPointToolEdit(TComponent* Owner);
  TRadioGroup* RGStyle;
  TLabel* Label2;
  TComboFlat* CBCursor;

private:
  // The cursor combo shows the chosen series' cursor, and only with one.
  void LoadCursor();
};
