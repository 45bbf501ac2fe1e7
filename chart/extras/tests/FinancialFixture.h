#pragma once
// A chart for the financial series and functions: open-high-low-close
// sources made from tables, and result series refilled through their
// function, as the chart refills them when a source changes.
#include <gtest/gtest.h>

#include <vector>

#include "chart/extras/CandleCh.h"
#include "chart/series/tests/SeriesChartFixture.h"

struct TBar {
  double Date, Open, High, Low, Close;
};
using TBars = std::vector<TBar>;
using TNumbers = std::vector<double>;

class FinancialTest : public SeriesChartTest {
protected:
  template <class S = TCandleSeries>
  S* Bars(const TBars& Rows) {
    auto* s = Add<S>();
    for (const TBar& b : Rows) s->AddOpenHighLowClose(b.Date, b.Open, b.High, b.Low, b.Close);
    return s;
  }
  // A line series with Y = Values at X = 0, 1, 2 ...
  TLineSeries* Line(const TNumbers& Values) {
    auto* s = Add<TLineSeries>();
    for (size_t i = 0; i < Values.size(); ++i) s->AppendPoint(static_cast<double>(i), Values[i]);
    return s;
  }
  // A result series of class S with a new function of class F fed by Source.
  template <class F, class S = TLineSeries>
  std::pair<S*, F*> Result(TChartSeries* Source) {
    auto* s = Add<S>();
    auto* f = Create<F>(Owner);
    s->SetFunction(f);
    if (Source) s->AddDataSource(Source);
    return {s, f};
  }
  static TNumbers Xs(const TChartSeries& S) {
    TNumbers v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetXValue(i));
    return v;
  }
  static TNumbers Ys(const TChartSeries& S) {
    TNumbers v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetYValue(i));
    return v;
  }
  static void ExpectNear(const TNumbers& Actual, const TNumbers& Expected, const char* What, double Tol = 1e-9) {
    ASSERT_EQ(Actual.size(), Expected.size()) << What;
    for (size_t i = 0; i < Actual.size(); ++i) EXPECT_NEAR(Actual[i], Expected[i], Tol) << What << " [" << i << "]";
  }
};
