// The polygon model: property values, deep copies, border bookkeeping, node kinds,
// splitting of disconnected bodies, and the start model, refit and relief routines.
#include "numerics/Polygons.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cmath>

#include "numerics/Polygons_Internal.h"

using namespace Polygons::internal;

// ---------------------------------------------------------------------------------
// Property values

namespace {

bool ReadNumberText(const std::string& text, double& value) {
  std::string t = text;
  const size_t comma = t.find(',');
  if (comma != std::string::npos) t[comma] = '.';
  return Supermath2d::detail::ReadDecimal(t, value);
}

int32_t ClampToInt(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r <= -2147483648.0) return INT32_MIN;
  if (r >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(r);
}

}  // namespace

int32_t PropValue::AsInt() const {
  switch (GetType()) {
    case Type::Int: return std::get<int32_t>(v_);
    case Type::Real: return ClampToInt(std::get<double>(v_));
    case Type::Text: {
      double v = 0.0;
      return ReadNumberText(std::get<std::string>(v_), v) ? ClampToInt(v) : 0;
    }
    case Type::Empty: break;
  }
  return 0;
}

double PropValue::AsDouble() const {
  switch (GetType()) {
    case Type::Int: return std::get<int32_t>(v_);
    case Type::Real: return std::get<double>(v_);
    case Type::Text: {
      double v = 0.0;
      return ReadNumberText(std::get<std::string>(v_), v) ? v : 0.0;
    }
    case Type::Empty: break;
  }
  return 0.0;
}

std::string PropValue::AsString() const {
  switch (GetType()) {
    case Type::Int: return std::to_string(std::get<int32_t>(v_));
    case Type::Real: {
      const double v = std::get<double>(v_);
      if (std::isfinite(v) && v == std::nearbyint(v) && std::fabs(v) < 1e15)
        return std::to_string(static_cast<int64_t>(v));
      std::array<char, 64> buf{};
      const auto [ptr, ec] =
          std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general, 15);
      return ec == std::errc() ? std::string(buf.data(), ptr) : std::string();
    }
    case Type::Text: return std::get<std::string>(v_);
    case Type::Empty: break;
  }
  return std::string();
}

namespace Polygons {

PolygonProps DefaultProps;

void ResetDefaultProps() {
  PolygonProps& p = DefaultProps;
  p[PropShapeId] = int32_t{-1};
  p[PropBrush] = "536870912#1";                     // default colour, clear style
  p[PropPen] = "8421504&0&0&1&0&4&1";               // grey, round ends, solid, copy, width 1
  p[PropGradient] = "50$0$0$65535$16711680$0$255$0";  // red-yellow-blue, invisible
  p[PropColor] = int32_t{12632256};
  p[5] = "*";
  p[6] = "*";
  p[PropUserText] = " ";
  p[PropLabelMode] = int32_t{0};
  p[9] = "*";
  p[PropResistivity] = 10.0;
  p[PropPolarizability] = 0.0;
  p[PropDensity] = 0.0;
  p[PropSusceptibility] = 0.0;
  for (int i = 14; i < PolygonPropCount; ++i) p[static_cast<size_t>(i)] = "*";
}

namespace {
// The built-in defaults are in place before any caller runs.
const bool g_defaultsReady = (ResetDefaultProps(), true);
}  // namespace

// ---------------------------------------------------------------------------------
// Copies

Tnode CopyNodeFields(const Tnode& source) {
  Tnode n;
  n.X = source.X;
  n.Depth = source.Depth;
  n.Fixed = source.Fixed;
  n.Kind = source.Kind;
  n.Border = source.Border;
  return n;
}

Tnodes CopyNodes(const Tnodes& nodes) {
  Tnodes copy;
  copy.reserve(nodes.size());
  for (const Tnode& n : nodes) copy.push_back(CopyNodeFields(n));
  return copy;
}

Polygon CopyPolygon(const Polygon& polygon) { return polygon; }

SPolygon CopySPolygon(const SPolygon& body) { return body; }

AllSpolygon CopyAllSpolygon(const AllSpolygon& model) { return model; }

// ---------------------------------------------------------------------------------
// Bounds and border codes

void InteriorExtent(const Tnodes& nodes, double& minX, double& maxX, double& maxDepth) {
  minX = 1e30;
  maxX = -1e30;
  maxDepth = -1e30;
  for (const Tnode& n : nodes) {
    if (n.Border != BorderNone) continue;
    minX = std::min(minX, n.X);
    maxX = std::max(maxX, n.X);
    maxDepth = std::max(maxDepth, n.Depth);
  }
}

void MoveBorderNodes(Tnodes& nodes, double bottom, double /*top*/, double right, double left) {
  for (Tnode& n : nodes) {
    switch (n.Border) {
      case BorderLeft: n.X = left; break;
      case BorderBottomLeft:
        n.X = left;
        n.Depth = bottom;
        break;
      case BorderBottom: n.Depth = bottom; break;
      case BorderBottomRight:
        n.Depth = bottom;
        n.X = right;
        break;
      case BorderRight: n.X = right; break;
      default: break;
    }
  }
}

int32_t BorderCodeOf(int32_t node, const AllSpolygon& model, const Tnodes& nodes, double bottom,
                     double /*top*/, double right, double left) {
  if (!ValidNode(nodes, node)) return BorderNone;
  constexpr double tol = 1e-5;
  const complexM p = Pt(nodes, node);
  const double dl = std::fabs(p.x - left);
  const double dr = std::fabs(p.x - right);
  const double db = std::fabs(p.z - bottom);
  if (dl < tol && db < tol) return BorderBottomLeft;
  if (dl < tol && db > tol) return BorderLeft;
  if (dr < tol && db < tol) return BorderBottomRight;
  if (dr < tol && db > tol) return BorderRight;
  if (dl > tol && dr > tol && db < tol) return BorderBottom;
  if (!model.empty() && !model[0].empty()) {
    for (int32_t f : model[0][0].Nodes) {
      if (!ValidNode(nodes, f)) continue;
      if (PointDistance(p, Pt(nodes, f)) < tol) return BorderSurface;
    }
  }
  return BorderNone;
}

int32_t FrameFirstRunLength(const AllSpolygon& model) {
  if (model.empty() || model[0].empty()) return 0;
  const arofintM& frame = model[0][0].Nodes;
  if (frame.empty()) return 0;
  for (size_t k = 1; k < frame.size(); ++k)
    if (frame[k] == frame[0]) return static_cast<int32_t>(k);
  return static_cast<int32_t>(frame.size());
}

// ---------------------------------------------------------------------------------
// Node kinds and connected bodies

int32_t NodeKind(int32_t node, int32_t body, const AllSpolygon& model, const Tnodes& /*nodes*/) {
  if (!ValidBody(model, body)) return KindInternal;
  struct Edge {
    int32_t a, b;
    bool shared;
  };
  std::vector<Edge> edges;
  ForEachEdgeOfBody(model, static_cast<size_t>(body), [&](int32_t a, int32_t b) {
    if (a != node && b != node) return false;
    for (Edge& e : edges) {
      if ((e.a == a && e.b == b) || (e.a == b && e.b == a)) {
        e.shared = true;
        return false;
      }
    }
    edges.push_back({a, b, false});
    return false;
  });
  if (std::all_of(edges.begin(), edges.end(), [](const Edge& e) { return e.shared; }))
    return KindInternal;
  int32_t occurrences = 0;
  const SPolygon& polys = model[static_cast<size_t>(body)];
  for (size_t p = 0; p < polys.size(); ++p) {
    const size_t length = std::min(WalkLength(model, static_cast<size_t>(body), p),
                                   polys[p].Nodes.size());
    occurrences += static_cast<int32_t>(
        std::count(polys[p].Nodes.begin(), polys[p].Nodes.begin() + static_cast<std::ptrdiff_t>(length),
                   node));
  }
  return occurrences > 1 ? KindJunction : KindOutline;
}

bool PolygonsShareNode(int32_t a, int32_t b, int32_t body, const AllSpolygon& model) {
  if (a == b) return true;
  if (!ValidPolygon(model, body, a) || !ValidPolygon(model, body, b)) return false;
  const arofintM& la = model[static_cast<size_t>(body)][static_cast<size_t>(a)].Nodes;
  const arofintM& lb = model[static_cast<size_t>(body)][static_cast<size_t>(b)].Nodes;
  for (int32_t n : la)
    if (std::find(lb.begin(), lb.end(), n) != lb.end()) return true;
  return false;
}

namespace internal {

void ReclassifyBody(int32_t body, const AllSpolygon& model, Tnodes& nodes) {
  if (!ValidBody(model, body)) return;
  for (const Polygon& polygon : model[static_cast<size_t>(body)])
    for (int32_t n : polygon.Nodes)
      if (ValidNode(nodes, n)) nodes[static_cast<size_t>(n)].Kind = NodeKind(n, body, model, nodes);
}

bool OutsideModel(const AllSpolygon& model, const Tnodes& nodes, const complexM& p) {
  if (model.empty() || model[0].empty() || model[0][0].Nodes.empty()) return false;
  constexpr double tol = 1e-5;
  const arofintM& frame = model[0][0].Nodes;
  double left = 1e300, right = -1e300, bottom = -1e300, top = 1e300;
  for (int32_t n : frame) {
    const complexM q = Pt(nodes, n);
    if (std::isnan(q.x)) continue;
    left = std::min(left, q.x);
    right = std::max(right, q.x);
    bottom = std::max(bottom, q.z);
    top = std::min(top, q.z);
  }
  if (!(p.x >= left - tol && p.x <= right + tol && p.z <= bottom + tol)) return true;

  const size_t run = static_cast<size_t>(FrameFirstRunLength(model));
  const auto corner = std::find(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(run), 3);
  double ground = top;
  if (corner != frame.begin() + static_cast<std::ptrdiff_t>(run)) {
    arofcomplexM surface;
    for (auto it = corner; it != frame.begin() + static_cast<std::ptrdiff_t>(run); ++it)
      surface.push_back(Pt(nodes, *it));
    surface.push_back(Pt(nodes, 0));
    std::stable_sort(surface.begin(), surface.end(),
                     [](const complexM& a, const complexM& b) { return a.x < b.x; });
    ground = Supermath2d::InterpolateComplex(surface, p.x);
  }
  return !(p.z >= ground - tol);
}

}  // namespace internal

void SplitDisconnectedBody(int32_t body, AllSpolygon& model, Tnodes& nodes) {
  if (!ValidBody(model, body)) return;
  SPolygon& polys = model[static_cast<size_t>(body)];
  const int32_t count = static_cast<int32_t>(polys.size());
  std::vector<int32_t> group(static_cast<size_t>(count), -1);
  int32_t groups = 0;
  for (int32_t start = 0; start < count; ++start) {
    if (group[static_cast<size_t>(start)] >= 0) continue;
    std::vector<int32_t> stack{start};
    group[static_cast<size_t>(start)] = groups;
    while (!stack.empty()) {
      const int32_t p = stack.back();
      stack.pop_back();
      for (int32_t q = 0; q < count; ++q) {
        if (group[static_cast<size_t>(q)] >= 0 || !PolygonsShareNode(p, q, body, model)) continue;
        group[static_cast<size_t>(q)] = groups;
        stack.push_back(q);
      }
    }
    ++groups;
  }

  std::vector<int32_t> touched{body};
  if (groups > 1) {
    std::vector<SPolygon> split(static_cast<size_t>(groups));
    for (int32_t p = 0; p < count; ++p)
      split[static_cast<size_t>(group[static_cast<size_t>(p)])].push_back(
          std::move(polys[static_cast<size_t>(p)]));
    model[static_cast<size_t>(body)] = std::move(split[0]);
    for (int32_t g = 1; g < groups; ++g) {
      model.push_back(std::move(split[static_cast<size_t>(g)]));
      touched.push_back(static_cast<int32_t>(model.size()) - 1);
    }
  }
  for (int32_t b : touched) {
    for (const Polygon& polygon : model[static_cast<size_t>(b)]) {
      for (int32_t n : polygon.Nodes) {
        if (!ValidNode(nodes, n)) continue;
        Tnode& node = nodes[static_cast<size_t>(n)];
        node.Kind = NodeKind(n, b, model, nodes);
        if (b != 0) node.Border = BorderNone;
      }
    }
  }
}

// ---------------------------------------------------------------------------------
// Positions in node lists

int32_t NextPosition(int32_t position, const arofintM& list, int32_t& node) {
  if (list.empty()) {
    node = -1;
    return -1;
  }
  int32_t next = position + 1;
  if (next < 0 || static_cast<size_t>(next) >= list.size()) next = 0;
  node = list[static_cast<size_t>(next)];
  return next;
}

int32_t PrevPosition(int32_t position, const arofintM& list, int32_t& node) {
  if (list.empty()) {
    node = -1;
    return -1;
  }
  int32_t prev = position - 1;
  if (prev < 0 || static_cast<size_t>(prev) >= list.size())
    prev = static_cast<int32_t>(list.size()) - 1;
  node = list[static_cast<size_t>(prev)];
  return prev;
}

bool PositionOf(int32_t node, const arofintM& list, int32_t& position) {
  const auto it = std::find(list.begin(), list.end(), node);
  if (it == list.end()) {
    position = -1;
    return false;
  }
  position = static_cast<int32_t>(it - list.begin());
  return true;
}

// ---------------------------------------------------------------------------------
// Start model

int32_t BuildStartModel(Tnodes& nodes, SPolygon& body, const arofcomplexM& relief, double left,
                        double right, double top, double bottom, bool reliefOn) {
  // Relief support: the points inside the range and the nearest one beyond each bound.
  arofdoubleM xs, zs;
  if (reliefOn) {
    const size_t m = relief.size();
    for (size_t i = 0; i < m; ++i) {
      const bool rightOk = i + 1 == m || relief[i + 1].x > left;
      const bool leftOk = i == 0 || relief[i - 1].x < right;
      if (rightOk && leftOk) {
        xs.push_back(relief[i].x);
        zs.push_back(relief[i].z);
      }
    }
    if (xs.empty()) reliefOn = false;
  }
  auto surface = [&](double x) { return reliefOn ? Supermath2d::InterpolateTable(xs, zs, x) : top; };

  Tnodes result;
  auto add = [&](double x, double depth, int32_t border) {
    Tnode n;
    n.X = x;
    n.Depth = depth;
    n.Border = border;
    result.push_back(n);
  };
  add(left, surface(left), BorderLeft);
  add(left, bottom, BorderBottomLeft);
  add(right, bottom, BorderBottomRight);
  add(right, surface(right), BorderRight);
  if (reliefOn) {
    for (size_t i = xs.size(); i-- > 0;)
      if (xs[i] > left && xs[i] < right) add(xs[i], surface(xs[i]), BorderSurface);
  }

  const int32_t n = static_cast<int32_t>(result.size());
  Polygon frame;
  for (int32_t k = 0; k < n; ++k) frame.Nodes.push_back(k);
  frame.Nodes.push_back(0);
  for (int32_t k = n - 1; k >= 1; --k) frame.Nodes.push_back(k);
  frame.Props[PropShapeId] = int32_t{-1};

  nodes = std::move(result);
  body.clear();
  body.push_back(std::move(frame));
  return n;
}

// ---------------------------------------------------------------------------------
// Refit to new bounds under a relief

void RefitModel(const arofcomplexM& relief, bool reliefOn, AllSpolygon& model, Tnodes& nodes,
                double oldBottom, double oldTop, double oldRight, double oldLeft,
                double newBottom, double newTop, double newRight, double newLeft) {
  if (!reliefOn || model.empty() || model[0].empty()) return;
  Tnodes oldStartNodes, newStartNodes;
  SPolygon oldStart, newStart;
  const int32_t nOld = BuildStartModel(oldStartNodes, oldStart, relief, oldLeft, oldRight, oldTop,
                                       oldBottom, reliefOn);
  const int32_t nNew = BuildStartModel(newStartNodes, newStart, relief, newLeft, newRight, newTop,
                                       newBottom, reliefOn);
  const int32_t M = *std::max_element(oldStart[0].Nodes.begin(), oldStart[0].Nodes.end());
  const int32_t d = nNew - nOld;
  // A table that no longer starts with the old start model cannot be refitted.
  if (static_cast<int32_t>(nodes.size()) < nOld) return;

  const arofintM current = model[0][0].Nodes;
  arofintM F = newStart[0].Nodes;

  // The new node table: the new start model, then the nodes added since the last rebuild.
  Tnodes newNodes = newStartNodes;
  for (size_t k = static_cast<size_t>(nOld); k < nodes.size(); ++k)
    newNodes.push_back(CopyNodeFields(nodes[k]));

  auto renumber = [&](int32_t k) { return k > M ? k + d : k; };
  auto border = [&](int32_t k) {
    return ValidNode(nodes, k) ? nodes[static_cast<size_t>(k)].Border : BorderNone;
  };

  // Side nodes: keep their place after the entry that precedes them.
  int32_t pos3 = -1;
  for (size_t k = 1; k < current.size(); ++k)
    if (current[k] == 3) {
      pos3 = static_cast<int32_t>(k);
      break;
    }
  for (int32_t k = 1; k <= pos3; ++k) {
    const int32_t node = current[static_cast<size_t>(k)];
    if (node <= M || border(node) == BorderSurface) continue;
    const int32_t before = renumber(current[static_cast<size_t>(k) - 1]);
    const auto it = std::find(F.begin(), F.end(), before);
    if (it != F.end()) F.insert(it + 1, node + d);
  }

  // Surface nodes: between the two entries of the new surface run that bracket their x.
  const size_t firstRun = static_cast<size_t>(FrameFirstRunLength(model));
  for (size_t k = 0; k < firstRun && k < current.size(); ++k) {
    const int32_t node = current[k];
    if (node <= M || border(node) != BorderSurface) continue;
    const int32_t renumbered = node + d;
    const double x = Pt(newNodes, renumbered).x;
    size_t runLength = 0;
    for (size_t j = 1; j < F.size(); ++j)
      if (F[j] == F[0]) {
        runLength = j;
        break;
      }
    if (runLength == 0) runLength = F.size();
    const auto start = std::find(F.begin(), F.begin() + static_cast<std::ptrdiff_t>(runLength), 3);
    for (size_t j = static_cast<size_t>(start - F.begin()); j < runLength; ++j) {
      const size_t next = j + 1 < runLength ? j + 1 : 0;
      if (Pt(newNodes, F[j]).x > x && Pt(newNodes, F[next]).x < x) {
        F.insert(F.begin() + static_cast<std::ptrdiff_t>(j) + 1, renumbered);
        break;
      }
    }
  }

  model[0][0].Nodes = std::move(F);
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      for (int32_t& k : model[b][p].Nodes) k = renumber(k);
    }
  nodes = std::move(newNodes);

  for (size_t p = 1; p < model[0].size(); ++p) {
    for (int32_t k : model[0][p].Nodes) {
      if (ValidNode(nodes, k) && nodes[static_cast<size_t>(k)].Border == BorderSurface) {
        UpdateReliefPolygons(k, reliefOn, model, nodes);
        break;
      }
    }
  }
  ReclassifyBody(0, model, nodes);
}

// ---------------------------------------------------------------------------------
// Relief polygons

void UpdateReliefPolygons(int32_t node, bool reliefOn, AllSpolygon& model, Tnodes& nodes) {
  if (!reliefOn || !ValidNode(nodes, node) ||
      nodes[static_cast<size_t>(node)].Border != BorderSurface)
    return;
  if (model.empty() || model[0].empty()) return;
  arofintM& frame = model[0][0].Nodes;
  const size_t runLength = static_cast<size_t>(FrameFirstRunLength(model));
  const auto start = std::find(frame.begin(), frame.begin() + static_cast<std::ptrdiff_t>(runLength), 3);
  const size_t pos3 = static_cast<size_t>(start - frame.begin());
  if (pos3 >= runLength) return;

  // The surface from node 0 to node 3, as the frame stood before this update.
  arofintM surfaceList(frame.begin() + static_cast<std::ptrdiff_t>(pos3),
                       frame.begin() + static_cast<std::ptrdiff_t>(runLength));
  surfaceList.push_back(0);
  std::reverse(surfaceList.begin(), surfaceList.end());
  auto onSurface = [&](int32_t k) {
    return std::find(surfaceList.begin(), surfaceList.end(), k) != surfaceList.end();
  };

  // Keep the frame's surface run in decreasing x.
  for (bool exchanged = true; exchanged;) {
    exchanged = false;
    for (size_t k = pos3; k + 1 < runLength; ++k) {
      if (Pt(nodes, frame[k]).x < Pt(nodes, frame[k + 1]).x) {
        std::swap(frame[k], frame[k + 1]);
        exchanged = true;
      }
    }
  }

  for (size_t p = 1; p < model[0].size(); ++p) {
    arofintM& list = model[0][p].Nodes;
    int32_t pos = -1;
    if (!PositionOf(node, list, pos)) continue;
    int32_t neighbour = -1;
    NextPosition(pos, list, neighbour);
    const bool forward = onSurface(neighbour);
    PrevPosition(pos, list, neighbour);
    const bool backward = onSurface(neighbour);
    if (!forward && !backward) continue;

    int32_t q = pos;
    for (size_t steps = 0; steps + 1 < list.size(); ++steps) {
      int32_t nextNode = -1;
      const int32_t nextPos =
          backward ? PrevPosition(q, list, nextNode) : NextPosition(q, list, nextNode);
      if (!onSurface(nextNode)) break;
      q = nextPos;
    }
    int32_t from = pos;
    if (backward) std::swap(from, q);
    if (from == q) continue;

    arofintM rebuilt;
    const int32_t length = static_cast<int32_t>(list.size());
    for (int32_t k = q;; k = (k + 1) % length) {
      rebuilt.push_back(list[static_cast<size_t>(k)]);
      if (k == from) break;
    }
    const double x1 = Pt(nodes, list[static_cast<size_t>(from)]).x;
    const double x2 = Pt(nodes, list[static_cast<size_t>(q)]).x;
    const double lo = std::min(x1, x2), hi = std::max(x1, x2);
    for (int32_t k : surfaceList) {
      const double x = Pt(nodes, k).x;
      if (x > lo && x < hi) rebuilt.push_back(k);
    }
    list = std::move(rebuilt);
  }
  // The re-linked polygons share other edges now: the kinds of body 0 follow.
  ReclassifyBody(0, model, nodes);
}

}  // namespace Polygons
