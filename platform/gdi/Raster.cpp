// The raster backend: paints into a TBitmap's pixels with the platform's mix
// modes, brushes, clipping and pixel rules. Shapes become spans of pixels
// (scan conversion of our own, so that the pixel rules are exact); only glyphs
// and the outlines of wide pens come from Qt.

#include "platform/gdi/BitmapImpl.h"
#include "platform/gdi/FontEngine.h"
#include "platform/gdi/RegionImpl.h"
#include "platform/gdi/Scan.h"
#include "platform/gdi/Stroker.h"
#include "platform/gdi/Pixels.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using BitmapPixels::FromRgb;
using BitmapPixels::ToRgb;

// Evaluates a ternary raster operation (its truth table over pattern, source and
// destination bits) on 24-bit colours.
inline uint32_t ApplyRop3(uint8_t t, uint32_t p, uint32_t s, uint32_t d) {
  switch (t) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x66: return s ^ d;
    case 0x5A: return p ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x55: return ~d & 0xFFFFFF;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    case 0xAA: return d;
    default: break;
  }
  uint32_t r = 0;
  for (int i = 0; i < 8; ++i)
    if ((t >> i) & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r & 0xFFFFFF;
}

// The ternary truth table of a mix mode (pen as the pattern).
inline uint8_t Rop2Table(int rop2) {
  const int t2 = std::clamp(rop2, 1, 16) - 1;  // bit (P << 1 | D)
  uint8_t t = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, d = i & 1;
    if ((t2 >> ((p << 1) | d)) & 1) t = uint8_t(t | (1 << i));
  }
  return t;
}

inline bool HatchBit(int hatch, int32_t x, int32_t y) {
  const int32_t u = x & 7, v = y & 7;
  switch (hatch) {
    case HS_HORIZONTAL: return v == 0;
    case HS_VERTICAL: return u == 0;
    case HS_FDIAGONAL: return ((u - v) & 7) == 0;
    case HS_BDIAGONAL: return ((u + v) & 7) == 7;
    case HS_CROSS: return u == 0 || v == 0;
    case HS_DIAGCROSS: return ((u - v) & 7) == 0 || ((u + v) & 7) == 7;
    default: return false;
  }
}

inline int32_t Mod(int32_t a, int32_t m) {
  int32_t r = a % m;
  return r < 0 ? r + m : r;
}

// What a span paints with: one colour, or a brush evaluated per pixel.
struct TSource {
  bool UseBrush = false;
  uint32_t Color = 0;            // solid colour (0x00RRGGBB)
  const TLogBrush* Brush = nullptr;
  uint32_t BrushRgb = 0, TextRgb = 0, BkRgb = 0;
  bool BkOpaque = true;
  TPoint Org;
  uint8_t Rop = 0xF0;            // ternary table, source-free (pattern and destination)

  // False when the pixel is left alone (a hatch gap on a transparent background).
  bool At(int32_t x, int32_t y, uint32_t& out) const {
    if (!UseBrush) {
      out = Color;
      return true;
    }
    switch (Brush->Style) {
      case BS_SOLID: out = BrushRgb; return true;
      case BS_HATCHED:
        if (HatchBit(Brush->Hatch, x - Org.X, y - Org.Y)) {
          out = BrushRgb;
          return true;
        }
        if (!BkOpaque) return false;
        out = BkRgb;
        return true;
      case BS_PATTERN: {
        const TBrushPattern* p = Brush->Pattern.get();
        if (!p || p->Width <= 0 || p->Height <= 0) {
          out = BrushRgb;
          return true;
        }
        uint32_t v = p->Pixels[size_t(Mod(y - Org.Y, p->Height)) * size_t(p->Width) + size_t(Mod(x - Org.X, p->Width))];
        out = p->Monochrome ? (v ? BkRgb : TextRgb) : (v & 0xFFFFFF);
        return true;
      }
      default: return false;
    }
  }
};

class TRasterBackend final : public TDCBackend {
public:
  explicit TRasterBackend(TBitmap& B) : B_(B) {}

  int32_t Width() const override { return B_.GetWidth(); }
  int32_t Height() const override { return B_.GetHeight(); }
  int BitsPerPixel() const override {
    switch (BitmapPixels::Format(B_)) {
      case pf1bit: return 1;
      case pf4bit: return 4;
      case pf8bit: return 8;
      case pf24bit: return 24;
      default: return 32;
    }
  }
  TBitmap* Surface() override { return &B_; }

  void StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast, const TDCState& S) override;
  void FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode, const TDCState& S) override;
  void StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) override;
  void PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) override;
  void SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) override;
  uint32_t GetPixel(int32_t X, int32_t Y) const override;
  void DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                const TDCState& S) override;
  void FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) override;
  bool BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
              const TDCState& S) override;
  bool AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, TBlendFunction Blend,
                  const TDCState& S) override;
  bool FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) override;
  int DeviceCaps(int Index) const override;

private:
  QImage& Img() { return B_.Image(); }
  const QImage& Img() const { return B_.Image(); }

  uint32_t Read(int32_t x, int32_t y) const {
    const QImage& im = Img();
    if (im.format() == QImage::Format_BGR888) {
      const uchar* p = im.constScanLine(y) + 3 * x;
      return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    return reinterpret_cast<const uint32_t*>(im.constScanLine(y))[x] & 0xFFFFFF;
  }
  void Write(int32_t x, int32_t y, uint32_t rgb) {
    QImage& im = Img();
    if (palette_) rgb = ImageFilesNearest(rgb);
    if (im.format() == QImage::Format_BGR888) {
      uchar* p = im.scanLine(y) + 3 * x;
      p[0] = uchar(rgb);
      p[1] = uchar(rgb >> 8);
      p[2] = uchar(rgb >> 16);
      return;
    }
    reinterpret_cast<uint32_t*>(im.scanLine(y))[x] = 0xFF000000u | rgb;
  }
  uint32_t ImageFilesNearest(uint32_t rgb) const {
    uint32_t best = 0;
    int bestD = INT32_MAX;
    for (uint32_t c : *palette_) {
      int dr = int((c >> 16) & 0xFF) - int((rgb >> 16) & 0xFF), dg = int((c >> 8) & 0xFF) - int((rgb >> 8) & 0xFF),
          db = int(c & 0xFF) - int(rgb & 0xFF);
      int d = dr * dr + dg * dg + db * db;
      if (d < bestD) {
        bestD = d;
        best = c & 0xFFFFFF;
        if (d == 0) break;
      }
    }
    return best;
  }

  // Prepares the clip mask and the palette for one primitive.
  void Begin(const TDCState& S) {
    // Pixels written through Image() by others may come in any format.
    QImage& im = Img();
    if (im.format() != QImage::Format_RGB32 && im.format() != QImage::Format_ARGB32 &&
        im.format() != QImage::Format_BGR888 && !im.isNull())
      im = im.convertToFormat(im.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    palette_ = BitmapPixels::Palette(B_);
    if (palette_ && palette_->empty()) palette_ = nullptr;
    hasClip_ = S.HasClip;
    if (!hasClip_) return;
    const int32_t w = Width(), h = Height();
    if (clipSerial_ == S.ClipSerial && clipW_ == w && clipH_ == h && clipValid_) return;
    clipMask_.assign(size_t(std::max(0, w)) * size_t(std::max(0, h)), 0);
    for (const TRect& r : S.Clip.Rects()) {
      const int32_t x0 = std::max(0, r.Left), x1 = std::min(w, r.Right);
      for (int32_t y = std::max(0, r.Top); y < std::min(h, r.Bottom); ++y)
        if (x0 < x1) std::memset(&clipMask_[size_t(y) * size_t(w) + size_t(x0)], 1, size_t(x1 - x0));
    }
    clipSerial_ = S.ClipSerial;
    clipW_ = w;
    clipH_ = h;
    clipValid_ = true;
  }
  bool Visible(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) return false;
    return !hasClip_ || clipMask_[size_t(y) * size_t(clipW_) + size_t(x)] != 0;
  }

  void Span(int32_t y, int32_t x0, int32_t x1, const TSource& src) {
    if (y < 0 || y >= Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, Width());
    const uint8_t* mask = hasClip_ ? &clipMask_[size_t(y) * size_t(clipW_)] : nullptr;
    const bool solid = !src.UseBrush || src.Brush->Style == BS_SOLID;
    if (solid && src.Rop == 0xF0 && !palette_ && Img().depth() == 32) {
      // Plain copies of one colour, the common case (backgrounds, bars), row at a time.
      const uint32_t v = 0xFF000000u | (src.UseBrush ? src.BrushRgb : src.Color);
      uint32_t* row = reinterpret_cast<uint32_t*>(Img().scanLine(y));
      if (!mask) {
        std::fill(row + x0, row + std::max(x0, x1), v);
      } else {
        for (int32_t x = x0; x < x1; ++x)
          if (mask[x]) row[x] = v;
      }
      return;
    }
    for (int32_t x = x0; x < x1; ++x) {
      if (mask && !mask[x]) continue;
      uint32_t p;
      if (!src.At(x, y, p)) continue;
      Write(x, y, src.Rop == 0xF0 ? p : ApplyRop3(src.Rop, p, 0, Read(x, y)));
    }
  }
  void Pixel(int32_t x, int32_t y, uint32_t rgb, uint8_t rop) {
    if (!Visible(x, y)) return;
    Write(x, y, rop == 0xF0 ? rgb : ApplyRop3(rop, rgb, 0, Read(x, y)));
  }

  TSource BrushSource(const TLogBrush& brush, const TDCState& S, uint8_t rop) const {
    TSource s;
    s.UseBrush = true;
    s.Brush = &brush;
    s.BrushRgb = ToRgb(brush.Color);
    s.TextRgb = ToRgb(S.TextColor);
    s.BkRgb = ToRgb(S.BkColor);
    s.BkOpaque = S.BkMode == OPAQUE;
    s.Org = S.BrushOrg;
    s.Rop = rop;
    return s;
  }
  void FillFigures(const std::vector<std::vector<TPointF>>& figs, int mode, const TSource& src) {
    Scan::Polygons(figs, mode, 0, Height(), [&](int32_t y, int32_t x0, int32_t x1) { Span(y, x0, x1, src); });
  }

  TBitmap& B_;
  const std::vector<uint32_t>* palette_ = nullptr;
  bool hasClip_ = false;
  bool clipValid_ = false;
  uint64_t clipSerial_ = 0;
  int32_t clipW_ = 0, clipH_ = 0;
  std::vector<uint8_t> clipMask_;
};

// Dash runs (on, off, on, ...) of the cosmetic pen styles, in pixels.
std::vector<uint32_t> CosmeticDashes(const TLogPen& pen) {
  switch (pen.Style & PS_STYLE_MASK) {
    case PS_DASH: return {18, 6};
    case PS_DOT: return {3, 3};
    case PS_DASHDOT: return {9, 6, 3, 6};
    case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
    case PS_ALTERNATE: return {1, 1};
    case PS_USERSTYLE: {
      std::vector<uint32_t> d = pen.Dashes;
      if (d.empty()) return {};
      if (d.size() % 2) d.push_back(d.back());
      // A zero-length dash still draws its dot; the gap after it pays for the
      // pixel, so that the pattern keeps its period.
      for (size_t i = 0; i + 1 < d.size(); i += 2)
        if (d[i] == 0) {
          d[i] = 1;
          d[i + 1] = std::max<uint32_t>(d[i + 1], 2) - 1;
        }
      for (uint32_t& v : d) v = std::max<uint32_t>(v, 1);
      return d;
    }
    default: return {};
  }
}

void TRasterBackend::StrokePolyline(const std::vector<TPoint>& Points, bool Closed, bool SkipLast,
                                    const TDCState& S) {
  if (Points.empty()) return;
  Begin(S);
  const uint8_t rop = Rop2Table(S.Rop2);
  const uint32_t color = ToRgb(S.Pen.Color), bk = ToRgb(S.BkColor);
  const std::vector<uint32_t> dashes = CosmeticDashes(S.Pen);
  uint32_t total = 0;
  for (uint32_t d : dashes) total += d;
  uint64_t counter = 0;  // the style runs on across the segments of one call
  auto plot = [&](int32_t x, int32_t y) {
    if (total == 0) {
      Pixel(x, y, color, rop);
      return;
    }
    uint32_t pos = uint32_t(counter++ % total), run = 0;
    size_t i = 0;
    while (pos >= run + dashes[i]) run += dashes[i++];
    if (i % 2 == 0) Pixel(x, y, color, rop);
    else if (S.BkMode == OPAQUE) Pixel(x, y, bk, rop);
  };
  std::vector<TPoint> pts = Points;
  if (Closed && pts.size() > 1) pts.push_back(pts.front());
  if (pts.size() == 1) {
    if (!SkipLast) plot(pts[0].X, pts[0].Y);
    return;
  }
  const int64_t margin = 4;
  const int64_t W = Width(), H = Height();
  for (size_t k = 0; k + 1 < pts.size(); ++k) {
    int64_t x0 = pts[k].X, y0 = pts[k].Y, x1 = pts[k + 1].X, y1 = pts[k + 1].Y;
    int64_t dx = std::llabs(x1 - x0), dy = std::llabs(y1 - y0);
    int64_t steps = std::max(dx, dy);
    if (steps > 4 * (W + H) + 64) {
      // A long segment is cut to the surface first, so that the walk stays short;
      // its style then restarts, which only far-off lines can show.
      double t0 = 0, t1 = 1;
      const double fx = double(x0), fy = double(y0), ddx = double(x1 - x0), ddy = double(y1 - y0);
      auto clipEdge = [&](double p, double q) {
        if (p == 0) return q >= 0;
        const double r = q / p;
        if (p < 0) {
          if (r > t1) return false;
          t0 = std::max(t0, r);
        } else {
          if (r < t0) return false;
          t1 = std::min(t1, r);
        }
        return true;
      };
      if (!(clipEdge(-ddx, fx + margin) && clipEdge(ddx, double(W + margin) - fx) && clipEdge(-ddy, fy + margin) &&
            clipEdge(ddy, double(H + margin) - fy)))
        continue;
      const bool endCut = t1 < 1;
      x1 = int64_t(std::llround(fx + t1 * ddx));
      y1 = int64_t(std::llround(fy + t1 * ddy));
      x0 = int64_t(std::llround(fx + t0 * ddx));
      y0 = int64_t(std::llround(fy + t0 * ddy));
      dx = std::llabs(x1 - x0);
      dy = std::llabs(y1 - y0);
      steps = std::max(dx, dy) + (endCut ? 1 : 0);
    }
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t err = (dx > dy ? dx : -dy) / 2;
    for (int64_t i = 0; i < steps; ++i) {  // the end point is left out
      plot(int32_t(x0), int32_t(y0));
      const int64_t e2 = err;
      if (e2 > -dx) {
        err -= dy;
        x0 += sx;
      }
      if (e2 < dy) {
        err += dx;
        y0 += sy;
      }
    }
  }
  if (!SkipLast && !Closed) plot(pts.back().X, pts.back().Y);
  B_.Modified();
}

void TRasterBackend::FillPolygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode,
                                  const TDCState& S) {
  if (S.Brush.Style == BS_NULL) return;
  Begin(S);
  FillFigures(Figures, FillMode, BrushSource(S.Brush, S, Rop2Table(S.Rop2)));
  B_.Modified();
}

}  // namespace

std::vector<std::vector<TPointF>> PenOutline(const std::vector<TPathFigure>& Figures, const TDCState& S) {
  const bool geometric = (S.Pen.Style & PS_TYPE_MASK) == PS_GEOMETRIC;
  // Far wider than any device: the outline of a wider pen covers the same pixels.
  constexpr double MaxWidth = 1 << 26;
  double width = std::clamp(double(S.Pen.Width) * (geometric ? S.PenScale : 1.0), 1.0, MaxWidth);
  if (std::isnan(width)) width = 1.0;
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  const uint32_t cap = S.Pen.Style & PS_ENDCAP_MASK, join = S.Pen.Style & PS_JOIN_MASK;
  stroker.setCapStyle(cap == PS_ENDCAP_FLAT ? Qt::FlatCap : cap == PS_ENDCAP_SQUARE ? Qt::SquareCap : Qt::RoundCap);
  stroker.setJoinStyle(join == PS_JOIN_BEVEL ? Qt::BevelJoin : join == PS_JOIN_MITER ? Qt::MiterJoin : Qt::RoundJoin);
  // Styles apply to geometric pens; a wide cosmetic pen draws solid.
  if (geometric || width <= 1.0) switch (S.Pen.Style & PS_STYLE_MASK) {
    case PS_DASH: stroker.setDashPattern(Qt::DashLine); break;
    case PS_DOT: stroker.setDashPattern(Qt::DotLine); break;
    case PS_DASHDOT: stroker.setDashPattern(Qt::DashDotLine); break;
    case PS_DASHDOTDOT: stroker.setDashPattern(Qt::DashDotDotLine); break;
    case PS_ALTERNATE: stroker.setDashPattern(QList<qreal>{1.0 / width, 1.0 / width}); break;
    case PS_USERSTYLE:
      if (!S.Pen.Dashes.empty()) {
        QList<qreal> d;
        for (uint32_t v : S.Pen.Dashes) d.push_back(double(v) * (geometric ? S.PenScale : 1.0) / width);
        if (d.size() % 2) d.push_back(d.back());
        stroker.setDashPattern(d);
      }
      break;
    default: break;
  }
  QPainterPath path;
  std::vector<std::vector<TPointF>> dots;  // figures of one point: the cap alone
  for (const TPathFigure& f : Figures) {
    if (f.Points.empty()) continue;
    const bool onePoint = std::all_of(f.Points.begin(), f.Points.end(), [&](const TPointF& p) {
      return p.X == f.Points[0].X && p.Y == f.Points[0].Y;
    });
    if (onePoint) {
      const double cx = f.Points[0].X + 0.5, cy = f.Points[0].Y + 0.5, r = width / 2;
      if (cap == PS_ENDCAP_SQUARE) dots.push_back({{cx - r, cy - r}, {cx + r, cy - r}, {cx + r, cy + r}, {cx - r, cy + r}});
      else if (cap == PS_ENDCAP_ROUND) dots.push_back(Scan::EllipsePoints(cx - r, cy - r, cx + r, cy + r, 0, 2 * M_PI));
      continue;
    }
    // Device point X names pixel X, whose centre is X + 0.5.
    path.moveTo(f.Points[0].X + 0.5, f.Points[0].Y + 0.5);
    for (size_t i = 1; i < f.Points.size(); ++i) path.lineTo(f.Points[i].X + 0.5, f.Points[i].Y + 0.5);
    if (f.Points.size() == 1) path.lineTo(f.Points[0].X + 0.5, f.Points[0].Y + 0.5);
    if (f.Closed) path.closeSubpath();
  }
  const QPainterPath outline = stroker.createStroke(path);
  std::vector<std::vector<TPointF>> figs = std::move(dots);
  for (const QPolygonF& poly : outline.toSubpathPolygons()) {
    std::vector<TPointF> fig;
    fig.reserve(size_t(poly.size()));
    for (const QPointF& p : poly) fig.push_back({p.x(), p.y()});
    figs.push_back(std::move(fig));
  }
  return figs;
}

namespace {

void TRasterBackend::StrokeFigures(const std::vector<TPathFigure>& Figures, const TDCState& S) {
  if ((S.Pen.Style & PS_STYLE_MASK) == PS_NULL) return;
  const auto figs = PenOutline(Figures, S);
  Begin(S);
  TSource src;
  src.Color = ToRgb(S.Pen.Color);
  src.Rop = Rop2Table(S.Rop2);
  FillFigures(figs, WINDING, src);
  B_.Modified();
}

void TRasterBackend::PatBlt(const TRect& R, const TLogBrush& Brush, uint32_t Rop, const TDCState& S) {
  Begin(S);
  const uint8_t t = uint8_t((Rop >> 16) & 0xFF);
  // Only pattern and destination take part: fold the source bit away.
  uint8_t pd = 0;
  for (int i = 0; i < 8; ++i) {
    const int p = (i >> 2) & 1, d = i & 1;
    if ((t >> ((p << 2) | d)) & 1) pd = uint8_t(pd | (1 << i));
  }
  TLogBrush solid;
  const bool usesPattern = ((pd >> 4) & 0xF) != (pd & 0xF);
  TSource src = BrushSource(usesPattern && Brush.Style != BS_NULL ? Brush : solid, S, pd);
  if (usesPattern && Brush.Style == BS_NULL) return;
  for (int32_t y = std::max(R.Top, 0); y < std::min(R.Bottom, Height()); ++y) Span(y, R.Left, R.Right, src);
  B_.Modified();
}

void TRasterBackend::SetPixel(int32_t X, int32_t Y, TColor Color, const TDCState& S) {
  Begin(S);
  if (!Visible(X, Y)) return;
  Write(X, Y, ToRgb(Color));
  B_.Modified();
}

uint32_t TRasterBackend::GetPixel(int32_t X, int32_t Y) const {
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return CLR_INVALID;
  return uint32_t(FromRgb(Img().pixel(X, Y) & 0xFFFFFF));
}

void TRasterBackend::FillRectWithColor(const TRect& R, TColor Color, const TDCState& S) {
  Begin(S);
  TSource src;
  src.Color = ToRgb(Color);
  for (int32_t y = std::max(R.Top, 0); y < std::min(R.Bottom, Height()); ++y) Span(y, R.Left, R.Right, src);
  B_.Modified();
}

void TRasterBackend::DrawText(double X, double Y, const std::u16string& Text, const std::vector<int32_t>* Dx,
                              const TDCState& S) {
  if (Text.empty() && S.BkMode != OPAQUE) return;
  const FontEngine::TRealised& F = FontEngine::Realise(S.Font);
  const QString text = QString::fromUtf16(Text.data(), qsizetype(Text.size()));
  std::vector<double> pos;  // the left edge of each character when placed one by one
  double width = 0;
  const bool perChar = (Dx && !Dx->empty()) || S.CharExtra != 0;
  if (perChar) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      pos.push_back(width);
      double adv = (Dx && size_t(i) < Dx->size()) ? (*Dx)[size_t(i)]
                                                   : F.Metrics.horizontalAdvance(text.at(i)) + S.CharExtra;
      width += adv;
    }
  } else {
    width = F.Metrics.horizontalAdvance(text);
  }
  const double height = F.Height;
  const double a = S.Font.Escapement / 10.0 * M_PI / 180.0;
  const double ca = std::cos(a), sa = std::sin(a);
  // Cell corners: u along the text, v down the cell.
  auto corner = [&](double u, double v) { return TPointF{X + u * ca + v * sa, Y - u * sa + v * ca}; };
  const std::vector<TPointF> cell = {corner(0, 0), corner(width, 0), corner(width, height), corner(0, height)};
  Begin(S);
  if (S.BkMode == OPAQUE) {
    TSource bk;
    bk.Color = ToRgb(S.BkColor);
    FillFigures({cell}, ALTERNATE, bk);
  }
  if (Text.empty()) return;
  double minX = cell[0].X, maxX = cell[0].X, minY = cell[0].Y, maxY = cell[0].Y;
  for (const TPointF& p : cell) {
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  // Italic overhang and glyphs reaching beyond their advance get a margin.
  const int margin = int(height / 2) + 2;
  int32_t bx0 = Pixels::Round(std::floor(minX)) - margin, by0 = Pixels::Round(std::floor(minY)) - margin;
  int32_t bx1 = Pixels::Round(std::ceil(maxX)) + margin, by1 = Pixels::Round(std::ceil(maxY)) + margin;
  bx0 = std::max(bx0, 0);
  by0 = std::max(by0, 0);
  bx1 = std::min(bx1, Width());
  by1 = std::min(by1, Height());
  if (bx0 >= bx1 || by0 >= by1) return;
  QImage mask(bx1 - bx0, by1 - by0, QImage::Format_ARGB32_Premultiplied);
  mask.fill(Qt::transparent);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(F.Font);
    p.setPen(Qt::black);
    p.translate(X - bx0, Y - by0);
    if (a != 0) p.rotate(-S.Font.Escapement / 10.0);
    if (perChar) {
      for (qsizetype i = 0; i < text.size(); ++i) p.drawText(QPointF(pos[size_t(i)], F.Ascent), QString(text.at(i)));
      if (S.Font.Underline || S.Font.StrikeOut) {
        // Decorations span the whole run, as for text drawn in one piece.
        const double lw = std::max(1, F.Metrics.lineWidth());
        if (S.Font.Underline) p.fillRect(QRectF(0, F.Ascent + F.Metrics.underlinePos(), width, lw), Qt::black);
        if (S.Font.StrikeOut) p.fillRect(QRectF(0, F.Ascent - F.Metrics.strikeOutPos(), width, lw), Qt::black);
      }
    } else {
      p.drawText(QPointF(0, F.Ascent), text);
    }
  }
  const uint32_t color = ToRgb(S.TextColor);
  for (int32_t y = by0; y < by1; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(mask.constScanLine(y - by0));
    for (int32_t x = bx0; x < bx1; ++x)
      if ((row[x - bx0] >> 24) >= 0x80 && Visible(x, y)) Write(x, y, color);
  }
  B_.Modified();
}

// The source pixels as read during a blit: a copy when the source is the
// destination itself (overlapping copies), else the source image as it is.
class TSourcePixels {
public:
  TSourcePixels(const TBitmap& Source, const TBitmap& Dest)
      : copy_(&Source == &Dest ? Source.Image().copy() : QImage()), img_(&Source == &Dest ? copy_ : Source.Image()) {}
  bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < img_.width() && y < img_.height(); }
  uint32_t Rgb(int32_t x, int32_t y) const { return Inside(x, y) ? img_.pixel(x, y) & 0xFFFFFF : 0xFFFFFF; }
  uint32_t Argb(int32_t x, int32_t y) const { return img_.pixel(x, y); }
  bool HasAlpha() const { return img_.hasAlphaChannel(); }
  const QImage& Image() const { return img_; }

private:
  QImage copy_;
  const QImage& img_;
};

// The destination rows or columns 0..n-1 of a blit that lie on the surface.
inline std::pair<int32_t, int32_t> VisibleRange(int32_t origin, int32_t n, int32_t limit) {
  const int64_t lo = std::max<int64_t>(0, -int64_t(origin)), hi = std::min<int64_t>(n, int64_t(limit) - origin);
  return {int32_t(lo), int32_t(std::max(lo, hi))};
}

bool TRasterBackend::BitBlt(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect, uint32_t Rop,
                            const TDCState& S) {
  const int64_t dw = int64_t(Dest.Right) - Dest.Left, dh = int64_t(Dest.Bottom) - Dest.Top;
  const int64_t sw = int64_t(SourceRect.Right) - SourceRect.Left, sh = int64_t(SourceRect.Bottom) - SourceRect.Top;
  if (dw == 0 || dh == 0) return true;
  const uint8_t t = uint8_t((Rop >> 16) & 0xFF);
  const bool usesSource = ((t >> 2) & 0x33) != (t & 0x33);
  if (usesSource && (sw == 0 || sh == 0)) return false;
  if (std::llabs(dw) > INT32_MAX || std::llabs(dh) > INT32_MAX) return false;
  Begin(S);
  const TSourcePixels src(Source, B_);
  const bool monoSource = BitmapPixels::Format(Source) == pf1bit && BitmapPixels::Format(B_) != pf1bit;
  const uint32_t fg = ToRgb(S.TextColor), bg = ToRgb(S.BkColor);
  const int64_t aw = std::llabs(sw), ah = std::llabs(sh);
  const int64_t sx0 = std::min(SourceRect.Left, SourceRect.Right), sy0 = std::min(SourceRect.Top, SourceRect.Bottom);
  TSource pat = BrushSource(S.Brush, S, 0xF0);
  const bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
  const int32_t adw = int32_t(std::llabs(dw)), adh = int32_t(std::llabs(dh));
  const int32_t dx0 = std::min(Dest.Left, Dest.Right), dy0 = std::min(Dest.Top, Dest.Bottom);
  const auto [yFrom, yTo] = VisibleRange(dy0, adh, Height());
  const auto [xFrom, xTo] = VisibleRange(dx0, adw, Width());
  const QImage& si = src.Image();
  if (t == 0xCC && !palette_ && !monoSource && Img().depth() == 32 &&
      (si.format() == QImage::Format_RGB32 || si.format() == QImage::Format_ARGB32)) {
    // Plain copies between 32-bit images (double buffering, cached pictures), the
    // common case, a row at a time: the same pixels as the general path below.
    const bool sameWidth = aw == adw && !mirrorX;
    for (int32_t y = yFrom; y < yTo; ++y) {
      const int32_t py = dy0 + y;
      int64_t syi = int64_t(y) * ah / adh;
      if (mirrorY) syi = ah - 1 - syi;
      const int64_t qy = sy0 + syi;
      const uint32_t* srow = qy >= 0 && qy < si.height() ? reinterpret_cast<const uint32_t*>(si.constScanLine(int(qy)))
                                                         : nullptr;
      uint32_t* row = reinterpret_cast<uint32_t*>(Img().scanLine(py));
      const uint8_t* mask = hasClip_ ? &clipMask_[size_t(py) * size_t(clipW_)] : nullptr;
      for (int32_t x = xFrom; x < xTo; ++x) {
        const int32_t px = dx0 + x;
        if (mask && !mask[px]) continue;
        int64_t sxi = sameWidth ? x : int64_t(x) * aw / adw;
        if (mirrorX) sxi = aw - 1 - sxi;
        const int64_t qx = sx0 + sxi;
        // Pixels outside the source read as white.
        row[px] = 0xFF000000u | (srow && qx >= 0 && qx < si.width() ? srow[qx] & 0xFFFFFF : 0xFFFFFF);
      }
    }
    B_.Modified();
    return true;
  }
  for (int32_t y = yFrom; y < yTo; ++y) {
    const int32_t py = dy0 + y;
    int64_t syi = usesSource ? int64_t(y) * ah / adh : 0;
    if (mirrorY) syi = ah - 1 - syi;
    for (int32_t x = xFrom; x < xTo; ++x) {
      const int32_t px = dx0 + x;
      if (!Visible(px, py)) continue;
      uint32_t s = 0;
      if (usesSource) {
        int64_t sxi = int64_t(x) * aw / adw;
        if (mirrorX) sxi = aw - 1 - sxi;
        // Pixels outside the source read as white.
        const int64_t qx = sx0 + sxi, qy = sy0 + syi;
        s = (qx >= INT32_MIN && qx <= INT32_MAX && qy >= INT32_MIN && qy <= INT32_MAX) ? src.Rgb(int32_t(qx), int32_t(qy))
                                                                                         : 0xFFFFFF;
        // A monochrome source draws its black in the text colour, its white in the background colour.
        if (monoSource) s = (s == 0xFFFFFF) ? bg : fg;
      }
      uint32_t p = 0;
      if (!pat.At(px, py, p)) p = 0;
      Write(px, py, ApplyRop3(t, p, s, Read(px, py)));
    }
  }
  B_.Modified();
  return true;
}

bool TRasterBackend::AlphaBlend(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect,
                                TBlendFunction Blend, const TDCState& S) {
  const int64_t dw = int64_t(Dest.Right) - Dest.Left, dh = int64_t(Dest.Bottom) - Dest.Top;
  const int64_t sw = int64_t(SourceRect.Right) - SourceRect.Left, sh = int64_t(SourceRect.Bottom) - SourceRect.Top;
  if (dw < 0 || dh < 0 || sw < 0 || sh < 0 || dw > INT32_MAX || dh > INT32_MAX) return false;
  const QImage& si = Source.Image();
  if (SourceRect.Left < 0 || SourceRect.Top < 0 || SourceRect.Right > si.width() || SourceRect.Bottom > si.height())
    return false;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return true;
  Begin(S);
  const TSourcePixels src(Source, B_);
  const bool perPixel = (Blend.AlphaFormat & AC_SRC_ALPHA) != 0 && src.HasAlpha();
  const uint32_t ca = Blend.SourceConstantAlpha;
  const auto [yFrom, yTo] = VisibleRange(Dest.Top, int32_t(dh), Height());
  const auto [xFrom, xTo] = VisibleRange(Dest.Left, int32_t(dw), Width());
  for (int32_t y = yFrom; y < yTo; ++y) {
    const int32_t py = Dest.Top + y;
    const int32_t sy = SourceRect.Top + int32_t(int64_t(y) * sh / dh);
    for (int32_t x = xFrom; x < xTo; ++x) {
      const int32_t px = Dest.Left + x;
      if (!Visible(px, py)) continue;
      const uint32_t s = src.Argb(SourceRect.Left + int32_t(int64_t(x) * sw / dw), sy);
      const uint32_t d = Read(px, py);
      uint32_t out = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        uint32_t v;
        if (perPixel) {
          // The source carries premultiplied colour: out = S*ca + D*(1 - Sa*ca).
          const uint32_t sa = (s >> 24) & 0xFF;
          v = (sc * ca + 127) / 255 + (dc * (255 * 255 - sa * ca) + 255 * 255 / 2) / (255 * 255);
        } else {
          v = (sc * ca + dc * (255 - ca) + 127) / 255;
        }
        out |= std::min<uint32_t>(v, 255) << shift;
      }
      Write(px, py, out);
    }
  }
  B_.Modified();
  return true;
}

bool TRasterBackend::FloodFill(int32_t X, int32_t Y, TColor Color, int Type, const TDCState& S) {
  Begin(S);
  if (!Visible(X, Y)) return false;
  const uint32_t c = ToRgb(Color);
  const int32_t w = Width(), h = Height();
  auto inside = [&](int32_t x, int32_t y) {
    const uint32_t v = Read(x, y);
    return Type == FLOODFILLSURFACE ? v == c : v != c;
  };
  if (!inside(X, Y)) return false;
  // Mark the area first, then paint it: painting may change the colours tested.
  std::vector<uint8_t> seen(size_t(w) * size_t(h), 0);
  std::vector<TPoint> stack{{X, Y}};
  std::vector<std::pair<int32_t, std::pair<int32_t, int32_t>>> spans;
  while (!stack.empty()) {
    TPoint p = stack.back();
    stack.pop_back();
    if (seen[size_t(p.Y) * size_t(w) + size_t(p.X)]) continue;
    int32_t x0 = p.X, x1 = p.X;
    while (x0 > 0 && !seen[size_t(p.Y) * size_t(w) + size_t(x0 - 1)] && Visible(x0 - 1, p.Y) && inside(x0 - 1, p.Y)) --x0;
    while (x1 + 1 < w && !seen[size_t(p.Y) * size_t(w) + size_t(x1 + 1)] && Visible(x1 + 1, p.Y) && inside(x1 + 1, p.Y)) ++x1;
    for (int32_t x = x0; x <= x1; ++x) seen[size_t(p.Y) * size_t(w) + size_t(x)] = 1;
    spans.push_back({p.Y, {x0, x1 + 1}});
    for (int32_t ny : {p.Y - 1, p.Y + 1}) {
      if (ny < 0 || ny >= h) continue;
      for (int32_t x = x0; x <= x1; ++x)
        if (!seen[size_t(ny) * size_t(w) + size_t(x)] && Visible(x, ny) && inside(x, ny)) stack.push_back({x, ny});
    }
  }
  TSource src = BrushSource(S.Brush, S, 0xF0);
  if (S.Brush.Style == BS_NULL) return true;
  for (const auto& [y, r] : spans) Span(y, r.first, r.second, src);
  B_.Modified();
  return true;
}

int TRasterBackend::DeviceCaps(int Index) const {
  switch (Index) {
    case HORZRES: return Width();
    case VERTRES: return Height();
    case HORZSIZE: return int(std::lround(Width() * 25.4 / 96.0));
    case VERTSIZE: return int(std::lround(Height() * 25.4 / 96.0));
    case BITSPIXEL: return BitsPerPixel();
    case PLANES: return 1;
    case NUMCOLORS: return BitsPerPixel() <= 8 ? (1 << BitsPerPixel()) : -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
  }
}

}  // namespace

std::unique_ptr<TDCBackend> CreateBitmapBackend(TBitmap& Bitmap) { return std::make_unique<TRasterBackend>(Bitmap); }
