// Loads the input as a chart file holding the shape family of series (shape,
// Gantt, arrow, bubble, Bezier, donut, line point, bar join, image bar, image
// and delta point, pyramid, funnel, volume pipe) and paints it flat and in 3-D.
#include "chart/extras/ArrowCha.h"
#include "chart/extras/BubbleCh.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/GanttCh.h"
#include "chart/extras/ImaPoint.h"
#include "chart/extras/ImageBar.h"
#include "chart/extras/MyPoint.h"
#include "chart/extras/PlotBezie.h"
#include "chart/extras/PlotDonut.h"
#include "chart/extras/PlotFunnel.h"
#include "chart/extras/PlotPyramid.h"
#include "chart/extras/PlotShape.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/series/PlotStore.h"
#include "fuzz/ChartSupport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzSupport::StartCharts();
  static const bool Registered = [] {
    ExtrasUnits::Initialization();
    return true;
  }();
  (void)Registered;
  TCustomChart* Chart = Create<TChart>(nullptr);
  try {
    TMemoryStream Stream;
    Stream.WriteString(FuzzSupport::Text(Data, Size));
    Stream.SetPosition(0);
    PlotStore::ReadPlotStream(Chart, Stream, true, nullptr);
    FuzzSupport::Paint(Chart);
    Chart->SetView3D(!Chart->GetView3D());
    FuzzSupport::Paint(Chart);
  } catch (const Exception&) {
  }
  if (Chart) Chart->Free();
  return 0;
}
