// B-spline values against the cubic basis, interpolation through the
// points, knuckles, and the smoothing function's point counts.
#include "chart/extras/PlotSpline.h"

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace PlotSplineTests {

namespace {

TEST(BSpline, ValuesOfTheUniformCubicBasis) {
  struct TCase {
    bool Interpolated;
    double T, X, Y;
  } cases[] = {
      {false, 0, 0, 0},         // the phantom ends make the curve start at the first point
      {false, 1, 2, 0},         // and end at the last
      {false, 0.5, 1, 2.0 / 3}, // 1/6 P1 + 2/3 P2 + 1/6 P3
      {true, 0.5, 1, 1},        // through the middle point
      {true, 0, 0, 0},
      {true, 1, 2, 0},
  };
  for (const TCase& c : cases) {
    TBSpline s;
    s.AddPoint(0, 0);
    s.AddPoint(1, 1);
    s.AddPoint(2, 0);
    s.SetInterpolated(c.Interpolated);
    const TBSplinePoint p = s.Value(c.T);
    EXPECT_NEAR(p.x, c.X, 1e-12) << c.Interpolated << " " << c.T;
    EXPECT_NEAR(p.y, c.Y, 1e-12) << c.Interpolated << " " << c.T;
  }
}

TEST(BSpline, InterpolatedCurvePassesThroughEveryPoint) {
  const TValues ys{3, -1, 4, 1, 5, 9, 2, 6};
  TBSpline s;
  for (size_t i = 0; i < ys.size(); ++i) s.AddPoint(static_cast<double>(i), ys[i]);
  s.SetInterpolated(true);
  // Point k (0-based) sits at parameter k / (n - 1).
  for (size_t k = 0; k < ys.size(); ++k) {
    const TBSplinePoint p = s.Value(static_cast<double>(k) / (ys.size() - 1));
    EXPECT_NEAR(p.x, static_cast<double>(k), 1e-9);
    EXPECT_NEAR(p.y, ys[k], 1e-9);
  }
}

TEST(BSpline, KnucklesPointsCapacityAndFragments) {
  TBSpline s;
  EXPECT_EQ(s.Value(0.3).x, 0);
  s.AddPoint(5, 7);
  EXPECT_EQ(s.Value(0.3).x, 0) << "one point gives (0, 0)";
  EXPECT_EQ(s.Value(0.3).y, 0);
  EXPECT_EQ(s.Capacity(), 25);
  for (int i = 0; i < 30; ++i) s.AddPoint(i, i);
  EXPECT_EQ(s.Capacity(), 50);
  EXPECT_EQ(s.NumVertices(), 31);
  s.SetKnuckle(3, true);
  EXPECT_FALSE(s.Built());
  EXPECT_EQ(s.NumVertices(), 33) << "a knuckle is written three times";
  s.SetKnuckle(1, true);
  EXPECT_FALSE(s.IsKnuckle(1)) << "the ends are never knuckles";
  EXPECT_EQ(s.NumVertices(), 33);
  // A knuckle makes the non-interpolated curve pass through its point.
  TBSpline k;
  k.AddPoint(0, 0);
  k.AddPoint(1, 3);
  k.AddPoint(2, 0);
  k.SetKnuckle(2, true);
  EXPECT_NEAR(k.Value(0.5).y, 3, 1e-12);
  EXPECT_THROW(s.SetPoint(0, {}), ChartException);
  s.SetFragments(1000);
  EXPECT_EQ(s.GetFragments(), 600);
}

using Smoothing = StatFunctionTest;

TEST_F(Smoothing, PointCountsFactorAndInterpolation) {
  TValues many(200), ten(10);
  for (size_t i = 0; i < many.size(); ++i) many[i] = static_cast<double>(i % 7);
  for (size_t i = 0; i < ten.size(); ++i) ten[i] = static_cast<double>(i * i);
  auto [r200, f200] = Result<TSmoothingFunction>({Source(many)});
  EXPECT_EQ(r200->Count(), 601) << "at most 600 pieces";
  TLineSeries* src = Source(ten);
  auto [r, f] = Result<TSmoothingFunction>({src});
  EXPECT_EQ(r->Count(), 41) << "10 points times Factor 4";
  EXPECT_FALSE(f->PeriodUsable);
  EXPECT_TRUE(f->SingleSource);
  EXPECT_EQ(f->EditorFormName(), "TSmoothFuncEditor");
  // The pieces run from the first to the last source X in order.
  for (int32_t i = 1; i < r->Count(); ++i) EXPECT_GT(r->GetXValue(i), r->GetXValue(i - 1)) << i;
  EXPECT_NEAR(r->GetXValue(40), 9, 1e-9);
  EXPECT_NEAR(r->GetYValue(0), 0, 1e-9);
  EXPECT_NEAR(r->GetYValue(40), 81, 1e-9);
  f->SetFactor(0);
  EXPECT_EQ(f->GetFactor(), 1);
  EXPECT_EQ(r->Count(), 11);
  f->SetInterpolate(false);
  // Not interpolated: ends kept, inner points pulled towards their neighbours.
  EXPECT_NEAR(r->GetYValue(0), 0, 1e-9);
  EXPECT_NEAR(r->GetYValue(10), 81, 1e-9);
  auto [single, f1] = Result<TSmoothingFunction>({Source({7}, {3})});
  ASSERT_EQ(single->Count(), 1) << "one point smooths to itself";
  EXPECT_EQ(single->GetXValue(0), 3);
  EXPECT_EQ(single->GetYValue(0), 7);
}

TEST(SplineRegistration, SmoothingOnTheExtendedPage) {
  PlotSpline::Initialize();
  bool found = false;
  for (auto& t : Chart::SeriesTypes().Items())
    if (t->FunctionClassRef == TSmoothingFunction::StaticClass()) {
      found = true;
      EXPECT_EQ(t->Description(), "Smoothing");
      EXPECT_EQ(*t->PageName, "Extended");
      EXPECT_EQ(t->SampleSeriesCount, 1);
    }
  EXPECT_TRUE(found);
  PlotSpline::Finalize();
  for (auto& t : Chart::SeriesTypes().Items()) EXPECT_NE(t->FunctionClassRef, TSmoothingFunction::StaticClass());
}

}  // namespace

}  // namespace PlotSplineTests
