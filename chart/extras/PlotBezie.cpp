// The Bezier series.
#include "chart/extras/PlotBezie.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "platform/gdi/DeviceContext.h"

namespace {
constexpr int32_t kMaxCurveSegments = 4096;
}  // namespace

KV_CLASS_IMPL(TBezierSeries, TCustomSeries) {
  using S = TBezierSeries;
  c.Property("BezierStyle", &S::GetBezierStyle, &S::SetBezierStyle)
      .Names({"bsWindows", "bsBezier3", "bsBezier4"})
      .Default(TBezierStyle::bsWindows);
  c.Property("LinePen", &S::LinePen);
  c.Property("NumBezierPoints", &S::GetNumBezierPoints, &S::SetNumBezierPoints).Default(32);
  c.Property("Pointer", &S::Pointer);
  c.Property("XValues", &S::XValues);
  c.Property("YValues", &S::YValues);
}

TBezierSeries::TBezierSeries(TComponent* Owner) : TCustomSeries(Owner) {}

void TBezierSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TBezierSeries*>(Source)) {
    FBezierStyle = s->FBezierStyle;
    FNumBezierPoints = s->FNumBezierPoints;
  }
  TCustomSeries::Assign(Source);
}

void TBezierSeries::SetBezierStyle(TBezierStyle Value) {
  if (FBezierStyle == Value) return;
  FBezierStyle = Value;
  Repaint();
}

void TBezierSeries::SetNumBezierPoints(int32_t Value) {
  if (Value < 2) throw ChartException("Number of Bezier points should be > 1");
  SetIntegerProperty(FNumBezierPoints, Value);
}

void TBezierSeries::SetSeriesColor(TColor Value) {
  TCustomSeries::SetSeriesColor(Value);
  LinePen()->SetColor(Value);
}

void TBezierSeries::DrawCurve(int32_t Last, int32_t Degree, bool Is3D) {
  const int32_t n = static_cast<int32_t>(FPoints.size());
  if (Last >= n || Last - Degree < 0) return;
  TCanvas3D& c = ChartCanvas();
  if (FColorEachLine) c.UsePenColor(*LinePen(), ValueColor(Last));
  const TPoint* p = &FPoints[Last - Degree];
  // Beyond a few thousand segments a curve looks no smoother; a stored huge
  // count must not stall the drawing.
  const int32_t steps = std::min(FNumBezierPoints, kMaxCurveSegments);
  for (int32_t k = 1; k <= steps; ++k) {
    const double t = double(k) / steps, u = 1 - t;
    double x, y;
    if (Degree == 2) {
      x = u * u * p[0].X + 2 * t * u * p[1].X + t * t * p[2].X;
      y = u * u * p[0].Y + 2 * t * u * p[1].Y + t * t * p[2].Y;
    } else {
      x = u * u * u * p[0].X + 3 * t * u * u * p[1].X + 3 * t * t * u * p[2].X + t * t * t * p[3].X;
      y = u * u * u * p[0].Y + 3 * t * u * u * p[1].Y + 3 * t * t * u * p[2].Y + t * t * t * p[3].Y;
    }
    const int32_t px = PlotCanvas::RoundToPixel(x), py = PlotCanvas::RoundToPixel(y);
    if (Is3D)
      c.LineTo3D(px, py, StartZ);
    else
      c.LineTo(px, py);
  }
}

void TBezierSeries::DrawPoints() {
  if (!FParentChart || Count() == 0) return;
  TCanvas3D& c = ChartCanvas();
  const int32_t n = Count();
  FPoints.resize(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) FPoints[static_cast<size_t>(i)] = TPoint(PointPixelX(i), PointPixelY(i));
  const bool is3D = Chart3D();
  c.UsePen(*LinePen());
  c.Brush->SetStyle(bsClear);
  c.SetBackMode(TRANSPARENT);
  if (is3D)
    c.MoveTo3D(FPoints[0].X, FPoints[0].Y, StartZ);
  else
    c.MoveTo(FPoints[0].X, FPoints[0].Y);
  switch (FBezierStyle) {
    case TBezierStyle::bsBezier3:
      for (int32_t i = 2; i < n; i += 2) DrawCurve(i, 2, is3D);
      break;
    case TBezierStyle::bsBezier4:
      for (int32_t i = 3; i < n; i += 3) DrawCurve(i, 3, is3D);
      break;
    case TBezierStyle::bsWindows:
      if (is3D) {
        DrawCurve(2, 2, true);
        for (int32_t i = 5; i < n; i += 3) DrawCurve(i, 3, true);
      } else if (TDeviceContext* dc = c.GetDC(); dc && n >= 3) {
        // From the current position P[0] through the first (n div 3) * 3
        // points, three per curve.
        std::vector<TPoint> curve{FPoints[0]};
        curve.insert(curve.end(), FPoints.begin(), FPoints.begin() + (n / 3) * 3);
        dc->PolyBezier(curve.data(), static_cast<int>(curve.size()));
      }
      break;
  }
  if (Pointer()->GetVisible())
    for (int32_t i = 0; i < n; ++i) DrawPointerAt(FPoints[i].X, FPoints[i].Y, i, ValueColor(i));
}

void TBezierSeries::PrepareForGallery(bool Enabled) {
  TCustomSeries::PrepareForGallery(Enabled);
  FillSampleValues(3);
  SetColorEachPoint(Enabled);
  Pointer()->SetDraw3D(false);
}

namespace PlotBezie {

namespace {
const std::string kBezier = "Bezier", kExtended = "Extended";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TBezierSeries::StaticClass()))
    Chart::AddSeriesType(TBezierSeries::StaticClass(), &kBezier, &kExtended, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TBezierSeries::StaticClass()}); }

}  // namespace PlotBezie
