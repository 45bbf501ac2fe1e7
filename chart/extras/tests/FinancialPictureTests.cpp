// Whole pictures of the financial series: candles with Bollinger bands and
// volumes, and the MACD with its signal line and histogram. Each picture shows
// the colour of every part; with KV_PICTURE_DIR set they are also written
// there as PNG files to be looked at.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/StatChar.h"
#include "platform/gdi/Graphics.h"

namespace FinancialPictureTests {

namespace {

class FinancialPictures : public ::testing::Test {
protected:
  static constexpr int32_t W = 640, H = 400;
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TCustomAxisPanel>(Owner);
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
    Prices = Add<TCandleSeries>(clBlack);
    Prices->SetUpCloseColor(clLime);
    Prices->SetDownCloseColor(clRed);
    Prices->SetCandleWidth(6);
    // A deterministic walk: 60 trading days.
    double open = 50;
    for (int i = 0; i < 60; ++i) {
      const double close = open + 3 * std::sin(i * 0.7) + 0.4 * std::cos(i * 2.3) + 0.15 * i / 6;
      const double high = std::max(open, close) + 1 + std::fabs(std::sin(i * 1.3));
      const double low = std::min(open, close) - 1 - std::fabs(std::cos(i * 1.9));
      Prices->AddOpenHighLowClose(46000 + i, open, high, low, close);
      open = close + 0.5 * std::sin(i * 3.1);
    }
  }
  void TearDown() override { Owner->Free(); }
  template <class T>
  T* Add(TColor Colour) {
    auto* s = Create<T>(Owner);
    Chart->AddSeries(s);
    s->SetSeriesColor(Colour);
    return s;
  }
  template <class F>
  std::pair<TLineSeries*, F*> Function(TColor Colour) {
    auto* s = Add<TLineSeries>(Colour);
    auto* f = Create<F>(Owner);
    s->SetFunction(f);
    s->SetDataSource(Prices);
    return {s, f};
  }
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
  TCandleSeries* Prices = nullptr;
  TBitmap Bitmap{W, H};
};

TEST_F(FinancialPictures, CandlesWithBollingerBandsAndVolumes) {
  auto [upper, bands] = Function<TBollingerFunction>(clBlue);
  bands->SetPeriod(10);
  auto* volume = Add<TVolumeSeries>(0xC08040);
  volume->SetVertAxis(aRightAxis);
  for (int i = 0; i < 60; ++i) volume->AppendPoint(46000 + i, 1000 + 700 * std::fabs(std::sin(i * 0.45)));
  Chart->RightAxis()->SetMinMax(0, 6000);
  Draw("candles_bollinger_volume");
  EXPECT_EQ(bands->LowBand()->Count(), 51);
  EXPECT_GT(Pixels(clLime), 300) << "up bodies";
  EXPECT_GT(Pixels(clRed), 300) << "down bodies";
  EXPECT_GT(Pixels(clBlue), 400) << "both bands";
  EXPECT_GT(Pixels(0xC08040), 300) << "volume lines";
}

TEST_F(FinancialPictures, MACDWithSignalAndHistogram) {
  Prices->SetActive(false);
  auto [line, macd] = Function<TMACDFunction>(clNavy);
  Draw("macd");
  EXPECT_EQ(macd->Histogram()->Count(), 60);
  EXPECT_GT(Pixels(clNavy), 200) << "MACD line";
  EXPECT_GT(Pixels(0x008000), 200) << "signal line";
  EXPECT_GT(Pixels(0x0000FF), 60) << "histogram";
}

// Candles with Bollinger bands over volumes and the MACD, each in its own
// band of the chart's height, written as financial.png to KV_PICTURE_DIR to
// be looked at; skipped without it.
TEST_F(FinancialPictures, CandlesVolumesMACDAndBollingerInOneChart) {
  const char* dir = std::getenv("KV_PICTURE_DIR");
  if (!dir) GTEST_SKIP() << "KV_PICTURE_DIR not set";
  Chart->BottomAxis()->SetDateTimeFormat("dd.mm");
  Chart->LeftAxis()->SetEndPosition(58);
  TChartAxis* volumes = Chart->CustomAxes()->AddAxis();
  volumes->SetHorizontal(false);
  volumes->SetStartPosition(62);
  volumes->SetEndPosition(78);
  TChartAxis* oscillator = Chart->CustomAxes()->AddAxis();
  oscillator->SetHorizontal(false);
  oscillator->SetStartPosition(82);
  auto [upper, bands] = Function<TBollingerFunction>(clBlue);
  bands->SetPeriod(10);
  auto* volume = Add<TVolumeSeries>(0xC08040);
  volume->SetCustomVertAxis(volumes);
  for (int i = 0; i < 60; ++i) volume->AppendPoint(46000 + i, 1000 + 700 * std::fabs(std::sin(i * 0.45)));
  auto [line, macd] = Function<TMACDFunction>(clNavy);
  line->SetCustomVertAxis(oscillator);
  macd->Recalculate();
  Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, W, H));
  // Each pane's series stays inside its pane.
  const auto inside = [](TChartSeries& S, TChartAxis& Axis) {
    for (int32_t i = 0; i < S.Count(); ++i) {
      const int32_t y = S.PointPixelY(i);
      if (y < std::min(Axis.StartPixel, Axis.EndPixel) || y > std::max(Axis.StartPixel, Axis.EndPixel)) return false;
    }
    return S.Count() > 0;
  };
  EXPECT_TRUE(inside(*volume, *volumes));
  EXPECT_TRUE(inside(*line, *oscillator));
  EXPECT_TRUE(inside(*macd->Histogram(), *oscillator));
  EXPECT_TRUE(inside(*bands->LowBand(), *Chart->LeftAxis()));
  EXPECT_GT(Pixels(clLime), 300);
  EXPECT_GT(Pixels(0xC08040), 300);
  EXPECT_GT(Pixels(clNavy), 100);
  TPngImage png;
  png.Assign(Bitmap);
  png.SaveToFile(std::string(dir) + "/financial.png");
}

}  // namespace

}  // namespace FinancialPictureTests
