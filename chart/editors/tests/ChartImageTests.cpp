// A saved chart as a picture: the chart image's own chart, drawing, streams,
// handed-in charts, and chart files read through the picture holder.
#include "chart/editors/PlotEditCha.h"
#include "chart/editors/PlotEditPro.h"
#include "chart/engine/Chart.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "chart/series/tests/StyleDialogFixture.h"
#include "platform/gdi/PictureFormats.h"

#include <filesystem>

#define LLVMFuzzerTestOneInput ChartPictureFuzzInput
#include "fuzz/chart_picture_fuzz.cpp"
#undef LLVMFuzzerTestOneInput

namespace ChartImageTests {

class ChartImage : public StyleDialogTest {
protected:
  void SetUp() override {
    StyleDialogTest::SetUp();
    Series::Initialization();
    ChartEditors::Initialize();
  }
  // A chart of one line series with a title, owned by the caller.
  static TCustomChart* SampleChart() {
    TCustomChart* Chart = Create<TChart>(nullptr);
    Chart->SetView3D(false);
    Chart->Title()->Text()->Add("Apparent resistivity");
    auto* Line = Create<TLineSeries>(Chart);
    Line->SetName("Series1");
    Chart->AddSeries(Line);
    Line->SetSeriesColor(clRed);
    for (int i = 0; i < 12; ++i) Line->AppendPoint(i, (i * 7) % 5 + 0.25 * i);
    return Chart;
  }
  static std::string TempFile(const std::string& Name) {
    return (std::filesystem::temp_directory_path() / ("kv-chartimage-" + Name)).string();
  }
  static int Differences(const TBitmap& A, const TBitmap& B) {
    int N = 0;
    for (int y = 0; y < A.GetHeight(); ++y)
      for (int x = 0; x < A.GetWidth(); ++x) N += A.GetPixelColor(x, y) != B.GetPixelColor(x, y);
    return N;
  }
};

TEST_F(ChartImage, IsEmptyUntilItsSizeIsAskedForWhichMakesAnUnbufferedChart) {
  TChartImage Image;
  EXPECT_TRUE(Image.GetEmpty());
  EXPECT_GT(Image.GetWidth(), 0);
  EXPECT_FALSE(Image.GetEmpty());
  EXPECT_FALSE(Image.GetChart()->GetBufferedDisplay());
  Image.SetWidth(123);
  Image.SetHeight(45);
  EXPECT_EQ(Image.GetChart()->GetWidth(), 123);
  EXPECT_EQ(Image.GetHeight(), 45);
}

TEST_F(ChartImage, DrawingPaintsWhiteUnderATransparentChart) {
  TChartImage Image;
  Image.GetChart()->Title()->SetVisible(false);
  Image.GetChart()->Legend()->SetVisible(false);
  Image.SetTransparent(true);
  EXPECT_EQ(Image.GetChart()->GetColor(), clNone);
  TBitmap Target(60, 40);
  Target.GetCanvas()->Brush->SetColor(clRed);
  Target.GetCanvas()->FillRect(TRect(0, 0, 60, 40));
  Image.Draw(*Target.GetCanvas(), TRect(10, 10, 50, 30));
  // Outside the rectangle the red stays; inside, the chart's margins show the white fill.
  EXPECT_EQ(Target.GetPixelColor(5, 5), clRed);
  EXPECT_EQ(Target.GetPixelColor(11, 11), clWhite);
  EXPECT_EQ(Target.GetPixelColor(48, 28), clWhite);
}

TEST_F(ChartImage, OnlyATransparentPictureGivesUpTheChartsColour) {
  const struct {
    bool Transparent;
    TColor Expected;
  } Cases[] = {{false, clYellow}, {true, clNone}};
  for (const auto& C : Cases) {
    TChartImage Image;
    Image.GetChart()->SetColor(clYellow);
    Image.SetTransparent(C.Transparent);
    EXPECT_EQ(Image.GetChart()->GetColor(), C.Expected) << C.Transparent;
    EXPECT_EQ(Image.GetTransparent(), C.Transparent);
  }
}

TEST_F(ChartImage, StreamRoundTripKeepsTheSeriesAndTheirValues) {
  TChartImage Source;
  TCustomChart* Sample = SampleChart();
  Source.SetChart(Sample);
  const std::vector<uint8_t> Bytes = Source.SaveToBytes();
  TChartImage Copy;
  Copy.LoadFromBytes(Bytes);
  TCustomChart* Read = Copy.GetChart();
  ASSERT_EQ(Read->SeriesCount(), 1);
  TChartSeries* S = Read->GetSeries(0);
  EXPECT_EQ(S->ClassName(), std::string("TLineSeries"));
  ASSERT_EQ(S->Count(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(S->GetXValue(i), i);
    EXPECT_EQ(S->GetYValue(i), (i * 7) % 5 + 0.25 * i);
  }
  EXPECT_EQ(Read->Title()->Text()->GetText(), Sample->Title()->Text()->GetText());
  EXPECT_FALSE(Read->GetBufferedDisplay());
  // A copy of the picture is a chart of its own with the same data.
  std::unique_ptr<TGraphic> Clone = Copy.Clone();
  auto* ClonedImage = dynamic_cast<TChartImage*>(Clone.get());
  ASSERT_NE(ClonedImage, nullptr);
  EXPECT_NE(ClonedImage->GetChart(), Read);
  EXPECT_EQ(ClonedImage->GetChart()->GetSeries(0)->Count(), 12);
  Sample->Free();
}

TEST_F(ChartImage, AHandedInChartOutlivesTheImageAndIsNeverLeftDangling) {
  TCustomChart* Chart = SampleChart();
  int Changes = 0;
  {
    TChartImage Image;
    Image.OnChange = [&](TGraphic*) { ++Changes; };
    Image.SetChart(Chart);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Image.GetChart(), Chart);
  }
  // Still alive and usable after the image went.
  EXPECT_EQ(Chart->SeriesCount(), 1);
  TChartImage Image;
  Image.SetChart(Chart);
  Chart->Free();
  EXPECT_TRUE(Image.GetEmpty());
  // The image's own chart handed back in is no longer its to free.
  TCustomChart* Own = nullptr;
  {
    TChartImage Other;
    Own = Other.GetChart();
    Other.SetChart(Own);
  }
  EXPECT_EQ(Own->SeriesCount(), 0);
  Own->Free();
}

TEST_F(ChartImage, AssignCopiesAnotherChartImagesChartOnly) {
  TChartImage Source, Target;
  Source.GetChart()->Title()->Text()->Clear();
  Source.GetChart()->Title()->Text()->Add("Copied title");
  Target.Assign(&Source);
  EXPECT_EQ(Target.GetChart()->Title()->Text()->Strings(0), "Copied title");
  TChartImage Untouched;
  Untouched.Assign(nullptr);
  EXPECT_TRUE(Untouched.GetEmpty());
  TChartImage NoChart;
  Untouched.Assign(&NoChart);
  EXPECT_TRUE(Untouched.GetEmpty());
  TBitmap Bitmap(2, 2);
  EXPECT_THROW(Untouched.Assign(&Bitmap), EConvertError);
}

TEST_F(ChartImage, ChartFileLoadedAsAPictureDrawsTheSamePixelsAsTheChart) {
  TCustomChart* Chart = SampleChart();
  const std::string File = TempFile("section");  // ".chf" is appended
  TChartImage Writer;
  Writer.SetChart(Chart);
  Writer.SaveToFile(File);
  ASSERT_TRUE(std::filesystem::exists(File + ".chf"));

  TPicture Picture;
  Picture.LoadFromFile(File + ".chf");
  ASSERT_NE(dynamic_cast<TChartImage*>(Picture.GetGraphic()), nullptr);
  const int W = Picture.GetWidth(), H = Picture.GetHeight();
  EXPECT_EQ(W, Chart->GetWidth());
  TBitmap Shown(W, H), Direct(W, H);
  Shown.GetCanvas()->Draw(0, 0, Picture.GetGraphic());
  Chart->DrawTo(*Direct.GetCanvas(), TRect(0, 0, W, H));
  EXPECT_EQ(Differences(Shown, Direct), 0);
  // The series' colour reached the picture.
  int Red = 0;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) Red += Shown.GetPixelColor(x, y) == clRed;
  EXPECT_GT(Red, 20);
  // The picture for a look by eye.
  TPngImage Png;
  Png.Assign(Shown);
  Png.SaveToFile((std::filesystem::temp_directory_path() / "chartimage.png").string());

  // Without the registration a chart file is no picture.
  PlotEditPro::Finalization();
  EXPECT_THROW(Picture.LoadFromFile(File + ".chf"), EInvalidGraphic);
  EXPECT_EQ(PictureFormats::FindForFile("x.chf"), nullptr);
  PlotEditPro::Initialization();
  std::filesystem::remove(File + ".chf");
  Chart->Free();
}

TEST_F(ChartImage, StoredPictureOfAChartKeepsItsChart) {
  TCustomChart* Chart = SampleChart();
  TPicture Stored, Read;
  auto Image = std::make_unique<TChartImage>();
  Image->SetChart(Chart);
  Stored.SetGraphic(std::move(Image));
  Read.SetData(Stored.GetData());
  auto* ReadImage = dynamic_cast<TChartImage*>(Read.GetGraphic());
  ASSERT_NE(ReadImage, nullptr);
  EXPECT_EQ(ReadImage->GetChart()->GetSeries(0)->Count(), 12);
  Chart->Free();
}

TEST_F(ChartImage, DamagedChartPicturesAreRefusedSafely) {
  TCustomChart* Chart = SampleChart();
  TMemoryStream Stream;
  PlotStore::WritePlotStream(Chart, Stream, true, false);
  Chart->Free();
  const std::string Good = Stream.DataString();
  const std::string Cases[] = {
      std::string(),
      Good.substr(0, 2),
      Good.substr(0, 6),
      Good.substr(0, Good.size() / 2),
      Good.substr(0, Good.size() - 1),
      std::string("object Chart1: TChart\n  Width = -99999999999\nend\n"),
      std::string("object Chart1: TChart\n  object S: TLineSeries\n    Data = {FFFFFFFF}\n  end\nend\n"),
      std::string("object X: TNoSuchChart\nend\n"),
      Good.substr(0, 4) + std::string(200, '\xff'),
      std::string("BM") + std::string(60, '\0'),
  };
  for (const std::string& C : Cases)
    EXPECT_EQ(ChartPictureFuzzInput(reinterpret_cast<const uint8_t*>(C.data()), C.size()), 0) << C.size();
}

}  // namespace ChartImageTests
