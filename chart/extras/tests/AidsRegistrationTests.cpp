// Start-up registers the calendar on the gallery's "Other" page and the aid
// tools in the tool gallery; finalisation takes them out again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "chart/engine/Chart.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotCalendar.h"
#include "chart/extras/PlotDataTableTool.h"
#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotExtraLegendTool.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotLighting.h"
#include "chart/extras/PlotPageNumTool.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/extras/PlotSelectorTool.h"
#include "chart/extras/PlotSeriesBandTool.h"

namespace AidsRegistrationTests {

namespace {

bool HasTool(TClass C) {
  auto& items = Chart::ToolTypes().Items();
  return std::find(items.begin(), items.end(), C) != items.end();
}

TEST(AidsRegistration, StartUpAndFinalisation) {
  struct Case {
    TClass Class;
    const char* Description;
    const char* Editor;
  };
  const Case tools[] = {
      {TDataTableTool::StaticClass(), "Data Table", "TDataTableEditor"},
      {TDragPointTool::StaticClass(), "Drag Point", "TDragPointToolEdit"},
      {TGanttTool::StaticClass(), "Gantt Drag", "TGanttToolEditor"},
      {TPieTool::StaticClass(), "Pie Slices", "TPieToolEditor"},
      {TSelectorTool::StaticClass(), "Selector", "TSelectorToolEditor"},
      {TSeriesBandTool::StaticClass(), "Series Band", "TSeriesBandToolEdit"},
      {TExtraLegendTool::StaticClass(), "Extra Legend", "TExtraLegendEditor"},
      {TPageNumTool::StaticClass(), "Page Number", "TAnnotationToolEdit"},
      {TLightTool::StaticClass(), "2D Lighting", "TLightToolEditor"},
  };
  ExtrasUnits::Initialization();
  for (const Case& c : tools) {
    EXPECT_TRUE(HasTool(c.Class)) << c.Description;
    auto* t = dynamic_cast<TPlotCustomTool*>(c.Class->CreateInstance(nullptr));
    ASSERT_NE(t, nullptr) << c.Description;
    std::string text;
    t->Description(text);
    EXPECT_EQ(text, c.Description);
    EXPECT_EQ(t->EditorFormName(), c.Editor);
    t->Free();
  }
  const TPlotSeriesType* cal = Chart::SeriesTypes().TypeOfSeriesClass(TCalendarSeries::StaticClass());
  ASSERT_NE(cal, nullptr);
  EXPECT_EQ(cal->Description(), "Calendar");
  EXPECT_EQ(*cal->PageName, "Other");
  EXPECT_EQ(cal->SampleSeriesCount, 1);
  EXPECT_EQ(PlotPageNumTool::PageNumClass(), TPageNumTool::StaticClass());
  ExtrasUnits::Finalization();
  for (const Case& c : tools) EXPECT_FALSE(HasTool(c.Class)) << c.Description;
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TCalendarSeries::StaticClass()), nullptr);
  EXPECT_EQ(PlotPageNumTool::PageNumClass(), nullptr);
  ExtrasUnits::Initialization();
}

}  // namespace

}  // namespace AidsRegistrationTests
