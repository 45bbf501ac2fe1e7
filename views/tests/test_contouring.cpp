#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <set>
#include <vector>

#include "views/Contouring.h"

namespace test_contouring {

namespace {

struct P {
  double x, y;
};

double Cross(const P& o, const P& a, const P& b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

double HullArea(std::vector<P> pts) {
  std::sort(pts.begin(), pts.end(), [](const P& a, const P& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  std::vector<P> h(2 * pts.size());
  size_t k = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && Cross(h[k - 2], h[k - 1], pts[i]) <= 0) --k;
    h[k++] = pts[i];
  }
  for (size_t i = pts.size() - 1, t = k + 1; i > 0; --i) {
    while (k >= t && Cross(h[k - 2], h[k - 1], pts[i - 1]) <= 0) --k;
    h[k++] = pts[i - 1];
  }
  double area = 0.0;
  for (size_t i = 0; i + 1 < k; ++i) area += h[i].x * h[i + 1].y - h[i + 1].x * h[i].y;
  return std::fabs(area) / 2.0;
}

TContourMesh MeshOf(const std::vector<P>& pts) {
  TContourMesh mesh;
  mesh.PictureWidth = 1000;
  mesh.PictureHeight = 500;
  for (const P& p : pts) Contouring::AddNode(mesh, p.x, p.y, p.x + p.y, false);
  return mesh;
}

std::vector<P> Points(const TContourMesh& mesh) {
  std::vector<P> pts;
  for (int32_t i = 1; i < mesh.NextNode; ++i) pts.push_back({mesh.Nodes[i].x, mesh.Nodes[i].y});
  return pts;
}

// Valid indices, one orientation, consistent neighbour links and border flags, and
// triangles that together cover the convex hull exactly.
void ExpectValidMesh(const TContourMesh& mesh) {
  const int32_t n = mesh.NextNode - 1;
  const std::vector<P> pts = Points(mesh);
  double area = 0.0;
  int sign = 0;
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t) {
    const dTriangle& d = mesh.Triangles[t];
    for (int e = 0; e < 3; ++e) {
      ASSERT_GE(d.v[e], 1);
      ASSERT_LE(d.v[e], n);
    }
    ASSERT_TRUE(d.v[0] != d.v[1] && d.v[1] != d.v[2] && d.v[0] != d.v[2]);
    const double a = Cross(pts[d.v[0] - 1], pts[d.v[1] - 1], pts[d.v[2] - 1]) / 2.0;
    if (a != 0.0) {
      const int s = a > 0 ? 1 : -1;
      if (sign == 0) sign = s;
      EXPECT_EQ(s, sign) << "triangle " << t << " is turned over";
    }
    area += std::fabs(a);
    for (int e = 0; e < 3; ++e) {
      EXPECT_EQ(d.border[e], d.nbr[e] == 0 ? 1 : 0);
      if (d.nbr[e] == 0) {
        EXPECT_EQ(d.nedge[e], 255);
        continue;
      }
      ASSERT_LE(d.nbr[e], mesh.TriangleCount);
      const dTriangle& o = mesh.Triangles[d.nbr[e]];
      const int f = d.nedge[e];
      ASSERT_LT(f, 3);
      EXPECT_EQ(o.nbr[f], t);
      EXPECT_EQ(o.nedge[f], e);
      EXPECT_EQ(o.v[f], d.v[(e + 1) % 3]);
      EXPECT_EQ(o.v[(f + 1) % 3], d.v[e]);
    }
  }
  EXPECT_NEAR(area, HullArea(pts), 1e-9 * HullArea(pts));
}

// No node lies inside the circumcircle of a triangle, with y mapped onto the x range.
void ExpectDelaunay(const TContourMesh& mesh) {
  const std::vector<P> raw = Points(mesh);
  double xmin = raw[0].x, xmax = xmin, ymin = raw[0].y, ymax = ymin;
  for (const P& p : raw) {
    xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
  }
  std::vector<P> pts;
  for (const P& p : raw) pts.push_back({p.x, xmin + (xmax - xmin) * (p.y - ymin) / (ymax - ymin)});
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t) {
    const dTriangle& d = mesh.Triangles[t];
    const P a = pts[d.v[0] - 1], b = pts[d.v[1] - 1], c = pts[d.v[2] - 1];
    const double D = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (D == 0.0) continue;
    const double ux = ((a.x * a.x + a.y * a.y) * (b.y - c.y) + (b.x * b.x + b.y * b.y) * (c.y - a.y) +
                       (c.x * c.x + c.y * c.y) * (a.y - b.y)) / D;
    const double uy = ((a.x * a.x + a.y * a.y) * (c.x - b.x) + (b.x * b.x + b.y * b.y) * (a.x - c.x) +
                       (c.x * c.x + c.y * c.y) * (b.x - a.x)) / D;
    const double r = std::hypot(a.x - ux, a.y - uy);
    for (size_t k = 0; k < pts.size(); ++k) {
      const int32_t node = static_cast<int32_t>(k) + 1;
      if (node == d.v[0] || node == d.v[1] || node == d.v[2]) continue;
      EXPECT_GE(std::hypot(pts[k].x - ux, pts[k].y - uy), r * (1 - 1e-9)) << "node " << node << " in triangle " << t;
    }
  }
}

std::vector<P> RandomPoints(size_t n, unsigned seed, double width, double depth) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> ux(0.0, width), uy(0.0, depth);
  std::vector<P> pts;
  for (size_t i = 0; i < n; ++i) pts.push_back({ux(rng), uy(rng)});
  return pts;
}

// A dipole-dipole style pseudo-section: levels below a line of stations, each level
// shorter by one spacing at both ends, so that the flanks are straight.
std::vector<P> PseudoSection(int stations, int levels) {
  std::vector<P> pts;
  for (int level = 1; level <= levels; ++level)
    for (int s = level; s <= stations - level; ++s) pts.push_back({5.0 * s, 2.5 * level});
  return pts;
}

std::set<std::array<int32_t, 3>> TriangleSet(const TContourMesh& mesh) {
  std::set<std::array<int32_t, 3>> set;
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t) {
    std::array<int32_t, 3> v{mesh.Triangles[t].v[0], mesh.Triangles[t].v[1], mesh.Triangles[t].v[2]};
    std::sort(v.begin(), v.end());
    set.insert(v);
  }
  return set;
}

TEST(ContourTriangulation, ThreeNodesMakeOneBorderTriangle) {
  TContourMesh mesh = MeshOf({{0, 0}, {10, 0}, {5, 4}});
  TSectionContours levels;
  Contouring::Triangulate(mesh, levels, true);
  ASSERT_EQ(mesh.TriangleCount, 1);
  for (int e = 0; e < 3; ++e) {
    EXPECT_EQ(mesh.Triangles[1].border[e], 1);
    EXPECT_EQ(mesh.Triangles[1].nbr[e], 0);
  }
  EXPECT_EQ(levels.DataMin, 0.0);
  EXPECT_EQ(levels.DataMax, 10.0);
}

TEST(ContourTriangulation, KnownNodeSetsGiveDelaunayMeshesCoveringTheHull) {
  const std::vector<std::vector<P>> sets = {
      RandomPoints(60, 1, 100.0, 100.0),
      RandomPoints(300, 2, 1000.0, 30.0),  // a long, shallow section
      PseudoSection(40, 8),
      {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {2, 8}},
  };
  for (size_t i = 0; i < sets.size(); ++i) {
    SCOPED_TRACE(i);
    TContourMesh mesh = MeshOf(sets[i]);
    TSectionContours levels;
    Contouring::Triangulate(mesh, levels, true);
    ASSERT_GT(mesh.TriangleCount, 0);
    ExpectValidMesh(mesh);
    ExpectDelaunay(mesh);
  }
}

// The walking insertion must give the reference insertion's triangles (each with
// the same orientation) on scattered sets; on regular grids (many nodes on one
// circle) either diagonal is Delaunay, so there the mesh need only be valid,
// Delaunay and the same each time.
TEST(ContourTriangulation, WalkingInsertionGivesTheScanningInsertionsTriangles) {
  auto oriented = [](const TContourMesh& mesh, int32_t count) {
    std::set<std::array<int32_t, 3>> set;
    for (int32_t t = 1; t <= count; ++t) {
      std::array<int32_t, 3> v{mesh.Triangles[t].v[0], mesh.Triangles[t].v[1], mesh.Triangles[t].v[2]};
      std::rotate(v.begin(), std::min_element(v.begin(), v.end()), v.end());
      set.insert(v);
    }
    return set;
  };
  const std::vector<std::vector<P>> scattered = {
      RandomPoints(3, 5, 10.0, 10.0),     RandomPoints(50, 6, 100.0, 100.0),
      RandomPoints(700, 7, 2000.0, 40.0), RandomPoints(400, 8, 10.0, 300.0),
  };
  for (size_t i = 0; i < scattered.size(); ++i) {
    SCOPED_TRACE(i);
    TContourMesh walk = MeshOf(scattered[i]), scan = MeshOf(scattered[i]);
    TSectionContours levels;
    const int32_t n = walk.NextNode - 1;
    const int32_t a = Contouring::Delaunay(walk, levels, n, true);
    const int32_t b = Contouring::Delaunay(scan, levels, n, true, true);
    ASSERT_EQ(a, b);
    EXPECT_EQ(oriented(walk, a), oriented(scan, b));
  }
  for (const std::vector<P>& grid : {PseudoSection(120, 12), PseudoSection(9, 4)}) {
    TContourMesh mesh = MeshOf(grid);
    TSectionContours levels;
    Contouring::Triangulate(mesh, levels, true);
    ExpectValidMesh(mesh);
    ExpectDelaunay(mesh);
    TContourMesh again = MeshOf(grid);
    Contouring::Triangulate(again, levels, true);
    EXPECT_EQ(TriangleSet(mesh), TriangleSet(again));
  }
}

TEST(ContourTriangulation, MoreThanFourThousandNodesAreAllTriangulated) {
  TContourMesh mesh = MeshOf(RandomPoints(4500, 3, 2000.0, 200.0));
  TSectionContours levels;
  Contouring::Triangulate(mesh, levels, true);
  EXPECT_EQ(mesh.NextNode, 4501);
  ExpectValidMesh(mesh);
  std::set<int32_t> used;
  for (int32_t t = 1; t <= mesh.TriangleCount; ++t)
    for (int e = 0; e < 3; ++e) used.insert(mesh.Triangles[t].v[e]);
  EXPECT_EQ(used.size(), 4500u);
}

TEST(ContourTriangulation, ScalingDepthsLeavesTheMeshUnchanged) {
  const std::vector<P> pts = RandomPoints(120, 4, 500.0, 40.0);
  std::vector<P> deeper = pts;
  for (P& p : deeper) p.y *= 7.5;
  TContourMesh a = MeshOf(pts), b = MeshOf(deeper);
  TSectionContours levels;
  Contouring::Triangulate(a, levels, true);
  Contouring::Triangulate(b, levels, true);
  EXPECT_EQ(TriangleSet(a), TriangleSet(b));
}

TEST(ContourTriangulation, NodesAllOnTheOutlineFormNoTriangle) {
  TContourMesh mesh;
  for (const P& p : RandomPoints(20, 5, 10, 10)) Contouring::AddNode(mesh, p.x, p.y, 1.0, true);
  TSectionContours levels;
  Contouring::Triangulate(mesh, levels, true);
  EXPECT_EQ(mesh.TriangleCount, 0);
}

TEST(ContourTriangulation, NodesOnOneLineGetAWidenedFiniteExtent) {
  const std::vector<std::vector<P>> lines = {
      {{0, 5}, {10, 5}, {20, 5}, {30, 5}},  // a single-level survey
      {{7, 0}, {7, 2}, {7, 4}},
      {{3, 3}, {3, 3}, {3, 3}},
  };
  for (const auto& line : lines) {
    TContourMesh mesh = MeshOf(line);
    TSectionContours levels;
    Contouring::Triangulate(mesh, levels, true);
    EXPECT_LT(mesh.PlotXMin, mesh.PlotXMax);
    EXPECT_LT(mesh.PlotYMin, mesh.PlotYMax);
    EXPECT_TRUE(std::isfinite(mesh.XScale) && std::isfinite(mesh.YScale));
    for (int32_t t = 1; t <= mesh.TriangleCount; ++t)
      for (int e = 0; e < 3; ++e) {
        EXPECT_GE(mesh.Triangles[t].v[e], 1);
        EXPECT_LT(mesh.Triangles[t].v[e], mesh.NextNode);
      }
  }
}

TEST(ContourTriangulation, NewValuesWithoutRebuildKeepTheMesh) {
  TContourMesh mesh = MeshOf(RandomPoints(50, 6, 100, 20));
  TSectionContours levels;
  Contouring::Triangulate(mesh, levels, true);
  const auto before = TriangleSet(mesh);
  for (int32_t i = 1; i < mesh.NextNode; ++i) mesh.Nodes[i].value = 1000.0 + i;
  Contouring::Triangulate(mesh, levels, false);
  EXPECT_EQ(TriangleSet(mesh), before);
  EXPECT_EQ(levels.DataMin, 1001.0);
  EXPECT_EQ(levels.DataMax, 1050.0);
}

TEST(ContourTriangulation, NodeLabelsShowTheValueShortly) {
  TContourMesh mesh;
  Contouring::AddNode(mesh, 0, 0, 15.0, false);
  Contouring::AddNode(mesh, 1, 0, 0.0237, false);
  Contouring::AddNode(mesh, 2, 0, 12.345, false);
  EXPECT_EQ(mesh.Nodes[1].text, "15");
  EXPECT_EQ(mesh.Nodes[2].text, "0.024");  // two significant digits below 1
  EXPECT_EQ(mesh.Nodes[3].text, "12.3");
}

TEST(ContourTriangulation, LevelNudgeWorksOnTheContouringCopy) {
  TContourMesh mesh = MeshOf({{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}});
  for (int32_t i = 1; i < mesh.NextNode; ++i) mesh.Nodes[i].value = 10.0 * i;  // 10 .. 50
  TSectionContours levels;
  levels.LevNum = 3;  // levels 20, 30, 40
  Contouring::Triangulate(mesh, levels, true);
  std::string warning;
  Contouring::BuildLevels(mesh, levels, warning);
  ASSERT_EQ(levels.Levels, (arofdoubleM{20.0, 30.0, 40.0}));
  EXPECT_EQ(mesh.Nodes[2].value, 20.0);
  EXPECT_EQ(mesh.ContourValues[2], 20.0 + 20.0 / 100000 + 1e-20);
  EXPECT_EQ(mesh.ContourValues[1], 10.0);
}

}  // namespace

namespace {

TEST(ContourTriangulation, CircleTestCases) {
  const struct {
    double p[2], a[2], b[2], c[2];
    bool inside;
  } cases[] = {
      {{0.5, 0.5}, {0, 0}, {1, 0}, {0, 1}, true},    // inside, either orientation
      {{0.5, 0.5}, {0, 0}, {0, 1}, {1, 0}, true},
      {{1, 1}, {0, 0}, {1, 0}, {0, 1}, true},        // on the circle
      {{2, 2}, {0, 0}, {1, 0}, {0, 1}, false},
      {{5, 3}, {0, 3}, {1, 3}, {2, 3}, true},        // equal y: first corner not above P
      {{5, 4}, {0, 3}, {1, 3}, {2, 3}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Contouring::InCircle(c.p[0], c.p[1], c.a[0], c.a[1], c.b[0], c.b[1], c.c[0], c.c[1]), c.inside)
        << c.p[0] << "," << c.p[1];
}

}  // namespace

}  // namespace test_contouring
