#include "CanvasFixture.h"

namespace PlotCanvasProjectionTests {

namespace {

class ProjectionTest : public CanvasFixture {};

TEST_F(ProjectionTest, ObliqueProjectionMovesDepthAlongTheOrthoAngle) {
  struct Case {
    int32_t Angle, Zoom;
    TPoint Shift;  // of a point at depth 10 against depth 0
  } cases[] = {
      {45, 100, {10, -10}},
      {135, 100, {-10, -10}},
      {90, 100, {10, -10}},  // cos 90 below 0.01: the factor is capped at 1
      {45, 200, {20, -20}},
      {30, 100, {10, -6}},
  };
  for (const Case& c : cases) {
    TView3DOptions options;
    options.SetOrthoAngle(c.Angle);
    options.SetZoom(c.Zoom);
    View3D(options);
    const TPoint p0 = Canvas->Project(60, 40, 0), p1 = Canvas->Project(60, 40, 10);
    EXPECT_EQ(p1.X - p0.X, c.Shift.X) << c.Angle;
    EXPECT_EQ(p1.Y - p0.Y, c.Shift.Y) << c.Angle;
    // The zoom scales distances from the projection centre (50, 50).
    EXPECT_EQ(p0.X - 50, 10 * c.Zoom / 100);
  }
}

TEST_F(ProjectionTest, ScreenTo3DInvertsTheObliqueProjection) {
  TView3DOptions options;
  options.SetOrthoAngle(60);
  options.SetZoom(150);
  options.SetHorizOffset(7);
  View3D(options);
  for (const TPoint3D& p : {TPoint3D{10, 20, 0}, TPoint3D{70, 35, 12}, TPoint3D{-5, 90, 30}}) {
    TPoint s = Canvas->Project(p.X, p.Y, p.Z);
    Canvas->ScreenTo3D(s.X, s.Y, p.Z);
    EXPECT_NEAR(s.X, p.X, 1);
    EXPECT_NEAR(s.Y, p.Y, 1);
  }
}

TEST_F(ProjectionTest, RotatedViewsOfKnownPoints) {
  struct Case {
    int32_t Elevation, Rotation, Tilt, Perspective;
    TPoint3D Point;  // relative to the projection centre (50, 50, Depth / 2 = 50)
    TPoint Expected; // relative to the screen centre
  } cases[] = {
      {0, 0, 0, 0, {20, 10, 30}, {20, 10}},     // no rotation: depth ignored
      {0, 90, 0, 0, {0, 10, 10}, {-10, 10}},    // quarter turn: depth becomes -X
      {90, 0, 0, 0, {5, 0, 10}, {5, 10}},       // elevation 90: depth becomes Y
      {0, 0, 90, 0, {20, 10, 0}, {-10, 20}},    // tilt turns the screen plane
      {0, 0, 0, 15, {50, 0, 100}, {45, 0}},     // farther points shrink toward the centre
      {0, 0, 0, 0, {50, 0, 100}, {50, 0}},      // perspective 0: no divisor
  };
  for (const Case& c : cases) {
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetElevation(c.Elevation);
    options.SetRotation(c.Rotation);
    options.SetTilt(c.Tilt);
    options.SetPerspective(c.Perspective);
    View3D(options, 100);
    const TPoint p = Canvas->Project(50 + c.Point.X, 50 + c.Point.Y, 50 + c.Point.Z);
    EXPECT_EQ(p.X - 50, c.Expected.X) << c.Elevation << "/" << c.Rotation << "/" << c.Tilt;
    EXPECT_EQ(p.Y - 50, c.Expected.Y) << c.Elevation << "/" << c.Rotation << "/" << c.Tilt;
  }
}

TEST_F(ProjectionTest, TwoDimensionalViewAndDisabledRotation) {
  TView3DOptions options;
  options.SetOrthogonal(false);
  options.SetRotation(30);
  const TRect r(0, 0, 100, 100);
  Canvas->BeginView(Bitmap->GetCanvas(), &options, clWhite, false, r);
  Canvas->SetViewCenter(0, r);
  EXPECT_EQ(Canvas->Project(12, 34, 56), TPoint(12, 34));
  View3D(options, 100);
  const TPoint rotated = Canvas->Project(80, 20, 90);
  Canvas->DisableRotation();
  Canvas->DisableRotation();
  Canvas->EnableRotation();
  EXPECT_EQ(Canvas->Project(80, 20, 90), TPoint(80, 20));  // still flat
  Canvas->EnableRotation();
  EXPECT_EQ(Canvas->Project(80, 20, 90), rotated);
}

TEST_F(ProjectionTest, BufferedViewDrawsOffscreenAndShowsInOneCopy) {
  TPlotCanvas3D canvas;
  TView3DOptions options;
  const TRect r(10, 20, 60, 50);
  const TRect drawRect = canvas.BeginView(Bitmap->GetCanvas(), &options, clWhite, false, r);
  EXPECT_EQ(drawRect, TRect(0, 0, 50, 30));
  ASSERT_NE(canvas.OffscreenBitmap, nullptr);
  canvas.Brush->SetColor(clRed);
  canvas.FillRect(drawRect);
  EXPECT_EQ(Px(30, 30), clWhite);  // nothing on the window yet
  canvas.ShowBuffer(*Bitmap->GetCanvas(), Bitmap->GetCanvas(), r);
  EXPECT_EQ(Px(10, 20), clRed);
  EXPECT_EQ(Px(59, 49), clRed);
  EXPECT_EQ(Px(60, 50), clWhite);
  EXPECT_TRUE(canvas.RedrawFromBuffer());
  canvas.SetMonochrome(true);
  EXPECT_FALSE(canvas.RedrawFromBuffer());
}

}  // namespace

}  // namespace PlotCanvasProjectionTests
