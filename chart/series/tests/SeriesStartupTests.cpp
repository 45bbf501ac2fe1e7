// The start-up calls of the chart units: each registers its series types,
// tools, stream classes and text hooks once, however often it is called.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotLegendScrollBar.h"
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "platform/rtl/ClassInfo.h"

namespace SeriesStartupTests {

namespace {

void StartUp() {
  PlotConst::Initialize();
  PlotEngine::Initialization();
  Chart::Initialize();
  Series::Initialization();
  PlotTools::RegisterTools();
  PlotLegendScrollBar::Initialization();
}

}  // namespace

TEST(SeriesStartup, EveryRegistrationHappensOnceAndTheTextHooksAreInstalled) {
  StartUp();
  const int32_t seriesTypes = Chart::SeriesTypes().Count();
  const int32_t toolTypes = Chart::ToolTypes().Count();
  StartUp();
  EXPECT_EQ(Chart::SeriesTypes().Count(), seriesTypes);
  EXPECT_EQ(Chart::ToolTypes().Count(), toolTypes);
  for (TClass c : {TLineSeries::StaticClass(), TPointSeries::StaticClass(), TAreaSeries::StaticClass(),
                   TFastLineSeries::StaticClass(), THorizLineSeries::StaticClass(), THorizAreaSeries::StaticClass()})
    EXPECT_NE(Chart::SeriesTypes().TypeOfSeriesClass(c), nullptr) << c->ClassName();
  auto& tools = Chart::ToolTypes().Items();
  for (TClass c : {TChartImageTool::StaticClass(), TLegendScrollBar::StaticClass()})
    EXPECT_EQ(std::count(tools.begin(), tools.end(), c), 1) << c->ClassName();
  // Charts stream their axes and tools by class name.
  for (const char* name : {"TChartAxis", "TChartDepthAxis", "TSeriesMarks", "TLegendScrollBar", "TChartImageTool"})
    EXPECT_NE(ClassInfo::GetClass(name), nullptr) << name;
  ASSERT_TRUE(PlotEngine::SeriesToText);
  ASSERT_TRUE(PlotEngine::SeriesFromText);
  // A series saves its look through the installed writer and takes it back.
  auto* owner = new TComponent(nullptr);
  auto* line = Create<TLineSeries>(owner);
  line->SetSeriesColor(clRed);
  line->StoreDefaultText();
  EXPECT_FALSE(line->SeriesDefaultText.empty());
  line->SetSeriesColor(clBlue);
  line->RestoreDefaultText();
  EXPECT_EQ(line->GetSeriesColor(), clRed);
  owner->Free();
}

}  // namespace SeriesStartupTests
