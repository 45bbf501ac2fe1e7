// Gradient fills, shadows and the 3-D solids of the GDI canvas. Solids are
// drawn face by face in painter's order with back-face culling.
#include <algorithm>
#include <cmath>

#include "chart/engine/PlotCanvas.h"

using PlotCanvas::RoundToPixel;

namespace {

struct RGBParts {
  int R, G, B;
};

RGBParts PartsOf(TColor C) { return {GetRValue(C), GetGValue(C), GetBValue(C)}; }

// Colour step I of a gradient whose last step index is N.
TColor GradientStep(const RGBParts& Start, const RGBParts& Delta, int64_t I, int64_t N, int32_t Balance) {
  if (Balance == 50) {
    return RGB(static_cast<uint8_t>(Start.R + I * Delta.R / N), static_cast<uint8_t>(Start.G + I * Delta.G / N),
               static_cast<uint8_t>(Start.B + I * Delta.B / N));
  }
  const double v = std::pow(double(I + 1) / double(N + 1), 0.015 * Balance + 0.5);
  return RGB(static_cast<uint8_t>(Start.R + RoundToPixel(Delta.R * v)),
             static_cast<uint8_t>(Start.G + RoundToPixel(Delta.G * v)),
             static_cast<uint8_t>(Start.B + RoundToPixel(Delta.B * v)));
}

// Paints boxes with a solid brush of one colour at a time, changing the
// device context's brush only when the colour changes and restoring it after.
class BandPainter {
public:
  explicit BandPainter(TDeviceContext* DC) : FDC(DC), FSaved(DC->GetBrush()) {}
  ~BandPainter() { FDC->SelectBrush(FSaved); }
  void SetColor(TColor Color) {
    if (Color == FColor) return;
    FColor = Color;
    TLogBrush brush;
    brush.Style = BS_SOLID;
    brush.Color = Color;
    FDC->SelectBrush(brush);
  }
  void Paint(int32_t X, int32_t Y, int32_t W, int32_t H) {
    if (W > 0 && H > 0) FDC->PatBlt(X, Y, W, H, PATCOPY);
  }

private:
  TDeviceContext* FDC;
  TLogBrush FSaved;
  TColor FColor = -1;
};

// Device RGB of a colour as the gradients use it: system colours resolved,
// clNone and clDefault reduced to their low 24 bits.
TColor GradientRGB(TColor C) { return ColorToRGB(C) & 0xFFFFFF; }

TColor GreyOf(TColor C) {
  const TColor c = GradientRGB(C);
  const uint8_t g = static_cast<uint8_t>((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3);
  return RGB(g, g, g);
}

}  // namespace

// ============================================================================
// Gradient rectangle
// ============================================================================

void TPlotCanvas3D::GradientRect(const TRect& Rect, TColor StartColor, TColor EndColor, TGradientDirection Direction,
                                 int32_t Balance) {
  const TRect R = NormalizeRect(Rect);
  if (Direction == gdRadial) {
    TCustomPlotGradient radial;
    radial.SetDirection(gdRadial);
    radial.SetStartColor(StartColor);
    radial.SetEndColor(EndColor);
    radial.FillRadial(*this, R);
    return;
  }
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  if (Direction != gdTopBottom && Direction != gdLeftRight && Direction != gdDiagonalUp &&
      Direction != gdDiagonalDown)
    std::swap(StartColor, EndColor);
  const RGBParts s = PartsOf(GradientRGB(StartColor)), e = PartsOf(GradientRGB(EndColor));
  const RGBParts d{e.R - s.R, e.G - s.G, e.B - s.B};
  const int32_t width = R.Right - R.Left, height = R.Bottom - R.Top;

  switch (Direction) {
    case gdTopBottom:
    case gdBottomTop:
    case gdLeftRight:
    case gdRightLeft: {
      const bool vertical = Direction == gdTopBottom || Direction == gdBottomTop;
      const int64_t L = vertical ? height : width;
      const int64_t n = std::min<int64_t>(L, 256);
      const int64_t N = n - 1;
      if (N <= 0) return;
      BandPainter bands(DC);
      for (int64_t c = 0; c < n; ++c) {
        bands.SetColor(GradientStep(s, d, c, N, Balance));
        const int32_t b = static_cast<int32_t>(L * c / n), dd = static_cast<int32_t>(L * (c + 1) / n);
        if (vertical)
          bands.Paint(R.Left, R.Bottom - dd, width, dd - b);
        else
          bands.Paint(R.Right - dd, R.Top, dd - b, height);
      }
      break;
    }
    case gdFromCenter: {
      const int32_t a = width >> 1, b = height >> 1;
      const int64_t N = std::max(1, a + b);
      BandPainter bands(DC);
      int32_t c = 0, dd = 0;
      do {
        bands.SetColor(GradientStep(s, d, c + dd, N, Balance));
        bands.Paint(R.Left + dd, R.Top + c, 1, height - 2 * c);
        bands.Paint(R.Right - dd - 1, R.Top + c, 1, height - 2 * c);
        bands.Paint(R.Left + dd, R.Top + c, width - 2 * dd, 1);
        bands.Paint(R.Left + dd, R.Bottom - c - 1, width - 2 * dd, 1);
        if (c < b) ++c;
        if (dd < a) ++dd;
      } while (!(c >= b && dd >= a));
      break;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
      const bool fromTop = Direction == gdFromTopLeft;
      const int64_t N = std::max(1, width + height);
      const int32_t y0 = fromTop ? R.Top : R.Bottom;
      int32_t i = 0, j = 0, y = y0;
      BandPainter bands(DC);
      do {
        bands.SetColor(GradientStep(s, d, i + j, N, Balance));
        bands.Paint(R.Left + i, std::min(y, y0), 1, std::abs(y - y0));
        if (j < height) {
          ++j;
          if (fromTop) {
            bands.Paint(R.Left, y, i + 1, 1);
            if (y < R.Bottom) ++y;
          } else {
            bands.Paint(R.Left, y - 1, i + 1, 1);
            if (y > R.Top) --y;
          }
        }
        if (i < width) ++i;
      } while (!(j >= height && i >= width));
      break;
    }
    case gdDiagonalUp:
    case gdDiagonalDown: {
      const bool down = Direction == gdDiagonalDown;
      TRect box = R;
      if (down) --box.Bottom;
      TPoint P1(box.Left, down ? box.Top : box.Bottom), P2 = P1;
      const int64_t total = int64_t(box.Right - box.Left) + (box.Bottom - box.Top);
      const int64_t N = std::max<int64_t>(1, std::min<int64_t>(255, total - 1));
      const TColor savedColor = Pen->GetColor();
      const int32_t savedWidth = Pen->GetWidth();
      const TPenStyle savedStyle = Pen->GetStyle();
      const TPenMode savedMode = Pen->GetMode();
      Pen->SetWidth(1);
      Pen->SetStyle(psSolid);
      Pen->SetMode(pmCopy);
      for (int64_t i = 0; i < total; ++i) {
        Pen->SetColor(GradientStep(s, d, N * i / total, N, Balance));
        Line(P1.X, P1.Y, P2.X, P2.Y);
        if (down) {
          if (P2.X < box.Right) ++P2.X; else if (P2.Y < box.Bottom) ++P2.Y;
          if (P1.Y < box.Bottom) ++P1.Y; else if (P1.X < box.Right) ++P1.X;
        } else {
          if (P2.X < box.Right) ++P2.X; else if (P2.Y > box.Top) --P2.Y;
          if (P1.Y > box.Top) --P1.Y; else if (P1.X < box.Right) ++P1.X;
        }
      }
      Pen->SetColor(savedColor);
      Pen->SetWidth(savedWidth);
      Pen->SetStyle(savedStyle);
      Pen->SetMode(savedMode);
      break;
    }
    case gdRadial:
      break;
  }
}

// ============================================================================
// Gradient style object
// ============================================================================

void TCustomPlotGradient::FillRect(TCanvas3D& Canvas, const TRect& Rect, int32_t CornerSize) {
  TColor mid = GetMidColor(), start = FStartColor, end = FEndColor;
  if (Canvas.GetMonochrome()) {
    if (mid != clNone) mid = GreyOf(mid);
    start = GreyOf(start);
    end = GreyOf(end);
  }
  if (CornerSize > 0) Canvas.ClipRoundRect(Rect, CornerSize);
  const bool linear = FDirection == gdTopBottom || FDirection == gdBottomTop || FDirection == gdLeftRight ||
                      FDirection == gdRightLeft;
  if (FDirection == gdRadial) {
    FillRadial(Canvas, Rect);
  } else if (mid != clNone && linear) {
    TRect first = Rect, second = Rect;  // upper/left and lower/right halves
    if (FDirection == gdTopBottom || FDirection == gdBottomTop) {
      first.Bottom = second.Top = (Rect.Top + Rect.Bottom) / 2;
    } else {
      first.Right = second.Left = (Rect.Left + Rect.Right) / 2;
    }
    switch (FDirection) {
      case gdTopBottom:
        Canvas.GradientRect(first, mid, end, FDirection, 50);
        Canvas.GradientRect(second, start, mid, FDirection, 50);
        break;
      case gdBottomTop:
        Canvas.GradientRect(first, start, mid, FDirection, 50);
        Canvas.GradientRect(second, mid, end, FDirection, 50);
        break;
      case gdLeftRight:
        Canvas.GradientRect(first, mid, end, FDirection, 50);
        Canvas.GradientRect(second, start, mid, FDirection, 50);
        break;
      default:  // gdRightLeft
        Canvas.GradientRect(first, start, mid, FDirection, 50);
        Canvas.GradientRect(second, mid, end, FDirection, 50);
        break;
    }
  } else if (mid != clNone) {
    Canvas.GradientRect(Rect, start, end, FDirection, 50);
  } else {
    Canvas.GradientRect(Rect, start, end, FDirection, FBalance);
  }
  if (CornerSize > 0) Canvas.Unclip();
}

void TCustomPlotGradient::FillRadial(TCanvas3D& Canvas, const TRect& Rect) {
  if (Canvas.Pen == nullptr) return;
  const TRect R = NormalizeRect(Rect);
  Canvas.ClipRect(R);
  const int32_t w = R.Right - R.Left, h = R.Bottom - R.Top;
  int32_t n = std::min(255, std::max(w, h));
  if (n <= 0) {
    Canvas.Unclip();
    return;
  }
  const double k = 1.0 / n;
  // System and default colours are turned into RGB before their bytes are used.
  const RGBParts s = PartsOf(GradientRGB(FStartColor)), e = PartsOf(GradientRGB(FEndColor));
  const double scale = FBalance == 50 ? k : 1.0;
  const double dR = (e.R - s.R) * scale, dG = (e.G - s.G) * scale, dB = (e.B - s.B) * scale;
  const TPenStyle savedStyle = Canvas.Pen->GetStyle();
  const TColor savedColor = Canvas.Brush->GetColor();
  Canvas.Pen->SetStyle(psClear);
  Canvas.Brush->SetColor(GradientRGB(FEndColor));
  Canvas.FillRect(R);
  const double rx = w * 0.5 * k, ry = h * 0.5 * k;
  if (w % 2 != 0 || h % 2 != 0) --n;
  const double cx = FRadialX + 1 + (R.Left + R.Right) * 0.5, cy = FRadialY + 1 + (R.Top + R.Bottom) * 0.5;
  for (int32_t i = n; i >= 0; --i) {
    TColor color;
    if (FBalance == 50) {
      color = RGB(static_cast<uint8_t>(s.R + RoundToPixel(i * dR)), static_cast<uint8_t>(s.G + RoundToPixel(i * dG)),
                  static_cast<uint8_t>(s.B + RoundToPixel(i * dB)));
    } else {
      const double v = std::pow(double(i + 1) / double(n + 1), 0.015 * FBalance + 0.5);
      color = (s.R + RoundToPixel(v * dR)) + ((s.G + RoundToPixel(v * dG)) << 8) +
              ((s.B + RoundToPixel(v * dB)) << 16);
    }
    Canvas.Brush->SetColor(color);
    Canvas.Ellipse(RoundToPixel(cx - i * rx), RoundToPixel(cy - i * ry), RoundToPixel(cx + i * rx),
                   RoundToPixel(cy + i * ry));
  }
  Canvas.Pen->SetStyle(savedStyle);
  Canvas.Brush->SetColor(savedColor);
  Canvas.Unclip();
}

void TCustomPlotGradient::FillPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points, bool Project, int32_t Z) {
  TRect rect;
  if (Project) {
    std::vector<TPoint> projected;
    projected.reserve(Points.size());
    for (const TPoint& p : Points) projected.push_back(Canvas.Project(p.X, p.Y, Z));
    Canvas.ClipPolygon(projected, static_cast<int32_t>(projected.size()));
    rect = Canvas.RectTo2D(PointsBounds(Points, static_cast<int32_t>(Points.size()) - 1), Z);
  } else {
    Canvas.ClipPolygon(Points, static_cast<int32_t>(Points.size()));
    rect = PointsBounds(Points, static_cast<int32_t>(Points.size()) - 1);
  }
  FillRect(Canvas, rect, 0);
  Canvas.Unclip();
}

void TCustomPlotGradient::FillQuad(TCanvas3D& Canvas, const TFourPoints& P) {
  Canvas.ClipPolygon(P, 4);
  FillRect(Canvas, PolygonRect(P, 4), 0);
  Canvas.Unclip();
}

void TCustomPlotGradient::FillQuad3D(TCanvas3D& Canvas, const TFourPoints& P, int32_t Z) {
  TFourPoints projected;
  for (size_t i = 0; i < 4; ++i) projected[i] = Canvas.Project(P[i].X, P[i].Y, Z);
  FillQuad(Canvas, projected);
}

// ============================================================================
// Shadows
// ============================================================================

bool TPlotShadow::PrepareCanvas(TCanvas3D& Canvas, const TRect& R, int32_t Z) {
  if (FColor == clNone || (FHorizSize == 0 && FVertSize == 0) || Canvas.Pen == nullptr) return false;
  Canvas.Brush->SetBitmap(nullptr);
  Canvas.Brush->SetColor(FColor);
  Canvas.Brush->SetStyle(bsSolid);
  Canvas.Pen->SetStyle(psClear);
  if (FTransparency > 0) {
    const TRect moved(R.Left + FHorizSize, R.Top + FVertSize, R.Right + FHorizSize, R.Bottom + FVertSize);
    delete FBlend;
    FBlend = Canvas.BeginBlend(Canvas.RectBounds2D(moved, Z), FTransparency);
  }
  return true;
}

void TPlotShadow::FinishBlend(TCanvas3D& Canvas) {
  if (FBlend) {
    Canvas.EndBlend(FBlend);
    FBlend = nullptr;
  }
}

void TPlotShadow::DrawRectAtDepth(TCanvas3D& Canvas, const TRect& R, int32_t Z) {
  if (!PrepareCanvas(Canvas, R, Z)) return;
  const int32_t H = FHorizSize, V = FVertSize;
  const bool in3D = Canvas.FlatCount == 0;
  if (FSmooth && GetSize() > 1) {
    Canvas.Pen->SetStyle(psSolid);
    Canvas.Pen->SetWidth(1);
    const TColor rgb = ColorToRGB(FColor);
    const double grey = (GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3.0;
    if (V != 0) {
      TColor color = rgb;
      Canvas.Pen->SetColor(color);
      const int32_t step = RoundToPixel((255 - grey) / V);
      for (int32_t i = 1; i <= V; ++i) {
        const int32_t x0 = R.Left + H, x1 = R.Right + H - V + i - 1, y = R.Bottom + i - 1;
        if (in3D)
          Canvas.HorizLine3D(x0, x1, y, Z);
        else
          Canvas.HorizLine(x0, x1, y);
        color = LighterColor(color, step);
        Canvas.Pen->SetColor(color);
      }
    }
    if (H != 0) {
      TColor color = rgb;
      Canvas.Pen->SetColor(color);
      const int32_t step = RoundToPixel((255 - grey) / H);
      for (int32_t i = 1; i <= H; ++i) {
        const int32_t x = R.Right + i - 1, y0 = R.Top + V, y1 = R.Bottom + V - H + i - 1;
        if (in3D) {
          Canvas.VertLine3D(x, y0, y1, Z);
          Canvas.SetPixel3D(R.Right + i - 2, R.Bottom + V - H + i - 2, Z, color);
        } else {
          Canvas.VertLine(x, y0, y1);
          Canvas.SetPixel(R.Right + i - 2, R.Bottom + V - H + i - 2, color);
        }
        color = LighterColor(color, step);
        Canvas.Pen->SetColor(color);
      }
    }
  } else if (in3D) {
    Canvas.RectAtDepth(TRect(R.Left + H, R.Bottom, R.Right + H, R.Bottom + V), Z);
    Canvas.RectAtDepth(TRect(R.Right, R.Top + V, R.Right + H, R.Bottom + V), Z);
  } else {
    if (V > 0) Canvas.Rectangle(R.Left + H, R.Bottom, R.Right + H, R.Bottom + 1 + V);
    if (V < 0) Canvas.Rectangle(R.Left + H, R.Top + 1, R.Right + H, R.Top + V);
    if (H > 0) Canvas.Rectangle(R.Right, R.Top + V, R.Right + 1 + H, R.Bottom + V + 1);
    if (H < 0) Canvas.Rectangle(R.Left + 1, R.Top + V, R.Left + H, R.Bottom + V + 1);
  }
  FinishBlend(Canvas);
}

void TPlotShadow::DrawEllipse(TCanvas3D& Canvas, const TRect& R, int32_t Z) {
  if (!PrepareCanvas(Canvas, R, Z)) return;
  const TRect moved(R.Left + FHorizSize, R.Top + FVertSize, R.Right + FHorizSize, R.Bottom + FVertSize);
  if (FSmooth) {
    const TRect r = Canvas.RectTo2D(moved, Z);
    Canvas.ClipEllipse(r);
    TCustomPlotGradient gradient;
    gradient.SetStartColor(DarkerColor(FColor, 128));
    gradient.SetEndColor(LighterColor(FColor, 32));
    gradient.FillRadial(Canvas, r);
    Canvas.Unclip();
  } else {
    Canvas.EllipseAtDepth(moved.Left, moved.Top, moved.Right, moved.Bottom, Z);
  }
  FinishBlend(Canvas);
}

// ============================================================================
// Solids
// ============================================================================

void TPlotCanvas3D::BeginSolid() {
  SolidIsBrush = Brush->GetStyle() == bsSolid;
  SolidColor = SolidIsBrush ? Brush->GetColor() : GetBackColor();
}

void TPlotCanvas3D::DarkenSolid(int32_t Quantity) { SetDarkerBrush(SolidColor, Quantity); }

void TPlotCanvas3D::EndSolid() {
  if (SolidIsBrush)
    Brush->SetColor(SolidColor);
  else
    SetBackColor(SolidColor);
}

namespace {
// (P3 - P2) x (P1 - P2) of a face's projected corners, in 64 bits.
int64_t CullValue(const TPoint& P1, const TPoint& P2, const TPoint& P3) {
  return (int64_t(P3.X) - P2.X) * (int64_t(P1.Y) - P2.Y) - (int64_t(P1.X) - P2.X) * (int64_t(P3.Y) - P2.Y);
}

int64_t ShoelaceSum(const std::vector<TPoint>& P) {
  int64_t sum = 0;
  for (size_t i = 0; i < P.size(); ++i) {
    const TPoint& a = P[i];
    const TPoint& b = P[(i + 1) % P.size()];
    sum += int64_t(a.X) * b.Y - int64_t(b.X) * a.Y;
  }
  return sum;
}
}  // namespace

void TPlotCanvas3D::DrawFaceIfVisible(std::vector<TPoint3D> Face, const TPoint3DFloat& Centre) {
  if (Face.size() < 3) return;
  // Orient the face clockwise as seen from outside the solid: its normal then
  // points inwards, like the front face of a box (TL, TR, BR, BL).
  double fx = 0, fy = 0, fz = 0;
  for (const TPoint3D& p : Face) {
    fx += p.X;
    fy += p.Y;
    fz += p.Z;
  }
  fx /= Face.size();
  fy /= Face.size();
  fz /= Face.size();
  double nx = 0, ny = 0, nz = 0;  // Newell's normal, robust for collapsed corners
  for (size_t i = 0; i < Face.size(); ++i) {
    const TPoint3D& a = Face[i];
    const TPoint3D& b = Face[(i + 1) % Face.size()];
    nx += double(a.Y - b.Y) * (a.Z + b.Z);
    ny += double(a.Z - b.Z) * (a.X + b.X);
    nz += double(a.X - b.X) * (a.Y + b.Y);
  }
  if (nx * (fx - Centre.X) + ny * (fy - Centre.Y) + nz * (fz - Centre.Z) > 0) std::reverse(Face.begin(), Face.end());
  std::vector<TPoint> projected;
  projected.reserve(Face.size());
  for (const TPoint3D& p : Face) projected.push_back(Project(p.X, p.Y, p.Z));
  if (Brush->GetStyle() == bsClear || ShoelaceSum(projected) > 0) Polygon(projected);
}

void TPlotCanvas3D::Box(int32_t Left, int32_t Right, int32_t Top, int32_t Bottom, int32_t Z0, int32_t Z1,
                        bool DarkSides) {
  BeginSolid();
  const bool always = Brush->GetStyle() == bsClear;
  auto corners = [this](const std::array<TPoint3D, 4>& C) {
    return TFourPoints{Project(C[0].X, C[0].Y, C[0].Z), Project(C[1].X, C[1].Y, C[1].Z),
                       Project(C[2].X, C[2].Y, C[2].Z), Project(C[3].X, C[3].Y, C[3].Z)};
  };
  auto draw = [&](const TFourPoints& P, int32_t Darken) {
    if (DarkSides && Darken > 0) DarkenSolid(Darken);
    QuadPoints = P;
    Polygon4();
  };
  const TFourPoints front = corners({{{Left, Top, Z0}, {Right, Top, Z0}, {Right, Bottom, Z0}, {Left, Bottom, Z0}}});
  if (always || CullValue(front[1], front[2], front[3]) > 0)
    draw(front, 0);
  else
    draw(corners({{{Left, Top, Z1}, {Right, Top, Z1}, {Right, Bottom, Z1}, {Left, Bottom, Z1}}}), 0);
  const TFourPoints right =
      corners({{{Right, Top, Z0}, {Right, Top, Z1}, {Right, Bottom, Z1}, {Right, Bottom, Z0}}});
  if (always || CullValue(right[1], right[2], right[3]) > 0) draw(right, PlotCanvas::DarkerColorQuantity);
  const TFourPoints left = corners({{{Left, Top, Z0}, {Left, Top, Z1}, {Left, Bottom, Z1}, {Left, Bottom, Z0}}});
  if (always || CullValue(left[1], left[0], left[3]) > 0) draw(left, PlotCanvas::DarkerColorQuantity);
  const TFourPoints top = corners({{{Left, Top, Z0}, {Right, Top, Z0}, {Right, Top, Z1}, {Left, Top, Z1}}});
  if (always || CullValue(top[2], top[1], top[0]) > 0) draw(top, PlotCanvas::DarkColorQuantity);
  const TFourPoints bottom =
      corners({{{Left, Bottom, Z0}, {Left, Bottom, Z1}, {Right, Bottom, Z1}, {Right, Bottom, Z0}}});
  if (always || CullValue(bottom[1], bottom[2], bottom[3]) < 0) draw(bottom, PlotCanvas::DarkColorQuantity);
  EndSolid();
}

void TPlotCanvas3D::Pyramid(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z0,
                            int32_t Z1, bool DarkSides) {
  BeginSolid();
  if (Vertical) {
    if (Top == Bottom) {
      HorizPlane(Left, Bottom, Right, Z0, Z1);
      EndSolid();
      return;
    }
    const TPoint P0 = Project(Left, Bottom, Z0), P1 = Project(Right, Bottom, Z0), P2 = Project(Left, Bottom, Z1),
                 P3 = Project(Right, Bottom, Z1);
    const TPoint A = Project((Left + Right) / 2, Top, (Z0 + Z1) / 2);
    const bool up = Top < Bottom;
    auto triangle = [this](TPoint a, TPoint b, TPoint c) {
      const TPoint p[3] = {a, b, c};
      Polygon(p);
    };
    triangle(P0, A, P1);
    if (IsBackFace(P0, A, P2) != up) triangle(P0, A, P2);
    if (DarkSides) DarkenSolid(PlotCanvas::DarkerColorQuantity);
    if (IsBackFace(P1, A, P3) == up) triangle(P1, A, P3);
    if (up && IsBackFace(A, P2, P3)) triangle(A, P2, P3);
    if (IsBackFace(P0, P1, P2) == up) {
      if (DarkSides) DarkenSolid(PlotCanvas::DarkColorQuantity);
      HorizPlane(Left, Bottom, Right, Z0, Z1);
    }
  } else {
    if (Left == Right) {
      SidePlane(Left, Top, Bottom, Z0, Z1);
      EndSolid();
      return;
    }
    // The vertical construction turned by a quarter: apex at the right.
    const TPoint3D A{Right, (Top + Bottom) / 2, (Z0 + Z1) / 2};
    const TPoint3D B0{Left, Top, Z0}, B1{Left, Bottom, Z0}, B2{Left, Top, Z1}, B3{Left, Bottom, Z1};
    const TPoint3DFloat centre{(3.0 * Left + Right) / 4.0, (Top + Bottom) / 2.0, (Z0 + Z1) / 2.0};
    DrawFaceIfVisible({B0, A, B1}, centre);
    DrawFaceIfVisible({B0, A, B2}, centre);
    if (DarkSides) DarkenSolid(PlotCanvas::DarkColorQuantity);
    DrawFaceIfVisible({B1, A, B3}, centre);
    DrawFaceIfVisible({B2, A, B3}, centre);
    if (DarkSides) DarkenSolid(PlotCanvas::DarkerColorQuantity);
    DrawFaceIfVisible({B0, B2, B3, B1}, centre);
  }
  EndSolid();
}

void TPlotCanvas3D::TruncatedPyramid(const TRect& Rect, int32_t Z0, int32_t Z1, int32_t HalfWidth,
                                     int32_t HalfDepth) {
  const int32_t cx = (Rect.Left + Rect.Right) / 2, cz = (Z0 + Z1) / 2;
  const int32_t L = Rect.Left, R = Rect.Right, T = Rect.Top, B = Rect.Bottom;
  const TPoint3DFloat centre{(L + R) / 2.0, (T + B) / 2.0, (Z0 + Z1) / 2.0};
  auto base = [&] { HorizPlane(L, B, R, Z0, Z1); };
  auto top = [&] {
    if (HalfWidth != 0) HorizPlane(cx - HalfWidth, T, cx + HalfWidth, cz - HalfDepth, cz + HalfDepth);
  };
  if (T < B)
    base();
  else
    top();
  const TPoint3D tl0{cx - HalfWidth, T, cz - HalfDepth}, tr0{cx + HalfWidth, T, cz - HalfDepth},
      tl1{cx - HalfWidth, T, cz + HalfDepth}, tr1{cx + HalfWidth, T, cz + HalfDepth};
  const TPoint3D bl0{L, B, Z0}, br0{R, B, Z0}, bl1{L, B, Z1}, br1{R, B, Z1};
  DrawFaceIfVisible({tl1, tr1, br1, bl1}, centre);  // back
  if (HalfWidth != 0 || Z0 != Z1) {
    DrawFaceIfVisible({tl0, tl1, bl1, bl0}, centre);  // left
    DrawFaceIfVisible({tl0, tr0, br0, bl0}, centre);  // front
    DrawFaceIfVisible({tr0, tr1, br1, br0}, centre);  // right
  }
  if (T < B)
    top();
  else
    base();
}

void TPlotCanvas3D::RoundSolidTop(bool Vertical, int32_t Left, int32_t Top, int32_t Right, int32_t Bottom,
                                  int32_t Z0, int32_t Z1, bool DarkSides, int32_t TopPercent) {
  const int32_t sides = std::max(PlotCanvas::SolidSides, 3);
  int32_t rz = (Z1 - Z0) / 2;
  const int32_t cz = (Z0 + Z1) / 2;
  const double step = 2 * M_PI / sides;
  int32_t radius, centre, length;
  if (Vertical) {
    radius = (Right - Left) / 2;
    centre = (Left + Right) / 2;
    length = Bottom - Top;
  } else {
    radius = (Bottom - Top) / 2;
    centre = (Top + Bottom) / 2;
    length = Right - Left;
  }
  const int32_t scaledRadius = RoundToPixel(radius * TopPercent * 0.01);
  const int32_t scaledRz = RoundToPixel(rz * TopPercent * 0.01);
  std::vector<TPoint> base(sides + 1), scaled(sides + 1);
  std::vector<TPoint3D> scaled3D(sides + 1);
  for (int32_t k = 1; k <= sides; ++k) {
    const double theta = (k - (Vertical ? 4 : 5)) * step;
    const int32_t u = RoundToPixel(radius * std::sin(theta)) + centre, z = cz - RoundToPixel(rz * std::cos(theta));
    const int32_t su = RoundToPixel(scaledRadius * std::sin(theta)) + centre;
    const int32_t sz = cz - RoundToPixel(scaledRz * std::cos(theta));
    if (Vertical) {
      base[k] = Project(u, Top + length, z);
      scaled3D[k] = {su, Top, sz};
    } else {
      base[k] = Project(Right - length, u, z);
      scaled3D[k] = {Right, su, sz};
    }
    scaled[k] = Project(scaled3D[k].X, scaled3D[k].Y, scaled3D[k].Z);
  }
  BeginSolid();
  auto sideFace = [&](int32_t a, int32_t b) {
    if (IsBackFace(scaled[a], base[a], base[b])) return false;
    QuadPoints = {scaled[a], base[a], base[b], scaled[b]};
    Polygon4();
    return true;
  };
  for (int32_t k = 2; k <= sides; ++k) {
    if (IsBackFace(scaled[k - 1], base[k - 1], base[k])) continue;
    if (DarkSides) DarkenSolid(8 * (k - 2));
    sideFace(k - 1, k);
  }
  sideFace(sides, 1);
  if (DarkSides) DarkenSolid(PlotCanvas::DarkColorQuantity);
  std::vector<TPoint> cap;
  cap.reserve(sides);
  if (Vertical || !IsBackFace(Project(0, 0, 0), Project(0, 10, 0), Project(0, 10, 10))) {
    for (int32_t k = 1; k <= sides; ++k) cap.push_back(scaled[k]);
  } else {
    // Seen from its left end: close the solid with the full-size circle at Left.
    const double f = TopPercent == 0 ? 1.0 : 100.0 / TopPercent;
    for (int32_t k = 1; k <= sides; ++k) {
      const double y = (scaled3D[k].Y - centre) * f + centre, z = (scaled3D[k].Z - cz) * f + cz;
      cap.push_back(ProjectFloat(Left, y, RoundToPixel(z)));
    }
  }
  Polygon(cap);
  EndSolid();
}

void TPlotCanvas3D::EllipseAtDepth(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t Z) {
  if (ObliqueView) {
    const TPoint a = Project(Left, Top, Z), b = Project(Right, Bottom, Z);
    Ellipse(a.X, a.Y, b.X, b.Y);
    return;
  }
  if (!Projected) {
    Ellipse(Left, Top, Right + 1, Bottom + 1);
    return;
  }
  const int32_t cx = (Left + Right) / 2, cy = (Top + Bottom) / 2;
  const int32_t rx = (Right - Left) / 2, ry = (Bottom - Top) / 2;
  std::vector<TPoint> p(64);
  p[0] = Project(cx, Bottom, Z);
  for (int k = 1; k < 64; ++k) {
    const double theta = k * 2 * M_PI / 63;
    p[k] = ProjectFloat(rx * std::sin(theta) + cx, ry * std::cos(theta) + cy, Z);
  }
  if (Brush->GetStyle() != bsClear) {
    const TPenStyle saved = Pen->GetStyle();
    Pen->SetStyle(psClear);
    const TPoint c = Project(cx, cy, Z);
    for (int k = 0; k < 63; ++k) {
      const TPoint tri[3] = {c, p[k], p[k + 1]};
      Polygon(tri);
    }
    Pen->SetStyle(saved);
  }
  if (Pen->GetStyle() != psClear) Polyline(p);
}

void TPlotCanvas3D::PieSlice3D(int32_t XC, int32_t YC, int32_t XRadius, int32_t YRadius, int32_t Z0, int32_t Z1,
                               double StartAngle, double EndAngle, bool DarkSides, bool DrawSides,
                               int32_t DonutPercent, TCustomPlotGradient* Gradient) {
  const int32_t n =
      std::min(RoundToPixel(std::fabs(EndAngle - StartAngle) * 180.0 / M_PI / 2.0), 94) + 2;
  const double step = (EndAngle - StartAngle) / (n - 1);
  std::vector<TPoint> outerFront(n), outerBack(n), innerFront, innerBack;
  const double ix = DonutPercent * XRadius * 0.01, iy = DonutPercent * YRadius * 0.01;
  for (int32_t i = 0; i < n; ++i) {
    const double a = StartAngle + i * step;
    const double x = XC + XRadius * std::cos(a), y = YC - YRadius * std::sin(a);
    outerFront[i] = ProjectFloat(x, y, Z1);
    outerBack[i] = ProjectFloat(x, y, Z0);
    if (DonutPercent > 0) {
      const double ax = XC + ix * std::cos(a), ay = YC - iy * std::sin(a);
      innerFront.push_back(ProjectFloat(ax, ay, Z1));
      innerBack.push_back(ProjectFloat(ax, ay, Z0));
    }
  }
  const TPoint centreFront = Project(XC, YC, Z1), centreBack = Project(XC, YC, Z0);
  BeginSolid();
  if (DonutPercent > 0) {
    std::vector<TPoint> wall(innerFront);
    wall.insert(wall.end(), innerBack.rbegin(), innerBack.rend());
    if (DarkSides) DarkenSolid(32);
    Polygon(wall);
  }
  if (DrawSides) {
    auto radial = [&](int32_t i) {
      const TPoint inF = DonutPercent > 0 ? innerFront[i] : centreFront;
      const TPoint inB = DonutPercent > 0 ? innerBack[i] : centreBack;
      if (DarkSides) DarkenSolid(32);
      const TPoint q[4] = {inF, outerFront[i], outerBack[i], inB};
      Polygon(q);
    };
    if (outerFront[n - 1].X < ScreenCentreX) radial(n - 1);
    if (outerFront[0].X > ScreenCentreX) radial(0);
  }
  EndSolid();
  std::vector<TPoint> face;
  if (DonutPercent > 0)
    face.assign(innerFront.rbegin(), innerFront.rend());
  else
    face.push_back(centreFront);
  face.insert(face.end(), outerFront.begin(), outerFront.end());
  if (Gradient) {
    ClipPolygon(face, static_cast<int32_t>(face.size()));
    Gradient->FillRect(*this, PointsBounds(face, static_cast<int32_t>(face.size()) - 1), 0);
    Unclip();
    if (Pen->GetStyle() != psClear) {
      const TBrushStyle saved = Brush->GetStyle();
      Brush->SetStyle(bsClear);
      Polygon(face);
      Brush->SetStyle(saved);
    }
  } else {
    Polygon(face);
  }
  // The outer wall: each run of the arc along which X increases.
  BeginSolid();
  auto wallRun = [&](int32_t from, int32_t to) {
    std::vector<TPoint> wall(outerFront.begin() + from, outerFront.begin() + to + 1);
    for (int32_t i = to; i >= from; --i) wall.push_back(outerBack[i]);
    if (DarkSides) DarkenSolid(32);
    if (Gradient) {
      ClipPolygon(wall, static_cast<int32_t>(wall.size()));
      Gradient->FillRect(*this, PointsBounds(wall, static_cast<int32_t>(wall.size()) - 1), 0);
      Unclip();
    } else {
      Polygon(wall);
    }
  };
  int32_t i = 0, runs = 0;
  while (i < n - 1 && runs < 2) {
    while (i < n - 1 && outerFront[i + 1].X <= outerFront[i].X) ++i;
    if (i >= n - 1) break;
    const int32_t from = i;
    while (i < n - 1 && outerFront[i + 1].X >= outerFront[i].X) ++i;
    wallRun(from, i);
    ++runs;
  }
  EndSolid();
}

void TPlotCanvas3D::Arrow(bool Filled, TPoint From, TPoint To, int32_t HeadWidth, int32_t HeadLength, int32_t Z,
                          double ArrowPercent) {
  const double dx = double(To.X) - From.X, dy = double(From.Y) - To.Y;
  const double L = Hypotenuse(dx, dy);
  if (!(L > 0)) return;
  const double s = dy / L, c = dx / L;
  const double head = std::min<double>(HeadLength, RoundToPixel(L));
  auto along = [&](TPoint p) { return p.X * c - p.Y * s; };
  auto across = [&](TPoint p) { return p.X * s + p.Y * c; };
  auto back = [&](double u, double v) {
    return Project(RoundToPixel(u * c + v * s), RoundToPixel(v * c - u * s), Z);
  };
  const double tipAlong = along(To), tipAcross = across(To);
  const double baseAlong = tipAlong - head;
  const TPoint A = back(baseAlong, tipAcross - HeadWidth * 0.5);
  const TPoint B = back(baseAlong, tipAcross + HeadWidth * 0.5);
  if (!Filled) {
    LineAtDepth(From.X, From.Y, To.X, To.Y, Z);
    LineTo(B.X, B.Y);
    const TPoint tip = Project(To.X, To.Y, Z);
    Line(tip.X, tip.Y, A.X, A.Y);
    return;
  }
  const double h = HeadWidth * ArrowPercent * 0.005;
  const double tailAlong = along(From);
  const TPoint p[7] = {back(tailAlong, tipAcross + h), back(tailAlong, tipAcross - h),
                       back(baseAlong, tipAcross - h), A,
                       Project(To.X, To.Y, Z),         B,
                       back(baseAlong, tipAcross + h)};
  Polygon(p);
}

void TCanvas3D::DrawGraphic3D(const TRect& Rect, const TGraphic* Graphic, int32_t Z) {
  if (Graphic == nullptr || Graphic->GetEmpty() || Pen == nullptr) return;
  TBitmap bitmap(Graphic->GetWidth(), Graphic->GetHeight());
  bitmap.SetPixelFormat(pf24bit);
  Graphic->Draw(*bitmap.GetCanvas(), TRect(0, 0, Graphic->GetWidth(), Graphic->GetHeight()));
  const int32_t width = bitmap.GetWidth(), height = bitmap.GetHeight();
  if (width <= 0 || height <= 0) return;
  Pen->SetStyle(psClear);
  const double ky = double(Rect.Bottom - Rect.Top) / height, kx = double(Rect.Right - Rect.Left) / width;
  TDeviceContext* DC = GetDC();
  if (DC == nullptr) return;
  const TLogBrush saved = DC->GetBrush();
  int32_t y0 = Rect.Top;
  for (int32_t r = 0; r < height; ++r) {
    const int32_t y1 = RoundToPixel((r + 1) * ky) + Rect.Top;
    int32_t x0 = Rect.Left;
    for (int32_t c = 0; c < width; ++c) {
      const int32_t x1 = RoundToPixel((c + 1) * kx) + Rect.Left;
      TLogBrush brush;
      brush.Style = BS_SOLID;
      brush.Color = bitmap.GetPixelColor(c, r);
      DC->SelectBrush(brush);
      const TPoint q[4] = {Project(x0, y0, Z), Project(x1, y0, Z), Project(x1, y1, Z), Project(x0, y1, Z)};
      DC->Polygon(q, 4);
      x0 = x1;
    }
    y0 = y1;
  }
  DC->SelectBrush(saved);
}
