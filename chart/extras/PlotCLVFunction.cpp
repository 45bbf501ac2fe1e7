// The close location value function.
#include "chart/extras/PlotCLVFunction.h"

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TVolumeWeightedFunction, TPlotFunction) {
  c.Property("Period", &TVolumeWeightedFunction::GetPeriod, &TVolumeWeightedFunction::SetPeriod).Default(1.0);
  c.Property("Volume", &TVolumeWeightedFunction::GetVolume, &TVolumeWeightedFunction::SetVolume);
}

TVolumeWeightedFunction::TVolumeWeightedFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(1);
  PeriodUsable = false;
  SingleSource = true;
  FixedValueList = true;
}

void TVolumeWeightedFunction::BeforeDestruction() {
  if (FVolume) FVolume->RemoveFreeNotification(this);
  FVolume = nullptr;
  TPlotFunction::BeforeDestruction();
}

void TVolumeWeightedFunction::Notification(TComponent* Component, TOperation Operation) {
  TPlotFunction::Notification(Component, Operation);
  if (Operation == TOperation::opRemove && Component == FVolume) {
    FVolume = nullptr;
    Recalculate();
  }
}

bool TVolumeWeightedFunction::AcceptsSource(TChartSeries* Series) const {
  return dynamic_cast<TOHLCSeries*>(Series) != nullptr;
}

void TVolumeWeightedFunction::SetVolume(TChartSeries* Value) {
  if (FVolume == Value) return;
  if (FVolume) FVolume->RemoveFreeNotification(this);
  FVolume = Value;
  if (FVolume) FVolume->FreeNotification(this);
  Recalculate();
}

KV_CLASS_IMPL(TCLVFunction, TVolumeWeightedFunction) {
  c.Property("Accumulate", &TCLVFunction::GetAccumulate, &TCLVFunction::SetAccumulate).Default(true);
  c.Editor("TCLVFuncEditor");
}

TCLVFunction::TCLVFunction(TComponent* Owner) : TVolumeWeightedFunction(Owner) {}

void TCLVFunction::SetAccumulate(bool Value) {
  if (FAccumulate == Value) return;
  FAccumulate = Value;
  Recalculate();
}

void TCLVFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  if (Updating() || !ohlc || !result) return;
  result->Clear();
  TChartSeries* volume = GetVolume();
  for (int32_t i = 0; i < ohlc->Count(); ++i) {
    const double h = ohlc->HighValues()->GetValue(i), l = ohlc->LowValues()->GetValue(i),
                 c = ohlc->CloseValues()->GetValue(i);
    double v = h == l ? 1 : ((c - l) - (h - c)) / (h - l);
    if (volume && volume->Count() > i) v *= volume->MandatoryValue(i);
    if (FAccumulate && i > 0 && result->Count() > 0) v += result->YValues()->Last();
    result->AppendPoint(ohlc->XValues()->GetValue(i), v);
  }
}

namespace PlotCLVFunction {

namespace {
const std::string kCLV = "Close Location\rValue", kFinancial = "Financial";
}  // namespace

void Initialize() {
  Finalize();
  Chart::AddFunctionType(TCLVFunction::StaticClass(), &kCLV, &kFinancial, 1);
}

void Finalize() { Chart::RemoveFunctionTypes({TCLVFunction::StaticClass()}); }

}  // namespace PlotCLVFunction
