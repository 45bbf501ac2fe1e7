#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/engine/PlotConst.h"
#include "chart/engine/tests/AxisFixture.h"

namespace PlotEngineAxisTests {

using namespace PlotEngine;

namespace {

class AxisTest : public ::testing::Test {
protected:
  void SetUp() override { PlotConst::Initialize(); }
};

TEST(AxisArithmetic, NiceStepTable) {
  const struct {
    double X, Expected;
  } Cases[] = {{0.03, 0.05}, {7, 10}, {20, 50}, {1, 2}, {2, 5}, {5, 10}, {1.5, 2}, {150, 200},
               {0, 1},       {-3, 1}, {NAN, 1}, {INFINITY, 1}};
  for (const auto& C : Cases) EXPECT_NEAR(NiceStep(C.X), C.Expected, 1e-12) << C.X;
}

TEST(AxisArithmetic, TolerantRoundingTable) {
  const struct {
    double X, Ceil, Floor;
  } Cases[] = {{2.00000000000005, 2, 2}, {2.2, 3, 2}, {-2.2, -2, -3}, {2.5, 3, 2}, {3 - 1e-11, 3, 3}};
  for (const auto& C : Cases) {
    EXPECT_EQ(CeilT(C.X), C.Ceil) << C.X;
    EXPECT_EQ(FloorT(C.X), C.Floor) << C.X;
  }
}

TEST(AxisArithmetic, LinLogTransformAndSteps) {
  EXPECT_DOUBLE_EQ(LinLog(1, 9), 1);
  EXPECT_DOUBLE_EQ(LinLog(1, -99), -2);
  EXPECT_DOUBLE_EQ(LinLog(1, 0), 0);
  for (double X : {-500.0, -1.0, 0.0, 0.3, 42.0}) EXPECT_NEAR(InvLinLog(0.5, LinLog(0.5, X)), X, 1e-9 * (1 + std::fabs(X)));
  const struct {
    double A, K, X, Expected;
  } Steps[] = {{1, 0, 80, 100}, {1, 1, 80, 1000}, {1, -1, 80, 10}, {1, 0, -300, -100},
               {1, 0, 0, 0},    {10, 0, 30, 0}};  // the last: 6a > |r|
  for (const auto& S : Steps) EXPECT_DOUBLE_EQ(LinLogStep(S.A, S.K, S.X), S.Expected) << S.X;
}

struct RangeCase {
  const char* Name;
  bool Log;
  double Increment;
  double DataMin, DataMax;
  double Min, Max;
};

TEST_F(AxisTest, RoundedLimitsTable) {
  const RangeCase Cases[] = {
      {"linear step 2", false, 2, 0.3, 9.7, 0, 10},
      {"quotient within 1e-10", false, 2, 0, 4.0000000000001, 0, 4},
      {"linear no step", false, 0, 0.3, 9.7, 0.3, 9.7},
      {"log base 10", true, 0, 3, 700, 1, 1000},
      {"log equal limits", true, 0, 10, 10, 1, 100},
      {"LinLog", true, 0, -50, 2000, -100, 10000},
      {"LinLog negative", true, 0, -2000, -50, -10000, -10},
      {"LinLog zero", true, 0, 0, 50, 0, 100},
  };
  for (const auto& C : Cases) {
    AxisOnChart A(false);
    A.Axis->RoundedLimits = true;
    A.Axis->SetIncrement(C.Increment);
    A.Axis->SetLogarithmic(C.Log);
    A.Fit(C.DataMin, C.DataMax);
    EXPECT_NEAR(A.Axis->ScaleMinimum, C.Min, 1e-9) << C.Name;
    EXPECT_NEAR(A.Axis->ScaleMaximum, C.Max, 1e-9) << C.Name;
    EXPECT_EQ(A.Axis->GetMinimum(), A.Axis->ScaleMinimum) << C.Name;
  }
}

TEST_F(AxisTest, LinLogThresholdTable) {
  struct Case {
    double DataMin, DataMax;
    int DecShift;
    bool MinDec;
    double MinDecValue;
    double Threshold;
  } Cases[] = {
      {-50, 2000, 3, false, 0.01, 10.0 / 9},     // 10^(4-3)/9 after rounding to -100..10000
      {-50, 2000, 1, false, 0.01, 1000.0 / 9},
      {-2000, -50, 3, false, 0.01, 1e-4 / 9},    // negative maximum: 10^round(log10(10 * 1e-5))
      {0, 0, 3, false, 0.01, 1.0},
      {-50, 2000, 3, true, 0.02, 0.01 / 9},      // 10^round(log10 0.02)
      {-50, 2000, 3, true, 1e6, 10000.0 / 9},    // above m: 10^floor(log10 m)
  };
  for (const auto& C : Cases) {
    AxisOnChart A(false);
    A.Axis->RoundedLimits = true;
    A.Axis->LinLogDecShift = C.DecShift;
    A.Axis->MinDecEnabled = C.MinDec;
    A.Axis->MinDecValue = C.MinDecValue;
    A.Axis->SetLogarithmic(true);
    A.Fit(C.DataMin, C.DataMax);
    EXPECT_TRUE(A.Axis->LinLogActive);
    EXPECT_NEAR(A.Axis->LinLogThreshold, C.Threshold, 1e-12 * C.Threshold) << C.DataMin << " " << C.MinDecValue;
  }
}

TEST_F(AxisTest, MinDecValueZeroIsReplacedAndKept) {
  AxisOnChart A(false);
  A.Axis->MinDecEnabled = true;
  A.Axis->MinDecValue = 0;
  A.Chart.DataMin = -10;
  A.Chart.DataMax = 500;
  A.Axis->SetLogarithmic(true);
  A.Fit(-10, 500);
  EXPECT_DOUBLE_EQ(A.Axis->MinDecValue, 5);
  EXPECT_NEAR(A.Axis->LinLogThreshold, 10.0 / 9, 1e-12);
  A.Fit(-10, 50000);
  EXPECT_DOUBLE_EQ(A.Axis->MinDecValue, 5);
}

TEST_F(AxisTest, FrozenRangeAndZoomedViewKeepLimits) {
  AxisOnChart A(false);
  A.Fit(0, 10);
  EXPECT_TRUE(A.Axis->LimitsChanged);
  A.Axis->RangeFrozen = true;
  A.Fit(5, 50);
  EXPECT_EQ(A.Axis->ScaleMaximum, 10);
  EXPECT_TRUE(A.Axis->LimitsChanged);
  A.Axis->RangeFrozen = false;
  A.Fit(0, 10);
  EXPECT_FALSE(A.Axis->LimitsChanged);
  A.Axis->SetMinMax(2, 4);
  A.Chart.Zoomed = true;
  A.Fit(0, 10);
  EXPECT_EQ(A.Axis->ScaleMinimum, 2);
  EXPECT_EQ(A.Axis->ScaleMaximum, 4);
}

TEST_F(AxisTest, FixedLimitsReplaceAutomaticOnes) {
  AxisOnChart A(false);
  A.Axis->UseFixedLimits = true;
  A.Axis->FixedMinimum = -1;
  A.Axis->FixedMaximum = 1;
  A.Fit(0, 10);
  EXPECT_EQ(A.Axis->ScaleMinimum, -1);
  EXPECT_EQ(A.Axis->ScaleMaximum, 1);
}

// Vertical axis from pixel 100 (start, top) to 500 (end, bottom).
struct PixelCase {
  const char* Name;
  bool Horizontal, Log, Inverted;
  double Min, Max, Value;
  int32_t Pixel;
};

TEST_F(AxisTest, ValueToPixelTable) {
  const PixelCase Cases[] = {
      {"horizontal", true, false, false, 0, 100, 25, 200},
      {"horizontal inverted", true, false, true, 0, 100, 25, 400},
      {"vertical", false, false, false, 0, 100, 25, 400},
      {"vertical inverted", false, false, true, 0, 100, 25, 200},
      {"half to even down", true, false, false, 0, 800, 1, 100},   // 100.5 -> 100
      {"half to even up", true, false, false, 0, 800, 3, 102},     // 101.5 -> 102
      {"clamped", true, false, false, 0, 1, 1e12, PixelClampLimit},
      {"clamped negative", true, false, false, 0, 1, -1e12, -PixelClampLimit},
      {"log decade", true, true, false, 1, 100, 10, 300},
      {"log vertical", false, true, false, 1, 100, 10, 300},
      {"log zero to start", true, true, false, 1, 100, 0, 100},
      {"log negative to start", true, true, false, 1, 100, -5, 100},
      {"log zero inverted to end", true, true, true, 1, 100, 0, 500},
      {"log vertical zero to end", false, true, false, 1, 100, 0, 500},
      {"NaN to centre", true, false, false, 0, 100, NAN, 300},
      {"log NaN to centre", false, true, false, 1, 100, NAN, 300},
  };
  for (const auto& C : Cases) {
    AxisOnChart A(C.Horizontal);
    A.Chart.Rect = C.Horizontal ? TRect{100, 0, 500, 50} : TRect{0, 100, 50, 500};
    A.Axis->SetLogarithmic(C.Log);
    A.Axis->SetInverted(C.Inverted);
    A.Axis->SetMinMax(C.Min, C.Max);
    A.Axis->SetAxisPositions();
    A.Axis->CalcAxisRange();
    EXPECT_EQ(A.Axis->ValueToPixel(C.Value), C.Pixel) << C.Name;
    if (std::isfinite(C.Value) && C.Value > (C.Log ? 0 : -1e9) && std::fabs(C.Value) < 1e9 &&
        C.Pixel != PixelClampLimit) {
      EXPECT_NEAR(A.Axis->CalcPosPointDouble(C.Pixel), C.Value, (C.Max - C.Min) / 400 * 1.01) << C.Name;
    }
  }
}

TEST_F(AxisTest, ZeroRangeMapsToCentre) {
  AxisOnChart A(true);
  A.Chart.Rect = {100, 0, 501, 50};
  A.Axis->SetAxisPositions();
  A.Fit(5, 5);
  EXPECT_TRUE(A.Axis->ZeroRange);
  EXPECT_EQ(A.Axis->CentrePixel, 300);
  for (double V : {-1e9, 0.0, 5.0, 1e9}) EXPECT_EQ(A.Axis->ValueToPixel(V), 300);
}

TEST_F(AxisTest, ExtremeLinLogScaleGivesNoLogValueAsPixel) {
  AxisOnChart A(false);
  A.Chart.Rect = {0, 100, 50, 500};
  A.Axis->SetLogarithmic(true);
  A.Axis->SetAxisPositions();
  A.Fit(-1, 1);
  ASSERT_TRUE(A.Axis->LinLogActive);
  // A zoom to a sliver keeps the threshold of the full range: the scale
  // then has more than 1e9 pixels per unit.
  A.Axis->SetMinMax(0, 1e-11);
  A.Chart.Zoomed = true;
  A.Axis->CalcAxisRange();
  ASSERT_GT(A.Axis->PixelsPerLogUnit, 1e9);
  EXPECT_EQ(A.Axis->ValueToPixel(5e-12), A.Axis->CentrePixel);
}

TEST_F(AxisTest, AxisEndsFollowTheChartRectangle) {
  AxisOnChart A(true);
  A.Chart.Rect = {10, 20, 410, 220};
  A.Axis->SetStartPosition(25);
  A.Axis->SetEndPosition(75);
  A.Axis->SetAxisPositions();
  EXPECT_EQ(A.Axis->StartPixel, 110);
  EXPECT_EQ(A.Axis->EndPixel, 310);
  EXPECT_EQ(A.Axis->CentrePixel, 210);
  AxisOnChart V(false);
  V.Chart.Rect = {10, 20, 410, 220};
  V.Axis->SetAxisPositions();
  EXPECT_EQ(V.Axis->StartPixel, 20);
  EXPECT_EQ(V.Axis->AxisLength, 200);
}

TEST_F(AxisTest, AxisLineSideTable) {
  const struct {
    bool Horizontal, OtherSide;
    double Percent;
    TPlotUnits Units;
    int32_t Side;
  } Cases[] = {{true, false, 0, muPercent, 220},  {true, true, 0, muPercent, 20},   {false, false, 0, muPercent, 10},
               {false, true, 0, muPercent, 410},  {true, false, 10, muPercent, 200}, {false, false, 10, muPixels, 20},
               {false, true, 10, muPercent, 370}, {true, true, 5, muPixels, 25}};
  for (const auto& C : Cases) {
    AxisOnChart A(C.Horizontal);
    A.Axis->SetOtherSide(C.OtherSide);
    A.Axis->SetPositionPercent(C.Percent);
    A.Axis->SetPositionUnits(C.Units);
    EXPECT_EQ(A.Axis->AxisLineSide(TRect{10, 20, 410, 220}), C.Side);
  }
}

TEST_F(AxisTest, CalcSizeValueTable) {
  AxisOnChart A(true);
  A.Chart.Rect = {0, 0, 400, 10};
  A.Axis->SetMinMax(0, 100);
  A.Axis->SetAxisPositions();
  A.Axis->CalcAxisRange();
  EXPECT_EQ(A.Axis->CalcSizeValue(25), 100);
  EXPECT_EQ(A.Axis->CalcSizeValue(0), 0);
  EXPECT_EQ(A.Axis->CalcSizeValue(-3), 0);
}

TEST_F(AxisTest, IncrementTable) {
  const struct {
    const char* Name;
    double Min, Max, Increment;
    int32_t Count;
    double Expected;
  } Cases[] = {
      {"nice step", 0, 100, 0, 10, 10},         // 100/11 -> 10
      {"wanted step kept", 0, 100, 25, 10, 25},
      {"wanted step too small", 0, 100, 1, 10, 10},
      {"zero range", 5, 5, 0, 10, 1},
      {"no labels", 0, 100, 0, 0, 1e-12},
      {"small range", 0, 0.001, 0, 5, 0.0002},
  };
  for (const auto& C : Cases) {
    AxisOnChart A(true);
    A.Axis->SetIncrement(C.Increment);
    A.Axis->SetMinMax(C.Min, C.Max);
    if (C.Min == C.Max) A.Axis->StoreLimits(C.Min, C.Max);
    A.Axis->CalcAxisRange();
    EXPECT_NEAR(A.Axis->CalcIncrement(C.Count), C.Expected, C.Expected * 1e-9) << C.Name;
  }
}

TEST_F(AxisTest, IncrementEndsForDegenerateRanges) {
  AxisOnChart A(true);
  A.Axis->StoreLimits(NAN, NAN);
  A.Axis->SetAutomatic(false);
  A.Axis->CalcAxisRange();
  EXPECT_EQ(A.Axis->CalcIncrement(10), 1);
  A.Axis->StoreLimits(0, INFINITY);
  A.Axis->CalcAxisRange();
  EXPECT_TRUE(std::isinf(A.Axis->CalcIncrement(10)) || A.Axis->CalcIncrement(10) > 0);
  AxisOnChart L(true);
  L.Axis->SetLogarithmic(true);
  L.Axis->SetMinMax(-1e-200, 1e200);
  L.Axis->CalcAxisRange();
  EXPECT_GT(L.Axis->CalcIncrement(3), 0);
}

TEST_F(AxisTest, FewPointsRaiseTheStepToOne) {
  AxisOnChart A(true);
  A.Axis->SetMinMax(0, 3);
  A.Axis->CalcAxisRange();
  A.Chart.SeriesPoints = 4;
  EXPECT_EQ(A.Axis->CalcIncrement(20), 1);
  A.Chart.SeriesPoints = 100;
  EXPECT_LT(A.Axis->CalcIncrement(20), 1);
}

TEST_F(AxisTest, IncrementForLabelSize) {
  AxisOnChart A(true);
  A.Chart.Rect = {0, 0, 440, 10};
  A.Axis->SetMinMax(0, 100);
  A.Axis->SetAxisPositions();
  A.Axis->CalcAxisRange();
  // 440 / (40 + 4) = 10 labels -> step 10.
  EXPECT_DOUBLE_EQ(A.Axis->IncrementForLabelSize(40), 10);
}

TEST_F(AxisTest, SetterChecksRaiseAndKeepTheValue) {
  AxisOnChart A(true);
  A.Axis->SetMinMax(0, 10);
  const struct {
    std::function<void()> Set;
    const char* Message;
  } Cases[] = {
      {[&] { A.Axis->SetMinimum(11); }, "Axis Minimum Value must be <= Maximum"},
      {[&] { A.Axis->SetMaximum(-1); }, "Axis Maximum Value must be >= Minimum"},
      {[&] { A.Axis->SetIncrement(-1); }, "Axis increment must be >= 0"},
      {[&] { A.Axis->SetIncrement(NAN); }, "Axis increment must be >= 0"},
      {[&] { A.Axis->SetLogarithmicBase(1); }, "Axis Logarithmic Base should be <> 1 and > 0"},
      {[&] { A.Axis->SetLogarithmicBase(0); }, "Axis Logarithmic Base should be <> 1 and > 0"},
      {[&] { A.Axis->SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0"},
  };
  for (const auto& C : Cases) {
    try {
      C.Set();
      ADD_FAILURE() << C.Message;
    } catch (const AxisException& E) {
      EXPECT_STREQ(E.what(), C.Message);
    }
  }
  EXPECT_EQ(A.Axis->GetMinimum(), 0);
  EXPECT_EQ(A.Axis->GetMaximum(), 10);
  EXPECT_EQ(A.Axis->GetIncrement(), 0);
  EXPECT_EQ(A.Axis->GetLogarithmicBase(), 10);
  A.Axis->SetLabelsSeparation(0);
  A.Chart.Loading = true;
  A.Axis->SetMinimum(20);  // accepted while loading
  EXPECT_EQ(A.Axis->GetMinimum(), 20);
}

TEST_F(AxisTest, SetMinMaxAndScroll) {
  AxisOnChart A(true);
  A.Axis->SetMinMax(5, 1);
  EXPECT_EQ(A.Axis->GetMinimum(), 1);
  EXPECT_EQ(A.Axis->GetMaximum(), 5);
  EXPECT_FALSE(A.Axis->GetAutomatic());
  EXPECT_FALSE(A.Axis->GetAutomaticMinimum());
  A.Axis->SetMinMax(3, 3);
  EXPECT_EQ(A.Axis->GetMaximum(), 3 + 1e-10);
  A.Chart.DataMax = 3;
  A.Axis->Scroll(1, true);  // nothing beyond the maximum
  EXPECT_EQ(A.Axis->GetMinimum(), 3);
  A.Chart.DataMax = 10;
  A.Axis->Scroll(1, true);
  EXPECT_EQ(A.Axis->GetMinimum(), 4);
  A.Axis->Scroll(-10, false);
  EXPECT_EQ(A.Axis->GetMinimum(), -6);
}

TEST_F(AxisTest, AutomaticFlagsFollowEachOther) {
  AxisOnChart A(true);
  A.Axis->SetAutomatic(false);
  EXPECT_FALSE(A.Axis->GetAutomaticMinimum());
  EXPECT_FALSE(A.Axis->GetAutomaticMaximum());
  A.Axis->SetAutomaticMinimum(true);
  EXPECT_FALSE(A.Axis->GetAutomatic());
  A.Axis->SetAutomaticMaximum(true);
  EXPECT_TRUE(A.Axis->GetAutomatic());
  A.Axis->SetAutomaticMaximum(false);
  EXPECT_FALSE(A.Axis->GetAutomatic());
  A.Chart.Loading = true;
  A.Axis->SetAutomatic(true);
  EXPECT_FALSE(A.Axis->GetAutomaticMaximum());
}

TEST_F(AxisTest, StoredForms) {
  AxisOnChart A(true);
  A.Axis->SetZPosition(0);
  EXPECT_EQ(A.Axis->GetZPosition(), 0.01);
  A.Axis->SetLabelsAngle(450);
  EXPECT_EQ(A.Axis->GetLabelsAngle(), 90);
  A.Axis->Title()->SetAngle(-450);
  EXPECT_EQ(A.Axis->Title()->GetAngle(), -90);
}

TEST_F(AxisTest, LogarithmicOnDateTimeAndLabelFormat) {
  AxisOnChart A(true);
  A.Chart.DateTime = true;
  A.Chart.Zoomed = true;
  EXPECT_THROW(A.Axis->SetLogarithmic(true), AxisException);
  EXPECT_FALSE(A.Axis->GetLogarithmic());
  EXPECT_FALSE(A.Chart.Zoomed);  // the zoom was undone first
  A.Chart.DateTime = false;
  int Changes = 0;
  A.Axis->OnAxisChange = [&](TObject*) { ++Changes; };
  A.Axis->LogLabelFormat = true;
  A.Axis->SetIncrement(5);
  A.Axis->SetLogarithmic(true);
  EXPECT_TRUE(A.Axis->GetLabelsExponent());
  EXPECT_EQ(A.Axis->GetAxisValuesFormat(), "0\"0\"e-0");
  EXPECT_EQ(A.Axis->GetMinorTickCount(), 8);
  EXPECT_EQ(A.Axis->GetIncrement(), 0);
  A.Axis->SetLogarithmic(false);
  EXPECT_FALSE(A.Axis->GetLabelsExponent());
  EXPECT_EQ(A.Axis->GetAxisValuesFormat(), "##0.###");
  EXPECT_EQ(A.Axis->GetMinorTickCount(), 1);
  EXPECT_EQ(Changes, 2);
}

TEST_F(AxisTest, FreeingAnAxisTellsTheChart) {
  FakeAxisChart Chart;
  auto* Custom = new TChartAxis(nullptr, &Chart, true);
  EXPECT_EQ(Chart.Axes.Count(), 1);
  Custom->Free();
  EXPECT_EQ(Chart.Axes.Count(), 0);
  EXPECT_EQ(Chart.Freed.size(), 1u);
  EXPECT_THROW(Chart.Axes.Items(0), ChartException);
}

TEST_F(AxisTest, AssignCopiesSettingsButNotScaleState) {
  AxisOnChart A(true), B(false);
  A.Axis->SetMinMax(2, 8);
  A.Axis->SetTickLength(9);
  A.Axis->Grid()->SetColor(clRed);
  A.Axis->Title()->SetCaption("Depth");
  A.Axis->RoundedLimits = true;
  B.Axis->Assign(A.Axis);
  EXPECT_EQ(B.Axis->GetMaximum(), 8);
  EXPECT_EQ(B.Axis->GetTickLength(), 9);
  EXPECT_EQ(B.Axis->Grid()->GetColor(), clRed);
  EXPECT_EQ(B.Axis->Title()->GetCaption(), "Depth");
  EXPECT_TRUE(B.Axis->GetHorizontal());
  EXPECT_FALSE(B.Axis->RoundedLimits);
}

TEST_F(AxisTest, LabelItemsAndTheLabelFormat) {
  AxisOnChart A(true), B(false);
  TAxisItems& Items = A.Axis->Items();
  EXPECT_TRUE(Items.Format().GetTransparent());
  Items.Add(1.5, "one and a half");
  TAxisItem* Item = Items.Add(3);
  EXPECT_TRUE(Item->GetTransparent());
  const int Before = A.Chart.Invalidations;
  Item->SetText("three");
  EXPECT_EQ(A.Chart.Invalidations, Before + 1);
  A.Axis->SetLabels(false);
  EXPECT_FALSE(Items.Format().GetVisible());
  A.Axis->LabelsFont()->SetSize(17);
  EXPECT_EQ(Items.Format().Font()->GetSize(), 17);
  B.Axis->Assign(A.Axis);
  ASSERT_EQ(B.Axis->Items().Count(), 2);
  EXPECT_EQ(B.Axis->Items().Items(0)->GetText(), "one and a half");
  EXPECT_EQ(B.Axis->Items().Items(1)->GetValue(), 3);
  EXPECT_FALSE(B.Axis->GetLabels());
  EXPECT_EQ(B.Axis->LabelsFont()->GetSize(), 17);
  EXPECT_THROW(Items.Items(2), ChartException);
  Items.Clear();
  EXPECT_EQ(Items.Count(), 0);
}

}  // namespace

}  // namespace PlotEngineAxisTests
