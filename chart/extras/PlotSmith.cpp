// The Smith chart series: impedance pixels, the circle with its resistance
// circles, reactance arcs and labels, the points and their pointers, the hit
// test, gallery samples and registration.
#include "chart/extras/PlotSmith.h"

#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "platform/rtl/SysUtils.h"

namespace {

const double kReactances[12] = {0, 0.1, 0.3, 0.5, 0.8, 1, 1.5, 2, 3, 5, 7, 10};
const double kResistances[7] = {0, 0.2, 0.5, 1, 2, 5, 10};

int32_t Round(double Value) { return PlotCanvas::RoundToPixel(Value); }

}  // namespace

KV_CLASS_IMPL(TSmithSeries, TCircledSeries) {
  using S = TSmithSeries;
  c.Property("CCirclePen", &S::CCirclePen, &S::SetCCirclePen);
  c.Property("CircleBackColor", &S::GetCircleBackColor, &S::SetCircleBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("CircleGradient", &S::Gradient);
  c.Property("CirclePen", &S::CirclePen);
  c.Property("CLabels", &S::GetCLabels, &S::SetCLabels).Default(true);
  c.Property("CLabelsFont", &S::CLabelsFont, &S::SetCLabelsFont);
  c.Property("ColorEachPoint", &S::GetColorEachPoint, &S::SetColorEachPoint).Default(false);
  c.Property("ImagSymbol", &S::GetImagSymbol, &S::SetImagSymbol).Default("i");
  c.Property("ResistanceValues", &S::ResistanceValues);
  c.Property("ReactanceValues", &S::ReactanceValues);
  c.Property("Pointer", &S::Pointer);
  c.Property("RCirclePen", &S::RCirclePen, &S::SetRCirclePen);
  c.Property("RLabels", &S::GetRLabels, &S::SetRLabels).Default(true);
  c.Property("RLabelsFont", &S::RLabelsFont, &S::SetRLabelsFont);
}

TSmithSeries::TSmithSeries(TComponent* Owner) : TCircledSeries(Owner) {
  XValues()->SetName("Resistance");
  XValues()->SetOrder(loNone);
  YValues()->SetName("Reactance");
  FPointer = std::make_unique<TSeriesPointer>(this);
  FCirclePen = CreateChartPen();
}

TSmithSeries::~TSmithSeries() = default;

void TSmithSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TSmithSeries*>(Source)) {
    FCirclePen->Assign(s->FCirclePen.get());
    FImagSymbol = s->FImagSymbol;
    FPointer->Assign(s->FPointer.get());
  }
  TCircledSeries::Assign(Source);
}

void TSmithSeries::SetParentChart(TSeriesChart* Value) {
  TCircledSeries::SetParentChart(Value);
  if (Value) FPointer->SetParent(dynamic_cast<TCustomAxisPanel*>(Value));
  if (Value && Value->IsDesigning()) Value->SetView3D(false);
}

int32_t TSmithSeries::AddPoint(double Resistance, double Reactance, const std::string& Label, TColor Colour) {
  return AppendPoint(Resistance, Reactance, Label, Colour);
}

// ============================================================================
// Settings kept in the axes
// ============================================================================

TPlotFont* TSmithSeries::MarksFont() const {
  auto* marks = dynamic_cast<TSeriesMarks*>(Marks());
  return marks ? marks->Font() : nullptr;
}

TChartPen* TSmithSeries::CCirclePen() const {
  TChartAxis* v = GetVertAxisRef();
  return v ? static_cast<TChartPen*>(v->Grid()) : Pen();
}

void TSmithSeries::SetCCirclePen(const TChartPen* Value) {
  if (TChartAxis* v = GetVertAxisRef(); v && Value) v->Grid()->Assign(Value);
}

TChartPen* TSmithSeries::RCirclePen() const {
  TChartAxis* h = GetHorizAxisRef();
  return h ? static_cast<TChartPen*>(h->Grid()) : Pen();
}

void TSmithSeries::SetRCirclePen(const TChartPen* Value) {
  if (TChartAxis* h = GetHorizAxisRef(); h && Value) h->Grid()->Assign(Value);
}

bool TSmithSeries::GetCLabels() const {
  TChartAxis* v = GetVertAxisRef();
  return v ? v->GetLabels() : true;
}

void TSmithSeries::SetCLabels(bool Value) {
  if (TChartAxis* v = GetVertAxisRef()) v->SetLabels(Value);
}

bool TSmithSeries::GetRLabels() const {
  TChartAxis* h = GetHorizAxisRef();
  return h ? h->GetLabels() : true;
}

void TSmithSeries::SetRLabels(bool Value) {
  if (TChartAxis* h = GetHorizAxisRef()) h->SetLabels(Value);
}

TPlotFont* TSmithSeries::CLabelsFont() const {
  TChartAxis* v = GetVertAxisRef();
  return v ? v->LabelsFont() : MarksFont();
}

void TSmithSeries::SetCLabelsFont(const TPlotFont* Value) {
  if (TChartAxis* v = GetVertAxisRef(); v && Value) v->LabelsFont()->Assign(Value);
}

TPlotFont* TSmithSeries::RLabelsFont() const {
  TChartAxis* h = GetHorizAxisRef();
  return h ? h->LabelsFont() : MarksFont();
}

void TSmithSeries::SetRLabelsFont(const TPlotFont* Value) {
  if (TChartAxis* h = GetHorizAxisRef(); h && Value) h->LabelsFont()->Assign(Value);
}

// ============================================================================
// Pixels and points
// ============================================================================

bool TSmithSeries::ImpedanceToPixel(double Resistance, double Reactance, TPoint& P) const {
  const double e = Resistance * Resistance + Reactance * Reactance;
  const double denominator = e + 2 * Resistance + 1;
  if (denominator == 0) return false;
  const double k = 1 / denominator;
  const double dx = RadiusX * (e - 1) * k, dy = RadiusY * 2 * Reactance * k;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
  P = TPoint(CentreX + Round(dx), CentreY - Round(dy));
  return true;
}

int32_t TSmithSeries::PointPixelX(int32_t Index) const {
  TPoint p(CentreX, CentreY);
  ImpedanceToPixel(GetXValue(Index), GetYValue(Index), p);
  return p.X;
}

int32_t TSmithSeries::PointPixelY(int32_t Index) const {
  TPoint p(CentreX, CentreY);
  ImpedanceToPixel(GetXValue(Index), GetYValue(Index), p);
  return p.Y;
}

void TSmithSeries::UseLinePen(TColor Colour) {
  TCanvas3D& c = *ChartCanvas();
  if (Pen()->GetVisible())
    c.UsePenColor(*Pen(), Colour);
  else if (c.Pen)
    c.Pen->SetStyle(psClear);
  c.SetBackMode(1);
}

void TSmithSeries::DrawPoint(int32_t Index) {
  TCanvas3D* c = ChartCanvas();
  TPoint p;
  if (!c || !ImpedanceToPixel(GetXValue(Index), GetYValue(Index), p)) return;
  UseLinePen(Index == -1 ? GetSeriesColor() : ValueColor(Index));
  if (!FHasPrevious)
    c->MoveTo3D(p.X, p.Y, StartZ);
  else if (p != FPrevious)
    c->LineAtDepth(FPrevious.X, FPrevious.Y, p.X, p.Y, StartZ);
  FPrevious = p;
  FHasPrevious = true;
}

void TSmithSeries::DrawPoints() {
  FHasPrevious = false;
  TCircledSeries::DrawPoints();
  TCanvas3D* c = ChartCanvas();
  if (!c || !FPointer->GetVisible()) return;
  for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) {
    TPoint p;
    if (IsNull(i) || !ImpedanceToPixel(GetXValue(i), GetYValue(i), p)) continue;
    const TColor colour = ValueColor(i);
    FPointer->PrepareCanvas(*c, colour);
    FPointer->DrawOnChart(p.X, p.Y, colour, OnGetPointerStyle ? OnGetPointerStyle(this, i) : FPointer->GetStyle());
  }
}

int32_t TSmithSeries::PointAtPixel(int32_t X, int32_t Y) {
  TCanvas3D* c = ChartCanvas();
  if (!c) return -1;
  TPoint m(X, Y);
  c->ScreenTo3D(m.X, m.Y, StartZ);
  const int32_t base = TCircledSeries::PointAtPixel(m.X, m.Y);
  if (base != -1 || !FPointer->GetVisible()) return base;
  for (int32_t i = 0; i < Count(); ++i) {
    TPoint p;
    if (IsNull(i) || !ImpedanceToPixel(GetXValue(i), GetYValue(i), p)) continue;
    if (std::abs(p.X - m.X) < FPointer->GetHorizSize() && std::abs(p.Y - m.Y) < FPointer->GetVertSize()) return i;
  }
  return -1;
}

// ============================================================================
// The frame
// ============================================================================

bool TSmithSeries::DrawsFrame() const {
  if (!FParentChart) return false;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s->GetActive() && s->InheritsFrom(ClassType())) return s == this;
  }
  return false;
}

void TSmithSeries::BeforeDrawPoints() {
  TCustomAxisPanel* panel = Panel();
  TCanvas3D* c = ChartCanvas();
  const bool first = panel && c && DrawsFrame();
  if (first && GetCLabels()) {
    const int32_t h = c->FontHeight() + 2, w = c->TextWidth("360");
    panel->ChartRect.Top += h;
    panel->ChartRect.Bottom -= h;
    panel->ChartRect.Left += w;
    panel->ChartRect.Right -= w;
  }
  TCircledSeries::BeforeDrawPoints();
  if (first) DrawFrame();
}

void TSmithSeries::DrawFrame() {
  TCustomAxisPanel* panel = Panel();
  TCanvas3D& c = *ChartCanvas();
  if (c.Brush) {
    c.Brush->SetStyle(HasCircleBackColor() ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
    if (HasCircleBackColor()) c.Brush->SetColor(EffectiveCircleColor());
  }
  c.UsePen(*FCirclePen);
  const int32_t hw = BoundsWidth / 2, hh = BoundsHeight / 2;
  c.EllipseAtDepth(CentreX - hw, CentreY - hh, CentreX + hw, CentreY + hh, EndZ);
  if (Gradient()->GetVisible()) FillCircleGradient();
  if (!panel->GetAxisVisible() || !panel->GetAxisBehind()) return;
  if (TChartAxis* v = GetVertAxisRef(); v && v->GetVisible()) DrawReactanceArcs();
  if (TChartAxis* h = GetHorizAxisRef(); h && h->GetVisible()) DrawResistanceCircles();
}

void TSmithSeries::DrawReactanceArcs() {
  TCustomAxisPanel* panel = Panel();
  TCanvas3D& c = *ChartCanvas();
  const auto usePen = [&] {
    if (c.Brush) c.Brush->SetStyle(TBrushStyle::bsClear);
    c.UsePen(*CCirclePen());
    c.SetBackMode(1);
  };
  const bool flat = !panel->GetView3D() || panel->View3DOptions()->GetOrthogonal();
  const int32_t right = CentreX + RadiusX;
  const auto pixel = [&](double r, double x) {
    TPoint p(CentreX, CentreY);
    ImpedanceToPixel(r, x, p);
    return p;
  };
  for (double x : kReactances) {
    usePen();
    if (x == 0) {
      c.HorizLine3D(CentreX - RadiusX, right, CentreY, MiddleZ);
      if (GetCLabels()) DrawReactanceLabel(0, TPoint(CentreX - RadiusX, CentreY));
      continue;
    }
    if (flat) {
      const int32_t rx = Round(RadiusX / x), ry = Round(RadiusY / x);
      const auto arc = [&](int32_t Top, int32_t Bottom, TPoint From, TPoint To) {
        const TPoint a = c.Project(right - rx, Top, MiddleZ), b = c.Project(right + rx, Bottom, MiddleZ);
        const TPoint f = c.Project(From.X, From.Y, MiddleZ), t = c.Project(To.X, To.Y, MiddleZ);
        c.Arc(a.X, a.Y, b.X, b.Y, f.X, f.Y, t.X, t.Y);
      };
      arc(CentreY - 2 * ry, CentreY, pixel(0, x), pixel(100, x));
      arc(CentreY, CentreY + 2 * ry, pixel(100, x), pixel(0, -x));
    }
    if (GetCLabels()) {
      DrawReactanceLabel(x, pixel(0, x));
      DrawReactanceLabel(-x, pixel(0, -x));
    }
  }
}

void TSmithSeries::DrawReactanceLabel(double Reactance, TPoint P) {
  TCanvas3D& c = *ChartCanvas();
  if (TPlotFont* f = CLabelsFont()) c.UseFont(*f);
  c.SetBackMode(1);
  const int32_t h = c.FontHeight();
  double a = std::nearbyint(AngleAtPoint(P.X, P.Y) * 180 / std::numbers::pi);
  while (a >= 360) a -= 360;
  if (a == 0 || a == 180)
    P.Y -= h / 2;
  else if (a > 0 && a < 180)
    P.Y -= h;
  if (a == 90 || a == 270)
    c.SetTextAlign(TA_CENTER);
  else
    c.SetTextAlign(a <= 90 || a >= 270 ? TA_LEFT : TA_RIGHT);
  if (a == 0)
    P.X += c.TextWidth("0") / 2;
  else if (a == 180)
    P.X -= c.TextWidth("0") / 2;
  c.TextOut3D(P.X, P.Y, EndZ, SysUtils::FloatToStr(Reactance) + FImagSymbol);
}

void TSmithSeries::DrawResistanceCircles() {
  TCanvas3D& c = *ChartCanvas();
  const int32_t right = CentreX + RadiusX;
  for (double r : kResistances) {
    if (c.Brush) c.Brush->SetStyle(TBrushStyle::bsClear);
    c.UsePen(*RCirclePen());
    c.SetBackMode(1);
    const double k = 1 / (r + 1);
    const int32_t rx = Round(RadiusX * k), ry = Round(RadiusY * k);
    c.EllipseAtDepth(right - 2 * rx, CentreY - ry, right, CentreY + ry, MiddleZ);
    if (GetRLabels()) {
      if (TPlotFont* f = RLabelsFont()) c.UseFont(*f);
      c.SetTextAlign(TA_CENTER);
      c.TextOut3D(right - 2 * rx, CentreY, EndZ, SysUtils::FloatToStr(r));
    }
  }
}

// ============================================================================
// Gallery and registration
// ============================================================================

void TSmithSeries::PrepareForGallery(bool Enabled) {
  TCircledSeries::PrepareForGallery(Enabled);
  if (TCustomAxisPanel* panel = Panel()) {
    panel->SetChart3DPercent(5);
    panel->RightAxis()->SetLabels(false);
    panel->TopAxis()->SetLabels(false);
    TView3DOptions& view = *panel->View3DOptions();
    view.SetOrthogonal(false);
    view.SetElevation(360);
    view.SetZoom(90);
  }
}

int32_t TSmithSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) last = AddPoint(6.5 * i / N, (RandomValue(i) + 3.8) / N);
  return last;
}

namespace PlotSmith {

namespace {
const std::string kExtended = "Extended", kSmith = "Smith";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TSmithSeries::StaticClass()))
    Chart::AddSeriesType(TSmithSeries::StaticClass(), &kSmith, &kExtended, 2);
}

void Finalization() { Chart::RemoveSeriesTypes({TSmithSeries::StaticClass()}); }

}  // namespace PlotSmith
