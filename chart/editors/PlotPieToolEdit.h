#pragma once
// The pie slices tool's editor: its pie series, the highlight style and the
// focus outline.
#include "chart/editors/PlotToolSeriesEdit.h"

class TPieToolEditor : public TSeriesToolEditor {
  KV_CLASS(TPieToolEditor, TSeriesToolEditor)
public:
  explicit TPieToolEditor(TComponent* Owner);
  TRadioGroup* RGStyle;
  TButtonPen* BPen;
};
