// The bubble series: sizes from the radius on the axes, ellipses without
// Squared, the vertical range, hit tests by style and registration.
#include "chart/engine/Chart.h"
#include "chart/extras/BubbleCh.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace BubbleChTests {

namespace {

constexpr TColor Red = 0x0000FF;

class BubbleTest : public SeriesChartTest {};

TEST_F(BubbleTest, HalfSizesAreTheRadiusInPixels) {
  Fix(0, 10, 0, 20);  // unequal scales
  auto* s = Add<TBubbleSeries>();
  s->AddBubble(5, 10, 2);
  s->AddBubble(5, 10, 0);
  Draw();
  const int32_t vert = YPix(10) - YPix(12), horiz = XPix(7) - XPix(5);
  ASSERT_NE(vert, horiz);
  s->PreparePointer(0);
  EXPECT_NEAR(s->Pointer()->GetVertSize(), vert, 1);
  EXPECT_NEAR(s->Pointer()->GetHorizSize(), vert, 1) << "squared: the vertical scale both ways";
  s->SetSquared(false);
  s->PreparePointer(0);
  EXPECT_NEAR(s->Pointer()->GetHorizSize(), horiz, 1) << "an ellipse";
  s->PreparePointer(1);
  EXPECT_EQ(s->Pointer()->GetHorizSize(), 0);
  EXPECT_EQ(s->Pointer()->GetVertSize(), 0);
}

TEST_F(BubbleTest, AnEllipseOnUnequalScalesIsDrawn) {
  Fix(0, 10, 0, 20);
  auto* s = Add<TBubbleSeries>();
  s->SetSquared(false);
  s->AddBubble(5, 10, 2, "", Red);
  s->Pointer()->Pen()->SetVisible(false);
  Draw();
  EXPECT_EQ(At(5, 10), Red);
  EXPECT_EQ(At(6.5, 10), Red) << "reaches 2 units right";
  EXPECT_EQ(At(5, 11.5), Red) << "and 2 units up";
  EXPECT_NE(At(7.5, 10), Red);
  EXPECT_NE(At(5, 12.5), Red);
}

TEST_F(BubbleTest, TheVerticalRangeHoldsEveryBubble) {
  auto* s = Add<TBubbleSeries>();
  s->AddBubble(1, 5, 3);
  s->AddBubble(2, 1, 4);
  s->AddBubble(3, 8, 0.5);
  EXPECT_EQ(s->LargestY(), 8.5);
  EXPECT_EQ(s->SmallestY(), -3);
  s->Pointer()->SetDraw3D(true);
  EXPECT_EQ(s->LargestZ(), 4);
  EXPECT_EQ(s->SmallestZ(), -4);
}

TEST_F(BubbleTest, HitTestFollowsThePointerStyle) {
  auto* s = Add<TBubbleSeries>();
  s->AddBubble(5, 5, 2);
  Draw();
  using S = TSeriesPointerStyle;
  struct Case {
    S Style;
    double X, Y;
    int32_t Expected;
  };
  for (const Case& c : {Case{S::psCircle, 5, 5, 0}, Case{S::psCircle, 6.2, 6.2, -1}, Case{S::psRectangle, 6.2, 6.2, 0},
                        Case{S::psTriangle, 5, 4, 0}, Case{S::psTriangle, 4.3, 6.5, -1},
                        Case{S::psDownTriangle, 4.3, 6.5, 0}, Case{S::psDiamond, 6.2, 6.2, -1},
                        Case{S::psNothing, 5.5, 5.5, -1}}) {
    s->Pointer()->SetStyle(c.Style);
    EXPECT_EQ(s->PointAtPixel(XPix(c.X), YPix(c.Y)), c.Expected) << int(c.Style) << " " << c.X << "," << c.Y;
  }
}

TEST_F(BubbleTest, DefaultsSamplesAssignAndRegistration) {
  auto* s = Add<TBubbleSeries>();
  EXPECT_TRUE(s->GetSquared());
  EXPECT_TRUE(s->GetColorEachPoint());
  EXPECT_EQ(s->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_EQ(s->GetGradient(), s->Pointer()->Gradient());
  EXPECT_EQ(s->RadiusValues()->GetName(), "Radius");
  s->FillSampleValues(0);
  EXPECT_EQ(s->Count(), 8);
  for (int32_t i = 0; i < s->Count(); ++i) EXPECT_GT(s->RadiusValues()->GetValue(i), 0);
  s->SetSquared(false);
  auto* t = Add<TBubbleSeries>();
  t->Assign(s);
  EXPECT_FALSE(t->GetSquared());
  BubbleCh::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TBubbleSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Bubble");
  EXPECT_EQ(*type->PageName, "Standard");
  EXPECT_EQ(type->SampleSeriesCount, 1);
}

}  // namespace

}  // namespace BubbleChTests
