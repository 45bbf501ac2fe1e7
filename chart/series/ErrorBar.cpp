// Error series (error marks on bars or alone) and the high-low series.
#include "chart/series/ErrorBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"

namespace {

TCanvas3D& CanvasOf(TSeriesChart* Chart) {
  TCanvas3D* c = Chart ? Chart->GetCanvas() : nullptr;
  if (!c) throw ChartException(PlotConst::MsgNoParentChart);
  return *c;
}

void StrokeLine(TCanvas3D& C, bool Is3D, int32_t Z, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
  if (Is3D)
    C.LineAtDepth(X0, Y0, X1, Y1, Z);
  else
    C.Line(X0, Y0, X1, Y1);
}

}  // namespace

// ============================================================================
// TCustomErrorSeries
// ============================================================================

KV_CLASS_IMPL(TCustomErrorSeries, TBarSeries) {
  c.Editor("TErrorSeriesEditor");
  using S = TCustomErrorSeries;
  c.Property("ErrorPen", &S::ErrorPen);
  c.Property("ErrorValues", &S::ErrorValues);
  c.Property("ErrorWidth", &S::GetErrorWidth, &S::SetErrorWidth).Default(100);
  c.Property("ErrorWidthUnits", &S::GetErrorWidthUnits, &S::SetErrorWidthUnits)
      .Names({"ewuPercent", "ewuPixels"})
      .Default(ewuPercent);
}

TCustomErrorSeries::TCustomErrorSeries(TComponent* Owner) : TBarSeries(Owner) {
  FErrorPen = std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
  FErrorValues = new TChartValueList(this, "StdError");
}

TCustomErrorSeries::~TCustomErrorSeries() = default;

void TCustomErrorSeries::Init() {
  TBarSeries::Init();
  if (auto* marks = dynamic_cast<TSeriesMarks*>(Marks())) marks->SetVisible(false);
}

void TCustomErrorSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomErrorSeries*>(Source)) {
    SetErrorPen(s->FErrorPen.get());
    FErrorStyle = s->FErrorStyle;
    FErrorWidth = s->FErrorWidth;
    FErrorWidthUnits = s->FErrorWidthUnits;
  }
  TBarSeries::Assign(Source);
}

void TCustomErrorSeries::SetErrorPen(const TChartPen* Value) {
  FErrorPen->Assign(Value);
  if (!DrawBar) TBarSeries::SetSeriesColor(FErrorPen->GetColor());
}

void TCustomErrorSeries::SetSeriesColor(TColor Value) {
  TBarSeries::SetSeriesColor(Value);
  if (!DrawBar) FErrorPen->SetColor(Value);
}

void TCustomErrorSeries::SetErrorStyle(TErrorSeriesStyle Value) {
  if (FErrorStyle == Value) return;
  FErrorStyle = Value;
  Repaint();
}

void TCustomErrorSeries::SetErrorWidthUnits(TErrorWidthUnits Value) {
  if (FErrorWidthUnits == Value) return;
  FErrorWidthUnits = Value;
  Repaint();
}

void TCustomErrorSeries::SetErrorValues(const TChartValueList* Value) {
  FErrorValues->Assign(Value);
  Repaint();
}

int32_t TCustomErrorSeries::AddXYError(double X, double Y, double Error, const std::string& Label, TColor Colour) {
  FErrorValues->TempValue = Error;
  return AppendPoint(X, Y, Label, Colour);
}

// ---- drawing ----

void TCustomErrorSeries::PrepareErrorPen(int32_t ValueIndex) {
  TCanvas3D& c = CanvasOf(FParentChart);
  if (ValueIndex == -1 || DrawBar)
    c.UsePen(*FErrorPen);
  else
    c.UsePenColor(*FErrorPen, ValueColor(ValueIndex));
  c.SetBackMode(TRANSPARENT);
}

int32_t TCustomErrorSeries::WhiskerWidth() const {
  if (FErrorWidth == 0) return BarBounds.Right - BarBounds.Left;
  if (FErrorWidthUnits == ewuPercent) return PlotCanvas::RoundToPixel(FErrorWidth * BarWidth * 0.01);
  return FErrorWidth;
}

void TCustomErrorSeries::PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  if (DrawBar) TBarSeries::PaintBar(ValueIndex, StartPos, EndPos);
  const double e = std::fabs(FErrorValues->GetValue(ValueIndex));
  if (!FErrorPen->GetVisible() || e == 0) return;
  const int32_t w = WhiskerWidth();
  const double y = GetYValue(ValueIndex);
  int32_t y0 = YValueToPixel(y);
  int32_t up, down;
  if (IsHorizontalStyle()) {
    up = down = GetHorizAxisRef()->CalcSizeValue(e);
  } else {
    // Both strokes of essTopBottom end at the pixels of Y -/+ e/2. A lone top
    // stroke ends at Y + e/2 (upwards) and a bottom one at Y - e/2, instead
    // of the other way round.
    down = y0 - YValueToPixel(y - e / 2);
    if (FErrorStyle == essTop)
      up = y0 - YValueToPixel(y + e / 2);
    else if (FErrorStyle == essBottom)
      up = YValueToPixel(y - e / 2) - y0;
    else
      up = YValueToPixel(y + e / 2) - y0;
  }
  if (DrawBar && y < FYOrigin) up = -up;
  PrepareErrorPen(ValueIndex);
  if (FMultiBar == mbStacked100) {
    y0 = YValueToPixel(100);
  } else if (DrawBar && (FMultiBar == mbStacked || FMultiBar == mbSelfStack)) {
    // A stacked bar ends above the bars below it: its mark stands on that end.
    y0 = PointPixelY(ValueIndex);
  }
  DrawError((BarBounds.Left + BarBounds.Right) / 2, y0, Chart3D(), down, up, w);
}

void TCustomErrorSeries::DrawError(int32_t X, int32_t Y, bool Is3D, int32_t Down, int32_t Up, int32_t W) {
  TCanvas3D& c = CanvasOf(FParentChart);
  const int32_t h = W / 2;
  const auto horizontal = [&](int32_t T) {
    StrokeLine(c, Is3D, MiddleZ, X, Y, T, Y);
    StrokeLine(c, Is3D, MiddleZ, T, Y - h, T, Y + h);
  };
  const auto vertical = [&](int32_t T) {
    StrokeLine(c, Is3D, MiddleZ, X, Y, X, T);
    StrokeLine(c, Is3D, MiddleZ, X - h, T, X + h, T);
  };
  switch (FErrorStyle) {
    case essLeft: horizontal(X - Up); break;
    case essRight: horizontal(X + Up); break;
    case essLeftRight:
      horizontal(X - Up);
      horizontal(X + Up);
      break;
    case essTop: vertical(Y - Up); break;
    case essBottom: vertical(Y + Up); break;
    case essTopBottom:
      vertical(Y - Down);
      vertical(Y + Up);
      break;
  }
}

// ---- margins, extremes, legend ----

void TCustomErrorSeries::CalcHorizMargins(int32_t& Left, int32_t& Right) {
  TBarSeries::CalcHorizMargins(Left, Right);
  const int32_t w = FErrorPen->GetWidth();
  if (FErrorStyle == essLeft || FErrorStyle == essLeftRight) Left = std::max(Left, w);
  if (FErrorStyle == essRight || FErrorStyle == essLeftRight) Right = std::max(Right, w);
}

void TCustomErrorSeries::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) {
  TBarSeries::CalcVerticalMargins(Top, Bottom);
  const int32_t w = FErrorPen->GetWidth();
  if (FErrorStyle == essTop || FErrorStyle == essTopBottom) Top = std::max(Top, w);
  if (FErrorStyle == essBottom || FErrorStyle == essTopBottom) Bottom = std::max(Bottom, w);
}

// The error widens the axis by its magnitude, whatever its sign: the drawing
// uses |error| too.
double TCustomErrorSeries::LargestY() {
  double r = DrawBar ? TBarSeries::LargestY() : 0;
  for (int32_t i = 0; i < Count(); ++i) {
    const double y = GetYValue(i), e = std::fabs(FErrorValues->GetValue(i));
    const double v = DrawBar ? (y >= 0 ? y + e : y - e) : y + e;
    r = (!DrawBar && i == 0) ? v : std::max(r, v);
  }
  return r;
}

double TCustomErrorSeries::SmallestY() {
  double r = DrawBar ? TBarSeries::SmallestY() : 0;
  for (int32_t i = 0; i < Count(); ++i) {
    const double y = GetYValue(i), e = std::fabs(FErrorValues->GetValue(i));
    const double v = DrawBar ? (y >= 0 ? y + e : y - e) : y - e;
    r = (!DrawBar && i == 0) ? v : std::min(r, v);
  }
  return r;
}

void TCustomErrorSeries::PrepareLegendCanvas(int32_t Item, TColor& /*BackColor*/, TBrushStyle& /*BrushStyle*/) {
  PrepareErrorPen(Item);
}

void TCustomErrorSeries::PaintLegendSymbol(int32_t /*Item*/, const TRect& Rect) {
  // Strokes of half the rectangle's height (or width): inside the symbol.
  const int32_t half = IsHorizontalStyle() ? (Rect.Right - Rect.Left) / 2 : (Rect.Bottom - Rect.Top) / 2;
  DrawError((Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2, false, half, half, Rect.Right - Rect.Left);
}

// ---- samples and gallery ----

int32_t TCustomErrorSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double span = maxY - minY;
  double x = minX;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    const double y = RandomValue(static_cast<int32_t>(std::clamp(std::nearbyint(span), 0.0, 2147483647.0)));
    last = AddXYError(x, y, span / (20 + RandomValue(4)));
    x += step;
  }
  return last;
}

void TCustomErrorSeries::PrepareForGallery(bool Enabled) {
  TBarSeries::PrepareForGallery(Enabled);
  FErrorPen->SetColor(Enabled ? clRed : clWhite);
  SetSeriesColor(Enabled ? clBlue : clSilver);
}

// ============================================================================
// TErrorSeries, TErrorBarSeries
// ============================================================================

KV_CLASS_IMPL(TErrorSeries, TCustomErrorSeries) {
  c.Property("ErrorStyle", &TErrorSeries::GetErrorStyle, &TErrorSeries::SetErrorStyle)
      .Names({"essLeft", "essRight", "essLeftRight", "essTop", "essBottom", "essTopBottom"})
      .Default(essTopBottom);
}

KV_CLASS_IMPL(TErrorBarSeries, TCustomErrorSeries) {}

TErrorBarSeries::TErrorBarSeries(TComponent* Owner) : TCustomErrorSeries(Owner) {
  DrawBar = true;
  SetErrorStyle(essTop);
}

void TErrorBarSeries::PrepareForGallery(bool Enabled) {
  ErrorPen()->SetWidth(2);
  TCustomErrorSeries::PrepareForGallery(Enabled);
}

// ============================================================================
// THighLowSeries
// ============================================================================

KV_CLASS_IMPL(THighLowSeries, TChartSeries) {
  c.Editor("THighLowEditor");
  using S = THighLowSeries;
  c.Property("HighBrush", &S::HighBrush);
  c.Property("HighPen", &S::HighPen);
  c.Property("HighValues", &S::HighValues);
  c.Property("LowBrush", &S::LowBrush);
  c.Property("LowPen", &S::LowPen);
  c.Property("LowValues", &S::LowValues);
  c.Property("Pen", &S::Pen);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
}

THighLowSeries::THighLowSeries(TComponent* Owner) : TChartSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  CalcVisiblePoints = false;
  FLowValues = new TChartValueList(this, "Low");
  FHighPen = std::make_unique<TChartPen>(repaint);
  FLowPen = std::make_unique<TChartPen>(repaint);
  FLowBrush = std::make_unique<TChartBrush>(repaint);
  FLowBrush->SetStyle(bsClear);
  Brush()->SetStyle(bsClear);
}

THighLowSeries::~THighLowSeries() = default;

void THighLowSeries::Init() {
  TChartSeries::Init();
  Pen()->SetColor(clDefault);
}

void THighLowSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const THighLowSeries*>(Source)) {
    FHighPen->Assign(s->FHighPen.get());
    FLowPen->Assign(s->FLowPen.get());
    FLowBrush->Assign(s->FLowBrush.get());
    FTransparency = s->FTransparency;
  }
  TChartSeries::Assign(Source);
}

void THighLowSeries::SetLowValues(const TChartValueList* Value) {
  FLowValues->Assign(Value);
  Repaint();
}

void THighLowSeries::SetTransparency(TPlotTransparency Value) {
  if (FTransparency == Value) return;
  FTransparency = Value;
  Repaint();
}

int32_t THighLowSeries::AddHighLow(double X, double High, double Low) {
  FLowValues->TempValue = Low;
  return AppendPoint(X, High);
}

bool THighLowSeries::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<THighLowSeries*>(Component) != nullptr && TChartSeries::AcceptsDataSource(Component);
}

void THighLowSeries::DrawPoint(int32_t Index) {
  TCanvas3D& c = CanvasOf(FParentChart);
  const int32_t x = PointPixelX(Index);
  const int32_t high = YValueToPixel(GetYValue(Index)), low = YValueToPixel(FLowValues->GetValue(Index));
  const bool is3D = FParentChart->GetView3D();
  const int32_t prev = FPrevIndex;
  if (Index != FirstDisplayedIndex() && prev >= 0 && prev < Count()) {
    const TColor colour = ValueColor(prev);
    const bool prevNull = IsNull(prev);
    if (!IsNull(Index) && !prevNull) {
      TChartBrush* brush = GetYValue(Index) > FLowValues->GetValue(Index) ? Brush() : FLowBrush.get();
      if (brush->GetStyle() != bsClear) {
        const TPoint quad[4] = {{FPrevX, FPrevHigh}, {FPrevX, FPrevLow}, {x, low}, {x, high}};
        FParentChart->SetBrushCanvas(brush->GetColor(), brush, colour);
        c.Pen->SetStyle(psClear);
        TRect bounds;
        if (FTransparency > 0) {
          TPoint p[4];
          for (int k = 0; k < 4; ++k) p[k] = is3D ? c.Project(quad[k].X, quad[k].Y, MiddleZ) : quad[k];
          bounds = PointsBounds(p, 3);
        }
        const TBlendScope blend(c, bounds, FTransparency);
        if (is3D)
          c.PolygonAtDepth(quad, MiddleZ);
        else
          c.Polygon(quad);
      }
      if (FHighPen->GetVisible()) {
        c.UsePen(*FHighPen);
        StrokeLine(c, is3D, MiddleZ, FPrevX, FPrevHigh, x, high);
      }
      if (FLowPen->GetVisible()) {
        c.UsePen(*FLowPen);
        StrokeLine(c, is3D, MiddleZ, FPrevX, FPrevLow, x, low);
      }
    }
    if (Pen()->GetVisible() && !prevNull) {
      const auto vertical = [&](int32_t X, int32_t Y0, int32_t Y1, TColor Colour) {
        c.UsePenColor(*Pen(), Pen()->GetColor() == clDefault ? Colour : Pen()->GetColor());
        if (is3D)
          c.VertLine3D(X, Y0, Y1, MiddleZ);
        else
          c.VertLine(X, Y0, Y1);
      };
      vertical(FPrevX, FPrevHigh, FPrevLow, colour);
      const int32_t lastDrawn = DrawValuesForward() ? LastValueIndex : FirstValueIndex;
      if (Index == lastDrawn) vertical(x, high, low, ValueColor(Index));
    }
  }
  FPrevX = x;
  FPrevHigh = high;
  FPrevLow = low;
  FPrevIndex = Index;
}

double THighLowSeries::LargestY() {
  const double v = TChartSeries::LargestY();
  return Count() > 0 ? std::max(v, FLowValues->MaxValue()) : v;
}

double THighLowSeries::SmallestY() {
  const double v = TChartSeries::SmallestY();
  return Count() > 0 ? std::min(v, FLowValues->MinValue()) : v;
}

int32_t THighLowSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (FirstValueIndex < 0 || !FParentChart || !FParentChart->GetCanvas() || !GetVertAxisRef()) return -1;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const bool is3D = FParentChart->GetView3D();
  const auto at = [&](int32_t PX, int32_t PY) { return is3D ? c.Project(PX, PY, MiddleZ) : TPoint(PX, PY); };
  const int32_t last = std::min(LastValueIndex, Count() - 1);
  TPoint prevHigh, prevLow;
  for (int32_t i = FirstValueIndex; i <= last; ++i) {
    const int32_t x = PointPixelX(i);
    const TPoint h = at(x, YValueToPixel(GetYValue(i))), l = at(x, YValueToPixel(FLowValues->GetValue(i)));
    if (i > FirstValueIndex && PlotProcs::PointInPolygon(TPoint(X, Y), std::vector<TPoint>{prevHigh, prevLow, l, h}))
      return i;
    prevHigh = h;
    prevLow = l;
  }
  if (is3D) c.ScreenTo3D(X, Y, MiddleZ);
  TPoint prev;
  for (int32_t i = FirstValueIndex; i <= last; ++i) {
    const TPoint p(PointPixelX(i), YValueToPixel(GetYValue(i)));
    if (p.X == X && p.Y == Y) return i;
    if (i > FirstValueIndex && PlotProcs::PointNearSegment(TPoint(X, Y), prev.X, prev.Y, p.X, p.Y, 1)) return i - 1;
    prev = p;
  }
  return -1;
}

int32_t THighLowSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : maxX - minX;
  const double span = maxY - minY;
  const auto below = [this](double Limit) {
    return RandomValue(static_cast<int32_t>(std::clamp(std::nearbyint(Limit), 0.0, 2147483647.0)));
  };
  double t = below(span), x = minX;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) {
    t = t + below(span / 5) - span / 10;
    last = AddHighLow(x, t, t - below(span / 5));
    x += step;
  }
  return last;
}

void THighLowSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TChartSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Filled", "No Lines", "No High", "No Low"}) Callback(v);
}

void THighLowSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<THighLowSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->HighBrush()->SetStyle(bsSolid); break;
    case 2: s->Pen()->SetVisible(false); break;
    case 3: s->HighPen()->SetVisible(false); break;
    case 4: s->LowPen()->SetVisible(false); break;
    default: TChartSeries::ApplyGalleryVariant(Series, Index); break;
  }
}

// ============================================================================
// Registration
// ============================================================================

namespace ErrorBar {

namespace {
const std::string kErrorBar = "Error Bar", kError = "Error", kHighLow = "High-Low", kStats = "Stats";
}  // namespace

void Initialization() {
  const struct {
    TClass Class;
    const std::string* Name;
  } types[] = {{TErrorBarSeries::StaticClass(), &kErrorBar},
               {TErrorSeries::StaticClass(), &kError},
               {THighLowSeries::StaticClass(), &kHighLow}};
  for (const auto& t : types)
    if (!Chart::SeriesTypes().TypeOfSeriesClass(t.Class)) Chart::AddSeriesType(t.Class, t.Name, &kStats, 1);
}

void Finalization() {
  Chart::RemoveSeriesTypes(
      {TErrorBarSeries::StaticClass(), TErrorSeries::StaticClass(), THighLowSeries::StaticClass()});
}

}  // namespace ErrorBar
