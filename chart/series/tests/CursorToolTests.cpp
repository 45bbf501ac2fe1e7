// The cursor tool (grabbing, dragging, snapping, inverted drawing) and the
// nearest-point tool, driven through the chart's own mouse handlers.
#include <cmath>

#include "chart/series/tests/PlotToolsFixture.h"

namespace CursorToolTests {

namespace {

class CursorToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    Cursor = AddTool<TCursorTool>();
    Cursor->XValue = 5;
    Cursor->YValue = 5;
  }
  TCursorTool* Cursor = nullptr;
};

TEST_F(CursorToolTest, ACursorDrawnAndErasedLeavesTheWindowPictureAsItWas) {
  const auto before = Picture();
  Cursor->FollowMouse = true;
  Move(XPix(3), YPix(3));
  EXPECT_EQ(Cursor->XPixel, XPix(3));
  EXPECT_NE(Picture(), before);
  EXPECT_GT(CountInColumn(XPix(3), clBlack, YPix(9), YPix(1)), 100);
  Move(XPix(6), YPix(7));
  EXPECT_EQ(CountInColumn(XPix(3), clBlack, YPix(9), YPix(1)), 1) << "only the crossing horizontal line is left";
  // Leaving the axes' rectangle hides a following cursor.
  Move(W - 2, 5);
  EXPECT_EQ(Cursor->XPixel, -1);
  EXPECT_EQ(Picture(), before);
  Cursor->XPixel = XPix(4), Cursor->YPixel = YPix(4);
  Cursor->RedrawCursor();
  EXPECT_NE(Picture(), before);
  Cursor->RedrawCursor();
  EXPECT_EQ(Picture(), before);
}

TEST_F(CursorToolTest, APressNearALineGrabsItAndTheDragMovesOnlyItsValue) {
  const struct {
    TCursorToolStyle Style;
    int32_t DX, DY;  // press offset from the lines' crossing
    int32_t Part;
  } cases[] = {
      {cssBoth, 2, 3, 3},        {cssBoth, -3, -3, 3},      {cssBoth, 2, 40, 2},        {cssBoth, 40, -3, 1},
      {cssBoth, 4, 4, 0},        {cssHorizontal, 80, 1, 1}, {cssHorizontal, 1, 5, 0},   {cssVertical, 1, 60, 2},
      {cssVertical, 4, 0, 0},
  };
  for (const auto& c : cases) {
    Cursor->SetStyle(c.Style);
    Cursor->XValue = 5, Cursor->YValue = 5;
    Draw();
    const int32_t x0 = XPix(5), y0 = YPix(5);
    Move(x0 + c.DX, y0 + c.DY);
    Down(x0 + c.DX, y0 + c.DY);
    EXPECT_EQ(Cursor->GrabbedPart, c.Part) << int(c.Style) << " " << c.DX << "," << c.DY;
    const int32_t tx = XPix(2), ty = YPix(8);
    Move(tx, ty);
    Up(tx, ty);
    const bool x = c.Part == 2 || c.Part == 3, y = c.Part == 1 || c.Part == 3;
    EXPECT_DOUBLE_EQ(Cursor->XValue, x ? XVal(tx) : 5) << int(c.Style) << " " << c.DX << "," << c.DY;
    EXPECT_DOUBLE_EQ(Cursor->YValue, y ? YVal(ty) : 5) << int(c.Style) << " " << c.DX << "," << c.DY;
    EXPECT_EQ(Cursor->GrabbedPart, 0);
  }
}

TEST_F(CursorToolTest, SnappingJumpsToTheNearestPointAndReportsIndexChangesOnce) {
  auto* s = Add<TPointSeries>();
  for (double x : {1.0, 2.0, 3.0}) s->AppendPoint(x, x * x);
  Draw();
  Cursor->SetStyle(cssVertical);
  Cursor->Snap = true;
  Cursor->SetSeries(s);
  std::vector<int32_t> changes, snaps;
  Cursor->OnChange = [&](TObject*, int32_t, int32_t, double, double, TChartSeries*, int32_t I) { changes.push_back(I); };
  Cursor->OnSnapChange = [&](TObject*, int32_t, int32_t, double, double, TChartSeries*, int32_t I) { snaps.push_back(I); };
  Cursor->XValue = 1;
  Draw();
  Move(XPix(1), YPix(5));
  Down(XPix(1), YPix(5));
  for (double x : {2.4, 2.2, 2.8}) Move(XPix(x), YPix(5));
  EXPECT_DOUBLE_EQ(Cursor->XValue, 3);
  EXPECT_EQ(Cursor->XPixel, XPix(3));
  EXPECT_EQ(changes, (std::vector<int32_t>{1, 1, 2}));
  EXPECT_EQ(snaps, (std::vector<int32_t>{1, 2}));
  Move(XPix(2.4), YPix(5));
  EXPECT_DOUBLE_EQ(Cursor->XValue, 2);
  Up(XPix(2.4), YPix(5));
  Draw();
  EXPECT_EQ(Cursor->XPixel, -1) << "a repaint removes the cursor";
}

// ---- nearest point ----

class NearestToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    Series = Add<TPointSeries>();
    // The points keep X order.
    Series->AppendPoint(1, 1);   // 0
    Series->AppendPoint(3, 1);   // 1: as far from (2, 1) as point 0
    Series->AppendPoint(6, 6);   // 2
    Series->AppendPoint(7, 7);   // 3: made null
    Series->AppendPoint(12, 5);  // 4: beyond the bottom axis
    Series->SetPointColor(3, clNone);
    Draw();
    Tool = AddTool<TNearestTool>();
    Tool->SetSeries(Series);
  }
  TPointSeries* Series = nullptr;
  TNearestTool* Tool = nullptr;
};

TEST_F(NearestToolTest, TheNearestVisibleNonNullPointWinsAndTiesKeepTheLowerIndex) {
  const struct {
    double X, Y;
    int32_t Expected;
  } cases[] = {{2, 1, 0}, {2.9, 1, 1}, {7, 7, 2}, {10, 5, 2}, {5.9, 6.2, 2}};
  for (const auto& c : cases) {
    int32_t d = -1;
    EXPECT_EQ(TNearestTool::NearestPointOf(Series, XPix(c.X), YPix(c.Y), d), c.Expected) << c.X << "," << c.Y;
    const int32_t i = c.Expected;
    EXPECT_EQ(d, int32_t(std::nearbyint(std::hypot(XPix(Series->GetXValue(i)) - XPix(c.X),
                                                   YPix(Series->GetYValue(i)) - YPix(c.Y)))));
  }
  int changes = 0;
  Tool->OnChange = [&](TObject*) { ++changes; };
  Move(XPix(2.9), YPix(1));
  EXPECT_EQ(Tool->Point, 1);
  EXPECT_EQ(changes, 1);
  // With every remaining point null or outside nothing is found.
  for (int32_t i : {0, 1, 2}) Series->SetPointColor(i, clNone);
  Draw();
  Move(XPix(6), YPix(6));
  EXPECT_EQ(Tool->Point, -1);
}

TEST_F(ToolChartTest, TheNearestSearchAgreesWithAPlainScanOfEveryPoint) {
  auto* s = Add<TPointSeries>();
  for (int32_t i = 0; i < 300; ++i) s->AppendPoint(-1 + i * 0.04, 5 + 4 * std::sin(i * 0.37));
  for (int32_t i = 0; i < 300; i += 7) s->SetPointColor(i, clNone);
  Draw();
  const TRect r = Chart->ChartRect;
  for (int32_t y = r.Top - 5; y < r.Bottom + 5; y += 13)
    for (int32_t x = r.Left - 5; x < r.Right + 5; x += 11) {
      int32_t best = -1, bestD = 10000;
      for (int32_t i = 0; i < s->Count(); ++i) {
        const int32_t px = XPix(s->GetXValue(i)), py = YPix(s->GetYValue(i));
        if (s->IsNull(i) || px < r.Left || px > r.Right || py < r.Top || py > r.Bottom) continue;
        const int32_t d = int32_t(std::nearbyint(std::hypot(px - x, py - y)));
        if (d < bestD) bestD = d, best = i;
      }
      int32_t d = -1;
      ASSERT_EQ(TNearestTool::NearestPointOf(s, x, y, d), best) << x << "," << y;
      ASSERT_EQ(d, bestD);
    }
}

TEST_F(NearestToolTest, TheInvertedHintIsErasedWhenTheMouseLeaves) {
  Tool->FullRepaint = false;
  Tool->SetStyle(hsRectangle);
  Tool->Pen()->SetStyle(psSolid);
  Tool->Pen()->SetColor(clRed);
  const auto before = Picture();
  Move(XPix(6) + 30, YPix(6) + 30);
  EXPECT_EQ(Tool->Point, 2);
  EXPECT_NE(Picture(), before);
  Move(XPix(1) + 5, YPix(1) - 5);
  EXPECT_EQ(Tool->Point, 0);
  Chart->BroadcastToolEvent(tceMouseLeave);
  EXPECT_EQ(Tool->Point, -1);
  EXPECT_EQ(Picture(), before);
}

}  // namespace

}  // namespace CursorToolTests
