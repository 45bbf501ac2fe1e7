// The tabbed gallery dialog and the gallery entry points, through the test seam.
#include "chart/series/PlotGally.h"
#include "chart/series/PlotGalleryAlternate.h"
#include "platform/rtl/Registry.h"

#include "chart/engine/GalleryHooks.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"

namespace PlotGallyTests {

namespace {

class GalleryDialogs : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    PlotGally::Initialization();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetView3D(false);
  }
  void TearDown() override {
    Owner->Free();
    PlotGally::Finalization();
  }
  TLineSeries* Line() {
    auto* S = Create<TLineSeries>(Owner);
    S->SetName("Series1");
    Chart->AddSeries(S);
    S->AppendPoint(1, 10);
    S->AppendPoint(2, 20);
    S->SetSeriesColor(clRed);
    return S;
  }
  // Picks the chart titled Title (on the current page) and presses OK.
  static TModalResult Pick(TPlotGallery& D, const std::string& Title) {
    TChartList& L = D.ChartGalleryPanel1->Charts();
    for (int32_t k = 0; k < L.Count(); ++k)
      if (L.GetChart(k)->Title()->Text()->GetText().find(Title) == 0) {
        D.ChartGalleryPanel1->SelectChart(L.GetChart(k));
        return D.GetModalResult();
      }
    ADD_FAILURE() << Title << " not in the gallery";
    return mrCancel;
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
};

TEST_F(GalleryDialogs, TabsAndPagesOfTheTabbedDialog) {
  Modal<TPlotGallery>([](TPlotGallery& D) {
    EXPECT_EQ(D.GetCaption(), "Chart Gallery");
    EXPECT_EQ(D.TabTypes->Tabs()->Count(), 1) << "no functions offered";
    EXPECT_EQ(D.TabTypes->Tabs()->Strings(0), "Series");
    EXPECT_EQ(D.TabPages->Tabs()->Strings(0), "Standard");
    EXPECT_GT(D.ChartGalleryPanel1->Charts().Count(), 0);
    return mrCancel;
  });
  int32_t Sub = 0;
  TClass S = nullptr, F = nullptr;
  bool View3D = false;
  EXPECT_FALSE(PlotGally::GallerySelect(nullptr, nullptr, false, Sub, false, F, View3D, S));
  Modal<TPlotGallery>([](TPlotGallery& D) {
    EXPECT_EQ(D.TabTypes->Tabs()->Count(), 2);
    D.TabTypes->SelectTab(1);
    EXPECT_TRUE(D.ChartGalleryPanel1->FunctionsMode);
    EXPECT_EQ(D.TabPages->Tabs()->Strings(0), "Standard");
    EXPECT_EQ(D.ChartGalleryPanel1->Charts().Count(), 10);
    return Pick(D, "Average");
  });
  EXPECT_TRUE(PlotGally::GallerySelect(nullptr, nullptr, true, Sub, false, F, View3D, S));
  EXPECT_EQ(F->ClassName(), "TAveragePlotFunction");
}

TEST_F(GalleryDialogs, CancelGivesNoneAndKeepsTheView) {
  Modal<TPlotGallery>([](TPlotGallery& D) {
    D.CB3D->SetChecked(true);
    return mrCancel;
  });
  int32_t Sub = 0;
  EXPECT_EQ(PlotGally::SeriesFromGallery(nullptr, nullptr, Chart, Sub, false, true), nullptr);
  EXPECT_FALSE(Chart->GetView3D());
}

TEST_F(GalleryDialogs, ChangingALineToLineOrStairsMakesANewLineSeries) {
  TChartSeries* S = Line();
  Modal<TPlotGallery>([](TPlotGallery& D) { return Pick(D, "Line"); });
  TChartSeries* Before = S;
  PlotGally::ChangeSeriesTypeGallery(nullptr, S);
  ASSERT_NE(S, Before);
  EXPECT_EQ(S->ClassType(), TLineSeries::StaticClass());
  EXPECT_EQ(S->GetSeriesColor(), clRed);
  EXPECT_EQ(S->Count(), 2);
  Modal<TPlotGallery>([](TPlotGallery& D) {
    TChartGalleryPanel* P = D.ChartGalleryPanel1;
    Pick(D, "Line");
    D.SetModalResult(mrNone);
    std::vector<std::string> Names;
    TLineSeries Probe(nullptr);
    Probe.ListGalleryVariants([&](const std::string& N) { Names.push_back(N); });
    const auto Stairs = static_cast<int32_t>(std::find(Names.begin(), Names.end(), "Stairs") - Names.begin());
    P->ApplySubStyle(*P, Stairs);
    return mrOk;
  });
  PlotGally::ChangeSeriesTypeGallery(nullptr, S);
  ASSERT_NE(dynamic_cast<TLineSeries*>(S), nullptr);
  EXPECT_TRUE(dynamic_cast<TLineSeries*>(S)->GetStairs());
}

TEST_F(GalleryDialogs, ChangeTypeHookKeepsPointsNameAndDependents) {
  TChartSeries* S = Line();
  auto* Dependent = Create<TLineSeries>(Owner);
  Chart->AddSeries(Dependent);
  Dependent->SetDataSource(S);
  Modal<TPlotGallery>([](TPlotGallery& D) { return Pick(D, "Area"); });
  ASSERT_TRUE(Chart::ChangeSeriesTypeHook);
  EXPECT_EQ(Chart::ChangeSeriesTypeHook(nullptr, S), TAreaSeries::StaticClass());
  EXPECT_EQ(S->ClassType(), TAreaSeries::StaticClass());
  EXPECT_EQ(S->GetName(), "Series1");
  EXPECT_EQ(S->Count(), 2);
  EXPECT_EQ(Dependent->GetDataSource(), S);
}

TEST_F(GalleryDialogs, NewSeriesHookMakesTheChosenTypeOnTheChart) {
  ASSERT_TRUE(Chart::NewSeriesFromGalleryHook);
  EXPECT_EQ(Chart::NewSeriesFromGalleryHook(nullptr, nullptr, nullptr), nullptr) << "none without a chart";
  Modal<TPlotGallery>([](TPlotGallery& D) { return Pick(D, "Point"); });
  TChartSeries* Made = Chart::NewSeriesFromGalleryHook(Owner, Chart, nullptr);
  ASSERT_NE(Made, nullptr);
  EXPECT_EQ(Made->ClassType(), TPointSeries::StaticClass());
  EXPECT_EQ(Chart->SeriesCount(), 1);
}


TEST_F(GalleryDialogs, GalleryModeChoosesTheListDialog) {
  auto SetMode = [](int Mode) {
    TRegistry Reg;
    Reg.SetRootKey(HKEY_CURRENT_USER);
    Reg.OpenKey(PlotProcs::EditorKey, true);
    if (Mode < 0)
      Reg.DeleteValue("GalleryMode");
    else
      Reg.WriteInteger("GalleryMode", Mode);
  };
  struct TForget {
    std::function<void(int)> Set;
    ~TForget() { Set(-1); }
  } Forget{SetMode};
  int32_t Sub = -1;
  TClass S = nullptr, F = nullptr;
  bool View3D = false;
  SetMode(0);
  Modal<TPlotGallery>([](TPlotGallery&) { return mrCancel; });
  EXPECT_FALSE(PlotGally::GallerySelect(nullptr, nullptr, false, Sub, false, F, View3D, S));
  SetMode(1);
  Modal<TPlotGalleryForm>([](TPlotGalleryForm& D) {
    EXPECT_EQ(D.GetCaption(), "Chart Type Gallery");
    EXPECT_EQ(D.CBPage->Items()->Strings(0), "(all)");
    EXPECT_EQ(D.CBPage->Items()->Strings(D.CBPage->GetItemIndex()), "Standard");
    TStrings* Rows = D.ChartListBox1->Items();
    EXPECT_GE(Rows->IndexOf("Horizontal Line"), 0) << "line breaks become blanks";
    for (int i = 1; i < Rows->Count(); ++i) EXPECT_LE(Rows->Strings(i - 1), Rows->Strings(i)) << "sorted";
    const int Line = Rows->IndexOf("Line");
    EXPECT_GE(Line, 0);
    D.ChartListBox1->SetItemIndex(Line);
    D.ChartListBox1Click(D.ChartListBox1);
    EXPECT_EQ(D.LastShownClass, TLineSeries::StaticClass());
    std::vector<std::string> Names;
    TLineSeries Probe(nullptr);
    Probe.ListGalleryVariants([&](const std::string& N) { Names.push_back(N); });
    EXPECT_EQ(D.ChartGalleryPanel1->Charts().Count(), static_cast<int32_t>(Names.size()));
    D.ChartGalleryPanel1->SelectChart(D.ChartGalleryPanel1->Charts().GetChart(0));
    return D.GetModalResult();
  });
  EXPECT_TRUE(PlotGally::GallerySelect(nullptr, nullptr, false, Sub, false, F, View3D, S));
  EXPECT_EQ(S, TLineSeries::StaticClass());
  EXPECT_EQ(F, nullptr);
  EXPECT_EQ(Sub, 0);
  // "(all)" lists the types of every page.
  Modal<TPlotGalleryForm>([](TPlotGalleryForm& D) {
    const int Standard = D.ChartListBox1->Items()->Count();
    D.CBPage->SetItemIndex(0);
    D.CBPageChange(D.CBPage);
    EXPECT_GE(D.ChartListBox1->Items()->Count(), Standard);
    return mrCancel;
  });
  EXPECT_FALSE(PlotGally::GallerySelect(nullptr, nullptr, false, Sub, false, F, View3D, S));
}

}  // namespace

}  // namespace PlotGallyTests
