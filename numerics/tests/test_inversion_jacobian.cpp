// Sensitivities against central finite differences, and the sum rule of a model
// whose bodies tile the section.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_inversion_jacobian {

using namespace bemtest;

namespace {

constexpr double Left = -4.0, Right = 34.0, Bottom = 16.0;

class JacobianTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DC2dBEM::ResetState();
    survey.Electrodes = ElectrodeLine(16, 2.0);
    auto data = ArrayData(TArray::Wenner, 16, 3);
    for (const TDatum& d : ArrayData(TArray::DipoleDipole, 16, 3)) data.push_back(d);
    data.push_back({0, -1, 5, 6});   // pole-dipole
    data.push_back({3, 9, 6, 5});    // negative voltage
    BuildSurvey(survey, data);
    UseSurvey(survey, 100.0, 3.0);
    DC2dBEM::WavenumberCount = 5;
  }
  void TearDown() override { DC2dBEM::ResetState(); }

  Polygon& Param(int32_t q) {
    const auto [b, p] = DC2dBEM::detail::Edges.ParamPolygon[static_cast<size_t>(q)];
    return DC2dBEM::Model[static_cast<size_t>(b)][static_cast<size_t>(p)];
  }

  // ln |dV| and SL(eta_a) of every datum for the current model (wavenumbers fixed).
  void Responses(arofdoubleM& lnV, arofdoubleM& slEta) {
    DC2dBEM::ComputeResponses(0);
    lnV.clear();
    slEta.clear();
    ForEachDatum(survey, [&](const osource& s, size_t k) {
      lnV.push_back(std::log(s.ResCalc[k]));
      slEta.push_back(Supermath2d::SignedLog(s.EtaACalc[k], DC2dBEM::IPScale));
    });
  }

  TSurvey survey;
};

TEST_F(JacobianTest, AgreesWithCentralDifferences) {
  DC2dBEM::IPOn = true;
  DC2dBEM::IPScale = 4.0;
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 5, 1.5, 11, 5, 20.0, 12.0);
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 17, 2, 24, 6, 400.0, 1.0);
  // A body along the surface holds surface electrodes (free-term derivative).
  const int32_t a = AddNode(DC2dBEM::Nodes, 25.0, 0.0), b = AddNode(DC2dBEM::Nodes, 31.0, 0.0);
  const int32_t c = AddNode(DC2dBEM::Nodes, 31.0, 3.0), d = AddNode(DC2dBEM::Nodes, 25.0, 3.0);
  AddSubPolygon(DC2dBEM::Model, {a, b, c, d}, 50.0, 6.0);
  // A buried electrode inside the first box.
  SetElectrodeDepth(survey.Electrodes[4], 3.0);
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, 2.0));
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  DC2dBEM::Iteration = 1;
  DC2dBEM::ComputeResponses(1);
  const ararofdoubleM Jrho = DC2dBEM::JacobianRho, Jeta = DC2dBEM::JacobianEta, X = DC2dBEM::JacobianCross;
  ASSERT_EQ(Jrho.size(), 3u);
  const double h = 1e-4;
  for (int32_t q = 0; q < 3; ++q) {
    SCOPED_TRACE(q);
    const double rho = Param(q).Props[Polygons::PropResistivity].AsDouble();
    const double eta = Param(q).Props[Polygons::PropPolarizability].AsDouble();
    arofdoubleM lnUp, slUp, lnDown, slDown;
    Param(q).Props[Polygons::PropResistivity] = rho * std::exp(h);
    Responses(lnUp, slUp);
    Param(q).Props[Polygons::PropResistivity] = rho * std::exp(-h);
    Responses(lnDown, slDown);
    Param(q).Props[Polygons::PropResistivity] = rho;
    double scaleRho = 0.0, scaleX = 0.0;
    for (size_t m = 0; m < lnUp.size(); ++m) {
      scaleRho = std::max(scaleRho, std::fabs(Jrho[q][m]));
      scaleX = std::max(scaleX, std::fabs(X[q][m]));
    }
    for (size_t m = 0; m < lnUp.size(); ++m) {
      const double dRho = (lnUp[m] - lnDown[m]) / (2 * h), dX = (slUp[m] - slDown[m]) / (2 * h);
      EXPECT_NEAR(Jrho[q][m], dRho, 1e-5 * std::fabs(dRho) + 1e-7 * scaleRho) << m;
      EXPECT_NEAR(X[q][m], dX, 1e-5 * std::fabs(dX) + 1e-7 * scaleX) << m;
    }
    const double sl = Supermath2d::SignedLog(eta, DC2dBEM::IPScale);
    Param(q).Props[Polygons::PropPolarizability] = Supermath2d::SignedLogInverse(sl + h, DC2dBEM::IPScale);
    Responses(lnUp, slUp);
    Param(q).Props[Polygons::PropPolarizability] = Supermath2d::SignedLogInverse(sl - h, DC2dBEM::IPScale);
    Responses(lnDown, slDown);
    Param(q).Props[Polygons::PropPolarizability] = eta;
    double scaleEta = 0.0;
    for (size_t m = 0; m < slUp.size(); ++m) scaleEta = std::max(scaleEta, std::fabs(Jeta[q][m]));
    for (size_t m = 0; m < slUp.size(); ++m) {
      const double dEta = (slUp[m] - slDown[m]) / (2 * h);
      EXPECT_NEAR(Jeta[q][m], dEta, 1e-5 * std::fabs(dEta) + 1e-7 * scaleEta) << m;
    }
  }
}

TEST_F(JacobianTest, SensitivitiesOfTilingBodiesSumToOne) {
  // Two body-0 layers that fill the whole section out to the moved frame.
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
  const int32_t l = AddNode(DC2dBEM::Nodes, Left, 4.0, 1), r = AddNode(DC2dBEM::Nodes, Right, 4.0, 5);
  DC2dBEM::Model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
  AddSubPolygon(DC2dBEM::Model, {0, 3, r, l}, 60.0);
  AddSubPolygon(DC2dBEM::Model, {l, r, 2, 1}, 150.0);
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, 2.0));
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  DC2dBEM::Iteration = 1;
  DC2dBEM::ComputeResponses(1);
  ASSERT_EQ(DC2dBEM::JacobianRho.size(), 2u);
  for (size_t m = 0; m < static_cast<size_t>(DC2dBEM::DataCount); ++m)
    EXPECT_NEAR(DC2dBEM::JacobianRho[0][m] + DC2dBEM::JacobianRho[1][m], 1.0, 0.02) << m;
}

}  // namespace

}  // namespace test_inversion_jacobian
