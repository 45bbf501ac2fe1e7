// Regions: combining, hit tests, and the same pixels as the shapes they come from.

#include "TestPicture.h"

namespace RegionTest {

namespace {

TEST(Region, CombineModes) {
  const TRegion a = TRegion::CreateRectRgn(0, 0, 10, 10), b = TRegion::CreateRectRgn(5, 5, 15, 15);
  const struct {
    int Mode;
    int Complexity;
    TRect Box;
    bool At2, At7, At12;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}, false, true, false},
      {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}, true, true, true},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}, true, false, true},
      {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}, true, false, false},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}, true, true, false},
  };
  for (const auto& k : cases) {
    TRegion r;
    EXPECT_EQ(r.Combine(a, b, k.Mode), k.Complexity) << "mode " << k.Mode;
    EXPECT_EQ(r.GetRgnBox(), k.Box) << "mode " << k.Mode;
    EXPECT_EQ(r.PtInRegion(2, 2), k.At2) << "mode " << k.Mode;
    EXPECT_EQ(r.PtInRegion(7, 7), k.At7) << "mode " << k.Mode;
    EXPECT_EQ(r.PtInRegion(12, 12), k.At12) << "mode " << k.Mode;
  }
  TRegion r = a;
  EXPECT_EQ(r.Combine(a, b, 99), RGN_ERROR);
  EXPECT_EQ(r, a);  // unchanged by a bad mode
  EXPECT_EQ(TRegion().Complexity(), NULLREGION);
  EXPECT_EQ(TRegion::CreateRectRgn(10, 10, 0, 0), a);  // corners in any order
}

TEST(Region, RightAndBottomEdgesAreOutside) {
  const TRegion r = TRegion::CreateRectRgn(2, 3, 6, 8);
  EXPECT_TRUE(r.PtInRegion(2, 3));
  EXPECT_TRUE(r.PtInRegion(5, 7));
  EXPECT_FALSE(r.PtInRegion(6, 7));
  EXPECT_FALSE(r.PtInRegion(5, 8));
  TRegion moved = r;
  moved.Offset(10, -3);
  EXPECT_EQ(moved.GetRgnBox(), Rect(12, 0, 16, 5));
}

TEST_F(PictureTest, PolygonRegionCoversWhatTheNullPenPolygonFills) {
  const std::vector<TPoint> star = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
  for (int mode : {ALTERNATE, WINDING}) {
    Reset(40, 40);
    c->Pen->SetStyle(psClear);
    c->Brush->SetColor(clRed);
    dc()->SetPolyFillMode(mode);
    c->Polygon(star);
    const auto filled = Snapshot();
    Reset(40, 40);
    c->Brush->SetColor(clRed);
    dc()->FillRgn(TRegion::CreatePolygonRgn(star, mode), dc()->GetBrush());
    EXPECT_EQ(Snapshot(), filled) << "fill mode " << mode;
  }
  EXPECT_TRUE(TRegion::CreatePolygonRgn(star.data(), 2, ALTERNATE).IsEmpty());
}

TEST_F(PictureTest, FontsAndPensScaleWithTheMapping) {
  c->Font->SetName("Arial");
  c->Font->SetHeight(-20);
  const int plain = c->GetHandle()->GetTextMetrics().tmHeight;
  TDeviceContext* d = dc();
  d->SetMapMode(MM_ANISOTROPIC);
  d->SetWindowExtEx(2, 2);
  d->SetViewportExtEx(1, 1);
  // Text drawn at half scale measures the same in logical units, half in pixels.
  EXPECT_NEAR(d->GetTextMetrics().tmHeight, plain, 2);
  c->Brush->SetStyle(bsClear);
  c->TextOut(0, 0, "Hg");
  EXPECT_LE(Bounds().Bottom, plain / 2 + 2);
}

}  // namespace

}  // namespace RegionTest
