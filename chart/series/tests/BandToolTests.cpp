// Colour lines, colour bands and grid bands: where they stand, how they are
// dragged and resized, and which pixels they fill.
#include "chart/series/tests/PlotToolsFixture.h"

namespace BandToolTests {

namespace {

class BandToolTest : public ToolChartTest {
protected:
  TColorLineTool* AddLine(TChartAxis* Axis) {
    auto* t = Create<TColorLineTool>(Owner);
    t->SetAxis(Axis);
    t->Pen()->SetColor(clRed);
    return t;
  }
};

TEST_F(BandToolTest, ACentredColourLineFollowsZoomingAndBecomesCustomWhenDragged) {
  TColorLineTool* line = AddLine(Chart->BottomAxis());
  EXPECT_EQ(line->GetParentChart(), Chart);
  line->SetStyle(TColorLineStyle::clCenter);
  Draw();
  const int32_t mid = (Chart->ChartRect.Top + Chart->ChartRect.Bottom) / 2;
  EXPECT_EQ(Px(XPix(5), mid), clRed);
  Fix(0, 20, 0, 10);
  Draw();
  EXPECT_EQ(Px(XPix(10), mid), clRed);
  EXPECT_NE(Px(XPix(5), mid), clRed);
  Down(XPix(10), mid);
  EXPECT_TRUE(line->IsDragging());
  Move(XPix(12), mid);
  Up(XPix(12), mid);
  EXPECT_EQ(line->GetStyle(), TColorLineStyle::clCustom);
  EXPECT_DOUBLE_EQ(line->GetValue(), XVal(XPix(12)));
}

TEST_F(BandToolTest, ADraggedLineStopsAtTheAxisEndAndIsGrabbedWithinTwoPixels) {
  TColorLineTool* line = AddLine(Chart->LeftAxis());
  line->SetValue(5);
  Draw();
  const int32_t x = (Chart->ChartRect.Left + Chart->ChartRect.Right) / 2;
  Down(x, YPix(5) + 3);
  EXPECT_FALSE(line->IsDragging());
  Up(x, YPix(5) + 3);
  Down(x, YPix(5) - 2);
  EXPECT_TRUE(line->IsDragging());
  Move(x, Chart->LeftAxis()->StartPixel - 40);
  EXPECT_DOUBLE_EQ(line->GetValue(), 10);
  Up(x, Chart->LeftAxis()->StartPixel - 40);
  line->SetValue(15);
  Draw();
  EXPECT_DOUBLE_EQ(line->GetValue(), 10) << "pulled back at the next drawing";
  line->NoLimitDrag = true;
  line->SetValue(15);
  Draw();
  EXPECT_DOUBLE_EQ(line->GetValue(), 15);
}

TEST_F(BandToolTest, BandLimitsInEitherOrderGiveOneRectangleAndABandAboveTheAxisNone) {
  auto* band = Create<TColorBandTool>(Owner);
  band->SetAxis(Chart->BottomAxis());
  band->SetColor(clYellow);
  band->SetStartValue(8);
  band->SetEndValue(2);
  Draw();
  const TRect r = band->BandRect();
  band->SetStartValue(2);
  band->SetEndValue(8);
  EXPECT_EQ(band->BandRect(), r);
  EXPECT_EQ(r.Left, XPix(2));
  EXPECT_EQ(r.Right, XPix(8) + 1);
  EXPECT_EQ(Px(XPix(5), YPix(5)), clYellow);
  EXPECT_EQ(Px(XPix(9), YPix(5)), clWhite);
  const auto without = [&] {
    band->SetActive(false);
    Draw();
    auto p = Picture();
    band->SetActive(true);
    return p;
  }();
  band->SetStartValue(12);
  band->SetEndValue(15);
  EXPECT_EQ(band->BandRect(), TRect(0, 0, 0, 0));
  Draw();
  EXPECT_EQ(Picture(), without);
}

TEST_F(BandToolTest, DraggingTheStartLineResizesTheBandAtEveryStep) {
  auto* band = Create<TColorBandTool>(Owner);
  band->SetAxis(Chart->BottomAxis());
  band->SetStartValue(2);
  band->SetEndValue(6);
  band->SetResizeStart(true);
  band->StartLinePen()->SetColor(clRed);
  Draw();
  int repaints = 0;
  Chart->OnInvalidateWindow = [&] { ++repaints; };
  const int32_t y = YPix(5);
  Down(XPix(2), y);
  std::vector<double> starts;
  for (double v : {3.0, 4.0}) {
    Move(XPix(v), y);
    starts.push_back(band->GetStartValue());
  }
  Up(XPix(4), y);
  EXPECT_DOUBLE_EQ(starts[0], XVal(XPix(3)));
  EXPECT_DOUBLE_EQ(starts[1], XVal(XPix(4)));
  EXPECT_GE(repaints, 2);
  Draw();
  EXPECT_EQ(Px(XPix(4), y - 20), clRed);
}

TEST_F(BandToolTest, GridBandsAlternateBetweenTicksWithPartialBandsAtTheEnds) {
  auto* grid = Create<TGridBandTool>(Owner);
  grid->SetAxis(Chart->BottomAxis());
  grid->Band1()->SetColor(clRed);
  grid->Band2()->SetColor(clBlue);
  TChartAxis& a = *Chart->BottomAxis();
  const int32_t y = (Chart->ChartRect.Top + Chart->ChartRect.Bottom) / 2;
  const auto before = Picture();
  a.TickPixels = {a.StartPixel + 100};
  grid->DrawBands(&a);
  EXPECT_EQ(Picture(), before) << "one tick: nothing";
  const int32_t s = a.StartPixel, e = a.EndPixel;
  a.TickPixels = {e - 40, e - 100, s + 120, s + 30};
  grid->DrawBands(&a);
  const struct {
    int32_t X;
    TColor Colour;
  } expected[] = {{e - 20, clRed}, {e - 70, clBlue}, {(e - 100 + s + 120) / 2, clRed}, {s + 75, clBlue}, {s + 15, clRed}};
  for (const auto& c : expected) EXPECT_EQ(Px(c.X, y), c.Colour) << c.X;
  // The axis calls the bands while it draws, under its grid (axes are drawn
  // for a chart with series).
  auto* s1 = Add<TLineSeries>();
  s1->AppendPoint(0, 0);
  s1->AppendPoint(10, 0);
  Draw();
  ASSERT_GE(a.TickPixels.size(), 2u);
  const int32_t first = a.StartPixel + 2;
  EXPECT_TRUE(Px(first, y) == clRed || Px(first, y) == clBlue);
  grid->Free();
  Draw();
  EXPECT_EQ(Px(first, y), clWhite) << "a freed tool leaves the axis";
}

}  // namespace

}  // namespace BandToolTests
