// Helpers shared by the source files of unit Polygons; not part of its interface.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>

#include "numerics/Polygons.h"

namespace Polygons::internal {

inline bool ValidBody(const AllSpolygon& model, int32_t body) {
  return body >= 0 && static_cast<size_t>(body) < model.size();
}

inline bool ValidPolygon(const AllSpolygon& model, int32_t body, int32_t polygon) {
  return ValidBody(model, body) && polygon >= 0 &&
         static_cast<size_t>(polygon) < model[static_cast<size_t>(body)].size();
}

inline bool ValidNode(const Tnodes& nodes, int32_t node) {
  return node >= 0 && static_cast<size_t>(node) < nodes.size();
}

// Position of a node; a bad index gives NaN coordinates, which no test accepts.
inline complexM Pt(const Tnodes& nodes, int32_t node) {
  if (!ValidNode(nodes, node))
    return complexM{std::numeric_limits<double>::quiet_NaN(),
                    std::numeric_limits<double>::quiet_NaN()};
  const Tnode& n = nodes[static_cast<size_t>(node)];
  return complexM{n.X, n.Depth};
}

// Number of leading entries that an edge walk takes of a polygon: the frame's first run,
// every other polygon whole.
inline size_t WalkLength(const AllSpolygon& model, size_t body, size_t polygon) {
  if (body == 0 && polygon == 0) return static_cast<size_t>(FrameFirstRunLength(model));
  return model[body][polygon].Nodes.size();
}

// Calls f(a, b) for every edge of a polygon walked over its first `length` entries,
// the closing edge included. f returns true to stop; the result says whether it stopped.
template <typename F>
bool ForEachEdgeOfList(const arofintM& list, size_t length, F&& f) {
  if (length > list.size()) length = list.size();
  if (length < 2) return false;
  for (size_t k = 0; k < length; ++k) {
    const int32_t a = list[k];
    const int32_t b = list[k + 1 < length ? k + 1 : 0];
    if (f(a, b)) return true;
  }
  return false;
}

// Edge walk of one body: the frame by its first run, every other polygon whole.
template <typename F>
bool ForEachEdgeOfBody(const AllSpolygon& model, size_t body, F&& f) {
  for (size_t p = 0; p < model[body].size(); ++p)
    if (ForEachEdgeOfList(model[body][p].Nodes, WalkLength(model, body, p), f)) return true;
  return false;
}

// Walk over all entries of every polygon of a body (the frame's whole doubled ring).
template <typename F>
bool ForEachEdgeOfBodyAllEntries(const AllSpolygon& model, size_t body, F&& f) {
  for (size_t p = 0; p < model[body].size(); ++p) {
    const arofintM& list = model[body][p].Nodes;
    if (ForEachEdgeOfList(list, list.size(), f)) return true;
  }
  return false;
}

// A polygon that the orientation test calls negative, or whose area is zero up to
// rounding (for instance three nodes on one line): the orientation test alone cannot
// tell the sign of an area that rounding decides.
inline bool WithoutPositiveArea(const arofintM& list, const Tnodes& nodes) {
  if (list.size() < 3 || IsNodePolygonNegative(list, nodes)) return true;
  long double twiceArea = 0.0L;
  double minX = 1e300, maxX = -1e300, minZ = 1e300, maxZ = -1e300;
  for (size_t k = 0; k < list.size(); ++k) {
    const complexM a = Pt(nodes, list[k]);
    const complexM b = Pt(nodes, list[(k + 1) % list.size()]);
    twiceArea += static_cast<long double>(a.x) * b.z - static_cast<long double>(b.x) * a.z;
    minX = std::min(minX, a.x);
    maxX = std::max(maxX, a.x);
    minZ = std::min(minZ, a.z);
    maxZ = std::max(maxZ, a.z);
  }
  const double extent = std::max(maxX - minX, maxZ - minZ);
  return !(twiceArea > 1e-9L * extent * extent);
}

// Recomputes Kind of every node of every polygon of the body.
void ReclassifyBody(int32_t body, const AllSpolygon& model, Tnodes& nodes);

// True when a point lies outside the model: above the ground (the frame's top run from
// its top-right corner, node 3, back to its top-left corner, node 0: the relief line with
// a relief, the top bound without), left or right of the frame, or below its bottom.
// A body above the ground would be computed with image terms in the air.
bool OutsideModel(const AllSpolygon& model, const Tnodes& nodes, const complexM& p);

// True when the interior of a polygon of the body overlaps the interior of another
// polygon of the model (the frame aside), its own body's polygons included, or reaches
// out of the frame (into the air over a dip of the relief, say). Edges that only meet at
// an end never cross, so a polygon can reach into a neighbour through a shared or
// coincident node, or along a shared edge, without any crossing; this test finds such
// overlaps while bodies that share nodes and edges side by side pass.
bool BodyOverlapsOrLeavesModel(int32_t body, const AllSpolygon& model, const Tnodes& nodes);

}  // namespace Polygons::internal
