// Times the lighting tool following the mouse over a finished chart: one
// darkening of the whole picture per mouse move, for a 1000 x 700 chart and
// for one of twice the pixels, and prints the time of one move.
//
//   bench_lighting
#include <chrono>
#include <cstdio>

#include "chart/engine/PlotConst.h"
#include "chart/extras/PlotLighting.h"
#include "platform/gdi/Graphics.h"

namespace {

using Clock = std::chrono::steady_clock;

void Run(int32_t w, int32_t h) {
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(w, h);
  picture.GetCanvas()->Brush->SetColor(0x80C0E0);
  picture.GetCanvas()->FillRect(TRect(0, 0, w, h));
  TBitmap result;
  const int moves = 50;
  const auto start = Clock::now();
  for (int m = 0; m < moves; ++m)
    TLightTool::Apply(picture, result, TPoint((m * 37) % w, (m * 23) % h), 10, m % 2 ? lsLinear : lsSpotLight);
  const double perMove = std::chrono::duration<double, std::milli>(Clock::now() - start).count() / moves;
  std::printf("%5d x %4d pixels: %.3f ms per mouse move\n", w, h, perMove);
}

}  // namespace

int main() {
  PlotConst::Initialize();
  Run(1000, 700);
  Run(1414, 990);
  return 0;
}
