// Wavenumbers and weights of the inverse cosine transform, fitted to the electrode
// distances of the survey.
#include <algorithm>
#include <cmath>

#include "numerics/DC2dBEM.h"

namespace DC2dBEM {

namespace {

constexpr double TwoOverPi = 0.6366197723675813431;

const arofdoubleM& Distances() { return FitDistances; }

// Least-squares weights of the wavenumbers k for the distances r, and the fitted
// values f (1 for a perfect fit).
void Fit(const arofdoubleM& k, arofdoubleM& w, arofdoubleM& f) {
  const arofdoubleM& r = Distances();
  const size_t D = r.size(), n = k.size();
  ararofdoubleM A(D, arofdoubleM(n));
  for (size_t i = 0; i < D; ++i) {
    const double R = std::sqrt(r[i] * r[i] + CommonOffset * CommonOffset);
    for (size_t j = 0; j < n; ++j) A[i][j] = TwoOverPi * R * Supermath2d::BesselK0(r[i] * k[j]);
  }
  ararofdoubleM N(n, arofdoubleM(n, 0.0));
  arofdoubleM g(n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      double s = 0.0;
      for (size_t m = 0; m < D; ++m) s += A[m][i] * A[m][j];
      N[i][j] = s;
    }
    double s = 0.0;
    for (size_t m = 0; m < D; ++m) s += A[m][i];
    g[i] = s;
  }
  Supermath2d::SVDSolve(N, g, w);
  f.assign(D, 0.0);
  for (size_t i = 0; i < D; ++i) {
    double s = 0.0;
    for (size_t j = 0; j < n; ++j) s += A[i][j] * w[j];
    f[i] = s;
  }
}

}  // namespace

void FitWeights(const arofdoubleM& k, arofdoubleM& w, arofdoubleM& f) { Fit(k, w, f); }

void WavenumberJacobian(arofdoubleM& k, ararofdoubleM& J, arofdoubleM& f) {
  arofdoubleM w, fp;
  Fit(k, w, f);
  const size_t n = k.size(), D = f.size();
  J.assign(n, arofdoubleM(D, 0.0));
  for (size_t i = 0; i < n; ++i) {
    const double delta = 0.1 * k[i];
    k[i] = k[i] + delta;
    Fit(k, w, fp);
    k[i] = k[i] - delta;
    for (size_t m = 0; m < D; ++m) J[i][m] = k[i] * std::log(fp[m] / f[m]) / delta;
  }
}

double OptimiseWavenumbers(int32_t n) {
  const arofdoubleM& r = Distances();
  const size_t D = r.size();
  const size_t nn = static_cast<size_t>(std::max(n, 1));
  arofdoubleM k(nn);
  const double k0 = 1.0 / r[D - 1], kn = 1.0 / r[0];
  k[0] = k0;
  k[nn - 1] = kn;
  for (size_t i = 1; i + 1 < nn; ++i)
    k[i] = std::exp(std::log(k0) + std::log(kn / k0) * static_cast<double>(i) / static_cast<double>(nn - 1));
  const double kLow = (1.0 / r[D - 1]) / 10000.0, kHigh = 100.0 / r[0];
  double best = 0.0;
  arofdoubleM bestK = k;
  int32_t u = 0;
  ararofdoubleM J;
  arofdoubleM f;
  for (int32_t t = 0;;) {
    WavenumberJacobian(k, J, f);
    double e = 0.0;
    for (size_t m = 0; m < D; ++m) {
      const double l = std::log(1.0 / f[m]);
      e += l * l;
    }
    e /= static_cast<double>(D);
    if (t == 0 || e < best) {
      best = e;
      bestK = k;
      u = 0;
    } else {
      ++u;
    }
    ararofdoubleM M(nn, arofdoubleM(nn, 0.0));
    arofdoubleM h(nn, 0.0);
    for (size_t i = 0; i < nn; ++i) {
      for (size_t j = 0; j < nn; ++j) {
        double s = 0.0;
        for (size_t m = 0; m < D; ++m) s += J[i][m] * J[j][m];
        M[i][j] = s;
      }
      double s = 0.0;
      for (size_t m = 0; m < D; ++m) s += std::log(1.0 / f[m]) * J[i][m];
      h[i] = s;
    }
    double lambda = e;
    for (size_t i = 0; i < nn; ++i) lambda = std::max(lambda, std::fabs(M[i][i]));
    for (size_t i = 0; i < nn; ++i) M[i][i] += 0.01 * lambda / (t + 1);
    arofdoubleM step;
    Supermath2d::SVDSolve(M, h, step);
    for (size_t i = 0; i < nn; ++i) {
      k[i] = std::exp(std::log(k[i]) + step[i]);
      k[i] = std::min(std::max(k[i], kLow), kHigh);
    }
    if (u > 4) break;
    ++t;
    if (t == 26) break;
  }
  k = bestK;
  arofdoubleM w;
  Fit(k, w, f);
  arofdoubleM keptK, keptW;
  for (size_t j = 0; j < nn; ++j)
    if (std::fabs(w[j]) > 1e-20) {
      keptK.push_back(k[j]);
      keptW.push_back(w[j]);
    }
  WavenumberCount = static_cast<int32_t>(keptK.size());
  WavenumberWeights = keptW;
  Wavenumbers = keptK;
  return best == 0.0 ? 1e-100 : best;
}

int32_t ChooseWavenumberCount() {
  int32_t bestN = 3;
  double bestQ = 0.0;
  for (int32_t n = 3; n <= 10; ++n) {
    const double q = std::log(OptimiseWavenumbers(n)) + 0.7 * (n - 3);
    if (n == 3 || q < bestQ) {
      bestQ = q;
      bestN = n;
    }
  }
  return bestN;
}

void BuildFitDistances(arofdoubleM& distances) {
  distances.clear();
  const elecarray& electrodes = *Electrodes;
  auto add = [&](int32_t a, int32_t b) {
    if (a < 0 || b < 0) return;
    const TElectrode& ea = electrodes.at(static_cast<size_t>(a));
    const TElectrode& eb = electrodes.at(static_cast<size_t>(b));
    const double r = std::hypot(ea.X - eb.X, ElectrodeSourceDepth(ea) - ElectrodeSourceDepth(eb));
    if (!(r > 0.0)) return;
    for (double x : distances)
      if (std::fabs(x - r) < 0.01 * std::max(x, r)) return;
    distances.push_back(r);
  };
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.P1.size(); ++k) {
      add(s.C1, s.P1[k]);
      add(s.C1, s.P2[k]);
      add(s.C2, s.P1[k]);
      add(s.C2, s.P2[k]);
    }
  std::sort(distances.begin(), distances.end());
}

double StrikeFactor(double a, double b) {
  // With one common off-profile distance the offset is already in the fit; without
  // off-profile coordinates every y is 0 and the cosine is 1.
  if (CommonOffset != 0.0) return 1.0;
  return std::cos(Wavenumber * std::fabs(b - a));
}

}  // namespace DC2dBEM
