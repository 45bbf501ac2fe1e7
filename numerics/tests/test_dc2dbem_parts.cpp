// Building blocks of the solver: quadrature, corner angles, QR factorisations,
// free terms, electrode location and pole tables.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_dc2dbem_parts {

using namespace bemtest;

namespace {

constexpr double Pi = 3.14159265358979323846;

class PartsTest : public ::testing::Test {
 protected:
  void SetUp() override { DC2dBEM::ResetState(); }
  void TearDown() override { DC2dBEM::ResetState(); }
};

TEST_F(PartsTest, GaussRulesAreTheLegendreRulesOnTheUnitInterval) {
  const double order8[] = {0.0092197, 0.0479414, 0.1150487, 0.2063410, 0.3160843, 0.4373833,
                           0.5626167, 0.6839157, 0.7936590, 0.8849513, 0.9520586, 0.9907803};
  const double weights8[] = {0.0235877, 0.0534697, 0.0800392, 0.1015837, 0.1167463, 0.1245735};
  DC2dBEM::GaussOrder = 8;
  ASSERT_EQ(DC2dBEM::GaussPointCount(), 12);
  for (int32_t i = 0; i < 12; ++i) {
    EXPECT_NEAR(DC2dBEM::GaussAbscissa(i), order8[i], 5e-8);
    EXPECT_NEAR(DC2dBEM::GaussWeight(i), weights8[i < 6 ? i : 11 - i], 5e-8);
  }
  DC2dBEM::GaussOrder = 2;
  EXPECT_NEAR(DC2dBEM::GaussAbscissa(0), 0.2113249, 5e-8);
  EXPECT_NEAR(DC2dBEM::GaussWeight(1), 0.5, 1e-15);
  // Every rule integrates polynomials up to degree 2n - 1 exactly and sums to 1.
  for (int32_t order = 2; order <= 8; ++order) {
    DC2dBEM::GaussOrder = order;
    const int32_t n = DC2dBEM::GaussPointCount();
    for (int32_t degree = 0; degree < 2 * n; ++degree) {
      double sum = 0.0;
      for (int32_t i = 0; i < n; ++i) sum += DC2dBEM::GaussWeight(i) * std::pow(DC2dBEM::GaussAbscissa(i), degree);
      EXPECT_NEAR(sum, 1.0 / (degree + 1), 1e-13) << order << " " << degree;
    }
  }
  DC2dBEM::GaussOrder = 5;
  DC2dBEM::PrepareGaussTables();
  EXPECT_EQ(DC2dBEM::GaussOrder, 5);
  EXPECT_EQ(DC2dBEM::GaussProducts[8].first.size(), 12u);
  DC2dBEM::GaussOrder = 9;
  EXPECT_EQ(DC2dBEM::GaussPointCount(), 0);
  EXPECT_THROW(DC2dBEM::GaussAbscissa(0), std::out_of_range);
}

TEST_F(PartsTest, CornerAnglesAndSignTransfer) {
  EXPECT_NEAR(DC2dBEM::CornerAngle({1, 0}, {0, 1}), 1.5 * Pi, 1e-15);
  EXPECT_NEAR(DC2dBEM::CornerAngle({0, 1}, {1, 0}), 0.5 * Pi, 1e-15);
  EXPECT_NEAR(DC2dBEM::CornerAngle({-1, 0}, {1, 0}), Pi, 1e-15);
  EXPECT_EQ(DC2dBEM::CornerAngle({0, 0}, {1, 0}), Pi);
  EXPECT_EQ(DC2dBEM::SignTransfer(3, 0), 3);
  EXPECT_EQ(DC2dBEM::SignTransfer(3, -0.5), -3);
  EXPECT_EQ(DC2dBEM::SignTransfer(-3, 1), 3);
}

TEST_F(PartsTest, QRSolvesSmallAndBlockedSystems) {
  ararofdoubleM one{{4.0}};
  arofdoubleM d, c, b{2.0};
  DC2dBEM::QRDecomp(one, d, c);
  EXPECT_EQ(d, arofdoubleM{4.0});
  DC2dBEM::QRSolve(one, d, c, b);
  EXPECT_EQ(b[0], 0.5);
  ararofdoubleM swap{{0.0, 1.0}, {1.0, 0.0}};
  b = {1.0, 2.0};
  DC2dBEM::QRDecomp(swap, d, c);
  DC2dBEM::QRSolve(swap, d, c, b);
  EXPECT_NEAR(b[0], 2.0, 1e-15);
  EXPECT_NEAR(b[1], 1.0, 1e-15);
  ararofdoubleM empty;
  DC2dBEM::QRDecomp(empty, d, c);
  // The blocked factorisation of a matrix larger than a block, with a zero column,
  // solves A x = b and A^T x = b for several right-hand sides.
  const int32_t n = 75, count = 3;
  std::mt19937 random(3);
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  DC2dBEM::TMatrix A;
  A.Resize(n);
  for (double& v : A.Data) v = u(random);
  for (int32_t i = 0; i < n; ++i) A(i, i) += 3.0;
  const DC2dBEM::TMatrix original = A;
  arofdoubleM x(static_cast<size_t>(n) * count), rhs(x.size()), rhsT(x.size());
  for (double& v : x) v = u(random);
  for (int32_t k = 0; k < count; ++k)
    for (int32_t i = 0; i < n; ++i)
      for (int32_t j = 0; j < n; ++j) {
        rhs[k * n + i] += original(i, j) * x[k * n + j];
        rhsT[k * n + i] += original(j, i) * x[k * n + j];
      }
  DC2dBEM::QRDecompDense(A, d, c);
  DC2dBEM::QRSolveDense(A, d, c, rhs.data(), count);
  DC2dBEM::QRSolveTransposedDense(A, d, c, rhsT.data(), count);
  for (size_t i = 0; i < x.size(); ++i) {
    EXPECT_NEAR(rhs[i], x[i], 1e-12);
    EXPECT_NEAR(rhsT[i], x[i], 1e-12);
  }
}

// Flat model: free terms at a node where two bodies meet along a straight line and
// at a surface corner of a body, and a matrix of free terms alone for host bodies.
TEST_F(PartsTest, FreeTermsAndHostBodies) {
  TSurvey survey;
  survey.Electrodes = ElectrodeLine(4, 1.0);
  BuildSurvey(survey, {{0, -1, 1, -1}});
  UseSurvey(survey, 100.0);
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, -10, 10, 10);
  const int32_t a = AddNode(DC2dBEM::Nodes, 0, 0), b = AddNode(DC2dBEM::Nodes, 2, 0), m = AddNode(DC2dBEM::Nodes, 2, 2);
  const int32_t e = AddNode(DC2dBEM::Nodes, 0, 2), f = AddNode(DC2dBEM::Nodes, 4, 2), g = AddNode(DC2dBEM::Nodes, 4, 4);
  const int32_t h = AddNode(DC2dBEM::Nodes, 2, 4), k = AddNode(DC2dBEM::Nodes, 0, 4);
  const int32_t j = AddNode(DC2dBEM::Nodes, 2, 3);
  AddSubPolygon(DC2dBEM::Model, {a, b, m, e}, 50.0);       // surface corner at a
  AddSubPolygon(DC2dBEM::Model, {e, m, j, h, k}, 200.0);   // j on the straight shared edge
  AddSubPolygon(DC2dBEM::Model, {m, f, g, h, j}, 200.0);
  DC2dBEM::SystemSize = DC2dBEM::NumberSystemNodes(DC2dBEM::SystemIndex);
  EXPECT_EQ(DC2dBEM::SystemIndex[0], -1);
  DC2dBEM::ComputeFreeTerms(DC2dBEM::FreeTerm);
  auto term = [&](int32_t node) { return DC2dBEM::FreeTerm[static_cast<size_t>(DC2dBEM::SystemIndex[node])]; };
  EXPECT_NEAR(term(a), (2 * Pi - Pi + Pi * 100.0 / 50.0) / (2 * Pi), 1e-14);
  EXPECT_NEAR(term(j), 0.5, 1e-14);
  EXPECT_NEAR(term(h), (2 * Pi - Pi + Pi * 0.25 + Pi * 0.25) / (2 * Pi), 1e-14);

  // Bodies as resistive as the host: the matrix holds the free terms alone.
  for (size_t p = 1; p < DC2dBEM::Model[0].size(); ++p)
    DC2dBEM::Model[0][p].Props[Polygons::PropResistivity] = 100.0;
  DC2dBEM::ComputeFreeTerms(DC2dBEM::FreeTerm);
  DC2dBEM::detail::BuildEdgeTable();
  DC2dBEM::Wavenumber = 0.3;
  DC2dBEM::GaussOrder = 4;
  DC2dBEM::TMatrix M;
  DC2dBEM::AssembleMatrix(M);
  for (int32_t i = 0; i < M.N; ++i)
    for (int32_t j = 0; j < M.N; ++j) EXPECT_EQ(M(i, j), i == j ? 1.0 : 0.0);
}

TEST_F(PartsTest, SurfaceElectrodesSitOnNodesOrEdgesOfTheGroundSurface) {
  TSurvey survey;
  survey.Electrodes = ElectrodeLine(3, 0.0);
  survey.Electrodes[0].X = 5.005;  // on node 5.0
  survey.Electrodes[1].X = 5.02;   // on the edge around it
  survey.Electrodes[2].X = 3.0;    // above a bottom node only
  UseSurvey(survey, 100.0);
  FrameModel(DC2dBEM::Model, DC2dBEM::Nodes, -10, 10, 10);
  const int32_t top = AddNode(DC2dBEM::Nodes, 5.0, 0.0, 6), bottom = AddNode(DC2dBEM::Nodes, 3.0, 10.0, 3);
  DC2dBEM::Model[0][0].Nodes = {0, 1, bottom, 2, 3, top, 0, 3, 2, 1};
  DC2dBEM::SystemSize = DC2dBEM::NumberSystemNodes(DC2dBEM::SystemIndex);
  DC2dBEM::LocateElectrodes(DC2dBEM::OffNode, DC2dBEM::ElectrodeNodes);
  EXPECT_EQ(DC2dBEM::OffNode[0], 0);
  EXPECT_EQ(DC2dBEM::ElectrodeNodes[0], (TIntPair{top, -1}));
  EXPECT_EQ(DC2dBEM::OffNode[1], 1);
  EXPECT_EQ(DC2dBEM::ElectrodeNodes[1], (TIntPair{3, top}));
  EXPECT_EQ(DC2dBEM::OffNode[2], 1);
  EXPECT_EQ(DC2dBEM::ElectrodeNodes[2], (TIntPair{top, 0}));
}

TEST_F(PartsTest, PoleTablesCollectTheReceiversOfEverySource) {
  TSurvey survey;
  survey.Electrodes = ElectrodeLine(8, 1.0);
  BuildSurvey(survey, {{2, 5, 7, 6}, {2, 5, 3, -1}, {1, 2, 6, 4}, {0, -1, 7, -1}});
  UseSurvey(survey, 100.0);
  DC2dBEM::BuildPoles(DC2dBEM::PoleReceivers);
  ASSERT_EQ(survey.Poles, (arofintM{0, 1, 2, 5}));
  EXPECT_EQ(DC2dBEM::PoleReceivers[2], (arofintM{3, 4, 6, 7}));  // electrode 2: C1 and C2
  EXPECT_EQ(DC2dBEM::PoleReceivers[0], (arofintM{7}));
  EXPECT_EQ(DC2dBEM::PoleIndex[5], 3);
  EXPECT_EQ(DC2dBEM::ReceiverSlot[2][6], 2);
  EXPECT_EQ(DC2dBEM::ReceiverSlot[0][6], -1);
  EXPECT_EQ(survey.Sources[0].UC2P2IP.size(), 2u);
  DC2dBEM::DataCount = 4;
  for (osource& s : survey.Sources) s.ResCalc = s.Res;
  arofdoubleM r;
  DC2dBEM::ResistivityResiduals(r);
  EXPECT_EQ(r, arofdoubleM(4, 0.0));
}

}  // namespace

}  // namespace test_dc2dbem_parts
