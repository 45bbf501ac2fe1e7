// The cumulative function: running sums by point, by group, in total and
// across sources.
#include "chart/extras/PlotCumu.h"

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace PlotCumuTests {

namespace {

using Cumulative = StatFunctionTest;

TEST_F(Cumulative, RunningSumsOfPointsGroupsAndTheWholeSource) {
  struct TCase {
    double Period;
    TValues Source, Expected;
    const char* Name;
  } cases[] = {
      {1, {1, 2, 3}, {1, 3, 6}, "by point"},
      {2, {1, 2, 3, 4}, {3, 10}, "each group adds its sum"},
      {2, {1, 2, 3, 4, 5}, {3, 10}, "an incomplete group adds nothing"},
      {0, {1, 2, 3, 4}, {10, 10}, "the whole-source total as a level"},
  };
  for (const TCase& c : cases) {
    auto [r, f] = Result<TCumulative>({});
    EXPECT_EQ(f->GetPeriod(), 1);
    f->SetPeriod(c.Period);
    r->SetDataSource(Source(c.Source));
    EXPECT_EQ(Ys(*r), c.Expected) << c.Name;
  }
  auto [many, f] = Result<TCumulative>({Source({1, 2, 3}), Source({10, 20})});
  EXPECT_EQ(Ys(*many), (TValues{11, 33, 36})) << "across sources";
}

TEST(PlotCumuRegistration, CumulativeOnTheExtendedPageWithTwoSamples) {
  PlotCumu::Initialize();
  int found = 0;
  for (auto& t : Chart::SeriesTypes().Items())
    if (t->FunctionClassRef == TCumulative::StaticClass()) {
      ++found;
      EXPECT_EQ(t->Description(), "Cumulative");
      EXPECT_EQ(*t->PageName, "Extended");
      EXPECT_EQ(t->SampleSeriesCount, 2);
    }
  EXPECT_EQ(found, 1);
  PlotCumu::Finalize();
  for (auto& t : Chart::SeriesTypes().Items()) EXPECT_NE(t->FunctionClassRef, TCumulative::StaticClass());
}

}  // namespace

}  // namespace PlotCumuTests
