#pragma once
// The volume series format page: the pen dialog's controls edit the series'
// line pen (its colour also becoming the series colour), with colour each
// point and the origin of the lines.
#include "chart/extras/CandleCh.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/rtl/WeakRef.h"

class TVolumeSeriesEditor : public TPenDialog {
  KV_CLASS(TVolumeSeriesEditor, TPenDialog)
public:
  explicit TVolumeSeriesEditor(TComponent* Owner);

  TCheckBox *CBColorEach, *CBUseOrigin;
  TLabel* Label1;
  TEdit* EOrigin;

  TVolumeSeries* Volume() const { return FSeries.Get(); }
  void FormShow(TObject* Sender);
  void BColorClick(TObject* Sender);
  void CBColorEachClick(TObject* Sender);
  void CBUseOriginClick(TObject* Sender);
  void EOriginChange(TObject* Sender);

private:
  WeakRef<TVolumeSeries> FSeries;
  // True from creation until the controls have been filled.
  bool FFilling = true;
};
