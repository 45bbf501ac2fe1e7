// The candle and volume series and the unit's registration.
#include "chart/extras/CandleCh.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"

KV_CLASS_IMPL(TCandleSeries, TOHLCSeries) {
  using S = TCandleSeries;
  c.Property("CandleStyle", &S::GetCandleStyle, &S::SetCandleStyle)
      .Names({"csCandleStick", "csCandleBar", "csOpenClose", "csLine"})
      .Default(csCandleStick);
  c.Property("CandleWidth", &S::GetCandleWidth, &S::SetCandleWidth).Default(4);
  c.Property("ColorStyle", &S::GetColorStyle, &S::SetColorStyle)
      .Names({"cssRelativeToOpen", "cssRelativeToClose"})
      .Default(cssRelativeToOpen);
  c.Property("Dark3D", &S::GetDark3D, &S::SetDark3D).Default(true);
  c.Property("Draw3D", &S::GetDraw3D, &S::SetDraw3D).Default(false);
  c.Property("DownCloseColor", &S::GetDownCloseColor, &S::SetDownCloseColor).Kind(TPropKind::pkColor).Default(clRed);
  c.Property("DownCloseGradient", &S::DownCloseGradient);
  c.Property("HighLowPen", &S::HighLowPen);
  c.Property("Pen", &S::CandlePen);
  c.Property("ShowCloseTick", &S::GetShowCloseTick, &S::SetShowCloseTick).Default(true);
  c.Property("ShowOpenTick", &S::GetShowOpenTick, &S::SetShowOpenTick).Default(true);
  c.Property("UpCloseColor", &S::GetUpCloseColor, &S::SetUpCloseColor).Kind(TPropKind::pkColor).Default(clWhite);
  c.Property("UpCloseGradient", &S::UpCloseGradient);
  c.Editor("TCandleEditor");
}

TCandleSeries::TCandleSeries(TComponent* Owner) : TOHLCSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FUpGradient = std::make_unique<TPlotGradient>(repaint);
  FUpGradient->SetStartColor(clWhite);
  FDownGradient = std::make_unique<TPlotGradient>(repaint);
  FDownGradient->SetStartColor(clRed);
  FHighLowPen = std::make_unique<TChartPen>(repaint);
  FHighLowPen->SetColor(clPlotColor);
  Pointer()->SetVisible(true);
  Pointer()->SetDraw3D(false);
  Pointer()->SetDark3D(true);
}

TCandleSeries::~TCandleSeries() = default;

void TCandleSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCandleSeries*>(Source)) {
    FCandleWidth = s->FCandleWidth;
    FCandleStyle = s->FCandleStyle;
    FColorStyle = s->FColorStyle;
    FUpGradient->Assign(s->FUpGradient.get());
    FDownGradient->Assign(s->FDownGradient.get());
    FHighLowPen->Assign(s->FHighLowPen.get());
    FShowOpenTick = s->FShowOpenTick;
    FShowCloseTick = s->FShowCloseTick;
  }
  TOHLCSeries::Assign(Source);
}

void TCandleSeries::SetCandleStyle(TCandleStyle Value) {
  if (FCandleStyle == Value) return;
  FCandleStyle = Value;
  Pointer()->SetVisible(Value != csLine);
  Repaint();
}

void TCandleSeries::SetColorStyle(TCandleColorStyle Value) {
  if (FColorStyle == Value) return;
  FColorStyle = Value;
  Repaint();
}

bool TCandleSeries::IsUpCandle(int32_t Index) const {
  // A loop, not a recursion: an equal close carries the decision of the
  // point before it, however long the run of equal closes.
  const TChartValueList& close = *CloseValues();
  for (int32_t i = Index;;) {
    if (FColorStyle == cssRelativeToClose && i > 0) {
      if (close[i] != close[i - 1]) return close[i] > close[i - 1];
      --i;
      continue;
    }
    const double open = OpenValues()->GetValue(i);
    if (close[i] != open) return close[i] > open;
    if (i == 0) return true;
    if (close[i] != close[i - 1]) return close[i] > close[i - 1];
    --i;
  }
}

TColor TCandleSeries::CandleColor(int32_t Index) const {
  if (Index < 0 || Index >= Count()) return GetSeriesColor();
  // A colour stored for the point wins; palette colours of ColorEachPoint do not.
  const TColor own = GetStoredColor(Index);
  if (own != clDefault && own != clNone) return own;
  return IsUpCandle(Index) ? GetUpCloseColor() : GetDownCloseColor();
}

double TCandleSeries::LargestY() {
  return FCandleStyle == csLine ? TCustomSeries::LargestY() : TOHLCSeries::LargestY();
}

double TCandleSeries::SmallestY() {
  return FCandleStyle == csLine ? TCustomSeries::SmallestY() : TOHLCSeries::SmallestY();
}

TCandleSeries::TCandlePixels TCandleSeries::PixelsOf(int32_t Index) const {
  TCandlePixels p{};
  p.X = XValueToPixel(DateValues()->GetValue(Index));
  p.Open = YValueToPixel(OpenValues()->GetValue(Index));
  p.High = YValueToPixel(HighValues()->GetValue(Index));
  p.Low = YValueToPixel(LowValues()->GetValue(Index));
  p.Close = YValueToPixel(CloseValues()->GetValue(Index));
  p.Left = FCandleWidth / 2;
  p.Right = FCandleWidth - p.Left;
  return p;
}

void TCandleSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || Index < 0 || Index >= Count()) return;
  if (OnGetPointerStyle) OnGetPointerStyle(this, Index);
  TCanvas3D& c = ChartCanvas();
  const TColor colour = CandleColor(Index);
  Pointer()->PrepareCanvas(c, colour);
  const TCandlePixels p = PixelsOf(Index);
  switch (FCandleStyle) {
    case csLine: DrawLinePoint(c, Index, p, colour); break;
    case csCandleBar: DrawBar(c, p, colour); break;
    case csCandleStick:
    case csOpenClose: DrawBody(c, Index, p, colour); break;
  }
}

void TCandleSeries::DrawLinePoint(TCanvas3D& C, int32_t Index, const TCandlePixels& P, TColor Colour) {
  const TPoint point(P.X, P.Close);
  if (Index != FirstDisplayedIndex() && !IsNull(Index)) {
    C.UsePenColor(*CandlePen(), Colour);
    if (Chart3D())
      C.LineAtDepth(FPrevLinePoint.X, FPrevLinePoint.Y, point.X, point.Y, MiddleZ);
    else
      C.Line(FPrevLinePoint.X, FPrevLinePoint.Y, point.X, point.Y);
  }
  FPrevLinePoint = point;
}

void TCandleSeries::WickLine(TCanvas3D& C, int32_t X, int32_t Y0, int32_t Y1) {
  if (Chart3D())
    C.LineAtDepth(X, Y0, X, Y1, MiddleZ);
  else
    C.Line(X, Y0, X, Y1);
}

void TCandleSeries::DrawBar(TCanvas3D& C, const TCandlePixels& P, TColor Colour) {
  C.UsePenColor(*CandlePen(), Colour);
  C.Brush->SetStyle(bsClear);
  WickLine(C, P.X, P.High, P.Low);
  const auto tick = [&](int32_t X1, int32_t Y) {
    if (Chart3D())
      C.LineAtDepth(P.X, Y, X1, Y, MiddleZ);
    else
      C.Line(P.X, Y, X1, Y);
  };
  if (FShowOpenTick) tick(P.X - P.Left - 1, P.Open);
  if (FShowCloseTick) tick(P.X + P.Right + 1, P.Close);
}

TRect TCandleSeries::BodyRect2D(const TCandlePixels& P) const {
  int32_t open = P.Open, close = P.Close;
  if (open == close) --close;
  int32_t top = std::min(open, close), bottom = std::max(open, close);
  if (!CandlePen()->GetVisible()) --top;
  return TRect(P.X - P.Left, top, P.X + P.Right + 1, bottom);
}

void TCandleSeries::FillGradient(TCanvas3D& C, int32_t Index, const TRect& Body, int32_t Z) {
  if (!FUpGradient->GetVisible() && !FDownGradient->GetVisible()) return;
  TPlotGradient* g = IsUpCandle(Index) ? FUpGradient.get() : FDownGradient.get();
  if (!g->GetVisible()) return;
  g->FillRect(C, Chart3D() ? C.RectTo2D(Body, Z) : Body);
  C.Brush->SetStyle(bsClear);
}

void TCandleSeries::DrawBody(TCanvas3D& C, int32_t Index, const TCandlePixels& P, TColor Colour) {
  TChartPen& wick = *FHighLowPen;
  C.UsePenColor(wick, wick.GetColor() == clPlotColor ? CandlePen()->GetColor() : wick.GetColor());
  C.Brush->SetStyle(bsClear);
  const bool flat = P.Open == P.Close;
  const auto bodyLook = [&] {
    C.Brush->SetStyle(bsSolid);
    C.Brush->SetColor(Colour);
    if (!CandlePen()->GetVisible())
      C.Pen->SetStyle(psClear);
    else
      C.UsePenColor(*CandlePen(), flat ? Colour : CandlePen()->GetColor());
  };
  if (Chart3D() && GetDraw3D()) {
    const int32_t top = std::min(P.Open, P.Close), bottom = std::max(P.Open, P.Close);
    if (FCandleStyle == csCandleStick) WickLine(C, P.X, bottom, P.Low);
    bodyLook();
    C.Box(P.X - P.Left, P.X + P.Right, top, bottom, StartZ, EndZ, GetDark3D());
    FillGradient(C, Index, TRect(P.X - P.Left, top, P.X + P.Right, bottom), StartZ);
    if (FCandleStyle == csCandleStick) {
      C.UsePenColor(wick, wick.GetColor() == clPlotColor ? CandlePen()->GetColor() : wick.GetColor());
      WickLine(C, P.X, top, P.High);
    }
    return;
  }
  if (FCandleStyle == csCandleStick) WickLine(C, P.X, P.Low, P.High);
  bodyLook();
  if (Chart3D()) {
    const int32_t close = flat ? P.Close - 1 : P.Close;
    const TRect body(P.X - P.Left, std::min(P.Open, close), P.X + P.Right, std::max(P.Open, close));
    FillGradient(C, Index, body, MiddleZ);
    C.RectAtDepth(body, MiddleZ);
    return;
  }
  const TRect body = BodyRect2D(P);
  FillGradient(C, Index, body, 0);
  C.Rectangle(body.Left, body.Top, body.Right, body.Bottom);
}

int32_t TCandleSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart || FirstValueIndex < 0) return -1;
  int32_t mx = X, my = Y;
  if (Chart3D()) ChartCanvas().ScreenTo3D(mx, my, MiddleZ);
  const auto onSegment = [](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1, int32_t Px, int32_t Py) {
    return PlotProcs::PointNearSegment(TPoint(Px, Py), X0, Y0, X1, Y1, 1);
  };
  const auto onWick = [&](int32_t Wx, int32_t Y0, int32_t Y1) {
    return mx == Wx && my >= std::min(Y0, Y1) && my <= std::max(Y0, Y1);
  };
  TPoint prev(0, 0);
  for (int32_t i = FirstValueIndex; i <= LastValueIndex && i < Count(); ++i) {
    const TCandlePixels p = PixelsOf(i);
    switch (FCandleStyle) {
      case csLine:
        if (i > FirstValueIndex && onSegment(prev.X, prev.Y, p.X, p.Close, mx, my)) return i;
        prev = TPoint(p.X, p.Close);
        break;
      case csCandleBar:
        if (onWick(p.X, p.High, p.Low)) return i;
        if (FShowOpenTick && my == p.Open && mx <= p.X && mx >= p.X - p.Left - 1) return i;
        if (FShowCloseTick && my == p.Close && mx >= p.X && mx <= p.X + p.Right + 1) return i;
        break;
      case csCandleStick:
      case csOpenClose: {
        if (FCandleStyle == csCandleStick && onWick(p.X, p.High, p.Low)) return i;
        const TRect body = BodyRect2D(p);
        if (mx >= body.Left && mx < body.Right && my >= body.Top && my <= body.Bottom) return i;
        break;
      }
    }
  }
  return -1;
}

void TCandleSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TOHLCSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Bar", "No Open", "No Close", "No Border", "Line"}) Callback(v);
}

void TCandleSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TCandleSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->SetCandleStyle(csCandleBar); break;
    case 2:
    case 3:
      s->CandlePen()->Show();
      s->SetCandleStyle(csCandleBar);
      (Index == 2) ? s->SetShowOpenTick(false) : s->SetShowCloseTick(false);
      break;
    case 4:
      s->SetCandleStyle(csCandleStick);
      s->CandlePen()->Hide();
      break;
    case 5: s->SetCandleStyle(csLine); break;
    default: break;
  }
}

void TCandleSeries::PrepareForGallery(bool Enabled) {
  TOHLCSeries::PrepareForGallery(Enabled);
  Clear();
  AddSampleValues(4);
  SetColorEachPoint(Enabled);
  if (Enabled) {
    SetUpCloseColor(0xFF0000);
  } else {
    SetUpCloseColor(clSilver);
    SetDownCloseColor(clGray);
    CandlePen()->SetColor(clGray);
  }
  CandlePen()->SetWidth(2);
  FCandleWidth = 12;
}

// ============================================================================
// Volume series
// ============================================================================

KV_CLASS_IMPL(TVolumeSeries, TCustomSeries) {
  using S = TVolumeSeries;
  c.Property("LinePen", &S::LinePen);
  c.Property("UseYOrigin", &S::GetUseYOrigin, &S::SetUseYOrigin).Default(false);
  c.Property("VolumeValues", &S::VolumeValues);
  c.Property("XValues", &S::XValues);
  c.Property("YOrigin", &S::GetYOrigin, &S::SetYOrigin).Default(0.0);
  c.Editor("TVolumeSeriesEditor");
}

TVolumeSeries::TVolumeSeries(TComponent* Owner) : TCustomSeries(Owner) {
  FDrawArea = false;
  FClickableLine = false;
  Pointer()->SetVisible(false);
}

void TVolumeSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TVolumeSeries*>(Source)) {
    FUseYOrigin = s->FUseYOrigin;
    FYOrigin = s->FYOrigin;
  }
  TCustomSeries::Assign(Source);
}

void TVolumeSeries::SetSeriesColor(TColor Value) {
  TCustomSeries::SetSeriesColor(Value);
  LinePen()->SetColor(Value);
}

int32_t TVolumeSeries::OriginPixelOfLines() const {
  if (FUseYOrigin) return YValueToPixel(FYOrigin);
  TChartAxis* v = GetVertAxisRef();
  if (!v) return 0;
  return v->GetInverted() ? v->StartPixel : v->EndPixel;
}

void TVolumeSeries::DrawPoint(int32_t Index) {
  if (!FParentChart || Index < 0 || Index >= Count()) return;
  TCanvas3D& c = ChartCanvas();
  const TColor colour = ValueColor(Index);
  if (Index == FirstDisplayedIndex() || colour != FLastPenColor) {
    c.UsePenColor(*LinePen(), colour);
    FLastPenColor = colour;
  }
  c.Brush->SetStyle(bsClear);
  const int32_t x = PointPixelX(Index), y = PointPixelY(Index), origin = OriginPixelOfLines();
  if (Chart3D())
    c.LineAtDepth(x, origin, x, y, MiddleZ);
  else
    c.Line(x, origin, x, y);
}

int32_t TVolumeSeries::PointAtPixel(int32_t X, int32_t Y) {
  if (!FParentChart || FirstValueIndex < 0) return -1;
  int32_t mx = X, my = Y;
  if (Chart3D()) ChartCanvas().ScreenTo3D(mx, my, MiddleZ);
  const int32_t tolerance = std::max(0, LinePen()->GetWidth() - 1);
  const int32_t origin = OriginPixelOfLines();
  for (int32_t i = FirstValueIndex; i <= LastValueIndex && i < Count(); ++i) {
    const int32_t x = PointPixelX(i), y = PointPixelY(i);
    if (std::abs(mx - x) <= tolerance && my >= std::min(origin, y) && my <= std::max(origin, y)) return i;
  }
  return -1;
}

void TVolumeSeries::PaintLegendSymbol(int32_t /*Item*/, const TRect& Rect) {
  if (!FParentChart) return;
  TCanvas3D& c = ChartCanvas();
  c.UsePenColor(*LinePen(), GetSeriesColor());
  const int32_t y = (Rect.Top + Rect.Bottom) / 2;
  c.Line(Rect.Left, y, Rect.Right, y);
}

void TVolumeSeries::PrepareLegendCanvas(int32_t /*Item*/, TColor& /*BackColor*/, TBrushStyle& /*BrushStyle*/) {
  if (TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr) c->UsePenColor(*LinePen(), GetSeriesColor());
}

void TVolumeSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustomSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Dotted", "Colors", "Origin"}) Callback(v);
}

void TVolumeSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TVolumeSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 1: s->Pen()->SetSmallDots(true); break;
    case 2: s->SetColorEachPoint(true); break;
    case 3: s->SetUseYOrigin(true); break;
    default: break;
  }
}

int32_t TVolumeSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(N, minX, maxX, minY, maxY);
  const double step = N > 1 ? (maxX - minX) / (N - 1) : 0;
  const auto below = static_cast<int32_t>(std::clamp(std::nearbyint(maxY - minY), 0.0, 2147483647.0)) / 15;
  int32_t last = -1;
  for (int32_t i = 0; i < N; ++i) last = AppendPoint(minX + i * step, RandomValue(below));
  return last;
}

void TVolumeSeries::PrepareForGallery(bool Enabled) {
  TCustomSeries::PrepareForGallery(Enabled);
  Clear();
  AddSampleValues(26);
  Pointer()->SetInflateMargins(true);
}
