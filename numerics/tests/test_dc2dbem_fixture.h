// Small surveys and models for the solver tests: electrode lines, standard arrays
// with their analytic geometric factors, frames and rectangular bodies.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "numerics/ComputationMesh.h"
#include "numerics/DC2dBEM.h"

namespace bemtest {

struct TDatum {
  int32_t A, B, M, N;  // electrode numbers, -1 at infinity
};

enum class TArray { Wenner, Schlumberger, DipoleDipole, PoleDipole, PolePole };

// The survey the solver shares: owned here, pointed to by the solver's state.
struct TSurvey {
  elecarray Electrodes;
  Asource Sources;
  arofintM Poles;
  arofdoubleM Distances;
};

// Electrodes at x0, x0 + spacing, ... on the surface (depth 0).
inline elecarray ElectrodeLine(int32_t count, double spacing, double x0 = 0.0) {
  elecarray e(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    e[static_cast<size_t>(i)].X = x0 + i * spacing;
    e[static_cast<size_t>(i)].Chainage = e[static_cast<size_t>(i)].X;
    e[static_cast<size_t>(i)].AtSurface = 1;
  }
  return e;
}

inline void SetElectrodeDepth(TElectrode& e, double depth) {
  e.Depth = depth;
  e.ModelDepth = depth;
  e.SourceDepth = depth;
  e.ImageDepth = -depth;
  e.AtSurface = depth <= 0.0 ? 1 : 0;
}

// Green's term of a unit source at electrode a seen at electrode b in a half-space
// with a flat surface (source and mirror image), times 4 pi / rho.
inline double HalfSpaceTerm(const elecarray& e, int32_t a, int32_t b) {
  if (a < 0 || b < 0) return 0.0;
  const TElectrode& s = e[static_cast<size_t>(a)];
  const TElectrode& p = e[static_cast<size_t>(b)];
  const double dx = s.X - p.X;
  const double r1 = std::hypot(dx, s.Depth - p.Depth);
  const double r2 = std::hypot(dx, s.Depth + p.Depth);
  return 1.0 / r1 + 1.0 / r2;
}

// Geometric factor of a datum over a half-space: rho_a = K dV / I.
inline double GeometricFactor(const elecarray& e, const TDatum& d) {
  const double g = HalfSpaceTerm(e, d.A, d.M) - HalfSpaceTerm(e, d.A, d.N) - HalfSpaceTerm(e, d.B, d.M) +
                   HalfSpaceTerm(e, d.B, d.N);
  return 4.0 * 3.14159265358979323846 / g;
}

// Data of one array type on electrodes 0 .. count-1, levels n = 1 .. maxLevel.
inline std::vector<TDatum> ArrayData(TArray type, int32_t count, int32_t maxLevel) {
  std::vector<TDatum> data;
  for (int32_t n = 1; n <= maxLevel; ++n)
    for (int32_t i = 0; i < count; ++i) {
      switch (type) {
        case TArray::Wenner:
          if (i + 3 * n < count) data.push_back({i, i + 3 * n, i + n, i + 2 * n});
          break;
        case TArray::Schlumberger:
          if (i + 2 * n + 1 < count) data.push_back({i, i + 2 * n + 1, i + n, i + n + 1});
          break;
        case TArray::DipoleDipole:
          if (i + n + 2 < count) data.push_back({i, i + 1, i + n + 1, i + n + 2});
          break;
        case TArray::PoleDipole:
          if (i + n + 1 < count) data.push_back({i, -1, i + n, i + n + 1});
          break;
        case TArray::PolePole:
          if (i + n < count) data.push_back({i, -1, i + n, -1});
          break;
      }
    }
  return data;
}

// Groups data into sources, fills geometric factors, observed values (rho_obs for
// every datum), the pole list and the distinct current-to-potential distances.
inline void BuildSurvey(TSurvey& survey, const std::vector<TDatum>& data, double rhoObs = 100.0) {
  survey.Sources.clear();
  for (const TDatum& d : data) {
    osource* s = nullptr;
    for (osource& src : survey.Sources)
      if (src.C1 == d.A && src.C2 == d.B) s = &src;
    if (s == nullptr) {
      survey.Sources.emplace_back();
      s = &survey.Sources.back();
      s->C1 = d.A;
      s->C2 = d.B;
      s->C1x = survey.Electrodes[static_cast<size_t>(d.A)].X;
      s->C2x = d.B >= 0 ? survey.Electrodes[static_cast<size_t>(d.B)].X : Supermath2d::NoValue;
    }
    const double K = GeometricFactor(survey.Electrodes, d);
    s->P1.push_back(d.M);
    s->P2.push_back(d.N);
    s->P1x.push_back(survey.Electrodes[static_cast<size_t>(d.M)].X);
    s->P2x.push_back(d.N >= 0 ? survey.Electrodes[static_cast<size_t>(d.N)].X : Supermath2d::NoValue);
    s->P1y.push_back(0.0);
    s->P2y.push_back(0.0);
    s->P1z.push_back(0.0);
    s->P2z.push_back(0.0);
    s->K.push_back(K);
    s->RhoA.push_back(rhoObs);
    s->Res.push_back(rhoObs / K);
    s->Weight.push_back(1.0);
    s->EtaA.push_back(Supermath2d::NoValue);
    s->ResIP.push_back(Supermath2d::NoValue);
    s->FlagsC.push_back(1);
  }
  survey.Poles.clear();
  for (const osource& s : survey.Sources) {
    for (int32_t c : {s.C1, s.C2})
      if (c >= 0 && std::find(survey.Poles.begin(), survey.Poles.end(), c) == survey.Poles.end())
        survey.Poles.push_back(c);
  }
  std::sort(survey.Poles.begin(), survey.Poles.end());
  survey.Distances.clear();
  auto add = [&](int32_t a, int32_t b) {
    if (a < 0 || b < 0) return;
    const TElectrode& ea = survey.Electrodes[static_cast<size_t>(a)];
    const TElectrode& eb = survey.Electrodes[static_cast<size_t>(b)];
    const double r = std::hypot(ea.X - eb.X, ea.SourceDepth - eb.SourceDepth);
    for (double x : survey.Distances)
      if (std::fabs(x - r) < 0.01 * std::max(x, r)) return;
    survey.Distances.push_back(r);
  };
  for (const osource& s : survey.Sources)
    for (size_t k = 0; k < s.P1.size(); ++k) {
      add(s.C1, s.P1[k]);
      add(s.C1, s.P2[k]);
      add(s.C2, s.P1[k]);
      add(s.C2, s.P2[k]);
    }
  std::sort(survey.Distances.begin(), survey.Distances.end());
}

// A frame from left to right and from depth 0 to bottom (doubled ring), as the
// start model builds it; every node of the frame with its border code.
inline void FrameModel(AllSpolygon& model, Tnodes& nodes, double left, double right, double bottom) {
  nodes.assign(4, Tnode{});
  nodes[0].X = left;
  nodes[0].Border = 1;
  nodes[1].X = left;
  nodes[1].Depth = bottom;
  nodes[1].Border = 2;
  nodes[2].X = right;
  nodes[2].Depth = bottom;
  nodes[2].Border = 4;
  nodes[3].X = right;
  nodes[3].Border = 5;
  model.assign(1, SPolygon(1));
  model[0][0].Nodes = {0, 1, 2, 3, 0, 3, 2, 1};
  model[0][0].Props[Polygons::PropShapeId] = int32_t{-1};
}

// Appends a rectangular body (its own body) with corners (x0, z0) - (x1, z1),
// clockwise on screen when `clockwise`, with the given resistivity and polarizability.
inline void AddBox(AllSpolygon& model, Tnodes& nodes, double x0, double z0, double x1, double z1, double rho,
                   double eta = 0.0, bool clockwise = true) {
  const int32_t base = static_cast<int32_t>(nodes.size());
  for (auto [x, z] : {std::pair{x0, z0}, std::pair{x1, z0}, std::pair{x1, z1}, std::pair{x0, z1}}) {
    Tnode n;
    n.X = x;
    n.Depth = z;
    nodes.push_back(n);
  }
  Polygon p;
  p.Nodes = clockwise ? arofintM{base, base + 1, base + 2, base + 3} : arofintM{base, base + 3, base + 2, base + 1};
  p.Props[Polygons::PropShapeId] = int32_t{-1};
  p.Props[Polygons::PropResistivity] = rho;
  p.Props[Polygons::PropPolarizability] = eta;
  model.push_back(SPolygon{p});
}

// Refines the model into the computation mesh with the main window's default
// dividing options for electrode spacing s, scaled by `refine` (smaller is finer).
inline bool MeshModel(AllSpolygon& model, Tnodes& nodes, double left, double right, double bottom, double s,
                      double refine = 1.0, bool relief = false, const arofcomplexM& reliefLine = {}) {
  ComputationMesh::TMeshModel bounds;
  bounds.XMin = left;
  bounds.XMax = right;
  bounds.ZMax = bottom;
  bounds.HasRelief = relief;
  bounds.Relief = reliefLine;
  ComputationMesh::TMeshSettings settings;
  settings.HalfSpacing = s / 2.0;
  settings.FactorX = 0.2 * refine;
  settings.FactorZ = 0.2 * refine;
  settings.StartXStep = 2.0 * s / 3.0 * refine;
  settings.StartZStep = 1.0 * s / 10.0 * refine;
  double offset = 0.0;
  std::string message;
  return ComputationMesh::BuildComputationMesh(bounds, settings, model, nodes, offset, message);
}

// Adds a node with a border code and returns its index.
inline int32_t AddNode(Tnodes& nodes, double x, double z, int32_t border = 0) {
  Tnode n;
  n.X = x;
  n.Depth = z;
  n.Border = border;
  nodes.push_back(n);
  return static_cast<int32_t>(nodes.size()) - 1;
}

// A body-0 sub-polygon with the given node list and properties.
inline void AddSubPolygon(AllSpolygon& model, const arofintM& list, double rho, double eta = 0.0) {
  Polygon p;
  p.Nodes = list;
  p.Props[Polygons::PropShapeId] = int32_t{-1};
  p.Props[Polygons::PropResistivity] = rho;
  p.Props[Polygons::PropPolarizability] = eta;
  model[0].push_back(p);
}

// Points the solver at the survey and sets the common run settings.
inline void UseSurvey(TSurvey& survey, double host, double hostEta = 0.0) {
  DC2dBEM::Electrodes = &survey.Electrodes;
  DC2dBEM::Survey = &survey.Sources;
  DC2dBEM::Poles = &survey.Poles;
  DC2dBEM::ElectrodeDistances = &survey.Distances;
  DC2dBEM::HostResistivity = host;
  DC2dBEM::HostPolarizability = hostEta;
  DC2dBEM::GaussOrder = 4;
  DC2dBEM::UserWavenumbers = true;
  DC2dBEM::WavenumberCount = 8;
  DC2dBEM::GeometryChanged = true;
}

// Calls f(source, measurement) for every datum in survey order.
inline void ForEachDatum(const TSurvey& survey, const std::function<void(const osource&, size_t)>& f) {
  for (const osource& s : survey.Sources)
    for (size_t k = 0; k < s.P1.size(); ++k) f(s, k);
}

}  // namespace bemtest
