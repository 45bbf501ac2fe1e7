#pragma once
// The extra legend tool's editor: its series and the legend's own editor.
#include "chart/editors/PlotToolSeriesEdit.h"

class TExtraLegendEditor : public TSeriesToolEditor {
  KV_CLASS(TExtraLegendEditor, TSeriesToolEditor)
public:
  explicit TExtraLegendEditor(TComponent* Owner);
  TButton* BEdit;
  // Opens the chart editor's legend page on the tool's legend, modally.
  void BEditClick(TObject* Sender);
};
