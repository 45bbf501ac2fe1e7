// The shape series: which point counts draw, corner order, tiny shapes, the
// fourteen figures, text placement and colour, clipping to the chart, hit
// tests, gallery variants and registration.
#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/extras/PlotShape.h"
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotShapeTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF, Black = 0;

class ShapeTest : public SeriesChartTest {
protected:
  TChartShape* Shape(TChartShapeStyle Style, double X0, double Y0, double X1, double Y1) {
    auto* s = Add<TChartShape>();
    s->SetShapeStyle(Style);
    s->SetSeriesColor(Blue);
    s->Pen()->SetColor(Red);
    s->SetX0(X0), s->SetY0(Y0), s->SetX1(X1), s->SetY1(Y1);
    return s;
  }
  // Pixels of Colour inside a pixel rectangle (edges included).
  int CountIn(TColor Colour, int32_t L, int32_t T, int32_t R, int32_t B) const {
    int n = 0;
    for (int32_t y = T; y <= B; ++y)
      for (int32_t x = L; x <= R; ++x) n += Px(x, y) == Colour;
    return n;
  }
  int CountAll(TColor Colour) const { return CountIn(Colour, 0, 0, W - 1, H - 1); }
  // Bounds of the pixels of Colour inside a pixel rectangle.
  TRect BoundsOf(TColor Colour, const TRect& R) const {
    TRect b(R.Right, R.Bottom, R.Left, R.Top);
    for (int32_t y = R.Top; y <= R.Bottom; ++y)
      for (int32_t x = R.Left; x <= R.Right; ++x)
        if (Px(x, y) == Colour)
          b = TRect(std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x), std::max(b.Bottom, y));
    return b;
  }
};

TEST_F(ShapeTest, DrawsOnlyWithExactlyTwoPoints) {
  auto* s = Shape(chasRectangle, 2, 2, 8, 8);
  Draw();
  EXPECT_GT(CountAll(Blue), 0) << "two corners";
  for (int points : {1, 3}) {
    s->Clear();
    for (int i = 0; i < points; ++i) s->AppendPoint(2 + 3 * i, 2 + 3 * i);
    Draw();
    EXPECT_EQ(CountAll(Blue) + CountAll(Red), 0) << points << " points";
  }
}

TEST_F(ShapeTest, ReversedCornersGiveTheSameRectangleAndTheLineKeepsItsDirection) {
  Shape(chasRectangle, 2, 3, 8, 7);
  Draw();
  TBitmap forward(W, H);
  forward.GetCanvas()->Draw(0, 0, &Bitmap);
  Chart->FreeAllSeries();
  Shape(chasRectangle, 8, 7, 2, 3);
  Draw();
  int differing = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) differing += (forward.GetPixelColor(x, y) & 0xFFFFFF) != Px(x, y);
  EXPECT_EQ(differing, 0);

  struct Case {
    double X0, Y0, X1, Y1;
    bool ThroughLowerLeft;  // passes (3, 3) rather than (3, 7)
  };
  for (const Case& c : {Case{2, 2, 8, 8, true}, Case{8, 8, 2, 2, true}, Case{2, 8, 8, 2, false},
                        Case{8, 2, 2, 8, false}}) {
    Chart->FreeAllSeries();
    Shape(chasLine, c.X0, c.Y0, c.X1, c.Y1);
    Draw();
    EXPECT_EQ(Near(3, 3, Red), c.ThroughLowerLeft) << c.X0 << "," << c.Y0;
    EXPECT_EQ(Near(3, 7, Red), !c.ThroughLowerLeft) << c.X0 << "," << c.Y0;
  }
}

TEST_F(ShapeTest, EqualCornersGiveAOnePixelFigure) {
  auto* s = Shape(chasRectangle, 5, 5, 5, 5);
  s->Pen()->SetVisible(false);
  Draw();
  const int32_t x = XPix(5), y = YPix(5);
  EXPECT_GE(CountAll(Blue), 1);
  EXPECT_EQ(CountAll(Blue), CountIn(Blue, x, y, x + 1, y + 1)) << "nothing beyond one pixel each way";
  EXPECT_EQ(s->PointAtPixel(x, y), 0);
}

TEST_F(ShapeTest, TextInTheFillColourIsDrawnInTheOpposite) {
  struct Case {
    TColor Fill, Font, Expected;
  };
  for (const Case& c : {Case{White, White, Black}, Case{Black, Black, White}, Case{Blue, Red, Red}}) {
    Chart->FreeAllSeries();
    auto* s = Shape(chasRectangle, 1, 1, 9, 9);
    s->SetSeriesColor(c.Fill);
    s->Pen()->SetVisible(false);
    s->Font()->SetColor(c.Font);
    s->Font()->SetSize(14);
    s->Text()->Add("WWW");
    Draw();
    EXPECT_GT(CountIn(c.Expected, XPix(3), YPix(7), XPix(7), YPix(3)), 10) << std::hex << c.Fill;
  }
}

TEST_F(ShapeTest, AShapeOutsideTheChartRectangleIsNotDrawn) {
  auto* s = Shape(chasRectangle, 0, 0, 0, 0);
  s->SetXYStyle(xysPixels);
  Draw();  // lays out the chart rectangle
  const TRect r = Chart->GetChartRect();
  ASSERT_GT(r.Left, 8);
  // Left of the chart rectangle, in the axis labels' margin.
  s->SetX0(1), s->SetY0(r.Top + 10), s->SetX1(r.Left - 3), s->SetY1(r.Top + 30);
  Draw();
  EXPECT_EQ(CountAll(Blue), 0);
  // Reaching into it: drawn, also outside it.
  s->SetX1(r.Left + 20);
  Draw();
  EXPECT_GT(CountIn(Blue, 1, r.Top + 10, r.Left - 3, r.Top + 30), 0);
}

TEST_F(ShapeTest, TheFourteenFiguresByPixels) {
  // Rectangle (2, 2)-(8, 8) in axis values; filled blue, outlined red.
  struct Probe {
    double X, Y;
    TColor Colour;
  };
  struct Case {
    TChartShapeStyle Style;
    std::vector<Probe> Probes;
  };
  const Case cases[] = {
      {chasRectangle, {{5, 5, Blue}, {2.5, 7.5, Blue}, {1, 5, White}}},
      {chasCircle, {{5, 5, Blue}, {2.3, 7.7, White}, {7.7, 2.3, White}}},
      {chasVertLine, {{5, 5, Red}, {5, 7, Red}, {3, 5, White}}},
      {chasHorizLine, {{5, 5, Red}, {7, 5, Red}, {5, 3, White}}},
      {chasTriangle, {{5, 3, Blue}, {2.5, 7.5, White}, {7.5, 7.5, White}}},
      {chasInvertTriangle, {{5, 7, Blue}, {2.5, 2.5, White}, {7.5, 2.5, White}}},
      {chasLine, {{5, 5, Red}, {5, 3, White}}},
      {chasDiamond, {{5, 5, Blue}, {2.5, 2.5, White}, {7.5, 7.5, White}}},
      {chasCube, {{5, 5, Blue}, {2.5, 2.5, Blue}}},
      {chasCross, {{5, 7, Red}, {7, 5, Red}, {3, 3, White}}},
      {chasDiagCross, {{3, 7, Red}, {3, 3, Red}, {5, 7, White}}},
      {chasStar, {{3, 7, Red}, {5, 7, Red}, {7, 5, Red}}},
      {chasPyramid, {{5, 3, Blue}, {2.5, 7.5, White}}},
      {chasInvertPyramid, {{5, 7, Blue}, {2.5, 2.5, White}}},
  };
  for (const Case& c : cases) {
    Chart->FreeAllSeries();
    Shape(c.Style, 2, 2, 8, 8);
    Draw();
    for (const Probe& p : c.Probes) {
      if (p.Colour == Red)
        EXPECT_TRUE(Near(p.X, p.Y, Red)) << int(c.Style) << " at " << p.X << "," << p.Y;
      else
        EXPECT_EQ(At(p.X, p.Y), p.Colour) << int(c.Style) << " at " << p.X << "," << p.Y;
    }
  }
}

TEST_F(ShapeTest, TransparentShapesAndGradientsLeaveTheOutline) {
  auto* s = Shape(chasRectangle, 2, 2, 8, 8);
  s->SetTransparent(true);
  Draw();
  EXPECT_EQ(At(5, 5), White);
  EXPECT_TRUE(Near(2, 5, Red));
  s->SetTransparent(false);
  s->Gradient()->SetVisible(true);
  s->Gradient()->SetStartColor(clLime);
  s->Gradient()->SetEndColor(clLime);
  Draw();
  EXPECT_EQ(At(5, 5), TColor(clLime & 0xFFFFFF));
  EXPECT_TRUE(Near(2, 5, Red));
}

TEST_F(ShapeTest, TextAlignments) {
  auto* s = Shape(chasRectangle, 1, 1, 9, 9);
  Draw();
  const TRect box(XPix(1), YPix(9), XPix(9), YPix(1));
  s->SetSeriesColor(White);
  s->Pen()->SetVisible(false);
  s->Font()->SetColor(Red);
  s->Text()->Add("Wj");
  struct Case {
    TAlignment Horizontal;
    TPlotVertAlign Vertical;
  };
  std::vector<TRect> found;
  for (const Case& c : {Case{TAlignment::taLeftJustify, vaTop}, Case{TAlignment::taCenter, vaCenter},
                        Case{TAlignment::taRightJustify, vaBottom}}) {
    s->SetAlignment(c.Horizontal);
    s->SetVertAlign(c.Vertical);
    Draw();
    found.push_back(BoundsOf(Red, box));
  }
  const int32_t pw = s->Pen()->GetWidth();
  EXPECT_NEAR(found[0].Left, box.Left + pw + 4, 2);
  EXPECT_NEAR(found[0].Top, box.Top, 3);
  EXPECT_NEAR(found[2].Right, box.Right - pw - 4, 2);
  EXPECT_NEAR(found[2].Bottom, box.Bottom, 4);
  EXPECT_NEAR((found[1].Left + found[1].Right) / 2, (box.Left + box.Right) / 2, 2);
  EXPECT_NEAR((found[1].Top + found[1].Bottom) / 2, (box.Top + box.Bottom) / 2, 3);
}

TEST_F(ShapeTest, HitTestFollowsTheFigure) {
  auto* s = Shape(chasCircle, 2, 2, 8, 8);
  Draw();
  struct Case {
    TChartShapeStyle Style;
    double X, Y;
    int32_t Expected;
  };
  for (const Case& c : {Case{chasCircle, 5, 5, 0}, Case{chasCircle, 2.2, 7.8, -1}, Case{chasRectangle, 2.2, 7.8, 0},
                        Case{chasRectangle, 9, 5, -1}, Case{chasTriangle, 5, 3, 0}, Case{chasTriangle, 2.3, 7.7, -1},
                        Case{chasInvertTriangle, 2.3, 2.3, -1}, Case{chasInvertTriangle, 5, 7, 0},
                        Case{chasLine, 5, 5, 0}, Case{chasLine, 3, 7, -1}, Case{chasVertLine, 5, 3, 0},
                        Case{chasVertLine, 4, 3, -1}, Case{chasDiamond, 2.3, 2.3, -1}}) {
    s->SetShapeStyle(c.Style);
    EXPECT_EQ(s->PointAtPixel(XPix(c.X), YPix(c.Y)), c.Expected) << int(c.Style) << " " << c.X << "," << c.Y;
  }
}

TEST_F(ShapeTest, DefaultsCornersAndAssign) {
  auto* s = Add<TChartShape>();
  EXPECT_EQ(s->Count(), 2);
  EXPECT_EQ(s->GetX1(), 100);
  EXPECT_EQ(s->GetShapeStyle(), chasCircle);
  EXPECT_EQ(s->Brush()->GetColor(), White);
  EXPECT_EQ(s->GetSeriesColor(), White);
  s->SetY1(42);
  EXPECT_EQ(s->YValues()->GetValue(1), 42);
  EXPECT_TRUE(s->ManualData);
  s->SetSeriesColor(Red);
  EXPECT_EQ(s->Brush()->GetColor(), Red);

  s->SetShapeStyle(chasStar);
  s->SetXYStyle(xysAxisOrigin);
  s->SetVertAlign(vaBottom);
  s->SetTransparent(true);
  s->Text()->Add("a");
  auto* copy = Add<TChartShape>();
  copy->Assign(s);
  EXPECT_EQ(copy->GetShapeStyle(), chasStar);
  EXPECT_EQ(copy->GetXYStyle(), xysAxisOrigin);
  EXPECT_EQ(copy->GetVertAlign(), vaBottom);
  EXPECT_TRUE(copy->GetTransparent());
  EXPECT_EQ(copy->Text()->GetCount(), 1);
  EXPECT_FALSE(copy->AcceptsDataSource(Add<TBarSeries>()));
}

TEST_F(ShapeTest, AxisOriginCornerIsAPixelSize) {
  auto* s = Shape(chasRectangle, 5, 5, 30, 20);
  s->SetXYStyle(xysAxisOrigin);
  const TRect r = s->GetShapeRect();
  EXPECT_EQ(r.Left, XPix(5));
  EXPECT_EQ(r.Right - r.Left, 30);
  EXPECT_EQ(r.Bottom - r.Top, 20);
  s->SetXYStyle(xysPixels);
  s->SetX0(12.9), s->SetY0(-3.7);
  EXPECT_EQ(s->GetShapeRect().Left, 12);
  EXPECT_EQ(s->GetShapeRect().Top, -3);
  EXPECT_FALSE(s->UseAxis());
}

TEST_F(ShapeTest, GalleryVariantsAndRegistration) {
  auto* s = Add<TChartShape>();
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  ASSERT_EQ(names.size(), 15u);
  EXPECT_EQ(names[1], "Rectangle");
  EXPECT_EQ(names[14], "Hollow");
  s->ApplyGalleryVariant(s, 7);
  EXPECT_EQ(s->GetShapeStyle(), chasDiamond);
  s->ApplyGalleryVariant(s, 13);
  EXPECT_EQ(s->GetShapeStyle(), chasInvertPyramid);
  s->ApplyGalleryVariant(s, 14);
  EXPECT_TRUE(s->GetTransparent());

  s->PrepareForGallery(true);
  EXPECT_EQ(s->GetShapeStyle(), chasTriangle);
  EXPECT_EQ(s->Text()->Get(0), "123");
  EXPECT_EQ(s->Count(), 2);

  PlotShape::Initialization();
  PlotShape::Initialization();
  int found = 0;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i) {
    TPlotSeriesType* t = Chart::SeriesTypes().TypeAt(i);
    if (t->SeriesClassRef != TChartShape::StaticClass()) continue;
    ++found;
    EXPECT_EQ(t->Description(), "Shape");
    EXPECT_EQ(*t->PageName, "Standard");
    EXPECT_EQ(t->SampleSeriesCount, 2);
  }
  EXPECT_EQ(found, 1);
}

}  // namespace

}  // namespace PlotShapeTests
