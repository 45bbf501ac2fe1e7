// Start-up: the command line, the one-shot timer opening a k2d file, the caption,
// and the progress gauge and misfit text driven by the forward run.

#include <filesystem>

#include <QFontMetrics>
#include <QImage>

#include "app/ModelConstruct.h"
#include "app/ProgramVersion.h"
#include "controls/SplashArt.h"
#include "controls/abcfspla.h"
#include "controls/abcspla.h"
#include "platform/ui/ExtCtrls.h"
#include "app/tests/AppTestSupport.h"
#include "controls/dfsStatusBar.h"
#include "platform/ui/QtBridge.h"

namespace StartupTest {

namespace {

using AppTest::AppFixture;

TEST(CommandLineTest, FirstK2dArgumentIsTheFileAndSplashSwitchesAreSkipped) {
  struct TCase {
    std::vector<std::string> Params;
    std::string File;
  };
  const TCase cases[] = {
      {{}, ""},
      {{"-ns"}, ""},
      {{"/NS", "line1.K2D"}, "line1.K2D"},
      {{"notes.txt", "/data/my survey/a.k2d", "b.k2d"}, "/data/my survey/a.k2d"},
      {{"a.k2d.bak"}, ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(TMainForm::CommandLineK2dFile(c.Params), c.File);
}

class StartupTest : public AppFixture {
 protected:
  // Answers the "Model constructor" dialog that a file without a model asks.
  void AcceptModelConstructor() { AppTest::AcceptModelConstructor(Seam); }
};

TEST_F(StartupTest, TimerOpensTheK2dFileOfTheCommandLineOnce) {
  const std::string file = AppTest::ExampleFile("wenner.k2d");
  Application->SetParams({"kelmvev2er", "-ns", file});
  TMainForm& f = OpenForm();
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er");
  EXPECT_EQ(f.Timer1->GetInterval(), 1000u);
  AcceptModelConstructor();

  // Record the gauge as the solver moves it through the installed callback.
  std::vector<int> gauge;
  auto installed = DC2dBEM::OnProgressStep;
  DC2dBEM::OnProgressStep = [&] {
    installed();
    gauge.push_back(f.GaugePosition());
  };
  ASSERT_TRUE(AppTest::RunUntil([&] { return !f.Timer1->GetEnabled(); }, 5000));

  EXPECT_EQ(f.GetCaption(), "KelmVev2Er [wenner.k2d]");
  EXPECT_FALSE(f.Survey.Asource.empty());
  EXPECT_TRUE(f.ObservedLoaded);
  EXPECT_TRUE(f.CalculatedReady);
  EXPECT_TRUE(f.ToolBar2->GetVisible());
  EXPECT_TRUE(f.panel1->GetVisible());
  // The gauge climbs to 100 in steps of 100/N and is back at 0 after the run.
  ASSERT_FALSE(gauge.empty());
  EXPECT_TRUE(std::is_sorted(gauge.begin(), gauge.end()));
  EXPECT_GT(gauge.front(), 0);
  EXPECT_EQ(gauge.back(), 100);
  EXPECT_EQ(f.GaugePosition(), 0);
  // Misfit of resistivity and polarizability, as the solver formats it.
  EXPECT_NE(f.GetStatusText(3).find('/'), std::string::npos) << f.GetStatusText(3);
}

TEST_F(StartupTest, TimerWithoutAK2dFileOpensNothingAndStops) {
  Application->SetParams({"kelmvev2er", "-ns", AppTest::ExampleFile("dipole-dipole.dat")});
  TMainForm& f = OpenForm();
  f.Timer1Timer(f.Timer1);
  EXPECT_FALSE(f.Timer1->GetEnabled());
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er");
  EXPECT_TRUE(f.Survey.Asource.empty());
  EXPECT_FALSE(f.ToolBar2->GetVisible());
}

TEST_F(StartupTest, MissingCommandLineFileIsReportedAndLeavesTheWindowEmpty) {
  Application->SetParams({"kelmvev2er", "/ns", "/nonexistent/line9.k2d"});
  TMainForm& f = OpenForm();
  Seam.AnswerMessage(mrOk);
  f.Timer1Timer(f.Timer1);
  EXPECT_EQ(Seam.Prompts().size(), 1u);
  EXPECT_EQ(f.GetCaption(), "KelmVev2Er");
  EXPECT_FALSE(f.Timer1->GetEnabled());
}

TEST_F(StartupTest, WindowHoldsItsComponentsBeforeAnyData) {
  TMainForm& f = OpenForm();
  ASSERT_EQ(f.StatusBar1->GetPanels()->Count(), 6);
  const int widths[] = {20, 180, 37, 50, 18};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(f.StatusBar1->GetPanels()->GetItem(i)->GetWidth(), widths[i]) << i;
  EXPECT_GE(f.StatusBar1->GetPanels()->GetItem(5)->GetWidth(), 360);
  EXPECT_EQ(f.StatusBar1->GetPanels()->GetItem(2)->GetPanelType(), TdfsStatusPanelType::sptGauge);
  EXPECT_FALSE(f.panel1->GetVisible());
  EXPECT_FALSE(f.ToolBar2->GetVisible());
  EXPECT_EQ(f.SpeedButton6->GetHint(), "Forward problem");
  EXPECT_FALSE(f.SpeedButton3->GetVisible());
  ASSERT_NE(f.MainMenu1->Items()->Find("File"), nullptr);
  EXPECT_NE(f.MainMenu1->Items()->Find("File")->Find("Create survey"), nullptr);
  EXPECT_EQ(f.Options1->Find("Data")->Count(), 14);
  EXPECT_EQ(f.OpenDialog3->Filter, "PGM Data files|*.pgm");
}

TEST_F(StartupTest, TheHelpPanelTakesTheWidthLeftAndTheMisfitPanelItsText) {
  TMainForm& f = OpenForm();
  TdfsStatusPanels* panels = f.StatusBar1->GetPanels();
  const auto total = [&] {
    int sum = f.StatusBar1->SizeGrip ? f.StatusBar1->GetHeight() : 0;
    for (int i = 0; i < 6; ++i) sum += panels->GetItem(i)->GetWidth();
    return sum;
  };
  const QFontMetrics metrics(UiBridge::ToQFont(*f.StatusBar1->GetFont()));
  struct TCase {
    int Width;
    const char* Misfit;
  };
  for (const TCase& c : {TCase{1600, "0/0"}, TCase{1600, "12345.6/78901.2"}, TCase{1200, "3.1/2.7"}}) {
    SCOPED_TRACE(std::to_string(c.Width) + " " + c.Misfit);
    f.SetBounds(0, 0, c.Width, 900);
    f.SetStatusText(3, c.Misfit);
    Application->ProcessMessages();
    EXPECT_GE(panels->GetItem(3)->GetWidth(), 50);
    EXPECT_GT(panels->GetItem(3)->GetWidth(), metrics.horizontalAdvance(c.Misfit));
    EXPECT_EQ(total(), f.StatusBar1->GetClientWidth());
  }
}

TEST_F(StartupTest, ContextWithoutTheHelpDocumentSaysSo) {
  ASSERT_FALSE(std::filesystem::exists("KelmVev2Er.pdf"));
  TMainForm& f = OpenForm();
  Seam.AnswerMessage(mrOk);
  f.Context1->Click();
  ASSERT_EQ(Seam.Prompts().size(), 1u);
  EXPECT_EQ(Seam.Prompts()[0].Text, "File not found - KelmVev2Er.pdf");
}

TEST_F(StartupTest, AboutShowsThePictureWithTheProgramsVersionShapedToItsCard) {
  TMainForm& f = OpenForm();
  f.About1->Click();
  TabcsfSplash* splash = f.abcSplash1->SplashForm();
  ASSERT_NE(splash, nullptr);
  // The picture shown is the one drawn with the version line, not the one without.
  const auto pixels = [](const TPicture& P) {
    TBitmap b(SplashArt::Width, SplashArt::Height);
    b.GetCanvas()->Draw(0, 0, P.GetGraphic());
    return b.Image();
  };
  TPicture withVersion, plain;
  SplashArt::LoadInto(withVersion, std::string("Version ") + ProgramVersion);
  SplashArt::LoadInto(plain);
  const QImage shown = pixels(*splash->imgSplash->Picture());
  EXPECT_EQ(shown, pixels(withVersion));
  EXPECT_NE(shown, pixels(plain));
  EXPECT_EQ(splash->abcShapeForm1->GetTolerance(), SplashArt::ShapeTolerance);
  f.abcSplash1->HideSplash();
}

}  // namespace

}  // namespace StartupTest
