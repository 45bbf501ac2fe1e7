// The chart's pop-up menus, the point export, the axis hint and the
// settings file, through the scripted user seam.
#include "chart/engine/tests/ChartFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/rtl/IniFiles.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace ChartMenuTests {

using enum TShiftStateItem;

namespace {

class ChartMenuTest : public ChartTest {
protected:
  void SetUp() override {
    ChartTest::SetUp();
    Seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
    Series = AddSeries("a", {10, 20, 30});
    Draw();
  }
  void ShiftRightClick(int32_t X, int32_t Y) { Chart->MouseDown(TMouseButton::mbRight, {ssShift, ssRight}, X, Y); }
  void ClickSeriesMenu() { ShiftRightClick(Series->PointPixelX(1), Series->PointPixelY(1)); }
  static std::vector<std::string> Captions(TPopupMenu& Menu) {
    std::vector<std::string> c;
    for (int i = 0; i < Menu.Items()->Count(); ++i) c.push_back(Menu.Items()->GetItem(i)->GetCaption());
    return c;
  }
  static std::string ReadFile(const std::string& Name) {
    std::ifstream in(Name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TScriptedUserSeam Seam;
  TChartTestSeries* Series = nullptr;
};

}  // namespace

TEST_F(ChartMenuTest, SeriesMenuOffersOptionsDefaultAndSave) {
  std::vector<std::string> captions;
  Seam.AnswerPopup([&](TPopupMenu& Menu) -> TMenuItem* {
    captions = Captions(Menu);
    return nullptr;
  });
  ClickSeriesMenu();
  EXPECT_EQ(captions, (std::vector<std::string>{"Options", "Default", "Save"}));
  EXPECT_EQ(Chart->ClickedSeries, Series);
  EXPECT_FALSE(Chart->MouseCancelled);
}

TEST_F(ChartMenuTest, NoEditPopupSeriesOpensNoMenuButStillFiresClicks) {
  Series->NoEditPopup = true;
  int clicks = 0;
  Chart->OnClickSeries = [&](TCustomChart*, TChartSeries* S, int32_t, TMouseButton, TShiftState, int, int) {
    EXPECT_EQ(S, Series);
    ++clicks;
  };
  ClickSeriesMenu();
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(Seam.Prompts().empty());
}

TEST_F(ChartMenuTest, SeriesDefaultRestoresTheStoredLookAndReportsTheCommand) {
  std::string applied;
  const auto saved = PlotEngine::SeriesFromText;
  PlotEngine::SeriesFromText = [&](TChartSeries*, const std::string& Text) {
    applied = Text;
    return true;
  };
  Series->SeriesDefaultText = "stored look";
  TObject* sender = nullptr;
  Chart->OnSeriesPopupCommand = [&](TObject* S) { sender = S; };
  Seam.AnswerPopupItem("Default");
  ClickSeriesMenu();
  PlotEngine::SeriesFromText = saved;
  EXPECT_EQ(applied, "stored look");
  EXPECT_EQ(sender, Series);
}

TEST_F(ChartMenuTest, LegendMenuTicksTheModeAndSwitchesIt) {
  AddSeries("b", {1, 2});
  Draw();
  const TRect l = Chart->Legend()->PlacedRect;
  std::vector<bool> ticks;
  Seam.AnswerPopup([&](TPopupMenu& Menu) -> TMenuItem* {
    EXPECT_EQ(Captions(Menu), (std::vector<std::string>{"Options", "Visible", "X auto", "Y auto"}));
    for (int i = 0; i < Menu.Items()->Count(); ++i) ticks.push_back(Menu.Items()->GetItem(i)->GetChecked());
    return Menu.Items()->Find("X auto");
  });
  TObject* sender = nullptr;
  Chart->OnSeriesPopupCommand = [&](TObject* S) { sender = S; };
  ShiftRightClick((l.Left + l.Right) / 2, Chart->Legend()->ItemsTop() + 5);
  EXPECT_EQ(ticks, (std::vector<bool>{false, true, false, false}));
  EXPECT_EQ(Chart->LegendMode, 1);
  EXPECT_EQ(sender, Chart);
}

TEST_F(ChartMenuTest, AxisFixKeepsTheLimitsAndStopsFollowingTheData) {
  TChartAxis& left = *Chart->LeftAxis();
  const double mn = left.GetMinimum(), mx = left.GetMaximum();
  ASSERT_TRUE(left.GetAutomatic());
  TObject* sender = nullptr;
  Chart->OnAxisPopupCommand = [&](TObject* S) { sender = S; };
  Seam.AnswerPopupItem("Fix");
  ShiftRightClick(Chart->ChartRect.Left - 8, (Chart->ChartRect.Top + Chart->ChartRect.Bottom) / 2);
  EXPECT_EQ(Chart->ClickedAxis, &left);
  EXPECT_FALSE(left.GetAutomatic());
  Series->AppendPoint(3, 500);
  Draw();
  EXPECT_DOUBLE_EQ(left.GetMinimum(), mn);
  EXPECT_DOUBLE_EQ(left.GetMaximum(), mx);
  EXPECT_EQ(sender, Chart);
}

TEST_F(ChartMenuTest, SaveWritesTheAxisScaledPointTableAsTxt) {
  Chart->LeftAxis()->LabelOffset = -100;
  const std::string base = TempDir() + "/points";
  std::filesystem::remove(base + ".txt");
  Seam.AnswerPopupItem("Save");
  Seam.AnswerFileDialog(TFileDialogResult{{base + ".csv"}, 1});
  ClickSeriesMenu();
  EXPECT_FALSE(std::filesystem::exists(base + ".csv"));
  const std::string text = ReadFile(base + ".txt");
  EXPECT_EQ(text,
            "X\tY\r\n"
            " 0.00000000000000E+0000\t-9.00000000000000E+0001\r\n"
            " 1.00000000000000E+0000\t-8.00000000000000E+0001\r\n"
            " 2.00000000000000E+0000\t-7.00000000000000E+0001\r\n");
}

TEST_F(ChartMenuTest, SaveThatCannotWriteSaysSoAndCancelWritesNothing) {
  Seam.AnswerPopupItem("Save");
  Seam.AnswerFileDialog(TFileDialogResult{{"/nonexistent-folder/x/points.txt"}, 1});
  Seam.AnswerMessage(mrOk);
  ClickSeriesMenu();
  ASSERT_EQ(Seam.Prompts().size(), 3u);
  EXPECT_EQ(Seam.Prompts()[2].Kind, TPromptKind::Message);
  EXPECT_NE(Seam.Prompts()[2].Text.find("/nonexistent-folder/x/points.txt"), std::string::npos);

  Seam.AnswerPopupItem("Save");
  Seam.AnswerFileDialog(std::optional<TFileDialogResult>{});
  ClickSeriesMenu();
  EXPECT_EQ(Seam.Pending(), 0u);
}

TEST_F(ChartMenuTest, AxisHintIsSetOverAxesClearedOffThemAndGivenTenTimes) {
  const int32_t axisX = Chart->ChartRect.Left - 8, y = (Chart->ChartRect.Top + Chart->ChartRect.Bottom) / 2;
  const TPoint inside{(Chart->ChartRect.Left + Chart->ChartRect.Right) / 2, y};
  for (int i = 0; i < 10; ++i) {
    Chart->MouseMove({}, axisX, y);
    EXPECT_EQ(Chart->Hint, "[Shift+RightClick] axis settings") << i;
    EXPECT_EQ(Chart->GetChartCursor(), crHandPoint);
    Chart->MouseMove({}, inside.X, inside.Y);
    EXPECT_EQ(Chart->Hint, "") << i;
  }
  Chart->MouseMove({}, axisX, y);
  EXPECT_EQ(Chart->Hint, "");
  EXPECT_EQ(Chart->AxisHintCount, 10);
}

TEST_F(ChartMenuTest, AxesFormatRoundTripRestoresLooksAndLeavesAxesAutomatic) {
  std::filesystem::remove(Chart::SettingsFileName());
  TChartAxis& left = *Chart->LeftAxis();
  left.Grid()->SetColor(clRed);
  left.SetMinMax(5, 6);
  Chart::SaveAxesFormat(Chart, "pc_axi");
  TIniFile ini(Chart::SettingsFileName());
  EXPECT_EQ(ini.ReadString("pc_axi_axes", "left", ""), PlotEngine::AxisToText(left));
  left.Grid()->SetColor(clBlue);
  Chart::LoadAxesFormat(Chart, "pc_axi");
  EXPECT_EQ(left.Grid()->GetColor(), clRed);
  EXPECT_TRUE(left.GetAutomatic());
  // A second chart under the same name shares the section; the later save wins.
  auto* other = Create<TChart>(Owner);
  other->LeftAxis()->Grid()->SetColor(clGreen);
  Chart::SaveAxesFormat(other, "pc_axi");
  Chart::LoadAxesFormat(Chart, "pc_axi");
  EXPECT_EQ(left.Grid()->GetColor(), clGreen);
  // A name never saved leaves the looks and switches Automatic on.
  left.SetAutomatic(false);
  Chart::LoadAxesFormat(Chart, "never");
  EXPECT_EQ(left.Grid()->GetColor(), clGreen);
  EXPECT_TRUE(left.GetAutomatic());
}

TEST_F(ChartMenuTest, SuspendedFormatLoadingReadsNothingUntilTheUnitStartsAgain) {
  std::filesystem::remove(Chart::SettingsFileName());
  TChartAxis& left = *Chart->LeftAxis();
  left.Grid()->SetColor(clRed);
  Chart::SaveAxesFormat(Chart, "pc_axi");
  left.Grid()->SetColor(clBlue);
  left.SetAutomatic(false);
  Chart::FormatLoadingSuspended = true;
  Chart::LoadAxesFormat(Chart, "pc_axi");
  EXPECT_EQ(left.Grid()->GetColor(), clBlue);
  EXPECT_FALSE(left.GetAutomatic());
  Chart::Initialize();
  EXPECT_FALSE(Chart::FormatLoadingSuspended);
  Chart::LoadAxesFormat(Chart, "pc_axi");
  EXPECT_EQ(left.Grid()->GetColor(), clRed);
}

TEST_F(ChartMenuTest, SeriesFormatIsKeyedByASafeTypeText) {
  std::filesystem::remove(Chart::SettingsFileName());
  static const std::string description = "Horizontal\rLine=[x]";
  Chart::AddSeriesType(TChartTestSeries::StaticClass(), &description, &PlotConst::MsgGalleryStandard, 2);
  const auto savedTo = PlotEngine::SeriesToText;
  const auto savedFrom = PlotEngine::SeriesFromText;
  PlotEngine::SeriesToText = [](TChartSeries* S) { return "look~" + std::to_string(S->GetSeriesColor()); };
  std::string read;
  PlotEngine::SeriesFromText = [&](TChartSeries*, const std::string& Text) {
    read = Text;
    return true;
  };
  Series->SetSeriesColor(clRed);
  Chart::SaveSeriesFormat(Chart, "pc", Series);
  Chart::LoadSeriesFormat(Chart, "pc", Series);
  PlotEngine::SeriesToText = savedTo;
  PlotEngine::SeriesFromText = savedFrom;
  Chart::RemoveSeriesTypes({TChartTestSeries::StaticClass()});
  EXPECT_EQ(read, "look~" + std::to_string(clRed));
  EXPECT_EQ(Chart::SeriesKey(Series), "ser_TChartTestSeries");
  const std::string file = ReadFile(Chart::SettingsFileName());
  EXPECT_NE(file.find("[pc_serie]"), std::string::npos);
  EXPECT_NE(file.find("ser_Horizontal Line  x="), std::string::npos);
}

}  // namespace ChartMenuTests
