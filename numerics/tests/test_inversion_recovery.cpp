// The inversion recovers a block from synthetic data, leaves a fitting model alone,
// ignores unusable and switched-off data, and ends with data of the model shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_inversion_recovery {

using namespace bemtest;

namespace {

constexpr double Left = -10.0, Right = 104.0, Bottom = 40.0;

class InversionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DC2dBEM::ResetState();
    DC2dBEM::Hooks = {};
    survey.Electrodes = ElectrodeLine(48, 2.0);
    auto data = ArrayData(TArray::Wenner, 48, 4);
    for (const TDatum& d : ArrayData(TArray::DipoleDipole, 48, 4)) data.push_back(d);
    BuildSurvey(survey, data);
    DC2dBEM::Hooks.ChartModel = [this] { return &chart; };
    DC2dBEM::Hooks.PlotData = [this](int32_t) { ++plots; };
    DC2dBEM::Hooks.RedrawModel = [this] { ++redraws; };
    DC2dBEM::OnProgressStep = [this] { ++steps; };
    DC2dBEM::OnProgressEnd = [this] { ++ends; };
  }
  void TearDown() override {
    DC2dBEM::ResetState();
    DC2dBEM::Hooks = {};
    DC2dBEM::OnProgressStep = nullptr;
    DC2dBEM::OnProgressEnd = nullptr;
  }

  // Frame and a 20 m x 10 m block with its top at 5 m, as the chart holds them.
  void BlockModel(double rho, double eta) {
    FrameModel(chart, chartNodes, Left, Right, Bottom);
    AddBox(chart, chartNodes, 37, 5, 57, 15, rho, eta);
  }

  // The solver's refined copy of the chart's model.
  void Mesh(double hostEta) {
    DC2dBEM::Model = Polygons::CopyAllSpolygon(chart);
    DC2dBEM::Nodes = Polygons::CopyNodes(chartNodes);
    ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, 2.0));
    UseSurvey(survey, 100.0, hostEta);
    DC2dBEM::WavenumberCount = 6;
  }

  // Observed data := calculated data of the current solver model.
  void Observe() {
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    for (osource& s : survey.Sources) {
      s.Res = s.ResCalc;
      s.RhoA = s.RhoACalc;
      if (DC2dBEM::IPOn) s.EtaA = s.EtaACalc;
    }
  }

  double BlockRho() const { return chart[1][0].Props[Polygons::PropResistivity].AsDouble(); }
  double BlockEta() const { return chart[1][0].Props[Polygons::PropPolarizability].AsDouble(); }

  TSurvey survey;
  AllSpolygon chart;
  Tnodes chartNodes;
  int32_t plots = 0, redraws = 0, steps = 0, ends = 0;
};

TEST_F(InversionTest, RecoversABlockAndItsPolarizability) {
  BlockModel(10.0, 10.0);
  Mesh(0.0);
  DC2dBEM::IPOn = true;
  Observe();
  // Unusable and switched-off data must not disturb the step.
  Asource& src = survey.Sources;
  src[0].Res[0] = Supermath2d::NoValue;
  src[0].RhoA[0] = Supermath2d::NoValue;
  src[4].Res[0] = -src[4].Res[0];
  src[1].Res[0] *= 5.0;
  src[1].FlagsC[0] = 0;
  src[2].Res[0] *= 0.2;
  src[2].Weight[0] = 0.0;
  src[3].EtaA[0] = Supermath2d::NoValue;

  BlockModel(100.0, 0.0);
  Mesh(0.0);
  DC2dBEM::IPOn = true;
  steps = ends = 0;
  ASSERT_TRUE(DC2dBEM::Inversion());
  EXPECT_NEAR(BlockRho(), 10.0, 0.3);
  EXPECT_NEAR(BlockEta(), 10.0, 1.0);
  EXPECT_EQ(chart[1][0].Props[Polygons::PropPolarizability].GetType(), PropValue::Type::Int);
  EXPECT_EQ(DC2dBEM::Model[1][0].Props[Polygons::PropResistivity], chart[1][0].Props[Polygons::PropResistivity]);
  EXPECT_LT(DC2dBEM::Misfit().first, 1.0);
  EXPECT_EQ(redraws, 7);
  EXPECT_EQ(steps, 7);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(plots, 8);
  // The calculated data belong to the model shown.
  const osource last = survey.Sources.back();
  DC2dBEM::Model[1][0].Props = chart[1][0].Props;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  for (size_t k = 0; k < last.RhoACalc.size(); ++k)
    EXPECT_NEAR(survey.Sources.back().RhoACalc[k], last.RhoACalc[k], 1e-9 * last.RhoACalc[k]);
}

TEST_F(InversionTest, AFittingModelStaysAsItIs) {
  BlockModel(40.0, 0.0);
  Mesh(0.0);
  Observe();
  ASSERT_TRUE(DC2dBEM::Inversion());
  EXPECT_EQ(BlockRho(), 40.0);
  EXPECT_EQ(chart[0][0].Props[Polygons::PropResistivity].IsEmpty(), true);
}

TEST_F(InversionTest, TheSameDataGiveTheSameModelAfterAnEarlierInversion) {
  auto invert = [&] {
    BlockModel(30.0, 0.0);
    Mesh(0.0);
    DC2dBEM::IPOn = true;
    Observe();
    BlockModel(100.0, 0.0);
    Mesh(0.0);
    DC2dBEM::IPOn = true;
    DC2dBEM::IterationCount = 2;
    EXPECT_TRUE(DC2dBEM::Inversion());
    return std::pair{BlockRho(), BlockEta()};
  };
  const auto fresh = invert();
  // An earlier inversion of data with strong polarizability.
  DC2dBEM::ResetState();
  BlockModel(30.0, 60.0);
  Mesh(0.0);
  DC2dBEM::IPOn = true;
  Observe();
  DC2dBEM::IterationCount = 1;
  ASSERT_TRUE(DC2dBEM::Inversion());
  DC2dBEM::GeometryChanged = true;
  EXPECT_EQ(invert(), fresh);
}

TEST_F(InversionTest, StopsWithAStatusTextWhenNoDatumIsUsable) {
  std::string status;
  DC2dBEM::Hooks.SetStatusText = [&](const std::string& t) { status = t; };
  BlockModel(40.0, 0.0);
  Mesh(0.0);
  Observe();
  for (osource& s : survey.Sources) std::fill(s.FlagsC.begin(), s.FlagsC.end(), 0);
  BlockModel(100.0, 0.0);
  ends = 0;
  ASSERT_TRUE(DC2dBEM::Inversion());
  EXPECT_EQ(BlockRho(), 100.0);
  EXPECT_NE(status.find("Inversion stopped at iteration 1"), std::string::npos) << status;
  EXPECT_EQ(ends, 1);
}

}  // namespace

}  // namespace test_inversion_recovery
