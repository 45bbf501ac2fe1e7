// How one bar is painted once its rectangle, colour and value ends are known:
// the thirteen shapes in 2-D and 3-D, thin bars, the gradient fill with its
// value-relative end colour, the bevel frame and the tick lines across bars.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/engine/PlotProcs.h"
#include "chart/series/Series.h"

namespace {

bool IsRectLike(TBarStyle S) { return S == bsRectangle || S == bsRectGradient || S == bsBevel; }

// Restores the canvas's number of sides of round solids on every exit.
class SolidSidesGuard {
public:
  explicit SolidSidesGuard(int32_t Sides) : FOld(PlotCanvas::SolidSides) { PlotCanvas::SolidSides = Sides; }
  ~SolidSidesGuard() { PlotCanvas::SolidSides = FOld; }
  SolidSidesGuard(const SolidSidesGuard&) = delete;
  SolidSidesGuard& operator=(const SolidSidesGuard&) = delete;

private:
  int32_t FOld;
};

}  // namespace

void TCustomBarSeries::PaintBarShape(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  UseBarBrush(BarColor);
  const TBarStyle style = BarStyleOf(ValueIndex);
  if (static_cast<int32_t>(style) > static_cast<int32_t>(bsInvCone)) return;
  TCanvas3D& c = ChartCanvas();
  const TRect& b = BarBounds;
  const bool v = Vertical();
  const bool is3D = Chart3D();
  // Across the bar: its low and high edge and its centre; along the value
  // axis: where a pointed shape has its base and its apex.
  const int32_t lo = v ? b.Left : b.Top, hi = v ? b.Right : b.Bottom;
  const int32_t mid = (lo + hi) / 2, w = hi - lo;
  const bool inverted = style == bsInvPyramid || style == bsInvCone || style == bsInvArrow;
  int32_t base = v ? EndPos : StartPos, apex = v ? StartPos : EndPos;
  if (inverted) std::swap(base, apex);
  const auto P = [v](int32_t Across, int32_t Along) { return v ? TPoint(Across, Along) : TPoint(Along, Across); };
  // The value ends in the order a solid takes them (reversed for the inverted ones).
  const int32_t first = inverted ? EndPos : StartPos, second = inverted ? StartPos : EndPos;
  const auto solidRect = [&](int32_t A, int32_t B) { return v ? TRect(lo, A, hi, B) : TRect(A, lo, B, hi); };

  switch (style) {
    case bsRectangle:
    case bsRectGradient:
    case bsBevel:
      if (is3D)
        v ? c.Box(b.Left, b.Right, StartPos, EndPos, StartZ, EndZ, FDark3D)
          : c.Box(StartPos, EndPos, b.Top, b.Bottom, StartZ, EndZ, FDark3D);
      else
        BarRectangle(b.Left, b.Top, b.Right, b.Bottom);
      break;
    case bsPyramid:
    case bsInvPyramid:
    case bsCone:
    case bsInvCone:
      if (is3D) {
        const TRect r = solidRect(first, second);
        if (style == bsPyramid || style == bsInvPyramid)
          c.Pyramid(v, r.Left, r.Top, r.Right, r.Bottom, StartZ, EndZ, FDark3D);
        else
          c.RoundSolidTop(v, r.Left, r.Top, r.Right, r.Bottom, StartZ, EndZ, FDark3D, ConeTopPercent);
      } else {
        const TPoint tri[3] = {P(lo, base), P(mid, apex), P(hi, base)};
        c.Polygon(tri);
      }
      break;
    case bsCilinder:
      if (is3D)
        c.RoundSolid(v, b.Left, b.Top, b.Right, b.Bottom, StartZ, EndZ, FDark3D);
      else
        BarRectangle(b.Left, b.Top, b.Right, b.Bottom);
      break;
    case bsEllipse:
      if (is3D)
        c.EllipseAtDepth(b.Left, b.Top, b.Right, b.Bottom, MiddleZ);
      else
        c.EllipseRect(b);
      break;
    case bsArrow:
    case bsInvArrow: c.ArrowHalf(true, P(mid, base), P(mid, apex), w, w / 2, MiddleZ); break;
    case bsSlantCube:
      if (is3D) {
        const SolidSidesGuard four(4);
        c.RoundSolid(v, b.Left, b.Top, b.Right, b.Bottom, StartZ, EndZ, FDark3D);
      } else {
        BarRectangle(b.Left, b.Top, b.Right, b.Bottom);
        if (v)
          c.VertLine(mid, b.Top, b.Bottom);
        else
          c.HorizLine(b.Left, b.Right, mid);
      }
      break;
    case bsDiamond: {
      const int32_t m = (StartPos + EndPos) / 2;
      const TPoint diamond[4] = {P(mid, StartPos), P(hi, m), P(mid, EndPos), P(lo, m)};
      if (is3D)
        c.PolygonAtDepth(diamond, MiddleZ);
      else
        c.Polygon(diamond);
      break;
    }
  }
  if (style == bsRectGradient) FillBarGradient(ValueIndex, solidRect(StartPos, EndPos));
  if (style == bsBevel) DrawBevel();
  DrawTickLines(StartPos, EndPos, style);
}

void TCustomBarSeries::BarRectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  TCanvas3D& c = ChartCanvas();
  if (c.Brush->GetStyle() == bsSolid) {
    const auto penInBrushColour = [&c] {
      c.Pen->SetColor(c.Brush->GetColor());
      if (c.Pen->GetStyle() == psClear) c.Pen->SetStyle(psSolid);
    };
    if (Right == Left || Top == Bottom) {
      // A bar without thickness is still seen: a line in the bar's colour.
      penInBrushColour();
      c.Line(Left, Top, Right, Bottom);
    } else if (c.Pen->GetWidth() > std::abs(Right - Left) || c.Pen->GetWidth() > std::abs(Bottom - Top)) {
      // A pen wider than the bar would hide it: the outline in the bar's colour.
      penInBrushColour();
      c.Brush->SetStyle(bsClear);
    }
  }
  c.Rectangle(Left, Top, Right, Bottom);
}

void TCustomBarSeries::SetGradientEndColor(int32_t ValueIndex) {
  TColor end = BarColor;
  if (FGradient->GetRelative()) {
    const double value = MandatoryValue(ValueIndex);
    const double max = MandatoryList()->MaxValue();
    const double origin = FUseYOrigin ? FYOrigin : MandatoryList()->MinValue();
    // All values at the origin: the bars keep the start colour.
    const double t = max != origin ? (value - origin) / (max - origin) : 0.0;
    const TColor start = FGradient->GetStartColor();
    end = 0;
    for (int32_t shift : {0, 8, 16}) {
      const int32_t s = (start >> shift) & 0xFF, bar = (BarColor >> shift) & 0xFF;
      const int32_t ch = std::clamp(static_cast<int32_t>(std::nearbyint(s + (bar - s) * t)), 0, 255);
      end |= ch << shift;
    }
  }
  // Set quietly: a gradient that notified here would ask for another paint.
  const TPlotChangeEvent handler = std::move(FGradient->OnChange);
  FGradient->OnChange = nullptr;
  FGradient->SetEndColor(end);
  FGradient->OnChange = handler;
}

void TCustomBarSeries::FillBarGradient(int32_t ValueIndex, TRect R) {
  SetGradientEndColor(ValueIndex);
  TCanvas3D& c = ChartCanvas();
  const bool pen = BarPen()->GetVisible();
  const int32_t pw = BarPen()->GetWidth();
  if (!Chart3D()) {
    if (pen) R = TRect(R.Left + 1, R.Top + 1, R.Right - pw, R.Bottom - pw);
    FGradient->FillRect(c, R);
  } else if (OrthogonalView()) {
    if (pen) R = TRect(R.Left + 1, R.Top + 1, R.Right - (pw - 1), R.Bottom - (pw - 1));
    FGradient->FillRect(c, c.RectTo2D(R, StartZ));
  } else {
    TFourPoints p = c.RectCorners(R, StartZ);
    if (pen) {
      p[0] = TPoint(p[0].X + pw, p[0].Y + pw);
      p[1] = TPoint(p[1].X - pw, p[1].Y + pw);
      p[2] = TPoint(p[2].X - pw, p[2].Y - pw);
      p[3] = TPoint(p[3].X + pw, p[3].Y - pw);
    }
    FGradient->FillQuad(c, p);
  }
}

void TCustomBarSeries::DrawBevel() {
  const bool is3D = Chart3D();
  if (is3D && !OrthogonalView()) return;
  TCanvas3D& c = ChartCanvas();
  TRect r = BarBounds;
  if (BarPen()->GetVisible()) {
    const int32_t pw = BarPen()->GetWidth();
    r = TRect(r.Left + pw, r.Top + pw, r.Right - pw, r.Bottom - pw);
  }
  if (is3D) r = c.RectTo2D(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1), StartZ);
  c.BevelFrame(r, LighterColor(BarColor, 128), DarkerColor(BarColor, 64), FBevelSize);
}

void TCustomBarSeries::DrawTickLines(int32_t StartPos, int32_t EndPos, TBarStyle Style) {
  if (!FTickLines->GetVisible()) return;
  TChartAxis* axis = ValueAxis();
  if (!axis) return;
  ChartCanvas().UsePen(*FTickLines);
  for (int32_t tick : axis->TickPixels)
    if (tick > StartPos && tick < EndPos) DrawTickLine(tick, Style);
}

// ---- TBarSeries ----

void TBarSeries::PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  PaintBarShape(ValueIndex, StartPos, EndPos);
}

void TBarSeries::DrawTickLine(int32_t Pos, TBarStyle Style) {
  TCanvas3D& c = ChartCanvas();
  const TRect& b = BarBounds;
  const bool is3D = Chart3D();
  if (IsRectLike(Style)) {
    is3D ? c.HorizLine3D(b.Left, b.Right, Pos, StartZ) : c.HorizLine(b.Left, b.Right, Pos);
  } else if (Style == bsArrow) {
    const int32_t q = (b.Right - b.Left) / 4;
    is3D ? c.HorizLine3D(b.Left + q, b.Right - q, Pos, MiddleZ) : c.HorizLine(b.Left + q, b.Right - q, Pos);
  }
  if (!is3D || !IsRectLike(Style)) return;
  // Along the depth on the side face turned to the viewer.
  const bool right = !IsBackFace(c.Project(b.Right, b.Bottom, EndZ), c.Project(b.Right, b.Top, EndZ),
                                 c.Project(b.Right, b.Top, StartZ));
  const bool left = !IsBackFace(c.Project(b.Left, b.Top, StartZ), c.Project(b.Left, b.Top, EndZ),
                                c.Project(b.Left, b.Bottom, EndZ));
  if (right)
    c.DepthLine(b.Right, Pos, StartZ, EndZ);
  else if (left)
    c.DepthLine(b.Left, Pos, StartZ, EndZ);
}

// ---- THorizBarSeries ----

void THorizBarSeries::PaintBar(int32_t ValueIndex, int32_t StartPos, int32_t EndPos) {
  PaintBarShape(ValueIndex, StartPos, EndPos);
}

void THorizBarSeries::DrawTickLine(int32_t Pos, TBarStyle Style) {
  TCanvas3D& c = ChartCanvas();
  const TRect& b = BarBounds;
  const bool is3D = Chart3D();
  if (IsRectLike(Style)) {
    is3D ? c.VertLine3D(Pos, b.Top, b.Bottom, StartZ) : c.VertLine(Pos, b.Top, b.Bottom);
  } else if (Style == bsArrow) {
    const int32_t q = (b.Bottom - b.Top) / 4;
    is3D ? c.VertLine3D(Pos, b.Top + q, b.Bottom - q, MiddleZ) : c.VertLine(Pos, b.Top + q, b.Bottom - q);
  }
  if (!is3D || !IsRectLike(Style)) return;
  const bool top = !IsBackFace(c.Project(b.Left, b.Top, EndZ), c.Project(b.Left, b.Top, StartZ),
                               c.Project(b.Right, b.Top, StartZ));
  const bool bottom = !IsBackFace(c.Project(b.Right, b.Bottom, StartZ), c.Project(b.Left, b.Bottom, StartZ),
                                  c.Project(b.Left, b.Bottom, EndZ));
  if (top)
    c.DepthLine(Pos, b.Top, StartZ, EndZ);
  else if (bottom)
    c.DepthLine(Pos, b.Bottom, StartZ, EndZ);
}
