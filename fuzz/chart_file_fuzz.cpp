// Loads the input as a chart file (binary or text form) into a chart and paints it.
#include "chart/series/PlotStore.h"
#include "fuzz/ChartSupport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzSupport::StartCharts();
  TCustomChart* Chart = Create<TChart>(nullptr);
  try {
    TMemoryStream Stream;
    Stream.WriteString(FuzzSupport::Text(Data, Size));
    Stream.SetPosition(0);
    PlotStore::ReadPlotStream(Chart, Stream, true, nullptr);
    FuzzSupport::Paint(Chart);
  } catch (const Exception&) {
  }
  if (Chart) Chart->Free();
  return 0;
}
