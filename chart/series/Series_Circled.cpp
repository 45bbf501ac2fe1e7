// The base of series drawn inside a circle: the circle's rectangle, centre and
// radii, rotation, angles and pixels, the colour behind the circle, and the
// chart's 3-D view taken over while the series is on the chart.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

namespace Series {

TPoint PointAtAngle(int32_t CentreX, int32_t CentreY, double Angle, double Rotation, int32_t RadiusX,
                    int32_t RadiusY) {
  const double a = Angle + Rotation;
  return TPoint(CentreX + PlotCanvas::RoundToPixel(std::cos(a) * RadiusX),
                CentreY - PlotCanvas::RoundToPixel(std::sin(a) * RadiusY));
}

}  // namespace Series

KV_CLASS_IMPL(TCircledSeries, TChartSeries) {
  c.Property("Circled", &TCircledSeries::GetCircled, &TCircledSeries::SetCircled).Default(false);
  c.Property("CustomXRadius", &TCircledSeries::GetCustomXRadius, &TCircledSeries::SetCustomXRadius).Default(0);
  c.Property("CustomYRadius", &TCircledSeries::GetCustomYRadius, &TCircledSeries::SetCustomYRadius).Default(0);
}

TCircledSeries::TCircledSeries(TComponent* Owner) : TChartSeries(Owner) {
  CalcVisiblePoints = false;
  XValues()->SetName("Angle");
  FGradient = std::make_unique<TPlotGradient>([this](TObject* Sender) { RepaintOnChange(Sender); });
}

TCircledSeries::~TCircledSeries() = default;

void TCircledSeries::BeforeDestruction() {
  // A series that goes gives the chart its own 3-D view back.
  RestoreChartView();
  TChartSeries::BeforeDestruction();
}

void TCircledSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCircledSeries*>(Source)) {
    FCircled = s->FCircled;
    SetRotationAngle(s->FRotationAngle);
    FCustomXRadius = s->FCustomXRadius;
    FCustomYRadius = s->FCustomYRadius;
    FCircleBackColor = s->FCircleBackColor;
    FGradient->Assign(s->FGradient.get());
  }
  TChartSeries::Assign(Source);
}

// ---- settings ----

void TCircledSeries::SetCircled(bool Value) {
  SetBooleanField(FCircled, Value);
  if (!FParentChart) return;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* s = dynamic_cast<TCircledSeries*>(list.GetSeries(i));
    if (!s || !ClassType()->InheritsFrom(s->ClassType())) continue;
    s->FCircled = Value;
    if (!s->ComponentState.Contains(TComponentStateItem::csLoading)) s->FCustomXRadius = s->FCustomYRadius = 0;
  }
}

void TCircledSeries::SetRotationAngle(int32_t Value) {
  SetIntegerProperty(FRotationAngle, Value % 360);
  RotationRadians = FRotationAngle * std::numbers::pi / 180;
}

void TCircledSeries::SetCustomXRadius(int32_t Value) {
  SetIntegerProperty(FCustomXRadius, Value);
  ShareRadius();
}

void TCircledSeries::SetCustomYRadius(int32_t Value) {
  SetIntegerProperty(FCustomYRadius, Value);
  ShareRadius();
}

void TCircledSeries::ShareRadius() {
  if (!FParentChart) return;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    auto* s = dynamic_cast<TCircledSeries*>(list.GetSeries(i));
    if (!s || s == this || !ClassType()->InheritsFrom(s->ClassType())) continue;
    s->FCustomXRadius = FCustomXRadius;
    s->FCustomYRadius = FCustomYRadius;
  }
}

// ---- angles and pixels ----

TPoint TCircledSeries::PointAtAngle(double Angle, int32_t AtRadiusX, int32_t AtRadiusY) const {
  return Series::PointAtAngle(CentreX, CentreY, Angle, RotationRadians, AtRadiusX, AtRadiusY);
}

double TCircledSeries::AngleAtPoint(int32_t X, int32_t Y) const {
  constexpr double pi = std::numbers::pi;
  double a;
  if (X == CentreX)
    a = Y > CentreY ? -pi / 2 : pi / 2;
  else if (RadiusX == 0 || RadiusY == 0)
    a = 0;
  else
    a = std::atan2(double(CentreY - Y) / RadiusY, double(X - CentreX) / RadiusX);
  if (a < 0) a += 2 * pi;
  a -= RotationRadians;
  if (a < 0) a += 2 * pi;
  return a;
}

TColor TCircledSeries::EffectiveCircleColor() const {
  if (FCircleBackColor != clDefault) return FCircleBackColor;
  TCustomAxisPanel* panel = Panel();
  if (!panel) return clWhite;
  if (panel->Printing) return clWhite;
  TColor c = clDefault;
  if (auto* chart = dynamic_cast<TCustomChart*>(panel); chart && !chart->BackWall()->GetTransparent())
    c = chart->BackWall()->GetColor();
  return c == clDefault ? panel->GetColor() : c;
}

void TCircledSeries::PrepareLegendCanvas(int32_t /*Item*/, TColor& BackColor, TBrushStyle& /*BrushStyle*/) {
  BackColor = EffectiveCircleColor();
}

// ---- the circle of one draw ----

void TCircledSeries::AdjustCircleRect() {
  TRect& r = CircleBounds;
  if ((r.Right - r.Left) % 2 != 0) --r.Right;
  if ((r.Bottom - r.Top) % 2 != 0) --r.Bottom;
  if (r.Right - r.Left < 4) r.Right = r.Left + 4;
  if (r.Bottom - r.Top < 4) r.Bottom = r.Top + 4;
  BoundsWidth = r.Right - r.Left;
  BoundsHeight = r.Bottom - r.Top;
  CentreX = (r.Left + r.Right) / 2;
  CentreY = (r.Top + r.Bottom) / 2;
}

void TCircledSeries::CalcRadius() {
  if (FCustomXRadius != 0) {
    RadiusX = FCustomXRadius;
    BoundsWidth = 2 * FCustomXRadius;
  } else {
    RadiusX = BoundsWidth / 2;
  }
  if (FCustomYRadius != 0) {
    RadiusY = FCustomYRadius;
    BoundsHeight = 2 * FCustomYRadius;
  } else {
    RadiusY = BoundsHeight / 2;
  }
  CircleBounds = TRect(CentreX - RadiusX, CentreY - RadiusY, CentreX + RadiusX, CentreY + RadiusY);
}

void TCircledSeries::MakeCircular() {
  // The pixel aspect of the device: 1 where its physical size is not known.
  double ratio = 1;
  if (TCanvas3D* c = ChartCanvas(); c && c->Target) {
    const double aspect = PlotProcs::DeviceAspect(*c->Target);
    TDeviceContext* dc = c->Target->GetHandle();
    const int32_t w = dc ? dc->GetDeviceCaps(HORZRES) : 0, h = dc ? dc->GetDeviceCaps(VERTRES) : 0;
    if (aspect > 0 && w > 0 && h > 0) ratio = (double(w) / h) / aspect;
  }
  CalcRadius();
  const int32_t scaledY = PlotCanvas::RoundToPixel(RadiusY * ratio);
  if (scaledY < RadiusX) {
    const int32_t e = RadiusX - scaledY;
    CircleBounds.Left += e;
    CircleBounds.Right -= e;
  } else {
    const int32_t e = RadiusY - PlotCanvas::RoundToPixel(RadiusX / ratio);
    CircleBounds.Top += e;
    CircleBounds.Bottom -= e;
  }
  AdjustCircleRect();
}

void TCircledSeries::BeforeDrawPoints() {
  TChartSeries::BeforeDrawPoints();
  TCustomAxisPanel* panel = Panel();
  if (!panel) return;
  CircleBounds = panel->ChartRect;
  AdjustCircleRect();
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  TCanvas3D* canvas = ChartCanvas();
  if (marks && marks->GetVisible() && canvas) {
    int32_t l = marks->GetCallout()->GetLength();
    if (marks->Pen()->GetVisible()) l += 2 * marks->Pen()->GetWidth();
    canvas->UseFont(*marks->Font());
    const int32_t b = l + canvas->FontHeight();
    CircleBounds.Top += b;
    CircleBounds.Bottom -= b;
    const int32_t e = canvas->TextWidth("W") + panel->MaxMarkWidth() + l;
    CircleBounds.Left += e;
    CircleBounds.Right -= e;
    AdjustCircleRect();
  } else {
    UseRectOfSameKind();
  }
  if (FCircled) MakeCircular();
  CalcRadius();
}

void TCircledSeries::UseRectOfSameKind() {
  if (!FParentChart) return;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  bool after = false;
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s == this) {
      after = true;
      continue;
    }
    auto* o = dynamic_cast<TCircledSeries*>(s);
    if (!o || !o->GetActive() || !SameClass(*o) || !o->Marks() || !o->Marks()->MarksVisible()) continue;
    if (after) o->BeforeDrawPoints();
    CircleBounds = o->CircleBounds;
    AdjustCircleRect();
    CalcRadius();
    return;
  }
}

void TCircledSeries::FillCircleGradient() {
  TCanvas3D* c = ChartCanvas();
  if (!c) return;
  const bool is3D = FParentChart->GetView3D();
  if (is3D && !(Panel() && Panel()->View3DOptions()->GetOrthogonal())) return;
  const int32_t left = CentreX - BoundsWidth / 2 + 1, top = CentreY - BoundsHeight / 2 + 1;
  TRect r(left, top, left + BoundsWidth, top + BoundsHeight);
  if (is3D) r = c->RectTo2D(r, EndZ);
  c->ClipEllipse(r);
  FGradient->FillRect(*c, r);
  c->Unclip();
}

// ---- the chart's 3-D view ----

void TCircledSeries::AdjustChartView(bool Restore) {
  TCustomAxisPanel* panel = Panel();
  if (!panel || panel->IsChartDestroying() || panel->Canvas()->IsTrue3D() || !panel->View3DOptions()) return;
  if (!Restore || (GetActive() && !Destroying())) {
    if (FSavedView) return;
    FSavedView = std::make_unique<TView3DOptions>();
    FSavedView->Assign(panel->View3DOptions());
    ApplyPreferredView();
  } else {
    RestoreChartView();
  }
}

void TCircledSeries::RestoreChartView() {
  TCustomAxisPanel* panel = Panel();
  if (FSavedView && panel && !panel->IsChartDestroying()) panel->View3DOptions()->Assign(FSavedView.get());
  FSavedView.reset();
}

void TCircledSeries::SetActive(bool Value) {
  TChartSeries::SetActive(Value);
  AdjustChartView(!GetActive());
}

void TCircledSeries::SetParentChart(TSeriesChart* Value) {
  if (!Value) RestoreChartView();
  if (Value == FParentChart) return;
  TChartSeries::SetParentChart(Value);
  if (Value) AdjustChartView(false);
}

void TCircledSeries::RemovedFromChart() {
  RestoreChartView();
  TChartSeries::RemovedFromChart();
}
