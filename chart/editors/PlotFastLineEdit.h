#pragma once
// The fast line series format page: the pen dialog on the series' line pen
// (its OK and Cancel buttons hidden, every change live), with draw-all,
// stairs, inverted stairs and ignore-nulls boxes.
#include "chart/series/PlotPenDlg.h"

class TFastLineSeries;

class TFastLineSeriesEditor : public TPenDialog {
  KV_CLASS(TFastLineSeriesEditor, TPenDialog)
public:
  explicit TFastLineSeriesEditor(TComponent* Owner);

  TCheckBox *CBDrawAll, *CBStairs, *CBInvStairs, *CBNulls;

  void FormShow(TObject* Sender);
  TFastLineSeries* Series() const;

private:
  // Writes Value through Setter while the page is not filling its controls.
  void BoxClicked(TCheckBox* Box, void (TFastLineSeries::*Setter)(bool));
  bool FFilling = true;
};
