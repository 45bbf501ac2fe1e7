// Forward benchmark: one forward run of a realistic survey over a block model,
// against the same number of dense QR factorisations of the system's size.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "numerics/ComputationMesh.h"
#include "numerics/DC2dBEM.h"

#ifdef KV_HAVE_LAPACK
extern "C" void dgeqrf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
                        const int* lwork, int* info);
#endif

namespace {

constexpr int32_t ElectrodeCount = 48;
constexpr double Spacing = 5.0;

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

struct TBenchSurvey {
  elecarray Electrodes;
  Asource Sources;
  arofintM Poles;
  arofdoubleM Distances;
};

void AddDatum(TBenchSurvey& s, int32_t a, int32_t b, int32_t m, int32_t n) {
  osource* src = nullptr;
  for (osource& x : s.Sources)
    if (x.C1 == a && x.C2 == b) src = &x;
  if (src == nullptr) {
    s.Sources.emplace_back();
    src = &s.Sources.back();
    src->C1 = a;
    src->C2 = b;
  }
  auto x = [&](int32_t e) { return s.Electrodes[static_cast<size_t>(e)].X; };
  const double g = 1.0 / std::fabs(x(a) - x(m)) - 1.0 / std::fabs(x(a) - x(n)) - 1.0 / std::fabs(x(b) - x(m)) +
                   1.0 / std::fabs(x(b) - x(n));
  src->P1.push_back(m);
  src->P2.push_back(n);
  src->P1y.push_back(0.0);
  src->P2y.push_back(0.0);
  src->K.push_back(2.0 * M_PI / g);
  src->RhoA.push_back(100.0);
  src->Res.push_back(100.0 * g / (2.0 * M_PI));
  src->Weight.push_back(1.0);
  src->FlagsC.push_back(1);
}

}  // namespace

// The benchmark survey and block model, shared with the inversion benchmark.
// Columns x rows blocks tile 0..235 m down to 30 m as body-0 sub-polygons.
void BuildBenchProblem(TBenchSurvey& survey, int32_t columns, int32_t rows, double refine);

void BuildBenchProblem(TBenchSurvey& survey, int32_t columns, int32_t rows, double refine) {
  survey = {};
  for (int32_t i = 0; i < ElectrodeCount; ++i) {
    TElectrode e;
    e.X = i * Spacing;
    e.Chainage = e.X;
    e.AtSurface = 1;
    survey.Electrodes.push_back(e);
  }
  // Wenner-Schlumberger: A, M, N, B with MN = a and AM = NB = n a.
  for (int32_t a = 1; a <= 3; ++a)
    for (int32_t n = 1; n <= 6; ++n)
      for (int32_t i = 0; i + 2 * n * a + a < ElectrodeCount; ++i) AddDatum(survey, i, i + 2 * n * a + a, i + n * a, i + n * a + a);
  // Dipole-dipole.
  for (int32_t a = 1; a <= 2; ++a)
    for (int32_t n = 1; n <= 6; ++n)
      for (int32_t i = 0; i + (n + 2) * a < ElectrodeCount; ++i) AddDatum(survey, i, i + a, i + (n + 1) * a, i + (n + 2) * a);
  for (const osource& s : survey.Sources)
    for (int32_t c : {s.C1, s.C2})
      if (std::find(survey.Poles.begin(), survey.Poles.end(), c) == survey.Poles.end()) survey.Poles.push_back(c);
  std::sort(survey.Poles.begin(), survey.Poles.end());

  const double left = -40.0, right = 275.0, bottom = 80.0;
  AllSpolygon& model = DC2dBEM::Model;
  Tnodes& nodes = DC2dBEM::Nodes;
  nodes.clear();
  auto node = [&](double x, double z, int32_t border) {
    Tnode t;
    t.X = x;
    t.Depth = z;
    t.Border = border;
    nodes.push_back(t);
    return static_cast<int32_t>(nodes.size()) - 1;
  };
  node(left, 0, 1);
  node(left, bottom, 2);
  node(right, bottom, 4);
  node(right, 0, 5);
  model.assign(1, SPolygon(1));
  model[0][0].Nodes = {0, 1, 2, 3, 0, 3, 2, 1};
  std::vector<std::vector<int32_t>> grid(static_cast<size_t>(columns + 1), std::vector<int32_t>(static_cast<size_t>(rows + 1)));
  for (int32_t c = 0; c <= columns; ++c)
    for (int32_t r = 0; r <= rows; ++r)
      grid[c][r] = node(235.0 * c / columns, 30.0 * r / rows, 0);
  std::mt19937 random(7);
  std::uniform_real_distribution<double> logRho(std::log(20.0), std::log(500.0));
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c) {
      Polygon p;
      p.Nodes = {grid[c][r], grid[c + 1][r], grid[c + 1][r + 1], grid[c][r + 1]};
      p.Props[Polygons::PropShapeId] = int32_t{-1};
      p.Props[Polygons::PropResistivity] = std::exp(logRho(random));
      p.Props[Polygons::PropPolarizability] = 0.0;
      model[0].push_back(p);
    }
  ComputationMesh::TMeshModel bounds;
  bounds.XMin = left;
  bounds.XMax = right;
  bounds.ZMax = bottom;
  ComputationMesh::TMeshSettings settings;
  settings.HalfSpacing = Spacing / 2.0;
  settings.FactorX = 0.2 * refine;
  settings.FactorZ = 0.2 * refine;
  settings.StartXStep = 2.0 * Spacing / 3.0 * refine;
  settings.StartZStep = Spacing / 10.0 * refine;
  double offset = 0.0;
  std::string message;
  if (!ComputationMesh::BuildComputationMesh(bounds, settings, model, nodes, offset, message))
    std::fprintf(stderr, "mesh refused: %s\n", message.c_str());

  DC2dBEM::Electrodes = &survey.Electrodes;
  DC2dBEM::Survey = &survey.Sources;
  DC2dBEM::Poles = &survey.Poles;
  DC2dBEM::ElectrodeDistances = &survey.Distances;
  DC2dBEM::HostResistivity = 100.0;
  DC2dBEM::RMin = 0.03 * Spacing;
  DC2dBEM::GaussOrder = 4;
  DC2dBEM::UserWavenumbers = true;
  DC2dBEM::WavenumberCount = 8;
  DC2dBEM::GeometryChanged = true;
}

#ifndef KV_BENCH_NO_MAIN
int main() {
  TBenchSurvey survey;
  BuildBenchProblem(survey, 10, 2, 0.35);
  size_t data = 0;
  for (const osource& s : survey.Sources) data += s.P1.size();
  DC2dBEM::Hooks.ShowMessage = [](const std::string& m) { std::fprintf(stderr, "%s\n", m.c_str()); };

  // The first run also chooses the wavenumbers; time the second, a plain forward run.
  auto t0 = std::chrono::steady_clock::now();
  DC2dBEM::ForwardModel();
  const double first = Seconds(t0);
  t0 = std::chrono::steady_clock::now();
  DC2dBEM::ForwardModel();
  const double forward = Seconds(t0);
  const int32_t n = DC2dBEM::SystemSize;
  const size_t waves = DC2dBEM::Wavenumbers.size();
  std::printf("survey: %d electrodes, %zu data, %zu current electrodes; system size %d; %zu wavenumbers; %u threads\n",
              ElectrodeCount, data, survey.Poles.size(), n, waves, std::max(1u, std::thread::hardware_concurrency()));
  std::printf("wavenumbers: %zu (user count 8), largest fit deviation %.4f %% over %.4g..%.4g m\n", waves,
              100.0 * DC2dBEM::WavenumberFitDeviation, DC2dBEM::FitDistances.front(), DC2dBEM::FitDistances.back());
  std::printf("first run with the wavenumber choice: %.3f s\n", first);
  std::printf("forward run: %.3f s\n", forward);

  std::mt19937 random(1);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  std::vector<double> matrix(static_cast<size_t>(n) * n);
  for (double& v : matrix) v = uniform(random);
  for (int32_t i = 0; i < n; ++i) matrix[static_cast<size_t>(i) * n + i] += n;

  // The solver's own factorisation of the same size, on one thread.
  t0 = std::chrono::steady_clock::now();
  for (size_t w = 0; w < waves; ++w) {
    DC2dBEM::TMatrix A;
    A.N = n;
    A.Data = matrix;
    arofdoubleM d, c;
    DC2dBEM::QRDecompDense(A, d, c);
  }
  std::printf("own QR, %zu factorisations of %d: %.3f s\n", waves, n, Seconds(t0));
#ifdef KV_HAVE_LAPACK
  t0 = std::chrono::steady_clock::now();
  for (size_t w = 0; w < waves; ++w) {
    std::vector<double> a = matrix, tau(static_cast<size_t>(n));
    int info = 0, lwork = -1;
    double query = 0.0;
    dgeqrf_(&n, &n, a.data(), &n, tau.data(), &query, &lwork, &info);
    lwork = static_cast<int>(query);
    std::vector<double> work(static_cast<size_t>(std::max(1, lwork)));
    dgeqrf_(&n, &n, a.data(), &n, tau.data(), work.data(), &lwork, &info);
  }
  const double lapack = Seconds(t0);
  std::printf("LAPACK dgeqrf, %zu factorisations of %d: %.3f s\n", waves, n, lapack);
  std::printf("ratio forward / LAPACK QR: %.2f\n", forward / lapack);
#else
  std::printf("LAPACK not found: no reference factorisation\n");
#endif
  return 0;
}
#endif
