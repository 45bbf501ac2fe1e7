// The big-candle series.
#include "chart/extras/BigCandl.h"

#include "chart/engine/Chart.h"
#include "platform/rtl/SysUtils.h"

KV_CLASS_IMPL(TBigCandleSeries, TCandleSeries) {
  using S = TBigCandleSeries;
  c.Property("HorizGap", &S::GetHorizGap, &S::SetHorizGap).Default(20);
  c.Property("VertGap", &S::GetVertGap, &S::SetVertGap).Default(6);
}

TBigCandleSeries::TBigCandleSeries(TComponent* Owner) : TCandleSeries(Owner) {}

void TBigCandleSeries::Init() {
  TCandleSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->SetVisible(true);
    // Every mark shows a value: the points carry no labels.
    marks->SetStyle(smsValue);
    marks->SetArrowLength(0);
  }
}

void TBigCandleSeries::PaintMark(int32_t Index, const std::string& /*Text*/, TSeriesMarkPosition& Position) {
  if (Index < 0 || Index >= Count()) return;
  const int32_t w = Position.Width, h = Position.Height, x0 = Position.TopLeft.X;
  const int32_t dx = w / 2 + FHorizGap, dy = h + FVertGap;
  const auto mark = [&](double Value, int32_t Left, int32_t Top) {
    TSeriesMarkPosition p;
    p.Width = w;
    p.Height = h;
    p.TopLeft = TPoint(Left, Top);
    p.ArrowTip = p.ArrowTail = TPoint(Left + w / 2, Top + h);
    TChartSeries::PaintMark(Index, SysUtils::FormatFloat(GetValueFormat(), Value), p);
  };
  const int32_t yO = YValueToPixel(OpenValues()->GetValue(Index)), yC = YValueToPixel(CloseValues()->GetValue(Index));
  mark(OpenValues()->GetValue(Index), x0 - dx, yO - h / 2);
  mark(CloseValues()->GetValue(Index), x0 + dx, yC - h / 2);
  mark(HighValues()->GetValue(Index), x0 + dx, YValueToPixel(HighValues()->GetValue(Index)) - dy);
  mark(LowValues()->GetValue(Index), x0 + dx, YValueToPixel(LowValues()->GetValue(Index)) + FVertGap);
}

namespace BigCandl {

namespace {
const std::string kBigCandle = "Big Candle", kOther = "Other";
}  // namespace

void Initialize() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBigCandleSeries::StaticClass()))
    Chart::AddSeriesType(TBigCandleSeries::StaticClass(), &kBigCandle, &kOther, 1);
}

void Finalize() { Chart::RemoveSeriesTypes({TBigCandleSeries::StaticClass()}); }

}  // namespace BigCandl
