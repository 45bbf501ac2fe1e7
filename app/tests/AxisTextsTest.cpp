// Axis and colour-bar settings texts: the defaults of each display case, the
// texts kept per case across display switches, the lower section following the
// upper one, the stored form in the registry, and the status texts.

#include <sstream>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/series/Series.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace AxisTextsTest {

namespace {

using AppTest::AppFixture;
using AppTest::MeasurementRow;

// The blank-separated fields of a settings line ("*" for a value not set).
std::vector<std::string> Fields(const std::string& Text) {
  std::vector<std::string> fields;
  std::istringstream in(Text);
  for (std::string field; in >> field;) fields.push_back(field);
  return fields;
}

ararofdoubleM WennerRows() {
  ararofdoubleM rows;
  for (int a : {2, 4})
    for (int i = 0; i + 3 * a <= 20; i += 2) rows.push_back(MeasurementRow(i, i + 3 * a, i + a, i + 2 * a, 50.0 + 5 * i));
  return rows;
}

class AxisTextsTest : public AppFixture {
 protected:
  // Logarithmic setting an axis text gives, read through a section's axis.
  static bool Logarithmic(TMainForm& f, const std::string& Text) {
    TChartAxis& axis = *f.PseudoSection2d2->LeftAxis();
    PlotEngine::AxisFromText(axis, Text, true);
    return axis.GetLogarithmic();
  }
  // A display switch: the texts of the case left are stored, those of the case
  // entered applied.
  static void SwitchQuantity(TMainForm& f, int32_t Quantity) {
    f.StoreAxisTexts();
    f.DataQuantity = Quantity;
    f.ApplySectionSettings();
  }
};

TEST_F(AxisTextsTest, DefaultsGiveEachDisplayCaseItsScale) {
  TMainForm& f = OpenForm();
  EXPECT_TRUE(Logarithmic(f, f.AxisTexts[0]));   // apparent resistivity graphs
  EXPECT_TRUE(Logarithmic(f, f.AxisTexts[1]));   // resistance
  EXPECT_FALSE(Logarithmic(f, f.AxisTexts[2]));  // apparent polarizability
  EXPECT_TRUE(Logarithmic(f, f.AxisTexts[3]));   // polarized resistance
  EXPECT_FALSE(Logarithmic(f, f.AxisTexts[8]));  // pseudo-section depth axis
  const std::vector<std::string> rho = Fields(f.AxisTexts[10]), eta = Fields(f.AxisTexts[12]);
  ASSERT_EQ(rho.size(), 18u);
  ASSERT_EQ(eta.size(), 18u);
  EXPECT_EQ(rho[0], "16711680");  // blue to red
  EXPECT_EQ(rho[1], "255");
  EXPECT_EQ(rho[13], "1");        // logarithmic data scale
  EXPECT_EQ(rho[11], "0");        // no user limits
  EXPECT_EQ(eta[0], "255");
  EXPECT_EQ(eta[13], "0");
  EXPECT_EQ(f.AxisTexts[13], f.AxisTexts[11]);
}

TEST_F(AxisTextsTest, EachDisplayCaseKeepsItsOwnAxisAndColourBar) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows(), true);
  f.Survey.DataPlotType = 1;
  f.ApplySectionSettings();
  TPseudoSection2d& upper = *f.PseudoSection2d1;
  ASSERT_TRUE(upper.LeftAxis()->GetLogarithmic());
  upper.LeftAxis()->SetLogarithmic(false);
  upper.MinContour = 0x123456;

  SwitchQuantity(f, 1);
  EXPECT_FALSE(upper.LeftAxis()->GetLogarithmic());
  EXPECT_EQ(upper.MinContour, TColor(0x0000FF));
  upper.LeftAxis()->SetLogarithmic(true);

  SwitchQuantity(f, 0);
  EXPECT_FALSE(upper.LeftAxis()->GetLogarithmic());
  EXPECT_EQ(upper.MinContour, TColor(0x123456));
  EXPECT_EQ(f.PseudoSection2d2->MinContour, TColor(0x123456));
  SwitchQuantity(f, 1);
  EXPECT_TRUE(upper.LeftAxis()->GetLogarithmic());
}

TEST_F(AxisTextsTest, LowerSectionChangeReachesTheUpperInSeparateStyle) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  f.PseudoSection2d2->MaxContour = 0x00AA00;
  f.SectionSettingsChanged(f.PseudoSection2d2);
  EXPECT_EQ(f.PseudoSection2d1->MaxContour, TColor(0x00AA00));
  f.WorksheetStyle = 1;
  f.PseudoSection2d2->MaxContour = 0x0000AA;
  f.SectionSettingsChanged(f.PseudoSection2d2);
  EXPECT_EQ(f.PseudoSection2d1->MaxContour, TColor(0x00AA00));
}

TEST_F(AxisTextsTest, LowerColourScaleFollowsTheDisplayCase) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, WennerRows());
  for (osource& s : f.Survey.Asource)
    for (size_t j = 0; j < s.RhoA.size(); ++j) s.RhoACalc[j] = 0.9 * s.RhoA[j];
  f.CalculatedReady = true;
  f.PlotData(true);
  TPseudoSection2d& lower = *f.PseudoSection2d2;
  struct TCase {
    int32_t AddDataType;
    bool UserLimits, Log;
    double Min, Max;
  };
  const TCase cases[] = {{0, true, true, f.PseudoSection2d1->DataMin, f.PseudoSection2d1->DataMax},
                         {1, false, false, 0, 0},
                         {2, true, false, 0.0, 100.0}};
  for (const TCase& c : cases) {
    f.AddDataType = c.AddDataType;
    f.PlotData(false);
    EXPECT_EQ(lower.UseExternal, c.UserLimits) << c.AddDataType;
    EXPECT_EQ(lower.LogScale, c.Log) << c.AddDataType;
    if (c.UserLimits) {
      EXPECT_DOUBLE_EQ(lower.ExtMin, c.Min) << c.AddDataType;
      EXPECT_DOUBLE_EQ(lower.ExtMax, c.Max) << c.AddDataType;
    }
  }
}

TEST_F(AxisTextsTest, NormalisingTouchesOnlyAnExistingField) {
  // An unset user maximum ("*") keeps its place, so the user minimum stays field 17.
  const std::string full = "1 2 3 4 5 6 7 8 9 10 11 1 0 1 1 0 * 5";
  EXPECT_EQ(ResMainForm::NormaliseColourBarText(full), "1 2 3 4 5 6 7 8 9 10 11 0 0 1 1 0 * 5");
  // Texts shorter than the field, or without numbers, come back unchanged.
  for (const std::string text : {"1 2 3", "", "abc"}) EXPECT_EQ(ResMainForm::NormaliseColourBarText(text), text);
  EXPECT_EQ(ResMainForm::NormaliseModelColourBarText(full), full);
  EXPECT_EQ(ResMainForm::NormaliseModelColourBarText(full + " 1 2"), full + " 1 -987654321");
}

TEST_F(AxisTextsTest, StoredTextsComeBackWithAutomaticScalingAndNoUserLimits) {
  TMainForm& f = OpenForm();
  TChartAxis& axis = *f.PseudoSection2d2->LeftAxis();
  axis.SetAutomatic(false);
  axis.SetMinMax(3.0, 7.0);
  f.AxisTexts[2] = PlotEngine::AxisToText(axis);
  f.PseudoSection2d1->SettingsFromStr(f.AxisTexts[12]);
  f.PseudoSection2d1->UseExternal = true;
  f.AxisTexts[12] = f.PseudoSection2d1->SettingsToStr();
  ASSERT_EQ(Fields(f.AxisTexts[12])[11], "1");
  f.SaveAxisTexts("KelmVev2er_allaxises");

  f.AxisTexts = {};
  f.LoadAxisTexts("KelmVev2er_allaxises");
  PlotEngine::AxisFromText(axis, f.AxisTexts[2], true);
  EXPECT_TRUE(axis.GetAutomatic());
  EXPECT_TRUE(axis.GetAutomaticMinimum());
  EXPECT_TRUE(axis.GetAutomaticMaximum());
  EXPECT_EQ(Fields(f.AxisTexts[12])[11], "0");
  EXPECT_FALSE(f.AxisTexts[8].empty());
  // Not stored: the "Default" texts.
  EXPECT_TRUE(f.AxisTexts[4].empty());
}

TEST_F(AxisTextsTest, KeyWithoutTheLastValueKeepsTheDefaults) {
  TMainForm& f = OpenForm();
  const auto defaults = f.AxisTexts;
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(reg.OpenKey("\\Software\\KelmVev2er_allaxises_" + Multigraphics::ExecutableFileName() + "_difparams",
                            true));
    reg.WriteString("graphaxis00", "garbage");
    if (reg.ValueExists("modelcb11")) reg.DeleteValue("modelcb11");
  }
  f.LoadAxisTexts("KelmVev2er_allaxises");
  EXPECT_EQ(f.AxisTexts, defaults);
}

TEST_F(AxisTextsTest, StatusPanelFollowsTheCursor) {
  TMainForm& f = OpenForm();
  f.PseudoSection2d1->CursorText = "12 3.5";
  f.psmm(f.PseudoSection2d1);
  EXPECT_EQ(f.GetStatusText(1), "12 3.5");
  f.PolygonChart1->CursorX = 25.0;
  f.PolygonChart1->CursorZ = 0.25;
  f.ShowCursorPosition();
  EXPECT_EQ(f.GetStatusText(1), Supermath2d::FloatToStrDec(0, 1, 25.0) + " " + Supermath2d::FloatToStrDec(0, 1, 0.25));
}

}  // namespace

}  // namespace AxisTextsTest
