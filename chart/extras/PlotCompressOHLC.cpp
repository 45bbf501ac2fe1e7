// The compression function.
#include "chart/extras/PlotCompressOHLC.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/extras/CandleCh.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TCompressFunction, TPlotFunction) {
  using F = TCompressFunction;
  c.Property("Compress", &F::GetCompress, &F::SetCompress)
      .Names({"ocDay", "ocWeek", "ocMonth", "ocBiMonth", "ocQuarter", "ocYear", "ocSecond", "ocTenSecond", "ocMinute",
              "ocTwoMinutes", "ocFiveMinutes", "ocTenMinutes", "ocFifteenMinutes", "ocTwentyMinutes", "ocHalfHour",
              "ocHour", "ocTwoHours", "ocThreeHour", "ocSixHour", "ocTwelveHour"})
      .Default(ocWeek);
  c.Editor("TCompressFuncEditor");
}

TCompressFunction::TCompressFunction(TComponent* Owner) : TPlotFunction(Owner) {
  PeriodUsable = false;
  SingleSource = true;
  FixedValueList = true;
}

void TCompressFunction::SetCompress(TCompressionPeriod Value) {
  if (FCompress == Value) return;
  FCompress = Value;
  Recalculate();
}

namespace {

int64_t FloorDiv(int64_t A, int64_t B) { return A / B - ((A % B != 0) && ((A < 0) != (B < 0))); }

// Whole milliseconds since the date origin (0 for dates beyond year 9999).
int64_t Milliseconds(double Date) {
  if (!std::isfinite(Date) || std::fabs(Date) > 3.0e6) return 0;
  return std::llround(Date * 86400000.0);
}

}  // namespace

int64_t TCompressFunction::PeriodKey(TCompressionPeriod Compress, double Date) {
  const int64_t ms = Milliseconds(Date);
  const int64_t day = FloorDiv(ms, 86400000), second = FloorDiv(ms, 1000), minute = FloorDiv(second, 60),
                hour = FloorDiv(second, 3600);
  int year = 0, month = 0, dayOfMonth = 0;
  if (Compress >= ocMonth && Compress <= ocYear) SysUtils::DecodeDate(static_cast<double>(day), year, month, dayOfMonth);
  switch (Compress) {
    case ocDay: return day;
    // Day 0 was a Saturday: (day + 5) mod 7 counts the days since Monday.
    case ocWeek: return day - ((day + 5) % 7 + 7) % 7;
    case ocMonth: return int64_t(year) * 12 + month - 1;
    case ocBiMonth: return int64_t(year) * 6 + (month - 1) / 2;
    case ocQuarter: return int64_t(year) * 4 + (month - 1) / 3;
    case ocYear: return year;
    case ocSecond: return second;
    case ocTenSecond: return FloorDiv(second, 10);
    case ocMinute: return minute;
    case ocTwoMinutes: return FloorDiv(minute, 2);
    case ocFiveMinutes: return FloorDiv(minute, 5);
    case ocTenMinutes: return FloorDiv(minute, 10);
    case ocFifteenMinutes: return FloorDiv(minute, 15);
    case ocTwentyMinutes: return FloorDiv(minute, 20);
    case ocHalfHour: return FloorDiv(minute, 30);
    case ocHour: return hour;
    case ocTwoHours: return FloorDiv(hour, 2);
    case ocThreeHour: return FloorDiv(hour, 3);
    case ocSixHour: return FloorDiv(hour, 6);
    case ocTwelveHour: return FloorDiv(hour, 12);
  }
  return day;
}

void TCompressFunction::AddPoints(TChartSeries* Source) {
  auto* result = dynamic_cast<TOHLCSeries*>(ParentSeries());
  if (Updating() || !Source || !result) return;
  result->Clear();
  auto* ohlc = dynamic_cast<TOHLCSeries*>(Source);
  const TChartValueList* values = ValueList(Source);
  const double rounded = std::nearbyint(GetPeriod());
  const int64_t n = rounded >= 1 ? static_cast<int64_t>(std::min(rounded, 2147483647.0)) : 0;
  int64_t previous = 0;
  for (int32_t i = 0; i < Source->Count(); ++i) {
    const double date = Source->XValues()->GetValue(i);
    bool start = i == 0;
    if (n != 0) {
      start = start || i % n == 0;
    } else {
      double grouping = date;
      if (OnGetDate) OnGetDate(this, Source, i, grouping);
      const int64_t key = PeriodKey(FCompress, grouping);
      start = start || key != previous;
      previous = key;
    }
    const double v = ohlc ? 0 : values->GetValue(i);
    const double open = ohlc ? ohlc->OpenValues()->GetValue(i) : v, high = ohlc ? ohlc->HighValues()->GetValue(i) : v,
                 low = ohlc ? ohlc->LowValues()->GetValue(i) : v, close = ohlc ? ohlc->CloseValues()->GetValue(i) : v;
    const std::string label = Source->GetLabel(i);
    if (start) {
      const int32_t k = result->AddOpenHighLowClose(date, open, high, low, close);
      if (!label.empty()) result->SetLabel(k, label);
      continue;
    }
    const int32_t last = result->Count() - 1;
    result->CloseValues()->SetValue(last, close);
    result->SetXValue(last, date);
    result->HighValues()->SetValue(last, std::max(result->HighValues()->GetValue(last), high));
    result->LowValues()->SetValue(last, std::min(result->LowValues()->GetValue(last), low));
    result->SetLabel(last, label);
  }
}

void TCompressFunction::PrepareForGallery(TSeriesChart* Chart) {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(Chart);
  if (!panel) return;
  while (panel->SeriesCount() > 0) panel->GetSeries(0)->Free();
  TChartSeries* s = Chart::MakeSeries(panel->Owner(), panel, TCandleSeries::StaticClass(), TCompressFunction::StaticClass());
  s->PrepareForGallery(true);
}

namespace PlotCompressOHLC {

namespace {
const std::string kCompression = "Compression", kFinancial = "Financial";
}  // namespace

void Initialize() {
  Finalize();
  Chart::AddFunctionType(TCompressFunction::StaticClass(), &kCompression, &kFinancial, 1);
}

void Finalize() { Chart::RemoveFunctionTypes({TCompressFunction::StaticClass()}); }

}  // namespace PlotCompressOHLC
