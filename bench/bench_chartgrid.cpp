// Times, for a chart of 10 series of n points and of twice that many, binding
// the chart data grid to the chart together with its first paint, and one
// page of scrolling (a Page Down and the repaint it causes).
//
//   bench_chartgrid [points per series]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "chart/editors/PlotChartGrid.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"
#include "platform/ui/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point Since) { return std::chrono::duration<double, std::milli>(Clock::now() - Since).count(); }

void Run(int Points) {
  TForm* Form = Application->CreateForm<TForm>();
  Form->SetBounds(0, 0, 820, 620);
  auto* Chart = Create<TChart>(Form);
  for (int s = 0; s < 10; ++s) {
    auto* S = Create<TLineSeries>(Form);
    Chart->AddSeries(S);
    S->BeginUpdate();
    // Every other series carries X values of its own, so half the series show an X column.
    for (int i = 0; i < Points; ++i) S->AppendPoint(s % 2 ? i * 0.5 : i, (i * 7919 + s * 31) % 1000 * 0.1);
    S->EndUpdate();
  }
  auto* Grid = Create<TChartGrid>(Form);
  Grid->SetParent(Form);
  Grid->SetBounds(0, 0, 800, 600);
  // The grid paints into the picture its window shows (what a repaint costs,
  // without composing the window with its children).
  Grid->SetChart(nullptr);
  Grid->Paint();  // warm-up: fonts
  const auto BindStart = Clock::now();
  Grid->SetChart(Chart);
  Grid->Paint();
  const double Bind = Ms(BindStart);
  const int Pages = 20;
  const auto ScrollStart = Clock::now();
  for (int i = 0; i < Pages; ++i) {
    uint16_t Key = VK_NEXT;
    Grid->KeyDown(Key, {});
    Grid->Paint();
  }
  const double Page = Ms(ScrollStart) / Pages;
  std::printf("10 series x %7d points: bind and first paint %.1f ms, %.2f ms per page of scrolling (%d columns)\n",
              Points, Bind, Page, Grid->GetColCount());
  Form->Free();
}

}  // namespace

int main(int argc, char** argv) {
  const int Points = argc > 1 ? std::atoi(argv[1]) : 100000;
  if (Points < 1) {
    std::fprintf(stderr, "bench_chartgrid: at least 1 point is needed\n");
    return 1;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  Forms::EnsureToolkit();
  PlotConst::Initialize();
  PlotProcs::SetDefaultPalette();
  Series::Initialization();
  Run(Points);
  Run(2 * Points);
  return 0;
}
