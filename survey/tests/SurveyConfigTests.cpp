#include "survey/tests/SurveyTestUtil.h"

namespace SurveyConfigTests {

using namespace SurveyTest;

namespace {

const char* const DefaultFile =
    "kelmvev2er1.02\r\n"
    " 1.00000000000000E-0008\r\n"
    "400\r\n"
    "3\r\n"
    "TRUE\r\n"
    "8\r\n"
    "TRUE\r\n"
    " 2.00000000000000E-0001\r\n"
    " 2.00000000000000E-0001\r\n"
    " 2.00000000000000E+0000\r\n"
    " 1.00000000000000E+0000\r\n"
    "FALSE\r\n"
    "10\r\n"
    "100\r\n"
    "7\r\n"
    "TRUE\r\n";

TEST(SurveyConfig, WritesTheSixteenLinesOfTheDefaults) {
  const TSurvey s;
  const std::string path = (ScratchDir() / "default.cfg").string();
  ASSERT_TRUE(s.WriteConfigFile(path));
  EXPECT_EQ(ReadText(path), DefaultFile);
}

TEST(SurveyConfig, RoundTripGivesTheSameSettings) {
  TSurvey a;
  a.MACH_EPS = 3.3e-9;
  a.CGprecision = 1234;
  a.Solver = 1;
  a.nkuser = false;
  a.nknumber = 12;
  a.correct = false;
  a.FactorX = 0.123456789012345678;  // needs more than 15 digits to come back exactly
  a.FactorZ = 0.3;
  a.StartX = 2.5;
  a.StartZ = 0.75;
  a.Exponent = true;
  a.infperc = 20;
  a.redperc = 150;
  a.numqp = 4;
  a.recetha = false;
  const std::string path = (ScratchDir() / "a.cfg").string();
  ASSERT_TRUE(a.WriteConfigFile(path));
  TSurvey b;
  b.ReadConfigFile(path);
  EXPECT_EQ(b.MACH_EPS, a.MACH_EPS);
  EXPECT_EQ(b.CGprecision, a.CGprecision);
  EXPECT_EQ(b.Solver, a.Solver);
  EXPECT_EQ(b.nkuser, a.nkuser);
  EXPECT_EQ(b.nknumber, a.nknumber);
  EXPECT_EQ(b.correct, a.correct);
  EXPECT_EQ(b.FactorX, a.FactorX);
  EXPECT_EQ(b.FactorZ, a.FactorZ);
  EXPECT_EQ(b.StartX, a.StartX);
  EXPECT_EQ(b.StartZ, a.StartZ);
  EXPECT_EQ(b.Exponent, a.Exponent);
  EXPECT_EQ(b.infperc, a.infperc);
  EXPECT_EQ(b.redperc, a.redperc);
  EXPECT_EQ(b.numqp, a.numqp);
  EXPECT_EQ(b.recetha, a.recetha);
}

TEST(SurveyConfig, HeaderMustAppearWithItsExactCase) {
  struct Case {
    const char* first;
    bool accepted;
  } cases[] = {{"kelmvev2er1.02", true}, {"settings of kelmvev2er1.02 file", true}, {"KELMVEV2ER1.02", false},
               {"kelmvev2er1.01", false}};
  for (const Case& c : cases) {
    std::string text = DefaultFile;
    text.replace(0, text.find('\r'), c.first);
    text.replace(text.find("400"), 3, "555");
    TSurvey s;
    s.ReadConfigFile(WriteText("h.cfg", text));
    EXPECT_EQ(s.CGprecision, c.accepted ? 555 : 400) << c.first;
  }
}

TEST(SurveyConfig, FlagIsTrueOnlyForTheWordTrueInAnyCase) {
  EXPECT_TRUE(Survey::ReadBoolLine("true"));
  EXPECT_TRUE(Survey::ReadBoolLine("TrUe"));
  for (const char* line : {"yes", "1", "true ", "", "FALSE"}) EXPECT_FALSE(Survey::ReadBoolLine(line)) << line;
}

// A value out of range or not a number keeps the current value and is reported; the
// other settings of the file still apply.
TEST(SurveyConfig, BadValuesKeepTheirDefaultsAndAreReported) {
  std::string text = DefaultFile;
  text.replace(text.find(" 2.00000000000000E-0001"), 23, "0");     // FactorX below 0.001
  text.replace(text.find("\r\n8\r\n") + 2, 1, "2.5");              // nknumber not whole
  text.replace(text.find("\r\n7\r\n") + 2, 1, "abc");              // numqp not a number
  text.replace(text.find("\r\n10\r\n") + 2, 2, "25");              // infperc fine
  TCapturedSurvey t;
  t.Survey.FactorX = 0.4;
  t.Survey.ReadConfigFile(WriteText("bad.cfg", text));
  EXPECT_EQ(t.Survey.FactorX, 0.4);
  EXPECT_EQ(t.Survey.nknumber, 8);
  EXPECT_EQ(t.Survey.numqp, 7);
  EXPECT_EQ(t.Survey.infperc, 25);
  EXPECT_EQ(t.Survey.FactorZ, 0.2);
  ASSERT_EQ(t.Messages.size(), 1u);
  for (const char* part : {"FactorX", "nknumber", "numqp", "0.001 to 100", "\"abc\""})
    EXPECT_NE(t.Messages[0].find(part), std::string::npos) << part;
}

TEST(SurveyConfig, ShortFileAppliesTheLinesItHas) {
  TSurvey s;
  s.ReadConfigFile(WriteText("short.cfg", "kelmvev2er1.02\n 5.0E-0007\n99\n"));
  EXPECT_EQ(s.MACH_EPS, 5e-7);
  EXPECT_EQ(s.CGprecision, 99);
  EXPECT_EQ(s.Solver, 3);
}

TEST(SurveyConfig, ScientificFormHasWidth23) {
  EXPECT_EQ(Survey::ScientificText(1e-8), " 1.00000000000000E-0008");
  EXPECT_EQ(Survey::ScientificText(-12.5), "-1.25000000000000E+0001");
  EXPECT_EQ(Survey::ScientificText(0), " 0.00000000000000E+0000");
}

}  // namespace

}  // namespace SurveyConfigTests
