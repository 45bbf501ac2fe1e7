#pragma once
#include "chart/editors/PlotBarSeriesEdit.h"

// A bar series whose bars are joined by a line: the bar page with a "Join" pen.
class TBarJoinEditor : public TBarSeriesEditor {
  KV_CLASS(TBarJoinEditor, TBarSeriesEditor)
public:
  explicit TBarJoinEditor(TComponent* Owner);
  TButtonPen* BJoin;
};
