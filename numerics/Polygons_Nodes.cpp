// Edit operations on single nodes: inserting, deleting, constraining and checking a
// move, coupling, splitting a shared node and tidying the frame.
#include <algorithm>
#include <cmath>

#include "numerics/Polygons.h"
#include "numerics/Polygons_Internal.h"

using namespace Polygons::internal;

namespace Polygons {

namespace {

bool BodyUsesNode(const SPolygon& body, int32_t node) {
  for (const Polygon& polygon : body)
    if (std::find(polygon.Nodes.begin(), polygon.Nodes.end(), node) != polygon.Nodes.end())
      return true;
  return false;
}

// A polygon of the body other than the frame that has fewer than three entries, holds
// a node twice (pinched into two loops) or has no area or the wrong orientation.
bool HasDegeneratePolygon(const AllSpolygon& model, size_t body, const Tnodes& nodes) {
  for (size_t p = 0; p < model[body].size(); ++p) {
    if (body == 0 && p == 0) continue;
    arofintM list = model[body][p].Nodes;
    if (WithoutPositiveArea(list, nodes)) return true;
    std::sort(list.begin(), list.end());
    if (std::adjacent_find(list.begin(), list.end()) != list.end()) return true;
  }
  return false;
}

// Inside the polygon and off its outline: a node lying on an edge (a touching body)
// does not count.
bool StrictlyInside(const complexM& p, const arofintM& list, const Tnodes& nodes) {
  if (!PointInNodePolygon(p, list, nodes)) return false;
  double extent = 0.0;
  for (size_t k = 0; k < list.size(); ++k) {
    const complexM a = Pt(nodes, list[k]);
    const complexM b = Pt(nodes, list[(k + 1) % list.size()]);
    extent = std::max({extent, std::fabs(a.x - b.x), std::fabs(a.z - b.z)});
  }
  for (size_t k = 0; k < list.size(); ++k)
    if (PointSegmentDistance(p, Pt(nodes, list[k]), Pt(nodes, list[(k + 1) % list.size()]), 1, 1) <=
        1e-9 * extent)
      return false;
  return true;
}

}  // namespace

bool BodyOfNode(int32_t node, int32_t& body, const AllSpolygon& model) {
  for (size_t b = 0; b < model.size(); ++b)
    if (BodyUsesNode(model[b], node)) {
      body = static_cast<int32_t>(b);
      return true;
    }
  body = -1;
  return false;
}

bool InsertNodeOnEdge(int32_t nodeA, int32_t nodeB, int32_t body, const complexM& P,
                      AllSpolygon& model, Tnodes& nodes, double xScale, double depthScale) {
  if (!ValidBody(model, body) || !ValidNode(nodes, nodeA) || !ValidNode(nodes, nodeB))
    return false;
  const complexM A = Pt(nodes, nodeA), B = Pt(nodes, nodeB);
  if (PointDistance(P, A) < 1e-4 || PointDistance(P, B) < 1e-4) return false;
  complexM snapped = P;
  SnapToEdge(snapped, A, B, xScale, depthScale);
  if (OutsideModel(model, nodes, snapped)) return false;

  Tnode node;
  node.X = snapped.x;
  node.Depth = snapped.z;
  nodes.push_back(node);
  const int32_t added = static_cast<int32_t>(nodes.size()) - 1;

  SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    arofintM& list = polys[p].Nodes;
    const size_t length = std::min(WalkLength(model, static_cast<size_t>(body), p), list.size());
    for (size_t k = 0; length >= 2 && k < length; ++k) {
      const int32_t a = list[k];
      const int32_t b = list[k + 1 < length ? k + 1 : 0];
      if ((a == nodeA && b == nodeB) || (a == nodeB && b == nodeA)) {
        list.insert(list.begin() + static_cast<std::ptrdiff_t>(k) + 1, added);
        break;
      }
    }
  }
  ReclassifyBody(body, model, nodes);
  return true;
}

void RemoveNodeFromTable(int32_t node, AllSpolygon& model, Tnodes& nodes) {
  if (!ValidNode(nodes, node)) return;
  nodes.erase(nodes.begin() + node);
  for (SPolygon& body : model)
    for (Polygon& polygon : body)
      for (int32_t& k : polygon.Nodes)
        if (k > node) --k;
}

bool DeleteNode(int32_t node, int32_t body, AllSpolygon& model, Tnodes& nodes) {
  // A node the body does not use may belong to another body: deleting it from the
  // table would corrupt that body.
  if (!ValidBody(model, body) || !ValidNode(nodes, node) ||
      !BodyUsesNode(model[static_cast<size_t>(body)], node))
    return false;
  // The corners and relief nodes of the frame's last rebuild stay: they cannot be moved
  // either, and the refit to new bounds relies on them.
  if (body == 0 && !model[0].empty()) {
    const arofintM& frame = model[0][0].Nodes;
    const size_t r = static_cast<size_t>(FrameFirstRunLength(model));
    if (std::find(frame.begin() + static_cast<std::ptrdiff_t>(std::min(r, frame.size())),
                  frame.end(), node) != frame.end())
      return false;
  }
  const int32_t kind = nodes[static_cast<size_t>(node)].Kind;
  SPolygon& polys = model[static_cast<size_t>(body)];
  for (bool removed = true; removed;) {
    removed = false;
    for (Polygon& polygon : polys) {
      const auto it = std::find(polygon.Nodes.begin(), polygon.Nodes.end(), node);
      if (it == polygon.Nodes.end()) continue;
      polygon.Nodes.erase(it);
      if (polygon.Nodes.size() < 3) return false;
      removed = true;
      break;
    }
  }
  RemoveNodeFromTable(node, model, nodes);

  const size_t b = static_cast<size_t>(body);
  if (kind == KindInternal) {
    if (ForEachEdgeOfBodyAllEntries(model, b, [&](int32_t p, int32_t q) {
          return NodeSegmentCrossesBody(p, q, body, nodes, model);
        }))
      return false;
  } else {
    if (ForEachEdgeOfBodyAllEntries(model, b, [&](int32_t p, int32_t q) {
          const complexM A = Pt(nodes, p), B = Pt(nodes, q);
          return SegmentCrossesOtherBodies(A, B, body, nodes, model) ||
                 SegmentCrossesBody(A, B, body, nodes, model);
        }))
      return false;
    for (size_t other = 0; other < model.size(); ++other)
      if (BodiesContainEachOther(body, static_cast<int32_t>(other), model, nodes)) return false;
  }
  // Removing a vertex can collapse a polygon to no area, which the orientation test
  // reports as negative: such a body is as invalid as one a move turned inside out.
  for (size_t p = 0; p < model[b].size(); ++p)
    if (!(b == 0 && p == 0) && WithoutPositiveArea(model[b][p].Nodes, nodes)) return false;
  // The new edge may run from node to node straight over a neighbour that only touches
  // its ends (a polygon on uncoupled copies of the nodes), which no crossing reports.
  if (BodyOverlapsOrLeavesModel(body, model, nodes)) return false;
  SplitDisconnectedBody(body, model, nodes);
  return true;
}

bool ConstrainNodeMove(int32_t node, const arofcomplexM& relief, bool reliefOn, const Tnodes& nodes,
                       const AllSpolygon& model, double& depth, double& x, double bottom, double top,
                       double right, double left) {
  if (!ValidNode(nodes, node) || model.empty() || model[0].empty()) return false;
  const arofintM& frame = model[0][0].Nodes;
  if (frame.empty()) return false;
  size_t r = 0;
  for (size_t k = 1; k < frame.size(); ++k)
    if (frame[k] == frame[0]) r = k;
  int32_t M = frame[0];
  for (size_t k = r; k < frame.size(); ++k) M = std::max(M, frame[k]);
  if (node <= M) return false;

  x = std::max(std::min(x, right), left);
  depth = std::min(depth, bottom);
  // The surface at x: the relief line, or the top bound without a relief. No node may
  // rise above it.
  auto ground = [&](double at) {
    return reliefOn ? Supermath2d::InterpolateComplex(relief, at) : top;
  };
  bool slides = true;
  switch (nodes[static_cast<size_t>(node)].Border) {
    case BorderLeft: x = left; break;
    case BorderBottom: depth = bottom; break;
    case BorderRight: x = right; break;
    case BorderSurface: depth = ground(x); break;
    default: slides = false; break;
  }
  depth = std::min(std::max(depth, ground(x)), std::max(bottom, ground(x)));
  return slides;
}

bool CheckMovedNodes(const arofintM& moved, int32_t body, const AllSpolygon& model,
                     const Tnodes& nodes, int32_t mode) {
  if (!ValidBody(model, body)) return false;
  const size_t b = static_cast<size_t>(body);
  for (size_t p = 0; p < model[b].size(); ++p) {
    if (b == 0 && p == 0) continue;
    if (WithoutPositiveArea(model[b][p].Nodes, nodes)) return false;
  }
  // A moved node may not leave the model, and in particular not rise above the ground.
  for (int32_t n : moved)
    if (ValidNode(nodes, n) && OutsideModel(model, nodes, Pt(nodes, n))) return false;
  // Nor may a polygon fold over another one. Edges that meet at a shared node, or start
  // where another polygon's edges start (after a split), never count as crossing, so a
  // moved node could land inside a polygon it does not belong to, or a polygon using
  // it could swallow another polygon's node, without any crossing.
  auto isMoved = [&](int32_t n) { return std::find(moved.begin(), moved.end(), n) != moved.end(); };
  for (size_t ob = 0; ob < model.size(); ++ob)
    for (size_t op = 0; op < model[ob].size(); ++op) {
      if (ob == 0 && op == 0) continue;
      const arofintM& list = model[ob][op].Nodes;
      const bool usesMoved = std::any_of(list.begin(), list.end(), isMoved);
      for (int32_t n = 0; n < static_cast<int32_t>(nodes.size()); ++n) {
        if (!usesMoved && !isMoved(n)) continue;
        if (std::find(list.begin(), list.end(), n) != list.end()) continue;
        if (StrictlyInside(Pt(nodes, n), list, nodes)) return false;
      }
    }

  auto kindOf = [&](int32_t n) {
    return ValidNode(nodes, n) ? nodes[static_cast<size_t>(n)].Kind : KindInternal;
  };
  if (mode == 0 || mode == 1) {
    if (ForEachEdgeOfBodyAllEntries(model, b, [&](int32_t p, int32_t q) {
          if (mode == 1 && (kindOf(p) > KindJunction || kindOf(q) > KindJunction)) return false;
          if (!isMoved(p) && !isMoved(q)) return false;
          if (mode == 0 && NodeSegmentCrossesBody(p, q, body, nodes, model)) return true;
          return SegmentCrossesOtherBodies(Pt(nodes, p), Pt(nodes, q), body, nodes, model);
        }))
      return false;
  }
  for (size_t other = 0; other < model.size(); ++other)
    if (BodiesContainEachOther(body, static_cast<int32_t>(other), model, nodes)) return false;
  // A moved edge that starts on a node it shares with a neighbour, or on a node lying
  // on top of one, can swing into that neighbour without crossing any edge.
  if (BodyOverlapsOrLeavesModel(body, model, nodes)) return false;
  return true;
}

bool ReplaceNodeInBody(int32_t nodeA, int32_t nodeB, int32_t bodyA, int32_t bodyB,
                       AllSpolygon& model, Tnodes& nodes) {
  if (nodeA == nodeB) return false;
  if (!ValidBody(model, bodyA) || !ValidBody(model, bodyB) || !ValidNode(nodes, nodeA) ||
      !ValidNode(nodes, nodeB))
    return false;
  int32_t merged = bodyB;
  if (bodyA != bodyB) {
    // Coupling through an internal node would leave the two nodes on top of each other
    // uncoupled: refuse rather than report success.
    if (nodes[static_cast<size_t>(nodeA)].Kind >= KindInternal ||
        nodes[static_cast<size_t>(nodeB)].Kind >= KindInternal)
      return false;
    for (Polygon& polygon : model[static_cast<size_t>(bodyA)])
      std::replace(polygon.Nodes.begin(), polygon.Nodes.end(), nodeA, nodeB);
    RemoveNodeFromTable(nodeA, model, nodes);
    int32_t from = bodyA, into = bodyB;
    if (from == 0) std::swap(from, into);
    for (const Polygon& polygon : model[static_cast<size_t>(from)])
      model[static_cast<size_t>(into)].push_back(CopyPolygon(polygon));
    model.erase(model.begin() + from);
    merged = into > from ? into - 1 : into;
  } else {
    SPolygon& polys = model[static_cast<size_t>(bodyA)];
    for (bool again = true; again;) {
      again = false;
      for (Polygon& polygon : polys) {
        arofintM& list = polygon.Nodes;
        for (size_t k = 0; k < list.size(); ++k) {
          if (list[k] != nodeA) continue;
          const int32_t before = list[k == 0 ? list.size() - 1 : k - 1];
          const int32_t after = list[k + 1 == list.size() ? 0 : k + 1];
          if (before == nodeB || after == nodeB) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
            again = true;
            break;
          }
          list[k] = nodeB;
        }
        if (again) break;
      }
    }
    RemoveNodeFromTable(nodeA, model, nodes);
    // Coupling the ends of an edge of a triangle leaves a polygon of two nodes; coupling
    // two nodes of one polygon that are not neighbours pinches it.
    if (HasDegeneratePolygon(model, static_cast<size_t>(bodyA), nodes)) return false;
  }
  ReclassifyBody(merged, model, nodes);
  return true;
}

void TidyFrame(AllSpolygon& model, Tnodes& nodes) {
  for (bool deleted = true; deleted;) {
    deleted = false;
    if (model.empty() || model[0].empty()) return;
    const arofintM& frame = model[0][0].Nodes;
    const size_t r = static_cast<size_t>(FrameFirstRunLength(model));
    for (size_t i = 0; i < r; ++i) {
      const int32_t node = frame[i];
      if (std::find(frame.begin() + static_cast<std::ptrdiff_t>(r), frame.end(), node) !=
          frame.end())
        continue;
      bool used = false;
      for (size_t p = 1; p < model[0].size() && !used; ++p)
        used = std::find(model[0][p].Nodes.begin(), model[0][p].Nodes.end(), node) !=
               model[0][p].Nodes.end();
      if (used) continue;
      DeleteNode(node, 0, model, nodes);
      // A deletion that refuses after removing the node leaves the kinds behind.
      ReclassifyBody(0, model, nodes);
      deleted = true;
      break;
    }
  }
}

bool SplitSharedNode(int32_t node, int32_t body, AllSpolygon& model, Tnodes& nodes) {
  if (!ValidBody(model, body) || !ValidNode(nodes, node)) return false;
  if (nodes[static_cast<size_t>(node)].Kind == KindOutline) return false;
  bool first = true;
  SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    const size_t length = std::min(WalkLength(model, static_cast<size_t>(body), p),
                                   polys[p].Nodes.size());
    for (size_t k = 0; k < length; ++k) {
      if (polys[p].Nodes[k] != node) continue;
      if (first) {
        first = false;
        continue;
      }
      const Tnode& source = nodes[static_cast<size_t>(node)];
      Tnode copy;
      copy.X = source.X;
      copy.Depth = source.Depth;
      copy.Fixed = source.Fixed;
      copy.Kind = source.Kind;
      nodes.push_back(copy);
      polys[p].Nodes[k] = static_cast<int32_t>(nodes.size()) - 1;
    }
  }
  SplitDisconnectedBody(body, model, nodes);
  TidyFrame(model, nodes);
  return true;
}

}  // namespace Polygons
