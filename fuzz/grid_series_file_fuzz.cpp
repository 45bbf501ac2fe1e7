// Loads the input as a chart file holding the 3-D grid series (surface,
// water fall, contour, colour grid, tower) and the 3-D vector series, and
// paints it flat and in 3-D, so that stored grid sizes, levels and values
// reach the grid index, the cell tracing and the drawing.
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotSurfaGrid.h"
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
    for (int32_t i = 0; i < Chart->SeriesCount(); ++i) Chart->GetSeries(i)->PointAtPixel(160, 120);
  } catch (const Exception&) {
  }
  if (Chart) Chart->Free();
  return 0;
}
