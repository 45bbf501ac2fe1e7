// The series band, extra legend and page number tools on a drawn chart.
#include <string>

#include "chart/extras/PlotExtraLegendTool.h"
#include "chart/extras/PlotPageNumTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
#include "chart/series/tests/PlotToolsFixture.h"

namespace DrawingToolsTests {

namespace {

constexpr TColor Band = 0x00C000;

class SeriesBandTest : public ToolChartTest {
protected:
  TLineSeries* Line(double Y) {
    auto* s = Add<TLineSeries>();
    for (int32_t x = 0; x <= 10; ++x) s->AppendPoint(x, Y);
    s->SetSeriesColor(clBlack);
    return s;
  }
  TSeriesBandTool* BandTool(TChartSeries* A, TChartSeries* B) {
    auto* t = AddTool<TSeriesBandTool>();
    t->SetSeries(A);
    t->SetSeries2(B);
    t->Brush()->SetColor(Band);
    return t;
  }
};

TEST_F(SeriesBandTest, PolygonRunsForwardThenBackward) {
  auto* a = Line(3);
  auto* b = Line(7);
  auto* t = BandTool(a, b);
  Draw();
  const std::vector<TPoint> p = t->BandPolygon();
  ASSERT_EQ(p.size(), 22u);
  EXPECT_EQ(p.front(), TPoint(XPix(0), YPix(3)));
  EXPECT_EQ(p[10], TPoint(XPix(10), YPix(3)));
  EXPECT_EQ(p[11], TPoint(XPix(10), YPix(7)));
  EXPECT_EQ(p.back(), TPoint(XPix(0), YPix(7)));
  // Filled between the lines, not outside them.
  EXPECT_EQ(Px(XPix(5), YPix(5)), Band);
  EXPECT_NE(Px(XPix(5), YPix(8)), Band);
  EXPECT_NE(Px(XPix(5), YPix(2)), Band);
}

TEST_F(SeriesBandTest, BehindOrOverTheSeries) {
  struct Case {
    bool Behind;
    TColor OnLine;
  };
  for (const Case& c : {Case{true, clBlack}, Case{false, Band}}) {
    auto* a = Line(3);
    auto* b = Line(7);
    auto* t = BandTool(a, b);
    t->SetDrawBehindSeries(c.Behind);
    Draw();
    EXPECT_EQ(Px(XPix(5), YPix(7)), c.OnLine) << c.Behind;
    EXPECT_EQ(Px(XPix(5), YPix(5)), Band);
    t->Free();
    a->Free();
    b->Free();
  }
}

TEST_F(SeriesBandTest, AnEmptyRangeDrawsNothing) {
  auto* a = Line(3);
  auto* b = Add<TLineSeries>();
  BandTool(a, b);
  Draw();
  EXPECT_EQ(Px(XPix(5), YPix(5)), clWhite);
  b->AppendPoint(20, 5);  // only outside the axis range
  b->AppendPoint(30, 5);
  Draw();
  EXPECT_EQ(Px(XPix(5), YPix(5)), clWhite);
}

TEST_F(SeriesBandTest, UserHandlersSurvive) {
  auto* a = Line(3);
  auto* b = Line(7);
  int32_t before = 0, after = 0;
  a->BeforeDrawValues = [&](TObject*) { ++before; };
  a->AfterDrawValues = [&](TObject*) { ++after; };
  auto* t = BandTool(a, b);
  Draw();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
  EXPECT_EQ(Px(XPix(5), YPix(5)), Band);
  t->Free();
  EXPECT_FALSE(a->HasDrawHook(t));
  Draw();
  EXPECT_EQ(before, 2);
  EXPECT_EQ(Px(XPix(5), YPix(5)), clWhite);
}

using ExtraLegendTest = ToolChartTest;

TEST_F(ExtraLegendTest, ListsTheValuesOfItsSeriesOnly) {
  auto* a = Add<TBarSeries>();
  a->Add(1, "first");
  a->Add(2, "second");
  auto* b = Add<TBarSeries>();
  b->Add(3, "other");
  auto* t = AddTool<TExtraLegendTool>();
  t->SetSeries(b);
  Draw();
  TChartLegend* l = t->Legend();
  EXPECT_EQ(l->GetRestrictedSeries(), b);
  EXPECT_TRUE(l->GetCustomPosition());
  EXPECT_EQ(l->TotalItems, 1);
  EXPECT_FALSE(Chart->Legend()->GetVisible()) << "the chart's own legend stays as it was";
}

using PageNumTest = ToolChartTest;

TEST_F(PageNumTest, ShowsThePageAndThePageCount) {
  auto* s = Add<TBarSeries>();
  for (int32_t i = 0; i < 6; ++i) s->Add(i + 1);
  Chart->SetMaxPointsPerPage(2);
  Chart->SetPage(2);
  auto* t = AddTool<TPageNumTool>();
  EXPECT_EQ(t->GetText(), "Page 2 of 3");
  struct Case {
    const char* Format;
    const char* Text;
  };
  for (const Case& c : {Case{"%d/%d", "2/3"}, Case{"p. %d", "p. 2"}, Case{"none", "none"}, Case{"%d %d %d", "2 3 %d"}}) {
    t->SetFormat(c.Format);
    EXPECT_EQ(t->GetText(), c.Text);
  }
  t->SetFormat(TPageNumTool::DefaultFormat);
  EXPECT_FALSE(t->IsFormatStored());
  t->SetFormat("x");
  EXPECT_TRUE(t->IsFormatStored());
}

}  // namespace

}  // namespace DrawingToolsTests
