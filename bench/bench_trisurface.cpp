// Times the triangulation of a triangle surface of scattered points, for n
// and 2n points to show how the time grows.
//
//   bench_trisurface [points]   (default 2 000)
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "chart/engine/PlotConst.h"
#include "chart/extras/PlotTriSurface.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point From) { return std::chrono::duration<double>(Clock::now() - From).count(); }

void Triangulation(int Points) {
  auto* owner = new TComponent(nullptr);
  auto* s = Create<TTriSurfaceSeries>(owner);
  uint32_t state = 987654321u;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % 100000 / 1000.0;
  };
  for (int i = 0; i < Points; ++i) {
    const double x = next(), z = next();
    s->AddPointXYZ(x, x * z, z);
  }
  const auto start = Clock::now();
  s->Triangulate();
  std::printf("triangulation of %d scattered points: %d triangles in %.3f s\n", Points, s->NumTriangles,
              Seconds(start));
  owner->Free();
}

}  // namespace

int main(int argc, char** argv) {
  PlotConst::Initialize();
  const int n = argc > 1 ? std::atoi(argv[1]) : 2000;
  for (int points : {n, 2 * n}) Triangulation(points);
  return 0;
}
