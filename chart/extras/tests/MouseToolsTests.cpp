// The drag-point, Gantt drag and pie slices tools driven by mouse sequences
// through a real chart.
#include <cmath>
#include <limits>
#include <vector>

#include "chart/extras/GanttCh.h"
#include "chart/extras/PlotDragPoint.h"
#include "chart/extras/PlotGanttTool.h"
#include "chart/extras/PlotPieTool.h"
#include "chart/series/tests/PlotToolsFixture.h"

namespace MouseToolsTests {

namespace {

using DragPointTest = ToolChartTest;

TEST_F(DragPointTest, StylesMoveOnlyTheirCoordinate) {
  struct Case {
    TDragPointStyle Style;
    bool MovesX, MovesY;
  };
  for (const Case& c : {Case{dsX, true, false}, Case{dsY, false, true}, Case{dsBoth, true, true}}) {
    auto* s = Add<TPointSeries>();
    s->AppendPoint(5, 5);
    Draw();
    auto* t = AddTool<TDragPointTool>();
    t->SetSeries(s);
    t->DragStyle = c.Style;
    std::vector<int32_t> calls;
    t->OnDragPoint = [&](TDragPointTool*, int32_t I) { calls.push_back(I); };
    Down(XPix(5), YPix(5));
    EXPECT_EQ(t->DragIndex, 0);
    Move(XPix(7), YPix(3));
    Up(XPix(7), YPix(3));
    EXPECT_NEAR(s->GetXValue(0), c.MovesX ? XVal(XPix(7)) : 5.0, 1e-9);
    EXPECT_NEAR(s->GetYValue(0), c.MovesY ? YVal(YPix(3)) : 5.0, 1e-9);
    EXPECT_EQ(calls, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(t->DragIndex, -1);
    t->Free();
    s->Free();
  }
}

TEST_F(DragPointTest, AReleaseWithoutAPointReportsMinusOne) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(5, 5);
  Draw();
  auto* t = AddTool<TDragPointTool>();
  t->SetSeries(s);
  std::vector<int32_t> calls;
  t->OnDragPoint = [&](TDragPointTool*, int32_t I) { calls.push_back(I); };
  Down(XPix(1), YPix(9));
  Move(XPix(2), YPix(8));
  Up(XPix(2), YPix(8));
  EXPECT_EQ(calls, (std::vector<int32_t>{-1}));
  EXPECT_EQ(s->GetXValue(0), 5.0);
}

TEST_F(DragPointTest, AFlatAxisIsWidenedToAFiniteRange) {
  for (double m : {0.0, 1.0, 5000.0, 1e12}) {
    auto* s = Add<TPointSeries>();
    s->AppendPoint(5, 5);
    Draw();
    Chart->LeftAxis()->SetMinMax(m, m);
    auto* t = AddTool<TDragPointTool>();
    t->SetSeries(s);
    t->DragStyle = dsY;
    t->DragIndex = 0;
    Move(XPix(5), 100);
    EXPECT_GT(Chart->LeftAxis()->GetMaximum(), m) << m;
    EXPECT_TRUE(std::isfinite(s->GetYValue(0))) << m;
    t->Free();
    s->Free();
    Fix(0, 10, 0, 10);
  }
}

class GanttToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    S = Add<TGanttSeries>();
    S->AddGantt(2, 6, 5);
    Draw();
    T = AddTool<TGanttTool>();
    T->SetSeries(S);
  }
  TGanttSeries* S = nullptr;
  TGanttTool* T = nullptr;
};

TEST_F(GanttToolTest, StretchingPastTheOtherEndCollapses) {
  int32_t resized = 0;
  T->OnResizeBar = [&](TGanttTool*, int32_t Bar, TGanttToolBarPart P) {
    EXPECT_EQ(Bar, 0);
    EXPECT_EQ(P, pbEnd);
    ++resized;
  };
  Down(XPix(6), YPix(5));
  EXPECT_EQ(T->Part, pbEnd);
  Move(XPix(1), YPix(5));
  Up(XPix(1), YPix(5));
  EXPECT_EQ(resized, 1);
  EXPECT_DOUBLE_EQ(S->EndValues()->GetValue(0), S->StartValues()->GetValue(0));
  EXPECT_DOUBLE_EQ(S->StartValues()->GetValue(0), 2.0);
}

TEST_F(GanttToolTest, DraggingMovesBothEnds) {
  int32_t dragged = 0;
  T->OnDragBar = [&](TGanttTool*, int32_t) { ++dragged; };
  Down(XPix(4), YPix(5));
  EXPECT_EQ(T->Bar, 0);
  EXPECT_EQ(T->Part, pbAll);
  Move(XPix(4) + 20, YPix(5));
  Up(XPix(4) + 20, YPix(5));
  const double d = XVal(XPix(4) + 20) - XVal(XPix(4));
  EXPECT_NEAR(S->StartValues()->GetValue(0), 2 + d, 1e-9);
  EXPECT_NEAR(S->EndValues()->GetValue(0), 6 + d, 1e-9);
  EXPECT_EQ(dragged, 1);
  EXPECT_EQ(T->Bar, -1);
}

TEST_F(GanttToolTest, CursorsFollowMinPixels) {
  struct Case {
    int32_t Dx;
    TCursor Expected;
  };
  // Near the start edge but off the bar the resize cursor shows; on the bar
  // the drag cursor wins.
  const int32_t x0 = XPix(2);
  for (const Case& c : {Case{-4, crSizeWE}, Case{-6, crDefault}, Case{10, crHandPoint}}) {
    Chart->SetChartCursor(crDefault);
    Move(x0 + c.Dx, YPix(5));
    EXPECT_EQ(Chart->GetChartCursor(), c.Expected) << c.Dx;
  }
}

class PieToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    S = Add<TPieSeries>();
    S->Add(1, "a", 0x0000FF);
    S->Add(1, "b", 0x00FF00);
    S->Add(1, "c", 0xFF0000);
    S->Add(1, "d", 0x00FFFF);
    Draw();
    T = AddTool<TPieTool>();
    T->SetSeries(S);
  }
  // A point well inside slice I.
  TPoint Inside(int32_t I) const {
    const TPieAngle& a = S->Angles()[static_cast<size_t>(I)];
    return S->PointAtAngle(a.MidAngle, S->RadiusX / 2, S->RadiusY / 2);
  }
  void RunTimer() {
    for (int32_t k = 0; k < 100 && T->IsAnimating(); ++k) T->Step();
  }
  TPieSeries* S = nullptr;
  TPieTool* T = nullptr;
};

TEST_F(PieToolTest, FocusColourRule) {
  struct Case {
    TColor Pen, Slice, Expected;
  };
  for (const Case& c : {Case{clBlue, clRed, clBlue}, Case{clRed, clRed, clBlack}, Case{clBlack, clBlack, clWhite}}) {
    T->Pen()->SetColor(c.Pen);
    EXPECT_EQ(T->FocusColor(c.Slice), c.Expected);
  }
}

TEST_F(PieToolTest, ExplodeStepsByTimerTicksUpTo40) {
  T->Style = ptExplode;
  const TPoint p = Inside(1);
  Move(p.X, p.Y);
  EXPECT_EQ(T->Slice, 1);
  EXPECT_TRUE(T->IsAnimating()) << "the mouse handler returns before the explode is done";
  EXPECT_EQ(S->SliceExplode().ValueAt(1), 0);
  std::vector<int32_t> amounts;
  while (T->IsAnimating()) {
    T->Step();
    amounts.push_back(S->SliceExplode().ValueAt(1));
  }
  ASSERT_EQ(amounts.size(), 30u);
  // Nearest integer of i x 40 / 30 (its fractions are thirds, never halves).
  for (int32_t i = 1; i <= 30; ++i) EXPECT_EQ(amounts[static_cast<size_t>(i - 1)], (i * 40 * 2 + 30) / 60) << i;
  EXPECT_EQ(amounts.back(), 40);
  EXPECT_EQ(amounts[2], 4);  // 3 x 40 / 30
  EXPECT_EQ(amounts[0], 1);  // 1.33
}

TEST_F(PieToolTest, MovingToAnotherSliceReleasesTheFirst) {
  T->Style = ptExplode;
  Move(Inside(0).X, Inside(0).Y);
  RunTimer();
  EXPECT_EQ(S->SliceExplode().ValueAt(0), 40);
  Draw();
  const TPoint p = Inside(2);
  Move(p.X, p.Y);
  EXPECT_EQ(S->SliceExplode().ValueAt(0), 0) << "the release completes before the next highlight";
  EXPECT_EQ(T->Slice, 2);
  RunTimer();
  EXPECT_EQ(S->SliceExplode().ValueAt(2), 40);
  Move(2, 2);  // off the pie: the last slice comes back
  EXPECT_EQ(T->Slice, -1);
  RunTimer();
  EXPECT_EQ(S->SliceExplode().ValueAt(2), 0);
}

TEST_F(PieToolTest, FocusDrawsTheOutlineInThePenColour) {
  T->Pen()->SetColor(0x123456);
  const TPoint p = Inside(0);
  Move(p.X, p.Y);
  int32_t n = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) n += Px(x, y) == 0x123456;
  EXPECT_GT(n, 50);
}

}  // namespace

}  // namespace MouseToolsTests
