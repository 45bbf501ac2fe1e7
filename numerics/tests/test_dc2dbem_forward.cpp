// Forward modelling checked against analytic values and invariants.
#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <map>
#include <string>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_dc2dbem_forward {

using namespace bemtest;

namespace {

constexpr double Spacing = 2.0;
constexpr int32_t ElectrodeCount = 16;
constexpr double Left = -4.0, Right = 34.0, Bottom = 16.0;

class ForwardTest : public ::testing::Test {
 protected:
  void SetUp() override { DC2dBEM::ResetState(); }
  void TearDown() override { DC2dBEM::ResetState(); }

  // Wenner and dipole-dipole data on the electrode line.
  void MixedSurvey() {
    survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing);
    auto data = ArrayData(TArray::Wenner, ElectrodeCount, 3);
    for (const TDatum& d : ArrayData(TArray::DipoleDipole, ElectrodeCount, 4)) data.push_back(d);
    BuildSurvey(survey, data);
  }

  // A conductive and a resistive block in a 100 ohm m host, meshed.
  void TwoBlockModel(double scale = 1.0, double rhoFactor = 1.0, bool clockwise = true, double refine = 1.0) {
    FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left * scale, Right * scale, Bottom * scale);
    AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 6 * scale, 2 * scale, 12 * scale, 6 * scale, 10.0 * rhoFactor, 0.0, clockwise);
    AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 18 * scale, 3 * scale, 25 * scale, 7 * scale, 500.0 * rhoFactor, 0.0, clockwise);
    ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left * scale, Right * scale, Bottom * scale, Spacing * scale, refine));
  }

  arofdoubleM Calculated() const {
    arofdoubleM values;
    ForEachDatum(survey, [&](const osource& s, size_t k) { values.push_back(s.RhoACalc[k]); });
    return values;
  }

  TSurvey survey;
};

TEST_F(ForwardTest, HalfSpaceGivesHostResistivityForEveryArray) {
  const std::pair<const char*, TArray> cases[] = {{"Wenner", TArray::Wenner},
                                                  {"Schlumberger", TArray::Schlumberger},
                                                  {"dipole-dipole", TArray::DipoleDipole},
                                                  {"pole-dipole", TArray::PoleDipole},
                                                  {"pole-pole", TArray::PolePole}};
  for (const auto& [name, type] : cases) {
    SCOPED_TRACE(name);
    DC2dBEM::ResetState();
    survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing);
    BuildSurvey(survey, ArrayData(type, ElectrodeCount, 4));
    UseSurvey(survey, 100.0);
    FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    ForEachDatum(survey, [](const osource& s, size_t k) { EXPECT_NEAR(s.RhoACalc[k], 100.0, 0.1); });

    // A body as resistive as the host changes nothing.
    const arofdoubleM plain = Calculated();
    AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 8, 1, 20, 6, 100.0);
    ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, Spacing));
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    const arofdoubleM withBody = Calculated();
    for (size_t i = 0; i < plain.size(); ++i) EXPECT_NEAR(withBody[i], plain[i], 1e-10 * plain[i]);
  }
}

TEST_F(ForwardTest, FlatReliefOfThreePointsGivesHostResistivity) {
  MixedSurvey();
  UseSurvey(survey, 100.0);
  // Frame whose top carries two relief nodes at depth 0 (right to left).
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
  const int32_t r1 = AddNode(DC2dBEM::Nodes, 20.0, 0.0, 6);
  const int32_t r2 = AddNode(DC2dBEM::Nodes, 10.0, 0.0, 6);
  DC2dBEM::Model[0][0].Nodes = {0, 1, 2, 3, r1, r2, 0, r2, r1, 3, 2, 1};
  const arofcomplexM relief{{-10.0, 0.0}, {15.0, 0.0}, {40.0, 0.0}};
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, Spacing, 1.0, true, relief));
  DC2dBEM::ReliefOn = true;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  ForEachDatum(survey, [](const osource& s, size_t k) { EXPECT_NEAR(s.RhoACalc[k], 100.0, 0.1); });
}

TEST_F(ForwardTest, PolarizableHalfSpaceGivesItsPolarizability) {
  MixedSurvey();
  UseSurvey(survey, 100.0, 10.0);
  DC2dBEM::IPOn = true;
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 8, 1, 20, 6, 100.0, 10.0);
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, Spacing));
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  ForEachDatum(survey, [](const osource& s, size_t k) { EXPECT_NEAR(s.EtaACalc[k], 10.0, 1e-9); });
}

TEST_F(ForwardTest, ResistivitiesScaleAndCoordinatesDoNot) {
  MixedSurvey();
  UseSurvey(survey, 100.0);
  TwoBlockModel();
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  const arofdoubleM base = Calculated();

  // All resistivities times 7.
  TwoBlockModel(1.0, 7.0);
  DC2dBEM::HostResistivity = 700.0;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  arofdoubleM values = Calculated();
  for (size_t i = 0; i < base.size(); ++i) EXPECT_NEAR(values[i], 7.0 * base[i], 1e-9 * base[i]);

  // All coordinates times 10.
  DC2dBEM::ResetState();
  survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing * 10.0);
  auto data = ArrayData(TArray::Wenner, ElectrodeCount, 3);
  for (const TDatum& d : ArrayData(TArray::DipoleDipole, ElectrodeCount, 4)) data.push_back(d);
  BuildSurvey(survey, data);
  UseSurvey(survey, 100.0);
  DC2dBEM::RMin = 1.0;
  TwoBlockModel(10.0);
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  values = Calculated();
  for (size_t i = 0; i < base.size(); ++i) EXPECT_NEAR(values[i], base[i], 1e-6 * base[i]);
}

TEST_F(ForwardTest, CounterClockwisePolygonsGiveTheSameResult) {
  MixedSurvey();
  UseSurvey(survey, 100.0);
  TwoBlockModel();
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  const arofdoubleM clockwise = Calculated();
  TwoBlockModel(1.0, 1.0, false);
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  const arofdoubleM counter = Calculated();
  for (size_t i = 0; i < clockwise.size(); ++i) EXPECT_NEAR(counter[i], clockwise[i], 1e-9 * clockwise[i]);
}

TEST_F(ForwardTest, ReciprocityAndMirrorSymmetry) {
  // Each dipole-dipole datum and its reciprocal (current and potential pairs swapped).
  survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing);
  std::vector<TDatum> data = ArrayData(TArray::DipoleDipole, ElectrodeCount, 4);
  const size_t direct = data.size();
  for (size_t i = 0; i < direct; ++i) data.push_back({data[i].M, data[i].N, data[i].A, data[i].B});
  BuildSurvey(survey, data);
  UseSurvey(survey, 100.0);
  TwoBlockModel(1.0, 1.0, true, 0.15);
  DC2dBEM::GaussOrder = 6;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  std::map<std::array<int32_t, 4>, double> value;
  ForEachDatum(survey, [&](const osource& s, size_t k) {
    value[{s.C1, s.C2, s.P1[k], s.P2[k]}] = s.ResCalc[k];
  });
  for (size_t i = 0; i < direct; ++i) {
    const TDatum& d = data[i];
    const double a = value.at({d.A, d.B, d.M, d.N}), b = value.at({d.M, d.N, d.A, d.B});
    EXPECT_NEAR(a, b, 0.005 * std::fabs(a)) << d.A << " " << d.B << " " << d.M << " " << d.N;
  }

  // A model symmetric about x = 15 gives mirrored data the same values.
  DC2dBEM::ResetState();
  survey.Electrodes = ElectrodeLine(ElectrodeCount, Spacing);  // 0 .. 30, centre 15
  BuildSurvey(survey, ArrayData(TArray::Wenner, ElectrodeCount, 4));
  UseSurvey(survey, 100.0);
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, 34.0, Bottom);  // symmetric bounds about 15
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 3, 1, 9, 5, 10.0);
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 21, 1, 27, 5, 10.0);
  AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 12, 3, 18, 8, 300.0);
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, 34.0, Bottom, Spacing));
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  std::map<std::array<int32_t, 4>, double> rho;
  ForEachDatum(survey, [&](const osource& s, size_t k) { rho[{s.C1, s.C2, s.P1[k], s.P2[k]}] = s.RhoACalc[k]; });
  const int32_t last = ElectrodeCount - 1;
  for (const auto& [key, v] : rho) {
    const std::array<int32_t, 4> mirrored{last - key[1], last - key[0], last - key[3], last - key[2]};
    EXPECT_NEAR(rho.at(mirrored), v, 1e-8 * v);
  }
}

}  // namespace

}  // namespace test_dc2dbem_forward
