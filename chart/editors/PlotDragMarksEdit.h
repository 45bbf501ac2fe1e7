#pragma once
// The drag-marks tool's editor: its series (or all) and resetting the marks'
// positions.
#include "chart/editors/PlotToolSeriesEdit.h"

class TDragMarksToolEditor : public TSeriesToolEditor {
  KV_CLASS(TDragMarksToolEditor, TSeriesToolEditor)
public:
  explicit TDragMarksToolEditor(TComponent* Owner);
  TButton* Button1;
  // Moves the dragged marks of the tool's series, or of every series of its
  // chart, back to their own places.
  void Button1Click(TObject* Sender);
};
