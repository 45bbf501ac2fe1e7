// The main window as a user works with it: what is computed and saved is the model
// on screen, the display menus tell the truth about the view, changed work is not
// dropped without asking, and the commands that need a model or data say so.

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <QAction>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <QMenu>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "views/PolygonChart.h"
#include "views/Contouring.h"
#include "views/PseudoSection2d.h"

namespace MainUseTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

// The model as text: every polygon's nodes and properties (but the id of the
// chart shape that draws it), and the node positions.
std::string ModelText(const TPolygonChart& Chart) {
  std::string text;
  for (const SPolygon& body : Chart.ModelPolygons)
    for (const Polygon& p : body) {
      for (int32_t n : p.Nodes) text += std::to_string(n) + ",";
      for (size_t k = Polygons::PropShapeId + 1; k < p.Props.size(); ++k) text += p.Props[k].AsString() + "|";
      text += "\n";
    }
  for (const Tnode& node : Chart.ModelNodes) text += std::to_string(node.X) + " " + std::to_string(node.Depth) + "\n";
  return text;
}

std::vector<double> CalculatedRhoA(const TMainForm& F) {
  std::vector<double> values;
  for (const osource& s : F.Survey.Asource) values.insert(values.end(), s.RhoACalc.begin(), s.RhoACalc.end());
  return values;
}

class MainUseTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_mainuse_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override {
    AppFixture::TearDown();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  void OpenThroughMenu(TMainForm& F, const std::string& File, bool AsksForModel) {
    Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
    if (AsksForModel) AppTest::AcceptModelConstructor(Seam);
    F.Openfile1->Click();
  }
  TMainForm& OpenWenner() {
    TMainForm& f = OpenForm();
    f.SetBounds(0, 0, 900, 700);
    OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
    return f;
  }
  // A point of the model at fractions of its width and depth.
  static complexM At(const TPolygonChart& C, double Fx, double Fz) {
    return {C.XMin + (C.XMax - C.XMin) * Fx, C.ZMin + (C.ZMax - C.ZMin) * Fz};
  }
  static void Click(TPolygonChart& Chart, const complexM& P, bool Right) {
    Chart.CursorMoved(0, 0, P.x, P.z, true);
    Chart.ButtonPressed(Right ? TMouseButton::mbRight : TMouseButton::mbLeft);
  }
  // A rectangular body drawn in "Add polygon" mode and closed with a right click.
  static void DrawBody(TMainForm& F, double X0, double X1, double Z0, double Z1) {
    F.SpeedButton9->Click();
    TPolygonChart& c = *F.PolygonChart1;
    Click(c, At(c, X0, Z0), false);
    Click(c, At(c, X1, Z0), false);
    Click(c, At(c, X1, Z1), false);
    Click(c, At(c, X0, Z1), true);
  }
  fs::path Dir;
};

TEST_F(MainUseTest, RunsAndSavesEndAPendingDragSoTheComputedModelIsTheShownOne) {
  // The command that runs while a body is dragged (previewed, not yet placed).
  const char* cases[] = {"forward", "space", "save"};
  for (const std::string c : cases) {
    SCOPED_TRACE(c);
    TMainForm& f = OpenWenner();
    TPolygonChart& chart = *f.PolygonChart1;
    DrawBody(f, 0.35, 0.6, 0.2, 0.6);
    ASSERT_EQ(chart.ModelPolygons.size(), 2u);
    f.SpeedButton6->Click();
    const std::string placed = ModelText(chart);
    const std::vector<double> computed = CalculatedRhoA(f);

    f.SpeedButton15->Click();  // "Move polygon"
    chart.CursorMoved(0, 0, At(chart, 0.45, 0.4).x, At(chart, 0.45, 0.4).z, true);
    chart.ButtonPressed(TMouseButton::mbLeft);
    chart.CursorMoved(0, 0, At(chart, 0.2, 0.3).x, At(chart, 0.2, 0.3).z, true);
    ASSERT_NE(ModelText(chart), placed);  // the drag moves the body on screen

    if (c == "forward") {
      f.SpeedButton6->Click();
    } else if (c == "space") {
      uint16_t key = 32;
      f.FormKeyDown(&f, key, {});
    } else {
      Seam.AnswerFileDialog(TFileDialogResult{{(Dir / "m.k2d").string()}, Survey::saveProject});
      f.SpeedButton2->Click();
    }
    EXPECT_EQ(ModelText(chart), placed);
    EXPECT_FALSE(chart.EditPending);
    // The data computed belong to the body where it stays.
    const std::vector<double> after = CalculatedRhoA(f);
    ASSERT_EQ(after.size(), computed.size());
    for (size_t i = 0; i < after.size(); ++i) EXPECT_NEAR(after[i], computed[i], 1e-9 * computed[i]) << i;
    // A mode change afterwards does not move anything either.
    f.SpeedButton9->Click();
    EXPECT_EQ(ModelText(chart), placed);
    CloseForm();
  }
}

}  // namespace

class DisplayStateTest : public MainUseTest {
 protected:
  // The ticks of the "Data" and "Worksheet style" menus as opening them shows them.
  static void OpenMenus(TMainForm& F) {
    QMenu menu;
    Menus::FillQtMenu(&menu, F.Options1);
    for (QAction* a : menu.actions())
      if (QMenu* sub = a->menu()) emit sub->aboutToShow();
  }
  static void ExpectTicksMatchView(TMainForm& F) {
    OpenMenus(F);
    EXPECT_EQ(F.PseudoSection1->GetChecked(), F.Survey.DataPlotType == 0);
    EXPECT_EQ(F.Graphicsplot1->GetChecked(), F.Survey.DataPlotType == 1);
    EXPECT_EQ(F.Ononeplot1->GetChecked(), F.WorksheetStyle == 0);
    EXPECT_EQ(F.jointly1->GetChecked(), F.WorksheetStyle == 1);
  }
  std::string SmallFile() {
    const std::string file = (Dir / "three.k2d").string();
    std::ofstream(file) << "C1  C2  P1  P2 ro_a weight\n0 6 2 4 100 1\n2 8 4 6 101 1\n4 10 6 8 102 1\n";
    return file;
  }
};

TEST_F(DisplayStateTest, AFileTooSmallForPseudoSectionsDoesNotKeepLaterFilesInCurves) {
  TMainForm& f = OpenForm();
  f.SetBounds(0, 0, 900, 700);
  OpenThroughMenu(f, SmallFile(), true);
  EXPECT_EQ(f.Survey.DataPlotType, 1);
  EXPECT_FALSE(f.PseudoSection1->GetEnabled());
  ExpectTicksMatchView(f);

  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  EXPECT_EQ(f.Survey.DataPlotType, 0);
  EXPECT_TRUE(f.PseudoSection1->GetEnabled());
  EXPECT_GT(f.PseudoSection2d1->NextNode, 1);  // the observed data are contoured
  ExpectTicksMatchView(f);

  // A user's own choice of curves stays for the next file.
  f.Graphicsplot1->Click();
  OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
  EXPECT_EQ(f.Survey.DataPlotType, 1);
  ExpectTicksMatchView(f);
}

TEST_F(DisplayStateTest, JointlyThenSeparatelyReturnsToTheChosenDisplay) {
  TMainForm& f = OpenWenner();
  ASSERT_EQ(f.Survey.DataPlotType, 0);
  f.jointly1->Click();
  EXPECT_EQ(f.Survey.DataPlotType, 1);
  EXPECT_FALSE(f.PseudoSection1->GetEnabled());
  ExpectTicksMatchView(f);
  f.Ononeplot1->Click();
  EXPECT_EQ(f.Survey.DataPlotType, 0);
  EXPECT_TRUE(f.PseudoSection1->GetEnabled());
  EXPECT_GT(f.PseudoSection2d1->NextNode, 1);
  ExpectTicksMatchView(f);
}

TEST_F(DisplayStateTest, ChoosingTheTickedItemKeepsItsTick) {
  TMainForm& f = OpenWenner();
  QMenu menu;
  Menus::FillQtMenu(&menu, f.Data1);
  for (QAction* a : menu.actions()) {
    if (a->text() != "Calculated data" && a->text() != "Pseudo-section") continue;
    SCOPED_TRACE(a->text().toStdString());
    ASSERT_TRUE(a->isChecked());
    a->trigger();
    AppTest::RunUntil([] { return false; }, 50);
    EXPECT_TRUE(a->isChecked());
  }
  EXPECT_EQ(f.AddDataType, 0);
  EXPECT_TRUE(f.Calculateddata1->GetChecked());
}

TEST_F(MainUseTest, ChangedWorkIsOfferedForSavingBeforeExitOrOpen) {
  struct TCase {
    const char* Name;
    bool Exit;             // Exit, else Open file (or the recent entry)
    TModalResult Answer;
    bool Proceeds;         // the window closes or the file is opened
    bool Saves;
    bool Recent = false;   // open through the recent-files entry instead of the dialog
  };
  const TCase cases[] = {
      {"exit, yes", true, mrYes, true, true},     {"exit, no", true, mrNo, true, false},
      {"exit, cancel", true, mrCancel, false, false}, {"open, yes", false, mrYes, true, true},
      {"open, no", false, mrNo, true, false},     {"open, cancel", false, mrCancel, false, false},
      {"recent, no", false, mrNo, true, false, true}, {"recent, cancel", false, mrCancel, false, false, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMainForm& f = OpenWenner();
    // Nothing changed: no question.
    if (c.Exit) {
      EXPECT_TRUE(QueryClose());
    }
    DrawBody(f, 0.35, 0.6, 0.2, 0.6);
    ASSERT_EQ(f.PolygonChart1->ModelPolygons.size(), 2u);
    const size_t prompts = Seam.Prompts().size();
    const std::string saved = (Dir / (std::to_string(&c - cases) + "saved.k2d")).string();
    if (!c.Exit && !c.Recent) Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
    Seam.AnswerMessage(c.Answer);
    if (c.Saves) Seam.AnswerFileDialog(TFileDialogResult{{saved}, Survey::saveProject});
    if (!c.Exit && c.Proceeds) AppTest::AcceptModelConstructor(Seam);
    bool proceeded = false;
    if (c.Exit) {
      proceeded = QueryClose();
    } else {
      if (c.Recent) {
        ASSERT_GT(f.Recent1->Count(), 0);
        f.Recent1->GetItem(0)->Click();
      } else {
        f.Openfile1->Click();
      }
      proceeded = f.PolygonChart1->ModelPolygons.size() == 1;
    }
    ASSERT_GT(Seam.Prompts().size(), prompts);
    bool asked = false;
    for (size_t i = prompts; i < Seam.Prompts().size(); ++i)
      asked = asked || Seam.Prompts()[i].Text == "Save changes to wenner.k2d?";
    EXPECT_TRUE(asked);
    EXPECT_EQ(proceeded, c.Proceeds);
    EXPECT_EQ(fs::exists(saved), c.Saves);
    if (!c.Proceeds) {
      EXPECT_EQ(f.PolygonChart1->ModelPolygons.size(), 2u);  // nothing lost
    }
    if (c.Saves) {
      // The saved file holds the drawn body.
      CloseForm();
      TMainForm& g = OpenForm();
      OpenThroughMenu(g, saved, false);
      EXPECT_EQ(g.PolygonChart1->ModelPolygons.size(), 2u);
    }
    CloseForm();
  }
}

TEST_F(MainUseTest, TheCaptionNamesTheFileSavedOrNoneForACreatedSurvey) {
  TMainForm& f = OpenWenner();
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er [wenner.k2d]");
  const std::string file = (Dir / "renamed.k2d").string();
  Seam.AnswerFileDialog(TFileDialogResult{{file}, Survey::saveProject});
  f.SpeedButton2->Click();
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er [renamed.k2d]");
  EXPECT_EQ(f.Survey.DataFileName, file);

  Dearsetup::Defarray = Create<TDefarray>(nullptr);
  Seam.AnswerModal([](TForm& form) {
    dynamic_cast<TDefarray&>(form).abcPicBtn1->Click();
    return form.GetModalResult();
  });
  AppTest::AcceptModelConstructor(Seam);
  f.Newmodel1->Click();
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er");
}

TEST_F(MainUseTest, AUniformModelIsOneColourNotTheWholeScale) {
  TMainForm& f = OpenForm();
  f.SetBounds(0, 0, 900, 700);
  Dearsetup::Defarray = Create<TDefarray>(nullptr);
  Seam.AnswerModal([](TForm& form) {
    dynamic_cast<TDefarray&>(form).abcPicBtn1->Click();
    return form.GetModalResult();
  });
  AppTest::AcceptModelConstructor(Seam);
  f.Newmodel1->Click();
  ASSERT_TRUE(f.Survey.ModelComputed);
  const TSectionContours& c = f.PseudoSection2d2->Contours;
  // The computed values are the start resistivity up to rounding noise.
  ASSERT_GT(f.PseudoSection2d2->NextNode, 4);
  EXPECT_NEAR(c.DataMin, f.Survey.StartResistivity, 1e-4 * f.Survey.StartResistivity);
  EXPECT_NEAR(c.DataMax, f.Survey.StartResistivity, 1e-4 * f.Survey.StartResistivity);
  // The levels span decades around that value, so every node falls in one band.
  EXPECT_LT(c.LevelMin, f.Survey.StartResistivity / 10);
  EXPECT_GT(c.LevelMax, f.Survey.StartResistivity * 10);
  ASSERT_FALSE(c.Levels.empty());
  int below = 0;
  for (double level : c.Levels) below += level < c.DataMin ? 1 : 0;
  for (double level : c.Levels) EXPECT_TRUE(level < c.DataMin || level > c.DataMax) << level;
  EXPECT_GT(below, 0);
  EXPECT_LT(below, static_cast<int>(c.Levels.size()));
}

TEST_F(MainUseTest, InversionWithoutBodiesOrDataSaysSoAndStartsNothing) {
  TMainForm& f = OpenForm();
  int steps = 0;
  auto installed = DC2dBEM::OnProgressStep;
  DC2dBEM::OnProgressStep = [&] {
    installed();
    ++steps;
  };
  struct TCase {
    bool Data;
    const char* Text;
  };
  for (const TCase& c : {TCase{false, ResMainForm::NoDataToInvert}, TCase{true, ResMainForm::NoBodiesToInvert}}) {
    SCOPED_TRACE(c.Text);
    if (c.Data) OpenThroughMenu(f, AppTest::ExampleFile("wenner.k2d"), true);
    steps = 0;
    const std::string misfit = f.GetStatusText(3);
    Seam.AnswerMessage(mrOk);
    f.SpeedButton22->Click();
    EXPECT_EQ(Seam.Prompts().back().Text, c.Text);
    EXPECT_EQ(f.GetStatusText(5), c.Text);
    EXPECT_EQ(steps, 0);
    EXPECT_EQ(f.GetStatusText(3), misfit);
    EXPECT_TRUE(f.GetEnabled());
  }
}

TEST_F(MainUseTest, BodyLabelsFollowTheDisplayedQuantityAndTheSurvey) {
  TMainForm& f = OpenForm();
  f.SetBounds(0, 0, 900, 700);
  OpenThroughMenu(f, std::string(KV_TESTDATA_DIR) + "/res2dinv/res2dinv-ipgeneral.dat", true);
  ASSERT_TRUE(f.HasIP);
  DrawBody(f, 0.35, 0.6, 0.2, 0.6);
  TPolygonChart& chart = *f.PolygonChart1;
  ASSERT_EQ(chart.ModelPolygons.size(), 2u);
  Polygon& body = chart.ModelPolygons[1][0];
  body.Props[Polygons::PropResistivity] = 250.0;
  body.Props[Polygons::PropPolarizability] = 7.0;
  auto label = [&](int32_t Mode) {
    body.Props[Polygons::PropLabelMode] = Mode;
    chart.RedrawModel();
    TColor color = 0;
    std::string brush, pen, gradient, text;
    chart.ShapeReadStyle(chart.ShapeIndexOf(1, 0), color, brush, pen, gradient, text);
    return text;
  };
  EXPECT_EQ(label(1), "250");
  EXPECT_EQ(label(2), "250/7");
  f.SpeedButton7->Click();  // polarizability on display
  ASSERT_EQ(f.DataQuantity, 1);
  EXPECT_EQ(label(1), "7");
  EXPECT_EQ(label(2), "250/7");
  f.SpeedButton3->Click();
  EXPECT_EQ(label(1), "250");

  // A survey without polarizability: its labels carry none.
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  Seam.AnswerMessage(mrNo);  // the drawn body is not kept
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  ASSERT_FALSE(f.HasIP);
  DrawBody(f, 0.35, 0.6, 0.2, 0.6);
  Polygon& plain = chart.ModelPolygons[1][0];
  plain.Props[Polygons::PropResistivity] = 250.0;
  plain.Props[Polygons::PropPolarizability] = 7.0;
  plain.Props[Polygons::PropLabelMode] = 2;
  chart.RedrawModel();
  TColor color = 0;
  std::string brush, pen, gradient, text;
  chart.ShapeReadStyle(chart.ShapeIndexOf(1, 0), color, brush, pen, gradient, text);
  EXPECT_EQ(text, "250");
}

TEST_F(MainUseTest, ARightClickOnTheFirstPointClosesWithoutARepeatedNode) {
  // Where the closing right click falls: on the first point, a pixel beside it, or
  // at a fourth corner (which becomes a node of its own).
  struct TCase {
    const char* Name;
    double Fx, Fz;
    size_t Nodes;
  };
  const TCase cases[] = {{"on the first point", 0.35, 0.2, 3}, {"at a fourth corner", 0.35, 0.6, 4}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TMainForm& f = OpenWenner();
    TPolygonChart& chart = *f.PolygonChart1;
    const size_t nodesBefore = chart.ModelNodes.size();
    f.SpeedButton9->Click();
    Click(chart, At(chart, 0.35, 0.2), false);
    Click(chart, At(chart, 0.6, 0.2), false);
    Click(chart, At(chart, 0.6, 0.6), false);
    Click(chart, At(chart, c.Fx, c.Fz), true);
    ASSERT_EQ(chart.ModelPolygons.size(), 2u);
    const arofintM& nodes = chart.ModelPolygons[1][0].Nodes;
    EXPECT_EQ(chart.ModelNodes.size() - nodesBefore, c.Nodes);
    // No two consecutive nodes (the last one wrapping to the first) are at one place.
    const size_t n = chart.ModelNodes.size() - nodesBefore;
    for (size_t i = 0; i < n; ++i) {
      const Tnode& a = chart.ModelNodes[nodesBefore + i];
      const Tnode& b = chart.ModelNodes[nodesBefore + (i + 1) % n];
      EXPECT_FALSE(a.X == b.X && a.Depth == b.Depth) << i;
    }
    EXPECT_FALSE(nodes.empty());
    CloseForm();
  }
}

TEST_F(MainUseTest, SavedNumbersAreTheShortestTextsThatReadBack) {
  // The apparent resistivities of a file come back into a saved project as they
  // were written (no float noise such as 111.16000000000001), and every number
  // saved is the shortest text that reads back as its value.
  auto column = [](const std::string& File, const std::string& Name) {
    std::ifstream in(File);
    std::string header;
    std::getline(in, header);
    std::istringstream names(header);
    std::vector<std::string> heads;
    for (std::string h; names >> h;) heads.push_back(h);
    const auto at = std::find(heads.begin(), heads.end(), Name) - heads.begin();
    std::vector<std::string> values;
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::vector<std::string> row;
      for (std::string t; fields >> t;) row.push_back(t);
      if (row.size() == heads.size()) values.push_back(row[static_cast<size_t>(at)]);
    }
    return values;
  };
  TMainForm& f = OpenWenner();
  DrawBody(f, 0.35, 0.6, 0.2, 0.6);
  const std::string file = (Dir / "saved.k2d").string();
  Seam.AnswerFileDialog(TFileDialogResult{{file}, Survey::saveProject});
  f.SpeedButton2->Click();
  // The survey keeps its measurements in its own order: compare as sorted lists.
  std::vector<std::string> read = column(AppTest::ExampleFile("wenner.k2d"), "ro_a");
  std::vector<std::string> saved = column(file, "ro_a");
  std::sort(read.begin(), read.end());
  std::sort(saved.begin(), saved.end());
  ASSERT_GT(read.size(), 20u);
  EXPECT_EQ(saved, read);
  for (const char* name : {"res", "weight"})
    for (const std::string& text : column(file, name)) EXPECT_EQ(text, SysUtils::RoundTripText(std::stod(text)));
}

TEST_F(MainUseTest, ResistanceLabelsKeepTheirSignificantDigits) {
  TMainForm& f = OpenWenner();
  f.Resistanse1->Click();
  ASSERT_EQ(f.DataType, 1);
  const TPseudoSection2d& s = *f.PseudoSection2d1;
  ASSERT_GT(s.NextNode, 10);
  std::set<std::string> texts;
  int small = 0;
  for (int32_t k = 1; k < s.NextNode; ++k) {
    const dVertex3d& node = s.Mesh.Nodes[static_cast<size_t>(k)];
    texts.insert(node.text);
    if (std::abs(node.value) >= 1.0) continue;
    ++small;
    // Two significant digits: the label reads back within 5 % of the value.
    EXPECT_NEAR(std::stod(node.text), node.value, 0.05 * std::abs(node.value)) << node.text;
  }
  EXPECT_GT(small, 5);
  EXPECT_GT(texts.size(), 10u);
  // Table of values and labels.
  const std::pair<double, const char*> cases[] = {
      {0.1234, "0.12"}, {0.1499, "0.15"}, {0.0123, "0.012"}, {0.5, "0.5"}, {12.34, "12.3"}, {3.0, "3"}, {-0.0456, "-0.046"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(Contouring::NodeLabel(value), text) << value;
}

TEST_F(MainUseTest, CloseAndEscapeCancelTheModelConstructorAndTheDefaultArrayDialog) {
  // How the dialog is left after a field was changed.
  const struct {
    const char* Name;
    bool Escape;
  } ways[] = {{"close button", false}, {"escape", true}};
  auto leave = [](TForm& Form, bool Escape) {
    if (Escape) {
      uint16_t key = VK_ESCAPE;
      Form.OnKeyDown(&Form, key, {});
    } else {
      Form.Close();
    }
    return Form.GetModalResult();
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.Name);
    TMainForm& f = OpenWenner();
    const double resistivity = f.Survey.ModelConstructorValues.StartResistivity;
    const std::string model = ModelText(*f.PolygonChart1);
    Seam.AnswerModal([&](TForm& form) {
      dynamic_cast<TModConstr&>(form).Edit6->SetText("777");
      return leave(form, way.Escape);
    });
    f.Newmodel2->Click();
    EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Modal);
    EXPECT_EQ(f.Survey.ModelConstructorValues.StartResistivity, resistivity);
    EXPECT_EQ(ModelText(*f.PolygonChart1), model);

    if (!Dearsetup::Defarray) Dearsetup::Defarray = Create<TDefarray>(nullptr);
    const int32_t points = f.Survey.DefaultPointCount;
    Seam.AnswerModal([&](TForm& form) {
      dynamic_cast<TDefarray&>(form).SpinEdit3->SetText("40");
      return leave(form, way.Escape);
    });
    f.Newmodel1->Click();
    EXPECT_EQ(f.Survey.DefaultPointCount, points);
    EXPECT_TRUE(f.ObservedLoaded);  // no survey generated
    EXPECT_EQ(f.GetCaption(), "KelmVev2Er [wenner.k2d]");
    // The next opening shows the values in force, not the cancelled edit.
    Seam.AnswerModal([&](TForm& form) {
      EXPECT_EQ(dynamic_cast<TDefarray&>(form).SpinEdit3->GetText(), std::to_string(points));
      return mrCancel;
    });
    f.Newmodel1->Click();
    CloseForm();
  }
}

TEST_F(MainUseTest, FileDialogsStartInTheFolderOfTheFileWithOnlyTheSuggestedName) {
  TMainForm& f = OpenWenner();
  const std::string folder = fs::path(AppTest::ExampleFile("wenner.k2d")).parent_path().string();
  TFileDialogRequest open, save;
  Seam.AnswerFileDialog([&](const TFileDialogRequest& R) {
    open = R;
    return std::optional<TFileDialogResult>{};
  });
  f.Openfile1->Click();
  EXPECT_EQ(fs::path(open.InitialDir), fs::path(folder));
  EXPECT_EQ(open.FileName, "");
  Seam.AnswerFileDialog([&](const TFileDialogRequest& R) {
    save = R;
    return std::optional<TFileDialogResult>{};
  });
  f.SpeedButton2->Click();
  EXPECT_EQ(fs::path(save.InitialDir), fs::path(folder));
  EXPECT_EQ(save.FileName, "wenner.k2d");
  // After a save elsewhere, dialogs start in that folder.
  const std::string other = (Dir / "elsewhere.k2d").string();
  Seam.AnswerFileDialog(TFileDialogResult{{other}, Survey::saveProject});
  f.SpeedButton2->Click();
  Seam.AnswerFileDialog([&](const TFileDialogRequest& R) {
    save = R;
    return std::optional<TFileDialogResult>{};
  });
  f.SpeedButton2->Click();
  EXPECT_EQ(fs::path(save.InitialDir), Dir);
  EXPECT_EQ(save.FileName, "elsewhere.k2d");
}

TEST_F(MainUseTest, HelpContextOpensTheManualBuiltBesideTheProgram) {
  std::ifstream pdf(KV_MANUAL_PDF, std::ios::binary);
  ASSERT_TRUE(pdf.good()) << KV_MANUAL_PDF;
  char head[5] = {};
  pdf.read(head, 4);
  EXPECT_EQ(std::string(head), "%PDF");
  // The document is looked up in the current folder first.
  struct TFolderGuard {
    fs::path Before = fs::current_path();
    ~TFolderGuard() { fs::current_path(Before); }
  } guard;
  fs::current_path(fs::path(KV_MANUAL_PDF).parent_path());
  TMainForm& f = OpenForm();
  Seam.AnswerShell(true);
  f.Context1->Click();
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Shell);
  EXPECT_EQ(fs::path(Seam.Prompts().back().Text), fs::path(KV_MANUAL_PDF));
}

TEST_F(MainUseTest, ModelNodesAndBodyLabelsStayInsideThePlotWhenZoomed) {
  // The plot starts just right of a body's left nodes, then just right of its
  // label's centre: the margins with the axis numbers look the same as without
  // nodes and labels.
  const double starts[] = {0.1 + 1e-3, 0.2 + 1e-3};
  for (double start : starts) {
    SCOPED_TRACE(start);
    TMainForm& f = OpenWenner();
    TPolygonChart& chart = *f.PolygonChart1;
    DrawBody(f, 0.1, 0.3, 0.2, 0.5);
    ASSERT_EQ(chart.ModelPolygons.size(), 2u);
    const complexM a = At(chart, start, 0), b = At(chart, 0.9, 1);
    const auto draw = [&] {
      chart.BottomAxis()->SetMinMax(a.x, b.x);
      chart.LeftAxis()->SetMinMax(a.z, b.z);
      chart.MakeBitmap(clWhite, TRect(0, 0, chart.GetWidth(), chart.GetHeight()));
      return chart.MakeBitmap(clWhite, TRect(0, 0, chart.GetWidth(), chart.GetHeight()));
    };
    const auto with = draw();
    const TRect plot = chart.ChartRect;
    auto* labels = dynamic_cast<TSeriesMarks*>(chart.BodySeries->Marks());
    ASSERT_TRUE(labels && labels->GetVisible());
    chart.HasModel = false;
    labels->SetVisible(false);
    const auto without = draw();
    chart.HasModel = true;
    labels->SetVisible(true);
    ASSERT_EQ(plot, chart.ChartRect);
    int32_t inside = 0, outside = 0;
    for (int32_t y = 0; y < with->GetHeight(); ++y)
      for (int32_t x = 0; x < with->GetWidth(); ++x) {
        if (with->Image().pixel(x, y) == without->Image().pixel(x, y)) continue;
        const bool in = x >= plot.Left && x <= plot.Right && y >= plot.Top && y <= plot.Bottom;
        ++(in ? inside : outside);
      }
    EXPECT_GT(inside, 0);  // the nodes and labels are drawn, in the plot
    EXPECT_EQ(outside, 0);
    CloseForm();
  }
}

TEST_F(MainUseTest, TheWindowRepaintsWholeUnderAModalDialog) {
  // A real modal loop (not the scripted one): the main window, invalidated
  // while the dialog is open, is drawn again with its charts and their titles.
  TMainForm& f = OpenWenner();
  f.Show();
  for (int i = 0; i < 10; ++i) Application->ProcessMessages();
  QWidget* window = f.Handle();
  const QImage before = window->grab().toImage();
  TForm* dialog = Create<TForm>(nullptr);
  dialog->SetBounds(300, 300, 200, 100);
  QImage during;
  QTimer::singleShot(100, [&] {
    f.Invalidate();
    for (int i = 0; i < 5; ++i) Application->ProcessMessages();
    during = window->grab().toImage();
    dialog->SetModalResult(mrCancel);
  });
  IUserSeam* scripted = UserSeam::Install(nullptr);
  const TModalResult result = dialog->ShowModal();
  UserSeam::Install(scripted);
  dialog->Free();
  EXPECT_EQ(result, mrCancel);
  ASSERT_FALSE(during.isNull());
  EXPECT_EQ(during, before);
  CloseForm();
}

TEST_F(MainUseTest, DenseValueLabelsSkipThoseThatWouldOverlap) {
  TMainForm& f = OpenForm();
  f.SetBounds(0, 0, 900, 700);
  OpenThroughMenu(f, std::string(KV_TESTDATA_DIR) + "/res2dinv/res2dinv-dd.dat", true);
  TPseudoSection2d& section = *f.PseudoSection2d1;
  auto* grid = dynamic_cast<TGridPointSeries*>(section.GridSeries);
  ASSERT_NE(grid, nullptr);
  auto* marks = dynamic_cast<TSeriesMarks*>(grid->Marks());
  ASSERT_TRUE(marks && marks->GetVisible());
  const auto draw = [&] { section.MakeBitmap(clWhite, TRect(0, 0, section.GetWidth(), section.GetHeight())); };
  draw();
  const std::vector<TRect> drawn = grid->DrawnLabels();
  // Some labels are drawn, not all of them, and no two drawn ones share a pixel.
  EXPECT_GT(drawn.size(), 0u);
  EXPECT_LT(drawn.size(), static_cast<size_t>(grid->Count()));
  for (size_t i = 0; i < drawn.size(); ++i)
    for (size_t k = i + 1; k < drawn.size(); ++k) {
      const TRect& a = drawn[i];
      const TRect& b = drawn[k];
      EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom) << i << " " << k;
    }
  // The labels' switch still hides them all.
  marks->SetVisible(false);
  draw();
  EXPECT_TRUE(grid->DrawnLabels().empty());
  marks->SetVisible(true);
  CloseForm();
}

}  // namespace MainUseTest
