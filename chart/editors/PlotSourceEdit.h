#pragma once
// The base of the series page's data-source editors: a "Source" combo and an
// "&Apply" button that lights up when something waits to be applied; closing
// with a pending change asks whether to apply it.
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/series/PlotPenDlg.h"


class TBaseSourceEditor : public TForm {
  KV_CLASS(TBaseSourceEditor, TForm)
public:
  explicit TBaseSourceEditor(TComponent* Owner);

  TPanel* Pan;
  TLabel* LLabel;
  TComboFlat* CBSources;
  TButton* BApply;

  // Whether Source may feed the edited series through this editor.
  virtual bool AcceptsSource(TComponent* Source);
  // The series this editor was shown for (none before the show or once freed).
  TChartSeries* TheSeries() const { return FSeries.Get(); }
  bool SkipValidation = false;

  void FormShow(TObject* Sender);
  virtual void CBSourcesChange(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);

protected:
  WeakRef<TChartSeries> FSeries;
};
