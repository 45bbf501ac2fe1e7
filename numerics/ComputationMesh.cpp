// Computation mesh from the polygon model: split at the bounds, frame moved
// outward, edges refined by the step law and graded toward the moved frame.
#include "numerics/ComputationMesh.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace ComputationMesh {

namespace {

constexpr double Tolerance = 1e-7;
// More new nodes than this means dividing options that cannot be meant.
constexpr size_t MaxNewNodes = 2000000;
// A horizontal step is at most this many times FactorX times its depth.
constexpr double DepthShare = 1.5;
constexpr double VerticalShare = 0.5;
// Beyond the model bounds each step is this much longer than the one before.
constexpr double OuterGrowth = 1.5;

using TEdgeList = std::vector<std::pair<int32_t, int32_t>>;

bool Processed(const TEdgeList& list, int32_t a, int32_t b) {
  for (const auto& [x, y] : list)
    if ((x == a && y == b) || (x == b && y == a)) return true;
  return false;
}

// Whether body b, polygon p takes part (as edge source and insertion target) and
// whether its list is a closed ring.
bool TakesPart(size_t b, size_t p, bool hasRelief) { return !(b == 0 && p == 0) || hasRelief; }
bool IsRing(size_t b, size_t p, bool hasRelief) { return !(b == 0 && p == 0 && hasRelief); }

// Calls f(a, b) for every edge of every taking-part polygon of the model, in body,
// polygon and list order.
template <typename F>
void ForEachEdge(const AllSpolygon& polygons, bool hasRelief, F&& f) {
  for (size_t b = 0; b < polygons.size(); ++b)
    for (size_t p = 0; p < polygons[b].size(); ++p) {
      if (!TakesPart(b, p, hasRelief)) continue;
      const arofintM& list = polygons[b][p].Nodes;
      const size_t n = list.size();
      const size_t edges = IsRing(b, p, hasRelief) ? n : (n > 0 ? n - 1 : 0);
      for (size_t i = 0; i < edges; ++i) f(list[i], list[(i + 1) % n]);
    }
}

// Appends the points as nodes and inserts their indices into every taking-part
// polygon that has the edge (a, b), in each polygon's own direction.
void InsertPoints(AllSpolygon& polygons, Tnodes& nodes, bool hasRelief, int32_t a, int32_t b,
                  const arofcomplexM& points) {
  if (points.empty()) return;
  const int32_t first = static_cast<int32_t>(nodes.size());
  for (const complexM& pt : points) {
    Tnode node;
    node.X = pt.x;
    node.Depth = pt.z;
    nodes.push_back(node);
  }
  const int32_t m = static_cast<int32_t>(points.size());
  for (size_t bi = 0; bi < polygons.size(); ++bi)
    for (size_t p = 0; p < polygons[bi].size(); ++p) {
      if (!TakesPart(bi, p, hasRelief)) continue;
      arofintM& list = polygons[bi][p].Nodes;
      const size_t n = list.size();
      const size_t edges = IsRing(bi, p, hasRelief) ? n : (n > 0 ? n - 1 : 0);
      for (size_t i = 0; i < edges; ++i) {
        const int32_t c = list[i], d = list[(i + 1) % n];
        if (!((c == a && d == b) || (c == b && d == a))) continue;
        arofintM added(static_cast<size_t>(m));
        for (int32_t k = 0; k < m; ++k) added[static_cast<size_t>(k)] = c == a ? first + k : first + m - 1 - k;
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(i + 1), added.begin(), added.end());
        break;
      }
    }
}

double ReliefDepthOf(const TMeshModel& model, double x, double z) {
  return model.HasRelief ? z - Supermath2d::InterpolateComplex(model.Relief, x) : z;
}

// Horizontal step at depth d. The field of the electrodes on the surface varies
// over lengths of the order of the depth, so the step stays below a share of the
// depth that follows the depth factor (never below the vertical start step).
double StepX(const TMeshSettings& s, double d) {
  d = std::max(d, 0.0);
  const double step = s.ExponentFlag ? s.StartXStep * std::exp(s.FactorX * d) : s.FactorX * d + s.StartXStep;
  if (!(s.FactorX > 0.0)) return step;
  return std::min(step, std::max(0.5 * s.StartXStep, DepthShare * s.FactorX * d));
}

// Vertical step at depth d: half the step law, because the field of a surface
// electrode beside a vertical boundary changes over its distance from it.
double StepZ(const TMeshSettings& s, double d) { return VerticalShare * (s.FactorZ * std::max(d, 0.0) + s.StartZStep); }

std::string CheckModel(const TMeshModel& model, const AllSpolygon& polygons, const Tnodes& nodes) {
  if (!(model.XMin < model.XMax) || !std::isfinite(model.XMin) || !std::isfinite(model.XMax) ||
      !std::isfinite(model.ZMax))
    return "The model bounds are not valid: the left bound must lie left of the right bound.";
  if (polygons.empty() || polygons[0].empty()) return "The model has no frame.";
  for (const SPolygon& body : polygons)
    for (const Polygon& p : body)
      for (int32_t n : p.Nodes)
        if (n < 0 || static_cast<size_t>(n) >= nodes.size())
          return "The model refers to node " + std::to_string(n) + ", which does not exist.";
  return {};
}

// With relief the frame ring is cut to its ground-surface run: from the first
// top-right corner (node 3) after position 0 to the last later return of the first node.
bool CutFrame(AllSpolygon& polygons, std::string& message) {
  arofintM& f = polygons[0][0].Nodes;
  if (f.empty()) {
    message = "The model frame is empty.";
    return false;
  }
  size_t p3 = f.size();
  for (size_t i = 1; i < f.size(); ++i)
    if (f[i] == 3) {
      p3 = i;
      break;
    }
  size_t last = f.size();
  for (size_t i = p3 + 1; i < f.size(); ++i)
    if (f[i] == f[0]) last = i;
  if (p3 == f.size() || last == f.size()) {
    // Already cut (an open surface line from node 3) is accepted as it is.
    if (f.front() == 3 && std::count(f.begin(), f.end(), f.front()) == 1) return true;
    message = "The model frame has no top-right corner or does not return to its first node.";
    return false;
  }
  f = arofintM(f.begin() + static_cast<std::ptrdiff_t>(p3), f.begin() + static_cast<std::ptrdiff_t>(last + 1));
  return true;
}

// Splits the edges that cross a bound line so that every body touching a side or
// the bottom keeps a node on the bound.
void SplitAtBounds(const TMeshModel& model, const AllSpolygon& snapshot, const Tnodes& snapNodes,
                   AllSpolygon& polygons, Tnodes& nodes) {
  TEdgeList processed;
  const double t = Tolerance;
  ForEachEdge(snapshot, model.HasRelief, [&](int32_t ia, int32_t ib) {
    if (Processed(processed, ia, ib)) return;
    const Tnode& a = snapNodes[static_cast<size_t>(ia)];
    const Tnode& b = snapNodes[static_cast<size_t>(ib)];
    const bool crossesLeft = (a.X - t <= model.XMin && model.XMin < b.X) || (b.X - t <= model.XMin && model.XMin < a.X);
    const bool crossesRight = (a.X + t >= model.XMax && model.XMax > b.X) || (b.X + t >= model.XMax && model.XMax > a.X);
    const bool crossesBottom = (a.Depth + t >= model.ZMax && model.ZMax > b.Depth) ||
                               (b.Depth + t >= model.ZMax && model.ZMax > a.Depth);
    if (!crossesLeft && !crossesRight && !crossesBottom) return;
    for (int32_t code : {a.Border, b.Border})
      if (code == Polygons::BorderBottomLeft || code == Polygons::BorderBottomRight) return;
    processed.emplace_back(ia, ib);
    arofcomplexM points;
    auto onSide = [&](const Tnode& n) { return n.X <= model.XMin + t || n.X >= model.XMax - t; };
    if (onSide(a)) points.push_back({a.X, a.Depth});
    if (onSide(b)) points.push_back({b.X, b.Depth});
    if (a.Depth + t >= model.ZMax) points.push_back({a.X, a.Depth});
    if (b.Depth + t >= model.ZMax) points.push_back({b.X, b.Depth});
    InsertPoints(polygons, nodes, model.HasRelief, ia, ib, points);
  });
}

void MoveFrame(Tnodes& nodes, double offset) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    const double x = ShiftedNodeX(nodes, static_cast<int32_t>(i), offset);
    const double z = ShiftedNodeZ(nodes, static_cast<int32_t>(i), offset);
    nodes[i].SavedX = nodes[i].X;
    nodes[i].SavedDepth = nodes[i].Depth;
    nodes[i].X = x;
    nodes[i].Depth = z;
  }
}

// Points of an edge that runs from the model bounds out to the moved frame: they
// start with the step the step law gives at the bound and grow geometrically, so
// that the mesh continues smoothly outward; at most as far out as the graded table.
arofcomplexM OuterPoints(const TMeshModel& model, const TMeshSettings& settings, const Tnode& a, const Tnode& b,
                         bool aOuter, const double* g) {
  const Tnode& inner = aOuter ? b : a;
  const Tnode& outer = aOuter ? a : b;
  const double dx = outer.X - inner.X, dz = outer.Depth - inner.Depth;
  const double L = std::sqrt(dx * dx + dz * dz);
  arofcomplexM points;
  if (!(L > 0.0)) return points;
  const double ax = std::fabs(dx), az = std::fabs(dz);
  const double d = ReliefDepthOf(model, inner.X, inner.Depth);
  double step = (StepX(settings, d) * ax + StepZ(settings, d) * az) / (ax + az);
  step = std::min(step, g[0]);
  // The outermost point stays where the graded table puts it, well inside the frame.
  const double last = std::min(g[6], 0.5 * L);
  for (double t = step; t <= last && points.size() < 200; step *= OuterGrowth, t += step)
    points.push_back({inner.X + dx * t / L, inner.Depth + dz * t / L});
  if (aOuter) std::reverse(points.begin(), points.end());
  return points;
}

bool RefineEdges(const TMeshModel& model, const TMeshSettings& settings, AllSpolygon& polygons, Tnodes& nodes,
                 std::string& message) {
  const AllSpolygon snapshot = Polygons::CopyAllSpolygon(polygons);
  const Tnodes snapNodes = nodes;
  const size_t startCount = nodes.size();
  double g[7];
  for (int k = 0; k < 7; ++k) g[k] = std::pow(3.0, k) * settings.HalfSpacing;
  TEdgeList processed;
  bool ok = true;
  ForEachEdge(snapshot, model.HasRelief, [&](int32_t ia, int32_t ib) {
    if (!ok || Processed(processed, ia, ib)) return;
    const Tnode& a = snapNodes[static_cast<size_t>(ia)];
    const Tnode& b = snapNodes[static_cast<size_t>(ib)];
    auto inner = [&](const Tnode& n) { return model.XMin <= n.X && n.X <= model.XMax && n.Depth <= model.ZMax; };
    arofcomplexM points;
    bool fits = true;
    if (inner(a) && inner(b)) {
      fits = SubdivideEdge(model, settings, points, a.X, a.Depth, b.X, b.Depth);
    } else {
      const bool aOutLeft = a.X < model.XMin && model.XMin <= b.X;
      const bool aOutRight = a.X > model.XMax && model.XMax >= b.X;
      const bool bOutLeft = b.X < model.XMin && model.XMin <= a.X;
      const bool bOutRight = b.X > model.XMax && model.XMax >= a.X;
      const bool aOutBottom = a.Depth > model.ZMax && model.ZMax >= b.Depth;
      const bool bOutBottom = b.Depth > model.ZMax && model.ZMax >= a.Depth;
      if (aOutLeft || aOutRight || bOutLeft || bOutRight || aOutBottom || bOutBottom)
        points = OuterPoints(model, settings, a, b, aOutLeft || aOutRight || aOutBottom, g);
    }
    processed.emplace_back(ia, ib);
    if (!fits || nodes.size() - startCount + points.size() > MaxNewNodes) {
      message = "The mesh settings would make more than " + std::to_string(MaxNewNodes) +
                " nodes: choose larger steps.";
      ok = false;
      return;
    }
    InsertPoints(polygons, nodes, model.HasRelief, ia, ib, points);
  });
  return ok;
}

}  // namespace

std::string ValidateSettings(const TMeshSettings& s) {
  auto bad = [](double v) { return !std::isfinite(v); };
  if (bad(s.HalfSpacing) || !(s.HalfSpacing > 0.0))
    return "Electrode spacing for the mesh must be greater than 0 (half spacing " + SysUtils::RoundTripText(s.HalfSpacing) + ").";
  if (bad(s.StartXStep) || !(s.StartXStep > 0.0))
    return "Mesh start step in x must be greater than 0 (it is " + SysUtils::RoundTripText(s.StartXStep) + ").";
  if (bad(s.StartZStep) || !(s.StartZStep > 0.0))
    return "Mesh start step in depth must be greater than 0 (it is " + SysUtils::RoundTripText(s.StartZStep) + ").";
  if (bad(s.FactorX) || s.FactorX < 0.0)
    return "Mesh factor in x must be 0 or greater (it is " + SysUtils::RoundTripText(s.FactorX) + ").";
  if (bad(s.FactorZ) || s.FactorZ < 0.0)
    return "Mesh factor in depth must be 0 or greater (it is " + SysUtils::RoundTripText(s.FactorZ) + ").";
  return {};
}

double ShiftedNodeX(const Tnodes& nodes, int32_t index, double offset) {
  const Tnode& n = nodes.at(static_cast<size_t>(index));
  if (n.Border == Polygons::BorderLeft || n.Border == Polygons::BorderBottomLeft) return n.X - offset;
  if (n.Border == Polygons::BorderBottomRight || n.Border == Polygons::BorderRight) return n.X + offset;
  return n.X;
}

double ShiftedNodeZ(const Tnodes& nodes, int32_t index, double offset) {
  const Tnode& n = nodes.at(static_cast<size_t>(index));
  if (n.Border == Polygons::BorderBottomLeft || n.Border == Polygons::BorderBottom ||
      n.Border == Polygons::BorderBottomRight)
    return n.Depth + offset;
  return n.Depth;
}

bool SubdivideEdge(const TMeshModel& model, const TMeshSettings& settings, arofcomplexM& points, double XA,
                   double ZA, double XB, double ZB) {
  points.clear();
  const bool swapped = ZA > ZB;
  if (swapped) {
    std::swap(XA, XB);
    std::swap(ZA, ZB);
  }
  const double dx = XB - XA, dz = ZB - ZA;
  const double L = std::sqrt(dx * dx + dz * dz);
  if (!(L > 0.0)) return true;
  const double dA = ReliefDepthOf(model, XA, ZA), dB = ReliefDepthOf(model, XB, ZB);
  if (std::fabs(dA - dB) / std::max({std::fabs(dA), std::fabs(dB), 1e-9}) < 0.03) {
    // Nearly constant depth: equal parts of the linear horizontal step.
    // On flat ground the surface itself carries no integrals: its edges keep the
    // plain start step.
    const bool flatSurface = !model.HasRelief && dA <= 0.0 && dB <= 0.0;
    const double step = flatSurface ? settings.StartXStep
                                    : StepX(TMeshSettings{false, settings.HalfSpacing, settings.FactorX,
                                                          settings.StartXStep, settings.FactorZ, settings.StartZStep},
                                            dA);
    const double n = std::nearbyint(L / step);
    if (n > static_cast<double>(MaxNewNodes)) return false;
    if (n >= 2.0)
      for (int32_t i = 1; i < static_cast<int32_t>(n); ++i)
        points.push_back({XA + i * dx / n, ZA + i * dz / n});
  } else {
    const double ax = std::fabs(dx), az = std::fabs(dz);
    const double ux = dx / L, uz = dz / L;
    complexM P{XA, ZA};
    double walked = 0.0;
    for (;;) {
      const double d = ReliefDepthOf(model, P.x, P.z);
      const double h = (StepX(settings, d) * ax + StepZ(settings, d) * az) / (ax + az);
      if (!(h > 0.0)) break;
      if (points.size() >= MaxNewNodes) {
        points.clear();
        return false;
      }
      walked += h;
      P = {P.x + h * ux, P.z + h * uz};
      if (walked >= L) break;
      points.push_back(P);
    }
    if (!points.empty()) {
      const complexM& last = points.back();
      const double d1 = (last.x - XB) * (last.x - XB) + (last.z - ZB) * (last.z - ZB);
      const double d2 = (P.x - XB) * (P.x - XB) + (P.z - ZB) * (P.z - ZB);
      // No sliver much shorter than the last step before the end.
      if (d1 / d2 < 0.1) points.pop_back();
    }
  }
  if (swapped) std::reverse(points.begin(), points.end());
  return true;
}

bool BuildComputationMesh(const TMeshModel& model, const TMeshSettings& settings, AllSpolygon& polygons,
                          Tnodes& nodes, double& meshFrameOffset, std::string& message) {
  message = ValidateSettings(settings);
  if (message.empty()) message = CheckModel(model, polygons, nodes);
  if (!message.empty()) return false;
  AllSpolygon work = Polygons::CopyAllSpolygon(polygons);
  Tnodes workNodes = nodes;
  if (model.HasRelief && !CutFrame(work, message)) return false;
  const double offset = 2187.0 * settings.HalfSpacing;
  const AllSpolygon snapshot = Polygons::CopyAllSpolygon(work);
  const Tnodes snapNodes = workNodes;
  SplitAtBounds(model, snapshot, snapNodes, work, workNodes);
  MoveFrame(workNodes, offset);
  if (!RefineEdges(model, settings, work, workNodes, message)) return false;
  polygons = std::move(work);
  nodes = std::move(workNodes);
  meshFrameOffset = offset;
  return true;
}

bool BuildGravMagMesh(const TMeshModel& model, double meshFrameOffset, AllSpolygon& polygons, Tnodes& nodes,
                      std::string& message) {
  message = CheckModel(model, polygons, nodes);
  if (!message.empty()) return false;
  AllSpolygon work = Polygons::CopyAllSpolygon(polygons);
  Tnodes workNodes = nodes;
  if (model.HasRelief && !CutFrame(work, message)) return false;
  const AllSpolygon snapshot = Polygons::CopyAllSpolygon(work);
  const Tnodes snapNodes = workNodes;
  SplitAtBounds(model, snapshot, snapNodes, work, workNodes);
  MoveFrame(workNodes, meshFrameOffset);
  polygons = std::move(work);
  nodes = std::move(workNodes);
  return true;
}

}  // namespace ComputationMesh
