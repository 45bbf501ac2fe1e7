// Run control of the solver (input checks, re-entry, progress, wavenumber reuse) and
// the electrode geometry cases that must keep the half-space exact.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_dc2dbem_runs {

using namespace bemtest;

namespace {

constexpr double Left = -4.0, Right = 34.0, Bottom = 16.0;

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DC2dBEM::ResetState();
    survey.Electrodes = ElectrodeLine(16, 2.0);
    BuildSurvey(survey, ArrayData(TArray::Wenner, 16, 3));
    UseSurvey(survey, 100.0);
    FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom);
    messages.clear();
    DC2dBEM::Hooks.ShowMessage = [this](const std::string& m) { messages.push_back(m); };
  }
  void TearDown() override {
    DC2dBEM::ResetState();
    DC2dBEM::Hooks = {};
    DC2dBEM::OnProgressStep = nullptr;
    DC2dBEM::OnProgressEnd = nullptr;
  }
  void ExpectHalfSpace(double rho = 100.0) {
    ForEachDatum(survey, [&](const osource& s, size_t k) { EXPECT_NEAR(s.RhoACalc[k], rho, 1e-3 * rho); });
  }
  TSurvey survey;
  std::vector<std::string> messages;
};

TEST_F(RunTest, BadSettingsAreRefusedWithAMessage) {
  struct TCase {
    const char* name;
    std::function<void()> spoil;
    const char* text;
  };
  const TCase cases[] = {
      {"Gauss order 1", [] { DC2dBEM::GaussOrder = 1; }, "numqp"},
      {"Gauss order 9", [] { DC2dBEM::GaussOrder = 9; }, "numqp"},
      {"one wavenumber", [] { DC2dBEM::WavenumberCount = 1; }, "nknumber"},
      {"host resistivity 0", [] { DC2dBEM::HostResistivity = 0.0; }, "Host resistivity"},
      {"host polarizability 100", [] { DC2dBEM::IPOn = true; DC2dBEM::HostPolarizability = 100.0; }, "Host polarizability"},
      {"body resistivity -5", [] { AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 5, 1, 9, 3, -5.0); }, "Resistivity -5"},
      {"body polarizability 100",
       [] { DC2dBEM::IPOn = true; AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 5, 1, 9, 3, 10.0, 100.0); }, "Polarizability 100"},
      {"missing node", [] { AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 5, 1, 9, 3, 10.0); DC2dBEM::Model[1][0].Nodes[2] = 99; }, "node 99"},
      {"body on a frame corner",
       [] { AddBox(DC2dBEM::Model, DC2dBEM::Nodes, 5, 1, 9, 3, 10.0); DC2dBEM::Model[1][0].Nodes[0] = 1; }, "corner node 1"},
      {"missing electrode", [this] { survey.Sources[0].P2[0] = 40; }, "potential electrode"},
      {"current electrode not a pole", [this] { survey.Poles.erase(survey.Poles.begin()); }, "current electrode"},
      {"no survey", [] { DC2dBEM::Survey = nullptr; }, "No survey"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.spoil();
    ASSERT_FALSE(DC2dBEM::ForwardModel());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(c.text), std::string::npos) << messages[0];
    EXPECT_TRUE(survey.Sources[0].RhoACalc.empty());  // nothing computed
    EXPECT_FALSE(DC2dBEM::Running);
  }
}

TEST_F(RunTest, ASecondRunCannotStartWhileOneRuns) {
  int32_t steps = 0, ends = 0, refused = 0;
  DC2dBEM::OnProgressStep = [&] {
    ++steps;
    if (!DC2dBEM::ForwardModel()) ++refused;
  };
  DC2dBEM::OnProgressEnd = [&] { ++ends; };
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  const int32_t n = static_cast<int32_t>(DC2dBEM::Wavenumbers.size());
  EXPECT_EQ(steps, 2 * n);
  EXPECT_EQ(refused, 2 * n);
  EXPECT_EQ(ends, 1);
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages[0].find("already running"), std::string::npos);
  ExpectHalfSpace();
}

TEST_F(RunTest, WavenumbersAreChosenOnceUntilTheGeometryChanges) {
  int32_t reported = -1;
  DC2dBEM::Hooks.SetWavenumberCount = [&](int32_t n) { reported = n; };
  DC2dBEM::UserWavenumbers = false;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  EXPECT_GE(reported, 3);
  EXPECT_LE(reported, DC2dBEM::MaxAutomaticWavenumbers);
  const arofdoubleM first = DC2dBEM::Wavenumbers;
  DC2dBEM::UserWavenumbers = true;
  DC2dBEM::WavenumberCount = 4;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  EXPECT_EQ(DC2dBEM::Wavenumbers, first);
  DC2dBEM::GeometryChanged = true;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  // Four wavenumbers cannot carry the field over the mesh's distances: the user's
  // count grows until the fit meets the tolerance, and the count used is reported.
  EXPECT_GT(DC2dBEM::Wavenumbers.size(), 4u);
  EXPECT_LE(DC2dBEM::WavenumberFitDeviation, DC2dBEM::WavenumberTolerance);
  EXPECT_EQ(reported, static_cast<int32_t>(DC2dBEM::Wavenumbers.size()));
}

TEST_F(RunTest, MisfitTextAndNoDataLoaded) {
  std::string text;
  bool loaded = true;
  DC2dBEM::Hooks.SetMisfitText = [&](const std::string& t) { text = t; };
  DC2dBEM::Hooks.DataLoaded = [&] { return loaded; };
  for (osource& s : survey.Sources)
    for (double& r : s.RhoA) r = 110.0;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  const auto [m1, m2] = DC2dBEM::Misfit();
  EXPECT_NEAR(m1, 100.0 * 10.0 / 110.0, 0.1);
  EXPECT_EQ(m2, 0.0);
  EXPECT_EQ(text, Supermath2d::FloatToStrDec(1, 1, m1) + "/0");
  loaded = false;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  EXPECT_EQ(text, "0/0");
}

// Buried electrodes, a survey at an elevation, a tilted two-point topography and an
// electrode above a bottom frame node: the half-space stays exact.
TEST_F(RunTest, ElectrodeGeometryKeepsTheHalfSpaceExact) {
  struct TCase {
    const char* name;
    std::function<void(TSurvey&)> change;
  };
  const TCase cases[] = {
      {"buried line", [](TSurvey& s) { for (TElectrode& e : s.Electrodes) SetElectrodeDepth(e, 3.0); }},
      {"alternate buried",
       [](TSurvey& s) { for (size_t i = 0; i < s.Electrodes.size(); i += 2) SetElectrodeDepth(s.Electrodes[i], 1.5); }},
      {"survey at elevation 50",
       [](TSurvey& s) {
         for (size_t i = 0; i < s.Electrodes.size(); ++i) {
           SetElectrodeDepth(s.Electrodes[i], i % 3 == 0 ? 2.0 : 0.0);
           s.Electrodes[i].ModelDepth = 50.0 + s.Electrodes[i].Depth;
           s.Electrodes[i].ImageDepth = -s.Electrodes[i].ModelDepth;
         }
       }},
      {"two-point topography",
       [](TSurvey& s) {
         for (TElectrode& e : s.Electrodes) {
           e.ModelDepth = 0.2 * e.X;
           e.SourceDepth = 6.0 - 0.2 * e.X;
           e.ImageDepth = -e.ModelDepth;
         }
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    c.change(survey);
    BuildSurvey(survey, ArrayData(TArray::Wenner, 16, 3));
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    ExpectHalfSpace();
  }
  // A frame node of the bottom edge right below an electrode.
  SetUp();
  const int32_t b = AddNode(DC2dBEM::Nodes, 10.0, Bottom, 3);
  DC2dBEM::Model[0][0].Nodes = {0, 1, b, 2, 3, 0, 3, 2, 1};
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, Left, Right, Bottom, 2.0));
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  ExpectHalfSpace();
}

TEST_F(RunTest, BuriedElectrodesUnderFlatReliefSeeTheDirectTermOnly) {
  for (TElectrode& e : survey.Electrodes) SetElectrodeDepth(e, 2.0);
  BuildSurvey(survey, ArrayData(TArray::Wenner, 16, 3));
  // The image of a buried source comes from the integral over the relief, so the
  // relief is meshed finely.
  const double left = -40.0, right = 70.0;
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, left, right, Bottom);
  const int32_t r1 = AddNode(DC2dBEM::Nodes, 20.0, 0.0, 6), r2 = AddNode(DC2dBEM::Nodes, 10.0, 0.0, 6);
  DC2dBEM::Model[0][0].Nodes = {0, 1, 2, 3, r1, r2, 0, r2, r1, 3, 2, 1};
  ASSERT_TRUE(MeshModel(DC2dBEM::Model, DC2dBEM::Nodes, left, right, Bottom, 2.0, 0.2, true,
                        {{-50.0, 0.0}, {15.0, 0.0}, {80.0, 0.0}}));
  DC2dBEM::ReliefOn = true;
  ASSERT_TRUE(DC2dBEM::ForwardModel());
  ExpectHalfSpace();
}

TEST_F(RunTest, PolarizabilityOfNegativeVoltagesKeepsItsSign) {
  // A-B-M-N with M and N exchanged: the voltage is negative.
  BuildSurvey(survey, {{0, 9, 6, 3}, {2, 8, 5, 4}, {1, -1, 7, 4}});
  DC2dBEM::IPOn = true;
  DC2dBEM::HostPolarizability = 10.0;
  for (bool signedData : {false, true}) {
    SCOPED_TRACE(signedData);
    DC2dBEM::SignedData = signedData;
    DC2dBEM::GeometryChanged = true;
    ASSERT_TRUE(DC2dBEM::ForwardModel());
    ForEachDatum(survey, [&](const osource& s, size_t k) {
      EXPECT_NEAR(s.EtaACalc[k], 10.0, 1e-9);
      EXPECT_NEAR(s.RhoACalc[k], 100.0, 0.1);
      EXPECT_EQ(s.ResCalc[k] < 0.0, signedData);
      EXPECT_EQ(s.ResCalcIP[k] < 0.0, signedData);
    });
  }
}

}  // namespace

}  // namespace test_dc2dbem_runs
