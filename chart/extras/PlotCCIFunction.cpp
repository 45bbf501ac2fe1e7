// The commodity channel index function.
#include "chart/extras/PlotCCIFunction.h"

#include <cmath>
#include <vector>

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TCCIFunction, TPlotFunction) {
  c.Property("Constant", &TCCIFunction::GetConstant, &TCCIFunction::SetConstant).Default(0.015);
  c.Property("Period", &TCCIFunction::GetPeriod, &TCCIFunction::SetPeriod).Default(20.0);
  c.Editor("TCCIFuncEditor");
}

TCCIFunction::TCCIFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(20);
  SingleSource = true;
  FixedValueList = true;
}

bool TCCIFunction::AcceptsSource(TChartSeries* Series) const { return dynamic_cast<TOHLCSeries*>(Series) != nullptr; }

void TCCIFunction::SetConstant(double Value) {
  if (FConstant == Value) return;
  FConstant = Value;
  Recalculate();
}

void TCCIFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  if (Updating() || !ohlc || !result) return;
  result->Clear();
  const double rounded = std::nearbyint(GetPeriod());
  const int32_t n = ohlc->Count();
  if (!(rounded >= 1) || rounded > n) return;
  const auto p = static_cast<int32_t>(rounded);
  std::vector<double> typical(n);
  for (int32_t i = 0; i < n; ++i)
    typical[i] =
        (ohlc->CloseValues()->GetValue(i) + ohlc->HighValues()->GetValue(i) + ohlc->LowValues()->GetValue(i)) / 3;
  const double c = FConstant == 0 ? 1 : FConstant;
  for (int32_t i = p - 1; i < n; ++i) {
    double sum = 0;
    for (int32_t k = i - p + 1; k <= i; ++k) sum += typical[k];
    const double average = sum / p;
    double deviation = 0;
    for (int32_t k = i - p + 1; k <= i; ++k) deviation += std::abs(typical[k] - average) / p;
    if (deviation != 0) result->AppendPoint(ohlc->XValues()->GetValue(i), (typical[i] - average) / (deviation * c));
  }
}

namespace PlotCCIFunction {

namespace {
const std::string kCCI = "Commodity\rChannel Index", kFinancial = "Financial";
}  // namespace

void Initialize() {
  Finalize();
  Chart::AddFunctionType(TCCIFunction::StaticClass(), &kCCI, &kFinancial, 1);
}

void Finalize() { Chart::RemoveFunctionTypes({TCCIFunction::StaticClass()}); }

}  // namespace PlotCCIFunction
