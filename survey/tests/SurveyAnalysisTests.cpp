#include <cmath>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyAnalysisTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

const double X = NoValue;


TEST(SurveyAnalysis, AbsentElectrodeMovesFirstAndLastDuplicateStays) {
  TSurvey s;
  Analyse(s, {Row(X, 10, 20, 30, 50), Row(0, 30, 10, 20, 1), Row(0, 30, 10, 20, 2), Row(0, 30, 10, 20, 3)});
  ASSERT_EQ(s.MeasurementRows.size(), 2u);
  // Sorted by C1: the row of current electrode 0 before the one of 10.
  EXPECT_EQ(s.MeasurementRows[0][Survey::colRhoA], 3);
  EXPECT_EQ(s.MeasurementRows[1][Survey::colC1], 10);
  EXPECT_EQ(s.MeasurementRows[1][Survey::colC2], NoValue);
  ASSERT_EQ(s.Asource.size(), 2u);
  EXPECT_EQ(s.Asource[1].C2, -1);
}

TEST(SurveyAnalysis, RowsOrderedBySourceThenPotentialElectrode) {
  TSurvey s;
  Analyse(s, {Row(10, 40, 20, 30), Row(0, 30, 15, 25), Row(0, 30, 10, 20), Row(0, 3, 10, 13)});
  ASSERT_EQ(s.Asource.size(), 3u);
  EXPECT_EQ(s.Asource[0].C1x, 0);
  EXPECT_EQ(s.Asource[0].C2x, 30);
  EXPECT_EQ(s.Asource[0].P1x, (arofdoubleM{10, 15}));
  EXPECT_EQ(s.Asource[1].C2x, 3);
  EXPECT_EQ(s.Asource[2].C1x, 10);
  // Electrode indices point at the right positions; current electrodes ascending, once each.
  ForEachReceiver(s, [&](const osource& src, size_t j) {
    EXPECT_EQ(s.elecarray[static_cast<size_t>(src.C1)].X, src.C1x);
    EXPECT_EQ(s.elecarray[static_cast<size_t>(src.P1[j])].X, src.P1x[j]);
  });
  for (size_t i = 1; i < s.CurrentElectrodes.size(); ++i)
    EXPECT_LT(s.CurrentElectrodes[i - 1], s.CurrentElectrodes[i]);
  EXPECT_EQ(s.CurrentElectrodes.size(), 5u);  // at 0, 3, 10, 30 and 40
}

// Rows of one current pair stay one source only where no other pair with the same C1
// lies between them.
TEST(SurveyAnalysis, PairInterruptedBySameC1StartsANewSource) {
  TSurvey s;
  Analyse(s, {Row(0, 30, 15, 25), Row(0, 3, 10, 13), Row(0, 30, 10, 20)});
  ASSERT_EQ(s.Asource.size(), 3u);
  EXPECT_EQ(s.Asource[0].C2x, 30);
  EXPECT_EQ(s.Asource[1].C2x, 3);
  EXPECT_EQ(s.Asource[2].C2x, 30);
  EXPECT_EQ(s.Asource[0].C2, s.Asource[2].C2);
}

TEST(SurveyAnalysis, ElectrodesAtOnePlaceWithTwoDepthsAreTwo) {
  TSurvey s;
  arofdoubleM row = Row(10, X, 20, X);
  row[Survey::colC1z] = 5;
  Analyse(s, {Row(10, X, 20, X), row});
  ASSERT_EQ(s.elecarray.size(), 3u);
  EXPECT_EQ(s.elecarray[0].X, 10);
  EXPECT_EQ(s.elecarray[0].Depth, 0);
  EXPECT_EQ(s.elecarray[1].X, 20);
  EXPECT_EQ(s.elecarray[2].X, 10);
  EXPECT_EQ(s.elecarray[2].Depth, 5);
}

TEST(SurveyAnalysis, ReverseProfileMirrorsPositionsAndRelief) {
  TSurvey s;
  s.ReverseProfile = true;
  s.Topography = {{0, 1}, {120, 2}};
  Analyse(s, {Row(0, 100, 30, 60)});
  EXPECT_EQ(s.MeasurementRows[0][Survey::colP1], 70);
  EXPECT_EQ(s.MeasurementRows[0][Survey::colP2], 40);
  EXPECT_EQ(s.Topography[0].x, -20);  // sorted by x again
  EXPECT_EQ(s.Topography[1].x, 100);
}

TEST(SurveyAnalysis, DerivedHeights) {
  TSurvey one;
  one.Topography = {{50, 7}};
  arofdoubleM buried = Row(0, X, 10, X);
  buried[Survey::colP1z] = 2;
  Analyse(one, {buried});
  for (const TElectrode& e : one.elecarray) {
    EXPECT_EQ(e.ModelDepth, e.Depth + 7);
    EXPECT_EQ(e.SourceDepth, e.Depth);
    EXPECT_EQ(e.ImageDepth, -e.ModelDepth);
  }

  TSurvey relief;
  relief.Topography = {{0, 10}, {20, 0}};
  Analyse(relief, {Row(0, X, 10, X)});
  EXPECT_EQ(relief.elecarray[1].ModelDepth, 5);    // elevation at x 10
  EXPECT_EQ(relief.elecarray[1].SourceDepth, 5);   // below the highest point 10
  EXPECT_NEAR(relief.elecarray[1].Chainage, std::round(std::hypot(10.0, 5.0) * 100) / 100, 1e-12);

  // A buried electrode left of the first surface electrode lies before it along the ground.
  TSurvey left;
  left.Topography = {{-20, 0}, {20, 0}};
  arofdoubleM borehole = Row(-10, X, 10, X);
  borehole[Survey::colC1z] = 5;
  Analyse(left, {Row(0, X, 10, X), borehole});
  ASSERT_EQ(left.elecarray.size(), 3u);
  EXPECT_EQ(left.elecarray[2].X, -10);
  EXPECT_EQ(left.elecarray[2].Chainage, -10);
}

TEST(SurveyAnalysis, ExtendedNodesAndSpacing) {
  TSurvey s;
  s.ExtendedNodes = true;
  Analyse(s, {Row(0, X, 5, X), Row(5, X, 10, X)});
  EXPECT_EQ(s.ExtraNodes, (arofdoubleM{-5, 15}));
  EXPECT_EQ(s.NodePositions, (arofdoubleM{-5, 0, 5, 10, 15}));
  EXPECT_EQ(s.ElectrodePositions, s.NodePositions);
  EXPECT_EQ(s.ElectrodeSpacing, 5);
  EXPECT_EQ(s.GroupingSpacing, 5);
}

TEST(SurveyAnalysis, SpacingIndexFollowsFirstAppearance) {
  TSurvey s;
  // Pole-pole spacings 10, 5, 20 in the order of the sources.
  Analyse(s, {Row(0, X, 10, X), Row(100, X, 105, X), Row(200, X, 220, X)});
  ASSERT_EQ(s.SpacingLevels.size(), 3u);
  EXPECT_NEAR(s.SpacingLevels[0], 5, 1e-12);
  EXPECT_NEAR(s.SpacingLevels[1], 10, 1e-12);
  EXPECT_NEAR(s.SpacingLevels[2], 20, 1e-12);
  EXPECT_EQ(s.Asource[0].LevelIndex[0], 0);
  EXPECT_EQ(s.Asource[1].LevelIndex[0], 1);
  EXPECT_EQ(s.Asource[2].LevelIndex[0], 2);
  EXPECT_EQ(s.Levels, (arofdoubleM{2.5, 5, 10}));
  EXPECT_EQ(s.Asource[2].GroupIndex[0], 2);
  EXPECT_EQ(s.DataXMin, 5);
  EXPECT_EQ(s.DataXMax, 210);
}

// Receivers on one plot point and level: the first keeps its head flag and lists the
// later ones in its group.
TEST(SurveyAnalysis, ReceiversOnOnePlotPointAreGrouped) {
  TSurvey s;
  // Pole-pole pairs of spacing 10 at plot points 5, 5, 5.4 and 5.8; electrode spacing 0.4.
  Analyse(s, {Row(0, X, 10, X), Row(10, X, 0, X), Row(0.4, X, 10.4, X), Row(0.8, X, 10.8, X)});
  ASSERT_EQ(s.Asource.size(), 4u);
  ASSERT_NEAR(s.GroupingSpacing, 0.4, 1e-12);
  // Sorted by C1, the source of C1 10 is the last.
  EXPECT_EQ(s.Asource[0].FlagsB[0], 1);
  EXPECT_EQ(s.Asource[0].PairsB[0], (Points{{3, 0}}));
  EXPECT_EQ(s.Asource[3].FlagsB[0], 0);
  EXPECT_EQ(s.Asource[1].FlagsB[0], 1);
  EXPECT_TRUE(s.Asource[1].PairsB[0].empty());
  EXPECT_EQ(s.Asource[0].PairsA[0], (Points{{3, 0}}));
  EXPECT_EQ(s.Asource[3].FlagsA[0], 0);
  EXPECT_EQ(s.Asource[2].FlagsA[0], 1);
}

// Within the depth tolerance (0.1 of the electrode spacing) a head takes only the
// receivers near itself, not those near a receiver it took.
TEST(SurveyAnalysis, GroupingIsNotTransitive) {
  TSurvey s;
  // Plot points 20, 20.06 and 20.12 at one level, with a tolerance between 0.06 and 0.12.
  ararofdoubleM rows;
  for (int i = 0; i <= 10; ++i) rows.push_back(Row(i, X, i + 40, X));
  rows.push_back(Row(0.12, X, 40, X));
  rows.push_back(Row(0.24, X, 40, X));
  Analyse(s, rows);
  ASSERT_GT(0.1 * s.GroupingSpacing, 0.06);
  ASSERT_LT(0.1 * s.GroupingSpacing, 0.12);
  auto find = [&](double c1) -> const osource& {
    for (const osource& src : s.Asource)
      if (src.C1x == c1) return src;
    return s.Asource.front();
  };
  EXPECT_EQ(find(0).PairsB[0].size(), 1u);
  EXPECT_EQ(find(0.12).FlagsB[0], 0);
  EXPECT_EQ(find(0.24).FlagsB[0], 1);
}

TEST(SurveyAnalysis, LineOffsetBetweenParallelLines) {
  struct Case {
    double p1y[2];
    double offset;
  } cases[] = {{{5, 5}, 5}, {{5, 10}, 0}, {{0, 0}, 0}};
  for (const Case& c : cases) {
    TSurvey s;
    arofdoubleM a = Row(0, X, 10, X), b = Row(0, X, 20, X);
    a[Survey::colP1y] = c.p1y[0];
    b[Survey::colP1y] = c.p1y[1];
    Analyse(s, {a, b});
    EXPECT_EQ(DC2dBEM::CommonOffset, c.offset) << c.p1y[0] << " " << c.p1y[1];
  }
}

TEST(SurveyAnalysis, StartValuesAndWeights) {
  TSurvey s;
  Analyse(s, {Row(0, X, 10, X, 35), Row(0, X, 20, X, 36), Row(0, X, 30, X, 41)});
  EXPECT_EQ(s.StartResistivity, 40);
  ForEachReceiver(s, [](const osource& src, size_t j) { EXPECT_EQ(src.Weight[j], 1); });

  TSurvey fromModel;
  fromModel.StartResistivity = 250;
  Analyse(fromModel, {Row(0, X, 10, X, 35)});
  EXPECT_EQ(fromModel.StartResistivity, 250);

  TSurvey synthetic;
  synthetic.GenerateSurvey(0);
  Analyse(synthetic, synthetic.MeasurementRows, false);
  EXPECT_EQ(synthetic.StartResistivity, 10);
  EXPECT_EQ(synthetic.StartPolarizability, 0);

  TSurvey ip;
  ip.HasIPData = true;
  ararofdoubleM rows = {Row(0, X, 10, X), Row(0, X, 20, X), Row(0, X, 30, X)};
  for (size_t i = 0; i < rows.size(); ++i) rows[i][Survey::colEtaA] = 6 + static_cast<double>(i);
  Analyse(ip, rows);
  EXPECT_EQ(ip.StartPolarizability, 4);  // half the robust mean 7, 3.5 rounded half to even
}

TEST(SurveyAnalysis, MeshDividingAndChartHooks) {
  TCapturedSurvey t;
  t.Survey.FactorX = 0.7;
  t.Survey.RealTopoCoordinates = true;
  t.Survey.Topography = {{0, 3}, {10, 4}};
  Analyse(t.Survey, {Row(0, X, 10, X)});
  EXPECT_EQ(t.Survey.FactorX, 0.1);
  EXPECT_EQ(t.Survey.FactorZ, 0.1);
  EXPECT_EQ(t.Survey.StartX, 2.0);
  EXPECT_EQ(t.Chart->MeshPreviewClears, 1);
  EXPECT_EQ(t.Chart->LabelOffsets, (std::vector<double>{0, -4}));
  EXPECT_TRUE(t.Survey.NewDataUpper);

  t.Survey.ResetDividing = false;
  t.Survey.FactorX = 0.7;
  t.Survey.AnalyseSurvey();
  EXPECT_EQ(t.Survey.FactorX, 0.7);
}

// Distances measured along the ground from a reference point become horizontal positions.
TEST(SurveyAnalysis, ReferencePointConvertsChainages) {
  TSurvey s;
  s.Topography = {{0, 0}, {3, 4}, {6, 0}};
  s.ReferenceX = 0;
  s.ReferenceChainage = 0;
  Analyse(s, {Row(0, X, 5, X), Row(0, X, 7.5, X)});
  ASSERT_EQ(s.elecarray.size(), 3u);
  EXPECT_EQ(s.elecarray[0].X, 0);
  EXPECT_NEAR(s.elecarray[1].X, 3, 1e-12);
  EXPECT_NEAR(s.elecarray[2].X, 4.5, 1e-12);
  EXPECT_EQ(s.elecarray[2].Chainage, 7.5);
}

// A relief given as distances along the slope: a slope shorter than its rise is
// reported and the relief is kept, instead of giving positions that are not numbers.
TEST(SurveyAnalysis, SlopeDistances) {
  TCapturedSurvey good;
  good.Survey.TopoSlopeDistances = true;
  good.Survey.Topography = {{0, 0}, {5, 3}, {10, 3}};
  Analyse(good.Survey, {Row(0, X, 5, X)});
  EXPECT_EQ(good.Survey.Topography[1].x, 4);
  EXPECT_EQ(good.Survey.Topography[2].x, 9);
  EXPECT_EQ(good.Survey.ReferenceX, 0);
  EXPECT_TRUE(good.Messages.empty());

  TCapturedSurvey bad;
  bad.Survey.TopoSlopeDistances = true;
  bad.Survey.Topography = {{0, 0}, {2, 3}, {10, 3}};
  Analyse(bad.Survey, {Row(0, X, 5, X)});
  ASSERT_EQ(bad.Messages.size(), 1u);
  EXPECT_EQ(bad.Survey.Topography[1].x, 2);
  for (const TElectrode& e : bad.Survey.elecarray) EXPECT_FALSE(std::isnan(e.X));

  TCapturedSurvey far;
  far.Survey.TopoSlopeDistances = true;
  far.Survey.Topography = {{0, 0}, {1e200, 3}};
  Analyse(far.Survey, {Row(0, X, 5, X)});
  ASSERT_EQ(far.Messages.size(), 1u);
  EXPECT_EQ(far.Survey.Topography[1].x, 1e200);
}

TEST(SurveyAnalysis, ProjectionOntoLevelledProfile) {
  TSurvey s;
  s.ProjectCoordinates = true;
  s.Topography = {{0, 0}, {100, 10}};
  Analyse(s, {Row(0, X, 100, X)});
  EXPECT_FALSE(s.ProjectCoordinates);
  EXPECT_NEAR(s.Topography[1].z, 0, 1e-9);
  // Rotated by the slope angle about the relief's first point.
  EXPECT_NEAR(s.elecarray[1].X, 100 / std::sqrt(1.01), 1e-9);
}

TEST(SurveyAnalysis, ProjectionThatGivesNoNumbersLeavesTheMeasurementOut) {
  // A relief point far out makes the projected positions NaN; the measurement
  // cannot be placed and is dropped with a message instead of reaching the factor.
  TCapturedSurvey c;
  c.Survey.ProjectCoordinates = true;
  c.Survey.Topography = {{1, 2}, {0, 10}, {3e198, 7.5}};
  Analyse(c.Survey, {Row(0, 10, 3, 7)});
  EXPECT_TRUE(c.Survey.Asource.empty());
  ASSERT_EQ(c.Messages.size(), 1u);
  EXPECT_NE(c.Messages[0].find("1 measurement(s) have electrode positions that are no numbers"), std::string::npos);
}

TEST(SurveyAnalysis, DecimationStep) {
  TSurvey s;
  s.DefaultPointCount = 100;
  s.DefaultLevelCount = 25;
  s.GenerateSurvey(0);  // 2500 rows
  Analyse(s, s.MeasurementRows, false);
  EXPECT_EQ(s.DecimationStep, 2);
}

}  // namespace

namespace {

TEST(SurveyTolerance, LookUpsAndUniqueLists) {
  elecarray electrodes(3);
  electrodes[0].X = 10;
  electrodes[0].Depth = 5;
  electrodes[1].X = 10.000001;
  electrodes[2].X = 3;
  electrodes[2].Chainage = 20;
  EXPECT_EQ(Survey::FindElectrode(electrodes, {10, 0}, 1e-5), 1);
  EXPECT_EQ(Survey::FindElectrode(electrodes, {10, 5}, 1e-5), 0);
  EXPECT_EQ(Survey::FindElectrode(electrodes, {20, 0}, 1e-5), 2);  // by its distance along the ground
  EXPECT_EQ(Survey::FindElectrode(electrodes, {11, 0}, 1e-5), -1);

  arofdoubleM values;
  for (double v : {10.0, 10.05, 9.8, NoValue, 0.0, 0.0}) Survey::AddUniqueRelative(values, 0.01, v);
  EXPECT_EQ(values, (arofdoubleM{10, 9.8, 0}));
  EXPECT_EQ(Survey::FindRelative(values, 0.05, 9.6), 0);
  EXPECT_EQ(Survey::FindRelative(values, 0.05, NoValue), -1);
  EXPECT_EQ(Survey::FindRelative(values, 0.05, 20), -1);

  arofdoubleM absolute;
  for (double v : {1.0, 1.000001, 1.0001, NoValue}) Survey::AddUniqueValue(absolute, 1e-5, v);
  EXPECT_EQ(absolute, (arofdoubleM{1, 1.0001}));

  arofintM indices;
  for (int32_t i : {3, 1, 3, 2}) Survey::AddUniqueIndex(indices, i);
  Survey::SortIndices(indices);
  EXPECT_EQ(indices, (arofintM{1, 2, 3}));
}

// A row without any potential electrode, as an edited table may hold, is left out.
TEST(SurveyAnalysis, RowWithoutPotentialElectrodeIsLeftOut) {
  TSurvey s;
  Analyse(s, {Row(0, 30, 10, 20), Row(0, X, X, X)});
  EXPECT_EQ(s.MeasurementRows.size(), 1u);
  ASSERT_EQ(s.Asource.size(), 1u);
  EXPECT_GE(s.Asource[0].P1[0], 0);
}

}  // namespace

}  // namespace SurveyAnalysisTests
