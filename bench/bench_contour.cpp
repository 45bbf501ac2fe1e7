// Times the contour triangulation and level building of a pseudo-section of 4000
// data points (and of twice that many, to show how the time grows) and prints them.
//
//   bench_contour [points]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "views/Contouring.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A dipole-dipole line: stations every 2 m, each level one station shorter at both
// ends, apparent resistivity varying smoothly along the line and with depth.
void Fill(TContourMesh& mesh, int points) {
  const int levels = 12;
  const int stations = points / levels + 2 * levels;
  for (int level = 1; level <= levels && mesh.NextNode <= points; ++level)
    for (int s = level; s <= stations - level && mesh.NextNode <= points; ++s) {
      const double x = 2.0 * s, depth = 1.5 * level;
      Contouring::AddNode(mesh, x, depth, 100 + 40 * std::sin(x / 60) + 3 * depth, false);
    }
}

void Run(int points) {
  TContourMesh mesh;
  mesh.PictureWidth = 5 * 1920;
  mesh.PictureHeight = 5 * 1080;
  Fill(mesh, points);
  TSectionContours levels;
  levels.LogScale = true;
  auto start = Clock::now();
  Contouring::Triangulate(mesh, levels, true);
  const double triangulate = Seconds(start);
  start = Clock::now();
  std::string warning;
  Contouring::BuildLevels(mesh, levels, warning);
  const double build = Seconds(start);
  std::printf("%6d points: %6d triangles, triangulation %.3f s, levels %.6f s\n", mesh.NextNode - 1,
              mesh.TriangleCount, triangulate, build);
}

}  // namespace

int main(int argc, char** argv) {
  const int points = argc > 1 ? std::atoi(argv[1]) : 4000;
  if (points < 3) {
    std::fprintf(stderr, "bench_contour: at least 3 points are needed\n");
    return 1;
  }
  Run(points);
  Run(2 * points);
  return 0;
}
