// The gauge series: value angles, the dial with its ticks, labels and arc,
// the needle (inverted between paints), value changes, the hit test, gallery
// look and registration.
#include "chart/extras/PlotGauges.h"

#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// A scale never has more ticks than this, whatever its step.
constexpr int32_t kMaxTicks = 10000;

int32_t Round(double Value) { return PlotCanvas::RoundToPixel(Value); }

}  // namespace

KV_CLASS_IMPL(TGaugeSeries, TCircledSeries) {
  using S = TGaugeSeries;
  c.Property("Center", &S::Center);
  c.Property("Circled", &S::GetCircled, &S::SetCircled).Default(true);
  c.Property("CircleGradient", &S::Gradient);
  c.Property("EndPoint", &S::EndPoint);
  c.Property("FullRepaint", &S::GetFullRepaint, &S::SetFullRepaint).Default(false);
  c.Property("HandDistance", &S::GetHandDistance, &S::SetHandDistance).Default(30);
  c.Property("HandStyle", &S::GetHandStyle, &S::SetHandStyle).Names({"hsLine", "hsTriangle"}).Default(hsLine);
  c.Property("LabelsInside", &S::GetLabelsInside, &S::SetLabelsInside).Default(true);
  c.Property("Maximum", &S::GetMaximum, &S::SetMaximum).Default(100.0);
  c.Property("Minimum", &S::GetMinimum, &S::SetMinimum).Default(0.0);
  c.Property("MinorTickDistance", &S::GetMinorTickDistance, &S::SetMinorTickDistance).Default(0);
  c.Property("RotationAngle", &S::GetRotationAngle, &S::SetRotationAngle).Default(135);
  c.Property("ShowInLegend", &S::GetShowInLegend, &S::SetShowInLegend).Default(false);
  c.Property("TotalAngle", &S::GetTotalAngle, &S::SetTotalAngle).Default(90.0);
  c.Property("Value", &S::GetValue, &S::SetValue);
}

TGaugeSeries::TGaugeSeries(TComponent* Owner) : TCircledSeries(Owner) {
  SetCircled(true);
  SetShowInLegend(false);
  FCenter = std::make_unique<TStoredSeriesPointer>(this);
  FCenter->SetStyle(TSeriesPointerStyle::psCircle);
  FCenter->SetHorizSize(8);
  FCenter->SetVertSize(8);
  FCenter->Brush()->SetStyle(TBrushStyle::bsSolid);
  FCenter->SetColor(clBlack);
  FCenter->Gradient()->SetVisible(true);
  FCenter->OwnerColor = clBlack;
  FCenter->OwnerGradientVisible = true;
  FEndPoint = std::make_unique<TStoredSeriesPointer>(this);
  FEndPoint->SetVisible(false);
  FEndPoint->SetStyle(TSeriesPointerStyle::psCircle);
  FEndPoint->SetHorizSize(3);
  FEndPoint->SetVertSize(3);
  FEndPoint->Brush()->SetStyle(TBrushStyle::bsSolid);
  FEndPoint->SetColor(clWhite);
  FEndPoint->OwnerColor = clWhite;
  Add(0);
  SetRotationAngle(135);
}

TGaugeSeries::~TGaugeSeries() = default;

void TGaugeSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TGaugeSeries*>(Source)) {
    FTotalAngle = s->FTotalAngle;
    FCenter->Assign(s->FCenter.get());
    FEndPoint->Assign(s->FEndPoint.get());
    FHandDistance = s->FHandDistance;
    FFullRepaint = s->FFullRepaint;
    FMaximum = s->FMaximum;
    FMinimum = s->FMinimum;
    FMinorTickDistance = s->FMinorTickDistance;
    FHandStyle = s->FHandStyle;
    FLabelsInside = s->FLabelsInside;
  }
  TCircledSeries::Assign(Source);
}

// ============================================================================
// Value and limits
// ============================================================================

double TGaugeSeries::GetValue() const {
  if (Count() == 0) const_cast<TGaugeSeries*>(this)->Add(0);
  return GetYValue(0);
}

void TGaugeSeries::SetValue(double Value) {
  if (GetValue() == Value) return;
  TCanvas3D* window = FFullRepaint ? nullptr : WindowDrawingCanvas();
  const bool hand = window && Pen()->GetVisible();
  if (hand) DrawHand();  // the inverting pen erases the needle on the screen
  YValues()->StoreValue(0, Value);
  if (window) {
    if (hand) DrawHand();
  } else {
    Repaint();
  }
  if (OnChange) OnChange(this);
}

void TGaugeSeries::SetMaximum(double Value) {
  SetDoubleProperty(FMaximum, Value);
  SetValue(std::min(GetValue(), FMaximum));
}

void TGaugeSeries::SetMinimum(double Value) {
  SetDoubleProperty(FMinimum, Value);
  SetValue(std::max(GetValue(), FMinimum));
}

void TGaugeSeries::SetHandStyle(THandStyle Value) {
  if (FHandStyle == Value) return;
  FHandStyle = Value;
  Repaint();
}

void TGaugeSeries::AddedValue(TChartSeries* Sender, int32_t Index) {
  SetValue(GetYValue(Index));
  TCircledSeries::AddedValue(Sender, Index);
}

// ============================================================================
// Chart
// ============================================================================

void TGaugeSeries::SetParentChart(TSeriesChart* Value) {
  TCircledSeries::SetParentChart(Value);
  if (!Destroying()) {
    FCenter->SetParent(dynamic_cast<TCustomAxisPanel*>(Value));
    FEndPoint->SetParent(dynamic_cast<TCustomAxisPanel*>(Value));
  }
  if (!Value) return;
  if (auto* chart = dynamic_cast<TCustomChart*>(Value)) {
    chart->Walls()->Show3DWalls(false);
    chart->Frame()->Hide();
  }
  Value->SetView3D(false);
  if (TChartAxis* v = GetVertAxisRef()) {
    v->SetTickLength(14);
    v->SetMinorTickLength(6);
  }
}

void TGaugeSeries::ChangeView3D(bool Value) {
  TCircledSeries::ChangeView3D(Value);
  if (FParentChart) FParentChart->SetView3D(false);
  SetCircled(true);
}

TCanvas3D* TGaugeSeries::WindowDrawingCanvas() const {
  TCustomAxisPanel* panel = Panel();
  if (!panel || !panel->WindowCanvas) return nullptr;
  TCanvas3D* c = panel->Canvas();
  return c && c->Pen ? c : nullptr;
}

// ============================================================================
// Geometry
// ============================================================================

double TGaugeSeries::ValueAngle(double Value) const {
  const double range = FMaximum - FMinimum;
  if (range == 0) return 90;
  return 360 - (FTotalAngle - FTotalAngle * (Value - FMinimum) / range) + GetRotationAngle();
}

TPoint TGaugeSeries::DialPoint(TPoint P, double Angle, int32_t RX, int32_t RY) {
  const double a = Angle * kDegree;
  return TPoint(P.X - Round(std::cos(a) * RX), P.Y - Round(std::sin(a) * RY));
}

int32_t TGaugeSeries::PointerSize(const TSeriesPointer& P) {
  if (!P.GetVisible()) return 0;
  return 2 * P.GetVertSize() + (P.Pen()->GetVisible() ? P.Pen()->GetWidth() : 0);
}

double TGaugeSeries::StepOf(double Increment) {
  const double inc = std::fabs(Increment);
  return inc == 0 || !std::isfinite(inc) ? 10 : inc;
}

double TGaugeSeries::ScaleStep() const {
  TChartAxis* v = GetVertAxisRef();
  return StepOf(v ? v->GetIncrement() : 0);
}

std::vector<double> TGaugeSeries::ScaleValues(double Increment) const {
  std::vector<double> values;
  if (FMaximum - FMinimum == 0) return values;
  const double step = StepOf(Increment);
  const bool full = FTotalAngle >= 360;
  for (int32_t k = 0; k < kMaxTicks; ++k) {
    const double value = FMinimum + k * step;
    if (full ? !(value < FMaximum) : !(value <= FMaximum)) break;
    values.push_back(value);
  }
  return values;
}

void TGaugeSeries::HandPoints(TPoint& Start, TPoint& Tip) const {
  const TPoint c = CentrePoint;
  Tip = DialPoint(c, ValueAngle(GetValue()), RadiusX, RadiusY);
  const int32_t s = PointerSize(*FEndPoint) + FHandDistance;
  if (s > 0) Tip = PointBeforeEnd(c, Tip, s);
  Start = c;
  if (FCenter->GetVisible() && FCenter->GetStyle() == TSeriesPointerStyle::psCircle)
    Start = PointBeforeEnd(Tip, c, PointerSize(*FCenter) / 2);
}

int32_t TGaugeSeries::PointAtPixel(int32_t X, int32_t Y) {
  TCanvas3D* c = ChartCanvas();
  if (!c) return -1;
  TPoint m(X, Y);
  c->ScreenTo3D(m.X, m.Y, MiddleZ);
  TPoint start, tip;
  HandPoints(start, tip);
  return PlotProcs::PointNearSegment(m, start.X, start.Y, tip.X, tip.Y, 2) ? 0 : -1;
}

// ============================================================================
// Drawing
// ============================================================================

void TGaugeSeries::DrawPoints() {
  TCanvas3D* c = ChartCanvas();
  if (!c) return;
  CentrePoint = TPoint(CentreX, CentreY);
  if (Gradient()->GetVisible()) FillCircleGradient();
  if (FCenter->GetVisible()) {
    FCenter->PrepareCanvas(*c, FCenter->GetColor());
    FCenter->DrawOnChart(CentreX, CentreY, FCenter->GetColor(), FCenter->GetStyle());
  }
  if (GetVertAxisRef()) {
    DrawMajorTicks();
    DrawMinorTicks();
    DrawDialArc();
  }
  if (Pen()->GetVisible()) DrawHand();
}

void TGaugeSeries::DrawMajorTicks() {
  TChartAxis& v = *GetVertAxisRef();
  const bool ticks = v.Ticks()->GetVisible(), labels = v.GetLabels();
  if (!ticks && !labels) return;
  TCanvas3D& c = *ChartCanvas();
  c.UseFont(*v.LabelsFont());
  c.UsePen(*v.Ticks());
  c.SetBackMode(1);
  const int32_t irx = RadiusX - v.GetTickLength(), iry = RadiusY - v.GetTickLength();
  const int32_t h = c.FontHeight();
  for (const double value : ScaleValues(v.GetIncrement())) {
    const double a = ValueAngle(value);
    if (ticks) {
      c.UsePen(*v.Ticks());
      c.LinePoints(DialPoint(CentrePoint, a, irx, iry), DialPoint(CentrePoint, a, RadiusX, RadiusY));
    }
    if (!labels) continue;
    const std::string text = SysUtils::FormatFloat(GetValueFormat(), value);
    const int32_t tw = c.TextWidth(text);
    TPoint p = FLabelsInside ? DialPoint(CentrePoint, a, irx, iry) : DialPoint(CentrePoint, a, RadiusX + h, RadiusY + h);
    p.X -= tw / 2;
    if (FLabelsInside) {
      p.X += Round(tw / 2.0 * std::cos(a * kDegree));
      double n = std::fmod(a, 360);
      if (n < 0) n += 360;
      if (n > 180 && n < 360) p.Y += Round(h * std::sin(a * kDegree));
    }
    c.SetTextAlign(TA_LEFT);
    c.TextOut(p.X, p.Y, text);
  }
}

void TGaugeSeries::DrawMinorTicks() {
  TChartAxis& v = *GetVertAxisRef();
  const int32_t n = v.GetMinorTickCount();
  if (!v.MinorTicks()->GetVisible() || n <= 0 || FMaximum - FMinimum == 0) return;
  TCanvas3D& c = *ChartCanvas();
  c.UsePen(*v.MinorTicks());
  const int32_t orx = RadiusX - FMinorTickDistance, ory = RadiusY - FMinorTickDistance;
  const int32_t irx = orx - v.GetMinorTickLength(), iry = ory - v.GetMinorTickLength();
  const double step = ScaleStep(), sub = step / (n + 1);
  for (int32_t k = 0; k < kMaxTicks; ++k) {
    const double value = FMinimum + k * step;
    const bool last = !(value <= FMaximum - step);
    if (last && !(value < FMaximum)) break;
    for (int32_t i = 1; i <= n; ++i) {
      const double m = value + sub * i;
      if (m > FMaximum) break;
      const double a = ValueAngle(m);
      c.LinePoints(DialPoint(CentrePoint, a, irx, iry), DialPoint(CentrePoint, a, orx, ory));
    }
    if (last) break;
  }
}

void TGaugeSeries::DrawDialArc() {
  TChartAxis& v = *GetVertAxisRef();
  TCustomAxisPanel* panel = Panel();
  if (!v.Axis()->GetVisible() || !panel) return;
  TCanvas3D& c = *ChartCanvas();
  c.UsePen(*v.Axis());
  TRect r = panel->ChartRect;
  if (GetCircled()) {
    const int32_t side = std::min(r.Right - r.Left, r.Bottom - r.Top);
    const int32_t cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    r = TRect(cx - side / 2, cy - side / 2, cx - side / 2 + side, cy - side / 2 + side);
  }
  ++r.Left;
  ++r.Top;
  const TPoint from = DialPoint(CentrePoint, GetRotationAngle(), RadiusX, RadiusY);
  const TPoint to = DialPoint(CentrePoint, 360 - FTotalAngle + GetRotationAngle(), RadiusX, RadiusY);
  c.Arc(r.Left, r.Top, r.Right, r.Bottom, from.X, from.Y, to.X, to.Y);
}

void TGaugeSeries::DrawHand() {
  TCanvas3D* c = ChartCanvas();
  if (!FParentChart || !c || !c->Pen) return;
  TPoint start, tip;
  HandPoints(start, tip);
  const TPenMode mode = FFullRepaint ? pmCopy : pmNotXor;
  c->UsePen(*Pen());
  c->Pen->SetMode(mode);
  if (FHandStyle == hsLine) {
    c->LinePoints(start, tip);
  } else {
    // The base corners lie across the needle, 4 pixels each side of its start.
    const double dx = tip.X - start.X, dy = tip.Y - start.Y, len = std::hypot(dx, dy);
    const int32_t ox = len > 0 ? Round(-dy / len * 4) : 4, oy = len > 0 ? Round(dx / len * 4) : 0;
    if (c->Brush) {
      c->Brush->SetStyle(TBrushStyle::bsSolid);
      c->Brush->SetColor(Pen()->GetColor());
    }
    const TPoint points[3] = {TPoint(start.X + ox, start.Y + oy), tip, TPoint(start.X - ox, start.Y - oy)};
    c->Polygon(points);
  }
  if (FEndPoint->GetVisible()) {
    FEndPoint->PrepareCanvas(*c, FEndPoint->GetColor());
    c->Pen->SetMode(mode);
    if (!FFullRepaint && c->Brush) c->Brush->SetStyle(TBrushStyle::bsClear);
    const TPoint p = PointBeforeEnd(CentrePoint, tip, -(PointerSize(*FEndPoint) / 2));
    FEndPoint->DrawPointer(*c, false, p.X, p.Y, FEndPoint->GetHorizSize(), FEndPoint->GetVertSize(),
                           FEndPoint->GetColor(), FEndPoint->GetStyle());
  }
  c->Pen->SetMode(pmCopy);
}

// ============================================================================
// Gallery and registration
// ============================================================================

int32_t TGaugeSeries::AddSampleValues(int32_t /*N*/, bool /*OnlyMandatory*/) {
  SetValue(FMinimum + RandomValue(1000) / 1000.0 * (FMaximum - FMinimum));
  return 0;
}

void TGaugeSeries::PrepareForGallery(bool Enabled) {
  TCircledSeries::PrepareForGallery(Enabled);
  if (TChartAxis* v = GetVertAxisRef()) {
    v->SetMinorTickCount(1);
    v->SetTickLength(4);
    v->SetMinorTickLength(2);
    v->SetIncrement(25);
  }
  SetHandDistance(3);
  FCenter->SetHorizSize(2);
  FCenter->SetVertSize(2);
  SetFullRepaint(true);
  Pen()->SetColor(Enabled ? clBlue : TColor(8421504));
}

namespace PlotGauges {

namespace {
const std::string kExtended = "Extended", kGauge = "Gauge";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TGaugeSeries::StaticClass()))
    Chart::AddSeriesType(TGaugeSeries::StaticClass(), &kGauge, &kExtended, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TGaugeSeries::StaticClass()}); }

}  // namespace PlotGauges
