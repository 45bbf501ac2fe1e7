// Forward accuracy at the program's own settings: a survey read from a k2d file,
// a model as the model section holds it, the solver bridge and a forward run,
// against grounds whose apparent resistivity is known in closed form.
#include <cmath>
#include <functional>
#include <sstream>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyForwardAccuracyTests {

using namespace SurveyTest;

namespace {

constexpr double Pi = 3.14159265358979323846;
// The line of the table: 26 electrodes, 2.5 m apart, starting at x = 12.5 m.
constexpr int32_t Count = 26;
constexpr double Spacing = 2.5, Origin = 12.5;

double ElectrodeX(int32_t i) { return Origin + i * Spacing; }

// Potential times 2 pi / I at a surface point at distance r from a surface source
// over a layer of thickness h and resistivity rho1 on a half-space rho2, by the
// image series summed until its terms no longer count.
double LayerPotential(double r, double h, double rho1, double rho2) {
  const double k = (rho2 - rho1) / (rho2 + rho1);
  double v = 1.0 / r, kn = 1.0;
  for (int n = 1; n < 100000; ++n) {
    kn *= k;
    const double term = 2.0 * kn / std::hypot(r, 2.0 * n * h);
    v += term;
    if (std::fabs(term) < 1e-15 * std::fabs(v)) break;
  }
  return rho1 * v;
}

// The same for a vertical contact at x = c, rho1 left of it and rho2 right, by the
// closed form of one image in the contact plane.
double ContactPotential(double xs, double x, double c, double rho1, double rho2) {
  const double k = (rho2 - rho1) / (rho2 + rho1);
  const bool sourceLeft = xs < c;
  const double rs = sourceLeft ? rho1 : rho2, ks = sourceLeft ? k : -k;
  const double r = std::fabs(x - xs);
  if ((x < c) == sourceLeft) return rs * (1.0 / r + ks / std::fabs(x - (2.0 * c - xs)));
  return rs * (1.0 + ks) / r;
}

using TPotential = std::function<double(double xs, double x)>;

// Apparent resistivity of a measurement for a ground given by its potential: the
// ground's voltage over the voltage of a unit half-space at the same electrodes.
double ApparentResistivity(const osource& s, size_t j, const TPotential& potential) {
  auto voltage = [&](const TPotential& v) {
    auto pair = [&](int32_t c, double cx, int32_t p, double px) { return c < 0 || p < 0 ? 0.0 : v(cx, px); };
    return pair(s.C1, s.C1x, s.P1[j], s.P1x[j]) - pair(s.C1, s.C1x, s.P2[j], s.P2x[j]) -
           pair(s.C2, s.C2x, s.P1[j], s.P1x[j]) + pair(s.C2, s.C2x, s.P2[j], s.P2x[j]);
  };
  return voltage(potential) / voltage([](double xs, double x) { return 1.0 / std::fabs(x - xs); });
}

enum TArrays { Wenner = 1, Schlumberger = 2, DipoleDipole = 4, PoleDipole = 8, PolePole = 16 };

// A k2d survey of the chosen arrays on the line; "*" marks an electrode at infinity.
std::string SurveyText(int arrays) {
  std::ostringstream text;
  text << "C1 C2 P1 P2 ro_a eta_a\n";
  auto x = [](int32_t i) { return std::to_string(ElectrodeX(i)); };
  auto row = [&](int32_t c1, int32_t c2, int32_t p1, int32_t p2) {
    auto at = [&](int32_t i) { return i < 0 ? std::string("*") : x(i); };
    text << at(c1) << ' ' << at(c2) << ' ' << at(p1) << ' ' << at(p2) << " 100 1\n";
  };
  for (int32_t n = 1; n <= 6; ++n)
    for (int32_t i = 0; i < Count; ++i) {
      if ((arrays & Wenner) && i + 3 * n < Count) row(i, i + 3 * n, i + n, i + 2 * n);
      if ((arrays & Schlumberger) && i + 2 * n + 1 < Count) row(i, i + 2 * n + 1, i + n, i + n + 1);
      for (int32_t a = 1; a <= 2; ++a)
        if ((arrays & DipoleDipole) && i + (n + 2) * a < Count) row(i, i + a, i + (n + 1) * a, i + (n + 2) * a);
      if ((arrays & PoleDipole) && i + n + 1 < Count) row(i, -1, i + n, i + n + 1);
      if ((arrays & PoleDipole) && i - n - 1 >= 0) row(i, -1, i - n, i - n - 1);
      if ((arrays & PolePole) && i + n < Count) row(i, -1, i + n, -1);
    }
  return text.str();
}

struct TGround {
  const char* name;
  int arrays;
  double host;      // resistivity of the host (the lower layer, or the right of a contact)
  double body;      // resistivity of the body (the top layer, or the left of a contact)
  double depth;     // layer thickness; 0 for a homogeneous ground, -1 for the contact
  double contactX;  // the contact's position
  double tolerance;
};

class ForwardAccuracy : public SolverStateTest {
 protected:
  // Reads the survey, gives it the model of the ground and runs the forward problem
  // with the program's mesh settings scaled by `refine`. The layer is a sub-polygon
  // of the frame from side to side, the contact one from the surface to the bottom.
  void Run(TCapturedSurvey& t, const TGround& g, double refine, double hostEta = 0.0) {
    ASSERT_EQ(OpenK2d(t.Survey, "ground.k2d", SurveyText(g.arrays)), Survey::ReadData);
    t.Survey.ConstructStartModel(true);
    const TModelBounds b = t.Chart->Bounds;
    Tnodes& nodes = t.Chart->Nodes;
    AllSpolygon& model = t.Chart->Model;
    auto node = [&](double x, double z, int32_t border) {
      Tnode n;
      n.X = x;
      n.Depth = z;
      n.Border = border;
      nodes.push_back(n);
      return static_cast<int32_t>(nodes.size()) - 1;
    };
    nodes.clear();
    node(b.Left, b.Top, Polygons::BorderLeft);
    node(b.Left, b.Bottom, Polygons::BorderBottomLeft);
    node(b.Right, b.Bottom, Polygons::BorderBottomRight);
    node(b.Right, b.Top, Polygons::BorderRight);
    model.assign(1, SPolygon(1));
    model[0][0].Nodes = {0, 1, 2, 3, 0, 3, 2, 1};
    model[0][0].Props[Polygons::PropShapeId] = int32_t{-1};
    auto addBody = [&](const arofintM& list) {
      Polygon p;
      p.Nodes = list;
      p.Props[Polygons::PropShapeId] = int32_t{-1};
      p.Props[Polygons::PropResistivity] = g.body;
      p.Props[Polygons::PropPolarizability] = 0.0;
      model[0].push_back(p);
    };
    if (g.depth > 0.0) {
      const int32_t l = node(b.Left, g.depth, Polygons::BorderLeft), r = node(b.Right, g.depth, Polygons::BorderRight);
      model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
      addBody({0, 3, r, l});
    } else if (g.depth < 0.0) {
      const int32_t top = node(g.contactX, b.Top, Polygons::BorderSurface);
      const int32_t bottom = node(g.contactX, b.Bottom, Polygons::BorderBottom);
      model[0][0].Nodes = {0, 1, bottom, 2, 3, top, 0, 3, 2, 1};
      addBody({0, top, bottom, 1});
    }
    t.Survey.StartResistivity = g.host;
    t.Survey.StartPolarizability = hostEta;
    t.Survey.FactorX *= refine;
    t.Survey.FactorZ *= refine;
    t.Survey.StartX *= refine;
    t.Survey.StartZ *= refine;
    ASSERT_TRUE(t.Survey.RunModelling(false)) << (SolverMessages.empty() ? "" : SolverMessages[0]);
  }

  TPotential Potential(const TGround& g, double host) const {
    if (g.depth > 0.0) return [=](double xs, double x) { return LayerPotential(std::fabs(x - xs), g.depth, g.body, host); };
    if (g.depth < 0.0) return [=](double xs, double x) { return ContactPotential(xs, x, g.contactX, g.body, host); };
    return [=](double xs, double x) { return host / std::fabs(x - xs); };
  }

  // Largest relative deviation of the calculated apparent resistivity.
  double Error(const TSurvey& s, const TGround& g) {
    double worst = 0.0;
    const TPotential potential = Potential(g, g.host);
    ForEachReceiver(s, [&](const osource& src, size_t j) {
      const double exact = ApparentResistivity(src, j, potential);
      worst = std::max(worst, std::fabs(src.RhoACalc[j] / exact - 1.0));
    });
    return worst;
  }
};

TEST_F(ForwardAccuracy, ClosedFormGroundsAtTheDefaultSettingsAndWhenRefined) {
  const double a = Spacing;
  const TGround grounds[] = {
      {"homogeneous", Wenner | Schlumberger | DipoleDipole | PoleDipole | PolePole, 100, 100, 0, 0, 5e-4},
      {"thin conductive top layer 10:1", Wenner | DipoleDipole, 100, 10, 1.5 * a, 0, 0.01},
      {"thin resistive top layer 1:10", Wenner | DipoleDipole, 10, 100, 1.5 * a, 0, 0.01},
      {"thick layer over a resistive basement 1:10", Wenner | DipoleDipole, 100, 10, 4 * a, 0, 0.01},
      {"thick layer over a conductive basement 10:1", Wenner | DipoleDipole, 10, 100, 4 * a, 0, 0.01},
      {"vertical contact 1:10 near electrodes", Wenner | DipoleDipole, 100, 10, -1, ElectrodeX(12) + 0.3 * a, 0.01},
  };
  for (const TGround& g : grounds) {
    double errors[2];
    for (int pass = 0; pass < 2; ++pass) {
      TCapturedSurvey t;
      Run(t, g, pass == 0 ? 1.0 : 0.5);
      errors[pass] = Error(t.Survey, g);
    }
    EXPECT_LE(errors[0], g.tolerance) << g.name << " at the default settings: " << 100 * errors[0] << " %";
    // Refinement keeps converging, up to the transform's own error (0.05 %), which
    // no mesh removes.
    EXPECT_LE(errors[1], errors[0] + 5e-4) << g.name << " on the halved mesh: " << 100 * errors[1] << " %";
  }
}

TEST_F(ForwardAccuracy, PolarizabilityOfALowerLayerFollowsSeigelsRule) {
  // eta_a = eta2 d ln rho_a / d ln rho2, with eta only in the lower layer (the host).
  const double eta2 = 0.5;
  const TGround g{"two layers", Wenner | DipoleDipole, 100, 10, 1.5 * Spacing, 0, 0.02};
  for (int pass = 0; pass < 2; ++pass) {
    TCapturedSurvey t;
    Run(t, g, pass == 0 ? 1.0 : 0.5, eta2);
    ASSERT_TRUE(DC2dBEM::IPOn);
    double worst = 0.0;
    const double step = 1e-4;
    ForEachReceiver(t.Survey, [&](const osource& s, size_t j) {
      const double up = ApparentResistivity(s, j, Potential(g, g.host * std::exp(step)));
      const double down = ApparentResistivity(s, j, Potential(g, g.host * std::exp(-step)));
      const double rule = eta2 * (std::log(up) - std::log(down)) / (2 * step);
      // Relative to the rule; where the rule comes near 0 (a dipole-dipole at the
      // edge of the layer's sensitivity), relative to a tenth of eta2.
      worst = std::max(worst, std::fabs(s.EtaACalc[j] - rule) / std::max(std::fabs(rule), 0.1 * eta2));
    });
    EXPECT_LE(worst, g.tolerance) << 100 * worst << " % at the " << (pass == 0 ? "default settings" : "halved mesh");
  }
}

}  // namespace

}  // namespace SurveyForwardAccuracyTests
