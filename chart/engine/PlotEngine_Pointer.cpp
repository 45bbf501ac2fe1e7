#include "chart/engine/PlotEngine_Pointer.h"

#include <algorithm>
#include <array>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_Series.h"

using Style_ = TSeriesPointerStyle;

namespace {

TCustomPlotPanel* PanelOf(TChartSeries* Series) {
  return Series ? dynamic_cast<TCustomPlotPanel*>(Series->GetParentChart()) : nullptr;
}

// Removes one clip on every exit of the gradient fill.
class ClipScope {
public:
  explicit ClipScope(TCanvas3D& Canvas) : FCanvas(Canvas) {}
  ~ClipScope() {
    if (FActive) FCanvas.Unclip();
  }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;
  void Clipped() { FActive = true; }

private:
  TCanvas3D& FCanvas;
  bool FActive = false;
};

// The three corners of a triangle symbol.
std::array<TPoint, 3> TrianglePoints(Style_ Style, int32_t X, int32_t Y, int32_t H, int32_t V) {
  const int32_t L = X - H, R = X + H, T = Y - V, B = Y + V;
  switch (Style) {
    case Style_::psTriangle: return {TPoint(L, Y + V), TPoint(R, Y + V), TPoint(X, Y - V)};
    case Style_::psDownTriangle: return {TPoint(L, Y - V), TPoint(R, Y - V), TPoint(X, Y + V)};
    case Style_::psLeftTriangle: return {TPoint(L, Y), TPoint(R, B), TPoint(R, T)};
    default: return {TPoint(R, Y), TPoint(L, B), TPoint(L, T)};  // psRightTriangle
  }
}

}  // namespace

// ============================================================================
// TSeriesPointer
// ============================================================================

KV_CLASS_IMPL(TSeriesPointer, TPlotCustomShapeBrushPen) {
  c.Property("Brush", &TSeriesPointer::Brush);
  c.Property("Dark3D", &TSeriesPointer::GetDark3D, &TSeriesPointer::SetDark3D).Default(true);
  c.Property("Draw3D", &TSeriesPointer::GetDraw3D, &TSeriesPointer::SetDraw3D).Default(true);
  c.Property("Gradient", &TSeriesPointer::Gradient);
  c.Property("HorizSize", &TSeriesPointer::GetHorizSize, &TSeriesPointer::SetHorizSize).Default(4);
  c.Property("InflateMargins", &TSeriesPointer::GetInflateMargins, &TSeriesPointer::SetInflateMargins)
      .Default(true);
  c.Property("Pen", &TSeriesPointer::Pen);
  c.Property("Style", &TSeriesPointer::GetStyle, &TSeriesPointer::SetStyle)
      .Names({"psRectangle", "psCircle", "psTriangle", "psDownTriangle", "psCross", "psDiagCross", "psStar",
              "psDiamond", "psSmallDot", "psNothing", "psLeftTriangle", "psRightTriangle"})
      .Default(TSeriesPointerStyle::psRectangle);
  c.Property("Transparency", &TSeriesPointer::GetTransparency, &TSeriesPointer::SetTransparency).Default(0);
  c.Property("VertSize", &TSeriesPointer::GetVertSize, &TSeriesPointer::SetVertSize).Default(4);
}

TSeriesPointer::TSeriesPointer(TChartSeries* Series)
    : TPlotCustomShapeBrushPen(PanelOf(Series)),
      FGradient(std::make_unique<TPlotGradient>(ChangeHandler())),
      FParentSeries(Series) {}

TSeriesPointer::~TSeriesPointer() = default;

TChartSeries* TSeriesPointer::ParentSeries() const { return FParentSeries.Get(); }

void TSeriesPointer::Repaint() {
  if (TChartSeries* series = ParentSeries()) SetParent(PanelOf(series));
  TPlotCustomShapeBrushPen::Repaint();
}

void TSeriesPointer::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TSeriesPointer*>(Source)) {
    FDark3D = s->FDark3D;
    FDraw3D = s->FDraw3D;
    FGradient->Assign(s->FGradient.get());
    FHorizSize = s->FHorizSize;
    FInflateMargins = s->FInflateMargins;
    FStyle = s->FStyle;
    FTransparency = s->FTransparency;
    FVertSize = s->FVertSize;
  }
  TPlotCustomShapeBrushPen::Assign(Source);
}

void TSeriesPointer::SetHorizSize(int32_t Value) {
  if (Value <= 0) throw ChartException(PlotConst::MsgPointerSize);
  Change(FHorizSize, Value);
}

void TSeriesPointer::SetVertSize(int32_t Value) {
  if (Value <= 0) throw ChartException(PlotConst::MsgPointerSize);
  Change(FVertSize, Value);
}

void TSeriesPointer::CalcHorizMargins(int32_t& Left, int32_t& Right) const {
  if (!GetVisible() || !FInflateMargins) return;
  Left = std::max(Left, FHorizSize + 1);
  Right = std::max(Right, FHorizSize + 1);
}

void TSeriesPointer::CalcVerticalMargins(int32_t& Top, int32_t& Bottom) const {
  if (!GetVisible() || !FInflateMargins) return;
  Top = std::max(Top, FVertSize + 1);
  Bottom = std::max(Bottom, FVertSize + 1);
}

void TSeriesPointer::PrepareCanvas(TCanvas3D& Canvas, TColor Color) const {
  TChartPen& pen = *Pen();
  if (pen.GetVisible())
    Canvas.UsePenColor(pen, pen.GetColor() == clDefault ? Color : pen.GetColor());
  else
    Canvas.Pen->SetStyle(psClear);

  TChartBrush& brush = *Brush();
  TColor fill;
  if (brush.GetColor() == clDefault)
    fill = brush.GetStyle() == bsSolid ? Color : clBlack;
  else {
    const TChartSeries* series = ParentSeries();
    fill = series && series->GetColorEachPoint() ? Color : brush.GetColor();
  }
  Canvas.UseBrushColor(brush, fill, Color);
}

TSeriesPointer::TDepths TSeriesPointer::SeriesDepths() const {
  if (const TChartSeries* s = ParentSeries()) return {s->StartZ, s->MiddleZ, s->EndZ};
  return {};
}

bool TSeriesPointer::OrthogonalView(const TCanvas3D& Canvas) const {
  return Canvas.View3DOptions == nullptr || Canvas.View3DOptions->GetOrthogonal();
}

void TSeriesPointer::DrawPointer(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V,
                                 TColor Color, TSeriesPointerStyle Style) {
  const TDepths z = SeriesDepths();
  TPlotBlend* blend = nullptr;
  if (FTransparency > 0) {
    TRect area(X - H, Y - V, X + H + 1, Y + V + 1);
    if (Style == Style_::psRectangle && Is3D && FDraw3D && OrthogonalView(Canvas)) {
      // The cube's depth shows as a strip to the right and above the front face.
      area.Right += z.End - z.Start;
      area.Top -= z.End - z.Start;
    }
    blend = Canvas.BeginBlend(Is3D ? Canvas.RectBounds2D(area, z.Start) : area, FTransparency);
  }
  const TBlendScope blendScope(Canvas, blend);
  DrawSymbol(Canvas, Is3D, X, Y, H, V, Style, z);
  if (FGradient->GetVisible()) FillGradient(Canvas, Is3D, X, Y, H, V, Color, Style, z);
}

void TSeriesPointer::DrawSymbol(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V,
                                TSeriesPointerStyle Style, const TDepths& Z) {
  const int32_t L = X - H, R = X + H, T = Y - V, B = Y + V;
  const bool solid = Is3D && FDraw3D;
  auto cross = [&] {
    if (Is3D) {
      Canvas.VertLine3D(X, T, B + 1, Z.Start);
      Canvas.HorizLine3D(L, R + 1, Y, Z.Start);
    } else {
      Canvas.VertLine(X, T, B + 1);
      Canvas.HorizLine(L, R + 1, Y);
    }
  };
  auto diagCross = [&] {
    if (Is3D) {
      Canvas.LineAtDepth(L, T, R + 1, B + 1, Z.Start);
      Canvas.LineAtDepth(R, T, L - 1, B + 1, Z.Start);
    } else {
      Canvas.Line(L, T, R + 1, B + 1);
      Canvas.Line(R, T, L - 1, B + 1);
    }
  };
  auto polygon = [&](std::span<const TPoint> P) {
    if (Is3D)
      Canvas.PolygonAtDepth(P, Z.Start);
    else
      Canvas.Polygon(P);
  };

  switch (Style) {
    case Style_::psRectangle:
      if (solid)
        Canvas.Box(L, R, T, B, Z.Start, Z.End, FDark3D);
      else if (Is3D)
        Canvas.RectAtDepth(TRect(L, T, R + 1, B + 1), Z.Start);
      else
        Canvas.Rectangle(L, T, R + 1, B + 1);
      break;
    case Style_::psCircle:
      if (solid && Canvas.IsTrue3D())
        Canvas.Sphere(X, Y, Z.Middle, H);
      else if (Is3D)
        Canvas.EllipseAtDepth(L, T, R, B, Z.Start);
      else
        Canvas.Ellipse(L, T, R, B);
      break;
    case Style_::psTriangle:
    case Style_::psDownTriangle:
      if (solid) {
        const int32_t v = Style == Style_::psTriangle ? V : -V;
        Canvas.Pyramid(true, L, Y - v, R, Y + v, Z.Start, Z.End, FDark3D);
      } else {
        polygon(TrianglePoints(Style, X, Y, H, V));
      }
      break;
    case Style_::psLeftTriangle:
    case Style_::psRightTriangle: polygon(TrianglePoints(Style, X, Y, H, V)); break;
    case Style_::psCross: cross(); break;
    case Style_::psDiagCross: diagCross(); break;
    case Style_::psStar:
      cross();
      diagCross();
      break;
    case Style_::psDiamond: {
      const TPoint p[4] = {TPoint(L, Y), TPoint(X, T), TPoint(R, Y), TPoint(X, B)};
      polygon(p);
      break;
    }
    case Style_::psSmallDot:
      if (Is3D)
        Canvas.SetPixel3D(X, Y, Z.Middle, Canvas.Brush->GetColor());
      else
        Canvas.SetPixel(X, Y, Canvas.Brush->GetColor());
      break;
    case Style_::psNothing: break;
  }
}

void TSeriesPointer::FillGradient(TCanvas3D& Canvas, bool Is3D, int32_t X, int32_t Y, int32_t H, int32_t V,
                                  TColor Color, TSeriesPointerStyle Style, const TDepths& Z) {
  if (!FKeepGradientEnd) {
    // Following the point colour is part of drawing, not a change of the
    // pointer: it must not ask the chart for another repaint.
    const TPlotChangeEvent onChange = std::move(FGradient->OnChange);
    FGradient->OnChange = {};
    FGradient->SetEndColor(Color);
    FGradient->OnChange = onChange;
  }
  const int32_t penWidth = Pen()->GetWidth();
  TRect r(X - H + penWidth, Y - V + penWidth, X + H, Y + V);

  if (Is3D && Style == Style_::psRectangle && !OrthogonalView(Canvas)) {
    r.Right -= penWidth;
    r.Bottom -= penWidth;
    FGradient->FillQuad(Canvas, Canvas.RectCorners(r, Z.Start));
    return;
  }

  if (Is3D) r = Canvas.RectTo2D(r, Z.Start);
  auto toScreen = [&](TPoint P) { return Is3D ? Canvas.PointTo2D(P, Z.Start) : P; };
  ClipScope clip(Canvas);
  switch (Style) {
    case Style_::psRectangle:
      Canvas.ClipRect(r);
      clip.Clipped();
      break;
    case Style_::psCircle:
      Canvas.ClipEllipse(r);
      clip.Clipped();
      break;
    case Style_::psTriangle:
    case Style_::psDownTriangle:
    case Style_::psLeftTriangle:
    case Style_::psRightTriangle: {
      // Up and down triangles drawn as pyramids have no flat face to fill.
      if (FDraw3D && Is3D && (Style == Style_::psTriangle || Style == Style_::psDownTriangle)) return;
      std::array<TPoint, 3> p = TrianglePoints(Style, X, Y, H, V);
      for (TPoint& q : p) q = toScreen(q);
      Canvas.ClipPolygon(p, 3);
      clip.Clipped();
      if (Style == Style_::psLeftTriangle || Style == Style_::psRightTriangle) r = TriangleRect(p);
      break;
    }
    case Style_::psDiamond: {
      const TFourPoints p = {toScreen(TPoint(X - H, Y)), toScreen(TPoint(X, Y - V)), toScreen(TPoint(X + H, Y)),
                             toScreen(TPoint(X, Y + V))};
      FGradient->FillQuad(Canvas, p);
      return;
    }
    default: return;
  }
  FGradient->FillRect(Canvas, r);
}

void TSeriesPointer::DrawOnChart(int32_t X, int32_t Y, TColor Color, TSeriesPointerStyle Style) {
  TChartSeries* series = ParentSeries();
  TSeriesChart* chart = series ? series->GetParentChart() : nullptr;
  TCanvas3D* canvas = chart ? chart->GetCanvas() : nullptr;
  // A pointer without a chart has nowhere to draw.
  if (canvas == nullptr) return;
  SetParent(PanelOf(series));
  DrawPointer(*canvas, chart->GetView3D(), X, Y, FHorizSize, FVertSize, Color, Style);
}

// ============================================================================
// TCallout
// ============================================================================

KV_CLASS_IMPL(TCallout, TSeriesPointer) {
  c.Property("Arrow", &TCallout::Arrow);
  c.Property("ArrowHead", &TCallout::GetArrowHead, &TCallout::SetArrowHead)
      .Names({"ahNone", "ahLine", "ahSolid"})
      .Default(ahNone);
  c.Property("ArrowHeadSize", &TCallout::GetArrowHeadSize, &TCallout::SetArrowHeadSize).Default(8);
  c.Property("Distance", &TCallout::GetDistance, &TCallout::SetDistance).Default(0);
  // The callout's defaults differ from the pointer's for these two.
  c.Property("Draw3D", &TCallout::GetDraw3D, &TCallout::SetDraw3D).Default(false);
  c.Property("Visible", &TCallout::GetVisible, &TCallout::SetVisible).Default(true);
}

TCallout::TCallout(TChartSeries* Series)
    : TSeriesPointer(Series), FArrow(std::make_unique<TWhitePen>(ChangeHandler())) {
  SetInflateMargins(true);
  SetKeepGradientEnd(true);
  SetStyle(Style_::psRectangle);
  SetVisible(true);
  SetDraw3D(false);
  Brush()->SetColor(clBlack);
}

TCallout::~TCallout() = default;

void TCallout::Assign(const TPersistent* Source) {
  if (const auto* c = dynamic_cast<const TCallout*>(Source)) {
    FDistance = c->FDistance;
    FArrow->Assign(c->FArrow.get());
    FArrowHead = c->FArrowHead;
    FArrowHeadSize = c->FArrowHeadSize;
  }
  TSeriesPointer::Assign(Source);
}

void TCallout::Draw(TCanvas3D& Canvas, bool Is3D, TColor /*Color*/, TPoint Tip, TPoint Tail, int32_t Z) {
  if (FArrow->GetVisible()) {
    Canvas.Brush->SetStyle(bsClear);
    PrepareCanvas(Canvas, GetColor());
    Canvas.UsePen(*FArrow);
    switch (FArrowHead) {
      case ahLine:
      case ahSolid:
        Canvas.Arrow(FArrowHead == ahSolid, Tail, Tip, FArrowHeadSize, FArrowHeadSize, Z, 50.0);
        break;
      case ahNone:
        if (Is3D)
          Canvas.LineAtDepthPoints(Tail, Tip, Z);
        else
          Canvas.LinePoints(Tail, Tip);
        break;
    }
  }
  if (FArrowHead == ahNone && GetVisible()) {
    PrepareCanvas(Canvas, GetColor());
    const TPoint p = Is3D ? Canvas.PointTo2D(Tip, Z) : Tip;
    DrawPointer(Canvas, false, p.X, p.Y, GetHorizSize(), GetVertSize(), GetColor(), GetStyle());
  }
}

void TCallout::Draw(TColor Color, TPoint Tip, TPoint Tail, int32_t Z) {
  TChartSeries* series = ParentSeries();
  TSeriesChart* chart = series ? series->GetParentChart() : nullptr;
  TCanvas3D* canvas = chart ? chart->GetCanvas() : nullptr;
  if (canvas == nullptr) return;
  Draw(*canvas, chart->GetView3D(), Color, Tip, Tail, Z);
}
