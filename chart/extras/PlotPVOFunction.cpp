// The percentage volume oscillator function.
#include "chart/extras/PlotPVOFunction.h"

#include <vector>

#include "chart/engine/Chart.h"
#include "chart/extras/StatChar.h"

KV_CLASS_IMPL(TPVOFunction, TPlotFunction) {
  c.Property("Percentage", &TPVOFunction::GetPercentage, &TPVOFunction::SetPercentage).Default(true);
  c.Property("Period", &TPVOFunction::GetPeriod, &TPVOFunction::SetPeriod).Default(12.0);
  c.Property("Period2", &TPVOFunction::GetPeriod2, &TPVOFunction::SetPeriod2).Default(26);
  c.Editor("TPVOFuncEditor");
}

TPVOFunction::TPVOFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(12);
  PeriodUsable = false;
  SingleSource = true;
  FixedValueList = true;
}

void TPVOFunction::SetPeriod2(int32_t Value) {
  FPeriod2 = Value;
  Recalculate();
}

void TPVOFunction::SetPercentage(bool Value) {
  FPercentage = Value;
  Recalculate();
}

void TPVOFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  if (Updating() || !Source || !result) return;
  result->Clear();
  if (!(GetPeriod() > 0)) return;
  const TChartValueList& y = *ValueList(Source);
  std::vector<double> values(Source->Count());
  for (int32_t i = 0; i < Source->Count(); ++i) values[i] = y.GetValue(i);
  const std::vector<double> shortAverage = TExpMovAveFunction::Averages(values, GetPeriod());
  const std::vector<double> longAverage = TExpMovAveFunction::Averages(values, FPeriod2);
  // An average shorter than the source (one point, or a period of 0) gives no points.
  if (shortAverage.size() != values.size() || longAverage.size() != values.size()) return;
  for (size_t i = 0; i < values.size(); ++i) {
    const double s = shortAverage[i], l = longAverage[i];
    if (FPercentage && l == 0) continue;
    const double d = FPercentage ? (s - l) / l : s - l;
    result->AppendPoint(Source->NotMandatoryList()->GetValue(static_cast<int32_t>(i)), d * 100);
  }
}

namespace PlotPVOFunction {

namespace {
const std::string kPVO = "Volume\rOscillator", kFinancial = "Financial";
}  // namespace

void Initialize() {
  Finalize();
  Chart::AddFunctionType(TPVOFunction::StaticClass(), &kPVO, &kFinancial, 1);
}

void Finalize() { Chart::RemoveFunctionTypes({TPVOFunction::StaticClass()}); }

}  // namespace PlotPVOFunction
