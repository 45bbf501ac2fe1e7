// The legend scroll bar on a chart whose legend shows fewer items than it has.
#include <gtest/gtest.h>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotLegendScrollBar.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/ExtCtrls.h"

namespace LegendScrollBarTests {

namespace {

class LegendScrollBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    PlotProcs::SetDefaultPalette();
    Owner = new TComponent(nullptr);
    Chart = Create<TChart>(Owner);
    Chart->SetBounds(400, 300);
    Chart->SetView3D(false);
    Bar = Create<TLegendScrollBar>(Owner);
    Bar->SetParentChart(Chart);
  }
  void TearDown() override { Owner->Free(); }
  void Items(int N) {
    Chart->FreeAllSeries();
    auto* s = Create<TPointSeries>(Owner);
    Chart->AddSeries(s);
    for (int i = 0; i < N; ++i) s->AppendPoint(i, i);
    Chart->Legend()->SetLegendStyle(lsValues);
    Chart->Legend()->SetMaxNumRows(10);
  }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 300)); }
  TComponent* Owner = nullptr;
  TChart* Chart = nullptr;
  TLegendScrollBar* Bar = nullptr;
  TBitmap Bitmap{400, 300};
};

TEST_F(LegendScrollBarTest, TrackClickPagesAndRepeatsUntilTheThumbCoversThePoint) {
  Items(30);
  Draw();
  ASSERT_EQ(Bar->PageSize(), 10);
  EXPECT_EQ(Bar->PageStep(), 2);
  EXPECT_EQ(Bar->Total(), 30);
  EXPECT_FALSE(Bar->Horizontal) << "a legend at the side gets a vertical bar";
  const TRect track = Bar->TrackRect();
  const int32_t x = (track.Left + track.Right) / 2, y = track.Bottom - 2;
  Bar->Press(x, y);
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 2);
  ASSERT_NE(Bar->RepeatTimer(), nullptr);
  EXPECT_EQ(Bar->RepeatTimer()->GetInterval(), 250u);
  for (int i = 0; i < 20; ++i) Draw(), Bar->RepeatTick();
  EXPECT_EQ(Bar->RepeatTimer()->GetInterval(), 50u);
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 20) << "stops at the last page";
  Bar->Release();
  EXPECT_FALSE(Bar->RepeatTimer()->GetEnabled());
}

TEST_F(LegendScrollBarTest, ArrowsStopAtTheEnds) {
  Items(30);
  Draw();
  const TRect first = Bar->FirstButtonRect();
  Bar->Press(first.Left + 2, first.Top + 2);
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 0);
  Bar->Release();
  Chart->Legend()->SetFirstValue(20);
  Draw();
  const TRect second = Bar->SecondButtonRect();
  Bar->Press(second.Left + 2, second.Bottom - 2);
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 20);
  Bar->Release();
  Chart->Legend()->SetFirstValue(5);
  Draw();
  Bar->Press(first.Left + 2, first.Top + 2);
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 4);
}

TEST_F(LegendScrollBarTest, WhenNeededBarShowsOnlyWithHiddenItems) {
  Bar->DrawStyle = dsWhenNeeded;
  Items(5);
  Draw();
  TRect r;
  EXPECT_FALSE(Bar->CalcBounds(r));
  Items(30);
  Draw();
  EXPECT_TRUE(Bar->CalcBounds(r));
}

TEST_F(LegendScrollBarTest, DraggingLessThanOnePositionScrollsNothing) {
  Items(30);
  Draw();
  TRect thumb = Bar->ThumbRect();
  const int32_t x = (thumb.Left + thumb.Right) / 2, y = (thumb.Top + thumb.Bottom) / 2;
  Bar->Press(x, y);
  Bar->Drag(x, y + 1, TShiftState{TShiftStateItem::ssLeft});
  EXPECT_EQ(Chart->Legend()->GetFirstValue(), 0);
  Bar->Drag(x, y + 40, TShiftState{TShiftStateItem::ssLeft});
  EXPECT_GT(Chart->Legend()->GetFirstValue(), 0);
}

TEST_F(LegendScrollBarTest, LegendLeavesRoomForTheBarOnlyWhileTheBarShows) {
  Items(30);
  Bar->SetActive(false);
  Draw();
  const TRect without = Chart->Legend()->PlacedRect;
  const int32_t chartRight = Chart->ChartRect.Right;
  Bar->SetActive(true);
  Draw();
  const TRect with = Chart->Legend()->PlacedRect;
  const int32_t room = Bar->GetSize() + 1;
  // A legend at the right grows to the left by the bar's room and the chart gives it up.
  EXPECT_EQ(with.Right, without.Right);
  EXPECT_EQ(with.Left, without.Left - room);
  EXPECT_EQ(Chart->ChartRect.Right, chartRight - room);
  const TRect bar = Bar->BarRect();
  EXPECT_GE(bar.Left, with.Left);
  EXPECT_LE(bar.Right, with.Right);
  // A bar that is not needed takes no room.
  Bar->DrawStyle = dsWhenNeeded;
  Items(5);
  Draw();
  const TRect few = Chart->Legend()->PlacedRect;
  Bar->SetActive(false);
  Draw();
  EXPECT_EQ(Chart->Legend()->PlacedRect.Left, few.Left);
}

TEST_F(LegendScrollBarTest, BarUnderATopOrBottomLegendStaysOffTheChartAndInsideThePanel) {
  Items(60);
  Chart->Legend()->SetMaxNumRows(2);
  for (TLegendAlignment a : {laTop, laBottom}) {
    Chart->Legend()->SetAlignment(a);
    Draw();
    ASSERT_TRUE(Bar->Horizontal) << static_cast<int>(a);
    const TRect bar = Bar->BarRect();
    const TRect legend = Chart->Legend()->PlacedRect;
    EXPECT_EQ(bar.Top, legend.Bottom - 1);
    if (a == laTop)
      EXPECT_LT(bar.Bottom, Chart->ChartRect.Top);
    else
      EXPECT_GT(bar.Top, Chart->ChartRect.Bottom);
    EXPECT_LT(bar.Bottom, 300 - 1) << "inside the panel's bevel";
  }
}

TEST_F(LegendScrollBarTest, LeavingTheChartTakesTheBarsRoomAwayFromItsLegend) {
  Items(30);
  Draw();
  const int32_t withBar = Chart->Legend()->PlacedRect.Left;
  Bar->SetParentChart(nullptr);
  Draw();
  EXPECT_EQ(Chart->Legend()->PlacedRect.Left, withBar + Bar->GetSize() + 1);
}

}  // namespace

}  // namespace LegendScrollBarTests
