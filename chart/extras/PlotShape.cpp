// The shape series: one figure between two corners, with text inside.
#include "chart/extras/PlotShape.h"

#include <algorithm>
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotProcs.h"
#include "platform/gdi/DeviceContext.h"

namespace {

// Toward zero, checked: NaN gives 0 and huge values clamp.
int32_t TruncPixel(double Value) {
  if (std::isnan(Value)) return 0;
  return static_cast<int32_t>(std::clamp(std::trunc(Value), -1.0e9, 1.0e9));
}

// Left <= Right and Top <= Bottom, at least one pixel each way.
TRect NormalShapeRect(const TRect& R) {
  TRect n = NormalizeRect(R);
  if (n.Right == n.Left) ++n.Right;
  if (n.Bottom == n.Top) ++n.Bottom;
  return n;
}

bool Intersects(const TRect& A, const TRect& B) {
  return A.Left <= B.Right && B.Left <= A.Right && A.Top <= B.Bottom && B.Top <= A.Bottom;
}

}  // namespace

KV_CLASS_IMPL(TChartShape, TChartSeries) {
  c.Editor("TChartShapeEditor");
  using S = TChartShape;
  c.Property("Alignment", &S::GetAlignment, &S::SetAlignment)
      .Names({"taLeftJustify", "taRightJustify", "taCenter"})
      .Default(TAlignment::taCenter);
  c.Property("Brush", &S::Brush);
  c.Property("Font", &S::Font);
  c.Property("Gradient", &S::Gradient);
  c.Property("Pen", &S::Pen);
  c.Property("RoundRectangle", &S::GetRoundRectangle, &S::SetRoundRectangle).Default(false);
  c.Property("Style", &S::GetShapeStyle, &S::SetShapeStyle)
      .Names({"chasRectangle", "chasCircle", "chasVertLine", "chasHorizLine", "chasTriangle", "chasInvertTriangle",
              "chasLine", "chasDiamond", "chasCube", "chasCross", "chasDiagCross", "chasStar", "chasPyramid",
              "chasInvertPyramid"})
      .Default(chasCircle);
  c.Property("Text", &S::Text);
  c.Property("Transparent", &S::GetTransparent, &S::SetTransparent).Default(false);
  c.Property("VertAlign", &S::GetVertAlign, &S::SetVertAlign).Names({"vaTop", "vaCenter", "vaBottom"}).Default(vaCenter);
  c.Property("XYStyle", &S::GetXYStyle, &S::SetXYStyle)
      .Names({"xysPixels", "xysAxis", "xysAxisOrigin"})
      .Default(xysAxis);
  // The corners reach files through the point data.
  c.Property("X0", &S::GetX0, &S::SetX0).Stored(false);
  c.Property("X1", &S::GetX1, &S::SetX1).Stored(false);
  c.Property("Y0", &S::GetY0, &S::SetY0).Stored(false);
  c.Property("Y1", &S::GetY1, &S::SetY1).Stored(false);
}

TChartShape::TChartShape(TComponent* Owner) : TChartSeries(Owner) {
  const TPlotChangeEvent repaint = [this](TObject* Sender) { RepaintOnChange(Sender); };
  FFont = std::make_unique<TPlotFont>(repaint);
  FGradient = std::make_unique<TPlotGradient>(repaint);
  FText = std::make_unique<TStringList>();
  FText->OnChange = repaint;
  // Every point is a corner: none is left out by the visible range.
  CalcVisiblePoints = false;
}

TChartShape::~TChartShape() = default;

void TChartShape::Init() {
  TChartSeries::Init();
  Brush()->SetColor(clWhite);
  TChartSeries::SetSeriesColor(clWhite);
  AppendPoint(0, 0);
  AppendPoint(100, 100);
}

void TChartShape::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TChartShape*>(Source)) {
    FAlignment = s->FAlignment;
    FFont->Assign(s->FFont.get());
    FGradient->Assign(s->FGradient.get());
    FRoundRectangle = s->FRoundRectangle;
    FStyle = s->FStyle;
    FText->Assign(s->FText.get());
    FTransparent = s->FTransparent;
    FVertAlign = s->FVertAlign;
    FXYStyle = s->FXYStyle;
  }
  TChartSeries::Assign(Source);
}

void TChartShape::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Repaint();
}

void TChartShape::SetShapeStyle(TChartShapeStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Repaint();
}

void TChartShape::SetVertAlign(TPlotVertAlign Value) {
  if (FVertAlign == Value) return;
  FVertAlign = Value;
  Repaint();
}

void TChartShape::SetXYStyle(TChartShapeXYStyle Value) {
  if (FXYStyle == Value) return;
  FXYStyle = Value;
  Repaint();
}

void TChartShape::SetText(const TStrings* Value) {
  FText->Assign(Value);
  Repaint();
}

void TChartShape::SetSeriesColor(TColor Value) {
  TChartSeries::SetSeriesColor(Value);
  Brush()->SetColor(Value);
}

double TChartShape::Corner(int32_t Index, bool X) const {
  if (Index >= Count()) return 0;
  return X ? XValues()->GetValue(Index) : YValues()->GetValue(Index);
}

void TChartShape::SetCorner(int32_t Index, bool X, double Value) {
  // A missing corner is added at the origin first.
  while (Count() <= Index) AppendPoint(0, 0);
  (X ? XValues() : YValues())->StoreValue(Index, Value);
  ManualData = true;
  Repaint();
}

bool TChartShape::AcceptsDataSource(TComponent* Component) const {
  return dynamic_cast<TChartShape*>(Component) != nullptr && TChartSeries::AcceptsDataSource(Component);
}

void TChartShape::ResolveDepthOrder() {
  if (UseAxis()) TChartSeries::ResolveDepthOrder();
}

TCanvas3D& TChartShape::ChartCanvas() const {
  TCanvas3D* c = FParentChart ? FParentChart->GetCanvas() : nullptr;
  if (!c) throw ChartException(PlotConst::MsgNoParentChart);
  return *c;
}

// ---- geometry ----

TRect TChartShape::GetShapeRect() const {
  switch (FXYStyle) {
    case xysPixels:
      return TRect(TruncPixel(GetX0()), TruncPixel(GetY0()), TruncPixel(GetX1()), TruncPixel(GetY1()));
    case xysAxis:
      if (Count() < 2) return TRect(0, 0, 0, 0);
      return TRect(PointPixelX(0), PointPixelY(0), PointPixelX(1), PointPixelY(1));
    case xysAxisOrigin:
    default: {
      if (Count() < 1) return TRect(0, 0, 0, 0);
      const int32_t x = PointPixelX(0), y = PointPixelY(0);
      return TRect(x, y, x + TruncPixel(GetX1()), y + TruncPixel(GetY1()));
    }
  }
}

// ---- drawing ----

void TChartShape::DrawPoint(int32_t Index) {
  if (Count() != 2 || Index != 0 || !FParentChart) return;
  const TRect raw = GetShapeRect();
  const TRect r = NormalShapeRect(raw);
  if (!Intersects(r, FParentChart->GetChartRect())) return;
  DrawShape(FXYStyle != xysPixels && FParentChart->GetView3D(), r, raw);
  DrawText(r);
}

void TChartShape::DrawShape(bool Is3D, const TRect& Rect, const TRect& LineRect) {
  TCanvas3D& c = ChartCanvas();
  c.UsePen(*Pen());
  if (FTransparent) {
    c.Brush->SetStyle(bsClear);
  } else {
    c.UseBrushColor(*Brush(), GetSeriesColor());
  }
  c.SetBackMode(c.Brush->GetColor() == clNone ? TRANSPARENT : OPAQUE);
  const int32_t L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
  const int32_t cx = (L + R) / 2, cy = (T + B) / 2;
  const int32_t z = MiddleZ;

  if ((FStyle == chasRectangle || FStyle == chasCircle) && !FTransparent && FGradient->GetVisible()) {
    const TRect g = Is3D ? c.RectTo2D(Rect, z) : Rect;
    if (FStyle == chasCircle) c.ClipEllipse(g);
    FGradient->FillRect(c, g);
    if (FStyle == chasCircle) c.Unclip();
    c.Brush->SetStyle(bsClear);
  }

  const auto line = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    if (Is3D)
      c.LineAtDepth(X0, Y0, X1, Y1, z);
    else
      c.Line(X0, Y0, X1, Y1);
  };
  const auto polygon = [&](std::initializer_list<TPoint> P) {
    const std::vector<TPoint> p(P);
    if (Is3D)
      c.PolygonAtDepth(p, z);
    else
      c.Polygon(p);
  };
  const auto cross = [&] {
    if (Is3D) {
      c.VertLine3D(cx, T, B, z);
      c.HorizLine3D(L, R, cy, z);
    } else {
      c.VertLine(cx, T, B + 1);
      c.HorizLine(L, R + 1, cy);
    }
  };
  const auto diagonals = [&] {
    if (Is3D) {
      c.LineAtDepth(L, T, R, B, z);
      c.LineAtDepth(L, B, R, T, z);
    } else {
      c.Line(L, T, R + 1, B + 1);
      c.Line(L, B, R + 1, T - 1);
    }
  };

  switch (FStyle) {
    case chasRectangle:
      if (Is3D)
        c.RectAtDepth(Rect, z);
      else if (FRoundRectangle)
        c.RoundRect(L, T, R, B, 12, 12);
      else
        c.Rectangle(L, T, R + 1, B + 1);
      break;
    case chasCircle:
      if (Is3D)
        c.EllipseAtDepth(L, T, R, B, z);
      else
        c.Ellipse(L, T, R, B);
      break;
    case chasVertLine:
      if (Is3D)
        c.VertLine3D(cx, T, B, z);
      else
        c.VertLine(cx, T, B);
      break;
    case chasHorizLine:
      if (Is3D)
        c.HorizLine3D(L, R, cy, z);
      else
        c.HorizLine(L, R + 1, cy);
      break;
    case chasTriangle:
    case chasPyramid:
      if (Is3D && FStyle == chasPyramid)
        c.Pyramid(true, L, T, R, B, StartZ, EndZ, !FTransparent);
      else if (Is3D)
        c.TriangleAtDepth(TPoint(L, B), TPoint(cx, T), TPoint(R, B), z);
      else
        polygon({TPoint(L, B), TPoint(cx, T), TPoint(R, B)});
      break;
    case chasInvertTriangle:
    case chasInvertPyramid:
      if (Is3D && FStyle == chasInvertPyramid)
        c.Pyramid(true, L, B, R, T, StartZ, EndZ, !FTransparent);
      else if (Is3D)
        c.TriangleAtDepth(TPoint(L, T), TPoint(cx, B), TPoint(R, T), z);
      else
        polygon({TPoint(L, T), TPoint(cx, B), TPoint(R, T)});
      break;
    case chasLine:
      line(LineRect.Left, LineRect.Top, LineRect.Right, LineRect.Bottom);
      break;
    case chasDiamond:
      polygon({TPoint(L, cy), TPoint(cx, T), TPoint(R, cy), TPoint(cx, B)});
      break;
    case chasCube:
      if (Is3D)
        c.BoxRect(Rect, StartZ, EndZ, !FTransparent);
      else
        c.Rectangle(L, T, R, B);
      break;
    case chasCross: cross(); break;
    case chasDiagCross: diagonals(); break;
    case chasStar:
      cross();
      diagonals();
      break;
  }
}

void TChartShape::DrawText(const TRect& Rect) {
  const int32_t n = FText->GetCount();
  if (n == 0) return;
  TCanvas3D& c = ChartCanvas();
  c.UseFont(*FFont);
  // Text in the colour of the fill would vanish.
  if (c.Font->GetColor() == c.Brush->GetColor()) c.Font->SetColor(c.Font->GetColor() == clBlack ? clWhite : clBlack);
  const int32_t h = c.FontHeight();
  const int32_t cx = (Rect.Left + Rect.Right) / 2, cy = (Rect.Top + Rect.Bottom) / 2;
  int32_t y = Rect.Top;
  if (FVertAlign == vaCenter)
    y = cy - PlotCanvas::RoundToPixel(n * h / 2.0);
  else if (FVertAlign == vaBottom)
    y = Rect.Bottom - n * h;
  c.SetBackMode(TRANSPARENT);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  const int32_t pw = Pen()->GetWidth();
  for (int32_t i = 0; i < n; ++i) {
    const std::string s = FText->Get(i);
    const int32_t w = c.TextWidth(s);
    int32_t x = cx - w / 2;
    if (FAlignment == TAlignment::taLeftJustify)
      x = Rect.Left + pw + 4;
    else if (FAlignment == TAlignment::taRightJustify)
      x = Rect.Right - pw - w - 4;
    if (FXYStyle != xysPixels && FParentChart->GetView3D())
      c.TextOut3D(x, y, StartZ, s);
    else
      c.TextOut(x, y, s);
    y += h;
  }
}

void TChartShape::PaintLegendSymbol(int32_t /*Item*/, const TRect& Rect) {
  if (!FParentChart) return;
  const TRect r = NormalShapeRect(Rect);
  DrawShape(false, r, Rect);
}

// ---- hit test ----

int32_t TChartShape::PointAtPixel(int32_t X, int32_t Y) {
  if (Count() != 2 || !FParentChart) return -1;
  if (FParentChart->GetView3D() && FXYStyle != xysPixels)
    if (TCanvas3D* c = FParentChart->GetCanvas()) c->ScreenTo3D(X, Y, StartZ);
  const TRect raw = GetShapeRect();
  const TRect r = NormalShapeRect(raw);
  const TPoint p(X, Y);
  const int32_t cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  bool hit;
  switch (FStyle) {
    case chasCircle: hit = PlotProcs::PointInEllipseRect(p, r); break;
    case chasVertLine: hit = PlotProcs::PointNearSegment(p, cx, r.Top, cx, r.Bottom, 1); break;
    case chasHorizLine: hit = PlotProcs::PointNearSegment(p, r.Left, cy, r.Right, cy, 1); break;
    case chasTriangle:
    case chasPyramid: hit = PlotProcs::PointInTriangle(p, TPoint(r.Left, r.Bottom), TPoint(cx, r.Top), TPoint(r.Right, r.Bottom)); break;
    case chasInvertTriangle:
    case chasInvertPyramid: hit = PlotProcs::PointInTriangle(p, TPoint(r.Left, r.Top), TPoint(cx, r.Bottom), TPoint(r.Right, r.Top)); break;
    case chasLine: hit = PlotProcs::PointNearSegment(p, raw.Left, raw.Top, raw.Right, raw.Bottom, 1); break;
    case chasDiamond:
      hit = PlotProcs::PointInPolygon(
          p, std::vector<TPoint>{TPoint(r.Left, cy), TPoint(cx, r.Top), TPoint(r.Right, cy), TPoint(cx, r.Bottom)});
      break;
    default: hit = PointInRect(r, p); break;
  }
  return hit ? 0 : -1;
}

// ---- gallery and samples ----

void TChartShape::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TChartSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Rectangle", "Vert.Line", "Horiz.Line", "Ellipse", "Down Tri.", "Line", "Diamond", "Cube",
                        "Cross", "Diag.Cross", "Star", "Pyramid", "Inv. Pyramid", "Hollow"})
    Callback(v);
}

void TChartShape::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TChartShape*>(Series);
  if (!s) return;
  static constexpr TChartShapeStyle kStyles[] = {chasRectangle, chasVertLine, chasHorizLine, chasCircle,
                                                 chasInvertTriangle, chasLine, chasDiamond, chasCube, chasCross,
                                                 chasDiagCross, chasStar, chasPyramid, chasInvertPyramid};
  if (Index >= 1 && Index <= 13)
    s->SetShapeStyle(kStyles[Index - 1]);
  else if (Index == 14)
    s->SetTransparent(!s->GetTransparent());
  else
    TChartSeries::ApplyGalleryVariant(Series, Index);
}

void TChartShape::PrepareForGallery(bool Enabled) {
  TChartSeries::PrepareForGallery(Enabled);
  FFont->SetColor(Enabled ? TColor(0xFFFF) : TColor(8421504));
  FFont->SetStyle(TFontStyles{TFontStyle::fsBold});
  FFont->SetSize(12);
  FText->Clear();
  const bool second = FParentChart && FParentChart->GetSeriesList().Count() > 1 &&
                      FParentChart->GetSeriesList().GetSeries(1) == this;
  if (second) {
    SetShapeStyle(chasCircle);
    Brush()->SetColor(Enabled ? TColor(0xFF0000) : TColor(0xC0C0C0));
    FText->Add("abc");
  } else {
    SetShapeStyle(chasTriangle);
    Brush()->SetColor(Enabled ? TColor(0xFF) : TColor(0xC0C0C0));
    FText->Add("123");
  }
  TChartSeries::SetSeriesColor(Brush()->GetColor());
}

int32_t TChartShape::AddSampleValues(int32_t /*N*/, bool /*OnlyMandatory*/) {
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  CalcRandomBounds(1, minX, maxX, minY, maxY);
  const double step = maxX - minX;
  if (step == 0) {
    AppendPoint(0, 0);
    return AppendPoint(100, 100);
  }
  const double span = std::clamp(std::nearbyint(maxY - minY), 0.0, 2147483647.0);
  AppendPoint(minX + step / 8, minY / 2);
  return AppendPoint(minX + step - step / 8, minY + RandomValue(static_cast<int32_t>(span)));
}

// ============================================================================
// Registration
// ============================================================================

namespace PlotShape {

namespace {
const std::string kShape = "Shape", kStandard = "Standard";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TChartShape::StaticClass()))
    Chart::AddSeriesType(TChartShape::StaticClass(), &kShape, &kStandard, 2);
}

}  // namespace PlotShape
