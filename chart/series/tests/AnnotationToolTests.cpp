// Annotations (placement, callout), the rectangle tool's mouse moves and
// resizing, and mark tips shown as the chart's hint.
#include "chart/series/tests/PlotToolsFixture.h"

namespace AnnotationToolTests {

namespace {

class AnnotationToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    Tool = AddTool<TAnnotationTool>();
  }
  // The text's size on the chart canvas in the shape's font.
  TSize TextSize(const std::string& Text) {
    TCanvas3D& c = *Chart->Canvas();
    c.UseFont(*Tool->Shape()->Font());
    return TSize{c.TextWidth(Text), c.FontHeight()};
  }
  TAnnotationTool* Tool = nullptr;
};

TEST_F(AnnotationToolTest, CornersAndCustomPositionsPlaceTheText) {
  Tool->SetText("Section A");
  const TSize t = TextSize("Section A");
  const struct {
    TAnnotationPosition Position;
    TPoint Origin;
  } cases[] = {{ppLeftTop, {10, 10}},
               {ppLeftBottom, {10, H - t.cy - 8}},
               {ppRightTop, {W - t.cx - 8, 10}},
               {ppRightBottom, {W - t.cx - 8, H - t.cy - 8}}};
  for (const auto& c : cases) {
    Tool->SetPosition(c.Position);
    const auto l = Tool->CalcBounds();
    EXPECT_EQ(l.Origin, c.Origin) << int(c.Position);
    EXPECT_EQ(l.ShapeRect, TRect(c.Origin.X - 4, c.Origin.Y - 2, c.Origin.X + t.cx + 2, c.Origin.Y + t.cy + 2));
  }
  Tool->SetPositionUnits(muPercent);
  Tool->SetLeft(50);
  Tool->SetTop(10);
  EXPECT_EQ(Tool->CalcBounds().Origin, TPoint(200, 25));
  Tool->SetPositionUnits(muPixels);
  EXPECT_EQ(Tool->CalcBounds().Origin, TPoint(54, 12));
  // An empty text still has the room of one blank.
  Tool->SetText("");
  EXPECT_EQ(Tool->CalcBounds().TextWidth, TextSize(" ").cx);
}

TEST_F(AnnotationToolTest, TheTextAndTheCalloutArrowAreDrawn) {
  Tool->SetText("Note");
  Tool->Shape()->SetColor(clYellow);
  Tool->Callout()->Arrow()->SetVisible(true);
  Tool->Callout()->Arrow()->SetColor(clRed);
  Tool->Callout()->SetXPosition(300);
  Tool->Callout()->SetYPosition(150);
  Draw();
  const TRect r = Tool->CalcBounds().ShapeRect;
  EXPECT_EQ(Px(r.Left + 2, r.Bottom - 2), clYellow);
  EXPECT_EQ(CountInColumn(250, clRed), 1) << "the arrow crosses the column once";
  int clicks = 0;
  Tool->OnClick = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++clicks; };
  Down(r.Left + 1, r.Top + 1);
  Up(r.Left + 1, r.Top + 1);
  Down(r.Right + 5, r.Top + 1);
  Up(r.Right + 5, r.Top + 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(AnnotationToolTest, ARectangleMovesToTheCornerAndItsEdgesStopThreePixelsShort) {
  auto* rect = AddTool<TRectangleTool>();
  EXPECT_EQ(rect->CalcBounds().ShapeRect, TRect(10, 10, 60, 60));
  std::vector<std::string> events;
  rect->OnDragging = [&](TObject*) { events.push_back("dragging"); };
  rect->OnDragged = [&](TObject*) { events.push_back("dragged"); };
  rect->OnResized = [&](TObject*) { events.push_back("resized"); };
  Draw();
  Down(30, 30);
  EXPECT_TRUE(rect->DraggingBody);
  Move(20, 20);  // the top-left corner reaches (0, 0)
  Up(20, 20);
  EXPECT_EQ(rect->CalcBounds().ShapeRect, TRect(0, 0, 50, 50));
  EXPECT_EQ(events, (std::vector<std::string>{"dragging", "dragged"}));
  Down(25, 49);  // the bottom edge
  EXPECT_EQ(rect->GrabbedEdge, 3);
  Move(25, 120);
  Up(25, 120);
  EXPECT_EQ(rect->CalcBounds().ShapeRect, TRect(0, 0, 50, 121)) << "the grab offset of one pixel is kept";
  Down(1, 25);  // the left edge
  EXPECT_EQ(rect->GrabbedEdge, 0);
  Move(100, 25);
  Up(100, 25);
  EXPECT_EQ(rect->CalcBounds().ShapeRect, TRect(47, 0, 50, 121));
  EXPECT_EQ(events.back(), "resized");
}

// ---- marks tip ----

TEST_F(ToolChartTest, MarkTipsShowTheMarkOfTheSeriesDrawnLastOnceForOneText) {
  auto* first = Add<TPointSeries>();
  auto* last = Add<TPointSeries>();
  first->AppendPoint(5, 5, "under");
  last->AppendPoint(5, 5, "over");
  last->AppendPoint(6, 6, "over");
  Draw();
  auto* tip = AddTool<TMarksTipTool>();
  std::vector<std::string> shown;
  Chart->OnShowHint = [&](const std::string& Text, TPoint) { shown.push_back(Text); };
  int cancels = 0;
  tip->OnCancelHint = [&](TObject*) { ++cancels; };
  Move(XPix(5), YPix(5));
  EXPECT_EQ(Chart->Hint, "over");
  EXPECT_EQ(tip->LastSeries(), last);
  Move(XPix(6), YPix(6));
  EXPECT_EQ(shown, (std::vector<std::string>{"over"})) << "the same text is not shown again";
  Move(XPix(2), YPix(8));
  EXPECT_EQ(Chart->Hint, "");
  EXPECT_EQ(cancels, 1);
  tip->SetSeries(first);
  Move(XPix(5), YPix(5));
  EXPECT_EQ(shown.back(), "under");
  tip->SetMouseDelay(800);
  EXPECT_EQ(tip->GetMouseDelay(), 800);
  tip->SetMouseDelay(500);
}

}  // namespace

}  // namespace AnnotationToolTests
