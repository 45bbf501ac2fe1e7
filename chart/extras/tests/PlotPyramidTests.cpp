// The pyramid series: layer widths from the running share, the apex, zero and
// signed totals, drawing, hit tests, ranges and registration.
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/extras/PlotPyramid.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotPyramidTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

class PyramidTest : public SeriesChartTest {
protected:
  TPyramidSeries* Pyramid(std::initializer_list<std::pair<double, TColor>> Values) {
    auto* s = Add<TPyramidSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    for (const auto& [v, c] : Values) s->Add(v, "", c);
    Fix(-1, 1, 0, 4);
    return s;
  }
  int CountAll(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += Px(x, y) == Colour;
    return n;
  }
};

TEST_F(PyramidTest, LayersNarrowWithTheRunningShare) {
  auto* s = Pyramid({{1, Red}, {1, Green}, {2, Blue}});
  Draw();
  const int32_t w = int32_t(std::lround(Chart->BottomAxis()->AxisLength * 50 * 0.005));
  ASSERT_GT(w, 20);
  struct Case {
    double BottomShare, TopShare, Below, UpTo;
  };
  const Case cases[] = {{1.0, 0.75, 0, 1}, {0.75, 0.5, 1, 2}, {0.5, 0.0, 2, 4}};
  for (int32_t i = 0; i < 3; ++i) {
    TPyramidSeries::TLayer layer;
    ASSERT_TRUE(s->CalcLayer(i, layer));
    const Case& c = cases[i];
    EXPECT_NEAR((layer.Rect.Right - layer.Rect.Left) / 2.0, w * c.BottomShare, 0.5) << i;
    EXPECT_NEAR(layer.TopHalfWidth, w * c.TopShare, 0.5) << i;
    EXPECT_EQ(layer.Rect.Bottom, YPix(c.Below)) << i;
    EXPECT_EQ(layer.Rect.Top, YPix(c.UpTo)) << i;
    EXPECT_EQ((layer.Rect.Left + layer.Rect.Right) / 2, XPix(0)) << i;
  }
  TPyramidSeries::TLayer top;
  s->CalcLayer(2, top);
  EXPECT_EQ(top.TopHalfWidth, 0) << "the apex";
  // Each layer in its colour, wide at its base and narrow at its top.
  EXPECT_EQ(At(0, 0.5), Red);
  EXPECT_EQ(Px(XPix(0) - w * 9 / 10, YPix(0.1)), Red);
  EXPECT_EQ(At(0, 1.5), Green);
  EXPECT_EQ(At(0, 3), Blue);
  EXPECT_NE(Px(XPix(0) - w * 6 / 10, YPix(3.5)), Blue);
}

TEST_F(PyramidTest, AZeroTotalDrawsNothingAndSignedValuesShareTheirMagnitudes) {
  auto* s = Pyramid({{0, Red}, {0, Green}});
  Draw();
  TPyramidSeries::TLayer layer;
  EXPECT_FALSE(s->CalcLayer(0, layer));
  EXPECT_EQ(CountAll(Red) + CountAll(Green), 0);
  EXPECT_EQ(s->PointAtPixel(XPix(0), YPix(0.5)), -1);

  Chart->FreeAllSeries();
  auto* t = Pyramid({{-1, Red}, {1, Green}});
  EXPECT_EQ(t->LargestY(), 2);
  Draw();
  ASSERT_TRUE(t->CalcLayer(1, layer));
  EXPECT_EQ(layer.Rect.Top, YPix(2));
  EXPECT_GT(CountAll(Green), 0);
}

TEST_F(PyramidTest, HitTestRangesAndOrder) {
  auto* s = Pyramid({{1, Red}, {1, Green}, {2, Blue}});
  Draw();
  EXPECT_EQ(s->PointAtPixel(XPix(0), YPix(0.5)), 0);
  EXPECT_EQ(s->PointAtPixel(XPix(0), YPix(3)), 2);
  EXPECT_EQ(s->PointAtPixel(XPix(0.9), YPix(3.9)), -1);
  EXPECT_EQ(s->LargestX(), 0);
  EXPECT_EQ(s->SmallestY(), 0);
  EXPECT_EQ(s->LargestY(), 4);
  int32_t l = 0, r = 0;
  s->CalcHorizMargins(l, r);
  EXPECT_EQ(l, 20);
  EXPECT_EQ(r, 20);
  EXPECT_TRUE(s->DrawValuesForward());
  Chart->LeftAxis()->SetInverted(true);
  EXPECT_FALSE(s->DrawValuesForward());
  auto* second = Add<TPyramidSeries>();
  EXPECT_EQ(second->LargestX(), 1) << "its place in the chart";
}

TEST_F(PyramidTest, AssignAndRegistration) {
  auto* s = Pyramid({});
  EXPECT_TRUE(s->GetColorEachPoint());
  s->SetSizePercent(80);
  auto* t = Add<TPyramidSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetSizePercent(), 80);
  PlotPyramid::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TPyramidSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Pyramid");
  EXPECT_EQ(*type->PageName, "Extended");
  EXPECT_EQ(type->SampleSeriesCount, 2);
  PlotPyramid::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TPyramidSeries::StaticClass()), nullptr);
}

TEST_F(PyramidTest, MarksStandAtTheTopOfTheirLayer) {
  auto* s = Pyramid({{1, Red}, {3, Green}});
  s->SetLabel(0, "low");
  s->SetLabel(1, "high");
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(true);
  Draw();
  for (int32_t i = 0; i < 2; ++i) {
    const TSeriesMarkPosition* p = s->Marks()->Position(i);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->ArrowTip.X, XPix(0)) << i;
    EXPECT_EQ(p->ArrowTip.Y, YPix(i == 0 ? 1 : 4)) << i;
  }
}

}  // namespace

}  // namespace PlotPyramidTests
