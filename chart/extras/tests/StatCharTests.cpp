// Moving-window, dispersion, cross-point and perimeter functions: worked
// values checked against their formulas, refilled through the chart.
#include "chart/extras/StatChar.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/tests/StatCharFixture.h"

namespace StatCharTests {

namespace {

using MovingFunctions = StatFunctionTest;

TEST_F(MovingFunctions, WindowsGiveTheirValuesAtTheLastPointOfEachWindow) {
  TLineSeries* src = Source({1, 2, 3, 4, 5});
  auto [plain, avg] = Result<TMovingAverageFunction>({src});
  avg->SetPeriod(3);
  EXPECT_EQ(Xs(*plain), (TValues{2, 3, 4}));
  ExpectNear(Ys(*plain), {2, 3, 4}, "plain average");
  avg->SetWeightedIndex(true);
  // Weights 1, 2, 3 over each window: (1 + 4 + 9) / 6 for the first.
  ExpectNear(Ys(*plain), {14.0 / 6, 20.0 / 6, 26.0 / 6}, "weighted by index");
  avg->SetWeighted(true);
  // Weights are the X values 0..4; Weighted wins over WeightedIndex.
  ExpectNear(Ys(*plain), {(0 * 1 + 1 * 2 + 2 * 3) / 3.0, (1 * 2 + 2 * 3 + 3 * 4) / 6.0, (2 * 3 + 3 * 4 + 4 * 5) / 9.0},
             "weighted by X");

  TLineSeries* zeroX = Source({5, 7}, {0, 0});
  auto [w, wAvg] = Result<TMovingAverageFunction>({zeroX});
  wAvg->SetWeighted(true);
  wAvg->SetPeriod(2);
  ExpectNear(Ys(*w), {0}, "weights all 0");

  struct TCase {
    TClass F;
    double Period;
    TValues Source, Expected;
    const char* Name;
  };
  const TCase cases[] = {
      {TMomentumFunction::StaticClass(), 1, {1, 4, 9}, {0, 0, 0}, "momentum, Period 1"},
      {TMomentumFunction::StaticClass(), 2, {1, 4, 9, 16}, {3, 5, 7}, "momentum, Period 2"},
      {TMomentumDivFunction::StaticClass(), 1, {2, 4, 0}, {100, 100, 0}, "ratio, Period 1 (and 0 over 0)"},
      {TMomentumDivFunction::StaticClass(), 2, {2, 4, 0, 5}, {200, 0, 0}, "ratio, Period 2"},
      {TPerformanceFunction::StaticClass(), 1, {4, 5, 2}, {0, 25, -50}, "performance against the first point"},
      {TPerformanceFunction::StaticClass(), 2, {0, 5, 2}, {0, 0}, "performance of a first value 0"},
      {TExpAverageFunction::StaticClass(), 1, {10, 20, 30}, {10, 12, 22}, "two-point exponential average"},
  };
  for (const TCase& c : cases) {
    auto* r = Create<TLineSeries>(Owner);
    Chart->AddSeries(r);
    auto* f = static_cast<TPlotFunction*>(c.F->CreateInstance(Owner));
    r->SetFunction(f);
    f->SetPeriod(c.Period);
    r->SetDataSource(Source(c.Source));
    ExpectNear(Ys(*r), c.Expected, c.Name);
  }
}

TEST_F(MovingFunctions, ExponentialMovingAverageHasOnePointPerSourcePoint) {
  auto [r, ema] = Result<TExpMovAveFunction>({Source({1, 2, 3, 4, 5})});
  EXPECT_EQ(ema->GetPeriod(), 10);
  EXPECT_FALSE(ema->PeriodUsable);
  ema->SetPeriod(3);  // k = 2 / (3 + 1) = 0.5
  ExpectNear(Ys(*r), {1, 1.5, 2.25, 3.125, 4.0625}, "EMA");
  EXPECT_EQ(Xs(*r), (TValues{0, 1, 2, 3, 4}));
  r->SetDataSource(Source({7}));
  EXPECT_EQ(r->Count(), 0) << "one point has no average";
  r->SetDataSource(Source({7, 9}));
  ExpectNear(Ys(*r), {7, 8}, "two points");
}

TEST_F(MovingFunctions, StochasticReadsLowAndHighListsOrTheSeriesOwnValues) {
  // A source with Low and High lists, as a price series has.
  struct TPriceSeries : TLineSeries {
    explicit TPriceSeries(TComponent* O) : TLineSeries(O) {
      Low = new TChartValueList(this, "Low");
      High = new TChartValueList(this, "High");
    }
    void AddPrice(double X, double Close, double L, double H) {
      Low->TempValue = L;
      High->TempValue = H;
      AppendPoint(X, Close);
    }
    TChartValueList *Low, *High;
  };
  auto* prices = Create<TPriceSeries>(Owner);
  Chart->AddSeries(prices);
  prices->AddPrice(0, 5, 4, 6);
  prices->AddPrice(1, 8, 2, 10);
  prices->AddPrice(2, 3, 3, 9);
  auto [r, k] = Result<TStochasticFunction>({prices});
  EXPECT_TRUE(k->FixedValueList);
  k->SetPeriod(2);
  // (C - lowest Low) / (highest High - lowest Low) * 100.
  ExpectNear(Ys(*r), {(8 - 2) / 8.0 * 100, (3 - 2) / 8.0 * 100}, "with Low and High");
  auto [plain, k2] = Result<TStochasticFunction>({Source({4, 4, 4, 1, 3})});
  k2->SetPeriod(3);
  ExpectNear(Ys(*plain), {0, 0, (3 - 1) / 3.0 * 100}, "own values; equal values give 0");
}

TEST_F(MovingFunctions, APeriodBelowOnePointMakesNoPoints) {
  // Such a period reaches a moving function when settings are copied from
  // a function that allows Period 0.
  auto* count = Create<TPlotFunction>(Owner);
  TLineSeries* src = Source({1, 2, 3});
  for (TClass type : {TMovingAverageFunction::StaticClass(), TExpAverageFunction::StaticClass(),
                      TMomentumFunction::StaticClass(), TMomentumDivFunction::StaticClass(),
                      TPerformanceFunction::StaticClass(), TStochasticFunction::StaticClass()}) {
    for (double period : {0.0, 0.4}) {
      count->InternalSetPeriod(period);
      auto* f = static_cast<TPlotFunction*>(type->CreateInstance(Owner));
      f->Assign(count);
      auto* r = Create<TLineSeries>(Owner);
      Chart->AddSeries(r);
      r->SetFunction(f);
      EXPECT_NO_THROW(r->SetDataSource(src)) << type->ClassName() << " " << period;
      EXPECT_EQ(r->Count(), 0) << type->ClassName() << " " << period;
    }
  }
  auto* avg = Create<TMovingAverageFunction>(Owner);
  avg->InternalSetPeriod(0);
  EXPECT_EQ(avg->Calculate(src, 0, 2), 0) << "no assertion";
  EXPECT_THROW(avg->SetPeriod(0.4), ChartException) << "the setter still refuses it";
}

TEST_F(MovingFunctions, ExpAverageWeightOutsideZeroToOneIsRefused) {
  auto* f = Create<TExpAverageFunction>(Owner);
  for (double bad : {-0.1, 1.5, std::nan("")}) {
    try {
      f->SetWeight(bad);
      ADD_FAILURE() << bad;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "ExpAverage Weight must be between 0 and 1");
    }
    EXPECT_EQ(f->GetWeight(), 0.2);
  }
  f->SetWeight(1);
  EXPECT_EQ(f->GetWeight(), 1);
}

using DispersionFunctions = StatFunctionTest;

TEST_F(DispersionFunctions, DeviationRmsAndVarianceOverTheWholeSourceAndSubRanges) {
  TLineSeries* src = Source({2, 4, 4, 4, 5, 5, 7, 9});
  auto* dev = Create<TStdDeviationFunction>(Owner);
  EXPECT_NEAR(dev->Calculate(src, -1, -1), std::sqrt(32.0 / 7), 1e-12);
  EXPECT_NEAR(dev->Calculate(src, -1, -1), 2.138090, 1e-6);
  dev->SetComplete(true);
  EXPECT_NEAR(dev->Calculate(src, -1, -1), 2.0, 1e-12);
  EXPECT_EQ(dev->Calculate(src, 3, 3), 0) << "one point has no deviation";

  auto* var = Create<TVarianceFunction>(Owner);
  EXPECT_NEAR(var->Calculate(src, -1, -1), 4.0, 1e-12) << "population variance, beside the sample deviation";
  EXPECT_NEAR(var->Calculate(src, 0, 7), var->Calculate(src, -1, -1), 1e-12);
  EXPECT_NEAR(var->Calculate(src, 1, 3), 0, 1e-12);
  EXPECT_NEAR(var->Calculate(src, 6, 7), 1, 1e-12);

  auto* rms = Create<TRMSFunction>(Owner);
  struct TCase {
    TValues Values;
    double Expected;
  } cases[] = {{{3, 4}, std::sqrt(12.5)}, {{-6}, 6}, {{1, 1, 1, 1}, 1}, {{}, 0}};
  for (const TCase& c : cases) {
    TLineSeries* s = Source(c.Values);
    for (bool complete : {false, true}) {
      rms->SetComplete(complete);
      EXPECT_NEAR(rms->Calculate(s, -1, -1), c.Expected, 1e-12) << c.Values.size() << " points, Complete " << complete;
    }
  }
}

TEST_F(DispersionFunctions, OverSeveralSourcesShortSourcesAreSkipped) {
  TLineSeries* a = Source({1, 10});
  TLineSeries* b = Source({3, 20, 7});
  TLineSeries* c = Source({8});
  auto [rv, var] = Result<TVarianceFunction>({a, b, c});
  // Index 0: 1, 3, 8; index 1: 10, 20; index 2: 7 only.
  const double mean0 = 4;
  ExpectNear(Ys(*rv), {((1 - mean0) * (1 - mean0) + 1 + 16) / 3, 25, 0}, "variance");
  auto [rr, rms] = Result<TRMSFunction>({a, b, c});
  ExpectNear(Ys(*rr), {std::sqrt(74.0 / 3), std::sqrt(500.0 / 2), 7}, "rms");
  auto [rd, dev] = Result<TStdDeviationFunction>({a, b, c});
  ExpectNear(Ys(*rd), {std::sqrt((3 * 74.0 - 144) / 6), std::sqrt((2 * 500.0 - 900) / 2), 0}, "deviation");
}

TEST_F(DispersionFunctions, WholeSourceIsALevelAndAPeriodGivesOneValuePerGroup) {
  auto [r, dev] = Result<TStdDeviationFunction>({Source({1, 3, 10, 14})});
  dev->SetComplete(true);
  EXPECT_EQ(r->Count(), 2) << "a level line from the smallest to the largest X";
  EXPECT_EQ(Xs(*r), (TValues{0, 3}));
  dev->SetPeriod(2);
  ExpectNear(Ys(*r), {1, 2}, "groups (1, 3) and (10, 14)");
}

using CrossAndPerimeter = StatFunctionTest;

TEST_F(CrossAndPerimeter, CrossPointsOfTwoPolylinesInWalkOrder) {
  TLineSeries* peak = Source({0, 2, 0}, {0, 2, 4});
  TLineSeries* level = Source({1, 1}, {0, 4});
  auto [r, f] = Result<TCrossPointsFunction>({peak, level});
  EXPECT_EQ(f->EditorFormName(), "");
  EXPECT_FALSE(f->PeriodUsable);
  ExpectNear(Xs(*r), {1, 3}, "x");
  ExpectNear(Ys(*r), {1, 1}, "y");
  auto [one, f1] = Result<TCrossPointsFunction>({peak});
  EXPECT_EQ(one->Count(), 0) << "one source";
  auto [shortOne, f2] = Result<TCrossPointsFunction>({peak, Source({1})});
  EXPECT_EQ(shortOne->Count(), 0) << "a source of one point";
}

TEST_F(CrossAndPerimeter, PerimeterIsTheClosedConvexOutlineOfTheSourcePoints) {
  // A square with points inside and on an edge; the corners are exact source
  // values, not pixels converted back.
  TLineSeries* src = Source({0.1, 0.1, 3.3, 3.3, 1.7, 2.0, 0.1}, {0.1, 2.9, 2.9, 0.1, 1.5, 1.1, 1.5});
  auto [r, f] = Result<TPerimeterFunction>({src});
  ASSERT_EQ(r->Count(), 5);
  EXPECT_EQ(r->GetXValue(0), r->GetXValue(4));
  EXPECT_EQ(r->GetYValue(0), r->GetYValue(4));
  std::vector<std::pair<double, double>> corners;
  for (int32_t i = 0; i < 4; ++i) corners.emplace_back(r->GetXValue(i), r->GetYValue(i));
  std::sort(corners.begin(), corners.end());
  EXPECT_EQ(corners, (std::vector<std::pair<double, double>>{{0.1, 0.1}, {0.1, 3.3}, {2.9, 0.1}, {2.9, 3.3}}));
  // Consecutive corners turn the same way all round.
  double turn = 0;
  for (int32_t i = 0; i < 4; ++i) {
    const double ax = r->GetXValue(i + 1) - r->GetXValue(i), ay = r->GetYValue(i + 1) - r->GetYValue(i);
    const int32_t j = (i + 1) % 4;
    const double bx = r->GetXValue(j + 1) - r->GetXValue(j), by = r->GetYValue(j + 1) - r->GetYValue(j);
    const double z = ax * by - ay * bx;
    EXPECT_NE(z, 0);
    if (i > 0) {
      EXPECT_GT(z * turn, 0);
    }
    turn = z;
  }
  auto [tri, f3] = Result<TPerimeterFunction>({Source({0, 5, 0}, {0, 1, 2})});
  EXPECT_EQ(tri->Count(), 4) << "a triangle closed by its first point";
  auto [empty, f0] = Result<TPerimeterFunction>({Source({})});
  EXPECT_EQ(empty->Count(), 0);
}

TEST_F(CrossAndPerimeter, PerimeterDoesNotDependOnTheChartSizeOrZoom) {
  TLineSeries* src = Source({1.23, 4.56, 2.2, 3.9, 0.7}, {0.31, 1.77, 2.9, 0.05, 1.5});
  auto [r, f] = Result<TPerimeterFunction>({src});
  const TValues x0 = Xs(*r), y0 = Ys(*r);
  TBitmap bitmap(400, 300);
  Chart->SetBounds(400, 300);
  Chart->DrawTo(*bitmap.GetCanvas(), TRect(0, 0, 400, 300));
  Chart->BottomAxis()->SetMinMax(0.5, 1.9);
  Chart->SetBounds(97, 53);
  Chart->DrawTo(*bitmap.GetCanvas(), TRect(0, 0, 97, 53));
  f->Recalculate();
  EXPECT_EQ(Xs(*r), x0);
  EXPECT_EQ(Ys(*r), y0);
  EXPECT_EQ(r->Count(), 6) << "all five points are corners, then the closing point";
}

TEST(StatCharRegistration, InitializeRegistersEveryTypeOnItsPageAndFinalizeRemovesThem) {
  PlotConst::Initialize();
  StatChar::Initialize();
  struct TCase {
    TClass Function, Series;
    const char* Description;
    const char* Page;
  } cases[] = {{TMovingAverageFunction::StaticClass(), nullptr, "Moving\rAverage", "Financial"},
               {TExpMovAveFunction::StaticClass(), nullptr, "Exp.Moving\rAverage", "Financial"},
               {TExpAverageFunction::StaticClass(), nullptr, "Exponential\rAverage", "Extended"},
               {TMomentumFunction::StaticClass(), nullptr, "Momentum", "Financial"},
               {TMomentumDivFunction::StaticClass(), nullptr, "Momentum\rDivision", "Financial"},
               {TStochasticFunction::StaticClass(), nullptr, "Stochastic", "Financial"},
               {TPerformanceFunction::StaticClass(), nullptr, "Performance", "Extended"},
               {TStdDeviationFunction::StaticClass(), nullptr, "Standard\rDeviation", "Extended"},
               {TRMSFunction::StaticClass(), nullptr, "Root Mean\rSquare", "Extended"},
               {TCrossPointsFunction::StaticClass(), nullptr, "Cross Points", "Extended"},
               {TVarianceFunction::StaticClass(), nullptr, "Variance", "Extended"},
               {TPerimeterFunction::StaticClass(), nullptr, "Perimeter", "Extended"},
               {nullptr, THistogramSeries::StaticClass(), "Histogram", "Stats"},
               {nullptr, THorizHistogramSeries::StaticClass(), "Horizontal\rHistogram", "Stats"}};
  auto find = [](TClass F, TClass S) -> TPlotSeriesType* {
    for (auto& t : Chart::SeriesTypes().Items())
      if (t->FunctionClassRef == F && t->SeriesClassRef == S) return t.get();
    return nullptr;
  };
  for (const TCase& c : cases) {
    TPlotSeriesType* t = find(c.Function, c.Series);
    ASSERT_NE(t, nullptr) << c.Description;
    EXPECT_EQ(t->Description(), c.Description);
    EXPECT_EQ(*t->PageName, c.Page);
    EXPECT_EQ(t->SampleSeriesCount, 1);
  }
  StatChar::Finalize();
  for (const TCase& c : cases) EXPECT_EQ(find(c.Function, c.Series), nullptr) << c.Description;
}

}  // namespace

}  // namespace StatCharTests
