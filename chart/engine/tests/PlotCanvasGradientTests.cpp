#include "CanvasFixture.h"

namespace PlotCanvasGradientTests {

namespace {

class GradientTest : public CanvasFixture {};

// Colour of the gradient's two ends along the named direction.
struct DirectionCase {
  TGradientDirection Direction;
  TPoint StartAt, EndAt;  // where the start and end colours land in a 40 x 30 box at (10, 10)
};

TEST_F(GradientTest, TenDirectionsPlaceTheirColours) {
  // Positions follow the band rules: the first band of a linear gradient is at
  // the bottom or right edge; centre and corner gradients end at the border or
  // the named corner.
  const DirectionCase cases[] = {
      {gdTopBottom, {20, 39}, {20, 10}},      {gdBottomTop, {20, 10}, {20, 39}},
      {gdLeftRight, {49, 20}, {10, 20}},      {gdRightLeft, {10, 20}, {49, 20}},
      {gdFromCenter, {30, 25}, {10, 10}},     {gdFromTopLeft, {49, 39}, {10, 10}},
      {gdFromBottomLeft, {49, 10}, {10, 39}}, {gdRadial, {31, 26}, {10, 10}},
      {gdDiagonalUp, {10, 39}, {49, 10}},     {gdDiagonalDown, {11, 11}, {49, 38}},
  };
  for (const DirectionCase& c : cases) {
    Clear(clWhite);
    Canvas->GradientRect(TRect(10, 10, 50, 40), clRed, clBlue, c.Direction, 50);
    SCOPED_TRACE(static_cast<int>(c.Direction));
    const TColor s = Px(c.StartAt.X, c.StartAt.Y), e = Px(c.EndAt.X, c.EndAt.Y);
    EXPECT_GT(GetRValue(s), 200) << std::hex << s;
    EXPECT_LT(GetBValue(s), 60) << std::hex << s;
    EXPECT_GT(GetBValue(e), 200) << std::hex << e;
    EXPECT_LT(GetRValue(e), 60) << std::hex << e;
    // Nothing outside the box.
    EXPECT_EQ(Px(9, 9), clWhite);
    EXPECT_EQ(Px(50, 40), clWhite);
  }
}

TEST_F(GradientTest, VerticalBandsFromWhiteToBlack) {
  Canvas->GradientRect(TRect(0, 0, 10, 10), clWhite, clBlack, gdTopBottom, 50);
  EXPECT_EQ(Px(5, 0), clBlack);
  EXPECT_EQ(Px(5, 9), clWhite);
  for (int y = 1; y < 10; ++y) EXPECT_LE(GetRValue(Px(5, y - 1)), GetRValue(Px(5, y)));
  for (int x = 0; x < 10; ++x) EXPECT_EQ(Px(x, 4), Px(0, 4));
}

TEST_F(GradientTest, OnePixelHighPaintsNothingTwoPixelsPaintTwoBands) {
  Canvas->GradientRect(TRect(0, 0, 10, 1), clRed, clBlue, gdTopBottom, 50);
  EXPECT_EQ(CountNot(clWhite), 0);
  Canvas->GradientRect(TRect(0, 0, 10, 2), clRed, clBlue, gdTopBottom, 50);
  EXPECT_EQ(Px(0, 0), clBlue);
  EXPECT_EQ(Px(0, 1), clRed);
}

TEST_F(GradientTest, WideGradientUses256Bands) {
  Reset(300, 4);
  Canvas->GradientRect(TRect(0, 0, 300, 4), clBlack, clWhite, gdLeftRight, 50);
  int changes = 0;
  for (int x = 1; x < 300; ++x) changes += Px(x, 0) != Px(x - 1, 0);
  EXPECT_EQ(changes, 255);
}

TEST_F(GradientTest, MiddleColourSplitsLinearDirectionsOnly) {
  TPlotGradient g;
  g.SetStartColor(clRed);
  g.SetEndColor(clBlue);
  g.SetMidColor(clLime);
  g.SetDirection(gdTopBottom);
  g.FillRect(*Canvas, TRect(0, 0, 20, 40));
  EXPECT_EQ(Px(10, 39), clRed);
  EXPECT_EQ(Px(10, 0), clBlue);
  EXPECT_EQ(Px(10, 19), clLime);
  // From the centre the middle colour is ignored: two ways, same picture.
  g.SetDirection(gdFromCenter);
  g.FillRect(*Canvas, TRect(0, 0, 20, 40));
  TBitmap withMiddle;
  withMiddle.Assign(*Bitmap);
  g.SetMidColor(clNone);
  g.FillRect(*Canvas, TRect(0, 0, 20, 40));
  EXPECT_TRUE(SamePixels(withMiddle, *Bitmap));
}

TEST_F(GradientTest, RadialFillHasStartAtCentreAndEndOutside) {
  TPlotGradient g;
  g.SetStartColor(clBlack);
  g.SetEndColor(clWhite);
  g.SetDirection(gdRadial);
  g.FillRect(*Canvas, TRect(10, 10, 50, 50));
  EXPECT_LT(GetRValue(Px(30, 30)), 20);
  EXPECT_EQ(Px(10, 10), clWhite);
  EXPECT_EQ(Px(9, 30), clWhite);  // clipped to the rectangle
  // Radial fills turn system colours into RGB before using their bytes.
  Clear(clWhite);
  g.SetStartColor(clBtnFace);
  g.SetEndColor(clBtnFace);
  g.FillRect(*Canvas, TRect(10, 10, 50, 50));
  EXPECT_EQ(Px(30, 30), ColorToRGB(clBtnFace) & 0xFFFFFF);
}

TEST_F(GradientTest, GradientAsStyleObjectNotifiesOnlyOnChange) {
  int calls = 0;
  TPlotGradient g([&](TObject*) { ++calls; });
  g.SetStartColor(clWhite);
  g.SetBalance(50);
  EXPECT_EQ(calls, 0);
  g.SetMidColor(clNone);  // no middle yet: nothing
  EXPECT_EQ(calls, 0);
  g.SetMidColor(clRed);
  EXPECT_TRUE(g.GetMiddleOn());
  EXPECT_EQ(g.GetMidColor(), clRed);
  g.SetMidColor(clNone);
  EXPECT_FALSE(g.GetMiddleOn());
  EXPECT_EQ(g.GetMidColor(), clNone);
  EXPECT_EQ(calls, 2);
  TPlotGradient copy;
  g.SetDirection(gdRadial);
  copy.Assign(&g);
  EXPECT_EQ(copy.GetDirection(), gdRadial);
  TPlotShadow notAGradient;
  EXPECT_THROW(copy.Assign(&notAGradient), Exception);
}

}  // namespace

}  // namespace PlotCanvasGradientTests
