#pragma once
// Scan conversion shared by the raster backend and regions: a pixel (X, Y)
// belongs to a shape when its centre (X + 0.5, Y + 0.5) lies inside, with the
// left and top edges inside and the right and bottom edges outside.

#include "platform/gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace Scan {

// Calls Span(y, x0, x1) for the pixels x0..x1-1 of row y inside the figures
// (each figure is closed implicitly), rows limited to MinY..MaxY-1.
template <class F>
void Polygons(const std::vector<std::vector<TPointF>>& Figures, int FillMode, int32_t MinY, int32_t MaxY, F&& Span) {
  struct Edge {
    double x0, y0, x1, y1;
    int dir;
  };
  std::vector<Edge> edges;
  double top = 1e300, bottom = -1e300;
  for (const auto& fig : Figures) {
    const size_t n = fig.size();
    if (n < 2) continue;
    for (size_t i = 0; i < n; ++i) {
      TPointF a = fig[i], b = fig[(i + 1) % n];
      if (!std::isfinite(a.X) || !std::isfinite(a.Y) || !std::isfinite(b.X) || !std::isfinite(b.Y)) continue;
      if (a.Y == b.Y) continue;
      int dir = 1;
      if (a.Y > b.Y) {
        std::swap(a, b);
        dir = -1;
      }
      edges.push_back({a.X, a.Y, b.X, b.Y, dir});
      top = std::min(top, a.Y);
      bottom = std::max(bottom, b.Y);
    }
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  double yStart = std::max(double(MinY), std::ceil(top - 0.5));
  double yEnd = std::min(double(MaxY), std::ceil(bottom - 0.5));
  if (!(yStart < yEnd)) return;
  const int32_t y0 = int32_t(yStart), y1 = int32_t(yEnd);
  std::vector<const Edge*> active;
  std::vector<std::pair<double, int>> xs;
  size_t next = 0;
  for (int32_t y = y0; y < y1; ++y) {
    const double yc = y + 0.5;
    while (next < edges.size() && edges[next].y0 <= yc) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(), [yc](const Edge* e) { return e->y1 <= yc; }),
                 active.end());
    xs.clear();
    for (const Edge* e : active) {
      if (e->y0 > yc) continue;
      double t = (yc - e->y0) / (e->y1 - e->y0);
      xs.emplace_back(e->x0 + t * (e->x1 - e->x0), e->dir);
    }
    if (xs.size() < 2) continue;
    std::sort(xs.begin(), xs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    auto EmitSpan = [&](double xa, double xb) {
      double fa = std::ceil(xa - 0.5), fb = std::ceil(xb - 0.5);
      fa = std::max(fa, -2147483000.0);
      fb = std::min(fb, 2147483000.0);
      if (fa < fb) Span(y, int32_t(fa), int32_t(fb));
    };
    if (FillMode == WINDING) {
      int wind = 0;
      double start = 0;
      for (const auto& [x, d] : xs) {
        int before = wind;
        wind += d;
        if (before == 0 && wind != 0) start = x;
        else if (before != 0 && wind == 0) EmitSpan(start, x);
      }
    } else {
      for (size_t i = 0; i + 1 < xs.size(); i += 2) EmitSpan(xs[i].first, xs[i + 1].first);
    }
  }
}

// The points of the ellipse inscribed in the continuous box X0..X1, Y0..Y1,
// counter-clockwise on the screen from angle A0 over Sweep radians (math angles,
// Y up). Enough points that neighbours are at most about a pixel apart.
inline std::vector<TPointF> EllipsePoints(double X0, double Y0, double X1, double Y1, double A0, double Sweep) {
  const double cx = (X0 + X1) / 2, cy = (Y0 + Y1) / 2, rx = std::fabs(X1 - X0) / 2, ry = std::fabs(Y1 - Y0) / 2;
  const double perimeter = 2 * M_PI * std::max(rx, ry) * std::fabs(Sweep) / (2 * M_PI);
  // Clamped as a real: a huge (or infinite) radius must not reach the integer cast.
  const double steps = std::isfinite(perimeter) ? std::clamp(std::ceil(perimeter) + 1, 2.0, 20000.0) : 20000.0;
  int n = int(steps);
  if (std::fabs(Sweep) >= 2 * M_PI - 1e-12) n = std::max(n, 8);
  std::vector<TPointF> pts;
  pts.reserve(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) {
    double a = A0 + Sweep * i / n;
    pts.push_back({cx + rx * std::cos(a), cy - ry * std::sin(a)});
  }
  return pts;
}

// The pixels of an ellipse in the box W x H at the origin, mirror-symmetric in
// both axes: per column, the outline rows Start..Top (mirrored at the bottom);
// the rows between Top and its mirror are inside.
// Ellipses up to this size go pixel by pixel; larger ones follow the curve.
constexpr int32_t kPixelEllipseMax = 4096;

struct TEllipseColumns {
  std::vector<int32_t> Start, Top;
};

inline TEllipseColumns EllipseColumns(int32_t W, int32_t H) {
  TEllipseColumns e;
  e.Top.assign(size_t(W), 0);
  e.Start.assign(size_t(W), 0);
  const double a = (W - 1) / 2.0, b = (H - 1) / 2.0;
  const int32_t mid = (H - 1) / 2;
  for (int32_t j = W / 2; j < W; ++j) {  // the right half; the left half mirrors it
    const double u = j - a;
    const double q = a > 0 ? std::max(0.0, 1 - (u / a) * (u / a)) : 1.0;
    const int32_t top = std::clamp(int32_t(std::floor(b - b * std::sqrt(q) + 0.5)), 0, mid);
    e.Top[size_t(j)] = top;
    e.Top[size_t(W - 1 - j)] = top;
  }
  for (int32_t j = 0; j < W; ++j) {
    // A column reaches up to the row below the top of its neighbour nearer the
    // middle, so that the outline stays connected where it runs steeply.
    const int32_t inner = j < W / 2 ? j + 1 : j - 1;
    const bool middle = j == W / 2 || j == (W - 1) / 2;
    const int32_t top = e.Top[size_t(j)];
    e.Start[size_t(j)] = middle ? top : std::min(top, e.Top[size_t(inner)] + 1);
  }
  return e;
}

// The same for a rectangle W x H whose corners are quarters of an EW x EH ellipse.
inline TEllipseColumns RoundRectColumns(int32_t W, int32_t H, int32_t EW, int32_t EH) {
  EW = std::clamp(EW, 0, W);
  EH = std::clamp(EH, 0, H);
  TEllipseColumns e;
  e.Top.assign(size_t(W), 0);
  if (EW >= 2 && EH >= 2) {
    const TEllipseColumns corner = EllipseColumns(EW, EH);
    for (int32_t j = 0; j < EW / 2; ++j) {
      e.Top[size_t(j)] = corner.Top[size_t(j)];
      e.Top[size_t(W - 1 - j)] = corner.Top[size_t(j)];
    }
  }
  e.Start = e.Top;
  for (int32_t j = 0; j < W; ++j) {
    const int32_t inner = j < W / 2 ? j + 1 : j - 1;
    const bool middle = j == W / 2 || j == (W - 1) / 2;
    if (!middle) e.Start[size_t(j)] = std::min(e.Top[size_t(j)], e.Top[size_t(inner)] + 1);
  }
  return e;
}

}  // namespace Scan
