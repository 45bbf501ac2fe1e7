// The donut series.
#include "chart/extras/PlotDonut.h"

#include "chart/engine/Chart.h"

namespace {
constexpr int32_t kDefaultDonutPercent = 50;
}  // namespace

KV_CLASS_IMPL(TDonutSeries, TPieSeries) {
  c.Property("DonutPercent", &TDonutSeries::GetDonutPercent, &TDonutSeries::SetDonutPercent)
      .Default(kDefaultDonutPercent);
}

TDonutSeries::TDonutSeries(TComponent* Owner) : TPieSeries(Owner) { SetDonutPercent(kDefaultDonutPercent); }

void TDonutSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TDonutSeries*>(Source)) SetDonutPercent(s->GetDonutPercent());
  TPieSeries::Assign(Source);
  if (GetDonutPercent() <= 0) SetDonutPercent(kDefaultDonutPercent);
}

namespace PlotDonut {

namespace {
const std::string kDonut = "Donut", kExtended = "Extended";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TDonutSeries::StaticClass()))
    Chart::AddSeriesType(TDonutSeries::StaticClass(), &kDonut, &kExtended, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TDonutSeries::StaticClass()}); }

}  // namespace PlotDonut
