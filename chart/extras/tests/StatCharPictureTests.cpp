// Whole pictures of the statistical series: a histogram, two box plots with
// outliers, and a line with its moving average and trend. Each picture shows
// the colour of every part; with KV_PICTURE_DIR set they are also written
// there as PNG files to be looked at.
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "chart/extras/CurvFitt.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/StatChar.h"
#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotProcs.h"
#include "platform/gdi/Graphics.h"

namespace StatCharPictureTests {

namespace {

class StatPictures : public ::testing::Test {
protected:
  static constexpr int32_t W = 480, H = 320;
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
  }
  void TearDown() override { Owner->Free(); }
  template <class T>
  T* Add(TColor Colour) {
    auto* s = Create<T>(Owner);
    Chart->AddSeries(s);
    s->SetSeriesColor(Colour);
    return s;
  }
  // Draws the chart and writes it as Name.png into KV_PICTURE_DIR when set.
  void Draw(const char* Name) {
    Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, W, H));
    if (const char* dir = std::getenv("KV_PICTURE_DIR")) {
      TPngImage png;
      png.Assign(Bitmap);
      png.SaveToFile(std::string(dir) + "/extras_" + Name + ".png");
    }
  }
  int Pixels(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += (Bitmap.GetPixelColor(x, y) & 0xFFFFFF) == Colour;
    return n;
  }
  TComponent* Owner = nullptr;
  TCustomAxisPanel* Chart = nullptr;
  TBitmap Bitmap{W, H};
};

TEST_F(StatPictures, Histogram) {
  auto* h = Add<THistogramSeries>(0x00C0FF);
  h->Pen()->SetColor(clNavy);
  h->LinesPen()->SetVisible(true);
  h->LinesPen()->SetColor(clGray);
  const double counts[] = {2, 5, 9, 14, 18, 15, 10, 6, 3, 1};
  for (int i = 0; i < 10; ++i) h->AppendPoint(i, counts[i]);
  Draw("histogram");
  EXPECT_GT(Pixels(0x00C0FF), 1000) << "the fill";
  EXPECT_GT(Pixels(clNavy), 100) << "the step outline";
  EXPECT_GT(Pixels(clGray), 10) << "the dividers";
}

TEST_F(StatPictures, TwoBoxPlotsWithOutliers) {
  const std::vector<std::vector<double>> samples{{1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 40},
                                                 {-14, 3, 4, 5, 5, 6, 6, 7, 8, 9, 10, 16}};
  const TColor colours[] = {clRed, clBlue};
  for (size_t k = 0; k < samples.size(); ++k) {
    auto* b = Add<TBoxSeries>(colours[k]);
    b->SetPosition(static_cast<double>(k + 1));
    b->Pointer()->SetColor(k == 0 ? 0xC0FFC0 : 0xFFE0C0);
    b->MildOut()->SetColor(colours[k]);
    b->ExtrOut()->Pen()->SetColor(colours[k]);
    for (double v : samples[k]) b->Add(v);
  }
  Draw("boxplots");
  EXPECT_GT(Pixels(0xC0FFC0), 200) << "first box";
  EXPECT_GT(Pixels(0xFFE0C0), 200) << "second box";
  EXPECT_GT(Pixels(clRed), 10) << "first box's outliers";
  EXPECT_GT(Pixels(clBlue), 5) << "second box's outliers";
}

TEST_F(StatPictures, LineWithMovingAverageAndTrend) {
  auto* line = Add<TLineSeries>(clSilver);
  for (int i = 0; i < 60; ++i) line->AppendPoint(i, 10 + 0.3 * i + 4 * std::sin(i * 0.7) + ((i * 37) % 11) * 0.3);
  auto* average = Add<TLineSeries>(clBlue);
  auto* f = Create<TMovingAverageFunction>(Owner);
  average->SetFunction(f);
  f->SetPeriod(7);
  average->SetDataSource(line);
  auto* trend = Add<TLineSeries>(clRed);
  trend->SetFunction(Create<TTrendFunction>(Owner));
  trend->SetDataSource(line);
  Draw("average_trend");
  EXPECT_EQ(average->Count(), 54);
  EXPECT_EQ(trend->Count(), 2);
  EXPECT_GT(Pixels(clBlue), 100);
  EXPECT_GT(Pixels(clRed), 100);
  EXPECT_GT(Pixels(clSilver), 100);
}

}  // namespace

}  // namespace StatCharPictureTests
