// Damped least-squares (Levenberg-Marquardt) inversion of the polygon
// resistivities and polarizabilities.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "numerics/DC2dBEM.h"
#include "numerics/DC2dBEM_Internal.h"

namespace DC2dBEM {

namespace {

using internal::TRunningGuard;

// Largest number of damping attempts of one step before it is given up.
constexpr int32_t MaxDampingAttempts = 60;

bool Finite(double v) { return std::isfinite(v); }

// Weight of a measurement for the step: its Weight (1 when unset) when the user
// has it switched on, else 0.
double MeasurementWeight(const osource& s, size_t k) {
  if (k < s.FlagsC.size() && s.FlagsC[k] == 0) return 0.0;
  if (k >= s.Weight.size() || s.Weight[k] == Supermath2d::NoValue) return 1.0;
  const double w = s.Weight[k];
  return Finite(w) && w > 0.0 ? w : 0.0;
}

double ValueOf(const arofdoubleM& values, size_t k) {
  return k < values.size() ? values[k] : Supermath2d::NoValue;
}

// Per datum weights of the resistivity and the polarizability rows; a datum whose
// observation is missing, whose residual or Jacobian column is not finite, or
// whose voltages have opposite signs takes no part.
void DataWeights(const arofdoubleM& rRho, const arofdoubleM& rEta, arofdoubleM& wRho, arofdoubleM& wEta) {
  const size_t D = static_cast<size_t>(DataCount);
  const size_t P = static_cast<size_t>(ParamCount);
  wRho.assign(D, 0.0);
  wEta.assign(D, 0.0);
  size_t m = 0;
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.P1.size(); ++k, ++m) {
      const double w = MeasurementWeight(s, k);
      if (w == 0.0) continue;
      const double obs = ValueOf(s.Res, k);
      bool rhoOk = obs != Supermath2d::NoValue && Finite(rRho[m]);
      for (size_t q = 0; q < P && rhoOk; ++q) rhoOk = Finite(JacobianRho[q][m]);
      if (rhoOk) wRho[m] = w;
      if (!IPOn) continue;
      bool etaOk = ValueOf(s.EtaA, k) != Supermath2d::NoValue && Finite(rEta[m]);
      for (size_t q = 0; q < P && etaOk; ++q) etaOk = Finite(JacobianEta[q][m]) && Finite(JacobianCross[q][m]);
      if (etaOk) wEta[m] = w;
    }
}

// Normal equations of the stacked system [[Jrho, 0], [X, Jeta]] with the data weights.
void NormalEquations(const arofdoubleM& rRho, const arofdoubleM& rEta, const arofdoubleM& wRho,
                     const arofdoubleM& wEta, ararofdoubleM& A, arofdoubleM& b) {
  const size_t P = static_cast<size_t>(ParamCount);
  const size_t Q = IPOn ? 2 * P : P;
  const size_t D = static_cast<size_t>(DataCount);
  A.assign(Q, arofdoubleM(Q, 0.0));
  b.assign(Q, 0.0);
  auto dot = [&](const arofdoubleM& x, const arofdoubleM& y, const arofdoubleM& w) {
    double s = 0.0;
    for (size_t m = 0; m < D; ++m)
      if (w[m] != 0.0) s += w[m] * x[m] * y[m];
    return s;
  };
  for (size_t i = 0; i < P; ++i) {
    for (size_t j = i; j < P; ++j) {
      double v = dot(JacobianRho[i], JacobianRho[j], wRho);
      if (IPOn) v += dot(JacobianCross[i], JacobianCross[j], wEta);
      A[i][j] = A[j][i] = v;
    }
    b[i] = dot(JacobianRho[i], rRho, wRho);
  }
  if (!IPOn) return;
  for (size_t i = 0; i < P; ++i) {
    for (size_t j = i; j < P; ++j) A[P + i][P + j] = A[P + j][P + i] = dot(JacobianEta[i], JacobianEta[j], wEta);
    for (size_t j = 0; j < P; ++j) A[i][P + j] = A[P + j][i] = dot(JacobianCross[i], JacobianEta[j], wEta);
    b[P + i] = dot(JacobianEta[i], rEta, wEta);
    b[i] += dot(JacobianCross[i], rEta, wEta);
  }
}

// Solves (A + damping I) step = b with damping raised until no component exceeds
// 2; false when no damping gives a finite, bounded step.
bool DampedStep(const ararofdoubleM& A0, const arofdoubleM& b0, arofdoubleM& step) {
  const size_t Q = A0.size();
  double largest = 0.0;
  for (size_t i = 0; i < Q; ++i) largest = std::max(largest, A0[i][i]);
  if (!(largest > 0.0) || !Finite(largest)) return false;
  // A small damping on the first attempt keeps parameters without any data
  // sensitivity from making the system singular.
  double lambda = largest * 1e-6;
  double next = largest / 1000.0;
  for (int32_t attempt = 0; attempt < MaxDampingAttempts; ++attempt) {
    ararofdoubleM A = A0;
    for (size_t i = 0; i < Q; ++i) A[i][i] += lambda;
    step = b0;
    arofdoubleM d, c;
    QRDecomp(A, d, c);
    QRSolve(A, d, c, step);
    bool ok = true;
    for (double v : step) ok = ok && Finite(v) && std::fabs(v) <= 2.0;
    if (ok) return true;
    next *= 2.0;
    lambda = next;
  }
  return false;
}

// Writes the new values into the solver's polygon and into the chart's polygon at
// the same (body, polygon) position.
void UpdateModel(const arofdoubleM& step) {
  const size_t P = static_cast<size_t>(ParamCount);
  AllSpolygon* chart = Hooks.ChartModel ? Hooks.ChartModel() : nullptr;
  for (size_t q = 0; q < P; ++q) {
    const auto [body, poly] = detail::Edges.ParamPolygon[q];
    Polygon& polygon = Model[static_cast<size_t>(body)][static_cast<size_t>(poly)];
    const double rho = detail::PolygonResistivity(polygon);
    // Bounds and result in single precision, as the stored resistivity carries it.
    float value = static_cast<float>(std::exp(std::log(rho) + step[q]));
    value = std::min(1e6f, std::max(0.01f, value));
    polygon.Props[Polygons::PropResistivity] = static_cast<double>(value);
    PropValue etaValue;
    if (IPOn) {
      const double eta = detail::PolygonPolarizability(polygon);
      const double next =
          Supermath2d::SignedLogInverse(Supermath2d::SignedLog(eta, IPScale) + step[P + q], IPScale);
      const double rounded = std::nearbyint(next);
      const int32_t stored = rounded > 98.0 ? 98 : (rounded >= 0.0 ? static_cast<int32_t>(rounded) : 0);
      etaValue = PropValue(stored);
      polygon.Props[Polygons::PropPolarizability] = etaValue;
    }
    if (chart != nullptr && static_cast<size_t>(body) < chart->size() &&
        static_cast<size_t>(poly) < (*chart)[static_cast<size_t>(body)].size()) {
      Polygon& target = (*chart)[static_cast<size_t>(body)][static_cast<size_t>(poly)];
      target.Props[Polygons::PropResistivity] = static_cast<double>(value);
      if (IPOn) target.Props[Polygons::PropPolarizability] = etaValue;
    }
  }
}

// Switches the progress callbacks off for the closing forward run and back on.
struct TQuietProgress {
  TQuietProgress() : step(std::move(OnProgressStep)), end(std::move(OnProgressEnd)) {
    OnProgressStep = nullptr;
    OnProgressEnd = nullptr;
  }
  ~TQuietProgress() {
    OnProgressStep = std::move(step);
    OnProgressEnd = std::move(end);
  }
  TQuietProgress(const TQuietProgress&) = delete;
  TQuietProgress& operator=(const TQuietProgress&) = delete;
  std::function<void()> step, end;
};

}  // namespace

bool Inversion() {
  if (!detail::MayRunInversion()) return false;
  const TRunningGuard guard;
  if (GaussProducts.empty()) PrepareGaussTables();
  // The scale of the signed logarithm comes from these data alone, so the same
  // data give the same model in any session.
  IPScale = 0.01;
  if (IPOn)
    for (const osource& s : *Survey)
      for (double eta : s.EtaA)
        if (eta != Supermath2d::NoValue && Finite(eta)) IPScale = std::max(IPScale, std::fabs(eta));
  Iteration = 0;
  bool stalled = false;
  do {
    ++Iteration;
    ComputeResponses(1);
    if (Hooks.PlotData) Hooks.PlotData(0);
    if (ParamCount == 0) continue;
    arofdoubleM rRho, rEta, wRho, wEta, b, step;
    ResistivityResiduals(rRho);
    if (IPOn) PolarizabilityResiduals(rEta);
    DataWeights(rRho, rEta, wRho, wEta);
    ararofdoubleM A;
    NormalEquations(rRho, rEta, wRho, wEta, A, b);
    if (!DampedStep(A, b, step)) {
      stalled = true;
      break;
    }
    UpdateModel(step);
    if (Hooks.RedrawModel) Hooks.RedrawModel();
  } while (Iteration < IterationCount);
  // One more forward run, so that the calculated data and the misfit belong to
  // the model shown.
  {
    const TQuietProgress quiet;
    ComputeResponses(0);
  }
  if (Hooks.PlotData) Hooks.PlotData(0);
  if (stalled && Hooks.SetStatusText)
    Hooks.SetStatusText("Inversion stopped at iteration " + std::to_string(Iteration) +
                        ": no usable data, or no damping keeps the step bounded; the model keeps its last values.");
  if (OnProgressEnd) OnProgressEnd();
  return true;
}

}  // namespace DC2dBEM
