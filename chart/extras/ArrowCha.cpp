// The arrow series.
#include "chart/extras/ArrowCha.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TArrowSeries, TPointSeries) {
  c.Editor("TArrowSeriesEditor");
  using S = TArrowSeries;
  c.Property("ArrowHeight", &S::GetArrowHeight, &S::SetArrowHeight).Stored(false);
  c.Property("ArrowPercent", &S::GetArrowPercent, &S::SetArrowPercent).Default(50);
  c.Property("ArrowWidth", &S::GetArrowWidth, &S::SetArrowWidth).Stored(false);
  c.Property("EndXValues", &S::EndXValues);
  c.Property("EndYValues", &S::EndYValues);
  c.Property("StartXValues", &S::StartXValues);
  c.Property("StartYValues", &S::StartYValues);
}

TArrowSeries::TArrowSeries(TComponent* Owner) : TPointSeries(Owner) {
  XValues()->SetDefaultDateTime(true);
  FEndXValues = new TChartValueList(this, "EndX");
  FEndXValues->SetDefaultDateTime(true);
  FEndYValues = new TChartValueList(this, "EndY");
  Pointer()->SetInflateMargins(false);
}

void TArrowSeries::Init() {
  TPointSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->Pen()->Hide();
    marks->SetTransparent(true);
  }
}

void TArrowSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TArrowSeries*>(Source)) FArrowPercent = s->FArrowPercent;
  TPointSeries::Assign(Source);
}

void TArrowSeries::SetEndXValues(const TChartValueList* Value) {
  FEndXValues->Assign(Value);
  Repaint();
}

void TArrowSeries::SetEndYValues(const TChartValueList* Value) {
  FEndYValues->Assign(Value);
  Repaint();
}

bool TArrowSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TArrowSeries*>(Component) != nullptr && TPointSeries::AcceptsDataSource(Component);
}

int32_t TArrowSeries::AddArrow(double X0, double Y0, double X1, double Y1, const std::string& Label, TColor Colour) {
  FEndXValues->TempValue = X1;
  FEndYValues->TempValue = Y1;
  return AppendPoint(X0, Y0, Label, Colour);
}

TPoint TArrowSeries::EndPixel(int32_t Index) const {
  return TPoint(XValueToPixel(FEndXValues->GetValue(Index)), YValueToPixel(FEndYValues->GetValue(Index)));
}

void TArrowSeries::DrawPoint(int32_t Index) {
  if (!FParentChart) return;
  TCanvas3D& c = ChartCanvas();
  const TColor colour = ValueColor(Index);
  const bool is3D = Chart3D();
  if (is3D)
    Pointer()->PrepareCanvas(c, colour);
  else
    c.UsePenColor(*Pointer()->Pen(), colour);
  // The canvas arrow draws nothing for a zero length and limits the head to
  // the arrow's length.
  c.Arrow(is3D, StartPixel(Index), EndPixel(Index), GetArrowWidth(), GetArrowHeight(), MiddleZ, FArrowPercent);
}

double TArrowSeries::LargestX() {
  const double v = TPointSeries::LargestX();
  return Count() > 0 ? std::max(v, FEndXValues->MaxValue()) : v;
}

double TArrowSeries::SmallestX() {
  const double v = TPointSeries::SmallestX();
  return Count() > 0 ? std::min(v, FEndXValues->MinValue()) : v;
}

double TArrowSeries::LargestY() {
  const double v = TPointSeries::LargestY();
  return Count() > 0 ? std::max(v, FEndYValues->MaxValue()) : v;
}

double TArrowSeries::SmallestY() {
  const double v = TPointSeries::SmallestY();
  return Count() > 0 ? std::min(v, FEndYValues->MinValue()) : v;
}

int32_t TArrowSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart || !GetHorizAxisRef() || !GetVertAxisRef()) return -1;
  const int32_t tolerance = std::max(1, Pen()->GetWidth());
  for (int32_t i = 0; i < Count(); ++i) {
    const TPoint a = StartPixel(i), b = EndPixel(i);
    if (PlotProcs::PointNearSegment(TPoint(X, Y), a.X, a.Y, b.X, b.Y, tolerance)) return i;
  }
  return -1;
}

void TArrowSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  // The point series' variants without the pointer styles: an arrow has none.
  TCustomSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Colors", "Marks", "Hollow", "No Border", "Gradient"}) Callback(v);
}

int32_t TArrowSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const auto limit = [](double V) { return static_cast<int32_t>(std::clamp(std::nearbyint(V), 0.0, 2147483647.0)); };
  const int32_t dx = limit(N * step), dy = limit(maxY - minY);
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    const double x0 = minX + RandomValue(dx), y0 = minY + RandomValue(dy);
    last = AddArrow(x0, y0, x0 + RandomValue(dx), y0 + RandomValue(dy));
  }
  return last;
}

void TArrowSeries::PrepareForGallery(bool Enabled) {
  TPointSeries::PrepareForGallery(Enabled);
  FillSampleValues(3);
  SetArrowWidth(12);
  SetArrowHeight(12);
  if (!Enabled) SetSeriesColor(TColor(12632256));
}

namespace ArrowCha {

namespace {
const std::string kArrow = "Arrow", kExtended = "Extended";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TArrowSeries::StaticClass()))
    Chart::AddSeriesType(TArrowSeries::StaticClass(), &kArrow, &kExtended, 2);
}

}  // namespace ArrowCha
