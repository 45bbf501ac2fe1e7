// The grid series are registered when the main window makes its charts.

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/extras/PlotSurfaGrid.h"

namespace GridSeriesRegistrationTest {

namespace {

using AppTest::AppFixture;

TEST_F(AppFixture, GridSeriesAreRegisteredWithTheMainWindowsCharts) {
  // Removed first, so that only the window's start-up can bring them back.
  PlotSurfa::Finalization();
  OpenForm();
  const std::pair<TClass, const char*> types[] = {
      {TSurfaceSeries::StaticClass(), "Surface"},       {TContourSeries::StaticClass(), "Contour"},
      {TWaterFallSeries::StaticClass(), "Water Fall"}, {TColorGridSeries::StaticClass(), "Color Grid"},
      {TVector3DSeries::StaticClass(), "Vector 3D"},    {TTowerSeries::StaticClass(), "Tower"}};
  for (const auto& [cls, name] : types) {
    int found = 0;
    for (auto& t : Chart::SeriesTypes().Items()) {
      if (t->SeriesClassRef != cls) continue;
      ++found;
      EXPECT_EQ(t->Description(), name);
      ASSERT_TRUE(static_cast<bool>(t->PageName));
      EXPECT_EQ(*t->PageName, "3D");
      EXPECT_EQ(t->SampleSeriesCount, 1);
    }
    EXPECT_EQ(found, 1) << name;
    // Chart files make them by class name.
    EXPECT_EQ(ClassInfo::GetClass(cls->ClassName()), cls) << name;
  }
}

}  // namespace

}  // namespace GridSeriesRegistrationTest
