// Program settings: the round trip through a restart, values read one by one,
// and stored values that are bad falling back to their defaults.

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "platform/rtl/IniFiles.h"
#include "numerics/Polygons.h"
#include "views/ModelSection.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace SettingsTest {

namespace {

using AppTest::AppFixture;

class SettingsTest : public AppFixture {
 protected:
  // Writes values straight into the program key, as an older version or a
  // person editing the store might have left them.
  static void Store(const std::function<void(TRegistry&)>& Write) {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(ResMainForm::SettingsKey, true));
    Write(reg);
  }
  void Restart() {
    ASSERT_TRUE(QueryClose());
    CloseForm();
    Registry::ReloadStore();
    OpenForm();
  }
};

TEST_F(SettingsTest, StartsWithTheDefaultsWhenNothingIsStored) {
  TMainForm& f = OpenForm();
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er");
  EXPECT_EQ(f.DataType, 0);
  EXPECT_EQ(f.AddDataType, 0);
  EXPECT_EQ(f.VerticalAxisType, 1);
  EXPECT_EQ(f.OpenDialog1->FilterIndex, 1);
  EXPECT_EQ(f.OpenDialog1->InitialDir, "");
  EXPECT_DOUBLE_EQ(f.Survey.MACH_EPS, 1e-8);
  EXPECT_EQ(f.Survey.CGprecision, 400);
  EXPECT_EQ(f.Survey.Solver, 0);
  EXPECT_TRUE(f.Survey.nkuser);
  EXPECT_EQ(f.Survey.nknumber, 8);
  EXPECT_TRUE(f.Survey.correct);
  EXPECT_EQ(f.Survey.infperc, 10);
  EXPECT_EQ(f.Survey.redperc, 100);
  EXPECT_EQ(f.Survey.numqp, 7);
  EXPECT_TRUE(f.Survey.recetha);
  EXPECT_DOUBLE_EQ(f.Survey.FactorX, 0.2);
  EXPECT_DOUBLE_EQ(f.Survey.StartX, 2.0);
  EXPECT_EQ(f.DisplayEvery, 1);
  EXPECT_TRUE(f.RebuildUpper && f.RebuildLower);
  EXPECT_TRUE(f.Timer1->GetEnabled());
}

TEST_F(SettingsTest, SettingsSurviveARestart) {
  TMainForm& f = OpenForm();
  f.OpenDialog1->FileName = "/data/survey/line1.k2d";
  f.OpenDialog1->FilterIndex = 3;
  f.DataType = 1;
  f.AddDataType = 2;
  f.Survey.DataPlotType = 1;
  f.Survey.graphicstype = 1;
  f.Survey.MACH_EPS = 1e-6;
  f.Survey.CGprecision = 123;
  f.Survey.nkuser = false;
  f.Survey.nknumber = 5;
  f.Survey.correct = false;
  f.Survey.infperc = 20;
  f.Survey.redperc = 50;
  f.Survey.numqp = 4;
  f.Survey.recetha = false;
  f.Survey.Solver = 3;
  f.percent1 = 10.0;
  Restart();

  TMainForm& g = *Form;
  EXPECT_EQ(g.OpenDialog1->FileName, "/data/survey/line1.k2d");
  EXPECT_EQ(g.OpenDialog1->InitialDir, "/data/survey");
  EXPECT_EQ(g.OpenDialog1->FilterIndex, 3);
  EXPECT_EQ(g.DataType, 1);
  EXPECT_EQ(g.Survey.DataPlotType, 1);
  EXPECT_EQ(g.Survey.graphicstype, 1);
  EXPECT_DOUBLE_EQ(g.Survey.MACH_EPS, 1e-6);
  EXPECT_EQ(g.Survey.CGprecision, 123);
  EXPECT_FALSE(g.Survey.nkuser);
  EXPECT_EQ(g.Survey.nknumber, 5);
  EXPECT_FALSE(g.Survey.correct);
  EXPECT_EQ(g.Survey.infperc, 20);
  EXPECT_EQ(g.Survey.redperc, 50);
  EXPECT_EQ(g.Survey.numqp, 4);
  EXPECT_FALSE(g.Survey.recetha);
  // Written but not taken back: the lower section starts with calculated data,
  // the pane heights and the solver choice start afresh.
  EXPECT_EQ(g.AddDataType, 0);
  EXPECT_NE(g.percent1, 10.0);
  EXPECT_EQ(g.Survey.Solver, 0);

  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKeyReadOnly(ResMainForm::SettingsKey));
  EXPECT_EQ(reg.ReadInteger("AddDataType"), 2);
  EXPECT_EQ(reg.ReadInteger("Solver"), 3);
  EXPECT_DOUBLE_EQ(reg.ReadFloat("percent1"), 10.0);
  EXPECT_EQ(reg.GetDataType("nkuser"), TRegDataType::rdInteger);
}

TEST_F(SettingsTest, EachStoredValueIsReadWhenLastPathIsMissing) {
  Store([](TRegistry& reg) {
    reg.WriteInteger("DataType", 1);
    reg.WriteInteger("numqp", 3);
    reg.WriteBool("recetha", false);
  });
  TMainForm& f = OpenForm();
  EXPECT_EQ(f.DataType, 1);
  EXPECT_EQ(f.Survey.numqp, 3);
  EXPECT_FALSE(f.Survey.recetha);
  EXPECT_EQ(f.OpenDialog1->FileName, "");
}

TEST_F(SettingsTest, BadStoredValuesFallBackToTheirDefaults) {
  Store([](TRegistry& reg) {
    reg.WriteString("LastPath", "/data/a.k2d");
    reg.WriteInteger("FilterIndex", 0);         // below the first filter
    reg.WriteInteger("DataType", 7);            // no such data type
    reg.WriteString("DataPlotType", "1");       // text instead of a number
    reg.WriteInteger("graphicstype", -1);
    reg.WriteString("MACH_EPS", "1e-6");        // text instead of a real
    reg.WriteInteger("CGprecision", 0);
    reg.WriteInteger("nkuser", 5);              // neither 0 nor 1
    reg.WriteInteger("nknumber", 1000);
    reg.WriteFloat("infperc", 20.0);            // a real where an integer belongs
    reg.WriteInteger("redperc", 0);
    reg.WriteInteger("numqp", 9);
    const double nan = std::nan("");
    reg.WriteBinaryData("correct", &nan, sizeof nan);
  });
  TMainForm& f = OpenForm();
  EXPECT_EQ(f.OpenDialog1->FileName, "/data/a.k2d");  // the good value among them is taken
  EXPECT_EQ(f.OpenDialog1->FilterIndex, 1);
  EXPECT_EQ(f.DataType, 0);
  EXPECT_EQ(f.Survey.DataPlotType, 0);
  EXPECT_EQ(f.Survey.graphicstype, 0);
  EXPECT_DOUBLE_EQ(f.Survey.MACH_EPS, 1e-8);
  EXPECT_EQ(f.Survey.CGprecision, 400);
  EXPECT_TRUE(f.Survey.nkuser);
  EXPECT_EQ(f.Survey.nknumber, 8);
  EXPECT_EQ(f.Survey.infperc, 10);
  EXPECT_EQ(f.Survey.redperc, 100);
  EXPECT_EQ(f.Survey.numqp, 7);
  EXPECT_TRUE(f.Survey.correct);

  // The close writes the full set again, in the stored types.
  ASSERT_TRUE(QueryClose());
  TRegistry reg;
  reg.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKeyReadOnly(ResMainForm::SettingsKey));
  EXPECT_EQ(reg.ReadInteger("DataPlotType"), 0);
  EXPECT_DOUBLE_EQ(reg.ReadFloat("MACH_EPS"), 1e-8);
  EXPECT_EQ(reg.ReadInteger("infperc"), 10);
}

TEST_F(SettingsTest, ResetSolverDefaultsKeepsTheInfinityReduction) {
  TMainForm& f = OpenForm();
  f.Survey.redperc = 55;
  f.Survey.nknumber = 3;
  f.ResetSolverDefaults();
  EXPECT_FALSE(f.Survey.nkuser);
  EXPECT_EQ(f.Survey.nknumber, 8);
  EXPECT_EQ(f.Survey.Solver, 3);
  EXPECT_DOUBLE_EQ(f.Survey.FactorX, 0.1);
  EXPECT_DOUBLE_EQ(f.Survey.FactorZ, 0.1);
  EXPECT_EQ(f.Survey.redperc, 55);
}

TEST_F(SettingsTest, ClosingDuringAComputationIsRefusedWithAMessage) {
  OpenForm();
  DC2dBEM::Running = true;
  Seam.AnswerMessage(mrOk);
  EXPECT_FALSE(QueryClose());
  DC2dBEM::Running = false;
  ASSERT_EQ(Seam.Prompts().size(), 1u);
  EXPECT_EQ(Seam.Prompts()[0].Text, "Please wait until the computation has finished.");
  EXPECT_TRUE(QueryClose());
}

TEST_F(SettingsTest, StoredDefaultBodyResistivityOfZeroComesBackAsTen) {
  PolygonProps props = Polygons::DefaultProps;
  props[Polygons::PropResistivity] = 0.0;
  props[11] = 7.5;
  const std::string line = ModelSection::PropertiesToStr(props, 18);
  Store([&](TRegistry& reg) {
    reg.WriteString("LastPath", "/data/a.k2d");
    reg.WriteString("Defpolparams", line);
  });
  OpenForm();
  EXPECT_DOUBLE_EQ(Polygons::DefaultProps[Polygons::PropResistivity].AsDouble(), 10.0);
  EXPECT_DOUBLE_EQ(Polygons::DefaultProps[11].AsDouble(), 7.5);
}

TEST_F(SettingsTest, ChartAndViewSettingsSurviveARestart) {
  TMainForm& f = OpenForm();
  f.PseudoSection2d1->MinContour = 0x123456;
  f.PseudoSection2d1->BottomAxis()->SetInverted(true);
  f.ObservedRhoGraph->MinColor = 0x654321;
  f.AxisTexts[21] = "1 2 3";
  Restart();

  TMainForm& g = *Form;
  EXPECT_EQ(g.PseudoSection2d1->MinContour, TColor(0x123456));
  EXPECT_EQ(g.PseudoSection2d2->MinContour, TColor(0x123456));
  EXPECT_TRUE(g.PseudoSection2d1->BottomAxis()->GetInverted());
  EXPECT_TRUE(g.PseudoSection2d2->BottomAxis()->GetInverted());
  EXPECT_EQ(g.ObservedRhoGraph->MinColor, TColor(0x654321));
  EXPECT_EQ(g.AxisTexts[21], "1 2 3");
  // The stored look of axes lives in the settings file named after the executable.
  TIniFile ini(Chart::SettingsFileName());
  EXPECT_FALSE(ini.ReadString("ps_axi_axes", "bottom", "").empty());
}

TEST_F(SettingsTest, ClosingWhilePolarizabilityIsShownKeepsEachCaseAndReturns) {
  TMainForm& f = OpenForm();
  f.DataQuantity = 1;
  f.ApplySectionSettings();
  f.PseudoSection2d1->MinContour = 0x0A0B0C;  // the polarizability case's colour bar
  ASSERT_TRUE(QueryClose());
  EXPECT_EQ(f.DataQuantity, 1);
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\KelmVev2er_allaxises_" + Multigraphics::ExecutableFileName() +
                                  "_difparams"));
  auto first = [&](const char* Name) {
    arofdoubleM fields;
    Supermath2d::ParseDoubles(reg.ReadString(Name), 0, fields);
    return fields.empty() ? -1.0 : fields[0];
  };
  EXPECT_EQ(first("graphcb10"), 0x0A0B0C);
  EXPECT_EQ(first("graphcb00"), 0xFF0000);
}

}  // namespace

}  // namespace SettingsTest
