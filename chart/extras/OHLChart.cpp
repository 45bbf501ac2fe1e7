// The open-high-low-close series base.
#include "chart/extras/OHLChart.h"

#include <algorithm>
#include <cmath>

KV_CLASS_IMPL(TOHLCSeries, TCustomSeries) {
  using S = TOHLCSeries;
  c.Property("CloseValues", &S::CloseValues);
  c.Property("DateValues", &S::DateValues);
  c.Property("HighValues", &S::HighValues);
  c.Property("LowValues", &S::LowValues);
  c.Property("OpenValues", &S::OpenValues);
}

TOHLCSeries::TOHLCSeries(TComponent* Owner) : TCustomSeries(Owner) {
  XValues()->SetName("Date");
  XValues()->SetDefaultDateTime(true);
  YValues()->SetName("Close");
  FHigh = new TChartValueList(this, "High");
  FLow = new TChartValueList(this, "Low");
  FOpen = new TChartValueList(this, "Open");
}

bool TOHLCSeries::AcceptsDataSource(TComponent* Component) const {
  if (GetFunction()) return TCustomSeries::AcceptsDataSource(Component);
  return dynamic_cast<TOHLCSeries*>(Component) != nullptr && TCustomSeries::AcceptsDataSource(Component);
}

int32_t TOHLCSeries::AddOpenHighLowClose(double Date, double Open, double High, double Low, double Close) {
  FHigh->TempValue = High;
  FLow->TempValue = Low;
  FOpen->TempValue = Open;
  return AppendPoint(Date, Close);
}

double TOHLCSeries::LargestY() {
  if (Count() == 0) return TCustomSeries::LargestY();
  return std::max({CloseValues()->MaxValue(), FHigh->MaxValue(), FLow->MaxValue(), FOpen->MaxValue()});
}

double TOHLCSeries::SmallestY() {
  if (Count() == 0) return TCustomSeries::SmallestY();
  return std::min({CloseValues()->MinValue(), FHigh->MinValue(), FLow->MinValue(), FOpen->MinValue()});
}

int32_t TOHLCSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double span = maxY - minY;
  const auto rnd = [this](double Below) {
    return RandomValue(static_cast<int32_t>(std::clamp(std::nearbyint(Below), 0.0, 2147483647.0)));
  };
  const double step = N > 1 ? (maxX - minX) / (N - 1) : 0;
  double open = rnd(span) + minY;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    const double close = open + rnd(span / 25) - span / 50;
    const double margin = std::nearbyint(3 * std::abs(close - open) / 10);
    const double high = std::max(open, close) + margin + rnd(span / 400);
    const double low = std::min(open, close) - margin - rnd(span / 400);
    last = AddOpenHighLowClose(minX + i * step, open, high, low, close);
    open = close + rnd(10) - 5;
  }
  return last;
}
