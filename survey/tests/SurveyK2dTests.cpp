#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/rtl/SysUtils.h"
#include "survey/tests/SurveyTestUtil.h"

namespace SurveyK2dTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

const double Pi = std::numbers::pi;

TEST(SurveyK2dRead, MinimalFileGivesWennerFactorAndResistance) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "min.k2d", "C1 C2 P1 P2 ro_a\r\n0 30 10 20 100\r\n"), Survey::ReadData);
  ASSERT_EQ(t.Survey.Asource.size(), 1u);
  const osource& s = t.Survey.Asource[0];
  EXPECT_NEAR(s.K[0], 2 * Pi * 10, 1e-9);  // Wenner a = 10
  EXPECT_NEAR(s.Res[0], 100 / (2 * Pi * 10), 1e-12);
  EXPECT_NEAR(s.RhoA[0], 100, 1e-9);
  EXPECT_DOUBLE_EQ(s.PseudoDepth[0], 7.5);
  EXPECT_DOUBLE_EQ(s.PlotX[0], 15);
  EXPECT_TRUE(t.Messages.empty());
}

TEST(SurveyK2dRead, FullHeaderInAnyOrderAndCase) {
  TCapturedSurvey t;
  const std::string text =
      "Survey line3\r\n"
      "x\r\n"
      "Weight ETA_A P2 P1 c2 C1 sres C1y P1z\r\n"
      "2 4.5 20 10 30 0 1.5 0.5 2\r\n";
  ASSERT_EQ(t.Survey.ReadSurveyFile(WriteText("full.k2d", text)), Survey::ReadData);
  const TSurvey& s = t.Survey;
  ASSERT_EQ(s.MeasurementRows.size(), 1u);
  const arofdoubleM& r = s.MeasurementRows[0];
  EXPECT_EQ(r[Survey::colC1], 0);
  EXPECT_EQ(r[Survey::colC2], 30);
  EXPECT_EQ(r[Survey::colP1], 10);
  EXPECT_EQ(r[Survey::colP2], 20);
  EXPECT_EQ(r[Survey::colRes], 1.5);
  EXPECT_EQ(r[Survey::colRhoA], NoValue);
  EXPECT_EQ(r[Survey::colWeight], 2);
  EXPECT_EQ(r[Survey::colEtaA], 4.5);
  EXPECT_EQ(r[Survey::colC1y], 0.5);
  EXPECT_EQ(r[Survey::colP1z], 2);
  EXPECT_EQ(r[Survey::colC2y], 0);  // columns the header does not name
  EXPECT_EQ(r[Survey::colP2z], 0);
  EXPECT_TRUE(s.SignedResistance);
  EXPECT_TRUE(s.HasIPData);
  EXPECT_TRUE(s.HasYColumns);
  EXPECT_EQ(s.CoordinateColumns[0], 7);  // C1y
  EXPECT_EQ(s.CoordinateColumns[6], 8);  // P1z
  EXPECT_EQ(s.CoordinateColumns[1], -1);
}

TEST(SurveyK2dRead, RejectedFilesLeaveTheSurveyAsItWas) {
  struct Case {
    const char* name;
    const char* text;
  } cases[] = {
      {"electrodes named A B M N", "A B M N ro_a\n0 30 10 20 100\n"},
      {"no value column", "C1 C2 P1 P2 k\n0 30 10 20 100\n"},
      {"no line of three tokens", "C1 C2\n0 30\n"},
      {"empty file", ""},
      {"no row kept", "C1 C2 P1 P2 ro_a res\n0 30 10 20 -5 1\n0 30 10 20 100 0\n"},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    ASSERT_EQ(OpenK2d(t.Survey, "good.k2d", "C1 C2 P1 P2 ro_a\n0 30 10 20 100\ntopo\n0 1\n30 2\n"), 0);
    const ararofdoubleM rows = t.Survey.MeasurementRows;
    t.Survey.ExtraNodes = {7.0};
    EXPECT_EQ(t.Survey.ReadSurveyFile(WriteText("bad.k2d", c.text)), Survey::ReadError) << c.name;
    EXPECT_EQ(t.Survey.MeasurementRows, rows) << c.name;
    EXPECT_EQ(t.Survey.Topography.size(), 2u) << c.name;
    EXPECT_EQ(t.Survey.ExtraNodes, arofdoubleM{7.0}) << c.name;
    EXPECT_NE(t.Survey.DataFileName.find("good.k2d"), std::string::npos) << c.name;
  }
  EXPECT_EQ(TSurvey().ReadSurveyFile((ScratchDir() / "missing.k2d").string()), Survey::ReadError);
}

TEST(SurveyK2dRead, RowRulesDropAndKeep) {
  TCapturedSurvey t;
  const std::string text =
      "C1 C2 P1 P2 ro_a res\n"
      "0 30 10 20 -5 1\n"      // RhoA negative: dropped
      "0 30 10 20 100 0\n"     // Res zero: dropped
      "0 30 10 20 * 2,1\n"     // RhoA absent, Res with a comma: kept
      "* * 10 20 100 1\n"      // no current electrode: dropped
      "0 30 * * 100 1\n"       // no potential electrode: dropped
      "0 30 10 20\n"           // short line: skipped
      "*** 12.5\n"             // extra node; rows go on after it
      "0 * 10 20 50 1\n";      // C2 at infinity: kept
  ASSERT_EQ(t.Survey.ReadSurveyFile(WriteText("rules.k2d", text)), Survey::ReadData);
  const ararofdoubleM& rows = t.Survey.MeasurementRows;
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][Survey::colRhoA], NoValue);
  EXPECT_EQ(rows[0][Survey::colRes], 2.1);
  EXPECT_EQ(rows[1][Survey::colC2], NoValue);
  EXPECT_EQ(t.Survey.ExtraNodes, arofdoubleM{12.5});
  EXPECT_EQ(t.Survey.SkippedDataLines, 1);
}

// A line that has as many tokens as the header names columns but not as many as the
// highest column position is skipped and counted, not read out of range.
TEST(SurveyK2dRead, LineShorterThanHighestHeaderPositionIsSkipped) {
  TCapturedSurvey t;
  const std::string text =
      "C1 C2 P1 P2 comment note ro_a\n"
      "0 30 10 20 100\n"
      "0 30 10 20 x y 100\n";
  ASSERT_EQ(t.Survey.ReadSurveyFile(WriteText("short.k2d", text)), Survey::ReadData);
  ASSERT_EQ(t.Survey.MeasurementRows.size(), 1u);
  EXPECT_EQ(t.Survey.MeasurementRows[0][Survey::colRhoA], 100);
  EXPECT_EQ(t.Survey.SkippedDataLines, 1);
}

// Plain decimals and every other spelling of a value come out as the general number
// reader gives them: correctly rounded, the sign of zero kept, the comma read as a
// point, and NoValue for a token that is no number.
TEST(SurveyK2dRead, ValueTokensReadLikeTheNumberReader) {
  struct Case {
    const char* token;
    double value;
  } cases[] = {
      {"12.5", 12.5},
      {"-0", -0.0},
      {"+7", 7},
      {"00012.3400", 12.34},
      {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
      {"9007199254740993", 9007199254740992.0},  // halfway: to the even neighbour
      {"1000000000000000000000000000000000000000000000000000000000000000000000", 1e69},
      {"1,5", 1.5},
      {"1e3", 1000},
      {"1.", 1},
      {".5", 0.5},
      {".", 0},
      {"2.5e-400", 0},
      {"1e999", NoValue},
      {"-", NoValue},
      {"12a", NoValue},
      {"--1", NoValue},
  };
  std::string text = "C1 C2 P1 P2 ro_a weight\n";
  for (const Case& c : cases) text += std::string("0 30 10 20 100 ") + c.token + "\n";
  TCapturedSurvey t;
  ASSERT_EQ(t.Survey.ReadSurveyFile(WriteText("values.k2d", text)), Survey::ReadData);
  ASSERT_EQ(t.Survey.MeasurementRows.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const double read = t.Survey.MeasurementRows[i][Survey::colWeight];
    EXPECT_EQ(read, cases[i].value) << cases[i].token;
    EXPECT_EQ(std::signbit(read), std::signbit(cases[i].value)) << cases[i].token;
    EXPECT_EQ(read, Supermath2d::StrToFloatChecked(cases[i].token, false, 0, 0)) << cases[i].token;
  }
}

TEST(SurveyK2dRead, TopographySignsAndReferencePoint) {
  struct Case {
    const char* topoLines;
    bool flat, project, slope;
    double refX, refChainage;
    size_t points;
  } cases[] = {
      {"topo % ~\n0 1\n10 2\n10 5\n", true, true, false, NoValue, 0, 2},
      {"Topography #\n100 112.5\n0 1\n200 3\n", false, false, false, 100, 112.5, 2},
      {"topo #\n100 112.5 ^\n0 1\n200 3\n", false, false, true, 100, 112.5, 2},
      {"topo ^ #\n100 112.5\n0 1\n", false, false, false, 100, 112.5, 1},
      {"topo ^\n0 1\n5 1\nKelmPolyModelDescription2.0\n7 7\n", false, false, true, NoValue, 0, 2},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    const std::string text = std::string("C1 C2 P1 P2 ro_a\n0 30 10 20 100\n") + c.topoLines;
    ASSERT_NE(t.Survey.ReadSurveyFile(WriteText("topo.k2d", text)), Survey::ReadError) << c.topoLines;
    EXPECT_EQ(t.Survey.RhoaForFlatGround, c.flat) << c.topoLines;
    EXPECT_EQ(t.Survey.ProjectCoordinates, c.project) << c.topoLines;
    EXPECT_EQ(t.Survey.TopoSlopeDistances, c.slope) << c.topoLines;
    EXPECT_EQ(t.Survey.ReferenceX, c.refX) << c.topoLines;
    if (c.refX != NoValue) {
      EXPECT_EQ(t.Survey.ReferenceChainage, c.refChainage) << c.topoLines;
    }
    EXPECT_EQ(t.Survey.Topography.size(), c.points) << c.topoLines;
  }
}

TEST(SurveyK2dRead, ModelSectionAndCompanionConfig) {
  TCapturedSurvey t;
  // A model section without rows opens; its host values become the start values.
  EXPECT_EQ(t.Survey.ReadSurveyFile(WriteText("model.k2d", "C1 C2 P1 P2 ro_a\nmodel\nKelmPolyModelDescription2.0\n")),
            Survey::ReadDataAndModel);
  EXPECT_EQ(t.Survey.StartResistivity, 250);
  EXPECT_EQ(t.Survey.StartPolarizability, 3);
  EXPECT_TRUE(t.Survey.ResetDividing);

  TSurvey settings;
  settings.FactorX = 0.5;
  ASSERT_TRUE(settings.WriteConfigFile((ScratchDir() / "withcfg.cfg").string()));
  ASSERT_EQ(t.Survey.ReadSurveyFile(WriteText("withcfg.k2d", "C1 C2 P1 P2 ro_a\n0 30 10 20 100\n")), Survey::ReadData);
  EXPECT_EQ(t.Survey.FactorX, 0.5);
  EXPECT_FALSE(t.Survey.ResetDividing);
  EXPECT_EQ(t.Survey.StartResistivity, 0);
}

bool SameBits(const arofdoubleM& a, const arofdoubleM& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0);
}

// Fields of two analysed surveys that a reader and the analysis fill.
void ExpectSameSurvey(const TSurvey& a, const TSurvey& b) {
  ASSERT_EQ(a.Asource.size(), b.Asource.size());
  for (size_t i = 0; i < a.Asource.size(); ++i) {
    const osource& x = a.Asource[i];
    const osource& y = b.Asource[i];
    EXPECT_EQ(x.C1, y.C1);
    EXPECT_EQ(x.C2, y.C2);
    EXPECT_EQ(x.P1, y.P1);
    EXPECT_EQ(x.P2, y.P2);
    for (auto f : {&osource::P1x, &osource::P2x, &osource::P1y, &osource::P2y, &osource::P1z, &osource::P2z,
                   &osource::RhoA, &osource::Res, &osource::EtaA, &osource::Weight, &osource::K,
                   &osource::PseudoDepth, &osource::PlotX})
      EXPECT_TRUE(SameBits(x.*f, y.*f));
    EXPECT_EQ(x.C1x, y.C1x);
    EXPECT_EQ(x.C2x, y.C2x);
    EXPECT_EQ(x.C1y, y.C1y);
    EXPECT_EQ(x.C1z, y.C1z);
  }
  ASSERT_EQ(a.elecarray.size(), b.elecarray.size());
  for (size_t i = 0; i < a.elecarray.size(); ++i) {
    EXPECT_EQ(a.elecarray[i].X, b.elecarray[i].X);
    EXPECT_EQ(a.elecarray[i].Chainage, b.elecarray[i].Chainage);
    EXPECT_EQ(a.elecarray[i].SourceDepth, b.elecarray[i].SourceDepth);
  }
  EXPECT_EQ(a.Topography, b.Topography);
  EXPECT_EQ(a.ExtraNodes, b.ExtraNodes);
  EXPECT_EQ(a.Levels, b.Levels);
  EXPECT_EQ(a.SpacingLevels, b.SpacingLevels);
  EXPECT_EQ(a.HasIPData, b.HasIPData);
  EXPECT_EQ(a.SignedResistance, b.SignedResistance);
}

// Written and read back, a survey is the same to the last bit: positions are not
// rounded, and the reference point that gives positions along the ground is kept.
TEST(SurveyK2dWrite, RoundTripIsExact) {
  const char* files[] = {
      "C1 C2 P1 P2 C1y P1y C1z P1z ro_a sres eta_a weight\n"
      "0.123456789 30.3 10.1 20.7 0.25 0.3333333 0 1.1 101.23456 1.0471975 3.3 0.5\n"
      "0.123456789 30.3 20.7 10.1 0.25 0.1 0 0.7 97.5 * 2.25 *\n"
      "0.123456789 * 40.9 * 0 0 0 0 1234.5678 * 1.5 2\n"
      "*** 0.1\n*** -7.123456789012345\n"
      "topo\n0 100.17\n12.345678 101.3\n45 99.1\n",
      "C1 C2 P1 P2 ro_a\n"
      "0 30 10 20 100\n2 32 12 22 110\n4 34 14 24 95.5\n"
      "topo #\n2 2.5\n0 0\n10 4\n40 1\n",
      "C1 C2 P1 P2 ro_a\n"
      "0 30 10 20 100\n10 40 20 30 90\n"
      "topo % ^\n0 0\n10 3\n20 3.5\n40 2\n",
      "C1 C2 P1 P2 ro_a\n"
      "0 30 10 20 100\n10 40 20 30 90\n"
      "topo ~\n0 0\n20 2\n40 3\n",
  };
  for (const char* text : files) {
    TCapturedSurvey first;
    ASSERT_NE(OpenK2d(first.Survey, "first.k2d", text), Survey::ReadError) << text;
    const std::string written = (ScratchDir() / "written.k2d").string();
    ASSERT_TRUE(first.Survey.WriteSurveyFile(written, true, false));
    TCapturedSurvey second;
    ASSERT_EQ(OpenK2d(second.Survey, "written.k2d", ReadText(written)), Survey::ReadData) << ReadText(written);
    ExpectSameSurvey(first.Survey, second.Survey);
    EXPECT_TRUE(first.Messages.empty());
  }
}

TEST(SurveyK2dWrite, CanonicalLayout) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "in.k2d",
                    "C1 C2 P1 P2 P1z ro_a eta_a\n0 30 10 20 0 100 2\n0 * 10 20 1 50 *\n*** 12.5\ntopo\n0 1\n30 2\n"),
            0);
  const std::string path = (ScratchDir() / "out.txt").string();
  ASSERT_TRUE(t.Survey.WriteSurveyFile(path, true, true));
  const std::string text = ReadText(path);
  const std::string header = "C1  C2  P1  P2 P1z ro_a res eta_a weight \r\n";
  EXPECT_EQ(text.substr(0, header.size()), header);
  EXPECT_NE(text.find("\r\n0 * 10 20 1 "), std::string::npos);  // C2 at infinity written "*"
  EXPECT_NE(text.find("\r\n***  1.25000000000000E+0001\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\ntopo\r\n0 1\r\n30 2\r\n"), std::string::npos);
  EXPECT_NE(text.find("KelmPolyModelDescription2.0"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(ScratchDir() / "out.cfg"));
}

TEST(SurveyK2dWrite, ValueColumnsUseTheLocaleDecimalSeparator) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "in.k2d", "C1 C2 P1 P2 ro_a res\n0.5 30 10 20 100.25 1.5\n"), 0);
  TFormatSettings comma = FormatSettings;
  comma.DecimalSeparator = ',';
  const std::string path = (ScratchDir() / "comma.k2d").string();
  {
    TFormatSettingsScope scope(comma);
    ASSERT_TRUE(t.Survey.WriteSurveyFile(path, true, false));
  }
  const std::string text = ReadText(path);
  EXPECT_NE(text.find("\r\n0.5 30 10 20 "), std::string::npos);  // positions keep "."
  EXPECT_NE(text.find(" 1,5 1\r\n"), std::string::npos);
  TCapturedSurvey back;
  ASSERT_EQ(OpenK2d(back.Survey, "comma.k2d", text), 0);
  EXPECT_EQ(back.Survey.Asource[0].Res[0], t.Survey.Asource[0].Res[0]);
}

TEST(SurveyK2dWrite, UnwritableFileIsReported) {
  TCapturedSurvey t;
  ASSERT_EQ(OpenK2d(t.Survey, "in.k2d", "C1 C2 P1 P2 ro_a\n0 30 10 20 100\n"), 0);
  const std::string path = (ScratchDir() / "no such folder" / "x.k2d").string();
  EXPECT_FALSE(t.Survey.WriteSurveyFile(path, true, false));
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_NE(t.Messages[0].find("x.k2d"), std::string::npos);
}

}  // namespace

namespace {

// The sample survey that the program opens when started without a file.
TEST(SurveyK2dRead, SampleWennerSurveyOpens) {
  TSurvey s;
  ASSERT_EQ(s.ReadSurveyFile(std::string(KV_SOURCE_DIR) + "/examples/wenner.k2d"), Survey::ReadData);
  s.HasObservedData = true;
  s.AnalyseSurvey();
  EXPECT_EQ(s.MeasurementRows.size(), 84u);
  EXPECT_EQ(s.elecarray.size(), 24u);
  EXPECT_EQ(s.SpacingLevels.size(), 7u);
  EXPECT_EQ(s.ElectrodeSpacing, 2);
  ForEachReceiver(s, [](const osource& src, size_t j) {
    const double a = src.P1x[j] - src.C1x;
    EXPECT_NEAR(src.K[j], 2 * Pi * a, 1e-9);
    EXPECT_NEAR(src.PseudoDepth[j], 0.75 * a, 1e-12);  // (BM + BN) / 4 for the outer current pair
  });
}

}  // namespace

}  // namespace SurveyK2dTests
