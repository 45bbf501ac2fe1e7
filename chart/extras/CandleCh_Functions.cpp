// The average directional index and relative strength index functions, the
// auxiliary series of the financial functions, and the unit's registration.
#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/extras/CandleCh.h"

namespace FinancialAux {

void MakeAuxiliary(TChartSeries* Series) {
  Series->SetShowInLegend(false);
  Series->ShowInEditor = false;
  Series->Hidden = true;
}

void JoinResult(TChartSeries* Aux, TChartSeries* Result) {
  Aux->SetParentChart(Result->GetParentChart());
  Aux->SetCustomVertAxis(Result->GetCustomVertAxis());
  Aux->SetVertAxis(Result->GetVertAxis());
  Aux->XValues()->SetDateTime(Result->XValues()->GetDateTime());
  Aux->AfterDrawValues = Result->AfterDrawValues;
  Aux->BeforeDrawValues = Result->BeforeDrawValues;
}

}  // namespace FinancialAux

// ============================================================================
// ADX
// ============================================================================

KV_CLASS_IMPL(TADXFunction, TPlotFunction) {
  using F = TADXFunction;
  c.Property("DownLinePen", &F::DownLinePen);
  c.Property("Period", &F::GetPeriod, &F::SetPeriod).Default(14.0);
  c.Property("UpLinePen", &F::UpLinePen);
  c.Editor("TADXFuncEditor");
}

TADXFunction::TADXFunction(TComponent* Owner) : TPlotFunction(Owner) {
  InternalSetPeriod(14);
  SingleSource = true;
  FixedValueList = true;
  FUp = Create<TFastLineSeries>(this);
  FUp->SetSeriesColor(0x008000);
  FDown = Create<TFastLineSeries>(this);
  FDown->SetSeriesColor(0x0000FF);
  FinancialAux::MakeAuxiliary(FUp);
  FinancialAux::MakeAuxiliary(FDown);
}

TChartPen* TADXFunction::UpLinePen() const { return FUp->Pen(); }
TChartPen* TADXFunction::DownLinePen() const { return FDown->Pen(); }

bool TADXFunction::AcceptsSource(TChartSeries* Series) const { return dynamic_cast<TOHLCSeries*>(Series) != nullptr; }

void TADXFunction::AddPoints(TChartSeries* Source) {
  TChartSeries* result = ParentSeries();
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  if (Updating() || !ohlc || !result || !(GetPeriod() >= 2)) return;
  result->Clear();
  FUp->Clear();
  FDown->Clear();
  FinancialAux::JoinResult(FUp, result);
  FinancialAux::JoinResult(FDown, result);
  const int32_t n = Source->Count();
  if (2 * GetPeriod() > n) return;
  const double period = GetPeriod();
  const auto p = static_cast<int32_t>(std::nearbyint(period));
  const TChartValueList &high = *ohlc->HighValues(), &low = *ohlc->LowValues(), &close = *ohlc->CloseValues();
  const TChartValueList& x = *Source->XValues();
  std::vector<double> tr(n, 0), plusDM(n, 0), minusDM(n, 0);
  for (int32_t i = 1; i < n; ++i) {
    tr[i] = std::max({high[i] - low[i], std::abs(high[i] - close[i - 1]), std::abs(low[i] - close[i - 1])});
    const double up = high[i] - high[i - 1], down = low[i - 1] - low[i];
    plusDM[i] = down >= up ? 0 : std::max(up, 0.0);
    minusDM[i] = up >= down ? 0 : std::max(down, 0.0);
  }
  std::vector<double> dx(n, 0);
  double sumTR = 0, sumPlus = 0, sumMinus = 0;
  for (int32_t i = p; i < n; ++i) {
    if (i == p) {
      for (int32_t k = 1; k <= p; ++k) sumTR += tr[k], sumPlus += plusDM[k], sumMinus += minusDM[k];
    } else {
      sumTR = sumTR - sumTR / period + tr[i];
      sumPlus = sumPlus - sumPlus / period + plusDM[i];
      sumMinus = sumMinus - sumMinus / period + minusDM[i];
    }
    // No true range at all: no direction either (not a division by zero).
    const double plusDI = sumTR == 0 ? 0 : sumPlus / sumTR * 100;
    const double minusDI = sumTR == 0 ? 0 : sumMinus / sumTR * 100;
    FUp->AppendPoint(x[i], plusDI);
    FDown->AppendPoint(x[i], minusDI);
    dx[i] = plusDI + minusDI == 0 ? 0 : std::abs(plusDI - minusDI) * 100 / (plusDI + minusDI);
  }
  const int32_t g = 2 * p - 2;
  double adx = 0;
  for (int32_t i = g; i < n; ++i) {
    if (i == g) {
      for (int32_t k = p; k <= g; ++k) adx += dx[k];
      adx /= period - 1;
    } else {
      adx = (dx[i] + (period - 1) * adx) / period;
    }
    result->AppendPoint(x[i], adx);
  }
}

// ============================================================================
// RSI
// ============================================================================

KV_CLASS_IMPL(TRSIFunction, TPlotMovingFunction) {
  c.Property("Style", &TRSIFunction::GetStyle, &TRSIFunction::SetStyle)
      .Names({"rsiOpenClose", "rsiClose"})
      .Default(rsiOpenClose);
}

TRSIFunction::TRSIFunction(TComponent* Owner) : TPlotMovingFunction(Owner) {
  InternalSetPeriod(1);
  SingleSource = true;
  FixedValueList = true;
}

bool TRSIFunction::AcceptsSource(TChartSeries* Series) const { return dynamic_cast<TOHLCSeries*>(Series) != nullptr; }

void TRSIFunction::SetStyle(TRSIStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Recalculate();
}

double TRSIFunction::Calculate(TChartSeries* Source, int32_t First, int32_t Last) {
  // Looked up for every window: the source may have changed since the last.
  const TChartValueList* close = Source->ValueListByName("Close");
  const TChartValueList* open = Source->ValueListByName("Open");
  if (!close || First < 0 || Last < First || Last >= close->Count()) return 0;
  double gains = 0, losses = 0;
  if (FStyle == rsiClose) {
    for (int32_t i = First + 1; i <= Last; ++i) {
      const double change = (*close)[i] - (*close)[i - 1];
      (change >= 0 ? gains : losses) += std::abs(change);
    }
  } else {
    if (!open) return 0;
    for (int32_t i = First; i <= Last; ++i) {
      const double o = (*open)[i], c = (*close)[i];
      if (o > c)
        losses += o - c;
      else
        gains += c - o;
    }
  }
  const double n = Last - First + 1;
  const double averageLoss = losses / n;
  if (averageLoss == 0) return 100;
  return std::clamp(100 - 100 / (1 + std::abs((gains / n) / averageLoss)), 0.0, 100.0);
}

// ============================================================================
// Registration
// ============================================================================

namespace CandleCh {

namespace {
const std::string kCandle = "Candle", kVolume = "Volume", kFinancial = "Financial", kADX = "ADX", kRSI = "R.S.I.";
}  // namespace

void Initialize() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TCandleSeries::StaticClass())) {
    Chart::AddSeriesType(TCandleSeries::StaticClass(), &kCandle, &kFinancial, 1);
    Chart::AddSeriesType(TVolumeSeries::StaticClass(), &kVolume, &kFinancial, 1);
    Chart::AddFunctionType(TADXFunction::StaticClass(), &kADX, &kFinancial, 1);
    Chart::AddFunctionType(TRSIFunction::StaticClass(), &kRSI, &kFinancial, 1);
  }
}

void Finalize() {
  Chart::RemoveFunctionTypes({TADXFunction::StaticClass(), TRSIFunction::StaticClass()});
  Chart::RemoveSeriesTypes({TCandleSeries::StaticClass(), TVolumeSeries::StaticClass()});
}

}  // namespace CandleCh
