// Polar, radar and polar bar series: point positions by angle and radius, the
// link and segment drawing, the circle frame with its grid, labels and half
// axes, the hit test, the legend symbol, gallery looks and registration.
#include "chart/extras/PlotPolar.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "platform/rtl/Streaming.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// The grey of a grid pen that has no colour of its own.
constexpr TColor kGridGrey = 0x808080;
// At most this many spokes: a tiny angle step must not loop for ever.
constexpr double kMinAngleStep = 360.0 / 10000;

int32_t Round(double Value) { return PlotCanvas::RoundToPixel(Value); }

// Takes the grid pen of Axis, grey where it has no colour.
void UseGridPen(TCanvas3D& C, TChartAxis& Axis) {
  TAxisGridPen& pen = *Axis.Grid();
  C.UsePenColor(pen, pen.GetColor() == clDefault ? kGridGrey : pen.GetColor());
  C.SetBackMode(1);
  if (C.Brush) C.Brush->SetStyle(TBrushStyle::bsClear);
}

// Gives Axis the logarithmic switch of the radius axis while it is drawn,
// as a plain field: the axis' setter would undo a zoom, fire the chart's
// events and ask for a repaint in the middle of the drawing.
class [[nodiscard]] LogarithmicScope {
public:
  LogarithmicScope(TChartAxis& Axis, bool Value) : FAxis(Axis), FOld(Axis.GetLogarithmic()) {
    FChanged = FOld != Value && !Axis.IsDateTime();
    if (FChanged) FAxis.SetLogarithmicField(Value);
  }
  ~LogarithmicScope() {
    if (!FChanged) return;
    FAxis.SetLogarithmicField(FOld);
    FAxis.RecalcScales();
  }
  LogarithmicScope(const LogarithmicScope&) = delete;
  LogarithmicScope& operator=(const LogarithmicScope&) = delete;

private:
  TChartAxis& FAxis;
  bool FOld;
  bool FChanged = false;
};

template <class S>
void DescribePolar(TClassBuilder<S>& c, bool Radar) {
  if (!Radar) {
    c.Property("AngleIncrement", &S::GetAngleIncrement, &S::SetAngleIncrement).Default(10.0);
    c.Property("AngleValues", &S::AngleValues);
  }
  c.Property("CircleBackColor", &S::GetCircleBackColor, &S::SetCircleBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("CircleGradient", &S::Gradient);
  c.Property("CircleLabels", &S::GetCircleLabels, &S::SetCircleLabels).Default(false);
  c.Property("CircleLabelsFont", &S::CircleLabelsFont);
  if (!Radar) c.Property("CircleLabelsInside", &S::GetCircleLabelsInside, &S::SetCircleLabelsInside).Default(false);
  c.Property("CircleLabelsRotated", &S::GetCircleLabelsRotated, &S::SetCircleLabelsRotated).Default(false);
  c.Property("CirclePen", &S::CirclePen);
  if (!Radar) c.Property("ClockWiseLabels", &S::GetClockWiseLabels, &S::SetClockWiseLabels).Default(false);
  c.Property("CloseCircle", &S::GetCloseCircle, &S::SetCloseCircle).Default(true);
  c.Property("LabelsMargin", &S::GetLabelsMargin, &S::SetLabelsMargin).Default(3);
  c.Property("Pointer", &S::Pointer);
  c.Property("RadiusIncrement", &S::GetRadiusIncrement, &S::SetRadiusIncrement).Default(0.0);
  c.Property("RadiusValues", &S::RadiusValues).Stored(&S::IsRadiusValuesStored);
  if (!Radar) c.Property("RotationAngle", &S::GetRotationAngle, &S::SetRotationAngle).Default(0);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
}

}  // namespace

namespace PlotPolar {
std::string DegreeSymbol = "\u00B0";
}  // namespace PlotPolar

KV_CLASS_IMPL(TStoredSeriesPointer, TSeriesPointer) {
  using S = TStoredSeriesPointer;
  c.Property("HorizSize", &S::GetHorizSize, &S::SetHorizSize);
  c.Property("Style", &S::GetStyle, &S::SetStyle)
      .Names({"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross", "psStar",
              "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle"});
  c.Property("VertSize", &S::GetVertSize, &S::SetVertSize);
  c.Property("Visible", &S::GetVisible, &S::SetVisible);
}

void TStoredSeriesPointer::DefineProperties(TFiler& Filer) {
  TSeriesPointer::DefineProperties(Filer);
  // Read back through the published path ("Brush" then "Color"); the readers
  // here only serve a reader that asks for the names as they are.
  Filer.DefineProperty(
      "Brush.Color", [this](TReader& R) { SetColor(static_cast<TColor>(R.ReadInteger())); },
      [](TWriter& W) { W.WriteInteger(clDefault); }, OwnerColor != clDefault && GetColor() == clDefault);
  Filer.DefineProperty(
      "Gradient.Visible", [this](TReader& R) { Gradient()->SetVisible(R.ReadBoolean()); },
      [](TWriter& W) { W.WriteBoolean(false); }, OwnerGradientVisible && !Gradient()->GetVisible());
}

KV_CLASS_IMPL(TCustomPolarSeries, TCircledSeries) {}
KV_CLASS_IMPL(TPolarSeries, TCustomPolarSeries) { DescribePolar(c, false); }
KV_CLASS_IMPL(TPolarBarSeries, TPolarSeries) {}
KV_CLASS_IMPL(TRadarSeries, TCustomPolarSeries) { DescribePolar(c, true); }

// ============================================================================
// Construction and settings
// ============================================================================

TCustomPolarSeries::TCustomPolarSeries(TComponent* Owner) : TCircledSeries(Owner) {
  YValues()->SetName("Radius");
  FPointer = std::make_unique<TStoredSeriesPointer>(this);
  Brush()->SetStyle(TBrushStyle::bsClear);
  FCircleLabelsFont = std::make_unique<TPlotFont>([this](TObject* Sender) { RepaintOnChange(Sender); });
  FCirclePen = CreateChartPen();
}

TCustomPolarSeries::~TCustomPolarSeries() = default;

void TCustomPolarSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomPolarSeries*>(Source)) {
    FCircleLabels = s->FCircleLabels;
    FCircleLabelsFont->Assign(s->FCircleLabelsFont.get());
    FCircleLabelsInside = s->FCircleLabelsInside;
    FCircleLabelsRotated = s->FCircleLabelsRotated;
    FCirclePen->Assign(s->FCirclePen.get());
    FLabelsMargin = s->FLabelsMargin;
    FClockWiseLabels = s->FClockWiseLabels;
    FCloseCircle = s->FCloseCircle;
    FPointer->Assign(s->FPointer.get());
    FTransparency = s->FTransparency;
  }
  TCircledSeries::Assign(Source);
}

bool TCustomPolarSeries::IsRadiusValuesStored() const {
  const TChartValueList* y = YValues();
  return y->GetName() != "Radius" || y->GetDateTime() || y->GetOrder() != loNone || !y->GetValueSource().empty();
}

double TCustomPolarSeries::GetAngleIncrement() const {
  TChartAxis* h = FParentChart ? GetHorizAxisRef() : nullptr;
  if (!h || h->GetIncrement() == 0) return 10;
  return h->GetIncrement();
}

void TCustomPolarSeries::SetAngleIncrement(double Value) {
  if (TChartAxis* h = FParentChart ? GetHorizAxisRef() : nullptr) h->SetIncrement(Value);
}

double TCustomPolarSeries::GetRadiusIncrement() const {
  TChartAxis* v = FParentChart ? GetVertAxisRef() : nullptr;
  return v ? v->GetIncrement() : 0;
}

void TCustomPolarSeries::SetRadiusIncrement(double Value) {
  if (TChartAxis* v = FParentChart ? GetVertAxisRef() : nullptr) v->SetIncrement(Value);
}

void TCustomPolarSeries::SetSeriesColor(TColor Value) {
  TCircledSeries::SetSeriesColor(Value);
  if (Brush()->GetStyle() == TBrushStyle::bsClear) Pen()->SetColor(Value);
}

void TCustomPolarSeries::SetParentChart(TSeriesChart* Value) {
  TCircledSeries::SetParentChart(Value);
  FPointer->SetParent(dynamic_cast<TCustomAxisPanel*>(Value));
  if (Value && Value->IsDesigning()) Value->SetView3D(false);
}

// ============================================================================
// Positions
// ============================================================================

int32_t TCustomPolarSeries::RadiusDistance(double Value, int32_t R) const {
  TChartAxis* v = GetVertAxisRef();
  if (!v) return 0;
  const double lo = v->GetMinimum(), hi = v->GetMaximum(), range = hi - lo;
  const bool inverted = v->GetInverted();
  const double d = inverted ? hi - Value : Value - lo;
  if (range == 0 || d < 0 || std::isnan(d)) return 0;
  if (!v->GetLogarithmic()) return Round(d * R / range);
  // The radius grows with the logarithm of the value itself; a value at or
  // below 0 has no logarithm and sits at the centre.
  if (!(Value > 0) || !(hi > 0)) return 0;
  const double lnMin = lo > 0 ? std::log(lo) : 0, lnMax = std::log(hi);
  if (lnMax == lnMin) return 0;
  const double lnV = std::log(Value);
  return Round(R * (inverted ? lnMax - lnV : lnV - lnMin) / (lnMax - lnMin));
}

TPoint TCustomPolarSeries::CalcPointXY(int32_t Index) const {
  const double y = GetYValue(Index);
  return PointAtAngle(GetXValue(Index) * kDegree, RadiusDistance(y, RadiusX), RadiusDistance(y, RadiusY));
}

// ============================================================================
// Points
// ============================================================================

TColor TCustomPolarSeries::PointColour(int32_t Index) const { return Index < 0 ? GetSeriesColor() : ValueColor(Index); }

void TCustomPolarSeries::UseLinePen(TColor Colour) {
  TCanvas3D& c = Canvas();
  if (Pen()->GetVisible())
    c.UsePenColor(*Pen(), Pen()->GetColor() == clDefault ? Colour : Pen()->GetColor());
  else if (c.Pen)
    c.Pen->SetStyle(psClear);
  c.SetBackMode(1);
}

void TCustomPolarSeries::DrawPoint(int32_t Index) {
  if (!ChartCanvas()) return;
  const TPoint p = CalcPointXY(Index);
  UseLinePen(PointColour(Index));
  DrawToPoint(Index, p.X, p.Y);
  FPrevious = p;
}

void TCustomPolarSeries::FillSegment(int32_t ValueIndex, TPoint P0, TPoint P1) {
  if (Brush()->GetStyle() == TBrushStyle::bsClear) return;
  TCanvas3D& c = Canvas();
  c.UseBrushColor(*Brush(), PointColour(ValueIndex));
  if (c.Pen) c.Pen->SetStyle(psClear);
  const TPoint centre(CentreX, CentreY);
  {
    TRect r;
    if (FTransparency > 0) {
      const std::array<TPoint, 3> p = {c.PointTo2D(P0, StartZ), c.PointTo2D(P1, StartZ), c.PointTo2D(centre, StartZ)};
      r = TriangleRect(p);
    }
    const TBlendScope blend(c, r, FTransparency);
    c.TriangleAtDepth(P0, P1, centre, StartZ);
  }
  UseLinePen(PointColour(ValueIndex));
}

void TCustomPolarSeries::DrawToPoint(int32_t ValueIndex, int32_t X, int32_t Y) {
  TCanvas3D& c = Canvas();
  const TPoint p(X, Y);
  if (ValueIndex == FirstValueIndex) {
    c.MoveTo3D(X, Y, StartZ);
  } else if (p != FPrevious) {
    FillSegment(ValueIndex, p, FPrevious);
    c.LineAtDepth(FPrevious.X, FPrevious.Y, X, Y, StartZ);
  }
  if (ValueIndex != LastValueIndex || !FCloseCircle || FirstValueIndex < 0) return;
  if (GetColorEachPoint() && Brush()->GetStyle() != TBrushStyle::bsClear) UseLinePen(PointColour(0));
  const TPoint first = CalcPointXY(FirstValueIndex);
  FillSegment(ValueIndex, first, p);
  c.LineAtDepth(X, Y, first.X, first.Y, StartZ);
}

void TPolarBarSeries::DrawToPoint(int32_t ValueIndex, int32_t X, int32_t Y) {
  if (IsNull(ValueIndex)) return;
  TCanvas3D& c = Canvas();
  c.UsePenColor(*Pen(), PointColour(ValueIndex));
  c.LineAtDepth(CentreX, CentreY, X, Y, StartZ);
}

TSeriesPointerStyle TCustomPolarSeries::PointerStyleOf(int32_t Index) {
  return OnGetPointerStyle ? OnGetPointerStyle(this, Index) : FPointer->GetStyle();
}

void TCustomPolarSeries::DrawPoints() {
  TCircledSeries::DrawPoints();
  if (!FPointer->GetVisible() || !ChartCanvas()) return;
  for (int32_t i = FirstValueIndex; i >= 0 && i <= LastValueIndex; ++i) {
    if (IsNull(i)) continue;
    const TPoint p = CalcPointXY(i);
    const TColor colour = PointColour(i);
    FPointer->PrepareCanvas(Canvas(), colour);
    FPointer->DrawOnChart(p.X, p.Y, colour, PointerStyleOf(i));
  }
}

void TCustomPolarSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) {
    marks->SetZPosition(StartZ);
    marks->ApplyCalloutOffset(Position);
  }
  TCircledSeries::PaintMark(Index, Text, Position);
}

int32_t TCustomPolarSeries::PointAtPixel(int32_t X, int32_t Y) {
  const int32_t base = TCircledSeries::PointAtPixel(X, Y);
  if (base != -1 || !ChartCanvas() || Count() == 0) return base;
  TPoint m(X, Y);
  Canvas().ScreenTo3D(m.X, m.Y, StartZ);
  const TPoint centre(CentreX, CentreY);
  const bool filled = Brush()->GetStyle() != TBrushStyle::bsClear;
  TPoint previous(0, 0);
  for (int32_t i = 0; i < Count(); ++i) {
    const TPoint p = CalcPointXY(i);
    if (p == m) return i;
    if (FPointer->GetVisible() && PointerStyleOf(i) != TSeriesPointerStyle::psNothing &&
        std::abs(p.X - m.X) < FPointer->GetHorizSize() && std::abs(p.Y - m.Y) < FPointer->GetVertSize())
      return i;
    if (i > 0) {
      if (filled ? PlotProcs::PointInTriangle(m, p, previous, centre)
                 : Pen()->GetVisible() && PlotProcs::PointOnLinePoints(m, previous, p))
        return i - 1;
    }
    previous = p;
  }
  if (FCloseCircle && Count() > 1) {
    const TPoint first = CalcPointXY(0);
    if (filled ? PlotProcs::PointInTriangle(m, previous, first, centre)
               : Pen()->GetVisible() && PlotProcs::PointOnLinePoints(m, previous, first))
      return Count() - 1;
  }
  return -1;
}

void TCustomPolarSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  if (!ChartCanvas()) return;
  TCanvas3D& c = Canvas();
  const TColor colour = Item == -1 ? GetSeriesColor() : LegendEntryColor(Item);
  const int32_t midX = (Rect.Left + Rect.Right) / 2, midY = (Rect.Top + Rect.Bottom) / 2;
  if (Pen()->GetVisible()) {
    UseLinePen(colour);
    c.HorizLine(Rect.Left, Rect.Right, midY);
  }
  if (FPointer->GetVisible()) {
    FPointer->PrepareCanvas(c, colour);
    const int32_t w = Rect.Right - Rect.Left, h = Rect.Bottom - Rect.Top;
    FPointer->DrawPointer(c, false, midX, midY, std::min(FPointer->GetHorizSize(), w / 3 + 1),
                          std::min(FPointer->GetVertSize(), h / 3 + 1), colour, FPointer->GetStyle());
  }
  if (!Pen()->GetVisible() && !FPointer->GetVisible()) TCircledSeries::PaintLegendSymbol(Item, Rect);
}

// ============================================================================
// The frame: circle, back, gradient, grid, labels and axes
// ============================================================================

bool TCustomPolarSeries::DrawsFrame() const {
  if (!FParentChart) return false;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s->GetActive() && s->InheritsFrom(ClassType())) return s == this;
  }
  return false;
}

bool TCustomPolarSeries::IsLastOfKind() const {
  if (!FParentChart) return false;
  TChartSeriesList& list = FParentChart->GetSeriesList();
  for (int32_t i = list.IndexOf(this) + 1; i < list.Count(); ++i) {
    TChartSeries* s = list.GetSeries(i);
    if (s->InheritsFrom(ClassType())) return false;
  }
  return true;
}

bool TCustomPolarSeries::AxesBehind() const {
  TCustomAxisPanel* panel = Panel();
  if (!panel) return true;
  bool behind = panel->GetAxisBehind();
  if (panel->GetView3D() && !panel->View3DOptions()->GetOrthogonal() && panel->IsPlaneMirrored(panel->Width3D))
    behind = !behind;
  return behind;
}

void TCustomPolarSeries::BeforeDrawPoints() {
  TCircledSeries::BeforeDrawPoints();
  TCustomAxisPanel* panel = Panel();
  if (!panel || !ChartCanvas()) return;
  const bool first = DrawsFrame();
  if (first && FCircleLabels && !FCircleLabelsInside) {
    TCanvas3D& c = Canvas();
    c.UseFont(*FCircleLabelsFont);
    const int32_t h = c.FontHeight() + 2, w = c.TextWidth("360");
    panel->ChartRect.Top += h;
    panel->ChartRect.Bottom -= h;
    panel->ChartRect.Left += w;
    panel->ChartRect.Right -= w;
  }
  TCircledSeries::BeforeDrawPoints();
  if (first) DrawFrame();
}

void TCustomPolarSeries::AfterDrawPoints() {
  TCircledSeries::AfterDrawPoints();
  if (Panel() && ChartCanvas() && !AxesBehind() && IsLastOfKind()) DrawAxesAndGrid();
}

std::vector<TPoint> TCustomPolarSeries::RadarPolygon(int32_t RX, int32_t RY) const {
  std::vector<TPoint> points;
  if (FRadarPointCount <= 0) return points;
  const double step = 360.0 / FRadarPointCount;
  for (int32_t i = 0; i < FRadarPointCount; ++i) points.push_back(PointAtAngle(i * step * kDegree, RX, RY));
  return points;
}

void TCustomPolarSeries::DrawCircleShape(int32_t RX, int32_t RY, int32_t Z) {
  TCanvas3D& c = Canvas();
  if (FRadarPointCount > 0)
    c.PolygonAtDepth(RadarPolygon(RX, RY), Z);
  else
    c.EllipseAtDepth(CentreX - RX, CentreY - RY, CentreX + RX, CentreY + RY, Z);
}

void TCustomPolarSeries::DrawFrame() {
  TCustomAxisPanel* panel = Panel();
  TCanvas3D& c = Canvas();
  const bool flat = !panel->GetView3D() || panel->View3DOptions()->GetOrthogonal();
  if (c.Brush) {
    c.Brush->SetStyle(HasCircleBackColor() ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
    if (HasCircleBackColor()) c.Brush->SetColor(EffectiveCircleColor());
  }
  if (panel->HasBackImage() && panel->GetBackImageInside() && flat) {
    TRect r = CircleBounds;
    r.Left += 1, r.Top += 1, r.Right += 1, r.Bottom += 1;
    if (panel->GetView3D()) r = c.RectTo2D(r, panel->Width3D);
    c.ClipEllipse(r);
    panel->DrawBackImage(r, panel->Width3D);
    c.Unclip();
    if (c.Brush) {
      c.Brush->SetStyle(HasCircleBackColor() ? TBrushStyle::bsSolid : TBrushStyle::bsClear);
      if (HasCircleBackColor()) c.Brush->SetColor(EffectiveCircleColor());
    }
  }
  c.UsePen(*FCirclePen);
  DrawCircleShape(BoundsWidth / 2, BoundsHeight / 2, EndZ);
  if (Gradient()->GetVisible()) FillCircleGradient();
  if (AxesBehind()) DrawAxesAndGrid();
}

void TCustomPolarSeries::FillCircleGradient() {
  if (FRadarPointCount <= 0) {
    TCircledSeries::FillCircleGradient();
    return;
  }
  TCustomAxisPanel* panel = Panel();
  if (!panel || !ChartCanvas()) return;
  TCanvas3D& c = Canvas();
  std::vector<TPoint> points = RadarPolygon(RadiusX, RadiusY);
  for (TPoint& p : points) p = c.PointTo2D(p, panel->Width3D);
  c.ClipPolygon(points, static_cast<int32_t>(points.size()));
  Gradient()->FillRect(c, PolygonRect(points, static_cast<int32_t>(points.size()) - 1));
  c.Unclip();
}

void TCustomPolarSeries::DrawAxesAndGrid() {
  Panel()->FireBeforeDrawAxes();
  DrawAngleLines();
  DrawRadiusCircles();
  if (Panel()->GetAxisVisible()) DrawPolarAxes();
}

void TCustomPolarSeries::DrawAngleLines() {
  TChartAxis* h = GetHorizAxisRef();
  if (!h) return;
  const bool grid = h->Grid()->GetVisible();
  if (!grid && !FCircleLabels) return;
  double step = h->GetIncrement();
  if (!(step > 0)) step = 10;
  step = std::max(step, kMinAngleStep);
  TCanvas3D& c = Canvas();
  for (int32_t i = 0;; ++i) {
    const double a = i * step;
    if (a >= 360 - 1e-12) break;
    if (FCircleLabels) DrawCircleLabel(a, i);
    if (grid) {
      UseGridPen(c, *h);
      const TPoint p = PointAtAngle(a * kDegree, RadiusX, RadiusY);
      c.LineAtDepth(CentreX, CentreY, p.X, p.Y, EndZ);
    }
  }
}

void TCustomPolarSeries::DrawRadiusCircles() {
  TChartAxis* v = GetVertAxisRef();
  if (!v || !v->Grid()->GetVisible()) return;
  const double step = v->CalcLabelsIncrement();
  const double lo = v->GetMinimum(), hi = v->GetMaximum();
  if (!(step > 0) || std::fabs(hi / step) >= 2147483647.0 || (hi - lo) / step >= 10000) return;
  TCanvas3D& c = Canvas();
  UseGridPen(c, *v);
  const auto draw = [&](double value) {
    const double f = hi == lo ? 0 : (value - lo) / (hi - lo);
    DrawCircleShape(Round(f * RadiusX), Round(f * RadiusY), EndZ);
  };
  double value = v->GetRoundFirstLabel() ? std::trunc(hi / step) * step : hi;
  if (v->GetLabelsOnAxis()) {
    while (value > hi) value -= step;
    for (; value >= lo; value -= step) draw(value);
  } else {
    while (value >= hi) value -= step;
    for (; value > lo; value -= step) draw(value);
  }
}

void TCustomPolarSeries::DrawPolarAxes() {
  TCustomAxisPanel* panel = Panel();
  TChartAxis* v = GetVertAxisRef();
  if (!v) return;
  const double lo = v->GetMinimum(), hi = v->GetMaximum(), inc = v->GetIncrement();
  const bool radar = FRadarPointCount > 0 || InheritsFrom(TRadarSeries::StaticClass());
  // Draws Axis along its line; Inverted is set for the drawing when asked.
  const auto draw = [&](TChartAxis* axis, int32_t linePos, int32_t start, int32_t end, int32_t sign, int inverted) {
    if (!axis || !axis->GetVisible()) return;
    const LogarithmicScope log(*axis, v->GetLogarithmic());
    if (inverted >= 0) axis->SetInvertedField(inverted != 0);
    const int32_t labels = linePos + sign * axis->SizeTickAxis();
    const int32_t title = labels + sign * axis->SizeLabels();
    axis->CustomDrawMinMax(labels, title, linePos, start, end, lo, hi, inc, false);
  };
  TChartAxis* right = panel->RightAxis();
  draw(right, CentreX, CentreY - RadiusY, CentreY, 1, radar ? int(v->GetInverted()) : -1);
  if (radar) return;
  draw(panel->LeftAxis(), CentreX, CentreY, CentreY + RadiusY, -1, 1);
  if (panel->LeftAxis()->GetVisible()) panel->LeftAxis()->SetInvertedField(false);
  draw(panel->TopAxis(), CentreY, CentreX - RadiusX, CentreX, -1, 1);
  if (panel->TopAxis()->GetVisible()) panel->TopAxis()->SetInvertedField(false);
  draw(panel->BottomAxis(), CentreY, CentreX, CentreX + RadiusX, 1, -1);
}

void TCustomPolarSeries::DrawCircleLabel(double Angle, int32_t Index) {
  TCanvas3D& c = Canvas();
  if (Angle >= 360) Angle -= 360;
  const std::string text = GetCircleLabel(Angle, Index);
  c.UseFont(*FCircleLabelsFont);
  c.SetBackMode(1);
  const int32_t h = c.FontHeight();
  int32_t rx = RadiusX, ry = RadiusY;
  double factor = FLabelsMargin / 100.0;
  if (FCircleLabelsInside) {
    rx -= c.TextWidth("   ");
    ry -= h;
    factor = -factor;
  }
  rx += Round(rx * factor);
  ry += Round(ry * factor);
  TPoint p = PointAtAngle(Angle * kDegree, rx, ry);
  double a = Angle + GetRotationAngle();
  if (FCircleLabelsRotated) {
    const double s = (a <= 90 || a >= 270) ? -1 : 1;
    p.X += Round(s * (std::sin(a * kDegree) * h / 2));
    p.Y += Round(s * (std::cos(a * kDegree) * h / 2));
    if (a >= 360) a -= 360;
    double textAngle = a;
    if (a <= 90 || a >= 270) {
      c.SetTextAlign(TA_LEFT);
    } else {
      c.SetTextAlign(TA_RIGHT);
      textAngle = a + 180;
    }
    c.RotatedText3D(p.X, p.Y, EndZ, text, textAngle);
    return;
  }
  while (a >= 360) a -= 360;
  if (a == 0 || a == 180)
    p.Y -= h / 2;
  else if (a > 0 && a < 180)
    p.Y -= h;
  const bool leftSide = a <= 90 || a >= 270;
  if (a == 90 || a == 270)
    c.SetTextAlign(TA_CENTER);
  else
    c.SetTextAlign(leftSide != FCircleLabelsInside ? TA_LEFT : TA_RIGHT);
  if (a == 0)
    p.X += c.TextWidth("0") / 2;
  else if (a == 180)
    p.X -= c.TextWidth("0") / 2;
  c.TextOut3D(p.X, p.Y, EndZ, text);
}

std::string TCustomPolarSeries::GetCircleLabel(double Angle, int32_t /*Index*/) {
  double a = FClockWiseLabels ? 360 - Angle : Angle;
  if (a == 360) a = 0;
  return SysUtils::FloatToStr(a) + PlotPolar::DegreeSymbol;
}

// ============================================================================
// Radar
// ============================================================================

void TRadarSeries::PrepareDraw() {
  TCustomPolarSeries::PrepareDraw();
  SetRotationAngle(90);
  int32_t most = 0;
  if (FParentChart) {
    TChartSeriesList& list = FParentChart->GetSeriesList();
    for (int32_t i = 0; i < list.Count(); ++i)
      if (list.GetSeries(i)->GetActive()) most = std::max(most, list.GetSeries(i)->Count());
  }
  FRadarPointCount = most;
  if (most > 0) SetAngleIncrement(360.0 / most);
}

double TRadarSeries::GetXValue(int32_t Index) const {
  if (FRadarPointCount <= 0) return 0;
  const int32_t i = GetClockWiseLabels() ? Count() - Index - 1 : Index;
  return 360.0 / FRadarPointCount * i;
}

std::string TRadarSeries::GetCircleLabel(double /*Angle*/, int32_t Index) {
  const int32_t i = GetClockWiseLabels() ? Count() - Index - 1 : Index;
  const std::string label = i >= 0 && i < Count() ? GetLabel(i) : std::string();
  return label.empty() ? std::to_string(i) : label;
}

// ============================================================================
// Gallery and samples
// ============================================================================

void TCustomPolarSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCircledSeries::ListGalleryVariants(Callback);
  for (const char* v : {"No Point", "No Line", "Filled", "Labels", "No Border", "No Circle"}) Callback(v);
}

void TCustomPolarSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TCustomPolarSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->Pointer()->SetVisible(false); break;
    case 2: s->Pen()->Hide(); break;
    case 3: s->Brush()->SetStyle(TBrushStyle::bsSolid); break;
    case 4: s->SetCircleLabels(true); break;
    case 5: s->Pointer()->Pen()->Hide(); break;
    case 6: s->CirclePen()->Hide(); break;
    default: TCircledSeries::ApplyGalleryVariant(Series, Index); break;
  }
}

void TCustomPolarSeries::PrepareForGallery(bool Enabled) {
  TCircledSeries::PrepareForGallery(Enabled);
  SetCircled(true);
  if (TChartAxis* h = GetHorizAxisRef()) h->SetIncrement(90);
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

void TRadarSeries::PrepareForGallery(bool Enabled) {
  TCustomPolarSeries::PrepareForGallery(Enabled);
  FillSampleValues(NumSampleValues());
}

void TCustomPolarSeries::SortByMandatory() {
  if (XValues()->GetOrder() != loNone) XValues()->Sort();
  Repaint();
}

int32_t TCustomPolarSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  int32_t last = -1;
  for (int32_t i = 1; i <= N; ++i) last = AppendPoint(360.0 / N * i, RandomValue(1000) + 1);
  return last;
}

int32_t TRadarSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  static const char* const kLabels[5] = {"Cars", "Phones", "Tables", "Monitors", "Lamps"};
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) last = Add(RandomValue(1000), kLabels[i % 5]);
  return last;
}

// ============================================================================
// Registration
// ============================================================================

namespace PlotPolar {

namespace {
const std::string kExtended = "Extended", kPolar = "Polar", kRadar = "Radar", kPolarBar = "Polar Bar";
}  // namespace

void Initialization() {
  if (DegreeSymbol.empty()) DegreeSymbol = "\u00B0";
  const struct {
    TClass Class;
    const std::string* Name;
  } types[] = {{TPolarSeries::StaticClass(), &kPolar},
               {TRadarSeries::StaticClass(), &kRadar},
               {TPolarBarSeries::StaticClass(), &kPolarBar}};
  for (const auto& t : types)
    if (!Chart::SeriesTypes().TypeOfSeriesClass(t.Class)) Chart::AddSeriesType(t.Class, t.Name, &kExtended, 2);
}

void Finalization() {
  Chart::RemoveSeriesTypes(
      {TPolarSeries::StaticClass(), TRadarSeries::StaticClass(), TPolarBarSeries::StaticClass()});
  DegreeSymbol.clear();
}

}  // namespace PlotPolar
