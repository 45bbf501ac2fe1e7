#pragma once
// The series page of the chart editor: a "Format" tab hosting the series
// type's own editor form, a "General" tab (legend, cursor, depth, value
// formats, axes, date-time flags, sort order) and a "Marks" tab (style,
// arrows, symbol and the marks' shape pages). Every row writes its property
// of the shown series at once.
#include <cstdint>
#include <string>

#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotPenDlg.h"
#include "platform/ui/ComCtrls.h"

class TChartGrid;
class TChartGridNavigator;
class TChartListBox;
class TChartSeries;
class TCustomAxisPanel;
class TFormPlotShape;

class TFormPlotSeries : public TEditorPage, public ChartEventListener {
  KV_CLASS(TFormPlotSeries, TEditorPage)
public:
  explicit TFormPlotSeries(TComponent* Owner);
  ~TFormPlotSeries() override;
  void BeforeDestruction() override;

  // ---- top ----
  TPanel* Panel1;
  TImage* ImageSeries;
  TLabel* LabelSeriesClass;
  TComboFlat* CBSeries;
  TPaintBox* PaintBox1;
  TPanel* Panel3;
  TCheckBox* CBPersistent;
  // ---- pages ----
  TPageControl* PageSeries;
  TTabSheet *TheTabSheet, *TabGeneral, *TabMarks, *TabDataSource;
  TPageControl* PageControlMarks;
  TTabSheet *TabSheet1, *TabSheet2, *TabSymbol;
  // ---- General ----
  TCheckBox* CBShowInLegend;
  TLabel* LCursor;
  TComboFlat* CBCursor;
  TLabel* LDepth;
  TEdit* EDepth;
  TUpDown* UDDepth;
  TCheckBox* CBDepth;
  TLabel* LFormat;
  TComboFlat* CBFormat;
  TButton* Button1;
  TLabel* LPercentFormat;
  TEdit* EPercentFormat;
  TButton* Button2;
  TGroupBox *GBHorizAxis, *GBVertAxis;
  TComboFlat *CBHorizAxis, *CBVertAxis;
  TCheckBox *CBXDateTime, *CBYDateTime, *CBZDateTime;
  TLabel* LSort;
  TComboFlat* CBSort;
  TCheckBox* CBShowInEditor;
  // ---- Marks ----
  TCheckBox *CBMarksVisible, *CBMarkClip, *CBMultiLine, *CBAllVisible;
  TEdit* SEMarksAngle;
  TUpDown* UDMarksAngle;
  TEdit* EMarksEvery;
  TUpDown* UDEvery;
  TRadioGroup* RGMarkStyle;
  TEdit *SEArrowLength, *EArrowDist, *Edit1;
  TUpDown *UDArrowsLength, *UDArrowDist, *UDHeadSize;
  TButtonPen* BMarkLinCol;
  TButton* BCalloutPointer;
  TComboFlat* CBHead;
  TCheckBox* CBSymbolVisible = nullptr;
  // ---- Data Source ----
  TPanel* PanelDataSource;
  TComboFlat* CBDataSourcestyle;
  TButton *NewDataButton, *EditDataButton, *DeleteDataButton;
  TPanel* Panel2;
  TChartGrid* ChartGrid1;
  TChartGridNavigator* ChartGridNavigator1;
  TPanel* Panel4;
  TLabel* LSamples;
  TEdit* ESamples;
  TCheckBox* CBSamplesDefault;
  TButton *BApplyRandom, *Button3;
  TTimer* Timer1;

  // The four flags the owner sets before use.
  bool ShowDataSourceTab = true;
  bool ShowGeneralTab = true;
  bool ShowMarksTab = true;
  bool ShowPersistent = false;
  // The chart editor's series list box (not owned).
  TChartListBox* SeriesListBox = nullptr;

  TChartSeries* CurrentSeries() const { return FSeries.Get(); }
  // Shows Series (none hides the pages); selects it in CBSeries first.
  void SelectSeries(TChartSeries* Series);
  // Fills CBSeries with the chart's series.
  void FillSeriesCombo(TCustomAxisPanel* Chart);
  void CBSeriesChange(TObject* Sender);
  void PageSeriesChange(TObject* Sender);
  void RefreshAxisLists();
  bool CloseQuery() override;
  bool Selecting() const { return FSelecting; }
  bool Filling() const { return FFilling; }
  // The embedded editor of the series type (none when the type has no form).
  TForm* FormatForm() const;
  TFormPlotShape* MarksEditor() const { return FMarksEditor; }
  TFormPlotShape* SymbolEditor() const { return FSymbolEditor; }
  // The open data-source editor form (the function editor), none when closed.
  TForm* DataSourceForm() const { return FDataSourceForm.Get(); }
  void CBDataSourcestyleChange(TObject* Sender);
  // The most random sample values "&Apply" adds.
  static constexpr int32_t MaxSampleCount = 1000000;

  void PlotEvent(TPlotEvent& Event) override;

private:
  void BuildGeneralTab();
  void BuildMarksTab();
  void ShowSeries(TChartSeries* Series, const std::string& Caption);
  void EmptyFormatTab();
  void FillGeneralTab();
  void FillMarksTab();
  void BuildDataSourceTab();
  void FillDataSourceTab();
  void RebuildDataSource();
  void DetachDataSource(TChartSeries* S);
  bool CloseDataSourceForm();
  void SamplesRule();
  void FillAxisList(TComboFlat* Combo, bool Horizontal);
  void ListenTo(TCustomAxisPanel* Chart);
  void RuleChanged(int32_t Row);
  void EnableMultiLine();
  void RefreshAllVisible();
  void PaintSwatch();
  // A row of the kit moved onto Parent at the given bounds and named.
  template <class T>
  T* RowControl(int32_t Row, TWinControl* Parent, const char* Name, int L, int T_, int W, int H);

  WeakRef<TChartSeries> FSeries, FLastSeries;
  WeakRef<TCustomAxisPanel> FListened;
  TFormPlotShape* FMarksEditor = nullptr;
  TFormPlotShape* FSymbolEditor = nullptr;
  WeakRef<TForm> FDataSourceForm;
  bool FSelecting = true;
  bool FFilling = false;
  int32_t FRowDepth = -1, FRowMarksVisible = -1, FRowMarkStyle = -1, FRowAllVisible = -1;
};

namespace PlotEdiSeri {
// The registered editor form class named by the series' class; none when unknown.
TClass FindSeriesEditorClass(const TChartSeries* Series);
// A tab of the series page holding a new editor form, or a free form (see the unit).
TForm* InsertSeriesEditorTab(TWinControl* Parent, TClass FormClass, TObject* Edited, const std::string& Caption,
                             int32_t PageIndex);
// "Custom " + " " + n: the text of custom axis n in the axis lists.
std::string CustomAxisText(int32_t N);
}  // namespace PlotEdiSeri
