// Commands of the main window driven through its own menu items and tool
// buttons: opening k2d and dat files, a refused file, the forward problem, the
// inversion, saving every kind of data file and opening it again, the external
// editor and the save of an unmet kind.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <fstream>

#include "app/tests/AppTestSupport.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace CommandsTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

std::string TestdataFile(const std::string& Name) { return std::string(KV_TESTDATA_DIR) + "/" + Name; }

// The model as text: every polygon's nodes and properties, and the node positions.
std::string ModelText(const TPolygonChart& Chart) {
  std::string text;
  for (const SPolygon& body : Chart.ModelPolygons)
    for (const Polygon& p : body) {
      for (int32_t n : p.Nodes) text += std::to_string(n) + ",";
      for (const PropValue& prop : p.Props) text += prop.AsString() + "|";
      text += "\n";
    }
  for (const Tnode& node : Chart.ModelNodes) text += std::to_string(node.X) + " " + std::to_string(node.Depth) + "\n";
  return text;
}

class CommandsTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_e10_commands_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override {
    AppFixture::TearDown();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  // Opens a file through "File" > "Open file"; Model answers the model constructor
  // that a file without a model asks for.
  void OpenThroughMenu(TMainForm& F, const std::string& File, bool AsksForModel) {
    Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
    if (AsksForModel) AppTest::AcceptModelConstructor(Seam);
    F.Openfile1->Click();
  }
  std::string SaveThroughButton(TMainForm& F, const std::string& Name, int FilterIndex) {
    const std::string file = (Dir / Name).string();
    Seam.AnswerFileDialog(TFileDialogResult{{file}, FilterIndex});
    F.SpeedButton2->Click();
    return file;
  }
  fs::path Dir;
};

TEST_F(CommandsTest, OpenK2dAndDatShowTheSurveyAndComputeIt) {
  struct TCase {
    std::string File;
    std::string Caption;
  };
  const TCase cases[] = {
      {AppTest::ExampleFile("wenner.k2d"), "KelmVev2Er [wenner.k2d]"},
      {AppTest::ExampleFile("dipole-dipole.dat"), "KelmVev2Er [dipole-dipole.dat]"},
      {TestdataFile("res2dinv/res2dinv-dd.dat"), "KelmVev2Er [res2dinv-dd.dat]"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.File);
    TMainForm& f = OpenForm();
    OpenThroughMenu(f, c.File, true);
    EXPECT_EQ(f.GetCaption(), c.Caption);
    EXPECT_TRUE(f.ObservedLoaded);
    EXPECT_TRUE(f.CalculatedReady);
    EXPECT_TRUE(f.panel1->GetVisible());
    EXPECT_TRUE(f.ToolBar2->GetVisible());
    EXPECT_FALSE(f.GetStatusText(3).empty());
    // Observed data fill the upper section: both panes take a third.
    EXPECT_DOUBLE_EQ(f.percent1, 33.0);
    EXPECT_DOUBLE_EQ(f.percent2, 33.0);
    CloseForm();
  }
}

TEST_F(CommandsTest, RefusedFileLeavesSurveyViewsAndPanesAsTheyWere) {
  TMainForm& f = OpenForm();
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  const size_t rows = f.Survey.MeasurementRows.size();
  const std::string model = ModelText(*f.PolygonChart1);
  f.percent1 = 20.0;
  const std::string bad = (Dir / "broken.k2d").string();
  std::ofstream(bad) << "this is no survey\n1 2 three\n";
  Seam.AnswerFileDialog(TFileDialogResult{{bad}, 1});
  Seam.AnswerMessage(mrOk);
  f.Openfile1->Click();
  EXPECT_EQ(Seam.Prompts().back().Text,
            "Error in data file!\nbroken.k2d, line 1: the header names no current electrode, no potential "
            "electrode or no resistivity column");
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er [wenner.k2d]");
  EXPECT_EQ(f.Survey.DataFileName, AppTest::ExampleFile("wenner.k2d"));
  EXPECT_EQ(f.Survey.MeasurementRows.size(), rows);
  EXPECT_EQ(ModelText(*f.PolygonChart1), model);
  EXPECT_DOUBLE_EQ(f.percent1, 20.0);
  EXPECT_TRUE(f.ObservedLoaded);
}

TEST_F(CommandsTest, CancelledOpenChangesNothing) {
  TMainForm& f = OpenForm();
  Seam.AnswerFileDialog(std::optional<TFileDialogResult>{});
  f.SpeedButton1->Click();
  EXPECT_TRUE(f.Survey.Asource.empty());
  EXPECT_FALSE(f.panel1->GetVisible());
}

TEST_F(CommandsTest, InversionDisablesTheWindowAndUpdatesTheBodies) {
  TMainForm& f = OpenForm();
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  // A conductive body to invert for, drawn in "Add polygon" mode.
  f.SpeedButton9->Click();
  TPolygonChart& chart = *f.PolygonChart1;
  const double w = chart.XMax - chart.XMin, h = chart.ZMax - chart.ZMin;
  const double corners[4][2] = {{0.35, 0.2}, {0.6, 0.2}, {0.6, 0.7}, {0.35, 0.7}};
  for (int i = 0; i < 4; ++i) {
    chart.CursorMoved(0, 0, chart.XMin + w * corners[i][0], chart.ZMin + h * corners[i][1], true);
    chart.ButtonPressed(i == 3 ? TMouseButton::mbRight : TMouseButton::mbLeft);
  }
  ASSERT_EQ(chart.ModelPolygons.size(), 2u);
  const std::string before = ModelText(*f.PolygonChart1);
  f.SetStatusText(3, "");
  bool enabledDuringRun = true;
  int steps = 0;
  auto installed = DC2dBEM::OnProgressStep;
  DC2dBEM::OnProgressStep = [&] {
    installed();
    enabledDuringRun = enabledDuringRun && f.GetEnabled();
    ++steps;
  };
  f.SpeedButton22->Click();
  EXPECT_GT(steps, 0);
  EXPECT_FALSE(enabledDuringRun);
  EXPECT_TRUE(f.GetEnabled());
  EXPECT_NE(ModelText(*f.PolygonChart1), before);
  EXPECT_NE(f.GetStatusText(3).find('/'), std::string::npos) << f.GetStatusText(3);
}

TEST_F(CommandsTest, ForwardProblemNeedsDataAndRunsOnSpace) {
  TMainForm& f = OpenForm();
  f.SpeedButton6->Click();  // nothing to compute
  EXPECT_FALSE(f.panel1->GetVisible());
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  f.SetStatusText(3, "");
  uint16_t key = 32;
  f.FormKeyDown(&f, key, {});
  EXPECT_FALSE(f.GetStatusText(3).empty());
}

TEST_F(CommandsTest, SavedFilesOpenAgainAsTheSameSurveyAndModel) {
  TMainForm& f = OpenForm();
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  const auto rows = f.Survey.MeasurementRows;
  const std::string model = ModelText(*f.PolygonChart1);
  const std::string project = SaveThroughButton(f, "project.k2d", Survey::saveProject);
  const std::string observed = SaveThroughButton(f, "observed", Survey::saveObserved);
  const std::string dat = SaveThroughButton(f, "observed.dat", Survey::saveRes2dInvObserved);
  ASSERT_TRUE(fs::exists(project));
  ASSERT_TRUE(fs::exists(observed + ".k2d"));  // the kind's extension is added
  ASSERT_TRUE(fs::exists(dat));

  auto sameRows = [&](const TMainForm& g) {
    ASSERT_EQ(g.Survey.MeasurementRows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
      for (int c : {Survey::colC1, Survey::colC2, Survey::colP1, Survey::colP2, Survey::colRhoA})
        EXPECT_NEAR(g.Survey.MeasurementRows[i][c], rows[i][c], 1e-6 * (1 + std::abs(rows[i][c]))) << i;
  };
  CloseForm();
  TMainForm& withModel = OpenForm();
  OpenThroughMenu(withModel, project, false);  // the model comes from the file
  sameRows(withModel);
  EXPECT_EQ(ModelText(*withModel.PolygonChart1), model);
  CloseForm();
  for (const std::string& file : {observed + ".k2d", dat}) {
    SCOPED_TRACE(file);
    TMainForm& g = OpenForm();
    OpenThroughMenu(g, file, true);
    sameRows(g);
    CloseForm();
  }
}

TEST_F(CommandsTest, SaveOfAKindWithoutItsDataIsReported) {
  TMainForm& f = OpenForm();
  f.SpeedButton2->Click();  // nothing to save yet: no dialog at all
  Dearsetup::Defarray = Create<TDefarray>(nullptr);
  Seam.AnswerModal([](TForm& form) {
    dynamic_cast<TDefarray&>(form).abcPicBtn1->Click();
    return form.GetModalResult();
  });
  AppTest::AcceptModelConstructor(Seam);
  f.Newmodel1->Click();
  ASSERT_TRUE(f.Survey.ModelComputed);
  const std::string file = (Dir / "x.dat").string();
  Seam.AnswerFileDialog(TFileDialogResult{{file}, Survey::saveRes2dInvObserved});
  Seam.AnswerMessage(mrOk);
  f.SpeedButton2->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, "The file was not saved: there are no observed data to write.");
  EXPECT_FALSE(fs::exists(file));
  // The calculated data of the same survey are written.
  const std::string calculated = SaveThroughButton(f, "c.dat", Survey::saveRes2dInvCalculated);
  EXPECT_TRUE(fs::exists(calculated));
}

TEST_F(CommandsTest, CreateSurveyAfterAFileShowsOnlyTheGeneratedSurvey) {
  // Worksheet style, then the upper pane and model pane in percent. Jointly, the
  // upper section shows the calculated polarizability after the forward run.
  const struct {
    int32_t Style;
    double Upper;
    double Model;
    bool UpperTitled;
  } cases[] = {{0, 0.1, 50.0, false}, {1, 33.0, 33.0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Style);
    TMainForm& f = OpenForm();
    f.SetBounds(0, 0, 900, 700);
    OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
    ASSERT_GT(f.PseudoSection2d1->NextNode, 1);
    f.SetWorksheetStyle(c.Style);
    f.SetDataQuantity(1);
    f.PseudoSection1->SetEnabled(false);
    if (!Dearsetup::Defarray) Dearsetup::Defarray = Create<TDefarray>(nullptr);
    Seam.AnswerModal([](TForm& form) {
      dynamic_cast<TDefarray&>(form).abcPicBtn1->Click();
      return form.GetModalResult();
    });
    AppTest::AcceptModelConstructor(Seam);
    f.Newmodel1->Click();
    // The file's observed data are gone; the survey is computed.
    EXPECT_FALSE(f.ObservedLoaded);
    EXPECT_FALSE(f.Survey.HasObservedData);
    EXPECT_TRUE(f.CalculatedReady);
    EXPECT_TRUE(f.Survey.ModelComputed);
    // Resistivity on display, with the default survey's pseudo-sections possible.
    EXPECT_EQ(f.DataQuantity, 0);
    EXPECT_EQ(f.Apparentresistivity1->GetCaption(), "Apparent resistivity");
    EXPECT_TRUE(f.PseudoSection1->GetEnabled());
    // The file's observed values are gone from the upper section.
    EXPECT_EQ(f.PseudoSection2d1->NextNode, 1);
    EXPECT_EQ(f.PseudoSection2d1->Title()->Text()->GetCount() > 0, c.UpperTitled);
    EXPECT_GT(f.PseudoSection2d2->NextNode, 1);
    EXPECT_DOUBLE_EQ(f.percent1, c.Upper);
    EXPECT_DOUBLE_EQ(f.percent2, c.Model);
    EXPECT_TRUE(f.SurveyShown);
    EXPECT_EQ(f.AddDataType, 0);
    CloseForm();
  }
}

TEST_F(CommandsTest, TheStartUpFileWaitsWhileAComputationRuns) {
  Application->SetParams({"kelmvev2er", "-ns", AppTest::ExampleFile("wenner.k2d")});
  TMainForm& f = OpenForm();
  DC2dBEM::Running = true;  // a forward run started from the menu is under way
  f.Timer1Timer(f.Timer1);
  DC2dBEM::Running = false;
  EXPECT_FALSE(f.ObservedLoaded);
  EXPECT_TRUE(f.Timer1->GetEnabled());
  AppTest::AcceptModelConstructor(Seam);
  f.Timer1Timer(f.Timer1);
  EXPECT_TRUE(f.ObservedLoaded);
  EXPECT_FALSE(f.Timer1->GetEnabled());
  CloseForm();
}

TEST_F(CommandsTest, CommandLineFileSetsThePanesAsTheOpenCommandDoes) {
  // wenner.k2d has no polarizability: jointly its upper section stays empty.
  const struct {
    int32_t Style;
    double Upper;
    double Model;
  } cases[] = {{0, 33.0, 33.0}, {1, 0.1, 50.0}};
  const std::string file = AppTest::ExampleFile("wenner.k2d");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Style);
    for (const bool fromCommandLine : {true, false}) {
      SCOPED_TRACE(fromCommandLine ? "command line" : "menu");
      // Only the command-line case names the file: otherwise the start-up timer
      // would open it a second time while a slow menu open is still running.
      if (fromCommandLine)
        Application->SetParams({"kelmvev2er", "-ns", file});
      else
        Application->SetParams({"kelmvev2er", "-ns"});
      TMainForm& f = OpenForm();
      f.SetWorksheetStyle(c.Style);
      f.SetPaneHeights(20.0, 20.0);
      if (fromCommandLine) {
        AppTest::AcceptModelConstructor(Seam);
        f.Timer1Timer(f.Timer1);
      } else {
        OpenThroughMenu(f, file, true);
      }
      ASSERT_TRUE(f.ObservedLoaded);
      EXPECT_DOUBLE_EQ(f.percent1, c.Upper);
      EXPECT_DOUBLE_EQ(f.percent2, c.Model);
      CloseForm();
    }
  }
}

TEST_F(CommandsTest, EditFileHandsTheDataFileToTheUsersEditor) {
  // The user's editor comes from VISUAL, then EDITOR, else the desktop's program.
  struct TSavedVariable {
    const char* Name;
    std::optional<std::string> Value;
    explicit TSavedVariable(const char* N) : Name(N) {
      if (const char* v = std::getenv(N)) Value = v;
    }
    ~TSavedVariable() {
      if (Value)
        ::setenv(Name, Value->c_str(), 1);
      else
        ::unsetenv(Name);
    }
  } visual("VISUAL"), editor("EDITOR");
  ::unsetenv("VISUAL");
  ::unsetenv("EDITOR");
  TMainForm& f = OpenForm();
  f.Editfile1->Click();  // no data: nothing
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  const std::string file = AppTest::ExampleFile("wenner.k2d");
  Seam.AnswerShell(true);
  f.Editfile1->Click();
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Shell);
  EXPECT_EQ(Seam.Prompts().back().Text, file);
  Seam.AnswerShell(false);
  Seam.AnswerMessage(mrOk);
  f.Editfile1->Click();
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Message);
  EXPECT_NE(Seam.Prompts().back().Text.find("No text editor could be started"), std::string::npos);

  ::setenv("EDITOR", "kate", 1);
  ::setenv("VISUAL", "gvim -f", 1);
  Seam.AnswerShell(true);
  f.Editfile1->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, "gvim -f " + file);
  // An editor that cannot be started hands over to the next.
  Seam.AnswerShell(false);
  Seam.AnswerShell(true);
  f.Editfile1->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, "kate " + file);
}

}  // namespace

}  // namespace CommandsTest
