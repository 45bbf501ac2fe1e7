// A rendered scene: a line series with pointers on a 2-D chart, checked
// pixel by pixel where the frame, the axes and the points must be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/engine/tests/SeriesFixture.h"
#include "platform/gdi/Graphics.h"

namespace SceneTests {

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
  static TColor Rgb(TColor C) { return ColorToRGB(C) & 0xFFFFFF; }
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
  for (auto [x, y] : {std::pair{1.0, 1.0}, {5.0, 9.0}, {9.0, 5.0}}) s->AppendPoint(x, y);
  // Fixed ranges one unit wider than the data keep every symbol inside the chart.
  TChartAxis* bottom = Chart->BottomAxis();
  TChartAxis* left = Chart->LeftAxis();
  bottom->SetMinMax(0, 10);
  left->SetMinMax(0, 10);
  // The label metrics as the chart's canvas has them while it paints.
  int32_t labelsHeight = 0, labelsWidth = 0;
  double bottomStep = 0, leftStep = 0;
  Chart->OnAfterDraw = [&](TObject*) {
    bottomStep = bottom->CalcLabelsIncrement();
    leftStep = left->CalcLabelsIncrement();
    TCanvas3D& c = *Chart->Canvas();
    c.UseFont(*bottom->LabelsFont());
    labelsHeight = c.FontHeight();
    c.UseFont(*left->LabelsFont());
    labelsWidth = std::max(c.TextWidth("0"), c.TextWidth("10")) + c.TextWidth(" ");
  };
  Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 300));
  ASSERT_GT(labelsHeight, 0);

  // Chart rectangle: the bevel (1 pixel), margins of 3 % of the width and 4 % of
  // the height, then the bottom and left axes' labels, axis pen (width + 1) and
  // ticks; no top or right axis takes room.
  const auto tickRoom = [](TChartAxis* A) { return A->Axis()->GetWidth() + 1 + A->GetTickLength(); };
  const TRect r = Chart->ChartRect;
  EXPECT_EQ(r.Left, 1 + 12 + labelsWidth + tickRoom(left));
  EXPECT_EQ(r.Top, 1 + 12);
  EXPECT_EQ(r.Right, 400 - 1 - 12);
  EXPECT_EQ(r.Bottom, 300 - 1 - 12 - labelsHeight - tickRoom(bottom));
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->TopAxis()));
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->RightAxis()));

  // Frame: the raised bevel is light on the top and left edges and dark on the
  // bottom and right ones; inside it the panel keeps its colour.
  for (int32_t x : {1, 200, 398}) {
    EXPECT_EQ(Px(x, 0), Rgb(clBtnHighlight)) << x;
    EXPECT_EQ(Px(x, 299), Rgb(clBtnShadow)) << x;
    EXPECT_EQ(Px(x, 1), Rgb(clBtnFace)) << x;
  }
  for (int32_t y : {1, 150, 298}) {
    EXPECT_EQ(Px(0, y), Rgb(clBtnHighlight)) << y;
    EXPECT_EQ(Px(399, y), Rgb(clBtnShadow)) << y;
    EXPECT_EQ(Px(398, y), Rgb(clBtnFace)) << y;
  }
  EXPECT_EQ(Px(r.Right + 3, r.Top + 3), Rgb(clBtnFace));

  // Axis lines in the axis pen's black, two pixels wide (a pen of width 2 covers
  // the line's own column or row and the one before it): the left axis on the
  // chart rectangle's left column from its top to its bottom, the bottom axis on
  // its bottom row from its left to its right edge. The ticks and minor ticks,
  // drawn after the line, start on it; the bottom axis' grid lines end on the row
  // above it.
  const auto onTick = [](TChartAxis* A, int32_t P) {
    const std::vector<int32_t> minor = A->MinorPixels();
    return std::find(A->TickPixels.begin(), A->TickPixels.end(), P) != A->TickPixels.end() ||
           std::find(minor.begin(), minor.end(), P) != minor.end();
  };
  // (The bottom axis covers the left one's last row.)
  for (int32_t y = r.Top; y < r.Bottom - 1; ++y) {
    const bool tick = onTick(left, y);
    ASSERT_EQ(Px(r.Left, y), tick ? clDkGray : clBlack) << y;
    ASSERT_EQ(Px(r.Left - 1, y), tick ? clDkGray : clBlack) << y;
    ASSERT_NE(Px(r.Left + 1, y), clBlack) << y;
    if (!tick) {
      ASSERT_NE(Px(r.Left - 2, y), clBlack) << y;
    }
  }
  for (int32_t x = r.Left; x < r.Right; ++x) {
    const bool tick = onTick(bottom, x);
    ASSERT_EQ(Px(x, r.Bottom), tick ? clDkGray : clBlack) << x;
    if (x == r.Left) continue;  // the left axis' column
    ASSERT_NE(Px(x, r.Bottom - 2), clBlack) << x;
    if (tick) continue;
    ASSERT_EQ(Px(x, r.Bottom - 1), clBlack) << x;
    ASSERT_NE(Px(x, r.Bottom + 1), clBlack) << x;
  }
  EXPECT_EQ(Px(r.Left - 1, r.Bottom), clBlack);
  for (TPoint beyond : {TPoint{r.Left, r.Top - 1}, TPoint{r.Left - 1, r.Top - 1}, TPoint{r.Right + 1, r.Bottom},
                        TPoint{r.Right + 1, r.Bottom - 1}, TPoint{r.Left - 2, r.Bottom}})
    EXPECT_EQ(Px(beyond.X, beyond.Y), Rgb(clBtnFace)) << beyond.X << "," << beyond.Y;
  // Ticks run outward from the axis line by TickLength in dark grey at the labels,
  // from the maximum (labels on the axis ends are drawn) down at the label step;
  // the minimum gets no label and no tick.
  for (auto [a, inc] : {std::pair{bottom, bottomStep}, {left, leftStep}}) {
    ASSERT_GT(inc, 0);
    std::vector<int32_t> expected;
    for (double v = 10; v > 1e-9; v -= inc) expected.push_back(a->ValueToPixel(v));
    EXPECT_EQ(a->TickPixels, expected) << (a == bottom ? "bottom" : "left");
  }
  for (double v : {2.0, 4.0, 6.0, 8.0}) {
    const int32_t x = bottom->ValueToPixel(v), y = left->ValueToPixel(v);
    EXPECT_EQ(Px(x, r.Bottom + bottom->GetTickLength() - 1), clDkGray) << v;
    EXPECT_NE(Px(x, r.Bottom + bottom->GetTickLength()), clDkGray) << v;
    EXPECT_EQ(Px(r.Left - left->GetTickLength() + 1, y), clDkGray) << v;
    EXPECT_NE(Px(r.Left - left->GetTickLength(), y), clDkGray) << v;
  }

  // Points: value to pixel over the rectangle, rounded half to even.
  const double w = r.Right - r.Left, h = r.Bottom - r.Top;
  const std::pair<double, double> points[] = {{1, 1}, {5, 9}, {9, 5}};
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = r.Left + static_cast<int32_t>(std::nearbyint(points[i].first * w / 10));
    const int32_t y = r.Bottom - static_cast<int32_t>(std::nearbyint(points[i].second * h / 10));
    EXPECT_EQ(s->PointPixelX(i), x) << i;
    EXPECT_EQ(s->PointPixelY(i), y) << i;
    // Every pointer is the 9 x 9 square around its point, and nothing red beyond it.
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
}

}  // namespace SceneTests
