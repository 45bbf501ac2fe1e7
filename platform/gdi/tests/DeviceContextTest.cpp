// Mix modes, clipping, fill modes, brushes, mapping, paths, blits and blending.

#include "TestPicture.h"

namespace DeviceContextTest {

namespace {

// Something to draw over: shapes in several colours.
void Scenery(TCanvas& c) {
  c.Brush->SetColor(clRed);
  c.Rectangle(2, 2, 20, 15);
  c.Brush->SetColor(RGB(30, 160, 90));
  c.Ellipse(10, 8, 35, 30);
  c.Pen->SetColor(clBlue);
  c.MoveTo(0, 39);
  c.LineTo(39, 0);
  c.Pen->SetColor(clBlack);
}

TEST_F(PictureTest, RubberBandDrawnTwiceRestoresThePicture) {
  Scenery(*c);
  const auto before = Snapshot();
  for (TPenMode mode : {pmXor, pmNotXor, pmNot}) {
    c->Pen->SetMode(mode);
    c->Pen->SetColor(mode == pmNotXor ? clBlack : clWhite);
    c->Brush->SetStyle(bsClear);
    for (int pass = 0; pass < 2; ++pass) {
      c->Rectangle(5, 4, 31, 27);
      c->MoveTo(1, 1);
      c->LineTo(33, 20);
    }
    EXPECT_EQ(Snapshot(), before) << "pen mode " << int(mode);
  }
  // One pass changes the picture.
  c->Pen->SetMode(pmXor);
  c->Rectangle(5, 4, 31, 27);
  EXPECT_NE(Snapshot(), before);
}

TEST_F(PictureTest, XorRectangleWithBrushTouchesEachPixelOnce) {
  Scenery(*c);
  const auto before = Snapshot();
  c->Pen->SetMode(pmXor);
  c->Pen->SetColor(clWhite);
  c->Brush->SetColor(clWhite);
  c->Rectangle(5, 4, 31, 27);
  c->Rectangle(5, 4, 31, 27);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(PictureTest, DrawingStaysInsideTheClip) {
  dc()->IntersectClipRect(10, 10, 20, 15);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(BoundsOf(clRed), Rect(10, 10, 20, 15));
  EXPECT_EQ(Count(clRed), 50);
  // Excluding a hole, then selecting no clip at all.
  dc()->ExcludeClipRect(12, 11, 14, 13);
  c->Brush->SetColor(clBlue);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(Count(clBlue), 46);
  EXPECT_EQ(At(12, 11), clRed);
  dc()->SelectClipRgn(nullptr);
  c->Brush->SetColor(clLime);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(Count(clLime), 1600);
}

TEST_F(PictureTest, ClipRegionsCoverWhatTheirShapesFill) {
  // An elliptic clip region covers the pixels a null-pen ellipse fills.
  c->Pen->SetStyle(psClear);
  c->Brush->SetColor(clRed);
  c->Ellipse(3, 4, 30, 25);
  const auto ellipse = Snapshot();
  Reset(40, 40);
  const TRegion rgn = TRegion::CreateEllipticRgn(3, 4, 30, 25);
  dc()->SelectClipRgn(&rgn);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(Snapshot(), ellipse);
  // The same for round rectangles.
  Reset(40, 40);
  c->Pen->SetStyle(psClear);
  c->Brush->SetColor(clRed);
  c->RoundRect(3, 4, 30, 25, 12, 9);
  const auto round = Snapshot();
  Reset(40, 40);
  const TRegion rr = TRegion::CreateRoundRectRgn(3, 4, 30, 25, 12, 9);
  dc()->SelectClipRgn(&rr);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(Snapshot(), round);
}

TEST_F(PictureTest, SaveDCAndRestoreDCBringBackClipAndMapping) {
  const int level = dc()->SaveDC();
  dc()->IntersectClipRect(0, 0, 5, 5);
  dc()->SetViewportOrgEx(3, 3);
  dc()->SetROP2(R2_XORPEN);
  EXPECT_TRUE(dc()->RestoreDC(level));
  EXPECT_EQ(dc()->GetROP2(), R2_COPYPEN);
  EXPECT_EQ(dc()->GetViewportOrgEx(), Point(0, 0));
  TRegion r;
  EXPECT_EQ(dc()->GetClipRgn(r), 0);
  EXPECT_FALSE(dc()->RestoreDC(level));  // nothing left to restore
  // Relative levels.
  dc()->SaveDC();
  dc()->SetTextColor(clRed);
  dc()->SaveDC();
  dc()->SetTextColor(clBlue);
  EXPECT_TRUE(dc()->RestoreDC(-1));
  EXPECT_EQ(dc()->GetTextColor(), clRed);
}

TEST_F(PictureTest, EvenOddAndWindingFillDifferInTheStarsCentre) {
  const std::vector<TPoint> star = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  c->Pen->SetStyle(psClear);
  c->Brush->SetColor(clRed);
  dc()->SetPolyFillMode(ALTERNATE);
  c->Polygon(star);
  EXPECT_EQ(At(20, 20), clWhite);
  EXPECT_EQ(At(20, 8), clRed);
  dc()->SetPolyFillMode(WINDING);
  c->Polygon(star);
  EXPECT_EQ(At(20, 20), clRed);
}

TEST_F(PictureTest, HatchBrushesFollowTheirPatternEveryEightPixels) {
  struct TCase {
    TBrushStyle Style;
    std::function<bool(int, int)> Line;
  };
  const TCase cases[] = {
      {bsHorizontal, [](int, int y) { return y % 8 == 0; }},
      {bsVertical, [](int x, int) { return x % 8 == 0; }},
      {bsFDiagonal, [](int x, int y) { return (x - y + 64) % 8 == 0; }},
      {bsBDiagonal, [](int x, int y) { return (x + y) % 8 == 7; }},
      {bsCross, [](int x, int y) { return x % 8 == 0 || y % 8 == 0; }},
      {bsDiagCross, [](int x, int y) { return (x - y + 64) % 8 == 0 || (x + y) % 8 == 7; }},
  };
  for (const TCase& k : cases) {
    Reset(24, 24);
    c->Brush->SetStyle(k.Style);
    c->Brush->SetColor(clBlue);
    dc()->SetBkMode(OPAQUE);
    dc()->SetBkColor(clYellow);
    dc()->FillRect(Rect(0, 0, 24, 24));
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        ASSERT_EQ(At(x, y), k.Line(x, y) ? clBlue : clYellow) << "style " << int(k.Style) << " at " << x << "," << y;
  }
}

TEST_F(PictureTest, HatchOnTransparentBackgroundKeepsTheGaps) {
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush->SetStyle(bsCross);  // realising a hatch makes the background transparent
  c->Brush->SetColor(clBlue);
  c->FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(At(0, 0), clBlue);
  EXPECT_EQ(At(3, 3), clRed);
}

TEST_F(PictureTest, PatternBrushTilesItsBitmapFromTheOrigin) {
  TBitmap pattern;
  pattern.SetSize(8, 8);
  pattern.GetCanvas()->Brush->SetColor(clWhite);
  pattern.GetCanvas()->FillRect(Rect(0, 0, 8, 8));
  pattern.GetCanvas()->Brush->SetColor(clGreen);
  pattern.GetCanvas()->FillRect(Rect(0, 0, 3, 2));
  c->Brush->SetBitmap(&pattern);
  c->FillRect(Rect(0, 0, 24, 24));
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(At(x, y), (x % 8 < 3 && y % 8 < 2) ? clGreen : clWhite) << x << "," << y;
}

TEST_F(PictureTest, MonochromePatternDrawsInTextAndBackgroundColours) {
  TBitmap mono;
  mono.SetSize(8, 8);
  mono.GetCanvas()->Brush->SetColor(clBlack);
  mono.GetCanvas()->FillRect(Rect(0, 0, 4, 8));
  mono.SetPixelFormat(pf1bit);
  TLogBrush b;
  b.Style = BS_PATTERN;
  b.Pattern = Graphics::PatternFromBitmap(mono);
  dc()->SetTextColor(clRed);
  dc()->SetBkColor(clBlue);
  dc()->FillRect(Rect(0, 0, 8, 8), b);
  EXPECT_EQ(At(1, 1), clRed);   // black bits: text colour
  EXPECT_EQ(At(6, 1), clBlue);  // white bits: background colour
}

TEST_F(PictureTest, AnisotropicMappingScalesLogicalUnits) {
  dc()->SetMapMode(MM_ANISOTROPIC);
  dc()->SetWindowExtEx(100, 100);
  dc()->SetViewportExtEx(20, 10);
  dc()->SetViewportOrgEx(5, 5);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 100, 100));
  EXPECT_EQ(BoundsOf(clRed), Rect(5, 5, 25, 15));
  EXPECT_EQ(dc()->LPtoDP(Point(50, 50)), Point(15, 10));
  EXPECT_EQ(dc()->DPtoLP(Point(15, 10)), Point(50, 50));
  // Isotropic mapping keeps the axes at one scale.
  dc()->SetMapMode(MM_ISOTROPIC);
  dc()->SetWindowExtEx(100, 100);
  dc()->SetViewportExtEx(20, 10);
  EXPECT_EQ(dc()->GetViewportExtEx(), TSize(10, 10));
}

TEST_F(PictureTest, FilledPathEqualsTheFilledPolygon) {
  const std::vector<TPoint> tri = {{5, 5}, {30, 8}, {12, 30}};
  c->Pen->SetColor(clBlack);
  c->Brush->SetColor(clRed);
  c->Polygon(tri);
  const auto polygon = Snapshot();
  Reset(40, 40);
  c->Pen->SetColor(clBlack);
  c->Brush->SetColor(clRed);
  TDeviceContext* d = dc();
  d->BeginPath();
  d->MoveTo(5, 5);
  d->LineTo(30, 8);
  d->LineTo(12, 30);
  d->CloseFigure();
  d->EndPath();
  d->StrokeAndFillPath();
  EXPECT_EQ(Snapshot(), polygon);
  EXPECT_FALSE(d->FillPath());  // the path was used up
}

TEST_F(PictureTest, WidenedPathAsClipLeavesOnlyTheOutline) {
  TDeviceContext* d = dc();
  TLogBrush b;
  b.Color = clBlack;
  d->SelectPen(TDeviceContext::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 4, b));
  d->BeginPath();
  d->Rectangle(8, 8, 32, 32);
  d->EndPath();
  ASSERT_TRUE(d->WidenPath());
  ASSERT_TRUE(d->SelectClipPath(RGN_COPY));
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(At(8, 20), clRed);
  EXPECT_EQ(At(20, 20), clWhite);
  EXPECT_EQ(At(2, 2), clWhite);
}

TEST_F(PictureTest, BlitsCopyInvertAndStretch) {
  Scenery(*c);
  const auto before = Snapshot();
  TBitmap other(40, 40);
  TDeviceContext* src = dc();
  TDeviceContext* dst = other.GetCanvas()->GetHandle();
  ASSERT_TRUE(dst->BitBlt(0, 0, 40, 40, src, 0, 0, SRCCOPY));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(other.GetPixelColor(x, y), before[size_t(y * 40 + x)]);
  // Source-invert twice gives the picture back; so does the destination inversion.
  dst->BitBlt(0, 0, 40, 40, src, 0, 0, SRCINVERT);
  EXPECT_EQ(other.GetPixelColor(3, 3), clBlack);  // red xor red
  dst->BitBlt(0, 0, 40, 40, src, 0, 0, SRCINVERT);
  dst->PatBlt(0, 0, 40, 40, DSTINVERT);
  dst->PatBlt(0, 0, 40, 40, DSTINVERT);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(other.GetPixelColor(x, y), before[size_t(y * 40 + x)]);
  // Stretching doubles every pixel.
  TBitmap big(80, 80);
  big.GetCanvas()->GetHandle()->StretchBlt(0, 0, 80, 80, src, 0, 0, 40, 40, SRCCOPY);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(big.GetPixelColor(x, y), before[size_t((y / 2) * 40 + x / 2)]);
  // Overlapping copy within one bitmap.
  src->BitBlt(1, 0, 39, 40, src, 0, 0, SRCCOPY);
  EXPECT_EQ(At(3, 3), before[3 * 40 + 2]);
}

// Copies into a 32-bit picture go a row at a time; into a 24-bit one pixel by
// pixel through the raster operation. Both must give the same pixels for
// mirrored, stretched, clipped copies and sources that reach past their picture.
TEST_F(PictureTest, CopiesInto32BitPicturesMatchThePixelByPixelPath) {
  Scenery(*c);
  struct Case {
    const char* name;
    int32_t x, y, w, h, sx, sy, sw, sh;
    bool clip;
  };
  const Case cases[] = {
      {"same size", 3, 4, 30, 20, 5, 6, 30, 20, false},
      {"mirrored in x", 0, 0, 40, 40, 39, 0, -40, 40, false},
      {"mirrored in y", 0, 0, 40, 40, 0, 39, 40, -40, false},
      {"stretched", -5, 2, 50, 33, 0, 0, 17, 23, false},
      {"shrunk", 0, 0, 13, 11, 0, 0, 40, 40, false},
      {"source past its picture", -3, -3, 45, 45, -10, 20, 45, 45, false},
      {"clipped", 0, 0, 40, 40, 0, 0, 40, 40, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TBitmap fast(40, 40), slow(40, 40);
    slow.SetPixelFormat(pf24bit);
    for (TBitmap* b : {&fast, &slow}) {
      b->GetCanvas()->Brush->SetColor(clTeal);
      b->GetCanvas()->FillRect(Rect(0, 0, 40, 40));
      TDeviceContext* d = b->GetCanvas()->GetHandle();
      if (k.clip) d->IntersectClipRect(5, 7, 31, 22);
      ASSERT_TRUE(d->StretchBlt(k.x, k.y, k.w, k.h, dc(), k.sx, k.sy, k.sw, k.sh, SRCCOPY));
    }
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(fast.GetPixelColor(x, y), slow.GetPixelColor(x, y)) << x << "," << y;
  }
}

TEST_F(PictureTest, AlphaBlendMixesWithTheConstantAlpha) {
  c->Brush->SetColor(clBlack);
  c->FillRect(Rect(0, 0, 40, 40));
  TBitmap white(10, 10);
  TBlendFunction f;
  f.SourceConstantAlpha = 128;
  ASSERT_TRUE(dc()->AlphaBlend(0, 0, 10, 10, white.GetCanvas()->GetHandle(), 0, 0, 10, 10, f));
  EXPECT_EQ(At(5, 5), RGB(128, 128, 128));
  EXPECT_EQ(At(15, 15), clBlack);
  // Per-pixel alpha of a 32-bit source (premultiplied): a transparent pixel leaves the target.
  TBitmap argb(2, 1);
  argb.SetPixelFormat(pf32bit);
  uint8_t* row = argb.ScanLine(0);
  const uint8_t px[8] = {0, 0, 0, 0, 255, 255, 255, 255};
  std::copy(px, px + 8, row);
  f.SourceConstantAlpha = 255;
  f.AlphaFormat = AC_SRC_ALPHA;
  ASSERT_TRUE(dc()->AlphaBlend(20, 20, 2, 1, argb.GetCanvas()->GetHandle(), 0, 0, 2, 1, f));
  EXPECT_EQ(At(20, 20), clBlack);
  EXPECT_EQ(At(21, 20), clWhite);
  // Half-transparent premultiplied grey (128 of 255) over black: the colour as it is.
  c->Brush->SetColor(clBlack);
  c->FillRect(Rect(20, 20, 22, 21));
  const uint8_t half[8] = {128, 128, 128, 128, 0, 0, 0, 0};
  std::copy(half, half + 8, argb.ScanLine(0));
  ASSERT_TRUE(dc()->AlphaBlend(20, 20, 2, 1, argb.GetCanvas()->GetHandle(), 0, 0, 2, 1, f));
  EXPECT_EQ(At(20, 20), RGB(128, 128, 128));
  EXPECT_EQ(At(21, 20), clBlack);
  EXPECT_FALSE(dc()->AlphaBlend(0, 0, 10, 10, white.GetCanvas()->GetHandle(), 5, 5, 10, 10, f));  // outside the source
}

TEST_F(PictureTest, FloodFillStopsAtTheBorderColour) {
  c->Pen->SetColor(clBlack);
  c->Brush->SetStyle(bsClear);
  c->Rectangle(5, 5, 20, 20);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(clRed);
  c->FloodFill(10, 10, clBlack, TFillStyle::fsBorder);
  EXPECT_EQ(Count(clRed), 13 * 13);
  c->Brush->SetColor(clBlue);
  c->FloodFill(10, 10, clRed, TFillStyle::fsSurface);
  EXPECT_EQ(Count(clBlue), 13 * 13);
}

}  // namespace

namespace {

TEST_F(PictureTest, EdgesAndCheckBoxesUseTheSystemColours) {
  TRect r(0, 0, 10, 10);
  ASSERT_TRUE(dc()->DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_EQ(At(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(At(9, 9), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(At(1, 1), ColorToRGB(cl3DDkShadow));
  // A ticked box differs from an empty one only inside its frame.
  TRect box(20, 0, 33, 13);
  dc()->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONCHECK);
  EXPECT_EQ(Count(ColorToRGB(clWindowText)), 0);
  dc()->DrawFrameControl(box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_GT(Count(ColorToRGB(clWindowText)), 10);
  EXPECT_EQ(BoundsOf(ColorToRGB(clWindowText)).Left >= 22, true);
}

}  // namespace

namespace {

TEST_F(PictureTest, FarOffCoordinatesDrawWhatIsVisibleWithoutHanging) {
  const int32_t big = 2000000000;
  c->Pen->SetColor(clBlack);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(-big, -big, big, big));
  EXPECT_EQ(Count(clRed), 1600);
  c->Brush->SetColor(clBlue);
  c->Rectangle(-big, -big, big, 20);
  c->Ellipse(-big, -big, big, big);
  c->Polygon({{-big, -big}, {big, -big}, {0, big}});
  c->TextOut(big, big, "far away");
  dc()->IntersectClipRect(-big, -big, big, big);
  TBitmap src(4, 4);
  EXPECT_TRUE(dc()->StretchBlt(-big / 2, -big / 2, big, big, src.GetCanvas()->GetHandle(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(Count(clWhite), 1600);  // the stretched white source covers the whole surface
}

}  // namespace

}  // namespace DeviceContextTest
