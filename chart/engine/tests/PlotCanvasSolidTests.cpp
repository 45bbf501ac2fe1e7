#include "CanvasFixture.h"

namespace PlotCanvasSolidTests {

namespace {

class SolidTest : public CanvasFixture {
protected:
  void Oblique() {
    Options.SetOrthoAngle(45);
    View3D(Options, 20);
    Canvas->Pen->SetStyle(psClear);
    Canvas->Brush->SetColor(Base);
    Canvas->ClearRecord();
  }
  TView3DOptions Options;
  const TColor Base = RGB(200, 160, 240);
};

TEST_F(SolidTest, BoxDrawsVisibleFacesInOrderAndShadesThem) {
  Oblique();
  Canvas->Box(20, 60, 40, 80, 0, 20, true);
  // Seen from the upper right: front, right side, top, in this order.
  ASSERT_EQ(Canvas->Polys.size(), 3u);
  EXPECT_EQ(Canvas->Colors[0], Base);
  EXPECT_EQ(Canvas->Colors[1], DarkerColor(Base, 128));
  EXPECT_EQ(Canvas->Colors[2], DarkerColor(Base, 64));
  EXPECT_EQ(Canvas->Polys[0][0], Canvas->Project(20, 40, 0));
  EXPECT_EQ(Px(40, 60), Base);
  const TPoint onTop = Canvas->Project(40, 40, 10);
  EXPECT_EQ(Px(onTop.X, onTop.Y - 1 + 1), DarkerColor(Base, 64));
  const TPoint onRight = Canvas->Project(60, 60, 10);
  EXPECT_EQ(Px(onRight.X, onRight.Y), DarkerColor(Base, 128));
  EXPECT_EQ(Canvas->Brush->GetColor(), Base);  // colour restored
}

TEST_F(SolidTest, ClearBrushBoxDrawsFiveFacesNeverTheBack) {
  Oblique();
  Canvas->Brush->SetStyle(bsClear);
  Canvas->Box(20, 60, 40, 80, 0, 20, false);
  ASSERT_EQ(Canvas->Polys.size(), 5u);
  const std::vector<TPoint> back = {Canvas->Project(20, 40, 20), Canvas->Project(60, 40, 20),
                                    Canvas->Project(60, 80, 20), Canvas->Project(20, 80, 20)};
  for (const auto& p : Canvas->Polys) EXPECT_NE(p, back);
  EXPECT_EQ(Canvas->Polys[0][0], Canvas->Project(20, 40, 0));
}

TEST_F(SolidTest, ConeHasItsPointAtTopAndBaseAtBottom) {
  Oblique();
  Canvas->Pen->SetStyle(psSolid);
  Canvas->RoundSolidTop(true, 30, 20, 70, 80, 0, 20, true, 0);
  const TPoint apex = Canvas->Project(50, 20, 10);
  const TRect ink = InkBounds();
  EXPECT_NEAR(ink.Top, apex.Y, 1);
  EXPECT_NEAR(ink.Bottom, Canvas->Project(50, 80, 0).Y + 1, 2);
  // A cylinder is wider at its top than the cone.
  const int coneRow = CountNot(clWhite);
  Clear(clWhite);
  Canvas->RoundSolid(true, 30, 20, 70, 80, 0, 20, true);
  EXPECT_GT(CountNot(clWhite), coneRow);
  // Horizontal: the point lies at the right.
  Clear(clWhite);
  Canvas->RoundSolidTop(false, 20, 30, 80, 70, 0, 20, false, 0);
  EXPECT_NEAR(InkBounds().Right, Canvas->Project(80, 50, 10).X + 1, 2);
}

TEST_F(SolidTest, PyramidAndTruncatedPyramid) {
  Oblique();
  Canvas->Pyramid(true, 30, 20, 70, 80, 0, 20, true);
  const TPoint apex = Canvas->Project(50, 20, 10);
  EXPECT_NEAR(InkBounds().Top, apex.Y, 1);
  EXPECT_GE(Canvas->Polys.size(), 2u);
  // A truncated pyramid with a full-size top is a box: same picture.
  Clear(clWhite);
  Canvas->TruncatedPyramid(TRect(30, 20, 70, 80), 0, 20, 20, 10);
  TBitmap frustum;
  frustum.Assign(*Bitmap);
  Clear(clWhite);
  Canvas->Box(30, 70, 20, 80, 0, 20, false);
  EXPECT_TRUE(SamePixels(frustum, *Bitmap));
}

TEST_F(SolidTest, PieSliceArcPoints) {
  struct Case {
    double Degrees;
    size_t FacePoints;
  } cases[] = {{360, 97}, {1, 3}, {90, 48}};
  for (const Case& c : cases) {
    Oblique();
    Canvas->PieSlice3D(50, 50, 30, 30, 0, 10, 0, c.Degrees * 3.14159265358979323846 / 180, false, true, 0, nullptr);
    const TPoint centre = Canvas->Project(50, 50, 10);
    // The slice face is the last polygon starting at the centre (the radial sides come first).
    const auto face = std::find_if(Canvas->Polys.rbegin(), Canvas->Polys.rend(),
                                   [&](const std::vector<TPoint>& p) { return p.size() > 2 && p[0] == centre; });
    ASSERT_NE(face, Canvas->Polys.rend());
    EXPECT_EQ(face->size(), c.FacePoints) << c.Degrees;
  }
}

TEST_F(SolidTest, ArrowsAndEllipses) {
  Canvas->Arrow(true, TPoint(40, 40), TPoint(40, 40), 10, 10, 0, 50);
  EXPECT_EQ(CountNot(clWhite), 0);
  Canvas->Brush->SetColor(clRed);
  Canvas->Arrow(true, TPoint(10, 50), TPoint(90, 50), 20, 15, 0, 50);
  const TRect ink = InkBounds();
  EXPECT_NEAR(ink.Left, 10, 1);
  EXPECT_NEAR(ink.Right, 91, 1);
  EXPECT_NEAR(ink.Top, 40, 1);
  EXPECT_NEAR(ink.Bottom, 61, 1);
  // In 2-D an ellipse at a depth is one pixel wider and taller.
  Clear(clWhite);
  Canvas->EllipseAtDepth(10, 10, 20, 20, 5);
  EXPECT_EQ(InkBounds(), TRect(10, 10, 21, 21));
  Clear(clWhite);
  Canvas->Ellipse(10, 10, 20, 20);
  EXPECT_EQ(InkBounds(), TRect(10, 10, 20, 20));
}

TEST_F(SolidTest, WidePenPixelIsADot) {
  Canvas->Pen->SetWidth(3);
  Canvas->Pen->SetColor(clBlue);
  Canvas->SetPixel3D(50, 50, 0, clRed);
  EXPECT_EQ(Px(50, 50), clBlue);
  EXPECT_EQ(InkBounds().Right - InkBounds().Left, 3);
  Clear(clWhite);
  Canvas->Pen->SetWidth(1);
  Canvas->SetPixel3D(50, 50, 0, clRed);
  EXPECT_EQ(Px(50, 50), clRed);
  EXPECT_EQ(CountNot(clWhite), 1);
}

TEST_F(SolidTest, PictureMappedAtDepthMatchesAStretchInTwoD) {
  TBitmap picture(4, 2);
  const TColor colors[] = {clRed, clLime, clBlue, clYellow, clBlack, clAqua, clFuchsia, clGray};
  for (int i = 0; i < 8; ++i) picture.GetCanvas()->SetPixel(i % 4, i / 4, colors[i]);
  Canvas->DrawGraphic3D(TRect(10, 10, 50, 30), &picture, 0);
  EXPECT_EQ(Px(10, 10), clRed);
  EXPECT_EQ(Px(49, 29), clGray);
  EXPECT_EQ(Px(25, 15), clLime);
  EXPECT_EQ(Px(50, 30), clWhite);
}

}  // namespace

}  // namespace PlotCanvasSolidTests
