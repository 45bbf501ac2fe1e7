// Times the nearest-point tool's search per mouse move over a series of
// 100 000 visible points (and of twice that many, to show how the time grows)
// and prints the time of one move, for points in X order and in none.
//
//   bench_nearest [points]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

namespace {

using Clock = std::chrono::steady_clock;

void Run(int points, bool ordered) {
  auto* chart = Create<TChart>(nullptr);
  chart->SetBounds(1200, 800);
  chart->SetView3D(false);
  auto* series = Create<TPointSeries>(chart);
  chart->AddSeries(series);
  // Without X order the search cannot walk out from the mouse and scans every point.
  if (!ordered) series->XValues()->SetOrder(loNone);
  series->BeginUpdate();
  for (int i = 0; i < points; ++i) series->AppendPoint(i, 500 + 400 * std::sin(i * 0.001));
  series->EndUpdate();
  TBitmap picture(1200, 800);
  chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 1200, 800));
  auto* tool = Create<TNearestTool>(chart);
  tool->SetParentChart(chart);
  tool->SetSeries(series);
  const int moves = 200;
  int32_t found = 0, distance = 0;
  const auto start = Clock::now();
  for (int m = 0; m < moves; ++m)
    found += TNearestTool::NearestPointOf(series, 100 + (m * 5) % 1000, 100 + (m * 3) % 600, distance) >= 0;
  const double perMove = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / moves;
  std::printf("%7d points in %s: %.3f ms per mouse move (%d of %d moves found a point)\n", points,
              ordered ? "X order" : "no order", perMove, found, moves);
  chart->Free();
}

}  // namespace

int main(int argc, char** argv) {
  const int points = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (points < 1) {
    std::fprintf(stderr, "bench_nearest: at least 1 point is needed\n");
    return 1;
  }
  PlotConst::Initialize();
  for (bool ordered : {true, false}) {
    Run(points, ordered);
    Run(2 * points, ordered);
  }
  return 0;
}
