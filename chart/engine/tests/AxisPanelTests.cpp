// The axis panel: axes, series list and events, free colours, paging and the
// axis extremes, 3-D size, legend queries, refills and freeing in any order.
#include "chart/engine/PlotEngine_AxisPanel.h"

#include <string>
#include <vector>

#include "chart/engine/tests/SeriesFixture.h"

namespace AxisPanelTests {

namespace {

class Recorder : public ChartEventListener {
public:
  void PlotEvent(TPlotEvent& Event) override {
    if (auto* s = dynamic_cast<TPlotSeriesEvent*>(&Event)) Codes.push_back(s->Event);
    if (dynamic_cast<TChartChangePage*>(&Event)) ++PageChanges;
  }
  std::vector<int32_t> Codes;
  int PageChanges = 0;
};

class AxisPanelTest : public AxisPanelChartTest {
protected:
  void SetUp() override {
    AxisPanelChartTest::SetUp();
    Chart->AddListener(&Events);
  }
  TTestSeries* NewSeries(int32_t Points = 0) {
    auto* s = Create<TTestSeries>(Owner);
    Chart->AddSeries(s);
    for (int32_t i = 0; i < Points; ++i) s->AppendPoint(i * 2.0, i * 10.0);
    return s;
  }
  Recorder Events;
};

}  // namespace

TEST_F(AxisPanelTest, StandardAxesComeFirstInTheirOrder) {
  TChartAxes& axes = Chart->GetAxes();
  ASSERT_EQ(axes.Count(), 6);
  EXPECT_EQ(axes.Items(0), Chart->BottomAxis());
  EXPECT_EQ(axes.Items(1), Chart->TopAxis());
  EXPECT_EQ(axes.Items(2), Chart->LeftAxis());
  EXPECT_EQ(axes.Items(3), Chart->RightAxis());
  EXPECT_EQ(axes.Items(4), Chart->DepthAxis());
  EXPECT_EQ(axes.Items(5), Chart->DepthTopAxis());
  EXPECT_TRUE(Chart->TopAxis()->GetOtherSide());
  EXPECT_EQ(Chart->LeftAxis()->Title()->GetAngle(), 90);
  EXPECT_EQ(Chart->RightAxis()->Title()->GetAngle(), 270);
  EXPECT_FALSE(Chart->DepthAxis()->GetVisible());
  EXPECT_TRUE(Chart->DepthAxis()->IsDepthAxis());
  TChartAxis* custom = Chart->CustomAxes()->AddAxis();
  EXPECT_EQ(axes.Count(), 7);
  EXPECT_EQ(Chart->CustomAxisIndex(custom), 0);
  EXPECT_THROW(Chart->CustomAxisAt(1), ChartException);
}

TEST_F(AxisPanelTest, SettingsRefuseBadValuesAndKeepTheOldOnes) {
  try {
    Chart->SetChart3DPercent(101);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "3D effect percent must be between 1 and 100");
  }
  EXPECT_EQ(Chart->GetChart3DPercent(), 15);
  try {
    Chart->SetMaxPointsPerPage(-1);
    FAIL();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(Chart->GetMaxPointsPerPage(), 0);
}

TEST_F(AxisPanelTest, SeriesEventsReachTheListeners) {
  auto* a = NewSeries();
  auto* b = NewSeries();
  Events.Codes.clear();
  Chart->ExchangeSeries(0, 1);
  EXPECT_EQ(Chart->GetSeries(0), b);
  Chart->MoveSeriesToLast(b);
  EXPECT_EQ(Chart->GetSeries(1), b);
  a->SetActive(false);
  Chart->RemoveSeries(a);
  EXPECT_EQ(Events.Codes, (std::vector<int32_t>{4, 4, 5, 1}));
  EXPECT_EQ(a->GetParentChart(), nullptr);
  EXPECT_THROW(Chart->ExchangeSeries(0, 3), ChartException);
}

TEST_F(AxisPanelTest, DefaultSeriesGetFreePaletteColoursUnlikeTheBackground) {
  Chart->SetColor(PlotProcs::GetDefaultColor(1));
  auto* a = NewSeries();
  auto* b = NewSeries();
  auto* c = NewSeries();
  EXPECT_EQ(a->GetSeriesColor(), PlotProcs::GetDefaultColor(0));
  EXPECT_EQ(b->GetSeriesColor(), PlotProcs::GetDefaultColor(2));
  EXPECT_EQ(c->GetSeriesColor(), PlotProcs::GetDefaultColor(3));
}

TEST_F(AxisPanelTest, PageIsClampedAndAnnouncedOnlyOnChange) {
  NewSeries(25);
  Chart->SetMaxPointsPerPage(10);
  EXPECT_EQ(Chart->NumPages(), 3);
  Events.PageChanges = 0;
  int pageEvents = 0;
  Chart->OnPageChange = [&](TObject*) { ++pageEvents; };
  Chart->SetPage(0);
  EXPECT_EQ(Chart->GetPage(), 1);
  Chart->SetPage(8);
  EXPECT_EQ(Chart->GetPage(), 3);
  Chart->SetPage(3);
  EXPECT_EQ(pageEvents, 1);
  EXPECT_EQ(Events.PageChanges, 1);
  Chart->SetMaxPointsPerPage(0);
  EXPECT_EQ(Chart->NumPages(), 1);
  EXPECT_EQ(Chart->GetPage(), 1);
}

TEST_F(AxisPanelTest, PagedExtremesKeepTheSpacingOfFullPages) {
  auto* s = NewSeries(25);  // X = 0, 2, ..., 48
  Chart->SetMaxPointsPerPage(10);
  Chart->SetScaleLastPage(false);
  Chart->SetPage(3);
  EXPECT_EQ(Chart->MinXValue(*Chart->BottomAxis()), 40);
  EXPECT_EQ(Chart->MaxXValue(*Chart->BottomAxis()), 40 + (48 - 40) * 10.0 / 5);
  Chart->SetScaleLastPage(true);
  EXPECT_EQ(Chart->MaxXValue(*Chart->BottomAxis()), 48);
  // The vertical axis is not paged.
  EXPECT_EQ(Chart->MaxYValue(*Chart->LeftAxis()), s->LargestY());
}

TEST_F(AxisPanelTest, ExtremesSkipExcludedSeriesPerDirection) {
  EXPECT_EQ(Chart->MaxXValue(*Chart->BottomAxis()), 0);
  EXPECT_EQ(Chart->NumPages(), 1);
  NewSeries(3);  // X 0..4, Y 0..20
  auto* wide = Create<TTestSeries>(Owner);
  Chart->AddSeries(wide);
  wide->AppendPoint(100, 500);
  wide->ExcludeFromXAuto = true;
  EXPECT_EQ(Chart->MaxXValue(*Chart->BottomAxis()), 4);
  EXPECT_EQ(Chart->MaxYValue(*Chart->LeftAxis()), 500);
  wide->SetVertAxis(aRightAxis);
  EXPECT_EQ(Chart->MaxYValue(*Chart->LeftAxis()), 20);
  EXPECT_EQ(Chart->MaxYValue(*Chart->RightAxis()), 500);
}

TEST_F(AxisPanelTest, Size3DFollowsPercentAndOrthogonalAngle) {
  Chart->SetView3D(true);
  Chart->ChartWidth = 400;
  Chart->View3DOptions()->SetOrthogonal(true);
  Chart->View3DOptions()->SetOrthoAngle(45);
  Chart->CalcSize3D();
  EXPECT_EQ(Chart->SeriesWidth3D, 6);
  EXPECT_EQ(Chart->SeriesHeight3D, 6);
  Chart->View3DOptions()->SetOrthogonal(false);
  Chart->CalcSize3D();
  EXPECT_EQ(Chart->SeriesWidth3D, 12);
  EXPECT_EQ(Chart->SeriesHeight3D, 12);
  Chart->SetView3D(false);
  Chart->CalcSize3D();
  EXPECT_EQ(Chart->Width3D, 0);
}

TEST_F(AxisPanelTest, LegendSeriesCountsWhatTheModeShows) {
  auto* a = NewSeries();
  auto* b = NewSeries();
  auto* c = NewSeries();
  a->SetShowInLegend(false);
  b->SetActive(false);
  c->ExcludeFromYAuto = true;
  EXPECT_EQ(Chart->LegendSeries(0, false), b);
  EXPECT_EQ(Chart->LegendSeries(0, true), c);
  Chart->LegendMode = 2;
  EXPECT_EQ(Chart->LegendSeriesShown(0), b);
  EXPECT_EQ(Chart->LegendSeriesShown(1), nullptr);
  std::string text;
  Chart->LegendSeriesText(1, false, text);
  EXPECT_EQ(text, "Series3");
}

TEST_F(AxisPanelTest, FunctionSeriesRefillsThroughTheChart) {
  auto* src = NewSeries(4);  // Y 0, 10, 20, 30
  auto* r = NewSeries();
  r->SetFunction(Create<TSumFunction>(Owner));
  r->SetDataSource(src);
  ASSERT_EQ(r->Count(), 1);
  EXPECT_EQ(r->GetYValue(0), 60);
  src->Add(40);
  EXPECT_EQ(r->GetYValue(0), 60);  // a function series does not follow single additions
  src->BeginUpdate();
  src->EndUpdate();
  EXPECT_EQ(r->GetYValue(0), 100);
  EXPECT_THROW(src->AddDataSource(r), ChartException);
}

// Frees the chart, series, tools and custom axes in every order; ASan
// reports any reference left dangling.
TEST_F(AxisPanelTest, FreeingInAnyOrderLeavesNoDanglingReference) {
  const int perm[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const auto& order : perm) {
    auto* owner = new TComponent(nullptr);
    auto* chart = Create<TCustomAxisPanel>(owner);
    auto* s = Create<TTestSeries>(owner);
    chart->AddSeries(s);
    TChartAxis* custom = chart->CustomAxes()->AddAxis();
    s->SetCustomVertAxis(custom);
    auto* tool = Create<TTestAxisTool>(owner);
    tool->SetParentChart(chart);
    tool->SetAxis(custom);
    auto* seriesTool = Create<TTestTool>(owner);
    seriesTool->SetParentChart(chart);
    seriesTool->SetSeries(s);
    bool chartGone = false, seriesGone = false;
    for (int k : order) {
      if (k == 0) {
        // The chart frees its series and its two tools: all leave the owner.
        const int32_t expected = owner->ComponentCount() - (seriesGone ? 3 : 4);
        chart->Free();
        chartGone = true;
        seriesGone = true;
        EXPECT_EQ(owner->ComponentCount(), expected);
      } else if (k == 1 && !seriesGone) {
        s->Free();
        seriesGone = true;
        EXPECT_EQ(seriesTool->GetSeries(), nullptr);
        EXPECT_EQ(chart->SeriesCount(), 0);
      } else if (k == 2 && !chartGone) {
        custom->Free();
        EXPECT_EQ(tool->GetAxis(), nullptr);
        if (!seriesGone) {
          EXPECT_EQ(s->GetVertAxisRef(), chart->LeftAxis());
        }
      }
    }
    owner->Free();
  }
}

namespace {

// Draws the legend symbol of one series (or of one of its points) as the
// chart's content.
class LegendPanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  TChartSeries* Series = nullptr;
  int32_t Item = -1;
  bool RepaintDuringSymbol = true;

protected:
  void DrawContent(const TRect&) override {
    Canvas()->Brush->SetColor(clWhite);
    Canvas()->FillRect(TRect(0, 0, 100, 100));
    Series->DrawLegend(Item, TRect(10, 10, 30, 30));
  }
};

class TProbeSeries : public TTestSeries {
public:
  using TTestSeries::TTestSeries;
  void PaintLegendSymbol(int32_t Item, const TRect& Rect) override {
    AutoRepaintSeen = GetParentChart()->GetAutoRepaint();
    TTestSeries::PaintLegendSymbol(Item, Rect);
  }
  bool AutoRepaintSeen = true;
};

}  // namespace

TEST_F(AxisPanelTest, LegendSymbolTakesTheSeriesOrPointColour) {
  auto* chart = Create<LegendPanel>(Owner);
  chart->SetBounds(100, 100);
  auto* s = Create<TProbeSeries>(Owner);
  chart->AddSeries(s);
  s->SetSeriesColor(clRed);
  s->AppendPoint(0, 1, "", clBlue);
  chart->Series = s;
  TBitmap bmp(100, 100);
  auto px = [&] { return bmp.GetPixelColor(20, 20) & 0xFFFFFF; };

  chart->DrawTo(*bmp.GetCanvas(), TRect(0, 0, 100, 100));
  EXPECT_EQ(px(), clRed);
  EXPECT_FALSE(s->AutoRepaintSeen);
  EXPECT_TRUE(chart->AutoRepaint);
  chart->Item = 0;
  chart->DrawTo(*bmp.GetCanvas(), TRect(0, 0, 100, 100));
  EXPECT_EQ(px(), clBlue);
  // A whole-series symbol of a series coloured per point paints nothing.
  s->SetColorEachPoint(true);
  chart->Item = -1;
  chart->DrawTo(*bmp.GetCanvas(), TRect(0, 0, 100, 100));
  EXPECT_EQ(px(), clWhite);
}

TEST_F(AxisPanelTest, AttachedEditorHearsChangesUntilItIsDetachedReplacedOrFreed) {
  // Without an editor a change notification reaches nobody.
  Chart->EditorChanged();
  EXPECT_EQ(Chart->AttachedEditor(), nullptr);

  std::vector<std::string> Heard;
  auto* First = Create<TComponent>(Owner);
  auto* Second = Create<TComponent>(Owner);
  auto Listen = [&](const std::string& Who) {
    return [&Heard, Who, this](TObject* Sender) {
      EXPECT_EQ(Sender, Chart);
      Heard.push_back(Who);
      Chart->EditorChanged();  // a refresh that reports back is not heard again
    };
  };
  Chart->AttachEditor(First, Listen("first"));
  Chart->EditorChanged();
  Chart->DetachEditor(Second);  // not the attached one: nothing changes
  Chart->EditorChanged();
  Chart->AttachEditor(Second, Listen("second"));
  Chart->DetachEditor(First);  // replaced already: Second stays
  Chart->EditorChanged();
  EXPECT_EQ(Heard, (std::vector<std::string>{"first", "first", "second"}));

  Second->Free();
  EXPECT_EQ(Chart->AttachedEditor(), nullptr);
  Chart->EditorChanged();
  Chart->AttachEditor(First, Listen("first"));
  Chart->DetachEditor(First);
  Chart->EditorChanged();
  EXPECT_EQ(Heard.size(), 3u);
}

}  // namespace AxisPanelTests
