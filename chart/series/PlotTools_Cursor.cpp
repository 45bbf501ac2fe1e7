// The cursor tool (horizontal and vertical lines that the mouse drags or that
// follow it, snapping to the nearest point of a series) and the nearest-point
// tool (a hint shape at the point of a series nearest to the mouse).
#include <algorithm>
#include <cmath>

#include "chart/series/PlotTools.h"

namespace {

using PlotTools::PanelOf;

// The canvas of a chart, attached to its window between paints; null when
// the chart has no canvas or the canvas has nowhere to draw.
TCanvas3D* DrawingCanvas(TCustomAxisPanel* Chart) {
  if (!Chart) return nullptr;
  TCanvas3D* c = Chart->Canvas();
  return c && c->Pen ? c : nullptr;
}

}  // namespace

// ============================================================================
// Cursor
// ============================================================================

KV_CLASS_IMPL(TCursorTool, TPlotCustomToolSeries) {
  c.Property("ClickTolerance", &TCursorTool::ClickTolerance).Default(3);
  c.Property("FollowMouse", &TCursorTool::FollowMouse).Default(false);
  c.Property("Pen", &TCursorTool::Pen);
  c.Property("Snap", &TCursorTool::Snap).Default(false);
  c.Property("Style", &TCursorTool::GetStyle, &TCursorTool::SetStyle)
      .Names({"cssHorizontal", "cssVertical", "cssBoth"})
      .Default(cssBoth);
  c.Property("UseSeriesZ", &TCursorTool::GetUseSeriesZ, &TCursorTool::SetUseSeriesZ).Default(false);
}

TCursorTool::TCursorTool(TComponent* Owner) : TPlotCustomToolSeries(Owner) {}

void TCursorTool::SetStyle(TCursorToolStyle Value) {
  FStyle = Value;
  SnapToPoint();
  Repaint();
}

void TCursorTool::SetSeries(TChartSeries* Value) {
  TPlotCustomToolSeries::SetSeries(Value);
  LastSnapIndex = -1;
  if (ComponentState.Contains(TComponentStateItem::csLoading)) return;
  SnapToPoint();
  Repaint();
}

TRect TCursorTool::AxisRect() const {
  TChartAxis* h = GetHorizAxis();
  TChartAxis* v = GetVertAxis();
  if (!h || !v) return TRect(0, 0, -1, -1);
  return TRect(h->StartPixel, v->StartPixel, h->EndPixel, v->EndPixel);
}

TPoint TCursorTool::Projected(int32_t X, int32_t Y) const {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  if (FUseSeriesZ && GetSeries() && chart && chart->GetView3D() && chart->Canvas())
    chart->Canvas()->ScreenTo3D(X, Y, GetSeries()->StartZ);
  return TPoint(X, Y);
}

int32_t TCursorTool::SnapToPoint() {
  TChartSeries* s = GetSeries();
  if (!s || !Snap) return -1;
  int32_t first = 0, last = -1;
  if (!PlotTools::SeriesVisibleRange(s, first, last)) return -1;
  int32_t best = -1;
  double bestDistance = 0;
  for (int32_t i = first; i <= last && i < s->Count(); ++i) {
    const double x = s->GetXValue(i), y = s->GetYValue(i);
    const double d = FStyle == cssHorizontal ? std::abs(YValue - y)
                     : FStyle == cssVertical ? std::abs(XValue - x)
                                             : std::hypot(XValue - x, YValue - y);
    if (best == -1 || d < bestDistance) best = i, bestDistance = d;
  }
  if (best < 0) return -1;
  if (FStyle != cssVertical) YValue = s->GetYValue(best);
  if (FStyle != cssHorizontal) XValue = s->GetXValue(best);
  return best;
}

int32_t TCursorTool::ClickedPart(int32_t X, int32_t Y) const {
  const TPoint p = Projected(X, Y);
  if (!PointInRectXY(AxisRect(), p.X, p.Y)) return 0;
  // Off screen (after a repaint) the lines stand where their values are.
  TChartAxis* h = GetHorizAxis();
  TChartAxis* v = GetVertAxis();
  const int32_t x0 = XPixel != -1 || !h ? XPixel : h->ValueToPixel(XValue);
  const int32_t y0 = YPixel != -1 || !v ? YPixel : v->ValueToPixel(YValue);
  const bool nearH = std::abs(p.Y - y0) <= ClickTolerance;
  const bool nearV = std::abs(p.X - x0) <= ClickTolerance;
  if (FStyle == cssBoth && nearH && nearV) return 3;
  if (FStyle != cssVertical && nearH) return 1;
  if (FStyle != cssHorizontal && nearV) return 2;
  return 0;
}

void TCursorTool::RedrawCursor() {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  TCanvas3D* canvas = DrawingCanvas(chart);
  if (!canvas) return;
  const TColor back = ColorToRGB(chart->GetColor());
  canvas->UsePenColor(*Pen(), ColorToRGB(Pen()->GetColor()) ^ back);
  canvas->Brush->SetStyle(bsClear);
  canvas->Pen->SetMode(pmXor);
  const TRect r = AxisRect();
  const bool is3D = chart->GetView3D();
  const int32_t z = GetSeries() ? GetSeries()->StartZ : 0;
  if (FStyle != cssVertical) {
    if (is3D)
      canvas->HorizLine3D(r.Left, r.Right, YPixel, z);
    else
      canvas->HorizLine(r.Left, r.Right, YPixel);
  }
  if (FStyle != cssHorizontal) {
    if (is3D)
      canvas->VertLine3D(XPixel, r.Top, r.Bottom, z);
    else
      canvas->VertLine(XPixel, r.Top, r.Bottom);
  }
  canvas->Pen->SetMode(pmCopy);
  canvas->InvalidateBuffer();
}

void TCursorTool::DoChange(int32_t ValueIndex) {
  if (OnChange) OnChange(this, XPixel, YPixel, XValue, YValue, GetSeries(), ValueIndex);
}

void TCursorTool::MouseMoved(int32_t X, int32_t Y) {
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  const TPoint p = Projected(X, Y);
  const bool inside = PointInRectXY(AxisRect(), p.X, p.Y);
  if ((GrabbedPart != 0 || FollowMouse) && (inside || WasInside)) {
    if (XPixel != -1) RedrawCursor();
    if (inside) {
      TChartAxis* h = GetHorizAxis();
      TChartAxis* v = GetVertAxis();
      const bool changeX = GrabbedPart == 2 || GrabbedPart == 3 || (GrabbedPart == 0 && FStyle != cssHorizontal);
      const bool changeY = GrabbedPart == 1 || GrabbedPart == 3 || (GrabbedPart == 0 && FStyle != cssVertical);
      if (changeX && h) XValue = h->CalcPosPoint(p.X);
      if (changeY && v) YValue = v->CalcPosPoint(p.Y);
      const int32_t snapped = SnapToPoint();
      if (h) XPixel = h->ValueToPixel(XValue);
      if (v) YPixel = v->ValueToPixel(YValue);
      RedrawCursor();
      DoChange(snapped);
      if (OnSnapChange && snapped != LastSnapIndex)
        OnSnapChange(this, XPixel, YPixel, XValue, YValue, GetSeries(), snapped);
      LastSnapIndex = snapped;
      WasInside = true;
      return;
    }
    WasInside = false;
    XPixel = YPixel = -1;
  } else if (XPixel == -1 && inside && GetHorizAxis() && GetVertAxis()) {
    // A repaint removed the cursor; it shows again at the first move over the axes.
    XPixel = GetHorizAxis()->ValueToPixel(XValue);
    YPixel = GetVertAxis()->ValueToPixel(YValue);
    RedrawCursor();
  }
  const int32_t part = ClickedPart(X, Y);
  if (chart) {
    if (part == 1) chart->SetChartCursor(crVSplit);
    if (part == 2) chart->SetChartCursor(crHSplit);
    if (part == 3) chart->SetChartCursor(crSizeAll);
    chart->MouseCancelled = part != 0;
  }
}

void TCursorTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                   int32_t Y) {
  switch (Kind) {
    case tmeDown:
      if (FollowMouse) return;
      GrabbedPart = ClickedPart(X, Y);
      if (GrabbedPart != 0)
        if (TCustomAxisPanel* chart = PanelOf(GetParentChart())) chart->MouseCancelled = true;
      break;
    case tmeUp: GrabbedPart = 0; break;
    case tmeMove: MouseMoved(X, Y); break;
    default: break;
  }
}

void TCursorTool::HandleChartEvent(int32_t Code) {
  // A repaint removed the cursor; it comes back at the next mouse move.
  if (Code == tceAfterDraw) XPixel = YPixel = -1;
}

// ============================================================================
// Nearest point
// ============================================================================

KV_CLASS_IMPL(TNearestTool, TPlotCustomToolSeries) {
  c.Property("Brush", &TNearestTool::Brush);
  c.Property("DrawLine", &TNearestTool::GetDrawLine, &TNearestTool::SetDrawLine).Default(true);
  c.Property("FullRepaint", &TNearestTool::FullRepaint).Default(true);
  c.Property("LinePen", &TNearestTool::LinePen);
  c.Property("Pen", &TNearestTool::Pen);
  c.Property("Size", &TNearestTool::GetSize, &TNearestTool::SetSize).Default(20);
  c.Property("Style", &TNearestTool::GetStyle, &TNearestTool::SetStyle)
      .Names({"hsNone", "hsCircle", "hsRectangle", "hsDiamond"})
      .Default(hsCircle);
}

TNearestTool::TNearestTool(TComponent* Owner)
    : TPlotCustomToolSeries(Owner),
      FLinePen(std::make_unique<TChartPen>([this](TObject* Sender) { RepaintOnChange(Sender); })) {}

void TNearestTool::Init() {
  TPlotCustomToolSeries::Init();
  Pen()->SetColor(clWhite);
  Pen()->SetStyle(psDot);
  Brush()->SetStyle(bsClear);
}

void TNearestTool::SetStyle(TNearestToolStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Repaint();
}

int32_t TNearestTool::NearestPointOf(TChartSeries* Series, int32_t X, int32_t Y, int32_t& Distance) {
  Distance = 10000;
  int32_t first = 0, last = -1;
  if (!PlotTools::SeriesVisibleRange(Series, first, last)) return -1;
  TCustomAxisPanel* chart = PanelOf(Series->GetParentChart());
  if (!chart) return -1;
  TChartValueList* zList = Series->HasZValues ? Series->ValueListByName("Z") : nullptr;
  const TRect r = chart->ChartRect;
  int32_t best = -1;
  // Judges point i; the cheap tests come first (the pixel X alone, then the
  // square of the distance), null points and square roots are only looked at
  // for the few points that may be nearer than the best so far. Of two points
  // at the same rounded distance the lower index wins.
  const auto visit = [&](int32_t i, int32_t x) {
    const int64_t limit = int64_t(Distance) + 1;
    if (!zList) {
      if (x < r.Left || x > r.Right) return;
      const int64_t dx = int64_t(x) - X;
      if (dx * dx >= limit * limit) return;
    }
    int32_t y = Series->PointPixelY(i);
    if (zList && chart->Canvas() && chart->DepthAxis()) {
      const TPoint p = chart->Canvas()->Project(x, y, chart->DepthAxis()->ValueToPixel(zList->GetValue(i)));
      x = p.X, y = p.Y;
    }
    if (!PointInRectXY(r, x, y)) return;
    const int64_t dx = int64_t(x) - X, dy = int64_t(y) - Y;
    if (dx * dx + dy * dy >= limit * limit) return;
    if (Series->IsNull(i)) return;
    const int32_t d = PlotCanvas::RoundToPixel(Hypotenuse(double(dx), double(dy)));
    if (d < Distance || (d == Distance && i < best)) Distance = d, best = i;
  };
  last = std::min(last, Series->Count() - 1);
  if (zList || Series->XValues()->GetOrder() != loAscending || last - first < 16) {
    for (int32_t i = first; i <= last; ++i) visit(i, Series->PointPixelX(i));
    return best;
  }
  // Points in X order lie in pixel order along the axis: the search starts at
  // the mouse's X and walks out both ways until the pixels alone are too far.
  const int32_t dir = Series->PointPixelX(last) >= Series->PointPixelX(first) ? 1 : -1;
  int32_t lo = first, hi = last + 1;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (int64_t(dir) * Series->PointPixelX(mid) < int64_t(dir) * X)
      lo = mid + 1;
    else
      hi = mid;
  }
  for (int32_t i = lo; i <= last; ++i) {
    const int32_t x = Series->PointPixelX(i);
    if (int64_t(dir) * (int64_t(x) - X) >= int64_t(Distance) + 1) break;
    visit(i, x);
  }
  for (int32_t i = lo - 1; i >= first; --i) {
    const int32_t x = Series->PointPixelX(i);
    if (int64_t(dir) * (int64_t(X) - x) >= int64_t(Distance) + 1) break;
    visit(i, x);
  }
  return best;
}

void TNearestTool::PaintHint() {
  TChartSeries* s = GetSeries();
  if (!s || Point < 0 || Point >= s->Count()) return;
  TCustomAxisPanel* chart = PanelOf(GetParentChart());
  TCanvas3D* canvas = DrawingCanvas(chart);
  if (!canvas) return;
  const auto usePen = [&](TChartPen& P) {
    canvas->UsePen(P);
    if (!FullRepaint) canvas->Pen->SetMode(pmNotXor);
  };
  usePen(*Pen());
  const int32_t x = s->PointPixelX(Point), y = s->PointPixelY(Point);
  TChartValueList* zList = s->HasZValues ? s->ValueListByName("Z") : nullptr;
  const int32_t z =
      zList && chart->DepthAxis() ? chart->DepthAxis()->ValueToPixel(zList->GetValue(Point)) : s->StartZ;
  const bool is3D = chart->GetView3D();
  const int32_t S = FSize;
  if (FStyle != hsNone) {
    canvas->UseBrushColor(*Brush(), clBlack);
    switch (FStyle) {
      case hsCircle:
        if (is3D)
          canvas->EllipseAtDepth(x - S, y - S, x + S, y + S, z);
        else
          canvas->Ellipse(x - S, y - S, x + S, y + S);
        break;
      case hsRectangle:
        if (is3D)
          canvas->RectAtDepth(TRect(x - S, y - S, x + S, y + S), z);
        else
          canvas->Rectangle(x - S, y - S, x + S, y + S);
        break;
      case hsDiamond: {
        const TPoint pts[4] = {TPoint(x, y - S), TPoint(x + S, y), TPoint(x, y + S), TPoint(x - S, y)};
        if (is3D)
          canvas->PolygonAtDepth(pts, z);
        else
          canvas->Polygon(pts);
        break;
      }
      case hsNone: break;
    }
  }
  if (GetDrawLine()) {
    usePen(*FLinePen);
    if (is3D) {
      canvas->MoveTo(MousePoint.X, MousePoint.Y);
      canvas->LineTo3D(x, y, z);
    } else {
      canvas->Line(MousePoint.X, MousePoint.Y, x, y);
    }
  }
  if (!FullRepaint) canvas->Pen->SetMode(pmCopy);
}

void TNearestTool::HandleMouseEvent(int32_t Kind, TMouseButton /*Button*/, TShiftState /*Shift*/, int32_t X,
                                    int32_t Y) {
  if (Kind == tmeDown) {
    if (GetSeries()) Point = NearestPointOf(GetSeries(), X, Y, Distance);
    return;
  }
  if (Kind != tmeMove) return;
  if (!FullRepaint) PaintHint();
  if (GetSeries()) Point = NearestPointOf(GetSeries(), X, Y, Distance);
  MousePoint = TPoint(X, Y);
  if (!FullRepaint) PaintHint();
  if (OnChange) OnChange(this);
  if (FullRepaint) Repaint();
}

void TNearestTool::HandleChartEvent(int32_t Code) {
  if (Code == tceAfterDraw) {
    PaintHint();
  } else if (Code == tceMouseLeave) {
    if (!FullRepaint) PaintHint();
    Point = -1;
    if (FullRepaint) Repaint();
  }
}
