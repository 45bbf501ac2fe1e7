// The chart editor dialog on its series style path, and the editors' start-up.
#include "chart/editors/PlotEditCha.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "chart/editors/PlotAreaEdit.h"
#include "chart/editors/PlotArrowEdit.h"
#include "chart/editors/PlotBubbleEdit.h"
#include "chart/editors/PlotCalendarEdit.h"
#include "chart/editors/PlotCustEdit.h"
#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotEdi3D.h"
#include "chart/editors/PlotEdiAxis.h"
#include "chart/editors/PlotEdiGene.h"
#include "chart/editors/PlotEdiPage.h"
#include "chart/editors/PlotEdiPane.h"
#include "chart/editors/PlotEdiTitl.h"
#include "chart/editors/PlotEdiWall.h"
#include "chart/editors/PlotEditPro.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/editors/PlotFastLineEdit.h"
#include "chart/editors/PlotGanttEdit.h"
#include "chart/editors/PlotToolsGallery.h"
#include "chart/editors/PlotBoxEdit.h"
#include "chart/editors/PlotCandleEdit.h"
#include "chart/editors/PlotColorGridEdit.h"
#include "chart/editors/PlotContourEdit.h"
#include "chart/editors/PlotHighLowEdit.h"
#include "chart/editors/PlotHistogramEdit.h"
#include "chart/editors/PlotSurfaceEdit.h"
#include "chart/editors/PlotTowerEdit.h"
#include "chart/editors/PlotTriSurfaceEdit.h"
#include "chart/editors/PlotVectorEdit.h"
#include "chart/editors/PlotVolumeEdit.h"
#include "chart/editors/PlotWaterFallEdit.h"
#include "chart/editors/PlotEdiLege.h"
#include "chart/editors/PlotSymbolEditor.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotGriEd.h"
#include "chart/editors/PlotGridToolEdit.h"
#include "chart/editors/PlotMapSeriesEdit.h"
#include "chart/editors/PlotPoEdi.h"
#include "chart/editors/PlotPointFigureEdit.h"
#include "chart/editors/PlotPoint3DEdit.h"
#include "chart/editors/PlotShapeEdit.h"
#include "chart/editors/PlotBarSeriesEdit.h"
#include "chart/editors/PlotStackBarEdit.h"
#include "chart/editors/PlotImageBarEdit.h"
#include "chart/editors/PlotErrorSeriesEdit.h"
#include "chart/editors/PlotPyramidEdit.h"
#include "chart/editors/PlotFunnelEdit.h"
#include "chart/editors/PlotVolumePipeEdit.h"
#include "chart/editors/PlotBarJoinEditor.h"
#include "chart/editors/PlotLinePointEditor.h"
#include "chart/editors/PlotCircledEdit.h"
#include "chart/editors/PlotPieEdit.h"
#include "chart/editors/PlotDonutEdit.h"
#include "chart/editors/PlotPolarEdit.h"
#include "chart/editors/PlotClockEdit.h"
#include "chart/editors/PlotWindRoseEdit.h"
#include "chart/editors/PlotSmithEdit.h"
#include "chart/editors/PlotGaugeEdit.h"
#include "chart/editors/PlotADXFuncEditor.h"
#include "chart/editors/PlotAvgFuncEditor.h"
#include "chart/editors/PlotBollingerEditor.h"
#include "chart/editors/PlotCCIFuncEdit.h"
#include "chart/editors/PlotCLVFuncEdit.h"
#include "chart/editors/PlotCompressFuncEdit.h"
#include "chart/editors/PlotCustomFuncEditor.h"
#include "chart/editors/PlotEdiPeri.h"
#include "chart/editors/PlotExpAveFuncEdit.h"
#include "chart/editors/PlotFuncEdit.h"
#include "chart/editors/PlotMACDFuncEdit.h"
#include "chart/editors/PlotMovAveFuncEdit.h"
#include "chart/editors/PlotOBVFuncEdit.h"
#include "chart/editors/PlotPVOFuncEdit.h"
#include "chart/editors/PlotRMSFuncEdit.h"
#include "chart/editors/PlotSelectList.h"
#include "chart/editors/PlotSmoothFuncEdit.h"
#include "chart/editors/PlotAnnToolEdit.h"
#include "chart/editors/PlotAxisArrowEdit.h"
#include "chart/editors/PlotAxisToolEdit.h"
#include "chart/editors/PlotColorBandEdit.h"
#include "chart/editors/PlotColorLineEditor.h"
#include "chart/editors/PlotCursorEdit.h"
#include "chart/editors/PlotDataTableEditor.h"
#include "chart/editors/PlotDragMarksEdit.h"
#include "chart/editors/PlotDragPointToolEdit.h"
#include "chart/editors/PlotDrawLineEditor.h"
#include "chart/editors/PlotExtraLegendEdit.h"
#include "chart/editors/PlotGanttToolEdit.h"
#include "chart/editors/PlotGridBandToolEdit.h"
#include "chart/editors/PlotImageToolEdit.h"
#include "chart/editors/PlotLightToolEdit.h"
#include "chart/editors/PlotMarksTipToolEdit.h"
#include "chart/editors/PlotNearestToolEditor.h"
#include "chart/editors/PlotPieToolEdit.h"
#include "chart/editors/PlotRotateToolEditor.h"
#include "chart/editors/PlotSelectorToolEdit.h"
#include "chart/editors/PlotSeriesAnimEdit.h"
#include "chart/editors/PlotSeriesBandToolEdit.h"
#include "chart/editors/PlotToolSeriesEdit.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotExport.h"
#include "platform/ui/Menus.h"
#include "chart/series/PlotPenDlg.h"
#include "chart/series/PlotPrevi.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TabSheetMove.h"
#include "platform/ui/TreeView.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Restore.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/FreeGuard.h"

using PlotPenDlg::PlaceControl;

namespace {

// The design size, stored as texts and scaled with integer division.
const char* const DesignWidth = "414";
const char* const DesignHeight = "347";
// The caption-button height the design height includes.
constexpr int32_t DesignCaptionButton = 18;

}  // namespace

namespace PlotEditCha {

int32_t CaptionButtonHeight() { return DesignCaptionButton; }

int32_t ScreenPixelsPerInch() { return 96; }

void ShowSeriesStyleEditor(TChartSeries* Series) {
  if (!Series) return;
  TOwned<TChartEditForm> Owned(Create<TChartEditForm>(nullptr));
  TChartEditForm* Form = Owned.get();
  Form->ButtonHelp->Hide();
  // The series style editor shows the series page alone, also where the tree mode is remembered.
  Form->Tree->Hide();
  auto* Chart = dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart());
  Form->SetChart(Chart);
  Form->SeriesToSelect = Series;
  Form->SeriesToOpen = Series;
  // The non-modal show only runs the show logic: the window appears once, modally.
  Form->FormShow(Form);
  Form->CreateSeriesPage();
  TFormPlotSeries* Page = Form->SeriesPage();
  if (Page) {
    Page->SetParent(Form);
    Page->SetAlign(TAlign::alClient);
    Form->MainPage->Hide();
    Page->Panel1->Hide();
    Page->Panel3->Hide();
    Page->TabDataSource->SetTabVisible(false);
    Page->TabGeneral->SetTabVisible(false);
    Page->ShowDataSourceTab = false;
    Page->ShowGeneralTab = false;
    if (Page->PageSeries->GetActivePage() && !Page->PageSeries->GetActivePage()->GetTabVisible())
      for (int32_t i = 0; i < Page->PageSeries->PageCount(); ++i)
        if (Page->PageSeries->Pages(i)->GetTabVisible()) {
          Page->PageSeries->SetActivePage(Page->PageSeries->Pages(i));
          Page->PageSeriesChange(Page->PageSeries);
          break;
        }
    if (auto* Line = dynamic_cast<TCustomSeriesEditor*>(Page->FormatForm()))
      PlotPenDlg::SetControlsVisible(false, {Line->CBStack, Line->CBDark3D, Line->CBColorEach, Line->CBClick,
                                             Line->UDHeight, Line->CheckBox1, Line->LHeight, Line->EHeight,
                                             Line->Label1});
  }
  Form->SetCaption("Graphic editor");
  Form->Hide();
  Form->ShowModal();
}

}  // namespace PlotEditCha

KV_CLASS_IMPL(TChartEditForm, TForm) {}

TChartEditForm::TChartEditForm(TComponent* Owner) : TForm(Owner) {
  SetName("ChartEditForm");
  SetShowHint(true);
  Position = TPosition::poOwnerFormCenter;
  SetClientWidth(436);
  SetClientHeight(320);
  PanBottom = PlaceControl<TPanel>(this, "PanBottom", 0, 286, 436, 34);
  PanBottom->SetAlign(TAlign::alBottom);
  PanBottom->SetCaption("");
  PanBottom->BevelOuter = TPanelBevel::bvNone;
  ButtonHelp = PlaceControl<TButton>(this, PanBottom, "ButtonHelp", 8, 5, 75, 25);
  ButtonHelp->SetCaption("&Help...");
  // No help by topic on this platform.
  ButtonHelp->SetVisible(false);
  PanClose = PlaceControl<TPanel>(this, PanBottom, "PanClose", 340, 0, 96, 34);
  PanClose->SetAlign(TAlign::alRight);
  PanClose->SetCaption("");
  PanClose->BevelOuter = TPanelBevel::bvNone;
  BClose = PlaceControl<TButton>(this, PanClose, "BClose", 10, 5, 75, 25);
  BClose->SetCaption("Close");
  BClose->Default = true;
  BClose->Cancel = true;
  BClose->ModalResult = mrCancel;

  Tree = PlaceControl<TTreeView>(this, "Tree", 0, 0, 126, 286);
  Tree->SetAlign(TAlign::alLeft);
  Tree->SetVisible(false);
  Tree->HideSelection = false;
  Tree->Indent = 19;
  Tree->OnChange = [this](TObject* S, TTreeNode* N) { TreeChange(S, N); };
  Tree->OnEditing = [this](TObject* S, TTreeNode* N, bool& Allow) { TreeEditing(S, N, Allow); };
  Tree->OnEdited = [this](TObject*, TTreeNode* N, std::string& Text) {
    if (auto* Series = dynamic_cast<TChartSeries*>(static_cast<TObject*>(N->Data))) {
      Series->SetTitle(Text);
      LBSeries->FillSeries(LBSeries->SelectedSeries());
      Text = PlotEngine::SeriesTitleOrName(Series);
    }
  };
  TreeSplitter = PlaceControl<TSplitter>(this, "TreeSplitter", 126, 0, 3, 286);
  TreeSplitter->SetAlign(TAlign::alLeft);
  TreeSplitter->SetVisible(false);
  MainPage = PlaceControl<TPageControl>(this, "MainPage", 0, 0, 436, 286);
  MainPage->SetAlign(TAlign::alClient);
  auto AddTab = [this](TPageControl* PC, const char* Name, const char* Caption) {
    auto* T = Create<TTabSheet>(this);
    T->SetName(Name);
    T->SetCaption(Caption);
    T->SetPageControl(PC);
    return T;
  };
  TabChart = AddTab(MainPage, "TabChart", "Chart");
  TabSeries = AddTab(MainPage, "TabSeries", "Series");
  TabData = AddTab(MainPage, "TabData", "Data");
  TabTools = AddTab(MainPage, "TabTools", "Tools");
  TabExport = AddTab(MainPage, "TabExport", "Export");
  TabPrint = AddTab(MainPage, "TabPrint", "Print");
  SubPage = PlaceControl<TPageControl>(this, TabChart, "SubPage", 0, 0, 428, 258);
  SubPage->SetAlign(TAlign::alClient);
  TabSeriesList = AddTab(SubPage, "TabSeriesList", "Series");
  TabGeneral = AddTab(SubPage, "TabGeneral", "General");
  TabAxis = AddTab(SubPage, "TabAxis", "Axis");
  TabTitle = AddTab(SubPage, "TabTitle", "Titles");
  TabLegend = AddTab(SubPage, "TabLegend", "Legend");
  TabPanel = AddTab(SubPage, "TabPanel", "Panel");
  TabPaging = AddTab(SubPage, "TabPaging", "Paging");
  TabWalls = AddTab(SubPage, "TabWalls", "Walls");
  Tab3D = AddTab(SubPage, "Tab3D", "3D");
  // ---- Data ----
  Panel1 = PlaceControl<TPanel>(this, TabData, "Panel1", 0, 226, 428, 32);
  Panel1->SetAlign(TAlign::alBottom);
  Panel1->SetCaption("");
  Panel1->BevelOuter = TPanelBevel::bvNone;
  ChartGrid1 = PlaceControl<TChartGrid>(this, TabData, "ChartGrid1", 0, 0, 428, 226);
  ChartGrid1->SetAlign(TAlign::alClient);
  ChartGridNavigator1 = PlaceControl<TChartGridNavigator>(this, Panel1, "ChartGridNavigator1", 4, 4, 220, 25);
  ChartGridNavigator1->SetGrid(ChartGrid1);
  int32_t Left = 232;
  int32_t Group = 1;
  for (auto [Button, Name, Hint] : {std::tuple{&SBGridText, "SBGridText", "Show labels"},
                                    std::tuple{&SBGridCol, "SBGridCol", "Show colors"},
                                    std::tuple{&SBGrid3D, "SBGrid3D", "XYZ series"},
                                    std::tuple{&SBGridX, "SBGridX", "Show X values"}}) {
    *Button = PlaceControl<TSpeedButton>(this, Panel1, Name, Left, 4, 25, 25);
    (*Button)->SetHint(Hint);
    (*Button)->GroupIndex = Group++;
    (*Button)->AllowAllUp = true;
    Left += 28;
  }
  PopupData = Create<TPopupMenu>(this);
  PopupData->SetName("PopupData");
  for (auto [Item, Name, Caption] : {std::tuple{&EditColor1, "EditColor1", "&Edit Color..."},
                                     std::tuple{&DefaultColor1, "DefaultColor1", "Default &Color"},
                                     std::tuple{&Makenullpoint1, "Makenullpoint1", "Make &null point"},
                                     std::tuple{&N1, "N1", "-"},
                                     std::tuple{&Insertrow1, "Insertrow1", "&Append row"},
                                     std::tuple{&Deleterow1, "Deleterow1", "&Delete row"},
                                     std::tuple{&N2, "N2", "-"},
                                     std::tuple{&extfont1, "extfont1", "&Text font..."}}) {
    *Item = Create<TMenuItem>(this);
    (*Item)->SetName(Name);
    (*Item)->SetCaption(Caption);
    PopupData->Items()->Add(*Item);
  }
  PopupData->OnPopup = [this](TObject* S) { PopupDataPopup(S); };
  EditColor1->OnClick = [this](TObject*) { ChartGrid1->EditColor(); };
  DefaultColor1->OnClick = [this](TObject*) { SetCellColor(clDefault); };
  Makenullpoint1->OnClick = [this](TObject*) { SetCellColor(clNone); };
  Insertrow1->OnClick = [this](TObject*) { ChartGrid1->AppendRow(); };
  Deleterow1->OnClick = [this](TObject*) { ChartGrid1->DeleteRow(); };
  extfont1->OnClick = [this](TObject* S) { extfont1Click(S); };
  ChartGrid1->SetPopupMenu(PopupData);
  ChartGrid1->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
    ChartGrid1MouseDown(S, B, Sh, X, Y);
  };
  SBGridText->OnClick = [this](TObject*) { ChartGrid1->SetShowLabels(SBGridText->GetDown()); };
  SBGridCol->OnClick = [this](TObject*) { ChartGrid1->SetShowColors(SBGridCol->GetDown()); };
  SBGrid3D->OnClick = [this](TObject*) { ChartGrid1->SetXYZView(SBGrid3D->GetDown()); };
  SBGridX->OnClick = [this](TObject*) { ChartGrid1->SetShowXValues(SBGridX->GetDown() ? cgsYes : cgsNo); };
  PanTop = PlaceControl<TPanel>(this, TabSeriesList, "PanTop", 0, 0, 420, 26);
  PanTop->SetAlign(TAlign::alTop);
  PanTop->SetCaption("");
  PanTop->BevelOuter = TPanelBevel::bvNone;
  BAddGroup = PlaceControl<TButton>(this, PanTop, "BAddGroup", 2, 2, 22, 22);
  BAddGroup->SetCaption("+");
  BDeleteGroup = PlaceControl<TButton>(this, PanTop, "BDeleteGroup", 26, 2, 22, 22);
  BDeleteGroup->SetCaption("-");
  BDeleteGroup->SetEnabled(false);
  BRenameGroup = PlaceControl<TButton>(this, PanTop, "BRenameGroup", 50, 2, 22, 22);
  BRenameGroup->SetCaption("...");
  BRenameGroup->SetEnabled(false);
  CBNames = PlaceControl<TCheckBox>(this, PanTop, "CBNames", 80, 4, 140, 17);
  CBNames->SetCaption("&View Series Names");
  PanRight = PlaceControl<TPanel>(this, TabSeriesList, "PanRight", 320, 26, 100, 200);
  PanRight->SetAlign(TAlign::alRight);
  PanRight->SetCaption("");
  PanRight->BevelOuter = TPanelBevel::bvNone;
  BMoveUP = PlaceControl<TSpeedButton>(this, PanRight, "BMoveUP", 4, 4, 25, 25);
  BMoveDown = PlaceControl<TSpeedButton>(this, PanRight, "BMoveDown", 32, 4, 25, 25);
  BMoveUP->Flat = true;
  BMoveDown->Flat = true;
  int32_t Top = 36;
  for (auto [Button, Name, Caption] : {std::tuple{&BAddSeries, "BAddSeries", "&Add..."},
                                       std::tuple{&BDeleteSeries, "BDeleteSeries", "&Delete"},
                                       std::tuple{&BRenameSeries, "BRenameSeries", "&Title..."},
                                       std::tuple{&BCloneSeries, "BCloneSeries", "C&lone"},
                                       std::tuple{&BChangeTypeSeries, "BChangeTypeSeries", "&Change..."}}) {
    *Button = PlaceControl<TButton>(this, PanRight, Name, 4, Top, 90, 25);
    (*Button)->SetCaption(Caption);
    Top += 30;
  }
  PanelGroups = PlaceControl<TPanel>(this, TabSeriesList, "PanelGroups", 0, 26, 90, 200);
  PanelGroups->SetAlign(TAlign::alLeft);
  PanelGroups->SetCaption("");
  PanelGroups->BevelOuter = TPanelBevel::bvNone;
  PanelGroups->SetVisible(false);
  Groups = PlaceControl<TCheckListBox>(this, PanelGroups, "Groups", 0, 0, 90, 200);
  Groups->SetAlign(TAlign::alClient);
  Groups->OnClick = [this](TObject* S) { GroupsClick(S); };
  Groups->OnClickCheck = [this](TObject* S) { GroupsClickCheck(S); };
  Groups->OnDragOver = [this](TObject* S, TObject* Src, int X, int Y, TDragState St, bool& Accept) {
    GroupsDragOver(S, Src, X, Y, St, Accept);
  };
  Groups->OnDragDrop = [this](TObject* S, TObject* Src, int X, int Y) { GroupsDragDrop(S, Src, X, Y); };
  Splitter1 = PlaceControl<TSplitter>(this, TabSeriesList, "Splitter1", 90, 26, 3, 200);
  Splitter1->SetAlign(TAlign::alLeft);
  Splitter1->SetVisible(false);
  BAddGroup->OnClick = [this](TObject* S) { BAddGroupClick(S); };
  BRenameGroup->OnClick = [this](TObject* S) { BRenameGroupClick(S); };
  BDeleteGroup->OnClick = [this](TObject* S) { BDeleteGroupClick(S); };
  LBSeries = PlaceControl<TChartListBox>(this, TabSeriesList, "LBSeries", 93, 26, 227, 200);
  LBSeries->SetAlign(TAlign::alClient);
  LBSeries->OnDblClickSeries = [this](TChartListBox*, int32_t) { LBSeriesEditSeries(); };
  LBSeries->OnRefresh = [this](TObject* S) { LBSeriesRefreshButtons(S); };
  LBSeries->OnClick = [this](TObject* S) { LBSeriesRefreshButtons(S); };
  LBSeries->OnOtherItemsChange = [this](TObject*) {
    if (FSeriesPage && LBSeries->GetItemIndex() >= 0)
      FSeriesPage->CBSeries->SetItemIndex(
          FSeriesPage->CBSeries->Items()->IndexOfObject(LBSeries->Items()->Objects(LBSeries->GetItemIndex())));
  };
  BAddSeries->OnClick = [this](TObject*) {
    TCustomAxisPanel* C = FChart.Get();
    const int32_t Before = C ? C->SeriesCount() : 0;
    LBSeries->AddSeries();
    // A new series made by a function starts on its data source.
    if (C && C->SeriesCount() > Before && C->GetSeries(C->SeriesCount() - 1)->GetFunction()) {
      LBSeriesEditSeries();
      if (FSeriesPage && FSeriesPage->TabDataSource->GetTabVisible()) {
        FSeriesPage->PageSeries->SetActivePage(FSeriesPage->TabDataSource);
        FSeriesPage->PageSeriesChange(FSeriesPage->PageSeries);
      }
    }
  };
  BDeleteSeries->OnClick = [this](TObject*) {
    if (LBSeries->DeleteSelectedSeries() && FSeriesPage) {
      FSeriesPage->FillSeriesCombo(FChart.Get());
      FSeriesPage->SelectSeries(LBSeries->SelectedSeries());
    }
  };
  BRenameSeries->OnClick = [this](TObject*) {
    TChartSeries* S = LBSeries->SelectedSeries();
    if (!LBSeries->RenameSelected() || !S || !FTreeHost) return;
    if (TTreeNode* Node = Tree->Items()->FindData(static_cast<void*>(static_cast<TObject*>(S))))
      Node->SetText(PlotEngine::SeriesTitleOrName(S));
  };
  BCloneSeries->OnClick = [this](TObject*) { LBSeries->DuplicateSelected(); };
  BChangeTypeSeries->OnClick = [this](TObject*) {
    LBSeries->ChangeTypeOfSelected();
    if (FSeriesPage) {
      FSeriesPage->FillSeriesCombo(FChart.Get());
      FSeriesPage->SelectSeries(LBSeries->SelectedSeries());
    }
  };
  BMoveUP->OnClick = [this](TObject*) { LBSeries->MoveUp(); };
  BMoveDown->OnClick = [this](TObject*) { LBSeries->MoveDown(); };
  CBNames->OnClick = [this](TObject*) {
    LBSeries->SetNamesMode(CBNames->GetChecked());
    BRenameSeries->SetCaption(CBNames->GetChecked() ? "&Name..." : "&Title...");
  };
  OnShow = [this](TObject* S) { FormShow(S); };
  SubPage->OnChange = [this](TObject* S) { SubPageChange(S); };
  MainPage->OnChange = [this](TObject* S) { MainPageChange(S); };

  // FormCreate: the design size scaled to the screen.
  const int32_t Ppi = PlotEditCha::ScreenPixelsPerInch();
  SetWidth(SysUtils::StrToInt(DesignWidth) * Ppi / 96);
  SetHeight(PlotEditCha::CaptionButtonHeight() + SysUtils::StrToInt(DesignHeight) * Ppi / 96 - DesignCaptionButton);
  FCreatedWidth = GetWidth();
  FCreatedHeight = GetHeight();
  SetChart(nullptr);
  SetCaption("");
  EditorPermissions = {TEditorPermission::AllowAdd,       TEditorPermission::AllowDelete,
                       TEditorPermission::AllowChangeType, TEditorPermission::AllowClone,
                       TEditorPermission::ShowDataSource,  TEditorPermission::AllowTitle,
                       TEditorPermission::AllowSeventh,    TEditorPermission::ShowAllGroup,
                       TEditorPermission::AllowDragSeries};
  MainPage->SetActivePage(TabChart);
  SubPage->SetActivePage(TabSeriesList);
  RememberPosition = PlotProcs::ReadEditorBool("RememberPosition", true);
  RememberSize = PlotProcs::ReadEditorBool("RememberSize", true);
  Tree->SetVisible(PlotProcs::ReadEditorBool("TreeMode", false));
  OnResize = [this](TObject* S) { FormResize(S); };
}

TChartEditForm::~TChartEditForm() = default;

void TChartEditForm::BeforeDestruction() {
  if (TCustomAxisPanel* C = FChart.Get()) C->DetachEditor(this);
  LeaveTreeMode();
  StorePlacement();
  TForm::BeforeDestruction();
}

void TChartEditForm::SetChart(TCustomAxisPanel* Chart) {
  if (TCustomAxisPanel* Old = FChart.Get(); Old && Old != Chart) Old->DetachEditor(this);
  FChart = Chart;
  if (Chart) Chart->AttachEditor(this, [this](TObject*) { ChartEdited(); });
  LBSeries->SetChart(Chart);
  MainPage->SetEnabled(Chart != nullptr);
  SubPage->SetEnabled(Chart != nullptr);
  if (!Chart || !(RememberPosition || RememberSize)) return;
  try {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKeyReadOnly(PlotProcs::EditorKey)) return;
    auto ReadInt = [&Reg](const char* Name, int32_t& Value) {
      if (!Reg.ValueExists(Name)) return false;
      try {
        Value = Reg.ReadInteger(Name);
        return true;
      } catch (const std::exception&) {
        return false;  // a value of another type leaves the design placement
      }
    };
    int32_t V = 0;
    if (RememberPosition && ReadInt("Left", V)) {
      Position = TPosition::poDesigned;
      SetLeft(std::max(0, V));
      if (ReadInt("Top", V)) SetTop(std::max(0, V));
    }
    if (RememberSize) {
      if (ReadInt("Width", V)) SetWidth(std::max(100, V));
      if (ReadInt("Height", V)) SetHeight(std::max(100, V));
      if (ReadInt("TreeWidth", V)) Tree->SetWidth(std::max(10, V));
    }
  } catch (const std::exception&) {
    return;
  }
  // Stored placement stays on the screen.
  SetLeft(std::max(0, std::min(GetLeft(), Screen->GetWidth() - GetWidth())));
  SetTop(std::max(0, std::min(GetTop(), Screen->GetHeight() - GetHeight())));
}

void TChartEditForm::StorePlacement() {
  if (!FChart || !(RememberPosition || RememberSize)) return;
  try {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    if (!Reg.OpenKey(PlotProcs::EditorKey, true)) return;
    if (RememberPosition) {
      Reg.WriteInteger("Left", GetLeft());
      Reg.WriteInteger("Top", GetTop());
    }
    if (RememberSize) {
      // Compared with the size made at creation: an unresized editor stores no size.
      if (GetWidth() != FCreatedWidth) Reg.WriteInteger("Width", GetWidth());
      if (GetHeight() != FCreatedHeight) Reg.WriteInteger("Height", GetHeight());
      if (TreeMode()) Reg.WriteInteger("TreeWidth", Tree->GetWidth());
    }
  } catch (const std::exception&) {
    // The placement is a convenience: a store that cannot be written is left alone.
  }
}

void TChartEditForm::FormShow(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!Chart) return;
  CBNames->SetVisible(Chart->ComponentState.Contains(TComponentStateItem::csDesigning));
  {
    TBitmap Up, Down;
    PlotPenDlg::LoadUpDownArrows(&Up, &Down);
    BMoveUP->SetGlyph(&Up);
    BMoveDown->SetGlyph(&Down);
  }
  TabTools->SetTabVisible(Chart::ToolTypes().Count() > 0);
  LBSeries->SetChart(Chart);
  if (GetCaption().empty()) SetCaption(SysUtils::Format("Editing %s", {Chart->GetName()}));
  // Hidden tabs, in the order of the set's members.
  const std::pair<TEditorTab, TTabSheet*> Tabs[] = {
      {TEditorTab::etSeriesList, TabSeriesList}, {TEditorTab::etGeneral, TabGeneral}, {TEditorTab::etAxis, TabAxis},
      {TEditorTab::etTitles, TabTitle},         {TEditorTab::etLegend, TabLegend},   {TEditorTab::etPanel, TabPanel},
      {TEditorTab::etPaging, TabPaging},        {TEditorTab::etWalls, TabWalls},     {TEditorTab::et3D, Tab3D},
      {TEditorTab::etSeries, TabSeries},        {TEditorTab::etData, TabData},       {TEditorTab::etExport, TabExport},
      {TEditorTab::etTools, TabTools},          {TEditorTab::etPrint, TabPrint}};
  for (auto [Member, Tab] : Tabs)
    if (HiddenEditorTabs.Contains(Member)) Tab->SetTabVisible(false);
  bool AnySub = false;
  for (int32_t i = 0; i < SubPage->PageCount(); ++i) AnySub = AnySub || SubPage->Pages(i)->GetTabVisible();
  if (!AnySub) TabChart->SetTabVisible(false);
  if (TreeMode()) EnterTreeMode();
  if (StartPageIndex != -1) OpenStartPage();
  const bool ShowGroups = EditorPermissions.Contains(TEditorPermission::ShowGroups);
  PlotPenDlg::SetControlsVisible(ShowGroups, {BAddGroup, BDeleteGroup, BRenameGroup, PanelGroups, Splitter1});
  LBSeries->DragItemsOut = ShowGroups;
  if (ShowGroups) {
    Splitter1->SetLeft(PanelGroups->GetLeft() + PanelGroups->GetWidth());
    FillGroups();
  } else {
    CBNames->SetLeft(LBSeries->GetLeft());
  }
  if (TChartSeries* S = SeriesToOpen.Get()) {
    LBSeries->ClearSelection();
    LBSeries->SelectSeries(S);
    LBSeriesEditSeries();
  } else if (ToolToSelect && TabTools->GetTabVisible()) {
    MainPage->SetActivePage(TabTools);
    MainPageChange(MainPage);
  } else if (StartPageIndex == -1 && LBSeries->Items()->Count() > 0) {
    LBSeries->SetItemIndex(0);
    LBSeries->SetSelected(0, true);
  }
  const bool ListShowing = MainPage->GetActivePage() == TabChart && SubPage->GetActivePage() == TabSeriesList;
  if (ListShowing && LBSeries->Items()->Count() > 0 && !SeriesToOpen) {
    if (StartPageIndex == 9 || StartPageIndex == 10) {
      if (LBSeries->GetItemIndex() < 0) {
        LBSeries->SetItemIndex(0);
        LBSeries->SetSelected(0, true);
      }
      LBSeriesEditSeries();
      if (FSeriesPage) {
        FSeriesPage->PageSeries->SetActivePage(StartPageIndex == 9 ? FSeriesPage->TabGeneral : FSeriesPage->TabMarks);
        FSeriesPage->PageSeriesChange(FSeriesPage->PageSeries);
      }
    } else if (LBSeries->GetItemIndex() < 0) {
      LBSeries->SetItemIndex(0);
      LBSeries->SetSelected(0, true);
    }
  }
  LBSeriesRefreshButtons(LBSeries);
  if (TreeMode() && !Tree->GetSelected()) {
    // The tree starts on the page the dialog shows.
    TObject* Page = MainPage->GetActivePage();
    if (Page == TabChart) Page = SubPage->GetActivePage();
    if (Page == TabSeries) Page = LBSeries->SelectedSeries();
    if (TTreeNode* Node = Tree->Items()->FindData(static_cast<void*>(Page))) Tree->SetSelected(Node);
  }
}

namespace {
// The series and point under the grid's current colour cell, if any.
bool ColourCell(TCustomChartGrid* Grid, TChartSeries*& Series, int32_t& Point) {
  if (Grid->GetXYZView() || Grid->GetCol() != Grid->ColorsColumn()) return false;
  const std::vector<TChartSeries*> Shown = Grid->ShownSeries();
  Point = Grid->GetRow() - Grid->FirstRow();
  if (Shown.empty() || Point < 0 || Point >= Shown[0]->Count()) return false;
  Series = Shown[0];
  return true;
}
}  // namespace

void TChartEditForm::PopupDataPopup(TObject*) {
  TChartSeries* S = nullptr;
  int32_t Point = -1;
  const bool Has = ColourCell(ChartGrid1, S, Point);
  const TColor Colour = Has ? S->GetStoredColor(Point) : clNone;
  EditColor1->SetVisible(Has);
  DefaultColor1->SetVisible(Has && Colour != clDefault);
  Makenullpoint1->SetVisible(Has && Colour != clNone);
  N1->SetVisible(EditColor1->GetVisible());
}

void TChartEditForm::SetCellColor(TColor Color) {
  TChartSeries* S = nullptr;
  int32_t Point = -1;
  if (!ColourCell(ChartGrid1, S, Point)) return;
  S->SetPointColor(Point, Color);
  S->ManualData = true;
  S->Repaint();
  ChartGrid1->Invalidate();
}

void TChartEditForm::ChartGrid1MouseDown(TObject*, TMouseButton Button, TShiftState Shift, int, int) {
  TCustomAxisPanel* Chart = FChart.Get();
  if (Button != TMouseButton::mbRight || !Shift.Contains(TShiftStateItem::ssAlt) || !Chart ||
      Chart->SeriesCount() == 0 || !Chart->GetSeries(0)->HasZValues)
    return;
  ChartGrid1->SetXYZView(!ChartGrid1->GetXYZView());
  SBGrid3D->SetDown(ChartGrid1->GetXYZView());
}

void TChartEditForm::extfont1Click(TObject*) {
  if (!PlotBrushDlg::EditFontDialog(this, ChartGrid1->GetFont())) return;
  TBitmap Measure;
  Measure.GetCanvas()->Font->Assign(ChartGrid1->GetFont());
  ChartGrid1->SetDefaultRowHeight(Measure.GetCanvas()->TextHeight("W") + 2);
}

TTabSheet* TChartEditForm::SubTab(int32_t Index) const {
  switch (Index) {
    case 0: return TabSeriesList;
    case 1: return TabGeneral;
    case 2: return TabAxis;
    case 3: return TabTitle;
    case 4: return TabLegend;
    case 5: return TabPanel;
    case 6: return TabPaging;
    case 7: return TabWalls;
    case 8: return Tab3D;
    case 12: return TabData;
    case 13: return TabExport;
    case 15: return TabTools;
    case 16: return TabPrint;
    default: return nullptr;
  }
}

void TChartEditForm::OpenStartPage() {
  auto OpenMain = [this](TTabSheet* Tab) {
    MainPage->SetActivePage(Tab);
    MainPageChange(MainPage);
  };
  if (StartPageIndex >= 12) {
    if (TTabSheet* Tab = SubTab(StartPageIndex); Tab && Tab->GetTabVisible()) OpenMain(Tab);
    return;
  }
  if (StartPageIndex < 0 || StartPageIndex > 8) return;
  int32_t Index = StartPageIndex;
  while (Index <= 8 && !SubTab(Index)->GetTabVisible()) ++Index;
  if (Index > 8) {
    Index = StartPageIndex;
    while (Index >= 0 && !SubTab(Index)->GetTabVisible()) --Index;
  }
  if (Index >= 0 && TabChart->GetTabVisible()) {
    MainPage->SetActivePage(TabChart);
    SubPage->SetActivePage(SubTab(Index));
    SubPageChange(SubPage);
    return;
  }
  for (TTabSheet* Tab : {TabData, TabTools, TabExport, TabPrint})
    if (Tab->GetTabVisible()) {
      OpenMain(Tab);
      return;
    }
}

namespace {
// Embeds a page form into its tab.
void EmbedPage(TForm* Page, TTabSheet* Tab) {
  Page->ParentColor = true;
  Page->SetBorderStyle(TFormBorderStyle::bsNone);
  Page->SetAlign(TAlign::alClient);
  Page->SetParent(Tab);
  Page->Show();
  Page->Realign();
}
}  // namespace

void TChartEditForm::SubPageChange(TObject*) {
  TTabSheet* Tab = SubPage->GetActivePage();
  if (!Tab) return;
  if (FTreeHost && !FFillingTree)
    if (TTreeNode* Node = Tree->Items()->FindData(static_cast<void*>(static_cast<TObject*>(Tab)));
        Node && Tree->GetSelected() != Node && Tree->GetSelected() != FChartNode) {
      FFillingTree = true;
      Tree->SetSelected(Node);
      FFillingTree = false;
    }
  CreateSubPageForm(Tab);
}

void TChartEditForm::CreateSubPageForm(TTabSheet* Tab) {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!Chart || !Tab) return;
  auto* Full = dynamic_cast<TCustomChart*>(Chart);
  if (Tab->ControlCount() == 0) {
    TForm* Page = nullptr;
    if (Tab == TabGeneral) {
      Page = Create<TFormPlotGeneral>(this, Chart);
    } else if (Tab == TabAxis) {
      auto* A = Create<TFormPlotAxis>(this, AxisToShow ? AxisToShow : Chart->LeftAxis());
      A->OnHorizontalChange = [this](TChartAxis*) {
        if (FSeriesPage) FSeriesPage->RefreshAxisLists();
      };
      Page = A;
    } else if (Tab == TabTitle && Full) {
      Page = Create<TFormPlotTitle>(this, TitleToShow ? TitleToShow : Full->Title(), Full);
    } else if (Tab == TabLegend && Full) {
      Page = TFormPlotLegend::CreateLegend(this, Full->Legend());
    } else if (Tab == TabPanel) {
      Page = Create<TFormPlotPanel>(this, Chart);
    } else if (Tab == TabPaging) {
      Page = Create<TFormPlotPage>(this, Chart);
    } else if (Tab == TabWalls && Full) {
      Page = Create<TFormPlotWall>(this, WallToShow ? WallToShow : Full->Walls()->Left());
    } else if (Tab == Tab3D) {
      Page = Create<TFormPlot3D>(this, Chart);
    }
    if (Page) EmbedPage(Page, Tab);
  }
  if (Tab == Tab3D && Tab->ControlCount() > 0)
    if (auto* P = dynamic_cast<TFormPlot3D*>(Tab->GetControl(0))) P->CheckControls();
}

void TChartEditForm::MainPageChange(TObject*) { PrepareMainTab(MainPage->GetActivePage()); }

void TChartEditForm::PrepareMainTab(TTabSheet* Tab) {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!Chart || !Tab) return;
  if (Tab == TabSeries) {
    CreateSeriesPage();
  } else if (Tab == TabData) {
    ChartGrid1->SetChart(Chart);
    TChartSeries* First = Chart->SeriesCount() > 0 ? Chart->GetSeries(0) : nullptr;
    if (First && PlotEngine::SeriesHasOwnColors(*First)) ChartGrid1->SetShowColors(true);
    SBGridText->SetDown(ChartGrid1->GetShowLabels());
    SBGridCol->SetDown(ChartGrid1->GetShowColors());
    SBGrid3D->SetEnabled(First && First->HasZValues);
    SBGrid3D->SetDown(ChartGrid1->GetXYZView());
    SBGridX->SetDown(First && PlotEngine::SeriesHasOwnXValues(*First));
    if (!TreeMode() && ChartGrid1->CanFocus()) ChartGrid1->SetFocus();
  } else if (Tab == TabTools) {
    if (!FToolsPage) {
      FToolsPage = Create<TFormPlotTools>(this);
      FToolsPage->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Chart));
      EmbedPage(FToolsPage, TabTools);
      FToolsPage->OnAdded = [this](TPlotCustomTool* T) {
        if (!FToolsNode) return;
        std::string Text;
        T->Description(Text);
        Tree->Items()->AddChildObject(FToolsNode, Text, static_cast<void*>(static_cast<TObject*>(T)));
      };
      FToolsPage->OnDeleted = [this](TPlotCustomTool* T) {
        if (FToolsNode) Tree->Items()->Delete(Tree->Items()->FindData(static_cast<void*>(static_cast<TObject*>(T))));
      };
      FToolsPage->FormShow(FToolsPage);
      if (ToolToSelect) FToolsPage->SelectTool(ToolToSelect);
    } else {
      FToolsPage->RefreshTools();
    }
  } else if (Tab == TabExport) {
    if (!FExportPage) {
      FExportPage = Create<TPlotExportForm>(this);
      FExportPage->Tag = reinterpret_cast<intptr_t>(static_cast<TObject*>(Chart));
      FExportPage->BClose->SetVisible(false);
      FExportPage->CBFileSize->SetChecked(false);
      if (HiddenEditorTabs.Contains(TEditorTab::etExportNative)) FExportPage->TabNative->SetTabVisible(false);
      EmbedPage(FExportPage, TabExport);
      FExportPage->UpdateButtonStates();
    }
  } else if (Tab == TabPrint) {
    if (!FPrintPage) {
      const TCursor Old = Screen->GetCursor();
      Screen->SetCursor(crHourGlass);
      FPrintPage = Create<TChartPreview>(this);
      FPrintPage->PageNavigatorClass = [](TComponent* O) -> TChartPageNavigatorBase* {
        return Create<TPreviewPageNavigator>(O);
      };
      FPrintPage->GBMargins->SetVisible(false);
      FPrintPage->PanelMargins->SetVisible(false);
      PlotPrevi::HideCloseButtonPanel(FPrintPage);
      FPrintPage->PlotPreviewPanel1->Panels().Clear();
      FPrintPage->PlotPreviewPanel1->SetPanel(Chart);
      EmbedPage(FPrintPage, TabPrint);
      Screen->SetCursor(Old);
    } else {
      FPrintPage->PlotPreviewPanel1->Invalidate();
    }
  }
}

void TChartEditForm::LBSeriesEditSeries() {
  if (TreeMode() && FTreeHost) {
    TChartSeries* S = LBSeries->SelectedSeries();
    if (TTreeNode* Node = S ? Tree->Items()->FindData(static_cast<void*>(static_cast<TObject*>(S))) : nullptr) {
      Tree->SetSelected(Node);
      return;
    }
  }
  MainPage->SetActivePage(TabSeries);
  CreateSeriesPage();
}

void TChartEditForm::CreateSeriesPage() {
  if (!FSeriesPage) {
    FSeriesPage = Create<TFormPlotSeries>(this);
    FSeriesPage->SeriesListBox = LBSeries;
    FSeriesPage->SetBorderStyle(TFormBorderStyle::bsNone);
    FSeriesPage->SetParent(TabSeries);
    FSeriesPage->SetAlign(TAlign::alClient);
    FSeriesPage->ShowDataSourceTab = EditorPermissions.Contains(TEditorPermission::ShowDataSource);
    FSeriesPage->ShowGeneralTab = !HiddenEditorTabs.Contains(TEditorTab::etSeriesGeneral);
    FSeriesPage->ShowMarksTab = !HiddenEditorTabs.Contains(TEditorTab::etSeriesMarks);
    FSeriesPage->ShowPersistent = false;
    FSeriesPage->FillSeriesCombo(FChart.Get());
    FSeriesPage->Show();
  }
  FSeriesPage->SelectSeries(LBSeries->SelectedSeries());
}

void TChartEditForm::LBSeriesRefreshButtons(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  TChartSeries* S = LBSeries->SelectedSeries();
  const bool Current = Chart && Chart->SeriesCount() > 0 && S;
  const int32_t Style = S ? S->GetStyle() : 0;
  const bool One = LBSeries->SelCount() <= 1;
  const auto Has = [this](TEditorPermission P) { return EditorPermissions.Contains(P); };
  BAddSeries->SetEnabled(Has(TEditorPermission::AllowAdd));
  BDeleteSeries->SetEnabled(Current && Has(TEditorPermission::AllowDelete) &&
                            !(Style & (PlotLisB::tssIsTemplate | PlotLisB::tssDenyDelete)));
  BRenameSeries->SetEnabled(Current && One && Has(TEditorPermission::AllowTitle));
  BChangeTypeSeries->SetEnabled(Current && Has(TEditorPermission::AllowChangeType) &&
                                !(Style & PlotLisB::tssDenyChangeType));
  if (!BChangeTypeSeries->GetEnabled() && LBSeries->GetShowSeriesIcon()) LBSeries->EnableChangeType = false;
  BCloneSeries->SetEnabled(Current && One && Has(TEditorPermission::AllowClone) &&
                           !(Style & (PlotLisB::tssIsTemplate | PlotLisB::tssDenyClone)));
  const int32_t I = LBSeries->GetItemIndex();
  BMoveDown->SetEnabled(LBSeries->SelCount() == 1 && I >= 0 && I < LBSeries->Items()->Count() - 1);
  BMoveUP->SetEnabled(LBSeries->SelCount() == 1 && I > 0);
  LBSeries->EnableDragSeries = Has(TEditorPermission::AllowDragSeries);
  PlotPenDlg::SetControlsVisible(LBSeries->EnableDragSeries, {BMoveUP, BMoveDown});
  if (FTreeHost && FSeriesNode && FSeriesNode->Count() != LBSeries->Items()->Count()) RebuildSeriesNodes();
}

void TChartEditForm::ChartEdited() {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!Chart || ComponentState.Contains(TComponentStateItem::csDestroying)) return;
  LBSeriesRefreshButtons(LBSeries);
  if (EditorPermissions.Contains(TEditorPermission::ShowGroups)) FillGroups();
  if (FSeriesPage) {
    // The selector lists the chart's series again; the series shown stays.
    TChartSeries* Current = FSeriesPage->CurrentSeries();
    FSeriesPage->FillSeriesCombo(Chart);
    FSeriesPage->CBSeries->SetItemIndex(Current ? FSeriesPage->CBSeries->Items()->IndexOfObject(Current) : -1);
  }
  if (FToolsPage) FToolsPage->SyncTools();
  if (FTreeHost) {
    RebuildSeriesNodes();
    RebuildToolNodes();
  }
}

// ---------------------------------------------------------------- groups

TSeriesGroup* TChartEditForm::GroupAt(int32_t Index) const {
  if (Index < 0 || Index >= Groups->Items()->Count()) return nullptr;
  return reinterpret_cast<TSeriesGroup*>(Groups->Items()->Objects(Index));
}

void TChartEditForm::FillGroups() {
  TCustomAxisPanel* Chart = FChart.Get();
  TSeriesGroup* Shown = LBSeries->GetGroup();
  Groups->Items()->BeginUpdate();
  Groups->Items()->Clear();
  Groups->Items()->EndUpdate();
  if (!Chart) return;
  TChartSeriesList& List = Chart->GetSeriesList();
  if (EditorPermissions.Contains(TEditorPermission::ShowAllGroup)) {
    Groups->Items()->Add("(all)");
    Groups->SetChecked(0, List.AllActive());
  }
  for (int32_t i = 0; i < List.Groups().Count(); ++i) {
    TSeriesGroup* G = List.Groups().GetGroup(i);
    const int Row = Groups->Items()->AddObject(G->Name, reinterpret_cast<TObject*>(G));
    switch (G->GetActive()) {
      case gaYes: Groups->SetState(Row, TCheckBoxState::cbChecked); break;
      case gaNo: Groups->SetState(Row, TCheckBoxState::cbUnchecked); break;
      case gaSome: Groups->SetState(Row, TCheckBoxState::cbGrayed); break;
    }
    if (G == Shown) Groups->SetItemIndex(Row);
  }
  if (Groups->GetItemIndex() < 0 && !Shown && Groups->Items()->Count() > 0 &&
      EditorPermissions.Contains(TEditorPermission::ShowAllGroup))
    Groups->SetItemIndex(0);
}

void TChartEditForm::GroupsClick(TObject*) {
  TSeriesGroup* G = GroupAt(Groups->GetItemIndex());
  LBSeries->SetGroup(G);
  BDeleteGroup->SetEnabled(G != nullptr);
  BRenameGroup->SetEnabled(G != nullptr);
  LBSeriesRefreshButtons(LBSeries);
}

void TChartEditForm::GroupsClickCheck(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  const int32_t Index = Groups->GetItemIndex();
  if (!Chart || Index < 0) return;
  if (TSeriesGroup* G = GroupAt(Index)) {
    switch (Groups->GetState(Index)) {
      case TCheckBoxState::cbUnchecked: G->SetActive(gaNo); break;
      case TCheckBoxState::cbChecked: G->SetActive(gaYes); break;
      case TCheckBoxState::cbGrayed: G->SetActive(gaSome); break;
    }
  } else {
    Chart->GetSeriesList().SetAllActive(Groups->GetChecked(Index));
  }
  // The checks of the other items follow the series they hold.
  FillGroups();
  Groups->SetItemIndex(Index);
  LBSeries->Invalidate();
}

namespace {
// The series a drag from the series list carries: the row pressed, else the selection.
TChartSeries* DraggedSeries(TChartListBox* List) {
  const int32_t Row = List->DraggedOutItem();
  if (Row >= 0 && Row < List->Items()->Count()) return dynamic_cast<TChartSeries*>(List->Items()->Objects(Row));
  return List->SelectedSeries();
}
}  // namespace

void TChartEditForm::GroupsDragOver(TObject*, TObject* Source, int X, int Y, TDragState, bool& Accept) {
  Accept = false;
  if (Source != LBSeries) return;
  TSeriesGroup* Target = GroupAt(Groups->ItemAtPos(TPoint(X, Y), true));
  TChartSeries* S = DraggedSeries(LBSeries);
  Accept = Target && S && Target->Series().IndexOf(S) < 0;
}

void TChartEditForm::GroupsDragDrop(TObject* Sender, TObject* Source, int X, int Y) {
  bool Accept = false;
  GroupsDragOver(Sender, Source, X, Y, TDragState::dsDragMove, Accept);
  if (!Accept) return;
  const int32_t Row = Groups->ItemAtPos(TPoint(X, Y), true);
  TSeriesGroup* Target = GroupAt(Row);
  TChartSeries* S = DraggedSeries(LBSeries);
  Target->Series().Add(S);
  // Moved out of the group shown at the time; from "(all)" it is only added.
  if (TSeriesGroup* From = LBSeries->GetGroup()) From->Series().Remove(S);
  LBSeries->SetGroup(Target);
  FillGroups();
  Groups->SetItemIndex(Row);
  GroupsClick(Groups);
}

void TChartEditForm::BAddGroupClick(TObject*) {
  TCustomAxisPanel* Chart = FChart.Get();
  std::string Name;
  if (!Chart || !Dialogs::InputQuery("Add new group", "Group name:", Name)) return;
  TSeriesGroup* G = Chart->GetSeriesList().AddGroup(Name);
  LBSeries->SetGroup(G);
  FillGroups();
  GroupsClick(Groups);
}

void TChartEditForm::BRenameGroupClick(TObject*) {
  TSeriesGroup* G = GroupAt(Groups->GetItemIndex());
  if (!G) return;
  std::string Name = G->Name;
  if (!Dialogs::InputQuery("Change group name", "Group name:", Name)) return;
  G->Name = Name;
  FillGroups();
}

void TChartEditForm::BDeleteGroupClick(TObject*) {
  TSeriesGroup* G = GroupAt(Groups->GetItemIndex());
  if (!G || !FChart || !PlotPenDlg::ConfirmDelete(G->Name, this)) return;
  if (LBSeries->GetGroup() == G) LBSeries->SetGroup(nullptr);
  FChart.Get()->GetSeriesList().Groups().Delete(G->GetIndex());
  FillGroups();
  GroupsClick(Groups);
}

// ---------------------------------------------------------------- tree mode

namespace {
TObject* NodeObject(const TTreeNode* Node) { return Node ? static_cast<TObject*>(Node->Data) : nullptr; }
void* AsData(TObject* Object) { return static_cast<void*>(Object); }
}  // namespace

bool TChartEditForm::TreeMode() const { return Tree->GetVisible(); }

void TChartEditForm::EnterTreeMode() {
  if (FTreeHost) return;
  FWidthWithoutTree = GetWidth();
  SetWidth(GetWidth() + Tree->GetWidth() + TreeSplitter->GetWidth());
  TreeSplitter->SetVisible(true);
  TreeSplitter->SetLeft(Tree->GetLeft() + Tree->GetWidth());
  ButtonHelp->SetLeft(16);
  MainPage->SetVisible(false);
  FTreeHost = Create<TPanel>(this);
  FTreeHost->SetName("PanelTreeHost");
  FTreeHost->SetCaption("");
  FTreeHost->BevelOuter = TPanelBevel::bvNone;
  FTreeHost->SetParent(this);
  FTreeHost->SetAlign(TAlign::alClient);
  FillTree();
}

void TChartEditForm::LeaveTreeMode() {
  if (!FTreeHost) return;
  ClearTreeHost();
  for (TTabSheet* Tab : {TabSeriesList, TabGeneral, TabAxis, TabTitle, TabLegend, TabPanel, TabPaging, TabWalls,
                         Tab3D, TabSeries, TabData, TabTools, TabExport, TabPrint})
    TabSheetMove::MoveBack(Tab);
  SetWidth(FWidthWithoutTree);
}

void TChartEditForm::ClearTreeHost() {
  if (!FTreeHost) return;
  // Everything shown in the host goes back where it came from.
  while (FTreeHost->ControlCount() > 0) {
    TControl* C = FTreeHost->GetControl(FTreeHost->ControlCount() - 1);
    if (auto* Tab = dynamic_cast<TTabSheet*>(C); Tab && TabSheetMove::IsMoved(Tab)) {
      TabSheetMove::MoveBack(Tab);
    } else if (C == SubPage) {
      SubPage->SetParent(TabChart);
      TabSeriesList->SetTabVisible(!HiddenEditorTabs.Contains(TEditorTab::etSeriesList));
    } else if (FToolsPage && C == FToolsPage->PanelToolEditor) {
      C->SetParent(FToolsPage);
    } else if (auto* Axis = TabAxis->ControlCount() > 0 ? dynamic_cast<TFormPlotAxis*>(TabAxis->GetControl(0))
                                                         : nullptr;
               Axis && C == Axis->PageAxis) {
      C->SetParent(Axis);
    } else if (auto* Title = TabTitle->ControlCount() > 0 ? dynamic_cast<TFormPlotTitle*>(TabTitle->GetControl(0))
                                                           : nullptr;
               Title && C == Title->PageControlTitle) {
      C->SetParent(Title);
    } else {
      C->SetParent(nullptr);
    }
  }
}

void TChartEditForm::ShowInTreeHost(TWinControl* Control) {
  if (auto* Tab = dynamic_cast<TTabSheet*>(Control)) {
    TabSheetMove::MoveTo(Tab, FTreeHost);
    return;
  }
  Control->SetParent(FTreeHost);
  Control->SetAlign(TAlign::alClient);
  Control->SetVisible(true);
  FTreeHost->Realign();
}

namespace {
// Whether the children of Node carry exactly Objects with Texts, in order.
bool ChildrenMatch(TTreeNode* Node, const std::vector<std::pair<TObject*, std::string>>& Wanted) {
  if (Node->Count() != static_cast<int32_t>(Wanted.size())) return false;
  for (int32_t i = 0; i < Node->Count(); ++i)
    if (NodeObject(Node->Item(i)) != Wanted[static_cast<size_t>(i)].first ||
        Node->Item(i)->GetText() != Wanted[static_cast<size_t>(i)].second)
      return false;
  return true;
}
}  // namespace

void TChartEditForm::SetNodeChildren(TTreeNode* Node, const std::vector<std::pair<TObject*, std::string>>& Wanted) {
  if (ChildrenMatch(Node, Wanted)) return;
  TTreeNode* Selected = Tree->GetSelected();
  const bool Inside = Selected && Selected->GetParent() == Node;
  TObject* Shown = Inside ? NodeObject(Selected) : nullptr;
  {
    // The page in the host stays while the nodes are replaced.
    const TRestore<bool> Filling(FFillingTree, true);
    while (Node->Count() > 0) Tree->Items()->Delete(Node->Item(Node->Count() - 1));
    for (const auto& [Object, Text] : Wanted) Tree->Items()->AddChildObject(Node, Text, AsData(Object));
    if (Inside) {
      Tree->SetSelected(nullptr);
      for (int32_t i = 0; i < Node->Count(); ++i)
        if (NodeObject(Node->Item(i)) == Shown) Tree->SetSelected(Node->Item(i));
    }
  }
  // A node whose series or tool is gone gives way to its parent's page.
  if (Inside && !Tree->GetSelected()) Tree->SetSelected(Node);
}

void TChartEditForm::RebuildSeriesNodes() {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!FSeriesNode || !Chart) return;
  std::vector<std::pair<TObject*, std::string>> Wanted;
  for (int32_t i = 0; i < Chart->SeriesCount(); ++i)
    if (TChartSeries* S = Chart->GetSeries(i); PlotLisB::ShownInEditor(S))
      Wanted.emplace_back(S, PlotEngine::SeriesTitleOrName(S));
  if (ChildrenMatch(FSeriesNode, Wanted)) return;
  SetNodeChildren(FSeriesNode, Wanted);
  FSeriesNode->SetExpanded(Chart->SeriesCount() < 11);
}

void TChartEditForm::RebuildToolNodes() {
  TCustomAxisPanel* Chart = FChart.Get();
  if (!FToolsNode || !Chart) return;
  std::vector<std::pair<TObject*, std::string>> Wanted;
  TChartTools& Tools = Chart->GetTools();
  for (int32_t i = 0; i < Tools.Count(); ++i)
    if (TPlotCustomTool* T = Tools.ToolAt(i); T->ShowInEditor) {
      std::string Text;
      T->Description(Text);
      Wanted.emplace_back(T, Text);
    }
  SetNodeChildren(FToolsNode, Wanted);
}

void TChartEditForm::FillTree() {
  TCustomAxisPanel* Chart = FChart.Get();
  FFillingTree = true;
  struct TEnd {
    bool& Flag;
    ~TEnd() { Flag = false; }
  } End{FFillingTree};
  Tree->Items()->BeginUpdate();
  Tree->Items()->Clear();
  FSeriesNode = FToolsNode = FChartNode = nullptr;
  if (!Chart) {
    Tree->Items()->EndUpdate();
    return;
  }
  if (TabSeriesList->GetTabVisible()) {
    FSeriesNode = Tree->Items()->AddObject(nullptr, TabSeriesList->GetCaption(), AsData(TabSeriesList));
    RebuildSeriesNodes();
  }
  if (TabChart->GetTabVisible()) {
    FChartNode = Tree->Items()->AddObject(nullptr, TabChart->GetCaption(), AsData(SubPage));
    for (TTabSheet* Tab : {TabGeneral, TabAxis, TabTitle, TabLegend, TabPanel, TabPaging, TabWalls, Tab3D}) {
      if (!Tab->GetTabVisible()) continue;
      TTreeNode* Node = Tree->Items()->AddChildObject(FChartNode, Tab->GetCaption(), AsData(Tab));
      if (Tab == TabAxis) {
        TChartAxis* Standard[] = {Chart->LeftAxis(),   Chart->RightAxis(), Chart->TopAxis(),
                                  Chart->BottomAxis(), Chart->DepthAxis(), Chart->DepthTopAxis()};
        const char* Names[] = {"Left Axis", "Right Axis", "Top Axis", "Bottom Axis", "Depth Right", "Depth Top"};
        for (int i = 0; i < 6; ++i) Tree->Items()->AddChildObject(Node, Names[i], AsData(Standard[i]));
        for (int32_t i = 6; i < Chart->GetAxes().Count(); ++i)
          Tree->Items()->AddChildObject(Node, "Custom " + std::to_string(i - 6), AsData(Chart->GetAxes().Items(i)));
      } else if (Tab == TabTitle) {
        if (auto* Full = dynamic_cast<TCustomChart*>(Chart)) {
          Tree->Items()->AddChildObject(Node, "Title", AsData(Full->Title()));
          Tree->Items()->AddChildObject(Node, "SubTitle", AsData(Full->SubTitle()));
          Tree->Items()->AddChildObject(Node, "Footer", AsData(Full->Foot()));
          Tree->Items()->AddChildObject(Node, "SubFoot", AsData(Full->SubFoot()));
        }
      }
    }
    FChartNode->Expand(false);
  }
  for (TTabSheet* Tab : {TabData, TabTools, TabExport, TabPrint}) {
    if (!Tab->GetTabVisible()) continue;
    TTreeNode* Node = Tree->Items()->AddObject(nullptr, Tab->GetCaption(), AsData(Tab));
    if (Tab != TabTools) continue;
    FToolsNode = Node;
    RebuildToolNodes();
    Node->Expand(false);
  }
  Tree->Items()->EndUpdate();
}

void TChartEditForm::TreeEditing(TObject*, TTreeNode* Node, bool& AllowEdit) {
  AllowEdit = dynamic_cast<TChartSeries*>(NodeObject(Node)) != nullptr;
}

void TChartEditForm::TreeChange(TObject*, TTreeNode* Node) {
  if (!FTreeHost || FFillingTree || !Node) return;
  TObject* O = NodeObject(Node);
  ClearTreeHost();
  if (auto* S = dynamic_cast<TChartSeries*>(O)) {
    LBSeries->ClearSelection();
    LBSeries->SelectSeries(S);
    CreateSeriesPage();
    ShowInTreeHost(TabSeries);
  } else if (O == SubPage) {
    TabSeriesList->SetTabVisible(false);
    if (SubPage->GetActivePage() == TabSeriesList || !SubPage->GetActivePage())
      for (int32_t i = 0; i < SubPage->PageCount(); ++i)
        if (SubPage->Pages(i)->GetTabVisible()) {
          SubPage->SetActivePage(SubPage->Pages(i));
          break;
        }
    ShowInTreeHost(SubPage);
    if (SubPage->GetActivePage()) CreateSubPageForm(SubPage->GetActivePage());
  } else if (auto* Tool = dynamic_cast<TPlotCustomTool*>(O)) {
    PrepareMainTab(TabTools);
    if (FToolsPage) {
      FToolsPage->SelectTool(Tool);
      ShowInTreeHost(FToolsPage->PanelToolEditor);
    }
  } else if (auto* Axis = dynamic_cast<TChartAxis*>(O)) {
    CreateSubPageForm(TabAxis);
    if (auto* Page = TabAxis->ControlCount() > 0 ? dynamic_cast<TFormPlotAxis*>(TabAxis->GetControl(0)) : nullptr) {
      TCustomAxisPanel* Chart = FChart.Get();
      TChartAxis* Standard[] = {Chart->LeftAxis(),   Chart->RightAxis(), Chart->TopAxis(),
                                Chart->BottomAxis(), Chart->DepthAxis(), Chart->DepthTopAxis()};
      int32_t Index = -1;
      for (int i = 0; i < 6 && Index < 0; ++i)
        if (Standard[i] == Axis) Index = i;
      for (int32_t i = 6; i < Chart->GetAxes().Count() && Index < 0; ++i)
        if (Chart->GetAxes().Items(i) == Axis) Index = i;
      Page->LBAxes->SetItemIndex(Index);
      Page->LBAxesClick(Page->LBAxes);
      ShowInTreeHost(Page->PageAxis);
    }
  } else if (auto* Title = dynamic_cast<TChartTitle*>(O)) {
    CreateSubPageForm(TabTitle);
    auto* Full = dynamic_cast<TCustomChart*>(FChart.Get());
    if (auto* Page = TabTitle->ControlCount() > 0 ? dynamic_cast<TFormPlotTitle*>(TabTitle->GetControl(0)) : nullptr;
        Page && Full) {
      // The title list's order: Title, SubTitle, SubFoot, Foot.
      const TChartTitle* Order[] = {Full->Title(), Full->SubTitle(), Full->SubFoot(), Full->Foot()};
      for (int i = 0; i < 4; ++i)
        if (Order[i] == Title) Page->CBTitles->SetItemIndex(i);
      Page->CBTitlesChange(Page->CBTitles);
      ShowInTreeHost(Page->PageControlTitle);
    }
  } else if (auto* Tab = dynamic_cast<TTabSheet*>(O)) {
    if (TabSheetMove::HomeOf(Tab) == SubPage)
      CreateSubPageForm(Tab);
    else
      PrepareMainTab(Tab);
    ShowInTreeHost(Tab);
    if (Tab == TabTools && FToolsPage) FToolsPage->PanelToolEditor->SetVisible(true);
  }
}

void TChartEditForm::FormResize(TObject*) {
  if (TreeMode()) FWidthWithoutTree = GetWidth() - Tree->GetWidth() - TreeSplitter->GetWidth();
}

namespace {
// The up and down arrows of the move buttons: a black triangle on a
// background that the bottom-left pixel makes transparent.
bool ArrowModule(const std::string& Name, TBitmap& Bitmap) {
  const bool Up = Name == "PlotArrowUp";
  if (!Up && Name != "PlotArrowDown") return false;
  Bitmap.SetSize(11, 11);
  TCanvas* C = Bitmap.GetCanvas();
  C->Brush->SetColor(clFuchsia);
  C->FillRect(TRect(0, 0, 11, 11));
  C->Brush->SetColor(clBlack);
  C->Pen->SetColor(clBlack);
  if (Up)
    C->Polygon({TPoint(5, 2), TPoint(9, 7), TPoint(1, 7)});
  else
    C->Polygon({TPoint(1, 3), TPoint(9, 3), TPoint(5, 8)});
  return true;
}

bool IsArrowModule(const std::function<bool(const std::string&, TBitmap&)>& Module) {
  auto* F = Module.target<bool (*)(const std::string&, TBitmap&)>();
  return F && *F == &ArrowModule;
}
}  // namespace

namespace ChartEditors {

void Initialize() {
  auto& Modules = PlotProcs::ResourceModules;
  if (std::none_of(Modules.begin(), Modules.end(), IsArrowModule)) Modules.push_back(&ArrowModule);
  for (TClass C : {TChartEditForm::StaticClass(), TFormPlotSeries::StaticClass(), TCustomSeriesEditor::StaticClass(),
                   TSeriesPointerEditor::StaticClass(), TAreaSeriesEditor::StaticClass(),
                   TFormPlotAxis::StaticClass(), TFormPlotLegend::StaticClass(), TSymbolEditor::StaticClass(),
                   TMapSeriesEditor::StaticClass(), TGrid3DSeriesEditor::StaticClass(),
                   TPointFigureEditor::StaticClass(),
                   TBarSeriesEditor::StaticClass(), TStackBarSeriesEditor::StaticClass(),
                   TImageBarSeriesEditor::StaticClass(), TErrorSeriesEditor::StaticClass(),
                   TPyramidSeriesEditor::StaticClass(), TFunnelSeriesEditor::StaticClass(),
                   TVolumePipeSeriesEditor::StaticClass(), TBarJoinEditor::StaticClass(),
                   TLinePointEditor::StaticClass(), TCircledSeriesEditor::StaticClass(),
                   TPieSeriesEditor::StaticClass(), TDonutSeriesEditor::StaticClass(),
                   TPolarSeriesEditor::StaticClass(), TClockEditor::StaticClass(),
                   TWindRoseEditor::StaticClass(), TSmithSeriesEdit::StaticClass(),
                   TGaugeSeriesEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  for (TClass C : {TFastLineSeriesEditor::StaticClass(), TChartShapeEditor::StaticClass(),
                   TGanttSeriesEditor::StaticClass(), TArrowSeriesEditor::StaticClass(),
                   TBubbleSeriesEditor::StaticClass(), TPoint3DSeriesEditor::StaticClass(),
                   TCalendarSeriesEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  PlotGridToolEdit::Initialize();
  // The format pages of the 3-D grid, financial and statistical series.
  for (TClass C : {TSurfaceSeriesEditor::StaticClass(), TWaterFallEditor::StaticClass(),
                   TContourSeriesEditor::StaticClass(), TTriSurfaceSeriesEditor::StaticClass(),
                   TColorGridEditor::StaticClass(), TTowerSeriesEditor::StaticClass(),
                   TVectorSeriesEditor::StaticClass(), TCandleEditor::StaticClass(),
                   TVolumeSeriesEditor::StaticClass(), THighLowEditor::StaticClass(),
                   THistogramSeriesEditor::StaticClass(), TBoxSeriesEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  for (TClass C : {TFormPlotGeneral::StaticClass(), TFormPlotPage::StaticClass(), TFormPlot3D::StaticClass(),
                   TFormPlotTools::StaticClass(), TPlotToolsGallery::StaticClass(),
                   TChartPageNavigator::StaticClass(),
                   TSeriesToolEditor::StaticClass(),
                   TAxisToolEditor::StaticClass(),
                   TCursorToolEditor::StaticClass(),
                   TColorLineToolEditor::StaticClass(),
                   TColorBandToolEditor::StaticClass(),
                   TAxisArrowToolEditor::StaticClass(),
                   TDrawLineEdit::StaticClass(),
                   TChartImageToolEditor::StaticClass(),
                   TAnnotationToolEdit::StaticClass(),
                   TRotateToolEditor::StaticClass(),
                   TNearestToolEdit::StaticClass(),
                   TMarksTipToolEdit::StaticClass(),
                   TDragMarksToolEditor::StaticClass(),
                   TGridBandToolEdit::StaticClass(),
                   TSeriesAnimToolEditor::StaticClass(),
                   TDataTableEditor::StaticClass(),
                   TDragPointToolEdit::StaticClass(),
                   TGanttToolEditor::StaticClass(),
                   TPieToolEditor::StaticClass(),
                   TSelectorToolEditor::StaticClass(),
                   TSeriesBandToolEdit::StaticClass(),
                   TExtraLegendEditor::StaticClass(),
                   TLightToolEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  for (TClass C : {TSelectListForm::StaticClass(), TPlotFuncEditor::StaticClass(), TPlotFunctionEditor::StaticClass(),
                   TAverageFuncEditor::StaticClass(), TRMSFuncEditor::StaticClass(), TMovAveFuncEditor::StaticClass(),
                   TSmoothFuncEditor::StaticClass(), TMACDFuncEditor::StaticClass(),
                   TBollingerFuncEditor::StaticClass(), TExpAveFuncEditor::StaticClass(),
                   TCustomFunctionEditor::StaticClass(), TADXFuncEditor::StaticClass(),
                   TCompressFuncEditor::StaticClass(), TCLVFuncEditor::StaticClass(), TOBVFuncEditor::StaticClass(),
                   TCCIFuncEditor::StaticClass(), TPVOFuncEditor::StaticClass()})
    if (!ClassInfo::GetClass(C->ClassName())) ClassInfo::RegisterClass(C);
  PlotEngine::ShowSeriesStyleEditor = &PlotEditCha::ShowSeriesStyleEditor;
  PlotEngine::ShowAxisEditor = &PlotEdiAxis::ShowAxisEditor;
  Chart::CreateLegendEditor = [](TComponent* Owner, TCustomChartLegend* Legend) -> TForm* {
    return TFormPlotLegend::CreateLegend(Owner, Legend);
  };
  PlotEditPro::Initialization();
}

void Finalize() {
  PlotEditPro::Finalization();
  std::erase_if(PlotProcs::ResourceModules, IsArrowModule);
}

}  // namespace ChartEditors
