// Times a full redraw of the cells of a cell-grid section with a topography: n columns
// and n/2 rows (400 x 200 by default) in a 783 x 324 section, then 2n columns and n rows.
//
//   bench_section2d [columns]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/engine/PlotConst.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "views/Section2D.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from) {
  return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

double Time(int columns) {
  const int rows = columns / 2;
  auto* owner = new TComponent(nullptr);
  auto* view = Create<TTModelSection2d>(owner);
  for (int k = 0; k <= 20; ++k) {
    view->TopographyX.push_back(k * columns / 20.0);
    view->TopographyZ.push_back(0.05 * columns * std::sin(k / 3.0));
  }
  arofdoubleM xs, zs;
  for (int i = 0; i <= columns; ++i) xs.push_back(i);
  for (int j = 0; j <= rows; ++j) zs.push_back(j * 0.5);
  view->FixedBorders.assign(xs.size(), 0);
  view->SetColumnBorders(static_cast<int32_t>(xs.size()), &xs);
  view->UpdateSurfaceOffsets();
  view->SetRowBorders(static_cast<int32_t>(zs.size()), &zs);
  view->MinX = 0;
  view->MaxX = columns;
  view->MinZ = 0;
  view->MaxZ = zs.back() + view->MaxSurfaceOffset;
  view->Layers.assign(1, ararofdoubleM(columns, arofdoubleM(rows, 1.0)));
  for (int i = 0; i < columns; ++i)
    for (int j = 0; j < rows; ++j) view->Layers[0][i][j] = 1 + 9.0 * ((i / 7 + j / 5) % 2);
  view->LayerOrder = {0};
  view->Selected.assign(columns, arofboolM(rows, 0));
  view->FixedCells.assign(columns, arofboolM(rows, 0));
  view->CellBounds.assign(columns, arofcomplexM(rows, complexM{}));
  view->ExtentSeries->AppendPoint(view->MinX, view->MinZ);
  view->ExtentSeries->AppendPoint(view->MaxX, view->MaxZ);
  view->RedrawAll();
  double best = 1e30;
  for (int run = 0; run < 5; ++run) {
    const auto start = Clock::now();
    view->RedrawCells(nullptr);
    best = std::min(best, Milliseconds(start));
  }
  owner->Free();
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const int columns = argc > 1 ? std::atoi(argv[1]) : 400;
  if (columns < 4) {
    std::fprintf(stderr, "bench_section2d: at least 4 columns are needed\n");
    return 1;
  }
  Graphics::EnsureGuiApplication();
  PlotConst::Initialize();
  for (const int n : {columns, 2 * columns})
    std::printf("RedrawCells %d x %d cells: %.1f ms (best of 5)\n", n, n / 2, Time(n));
  return 0;
}
