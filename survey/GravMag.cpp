// Gravity and magnetic forward modelling of the polygon model: for every edge of a
// polygon the line-integral terms at a station (angle subtended and logarithm of
// the distance ratio), summed into the anomaly of a polygon of constant density
// or constant induced magnetisation.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "survey/GravMag.h"
#include "survey/Survey.h"

using Supermath2d::NoValue;

namespace {

// The terms of one edge seen from the station: its direction cosines c and s, the
// perpendicular distance p, Theta = -2 sigma theta and Lambda = 2 ln(r2 / r1).
struct TEdgeTerms {
  double C = 0.0, S = 0.0, P = 0.0, Theta = 0.0, Lambda = 0.0;
};

enum class TEdgeKind { Ok, ZeroLength, OnNode };

TEdgeKind EdgeTerms(const Tnode& a, const Tnode& b, double x0, double z0, TEdgeTerms& t) {
  const double x1 = a.X - x0, z1 = a.Depth - z0, x2 = b.X - x0, z2 = b.Depth - z0;
  const double r1 = std::sqrt(x1 * x1 + z1 * z1), r2 = std::sqrt(x2 * x2 + z2 * z2);
  if (r1 == 0.0 || r2 == 0.0) return TEdgeKind::OnNode;
  const double L = std::sqrt((x1 - x2) * (x1 - x2) + (z2 - z1) * (z2 - z1));
  if (L == 0.0) return TEdgeKind::ZeroLength;
  t.C = (z2 - z1) / L;
  t.S = (x1 - x2) / L;
  t.P = t.C * x1 + t.S * z1;
  const double sigma = t.P > 0.0 ? 1.0 : -1.0;
  const double theta = std::acos(std::clamp((x1 * x2 + z1 * z2) / (r1 * r2), -1.0, 1.0));
  t.Theta = -2.0 * sigma * theta;
  t.Lambda = 2.0 * std::log(r2 / r1);
  return TEdgeKind::Ok;
}

// Sums f over the edges of the polygon (the last node joined to the first).
template <typename F>
bool SumEdges(const Polygon& polygon, const Tnodes& nodes, double x0, double z0, F f) {
  const size_t n = polygon.Nodes.size();
  for (size_t k = 0; k < n; ++k) {
    const Tnode& a = nodes.at(static_cast<size_t>(polygon.Nodes[k]));
    const Tnode& b = nodes.at(static_cast<size_t>(polygon.Nodes[(k + 1) % n]));
    TEdgeTerms t;
    const TEdgeKind kind = EdgeTerms(a, b, x0, z0, t);
    if (kind == TEdgeKind::OnNode) return false;
    if (kind == TEdgeKind::Ok) f(t);
  }
  return true;
}

double Property(const Polygon& polygon, bool magnetic) {
  const double v = polygon.Props[magnetic ? Polygons::PropSusceptibility : Polygons::PropDensity].AsDouble();
  return std::isfinite(v) ? v : 0.0;
}

}  // namespace

namespace GravMag {

bool PolygonGravity(const Polygon& polygon, const Tnodes& nodes, double x0, double z0, double& value) {
  double sum = 0.0;
  const bool ok = SumEdges(polygon, nodes, x0, z0, [&](const TEdgeTerms& t) {
    sum -= GravityConstant * t.P * (t.S * t.Theta - t.C * t.Lambda);
  });
  value = sum;
  return ok;
}

bool PolygonMagnetic(const Polygon& polygon, const Tnodes& nodes, const TMagField& field, double x0, double z0,
                     double& value) {
  const double I = field.Inclination * std::numbers::pi / 180.0;
  const double delta = (field.Azimuth2 - field.Azimuth1) * std::numbers::pi / 180.0;
  const double cosIcosD = std::cos(I) * std::cos(delta), sinI = std::sin(I);
  const double Jx = field.Intensity * cosIcosD * SusceptibilityUnit;
  const double Jz = field.Intensity * sinI * SusceptibilityUnit;
  double sum = 0.0;
  const bool ok = SumEdges(polygon, nodes, x0, z0, [&](const TEdgeTerms& t) {
    const double Jn = t.C * Jx + t.S * Jz;
    sum += Jn * ((t.C * t.Theta + t.S * t.Lambda) * cosIcosD + (t.S * t.Theta - t.C * t.Lambda) * sinI);
  });
  value = sum;
  return ok;
}

void NormaliseOrientation(AllSpolygon& polygons, const Tnodes& nodes) {
  for (size_t b = 0; b < polygons.size(); ++b)
    for (size_t p = (b == 0 ? 1 : 0); p < polygons[b].size(); ++p) {
      arofintM& ring = polygons[b][p].Nodes;
      double twiceArea = 0.0;
      for (size_t k = 0; k < ring.size(); ++k) {
        const Tnode& a = nodes.at(static_cast<size_t>(ring[k]));
        const Tnode& c = nodes.at(static_cast<size_t>(ring[(k + 1) % ring.size()]));
        twiceArea += a.X * c.Depth - c.X * a.Depth;
      }
      // With depth downward a clockwise ring as drawn has a positive (x, depth) area.
      if (twiceArea < 0.0) std::reverse(ring.begin(), ring.end());
    }
}

}  // namespace GravMag

double TGravMag::FrameOffset() const {
  const double s = FSurvey.ElectrodeSpacing;
  return std::isfinite(s) && s > 0.0 ? 2187.0 * s / 2.0 : 0.0;
}

int32_t TGravMag::Sensitivity(bool magnetic, const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const {
  S.clear();
  const size_t n = std::min(x.size(), z.size());
  const GravMag::TMagField field = Field();
  int32_t onNode = -1;
  GravMag::ForEachParameterPolygon(GravMagPolygons, [&](size_t, size_t, const Polygon& polygon) {
    S.emplace_back(n, 0.0);
    for (size_t k = 0; k < n && onNode < 0; ++k) {
      const bool ok = magnetic ? GravMag::PolygonMagnetic(polygon, GravMagNodes, field, x[k], z[k], S.back()[k])
                               : GravMag::PolygonGravity(polygon, GravMagNodes, x[k], z[k], S.back()[k]);
      if (!ok) onNode = static_cast<int32_t>(k);
    }
  });
  return onNode;
}

int32_t TGravMag::Response(bool magnetic, const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const {
  ararofdoubleM S;
  const int32_t onNode = Sensitivity(magnetic, x, z, S);
  const size_t n = std::min(x.size(), z.size());
  g.assign(n, 0.0);
  if (onNode >= 0) {
    std::fill(g.begin(), g.end(), NoValue);
    return onNode;
  }
  size_t j = 0;
  GravMag::ForEachParameterPolygon(GravMagPolygons, [&](size_t, size_t, const Polygon& polygon) {
    const double value = Property(polygon, magnetic);
    for (size_t k = 0; k < n; ++k) g[k] += value * S[j][k];
    ++j;
  });
  return -1;
}

int32_t TGravMag::GravityResponse(const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const {
  return Response(false, x, z, g);
}

int32_t TGravMag::MagneticResponse(const arofdoubleM& x, const arofdoubleM& z, arofdoubleM& g) const {
  return Response(true, x, z, g);
}

int32_t TGravMag::GravitySensitivity(const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const {
  return Sensitivity(false, x, z, S);
}

int32_t TGravMag::MagneticSensitivity(const arofdoubleM& x, const arofdoubleM& z, ararofdoubleM& S) const {
  return Sensitivity(true, x, z, S);
}

void TGravMag::ComputeList(bool magnetic, ttdata& list) {
  arofdoubleM x, z, g;
  for (const tdata& s : list) {
    x.push_back(s.Position);
    z.push_back(s.Level);
  }
  const int32_t onNode = Response(magnetic, x, z, g);
  if (onNode >= 0) Message((magnetic ? GravMag::MagneticOnNode : GravMag::GravityOnNode) + std::to_string(onNode + 1));
  for (size_t k = 0; k < list.size(); ++k) list[k].Calculated = g[k];
}

void TGravMag::ComputeGravMag() {
  auto notComputed = [](ttdata& list) {
    for (tdata& s : list) s.Calculated = NoValue;
  };
  GravMagPolygons.clear();
  GravMagNodes.clear();
  if (!FSurvey.ModelChart) {
    notComputed(GravData);
    notComputed(MagData);
    return;
  }
  AllSpolygon polygons = Polygons::CopyAllSpolygon(FSurvey.ModelChart->GetModel());
  Tnodes nodes = Polygons::CopyNodes(FSurvey.ModelChart->GetNodes());
  std::string problem;
  if (!FSurvey.ModelChart->BuildGravMagMesh(FrameOffset(), polygons, nodes, problem)) {
    Message(problem);
    notComputed(GravData);
    notComputed(MagData);
    return;
  }
  GravMag::NormaliseOrientation(polygons, nodes);
  GravMagPolygons = std::move(polygons);
  GravMagNodes = std::move(nodes);
  if (HasGravData) ComputeList(false, GravData);
  if (HasMagData) ComputeList(true, MagData);
}
