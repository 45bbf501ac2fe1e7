// ADX and RSI against hand-worked tables.
#include "chart/extras/CandleCh.h"
#include "chart/extras/tests/FinancialFixture.h"

namespace FinancialIndicatorTests {

namespace {

using FinancialFunctionTest = FinancialTest;

TEST_F(FinancialFunctionTest, ADXOverSevenPoints) {
  // TR: 2, 2, 2, 3, 2, 2.5; +DM: 1, 1, 0, 1.5, 1, 0; -DM: 0, 0, 0.5, 0, 0, 1.
  TCandleSeries* src = Bars({{0, 9, 10, 8, 9},
                             {1, 9, 11, 9, 10.5},
                             {2, 9, 12, 10, 11},
                             {3, 9, 11.5, 9.5, 10},
                             {4, 9, 13, 10, 12.5},
                             {5, 9, 14, 12, 13},
                             {6, 9, 13.5, 11, 12}});
  auto [result, adx] = Result<TADXFunction>(src);
  adx->SetPeriod(3);
  // Wilder sums from index 3: TR 6, 7, 6.666.., 6.944..; DI = DMsum / TRsum * 100.
  ExpectNear(Xs(*adx->UpLine()), {3, 4, 5, 6}, "+DI dates");
  ExpectNear(Ys(*adx->UpLine()), {100.0 / 3, 2.8333333333333335 / 7 * 100, 43.333333333333336, 27.733333333333334},
             "+DI", 1e-9);
  ExpectNear(Ys(*adx->DownLine()), {25.0 / 3, 1.0 / 3 / 7 * 100, 10.0 / 3, 16.533333333333335}, "-DI", 1e-9);
  // DX 60, 78.947, 85.714, 25.301; ADX(4) = (60 + 78.947) / 2, then Wilder's recursion.
  const double dx4 = (40.476190476190474 - 4.761904761904763) * 100 / (40.476190476190474 + 4.761904761904763);
  const double adx4 = (60 + dx4) / 2;
  const double adx5 = (600.0 / 7 + 2 * adx4) / 3;
  const double dx6 = (27.733333333333334 - 16.533333333333335) * 100 / (27.733333333333334 + 16.533333333333335);
  ExpectNear(Xs(*result), {4, 5, 6}, "ADX dates");
  ExpectNear(Ys(*result), {adx4, adx5, (dx6 + 2 * adx5) / 3}, "ADX", 1e-9);
  EXPECT_FALSE(adx->UpLine()->GetShowInLegend());
  EXPECT_FALSE(adx->UpLine()->ShowInEditor);
  EXPECT_EQ(adx->UpLine()->GetParentChart(), result->GetParentChart());
}

TEST_F(FinancialFunctionTest, ADXNeedsTwicePeriodPoints) {
  TBars rows;
  for (int i = 0; i < 27; ++i) rows.push_back({double(i), 5, 6.0 + (i % 3), 4.0 - (i % 2), 5.0 + (i % 4) * 0.5});
  TCandleSeries* src = Bars(rows);
  auto [result, adx] = Result<TADXFunction>(src);
  EXPECT_EQ(result->Count(), 0);
  EXPECT_EQ(adx->UpLine()->Count(), 0);
  src->AddOpenHighLowClose(27, 5, 7, 4, 5);
  adx->Recalculate();
  EXPECT_EQ(adx->UpLine()->Count(), 14);
  EXPECT_DOUBLE_EQ(adx->UpLine()->GetXValue(0), 14);
  ExpectNear(Xs(*result), {26, 27}, "ADX at 2P - 2 and after");
}

TEST_F(FinancialFunctionTest, ADXOfFlatPricesIsZeroNotUndefined) {
  TBars rows;
  for (int i = 0; i < 6; ++i) rows.push_back({double(i), 5, 5, 5, 5});
  auto [result, adx] = Result<TADXFunction>(Bars(rows));
  adx->SetPeriod(2);
  ExpectNear(Ys(*adx->UpLine()), {0, 0, 0, 0}, "+DI");
  ExpectNear(Ys(*result), {0, 0, 0, 0}, "ADX");
}

TEST_F(FinancialFunctionTest, ADXAcceptsOnlyOpenHighLowCloseSources) {
  auto [result, adx] = Result<TADXFunction>(nullptr);
  EXPECT_FALSE(adx->AcceptsSource(Line({1, 2, 3})));
  EXPECT_TRUE(adx->AcceptsSource(Bars({{0, 1, 2, 0, 1}})));
}

TEST_F(FinancialFunctionTest, RSIByStyle) {
  // Opens and closes: (10, 12) (12, 11) (12, 14) (14, 13) (13, 16).
  TCandleSeries* src =
      Bars({{0, 10, 20, 5, 12}, {1, 12, 20, 5, 11}, {2, 12, 20, 5, 14}, {3, 14, 20, 5, 13}, {4, 13, 20, 5, 16}});
  struct TCase {
    TRSIStyle Style;
    double Period;
    TNumbers Expected;
    const char* Name;
  } cases[] = {
      // Changes -1, +3, -1, +3: gains 6, losses 2 over 5 points.
      {rsiClose, 5, {100 - 100 / (1 + 6.0 / 2)}, "close"},
      // Bodies +2, -1, +2, -1, +3: gains 7, losses 2.
      {rsiOpenClose, 5, {100 - 100 / (1 + 7.0 / 2)}, "open-close"},
      {rsiClose, 1, {100, 100, 100, 100, 100}, "one point: no change, 100"},
      {rsiOpenClose, 2, {100 - 100 / (1 + 2.0 / 1), 100 - 100 / (1 + 2.0 / 1), 100 - 100 / 3.0, 100 - 100 / 4.0},
       "open-close windows of two"},
  };
  auto [result, rsi] = Result<TRSIFunction>(src);
  for (const TCase& c : cases) {
    rsi->SetStyle(c.Style);
    rsi->SetPeriod(c.Period);
    ExpectNear(Ys(*result), c.Expected, c.Name);
  }
  EXPECT_DOUBLE_EQ(result->GetXValue(0), 1) << "at the window's last point";
}

TEST_F(FinancialFunctionTest, RSIOfSixBarsByStyle) {
  // Closes 10, 9, 10, 11, 12, 14: changes -1, +1, +1, +1, +2 (gains 5, loss 1).
  // Bodies: up 1, 1, 3, 3 and down 1, 1 (gains 8, losses 2). Summing the
  // closes of up and down bars instead would give 45 : 21, that is 68.18.
  TCandleSeries* src = Bars({{0, 9, 11, 8, 10},
                             {1, 8, 10, 7, 9},
                             {2, 11, 12, 9, 10},
                             {3, 12, 13, 10, 11},
                             {4, 9, 13, 8, 12},
                             {5, 11, 15, 10, 14}});
  auto [result, rsi] = Result<TRSIFunction>(src);
  rsi->SetPeriod(6);
  const struct {
    TRSIStyle Style;
    double Expected;
  } cases[] = {{rsiClose, 100 - 100 / 6.0}, {rsiOpenClose, 80}};
  for (const auto& c : cases) {
    rsi->SetStyle(c.Style);
    ExpectNear(Ys(*result), {c.Expected}, c.Style == rsiClose ? "close: 83.333" : "open-close: 80");
  }
}

TEST_F(FinancialFunctionTest, RSIReadsTheCurrentSource) {
  TCandleSeries* a = Bars({{0, 10, 20, 5, 12}, {1, 12, 20, 5, 11}});
  TCandleSeries* b = Bars({{0, 10, 20, 5, 11}, {1, 12, 20, 5, 14}});
  auto [result, rsi] = Result<TRSIFunction>(a);
  rsi->SetStyle(rsiClose);
  rsi->SetPeriod(2);
  ExpectNear(Ys(*result), {0}, "a falls");
  result->RemoveDataSource(a);
  a->Free();
  result->AddDataSource(b);
  ExpectNear(Ys(*result), {100}, "b rises");
}

}  // namespace

}  // namespace FinancialIndicatorTests
