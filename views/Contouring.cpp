#include "views/Contouring.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <tuple>
#include <utility>

#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/SysUtils.h"
#include "platform/gdi/Pixels.h"

namespace Contouring {

namespace {

// Half-size of the enclosing triangle in extents of the nodes. It is far larger than
// the nodes' box so that few circles through node pairs on the hull reach an enclosing
// vertex; FillHullPockets closes the pockets that the removal of the triangles touching
// the enclosing vertices still leaves along nearly straight flanks of a section.
constexpr double EnclosingSize = 100.0;

struct TExtent {
  double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
};

TExtent NodeExtent(const TContourMesh& mesh, int32_t n) {
  TExtent e{mesh.Nodes[1].x, mesh.Nodes[1].x, mesh.Nodes[1].y, mesh.Nodes[1].y};
  for (int32_t i = 2; i <= n; ++i) {
    const dVertex3d& v = mesh.Nodes[static_cast<size_t>(i)];
    e.xmin = std::min(e.xmin, v.x);
    e.xmax = std::max(e.xmax, v.x);
    e.ymin = std::min(e.ymin, v.y);
    e.ymax = std::max(e.ymax, v.y);
  }
  return e;
}

// Nodes on one horizontal or vertical line (a single-level survey) have no extent in
// one direction; it is widened around the line to a tenth of the other extent (to 1
// when both are zero), so that scales and the y mapping stay finite.
void WidenZeroExtent(TExtent& e) {
  double dx = e.xmax - e.xmin, dy = e.ymax - e.ymin;
  if (dx > 0.0 && dy > 0.0) return;
  const double wx = dx > 0.0 ? dx : (dy > 0.0 ? dy / 10.0 : 1.0);
  const double wy = dy > 0.0 ? dy : (dx > 0.0 ? dx / 10.0 : 1.0);
  if (!(dx > 0.0)) {
    e.xmin -= wx / 2.0;
    e.xmax += wx / 2.0;
  }
  if (!(dy > 0.0)) {
    e.ymin -= wy / 2.0;
    e.ymax += wy / 2.0;
  }
}

struct TEdge {
  int32_t a = 0, b = 0;  // both 0: void
};

// Removes the edges that two cavity triangles share (they appear once in each
// direction), keeping the cavity's outline.
void VoidSharedEdges(std::vector<TEdge>& edges) {
  std::vector<size_t> order(edges.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  auto key = [&](size_t i) {
    return std::make_tuple(std::min(edges[i].a, edges[i].b), std::max(edges[i].a, edges[i].b), i);
  };
  std::sort(order.begin(), order.end(), [&](size_t p, size_t q) { return key(p) < key(q); });
  for (size_t g = 0; g < order.size();) {
    size_t end = g + 1;
    while (end < order.size() && std::get<0>(key(order[end])) == std::get<0>(key(order[g])) &&
           std::get<1>(key(order[end])) == std::get<1>(key(order[g])))
      ++end;
    // Within one node pair, in list order: an entry is paired with the first later
    // entry running the other way.
    for (size_t j = g; j < end; ++j)
      for (size_t k = j + 1; k < end; ++k) {
        TEdge& ej = edges[order[j]];
        TEdge& ek = edges[order[k]];
        const bool voidJ = ej.a == 0 && ej.b == 0, voidK = ek.a == 0 && ek.b == 0;
        if (!voidJ && !voidK && ej.a == ek.b && ej.b == ek.a) ej = ek = TEdge{};
      }
    g = end;
  }
}


double Cross(const dVertex3d& o, const dVertex3d& a, const dVertex3d& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Whether any node other than a, b and c lies in the closed triangle (a, b, c).
bool NodeInTriangle(const TContourMesh& mesh, int32_t n, int32_t a, int32_t b, int32_t c) {
  const dVertex3d &A = mesh.Nodes[static_cast<size_t>(a)], &B = mesh.Nodes[static_cast<size_t>(b)],
                  &C = mesh.Nodes[static_cast<size_t>(c)];
  const double area = Cross(A, B, C);
  for (int32_t k = 1; k <= n; ++k) {
    if (k == a || k == b || k == c) continue;
    const dVertex3d& P = mesh.Nodes[static_cast<size_t>(k)];
    const double u = Cross(A, B, P), v = Cross(B, C, P), w = Cross(C, A, P);
    if (area > 0 ? (u >= 0 && v >= 0 && w >= 0) : (u <= 0 && v <= 0 && w <= 0)) return true;
  }
  return false;
}

// Closes the concave pockets of the mesh's outline so that the triangles cover the
// convex hull of the nodes: at a border node where the outline turns inwards, the
// triangle over its two border neighbours is added when it holds no other node and not
// all its nodes carry the outline flag. Triangles keep the orientation of the others.
void FillHullPockets(const TContourMesh& mesh, std::vector<dTriangle>& tri, size_t& count, int32_t n) {
  const auto un = static_cast<size_t>(n);
  std::vector<uint8_t> refused(un + 1, 0);
  for (bool changed = true; changed;) {
    changed = false;
    // Every directed side once, sorted, so that a side without its reverse (a side on
    // the outline) is found by halving.
    std::vector<std::pair<int32_t, int32_t>> directed;
    directed.reserve(3 * count);
    for (size_t t = 1; t <= count; ++t)
      for (int e = 0; e < 3; ++e) directed.push_back({tri[t].v[e], tri[t].v[(e + 1) % 3]});
    std::sort(directed.begin(), directed.end());
    directed.erase(std::unique(directed.begin(), directed.end()), directed.end());
    std::vector<int32_t> next(un + 1, 0), prev(un + 1, 0), outs(un + 1, 0), ins(un + 1, 0);
    for (const auto& [a, b] : directed)
      if (!std::binary_search(directed.begin(), directed.end(), std::make_pair(b, a))) {
        next[static_cast<size_t>(a)] = b;
        prev[static_cast<size_t>(b)] = a;
        ++outs[static_cast<size_t>(a)];
        ++ins[static_cast<size_t>(b)];
      }
    // Pockets whose nodes did not change in this pass are filled together.
    std::vector<uint8_t> touched(un + 1, 0);
    for (int32_t b = 1; b <= n; ++b) {
      const auto ub = static_cast<size_t>(b);
      if (refused[ub] || touched[ub] || outs[ub] != 1 || ins[ub] != 1) continue;
      const int32_t a = prev[ub], c = next[ub];
      if (a == c || touched[static_cast<size_t>(a)] || touched[static_cast<size_t>(c)]) continue;
      const dVertex3d &A = mesh.Nodes[static_cast<size_t>(a)], &B = mesh.Nodes[ub],
                      &C = mesh.Nodes[static_cast<size_t>(c)];
      // The triangles run clockwise (as the enclosing triangle does), so the outline turns
      // inwards where it turns left.
      if (!(Cross(A, B, C) > 0.0)) continue;
      if ((A.outline && B.outline && C.outline) || NodeInTriangle(mesh, n, a, b, c)) {
        refused[ub] = 1;
        continue;
      }
      dTriangle t;
      t.v[0] = a;
      t.v[1] = c;
      t.v[2] = b;
      tri.push_back(t);
      ++count;
      changed = true;
      touched[static_cast<size_t>(a)] = touched[ub] = touched[static_cast<size_t>(c)] = 1;
    }
  }
}

}  // namespace

std::string NodeLabel(double value) {
  // Below 1 the label keeps two significant digits: small values (resistances of
  // deep data) would otherwise all read "0.1".
  const double magnitude = std::fabs(value);
  if (value == Supermath2d::NoValue || !std::isfinite(value) || magnitude >= 1.0 || magnitude == 0.0 ||
      value == std::nearbyint(value))
    return Supermath2d::FloatToStrDec(0, 1, value);
  const int32_t decimals = 1 + static_cast<int32_t>(std::ceil(-std::log10(magnitude)));
  std::string text = Supermath2d::FloatToStrDec(std::min(decimals, 17), 0, value);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

void AddNode(TContourMesh& mesh, double x, double y, double value, bool outline) {
  const auto k = static_cast<size_t>(mesh.NextNode);
  if (mesh.Nodes.size() <= k) mesh.Nodes.resize(k + 1);
  dVertex3d& v = mesh.Nodes[k];
  v.x = x;
  v.y = y;
  v.value = value;
  v.outline = outline;
  v.x0 = x;
  v.y0 = y;
  v.text = NodeLabel(value);
  ++mesh.NextNode;
}

namespace {

// The circle test for three corners on one line, where no circle exists: corners of
// equal y contain P when the first is not above it; otherwise a circle about the
// middle of A and C stands in when B is an end, else P is inside left of A.
bool InCircleCollinear(double xp, double yp, double xa, double ya, double xb, double yb, double yc) {
  constexpr double eps = 1e-4;
  if (std::fabs(yb - ya) <= eps && std::fabs(yc - yb) <= eps) return ya >= yp;
  if ((yb >= ya && yb >= yc) || (yb <= ya && yb <= yc)) {
    const double cx = xa, cy = (ya + yc) / 2.0;
    return (xp - cx) * (xp - cx) + (yp - cy) * (yp - cy) <= (xb - cx) * (xb - cx) + (yb - cy) * (yb - cy);
  }
  return xa >= xp;
}

}  // namespace

bool InCircle(double xp, double yp, double xa, double ya, double xb, double yb, double xc, double yc) {
  // Orientation of the triangle and the lifted determinant, both relative to P, so that
  // thin triangles and the large enclosing triangle keep their precision (the centre
  // is never computed). P on the circle counts as inside.
  const double adx = xa - xp, ady = ya - yp, bdx = xb - xp, bdy = yb - yp, cdx = xc - xp, cdy = yc - yp;
  const double orient = (xb - xa) * (yc - ya) - (yb - ya) * (xc - xa);
  if (orient == 0.0) return InCircleCollinear(xp, yp, xa, ya, xb, yb, yc);
  const double det = (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) +
                     (bdx * bdx + bdy * bdy) * (cdx * ady - adx * cdy) +
                     (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
  return orient > 0.0 ? det >= 0.0 : det <= 0.0;
}


namespace {

// Bowyer-Watson insertion as the reference form: every triangle in the list is
// tested against every inserted node, which takes time quadratic in the nodes. Bad
// triangles are removed by moving the last triangle into their place.
void InsertByScan(const TContourMesh& mesh, const std::vector<double>& sx, const std::vector<double>& sy,
                  int32_t n, std::vector<dTriangle>& tri, size_t& count) {
  std::vector<TEdge> edges;
  for (int32_t K = 1; K <= n; ++K) {
    const auto k = static_cast<size_t>(K);
    edges.clear();
    for (size_t j = 1; j <= count;) {
      const int32_t* v = tri[j].v;
      const auto a = static_cast<size_t>(v[0]), b = static_cast<size_t>(v[1]), c = static_cast<size_t>(v[2]);
      if (InCircle(sx[k], sy[k], sx[a], sy[a], sx[b], sy[b], sx[c], sy[c])) {
        edges.push_back({v[0], v[1]});
        edges.push_back({v[1], v[2]});
        edges.push_back({v[2], v[0]});
        tri[j] = tri[count];
        --count;
      } else {
        ++j;
      }
    }
    VoidSharedEdges(edges);
    tri.resize(count + 1);
    for (const TEdge& edge : edges) {
      if (edge.a == 0 && edge.b == 0) continue;
      if (mesh.Nodes[static_cast<size_t>(edge.a)].outline && mesh.Nodes[static_cast<size_t>(edge.b)].outline &&
          mesh.Nodes[k].outline)
        continue;
      dTriangle t;
      t.v[0] = edge.a;
      t.v[1] = edge.b;
      t.v[2] = K;
      tri.push_back(t);
      ++count;
    }
  }
}

// Position of (x, y), both in [0, 1], along a Hilbert curve over a 2^16 grid:
// consecutive positions are neighbouring cells, so nodes taken in this order are
// close to the node before them.
uint64_t HilbertIndex(double x, double y) {
  constexpr uint32_t side = 1u << 16;
  auto cell = [](double v) {
    const double c = std::floor(v * (side - 1));
    return static_cast<uint32_t>(std::clamp(c, 0.0, static_cast<double>(side - 1)));
  };
  uint32_t cx = cell(x), cy = cell(y);
  uint64_t d = 0;
  for (uint32_t s = side / 2; s > 0; s /= 2) {
    const uint32_t rx = (cx & s) ? 1 : 0, ry = (cy & s) ? 1 : 0;
    d += static_cast<uint64_t>(s) * s * ((3 * rx) ^ ry);
    if (ry == 0) {
      if (rx == 1) {
        cx = side - 1 - cx;
        cy = side - 1 - cy;
      }
      std::swap(cx, cy);
    }
  }
  return d;
}

// The same triangulation in O(n log n) on ordinary data. The nodes are inserted
// in rounds along a Hilbert curve, each found by walking from the last triangle made, and the
// triangles whose circle holds it are collected by spreading from there over
// neighbour links (in a triangulation without holes they are connected). Where the
// nodes are in general position the Delaunay triangulation is unique, so the
// triangles are those of the reference form, only listed in another order; where
// many nodes lie on one circle (regular grids) either diagonal is Delaunay and the
// choice is fixed by the node positions. Should a walk fail or a cavity not be one
// simple loop (degenerate input), the node is inserted by testing every triangle.
void InsertByWalk(const std::vector<double>& sx, const std::vector<double>& sy, int32_t n,
                  std::vector<dTriangle>& tri, size_t& count) {
  const auto un = static_cast<size_t>(n);
  std::vector<int32_t> order(un);
  {
    double xmin = sx[1], xmax = sx[1], ymin = sy[1], ymax = sy[1];
    for (size_t i = 2; i <= un; ++i) {
      xmin = std::min(xmin, sx[i]), xmax = std::max(xmax, sx[i]);
      ymin = std::min(ymin, sy[i]), ymax = std::max(ymax, sy[i]);
    }
    const double wx = xmax > xmin ? xmax - xmin : 1.0, wy = ymax > ymin ? ymax - ymin : 1.0;
    // A biased randomised order: the nodes are shuffled (by a fixed generator, so
    // that the same nodes always give the same mesh) and split into rounds of
    // doubling size, each round taken along the Hilbert curve. Random rounds keep
    // the cavities small even on regular grids with long rows, the curve keeps the
    // walks short.
    std::vector<std::pair<uint64_t, int32_t>> keyed(un);
    for (size_t i = 1; i <= un; ++i)
      keyed[i - 1] = {HilbertIndex((sx[i] - xmin) / wx, (sy[i] - ymin) / wy), static_cast<int32_t>(i)};
    std::mt19937 shuffle(20261211u);
    for (size_t i = un; i > 1; --i) std::swap(keyed[i - 1], keyed[shuffle() % i]);
    for (size_t end = un; end > 0;) {
      const size_t begin = end > 32 ? end / 2 : 0;
      std::sort(keyed.begin() + static_cast<std::ptrdiff_t>(begin), keyed.begin() + static_cast<std::ptrdiff_t>(end));
      end = begin;
    }
    for (size_t i = 0; i < un; ++i) order[i] = keyed[i].second;
  }

  // Neighbour links by stable triangle id, so that moves in the list do not disturb them.
  std::vector<std::array<int32_t, 3>> nb(2, {0, 0, 0});  // by id; 0 none
  std::vector<int32_t> idAt{0, 1}, posOf{0, 1};          // position -> id, id -> position (0 gone)
  std::vector<uint32_t> seen(2, 0), badStamp(2, 0);       // by id: stamps of this insertion
  uint32_t stamp = 0;
  std::vector<size_t> badPos, stack;
  struct TCavityEdge {
    int32_t a, b, outside;  // outside: id of the triangle across, 0 none
  };
  std::vector<TCavityEdge> edges;
  std::vector<int32_t> byStart(un + 4, 0), startStamp(un + 4, 0);
  size_t last = 1;
  bool linksValid = true;
  tri.reserve(2 * un + 8);
  idAt.reserve(2 * un + 8);
  nb.reserve(8 * un + 8);
  posOf.reserve(8 * un + 8);
  seen.reserve(8 * un + 8);
  badStamp.reserve(8 * un + 8);

  auto inCircle = [&](size_t k, size_t pos) {
    const int32_t* v = tri[pos].v;
    const auto a = static_cast<size_t>(v[0]), b = static_cast<size_t>(v[1]), c = static_cast<size_t>(v[2]);
    return InCircle(sx[k], sy[k], sx[a], sy[a], sx[b], sy[b], sx[c], sy[c]);
  };
  auto orient = [&](size_t a, size_t b, size_t k) {
    return (sx[b] - sx[a]) * (sy[k] - sy[a]) - (sy[b] - sy[a]) * (sx[k] - sx[a]);
  };
  // The position of a triangle holding node k, found by walking from `last`; 0 when
  // the walk leaves the mesh or does not end.
  auto locate = [&](size_t k) -> size_t {
    size_t pos = last;
    for (size_t steps = 0; steps <= 4 * count + 16; ++steps) {
      const int32_t* v = tri[pos].v;
      const size_t corner[3] = {static_cast<size_t>(v[0]), static_cast<size_t>(v[1]), static_cast<size_t>(v[2])};
      const double area = orient(corner[0], corner[1], corner[2]);
      if (area == 0.0) return pos;  // no side to walk to; the circle test decides
      int next = -1;
      for (int e = 0; e < 3; ++e) {
        const double side = orient(corner[e], corner[(e + 1) % 3], k);
        if (area > 0.0 ? side < 0.0 : side > 0.0) {
          next = e;
          break;
        }
      }
      if (next < 0) return pos;
      const int32_t across = nb[static_cast<size_t>(idAt[pos])][static_cast<size_t>(next)];
      if (across == 0) return 0;
      pos = static_cast<size_t>(posOf[static_cast<size_t>(across)]);
      if (pos == 0) return 0;
    }
    return 0;
  };

  for (const int32_t K : order) {
    const auto k = static_cast<size_t>(K);
    badPos.clear();
    ++stamp;
    const size_t seed = linksValid ? locate(k) : 0;
    if (seed != 0 && inCircle(k, seed)) {
      stack.assign(1, seed);
      seen[static_cast<size_t>(idAt[seed])] = stamp;
      while (!stack.empty()) {
        const size_t pos = stack.back();
        stack.pop_back();
        badPos.push_back(pos);
        badStamp[static_cast<size_t>(idAt[pos])] = stamp;
        for (int32_t across : nb[static_cast<size_t>(idAt[pos])]) {
          if (across == 0 || seen[static_cast<size_t>(across)] == stamp) continue;
          seen[static_cast<size_t>(across)] = stamp;
          const auto q = static_cast<size_t>(posOf[static_cast<size_t>(across)]);
          if (q != 0 && inCircle(k, q)) stack.push_back(q);
        }
      }
    } else {
      for (size_t j = 1; j <= count; ++j)
        if (inCircle(k, j)) {
          badPos.push_back(j);
          badStamp[static_cast<size_t>(idAt[j])] = stamp;
        }
    }

    // The cavity's outline: the sides of removed triangles whose neighbour stays.
    edges.clear();
    for (size_t pos : badPos) {
      const int32_t* v = tri[pos].v;
      const auto& links = nb[static_cast<size_t>(idAt[pos])];
      for (int e = 0; e < 3; ++e) {
        const int32_t outside = links[static_cast<size_t>(e)];
        if (outside != 0 && badStamp[static_cast<size_t>(outside)] == stamp) continue;
        edges.push_back({v[e], v[(e + 1) % 3], outside != 0 && posOf[static_cast<size_t>(outside)] != 0 ? outside : 0});
      }
    }
    // Removal from the top down, so that the triangle moved into a freed place is
    // always one that stays.
    std::sort(badPos.begin(), badPos.end(), std::greater<>());
    for (size_t j : badPos) {
      posOf[static_cast<size_t>(idAt[j])] = 0;
      if (j != count) {
        tri[j] = tri[count];
        idAt[j] = idAt[count];
        posOf[static_cast<size_t>(idAt[j])] = static_cast<int32_t>(j);
      }
      --count;
    }
    tri.resize(count + 1);
    idAt.resize(count + 1);

    for (const TCavityEdge& edge : edges) {
      dTriangle t;
      t.v[0] = edge.a;
      t.v[1] = edge.b;
      t.v[2] = K;
      tri.push_back(t);
      ++count;
      const auto id = static_cast<int32_t>(nb.size());
      nb.push_back({edge.outside, 0, 0});
      posOf.push_back(static_cast<int32_t>(count));
      seen.push_back(0);
      badStamp.push_back(0);
      idAt.push_back(id);
      // The triangle across the cavity's side now borders the new one there.
      if (edge.outside != 0) {
        auto& outer = nb[static_cast<size_t>(edge.outside)];
        const auto& ov = tri[static_cast<size_t>(posOf[static_cast<size_t>(edge.outside)])].v;
        for (int e = 0; e < 3; ++e)
          if (ov[e] == edge.b && ov[(e + 1) % 3] == edge.a) outer[static_cast<size_t>(e)] = id;
      }
      if (startStamp[static_cast<size_t>(edge.a)] == K) linksValid = false;
      byStart[static_cast<size_t>(edge.a)] = id;
      startStamp[static_cast<size_t>(edge.a)] = K;
      last = count;
    }
    // New triangles meet along the sides from their corners to the new node: side 1
    // (b -> K) of one is side 2 (K -> b) of the triangle starting at b.
    for (const TCavityEdge& edge : edges) {
      const auto a = static_cast<size_t>(edge.a), b = static_cast<size_t>(edge.b);
      if (startStamp[b] != K) {
        linksValid = false;
        continue;
      }
      const int32_t self = byStart[a], other = byStart[b];
      nb[static_cast<size_t>(self)][1] = other;
      nb[static_cast<size_t>(other)][2] = self;
    }
  }
}

}  // namespace

int32_t Delaunay(TContourMesh& mesh, TSectionContours& levels, int32_t n, bool rebuild, bool scanAll) {
  TExtent e = NodeExtent(mesh, n);
  levels.DataMax = levels.DataMin = mesh.Nodes[1].value;
  for (int32_t i = 2; i <= n; ++i) {
    levels.DataMax = std::max(levels.DataMax, mesh.Nodes[static_cast<size_t>(i)].value);
    levels.DataMin = std::min(levels.DataMin, mesh.Nodes[static_cast<size_t>(i)].value);
  }
  ContourLevels::ComputeLevelLimits(levels);
  if (!rebuild) return 0;

  WidenZeroExtent(e);
  mesh.PlotXMin = e.xmin;
  mesh.PlotXMax = e.xmax;
  mesh.PlotYMin = e.ymin;
  mesh.PlotYMax = e.ymax;
  const double dx = e.xmax - e.xmin, dy = e.ymax - e.ymin;
  mesh.XScale = mesh.PictureWidth / dx;
  mesh.YScale = mesh.PictureHeight / dy;

  // The y range mapped onto the x range for the circle test.
  auto scaleY = [&](double y) { return e.xmin + dx * (y - e.ymin) / dy; };
  const auto un = static_cast<size_t>(n);
  if (mesh.Nodes.size() < un + 4) mesh.Nodes.resize(un + 4);
  const double xmid = (e.xmin + e.xmax) / 2.0, ymid = (e.ymin + e.ymax) / 2.0;
  const double s = EnclosingSize;
  mesh.Nodes[un + 1].x = xmid - s * dx;
  mesh.Nodes[un + 1].y = ymid - s * dy;
  mesh.Nodes[un + 2].x = xmid;
  mesh.Nodes[un + 2].y = ymid + s * dy;
  mesh.Nodes[un + 3].x = xmid + s * dx;
  mesh.Nodes[un + 3].y = ymid - s * dy;

  std::vector<double> sx(un + 4), sy(un + 4);
  for (size_t i = 1; i < un + 4; ++i) {
    sx[i] = mesh.Nodes[i].x;
    sy[i] = scaleY(mesh.Nodes[i].y);
  }

  std::vector<dTriangle>& tri = mesh.Triangles;
  tri.assign(2, dTriangle{});
  tri[1].v[0] = n + 1;
  tri[1].v[1] = n + 2;
  tri[1].v[2] = n + 3;
  size_t count = 1;
  bool anyOutline = false;
  for (int32_t k = 1; k <= n && !anyOutline; ++k) anyOutline = mesh.Nodes[static_cast<size_t>(k)].outline;
  if (scanAll || anyOutline)
    InsertByScan(mesh, sx, sy, n, tri, count);
  else
    InsertByWalk(sx, sy, n, tri, count);
  for (size_t i = 1; i <= count;) {
    const int32_t* v = tri[i].v;
    if (v[0] > n || v[1] > n || v[2] > n) {
      tri[i] = tri[count];
      --count;
    } else {
      ++i;
    }
  }
  tri.resize(count + 1);
  FillHullPockets(mesh, tri, count, n);
  return static_cast<int32_t>(count);
}

void FindNeighbours(TContourMesh& mesh, int32_t count) {
  std::vector<dTriangle>& tri = mesh.Triangles;
  // Every edge once per triangle side, keyed by its node pair; sides with the same pair
  // are linked pairwise in triangle order, a later pair overwriting an earlier link.
  struct TSide {
    int32_t lo, hi, t, e;
  };
  std::vector<TSide> sides;
  sides.reserve(static_cast<size_t>(count) * 3);
  for (int32_t t = 1; t <= count; ++t) {
    dTriangle& d = tri[static_cast<size_t>(t)];
    for (int e = 0; e < 3; ++e) {
      d.nbr[e] = 0;
      d.nedge[e] = 255;
      const int32_t a = d.v[e], b = d.v[(e + 1) % 3];
      sides.push_back({std::min(a, b), std::max(a, b), t, e});
    }
  }
  std::sort(sides.begin(), sides.end(), [](const TSide& p, const TSide& q) {
    return std::tie(p.lo, p.hi, p.t, p.e) < std::tie(q.lo, q.hi, q.t, q.e);
  });
  for (size_t g = 0; g < sides.size();) {
    size_t end = g + 1;
    while (end < sides.size() && sides[end].lo == sides[g].lo && sides[end].hi == sides[g].hi) ++end;
    for (size_t j = g; j < end; ++j)
      for (size_t k = j + 1; k < end; ++k) {
        const TSide& p = sides[j];
        const TSide& q = sides[k];
        if (p.t == q.t) continue;
        dTriangle& tp = tri[static_cast<size_t>(p.t)];
        dTriangle& tq = tri[static_cast<size_t>(q.t)];
        tp.nbr[p.e] = q.t;
        tp.nedge[p.e] = static_cast<uint8_t>(q.e);
        tq.nbr[q.e] = p.t;
        tq.nedge[q.e] = static_cast<uint8_t>(p.e);
      }
    g = end;
  }
  for (int32_t t = 1; t <= count; ++t) {
    dTriangle& d = tri[static_cast<size_t>(t)];
    for (int e = 0; e < 3; ++e) d.border[e] = d.nbr[e] == 0 ? 1 : 0;
  }
}

void Triangulate(TContourMesh& mesh, TSectionContours& levels, bool rebuild) {
  const int32_t n = mesh.NextNode - 1;
  if (n < 3) return;
  if (rebuild) {
    mesh.TriangleCount = Delaunay(mesh, levels, n, true);
    FindNeighbours(mesh, mesh.TriangleCount);
  } else {
    Delaunay(mesh, levels, n, false);
  }
}

void BuildLevels(TContourMesh& mesh, TSectionContours& levels, std::string& warning) {
  warning.clear();
  if (levels.LevNum == 0 || mesh.TriangleCount < 3 || mesh.NextNode < 3) return;
  ContourLevels::BuildLevels(levels, warning);
  arofdoubleM values(mesh.Nodes.size());
  for (size_t i = 0; i < values.size(); ++i) values[i] = mesh.Nodes[i].value;
  mesh.ContourValues = ContourLevels::NudgedValues(values, levels.Levels);
}

std::string XyzNumber(double v) {
  return SysUtils::FixedRealText(v == 0.0 ? 0.0 : v);  // no minus sign on zero
}

std::string XyzText(const TContourMesh& mesh) {
  std::string text = "X -Y  Z\r\n";
  for (int32_t b = 1; b < mesh.NextNode; ++b) {
    const dVertex3d& v = mesh.Nodes[static_cast<size_t>(b)];
    text += XyzNumber(v.x) + " " + XyzNumber(-v.y) + " " + XyzNumber(v.value) + "\r\n";
  }
  return text;
}

// ---- The contour picture ----

namespace {

// Rounds to the nearest pixel, halves to even; NaN and values beyond the device's
// coordinate range clamp instead of overflowing.
int32_t PixelOf(double v) {
  constexpr int32_t Limit = 100000000;
  return std::clamp(Pixels::Round(v), -Limit, Limit);
}

double ValueOf(const TContourMesh& mesh, int32_t node) {
  const auto k = static_cast<size_t>(node);
  return k < mesh.ContourValues.size() ? mesh.ContourValues[k] : mesh.Nodes[k].value;
}

TPoint PixelPoint(const TContourMesh& mesh, const TPlotPoint& p) { return {XToPixel(mesh, p.x), YToPixel(mesh, p.y)}; }

TPlotPoint Mid(const TPlotPoint& a, const TPlotPoint& b) { return {(a.x + b.x) / 2.0, (a.y + b.y) / 2.0}; }

// The quadratic Bezier from e0 (t = 0) to e1 (t = 1) with control c.
TPlotPoint Bezier(const TPlotPoint& e0, const TPlotPoint& c, const TPlotPoint& e1, double t) {
  const double a = (1.0 - t) * (1.0 - t), b = t * t;
  return {c.x + a * (e0.x - c.x) + b * (e1.x - c.x), c.y + a * (e0.y - c.y) + b * (e1.y - c.y)};
}

TPlotPoint NodePoint(const TContourMesh& mesh, int32_t node) {
  const dVertex3d& v = mesh.Nodes[static_cast<size_t>(node)];
  return {v.x, v.y};
}

// The crossing beyond edge e of t: in the neighbour across it, on the lower-numbered
// of its two other edges that the level crosses.
bool NextCrossing(const TContourMesh& mesh, int32_t t, int e, double level, TPlotPoint& point) {
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  const int32_t n = d.nbr[e];
  if (n <= 0 || n > mesh.TriangleCount || d.nedge[e] > 2) return false;
  const int f = d.nedge[e];
  int first = (f + 1) % 3, second = (f + 2) % 3;
  if (first > second) std::swap(first, second);
  for (int g : {first, second})
    if (LevelCrosses(mesh, n, g, level)) {
      point = Crossing(mesh, n, g, level);
      return true;
    }
  return false;
}

void FillPolygon(TCanvas& canvas, const std::vector<TPoint>& points, TColor color) {
  if (points.size() < 3) return;
  canvas.Brush->SetColor(color);
  canvas.Polygon(points);
}

// Position on the triangle's outline, 0 .. 3: corner i at i, a point on edge e at e
// plus its fraction along the edge.
double ForwardDistance(double from, double to) {
  const double d = std::fmod(to - from + 3.0, 3.0);
  return d;
}

// Where a level cuts the outline of a triangle: the edge where the outline, walked
// forward, enters the part below the level (a) and the edge where it leaves it (b),
// with their outline positions.
struct TLevelCut {
  int EdgeA = 0, EdgeB = 0;
  double PosA = 0.0, PosB = 0.0;
};

TLevelCut CutOf(const TContourMesh& mesh, int32_t t, double level, const double value[3]) {
  TLevelCut cut;
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  for (int e = 0; e < 3; ++e) {
    if (!LevelCrosses(mesh, t, e, level)) continue;
    const double v0 = value[e], v1 = value[(e + 1) % 3];
    const double pos = e + (level - v0) / (v1 - v0);
    if (v0 > v1) {
      cut.EdgeA = e;
      cut.PosA = pos;
    } else {
      cut.EdgeB = e;
      cut.PosB = pos;
    }
  }
  (void)d;
  return cut;
}

// Appends the corners met walking the outline forward from position from to to.
void AppendCorners(const TContourMesh& mesh, int32_t t, double from, double to, std::vector<TPoint>& out) {
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  const double span = ForwardDistance(from, to);
  std::array<std::pair<double, int>, 3> corners{};
  for (int i = 0; i < 3; ++i) corners[static_cast<size_t>(i)] = {ForwardDistance(from, i), i};
  std::sort(corners.begin(), corners.end());
  for (const auto& [distance, i] : corners)
    if (distance > 0.0 && distance < span) out.push_back(PixelPoint(mesh, NodePoint(mesh, d.v[i])));
}

void AppendCurve(std::vector<TPoint>& out, const std::vector<TPoint>& curve) { out.insert(out.end(), curve.begin(), curve.end()); }

// The six points of an isoline arc from m0 to m1 about control c.
void AppendArc(const TContourMesh& mesh, const TPlotPoint& m0, const TPlotPoint& c, const TPlotPoint& m1,
               std::vector<TPoint>& out) {
  for (double t : {0.0, 0.2, 0.5, 0.7, 0.8, 1.0}) out.push_back(PixelPoint(mesh, Bezier(m0, c, m1, t)));
}

// Follows a level from entry edge e of t to the next crossing: appends it and moves
// t and e into the neighbour; false when the line ends (on the outline, or with no
// way on, when the previous point is repeated).
bool TraceStep(TContourMesh& mesh, int32_t& t, int& e, double level, std::vector<TPlotPoint>& points) {
  dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  d.mark[e] = 1;
  int first = (e + 1) % 3, second = (e + 2) % 3;
  if (first > second) std::swap(first, second);
  int exit = -1;
  if (!d.mark[first] && LevelCrosses(mesh, t, first, level)) {
    exit = first;
  } else {
    d.mark[first] = 1;
    if (!d.mark[second] && LevelCrosses(mesh, t, second, level)) exit = second;
  }
  if (exit < 0) {
    points.push_back(points.back());
    return false;
  }
  points.push_back(Crossing(mesh, t, exit, level));
  d.mark[exit] = 1;
  const int32_t n = d.nbr[exit];
  if (n <= 0 || n > mesh.TriangleCount || d.nedge[exit] > 2) return false;
  e = d.nedge[exit];
  t = n;
  return true;
}

void TraceLines(TContourMesh& mesh, TCanvas& canvas, double level, bool closed) {
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t)
    for (int e = 0; e < 3; ++e) {
      const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
      if ((d.border[e] == 1) == closed || d.mark[e] || !LevelCrosses(mesh, t, e, level)) continue;
      std::vector<TPlotPoint> points{Crossing(mesh, t, e, level)};
      mesh.Triangles[static_cast<size_t>(t)].mark[e] = 1;
      int32_t current = t;
      int entry = e;
      // Every step marks at least one more edge, so a line has at most that many steps.
      const int64_t maxSteps = 3 * static_cast<int64_t>(mesh.TriangleCount) + 3;
      for (int64_t step = 0; step < maxSteps && TraceStep(mesh, current, entry, level, points); ++step) {
      }
      DrawSmoothLine(mesh, canvas, std::move(points), closed);
    }
}

}  // namespace

double PlotCoordinate(const TAxisMapping& mapping, double v) {
  switch (mapping.Transform) {
    case TAxisTransform::Log:
      return std::log10(v);
    case TAxisTransform::LinLog:
      return Supermath2d::SignedLog(v, mapping.Threshold);
    case TAxisTransform::Linear:
      break;
  }
  return v;
}

void SetPlotCoordinates(TContourMesh& mesh, const TAxisMapping& horizontal, const TAxisMapping& vertical) {
  for (int32_t i = 1; i < mesh.NextNode; ++i) {
    dVertex3d& v = mesh.Nodes[static_cast<size_t>(i)];
    v.x = PlotCoordinate(horizontal, v.x0);
    v.y = PlotCoordinate(vertical, v.y0);
  }
}

void SetPictureScale(TContourMesh& mesh) {
  if (mesh.NextNode < 2) return;
  TExtent e = NodeExtent(mesh, mesh.NextNode - 1);
  WidenZeroExtent(e);
  mesh.PlotXMin = e.xmin;
  mesh.PlotXMax = e.xmax;
  mesh.PlotYMin = e.ymin;
  mesh.PlotYMax = e.ymax;
  mesh.XScale = mesh.PictureWidth / (e.xmax - e.xmin);
  mesh.YScale = mesh.PictureHeight / (e.ymax - e.ymin);
}

int32_t XToPixel(const TContourMesh& mesh, double x) { return PixelOf((x - mesh.PlotXMin) * mesh.XScale); }
int32_t YToPixel(const TContourMesh& mesh, double y) { return PixelOf((y - mesh.PlotYMin) * mesh.YScale); }

bool LevelCrosses(const TContourMesh& mesh, int32_t t, int e, double level) {
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  const double a = ValueOf(mesh, d.v[e]), b = ValueOf(mesh, d.v[(e + 1) % 3]);
  return std::min(a, b) < level && level < std::max(a, b);
}

TPlotPoint Crossing(const TContourMesh& mesh, int32_t t, int e, double level) {
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  const int32_t a = d.v[e], b = d.v[(e + 1) % 3];
  const double va = ValueOf(mesh, a), vb = ValueOf(mesh, b);
  const TPlotPoint pa = NodePoint(mesh, a), pb = NodePoint(mesh, b);
  const double f = (level - va) / (vb - va);
  return {pa.x + f * (pb.x - pa.x), pa.y + f * (pb.y - pa.y)};
}

std::vector<TPoint> CutCurve(const TContourMesh& mesh, int32_t t, int p, int q, double level) {
  const TPlotPoint P = Crossing(mesh, t, p, level), Q = Crossing(mesh, t, q, level);
  TPlotPoint NP, NQ;
  const bool hasNP = NextCrossing(mesh, t, p, level, NP), hasNQ = NextCrossing(mesh, t, q, level, NQ);
  const TPlotPoint m1 = Mid(P, Q), m0 = hasNP ? Mid(NP, P) : P, m2 = hasNQ ? Mid(Q, NQ) : Q;
  std::vector<TPoint> points;
  points.reserve(8);
  for (double s : {0.5, 0.3, 0.2, 0.0}) points.push_back(PixelPoint(mesh, Bezier(m1, P, m0, s)));
  for (double s : {0.0, 0.2, 0.3, 0.5}) points.push_back(PixelPoint(mesh, Bezier(m1, Q, m2, s)));
  if (!hasNP) points[0] = PixelPoint(mesh, P);
  if (!hasNQ) points[7] = PixelPoint(mesh, Q);
  return points;
}

void FillTriangle(const TContourMesh& mesh, const TSectionContours& levels, TCanvas& canvas, int32_t t) {
  const dTriangle& d = mesh.Triangles[static_cast<size_t>(t)];
  const int32_t N = static_cast<int32_t>(levels.Levels.size());
  if (N == 0 || levels.FillColors.size() < static_cast<size_t>(N) + 1) return;
  const double value[3] = {ValueOf(mesh, d.v[0]), ValueOf(mesh, d.v[1]), ValueOf(mesh, d.v[2])};
  const double lo = std::min({value[0], value[1], value[2]}), hi = std::max({value[0], value[1], value[2]});
  std::vector<TPoint> corners;
  for (int i = 0; i < 3; ++i) corners.push_back(PixelPoint(mesh, NodePoint(mesh, d.v[i])));
  const arofdoubleM& L = levels.Levels;
  const auto fill = [&](int32_t band) { return levels.FillColors[static_cast<size_t>(band)]; };
  if (hi < L[0]) return FillPolygon(canvas, corners, fill(0));
  if (lo > L[static_cast<size_t>(N - 1)]) return FillPolygon(canvas, corners, fill(N));
  // The levels that cross the triangle: first lo >= the smallest value, last <= the
  // largest; none when the values lie within one band.
  int32_t first = 0;
  while (first < N && L[static_cast<size_t>(first)] < lo) ++first;
  int32_t last = N - 1;
  while (last > 0 && L[static_cast<size_t>(last)] > hi) --last;
  if (lo == hi || first > last) return FillPolygon(canvas, corners, fill(std::min(first, N)));

  // Walking the outline forward, the part below level k runs from its cut a to its
  // cut b; the parts below successive levels are nested. Each band is bounded by the
  // outline between the cuts and by the cut curves of its two levels.
  std::vector<TLevelCut> cuts;
  std::vector<std::vector<TPoint>> curvesAB;  // each level's curve from a to b
  for (int32_t k = first; k <= last; ++k) {
    const double level = L[static_cast<size_t>(k)];
    const TLevelCut cut = CutOf(mesh, t, level, value);
    cuts.push_back(cut);
    curvesAB.push_back(CutCurve(mesh, t, cut.EdgeA, cut.EdgeB, level));
  }
  std::vector<TPoint> band;
  const auto reversed = [](const std::vector<TPoint>& c) { return std::vector<TPoint>(c.rbegin(), c.rend()); };
  // Below the first crossing level.
  AppendCorners(mesh, t, cuts[0].PosA, cuts[0].PosB, band);
  AppendCurve(band, reversed(curvesAB[0]));
  FillPolygon(canvas, band, fill(first));
  for (size_t k = 1; k < cuts.size(); ++k) {
    band.clear();
    AppendCorners(mesh, t, cuts[k].PosA, cuts[k - 1].PosA, band);
    AppendCurve(band, curvesAB[k - 1]);
    AppendCorners(mesh, t, cuts[k - 1].PosB, cuts[k].PosB, band);
    AppendCurve(band, reversed(curvesAB[k]));
    FillPolygon(canvas, band, fill(first + static_cast<int32_t>(k)));
  }
  // Above the last crossing level.
  band.clear();
  AppendCorners(mesh, t, cuts.back().PosB, cuts.back().PosA, band);
  AppendCurve(band, curvesAB.back());
  FillPolygon(canvas, band, fill(last + 1));
}

void DrawSmoothLine(const TContourMesh& mesh, TCanvas& canvas, std::vector<TPlotPoint> p, bool closed) {
  const size_t n = p.size();
  if (n < 2) return;
  std::vector<TPoint> line;
  if (!closed && n < 3) {
    line = {PixelPoint(mesh, p[0]), PixelPoint(mesh, p[1])};
    canvas.Polyline(line);
    return;
  }
  if (closed) {
    if (n < 3) return;
    p[n - 1] = p[1];
  }
  std::vector<TPlotPoint> m(n - 1);
  for (size_t i = 0; i + 1 < n; ++i) m[i] = Mid(p[i], p[i + 1]);
  if (!closed) line.push_back(PixelPoint(mesh, p[0]));
  for (size_t i = 0; i + 2 < n; ++i) AppendArc(mesh, m[i], p[i + 1], m[i + 1], line);
  if (!closed) line.push_back(PixelPoint(mesh, p[n - 1]));
  // Consecutive arcs share their end points; drawing them as one polyline keeps the
  // line free of doubled end pixels.
  line.erase(std::unique(line.begin(), line.end()), line.end());
  if (line.size() == 1) line.push_back(line[0]);
  canvas.Polyline(line);
}

void DrawIsolines(TContourMesh& mesh, const TSectionContours& levels, TCanvas& canvas) {
  const size_t N = levels.Levels.size();
  const bool fromFile = levels.ColorNamesFound && !levels.LevelFile.empty();
  canvas.Pen->SetStyle(psSolid);
  canvas.Brush->SetStyle(bsClear);
  for (size_t i = 0; i < N; ++i) {
    // Lines a level file switched off; a level the file gave no flag for is drawn.
    if (fromFile && i < levels.LevelLineFlags.size() && !levels.LevelLineFlags[i]) continue;
    canvas.Pen->SetColor(i < levels.IsolineColors.size() ? levels.IsolineColors[i] : clBlack);
    for (int32_t t = 1; t <= mesh.TriangleCount; ++t)
      for (uint8_t& mark : mesh.Triangles[static_cast<size_t>(t)].mark) mark = 0;
    TraceLines(mesh, canvas, levels.Levels[i], false);
    TraceLines(mesh, canvas, levels.Levels[i], true);
  }
}

bool RenderPicture(TContourMesh& mesh, const TSectionContours& levels, bool linesVisible, TMetafile& picture) {
  if (levels.LevNum == 0 || levels.Levels.empty() || mesh.TriangleCount < 3) return false;
  picture.SetRecording({}, {});
  picture.SetWidth(mesh.PictureWidth);
  picture.SetHeight(mesh.PictureHeight);
  TMetafileCanvas canvas(picture);
  canvas.Pen->SetStyle(psClear);
  canvas.Brush->SetStyle(bsSolid);
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t) FillTriangle(mesh, levels, canvas, t);
  if (linesVisible) DrawIsolines(mesh, levels, canvas);
  return true;
}

}  // namespace Contouring
