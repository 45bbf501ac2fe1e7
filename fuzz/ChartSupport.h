// Start-up of the chart library for the fuzz targets that read chart data, and
// a paint of the chart, so that stored values reach the drawing arithmetic.
#pragma once

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"

namespace FuzzSupport {

inline void StartCharts() {
  static const bool Started = [] {
    PlotConst::Initialize();
    Chart::Initialize();
    Series::RegisterStandardSeries();
    return true;
  }();
  (void)Started;
}

inline void Paint(TCustomChart* Chart) {
  TBitmap Picture(320, 240);
  Chart->DrawTo(*Picture.GetCanvas(), TRect(0, 0, 320, 240));
}

}  // namespace FuzzSupport
