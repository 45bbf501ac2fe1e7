// The chart editor in page mode: the start page, hidden tabs and the pages
// each tab embeds.
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "chart/editors/PlotChartGrid.h"
#include "chart/editors/PlotEdi3D.h"
#include "chart/editors/PlotEdiGene.h"
#include "chart/editors/PlotEdiSeri.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditTools.h"
#include "chart/series/PlotExport.h"
#include "chart/series/PlotPrevi.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"

namespace ChartEditorPageModeTests {

namespace {

class EditorPages : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotTools::RegisterTools();
    PlotExport::Initialize();
    ChartEditors::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetName("Chart1");
    for (int k = 0; k < 3; ++k) {
      auto* S = Create<TLineSeries>(Owner);
      S->SetName("Series" + std::to_string(k + 1));
      S->SetParentChart(Chart);
      for (int i = 0; i < 5; ++i) S->Add(i * (k + 1.0));
    }
  }
  void TearDown() override {
    Owner->Free();
    PlotExport::Finalize();
  }
  TChartEditForm* Editor(int Start, TEditorTabs Hidden = {}) {
    auto* E = new TChartEditForm(Owner);
    E->RememberPosition = E->RememberSize = false;
    E->SetChart(Chart);
    E->StartPageIndex = Start;
    E->HiddenEditorTabs = Hidden;
    E->FormShow(E);
    return E;
  }
  // The caption of the page showing: "Chart/<sub tab>" or the main tab's.
  static std::string Showing(TChartEditForm* E) {
    TTabSheet* M = E->MainPage->GetActivePage();
    if (M == E->TabChart) return "Chart/" + E->SubPage->GetActivePage()->GetCaption();
    return M->GetCaption();
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

using T = TEditorTab;

TEST_F(EditorPages, StartPageOpensTheTabOrTheNearestVisibleOne) {
  struct Case {
    int Start;
    TEditorTabs Hidden;
    const char* Expected;
  };
  const TEditorTabs AllSub{T::etSeriesList, T::etGeneral, T::etAxis, T::etTitles, T::etLegend,
                           T::etPanel,      T::etPaging,  T::etWalls, T::et3D};
  const Case Cases[] = {
      {0, {}, "Chart/Series"},
      {1, {}, "Chart/General"},
      {2, {}, "Chart/Axis"},
      {3, {}, "Chart/Titles"},
      {4, {}, "Chart/Legend"},
      {5, {}, "Chart/Panel"},
      {6, {}, "Chart/Paging"},
      {7, {}, "Chart/Walls"},
      {8, {}, "Chart/3D"},
      {2, {T::etAxis}, "Chart/Titles"},                        // forward
      {7, {T::etWalls, T::et3D}, "Chart/Paging"},              // then backward
      {4, AllSub, "Data"},                                     // then Data ...
      {4, AllSub + TEditorTabs{T::etData}, "Tools"},           // ... Tools ...
      {4, AllSub + TEditorTabs{T::etData, T::etTools}, "Export"},
      {4, AllSub + TEditorTabs{T::etData, T::etTools, T::etExport}, "Print"},
      {12, {}, "Data"},
      {13, {}, "Export"},
      {15, {}, "Tools"},
      {16, {}, "Print"},
  };
  for (const Case& C : Cases) {
    TChartEditForm* E = Editor(C.Start, C.Hidden);
    EXPECT_EQ(Showing(E), C.Expected) << C.Start;
    E->Free();
  }
}

TEST_F(EditorPages, StartPagesNineAndTenOpenTheSeriesPageTabs) {
  for (auto [Start, Tab] : {std::pair{9, "General"}, std::pair{10, "Marks"}}) {
    TChartEditForm* E = Editor(Start);
    EXPECT_EQ(E->MainPage->GetActivePage(), E->TabSeries);
    ASSERT_NE(E->SeriesPage(), nullptr);
    EXPECT_EQ(E->SeriesPage()->PageSeries->GetActivePage()->GetCaption(), Tab);
    E->Free();
  }
}

TEST_F(EditorPages, HiddenTabsAndPermissions) {
  TChartEditForm* E = Editor(-1, {T::etGeneral, T::etData, T::etPrint});
  EXPECT_FALSE(E->TabGeneral->GetTabVisible());
  EXPECT_FALSE(E->TabData->GetTabVisible());
  EXPECT_FALSE(E->TabPrint->GetTabVisible());
  EXPECT_TRUE(E->TabAxis->GetTabVisible());
  EXPECT_TRUE(E->TabChart->GetTabVisible());
  E->Free();
  const TEditorTabs AllSub{T::etSeriesList, T::etGeneral, T::etAxis, T::etTitles, T::etLegend,
                           T::etPanel,      T::etPaging,  T::etWalls, T::et3D};
  E = Editor(-1, AllSub);
  EXPECT_FALSE(E->TabChart->GetTabVisible());
  E->Free();

  // Each permission's effect on the series list tab and the series page:
  // buttons enabled, the list's own change-type and dragging, the Data Source
  // tab, the group controls with their "(all)" item, the move buttons.
  using P = TEditorPermission;
  const TEditorPermissions All{P::AllowAdd,   P::AllowDelete, P::AllowChangeType, P::AllowClone,   P::ShowDataSource,
                               P::AllowTitle, P::AllowSeventh, P::ShowGroups,     P::ShowAllGroup, P::AllowDragSeries};
  struct Case {
    TEditorPermissions Permissions;
    // add, delete, title, clone, change | list change-type, list drag, move buttons |
    // Data Source tab | group buttons and panel, "(all)" item
    const char* Effects;
  };
  const Case Cases[] = {
      {All, "11111|111|1|11"},
      {All - TEditorPermissions{P::AllowAdd}, "01111|111|1|11"},
      {All - TEditorPermissions{P::AllowDelete}, "10111|111|1|11"},
      {All - TEditorPermissions{P::AllowTitle}, "11011|111|1|11"},
      {All - TEditorPermissions{P::AllowClone}, "11101|111|1|11"},
      {All - TEditorPermissions{P::AllowChangeType}, "11110|011|1|11"},
      {All - TEditorPermissions{P::ShowDataSource}, "11111|111|0|11"},
      {All - TEditorPermissions{P::AllowDragSeries}, "11111|100|1|11"},
      {All - TEditorPermissions{P::ShowAllGroup}, "11111|111|1|10"},
      {All - TEditorPermissions{P::ShowGroups}, "11111|111|1|00"},
      {All - TEditorPermissions{P::AllowSeventh}, "11111|111|1|11"},  // no effect of its own
      {{}, "00000|000|0|00"},
  };
  for (const Case& C : Cases) {
    auto* F = new TChartEditForm(Owner);
    F->RememberPosition = F->RememberSize = false;
    F->SetChart(Chart);
    F->EditorPermissions = C.Permissions;
    F->FormShow(F);
    auto Bit = [](bool B) { return B ? '1' : '0'; };
    std::string S;
    for (TButton* B : {F->BAddSeries, F->BDeleteSeries, F->BRenameSeries, F->BCloneSeries, F->BChangeTypeSeries})
      S += Bit(B->GetEnabled());
    S += '|';
    S += Bit(F->LBSeries->EnableChangeType);
    S += Bit(F->LBSeries->EnableDragSeries);
    EXPECT_EQ(F->BMoveUP->GetVisible(), F->BMoveDown->GetVisible());
    S += Bit(F->BMoveUP->GetVisible());
    S += '|';
    F->LBSeriesEditSeries();
    ASSERT_NE(F->SeriesPage(), nullptr);
    S += Bit(F->SeriesPage()->TabDataSource->GetTabVisible());
    S += '|';
    const bool Groups = F->PanelGroups->GetVisible();
    for (TControl* G : std::initializer_list<TControl*>{F->BAddGroup, F->BDeleteGroup, F->BRenameGroup, F->Splitter1})
      EXPECT_EQ(G->GetVisible(), Groups) << G->GetName();
    if (!Groups) {
      EXPECT_EQ(F->CBNames->GetLeft(), F->LBSeries->GetLeft());
    }
    S += Bit(Groups);
    S += Bit(Groups && F->Groups->Items()->Count() > 0 && F->Groups->Items()->Get(0) == "(all)");
    EXPECT_EQ(S, C.Effects);
    F->Free();
  }
}

TEST_F(EditorPages, ASeriesCloneFromAnotherListReachesTheSeriesPageSelector) {
  TChartEditForm* E = Editor(-1);
  ASSERT_EQ(Chart->AttachedEditor(), E);
  E->LBSeriesEditSeries();
  ASSERT_NE(E->SeriesPage(), nullptr);
  TChartSeries* Shown = E->SeriesPage()->CurrentSeries();
  ASSERT_EQ(Shown, Chart->GetSeries(0));
  auto* List = Create<TChartListBox>(Owner);
  List->SetChart(Chart);
  List->SetItemIndex(2);
  List->DuplicateSelected();
  ASSERT_EQ(Chart->SeriesCount(), 4);
  auto* Selector = E->SeriesPage()->CBSeries;
  EXPECT_EQ(Selector->Items()->Count(), 4);
  EXPECT_EQ(Selector->Items()->Objects(3), Chart->GetSeries(3));
  EXPECT_EQ(E->SeriesPage()->CurrentSeries(), Shown);
  EXPECT_EQ(Selector->GetItemIndex(), 0);
  // A second editor on the chart takes the notification over; freeing the
  // first leaves it attached.
  auto* Second = new TChartEditForm(nullptr);
  Second->RememberPosition = Second->RememberSize = false;
  Second->SetChart(Chart);
  EXPECT_EQ(Chart->AttachedEditor(), Second);
  E->Free();
  EXPECT_EQ(Chart->AttachedEditor(), Second);
  Second->Free();
  EXPECT_EQ(Chart->AttachedEditor(), nullptr);
  List->DuplicateSelected();
  EXPECT_EQ(Chart->SeriesCount(), 5);
}

TEST_F(EditorPages, EachTabEmbedsItsPageOnce) {
  TChartEditForm* E = Editor(8);
  ASSERT_EQ(E->Tab3D->ControlCount(), 1);
  auto* P3 = dynamic_cast<TFormPlot3D*>(E->Tab3D->GetControl(0));
  ASSERT_NE(P3, nullptr);
  EXPECT_EQ(P3->TheChart(), Chart);
  // Coming back to the 3D tab returns its page to "Options".
  P3->PageControl1->SetActivePage(P3->TabViews);
  E->SubPage->SetActivePage(E->TabGeneral);
  E->SubPageChange(E->SubPage);
  EXPECT_NE(dynamic_cast<TFormPlotGeneral*>(E->TabGeneral->GetControl(0)), nullptr);
  E->SubPage->SetActivePage(E->Tab3D);
  E->SubPageChange(E->SubPage);
  EXPECT_EQ(E->Tab3D->ControlCount(), 1);
  EXPECT_EQ(P3->PageControl1->GetActivePage(), P3->Tab3D);

  E->MainPage->SetActivePage(E->TabTools);
  E->MainPageChange(E->MainPage);
  ASSERT_NE(E->ToolsPage(), nullptr);
  EXPECT_EQ(E->ToolsPage()->TheChart(), Chart);
  E->MainPage->SetActivePage(E->TabExport);
  E->MainPageChange(E->MainPage);
  ASSERT_NE(E->ExportPage(), nullptr);
  EXPECT_FALSE(E->ExportPage()->BClose->GetVisible());
  EXPECT_FALSE(E->ExportPage()->CBFileSize->GetChecked());
  E->MainPage->SetActivePage(E->TabPrint);
  E->MainPageChange(E->MainPage);
  ASSERT_NE(E->PrintPage(), nullptr);
  EXPECT_FALSE(E->PrintPage()->GBMargins->GetVisible());
  EXPECT_EQ(E->PrintPage()->PreviewedPanel(), Chart);
  E->Free();
}

TEST_F(EditorPages, PictureOfThePageMode) {
  TChartEditForm* E = Editor(1);
  E->Show();
  Application->ProcessMessages();
  const char* Out = std::getenv("KV_EDITOR_PNG");
  QImage Shot = E->Handle()->grab().toImage();
  EXPECT_FALSE(Shot.isNull());
  if (Out) Shot.save(Out);
  E->Hide();
  E->Free();
}

}  // namespace

namespace {

TEST_F(EditorPages, DataPopupItemsFollowTheCellColour) {
  TChartEditForm* E = Editor(12);
  TChartSeries* S = Chart->GetSeries(0);
  S->SetPointColor(1, clRed);
  S->SetPointColor(2, clNone);
  E->SBGridCol->SetDown(true);
  E->SBGridCol->OnClick(E->SBGridCol);
  ASSERT_TRUE(E->ChartGrid1->GetShowColors());
  const int Col = E->ChartGrid1->ColorsColumn();
  ASSERT_GT(Col, 0);
  struct Case {
    int Point;
    bool OnColours;
    const char* Visible;  // edit, default, null, N1
  };
  for (const Case& C : {Case{0, true, "1011"}, Case{1, true, "1111"}, Case{2, true, "1101"},
                        Case{0, false, "0000"}}) {
    E->ChartGrid1->SetCol(C.OnColours ? Col : Col + 1);
    E->ChartGrid1->SetRow(E->ChartGrid1->FirstRow() + C.Point);
    E->PopupDataPopup(E->PopupData);
    std::string V;
    for (TMenuItem* I : {E->EditColor1, E->DefaultColor1, E->Makenullpoint1, E->N1}) V += I->GetVisible() ? '1' : '0';
    EXPECT_EQ(V, C.Visible) << C.Point;
  }
  E->ChartGrid1->SetCol(Col);
  E->ChartGrid1->SetRow(E->ChartGrid1->FirstRow() + 1);
  E->DefaultColor1->Click();
  EXPECT_EQ(S->GetStoredColor(1), clDefault);
  E->Makenullpoint1->Click();
  EXPECT_EQ(S->GetStoredColor(1), clNone);

  const int Count = S->Count();
  E->Insertrow1->Click();
  EXPECT_EQ(S->Count(), Count + 1);

  // The toggle buttons switch the grid's columns.
  E->SBGridText->SetDown(true);
  E->SBGridText->OnClick(E->SBGridText);
  EXPECT_TRUE(E->ChartGrid1->GetShowLabels());
  E->SBGridX->SetDown(true);
  E->SBGridX->OnClick(E->SBGridX);
  EXPECT_EQ(E->ChartGrid1->GetShowXValues(), cgsYes);
  EXPECT_FALSE(E->SBGrid3D->GetEnabled());  // a line series has no Z values

  // A larger font gives taller rows.
  const int Before = E->ChartGrid1->GetDefaultRowHeight();
  Seam.AnswerFont([](TFont& F) {
    F.SetSize(30);
    return true;
  });
  E->extfont1->Click();
  EXPECT_EQ(E->ChartGrid1->GetFont()->GetSize(), 30);
  EXPECT_GT(E->ChartGrid1->GetDefaultRowHeight(), Before);
  E->Free();
}

}  // namespace

namespace {

TEST_F(EditorPages, SeriesListDeletesSelectionAfterOnePromptAndSwitchesNames) {
  TChartEditForm* E = Editor(-1);
  E->LBSeriesEditSeries();
  ASSERT_NE(E->SeriesPage(), nullptr);
  E->MainPage->SetActivePage(E->TabChart);
  E->LBSeries->MultiSelect = true;
  E->LBSeries->ClearSelection();
  E->LBSeries->SetItemIndex(0);
  E->LBSeries->SetSelected(0, true);
  E->LBSeries->SetSelected(2, true);
  Seam.AnswerMessage(mrYes);
  E->BDeleteSeries->Click();
  ASSERT_EQ(Seam.Prompts().size(), 1u);
  EXPECT_NE(Seam.Prompts()[0].Text.find("Delete (Selected Series) ?"), std::string::npos);
  ASSERT_EQ(Chart->SeriesCount(), 1);
  EXPECT_EQ(Chart->GetSeries(0)->GetName(), "Series2");
  // The series page no longer offers the deleted series.
  EXPECT_EQ(E->SeriesPage()->CBSeries->Items()->Count(), 1);

  E->CBNames->SetChecked(true);
  EXPECT_EQ(E->BRenameSeries->GetCaption(), "&Name...");
  E->CBNames->SetChecked(false);
  EXPECT_EQ(E->BRenameSeries->GetCaption(), "&Title...");
  E->Free();
}

}  // namespace

}  // namespace ChartEditorPageModeTests
