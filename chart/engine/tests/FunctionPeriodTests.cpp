// Range windows of series functions on a date-time axis with exact date-time
// steps follow the calendar: month ends, leap days and leap years.
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/tests/SeriesFixture.h"

namespace FunctionPeriodTests {

namespace {

using V = std::vector<double>;

class CalendarPeriodTest : public AxisPanelChartTest {
protected:

  // One point of value 1 per day from First up to, not including, End.
  TTestSeries* Daily(TDateTime First, TDateTime End) {
    auto* s = Create<TTestSeries>(Owner);
    s->XValues()->SetDateTime(true);
    Chart->AddSeries(s);
    for (TDateTime d = First; d < End; d += 1) s->AppendPoint(d, 1);
    return s;
  }
  // Sums per window of Step on the (date-time, exact) bottom axis.
  TTestSeries* Windows(TTestSeries* Src, int Step) {
    auto* r = Create<TTestSeries>(Owner);
    r->XValues()->SetDateTime(true);
    Chart->AddSeries(r);
    auto* f = Create<TSumFunction>(Owner);
    f->BeginUpdate();
    f->InternalSetPeriod(PlotProcs::DateTimeStep[Step]);
    f->SetPeriodStyle(psRange);
    f->SetPeriodAlign(paFirst);
    r->SetFunction(f);
    r->SetDataSource(Src);
    f->EndUpdate();
    r->AddValues(Src);
    return r;
  }
  static V Xs(const TChartSeries& S) {
    V v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetXValue(i));
    return v;
  }
  static V Ys(const TChartSeries& S) {
    V v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetYValue(i));
    return v;
  }
  static double D(int Y, int M, int Day) { return SysUtils::EncodeDate(Y, M, Day); }
};

}  // namespace

TEST_F(CalendarPeriodTest, MonthWindowsEndOnTheFirstOfEachMonth) {
  ASSERT_TRUE(Chart->BottomAxis()->GetExactDateTime());
  // Across the leap February of 2024 and the common February of 2023.
  auto* leap = Windows(Daily(D(2024, 1, 1), D(2024, 4, 1)), PlotProcs::dtOneMonth);
  ASSERT_TRUE(Chart->BottomAxis()->IsDateTime());
  EXPECT_EQ(Xs(*leap), (V{D(2024, 1, 1), D(2024, 2, 1), D(2024, 3, 1)}));
  EXPECT_EQ(Ys(*leap), (V{31, 29, 31}));
}

TEST_F(CalendarPeriodTest, CommonYearFebruaryHas28Days) {
  auto* common = Windows(Daily(D(2023, 1, 1), D(2023, 5, 1)), PlotProcs::dtOneMonth);
  EXPECT_EQ(Ys(*common), (V{31, 28, 31, 30}));
}

TEST_F(CalendarPeriodTest, HalfMonthWindowsSplitOnThe15th) {
  auto* r = Windows(Daily(D(2024, 1, 1), D(2024, 3, 1)), PlotProcs::dtHalfMonth);
  EXPECT_EQ(Xs(*r), (V{D(2024, 1, 1), D(2024, 1, 15), D(2024, 2, 1), D(2024, 2, 15)}));
  EXPECT_EQ(Ys(*r), (V{14, 17, 14, 15}));
}

TEST_F(CalendarPeriodTest, QuarterAndYearWindowsCountCalendarDays) {
  auto* quarters = Windows(Daily(D(2024, 1, 1), D(2025, 1, 1)), PlotProcs::dtOneMonth + 2);
  EXPECT_EQ(Xs(*quarters), (V{D(2024, 1, 1), D(2024, 4, 1), D(2024, 7, 1), D(2024, 10, 1)}));
  EXPECT_EQ(Ys(*quarters), (V{91, 91, 92, 92}));
}

TEST_F(CalendarPeriodTest, YearWindowsHoldTheLeapDay) {
  auto* years = Windows(Daily(D(2023, 1, 1), D(2026, 1, 1)), PlotProcs::dtOneYear);
  EXPECT_EQ(Xs(*years), (V{D(2023, 1, 1), D(2024, 1, 1), D(2025, 1, 1)}));
  EXPECT_EQ(Ys(*years), (V{365, 366, 365}));
}

}  // namespace FunctionPeriodTests
