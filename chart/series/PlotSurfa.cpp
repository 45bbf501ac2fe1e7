// The 3-D series base (a Z list and depth positions) and the palette series
// base (colours of values through a colour range or a stepped palette).
#include "chart/series/PlotSurfa.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Pixels.h"

// ============================================================================
// TCustom3DSeries
// ============================================================================

KV_CLASS_IMPL(TCustom3DSeries, TChartSeries) {
  c.Property("TimesZOrder", &TCustom3DSeries::GetTimesZOrder, &TCustom3DSeries::SetTimesZOrder).Default(3);
  c.Property("ZValues", &TCustom3DSeries::ZValues);
}

TCustom3DSeries::TCustom3DSeries(TComponent* Owner) : TChartSeries(Owner) {
  HasZValues = true;
  CalcVisiblePoints = false;
  FZ = new TChartValueList(this, "Z");
  XValues()->SetOrder(loNone);
}

void TCustom3DSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustom3DSeries*>(Source)) {
    FZ->Assign(s->FZ);
    FTimesZOrder = s->FTimesZOrder;
  }
  TChartSeries::Assign(Source);
}

void TCustom3DSeries::ResolveDepthOrder() {
  TChartSeries::ResolveDepthOrder();
  if (FParentChart) FParentChart->SetMaxZOrder(FTimesZOrder);
}

void TCustom3DSeries::PrepareLegendCanvas(int32_t Item, TColor& BackColor, TBrushStyle& BrushStyle) {
  TChartSeries::PrepareLegendCanvas(Item, BackColor, BrushStyle);
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (panel && panel->LegendMode == 1)
    if (TCanvas3D* c = FParentChart->GetCanvas()) c->Pen->SetStyle(psClear);
}

TChartValueList* TCustom3DSeries::ValueListForAxis(const TChartAxis* Axis) const {
  if (Axis && Axis->IsDepthAxis()) return FZ;
  return TChartSeries::ValueListForAxis(Axis);
}

bool TCustom3DSeries::AssociatedToAxis(const TChartAxis* Axis) const {
  return (Axis && Axis->IsDepthAxis()) || TChartSeries::AssociatedToAxis(Axis);
}

bool TCustom3DSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TCustom3DSeries*>(Component) != nullptr && TChartSeries::AcceptsDataSource(Component);
}

int32_t TCustom3DSeries::AddPointXYZ(double X, double Y, double Z) { return AddXYZ(X, Y, Z, {}, clDefault); }

int32_t TCustom3DSeries::AddXYZ(double X, double Y, double Z, const std::string& Label, TColor Colour) {
  // The Z value waits as the list's pending value until the point is added.
  const int32_t n = AppendPoint(X, Y, Label, Colour);
  FZ->SetValue(n, Z);
  return n;
}

int32_t TCustom3DSeries::ZPixelOf(int32_t Index) const {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (!panel) return 0;
  return panel->DepthAxis()->ValueToPixel(FZ->GetValue(Index));
}

void TCustom3DSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  if (Marks()) Marks()->SetZPosition(ZPixelOf(Index));
  TChartSeries::PaintMark(Index, Text, Position);
}

// ============================================================================
// TCustom3DPaletteSeries
// ============================================================================

namespace {

constexpr TColor kRainbow[25] = {0x000099, 0x0000C3, 0x0000EE, 0x001AFF, 0x0046FF, 0x0073FF, 0x009FFF,
                                 0x00CBFF, 0x00F7FF, 0x08F4E3, 0x11E7C3, 0x1BDAA3, 0x25CD83, 0x2EC063,
                                 0x38B342, 0x42A622, 0x4B9A02, 0x6A870C, 0x8A751A, 0xAA6328, 0xCB5036,
                                 0xEB3E44, 0xFF2A61, 0xFF1596, 0xFF00CC};

int32_t Channel(TColor C, int K) { return (C >> (8 * K)) & 0xFF; }

}  // namespace

KV_CLASS_IMPL(TCustom3DPaletteSeries, TCustom3DSeries) {
  c.Editor("TGrid3DSeriesEditor");
  c.Property("EndColor", &TCustom3DPaletteSeries::GetEndColor, &TCustom3DPaletteSeries::SetEndColor)
      .Kind(TPropKind::pkColor)
      .Default(clWhite);
  c.Property("LegendEvery", &TCustom3DPaletteSeries::GetLegendEvery, &TCustom3DPaletteSeries::SetLegendEvery)
      .Default(1);
  c.Property("MidColor", &TCustom3DPaletteSeries::GetMidColor, &TCustom3DPaletteSeries::SetMidColor)
      .Kind(TPropKind::pkColor)
      .Default(clNone);
  c.Property("PaletteMin", &TCustom3DPaletteSeries::GetPaletteMin, &TCustom3DPaletteSeries::SetPaletteMin)
      .Default(0.0);
  c.Property("PaletteStep", &TCustom3DPaletteSeries::GetPaletteStep, &TCustom3DPaletteSeries::SetPaletteStep)
      .Default(0.0);
  c.Property("PaletteSteps", &TCustom3DPaletteSeries::GetPaletteSteps, &TCustom3DPaletteSeries::SetPaletteSteps)
      .Default(32);
  c.Property("PaletteStyle", &TCustom3DPaletteSeries::GetPaletteStyle, &TCustom3DPaletteSeries::SetPaletteStyle)
      .Names({"psPale", "psStrong", "psGrayScale", "psInvGray", "psRainbow"})
      .Default(TPlotPaletteStyle::psPale);
  c.Property("StartColor", &TCustom3DPaletteSeries::GetStartColor, &TCustom3DPaletteSeries::SetStartColor)
      .Kind(TPropKind::pkColor)
      .Default(0x800000);
  c.Property("UseColorRange", &TCustom3DPaletteSeries::GetUseColorRange, &TCustom3DPaletteSeries::SetUseColorRange)
      .Default(true);
  c.Property("UsePalette", &TCustom3DPaletteSeries::GetUsePalette, &TCustom3DPaletteSeries::SetUsePalette)
      .Default(false);
  c.Property("UsePaletteMin", &TCustom3DPaletteSeries::GetUsePaletteMin, &TCustom3DPaletteSeries::SetUsePaletteMin)
      .Default(false);
}

TCustom3DPaletteSeries::TCustom3DPaletteSeries(TComponent* Owner) : TCustom3DSeries(Owner) { CalcColorRange(); }

TCustom3DPaletteSeries::~TCustom3DPaletteSeries() { FPalette.clear(); }

void TCustom3DPaletteSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustom3DPaletteSeries*>(Source)) {
    FUsePalette = s->FUsePalette;
    FUseColorRange = s->FUseColorRange;
    FStartColor = s->FStartColor;
    FEndColor = s->FEndColor;
    FMidColor = s->FMidColor;
    FLegendEvery = s->FLegendEvery;
    FPaletteSteps = s->FPaletteSteps;
    FPalette = s->FPalette;
    FUsePaletteMin = s->FUsePaletteMin;
    FPaletteStep = s->FPaletteStep;
    FPaletteMin = s->FPaletteMin;
    FPaletteStyle = s->FPaletteStyle;
    CalcColorRange();
  }
  TCustom3DSeries::Assign(Source);
}

void TCustom3DPaletteSeries::SetRangeColor(TColor& Field, TColor Value) {
  SetColorProperty(Field, Value);
  CalcColorRange();
}

void TCustom3DPaletteSeries::CalcColorRange() {
  for (int k = 0; k < 3; ++k) {
    FEnd[k] = Channel(FEndColor, k);
    if (FMidColor != clNone) {
      FMid[k] = Channel(FMidColor, k);
      FDiffLow[k] = FMid[k] - FEnd[k];
      FDiffHigh[k] = Channel(FStartColor, k) - FMid[k];
    } else {
      FDiffHigh[k] = Channel(FStartColor, k) - FEnd[k];
    }
  }
  TChartValueList* list = MandatoryList();
  const double range = list && list->Count() > 0 ? list->Range() : 0;
  FInvRange = range == 0 ? 0 : 1.0 / range;
}

TColor TCustom3DPaletteSeries::RangeColor(double F) const {
  int32_t ch[3];
  for (int k = 0; k < 3; ++k) {
    int32_t v;
    if (FMidColor == clNone)
      v = FEnd[k] + Pixels::Round(F * FDiffHigh[k]);
    else if (F >= 0.5)
      v = FMid[k] + Pixels::Round((F - 0.5) * 2 * FDiffHigh[k]);
    else
      v = FEnd[k] + Pixels::Round(2 * F * FDiffLow[k]);
    ch[k] = std::clamp(v, 0, 255);
  }
  return ch[0] + 256 * ch[1] + 65536 * ch[2];
}

TColor TCustom3DPaletteSeries::ColorOfValue(double Value) const {
  if (FUseColorRange) {
    TChartValueList* list = MandatoryList();
    // The range follows the values as they are now, not as at the last draw.
    const double range = list && list->Count() > 0 ? list->Range() : 0;
    const double inv = range == 0 ? 0 : 1.0 / range;
    if (inv == 0) return FEndColor;
    const double d = Value - list->MinValue();
    if (d < 0) return FEndColor;
    if (Value > list->MaxValue()) return FStartColor;
    return RangeColor(std::min(d * inv, 1.0));
  }
  if (FUsePalette && !FPalette.empty()) {
    for (const TPlotPaletteEntry& e : FPalette)
      if (e.UpToValue > Value) return e.Color;
    return FPalette.back().Color;
  }
  return GetSeriesColor();
}

TColor TCustom3DPaletteSeries::ValueColor(int32_t Index) const {
  TColor c = GetStoredColor(Index);
  if (c == clDefault) {
    if (GetColorEachPoint() || (!FUseColorRange && !FUsePalette))
      c = TCustom3DSeries::ValueColor(Index);
    else
      c = ColorOfValue(MandatoryList()->GetValue(Index));
  }
  if (OnGetColor) OnGetColor(const_cast<TCustom3DPaletteSeries*>(this), Index, c);
  return c;
}

void TCustom3DPaletteSeries::AddPaletteEntry(double UpTo, TColor Color) {
  auto it = std::find_if(FPalette.begin(), FPalette.end(), [&](const TPlotPaletteEntry& e) { return e.UpToValue > UpTo; });
  FPalette.insert(it, TPlotPaletteEntry{UpTo, Color});
}

void TCustom3DPaletteSeries::BuildPalette(int32_t Steps) {
  FPalette.clear();
  TChartValueList* list = MandatoryList();
  const bool any = list && list->Count() > 0;
  const double step = FPaletteStep != 0 ? FPaletteStep : (any ? list->Range() : 0) / std::max(1, Steps - 1);
  const double start = FUsePaletteMin ? FPaletteMin : (any ? list->MinValue() : 0);
  for (int32_t i = 0; i < Steps; ++i) {
    TColor colour;
    const double n = Steps;
    switch (FPaletteStyle) {
      case TPlotPaletteStyle::psRainbow: colour = kRainbow[i % 25]; break;
      case TPlotPaletteStyle::psGrayScale: {
        const int32_t g = std::clamp(Pixels::Round(i * 255.0 / n), 0, 255);
        colour = g + 256 * g + 65536 * g;
        break;
      }
      case TPlotPaletteStyle::psInvGray: {
        const int32_t g = std::clamp(255 - Pixels::Round(i * 255.0 / n), 0, 255);
        colour = g + 256 * g + 65536 * g;
        break;
      }
      default: {
        const double a = i * (FPaletteStyle == TPlotPaletteStyle::psPale ? std::numbers::pi : 2 * std::numbers::pi) / n;
        const int32_t r = static_cast<int32_t>(std::trunc((std::sin(a / 2.0) + 1) * 127));
        const int32_t g = static_cast<int32_t>(std::trunc((std::sin(a) + 1) * 127));
        const int32_t b = static_cast<int32_t>(std::trunc((std::cos(a) + 1) * 127));
        colour = r + 256 * g + 65536 * b;
        break;
      }
    }
    AddPaletteEntry(start + i * step, colour);
  }
  Repaint();
}

void TCustom3DPaletteSeries::PrepareDraw() {
  TCustom3DSeries::PrepareDraw();
  if (Count() > 0 && FPalette.empty()) BuildPalette(FPaletteSteps);
  CalcColorRange();
}

void TCustom3DPaletteSeries::Clear() {
  TCustom3DSeries::Clear();
  if (FUsePalette) FPalette.clear();
}

void TCustom3DPaletteSeries::SetUseColorRange(bool Value) {
  SetBooleanField(FUseColorRange, Value);
  if (Value) SetColorEachPoint(false);
}

void TCustom3DPaletteSeries::SetUsePalette(bool Value) {
  SetBooleanField(FUsePalette, Value);
  if (!Value) return;
  SetColorEachPoint(false);
  if (FPalette.empty() && Count() > 0) BuildPalette(FPaletteSteps);
}

void TCustom3DPaletteSeries::SetPaletteStyle(TPlotPaletteStyle Value) {
  if (FPaletteStyle == Value) return;
  FPaletteStyle = Value;
  FPalette.clear();
  Repaint();
}

void TCustom3DPaletteSeries::SetPaletteMin(double Value) {
  FPaletteMin = Value;
  BuildPalette(FPaletteSteps);
}

void TCustom3DPaletteSeries::SetPaletteStep(double Value) {
  FPaletteStep = Value;
  BuildPalette(FPaletteSteps);
}

void TCustom3DPaletteSeries::SetUsePaletteMin(bool Value) {
  FUsePaletteMin = Value;
  BuildPalette(FPaletteSteps);
}

void TCustom3DPaletteSeries::SetPaletteSteps(int32_t Value) {
  // A palette needs at least one entry.
  if (Value < 1) throw ChartException("Palette steps must be at least 1 (given " + std::to_string(Value) + ").");
  FPaletteSteps = Value;
  BuildPalette(FPaletteSteps);
}

// ---- legend ----

int32_t TCustom3DPaletteSeries::LegendEntryCount() const {
  if (!ShowsPaletteLegend()) return TCustom3DSeries::LegendEntryCount();
  const int32_t l = static_cast<int32_t>(FPalette.size());
  if (FLegendEvery < 2) return l;
  return (l + FLegendEvery - 1) / FLegendEvery;
}

int32_t TCustom3DPaletteSeries::LegendPaletteIndex(int32_t Item) const {
  return static_cast<int32_t>(FPalette.size()) - 1 - Item * std::max(1, FLegendEvery);
}

TColor TCustom3DPaletteSeries::LegendEntryColor(int32_t Item) const {
  if (!ShowsPaletteLegend()) return TCustom3DSeries::LegendEntryColor(Item);
  const int32_t p = LegendPaletteIndex(Item);
  if (p < 0 || p >= static_cast<int32_t>(FPalette.size())) return GetSeriesColor();
  return FUseColorRange ? ColorOfValue(FPalette[p].UpToValue) : FPalette[p].Color;
}

std::string TCustom3DPaletteSeries::GetLegendString(int32_t Item, TLegendTextStyle Style) const {
  if (!ShowsPaletteLegend()) return TCustom3DSeries::GetLegendString(Item, Style);
  const int32_t p = LegendPaletteIndex(Item);
  if (p < 0 || p >= static_cast<int32_t>(FPalette.size())) return {};
  return SysUtils::FormatFloat(GetValueFormat(), FPalette[p].UpToValue);
}

void TCustom3DPaletteSeries::PaintLegendSymbol(int32_t Item, const TRect& Rect) {
  TCanvas3D* canvas = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (Item != -1 || !FUseColorRange || !canvas) {
    TCustom3DSeries::PaintLegendSymbol(Item, Rect);
    return;
  }
  canvas->Brush->SetStyle(bsClear);
  canvas->RectangleRect(Rect);
  TPlotGradient g;
  g.SetDirection(gdTopBottom);
  g.SetStartColor(FEndColor);
  g.SetMidColor(FMidColor);
  g.SetEndColor(FStartColor);
  g.SetVisible(true);
  g.FillRect(*canvas, TRect(Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1));
}

// ---- gallery ----

void TCustom3DPaletteSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DSeries::ListGalleryVariants(Callback);
  Callback("Color Range");
}

void TCustom3DPaletteSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TCustom3DPaletteSeries*>(Series);
  if (s && Index == 1) {
    s->SetUseColorRange(true);
    s->SetUsePalette(false);
    return;
  }
  TCustom3DSeries::ApplyGalleryVariant(Series, Index);
}

void TCustom3DPaletteSeries::PrepareForGallery(bool Enabled) {
  TCustom3DSeries::PrepareForGallery(Enabled);
  SetUseColorRange(false);
  Pen()->SetColor(Enabled ? clBlack : 0x808080);
  SetUsePalette(Enabled);
  SetPaletteStyle(TPlotPaletteStyle::psRainbow);
}

void TCustom3DPaletteSeries::PrepareGallery3D(bool Is3D) {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (!panel) return;
  panel->SetView3D(true);
  TView3DOptions& o = *panel->View3DOptions();
  o.SetZoom(60);
  o.SetVertOffset(-2);
  if (Is3D) {
    o.SetRotation(335);
    o.SetElevation(340);
    o.SetPerspective(160);
  } else {
    o.SetRotation(0);
    o.SetElevation(270);
    o.SetPerspective(0);
  }
}

namespace PlotSurfa {

bool DrawBackToFront(TChartSeries* Series) {
  auto* panel = Series ? dynamic_cast<TCustomAxisPanel*>(Series->GetParentChart()) : nullptr;
  if (!panel) return false;
  bool r = panel->DepthAxis()->GetInverted();
  const int32_t rot = panel->View3DOptions()->GetRotation();
  if (rot > 90 && rot < 270) r = !r;
  return r;
}

}  // namespace PlotSurfa
