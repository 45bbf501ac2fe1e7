// The point store, colours, value events, update brackets, axis binding,
// chart membership and freeing in any order.
#include "chart/engine/tests/SeriesFixture.h"

namespace SeriesBaseTests {

using V = std::vector<double>;

TEST_F(SeriesTest, AppendPointKeepsPointsSortedByXAndEqualXGoesBehind) {
  auto* s = NewSeries();
  EXPECT_EQ(s->AppendPoint(3, 30), 0);
  EXPECT_EQ(s->AppendPoint(1, 10), 0);
  EXPECT_EQ(s->AppendPoint(2, 20), 1);
  EXPECT_EQ(s->AppendPoint(2, 21, "b"), 2);
  EXPECT_EQ(Xs(*s), (V{1, 2, 2, 3}));
  EXPECT_EQ(Ys(*s), (V{10, 20, 21, 30}));
  EXPECT_EQ(s->GetLabel(2), "b");
  EXPECT_EQ(s->GetLabel(1), "");
}

TEST_F(SeriesTest, AddUsesCountAsPositionAndHorizontalSeriesSwapsRoles) {
  auto* v = NewSeries();
  v->Add(5);
  v->Add(7);
  EXPECT_EQ(Xs(*v), (V{0, 1}));
  EXPECT_EQ(Ys(*v), (V{5, 7}));
  auto* h = NewSeries();
  h->SetHorizontal();
  h->Add(5);
  EXPECT_EQ(Xs(*h), (V{5}));
  EXPECT_EQ(Ys(*h), (V{0}));
}

TEST_F(SeriesTest, OnBeforeAddRefusesThePoint) {
  auto* s = NewSeries();
  s->OnBeforeAdd = [](TChartSeries*) { return false; };
  EXPECT_EQ(s->AppendPoint(1, 1), -1);
  EXPECT_EQ(s->Count(), 0);
}

TEST_F(SeriesTest, PointColoursAreCreatedOnlyByTheFirstOwnColour) {
  auto* s = NewSeries();
  s->SetSeriesColor(clBlue);
  s->AppendPoint(0, 1);
  s->AppendPoint(1, 1);
  EXPECT_FALSE(s->HasPointColors());
  s->AppendPoint(2, 1, "", clRed);
  s->AddNull();
  ASSERT_TRUE(s->HasPointColors());
  EXPECT_EQ(s->ValueColor(0), clBlue);
  EXPECT_EQ(s->ValueColor(2), clRed);
  EXPECT_TRUE(s->IsNull(3));
  s->SetColorEachPoint(true);
  EXPECT_EQ(s->ValueColor(1), Chart->GetDefaultColor(1));
  s->Clear();
  EXPECT_FALSE(s->HasPointColors());
}

TEST_F(SeriesTest, DeleteOutOfBoundsRaisesTheEngineTextAndChangesNothing) {
  auto* s = NewSeries();
  for (int i = 0; i < 5; ++i) s->Add(i);
  try {
    s->Delete(5);
    FAIL() << "no exception";
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Series Delete: ValueIndex 5 out of bounds (0 to 4).");
  }
  EXPECT_THROW(s->Delete(-1), ChartException);
  EXPECT_EQ(s->Count(), 5);
  s->Delete(1);
  EXPECT_EQ(Ys(*s), (V{0, 2, 3, 4}));
}

TEST_F(SeriesTest, DeleteRangeChecksBeforeChangingAndClosesTheGap) {
  auto* s = NewSeries();
  for (double x : {10, 20, 30, 40}) s->AppendPoint(x, x / 10, "", x == 30 ? clRed : clDefault);
  EXPECT_THROW(s->DeleteRange(0, 0), ChartException);
  EXPECT_THROW(s->DeleteRange(2, 3), ChartException);
  EXPECT_EQ(s->Count(), 4);
  s->DeleteRange(0, 2, true);
  EXPECT_EQ(Xs(*s), (V{0, 1}));
  EXPECT_EQ(Ys(*s), (V{3, 4}));
  EXPECT_EQ(s->ValueColor(0), clRed);
}

TEST_F(SeriesTest, CheckedIndicesRaiseTheEngineException) {
  auto* s = NewSeries();
  s->Add(1);
  EXPECT_THROW(s->GetLabel(1), ChartException);
  EXPECT_THROW(s->SetPointColor(-1, clRed), ChartException);
  EXPECT_THROW(s->SetXValue(3, 1), ChartException);
  EXPECT_THROW(s->SwapValueIndex(0, 1), ChartException);
  EXPECT_THROW(s->GetLegendString(2, ltsValue), ChartException);
  EXPECT_THROW(Chart->List.GetSeries(5), ChartException);
}

TEST_F(SeriesTest, SeriesColourRemembersThePaletteColourWithoutStoringIt) {
  auto* s = NewSeries();
  const TColor palette = s->GetSeriesColor();
  EXPECT_EQ(palette, PlotProcs::GetDefaultColor(0));
  EXPECT_FALSE(s->IsSeriesColorStored());
  Chart->Events.clear();
  s->SetSeriesColor(palette);
  EXPECT_FALSE(s->IsSeriesColorStored());
  EXPECT_TRUE(Chart->Events.empty());
  s->SetSeriesColor(0x123456);
  EXPECT_TRUE(s->IsSeriesColorStored());
  ASSERT_EQ(Chart->Events.size(), 1u);
  EXPECT_EQ(Chart->Events[0].Code, 3);
}

TEST_F(SeriesTest, NewDefaultSeriesGetDifferentFreeColours) {
  auto* a = NewSeries();
  auto* b = NewSeries();
  auto* c = NewSeries();
  EXPECT_NE(a->GetSeriesColor(), b->GetSeriesColor());
  EXPECT_NE(b->GetSeriesColor(), c->GetSeriesColor());
  EXPECT_NE(a->GetSeriesColor(), c->GetSeriesColor());
}

TEST_F(SeriesTest, SeriesEventsReachTheChart) {
  Chart->Events.clear();
  auto* s = NewSeries();
  s->SetTitle("t");
  s->SetActive(false);
  s->BeginUpdate();
  s->EndUpdate();
  s->SetParentChart(nullptr);
  std::vector<int32_t> codes;
  for (auto& e : Chart->Events) codes.push_back(e.Code);
  // The palette colour (3) comes as the series joins, before it is listed (0).
  EXPECT_EQ(codes, (std::vector<int32_t>{3, 0, 2, 5, 6, 1}));
  EXPECT_EQ(Chart->List.Count(), 0);
}

struct RecalcCase {
  uint8_t Options;
  int32_t AfterAdd, AfterDelete, AfterClear;
};

class SeriesRecalcTest : public SeriesTest, public ::testing::WithParamInterface<RecalcCase> {};

TEST_P(SeriesRecalcTest, DependantFollowsOnlyTheEventsOfItsRecalcOptions) {
  const RecalcCase c = GetParam();
  auto* src = NewSeries();
  for (int i = 0; i < 3; ++i) src->Add(i);
  auto* dep = NewSeries();
  dep->RecalcOptions = c.Options;
  dep->SetDataSource(src);
  ASSERT_EQ(dep->Count(), 3);
  src->Add(9);
  EXPECT_EQ(dep->Count(), c.AfterAdd);
  src->Delete(0);
  EXPECT_EQ(dep->Count(), c.AfterDelete);
  src->Clear();
  EXPECT_EQ(dep->Count(), c.AfterClear);
}

INSTANTIATE_TEST_SUITE_P(Options, SeriesRecalcTest,
                         ::testing::Values(RecalcCase{rOnAll, 4, 3, 0}, RecalcCase{0, 3, 3, 3},
                                           RecalcCase{rOnInsert, 4, 4, 4}, RecalcCase{rOnDelete | rOnClear, 3, 2, 0}));

TEST_F(SeriesTest, BatchedUpdateSendsOneRefreshToDependants) {
  auto* src = NewSeries();
  auto* dep = NewSeries();
  dep->RecalcOptions = 0;  // follows refreshes only
  dep->SetDataSource(src);
  int refills = 0;
  dep->OnClearValues = [&](TChartSeries*) { ++refills; };
  src->BeginUpdate();
  for (int i = 0; i < 10; ++i) src->Add(i);
  EXPECT_EQ(dep->Count(), 0);
  src->EndUpdate();
  EXPECT_EQ(dep->Count(), 10);
  EXPECT_EQ(refills, 1);
  src->EndUpdate();  // below zero is ignored
  EXPECT_EQ(src->UpdateCount(), 0);
  dep->OnClearValues = nullptr;  // the chart's teardown clears the series after refills is gone
}

TEST_F(SeriesTest, DeleteRangeMakesAFollowingDependantRefill) {
  auto* src = NewSeries();
  for (int i = 0; i < 6; ++i) src->Add(i);
  auto* dep = NewSeries();
  dep->SetDataSource(src);
  src->DeleteRange(1, 3);
  EXPECT_EQ(Ys(*dep), Ys(*src));
}

TEST_F(SeriesTest, AxisBindingFollowsTheChoiceAndCustomAxes) {
  auto* s = NewSeries();
  EXPECT_EQ(s->GetHorizAxisRef(), Chart->GetBottomAxis());
  EXPECT_EQ(s->GetVertAxisRef(), Chart->GetLeftAxis());
  s->SetHorizAxis(aTopAxis);
  s->SetVertAxis(aBothVertAxis);
  EXPECT_EQ(s->GetHorizAxisRef(), Chart->GetTopAxis());
  EXPECT_TRUE(s->AssociatedToAxis(Chart->GetRightAxis()));
  EXPECT_FALSE(s->AssociatedToAxis(Chart->GetBottomAxis()));
  EXPECT_EQ(s->ValueListForAxis(Chart->GetTopAxis()), s->XValues());

  auto* custom = new TChartAxis(nullptr, Chart.get(), false);
  s->SetCustomVertAxis(custom);
  EXPECT_EQ(s->GetVertAxis(), aCustomVertAxis);
  EXPECT_EQ(s->GetVertAxisRef(), custom);
  custom->Free();  // the chart sends the series back to the left axis
  EXPECT_EQ(s->GetVertAxis(), aLeftAxis);
  EXPECT_EQ(s->GetVertAxisRef(), Chart->GetLeftAxis());
  s->SetParentChart(nullptr);
  EXPECT_EQ(s->GetHorizAxisRef(), nullptr);
}

TEST_F(SeriesTest, ValueListByNameFindsExtraListsAndFallsBackToY) {
  auto* s = NewSeries<TTestSeries3>();
  EXPECT_EQ(s->ValueListByName("z"), s->Z);
  EXPECT_EQ(s->ValueListByName("X"), s->YValues());
  s->Z->TempValue = 7;
  s->AppendPoint(1, 2);
  EXPECT_EQ(s->Z->GetValue(0), 7);
}

// Frees series, functions, tools and axes in every order; ASan reports any
// reference left dangling.
TEST_F(SeriesTest, FreeingInAnyOrderLeavesNoDanglingReference) {
  for (int order = 0; order < 6; ++order) {
    auto chart = std::make_unique<FakeSeriesChart>();
    auto* a = Create<TTestSeries>(Owner);
    auto* b = Create<TTestSeries>(Owner);
    a->SetParentChart(chart.get());
    b->SetParentChart(chart.get());
    a->Add(1);
    b->SetDataSource(a);
    b->PairedSeries = a;
    a->PairedSeries = b;
    auto* tool = Create<TTestTool>(Owner);
    tool->SetParentChart(chart.get());
    tool->SetSeries(a);
    auto* axisTool = Create<TTestAxisTool>(Owner);
    axisTool->SetParentChart(chart.get());
    auto* custom = new TChartAxis(nullptr, chart.get(), true);
    axisTool->SetAxis(custom);
    b->SetCustomHorizAxis(custom);
    auto* group = chart->List.AddGroup("g");
    group->Series().Add(a);
    group->Series().Add(b);

    std::vector<std::function<void()>> steps = {[&] { a->Free(); }, [&] { tool->Free(); },
                                                [&] { custom->Free(); }};
    const int perm[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (int k : perm[order]) {
      steps[k]();
      if (k == 0) {
        EXPECT_EQ(b->GetDataSource(), nullptr);
        EXPECT_EQ(b->PairedSeries.Get(), nullptr);
        EXPECT_EQ(group->Series().Count(), 1);
      }
      if (k == 2) {
        EXPECT_EQ(b->GetHorizAxisRef(), chart->GetBottomAxis());
      }
    }
    EXPECT_EQ(chart->List.Count(), 1);
    b->Free();
    EXPECT_EQ(chart->List.Count(), 0);
    EXPECT_EQ(group->Series().Count(), 0);
    axisTool->Free();
  }
}

TEST_F(SeriesTest, FreeingTheToolOrItsSeriesClearsTheOtherSide) {
  auto* s = NewSeries();
  auto* tool = Create<TTestTool>(Owner);
  tool->SetParentChart(Chart.get());
  tool->SetSeries(s);
  EXPECT_EQ(Chart->Tools.Count(), 1);
  s->Free();
  EXPECT_EQ(tool->GetSeries(), nullptr);
  tool->Free();
  EXPECT_EQ(Chart->Tools.Count(), 0);
}

}  // namespace SeriesBaseTests
