// The contour series: automatic and manual levels, cell tracing, joining of
// segments, smoothing, drawing in 2-D and 3-D, legend, hit test and chart files.
#include <cmath>
#include <string>
#include <vector>

#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/tests/PlotSurfaLogCanvas.h"
#include "chart/series/PlotStore.h"
#include "platform/rtl/Classes.h"

namespace PlotSurfaContourTests {

namespace {

using TLines = TContourLevel::TLevelSegments;

class ContourTest : public LogChartTest {
protected:
  void SetUp() override {
    LogChartTest::SetUp();
    Chart->SetView3D(false);
  }
  // A grid of NX x NZ points at X, Z = 1.., Y from the table (row by row).
  TContourSeries* Grid(int NX, int NZ, const std::vector<double>& Y) {
    auto* s = Add<TContourSeries>();
    for (int z = 0; z < NZ; ++z)
      for (int x = 0; x < NX; ++x) s->AddPointXYZ(x + 1, Y[size_t(z * NX + x)], z + 1);
    return s;
  }
  // Manual levels at the given values.
  static void SetLevels(TContourSeries* S, std::initializer_list<double> Values) {
    S->Levels()->Clear();
    for (double v : Values) static_cast<TContourLevel*>(S->Levels()->Add())->SetUpToValue(v);
  }
  static const TLines& Lines(TContourSeries* S, int32_t Level) { return S->Levels()->GetItem(Level)->Segments; }
};

TEST_F(ContourTest, AutomaticLevelsSpanTheRangeWithoutItsMaximum) {
  std::vector<double> y;
  for (int i = 0; i <= 10; ++i) y.push_back(10 * i);
  TContourSeries* s = Grid(11, 1, y);
  s->PrepareDraw();
  ASSERT_EQ(s->Levels()->Count(), 10);
  for (int32_t i = 0; i < 10; ++i) EXPECT_DOUBLE_EQ(s->Levels()->GetItem(i)->GetUpToValue(), 10.0 * i);
  EXPECT_TRUE(s->GetAutomaticLevels());

  // Level values and colours may be changed through OnGetLevel.
  s->OnGetLevel = [](TContourSeries*, int32_t Index, double& Value, TColor& Color) {
    Value += 1;
    Color = 0x100 * Index;
  };
  s->PrepareDraw();
  EXPECT_DOUBLE_EQ(s->Levels()->GetItem(3)->GetUpToValue(), 31);
  EXPECT_EQ(s->Levels()->GetItem(3)->GetColor(), 0x300);
  EXPECT_TRUE(s->GetAutomaticLevels()) << "levels built by the series are not changes by hand";

  // A negative count is no count; editing a level ends the automatic levels.
  s->SetNumLevels(-4);
  EXPECT_EQ(s->GetNumLevels(), 0);
  s->PrepareDraw();
  EXPECT_EQ(s->Levels()->Count(), 0);
  s->SetNumLevels(5);
  s->PrepareDraw();
  s->Levels()->GetItem(0)->SetUpToValue(42);
  EXPECT_FALSE(s->GetAutomaticLevels());
  s->PrepareDraw();
  EXPECT_EQ(s->Levels()->Count(), 5);
  EXPECT_EQ(s->Levels()->GetItem(0)->GetUpToValue(), 42);
  EXPECT_EQ(s->GetNumLevels(), 5);
  s->SetAutomaticLevels(true);
  EXPECT_EQ(s->Levels()->Count(), 0) << "rebuilt at the next draw";
}

TEST_F(ContourTest, CellTracing) {
  struct Case {
    const char* Name;
    std::vector<double> Y;  // 2 x 2 corners: (1,1), (2,1), (1,2), (2,2)
    double Level;
    std::vector<std::vector<TPointFloat>> Lines;
  };
  const Case cases[] = {
      {"flat cell on the level: its closed outline", {5, 5, 5, 5}, 5,
       {{{1, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 2}}}},
      {"a level touching one corner only", {0, 10, 10, 10}, 0, {}},
      {"above every level", {20, 30, 25, 40}, 10, {}},
      {"a crossing through two sides", {0, 10, 0, 10}, 5, {{{1.5, 2}, {1.5, 1.5}, {1.5, 1}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Chart->FreeAllSeries();
    TContourSeries* s = Grid(2, 2, c.Y);
    SetLevels(s, {c.Level});
    s->PrepareDraw();
    s->DrawContourCells();
    const TLines& got = Lines(s, 0);
    ASSERT_EQ(got.size(), c.Lines.size());
    for (size_t l = 0; l < got.size(); ++l) {
      ASSERT_EQ(got[l].size(), c.Lines[l].size());
      for (size_t i = 0; i < got[l].size(); ++i) {
        EXPECT_NEAR(got[l][i].X, c.Lines[l][i].X, 1e-12) << "point " << i;
        EXPECT_NEAR(got[l][i].Y, c.Lines[l][i].Y, 1e-12) << "point " << i;
      }
    }
  }
}

TEST_F(ContourTest, ALineFollowsTheIsoValueAcrossManyCells) {
  // Y = X^2 + Z^2 over 20 x 20: the level 100 is a quarter circle of radius 10.
  std::vector<double> y;
  for (int z = 1; z <= 20; ++z)
    for (int x = 1; x <= 20; ++x) y.push_back(x * x + z * z);
  TContourSeries* s = Grid(20, 20, y);
  SetLevels(s, {100, 50, 600});  // unsorted on purpose
  s->PrepareDraw();
  s->DrawContourCells();
  for (int32_t k = 0; k < 3; ++k) {
    const double r = std::sqrt(s->Levels()->GetItem(k)->GetUpToValue());
    ASSERT_EQ(Lines(s, k).size(), 1u) << "level " << k << ": the segments join into one line";
    ASSERT_GT(Lines(s, k)[0].size(), 6u);
    for (const TPointFloat& p : Lines(s, k)[0]) EXPECT_NEAR(std::hypot(p.X, p.Y), r, 0.12);
  }
}

TEST_F(ContourTest, JoiningSegments) {
  struct Case {
    const char* Name;
    TLines Start;
    TPointFloat P1, P2;
    TLines Expected;
  };
  const Case cases[] = {
      {"0.0005 apart in x joins at the tail", {{{0, 0}, {1, 0}}}, {1.0005, 0}, {2, 0}, {{{0, 0}, {1, 0}, {2, 0}}}},
      {"0.0012 apart (Manhattan) starts a new line", {{{0, 0}, {1, 0}}}, {1.0006, 0.0006}, {2, 0},
       {{{0, 0}, {1, 0}}, {{1.0006, 0.0006}, {2, 0}}}},
      {"second end at the head", {{{0, 0}, {1, 0}}}, {-1, 0}, {0, 0}, {{{-1, 0}, {0, 0}, {1, 0}}}},
      {"first end at the head", {{{0, 0}, {1, 0}}}, {0, 0}, {-1, 0}, {{{-1, 0}, {0, 0}, {1, 0}}}},
      {"second end at the tail", {{{0, 0}, {1, 0}}}, {2, 0}, {1, 0}, {{{0, 0}, {1, 0}, {2, 0}}}},
      {"a bridge at the tail merges the next line", {{{0, 0}, {1, 0}}, {{2, 0}, {3, 0}}}, {1, 0}, {2, 0},
       {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
      {"a bridge at the tail merges a line by its last point", {{{0, 0}, {1, 0}}, {{3, 0}, {2, 0}}}, {1, 0},
       {2, 0}, {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
      {"a bridge at the head merges by the first point", {{{1, 0}, {0, 0}}, {{2, 0}, {3, 0}}}, {2, 0}, {1, 0},
       {{{3, 0}, {2, 0}, {1, 0}, {0, 0}}}},
      {"a bridge at the head merges by the last point", {{{1, 0}, {0, 0}}, {{3, 0}, {2, 0}}}, {2, 0}, {1, 0},
       {{{3, 0}, {2, 0}, {1, 0}, {0, 0}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TLines lines = c.Start;
    TContourSeries::AddSegment(lines, c.P1, c.P2);
    ASSERT_EQ(lines.size(), c.Expected.size());
    for (size_t l = 0; l < lines.size(); ++l) {
      ASSERT_EQ(lines[l].size(), c.Expected[l].size()) << "line " << l;
      for (size_t i = 0; i < lines[l].size(); ++i) {
        EXPECT_NEAR(lines[l][i].X, c.Expected[l][i].X, 0.001) << "line " << l << " point " << i;
        EXPECT_NEAR(lines[l][i].Y, c.Expected[l][i].Y, 0.001) << "line " << l << " point " << i;
      }
    }
  }
}

TEST_F(ContourTest, DrawingIn2DAnd3D) {
  TContourSeries* s = Grid(2, 2, {0, 10, 0, 10});
  SetLevels(s, {5});
  s->Levels()->GetItem(0)->SetColor(0x00A000);
  Fix(0, 3, 0, 3);
  Record(s);
  std::vector<TCanvasCall> lines = Log.Of("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].Pen, 0x00A000);
  // In 2-D the contour lies in the X-Z plane: Z up the vertical axis.
  EXPECT_EQ(lines[0].P.front(), TPoint(XPix(1.5), YPix(2)));
  EXPECT_EQ(lines[0].P.back(), TPoint(XPix(1.5), YPix(1)));
  EXPECT_EQ(s->ValueListForAxis(Chart->LeftAxis()), s->ZValues());
  EXPECT_EQ(s->LargestY(), 2);

  // Smoothed: 3 points become (3 * 4) + 1.
  s->Smoothing()->SetActive(true);
  Record(s);
  lines = Log.Of("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].P.size(), 13u);
  std::vector<TPoint> smooth;
  s->Smoothing()->SmoothPoints({{0, 0}, {10, 0}, {20, 10}, {30, 0}}, 3, smooth);
  EXPECT_EQ(smooth.size(), 17u);

  // In 3-D at the height of YPosition, or of each level's value.
  Chart->SetView3D(true);
  Chart->DepthAxis()->SetMinMax(0, 3);
  Fix(0, 3, 0, 10);
  s->SetYPosition(8);
  Record(s);
  EXPECT_TRUE(Log.Of("Polyline").empty()) << "no smoothing in 3-D";
  std::vector<TCanvasCall> moves = Log.Of("MoveTo"), steps = Log.Of("LineTo");
  ASSERT_EQ(moves.size(), 1u);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(moves[0].P[0], TPoint(XPix(1.5), YPix(8)));
  EXPECT_EQ(moves[0].Z[0], Depth(2));
  EXPECT_EQ(steps[1].Z[0], Depth(1));
  EXPECT_EQ(s->LargestY(), 10) << "in 3-D the vertical axis shows Y";
  s->SetYPositionLevel(true);
  Record(s);
  EXPECT_EQ(Log.Of("MoveTo")[0].P[0].Y, YPix(5));
}

TEST_F(ContourTest, LegendHitTestAndEvents) {
  std::vector<double> y;
  for (int z = 1; z <= 3; ++z)
    for (int x = 1; x <= 3; ++x) y.push_back(10 * (x - 1));
  TContourSeries* s = Grid(3, 3, y);
  s->SetNumLevels(4);
  std::vector<int32_t> drawn;
  s->OnBeforeDrawLevel = [&](TContourSeries*, int32_t Level) { drawn.push_back(Level); };
  Fix(0, 4, 0, 4);
  Draw();
  EXPECT_EQ(drawn, (std::vector<int32_t>{0, 1, 2, 3}));
  ASSERT_EQ(s->LegendEntryCount(), 4);
  EXPECT_EQ(s->GetLegendString(0, ltsPlain), "15");
  EXPECT_EQ(s->GetLegendString(3, ltsPlain), "0");
  EXPECT_EQ(s->LegendEntryColor(0), s->ValueColor(3)) << "a level without a colour of its own";

  // Level 1 (value 5) runs along X = 1.5, level 2 (10) along X = 2.
  const int32_t y0 = YPix(2);
  EXPECT_EQ(s->PointAtPixel(XPix(1.5) + 2, y0), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(1.5) - 3, y0), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(2), y0), 2);
  EXPECT_EQ(s->PointAtPixel((XPix(1.5) + XPix(2)) / 2, y0), -1);
  EXPECT_EQ(s->PointAtPixel(XPix(1.5), YPix(3.5)), -1);
}

TEST_F(ContourTest, GalleryAndChartFiles) {
  auto* s = Add<TContourSeries>();
  EXPECT_TRUE(s->GetColorEachPoint());
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  EXPECT_EQ(names, (std::vector<std::string>{"Normal", "Color Range", "Colors", "Positions"}));
  s->ApplyGalleryVariant(s, 3);
  EXPECT_TRUE(s->GetYPositionLevel());
  s->PrepareForGallery(false);
  EXPECT_EQ(s->GetSeriesColor(), 0x808080);
  s->AddSampleValues(6);
  EXPECT_EQ(s->Count(), 36);
  EXPECT_DOUBLE_EQ(s->GetYPosition(), (s->YValues()->MinValue() + s->YValues()->MaxValue()) / 2);
  EXPECT_EQ(s->EditorFormName(), "TContourSeriesEditor");

  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Maps");
  auto* a = Create<TContourSeries>(chart);
  a->SetName("Iso");
  chart->AddSeries(a);
  SetLevels(a, {1.5, 7});
  a->Levels()->GetItem(1)->SetColor(clRed);
  a->Levels()->GetItem(1)->GetPen()->SetWidth(3);
  a->Smoothing()->SetActive(true);
  a->SetYPosition(2.5);
  auto* b = Create<TContourSeries>(chart);
  b->SetName("Auto");
  chart->AddSeries(b);
  b->SetNumLevels(7);
  for (bool asText : {false, true}) {
    TMemoryStream out;
    PlotStore::WritePlotStream(chart, out, true, asText);
    TCustomChart* target = Create<TChart>(nullptr);
    out.SetPosition(0);
    PlotStore::ReadPlotStream(target, out, true, nullptr);
    ASSERT_EQ(target->SeriesCount(), 2);
    auto* ra = dynamic_cast<TContourSeries*>(target->GetSeries(0));
    auto* rb = dynamic_cast<TContourSeries*>(target->GetSeries(1));
    ASSERT_TRUE(ra && rb);
    EXPECT_FALSE(ra->GetAutomaticLevels());
    ASSERT_EQ(ra->Levels()->Count(), 2) << asText;
    EXPECT_EQ(ra->Levels()->GetItem(0)->GetUpToValue(), 1.5);
    EXPECT_TRUE(ra->Levels()->GetItem(0)->DefaultPen());
    EXPECT_EQ(ra->Levels()->GetItem(1)->GetColor(), clRed);
    ASSERT_FALSE(ra->Levels()->GetItem(1)->DefaultPen());
    EXPECT_EQ(ra->Levels()->GetItem(1)->GetPen()->GetWidth(), 3);
    EXPECT_TRUE(ra->Smoothing()->GetActive());
    EXPECT_EQ(ra->GetYPosition(), 2.5);
    EXPECT_TRUE(rb->GetAutomaticLevels());
    EXPECT_EQ(rb->GetNumLevels(), 7);
    EXPECT_EQ(rb->Levels()->Count(), 0);
    target->Free();
  }
  chart->Free();
}

}  // namespace

}  // namespace PlotSurfaContourTests
