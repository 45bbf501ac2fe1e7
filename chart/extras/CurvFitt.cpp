// Curve fitting, trend and correlation functions.
#include "chart/extras/CurvFitt.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"

// ============================================================================
// TCustomFittingFunction
// ============================================================================

KV_CLASS_IMPL(TCustomFittingFunction, TPlotFunction) {}

KV_CLASS_IMPL(TCurveFittingFunction, TCustomFittingFunction) {
  using F = TCurveFittingFunction;
  c.Property("FirstCalcPoint", &F::GetFirstCalcPoint, &F::SetFirstCalcPoint).Default(-1);
  c.Property("FirstPoint", &F::GetFirstPoint, &F::SetFirstPoint).Default(-1);
  c.Property("LastCalcPoint", &F::GetLastCalcPoint, &F::SetLastCalcPoint).Default(-1);
  c.Property("LastPoint", &F::GetLastPoint, &F::SetLastPoint).Default(-1);
  c.Property("PolyDegree", &F::GetPolyDegree, &F::SetPolyDegree).Default(5);
  c.Property("TypeFitting", &F::GetTypeFitting, &F::SetTypeFitting).Names({"cfPolynomial"}).Default(cfPolynomial);
  c.Property("Factor", &F::GetFactor, &F::SetFactor).Default(1);
}

TCustomFittingFunction::TCustomFittingFunction(TComponent* Owner) : TPlotFunction(Owner) {
  PeriodUsable = false;
  InternalSetPeriod(1);
}

void TCustomFittingFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TCustomFittingFunction*>(Source)) {
    FPolyDegree = f->FPolyDegree;
    FTypeFitting = f->FTypeFitting;
    FFirstCalcPoint = f->FFirstCalcPoint;
    FLastCalcPoint = f->FLastCalcPoint;
    FFirstPoint = f->FFirstPoint;
    FLastPoint = f->FLastPoint;
    FFactor = f->FFactor;
  }
  TPlotFunction::Assign(Source);
}

void TCustomFittingFunction::Change(int32_t& Field, int32_t Value) {
  if (Field == Value) return;
  Field = Value;
  Recalculate();
}

void TCustomFittingFunction::SetPolyDegree(int32_t Value) {
  if (Value == FPolyDegree) return;
  if (Value < 1 || Value > PlotPoly::MaxPolyTerms)
    throw ChartException("Polynomial degree must be between 1 and 20");
  FPolyDegree = Value;
  Recalculate();
}

void TCustomFittingFunction::SetTypeFitting(TTypeFitting Value) {
  if (FTypeFitting == Value) return;
  FTypeFitting = Value;
  Recalculate();
}

void TCustomFittingFunction::SetFactor(int32_t Value) { Change(FFactor, std::max(1, Value)); }

double TCustomFittingFunction::GetCurveYValue(double X) const {
  return static_cast<double>(PlotPoly::EvalPolynomial(FPolyDegree, FCoefficients, X - FMinX)) + FMinY;
}

void TCustomFittingFunction::AddPoints(TChartSeries* Source) {
  if (Updating() || !Source || !ParentSeries()) return;
  const int32_t n = Source->Count();
  if (n < FPolyDegree) return;
  TChartValueList* xs = Source->NotMandatoryList();
  TChartValueList* ys = ValueList(Source);
  const int32_t first = FFirstCalcPoint == -1 ? 0 : std::max(0, FFirstCalcPoint);
  const int32_t last = FLastCalcPoint == -1 ? n - 1 : std::min(n - 1, FLastCalcPoint);
  // An empty fit range has no curve.
  if (last < first) return;
  const double x0 = xs->MinValue(), y0 = ys->MinValue();
  const int32_t m = last - first + 1;
  PlotPoly::TVector x(static_cast<size_t>(m) + 1, 0), y(static_cast<size_t>(m) + 1, 0);
  for (int32_t i = first; i <= last; ++i) {
    x[static_cast<size_t>(i - first + 1)] = static_cast<long double>(xs->GetValue(i)) - x0;
    y[static_cast<size_t>(i - first + 1)] = static_cast<long double>(ys->GetValue(i)) - y0;
  }
  PlotPoly::FitPolynomial(m, FPolyDegree, x, y, FCoefficients);
  FMinX = x0;
  FMinY = y0;
  AddFittedPoints(Source);
}

void TCustomFittingFunction::AddFittedPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  const int32_t n = Source->Count();
  if (!parent || n == 0) return;
  // Drawn only within the source, however the range is set.
  const int32_t first = FFirstPoint == -1 ? 0 : std::clamp(FFirstPoint, 0, n - 1);
  const int32_t last = FLastPoint == -1 ? n - 1 : std::clamp(FLastPoint, 0, n - 1);
  if (last < first) return;
  TChartValueList* xs = Source->NotMandatoryList();
  for (int32_t i = first; i < last; ++i) {
    const double a = xs->GetValue(i), b = xs->GetValue(i + 1);
    for (int32_t k = 0; k < FFactor; ++k) {
      const double x = a + (b - a) / FFactor * k;
      parent->AppendPoint(x, GetCurveYValue(x));
    }
  }
  const double x = xs->GetValue(last);
  parent->AppendPoint(x, GetCurveYValue(x));
}

// ============================================================================
// Trends
// ============================================================================

KV_CLASS_IMPL(TCustomTrendFunction, TPlotFunction) {}
KV_CLASS_IMPL(TTrendFunction, TCustomTrendFunction) {}
KV_CLASS_IMPL(TExpTrendFunction, TCustomTrendFunction) {}

TExpTrendFunction::TExpTrendFunction(TComponent* Owner) : TCustomTrendFunction(Owner) { FStyle = tsExponential; }

void TCustomTrendFunction::Accumulate(TChartSeries* Source, int32_t First, int32_t Last) {
  FN = 0;
  FSx = FSy = FSxy = FSxx = FSyy = 0;
  TChartValueList* xs = Source->NotMandatoryList();
  TChartValueList* ys = ValueList(Source);
  for (int32_t i = First; i <= Last; ++i) {
    const double x = xs->GetValue(i);
    double y = ys->GetValue(i);
    if (FStyle == tsExponential) {
      // An exponential has no logarithm at or below 0: such values stay out.
      if (!(y > 0)) continue;
      y = std::log(y);
    }
    ++FN;
    FSx += x;
    FSy += y;
    FSxy += x * y;
    FSxx += x * x;
    FSyy += y * y;
  }
}

bool TCustomTrendFunction::CalculateTrend(TChartSeries* Source, int32_t First, int32_t Last, double& Slope,
                                          double& Intercept) {
  if (First == -1) {
    First = 0;
    Last = Source->Count() - 1;
  }
  if (Last - First + 1 < 2) return false;
  Accumulate(Source, First, Last);
  if (FN < 2) return false;
  const double n = FN;
  if (FStyle == tsNormal) {
    const double d = n * FSxx - FSx * FSx;
    if (d == 0) return false;
    Slope = (n * FSxy - FSx * FSy) / d;
    Intercept = (FSy * FSxx - FSx * FSxy) / d;
  } else {
    const double mx = FSx / n, my = FSy / n;
    const double h = FSxx - n * mx * mx;
    Slope = h == 0 ? 1 : (FSxy - n * mx * my) / h;
    Intercept = std::exp(my - Slope * mx);
  }
  return true;
}

void TCustomTrendFunction::CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double /*Position*/) {
  if (First == -1) {
    First = 0;
    Last = Source->Count() - 1;
  }
  double m, b;
  if (!CalculateTrend(Source, First, Last, m, b)) return;
  TChartValueList* xs = Source->NotMandatoryList();
  const bool yMandatory = Source->GetYMandatory();
  if (FStyle == tsExponential) {
    // The curve at every source X, not a chord between its ends.
    for (int32_t i = First; i <= Last; ++i) {
      const double x = xs->GetValue(i);
      AddFunctionXY(yMandatory, b * std::exp(m * x), x);
    }
    return;
  }
  double x0 = xs->GetValue(First), x1 = xs->GetValue(Last);
  if (xs->GetOrder() == loNone) {
    for (int32_t i = First; i <= Last; ++i) {
      x0 = std::min(x0, xs->GetValue(i));
      x1 = std::max(x1, xs->GetValue(i));
    }
  }
  AddFunctionXY(yMandatory, m * x0 + b, x0);
  AddFunctionXY(yMandatory, m * x1 + b, x1);
}

void TCustomTrendFunction::CalculateAllPoints(TChartSeries* Source, TChartValueList* /*ValueList*/) {
  CalculatePeriod(Source, 0, Source->Count() - 1, 0);
}

// ============================================================================
// Correlation
// ============================================================================

KV_CLASS_IMPL(TCorrelationFunction, TCustomTrendFunction) {}

bool TCorrelationFunction::Correlation(TChartSeries* Source, int32_t First, int32_t Last, double& R) {
  if (First == -1) {
    First = 0;
    Last = Source->Count() - 1;
  }
  if (Last - First + 1 < 2) return false;
  Accumulate(Source, First, Last);
  const double n = FN;
  const double radicand = std::max(0.0, (FSxx - FSx * FSx / n) * (FSyy - FSy * FSy / n));
  const double d = std::sqrt(radicand);
  if (!(d > 0)) return false;
  R = std::clamp((FSxy - FSx * FSy / n) / d, -1.0, 1.0);
  return std::isfinite(R);
}

double TCorrelationFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  double r = 0;
  return Correlation(Source, First, Last, r) ? r : 0;
}

void TCorrelationFunction::CalculatePeriod(TChartSeries* Source, int32_t First, int32_t Last, double /*Position*/) {
  TChartSeries* parent = ParentSeries();
  double r;
  if (!parent || !Correlation(Source, First, Last, r)) return;
  const bool yMandatory = parent->GetYMandatory();
  auto add = [&](double X) {
    if (yMandatory)
      parent->AppendPoint(X, r);
    else
      parent->AppendPoint(r, X);
  };
  if (parent->FunctionAsOnePoint) {
    add(parent->Count());
  } else {
    TChartValueList* xs = Source->NotMandatoryList();
    add(xs->MinValue());
    add(xs->MaxValue());
  }
}

// ============================================================================
// Registration
// ============================================================================

namespace CurvFitt {

namespace {
const std::string kExtended = "Extended", kCurveFitting = "Curve Fitting", kTrend = "Trend",
                  kExpTrend = "Exponential\rTrend", kCorrelation = "Correlation";
}  // namespace

void Initialize() {
  Chart::AddFunctionType(TCurveFittingFunction::StaticClass(), &kCurveFitting, &kExtended, 1);
  Chart::AddFunctionType(TTrendFunction::StaticClass(), &kTrend, &kExtended, 1);
  Chart::AddFunctionType(TExpTrendFunction::StaticClass(), &kExpTrend, &kExtended, 1);
  Chart::AddFunctionType(TCorrelationFunction::StaticClass(), &kCorrelation, &kExtended, 1);
}

void Finalize() {
  Chart::RemoveFunctionTypes({TCurveFittingFunction::StaticClass(), TTrendFunction::StaticClass(),
                              TExpTrendFunction::StaticClass(), TCorrelationFunction::StaticClass()});
}

}  // namespace CurvFitt
