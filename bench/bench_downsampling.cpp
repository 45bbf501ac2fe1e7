// Times Douglas-Peucker down-sampling: the reduction of a noisy wave alone,
// and the down-sampling function refilling a series from a source of that
// many points, each for n and 2n points to show how the time grows.
//
//   bench_downsampling [points]   (default 1 000 000)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/extras/PlotDownSampling.h"
#include "chart/series/Series.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point From) { return std::chrono::duration<double>(Clock::now() - From).count(); }

// A sine wave over 50 periods with noise of 0.2.
void Wave(int Points, std::vector<double>& X, std::vector<double>& Y) {
  X.resize(static_cast<size_t>(Points));
  Y.resize(static_cast<size_t>(Points));
  uint32_t state = 12345;
  for (int i = 0; i < Points; ++i) {
    state = state * 1664525u + 1013904223u;
    X[static_cast<size_t>(i)] = i * (100 * M_PI / Points);
    Y[static_cast<size_t>(i)] = std::sin(X[static_cast<size_t>(i)]) + ((state >> 8) % 1000) / 1000.0 * 0.2;
  }
}

void Reduction(int Points) {
  std::vector<double> x, y;
  Wave(Points, x, y);
  const auto start = Clock::now();
  const std::vector<int32_t> kept = PlotDownSampling::DouglasPeucker(x.data(), y.data(), Points, 0.1);
  std::printf("Douglas-Peucker of %d points: %zu kept in %.3f s\n", Points, kept.size(), Seconds(start));
}

void Function(int Points) {
  auto* owner = new TComponent(nullptr);
  auto* chart = Create<TCustomAxisPanel>(owner);
  auto* source = Create<TLineSeries>(owner);
  chart->AddSeries(source);
  std::vector<double> x, y;
  Wave(Points, x, y);
  for (int i = 0; i < Points; ++i) source->AppendPoint(x[static_cast<size_t>(i)], y[static_cast<size_t>(i)]);
  auto* result = Create<TLineSeries>(owner);
  chart->AddSeries(result);
  auto* f = Create<TDownSamplingFunction>(owner);
  f->SetTolerance(0.1);
  result->SetFunction(f);
  const auto start = Clock::now();
  result->SetDataSource(source);
  std::printf("down-sampling function over %d points: %d points in %.3f s\n", Points, result->Count(),
              Seconds(start));
  owner->Free();
}

}  // namespace

int main(int argc, char** argv) {
  PlotConst::Initialize();
  const int n = argc > 1 ? std::atoi(argv[1]) : 1000000;
  for (int points : {n, 2 * n}) Reduction(points);
  for (int points : {n, 2 * n}) Function(points);
  return 0;
}
