// The wind-rose and clock series: compass and dial labels, the clock's hands,
// its one-second repaint, the chart axes it hides while it is shown, and the
// registration of both types.
#include "chart/extras/PlotRose.h"

#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ExtCtrls.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// Compass texts every 15 degrees, counter-clockwise from north.
const char* const kCompass[24] = {"N",  "NNNW", "NNW",  "NW", "NWW", "NWWW", "W",  "SWWW",
                                  "SWW", "SW",  "SSW",  "SSSW", "S",  "SSSE", "SSE", "SE",
                                  "SEE", "SEEE", "E",   "NEEE", "NEE", "NE",   "NNE", "NNNE"};

const char* const kRoman[12] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

}  // namespace

KV_CLASS_IMPL(TCustom2DPolarSeries, TCustomPolarSeries) {}

KV_CLASS_IMPL(TWindRoseSeries, TCustom2DPolarSeries) {
  using S = TWindRoseSeries;
  c.Property("AngleIncrement", &S::GetAngleIncrement, &S::SetAngleIncrement).Default(10.0);
  c.Property("AngleValues", &S::AngleValues);
  c.Property("CircleBackColor", &S::GetCircleBackColor, &S::SetCircleBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("CircleGradient", &S::Gradient);
  c.Property("CircleLabels", &S::GetCircleLabels, &S::SetCircleLabels).Default(true);
  c.Property("CircleLabelsFont", &S::CircleLabelsFont);
  c.Property("CircleLabelsInside", &S::GetCircleLabelsInside, &S::SetCircleLabelsInside).Default(false);
  c.Property("CircleLabelsRotated", &S::GetCircleLabelsRotated, &S::SetCircleLabelsRotated).Default(false);
  c.Property("CirclePen", &S::CirclePen);
  c.Property("CloseCircle", &S::GetCloseCircle, &S::SetCloseCircle).Default(true);
  c.Property("MirrorLabels", &S::GetMirrorLabels, &S::SetMirrorLabels).Default(false);
  c.Property("Pointer", &S::Pointer);
  c.Property("RadiusIncrement", &S::GetRadiusIncrement, &S::SetRadiusIncrement).Default(0.0);
  c.Property("RadiusValues", &S::RadiusValues).Stored(&S::IsRadiusValuesStored);
  c.Property("RotationAngle", &S::GetRotationAngle, &S::SetRotationAngle).Default(90);
}

KV_CLASS_IMPL(TClockSeries, TCustom2DPolarSeries) {
  using S = TClockSeries;
  c.Property("CircleBackColor", &S::GetCircleBackColor, &S::SetCircleBackColor)
      .Kind(TPropKind::pkColor)
      .Default(clDefault);
  c.Property("CircleGradient", &S::Gradient);
  c.Property("Circled", &S::GetCircled, &S::SetCircled).Default(true);
  c.Property("CircleLabels", &S::GetCircleLabels, &S::SetCircleLabels).Default(true);
  c.Property("CircleLabelsFont", &S::CircleLabelsFont);
  c.Property("CircleLabelsInside", &S::GetCircleLabelsInside, &S::SetCircleLabelsInside).Default(false);
  c.Property("CircleLabelsRotated", &S::GetCircleLabelsRotated, &S::SetCircleLabelsRotated).Default(false);
  c.Property("CirclePen", &S::CirclePen);
  c.Property("PenHours", &S::PenHours);
  c.Property("PenMinutes", &S::PenMinutes);
  c.Property("PenSeconds", &S::PenSeconds);
  c.Property("RotationAngle", &S::GetRotationAngle, &S::SetRotationAngle).Default(90);
  // The stored default differs from the constructed value on purpose: a
  // clock shown in the legend is written to stored forms.
  c.Property("ShowInLegend", &S::GetShowInLegend, &S::SetShowInLegend).Default(false);
  c.Property("Style", &S::GetStyle, &S::SetStyle).Names({"cssDecimal", "cssRoman"}).Default(cssRoman);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
}

// ============================================================================
// Flat polar series
// ============================================================================

void TCustom2DPolarSeries::ChangeView3D(bool Value) {
  TCustomPolarSeries::ChangeView3D(Value);
  if (FParentChart) FParentChart->SetView3D(false);
}

void TCustom2DPolarSeries::PrepareForGallery(bool Enabled) {
  TCustomPolarSeries::PrepareForGallery(Enabled);
  CircleLabelsFont()->SetSize(6);
  Pointer()->SetHorizSize(2);
  Pointer()->SetVertSize(2);
}

// ============================================================================
// Wind rose
// ============================================================================

TWindRoseSeries::TWindRoseSeries(TComponent* Owner) : TCustom2DPolarSeries(Owner) {
  SetCircleLabels(true);
  SetRotationAngle(90);
}

void TWindRoseSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TWindRoseSeries*>(Source)) FMirrorLabels = s->FMirrorLabels;
  TCustom2DPolarSeries::Assign(Source);
}

std::string TWindRoseSeries::GetCircleLabel(double Angle, int32_t /*Index*/) {
  const double v = std::nearbyint(FMirrorLabels ? 360 - Angle : Angle);
  if (!(v >= 0 && v <= 360) || std::fmod(v, 15) != 0) return {};
  return kCompass[static_cast<int32_t>(v / 15) % 24];
}

// ============================================================================
// Clock
// ============================================================================

TClockSeries::TClockSeries(TComponent* Owner) : TCustom2DPolarSeries(Owner) {
  Pointer()->SetVisible(false);
  Brush()->SetStyle(TBrushStyle::bsSolid);
  SetCircleLabels(true);
  SetRotationAngle(90);
  SetCircled(true);
  Add(0);
  FPenHours = CreateChartPen();
  FPenMinutes = CreateChartPen();
  FPenSeconds = CreateChartPen();
  FTimer = Create<TTimer>(this);
  FTimer->SetInterval(1000);
  FTimer->SetEnabled(false);
  FTimer->SetOnTimer([this](TObject*) { Tick(); });
}

TClockSeries::~TClockSeries() = default;

void TClockSeries::BeforeDestruction() {
  FTimer->SetEnabled(false);
  GiveAxesBack();
  TCustom2DPolarSeries::BeforeDestruction();
}

void TClockSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TClockSeries*>(Source)) {
    FPenHours->Assign(s->FPenHours.get());
    FPenMinutes->Assign(s->FPenMinutes.get());
    FPenSeconds->Assign(s->FPenSeconds.get());
    FStyle = s->FStyle;
  }
  TCustom2DPolarSeries::Assign(Source);
}

void TClockSeries::SetStyle(TClockSeriesStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Repaint();
}

void TClockSeries::Tick() {
  FTimer->SetEnabled(false);
  Repaint();
  FTimer->SetEnabled(FParentChart != nullptr);
}

void TClockSeries::TakeAxes() {
  auto* panel = Panel();
  if (!panel || FAxesTaken) return;
  FSavedAxisVisible = panel->GetAxisVisible();
  FAxesTaken = true;
  panel->SetAxisVisible(false);
}

void TClockSeries::GiveAxesBack() {
  auto* panel = Panel();
  if (!FAxesTaken) return;
  FAxesTaken = false;
  if (panel && !panel->IsChartDestroying()) panel->SetAxisVisible(FSavedAxisVisible);
}

void TClockSeries::SetParentChart(TSeriesChart* Value) {
  if (!Value) GiveAxesBack();
  const bool newChart = Value && Value != FParentChart;
  if (newChart) GiveAxesBack();
  TCustom2DPolarSeries::SetParentChart(Value);
  SetAngleIncrement(30);
  if (newChart && GetActive()) TakeAxes();
  FTimer->SetEnabled(FParentChart != nullptr && GetActive());
}

void TClockSeries::RemovedFromChart() {
  GiveAxesBack();
  FTimer->SetEnabled(false);
  TCustom2DPolarSeries::RemovedFromChart();
}

void TClockSeries::SetActive(bool Value) {
  TCustom2DPolarSeries::SetActive(Value);
  if (GetActive())
    TakeAxes();
  else
    GiveAxesBack();
  FTimer->SetEnabled(FParentChart != nullptr && GetActive());
}

TDateTime TClockSeries::GetTime() const {
  TDateTime t = SysUtils::Now();
  if (OnGetTime) OnGetTime(const_cast<TClockSeries*>(this), t);
  return t;
}

void TClockSeries::HandAngles(TDateTime Time, double& Hours, double& Minutes, double& Seconds) {
  int h = 0, m = 0, s = 0, ms = 0;
  SysUtils::DecodeTime(Time, h, m, s, ms);
  Hours = 360 - (h * 60 + m) * 360.0 / 720;
  Minutes = 360 - m * 360.0 / 60;
  Seconds = 360 - (s + ms / 1000.0) * 360 / 60;
}

std::string TClockSeries::GetCircleLabel(double Angle, int32_t /*Index*/) {
  const double v = std::nearbyint((360 - Angle) / 30);
  if (!(v >= 0 && v <= 12)) return {};
  const int32_t n = static_cast<int32_t>(v);
  if (FStyle == cssDecimal) return std::to_string(n);
  return kRoman[(n == 0 ? 12 : n) - 1];
}

std::string TClockSeries::GetLegendString(int32_t /*Item*/, TLegendTextStyle /*Style*/) const {
  return SysUtils::FormatDateTime("t", GetTime());
}

int32_t TClockSeries::AddSampleValues(int32_t /*N*/, bool /*OnlyMandatory*/) { return Add(0); }

void TClockSeries::BeforeDrawPoints() {
  TCustomAxisPanel* panel = Panel();
  if (!panel || !ChartCanvas()) {
    TCustom2DPolarSeries::BeforeDrawPoints();
    return;
  }
  const TBlendScope blend(Canvas(), panel->ChartRect, GetTransparency());
  TCustom2DPolarSeries::BeforeDrawPoints();
}

void TClockSeries::DrawPoints() {
  if (!ChartCanvas()) return;
  TCanvas3D& c = Canvas();
  double hours = 0, minutes = 0, seconds = 0;
  HandAngles(GetTime(), hours, minutes, seconds);
  c.UseBrushColor(*Brush(), GetSeriesColor());
  const TPoint centre(CentreX, CentreY);
  const auto tip = [&](double Angle, double F) {
    return PointAtAngle(Angle * kDegree, PlotCanvas::RoundToPixel(RadiusX * F / 2),
                        PlotCanvas::RoundToPixel(RadiusY * F / 2));
  };
  if (FPenHours->GetVisible()) {
    c.UsePen(*FPenHours);
    c.Arrow(true, centre, tip(hours, 1.3), 14, 20, EndZ, 50);
  }
  if (FPenMinutes->GetVisible()) {
    c.UsePen(*FPenMinutes);
    c.Arrow(true, centre, tip(minutes, 1.7), 10, 16, EndZ, 50);
  }
  const TPoint secondsTip = tip(seconds, 1.8);
  if (FPenSeconds->GetVisible()) {
    c.UsePen(*FPenSeconds);
    c.LineAtDepth(CentreX, CentreY, secondsTip.X, secondsTip.Y, EndZ);
  }
  if (Pointer()->GetVisible()) {
    const TColor colour = Pointer()->Brush()->GetColor();
    Pointer()->PrepareCanvas(c, colour);
    Pointer()->DrawOnChart(secondsTip.X, secondsTip.Y, colour, Pointer()->GetStyle());
  }
}

// ============================================================================
// Registration
// ============================================================================

namespace PlotRose {

namespace {
const std::string kOther = "Other", kWindRose = "Wind Rose", kClock = "Clock";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TWindRoseSeries::StaticClass()))
    Chart::AddSeriesType(TWindRoseSeries::StaticClass(), &kWindRose, &kOther, 1);
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TClockSeries::StaticClass()))
    Chart::AddSeriesType(TClockSeries::StaticClass(), &kClock, &kOther, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TWindRoseSeries::StaticClass(), TClockSeries::StaticClass()}); }

}  // namespace PlotRose
