// The lighting tool's darkening and the 3-D drawing panel.
#include <cmath>

#include "chart/extras/PlotDraw3D.h"
#include "chart/extras/PlotLighting.h"
#include "chart/series/tests/PlotToolsFixture.h"

namespace LightingTests {

namespace {

void Fill(TBitmap& b, int32_t W, int32_t H, TColor C) {
  b.SetPixelFormat(pf24bit);
  b.SetSize(W, H);
  b.GetCanvas()->Brush->SetColor(C);
  b.GetCanvas()->FillRect(TRect(0, 0, W, H));
}

TEST(Lighting, DarkeningFollowsDistance) {
  const double diag = std::hypot(300.0, 400.0);  // 500
  struct Case {
    double D;
    int32_t Factor;
    TLightStyle Style;
    int32_t Expected;
  };
  for (const Case& c : {Case{500, 10, lsLinear, 200}, Case{250, 10, lsLinear, 100}, Case{0, 10, lsLinear, 0},
                        Case{500, 0, lsLinear, 0}, Case{500, 0, lsSpotLight, 0},
                        // ((d + 1) x 100 / 500) squared x Factor / 100, kept within a byte
                        Case{499, 100, lsSpotLight, 256}, Case{49, 10, lsSpotLight, 10}, Case{4, 100, lsSpotLight, 1}}) {
    EXPECT_EQ(TLightTool::Darkening(c.D, diag, c.Factor, c.Style), c.Expected) << c.D << " " << c.Factor;
  }
}

TEST(Lighting, FactorZeroKeepsThePictureAndAFarLightDarkensAll) {
  TBitmap src;
  Fill(src, 60, 40, 0x80A0C0);
  TBitmap out;
  TLightTool::Apply(src, out, TPoint(30, 20), 0, lsLinear);
  for (int32_t y = 0; y < 40; y += 7)
    for (int32_t x = 0; x < 60; x += 7) EXPECT_EQ(out.GetPixelColor(x, y) & 0xFFFFFF, 0x80A0C0u);
  TLightTool::Apply(src, out, TPoint(-500, -500), 10, lsLinear);
  for (int32_t y = 0; y < 40; y += 7)
    for (int32_t x = 0; x < 60; x += 7) EXPECT_EQ(out.GetPixelColor(x, y) & 0xFFFFFF, 0u) << "beyond 255: black";
  TLightTool::Apply(src, out, TPoint(-30, 20), 10, lsLinear);
  for (int32_t x = 0; x < 60; x += 7) EXPECT_NE(out.GetPixelColor(x, 20) & 0xFFFFFF, 0x80A0C0u) << x;
}

TEST(Lighting, BytesBelowTheDarkeningBecomeZero) {
  TBitmap src;
  Fill(src, 100, 1, 0x10FF40);  // blue 0x10, green 0xFF, red 0x40
  TBitmap out;
  TLightTool::Apply(src, out, TPoint(0, 0), 10, lsLinear);
  // Diagonal ~100: at x = 25 the darkening is round(0.1 x 20 x 100 / 100.005 x 25) = 50.
  const int32_t b = TLightTool::Darkening(25, std::hypot(100.0, 1.0), 10, lsLinear);
  ASSERT_EQ(b, 50);
  EXPECT_EQ(out.GetPixelColor(25, 0) & 0xFFFFFF, static_cast<TColor>(0x00CD0E)) << "red 64 - 50, green 255 - 50, blue 16 below 50";
}

using LightToolTest = ToolChartTest;

TEST_F(LightToolTest, LightsTheDrawnChartFromItsCentre) {
  auto* t = AddTool<TLightTool>();
  EXPECT_EQ(t->LightPoint(), TPoint(W / 2, H / 2));
  Draw();
  const double diag = std::hypot(double(W), double(H));
  EXPECT_EQ(Px(W / 2, H / 2), clWhite);
  const int32_t b = TLightTool::Darkening(std::hypot(W / 2.0, H / 2.0), diag, 10, lsLinear);
  EXPECT_EQ(b, 100);
  EXPECT_EQ(Px(0, 0), static_cast<TColor>(0x9B9B9B)) << "255 - 100 in every byte";
  t->FollowMouse = true;
  Move(10, 20);
  EXPECT_EQ(t->GetLeft(), 10);
  EXPECT_EQ(t->GetTop(), 20);
}

TEST_F(LightToolTest, ChartsOfOneSizeShareTheResult) {
  AddTool<TLightTool>();
  Draw();
  TBitmap* first = PlotLighting::ResultBitmap();
  ASSERT_NE(first, nullptr);
  auto* other = Create<TChart>(Owner);
  other->SetBounds(W, H);
  auto* t2 = Create<TLightTool>(Owner);
  t2->SetParentChart(other);
  TBitmap window(W, H);
  other->DrawTo(*window.GetCanvas(), TRect(0, 0, W, H));
  EXPECT_EQ(PlotLighting::ResultBitmap(), first);
  EXPECT_EQ(first->GetWidth(), W);
  EXPECT_EQ(first->GetHeight(), H);
}

TEST(Draw3D, CallsOnPaintWithItsRectangle) {
  auto* owner = new TComponent(nullptr);
  auto* d = Create<TDraw3D>(owner);
  d->SetBounds(200, 100);
  TRect got(0, 0, 0, 0);
  int32_t painted = 0, after = 0;
  d->OnPaint = [&](TObject* Sender, const TRect& R) {
    EXPECT_EQ(Sender, d);
    got = R;
    ++painted;
    d->Canvas()->Brush->SetColor(clRed);
    d->Canvas()->Pen->SetColor(clRed);
    d->Canvas()->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
  };
  d->OnAfterDraw = [&](TObject*) { ++after; };
  TBitmap b(200, 100);
  d->DrawTo(*b.GetCanvas(), TRect(0, 0, 200, 100));
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(got, d->ChartRect);
  // Margins of 3 and 4 percent.
  EXPECT_EQ(got.Left, 200 * 3 / 100 + 1);
  EXPECT_EQ(b.GetPixelColor((got.Left + got.Right) / 2, (got.Top + got.Bottom) / 2) & 0xFFFFFF, clRed);
  owner->Free();
}

}  // namespace

}  // namespace LightingTests
