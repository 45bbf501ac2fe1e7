// Well logs drawn over the model chart and the column pictures they carry.

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/WellLogPicture.h"
#include "app/tests/AppTestSupport.h"
#include "chart/engine/PlotEngine.h"
#include "chart/series/PlotBrushDlg.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Graphics.h"
#include "views/PolygonChart.h"

namespace WellLogDrawingTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;
using AppTest::MeasurementRow;

constexpr TColor Red = 0x0000FF;

// A kind 2 log from depth 0 to Depth with constant colour and pattern codes.
WellLogs::carotagedata ColumnLog(int32_t Colour, int32_t Pattern, double Depth = 100.0) {
  WellLogs::carotagedata log;
  log.Kind = 2;
  log.Points = {{0.0, 1.0}, {Depth, 1.0}};
  log.Code1 = {Colour, Colour};
  log.Code2 = {Pattern, Pattern};
  return log;
}

// The same rows filled by the canvas with the brush the code stands for.
void FillReference(TBitmap& Bitmap, int32_t Colour, int32_t Pattern, TBitmap& PatternBitmap) {
  TCanvas& c = *Bitmap.GetCanvas();
  if (Pattern >= 9) {
    PlotBrushDlg::LoadPatternBitmap(Pattern - 8, PatternBitmap);
    c.Brush->SetBitmap(&PatternBitmap);
    c.Font->SetColor(Colour);
  } else {
    c.Brush->SetColor(Colour);
    c.Brush->SetStyle(static_cast<TBrushStyle>(Pattern));
  }
  TDeviceContext* dc = c.GetHandle();
  dc->SetBkMode(OPAQUE);
  dc->SetBkColor(clWhite);
  if (Pattern >= 9) dc->SetTextColor(Colour);
  for (int32_t y = 0; y < Bitmap.GetHeight(); ++y) c.FillRect(TRect(0, y, Bitmap.GetWidth(), y + 1));
}

TEST(WellLogPictureTest, ColumnRowsMatchTheirBrushAndCarryFrameAndCaption) {
  // Brush styles by ordinal and a pattern bitmap: inside the frame and below the
  // caption every row is what the canvas paints with that brush.
  for (int32_t pattern : {0, 2, 4, 7, 9, 12}) {
    TBitmap column(40, 100), reference(40, 100), patternBitmap;
    WellLogPicture::PaintColumn(ColumnLog(Red, pattern), column);
    FillReference(reference, Red, pattern, patternBitmap);
    int32_t differing = 0;
    for (int32_t y = 20; y < 99; ++y)
      for (int32_t x = 1; x < 39; ++x) differing += column.GetCanvas()->GetPixel(x, y) != reference.GetCanvas()->GetPixel(x, y);
    EXPECT_EQ(differing, 0) << pattern;
    // The black frame.
    for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 99}, {39, 99}, {20, 99}, {0, 50}})
      EXPECT_EQ(column.GetCanvas()->GetPixel(x, y), clBlack) << pattern << " " << x << "," << y;
  }
  // The caption: yellow background from (1, 1) with blue text.
  WellLogs::carotagedata log = ColumnLog(Red, 0);
  log.Caption = "W1";
  TBitmap column(40, 100);
  WellLogPicture::PaintColumn(log, column);
  bool blue = false, yellow = false;
  for (int32_t y = 1; y < 12; ++y)
    for (int32_t x = 1; x < 20; ++x) {
      blue = blue || column.GetCanvas()->GetPixel(x, y) == 0xFF0000;
      yellow = yellow || column.GetCanvas()->GetPixel(x, y) == 0x00FFFF;
    }
  EXPECT_TRUE(blue);
  EXPECT_TRUE(yellow);
  EXPECT_EQ(column.GetCanvas()->GetPixel(1, 1), static_cast<TColor>(0x00FFFF));
}

TEST(WellLogPictureTest, PatternChangesDrawBoundaryLinesAndKindsOneAndThreeDrawLines) {
  WellLogs::carotagedata log;
  log.Kind = 2;
  // Solid red down to 50, solid green below: one boundary at the change.
  log.Points = {{0, 1}, {50, 1}, {50, 1}, {100, 1}};
  log.Code1 = {Red, Red, 0x00FF00, 0x00FF00};
  log.Code2 = {0, 0, 8, 8};
  TBitmap column(30, 100);
  WellLogPicture::PaintColumn(log, column);
  TCanvas& c = *column.GetCanvas();
  EXPECT_EQ(c.GetPixel(15, 30), Red);
  EXPECT_EQ(c.GetPixel(15, 49), Red);
  EXPECT_EQ(c.GetPixel(15, 50), clBlack);
  EXPECT_EQ(c.GetPixel(15, 51), 0x00FF00);
  for (int32_t kind : {1, 3}) {
    log.Kind = kind;
    TBitmap lines(30, 40);
    WellLogPicture::PaintColumn(log, lines);
    for (int32_t y = 0; y < 40; ++y) EXPECT_EQ(lines.GetCanvas()->GetPixel(15, y), clBlack) << kind << " " << y;
  }
}

class WellLogDrawingTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_well_draw_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override {
    AppFixture::TearDown();
    fs::remove_all(Dir);
  }
  std::string Write(const std::string& Name, const std::string& Text) {
    std::ofstream(Dir / Name, std::ios::binary) << Text;
    return (Dir / Name).string();
  }
  fs::path Dir;
};

TEST_F(WellLogDrawingTest, CurveAndColumnOverTheModelChart) {
  TMainForm& f = OpenForm();
  ararofdoubleM rows;
  for (int i = 0; i + 6 <= 100; i += 4) rows.push_back(MeasurementRow(i, i + 6, i + 2, i + 4, 100.0));
  AppTest::LoadRows(f, rows);
  TPolygonChart& chart = *f.PolygonChart1;
  chart.BottomAxis()->SetMinMax(0, 100);
  chart.LeftAxis()->SetMinMax(0, 40);

  Write("curve.txt", "0 10\n10 20\n20 15\n30 30\n");
  Write("column.txt", "0 1 255 0\n10 1 255 0\n20 1 65280 10\n30 1 65280 10\n");
  Write("far.txt", "0 1\n5 2\n");
  const std::string crt = Write("logs.crt",
                                "curve.txt\nCurve\n30 5 0 3 1 255 0\n"
                                "column.txt\nColumn\n70 10 2 3 2 0 0\n"
                                "far.txt\nFar\n900 5 0 3 3 0 0\n");
  Seam.AnswerFileDialog(TFileDialogResult{{crt}, 1});
  f.Carotagedata1->Click();
  ASSERT_EQ(f.Carotages.size(), 3u);
  const TRect area(0, 0, 600, 400);
  chart.MakeBitmap(clWhite, area);
  f.PolygonChart1Resize(nullptr);
  auto picture = chart.MakeBitmap(clWhite, area);
  {
    TPngImage png;
    png.Assign(*picture);
    png.SaveToFile("/tmp/welllog.png");
  }

  // The curve: strip 30 +- 5, values 10..30 across it, the caption on its first point.
  TLineSeries* curve = f.Carotages[0].Series;
  ASSERT_EQ(curve->Count(), 4);
  const double values[] = {10, 20, 15, 30};
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(curve->GetXValue(k), 25.0 + (values[k] - 10.0) / 20.0 * 10.0) << k;
    EXPECT_DOUBLE_EQ(curve->GetYValue(k), 10.0 * k) << k;
  }
  EXPECT_EQ(curve->GetLabel(0), "Curve");
  EXPECT_EQ(curve->GetParentChart(), &chart);

  // The column: strip 70 +- 10 from depth 0 to 30, its picture the size of the
  // rectangle, red above the change and green below.
  const WellLogs::carotagedata& column = f.Carotages[1];
  EXPECT_DOUBLE_EQ(column.StripLeft, 60.0);
  EXPECT_DOUBLE_EQ(column.StripRight, 80.0);
  const TRect r = column.PictureTool->CalcImageRect();
  ASSERT_GT(r.Right - r.Left, 10);
  ASSERT_GT(r.Bottom - r.Top, 10);
  EXPECT_EQ(column.PictureTool->Picture()->GetWidth(), r.Right - r.Left);
  EXPECT_EQ(column.PictureTool->Picture()->GetHeight(), r.Bottom - r.Top);
  TCanvas& shown = *picture->GetCanvas();
  const int32_t cx = (r.Left + r.Right) / 2;
  EXPECT_EQ(shown.GetPixel(cx, r.Top + (r.Bottom - r.Top) / 4 + 6), Red);
  EXPECT_EQ(shown.GetPixel(r.Left - 3, (r.Top + r.Bottom) / 2), clWhite);

  // The far log is outside the visible range and stays untouched.
  EXPECT_EQ(f.Carotages[2].Series->GetParentChart(), nullptr);

  // A zoom: the column follows the new range, the curve stays where it was built.
  chart.BottomAxis()->SetMinMax(50, 90);
  f.PolygonChart1Resize(nullptr);
  EXPECT_DOUBLE_EQ(f.Carotages[1].StripLeft, 66.0);
  EXPECT_DOUBLE_EQ(f.Carotages[1].Series->GetXValue(0), 66.0);
  chart.BottomAxis()->SetMinMax(0, 50);
  f.PolygonChart1Resize(nullptr);
  EXPECT_DOUBLE_EQ(curve->GetXValue(0), 25.0);

  // The next analysis of the survey frees the logs.
  f.Survey.AnalyseSurvey();
  EXPECT_TRUE(f.Carotages.empty());
}

TEST_F(WellLogDrawingTest, DamagedEntriesAreListedInOneMessageAndNoLogsDrawNothing) {
  TMainForm& f = OpenForm();
  AppTest::LoadRows(f, {MeasurementRow(0, 6, 2, 4, 100.0), MeasurementRow(4, 10, 6, 8, 100.0)});
  Write("a.txt", "0 1\n1 2\n");
  const std::string crt = Write("bad.crt", "gone.txt\nG\n1 5 0 0 1 0 0\na.txt\nA\n1 5 0\n");
  Seam.AnswerFileDialog(TFileDialogResult{{crt}, 1});
  Seam.AnswerMessage(mrOk);
  f.Carotagedata1->Click();
  EXPECT_TRUE(f.Carotages.empty());
  const TPromptRecord& message = Seam.Prompts().back();
  EXPECT_EQ(message.Kind, TPromptKind::Message);
  EXPECT_NE(message.Text.find("gone.txt"), std::string::npos);
  EXPECT_NE(message.Text.find("seven numbers"), std::string::npos);
  // Without observed or calculated data the command does nothing.
  f.ObservedLoaded = false;
  f.Carotagedata1->Click();
}

}  // namespace

}  // namespace WellLogDrawingTest
