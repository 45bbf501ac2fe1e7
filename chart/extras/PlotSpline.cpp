// Uniform cubic B-splines and the smoothing function built on them.
#include "chart/extras/PlotSpline.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"

// ============================================================================
// TBSpline
// ============================================================================

void TBSpline::Reset() {
  FVertexList.clear();
  FPointList.clear();
  FKnuckleList.clear();
  FNoPoints = 0;
  FNoVertices = 0;
  FBuild = false;
  FInterpolated = false;
  FFragments = 100;
}

void TBSpline::Invalidate() {
  FBuild = false;
  FVertexList.clear();
  FNoVertices = 0;
}

void TBSpline::CheckIndex(int32_t Index) const {
  if (Index < 1 || Index > FNoPoints)
    throw ChartException("Spline point " + std::to_string(Index) + " out of range 1.." + std::to_string(FNoPoints));
}

void TBSpline::AddPoint(double X, double Y) {
  // Slot 0 is unused, so the capacity holds points 1..size-1.
  if (FNoPoints + 1 >= static_cast<int32_t>(FPointList.size())) {
    FPointList.resize(FPointList.size() + 25);
    FKnuckleList.resize(FPointList.size(), false);
  }
  ++FNoPoints;
  FPointList[static_cast<size_t>(FNoPoints)] = {X, Y};
  FKnuckleList[static_cast<size_t>(FNoPoints)] = false;
  Invalidate();
}

TBSplinePoint TBSpline::GetPoint(int32_t Index) const {
  CheckIndex(Index);
  return FPointList[static_cast<size_t>(Index)];
}

void TBSpline::SetPoint(int32_t Index, TBSplinePoint Value) {
  CheckIndex(Index);
  FPointList[static_cast<size_t>(Index)] = Value;
  Invalidate();
}

void TBSpline::SetKnuckle(int32_t Index, bool Value) {
  CheckIndex(Index);
  FKnuckleList[static_cast<size_t>(Index)] = Value;
  Invalidate();
}

bool TBSpline::IsKnuckle(int32_t Index) const {
  if (Index == 1 || Index == FNoPoints) return false;
  CheckIndex(Index);
  return FKnuckleList[static_cast<size_t>(Index)];
}

void TBSpline::SetInterpolated(bool Value) {
  if (FInterpolated == Value) return;
  FInterpolated = Value;
  Invalidate();
}

void TBSpline::SetFragments(int32_t Value) {
  if (FFragments != Value) FFragments = std::min(Value, MaxFragments);
}

int32_t TBSpline::NumVertices() {
  if (!FBuild) BuildVertices();
  return FNoVertices;
}

void TBSpline::BuildVertices() {
  if (FNoPoints < 2) {
    FBuild = true;
    return;
  }
  int32_t n = 0;
  for (int32_t i = 1; i <= FNoPoints; ++i) n += IsKnuckle(i) ? 3 : 1;
  FNoVertices = n;
  FVertexList.assign(static_cast<size_t>(n) + 2, TBSplinePoint{});
  size_t v = 1;
  for (int32_t i = 1; i <= FNoPoints; ++i) {
    const int repeat = IsKnuckle(i) ? 3 : 1;
    for (int k = 0; k < repeat; ++k) FVertexList[v++] = FPointList[static_cast<size_t>(i)];
  }
  if (FInterpolated) Interpolate();
  FBuild = true;
  FVertexList[0] = {2 * FVertexList[1].x - FVertexList[2].x, 2 * FVertexList[1].y - FVertexList[2].y};
  const size_t last = static_cast<size_t>(n);
  FVertexList[last + 1] = {2 * FVertexList[last].x - FVertexList[last - 1].x,
                           2 * FVertexList[last].y - FVertexList[last - 1].y};
}

// Solves M * V' = V for the vertices that make the curve pass through the
// points: rows 1/6, 2/3, 1/6 inside, identity rows at the ends and around a
// triple (knuckle) vertex. The matrix is tridiagonal and diagonally dominant,
// so elimination needs no pivoting.
void TBSpline::Interpolate() {
  const int32_t n = FNoVertices;
  std::vector<double> lower(static_cast<size_t>(n) + 1, 1.0 / 6), diag(static_cast<size_t>(n) + 1, 2.0 / 3),
      upper(static_cast<size_t>(n) + 1, 1.0 / 6);
  auto identity = [&](int32_t Row) {
    lower[static_cast<size_t>(Row)] = 0;
    diag[static_cast<size_t>(Row)] = 1;
    upper[static_cast<size_t>(Row)] = 0;
  };
  identity(1);
  identity(n);
  auto same = [](const TBSplinePoint& a, const TBSplinePoint& b) {
    return std::fabs(a.x - b.x) < 1e-5 && std::fabs(a.y - b.y) < 1e-5;
  };
  for (int32_t i = 3; i < n - 1;) {
    const auto& v = FVertexList;
    if (same(v[static_cast<size_t>(i)], v[static_cast<size_t>(i - 1)]) &&
        same(v[static_cast<size_t>(i)], v[static_cast<size_t>(i + 1)])) {
      identity(i - 1);
      identity(i);
      identity(i + 1);
      i += 2;
    } else {
      ++i;
    }
  }
  std::vector<TBSplinePoint> rhs(FVertexList.begin(), FVertexList.begin() + n + 1);
  for (int32_t i = 2; i <= n; ++i) {
    const auto k = static_cast<size_t>(i);
    const double f = lower[k] / diag[k - 1];
    diag[k] -= f * upper[k - 1];
    rhs[k].x -= f * rhs[k - 1].x;
    rhs[k].y -= f * rhs[k - 1].y;
  }
  for (int32_t i = n; i >= 1; --i) {
    const auto k = static_cast<size_t>(i);
    double x = rhs[k].x, y = rhs[k].y;
    if (i < n) {
      x -= upper[k] * FVertexList[k + 1].x;
      y -= upper[k] * FVertexList[k + 1].y;
    }
    FVertexList[k] = {x / diag[k], y / diag[k]};
  }
}

TBSplinePoint TBSpline::Value(double T) {
  if (FNoPoints < 2) return {};
  if (!FBuild) BuildVertices();
  const double p = (FNoVertices - 1) * T + 1;
  const auto c = static_cast<int32_t>(std::max(0.0, std::trunc(p - 1)));
  TBSplinePoint r;
  for (int32_t i = std::min(c, FNoVertices + 1); i <= c + 3 && i <= FNoVertices + 1; ++i) {
    const double d = std::fabs(i - p);
    double w;
    if (d < 1)
      w = 2.0 / 3 - d * d + d * d * d / 2;
    else if (d < 2)
      w = (2 - d) * (2 - d) * (2 - d) / 6;
    else
      continue;
    r.x += w * FVertexList[static_cast<size_t>(i)].x;
    r.y += w * FVertexList[static_cast<size_t>(i)].y;
  }
  return r;
}

// ============================================================================
// TSmoothingFunction
// ============================================================================

KV_CLASS_IMPL(TSmoothingFunction, TPlotFunction) {
  using F = TSmoothingFunction;
  c.Property("Factor", &F::GetFactor, &F::SetFactor).Default(4);
  c.Property("Interpolate", &F::GetInterpolate, &F::SetInterpolate).Default(true);
  c.Editor("TSmoothFuncEditor");
}

TSmoothingFunction::TSmoothingFunction(TComponent* Owner) : TPlotFunction(Owner) {
  PeriodUsable = false;
  SingleSource = true;
  InternalSetPeriod(1);
}

void TSmoothingFunction::Assign(const TPersistent* Source) {
  if (const auto* f = dynamic_cast<const TSmoothingFunction*>(Source)) {
    FFactor = f->FFactor;
    FInterpolate = f->FInterpolate;
  }
  TPlotFunction::Assign(Source);
}

void TSmoothingFunction::SetFactor(int32_t Value) {
  if (FFactor == Value) return;
  FFactor = std::max(1, Value);
  Recalculate();
}

void TSmoothingFunction::SetInterpolate(bool Value) {
  if (FInterpolate == Value) return;
  FInterpolate = Value;
  Recalculate();
}

void TSmoothingFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* parent = ParentSeries();
  if (Updating() || !Source || !parent) return;
  if (parent->Count() > 0) parent->Clear();
  const bool yMandatory = parent->GetYMandatory();
  if (!parent->HasZValues) {
    const bool sameOrientation = yMandatory == Source->GetYMandatory();
    parent->NotMandatoryList()->SetOrder(sameOrientation ? loAscending : loNone);
    parent->MandatoryList()->SetOrder(sameOrientation ? loNone : loAscending);
    parent->CalcVisiblePoints = sameOrientation;
  }
  const int32_t n = Source->Count();
  if (n == 0) return;
  TChartValueList* values = ValueList(Source);
  TChartValueList* xs = Source->NotMandatoryList();
  // One point has no curve: it is its own smoothing.
  if (n == 1) {
    const double x = xs->GetValue(0), v = values->GetValue(0);
    parent->AppendPoint(yMandatory ? x : v, yMandatory ? v : x);
    return;
  }
  TBSpline spline;
  for (int32_t i = 0; i < n; ++i) {
    const double x = xs->GetValue(i), v = values->GetValue(i);
    if (yMandatory)
      spline.AddPoint(x, v);
    else
      spline.AddPoint(v, x);
  }
  spline.SetInterpolated(FInterpolate);
  const int64_t fragments = std::min<int64_t>(static_cast<int64_t>(n) * FFactor, TBSpline::MaxFragments);
  spline.SetFragments(static_cast<int32_t>(fragments));
  const int32_t pieces = spline.GetFragments();
  for (int32_t k = 0; k <= pieces; ++k) {
    // The spline was built in the parent's own (X, Y) frame.
    const TBSplinePoint p = spline.Value(static_cast<double>(k) / pieces);
    parent->AppendPoint(p.x, p.y);
  }
}

// ============================================================================
// Registration
// ============================================================================

namespace PlotSpline {

namespace {
const std::string kSmoothing = "Smoothing", kExtended = "Extended";
}  // namespace

void Initialize() { Chart::AddFunctionType(TSmoothingFunction::StaticClass(), &kSmoothing, &kExtended, 1); }

void Finalize() { Chart::RemoveFunctionTypes({TSmoothingFunction::StaticClass()}); }

}  // namespace PlotSpline
