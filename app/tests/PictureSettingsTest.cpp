// The "Picture settings" dialog and the scaled bitmap export: the picture size
// from the scales and the resolution, the resolution in the file, the fonts
// given back on every way out, the refused settings, and the resolution patch
// of existing files.

#include "app/printsettings.h"
#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/series/Series.h"
#include "platform/rtl/FileStore.h"
#include "views/PolygonChart.h"

#include <QImage>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace PictureSettingsTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

std::string ReadAll(const fs::path& File) {
  std::ifstream in(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int32_t Int32At(const std::string& Bytes, size_t Offset) {
  uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v |= uint32_t(static_cast<uint8_t>(Bytes[Offset + i])) << (8 * i);
  return static_cast<int32_t>(v);
}

// Every font the export enlarges, by its height.
std::vector<int32_t> FontHeights(TChart& C) {
  std::vector<int32_t> h;
  for (TChartAxis* a : {C.LeftAxis(), C.TopAxis(), C.BottomAxis(), C.RightAxis()}) {
    h.push_back(a->LabelsFont()->GetHeight());
    h.push_back(a->Title()->Font()->GetHeight());
  }
  h.push_back(C.Title()->Font()->GetHeight());
  h.push_back(C.Legend()->Font()->GetHeight());
  for (int i = 0; i < C.SeriesCount(); ++i)
    h.push_back(dynamic_cast<TSeriesMarks*>(C.GetSeries(i)->Marks())->Font()->GetHeight());
  return h;
}

class PictureSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Forms::EnsureToolkit();
    Seam.OnUnexpected = [](const std::string& Failure) { ADD_FAILURE() << Failure; };
    Dir = fs::temp_directory_path() / ("kv_picture_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    Chart = Create<TChart>(nullptr);
    Chart->SetBounds(600, 400);
    auto* series = Create<TLineSeries>(Chart);
    series->SetParentChart(Chart);
    series->AppendPoint(0, 0);
    series->AppendPoint(500, 100);
    Chart->BottomAxis()->SetMinMax(0, 500);
    Chart->LeftAxis()->SetMinMax(0, 100);
    Chart->Title()->Font()->SetSize(1);  // the smallest size stays at least 1 while enlarged
    Dialog = Create<Tprntset>(nullptr);
  }
  void TearDown() override {
    FileStore::SetWriteFailureForTests(-1);
    Dialog->Free();
    Chart->Free();
    fs::remove_all(Dir);
  }
  void Settings(const char* Vertical, const char* Horizontal, const char* Dpi, int Fonts) {
    Dialog->CheckBox1->SetChecked(false);
    Dialog->Edit1->SetText(Vertical);
    Dialog->Edit2->SetText(Horizontal);
    Dialog->Edit3->SetText(Dpi);
    Dialog->SpinEdit1->SetValue(Fonts);
  }
  // The chart's width and height outside the axis spans at its screen size.
  void Margins(double& Width, double& Height) {
    Chart->MakeBitmap(clWhite, Chart->PanelRect());
    const TChartAxis& b = *Chart->BottomAxis();
    const TChartAxis& l = *Chart->LeftAxis();
    Width = 600 - std::fabs(double(b.ValueToPixel(500) - b.ValueToPixel(0)));
    Height = 400 - std::fabs(double(l.ValueToPixel(100) - l.ValueToPixel(0)));
  }

  TScriptedUserSeam Seam;
  fs::path Dir;
  TChart* Chart = nullptr;
  Tprntset* Dialog = nullptr;
};

TEST_F(PictureSettingsTest, StartsWithItsDesignedTexts) {
  EXPECT_EQ(Dialog->GetCaption(), "Picture settings");
  EXPECT_EQ(Dialog->Edit1->GetText(), "20");
  EXPECT_EQ(Dialog->Edit2->GetText(), "50");
  EXPECT_EQ(Dialog->Edit3->GetText(), "100");
  EXPECT_EQ(Dialog->SpinEdit1->GetValue(), 0);
  EXPECT_EQ(Dialog->SpinEdit1->MinValue, 0);
  EXPECT_EQ(Dialog->SpinEdit1->MaxValue, 0);
  EXPECT_TRUE(Dialog->CheckBox1->GetChecked());
  EXPECT_EQ(Dialog->CheckBox1->GetCaption(), "Automatic");
}

TEST_F(PictureSettingsTest, PlotAreaGetsThePhysicalSizeAndTheFileItsResolution) {
  double marginW = 0, marginH = 0;
  Margins(marginW, marginH);
  Settings("20", "50", "100", 0);
  std::string problem;
  ASSERT_TRUE(Dialog->SaveChartPicture((Dir / "model.k2d").string(), *Chart, problem)) << problem;
  const fs::path file = Dir / "model.bmp";
  // 500 m at 1:50 is 10 cm, 393.7 pixels at 100 dpi; 100 m at 1:20 is 5 cm.
  const double plotW = 500.0 / 50.0 * 100.0 / 2.54, plotH = 100.0 / 20.0 * 100.0 / 2.54;
  EXPECT_NEAR(plotW, 393.7, 0.01);
  const int expectedW = static_cast<int>(std::nearbyint(plotW + marginW));
  const int expectedH = static_cast<int>(std::nearbyint(plotH + marginH));
  const std::string bytes = ReadAll(file);
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(Int32At(bytes, 18), expectedW);
  EXPECT_EQ(Int32At(bytes, 22), expectedH);
  EXPECT_EQ(Int32At(bytes, 38), 3937);
  EXPECT_EQ(Int32At(bytes, 42), 3937);
  QImage image(QString::fromStdString(file.string()));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), expectedW);
  EXPECT_EQ(image.height(), expectedH);
  EXPECT_EQ(image.dotsPerMeterX(), 3937);
  EXPECT_EQ(image.dotsPerMeterY(), 3937);
  EXPECT_EQ(fs::directory_iterator(Dir)->path().filename(), "model.bmp");  // no temporary file left
}

TEST_F(PictureSettingsTest, AutomaticSavesTheScreenSizeWithTheWritersResolution) {
  Dialog->CheckBox1->SetChecked(true);
  Dialog->Edit2->SetText("0");  // not read
  std::string problem;
  ASSERT_TRUE(Dialog->SaveChartPicture((Dir / "auto.png").string(), *Chart, problem)) << problem;
  QImage image(QString::fromStdString((Dir / "auto.bmp").string()));
  EXPECT_EQ(image.width(), 600);
  EXPECT_EQ(image.height(), 400);
  EXPECT_EQ(Int32At(ReadAll(Dir / "auto.bmp"), 38), 3780);
}

TEST_F(PictureSettingsTest, FontsAreEnlargedForThePictureAndGivenBackExactly) {
  const std::vector<int32_t> before = FontHeights(*Chart);
  // The sizes every drawing saw: the picture's and the screen layouts around it.
  std::vector<int32_t> titleSizes, labelSizes;
  const int32_t labelsBefore = Chart->BottomAxis()->LabelsFont()->GetSize();
  Chart->OnAfterDraw = [&](TObject*) {
    titleSizes.push_back(Chart->Title()->Font()->GetSize());
    labelSizes.push_back(Chart->BottomAxis()->LabelsFont()->GetSize());
  };
  Settings("20", "50", "100", -2);
  std::string problem;
  ASSERT_TRUE(Dialog->SaveChartPicture((Dir / "small.bmp").string(), *Chart, problem)) << problem;
  Chart->OnAfterDraw = nullptr;
  EXPECT_EQ(FontHeights(*Chart), before);
  ASSERT_FALSE(labelSizes.empty());
  EXPECT_EQ(*std::min_element(labelSizes.begin(), labelSizes.end()), labelsBefore - 2);
  EXPECT_EQ(labelSizes.back(), labelsBefore);
  EXPECT_EQ(*std::min_element(titleSizes.begin(), titleSizes.end()), 1);  // never below 1

  // A write that fails halfway leaves the fonts and the old file as they were.
  const fs::path file = Dir / "small.bmp";
  const std::string old = ReadAll(file);
  Settings("20", "50", "300", 5);
  FileStore::SetWriteFailureForTests(100);
  EXPECT_FALSE(Dialog->SaveChartPicture(file.string(), *Chart, problem));
  FileStore::SetWriteFailureForTests(-1);
  EXPECT_NE(problem.find("Cannot write the picture"), std::string::npos);
  EXPECT_EQ(FontHeights(*Chart), before);
  EXPECT_EQ(ReadAll(file), old);
}

TEST_F(PictureSettingsTest, RefusedSettingsWriteNothingAndSayWhy) {
  struct TCase {
    const char* Vertical;
    const char* Horizontal;
    const char* Dpi;
    const char* Message;
  };
  const TCase cases[] = {
      {"20", "0", "100", "Horizontal scale: \"0\" is not allowed; enter a number greater than 0."},
      {"-5", "50", "100", "Vertical scale: \"-5\" is not allowed; enter a number greater than 0."},
      {"abc", "50", "100", "Vertical scale: \"abc\" is not allowed; enter a number greater than 0."},
      {"20", "1e999", "100", "Horizontal scale: \"1e999\" is not allowed; enter a number greater than 0."},
      {"20", "50", "9", "Print resolution: \"9\" is not allowed; enter a number from 10 to 2400."},
      {"20", "50", "2401", "Print resolution: \"2401\" is not allowed; enter a number from 10 to 2400."},
      {"20", "50", "", "Print resolution: \"\" is not allowed; enter a number from 10 to 2400."},
      {"20", "0.0001", "100", "The picture would be"},  // a side beyond 32767 pixels
      {"0.02", "0.2", "600", "The picture would be"},   // sides below 32767, more than 2^26 pixels
  };
  const std::vector<int32_t> before = FontHeights(*Chart);
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Vertical) + " " + c.Horizontal + " " + c.Dpi);
    Settings(c.Vertical, c.Horizontal, c.Dpi, 3);
    std::string problem;
    EXPECT_FALSE(Dialog->SaveChartPicture((Dir / "bad.bmp").string(), *Chart, problem));
    EXPECT_EQ(problem.substr(0, std::string(c.Message).size()), c.Message);
    EXPECT_FALSE(fs::exists(Dir / "bad.bmp"));
    EXPECT_EQ(FontHeights(*Chart), before);
  }
  // The resolution's bounds themselves are allowed.
  for (const char* dpi : {"10", "2400"}) {
    Settings("2000", "5000", dpi, 0);
    std::string problem;
    EXPECT_TRUE(Dialog->SaveChartPicture((Dir / "edge.bmp").string(), *Chart, problem)) << problem;
  }
}

TEST(SetBitmapResolutionTest, PatchesOnlyBitmapsWithAFortyByteInfoHeader) {
  Forms::EnsureToolkit();
  TBitmap bmp(3, 2);
  const std::vector<uint8_t> data = bmp.SaveToBytes();
  const std::string good(data.begin(), data.end());
  std::string core = good;
  core[14] = 12;  // a 12-byte core header
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Patched;
  };
  const TCase cases[] = {
      {"info header", good, true},
      {"core header", core, false},
      {"empty", "", false},
      {"short", good.substr(0, 50), false},
      {"no BM", "XY" + good.substr(2), false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::string bytes = c.Bytes;
    EXPECT_EQ(printsettings::PatchBitmapResolution(bytes, 254.0), c.Patched);
    if (c.Patched) {
      EXPECT_EQ(Int32At(bytes, 38), 10000);
      EXPECT_EQ(Int32At(bytes, 42), 10000);
      bytes.replace(38, 8, c.Bytes.substr(38, 8));
    }
    EXPECT_EQ(bytes, c.Bytes);  // nothing else changed
  }
  // Halves to even: 0.5 / 39.37007874 dpi lies on the half.
  EXPECT_EQ(printsettings::PixelsPerMetre(100.0), 3937);
  EXPECT_EQ(printsettings::PixelsPerMetre(96.0), 3780);

  const fs::path file = fs::temp_directory_path() / ("kv_resolution_" + std::to_string(::getpid()) + ".bmp");
  std::string problem;
  EXPECT_FALSE(printsettings::SetBitmapResolution(file.string(), 300.0, problem));  // missing file
  bmp.SaveToFile(file.string());
  ASSERT_TRUE(printsettings::SetBitmapResolution(file.string(), 300.0, problem)) << problem;
  EXPECT_EQ(QImage(QString::fromStdString(file.string())).dotsPerMeterX(), 11811);
  fs::remove(file);
}

TEST_F(AppFixture, OutputSettingsAndTheModelPictureGoThroughThePictureSettings) {
  TMainForm& f = OpenForm();
  f.PolygonChart1->NewModel({}, false, 0, 100, 0, 40);
  Seam.AnswerModal([](TForm& form) {
    auto& d = dynamic_cast<Tprntset&>(form);
    d.CheckBox1->SetChecked(false);
    d.Edit2->SetText("1e-9");  // a picture far too wide
    d.BitBtn1->Click();
    return d.GetModalResult();
  });
  f.Outputsettings1->Click();
  ASSERT_TRUE(printsettings::prntset);
  const fs::path file = fs::temp_directory_path() / ("kv_model_picture_" + std::to_string(::getpid()) + ".k2d");
  Seam.AnswerMessage(mrOk);
  EXPECT_FALSE(f.Survey.Window->SaveSectionPicture(file.string(), true));
  EXPECT_EQ(Seam.Prompts().back().Text.substr(0, 20), "The picture would be");
  printsettings::prntset->CheckBox1->SetChecked(true);
  EXPECT_TRUE(f.Survey.Window->SaveSectionPicture(file.string(), true));
  const fs::path bmp = fs::path(file).replace_extension(".bmp");
  EXPECT_EQ(QImage(QString::fromStdString(bmp.string())).width(), f.PolygonChart1->PanelRect().Right);
  fs::remove(bmp);
  printsettings::prntset->Free();
}

}  // namespace

}  // namespace PictureSettingsTest
