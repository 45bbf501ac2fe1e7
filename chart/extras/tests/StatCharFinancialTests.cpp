// MACD and Bollinger bands against hand-worked values, their auxiliary
// series, and the mended short-source and rounded-period cases.
#include <cmath>

#include "chart/extras/StatChar.h"
#include "chart/extras/tests/FinancialFixture.h"

namespace StatCharFinancialTests {

namespace {

using MultiLineFunctionTest = FinancialTest;

TNumbers Sequence(int N) {
  TNumbers v;
  for (int i = 1; i <= N; ++i) v.push_back(i);
  return v;
}

TEST_F(MultiLineFunctionTest, MACDWithDefaultsOverOneToThirty) {
  auto [result, macd] = Result<TMACDFunction>(nullptr);
  EXPECT_EQ(macd->MACDPen(), result->Pen());
  result->AddDataSource(Line(Sequence(30)));
  ASSERT_EQ(result->Count(), 30);
  ASSERT_EQ(macd->SignalLine()->Count(), 30);
  ASSERT_EQ(macd->Histogram()->Count(), 30);
  EXPECT_NEAR(result->GetYValue(29), 5.7017, 5e-5);
  EXPECT_NEAR(macd->SignalLine()->GetYValue(29), 5.1722, 5e-5);
  for (int32_t i : {0, 10, 29})
    EXPECT_DOUBLE_EQ(macd->Histogram()->GetYValue(i), result->GetYValue(i) - macd->SignalLine()->GetYValue(i));
  EXPECT_DOUBLE_EQ(result->GetYValue(0), 0) << "both averages start at the first value";
  EXPECT_FALSE(macd->SignalLine()->GetShowInLegend());
  EXPECT_FALSE(macd->Histogram()->ShowInEditor);
  EXPECT_EQ(macd->Histogram()->GetParentChart(), result->GetParentChart());
}

TEST_F(MultiLineFunctionTest, MACDShortRowsAndPeriods) {
  // Periods 3 and 2 over 1..5: short (k = 2/3) 1, 5/3, 23/9; long (k = 1/2) 1, 3/2, 9/4.
  auto [result, macd] = Result<TMACDFunction>(Line(Sequence(5)));
  macd->SetPeriod(3);
  macd->SetPeriod2(2);
  ExpectNear(Ys(*result), {0, 5.0 / 3 - 1.5, 23.0 / 9 - 2.25, 95.0 / 27 - 3.125, 365.0 / 81 - 4.0625}, "MACD");
  macd->SetPeriod3(1);
  ExpectNear(Ys(*macd->SignalLine()), Ys(*result), "a signal of period 1 is the MACD line");
  macd->SetPeriod2(0);
  EXPECT_DOUBLE_EQ(macd->GetPeriod2(), 1) << "raised to 1";
  ExpectNear(Ys(*result), {0, 2 - 1.5, 3 - 2.25, 4 - 3.125, 5 - 4.0625}, "a short period of 1 is the value");
  EXPECT_THROW(macd->SetPeriod(0), ChartException) << "a long period of no points is refused";
  auto [single, macd2] = Result<TMACDFunction>(Line({4}));
  EXPECT_EQ(single->Count(), 0);
  EXPECT_EQ(macd2->SignalLine()->Count(), 0);
  EXPECT_EQ(macd2->Histogram()->Count(), 0);
}

TEST_F(MultiLineFunctionTest, BollingerBands) {
  // Windows of three over 1..5 have the deviation sqrt(2/3).
  const double band = 2 * std::sqrt(2.0 / 3);
  struct TCase {
    bool Exponential;
    TNumbers Middle;
    const char* Name;
  } cases[] = {
      {false, {2, 3, 4}, "simple average of the window ending at the point"},
      {true, {2.25, 3.125, 4.0625}, "exponential average at the point"},
  };
  auto [result, bollinger] = Result<TBollingerFunction>(Line(Sequence(5)));
  bollinger->SetPeriod(3);
  for (const TCase& c : cases) {
    bollinger->SetExponential(c.Exponential);
    TNumbers upper, lower;
    for (double m : c.Middle) upper.push_back(m + band), lower.push_back(m - band);
    ExpectNear(Ys(*result), upper, c.Name);
    ExpectNear(Ys(*bollinger->LowBand()), lower, c.Name);
    ExpectNear(Xs(*result), {2, 3, 4}, c.Name);
  }
  bollinger->SetExponential(false);
  bollinger->SetPeriod(2.6);
  ExpectNear(Ys(*result), {2 + band, 3 + band, 4 + band}, "a period of 2.6 is 3 in window and deviation");
  bollinger->SetPeriod(0);
  EXPECT_EQ(result->Count(), 0);
  EXPECT_EQ(bollinger->LowBand()->Count(), 0);
}

TEST_F(MultiLineFunctionTest, BollingerOverNPointsWithPeriodTwenty) {
  auto [result, bollinger] = Result<TBollingerFunction>(Line(Sequence(50)));
  bollinger->SetPeriod(20);
  EXPECT_EQ(result->Count(), 31);
  EXPECT_DOUBLE_EQ(result->GetXValue(0), 19);
  EXPECT_EQ(bollinger->LowBand()->Count(), 31);
  EXPECT_EQ(Create<TBollingerFunction>(Owner)->UpperBandPen(), nullptr);
  EXPECT_EQ(Create<TMACDFunction>(Owner)->MACDPen(), nullptr);
}

}  // namespace

}  // namespace StatCharFinancialTests
