// The device context: state, saved states, mapping, paths, and the drawing calls
// turned into device-unit primitives for the backend with the platform's pixel
// rules (boxes without their right and bottom edge, lines without their end
// point, a null pen filling one pixel less).

#include "platform/gdi/DeviceContext.h"

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/RegionImpl.h"
#include "platform/gdi/Scan.h"
#include "platform/gdi/Stroker.h"
#include "platform/gdi/Pixels.h"

#include <QPainterPath>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// The far edge of a box given by position and size; a sum beyond the integer
// range (damaged metafile records) stays at the range's end.
int32_t FarEdge(int32_t At, int32_t Size) {
  const int64_t E = int64_t(At) + Size;
  return static_cast<int32_t>(std::clamp<int64_t>(E, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

std::atomic<uint64_t> gClipSerial{1};

// Device coordinates stay within +-2^29, so that sizes and sums of two of them fit an int32_t.
constexpr int32_t kMaxCoord = 1 << 29;

int32_t RoundPixel(double v) {
  if (!std::isfinite(v)) return 0;
  return std::clamp(Pixels::Round(v), -kMaxCoord, kMaxCoord);
}

std::u16string ToU16(const std::string& s) {
  const QString q = QString::fromUtf8(s.data(), qsizetype(s.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(q.utf16()), size_t(q.size()));
}

// Math angle (Y up) of the direction from the centre to a point, converted to
// the ellipse's parameter angle.
double ParamAngle(double cx, double cy, double rx, double ry, double x, double y) {
  const double th = std::atan2(-(y - cy), x - cx);
  if (rx <= 0 || ry <= 0) return th;
  return std::atan2(std::sin(th) * rx, std::cos(th) * ry);
}

}  // namespace

struct TDeviceContext::Impl {
  struct TSaved {
    TDCState State;
    int MapMode;
    TPoint WinOrg, VpOrg;
    TSize WinExt, VpExt;
    TPoint Pos;
    uint32_t TextAlign;
    int ArcDir;
  };

  std::unique_ptr<TDCBackend> Backend;
  TDCState State;
  int MapMode = MM_TEXT;
  TPoint WinOrg{0, 0}, VpOrg{0, 0};
  TSize WinExt{1, 1}, VpExt{1, 1};
  TPoint Pos{0, 0};  // logical
  uint32_t TextAlign = TA_LEFT | TA_TOP;
  int ArcDir = AD_COUNTERCLOCKWISE;
  std::vector<TSaved> Saved;

  bool InPath = false;
  bool PathValid = false;
  bool FigureOpen = false;
  std::vector<TPathFigure> Path;

  // ---- mapping ----
  bool Identity() const { return WinExt == VpExt && WinOrg == TPoint{0, 0} && VpOrg == TPoint{0, 0}; }
  double ScaleX() const { return WinExt.cx == 0 ? 1.0 : double(VpExt.cx) / WinExt.cx; }
  double ScaleY() const { return WinExt.cy == 0 ? 1.0 : double(VpExt.cy) / WinExt.cy; }
  TPointF DevF(double x, double y) const {
    return {(x - WinOrg.X) * ScaleX() + VpOrg.X, (y - WinOrg.Y) * ScaleY() + VpOrg.Y};
  }
  // Logical points mapped to whole device pixels.
  std::vector<TPointF> DevPoints(const TPoint* Points, int Count) const {
    std::vector<TPointF> pts;
    pts.reserve(size_t(Count));
    for (int i = 0; i < Count; ++i) {
      const TPoint p = Dev(Points[i].X, Points[i].Y);
      pts.push_back({double(p.X), double(p.Y)});
    }
    return pts;
  }
  TPoint Dev(int32_t x, int32_t y) const {
    if (Identity()) return {std::clamp(x, -kMaxCoord, kMaxCoord), std::clamp(y, -kMaxCoord, kMaxCoord)};
    TPointF p = DevF(x, y);
    return {RoundPixel(p.X), RoundPixel(p.Y)};
  }
  TPoint Log(int32_t x, int32_t y) const {
    if (Identity()) return {x, y};
    const double sx = ScaleX(), sy = ScaleY();
    return {RoundPixel((x - VpOrg.X) / (sx == 0 ? 1 : sx) + WinOrg.X),
            RoundPixel((y - VpOrg.Y) / (sy == 0 ? 1 : sy) + WinOrg.Y)};
  }
  // A logical box in device units, ordered.
  TRect DevBox(int32_t l, int32_t t, int32_t r, int32_t b) const {
    TPoint a = Dev(l, t), c = Dev(r, b);
    return {std::min(a.X, c.X), std::min(a.Y, c.Y), std::max(a.X, c.X), std::max(a.Y, c.Y)};
  }

  // The state in device units for the backend.
  TDCState DevState() const {
    TDCState s = State;
    if (!Identity()) {
      s.PenScale = std::fabs(ScaleX());
      if (s.Font.Height != 0) s.Font.Height = RoundPixel(s.Font.Height * std::fabs(ScaleY()));
      if (s.Font.Width != 0) s.Font.Width = RoundPixel(s.Font.Width * std::fabs(ScaleX()));
    }
    return s;
  }
  bool PenNull() const { return (State.Pen.Style & PS_STYLE_MASK) == PS_NULL; }
  double PenDevWidth() const {
    const bool geometric = (State.Pen.Style & PS_TYPE_MASK) == PS_GEOMETRIC;
    return double(State.Pen.Width) * (geometric ? std::fabs(ScaleX()) : 1.0);
  }
  bool PenThin() const { return PenDevWidth() <= 1.0; }

  // ---- drawing helpers (device units) ----
  void Fill(const std::vector<std::vector<TPointF>>& figs, int mode) {
    if (State.Brush.Style == BS_NULL) return;
    Backend->FillPolygons(figs, mode, DevState());
  }
  // Strokes figures whose points name pixels.
  void Stroke(const std::vector<TPathFigure>& figs, bool skipLast) {
    if (PenNull()) return;
    if (PenThin()) {
      const TDCState s = DevState();
      for (const TPathFigure& f : figs) {
        std::vector<TPoint> pts;
        pts.reserve(f.Points.size());
        for (const TPointF& p : f.Points) {
          TPoint q{RoundPixel(p.X), RoundPixel(p.Y)};
          if (pts.empty() || !(pts.back() == q)) pts.push_back(q);
        }
        if (f.Closed && pts.size() > 1 && pts.front() == pts.back()) pts.pop_back();
        Backend->StrokePolyline(pts, f.Closed, skipLast && !f.Closed, s);
      }
    } else {
      Backend->StrokeFigures(figs, DevState());
    }
  }
  void AddPathFigure(std::vector<TPointF> pts, bool closed) {
    FigureOpen = false;
    Path.push_back(TPathFigure{std::move(pts), closed});
  }
  void PathLineTo(TPointF p) {
    if (!FigureOpen) {
      TPointF start = DevF(Pos.X, Pos.Y);
      Path.push_back(TPathFigure{{start}, false});
      FigureOpen = true;
    }
    Path.back().Points.push_back(p);
  }

  // A closed shape: Edge is the outline in pixel-edge units (used for the fill,
  // one pixel smaller than the box on the right and bottom); Centre traces the
  // pixels of the outline (used for the pen and for the fill under a pen).
  void Shape(const std::vector<TPointF>& edge, const std::vector<TPointF>& centre) {
    if (InPath) {
      AddPathFigure(centre, true);
      return;
    }
    if (PenNull()) {
      Fill({edge}, State.PolyFillMode);
    } else {
      // Under a pen the fill reaches up to the pen's pixels.
      Fill({centre}, State.PolyFillMode);
      Stroke({TPathFigure{centre, true}}, false);
    }
  }

  // Box of a shape in device units, inset for an inside-frame wide pen.
  TRect ShapeBox(int32_t l, int32_t t, int32_t r, int32_t b) const {
    TRect d = DevBox(l, t, r, b);
    if ((State.Pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && !PenThin()) {
      const int32_t w = RoundPixel(PenDevWidth());
      const int32_t in = w / 2;
      d = {d.Left + in, d.Top + in, d.Right - (w - 1 - in), d.Bottom - (w - 1 - in)};
    }
    return d;
  }

  // Ellipses and round rectangles with a thin solid pen or none, pixel by pixel.
  void PixelRound(const TRect& d, int32_t EW, int32_t EH);
  // Whether a shape of this box takes the pixel-by-pixel path.
  bool PixelShape(const TRect& d) const {
    const uint32_t style = State.Pen.Style & PS_STYLE_MASK;
    const bool plain = PenNull() || (PenThin() && (style == PS_SOLID || style == PS_INSIDEFRAME));
    return !InPath && plain && d.Right - d.Left <= Scan::kPixelEllipseMax && d.Bottom - d.Top <= Scan::kPixelEllipseMax;
  }
  void ArcShape(int kind, int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                bool arcTo);

  TSaved Snapshot() const { return {State, MapMode, WinOrg, VpOrg, WinExt, VpExt, Pos, TextAlign, ArcDir}; }
  void Apply(const TSaved& s) {
    State = s.State;
    MapMode = s.MapMode;
    WinOrg = s.WinOrg;
    VpOrg = s.VpOrg;
    WinExt = s.WinExt;
    VpExt = s.VpExt;
    Pos = s.Pos;
    TextAlign = s.TextAlign;
    ArcDir = s.ArcDir;
  }
  void SetClip(const TRegion* r) {
    State.HasClip = r != nullptr;
    State.Clip = r ? *r : TRegion();
    State.ClipSerial = gClipSerial++;
  }
  TRegion SurfaceRegion() const { return TRegion::CreateRectRgn(0, 0, Backend->Width(), Backend->Height()); }
};

// Kinds of ArcShape.
enum { kArc = 0, kPie = 1, kChord = 2 };

void TDeviceContext::Impl::ArcShape(int kind, int32_t l, int32_t t, int32_t r, int32_t b, int32_t x1, int32_t y1,
                                    int32_t x2, int32_t y2, bool arcTo) {
  const TRect d = ShapeBox(l, t, r, b);
  const TPoint p1 = Dev(x1, y1), p2 = Dev(x2, y2);
  // Angles are taken around the centre of the box, in pixel-centre units.
  const double cx = (d.Left + d.Right - 1) / 2.0, cy = (d.Top + d.Bottom - 1) / 2.0;
  const double rx = (d.Right - d.Left - 1) / 2.0, ry = (d.Bottom - d.Top - 1) / 2.0;
  const double a1 = ParamAngle(cx, cy, rx, ry, p1.X, p1.Y), a2 = ParamAngle(cx, cy, rx, ry, p2.X, p2.Y);
  double sweep;
  if (ArcDir == AD_COUNTERCLOCKWISE) {
    sweep = a2 - a1;
    while (sweep <= 1e-12) sweep += 2 * M_PI;
  } else {
    sweep = a2 - a1;
    while (sweep >= -1e-12) sweep -= 2 * M_PI;
  }
  std::vector<TPointF> centre = Scan::EllipsePoints(d.Left, d.Top, d.Right - 1, d.Bottom - 1, a1, sweep);
  if (centre.empty()) return;
  if (kind == kArc) {
    if (InPath || arcTo) {
      if (arcTo) {
        if (InPath) {
          for (const TPointF& p : centre) PathLineTo(p);
        } else {
          Stroke({TPathFigure{{DevF(Pos.X, Pos.Y), centre.front()}, false}}, true);
          Stroke({TPathFigure{centre, false}}, false);
        }
        Pos = Log(RoundPixel(centre.back().X), RoundPixel(centre.back().Y));
      } else {
        AddPathFigure(centre, false);
      }
      return;
    }
    Stroke({TPathFigure{centre, false}}, false);
    return;
  }
  // Without a pen the fill takes the same curve as pixel edges (one pixel smaller).
  std::vector<TPointF> edge = centre;
  if (kind == kPie) {
    const TPointF c{cx, cy};
    centre.insert(centre.begin(), c);
    edge.insert(edge.begin(), c);
  }
  std::vector<TPointF> fillUnderPen = centre;
  for (TPointF& p : fillUnderPen) {
    p.X += 0.5;
    p.Y += 0.5;
  }
  if (InPath) {
    AddPathFigure(centre, true);
    return;
  }
  if (PenNull()) {
    Fill({edge}, State.PolyFillMode);
  } else {
    Fill({fillUnderPen}, State.PolyFillMode);
    Stroke({TPathFigure{centre, true}}, false);
  }
}

TDeviceContext::TDeviceContext(std::unique_ptr<TDCBackend> Backend) : d_(std::make_unique<Impl>()) {
  d_->Backend = std::move(Backend);
  d_->State.Pen = TLogPen{};
  d_->State.Brush = TLogBrush{};
  d_->State.TextColor = 0;
  d_->State.BkColor = 0xFFFFFF;
}
TDeviceContext::~TDeviceContext() = default;

TDCBackend& TDeviceContext::Backend() const { return *d_->Backend; }
void TDeviceContext::SetBackend(std::unique_ptr<TDCBackend> Backend) { d_->Backend = std::move(Backend); }

// ---- objects ----
void TDeviceContext::SelectPen(const TLogPen& Pen) { d_->State.Pen = Pen; }
void TDeviceContext::SelectBrush(const TLogBrush& Brush) { d_->State.Brush = Brush; }
void TDeviceContext::SelectFont(const TLogFont& Font) { d_->State.Font = Font; }
const TLogPen& TDeviceContext::GetPen() const { return d_->State.Pen; }
const TLogBrush& TDeviceContext::GetBrush() const { return d_->State.Brush; }
const TLogFont& TDeviceContext::GetFont() const { return d_->State.Font; }

TLogPen TDeviceContext::ExtCreatePen(uint32_t Style, int32_t Width, const TLogBrush& Brush,
                                     const std::vector<uint32_t>& Dashes) {
  TLogPen p;
  p.Style = Style;
  p.Width = (Style & PS_TYPE_MASK) == PS_GEOMETRIC ? std::max(0, Width) : 1;
  p.Color = Brush.Color;
  if ((Style & PS_STYLE_MASK) == PS_USERSTYLE) p.Dashes = Dashes;
  return p;
}

// ---- attributes ----
#define KV_DC_ATTR(Setter, Getter, Type, Field)      \
  Type TDeviceContext::Setter(Type V) {              \
    Type old = d_->Field;                            \
    d_->Field = V;                                   \
    return old;                                      \
  }                                                  \
  Type TDeviceContext::Getter() const { return d_->Field; }
KV_DC_ATTR(SetTextColor, GetTextColor, TColor, State.TextColor)
KV_DC_ATTR(SetBkColor, GetBkColor, TColor, State.BkColor)
KV_DC_ATTR(SetTextAlign, GetTextAlign, uint32_t, TextAlign)
KV_DC_ATTR(SetTextCharacterExtra, GetTextCharacterExtra, int, State.CharExtra)
#undef KV_DC_ATTR

int TDeviceContext::SetBkMode(int Mode) {
  int old = d_->State.BkMode;
  if (Mode == TRANSPARENT || Mode == OPAQUE) d_->State.BkMode = Mode;
  else return 0;
  return old;
}
int TDeviceContext::GetBkMode() const { return d_->State.BkMode; }
int TDeviceContext::SetROP2(int Rop) {
  int old = d_->State.Rop2;
  if (Rop < R2_BLACK || Rop > R2_WHITE) return 0;
  d_->State.Rop2 = Rop;
  return old;
}
int TDeviceContext::GetROP2() const { return d_->State.Rop2; }
int TDeviceContext::SetPolyFillMode(int Mode) {
  int old = d_->State.PolyFillMode;
  if (Mode != ALTERNATE && Mode != WINDING) return 0;
  d_->State.PolyFillMode = Mode;
  return old;
}
int TDeviceContext::GetPolyFillMode() const { return d_->State.PolyFillMode; }
int TDeviceContext::SetArcDirection(int Dir) {
  int old = d_->ArcDir;
  if (Dir != AD_COUNTERCLOCKWISE && Dir != AD_CLOCKWISE) return 0;
  d_->ArcDir = Dir;
  return old;
}
int TDeviceContext::GetArcDirection() const { return d_->ArcDir; }
int TDeviceContext::SetStretchBltMode(int Mode) {
  int old = d_->State.StretchMode;
  if (Mode < BLACKONWHITE || Mode > HALFTONE) return 0;
  d_->State.StretchMode = Mode;
  return old;
}
int TDeviceContext::GetStretchBltMode() const { return d_->State.StretchMode; }
TPoint TDeviceContext::SetBrushOrgEx(int32_t X, int32_t Y) {
  TPoint old = d_->State.BrushOrg;
  d_->State.BrushOrg = {X, Y};
  return old;
}

// ---- lines ----
TPoint TDeviceContext::MoveTo(int32_t X, int32_t Y) {
  TPoint old = d_->Pos;
  d_->Pos = {X, Y};
  if (d_->InPath) d_->FigureOpen = false;
  return old;
}
TPoint TDeviceContext::GetCurrentPosition() const { return d_->Pos; }

void TDeviceContext::LineTo(int32_t X, int32_t Y) {
  if (d_->InPath) {
    d_->PathLineTo(d_->DevF(X, Y));
  } else {
    const TPoint a = d_->Dev(d_->Pos.X, d_->Pos.Y), b = d_->Dev(X, Y);
    d_->Stroke({TPathFigure{{{double(a.X), double(a.Y)}, {double(b.X), double(b.Y)}}, false}}, true);
  }
  d_->Pos = {X, Y};
}

void TDeviceContext::Polyline(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 2) return;
  const std::vector<TPointF> pts = d_->DevPoints(Points, Count);
  if (d_->InPath) {
    d_->AddPathFigure(pts, false);
    return;
  }
  d_->Stroke({TPathFigure{pts, false}}, true);
}

void TDeviceContext::PolylineTo(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 1) return;
  std::vector<TPoint> all{d_->Pos};
  all.insert(all.end(), Points, Points + Count);
  if (d_->InPath) {
    for (int i = 0; i < Count; ++i) d_->PathLineTo(d_->DevF(Points[i].X, Points[i].Y));
  } else {
    Polyline(all.data(), int(all.size()));
  }
  d_->Pos = Points[Count - 1];
}

void TDeviceContext::PolyBezier(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 4 || (Count - 1) % 3 != 0) return;
  std::vector<TPointF> pts;
  auto dev = [&](int i) { return d_->DevF(Points[i].X, Points[i].Y); };
  pts.push_back(dev(0));
  for (int i = 1; i + 2 < Count; i += 3) {
    const TPointF p0 = dev(i - 1), p1 = dev(i), p2 = dev(i + 1), p3 = dev(i + 2);
    const double len = std::hypot(p1.X - p0.X, p1.Y - p0.Y) + std::hypot(p2.X - p1.X, p2.Y - p1.Y) +
                       std::hypot(p3.X - p2.X, p3.Y - p2.Y);
    const int n = std::clamp(int(len / 2) + 1, 2, 4000);
    for (int k = 1; k <= n; ++k) {
      const double t = double(k) / n, u = 1 - t;
      pts.push_back({u * u * u * p0.X + 3 * u * u * t * p1.X + 3 * u * t * t * p2.X + t * t * t * p3.X,
                     u * u * u * p0.Y + 3 * u * u * t * p1.Y + 3 * u * t * t * p2.Y + t * t * t * p3.Y});
    }
  }
  if (d_->InPath) {
    d_->AddPathFigure(pts, false);
    return;
  }
  // The curve ends on its last point, which is drawn.
  d_->Stroke({TPathFigure{pts, false}}, false);
}

// ---- filled shapes ----
void TDeviceContext::Polygon(const TPoint* Points, int Count) {
  if (Points == nullptr || Count < 2) return;
  const std::vector<TPointF> pts = d_->DevPoints(Points, Count);
  if (d_->InPath) {
    d_->AddPathFigure(pts, true);
    return;
  }
  d_->Fill({pts}, d_->State.PolyFillMode);
  d_->Stroke({TPathFigure{pts, true}}, false);
}

void TDeviceContext::PolyPolygon(const std::vector<std::vector<TPoint>>& Polygons) {
  std::vector<std::vector<TPointF>> figs;
  std::vector<TPathFigure> outlines;
  for (const auto& poly : Polygons) {
    if (poly.size() < 2) continue;
    std::vector<TPointF> pts;
    for (const TPoint& q : poly) {
      TPoint p = d_->Dev(q.X, q.Y);
      pts.push_back({double(p.X), double(p.Y)});
    }
    outlines.push_back({pts, true});
    figs.push_back(std::move(pts));
  }
  if (d_->InPath) {
    for (auto& f : outlines) d_->AddPathFigure(f.Points, true);
    return;
  }
  d_->Fill(figs, d_->State.PolyFillMode);
  d_->Stroke(outlines, false);
}

void TDeviceContext::Rectangle(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  const TRect d = d_->ShapeBox(Left, Top, Right, Bottom);
  if (d.Right <= d.Left || d.Bottom <= d.Top) return;
  const double l = d.Left, t = d.Top, r = d.Right, b = d.Bottom;
  const std::vector<TPointF> centre = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
  if (d_->InPath) {
    d_->AddPathFigure(centre, true);
    return;
  }
  if (d_->PenNull()) {
    d_->Fill({{{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}}}, ALTERNATE);
  } else if (d_->PenThin()) {
    // The interior only, so that a mix mode touches each pixel once.
    if (r - l > 2 && b - t > 2) d_->Fill({{{l + 1, t + 1}, {r - 1, t + 1}, {r - 1, b - 1}, {l + 1, b - 1}}}, ALTERNATE);
    d_->Stroke({TPathFigure{centre, true}}, false);
  } else {
    d_->Fill({{{l, t}, {r, t}, {r, b}, {l, b}}}, ALTERNATE);
    d_->Stroke({TPathFigure{centre, true}}, false);
  }
}

namespace {

std::vector<TPointF> RectFigure(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  return {{double(x0), double(y0)}, {double(x1), double(y0)}, {double(x1), double(y1)}, {double(x0), double(y1)}};
}

}  // namespace

void TDeviceContext::Impl::PixelRound(const TRect& d, int32_t EW, int32_t EH) {
  const bool pen = !PenNull();
  const int32_t w = d.Right - d.Left - (pen ? 0 : 1), h = d.Bottom - d.Top - (pen ? 0 : 1);
  if (w < 1 || h < 1) return;
  const Scan::TEllipseColumns e =
      (EW >= d.Right - d.Left && EH >= d.Bottom - d.Top) ? Scan::EllipseColumns(w, h) : Scan::RoundRectColumns(w, h, EW, EH);
  std::vector<std::vector<TPointF>> outline, inside;
  for (int32_t j = 0; j < w; ++j) {
    const int32_t x = d.Left + j, start = e.Start[size_t(j)], top = e.Top[size_t(j)];
    if (top + 1 >= h - 1 - top) {  // the top and bottom runs meet
      outline.push_back(RectFigure(x, d.Top + start, x + 1, d.Top + h - start));
      continue;
    }
    outline.push_back(RectFigure(x, d.Top + start, x + 1, d.Top + top + 1));
    outline.push_back(RectFigure(x, d.Top + h - 1 - top, x + 1, d.Top + h - start));
    inside.push_back(RectFigure(x, d.Top + top + 1, x + 1, d.Top + h - 1 - top));
  }
  if (!pen) {
    // Without a pen the whole shape is filled with the brush.
    outline.insert(outline.end(), inside.begin(), inside.end());
    Fill(outline, WINDING);
    return;
  }
  Fill(inside, WINDING);
  TDCState s = DevState();
  s.Brush = TLogBrush{BS_SOLID, s.Pen.Color, 0, nullptr};
  Backend->FillPolygons(outline, WINDING, s);
}

void TDeviceContext::Ellipse(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  const TRect d = d_->ShapeBox(Left, Top, Right, Bottom);
  if (d.Right - d.Left < 1 || d.Bottom - d.Top < 1) return;
  if (!d_->PixelShape(d)) {
    // Paths and wide or styled pens follow the curve.
    const auto curve = Scan::EllipsePoints(d.Left, d.Top, d.Right - 1, d.Bottom - 1, 0, 2 * M_PI);
    if (d_->InPath || d_->PenNull()) {
      d_->Shape(curve, curve);
      return;
    }
    std::vector<TPointF> under = curve;
    for (TPointF& p : under) {
      p.X += 0.5;
      p.Y += 0.5;
    }
    d_->Fill({under}, ALTERNATE);
    d_->Stroke({TPathFigure{curve, true}}, false);
    return;
  }
  // Pixel by pixel, so that small circles (point markers) come out symmetric.
  d_->PixelRound(d, d.Right - d.Left, d.Bottom - d.Top);
}

void TDeviceContext::RoundRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                               int32_t CornerHeight) {
  const TRect d = d_->ShapeBox(Left, Top, Right, Bottom);
  if (d.Right - d.Left < 1 || d.Bottom - d.Top < 1) return;
  const double cw = std::fabs(CornerWidth * d_->ScaleX()), ch = std::fabs(CornerHeight * d_->ScaleY());
  if (d_->PixelShape(d)) {
    d_->PixelRound(d, RoundPixel(cw), RoundPixel(ch));
    return;
  }
  const auto edge = RoundRectFigure(d.Left, d.Top, d.Right - 1, d.Bottom - 1, cw, ch);
  if (d_->InPath || d_->PenNull()) {
    d_->Shape(edge, edge);
    return;
  }
  std::vector<TPointF> under = edge;
  for (TPointF& p : under) {
    p.X += 0.5;
    p.Y += 0.5;
  }
  d_->Fill({under}, ALTERNATE);
  d_->Stroke({TPathFigure{edge, true}}, false);
}

void TDeviceContext::Pie(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1,
                         int32_t X2, int32_t Y2) {
  d_->ArcShape(kPie, Left, Top, Right, Bottom, X1, Y1, X2, Y2, false);
}
void TDeviceContext::Chord(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1,
                           int32_t X2, int32_t Y2) {
  d_->ArcShape(kChord, Left, Top, Right, Bottom, X1, Y1, X2, Y2, false);
}
void TDeviceContext::Arc(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1,
                         int32_t X2, int32_t Y2) {
  d_->ArcShape(kArc, Left, Top, Right, Bottom, X1, Y1, X2, Y2, false);
}
void TDeviceContext::ArcTo(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t X1, int32_t Y1,
                           int32_t X2, int32_t Y2) {
  d_->ArcShape(kArc, Left, Top, Right, Bottom, X1, Y1, X2, Y2, true);
}

// ---- box fills ----
void TDeviceContext::FillRect(const TRect& R, const TLogBrush& Brush) {
  if (R.IsEmpty()) return;
  const TRect d = d_->DevBox(R.Left, R.Top, R.Right, R.Bottom);
  d_->Backend->PatBlt(d, Brush, PATCOPY, d_->DevState());
}
void TDeviceContext::FillRect(const TRect& R) { FillRect(R, d_->State.Brush); }

void TDeviceContext::FrameRect(const TRect& R, const TLogBrush& Brush) {
  if (R.IsEmpty()) return;
  const TRect d = d_->DevBox(R.Left, R.Top, R.Right, R.Bottom);
  const TDCState s = d_->DevState();
  d_->Backend->PatBlt({d.Left, d.Top, d.Right, d.Top + 1}, Brush, PATCOPY, s);
  d_->Backend->PatBlt({d.Left, d.Bottom - 1, d.Right, d.Bottom}, Brush, PATCOPY, s);
  d_->Backend->PatBlt({d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, Brush, PATCOPY, s);
  d_->Backend->PatBlt({d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, Brush, PATCOPY, s);
}

void TDeviceContext::InvertRect(const TRect& R) {
  if (R.IsEmpty()) return;
  d_->Backend->PatBlt(d_->DevBox(R.Left, R.Top, R.Right, R.Bottom), d_->State.Brush, DSTINVERT, d_->DevState());
}

void TDeviceContext::DrawFocusRect(const TRect& R) {
  if (R.IsEmpty()) return;
  const TRect d = d_->DevBox(R.Left, R.Top, R.Right, R.Bottom);
  TDCState s = d_->DevState();
  s.Pen = TLogPen{PS_ALTERNATE, 1, 0, {}};
  s.Rop2 = R2_NOT;
  s.BkMode = TRANSPARENT;
  const std::vector<TPoint> frame = {{d.Left, d.Top}, {d.Right - 1, d.Top}, {d.Right - 1, d.Bottom - 1},
                                     {d.Left, d.Bottom - 1}};
  d_->Backend->StrokePolyline(frame, true, false, s);
}

bool TDeviceContext::PatBlt(int32_t X, int32_t Y, int32_t W, int32_t H, uint32_t Rop) {
  const TRect d = d_->DevBox(X, Y, FarEdge(X, W), FarEdge(Y, H));
  d_->Backend->PatBlt(d, d_->State.Brush, Rop, d_->DevState());
  return true;
}

void TDeviceContext::FillRgn(const TRegion& Rgn, const TLogBrush& Brush) {
  const TDCState s = d_->DevState();
  for (const TRect& r : Rgn.Rects()) d_->Backend->PatBlt(r, Brush, PATCOPY, s);
}

void TDeviceContext::FrameRgn(const TRegion& Rgn, const TLogBrush& Brush, int32_t W, int32_t H) {
  // The frame is the region less the region shrunk by W x H.
  TRegion inner = Rgn;
  for (int32_t dx = -W; dx <= W; dx += std::max(1, W)) {
    TRegion moved = Rgn;
    moved.Offset(dx, 0);
    inner.Combine(inner, moved, RGN_AND);
  }
  for (int32_t dy = -H; dy <= H; dy += std::max(1, H)) {
    TRegion moved = Rgn;
    moved.Offset(0, dy);
    inner.Combine(inner, moved, RGN_AND);
  }
  TRegion frame;
  frame.Combine(Rgn, inner, RGN_DIFF);
  FillRgn(frame, Brush);
}

bool TDeviceContext::ExtFloodFill(int32_t X, int32_t Y, TColor Color, int Type) {
  const TPoint p = d_->Dev(X, Y);
  return d_->Backend->FloodFill(p.X, p.Y, Color, Type, d_->DevState());
}

// ---- pixels ----
uint32_t TDeviceContext::SetPixel(int32_t X, int32_t Y, TColor C) {
  const TPoint p = d_->Dev(X, Y);
  if (!PtVisible(X, Y)) return CLR_INVALID;
  d_->Backend->SetPixel(p.X, p.Y, C, d_->DevState());
  return d_->Backend->GetPixel(p.X, p.Y);
}

uint32_t TDeviceContext::GetPixel(int32_t X, int32_t Y) const {
  if (!PtVisible(X, Y)) return CLR_INVALID;
  const TPoint p = d_->Dev(X, Y);
  return d_->Backend->GetPixel(p.X, p.Y);
}

// ---- text ----
void TDeviceContext::TextOut(int32_t X, int32_t Y, const std::string& Text) { ExtTextOut(X, Y, 0, nullptr, ToU16(Text)); }
void TDeviceContext::TextOut(int32_t X, int32_t Y, const std::u16string& Text) { ExtTextOut(X, Y, 0, nullptr, Text); }
void TDeviceContext::ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect, const std::string& Text,
                                const std::vector<int32_t>* Dx) {
  ExtTextOut(X, Y, Options, Rect, ToU16(Text), Dx);
}

void TDeviceContext::ExtTextOut(int32_t X, int32_t Y, uint32_t Options, const TRect* Rect, const std::u16string& Text,
                                const std::vector<int32_t>* Dx) {
  const TDCState s = d_->DevState();
  const std::u16string text = FontEngine::MapText(s.Font, Text);
  const FontEngine::TRealised& F = FontEngine::Realise(s.Font);
  std::vector<int32_t> dxDev;
  const std::vector<int32_t>* dx = nullptr;
  double width = 0;
  if (Dx && !Dx->empty()) {
    for (int32_t v : *Dx) dxDev.push_back(RoundPixel(v * std::fabs(d_->ScaleX())));
    dx = &dxDev;
    for (size_t i = 0; i < text.size() && i < dxDev.size(); ++i) width += dxDev[i];
  } else {
    width = FontEngine::TextWidth(F, text, s.CharExtra);
  }
  const bool updateCP = (d_->TextAlign & TA_UPDATECP) != 0;
  const TPoint refLog = updateCP ? d_->Pos : TPoint{X, Y};
  const TPointF ref = d_->DevF(refLog.X, refLog.Y);
  double u = 0, v = 0;
  switch (d_->TextAlign & TA_CENTER) {
    case TA_RIGHT: u = -width; break;
    case TA_CENTER: u = -std::floor(width / 2); break;
    default: break;
  }
  switch (d_->TextAlign & TA_BASELINE) {
    case TA_BASELINE: v = -F.Ascent; break;
    case TA_BOTTOM: v = -F.Height; break;
    default: break;
  }
  const double a = s.Font.Escapement / 10.0 * M_PI / 180.0, ca = std::cos(a), sa = std::sin(a);
  const double ox = std::nearbyint(ref.X + u * ca + v * sa), oy = std::nearbyint(ref.Y - u * sa + v * ca);

  if (d_->InPath) {
    QPainterPath path;
    const QString q = QString::fromUtf16(text.data(), qsizetype(text.size()));
    path.addText(QPointF(0, F.Ascent), F.Font, q);
    QTransform tr;
    tr.translate(ox, oy);
    tr.rotate(-s.Font.Escapement / 10.0);
    for (const QPolygonF& poly : path.toSubpathPolygons(tr)) {
      std::vector<TPointF> fig;
      for (const QPointF& p : poly) fig.push_back({p.x(), p.y()});
      d_->AddPathFigure(std::move(fig), true);
    }
  } else {
    const bool clipped = Rect && (Options & ETO_CLIPPED);
    TRegion savedClip;
    const bool hadClip = d_->State.HasClip;
    const uint64_t savedSerial = d_->State.ClipSerial;
    if (hadClip) savedClip = d_->State.Clip;
    if (Rect && (Options & ETO_OPAQUE)) {
      const TRect box = d_->DevBox(Rect->Left, Rect->Top, Rect->Right, Rect->Bottom);
      d_->Backend->FillRectWithColor(box, s.BkColor, s);
    }
    if (clipped) IntersectClipRect(Rect->Left, Rect->Top, Rect->Right, Rect->Bottom);
    TDCState ts = clipped ? d_->DevState() : s;
    // With an opaque rectangle already filled, the cell needs no second background.
    if (Rect && (Options & ETO_OPAQUE)) ts.BkMode = TRANSPARENT;
    d_->Backend->DrawText(ox, oy, text, dx, ts);
    if (clipped) {
      d_->State.HasClip = hadClip;
      d_->State.Clip = savedClip;
      d_->State.ClipSerial = savedSerial;
    }
  }
  if (updateCP) {
    double adv = 0;
    switch (d_->TextAlign & TA_CENTER) {
      case TA_RIGHT: adv = -width; break;
      case TA_CENTER: adv = 0; break;
      default: adv = width; break;
    }
    const TPointF end{ref.X + adv * ca, ref.Y - adv * sa};
    d_->Pos = d_->Log(RoundPixel(end.X), RoundPixel(end.Y));
  }
}

TSize TDeviceContext::GetTextExtentPoint(const std::string& Text) const { return GetTextExtentPoint(ToU16(Text)); }

TSize TDeviceContext::GetTextExtentPoint(const std::u16string& Text) const {
  const TDCState s = d_->DevState();
  const FontEngine::TRealised& F = FontEngine::Realise(s.Font);
  const int32_t w = FontEngine::TextWidth(F, FontEngine::MapText(s.Font, Text), s.CharExtra);
  if (d_->Identity()) return {w, F.Height};
  return {RoundPixel(w / std::fabs(d_->ScaleX())), RoundPixel(F.Height / std::fabs(d_->ScaleY()))};
}

TTextMetric TDeviceContext::GetTextMetrics() const {
  const TDCState s = d_->DevState();
  const FontEngine::TRealised& F = FontEngine::Realise(s.Font);
  const double ky = d_->Identity() ? 1.0 : 1.0 / std::fabs(d_->ScaleY());
  const double kx = d_->Identity() ? 1.0 : 1.0 / std::fabs(d_->ScaleX());
  TTextMetric m;
  m.tmAscent = RoundPixel(F.Ascent * ky);
  m.tmDescent = RoundPixel(F.Descent * ky);
  m.tmHeight = RoundPixel(F.Height * ky);
  m.tmInternalLeading = RoundPixel(std::max(0, F.Height - F.Font.pixelSize()) * ky);
  m.tmExternalLeading = RoundPixel(std::max(0, F.Metrics.leading()) * ky);
  m.tmAveCharWidth = RoundPixel(F.Metrics.averageCharWidth() * kx);
  m.tmMaxCharWidth = RoundPixel(F.Metrics.maxWidth() * kx);
  m.tmWeight = s.Font.Weight <= 0 ? FW_NORMAL : s.Font.Weight;
  m.tmItalic = s.Font.Italic;
  m.tmUnderlined = s.Font.Underline;
  m.tmStruckOut = s.Font.StrikeOut;
  m.tmCharSet = s.Font.CharSet;
  return m;
}

std::string TDeviceContext::GetTextFace() const { return FontEngine::ResolveFace(d_->State.Font.FaceName); }

namespace {

struct TLine {
  std::u16string Text;
  int Prefix = -1;  // index of the character underlined by "&"
};

// Removes "&" prefixes ("&&" is a plain "&"); answers the underlined index.
TLine StripPrefix(const std::u16string& s) {
  TLine out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&' && i + 1 < s.size()) {
      ++i;
      if (s[i] != u'&') out.Prefix = int(out.Text.size());
    }
    out.Text.push_back(s[i]);
  }
  return out;
}

}  // namespace

int TDeviceContext::DrawText(const std::string& Text, TRect& R, uint32_t Format) {
  std::u16string all = ToU16(Text);
  const TTextMetric tm = GetTextMetrics();
  const int32_t lineH = std::max(1, tm.tmHeight);
  const int32_t boxW = R.Right - R.Left;
  auto measure = [&](const std::u16string& s) { return GetTextExtentPoint(s).cx; };
  if (Format & DT_EXPANDTABS) {
    std::u16string t;
    for (char16_t c : all) {
      if (c == u'\t') t.append(8 - t.size() % 8, u' ');
      else t.push_back(c);
    }
    all = t;
  }
  // Split into lines.
  std::vector<std::u16string> raw;
  if (Format & DT_SINGLELINE) {
    std::u16string one;
    for (char16_t c : all)
      if (c != u'\r' && c != u'\n') one.push_back(c);
    raw.push_back(one);
  } else {
    std::u16string cur;
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i] == u'\r') {
        if (i + 1 < all.size() && all[i + 1] == u'\n') ++i;
        raw.push_back(cur);
        cur.clear();
      } else if (all[i] == u'\n') {
        raw.push_back(cur);
        cur.clear();
      } else {
        cur.push_back(all[i]);
      }
    }
    raw.push_back(cur);
  }
  std::vector<TLine> lines;
  for (const std::u16string& r : raw) {
    TLine l = (Format & DT_NOPREFIX) ? TLine{r, -1} : StripPrefix(r);
    if ((Format & DT_WORDBREAK) && !(Format & DT_SINGLELINE) && boxW > 0 && measure(l.Text) > boxW) {
      // Break at blanks; a word wider than the box stays whole on its own line.
      size_t start = 0;
      while (start < l.Text.size()) {
        size_t end = start, lastFit = std::u16string::npos;
        while (end <= l.Text.size()) {
          size_t next = l.Text.find(u' ', end);
          if (next == std::u16string::npos) next = l.Text.size();
          if (measure(l.Text.substr(start, next - start)) <= boxW || lastFit == std::u16string::npos) lastFit = next;
          else break;
          if (next >= l.Text.size()) break;
          end = next + 1;
        }
        TLine piece{l.Text.substr(start, lastFit - start), -1};
        if (l.Prefix >= int(start) && l.Prefix < int(lastFit)) piece.Prefix = l.Prefix - int(start);
        lines.push_back(piece);
        start = lastFit;
        while (start < l.Text.size() && l.Text[start] == u' ') ++start;
      }
      if (l.Text.empty()) lines.push_back(l);
    } else {
      lines.push_back(l);
    }
  }
  // Ellipses for lines wider than the box.
  if ((Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) && boxW > 0) {
    for (TLine& l : lines) {
      if (measure(l.Text) <= boxW) continue;
      const std::u16string dots = u"...";
      const size_t slash = l.Text.find_last_of(u"\\/");
      if ((Format & DT_PATH_ELLIPSIS) && slash != std::u16string::npos) {
        const std::u16string tail = l.Text.substr(slash);
        std::u16string head = l.Text.substr(0, slash);
        while (!head.empty() && measure(head + dots + tail) > boxW) head.pop_back();
        l.Text = head + dots + tail;
      } else {
        std::u16string head = l.Text;
        while (!head.empty() && measure(head + dots) > boxW) head.pop_back();
        l.Text = head + dots;
      }
      if (l.Prefix >= int(l.Text.size())) l.Prefix = -1;
    }
  }
  int32_t maxW = 0;
  for (const TLine& l : lines) maxW = std::max(maxW, measure(l.Text));
  const int32_t totalH = lineH * int32_t(lines.size());
  if (Format & DT_CALCRECT) {
    R.Right = R.Left + maxW;
    R.Bottom = R.Top + totalH;
    return totalH;
  }
  int32_t y = R.Top;
  if (Format & DT_SINGLELINE) {
    if (Format & DT_VCENTER) y = R.Top + (R.Bottom - R.Top - lineH) / 2;
    else if (Format & DT_BOTTOM) y = R.Bottom - lineH;
  }
  const int saved = SaveDC();
  if (!(Format & DT_NOCLIP)) IntersectClipRect(R.Left, R.Top, R.Right, R.Bottom);
  SetTextAlign(TA_LEFT | TA_TOP);
  for (const TLine& l : lines) {
    const int32_t w = measure(l.Text);
    int32_t x = R.Left;
    if (Format & DT_RIGHT) x = R.Right - w;
    else if (Format & DT_CENTER) x = R.Left + (boxW - w) / 2;
    TextOut(x, y, l.Text);
    if (l.Prefix >= 0) {
      const int32_t ux = x + measure(l.Text.substr(0, size_t(l.Prefix)));
      const int32_t uw = measure(l.Text.substr(size_t(l.Prefix), 1));
      const TRect u = d_->DevBox(ux, y + tm.tmAscent + 1, ux + uw, y + tm.tmAscent + 2);
      d_->Backend->FillRectWithColor(u, d_->State.TextColor, d_->DevState());
    }
    y += lineH;
  }
  RestoreDC(saved);
  return totalH;
}

// ---- clipping ----
int TDeviceContext::SelectClipRgn(const TRegion* Rgn) {
  d_->SetClip(Rgn);
  return Rgn ? Rgn->Complexity() : SIMPLEREGION;
}

int TDeviceContext::ExtSelectClipRgn(const TRegion* Rgn, int Mode) {
  if (Mode == RGN_COPY) return SelectClipRgn(Rgn);
  if (Rgn == nullptr) return RGN_ERROR;
  const TRegion current = d_->State.HasClip ? d_->State.Clip : d_->SurfaceRegion();
  TRegion result;
  if (result.Combine(current, *Rgn, Mode) == RGN_ERROR) return RGN_ERROR;
  d_->SetClip(&result);
  return result.Complexity();
}

int TDeviceContext::IntersectClipRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  const TRect d = d_->DevBox(Left, Top, Right, Bottom);
  const TRegion r = TRegion::CreateRectRgnIndirect(d);
  return ExtSelectClipRgn(&r, RGN_AND);
}

int TDeviceContext::ExcludeClipRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  const TRect d = d_->DevBox(Left, Top, Right, Bottom);
  const TRegion r = TRegion::CreateRectRgnIndirect(d);
  return ExtSelectClipRgn(&r, RGN_DIFF);
}

int TDeviceContext::OffsetClipRgn(int32_t DX, int32_t DY) {
  if (!d_->State.HasClip) return SIMPLEREGION;
  TRegion r = d_->State.Clip;
  r.Offset(RoundPixel(DX * d_->ScaleX()), RoundPixel(DY * d_->ScaleY()));
  d_->SetClip(&r);
  return r.Complexity();
}

int TDeviceContext::GetClipBox(TRect& R) const {
  TRect d = d_->State.HasClip ? d_->State.Clip.GetRgnBox() : TRect(0, 0, d_->Backend->Width(), d_->Backend->Height());
  if (d_->State.HasClip) {
    TRect surf(0, 0, d_->Backend->Width(), d_->Backend->Height());
    d = {std::max(d.Left, surf.Left), std::max(d.Top, surf.Top), std::min(d.Right, surf.Right),
         std::min(d.Bottom, surf.Bottom)};
    if (d.IsEmpty()) d = TRect();
  }
  const TPoint a = d_->Log(d.Left, d.Top), b = d_->Log(d.Right, d.Bottom);
  R = {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
  if (!d_->State.HasClip) return SIMPLEREGION;
  return d.IsEmpty() ? NULLREGION : d_->State.Clip.Complexity();
}

int TDeviceContext::GetClipRgn(TRegion& Rgn) const {
  if (!d_->State.HasClip) return 0;
  Rgn = d_->State.Clip;
  return 1;
}

bool TDeviceContext::PtVisible(int32_t X, int32_t Y) const {
  const TPoint p = d_->Dev(X, Y);
  if (p.X < 0 || p.Y < 0 || p.X >= d_->Backend->Width() || p.Y >= d_->Backend->Height()) return false;
  return !d_->State.HasClip || d_->State.Clip.PtInRegion(p.X, p.Y);
}

// ---- saved states ----
int TDeviceContext::SaveDC() {
  d_->Saved.push_back(d_->Snapshot());
  return int(d_->Saved.size());
}

bool TDeviceContext::RestoreDC(int Level) {
  const int n = int(d_->Saved.size());
  const int target = Level < 0 ? n + Level + 1 : Level;  // the level whose state comes back
  if (target < 1 || target > n) return false;
  d_->Apply(d_->Saved[size_t(target - 1)]);
  d_->Saved.resize(size_t(target - 1));
  return true;
}

// ---- mapping ----
constexpr int MM_LOMETRIC_ = 2, MM_HIMETRIC_ = 3, MM_LOENGLISH_ = 4, MM_HIENGLISH_ = 5, MM_TWIPS_ = 6;

int TDeviceContext::SetMapMode(int Mode) {
  const int old = d_->MapMode;
  auto fixed = [&](int32_t unitsPerInch) {
    d_->WinExt = {unitsPerInch, unitsPerInch};
    d_->VpExt = {96, -96};  // these modes count Y upwards
  };
  switch (Mode) {
    case MM_TEXT:
      d_->WinExt = {1, 1};
      d_->VpExt = {1, 1};
      break;
    case MM_LOMETRIC_: fixed(254); break;
    case MM_HIMETRIC_: fixed(2540); break;
    case MM_LOENGLISH_: fixed(100); break;
    case MM_HIENGLISH_: fixed(1000); break;
    case MM_TWIPS_: fixed(1440); break;
    case MM_ISOTROPIC:
    case MM_ANISOTROPIC: break;
    default: return 0;
  }
  d_->MapMode = Mode;
  return old;
}
int TDeviceContext::GetMapMode() const { return d_->MapMode; }

TPoint TDeviceContext::SetWindowOrgEx(int32_t X, int32_t Y) {
  TPoint old = d_->WinOrg;
  d_->WinOrg = {X, Y};
  return old;
}
TPoint TDeviceContext::SetViewportOrgEx(int32_t X, int32_t Y) {
  TPoint old = d_->VpOrg;
  d_->VpOrg = {X, Y};
  return old;
}
TPoint TDeviceContext::OffsetWindowOrgEx(int32_t DX, int32_t DY) {
  TPoint old = d_->WinOrg;
  d_->WinOrg = {old.X + DX, old.Y + DY};
  return old;
}
TPoint TDeviceContext::OffsetViewportOrgEx(int32_t DX, int32_t DY) {
  TPoint old = d_->VpOrg;
  d_->VpOrg = {old.X + DX, old.Y + DY};
  return old;
}

namespace {
// Isotropic mapping keeps one scale for both axes: the viewport extent shrinks.
void Isotropic(TSize& win, TSize& vp) {
  if (win.cx == 0 || win.cy == 0) return;
  const double sx = std::fabs(double(vp.cx) / win.cx), sy = std::fabs(double(vp.cy) / win.cy);
  if (sx < sy) vp.cy = (vp.cy < 0 ? -1 : 1) * RoundPixel(sx * std::abs(win.cy));
  else if (sy < sx) vp.cx = (vp.cx < 0 ? -1 : 1) * RoundPixel(sy * std::abs(win.cx));
}
}  // namespace

TSize TDeviceContext::SetWindowExtEx(int32_t X, int32_t Y) {
  TSize old = d_->WinExt;
  if ((d_->MapMode != MM_ISOTROPIC && d_->MapMode != MM_ANISOTROPIC) || X == 0 || Y == 0) return old;
  d_->WinExt = {X, Y};
  if (d_->MapMode == MM_ISOTROPIC) Isotropic(d_->WinExt, d_->VpExt);
  return old;
}
TSize TDeviceContext::SetViewportExtEx(int32_t X, int32_t Y) {
  TSize old = d_->VpExt;
  if ((d_->MapMode != MM_ISOTROPIC && d_->MapMode != MM_ANISOTROPIC) || X == 0 || Y == 0) return old;
  d_->VpExt = {X, Y};
  if (d_->MapMode == MM_ISOTROPIC) Isotropic(d_->WinExt, d_->VpExt);
  return old;
}
TPoint TDeviceContext::GetWindowOrgEx() const { return d_->WinOrg; }
TPoint TDeviceContext::GetViewportOrgEx() const { return d_->VpOrg; }
TSize TDeviceContext::GetWindowExtEx() const { return d_->WinExt; }
TSize TDeviceContext::GetViewportExtEx() const { return d_->VpExt; }
void TDeviceContext::LPtoDP(TPoint* Points, int Count) const {
  for (int i = 0; Points && i < Count; ++i) Points[i] = d_->Dev(Points[i].X, Points[i].Y);
}
void TDeviceContext::DPtoLP(TPoint* Points, int Count) const {
  for (int i = 0; Points && i < Count; ++i) Points[i] = d_->Log(Points[i].X, Points[i].Y);
}
TPoint TDeviceContext::LPtoDP(TPoint P) const { return d_->Dev(P.X, P.Y); }
TPoint TDeviceContext::DPtoLP(TPoint P) const { return d_->Log(P.X, P.Y); }

// ---- paths ----
bool TDeviceContext::BeginPath() {
  d_->Path.clear();
  d_->InPath = true;
  d_->PathValid = false;
  d_->FigureOpen = false;
  return true;
}
bool TDeviceContext::EndPath() {
  if (!d_->InPath) return false;
  d_->InPath = false;
  d_->PathValid = true;
  d_->FigureOpen = false;
  return true;
}
bool TDeviceContext::AbortPath() {
  d_->InPath = false;
  d_->PathValid = false;
  d_->Path.clear();
  return true;
}
bool TDeviceContext::CloseFigure() {
  if (!d_->InPath || d_->Path.empty()) return false;
  d_->Path.back().Closed = true;
  d_->FigureOpen = false;
  return true;
}
bool TDeviceContext::InPath() const { return d_->InPath; }
std::vector<TPathFigure> TDeviceContext::GetPath() const { return d_->Path; }

namespace {
std::vector<std::vector<TPointF>> FillFigures(const std::vector<TPathFigure>& path) {
  std::vector<std::vector<TPointF>> figs;
  for (const TPathFigure& f : path)
    if (f.Points.size() > 2) {
      // As for Polygon, the points are the fill's edges.
      figs.push_back(f.Points);
    }
  return figs;
}
}  // namespace

bool TDeviceContext::FillPath() {
  if (!d_->PathValid) return false;
  d_->Fill(FillFigures(d_->Path), d_->State.PolyFillMode);
  AbortPath();
  return true;
}
bool TDeviceContext::StrokePath() {
  if (!d_->PathValid) return false;
  d_->Stroke(d_->Path, false);
  AbortPath();
  return true;
}
bool TDeviceContext::StrokeAndFillPath() {
  if (!d_->PathValid) return false;
  d_->Fill(FillFigures(d_->Path), d_->State.PolyFillMode);
  d_->Stroke(d_->Path, false);
  AbortPath();
  return true;
}
bool TDeviceContext::WidenPath() {
  if (!d_->PathValid || d_->PenNull()) return false;
  TDCState s = d_->DevState();
  if (d_->PenThin()) s.Pen.Width = 1;
  std::vector<TPathFigure> widened;
  // The outline's edges enclose exactly the pixels the pen paints.
  for (auto& fig : PenOutline(d_->Path, s)) widened.push_back({std::move(fig), true});
  d_->Path = std::move(widened);
  return true;
}
TRegion TDeviceContext::PathToRegion() {
  if (!d_->PathValid) return TRegion();
  TRegion r = RegionFromFigures(FillFigures(d_->Path), d_->State.PolyFillMode);
  AbortPath();
  return r;
}
bool TDeviceContext::SelectClipPath(int Mode) {
  if (!d_->PathValid) return false;
  const TRegion r = PathToRegion();
  return ExtSelectClipRgn(&r, Mode) != RGN_ERROR;
}

// ---- blits ----
namespace {
// Whether a ternary operation reads the source.
bool UsesSource(uint32_t Rop) {
  const uint8_t t = uint8_t((Rop >> 16) & 0xFF);
  return ((t >> 2) & 0x33) != (t & 0x33);
}
}  // namespace

bool TDeviceContext::BitBlt(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX,
                            int32_t SY, uint32_t Rop) {
  return StretchBlt(X, Y, W, H, Source, SX, SY, W, H, Rop);
}

bool TDeviceContext::StretchBlt(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX,
                                int32_t SY, int32_t SW, int32_t SH, uint32_t Rop) {
  const TPoint a = d_->Dev(X, Y), b = d_->Dev(FarEdge(X, W), FarEdge(Y, H));
  const TRect dest{a.X, a.Y, b.X, b.Y};  // orientation kept: a negative size mirrors
  if (!UsesSource(Rop)) {
    d_->Backend->PatBlt({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)},
                        d_->State.Brush, Rop, d_->DevState());
    return true;
  }
  if (Source == nullptr || Source->d_->Backend->Surface() == nullptr) return false;
  const TPoint sa = Source->d_->Dev(SX, SY), sb = Source->d_->Dev(FarEdge(SX, SW), FarEdge(SY, SH));
  return d_->Backend->BitBlt(dest, *Source->d_->Backend->Surface(), {sa.X, sa.Y, sb.X, sb.Y}, Rop, d_->DevState());
}

bool TDeviceContext::StretchBltBitmap(const TRect& Dest, const TBitmap& Source, const TRect& SourceRect,
                                      uint32_t Rop) {
  const TPoint a = d_->Dev(Dest.Left, Dest.Top), b = d_->Dev(Dest.Right, Dest.Bottom);
  return d_->Backend->BitBlt({a.X, a.Y, b.X, b.Y}, Source, SourceRect, Rop, d_->DevState());
}

bool TDeviceContext::AlphaBlend(int32_t X, int32_t Y, int32_t W, int32_t H, const TDeviceContext* Source, int32_t SX,
                                int32_t SY, int32_t SW, int32_t SH, TBlendFunction Blend) {
  if (Source == nullptr || Source->d_->Backend->Surface() == nullptr || W < 0 || H < 0 || SW < 0 || SH < 0)
    return false;
  const TPoint a = d_->Dev(X, Y), b = d_->Dev(FarEdge(X, W), FarEdge(Y, H));
  const TPoint sa = Source->d_->Dev(SX, SY), sb = Source->d_->Dev(FarEdge(SX, SW), FarEdge(SY, SH));
  return d_->Backend->AlphaBlend({a.X, a.Y, b.X, b.Y}, *Source->d_->Backend->Surface(), {sa.X, sa.Y, sb.X, sb.Y},
                                 Blend, d_->DevState());
}

int TDeviceContext::GetDeviceCaps(int Index) const { return d_->Backend->DeviceCaps(Index); }
