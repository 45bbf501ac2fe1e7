// The triangle-surface series: triangulation, painting and hit test.
#include "chart/extras/PlotTriSurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <unordered_map>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotProcs.h"

namespace {

struct TVertex {
  double X = 0, Z = 0;
  int32_t Number = 0;  // the vertex number 1..N
};

double Cross(double Ax, double Az, double Bx, double Bz) { return Ax * Bz - Az * Bx; }

double Dist2(const TVertex& A, const TVertex& B) {
  const double dx = A.X - B.X, dz = A.Z - B.Z;
  return dx * dx + dz * dz;
}

// Whether the diagonal P3-P4 of the quadrilateral P1, P3, P2, P4 should give
// way to P1-P2: Lawson's max-min angle criterion.
bool Exchange(const TVertex& P1, const TVertex& P2, const TVertex& P3, const TVertex& P4) {
  const double u3 = Cross(P1.X - P3.X, P1.Z - P3.Z, P2.X - P3.X, P2.Z - P3.Z);
  const double u4 = Cross(P2.X - P4.X, P2.Z - P4.Z, P1.X - P4.X, P1.Z - P4.Z);
  if (!(u3 * u4 > 0)) return false;
  const double u1 = Cross(P3.X - P1.X, P3.Z - P1.Z, P4.X - P1.X, P4.Z - P1.Z);
  const double u2 = Cross(P3.X - P2.X, P3.Z - P2.Z, P4.X - P2.X, P4.Z - P2.Z);
  const double a12 = Dist2(P1, P2), a34 = Dist2(P3, P4);
  const double a13 = Dist2(P1, P3), a14 = Dist2(P1, P4), a23 = Dist2(P2, P3), a24 = Dist2(P2, P4);
  const double s1 = u1 * u1 / (a34 * std::max(a13, a14));
  const double s2 = u2 * u2 / (a34 * std::max(a24, a23));
  const double s3 = u3 * u3 / (a12 * std::max(a23, a13));
  const double s4 = u4 * u4 / (a12 * std::max(a14, a24));
  return std::min(s3, s4) > std::min(s1, s2);
}

// Incremental triangulation: each vertex, taken in order of distance from
// the first edge's midpoint, lies outside the hull of those before it and is
// joined to the border lines it sees.
class TTriangulator {
public:
  struct TTri {
    int32_t V[3];  // places in FVerts, counter-clockwise in (X, Z)
    int32_t N[3];  // neighbour across the side opposite V[i], or -1
  };

  TTriangulator(std::vector<TVertex> Verts, bool Improve) : FVerts(std::move(Verts)), FImprove(Improve) {}

  // False when no triangle can be formed (fewer than 3 distinct positions,
  // or all on one line).
  bool Run() {
    if (FVerts.size() < 3) return false;
    // Coinciding positions leave the list: the last vertex takes the place.
    for (size_t i = 0; i < FVerts.size(); ++i)
      for (size_t j = i + 1; j < FVerts.size();) {
        if (Dist2(FVerts[i], FVerts[j]) == 0) {
          FVerts[j] = FVerts.back();
          FVerts.pop_back();
        } else {
          ++j;
        }
      }
    if (FVerts.size() < 3) return false;
    // The first pair with the smallest distance.
    int32_t p1 = 0, p2 = 1;
    double best = -1;
    for (int32_t i = 0; i < static_cast<int32_t>(FVerts.size()); ++i)
      for (int32_t j = i + 1; j < static_cast<int32_t>(FVerts.size()); ++j)
        if (const double d = Dist2(FVerts[static_cast<size_t>(i)], FVerts[static_cast<size_t>(j)]); best < 0 || d < best) {
          best = d;
          p1 = i;
          p2 = j;
        }
    std::swap(FVerts[0], FVerts[static_cast<size_t>(p1)]);
    std::swap(FVerts[1], FVerts[static_cast<size_t>(p2)]);
    const double mx = (FVerts[0].X + FVerts[1].X) / 2, mz = (FVerts[0].Z + FVerts[1].Z) / 2;
    std::stable_sort(FVerts.begin() + 2, FVerts.end(), [&](const TVertex& A, const TVertex& B) {
      return (A.X - mx) * (A.X - mx) + (A.Z - mz) * (A.Z - mz) < (B.X - mx) * (B.X - mx) + (B.Z - mz) * (B.Z - mz);
    });
    FTolerance = best * 1e-6;
    // The third vertex: the first not on the line of the first two.
    int32_t third = -1;
    for (int32_t k = 2; k < static_cast<int32_t>(FVerts.size()); ++k)
      if (std::abs(SideOf(0, 1, k)) > FTolerance) {
        third = k;
        break;
      }
    if (third < 0) return false;
    std::rotate(FVerts.begin() + 2, FVerts.begin() + third, FVerts.begin() + third + 1);
    if (SideOf(0, 1, 2) > 0)
      FHull = {0, 1, 2};
    else
      FHull = {1, 0, 2};
    FTris.push_back({{FHull[0], FHull[1], FHull[2]}, {-1, -1, -1}});
    Register(0);
    for (int32_t k = 3; k < static_cast<int32_t>(FVerts.size()); ++k) AddVertex(k);
    return true;
  }

  const std::vector<TVertex>& Verts() const { return FVerts; }
  const std::vector<TTri>& Tris() const { return FTris; }
  const std::vector<int32_t>& Hull() const { return FHull; }

  // The triangle with a border side A-B (counter-clockwise), or -1.
  int32_t BorderTriangle(int32_t A, int32_t B) const {
    const auto it = FEdges.find(EdgeKey(A, B));
    return it == FEdges.end() ? -1 : it->second;
  }

private:
  // Positive when K lies left of A->B.
  double SideOf(int32_t A, int32_t B, int32_t K) const {
    const TVertex &a = FVerts[A], &b = FVerts[B], &k = FVerts[K];
    return Cross(b.X - a.X, b.Z - a.Z, k.X - a.X, k.Z - a.Z);
  }

  int32_t SideIndex(const TTri& T, int32_t A, int32_t B) const {
    for (int32_t i = 0; i < 3; ++i)
      if (T.V[(i + 1) % 3] == A && T.V[(i + 2) % 3] == B) return i;
    return -1;
  }

  static uint64_t EdgeKey(int32_t A, int32_t B) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(A)) << 32) | static_cast<uint32_t>(B);
  }
  // Records the directed sides of triangle T.
  void Register(int32_t T) {
    const TTri& t = FTris[static_cast<size_t>(T)];
    for (int32_t i = 0; i < 3; ++i) FEdges[EdgeKey(t.V[i], t.V[(i + 1) % 3])] = T;
  }

  void AddVertex(int32_t K) {
    const int32_t h = static_cast<int32_t>(FHull.size());
    std::vector<bool> visible(static_cast<size_t>(h));
    bool any = false;
    for (int32_t i = 0; i < h; ++i) {
      visible[static_cast<size_t>(i)] = SideOf(FHull[static_cast<size_t>(i)], FHull[static_cast<size_t>((i + 1) % h)], K) < -FTolerance;
      any = any || visible[static_cast<size_t>(i)];
    }
    if (!any) return;  // on the border within the tolerance: left out
    // The visible sides form one run; find its start.
    int32_t start = 0;
    while (!(visible[static_cast<size_t>(start)] && !visible[static_cast<size_t>((start + h - 1) % h)])) {
      ++start;
      if (start == h) return;  // all sides visible cannot happen for a point outside
    }
    std::vector<int32_t> added;
    int32_t prev = -1, count = 0;
    for (int32_t s = start; visible[static_cast<size_t>(s % h)] && count < h; ++s, ++count) {
      const int32_t a = FHull[static_cast<size_t>(s % h)], b = FHull[static_cast<size_t>((s + 1) % h)];
      const int32_t old = BorderTriangle(a, b);
      const int32_t t = static_cast<int32_t>(FTris.size());
      // (K, b, a) is counter-clockwise: K lies right of a->b.
      FTris.push_back(TTri{{K, b, a}, {old, prev, -1}});
      Register(t);
      if (old >= 0) FTris[static_cast<size_t>(old)].N[SideIndex(FTris[static_cast<size_t>(old)], a, b)] = t;
      // The previous new triangle's side K-a is this one's side a-K.
      if (prev >= 0) FTris[static_cast<size_t>(prev)].N[2] = t;
      prev = t;
      added.push_back(t);
    }
    // New border: ... v_start -> K -> v_end ...
    const int32_t first = FHull[static_cast<size_t>(start % h)];
    const int32_t last = FHull[static_cast<size_t>((start + count) % h)];
    std::vector<int32_t> hull;
    hull.push_back(last);
    for (int32_t s = (start + count) % h; FHull[static_cast<size_t>(s)] != first; s = (s + 1) % h)
      if (FHull[static_cast<size_t>(s)] != last) hull.push_back(FHull[static_cast<size_t>(s)]);
    hull.push_back(first);
    hull.push_back(K);
    FHull = std::move(hull);
    if (FImprove) Improve(added);
  }

  void Improve(std::vector<int32_t> Work) {
    for (int32_t pass = 0; pass < 100; ++pass) {
      bool changed = false;
      for (size_t w = 0; w < Work.size(); ++w) {
        const int32_t t1 = Work[w];
        for (int32_t i1 = 0; i1 < 3; ++i1) {
          const int32_t t2 = FTris[static_cast<size_t>(t1)].N[i1];
          if (t2 < 0) continue;
          TTri& a = FTris[static_cast<size_t>(t1)];
          TTri& b = FTris[static_cast<size_t>(t2)];
          int32_t i2 = 0;
          while (i2 < 3 && b.N[i2] != t1) ++i2;
          if (i2 == 3) continue;
          const int32_t p = a.V[i1], va = a.V[(i1 + 1) % 3], vb = a.V[(i1 + 2) % 3], q = b.V[i2];
          if (!Exchange(FVerts[static_cast<size_t>(p)], FVerts[static_cast<size_t>(q)],
                        FVerts[static_cast<size_t>(va)], FVerts[static_cast<size_t>(vb)]))
            continue;
          const int32_t nA_b = a.N[(i1 + 2) % 3];  // across p-va
          const int32_t nA_a = a.N[(i1 + 1) % 3];  // across vb-p
          const int32_t nB_b = b.N[(i2 + 1) % 3];  // across va-q
          const int32_t nB_a = b.N[(i2 + 2) % 3];  // across q-vb
          // (p, va, q) and (q, vb, p).
          a = TTri{{p, va, q}, {nB_b, t2, nA_b}};
          b = TTri{{q, vb, p}, {nA_a, t1, nB_a}};
          FEdges.erase(EdgeKey(va, vb));
          FEdges.erase(EdgeKey(vb, va));
          Register(t1);
          Register(t2);
          Relink(nB_b, t2, t1);
          Relink(nA_a, t1, t2);
          if (std::find(Work.begin(), Work.end(), t2) == Work.end()) Work.push_back(t2);
          changed = true;
          break;
        }
      }
      if (!changed) return;
    }
  }

  void Relink(int32_t T, int32_t From, int32_t To) {
    if (T < 0) return;
    for (int32_t& n : FTris[static_cast<size_t>(T)].N)
      if (n == From) n = To;
  }

  std::vector<TVertex> FVerts;
  bool FImprove;
  double FTolerance = 0;
  std::vector<TTri> FTris;
  std::vector<int32_t> FHull;  // counter-clockwise border vertices
  std::unordered_map<uint64_t, int32_t> FEdges;  // directed side -> its triangle
};

}  // namespace

KV_CLASS_IMPL(TCustomTriSurfaceSeries, TCustom3DPaletteSeries) {
  using S = TCustomTriSurfaceSeries;
  c.Editor("TTriSurfaceSeriesEditor");
  c.Property("Border", &S::Border, &S::SetBorder);
  c.Property("FastBrush", &S::GetFastBrush, &S::SetFastBrush).Default(false);
  c.Property("HideTriangles", &S::GetHideTriangles, &S::SetHideTriangles).Default(true);
  c.Property("Transparency", &S::GetTransparency, &S::SetTransparency).Default(0);
}

KV_CLASS_IMPL(TTriSurfaceSeries, TCustomTriSurfaceSeries) {
  c.Property("Brush", &TTriSurfaceSeries::Brush);
  c.Property("Pen", &TTriSurfaceSeries::Pen);
}

TCustomTriSurfaceSeries::TCustomTriSurfaceSeries(TComponent* Owner) : TCustom3DPaletteSeries(Owner) {
  FBorder = std::make_unique<TChartHiddenPen>([this](TObject* Sender) { RepaintOnChange(Sender); });
  FBorder->SetColor(clWhite);
}

TCustomTriSurfaceSeries::~TCustomTriSurfaceSeries() = default;

void TCustomTriSurfaceSeries::Assign(const TPersistent* Source) {
  if (const auto* s = dynamic_cast<const TCustomTriSurfaceSeries*>(Source)) {
    FBorder->Assign(s->FBorder.get());
    ImproveTriangles = s->ImproveTriangles;
    FHideTriangles = s->FHideTriangles;
    FTransparency = s->FTransparency;
  }
  TCustom3DPaletteSeries::Assign(Source);
}

void TCustomTriSurfaceSeries::Clear() {
  TCustom3DPaletteSeries::Clear();
  DropTriangles();
}

void TCustomTriSurfaceSeries::DropTriangles() {
  Triangulated = false;
  NumTriangles = 0;
  NumBorderLines = 0;
  Triangles.clear();
  BorderLines.clear();
  FVertexPoint.clear();
  FPaintList.clear();
}

uint64_t TCustomTriSurfaceSeries::PointsSignature() const {
  uint64_t h = 1469598103934665603ull ^ static_cast<uint64_t>(Count());
  const auto mix = [&h](double V) {
    uint64_t bits;
    std::memcpy(&bits, &V, sizeof bits);
    h = (h ^ bits) * 1099511628211ull;
  };
  for (int32_t i = 0; i < Count(); ++i) {
    mix(XValues()->GetValue(i));
    mix(GetZValue(i));
  }
  mix(ImproveTriangles ? 1 : 0);
  return h;
}

int32_t TCustomTriSurfaceSeries::VertexPoint(int32_t Vertex) const {
  return Vertex >= 1 && static_cast<size_t>(Vertex) < FVertexPoint.size() ? FVertexPoint[static_cast<size_t>(Vertex)]
                                                                         : -1;
}

int32_t TCustomTriSurfaceSeries::TrianglePoint(int32_t Triangle, int32_t Corner) const {
  if (Triangle < 1 || Triangle > NumTriangles || Corner < 0 || Corner > 2) return -1;
  return VertexPoint(Triangles[static_cast<size_t>(3 * (Triangle - 1) + Corner)]);
}

void TCustomTriSurfaceSeries::Triangulate() {
  const uint64_t signature = PointsSignature();
  if (Triangulated && signature == FSignature) return;
  DropTriangles();
  const int32_t n = Count();
  // Vertex k (1..N-1) is point k, vertex N is point 0.
  FVertexPoint.assign(static_cast<size_t>(n) + 1, -1);
  std::vector<TVertex> verts;
  verts.reserve(static_cast<size_t>(n));
  for (int32_t k = 1; k <= n; ++k) {
    const int32_t p = k == n ? 0 : k;
    FVertexPoint[static_cast<size_t>(k)] = p;
    const double x = XValues()->GetValue(p), z = GetZValue(p);
    // A position that is not a number takes no part.
    if (std::isfinite(x) && std::isfinite(z)) verts.push_back({x, z, k});
  }
  TTriangulator tri(std::move(verts), ImproveTriangles);
  if (tri.Run()) {
    const auto& v = tri.Verts();
    for (const auto& t : tri.Tris())
      for (int32_t i = 0; i < 3; ++i) Triangles.push_back(v[static_cast<size_t>(t.V[i])].Number);
    NumTriangles = static_cast<int32_t>(tri.Tris().size());
    const auto& hull = tri.Hull();
    for (size_t i = 0; i < hull.size(); ++i) {
      const int32_t a = hull[i], b = hull[(i + 1) % hull.size()];
      BorderLines.push_back(v[static_cast<size_t>(a)].Number);
      BorderLines.push_back(v[static_cast<size_t>(b)].Number);
      BorderLines.push_back(tri.BorderTriangle(a, b) + 1);
    }
    NumBorderLines = static_cast<int32_t>(hull.size());
  }
  FSignature = signature;
  Triangulated = true;
}

void TCustomTriSurfaceSeries::BeforeDrawPoints() {
  TCustom3DPaletteSeries::BeforeDrawPoints();
  if (Count() < 3)
    DropTriangles();
  else
    Triangulate();
}

TPoint3D TCustomTriSurfaceSeries::Corner3D(int32_t Point) const {
  return TPoint3D{XValueToPixel(XValues()->GetValue(Point)), YValueToPixel(GetYValue(Point)), ZPixelOf(Point)};
}

bool TCustomTriSurfaceSeries::Reversed() const {
  auto* panel = dynamic_cast<TCustomAxisPanel*>(FParentChart);
  if (!panel) return false;
  bool r = panel->DepthAxis()->GetInverted();
  if (panel->GetView3D() && !panel->View3DOptions()->GetOrthogonal()) {
    const int32_t rot = panel->View3DOptions()->GetRotation();
    if (rot > 90 && rot < 270) r = !r;
  }
  return r;
}

void TCustomTriSurfaceSeries::DrawPoints() {
  FPaintList.clear();
  if (!FParentChart || !FParentChart->GetCanvas()) return;
  TCanvas3D& c = *FParentChart->GetCanvas();
  const bool fill = Brush()->GetStyle() != bsClear;
  if (Pen()->GetVisible() || fill) {
    FParentChart->SetBrushCanvas(Brush()->GetColor(), Brush(), FParentChart->GetPanelColor());
    c.UsePen(*Pen());
    const bool true3D = c.IsTrue3D();
    if (!FHideTriangles || true3D || Brush()->GetStyle() != bsSolid) {
      // A canvas that renders 3-D itself blends the whole surface at once.
      const TBlendScope whole(c, c.ViewBounds, true3D ? FTransparency : 0);
      for (int32_t t = 1; t <= NumTriangles; ++t) {
        const int32_t p0 = TrianglePoint(t, 0), p1 = TrianglePoint(t, 1), p2 = TrianglePoint(t, 2);
        const TColor c0 = ValueColor(p0);
        const TColor c1 = true3D ? ValueColor(p1) : c0, c2 = true3D ? ValueColor(p2) : c0;
        const TPoint3D a = Corner3D(p0), b = Corner3D(p1), d = Corner3D(p2);
        if (FTransparency > 0 && !true3D) {
          const TPoint q0 = c.PointXYZTo2D(a), q1 = c.PointXYZTo2D(b), q2 = c.PointXYZTo2D(d);
          const TRect box(std::min({q0.X, q1.X, q2.X}), std::min({q0.Y, q1.Y, q2.Y}), std::max({q0.X, q1.X, q2.X}) + 1,
                          std::max({q0.Y, q1.Y, q2.Y}) + 1);
          const TBlendScope blend(c, box, FTransparency);
          c.Triangle3D(a, b, d, c0, c1, c2);
        } else {
          c.Triangle3D(a, b, d, c0, c1, c2);
        }
      }
    } else {
      const bool ascending = Reversed();
      for (int32_t t = 1; t <= NumTriangles; ++t) {
        TPaintNode node;
        node.Triangle = t;
        double key = 0;
        for (int32_t i = 0; i < 3; ++i) {
          const int32_t p = TrianglePoint(t, i);
          node.P[i] = c.PointXYZTo2D(Corner3D(p));
          key = i == 0 ? GetZValue(p) : std::max(key, GetZValue(p));
        }
        node.Key = key;
        node.Color = ValueColor(TrianglePoint(t, 0));
        // After the nodes with an equal key.
        const auto at = ascending ? std::upper_bound(FPaintList.begin(), FPaintList.end(), key,
                                                     [](double K, const TPaintNode& N) { return K < N.Key; })
                                  : std::upper_bound(FPaintList.begin(), FPaintList.end(), key,
                                                     [](double K, const TPaintNode& N) { return K > N.Key; });
        FPaintList.insert(at, node);
      }
      for (const TPaintNode& node : FPaintList) {
        c.Brush->SetColor(node.Color);
        const TPoint poly[3] = {node.P[0], node.P[1], node.P[2]};
        if (FTransparency > 0) {
          const TRect box(std::min({poly[0].X, poly[1].X, poly[2].X}), std::min({poly[0].Y, poly[1].Y, poly[2].Y}),
                          std::max({poly[0].X, poly[1].X, poly[2].X}) + 1,
                          std::max({poly[0].Y, poly[1].Y, poly[2].Y}) + 1);
          const TBlendScope blend(c, box, FTransparency);
          c.Polygon(poly);
        } else {
          c.Polygon(poly);
        }
      }
    }
  }
  if (FBorder->GetVisible()) {
    c.UsePen(*FBorder);
    c.SetBackMode(TRANSPARENT);
    for (int32_t i = 0; i < NumBorderLines; ++i) {
      const int32_t a = VertexPoint(BorderLines[static_cast<size_t>(3 * i)]);
      const int32_t b = VertexPoint(BorderLines[static_cast<size_t>(3 * i + 1)]);
      if (a < 0 || b < 0 || a >= Count() || b >= Count()) continue;
      c.MoveToPoint3D(Corner3D(a));
      c.LineToPoint3D(Corner3D(b));
    }
  }
}

int32_t TCustomTriSurfaceSeries::PointAtPixel(int32_t X, int32_t Y) {
  const TPoint p(X, Y);
  int32_t triangle = -1;
  TPoint corners[3];
  if (!FPaintList.empty()) {
    for (auto it = FPaintList.rbegin(); it != FPaintList.rend(); ++it)
      if (PlotProcs::PointInTriangle(p, it->P[0], it->P[1], it->P[2])) {
        triangle = it->Triangle;
        std::copy(std::begin(it->P), std::end(it->P), corners);
        break;
      }
  } else if (FParentChart && FParentChart->GetCanvas()) {
    TCanvas3D& c = *FParentChart->GetCanvas();
    for (int32_t t = 1; t <= NumTriangles && triangle < 0; ++t) {
      for (int32_t i = 0; i < 3; ++i) corners[i] = c.PointXYZTo2D(Corner3D(TrianglePoint(t, i)));
      if (PlotProcs::PointInTriangle(p, corners[0], corners[1], corners[2])) triangle = t;
    }
  }
  if (triangle < 0) return -1;
  int32_t best = 0;
  double bestD = -1;
  for (int32_t i = 0; i < 3; ++i) {
    const double d = std::hypot(double(corners[i].X - X), double(corners[i].Y - Y));
    if (bestD < 0 || d < bestD) {
      bestD = d;
      best = i;
    }
  }
  const int32_t point = TrianglePoint(triangle, best);
  return point < Count() ? point : -1;
}

void TCustomTriSurfaceSeries::PaintMark(int32_t Index, const std::string& Text, TSeriesMarkPosition& Position) {
  TCustom3DPaletteSeries::PaintMark(Index, Text, Position);
}

void TCustomTriSurfaceSeries::ListGalleryVariants(const std::function<void(const std::string&)>& Callback) const {
  TCustom3DPaletteSeries::ListGalleryVariants(Callback);
  for (const char* v : {"Wireframe", "No Line", "Border"}) Callback(v);
}

void TCustomTriSurfaceSeries::ApplyGalleryVariant(TChartSeries* Series, int32_t Index) {
  auto* s = dynamic_cast<TCustomTriSurfaceSeries*>(Series);
  if (!s) return;
  switch (Index) {
    case 2: s->Brush()->SetStyle(bsClear); break;
    case 3: s->Pen()->SetVisible(false); break;
    case 4: s->Border()->SetVisible(true); break;
    default: TCustom3DPaletteSeries::ApplyGalleryVariant(Series, Index); break;
  }
}

int32_t TCustomTriSurfaceSeries::AddSampleValues(int32_t N, bool /*OnlyMandatory*/) {
  int32_t last = Count() - 1;
  for (int32_t i = 0; i < std::max(N, 3); ++i) {
    const double x = RandomValue(1000) / 1000.0, z = RandomValue(1000) / 1000.0;
    const double e = std::exp(z);
    last = AddPointXYZ(x, e * e * std::cos(x * z), z);
  }
  return last;
}

void TCustomTriSurfaceSeries::PrepareForGallery(bool Enabled) {
  TCustom3DPaletteSeries::PrepareForGallery(Enabled);
  FillSampleValues(NumSampleValues());
}

namespace PlotTriSurface {

namespace {
const std::string kTriSurface = "Triangle Surf.", k3D = "3D";
}  // namespace

void Initialization() {
  if (!Chart::SeriesTypes().TypeOfSeriesClass(TTriSurfaceSeries::StaticClass()))
    Chart::AddSeriesType(TTriSurfaceSeries::StaticClass(), &kTriSurface, &k3D, 1);
}

void Finalization() { Chart::RemoveSeriesTypes({TTriSurfaceSeries::StaticClass()}); }

}  // namespace PlotTriSurface
