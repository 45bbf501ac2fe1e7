// The grid series are registered when the main window makes its charts.

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"

namespace {

using AppTest::AppFixture;

TEST_F(AppFixture, GridSeriesAreRegisteredWithTheMainWindowsCharts) {
  // Removed first, so that only the window's start-up can bring them back.
  PlotSurfa::Finalization();
  OpenForm();
  int found = 0;
  for (auto& t : Chart::SeriesTypes().Items()) {
    if (t->SeriesClassRef != TColorGridSeries::StaticClass()) continue;
    ++found;
    EXPECT_EQ(t->Description(), "Color Grid");
    ASSERT_TRUE(static_cast<bool>(t->PageName));
    EXPECT_EQ(*t->PageName, "3D");
    EXPECT_EQ(t->SampleSeriesCount, 1);
  }
  EXPECT_EQ(found, 1);
  // Chart files make them by class name.
  EXPECT_EQ(ClassInfo::GetClass("TColorGridSeries"), TColorGridSeries::StaticClass());
}

}  // namespace
