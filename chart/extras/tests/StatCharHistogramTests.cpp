// Histogram series: bar rectangles laid out point after point, half widths
// by the points per page, the fill and the step outline drawn two ways, the
// dividers, inverted axes and the hit test.
#include <algorithm>

#include "chart/extras/StatChar.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace StatCharHistogramTests {

namespace {

using TValues = std::vector<double>;

class HistogramTest : public SeriesChartTest {
protected:
  // A chart whose bottom axis fills the 300 pixels of the picture: no axes
  // drawn, no margins.
  void Bare() {
    Chart->SetBounds(W + 2, H);
    Chart->SetAxisVisible(false);
    for (int i = 0; i < 4; ++i) Chart->SetMargin(i, 0);
  }
  THistogramSeries* Histogram(const TValues& Y, TColor Colour = clBlue) {
    auto* s = Add<THistogramSeries>();
    s->SetSeriesColor(Colour);
    for (size_t i = 0; i < Y.size(); ++i) s->AppendPoint(static_cast<double>(i), Y[i]);
    return s;
  }
  // Every bar's rectangle in drawing order, as the drawing lays them out.
  static std::vector<TRect> Bars(THistogramSeries* S) {
    std::vector<TRect> r;
    for (int32_t i = S->FirstValueIndex; i <= S->LastValueIndex; ++i) {
      TRect b;
      S->CalcBarBounds(i, b);
      r.push_back(b);
    }
    return r;
  }
};

TEST_F(HistogramTest, BarsTouchAndTheirWidthFollowsThePointsPerPage) {
  Bare();
  Fix(-0.5, 2.5, 0, 10);
  THistogramSeries* s = Histogram({3, 7, 5});
  TBitmap wide(W + 2, H);
  Chart->DrawTo(*wide.GetCanvas(), TRect(0, 0, W + 2, H));
  ASSERT_EQ(Chart->BottomAxis()->AxisLength, 300);
  EXPECT_EQ(s->HalfWidth(), 50);
  const std::vector<TRect> bars = Bars(s);
  ASSERT_EQ(bars.size(), 3u);
  // Pixels counted from the axis start: [1, 101), [100, 201), [200, 301).
  const int32_t start = Chart->BottomAxis()->StartPixel;
  const int32_t lefts[] = {1, 100, 200}, rights[] = {101, 201, 301};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(bars[i].Left - start, lefts[i]) << i;
    EXPECT_EQ(bars[i].Right - start, rights[i]) << i;
    EXPECT_EQ(bars[i].Top, YPix(s->GetYValue(static_cast<int32_t>(i)))) << i;
    EXPECT_EQ(bars[i].Bottom, Chart->LeftAxis()->EndPixel) << "every bar stands on the axis";
  }
  Chart->SetMaxPointsPerPage(10);
  Chart->DrawTo(*wide.GetCanvas(), TRect(0, 0, W + 2, H));
  EXPECT_EQ(s->HalfWidth(), 15);
}

TEST_F(HistogramTest, OutlineIsTheStepLineOfTheBarTops) {
  Fix(-0.5, 3.5, 0, 10);
  THistogramSeries* s = Histogram({2, 8, 5, 6}, clYellow);
  s->Pen()->SetColor(clRed);
  Draw();
  const std::vector<TRect> bars = Bars(s);
  // Every pixel of the outline, found from the bar rectangles alone.
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      bool onOutline = false;
      for (size_t i = 0; i < bars.size(); ++i) {
        const TRect& b = bars[i];
        const int32_t prevTop = i > 0 ? bars[i - 1].Top : b.Bottom;
        const int32_t lo = std::min(b.Top, prevTop), hi = std::max(b.Top, prevTop);
        if (y == b.Top && x >= b.Left && x < b.Right) onOutline = true;                   // the top
        if (x == b.Left && y >= lo && y <= hi && (i > 0 || y < b.Bottom)) onOutline = true;  // the step
        if (i + 1 == bars.size() && x == b.Right - 1 && y >= b.Top && y < b.Bottom) onOutline = true;
      }
      // The chart clips what lies on its rectangle's edges.
      const TRect cr = Chart->GetChartRect();
      if (onOutline && x > cr.Left && x < cr.Right - 1 && y > cr.Top && y < cr.Bottom - 1) {
        EXPECT_EQ(Px(x, y), clRed) << x << "," << y;
      }
    }
  // Inside a bar: its fill.
  EXPECT_EQ(Px((bars[1].Left + bars[1].Right) / 2, (bars[1].Top + bars[1].Bottom) / 2), clYellow);
}

TEST_F(HistogramTest, HollowBarsWithDividersAndAnInvertedAxis) {
  Fix(-0.5, 2.5, 0, 10);
  THistogramSeries* s = Histogram({4, 8, 6});
  s->Brush()->SetStyle(bsClear);
  s->LinesPen()->SetVisible(true);
  s->LinesPen()->SetColor(clGreen);
  Draw();
  std::vector<TRect> bars = Bars(s);
  // A divider at the second and third bar from the base up to the lower bar.
  const int32_t mid = (bars[0].Bottom + std::max(bars[0].Top, bars[1].Top)) / 2;
  EXPECT_EQ(Px(bars[1].Left, mid), clGreen);
  EXPECT_EQ(Px(bars[2].Left, (bars[2].Bottom + bars[2].Top) / 2), clGreen);
  EXPECT_EQ(Px((bars[1].Left + bars[1].Right) / 2, (bars[1].Top + bars[1].Bottom) / 2), clWhite) << "hollow";

  Chart->LeftAxis()->SetInverted(true);
  Draw();
  bars = Bars(s);
  for (const TRect& b : bars) {
    EXPECT_EQ(b.Bottom, Chart->LeftAxis()->StartPixel) << "bars hang from the axis start";
    EXPECT_GT(b.Top, b.Bottom);
  }
}

TEST_F(HistogramTest, HitTestFindsTheBarUnderThePoint) {
  Fix(-0.5, 2.5, 0, 10);
  THistogramSeries* s = Histogram({4, 8, 6});
  Draw();
  const std::vector<TRect> bars = Bars(s);
  EXPECT_EQ(s->PointAtPixel((bars[1].Left + bars[1].Right) / 2, bars[1].Bottom - 2), 1);
  EXPECT_EQ(s->PointAtPixel((bars[2].Left + bars[2].Right) / 2, bars[2].Top + 1), 2);
  EXPECT_EQ(s->PointAtPixel((bars[0].Left + bars[0].Right) / 2, bars[0].Top - 3), -1) << "above the bar";
}

TEST_F(HistogramTest, HorizontalBarsLieAgainstTheVerticalAxis) {
  Fix(0, 10, -0.5, 2.5);
  auto* s = Add<THorizHistogramSeries>();
  for (double y : {0.0, 1.0, 2.0}) s->AppendPoint(3 + y, y);
  Draw();
  int32_t edge = 0;
  for (int32_t i = 0; i < 3; ++i) {
    TRect b;
    s->CalcBarBounds(i, b);
    EXPECT_EQ(b.Left, Chart->BottomAxis()->StartPixel) << i;
    EXPECT_EQ(b.Right, XPix(3 + i) + 1) << i;
    if (i > 0) {
      EXPECT_EQ(b.Bottom, edge) << "touches the previous bar";
    }
    edge = b.Top + 1;
  }
  const std::vector<std::string> expected{"Normal", "Hollow", "No Border", "Lines", "Transparency"};
  std::vector<std::string> variants;
  s->ListGalleryVariants([&](const std::string& v) { variants.push_back(v); });
  EXPECT_EQ(variants, expected);
}

}  // namespace

}  // namespace StatCharHistogramTests
