// Loads the input as a chart file holding the financial series and functions
// (candles, volumes, point and figure, ADX, RSI, MACD, Bollinger bands,
// compression, CLV, OBV, CCI, PVO), refills the function series from the
// first series and paints the chart.
#include "chart/extras/FinancialUnits.h"
#include "chart/extras/StatChar.h"
#include "chart/series/PlotStore.h"
#include "fuzz/ChartSupport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  FuzzSupport::StartCharts();
  static const bool Started = [] {
    StatChar::Initialize();
    FinancialUnits::Initialize();
    return true;
  }();
  (void)Started;
  TCustomChart* Chart = Create<TChart>(nullptr);
  try {
    TMemoryStream Stream;
    Stream.WriteString(FuzzSupport::Text(Data, Size));
    Stream.SetPosition(0);
    PlotStore::ReadPlotStream(Chart, Stream, true, nullptr);
    // Function series compute from a source: give them the series with data.
    for (int32_t i = 1; Chart && i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i)->GetFunction() && !Chart->GetSeries(i)->Hidden)
        Chart->GetSeries(i)->SetDataSource(Chart->GetSeries(0));
    FuzzSupport::Paint(Chart);
  } catch (const Exception&) {
  }
  if (Chart) Chart->Free();
  return 0;
}
