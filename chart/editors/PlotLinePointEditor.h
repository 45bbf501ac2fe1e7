#pragma once
// The line-point series format page: the point style editor with a "Lines"
// pen for the drop lines.
#include "chart/editors/PlotPoEdi.h"

class TLinePointEditor : public TSeriesPointerEditor {
  KV_CLASS(TLinePointEditor, TSeriesPointerEditor)
public:
  explicit TLinePointEditor(TComponent* Owner);
  TButtonPen* BLines;
};
