// The triangle-surface series: triangulation cases and invariants, dropped
// triangles, painting order and colours, the hit test and registration.
#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotTriSurface.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotTriSurfaceTests {

namespace {

// Records filled polygons with their brush colours, 3-D triangles and lines.
class PaintLogCanvas : public TPlotCanvas3D {
public:
  PaintLogCanvas() {
    AttachCanvas(Bitmap.GetCanvas());
    ResetState();
  }
  void Polygon(std::span<const TPoint> P) override {
    Polys.emplace_back(P.begin(), P.end());
    Colors.push_back(Brush->GetColor());
  }
  void Triangle3D(const TPoint3D& P0, const TPoint3D& P1, const TPoint3D& P2, TColor C0, TColor, TColor) override {
    Tris.push_back({P0, P1, P2});
    Colors.push_back(C0);
  }
  void MoveTo3D(int32_t, int32_t, int32_t) override {}
  void LineTo3D(int32_t, int32_t, int32_t) override { ++Lines; }
  std::vector<std::vector<TPoint>> Polys;
  std::vector<std::vector<TPoint3D>> Tris;
  std::vector<TColor> Colors;
  int Lines = 0;
  TBitmap Bitmap{300, 220};
};

class LogPanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  TCanvas3D* GetCanvas() override { return Override ? Override : Canvas(); }
  TCanvas3D* Override = nullptr;
};

using TPaintNode = TCustomTriSurfaceSeries::TPaintNode;

struct P3 {
  double X, Y, Z;
};

class TriSurfaceTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    Panel = Create<LogPanel>(Owner);
    Chart = Panel;
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
    Fix(-1, 11, -1, 11);
    Chart->DepthAxis()->SetMinMax(-1, 11);
  }
  TTriSurfaceSeries* Surface(const std::vector<P3>& Points) {
    auto* s = Add<TTriSurfaceSeries>();
    for (const P3& p : Points) s->AddPointXYZ(p.X, p.Y, p.Z);
    return s;
  }
  LogPanel* Panel = nullptr;
};

double Cross(const TTriSurfaceSeries& S, int32_t A, int32_t B, int32_t C) {
  const double ax = S.XValues()->GetValue(A), az = S.GetZValue(A);
  return (S.XValues()->GetValue(B) - ax) * (S.GetZValue(C) - az) - (S.GetZValue(B) - az) * (S.XValues()->GetValue(C) - ax);
}

// The triangles' corners as sets of point indexes.
std::set<std::set<int32_t>> CornerSets(const TTriSurfaceSeries& S) {
  std::set<std::set<int32_t>> r;
  for (int32_t t = 1; t <= S.NumTriangles; ++t) r.insert({S.TrianglePoint(t, 0), S.TrianglePoint(t, 1), S.TrianglePoint(t, 2)});
  return r;
}

TEST_F(TriSurfaceTest, TriangulationCases) {
  struct Case {
    const char* Name;
    std::vector<P3> Points;
    int32_t Triangles, BorderLines;
  };
  const Case cases[] = {
      {"two points", {{0, 1, 0}, {1, 1, 1}}, 0, 0},
      {"three points", {{0, 1, 0}, {4, 2, 0}, {1, 3, 3}}, 1, 3},
      {"square", {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}}, 2, 4},
      {"repeated position", {{0, 1, 0}, {1, 1, 0}, {1, 5, 1}, {0, 1, 1}, {1, 9, 1}}, 2, 4},
      {"collinear", {{0, 1, 0}, {1, 1, 1}, {2, 1, 2}, {3, 1, 3}}, 0, 0},
      {"collinear but for one", {{0, 1, 0}, {1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {0, 1, 3}}, 3, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Chart->FreeAllSeries();
    TTriSurfaceSeries* s = Surface(c.Points);
    s->BeforeDrawPoints();
    EXPECT_EQ(s->NumTriangles, c.Triangles);
    EXPECT_EQ(s->NumBorderLines, c.BorderLines);
    std::set<int32_t> used;
    for (int32_t t = 1; t <= s->NumTriangles; ++t) {
      for (int32_t k = 0; k < 3; ++k) used.insert(s->TrianglePoint(t, k));
      EXPECT_GT(std::abs(Cross(*s, s->TrianglePoint(t, 0), s->TrianglePoint(t, 1), s->TrianglePoint(t, 2))), 0)
          << "no degenerate triangle";
    }
    if (std::string(c.Name) == "repeated position") {
      EXPECT_EQ(used.size(), 4u);
      EXPECT_NE(used.count(2) + used.count(4), 2u) << "only one of the two points at (1, 1) is a corner";
    }
  }
}

TEST_F(TriSurfaceTest, TheDiagonalMaximisesTheSmallestAngle) {
  // A rhombus: the short diagonal gives angles of 36.9 degrees, the long one 18.4.
  TTriSurfaceSeries* s = Surface({{-3, 0, 0}, {3, 0, 0}, {0, 0, -1}, {0, 0, 1}});
  s->BeforeDrawPoints();
  EXPECT_EQ(CornerSets(*s), (std::set<std::set<int32_t>>{{0, 2, 3}, {1, 2, 3}}));
}

// Independent checks on random points: no point lies inside a triangle's
// circumcircle, the areas add up to the hull's area, and the counts follow
// Euler's formula.
TEST_F(TriSurfaceTest, RandomPointsGiveADelaunayTriangulationOfTheHull) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> u(0, 100);
  for (int round = 0; round < 4; ++round) {
    Chart->FreeAllSeries();
    std::vector<P3> points;
    const int n = 40 + 30 * round;
    for (int i = 0; i < n; ++i) points.push_back({u(random), 0, u(random)});
    TTriSurfaceSeries* s = Surface(points);
    s->BeforeDrawPoints();
    // Hull by the monotone chain.
    std::vector<std::pair<double, double>> sorted;
    for (const P3& p : points) sorted.push_back({p.X, p.Z});
    std::sort(sorted.begin(), sorted.end());
    std::vector<std::pair<double, double>> hull(2 * sorted.size());
    size_t k = 0;
    const auto turn = [](auto O, auto A, auto B) {
      return (A.first - O.first) * (B.second - O.second) - (A.second - O.second) * (B.first - O.first);
    };
    for (size_t i = 0; i < sorted.size(); ++i) {
      while (k >= 2 && turn(hull[k - 2], hull[k - 1], sorted[i]) <= 0) --k;
      hull[k++] = sorted[i];
    }
    for (size_t i = sorted.size() - 1, t = k + 1; i > 0; --i) {
      while (k >= t && turn(hull[k - 2], hull[k - 1], sorted[i - 1]) <= 0) --k;
      hull[k++] = sorted[i - 1];
    }
    hull.resize(k - 1);
    double hullArea = 0;
    for (size_t i = 0; i < hull.size(); ++i) {
      const auto& a = hull[i];
      const auto& b = hull[(i + 1) % hull.size()];
      hullArea += a.first * b.second - b.first * a.second;
    }
    hullArea = std::abs(hullArea) / 2;
    double area = 0;
    for (int32_t t = 1; t <= s->NumTriangles; ++t) {
      const int32_t a = s->TrianglePoint(t, 0), b = s->TrianglePoint(t, 1), c = s->TrianglePoint(t, 2);
      area += std::abs(Cross(*s, a, b, c)) / 2;
      // Circumcircle test.
      const double ax = s->XValues()->GetValue(a), az = s->GetZValue(a);
      const double bx = s->XValues()->GetValue(b) - ax, bz = s->GetZValue(b) - az;
      const double cx = s->XValues()->GetValue(c) - ax, cz = s->GetZValue(c) - az;
      const double d = 2 * (bx * cz - bz * cx);
      const double ux = (cz * (bx * bx + bz * bz) - bz * (cx * cx + cz * cz)) / d;
      const double uz = (bx * (cx * cx + cz * cz) - cx * (bx * bx + bz * bz)) / d;
      const double r2 = ux * ux + uz * uz;
      for (int32_t p = 0; p < s->Count(); ++p) {
        const double dx = s->XValues()->GetValue(p) - ax - ux, dz = s->GetZValue(p) - az - uz;
        EXPECT_GE(dx * dx + dz * dz, r2 * (1 - 1e-9)) << "point " << p << " inside the circle of triangle " << t;
      }
    }
    EXPECT_NEAR(area, hullArea, 1e-6 * hullArea);
    EXPECT_EQ(s->NumBorderLines, static_cast<int32_t>(hull.size()));
    EXPECT_EQ(s->NumTriangles, 2 * n - s->NumBorderLines - 2);
    // Every border line's triangle holds both its ends.
    for (int32_t i = 0; i < s->NumBorderLines; ++i) {
      const int32_t t = s->BorderLines[static_cast<size_t>(3 * i + 2)];
      const std::set<int32_t> corners{s->TrianglePoint(t, 0), s->TrianglePoint(t, 1), s->TrianglePoint(t, 2)};
      EXPECT_TRUE(corners.count(s->VertexPoint(s->BorderLines[static_cast<size_t>(3 * i)])));
      EXPECT_TRUE(corners.count(s->VertexPoint(s->BorderLines[static_cast<size_t>(3 * i + 1)])));
    }
  }
}

TEST_F(TriSurfaceTest, ChangedOrFewPointsDropTheTriangles) {
  TTriSurfaceSeries* s = Surface({{0, 1, 0}, {4, 2, 0}, {4, 3, 4}, {0, 1, 4}});
  s->BeforeDrawPoints();
  ASSERT_EQ(s->NumTriangles, 2);
  // A moved point is seen at the next draw.
  s->XValues()->SetValue(3, 2);
  s->ZValues()->SetValue(3, 1);
  s->BeforeDrawPoints();
  EXPECT_EQ(s->NumTriangles, 3) << "the point moved inside the others' triangle splits it";
  s->Delete(3);
  s->Delete(2);
  s->BeforeDrawPoints();
  EXPECT_EQ(s->NumTriangles, 0);
  EXPECT_EQ(s->NumBorderLines, 0) << "no border line reads a point that is gone";
  PaintLogCanvas log;
  Draw();
  Panel->Override = &log;
  s->Border()->SetVisible(true);
  s->DrawPoints();
  Panel->Override = nullptr;
  EXPECT_EQ(log.Lines, 0);
  s->Clear();
  EXPECT_FALSE(s->Triangulated);
}

TEST_F(TriSurfaceTest, PaintingOrderColoursAndHitTest) {
  // Five points whose triangles overlap on the X-Y screen of a 2-D chart.
  TTriSurfaceSeries* s = Add<TTriSurfaceSeries>();
  const P3 pts[] = {{0, 0, 0}, {10, 8, 1}, {10, 2, 10}, {0, 6, 9}, {5, 10, 4}};
  const TColor colours[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC000C0};
  for (int i = 0; i < 5; ++i) s->AddXYZ(pts[i].X, pts[i].Y, pts[i].Z, {}, colours[i]);
  s->Pen()->SetVisible(false);
  Draw();
  const auto& list = s->PaintList();
  ASSERT_EQ(static_cast<int32_t>(list.size()), s->NumTriangles);
  for (size_t i = 0; i < list.size(); ++i) {
    const int32_t t = list[i].Triangle;
    double key = -1e9;
    for (int k = 0; k < 3; ++k) key = std::max(key, s->GetZValue(s->TrianglePoint(t, k)));
    EXPECT_EQ(list[i].Key, key);
    EXPECT_EQ(list[i].Color, colours[s->TrianglePoint(t, 0)]) << "the first corner's colour";
    if (i > 0) {
      EXPECT_GE(list[i - 1].Key, list[i].Key) << "farthest first";
    }
  }
  // The recorded polygons come in the list's order and colours.
  PaintLogCanvas log;
  Panel->Override = &log;
  s->DrawPoints();
  Panel->Override = nullptr;
  ASSERT_EQ(log.Polys.size(), list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    EXPECT_EQ(log.Colors[i], list[i].Color);
    EXPECT_EQ(log.Polys[i], (std::vector<TPoint>{list[i].P[0], list[i].P[1], list[i].P[2]}));
  }
  // Inside test by signs, independent of the series.
  const auto inside = [](TPoint P, const TPoint* T) {
    const auto side = [&](TPoint A, TPoint B) {
      return int64_t(B.X - A.X) * (P.Y - A.Y) - int64_t(B.Y - A.Y) * (P.X - A.X);
    };
    const int64_t a = side(T[0], T[1]), b = side(T[1], T[2]), c = side(T[2], T[0]);
    return (a > 0 && b > 0 && c > 0) || (a < 0 && b < 0 && c < 0);
  };
  int overlaps = 0;
  for (int32_t y = 0; y < H; y += 3)
    for (int32_t x = 0; x < W; x += 3) {
      std::vector<size_t> hits;
      for (size_t i = 0; i < list.size(); ++i)
        if (inside(TPoint(x, y), list[i].P)) hits.push_back(i);
      if (hits.empty()) continue;
      const TPaintNode& last = list[hits.back()];
      const int32_t got = s->PointAtPixel(x, y);
      // The nearest corner of the triangle painted last.
      int32_t expected = -1;
      double best = 1e18;
      for (int k = 0; k < 3; ++k) {
        const double d = std::hypot(double(last.P[k].X - x), double(last.P[k].Y - y));
        if (d < best) {
          best = d;
          expected = s->TrianglePoint(last.Triangle, k);
        }
      }
      ASSERT_EQ(got, expected) << x << "," << y;
      EXPECT_LT(got, s->Count());
      overlaps += hits.size() > 1;
    }
  EXPECT_GT(overlaps, 0) << "the scene has overlapping triangles";
  EXPECT_EQ(s->PointAtPixel(W - 1, H - 1), -1);
}

TEST_F(TriSurfaceTest, DirectPaintingFollowsTriangulationOrder) {
  TTriSurfaceSeries* s = Surface({{0, 0, 0}, {10, 8, 1}, {10, 2, 10}, {0, 6, 9}, {5, 10, 4}});
  s->SetHideTriangles(false);
  Draw();
  PaintLogCanvas log;
  Panel->Override = &log;
  s->DrawPoints();
  Panel->Override = nullptr;
  ASSERT_EQ(static_cast<int32_t>(log.Tris.size()), s->NumTriangles);
  for (int32_t t = 1; t <= s->NumTriangles; ++t) {
    const int32_t p = s->TrianglePoint(t, 0);
    EXPECT_EQ(log.Tris[static_cast<size_t>(t - 1)][0].X, XPix(s->XValues()->GetValue(p)));
    EXPECT_EQ(log.Colors[static_cast<size_t>(t - 1)], s->ValueColor(p));
  }
  EXPECT_TRUE(s->PaintList().empty());
}

TEST_F(TriSurfaceTest, GallerySamplesAndRegistration) {
  std::vector<std::string> variants;
  TTriSurfaceSeries* s = Add<TTriSurfaceSeries>();
  s->ListGalleryVariants([&](const std::string& V) { variants.push_back(V); });
  EXPECT_EQ(variants, (std::vector<std::string>{"Normal", "Color Range", "Wireframe", "No Line", "Border"}));
  s->ApplyGalleryVariant(s, 4);
  EXPECT_TRUE(s->Border()->GetVisible());
  s->AddSampleValues(2);
  EXPECT_EQ(s->Count(), 3) << "at least three sample points";
  for (int32_t i = 0; i < s->Count(); ++i) {
    const double x = s->XValues()->GetValue(i), z = s->GetZValue(i);
    EXPECT_NEAR(s->GetYValue(i), std::exp(2 * z) * std::cos(x * z), 1e-9);
  }
  auto* t = Add<TTriSurfaceSeries>();
  s->ImproveTriangles = false;
  s->SetTransparency(30);
  t->Assign(s);
  EXPECT_FALSE(t->ImproveTriangles);
  EXPECT_EQ(t->GetTransparency(), 30);
  ExtrasUnits::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TTriSurfaceSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Triangle Surf.");
  EXPECT_EQ(*type->PageName, "3D");
  EXPECT_EQ(type->SampleSeriesCount, 1);
  ExtrasUnits::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TTriSurfaceSeries::StaticClass()), nullptr);
  ExtrasUnits::Initialization();  // leaves the registrations as other tests expect them
}

}  // namespace

}  // namespace PlotTriSurfaceTests
