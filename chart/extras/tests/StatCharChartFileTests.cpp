// Chart files keep the statistical series and functions: their settings, the
// data of the series that hold it, and the functions' results after loading.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/extras/CurvFitt.h"
#include "chart/extras/PlotBoxPlot.h"
#include "chart/extras/PlotDownSampling.h"
#include "chart/extras/StatChar.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/Classes.h"

namespace StatCharChartFileTests {

namespace {

TEST(StatChartFile, SeriesAndFunctionsSurviveWritingAndReading) {
  PlotConst::Initialize();
  Series::Initialization();
  StatChar::Initialize();
  CurvFitt::Initialize();
  PlotDownSampling::Initialize();
  PlotBoxPlot::Initialize();
  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Stats");
  auto add = [&](TChartSeries* S, const char* Name) {
    S->SetName(Name);
    chart->AddSeries(S);
    return S;
  };
  auto* hist = Create<THistogramSeries>(chart);
  add(hist, "Hist");
  hist->SetTransparency(30);
  hist->LinesPen()->SetVisible(true);
  for (double v : {3.0, 5.0, 4.0}) hist->Add(v);
  auto* box = Create<TBoxSeries>(chart);
  add(box, "Box");
  box->SetPosition(2);
  box->SetWhiskerLength(2);
  for (double v : {1.0, 2.0, 3.0, 4.0, 30.0}) box->Add(v);
  auto* src = Create<TLineSeries>(chart);
  add(src, "Source");
  for (int i = 0; i < 6; ++i) src->AppendPoint(i, i * i + 1);
  for (TChartSeries* s : {static_cast<TChartSeries*>(hist), static_cast<TChartSeries*>(box), static_cast<TChartSeries*>(src)})
    s->ManualData = true;
  auto* avg = Create<TLineSeries>(chart);
  add(avg, "Average");
  auto* fa = Create<TMovingAverageFunction>(chart);
  fa->SetName("AverageFunction");
  avg->SetFunction(fa);
  fa->SetPeriod(3);
  fa->SetWeightedIndex(true);
  avg->SetDataSource(src);
  auto* fit = Create<TLineSeries>(chart);
  add(fit, "Fit");
  auto* ff = Create<TCurveFittingFunction>(chart);
  ff->SetName("FitFunction");
  fit->SetFunction(ff);
  ff->SetPolyDegree(3);
  ff->SetFactor(2);
  fit->SetDataSource(src);
  auto* down = Create<TLineSeries>(chart);
  add(down, "Down");
  auto* fd = Create<TDownSamplingFunction>(chart);
  fd->SetName("DownFunction");
  down->SetFunction(fd);
  fd->SetDownSampleMethod(dsMinMax);
  fd->SetTolerance(2.5);
  down->SetDataSource(src);

  for (bool asText : {false, true}) {
    TMemoryStream out;
    PlotStore::WritePlotStream(chart, out, true, asText);
    TCustomChart* target = Create<TChart>(nullptr);
    out.SetPosition(0);
    PlotStore::ReadPlotStream(target, out, true, nullptr);
    ASSERT_EQ(target->SeriesCount(), chart->SeriesCount()) << asText;
    // The function series come back fed by the loaded source.
    for (int32_t k = 3; k < 6; ++k) EXPECT_EQ(target->GetSeries(k)->GetDataSource(), target->GetSeries(2)) << asText;
    for (int32_t k = 0; k < chart->SeriesCount(); ++k) {
      TChartSeries* a = chart->GetSeries(k);
      TChartSeries* b = target->GetSeries(k);
      EXPECT_EQ(a->ClassName(), b->ClassName());
      ASSERT_EQ(a->Count(), b->Count()) << a->GetName() << " " << asText;
      for (int32_t i = 0; i < a->Count(); ++i) {
        EXPECT_DOUBLE_EQ(a->GetXValue(i), b->GetXValue(i)) << a->GetName();
        EXPECT_DOUBLE_EQ(a->GetYValue(i), b->GetYValue(i)) << a->GetName();
      }
    }
    auto* hist2 = dynamic_cast<THistogramSeries*>(target->GetSeries(0));
    auto* box2 = dynamic_cast<TBoxSeries*>(target->GetSeries(1));
    ASSERT_TRUE(hist2 && box2);
    EXPECT_EQ(hist2->GetTransparency(), 30);
    EXPECT_TRUE(hist2->LinesPen()->GetVisible());
    EXPECT_EQ(box2->GetPosition(), 2);
    EXPECT_EQ(box2->GetWhiskerLength(), 2);
    auto* fa2 = dynamic_cast<TMovingAverageFunction*>(target->GetSeries(3)->GetFunction());
    auto* ff2 = dynamic_cast<TCurveFittingFunction*>(target->GetSeries(4)->GetFunction());
    auto* fd2 = dynamic_cast<TDownSamplingFunction*>(target->GetSeries(5)->GetFunction());
    ASSERT_TRUE(fa2 && ff2 && fd2) << asText;
    EXPECT_EQ(fa2->GetPeriod(), 3);
    EXPECT_TRUE(fa2->GetWeightedIndex());
    EXPECT_EQ(ff2->GetPolyDegree(), 3);
    EXPECT_EQ(ff2->GetFactor(), 2);
    EXPECT_EQ(fd2->GetDownSampleMethod(), dsMinMax);
    EXPECT_EQ(fd2->GetTolerance(), 2.5);
    target->Free();
  }
  chart->Free();
  PlotBoxPlot::Finalize();
  PlotDownSampling::Finalize();
  CurvFitt::Finalize();
  StatChar::Finalize();
}

TEST(StatChartFile, DamagedFilesLoadOrRaiseAndNeverHurtTheDrawing) {
  PlotConst::Initialize();
  Series::Initialization();
  StatChar::Initialize();
  CurvFitt::Initialize();
  PlotDownSampling::Initialize();
  PlotBoxPlot::Initialize();
  std::ifstream file(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/stat_chart_file/stats.txt", std::ios::binary);
  std::stringstream buffer;
  buffer << file.rdbuf();
  const std::string seed = buffer.str();
  ASSERT_NE(seed.find("PolyDegree = 3"), std::string::npos);
  auto replaced = [&](const std::string& From, const std::string& To) {
    std::string t = seed;
    const size_t at = t.find(From);
    EXPECT_NE(at, std::string::npos) << From;
    if (at != std::string::npos) t.replace(at, From.size(), To);
    return t;
  };
  const std::string cases[] = {
      replaced("PolyDegree = 3", "PolyDegree = 99"),
      replaced("PolyDegree = 3", "PolyDegree = -4"),
      replaced("Tolerance = 2.5", "Tolerance = -7.0"),
      replaced("WhiskerLength = 2.0", "WhiskerLength = 1E308"),
      replaced("Transparency = 30", "Transparency = 5000"),
      replaced("Period = 3.0", "Period = 0.2"),
      replaced("Period = 3.0", "Period = -1.0"),
      replaced("WeightedIndex = True", "WeightedIndex = 7"),
      seed.substr(0, seed.size() / 2),
  };
  for (const std::string& text : cases) {
    TCustomChart* chart = Create<TChart>(nullptr);
    try {
      TMemoryStream stream;
      stream.WriteString(text);
      stream.SetPosition(0);
      PlotStore::ReadPlotStream(chart, stream, true, nullptr);
      for (int32_t i = 3; chart && i < chart->SeriesCount(); ++i) chart->GetSeries(i)->SetDataSource(chart->GetSeries(2));
      TBitmap picture(320, 240);
      chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
    } catch (const Exception&) {
      // A refused value is reported; nothing else may happen.
    }
    if (chart) chart->Free();
  }
  PlotBoxPlot::Finalize();
  PlotDownSampling::Finalize();
  CurvFitt::Finalize();
  StatChar::Finalize();
}

}  // namespace

}  // namespace StatCharChartFileTests
