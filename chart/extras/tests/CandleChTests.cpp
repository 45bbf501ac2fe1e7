// Candle and volume series: up and down decisions, vertical extents, the
// candle styles by their pixels, volume lines and the big candle's labels.
#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/tests/FinancialFixture.h"

namespace CandleChTests {

namespace {

class CandleTest : public FinancialTest {
protected:
  TCandleSeries* Candle(const TBars& Rows, TCandleStyle Style = csCandleStick) {
    auto* s = Bars(Rows);
    s->SetCandleStyle(Style);
    s->SetUpCloseColor(clGreen);
    s->SetDownCloseColor(clRed);
    s->SetCandleWidth(8);
    return s;
  }
  int CountIn(TColor Colour, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) const {
    int n = 0;
    for (int32_t y = Y0; y <= Y1; ++y)
      for (int32_t x = X0; x <= X1; ++x) n += Px(x, y) == Colour;
    return n;
  }
};

TEST_F(CandleTest, UpAndDownFollowTheColorStyle) {
  // Open, close per point; the expected decisions for both styles.
  struct TCase {
    TBars Rows;
    std::vector<bool> RelativeToOpen, RelativeToClose;
    const char* Name;
  } cases[] = {
      {{{0, 5, 9, 1, 6}, {1, 6, 9, 1, 4}, {2, 3, 9, 1, 5}}, {true, false, true}, {true, false, true}, "plain"},
      {{{0, 7, 9, 1, 6}, {1, 2, 9, 1, 6}, {2, 6, 9, 1, 6}}, {false, true, true}, {false, false, false},
       "equal closes carry the decision before them"},
      {{{0, 5, 9, 1, 5}, {1, 6, 9, 1, 6}, {2, 6, 9, 1, 6}, {3, 6, 9, 1, 6}}, {true, true, true, true},
       {true, true, true, true}, "open = close: the previous close decides, the first is up"},
      {{{0, 5, 9, 1, 5}, {1, 4, 9, 1, 4}, {2, 4, 9, 1, 4}}, {true, false, false}, {true, false, false},
       "a falling close without body is down, and so is its repetition"},
  };
  for (const TCase& c : cases) {
    TCandleSeries* s = Candle(c.Rows);
    for (TCandleColorStyle style : {cssRelativeToOpen, cssRelativeToClose}) {
      s->SetColorStyle(style);
      const std::vector<bool>& expected = style == cssRelativeToOpen ? c.RelativeToOpen : c.RelativeToClose;
      for (int32_t i = 0; i < s->Count(); ++i)
        EXPECT_EQ(s->IsUpCandle(i), expected[i]) << c.Name << " style " << int(style) << " point " << i;
    }
    EXPECT_EQ(s->CandleColor(0), s->IsUpCandle(0) ? clGreen : clRed) << c.Name;
    s->SetPointColor(0, clBlue);
    EXPECT_EQ(s->CandleColor(0), clBlue) << "a point's own colour wins";
  }
}

TEST_F(CandleTest, ALongRunOfEqualClosesNeedsNoDeepCalls) {
  TBars rows{{0, 1, 3, 0, 2}};
  for (int i = 1; i < 200000; ++i) rows.push_back({double(i), 2, 3, 0, 2});
  TCandleSeries* s = Candle(rows);
  s->SetColorStyle(cssRelativeToClose);
  EXPECT_TRUE(s->IsUpCandle(s->Count() - 1));
}

TEST_F(CandleTest, LineStyleReportsClosesOnlyAndHidesThePointer) {
  TCandleSeries* s = Candle({{0, 5, 9, 1, 6}, {1, 6, 8, 2, 4}});
  EXPECT_DOUBLE_EQ(s->LargestY(), 9);
  EXPECT_DOUBLE_EQ(s->SmallestY(), 1);
  EXPECT_TRUE(s->Pointer()->GetVisible());
  s->SetCandleStyle(csLine);
  EXPECT_DOUBLE_EQ(s->LargestY(), 6);
  EXPECT_DOUBLE_EQ(s->SmallestY(), 4);
  EXPECT_FALSE(s->Pointer()->GetVisible());
  s->SetCandleStyle(csCandleBar);
  EXPECT_TRUE(s->Pointer()->GetVisible());
}

TEST_F(CandleTest, StickHasWickAndBodyInTheCandleColour) {
  Candle({{5, 4, 8, 2, 6}});  // up: green body from 4 to 6, wick 2 .. 8
  Draw();
  const int32_t x = XPix(5), yO = YPix(4), yC = YPix(6), yH = YPix(8), yL = YPix(2);
  EXPECT_EQ(Px(x, (yH + yC) / 2), clBlack) << "upper wick in the pen colour";
  EXPECT_EQ(Px(x, (yL + yO) / 2), clBlack) << "lower wick";
  EXPECT_EQ(Px(x - 2, (yO + yC) / 2), clGreen) << "body";
  EXPECT_EQ(Px(x + 3, (yO + yC) / 2), clGreen) << "body spans CandleWidth";
  EXPECT_EQ(Px(x - 4, (yO + yC) / 2), clBlack) << "left outline at x - width div 2";
  EXPECT_EQ(Px(x + 4, (yO + yC) / 2), clBlack) << "right outline at x + width - width div 2";
  EXPECT_EQ(Px(x - 6, (yO + yC) / 2), clWhite);
  EXPECT_EQ(Px(x + 2, yH - 2), clWhite) << "no body above the close";
}

TEST_F(CandleTest, OpenCloseDrawsNoWickAndAFlatCandleKeepsOnePixel) {
  Candle({{3, 4, 8, 2, 6}}, csOpenClose);
  TCandleSeries* flat = Candle({{7, 5, 8, 2, 5}});
  flat->CandlePen()->SetColor(clBlue);
  Draw();
  EXPECT_EQ(Px(XPix(3), (YPix(8) + YPix(6)) / 2), clWhite) << "no wick";
  // The flat candle: a body one pixel above the close, outlined in its
  // up/down colour (the first point is up) rather than the blue pen.
  const int32_t x = XPix(7), y = YPix(5);
  EXPECT_EQ(CountIn(clGreen, x - 4, y - 1, x + 4, y - 1), 9) << "x - 4 .. x + 4";
  EXPECT_EQ(CountIn(clBlue, x - 4, y - 1, x + 4, y - 1), 0);
}

TEST_F(CandleTest, BarStyleDrawsTicksWhereAsked) {
  TCandleSeries* s = Candle({{5, 4, 8, 2, 6}}, csCandleBar);
  s->SetShowCloseTick(false);
  Draw();
  const int32_t x = XPix(5), yO = YPix(4), yC = YPix(6);
  EXPECT_EQ(Px(x, (YPix(8) + YPix(2)) / 2), clGreen) << "high-low line in the candle colour";
  EXPECT_EQ(Px(x - 4, yO), clGreen) << "open tick reaches width div 2 to the left";
  EXPECT_EQ(Px(x + 3, yC), clWhite) << "close tick hidden";
}

TEST_F(CandleTest, LineStyleJoinsTheCloses) {
  Candle({{2, 5, 9, 1, 2}, {8, 6, 9, 1, 8}}, csLine);
  Draw();
  EXPECT_TRUE(Near(5, 5, clRed) || Near(5, 5, clGreen));
  EXPECT_FALSE(Near(2, 9, clBlack)) << "no wick in line style";
}

TEST_F(CandleTest, VolumeLinesStandOnTheAxisOrTheOrigin) {
  auto* v = Add<TVolumeSeries>();
  v->SetSeriesColor(clBlue);
  v->AppendPoint(2, 6);
  v->AppendPoint(4, -3);
  Fix(0, 10, -5, 10);
  Draw();
  const int32_t bottom = Chart->LeftAxis()->EndPixel;
  EXPECT_EQ(Px(XPix(2), YPix(5.5)), clBlue);
  EXPECT_EQ(Px(XPix(2), bottom - 2), clBlue) << "from the bottom of the axis";
  EXPECT_EQ(Px(XPix(4), YPix(-3.5)), clBlue) << "bottom to -3";
  v->SetUseYOrigin(true);
  Bitmap.GetCanvas()->Brush->SetColor(clWhite);
  Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
  Draw();
  EXPECT_EQ(Px(XPix(4), YPix(-2)), clBlue) << "from 0 downwards";
  EXPECT_EQ(Px(XPix(4), YPix(-4)), clWhite);
  EXPECT_EQ(Px(XPix(2), YPix(-1)), clWhite) << "positive volumes start at 0";
  EXPECT_EQ(v->PointAtPixel(XPix(4), YPix(-2)), 1);
  EXPECT_EQ(v->PointAtPixel(XPix(4), YPix(2)), -1);
}

TEST_F(CandleTest, BigCandleLabelsItsFourValuesAroundTheCandle) {
  auto* s = Bars<TBigCandleSeries>({{5, 4, 8, 2, 6}});
  s->SetValueFormat("0");
  ASSERT_TRUE(s->Marks()->MarksVisible());
  EXPECT_EQ(s->GetMarkText(0), "6");
  Draw();
  const int32_t x = XPix(5);
  // Ink of the labels: open to the left of the candle, the three others right.
  int left = 0, right = 0;
  const TRect r = Chart->GetChartRect();
  for (int32_t y = r.Top + 1; y < r.Bottom - 1; ++y)
    for (int32_t xx = r.Left + 1; xx < r.Right - 1; ++xx)
      if (Px(xx, y) != clWhite && std::abs(xx - x) > 20) (xx < x ? left : right)++;
  EXPECT_GT(left, 0);
  EXPECT_GT(right, left) << "three labels on the right";
}

TEST_F(CandleTest, GalleryVariantsSetTheirStyle) {
  TCandleSeries* s = Candle({{0, 5, 9, 1, 6}});
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& n) { names.push_back(n); });
  ASSERT_EQ(names.size(), 6u);
  EXPECT_EQ(names[5], "Line");
  s->ApplyGalleryVariant(s, 2);
  EXPECT_EQ(s->GetCandleStyle(), csCandleBar);
  EXPECT_FALSE(s->GetShowOpenTick());
  s->ApplyGalleryVariant(s, 4);
  EXPECT_EQ(s->GetCandleStyle(), csCandleStick);
  EXPECT_FALSE(s->CandlePen()->GetVisible());
  auto* v = Add<TVolumeSeries>();
  v->ApplyGalleryVariant(v, 3);
  EXPECT_TRUE(v->GetUseYOrigin());
}

}  // namespace

namespace {

TEST_F(CandleTest, ThreeDimensionalBodiesAreBoxesWithSides) {
  Chart->SetView3D(true);
  TCandleSeries* s = Candle({{5, 4, 8, 2, 6}});
  Draw();
  const TRect flat = [&] {
    TRect r(W, H, 0, 0);
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x)
        if (Px(x, y) == clGreen) r = TRect(std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x), std::max(r.Bottom, y));
    return r;
  }();
  ASSERT_LT(flat.Left, flat.Right) << "a body at the middle depth";
  s->SetDraw3D(true);
  s->SetDark3D(false);
  Bitmap.GetCanvas()->Brush->SetColor(clWhite);
  Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
  Draw();
  int green = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) green += Px(x, y) == clGreen;
  // Front, top and side faces: more than the flat body's area.
  EXPECT_GT(green, (flat.Right - flat.Left + 1) * (flat.Bottom - flat.Top + 1));
}

}  // namespace

}  // namespace CandleChTests
