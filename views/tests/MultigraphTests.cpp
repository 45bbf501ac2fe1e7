#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/Series.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/ScriptedUserSeam.h"
#include "views/Multigraphics.h"

namespace MultigraphTests {

namespace {

class MultigraphTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(400, 300);
    Graph = Create<multigraph>();
    Graph->TargetChart = Chart;
  }
  void TearDown() override {
    Owner->Free();  // frees the chart and with it the curves
    Graph->Free();
  }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  multigraph* Graph = nullptr;
};

TEST_F(MultigraphTest, InitGivesTheDefaultSettingsAndCurveLook) {
  EXPECT_EQ(Graph->SettingsToStr(), "255 65535 32768 16711680 0 0 1 0 0 0 16777215 0");
  EXPECT_EQ(Graph->DefaultParams, Graph->SettingsToStr());
  EXPECT_EQ(Graph->RandomColors.size(), 10001u);
  EXPECT_FALSE(Graph->SeriesTemplate.empty());
  EXPECT_EQ(Graph->DefaultSeriesTemplate, Graph->SeriesTemplate);
  Graph->CurveCount = 1;
  Graph->CreateCurves();
  TLineSeries* curve = Graph->Curve(0);
  ASSERT_NE(curve, nullptr);
  EXPECT_EQ(curve->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_EQ(curve->Pointer()->GetHorizSize(), 2);
  EXPECT_TRUE(curve->NoEditPopup);
}

TEST_F(MultigraphTest, ColourModesGiveTheCurveColours) {
  Graph->CurveCount = 1;
  Graph->BuildColors();
  EXPECT_EQ(Graph->CurveColors, (arofintM{0x0000FF}));
  Graph->CurveCount = 3;
  Graph->BuildColors();  // the first stops themselves; the last stop stays unused
  EXPECT_EQ(Graph->CurveColors, (arofintM{0x0000FF, 0x00FFFF, 0x008000}));
  Graph->CurveCount = 6;
  Graph->BuildColors();
  EXPECT_EQ(Graph->CurveColors.front(), 0x0000FF);
  EXPECT_NE(Graph->CurveColors.back(), 0xFF0000);
  Graph->ColorMode = 1;
  Graph->ConstantColor = 0x123456;
  Graph->BuildColors();
  EXPECT_EQ(Graph->CurveColors, arofintM(6, 0x123456));
  Graph->ColorMode = 2;
  Graph->RandomColors[4] = 0x7F123456;
  Graph->CurveCount = 10005;  // beyond the table the colours repeat
  Graph->BuildColors();
  EXPECT_EQ(Graph->CurveColors[4], 0x123456);
  EXPECT_EQ(Graph->CurveColors[10004], Graph->RandomColors[3] & 0xFFFFFF);
}

TEST_F(MultigraphTest, CurvesAreTitledColouredAndRecreatedOnlyWhenTheCountChanges) {
  Graph->CurveCount = 3;
  Graph->CreateCurves();
  ASSERT_EQ(Chart->SeriesCount(), 3);
  for (int32_t j = 0; j < 3; ++j) {
    EXPECT_EQ(Graph->Curve(j)->GetTitle(), std::to_string(j + 1));
    EXPECT_EQ(Graph->Curve(j)->GetSeriesColor(), Graph->CurveColors[static_cast<size_t>(j)]);
    EXPECT_EQ(Graph->Curve(j)->Pointer()->Pen()->GetColor(), Graph->CurveColors[static_cast<size_t>(j)]);
    EXPECT_EQ(Graph->Curve(j)->Pointer()->GetColor(), 0xFFFFFF);  // fixed fill
  }
  Graph->Curve(1)->AppendPoint(1, 2);
  TLineSeries* second = Graph->Curve(1);
  Graph->FixCurveLineColor = true;
  Graph->CurveLineColor = 0x00AA00;
  Graph->CreateCurves();  // same count: same curves, points kept, look re-applied
  EXPECT_EQ(Graph->Curve(1), second);
  EXPECT_EQ(second->Count(), 1);
  EXPECT_EQ(second->GetSeriesColor(), 0x00AA00);
  Graph->ClearCurves();
  EXPECT_EQ(second->Count(), 0);

  Graph->CurveCount = 2;
  Graph->CreateCurves();
  EXPECT_EQ(Chart->SeriesCount(), 2);
  Graph->CurveCount = 0;
  Graph->CreateCurves();
  EXPECT_EQ(Chart->SeriesCount(), 0);
  Graph->CurveCount = 2;
  Graph->CreateCurves();
  Graph->FreeCurves();
  EXPECT_EQ(Chart->SeriesCount(), 0);
  EXPECT_EQ(Graph->CurveCount, 0);
}

TEST_F(MultigraphTest, CurvesFreedWithTheirChartLeaveNoDanglingEntry) {
  Graph->CurveCount = 2;
  Graph->CreateCurves();
  Chart->FreeAllSeries();
  EXPECT_EQ(Graph->Curve(0), nullptr);
  Graph->CreateCurves();  // the empty entries get new curves
  EXPECT_EQ(Chart->SeriesCount(), 2);
}

TEST_F(MultigraphTest, SettingsLineIsAppliedWholeOrNotAtAll) {
  ASSERT_TRUE(Graph->SettingsFromStr("1 2 3 4 5 257 0 1 6 7 8 2"));
  EXPECT_EQ(Graph->SettingsToStr(), "1 2 3 4 5 1 0 1 6 7 8 2");
  for (const char* bad : {"1 2 3", "1 2 3 4 5 1 0 1 6 7 8", "1 2 3 4 five 1 0 1 6 7 8 2", "1 2 3 4 5 1 0 1 6 7 8 3"}) {
    std::string message;
    EXPECT_FALSE(Graph->SettingsFromStr(bad, message)) << bad;
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(Graph->SettingsToStr(), "1 2 3 4 5 1 0 1 6 7 8 2") << bad;
  }
}

TEST_F(MultigraphTest, TemplateLookRoundTripsThroughTheRegistry) {
  Graph->CurveCount = 1;
  Graph->CreateCurves();
  Graph->Curve(0)->Pointer()->SetStyle(TSeriesPointerStyle::psDiamond);
  Graph->Curve(0)->Pointer()->SetHorizSize(5);
  Graph->SeriesTemplate = Series::SeriesToText(Graph->Curve(0));
  Graph->ColorMode = 1;
  Graph->SaveSettings("mgtest");

  multigraph* other = Create<multigraph>();
  other->TargetChart = Chart;
  other->LoadSettings("mgtest");
  EXPECT_EQ(other->SettingsToStr(), Graph->SettingsToStr());
  EXPECT_EQ(other->SeriesTemplate, Graph->SeriesTemplate);
  other->CurveCount = 2;
  other->CreateCurves();
  EXPECT_EQ(other->Curve(1)->Pointer()->GetStyle(), TSeriesPointerStyle::psDiamond);
  EXPECT_EQ(other->Curve(1)->Pointer()->GetHorizSize(), 5);
  other->FreeCurves();
  other->Free();
}

TEST_F(MultigraphTest, LoadWithoutSettingsLineReadsNothing) {
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  reg.DeleteKey(multigraph::RegistryKey("mgonly"));
  ASSERT_TRUE(reg.OpenKey(multigraph::RegistryKey("mgonly"), true));
  reg.WriteString("seroptions", "something");
  const std::string before = Graph->SeriesTemplate;
  Graph->LoadSettings("mgonly");
  EXPECT_EQ(Graph->SeriesTemplate, before);
  EXPECT_EQ(Graph->SettingsToStr(), Graph->DefaultParams);

  reg.WriteString("mgparams", "1 2 3");  // too short: told once, nothing applied
  seam.AnswerMessage(mrOk);
  Graph->LoadSettings("mgonly");
  EXPECT_EQ(Graph->SettingsToStr(), Graph->DefaultParams);
  EXPECT_EQ(Graph->SeriesTemplate, before);
}

TEST_F(MultigraphTest, SetupGoesThroughTheInstalledDialog) {
  EXPECT_EQ(Graph->ShowSetup(), mrCancel);  // no dialog installed
  Multigraphics::SetupDialogHook = [](multigraph& g) {
    g.ColorMode = 1;
    g.CreateCurves();
    return mrOk;
  };
  Graph->CurveCount = 2;
  EXPECT_EQ(Graph->ShowSetup(), mrOk);
  EXPECT_EQ(Chart->SeriesCount(), 2);
  Multigraphics::SetupDialogHook = nullptr;
}

}  // namespace

}  // namespace MultigraphTests
