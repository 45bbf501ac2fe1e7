// A rendered scene: a line series with pointers on a 2-D chart, checked
// pixel by pixel where the frame, the axes and the points must be.
#include <gtest/gtest.h>

#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/engine/tests/SeriesFixture.h"
#include "platform/gdi/Graphics.h"

namespace {

// A line with a symbol at every point, drawn through the engine's routines:
// the segments first, then the pointers on top.
class TPointerLineSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void Init() override {
    TChartSeries::Init();
    Pointer = std::make_unique<TSeriesPointer>(this);
  }
  void CalcHorizMargins(int32_t& Left, int32_t& Right) override { Pointer->CalcHorizMargins(Left, Right); }
  void CalcVerticalMargins(int32_t& Top, int32_t& Bottom) override { Pointer->CalcVerticalMargins(Top, Bottom); }
  void BeforeDrawPoints() override {
    TChartSeries::BeforeDrawPoints();
    TCanvas3D& c = *GetParentChart()->GetCanvas();
    c.UsePen(*Pen());
    c.Pen->SetColor(GetSeriesColor());
    for (int32_t i = FirstValueIndex + 1; i <= LastValueIndex; ++i)
      c.Line(PointPixelX(i - 1), PointPixelY(i - 1), PointPixelX(i), PointPixelY(i));
  }
  void DrawPoint(int32_t Index) override {
    TCanvas3D& c = *GetParentChart()->GetCanvas();
    Pointer->PrepareCanvas(c, ValueColor(Index));
    Pointer->DrawPointer(c, false, PointPixelX(Index), PointPixelY(Index), Pointer->GetHorizSize(),
                         Pointer->GetVertSize(), ValueColor(Index), Pointer->GetStyle());
  }
  std::unique_ptr<TSeriesPointer> Pointer;
};

class SceneTest : public AxisPanelChartTest {
protected:
  TColor Px(int32_t X, int32_t Y) const { return Bitmap.GetPixelColor(X, Y) & 0xFFFFFF; }
  TBitmap Bitmap{400, 300};
};

}  // namespace

TEST_F(SceneTest, LineWithPointersOnADefaultTwoDimensionalChart) {
  Chart->SetView3D(false);
  auto* s = Create<TPointerLineSeries>(Owner);
  Chart->AddSeries(s);
  s->SetSeriesColor(clBlue);
  s->Pointer->Brush()->SetColor(clRed);
  s->Pointer->Pen()->SetColor(clRed);
  for (auto [x, y] : {std::pair{0.0, 0.0}, {5.0, 10.0}, {10.0, 5.0}}) s->AppendPoint(x, y);
  // Fixed ranges one unit wider than the data keep every symbol inside the chart.
  Chart->BottomAxis()->SetMinMax(-1, 11);
  Chart->LeftAxis()->SetMinMax(-1, 11);
  Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 300));

  const TRect r = Chart->ChartRect;
  // Value to pixel on the fixed ranges: the data span is 10/12 of each axis.
  EXPECT_LT(r.Left, s->PointPixelX(0));
  EXPECT_GT(r.Right, s->PointPixelX(2));
  EXPECT_NEAR(s->PointPixelX(2) - s->PointPixelX(0), (Chart->BottomAxis()->EndPixel - Chart->BottomAxis()->StartPixel) * 10.0 / 12, 1.0);
  // Every pointer is the 9 x 9 square around its point, and nothing red beyond it.
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = s->PointPixelX(i), y = s->PointPixelY(i);
    for (int32_t dy = -4; dy <= 4; ++dy)
      for (int32_t dx = -4; dx <= 4; ++dx) ASSERT_EQ(Px(x + dx, y + dy), clRed) << i << ": " << dx << "," << dy;
    for (int32_t d = -4; d <= 4; ++d) {
      EXPECT_NE(Px(x - 5, y + d), clRed) << i;
      EXPECT_NE(Px(x + 5, y + d), clRed) << i;
      EXPECT_NE(Px(x + d, y - 5), clRed) << i;
      EXPECT_NE(Px(x + d, y + 5), clRed) << i;
    }
  }
  // The line between the first two points crosses the middle column once, in blue.
  const int32_t x0 = s->PointPixelX(0), y0 = s->PointPixelY(0), x1 = s->PointPixelX(1), y1 = s->PointPixelY(1);
  const int32_t mx = (x0 + x1) / 2;
  const double my = y0 + (y1 - y0) * static_cast<double>(mx - x0) / (x1 - x0);
  int32_t blue = 0;
  for (int32_t y = r.Top; y <= r.Bottom; ++y)
    if (Px(mx, y) == clBlue) {
      ++blue;
      EXPECT_LE(std::abs(y - my), 1.0) << y;
    }
  EXPECT_GE(blue, 1);

  // No top or right axis: the frame's top and right sides are not axis coloured there.
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->TopAxis()));
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->RightAxis()));
  // Outside the chart rectangle, away from labels, the panel keeps its colour.
  EXPECT_EQ(Px(r.Right + 3, r.Top + 3), Px(399, 0));
}
