// The series style text: its fields, round trips through a fresh series, and
// texts that do not fit or are damaged.
#include "chart/engine/Chart.h"
#include "chart/series/PlotLegendScrollBar.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace SeriesTextTests {

namespace {

std::vector<std::string> Fields(const std::string& Text) {
  std::vector<std::string> f;
  size_t start = 0;
  for (size_t end; (end = Text.find('~', start)) != std::string::npos; start = end + 1)
    f.push_back(Text.substr(start, end - start));
  f.push_back(Text.substr(start));
  return f;
}

class SeriesTextTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    Series::Initialization();
  }
  // A line series with a look far from the defaults.
  TLineSeries* Styled() {
    auto* s = Add<TLineSeries>();
    s->SetSeriesColor(0x123456);
    s->LinePen()->SetWidth(3);
    s->LinePen()->SetStyle(psDash);
    s->Brush()->SetStyle(bsCross);
    s->Pointer()->SetVisible(true);
    s->Pointer()->SetStyle(TSeriesPointerStyle::psDiamond);
    s->Pointer()->SetHorizSize(7);
    s->Pointer()->Brush()->SetColor(0x00AA00);
    auto* marks = dynamic_cast<TSeriesMarks*>(s->Marks());
    marks->SetVisible(true);
    marks->SetDrawEvery(3);
    marks->SetAngle(90);
    marks->Font()->SetName("Courier New");
    marks->Font()->SetSize(13);
    marks->GetCallout()->SetDistance(4);
    marks->GetCallout()->SetLength(11);
    return s;
  }
};

TEST_F(SeriesTextTest, DefaultLineSeriesHas55FieldsWithItsTypeAt41) {
  auto* s = Add<TLineSeries>();
  const auto f = Fields(Series::SeriesToText(s));
  ASSERT_EQ(f.size(), 55u);
  EXPECT_EQ(f[41], "Line");
  EXPECT_EQ(f[43], "1");
  EXPECT_EQ(f[0], f[1]);
  EXPECT_EQ(Series::SeriesToText(nullptr), "");
  struct Case {
    TChartSeries* Series;
    size_t Count;
    const char* Type;
  };
  for (const Case& c : {Case{Add<TAreaSeries>(), 44, "Area"}, Case{Add<TFastLineSeries>(), 44, "Fast Line"},
                        Case{Add<THorizLineSeries>(), 55, "Horizontal\rLine"}}) {
    const auto g = Fields(Series::SeriesToText(c.Series));
    EXPECT_EQ(g.size(), c.Count) << c.Type;
    EXPECT_EQ(g[41], c.Type);
  }
}

TEST_F(SeriesTextTest, LineTextAppliedToAFreshLineSeriesReproducesIt) {
  const std::string text = Series::SeriesToText(Styled());
  auto* fresh = Add<TLineSeries>();
  ASSERT_NE(Series::SeriesToText(fresh), text);
  EXPECT_TRUE(Series::SeriesFromText(fresh, text));
  EXPECT_EQ(Series::SeriesToText(fresh), text);
  auto* marks = dynamic_cast<TSeriesMarks*>(fresh->Marks());
  EXPECT_EQ(marks->Font()->GetName(), "Courier New");
  EXPECT_EQ(marks->GetDrawEvery(), 3);
  EXPECT_EQ(fresh->Pointer()->GetStyle(), TSeriesPointerStyle::psDiamond);
  EXPECT_EQ(fresh->LinePen()->GetWidth(), 3);
}

TEST_F(SeriesTextTest, WhichSeriesATextFits) {
  const std::string line = Series::SeriesToText(Styled());
  auto* point = Add<TPointSeries>();
  const std::string pointBefore = Series::SeriesToText(point);
  EXPECT_FALSE(Series::SeriesFromText(point, line));
  EXPECT_EQ(Series::SeriesToText(point), pointBefore);

  auto* horiz = Add<THorizLineSeries>();
  EXPECT_TRUE(Series::SeriesFromText(horiz, line));
  EXPECT_EQ(horiz->Pointer()->GetStyle(), TSeriesPointerStyle::psDiamond) << "pointer and line pen applied";

  auto* fast = Add<TFastLineSeries>();
  EXPECT_TRUE(Series::SeriesFromText(fast, line));
  EXPECT_EQ(fast->LinePen()->GetWidth(), 3);
  EXPECT_EQ(fast->GetSeriesColor(), fast->LinePen()->GetColor()) << "a fast line takes its pen's colour";
  EXPECT_EQ(dynamic_cast<TSeriesMarks*>(fast->Marks())->GetDrawEvery(), 1) << "no class part for fast lines";

  // A fast-line text keeps its type name whole and applies to fast lines.
  const std::string fastText = Series::SeriesToText(fast);
  auto* otherFast = Add<TFastLineSeries>();
  EXPECT_TRUE(Series::SeriesFromText(otherFast, fastText));
  EXPECT_EQ(Series::SeriesToText(otherFast), fastText);

  auto* area = Add<TAreaSeries>();
  dynamic_cast<TSeriesMarks*>(area->Marks())->SetDrawEvery(5);
  const std::string areaText = Series::SeriesToText(area);
  dynamic_cast<TSeriesMarks*>(area->Marks())->SetDrawEvery(2);
  EXPECT_TRUE(Series::SeriesFromText(area, areaText));
  EXPECT_EQ(dynamic_cast<TSeriesMarks*>(area->Marks())->GetDrawEvery(), 2) << "areas do not read DrawEvery back";
}

TEST_F(SeriesTextTest, TextsThatDoNotFitChangeNothingAndSaySo) {
  auto* s = Add<TLineSeries>();
  const std::string before = Series::SeriesToText(s);
  auto f = Fields(Series::SeriesToText(Styled()));
  std::string short41;
  for (size_t i = 0; i < 41; ++i) short41 += (i ? "~" : "") + f[i];
  EXPECT_FALSE(Series::SeriesFromText(s, short41));
  EXPECT_FALSE(Series::SeriesFromText(s, ""));
  EXPECT_FALSE(Series::SeriesFromText(nullptr, before));
  EXPECT_EQ(Series::SeriesToText(s), before);
}

TEST_F(SeriesTextTest, DamagedTextRaisesAndLeavesTheSeriesAsItWas) {
  auto* s = Add<TLineSeries>();
  const std::string before = Series::SeriesToText(s);
  for (size_t bad : {size_t(2), size_t(34), size_t(51)}) {
    auto f = Fields(Series::SeriesToText(Styled()));
    f[bad] = bad == 34 ? "99" : "x";
    std::string text;
    for (size_t i = 0; i < f.size(); ++i) text += (i ? "~" : "") + f[i];
    EXPECT_ANY_THROW(Series::SeriesFromText(s, text)) << bad;
    EXPECT_EQ(Series::SeriesToText(s), before) << bad;
  }
  auto f = Fields(Series::SeriesToText(Styled()));
  f.resize(46);  // the pointer block cut short
  std::string text;
  for (size_t i = 0; i < f.size(); ++i) text += (i ? "~" : "") + f[i];
  EXPECT_ANY_THROW(Series::SeriesFromText(s, text));
  EXPECT_EQ(Series::SeriesToText(s), before);
}

}  // namespace

namespace {

TEST(SeriesRegistrationTest, StandardTypesAndToolsAreRegisteredOnceInOrder) {
  Series::RegisterStandardSeries();
  Series::RegisterStandardSeries();
  std::vector<std::string> names;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i)
    if (Chart::SeriesTypes().TypeAt(i)->SeriesClassRef) names.push_back(Chart::SeriesTypes().TypeAt(i)->Description());
  const std::vector<std::string> expected{"Line", "Area", "Point", "Fast Line", "Horizontal\rLine", "Horizontal\rArea"};
  std::vector<std::string> ours;
  for (const std::string& n : names)
    if (std::find(expected.begin(), expected.end(), n) != expected.end()) ours.push_back(n);
  EXPECT_EQ(ours, expected);
  PlotTools::RegisterTools();
  PlotTools::RegisterTools();
  PlotLegendScrollBar::Initialization();
  int image = 0, bar = 0;
  for (int32_t i = 0; i < Chart::ToolTypes().Count(); ++i) {
    image += Chart::ToolClassAt(i) == TChartImageTool::StaticClass();
    bar += Chart::ToolClassAt(i) == TLegendScrollBar::StaticClass();
  }
  EXPECT_EQ(image, 1);
  EXPECT_EQ(bar, 1);
  PlotLegendScrollBar::Finalization();
  PlotTools::UnregisterTools();
}

}  // namespace

}  // namespace SeriesTextTests
