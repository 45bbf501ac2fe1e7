#include <algorithm>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyGeneratorTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

const double X = NoValue;

struct TGenerated {
  size_t Rows;
  std::array<double, 4> First;  // C1, C2, P1, P2 of the first row
  std::array<double, 4> Last;
};

TGenerated Generate(int32_t type, int32_t points, int32_t levels, int32_t separation, double minSeparation) {
  TSurvey s;
  s.DefaultPointCount = points;
  s.DefaultLevelCount = levels;
  s.DefaultPointSeparation = separation;
  s.DefaultMinSeparation = minSeparation;
  s.GenerateSurvey(type);
  EXPECT_TRUE(s.HasIPData);
  EXPECT_FALSE(s.HasYColumns);
  TGenerated g{s.MeasurementRows.size(), {}, {}};
  if (g.Rows == 0) return g;
  for (int e = 0; e < 4; ++e) {
    g.First[e] = s.MeasurementRows.front()[e];
    g.Last[e] = s.MeasurementRows.back()[e];
  }
  for (const arofdoubleM& row : s.MeasurementRows)
    for (int c = Survey::colRhoA; c < Survey::RowColumns; ++c) EXPECT_EQ(row[c], NoValue);
  return g;
}

TEST(SurveyGenerator, NineArrays) {
  // P = 10 stations, L = 3 levels, station step 1, separation 2 m.
  struct Case {
    int32_t type;
    TGenerated expected;
  } cases[] = {
      {0, {30, {-1, 1, -3, 3}, {18 - 3, 18 + 3, 18 - 9, 18 + 9}}},
      {1, {27, {0, X, 2, 4}, {18, X, 20, 22}}},
      {2, {27, {0, X, -4, -2}, {18, X, 18 - 8, 18 - 6}}},
      {3, {27, {0, 2, 4, 6}, {18, 20, 22, 24}}},
      {4, {27, {0, -2, -6, -4}, {18, 16, 18 - 10, 18 - 8}}},
      {5, {60, {0, 16, 2, 4}, {18, 34, 30, 32}}},
      {6, {27, {0, X, 2, X}, {18, X, 20, X}}},
      {7, {27, {0, X, -2, X}, {18, X, 18 - 6, X}}},
      {8, {30, {0, 2, -2, 4}, {18, 20, 18 - 6, 18 + 8}}},
  };
  for (const Case& c : cases) {
    const TGenerated g = Generate(c.type, 10, 3, 1, 2);
    EXPECT_EQ(g.Rows, c.expected.Rows) << c.type;
    EXPECT_EQ(g.First, c.expected.First) << c.type;
    EXPECT_EQ(g.Last, c.expected.Last) << c.type;
  }
}

TEST(SurveyGenerator, LevelsPerStation) {
  TSurvey s;
  s.DefaultPointCount = 10;
  s.DefaultLevelCount = 3;
  s.GenerateSurvey(1);
  // Pole-dipole forward: 3 levels at stations 0 to 7, 2 at station 8, 1 at station 9.
  std::array<int, 10> perStation{};
  for (const arofdoubleM& row : s.MeasurementRows) ++perStation[static_cast<size_t>(row[Survey::colC1])];
  EXPECT_EQ(perStation, (std::array<int, 10>{3, 3, 3, 3, 3, 3, 3, 3, 2, 1}));

  s.DefaultLevelCount = 10;  // at least as many levels as stations: every station gets all
  s.GenerateSurvey(1);
  EXPECT_EQ(s.MeasurementRows.size(), 100u);
  EXPECT_EQ(s.MeasurementRows.back()[Survey::colP2], 9 + 9 + 2);

  s.DefaultLevelCount = 3;
  s.DefaultPointSeparation = 3;
  s.GenerateSurvey(4);
  EXPECT_EQ(s.MeasurementRows[0][Survey::colC1], 0);
  EXPECT_EQ(s.MeasurementRows[1][Survey::colC1], 3);  // reverse: one level at station 0
  EXPECT_EQ(s.MeasurementRows[0][Survey::colP1], -3);

  s.GenerateSurvey(9);
  EXPECT_TRUE(s.MeasurementRows.empty());
}

// A generated survey analyses into electrodes at the stations and the right factors.
TEST(SurveyGenerator, AnalysedWennerSurvey) {
  TSurvey s;
  s.DefaultMinSeparation = 2;
  s.GenerateSurvey(0);
  s.AnalyseSurvey();
  EXPECT_EQ(s.elecarray.size(), 35u);  // odd positions -9 to 27, even -6 to 24
  ForEachReceiver(s, [](const osource& src, size_t j) {
    const double a = std::abs(src.P1x[j] - src.C1x);
    EXPECT_NEAR(src.K[j], 2 * 3.141592653589793 * a, 1e-9);
  });
}

}  // namespace

}  // namespace SurveyGeneratorTests
