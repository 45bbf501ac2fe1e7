// The draw cycle: order of tool events and drawing steps, state restored
// after a failing handler, interleaved series sharing a depth, and a
// rendered scene.
#include <gtest/gtest.h>

#include <stdexcept>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/tests/SeriesFixture.h"

namespace DrawCycleTests {

namespace {

std::vector<std::string>* Log = nullptr;

class LoggingPanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  void DrawTitlesAndLegend(bool BeforeSeries) override { Log->push_back(BeforeSeries ? "titles1" : "titles0"); }
  void DrawWalls() override { Log->push_back("walls"); }
};

class LoggingTool : public TTestTool {
public:
  using TTestTool::TTestTool;
  void HandleChartEvent(int32_t Code) override { Log->push_back("tool" + std::to_string(Code)); }
};

class LoggingSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void DrawPoint(int32_t Index) override { Log->push_back(Name + std::to_string(Index)); }
  std::string Name;
};

class DrawCycleTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Log = &Entries;
    Owner = new TComponent(nullptr);
    Chart = Create<LoggingPanel>(Owner);
    Chart->SetBounds(300, 200);
    Chart->AutoRepaint = true;
  }
  void TearDown() override {
    Owner->Free();
    Log = nullptr;
  }
  LoggingSeries* NewSeries(const std::string& Name, int32_t Points) {
    auto* s = Create<LoggingSeries>(Owner);
    s->Name = Name;
    Chart->AddSeries(s);
    for (int32_t i = 0; i < Points; ++i) s->AppendPoint(i, i * 10.0);
    return s;
  }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 300, 200)); }
  std::vector<std::string> Entries;
  TComponent* Owner = nullptr;
  LoggingPanel* Chart = nullptr;
  TBitmap Bitmap{300, 200};
};

}  // namespace

TEST_F(DrawCycleTest, ToolEventsAndStepsComeInOrder) {
  Chart->SetView3D(false);
  auto* tool = Create<LoggingTool>(Owner);
  tool->SetParentChart(Chart);
  NewSeries("a", 2);
  Chart->OnBeforeDrawChart = [](TObject*) { Log->push_back("beforeChart"); };
  Chart->OnBeforeDrawAxes = [](TObject*) { Log->push_back("beforeAxes"); };
  Chart->OnBeforeDrawSeries = [](TObject*) { Log->push_back("beforeSeries"); };
  Chart->OnAfterDraw = [](TObject*) { Log->push_back("after"); };
  Draw();
  const std::vector<std::string> behind{"tool2", "beforeChart", "titles1", "walls", "tool3", "beforeAxes",
                                        "tool1", "beforeSeries", "a0", "a1", "tool4", "titles0", "tool0", "after"};
  EXPECT_EQ(Entries, behind);
  Entries.clear();
  Chart->SetAxisBehind(false);
  Draw();
  const std::vector<std::string> front{"tool2", "beforeChart", "titles1", "walls", "tool1", "beforeSeries", "a0",
                                       "a1", "tool4", "tool3", "beforeAxes", "titles0", "tool0", "after"};
  EXPECT_EQ(Entries, front);
}

TEST_F(DrawCycleTest, FailingHandlerLeavesTheChartAbleToRepaint) {
  Chart->SetView3D(false);
  NewSeries("a", 2);
  Chart->OnBeforeDrawSeries = [](TObject*) { throw std::runtime_error("bad handler"); };
  EXPECT_THROW(Draw(), std::runtime_error);
  EXPECT_TRUE(Chart->AutoRepaint);
  EXPECT_FALSE(Chart->SeriesClipped);
  Chart->OnBeforeDrawSeries = nullptr;
  Entries.clear();
  Draw();
  EXPECT_NE(std::find(Entries.begin(), Entries.end(), "a1"), Entries.end());
}

TEST_F(DrawCycleTest, SeriesSharingADepthDrawPointByPoint) {
  Chart->SetView3D(true);
  auto* a = NewSeries("a", 3);
  auto* b = NewSeries("b", 2);
  a->ZOrder = 0;
  b->ZOrder = 0;
  Draw();
  std::vector<std::string> points;
  for (const std::string& e : Entries)
    if (e[0] == 'a' || e[0] == 'b') points.push_back(e);
  EXPECT_EQ(points, (std::vector<std::string>{"a0", "b0", "a1", "b1", "a2"}));
}

TEST_F(DrawCycleTest, OrdinaryChartDrawsOnlyBottomAndLeftAxes) {
  Chart->SetView3D(false);
  NewSeries("a", 5);
  Draw();
  EXPECT_TRUE(Chart->IsAxisDrawn(*Chart->BottomAxis()));
  EXPECT_TRUE(Chart->IsAxisDrawn(*Chart->LeftAxis()));
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->TopAxis()));
  EXPECT_FALSE(Chart->IsAxisDrawn(*Chart->RightAxis()));
  const TRect r = Chart->ChartRect;
  // The axis lines sit on the chart rectangle's bottom and left edges, in the
  // axis pen's colour; the top and right sides keep the room of the margins only.
  const TColor axisColor = Chart->BottomAxis()->Axis()->GetColor() & 0xFFFFFF;
  // Between two ticks, where no grid line crosses the axis line.
  const auto between = [](const TChartAxis* A) { return (A->TickPixels.at(0) + A->TickPixels.at(1)) / 2 + 1; };
  const TChartAxis* bottom = Chart->BottomAxis();
  const TChartAxis* left = Chart->LeftAxis();
  EXPECT_EQ(Bitmap.GetPixelColor(between(bottom), bottom->AxisLinePos) & 0xFFFFFF, axisColor) << bottom->AxisLinePos;
  EXPECT_EQ(Bitmap.GetPixelColor(left->AxisLinePos, between(left)) & 0xFFFFFF, axisColor) << left->AxisLinePos;
  EXPECT_EQ(Chart->PreviousChartRect, r);
  EXPECT_LT(r.Top, 30);  // no top axis labels reserved
}

}  // namespace DrawCycleTests
