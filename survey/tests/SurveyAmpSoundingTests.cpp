#include "survey/tests/SurveyTestUtil.h"

namespace SurveyAmpSoundingTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

// ---------------------------------------------------------------------------------
// ABEM amp files

const char* AmpHeader = "Time  A(x)  B(x)  M(x)  N(x)  App. R  App. Ch  T(0)  T(n)\n";

TEST(SurveyAmpRead, HeaderWordsAreJoinedAndEveryColumnFound) {
  TCapturedSurvey t;
  t.Survey.StartResistivity = 80;
  t.Survey.Topography = {{0, 1}, {1, 2}};
  const std::string text = std::string("ABEM Terrameter\nline 3\n") + AmpHeader +
                           "1  0  30  10  20  100.5  50  10  110\n"
                           "2  5  35  15  25  0  40  10  10\n";
  ASSERT_EQ(t.Survey.ReadAmpFile(WriteText("a.amp", text)), Survey::ReadData);
  const ararofdoubleM& rows = t.Survey.MeasurementRows;
  ASSERT_EQ(rows.size(), 2u);
  const double expected[] = {0, 30, 10, 20, 100.5, NoValue, 1, 0.05};
  for (int c = Survey::colC1; c <= Survey::colEtaA; ++c) EXPECT_EQ(rows[0][c], expected[c]) << "column " << c;
  for (int c = Survey::colC1y; c < Survey::RowColumns; ++c) EXPECT_EQ(rows[0][c], NoValue);
  EXPECT_EQ(rows[1][Survey::colRhoA], 0);   // a zero resistivity stays
  EXPECT_EQ(rows[1][Survey::colEtaA], 40);  // an empty time window leaves the chargeability
  EXPECT_TRUE(t.Survey.HasIPData);
  EXPECT_TRUE(t.Survey.Topography.empty());
  EXPECT_EQ(t.Survey.StartResistivity, 0);
}

TEST(SurveyAmpRead, PoleDipoleDropsAndSkips) {
  TCapturedSurvey t;
  const std::string text =
      "A(x)  M(x)  N(x)  App.R\n"
      "0  10  20  100\n"
      "0  10  20  -5\n"       // negative resistivity: dropped
      "x  y  20  100\n"       // no current electrode: dropped
      "0  10  20  abc\n"      // no resistivity: dropped
      "0  10\n"               // too short: skipped and counted
      "\n"
      "5  15  25  110\n";
  ASSERT_EQ(t.Survey.ReadAmpFile(WriteText("pd.amp", text)), Survey::ReadData);
  ASSERT_EQ(t.Survey.MeasurementRows.size(), 2u);
  EXPECT_EQ(t.Survey.MeasurementRows[0][Survey::colC2], NoValue);
  EXPECT_EQ(t.Survey.MeasurementRows[1][Survey::colP2], 25);
  EXPECT_FALSE(t.Survey.HasIPData);
  EXPECT_EQ(t.Survey.SkippedDataLines, 1);
}

TEST(SurveyAmpRead, RefusedFiles) {
  const char* cases[] = {
      "no header at all\n0 1 2 3 4\n",
      "A(x)  B(x)  App.R\n0 1 2\n",              // no potential electrode column
      "A(x)  M(x)  N(x)  Rho\n0 1 2 3\n",         // no resistivity column
      "A(x)  M(x)  N(x)  App.R\n0 1 2 -3\n",      // no usable line
  };
  for (const char* text : cases) {
    TCapturedSurvey t;
    t.Survey.MeasurementRows = {arofdoubleM(16, 1.0)};
    t.Survey.HasIPData = true;
    EXPECT_EQ(t.Survey.ReadAmpFile(WriteText("bad.amp", text)), Survey::ReadError) << text;
    EXPECT_EQ(t.Survey.MeasurementRows.size(), 1u) << text;
    EXPECT_TRUE(t.Survey.HasIPData) << text;
  }
}

// ---------------------------------------------------------------------------------
// Sounding files (qlf)

std::string SoundingFile(const char* mnLine) {
  return std::string("Sounding line\n") + "1.5 2 3 5\n" + mnLine +
         "\n"
         "{\n"
         "sounding 1\n"
         "12.5 100\n"
         "ro_a 10 20 30 40\n"
         "eta_a 1 2 3 4\n"
         "}\n"
         "{\n"
         "sounding 2\n"
         "20 105.5\n"
         "ro_a 11 21 x 41\n"
         "eta_a 1 2 3\n"
         "}\n"
         "{\n"
         "sounding 3 without resistivities\n"
         "30 110\n"
         "}\n";
}

TEST(SurveySoundingConversion, WritesTheSoundingsAsMeasurementsWithTheirRelief) {
  TCapturedSurvey t;
  t.UseWindow();
  t.Window->InputAnswers = {std::string("10"), std::string("2"), std::string("3")};
  const std::string qlf = WriteText("line.qlf", SoundingFile("1 1 1 1"));
  EXPECT_EQ(t.Survey.ConvertSoundingFile(qlf), Survey::ReadError);
  EXPECT_EQ(t.Window->InputCaptions,
            (std::vector<std::string>{"Set horisontal scale", "Set minimal spacing number", "Set maximal spacing number"}));
  EXPECT_EQ(ReadText((ScratchDir() / "line.k2d").string()),
            "c1 c2 p1 p2 ro_a eta_a\r\n"
            "124.50 125.50 123 127 20 2\r\n"
            "124.50 125.50 122 128 30 3\r\n"
            "199.50 200.50 198 202 21 *\r\n"
            "topo\r\n"
            "125 100\r\n"
            "200 105.50\r\n"
            "300 110\r\n");
  EXPECT_EQ(t.Messages, std::vector<std::string>{Survey::ConversionComplete});
  EXPECT_TRUE(t.Survey.MeasurementRows.empty());  // nothing is loaded
}

TEST(SurveySoundingConversion, DefaultsAndRepeatedQuestions) {
  TCapturedSurvey t;
  t.UseWindow();
  // A scale out of bounds is asked again; cancelled boxes give the defaults.
  t.Window->InputAnswers = {std::string("0"), std::string("abc"), std::nullopt, std::nullopt, std::nullopt};
  ASSERT_EQ(t.Survey.ConvertSoundingFile(WriteText("d.qlf", SoundingFile("0.5 0.5"))), Survey::ReadError);
  EXPECT_EQ(t.Window->InputCaptions.size(), 5u);
  const std::string k2d = ReadText((ScratchDir() / "d.k2d").string());
  // MN line of two numbers: every MN is a third of the first AB/2.
  EXPECT_NE(k2d.find("\r\n12.25 12.75 11 14 10 1\r\n"), std::string::npos);
  EXPECT_NE(k2d.find("\r\n12.25 12.75 7.50 17.50 40 4\r\n"), std::string::npos);
  // The converted file opens: every written line is a measurement.
  TCapturedSurvey open;
  ASSERT_EQ(open.Survey.ReadSurveyFile((ScratchDir() / "d.k2d").string()), Survey::ReadData);
  EXPECT_EQ(open.Survey.MeasurementRows.size(), 7u);
  EXPECT_EQ(open.Survey.SkippedDataLines, 0);
  EXPECT_EQ(open.Survey.Topography.size(), 3u);
}

TEST(SurveySoundingConversion, FileWithoutSpacingsOrWithoutWritableOutput) {
  TCapturedSurvey t;
  t.UseWindow();
  ASSERT_EQ(t.Survey.ConvertSoundingFile(WriteText("none.qlf", "title\n1 2 3\n{\n}\n")), Survey::ReadError);
  EXPECT_TRUE(t.Window->InputCaptions.empty());
  EXPECT_FALSE(std::filesystem::exists(ScratchDir() / "none.k2d"));
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_NE(t.Messages[0].find("cannot be converted"), std::string::npos);

  // The k2d name is taken by a folder: the conversion says so and reports no success.
  std::filesystem::create_directories(ScratchDir() / "taken.k2d");
  t.Messages.clear();
  ASSERT_EQ(t.Survey.ConvertSoundingFile(WriteText("taken.qlf", SoundingFile("1 1 1 1"))), Survey::ReadError);
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.Messages[0], "Cannot write the file \"" + (ScratchDir() / "taken.k2d").string() + "\".");
}

}  // namespace

}  // namespace SurveyAmpSoundingTests
