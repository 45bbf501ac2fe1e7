#pragma once
// The chart editor dialog and the series style editor ("Graphic editor")
// that the application opens on one series; ChartEditors::Initialize
// registers the editor forms and installs the chart library's entry.
#include <cstdint>

#include "chart/engine/Chart.h"
#include "chart/series/PlotLisB.h"
#include "platform/rtl/Types.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormPlotSeries;

enum class TEditorTab : uint8_t {
  etSeriesList, etGeneral, etAxis, etTitles, etLegend, etPanel, etPaging, etWalls, et3D, etSeriesGeneral,
  etSeriesMarks, etSeries, etData, etExport, etExportNative, etTools, etPrint
};
using TEditorTabs = Flags<TEditorTab>;
enum class TEditorPermission : uint8_t {
  AllowAdd, AllowDelete, AllowChangeType, AllowClone, ShowDataSource, AllowTitle, AllowSeventh, ShowGroups,
  ShowAllGroup, AllowDragSeries
};
using TEditorPermissions = Flags<TEditorPermission>;

class TChartEditForm : public TForm {
  KV_CLASS(TChartEditForm, TForm)
public:
  explicit TChartEditForm(TComponent* Owner);
  ~TChartEditForm() override;
  void BeforeDestruction() override;

  TPageControl* MainPage;
  TTabSheet *TabChart, *TabSeries;
  TPageControl* SubPage;
  TTabSheet* TabSeriesList;
  TPanel* PanTop;
  TButton *BAddGroup, *BDeleteGroup, *BRenameGroup;
  TCheckBox* CBNames;
  TChartListBox* LBSeries;
  TPanel* PanRight;
  TButton *BMoveUP, *BMoveDown;
  TButton *BAddSeries, *BDeleteSeries, *BRenameSeries, *BCloneSeries, *BChangeTypeSeries;
  TPanel* PanBottom;
  TButton* ButtonHelp;
  TPanel* PanClose;
  TButton* BClose;

  TCustomAxisPanel* GetChart() const { return FChart.Get(); }
  void SetChart(TCustomAxisPanel* Chart);
  WeakRef<TChartSeries> SeriesToSelect, SeriesToOpen;
  int32_t StartPageIndex = -1;
  TEditorTabs HiddenEditorTabs;
  TEditorPermissions EditorPermissions;
  bool RememberPosition = true;
  bool RememberSize = true;
  int32_t HelpContext = 726;
  // The series page (created on first need).
  TFormPlotSeries* SeriesPage() const { return FSeriesPage; }
  // Creates the series page or tells it the series selected in LBSeries.
  void CreateSeriesPage();
  void FormShow(TObject* Sender);
  void LBSeriesRefreshButtons(TObject* Sender);
  void LBSeriesEditSeries();
  // The size FormCreate gave the form (the "unresized" size).
  int32_t CreatedWidth() const { return FCreatedWidth; }
  int32_t CreatedHeight() const { return FCreatedHeight; }

private:
  void StorePlacement();
  WeakRef<TCustomAxisPanel> FChart;
  TFormPlotSeries* FSeriesPage = nullptr;
  int32_t FCreatedWidth = 0, FCreatedHeight = 0;
};

namespace PlotEditCha {
// The height of a window caption button on this platform (18 where the style has none).
int32_t CaptionButtonHeight();
// The pixels per inch of the screen.
int32_t ScreenPixelsPerInch();
// The series style editor on one series: returns when it is closed.
void ShowSeriesStyleEditor(TChartSeries* Series);
}  // namespace PlotEditCha

namespace ChartEditors {
// Registers the editor forms and installs the series style, axis and legend
// editors as the chart library's entries (repeatable).
void Initialize();
}  // namespace ChartEditors
