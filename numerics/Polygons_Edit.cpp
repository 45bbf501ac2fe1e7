// Edit operations on whole polygons and bodies: drawing bodies and sub-polygons,
// dividing, deleting and uncoupling polygons, and the node and shape sets the editor
// needs to move and redraw them.
#include <algorithm>
#include <cmath>

#include "numerics/Polygons.h"
#include "numerics/Polygons_Internal.h"

using namespace Polygons::internal;

namespace Polygons {

namespace {

bool AnyOutsideModel(const arofcomplexM& points, size_t first, size_t last,
                     const AllSpolygon& model, const Tnodes& nodes) {
  for (size_t k = first; k < last && k < points.size(); ++k)
    if (OutsideModel(model, nodes, points[k])) return true;
  return false;
}

// Two edges of a closed outline that are not neighbours cross.
bool OutlineCrossesItself(const arofcomplexM& points) {
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;
      if (SegmentsCross(points[i], points[i + 1], points[j], points[(j + 1) % n])) return true;
    }
  return false;
}

void CopyDefaultProps(Polygon& polygon) { polygon.Props = DefaultProps; }

// The interiors of AB and CD cross: each strictly separates the ends of the other.
bool InteriorsCross(const complexM& A, const complexM& B, const complexM& C, const complexM& D) {
  auto side = [](const complexM& P, const complexM& U, const complexM& V) {
    const long double s = (static_cast<long double>(V.x) - U.x) * (P.z - U.z) -
                          (static_cast<long double>(V.z) - U.z) * (P.x - U.x);
    return s > 0 ? 1 : (s < 0 ? -1 : 0);
  };
  return side(C, A, B) * side(D, A, B) < 0 && side(A, C, D) * side(B, C, D) < 0;
}

bool ChordCutsOtherBodies(const complexM& A, const complexM& B, int32_t body,
                          const AllSpolygon& model, const Tnodes& nodes) {
  for (size_t b = 0; b < model.size(); ++b) {
    if (static_cast<int32_t>(b) == body) continue;
    if (ForEachEdgeOfBody(model, b, [&](int32_t c, int32_t d) {
          return InteriorsCross(A, B, Pt(nodes, c), Pt(nodes, d));
        }))
      return true;
  }
  return false;
}

}  // namespace

bool CheckNewPolygonPoint(const arofcomplexM& points, const AllSpolygon& model, const Tnodes& nodes,
                          bool closing) {
  if (points.empty()) return false;
  const size_t k = points.size() - 1;
  const complexM& newest = points[k];
  if (OutsideModel(model, nodes, newest)) return false;
  if (PointInOtherBodies(newest, -1, model, nodes)) return false;
  if (points.size() == 2 && SegmentCrossesOtherBodies(points[0], points[1], -1, nodes, model))
    return false;
  if (points.size() < 3) return true;
  if (SegmentCrossesOtherBodies(points[k - 1], newest, -1, nodes, model)) return false;
  if (SegmentCrossesDrawnOutline(newest, points)) return false;
  if (closing && SegmentCrossesOtherBodies(points[0], newest, -1, nodes, model)) return false;
  return true;
}

bool AddPolygon(const arofcomplexM& outline, AllSpolygon& model, Tnodes& nodes) {
  if (outline.size() < 3) return false;
  arofcomplexM points = outline;
  NormalizeOrientation(points);
  if (OutlineConflicts(points, model, nodes)) return false;
  // The closing edge is never checked against the drawing itself while drawing.
  if (OutlineCrossesItself(points)) return false;
  if (AnyOutsideModel(points, 0, points.size(), model, nodes)) return false;

  Polygon polygon;
  for (const complexM& p : points) {
    Tnode node;
    node.X = p.x;
    node.Depth = p.z;
    nodes.push_back(node);
    polygon.Nodes.push_back(static_cast<int32_t>(nodes.size()) - 1);
  }
  CopyDefaultProps(polygon);
  model.push_back(SPolygon{std::move(polygon)});
  // An outline drawn through a node of a body can wrap round it with no crossing and
  // no node strictly inside.
  if (BodyOverlapsOrLeavesModel(static_cast<int32_t>(model.size()) - 1, model, nodes)) {
    model.pop_back();
    nodes.resize(nodes.size() - points.size());
    return false;
  }
  return true;
}

bool InsertSubPolygon(int32_t startNode, int32_t endNode, int32_t body, const arofcomplexM& drawn,
                      AllSpolygon& model, Tnodes& nodes, bool direction) {
  if (!ValidBody(model, body) || !ValidNode(nodes, startNode) || !ValidNode(nodes, endNode) ||
      drawn.size() < 2)
    return false;
  arofcomplexM points = drawn;
  int32_t s = startNode, e = endNode;
  if (IsNegative(points)) {
    std::reverse(points.begin(), points.end());
    std::swap(s, e);
  }
  if (direction) {
    std::reverse(points.begin(), points.end());
    std::swap(s, e);
  }
  if (AnyOutsideModel(points, 1, points.size() - 1, model, nodes)) return false;

  // Walk along the body's outline from s to e, turning as sharply as possible.
  const size_t b = static_cast<size_t>(body);
  auto kindOf = [&](int32_t n) {
    return ValidNode(nodes, n) ? nodes[static_cast<size_t>(n)].Kind : KindInternal;
  };
  size_t entries = 0;
  for (const Polygon& polygon : model[b]) entries += polygon.Nodes.size();
  int32_t current = s;
  complexM reference = points[1];
  arofintM visited, path;
  bool reached = false;
  for (size_t step = 0; step <= entries; ++step) {
    int32_t winner = -1;
    double best = 0.0;
    int32_t candidates = 0;
    const complexM here = Pt(nodes, current);
    for (size_t p = 0; p < model[b].size(); ++p) {
      const arofintM& list = model[b][p].Nodes;
      const size_t length = std::min(WalkLength(model, b, p), list.size());
      for (size_t k = 0; k < length; ++k) {
        if (list[k] != current) continue;
        const int32_t c = list[k + 1 < length ? k + 1 : 0];
        if (std::find(visited.begin(), visited.end(), c) != visited.end()) continue;
        if (kindOf(c) >= KindInternal) continue;
        ++candidates;
        const complexM cp = Pt(nodes, c);
        const double angle = AngleBetween(complexM{cp.x - here.x, cp.z - here.z},
                                          complexM{reference.x - here.x, reference.z - here.z});
        if (winner < 0 || angle < best) {
          winner = c;
          best = angle;
        }
      }
    }
    if (winner < 0) return false;  // the outline ends here: nothing was changed
    if (candidates >= 2) visited.push_back(winner);
    reference = here;
    current = winner;
    if (current == e) {
      reached = true;
      break;
    }
    path.push_back(current);
  }
  if (!reached) return false;  // the walk never reached the end node: nothing was changed

  Polygon polygon;
  polygon.Nodes.push_back(s);
  for (size_t k = 1; k + 1 < points.size(); ++k) {
    Tnode node;
    node.X = points[k].x;
    node.Depth = points[k].z;
    nodes.push_back(node);
    polygon.Nodes.push_back(static_cast<int32_t>(nodes.size()) - 1);
  }
  polygon.Nodes.push_back(e);
  polygon.Nodes.insert(polygon.Nodes.end(), path.rbegin(), path.rend());
  // A walk that runs through a node twice (round a small polygon hanging on the outline)
  // would close a pinched polygon.
  arofintM sorted = polygon.Nodes;
  std::sort(sorted.begin(), sorted.end());
  const bool pinched = std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
  const bool flat = WithoutPositiveArea(polygon.Nodes, nodes);
  model[b].push_back(std::move(polygon));
  if (pinched || flat) return false;
  for (size_t other = 0; other < model.size(); ++other)
    if (BodiesContainEachOther(body, static_cast<int32_t>(other), model, nodes)) return false;
  // A drawn outline that starts or ends on a node lying on top of another body's node
  // can close round that body without crossing any of its edges.
  if (BodyOverlapsOrLeavesModel(body, model, nodes)) return false;
  CopyDefaultProps(model[b].back());
  ReclassifyBody(body, model, nodes);
  return true;
}

bool AddSubPolygon(int32_t startNode, int32_t endNode, int32_t body, const arofcomplexM& points,
                   AllSpolygon& model, Tnodes& nodes, bool direction, double bottom, double top,
                   double right, double left) {
  if (!InsertSubPolygon(startNode, endNode, body, points, model, nodes, direction)) return false;
  // Border codes belong to the nodes of body 0 only.
  if (body == 0) {
    for (int32_t n : model[0].back().Nodes)
      nodes[static_cast<size_t>(n)].Border =
          BorderCodeOf(n, model, nodes, bottom, top, right, left);
  }
  return true;
}

bool DividePolygon(int32_t nodeA, int32_t nodeB, int32_t body, int32_t& shapeId, Tnodes& nodes,
                   AllSpolygon& model) {
  if (!ValidBody(model, body) || nodeA == nodeB) return false;
  SPolygon& polys = model[static_cast<size_t>(body)];
  auto isEnd = [&](int32_t n) { return n == nodeA || n == nodeB; };
  int32_t found = -1;
  for (size_t p = 0; p < polys.size() && found < 0; ++p)
    if (std::count_if(polys[p].Nodes.begin(), polys[p].Nodes.end(), isEnd) == 2)
      found = static_cast<int32_t>(p);
  if (found < 0) return false;
  const Polygon& p = polys[static_cast<size_t>(found)];
  shapeId = p.Props[PropShapeId].AsInt();

  const arofintM& list = p.Nodes;
  const size_t n = list.size();
  for (size_t k = 0; k < n; ++k) {
    const int32_t a = list[k], b = list[(k + 1) % n];
    if ((a == nodeA && b == nodeB) || (a == nodeB && b == nodeA)) return false;
  }
  if (NodeSegmentCrossesPolygon(nodeA, nodeB, body, nodes, model, found)) return false;
  // Another body reaching into the polygon must not be cut by the chord either; a body
  // that only touches the chord's end (the frame under a layer) does not count.
  if (ChordCutsOtherBodies(Pt(nodes, nodeA), Pt(nodes, nodeB), body, model, nodes)) return false;
  const complexM A = Pt(nodes, nodeA), B = Pt(nodes, nodeB);
  if (!PointInNodePolygon(complexM{(A.x + B.x) * 0.5, (A.z + B.z) * 0.5}, list, nodes))
    return false;

  const size_t first = static_cast<size_t>(std::find_if(list.begin(), list.end(), isEnd) -
                                           list.begin());
  size_t second = (first + 1) % n;
  while (!isEnd(list[second])) second = (second + 1) % n;
  Polygon half1, half2;
  for (size_t k = first;; k = (k + 1) % n) {
    half1.Nodes.push_back(list[k]);
    if (k == second) break;
  }
  for (size_t k = second;; k = (k + 1) % n) {
    half2.Nodes.push_back(list[k]);
    if (k == first) break;
  }
  // A chord along the polygon's own edges would leave a half without area.
  if (WithoutPositiveArea(half1.Nodes, nodes) || WithoutPositiveArea(half2.Nodes, nodes))
    return false;
  for (Polygon* half : {&half1, &half2}) {
    half->Props = p.Props;
    half->Props[PropShapeId] = int32_t{-1};
  }
  polys.push_back(std::move(half1));
  polys.push_back(std::move(half2));
  polys.erase(polys.begin() + found);
  // A chord that passes through a node of its own polygon can leave it there and give
  // two halves that overlap each other.
  if (BodyOverlapsOrLeavesModel(body, model, nodes)) return false;
  ReclassifyBody(body, model, nodes);
  return true;
}

bool DeleteSubPolygon(int32_t polygon, int32_t body, AllSpolygon& model, Tnodes& nodes) {
  // The frame is never deleted.
  if (!ValidPolygon(model, body, polygon) || (body == 0 && polygon == 0)) return false;
  const size_t b = static_cast<size_t>(body);
  arofintM own = model[b][static_cast<size_t>(polygon)].Nodes;
  std::sort(own.begin(), own.end());
  own.erase(std::unique(own.begin(), own.end()), own.end());
  arofintM onlyHere;
  for (int32_t n : own) {
    int32_t users = 0;
    for (size_t p = 0; p < model[b].size(); ++p) {
      const arofintM& list = model[b][p].Nodes;
      const size_t length = std::min(WalkLength(model, b, p), list.size());
      if (std::find(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(length), n) !=
          list.begin() + static_cast<std::ptrdiff_t>(length))
        ++users;
    }
    if (users == 1) onlyHere.push_back(n);
  }
  model[b].erase(model[b].begin() + polygon);
  for (auto it = onlyHere.rbegin(); it != onlyHere.rend(); ++it)
    RemoveNodeFromTable(*it, model, nodes);
  model.erase(std::remove_if(model.begin(), model.end(),
                             [](const SPolygon& polys) { return polys.empty(); }),
              model.end());
  SplitDisconnectedBody(body, model, nodes);
  TidyFrame(model, nodes);
  return true;
}

int32_t DuplicateSharedNode(int32_t node, int32_t polygon, int32_t body, Tnodes& nodes,
                            AllSpolygon& model) {
  if (!ValidPolygon(model, body, polygon) || !ValidNode(nodes, node)) return node;
  if (nodes[static_cast<size_t>(node)].Kind == KindOutline) return node;
  const size_t b = static_cast<size_t>(body);
  arofintM& list = model[b][static_cast<size_t>(polygon)].Nodes;
  const auto last = std::find(list.rbegin(), list.rend(), node);
  if (last == list.rend()) return node;
  bool sharedElsewhere = false;
  for (size_t p = 0; p < model[b].size() && !sharedElsewhere; ++p) {
    if (static_cast<int32_t>(p) == polygon) continue;
    const arofintM& other = model[b][p].Nodes;
    const size_t length = std::min(WalkLength(model, b, p), other.size());
    sharedElsewhere = std::find(other.begin(), other.begin() + static_cast<std::ptrdiff_t>(length),
                                node) != other.begin() + static_cast<std::ptrdiff_t>(length);
  }
  if (!sharedElsewhere) return node;
  nodes.push_back(CopyNodeFields(nodes[static_cast<size_t>(node)]));
  const int32_t added = static_cast<int32_t>(nodes.size()) - 1;
  *last = added;
  return added;
}

bool UncoupleSubPolygon(int32_t polygon, int32_t body, AllSpolygon& model, Tnodes& nodes) {
  if (!ValidPolygon(model, body, polygon) || (body == 0 && polygon == 0)) return false;
  const size_t count = model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes.size();
  for (size_t k = 0; k < count; ++k) {
    const int32_t node = model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes[k];
    DuplicateSharedNode(node, polygon, body, nodes, model);
  }
  SplitDisconnectedBody(body, model, nodes);
  TidyFrame(model, nodes);
  return true;
}

namespace {

void CollectNodes(const arofintM& source, bool filter, arofintM& list, bool& whole,
                  const Tnodes& nodes) {
  for (int32_t n : source) {
    if (!ValidNode(nodes, n)) continue;
    const Tnode& node = nodes[static_cast<size_t>(n)];
    const bool pinned = node.Fixed != 0 || node.Border != BorderNone;
    if (pinned) whole = false;
    if (filter && pinned) continue;
    if (std::find(list.begin(), list.end(), n) == list.end()) list.push_back(n);
  }
}

}  // namespace

void BodyNodes(bool filter, int32_t body, const AllSpolygon& model, arofintM& list, bool& whole,
               const Tnodes& nodes) {
  list.clear();
  whole = true;
  if (!ValidBody(model, body)) return;
  for (const Polygon& polygon : model[static_cast<size_t>(body)])
    CollectNodes(polygon.Nodes, filter, list, whole, nodes);
}

void SubPolygonNodes(bool filter, int32_t body, int32_t polygon, arofintM& list, bool& whole,
                     const Tnodes& nodes, const AllSpolygon& model) {
  list.clear();
  whole = true;
  if (!ValidPolygon(model, body, polygon)) return;
  CollectNodes(model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes, filter, list,
               whole, nodes);
}

void ShapesUsingNodes(const arofintM& list, int32_t body, const AllSpolygon& model,
                      arofintM& shapeIds, arofintM& bodies, arofintM& polygons,
                      const Tnodes& /*nodes*/) {
  shapeIds.clear();
  bodies.clear();
  polygons.clear();
  if (!ValidBody(model, body)) return;
  const SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    const bool uses = std::any_of(polys[p].Nodes.begin(), polys[p].Nodes.end(), [&](int32_t n) {
      return std::find(list.begin(), list.end(), n) != list.end();
    });
    if (!uses) continue;
    const int32_t id = polys[p].Props[PropShapeId].AsInt();
    if (std::find(shapeIds.begin(), shapeIds.end(), id) != shapeIds.end()) continue;
    shapeIds.push_back(id);
    bodies.push_back(body);
    polygons.push_back(static_cast<int32_t>(p));
  }
}

void BodyShapes(int32_t body, const AllSpolygon& model, arofintM& shapeIds, arofintM& polygons,
                arofintM& bodies) {
  shapeIds.clear();
  polygons.clear();
  bodies.clear();
  if (!ValidBody(model, body)) return;
  const SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    shapeIds.push_back(polys[p].Props[PropShapeId].AsInt());
    polygons.push_back(static_cast<int32_t>(p));
    bodies.push_back(body);
  }
}

void SubPolygonShape(int32_t body, int32_t polygon, const AllSpolygon& model, arofintM& shapeIds,
                     arofintM& polygons, arofintM& bodies) {
  shapeIds.clear();
  polygons.clear();
  bodies.clear();
  if (!ValidPolygon(model, body, polygon)) return;
  shapeIds.push_back(
      model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Props[PropShapeId].AsInt());
  polygons.push_back(polygon);
  bodies.push_back(body);
}

}  // namespace Polygons
