// The basic series functions: their arithmetic over one and several sources,
// through the chart's refill, and their registration.
#include "chart/series/PlotFunci.h"

#include <gtest/gtest.h>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/series/Series.h"

namespace PlotFunciTests {

namespace {

class SeriesFunctions : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
  }
  void TearDown() override { Owner->Free(); }
  TLineSeries* Source(const std::vector<double>& Y, const std::vector<bool>& Null = {}) {
    auto* S = Create<TLineSeries>(Owner);
    Chart->AddSeries(S);
    for (size_t i = 0; i < Y.size(); ++i) {
      if (i < Null.size() && Null[i])
        S->AddNullXY(static_cast<double>(i), Y[i]);
      else
        S->AppendPoint(static_cast<double>(i), Y[i]);
    }
    return S;
  }
  template <class F>
  std::pair<TLineSeries*, F*> Target(const std::vector<TChartSeries*>& Sources) {
    auto* S = Create<TLineSeries>(Owner);
    Chart->AddSeries(S);
    auto* Fn = Create<F>(Owner);
    S->SetFunction(Fn);
    for (TChartSeries* Src : Sources) S->AddDataSource(Src);
    return {S, Fn};
  }
  TComponent* Owner = nullptr;
  TCustomAxisPanel* Chart = nullptr;
};

TEST_F(SeriesFunctions, ManySourcesAtOneIndex) {
  TLineSeries* Ten = Source({10});
  TLineSeries* Zero = Source({0});
  auto [D, Divide] = Target<TDividePlotFunction>({Ten, Zero});
  EXPECT_EQ(Divide->CalculateMany(D->DataSources(), 0), 10) << "a zero divisor leaves the value";
  TLineSeries* Three = Source({1, 2, 3});
  TLineSeries* Five = Source({1, 2, 3, 4, 50});
  auto [S, Subtract] = Target<TSubtractPlotFunction>({Three, Five});
  EXPECT_EQ(Subtract->CalculateMany(S->DataSources(), 4), 50) << "only the longer source has index 4";
  EXPECT_EQ(Subtract->CalculateMany(S->DataSources(), 1), 0);
  auto [M, Multiply] = Target<TMultiplyPlotFunction>({Three, Five});
  EXPECT_EQ(Multiply->CalculateMany(M->DataSources(), 2), 9);
  TLineSeries* Short = Source({7});
  TLineSeries* A = Source({0, -3});
  TLineSeries* B = Source({0, -5});
  auto [H, High] = Target<THighPlotFunction>({Short, A, B});
  auto [L, Low] = Target<TLowPlotFunction>({Short, A, B});
  auto [Ad, Add] = Target<TAddPlotFunction>({Short, A, B});
  EXPECT_EQ(High->CalculateMany(H->DataSources(), 1), -3);
  EXPECT_EQ(Low->CalculateMany(L->DataSources(), 1), -5);
  EXPECT_EQ(Add->CalculateMany(Ad->DataSources(), 1), -8);
  EXPECT_EQ(High->CalculateMany(H->DataSources(), 9), 0) << "no source has the point";
}

TEST_F(SeriesFunctions, RangesOfOneSource) {
  TLineSeries* S = Source({4, 1, 3, 2});
  struct TCase {
    TPlotFunction* F;
    int32_t First, Last;
    double Expected;
  };
  auto* Add = Create<TAddPlotFunction>(Owner);
  auto* High = Create<THighPlotFunction>(Owner);
  auto* Low = Create<TLowPlotFunction>(Owner);
  auto* Average = Create<TAveragePlotFunction>(Owner);
  for (const TCase& C : {TCase{Add, -1, -1, 10}, TCase{Add, 1, 2, 4}, TCase{Add, 2, 1, 0}, TCase{High, -1, -1, 4},
                         TCase{High, 1, 3, 3}, TCase{High, 3, 2, 0}, TCase{Low, -1, -1, 1}, TCase{Low, 2, 3, 2},
                         TCase{Average, -1, -1, 2.5}, TCase{Average, 2, 3, 2.5}})
    EXPECT_DOUBLE_EQ(C.F->Calculate(S, C.First, C.Last), C.Expected)
        << C.F->ClassName() << " " << C.First << ".." << C.Last;
}

TEST_F(SeriesFunctions, AverageLeavesOutNullsOnlyWhenAsked) {
  TLineSeries* S = Source({1, 2, 3}, {false, false, true});
  auto* Average = Create<TAveragePlotFunction>(Owner);
  EXPECT_DOUBLE_EQ(Average->Calculate(S, -1, -1), 2);
  Average->SetIncludeNulls(false);
  EXPECT_DOUBLE_EQ(Average->Calculate(S, -1, -1), 1.5);
  TLineSeries* A = Source({1});
  TLineSeries* B = Source({2});
  TLineSeries* C = Source({3}, {true});
  auto [T, F] = Target<TAveragePlotFunction>({A, B, C});
  EXPECT_DOUBLE_EQ(F->CalculateMany(T->DataSources(), 0), 2);
  F->SetIncludeNulls(false);
  EXPECT_DOUBLE_EQ(F->CalculateMany(T->DataSources(), 0), 1.5);
  EXPECT_EQ(F->CalculateMany(T->DataSources(), 5), 0);
  EXPECT_EQ(Average->Calculate(Source({}), -1, -1), 0);
}

TEST_F(SeriesFunctions, MedianAndMode) {
  auto* Median = Create<TMedianPlotFunction>(Owner);
  auto* Mode = Create<TModePlotFunction>(Owner);
  struct TCase {
    TPlotFunction* F;
    std::vector<double> Values;
    double Expected;
  };
  for (const TCase& C : {TCase{Median, {3, 1, 2}, 2}, TCase{Median, {4, 1, 3, 2}, 2.5}, TCase{Median, {7}, 7},
                         TCase{Mode, {3, 2, 1, 3, 2}, 2}, TCase{Mode, {5}, 5}, TCase{Mode, {1, 2, 3}, 1},
                         TCase{Median, {}, 0}})
    EXPECT_DOUBLE_EQ(C.F->Calculate(Source(C.Values), -1, -1), C.Expected) << C.F->ClassName();
  TLineSeries* WithNull = Source({1, 100, 3}, {false, true, false});
  EXPECT_DOUBLE_EQ(Median->Calculate(WithNull, -1, -1), 3);
  Median->SetIncludeNulls(false);
  EXPECT_DOUBLE_EQ(Median->Calculate(WithNull, -1, -1), 2);
  EXPECT_EQ(Median->Calculate(WithNull, 2, 1), 0);
}

TEST_F(SeriesFunctions, UserFunctionFillsItsSeriesOnRefresh) {
  auto [S, F] = Target<TCustomPlotFunction>({});
  EXPECT_EQ(F->GetNumPoints(), 100);
  EXPECT_EQ(F->GetPeriod(), 1);
  std::vector<double> Given;
  F->SetNumPoints(3);
  F->SetStartX(2);
  F->SetOnCalculate([&](TObject*, double X, double& Y) {
    Given.push_back(Y);
    Y = X * X;
  });
  ASSERT_EQ(S->Count(), 3);
  for (int32_t k = 0; k < 3; ++k) {
    EXPECT_DOUBLE_EQ(S->GetXValue(k), 2 + k);
    EXPECT_DOUBLE_EQ(S->GetYValue(k), (2 + k) * (2 + k));
  }
  for (double Y : Given) EXPECT_EQ(Y, 0) << "each call starts from 0";
  F->SetNumPoints(0);
  EXPECT_EQ(S->Count(), 0);
}

TEST_F(SeriesFunctions, PeriodWindowsThroughTheEngine) {
  TLineSeries* Src = Source({1, 5, 2, 8, 3, 4});
  auto [S, F] = Target<THighPlotFunction>({});
  F->SetPeriod(2);
  S->SetDataSource(Src);
  ASSERT_EQ(S->Count(), 3);
  EXPECT_EQ(S->GetYValue(0), 5);
  EXPECT_EQ(S->GetYValue(1), 8);
  EXPECT_EQ(S->GetYValue(2), 4);
}

TEST(SeriesFunctionTypes, TheTenTypesAreRegisteredOnStandardInOrder) {
  PlotFunci::Initialization();
  PlotFunci::Initialization();
  std::vector<std::string> Names;
  TPlotSeriesTypes& T = Chart::SeriesTypes();
  for (int32_t i = 0; i < T.Count(); ++i)
    if (T.TypeAt(i)->FunctionClassRef) {
      Names.push_back(T.TypeAt(i)->Description());
      EXPECT_EQ(*T.TypeAt(i)->PageName, "Standard");
    }
  const std::vector<std::string> Expected{"Add", "Subtract", "Multiply", "Divide", "High", "Low", "Average",
                                          "y = f(x)", "Median", "Mode"};
  EXPECT_EQ(Names, Expected);
}

}  // namespace

}  // namespace PlotFunciTests
