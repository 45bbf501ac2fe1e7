// Whole-chart scenes: a chart with two series, legend, titles and walls
// rendered into a bitmap, and the walls a flat and a 3-D chart draw.
#include "chart/engine/tests/ChartFixture.h"

#include <cstdlib>

KV_CLASS_IMPL(TChartTestSeries, TChartSeries) {}
KV_CLASS_IMPL(TChartTestPointSeries, TChartTestSeries) {}
KV_CLASS_IMPL(TChartNoAxisSeries, TChartTestSeries) {}

void TChartTestSeries::DrawPoint(int32_t Index) {
  TCanvas3D& c = *GetParentChart()->GetCanvas();
  const int32_t x = PointPixelX(Index), y = PointPixelY(Index);
  c.Pen->SetStyle(psSolid);
  c.Pen->SetWidth(1);
  c.Pen->SetColor(GetSeriesColor());
  if (DrawBetweenPoints && Index > 0) c.Line(PointPixelX(Index - 1), PointPixelY(Index - 1), x, y);
  c.Brush->SetStyle(bsSolid);
  c.Brush->SetColor(GetSeriesColor());
  c.Rectangle(x - 3, y - 3, x + 4, y + 4);
}

int32_t TChartTestSeries::PointAtPixel(int32_t X, int32_t Y) {
  for (int32_t i = 0; i < Count(); ++i)
    if (std::abs(PointPixelX(i) - X) <= 3 && std::abs(PointPixelY(i) - Y) <= 3) return i;
  return -1;
}

namespace ChartSceneTests {

namespace {

int CountColor(TBitmap& Bitmap, const TRect& R, TColor Color) {
  int n = 0;
  for (int32_t y = R.Top; y < R.Bottom; ++y)
    for (int32_t x = R.Left; x < R.Right; ++x)
      if (Bitmap.GetCanvas()->GetPixel(x, y) == Color) ++n;
  return n;
}

}  // namespace

TEST_F(ChartTest, SceneWithTwoSeriesLegendTitlesAndWallsLooksLikeAChart) {
  Chart->SetColor(clWhite);
  Chart->Title()->SetTextLine("Apparent resistivity");
  Chart->SubTitle()->SetTextLine("Line 1");
  Chart->Foot()->SetTextLine("Observed and calculated");
  Chart->BackWall()->SetTransparent(false);
  Chart->BackWall()->SetColor(TColor(0xF0F0F0));
  auto* observed = AddSeries("Observed", {12, 30, 25, 48, 40, 62});
  auto* calculated = AddSeries("Calculated", {10, 28, 29, 44, 45, 58});
  observed->SetSeriesColor(clRed);
  calculated->SetSeriesColor(clBlue);
  Draw();

  const TRect cr = Chart->ChartRect;
  const TRect legend = Chart->Legend()->PlacedRect;
  // Titles on top, foot at the bottom, legend right of the plotting area.
  EXPECT_GT(Chart->SubTitle()->OccupiedRect().Top, Chart->Title()->OccupiedRect().Top);
  EXPECT_LT(Chart->SubTitle()->OccupiedRect().Bottom, cr.Top);
  EXPECT_GT(Chart->Foot()->OccupiedRect().Top, cr.Bottom);
  EXPECT_GT(legend.Left, cr.Right);
  EXPECT_EQ(Chart->Legend()->EffectiveStyle, lsSeries);
  EXPECT_EQ(Chart->Legend()->Rows, 2);
  // The back wall fills the plotting area; both series and their legend symbols are there.
  EXPECT_EQ(Pixel((cr.Left + cr.Right) / 2, cr.Top + 3), TColor(0xF0F0F0));
  EXPECT_GT(CountColor(Bitmap, cr, clRed), 40);
  EXPECT_GT(CountColor(Bitmap, cr, clBlue), 40);
  EXPECT_GT(CountColor(Bitmap, legend, clRed), 20);
  EXPECT_GT(CountColor(Bitmap, legend, clBlue), 20);
  // Title text is blue, the foot's red: each draws inside its own rectangle.
  EXPECT_GT(CountColor(Bitmap, Chart->Title()->OccupiedRect(), TColor(0xFF0000)), 10);
  EXPECT_GT(CountColor(Bitmap, Chart->Foot()->OccupiedRect(), TColor(0x0000FF)), 10);

  Chart->SetView3D(true);
  Draw();
  // On a 3-D chart the left wall ($80FFFF) and the bottom wall (white) close the box.
  EXPECT_GT(CountColor(Bitmap, TRect(0, 0, 400, 300), TColor(0x80FFFF)), 100);
}

TEST_F(ChartTest, FlatChartDrawsOnlyTheBackWall) {
  Chart->SetColor(clWhite);
  AddSeries("a", {1, 2, 3});
  Chart->LeftWall()->SetColor(TColor(0x80FFFF));
  // Without grids nothing covers the frame's right side.
  Chart->BottomAxis()->Grid()->SetVisible(false);
  Chart->LeftAxis()->Grid()->SetVisible(false);
  Draw();
  // Transparent by default: the frame only, the panel colour shows inside.
  const TRect cr = Chart->ChartRect;
  EXPECT_EQ(Pixel((cr.Left + cr.Right) / 2, cr.Top + 5), clWhite);
  int frame = 0;
  for (int32_t y = cr.Top; y <= cr.Bottom; ++y) frame += Pixel(cr.Right, y) == clBlack;
  EXPECT_GT(frame, (cr.Bottom - cr.Top) * 9 / 10);
  EXPECT_EQ(CountColor(Bitmap, TRect(0, 0, 400, 300), TColor(0x80FFFF)), 0);
  Chart->BackWall()->SetTransparent(false);
  Draw();
  EXPECT_EQ(Pixel((Chart->ChartRect.Left + Chart->ChartRect.Right) / 2, Chart->ChartRect.Top + 5),
            TColor(0xC0C0C0));
}

TEST_F(ChartTest, ThickBottomWallDrawsDarkerSidesUnlessTheBrushIsClear) {
  Chart->SetView3D(true);
  Chart->SetColor(clWhite);
  AddSeries("a", {1, 2, 3});
  Chart->BottomWall()->SetColor(TColor(0x00C000));
  Chart->BottomWall()->SetSize(5);
  // Pixels of a darker shade of the wall's green.
  const auto darkGreen = [&] {
    int n = 0;
    for (int32_t y = 0; y < 300; ++y)
      for (int32_t x = 0; x < 400; ++x) {
        const TColor c = Pixel(x, y);
        const int g = (c >> 8) & 0xFF;
        n += (c & 0xFF00FF) == 0 && g > 0x20 && g < 0xC0;
      }
    return n;
  };
  Draw();
  EXPECT_GT(CountColor(Bitmap, TRect(0, 0, 400, 300), TColor(0x00C000)), 50);
  EXPECT_GT(darkGreen(), 50);
  Chart->BottomWall()->SetDark3D(false);
  Draw();
  EXPECT_EQ(darkGreen(), 0);
  EXPECT_FALSE(Chart->BottomWall()->UseDarkSides());
  Chart->BottomWall()->SetDark3D(true);
  Chart->BottomWall()->Brush()->SetStyle(bsClear);
  EXPECT_FALSE(Chart->BottomWall()->UseDarkSides());
}

TEST_F(ChartTest, FrameIsTheBackWallPen) {
  TChartPen pen;
  pen.SetColor(clRed);
  pen.SetWidth(3);
  Chart->SetFrame(&pen);
  EXPECT_EQ(Chart->BackWall()->Pen()->GetColor(), clRed);
  EXPECT_EQ(Chart->Frame()->GetWidth(), 3);
}

}  // namespace ChartSceneTests
