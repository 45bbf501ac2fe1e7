// The wavenumber set reproduces the point-source potential over every distance the
// field of a layered or body model travels, not only at the electrode distances.
#include <gtest/gtest.h>

#include <cmath>

#include "numerics/DC2dBEM.h"
#include "numerics/tests/test_dc2dbem_fixture.h"

namespace test_dc2dbem_wavenumbers {

using namespace bemtest;

namespace {

constexpr double Pi = 3.14159265358979323846;

// K0 from its integral representation, the integral of exp(-x cosh t) over t >= 0,
// by the trapezoid rule (exponentially convergent for this integrand).
double K0ByIntegral(double x) {
  const double h = 0.02;
  double sum = 0.5 * std::exp(-x);
  for (int i = 1; i < 4000; ++i) {
    const double v = std::exp(-x * std::cosh(i * h));
    sum += v;
    if (v < 1e-18 * sum) break;
  }
  return sum * h;
}

struct WavenumberCase {
  const char* name;
  bool user;
  int32_t count;
  double tolerance;  // largest relative deviation over the whole range
};

class WavenumberRange : public ::testing::TestWithParam<WavenumberCase> {
 protected:
  void TearDown() override { DC2dBEM::ResetState(); }
};

TEST_P(WavenumberRange, WeightedK0SumMatchesOneOverROverTheWholeRange) {
  const WavenumberCase c = GetParam();
  DC2dBEM::ResetState();
  TSurvey survey;
  const double spacing = 3.0, left = -6.0, right = 75.0, bottom = 24.0;
  survey.Electrodes = ElectrodeLine(24, spacing, 2.0);
  auto data = ArrayData(TArray::Wenner, 24, 6);
  for (const TDatum& d : ArrayData(TArray::DipoleDipole, 24, 6)) data.push_back(d);
  BuildSurvey(survey, data);
  UseSurvey(survey, 50.0);
  DC2dBEM::UserWavenumbers = c.user;
  DC2dBEM::WavenumberCount = c.count;
  auto& model = DC2dBEM::Model;
  auto& nodes = DC2dBEM::Nodes;
  FrameModel(model, nodes, left, right, bottom);
  const int32_t l = AddNode(nodes, left, 4.0, 1), r = AddNode(nodes, right, 4.0, 5);
  model[0][0].Nodes = {0, l, 1, 2, r, 3, 0, 3, 2, 1};
  AddSubPolygon(model, {0, 3, r, l}, 10.0);
  ASSERT_TRUE(MeshModel(model, nodes, left, right, bottom, spacing));
  ASSERT_TRUE(DC2dBEM::ForwardModel());

  // The range: the smallest electrode distance to twice the largest distance between
  // an electrode and a mesh node.
  double r0 = HUGE_VAL, farthest = 0.0;
  for (const TElectrode& a : survey.Electrodes) {
    for (const TElectrode& b : survey.Electrodes)
      if (a.X != b.X) r0 = std::min(r0, std::fabs(a.X - b.X));
    for (const Tnode& n : DC2dBEM::Nodes) farthest = std::max(farthest, std::hypot(n.X - a.X, n.Depth));
  }
  const double r1 = 2.0 * farthest;
  EXPECT_GT(r1 / r0, 1000.0);  // the moved frame lies far out

  const arofdoubleM& k = DC2dBEM::Wavenumbers;
  const arofdoubleM& w = DC2dBEM::WavenumberWeights;
  ASSERT_EQ(k.size(), w.size());
  // A user's count too small for the range grows like the automatic one.
  if (c.user) {
    EXPECT_GE(static_cast<int32_t>(k.size()), c.count);
  }
  for (double x : w) EXPECT_GT(x, 0.0) << c.name;
  double worst = 0.0;
  for (int i = 0; i < 200; ++i) {
    const double dist = r0 * std::pow(r1 / r0, i / 199.0);
    double sum = 0.0;
    for (size_t j = 0; j < k.size(); ++j) sum += w[j] * K0ByIntegral(k[j] * dist);
    worst = std::max(worst, std::fabs(2.0 / Pi * sum * dist - 1.0));
  }
  EXPECT_LE(worst, c.tolerance) << c.name << ": " << k.size() << " wavenumbers";
}

INSTANTIATE_TEST_SUITE_P(Counts, WavenumberRange,
                         ::testing::Values(WavenumberCase{"automatic count", false, 8, 1e-3},
                                           WavenumberCase{"user count 8", true, 8, 1e-3}),
                         [](const auto& info) { return info.param.user ? std::string("User") : std::string("Automatic"); });

// Fits are kept and taken again for the same distances; any change of what the
// fit depends on gives a fit of its own.
TEST(WavenumberFits, AFitIsTakenAgainOnlyForTheSameDistancesWeightsAndRequest) {
  struct TResult {
    int32_t count;
    arofdoubleM k, w;
    double deviation;
    bool operator==(const TResult&) const = default;
  };
  auto fit = [](double r0, double r1, double nearWeight, bool user, int32_t count) {
    DC2dBEM::ResetState();
    DC2dBEM::FitDistances.clear();
    DC2dBEM::FitRowWeights.clear();
    for (int i = 0; i < 40; ++i) {
      DC2dBEM::FitDistances.push_back(r0 * std::pow(r1 / r0, i / 39.0));
      DC2dBEM::FitRowWeights.push_back(i < 10 ? nearWeight : 1.0);
    }
    DC2dBEM::UserWavenumbers = user;
    DC2dBEM::WavenumberCount = count;
    DC2dBEM::FitWavenumbers();
    return TResult{DC2dBEM::WavenumberCount, DC2dBEM::Wavenumbers, DC2dBEM::WavenumberWeights,
                   DC2dBEM::WavenumberFitDeviation};
  };
  const TResult first = fit(1.0, 2000.0, 10.0, false, 0);
  EXPECT_FALSE(first.k.empty());
  EXPECT_EQ(fit(1.0, 2000.0, 10.0, false, 0), first);
  EXPECT_NE(fit(2.0, 5000.0, 10.0, false, 0), first);
  EXPECT_NE(fit(1.0, 2000.0, 1.0, false, 0), first);
  const TResult user = fit(1.0, 2000.0, 10.0, true, 16);
  EXPECT_NE(user, first);
  EXPECT_EQ(fit(1.0, 2000.0, 10.0, true, 16), user);
  // Four other fits later the first is still what a fresh fit gives.
  EXPECT_EQ(fit(1.0, 2000.0, 10.0, false, 0), first);
  DC2dBEM::ResetState();
}

}  // namespace

}  // namespace test_dc2dbem_wavenumbers
