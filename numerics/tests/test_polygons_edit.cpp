// Node and polygon edits of the model editor, each refusal restored from the caller's
// working copy, and a long run of random edits that must keep the model valid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>

#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"

namespace test_polygons_edit {

using namespace Polygons;

namespace {

// Start model 0..100 x 0..50, under a relief when one is given; bodies are added by the
// tests.
struct Editor {
  Tnodes nodes;
  AllSpolygon model;
  Tnodes backupNodes;
  AllSpolygon backupModel;

  arofcomplexM relief;
  bool reliefOn = false;

  explicit Editor(arofcomplexM surface = {}) : relief(std::move(surface)), reliefOn(!relief.empty()) {
    SPolygon frame;
    BuildStartModel(nodes, frame, relief, 0, 100, 0, 50, reliefOn);
    model.push_back(frame);
  }
  double Ground(double x) const {
    return reliefOn ? Supermath2d::InterpolateComplex(relief, x) : 0.0;
  }
  int32_t Node(double x, double depth) {
    Tnode n;
    n.X = x;
    n.Depth = depth;
    nodes.push_back(n);
    return static_cast<int32_t>(nodes.size()) - 1;
  }
  // A body from an outline, positive as drawn.
  int32_t Body(const arofcomplexM& outline) {
    EXPECT_TRUE(AddPolygon(outline, model, nodes));
    return static_cast<int32_t>(model.size()) - 1;
  }
  void Reclassify() {
    for (size_t b = 0; b < model.size(); ++b)
      for (const Polygon& p : model[b])
        for (int32_t n : p.Nodes)
          nodes[static_cast<size_t>(n)].Kind = NodeKind(n, static_cast<int32_t>(b), model, nodes);
  }
  // The editor's working copy before an edit and its restore after a refusal.
  void Backup() {
    backupModel = CopyAllSpolygon(model);
    backupNodes = CopyNodes(nodes);
  }
  void Restore() {
    model = CopyAllSpolygon(backupModel);
    nodes = CopyNodes(backupNodes);
  }
  bool Run(bool accepted) {
    if (!accepted) Restore();
    return accepted;
  }
  complexM At(int32_t n) const {
    return {nodes[static_cast<size_t>(n)].X, nodes[static_cast<size_t>(n)].Depth};
  }
};

const arofcomplexM kSquare{{20, 10}, {40, 10}, {40, 30}, {20, 30}};

}  // namespace

// ---------------------------------------------------------------------------------
// Node editing

TEST(BodyOfNode, FindsTheFirstBodyUsingTheNode) {
  Editor e;
  e.Body(kSquare);
  int32_t body = -5;
  EXPECT_TRUE(BodyOfNode(6, body, e.model));
  EXPECT_EQ(body, 1);
  EXPECT_TRUE(BodyOfNode(2, body, e.model));
  EXPECT_EQ(body, 0);
  EXPECT_FALSE(BodyOfNode(99, body, e.model));
  EXPECT_EQ(body, -1);
}

TEST(InsertNodeOnEdge, AddsOneNodeToEveryPolygonOfTheEdge) {
  Editor e;
  // Two polygons of one body sharing the edge 5-6 at x = 40.
  const int32_t a = e.Node(20, 10), b = e.Node(40, 10), c = e.Node(40, 30), d = e.Node(20, 30);
  const int32_t f = e.Node(60, 10), g = e.Node(60, 30);
  e.model.push_back({Polygon{{a, b, c, d}, DefaultProps}, Polygon{{b, f, g, c}, DefaultProps}});
  EXPECT_FALSE(InsertNodeOnEdge(b, c, 1, {40, 10.00005}, e.model, e.nodes, 1, 1));
  EXPECT_EQ(e.nodes.size(), 10u);
  EXPECT_TRUE(InsertNodeOnEdge(b, c, 1, {40.3, 20}, e.model, e.nodes, 1, 1));
  ASSERT_EQ(e.nodes.size(), 11u);
  EXPECT_EQ(e.At(10), (complexM{40, 20}));  // snapped onto the edge
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{a, b, 10, c, d}));
  EXPECT_EQ(e.model[1][1].Nodes, (arofintM{b, f, g, c, 10}));
  EXPECT_EQ(e.nodes[10].Kind, KindInternal);
}

TEST(InsertNodeOnEdge, FrameNodesEnterTheFirstRunOnly) {
  Editor e;
  EXPECT_TRUE(InsertNodeOnEdge(1, 2, 0, {30, 50}, e.model, e.nodes, 1, 1));
  EXPECT_EQ(e.model[0][0].Nodes, (arofintM{0, 1, 4, 2, 3, 0, 3, 2, 1}));
  EXPECT_TRUE(InsertNodeOnEdge(3, 0, 0, {60, 0}, e.model, e.nodes, 1, 1));  // the closing edge
  EXPECT_EQ(e.model[0][0].Nodes, (arofintM{0, 1, 4, 2, 3, 5, 0, 3, 2, 1}));
  EXPECT_EQ(FrameFirstRunLength(e.model), 6);
}

TEST(InsertNodeOnEdge, RefusesAPointAboveTheGround) {
  Editor e;
  const int32_t body = e.Body({{20, 0}, {40, 0}, {40, 20}});
  const arofintM before = e.model[static_cast<size_t>(body)][0].Nodes;
  // Snapping onto the line through (40, 0) and (40, 20) beyond its end lands above ground.
  EXPECT_FALSE(InsertNodeOnEdge(5, 6, body, {40, -8}, e.model, e.nodes, 1, 1));
  EXPECT_EQ(e.nodes.size(), 7u);
  EXPECT_EQ(e.model[static_cast<size_t>(body)][0].Nodes, before);
}

TEST(DeleteNode, RefusesTrianglesAndCrossingsAndKeepsBackupRestorable) {
  Editor e;
  const int32_t tri = e.Body({{20, 10}, {40, 10}, {30, 30}});
  e.Backup();
  EXPECT_FALSE(e.Run(DeleteNode(4, tri, e.model, e.nodes)));
  EXPECT_EQ(e.model[1][0].Nodes.size(), 3u);
  EXPECT_EQ(e.nodes.size(), 7u);

  const int32_t quad = e.Body({{60, 10}, {80, 10}, {80, 30}, {60, 30}});
  e.Backup();
  EXPECT_TRUE(e.Run(DeleteNode(8, quad, e.model, e.nodes)));
  EXPECT_EQ(e.model[2][0].Nodes, (arofintM{7, 8, 9}));
  EXPECT_EQ(e.nodes.size(), 10u);

  // A node of another body is not deleted through this one.
  EXPECT_FALSE(DeleteNode(4, quad, e.model, e.nodes));
}

TEST(DeleteNode, RefusesAnInternalNodeWhoseChordCrossesTheBody) {
  Editor e;
  // Two polygons share the chain x - i - y; polygon A reaches down towards the chord.
  const int32_t x = e.Node(10, 20), i = e.Node(15, 25), y = e.Node(20, 20);
  const int32_t a1 = e.Node(10, 10), spike = e.Node(15, 22), a2 = e.Node(20, 10);
  const int32_t b1 = e.Node(20, 40), b2 = e.Node(10, 40);
  e.model.push_back({Polygon{{y, i, x, a1, spike, a2}, DefaultProps},
                     Polygon{{x, i, y, b1, b2}, DefaultProps}});
  e.Reclassify();
  ASSERT_EQ(e.nodes[static_cast<size_t>(i)].Kind, KindInternal);
  e.Backup();
  EXPECT_FALSE(e.Run(DeleteNode(i, 1, e.model, e.nodes)));
  EXPECT_EQ(e.nodes.size(), 12u);
}

TEST(ConstrainNodeMove, SlidesBorderNodesAndKeepsNodesBelowTheGround) {
  Editor e;
  const arofcomplexM relief{{0, 2}, {100, -4}};
  EXPECT_TRUE(InsertNodeOnEdge(1, 2, 0, {30, 50}, e.model, e.nodes, 1, 1));  // node 4
  e.nodes[4].Border = BorderBottom;
  EXPECT_TRUE(InsertNodeOnEdge(3, 0, 0, {50, 0}, e.model, e.nodes, 1, 1));  // node 5
  e.nodes[5].Border = BorderSurface;
  EXPECT_TRUE(InsertNodeOnEdge(0, 1, 0, {0, 20}, e.model, e.nodes, 1, 1));  // node 6
  e.nodes[6].Border = BorderLeft;
  const int32_t inner = e.Node(50, 25);
  struct Case {
    int32_t node;
    bool reliefOn;
    complexM target, expected;
    bool result;
  } cases[] = {
      {4, false, {130, 20}, {100, 50}, true},  // bottom node: x within the sides
      {4, false, {60, -9}, {60, 50}, true},
      {5, true, {25, 30}, {25, 0.5}, true},    // surface node follows the relief
      {5, false, {25, 30}, {25, 0}, true},
      {6, false, {40, -10}, {0, 0}, true},     // side node may not rise above the top
      {6, false, {40, 70}, {0, 50}, true},
      {inner, false, {20, -5}, {20, 0}, false},  // above the ground: held at the surface
      {inner, true, {50, -5}, {50, -1}, false},
      {inner, false, {-5, 60}, {0, 50}, false},
      {1, false, {10, 10}, {10, 10}, false},   // a corner of the start model does not move
  };
  for (const Case& c : cases) {
    double x = c.target.x, depth = c.target.z;
    EXPECT_EQ(ConstrainNodeMove(c.node, relief, c.reliefOn, e.nodes, e.model, depth, x, 50, 0, 100,
                                0),
              c.result)
        << c.node;
    EXPECT_DOUBLE_EQ(x, c.expected.x) << c.node;
    EXPECT_DOUBLE_EQ(depth, c.expected.z) << c.node;
  }
}

TEST(CheckMovedNodes, RefusesCrossingsNegativePolygonsAndLeavingTheModel) {
  struct Case {
    const char* what;
    complexM target;
    bool accepted;
  } cases[] = {
      {"small move", {42, 12}, true},
      {"across the opposite edge", {10, 20}, false},  // turns the square inside out
      {"into the other body", {65, 20}, false},
      {"above the ground", {40, -3}, false},
      {"just below the surface", {40, 2}, true},
  };
  for (const Case& c : cases) {
    Editor e;
    e.Body(kSquare);                                      // nodes 4..7
    e.Body({{60, 10}, {80, 10}, {80, 30}, {60, 30}});      // nodes 8..11
    const int32_t moved = 5;                              // (40, 10)
    e.nodes[moved].X = c.target.x;
    e.nodes[moved].Depth = c.target.z;
    EXPECT_EQ(CheckMovedNodes({moved}, 1, e.model, e.nodes, 0), c.accepted) << c.what;
  }
  // A whole body moved out of the frame is refused; mode 2 checks no edges at all.
  Editor e;
  e.Body(kSquare);
  for (int32_t n = 4; n < 8; ++n) e.nodes[static_cast<size_t>(n)].X += 200;
  EXPECT_FALSE(CheckMovedNodes({4, 5, 6, 7}, 1, e.model, e.nodes, 1));
  for (int32_t n = 4; n < 8; ++n) e.nodes[static_cast<size_t>(n)].X -= 200;
  EXPECT_TRUE(CheckMovedNodes({4, 5, 6, 7}, 1, e.model, e.nodes, 2));
}

TEST(CheckMovedNodes, RefusesABodySlidIntoAnotherFromACommonCorner) {
  Editor e;
  e.Body(kSquare);  // nodes 4..7; node 6 at (40, 30)
  const int32_t body = e.Body({{40, 30}, {50, 40}, {40, 45}});  // nodes 8..10, 8 on node 6
  // Both free nodes into the square: no edge crosses (the edges start at the common
  // corner or lie inside) and the triangle stays positive.
  e.nodes[9].X = 25;
  e.nodes[9].Depth = 28;
  e.nodes[10].X = 30;
  e.nodes[10].Depth = 20;
  ASSERT_FALSE(IsNodePolygonNegative(e.model[2][0].Nodes, e.nodes));
  EXPECT_FALSE(CheckMovedNodes({9, 10}, body, e.model, e.nodes, 0));
}

TEST(ReplaceNodeInBody, CouplingMergesBodiesWithBodyZeroSurviving) {
  Editor e;
  const int32_t b1 = e.Body(kSquare);                                  // nodes 4..7
  const int32_t b2 = e.Body({{40, 30}, {60, 30}, {60, 45}, {40, 45}});  // nodes 8..11
  e.Reclassify();
  // Node 8 (40, 30) onto node 6 (40, 30) of body 1.
  EXPECT_TRUE(ReplaceNodeInBody(8, 6, b2, b1, e.model, e.nodes));
  ASSERT_EQ(e.model.size(), 2u);
  ASSERT_EQ(e.model[1].size(), 2u);
  EXPECT_EQ(e.model[1][1].Nodes, (arofintM{6, 8, 9, 10}));
  EXPECT_EQ(e.nodes.size(), 11u);
  EXPECT_EQ(e.nodes[6].Kind, KindJunction);

  // A body-0 sub-polygon coupled with body 1: body 0 keeps everything.
  Editor f;
  const int32_t body = f.Body(kSquare);
  ASSERT_TRUE(InsertNodeOnEdge(1, 2, 0, {30, 50}, f.model, f.nodes, 1, 1));  // node 8
  f.Reclassify();
  EXPECT_TRUE(ReplaceNodeInBody(7, 8, body, 0, f.model, f.nodes));
  ASSERT_EQ(f.model.size(), 1u);
  EXPECT_EQ(f.model[0].size(), 2u);
  EXPECT_EQ(f.nodes.size(), 8u);
  EXPECT_EQ(f.model[0][1].Nodes, (arofintM{4, 5, 6, 7}));  // node 8 renumbered to 7
}

TEST(ReplaceNodeInBody, CouplingNeighboursRemovesTheEntryAndRefusesDegenerateResults) {
  Editor e;
  const int32_t body = e.Body({{20, 10}, {40, 10}, {40, 30}, {30, 40}, {20, 30}});
  e.Reclassify();
  EXPECT_FALSE(ReplaceNodeInBody(5, 5, body, body, e.model, e.nodes));
  EXPECT_TRUE(ReplaceNodeInBody(5, 6, body, body, e.model, e.nodes));
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{4, 5, 6, 7}));

  Editor t;
  const int32_t tri = t.Body({{20, 10}, {40, 10}, {30, 30}});
  t.Backup();
  EXPECT_FALSE(t.Run(ReplaceNodeInBody(4, 5, tri, tri, t.model, t.nodes)));
  EXPECT_EQ(t.model[1][0].Nodes.size(), 3u);

  // Two bodies cannot be coupled through an internal node.
  Editor i;
  const int32_t b1 = i.Body(kSquare);
  const int32_t b2 = i.Body({{40, 30}, {60, 30}, {60, 45}});
  i.nodes[6].Kind = KindInternal;
  EXPECT_FALSE(ReplaceNodeInBody(8, 6, b2, b1, i.model, i.nodes));
}

TEST(SplitSharedNode, GivesEveryFurtherUseANodeOfItsOwn) {
  Editor e;
  const int32_t body = e.Body(kSquare);
  EXPECT_FALSE(SplitSharedNode(4, body, e.model, e.nodes));  // kind 0
  EXPECT_EQ(e.nodes.size(), 8u);
  // A second polygon in the body touching the square only at node 6.
  const int32_t p = e.Node(60, 30), q = e.Node(60, 45);
  e.model[1].push_back(Polygon{{6, p, q}, DefaultProps});
  e.Reclassify();
  ASSERT_EQ(e.nodes[6].Kind, KindJunction);
  EXPECT_TRUE(SplitSharedNode(6, body, e.model, e.nodes));
  ASSERT_EQ(e.model.size(), 3u);  // the touching polygon is a body of its own now
  EXPECT_EQ(e.model[2][0].Nodes, (arofintM{10, p, q}));
  EXPECT_EQ(e.At(10), e.At(6));
  EXPECT_EQ(e.nodes[10].Border, BorderNone);
}

TEST(TidyFrame, RemovesFrameNodesNoSubPolygonUses) {
  Editor e;
  ASSERT_TRUE(InsertNodeOnEdge(1, 2, 0, {30, 50}, e.model, e.nodes, 1, 1));
  const int32_t keep = e.Node(60, 30);
  e.model[0].push_back(Polygon{{0, 1, keep}, DefaultProps});
  TidyFrame(e.model, e.nodes);
  EXPECT_EQ(e.model[0][0].Nodes, (arofintM{0, 1, 2, 3, 0, 3, 2, 1}));
  EXPECT_EQ(e.nodes.size(), 5u);
  EXPECT_EQ(e.model[0][1].Nodes, (arofintM{0, 1, 4}));
}

TEST(DeleteNode, KeepsTheFrameCornersAndRefusesPolygonsWithoutArea) {
  Editor e;
  for (int32_t corner = 0; corner < 4; ++corner)
    EXPECT_FALSE(DeleteNode(corner, 0, e.model, e.nodes)) << corner;
  EXPECT_EQ(e.model[0][0].Nodes, (arofintM{0, 1, 2, 3, 0, 3, 2, 1}));
  // A node inserted on the frame and unused by any sub-polygon may go.
  ASSERT_TRUE(InsertNodeOnEdge(1, 2, 0, {30, 50}, e.model, e.nodes, 1, 1));
  EXPECT_TRUE(DeleteNode(4, 0, e.model, e.nodes));
  EXPECT_EQ(e.nodes.size(), 4u);

  // A quadrilateral whose node 5 lies on the line from 4 to 6: without node 7 it is flat.
  const int32_t body = e.Body({{20, 10}, {30, 10}, {40, 10}, {30, 30}});
  e.Backup();
  EXPECT_FALSE(e.Run(DeleteNode(7, body, e.model, e.nodes)));
  EXPECT_EQ(e.model[1][0].Nodes.size(), 4u);
}

TEST(DividePolygon, RefusesChordsAlongItsEdgesOrThroughOtherBodies) {
  Editor e;
  const int32_t body = e.Body({{20, 10}, {30, 10}, {40, 10}, {40, 30}, {20, 30}});
  int32_t shape = 0;
  EXPECT_FALSE(DividePolygon(4, 6, body, shape, e.nodes, e.model));  // along the top edge
  EXPECT_EQ(e.model[1].size(), 1u);
  // A second body reaching into the polygon is not cut by a chord.
  e.Node(30, 15);
  e.Node(50, 15);
  e.Node(50, 25);
  e.model.push_back({Polygon{{9, 10, 11}, DefaultProps}});
  EXPECT_FALSE(DividePolygon(5, 7, body, shape, e.nodes, e.model));
  EXPECT_TRUE(DividePolygon(4, 7, body, shape, e.nodes, e.model));  // clear of the other body
}

TEST(ReplaceNodeInBody, RefusesPinchingAPolygon) {
  Editor e;
  const int32_t body = e.Body({{20, 10}, {40, 10}, {40, 30}, {20, 30}});
  e.Backup();
  EXPECT_FALSE(e.Run(ReplaceNodeInBody(4, 6, body, body, e.model, e.nodes)));
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{4, 5, 6, 7}));
}

// ---------------------------------------------------------------------------------
// Polygon editing

TEST(CheckNewPolygonPoint, RefusesPointsInsideBodiesAndCrossingSegments) {
  Editor e;
  e.Body(kSquare);
  struct Case {
    const char* what;
    arofcomplexM points;
    bool closing, accepted;
  } cases[] = {
      {"host region", {{60, 20}}, false, true},
      {"inside a body", {{30, 20}}, false, false},
      {"above the ground", {{60, -2}}, false, false},
      {"first segment crosses a body", {{10, 20}, {50, 20}}, false, false},
      {"clear triangle", {{60, 10}, {80, 10}, {70, 30}}, true, true},
      {"segment crosses a body", {{60, 10}, {60, 35}, {10, 35}, {10, 20}, {30, 5}}, false, false},
      {"segment crosses the drawing", {{60, 10}, {80, 10}, {80, 30}, {70, 5}}, false, false},
      {"closing segment crosses a body", {{10, 20}, {10, 40}, {50, 40}, {50, 20}}, true, false},
      {"empty", {}, false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckNewPolygonPoint(c.points, e.model, e.nodes, c.closing), c.accepted) << c.what;
}

TEST(AddPolygon, StoresPositiveOutlinesAfterAllNodes) {
  Editor e;
  const arofcomplexM negative{{20, 10}, {20, 30}, {40, 30}, {40, 10}};
  ASSERT_TRUE(IsNegative(negative));
  EXPECT_TRUE(AddPolygon(negative, e.model, e.nodes));
  ASSERT_EQ(e.model.size(), 2u);
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{4, 5, 6, 7}));
  EXPECT_EQ(e.At(4), (complexM{40, 10}));  // stored reversed
  EXPECT_FALSE(IsNodePolygonNegative(e.model[1][0].Nodes, e.nodes));
  EXPECT_EQ(e.model[1][0].Props[PropResistivity].AsDouble(), 10.0);

  struct Case {
    const char* what;
    arofcomplexM outline;
  } refused[] = {
      {"two points", {{60, 10}, {70, 10}}},
      {"around a body", {{10, 5}, {50, 5}, {50, 40}, {10, 40}}},
      {"inside a body", {{25, 15}, {35, 15}, {30, 25}}},
      {"closing edge crosses the outline", {{60, 10}, {80, 30}, {80, 10}, {60, 30}}},
      {"partly above the ground", {{60, 10}, {80, 10}, {70, -5}}},
  };
  for (const Case& c : refused) {
    EXPECT_FALSE(AddPolygon(c.outline, e.model, e.nodes)) << c.what;
    EXPECT_EQ(e.model.size(), 2u) << c.what;
    EXPECT_EQ(e.nodes.size(), 8u) << c.what;
  }
}

TEST(AddSubPolygon, CutsTheCornerOffBodyZeroOrTheRestWithTheDirectionFlag) {
  for (bool direction : {false, true}) {
    Editor e;
    ASSERT_TRUE(InsertNodeOnEdge(0, 1, 0, {0, 20}, e.model, e.nodes, 1, 1));  // node 4
    ASSERT_TRUE(InsertNodeOnEdge(3, 0, 0, {30, 0}, e.model, e.nodes, 1, 1));  // node 5
    const arofcomplexM drawn{{0, 20}, {30, 20}, {30, 0}};
    ASSERT_TRUE(
        AddSubPolygon(4, 5, 0, drawn, e.model, e.nodes, direction, 50, 0, 100, 0));
    ASSERT_EQ(e.model[0].size(), 2u);
    const arofintM& sub = e.model[0][1].Nodes;
    if (!direction) {
      EXPECT_EQ(sub, (arofintM{5, 6, 4, 0}));
    } else {
      EXPECT_EQ(sub, (arofintM{4, 6, 5, 3, 2, 1}));
    }
    EXPECT_FALSE(IsNodePolygonNegative(sub, e.nodes));
    EXPECT_EQ(e.nodes[4].Border, BorderLeft);
    EXPECT_EQ(e.nodes[5].Border, BorderSurface);
    EXPECT_EQ(e.nodes[6].Border, BorderNone);
    EXPECT_EQ(e.nodes[4].Kind, KindJunction);
    // A point inside the new layer is now refused for drawing.
    EXPECT_FALSE(CheckNewPolygonPoint({direction ? complexM{60, 40} : complexM{10, 10}}, e.model,
                                      e.nodes, false));
  }
}

TEST(InsertSubPolygon, EndsWithoutChangeWhenTheOutlineLeadsNowhere) {
  Editor e;
  const int32_t body = e.Body(kSquare);
  const int32_t lone = e.Node(90, 45);  // used by no polygon: no candidate
  const size_t nodesBefore = e.nodes.size();
  EXPECT_FALSE(InsertSubPolygon(lone, 4, body, {{90, 45}, {50, 20}, {20, 10}}, e.model, e.nodes,
                                false));
  EXPECT_EQ(e.nodes.size(), nodesBefore);
  EXPECT_EQ(e.model[1].size(), 1u);
}

TEST(DividePolygon, SplitsAlongAnInnerChordOnly) {
  Editor e;
  const int32_t body = e.Body(kSquare);  // nodes 4 (20,10), 5 (40,10), 6 (40,30), 7 (20,30)
  e.model[1][0].Props[PropShapeId] = int32_t{12};
  e.model[1][0].Props[PropResistivity] = 33.0;
  int32_t shape = 0;
  EXPECT_FALSE(DividePolygon(4, 5, body, shape, e.nodes, e.model));  // a side
  EXPECT_EQ(shape, 12);
  EXPECT_TRUE(DividePolygon(4, 6, body, shape, e.nodes, e.model));
  ASSERT_EQ(e.model[1].size(), 2u);
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{4, 5, 6}));
  EXPECT_EQ(e.model[1][1].Nodes, (arofintM{6, 7, 4}));
  for (const Polygon& half : e.model[1]) {
    EXPECT_EQ(half.Props[PropShapeId].AsInt(), -1);
    EXPECT_EQ(half.Props[PropResistivity].AsDouble(), 33.0);
  }
  EXPECT_EQ(e.nodes[4].Kind, KindJunction);
  EXPECT_EQ(e.nodes[5].Kind, KindOutline);

  // A chord outside a concave polygon.
  Editor c;
  const int32_t arrow = c.Body({{20, 10}, {40, 10}, {30, 20}, {40, 30}, {20, 30}});
  EXPECT_FALSE(DividePolygon(5, 7, arrow, shape, c.nodes, c.model));
}

TEST(DeleteSubPolygon, RemovesOnlyNodesNoOtherPolygonUses) {
  Editor e;
  const int32_t body = e.Body(kSquare);
  int32_t shape = 0;
  ASSERT_TRUE(DividePolygon(4, 6, body, shape, e.nodes, e.model));
  const int32_t extra = e.Node(30, 45);
  e.model[1].push_back(Polygon{{7, 6, extra}, DefaultProps});  // shares 6 and 7
  EXPECT_TRUE(DeleteSubPolygon(2, body, e.model, e.nodes));
  EXPECT_EQ(e.nodes.size(), 8u);
  EXPECT_EQ(e.model[1].size(), 2u);
  EXPECT_TRUE(DeleteSubPolygon(0, body, e.model, e.nodes));  // node 5 was its own
  EXPECT_EQ(e.nodes.size(), 7u);
  EXPECT_EQ(e.model[1][0].Nodes, (arofintM{5, 6, 4}));
  EXPECT_TRUE(DeleteSubPolygon(0, body, e.model, e.nodes));  // the only polygon: body gone
  EXPECT_EQ(e.model.size(), 1u);
  EXPECT_EQ(e.nodes.size(), 4u);
  EXPECT_FALSE(DeleteSubPolygon(0, 0, e.model, e.nodes));  // never the frame
}

TEST(UncoupleSubPolygon, MakesItABodyOfItsOwn) {
  Editor e;
  const int32_t body = e.Body(kSquare);
  int32_t shape = 0;
  ASSERT_TRUE(DividePolygon(4, 6, body, shape, e.nodes, e.model));
  const arofintM first = e.model[1][0].Nodes;
  EXPECT_TRUE(UncoupleSubPolygon(1, body, e.model, e.nodes));
  ASSERT_EQ(e.model.size(), 3u);
  EXPECT_EQ(e.model[1][0].Nodes, first);
  const arofintM& own = e.model[2][0].Nodes;
  EXPECT_EQ(own, (arofintM{8, 7, 9}));  // copies of 6 and 4, node 7 was its own already
  EXPECT_EQ(e.At(8), e.At(6));
  EXPECT_EQ(e.At(9), e.At(4));
  for (int32_t n : own) EXPECT_EQ(e.nodes[static_cast<size_t>(n)].Border, BorderNone);
  EXPECT_EQ(DuplicateSharedNode(5, 0, 1, e.nodes, e.model), 5);  // kind 0: unchanged
}

TEST(NodeAndShapeSets, FilterPinnedNodesAndRepeatedShapes) {
  Editor e;
  const int32_t body = e.Body({{20, 30}, {40, 30}, {40, 50}, {20, 50}});  // touches the bottom
  e.nodes[6].Border = BorderBottom;
  e.nodes[7].Border = BorderBottom;
  arofintM list;
  bool whole = true;
  BodyNodes(true, body, e.model, list, whole, e.nodes);
  EXPECT_EQ(list, (arofintM{4, 5}));
  EXPECT_FALSE(whole);
  BodyNodes(false, body, e.model, list, whole, e.nodes);
  EXPECT_EQ(list, (arofintM{4, 5, 6, 7}));
  EXPECT_FALSE(whole);
  e.nodes[6].Border = e.nodes[7].Border = BorderNone;
  e.nodes[5].Fixed = 1;
  SubPolygonNodes(true, body, 0, list, whole, e.nodes, e.model);
  EXPECT_EQ(list, (arofintM{4, 6, 7}));
  EXPECT_FALSE(whole);

  int32_t shape = 0;
  ASSERT_TRUE(DividePolygon(4, 6, body, shape, e.nodes, e.model));
  e.model[1][0].Props[PropShapeId] = int32_t{3};
  e.model[1][1].Props[PropShapeId] = int32_t{8};
  arofintM ids, bodies, polys;
  ShapesUsingNodes({5}, body, e.model, ids, bodies, polys, e.nodes);
  EXPECT_EQ(ids, (arofintM{3}));
  ShapesUsingNodes({4, 6}, body, e.model, ids, bodies, polys, e.nodes);
  EXPECT_EQ(ids, (arofintM{3, 8}));
  EXPECT_EQ(polys, (arofintM{0, 1}));
  e.model[1][1].Props[PropShapeId] = int32_t{3};
  ShapesUsingNodes({4}, body, e.model, ids, bodies, polys, e.nodes);
  EXPECT_EQ(ids, (arofintM{3}));
  BodyShapes(body, e.model, ids, polys, bodies);
  EXPECT_EQ(polys, (arofintM{0, 1}));
  EXPECT_EQ(bodies, (arofintM{1, 1}));
  SubPolygonShape(body, 1, e.model, ids, polys, bodies);
  EXPECT_EQ(ids, (arofintM{3}));
  EXPECT_EQ(polys, (arofintM{1}));
}

// ---------------------------------------------------------------------------------
// Bodies that meet only at node positions: no edge crosses, yet one may cover another

TEST(DeleteNode, RefusesAnEdgeLaidOverABodyOnCopiesOfItsEnds) {
  Editor e;
  // A square with a notch in its top (node 5) and a triangle filling the notch on
  // copies of the notch's three nodes.
  const int32_t square = e.Body({{20, 10}, {30, 15}, {40, 10}, {40, 30}, {20, 30}});
  e.Body({{20, 10}, {40, 10}, {30, 15}});
  e.Backup();
  EXPECT_FALSE(e.Run(DeleteNode(5, square, e.model, e.nodes)));
  EXPECT_EQ(e.model[1][0].Nodes.size(), 5u);
  // A corner away from the triangle may go.
  EXPECT_TRUE(e.Run(DeleteNode(7, square, e.model, e.nodes)));
}

TEST(AddSubPolygon, RefusesALayerClosingRoundABodyThatTouchesItsStartNode) {
  for (bool direction : {false, true}) {
    Editor e;
    ASSERT_TRUE(InsertNodeOnEdge(0, 1, 0, {0, 20}, e.model, e.nodes, 1, 1));  // node 4
    ASSERT_TRUE(InsertNodeOnEdge(3, 0, 0, {30, 0}, e.model, e.nodes, 1, 1));  // node 5
    e.Reclassify();
    // A triangle in the top-left corner hanging from a copy of node 5.
    e.Body({{30, 0}, {25, 12}, {20, 8}});
    const arofcomplexM drawn{{0, 20}, {30, 20}, {30, 0}};
    // The corner cut off would hold the triangle; the rest of the frame does not.
    EXPECT_EQ(AddSubPolygon(4, 5, 0, drawn, e.model, e.nodes, direction, 50, 0, 100, 0),
              direction)
        << direction;
  }
}

// ---------------------------------------------------------------------------------
// Random edits

namespace {

// Shoelace sum over (x, depth): positive for the orientation the edits produce.
double TwiceSignedArea(const arofintM& list, const Tnodes& nodes) {
  double sum = 0;
  for (size_t k = 0; k < list.size(); ++k) {
    const Tnode& a = nodes[static_cast<size_t>(list[k])];
    const Tnode& b = nodes[static_cast<size_t>(list[(k + 1) % list.size()])];
    sum += a.X * b.Depth - b.X * a.Depth;
  }
  return sum;
}

// Two segments whose interiors cross: each strictly separates the other's ends.
// Touching at an end point, or running along each other, is not crossing.
bool InteriorsCross(int32_t a, int32_t b, int32_t c, int32_t d, const Tnodes& nodes) {
  auto side = [&](int32_t p, int32_t u, int32_t v) {
    const Tnode &P = nodes[static_cast<size_t>(p)], &U = nodes[static_cast<size_t>(u)],
                &V = nodes[static_cast<size_t>(v)];
    const double s = (V.X - U.X) * (P.Depth - U.Depth) - (V.Depth - U.Depth) * (P.X - U.X);
    return s > 1e-9 ? 1 : (s < -1e-9 ? -1 : 0);
  };
  return side(c, a, b) * side(d, a, b) < 0 && side(a, c, d) * side(b, c, d) < 0;
}

// Even-odd test with the point assumed off every edge.
bool Inside(double x, double z, const std::vector<complexM>& ring) {
  bool inside = false;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
    if ((ring[i].z > z) != (ring[j].z > z) &&
        x < ring[i].x + (ring[j].x - ring[i].x) * (z - ring[i].z) / (ring[j].z - ring[i].z))
      inside = !inside;
  return inside;
}

// Names two polygons (the frame aside) whose interiors overlap, or a polygon reaching
// out of the frame, "" when there is none.
// Once no edges cross, two overlapping polygons share a stretch of boundary of their
// common part, and that stretch runs along pieces of their edges between the nodes
// lying on them. So a point just inside each such piece of every polygon finds the
// overlap: it lies inside the other polygon. Shared nodes and shared edges are not
// overlaps: the probe lies on one side of the shared edge only.
std::string Overlap(const AllSpolygon& model, const Tnodes& nodes) {
  struct Ring {
    size_t body, polygon;
    std::vector<complexM> points;
    double minX, maxX, minZ, maxZ;
  };
  std::vector<Ring> rings;
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      Ring r{b, p, {}, 1e300, -1e300, 1e300, -1e300};
      for (int32_t n : model[b][p].Nodes) {
        const Tnode& t = nodes[static_cast<size_t>(n)];
        r.points.push_back({t.X, t.Depth});
        r.minX = std::min(r.minX, t.X);
        r.maxX = std::max(r.maxX, t.X);
        r.minZ = std::min(r.minZ, t.Depth);
        r.maxZ = std::max(r.maxZ, t.Depth);
      }
      rings.push_back(std::move(r));
    }
  // The frame's first run bounds the model: no polygon may reach out of it, in particular
  // not into the air over a dip of the relief.
  std::vector<complexM> frame;
  const arofintM& frameList = model[0][0].Nodes;
  for (int32_t k = 0; k < FrameFirstRunLength(model); ++k) {
    const Tnode& t = nodes[static_cast<size_t>(frameList[static_cast<size_t>(k)])];
    frame.push_back({t.X, t.Depth});
  }
  constexpr double offset = 1e-7;
  for (const Ring& r : rings) {
    const size_t count = r.points.size();
    for (size_t k = 0; k < count; ++k) {
      const complexM a = r.points[k], b = r.points[(k + 1) % count];
      const double dx = b.x - a.x, dz = b.z - a.z, length = std::hypot(dx, dz);
      // Break points: every node lying on the edge, as fractions along it.
      std::vector<double> cuts{0.0, 1.0};
      for (const Tnode& t : nodes) {
        const double px = t.X - a.x, pz = t.Depth - a.z;
        const double along = (px * dx + pz * dz) / (length * length);
        if (along > 0 && along < 1 && std::fabs(px * dz - pz * dx) <= 1e-9 * length)
          cuts.push_back(along);
      }
      std::sort(cuts.begin(), cuts.end());
      for (size_t c = 0; c + 1 < cuts.size(); ++c) {
        if ((cuts[c + 1] - cuts[c]) * length < 1e-6) continue;
        const double t = 0.5 * (cuts[c] + cuts[c + 1]);
        // Positive polygons over (x, depth) have their interior to the left of each edge.
        const double x = a.x + t * dx - offset * dz / length;
        const double z = a.z + t * dz + offset * dx / length;
        if (!Inside(x, z, frame))
          return "polygon " + std::to_string(r.body) + "." + std::to_string(r.polygon) +
                 " outside the frame";
        for (const Ring& o : rings) {
          if (&o == &r || x < o.minX || x > o.maxX || z < o.minZ || z > o.maxZ) continue;
          if (Inside(x, z, o.points))
            return "overlapping polygons " + std::to_string(r.body) + "." +
                   std::to_string(r.polygon) + " and " + std::to_string(o.body) + "." +
                   std::to_string(o.polygon);
        }
      }
    }
  }
  return "";
}

// Collects every problem of a model that no accepted edit may leave behind.
std::string Problems(const Editor& e) {
  const AllSpolygon& model = e.model;
  const Tnodes& nodes = e.nodes;
  struct Edge {
    int32_t a, b;
  };
  std::vector<Edge> edges;
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      const arofintM& list = model[b][p].Nodes;
      const bool frame = b == 0 && p == 0;
      if (!frame && list.size() < 3) return "polygon with fewer than three nodes";
      if (!frame && TwiceSignedArea(list, nodes) <= 1e-6) return "polygon without positive area";
      for (int32_t n : list)
        if (n < 0 || static_cast<size_t>(n) >= nodes.size()) return "bad node index";
      const size_t length = frame ? static_cast<size_t>(FrameFirstRunLength(model)) : list.size();
      for (size_t k = 0; k < length; ++k) edges.push_back({list[k], list[(k + 1) % length]});
    }
  for (const Tnode& n : nodes)
    if (n.X < -1e-9 || n.X > 100 + 1e-9 || n.Depth < e.Ground(n.X) - 1e-6 || n.Depth > 50 + 1e-9)
      return "node outside the bounds";
  for (size_t i = 0; i < edges.size(); ++i)
    for (size_t j = i + 1; j < edges.size(); ++j)
      if (InteriorsCross(edges[i].a, edges[i].b, edges[j].a, edges[j].b, nodes))
        return "crossing edges";
  return Overlap(model, nodes);
}

}  // namespace

class RandomEdits : public ::testing::TestWithParam<std::tuple<bool, uint32_t>> {};

TEST_P(RandomEdits, NeverLeaveAnInvalidModel) {
  const auto [withRelief, seed] = GetParam();
  // With a relief the surface nodes of the frame lie at x = 80, 50 and 20.
  Editor e(withRelief ? arofcomplexM{{-10, 8}, {20, 3}, {50, 9}, {80, 2}, {110, 6}}
                      : arofcomplexM{});
  e.Body(kSquare);
  e.Body({{60, 10}, {80, 10}, {80, 25}, {60, 25}});
  e.Body({{45, 35}, {70, 35}, {55, 45}});
  ASSERT_EQ(Problems(e), "");
  std::mt19937 rng(seed);
  auto uniform = [&](double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); };
  auto pick = [&](size_t n) { return static_cast<int32_t>(std::uniform_int_distribution<size_t>(0, n - 1)(rng)); };
  int accepted = 0;
  for (int step = 0; step < 3000; ++step) {
    e.Backup();
    bool ok = false;
    const int op = pick(12);
    const complexM mouse{uniform(-5, 105), uniform(-5, 55)};
    if (op <= 1) {  // move a node
      double plain = 0, scaled = 0;
      const int32_t n = NearestNode(mouse, e.nodes, plain, scaled, 1, 1);
      int32_t body = -1;
      if (n >= 0 && e.nodes[static_cast<size_t>(n)].Fixed == 0 && BodyOfNode(n, body, e.model)) {
        double x = mouse.x + uniform(-15, 15), depth = mouse.z + uniform(-15, 15);
        const bool border = e.nodes[static_cast<size_t>(n)].Border != BorderNone;
        if (!border ||
            ConstrainNodeMove(n, e.relief, e.reliefOn, e.nodes, e.model, depth, x, 50, 0, 100, 0)) {
          if (!border) {
            x = std::clamp(x, 0.0, 100.0);
            depth = std::min(depth, 50.0);
          }
          e.nodes[static_cast<size_t>(n)].X = x;
          e.nodes[static_cast<size_t>(n)].Depth = depth;
          UpdateReliefPolygons(n, e.reliefOn, e.model, e.nodes);
          ok = CheckMovedNodes({n}, body, e.model, e.nodes, 0);
        }
      }
    } else if (op == 2) {  // insert a node on the nearest edge
      double distance = 0;
      bool nearEnd = false;
      int32_t body = -1, a = -1, b = -1;
      NearestEdge(mouse, e.nodes, e.model, distance, 1, 1, nearEnd, body, a, b);
      if (body >= 0 && !nearEnd) {
        const double t = uniform(0.2, 0.8);
        const complexM pa = e.At(a), pb = e.At(b);
        ok = InsertNodeOnEdge(a, b, body, {pa.x + t * (pb.x - pa.x), pa.z + t * (pb.z - pa.z)},
                              e.model, e.nodes, 1, 1);
        if (ok && body == 0) {
          const int32_t added = static_cast<int32_t>(e.nodes.size()) - 1;
          e.nodes.back().Border = BorderCodeOf(added, e.model, e.nodes, 50, 0, 100, 0);
        }
      }
    } else if (op == 3) {  // delete a node
      const int32_t n = pick(e.nodes.size());
      int32_t body = -1;
      if (BodyOfNode(n, body, e.model)) ok = DeleteNode(n, body, e.model, e.nodes);
    } else if (op == 4) {  // move a body
      int32_t body = -1, polygon = -1;
      if (FindPolygonAt(e.model, body, polygon, e.nodes, mouse.x, mouse.z)) {
        arofintM moving;
        bool whole = false;
        BodyNodes(true, body, e.model, moving, whole, e.nodes);
        const double dx = uniform(-10, 10), dz = uniform(-10, 10);
        for (int32_t n : moving) {
          e.nodes[static_cast<size_t>(n)].X += dx;
          e.nodes[static_cast<size_t>(n)].Depth += dz;
        }
        ok = CheckMovedNodes(moving, body, e.model, e.nodes, whole ? 1 : 0);
      }
    } else if (op == 6) {  // divide the polygon under the mouse between two of its nodes
      int32_t body = -1, polygon = -1, shape = 0;
      if (FindPolygonAt(e.model, body, polygon, e.nodes, mouse.x, mouse.z)) {
        const arofintM& list = e.model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes;
        ok = DividePolygon(list[static_cast<size_t>(pick(list.size()))],
                           list[static_cast<size_t>(pick(list.size()))], body, shape, e.nodes, e.model);
      }
    } else if (op == 7) {  // draw a small triangle point by point
      arofcomplexM drawn;
      ok = true;
      for (int k = 0; k < 3 && ok; ++k) {
        drawn.push_back({mouse.x + uniform(-12, 12), mouse.z + uniform(-12, 12)});
        ok = CheckNewPolygonPoint(drawn, e.model, e.nodes, k == 2);
      }
      ok = ok && AddPolygon(drawn, e.model, e.nodes);
    } else if (op == 8 || op == 9 || op == 10) {  // split, uncouple or delete under the mouse
      int32_t body = -1, polygon = -1;
      if (FindPolygonAt(e.model, body, polygon, e.nodes, mouse.x, mouse.z)) {
        if (op == 8) {
          const arofintM& list =
              e.model[static_cast<size_t>(body)][static_cast<size_t>(polygon)].Nodes;
          ok = SplitSharedNode(list[static_cast<size_t>(pick(list.size()))], body, e.model, e.nodes);
        } else if (op == 9) {
          ok = UncoupleSubPolygon(polygon, body, e.model, e.nodes);
        } else {
          ok = DeleteSubPolygon(polygon, body, e.model, e.nodes);
        }
      }
    } else if (op == 11) {  // a layer of body 0 under the surface between two picks
      const double x1 = uniform(5, 60), x2 = x1 + uniform(5, 35);
      auto surfaceNode = [&](double x) {
        const complexM at{x, e.Ground(x)};
        double distance = 0;
        bool nearEnd = false;
        int32_t body = -1, a = -1, b = -1;
        const int32_t onNode =
            NearestExternalEdge(at, e.nodes, e.model, distance, 1, 1, nearEnd, body, a, b);
        if (body != 0) return -1;
        if (onNode >= 0) return onNode;
        if (!InsertNodeOnEdge(a, b, 0, at, e.model, e.nodes, 1, 1)) return -1;
        const int32_t added = static_cast<int32_t>(e.nodes.size()) - 1;
        e.nodes.back().Border = BorderCodeOf(added, e.model, e.nodes, 50, 0, 100, 0);
        return added;
      };
      const int32_t s1 = surfaceNode(x1);
      const int32_t s2 = s1 >= 0 ? surfaceNode(x2) : -1;
      if (s2 >= 0 && s1 != s2) {
        const double depth = uniform(2, 12);
        const arofcomplexM drawn{e.At(s1), {x1, e.Ground(x1) + depth}, {x2, e.Ground(x2) + depth},
                                 e.At(s2)};
        ok = CheckNewPolygonPoint({drawn[0], drawn[1]}, e.model, e.nodes, false) &&
             CheckNewPolygonPoint({drawn[0], drawn[1], drawn[2]}, e.model, e.nodes, false) &&
             CheckNewPolygonPoint(drawn, e.model, e.nodes, false) &&
             AddSubPolygon(s1, s2, 0, drawn, e.model, e.nodes, false, 50, 0, 100, 0);
      }
    } else {  // couple two nearby nodes
      double plain = 0, scaled = 0;
      const int32_t a = NearestNode(mouse, e.nodes, plain, scaled, 1, 1);
      const complexM near{mouse.x + uniform(-8, 8), mouse.z + uniform(-8, 8)};
      const int32_t b = NearestNode(near, e.nodes, plain, scaled, 1, 1);
      int32_t bodyA = -1, bodyB = -1;
      if (a != b && e.nodes[static_cast<size_t>(a)].Fixed == 0 && BodyOfNode(a, bodyA, e.model) &&
          BodyOfNode(b, bodyB, e.model) && e.nodes[static_cast<size_t>(a)].Border == BorderNone) {
        e.nodes[static_cast<size_t>(a)].X = e.nodes[static_cast<size_t>(b)].X;
        e.nodes[static_cast<size_t>(a)].Depth = e.nodes[static_cast<size_t>(b)].Depth;
        ok = CheckMovedNodes({a}, bodyA, e.model, e.nodes, 0) &&
             ReplaceNodeInBody(a, b, bodyA, bodyB, e.model, e.nodes);
      }
    }
    if (!ok) e.Restore();
    accepted += ok ? 1 : 0;
    const std::string problem = Problems(e);
    ASSERT_EQ(problem, "") << "step " << step << ", operation " << op;
  }
  EXPECT_GT(accepted, 100);  // the run really edited the model
}

INSTANTIATE_TEST_SUITE_P(FlatAndRelief, RandomEdits,
                         ::testing::Combine(::testing::Bool(),
                                            ::testing::Values(20261210u, 7u, 424242u)));

}  // namespace test_polygons_edit
