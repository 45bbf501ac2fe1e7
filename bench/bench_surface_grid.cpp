// Times the grid series on a smooth hill-and-valley grid: a contour map of
// an n x n grid with 20 levels (indexed, traced, joined, smoothed and drawn in
// 2-D) and a 3-D surface of an m x m grid drawn, each for a grid and for one
// of twice as many cells, to show how the time grows.
//
//   bench_surface_grid [contour side] [surface side]   (defaults 200, 100)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point From) { return std::chrono::duration<double>(Clock::now() - From).count(); }

template <class T>
T* GridOf(TChart* Chart, int Side) {
  auto* s = Create<T>(Chart);
  Chart->AddSeries(s);
  for (int z = 1; z <= Side; ++z)
    for (int x = 1; x <= Side; ++x) {
      const double u = 6.0 * x / Side, v = 6.0 * z / Side;
      s->AddPointXYZ(x, std::sin(u) * std::cos(v) + 0.3 * std::sin(2 * u + v), z);
    }
  return s;
}

// A whole draw of the chart (the series prepares, indexes and draws; the
// axes are a small part), averaged over Repeats draws after a first one.
double TimeDraw(TChart* Chart, TBitmap& Picture, int Repeats) {
  Chart->DrawTo(*Picture.GetCanvas(), TRect(0, 0, Picture.GetWidth(), Picture.GetHeight()));
  const auto start = Clock::now();
  for (int i = 0; i < Repeats; ++i)
    Chart->DrawTo(*Picture.GetCanvas(), TRect(0, 0, Picture.GetWidth(), Picture.GetHeight()));
  return Seconds(start) / Repeats;
}

void Contour(int Side) {
  auto* chart = Create<TChart>(nullptr);
  chart->SetBounds(800, 600);
  chart->SetView3D(false);
  TBitmap picture(800, 600);
  auto* s = GridOf<TContourSeries>(chart, Side);
  s->SetNumLevels(20);
  s->Smoothing()->SetActive(true);
  const double t = TimeDraw(chart, picture, 5);
  size_t lines = 0;
  for (int32_t k = 0; k < s->Levels()->Count(); ++k) lines += s->Levels()->GetItem(k)->Segments.size();
  std::printf("contour %d x %d, 20 levels: %zu polylines in %.1f ms\n", Side, Side, lines, 1000 * t);
  chart->Free();
}

void Surface(int Side) {
  auto* chart = Create<TChart>(nullptr);
  chart->SetBounds(800, 600);
  chart->SetView3D(true);
  chart->View3DOptions()->SetOrthogonal(false);
  TBitmap picture(800, 600);
  GridOf<TSurfaceSeries>(chart, Side);
  const double t = TimeDraw(chart, picture, 5);
  std::printf("surface %d x %d: %d cells drawn in %.1f ms\n", Side, Side, (Side - 1) * (Side - 1), 1000 * t);
  chart->Free();
}

}  // namespace

int main(int argc, char** argv) {
  Forms::EnsureToolkit();
  PlotConst::Initialize();
  PlotProcs::SetDefaultPalette();
  const int contour = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
  const int surface = argc > 2 ? std::max(2, std::atoi(argv[2])) : 100;
  // n and 2n cells: the side grows by the square root of two.
  for (int side : {contour, static_cast<int>(std::lround(contour * std::sqrt(2.0)))}) Contour(side);
  for (int side : {surface, static_cast<int>(std::lround(surface * std::sqrt(2.0)))}) Surface(side);
  return 0;
}
