// The chart's view of its axes list and the paired inversion of the two
// depth axes.
#include <functional>

#include "chart/engine/PlotEngine_AxisPanel.h"
#include "chart/engine/tests/SeriesFixture.h"

namespace AxesListTests {

namespace {

using AxesListTest = AxisPanelChartTest;

struct AccessorCase {
  const char* Name;
  std::function<TChartAxis*(const TChartAxes&)> FromList;
  std::function<TChartAxis*(const TCustomAxisPanel&)> FromChart;
};

}  // namespace

TEST_F(AxesListTest, AxesListAnswersTheChartsStandardAxes) {
  const AccessorCase cases[] = {
      {"Left", [](const TChartAxes& a) { return a.Left(); }, [](const TCustomAxisPanel& c) { return c.LeftAxis(); }},
      {"Top", [](const TChartAxes& a) { return a.Top(); }, [](const TCustomAxisPanel& c) { return c.TopAxis(); }},
      {"Right", [](const TChartAxes& a) { return a.Right(); },
       [](const TCustomAxisPanel& c) { return c.RightAxis(); }},
      {"Bottom", [](const TChartAxes& a) { return a.Bottom(); },
       [](const TCustomAxisPanel& c) { return c.BottomAxis(); }},
      {"Depth", [](const TChartAxes& a) -> TChartAxis* { return a.Depth(); },
       [](const TCustomAxisPanel& c) -> TChartAxis* { return c.DepthAxis(); }},
      {"DepthTop", [](const TChartAxes& a) -> TChartAxis* { return a.DepthTop(); },
       [](const TCustomAxisPanel& c) -> TChartAxis* { return c.DepthTopAxis(); }},
  };
  TChartAxes& axes = Chart->GetAxes();
  EXPECT_EQ(axes.Chart(), Chart);
  std::vector<TChartAxis*> seen;
  for (const AccessorCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TChartAxis* a = c.FromList(axes);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, c.FromChart(*Chart));
    for (TChartAxis* s : seen) EXPECT_NE(a, s);
    seen.push_back(a);
  }
  // The standard axes are the first six entries of the list, in creation order.
  EXPECT_EQ(axes.Items(0), axes.Bottom());
  EXPECT_EQ(axes.Items(2), axes.Left());
  EXPECT_EQ(axes.Items(5), axes.DepthTop());
}

TEST_F(AxesListTest, BehindAndVisibleReadAndWriteTheChartsSwitches) {
  struct SwitchCase {
    const char* Name;
    std::function<bool(const TChartAxes&)> Get;
    std::function<void(TChartAxes&, bool)> Set;
    std::function<bool(const TCustomAxisPanel&)> ChartGet;
    std::function<void(TCustomAxisPanel&, bool)> ChartSet;
  };
  const SwitchCase cases[] = {
      {"Behind", [](const TChartAxes& a) { return a.GetBehind(); }, [](TChartAxes& a, bool v) { a.SetBehind(v); },
       [](const TCustomAxisPanel& c) { return c.GetAxisBehind(); },
       [](TCustomAxisPanel& c, bool v) { c.SetAxisBehind(v); }},
      {"Visible", [](const TChartAxes& a) { return a.GetVisible(); }, [](TChartAxes& a, bool v) { a.SetVisible(v); },
       [](const TCustomAxisPanel& c) { return c.GetAxisVisible(); },
       [](TCustomAxisPanel& c, bool v) { c.SetAxisVisible(v); }},
  };
  TChartAxes& axes = Chart->GetAxes();
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_TRUE(c.Get(axes));  // both default to true
    c.Set(axes, false);
    EXPECT_FALSE(c.ChartGet(*Chart));
    EXPECT_FALSE(c.Get(axes));
    c.ChartSet(*Chart, true);
    EXPECT_TRUE(c.Get(axes));
  }
  // The two switches are independent.
  axes.SetBehind(false);
  EXPECT_TRUE(axes.GetVisible());
  EXPECT_TRUE(Chart->IsAxisVisible(*Chart->DepthAxis()) == false);  // hidden depth axis
}

TEST_F(AxesListTest, AxesListWithoutAChartRaises) {
  TChartAxes lone;
  EXPECT_EQ(lone.Chart(), nullptr);
  EXPECT_THROW(lone.Left(), ChartException);
  EXPECT_THROW(lone.DepthTop(), ChartException);
  EXPECT_THROW(lone.GetBehind(), ChartException);
  EXPECT_THROW(lone.SetVisible(false), ChartException);
}

TEST_F(AxesListTest, InvertingOneDepthAxisInvertsTheOther) {
  TChartDepthAxis* depth = Chart->DepthAxis();
  TChartDepthAxis* top = Chart->DepthTopAxis();
  depth->SetInverted(true);
  EXPECT_TRUE(depth->GetInverted());
  EXPECT_TRUE(top->GetInverted());
  top->SetInverted(false);
  EXPECT_FALSE(top->GetInverted());
  EXPECT_FALSE(depth->GetInverted());
  // Reading a stored axis text into one depth axis carries the other along.
  TChartAxis* donor = Chart->CustomAxes()->AddAxis();
  donor->SetInverted(true);
  PlotEngine::AxisFromText(*top, PlotEngine::AxisToText(*donor), false);
  EXPECT_TRUE(top->GetInverted());
  EXPECT_TRUE(depth->GetInverted());
  // Ordinary axes stay independent of each other and of the depth axes.
  Chart->LeftAxis()->SetInverted(true);
  EXPECT_FALSE(Chart->RightAxis()->GetInverted());
  Chart->LeftAxis()->SetInverted(false);
  EXPECT_TRUE(depth->GetInverted());
}

}  // namespace AxesListTests
