// The look dialogs of the views: the contour-section setup of a data section,
// the section setup of the model chart and the graphics setup of a graph
// manager, alone and through the main window, including a restart.
#include "app/PseudoSetup.h"
#include "app/polysetup.h"
#include "app/setupMG.h"
#include "app/tests/AppTestSupport.h"
#include "chart/editors/PlotEditCha.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/PlotEdiFont.h"
#include "chart/series/Series.h"
#include "controls/DFSClrBn.h"
#include "controls/abcbtn.h"
#include "controls/abccombo.h"
#include "controls/abcedtop.h"
#include "controls/abcexctl.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

#include <cmath>
#include <string>
#include <vector>

namespace SetupDialogsTest {

namespace {

using Supermath2d::NoValue;

// A section that records the redraw steps it is asked for, in order.
class TRecordingSection : public TPseudoSection2d {
 public:
  using TPseudoSection2d::TPseudoSection2d;
  std::vector<std::string> Calls;
  void Triangulate(bool Rebuild) override {
    Calls.push_back(Rebuild ? "Triangulate(rebuild)" : "Triangulate");
    TPseudoSection2d::Triangulate(Rebuild);
  }
  void BuildLevels() override {
    Calls.push_back("BuildLevels");
    TPseudoSection2d::BuildLevels();
  }
  void UpdatePicture(TObject* Sender) override {
    Calls.push_back("UpdatePicture");
    TPseudoSection2d::UpdatePicture(Sender);
  }
};

// Fails the test on any prompt that was not scripted.
class SeamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Forms::EnsureToolkit();
    PlotConst::Initialize();
    ChartEditors::Initialize();
    Seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    Owner = new TComponent(nullptr);
  }
  void TearDown() override { Owner->Free(); }
  TScriptedUserSeam Seam;
  TComponent* Owner = nullptr;
};

// ---------------------------------------------------------------- contour-section setup

class ContourSetupTest : public SeamTest {
 protected:
  void SetUp() override {
    SeamTest::SetUp();
    View = Create<TRecordingSection>(Owner);
    View->SetBounds(640, 360);
    // Values 50 .. 200 over a small section.
    View->NextNode = 1;
    for (int level = 1; level <= 4; ++level)
      for (int s = level; s <= 12 - level; ++s)
        View->AddNode(5.0 * s, 2.5 * level, 50.0 + 150.0 * (s + level) / 16.0, false);
    View->Triangulate(true);
    View->BuildLevels();
    View->UpdatePicture(View);
    View->Calls.clear();
    Dialog = Create<TPseudosetupForm>(Owner);
  }
  TRecordingSection* View = nullptr;
  TPseudosetupForm* Dialog = nullptr;
};

TEST_F(ContourSetupTest, LoadingShowsTheViewAndEnablesLimitsOnlyWhileTicked) {
  struct TCase {
    bool UseExternal, LevelFiles;
  };
  for (const TCase c : {TCase{false, false}, TCase{true, true}}) {
    SCOPED_TRACE(c.UseExternal);
    View->SetMargin(0, 11);
    View->SetMargin(1, 12);
    View->SetMargin(2, 13);
    View->SetMargin(3, 14);
    View->LevNum = 9;
    View->LinesVisible = !c.UseExternal;
    View->MinContour = 0x010203;
    View->Contour1_3 = 0x040506;
    View->Contour2_3 = 0x070809;
    View->MaxContour = 0x0A0B0C;
    View->MinIsoline = 0x0D0E0F;
    View->MaxIsoline = 0x101112;
    View->UseExternal = c.UseExternal;
    View->ExtMin = 2.5;
    View->ExtMax = 7;
    View->ColorNamesFound = c.LevelFiles;
    View->LevelFile = "/data/levels.lvl";
    Dialog->LoadFromSection(*View);
    EXPECT_EQ(Dialog->PSLeftval->GetValue(), 11);
    EXPECT_EQ(Dialog->PStopval->GetValue(), 12);
    EXPECT_EQ(Dialog->PSRightval->GetValue(), 13);
    EXPECT_EQ(Dialog->PSBottomval->GetValue(), 14);
    EXPECT_EQ(Dialog->PSLevNum->GetValue(), 9);
    EXPECT_EQ(Dialog->PSLinesVisible->GetChecked(), !c.UseExternal);
    const TdfsColorButton* buttons[] = {Dialog->PSMinContour, Dialog->PScontour1_3, Dialog->PScontour2_3,
                                        Dialog->PSMaxContour, Dialog->PSMinIsoline, Dialog->PSMaxIsoline};
    const TColor colors[] = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(buttons[i]->GetColor(), colors[i]) << i;
    EXPECT_EQ(Dialog->PSuseExternal->GetChecked(), c.UseExternal);
    EXPECT_EQ(Dialog->PSExtMin->GetText(), "2.5");
    EXPECT_EQ(Dialog->PSExtMax->GetText(), "7");
    EXPECT_EQ(Dialog->PSExtMin->GetEnabled(), c.UseExternal);
    EXPECT_EQ(Dialog->PSExtMax->GetEnabled(), c.UseExternal);
    EXPECT_EQ(Dialog->abcFileOpenEdit1->GetVisible(), c.LevelFiles);
    // Ticking by hand enables the limits and stores nothing.
    Dialog->PSuseExternal->SetChecked(!c.UseExternal);
    EXPECT_EQ(Dialog->PSExtMin->GetEnabled(), !c.UseExternal);
    EXPECT_EQ(View->UseExternal, c.UseExternal);
  }
  EXPECT_TRUE(View->Calls.empty());
}

TEST_F(ContourSetupTest, ApplyWritesRedrawsInOrderReloadsAndStaysOpenAndCancelKeepsIt) {
  Seam.AnswerModal([this](TForm& Form) {
    auto& d = dynamic_cast<TPseudosetupForm&>(Form);
    EXPECT_EQ(d.GetCaption(), "Contour-section setup");
    d.PSLeftval->SetValue(40);
    d.PStopval->SetValue(5);
    d.PSRightval->SetValue(90);
    d.PSBottomval->SetValue(30);
    d.PSLevNum->SetValue(7);
    d.PSLinesVisible->SetChecked(false);
    d.PSMinContour->SetColor(0x00FF00);
    d.PSMaxIsoline->SetColor(0x808080);
    d.PSuseExternal->SetChecked(true);
    d.PSExtMin->SetText("60.50");
    d.PSExtMax->SetText("180");
    d.abcPicBtn3->Click();
    EXPECT_EQ(d.GetModalResult(), mrNone);  // still open
    EXPECT_EQ(d.PSExtMin->GetText(), "60.5");  // loaded again: the canonical text
    d.abcPicBtn4->Click();
    return d.GetModalResult();
  });
  EXPECT_EQ(PseudoSetup::ShowContourSetup(*View), mrCancel);
  EXPECT_EQ(View->Calls, (std::vector<std::string>{"Triangulate", "BuildLevels", "UpdatePicture"}));
  EXPECT_EQ(View->GetMargin(0), 40);
  EXPECT_EQ(View->GetMargin(1), 5);
  EXPECT_EQ(View->GetMargin(2), 90);
  EXPECT_EQ(View->GetMargin(3), 30);
  EXPECT_EQ(View->LevNum, 7);
  EXPECT_EQ(View->Levels.size(), 7u);
  EXPECT_FALSE(View->LinesVisible);
  EXPECT_EQ(View->MinContour, 0x00FF00);
  EXPECT_EQ(View->MaxIsoline, 0x808080);
  EXPECT_TRUE(View->UseExternal);
  EXPECT_EQ(View->LevelMin, 60.5);
  EXPECT_EQ(View->LevelMax, 180.0);
  // The one dialog serves the next use again.
  EXPECT_NE(PseudoSetup::PseudosetupForm.Get(), nullptr);
  PseudoSetup::PseudosetupForm->Free();
}

TEST_F(ContourSetupTest, BadUserLimitsKeepTheDialogOpenAndStoreNothing) {
  struct TCase {
    const char *Minimum, *Maximum, *Field;
  };
  const TCase cases[] = {{"abc", "180", "Minimum: \"abc\""},
                         {"", "180", "Minimum: \"\""},
                         {"100", "100", "Maximum: \"100\""},
                         {"150", "60", "Maximum: \"60\""},
                         {"60", "*", "Maximum: \"*\""}};
  View->UseExternal = false;
  const std::string before = View->SettingsToStr();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Field);
    Dialog->LoadFromSection(*View);
    Dialog->PSLeftval->SetValue(77);
    Dialog->PSuseExternal->SetChecked(true);
    Dialog->PSExtMin->SetText(c.Minimum);
    Dialog->PSExtMax->SetText(c.Maximum);
    Seam.AnswerMessage(mrOk);
    Dialog->abcPicBtn3->Click();
    ASSERT_FALSE(Seam.Prompts().empty());
    const std::string message = Seam.Prompts().back().Text;
    EXPECT_EQ(message.rfind(c.Field, 0), 0u) << message;
    EXPECT_NE(message.find("enter a number"), std::string::npos) << message;
    EXPECT_EQ(Dialog->GetModalResult(), mrNone);
    EXPECT_EQ(View->SettingsToStr(), before);
    EXPECT_TRUE(View->Calls.empty());
  }
}

TEST_F(ContourSetupTest, UntickedLimitsStayStoredAndAreIgnored) {
  Dialog->LoadFromSection(*View);
  Dialog->PSuseExternal->SetChecked(false);
  Dialog->PSExtMin->SetText("1");
  Dialog->PSExtMax->SetText("2");
  Dialog->abcPicBtn3->Click();
  EXPECT_FALSE(View->UseExternal);
  EXPECT_EQ(View->ExtMin, 1.0);
  EXPECT_EQ(View->ExtMax, 2.0);
  EXPECT_EQ(View->LevelMin, View->DataMin);
  EXPECT_EQ(View->LevelMax, View->DataMax);
  EXPECT_GT(View->DataMax, 2.0);
  // The dialog shows them again, still disabled.
  EXPECT_EQ(Dialog->PSExtMin->GetText(), "1");
  EXPECT_FALSE(Dialog->PSExtMin->GetEnabled());
  // A bad text while unticked is stored as no value and does not stretch the levels.
  Dialog->PSExtMax->SetText("abc");
  Dialog->abcPicBtn3->Click();
  EXPECT_EQ(View->ExtMax, View->DataMax);
  EXPECT_EQ(View->LevelMax, View->DataMax);
}

TEST_F(ContourSetupTest, FontEditsTheColourBarFontAtOnce) {
  Dialog->LoadFromSection(*View);
  Seam.AnswerModal([](TForm& Form) {
    auto& editor = dynamic_cast<TPlotFontEditor&>(Form);
    editor.Button3->Click();
    return mrOk;
  });
  Seam.AnswerFont([](TFont& Font) {
    Font.SetName("Arial");
    Font.SetSize(13);
    return true;
  });
  Dialog->Button1->Click();
  EXPECT_EQ(View->ColorBarFont->GetSize(), 13);
  EXPECT_EQ(View->ColorBarFont->GetName(), "Arial");
}

TEST_F(ContourSetupTest, AChosenLevelFileBecomesTheViewsAndACancelledChoiceChangesNothing) {
  View->ColorNamesFound = true;
  View->LevelFile = "old.lvl";
  Dialog->LoadFromSection(*View);
  auto browse = [this] {
    uint16_t key = VK_RETURN;
    Dialog->abcFileOpenEdit1->KeyDown(key, {});
  };
  Seam.AnswerFileDialog(std::optional<TFileDialogResult>{});
  browse();
  EXPECT_EQ(View->LevelFile, "old.lvl");
  Seam.AnswerFileDialog(TFileDialogResult{{"/data/new.lvl"}, 1});
  browse();
  EXPECT_EQ(Dialog->abcFileOpenEdit1->GetText(), "/data/new.lvl");
  EXPECT_EQ(View->LevelFile, "/data/new.lvl");
  // A view that reads no level files keeps its name.
  View->ColorNamesFound = false;
  View->LevelFile = "kept.lvl";
  Dialog->LoadFromSection(*View);
  Seam.AnswerFileDialog(TFileDialogResult{{"/data/other.lvl"}, 1});
  browse();
  EXPECT_EQ(View->LevelFile, "kept.lvl");
}

// ---------------------------------------------------------------- section setup

class SectionSetupTest : public SeamTest {
 protected:
  void SetUp() override {
    SeamTest::SetUp();
    Chart = Create<TPolygonChart>(Owner);
    Chart->SetBounds(500, 300);
    Dialog = Create<TPolysetupForm>(Owner);
    Dialog->LoadFromChart(*Chart);
  }
  TSeriesMarks* Marks() const { return dynamic_cast<TSeriesMarks*>(Chart->BodySeries->Marks()); }
  // Answers the series style editor: checks its series and recolours it.
  void AnswerStyleEditor(TChartSeries* Expected, TColor Color) {
    Seam.AnswerModal([Expected, Color](TForm& Form) {
      auto& editor = dynamic_cast<TChartEditForm&>(Form);
      EXPECT_EQ(editor.GetCaption(), "Graphic editor");
      EXPECT_EQ(editor.SeriesToOpen.Get(), Expected);
      if (TChartSeries* s = editor.SeriesToOpen.Get()) s->SetSeriesColor(Color);
      editor.BClose->Click();
      return editor.GetModalResult();
    });
  }
  TPolygonChart* Chart = nullptr;
  TPolysetupForm* Dialog = nullptr;
};

TEST_F(SectionSetupTest, MarginsAndNodeColoursRoundTrip) {
  EXPECT_EQ(Dialog->PSLeftval->GetValue(), Chart->GetMargin(0));
  EXPECT_EQ(Dialog->PSBottomval->GetValue(), Chart->GetMargin(3));
  EXPECT_EQ(Dialog->PSMinContour->GetColor(), Chart->NodeColorInternal);
  EXPECT_EQ(Dialog->dfsColorButton1->GetColor(), Chart->NodeColorFree);
  EXPECT_EQ(Dialog->dfsColorButton2->GetColor(), Chart->NodeColorFixed);
  EXPECT_EQ(Dialog->dfsColorButton3->GetColor(), Chart->NodeColorBorder);
  Dialog->PSLeftval->SetValue(31);
  Dialog->PStopval->SetValue(32);
  Dialog->PSRightval->SetValue(33);
  Dialog->PSBottomval->SetValue(34);
  Dialog->PSMinContour->SetColor(0x000011);
  Dialog->dfsColorButton1->SetColor(0x000022);
  Dialog->dfsColorButton2->SetColor(0x000033);
  Dialog->dfsColorButton3->SetColor(0x000044);
  Dialog->abcPicBtn3->Click();
  EXPECT_EQ(Dialog->GetModalResult(), mrNone);
  EXPECT_EQ(Chart->GetMargin(0), 31);
  EXPECT_EQ(Chart->GetMargin(1), 32);
  EXPECT_EQ(Chart->GetMargin(2), 33);
  EXPECT_EQ(Chart->GetMargin(3), 34);
  EXPECT_EQ(Chart->NodeColorInternal, 0x000011);
  EXPECT_EQ(Chart->NodeColorFree, 0x000022);
  EXPECT_EQ(Chart->NodeColorFixed, 0x000033);
  EXPECT_EQ(Chart->NodeColorBorder, 0x000044);
  // A margin that is no number is refused with the field named; nothing is stored.
  Dialog->PStopval->SetText("x9");
  Dialog->dfsColorButton3->SetColor(0x000055);
  Seam.AnswerMessage(mrOk);
  Dialog->abcPicBtn4->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, "Top margin: \"x9\" is not allowed; enter a whole number from 0 to 100.");
  EXPECT_EQ(Dialog->GetModalResult(), mrNone);
  EXPECT_EQ(Chart->NodeColorBorder, 0x000044);
}

TEST_F(SectionSetupTest, WorkSeriesButtonsOpenTheStyleEditorOnTheirSeries) {
  struct TCase {
    TSpeedButton* Button;
    TChartSeries* Series;
  };
  const TCase cases[] = {{Dialog->SpeedButton1, Chart->OutlineSeries},
                         {Dialog->SpeedButton2, Chart->RubberSeries},
                         {Dialog->SpeedButton3, Chart->MeshSeries}};
  TColor color = 0x102030;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Series->GetName());
    AnswerStyleEditor(c.Series, color);
    c.Button->Click();
    EXPECT_EQ(c.Series->GetSeriesColor(), color);
    color += 0x010101;
  }
}

TEST_F(SectionSetupTest, MarksFontAndDefaultRestoresSeriesMarginsColoursAndFont) {
  const std::string outline = Series::SeriesToText(Chart->OutlineSeries);
  const std::string mesh = Series::SeriesToText(Chart->MeshSeries);
  const std::string settings = Chart->SettingsToStr();
  Seam.AnswerModal([](TForm& Form) {
    dynamic_cast<TPlotFontEditor&>(Form).Button3->Click();
    return mrOk;
  });
  Seam.AnswerFont([](TFont& Font) {
    Font.SetSize(15);
    return true;
  });
  Dialog->SpeedButton4->Click();
  EXPECT_EQ(Marks()->Font()->GetSize(), 15);
  AnswerStyleEditor(Chart->OutlineSeries, 0x123456);
  Dialog->SpeedButton1->Click();
  AnswerStyleEditor(Chart->MeshSeries, 0x654321);
  Dialog->SpeedButton3->Click();
  Dialog->PSRightval->SetValue(3);
  Dialog->dfsColorButton2->SetColor(0x00AA00);
  Dialog->abcPicBtn3->Click();
  ASSERT_NE(Chart->SettingsToStr(), settings);

  Dialog->abcPicBtn1->Click();
  EXPECT_EQ(Series::SeriesToText(Chart->OutlineSeries), outline);
  EXPECT_EQ(Series::SeriesToText(Chart->MeshSeries), mesh);
  EXPECT_EQ(Chart->SettingsToStr(), settings);
  EXPECT_EQ(Marks()->Font()->GetSize(), 7);
  EXPECT_EQ(Dialog->PSRightval->GetValue(), Chart->GetMargin(2));
  EXPECT_EQ(Dialog->dfsColorButton2->GetColor(), Chart->NodeColorFixed);
}

TEST_F(SectionSetupTest, CloseAppliesClosesAndFreesTheDialog) {
  WeakRef<TPolysetupForm> shown;
  Seam.AnswerModal([&shown](TForm& Form) {
    auto& d = dynamic_cast<TPolysetupForm&>(Form);
    EXPECT_EQ(d.GetCaption(), "Section setup");
    shown = &d;
    d.PSLeftval->SetValue(55);
    d.abcPicBtn4->Click();
    return d.GetModalResult();
  });
  EXPECT_EQ(polysetup::ShowSectionSetup(*Chart), mrOk);
  EXPECT_EQ(Chart->GetMargin(0), 55);
  EXPECT_EQ(shown.Get(), nullptr);
}

// ---------------------------------------------------------------- graphics setup

class GraphicsSetupTest : public SeamTest {
 protected:
  void SetUp() override {
    SeamTest::SetUp();
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(400, 300);
    Graph = Create<multigraph>();
    Graph->TargetChart = Chart;
    Graph->CurveCount = 3;
    Graph->CreateCurves();
    Dialog = Create<TsetMG>(Owner);
    Dialog->Graph = Graph;
  }
  void TearDown() override {
    SeamTest::TearDown();
    Graph->Free();
  }
  // The dialog as the user sees it: loaded, then shown.
  void Open() {
    Dialog->LoadFromGraph();
    Dialog->Show();
  }
  void ChooseStyle(int Mode) {
    Dialog->ComboBox1->SetItemIndex(Mode);
    Dialog->ComboBox1->OnChange(Dialog->ComboBox1);
  }
  void ChooseColor(TabcColorComboBox* Combo, TColor Color) {
    Combo->SetSelectedColor(Color);
    ASSERT_GE(Combo->GetItemIndex(), 0);
    Combo->OnChange(Combo);
  }
  TChart* Chart = nullptr;
  multigraph* Graph = nullptr;
  TsetMG* Dialog = nullptr;
};

TEST_F(GraphicsSetupTest, TheStyleSetsThePaletteControls) {
  struct TCase {
    int Mode;
    bool GroupEnabled, PaletteVisible, PaletteEnabled, ConstantVisible;
    const char* FirstCaption;
  };
  const TCase cases[] = {{0, true, true, true, false, "  Min color"},
                         {1, true, false, false, true, "  Color"},
                         {2, false, true, false, false, "  Min color"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mode);
    Graph->ColorMode = c.Mode;
    // The first load, before the dialog shows, sets the states from the stored mode.
    TsetMG* fresh = Create<TsetMG>(nullptr);
    fresh->Graph = Graph;
    fresh->LoadFromGraph();
    EXPECT_EQ(fresh->ComboBox1->GetText(), setupMG::StyleItems[c.Mode]);
    EXPECT_EQ(fresh->GroupBox1->GetEnabled(), c.GroupEnabled);
    for (TabcColorComboBox* combo : {fresh->abcColorComboBox1, fresh->abcColorComboBox2, fresh->abcColorComboBox3,
                                     fresh->abcColorComboBox4}) {
      EXPECT_EQ(combo->GetVisible(), c.PaletteVisible);
      EXPECT_EQ(combo->GetEnabled(), c.PaletteEnabled);
    }
    EXPECT_EQ(fresh->abcColorComboBox8->GetVisible(), c.ConstantVisible);
    for (TabcSuperLabel* label : {fresh->Label2, fresh->Label3, fresh->Label4})
      EXPECT_EQ(label->GetVisible(), c.PaletteVisible);
    EXPECT_EQ(fresh->Label1->GetCaption(), c.FirstCaption);
    fresh->Free();
    // Choosing the style in the open dialog gives the same states.
    Graph->ColorMode = (c.Mode + 1) % 3;
    Dialog->LoadFromGraph();
    ChooseStyle(c.Mode);
    EXPECT_EQ(Dialog->GroupBox1->GetEnabled(), c.GroupEnabled);
    EXPECT_EQ(Dialog->abcColorComboBox1->GetEnabled(), c.PaletteEnabled);
    EXPECT_EQ(Dialog->abcColorComboBox8->GetVisible(), c.ConstantVisible);
    EXPECT_EQ(Dialog->Label1->GetCaption(), c.FirstCaption);
  }
}

TEST_F(GraphicsSetupTest, ConstantRecoloursEveryCurveAtOnce) {
  Graph->ConstantColor = clMaroon;
  Open();
  ChooseStyle(1);
  EXPECT_EQ(Graph->ColorMode, 1);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(Graph->Curve(j)->GetSeriesColor(), clMaroon) << j;
  ChooseColor(Dialog->abcColorComboBox8, clNavy);
  EXPECT_EQ(Graph->ConstantColor, clNavy);
  for (int j = 0; j < 3; ++j) EXPECT_EQ(Graph->Curve(j)->GetSeriesColor(), clNavy) << j;
}

TEST_F(GraphicsSetupTest, OverrideBoxesEnableTheirCombosAndFixTheCurvesColours) {
  Open();
  struct TCase {
    TCheckBox* Box;
    TabcColorComboBox* Combo;
    TColor Color;
    std::function<TColor(TLineSeries&)> CurveColor;
  };
  const TCase cases[] = {{Dialog->CheckBox1, Dialog->abcColorComboBox5, clTeal,
                          [](TLineSeries& s) { return s.GetSeriesColor(); }},
                         {Dialog->CheckBox2, Dialog->abcColorComboBox6, clOlive,
                          [](TLineSeries& s) { return s.Pointer()->GetColor(); }},
                         {Dialog->CheckBox3, Dialog->abcColorComboBox7, clPurple,
                          [](TLineSeries& s) { return s.Pointer()->Pen()->GetColor(); }}};
  for (const TCase& c : cases) {
    c.Box->SetChecked(false);
    EXPECT_FALSE(c.Combo->GetEnabled());
    c.Box->SetChecked(true);
    EXPECT_TRUE(c.Combo->GetEnabled());
    ChooseColor(c.Combo, c.Color);
    for (int j = 0; j < 3; ++j) EXPECT_EQ(c.CurveColor(*Graph->Curve(j)), c.Color) << j;
  }
  EXPECT_TRUE(Graph->FixCurveLineColor && Graph->FixPointerFillColor && Graph->FixPointerBorderColor);
}

TEST_F(GraphicsSetupTest, LoadingStoresNothingAndRecreatesNoCurve) {
  Open();
  Graph->Curve(1)->SetSeriesColor(0x0F0F0F);  // a mark that CreateCurves would overwrite
  Graph->ColorMode = 2;
  Graph->FixCurveLineColor = true;
  const std::string settings = Graph->SettingsToStr();
  Dialog->LoadFromGraph();
  EXPECT_EQ(Graph->SettingsToStr(), settings);
  EXPECT_EQ(Graph->Curve(1)->GetSeriesColor(), 0x0F0F0F);
}

TEST_F(GraphicsSetupTest, AColourNoItemNamesStaysWhenAnotherControlChanges) {
  Graph->MinColor = 0x123456;
  Graph->PointerBorderColor = 0x654321;
  Open();
  EXPECT_EQ(Dialog->abcColorComboBox1->GetItemIndex(), -1);
  ChooseColor(Dialog->abcColorComboBox2, clFuchsia);
  Dialog->CheckBox1->SetChecked(true);
  EXPECT_EQ(Graph->OneThirdColor, clFuchsia);
  EXPECT_EQ(Graph->MinColor, 0x123456);
  EXPECT_EQ(Graph->PointerBorderColor, 0x654321);
  EXPECT_EQ(Graph->Curve(0)->GetSeriesColor(), Graph->CurveLineColor);
}

TEST_F(GraphicsSetupTest, OptionsTakesTheFirstCurvesLookAsTheTemplate) {
  // Without curves nothing opens.
  multigraph* empty = Create<multigraph>();
  empty->TargetChart = Chart;
  Dialog->Graph = empty;
  Open();
  Dialog->Button1->Click();
  EXPECT_EQ(empty->SeriesTemplate, empty->DefaultSeriesTemplate);
  Dialog->Hide();
  empty->Free();

  Dialog->Graph = Graph;
  Open();
  Seam.AnswerModal([this](TForm& Form) {
    auto& editor = dynamic_cast<TChartEditForm&>(Form);
    EXPECT_EQ(editor.SeriesToOpen.Get(), Graph->Curve(0));
    TLineSeries* first = Graph->Curve(0);
    first->SetSeriesColor(clGreen);
    first->Pointer()->SetStyle(TSeriesPointerStyle::psDiamond);
    first->Pointer()->SetColor(clYellow);
    first->Pointer()->Pen()->SetColor(clRed);
    editor.BClose->Click();
    return editor.GetModalResult();
  });
  Dialog->Button1->Click();
  EXPECT_EQ(Graph->CurveLineColor, clGreen);
  EXPECT_EQ(Graph->PointerFillColor, clYellow);
  EXPECT_EQ(Graph->PointerBorderColor, clRed);
  EXPECT_EQ(Dialog->abcColorComboBox5->GetSelectedColor(), clGreen);
  EXPECT_EQ(Dialog->abcColorComboBox6->GetSelectedColor(), clYellow);
  EXPECT_EQ(Dialog->abcColorComboBox7->GetSelectedColor(), clRed);
  for (int j = 0; j < 3; ++j)
    EXPECT_EQ(Graph->Curve(j)->Pointer()->GetStyle(), TSeriesPointerStyle::psDiamond) << j;
  EXPECT_NE(Graph->SeriesTemplate, Graph->DefaultSeriesTemplate);
}

TEST_F(GraphicsSetupTest, DefaultRestoresSettingsAndTemplate) {
  Graph->SeriesTemplate.clear();
  Open();
  ChooseStyle(1);
  Dialog->CheckBox3->SetChecked(true);
  ChooseColor(Dialog->abcColorComboBox4, clWhite);
  ASSERT_NE(Graph->SettingsToStr(), Graph->DefaultParams);
  Dialog->Button2->Click();
  EXPECT_EQ(Graph->SettingsToStr(), Graph->DefaultParams);
  EXPECT_EQ(Graph->SeriesTemplate, Graph->DefaultSeriesTemplate);
  EXPECT_EQ(Dialog->ComboBox1->GetItemIndex(), 0);
  EXPECT_FALSE(Dialog->CheckBox3->GetChecked());
  EXPECT_FALSE(Dialog->abcColorComboBox7->GetEnabled());
  EXPECT_TRUE(Dialog->abcColorComboBox1->GetVisible());
  EXPECT_EQ(Dialog->Label1->GetCaption(), "  Min color");
  EXPECT_EQ(Graph->Curve(0)->GetSeriesColor(), Graph->MinColor);
}

TEST_F(GraphicsSetupTest, CloseRecreatesTheCurvesAndEveryUseFreesItsDialog) {
  WeakRef<TsetMG> shown;
  Seam.AnswerModal([&](TForm& Form) {
    auto& d = dynamic_cast<TsetMG&>(Form);
    EXPECT_EQ(d.GetCaption(), "Graphics setup");
    shown = &d;
    Graph->CurveCount = 4;
    d.Button3->Click();
    return d.GetModalResult();
  });
  const int before = Application->ComponentCount();
  EXPECT_EQ(setupMG::ShowGraphicsSetup(*Graph), mrOk);
  EXPECT_EQ(Graph->CurveSlots(), 4);
  EXPECT_EQ(shown.Get(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), before);
}

// ---------------------------------------------------------------- through the main window

using AppTest::AppFixture;

TEST_F(AppFixture, MenusOpenTheSetupDialogs) {
  TMainForm& f = OpenForm();
  Seam.AnswerModal([](TForm& Form) {
    EXPECT_EQ(Form.GetCaption(), "Section setup");
    return mrCancel;
  });
  f.Setup1->Click();
  Seam.AnswerModal([](TForm& Form) {
    EXPECT_EQ(Form.GetCaption(), "Contour-section setup");
    return mrCancel;
  });
  f.PseudoSection2d2->PopupMenu->Items()->GetItem(3)->Click();
  f.ObservedLoaded = true;
  f.CalculatedReady = true;
  f.Options1Click(nullptr);
  for (TMenuItem* item : {f.Observedgraphicsrhoa1, f.Calculatedgraphicsrhoa1, f.Observedgraphicsethaa1,
                          f.Calculatedgraphicsethaa1}) {
    Seam.AnswerModal([](TForm& Form) {
      EXPECT_EQ(Form.GetCaption(), "Graphics setup");
      return mrCancel;
    });
    item->Click();
  }
  EXPECT_EQ(Seam.Pending(), 0u);
  CloseForm();
  EXPECT_FALSE(PseudoSection2d::SetupDialogHook);
  EXPECT_FALSE(Multigraphics::SetupDialogHook);
  if (PseudoSetup::PseudosetupForm) PseudoSetup::PseudosetupForm->Free();
}

TEST_F(AppFixture, EachSetupIsKeptThroughARestart) {
  TMainForm& f = OpenForm();
  Seam.AnswerModal([](TForm& Form) {
    auto& d = dynamic_cast<TPseudosetupForm&>(Form);
    d.PSLeftval->SetValue(44);
    d.PSLevNum->SetValue(12);
    d.PScontour2_3->SetColor(0x3366AA);
    d.PSLinesVisible->SetChecked(false);
    d.abcPicBtn3->Click();
    d.abcPicBtn4->Click();
    return d.GetModalResult();
  });
  f.PseudoSection2d1->PopupMenu->Items()->GetItem(3)->Click();
  Seam.AnswerModal([](TForm& Form) {
    auto& d = dynamic_cast<TPolysetupForm&>(Form);
    d.PSBottomval->SetValue(42);
    d.dfsColorButton1->SetColor(0x224466);
    d.abcPicBtn4->Click();
    return d.GetModalResult();
  });
  f.Setup1->Click();
  EXPECT_EQ(f.PseudoSection2d1->LevNum, 12);
  EXPECT_EQ(f.PolygonChart1->GetMargin(3), 42);
  f.ObservedLoaded = true;
  f.CalculatedReady = true;
  f.Options1Click(nullptr);
  Seam.AnswerModal([](TForm& Form) {
    auto& d = dynamic_cast<TsetMG&>(Form);
    d.ComboBox1->SetItemIndex(1);
    d.ComboBox1->OnChange(d.ComboBox1);
    d.abcColorComboBox8->SetSelectedColor(clTeal);
    d.abcColorComboBox8->OnChange(d.abcColorComboBox8);
    d.Button3->Click();
    return d.GetModalResult();
  });
  f.Observedgraphicsrhoa1->Click();
  f.ObservedLoaded = false;
  f.CalculatedReady = false;
  ASSERT_TRUE(QueryClose());
  CloseForm();

  TMainForm& g = OpenForm();
  for (TPseudoSection2d* s : {g.PseudoSection2d1, g.PseudoSection2d2}) {
    EXPECT_EQ(s->GetMargin(0), 44);
    EXPECT_EQ(s->LevNum, 12);
    EXPECT_EQ(s->Contour2_3, 0x3366AA);
    EXPECT_FALSE(s->LinesVisible);
  }
  EXPECT_EQ(g.PolygonChart1->GetMargin(3), 42);
  EXPECT_EQ(g.PolygonChart1->NodeColorFree, 0x224466);
  EXPECT_EQ(g.ObservedRhoGraph->ColorMode, 1);
  EXPECT_EQ(g.ObservedRhoGraph->ConstantColor, clTeal);
  EXPECT_EQ(g.CalculatedRhoGraph->ColorMode, 0);
  CloseForm();
  if (PseudoSetup::PseudosetupForm) PseudoSetup::PseudosetupForm->Free();
}

}  // namespace

}  // namespace SetupDialogsTest
