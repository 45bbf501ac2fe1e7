// Depth positions, the visible range and drawing order, paging, the hover
// test and legend entries of a series.
#include "chart/engine/tests/SeriesFixture.h"

namespace SeriesDrawTests {

class SeriesDrawTest : public SeriesTest {
protected:
  TTestSeries* TenPoints() {
    auto* s = NewSeries();
    for (int i = 0; i < 10; ++i) s->AppendPoint(i, i * 10);
    return s;
  }
};

struct RangeCase {
  double Min, Max;
  bool Between;
  int32_t First, Last;
};

class SeriesRangeTest : public SeriesDrawTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(SeriesRangeTest, VisibleRangeCoversThePointsInsideTheChartRectangle) {
  const RangeCase c = GetParam();
  auto* s = TenPoints();
  s->DrawBetweenPoints = c.Between;
  Chart->Layout(c.Min, c.Max);
  s->FindVisibleRange();
  EXPECT_EQ(s->FirstValueIndex, c.First);
  EXPECT_EQ(s->LastValueIndex, c.Last);
}

INSTANTIATE_TEST_SUITE_P(Table, SeriesRangeTest,
                         ::testing::Values(RangeCase{2.5, 6.5, false, 3, 6}, RangeCase{2.5, 6.5, true, 3, 7},
                                           RangeCase{20, 30, false, -1, -1}, RangeCase{-5, 50, false, 0, 9},
                                           RangeCase{3, 6, false, 3, 6}));

TEST_F(SeriesDrawTest, EmptyOrUnorderedSeriesRanges) {
  auto* s = NewSeries();
  s->FindVisibleRange();
  EXPECT_EQ(s->FirstValueIndex, -1);
  EXPECT_EQ(s->LastValueIndex, -1);
  s->XValues()->SetOrder(loNone);
  for (int i = 0; i < 5; ++i) s->AppendPoint(100 + i, 1);
  s->FindVisibleRange();
  EXPECT_EQ(s->FirstValueIndex, 0);
  EXPECT_EQ(s->LastValueIndex, 4);
}

TEST_F(SeriesDrawTest, InvertedHorizontalAxisDrawsBackwards) {
  auto* s = TenPoints();
  Chart->Layout(2.5, 6.5);
  Chart->GetBottomAxis()->SetInverted(true);
  Chart->Layout(2.5, 6.5);
  s->FindVisibleRange();
  s->DrawPoints();
  EXPECT_EQ(s->Drawn, (std::vector<int32_t>{6, 5, 4, 3}));
  EXPECT_EQ(s->FirstDisplayedIndex(), 6);
}

TEST_F(SeriesDrawTest, DepthPositionsAndZOrder) {
  auto* s = NewSeries();
  s->ComputedZOrder = 2;
  s->CalcDepthPositions();
  EXPECT_EQ(s->StartZ, 20);
  EXPECT_EQ(s->EndZ, 30);
  EXPECT_EQ(s->MiddleZ, 25);

  Chart->View3D = true;
  Chart->MaxZOrder = 0;
  auto* t = NewSeries();
  s->ResolveDepthOrder();
  t->ResolveDepthOrder();
  EXPECT_EQ(s->GetZOrder(), 1);
  EXPECT_EQ(t->GetZOrder(), 2);
  t->ZOrder = 7;
  t->ResolveDepthOrder();
  EXPECT_EQ(Chart->MaxZOrder, 7);
  Chart->UseZOrder = true;
  t->ZOrder = 1;
  EXPECT_TRUE(s->MoreSameZOrder());
  EXPECT_FALSE(t->FirstInZOrder());
}

struct PageCase {
  int32_t Count, PerPage, Page, First, Last;
};

class SeriesPageTest : public SeriesDrawTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(SeriesPageTest, PageRange) {
  const PageCase c = GetParam();
  auto* s = NewSeries();
  for (int i = 0; i < c.Count; ++i) s->Add(i);
  Chart->MaxPointsPerPage = c.PerPage;
  Chart->Page = c.Page;
  int32_t first = 0, last = 0;
  s->CalcFirstLastPage(first, last);
  EXPECT_EQ(first, c.First);
  EXPECT_EQ(last, c.Last);
}

INSTANTIATE_TEST_SUITE_P(Table, SeriesPageTest,
                         ::testing::Values(PageCase{25, 10, 1, 0, 9}, PageCase{25, 10, 3, 20, 24},
                                           PageCase{25, 10, 4, 10, 19}, PageCase{25, 0, 2, 0, 24},
                                           PageCase{0, 10, 1, -1, -1}, PageCase{5, 10, 1, 0, 4}));

class THoverSeries : public TTestSeries {
public:
  using TTestSeries::TTestSeries;
  int32_t PointAtPixel(int32_t X, int32_t) override { return X < 10 ? 0 : -1; }
};

TEST_F(SeriesDrawTest, HoverFiresEnterAndLeaveOnce) {
  auto* s = NewSeries<THoverSeries>();
  s->Add(1);
  EXPECT_FALSE(s->CheckMouse(5, 5));  // no cursor and no events: no test
  int enter = 0, leave = 0;
  s->OnMouseEnter = [&](TObject*) { ++enter; };
  s->OnMouseLeave = [&](TObject*) { ++leave; };
  s->Cursor = 5;
  EXPECT_TRUE(s->CheckMouse(5, 5));
  EXPECT_TRUE(s->CheckMouse(6, 5));
  EXPECT_EQ(Chart->Cursor, 5);
  EXPECT_FALSE(s->CheckMouse(50, 5));
  EXPECT_FALSE(s->CheckMouse(51, 5));
  EXPECT_EQ(enter, 1);
  EXPECT_EQ(leave, 1);
}

TEST_F(SeriesDrawTest, LegendStrings) {
  auto* s = NewSeries();
  s->SetValueFormat("0.#");
  s->SetPercentFormat("0 %");
  s->AppendPoint(1, 25, "a");
  s->AppendPoint(2, 75);
  const std::string sep(1, '\x06');
  EXPECT_EQ(s->GetLegendString(0, ltsPlain), "a");
  EXPECT_EQ(s->GetLegendString(0, ltsLeftValue), "25" + sep + "a");
  EXPECT_EQ(s->GetLegendString(0, ltsRightPercent), "a" + sep + "25 %");
  EXPECT_EQ(s->GetLegendString(1, ltsRightValue), "75");
  EXPECT_EQ(s->GetLegendString(1, ltsXAndValue), "2" + sep + "75");
  auto* zero = NewSeries();
  zero->SetPercentFormat("0 %");
  zero->AppendPoint(0, 0, "z");
  EXPECT_EQ(zero->GetLegendString(0, ltsPercent), "100 %");
}

TEST_F(SeriesDrawTest, TitleOrNameFallsBackToThePositionInTheChart) {
  NewSeries();
  auto* b = NewSeries();
  auto* c = NewSeries();
  EXPECT_EQ(PlotEngine::SeriesTitleOrName(c), "Series3");
  b->SetName("Curve");
  EXPECT_EQ(PlotEngine::SeriesTitleOrName(b), "Curve");
  b->SetTitle("a\x06" "b");
  EXPECT_EQ(PlotEngine::SeriesTitleOrName(b), "a b");
}

}  // namespace SeriesDrawTests
