// Compression into longer periods: by point count, by calendar and clock
// periods (period starts, so distant bars never merge), from plain series,
// and with the date hook.
#include "chart/extras/PlotCompressOHLC.h"
#include "chart/extras/tests/FinancialFixture.h"
#include "platform/rtl/SysUtils.h"

namespace PlotCompressOHLCTests {

namespace {

using CompressTest = FinancialTest;
using SysUtils::EncodeDate;
using SysUtils::EncodeTime;

TEST_F(CompressTest, PeriodFiveOverTwelvePoints) {
  TBars rows;
  for (int i = 0; i < 12; ++i) rows.push_back({double(i), 10.0 + i, 20.0 + (i % 5) * 3, 5.0 - (i % 4), 11.0 + i});
  auto [result, f] = Result<TCompressFunction, TCandleSeries>(Bars(rows));
  f->SetPeriod(5);
  ASSERT_EQ(result->Count(), 3);
  ExpectNear(Xs(*result), {4, 9, 11}, "each point at the date of its last bar");
  // Group 0..4: open of 0, highest high 32, lowest low 2, close of 4.
  EXPECT_DOUBLE_EQ(result->OpenValues()->GetValue(0), 10);
  EXPECT_DOUBLE_EQ(result->HighValues()->GetValue(0), 32);
  EXPECT_DOUBLE_EQ(result->LowValues()->GetValue(0), 2);
  EXPECT_DOUBLE_EQ(result->CloseValues()->GetValue(0), 15);
  EXPECT_DOUBLE_EQ(result->OpenValues()->GetValue(2), 20) << "the last group of two";
}

TEST_F(CompressTest, CalendarAndClockPeriods) {
  const double wed = EncodeDate(2026, 12, 9);
  const double t10 = EncodeDate(2026, 12, 9) + EncodeTime(10, 0, 0, 0);
  const double minute = 1.0 / 1440;
  struct TCase {
    TCompressionPeriod Period;
    TNumbers Dates;
    int Points;
    const char* Name;
  } cases[] = {
      {ocWeek, {wed, wed + 1, wed + 2, wed + 3, wed + 4, wed + 5, wed + 6}, 2, "Wednesday to Tuesday"},
      {ocWeek, {wed - 2, wed + 12}, 2, "Mondays two weeks apart"},
      {ocDay, {wed, wed + 0.5, wed + 1}, 2, "two days"},
      {ocMonth, {EncodeDate(2025, 3, 2), EncodeDate(2025, 3, 30), EncodeDate(2026, 3, 4)}, 2, "March of two years"},
      {ocQuarter, {EncodeDate(2025, 1, 2), EncodeDate(2025, 3, 30), EncodeDate(2025, 4, 1)}, 2, "quarters"},
      {ocYear, {EncodeDate(2024, 1, 2), EncodeDate(2024, 12, 30), EncodeDate(2025, 1, 1)}, 2, "years"},
      {ocFifteenMinutes, {t10, t10 + 14 * minute, t10 + 15 * minute, t10 + 29 * minute, t10 + 30 * minute}, 3,
       "quarter hours"},
      {ocHour, {t10, t10 + 59 * minute, t10 + 1, t10 + 1 + 30 * minute}, 2, "the same hour a day later"},
  };
  for (const TCase& c : cases) {
    TBars rows;
    for (double d : c.Dates) rows.push_back({d, 1, 2, 0, 1});
    auto [result, f] = Result<TCompressFunction, TCandleSeries>(Bars(rows));
    f->SetCompress(c.Period);
    EXPECT_EQ(result->Count(), c.Points) << c.Name;
  }
}

TEST_F(CompressTest, PlainSourcesGiveFlatBarsAndTheHookMovesOnlyTheGrouping) {
  TLineSeries* src = Add<TLineSeries>();
  const double mon = EncodeDate(2026, 12, 7);
  for (int i = 0; i < 7; ++i) src->AppendPoint(mon + i, 10.0 + i);
  auto [result, f] = Result<TCompressFunction, TCandleSeries>(src);
  f->SetCompress(ocDay);
  ASSERT_EQ(result->Count(), 7);
  EXPECT_DOUBLE_EQ(result->OpenValues()->GetValue(3), 13);
  EXPECT_DOUBLE_EQ(result->HighValues()->GetValue(3), 13);
  EXPECT_DOUBLE_EQ(result->LowValues()->GetValue(3), 13);
  f->SetCompress(ocWeek);
  ASSERT_EQ(result->Count(), 1);
  EXPECT_DOUBLE_EQ(result->OpenValues()->GetValue(0), 10);
  EXPECT_DOUBLE_EQ(result->HighValues()->GetValue(0), 16);
  // Shifted one day back, Monday falls into the week before.
  f->OnGetDate = [](TPlotFunction*, TChartSeries*, int32_t, double& Date) { Date -= 1; };
  f->Recalculate();
  ASSERT_EQ(result->Count(), 2);
  EXPECT_DOUBLE_EQ(result->GetXValue(1), mon + 6) << "stored dates are the source's";
}

TEST_F(CompressTest, AResultThatIsNotOpenHighLowCloseStaysEmpty) {
  auto [result, f] = Result<TCompressFunction>(Line({1, 2, 3}));
  f->SetPeriod(2);
  EXPECT_EQ(result->Count(), 0);
}

TEST_F(CompressTest, GalleryShowsACompressedCandleSeries) {
  Line({1, 2, 3});
  Create<TCompressFunction>(Owner)->PrepareForGallery(Chart);
  ASSERT_EQ(Chart->SeriesCount(), 1);
  auto* candle = dynamic_cast<TCandleSeries*>(Chart->GetSeries(0));
  ASSERT_TRUE(candle);
  EXPECT_TRUE(dynamic_cast<TCompressFunction*>(candle->GetFunction()));
}

}  // namespace

}  // namespace PlotCompressOHLCTests
