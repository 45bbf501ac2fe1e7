// The platform's pixel rules for each primitive.

#include "TestPicture.h"

namespace PixelRulesTest {

namespace {

struct TShapeCase {
  const char* Name;
  std::function<void(TCanvas&)> Draw;
  bool NullPen;
  TRect Expected;
};

class ShapeBoxes : public PictureTest, public ::testing::WithParamInterface<TShapeCase> {};

TEST_P(ShapeBoxes, CoverTheBoxWithoutItsRightAndBottomEdge) {
  const TShapeCase& k = GetParam();
  c->Pen->SetColor(clBlack);
  c->Pen->SetStyle(k.NullPen ? psClear : psSolid);
  c->Brush->SetColor(clRed);
  k.Draw(*c);
  EXPECT_EQ(Bounds(), k.Expected) << k.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Primitives, ShapeBoxes,
    ::testing::Values(
        TShapeCase{"Rectangle", [](TCanvas& c) { c.Rectangle(5, 6, 25, 20); }, false, {5, 6, 25, 20}},
        TShapeCase{"Ellipse", [](TCanvas& c) { c.Ellipse(5, 6, 25, 20); }, false, {5, 6, 25, 20}},
        TShapeCase{"RoundRect", [](TCanvas& c) { c.RoundRect(5, 6, 25, 20, 6, 6); }, false, {5, 6, 25, 20}},
        TShapeCase{"Pie", [](TCanvas& c) { c.Pie(5, 6, 25, 20, 25, 12, 25, 13); }, false, {5, 6, 25, 20}},
        TShapeCase{"Chord", [](TCanvas& c) { c.Chord(5, 6, 25, 20, 25, 12, 25, 13); }, false, {5, 6, 25, 20}},
        TShapeCase{"Arc", [](TCanvas& c) { c.Arc(5, 6, 25, 20, 25, 12, 25, 13); }, false, {5, 6, 25, 20}},
        // A null pen fills one pixel less in width and height.
        TShapeCase{"RectangleNullPen", [](TCanvas& c) { c.Rectangle(5, 6, 25, 20); }, true, {5, 6, 24, 19}},
        TShapeCase{"EllipseNullPen", [](TCanvas& c) { c.Ellipse(5, 6, 25, 20); }, true, {5, 6, 24, 19}},
        TShapeCase{"RoundRectNullPen", [](TCanvas& c) { c.RoundRect(5, 6, 25, 20, 6, 6); }, true, {5, 6, 24, 19}},
        // Box fills ignore the pen and fill exactly.
        TShapeCase{"FillRect", [](TCanvas& c) { c.FillRect(Rect(5, 6, 25, 20)); }, false, {5, 6, 25, 20}},
        TShapeCase{"PatBlt", [](TCanvas& c) { c.GetHandle()->PatBlt(5, 6, 20, 14, PATCOPY); }, false, {5, 6, 25, 20}},
        TShapeCase{"FrameRect", [](TCanvas& c) { c.FrameRect(Rect(5, 6, 25, 20)); }, false, {5, 6, 25, 20}}),
    [](const ::testing::TestParamInfo<TShapeCase>& i) { return std::string(i.param.Name); });

TEST_F(PictureTest, FillRectAndPatBltFillExactlyTheBox) {
  c->Brush->SetColor(clBlue);
  c->FillRect(Rect(3, 4, 9, 7));
  EXPECT_EQ(Count(clBlue), 6 * 3);
  c->Brush->SetColor(clRed);
  dc()->PatBlt(10, 10, 5, 2, PATCOPY);
  EXPECT_EQ(Count(clRed), 10);
  EXPECT_EQ(BoundsOf(clRed), Rect(10, 10, 15, 12));
}

TEST_F(PictureTest, LineLeavesOutItsEndPoint) {
  c->Pen->SetColor(clBlack);
  c->MoveTo(2, 3);
  c->LineTo(10, 3);
  EXPECT_EQ(Bounds(), Rect(2, 3, 10, 4));
  EXPECT_EQ(At(10, 3), clWhite);
  EXPECT_EQ(c->GetPenPos(), Point(10, 3));
  // A diagonal line also stops one pixel short.
  Reset(40, 40);
  c->MoveTo(0, 0);
  c->LineTo(10, 10);
  EXPECT_EQ(Count(clBlack), 10);
  EXPECT_EQ(At(10, 10), clWhite);
}

TEST_F(PictureTest, RectangleOutlineEqualsPolylineThroughItsCorners) {
  c->Pen->SetColor(clBlack);
  c->Brush->SetStyle(bsClear);
  c->Rectangle(4, 5, 20, 17);
  const auto rect = Snapshot();
  Reset(40, 40);
  c->Pen->SetColor(clBlack);
  c->Polyline({{4, 5}, {19, 5}, {19, 16}, {4, 16}, {4, 5}});
  EXPECT_EQ(Snapshot(), rect);
}

TEST_F(PictureTest, PolylineLeavesOutOnlyTheLastPoint) {
  c->Pen->SetColor(clBlack);
  c->Polyline({{2, 2}, {12, 2}, {12, 12}});
  EXPECT_EQ(At(12, 2), clBlack);   // corner drawn by the second segment
  EXPECT_EQ(At(12, 11), clBlack);
  EXPECT_EQ(At(12, 12), clWhite);  // the last point
}

TEST_F(PictureTest, PolygonDrawsEveryVertex) {
  c->Pen->SetColor(clBlack);
  c->Brush->SetColor(clRed);
  c->Polygon({{5, 5}, {20, 5}, {20, 15}, {5, 15}});
  EXPECT_EQ(Bounds(), Rect(5, 5, 21, 16));
  EXPECT_EQ(At(12, 10), clRed);
}

TEST_F(PictureTest, SetPixelAndGetPixelAreExact) {
  const TColor colours[] = {RGB(1, 2, 3), RGB(254, 128, 7), clBlack, clWhite};
  for (int i = 0; i < 4; ++i) c->SetPixel(i, 1, colours[i]);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(c->GetPixel(i, 1), colours[i]);
  EXPECT_EQ(uint32_t(c->GetPixel(-1, 0)), CLR_INVALID);
  EXPECT_EQ(uint32_t(c->GetPixel(40, 0)), CLR_INVALID);
}

TEST_F(PictureTest, SystemColoursResolveThroughOneTable) {
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  const TColor old = Graphics::SetSystemColor(15, RGB(10, 20, 30));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(10, 20, 30));
  c->Brush->SetColor(clBtnFace);
  c->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(At(1, 1), RGB(10, 20, 30));
  Graphics::SetSystemColor(15, old);
}

TEST_F(PictureTest, WidePenEndsFlatOrSquare) {
  TLogBrush b;
  b.Color = clBlack;
  dc()->SelectPen(TDeviceContext::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 5, b));
  dc()->MoveTo(10, 20);
  dc()->LineTo(30, 20);
  EXPECT_EQ(Bounds(), Rect(10, 18, 30, 23));
  Reset(40, 40);
  dc()->SelectPen(TDeviceContext::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, 5, b));
  dc()->MoveTo(10, 20);
  dc()->LineTo(30, 20);
  EXPECT_EQ(Bounds(), Rect(8, 18, 33, 23));
}

TEST_F(PictureTest, DashedPenLeavesGapsInTheBackgroundModesColour) {
  c->Pen->SetStyle(psDot);
  c->Pen->SetColor(clBlack);
  c->Brush->SetStyle(bsClear);  // transparent background: gaps untouched
  c->MoveTo(0, 1);
  c->LineTo(12, 1);
  EXPECT_EQ(Count(clBlack), 6);
  EXPECT_EQ(At(3, 1), clWhite);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clYellow);  // opaque background in the brush colour
  c->MoveTo(0, 3);
  c->LineTo(12, 3);
  EXPECT_EQ(At(3, 3), clYellow);
  EXPECT_EQ(At(0, 3), clBlack);
}

}  // namespace

namespace {

TEST_F(PictureTest, LinesFarBeyondTheSurfaceStillDraw) {
  c->Pen->SetColor(clBlack);
  c->MoveTo(-3000000, 10);
  c->LineTo(3000000, 10);
  EXPECT_EQ(Count(clBlack), 40);
  EXPECT_EQ(BoundsOf(clBlack), Rect(0, 10, 40, 11));
  Reset(40, 40);
  c->MoveTo(-1000000, -1000000);
  c->LineTo(1000000, 1000000);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(At(i, i), clBlack) << i;
  EXPECT_EQ(Count(clBlack), 40);
}

}  // namespace

namespace {

TEST_F(PictureTest, UserStyleDotsKeepTheirSpacing) {
  // Zero-length dashes with a gap of Spacing + 1: one dot every Spacing + 1 pixels.
  for (uint32_t spacing : {1u, 2u, 4u}) {
    Reset(40, 40);
    TLogBrush b;
    b.Color = clBlack;
    dc()->SelectPen(TDeviceContext::ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE, 1, b, {0, spacing + 1}));
    dc()->SetBkMode(TRANSPARENT);
    dc()->MoveTo(0, 5);
    dc()->LineTo(36, 5);
    for (int x = 0; x < 36; ++x) EXPECT_EQ(At(x, 5), x % int(spacing + 1) == 0 ? clBlack : clWhite) << spacing << " " << x;
  }
}

}  // namespace

namespace {

TEST_F(PictureTest, ZeroLengthLineOfAWidePenIsADot) {
  c->Pen->SetWidth(3);
  c->Pen->SetColor(clBlack);
  c->MoveTo(10, 10);
  c->LineTo(10, 10);
  EXPECT_EQ(Bounds(), Rect(9, 9, 12, 12));
  // A thin pen draws nothing for it, as the end point is left out.
  c->Pen->SetWidth(1);
  c->Pen->SetColor(clRed);
  c->MoveTo(20, 20);
  c->LineTo(20, 20);
  EXPECT_EQ(Count(clRed), 0);
}

}  // namespace

namespace {

TEST_F(PictureTest, SmallEllipsesAndRoundRectsAreMirrorSymmetric) {
  for (bool round : {false, true})
    for (bool nullPen : {false, true})
      for (int w = 2; w <= 17; ++w)
      for (int h : {w, w + 3}) {
        Reset(24, 24);
        c->Pen->SetStyle(nullPen ? psClear : psSolid);
        c->Brush->SetColor(clRed);
        if (round) c->RoundRect(1, 1, 1 + w, 1 + h, 7, 5);
        else c->Ellipse(1, 1, 1 + w, 1 + h);
        const TRect b = Bounds();
        ASSERT_FALSE(b.IsEmpty()) << w << "x" << h;
        for (int y = b.Top; y < b.Bottom; ++y)
          for (int x = b.Left; x < b.Right; ++x) {
            ASSERT_EQ(At(x, y), At(b.Left + b.Right - 1 - x, y)) << w << "x" << h << " at " << x << "," << y;
            ASSERT_EQ(At(x, y), At(x, b.Top + b.Bottom - 1 - y)) << w << "x" << h << " at " << x << "," << y;
          }
      }
}

}  // namespace

}  // namespace PixelRulesTest
