// Times the contouring of a pseudo-section of 4000 data points: triangulation, levels,
// and the rendering of the bands and isolines into the view's metafile picture (five
// times a 1920 x 1080 screen), then one replay of the picture as the chart shows it.
//
//   bench_pseudosection [points]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"
#include "views/Contouring.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A dipole-dipole line: stations every 2 m, each level one station shorter at both
// ends, apparent resistivity varying over two decades along the line and with depth.
void Fill(TContourMesh& mesh, int points) {
  const int levels = 16;
  const int stations = points / levels + 2 * levels;
  for (int level = 1; level <= levels && mesh.NextNode <= points; ++level)
    for (int s = level; s <= stations - level && mesh.NextNode <= points; ++s) {
      const double x = 2.0 * s, depth = 1.5 * level;
      const double rho = 100.0 * std::pow(10.0, std::sin(x / 40.0) * std::exp(-depth / 30.0));
      Contouring::AddNode(mesh, x, depth, rho, false);
    }
}

}  // namespace

int main(int argc, char** argv) {
  const int points = argc > 1 ? std::atoi(argv[1]) : 4000;
  if (points < 3) {
    std::fprintf(stderr, "bench_pseudosection: at least 3 points are needed\n");
    return 1;
  }
  Graphics::EnsureGuiApplication();
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
  start = Clock::now();
  Contouring::SetPlotCoordinates(mesh, {}, {});
  Contouring::SetPictureScale(mesh);
  TMetafile picture;
  Contouring::RenderPicture(mesh, levels, true, picture);
  const double render = Seconds(start);
  start = Clock::now();
  TBitmap shown(1200, 500);
  picture.Draw(*shown.GetCanvas(), TRect(0, 0, 1200, 500));
  const double replay = Seconds(start);

  std::printf("%d points, %d triangles, %d levels\n", mesh.NextNode - 1, mesh.TriangleCount, levels.LevNum);
  std::printf("triangulation %.3f s, levels %.6f s, rendering %.3f s (%zu bytes), replay %.3f s\n", triangulate,
              build, render, picture.SaveToBytes().size(), replay);
  return 0;
}
