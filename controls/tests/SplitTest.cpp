#include "controls/abcsplit.h"

#include "controls/tests/ControlsTestSupport.h"

#include <gtest/gtest.h>

namespace SplitTest {

using namespace ControlsTest;
using enum TabcBiSplitLayout;

namespace {

class SplitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Split = new TabcSBiSplit(Form.Form);
    Split->SetParent(Form.Form);
    Split->SetBounds(0, 0, 400, 300);
    Split->SetBevelOuter(TBevelCut::bvNone);
  }
  // Hovers over the bar and presses the left button there.
  void PressOnBar() {
    const int x = Split->GetLayout() == bslVert ? Split->BarLeft() + 1 : 50;
    const int y = Split->GetLayout() == bslHorz ? Split->BarTop() + 1 : 50;
    Split->MouseMove({}, x, y);
    Split->MouseDown(TMouseButton::mbLeft, {}, x, y);
  }

  TTestForm Form;
  TabcSBiSplit* Split = nullptr;
};

TEST_F(SplitTest, HorizontalBarLaysOutThePanesAroundIt) {
  Split->SetLayout(bslHorz);
  Split->SetSplitVPos(72);
  EXPECT_EQ(Split->Edge(), 0);
  EXPECT_EQ(Split->BarTop(), 70);
  EXPECT_EQ(Split->BarBottom(), 73);
  EXPECT_EQ(Split->Pane(0)->GetBoundsRect(), TRect(0, 0, 400, 70));
  EXPECT_EQ(Split->Pane(1)->GetBoundsRect(), TRect(0, 74, 400, 300));
  EXPECT_EQ(Split->GetSplitVPercent(), 24);

  Split->SetLayout(bslVert);
  Split->SetSplitHPos(200);
  EXPECT_EQ(Split->Pane(0)->GetBoundsRect(), TRect(0, 0, 198, 300));
  EXPECT_EQ(Split->Pane(1)->GetBoundsRect(), TRect(202, 0, 400, 300));
}

TEST_F(SplitTest, PercentPositionsRoundHalvesToEvenAndStopAtTheLimit) {
  Split->SetLayout(bslHorz);
  struct TCase {
    int Height, Percent, Pos;
  };
  for (const TCase& tc : {TCase{300, 25, 75}, TCase{250, 25, 62}, TCase{300, 0, 2}, TCase{300, 100, 298},
                          TCase{301, 100, 299}}) {
    SCOPED_TRACE(tc.Percent);
    Split->SetHeight(tc.Height);
    Split->SetSplitVPercent(tc.Percent);
    EXPECT_EQ(Split->GetSplitVPos(), tc.Pos);
  }
  // An odd thickness and a single border keep the bar further from the edge.
  Split->SetThickness(3);
  Split->SetBorderStyle(TBorderStyle::bsSingle);
  Split->SetHeight(300);
  Split->SetSplitVPercent(100);
  EXPECT_EQ(Split->GetSplitVPos(), 300 - (0 + 3 / 2 + 1 + 2 + 1));
}

TEST_F(SplitTest, LimitsThatContradictAreIgnoredAndDraggingStopsAtTheMaximum) {
  Split->SetLayout(bslVert);
  Split->SetSplitHMax(250);
  Split->SetSplitHMin(260);
  EXPECT_EQ(Split->GetSplitHMin(), 0);
  Split->SetSplitHMin(400);
  EXPECT_EQ(Split->GetSplitHMin(), 0);
  Split->SetSplitHMin(30);
  EXPECT_EQ(Split->GetSplitHMin(), 30);
  Split->SetSplitHMax(20);
  EXPECT_EQ(Split->GetSplitHMax(), 250);

  PressOnBar();
  ASSERT_TRUE(Split->Dragging());
  Split->MouseMove({}, 380, 40);
  Split->MouseUp(TMouseButton::mbLeft, {}, 380, 40);
  EXPECT_FALSE(Split->Dragging());
  EXPECT_EQ(Split->GetSplitHPos(), 250);
  PressOnBar();
  Split->MouseUp(TMouseButton::mbLeft, {}, 5, 40);
  EXPECT_EQ(Split->GetSplitHPos(), 30);
}

TEST_F(SplitTest, LockedBarKeepsTheSplittersCursorAndCannotBeDragged) {
  Split->SetLayout(bslHorz);
  Split->SetCursor(crCross);
  Split->MouseMove({}, 50, Split->BarTop() + 1);
  EXPECT_EQ(Split->HoverCursor(), crVSplit);
  Split->MouseMove({}, 50, Split->BarBottom() + 10);
  EXPECT_EQ(Split->HoverCursor(), crCross);

  Split->SetSplitVLock(true);
  Split->SetSplitHLock(true);
  const int before = Split->GetSplitVPos();
  PressOnBar();
  EXPECT_EQ(Split->HoverCursor(), crCross);
  EXPECT_FALSE(Split->Dragging());
  Split->MouseUp(TMouseButton::mbLeft, {}, 50, 200);
  EXPECT_EQ(Split->GetSplitVPos(), before);
  EXPECT_FALSE(Split->WantsArrowKey(VK_DOWN));
}

TEST_F(SplitTest, DragLineIsInvertedWhileDraggingAndGoneAfterwards) {
  Split->SetLayout(bslHorz);
  Split->SetSplitVPos(100);
  TCanvas& shown = *Split->GetCanvas();
  // The press lands on row 99 of the bar (rows 98 to 101): the line covers rows 98 and 99.
  const TColor at99 = shown.GetPixel(10, 99), at180 = shown.GetPixel(10, 180);
  PressOnBar();
  ASSERT_TRUE(Split->Dragging());
  EXPECT_NE(shown.GetPixel(10, 99), at99);
  Split->MouseMove({}, 10, 180);
  EXPECT_EQ(shown.GetPixel(10, 99), at99);
  EXPECT_NE(shown.GetPixel(10, 180), at180);
  EXPECT_EQ(Split->GetSplitVPos(), 100);  // the bar moves on release only
  Split->MouseUp(TMouseButton::mbLeft, {}, 10, 180);
  EXPECT_EQ(shown.GetPixel(10, 180), at180);
  EXPECT_EQ(Split->GetSplitVPos(), 180);

  Split->SetMoveImmediate(true);
  PressOnBar();
  Split->MouseMove({}, 10, 120);
  EXPECT_EQ(Split->GetSplitVPos(), 120);
  Split->MouseUp(TMouseButton::mbLeft, {}, 10, 120);
  Split->SetMoveImmediate(false);
  EXPECT_EQ(Split->GetSplitMoveStyle(), TabcSplitMoveStyle::amsMedium);
}

TEST_F(SplitTest, ResizingKeepsThePixelRowOrThePercentage) {
  Split->SetLayout(bslHorz);
  Split->SetSplitVPos(100);
  Split->SetHeight(400);
  EXPECT_EQ(Split->GetSplitVPos(), 100);
  EXPECT_EQ(Split->GetSplitVPercent(), 25);
  Split->SetSplitVScaled(true);
  Split->SetHeight(200);
  EXPECT_EQ(Split->GetSplitVPos(), 50);
  EXPECT_EQ(Split->Pane(1)->GetTop(), Split->BarBottom() + 1);
}

TEST_F(SplitTest, ArrowKeysMoveTheBarAndShiftSendsItToTheEnds) {
  Split->SetLayout(bslVert);
  Split->SetSplitHPos(200);
  struct TCase {
    uint16_t Key;
    bool Shift;
    int H, V;
  };
  for (const TCase& tc : {TCase{VK_LEFT, false, 190, 50}, TCase{VK_RIGHT, false, 200, 50}, TCase{VK_LEFT, true, 2, 50},
                          TCase{VK_RIGHT, true, 398, 50}, TCase{VK_DOWN, false, 398, 60}, TCase{VK_UP, true, 398, 2}}) {
    SCOPED_TRACE(tc.Key);
    uint16_t key = tc.Key;
    Split->KeyDown(key, tc.Shift ? TShiftState{TShiftStateItem::ssShift} : TShiftState{});
    EXPECT_EQ(key, 0);
    EXPECT_EQ(Split->GetSplitHPos(), tc.H);
    EXPECT_EQ(Split->GetSplitVPos(), tc.V);
  }
  EXPECT_TRUE(Split->WantsArrowKey(VK_LEFT));
  EXPECT_FALSE(Split->WantsArrowKey(VK_UP));
}

TEST_F(SplitTest, MoveEventFiresForEveryNewValueEvenWhenTheBarStays) {
  Split->SetLayout(bslHorz);
  int moves = 0;
  Split->OnSplitMoveV = [&](TObject*) { ++moves; };
  Split->SetSplitVPos(1000);
  Split->SetSplitVPos(999);
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(Split->GetSplitVPos(), 298);
  Split->SetSplitVPos(298);
  EXPECT_EQ(moves, 2);
}

TEST_F(SplitTest, SyncedScrollingMirrorsOnceToTheOtherPane) {
  Split->SetLayout(bslVert);
  int scrolls[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    TabcScrollingSplitPane* pane = Split->ScrollPane(i);
    auto* content = new TCustomControl(Form.Form);
    content->SetParent(pane);
    content->SetBounds(0, 0, 100, 1000);
    pane->OnScrollV = [&scrolls, i](TObject*, TScrollCode, int&) { ++scrolls[i]; };
  }
  Split->ScrollPane(0)->ScrollMessage(false, SB_LINEDOWN, 0);
  EXPECT_EQ(Split->ScrollPane(1)->VertScrollBar.Position, 0);
  Split->SyncVScroll = true;
  Split->ScrollPane(0)->ScrollMessage(false, SB_LINEDOWN, 0);
  EXPECT_EQ(Split->ScrollPane(0)->VertScrollBar.Position, 16);
  EXPECT_EQ(Split->ScrollPane(1)->VertScrollBar.Position, 8);
  EXPECT_EQ(scrolls[0], 2);
  EXPECT_EQ(scrolls[1], 1);
  EXPECT_EQ(Split->ScrollPane(1)->GetControl(0)->GetTop(), -8);
}

TEST_F(SplitTest, ScrollingPaneShowsABarOnlyForContentBeyondItsArea) {
  Split->SetLayout(bslHorz);
  Split->SetSplitVPos(100);
  TabcScrollingSplitPane* pane = Split->ScrollPane(1);
  auto* content = new TCustomControl(Form.Form);
  content->SetParent(pane);
  content->SetBounds(0, 0, 200, 500);
  pane->UpdateScrollBars();
  EXPECT_EQ(pane->ScrollBarOf(true), nullptr);
  TScrollBar* bar = pane->ScrollBarOf(false);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(pane->GetClientRect().Width(), 400 - TabcCustomScrollBox::ScrollBarSize);
  EXPECT_EQ(bar->GetMax(), 500 - pane->GetHeight());
  int pos = 120;
  bar->OnScroll(bar, TScrollCode::scTrack, pos);
  EXPECT_EQ(pane->VertScrollBar.Position, 120);
  EXPECT_EQ(content->GetTop(), -120);
  EXPECT_EQ(bar->GetTop(), 0);

  pane->VertScrollBar.Visible = false;
  pane->UpdateScrollBars();
  EXPECT_EQ(pane->ScrollBarOf(false), nullptr);
  EXPECT_EQ(pane->GetClientRect().Width(), 400);
}

TEST_F(SplitTest, PaneIndexOutOfRangeIsAnErrorAndPanesOnlyLiveInSplitters) {
  TabcScrollingSplitPane* first = Split->ScrollPane(0);
  try {
    first->SetPaneIndex(2);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "2 is an invalid PaneIndex value.  PaneIndex must be between 0 and 1");
  }
  first->SetPaneIndex(1);
  EXPECT_EQ(first->GetPaneIndex(), 1);
  EXPECT_EQ(Split->Pane(1), first);
  first->SetParent(Form.Form);
  EXPECT_EQ(first->GetParent(), Split);
  first->Free();
  EXPECT_EQ(Split->PaneCountNow(), 1);
}

TEST_F(SplitTest, BarIsPaintedWithItsBevelAndColour) {
  Split->SetLayout(bslHorz);
  Split->SetSplitVPos(100);
  Split->SetSplitBevel(TBevelCut::bvLowered);
  Split->SetSplitColor(clRed);
  TBitmap shot;
  Split->PaintTo(shot);
  EXPECT_EQ(shot.GetPixelColor(50, Split->BarTop()), Rgb(clBtnShadow));
  EXPECT_EQ(shot.GetPixelColor(50, Split->BarBottom()), Rgb(clBtnHighlight));
  for (int y = Split->BarTop() + 1; y < Split->BarBottom(); ++y) EXPECT_EQ(shot.GetPixelColor(50, y), Rgb(clRed));
}

TEST_F(SplitTest, SplitterReadFromAStreamInitialisesThroughItsPostedMessage) {
  Form.Form->ComponentState.Include(TComponentStateItem::csLoading);
  auto* loaded = new TabcSBiSplit(Form.Form);
  Form.Form->ComponentState.Exclude(TComponentStateItem::csLoading);
  loaded->ComponentState.Include(TComponentStateItem::csLoading);
  loaded->SetBounds(0, 0, 200, 100);
  loaded->SetLayout(bslHorz);
  loaded->SetSplitVPos(5000);
  EXPECT_EQ(loaded->GetSplitVPos(), 5000);
  loaded->ComponentState.Exclude(TComponentStateItem::csLoading);
  loaded->Loaded();
  EXPECT_FALSE(loaded->Initialised());
  EXPECT_TRUE(RunUntil([&] { return loaded->Initialised(); }));
  EXPECT_EQ(loaded->GetSplitVPos(), 100 - (1 + 2 / 2 + 1));  // edge 1: the raised outer bevel
}

}  // namespace

namespace {

TEST(EdgePanel, BevelIsDrawnOnlyOnTheChosenEdges) {
  TTestForm form;
  auto* panel = new TabcCustomEdgePanel(form.Form);
  panel->SetParent(form.Form);
  panel->SetBounds(0, 0, 20, 10);
  panel->SetColor(clSilver);
  panel->SetBevelOuter(TBevelCut::bvLowered);
  panel->SetBevelWidth(2);
  struct TCase {
    TBevelEdges Edges;
    TColor Left, Top, Right, Bottom;
  };
  for (const TCase& tc : {TCase{AllBevelEdges, clBtnShadow, clBtnShadow, clBtnHighlight, clBtnHighlight},
                          TCase{TBevelEdges{TBevelEdge::beLeft, TBevelEdge::beBottom}, clBtnShadow, clSilver, clSilver,
                                clBtnHighlight}}) {
    panel->SetBevelEdges(tc.Edges);
    TBitmap shot;
    panel->PaintTo(shot);
    for (int ring = 0; ring < 2; ++ring) {
      EXPECT_EQ(shot.GetPixelColor(ring, 5), Rgb(tc.Left));
      EXPECT_EQ(shot.GetPixelColor(10, ring), Rgb(tc.Top));
      EXPECT_EQ(shot.GetPixelColor(19 - ring, 5), Rgb(tc.Right));
      EXPECT_EQ(shot.GetPixelColor(10, 9 - ring), Rgb(tc.Bottom));
    }
    EXPECT_EQ(shot.GetPixelColor(10, 5), Rgb(clSilver));
  }
  EXPECT_THROW(panel->SetBevelWidth(0), ERangeError);
}

}  // namespace

}  // namespace SplitTest
