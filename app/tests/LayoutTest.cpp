// Display modes and pane layout: the display switches with their check marks and
// enabling, the worksheet styles, resistivity and polarizability, the pane
// heights kept in percent and the splitter rules.

#include "app/tests/AppTestSupport.h"
#include "controls/abcsplit.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace LayoutTest {

namespace {

using AppTest::AppFixture;

class LayoutTest : public AppFixture {
 protected:
  TMainForm& OpenWithData(const std::string& File) {
    TMainForm& f = OpenForm();
    f.SetBounds(0, 0, 900, 700);
    Seam.AnswerFileDialog(TFileDialogResult{{File}, 1});
    AppTest::AcceptModelConstructor(Seam);
    f.Openfile1->Click();
    return f;
  }
};

TEST_F(LayoutTest, DisplaySwitchesSetTheirFieldAndCheckMarks) {
  TMainForm& f = OpenWithData(AppTest::ExampleFile("wenner.k2d"));
  struct TCase {
    const char* Name;
    TMenuItem* TMainForm::*Item;
    std::function<bool(const TMainForm&)> Holds;
  };
  const TCase cases[] = {
      {"graphics plot", &TMainForm::Graphicsplot1, [](const TMainForm& m) { return m.Survey.DataPlotType == 1; }},
      {"iso-PsZ", &TMainForm::IsoSource1, [](const TMainForm& m) { return m.Survey.graphicstype == 1; }},
      {"iso-pole", &TMainForm::IsoPsZ1, [](const TMainForm& m) { return m.Survey.graphicstype == 0; }},
      {"pseudo-section", &TMainForm::PseudoSection1, [](const TMainForm& m) { return m.Survey.DataPlotType == 0; }},
      {"resistance", &TMainForm::Resistanse1, [](const TMainForm& m) { return m.DataType == 1; }},
      {"apparent resistivity", &TMainForm::Apparentresistivity1, [](const TMainForm& m) { return m.DataType == 0; }},
      {"misfit", &TMainForm::Datamisfit1, [](const TMainForm& m) { return m.AddDataType == 1; }},
      {"weights", &TMainForm::Dataweights1, [](const TMainForm& m) { return m.AddDataType == 2; }},
      {"calculated", &TMainForm::Calculateddata1, [](const TMainForm& m) { return m.AddDataType == 0; }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    (f.*c.Item)->Click();
    f.Data1Click(nullptr);
    EXPECT_TRUE(c.Holds(f));
    EXPECT_TRUE((f.*c.Item)->GetChecked());
  }
  // Curves per pair or per level only in graphics plot; the lower section's
  // choice only in pseudo-section display.
  f.Data1Click(nullptr);
  EXPECT_FALSE(f.IsoSource1->GetEnabled());
  EXPECT_TRUE(f.Datamisfit1->GetEnabled());
  f.Graphicsplot1->Click();
  EXPECT_TRUE(f.IsoSource1->GetEnabled());
  EXPECT_FALSE(f.Datamisfit1->GetEnabled());
  f.Options1Click(nullptr);
  EXPECT_TRUE(f.Graphicssetup1->GetEnabled());
}

TEST_F(LayoutTest, IsoSwitchInPseudoSectionOnlyChangesTheSetting) {
  TMainForm& f = OpenWithData(AppTest::ExampleFile("wenner.k2d"));
  f.IsoSource1->Click();
  EXPECT_EQ(f.Survey.graphicstype, 1);
  EXPECT_EQ(f.Survey.DataPlotType, 0);
  // The next graphics plot draws one curve per level with it.
  f.Graphicsplot1->Click();
  EXPECT_EQ(f.Survey.graphicstype, 1);
}

TEST_F(LayoutTest, MisfitAndWeightsNeedObservedData) {
  TMainForm& f = OpenForm();
  f.Datamisfit1->Click();
  f.Dataweights1->Click();
  EXPECT_EQ(f.AddDataType, 0);
}

TEST_F(LayoutTest, JointlySwitchesToGraphicsAndLocksPseudoSection) {
  TMainForm& f = OpenWithData(AppTest::ExampleFile("wenner.k2d"));
  f.jointly1->Click();
  EXPECT_EQ(f.WorksheetStyle, 1);
  EXPECT_EQ(f.Survey.DataPlotType, 1);
  EXPECT_EQ(f.DataQuantity, 0);
  EXPECT_FALSE(f.PseudoSection1->GetEnabled());
  EXPECT_FALSE(f.SpeedButton3->GetVisible());
  f.Style1Click(nullptr);
  EXPECT_TRUE(f.jointly1->GetChecked());
  // No polarizability: the upper section stays empty in joint style.
  EXPECT_DOUBLE_EQ(f.percent1, 0.1);
  EXPECT_DOUBLE_EQ(f.percent2, 50.0);
  f.Ononeplot1->Click();
  EXPECT_EQ(f.WorksheetStyle, 0);
  EXPECT_TRUE(f.PseudoSection1->GetEnabled());
  EXPECT_DOUBLE_EQ(f.percent1, 33.0);
  EXPECT_TRUE(f.Ononeplot1->GetChecked());
}

TEST_F(LayoutTest, PolarizabilityModeNeedsIpDataAndSwitchesTheCaption) {
  TMainForm& f = OpenWithData(std::string(KV_TESTDATA_DIR) + "/res2dinv/res2dinv-ipgeneral.dat");
  ASSERT_TRUE(f.HasIP);
  EXPECT_TRUE(f.SpeedButton3->GetVisible());
  EXPECT_TRUE(f.SpeedButton3->Flat);
  EXPECT_FALSE(f.SpeedButton7->Flat);
  f.SpeedButton7->Click();
  EXPECT_EQ(f.DataQuantity, 1);
  EXPECT_EQ(f.Apparentresistivity1->GetCaption(), "Apparent polarizability");
  EXPECT_TRUE(f.SpeedButton7->Flat);
  f.SpeedButton3->Click();
  EXPECT_EQ(f.DataQuantity, 0);
  EXPECT_EQ(f.Apparentresistivity1->GetCaption(), "Apparent resistivity");
  f.SpeedButton7->Click();
  f.ResetToResistivity();
  EXPECT_EQ(f.DataQuantity, 0);
  EXPECT_EQ(f.Apparentresistivity1->GetCaption(), "Apparent resistivity");
}

TEST_F(LayoutTest, PaneHeightsFollowThePercentagesAndTheSplitters) {
  TMainForm& f = OpenWithData(AppTest::ExampleFile("wenner.k2d"));
  f.SetPaneHeights(25.0, 40.0);
  f.FormResize(&f);
  const int usable = f.UsablePaneHeight();
  ASSERT_GT(usable, 100);
  EXPECT_EQ(f.PseudoSection2d1Window->GetHeight(), static_cast<int>(std::nearbyint(usable * 0.25)));
  EXPECT_EQ(f.PolygonChart1Window->GetHeight(), static_cast<int>(std::nearbyint(usable * 0.40)));
  // A splitter moved by the person gives the percentage back.
  f.PseudoSection2d1Window->SetHeight(usable / 2);
  f.Splitter1Moved(f.Splitter1);
  EXPECT_NEAR(f.percent1, 50.0, 100.0 / usable);
  f.PolygonChart1Window->SetHeight(usable / 5);
  f.Splitter2Moved(f.Splitter2);
  EXPECT_NEAR(f.percent2, 20.0, 100.0 / usable);
  EXPECT_FALSE(f.Splitter2CanResize(3));
  EXPECT_TRUE(f.Splitter2CanResize(4));
  EXPECT_FALSE(f.Splitter1CanResize(1));
  EXPECT_TRUE(f.Splitter1CanResize(2));
}

TEST_F(LayoutTest, Splitter1IsRefusedWhileOnlyCalculatedDataExist) {
  TMainForm& f = OpenForm();
  f.SetBounds(0, 0, 900, 700);
  Dearsetup::Defarray = Create<TDefarray>(nullptr);
  Seam.AnswerModal([](TForm& form) {
    dynamic_cast<TDefarray&>(form).abcPicBtn1->Click();
    return form.GetModalResult();
  });
  AppTest::AcceptModelConstructor(Seam);
  f.Newmodel1->Click();
  ASSERT_TRUE(f.CalculatedReady);
  ASSERT_FALSE(f.ObservedLoaded);
  EXPECT_FALSE(f.Splitter1CanResize(100));
  const double kept = f.percent1;
  f.PseudoSection2d1Window->SetHeight(f.UsablePaneHeight() / 2);
  f.Splitter1Moved(f.Splitter1);
  EXPECT_DOUBLE_EQ(f.percent1, kept);
  EXPECT_EQ(f.PseudoSection2d1Window->GetHeight(), static_cast<int>(std::nearbyint(f.UsablePaneHeight() * kept / 100)));
}

TEST_F(LayoutTest, RelayoutPutsTheSplittersBackBesideTheSections) {
  TMainForm& f = OpenWithData(AppTest::ExampleFile("wenner.k2d"));
  f.PseudoSection2d1Window->SetAlign(TAlign::alNone);
  f.RelayoutSections();
  EXPECT_EQ(f.PseudoSection2d1Window->GetAlign(), TAlign::alTop);
  EXPECT_EQ(f.Splitter1->GetAlign(), TAlign::alTop);
  EXPECT_EQ(f.Splitter2->GetAlign(), TAlign::alBottom);
  EXPECT_EQ(f.Splitter1->GetTop(), f.PseudoSection2d1Window->GetTop() + f.PseudoSection2d1Window->GetHeight());
  EXPECT_EQ(f.Splitter2->GetTop() + f.Splitter2->GetHeight(), f.PolygonChart1Window->GetTop());
}

}  // namespace

}  // namespace LayoutTest
