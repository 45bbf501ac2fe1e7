// Chart files holding the calendar series and the aid tools: what is written
// comes back, and damaged files load or raise without hurting the drawing.
#include <gtest/gtest.h>

#include <string>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
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
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

namespace ExtrasToolsFileTests {

namespace {

template <class T>
T* NewTool(TCustomChart* Chart, const std::string& Name) {
  T* t = Create<T>(Chart);
  t->SetName(Name);
  t->SetParentChart(Chart);
  return t;
}

// A chart with a calendar, a line and one of every aid tool, set away from defaults.
TCustomChart* Sample() {
  TCustomChart* chart = Create<TChart>(nullptr);
  chart->SetName("SourceChart");
  auto* cal = Create<TCalendarSeries>(chart);
  cal->SetName("Calendar1");
  chart->AddSeries(cal);
  cal->SetDate(SysUtils::EncodeDate(2024, 2, 29));
  cal->SetNextButtonVisible(false);
  cal->Months()->SetUpperCase(true);
  cal->WeekDays()->SetFormat("dddd");
  auto* line = Create<TLineSeries>(chart);
  line->SetName("Line1");
  chart->AddSeries(line);
  line->AppendPoint(1, 2);
  line->AppendPoint(2, 3);
  NewTool<TDataTableTool>(chart, "Table1")->SetInverted(true);
  NewTool<TDragPointTool>(chart, "Drag1")->DragStyle = dsY;
  NewTool<TGanttTool>(chart, "Gantt1")->MinPixels = 7;
  NewTool<TPieTool>(chart, "Pie1")->Style = ptExplode;
  NewTool<TSelectorTool>(chart, "Selector1")->SetHandleSize(5);
  auto* band = NewTool<TSeriesBandTool>(chart, "Band1");
  band->SetSeries(line);
  band->SetSeries2(line);
  band->SetTransparency(30);
  NewTool<TExtraLegendTool>(chart, "Legend1")->SetSeries(line);
  NewTool<TPageNumTool>(chart, "Page1")->SetFormat("%d/%d");
  auto* light = NewTool<TLightTool>(chart, "Light1");
  light->SetFactor(20);
  light->SetStyle(lsSpotLight);
  return chart;
}

TEST(ExtrasToolsFile, CalendarAndToolsComeBack) {
  PlotConst::Initialize();
  ExtrasUnits::Initialization();
  for (bool asText : {true, false}) {
    TCustomChart* src = Sample();
    TMemoryStream s;
    PlotStore::WritePlotStream(src, s, true, asText);
    s.SetPosition(0);
    TCustomChart* dst = Create<TChart>(nullptr);
    dst->SetName("TargetChart");
    PlotStore::ReadPlotStream(dst, s, true, nullptr);
    ASSERT_EQ(dst->GetTools().Count(), src->GetTools().Count());
    for (int32_t i = 0; i < src->GetTools().Count(); ++i) {
      TPlotCustomTool* a = src->GetTools().ToolAt(i);
      TPlotCustomTool* b = dst->GetTools().ToolAt(i);
      EXPECT_EQ(a->ClassName(), b->ClassName());
      EXPECT_EQ(a->GetName(), b->GetName());
    }
    auto* cal = dynamic_cast<TCalendarSeries*>(dst->GetSeries(0));
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(cal->GetDate(), SysUtils::EncodeDate(2024, 2, 29));
    EXPECT_FALSE(cal->GetNextButtonVisible());
    EXPECT_TRUE(cal->Months()->GetUpperCase());
    EXPECT_EQ(cal->WeekDays()->GetFormat(), "dddd");
    const auto t = [&](const char* Name) {
      for (int32_t i = 0; i < dst->GetTools().Count(); ++i)
        if (dst->GetTools().ToolAt(i)->GetName() == Name) return dst->GetTools().ToolAt(i);
      ADD_FAILURE() << Name;
      return static_cast<TPlotCustomTool*>(nullptr);
    };
    EXPECT_TRUE(dynamic_cast<TDataTableTool*>(t("Table1"))->GetInverted());
    EXPECT_EQ(dynamic_cast<TDragPointTool*>(t("Drag1"))->DragStyle, dsY);
    EXPECT_EQ(dynamic_cast<TGanttTool*>(t("Gantt1"))->MinPixels, 7);
    EXPECT_EQ(dynamic_cast<TPieTool*>(t("Pie1"))->Style, ptExplode);
    EXPECT_EQ(dynamic_cast<TSelectorTool*>(t("Selector1"))->GetHandleSize(), 5);
    auto* band = dynamic_cast<TSeriesBandTool*>(t("Band1"));
    EXPECT_EQ(band->GetTransparency(), 30);
    EXPECT_EQ(band->GetSeries2(), dst->GetSeries(1));
    EXPECT_EQ(dynamic_cast<TPageNumTool*>(t("Page1"))->GetFormat(), "%d/%d");
    auto* light = dynamic_cast<TLightTool*>(t("Light1"));
    EXPECT_EQ(light->GetFactor(), 20);
    EXPECT_EQ(light->GetStyle(), lsSpotLight);
    TBitmap picture(320, 240);
    dst->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
    src->Free();
    dst->Free();
  }
}

TEST(ExtrasToolsFile, DamagedFilesLoadOrRaiseAndNeverHurtTheDrawing) {
  PlotConst::Initialize();
  ExtrasUnits::Initialization();
  const std::string head = "object TChart\n  object Calendar1: TCalendarSeries\n";
  const std::string tools = "  object Light1: TLightTool\n    Factor = 2147483647\n    Left = -2147483648\n  end\n"
                            "  object Sel1: TSelectorTool\n    HandleSize = 2147483647\n  end\n"
                            "  object Band1: TSeriesBandTool\n    Transparency = -5\n    Series2 = Missing\n  end\n"
                            "  object Page1: TPageNumTool\n    Format = '%d%d%d%s%n'\n  end\n"
                            "  object Table1: TDataTableTool\n    Left = 99999999\n    Top = -99999999\n  end\n";
  for (const std::string& text :
       {head + "    Date = 1E300\n  end\n" + tools + "end\n", head + "    Date = -1E9\n  end\nend\n",
        head + "    Date = NAN\n  end\nend\n", head + "    Months.Format = 'yyyy'\n  end\n" + tools,
        head + "    Data = {FFFF}\n  end\nend\n", std::string("object TChart\n") + tools + "end\n",
        head.substr(0, 30), std::string("object TChart\n  object X: TDragPointTool\n    DragStyle = dsNone\n  end\nend\n")}) {
    TCustomChart* chart = Create<TChart>(nullptr);
    try {
      TMemoryStream stream;
      stream.WriteString(text);
      stream.SetPosition(0);
      PlotStore::ReadPlotStream(chart, stream, true, nullptr);
      TBitmap picture(320, 240);
      chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
      chart->SetView3D(!chart->GetView3D());
      chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, 320, 240));
    } catch (const Exception&) {
      // A refused value is reported; nothing else may happen.
    }
    if (chart) chart->Free();
  }
}

}  // namespace

}  // namespace ExtrasToolsFileTests
