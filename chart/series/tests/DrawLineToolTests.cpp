// The draw-line tool: hit tests, drawing new lines, selecting and dragging
// them by a handle or the body, and lines that follow zooming.
#include "chart/series/tests/PlotToolsFixture.h"

namespace DrawLineToolTests {

namespace {

class DrawLineToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    Tool = AddTool<TDrawLineTool>();
    Tool->Pen()->SetColor(clBlue);
  }
  // A line whose ends lie exactly on pixels.
  TDrawLine* AddLine(TPoint P0, TPoint P1, TDrawLineStyle Style = dlLine) {
    TDrawLine* l = Tool->Lines()->AddLine();
    l->SetX0(XVal(P0.X)), l->SetY0(YVal(P0.Y)), l->SetX1(XVal(P1.X)), l->SetY1(YVal(P1.Y));
    l->SetStyle(Style);
    return l;
  }
  TDrawLineTool* Tool = nullptr;
};

TEST_F(DrawLineToolTest, HitsReachToleranceAndOnePixelAndFollowTheStyle) {
  const struct {
    TDrawLineStyle Style;
    int32_t Tolerance;
    TPoint P;
    bool Hit;
  } cases[] = {
      {dlLine, 0, {150, 101}, true},         {dlLine, 0, {150, 102}, false},       {dlLine, 2, {150, 103}, true},
      {dlLine, 2, {150, 104}, false},        {dlHorizParallel, 0, {150, 140}, true}, {dlHorizParallel, 0, {150, 120}, false},
      {dlHorizParallel, 0, {100, 120}, false}, {dlVertParallel, 0, {200, 120}, true}, {dlVertParallel, 0, {150, 120}, false},
  };
  for (const auto& c : cases) {
    Tool->Lines()->Clear();
    TDrawLine* l = AddLine({100, 100}, {200, 140}, c.Style);
    if (c.Style == dlLine) l->SetY1(YVal(100));
    Tool->ClickTolerance = c.Tolerance;
    EXPECT_EQ(l->Clicked(c.P, 0, c.Tolerance), c.Hit) << int(c.Style) << " " << c.P.X << "," << c.P.Y;
    EXPECT_EQ(Tool->Clicked(c.P) == l, c.Hit);
  }
}

TEST_F(DrawLineToolTest, DraggingTheMouseDrawsANewSelectedLineAndAClickDrawsNothing) {
  int newLines = 0;
  Tool->OnNewLine = [&](TObject*) { ++newLines; };
  Down(120, 60);
  Up(120, 60);
  EXPECT_EQ(Tool->Lines()->Count(), 0);
  Down(120, 60, TMouseButton::mbRight);
  Move(200, 90);
  Up(200, 90, TMouseButton::mbRight);
  EXPECT_EQ(Tool->Lines()->Count(), 0) << "another button neither draws nor selects";
  Down(120, 60);
  Move(160, 80);
  Move(200, 90);
  Up(200, 90);
  ASSERT_EQ(Tool->Lines()->Count(), 1);
  TDrawLine* l = Tool->Lines()->Line(0);
  EXPECT_EQ(Tool->Selected(), l);
  EXPECT_EQ(newLines, 1);
  EXPECT_DOUBLE_EQ(l->GetX0(), XVal(120));
  EXPECT_DOUBLE_EQ(l->GetY0(), YVal(60));
  EXPECT_DOUBLE_EQ(l->GetX1(), XVal(200));
  EXPECT_DOUBLE_EQ(l->GetY1(), YVal(90));
}

TEST_F(DrawLineToolTest, AHandleDragMovesOneEndAndABodyDragMovesBothByTheSameOffset) {
  TDrawLine* l = AddLine({100, 100}, {200, 150});
  int dragged = 0;
  Tool->OnDraggedLine = [&](TObject*) { ++dragged; };
  Down(150, 125);  // selects the line
  Up(150, 125);
  ASSERT_EQ(Tool->Selected(), l);
  EXPECT_DOUBLE_EQ(l->GetX0(), XVal(100)) << "a click moves nothing";
  Down(101, 99);  // start handle
  EXPECT_EQ(Tool->DragMode, 1);
  Move(90, 80);
  Up(90, 80);
  EXPECT_DOUBLE_EQ(l->GetX0(), XVal(90));
  EXPECT_DOUBLE_EQ(l->GetY0(), YVal(80));
  EXPECT_DOUBLE_EQ(l->GetX1(), XVal(200));
  EXPECT_DOUBLE_EQ(l->GetY1(), YVal(150));
  const double x0 = l->GetX0(), y0 = l->GetY0(), x1 = l->GetX1(), y1 = l->GetY1();
  Down(145, 115);  // the body
  EXPECT_EQ(Tool->DragMode, 3);
  Move(155, 125);
  Move(165, 135);
  Up(165, 135);
  EXPECT_NEAR(l->GetX0() - x0, l->GetX1() - x1, 1e-9);
  EXPECT_NEAR(l->GetY0() - y0, l->GetY1() - y1, 1e-9);
  EXPECT_DOUBLE_EQ(l->GetX0(), XVal(110));
  EXPECT_EQ(dragged, 2);
  // A refused selection neither selects nor drags.
  TDrawLine* other = AddLine({250, 50}, {300, 50});
  Tool->OnSelecting = [](TObject*, TDrawLine*, bool& Allow) { Allow = false; };
  Down(275, 50);
  Move(275, 70);
  Up(275, 70);
  EXPECT_EQ(Tool->Selected(), l);
  EXPECT_DOUBLE_EQ(other->GetY0(), YVal(50));
}

TEST_F(DrawLineToolTest, LinesKeepTheirValuesWhenTheAxesZoom) {
  TDrawLine* l = AddLine({100, 100}, {200, 100});
  const double x0 = l->GetX0(), x1 = l->GetX1(), y = l->GetY0();
  Draw();
  EXPECT_EQ(Px((XPix(x0) + XPix(x1)) / 2, YPix(y)), clBlue);
  Fix(0, 20, 0, 20);
  Draw();
  EXPECT_EQ(l->StartPixel(), TPoint(XPix(x0), YPix(y)));
  EXPECT_EQ(Px((XPix(x0) + XPix(x1)) / 2, YPix(y)), clBlue);
  EXPECT_DOUBLE_EQ(l->GetX0(), x0);
}

TEST_F(DrawLineToolTest, CopiedLinesTakeTheSourcesOwnPenOrNone) {
  TDrawLine* red = AddLine({100, 60}, {200, 60});
  red->GetPen()->SetColor(clRed);
  TDrawLine* plain = AddLine({100, 160}, {200, 160});
  TDrawLine* copy = AddLine({0, 0}, {0, 0});
  copy->Assign(red);
  Draw();
  EXPECT_TRUE(copy->HasOwnPen());
  EXPECT_EQ(Px(150, 60), clRed);
  copy->Assign(plain);
  EXPECT_FALSE(copy->HasOwnPen());
  Draw();
  EXPECT_EQ(Px(150, 160), clBlue);
  // Freeing the selected line clears the selection.
  Tool->SetSelected(copy);
  copy->Free();
  EXPECT_EQ(Tool->Selected(), nullptr);
}

}  // namespace

}  // namespace DrawLineToolTests
