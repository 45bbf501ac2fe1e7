#include "views/Contouring.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>
#include <utility>

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
    std::set<std::pair<int32_t, int32_t>> directed;
    for (size_t t = 1; t <= count; ++t)
      for (int e = 0; e < 3; ++e) directed.insert({tri[t].v[e], tri[t].v[(e + 1) % 3]});
    std::vector<int32_t> next(un + 1, 0), prev(un + 1, 0), outs(un + 1, 0), ins(un + 1, 0);
    for (const auto& [a, b] : directed)
      if (!directed.count({b, a})) {
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
  v.text = Supermath2d::FloatToStrDec(0, 1, value);
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

int32_t Delaunay(TContourMesh& mesh, TContourLevels& levels, int32_t n, bool rebuild) {
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

void Triangulate(TContourMesh& mesh, TContourLevels& levels, bool rebuild) {
  const int32_t n = mesh.NextNode - 1;
  if (n < 3) return;
  if (rebuild) {
    mesh.TriangleCount = Delaunay(mesh, levels, n, true);
    FindNeighbours(mesh, mesh.TriangleCount);
  } else {
    Delaunay(mesh, levels, n, false);
  }
}

void BuildLevels(TContourMesh& mesh, TContourLevels& levels, std::string& warning) {
  warning.clear();
  if (levels.LevNum == 0 || mesh.TriangleCount < 3 || mesh.NextNode < 3) return;
  ContourLevels::BuildLevels(levels, warning);
  arofdoubleM values(mesh.Nodes.size());
  for (size_t i = 0; i < values.size(); ++i) values[i] = mesh.Nodes[i].value;
  mesh.ContourValues = ContourLevels::NudgedValues(values, levels.Levels);
}

}  // namespace Contouring
