// Solver state, Gauss-Legendre rules, geometry helpers, the primary potential of
// a point source and the Householder QR factorisation.
#include "numerics/DC2dBEM.h"
#include "numerics/DC2dBEM_Internal.h"

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define KV_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define KV_WIDE_VECTORS
#endif

namespace DC2dBEM {

namespace {

using internal::InvTwoPi;
constexpr double Pi = 3.14159265358979323846;

struct TGaussRule {
  arofdoubleM Xi;  // abscissae on [0, 1], increasing
  arofdoubleM W;   // weights, summing to 1
};

// Gauss-Legendre rule of n points on [0, 1], nodes found by Newton's method on the
// Legendre polynomial to full double precision.
TGaussRule MakeRule(int n) {
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < n; ++i) {
    double t = std::cos(Pi * (i + 0.75) / (n + 0.5));
    double dp = 1.0;
    for (int it = 0; it < 100; ++it) {
      double p0 = 1.0, p1 = t;
      for (int m = 2; m <= n; ++m) {
        const double p2 = ((2.0 * m - 1.0) * t * p1 - (m - 1.0) * p0) / m;
        p0 = p1;
        p1 = p2;
      }
      dp = n * (t * p1 - p0) / (t * t - 1.0);
      const double step = p1 / dp;
      t -= step;
      if (std::fabs(step) < 1e-16) break;
    }
    // Weight 2 / ((1 - t^2) P'(t)^2) on [-1, 1], halved for [0, 1].
    points.emplace_back((1.0 + t) / 2.0, 1.0 / ((1.0 - t * t) * dp * dp));
  }
  std::sort(points.begin(), points.end());
  TGaussRule rule;
  for (const auto& [xi, w] : points) {
    rule.Xi.push_back(xi);
    rule.W.push_back(w);
  }
  return rule;
}

const std::array<TGaussRule, 13>& Rules() {
  static const std::array<TGaussRule, 13> rules = [] {
    std::array<TGaussRule, 13> r;
    for (int n = 2; n <= 12; ++n) r[n] = MakeRule(n);
    return r;
  }();
  return rules;
}

const TGaussRule& RuleOfOrder(int32_t order) {
  const int32_t n = PointsOfOrder(order);
  return Rules().at(static_cast<size_t>(n));
}

}  // namespace

namespace detail {
void GaussRule(int32_t order, const arofdoubleM*& xi, const arofdoubleM*& w) {
  const TGaussRule& rule = RuleOfOrder(order);
  xi = &rule.Xi;
  w = &rule.W;
}
}  // namespace detail

int32_t PointsOfOrder(int32_t order) {
  if (order >= 2 && order <= 7) return order;
  if (order == 8) return 12;
  return 0;
}

void ResetState() {
  Model.clear();
  Nodes.clear();
  Electrodes = nullptr;
  Survey = nullptr;
  Poles = nullptr;
  ElectrodeDistances = nullptr;
  HostResistivity = 0.0;
  HostPolarizability = 0.0;
  RMin = 0.1;
  GaussOrder = 0;
  UserWavenumbers = false;
  WavenumberCount = 0;
  ReliefOn = false;
  IPOn = false;
  SignedData = false;
  CommonOffset = 0.0;
  GeometryChanged = true;
  IterationCount = 7;
  IPScale = 0.01;
  SensitivityMode = false;
  SavedGaussOrder = -1;
  HostResistivityIP = 0.0;
  GaussProducts.clear();
  ReliefNodes.clear();
  ReliefNodeFlags.clear();
  SystemIndex.clear();
  SystemSize = 0;
  FreeTerm.clear();
  FreeTermIP.clear();
  OffNode.clear();
  ElectrodeNodes.clear();
  ReceiverFreeTerm.clear();
  ReceiverFreeTermIP.clear();
  ElectrodeBody.clear();
  PoleReceivers.clear();
  ReceiverSlot.clear();
  PoleIndex.clear();
  CurrentPole = -1;
  FitDistances.clear();
  FitRowWeights.clear();
  WavenumberFitDeviation = 0.0;
  Wavenumbers.clear();
  WavenumberWeights.clear();
  Wavenumber = 0.0;
  WavenumberIndex = 0;
  ProgressSteps = 0;
  PoleVoltage.clear();
  PoleVoltageIP.clear();
  PolePotential.clear();
  PolePotentialIP.clear();
  ParamCount = 0;
  DataCount = 0;
  RawSens.clear();
  JacobianRho.clear();
  JacobianEta.clear();
  JacobianCross.clear();
  Iteration = 0;
  RightHandSideIP.clear();
  BEMMatrixIP = TMatrix{};
  Running = false;
}

int32_t GaussPointCount() { return PointsOfOrder(GaussOrder); }

double GaussAbscissa(int32_t i) { return RuleOfOrder(GaussOrder).Xi.at(static_cast<size_t>(i)); }

double GaussWeight(int32_t i) { return RuleOfOrder(GaussOrder).W.at(static_cast<size_t>(i)); }

complexM GaussPoint(const complexM& A, const complexM& B, int32_t i) {
  const double xi = GaussAbscissa(i);
  return {A.x + (B.x - A.x) * xi, A.z + (B.z - A.z) * xi};
}

void PrepareGaussTables() {
  SavedGaussOrder = GaussOrder;
  GaussProducts.assign(9, {});
  for (int32_t o = 2; o <= 8; ++o) {
    const TGaussRule& rule = RuleOfOrder(o);
    auto& [first, second] = GaussProducts[static_cast<size_t>(o)];
    first.resize(rule.Xi.size());
    second.resize(rule.Xi.size());
    for (size_t i = 0; i < rule.Xi.size(); ++i) {
      first[i] = (1.0 - rule.Xi[i]) * rule.W[i];
      second[i] = rule.Xi[i] * rule.W[i];
    }
  }
  GaussOrder = SavedGaussOrder;
}

double Distance(const complexM& P, const complexM& Q) {
  return std::sqrt((P.x - Q.x) * (P.x - Q.x) + (P.z - Q.z) * (P.z - Q.z));
}

double CornerAngle(const complexM& e1, const complexM& e2) {
  const double len = std::sqrt(e1.x * e1.x + e1.z * e1.z) * std::sqrt(e2.x * e2.x + e2.z * e2.z);
  if (len == 0.0) return Pi;
  const double f = std::clamp((e1.x * e2.x + e1.z * e2.z) / len, -1.0, 1.0);
  const double g = std::acos(f);
  const double s = ((e1.x + e2.x) / 2.0) * ((e1.z - e2.z) / 2.0) +
                   ((e1.z + e2.z) / 2.0) * ((e2.x - e1.x) / 2.0);
  return s >= 0.0 ? g : 2.0 * Pi - g;
}

double SignTransfer(double a, double b) { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

double ElectrodeSourceDepth(const TElectrode& e) {
  // The same rule decides relief for the sources and for the boundary: on flat
  // ground the source sits at its depth below the flat surface.
  return ReliefOn ? e.SourceDepth : e.Depth;
}

double PrimaryPotentialOf(int32_t pole, double k, const complexM& P, double rho) {
  const TElectrode& e = Electrodes->at(static_cast<size_t>(pole));
  const double sourceDepth = ElectrodeSourceDepth(e);
  const double r1 = std::max(Distance({e.X, sourceDepth}, P), RMin);
  double b;
  if (ReliefOn) {
    // The relief boundary carries the surface: the direct full-space term alone,
    // which is half the surface-source term of flat ground.
    b = Supermath2d::BesselK0(k * r1) * 0.5;
  } else if (e.AtSurface) {
    b = Supermath2d::BesselK0(k * r1);
  } else {
    // Mirror of the source in the local ground surface.
    const double imageDepth = sourceDepth - 2.0 * e.Depth;
    const double r2 = std::max(Distance({e.X, imageDepth}, P), RMin);
    b = (Supermath2d::BesselK0(k * r2) + Supermath2d::BesselK0(k * r1)) * 0.5;
  }
  return b * rho * InvTwoPi;
}

double PrimaryPotentialInSpace(int32_t pole, const complexM& P, double rho, double dy) {
  const TElectrode& e = Electrodes->at(static_cast<size_t>(pole));
  const double sourceDepth = ElectrodeSourceDepth(e);
  // The transform of K0(k r) cos(k dy) is 1 / sqrt(r^2 + dy^2); a common offset
  // enters the fit through the distance instead of the cosine.
  const double offset2 = CommonOffset != 0.0 ? CommonOffset * CommonOffset : dy * dy;
  auto inverse = [&](double r) { return 1.0 / std::sqrt(r * r + offset2); };
  const double r1 = std::max(Distance({e.X, sourceDepth}, P), RMin);
  double b;
  if (ReliefOn) {
    b = inverse(r1) * 0.5;
  } else if (e.AtSurface) {
    b = inverse(r1);
  } else {
    const double imageDepth = sourceDepth - 2.0 * e.Depth;
    const double r2 = std::max(Distance({e.X, imageDepth}, P), RMin);
    b = (inverse(r2) + inverse(r1)) * 0.5;
  }
  return b * rho * InvTwoPi;
}

void PrimaryPotential(const complexM& P, double& V, double& VIP) {
  V = PrimaryPotentialOf(CurrentPole, Wavenumber, P, HostResistivity);
  if (IPOn) VIP = PrimaryPotentialOf(CurrentPole, Wavenumber, P, HostResistivityIP);
}

double PrimaryPotentialAt(const complexM& P, double rho) {
  return PrimaryPotentialOf(CurrentPole, Wavenumber, P, rho);
}

// ---------------------------------------------------------------------------
// QR on rows (small systems).

void QRDecomp(ararofdoubleM& A, arofdoubleM& d, arofdoubleM& c) {
  const int32_t n = static_cast<int32_t>(A.size());
  if (n == 0) return;
  d.assign(static_cast<size_t>(n), 0.0);
  c.assign(static_cast<size_t>(n), 0.0);
  for (int32_t i = 0; i < n - 1; ++i) {
    double scale = 0.0;
    for (int32_t j = i; j < n; ++j) scale = std::max(scale, std::fabs(A[j][i]));
    if (scale == 0.0) {
      c[i] = 0.0;
      d[i] = 0.0;
      continue;
    }
    const double inv = 1.0 / scale;
    double sum = 0.0;
    for (int32_t j = i; j < n; ++j) {
      A[j][i] *= inv;
      sum += A[j][i] * A[j][i];
    }
    const double sigma = SignTransfer(std::sqrt(sum), A[i][i]);
    A[i][i] += sigma;
    c[i] = sigma * A[i][i];
    d[i] = -scale * sigma;
    for (int32_t j = i + 1; j < n; ++j) {
      double s = 0.0;
      for (int32_t m = i; m < n; ++m) s += A[m][i] * A[m][j];
      const double tau = s / c[i];
      for (int32_t m = i; m < n; ++m) A[m][j] -= tau * A[m][i];
    }
  }
  d[n - 1] = A[n - 1][n - 1];
}

void RSolve(const ararofdoubleM& A, const arofdoubleM& d, arofdoubleM& b) {
  const int32_t n = static_cast<int32_t>(A.size());
  if (n == 0) return;
  b[n - 1] /= d[n - 1];
  for (int32_t i = n - 2; i >= 0; --i) {
    double s = 0.0;
    for (int32_t j = i + 1; j < n; ++j) s += A[i][j] * b[j];
    b[i] = (b[i] - s) / d[i];
  }
}

void QRSolve(const ararofdoubleM& A, const arofdoubleM& d, const arofdoubleM& c, arofdoubleM& b) {
  const int32_t n = static_cast<int32_t>(A.size());
  if (n == 0) return;
  for (int32_t j = 0; j < n - 1; ++j) {
    double s = 0.0;
    for (int32_t i = j; i < n; ++i) s += A[i][j] * b[i];
    const double tau = s / c[j];
    for (int32_t i = j; i < n; ++i) b[i] -= tau * A[i][j];
  }
  RSolve(A, d, b);
}

// ---------------------------------------------------------------------------
// QR on contiguous column-major storage.

void TMatrix::Resize(int32_t n) {
  N = n;
  Data.assign(static_cast<size_t>(n) * static_cast<size_t>(n), 0.0);
}

namespace {

// Factorises columns [k0, k1) of A (rows k0..n-1), applying each reflection only
// to the later columns of the panel.
void FactorPanel(TMatrix& A, arofdoubleM& d, arofdoubleM& c, int32_t k0, int32_t k1) {
  const int32_t n = A.N;
  for (int32_t i = k0; i < k1 && i < n - 1; ++i) {
    double* col = &A.Data[static_cast<size_t>(i) * n];
    double scale = 0.0;
    for (int32_t j = i; j < n; ++j) scale = std::max(scale, std::fabs(col[j]));
    if (scale == 0.0) {
      c[i] = 0.0;
      d[i] = 0.0;
      continue;
    }
    const double inv = 1.0 / scale;
    double sum = 0.0;
    for (int32_t j = i; j < n; ++j) {
      col[j] *= inv;
      sum += col[j] * col[j];
    }
    const double sigma = SignTransfer(std::sqrt(sum), col[i]);
    col[i] += sigma;
    c[i] = sigma * col[i];
    d[i] = -scale * sigma;
    for (int32_t j = i + 1; j < k1; ++j) {
      double* cj = &A.Data[static_cast<size_t>(j) * n];
      double s = 0.0;
      for (int32_t m = i; m < n; ++m) s += col[m] * cj[m];
      const double tau = s / c[i];
      for (int32_t m = i; m < n; ++m) cj[m] -= tau * col[m];
    }
  }
}

// Applies the reflections of columns [k0, k1) of the factored A, in order, to the
// `count` columns starting at B (leading dimension n): blockwise as
// C := C - V T^T (V^T C) with the compact WY form of the panel. Where the processor
// has them, its inner loops run on the wider vector registers; the operations and
// their order are the same (no fused multiply-add), so the results are too.
KV_WIDE_VECTORS void ApplyPanel(const TMatrix& A, const arofdoubleM& c, int32_t k0, int32_t k1, double* B,
                int32_t count) {
  const int32_t n = A.N;
  const int32_t nb = k1 - k0;
  if (nb <= 0 || count <= 0) return;
  // Reflector r has tau_r = 1/c_r (0 when c_r = 0: the identity) and vector v_r
  // = column k0+r of A from row k0+r down (zero above).
  arofdoubleM tau(static_cast<size_t>(nb));
  for (int32_t r = 0; r < nb; ++r) tau[r] = c[k0 + r] != 0.0 ? 1.0 / c[k0 + r] : 0.0;
  // T upper triangular (nb x nb, column-major) with H_0 ... H_{nb-1} = I - V T V^T.
  arofdoubleM T(static_cast<size_t>(nb) * nb, 0.0);
  for (int32_t r = 0; r < nb; ++r) {
    T[static_cast<size_t>(r) * nb + r] = tau[r];
    if (tau[r] == 0.0) continue;
    const double* vr = &A.Data[static_cast<size_t>(k0 + r) * n];
    // z = V(:, 0:r)^T v_r
    arofdoubleM z(static_cast<size_t>(r), 0.0);
    for (int32_t p = 0; p < r; ++p) {
      const double* vp = &A.Data[static_cast<size_t>(k0 + p) * n];
      double s = 0.0;
      for (int32_t m = k0 + r; m < n; ++m) s += vp[m] * vr[m];
      z[p] = s;
    }
    // T(0:r, r) = -tau_r T(0:r, 0:r) z
    for (int32_t p = 0; p < r; ++p) {
      double s = 0.0;
      for (int32_t q = p; q < r; ++q) s += T[static_cast<size_t>(q) * nb + p] * z[q];
      T[static_cast<size_t>(r) * nb + p] = -tau[r] * s;
    }
  }
  // W = V^T C (nb x count), then W := T^T W, then C -= V W. V is also held row by
  // row (zeros above each reflector's start) so that V^T C runs without reductions.
  const int32_t rows = n - k0;
  arofdoubleM Vt(static_cast<size_t>(rows) * nb, 0.0);
  for (int32_t r = 0; r < nb; ++r) {
    const double* vr = &A.Data[static_cast<size_t>(k0 + r) * n];
    for (int32_t m = k0 + r; m < n; ++m) Vt[static_cast<size_t>(m - k0) * nb + r] = vr[m];
  }
  arofdoubleM W(static_cast<size_t>(nb) * count, 0.0);
  constexpr int32_t Tile = 4;
  for (int32_t col = 0; col < count; col += Tile) {
    const int32_t width = std::min(Tile, count - col);
    double* w = &W[static_cast<size_t>(col) * nb];
    if (width == Tile) {
      const double* c0 = B + static_cast<size_t>(col) * n;
      const double* c1 = c0 + n;
      const double* c2 = c1 + n;
      const double* c3 = c2 + n;
      double* w0 = w;
      double* w1 = w0 + nb;
      double* w2 = w1 + nb;
      double* w3 = w2 + nb;
      for (int32_t m = k0; m < n; ++m) {
        const double* row = &Vt[static_cast<size_t>(m - k0) * nb];
        const double x0 = c0[m], x1 = c1[m], x2 = c2[m], x3 = c3[m];
        const int32_t top = std::min(nb, m - k0 + 1);
        for (int32_t r = 0; r < top; ++r) {
          w0[r] += row[r] * x0;
          w1[r] += row[r] * x1;
          w2[r] += row[r] * x2;
          w3[r] += row[r] * x3;
        }
      }
    } else {
      for (int32_t j = 0; j < width; ++j) {
        const double* cc = B + static_cast<size_t>(col + j) * n;
        double* wj = w + static_cast<size_t>(j) * nb;
        for (int32_t m = k0; m < n; ++m) {
          const double* row = &Vt[static_cast<size_t>(m - k0) * nb];
          const double x = cc[m];
          const int32_t top = std::min(nb, m - k0 + 1);
          for (int32_t r = 0; r < top; ++r) wj[r] += row[r] * x;
        }
      }
    }
    for (int32_t j = 0; j < width; ++j) {
      double* wj = w + static_cast<size_t>(j) * nb;
      for (int32_t r = nb - 1; r >= 0; --r) {
        double s = 0.0;
        for (int32_t q = 0; q <= r; ++q) s += T[static_cast<size_t>(r) * nb + q] * wj[q];
        wj[r] = s;
      }
    }
  }
  for (int32_t col = 0; col < count; col += Tile) {
    const int32_t width = std::min(Tile, count - col);
    const double* w = &W[static_cast<size_t>(col) * nb];
    for (int32_t r = 0; r < nb; ++r) {
      const double* vr = &A.Data[static_cast<size_t>(k0 + r) * n];
      if (width == Tile) {
        double* c0 = B + static_cast<size_t>(col) * n;
        double* c1 = c0 + n;
        double* c2 = c1 + n;
        double* c3 = c2 + n;
        const double w0 = w[r], w1 = w[nb + r], w2 = w[2 * nb + r], w3 = w[3 * nb + r];
        for (int32_t m = k0 + r; m < n; ++m) {
          const double v = vr[m];
          c0[m] -= w0 * v;
          c1[m] -= w1 * v;
          c2[m] -= w2 * v;
          c3[m] -= w3 * v;
        }
      } else {
        for (int32_t j = 0; j < width; ++j) {
          double* cc = B + static_cast<size_t>(col + j) * n;
          const double wr = w[static_cast<size_t>(j) * nb + r];
          for (int32_t m = k0 + r; m < n; ++m) cc[m] -= wr * vr[m];
        }
      }
    }
  }
}

constexpr int32_t BlockSize = 32;

}  // namespace

void QRDecompDense(TMatrix& A, arofdoubleM& d, arofdoubleM& c) {
  const int32_t n = A.N;
  if (n == 0) return;
  d.assign(static_cast<size_t>(n), 0.0);
  c.assign(static_cast<size_t>(n), 0.0);
  for (int32_t k0 = 0; k0 < n - 1; k0 += BlockSize) {
    const int32_t k1 = std::min(k0 + BlockSize, n - 1);
    FactorPanel(A, d, c, k0, k1);
    if (k1 < n) ApplyPanel(A, c, k0, k1, &A.Data[static_cast<size_t>(k1) * n], n - k1);
  }
  d[n - 1] = A(n - 1, n - 1);
}

KV_WIDE_VECTORS void QRSolveDense(const TMatrix& A, const arofdoubleM& d, const arofdoubleM& c, double* b,
                  int32_t count) {
  const int32_t n = A.N;
  if (n == 0 || count <= 0) return;
  for (int32_t k0 = 0; k0 < n - 1; k0 += BlockSize) {
    const int32_t k1 = std::min(k0 + BlockSize, n - 1);
    ApplyPanel(A, c, k0, k1, b, count);
  }
  // Back substitution, column-oriented so that the inner loop runs down a column of R.
  for (int32_t col = 0; col < count; ++col) {
    double* x = b + static_cast<size_t>(col) * n;
    for (int32_t i = n - 1; i >= 0; --i) {
      x[i] /= d[i];
      const double xi = x[i];
      const double* ai = &A.Data[static_cast<size_t>(i) * n];
      for (int32_t m = 0; m < i; ++m) x[m] -= ai[m] * xi;
    }
  }
}

void QRSolveTransposedDense(const TMatrix& A, const arofdoubleM& d, const arofdoubleM& c, double* b,
                            int32_t count) {
  const int32_t n = A.N;
  if (n == 0 || count <= 0) return;
  for (int32_t col = 0; col < count; ++col) {
    double* y = b + static_cast<size_t>(col) * n;
    // R^T y = b: column j of R above the diagonal is column j of A.
    for (int32_t j = 0; j < n; ++j) {
      const double* aj = &A.Data[static_cast<size_t>(j) * n];
      double s = 0.0;
      for (int32_t i = 0; i < j; ++i) s += aj[i] * y[i];
      y[j] = (y[j] - s) / d[j];
    }
    // x = Q y = H_0 H_1 ... H_{n-2} y: the last reflection first.
    for (int32_t i = n - 2; i >= 0; --i) {
      if (c[i] == 0.0) continue;
      const double* v = &A.Data[static_cast<size_t>(i) * n];
      double s = 0.0;
      for (int32_t m = i; m < n; ++m) s += v[m] * y[m];
      const double tau = s / c[i];
      for (int32_t m = i; m < n; ++m) y[m] -= tau * v[m];
    }
  }
}

}  // namespace DC2dBEM

#undef KV_WIDE_VECTORS
