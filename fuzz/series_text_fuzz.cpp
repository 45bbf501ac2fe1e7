// Feeds arbitrary bytes as a series style text to series of every kind that
// has a class part (line, bar, error, error-bar, high-low, pie): a text may
// be refused or raise the engine's exceptions, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/Series.h"

namespace {

struct TTargets {
  TComponent* Owner = new TComponent(nullptr);
  TCustomAxisPanel* Chart = Create<TCustomAxisPanel>(Owner);
  std::vector<TChartSeries*> Series;
  TTargets() {
    PlotConst::Initialize();
    PlotEngine::Initialization();
    Chart::Initialize();
    Series::Initialization();
    ErrorBar::Initialization();
    for (TChartSeries* s : std::initializer_list<TChartSeries*>{
             Create<TLineSeries>(Owner), Create<TBarSeries>(Owner), Create<TErrorSeries>(Owner),
             Create<TErrorBarSeries>(Owner), Create<THighLowSeries>(Owner), Create<TPieSeries>(Owner)}) {
      Chart->AddSeries(s);
      Series.push_back(s);
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TTargets targets;
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  for (TChartSeries* s : targets.Series) {
    try {
      Series::SeriesFromText(s, text);
    } catch (const Exception&) {
      // A malformed field is reported by the engine's exception.
    }
  }
  return 0;
}
