// The down-sampling function and its two reductions.
#include "chart/extras/PlotDownSampling.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TDownSamplingFunction, TPlotFunction) {
  using F = TDownSamplingFunction;
  c.Property("DownSampleMethod", &F::GetDownSampleMethod, &F::SetDownSampleMethod)
      .Names({"dsDouglas", "dsMax", "dsMin", "dsMinMax", "dsAverage"})
      .Default(dsDouglas);
  c.Property("Tolerance", &F::GetTolerance, &F::SetTolerance).Default(1.0);
}

TDownSamplingFunction::TDownSamplingFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(1);
  PeriodUsable = false;
  SingleSource = true;
}

void TDownSamplingFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TDownSamplingFunction*>(Source)) {
    FMethod = f->FMethod;
    FTolerance = f->FTolerance;
  }
  TPlotFunction::Assign(Source);
}

void TDownSamplingFunction::SetDownSampleMethod(TDownSampleMethod Value) {
  if (FMethod == Value) return;
  FMethod = Value;
  Recalculate();
}

void TDownSamplingFunction::SetTolerance(double Value) {
  const double v = std::isnan(Value) ? 0 : std::max(0.0, Value);
  if (FTolerance == v) return;
  FTolerance = v;
  Recalculate();
}

void TDownSamplingFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (Updating() || !Source || !parent || Source->Count() == 0) return;
  if (parent->Count() > 0) parent->Clear();
  const bool agree = parent->GetYMandatory() == Source->GetYMandatory();
  parent->NotMandatoryList()->SetOrder(agree ? loAscending : loNone);
  parent->MandatoryList()->SetOrder(agree ? loNone : loAscending);
  parent->CalcVisiblePoints = agree;
  const int32_t n = Source->Count();
  const PlotDownSampling::TReduced r = PlotDownSampling::DownSample(
      FMethod, FTolerance, Source->XValues()->Values().data(), Source->YValues()->Values().data(), n);
  for (size_t i = 0; i < r.X.size(); ++i) parent->AppendPoint(r.X[i], r.Y[i]);
}

namespace PlotDownSampling {

namespace {

// Squared distance of P to the segment A-B; beyond an end, to that end.
double SegmentDistance2(double Px, double Py, double Ax, double Ay, double Bx, double By) {
  const double vx = Bx - Ax, vy = By - Ay;
  const double wx = Px - Ax, wy = Py - Ay;
  const double t = wx * vx + wy * vy;
  if (t <= 0) return wx * wx + wy * wy;
  const double len2 = vx * vx + vy * vy;
  if (t > len2) return (Px - Bx) * (Px - Bx) + (Py - By) * (Py - By);
  const double f = t / len2;
  const double dx = wx - f * vx, dy = wy - f * vy;
  return dx * dx + dy * dy;
}

}  // namespace

std::vector<int32_t> DouglasPeucker(const double* X, const double* Y, int32_t N, double Tolerance) {
  std::vector<int32_t> kept;
  if (N <= 0) return kept;
  if (N == 1) return {0};
  std::vector<bool> keep(static_cast<size_t>(N), false);
  keep.front() = keep.back() = true;
  const double tol2 = Tolerance * Tolerance;
  // Spans still to split; a stack instead of recursion, so that a million
  // points in a bad order cannot exhaust the call stack.
  std::vector<std::pair<int32_t, int32_t>> spans{{0, N - 1}};
  while (!spans.empty()) {
    const auto [first, last] = spans.back();
    spans.pop_back();
    if (last - first < 2) continue;
    double best = -1;
    int32_t index = -1;
    for (int32_t i = first + 1; i < last; ++i) {
      const double d = SegmentDistance2(X[i], Y[i], X[first], Y[first], X[last], Y[last]);
      if (d > best) {
        best = d;
        index = i;
      }
    }
    if (best > tol2) {
      keep[static_cast<size_t>(index)] = true;
      spans.emplace_back(index, last);
      spans.emplace_back(first, index);
    }
  }
  for (int32_t i = 0; i < N; ++i)
    if (keep[static_cast<size_t>(i)]) kept.push_back(i);
  return kept;
}

TReduced DownSample(TDownSampleMethod Method, double Tolerance, const double* X, const double* Y, int32_t N) {
  TReduced r;
  if (N <= 0) return r;
  if (Method == dsDouglas) {
    for (int32_t i : DouglasPeucker(X, Y, N, Tolerance)) {
      r.X.push_back(X[i]);
      r.Y.push_back(Y[i]);
    }
    return r;
  }
  for (int32_t f = 0; f < N;) {
    int32_t last = f;
    double sum = Y[f], high = Y[f], low = Y[f];
    while (last + 1 < N && std::fabs(X[last + 1] - X[f]) < Tolerance) {
      ++last;
      sum += Y[last];
      high = std::max(high, Y[last]);
      low = std::min(low, Y[last]);
    }
    const double mid = (X[f] + X[last]) / 2;
    switch (Method) {
      case dsMax: r.X.push_back(mid), r.Y.push_back(high); break;
      case dsMin: r.X.push_back(mid), r.Y.push_back(low); break;
      case dsAverage: r.X.push_back(mid), r.Y.push_back(sum / (last - f + 1)); break;
      case dsMinMax:
        r.X.push_back(X[f]), r.Y.push_back(low);
        r.X.push_back(X[last]), r.Y.push_back(high);
        break;
      case dsDouglas: break;
    }
    f = last + 1;
  }
  return r;
}

namespace {
const std::string kDownsampling = "Downsampling", kExtended = "Extended";
}  // namespace

void Initialize() { Chart::AddFunctionType(TDownSamplingFunction::StaticClass(), &kDownsampling, &kExtended, 1); }

void Finalize() { Chart::RemoveFunctionTypes({TDownSamplingFunction::StaticClass()}); }

}  // namespace PlotDownSampling
