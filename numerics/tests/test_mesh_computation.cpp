// Computation mesh: edge subdivision by the step law, split at the bounds, frame
// moved outward, graded outer edges, shared edges and refused settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "numerics/ComputationMesh.h"

namespace test_mesh_computation {

namespace {

using ComputationMesh::TMeshModel;
using ComputationMesh::TMeshSettings;

// The main window's defaults for an electrode spacing of 10.
TMeshSettings Defaults() {
  TMeshSettings s;
  s.HalfSpacing = 5.0;
  s.StartXStep = 2.0 * 10.0 / 3.0;
  s.StartZStep = 1.0 * 10.0 / 10.0;
  return s;
}

TMeshModel Bounds() {
  TMeshModel m;
  m.XMin = 0.0;
  m.XMax = 100.0;
  m.ZMax = 50.0;
  return m;
}

int32_t Node(Tnodes& nodes, double x, double z, int32_t border = 0) {
  Tnode n;
  n.X = x;
  n.Depth = z;
  n.Border = border;
  nodes.push_back(n);
  return static_cast<int32_t>(nodes.size()) - 1;
}

// Start model 0..100 x 0..50 without relief.
void Frame(AllSpolygon& model, Tnodes& nodes) {
  nodes.clear();
  Node(nodes, 0, 0, 1);
  Node(nodes, 0, 50, 2);
  Node(nodes, 100, 50, 4);
  Node(nodes, 100, 0, 5);
  model.assign(1, SPolygon(1));
  model[0][0].Nodes = {0, 1, 2, 3, 0, 3, 2, 1};
}

Polygon Shape(const arofintM& list, double rho) {
  Polygon p;
  p.Nodes = list;
  p.Props[Polygons::PropResistivity] = rho;
  return p;
}

TEST(SubdivideEdge, FollowsTheStepLaw) {
  const TMeshSettings s = Defaults();
  arofcomplexM points;
  // The horizontal step at depth d is the step law 0.2 d + 6.67, but at most
  // 1.5 * 0.2 * d, and never below half the start step (3.33).
  auto horizontal = [](double d) { return std::min(0.2 * d + 20.0 / 3.0, std::max(10.0 / 3.0, 0.3 * d)); };
  // The flat surface carries no integrals: equal parts of about the start step.
  ComputationMesh::SubdivideEdge(Bounds(), s, points, 0, 0, 20, 0);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_NEAR(points[0].x, 20.0 / 3.0, 1e-12);
  EXPECT_NEAR(points[1].x, 40.0 / 3.0, 1e-12);
  // Constant depth 15: parts of about 4.5 (the depth share), not 9.67.
  ComputationMesh::SubdivideEdge(Bounds(), s, points, 0, 15, 90, 15);
  EXPECT_EQ(points.size(), static_cast<size_t>(std::nearbyint(90.0 / horizontal(15.0))) - 1);
  // Constant depth 50: parts of about 15 (the share of the depth, below 16.67).
  ComputationMesh::SubdivideEdge(Bounds(), s, points, 0, 50, 100, 50);
  EXPECT_EQ(points.size(), 6u);
  // Constant depth 80: the step law itself, 0.2 * 80 + 6.67 = 22.67.
  ComputationMesh::SubdivideEdge(Bounds(), s, points, 0, 80, 100, 80);
  EXPECT_EQ(points.size(), static_cast<size_t>(std::nearbyint(100.0 / (0.2 * 80 + 20.0 / 3.0))) - 1);
  // Vertical edge: half the step law, (1 + 0.2 d) / 2, growing with depth, no sliver.
  ComputationMesh::SubdivideEdge(Bounds(), s, points, 10, 0, 10, 20);
  ASSERT_GE(points.size(), 3u);
  double depth = 0.0;
  for (const complexM& p : points) {
    EXPECT_NEAR(p.z - depth, 0.5 * (1.0 + 0.2 * depth), 1e-9);
    EXPECT_EQ(p.x, 10.0);
    depth = p.z;
  }
  EXPECT_GT(20.0 - depth, 0.3 * 0.5 * (1.0 + 0.2 * depth));
  // The same edge given from its deep end: the same points, reversed.
  arofcomplexM reversed;
  ComputationMesh::SubdivideEdge(Bounds(), s, reversed, 10, 20, 10, 0);
  ASSERT_EQ(reversed.size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) EXPECT_EQ(reversed[i], points[points.size() - 1 - i]);
}

TEST(BuildComputationMesh, SplitsAtTheBoundsMovesTheFrameAndGradesOuterEdges) {
  AllSpolygon model;
  Tnodes nodes;
  Frame(model, nodes);
  // A body-0 layer along the top from the left to the right side, 10 deep.
  const int32_t l = Node(nodes, 0, 10, 1), r = Node(nodes, 100, 10, 5);
  model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
  model[0].push_back(Shape({0, 3, r, l}, 30.0));
  // A block of its own body sharing nothing.
  const int32_t b0 = Node(nodes, 40, 20), b1 = Node(nodes, 60, 20), b2 = Node(nodes, 60, 30), b3 = Node(nodes, 40, 30);
  model.push_back({Shape({b0, b1, b2, b3}, 5.0)});
  const Tnodes before = nodes;
  double offset = 0.0;
  std::string message;
  ASSERT_TRUE(ComputationMesh::BuildComputationMesh(Bounds(), Defaults(), model, nodes, offset, message));
  EXPECT_EQ(offset, 2187.0 * 5.0);
  // Input nodes keep their indices; border nodes move outward by their codes.
  EXPECT_EQ(nodes[0].X, -offset);
  EXPECT_EQ(nodes[1].X, -offset);
  EXPECT_EQ(nodes[1].Depth, 50.0 + offset);
  EXPECT_EQ(nodes[2].X, 100.0 + offset);
  EXPECT_EQ(nodes[3].X, 100.0 + offset);
  EXPECT_EQ(nodes[3].Depth, 0.0);
  EXPECT_EQ(nodes[b0].X, 40.0);
  EXPECT_EQ(nodes[1].SavedDepth, 50.0);
  // Bodies, polygons and properties unchanged in number and order.
  ASSERT_EQ(model.size(), 2u);
  ASSERT_EQ(model[0].size(), 2u);
  EXPECT_EQ(model[1][0].Props[Polygons::PropResistivity].AsDouble(), 5.0);
  // Without relief the frame takes no part.
  EXPECT_EQ(model[0][0].Nodes, (arofintM{0, l, 1, 2, r, 3, 0, 3, 2, 1}));
  // The layer's top runs from the moved corner through points graded from the bound
  // outward: the first step is the step at the bound (half the start step at depth
  // 0, at most h), each next one 1.5 times longer, the last no farther than 729 h.
  const arofintM& top = model[0][1].Nodes;
  EXPECT_EQ(top[0], 0);
  arofdoubleM expected;
  for (double step = std::min(10.0 / 3.0, 5.0), t = step; t <= 729 * 5.0; step *= 1.5, t += step)
    expected.insert(expected.begin(), -t);
  expected.push_back(0.0);  // the copy on the bound
  ASSERT_GT(top.size(), expected.size() + 2);
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(nodes[top[i + 1]].X, expected[i], 1e-9) << i;
    EXPECT_EQ(nodes[top[i + 1]].Depth, 0.0);
  }
  // Inner top edge on the flat surface: equal parts of about 6.67.
  const size_t k = expected.size() + 1;
  EXPECT_NEAR(nodes[top[k + 1]].X - nodes[top[k]].X, 100.0 / 15.0, 1e-9);
  // The block is refined on every edge and keeps its orientation.
  const arofintM& block = model[1][0].Nodes;
  EXPECT_GT(block.size(), 4u);
  EXPECT_EQ(block[0], b0);
  EXPECT_GT(nodes[block[1]].X, 40.0);
  EXPECT_EQ(nodes[block[1]].Depth, 20.0);
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(nodes[i].Border, before[i].Border);
}

TEST(BuildComputationMesh, SharedEdgesGetTheSameNodesInEachDirection) {
  AllSpolygon model;
  Tnodes nodes;
  Frame(model, nodes);
  const int32_t a = Node(nodes, 20, 10), b = Node(nodes, 50, 10), c = Node(nodes, 50, 30), d = Node(nodes, 20, 30);
  const int32_t e = Node(nodes, 80, 10), f = Node(nodes, 80, 30);
  model[0].push_back(Shape({a, b, c, d}, 10.0));  // shares b-c with the next, run b -> c
  model[0].push_back(Shape({b, e, f, c}, 20.0));  // runs c -> b (closing edge)
  double offset = 0.0;
  std::string message;
  ASSERT_TRUE(ComputationMesh::BuildComputationMesh(Bounds(), Defaults(), model, nodes, offset, message));
  auto between = [](const arofintM& list, int32_t from, int32_t to) {
    arofintM run;
    const size_t n = list.size();
    size_t i = 0;
    while (list[i] != from) ++i;
    for (size_t k = 1; list[(i + k) % n] != to; ++k) run.push_back(list[(i + k) % n]);
    return run;
  };
  const arofintM forward = between(model[0][1].Nodes, b, c);
  arofintM backward = between(model[0][2].Nodes, c, b);
  ASSERT_FALSE(forward.empty());
  std::reverse(backward.begin(), backward.end());
  EXPECT_EQ(forward, backward);
  for (size_t i = 1; i < forward.size(); ++i) EXPECT_GT(nodes[forward[i]].Depth, nodes[forward[i - 1]].Depth);
}

TEST(BuildComputationMesh, ReliefFrameBecomesTheSurfaceLine) {
  AllSpolygon model;
  Tnodes nodes;
  Frame(model, nodes);
  const int32_t r1 = Node(nodes, 70, 2, 6), r2 = Node(nodes, 30, 1, 6);
  model[0][0].Nodes = {0, 1, 2, 3, r1, r2, 0, r2, r1, 3, 2, 1};
  TMeshModel bounds = Bounds();
  bounds.HasRelief = true;
  bounds.Relief = {{-10, 0}, {30, 1}, {70, 2}, {110, 0}};
  double offset = 0.0;
  std::string message;
  ASSERT_TRUE(ComputationMesh::BuildComputationMesh(bounds, Defaults(), model, nodes, offset, message));
  const arofintM& line = model[0][0].Nodes;
  EXPECT_EQ(line.front(), 3);
  EXPECT_EQ(line.back(), 0);
  // Runs toward smaller x, refined between the relief nodes.
  for (size_t i = 1; i < line.size(); ++i) EXPECT_LT(nodes[line[i]].X, nodes[line[i - 1]].X);
  EXPECT_GT(line.size(), 20u);
}

TEST(BuildGravMagMesh, SplitsAndMovesByTheGivenOffsetWithoutRefining) {
  for (double offset : {0.0, 100.0}) {
    SCOPED_TRACE(offset);
    AllSpolygon model;
    Tnodes nodes;
    Frame(model, nodes);
    const int32_t l = Node(nodes, 0, 10, 1), r = Node(nodes, 100, 10, 5);
    model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
    model[0].push_back(Shape({0, 3, r, l}, 30.0));
    std::string message;
    ASSERT_TRUE(ComputationMesh::BuildGravMagMesh(Bounds(), offset, model, nodes, message));
    // Top and bottom edges of the layer are split once at each side: 4 copies.
    ASSERT_EQ(model[0][1].Nodes.size(), 8u);
    ASSERT_EQ(nodes.size(), 10u);
    EXPECT_EQ(nodes[0].X, -offset);
    EXPECT_EQ(nodes[r].X, 100.0 + offset);
    for (size_t i = 6; i < 10; ++i) EXPECT_TRUE(nodes[i].X == 0.0 || nodes[i].X == 100.0);
  }
}

TEST(BuildComputationMesh, RefusesSettingsThatGiveNoSteps) {
  struct TCase {
    const char* name;
    void (*spoil)(TMeshSettings&);
    const char* says;  // the bad value as the message shows it
  };
  const TCase cases[] = {
      {"start x 0", [](TMeshSettings& s) { s.StartXStep = 0.0; }, "(it is 0)"},
      {"start z negative", [](TMeshSettings& s) { s.StartZStep = -1.0; }, "(it is -1)"},
      {"factor x negative", [](TMeshSettings& s) { s.FactorX = -0.125; }, "(it is -0.125)"},
      {"factor z NaN", [](TMeshSettings& s) { s.FactorZ = std::nan(""); }, "(it is nan)"},
      {"spacing 0", [](TMeshSettings& s) { s.HalfSpacing = -1e-7; }, "(half spacing -1e-07)"},
      {"steps far too small", [](TMeshSettings& s) { s.StartXStep = 1e-9; s.StartZStep = 1e-9; s.FactorX = 0.0; s.FactorZ = 0.0; }, "nodes"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    AllSpolygon model;
    Tnodes nodes;
    Frame(model, nodes);
    const int32_t a = Node(nodes, 20, 10), b = Node(nodes, 50, 10), d = Node(nodes, 20, 30);
    model.push_back({Shape({a, b, d}, 10.0)});
    const Tnodes before = nodes;
    TMeshSettings s = Defaults();
    c.spoil(s);
    double offset = -1.0;
    std::string message;
    EXPECT_FALSE(ComputationMesh::BuildComputationMesh(Bounds(), s, model, nodes, offset, message));
    EXPECT_NE(message.find(c.says), std::string::npos) << message;
    EXPECT_EQ(nodes.size(), before.size());
    EXPECT_EQ(model[1][0].Nodes.size(), 3u);
    EXPECT_EQ(offset, -1.0);
  }
}

}  // namespace

}  // namespace test_mesh_computation
