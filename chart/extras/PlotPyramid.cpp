// The pyramid series.
#include "chart/extras/PlotPyramid.h"

#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"

KV_CLASS_IMPL(TPyramidSeries, TChartSeries) {
  using S = TPyramidSeries;
  c.Property("Brush", &S::Brush);
  c.Property("Pen", &S::Pen);
  c.Property("SizePercent", &S::GetSizePercent, &S::SetSizePercent).Default(50);
  c.Property("XValues", &S::XValues);
  c.Property("YValues", &S::YValues);
}

TPyramidSeries::TPyramidSeries(TComponent* Owner) : TChartSeries(Owner) {
  SetColorEachPoint(true);
  // Every layer stands at the series' own place, whatever its X value.
  CalcVisiblePoints = false;
}

void TPyramidSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TPyramidSeries*>(Source)) FSizePercent = s->FSizePercent;
  TChartSeries::Assign(Source);
}

int32_t TPyramidSeries::SeriesIndex() const {
  return FParentChart ? FParentChart->GetSeriesList().IndexOf(this) : 0;
}

bool TPyramidSeries::DrawValuesForward() const {
  TChartAxis* v = GetVertAxisRef();
  return !(v && v->GetInverted());
}

double TPyramidSeries::Cumulated(int32_t Index) const {
  double sum = 0;
  for (int32_t i = 0; i <= Index && i < Count(); ++i) sum += std::fabs(GetYValue(i));
  return sum;
}

bool TPyramidSeries::CalcLayer(int32_t Index, TLayer& Layer) const {
  TChartAxis* h = GetHorizAxisRef();
  // Shares of the absolute total: a signed total can be 0 with values present.
  const double total = YValues()->TotalABS();
  if (!h || !(total > 0)) return false;
  const int32_t w = PlotCanvas::RoundToPixel(h->AxisLength * FSizePercent * 0.005);
  const int32_t cx = XValueToPixel(SeriesIndex());
  const int32_t depth = EndZ - StartZ;
  const double below = Cumulated(Index - 1), upTo = Cumulated(Index);
  const double eb = 100 - below * 100 / total;
  const int32_t hb = PlotCanvas::RoundToPixel(w * eb / 100);
  Layer.Rect = TRect(cx - hb, YValueToPixel(upTo), cx + hb, YValueToPixel(below));
  Layer.Inset = 100 - eb > 0 ? PlotCanvas::RoundToPixel((100 - eb) * depth * 0.005) : 0;
  const double et = 100 - upTo * 100 / total;
  Layer.TopHalfDepth = et >= 100 ? 0 : PlotCanvas::RoundToPixel(et * depth * 0.005);
  Layer.TopHalfWidth = PlotCanvas::RoundToPixel(w * et / 100);
  return true;
}

void TPyramidSeries::DrawPoint(int32_t Index) {
  if (IsNull(Index) || !FParentChart || !FParentChart->GetCanvas()) return;
  TLayer layer;
  if (!CalcLayer(Index, layer)) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  c.UseBrushColor(*Brush(), ValueColor(Index));
  c.UsePen(*Pen());
  if (FParentChart->GetView3D()) {
    c.TruncatedPyramid(layer.Rect, StartZ + layer.Inset, EndZ - layer.Inset, layer.TopHalfWidth,
                       layer.TopHalfDepth);
    return;
  }
  // Seen flat the truncated pyramid is its front trapezoid (a triangle at the apex).
  const TRect& r = layer.Rect;
  const int32_t cx = (r.Left + r.Right) / 2;
  const TPoint face[4] = {TPoint(r.Left, r.Bottom), TPoint(r.Right, r.Bottom), TPoint(cx + layer.TopHalfWidth, r.Top),
                          TPoint(cx - layer.TopHalfWidth, r.Top)};
  c.Polygon(face);
}

void TPyramidSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  // The mark stands over the layer's top, on the pyramid's axis.
  const int32_t dx = XValueToPixel(SeriesIndex()) - Position.ArrowTip.X;
  const int32_t dy = YValueToPixel(Cumulated(Index)) - Position.ArrowTip.Y;
  Position.TopLeft.X += dx, Position.TopLeft.Y += dy;
  Position.ArrowTip.X += dx, Position.ArrowTip.Y += dy;
  Position.ArrowTail.X += dx, Position.ArrowTail.Y += dy;
  TChartSeries::PaintMark(Index, Text, Position);
}

int32_t TPyramidSeries::PointAtPixel(int32_t X, int32_t Y) {
  for (int32_t i = 0; i < Count(); ++i) {
    if (IsNull(i)) continue;
    TLayer layer;
    if (!CalcLayer(i, layer)) return -1;
    if (PointInRect(NormalizeRect(layer.Rect), TPoint(X, Y))) return i;
  }
  return -1;
}

namespace PlotPyramid {

namespace {
const std::string kPyramid = "Pyramid", kExtended = "Extended";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TPyramidSeries::StaticClass()))
    Chart::AddSeriesType(TPyramidSeries::StaticClass(), &kPyramid, &kExtended, 2);
}

void Finalization() { Chart::RemoveSeriesTypes({TPyramidSeries::StaticClass()}); }

}  // namespace PlotPyramid
