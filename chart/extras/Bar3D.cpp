// The bar series with per-point offsets.
#include "chart/extras/Bar3D.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"

KV_CLASS_IMPL(TBar3DSeries, TBarSeries) {
  c.Property("OffsetValues", &TBar3DSeries::OffsetValues, &TBar3DSeries::SetOffsetValues);
}

TBar3DSeries::TBar3DSeries(TComponent* Owner) : TBarSeries(Owner) {
  FOffsetValues = new TChartValueList(this, "Offset");
}

int32_t TBar3DSeries::AddBar(double X, double Y, double Offset, const std::string& Label, TColor Colour) {
  FOffsetValues->TempValue = Offset;
  return AppendPoint(X, Y, Label, Colour);
}

double TBar3DSeries::GetOriginValue(int32_t Index) const {
  return TBarSeries::GetOriginValue(Index) + FOffsetValues->GetValue(Index);
}

double TBar3DSeries::PointOrigin(int32_t ValueIndex, bool /*SumAll*/) const {
  return ValueIndex >= 0 && ValueIndex < Count() ? FOffsetValues->GetValue(ValueIndex) : 0;
}

double TBar3DSeries::LargestY() {
  const double r = TBarSeries::LargestY();
  if ((FMultiBar == mbNone || FMultiBar == mbSide) && Count() > 0) return std::max(r, FOffsetValues->MaxValue());
  return r;
}

double TBar3DSeries::SmallestY() {
  double r = TBarSeries::SmallestY();
  if (FMultiBar == mbNone || FMultiBar == mbSide)
    for (int32_t i = 0; i < Count(); ++i)
      if (const double o = FOffsetValues->GetValue(i); o < 0) r = std::min(r, GetYValue(i) + o);
  return r;
}

int32_t TBar3DSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double span = maxY - minY;
  const double dy = std::clamp(std::nearbyint(span), 0.0, 2147483647.0);
  double x = minX;
  int32_t last = Count() - 1;
  for (int32_t i = 0; i < N; ++i) {
    const double y = std::abs(static_cast<double>(RandomValue(static_cast<int32_t>(dy)))) + 10;
    const double k = RandomValue(5);
    last = AddBar(x, y, std::abs(span / (k + 1)));
    x += step;
  }
  return last;
}

namespace Bar3D {

namespace {
const std::string kBar3D = "Bar 3D", kOther = "Other";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBar3DSeries::StaticClass()))
    Chart::AddSeriesType(TBar3DSeries::StaticClass(), &kBar3D, &kOther, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TBar3DSeries::StaticClass()}); }

}  // namespace Bar3D
