// The count function.
#include "chart/extras/PlotCount.h"

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TCountPlotFunction, TPlotFunction) {}

double TCountPlotFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  if (First == -1) return ValueList(Source)->Count();
  return Last - First + 1;
}

double TCountPlotFunction::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  int32_t n = 0;
  for (TComponent* c : Sources.Items())
    if (auto* s = dynamic_cast<TChartSeries*>(c); s && ValueList(s)->Count() > Index) ++n;
  return n;
}

namespace PlotCount {

namespace {
const std::string kCount = "Count";
}  // namespace

void Initialize() { Chart::AddStandardFunctionType(TCountPlotFunction::StaticClass(), &kCount); }

void Finalize() { Chart::RemoveFunctionTypes({TCountPlotFunction::StaticClass()}); }

}  // namespace PlotCount
