// The count function over a source, a period and several sources.
#include "chart/extras/PlotCount.h"

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace PlotCountTests {

namespace {

using Count = StatFunctionTest;

TEST_F(Count, PointsOfTheSourceOfAGroupAndOfSources) {
  TLineSeries* seven = Source({5, 1, 4, 1, 5, 9, 2});
  auto* f = Create<TCountPlotFunction>(Owner);
  EXPECT_EQ(f->Calculate(seven, -1, -1), 7);
  EXPECT_EQ(f->Calculate(seven, 3, 2), 0) << "an empty range";
  EXPECT_EQ(f->Calculate(seven, 2, 4), 3);
  auto [level, c] = Result<TCountPlotFunction>({seven});
  EXPECT_EQ(Ys(*level), (TValues{7, 7})) << "the whole source as a level";
  c->SetPeriod(3);
  EXPECT_EQ(Ys(*level), (TValues{3, 3})) << "complete groups only";
  auto [many, c2] = Result<TCountPlotFunction>({seven, Source({1, 2}), Source({3})});
  EXPECT_EQ(Ys(*many), (TValues{3, 2, 1, 1, 1, 1, 1})) << "sources that reach each index";
}

TEST(PlotCountRegistration, CountOnTheStandardPageWithTwoSamples) {
  PlotConst::Initialize();
  PlotCount::Initialize();
  int found = 0;
  for (auto& t : Chart::SeriesTypes().Items())
    if (t->FunctionClassRef == TCountPlotFunction::StaticClass()) {
      ++found;
      EXPECT_EQ(t->Description(), "Count");
      EXPECT_EQ(*t->PageName, "Standard");
      EXPECT_EQ(t->SampleSeriesCount, 2);
    }
  EXPECT_EQ(found, 1);
  PlotCount::Finalize();
  for (auto& t : Chart::SeriesTypes().Items()) EXPECT_NE(t->FunctionClassRef, TCountPlotFunction::StaticClass());
}

}  // namespace

}  // namespace PlotCountTests
