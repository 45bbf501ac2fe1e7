// Rotation, axis arrows, axis scrolling, series animation, series clipping
// and mark dragging, driven through the chart's mouse handlers and the
// animation's timer steps.
#include <cmath>

#include "chart/series/tests/PlotToolsFixture.h"
#include "platform/ui/ExtCtrls.h"

namespace ViewToolTests {

namespace {

TEST_F(ToolChartTest, RotatingAcrossTheWholeWidthTurnsNinetyDegreesAndElevationStaysInRange) {
  auto* rotate = AddTool<TRotateTool>();
  int rotations = 0;
  rotate->OnRotate = [&](TObject*) { ++rotations; };
  TView3DOptions& view = *Chart->View3DOptions();
  const double r0 = view.GetRotationFloat();
  Down(0, 100);
  Move(W / 2, 100);
  Move(W, 100);
  EXPECT_TRUE(Chart->GetView3D());
  EXPECT_FALSE(view.GetOrthogonal());
  EXPECT_NEAR(std::fmod(view.GetRotationFloat() - r0 + 360, 360), 90, 1e-9);
  EXPECT_GE(view.GetRotationFloat(), 0);
  EXPECT_LE(view.GetRotationFloat(), 360);
  for (int32_t y : {100 + 3 * H, 100, 100 - 5 * H, 100 + H}) {
    Move(W, y);
    EXPECT_GE(view.GetElevationFloat(), 270) << y;
    EXPECT_LE(view.GetElevationFloat(), 360) << y;
  }
  EXPECT_DOUBLE_EQ(view.GetElevationFloat(), 270) << "the last step goes far below 270";
  Up(W, 100 + H);
  EXPECT_EQ(rotations, 6);
  Move(0, 0);
  EXPECT_EQ(rotations, 6) << "no rotation after the release";
}

TEST_F(ToolChartTest, AVisibleOutlineHoldsRepaintsUntilTheDragEndsHoweverItEnds) {
  auto* rotate = AddTool<TRotateTool>();
  rotate->Pen()->SetVisible(true);
  int repaints = 0;
  Chart->OnInvalidateWindow = [&] { ++repaints; };
  for (int ending = 0; ending < 3; ++ending) {
    repaints = 0;
    Down(100, 100);
    Move(120, 110);
    Move(140, 90);
    EXPECT_EQ(repaints, 0);
    EXPECT_FALSE(Chart->AutoRepaint);
    if (ending == 0) Up(140, 90);
    if (ending == 1) rotate->SetActive(false);
    if (ending == 2) rotate->Free();
    EXPECT_TRUE(Chart->AutoRepaint) << ending;
    if (ending == 0) {
      EXPECT_EQ(repaints, 1) << "one repaint at the release";
    } else {
      EXPECT_GE(repaints, 1) << ending;
    }
    if (ending == 1) rotate->SetActive(true);
  }
}

class AxisToolTest : public ToolChartTest {
protected:
  void SetUp() override {
    ToolChartTest::SetUp();
    auto* s = Add<TLineSeries>();
    s->AppendPoint(0, 0);
    s->AppendPoint(100, 100);
    Fix(0, 100, 0, 100);
    Draw();
  }
};

TEST_F(AxisToolTest, ArrowClicksScrollByThePercentInTheirDirectionUnlessRefused) {
  auto* arrows = Create<TAxisArrowTool>(Owner);
  arrows->SetAxis(Chart->BottomAxis());
  TChartAxis& a = *Chart->BottomAxis();
  std::vector<bool> clicks;
  arrows->OnClick = [&](TObject*, bool AtStart) { clicks.push_back(AtStart); };
  const struct {
    bool Inverted;
    bool AtStart;
    double Min, Max;
  } cases[] = {{false, true, 10, 110}, {true, true, -10, 90}, {false, false, -10, 90}, {true, false, 10, 110}};
  for (const auto& c : cases) {
    a.SetMinMax(0, 100);
    Draw();
    arrows->ScrollInverted = c.Inverted;
    const int32_t x = c.AtStart ? a.StartPixel + 8 : a.EndPixel - 8;
    EXPECT_EQ(arrows->ClickedArrow(x, a.AxisLinePos + 2), c.AtStart ? 0 : 1);
    EXPECT_EQ(arrows->ClickedArrow(x, a.AxisLinePos + 3), -1);
    Down(x, a.AxisLinePos);
    Up(x, a.AxisLinePos);
    EXPECT_DOUBLE_EQ(a.GetMinimum(), c.Min);
    EXPECT_DOUBLE_EQ(a.GetMaximum(), c.Max);
  }
  EXPECT_EQ(clicks, (std::vector<bool>{true, true, false, false}));
  a.SetMinMax(0, 100);
  Draw();
  Chart->OnAllowScroll = [](TChartAxis*, double&, double&, bool& Allow) { Allow = false; };
  Down(a.StartPixel + 8, a.AxisLinePos);
  EXPECT_DOUBLE_EQ(a.GetMinimum(), 0);
}

TEST_F(AxisToolTest, DraggingAnAxisScrollsItSoThatTheDataFollowTheMouse) {
  auto* scroll = AddTool<TAxisScrollTool>();
  TChartAxis& a = *Chart->LeftAxis();
  const int32_t size = a.EndPixel - a.StartPixel;
  const int32_t x = a.AxisLinePos - 1, y = (a.StartPixel + a.EndPixel) / 2;
  ASSERT_TRUE(a.HitTest(x, y));
  Down(x, y);
  EXPECT_EQ(scroll->DraggedAxis(), &a);
  Move(x, y - 10);
  Up(x, y - 10);
  EXPECT_DOUBLE_EQ(a.GetMinimum(), -100.0 * 10 / size);
  EXPECT_DOUBLE_EQ(a.GetMaximum(), 100 - 100.0 * 10 / size);
  EXPECT_EQ(scroll->DraggedAxis(), nullptr);
  // With 200 pixels a 10-pixel drag scrolls by 5.
  a.EndPixel = a.StartPixel + 200;
  a.SetMinMax(0, 100);
  Down(x, y);
  Move(x, y - 10);
  EXPECT_DOUBLE_EQ(a.GetMinimum(), -5);
}

TEST_F(ToolChartTest, AnAnimationGrowsTheValuesStepByStepOnTheTimer) {
  auto* s = Add<TLineSeries>();
  for (double v : {1.0, 5.0, 3.0}) s->Add(v);
  auto* anim = AddTool<TSeriesAnimationTool>();
  anim->SetSeries(s);
  std::vector<int32_t> steps;
  anim->OnStep = [&](TObject*, int32_t Step) {
    steps.push_back(Step);
    if (Step == 50) {
      EXPECT_DOUBLE_EQ(s->GetYValue(1), 3) << "half way from 1 to 5";
    }
  };
  anim->Execute();
  EXPECT_TRUE(anim->IsAnimating());
  EXPECT_TRUE(anim->Timer()->GetEnabled());
  for (int32_t i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(s->GetYValue(i), 1);
  while (anim->IsAnimating()) anim->Step();
  ASSERT_EQ(steps.size(), 101u);
  EXPECT_EQ(steps.front(), 0);
  EXPECT_EQ(steps.back(), 100);
  EXPECT_EQ((std::vector<double>{s->GetYValue(0), s->GetYValue(1), s->GetYValue(2)}), (std::vector<double>{1, 5, 3}));
  EXPECT_FALSE(anim->Timer()->GetEnabled());
  EXPECT_EQ(s->UpdateCount(), 0);
  // A stop request puts the values back at the next step.
  anim->Execute();
  for (int32_t i = 0; i < 10; ++i) anim->Step();
  anim->RequestStop();
  anim->Step();
  EXPECT_FALSE(anim->IsAnimating());
  EXPECT_DOUBLE_EQ(s->GetYValue(1), 5);
  // A series freed mid-way ends the animation without touching it.
  anim->Execute();
  anim->Step();
  s->Free();
  anim->Step();
  EXPECT_FALSE(anim->IsAnimating());
}

TEST_F(ToolChartTest, AClipToolKeepsItsSeriesInsideTheAxesAndLeavesUserHandlers) {
  Chart->SetClipPoints(false);
  auto* clipped = Add<TLineSeries>();
  auto* free = Add<TLineSeries>();
  clipped->SetSeriesColor(clRed);
  free->SetSeriesColor(clBlue);
  clipped->AppendPoint(-5, 5), clipped->AppendPoint(15, 5);
  free->AppendPoint(-5, 3), free->AppendPoint(15, 3);
  int userCalls = 0;
  clipped->BeforeDrawValues = [&](TObject*) { ++userCalls; };
  Draw();
  const TRect r = Chart->ChartRect;
  EXPECT_GT(CountInRow(YPix(5), clRed, r.Right + 1, W), 0) << "without the tool the line leaves the axes";
  auto* clip = AddTool<TClipSeriesTool>();
  clip->SetSeries(clipped);
  Draw();
  EXPECT_EQ(CountInRow(YPix(5), clRed, r.Right + 1, W), 0);
  EXPECT_EQ(CountInRow(YPix(5), clRed, 0, r.Left), 0);
  EXPECT_GT(CountInRow(YPix(5), clRed, r.Left, r.Right), 50);
  EXPECT_GT(CountInRow(YPix(3), clBlue, r.Right + 1, W), 0) << "other series are not clipped";
  EXPECT_EQ(userCalls, 2);
  clip->SetSeries(nullptr);
  EXPECT_TRUE(bool(clipped->BeforeDrawValues));
  EXPECT_FALSE(clipped->HasDrawHook(clip));
}

TEST_F(ToolChartTest, ADraggedMarkStaysAtItsNewPlaceAfterARepaint) {
  auto* s = Add<TPointSeries>();
  s->AppendPoint(5, 5, "mark");
  auto* marks = dynamic_cast<TSeriesMarks*>(s->Marks());
  ASSERT_NE(marks, nullptr);
  marks->SetVisible(true);
  Draw();
  AddTool<TDragMarksTool>();
  const TSeriesMarkPosition* p = marks->Position(0);
  ASSERT_NE(p, nullptr);
  const TPoint topLeft = p->TopLeft, tip = p->ArrowTip;
  const TPoint grab(topLeft.X + p->Width / 2, topLeft.Y + p->Height / 2);
  Down(grab.X, grab.Y);
  Move(grab.X + 20, grab.Y + 10);
  Move(grab.X + 30, grab.Y + 40);
  Up(grab.X + 30, grab.Y + 40);
  Draw();
  p = marks->Position(0);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(p->IsCustom);
  EXPECT_EQ(p->TopLeft, TPoint(topLeft.X + 30, topLeft.Y + 40));
  EXPECT_EQ(p->ArrowTip, tip) << "the arrow still starts at the point";
  EXPECT_EQ(marks->MarkAtPixel(grab.X + 30, grab.Y + 40), 0);
}

}  // namespace

}  // namespace ViewToolTests
