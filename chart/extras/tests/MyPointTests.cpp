// The line-point series' drop lines and the bar-join series' joins between
// bar tops, by bar style and drawing direction; registration.
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/MyPoint.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace MyPointTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

class LinePointTest : public SeriesChartTest {};

TEST_F(LinePointTest, DropLinesRunToBothAxes) {
  auto* s = Add<TMyPointSeries>();
  EXPECT_EQ(s->LinesPen()->GetColor(), clRed);
  EXPECT_EQ(s->Pointer()->GetStyle(), TSeriesPointerStyle::psDiamond);
  EXPECT_FALSE(s->Pointer()->GetDraw3D());
  s->AppendPoint(6, 6, "", Green);
  Draw();
  EXPECT_TRUE(Near(3, 6, Red));
  EXPECT_TRUE(Near(0.3, 6, Red));
  EXPECT_TRUE(Near(6, 3, Red));
  EXPECT_TRUE(Near(6, 0.3, Red));
  EXPECT_FALSE(Near(8, 6, Red)) << "not beyond the point";
  EXPECT_FALSE(Near(6, 8, Red));
  EXPECT_EQ(At(6, 6), Green) << "the point over its lines";
}

class BarJoinTest : public SeriesChartTest {
protected:
  TBarJoinSeries* Bars(TBarStyle Style) {
    auto* s = Add<TBarJoinSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    s->SetBarStyle(Style);
    s->SetSeriesColor(Green);
    s->JoinPen()->SetColor(Blue);
    s->AppendPoint(2, 4);
    s->AppendPoint(5, 8);
    s->AppendPoint(8, 6);
    return s;
  }
  struct Bar {
    int32_t L, T, R;
  };
  Bar BarAt(TBarJoinSeries* S, int32_t I) {
    S->CalcBarBounds(I);
    return {S->BarBounds.Left, S->BarBounds.Top, S->BarBounds.Right};
  }
  bool NearPixel(int32_t X, int32_t Y, TColor Colour) const {
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx)
        if (Px(X + dx, Y + dy) == Colour) return true;
    return false;
  }
  // The row of the line from (X0, Y0) to (X1, Y1) at column X.
  static int32_t RowAt(int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t X) {
    return int32_t(std::lround(Y0 + double(Y1 - Y0) * (X - X0) / (X1 - X0)));
  }
};

TEST_F(BarJoinTest, ThreeBarsGiveTwoJoinsFromCornerToCorner) {
  auto* s = Bars(bsRectangle);
  Draw();
  int joins = 0;
  for (int32_t i = 1; i < 3; ++i) {
    const Bar a = BarAt(s, i - 1), b = BarAt(s, i);
    const int32_t x = (a.R + b.L) / 2;
    joins += NearPixel(x, RowAt(a.R, a.T, b.L, b.T, x), Blue);
  }
  EXPECT_EQ(joins, 2);
  const Bar first = BarAt(s, 0);
  for (int32_t x = 0; x < first.L; ++x)
    for (int32_t y = 0; y < H; ++y) ASSERT_NE(Px(x, y), Blue) << "nothing before the first bar";
}

TEST_F(BarJoinTest, PointedBarsAreJoinedAtTheMiddleOfTheirTops) {
  for (TBarStyle style : {bsPyramid, bsEllipse, bsArrow, bsCone, bsRectangle}) {
    Chart->FreeAllSeries();
    auto* s = Bars(style);
    Draw();
    const Bar a = BarAt(s, 0), b = BarAt(s, 1);
    const int32_t ca = (a.L + a.R) / 2, cb = (b.L + b.R) / 2;
    const bool middle = style != bsRectangle;
    // Just right of the first bar's right edge the two lines part.
    const int32_t x = a.R + 2;
    EXPECT_EQ(NearPixel(x, RowAt(ca, a.T, cb, b.T, x), Blue), middle) << int(style);
    EXPECT_EQ(NearPixel(x, RowAt(a.R, a.T, b.L, b.T, x), Blue), !middle) << int(style);
  }
}

TEST_F(BarJoinTest, BackwardsTheJoinRunsFromThisBarsRightToThePreviousLeft) {
  Chart->BottomAxis()->SetInverted(true);
  auto* s = Bars(bsRectangle);
  Draw();
  ASSERT_FALSE(s->DrawValuesForward());
  // Drawn 2, 1, 0: the join of bar 1 runs from bar 1's right top to bar 2's left top.
  const Bar two = BarAt(s, 2), one = BarAt(s, 1);
  const int32_t x = std::min(one.R, two.L) + std::abs(two.L - one.R) / 2;
  EXPECT_TRUE(NearPixel(x, RowAt(one.R, one.T, two.L, two.T, x), Blue));
}

TEST_F(BarJoinTest, GalleryAssignAndRegistration) {
  auto* s = Bars(bsRectangle);
  EXPECT_EQ(s->NumSampleValues(), 3);
  s->PrepareForGallery(true);
  EXPECT_EQ(s->JoinPen()->GetColor(), TColor(0xFF0000));
  EXPECT_EQ(s->JoinPen()->GetWidth(), 2);
  EXPECT_EQ(s->Count(), 2);
  auto* t = Add<TBarJoinSeries>();
  t->Assign(s);
  EXPECT_EQ(t->JoinPen()->GetWidth(), 2);
  auto* p = Add<TMyPointSeries>();
  p->LinesPen()->SetWidth(4);
  auto* q = Add<TMyPointSeries>();
  q->Assign(p);
  EXPECT_EQ(q->LinesPen()->GetWidth(), 4);

  MyPoint::Initialization();
  for (auto [cls, name] : {std::pair{TMyPointSeries::StaticClass(), "Line Point"},
                           std::pair{TBarJoinSeries::StaticClass(), "Bar Join"}}) {
    TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(cls);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Description(), name);
    EXPECT_EQ(*type->PageName, "Other");
  }
  MyPoint::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TMyPointSeries::StaticClass()), nullptr);
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TBarJoinSeries::StaticClass()), nullptr);
}

}  // namespace

}  // namespace MyPointTests
