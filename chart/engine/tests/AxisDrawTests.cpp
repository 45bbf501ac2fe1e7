// Drawing an axis: label texts and places, ticks, grid, exponent labels,
// the label event and placed titles.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "chart/engine/tests/AxisFixture.h"
#include "chart/engine/tests/CanvasFixture.h"

namespace AxisDrawTests {

namespace {

class DrawChart : public FakeAxisChart {
public:
  TCanvas3D* GetCanvas() override { return Canvas; }
  bool GetNextAxisLabel(TChartAxis*, int32_t Index, double& Value, bool& Stop) override {
    if (!NextLabel) return false;
    NextLabel(Index, Value, Stop);
    return true;
  }
  TCanvas3D* Canvas = nullptr;
  std::function<void(int32_t Index, double& Value, bool& Stop)> NextLabel;
};

class AxisDrawTest : public CanvasFixture {
protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    Reset(240, 120);
  }
  // A bottom axis over Min..Max with step Inc below the rectangle (20,10)-(220,80).
  TChartAxis* MakeAxis(double Min, double Max, double Inc, bool Horizontal = true) {
    Chart.Canvas = Canvas.get();
    Chart.Rect = TRect(20, 10, 220, 80);
    Axis = new TChartAxis(nullptr, &Chart, Horizontal);
    Axis->SetLabelStyle(talValue);
    Axis->SetMinMax(Min, Max);
    Axis->SetIncrement(Inc);
    Axis->SetAxisPositions();
    Axis->CalcAxisRange();
    TRect r = Chart.Rect;
    Axis->LayoutAxis(r, false);
    return Axis;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& rec : Canvas->Texts) t.push_back(rec.Text);
    return t;
  }
  void TearDown() override {
    Chart.Axes.Clear();
    CanvasFixture::TearDown();
  }
  DrawChart Chart;
  TChartAxis* Axis = nullptr;
};

}  // namespace

TEST_F(AxisDrawTest, ValueLabelsTicksAndGridAtTheSteps) {
  MakeAxis(0, 10, 2);
  Axis->Grid()->SetStyle(psSolid);
  Axis->Grid()->SetColor(clRed);
  Axis->Draw(false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"10", "8", "6", "4", "2"}));
  std::vector<int32_t> expected;
  for (double v : {10.0, 8.0, 6.0, 4.0, 2.0}) expected.push_back(Axis->ValueToPixel(v));
  EXPECT_EQ(Axis->TickPixels, expected);
  for (size_t i = 0; i < expected.size(); ++i) {
    const int32_t p = expected[i];
    EXPECT_EQ(Canvas->Texts[i].X, p);
    EXPECT_EQ(Canvas->Texts[i].Y, Axis->LabelsPos);
    EXPECT_EQ(Px(p, 40), clRed) << p;                              // grid line
    EXPECT_NE(Px(p, Axis->AxisLinePos + 3) & 0xFFFFFF, clWhite) << p;  // tick below the axis line
  }
  EXPECT_EQ(Px(Axis->ValueToPixel(3), 40), clWhite);  // no grid between steps
  // The axis line spans the axis.
  EXPECT_NE(Px(Axis->ValueToPixel(3), Axis->AxisLinePos), clWhite);
}

TEST_F(AxisDrawTest, LabelThatReadsAsZeroIsDrawnAsZero) {
  MakeAxis(-10, 10, 5);
  Axis->SetAxisValuesFormat("0.000");
  Axis->Draw(false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"10.000", "5.000", "0", "-5.000"}));
}

TEST_F(AxisDrawTest, ExponentLabelDrawsASmallerRaisedExponent) {
  MakeAxis(0, 2000, 1000);
  Axis->SetAxisValuesFormat("0E+0");
  Axis->SetLabelsExponent(true);
  Axis->Draw(false);
  ASSERT_GE(Canvas->Texts.size(), 2u);
  const auto& exponent = Canvas->Texts[0];  // centred labels draw the exponent first
  const auto& base = Canvas->Texts[1];
  EXPECT_EQ(exponent.Text, "+3");
  EXPECT_EQ(base.Text, "2");
  EXPECT_EQ(exponent.Size, base.Size - base.Size / 4);
  EXPECT_LT(exponent.Y, base.Y);
  EXPECT_LT(base.X, exponent.X);
}

TEST_F(AxisDrawTest, WordsWithAnEStayWhole) {
  MakeAxis(0, 10, 5);
  Axis->SetLabelsExponent(true);
  Axis->OnDrawLabel = [](TChartAxis*, int32_t&, int32_t&, int32_t&, std::string& Text, bool&) { Text = "Depth"; };
  Axis->Draw(false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Depth", "Depth"}));
}

TEST_F(AxisDrawTest, DrawLabelEventMovesOrCancelsLabels) {
  MakeAxis(0, 10, 2);
  Axis->OnDrawLabel = [](TChartAxis*, int32_t& X, int32_t&, int32_t&, std::string& Text, bool& Draw) {
    if (Text == "4") Draw = false;
    X += 1;
  };
  Axis->Draw(false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"10", "8", "6", "2"}));
  EXPECT_EQ(Canvas->Texts[0].X, Axis->ValueToPixel(10) + 1);
}

TEST_F(AxisDrawTest, NextLabelEventThatNeverStopsEndsAfter2001Labels) {
  MakeAxis(0, 10, 2);
  Axis->SetTickOnLabelsOnly(true);
  int32_t calls = 0;
  Chart.NextLabel = [&](int32_t, double& Value, bool& Stop) {
    ++calls;
    Value = 5;
    Stop = false;
  };
  Axis->Draw(false);
  EXPECT_EQ(calls, 2001);
  EXPECT_EQ(Axis->TickPixels.size(), 2001u);
}

TEST_F(AxisDrawTest, NextLabelEventStoppingAtOnceDrawsTheDefaultLabels) {
  MakeAxis(0, 10, 2);
  Chart.NextLabel = [](int32_t, double&, bool& Stop) { Stop = true; };
  Axis->Draw(false);
  EXPECT_EQ(Texts().size(), 5u);
}

TEST_F(AxisDrawTest, PlacedTitleSitsBesideTheChartRectangle) {
  MakeAxis(0, 10, 2);
  Axis->Title()->SetCaption("Sep");
  Axis->TitlePlacementOn = true;
  Axis->TitlePlacement = 3;
  Axis->Draw(false);
  const auto it = std::find_if(Canvas->Texts.begin(), Canvas->Texts.end(), [](const auto& t) { return t.Text == "Sep"; });
  ASSERT_NE(it, Canvas->Texts.end());
  EXPECT_EQ(it->X, 220 + 3);
  EXPECT_EQ(it->Y, 80 + 3);
}

TEST_F(AxisDrawTest, MinorTicksFillBetweenAndBeyondTheTicks) {
  MakeAxis(0, 10, 2);
  Axis->SetMinorTickCount(1);
  const std::vector<int32_t> minor = [&] {
    Axis->Draw(false);
    return Axis->MinorPixels();
  }();
  // One mark half-way between neighbouring ticks, and half a step beyond the ends.
  for (double v : {9.0, 7.0, 5.0, 3.0, 1.0})
    EXPECT_NE(std::find(minor.begin(), minor.end(), Axis->ValueToPixel(v)), minor.end()) << v;
  for (int32_t p : minor) {
    EXPECT_GT(p, Axis->StartPixel);
    EXPECT_LT(p, Axis->EndPixel);
  }
}

TEST_F(AxisDrawTest, MinorMarksRoundHalfStepsToEven) {
  MakeAxis(0, 10, 2);
  Axis->SetMinorTickCount(3);
  Axis->StartPixel = 0;
  Axis->EndPixel = 200;
  // Ticks 10 pixels apart: minor steps of 2.5, 5 and 7.5 pixels round to 2, 5 and 8.
  Axis->TickPixels = {100, 110};
  std::vector<int32_t> minor = Axis->MinorPixels();
  std::sort(minor.begin(), minor.end());
  EXPECT_EQ(minor, (std::vector<int32_t>{92, 95, 98, 102, 105, 108, 112, 115, 118}));
}

TEST_F(AxisDrawTest, CustomDrawMinMaxRestoresTheAxisAlsoWhenDrawingFails) {
  MakeAxis(0, 10, 2);
  Axis->Grid()->SetVisible(true);
  Axis->CustomDrawMinMax(100, 110, 95, 20, 220, 0, 50, 10, false);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"50", "40", "30", "20", "10"}));
  EXPECT_EQ(Axis->GetMaximum(), 10);
  Axis->OnDrawLabel = [](TChartAxis*, int32_t&, int32_t&, int32_t&, std::string& Text, bool&) {
    if (Text == "40") throw std::runtime_error("bad label");
  };
  EXPECT_THROW(Axis->CustomDrawMinMax(100, 110, 95, 20, 220, 0, 50, 10, false), std::runtime_error);
  EXPECT_EQ(Axis->GetMaximum(), 10);
  EXPECT_EQ(Axis->GetIncrement(), 2);
  EXPECT_FALSE(Axis->GetAutomatic());  // SetMinMax switched it off before
  EXPECT_EQ(Axis->ScaleMaximum, 10);
  EXPECT_TRUE(Axis->Grid()->GetVisible());
}

TEST_F(AxisDrawTest, HitTestCoversAxisLineAndLabelsWithOnePixelOutside) {
  MakeAxis(0, 10, 2);
  // Bottom axis: from 3 above the axis line to the labels, one more below.
  const int32_t x = (Axis->StartPixel + Axis->EndPixel) / 2;
  EXPECT_TRUE(Axis->HitTest(x, Axis->AxisLinePos - 3));
  EXPECT_FALSE(Axis->HitTest(x, Axis->AxisLinePos - 4));
  EXPECT_TRUE(Axis->HitTest(x, Axis->LabelsPos + 1));
  EXPECT_FALSE(Axis->HitTest(x, Axis->LabelsPos + 2));
  EXPECT_FALSE(Axis->HitTest(Axis->EndPixel + 1, Axis->AxisLinePos));
}

// A series that drew before the axis leaves its brush on the canvas: the labels
// must not take it as their background.
TEST_F(AxisDrawTest, LabelsKeepNoBackgroundOfTheLastBrush) {
  MakeAxis(0, 10, 2, false);
  Canvas->Brush->SetColor(clLime);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->SetBackMode(OPAQUE);
  Axis->Draw(false);
  ASSERT_FALSE(Canvas->Texts.empty());
  for (int32_t y = 0; y < 120; ++y)
    for (int32_t x = 0; x < 240; ++x) ASSERT_NE(Px(x, y) & 0xFFFFFF, clLime & 0xFFFFFF) << x << "," << y;
}

}  // namespace AxisDrawTests
