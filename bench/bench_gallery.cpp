// Times the series gallery: the tabbed dialog's "Standard" page of smooth
// sample charts built and painted, and a median over a whole source series,
// each for n and 2n (charts or points) to show how the time grows.
//
//   bench_gallery [points]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotFunci.h"
#include "chart/series/PlotGalleryPanel.h"
#include "chart/series/Series.h"
#include "platform/ui/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point From) { return std::chrono::duration<double>(Clock::now() - From).count(); }

// Builds the "Standard" page Copies times over in a 417 x 300 panel and paints every chart.
double GalleryPage(int Copies) {
  auto* Panel = Create<TChartGalleryPanel>(nullptr);
  Panel->SetBounds(0, 0, 417, 300);
  Panel->SetSmooth(true);
  const auto Start = Clock::now();
  int Charts = 0;
  for (int c = 0; c < Copies; ++c) {
    Panel->CreateChartsForPage("Standard");
    for (int k = 0; k < Panel->Charts().Count(); ++k) {
      TGalleryChartWindow* W = Panel->Charts().GetChart(k)->Window;
      TBitmap B(W->GetWidth(), W->GetHeight());
      W->PaintTo(B);
      ++Charts;
    }
  }
  const double T = Seconds(Start);
  Panel->SetSmooth(false);
  Panel->Free();
  std::printf("gallery page x%d: %d charts built and painted in %.3f s\n", Copies, Charts, T);
  return T;
}

void Median(int Points) {
  auto* Owner = new TComponent(nullptr);
  auto* Source = Create<TLineSeries>(Owner);
  uint32_t State = 12345;
  for (int i = 0; i < Points; ++i) {
    State = State * 1664525u + 1013904223u;
    Source->AppendPoint(i, static_cast<double>(State % 100000));
  }
  auto* F = Create<TMedianPlotFunction>(Owner);
  const auto Start = Clock::now();
  const double M = F->Calculate(Source, -1, -1);
  std::printf("median of %d points: %.1f in %.3f s\n", Points, M, Seconds(Start));
  Owner->Free();
}

}  // namespace

int main(int argc, char** argv) {
  const int Points = argc > 1 ? std::atoi(argv[1]) : 1000000;
  Forms::EnsureToolkit();
  PlotConst::Initialize();
  PlotProcs::SetDefaultPalette();
  Series::Initialization();
  GalleryPage(1);
  GalleryPage(2);
  Median(Points);
  Median(2 * Points);
  return 0;
}
