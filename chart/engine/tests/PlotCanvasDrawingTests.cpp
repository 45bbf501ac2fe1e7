#include "CanvasFixture.h"

#include <cmath>

namespace PlotCanvasDrawingTests {

namespace {

class DrawingTest : public CanvasFixture {};

TEST_F(DrawingTest, InvisibleChartPenOnlyClearsTheStyle) {
  Canvas->Pen->SetColor(clRed);
  Canvas->Pen->SetWidth(4);
  TChartPen pen;
  pen.SetColor(clBlue);
  pen.SetWidth(2);
  pen.Hide();
  Canvas->UsePen(pen);
  EXPECT_EQ(Canvas->Pen->GetStyle(), psClear);
  EXPECT_EQ(Canvas->Pen->GetColor(), clRed);
  EXPECT_EQ(Canvas->Pen->GetWidth(), 4);
  TChartHiddenPen hidden;
  EXPECT_FALSE(hidden.GetVisible());
  EXPECT_FALSE(hidden.IsVisibleStored());
  hidden.Show();
  EXPECT_TRUE(hidden.IsVisibleStored());
}

TEST_F(DrawingTest, SmallDotsSpacing) {
  struct Case {
    int32_t Space;
    int Period;
  } cases[] = {{0, 2}, {2, 3}};
  for (const Case& c : cases) {
    Clear(clWhite);
    TChartPen pen;
    pen.SetSmallDots(true);
    pen.SetSmallSpace(c.Space);
    Canvas->UsePen(pen);
    Canvas->Line(0, 5, 60, 5);
    const int inked = 60 - [&] {
      int white = 0;
      for (int x = 0; x < 60; ++x) white += Px(x, 5) == clWhite;
      return white;
    }();
    EXPECT_EQ(inked, 60 / c.Period) << c.Space;
    EXPECT_NE(Px(0, 5), clWhite);
    EXPECT_NE(Px(c.Period, 5), clWhite);
    EXPECT_EQ(Px(1, 5), clWhite);
  }
}

TEST_F(DrawingTest, WidePenEndStyles) {
  struct Case {
    TPenEndStyle End;
    int32_t Width;
    int32_t Left, Right;  // ink of a line from x = 20 to x = 60
  } cases[] = {{esFlat, 3, 20, 60}, {esSquare, 3, 19, 62}, {esFlat, 1, 20, 60}, {esSquare, 1, 20, 60}};
  for (const Case& c : cases) {
    Clear(clWhite);
    TChartPen pen;
    pen.SetWidth(c.Width);
    pen.SetEndStyle(c.End);
    Canvas->UsePen(pen);
    Canvas->Line(20, 50, 60, 50);
    const TRect ink = InkBounds();
    EXPECT_EQ(ink.Left, c.Left) << static_cast<int>(c.End) << " width " << c.Width;
    EXPECT_EQ(ink.Right, c.Right) << static_cast<int>(c.End) << " width " << c.Width;
  }
}

TEST_F(DrawingTest, BrushBackgroundModes) {
  TChartBrush brush;
  brush.SetStyle(bsSolid);
  Canvas->UseBrushColor(brush, clRed, clTransparentBack);
  EXPECT_EQ(Canvas->GetBackMode(), TRANSPARENT);
  Canvas->UseBrushColor(brush, clRed, clYellow);
  EXPECT_EQ(Canvas->GetBackMode(), OPAQUE);
  EXPECT_EQ(Canvas->GetBackColor(), clYellow);
  EXPECT_EQ(Canvas->Brush->GetColor(), clRed);
}

TEST_F(DrawingTest, ExtendedHatchUsesThePatternHook) {
  PlotCanvas::LoadPatternBitmap = [](int32_t Index, TBitmap& Bitmap) {
    // Pattern n: a vertical line in column n.
    for (int y = 0; y < 8; ++y) Bitmap.GetCanvas()->SetPixel(Index, y, clBlack);
  };
  TChartBrush brush;
  brush.SetStyleOrdinal(8 + 3);
  Canvas->UseBrushColor(brush, clRed, clYellow);
  Canvas->Pen->SetStyle(psClear);
  Canvas->FillRect(TRect(0, 0, 16, 8));
  PlotCanvas::LoadPatternBitmap = nullptr;
  EXPECT_EQ(Px(3, 2), clRed);
  EXPECT_EQ(Px(11, 5), clRed);
  EXPECT_EQ(Px(4, 2), clYellow);
}

TEST_F(DrawingTest, BevelFrameDrawsRingsAndShrinksTheRectangle) {
  TRect r(0, 0, 10, 10);
  Canvas->BevelFrame(r, clRed, clBlue, 2);
  EXPECT_EQ(r, TRect(2, 2, 8, 8));
  EXPECT_EQ(Px(0, 0), clRed);
  EXPECT_EQ(Px(1, 5), clRed);
  EXPECT_EQ(Px(5, 9), clBlue);
  EXPECT_EQ(Px(8, 5), clBlue);
  EXPECT_EQ(Px(2, 2), clWhite);
  EXPECT_EQ(CountNot(clWhite), 100 - 36);
}

TEST_F(DrawingTest, ClipsNestThreeDeep) {
  Canvas->ClipRect(TRect(10, 10, 90, 90));
  Canvas->ClipRect(TRect(20, 20, 80, 80));
  Canvas->ClipEllipse(TRect(30, 30, 70, 70));
  EXPECT_EQ(ClipDepth(), 3);
  auto fill = [&](TColor c) {
    Canvas->Brush->SetColor(c);
    Canvas->FillRect(TRect(0, 0, 100, 100));
  };
  fill(clRed);
  EXPECT_EQ(Px(50, 50), clRed);
  EXPECT_EQ(Px(31, 31), clWhite);
  Canvas->Unclip();
  fill(clBlue);
  EXPECT_EQ(Px(21, 21), clBlue);
  EXPECT_EQ(Px(15, 15), clWhite);
  Canvas->Unclip();
  fill(clLime);
  EXPECT_EQ(Px(15, 15), clLime);
  EXPECT_EQ(Px(5, 5), clWhite);
  Canvas->Unclip();
  fill(clBlack);
  EXPECT_EQ(CountNot(clBlack), 0);
  EXPECT_EQ(ClipDepth(), 0);
}

TEST_F(DrawingTest, ExclusiveEllipseCutsAHoleEndedByOneUnclip) {
  Canvas->ClipRect(TRect(10, 10, 90, 90));
  Canvas->ClipEllipse(TRect(30, 30, 70, 70), true);
  Canvas->Brush->SetColor(clRed);
  Canvas->FillRect(TRect(0, 0, 100, 100));
  EXPECT_EQ(Px(50, 50), clWhite);
  EXPECT_EQ(Px(12, 12), clRed);
  Canvas->Unclip();
  EXPECT_EQ(ClipDepth(), 0);
  Canvas->FillRect(TRect(0, 0, 100, 100));
  EXPECT_EQ(Px(50, 50), clRed);
  EXPECT_EQ(Px(2, 2), clRed);
}

TEST_F(DrawingTest, ConvexHullOfAProjectedBoxIsItsSilhouette) {
  TPointArray corners = {{10, 60}, {20, 50}, {20, 10}, {60, 10}, {50, 20}, {50, 60}, {10, 20}, {60, 50}};
  ASSERT_TRUE(ConvexHull(corners));
  ASSERT_EQ(corners.size(), 6u);
  EXPECT_EQ(corners.back(), TPoint(60, 10));  // pivot: smallest Y, largest X
  for (const TPoint& inner : {TPoint(50, 20), TPoint(20, 50)})
    EXPECT_EQ(std::count(corners.begin(), corners.end(), inner), 0);
  TPointArray two = {{0, 0}, {1, 1}};
  EXPECT_FALSE(ConvexHull(two));
  EXPECT_EQ(two.size(), 2u);
}

TEST_F(DrawingTest, RectangleHelpers) {
  EXPECT_EQ(PointsBounds({}, -1), TRect(0, 0, 0, 0));
  const TPoint five[] = {{5, 5}};
  EXPECT_EQ(PolygonRect(five, 1), TRect(5, 5, 6, 6));
  EXPECT_TRUE(PointInRectXY(TRect(10, 10, 0, 0), 10, 0));
  EXPECT_EQ(RectMidPoint(TRect(-3, -3, 0, 0)), TPoint(-1, -1));
  EXPECT_EQ(PointBeforeEnd(TPoint(0, 0), TPoint(0, 20), 5), TPoint(0, 15));
  EXPECT_EQ(PointBeforeEnd(TPoint(0, 20), TPoint(0, 0), 5), TPoint(0, 5));
  EXPECT_EQ(PointBeforeEnd(TPoint(0, 0), TPoint(30, 40), 10), TPoint(24, 32));
  EXPECT_EQ(DarkerColor(RGB(100, 20, 200), 64), RGB(36, 0, 136));
  EXPECT_EQ(LighterColor(RGB(100, 220, 200), 64), RGB(164, 255, 255));
  // Back-face products are taken in 64 bits.
  EXPECT_TRUE(IsBackFace(TPoint(0, 0), TPoint(60000000, 0), TPoint(60000000, 60000000)) !=
              IsBackFace(TPoint(0, 0), TPoint(60000000, 60000000), TPoint(60000000, 0)));
}

}  // namespace

// A ring sector keeps its hole, also when it is a whole ring.
TEST_F(DrawingTest, RingSectorKeepsItsHole) {
  struct {
    double Start, End;
    int32_t FilledX;  // a pixel in the ring itself, left of the centre
  } cases[] = {{0, 2 * M_PI, 15}, {M_PI / 2, 3 * M_PI / 2, 15}};
  for (const auto& c : cases) {
    Reset(100, 100);
    Canvas->Brush->SetColor(clRed);
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Pen->SetColor(clRed);
    Canvas->RingSector(50, 50, 40, 40, c.Start, c.End, 50);
    EXPECT_EQ(Px(50, 50), clWhite) << c.End;  // the hole
    EXPECT_EQ(Px(c.FilledX, 50), clRed) << c.End;
  }
}

}  // namespace PlotCanvasDrawingTests
