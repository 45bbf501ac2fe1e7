#pragma once
// The chart editor dialog and the series style editor ("Graphic editor")
// that the application opens on one series; ChartEditors::Initialize
// registers the editor forms and installs the chart library's entry.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/series/PlotLisB.h"
#include "platform/rtl/Types.h"
#include "platform/ui/CheckLst.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"

class TFormPlotSeries;
class TFormPlotTools;
class TPlotExportForm;
class TChartPreview;
class TChartGrid;
class TChartGridNavigator;
class TChartTitle;
class TChartWall;
class TChartAxis;
class TSpeedButton;
class TPopupMenu;
class TMenuItem;
class TTreeView;
class TTreeNode;
class TSplitter;
class TSeriesGroup;

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
  TTabSheet *TabChart, *TabSeries, *TabData, *TabTools, *TabExport, *TabPrint;
  TPageControl* SubPage;
  TTabSheet *TabSeriesList, *TabGeneral, *TabAxis, *TabTitle, *TabLegend, *TabPanel, *TabPaging, *TabWalls, *Tab3D;
  TChartGrid* ChartGrid1;
  TPanel* Panel1;
  TChartGridNavigator* ChartGridNavigator1;
  TSpeedButton *SBGridText, *SBGridCol, *SBGrid3D, *SBGridX;
  TPopupMenu* PopupData;
  TMenuItem *EditColor1, *DefaultColor1, *Makenullpoint1, *N1, *Insertrow1, *Deleterow1, *N2, *extfont1;
  // Shows the colour items only over a cell with a colour.
  void PopupDataPopup(TObject* Sender);
  // Sets the colour of the point under the grid's colour cell.
  void SetCellColor(TColor Color);
  // Edits the grid's font; the rows take the height of its text.
  void extfont1Click(TObject* Sender);
  // Alt with the right button on the grid switches its XYZ mode (first series XYZ only).
  void ChartGrid1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  TPanel* PanTop;
  TButton *BAddGroup, *BDeleteGroup, *BRenameGroup;
  TCheckBox* CBNames;
  TPanel* PanelGroups;
  TCheckListBox* Groups;
  TSplitter* Splitter1;
  TChartListBox* LBSeries;
  TPanel* PanRight;
  TSpeedButton *BMoveUP, *BMoveDown;
  TButton *BAddSeries, *BDeleteSeries, *BRenameSeries, *BCloneSeries, *BChangeTypeSeries;
  TTreeView* Tree;
  TSplitter* TreeSplitter;
  TPanel* PanBottom;
  TButton* ButtonHelp;
  TPanel* PanClose;
  TButton* BClose;

  TCustomAxisPanel* GetChart() const { return FChart.Get(); }
  // Binds the dialog to a chart and attaches it to the chart as its editor
  // (detached from the chart bound before).
  void SetChart(TCustomAxisPanel* Chart);
  // The chart's change notification: the series list box or the tools page
  // changed the chart, so the series buttons, groups, series page selector,
  // tools list and tree nodes follow it.
  void ChartEdited();
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
  // Creates and embeds the page form of the active SubPage tab on first show.
  void SubPageChange(TObject* Sender);
  // Prepares the page of the active MainPage tab.
  void MainPageChange(TObject* Sender);
  // Opens the start page (0..8 a chart tab, 9 and 10 the series page's
  // General and Marks tabs, 12 Data, 13 Export, 15 Tools, 16 Print).
  void OpenStartPage();
  // The SubPage tab of a page index 0..8, the MainPage tab of 12, 13, 15, 16.
  TTabSheet* SubTab(int32_t Index) const;
  // The embedded pages (none before their tab was shown).
  TFormPlotTools* ToolsPage() const { return FToolsPage; }
  TPlotExportForm* ExportPage() const { return FExportPage; }
  TChartPreview* PrintPage() const { return FPrintPage; }
  // What the pages show first (none: the left axis, main title, left wall, no tool).
  TChartAxis* AxisToShow = nullptr;
  TChartTitle* TitleToShow = nullptr;
  TChartWall* WallToShow = nullptr;
  TPlotCustomTool* ToolToSelect = nullptr;
  void LBSeriesRefreshButtons(TObject* Sender);
  void LBSeriesEditSeries();
  // ---- groups ----
  // Lists "(all)" (with ShowAllGroup) and the chart's series groups with their checks.
  void FillGroups();
  // The group of a Groups item (none for "(all)" or a bad index).
  TSeriesGroup* GroupAt(int32_t Index) const;
  void GroupsClick(TObject* Sender);
  void GroupsClickCheck(TObject* Sender);
  void GroupsDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
  void GroupsDragDrop(TObject* Sender, TObject* Source, int X, int Y);
  void BAddGroupClick(TObject* Sender);
  void BRenameGroupClick(TObject* Sender);
  void BDeleteGroupClick(TObject* Sender);
  // ---- tree mode ----
  bool TreeMode() const;
  // Rebuilds the tree's nodes from the chart and the visible tabs.
  void FillTree();
  // Opens the page of the selected node.
  void TreeChange(TObject* Sender, TTreeNode* Node);
  void TreeEditing(TObject* Sender, TTreeNode* Node, bool& AllowEdit);
  void FormResize(TObject* Sender);
  // The panel that shows the selected node's page (none outside tree mode).
  TPanel* TreeHost() const { return FTreeHost; }
  TTreeNode* SeriesNode() const { return FSeriesNode; }
  TTreeNode* ToolsNode() const { return FToolsNode; }
  // The size FormCreate gave the form (the "unresized" size).
  int32_t CreatedWidth() const { return FCreatedWidth; }
  int32_t CreatedHeight() const { return FCreatedHeight; }

private:
  void StorePlacement();
  // Creates and embeds the page form of a SubPage tab that holds none yet.
  void CreateSubPageForm(TTabSheet* Tab);
  // Creates or refreshes the page of a MainPage tab.
  void PrepareMainTab(TTabSheet* Tab);
  // Puts the tabs moved into the tree host back into their page controls.
  void LeaveTreeMode();
  void EnterTreeMode();
  void RebuildSeriesNodes();
  void RebuildToolNodes();
  // Gives Node the children Wanted (object and text, in order) unless it has
  // them; the selected child stays selected when its object is still wanted.
  void SetNodeChildren(TTreeNode* Node, const std::vector<std::pair<TObject*, std::string>>& Wanted);
  void ClearTreeHost();
  void ShowInTreeHost(TWinControl* Control);
  TPanel* FTreeHost = nullptr;
  TTreeNode* FSeriesNode = nullptr;
  TTreeNode* FToolsNode = nullptr;
  TTreeNode* FChartNode = nullptr;
  int32_t FWidthWithoutTree = 0;
  bool FFillingTree = false;
  WeakRef<TCustomAxisPanel> FChart;
  TFormPlotSeries* FSeriesPage = nullptr;
  TFormPlotTools* FToolsPage = nullptr;
  TPlotExportForm* FExportPage = nullptr;
  TChartPreview* FPrintPage = nullptr;
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
// Removes what Initialize added to the platform (the chart picture format).
void Finalize();
}  // namespace ChartEditors
