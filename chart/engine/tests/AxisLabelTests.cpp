// Axis label texts, label line counts, tick room and the label step.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/engine/tests/AxisFixture.h"
#include "chart/engine/tests/CanvasFixture.h"

namespace AxisLabelTests {

namespace {

// A fake chart with a canvas and an axis label event.
class LabelChart : public FakeAxisChart {
public:
  TCanvas3D* GetCanvas() override { return Canvas; }
  void GetAxisLabel(TChartAxis*, TChartSeries* Series, int32_t ValueIndex, std::string& Text) override {
    ++Calls;
    EXPECT_EQ(Series, nullptr);
    EXPECT_EQ(ValueIndex, -1);
    if (!Replacement.empty()) Text = Replacement;
  }
  TCanvas3D* Canvas = nullptr;
  int Calls = 0;
  std::string Replacement;
};

struct LabelAxis {
  explicit LabelAxis(bool Horizontal = true) : Axis(new TChartAxis(nullptr, &Chart, Horizontal)) {}
  ~LabelAxis() { Chart.Axes.Clear(); }
  void Fit(double Min, double Max) {
    Chart.DataMin = Min;
    Chart.DataMax = Max;
    Axis->SetAxisPositions();
    Axis->CalcAxisRange();
  }
  LabelChart Chart;
  TChartAxis* Axis;
};

}  // namespace

TEST(AxisLabelValue, FormatsValuesByTheAxisFormat) {
  struct Case {
    const char* Format;
    double Value;
    const char* Text;
  } cases[] = {
      {"#,##0.###", 1234.5, "1,234.5"},
      {"#,##0.###", 0.00012, "0"},
      {"##0.###", 0.12345, "0.123"},
      {"0\"0\"e-0", 1000, "10e3"},
  };
  for (const Case& c : cases) {
    LabelAxis a;
    a.Axis->SetAxisValuesFormat(c.Format);
    EXPECT_EQ(a.Axis->LabelValue(c.Value), c.Text) << c.Format << " " << c.Value;
  }
}

TEST(AxisLabelValue, DateTimeAxisGivesNoTextForNegativeValues) {
  LabelAxis a;
  a.Chart.DateTime = true;
  a.Axis->SetDateTimeFormat("yyyy");
  EXPECT_EQ(a.Axis->LabelValue(-1), "");
  EXPECT_EQ(a.Axis->LabelValue(36526), "2000");  // 1 January 2000
}

TEST(AxisLabelValue, EventChangesTheTextExceptWhileMeasuring) {
  LabelAxis a;
  a.Chart.Replacement = "Depth";
  EXPECT_EQ(a.Axis->LabelValue(5), "Depth");
  EXPECT_EQ(a.Chart.Calls, 1);
  a.Axis->MeasuringLabels = true;
  EXPECT_EQ(a.Axis->LabelValue(5), "5");
  EXPECT_EQ(a.Chart.Calls, 1);
}

TEST(AxisLabelValue, MultiLineTurnsBlanksIntoLineSeparators) {
  LabelAxis a;
  a.Axis->SetAxisValuesFormat("0 \"m\"");
  a.Axis->SetLabelsMultiLine(true);
  const std::string text = a.Axis->LabelValue(5);
  EXPECT_EQ(text, "5\rm");
  EXPECT_EQ(PlotEngine::LabelLineCount(text), 2);
}

TEST(AxisLabelLines, CountsLinesWithTextAfterTheLastSeparator) {
  struct Case {
    const char* Text;
    int32_t Lines;
  } cases[] = {{"", 0}, {"a", 1}, {"a\r", 1}, {"a\rb", 2}, {"\r", 1}, {"a\r\rb", 3}};
  for (const Case& c : cases) EXPECT_EQ(PlotEngine::LabelLineCount(c.Text), c.Lines) << c.Text;
  EXPECT_EQ(PlotEngine::LabelLines("a\r\rb"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(AxisLayout, SizeTickAxisAddsPenWidthTicksAndMinorTicks) {
  struct Case {
    bool AxisPen, Ticks, MinorTicks;
    int32_t MinorLength, Size;
  } cases[] = {
      {true, true, true, 2, 2 + 1 + 4},  // pen width 2 + 1, tick length 4
      {false, true, true, 2, 4},
      {false, false, true, 2, 2},
      {false, false, false, 2, 0},
      {true, false, true, 9, 9},  // minor ticks longer than the rest
  };
  for (const Case& c : cases) {
    LabelAxis a;
    a.Axis->Axis()->SetVisible(c.AxisPen);
    a.Axis->Ticks()->SetVisible(c.Ticks);
    a.Axis->MinorTicks()->SetVisible(c.MinorTicks);
    a.Axis->SetMinorTickLength(c.MinorLength);
    EXPECT_EQ(a.Axis->SizeTickAxis(), c.Size) << c.AxisPen << c.Ticks << c.MinorTicks;
  }
}

class AxisLabelStep : public CanvasFixture {};

TEST_F(AxisLabelStep, StepLeavesRoomForTheWidestLabel) {
  // Labels at the step never come closer than the widest label's width.
  for (double max : {10.0, 1234.0, 1e6}) {
    LabelAxis a;
    a.Chart.Canvas = Canvas.get();
    a.Chart.Rect = TRect(0, 0, 300, 100);
    a.Fit(0, max);
    const double step = a.Axis->CalcLabelsIncrement();
    Canvas->UseFont(*a.Axis->LabelsFont());
    const int32_t widest = std::max(Canvas->TextWidth(a.Axis->LabelValue(max)), Canvas->TextWidth(a.Axis->LabelValue(0)));
    EXPECT_GE(step * a.Axis->PixelsPerUnit, widest) << max;
    a.Axis->SetLabelsAlternate(true);
    EXPECT_DOUBLE_EQ(a.Axis->CalcLabelsIncrement(), step / 2) << max;
  }
}

TEST_F(AxisLabelStep, VerticalAxisStepUsesTheFontHeight) {
  LabelAxis a(false);
  a.Chart.Canvas = Canvas.get();
  a.Chart.Rect = TRect(0, 0, 100, 200);
  a.Fit(0, 100);
  Canvas->UseFont(*a.Axis->LabelsFont());
  const int32_t h = Canvas->FontHeight();
  const double step = a.Axis->CalcLabelsIncrement();
  EXPECT_GE(step * a.Axis->PixelsPerUnit, h);
  EXPECT_LT(step * a.Axis->PixelsPerUnit, 5.0 * h);  // not needlessly sparse
}

class AxisLayoutTest : public CanvasFixture {};

TEST_F(AxisLayoutTest, ReserveShrinksTheRectOnTheAxisSide) {
  struct Case {
    bool Horizontal, OtherSide;
  } cases[] = {{true, false}, {true, true}, {false, false}, {false, true}};
  for (const Case& c : cases) {
    LabelAxis a(c.Horizontal);
    a.Axis->SetOtherSide(c.OtherSide);
    a.Chart.Canvas = Canvas.get();
    a.Fit(0, 10);
    a.Axis->SetLabelStyle(talValue);  // the fake chart has no series to decide
    a.Axis->Title()->SetCaption("Depth");
    const int32_t labels = a.Axis->SizeLabels(), title = a.Axis->SizeTitle(), ticks = a.Axis->SizeTickAxis();
    ASSERT_GT(labels, 0);
    ASSERT_GT(title, 0);
    const TRect before(100, 100, 400, 300);
    TRect r = before;
    a.Axis->LayoutAxis(r, true);
    const int32_t total = labels + title + ticks;
    const TRect expected = !c.Horizontal ? (c.OtherSide ? TRect(100, 100, 400 - total, 300) : TRect(100 + total, 100, 400, 300))
                                         : (c.OtherSide ? TRect(100, 100 + total, 400, 300) : TRect(100, 100, 400, 300 - total));
    EXPECT_EQ(r, expected) << c.Horizontal << c.OtherSide;
    const int32_t sign = (c.Horizontal != c.OtherSide) ? 1 : -1;  // outward direction
    const int32_t edge = c.Horizontal ? (c.OtherSide ? 100 : 300) : (c.OtherSide ? 400 : 100);
    EXPECT_EQ(a.Axis->TitlePos, edge - sign * title);
    EXPECT_EQ(a.Axis->LabelsPos, edge - sign * (title + labels));

    // Without reserving, labels and title stack outward from the axis line.
    a.Axis->LayoutAxis(r, false);
    EXPECT_EQ(a.Axis->AxisLinePos, a.Axis->AxisLineSide(r));
    EXPECT_EQ(a.Axis->LabelsPos, a.Axis->AxisLinePos + sign * ticks);
    EXPECT_EQ(a.Axis->TitlePos, a.Axis->LabelsPos + sign * labels);
  }
}

TEST_F(AxisLayoutTest, PlacedTitleTakesNoRoomAndAlternateLabelsTakeTwoRows) {
  LabelAxis a;
  a.Chart.Canvas = Canvas.get();
  a.Fit(0, 10);
  a.Axis->Title()->SetCaption("Sep");
  a.Axis->TitlePlacementOn = true;
  a.Axis->TitlePlacement = 3;
  const int32_t labels = a.Axis->SizeLabels();
  TRect r(0, 0, 200, 200);
  a.Axis->LayoutAxis(r, true);
  EXPECT_EQ(r.Bottom, 200 - labels - a.Axis->SizeTickAxis());
  a.Axis->SetLabelsAlternate(true);
  EXPECT_EQ(a.Axis->SizeLabels(), 2 * labels);
}

TEST_F(AxisLayoutTest, MultiLineLabelsBandGrowsByALine) {
  LabelAxis a;
  a.Chart.Canvas = Canvas.get();
  a.Fit(0, 10);
  a.Axis->SetLabelStyle(talValue);
  a.Axis->SetAxisValuesFormat("0 \"m\"");
  const int32_t one = a.Axis->SizeLabels();
  a.Axis->SetLabelsMultiLine(true);
  EXPECT_EQ(a.Axis->SizeLabels(), 2 * one);
}

TEST_F(AxisLayoutTest, SizeLabelsHookChangesTheReservedRoom) {
  LabelAxis a;
  a.Chart.Canvas = Canvas.get();
  a.Fit(0, 10);
  a.Chart.Axes.OnSizeLabels = [](TChartAxis*, int32_t& Size) { Size = 30; };
  TRect r(0, 0, 200, 200);
  a.Axis->LayoutAxis(r, true);
  EXPECT_EQ(r.Bottom, 200 - 30 - a.Axis->SizeTickAxis());
  EXPECT_EQ(a.Axis->LabelsPos, 170);
}

TEST(AxisLabelPositions, SteppedLabelsRunFromTheTopAndSkipTheMinimum) {
  struct Case {
    double Min, Max, Inc;
    bool RoundFirst;
    double Scale, Offset;
    std::vector<double> Values;
  } cases[] = {
      {0, 10, 2, true, 1, 0, {10, 8, 6, 4, 2}},
      {-10, 10, 5, true, 1, 0, {10, 5, 0, -5}},
      {0.5, 9.5, 2, true, 1, 0, {8, 6, 4, 2}},
      {0.5, 9.5, 2, false, 1, 0, {9.5, 7.5, 5.5, 3.5, 1.5}},
      {0, 10, 2, true, 2, 1, {20, 16, 12, 8, 4}},  // label units: 2 * (value + 1)
      {0, 1e6, 1, true, 1, 0, {}},                  // a million labels: none drawn
  };
  for (const Case& c : cases) {
    AxisOnChart a(true);
    a.Axis->SetMinMax(c.Min, c.Max);
    a.Axis->SetRoundFirstLabel(c.RoundFirst);
    a.Axis->LabelScale = c.Scale;
    a.Axis->LabelOffset = c.Offset;
    a.Axis->SetAxisPositions();
    a.Axis->CalcAxisRange();
    const std::vector<double> got = a.Axis->SteppedLabelValues(c.Inc, 27);
    ASSERT_EQ(got.size(), c.Values.size()) << c.Min << ".." << c.Max;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.Values[i], 1e-9) << c.Min << ".." << c.Max;
  }
}

TEST(AxisLabelPositions, ZeroRangeGivesOneLabel) {
  AxisOnChart a(false);
  a.Axis->SetMinMax(5, 5);
  a.Axis->SetAxisPositions();
  a.Axis->CalcAxisRange();
  EXPECT_EQ(a.Axis->SteppedLabelValues(1, 27).size(), 1u);
}

}  // namespace AxisLabelTests
