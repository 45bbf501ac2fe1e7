#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>

#include "chart/engine/PlotConst.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/Registry.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScriptedUserSeam.h"
#include "views/PseudoSection2d.h"

namespace PseudoSectionViewTests {

namespace {

using Supermath2d::NoValue;

// Apparent resistivity of a synthetic dipole-dipole line over a conductive and a
// resistive body in a 100 ohm m ground: 40 stations 5 m apart, 8 levels.
double Rho(double x, double z) {
  const double low = std::exp(-((x - 60) * (x - 60) / 300.0 + (z - 6) * (z - 6) / 20.0));
  const double high = std::exp(-((x - 140) * (x - 140) / 500.0 + (z - 12) * (z - 12) / 40.0));
  return 100.0 * std::pow(10.0, 0.9 * high - 0.8 * low);
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class PseudoSectionViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    std::filesystem::create_directories(Dir);
    Owner = new TComponent(nullptr);
    View = Create<TPseudoSection2d>(Owner);
    View->SetBounds(640, 360);
  }
  void TearDown() override { Owner->Free(); }

  void ShowSurvey() {
    View->NextNode = 1;
    for (int level = 1; level <= 8; ++level)
      for (int s = level; s <= 40 - level; ++s) {
        const double x = 5.0 * s, z = 2.5 * level;
        View->AddNode(x, z, Rho(x, z), false);
      }
    View->LogScale = true;
    View->ColorBarCaption = "ohm m";
    View->Triangulate(true);
    View->BuildLevels();
    View->UpdatePicture(View);
  }

  std::unique_ptr<TBitmap> Paint() {
    auto bitmap = std::make_unique<TBitmap>(View->GetWidth(), View->GetHeight());
    View->DrawTo(*bitmap->GetCanvas(), TRect(0, 0, View->GetWidth(), View->GetHeight()));
    return bitmap;
  }

  TPoint NodePixel(int32_t b) const {
    const dVertex3d& v = View->Nodes[static_cast<size_t>(b)];
    return {View->FrameSeries->XValueToPixel(v.x0), View->FrameSeries->YValueToPixel(v.y0)};
  }

  // Whether node b lies on the outline of the section: the top or bottom level, or the
  // end of its level.
  bool OnOutline(int32_t b) const {
    const dVertex3d& v = View->Nodes[static_cast<size_t>(b)];
    double ymin = v.y0, ymax = v.y0, xmin = v.x0, xmax = v.x0;
    for (int32_t i = 1; i < View->NextNode; ++i) {
      const dVertex3d& w = View->Nodes[static_cast<size_t>(i)];
      ymin = std::min(ymin, w.y0);
      ymax = std::max(ymax, w.y0);
      if (w.y0 == v.y0) xmin = std::min(xmin, w.x0), xmax = std::max(xmax, w.x0);
    }
    return v.y0 == ymin || v.y0 == ymax || v.x0 == xmin || v.x0 == xmax;
  }

  const std::string Dir = "/tmp/e8";
  TComponent* Owner = nullptr;
  TPseudoSection2d* View = nullptr;
};

TEST_F(PseudoSectionViewTest, ConstructionGivesTheDefaultLookAndMenu) {
  EXPECT_EQ(View->SettingsToStr(), " 255 16711680 16711680 255 65535 32768 15 25 70 1 20 0 1 0 1 1 * *");
  EXPECT_EQ(View->NextNode, 1);
  ASSERT_NE(View->PopupMenu, nullptr);
  ASSERT_EQ(View->PopupMenu->Items()->Count(), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(View->PopupMenu->Items()->GetItem(i)->GetCaption(), PseudoSection2d::MenuCaptions[i]);
  EXPECT_TRUE(View->LeftAxis()->GetInverted());
  EXPECT_TRUE(View->ImageTool->SwapVertical);
  EXPECT_EQ(View->PictureWidth, 5 * Screen->GetWidth());
}

TEST(PseudoSectionPicture, SizeIsFiveScreensWithinTheReplayableArea) {
  struct Case {
    int32_t w, h;
  };
  for (const Case c : {Case{800, 600}, Case{1920, 1080}, Case{2560, 1440}, Case{3840, 2160}, Case{0, 0}}) {
    const TSize s = PseudoSection2d::PictureSizeFor(c.w, c.h);
    EXPECT_LE(int64_t(s.cx) * s.cy, int64_t(1) << 26) << c.w;
    EXPECT_GT(s.cx, 0) << c.w;
    if (int64_t(25) * c.w * c.h <= (int64_t(1) << 26) && c.w > 0) {
      EXPECT_EQ(s.cx, 5 * c.w);
      EXPECT_EQ(s.cy, 5 * c.h);
    } else if (c.w > 0) {
      EXPECT_NEAR(double(s.cx) / s.cy, double(c.w) / c.h, 0.01) << c.w;
      EXPECT_GT(int64_t(s.cx) * s.cy, (int64_t(1) << 26) * 99 / 100) << c.w;
    }
  }
}

TEST_F(PseudoSectionViewTest, LogarithmicSectionRendersBandsMatchingTheData) {
  ShowSurvey();
  ASSERT_GT(View->NextNode, 200);
  ASSERT_EQ(View->LevNum, 15);
  ASSERT_FALSE(View->Picture->GetEmpty());
  // Levels evenly spaced in the logarithm, rounded short.
  for (size_t k = 1; k < View->Levels.size(); ++k) EXPECT_GT(View->Levels[k], View->Levels[k - 1]);
  const auto shown = Paint();
  QImage(shown->Image()).save(QString::fromStdString(Dir + "/pseudosection.png"));

  // Without isolines and grid points, the pixel at a node has the band of its value
  // wherever the value is well inside a band.
  View->LinesVisible = false;
  View->GridSeries->SetActive(false);
  View->UpdatePicture(View);
  const auto bands = Paint();
  int checked = 0;
  for (int32_t b = 1; b < View->NextNode; ++b) {
    const double v = View->Nodes[static_cast<size_t>(b)].value;
    size_t k = 0;
    while (k < View->Levels.size() && View->Levels[k] < v) ++k;
    const double below = k > 0 ? View->Levels[k - 1] : 0.0, above = k < View->Levels.size() ? View->Levels[k] : 1e300;
    if (std::log(v / below) < 0.03 || std::log(above / v) < 0.03) continue;
    if (OnOutline(b)) continue;  // the outline pixels belong to the frame and axes
    const TPoint p = NodePixel(b);
    EXPECT_EQ(bands->GetPixelColor(p.X, p.Y), View->FillColors[k]) << "node " << b << " value " << v;
    ++checked;
  }
  EXPECT_GT(checked, 100);
  // The colour bar beside the plot shows the lowest band at its foot and the highest on top.
  const int barX = View->ChartRect.Right + 17;
  EXPECT_EQ(bands->GetPixelColor(barX, View->ChartRect.Bottom - 3), View->FillColors.front());
  EXPECT_EQ(bands->GetPixelColor(barX, View->ChartRect.Top + 3), View->FillColors.back());
}

TEST_F(PseudoSectionViewTest, ColorBarCaptionAndLegendStayBesideThePlot) {
  ShowSurvey();
  // Black pixels of the caption: in the title band above the bar when the owner gives
  // the view a title, lowered into the view's top rows when it has none.
  const auto blackIn = [](const TBitmap& b, const TRect& r) {
    int n = 0;
    for (int y = std::max(r.Top, 0); y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += b.GetPixelColor(x, y) == clBlack;
    return n;
  };
  View->Title()->SetTextLine("Observed apparent resistivity");
  auto titled = Paint();
  QImage(titled->Image()).save(QString::fromStdString(Dir + "/pseudosection_titled.png"));
  const int x0 = View->ChartRect.Right + 10;
  EXPECT_GT(blackIn(*titled, TRect(x0, 0, x0 + 40, View->ChartRect.Top)), 10);

  View->Title()->ClearLines();
  const auto captionArea = [&] { return TRect(x0 + 1, View->ChartRect.Top + 1, x0 + 14, View->ChartRect.Top + 10); };
  auto shown = Paint();
  const int withCaption = blackIn(*shown, captionArea());
  View->ColorBarCaption.clear();
  shown = Paint();
  EXPECT_EQ(blackIn(*shown, captionArea()), 0);
  EXPECT_GT(withCaption, 5);

  // The legend follows the plot when the view is resized.
  View->Legend()->SetVisible(true);
  for (const TPoint size : {TPoint(900, 500), TPoint(500, 300), TPoint(640, 360)}) {
    View->SetBounds(size.X, size.Y);
    Paint();
    EXPECT_EQ(View->Legend()->GetLeft(), View->ChartRect.Right + 15) << size.X;
    EXPECT_EQ(View->Legend()->GetTop(), View->ChartRect.Top) << size.X;
  }
}

TEST_F(PseudoSectionViewTest, MouseZonesAndStatus) {
  int statusCalls = 0;
  View->OnStatus = [&](TObject*) { ++statusCalls; };
  View->AddNode(0, 1, 10, false);
  View->ChartMouseMove({}, 5, 5);
  EXPECT_EQ(statusCalls, 0);  // fewer than two nodes
  View->NextNode = 1;
  ShowSurvey();
  Paint();
  const TRect plot = View->ChartRect;
  const TRect image = View->ImageTool->ImageRect;
  View->ChartMouseMove({}, (image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2);
  EXPECT_EQ(View->MouseZone, 0);
  EXPECT_EQ(statusCalls, 1);
  EXPECT_FALSE(View->CursorText.empty());
  View->ChartMouseMove({}, plot.Left - 5, (plot.Top + plot.Bottom) / 2);
  EXPECT_EQ(View->MouseZone, 1);
  View->ChartMouseMove({}, plot.Right + 5, plot.Bottom + 10);  // outside every band
  EXPECT_EQ(View->MouseZone, 1);
  View->ChartMouseMove({}, (plot.Left + plot.Right) / 2, plot.Bottom + 5);
  EXPECT_EQ(View->MouseZone, 4);
}

TEST_F(PseudoSectionViewTest, MenuCommandsThroughTheSeam) {
  ShowSurvey();
  Paint();
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  int done = 0;
  View->OnPopupDone = [&](TObject*) { ++done; };
  const TRect plot = View->ChartRect;
  const TRect image = View->ImageTool->ImageRect;
  // Picks a menu command; then answers what the command asks.
  const auto command = [&](const std::string& caption, const std::function<void()>& then = {}) {
    View->ChartMouseMove({}, plot.Left - 5, (plot.Top + plot.Bottom) / 2);
    seam.AnswerPopupItem(caption);
    if (then) then();
    View->DblClick();
  };

  // Over the picture nothing opens.
  View->ChartMouseMove({}, (image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2);
  View->DblClick();
  EXPECT_EQ(seam.Pending(), 0u);

  const arofdoubleM logLevels = View->Levels;
  command("Log data scale");
  EXPECT_FALSE(View->LogScale);
  EXPECT_NE(View->Levels, logLevels);
  command("Log data scale");
  EXPECT_TRUE(View->LogScale);
  EXPECT_EQ(View->Levels, logLevels);

  command("Display grid point");
  EXPECT_FALSE(View->GridSeries->GetActive());
  command("Display ColorBar");
  EXPECT_FALSE(View->ColorBarVisible);

  int setups = 0;
  PseudoSection2d::SetupDialogHook = [&](TPseudoSection2d& v) {
    ++setups;
    v.LevNum = 5;
    v.Triangulate(false);
    v.BuildLevels();
    v.UpdatePicture(&v);
    return mrOk;
  };
  command("Setup");
  PseudoSection2d::SetupDialogHook = nullptr;
  EXPECT_EQ(setups, 1);
  EXPECT_EQ(View->Levels.size(), 5u);

  const std::string xyz = Dir + "/profile.txt";
  std::remove((Dir + "/profile.dat").c_str());
  command("Save XYZ file", [&] { seam.AnswerFileDialog(TFileDialogResult{{xyz}, 1}); });
  const std::string table = ReadFile(Dir + "/profile.dat");
  ASSERT_EQ(table.substr(0, 9), "X -Y  Z\r\n");
  EXPECT_EQ(table.substr(9, 71), Contouring::XyzNumber(View->Nodes[1].x) + " " +
                                     Contouring::XyzNumber(-View->Nodes[1].y) + " " +
                                     Contouring::XyzNumber(View->Nodes[1].value));

  std::remove((Dir + "/section.emf").c_str());
  command("Save picture", [&] { seam.AnswerFileDialog(TFileDialogResult{{Dir + "/section.wmf"}, 1}); });
  const std::string emf = ReadFile(Dir + "/section.emf");
  ASSERT_GT(emf.size(), 44u);
  EXPECT_EQ(emf.substr(40, 4), std::string(" EMF"));  // the header's signature

  // Cancelled: nothing written, still done.
  command("Save XYZ file", [&] { seam.AnswerFileDialog(std::optional<TFileDialogResult>{}); });

  command("Print preview", [&] { seam.AnswerModal([](TForm&) { return mrCancel; }); });

  View->DefaultSettings = " 255 16711680 16711680 255 65535 32768 9 25 70 1 20 0 1 0 1 1 * *";
  command("Default");
  EXPECT_EQ(View->LevNum, 9);
  EXPECT_TRUE(View->GridSeries->GetActive());
  EXPECT_EQ(done, 10);
}

TEST_F(PseudoSectionViewTest, LogScaleStaysOffForDataThatAreNotPositive) {
  for (int i = 0; i < 20; ++i) View->AddNode(i, (i % 4) + 1, i - 5.0, false);
  View->Triangulate(true);
  View->BuildLevels();
  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  View->MouseZone = 1;
  seam.AnswerPopupItem("Log data scale");
  View->DblClick();
  EXPECT_FALSE(View->LogScale);
}

TEST_F(PseudoSectionViewTest, SettingsRoundTripThroughTheRegistryStore) {
  View->LevNum = 11;
  View->MinContour = 0x112233;
  View->UseExternal = true;
  View->ExtMax = 500;
  View->ExtMin = 10;
  View->SetMargin(2, 90);
  View->GridSeries->SetActive(false);
  View->SaveSettings("KelmVev2er_ps");
  const std::string line = View->SettingsToStr();

  TPseudoSection2d* other = Create<TPseudoSection2d>(Owner);
  other->LoadSettings("KelmVev2er_ps");
  EXPECT_EQ(other->SettingsToStr(), line);
  EXPECT_EQ(other->GetMargin(2), 90);
  EXPECT_FALSE(other->GridSeries->GetActive());

  TScriptedUserSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  seam.AnswerMessage(mrOk);  // a line with too few numbers is told and ignored
  EXPECT_FALSE(other->SettingsFromStr(" 1 2 3 4 5"));
  EXPECT_EQ(other->SettingsToStr(), line);
}

TEST_F(PseudoSectionViewTest, SingleLevelSurveyAndEqualNegativeDataDrawWithoutFault) {
  for (int i = 0; i < 10; ++i) View->AddNode(5.0 * i, 2.5, -5.0, false);
  View->Triangulate(true);
  View->BuildLevels();
  View->UpdatePicture(View);
  EXPECT_LT(View->LevelMin, View->LevelMax);
  for (size_t k = 1; k < View->Levels.size(); ++k) EXPECT_GE(View->Levels[k], View->Levels[k - 1]);
  Paint();
}

}  // namespace

}  // namespace PseudoSectionViewTests
