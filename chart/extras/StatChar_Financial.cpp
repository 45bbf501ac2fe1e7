// The MACD and Bollinger band functions.
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/extras/CandleCh.h"
#include "chart/extras/StatChar.h"

namespace {

std::vector<double> SourceValues(const TChartValueList& List) {
  std::vector<double> v(List.Count());
  for (int32_t i = 0; i < List.Count(); ++i) v[i] = List.GetValue(i);
  return v;
}

}  // namespace

// ============================================================================
// MACD
// ============================================================================

KV_CLASS_IMPL(TMACDFunction, TPlotMovingFunction) {
  using F = TMACDFunction;
  c.Property("HistogramPen", &F::HistogramPen);
  c.Property("MACDExpPen", &F::MACDExpPen);
  c.Property("MACDPen", &F::MACDPen);
  c.Property("Period", &F::GetPeriod, &F::SetPeriod).Default(26.0);
  c.Property("Period2", &F::GetPeriod2, &F::SetPeriod2).Default(12.0);
  c.Property("Period3", &F::GetPeriod3, &F::SetPeriod3).Default(9);
  c.Editor("TMACDFuncEditor");
}

TMACDFunction::TMACDFunction(TComponent* Owner) : TPlotMovingFunction(Owner) {
  InternalSetPeriod(26);
  SingleSource = true;
  FSignal = Create<TFastLineSeries>(this);
  FSignal->SetSeriesColor(0x008000);
  FinancialAux::MakeAuxiliary(FSignal);
  auto* average = Create<TExpMovAveFunction>(nullptr);
  average->InternalSetPeriod(9);
  FSignal->SetFunction(average);
  FHistogram = Create<TVolumeSeries>(this);
  FHistogram->SetSeriesColor(0x0000FF);
  FHistogram->SetUseYOrigin(true);
  FHistogram->SetYOrigin(0);
  FinancialAux::MakeAuxiliary(FHistogram);
}

void TMACDFunction::SetPeriod2(double Value) {
  Value = std::max(1.0, Value);
  if (FPeriod2 == Value) return;
  FPeriod2 = Value;
  Recalculate();
}

int32_t TMACDFunction::GetPeriod3() const {
  return static_cast<int32_t>(std::nearbyint(FSignal->GetFunction()->GetPeriod()));
}

void TMACDFunction::SetPeriod3(int32_t Value) {
  FSignal->GetFunction()->SetPeriod(std::max(1, Value));
  if (ParentSeries() && FSignal->GetDataSource() == ParentSeries()) FSignal->AddValues(ParentSeries());
}

TChartPen* TMACDFunction::MACDPen() const { return ParentSeries() ? ParentSeries()->Pen() : nullptr; }
TChartPen* TMACDFunction::MACDExpPen() const { return FSignal->Pen(); }
TChartPen* TMACDFunction::HistogramPen() const { return FHistogram->LinePen(); }

void TMACDFunction::Clear() {
  FSignal->Clear();
  FHistogram->Clear();
}

void TMACDFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  if (Updating() || !Source || !result) return;
  if (result->Count() > 0) result->Clear();
  const std::vector<double> values = SourceValues(*ValueList(Source));
  // Periods below one point count as one, as the signal line's does.
  const std::vector<double> shortAverage = TExpMovAveFunction::Averages(values, std::max(1.0, FPeriod2));
  const std::vector<double> longAverage = TExpMovAveFunction::Averages(values, std::max(1.0, GetPeriod()));
  if (values.size() > 1 && shortAverage.size() == values.size() && longAverage.size() == values.size())
    for (size_t i = 0; i < values.size(); ++i)
      result->AppendPoint(Source->NotMandatoryList()->GetValue(static_cast<int32_t>(i)),
                          shortAverage[i] - longAverage[i]);
  FinancialAux::JoinResult(FSignal, result);
  if (result->GetSeriesColor() == clWhite) result->SetSeriesColor(0xFF0000);
  FSignal->SetDataSource(nullptr);
  FSignal->SetDataSource(result);
  // Refilled here too: without a chart nothing refreshes the line.
  FSignal->AddValues(result);
  if (!FHistogram->GetActive()) return;
  FinancialAux::JoinResult(FHistogram, result);
  FHistogram->BeginUpdate();
  FHistogram->Clear();
  for (int32_t i = 0; i < FSignal->Count() && i < result->Count(); ++i)
    FHistogram->AppendPoint(FSignal->GetXValue(i), result->GetYValue(i) - FSignal->GetYValue(i));
  FHistogram->EndUpdate();
}

// ============================================================================
// Bollinger bands
// ============================================================================

KV_CLASS_IMPL(TBollingerFunction, TPlotFunction) {
  using F = TBollingerFunction;
  c.Property("Deviation", &F::GetDeviation, &F::SetDeviation).Default(2.0);
  c.Property("Exponential", &F::GetExponential, &F::SetExponential).Default(true);
  c.Property("LowBandPen", &F::LowBandPen);
  c.Property("Period", &F::GetPeriod, &F::SetPeriod).Default(10.0);
  c.Property("UpperBandPen", &F::UpperBandPen);
  c.Editor("TBollingerFuncEditor");
}

TBollingerFunction::TBollingerFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(10);
  SingleSource = true;
  FLowBand = Create<TFastLineSeries>(this);
  FinancialAux::MakeAuxiliary(FLowBand);
}

void TBollingerFunction::SetDeviation(double Value) {
  if (FDeviation == Value) return;
  FDeviation = Value;
  Recalculate();
}

void TBollingerFunction::SetExponential(bool Value) {
  if (FExponential == Value) return;
  FExponential = Value;
  Recalculate();
}

TChartPen* TBollingerFunction::UpperBandPen() const { return ParentSeries() ? ParentSeries()->Pen() : nullptr; }
TChartPen* TBollingerFunction::LowBandPen() const { return FLowBand->Pen(); }

void TBollingerFunction::Clear() { FLowBand->Clear(); }

void TBollingerFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  if (Updating() || !Source || !result) return;
  FinancialAux::JoinResult(FLowBand, result);
  FLowBand->SetSeriesColor(result->GetSeriesColor());
  if (result->SameClass(*FLowBand)) FLowBand->SetPen(result->Pen());
  if (!(GetPeriod() > 0)) {
    result->Clear();
    FLowBand->Clear();
    return;
  }
  AddBand(Source, result, FDeviation);
  AddBand(Source, FLowBand, -FDeviation);
}

void TBollingerFunction::AddBand(TChartSeries* Source, TChartSeries* Target, double Factor) {
  Target->Clear();
  const std::vector<double> v = SourceValues(*ValueList(Source));
  const double rounded = std::nearbyint(GetPeriod());
  const auto n = static_cast<int64_t>(v.size());
  if (!(rounded >= 1) || rounded > static_cast<double>(n)) return;
  const auto p = static_cast<int64_t>(rounded);
  // The middle line: one exponential average per point, or one simple
  // average per complete window (starting at the window's first point).
  std::vector<double> middle;
  if (FExponential) {
    middle = TExpMovAveFunction::Averages(v, GetPeriod());
    if (static_cast<int64_t>(middle.size()) != n) return;
  } else {
    double sum = 0;
    for (int64_t i = 0; i < n; ++i) {
      sum += v[i];
      if (i >= p) sum -= v[i - p];
      if (i >= p - 1) middle.push_back(sum / static_cast<double>(p));
    }
  }
  const auto pd = static_cast<double>(p);
  for (int64_t i = p; i <= n; ++i) {
    double s = 0, q = 0;
    for (int64_t k = i - p; k < i; ++k) s += v[k], q += v[k] * v[k];
    const double quotient = (pd * q - s * s) / (pd * pd);
    const double deviation = quotient > 0 ? std::sqrt(quotient) : 0;
    const double average = FExponential ? middle[i - 1] : middle[i - p];
    Target->AppendPoint(Source->NotMandatoryList()->GetValue(static_cast<int32_t>(i - 1)), deviation * Factor + average);
  }
}
