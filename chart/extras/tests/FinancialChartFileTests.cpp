// Chart files keep the financial series and functions: settings and data
// come back, the function series refill from the loaded source, and the
// series the functions own are never written. Damaged files load or raise.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/extras/BigCandl.h"
#include "chart/extras/CandleCh.h"
#include "chart/extras/FinancialUnits.h"
#include "chart/extras/PlotCLVFunction.h"
#include "chart/extras/PlotCompressOHLC.h"
#include "chart/extras/PlotPointFigure.h"
#include "chart/extras/StatChar.h"
#include "chart/series/PlotStore.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

namespace FinancialChartFileTests {

namespace {

class FinancialChartFile : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    Series::Initialization();
    StatChar::Initialize();
    FinancialUnits::Initialize();
  }
  void TearDown() override {
    FinancialUnits::Finalize();
    StatChar::Finalize();
  }
  // The series named Name (the owned lines have no names).
  static TChartSeries* Named(TCustomChart* Chart, const std::string& Name) {
    for (int32_t i = 0; i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i)->GetName() == Name) return Chart->GetSeries(i);
    return nullptr;
  }
  // Refills every function series from the first series, as the fuzz target does.
  static void Feed(TCustomChart* Chart) {
    for (int32_t i = 1; i < Chart->SeriesCount(); ++i)
      if (Chart->GetSeries(i)->GetFunction() && !Chart->GetSeries(i)->Hidden)
        Chart->GetSeries(i)->SetDataSource(Chart->GetSeries(0));
  }
};

TEST_F(FinancialChartFile, SeriesAndFunctionsSurviveWritingAndReading) {
  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Money");
  auto add = [&](TChartSeries* S, const char* Name) {
    S->SetName(Name);
    chart->AddSeries(S);
    return S;
  };
  auto* candle = Create<TCandleSeries>(chart);
  add(candle, "Prices");
  candle->ManualData = true;
  candle->SetCandleStyle(csCandleBar);
  candle->SetColorStyle(cssRelativeToClose);
  for (int i = 0; i < 12; ++i) candle->AddOpenHighLowClose(40000 + i, 10 + i % 3, 14 + i % 4, 8 - i % 2, 11 + i % 5);
  auto* volume = Create<TVolumeSeries>(chart);
  add(volume, "Volumes");
  volume->ManualData = true;
  volume->SetUseYOrigin(true);
  for (int i = 0; i < 12; ++i) volume->AppendPoint(40000 + i, 100 + 10 * i);
  auto* figure = Create<TPointFigureSeries>(chart);
  add(figure, "Figure");
  figure->ManualData = true;
  figure->SetBoxSize(0.5);
  figure->SetReversalAmount(2);
  for (int i = 0; i < 5; ++i) figure->AddOpenHighLowClose(i, 10, 12 + i, 9 - i, 11);
  auto addFunction = [&](TPlotFunction* F, const char* Name, const char* FunctionName) {
    auto* s = Create<TLineSeries>(chart);
    add(s, Name);
    F->SetName(FunctionName);
    s->SetFunction(F);
    s->SetDataSource(candle);
    return s;
  };
  auto* adx = Create<TADXFunction>(chart);
  adx->SetPeriod(3);
  addFunction(adx, "Adx", "AdxFunction");
  auto* macd = Create<TMACDFunction>(chart);
  macd->SetPeriod2(4);
  addFunction(macd, "Macd", "MacdFunction");
  auto* bands = Create<TBollingerFunction>(chart);
  bands->SetExponential(false);
  bands->SetDeviation(1.5);
  addFunction(bands, "Bands", "BandsFunction");
  auto* clv = Create<TCLVFunction>(chart);
  clv->SetAccumulate(false);
  addFunction(clv, "Clv", "ClvFunction");
  clv->SetVolume(volume);
  auto* weekly = Create<TCandleSeries>(chart);
  add(weekly, "Weekly");
  auto* compress = Create<TCompressFunction>(chart);
  compress->SetName("CompressFunction");
  weekly->SetFunction(compress);
  compress->SetCompress(ocMonth);
  weekly->SetDataSource(candle);
  const char* stored[] = {"Prices", "Volumes", "Figure", "Adx", "Macd", "Bands", "Clv", "Weekly"};
  const int32_t owned = 5;  // two DI lines, signal, histogram, lower band
  ASSERT_EQ(chart->SeriesCount(), 8 + owned) << "the owned lines joined the chart";

  for (bool asText : {false, true}) {
    TMemoryStream out;
    PlotStore::WritePlotStream(chart, out, true, asText);
    if (asText) {
      const std::string text(static_cast<const char*>(out.Memory()), static_cast<size_t>(out.GetSize()));
      EXPECT_EQ(text.find("TFastLineSeries"), std::string::npos) << "owned lines are not written";
    }
    TCustomChart* target = Create<TChart>(nullptr);
    out.SetPosition(0);
    PlotStore::ReadPlotStream(target, out, true, nullptr);
    ASSERT_EQ(target->SeriesCount(), 8 + owned) << asText;
    for (const char* name : stored) {
      TChartSeries* a = Named(chart, name);
      TChartSeries* b = Named(target, name);
      ASSERT_TRUE(a && b) << name;
      ASSERT_EQ(a->Count(), b->Count()) << a->GetName() << " " << asText;
      for (int32_t i = 0; i < a->Count(); ++i) EXPECT_DOUBLE_EQ(a->GetYValue(i), b->GetYValue(i)) << a->GetName();
    }
    auto* candle2 = dynamic_cast<TCandleSeries*>(Named(target, "Prices"));
    auto* figure2 = dynamic_cast<TPointFigureSeries*>(Named(target, "Figure"));
    ASSERT_TRUE(candle2 && figure2);
    EXPECT_EQ(candle2->GetCandleStyle(), csCandleBar);
    EXPECT_EQ(candle2->GetColorStyle(), cssRelativeToClose);
    EXPECT_DOUBLE_EQ(candle2->OpenValues()->GetValue(1), 11);
    EXPECT_DOUBLE_EQ(figure2->GetBoxSize(), 0.5);
    EXPECT_TRUE(dynamic_cast<TVolumeSeries*>(Named(target, "Volumes"))->GetUseYOrigin());
    auto* adx2 = dynamic_cast<TADXFunction*>(Named(target, "Adx")->GetFunction());
    auto* macd2 = dynamic_cast<TMACDFunction*>(Named(target, "Macd")->GetFunction());
    auto* bands2 = dynamic_cast<TBollingerFunction*>(Named(target, "Bands")->GetFunction());
    auto* clv2 = dynamic_cast<TCLVFunction*>(Named(target, "Clv")->GetFunction());
    auto* compress2 = dynamic_cast<TCompressFunction*>(Named(target, "Weekly")->GetFunction());
    ASSERT_TRUE(adx2 && macd2 && bands2 && clv2 && compress2) << asText;
    EXPECT_EQ(adx2->UpLine()->Count(), adx->UpLine()->Count());
    EXPECT_DOUBLE_EQ(macd2->GetPeriod2(), 4);
    EXPECT_EQ(macd2->SignalLine()->Count(), macd->SignalLine()->Count());
    EXPECT_FALSE(bands2->GetExponential());
    EXPECT_DOUBLE_EQ(bands2->GetDeviation(), 1.5);
    EXPECT_EQ(bands2->LowBand()->Count(), bands->LowBand()->Count());
    EXPECT_FALSE(clv2->GetAccumulate());
    EXPECT_EQ(clv2->GetVolume(), Named(target, "Volumes"));
    EXPECT_EQ(compress2->GetCompress(), ocMonth);
    target->Free();
  }
  chart->Free();
}

TEST_F(FinancialChartFile, DamagedFilesLoadOrRaiseAndNeverHurtTheDrawing) {
  std::ifstream file(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/financial_chart_file/financial.txt", std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  const std::string seed = buffer.str();
  ASSERT_NE(seed.find("BoxSize = 0.5"), std::string::npos);
  auto replaced = [&](const std::string& From, const std::string& To) {
    std::string t = seed;
    const size_t at = t.find(From);
    EXPECT_NE(at, std::string::npos) << From;
    if (at != std::string::npos) t.replace(at, From.size(), To);
    return t;
  };
  const std::string cases[] = {
      replaced("BoxSize = 0.5", "BoxSize = 0.0"),
      replaced("BoxSize = 0.5", "BoxSize = 1E-300"),
      replaced("ReversalAmount = 2.0", "ReversalAmount = -5.0"),
      replaced("Period = 3.0", "Period = 1E300"),
      replaced("Period2 = 4.0", "Period2 = -3.0"),
      replaced("Deviation = 1.5", "Deviation = 1E308"),
      replaced("CandleStyle = csCandleBar", "CandleStyle = csNothing"),
      replaced("Compress = ocMonth", "Compress = 77"),
      replaced("Volume = Volumes", "Volume = Nowhere"),
      seed.substr(0, seed.size() / 2),
  };
  for (const std::string& text : cases) {
    TCustomChart* chart = Create<TChart>(nullptr);
    try {
      TMemoryStream stream;
      stream.WriteString(text);
      stream.SetPosition(0);
      PlotStore::ReadPlotStream(chart, stream, true, nullptr);
      Feed(chart);
      TBitmap picture(320, 240);
      chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
    } catch (const Exception&) {
      // A refused value is reported; nothing else may happen.
    }
    if (chart) chart->Free();
  }
}

}  // namespace

}  // namespace FinancialChartFileTests
