// The Bezier series: which curves each style draws, points on a curve from
// the Bernstein form, the point-count check and registration.
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/PlotBezie.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotBezieTests {

namespace {

constexpr TColor Red = 0x0000FF;

class BezierTest : public SeriesChartTest {
protected:
  TBezierSeries* Bezier(TBezierStyle Style, std::initializer_list<std::pair<double, double>> Points) {
    auto* s = Add<TBezierSeries>();
    s->SetBezierStyle(Style);
    s->SetSeriesColor(Red);
    s->SetColorEachLine(false);
    s->Pointer()->SetVisible(false);
    for (const auto& [x, y] : Points) s->AppendPoint(x, y);
    return s;
  }
  int CountAll(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += Px(x, y) == Colour;
    return n;
  }
  // Whether the curve passes within a pixel of the pixel (X, Y).
  bool NearPixel(double X, double Y) const {
    const int32_t px = int32_t(std::lround(X)), py = int32_t(std::lround(Y));
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx)
        if (Px(px + dx, py + dy) == Red) return true;
    return false;
  }
  // The cubic through the pixels of four data points at t = 1/2.
  std::pair<double, double> CubicMiddle(std::pair<double, double> A, std::pair<double, double> B,
                                        std::pair<double, double> C, std::pair<double, double> D) const {
    const auto x = [&](std::pair<double, double> P) { return double(XPix(P.first)); };
    const auto y = [&](std::pair<double, double> P) { return double(YPix(P.second)); };
    return {(x(A) + 3 * x(B) + 3 * x(C) + x(D)) / 8, (y(A) + 3 * y(B) + 3 * y(C) + y(D)) / 8};
  }
};

TEST_F(BezierTest, TwoPointsOfQuadraticsDrawNoCurve) {
  Bezier(TBezierStyle::bsBezier3, {{1, 1}, {9, 9}});
  Draw();
  EXPECT_EQ(CountAll(Red), 0);
}

TEST_F(BezierTest, CubicsLeaveTheLastPointsUnjoined) {
  Bezier(TBezierStyle::bsBezier4, {{1, 1}, {3, 9}, {6, 9}, {8, 1}, {9, 9}});
  Draw();
  const auto [mx, my] = CubicMiddle({1, 1}, {3, 9}, {6, 9}, {8, 1});
  EXPECT_TRUE(NearPixel(mx, my)) << "the cubic's middle";
  EXPECT_TRUE(Near(1, 1, Red));
  EXPECT_TRUE(Near(8, 1, Red));
  EXPECT_FALSE(Near(8.5, 5, Red)) << "no line to the fifth point";
  EXPECT_FALSE(Near(3, 9, Red)) << "control points are not reached";
}

TEST_F(BezierTest, QuadraticsEndAtEveryEvenPoint) {
  Bezier(TBezierStyle::bsBezier3, {{1, 1}, {3, 9}, {5, 1}, {7, 9}, {9, 1}});
  Draw();
  // (P0 + 2 P1 + P2) / 4 at t = 1/2.
  const double mx = (XPix(1) + 2.0 * XPix(3) + XPix(5)) / 4, my = (YPix(1) + 2.0 * YPix(9) + YPix(1)) / 4;
  EXPECT_TRUE(NearPixel(mx, my));
  const double nx = (XPix(5) + 2.0 * XPix(7) + XPix(9)) / 4;
  EXPECT_TRUE(NearPixel(nx, my));
  EXPECT_TRUE(Near(9, 1, Red));
}

TEST_F(BezierTest, PlatformCurvesOnAFlatChartStartAtTheFirstPoint) {
  // The first curve: from P0 with the control points P0 and P1 to P2.
  Bezier(TBezierStyle::bsWindows, {{1, 1}, {5, 9}, {9, 1}, {9, 9}});
  Draw();
  const auto [mx, my] = CubicMiddle({1, 1}, {1, 1}, {5, 9}, {9, 1});
  EXPECT_TRUE(NearPixel(mx, my));
  EXPECT_TRUE(Near(9, 1, Red));
  EXPECT_FALSE(Near(9, 5, Red)) << "the fourth point starts no curve";
}

TEST_F(BezierTest, PointersAreDrawnAtEveryPoint) {
  auto* s = Bezier(TBezierStyle::bsBezier3, {{2, 2}, {8, 8}});
  s->Pointer()->SetVisible(true);
  s->Pointer()->Pen()->SetVisible(false);
  Draw();
  EXPECT_EQ(At(2, 2), Red);
  EXPECT_EQ(At(8, 8), Red);
}

TEST_F(BezierTest, SettingsAssignAndRegistration) {
  auto* s = Bezier(TBezierStyle::bsBezier4, {});
  EXPECT_EQ(s->GetNumBezierPoints(), 32);
  try {
    s->SetNumBezierPoints(1);
    FAIL() << "accepted 1";
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "Number of Bezier points should be > 1");
  }
  EXPECT_EQ(s->GetNumBezierPoints(), 32);
  s->SetNumBezierPoints(5);
  s->SetSeriesColor(clLime);
  EXPECT_EQ(s->LinePen()->GetColor(), clLime);
  auto* t = Add<TBezierSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetNumBezierPoints(), 5);
  EXPECT_EQ(t->GetBezierStyle(), TBezierStyle::bsBezier4);
  PlotBezie::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TBezierSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Bezier");
  EXPECT_EQ(*type->PageName, "Extended");
  PlotBezie::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TBezierSeries::StaticClass()), nullptr);
}

}  // namespace

}  // namespace PlotBezieTests
