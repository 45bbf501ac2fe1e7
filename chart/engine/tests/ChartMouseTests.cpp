// The chart's mouse protocol: zoom thresholds and undo, panning on linear,
// logarithmic and LinLog axes, wheel scrolling, and the order in which
// clicked parts are found.
#include "chart/engine/tests/ChartFixture.h"
#include "chart/engine/PlotEngine_Marks.h"

#include <cmath>

namespace ChartMouseTests {

using enum TShiftStateItem;

namespace {

class ChartMouseTest : public ChartTest {
protected:
  void SetUp() override {
    ChartTest::SetUp();
    Series = AddSeries("a", {0, 100});
    Series->AppendPoint(100, 50);
    Chart->Legend()->SetVisible(false);
    Draw();
  }
  void Drag(TMouseButton Button, TShiftState Shift, int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    Chart->MouseDown(Button, Shift, X0, Y0);
    Chart->MouseMove(Shift, X1, Y1);
    Chart->MouseUp(Button, Shift, X1, Y1);
  }
  TPoint Centre() const {
    const TRect& r = Chart->ChartRect;
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TChartTestSeries* Series = nullptr;
};

}  // namespace

TEST_F(ChartMouseTest, ZoomDragCountsOnlyBeyondMinimumPixels) {
  const TPoint c = Centre();
  const double min0 = Chart->BottomAxis()->GetMinimum(), max0 = Chart->BottomAxis()->GetMaximum();
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X - 30, c.Y - 30, c.X - 30 + 16, c.Y - 30 + 16);
  EXPECT_FALSE(Chart->Zoomed);
  EXPECT_TRUE(Chart->BottomAxis()->GetAutomatic());
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X - 30, c.Y - 30, c.X - 30 + 17, c.Y - 30 + 17);
  EXPECT_TRUE(Chart->Zoomed);
  const TChartAxis& b = *Chart->BottomAxis();
  EXPECT_FALSE(b.GetAutomatic());
  EXPECT_NEAR(b.GetMinimum(), b.CalcPosPoint(c.X - 30), 1e-9);
  EXPECT_LT(b.GetMaximum() - b.GetMinimum(), (max0 - min0) / 2);
}

TEST_F(ChartMouseTest, RightToLeftDragUndoesToTheScalesBeforeTheFirstZoom) {
  const TPoint c = Centre();
  Chart->BottomAxis()->SetMinMax(-10, 110);
  Draw();
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X - 50, c.Y - 50, c.X + 50, c.Y + 50);
  Draw();
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X - 20, c.Y - 20, c.X + 20, c.Y + 20);
  ASSERT_TRUE(Chart->Zoomed);
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X + 40, c.Y + 40, c.X - 40, c.Y - 40);
  EXPECT_FALSE(Chart->Zoomed);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMinimum(), -10);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMaximum(), 110);
  EXPECT_FALSE(Chart->BottomAxis()->GetAutomatic());
  EXPECT_TRUE(Chart->LeftAxis()->GetAutomatic());
  EXPECT_TRUE(Chart->GetScalesUnsaved());
  // A second undo leaves the scales alone.
  Chart->BottomAxis()->SetMinMax(3, 4);
  Chart->UndoZoom();
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMinimum(), 3);
}

TEST_F(ChartMouseTest, VerticalZoomSpansTheWholeWidthAndNeedsNoWidth) {
  Chart->Zoom().Direction = tzdVertical;
  const TPoint c = Centre();
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X, c.Y - 40, c.X, c.Y + 40);
  EXPECT_TRUE(Chart->Zoomed);
  const TChartAxis& b = *Chart->BottomAxis();
  EXPECT_NEAR(b.GetMinimum(), b.CalcPosPoint(Chart->ChartRect.Left), 1e-6);
}

TEST_F(ChartMouseTest, PanningMovesByTheMouseMovementSinceThePreviousPoint) {
  const TPoint c = Centre();
  Chart->BottomAxis()->SetMinMax(0, 100);
  Chart->LeftAxis()->SetMinMax(0, 100);
  Draw();
  const double perPixel = 100.0 / (Chart->BottomAxis()->EndPixel - Chart->BottomAxis()->StartPixel);
  int scrolls = 0;
  Chart->OnScroll = [&](TObject*) { ++scrolls; };
  Chart->MouseDown(TMouseButton::mbRight, {ssRight}, c.X, c.Y);
  Chart->MouseMove({ssRight}, c.X + 10, c.Y);
  Chart->MouseMove({ssRight}, c.X + 4, c.Y);  // back past nothing: moves by -6 pixels only
  Chart->MouseUp(TMouseButton::mbRight, {ssRight}, c.X + 4, c.Y);
  EXPECT_NEAR(Chart->BottomAxis()->GetMinimum(), -4 * perPixel, 1e-6);
  EXPECT_NEAR(Chart->BottomAxis()->GetMaximum(), 100 - 4 * perPixel, 1e-6);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMinimum(), 0);
  EXPECT_EQ(scrolls, 2);
  EXPECT_FALSE(Chart->GetScalesUnsaved());
}

TEST_F(ChartMouseTest, HorizontalPanningModeMovesOnlyHorizontalAxes) {
  Chart->AllowPanning = TPanningMode::pmHorizontal;
  Chart->LeftAxis()->SetMinMax(0, 100);
  Chart->BottomAxis()->SetMinMax(0, 100);
  Draw();
  const TPoint c = Centre();
  Drag(TMouseButton::mbRight, {ssRight}, c.X, c.Y, c.X + 10, c.Y + 10);
  EXPECT_NE(Chart->BottomAxis()->GetMinimum(), 0);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMinimum(), 0);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMaximum(), 100);
}

TEST_F(ChartMouseTest, PanningKeepsTheRatioOnLogAxesAndTheShiftOnLinLogAxes) {
  TChartAxis& left = *Chart->LeftAxis();
  left.SetLogarithmic(true);
  left.SetMinMax(1, 1000);
  Draw();
  const TPoint c = Centre();
  EXPECT_TRUE(Chart->PanAxes(false, c.Y + 20, c.Y));
  const double ratio = std::log(left.GetMaximum()) - std::log(left.GetMinimum());
  EXPECT_NEAR(ratio, std::log(1000.0), 1e-9);
  EXPECT_GT(left.GetMinimum(), 1);  // dragging down shows larger values

  left.SetMinMax(-100, 1000);
  Draw();
  ASSERT_TRUE(left.LinLogActive);
  const double t = left.LinLogThreshold;
  const double spanBefore = PlotEngine::LinLog(t, 1000) - PlotEngine::LinLog(t, -100);
  EXPECT_TRUE(Chart->PanAxes(false, c.Y + 20, c.Y));
  const double spanAfter = PlotEngine::LinLog(t, left.GetMaximum()) - PlotEngine::LinLog(t, left.GetMinimum());
  EXPECT_NEAR(spanAfter, spanBefore, 1e-9);
}

TEST_F(ChartMouseTest, OnAllowScrollCanRefuseTheNewLimits) {
  Chart->BottomAxis()->SetMinMax(0, 100);
  Draw();
  Chart->OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
  EXPECT_TRUE(Chart->PanAxes(true, 100, 110));
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMinimum(), 0);
  EXPECT_FALSE(Chart->PanAxes(true, 100, 100));
}

TEST_F(ChartMouseTest, WheelScrollsEveryVerticalAxisByThreePercentOfItsRange) {
  Chart->LeftAxis()->SetMinMax(0, 100);
  Chart->RightAxis()->SetMinMax(10, 20);
  Chart->BottomAxis()->SetMinMax(0, 50);
  Chart->MouseWheel({}, -120, 5, 5);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMinimum(), 3);
  EXPECT_DOUBLE_EQ(Chart->LeftAxis()->GetMaximum(), 103);
  EXPECT_NEAR(Chart->RightAxis()->GetMinimum(), 10.3, 1e-12);
  EXPECT_DOUBLE_EQ(Chart->BottomAxis()->GetMinimum(), 0);
  Chart->MouseWheel({}, 120, 5, 5);
  EXPECT_NEAR(Chart->LeftAxis()->GetMinimum(), 0, 1e-12);
}

TEST_F(ChartMouseTest, ChartWithoutAxesNeitherZoomsNorScrolls) {
  Series->Free();
  AddSeries<TChartNoAxisSeries>("pie", {1, 2, 3});
  Draw();
  const TPoint c = Centre();
  Drag(TMouseButton::mbLeft, {ssLeft}, c.X - 40, c.Y - 40, c.X + 40, c.Y + 40);
  EXPECT_FALSE(Chart->Zoomed);
  Chart->MouseDown(TMouseButton::mbRight, {ssRight}, c.X, c.Y);
  EXPECT_FALSE(Chart->Panning.Active);
}

TEST_F(ChartMouseTest, ClickedPartsAreFoundInOrder) {
  Chart->Title()->SetTextLine("Title");
  Chart->Legend()->SetVisible(true);
  AddSeries("b", {100});
  Draw();
  const int32_t px = Series->PointPixelX(0), py = Series->PointPixelY(0);
  struct Case {
    const char* Name;
    int32_t X, Y;
    bool OnlyClickable;
    TChartClickedPartStyle Part;
  };
  const TRect title = Chart->Title()->OccupiedRect();
  const TRect legend = Chart->Legend()->PlacedRect;
  const TRect cr = Chart->ChartRect;
  const Case cases[] = {
      {"point, any series", px, py, false, cpSeries},
      {"point without click handlers falls through", px + 20, py - 20, true, cpChartRect},
      {"title", (title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2, false, cpTitle},
      {"legend item", (legend.Left + legend.Right) / 2, Chart->Legend()->ItemsTop() + 5, false, cpLegend},
      {"left axis labels", cr.Left - 8, (cr.Top + cr.Bottom) / 2, false, cpAxis},
      {"outside everything", 1, 1, false, cpNone},
  };
  for (const Case& k : cases)
    EXPECT_EQ(Chart->ClickedPartTest(k.X, k.Y, k.OnlyClickable).Part, k.Part) << k.Name;
  // The last series in the list answers first.
  auto* b = static_cast<TChartTestSeries*>(Chart->GetSeries(1));
  const TChartClickedPart hit = Chart->ClickedPartAt(b->PointPixelX(0), b->PointPixelY(0));
  EXPECT_EQ(hit.ASeries, b);
  EXPECT_EQ(hit.PointIndex, 0);
  Series->OnClick = [](TChartSeries*, int32_t, TMouseButton, TShiftState, int, int) {};
  EXPECT_EQ(Chart->ClickedPartTest(px, py, true).Part, cpSeries);
}

TEST_F(ChartMouseTest, SeriesClickFiresItsHandlerAndBackgroundFiresOncePerClick) {
  int seriesClicks = 0, background = 0;
  Series->OnClick = [&](TChartSeries*, int32_t Index, TMouseButton, TShiftState, int, int) {
    EXPECT_EQ(Index, 0);
    ++seriesClicks;
  };
  Chart->OnClickBackground = [&](TCustomChart*, TMouseButton, TShiftState, int, int) {
    ++background;
    Chart->MouseCancelled = false;  // let the click go on to zoom
  };
  Chart->Zoom().Allow = false;
  Chart->AllowPanning = TPanningMode::pmNone;
  Chart->MouseDown(TMouseButton::mbLeft, {ssLeft}, Series->PointPixelX(0), Series->PointPixelY(0));
  EXPECT_EQ(seriesClicks, 1);
  EXPECT_EQ(background, 1);
  const TPoint c = Centre();
  Chart->MouseDown(TMouseButton::mbLeft, {ssLeft}, c.X + 3, c.Y + 30);
  Chart->MouseUp(TMouseButton::mbLeft, {ssLeft}, c.X + 3, c.Y + 30);
  EXPECT_EQ(background, 2);
}

TEST_F(ChartMouseTest, ShiftClickOnTheLegendSwitchesEachPairOnce) {
  auto* calc = AddSeries("calc", {1, 2});
  auto* other = AddSeries("other", {3, 4});
  Series->PairedSeries = calc;
  calc->PairedSeries = Series;
  Chart->Legend()->SetVisible(true);
  Draw();
  const TRect l = Chart->Legend()->PlacedRect;
  Chart->MouseDown(TMouseButton::mbLeft, {ssShift, ssLeft}, (l.Left + l.Right) / 2, Chart->Legend()->ItemsTop() + 5);
  EXPECT_FALSE(Series->GetActive());
  EXPECT_FALSE(calc->GetActive());
  EXPECT_FALSE(other->GetActive());
}

TEST_F(ChartMouseTest, ClickOnADrawnMarkFindsItsPointButNotOnePassedOverByDrawEvery) {
  for (int32_t i = 0; i < 3; ++i) Series->SetLabel(i, "mark");
  auto* marks = dynamic_cast<TSeriesMarks*>(Series->Marks());
  ASSERT_NE(marks, nullptr);
  marks->SetVisible(true);
  marks->SetDrawEvery(2);
  Draw();
  const TSeriesMarkPosition* drawn = marks->Position(2);
  ASSERT_NE(drawn, nullptr);
  const TChartClickedPart hit = Chart->ClickedPartTest(drawn->TopLeft.X + 2, drawn->TopLeft.Y + 2, false);
  EXPECT_EQ(hit.Part, cpSeriesMarks);
  EXPECT_EQ(hit.PointIndex, 2);
  EXPECT_EQ(hit.ASeries, Series);
  // Point 1 gets no mark with DrawEvery 2: a position stored for it is never hit.
  TSeriesMarkPosition skipped = *drawn;
  skipped.TopLeft = {Centre().X - 40, Centre().Y - 40};
  marks->SetPosition(1, skipped);
  EXPECT_NE(Chart->ClickedPartTest(skipped.TopLeft.X + 2, skipped.TopLeft.Y + 2, false).Part, cpSeriesMarks);
  // Hidden marks are not clicked either.
  marks->SetVisible(false);
  EXPECT_NE(Chart->ClickedPartTest(drawn->TopLeft.X + 2, drawn->TopLeft.Y + 2, false).Part, cpSeriesMarks);
}

}  // namespace ChartMouseTests
