// The on-balance volume function.
#include "chart/extras/PlotOBVFunction.h"

#include <algorithm>

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TOBVFunction, TVolumeWeightedFunction) { c.Editor("TOBVFuncEditor"); }

TOBVFunction::TOBVFunction(TComponent* Owner) : TVolumeWeightedFunction(Owner) {}

void TOBVFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  TChartSeries* volume = GetVolume();
  if (Updating() || !ohlc || !result || !volume) return;
  result->Clear();
  const TChartValueList& close = *ohlc->CloseValues();
  const int32_t n = std::min(ohlc->Count(), volume->Count());
  double total = 0;
  for (int32_t i = 0; i < n; ++i) {
    const double w = volume->MandatoryValue(i);
    // Against the previous close; an unchanged close keeps the total.
    if (i == 0)
      total = w;
    else if (close[i] > close[i - 1])
      total += w;
    else if (close[i] < close[i - 1])
      total -= w;
    result->AppendPoint(ohlc->XValues()->GetValue(i), total);
  }
}

namespace PlotOBVFunction {

namespace {
const std::string kOBV = "On Balance\rVolume", kFinancial = "Financial";
}  // namespace

void Initialize() {
  Finalize();
  Chart::AddFunctionType(TOBVFunction::StaticClass(), &kOBV, &kFinancial, 1);
}

void Finalize() { Chart::RemoveFunctionTypes({TOBVFunction::StaticClass()}); }

}  // namespace PlotOBVFunction
