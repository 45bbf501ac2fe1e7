// Overlays through the main window: pictures over the model chart that follow
// zooming, the curve over the lower data section, "Remove import", and the
// worksheet saved as one picture.

#include <QImage>

#include <filesystem>
#include <fstream>

#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"

namespace OverlaysTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

constexpr TColor Top = 0x0000FF;     // red
constexpr TColor Bottom = 0xFF0000;  // blue

QRgb Rgb(TColor C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }

class OverlaysAppTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_overlays_app_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
  }
  void TearDown() override {
    AppFixture::TearDown();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  // A picture whose upper half is Top and lower half Bottom.
  std::string TwoColourPicture(const std::string& Name) {
    TBitmap bmp;
    bmp.SetSize(40, 40);
    TCanvas& c = *bmp.GetCanvas();
    c.Brush->SetColor(Top);
    c.FillRect(TRect(0, 0, 40, 20));
    c.Brush->SetColor(Bottom);
    c.FillRect(TRect(0, 20, 40, 40));
    const std::string file = (Dir / Name).string();
    bmp.SaveToFile(file);
    return file;
  }
  std::string Write(const std::string& Name, const std::string& Text) {
    const std::string file = (Dir / Name).string();
    std::ofstream(file, std::ios::binary) << Text;
    return file;
  }
  TMainForm& OpenWenner() {
    TMainForm& f = OpenForm();
    Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
    AppTest::AcceptModelConstructor(Seam);
    f.Openfile1->Click();
    return f;
  }
  // Imports File through the menu; Message: the command is expected to say something.
  void Import(TMainForm& F, const std::string& File, bool Message = false) {
    Seam.AnswerFileDialog([File](const TFileDialogRequest& Request) -> std::optional<TFileDialogResult> {
      EXPECT_EQ(Request.Filters.size(), 1u);
      if (!Request.Filters.empty()) {
        EXPECT_EQ(Request.Filters[0].second, "*.dat;*.sec");
      }
      return TFileDialogResult{{File}, 1};
    });
    if (Message) Seam.AnswerMessage(mrOk);
    F.Importmodeldata1->Click();
  }
  std::unique_ptr<TBitmap> Draw(TCustomPlotPanel& Chart) {
    return Chart.MakeBitmap(clWhite, TRect(0, 0, Chart.GetWidth(), Chart.GetHeight()));
  }
  fs::path Dir;
};

// The colour drawn at a model point (x, depth) of the model chart.
QRgb ModelPixel(const TBitmap& B, const TPolygonChart& Chart, double X, double Depth) {
  return B.Image().pixel(Chart.BottomAxis()->ValueToPixel(X), Chart.LeftAxis()->ValueToPixel(Depth));
}

TEST_F(OverlaysAppTest, PicturesLieInTheirCornersUprightAtEveryZoomAndGoWithRemoveImport) {
  TMainForm& f = OpenWenner();
  ASSERT_TRUE(f.Survey.ModelComputed);
  TPolygonChart& chart = *f.PolygonChart1;
  const int32_t toolsBefore = chart.GetTools().Count(), seriesBefore = chart.SeriesCount();
  Draw(chart);
  const double x0 = chart.BottomAxis()->GetMinimum(), x1 = chart.BottomAxis()->GetMaximum();
  const double d0 = chart.LeftAxis()->GetMinimum(), d1 = chart.LeftAxis()->GetMaximum();
  // Two pictures side by side, given by corners in either order.
  struct TPlace {
    double Left, Right, Upper, Lower;
  };
  const TPlace places[] = {{x0 + 0.1 * (x1 - x0), x0 + 0.4 * (x1 - x0), d0 + 0.2 * (d1 - d0), d0 + 0.6 * (d1 - d0)},
                           {x0 + 0.6 * (x1 - x0), x0 + 0.9 * (x1 - x0), d0 + 0.3 * (d1 - d0), d0 + 0.8 * (d1 - d0)}};
  const std::string picture = TwoColourPicture("scan.bmp");
  Import(f, Write("one.sec", picture + "\n" + std::to_string(places[0].Left) + " " + std::to_string(places[0].Upper) +
                                 " " + std::to_string(places[0].Right) + " " + std::to_string(places[0].Lower) + "\n"));
  // The second names its picture in a folder where it is not: found beside the sec file.
  Import(f, Write("two.sec", "C:\\Scans\\scan.bmp\n" + std::to_string(places[1].Right) + " " +
                                 std::to_string(places[1].Lower) + " " + std::to_string(places[1].Left) + " " +
                                 std::to_string(places[1].Upper) + "\n"));
  ASSERT_EQ(f.ImportImageTools.size(), 2u);
  ASSERT_EQ(f.ImportCornerSeries.size(), 2u);
  for (const auto& corners : f.ImportCornerSeries) EXPECT_FALSE(corners->GetActive());
  for (int zoom = 0; zoom < 2; ++zoom) {
    SCOPED_TRACE(zoom);
    if (zoom == 1) {
      // Closer in, around the first picture.
      chart.BottomAxis()->SetMinMax(places[0].Left - 0.05 * (x1 - x0), places[0].Right + 0.05 * (x1 - x0));
      chart.LeftAxis()->SetMinMax(places[0].Upper - 0.05 * (d1 - d0), places[0].Lower + 0.05 * (d1 - d0));
    }
    Draw(chart);
    const auto b = Draw(chart);
    for (size_t i = 0; i < (zoom == 0 ? 2u : 1u); ++i) {
      const TPlace& p = places[i];
      const double xm = (p.Left + p.Right) / 2, h = p.Lower - p.Upper;
      EXPECT_EQ(ModelPixel(*b, chart, xm, p.Upper + 0.25 * h), Rgb(Top)) << i;
      EXPECT_EQ(ModelPixel(*b, chart, xm, p.Upper + 0.75 * h), Rgb(Bottom)) << i;
      EXPECT_NE(ModelPixel(*b, chart, xm, p.Upper - 0.03 * h), Rgb(Top)) << i;
      EXPECT_NE(ModelPixel(*b, chart, xm, p.Lower + 0.03 * h), Rgb(Bottom)) << i;
    }
  }
  // Another file keeps the overlays.
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  EXPECT_EQ(f.ImportImageTools.size(), 2u);
  for (const auto& tool : f.ImportImageTools) EXPECT_TRUE(tool);
  const int32_t lowerBefore = f.PseudoSection2d2->SeriesCount();
  Import(f, Write("curve.dat", "0 10\n5 20\n"));
  ASSERT_TRUE(f.ImportSeries);
  f.Removeimport1->Click();
  EXPECT_TRUE(f.ImportImageTools.empty());
  EXPECT_TRUE(f.ImportCornerSeries.empty());
  EXPECT_FALSE(f.ImportSeries);
  EXPECT_EQ(chart.GetTools().Count(), toolsBefore);
  EXPECT_EQ(chart.SeriesCount(), seriesBefore);
  EXPECT_EQ(f.PseudoSection2d2->SeriesCount(), lowerBefore);
}

TEST_F(OverlaysAppTest, BadSecFilesAddNothing) {
  TMainForm& f = OpenWenner();
  const size_t seriesBefore = f.PolygonChart1->SeriesCount();
  Write("damaged.bmp", "BM this is no bitmap");
  Write("scan.bmp", "");
  TwoColourPicture("good.bmp");
  struct TCase {
    std::string Name, Text;
    bool Message;
  };
  const TCase cases[] = {
      {"damaged.sec", "damaged.bmp\n0 0 10 10\n", true},
      {"flat.sec", "good.bmp\n5 0 5 10\n", true},
      {"three.sec", "good.bmp\n0 0 10\n", true},
      {"missing.sec", "nowhere.bmp\n0 0 10 10\n", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const size_t prompts = Seam.Prompts().size();
    Import(f, Write(c.Name, c.Text), c.Message);
    EXPECT_EQ(Seam.Prompts().size(), prompts + 1 + (c.Message ? 1 : 0));
    EXPECT_TRUE(f.ImportImageTools.empty());
    EXPECT_EQ(f.PolygonChart1->SeriesCount(), seriesBefore);
  }
  // The dialog has its own filter and file name back.
  EXPECT_EQ(f.OpenDialog1->FileName, AppTest::ExampleFile("wenner.k2d"));
  EXPECT_NE(f.OpenDialog1->Filter, "Import data|*.dat;*.sec");
}

TEST_F(OverlaysAppTest, CurveIsDrawnOnlyInGraphicsPlotAndKeepsItsRestyledLook) {
  TMainForm& f = OpenWenner();
  f.Pseudosection1Click(nullptr);
  const std::string curve = Write("profile.dat", "0 10\n5,5\t20\nnote\n9 30\n");
  Import(f, curve);
  ASSERT_TRUE(f.ImportSeries);
  TLineSeries& s = *f.ImportSeries;
  EXPECT_FALSE(s.GetActive());
  EXPECT_EQ(s.GetSeriesColor(), clRed);
  EXPECT_EQ(s.Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_EQ(s.Pointer()->GetHorizSize(), 2);
  EXPECT_EQ(s.Pointer()->GetVertSize(), 2);
  EXPECT_EQ(s.Pointer()->GetColor(), clWhite);
  ASSERT_EQ(s.Count(), 3);
  EXPECT_DOUBLE_EQ(s.GetXValue(1), 5.5);
  EXPECT_EQ(s.Labels().GetLabel(2), "profile.dat");
  EXPECT_EQ(s.Labels().GetLabel(0), "");
  f.Graphicsplot1Click(nullptr);
  EXPECT_TRUE(f.ImportSeries->GetActive());
  EXPECT_TRUE(f.PseudoSection2d2->RightAxis()->GetVisible());
  // A file of one point changes nothing.
  Import(f, Write("one.dat", "1 2\n"), true);
  EXPECT_EQ(f.ImportSeries->Count(), 3);
  EXPECT_EQ(f.ImportPoints.size(), 3u);
  // A restyled curve comes back at the next import and after a restart.
  f.ImportSeries->SetSeriesColor(clLime);
  Import(f, curve);
  EXPECT_EQ(f.ImportSeries->GetSeriesColor(), clLime);
  EXPECT_TRUE(QueryClose());
  CloseForm();
  TMainForm& g = OpenWenner();
  Import(g, curve);
  ASSERT_TRUE(g.ImportSeries);
  EXPECT_EQ(g.ImportSeries->GetSeriesColor(), clLime);
}

TEST_F(OverlaysAppTest, WorksheetStacksTheThreeChartsAtTheModelWidth) {
  TMainForm& f = OpenWenner();
  f.PseudoSection2d1->SetBounds(800, 150);
  f.PseudoSection2d2->SetBounds(800, 120);
  f.PolygonChart1->SetBounds(600, 200);
  const std::string file = (Dir / "sheet.bmp").string();
  ASSERT_TRUE(f.SaveSectionPicture(file, false));
  QImage sheet;
  ASSERT_TRUE(sheet.load(QString::fromStdString(file)));
  EXPECT_EQ(sheet.width(), 600);
  EXPECT_EQ(sheet.height(), 150 + 120 + 200);
  // Each band is the chart's own picture on white, cut at the model's width.
  int top = 0;
  for (TCustomPlotPanel* band : {static_cast<TCustomPlotPanel*>(f.PseudoSection2d1),
                                 static_cast<TCustomPlotPanel*>(f.PseudoSection2d2),
                                 static_cast<TCustomPlotPanel*>(f.PolygonChart1)}) {
    const auto own = Draw(*band);
    const QImage expected = own->Image().copy(0, 0, 600, band->GetHeight()).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(sheet.copy(0, top, 600, band->GetHeight()).convertToFormat(QImage::Format_RGB32), expected);
    top += band->GetHeight();
  }
  // A file that cannot be written is said and the old one stays.
  const std::string locked = (Dir / "locked").string();
  fs::create_directories(locked);
  EXPECT_FALSE(f.SaveSectionPicture(locked, false));
  EXPECT_TRUE(fs::is_directory(locked));
}

}  // namespace

namespace {

TEST_F(OverlaysAppTest, SaveWritesTheWorksheetAndReportsAFileItCannotWrite) {
  TMainForm& f = OpenWenner();
  const std::string file = (Dir / "sheet.bmp").string();
  Seam.AnswerFileDialog(TFileDialogResult{{file}, Survey::saveWorksheetPicture});
  f.SpeedButton2->Click();
  QImage sheet;
  ASSERT_TRUE(sheet.load(QString::fromStdString(file)));
  EXPECT_EQ(sheet.width(), f.PolygonChart1->GetWidth());
  const std::string unwritable = (Dir / "no" / "such" / "folder" / "sheet.bmp").string();
  Seam.AnswerFileDialog(TFileDialogResult{{unwritable}, Survey::saveWorksheetPicture});
  Seam.AnswerMessage(mrOk);
  f.SpeedButton2->Click();
  EXPECT_EQ(Seam.Prompts().back().Text, "Cannot write the file \"" + unwritable + "\".");
  EXPECT_FALSE(fs::exists(unwritable));
}

}  // namespace

}  // namespace OverlaysTest
