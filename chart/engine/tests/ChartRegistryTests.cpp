// Series and tool type registries, series creation, conversion and
// replacement, and colour palettes.
#include "chart/engine/tests/ChartFixture.h"

namespace ChartRegistryTests {

namespace {

class TChartRegistryTool : public TPlotCustomToolSeries {
  KV_CLASS(TChartRegistryTool, TPlotCustomToolSeries)
public:
  using TPlotCustomToolSeries::TPlotCustomToolSeries;
};

class TChartRegistryFunction : public TPlotFunction {
  KV_CLASS(TChartRegistryFunction, TPlotFunction)
public:
  using TPlotFunction::TPlotFunction;
};

}  // namespace

KV_CLASS_IMPL(TChartRegistryTool, TPlotCustomToolSeries) {}
KV_CLASS_IMPL(TChartRegistryFunction, TPlotFunction) {}

TEST_F(ChartTest, SeriesTypeTextIsTheRegisteredDescriptionElseTheClassName) {
  auto* s = AddSeries("a", {1});
  EXPECT_EQ(Chart::SeriesTypeText(s), "TChartTestSeries");
  Chart::AddStandardSeriesType(TChartTestSeries::StaticClass(), &PlotConst::MsgLine);
  Chart::AddStandardSeriesType(TChartTestSeries::StaticClass(), &PlotConst::MsgLine);
  int entries = 0;
  for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i)
    if (Chart::SeriesTypes().TypeAt(i)->SeriesClassRef == TChartTestSeries::StaticClass()) ++entries;
  EXPECT_EQ(entries, 1);
  EXPECT_EQ(Chart::SeriesTypeText(s), "Line");
  EXPECT_EQ(*Chart::SeriesTypes().TypeOfSeriesClass(TChartTestSeries::StaticClass())->PageName, "Standard");
  // A function entry of the same series class is another entry and is not the series' type.
  Chart::RegisterType(TChartTestSeries::StaticClass(), TChartRegistryFunction::StaticClass(), &PlotConst::MsgArea,
                      &PlotConst::MsgFunctions, 1);
  EXPECT_EQ(Chart::SeriesTypeText(s), "Line");
  Chart::RemoveFunctionTypes({TChartRegistryFunction::StaticClass()});
  Chart::RemoveSeriesTypes({TChartTestSeries::StaticClass(), TChartNoAxisSeries::StaticClass()});
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TChartTestSeries::StaticClass()), nullptr);
  EXPECT_EQ(Chart::SeriesTypeText(s), "TChartTestSeries");
  EXPECT_THROW(Chart::SeriesTypes().TypeAt(Chart::SeriesTypes().Count()), ChartException);
}

TEST_F(ChartTest, ToolClassesRegisterOnceAndRemove) {
  const int32_t before = Chart::ToolTypes().Count();
  Chart::AddToolClasses({TChartRegistryTool::StaticClass(), TChartRegistryTool::StaticClass()});
  EXPECT_EQ(Chart::ToolTypes().Count(), before + 1);
  EXPECT_EQ(Chart::ToolClassAt(before), TChartRegistryTool::StaticClass());
  Chart::RemoveToolClasses({TChartRegistryTool::StaticClass()});
  Chart::RemoveToolClasses({TChartRegistryTool::StaticClass()});
  EXPECT_EQ(Chart::ToolTypes().Count(), before);
}

TEST_F(ChartTest, MakeSeriesGivesTheChartTheNewSeriesOnlyWhenItOwnsOne) {
  TChartSeries* a = Chart::MakeSeries(Owner, Chart, TChartTestSeries::StaticClass(), nullptr);
  EXPECT_EQ(a->Owner(), Owner);
  EXPECT_EQ(a->GetName(), "Series1");
  EXPECT_EQ(Chart->SeriesCount(), 1);
  TChartSeries* b = Chart::MakeSeries(nullptr, Chart, TChartTestSeries::StaticClass(), nullptr);
  EXPECT_EQ(b->Owner(), Chart);
  TChartSeries* c = Chart::MakeSeries(Owner, Chart, TChartTestSeries::StaticClass(),
                                      TChartRegistryFunction::StaticClass());
  EXPECT_EQ(c->Owner(), Chart);
  ASSERT_NE(c->GetFunction(), nullptr);
  EXPECT_EQ(c->GetFunction()->GetName(), "PlotFunction1");
  EXPECT_THROW(Chart::MakeSeries(Owner, Chart, TChartRegistryTool::StaticClass(), nullptr), ChartException);
}

TEST_F(ChartTest, ConvertSeriesClassKeepsNamePlaceLookEventsAndLinks) {
  auto* first = AddSeries("first", {1, 2});
  TChartSeries* s = AddSeries("middle", {3, 4, 5});
  AddSeries("last", {6});
  s->SetName("Observed");
  s->SetSeriesColor(clRed);
  int clicks = 0;
  s->OnClick = [&](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) { ++clicks; };
  s->OnGetMarkText = [](TChartSeries*, int32_t, std::string& T) { T = "m"; };
  auto* dependent = Create<TChartTestSeries>(Owner);
  Chart->AddSeries(dependent);
  dependent->SetDataSource(s);
  auto* tool = Create<TChartRegistryTool>(Owner);
  tool->SetParentChart(Chart);
  tool->SetSeries(s);
  std::vector<int32_t> events;
  struct Listener : ChartEventListener {
    std::vector<int32_t>* Events;
    void PlotEvent(TPlotEvent& E) override {
      if (auto* se = dynamic_cast<TPlotSeriesEvent*>(&E)) Events->push_back(se->Event);
    }
  } listener;
  listener.Events = &events;
  Chart->AddListener(&listener);

  TChartSeries* old = s;
  TChartSeries* converted = Chart::ConvertSeriesClass(s, TChartTestPointSeries::StaticClass());
  Chart->RemoveListener(&listener);
  EXPECT_NE(converted, old);
  EXPECT_EQ(s, converted);
  EXPECT_EQ(s->ClassType(), TChartTestPointSeries::StaticClass());
  EXPECT_EQ(s->GetName(), "Observed");
  EXPECT_EQ(Chart->GetSeries(0), first);
  EXPECT_EQ(Chart->GetSeries(1), s);
  EXPECT_EQ(Chart->SeriesCount(), 4);
  EXPECT_EQ(s->GetSeriesColor(), clRed);
  EXPECT_EQ(s->GetTitle(), "middle");
  EXPECT_EQ(s->Count(), 3);
  ASSERT_TRUE(s->OnClick);
  s->OnClick(s, 0, TMouseButton::mbLeft, {}, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(s->OnGetMarkText);
  EXPECT_EQ(dependent->GetDataSource(), s);
  EXPECT_EQ(tool->GetSeries(), s);
  EXPECT_NE(std::find(events.begin(), events.end(), 2), events.end());
  // Converting to the same class changes nothing.
  EXPECT_EQ(Chart::ConvertSeriesClass(s, TChartTestPointSeries::StaticClass()), converted);
}

TEST_F(ChartTest, CloneAndDuplicateCopyTheSeriesIntoANewOne) {
  auto* s = AddSeries("a", {1, 2, 3});
  s->SetSeriesColor(clGreen);
  TChartSeries* d = Chart::DuplicateSeries(s);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->ClassType(), s->ClassType());
  EXPECT_EQ(d->Count(), 3);
  EXPECT_EQ(d->GetSeriesColor(), clGreen);
  EXPECT_EQ(Chart->SeriesCount(), 2);
  auto* other = Create<TChart>(Owner);
  TChartSeries* c = Chart::CloneSeries(s, other);
  EXPECT_EQ(other->SeriesCount(), 1);
  EXPECT_EQ(c->GetParentComponent(), other);
}

TEST_F(ChartTest, PalettesColourDefaultSeriesOnly) {
  EXPECT_EQ(Chart::ColorPalettes().size(), 10u);
  EXPECT_EQ(Chart::ColorPalettes()[8], "Rainbow");
  EXPECT_EQ(Chart::ColorPalettes()[9], "Win. XP");
  const size_t counts[] = {20, 22, 11, 14, 8, 12, 9, 14, 25, 13};
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(Chart::PaletteColors(i).size(), counts[i]) << i;
  auto* a = AddSeries("a", {1});
  auto* b = AddSeries("b", {1});
  auto* c = AddSeries("c", {1});
  auto* own = AddSeries("own", {1});
  for (TChartSeries* s : {static_cast<TChartSeries*>(a), static_cast<TChartSeries*>(b), static_cast<TChartSeries*>(c)})
    s->SetSeriesColor(clDefault);
  own->SetSeriesColor(TColor(0x123456));
  Chart::ApplyPalette(Chart, 8);
  EXPECT_EQ(a->GetSeriesColor(), TColor(0x000099));
  EXPECT_EQ(b->GetSeriesColor(), TColor(0x0000C3));
  EXPECT_EQ(c->GetSeriesColor(), TColor(0x0000EE));
  EXPECT_EQ(own->GetSeriesColor(), TColor(0x123456));
  EXPECT_EQ(Chart->GetColorPaletteIndex(), 8);
  Chart::ApplyPalette(Chart, 0);
  EXPECT_TRUE(Chart->ColorPalette.empty());
  EXPECT_EQ(a->GetSeriesColor(), PlotProcs::GetDefaultColor(0));
  EXPECT_EQ(Chart->GetColorPaletteIndex(), 0);
}

TEST_F(ChartTest, IsFreeSeriesColorChecksOtherSeriesAndTheBackground) {
  auto* a = AddSeries("a", {1});
  a->SetSeriesColor(clRed);
  Chart->SetColor(clWhite);
  Chart->BackWall()->SetColor(clSilver);
  EXPECT_FALSE(Chart->IsFreeSeriesColor(clRed, false, nullptr));
  EXPECT_TRUE(Chart->IsFreeSeriesColor(clRed, false, a));
  EXPECT_FALSE(Chart->IsFreeSeriesColor(clWhite, true, nullptr));
  EXPECT_FALSE(Chart->IsFreeSeriesColor(clSilver, true, nullptr));
  EXPECT_TRUE(Chart->IsFreeSeriesColor(clSilver, false, nullptr));
}

TEST_F(ChartTest, AssignCopiesTitlesLegendWallsAndPalette) {
  auto* other = Create<TChart>(Owner);
  other->Title()->SetTextLine("copied");
  other->Legend()->SetAlignment(laBottom);
  other->LeftWall()->SetSize(7);
  other->SetScrollMouseButton(TMouseButton::mbMiddle);
  other->ColorPaletteIndex = 3;
  Chart->Assign(other);
  EXPECT_EQ(Chart->Title()->Text()->Get(0), "copied");
  EXPECT_EQ(Chart->Legend()->GetAlignment(), laBottom);
  EXPECT_EQ(Chart->LeftWall()->GetSize(), 7);
  EXPECT_EQ(Chart->GetScrollMouseButton(), TMouseButton::mbMiddle);
  EXPECT_EQ(Chart->GetColorPaletteIndex(), 3);
}

TEST_F(ChartTest, AxisTitleOrNameNamesUntitledAxesBySide) {
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->LeftAxis()), "Left Axis");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->RightAxis()), "Right Axis");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->TopAxis()), "Top Axis");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->BottomAxis()), "Bottom Axis");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->DepthAxis()), "Depth Right");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->DepthTopAxis()), "Depth Top");
  Chart->LeftAxis()->Title()->SetCaption("Depth, m");
  EXPECT_EQ(Chart->AxisTitleOrName(Chart->LeftAxis()), "Depth, m");
}

}  // namespace ChartRegistryTests
