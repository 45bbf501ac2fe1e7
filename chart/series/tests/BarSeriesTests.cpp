// Bar series: the layout of several bar series (slots, groups, widths, stack
// origins, ranges, margins) and the painting of one bar in every shape.
#include <cmath>
#include <sstream>

#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace BarSeriesTests {

namespace {

// Canvas calls of the 3-D solids and shapes, as text.
class LogCanvas : public TPlotCanvas3D {
public:
  LogCanvas() {
    AttachCanvas(Bitmap.GetCanvas());
    ResetState();
  }
  std::vector<std::string> Log;
  std::string Args(std::initializer_list<int64_t> A) {
    std::ostringstream s;
    for (int64_t v : A) s << (s.tellp() > 0 ? "," : "") << v;
    return s.str();
  }
  void Box(int32_t L, int32_t R, int32_t T, int32_t B, int32_t Z0, int32_t Z1, bool) override {
    Log.push_back("Box(" + Args({L, R, T, B, Z0, Z1}) + ")");
  }
  void Pyramid(bool V, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool) override {
    Log.push_back("Pyramid(" + Args({V, L, T, R, B, Z0, Z1}) + ")");
  }
  void RoundSolidTop(bool V, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool,
                     int32_t Top) override {
    Log.push_back("RoundSolidTop(" + Args({V, L, T, R, B, Z0, Z1, Top}) + ")");
  }
  void RoundSolid(bool V, int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z0, int32_t Z1, bool) override {
    Log.push_back("RoundSolid(" + Args({V, L, T, R, B, Z0, Z1, PlotCanvas::SolidSides}) + ")");
  }
  void EllipseAtDepth(int32_t L, int32_t T, int32_t R, int32_t B, int32_t Z) override {
    Log.push_back("Ellipse(" + Args({L, T, R, B, Z}) + ")");
  }
  void PolygonAtDepth(std::span<const TPoint> P, int32_t Z) override {
    std::string s = "PolygonAtDepth(";
    for (const TPoint& p : P) s += Args({p.X, p.Y}) + ";";
    Log.push_back(s + Args({Z}) + ")");
  }
  void Arrow(bool, TPoint F, TPoint T, int32_t W, int32_t L, int32_t Z, double) override {
    Log.push_back("Arrow(" + Args({F.X, F.Y, T.X, T.Y, W, L, Z}) + ")");
  }
  TBitmap Bitmap{8, 8};
};

// A chart whose series can be handed another canvas.
class TLogPanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  TCanvas3D* GetCanvas() override { return Override ? Override : Canvas(); }
  TCanvas3D* Override = nullptr;
};

class BarTest : public SeriesChartTest {
protected:
  TBarSeries* Bars(std::initializer_list<double> Values, TColor Colour = clRed) {
    auto* s = Add<TBarSeries>();
    s->SetSeriesColor(Colour);
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    for (double v : Values) s->Add(v);
    return s;
  }
  // Runs the layout step of a draw for every series.
  void Layout() {
    for (int32_t i = 0; i < Chart->SeriesCount(); ++i) Chart->GetSeries(i)->PrepareDraw();
  }
};

// ---- layout ----

TEST_F(BarTest, SlotsAndGroupsOfSeveralSeries) {
  struct Case {
    std::vector<int> Counts;
    TMultiBar Mode;
    bool SideMargins;
    int32_t Slots, Groups, SecondGroupIndex;
  };
  const Case cases[] = {
      {{5, 5}, mbSide, true, 6, 2, 2},  {{5, 6}, mbSide, true, 7, 2, 2},   {{6, 5}, mbSide, true, 7, 2, 2},
      {{5, 6}, mbSide, false, 6, 2, 2}, {{4, 4}, mbNone, true, 5, 1, 1},   {{3, 3}, mbStacked, true, 4, 1, 1},
      {{3, 3}, mbSelfStack, true, 1, 1, 1}, {{0, 0}, mbSide, true, 0, 2, 2},
  };
  for (const Case& c : cases) {
    Chart->FreeAllSeries();
    std::vector<TBarSeries*> s;
    for (int n : c.Counts) {
      s.push_back(Bars({}));
      for (int i = 0; i < n; ++i) s.back()->Add(i + 1);
    }
    s[0]->SetSideMargins(c.SideMargins);
    s[0]->SetMultiBar(c.Mode);
    Layout();
    SCOPED_TRACE(testing::Message() << c.Counts[0] << "+" << c.Counts[1] << " mode " << int(c.Mode));
    // The widths do not depend on which series comes first.
    EXPECT_EQ(s[0]->SlotCount, c.Slots);
    EXPECT_EQ(s[1]->SlotCount, c.Slots);
    EXPECT_EQ(s[1]->GroupCount, c.Groups);
    EXPECT_EQ(s[0]->GroupIndex, 1);
    EXPECT_EQ(s[1]->GroupIndex, c.SecondGroupIndex);
  }
}

TEST_F(BarTest, BarWidthFromAxisLengthPercentAndGroups) {
  struct Case {
    int32_t Percent, Series, Custom;
    int32_t Width;
  };
  // 600 pixels over 5 points and a margin slot: 100 pixels a slot.
  for (const Case& c : {Case{70, 2, 0, 36}, Case{9, 1, 0, 10}, Case{70, 1, 0, 70}, Case{50, 3, 0, 16},
                        Case{70, 2, 7, 7}}) {
    Chart->FreeAllSeries();
    std::vector<TBarSeries*> s;
    for (int k = 0; k < c.Series; ++k) s.push_back(Bars({1, 2, 3, 4, 5}));
    s[0]->SetBarWidthPercent(c.Percent);
    s[0]->SetCustomBarWidth(c.Custom);
    Layout();
    Chart->BottomAxis()->StartPixel = 0;
    Chart->BottomAxis()->EndPixel = 600;
    s[0]->CalcBarWidth();
    EXPECT_EQ(s[0]->BarWidth, c.Width) << c.Percent << "% " << c.Series << " series";
  }
}

TEST_F(BarTest, SideBySideBarsStandBesideTheCategoryPixel) {
  auto* a = Bars({1, 2, 3, 4, 5});
  auto* b = Bars({2, 3, 4, 5, 6}, clBlue);
  Draw();
  ASSERT_GT(a->BarWidth, 0);
  for (int32_t i = 0; i < 5; ++i) {
    EXPECT_EQ(a->PointPixelX(i), XPix(i) - a->BarWidth);
    EXPECT_EQ(b->PointPixelX(i), XPix(i));
  }
  // The bar is painted between its category pixel and the next bar.
  EXPECT_EQ(Px(XPix(2) - 2, YPix(1)), clRed);
  EXPECT_EQ(Px(XPix(2) + 2, YPix(1)), clBlue);
}

TEST_F(BarTest, StackedBarsStartOnTheStackBelowWithTheirSign) {
  auto* a = Bars({3, 1});
  auto* b = Bars({-2, 4}, clBlue);
  a->SetMultiBar(mbStacked);
  EXPECT_EQ(b->GetMultiBar(), mbStacked) << "series of a kind stack alike";
  Fix(0, 10, -10, 10);
  Draw();
  EXPECT_EQ(b->PointOrigin(0, false), 0) << "a negative value does not stand on a positive stack";
  EXPECT_EQ(b->OriginPixel(0, -1), YPix(0));
  EXPECT_EQ(b->PointPixelY(0), YPix(-2));
  EXPECT_EQ(b->PointPixelY(1), YPix(5));
  EXPECT_EQ(b->PointOrigin(1, true), 5);
  EXPECT_EQ(b->LargestY(), 5) << "the largest positive stack";
  EXPECT_EQ(b->SmallestY(), -2);
}

TEST_F(BarTest, Stack100WithAnEmptyStackStandsOnTheAxisZero) {
  auto* a = Bars({0, 1});
  auto* b = Bars({0, 3}, clBlue);
  a->SetMultiBar(mbStacked100);
  Fix(0, 10, -100, 100);
  Draw();
  EXPECT_EQ(b->PointPixelY(0), YPix(0));
  EXPECT_EQ(b->OriginPixel(0, -1), YPix(0));
  EXPECT_EQ(b->PointPixelY(1), YPix(100));
  EXPECT_EQ(b->OriginPixel(1, -1), YPix(25));
  EXPECT_EQ(a->LargestY(), 100);
  EXPECT_EQ(a->SmallestY(), 0);
}

TEST_F(BarTest, SelfStackedSeriesMakeOneColumnEach) {
  auto* a = Bars({1, 2, 3});
  auto* b = Bars({4, 5}, clBlue);
  a->SetMultiBar(mbSelfStack);
  Layout();
  EXPECT_EQ(a->SlotCount, 1);
  EXPECT_EQ(a->SmallestX(), 0);
  EXPECT_EQ(b->LargestX(), 1);
  EXPECT_EQ(a->PointOrigin(2, false), 3);
  EXPECT_EQ(a->LargestY(), 6);
  a->FindVisibleRange();
  EXPECT_EQ(a->LastValueIndex, 2);
}

TEST_F(BarTest, TouchingBarsReachTheNextBar) {
  auto* s = Bars({1, 2, 3, 4});
  s->SetBarWidthPercent(100);
  s->BarPen()->SetWidth(3);
  Draw();
  for (int32_t i = 0; i < 3; ++i) {
    s->CalcBarBounds(i);
    EXPECT_EQ(s->BarBounds.Right, s->PointPixelX(i + 1) + 1 - 3 / 2);
  }
  s->CalcBarBounds(3);
  EXPECT_EQ(s->BarBounds.Right - s->BarBounds.Left, s->BarWidth + 1 - 3 / 2);
}

TEST_F(BarTest, DepthPercentShrinksTheDepthRowButZeroKeepsIt) {
  auto* s = Bars({1, 2});
  Chart->SetView3D(true);
  Chart->SetChart3DPercent(100);
  Draw();
  s->SetDepthPercent(0);
  s->CalcDepthPositions();
  const int32_t full = s->EndZ - s->StartZ;
  ASSERT_GT(full, 4);
  s->SetDepthPercent(50);
  s->CalcDepthPositions();
  const int32_t d = static_cast<int32_t>(std::nearbyint(50 * full * 0.005));
  EXPECT_EQ(s->EndZ - s->StartZ, full - 2 * d);
}

TEST_F(BarTest, NegativeHorizontalBarsOnAnInvertedAxisGetTheirMarksMarginRight) {
  auto* s = Add<THorizBarSeries>();
  for (double v : {-3.0, -5.0, -1.0}) s->Add(v, "mark");
  Draw();
  for (bool inverted : {false, true}) {
    Chart->BottomAxis()->SetInverted(inverted);
    int32_t left = 0, right = 0;
    s->CalcHorizMargins(left, right);
    EXPECT_EQ(left > 0, !inverted);
    EXPECT_EQ(right > 0, inverted);
  }
}

TEST_F(BarTest, SampleValuesAddExactlyTheCountAsked) {
  auto* s = Bars({});
  s->AddSampleValues(8);
  EXPECT_EQ(s->Count(), 8);
  EXPECT_EQ(s->NumSampleValues(), 6);
  auto* h = Add<THorizBarSeries>();
  EXPECT_EQ(h->NumSampleValues(), 8) << "the other bar series' count";
}

TEST_F(BarTest, ClickedBarAndPyramidOutline) {
  Fix(-1, 2, 0, 10);
  auto* s = Bars({4, 8});
  Draw();
  const int32_t x = s->PointPixelX(1) + s->BarWidth / 2;
  EXPECT_EQ(s->PointAtPixel(x, YPix(2)), 1);
  EXPECT_EQ(s->PointAtPixel(x, YPix(9)), -1);
  s->SetBarStyle(bsPyramid);
  // Near the top, only the middle of a pyramid belongs to it.
  EXPECT_EQ(s->PointAtPixel(x, YPix(7.5)), 1);
  EXPECT_EQ(s->PointAtPixel(s->PointPixelX(1) + 1, YPix(7.5)), -1);
}

// ---- painting ----

class BarPaintTest : public BarTest {
protected:
  // The bar of value V in Style, alone in the chart, without a pen.
  TBarSeries* OneBar(TBarStyle Style, double V = 6) {
    Fix(-1, 1, -10, 10);
    auto* s = Bars({V});
    s->SetBarStyle(Style);
    s->BarPen()->SetVisible(false);
    s->SetCustomBarWidth(40);
    return s;
  }
};

TEST_F(BarPaintTest, EveryShapeIsTheSameAsItsOutlineDrawnByHand) {
  using Shape = std::function<void(TCanvas3D&, const TRect&, int32_t, int32_t)>;
  const auto poly = [](TCanvas3D& C, std::vector<TPoint> P) { C.Polygon(P); };
  const Shape rect = [](TCanvas3D& C, const TRect& B, int32_t, int32_t) { C.Rectangle(B.Left, B.Top, B.Right, B.Bottom); };
  const Shape pyramid = [&](TCanvas3D& C, const TRect& B, int32_t S0, int32_t S1) {
    poly(C, {{B.Left, S1}, {(B.Left + B.Right) / 2, S0}, {B.Right, S1}});
  };
  const Shape inverted = [&](TCanvas3D& C, const TRect& B, int32_t S0, int32_t S1) {
    poly(C, {{B.Left, S0}, {(B.Left + B.Right) / 2, S1}, {B.Right, S0}});
  };
  const struct {
    TBarStyle Style;
    Shape Draw;
  } cases[] = {
      {bsRectangle, rect},
      {bsCilinder, rect},
      {bsPyramid, pyramid},
      {bsCone, pyramid},
      {bsInvPyramid, inverted},
      {bsInvCone, inverted},
      {bsEllipse, [](TCanvas3D& C, const TRect& B, int32_t, int32_t) { C.EllipseRect(B); }},
      {bsDiamond,
       [&](TCanvas3D& C, const TRect& B, int32_t S0, int32_t S1) {
         const int32_t c = (B.Left + B.Right) / 2, m = (S0 + S1) / 2;
         poly(C, {{c, S0}, {B.Right, m}, {c, S1}, {B.Left, m}});
       }},
      {bsArrow,
       [](TCanvas3D& C, const TRect& B, int32_t S0, int32_t S1) {
         const int32_t c = (B.Left + B.Right) / 2, w = B.Right - B.Left;
         C.ArrowHalf(true, TPoint(c, S1), TPoint(c, S0), w, w / 2, 0);
       }},
      {bsInvArrow,
       [](TCanvas3D& C, const TRect& B, int32_t S0, int32_t S1) {
         const int32_t c = (B.Left + B.Right) / 2, w = B.Right - B.Left;
         C.ArrowHalf(true, TPoint(c, S0), TPoint(c, S1), w, w / 2, 0);
       }},
      {bsSlantCube,
       [](TCanvas3D& C, const TRect& B, int32_t, int32_t) {
         C.Rectangle(B.Left, B.Top, B.Right, B.Bottom);
         C.VertLine((B.Left + B.Right) / 2, B.Top, B.Bottom);
       }},
  };
  for (const auto& c : cases) {
    for (double v : {6.0, -4.0}) {
      Chart->FreeAllSeries();
      Chart->OnAfterDraw = nullptr;
      auto* s = OneBar(c.Style, v);
      Draw();
      TBitmap bar(W, H);
      bar.GetCanvas()->CopyRect(TRect(0, 0, W, H), *Bitmap.GetCanvas(), TRect(0, 0, W, H));
      const TRect b = s->BarBounds;
      const int32_t s0 = std::min(b.Top, b.Bottom), s1 = std::max(b.Top, b.Bottom);
      // The same chart with the bar's point null, the shape drawn by hand after it.
      s->SetPointColor(0, clNone);
      Chart->OnAfterDraw = [&](TObject*) {
        TCanvas3D& canvas = *Chart->Canvas();
        canvas.Pen->SetStyle(psClear);
        canvas.Brush->SetStyle(bsSolid);
        canvas.Brush->SetColor(clRed);
        c.Draw(canvas, b, s0, s1);
      };
      Draw();
      int differ = 0;
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) differ += (bar.GetPixelColor(x, y) & 0xFFFFFF) != Px(x, y);
      EXPECT_EQ(differ, 0) << "style " << int(c.Style) << " value " << v;
    }
  }
  Chart->OnAfterDraw = nullptr;
}

TEST_F(BarPaintTest, PyramidApexIsAtTheUpperEndAlsoForNegativeValues) {
  for (double v : {6.0, -6.0}) {
    Chart->FreeAllSeries();
    auto* s = OneBar(bsPyramid, v);
    Draw();
    const TRect b = s->BarBounds;
    const int32_t top = std::min(b.Top, b.Bottom) + 2, mid = (b.Left + b.Right) / 2;
    EXPECT_EQ(Px(mid, top), clRed) << v;
    EXPECT_EQ(Px(b.Left + 1, top), clWhite) << v;
  }
}

TEST_F(BarPaintTest, ThinBarsStaySeenInTheirColour) {
  // A bar of no height under a clear pen: a line in the bar's colour.
  auto* s = OneBar(bsRectangle, 0);
  s->BarPen()->SetVisible(true);
  s->BarPen()->SetStyle(psClear);
  Draw();
  EXPECT_EQ(Px(s->BarBounds.Left + 5, YPix(0)), clRed);
  // Two pixels wide under a pen of three: the outline in the bar's colour.
  Chart->FreeAllSeries();
  s = OneBar(bsRectangle, 6);
  s->SetCustomBarWidth(1);
  s->BarPen()->SetVisible(true);
  s->BarPen()->SetWidth(3);
  Draw();
  ASSERT_EQ(s->BarBounds.Right - s->BarBounds.Left, 2);
  EXPECT_EQ(Px(s->BarBounds.Left, YPix(3)), clRed);
}

TEST_F(BarPaintTest, RelativeGradientGoesFromTheStartColourToTheBarColour) {
  Fix(-1, 3, 0, 10);
  auto* s = Bars({0, 5, 10}, 0x0000C8);
  s->Gradient()->SetRelative(true);
  s->Gradient()->SetStartColor(0xFFFFFF);
  s->BarColor = 0x0000C8;
  const struct {
    int32_t Index;
    TColor End;
  } cases[] = {{2, 0x0000C8}, {0, 0xFFFFFF}, {1, 0x8080E4}};
  for (const auto& c : cases) {
    s->SetGradientEndColor(c.Index);
    EXPECT_EQ(s->Gradient()->GetEndColor(), c.End) << c.Index;
  }
  // Every value at the origin: the start colour.
  auto* flat = Bars({0, 0}, 0x0000C8);
  flat->Gradient()->SetRelative(true);
  flat->BarColor = 0x0000C8;
  flat->SetGradientEndColor(1);
  EXPECT_EQ(flat->Gradient()->GetEndColor(), flat->Gradient()->GetStartColor());
  s->Gradient()->SetRelative(false);
  s->SetGradientEndColor(1);
  EXPECT_EQ(s->Gradient()->GetEndColor(), 0x0000C8);
}

TEST_F(BarPaintTest, BevelFramesInLighterAndDarkerBarColour) {
  auto* s = OneBar(bsBevel);
  s->SetSeriesColor(0x406080);
  Draw();
  const TRect b = s->BarBounds;
  const int32_t mid = (b.Top + b.Bottom) / 2;
  EXPECT_EQ(Px(b.Left, mid), LighterColor(0x406080, 128));
  EXPECT_EQ(Px(b.Right - 1, mid), DarkerColor(0x406080, 64));
  EXPECT_EQ(Px((b.Left + b.Right) / 2, mid), 0x406080);
}

TEST_F(BarPaintTest, TickLinesOnlyStrictlyInsideTheBar) {
  auto* s = OneBar(bsRectangle, 6);
  s->TickLines()->SetVisible(true);
  s->TickLines()->SetColor(clLime);
  Draw();
  const TRect b = s->BarBounds;
  const int32_t s0 = std::min(b.Top, b.Bottom), s1 = std::max(b.Top, b.Bottom);
  int inside = 0;
  for (int32_t tick : Chart->LeftAxis()->TickPixels) {
    const TColor c = Px(b.Left + 3, tick);
    if (tick > s0 && tick < s1) {
      ++inside;
      EXPECT_EQ(c, clLime) << tick;
    } else if (tick >= s0 - 1 && tick <= s1) {
      EXPECT_NE(c, clLime) << "no tick line at the bar's end " << tick;
    }
  }
  EXPECT_GE(inside, 2);
}

TEST_F(BarPaintTest, SolidShapesIn3DThroughTheCanvas) {
  Owner->Free();
  Owner = new TComponent(nullptr);
  auto* panel = Create<TLogPanel>(Owner);
  Chart = panel;
  Chart->SetBounds(W, H);
  Chart->SetColor(clWhite);
  Chart->SetView3D(true);
  Fix(-1, 1, -10, 10);
  auto* s = Bars({6});
  s->SetCustomBarWidth(19);
  Draw();
  LogCanvas log;
  panel->Override = &log;
  const int32_t sides = PlotCanvas::SolidSides;
  const auto logOf = [&](TBarStyle Style) {
    s->SetBarStyle(Style);
    log.Log.clear();
    s->DrawPoint(0);
    return log.Log.empty() ? std::string() : log.Log.front();
  };
  logOf(bsRectangle);
  const TRect b = s->BarBounds;
  const int32_t s0 = std::min(b.Top, b.Bottom), s1 = std::max(b.Top, b.Bottom);
  const int32_t z0 = s->StartZ, z1 = s->EndZ, zm = s->MiddleZ;
  const auto a = [&](std::initializer_list<int64_t> A) { return log.Args(A); };
  EXPECT_EQ(logOf(bsRectangle), "Box(" + a({b.Left, b.Right, s0, s1, z0, z1}) + ")");
  EXPECT_EQ(logOf(bsPyramid), "Pyramid(" + a({1, b.Left, s0, b.Right, s1, z0, z1}) + ")");
  EXPECT_EQ(logOf(bsInvPyramid), "Pyramid(" + a({1, b.Left, s1, b.Right, s0, z0, z1}) + ")");
  EXPECT_EQ(logOf(bsCone), "RoundSolidTop(" + a({1, b.Left, s0, b.Right, s1, z0, z1, 0}) + ")");
  EXPECT_EQ(logOf(bsInvCone), "RoundSolidTop(" + a({1, b.Left, s1, b.Right, s0, z0, z1, 0}) + ")");
  EXPECT_EQ(logOf(bsCilinder), "RoundSolid(" + a({1, b.Left, b.Top, b.Right, b.Bottom, z0, z1, sides}) + ")");
  EXPECT_EQ(logOf(bsSlantCube), "RoundSolid(" + a({1, b.Left, b.Top, b.Right, b.Bottom, z0, z1, 4}) + ")");
  EXPECT_EQ(PlotCanvas::SolidSides, sides) << "the number of sides comes back";
  EXPECT_EQ(logOf(bsEllipse), "Ellipse(" + a({b.Left, b.Top, b.Right, b.Bottom, zm}) + ")");
  const int32_t c = (b.Left + b.Right) / 2, m = (s0 + s1) / 2;
  EXPECT_EQ(logOf(bsDiamond), "PolygonAtDepth(" + a({c, s0}) + ";" + a({b.Right, m}) + ";" + a({c, s1}) + ";" +
                                  a({b.Left, m}) + ";" + a({zm}) + ")");
  ASSERT_EQ(b.Right - b.Left, 20);
  EXPECT_EQ(logOf(bsArrow), "Arrow(" + a({c, s1, c, s0, 20, 10, zm}) + ")") << "head 20 wide and 10 long";
  EXPECT_EQ(logOf(bsInvArrow), "Arrow(" + a({c, s0, c, s1, 20, 10, zm}) + ")");
  panel->Override = nullptr;
}

TEST_F(BarPaintTest, HorizontalBarsLieAlongTheValueAxis) {
  Fix(-10, 10, -1, 1);
  auto* s = Add<THorizBarSeries>();
  s->SetSeriesColor(clRed);
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
  s->Add(6);
  s->SetCustomBarWidth(30);
  Draw();
  EXPECT_EQ(s->PointPixelX(0), XPix(6));
  EXPECT_EQ(Px(XPix(3), YPix(0)), clRed);
  EXPECT_EQ(Px(XPix(-3), YPix(0)), clWhite);
  EXPECT_EQ(s->PointAtPixel(XPix(3), s->PointPixelY(0) + 5), 0);
}

}  // namespace
namespace {

TEST_F(BarTest, AutomaticAxesLeaveRoomForTheWholeBarGroup) {
  Chart->BottomAxis()->SetAutomatic(true);
  auto* s = Bars({1, 2, 3, 4, 5});
  Draw();
  EXPECT_GE(s->PointPixelX(0), Chart->BottomAxis()->StartPixel);
  EXPECT_LE(s->PointPixelX(4) + s->BarWidth, Chart->BottomAxis()->EndPixel);
  EXPECT_EQ(s->PointPixelX(0) - Chart->BottomAxis()->StartPixel, s->BarWidth / 2);
}

}  // namespace

}  // namespace BarSeriesTests
