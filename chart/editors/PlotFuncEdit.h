#pragma once
// The data-source editor for functions: the function type ("Copy" or a
// registered function), the source series (one series and its value list,
// or a list of series picked with the two-list selector) and the function's
// parameter form on an "Options" tab. Nothing reaches the series before
// "&Apply".
#include <string>
#include <utility>
#include <vector>

#include "chart/editors/PlotSelectList.h"
#include "chart/editors/PlotSourceEdit.h"
#include "chart/engine/PlotProcs.h"
#include "platform/ui/ComCtrls.h"

class TCustomAxisPanel;

class TPlotFuncEditor : public TBaseSourceEditor, public ChartEventListener {
  KV_CLASS(TPlotFuncEditor, TBaseSourceEditor)
public:
  explicit TPlotFuncEditor(TComponent* Owner);
  void BeforeDestruction() override;
  void Notification(TComponent* Component, TOperation Operation) override;

  TPageControl* PageControl1;
  TTabSheet *TabSource, *TabOptions;
  TPanel* PanSingle;
  TLabel* Label1;
  TComboFlat* CBSingle;
  TLabel* LValues;
  TComboFlat* CBValues;
  TButton* BNone;
  TTimer *Timer1, *Timer2;

  TSelectListForm* SelectForm() const { return FSelector.Get(); }
  // The embedded parameter form of the chosen function type; none for "Copy".
  TForm* ParamForm() const { return FParamForm.Get(); }
  // The function class chosen in CBSources; none for "Copy".
  TClass ChosenFunctionClass() const;

  void FormShow(TObject* Sender);
  void CBSourcesChange(TObject* Sender) override;
  void CBSingleChange(TObject* Sender);
  void BNoneClick(TObject* Sender);
  void CBValuesChange(TObject* Sender);
  void BApplyClick(TObject* Sender);
  void Timer1Timer(TObject* Sender);
  void Timer2Timer(TObject* Sender);

  void PlotEvent(TPlotEvent& Event) override;

private:
  void ListenTo(TCustomAxisPanel* Chart);
  // Fills CBSingle and the selector's lists; Leaving (a series on its way
  // out of the chart) is left out. KeepChoices keeps what the user chose
  // instead of showing the series' sources.
  void FillSourceLists(TChartSeries* Leaving = nullptr, bool KeepChoices = false);
  // The series "&Apply" would make the sources, in order.
  std::vector<TChartSeries*> ChosenSources() const;
  void ReplaceFunction(TChartSeries* Series);
  void WriteSources(TChartSeries* Series, const std::vector<TChartSeries*>& Sources);
  static void ReselectPage(TPageControl* Control, TTabSheet* Page);

  std::vector<std::pair<std::string, TClass>> FTypes;
  WeakRef<TSelectListForm> FSelector;
  WeakRef<TForm> FParamForm;
  WeakRef<TCustomAxisPanel> FListened;
  bool FLoading = false;
};
