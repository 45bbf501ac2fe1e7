// The cumulative function.
#include "chart/extras/PlotCumu.h"

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TCumulative, TPlotFunction) {}

TCumulative::TCumulative(TComponent* Owner) : TPlotFunction(Owner) { InternalSetPeriod(1); }

double TCumulative::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  TChartValueList* values = ValueList(Source);
  if (First == -1) return values->Total();
  if (First < 0) return 0;
  double sum = 0;
  for (int32_t i = First; i <= Last; ++i) sum += values->GetValue(i);
  TChartSeries* parent = ParentSeries();
  if (First >= 1 && parent && parent->Count() > 0) sum += parent->MandatoryValue(parent->Count() - 1);
  return sum;
}

double TCumulative::CalculateMany(const TDataSourcesList& Sources, int32_t Index) {
  TChartSeries* parent = ParentSeries();
  double sum = Index > 0 && parent && parent->Count() >= Index ? parent->MandatoryValue(Index - 1) : 0;
  for (TComponent* c : Sources.Items())
    if (auto* s = dynamic_cast<TChartSeries*>(c); s && ValueList(s)->Count() > Index)
      sum += ValueList(s)->GetValue(Index);
  return sum;
}

namespace PlotCumu {

namespace {
const std::string kCumulative = "Cumulative", kExtended = "Extended";
}  // namespace

void Initialize() { Chart::AddFunctionType(TCumulative::StaticClass(), &kCumulative, &kExtended, 2); }

void Finalize() { Chart::RemoveFunctionTypes({TCumulative::StaticClass()}); }

}  // namespace PlotCumu
