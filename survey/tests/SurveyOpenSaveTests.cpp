#include <algorithm>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyOpenSaveTests {

using Supermath2d::NoValue;
using namespace SurveyTest;

namespace {

class SurveyOpen : public SolverStateTest {};

const char* SmallWenner =
    "C1 C2 P1 P2 ro_a\n"
    "0 3 1 2 100\n1 4 2 3 100\n2 5 3 4 100\n3 6 4 5 100\n4 7 5 6 100\n"
    "0 6 2 4 100\n1 7 3 5 100\n";

size_t IndexOf(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<size_t>(std::find(calls.begin(), calls.end(), call) - calls.begin());
}

TEST_F(SurveyOpen, OpensAnalysesBuildsTheStartModelAndRunsTheForwardProblem) {
  TCapturedSurvey t;
  t.UseWindow();
  // The extension is compared in small letters.
  t.Survey.OpenData(WriteText("Line1.K2D", SmallWenner));
  EXPECT_TRUE(t.Messages.empty());
  EXPECT_EQ(t.Window->Caption, "KelmVev2Er [Line1.K2D]");
  EXPECT_TRUE(t.Survey.HasObservedData);
  EXPECT_TRUE(t.Survey.SurveyReady);
  EXPECT_EQ(t.Window->ModelConstructorShown.size(), 1u);
  EXPECT_EQ(t.Chart->Bounds.Right, 7);
  EXPECT_EQ(t.Window->PseudoSectionEnabled, std::vector<bool>{true});
  const auto& calls = t.Window->Calls;
  EXPECT_EQ(calls.front(), "ResetToResistivity");
  EXPECT_LT(IndexOf(calls, "PrepareAxes"), IndexOf(calls, "PlotData upper"));
  EXPECT_LT(IndexOf(calls, "PlotData upper"), IndexOf(calls, "ShowSecondToolBar"));
  EXPECT_EQ(calls.back(), "ForwardProblem");
  EXPECT_TRUE(t.Survey.ModelComputed);
  ForEachReceiver(t.Survey, [](const osource& src, size_t j) { EXPECT_NEAR(src.RhoACalc[j], 100, 0.1); });
}

TEST_F(SurveyOpen, RefusedFilesLeaveTheSurveyAsItWas) {
  struct Case {
    const char* name;
    const char* text;
    const char* message;
  } cases[] = {
      {"other.txt", SmallWenner, "its extension is not one of k2d, dat, seq, amp, qlf and cfg"},
      {"bad.k2d", "A B M N ro_a\n0 3 1 2 100\n",
       "Error in data file!\nbad.k2d, line 1: the header names no current electrode"},
      {"short.k2d", "\nC1 C2 P1 P2 ro_a\n0 3 1\n1 4 2 3\n",
       "Error in data file!\nshort.k2d, no data line gives a measurement (the first skipped: line 3 (3 of 5 "
       "columns))"},
      {"bad.dat", "t\n1\n9\n1\n0\n0\n0 1 100\n", "Error in data file!"},
      {"bad.amp", "nothing\n", "Error in data file!\nbad.amp, no header line with the column A(x)"},
      {"short.amp", "A(x)  B(x)  M(x)  N(x)  App.R\n\n1 4\n",
       "Error in data file!\nshort.amp, no data line gives a measurement (the first skipped: line 3 (2 of 5 "
       "columns))"},
  };
  for (const Case& c : cases) {
    TCapturedSurvey t;
    t.UseWindow();
    t.Survey.OpenData(WriteText("good.k2d", std::string("C1 C2 P1 C1z P2 ro_a\n0 3 1 0 2 100\n1 4 2 0 3 100\n") +
                                                "*** 12.5\n"));
    const ararofdoubleM rows = t.Survey.MeasurementRows;
    const auto columns = t.Survey.CoordinateColumns;
    const size_t calls = t.Window->Calls.size();
    t.Messages.clear();
    t.Survey.OpenData(WriteText(c.name, c.text));
    ASSERT_EQ(t.Messages.size(), 1u) << c.name;
    EXPECT_NE(t.Messages[0].find(c.message), std::string::npos) << t.Messages[0];
    EXPECT_EQ(t.Survey.MeasurementRows, rows) << c.name;
    EXPECT_EQ(t.Survey.CoordinateColumns, columns) << c.name;
    EXPECT_EQ(t.Survey.ExtraNodes, arofdoubleM{12.5}) << c.name;
    EXPECT_EQ(t.Window->Caption, "KelmVev2Er [good.k2d]") << c.name;
    EXPECT_LE(t.Window->Calls.size(), calls + 1) << c.name;  // at most the display reset
  }
}

TEST_F(SurveyOpen, ConfigurationFileChangesOnlyTheSettings) {
  TCapturedSurvey t;
  t.UseWindow();
  t.Survey.OpenData(WriteText("a.k2d", std::string(SmallWenner) + "*** 9.5\n"));
  t.Survey.FactorX = 0.7;
  t.Survey.nknumber = 5;
  ASSERT_TRUE(t.Survey.WriteConfigFile((ScratchDir() / "settings.cfg").string()));
  t.Survey.FactorX = 0.2;
  t.Survey.nknumber = 8;
  const std::string caption = t.Window->Caption;
  t.Survey.OpenData((ScratchDir() / "settings.cfg").string());
  EXPECT_EQ(t.Survey.FactorX, 0.7);
  EXPECT_EQ(t.Survey.nknumber, 5);
  EXPECT_EQ(t.Window->Caption, caption);
  EXPECT_EQ(t.Survey.ExtraNodes, arofdoubleM{9.5});
  // A survey file without a companion cfg puts the dividing options back.
  t.Survey.OpenData(WriteText("b.k2d", SmallWenner));
  EXPECT_EQ(t.Survey.FactorX, 0.1);
  EXPECT_EQ(t.Survey.nknumber, 5);
}

TEST_F(SurveyOpen, OneSpacingLevelOpensInTheGraphicsDisplay) {
  TCapturedSurvey t;
  t.UseWindow();
  t.Survey.OpenData(WriteText("one.k2d", "C1 C2 P1 P2 ro_a\n0 3 1 2 100\n1 4 2 3 100\n2 5 3 4 100\n"));
  EXPECT_EQ(t.Survey.DataPlotType, 1);
  EXPECT_EQ(t.Survey.graphicstype, 0);
  EXPECT_FALSE(t.Window->PseudoSectionEnabled.back());
  EXPECT_LT(IndexOf(t.Window->Calls, "RelayoutSections"), t.Window->Calls.size());
}

TEST_F(SurveyOpen, ModelFromTheFileKeepsItsHostValues) {
  TCapturedSurvey t;
  t.UseWindow();
  t.Chart->NewModel({}, false, {-1, 8, 0, 4});
  t.Survey.OpenData(WriteText("m.k2d", std::string(SmallWenner) + "KelmPolyModelDescription2.0\nEndPolyModelDescription2.0\n"));
  EXPECT_TRUE(t.Window->ModelConstructorShown.empty());
  EXPECT_EQ(t.Survey.StartResistivity, 250);
  EXPECT_EQ(t.Survey.StartPolarizability, 3);
  EXPECT_EQ(t.Chart->BoundsKeepFlags, std::vector<bool>{true});
  EXPECT_EQ(t.Chart->Bounds.Left, -1);
  EXPECT_TRUE(t.Survey.ModelComputed);
  ForEachReceiver(t.Survey, [](const osource& src, size_t j) { EXPECT_NEAR(src.RhoACalc[j], 250, 0.25); });
}

TEST_F(SurveyOpen, SkippedLinesAreReportedOnce) {
  TCapturedSurvey t;
  t.Survey.OpenData(WriteText("short.k2d", std::string(SmallWenner) + "8 9\n"));
  ASSERT_EQ(t.Messages.size(), 1u);
  EXPECT_EQ(t.Messages[0],
            "1 data line of \"short.k2d\" could not be read as measurements and was skipped (the first: line 9 (2 "
            "of 5 columns)).");
  EXPECT_TRUE(t.Survey.ModelComputed);
}

// ---------------------------------------------------------------------------------
// Saving

class SurveySave : public SurveyOpen {
 protected:
  TCapturedSurvey t;
  void SetUp() override {
    SurveyOpen::SetUp();
    t.UseWindow();
    t.Survey.OpenData(WriteText("line.k2d", SmallWenner));
    ASSERT_TRUE(t.Survey.ModelComputed);
    t.Messages.clear();
  }
  std::filesystem::path Dir() const { return ScratchDir(); }
};

TEST_F(SurveySave, EachKindGetsItsExtensionAndItsCompanionFiles) {
  struct Case {
    int32_t index;
    const char* written;
    const char* second;  // the cfg beside a k2d, or nothing
    bool model;
  } cases[] = {
      {1, "p1.k2d", "p1.cfg", true},  {2, "p2.k2d", "p2.cfg", false}, {3, "p3.k2d", "p3.cfg", false},
      {4, "p4.k2d", "p4.cfg", true},  {5, "p5.dat", nullptr, false},  {6, "p6.dat", nullptr, false},
      {9, "p9.cfg", nullptr, false},
  };
  for (const Case& c : cases) {
    const std::string typed = (Dir() / ("p" + std::to_string(c.index) + ".txt")).string();
    EXPECT_TRUE(t.Survey.SaveAs(typed, c.index)) << c.index;
    EXPECT_EQ(t.Survey.SaveFileName, (Dir() / c.written).string());
    EXPECT_TRUE(std::filesystem::exists(Dir() / c.written)) << c.written;
    if (c.second) {
      EXPECT_TRUE(std::filesystem::exists(Dir() / c.second)) << c.second;
    }
    EXPECT_FALSE(std::filesystem::exists(typed));
    const std::string text = ReadText((Dir() / c.written).string());
    EXPECT_EQ(text.find("KelmPolyModelDescription2.0") != std::string::npos, c.model) << c.written;
  }
  EXPECT_TRUE(t.Messages.empty());
  // The calculated variants carry the calculated apparent resistivity.
  t.Survey.Asource[0].RhoACalc[0] = 123.5;
  ASSERT_TRUE(t.Survey.SaveAs((Dir() / "calc.k2d").string(), 2));
  TCapturedSurvey back;
  ASSERT_EQ(back.Survey.ReadSurveyFile((Dir() / "calc.k2d").string()), Survey::ReadData);
  EXPECT_EQ(back.Survey.MeasurementRows.at(0)[Survey::colRhoA], 123.5);
}

TEST_F(SurveySave, PicturesComeFromTheWindow) {
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "w").string(), 7));
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "m.png").string(), 8));
  ASSERT_EQ(t.Window->Pictures.size(), 2u);
  EXPECT_EQ(t.Window->Pictures[0], std::make_pair((Dir() / "w.bmp").string(), false));
  EXPECT_EQ(t.Window->Pictures[1], std::make_pair((Dir() / "m.bmp").string(), true));
  t.Window->PictureOk = false;
  EXPECT_FALSE(t.Survey.SaveAs((Dir() / "w").string(), 7));
  EXPECT_EQ(t.Messages, std::vector<std::string>{"Cannot write the file \"" + (Dir() / "w.bmp").string() + "\"."});
}

TEST_F(SurveySave, UnmetConditionsWriteNothing) {
  t.Survey.HasObservedData = false;  // a synthetic survey
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "obs").string(), 1));
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "obs3").string(), 3));
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "obs5").string(), 5));
  t.Survey.HasObservedData = true;
  t.Survey.ModelComputed = false;  // no forward run yet
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "calc").string(), 2));
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "calc6").string(), 6));
  for (const char* name : {"obs.k2d", "obs3.k2d", "obs5.dat", "calc.k2d", "calc6.dat", "obs.cfg", "calc.cfg"})
    EXPECT_FALSE(std::filesystem::exists(Dir() / name)) << name;
  EXPECT_TRUE(t.Messages.empty());
}

TEST_F(SurveySave, PolarizabilityOnDisplayStaysOnDisplay) {
  t.Window->Quantity = 1;
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "q.k2d").string(), 3));
  EXPECT_EQ(t.Window->QuantityChanges, (std::vector<int32_t>{0, 1}));
  EXPECT_TRUE(t.Survey.SaveAs((Dir() / "q.cfg").string(), 9));
  EXPECT_EQ(t.Window->QuantityChanges.size(), 2u);  // the configuration needs no switch
}

TEST_F(SurveySave, AFailedWriteIsReportedAndStopsTheSave) {
  // The data file cannot be created: nothing else is written.
  const std::string missing = (Dir() / "missing" / "x.k2d").string();
  EXPECT_FALSE(t.Survey.SaveAs(missing, 1));
  EXPECT_EQ(t.Messages, std::vector<std::string>{"Cannot write the file \"" + missing + "\"."});
  EXPECT_FALSE(std::filesystem::exists(Dir() / "missing"));
  // The model section cannot be appended: the configuration is not written.
  t.Messages.clear();
  t.Chart->FailWriteModel = true;
  EXPECT_FALSE(t.Survey.SaveAs((Dir() / "y.k2d").string(), 4));
  EXPECT_EQ(t.Messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(Dir() / "y.cfg"));
  // The configuration cannot be written: reported, the save is no success.
  t.Messages.clear();
  t.Chart->FailWriteModel = false;
  std::filesystem::create_directories(Dir() / "z.cfg");
  EXPECT_FALSE(t.Survey.SaveAs((Dir() / "z.k2d").string(), 3));
  EXPECT_EQ(t.Messages, std::vector<std::string>{"Cannot write the file \"" + (Dir() / "z.cfg").string() + "\"."});
}

TEST_F(SurveySave, SaveCommandAsksTheSaveDialog) {
  t.Survey.SaveData();  // cancelled
  EXPECT_TRUE(t.Survey.SaveFileName.empty());
  t.Window->SaveAnswer = std::make_pair((Dir() / "asked.txt").string(), 3);
  t.Survey.SaveData();
  EXPECT_EQ(t.Survey.SaveFileName, (Dir() / "asked.k2d").string());
  EXPECT_EQ(t.Survey.SaveFilterIndex, 3);
  EXPECT_TRUE(std::filesystem::exists(Dir() / "asked.k2d"));
}

}  // namespace

}  // namespace SurveyOpenSaveTests
