// The image tool: its picture placed over a series' extent, following zoom
// and scroll, the fixed edges, the resize events and the mouse rectangle.
#include "chart/series/PlotTools.h"
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace ImageToolTests {

namespace {

constexpr TColor Green = 0x00C000;

class ImageToolTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    Extent = Add<TPointSeries>();
    Extent->SetActive(false);
    Extent->AppendPoint(0, 0);
    Extent->AppendPoint(100, 50);
    Tool = Create<TChartImageTool>(Owner);
    Tool->SetParentChart(Chart);
    Tool->SetSeries(Extent);
    TBitmap picture(8, 8);
    picture.GetCanvas()->Brush->SetColor(Green);
    picture.GetCanvas()->FillRect(TRect(0, 0, 8, 8));
    Tool->Picture()->SetGraphic(&picture);
    Tool->OnImageResize = [this](TObject*) { ++Resizes; };
    Fix(0, 100, 0, 50);
  }
  TRect Expected() const { return TRect(XPix(0), YPix(50), XPix(100), YPix(0)); }
  TPointSeries* Extent = nullptr;
  TChartImageTool* Tool = nullptr;
  int Resizes = 0;
};

TEST_F(ImageToolTest, PictureCoversTheSeriesExtent) {
  Draw();
  EXPECT_EQ(Tool->ImageRect, Expected());
  EXPECT_EQ(At(50, 25), Green);
  EXPECT_EQ(At(90, 5), Green);
  Tool->SwapVertical = true;
  Draw();
  EXPECT_EQ(Tool->ImageRect, TRect(XPix(0), YPix(0), XPix(100), YPix(50)));
}

TEST_F(ImageToolTest, FollowsZoomAndScrollAndFiresResizeOnlyForNewSizes) {
  Draw();
  EXPECT_EQ(Resizes, 1);
  Fix(0, 200, 0, 50);  // zoomed out: half as wide
  Draw();
  EXPECT_EQ(Tool->ImageRect, Expected());
  EXPECT_EQ(Resizes, 2);
  EXPECT_EQ(At(50, 25), Green);
  EXPECT_NE(At(150, 25), Green);
  Fix(20, 220, 0, 50);  // scrolled: same size, moved
  Draw();
  EXPECT_EQ(Tool->ImageRect, Expected());
  EXPECT_EQ(Resizes, 2);
}

TEST_F(ImageToolTest, FixedEdgesAndTheAxesWithoutASeries) {
  Tool->FixedHorizontal = true;
  Tool->FixedLeft = 10;
  Tool->FixedRight = 200;
  Draw();
  EXPECT_EQ(Tool->ImageRect, TRect(10, YPix(50), 200, YPix(0)));
  Tool->FixedHorizontal = false;
  Tool->SetSeries(nullptr);
  EXPECT_EQ(Tool->HorizValueAt(XPix(30)), 0);
  Fix(0, 10, 0, 5);
  Draw();
  EXPECT_EQ(Tool->ImageRect, TRect(XPix(0), YPix(5), XPix(10), YPix(0)));
}

TEST_F(ImageToolTest, MouseCountsOnlyStrictlyInsideTheRectangle) {
  Draw();
  int downs = 0, clicks = 0;
  Tool->OnImageMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++downs; };
  Tool->OnImageClick = [&](TObject*) { ++clicks; };
  const TRect r = Tool->ImageRect;
  Tool->HandleMouseEvent(0, TMouseButton::mbLeft, {}, r.Left, r.Top + 5);
  EXPECT_EQ(downs, 0);
  Tool->HandleMouseEvent(0, TMouseButton::mbLeft, {}, r.Left + 1, r.Top + 5);
  Tool->HandleMouseEvent(2, TMouseButton::mbLeft, {}, r.Left + 1, r.Top + 5);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_NEAR(Tool->HorizValueAt(XPix(30)), 30, 0.5);
}

TEST_F(ImageToolTest, RotationThatCannotBeComputedIsSkipped) {
  Tool->Angle = 30;
  Extent->Delete(1);  // one point: no rotation can be derived
  EXPECT_NO_THROW(Draw());
  Extent->AppendPoint(100, 0);  // two points at one height: zero-length side
  EXPECT_NO_THROW(Draw());
  Extent->SetYValue(1, 50);
  Fix(0, 100, 0, 100);
  Draw();
  // A picture as wide as the rectangle hangs from the middle of its top
  // edge, turned by the pixel angle (pixels grow downwards, so nearly half a
  // turn): it now lies above the rectangle.
  TBitmap picture(Tool->ImageRect.Right - Tool->ImageRect.Left, 8);
  picture.GetCanvas()->Brush->SetColor(Green);
  picture.GetCanvas()->FillRect(TRect(0, 0, picture.GetWidth(), 8));
  Tool->Picture()->SetGraphic(&picture);
  Draw();
  EXPECT_EQ(At(50, 75), Green);
  EXPECT_NE(At(50, 25), Green);
}

TEST_F(ImageToolTest, FreedSeriesLeavesTheToolUnbound) {
  Extent->Free();
  Extent = nullptr;
  EXPECT_EQ(Tool->GetSeries(), nullptr);
  EXPECT_NO_THROW(Draw());
}

}  // namespace

}  // namespace ImageToolTests
