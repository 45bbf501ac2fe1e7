#include <cmath>
#include <numbers>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyFactorTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

const double Pi = std::numbers::pi;
const double X = NoValue;  // electrode at infinity


// Geometric factors of the common arrays against their textbook formulas.
TEST(SurveyGeometricFactor, MatchesArrayFormulas) {
  const double a = 2, n = 3;
  struct Case {
    const char* name;
    arofdoubleM row;
    double k;
  } cases[] = {
      {"Wenner alpha", Row(0, 3 * a, a, 2 * a), 2 * Pi * a},
      {"Wenner beta", Row(a, 0, 2 * a, 3 * a), 6 * Pi * a},
      {"Wenner gamma", Row(0, 2 * a, a, 3 * a), 3 * Pi * a},
      {"Schlumberger L 10 l 1", Row(-10, 10, -1, 1), Pi * (100 - 1) / 2},
      {"dipole-dipole", Row(0, a, a + n * a, 2 * a + n * a), Pi * n * (n + 1) * (n + 2) * a},
      {"pole-dipole", Row(0, X, n * a, n * a + a), 2 * Pi * n * (n + 1) * a},
      {"pole-pole", Row(0, X, a, X), 2 * Pi * a},
      {"Wenner-Schlumberger", Row(0, (2 * n + 1) * a, n * a, (n + 1) * a), Pi * n * (n + 1) * a},
  };
  for (const Case& c : cases) {
    TSurvey s;
    Analyse(s, {c.row});
    ASSERT_EQ(s.Asource.size(), 1u) << c.name;
    // Pole-pole: the missing pairs add terms of the order of 1e-30.
    EXPECT_NEAR(s.Asource[0].K[0], c.k, 1e-9 * c.k) << c.name;
    EXPECT_NEAR(s.Asource[0].Res[0], 100 / c.k, 1e-9) << c.name;
  }
}

// Potential electrodes given in the order that makes the factor negative change
// places with all their coordinates; the factor becomes positive.
TEST(SurveyGeometricFactor, NegativeFactorSwapsPotentialElectrodes) {
  TSurvey s;
  Analyse(s, {Row(0, 1, 10, 11, NoValue, 0.25)});
  const osource& src = s.Asource[0];
  EXPECT_NEAR(src.K[0], 3110.18, 0.01);  // dipole-dipole a = 1, n = 9
  EXPECT_NEAR(src.K[0], Pi * 9 * 10 * 11, 1e-9);
  EXPECT_EQ(src.P1x[0], 11);
  EXPECT_EQ(src.P2x[0], 10);
  EXPECT_EQ(s.elecarray[static_cast<size_t>(src.P1[0])].X, 11);
  EXPECT_EQ(src.Res[0], 0.25);

  TSurvey offsets;
  arofdoubleM row = Row(0, 1, 10, 11);
  row[Survey::colP1y] = 0.5;
  row[Survey::colP1z] = 0.25;
  Analyse(offsets, {row});
  const osource& o = offsets.Asource[0];
  EXPECT_EQ(o.P1x[0], 11);
  EXPECT_EQ(o.P1y[0], 0);
  EXPECT_EQ(o.P1z[0], 0);
  EXPECT_EQ(o.P2y[0], 0.5);
  EXPECT_EQ(o.P2z[0], 0.25);
  EXPECT_EQ(offsets.elecarray[static_cast<size_t>(o.P2[0])].Depth, 0.25);

  TSurvey signedSurvey;
  signedSurvey.SignedResistance = true;
  Analyse(signedSurvey, {Row(0, 30, 20, 10, NoValue, 2)});
  EXPECT_NEAR(signedSurvey.Asource[0].K[0], 2 * Pi * 10, 1e-9);
  EXPECT_EQ(signedSurvey.Asource[0].Res[0], -2);
}

TEST(SurveyGeometricFactor, PseudoDepthAndPlotPosition) {
  struct Case {
    const char* name;
    arofdoubleM row;
    double depth, plotX;
  } cases[] = {
      {"Wenner", Row(0, 30, 10, 20), 7.5, 15},
      {"dipole-dipole", Row(0, 1, 10, 11), 5, 5.5},
      {"pole-dipole", Row(0, X, 10, 12), 11, 11},
      {"dipole-pole", Row(0, 2, 10, X), 9, 1},
      {"pole-pole", Row(0, X, 10, X), 5, 5},
  };
  for (const Case& c : cases) {
    TSurvey s;
    Analyse(s, {c.row});
    EXPECT_DOUBLE_EQ(s.Asource[0].PseudoDepth[0], c.depth) << c.name;
    EXPECT_DOUBLE_EQ(s.Asource[0].PlotX[0], c.plotX) << c.name;
    EXPECT_DOUBLE_EQ(s.Asource[0].PlotX0[0], c.plotX) << c.name;
  }
}

// A buried current electrode: the factor of a point source at depth h in a half-space
// with its mirror image, 1/r + 1/r' for the potential at a surface electrode.
TEST(SurveyGeometricFactor, BuriedCurrentElectrodeUsesItsImage) {
  TSurvey s;
  arofdoubleM row = Row(0, X, 10, X);
  row[Survey::colC1z] = 5;
  Analyse(s, {row});
  const double r = std::hypot(10.0, 5.0);
  EXPECT_NEAR(s.Asource[0].K[0], 2 * Pi / (0.5 / r + 0.5 / r), 1e-9);
  EXPECT_EQ(s.elecarray.size(), 2u);
  EXPECT_EQ(s.elecarray[1].Depth, 5);  // surface electrode first
  EXPECT_EQ(s.elecarray[1].AtSurface, 0);
}

TEST(SurveyGeometricFactor, DegenerateAndCompletion) {
  TSurvey s;
  Analyse(s, {Row(0, X, 0, 10, 100)});  // A and M at one place
  EXPECT_EQ(s.Asource[0].K[0], Survey::DegenerateFactor);

  TSurvey fromRes;
  Analyse(fromRes, {Row(0, 30, 10, 20, NoValue, 2)});
  EXPECT_NEAR(fromRes.Asource[0].RhoA[0], 2 * 2 * Pi * 10, 1e-9);

  TSurvey ip;
  ip.HasIPData = true;
  arofdoubleM row = Row(0, 30, 10, 20, 100);
  row[Survey::colEtaA] = 20;
  Analyse(ip, {row});
  EXPECT_NEAR(ip.Asource[0].ResIP[0], (100 / (2 * Pi * 10)) / 0.8, 1e-12);
}

// Apparent resistivities computed for flat ground are turned into resistances with
// the flat factor, then into apparent resistivities over the relief.
TEST(SurveyGeometricFactor, FlatGroundValuesUnderRelief) {
  TSurvey s;
  s.RhoaForFlatGround = true;
  s.Topography = {{0, 0}, {15, 3}, {30, 0}};
  Analyse(s, {Row(0, 30, 10, 20, 100)});
  const double res = 100 / (2 * Pi * 10);
  EXPECT_NEAR(s.Asource[0].Res[0], res, 1e-12);
  EXPECT_NEAR(s.Asource[0].RhoA[0], res * s.Asource[0].K[0], 1e-9);
  EXPECT_GT(std::abs(s.Asource[0].K[0] - 2 * Pi * 10), 1e-6);
}

}  // namespace

}  // namespace SurveyFactorTests
