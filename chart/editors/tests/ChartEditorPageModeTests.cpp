// The chart editor in page mode: the start page, hidden tabs and the pages
// each tab embeds.
#include <QImage>
#include <QPixmap>
#include <QWidget>

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

  struct Case {
    TEditorPermissions Permissions;
    const char* Enabled;  // add, delete, title, clone, change
  };
  for (const Case& C : {Case{{TEditorPermission::AllowAdd, TEditorPermission::AllowDelete, TEditorPermission::AllowTitle,
                              TEditorPermission::AllowClone, TEditorPermission::AllowChangeType},
                             "11111"},
                        Case{{TEditorPermission::AllowAdd}, "10000"},
                        Case{{TEditorPermission::AllowTitle, TEditorPermission::AllowClone}, "00110"},
                        Case{{}, "00000"}}) {
    auto* F = new TChartEditForm(Owner);
    F->RememberPosition = F->RememberSize = false;
    F->SetChart(Chart);
    F->EditorPermissions = C.Permissions;
    F->FormShow(F);
    std::string S;
    for (TButton* B : {F->BAddSeries, F->BDeleteSeries, F->BRenameSeries, F->BCloneSeries, F->BChangeTypeSeries})
      S += B->GetEnabled() ? '1' : '0';
    EXPECT_EQ(S, C.Enabled);
    EXPECT_EQ(F->BMoveUP->GetVisible(), false);
    F->Free();
  }
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
