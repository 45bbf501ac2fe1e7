#include <cmath>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyBridgeTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

class SurveyBridge : public SolverStateTest {};

const char* SmallWenner =
    "C1 C2 P1 P2 ro_a eta_a\n"
    "0 3 1 2 100 2\n1 4 2 3 100 2\n2 5 3 4 100 2\n3 6 4 5 100 2\n4 7 5 6 100 2\n"
    "0 6 2 4 100 2\n1 7 3 5 100 2\n";

// Every calculated apparent resistivity of the survey against rho.
void ExpectHalfSpace(const TSurvey& s, double rho, const std::string& what) {
  size_t n = 0;
  ForEachReceiver(s, [&](const osource& src, size_t j) {
    ++n;
    EXPECT_NEAR(src.RhoACalc[j], rho, 1e-3 * rho) << what << ", source C1 " << src.C1x << ", receiver " << j;
  });
  EXPECT_GT(n, 0u) << what;
}

TEST_F(SurveyBridge, FillsTheSolverStateFromSurveyAndModel) {
  struct Case {
    const char* relief;
    bool reliefOn;
    int32_t redperc;
    bool recetha;
  } cases[] = {
      {"", false, 100, true},
      {"topo\n0 10\n7 11\n", false, 50, false},
      {"topo\n0 10\n3 10.5\n7 11\n", true, 100, false},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", std::string(SmallWenner) + c.relief), Survey::ReadData);
    t.Survey.ConstructStartModel(true);
    t.Survey.redperc = c.redperc;
    t.Survey.recetha = c.recetha;
    t.Survey.numqp = 5;
    t.Survey.nknumber = 6;
    t.Survey.nkuser = true;
    // A host the solver refuses: the state is filled, nothing is computed.
    t.Survey.StartResistivity = -1;
    const AllSpolygon model = t.Chart->Model;
    EXPECT_FALSE(t.Survey.RunModelling(false)) << c.relief;
    EXPECT_EQ(SolverMessages.size(), 1u);
    SolverMessages.clear();
    EXPECT_FALSE(t.Survey.ModelComputed);

    const double s = t.Survey.ElectrodeSpacing;
    EXPECT_DOUBLE_EQ(s, 1.0);
    EXPECT_DOUBLE_EQ(DC2dBEM::RMin, 0.03 * s);
    EXPECT_EQ(DC2dBEM::Electrodes, &t.Survey.elecarray);
    EXPECT_EQ(DC2dBEM::Survey, &t.Survey.Asource);
    EXPECT_EQ(DC2dBEM::Poles, &t.Survey.CurrentElectrodes);
    EXPECT_EQ(DC2dBEM::ElectrodeDistances, &t.Survey.ElectrodeDistances);
    EXPECT_EQ(DC2dBEM::HostResistivity, -1);
    EXPECT_EQ(t.Chart->HostResistivity, -1);
    EXPECT_EQ(DC2dBEM::GaussOrder, 5);
    EXPECT_EQ(DC2dBEM::WavenumberCount, 6);
    EXPECT_TRUE(DC2dBEM::UserWavenumbers);
    EXPECT_EQ(DC2dBEM::ReliefOn, c.reliefOn) << c.relief;
    EXPECT_EQ(DC2dBEM::IPOn, c.recetha) << c.relief;  // the data carry polarizability
    EXPECT_FALSE(DC2dBEM::SignedData);
    // The solver got a refined copy; the chart's model is the one the user built.
    ASSERT_GE(DC2dBEM::Nodes.size(), t.Chart->Nodes.size());
    EXPECT_LT(DC2dBEM::Nodes[0].X, t.Chart->Nodes[0].X);  // the copy's frame moved outward
    EXPECT_EQ(t.Chart->Nodes[0].X, t.Chart->Bounds.Left);
    EXPECT_EQ(t.Chart->Model.size(), model.size());
    const TModelBounds b = t.Chart->Bounds;
    const double r = c.redperc / 100.0;
    EXPECT_NEAR(t.Survey.InfinityDistance, std::hypot(b.Right - b.Left, b.Bottom - b.Top) * r * (r + 1), 1e-9);
    EXPECT_EQ(t.Chart->MeshPreviewShows, 1);
    EXPECT_TRUE(t.Chart->MeshPreviewLabelled);
    EXPECT_EQ(t.Chart->MeshPreviewPoints, 0u);  // cleared after the run
  }
}

TEST_F(SurveyBridge, RedpercSetsTheDistanceOfElectrodesAtInfinity) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", SmallWenner), Survey::ReadData);
  t.Survey.ConstructStartModel(true);
  t.Survey.StartResistivity = -1;
  const TModelBounds b = t.Chart->Bounds;
  const double diagonal = std::hypot(b.Right - b.Left, b.Bottom - b.Top);
  for (const auto& [redperc, factor] : {std::pair{100, 2.0}, std::pair{50, 0.75}}) {
    t.Survey.redperc = redperc;
    t.Survey.RunModelling(false);
    EXPECT_NEAR(t.Survey.InfinityDistance, factor * diagonal, 1e-9) << redperc;
  }
}

TEST_F(SurveyBridge, ForwardRunOfTheStartModelGivesTheHostResistivity) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", SmallWenner), Survey::ReadData);
  t.Survey.ConstructStartModel(true);
  EXPECT_EQ(t.Survey.StartResistivity, 100);
  const Tnodes nodes = t.Chart->Nodes;
  ASSERT_TRUE(t.Survey.RunModelling(false)) << (SolverMessages.empty() ? "" : SolverMessages[0]);
  EXPECT_TRUE(t.Survey.ModelComputed);
  ExpectHalfSpace(t.Survey, 100, "small Wenner");
  ASSERT_EQ(t.Chart->Nodes.size(), nodes.size());
  for (size_t i = 0; i < nodes.size(); ++i) {
    EXPECT_EQ(t.Chart->Nodes[i].X, nodes[i].X);
    EXPECT_EQ(t.Chart->Nodes[i].Depth, nodes[i].Depth);
  }
  // With the IP data and "Recalculate Etha_a" the host polarizability comes back.
  ForEachReceiver(t.Survey, [&](const osource& src, size_t j) {
    EXPECT_NEAR(src.EtaACalc[j], t.Survey.StartPolarizability, 1e-3 + 1e-3 * t.Survey.StartPolarizability);
  });
}

TEST_F(SurveyBridge, PreviewMeshNeedsAComputedModel) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "s.k2d", SmallWenner), Survey::ReadData);
  t.Survey.ConstructStartModel(true);
  t.Survey.PreviewMesh();
  EXPECT_EQ(t.Chart->MeshPreviewShows, 0);
  t.Survey.ModelComputed = true;
  t.Survey.PreviewMesh();
  EXPECT_EQ(t.Chart->MeshPreviewShows, 1);
  EXPECT_FALSE(t.Chart->MeshPreviewLabelled);
  EXPECT_EQ(t.Chart->MeshPreviewPoints, t.Chart->Nodes.size());
  // Options that give no mesh clear the preview without a message; a run says why.
  t.Survey.StartX = 0;
  t.Survey.PreviewMesh();
  EXPECT_EQ(t.Chart->MeshPreviewPoints, 0u);
  EXPECT_TRUE(t.Messages.empty());
  EXPECT_FALSE(t.Survey.RunModelling(false));
  EXPECT_EQ(t.Messages.size(), 1u);
  EXPECT_TRUE(SolverMessages.empty());
}

TEST_F(SurveyBridge, OpenAnalyseStartModelAndForwardRunOnTheExamples) {
  struct Case {
    const char* file;
  } cases[] = {{"/examples/wenner.k2d"}, {"/examples/dipole-dipole.dat"}};
  for (const Case& c : cases) {
    TCapturedSurvey t;
    t.Survey.OpenData(std::string(KV_SOURCE_DIR) + c.file);
    EXPECT_TRUE(t.Messages.empty()) << c.file << ": " << (t.Messages.empty() ? "" : t.Messages[0]);
    EXPECT_TRUE(SolverMessages.empty()) << c.file << ": " << (SolverMessages.empty() ? "" : SolverMessages[0]);
    ASSERT_TRUE(t.Survey.ModelComputed) << c.file;
    EXPECT_GT(t.Survey.StartResistivity, 0) << c.file;
    ExpectHalfSpace(t.Survey, t.Survey.StartResistivity, c.file);
  }
}

}  // namespace

namespace {

TEST_F(SurveyBridge, RealRes2dInvFilesOpenAndForwardModel) {
  const std::pair<const char*, size_t> files[] = {
      {"res2dinv-dd.dat", 591}, {"res2dinv-wenner32.dat", 1648}, {"res2dinv-ipgeneral.dat", 228}, {"res2dinv_PolePole.DAT", 295}};
  for (const auto& [file, measurements] : files) {
    TCapturedSurvey t;
    t.Survey.OpenData(std::string(KV_TESTDATA_DIR) + "/res2dinv/" + file);
    EXPECT_TRUE(t.Messages.empty()) << file << ": " << (t.Messages.empty() ? "" : t.Messages[0]);
    EXPECT_TRUE(SolverMessages.empty()) << file << ": " << (SolverMessages.empty() ? "" : SolverMessages[0]);
    EXPECT_TRUE(t.Survey.ModelComputed) << file;
    size_t finite = 0, all = 0;
    ForEachReceiver(t.Survey, [&](const osource& src, size_t j) {
      ++all;
      finite += std::isfinite(src.RhoACalc[j]) && src.RhoACalc[j] != 0 ? 1 : 0;
    });
    EXPECT_EQ(all, measurements) << file;
    EXPECT_EQ(finite, all) << file;
  }
}

}  // namespace

}  // namespace SurveyBridgeTests
