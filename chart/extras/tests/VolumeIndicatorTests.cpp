// CLV, OBV, CCI and PVO against hand-worked tables, with the volume series
// link and its free notification.
#include "chart/extras/PlotCCIFunction.h"
#include "chart/extras/PlotCLVFunction.h"
#include "chart/extras/PlotOBVFunction.h"
#include "chart/extras/PlotPVOFunction.h"
#include "chart/extras/tests/FinancialFixture.h"

namespace VolumeIndicatorTests {

namespace {

using VolumeIndicatorTest = FinancialTest;

TEST_F(VolumeIndicatorTest, CloseLocationValue) {
  // Closes at 8 and 3.5 within 0 .. 10: +0.6 and -0.3; the third bar has no range.
  TCandleSeries* src = Bars({{0, 5, 10, 0, 8}, {1, 5, 10, 0, 3.5}, {2, 4, 4, 4, 4}});
  TLineSeries* volume = Line({100, 100});
  auto [result, clv] = Result<TCLVFunction>(src);
  struct TCase {
    bool Accumulate, WithVolume;
    TNumbers Expected;
    const char* Name;
  } cases[] = {
      {false, false, {0.6, -0.3, 1}, "raw values, 1 without range"},
      {true, false, {0.6, 0.3, 1.3}, "accumulated"},
      {true, true, {60, 30, 31}, "weighted by the volumes it covers, then accumulated"},
      {false, true, {60, -30, 1}, "weighted only"},
  };
  for (const TCase& c : cases) {
    clv->SetAccumulate(c.Accumulate);
    clv->SetVolume(c.WithVolume ? volume : nullptr);
    ExpectNear(Ys(*result), c.Expected, c.Name);
  }
  ExpectNear(Xs(*result), {0, 1, 2}, "at the source dates");
  clv->SetAccumulate(true);
  volume->Free();
  EXPECT_EQ(clv->GetVolume(), nullptr);
  ExpectNear(Ys(*result), {0.6, 0.3, 1.3}, "recalculated without the freed volume");
}

TEST_F(VolumeIndicatorTest, OnBalanceVolumeFollowsThePreviousClose) {
  // The first bar closes below its open, yet counts positive; an unchanged
  // close keeps the total.
  TCandleSeries* src = Bars({{0, 11, 12, 9, 10}, {1, 10, 13, 10, 12}, {2, 13, 13, 11, 12}, {3, 12, 12, 10, 11},
                             {4, 11, 14, 11, 13}});
  auto [result, obv] = Result<TOBVFunction>(src);
  EXPECT_EQ(result->Count(), 0) << "nothing without volumes";
  TLineSeries* volume = Line({100, 200, 300, 400});
  obv->SetVolume(volume);
  ExpectNear(Ys(*result), {100, 300, 300, -100}, "ends with the shorter volume series");
}

TEST_F(VolumeIndicatorTest, CommodityChannelIndex) {
  // Typical prices 1, 2, 3, 4, 5: each window of three lies 1 above its
  // average with a mean deviation of 2/3; 1 / (2/3 * 0.015) = 100.
  TCandleSeries* src = Bars({{0, 1, 1, 1, 1}, {1, 2, 2, 2, 2}, {2, 3, 3, 3, 3}, {3, 4, 4, 4, 4}, {4, 5, 5, 5, 5}});
  auto [result, cci] = Result<TCCIFunction>(src);
  EXPECT_DOUBLE_EQ(cci->GetConstant(), 0.015);
  EXPECT_EQ(result->Count(), 0) << "Period 20 needs 20 points";
  cci->SetPeriod(3);
  ExpectNear(Ys(*result), {100, 100, 100}, "rising prices", 1e-9);
  ExpectNear(Xs(*result), {2, 3, 4}, "at the window ends");
  cci->SetConstant(0);
  ExpectNear(Ys(*result), {1.5, 1.5, 1.5}, "a constant of 0 counts as 1");
  auto [flat, cci2] = Result<TCCIFunction>(Bars({{0, 2, 2, 2, 2}, {1, 2, 2, 2, 2}, {2, 2, 2, 2, 2}}));
  cci2->SetPeriod(2);
  EXPECT_EQ(flat->Count(), 0) << "no deviation, no point";
  EXPECT_FALSE(cci->AcceptsSource(Line({1})));
}

TEST_F(VolumeIndicatorTest, PercentageVolumeOscillator) {
  // Short averages (period 2): 1, 5/3, 23/9, 95/27, 365/81; long (period 3):
  // 1, 3/2, 9/4, 25/8, 65/16.
  auto [result, pvo] = Result<TPVOFunction>(Line({1, 2, 3, 4, 5}));
  pvo->SetPeriod(2);
  pvo->SetPeriod2(3);
  const TNumbers s{1, 5.0 / 3, 23.0 / 9, 95.0 / 27, 365.0 / 81}, l{1, 1.5, 2.25, 3.125, 4.0625};
  TNumbers percent, difference;
  for (size_t i = 0; i < s.size(); ++i) {
    percent.push_back((s[i] - l[i]) / l[i] * 100);
    difference.push_back((s[i] - l[i]) * 100);
  }
  ExpectNear(Ys(*result), percent, "percentage of the long average");
  pvo->SetPercentage(false);
  ExpectNear(Ys(*result), difference, "difference times 100");
  auto [flat, pvo2] = Result<TPVOFunction>(Line({0, 0, 0}));
  EXPECT_EQ(flat->Count(), 0) << "a long average of 0 gives no percentage";
  pvo2->SetPercentage(false);
  ExpectNear(Ys(*flat), {0, 0, 0}, "constant data without percentage");
  auto [single, pvo3] = Result<TPVOFunction>(Line({5}));
  EXPECT_EQ(single->Count(), 0) << "one point has no averages";
}

}  // namespace

}  // namespace VolumeIndicatorTests
