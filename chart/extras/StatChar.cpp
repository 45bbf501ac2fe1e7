// Moving-window, dispersion, cross-point and perimeter functions, and the
// registration of the unit's types.
#include "chart/extras/StatChar.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

namespace {

TChartSeries* SourceAt(const TDataSourcesList& Sources, int32_t Index) {
  return dynamic_cast<TChartSeries*>(Sources.Get(Index));
}

}  // namespace

// ============================================================================
// Moving functions
// ============================================================================

KV_CLASS_IMPL(TStatMovingFunction, TPlotMovingFunction) {}

void TStatMovingFunction::CalculateFromSource(TChartSeries* Source, TChartValueList* ValueList) {
  if (!(std::nearbyint(GetPeriod()) >= 1)) return;
  TPlotMovingFunction::CalculateFromSource(Source, ValueList);
}

void TStatMovingFunction::WholeRange(TChartSeries* Source, int32_t& First, int32_t& Last) {
  if (First == -1) {
    First = 0;
    Last = Source->Count() - 1;
  }
}

KV_CLASS_IMPL(TMovingAverageFunction, TStatMovingFunction) {
  using F = TMovingAverageFunction;
  c.Property("Weighted", &F::GetWeighted, &F::SetWeighted).Default(false);
  c.Property("WeightedIndex", &F::GetWeightedIndex, &F::SetWeightedIndex).Default(false);
  c.Editor("TMovAveFuncEditor");
}

void TMovingAverageFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TMovingAverageFunction*>(Source)) {
    FWeighted = f->FWeighted;
    FWeightedIndex = f->FWeightedIndex;
  }
  TStatMovingFunction::Assign(Source);
}

void TMovingAverageFunction::SetWeighted(bool Value) {
  if (FWeighted == Value) return;
  FWeighted = Value;
  Recalculate();
}

void TMovingAverageFunction::SetWeightedIndex(bool Value) {
  if (FWeightedIndex == Value) return;
  FWeightedIndex = Value;
  Recalculate();
}

double TMovingAverageFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  if (!(GetPeriod() > 0)) return 0;
  WholeRange(Source, First, Last);
  const int32_t n = Last - First + 1;
  if (n <= 0) return 0;
  TChartValueList* y = ValueList(Source);
  double sum = 0, weights = 0;
  for (int32_t i = First; i <= Last; ++i) {
    double w = 1;
    if (FWeighted)
      w = Source->NotMandatoryList()->GetValue(i);
    else if (FWeightedIndex)
      w = i - First + 1;
    sum += w * y->GetValue(i);
    weights += w;
  }
  if (!FWeighted && !FWeightedIndex) return sum / n;
  return weights == 0 ? 0 : sum / weights;
}

KV_CLASS_IMPL(TExpMovAveFunction, TPlotFunction) {}

TExpMovAveFunction::TExpMovAveFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(10);
  PeriodUsable = false;
  SingleSource = true;
}

void TExpMovAveFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (Updating() || !Source || !parent) return;
  if (parent->Count() > 0) parent->Clear();
  const int32_t n = Source->Count();
  TChartValueList* y = ValueList(Source);
  TChartValueList* x = Source->NotMandatoryList();
  std::vector<double> values(n);
  for (int32_t i = 0; i < n; ++i) values[i] = y->GetValue(i);
  const std::vector<double> e = Averages(values, GetPeriod());
  for (size_t i = 0; i < e.size(); ++i) parent->AppendPoint(x->GetValue(static_cast<int32_t>(i)), e[i]);
}

std::vector<double> TExpMovAveFunction::Averages(const std::vector<double>& Values, double Period) {
  std::vector<double> result;
  if (!(Period > 0) || Values.size() < 2) return result;
  const double k = 2 / (Period + 1);
  result.reserve(Values.size());
  double e = Values[0];
  result.push_back(e);
  for (size_t i = 1; i < Values.size(); ++i) {
    e = k * Values[i] + (1 - k) * e;
    result.push_back(e);
  }
  return result;
}

KV_CLASS_IMPL(TExpAverageFunction, TStatMovingFunction) {
  c.Property("Weight", &TExpAverageFunction::GetWeight, &TExpAverageFunction::SetWeight).Default(0.2);
  c.Editor("TExpAveFuncEditor");
}

void TExpAverageFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TExpAverageFunction*>(Source)) FWeight = f->FWeight;
  TStatMovingFunction::Assign(Source);
}

void TExpAverageFunction::SetWeight(double Value) {
  if (!(Value >= 0 && Value <= 1)) throw ChartException("ExpAverage Weight must be between 0 and 1");
  if (FWeight == Value) return;
  FWeight = Value;
  Recalculate();
}

double TExpAverageFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  WholeRange(Source, First, Last);
  if (Last < 0) return 0;
  const double v = ValueAt(Source, Last);
  if (Last == 0) return v;
  return (1 - FWeight) * ValueAt(Source, Last - 1) + FWeight * v;
}

KV_CLASS_IMPL(TMomentumFunction, TStatMovingFunction) {}

double TMomentumFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  WholeRange(Source, First, Last);
  if (Last < First) return 0;
  return ValueAt(Source, Last) - ValueAt(Source, First);
}

KV_CLASS_IMPL(TMomentumDivFunction, TStatMovingFunction) {}

double TMomentumDivFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  WholeRange(Source, First, Last);
  if (Last < First) return 0;
  const double first = ValueAt(Source, First);
  return first == 0 ? 0 : ValueAt(Source, Last) * 100 / first;
}

KV_CLASS_IMPL(TPerformanceFunction, TStatMovingFunction) {}

double TPerformanceFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  WholeRange(Source, First, Last);
  if (Last < First) return 0;
  const double first = ValueAt(Source, 0);
  return first == 0 ? 0 : (ValueAt(Source, Last) - first) * 100 / first;
}

KV_CLASS_IMPL(TStochasticFunction, TStatMovingFunction) {}

TStochasticFunction::TStochasticFunction(TComponent* Owner) : TStatMovingFunction(Owner) { FixedValueList = true; }

double TStochasticFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  WholeRange(Source, First, Last);
  if (Last < First) return 0;
  TChartValueList* low = Source->ValueListByName("Low");
  TChartValueList* high = Source->ValueListByName("High");
  double ll = low->GetValue(First), hh = high->GetValue(First);
  for (int32_t i = First + 1; i <= Last; ++i) {
    ll = std::min(ll, low->GetValue(i));
    hh = std::max(hh, high->GetValue(i));
  }
  if (ll == hh) return 0;
  return (ValueAt(Source, Last) - ll) / (hh - ll) * 100;
}

// ============================================================================
// Dispersion
// ============================================================================

KV_CLASS_IMPL(TStdDeviationFunction, TPlotFunction) {
  c.Property("Complete", &TStdDeviationFunction::GetComplete, &TStdDeviationFunction::SetComplete).Default(false);
  c.Editor("TRMSFuncEditor");
}

void TStdDeviationFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TStdDeviationFunction*>(Source)) FComplete = f->FComplete;
  TPlotFunction::Assign(Source);
}

void TStdDeviationFunction::SetComplete(bool Value) {
  if (FComplete == Value) return;
  FComplete = Value;
  Recalculate();
}

double TStdDeviationFunction::Result(int32_t N, double Sum, double SumSquares) const {
  if (N < 2) return 0;
  const double n = N;
  const double d = FComplete ? n * n : n * (n - 1);
  const double v = (n * SumSquares - Sum * Sum) / d;
  return v >= 0 ? std::sqrt(v) : 0;
}

double TStdDeviationFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  TStatMovingFunction::WholeRange(Source, First, Last);
  TChartValueList* y = ValueList(Source);
  double s = 0, q = 0;
  for (int32_t i = First; i <= Last; ++i) {
    const double v = y->GetValue(i);
    s += v;
    q += v * v;
  }
  return Result(std::max(0, Last - First + 1), s, q);
}

double TStdDeviationFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  int32_t n = 0;
  double s = 0, q = 0;
  for (int32_t k = 0; k < Sources.Count(); ++k) {
    TChartSeries* src = SourceAt(Sources, k);
    if (!src) continue;
    TChartValueList* y = ValueList(src);
    if (y->Count() <= Index) continue;
    const double v = y->GetValue(Index);
    s += v;
    q += v * v;
    ++n;
  }
  return Result(n, s, q);
}

KV_CLASS_IMPL(TRMSFunction, TStdDeviationFunction) {}

double TRMSFunction::Result(int32_t N, double /*Sum*/, double SumSquares) const {
  return N < 1 ? 0 : std::sqrt(SumSquares / N);
}

KV_CLASS_IMPL(TVarianceFunction, TPlotFunction) {}

double TVarianceFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  if (First == -1) First = 0;
  if (Last == -1) Last = Source->Count() - 1;
  const int32_t n = Last - First + 1;
  if (n <= 0) return 0;
  TChartValueList* y = Source->MandatoryList();
  double mean;
  if (First == 0 && Last == Source->Count() - 1) {
    mean = y->Total() / n;
  } else {
    double s = 0;
    for (int32_t i = First; i <= Last; ++i) s += y->GetValue(i);
    mean = s / n;
  }
  double q = 0;
  for (int32_t i = First; i <= Last; ++i) q += (y->GetValue(i) - mean) * (y->GetValue(i) - mean);
  return q / n;
}

double TVarianceFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  std::vector<double> values;
  for (int32_t k = 0; k < Sources.Count(); ++k)
    if (TChartSeries* src = SourceAt(Sources, k); src && src->Count() > Index)
      values.push_back(src->MandatoryList()->GetValue(Index));
  if (values.empty()) return 0;
  double mean = 0;
  for (double v : values) mean += v;
  mean /= static_cast<double>(values.size());
  double q = 0;
  for (double v : values) q += (v - mean) * (v - mean);
  return q / static_cast<double>(values.size());
}

// ============================================================================
// Cross points
// ============================================================================

// No parameter form: the class answers an empty editor name.
KV_CLASS_IMPL(TCrossPointsFunction, TPlotFunction) {}

TCrossPointsFunction::TCrossPointsFunction(TComponent* Owner) : TPlotFunction(Owner) { PeriodUsable = false; }

void TCrossPointsFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (Updating() || !Source || !parent) return;
  const TDataSourcesList& sources = parent->DataSources();
  if (sources.Count() < 2) return;
  TChartSeries* a = SourceAt(sources, 0);
  TChartSeries* b = SourceAt(sources, 1);
  if (!a || !b) return;
  TChartValueList* ay = ValueList(a);
  TChartValueList* by = ValueList(b);
  TChartValueList* ax = a->NotMandatoryList();
  TChartValueList* bx = b->NotMandatoryList();
  if (parent->Count() > 0) parent->Clear();
  if (a->Count() < 2 || b->Count() < 2) return;
  int32_t i = 0, j = 0;
  while (i + 1 < a->Count() && j + 1 < b->Count()) {
    double x, y;
    if (PlotProcs::LinesCross(x, y, ax->GetValue(i), ay->GetValue(i), ax->GetValue(i + 1), ay->GetValue(i + 1),
                              bx->GetValue(j), by->GetValue(j), bx->GetValue(j + 1), by->GetValue(j + 1)))
      parent->AppendPoint(x, y);
    if (bx->GetValue(j + 1) >= ax->GetValue(i + 1))
      ++i;
    else
      ++j;
  }
}

// ============================================================================
// Perimeter
// ============================================================================

KV_CLASS_IMPL(TPerimeterFunction, TPlotFunction) {}

TPerimeterFunction::TPerimeterFunction(TComponent* Owner) : TPlotFunction(Owner) {
  PeriodUsable = false;
  SingleSource = true;
}

namespace {

struct THullPoint {
  double X, Y;     // the point in screen orientation, unrounded
  int32_t Index;   // the source point
};

// Where a value lies along an axis as the screen shows it, before scaling:
// the logarithm on a logarithmic axis, negated where pixels run the other
// way. Every value-to-pixel map is affine in this coordinate, so the hull
// found here is the hull of the unrounded pixels at any size or zoom.
bool ScreenCoordinate(const TChartAxis* Axis, bool Vertical, double Value, double& Result) {
  double u = Value;
  if (Axis && Axis->GetLogarithmic()) {
    if (!(Value > 0)) return false;
    u = std::log(Value);
  }
  const bool inverted = Axis && Axis->GetInverted();
  // Pixels grow rightwards and downwards: a vertical axis runs upwards.
  Result = (Vertical != inverted) ? -u : u;
  return std::isfinite(Result);
}

double Cross(const THullPoint& O, const THullPoint& A, const THullPoint& B) {
  return (A.X - O.X) * (B.Y - O.Y) - (A.Y - O.Y) * (B.X - O.X);
}

// Monotone chain; collinear and repeated points are dropped. Three points or
// more answer the corners starting at the lowest one on the screen.
std::vector<THullPoint> Hull(std::vector<THullPoint> P) {
  if (P.size() < 3) return P;
  std::sort(P.begin(), P.end(), [](const THullPoint& a, const THullPoint& b) {
    return a.X < b.X || (a.X == b.X && a.Y < b.Y);
  });
  std::vector<THullPoint> h(2 * P.size());
  size_t k = 0;
  for (const THullPoint& p : P) {
    while (k >= 2 && Cross(h[k - 2], h[k - 1], p) <= 0) --k;
    h[k++] = p;
  }
  for (size_t i = P.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross(h[k - 2], h[k - 1], P[i]) <= 0) --k;
    h[k++] = P[i];
  }
  h.resize(k > 1 ? k - 1 : k);
  // Start at the lowest corner (largest screen Y), the leftmost of equal ones.
  auto lowest = std::min_element(h.begin(), h.end(), [](const THullPoint& a, const THullPoint& b) {
    return a.Y > b.Y || (a.Y == b.Y && a.X < b.X);
  });
  std::rotate(h.begin(), lowest, h.end());
  return h;
}

}  // namespace

void TPerimeterFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (Updating() || !Source || !parent) return;
  if (parent->Count() > 0) parent->Clear();
  const int32_t n = Source->Count();
  if (n == 0) return;
  std::vector<THullPoint> points;
  points.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    THullPoint p{0, 0, i};
    if (ScreenCoordinate(Source->GetHorizAxisRef(), false, Source->GetXValue(i), p.X) &&
        ScreenCoordinate(Source->GetVertAxisRef(), true, Source->GetYValue(i), p.Y))
      points.push_back(p);
  }
  const std::vector<THullPoint> hull = Hull(std::move(points));
  parent->XValues()->SetOrder(loNone);
  for (const THullPoint& p : hull) parent->AppendPoint(Source->GetXValue(p.Index), Source->GetYValue(p.Index));
  if (!hull.empty())
    parent->AppendPoint(Source->GetXValue(hull.front().Index), Source->GetYValue(hull.front().Index));
}

// ============================================================================
// Registration
// ============================================================================

namespace StatChar {

namespace {
const std::string kFinancial = "Financial", kExtended = "Extended", kStats = "Stats";
const std::string kMovingAverage = "Moving\rAverage", kExpMovAve = "Exp.Moving\rAverage",
                  kExpAverage = "Exponential\rAverage", kMomentum = "Momentum", kMomentumDiv = "Momentum\rDivision",
                  kStochastic = "Stochastic", kPerformance = "Performance", kStdDeviation = "Standard\rDeviation",
                  kRMS = "Root Mean\rSquare", kCrossPoints = "Cross Points", kVariance = "Variance",
                  kPerimeter = "Perimeter", kHistogram = "Histogram", kHorizHistogram = "Horizontal\rHistogram",
                  kMACD = "MACD", kBollinger = "Bollinger\rbands";

struct TTypeEntry {
  TClass Class;
  const std::string* Description;
  const std::string* Page;
};

const std::vector<TTypeEntry>& FunctionEntries() {
  static const std::vector<TTypeEntry> entries{
      {TMovingAverageFunction::StaticClass(), &kMovingAverage, &kFinancial},
      {TExpMovAveFunction::StaticClass(), &kExpMovAve, &kFinancial},
      {TExpAverageFunction::StaticClass(), &kExpAverage, &kExtended},
      {TMomentumFunction::StaticClass(), &kMomentum, &kFinancial},
      {TMomentumDivFunction::StaticClass(), &kMomentumDiv, &kFinancial},
      {TStochasticFunction::StaticClass(), &kStochastic, &kFinancial},
      {TPerformanceFunction::StaticClass(), &kPerformance, &kExtended},
      {TStdDeviationFunction::StaticClass(), &kStdDeviation, &kExtended},
      {TRMSFunction::StaticClass(), &kRMS, &kExtended},
      {TCrossPointsFunction::StaticClass(), &kCrossPoints, &kExtended},
      {TVarianceFunction::StaticClass(), &kVariance, &kExtended},
      {TPerimeterFunction::StaticClass(), &kPerimeter, &kExtended},
      {TMACDFunction::StaticClass(), &kMACD, &kFinancial},
      {TBollingerFunction::StaticClass(), &kBollinger, &kFinancial}};
  return entries;
}

}  // namespace

void Initialize() {
  for (const TTypeEntry& e : FunctionEntries()) Chart::AddFunctionType(e.Class, e.Description, e.Page, 1);
  Chart::AddSeriesType(THistogramSeries::StaticClass(), &kHistogram, &kStats, 1);
  Chart::AddSeriesType(THorizHistogramSeries::StaticClass(), &kHorizHistogram, &kStats, 1);
}

void Finalize() {
  std::vector<TClass> functions;
  for (const TTypeEntry& e : FunctionEntries()) functions.push_back(e.Class);
  Chart::RemoveFunctionTypes(functions);
  Chart::RemoveSeriesTypes({THistogramSeries::StaticClass(), THorizHistogramSeries::StaticClass()});
}

}  // namespace StatChar
