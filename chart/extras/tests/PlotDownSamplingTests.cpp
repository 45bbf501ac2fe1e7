// Down-sampling: Douglas-Peucker against a brute-force distance check, the
// grouping methods, and the function's refill of its series.
#include "chart/extras/PlotDownSampling.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace PlotDownSamplingTests {

namespace {

using PlotDownSampling::DouglasPeucker;
using PlotDownSampling::DownSample;

// Distance of (Px, Py) to the segment A-B by projection, clamped to the ends.
double DistanceToSegment(double Px, double Py, double Ax, double Ay, double Bx, double By) {
  const double vx = Bx - Ax, vy = By - Ay, len2 = vx * vx + vy * vy;
  double t = len2 == 0 ? 0 : ((Px - Ax) * vx + (Py - Ay) * vy) / len2;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(Px - (Ax + t * vx), Py - (Ay + t * vy));
}

TEST(DownSampling, DouglasPeuckerExamples) {
  struct TCase {
    TValues X, Y;
    double Tolerance;
    std::vector<int32_t> Kept;
    const char* Name;
  } cases[] = {
      {{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, 0, {0, 4}, "collinear: only the ends"},
      {{0, 1, 2, 3, 4}, {0, 0.5, 0, 0, 0}, 0, {0, 1, 2, 4}, "tolerance 0 keeps every point off its span"},
      {{0, 1, 2, 3, 4}, {0, 0.5, 0, 0, 0}, 0.6, {0, 4}, "within tolerance"},
      {{0, -3, 4}, {0, 0, 0}, 2.9, {0, 1, 2}, "a point before the span is measured to its first point"},
      {{0, -3, 4}, {0, 0, 0}, 3, {0, 2}, "exactly the tolerance is not beyond it"},
      {{0, 1, 2}, {0, 5, 0}, 1, {0, 1, 2}, "a peak"},
      {{7}, {8}, 1, {0}, "one point"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(DouglasPeucker(c.X.data(), c.Y.data(), static_cast<int32_t>(c.X.size()), c.Tolerance), c.Kept) << c.Name;
}

TEST(DownSampling, EveryDroppedPointLiesWithinToleranceOfTheKeptLine) {
  // A noisy wave; the invariant of the method: each dropped point is within
  // Tolerance of the segment between the kept points around it.
  const int32_t n = 2000;
  TValues x(n), y(n);
  uint32_t state = 12345;
  for (int32_t i = 0; i < n; ++i) {
    state = state * 1664525u + 1013904223u;
    x[i] = i * 0.01;
    y[i] = std::sin(x[i]) * 3 + ((state >> 8) % 1000) / 1000.0 * 0.2;
  }
  for (double tolerance : {0.05, 0.3, 1.0}) {
    const std::vector<int32_t> kept = DouglasPeucker(x.data(), y.data(), n, tolerance);
    ASSERT_EQ(kept.front(), 0);
    ASSERT_EQ(kept.back(), n - 1);
    for (size_t k = 0; k + 1 < kept.size(); ++k)
      for (int32_t i = kept[k] + 1; i < kept[k + 1]; ++i)
        ASSERT_LE(DistanceToSegment(x[i], y[i], x[kept[k]], y[kept[k]], x[kept[k + 1]], y[kept[k + 1]]), tolerance)
            << i << " tolerance " << tolerance;
  }
}

TEST(DownSampling, GroupingByCloseXValues) {
  const TValues x{0, 0.5, 1, 1.5, 2.2}, y{4, 2, 7, 1, 3};
  struct TCase {
    TDownSampleMethod Method;
    TValues X, Y;
  } cases[] = {
      {dsAverage, {0.25, 1.25, 2.2}, {3, 4, 3}},
      {dsMax, {0.25, 1.25, 2.2}, {4, 7, 3}},
      {dsMin, {0.25, 1.25, 2.2}, {2, 1, 3}},
      // Every group, each as its smallest value at its first X and its
      // largest at its last.
      {dsMinMax, {0, 0.5, 1, 1.5, 2.2, 2.2}, {2, 4, 1, 7, 3, 3}},
  };
  for (const TCase& c : cases) {
    const auto r = DownSample(c.Method, 1, x.data(), y.data(), 5);
    EXPECT_EQ(r.X, c.X) << int(c.Method);
    EXPECT_EQ(r.Y, c.Y) << int(c.Method);
  }
  EXPECT_EQ(DownSample(dsAverage, 0, x.data(), y.data(), 5).Y, y) << "tolerance 0: every point its own group";
}

using DownSamplingFunction = StatFunctionTest;

TEST_F(DownSamplingFunction, RefillsItsSeriesAndKeepsToleranceAtLeastZero) {
  TLineSeries* src = Source({0, 0.5, 0, 0, 0});
  auto [r, f] = Result<TDownSamplingFunction>({src});
  EXPECT_FALSE(f->PeriodUsable);
  EXPECT_TRUE(f->SingleSource);
  EXPECT_EQ(f->GetTolerance(), 1.0);
  EXPECT_EQ(Xs(*r), (TValues{0, 4})) << "within the default tolerance";
  f->SetTolerance(-3);
  EXPECT_EQ(f->GetTolerance(), 0);
  EXPECT_EQ(Xs(*r), (TValues{0, 1, 2, 4}));
  f->SetTolerance(1);
  f->SetDownSampleMethod(dsMinMax);
  EXPECT_EQ(r->Count(), 10) << "X values 1 apart: five groups of one point, two points each";
  auto [empty, f2] = Result<TDownSamplingFunction>({Source({})});
  EXPECT_EQ(empty->Count(), 0);
}

TEST(PlotDownSamplingRegistration, DownsamplingOnTheExtendedPage) {
  PlotDownSampling::Initialize();
  int found = 0;
  for (auto& t : Chart::SeriesTypes().Items())
    if (t->FunctionClassRef == TDownSamplingFunction::StaticClass()) {
      ++found;
      EXPECT_EQ(t->Description(), "Downsampling");
      EXPECT_EQ(*t->PageName, "Extended");
      EXPECT_EQ(t->SampleSeriesCount, 1);
    }
  EXPECT_EQ(found, 1);
  PlotDownSampling::Finalize();
  for (auto& t : Chart::SeriesTypes().Items()) EXPECT_NE(t->FunctionClassRef, TDownSamplingFunction::StaticClass());
}

}  // namespace

}  // namespace PlotDownSamplingTests
