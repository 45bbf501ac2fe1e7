// Geometric predicates and searches over the polygon model: crossing, containment,
// orientation, scaled (pixel) distances and the picks of the model editor.
#include <algorithm>
#include <cmath>

#include "numerics/Polygons.h"
#include "numerics/Polygons_Internal.h"

using namespace Polygons::internal;

namespace Polygons {

namespace {

// Side of P against the line U -> V, in extended precision: >= 0 counts as one side.
long double Side(const complexM& P, const complexM& U, const complexM& V) {
  return (static_cast<long double>(V.x) - U.x) * (static_cast<long double>(P.z) - U.z) -
         (static_cast<long double>(V.z) - U.z) * (static_cast<long double>(P.x) - U.x);
}

complexM Scaled(const complexM& p, double sx, double sz) { return complexM{p.x * sx, p.z * sz}; }

complexM Minus(const complexM& a, const complexM& b) { return complexM{a.x - b.x, a.z - b.z}; }

arofcomplexM Positions(const arofintM& list, const Tnodes& nodes) {
  arofcomplexM points;
  points.reserve(list.size());
  for (int32_t n : list) points.push_back(Pt(nodes, n));
  return points;
}

}  // namespace

bool SegmentsCross(const complexM& A, const complexM& B, const complexM& C, const complexM& D) {
  if (A == C || A == D || B == C || B == D) return false;
  if (std::max(A.x, B.x) < std::min(C.x, D.x) || std::min(A.x, B.x) > std::max(C.x, D.x))
    return false;
  if (std::max(A.z, B.z) < std::min(C.z, D.z) || std::min(A.z, B.z) > std::max(C.z, D.z))
    return false;
  if ((Side(C, A, B) >= 0) == (Side(D, A, B) >= 0)) return false;
  return (Side(A, C, D) >= 0) != (Side(B, C, D) >= 0);
}

bool NodeSegmentsCross(int32_t a, int32_t b, int32_t c, int32_t d, const Tnodes& nodes) {
  return SegmentsCross(Pt(nodes, a), Pt(nodes, b), Pt(nodes, c), Pt(nodes, d));
}

bool PointInPolygon(const complexM& P, const arofcomplexM& points) {
  for (const complexM& v : points)
    if (std::fabs(v.x - P.x) < 1e-10 && std::fabs(v.z - P.z) < 1e-10) return false;
  bool inside = false;
  const size_t count = points.size();
  for (size_t i = 0; i < count; ++i) {
    const complexM& vi = points[i];
    const complexM& vj = points[i == 0 ? count - 1 : i - 1];
    const bool spans = (vi.z <= P.z && P.z < vj.z) || (vj.z <= P.z && P.z < vi.z);
    if (spans && vi.x + (vj.x - vi.x) * (P.z - vi.z) / (vj.z - vi.z) > P.x) inside = !inside;
  }
  return inside;
}

bool PointInNodePolygon(const complexM& P, const arofintM& list, const Tnodes& nodes) {
  return PointInPolygon(P, Positions(list, nodes));
}

bool IsNegative(const arofcomplexM& points) {
  const size_t count = points.size();
  long double sum = 0.0L;
  for (size_t i = 0; i < count; ++i) {
    const complexM& g = points[i];
    const complexM& f = points[(i + 1) % count];
    const complexM& e = points[(i + 2) % count];
    const complexM centroid{(g.x + f.x + e.x) / 3.0, (g.z + f.z + e.z) / 3.0};
    if (!PointInPolygon(centroid, points)) continue;
    const long double S = static_cast<long double>(g.x) * (f.z - e.z) +
                          static_cast<long double>(f.x) * (e.z - g.z) +
                          static_cast<long double>(e.x) * (g.z - f.z);
    sum -= S * 0.5L;
  }
  return sum >= 0.0L;
}

bool IsNodePolygonNegative(const arofintM& list, const Tnodes& nodes) {
  return IsNegative(Positions(list, nodes));
}

void NormalizeOrientation(arofcomplexM& points) {
  if (IsNegative(points)) std::reverse(points.begin(), points.end());
}

void NormalizeModelOrientation(AllSpolygon& model, const Tnodes& nodes) {
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      arofintM& list = model[b][p].Nodes;
      if (list.size() >= 3 && IsNodePolygonNegative(list, nodes))
        std::reverse(list.begin(), list.end());
    }
}

double Dot(const complexM& u, const complexM& v) { return u.x * v.x + u.z * v.z; }

double VectorLength(const complexM& u) { return std::sqrt(Dot(u, u)); }

double PointDistance(const complexM& a, const complexM& b) { return VectorLength(Minus(a, b)); }

double AngleBetween(const complexM& u, const complexM& v) {
  double c = Dot(u, v) / (VectorLength(u) * VectorLength(v));
  if (std::isnan(c) || c < -1.0) c = -1.0;
  if (c > 1.0) c = 1.0;
  return std::fabs(std::acos(c)) * 180.0 / M_PI;
}

double PointSegmentDistance(const complexM& P, const complexM& A, const complexM& B,
                            double xScale, double depthScale) {
  const complexM p = Scaled(P, xScale, depthScale);
  const complexM a = Scaled(A, xScale, depthScale);
  const complexM b = Scaled(B, xScale, depthScale);
  const complexM v = Minus(b, a);
  const complexM w = Minus(p, a);
  const double t = Dot(w, v);
  if (t <= 0.0) return PointDistance(p, a);
  const double vv = Dot(v, v);
  if (t >= vv) return PointDistance(p, b);
  const double f = t / vv;
  return PointDistance(p, complexM{a.x + f * v.x, a.z + f * v.z});
}

double EdgeDistance(const complexM& P, const complexM& A, const complexM& B, double xScale,
                    double depthScale) {
  return PointSegmentDistance(P, A, B, xScale, depthScale);
}

int32_t NearestNode(const complexM& P, const Tnodes& nodes, double& plainDistance,
                    double& scaledDistance, double xScale, double depthScale) {
  plainDistance = 1e30;
  scaledDistance = 1e30;
  if (nodes.empty()) return -1;
  const complexM p = Scaled(P, xScale, depthScale);
  int32_t best = 0;
  double bestScaled = PointDistance(p, Scaled(Pt(nodes, 0), xScale, depthScale));
  for (size_t k = 1; k < nodes.size(); ++k) {
    const double d =
        PointDistance(p, Scaled(Pt(nodes, static_cast<int32_t>(k)), xScale, depthScale));
    if (d < bestScaled) {
      bestScaled = d;
      best = static_cast<int32_t>(k);
    }
  }
  scaledDistance = bestScaled;
  plainDistance = PointDistance(P, Pt(nodes, best));
  return best;
}

namespace {

// The nearest-edge search of both pick modes: external limits the walk to edges between
// non-internal nodes and uses the 7-pixel threshold.
int32_t NearestEdgeSearch(const complexM& P, const Tnodes& nodes, const AllSpolygon& model,
                          double& distance, double sx, double sz, bool& nearEnd, int32_t& body,
                          int32_t& nodeA, int32_t& nodeB, bool external) {
  distance = 1e30;
  nearEnd = false;
  bool found = false;
  int32_t bestBody = -1, bestA = -1, bestB = -1;
  auto kindOf = [&](int32_t n) {
    return ValidNode(nodes, n) ? nodes[static_cast<size_t>(n)].Kind : KindInternal;
  };
  for (size_t b = 0; b < model.size(); ++b) {
    ForEachEdgeOfBody(model, b, [&](int32_t a, int32_t e) {
      if (external && (kindOf(a) >= KindInternal || kindOf(e) >= KindInternal)) return false;
      const double d = EdgeDistance(P, Pt(nodes, a), Pt(nodes, e), sx, sz);
      if (d < distance) {
        distance = d;
        bestBody = static_cast<int32_t>(b);
        bestA = a;
        bestB = e;
        found = true;
      }
      return false;
    });
  }
  if (!found) return -1;
  body = bestBody;
  nodeA = bestA;
  nodeB = bestB;
  const double threshold = external ? 7.0 : 2.0;
  const complexM p = Scaled(P, sx, sz);
  const complexM pa = Scaled(Pt(nodes, bestA), sx, sz);
  const complexM pb = Scaled(Pt(nodes, bestB), sx, sz);
  const double E = PointDistance(pa, pb);
  const double La = PointDistance(p, pa);
  const double Lb = PointDistance(p, pb);
  int32_t result = -1;
  if (Lb < La) {
    if (Lb < threshold) result = bestB;
  } else if (La < threshold) {
    result = bestA;
  }
  const double nearer = std::min(La, Lb);
  if (nearer < threshold && nearer / E < 0.1) {
    nearEnd = true;
    if (external) distance = nearer;
    return result;
  }
  if (!external && E == 0.0) nearEnd = true;
  return result;
}

}  // namespace

int32_t NearestEdge(const complexM& P, const Tnodes& nodes, const AllSpolygon& model,
                    double& distance, double xScale, double depthScale, bool& nearEnd,
                    int32_t& body, int32_t& nodeA, int32_t& nodeB) {
  return NearestEdgeSearch(P, nodes, model, distance, xScale, depthScale, nearEnd, body, nodeA,
                           nodeB, false);
}

int32_t NearestExternalEdge(const complexM& P, const Tnodes& nodes, const AllSpolygon& model,
                            double& distance, double xScale, double depthScale, bool& nearEnd,
                            int32_t& body, int32_t& nodeA, int32_t& nodeB) {
  return NearestEdgeSearch(P, nodes, model, distance, xScale, depthScale, nearEnd, body, nodeA,
                           nodeB, true);
}

void SnapToEdge(complexM& P, const complexM& A, const complexM& B, double xScale,
                double depthScale) {
  if (std::fabs(A.x - B.x) * xScale > std::fabs(A.z - B.z) * depthScale)
    P.z = Supermath2d::LinearInterpolate(P.x, A.x, B.x, A.z, B.z);
  else
    P.x = Supermath2d::LinearInterpolate(P.z, A.z, B.z, A.x, B.x);
}

bool FindPolygonAt(const AllSpolygon& model, int32_t& body, int32_t& polygon, const Tnodes& nodes,
                   double x, double depth) {
  body = -1;
  polygon = -1;
  const complexM P{x, depth};
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      if (PointInNodePolygon(P, model[b][p].Nodes, nodes)) {
        body = static_cast<int32_t>(b);
        polygon = static_cast<int32_t>(p);
        return true;
      }
    }
  return false;
}

bool PointInOtherBodies(const complexM& P, int32_t exceptBody, const AllSpolygon& model,
                        const Tnodes& nodes) {
  for (size_t b = 0; b < model.size(); ++b) {
    if (static_cast<int32_t>(b) == exceptBody) continue;
    for (const Polygon& polygon : model[b])
      if (PointInNodePolygon(P, polygon.Nodes, nodes)) return true;
  }
  return false;
}

bool SegmentCrossesBody(const complexM& A, const complexM& B, int32_t body, const Tnodes& nodes,
                        const AllSpolygon& model) {
  if (!ValidBody(model, body)) return false;
  auto outline = [&](int32_t n) {
    return ValidNode(nodes, n) && nodes[static_cast<size_t>(n)].Kind < KindInternal;
  };
  const SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    // The frame bounds the model even where sub-polygons cover it on both sides and
    // its nodes count as internal.
    const bool frame = body == 0 && p == 0;
    if (ForEachEdgeOfList(polys[p].Nodes, WalkLength(model, static_cast<size_t>(body), p),
                          [&](int32_t a, int32_t b) {
                            return (frame || (outline(a) && outline(b))) &&
                                   SegmentsCross(A, B, Pt(nodes, a), Pt(nodes, b));
                          }))
      return true;
  }
  return false;
}

bool SegmentCrossesOtherBodies(const complexM& A, const complexM& B, int32_t exceptBody,
                               const Tnodes& nodes, const AllSpolygon& model) {
  for (size_t b = 0; b < model.size(); ++b) {
    if (static_cast<int32_t>(b) == exceptBody) continue;
    if (SegmentCrossesBody(A, B, static_cast<int32_t>(b), nodes, model)) return true;
  }
  return false;
}

bool NodeSegmentCrossesBody(int32_t a, int32_t b, int32_t body, const Tnodes& nodes,
                            const AllSpolygon& model) {
  if (!ValidBody(model, body)) return false;
  return ForEachEdgeOfBody(model, static_cast<size_t>(body), [&](int32_t c, int32_t d) {
    if (c == a || c == b || d == a || d == b) return false;
    return NodeSegmentsCross(a, b, c, d, nodes);
  });
}

bool NodeSegmentCrossesPolygon(int32_t a, int32_t b, int32_t body, const Tnodes& nodes,
                               const AllSpolygon& model, int32_t polygon) {
  if (!ValidPolygon(model, body, polygon)) return false;
  const arofintM& list = model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes;
  return ForEachEdgeOfList(list, list.size(), [&](int32_t c, int32_t d) {
    if (c == a || c == b || d == a || d == b) return false;
    return NodeSegmentsCross(a, b, c, d, nodes);
  });
}

bool BodiesContainEachOther(int32_t a, int32_t b, const AllSpolygon& model, const Tnodes& nodes) {
  if (a == b || !ValidBody(model, a) || !ValidBody(model, b)) return false;
  auto firstNodeInside = [&](int32_t inner, int32_t outer) {
    const SPolygon& in = model[static_cast<size_t>(inner)];
    if (in.empty() || in[0].Nodes.empty()) return false;
    const complexM P = Pt(nodes, in[0].Nodes[0]);
    for (const Polygon& polygon : model[static_cast<size_t>(outer)])
      if (PointInNodePolygon(P, polygon.Nodes, nodes)) return true;
    return false;
  };
  return firstNodeInside(a, b) || firstNodeInside(b, a);
}

bool SegmentCrossesDrawnOutline(const complexM& P, const arofcomplexM& outline) {
  const size_t count = outline.size();
  if (count < 2) return false;
  const complexM& from = outline[count - 2];
  for (size_t k = 0; k + 3 <= count; ++k)
    if (SegmentsCross(from, P, outline[k], outline[k + 1])) return true;
  return false;
}

bool OutlineConflicts(const arofcomplexM& outline, const AllSpolygon& model, const Tnodes& nodes) {
  if (outline.empty()) return false;
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      if (PointInNodePolygon(outline[0], model[b][p].Nodes, nodes)) return true;
    }
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      const arofintM& list = model[b][p].Nodes;
      if (!list.empty() && PointInPolygon(Pt(nodes, list[0]), outline)) return true;
    }
  return false;
}

namespace internal {

namespace {

struct Outline {
  size_t body = 0;
  arofcomplexM points;
  double minX = 1e300, maxX = -1e300, minZ = 1e300, maxZ = -1e300;
};

std::vector<Outline> OutlinesOtherThanFrame(const AllSpolygon& model, const Tnodes& nodes) {
  std::vector<Outline> outlines;
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      Outline o;
      o.body = b;
      o.points = Positions(model[b][p].Nodes, nodes);
      for (const complexM& q : o.points) {
        o.minX = std::min(o.minX, q.x);
        o.maxX = std::max(o.maxX, q.x);
        o.minZ = std::min(o.minZ, q.z);
        o.maxZ = std::max(o.maxZ, q.z);
      }
      outlines.push_back(std::move(o));
    }
  return outlines;
}

bool BoxesMeet(const Outline& a, const Outline& b) {
  return a.minX <= b.maxX && b.minX <= a.maxX && a.minZ <= b.maxZ && b.minZ <= a.maxZ;
}

// Calls f with a probe just inside the outline beside every piece of its edges between
// the nodes lying on them, until f returns true. Once no edges cross, two overlapping
// polygons share a stretch of the boundary of their common part, and that stretch runs
// along such pieces; a piece that two polygons share from opposite sides puts the probe
// on one side only. Likewise a polygon reaching out of the frame has such a piece outside.
template <typename F>
bool AnyProbe(const Outline& of, const Tnodes& nodes, double extent, F&& f) {
  const double onEdge = 1e-11 * extent;  // rounding of nodes snapped onto an edge
  const double offset = 1e-8 * extent;   // far above rounding, far below any edit tolerance
  const size_t count = of.points.size();
  for (size_t k = 0; k < count; ++k) {
    const complexM a = of.points[k], b = of.points[(k + 1) % count];
    const double dx = b.x - a.x, dz = b.z - a.z, length = std::hypot(dx, dz);
    if (!(length > 2.0 * offset)) continue;
    arofdoubleM cuts{0.0, 1.0};
    for (const Tnode& n : nodes) {
      const double px = n.X - a.x, pz = n.Depth - a.z;
      const double along = (px * dx + pz * dz) / (length * length);
      if (along > 0.0 && along < 1.0 && std::fabs(px * dz - pz * dx) <= onEdge * length)
        cuts.push_back(along);
    }
    std::sort(cuts.begin(), cuts.end());
    for (size_t c = 0; c + 1 < cuts.size(); ++c) {
      if ((cuts[c + 1] - cuts[c]) * length <= 2.0 * offset) continue;
      const double t = 0.5 * (cuts[c] + cuts[c + 1]);
      // The polygons the edits keep have their interior left of each edge over (x, depth).
      if (f(complexM{a.x + t * dx - offset * dz / length, a.z + t * dz + offset * dx / length}))
        return true;
    }
  }
  return false;
}

}  // namespace

bool BodyOverlapsOrLeavesModel(int32_t body, const AllSpolygon& model, const Tnodes& nodes) {
  if (!ValidBody(model, body) || model[0].empty()) return false;
  const arofintM& frameList = model[0][0].Nodes;
  const arofintM run(frameList.begin(),
                     frameList.begin() + std::min<std::ptrdiff_t>(FrameFirstRunLength(model),
                                                                  std::ssize(frameList)));
  const arofcomplexM frame = Positions(run, nodes);
  double left = 1e300, right = -1e300, top = 1e300, bottom = -1e300;
  for (const complexM& q : frame) {
    left = std::min(left, q.x);
    right = std::max(right, q.x);
    top = std::min(top, q.z);
    bottom = std::max(bottom, q.z);
  }
  const double extent = std::max(right - left, bottom - top);
  if (!(extent > 0.0)) return false;
  const std::vector<Outline> outlines = OutlinesOtherThanFrame(model, nodes);
  for (size_t i = 0; i < outlines.size(); ++i) {
    if (outlines[i].body != static_cast<size_t>(body)) continue;
    if (AnyProbe(outlines[i], nodes, extent,
                 [&](const complexM& probe) { return !PointInPolygon(probe, frame); }))
      return true;
    for (size_t j = 0; j < outlines.size(); ++j) {
      if (i == j || !BoxesMeet(outlines[i], outlines[j])) continue;
      auto inside = [](const Outline& other) {
        return [&other](const complexM& probe) { return PointInPolygon(probe, other.points); };
      };
      if (AnyProbe(outlines[i], nodes, extent, inside(outlines[j])) ||
          AnyProbe(outlines[j], nodes, extent, inside(outlines[i])))
        return true;
    }
  }
  return false;
}

}  // namespace internal

}  // namespace Polygons
