// Damped least-squares inversion of the gravity or magnetic data into the
// densities or susceptibilities of the model's polygons. The problem is linear
// (predicted data S^T m); the damping of every iteration is chosen by sampling
// the misfit over a logarithmic range and taking the minimum of a spline through
// the smoothed samples.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "survey/GravMag.h"
#include "survey/Survey.h"

namespace {

double Dot(const arofdoubleM& a, const arofdoubleM& b) {
  double s = 0.0;
  for (size_t i = 0; i < a.size(); ++i) s += a[i] * b[i];
  return s;
}

void MatVec(const ararofdoubleM& A, const arofdoubleM& x, arofdoubleM& y) {
  y.assign(A.size(), 0.0);
  for (size_t i = 0; i < A.size(); ++i) y[i] = Dot(A[i], x);
}

bool AllFinite(const arofdoubleM& v) {
  return std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); });
}

// The damped normal equations of one inversion: A = S S^T + lambda I, the
// gradient g, the parameters m0 before the iteration and the last step dm.
class TDampedProblem {
 public:
  TDampedProblem(const ararofdoubleM& S, const arofdoubleM& d, arofdoubleM& m, const std::function<void()>& onSample)
      : FS(S), FD(d), FM(m), FOnSample(onSample) {
    const size_t n = S.size();
    FA.assign(n, arofdoubleM(n, 0.0));
    for (size_t i = 0; i < n; ++i)
      for (size_t j = 0; j <= i; ++j) FA[i][j] = FA[j][i] = Dot(S[i], S[j]);
    FDiagonal.resize(n);
    for (size_t i = 0; i < n; ++i) FDiagonal[i] = FA[i][i];
  }

  const arofdoubleM& Diagonal() const { return FDiagonal; }

  // Predicted data S^T m, the gradient from the residual, and m0 := m.
  void StartIteration() {
    const size_t n = FS.size(), stations = FD.size();
    arofdoubleM residual(FD);
    for (size_t j = 0; j < n; ++j)
      for (size_t k = 0; k < stations; ++k) residual[k] -= FM[j] * FS[j][k];
    FG.assign(n, 0.0);
    for (size_t j = 0; j < n; ++j) FG[j] = Dot(residual, FS[j]);
    FM0 = FM;
  }
  bool GradientIsZero() const {
    return std::all_of(FG.begin(), FG.end(), [](double v) { return v == 0.0; });
  }

  // The misfit of m = m0 + dm solved with the damping exp(t).
  double TryDamping(double t) {
    if (FOnSample) FOnSample();
    const double lambda = std::exp(t);
    for (size_t i = 0; i < FA.size(); ++i) FA[i][i] = FDiagonal[i] + lambda;
    const int32_t n = static_cast<int32_t>(FA.size());
    GravMag::SolveCG(FA, FG, FDm, std::max(30, 3 * n), 1e-8);
    if (!AllFinite(FDm)) FDm.assign(FA.size(), 0.0);
    for (size_t j = 0; j < FM.size(); ++j) FM[j] = FM0[j] + FDm[j];
    double misfit = 0.0;
    for (size_t k = 0; k < FD.size(); ++k) {
      double p = 0.0;
      for (size_t j = 0; j < FM.size(); ++j) p += FM[j] * FS[j][k];
      misfit += (p - FD[k]) * (p - FD[k]);
    }
    return misfit;
  }

  // Chooses the logarithm of the damping between logLow and logHigh and leaves m,
  // the damping and dm at that choice; returns its misfit.
  double SearchDamping(double& logLambda, double logLow, double logHigh) {
    constexpr int Samples = 15;
    const double b = logLow, a = logHigh;
    arofdoubleM t(Samples), y(Samples, 0.0);
    for (int e = 0; e < Samples; ++e) t[e] = b + (a - b) * e / (Samples - 1);
    // From the strongest damping down, while the misfit keeps falling and stays sane.
    const double tooLarge = std::log(1e18);
    double previous = 1e19;
    for (int e = Samples - 1; e >= 0; --e) {
      double v = std::log(std::max(TryDamping(t[e]), DBL_TRUE_MIN));
      if (!std::isfinite(v)) v = std::log(DBL_MAX);
      y[e] = v;
      if (v > tooLarge || v > previous) {
        for (int below = e - 1; below >= 0; --below) y[below] = v + 1.0;
        break;
      }
      previous = v;
    }
    arofdoubleM w(Samples);
    for (int e = 1; e < Samples - 1; ++e) w[e] = (2 * y[e] + y[e - 1] + y[e + 1]) / 4;
    w[0] = (2 * y[0] + y[1]) / 3;
    w[Samples - 1] = (y[Samples - 2] + 2 * y[Samples - 1]) / 3;
    double best = 1e19, bestT = t[Samples - 1];
    for (int j = 0; j <= 25; ++j) {
      const double u = b + (a - b) * j / 25;
      const double v = Supermath2d::SplineAt(t, w, u);
      if (v < best) {
        best = v;
        bestT = u;
      }
    }
    logLambda = bestT;
    return TryDamping(bestT);
  }

 private:
  const ararofdoubleM& FS;
  const arofdoubleM& FD;
  arofdoubleM& FM;
  const std::function<void()>& FOnSample;
  ararofdoubleM FA;
  arofdoubleM FDiagonal, FG, FM0, FDm;
};

}  // namespace

namespace GravMag {

void SolveCG(const ararofdoubleM& A, const arofdoubleM& b, arofdoubleM& x, int32_t kmax, double tol) {
  if (x.size() != b.size()) x.assign(b.size(), 0.0);
  arofdoubleM r, w;
  MatVec(A, x, r);
  for (size_t i = 0; i < r.size(); ++i) r[i] = b[i] - r[i];
  arofdoubleM q = r;
  const double bb = Dot(b, b);
  double rho = 1e30, rrPrevious = 0.0;
  for (int32_t step = 0; step < kmax && rho > tol; ++step) {
    const double rr = Dot(r, r);
    if (step > 0)
      for (size_t i = 0; i < q.size(); ++i) q[i] = r[i] + (rr / rrPrevious) * q[i];
    MatVec(A, q, w);
    const double qw = Dot(q, w);
    if (qw == 0.0 || !std::isfinite(qw)) break;
    const double alpha = rr / qw;
    for (size_t i = 0; i < x.size(); ++i) {
      x[i] += alpha * q[i];
      r[i] -= alpha * w[i];
    }
    rho = rr / bb;
    rrPrevious = rr;
  }
}

void InvertLinear(const ararofdoubleM& S, const arofdoubleM& d, arofdoubleM& m, int32_t iterations,
                  const std::function<void()>& onSample, std::vector<TDampingStep>* steps) {
  if (S.empty() || m.size() != S.size() || !AllFinite(d) || !AllFinite(m)) return;
  for (const arofdoubleM& row : S)
    if (row.size() != d.size() || !AllFinite(row)) return;
  TDampedProblem problem(S, d, m, onSample);
  const arofdoubleM& diag = problem.Diagonal();
  const double dmin = *std::min_element(diag.begin(), diag.end());
  const double dmax = *std::max_element(diag.begin(), diag.end());
  double low = std::max(dmax * 0.0001, dmin * 0.1), high = dmax * 20;
  double lambda = 0.0;
  for (int32_t it = 0; it < iterations; ++it) {
    TDampingStep step{low, high, lambda, false};
    problem.StartIteration();
    if (problem.GradientIsZero() || !(low > 0.0) || !(high >= low) || !std::isfinite(high)) {
      step.Skipped = true;
      if (steps) steps->push_back(step);
      continue;
    }
    const arofdoubleM before = m;
    double logLambda = 0.0;
    problem.SearchDamping(logLambda, std::log(low), std::log(high));
    if (!AllFinite(m)) m = before;
    const double chosen = std::exp(logLambda);
    if (std::isfinite(chosen) && chosen > 0.0) lambda = chosen;
    step.Lambda = lambda;
    if (steps) steps->push_back(step);
    low = 0.1 * lambda;
    high = 10 * lambda;
  }
}

}  // namespace GravMag

void TGravMag::InvertGravMag(bool magnetic, int32_t iterations) {
  ttdata& list = magnetic ? MagData : GravData;
  if (list.empty() || !FSurvey.ModelChart) return;
  arofdoubleM x, z, d;
  for (const tdata& s : list) {
    x.push_back(s.Position);
    z.push_back(s.Level);
    d.push_back(s.Observed);
  }
  ararofdoubleM S;
  const int32_t onNode = Sensitivity(magnetic, x, z, S);
  if (onNode >= 0) {
    Message((magnetic ? GravMag::MagneticOnNode : GravMag::GravityOnNode) + std::to_string(onNode + 1));
    return;
  }
  if (S.empty()) return;
  const int property = magnetic ? Polygons::PropSusceptibility : Polygons::PropDensity;
  arofdoubleM m;
  GravMag::ForEachParameterPolygon(GravMagPolygons, [&](size_t, size_t, const Polygon& p) {
    const double v = p.Props[static_cast<size_t>(property)].AsDouble();
    m.push_back(std::isfinite(v) ? v : 0.0);
  });
  GravMag::InvertLinear(S, d, m, iterations, OnProcessMessages);

  // The chart's model has the bodies and polygons of the copy unless it was edited meanwhile.
  const AllSpolygon& model = FSurvey.ModelChart->GetModel();
  bool sameShape = model.size() == GravMagPolygons.size();
  for (size_t b = 0; sameShape && b < model.size(); ++b) sameShape = model[b].size() == GravMagPolygons[b].size();
  if (!sameShape) {
    Message("The model was changed during the inversion; its properties were not written.");
    return;
  }
  size_t j = 0;
  GravMag::ForEachParameterPolygon(GravMagPolygons, [&](size_t b, size_t p, const Polygon&) {
    FSurvey.ModelChart->SetPolygonProperty(static_cast<int32_t>(b), static_cast<int32_t>(p), property, m[j++]);
  });
  ComputeGravMag();
  FSurvey.ModelChart->RedrawModel();
}
