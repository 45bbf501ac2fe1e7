#pragma once
// The water-fall series format page: the surface page plus the pen of the
// water-fall lines.
#include "chart/editors/PlotSurfaceEdit.h"

class TWaterFallEditor : public TSurfaceSeriesEditor {
  KV_CLASS(TWaterFallEditor, TSurfaceSeriesEditor)
public:
  explicit TWaterFallEditor(TComponent* Owner);

  TButtonPen* BLines;
};
