// The selector tool: selection by mouse, handles, dragging with a threshold
// and resizing the chart by its corner.
#include <vector>

#include "chart/extras/PlotSelectorTool.h"
#include "chart/series/tests/PlotToolsFixture.h"

namespace SelectorToolTests {

namespace {

class SelectorTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    T = AddTool<TSelectorTool>();
  }
  TSelectorTool* T = nullptr;
};

TEST_F(SelectorTest, AClickOnNothingShowsHandlesAtTheInnerCorners) {
  int32_t selected = 0;
  T->OnSelected = [&](TObject*) { ++selected; };
  Down(2, 2);
  Up(2, 2);
  EXPECT_EQ(T->Part.Part, cpNone);
  EXPECT_EQ(selected, 1);
  const std::vector<TPoint> expected{TPoint(3, 3), TPoint(W - 3, 3), TPoint(W - 3, H - 3), TPoint(3, H - 3)};
  EXPECT_EQ(T->HandleCentres(), expected);
  T->Pen()->SetColor(0x0000FF);
  T->Brush()->SetColor(0x0000FF);
  Draw();
  EXPECT_EQ(Px(3, 3), 0x0000FFu);
  EXPECT_EQ(Px(W - 3, H - 3), 0x0000FFu);
}

TEST_F(SelectorTest, ATitleMovesOnlyFromThreePixels) {
  Chart->Title()->SetVisible(true);
  Chart->Title()->Text()->SetText("Title");
  Draw();
  const TRect r = Chart->Title()->PlacedRect;
  const TPoint c((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  struct Case {
    int32_t Dx;
    bool Moves;
  };
  for (const Case& k : {Case{1, false}, Case{2, false}, Case{3, true}}) {
    Chart->Title()->SetCustomPosition(false);
    Draw();
    const int32_t left = Chart->Title()->GetLeft();
    int32_t dragged = 0;
    T->OnDragged = [&](TObject*) { ++dragged; };
    Down(c.X, c.Y);
    EXPECT_EQ(T->Shape, Chart->Title());
    Move(c.X + k.Dx, c.Y);
    Up(c.X + k.Dx, c.Y);
    EXPECT_EQ(Chart->Title()->GetLeft(), k.Moves ? left + k.Dx : left) << k.Dx;
    EXPECT_EQ(dragged, k.Moves ? 1 : 0);
  }
}

TEST_F(SelectorTest, TheResizeCornerKeepsTheSelection) {
  T->AllowResizeChart = true;
  Down(2, 2);
  Up(2, 2);
  auto* s = Add<TPointSeries>();
  s->AppendPoint(5, 5);
  Draw();
  Down(XPix(5), YPix(5));
  Up(XPix(5), YPix(5));
  ASSERT_EQ(T->Part.Part, cpSeries);
  int32_t resized = 0;
  T->OnResized = [&](TObject*) { ++resized; };
  struct Case {
    int32_t X, Y;
    bool Resizes;
  };
  for (const Case& c : {Case{W - 8, H - 8, true}, Case{W + 8, H + 8, true}, Case{W - 9, H, false}}) {
    Chart->SetBounds(W, H);
    Draw();
    Down(c.X, c.Y);
    EXPECT_EQ(T->Resizing, c.Resizes) << c.X;
    if (c.Resizes) {
      EXPECT_EQ(T->Part.Part, cpSeries) << "the selection stays";
      Move(300, 200);
      Up(300, 200);
      EXPECT_EQ(Chart->GetWidth(), 300);
      EXPECT_EQ(Chart->GetHeight(), 200);
    } else {
      Up(c.X, c.Y);
    }
  }
  EXPECT_EQ(resized, 2);
}

TEST_F(SelectorTest, ASeriesOfAHundredPointsHasAHandleOnEveryFifth) {
  struct Case {
    int32_t Points, Handles;
  };
  for (const Case& c : {Case{100, 20}, Case{20, 20}, Case{7, 7}, Case{45, 23}}) {
    auto* s = Add<TPointSeries>();
    for (int32_t i = 0; i < c.Points; ++i) s->AppendPoint(10.0 * i / c.Points, 5);
    Draw();
    T->Part.Part = cpSeries;
    T->Part.ASeries = s;
    const std::vector<TPoint> h = T->HandleCentres();
    EXPECT_EQ(static_cast<int32_t>(h.size()), c.Handles) << c.Points;
    const int32_t k = c.Points <= 20 ? 1 : c.Points / 20;
    if (h.size() > 1) {
      EXPECT_EQ(h[1], TPoint(s->PointPixelX(k), s->PointPixelY(k)));
    }
    T->Part = TChartClickedPart();
    s->Free();
  }
}

TEST_F(SelectorTest, AFreedSelectionIsForgotten) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(5, 5);
  Draw();
  Down(XPix(5), YPix(5));
  Up(XPix(5), YPix(5));
  ASSERT_EQ(T->Part.ASeries, s);
  s->Free();
  EXPECT_EQ(T->Part.ASeries, nullptr);
  EXPECT_EQ(T->Part.Part, cpNone);
  auto* note = AddTool<TAnnotationTool>();
  note->SetText("Note");
  Draw();
  const TAnnotationTool::TLayout l = note->CalcBounds();
  Down((l.ShapeRect.Left + l.ShapeRect.Right) / 2, (l.ShapeRect.Top + l.ShapeRect.Bottom) / 2);
  ASSERT_EQ(T->Annotation, note);
  note->Free();
  EXPECT_EQ(T->Shape, nullptr);
  Move(100, 100);
  Up(100, 100);
  Draw();
}

}  // namespace

}  // namespace SelectorToolTests
