// Regions on QRegion; polygon and ellipse regions come from the same scan
// conversion as filled shapes, so a region and the shape it was made from
// cover the same pixels.

#include "platform/gdi/Region.h"

#include "platform/gdi/RegionImpl.h"
#include "platform/gdi/Scan.h"

#include <algorithm>
#include <cmath>

TRegion::TRegion() : d_(std::make_unique<Impl>()) {}
TRegion::TRegion(const TRegion& other) : d_(std::make_unique<Impl>(*other.d_)) {}
TRegion::TRegion(TRegion&& other) noexcept : d_(std::move(other.d_)) {}
TRegion& TRegion::operator=(const TRegion& other) {
  if (this != &other) {
    if (!d_) d_ = std::make_unique<Impl>();
    *d_ = *other.d_;
  }
  return *this;
}
TRegion& TRegion::operator=(TRegion&& other) noexcept {
  std::swap(d_, other.d_);
  return *this;
}
TRegion::~TRegion() = default;

TRegion TRegion::CreateRectRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  TRegion r;
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  // Far-off corners are brought into a range whose width still fits an integer.
  const auto limit = [](int32_t v) { return std::clamp(v, -(1 << 29), 1 << 29); };
  Left = limit(Left);
  Top = limit(Top);
  Right = limit(Right);
  Bottom = limit(Bottom);
  if (Right > Left && Bottom > Top) r.d_->rgn = QRegion(Left, Top, Right - Left, Bottom - Top);
  return r;
}

TRegion TRegion::CreateRectRgnIndirect(const TRect& R) { return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom); }

TRegion TRegion::FromRects(const std::vector<TRect>& Rects) {
  TRegion r;
  QRegion q;
  for (const TRect& x : Rects)
    if (!x.IsEmpty()) q += QRect(x.Left, x.Top, x.Width(), x.Height());
  r.d_->rgn = q;
  return r;
}

TRegion RegionFromFigures(const std::vector<std::vector<TPointF>>& Figures, int FillMode) {
  std::vector<QRect> rects;
  Scan::Polygons(Figures, FillMode, INT32_MIN / 2, INT32_MAX / 2, [&](int32_t y, int32_t x0, int32_t x1) {
    // Rows arrive in order; spans within a row are sorted and disjoint.
    rects.emplace_back(x0, y, x1 - x0, 1);
  });
  TRegion r;
  if (!rects.empty()) {
    // Stack identical consecutive rows so that the region stays small.
    std::vector<QRect> merged;
    size_t i = 0;
    std::vector<QRect> prevRow;
    size_t prevStart = 0;
    while (i < rects.size()) {
      size_t j = i;
      while (j < rects.size() && rects[j].top() == rects[i].top()) ++j;
      bool same = !merged.empty() && (j - i) == prevRow.size() && merged.back().bottom() + 1 == rects[i].top();
      if (same)
        for (size_t k = 0; k < prevRow.size(); ++k)
          if (rects[i + k].left() != prevRow[k].left() || rects[i + k].right() != prevRow[k].right()) same = false;
      if (same) {
        for (size_t k = prevStart; k < merged.size(); ++k) merged[k].setBottom(rects[i].top());
      } else {
        prevStart = merged.size();
        prevRow.assign(rects.begin() + long(i), rects.begin() + long(j));
        merged.insert(merged.end(), rects.begin() + long(i), rects.begin() + long(j));
      }
      i = j;
    }
    r.impl().rgn.setRects(merged.data(), int(merged.size()));
  }
  return r;
}

TRegion TRegion::CreateEllipticRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom) {
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  // The pixels of a filled ellipse drawn without a pen: one less in each direction.
  const int64_t w = int64_t(Right) - Left - 1, h = int64_t(Bottom) - Top - 1;
  if (w < 1 || h < 1) return TRegion();
  if (w > Scan::kPixelEllipseMax || h > Scan::kPixelEllipseMax)
    return RegionFromFigures({Scan::EllipsePoints(Left, Top, Right - 1, Bottom - 1, 0, 2 * M_PI)}, ALTERNATE);
  const Scan::TEllipseColumns e = Scan::EllipseColumns(int32_t(w), int32_t(h));
  QRegion q;
  for (int32_t j = 0; j < int32_t(w); ++j)
    q += QRect(Left + j, Top + e.Start[size_t(j)], 1, int32_t(h) - 2 * e.Start[size_t(j)]);
  TRegion r;
  r.impl().rgn = q;
  return r;
}

TRegion TRegion::CreateRoundRectRgn(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom, int32_t CornerWidth,
                                    int32_t CornerHeight) {
  if (Left > Right) std::swap(Left, Right);
  if (Top > Bottom) std::swap(Top, Bottom);
  const int64_t w = int64_t(Right) - Left - 1, h = int64_t(Bottom) - Top - 1;
  if (w < 1 || h < 1) return TRegion();
  if (w > Scan::kPixelEllipseMax || h > Scan::kPixelEllipseMax)
    return RegionFromFigures({RoundRectFigure(Left, Top, Right - 1, Bottom - 1, CornerWidth, CornerHeight)},
                             ALTERNATE);
  // The pixels of the round rectangle filled without a pen, as drawn.
  const Scan::TEllipseColumns e =
      Scan::RoundRectColumns(int32_t(w), int32_t(h), std::abs(CornerWidth), std::abs(CornerHeight));
  QRegion q;
  for (int32_t j = 0; j < int32_t(w); ++j)
    q += QRect(Left + j, Top + e.Start[size_t(j)], 1, int32_t(h) - 2 * e.Start[size_t(j)]);
  TRegion r;
  r.impl().rgn = q;
  return r;
}

TRegion TRegion::CreatePolygonRgn(const TPoint* Points, int Count, int FillMode) {
  if (Points == nullptr || Count < 3) return TRegion();
  std::vector<TPointF> fig;
  fig.reserve(size_t(Count));
  for (int i = 0; i < Count; ++i) fig.push_back({double(Points[i].X), double(Points[i].Y)});
  return RegionFromFigures({fig}, FillMode);
}

TRegion TRegion::CreatePolygonRgn(const std::vector<TPoint>& Points, int FillMode) {
  return CreatePolygonRgn(Points.data(), int(Points.size()), FillMode);
}

int TRegion::Combine(const TRegion& A, const TRegion& B, int Mode) {
  QRegion r;
  switch (Mode) {
    case RGN_AND: r = A.d_->rgn.intersected(B.d_->rgn); break;
    case RGN_OR: r = A.d_->rgn.united(B.d_->rgn); break;
    case RGN_XOR: r = A.d_->rgn.xored(B.d_->rgn); break;
    case RGN_DIFF: r = A.d_->rgn.subtracted(B.d_->rgn); break;
    case RGN_COPY: r = A.d_->rgn; break;
    default: return RGN_ERROR;
  }
  d_->rgn = r;
  return Complexity();
}

void TRegion::Offset(int32_t DX, int32_t DY) { d_->rgn.translate(DX, DY); }
bool TRegion::PtInRegion(int32_t X, int32_t Y) const { return d_->rgn.contains(QPoint(X, Y)); }
bool TRegion::RectInRegion(const TRect& R) const {
  if (R.IsEmpty()) return false;
  return d_->rgn.intersects(QRect(R.Left, R.Top, R.Width(), R.Height()));
}
TRect TRegion::GetRgnBox() const {
  if (d_->rgn.isEmpty()) return TRect();
  QRect b = d_->rgn.boundingRect();
  return TRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
}
int TRegion::Complexity() const {
  if (d_->rgn.isEmpty()) return NULLREGION;
  return d_->rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
bool TRegion::IsEmpty() const { return d_->rgn.isEmpty(); }
bool TRegion::operator==(const TRegion& other) const { return d_->rgn == other.d_->rgn; }
std::vector<TRect> TRegion::Rects() const {
  std::vector<TRect> out;
  for (const QRect& r : d_->rgn) out.emplace_back(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
  return out;
}

std::vector<TPointF> RoundRectFigure(double X0, double Y0, double X1, double Y1, double CW, double CH) {
  const double w = X1 - X0, h = Y1 - Y0;
  double rx = std::clamp(std::fabs(CW) / 2, 0.0, w / 2), ry = std::clamp(std::fabs(CH) / 2, 0.0, h / 2);
  if (rx <= 0 || ry <= 0) return {{X0, Y0}, {X1, Y0}, {X1, Y1}, {X0, Y1}};
  std::vector<TPointF> pts;
  auto corner = [&](double cx, double cy, double a0) {
    auto arc = Scan::EllipsePoints(cx - rx, cy - ry, cx + rx, cy + ry, a0, M_PI / 2);
    pts.insert(pts.end(), arc.begin(), arc.end());
  };
  corner(X1 - rx, Y0 + ry, 0);           // top right
  corner(X0 + rx, Y0 + ry, M_PI / 2);    // top left
  corner(X0 + rx, Y1 - ry, M_PI);        // bottom left
  corner(X1 - rx, Y1 - ry, 3 * M_PI / 2);  // bottom right
  return pts;
}
