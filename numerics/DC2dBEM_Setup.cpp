// Boundary discretisation and source/receiver set-up: system nodes, free terms,
// electrode locations, pole tables, residuals, the edge table and input checks.
#include <algorithm>
#include <cmath>
#include <string>

#include "numerics/DC2dBEM.h"
#include "numerics/DC2dBEM_Internal.h"

namespace DC2dBEM {

namespace {

using internal::TwoPi;
using internal::InvTwoPi;


complexM CheckedNodePoint(int32_t n) {
  const Tnode& node = Nodes.at(static_cast<size_t>(n));
  return {node.X, node.Depth};
}

complexM Sub(const complexM& a, const complexM& b) { return {a.x - b.x, a.z - b.z}; }

// Visits every polygon except the frame in parameter order.
template <typename F>
void ForEachParamPolygon(F&& f) {
  int32_t q = 0;
  for (size_t b = 0; b < Model.size(); ++b)
    for (size_t p = 0; p < Model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      f(q++, Model[b][p]);
    }
}

std::string Num(double v) {
  std::string s = std::to_string(v);
  while (s.size() > 1 && s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
    const bool dot = s.back() == '.';
    s.pop_back();
    if (dot) break;
  }
  return s;
}

}  // namespace

namespace detail {

double PolygonResistivity(const Polygon& polygon) {
  return polygon.Props[Polygons::PropResistivity].AsDouble();
}

double PolygonPolarizability(const Polygon& polygon) {
  return polygon.Props[Polygons::PropPolarizability].AsDouble();
}

void NormaliseOrientation(AllSpolygon& model, const Tnodes& nodes) {
  for (size_t b = 0; b < model.size(); ++b)
    for (size_t p = 0; p < model[b].size(); ++p) {
      if (b == 0 && p == 0) continue;
      arofintM& list = model[b][p].Nodes;
      double area = 0.0;
      for (size_t i = 0; i < list.size(); ++i) {
        const Tnode& a = nodes.at(static_cast<size_t>(list[i]));
        const Tnode& c = nodes.at(static_cast<size_t>(list[(i + 1) % list.size()]));
        area += a.X * c.Depth - c.X * a.Depth;
      }
      // Positive area in (x, depth) is clockwise on a screen with depth downward.
      if (area < 0.0) std::reverse(list.begin(), list.end());
    }
}

void BuildEdgeTable() {
  TEdgeTable& t = Edges;
  t = TEdgeTable{};
  // Unique edges keyed by their ordered node pair.
  std::vector<std::vector<std::pair<int32_t, int32_t>>> byNode(Nodes.size());
  auto addEdge = [&](int32_t slot, int32_t position, int32_t a, int32_t b) {
    const int32_t lo = std::min(a, b), hi = std::max(a, b);
    int32_t u = -1;
    for (const auto& [other, id] : byNode.at(static_cast<size_t>(lo)))
      if (other == hi) u = id;
    bool reversed = false;
    if (u < 0) {
      u = static_cast<int32_t>(t.Edges.size());
      t.Edges.push_back({a, b});
      t.Uses.emplace_back();
      byNode[static_cast<size_t>(lo)].emplace_back(hi, u);
    } else {
      reversed = t.Edges[static_cast<size_t>(u)].A != a;
    }
    t.Uses[static_cast<size_t>(u)].push_back({slot, position, reversed});
    t.SlotEdge[static_cast<size_t>(slot)].push_back(u);
    t.SlotReversed[static_cast<size_t>(slot)].push_back(reversed ? 1 : 0);
  };
  t.SlotEdge.emplace_back();
  t.SlotReversed.emplace_back();
  if (ReliefOn)
    for (size_t m = 0; m + 1 < ReliefNodes.size(); ++m)
      addEdge(0, static_cast<int32_t>(m), ReliefNodes[m], ReliefNodes[m + 1]);
  ForEachParamPolygon([&](int32_t q, const Polygon& polygon) {
    t.SlotEdge.emplace_back();
    t.SlotReversed.emplace_back();
    t.ParamPolygon.emplace_back(0, 0);
    const double rho = PolygonResistivity(polygon);
    t.Contrast.push_back((rho - HostResistivity) / rho);
    if (IPOn) {
      const double rhoIP = rho / (1.0 - PolygonPolarizability(polygon) / 100.0);
      t.ContrastIP.push_back((rhoIP - HostResistivityIP) / rhoIP);
    } else {
      t.ContrastIP.push_back(0.0);
    }
    const arofintM& list = polygon.Nodes;
    for (size_t e = 0; e < list.size(); ++e)
      addEdge(q + 1, static_cast<int32_t>(e), list[e], list[(e + 1) % list.size()]);
  });
  // (body, polygon) of every parameter.
  {
    int32_t q = 0;
    for (size_t b = 0; b < Model.size(); ++b)
      for (size_t p = 0; p < Model[b].size(); ++p)
        if (!(b == 0 && p == 0))
          t.ParamPolygon[static_cast<size_t>(q++)] = {static_cast<int32_t>(b), static_cast<int32_t>(p)};
  }
  t.Factor.assign(t.Edges.size(), 0.0);
  t.FactorIP.assign(t.Edges.size(), 0.0);
  for (size_t u = 0; u < t.Edges.size(); ++u)
    for (const TEdgeUse& use : t.Uses[u]) {
      const double sign = use.Reversed ? -1.0 : 1.0;
      if (use.Slot == 0) {
        t.Factor[u] += sign;
        t.FactorIP[u] += sign;
      } else {
        t.Factor[u] -= sign * t.Contrast[static_cast<size_t>(use.Slot - 1)];
        t.FactorIP[u] -= sign * t.ContrastIP[static_cast<size_t>(use.Slot - 1)];
      }
    }
}

}  // namespace detail

arofintM SurfaceRun() {
  arofintM run;
  if (Model.empty() || Model[0].empty()) return run;
  const arofintM& f = Model[0][0].Nodes;
  if (f.empty()) return run;
  size_t r = f.size();
  for (size_t i = 1; i < f.size(); ++i)
    if (f[i] == f[0]) {
      r = i;
      break;
    }
  if (r == f.size()) return f;  // already the open ground-surface line
  // Doubled ring: the top run from the top-right corner (node 3) to the end of the
  // first run, closed by the first node (the top-left corner).
  size_t p3 = r;
  for (size_t i = 1; i < r; ++i)
    if (f[i] == 3) {
      p3 = i;
      break;
    }
  if (p3 == r) {
    // No top-right corner: the first-run entries on the flat surface.
    for (size_t i = 0; i < r; ++i)
      if (CheckedNodePoint(f[i]).z <= 0.0) run.push_back(f[i]);
    return run;
  }
  run.assign(f.begin() + static_cast<std::ptrdiff_t>(p3), f.begin() + static_cast<std::ptrdiff_t>(r));
  run.push_back(f[0]);
  return run;
}

void BuildReliefNodes() {
  if (!ReliefOn) return;
  ReliefNodes = SurfaceRun();
  // Bubble sort by decreasing x (exchange only when the left x is strictly
  // smaller), then reversed: increasing x.
  const size_t n = ReliefNodes.size();
  for (size_t pass = 0; pass + 1 < n; ++pass) {
    bool swapped = false;
    for (size_t i = 0; i + 1 < n - pass; ++i)
      if (CheckedNodePoint(ReliefNodes[i]).x < CheckedNodePoint(ReliefNodes[i + 1]).x) {
        std::swap(ReliefNodes[i], ReliefNodes[i + 1]);
        swapped = true;
      }
    if (!swapped) break;
  }
  std::reverse(ReliefNodes.begin(), ReliefNodes.end());
  ReliefNodeFlags.assign(Nodes.size(), 0);
  for (int32_t n2 : ReliefNodes) ReliefNodeFlags.at(static_cast<size_t>(n2)) = 1;
}

int32_t NumberSystemNodes(arofintM& systemIndex) {
  systemIndex.assign(Nodes.size(), 0);
  const std::vector<int32_t> corners = ReliefOn ? std::vector<int32_t>{1, 2}
                                                : std::vector<int32_t>{0, 1, 2, 3};
  for (int32_t j : corners) {
    if (static_cast<size_t>(j) >= Nodes.size()) continue;
    bool held = false;
    if (!Model.empty())
      for (size_t p = 1; p < Model[0].size() && !held; ++p)
        held = std::find(Model[0][p].Nodes.begin(), Model[0][p].Nodes.end(), j) !=
               Model[0][p].Nodes.end();
    if (!held) systemIndex[static_cast<size_t>(j)] = -1;
  }
  int32_t count = 0;
  for (int32_t& s : systemIndex)
    if (s >= 0) s = count++;
  return count;
}

void ComputeFreeTerms(arofdoubleM& freeTerm) {
  const size_t n = static_cast<size_t>(SystemSize);
  arofdoubleM angle(n, 0.0);
  freeTerm.assign(n, 0.0);
  if (IPOn) FreeTermIP.assign(n, 0.0);
  ForEachParamPolygon([&](int32_t, const Polygon& polygon) {
    const double rho = detail::PolygonResistivity(polygon);
    const double rhoIP = rho / (1.0 - detail::PolygonPolarizability(polygon) / 100.0);
    const arofintM& list = polygon.Nodes;
    const size_t m = list.size();
    for (size_t p = 0; p < m; ++p) {
      const complexM node = CheckedNodePoint(list[p]);
      const complexM prev = CheckedNodePoint(list[(p + m - 1) % m]);
      const complexM next = CheckedNodePoint(list[(p + 1) % m]);
      double theta = CornerAngle(Sub(prev, node), Sub(next, node));
      // A node on the flat surface sees its mirror image.
      if (!ReliefOn && node.z <= 0.0) theta *= 2.0;
      const size_t s = static_cast<size_t>(SystemIndex.at(static_cast<size_t>(list[p])));
      angle.at(s) += theta;
      freeTerm[s] += theta * HostResistivity / rho;
      if (IPOn) FreeTermIP[s] += theta * HostResistivityIP / rhoIP;
    }
  });
  if (!ReliefOn) {
    for (size_t s = 0; s < n; ++s) {
      freeTerm[s] = (TwoPi - angle[s] + freeTerm[s]) * InvTwoPi;
      if (IPOn) FreeTermIP[s] = (TwoPi - angle[s] + FreeTermIP[s]) * InvTwoPi;
    }
    return;
  }
  arofboolM done(n, 0);
  const size_t count = ReliefNodes.size();
  for (size_t i = 0; i < count; ++i) {
    const int32_t node = ReliefNodes[i];
    double phi = 3.14159265358979323846;
    if (i > 0 && i + 1 < count) {
      const complexM c = CheckedNodePoint(node);
      phi = CornerAngle(Sub(CheckedNodePoint(ReliefNodes[i - 1]), c), Sub(CheckedNodePoint(ReliefNodes[i + 1]), c));
    }
    const size_t s = static_cast<size_t>(SystemIndex.at(static_cast<size_t>(node)));
    freeTerm.at(s) = (freeTerm[s] + phi - angle[s]) * InvTwoPi;
    if (IPOn) FreeTermIP[s] = (FreeTermIP[s] + phi - angle[s]) * InvTwoPi;
    done[s] = 1;
  }
  for (size_t s = 0; s < n; ++s) {
    if (done[s]) continue;
    freeTerm[s] = (TwoPi - angle[s] + freeTerm[s]) * InvTwoPi;
    if (IPOn) FreeTermIP[s] = (TwoPi - angle[s] + FreeTermIP[s]) * InvTwoPi;
  }
}

void AddFreeTerms(TMatrix& M, const arofdoubleM& freeTerm) {
  for (int32_t i = 0; i < M.N; ++i) M(i, i) += freeTerm[static_cast<size_t>(i)];
}

void LocateElectrodes(arofboolM& offNode, Points& electrodeNodes) {
  const size_t ne = Electrodes->size();
  offNode.assign(ne, 1);
  electrodeNodes.assign(ne, {-1, -1});
  const arofintM surface = SurfaceRun();
  for (size_t e = 0; e < ne; ++e) {
    const TElectrode& el = (*Electrodes)[e];
    if (!el.AtSurface) continue;
    for (size_t j = 0; j + 1 < surface.size(); ++j) {
      const double xa = CheckedNodePoint(surface[j]).x, xb = CheckedNodePoint(surface[j + 1]).x;
      if (xb < el.X && el.X < xa) {
        electrodeNodes[e] = {surface[j], surface[j + 1]};
        break;
      }
    }
    for (int32_t node : surface) {
      // Only a node of the system carries a potential of its own.
      if (std::fabs(el.X - CheckedNodePoint(node).x) < 0.01 && SystemIndex.at(static_cast<size_t>(node)) >= 0) {
        offNode[e] = 0;
        electrodeNodes[e] = {node, -1};
        break;
      }
    }
  }
}

bool PointInPolygon(const complexM& P, const arofintM& nodes) {
  bool inside = false;
  const size_t m = nodes.size();
  for (size_t i = 0; i < m; ++i) {
    const complexM ni = CheckedNodePoint(nodes[i]);
    const complexM nc = CheckedNodePoint(nodes[(i + m - 1) % m]);
    if ((ni.z <= P.z && P.z < nc.z) || (nc.z <= P.z && P.z < ni.z)) {
      const double x = ni.x + (nc.x - ni.x) * (P.z - ni.z) / (nc.z - ni.z);
      if (x > P.x) inside = !inside;
    }
  }
  return inside;
}

void ReceiverFreeTerms(const arofboolM& offNode, arofdoubleM& freeTerms, arofdoubleM& freeTermsIP) {
  const size_t ne = Electrodes->size();
  freeTerms.assign(ne, 0.0);
  freeTermsIP.assign(ne, 0.0);
  ElectrodeBody.assign(ne, -1);
  for (size_t e = 0; e < ne; ++e) {
    const TElectrode& el = (*Electrodes)[e];
    if (el.Depth > 0.0) {
      freeTerms[e] = 1.0;
      freeTermsIP[e] = 1.0;
      const complexM R{el.X, ElectrodeSourceDepth(el)};
      ForEachParamPolygon([&](int32_t q, const Polygon& polygon) {
        if (!PointInPolygon(R, polygon.Nodes)) return;
        const double rho = detail::PolygonResistivity(polygon);
        const double rhoIP = rho / (1.0 - detail::PolygonPolarizability(polygon) / 100.0);
        freeTerms[e] = HostResistivity * 1.0 / rho;
        freeTermsIP[e] = HostResistivityIP / rhoIP;
        ElectrodeBody[e] = q;
      });
      continue;
    }
    if (!offNode[e]) continue;
    const double half = ReliefOn ? 0.5 : 1.0;
    freeTerms[e] = half;
    freeTermsIP[e] = half;
    bool found = false;
    // The first surface edge of a polygon (in parameter order) under the electrode.
    ForEachParamPolygon([&](int32_t q, const Polygon& polygon) {
      if (found) return;
      const arofintM& list = polygon.Nodes;
      for (size_t t = 0; t < list.size() && !found; ++t) {
        const int32_t a = list[t], b = list[(t + 1) % list.size()];
        const complexM pa = CheckedNodePoint(a), pb = CheckedNodePoint(b);
        const bool onSurface = ReliefOn ? (ReliefNodeFlags.at(static_cast<size_t>(a)) &&
                                           ReliefNodeFlags.at(static_cast<size_t>(b)))
                                        : (pa.z <= 0.0 && pb.z <= 0.0);
        if (!onSurface || el.X < std::min(pa.x, pb.x) || el.X > std::max(pa.x, pb.x)) continue;
        const double rho = detail::PolygonResistivity(polygon);
        const double rhoIP = rho / (1.0 - detail::PolygonPolarizability(polygon) / 100.0);
        freeTerms[e] = half * HostResistivity / rho;
        freeTermsIP[e] = half * HostResistivityIP / rhoIP;
        ElectrodeBody[e] = q;
        found = true;
      }
    });
  }
}

void AddUnique(arofintM& list, int32_t value) {
  if (std::find(list.begin(), list.end(), value) == list.end()) list.push_back(value);
}

void SortInts(arofintM& list) { std::sort(list.begin(), list.end()); }

void BuildPoles(ararofintM& poleReceivers) {
  const arofintM& poles = *Poles;
  Asource& survey = *Survey;
  poleReceivers.assign(poles.size(), {});
  for (size_t i = 0; i < poles.size(); ++i) {
    for (const osource& s : survey) {
      if (s.C1 != poles[i] && s.C2 != poles[i]) continue;
      for (size_t k = 0; k < s.P1.size(); ++k) {
        if (s.P1[k] != -1) AddUnique(poleReceivers[i], s.P1[k]);
        if (s.P2[k] != -1) AddUnique(poleReceivers[i], s.P2[k]);
      }
    }
    SortInts(poleReceivers[i]);
  }
  for (osource& s : survey) {
    const size_t n = s.P1.size();
    for (arofdoubleM* a : {&s.UC1P1, &s.UC2P1, &s.UC1P2, &s.UC2P2, &s.UC1P1IP, &s.UC2P1IP,
                           &s.UC1P2IP, &s.UC2P2IP})
      a->assign(n, 0.0);
  }
  const size_t ne = Electrodes->size();
  ReceiverSlot.assign(ne, arofintM(ne, -1));
  PoleIndex.assign(ne, -1);
  for (size_t i = 0; i < poles.size(); ++i) {
    const size_t p = static_cast<size_t>(poles[i]);
    PoleIndex.at(p) = static_cast<int32_t>(i);
    for (size_t j = 0; j < poleReceivers[i].size(); ++j)
      ReceiverSlot.at(p).at(static_cast<size_t>(poleReceivers[i][j])) = static_cast<int32_t>(j);
  }
}

void ResistivityResiduals(arofdoubleM& residuals) {
  residuals.assign(static_cast<size_t>(DataCount), 0.0);
  size_t m = 0;
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.ResCalc.size(); ++k) residuals.at(m++) = std::log(s.Res.at(k) / s.ResCalc[k]);
}

void PolarizabilityResiduals(arofdoubleM& residuals) {
  residuals.assign(static_cast<size_t>(DataCount), 0.0);
  size_t m = 0;
  for (const osource& s : *Survey)
    for (size_t k = 0; k < s.ResCalc.size(); ++k)
      residuals.at(m++) = Supermath2d::SignedLog(s.EtaA.at(k), IPScale) -
                          Supermath2d::SignedLog(s.EtaACalc.at(k), IPScale);
}

std::string ValidateInputs() {
  if (Electrodes == nullptr || Survey == nullptr || Poles == nullptr)
    return "No survey is loaded: there is nothing to compute.";
  if (Model.empty() || Model[0].empty())
    return "The model has no frame: build or load a model first.";
  if (PointsOfOrder(GaussOrder) == 0)
    return "Quadrature order (numqp) " + std::to_string(GaussOrder) + " is not allowed: use 2 to 8.";
  if (UserWavenumbers && (WavenumberCount < 2 || WavenumberCount > 100))
    return "Number of wavenumbers (nknumber) " + std::to_string(WavenumberCount) +
           " is not allowed: use 2 to 100.";
  if (!(RMin > 0.0) || !std::isfinite(RMin))
    return "Smallest source distance " + Num(RMin) + " is not allowed: it must be greater than 0.";
  if (!(HostResistivity > 0.0) || !std::isfinite(HostResistivity))
    return "Host resistivity " + Num(HostResistivity) + " ohm m is not allowed: it must be greater than 0.";
  if (IPOn && !(HostPolarizability >= 0.0 && HostPolarizability < 100.0))
    return "Host polarizability " + Num(HostPolarizability) + " % is not allowed: use 0 to below 100.";
  const size_t nn = Nodes.size();
  for (const Tnode& node : Nodes)
    if (!std::isfinite(node.X) || !std::isfinite(node.Depth)) return "The model has a node at a position that is not a number.";
  for (size_t b = 0; b < Model.size(); ++b)
    for (size_t p = 0; p < Model[b].size(); ++p) {
      for (int32_t n : Model[b][p].Nodes)
        if (n < 0 || static_cast<size_t>(n) >= nn)
          return "Body " + std::to_string(b) + ", polygon " + std::to_string(p) + " refers to node " +
                 std::to_string(n) + ", which does not exist.";
      if (b == 0 && p == 0) continue;
      if (Model[b][p].Nodes.size() < 3)
        return "Body " + std::to_string(b) + ", polygon " + std::to_string(p) + " has fewer than 3 nodes.";
      const double rho = detail::PolygonResistivity(Model[b][p]);
      if (!(rho > 0.0) || !std::isfinite(rho))
        return "Resistivity " + Num(rho) + " ohm m of body " + std::to_string(b) + ", polygon " +
               std::to_string(p) + " is not allowed: it must be greater than 0.";
      const double eta = detail::PolygonPolarizability(Model[b][p]);
      if (IPOn && !(eta >= 0.0 && eta < 100.0))
        return "Polarizability " + Num(eta) + " % of body " + std::to_string(b) + ", polygon " +
               std::to_string(p) + " is not allowed: use 0 to below 100.";
    }
  {
    // Every polygon node must be a node of the boundary-element system.
    arofintM systemIndex;
    NumberSystemNodes(systemIndex);
    for (size_t b = 0; b < Model.size(); ++b)
      for (size_t p = 0; p < Model[b].size(); ++p) {
        if (b == 0 && p == 0) continue;
        for (int32_t n : Model[b][p].Nodes)
          if (systemIndex[static_cast<size_t>(n)] < 0)
            return "Body " + std::to_string(b) + ", polygon " + std::to_string(p) + " uses the frame corner node " +
                   std::to_string(n) + ", which only the frame's own sub-polygons may use.";
      }
  }
  const int32_t ne = static_cast<int32_t>(Electrodes->size());
  for (const TElectrode& e : *Electrodes)
    if (!std::isfinite(e.X) || !std::isfinite(e.Depth) || !std::isfinite(e.SourceDepth))
      return "An electrode has a position that is not a number.";
  arofboolM isPole(static_cast<size_t>(ne), 0);
  for (int32_t p : *Poles) {
    if (p < 0 || p >= ne) return "Current electrode " + std::to_string(p) + " does not exist.";
    isPole[static_cast<size_t>(p)] = 1;
  }
  auto electrodeOk = [&](int32_t e, bool mayBeAbsent) { return (mayBeAbsent && e == -1) || (e >= 0 && e < ne); };
  for (size_t i = 0; i < Survey->size(); ++i) {
    const osource& s = (*Survey)[i];
    const std::string where = "Source " + std::to_string(i + 1);
    if (!electrodeOk(s.C1, false) || !electrodeOk(s.C2, true))
      return where + " refers to a current electrode that does not exist.";
    if (!isPole[static_cast<size_t>(s.C1)] || (s.C2 != -1 && !isPole[static_cast<size_t>(s.C2)]))
      return where + " uses a current electrode that is not in the list of current electrodes.";
    const size_t n = s.P1.size();
    if (s.P2.size() != n || s.K.size() != n || s.P1y.size() != n || s.P2y.size() != n)
      return where + " has measurement lists of different lengths.";
    for (size_t k = 0; k < n; ++k)
      if (!electrodeOk(s.P1[k], false) || !electrodeOk(s.P2[k], true))
        return where + ", measurement " + std::to_string(k + 1) + " refers to a potential electrode that does not exist.";
  }
  if (GeometryChanged) {
    arofdoubleM distances;
    BuildFitDistances(distances);
    if (distances.empty()) return "The survey has no measurement to compute.";

  }
  return {};
}

}  // namespace DC2dBEM
