// The bubble series.
#include "chart/extras/BubbleCh.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TBubbleSeries, TPointSeries) {
  c.Editor("TBubbleSeriesEditor");
  using S = TBubbleSeries;
  c.Property("RadiusValues", &S::RadiusValues);
  c.Property("Squared", &S::GetSquared, &S::SetSquared).Default(true);
}

TBubbleSeries::TBubbleSeries(TComponent* Owner) : TPointSeries(Owner) {
  FRadiusValues = new TChartValueList(this, "Radius");
  Pointer()->SetInflateMargins(false);
  Pointer()->SetStyle(TSeriesPointerStyle::psCircle);
  SetColorEachPoint(true);
}

void TBubbleSeries::Init() {
  TPointSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->Pen()->Hide();
    marks->SetTransparent(true);
  }
}

void TBubbleSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TBubbleSeries*>(Source)) FSquared = s->FSquared;
  TPointSeries::Assign(Source);
}

void TBubbleSeries::SetRadiusValues(const TChartValueList* Value) {
  FRadiusValues->Assign(Value);
  Repaint();
}

bool TBubbleSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TBubbleSeries*>(Component) != nullptr && TPointSeries::AcceptsDataSource(Component);
}

int32_t TBubbleSeries::AddBubble(double X, double Y, double Radius, const std::string& Label, TColor Colour) {
  FRadiusValues->TempValue = Radius;
  return AppendPoint(X, Y, Label, Colour);
}

void TBubbleSeries::PreparePointer(int32_t ValueIndex) {
  TChartAxis* v = GetVertAxisRef();
  TChartAxis* h = GetHorizAxisRef();
  if (!v || !h || ValueIndex < 0 || ValueIndex >= Count()) return;
  const double r = FRadiusValues->GetValue(ValueIndex);
  const int32_t vs = v->CalcSizeValue(r);
  Pointer()->PutVertSize(vs);
  Pointer()->PutHorizSize(FSquared ? vs : h->CalcSizeValue(r));
}

void TBubbleSeries::DrawPoint(int32_t Index) {
  if (!FParentChart) return;
  PreparePointer(Index);
  DrawPointerAt(PointPixelX(Index), PointPixelY(Index), Index, ValueColor(Index));
}

double TBubbleSeries::LargestY() {
  double r = TPointSeries::LargestY();
  for (int32_t i = 0; i < Count(); ++i) r = std::max(r, GetYValue(i) + FRadiusValues->GetValue(i));
  return r;
}

double TBubbleSeries::SmallestY() {
  double r = TPointSeries::SmallestY();
  for (int32_t i = 0; i < Count(); ++i) r = std::min(r, GetYValue(i) - FRadiusValues->GetValue(i));
  return r;
}

double TBubbleSeries::LargestZ() {
  if (!Pointer()->GetDraw3D() || Count() == 0) return TPointSeries::LargestZ();
  return FRadiusValues->MaxValue();
}

double TBubbleSeries::SmallestZ() {
  if (!Pointer()->GetDraw3D() || Count() == 0) return TPointSeries::SmallestZ();
  return -FRadiusValues->MaxValue();
}

bool TBubbleSeries::ClickedPointer(int32_t ValueIndex, int32_t PointX, int32_t PointY, int32_t MouseX,
                                   int32_t MouseY) {
  PreparePointer(ValueIndex);
  const int32_t h = Pointer()->GetHorizSize(), v = Pointer()->GetVertSize();
  const int32_t L = PointX - h, R = PointX + h, T = PointY - v, B = PointY + v;
  const TPoint p(MouseX, MouseY);
  using S = TSeriesPointerStyle;
  switch (PointerStyleOf(ValueIndex)) {
    case S::psCircle: return PlotProcs::PointInEllipse(p, L, T, R, B);
    case S::psTriangle: return PlotProcs::PointInTriangle(p, TPoint(L, B), TPoint(PointX, T), TPoint(R, B));
    case S::psDownTriangle: return PlotProcs::PointInTriangle(p, TPoint(L, T), TPoint(PointX, B), TPoint(R, T));
    case S::psDiamond:
      return PlotProcs::PointInPolygon(
          p, std::vector<TPoint>{TPoint(L, PointY), TPoint(PointX, T), TPoint(R, PointY), TPoint(PointX, B)});
    case S::psLeftTriangle: return PlotProcs::PointInTriangle(p, TPoint(R, T), TPoint(L, PointY), TPoint(R, B));
    case S::psRightTriangle: return PlotProcs::PointInTriangle(p, TPoint(L, T), TPoint(R, PointY), TPoint(L, B));
    case S::psNothing: return false;
    default: return std::abs(MouseX - PointX) < h && std::abs(MouseY - PointY) < v;
  }
}

void TBubbleSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  const int32_t s = std::min(Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
  Pointer()->PutHorizSize(s);
  Pointer()->PutVertSize(s);
  TPointSeries::PaintLegendSymbol(Item, Rect);
}

int32_t TBubbleSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double dy = std::clamp(std::nearbyint(maxY - minY), 0.0, 2147483647.0);
  double x = minX;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    const double y = RandomValue(static_cast<int32_t>(dy));
    const double radius = std::nearbyint(dy / (RandomValue(15) + 10)) + dy / 15;
    last = AddBubble(x, y, radius);
    x += step;
  }
  return last;
}

void TBubbleSeries::PrepareForGallery(bool Enabled) {
  TPointSeries::PrepareForGallery(Enabled);
  Pointer()->Gradient()->SetVisible(true);
}

namespace BubbleCh {

namespace {
const std::string kBubble = "Bubble", kStandard = "Standard";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBubbleSeries::StaticClass()))
    Chart::AddSeriesType(TBubbleSeries::StaticClass(), &kBubble, &kStandard, 1);
}

}  // namespace BubbleCh
