// The polygon model: property values, copies, border codes, node kinds, splitting of
// bodies, the start model, the refit to new bounds and the relief polygons.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/Polygons.h"

namespace test_polygons_model {

using namespace Polygons;

namespace {

Tnode MakeNode(double x, double depth, int32_t border = BorderNone) {
  Tnode n;
  n.X = x;
  n.Depth = depth;
  n.Border = border;
  return n;
}

Polygon MakePolygon(arofintM nodes) {
  Polygon p;
  p.Nodes = std::move(nodes);
  p.Props = DefaultProps;
  return p;
}

// Start model 0..100 x 0..50 without relief, as the editor builds it.
struct FlatModel {
  Tnodes nodes;
  AllSpolygon model;
  FlatModel() {
    SPolygon body;
    BuildStartModel(nodes, body, {}, 0, 100, 0, 50, false);
    model.push_back(body);
  }
  int32_t AddNode(double x, double depth, int32_t border = BorderNone) {
    nodes.push_back(MakeNode(x, depth, border));
    return static_cast<int32_t>(nodes.size()) - 1;
  }
};

}  // namespace

TEST(PropValue, ConvertsOnDemand) {
  EXPECT_TRUE(PropValue().IsEmpty());
  EXPECT_EQ(PropValue().AsInt(), 0);
  EXPECT_EQ(PropValue().AsString(), "");
  EXPECT_EQ(PropValue(2.5).AsInt(), 2);  // halves to even
  EXPECT_EQ(PropValue(3.5).AsInt(), 4);
  EXPECT_EQ(PropValue(1e12).AsInt(), INT32_MAX);
  EXPECT_EQ(PropValue(std::nan("")).AsInt(), 0);
  EXPECT_EQ(PropValue("12,5").AsDouble(), 12.5);
  EXPECT_EQ(PropValue("abc").AsDouble(), 0.0);
  EXPECT_EQ(PropValue(int32_t{-7}).AsString(), "-7");
  EXPECT_EQ(PropValue(10.0).AsString(), "10");
  EXPECT_EQ(PropValue(0.25).AsString(), "0.25");
  EXPECT_EQ(PropValue(int32_t{42}).AsDouble(), 42.0);
  EXPECT_EQ(PropValue("x").GetType(), PropValue::Type::Text);
}

TEST(DefaultProps, HoldTheBuiltInBodyValues) {
  ResetDefaultProps();
  EXPECT_EQ(DefaultProps[PropShapeId].AsInt(), -1);
  EXPECT_EQ(DefaultProps[PropColor].AsInt(), 12632256);
  EXPECT_EQ(DefaultProps[PropUserText].AsString(), " ");
  EXPECT_EQ(DefaultProps[PropLabelMode].AsInt(), 0);
  EXPECT_EQ(DefaultProps[PropResistivity].GetType(), PropValue::Type::Real);
  EXPECT_EQ(DefaultProps[PropResistivity].AsDouble(), 10.0);
  EXPECT_EQ(DefaultProps[PropPolarizability].AsDouble(), 0.0);
  EXPECT_EQ(DefaultProps[PropPen].AsString(), "8421504&0&0&1&0&4&1");
  for (int i : {5, 6, 9, 14, 19}) EXPECT_EQ(DefaultProps[static_cast<size_t>(i)].AsString(), "*");
}

TEST(ModelCopies, ShareNothingWithTheirSource) {
  FlatModel m;
  m.model.push_back({MakePolygon({m.AddNode(10, 10), m.AddNode(20, 10), m.AddNode(15, 20)})});
  m.nodes[4].SavedX = 99;
  AllSpolygon copy = CopyAllSpolygon(m.model);
  Tnodes nodesCopy = CopyNodes(m.nodes);
  copy[1][0].Nodes[0] = 3;
  copy[1][0].Props[PropResistivity] = 500.0;
  nodesCopy[4].X = -1;
  EXPECT_EQ(m.model[1][0].Nodes[0], 4);
  EXPECT_EQ(m.model[1][0].Props[PropResistivity].AsDouble(), 10.0);
  EXPECT_EQ(m.nodes[4].X, 10);
  EXPECT_EQ(nodesCopy[4].SavedX, 0.0);  // saved positions are not carried
  EXPECT_EQ(nodesCopy.size(), m.nodes.size());
}

TEST(InteriorExtent, CoversOnlyNodesOffTheBorder) {
  FlatModel m;
  double minX, maxX, maxDepth;
  InteriorExtent(m.nodes, minX, maxX, maxDepth);
  EXPECT_EQ(minX, 1e30);
  EXPECT_EQ(maxX, -1e30);
  EXPECT_EQ(maxDepth, -1e30);
  m.AddNode(30, 12);
  m.AddNode(70, 40);
  InteriorExtent(m.nodes, minX, maxX, maxDepth);
  EXPECT_EQ(minX, 30);
  EXPECT_EQ(maxX, 70);
  EXPECT_EQ(maxDepth, 40);
}

TEST(BorderCodeOf, ClassifiesByPosition) {
  Tnodes nodes;
  SPolygon body;
  BuildStartModel(nodes, body, {{-10, 0}, {40, 3}, {110, 0}}, 0, 100, 0, 50, true);
  AllSpolygon model{body};
  struct Case {
    double x, depth;
    int32_t expected;
  } cases[] = {
      {0, 50, BorderBottomLeft}, {0, 0, BorderLeft},    {0, 20, BorderLeft},
      {100, 50, BorderBottomRight}, {100, 0, BorderRight}, {50, 50, BorderBottom},
      {40, 3, BorderSurface},    {40.000001, 3, BorderSurface}, {50, 20, BorderNone},
      {40, 3.1, BorderNone},
  };
  for (const Case& c : cases) {
    nodes.push_back(MakeNode(c.x, c.depth));
    EXPECT_EQ(BorderCodeOf(static_cast<int32_t>(nodes.size()) - 1, model, nodes, 50, 0, 100, 0),
              c.expected)
        << c.x << ", " << c.depth;
  }
  EXPECT_EQ(BorderCodeOf(99, model, nodes, 50, 0, 100, 0), BorderNone);
}

TEST(MoveBorderNodes, MovesSidesAndBottomOnly) {
  Tnodes nodes{MakeNode(0, 0, BorderLeft),        MakeNode(0, 50, BorderBottomLeft),
               MakeNode(100, 50, BorderBottomRight), MakeNode(100, 0, BorderRight),
               MakeNode(40, 50, BorderBottom),     MakeNode(30, 2, BorderSurface),
               MakeNode(60, 20, BorderNone)};
  MoveBorderNodes(nodes, 80, 0, 150, -20);
  const double expected[][2] = {{-20, 0}, {-20, 80}, {150, 80}, {150, 0},
                                {40, 80}, {30, 2},   {60, 20}};
  for (size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(nodes[i].X, expected[i][0]) << i;
    EXPECT_EQ(nodes[i].Depth, expected[i][1]) << i;
  }
}

TEST(NodeKind, FrameNodesBecomeJunctionsOrInternalUnderSubPolygons) {
  FlatModel m;
  for (int32_t n = 0; n < 4; ++n) EXPECT_EQ(NodeKind(n, 0, m.model, m.nodes), KindOutline) << n;
  // A sub-polygon of body 0 in the top-left corner along the left and top frame edges.
  const int32_t left = m.AddNode(0, 20, BorderLeft);
  const int32_t inner = m.AddNode(30, 20);
  const int32_t top = m.AddNode(30, 0, BorderSurface);
  m.model[0][0].Nodes = {0, left, 1, 2, 3, top, 0, 3, 2, 1};
  m.model[0].push_back(MakePolygon({0, left, inner, top}));
  EXPECT_EQ(NodeKind(0, 0, m.model, m.nodes), KindInternal);
  EXPECT_EQ(NodeKind(left, 0, m.model, m.nodes), KindJunction);
  EXPECT_EQ(NodeKind(top, 0, m.model, m.nodes), KindJunction);
  EXPECT_EQ(NodeKind(inner, 0, m.model, m.nodes), KindOutline);
  EXPECT_EQ(NodeKind(1, 0, m.model, m.nodes), KindOutline);
  EXPECT_EQ(NodeKind(0, 7, m.model, m.nodes), KindInternal);  // no such body
}

TEST(SplitDisconnectedBody, MovesLaterGroupsToNewBodies) {
  FlatModel m;
  // Body 1: A and C joined only through B.
  const int32_t a0 = m.AddNode(10, 10), a1 = m.AddNode(20, 10), a2 = m.AddNode(20, 20);
  const int32_t c0 = m.AddNode(60, 10), c1 = m.AddNode(70, 10), c2 = m.AddNode(70, 20);
  SPolygon body{MakePolygon({a0, a1, a2}), MakePolygon({a1, c0, c2, a2}),
                MakePolygon({c0, c1, c2})};
  body[2].Props[PropResistivity] = 77.0;
  m.model.push_back(body);
  m.nodes[static_cast<size_t>(c1)].Border = BorderSurface;  // stale code, must be cleared
  SplitDisconnectedBody(1, m.model, m.nodes);
  ASSERT_EQ(m.model.size(), 2u);  // still connected

  m.model[1].erase(m.model[1].begin() + 1);
  SplitDisconnectedBody(1, m.model, m.nodes);
  ASSERT_EQ(m.model.size(), 3u);
  EXPECT_EQ(m.model[1].size(), 1u);
  EXPECT_EQ(m.model[1][0].Nodes, (arofintM{a0, a1, a2}));
  EXPECT_EQ(m.model[2][0].Nodes, (arofintM{c0, c1, c2}));
  EXPECT_EQ(m.model[2][0].Props[PropResistivity].AsDouble(), 77.0);
  for (int32_t n : {c0, c1, c2}) {
    EXPECT_EQ(m.nodes[static_cast<size_t>(n)].Border, BorderNone);
    EXPECT_EQ(m.nodes[static_cast<size_t>(n)].Kind, KindOutline);
  }
  SplitDisconnectedBody(9, m.model, m.nodes);  // beyond the last body: nothing
  EXPECT_EQ(m.model.size(), 3u);
}

TEST(PolygonsShareNode, ComparesNodeLists) {
  AllSpolygon model{{MakePolygon({0, 1, 2}), MakePolygon({2, 3, 4}), MakePolygon({5, 6, 7})}};
  EXPECT_TRUE(PolygonsShareNode(0, 1, 0, model));
  EXPECT_FALSE(PolygonsShareNode(0, 2, 0, model));
  EXPECT_TRUE(PolygonsShareNode(2, 2, 0, model));
  EXPECT_FALSE(PolygonsShareNode(0, 5, 0, model));
}

TEST(Positions, WrapAroundTheList) {
  const arofintM list{7, 8, 9};
  int32_t node = 0;
  EXPECT_EQ(NextPosition(2, list, node), 0);
  EXPECT_EQ(node, 7);
  EXPECT_EQ(PrevPosition(0, list, node), 2);
  EXPECT_EQ(node, 9);
  EXPECT_EQ(NextPosition(0, list, node), 1);
  EXPECT_EQ(node, 8);
  int32_t pos = 0;
  EXPECT_TRUE(PositionOf(9, list, pos));
  EXPECT_EQ(pos, 2);
  EXPECT_FALSE(PositionOf(5, list, pos));
  EXPECT_EQ(NextPosition(0, {}, node), -1);
}

// ---------------------------------------------------------------------------------
// Start model

TEST(BuildStartModel, FlatFrameIsADoubledRing) {
  Tnodes nodes;
  SPolygon body;
  EXPECT_EQ(BuildStartModel(nodes, body, {}, 0, 100, 0, 50, false), 4);
  const double expected[][3] = {{0, 0, 1}, {0, 50, 2}, {100, 50, 4}, {100, 0, 5}};
  ASSERT_EQ(nodes.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(nodes[i].X, expected[i][0]);
    EXPECT_EQ(nodes[i].Depth, expected[i][1]);
    EXPECT_EQ(nodes[i].Border, expected[i][2]);
    EXPECT_EQ(nodes[i].Fixed, 0);
    EXPECT_EQ(nodes[i].Kind, 0);
  }
  ASSERT_EQ(body.size(), 1u);
  EXPECT_EQ(body[0].Nodes, (arofintM{0, 1, 2, 3, 0, 3, 2, 1}));
  EXPECT_EQ(body[0].Props[PropShapeId].AsInt(), -1);
  EXPECT_TRUE(body[0].Props[PropResistivity].IsEmpty());
}

TEST(BuildStartModel, ReliefPointsInsideTheRangeBecomeSurfaceNodes) {
  Tnodes nodes;
  SPolygon body;
  const arofcomplexM relief{{-10, 2}, {20, 4}, {50, 1}, {80, 3}, {110, 5}};
  EXPECT_EQ(BuildStartModel(nodes, body, relief, 0, 100, 0, 50, true), 7);
  EXPECT_DOUBLE_EQ(nodes[0].Depth, 2 + (4 - 2) * 10.0 / 30.0);
  EXPECT_DOUBLE_EQ(nodes[3].Depth, 3 + (5 - 3) * 20.0 / 30.0);
  const double surface[][2] = {{80, 3}, {50, 1}, {20, 4}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(nodes[4 + i].X, surface[i][0]);
    EXPECT_EQ(nodes[4 + i].Depth, surface[i][1]);
    EXPECT_EQ(nodes[4 + i].Border, BorderSurface);
  }
  EXPECT_EQ(body[0].Nodes, (arofintM{0, 1, 2, 3, 4, 5, 6, 0, 6, 5, 4, 3, 2, 1}));
}

TEST(BuildStartModel, ReliefWithoutPointsInsideTheRangeAddsNoSurfaceNodes) {
  struct Case {
    arofcomplexM relief;
    bool reliefOn;
    double topDepth;
  } cases[] = {
      {{}, true, 0},
      {{{200, 5}, {300, 6}}, true, 5},  // only the nearest point beyond the right bound
      {{{10, 5}, {90, 6}}, false, 0},
      {{{50, 5}}, false, 0},
  };
  for (const Case& c : cases) {
    Tnodes nodes;
    SPolygon body;
    EXPECT_EQ(BuildStartModel(nodes, body, c.relief, 0, 100, 0, 50, c.reliefOn), 4);
    EXPECT_EQ(nodes[0].Depth, c.topDepth);
    EXPECT_EQ(nodes[3].Depth, c.topDepth);
  }
}

// ---------------------------------------------------------------------------------
// Refit and relief polygons

namespace {
const arofcomplexM kRelief{{-10, 2}, {20, 4}, {50, 1}, {80, 3}, {110, 5}, {150, 2}};

struct ReliefModel {
  Tnodes nodes;
  AllSpolygon model;
  ReliefModel() {
    SPolygon body;
    BuildStartModel(nodes, body, kRelief, 0, 100, 0, 50, true);  // nodes 4, 5, 6 at 80, 50, 20
    model.push_back(body);
  }
};
}  // namespace

TEST(RefitModel, WithoutReliefChangesNothing) {
  ReliefModel m;
  const AllSpolygon before = m.model;
  const Tnodes nodesBefore = m.nodes;
  RefitModel(kRelief, false, m.model, m.nodes, 50, 0, 100, 0, 80, 0, 200, -50);
  EXPECT_EQ(m.model[0][0].Nodes, before[0][0].Nodes);
  EXPECT_EQ(m.nodes.size(), nodesBefore.size());
}

TEST(RefitModel, WideningBringsInReliefNodesAndShiftsLaterNodes) {
  ReliefModel m;
  // Node 7 added on the bottom edge, node 8 on the surface between x = 50 and 20,
  // and an interior body on nodes 9..11.
  m.nodes.push_back(MakeNode(40, 50, BorderBottom));
  m.nodes.push_back(MakeNode(35, 2.5, BorderSurface));
  m.model[0][0].Nodes = {0, 1, 7, 2, 3, 4, 5, 8, 6, 0, 6, 5, 4, 3, 2, 1};
  for (auto [x, z] : {std::pair{30.0, 20.0}, {40.0, 20.0}, {35.0, 30.0}})
    m.nodes.push_back(MakeNode(x, z));
  m.model.push_back({MakePolygon({9, 10, 11})});

  RefitModel(kRelief, true, m.model, m.nodes, 50, 0, 100, 0, 50, 0, 120, -20);
  // New start model: corners, then relief at 110, 80, 50, 20, -10 (nodes 4..8); d = 2.
  ASSERT_EQ(m.nodes.size(), 14u);
  const double surfaceX[] = {110, 80, 50, 20, -10};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(m.nodes[4 + i].X, surfaceX[i]);
  EXPECT_EQ(m.nodes[9].X, 40);   // the bottom node, renumbered
  EXPECT_EQ(m.nodes[10].X, 35);  // the surface node, renumbered
  EXPECT_EQ(m.model[0][0].Nodes,
            (arofintM{0, 1, 9, 2, 3, 4, 5, 6, 10, 7, 8, 0, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(m.model[1][0].Nodes, (arofintM{11, 12, 13}));
  EXPECT_EQ(m.nodes[11].X, 30);
}

TEST(UpdateReliefPolygons, ResortsTheSurfaceRunAfterANodePassesItsNeighbour) {
  ReliefModel m;
  m.nodes[5].X = 90;  // node 5 (x 50) dragged past node 4 (x 80)
  UpdateReliefPolygons(5, true, m.model, m.nodes);
  EXPECT_EQ(m.model[0][0].Nodes, (arofintM{0, 1, 2, 3, 5, 4, 6, 0, 6, 5, 4, 3, 2, 1}));
  // Nothing without the relief flag or for a node off the surface.
  m.nodes[6].X = 95;
  UpdateReliefPolygons(6, false, m.model, m.nodes);
  UpdateReliefPolygons(1, true, m.model, m.nodes);
  EXPECT_EQ(m.model[0][0].Nodes[6], 6);
}

TEST(UpdateReliefPolygons, RelinksASubPolygonToTheSurfaceNodesBetweenItsEnds) {
  ReliefModel m;
  m.nodes.push_back(MakeNode(80, 30));
  m.nodes.push_back(MakeNode(20, 30));
  // Runs along the surface from node 6 (x 20) straight to node 4 (x 80), skipping node 5.
  m.model[0].push_back(MakePolygon({6, 4, 7, 8}));
  UpdateReliefPolygons(6, true, m.model, m.nodes);
  EXPECT_EQ(m.model[0][1].Nodes, (arofintM{4, 7, 8, 6, 5}));
  // Starting from the other end (backward direction) gives the same cycle.
  m.model[0][1].Nodes = {6, 4, 7, 8};
  UpdateReliefPolygons(4, true, m.model, m.nodes);
  EXPECT_EQ(m.model[0][1].Nodes, (arofintM{4, 7, 8, 6, 5}));
}

}  // namespace test_polygons_model
