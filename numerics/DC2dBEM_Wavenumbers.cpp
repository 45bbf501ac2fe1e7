// Wavenumbers and weights of the inverse cosine transform, fitted to the electrode
// distances of the survey and to the longer paths over which the secondary field
// of layers and bodies reaches the receivers.
#include <algorithm>
#include <cmath>
#include <utility>

#include "numerics/DC2dBEM.h"
#include "numerics/DC2dBEM_Internal.h"

namespace DC2dBEM {

namespace {

using internal::TwoOverPi;

// Rows of the survey's own distances weigh this much more than the range points,
// so that a homogeneous ground stays exact at the electrodes with few wavenumbers.
constexpr double SurveyRowWeight = 10.0;
constexpr double RangePointsPerDecade = 24.0;

double RowWeight(size_t i) { return i < FitRowWeights.size() ? FitRowWeights[i] : 1.0; }

// A D x n matrix stored column after column in one block: the fit factorises
// many small matrices for every Jacobian, and one allocation per matrix instead
// of one per column keeps that cheap.
struct TColumns {
  size_t D = 0, n = 0;
  arofdoubleM v;
  void Resize(size_t rows, size_t cols) {
    D = rows;
    n = cols;
    v.assign(rows * cols, 0.0);
  }
  double* Col(size_t j) { return v.data() + j * D; }
  const double* Col(size_t j) const { return v.data() + j * D; }
};

// Householder QR with column pivoting of B, applied to b as well (b has B.D
// entries). Afterwards the problem min |B x - b| has the same solutions as the
// problem on the first min(D, n) rows; `rank` columns are independent (the others
// add less than 1e-10 of the largest column norm). `order` is the pivot order and
// `diagonal` the diagonal of R.
void Triangularise(TColumns& B, arofdoubleM& b, std::vector<size_t>& order, arofdoubleM& diagonal, size_t& rank) {
  const size_t n = B.n, D = B.D;
  order.resize(n);
  for (size_t j = 0; j < n; ++j) order[j] = j;
  // Scratch kept per thread: the fit factorises thousands of small matrices.
  thread_local arofdoubleM norms;
  norms.assign(n, 0.0);
  for (size_t j = 0; j < n; ++j) {
    const double* c = B.Col(j);
    for (size_t m = 0; m < D; ++m) norms[j] += c[m] * c[m];
  }
  const double largest = n > 0 ? *std::max_element(norms.begin(), norms.end()) : 0.0;
  diagonal.assign(n, 0.0);
  rank = 0;
  for (size_t i = 0; i < n && i < D; ++i) {
    size_t pivot = i;
    for (size_t j = i + 1; j < n; ++j)
      if (norms[order[j]] > norms[order[pivot]]) pivot = j;
    // The running norms lose accuracy by cancellation; the pivot's is recomputed.
    double pivotNorm = 0.0;
    {
      const double* c = B.Col(order[pivot]);
      for (size_t m = i; m < D; ++m) pivotNorm += c[m] * c[m];
    }
    if (!(pivotNorm > 1e-20 * largest)) break;
    std::swap(order[i], order[pivot]);
    double* a = B.Col(order[i]);
    const double alpha = a[i] > 0.0 ? -std::sqrt(pivotNorm) : std::sqrt(pivotNorm);
    const double vv = 2.0 * (pivotNorm - alpha * a[i]);
    a[i] -= alpha;  // a[i..] is now the Householder vector
    auto reflect = [&](double* y) {
      double d = 0.0;
      for (size_t m = i; m < D; ++m) d += a[m] * y[m];
      const double f = 2.0 * d / vv;
      for (size_t m = i; m < D; ++m) y[m] -= f * a[m];
    };
    for (size_t j = i + 1; j < n; ++j) {
      double* c = B.Col(order[j]);
      reflect(c);
      norms[order[j]] -= c[i] * c[i];
    }
    reflect(b.data());
    diagonal[i] = alpha;
    rank = i + 1;
  }
}

// Scratch of the least-squares solves, kept between the many small solves of
// one constrained fit.
struct TSolveWork {
  TColumns B;
  arofdoubleM b, diagonal;
  std::vector<size_t> order;
};

// Least squares B x = b for a matrix stored by columns, factorised in a copy;
// dependent columns get the weight 0.
void LeastSquares(const TColumns& B0, const arofdoubleM& b0, arofdoubleM& x, TSolveWork& work) {
  TColumns& B = work.B;
  B = B0;
  work.b = b0;
  size_t rank = 0;
  Triangularise(B, work.b, work.order, work.diagonal, rank);
  const std::vector<size_t>& order = work.order;
  x.assign(B.n, 0.0);
  for (size_t i = rank; i-- > 0;) {
    double s = work.b[i];
    for (size_t j = i + 1; j < rank; ++j) s -= B.Col(order[j])[i] * x[order[j]];
    x[order[i]] = s / work.diagonal[i];
  }
}

// Column of the design matrix for wavenumber k: the kernel at every fit distance,
// normalised by the true distance, so that a perfect fit gives 1 in every row.
arofdoubleM DesignColumn(double k) {
  const arofdoubleM& r = FitDistances;
  arofdoubleM column(r.size());
  for (size_t i = 0; i < r.size(); ++i) {
    const double R = std::sqrt(r[i] * r[i] + CommonOffset * CommonOffset);
    column[i] = TwoOverPi * R * Supermath2d::BesselK0(r[i] * k);
  }
  return column;
}

// Least squares B w = b with non-negative weights (active-set method); used when
// the plain solve gives a weight that is not positive.
void NonNegativeSolve(const TColumns& B, const arofdoubleM& b, arofdoubleM& w) {
  const size_t n = B.n, D = b.size();
  w.assign(n, 0.0);
  arofboolM active(n, 0);
  std::vector<size_t> idx;
  TColumns sub;
  TSolveWork work;
  arofdoubleM x, z, residual;
  auto solveActive = [&]() {
    idx.clear();
    for (size_t i = 0; i < n; ++i)
      if (active[i]) idx.push_back(i);
    sub.D = D;
    sub.n = idx.size();
    sub.v.resize(D * idx.size());
    for (size_t a = 0; a < idx.size(); ++a) std::copy(B.Col(idx[a]), B.Col(idx[a]) + D, sub.Col(a));
    LeastSquares(sub, b, x, work);
    z.assign(n, 0.0);
    for (size_t a = 0; a < idx.size(); ++a) z[idx[a]] = x[a];
  };
  double scale = 0.0;
  for (size_t m = 0; m < D; ++m) scale += b[m] * b[m];
  for (size_t outer = 0; outer < 3 * n + 3; ++outer) {
    residual = b;
    for (size_t j = 0; j < n; ++j)
      if (w[j] != 0.0) {
        const double* c = B.Col(j);
        for (size_t m = 0; m < D; ++m) residual[m] -= c[m] * w[j];
      }
    size_t best = n;
    double bestGradient = 1e-12 * scale;
    for (size_t i = 0; i < n; ++i) {
      if (active[i]) continue;
      const double* c = B.Col(i);
      double gradient = 0.0;
      for (size_t m = 0; m < D; ++m) gradient += c[m] * residual[m];
      if (gradient > bestGradient) {
        bestGradient = gradient;
        best = i;
      }
    }
    if (best == n) return;
    active[best] = 1;
    for (size_t inner = 0; inner <= n; ++inner) {
      solveActive();
      double alpha = 1.0;
      bool feasible = true;
      for (size_t i = 0; i < n; ++i)
        if (active[i] && z[i] <= 0.0) {
          feasible = false;
          alpha = std::min(alpha, w[i] / (w[i] - z[i]));
        }
      if (feasible) {
        w = z;
        break;
      }
      for (size_t i = 0; i < n; ++i) {
        if (!active[i]) continue;
        w[i] += alpha * (z[i] - w[i]);
        if (w[i] <= 0.0) {
          w[i] = 0.0;
          active[i] = 0;
        }
      }
    }
  }
}

// Weighted least-squares weights for the design columns and the fitted values f
// (1 for a perfect fit). The weighted design matrix is factorised itself: its
// normal matrix would square a condition number that many wavenumbers make large.
void FitColumns(const ararofdoubleM& columns, arofdoubleM& w, arofdoubleM& f) {
  const size_t n = columns.size(), D = FitDistances.size();
  // The matrices and vectors of one fit, kept per thread between the many fits of
  // an optimisation.
  struct TScratch {
    TColumns B, R;
    arofdoubleM b, diagonal;
    std::vector<size_t> order;
    TSolveWork work;
  };
  thread_local TScratch scratch;
  TColumns& B = scratch.B;
  B.Resize(D, n);
  arofdoubleM& b = scratch.b;
  b.resize(D);
  for (size_t m = 0; m < D; ++m) {
    const double omega = RowWeight(m);
    b[m] = omega;
    for (size_t j = 0; j < n; ++j) B.Col(j)[m] = omega * columns[j][m];
  }
  // One factorisation serves the plain solve and the constrained one, which then
  // works on the small triangular problem instead of all D rows.
  std::vector<size_t>& order = scratch.order;
  arofdoubleM& diagonal = scratch.diagonal;
  size_t rank = 0;
  Triangularise(B, b, order, diagonal, rank);
  const size_t rows = std::min(n, D);
  TColumns& R = scratch.R;
  R.Resize(rows, n);
  for (size_t i = 0; i < n; ++i) {
    const size_t j = order[i];
    for (size_t m = 0; m < rows; ++m)
      R.Col(j)[m] = m < i || i >= rank ? B.Col(j)[m] : (m == i ? diagonal[i] : 0.0);
  }
  b.resize(rows);
  LeastSquares(R, b, w, scratch.work);
  // Negative weights reconstruct 1/r only where they were fitted; the constrained
  // solve keeps every weight at 0 or above.
  if (std::any_of(w.begin(), w.end(), [](double x) { return !(x > 0.0); }))
    NonNegativeSolve(R, b, w);
  f.assign(D, 0.0);
  for (size_t m = 0; m < D; ++m) {
    double s = 0.0;
    for (size_t j = 0; j < n; ++j) s += columns[j][m] * w[j];
    f[m] = s;
  }
}

ararofdoubleM DesignColumns(const arofdoubleM& k) {
  ararofdoubleM columns(k.size());
  for (size_t j = 0; j < k.size(); ++j) columns[j] = DesignColumn(k[j]);
  return columns;
}

// Weighted mean of (ln 1/f)^2 over the fit distances.
double FitError(const arofdoubleM& f) {
  double e = 0.0, total = 0.0;
  for (size_t m = 0; m < f.size(); ++m) {
    const double omega2 = RowWeight(m) * RowWeight(m);
    const double l = std::log(1.0 / f[m]);
    e += omega2 * l * l;
    total += omega2;
  }
  return total > 0.0 ? e / total : 0.0;
}

}  // namespace

void FitWeights(const arofdoubleM& k, arofdoubleM& w, arofdoubleM& f) { FitColumns(DesignColumns(k), w, f); }

void WavenumberJacobian(arofdoubleM& k, ararofdoubleM& J, arofdoubleM& f) {
  arofdoubleM w, fp;
  ararofdoubleM columns = DesignColumns(k);
  FitColumns(columns, w, f);
  const size_t n = k.size(), D = f.size();
  J.assign(n, arofdoubleM(D, 0.0));
  for (size_t i = 0; i < n; ++i) {
    // Only the perturbed wavenumber's column changes; the weights are refitted.
    const double delta = 0.1 * k[i];
    arofdoubleM saved = std::move(columns[i]);
    columns[i] = DesignColumn(k[i] + delta);
    FitColumns(columns, w, fp);
    columns[i] = std::move(saved);
    for (size_t m = 0; m < D; ++m) J[i][m] = k[i] * std::log(fp[m] / f[m]) / delta;
  }
}

double OptimiseWavenumbers(int32_t n) {
  const arofdoubleM& r = FitDistances;
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
    const double e = FitError(f);
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
        for (size_t m = 0; m < D; ++m) s += RowWeight(m) * RowWeight(m) * J[i][m] * J[j][m];
        M[i][j] = s;
      }
      double s = 0.0;
      for (size_t m = 0; m < D; ++m) s += RowWeight(m) * RowWeight(m) * std::log(1.0 / f[m]) * J[i][m];
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
  FitWeights(k, w, f);
  arofdoubleM keptK, keptW;
  for (size_t j = 0; j < nn; ++j)
    if (std::fabs(w[j]) > 1e-20) {
      keptK.push_back(k[j]);
      keptW.push_back(w[j]);
    }
  WavenumberCount = static_cast<int32_t>(keptK.size());
  WavenumberWeights = keptW;
  Wavenumbers = keptK;
  WavenumberFitDeviation = 0.0;
  for (double x : f) WavenumberFitDeviation = std::max(WavenumberFitDeviation, std::fabs(x - 1.0));
  if (!std::isfinite(WavenumberFitDeviation)) WavenumberFitDeviation = HUGE_VAL;
  return best == 0.0 ? 1e-100 : best;
}

int32_t ChooseWavenumberCount(int32_t from) {
  // The smallest count whose fit meets the tolerance over the whole range of
  // distances; when none does, the count whose added wavenumbers paid for themselves.
  from = std::max(from, 3);
  int32_t bestN = from;
  double bestQ = 0.0;
  const int32_t last = std::max(from, MaxAutomaticWavenumbers);
  for (int32_t n = from; n <= last; ++n) {
    const double q = std::log(OptimiseWavenumbers(n)) + 0.7 * (n - 3);
    if (WavenumberFitDeviation <= WavenumberTolerance) return n;
    if (n == from || q < bestQ) {
      bestQ = q;
      bestN = n;
    }
  }
  // The fit of the chosen count replaces that of the last count tried.
  if (bestN != last) OptimiseWavenumbers(bestN);
  return bestN;
}

namespace {

// A finished fit and what it was fitted to. Moving a body or a node rebuilds the
// fit distances, and they often come out as before (the distances are the
// electrodes' and the farthest mesh node's); the choice of the count costs tens of
// optimisations, so the last few fits are kept.
struct TWavenumberFit {
  bool User = false;
  int32_t RequestedCount = 0;
  double Offset = 0.0;
  arofdoubleM Distances, RowWeights;
  int32_t Count = 0;
  arofdoubleM K, W;
  double Deviation = 0.0;
};

std::vector<TWavenumberFit>& KeptFits() {
  static std::vector<TWavenumberFit> fits;
  return fits;
}

constexpr size_t KeptFitCount = 4;

}  // namespace

void FitWavenumbers() {
  const int32_t requested = UserWavenumbers ? WavenumberCount : 0;
  std::vector<TWavenumberFit>& fits = KeptFits();
  for (const TWavenumberFit& fit : fits)
    if (fit.User == UserWavenumbers && fit.RequestedCount == requested && fit.Offset == CommonOffset &&
        fit.Distances == FitDistances && fit.RowWeights == FitRowWeights) {
      WavenumberCount = fit.Count;
      Wavenumbers = fit.K;
      WavenumberWeights = fit.W;
      WavenumberFitDeviation = fit.Deviation;
      return;
    }
  if (UserWavenumbers) {
    OptimiseWavenumbers(WavenumberCount);
    // A count too small for the distances the secondary field travels gives
    // plainly wrong values: it grows until the fit meets the tolerance.
    if (WavenumberFitDeviation > WavenumberTolerance) ChooseWavenumberCount(WavenumberCount + 1);
  } else {
    ChooseWavenumberCount();
  }
  if (fits.size() == KeptFitCount) fits.erase(fits.begin());
  fits.push_back({UserWavenumbers, requested, CommonOffset, FitDistances, FitRowWeights, WavenumberCount,
                  Wavenumbers, WavenumberWeights, WavenumberFitDeviation});
}

void BuildFitDistances(arofdoubleM& distances) {
  arofdoubleM survey;
  const elecarray& electrodes = *Electrodes;
  auto add = [&](int32_t a, int32_t b) {
    if (a < 0 || b < 0) return;
    const TElectrode& ea = electrodes.at(static_cast<size_t>(a));
    const TElectrode& eb = electrodes.at(static_cast<size_t>(b));
    const double r = std::hypot(ea.X - eb.X, ElectrodeSourceDepth(ea) - ElectrodeSourceDepth(eb));
    if (!(r > 0.0)) return;
    for (double x : survey)
      if (std::fabs(x - r) < 0.01 * std::max(x, r)) return;
    survey.push_back(r);
  };
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.P1.size(); ++k) {
      add(s.C1, s.P1[k]);
      add(s.C1, s.P2[k]);
      add(s.C2, s.P1[k]);
      add(s.C2, s.P2[k]);
    }
  std::sort(survey.begin(), survey.end());
  std::vector<std::pair<double, double>> rows;
  for (double r : survey) rows.emplace_back(r, SurveyRowWeight);
  if (!survey.empty()) {
    // The farthest path: from any electrode used by the survey to any mesh node or
    // its image above the flat surface.
    arofboolM used(electrodes.size(), 0);
    for (const osource& s : *Survey) {
      for (int32_t e : {s.C1, s.C2})
        if (e >= 0) used.at(static_cast<size_t>(e)) = 1;
      for (const arofintM* list : {&s.P1, &s.P2})
        for (int32_t e : *list)
          if (e >= 0) used.at(static_cast<size_t>(e)) = 1;
    }
    double farthest = survey.back();
    for (size_t e = 0; e < electrodes.size(); ++e) {
      if (!used[e]) continue;
      const double x = electrodes[e].X, z = ElectrodeSourceDepth(electrodes[e]);
      for (const Tnode& node : Nodes)
        farthest = std::max(farthest, std::hypot(node.X - x, std::fabs(node.Depth) + std::fabs(z)));
    }
    const double r0 = survey.front(), r1 = 2.0 * farthest;
    const double decades = std::log10(r1 / r0);
    const int32_t count = std::max(2, static_cast<int32_t>(std::ceil(decades * RangePointsPerDecade)) + 1);
    for (int32_t i = 0; i < count; ++i)
      rows.emplace_back(r0 * std::pow(r1 / r0, static_cast<double>(i) / (count - 1)), 1.0);
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  }
  distances.clear();
  FitRowWeights.clear();
  for (const auto& [r, weight] : rows) {
    distances.push_back(r);
    FitRowWeights.push_back(weight);
  }
}

double StrikeFactor(double a, double b) {
  // With one common off-profile distance the offset is already in the fit; without
  // off-profile coordinates every y is 0 and the cosine is 1.
  if (CommonOffset != 0.0) return 1.0;
  return std::cos(Wavenumber * std::fabs(b - a));
}

}  // namespace DC2dBEM
