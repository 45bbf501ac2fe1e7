// Forward driver: element integrals, assembly, factorisation and solves per
// wavenumber (wavenumbers in parallel), receiver potentials, the inverse transform
// summed in a fixed order, apparent values, sensitivities and the misfit.
#include <algorithm>
#include <iterator>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "numerics/DC2dBEM.h"
#include "numerics/DC2dBEM_Internal.h"

namespace DC2dBEM {

namespace {

using internal::InvTwoPi;
using internal::TwoOverPi;
using internal::TRunningGuard;


complexM NodePoint(int32_t n) {
  const Tnode& node = Nodes[static_cast<size_t>(n)];
  return {node.X, node.Depth};
}

complexM ElectrodePoint(size_t e) {
  const TElectrode& el = (*Electrodes)[e];
  return {el.X, ElectrodeSourceDepth(el)};
}

double ValueAt(const arofdoubleM& values, size_t k) {
  return k < values.size() ? values[k] : Supermath2d::NoValue;
}

// Integral caches per wavenumber index: [j] -> system node s -> 2 per unique edge;
// [j][electrode] -> 2 per unique edge (empty for electrodes on a node).
std::vector<arofdoubleM> MatrixIntegrals;
std::vector<std::vector<arofdoubleM>> ReceiverIntegrals;

// What one wavenumber delivers to the summation.
struct TWaveResult {
  ararofdoubleM Voltage, VoltageIP;      // [pole][receiver], times w 2/pi
  ararofdoubleM Potential, PotentialIP;  // [pole][receiver]
  std::vector<ararofdoubleM> Sens, SensIP;  // [q][pole][receiver], times w 2/pi
};

struct TWaveWork {
  int32_t j = 0;
  double k = 0.0;
  double w = 0.0;
  bool sensitivity = false;
  bool fillMatrixCache = false;
  bool fillReceiverCache = false;
  TMatrix M, MIP;
  arofdoubleM d, c, dIP, cIP;
  arofdoubleM U, UIP;  // solutions, N per pole
  std::vector<arofdoubleM> W, WIP;  // receiver rows per electrode (N), empty when unused
};

// Base primary potential b / (2 pi) of a pole at P (multiply by the resistivity).
double PrimaryBase(int32_t pole, double k, const complexM& P) {
  return PrimaryPotentialOf(pole, k, P, 1.0);
}

const arofdoubleM& MatrixRow(const TWaveWork& work, int32_t s, arofdoubleM& scratch,
                             const complexM& P, const arofboolM& need) {
  const size_t E2 = detail::Edges.Edges.size() * 2;
  if (work.sensitivity) {
    const arofdoubleM& cache = MatrixIntegrals[static_cast<size_t>(work.j)];
    scratch.assign(cache.begin() + static_cast<std::ptrdiff_t>(s * E2),
                   cache.begin() + static_cast<std::ptrdiff_t>((s + 1) * E2));
    return scratch;
  }
  scratch.assign(E2, 0.0);
  detail::EdgeIntegrals(P, work.k, &need, scratch.data());
  return scratch;
}

void FillCaches(TWaveWork& work) {
  const auto& edges = detail::Edges;
  const size_t E2 = edges.Edges.size() * 2;
  const size_t j = static_cast<size_t>(work.j);
  if (work.fillMatrixCache) {
    arofdoubleM& cache = MatrixIntegrals[j];
    cache.assign(static_cast<size_t>(SystemSize) * E2, 0.0);
    for (size_t n = 0; n < Nodes.size(); ++n) {
      const int32_t s = SystemIndex[n];
      if (s < 0) continue;
      detail::EdgeIntegrals(NodePoint(static_cast<int32_t>(n)), work.k, nullptr,
                            &cache[static_cast<size_t>(s) * E2]);
    }
  }
  if (work.fillReceiverCache) {
    auto& cache = ReceiverIntegrals[j];
    cache.assign(Electrodes->size(), {});
    for (size_t e = 0; e < Electrodes->size(); ++e) {
      if (!OffNode[e]) continue;
      cache[e].assign(E2, 0.0);
      detail::EdgeIntegrals(ElectrodePoint(e), work.k, nullptr, cache[e].data());
    }
  }
}

void Assemble(TWaveWork& work) {
  const auto& edges = detail::Edges;
  const size_t E = edges.Edges.size();
  const int32_t N = SystemSize;
  arofboolM need(E, 0);
  for (size_t u = 0; u < E; ++u) need[u] = edges.Factor[u] != 0.0 || (IPOn && edges.FactorIP[u] != 0.0);
  work.M.Resize(N);
  if (IPOn) work.MIP.Resize(N);
  arofdoubleM scratch;
  for (size_t n = 0; n < Nodes.size(); ++n) {
    const int32_t si = SystemIndex[n];
    if (si < 0) continue;
    const arofdoubleM& row = MatrixRow(work, si, scratch, NodePoint(static_cast<int32_t>(n)), need);
    for (size_t u = 0; u < E; ++u) {
      if (!need[u]) continue;
      const int32_t sa = SystemIndex[static_cast<size_t>(edges.Edges[u].A)];
      const int32_t sb = SystemIndex[static_cast<size_t>(edges.Edges[u].B)];
      const double I0 = row[2 * u], I1 = row[2 * u + 1];
      work.M(si, sa) += edges.Factor[u] * I0;
      work.M(si, sb) += edges.Factor[u] * I1;
      if (IPOn) {
        work.MIP(si, sa) += edges.FactorIP[u] * I0;
        work.MIP(si, sb) += edges.FactorIP[u] * I1;
      }
    }
  }
  AddFreeTerms(work.M, FreeTerm);
  if (IPOn) AddFreeTerms(work.MIP, FreeTermIP);
}

void SolvePoles(TWaveWork& work) {
  const int32_t N = SystemSize;
  const arofintM& poles = *Poles;
  const size_t np = poles.size();
  QRDecompDense(work.M, work.d, work.c);
  if (IPOn) QRDecompDense(work.MIP, work.dIP, work.cIP);
  work.U.assign(static_cast<size_t>(N) * np, 0.0);
  if (IPOn) work.UIP.assign(static_cast<size_t>(N) * np, 0.0);
  for (size_t p = 0; p < np; ++p)
    for (size_t n = 0; n < Nodes.size(); ++n) {
      const int32_t s = SystemIndex[n];
      if (s < 0) continue;
      const double base = PrimaryBase(poles[p], work.k, NodePoint(static_cast<int32_t>(n)));
      work.U[p * static_cast<size_t>(N) + static_cast<size_t>(s)] = base * HostResistivity;
      if (IPOn) work.UIP[p * static_cast<size_t>(N) + static_cast<size_t>(s)] = base * HostResistivityIP;
    }
  QRSolveDense(work.M, work.d, work.c, work.U.data(), static_cast<int32_t>(np));
  if (IPOn) QRSolveDense(work.MIP, work.dIP, work.cIP, work.UIP.data(), static_cast<int32_t>(np));
}

// Receiver row of every off-node electrode that some pole needs.
void BuildReceiverRows(TWaveWork& work) {
  const auto& edges = detail::Edges;
  const size_t E = edges.Edges.size();
  const size_t ne = Electrodes->size();
  work.W.assign(ne, {});
  if (IPOn) work.WIP.assign(ne, {});
  arofboolM used(ne, 0);
  for (const arofintM& row : PoleReceivers)
    for (int32_t e : row) used[static_cast<size_t>(e)] = 1;
  const auto& cache = ReceiverIntegrals[static_cast<size_t>(work.j)];
  for (size_t e = 0; e < ne; ++e) {
    if (!used[e] || !OffNode[e]) continue;
    arofdoubleM& W = work.W[e];
    W.assign(static_cast<size_t>(SystemSize), 0.0);
    if (IPOn) work.WIP[e].assign(static_cast<size_t>(SystemSize), 0.0);
    for (size_t u = 0; u < E; ++u) {
      const size_t sa = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].A)]);
      const size_t sb = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].B)]);
      const double I0 = cache[e][2 * u], I1 = cache[e][2 * u + 1];
      W.at(sa) -= edges.Factor[u] * I0;
      W.at(sb) -= edges.Factor[u] * I1;
      if (IPOn) {
        work.WIP[e][sa] -= edges.FactorIP[u] * I0;
        work.WIP[e][sb] -= edges.FactorIP[u] * I1;
      }
    }
  }
}

double Dot(const arofdoubleM& a, const double* b) {
  double s = 0.0;
  for (size_t i = 0; i < a.size(); ++i) s += a[i] * b[i];
  return s;
}

void ReceiverPotentialsAll(const TWaveWork& work, TWaveResult& res) {
  const arofintM& poles = *Poles;
  const size_t N = static_cast<size_t>(SystemSize);
  const double scale = work.w * TwoOverPi;
  res.Potential.assign(poles.size(), {});
  res.Voltage.assign(poles.size(), {});
  if (IPOn) {
    res.PotentialIP.assign(poles.size(), {});
    res.VoltageIP.assign(poles.size(), {});
  }
  for (size_t p = 0; p < poles.size(); ++p) {
    const arofintM& receivers = PoleReceivers[p];
    const double* u = work.U.data() + p * N;
    const double* uIP = IPOn ? work.UIP.data() + p * N : nullptr;
    res.Potential[p].assign(receivers.size(), 0.0);
    res.Voltage[p].assign(receivers.size(), 0.0);
    if (IPOn) {
      res.PotentialIP[p].assign(receivers.size(), 0.0);
      res.VoltageIP[p].assign(receivers.size(), 0.0);
    }
    for (size_t r = 0; r < receivers.size(); ++r) {
      const size_t e = static_cast<size_t>(receivers[r]);
      double U, UIP = 0.0;
      if (OffNode[e]) {
        const double base = PrimaryBase(poles[p], work.k, ElectrodePoint(e));
        U = (base * HostResistivity + Dot(work.W[e], u)) / ReceiverFreeTerm[e];
        if (IPOn) UIP = (base * HostResistivityIP + Dot(work.WIP[e], uIP)) / ReceiverFreeTermIP[e];
      } else {
        const size_t s = static_cast<size_t>(SystemIndex[static_cast<size_t>(ElectrodeNodes[e].A)]);
        U = u[s];
        if (IPOn) UIP = uIP[s];
      }
      res.Potential[p][r] = U;
      res.Voltage[p][r] = U * scale;
      if (IPOn) {
        res.PotentialIP[p][r] = UIP;
        res.VoltageIP[p][r] = UIP * scale;
      }
    }
  }
}

// Derivatives of the pole potentials at the receivers with respect to the
// conductivity of every polygon (and its IP-model conductivity).
void PoleSensitivitiesOf(const TWaveWork& work, TWaveResult& res) {
  const auto& edges = detail::Edges;
  const arofintM& poles = *Poles;
  const size_t np = poles.size();
  const size_t N = static_cast<size_t>(SystemSize);
  const size_t E2 = edges.Edges.size() * 2;
  const int32_t P = ParamCount;
  const double scale = work.w * TwoOverPi;
  const arofdoubleM& mcache = MatrixIntegrals[static_cast<size_t>(work.j)];
  const auto& rcache = ReceiverIntegrals[static_cast<size_t>(work.j)];
  res.Sens.assign(static_cast<size_t>(P), {});
  if (IPOn) res.SensIP.assign(static_cast<size_t>(P), {});
  // Adjoint vectors: for every receiver electrode e, M^-T w_e with w_e its receiver
  // row (or the unit vector of its node), so that the derivative of its potential
  // is one dot product with the derivative right-hand side per pole and polygon.
  const size_t ne = Electrodes->size();
  arofintM adjointSlot(ne, -1);
  int32_t adjointCount = 0;
  for (const arofintM& row : PoleReceivers)
    for (int32_t e : row)
      if (adjointSlot[static_cast<size_t>(e)] < 0) adjointSlot[static_cast<size_t>(e)] = adjointCount++;
  arofdoubleM Lambda(N * static_cast<size_t>(adjointCount), 0.0), LambdaIP;
  if (IPOn) LambdaIP.assign(N * static_cast<size_t>(adjointCount), 0.0);
  for (size_t e = 0; e < ne; ++e) {
    const int32_t slot = adjointSlot[e];
    if (slot < 0) continue;
    double* l = Lambda.data() + static_cast<size_t>(slot) * N;
    double* lIP = IPOn ? LambdaIP.data() + static_cast<size_t>(slot) * N : nullptr;
    if (OffNode[e]) {
      std::copy(work.W[e].begin(), work.W[e].end(), l);
      if (IPOn) std::copy(work.WIP[e].begin(), work.WIP[e].end(), lIP);
    } else {
      const size_t sn = static_cast<size_t>(SystemIndex[static_cast<size_t>(ElectrodeNodes[e].A)]);
      l[sn] = 1.0;
      if (IPOn) lIP[sn] = 1.0;
    }
  }
  QRSolveTransposedDense(work.M, work.d, work.c, Lambda.data(), adjointCount);
  if (IPOn) QRSolveTransposedDense(work.MIP, work.dIP, work.cIP, LambdaIP.data(), adjointCount);
  arofdoubleM G, GIP;
  for (int32_t q = 0; q < P; ++q) {
    const auto [body, poly] = edges.ParamPolygon[static_cast<size_t>(q)];
    const arofintM& list = Model[static_cast<size_t>(body)][static_cast<size_t>(poly)].Nodes;
    const size_t m = list.size();
    const arofintM& slotEdge = edges.SlotEdge[static_cast<size_t>(q + 1)];
    const arofboolM& slotRev = edges.SlotReversed[static_cast<size_t>(q + 1)];
    G.assign(N * np, 0.0);
    if (IPOn) GIP.assign(N * np, 0.0);
    // Corner (free-term) part at the polygon's own nodes.
    for (size_t t = 0; t < m; ++t) {
      const int32_t si = SystemIndex[static_cast<size_t>(list[t])];
      const complexM a = NodePoint(list[t]);
      const complexM b = NodePoint(list[(t + 1) % m]);
      const complexM pr = NodePoint(list[(t + m - 1) % m]);
      double alpha = CornerAngle({pr.x - a.x, pr.z - a.z}, {b.x - a.x, b.z - a.z});
      // The same doubled angle as in the free term of a node on the flat surface.
      if (!ReliefOn && a.z <= 0.0) alpha *= 2.0;
      for (size_t p = 0; p < np; ++p) {
        const size_t idx = p * N + static_cast<size_t>(si);
        G[idx] -= alpha * HostResistivity * InvTwoPi * work.U[idx];
        if (IPOn) GIP[idx] -= alpha * HostResistivityIP * InvTwoPi * work.UIP[idx];
      }
    }
    // Integral part: every collocation row against the polygon's edges.
    for (size_t n = 0; n < Nodes.size(); ++n) {
      const int32_t si = SystemIndex[n];
      if (si < 0) continue;
      const double* row = &mcache[static_cast<size_t>(si) * E2];
      for (size_t t = 0; t < m; ++t) {
        const size_t u = static_cast<size_t>(slotEdge[t]);
        const double sgn = slotRev[t] ? -1.0 : 1.0;
        const size_t ca = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].A)]);
        const size_t cb = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].B)]);
        const double I0 = row[2 * u] * sgn, I1 = row[2 * u + 1] * sgn;
        for (size_t p = 0; p < np; ++p) {
          const double* up = work.U.data() + p * N;
          G[p * N + static_cast<size_t>(si)] -= HostResistivity * (I0 * up[ca] + I1 * up[cb]);
          if (IPOn) {
            const double* upIP = work.UIP.data() + p * N;
            GIP[p * N + static_cast<size_t>(si)] -= HostResistivityIP * (I0 * upIP[ca] + I1 * upIP[cb]);
          }
        }
      }
    }
    // G holds -(dM/dsigma_q) u per pole; the solution derivative is M^-1 G.
    auto& sens = res.Sens[static_cast<size_t>(q)];
    sens.assign(np, {});
    if (IPOn) res.SensIP[static_cast<size_t>(q)].assign(np, {});
    for (size_t p = 0; p < np; ++p) {
      const arofintM& receivers = PoleReceivers[p];
      sens[p].assign(receivers.size(), 0.0);
      if (IPOn) res.SensIP[static_cast<size_t>(q)][p].assign(receivers.size(), 0.0);
      const double* gp = G.data() + p * N;
      const double* gpIP = IPOn ? GIP.data() + p * N : nullptr;
      auto lambdaOf = [&](size_t e) { return Lambda.data() + static_cast<size_t>(adjointSlot[e]) * N; };
      auto lambdaIPOf = [&](size_t e) { return LambdaIP.data() + static_cast<size_t>(adjointSlot[e]) * N; };
      auto dot = [N](const double* a, const double* b) {
        double sum = 0.0;
        for (size_t i = 0; i < N; ++i) sum += a[i] * b[i];
        return sum;
      };
      const double* up = work.U.data() + p * N;
      const double* upIP = IPOn ? work.UIP.data() + p * N : nullptr;
      for (size_t r = 0; r < receivers.size(); ++r) {
        const size_t e = static_cast<size_t>(receivers[r]);
        double s = 0.0, sIP = 0.0;
        if (OffNode[e]) {
          s = dot(lambdaOf(e), gp);
          if (IPOn) sIP = dot(lambdaIPOf(e), gpIP);
          const arofdoubleM& rrow = rcache[e];
          for (size_t t = 0; t < m; ++t) {
            const size_t u = static_cast<size_t>(slotEdge[t]);
            const double sgn = slotRev[t] ? -1.0 : 1.0;
            const size_t ca = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].A)]);
            const size_t cb = static_cast<size_t>(SystemIndex[static_cast<size_t>(edges.Edges[u].B)]);
            const double I0 = rrow[2 * u] * sgn, I1 = rrow[2 * u + 1] * sgn;
            s -= HostResistivity * (I0 * up[ca] + I1 * up[cb]);
            if (IPOn) sIP -= HostResistivityIP * (I0 * upIP[ca] + I1 * upIP[cb]);
          }
          if (ElectrodeBody[e] != q) {
            s /= ReceiverFreeTerm[e];
            if (IPOn) sIP /= ReceiverFreeTermIP[e];
          } else {
            // The receiver's free term itself depends on the conductivity of q.
            const double phi = ((*Electrodes)[e].Depth > 0.0 || !ReliefOn) ? 1.0 : 0.5;
            s = (s - res.Potential[p][r] * HostResistivity * phi) / ReceiverFreeTerm[e];
            if (IPOn) sIP = (sIP - res.PotentialIP[p][r] * HostResistivityIP * phi) / ReceiverFreeTermIP[e];
          }
        } else {
          s = dot(lambdaOf(e), gp);
          if (IPOn) sIP = dot(lambdaIPOf(e), gpIP);
        }
        sens[p][r] = s * scale;
        if (IPOn) res.SensIP[static_cast<size_t>(q)][p][r] = sIP * scale;
      }
    }
  }
}

// Runs the work of every wavenumber on worker threads; the calling thread reports
// progress steps as they come and rethrows the first error.
void RunWavenumbers(std::vector<TWaveWork>& works, std::vector<TWaveResult>& results, bool sensitivity) {
  const size_t count = works.size();
  std::mutex mutex;
  std::condition_variable cv;
  int32_t pendingSteps = 0;
  size_t finishedThreads = 0;
  std::exception_ptr error;
  std::atomic<size_t> next{0};
  auto step = [&] {
    if (sensitivity) return;
    std::lock_guard<std::mutex> lock(mutex);
    ++pendingSteps;
    cv.notify_one();
  };
  auto worker = [&] {
    for (;;) {
      const size_t i = next.fetch_add(1);
      if (i >= count) break;
      try {
        TWaveWork& work = works[i];
        FillCaches(work);
        Assemble(work);
        step();
        SolvePoles(work);
        BuildReceiverRows(work);
        ReceiverPotentialsAll(work, results[i]);
        if (work.sensitivity) PoleSensitivitiesOf(work, results[i]);
        // The factors and solutions are not needed once the results are out.
        work = TWaveWork{};
        step();
      } catch (...) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!error) error = std::current_exception();
        next = count;
      }
    }
    std::lock_guard<std::mutex> lock(mutex);
    ++finishedThreads;
    cv.notify_one();
  };
  const size_t hw = std::max<size_t>(1, std::thread::hardware_concurrency());
  const size_t threads = std::min(hw, count);
  std::vector<std::thread> pool;
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(worker);
  std::exception_ptr callbackError;
  {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      cv.wait(lock, [&] { return pendingSteps > 0 || finishedThreads == threads; });
      while (pendingSteps > 0) {
        --pendingSteps;
        lock.unlock();
        try {
          if (OnProgressStep && !callbackError) OnProgressStep();
        } catch (...) {
          if (!callbackError) callbackError = std::current_exception();
          next = count;
        }
        lock.lock();
      }
      if (finishedThreads == threads) break;
    }
  }
  for (auto& t : pool) t.join();
  if (error) std::rethrow_exception(error);
  if (callbackError) std::rethrow_exception(callbackError);
}

}  // namespace

namespace detail {

void EdgeIntegrals(const complexM& P, double k, const arofboolM* need, double* out) {
  const auto& edges = Edges.Edges;
  for (size_t u = 0; u < edges.size(); ++u) {
    if (need != nullptr && !(*need)[u]) continue;
    ElementIntegralK(P, NodePoint(edges[u].A), NodePoint(edges[u].B), out[2 * u], out[2 * u + 1], false, k,
                     GaussOrder);
  }
}

}  // namespace detail

double NormalCosine(const complexM& P, const complexM& Q, const complexM& n, double L) {
  const double dx = Q.x - P.x, dz = Q.z - P.z;
  const double len = std::sqrt(dx * dx + dz * dz) * L;
  if (len == 0.0) return 1.0;
  return (dx * n.x + dz * n.z) / len;
}

namespace {

// NormalCosine for the offset (dx, dz) of length r.
inline double Cosine(double dx, double dz, double r, const complexM& n, double L) {
  const double len = r * L;
  if (len == 0.0) return 1.0;
  return (dx * n.x + dz * n.z) / len;
}

}  // namespace

void ElementIntegralK(const complexM& P, const complexM& A, const complexM& B, double& I0, double& I1,
                      bool surface, double k, int32_t order) {
  const complexM n{A.z - B.z, B.x - A.x};
  const double L = std::sqrt(n.x * n.x + n.z * n.z);
  I0 = 0.0;
  I1 = 0.0;
  const double d = Distance(A, B);
  if (d == 0.0) return;
  const bool image = !ReliefOn && !surface;
  const complexM Pimage{P.x, -P.z};
  const double near = 0.1 * RMin;
  int32_t o = order;
  for (bool restart = true; restart;) {
    restart = false;
    I0 = 0.0;
    I1 = 0.0;
    const arofdoubleM* xs = nullptr;
    const arofdoubleM* ws = nullptr;
    detail::GaussRule(o, xs, ws);
    for (size_t i = 0; i < xs->size(); ++i) {
      const double x = (*xs)[i];
      const complexM Q{A.x + (B.x - A.x) * x, A.z + (B.z - A.z) * x};
      // Distances and normal cosines share their square roots.
      const double dx = Q.x - P.x, dz = Q.z - P.z;
      const double r = std::sqrt(dx * dx + dz * dz);
      // Near the collocation point: integrate again with one point fewer.
      if (near >= r && o != 2) {
        --o;
        restart = true;
        break;
      }
      double e = Cosine(dx, dz, r, n, L);
      double h = 0.0;
      if (image) {
        const double dzs = Q.z - Pimage.z;
        const double rs = std::sqrt(dx * dx + dzs * dzs);
        if (rs > near) h = Cosine(dx, dzs, rs, n, L);
        // A collocation point on the surface is its own image, and a point of the
        // surface lies as far from both: then the two terms share one Bessel value,
        // and on a surface edge they cancel.
        if (rs == r) {
          if (h == -e) {
            e = 0.0;
            h = 0.0;
          } else {
            const double K = std::fabs(e) > 1e-10 || std::fabs(h) > 1e-10 ? Supermath2d::BesselK1(k * r) : 0.0;
            if (std::fabs(e) > 1e-10) e *= K;
            if (std::fabs(h) > 1e-10) h *= K;
          }
        } else {
          if (std::fabs(e) > 1e-10) e *= Supermath2d::BesselK1(k * r);
          if (std::fabs(h) > 1e-10) h *= Supermath2d::BesselK1(k * rs);
        }
      } else if (std::fabs(e) > 1e-10) {
        e *= Supermath2d::BesselK1(k * r);
      }
      const double f = e + h;
      const double w = (*ws)[i];
      I0 += (1.0 - x) * w * f;
      I1 += x * w * f;
    }
  }
  double s = k * d * InvTwoPi;
  if (surface && !ReliefOn) s *= 2.0;
  I0 *= s;
  I1 *= s;
}

void ElementIntegral(const complexM& P, const complexM& A, const complexM& B, double& I0, double& I1,
                     bool surface) {
  ElementIntegralK(P, A, B, I0, I1, surface, Wavenumber, GaussOrder);
}

namespace {

// Signed four-electrode voltage of the resistivity model (mode 0) or the IP model.
double SignedVoltage(const osource& s, size_t t, int32_t mode) {
  if (mode == 0) return (s.UC1P1[t] - s.UC1P2[t]) - (s.UC2P1[t] - s.UC2P2[t]);
  return (s.UC1P1IP[t] - s.UC1P2IP[t]) - (s.UC2P1IP[t] - s.UC2P2IP[t]);
}

double Receiver(const ararofdoubleM& V, int32_t pole, int32_t receiver) {
  const size_t p = static_cast<size_t>(PoleIndex.at(static_cast<size_t>(pole)));
  const int32_t slot = ReceiverSlot.at(static_cast<size_t>(pole)).at(static_cast<size_t>(receiver));
  return V.at(p).at(static_cast<size_t>(slot));
}

void SizeResults() {
  for (osource& s : *Survey) {
    const size_t n = s.P1.size();
    for (arofdoubleM* a : {&s.UC1P1, &s.UC2P1, &s.UC1P2, &s.UC2P2, &s.ResCalc, &s.RhoACalc})
      if (a->size() != n) a->resize(n, 0.0);
    if (IPOn)
      for (arofdoubleM* a : {&s.UC1P1IP, &s.UC2P1IP, &s.UC1P2IP, &s.UC2P2IP, &s.ResCalcIP, &s.EtaACalc})
        if (a->size() != n) a->resize(n, 0.0);
  }
}

int32_t CountParams() {
  int32_t count = 0;
  for (size_t b = 0; b < Model.size(); ++b) count += static_cast<int32_t>(Model[b].size());
  return std::max(0, count - 1);
}

}  // namespace

namespace {

// The calculated voltage, apparent resistivity and (mode 1) polarizability of
// measurement t from its pair sums.
void WriteCalculatedValues(osource& s, size_t t, int32_t mode) {
  const double dv = SignedVoltage(s, t, 0);
  if (mode == 0) {
    s.ResCalc[t] = SignedData ? dv : std::fabs(dv);
    s.RhoACalc[t] = std::fabs(s.ResCalc[t] * s.K[t]);
  } else {
    // One sign convention for both voltages: the IP voltage is turned with the
    // sign that turns the resistivity voltage, so that their ratio keeps its sign.
    const double dvIP = SignedVoltage(s, t, 1);
    s.ResCalcIP[t] = (SignedData || dv >= 0.0) ? dvIP : -dvIP;
    s.EtaACalc[t] = (dvIP - dv) / dvIP * 100.0;
  }
}

// Cosine-transform error of the primary part of a receiver potential: its exact
// space-domain value less the wavenumber sum of its transform. The primary part
// of an integrated receiver is the pole's primary potential over the receiver's
// free term; adding the difference makes the primary field exact, so that the
// wavenumbers only carry the secondary field of the bodies.
double PrimaryCorrection(int32_t pole, int32_t receiver, double yPole, double yReceiver, bool ip) {
  const size_t e = static_cast<size_t>(receiver);
  if (!OffNode[e]) return 0.0;
  const double rho = ip ? HostResistivityIP : HostResistivity;
  const double freeTerm = ip ? ReceiverFreeTermIP[e] : ReceiverFreeTerm[e];
  const complexM R = ElectrodePoint(e);
  const double dy = yReceiver - yPole;
  double sum = 0.0;
  for (size_t j = 0; j < Wavenumbers.size(); ++j) {
    const double k = Wavenumbers[j];
    const double factor = CommonOffset != 0.0 ? 1.0 : std::cos(k * std::fabs(dy));
    sum += TwoOverPi * WavenumberWeights[j] * factor * PrimaryPotentialOf(pole, k, R, rho);
  }
  return (PrimaryPotentialInSpace(pole, R, rho, dy) - sum) / freeTerm;
}

// Adds the primary corrections to the pair sums of a record (mode 0 resistivity,
// 1 the IP model).
void AddPrimaryCorrections(osource& s, int32_t mode) {
  const bool ip = mode == 1;
  arofdoubleM& c1p1 = ip ? s.UC1P1IP : s.UC1P1;
  arofdoubleM& c2p1 = ip ? s.UC2P1IP : s.UC2P1;
  arofdoubleM& c1p2 = ip ? s.UC1P2IP : s.UC1P2;
  arofdoubleM& c2p2 = ip ? s.UC2P2IP : s.UC2P2;
  for (size_t t = 0; t < s.P1.size(); ++t) {
    const int32_t p1 = s.P1[t], p2 = s.P2[t];
    c1p1[t] += PrimaryCorrection(s.C1, p1, s.C1y, s.P1y[t], ip);
    if (p2 != -1) c1p2[t] += PrimaryCorrection(s.C1, p2, s.C1y, s.P2y[t], ip);
    if (s.C2 != -1) {
      c2p1[t] += PrimaryCorrection(s.C2, p1, s.C2y, s.P1y[t], ip);
      if (p2 != -1) c2p2[t] += PrimaryCorrection(s.C2, p2, s.C2y, s.P2y[t], ip);
    }
  }
}

}  // namespace

void ApparentValues(const ararofdoubleM& V, const ararofintM& /*receivers*/, int32_t mode) {
  const int32_t j = WavenumberIndex;
  const int32_t last = static_cast<int32_t>(Wavenumbers.size()) - 1;
  for (osource& s : *Survey) {
    arofdoubleM& c1p1 = mode == 0 ? s.UC1P1 : s.UC1P1IP;
    arofdoubleM& c2p1 = mode == 0 ? s.UC2P1 : s.UC2P1IP;
    arofdoubleM& c1p2 = mode == 0 ? s.UC1P2 : s.UC1P2IP;
    arofdoubleM& c2p2 = mode == 0 ? s.UC2P2 : s.UC2P2IP;
    const size_t n = s.P1.size();
    if (j == last)
      for (arofdoubleM* a : {&c1p1, &c2p1, &c1p2, &c2p2}) std::fill(a->begin(), a->end(), 0.0);
    for (size_t t = 0; t < n; ++t) {
      const int32_t p1 = s.P1[t], p2 = s.P2[t];
      c1p1[t] += StrikeFactor(s.C1y, s.P1y[t]) * Receiver(V, s.C1, p1);
      if (p2 == -1)
        c1p2[t] = 0.0;
      else
        c1p2[t] += StrikeFactor(s.C1y, s.P2y[t]) * Receiver(V, s.C1, p2);
      if (s.C2 == -1) {
        c2p1[t] = 0.0;
        c2p2[t] = 0.0;
      } else {
        c2p1[t] += StrikeFactor(s.C2y, s.P1y[t]) * Receiver(V, s.C2, p1);
        if (p2 == -1)
          c2p2[t] = 0.0;
        else
          c2p2[t] += StrikeFactor(s.C2y, s.P2y[t]) * Receiver(V, s.C2, p2);
      }
    }
    if (j != 0) continue;
    AddPrimaryCorrections(s, mode);
    for (size_t t = 0; t < s.ResCalc.size(); ++t) WriteCalculatedValues(s, t, mode);
  }
}

double SignedLogSlope(double x, double s) { return 1.0 / ((std::fabs(x) / s + 1.0) * 2.3026 * s); }

void DataSensitivities(const std::vector<ararofdoubleM>& S, int32_t mode) {
  const int32_t j = WavenumberIndex;
  const int32_t last = static_cast<int32_t>(Wavenumbers.size()) - 1;
  const size_t P = static_cast<size_t>(ParamCount);
  int32_t count = 0;
  for (const osource& s : *Survey) count += static_cast<int32_t>(s.P1.size());
  DataCount = count;
  const size_t D = static_cast<size_t>(count);
  ararofdoubleM& J = mode == 0 ? JacobianRho : JacobianEta;
  for (ararofdoubleM* a : {&J, &JacobianCross, &RawSens}) {
    a->resize(P);
    for (arofdoubleM& row : *a) row.resize(D, 0.0);
  }
  if (j == last)
    for (arofdoubleM& row : J) std::fill(row.begin(), row.end(), 0.0);
  for (size_t q = 0; q < P; ++q) {
    const ararofdoubleM& Sq = S.at(q);
    size_t m = 0;
    for (const osource& s : *Survey)
      for (size_t t = 0; t < s.P1.size(); ++t, ++m) {
        const int32_t p1 = s.P1[t], p2 = s.P2[t];
        const double t11 = StrikeFactor(s.C1y, s.P1y[t]) * Receiver(Sq, s.C1, p1);
        const double t12 = p2 == -1 ? 0.0 : StrikeFactor(s.C1y, s.P2y[t]) * Receiver(Sq, s.C1, p2);
        double t21 = 0.0, t22 = 0.0;
        if (s.C2 != -1) {
          t21 = StrikeFactor(s.C2y, s.P1y[t]) * Receiver(Sq, s.C2, p1);
          t22 = p2 == -1 ? 0.0 : StrikeFactor(s.C2y, s.P2y[t]) * Receiver(Sq, s.C2, p2);
        }
        J[q][m] += t11 - t12 - t21 + t22;
      }
  }
  if (j != 0) return;
  const auto& edges = detail::Edges;
  // The primary correction of a receiver inside a polygon is divided by its free
  // term, which is proportional to the polygon's conductivity: its derivative is
  // minus the correction times the resistivity.
  for (size_t q = 0; q < P; ++q) {
    const auto [body, poly] = edges.ParamPolygon[q];
    const Polygon& polygon = Model[static_cast<size_t>(body)][static_cast<size_t>(poly)];
    double rho = detail::PolygonResistivity(polygon);
    if (mode == 1) rho /= 1.0 - detail::PolygonPolarizability(polygon) / 100.0;
    auto term = [&](int32_t pole, int32_t receiver, double yPole, double yReceiver) {
      if (pole < 0 || receiver < 0 || ElectrodeBody[static_cast<size_t>(receiver)] != static_cast<int32_t>(q)) return 0.0;
      return -rho * PrimaryCorrection(pole, receiver, yPole, yReceiver, mode == 1);
    };
    size_t m = 0;
    for (const osource& s : *Survey)
      for (size_t t = 0; t < s.P1.size(); ++t, ++m)
        J[q][m] += term(s.C1, s.P1[t], s.C1y, s.P1y[t]) - term(s.C1, s.P2[t], s.C1y, s.P2y[t]) -
                   term(s.C2, s.P1[t], s.C2y, s.P1y[t]) + term(s.C2, s.P2[t], s.C2y, s.P2y[t]);
  }
  for (size_t q = 0; q < P; ++q) {
    const auto [body, poly] = edges.ParamPolygon[q];
    const Polygon& polygon = Model[static_cast<size_t>(body)][static_cast<size_t>(poly)];
    const double rho = detail::PolygonResistivity(polygon);
    const double eta = detail::PolygonPolarizability(polygon);
    size_t m = 0;
    for (const osource& s : *Survey)
      for (size_t t = 0; t < s.P1.size(); ++t, ++m) {
        // Derivatives belong to the signed voltages; d ln|V| = dV / V.
        const double dv = SignedVoltage(s, t, 0);
        if (mode == 0) {
          RawSens[q][m] = J[q][m];
          J[q][m] = -J[q][m] / dv / rho;
        } else {
          const double dvIP = SignedVoltage(s, t, 1);
          const double etaA = (dvIP - dv) / dvIP * 100.0;
          const double slopeA = SignedLogSlope(etaA, IPScale);
          JacobianCross[q][m] =
              -100.0 * (dv * J[q][m] * (1.0 - eta / 100.0) - dvIP * RawSens[q][m]) / (dvIP * dvIP) * slopeA / rho;
          J[q][m] = J[q][m] * (-dv / (dvIP * dvIP * rho)) * slopeA / SignedLogSlope(eta, IPScale);
        }
      }
  }
}

std::pair<double, double> Misfit() {
  double m1 = 0.0, m2 = 0.0;
  if (Hooks.DataLoaded && !Hooks.DataLoaded()) return {m1, m2};
  double sum = 0.0;
  int32_t count = 0;
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.RhoACalc.size(); ++k) {
      const double obs = ValueAt(s.RhoA, k);
      if (obs == Supermath2d::NoValue) continue;
      const double calc = s.RhoACalc[k];
      sum += std::fabs(obs - calc) / std::max({std::fabs(calc), std::fabs(obs), 1e-8});
      ++count;
    }
  m1 = sum / count * 100.0;
  if (IPOn) {
    sum = 0.0;
    count = 0;
    for (const osource& s : *Survey)
      for (size_t k = 0; k < s.EtaACalc.size(); ++k) {
        const double obs = ValueAt(s.EtaA, k);
        if (obs == Supermath2d::NoValue) continue;
        const double calc = s.EtaACalc[k];
        sum += std::fabs(obs - calc) / std::max({std::fabs(calc), std::fabs(obs), 1e-8});
        ++count;
      }
    m2 = sum / count * 100.0;
  }
  return {m1, m2};
}

void ComputeResponses(int32_t mode) {
  const bool sensitivity = mode == 1;
  if (GeometryChanged) BuildPoles(PoleReceivers);
  if (IPOn) HostResistivityIP = HostResistivity / (1.0 - HostPolarizability / 100.0);
  detail::NormaliseOrientation(Model, Nodes);
  BuildReliefNodes();
  SystemSize = NumberSystemNodes(SystemIndex);
  ComputeFreeTerms(FreeTerm);
  LocateElectrodes(OffNode, ElectrodeNodes);
  ReceiverFreeTerms(OffNode, ReceiverFreeTerm, ReceiverFreeTermIP);
  detail::BuildEdgeTable();
  ParamCount = CountParams();
  if (GeometryChanged) {
    BuildFitDistances(FitDistances);
    FitWavenumbers();
    if (Hooks.SetWavenumberCount) Hooks.SetWavenumberCount(WavenumberCount);
  }
  const size_t nw = Wavenumbers.size();
  ProgressSteps = 2 * static_cast<int32_t>(nw);
  GeometryChanged = false;
  const bool firstIteration = Iteration == 1;
  if (sensitivity) MatrixIntegrals.resize(nw);
  ReceiverIntegrals.resize(nw);
  SensitivityMode = sensitivity;
  SizeResults();

  const size_t E2 = detail::Edges.Edges.size() * 2;
  std::vector<TWaveWork> works(nw);
  std::vector<TWaveResult> results(nw);
  for (size_t j = 0; j < nw; ++j) {
    TWaveWork& w = works[j];
    w.j = static_cast<int32_t>(j);
    w.k = Wavenumbers[j];
    w.w = WavenumberWeights[j];
    w.sensitivity = sensitivity;
    // Caches that do not fit the current geometry are refilled whatever the iteration.
    w.fillMatrixCache = sensitivity && (firstIteration || MatrixIntegrals[j].size() != static_cast<size_t>(SystemSize) * E2);
    bool receiverCacheFits = ReceiverIntegrals[j].size() == Electrodes->size();
    for (size_t e = 0; e < Electrodes->size() && receiverCacheFits; ++e)
      receiverCacheFits = ReceiverIntegrals[j][e].size() == (OffNode[e] ? E2 : 0);
    w.fillReceiverCache = !sensitivity || firstIteration || !receiverCacheFits;
  }
  RunWavenumbers(works, results, sensitivity);

  // The inverse transform, summed from the last wavenumber down to the first.
  for (size_t jj = nw; jj-- > 0;) {
    Wavenumber = Wavenumbers[jj];
    WavenumberIndex = static_cast<int32_t>(jj);
    TWaveResult& r = results[jj];
    PoleVoltage = std::move(r.Voltage);
    PolePotential = std::move(r.Potential);
    ApparentValues(PoleVoltage, PoleReceivers, 0);
    if (IPOn) {
      PoleVoltageIP = std::move(r.VoltageIP);
      PolePotentialIP = std::move(r.PotentialIP);
      ApparentValues(PoleVoltageIP, PoleReceivers, 1);
    }
    if (sensitivity && ParamCount > 0) {
      DataSensitivities(r.Sens, 0);
      if (IPOn) DataSensitivities(r.SensIP, 1);
    }
  }
  if (!sensitivity && OnProgressEnd) OnProgressEnd();
  const auto [m1, m2] = Misfit();
  if (Hooks.SetMisfitText)
    Hooks.SetMisfitText(Supermath2d::FloatToStrDec(1, 1, m1) + "/" + Supermath2d::FloatToStrDec(1, 1, m2));
  if (sensitivity && OnProgressStep) OnProgressStep();
}

namespace {

// Refuses a run when another one is going on or the inputs are unsound.
bool MayRun() {
  std::string message;
  if (Running)
    message = "A computation is already running: wait until it has finished.";
  else
    message = ValidateInputs();
  if (message.empty()) return true;
  if (Hooks.ShowMessage) Hooks.ShowMessage(message);
  return false;
}

}  // namespace

bool ForwardModel() {
  if (!MayRun()) return false;
  const TRunningGuard guard;
  PrepareGaussTables();
  ComputeResponses(0);
  return true;
}

namespace detail {
bool MayRunInversion() { return MayRun(); }
}  // namespace detail

void RightHandSide(const arofintM& systemIndex, arofdoubleM& rhs) {
  const int32_t count = static_cast<int32_t>(std::count_if(systemIndex.begin(), systemIndex.end(),
                                                           [](int32_t s) { return s >= 0; }));
  rhs.assign(static_cast<size_t>(count), 0.0);
  if (IPOn) RightHandSideIP.assign(static_cast<size_t>(count), 0.0);
  for (size_t n = 0; n < systemIndex.size(); ++n) {
    const int32_t s = systemIndex[n];
    if (s < 0) continue;
    double V = 0.0, VIP = 0.0;
    PrimaryPotential(NodePoint(static_cast<int32_t>(n)), V, VIP);
    rhs[static_cast<size_t>(s)] = V;
    if (IPOn) RightHandSideIP[static_cast<size_t>(s)] = VIP;
  }
}

void AssembleMatrix(TMatrix& M) {
  TWaveWork work;
  work.k = Wavenumber;
  Assemble(work);
  M = std::move(work.M);
  if (IPOn) BEMMatrixIP = std::move(work.MIP);
}

}  // namespace DC2dBEM
