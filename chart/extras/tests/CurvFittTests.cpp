// Polynomial fitting in extended precision, the curve-fitting function,
// trends and the correlation coefficient.
#include "chart/extras/CurvFitt.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace CurvFittTests {

namespace {

TEST(PlotPoly, FitReproducesAPolynomialAndSolveGaussGivesTheDeterminant) {
  // y = 2 - 3x + 0.5x^2 + x^3 sampled at 7 points: a 4-term fit is exact.
  PlotPoly::TVector x(8), y(8);
  for (int i = 1; i <= 7; ++i) {
    const long double t = i - 4;
    x[i] = t;
    y[i] = 2 - 3 * t + 0.5L * t * t + t * t * t;
  }
  PlotPoly::TCoefficients c{};
  PlotPoly::FitPolynomial(7, 4, x, y, c);
  EXPECT_NEAR(static_cast<double>(c[1]), 2, 1e-12);
  EXPECT_NEAR(static_cast<double>(c[2]), -3, 1e-12);
  EXPECT_NEAR(static_cast<double>(c[3]), 0.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(c[4]), 1, 1e-12);
  EXPECT_NEAR(static_cast<double>(PlotPoly::EvalPolynomial(4, c, 10)), 2 - 30 + 50 + 1000, 1e-9);

  // [[0, 2], [3, 1]]: one row exchange, determinant -(3 * 2) = -6.
  PlotPoly::TMatrix a{};
  a[1][1] = 0, a[1][2] = 2, a[2][1] = 3, a[2][2] = 1;
  PlotPoly::TVector b{0, 4, 5}, s;
  EXPECT_NEAR(static_cast<double>(PlotPoly::SolveGauss(2, a, b, s, 1e-15L)), -6, 1e-15);
  EXPECT_NEAR(static_cast<double>(s[1]), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(s[2]), 2, 1e-15);

  // Two distinct X values cannot fix three terms.
  PlotPoly::TVector xs{0, 1, 1, 2, 2}, ys{0, 1, 1, 2, 2};
  try {
    PlotPoly::FitPolynomial(4, 3, xs, ys, c);
    ADD_FAILURE();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Cannot process fitting");
  }
}

using Fitting = StatFunctionTest;

TEST_F(Fitting, CurveThroughAParabolaWithFactorPointsPerInterval) {
  // y = x^2 + x + 1 at X = 0..3.
  TLineSeries* src = Source({1, 3, 7, 13});
  auto [r, f] = Result<TCurveFittingFunction>({src});
  EXPECT_EQ(r->Count(), 0) << "fewer points than the default 5 terms";
  f->SetPolyDegree(3);
  ExpectNear(Xs(*r), {0, 1, 2, 3}, "source X values");
  ExpectNear(Ys(*r), {1, 3, 7, 13}, "the parabola itself");
  f->SetFactor(2);
  ExpectNear(Xs(*r), {0, 0.5, 1, 1.5, 2, 2.5, 3}, "one point between each pair");
  ExpectNear(Ys(*r), {1, 1.75, 3, 4.75, 7, 9.75, 13}, "on the parabola");
  EXPECT_NEAR(f->GetCurveYValue(10), 111, 1e-9);

  try {
    f->SetPolyDegree(21);
    ADD_FAILURE();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Polynomial degree must be between 1 and 20");
  }
  EXPECT_THROW(f->SetPolyDegree(0), ChartException);
  EXPECT_EQ(f->GetPolyDegree(), 3);
}

TEST_F(Fitting, RangesAreClampedAndAnEmptyFitRangeDrawsNothing) {
  TLineSeries* src = Source({1, 3, 7, 13, 21});
  auto [r, f] = Result<TCurveFittingFunction>({src});
  f->SetPolyDegree(3);
  struct TCase {
    int32_t FirstCalc, LastCalc, First, Last;
    TValues X;
    const char* Name;
  } cases[] = {
      {-1, -1, 1, 3, {1, 2, 3}, "a drawn sub-range"},
      {-1, -1, -5, 99, {0, 1, 2, 3, 4}, "a drawn range beyond the source is clamped"},
      {2, 99, -1, -1, {0, 1, 2, 3, 4}, "a fit range beyond the source is clamped"},
      {4, 2, -1, -1, {}, "an empty fit range draws nothing"},
      {7, -1, -1, -1, {}, "a fit range past the end draws nothing"},
      {-1, -1, 3, 1, {}, "an empty drawn range"},
  };
  for (const TCase& c : cases) {
    f->BeginUpdate();
    f->SetFirstCalcPoint(c.FirstCalc);
    f->SetLastCalcPoint(c.LastCalc);
    f->SetFirstPoint(c.First);
    f->SetLastPoint(c.Last);
    f->EndUpdate();
    ExpectNear(Xs(*r), c.X, c.Name);
    for (int32_t i = 0; i < r->Count(); ++i) {
      const double x = r->GetXValue(i);
      EXPECT_NEAR(r->GetYValue(i), x * x + x + 1, 1e-9) << c.Name;
    }
  }
}

using Trends = StatFunctionTest;

TEST_F(Trends, LinearTrendAndCorrelationOfAWorkedExample) {
  // Slope 0.6, intercept 2.2, r = 6 / sqrt(60).
  TLineSeries* src = Source({2, 4, 5, 4, 5}, {1, 2, 3, 4, 5});
  auto [r, trend] = Result<TTrendFunction>({src});
  double m = 0, b = 0;
  ASSERT_TRUE(trend->CalculateTrend(src, -1, -1, m, b));
  EXPECT_NEAR(m, 0.6, 1e-12);
  EXPECT_NEAR(b, 2.2, 1e-12);
  ExpectNear(Xs(*r), {1, 5}, "trend ends");
  ExpectNear(Ys(*r), {2.8, 5.2}, "trend values");
  auto [rc, corr] = Result<TCorrelationFunction>({src});
  ASSERT_EQ(rc->Count(), 2) << "a line series draws r as a level";
  EXPECT_NEAR(rc->GetYValue(0), 0.774597, 1e-6);
  EXPECT_NEAR(corr->Calculate(src, -1, -1), 6 / std::sqrt(60.0), 1e-12);
  auto* bars = Create<TBarSeries>(Owner);
  Chart->AddSeries(bars);
  bars->SetFunction(Create<TCorrelationFunction>(Owner));
  bars->SetDataSource(src);
  ASSERT_EQ(bars->Count(), 1) << "one point where the series takes single totals";
  EXPECT_EQ(bars->GetXValue(0), 0);

  auto [line, t2] = Result<TTrendFunction>({Source({3, 5, 7, 9}, {1, 2, 3, 4})});
  ASSERT_TRUE(t2->CalculateTrend(Source({3, 5, 7, 9}, {1, 2, 3, 4}), -1, -1, m, b));
  EXPECT_NEAR(m, 2, 1e-12);
  EXPECT_NEAR(b, 1, 1e-12);
}

TEST_F(Trends, UndefinedTrendsAndCorrelationsAddNoPoints) {
  struct TCase {
    TValues Y, X;
    const char* Name;
  } cases[] = {
      {{1, 2, 3}, {4, 4, 4}, "equal X values"},
      {{5}, {1}, "one point"},
      {{}, {}, "no points"},
  };
  for (const TCase& c : cases) {
    TLineSeries* src = Source(c.Y, c.X);
    auto [t, trend] = Result<TTrendFunction>({src});
    EXPECT_EQ(t->Count(), 0) << c.Name;
    auto [rc, corr] = Result<TCorrelationFunction>({src});
    EXPECT_EQ(rc->Count(), 0) << c.Name;
  }
  auto [constant, corr] = Result<TCorrelationFunction>({Source({4, 4, 4}, {1, 2, 3})});
  EXPECT_EQ(constant->Count(), 0) << "constant values have no correlation";
  TLineSeries* proportional = Source({2, 4, 6, 8}, {1, 2, 3, 4});
  auto [rp, corr2] = Result<TCorrelationFunction>({proportional});
  EXPECT_EQ(Ys(*rp), (TValues{1, 1})) << "exactly 1, never beyond";
  EXPECT_EQ(corr2->Calculate(Source({8, 6, 4, 2}, {1, 2, 3, 4}), -1, -1), -1);
}

TEST_F(Trends, ExponentialTrendFollowsTheCurveAndSkipsValuesAtOrBelowZero) {
  // y = 3 e^(0.5 x) with a 0 and a negative value mixed in.
  const TValues x{0, 1, 2, 3, 4, 5};
  TValues y;
  for (double v : x) y.push_back(3 * std::exp(0.5 * v));
  y[2] = 0;
  y[4] = -1;
  auto [r, f] = Result<TExpTrendFunction>({Source(y, x)});
  ASSERT_EQ(Xs(*r), x) << "a point at every source X";
  for (int32_t i = 0; i < r->Count(); ++i) EXPECT_NEAR(r->GetYValue(i), 3 * std::exp(0.5 * x[i]), 1e-9) << i;
  auto [none, f2] = Result<TExpTrendFunction>({Source({0, -2, 5}, {0, 1, 2})});
  EXPECT_EQ(none->Count(), 0) << "one usable point";
}

TEST_F(Trends, APeriodGivesOneTrendPerGroup) {
  auto [r, f] = Result<TTrendFunction>({Source({0, 1, 10, 8}, {0, 1, 2, 3})});
  f->SetPeriod(2);
  ExpectNear(Xs(*r), {0, 1, 2, 3}, "segment ends");
  ExpectNear(Ys(*r), {0, 1, 10, 8}, "each group's line through its two points");
}

TEST(CurvFittRegistration, FourFunctionsOnTheExtendedPage) {
  CurvFitt::Initialize();
  struct TCase {
    TClass Class;
    const char* Description;
  } cases[] = {{TCurveFittingFunction::StaticClass(), "Curve Fitting"},
               {TTrendFunction::StaticClass(), "Trend"},
               {TExpTrendFunction::StaticClass(), "Exponential\rTrend"},
               {TCorrelationFunction::StaticClass(), "Correlation"}};
  for (const TCase& c : cases) {
    int found = 0;
    for (auto& t : Chart::SeriesTypes().Items())
      if (t->FunctionClassRef == c.Class) {
        ++found;
        EXPECT_EQ(t->Description(), c.Description);
        EXPECT_EQ(*t->PageName, "Extended");
        EXPECT_EQ(t->SampleSeriesCount, 1);
      }
    EXPECT_EQ(found, 1) << c.Description;
  }
  CurvFitt::Finalize();
  for (const TCase& c : cases)
    for (auto& t : Chart::SeriesTypes().Items()) EXPECT_NE(t->FunctionClassRef, c.Class);
}

}  // namespace

}  // namespace CurvFittTests
