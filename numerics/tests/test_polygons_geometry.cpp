// Geometric predicates and picks of the polygon model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "numerics/Polygons.h"

namespace test_polygons_geometry {

using namespace Polygons;

namespace {

Tnode MakeNode(double x, double depth) {
  Tnode n;
  n.X = x;
  n.Depth = depth;
  return n;
}

// Start model 0..100 x 0..50 with body 1, a square at 20..40 x 10..30, and inside it
// nothing else.
struct BoxModel {
  Tnodes nodes;
  AllSpolygon model;
  BoxModel() {
    SPolygon frame;
    BuildStartModel(nodes, frame, {}, 0, 100, 0, 50, false);
    model.push_back(frame);
    for (auto [x, z] : {std::pair{20.0, 10.0}, {40.0, 10.0}, {40.0, 30.0}, {20.0, 30.0}})
      nodes.push_back(MakeNode(x, z));
    Polygon square;
    square.Nodes = {4, 5, 6, 7};
    model.push_back({square});
  }
};

}  // namespace

TEST(SegmentsCross, FollowsTheSideRules) {
  struct Case {
    complexM a, b, c, d;
    bool expected;
  } cases[] = {
      {{0, 0}, {10, 10}, {0, 10}, {10, 0}, true},    // an X
      {{0, 0}, {10, 0}, {10, 0}, {10, 10}, false},   // shared end point
      {{0, 0}, {10, 0}, {5, 0}, {15, 0}, false},     // collinear overlap
      {{0, 0}, {1, 1}, {5, 5}, {6, 0}, false},       // apart
      {{0, 0}, {10, 0}, {5, 1}, {5, 5}, false},      // does not reach
      {{0, 0}, {10, 10}, {10, 0}, {0, 10}, true},    // the X the other way round
      {{0, 5}, {10, 5}, {5, 0}, {5, 10}, true},      // a plus
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SegmentsCross(c.a, c.b, c.c, c.d), c.expected);
    EXPECT_EQ(SegmentsCross(c.c, c.d, c.a, c.b), c.expected);
  }
}

TEST(PointInPolygon, VerticesAreOutsideAndTheFrameContainsNothing) {
  const arofcomplexM square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(PointInPolygon({5, 5}, square));
  EXPECT_FALSE(PointInPolygon({10, 10}, square));
  EXPECT_FALSE(PointInPolygon({15, 5}, square));
  EXPECT_FALSE(PointInPolygon({5, 5}, {}));
  BoxModel m;
  EXPECT_FALSE(PointInNodePolygon({60, 40}, m.model[0][0].Nodes, m.nodes));
  EXPECT_TRUE(PointInNodePolygon({30, 20}, m.model[1][0].Nodes, m.nodes));
}

TEST(IsNegative, TellsOrientationByTheInsideCorners) {
  const arofcomplexM negative{{0, 0}, {0, 1}, {1, 0}};  // twice the signed area is -1
  EXPECT_TRUE(IsNegative(negative));
  EXPECT_FALSE(IsNegative({{1, 0}, {0, 1}, {0, 0}}));
  // A concave outline listed both ways.
  arofcomplexM concave{{0, 0}, {10, 0}, {10, 10}, {5, 3}, {0, 10}};
  const bool first = IsNegative(concave);
  std::reverse(concave.begin(), concave.end());
  EXPECT_NE(IsNegative(concave), first);
  NormalizeOrientation(concave);
  EXPECT_FALSE(IsNegative(concave));
}

TEST(NormalizeModelOrientation, ReversesNegativePolygonsButNotTheFrame) {
  BoxModel m;
  const arofintM frame = m.model[0][0].Nodes;
  const bool squareNegative = IsNodePolygonNegative(m.model[1][0].Nodes, m.nodes);
  NormalizeModelOrientation(m.model, m.nodes);
  EXPECT_FALSE(IsNodePolygonNegative(m.model[1][0].Nodes, m.nodes));
  EXPECT_EQ(m.model[0][0].Nodes, frame);
  EXPECT_EQ(m.model[1][0].Nodes == arofintM({4, 5, 6, 7}), !squareNegative);
}

TEST(Vectors, AnglesAndScaledDistances) {
  EXPECT_DOUBLE_EQ(AngleBetween({1, 0}, {0, 1}), 90.0);
  EXPECT_DOUBLE_EQ(AngleBetween({1, 0}, {-1, 0}), 180.0);
  EXPECT_DOUBLE_EQ(AngleBetween({0, 0}, {1, 1}), 180.0);
  EXPECT_NEAR(AngleBetween({2, 2}, {1, 1}), 0.0, 1e-5);
  EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
  // Scales 2 px per unit across and 10 px per unit down.
  EXPECT_DOUBLE_EQ(PointSegmentDistance({5, 1}, {0, 0}, {10, 0}, 2, 10), 10.0);
  EXPECT_DOUBLE_EQ(PointSegmentDistance({-3, 0}, {0, 0}, {10, 0}, 2, 10), 6.0);
  EXPECT_DOUBLE_EQ(PointSegmentDistance({12, 0}, {0, 0}, {10, 0}, 2, 10), 4.0);
  EXPECT_DOUBLE_EQ(PointSegmentDistance({3, 4}, {0, 0}, {0, 0}, 1, 1), 5.0);
  EXPECT_DOUBLE_EQ(EdgeDistance({5, 1}, {0, 0}, {10, 0}, 2, 10), 10.0);
}

TEST(NearestNode, TakesTheFirstOfEquallyNearNodes) {
  Tnodes nodes{MakeNode(0, 0), MakeNode(5, 5), MakeNode(5, 5), MakeNode(9, 0)};
  double plain = 0, scaled = 0;
  EXPECT_EQ(NearestNode({5, 4}, nodes, plain, scaled, 1, 2), 1);
  EXPECT_DOUBLE_EQ(plain, 1.0);
  EXPECT_DOUBLE_EQ(scaled, 2.0);
  EXPECT_EQ(NearestNode({8, 1}, nodes, plain, scaled, 1, 1), 3);
  EXPECT_EQ(NearestNode({8, 1}, {}, plain, scaled, 1, 1), -1);
}

TEST(NearestEdge, ReportsEndNodesAndTheNearEndFlag) {
  BoxModel m;
  // 1 px per unit: the square's top edge from node 4 (20, 10) to node 5 (40, 10).
  struct Case {
    complexM mouse;
    double scale;
    int32_t result;
    bool nearEnd;
  } cases[] = {
      {{21, 10}, 1, 4, true},     // 1 px from a corner of a 20 px edge
      {{30, 11}, 1, -1, false},   // middle of the edge
      {{38.5, 10}, 0.5, 5, true},  // 0.75 px from the end of a 10 px edge
      {{37, 10}, 0.5, 5, false},   // 1.5 px from the end of a 10 px edge
      {{34, 10}, 0.5, -1, false},
  };
  for (const Case& c : cases) {
    double distance = 0;
    bool nearEnd = true;
    int32_t body = -1, a = -1, b = -1;
    EXPECT_EQ(NearestEdge(c.mouse, m.nodes, m.model, distance, c.scale, c.scale, nearEnd, body, a,
                          b),
              c.result)
        << c.mouse.x;
    EXPECT_EQ(nearEnd, c.nearEnd) << c.mouse.x;
    EXPECT_EQ(body, 1);
    EXPECT_EQ(a, 4);
    EXPECT_EQ(b, 5);
  }
  double distance = 0;
  bool nearEnd = true;
  int32_t body = -1, a = -1, b = -1;
  Tnodes ten{MakeNode(0, 0), MakeNode(10, 0), MakeNode(5, 20)};
  AllSpolygon tri{{Polygon{{0, 1, 2}, {}}}};
  EXPECT_EQ(NearestEdge({8.5, 0}, ten, tri, distance, 1, 1, nearEnd, body, a, b), 1);
  EXPECT_FALSE(nearEnd);
  // A zero-length edge always raises the flag.
  Tnodes same{MakeNode(0, 0), MakeNode(0, 0), MakeNode(30, 30)};
  AllSpolygon degenerate{{Polygon{{0, 1, 2}, {}}}};
  EXPECT_EQ(NearestEdge({-5, -5}, same, degenerate, distance, 1, 1, nearEnd, body, a, b), -1);
  EXPECT_TRUE(nearEnd);
  // No polygon: -1 and the out values stay.
  body = 7;
  EXPECT_EQ(NearestEdge({0, 0}, same, {}, distance, 1, 1, nearEnd, body, a, b), -1);
  EXPECT_EQ(body, 7);
}

TEST(NearestExternalEdge, SkipsInternalNodesAndUsesSevenPixels) {
  BoxModel m;
  double distance = 0;
  bool nearEnd = false;
  int32_t body = -1, a = -1, b = -1;
  EXPECT_EQ(NearestExternalEdge({25, 10}, m.nodes, m.model, distance, 1, 1, nearEnd, body, a, b),
            4);
  EXPECT_FALSE(nearEnd);  // 5 px of a 20 px edge is not near the end
  EXPECT_EQ(NearestExternalEdge({21, 11}, m.nodes, m.model, distance, 1, 1, nearEnd, body, a, b),
            4);
  EXPECT_TRUE(nearEnd);
  EXPECT_DOUBLE_EQ(distance, std::sqrt(2.0));
  for (int32_t n : {4, 5}) m.nodes[static_cast<size_t>(n)].Kind = KindInternal;
  NearestExternalEdge({30, 9}, m.nodes, m.model, distance, 1, 1, nearEnd, body, a, b);
  EXPECT_FALSE(a == 4 && b == 5);
}

TEST(SnapToEdge, KeepsTheCoordinateAlongTheLongerPixelSpan) {
  complexM p{5, 3};
  SnapToEdge(p, {0, 0}, {10, 2}, 1, 1);  // wider than deep: x stays
  EXPECT_DOUBLE_EQ(p.x, 5);
  EXPECT_DOUBLE_EQ(p.z, 1);
  p = {3, 5};
  SnapToEdge(p, {0, 0}, {2, 10}, 1, 1);  // deeper than wide: depth stays
  EXPECT_DOUBLE_EQ(p.x, 1);
  EXPECT_DOUBLE_EQ(p.z, 5);
  p = {3, 5};
  SnapToEdge(p, {0, 0}, {2, 10}, 10, 1);  // 20 px across, 10 px down: x stays
  EXPECT_DOUBLE_EQ(p.x, 3);
  EXPECT_DOUBLE_EQ(p.z, 15);
  p = {3, 5};
  SnapToEdge(p, {4, 4}, {4, 4}, 1, 1);  // a point edge: the value at A
  EXPECT_DOUBLE_EQ(p.x, 4);
}

TEST(FindPolygonAt, ReturnsTheFirstContainingPolygonInModelOrder) {
  BoxModel m;
  int32_t body = 0, polygon = 0;
  EXPECT_FALSE(FindPolygonAt(m.model, body, polygon, m.nodes, 60, 40));  // host region
  EXPECT_EQ(body, -1);
  EXPECT_EQ(polygon, -1);
  // A second body nested inside the square.
  for (auto [x, z] : {std::pair{25.0, 15.0}, {35.0, 15.0}, {30.0, 25.0}})
    m.nodes.push_back(MakeNode(x, z));
  m.model.push_back({Polygon{{8, 9, 10}, {}}});
  EXPECT_TRUE(FindPolygonAt(m.model, body, polygon, m.nodes, 30, 20));
  EXPECT_EQ(body, 1);
  EXPECT_EQ(polygon, 0);
  EXPECT_TRUE(PointInOtherBodies({30, 20}, 1, m.model, m.nodes));
  EXPECT_FALSE(PointInOtherBodies({22, 28}, 1, m.model, m.nodes));
  EXPECT_TRUE(BodiesContainEachOther(1, 2, m.model, m.nodes));
  EXPECT_FALSE(BodiesContainEachOther(1, 1, m.model, m.nodes));
  EXPECT_FALSE(BodiesContainEachOther(0, 1, m.model, m.nodes));
}

TEST(BodyCrossings, HonourKindsAndSharedEnds) {
  BoxModel m;
  EXPECT_TRUE(SegmentCrossesBody({30, 2}, {30, 20}, 1, m.nodes, m.model));
  EXPECT_FALSE(SegmentCrossesBody({30, 2}, {30, 5}, 1, m.nodes, m.model));
  EXPECT_TRUE(SegmentCrossesOtherBodies({30, 2}, {30, 20}, 0, m.nodes, m.model));
  EXPECT_FALSE(SegmentCrossesOtherBodies({30, 2}, {30, 20}, 1, m.nodes, m.model));
  EXPECT_TRUE(SegmentCrossesBody({50, 10}, {150, 10}, 0, m.nodes, m.model));  // leaves the frame
  m.nodes[4].Kind = m.nodes[5].Kind = KindInternal;  // the top edge no longer counts
  EXPECT_FALSE(SegmentCrossesBody({30, 2}, {30, 20}, 1, m.nodes, m.model));
  // Node segments: the diagonal 4-6 crosses nothing of the square it spans.
  EXPECT_FALSE(NodeSegmentCrossesBody(4, 6, 1, m.nodes, m.model));
  m.nodes.push_back(MakeNode(30, 5));
  m.nodes.push_back(MakeNode(30, 40));
  EXPECT_TRUE(NodeSegmentCrossesBody(8, 9, 1, m.nodes, m.model));
  EXPECT_TRUE(NodeSegmentCrossesPolygon(8, 9, 1, m.nodes, m.model, 0));
  EXPECT_FALSE(NodeSegmentCrossesPolygon(8, 9, 1, m.nodes, m.model, 5));
}

TEST(DrawnOutline, CrossingsAndConflicts) {
  const arofcomplexM drawn{{0, 0}, {10, 0}, {10, 10}, {5, -5}};
  EXPECT_TRUE(SegmentCrossesDrawnOutline(drawn.back(), drawn));
  const arofcomplexM clean{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_FALSE(SegmentCrossesDrawnOutline(clean.back(), clean));
  EXPECT_FALSE(SegmentCrossesDrawnOutline({1, 1}, {{0, 0}}));
  BoxModel m;
  EXPECT_TRUE(OutlineConflicts({{30, 20}, {60, 20}, {60, 40}}, m.model, m.nodes));
  EXPECT_TRUE(OutlineConflicts({{10, 5}, {50, 5}, {50, 40}, {10, 40}}, m.model, m.nodes));
  EXPECT_FALSE(OutlineConflicts({{60, 20}, {80, 20}, {80, 40}}, m.model, m.nodes));
  EXPECT_FALSE(OutlineConflicts({}, m.model, m.nodes));
}

}  // namespace test_polygons_geometry
