#pragma once
// A chart for the statistical functions: source series made from value
// tables and result series refilled through their function, as the chart
// refills them when a source changes.
#include <gtest/gtest.h>

#include <vector>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/series/Series.h"

using TValues = std::vector<double>;

class StatFunctionTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  // A line series with Y = Values at X = Xs (0, 1, 2, ... when none given).
  TLineSeries* Source(const TValues& Values, const TValues& Xs = {}) {
    auto* s = Create<TLineSeries>(Owner);
    Chart->AddSeries(s);
    for (size_t i = 0; i < Values.size(); ++i) s->AppendPoint(i < Xs.size() ? Xs[i] : static_cast<double>(i), Values[i]);
    return s;
  }
  // A result series of class S with a new function of class F fed by Sources.
  template <class F, class S = TLineSeries>
  std::pair<S*, F*> Result(const std::vector<TChartSeries*>& Sources) {
    auto* s = Create<S>(Owner);
    Chart->AddSeries(s);
    auto* f = Create<F>(Owner);
    s->SetFunction(f);
    for (TChartSeries* src : Sources) s->AddDataSource(src);
    return {s, f};
  }
  static TValues Xs(const TChartSeries& S) {
    TValues v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetXValue(i));
    return v;
  }
  static TValues Ys(const TChartSeries& S) {
    TValues v;
    for (int32_t i = 0; i < S.Count(); ++i) v.push_back(S.GetYValue(i));
    return v;
  }
  static void ExpectNear(const TValues& Actual, const TValues& Expected, const char* What) {
    ASSERT_EQ(Actual.size(), Expected.size()) << What;
    for (size_t i = 0; i < Actual.size(); ++i) EXPECT_NEAR(Actual[i], Expected[i], 1e-9) << What << " [" << i << "]";
  }

  TComponent* Owner = nullptr;
  TCustomAxisPanel* Chart = nullptr;
};
