// The chart tool base: joining and leaving a chart's tool list, bound series
// and axes, freeing with the list, and which axes an unbound tool uses.
#include <gtest/gtest.h>

#include "chart/engine/tests/SeriesFixture.h"

namespace ToolBaseTests {

TEST_F(SeriesTest, ToolJoinsItsChartOnceAndLeavingRepaintsTheOldChart) {
  auto* tool = Create<TTestTool>(Owner);
  tool->SetParentChart(Chart.get());
  tool->SetParentChart(Chart.get());
  EXPECT_EQ(Chart->Tools.Count(), 1);
  const int before = Chart->Invalidations;
  tool->SetParentChart(nullptr);
  EXPECT_EQ(Chart->Tools.Count(), 0);
  EXPECT_GT(Chart->Invalidations, before);
  EXPECT_EQ(Chart->Tools.Attach(tool), tool);
  EXPECT_EQ(tool->GetParentChart(), Chart.get());
  EXPECT_EQ(Chart->Tools.IndexOf(tool), 0);
}

TEST_F(SeriesTest, FreedSeriesLeavesItsToolUnbound) {
  auto* s = NewSeries();
  auto* tool = Create<TTestTool>(Owner);
  tool->SetParentChart(Chart.get());
  tool->SetSeries(s);
  EXPECT_EQ(tool->GetHorizAxis(), s->GetHorizAxisRef());
  FreeObject(s);
  EXPECT_EQ(tool->GetSeries(), nullptr);
  EXPECT_EQ(tool->GetHorizAxis(), Chart->GetBottomAxis());
}

TEST_F(SeriesTest, UnboundToolTakesTheOtherAxisOnlyWhenThatAloneHasSeries) {
  auto* tool = Create<TTestTool>(Owner);
  tool->SetParentChart(Chart.get());
  EXPECT_EQ(tool->GetHorizAxis(), Chart->GetBottomAxis());
  EXPECT_EQ(tool->GetVertAxis(), Chart->GetLeftAxis());
  auto* s = NewSeries();
  s->SetHorizAxis(aTopAxis);
  s->SetVertAxis(aRightAxis);
  EXPECT_EQ(tool->GetHorizAxis(), Chart->GetTopAxis());
  EXPECT_EQ(tool->GetVertAxis(), Chart->GetRightAxis());
}

TEST_F(SeriesTest, AxisToolFollowsItsAxisChartAndStoresNoAxisIDWithoutOne) {
  auto* tool = Create<TTestAxisTool>(Owner);
  tool->SetAxis(Chart->GetLeftAxis());
  EXPECT_EQ(tool->GetParentChart(), Chart.get());
  EXPECT_EQ(tool->GetAxisID(), 2);
  tool->SetAxis(nullptr);
  EXPECT_EQ(tool->GetParentChart(), nullptr);
  EXPECT_EQ(Chart->Tools.Count(), 0);
  const TPropInfo* id = tool->ClassType()->FindProperty("AxisID");
  ASSERT_NE(id, nullptr);
  EXPECT_FALSE(id->IsStored(tool));
}

TEST_F(SeriesTest, ClearingTheToolListFreesItsTools) {
  auto* a = Create<TTestTool>(Owner);
  auto* b = Create<TTestAxisTool>(Owner);
  a->SetParentChart(Chart.get());
  b->SetAxis(Chart->GetBottomAxis());
  const int32_t owned = Owner->ComponentCount();
  Chart->Tools.Clear();
  EXPECT_EQ(Chart->Tools.Count(), 0);
  EXPECT_EQ(Owner->ComponentCount(), owned - 2);  // freed tools leave their owner
}

TEST(ToolBase, DescriptionAndEditorNamesOfTheBaseKinds) {
  auto* series = Create<TTestTool>(nullptr);
  auto* axis = Create<TTestAxisTool>(nullptr);
  std::string text = "unchanged";
  series->Description(text);
  EXPECT_EQ(text, "unchanged");
  EXPECT_EQ(series->EditorFormName(), "TSeriesToolEditor");
  EXPECT_EQ(axis->EditorFormName(), "TAxisToolEditor");
  EXPECT_FALSE(series->DrawAfterSeries);
  FreeObject(series);
  FreeObject(axis);
}

TEST(ToolBase, AxisPanelOwnsItsToolListAndFreesItsToolsWithIt) {
  PlotConst::Initialize();
  auto* owner = new TComponent(nullptr);
  auto* chart = Create<TCustomAxisPanel>(owner);
  // The list knows its chart from the start: attaching needs no tool there first.
  EXPECT_EQ(chart->GetTools().Chart(), static_cast<TSeriesChart*>(chart));
  auto* plain = Create<TTestTool>(owner);
  EXPECT_EQ(chart->GetTools().Attach(plain), plain);
  auto* axisTool = Create<TTestAxisTool>(owner);
  axisTool->SetAxis(chart->LeftAxis());
  ASSERT_EQ(chart->GetTools().Count(), 2);
  const int32_t before = owner->ComponentCount();
  chart->Free();
  // The chart freed both tools: all three left the owner.
  EXPECT_EQ(owner->ComponentCount(), before - 3);
  owner->Free();
}

}  // namespace ToolBaseTests
