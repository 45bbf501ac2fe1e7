// The statistical functions and series are registered when the main window
// makes its charts, each on its gallery page with its text and sample count.

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/extras/CurvFitt.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/PlotCount.h"
#include "chart/extras/PlotCumu.h"
#include "chart/extras/PlotDownSampling.h"
#include "chart/extras/PlotSpline.h"
#include "chart/extras/StatChar.h"

namespace StatCharRegistrationTest {

namespace {

using AppTest::AppFixture;

TEST_F(AppFixture, StatisticalTypesAreRegisteredWithTheMainWindowsCharts) {
  // Removed first, so that only the window's start-up can bring them back.
  PlotSpline::Finalize();
  StatChar::Finalize();
  CurvFitt::Finalize();
  PlotCount::Finalize();
  PlotCumu::Finalize();
  PlotDownSampling::Finalize();
  PlotBoxPlot::Finalize();
  OpenForm();
  struct TCase {
    TClass Function, Series;
    const char* Description;
    const char* Page;
    int32_t Samples;
  } cases[] = {
      {TSmoothingFunction::StaticClass(), nullptr, "Smoothing", "Extended", 1},
      {TMovingAverageFunction::StaticClass(), nullptr, "Moving\rAverage", "Financial", 1},
      {TExpMovAveFunction::StaticClass(), nullptr, "Exp.Moving\rAverage", "Financial", 1},
      {TExpAverageFunction::StaticClass(), nullptr, "Exponential\rAverage", "Extended", 1},
      {TMomentumFunction::StaticClass(), nullptr, "Momentum", "Financial", 1},
      {TMomentumDivFunction::StaticClass(), nullptr, "Momentum\rDivision", "Financial", 1},
      {TStochasticFunction::StaticClass(), nullptr, "Stochastic", "Financial", 1},
      {TPerformanceFunction::StaticClass(), nullptr, "Performance", "Extended", 1},
      {TStdDeviationFunction::StaticClass(), nullptr, "Standard\rDeviation", "Extended", 1},
      {TRMSFunction::StaticClass(), nullptr, "Root Mean\rSquare", "Extended", 1},
      {TCrossPointsFunction::StaticClass(), nullptr, "Cross Points", "Extended", 1},
      {TVarianceFunction::StaticClass(), nullptr, "Variance", "Extended", 1},
      {TPerimeterFunction::StaticClass(), nullptr, "Perimeter", "Extended", 1},
      {TCurveFittingFunction::StaticClass(), nullptr, "Curve Fitting", "Extended", 1},
      {TTrendFunction::StaticClass(), nullptr, "Trend", "Extended", 1},
      {TExpTrendFunction::StaticClass(), nullptr, "Exponential\rTrend", "Extended", 1},
      {TCorrelationFunction::StaticClass(), nullptr, "Correlation", "Extended", 1},
      {TCountPlotFunction::StaticClass(), nullptr, "Count", "Standard", 2},
      {TCumulative::StaticClass(), nullptr, "Cumulative", "Extended", 2},
      {TDownSamplingFunction::StaticClass(), nullptr, "Downsampling", "Extended", 1},
      {nullptr, THistogramSeries::StaticClass(), "Histogram", "Stats", 1},
      {nullptr, THorizHistogramSeries::StaticClass(), "Horizontal\rHistogram", "Stats", 1},
      {nullptr, TBoxSeries::StaticClass(), "BoxPlot", "Stats", 2},
      {nullptr, THorizBoxSeries::StaticClass(), "Horizontal\rBoxPlot", "Stats", 2},
  };
  for (const TCase& c : cases) {
    int found = 0;
    for (auto& t : Chart::SeriesTypes().Items()) {
      if (t->FunctionClassRef != c.Function || t->SeriesClassRef != c.Series) continue;
      ++found;
      EXPECT_EQ(t->Description(), c.Description);
      ASSERT_TRUE(static_cast<bool>(t->PageName)) << c.Description;
      EXPECT_EQ(*t->PageName, c.Page) << c.Description;
      EXPECT_EQ(t->SampleSeriesCount, c.Samples) << c.Description;
    }
    EXPECT_EQ(found, 1) << c.Description;
    // Charts can make them by class name, as chart files need.
    EXPECT_EQ(ClassInfo::GetClass((c.Function ? c.Function : c.Series)->ClassName()), c.Function ? c.Function : c.Series)
        << c.Description;
  }
}

}  // namespace

}  // namespace StatCharRegistrationTest
