// Two-layer earth and vertical contact against their analytic apparent resistivities.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_dc2dbem_analytic {

using namespace bemtest;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Spacing = 2.0;
constexpr int32_t ElectrodeCount = 16;
constexpr double Left = -10.0, Right = 40.0, Bottom = 20.0;

// Potential times 2 pi / (rho1 I) of a surface source at distance r over a layer of
// thickness h (reflection coefficient k), by the image series.
double LayerTerm(double r, double h, double k) {
  double v = 1.0 / r;
  double kn = 1.0;
  for (int n = 1; n < 2000; ++n) {
    kn *= k;
    v += 2.0 * kn / std::hypot(r, 2.0 * n * h);
    if (std::fabs(kn) < 1e-16) break;
  }
  return v;
}

// Potential times 2 pi / I at x of a surface source at xs, contact at c, rho1 left.
double ContactTerm(double xs, double x, double c, double rho1, double rho2) {
  const double k = (rho2 - rho1) / (rho2 + rho1);
  const bool sourceLeft = xs < c;
  const double rs = sourceLeft ? rho1 : rho2;
  const double ks = sourceLeft ? k : -k;
  const double r = std::fabs(x - xs);
  const bool sameSide = (x < c) == sourceLeft;
  if (sameSide) return rs * (1.0 / r + ks / std::fabs(x - (2.0 * c - xs)));
  return rs * (1.0 + ks) / r;
}

class AnalyticTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DC2dBEM::ResetState();
    survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing);
    auto data = ArrayData(TArray::Wenner, ElectrodeCount, 4);
    for (const TDatum& d : ArrayData(TArray::DipoleDipole, ElectrodeCount, 4)) data.push_back(d);
    BuildSurvey(survey, data);
  }
  void TearDown() override { DC2dBEM::ResetState(); }

  // Largest relative deviation of the calculated from the analytic apparent resistivity.
  double MaxError(const std::function<double(int32_t, int32_t)>& term) {
    double worst = 0.0;
    ForEachDatum(survey, [&](const osource& s, size_t k) {
      auto v = [&](int32_t a, int32_t b) { return (a < 0 || b < 0) ? 0.0 : term(a, b); };
      const double dv = (v(s.C1, s.P1[k]) - v(s.C1, s.P2[k]) - v(s.C2, s.P1[k]) + v(s.C2, s.P2[k])) / (2.0 * Pi);
      const double rhoA = std::fabs(dv * s.K[k]);
      worst = std::max(worst, std::fabs(s.RhoACalc[k] - rhoA) / rhoA);
    });
    return worst;
  }

  TSurvey survey;
};

TEST_F(AnalyticTest, TwoLayerEarthConvergesToTheImageSeries) {
  const double rho1 = 100.0, rho2 = 20.0, h = 3.0;
  double errors[2];
  for (int pass = 0; pass < 2; ++pass) {
    DC2dBEM::ResetState();
    UseSurvey(survey, rho2);
    auto& model = DC2dBEM::Model;
    auto& nodes = DC2dBEM::Nodes;
    FrameModel(model, nodes, Left, Right, Bottom);
    const int32_t l = AddNode(nodes, Left, h, 1), r = AddNode(nodes, Right, h, 5);
    model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
    AddSubPolygon(model, {0, 3, r, l}, rho1);
    ASSERT_TRUE(MeshModel(model, nodes, Left, Right, Bottom, Spacing, pass == 0 ? 1.0 : 0.5));
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    const double k = (rho2 - rho1) / (rho2 + rho1);
    errors[pass] = MaxError([&](int32_t a, int32_t b) {
      return rho1 * LayerTerm(std::fabs(survey.Electrodes[a].X - survey.Electrodes[b].X), h, k);
    });
  }
  EXPECT_LT(errors[0], 0.02);
  EXPECT_LT(errors[1], errors[0]);
}

TEST_F(AnalyticTest, VerticalContactConvergesToTheContactFormula) {
  const double rho1 = 100.0, rho2 = 25.0, c = 15.5;
  double errors[2];
  for (int pass = 0; pass < 2; ++pass) {
    DC2dBEM::ResetState();
    UseSurvey(survey, rho1);
    auto& model = DC2dBEM::Model;
    auto& nodes = DC2dBEM::Nodes;
    FrameModel(model, nodes, Left, Right, Bottom);
    const int32_t t = AddNode(nodes, c, 0.0, 6), b = AddNode(nodes, c, Bottom, 3);
    model[0][0].Nodes = {0, 1, b, 2, 3, t, 0, 3, 2, 1};
    AddSubPolygon(model, {t, 3, 2, b}, rho2);
    ASSERT_TRUE(MeshModel(model, nodes, Left, Right, Bottom, Spacing, pass == 0 ? 1.0 : 0.5));
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    errors[pass] = MaxError([&](int32_t a, int32_t bb) {
      return ContactTerm(survey.Electrodes[a].X, survey.Electrodes[bb].X, c, rho1, rho2);
    });
  }
  EXPECT_LT(errors[0], 0.02);
  EXPECT_LT(errors[1], errors[0]);
}

}  // namespace

}  // namespace test_dc2dbem_analytic
