// Loads the input as a chart file holding the calendar series and the aid
// tools (data table, drag point, Gantt drag, pie slices, selector, series
// band, extra legend, page number, lighting) and paints it flat and in 3-D.
#include "chart/extras/ExtrasUnits.h"
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
