#include <gtest/gtest.h>

#include "chart/engine/PlotProcs.h"

namespace PlotProcsShapeTests {

namespace {

// A panel whose canvas draws into a white bitmap.
struct ShapeScene {
  ShapeScene() : Bitmap(100, 100), Shape(&Panel) {
    Panel.Canvas()->BeginView(Bitmap.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 100, 100));
    Panel.Canvas()->SetBuffered(false);
    Panel.Canvas()->BeginView(Bitmap.GetCanvas(), nullptr, clWhite, false, TRect(0, 0, 100, 100));
  }
  TColor At(int X, int Y) { return Bitmap.GetPixelColor(X, Y); }
  int CountNotWhite() {
    int N = 0;
    for (int Y = 0; Y < 100; ++Y)
      for (int X = 0; X < 100; ++X) N += At(X, Y) != clWhite;
    return N;
  }
  TBitmap Bitmap;
  TCustomPlotPanel Panel;
  TPlotShape Shape;
};

TEST(PlotShape, TransparentShapeDrawsNothing) {
  ShapeScene S;
  S.Shape.SetTransparent(true);
  S.Shape.SetColor(clRed);
  S.Shape.SetBevel(bvRaised);
  S.Shape.GetGradient()->SetVisible(true);
  S.Shape.DrawRectRotated(TRect(10, 10, 60, 40), 0, 0);
  S.Shape.DrawRectRotated(TRect(10, 10, 60, 40), 30, 0);
  EXPECT_EQ(S.CountNotWhite(), 0);
}

TEST(PlotShape, FillOutlineAndShadow) {
  ShapeScene S;
  S.Shape.SetColor(clRed);
  S.Shape.DrawRectRotated(TRect(10, 10, 60, 40), 0, 0);
  EXPECT_EQ(S.At(30, 25), clRed);
  EXPECT_EQ(S.At(10, 10), clBlack);        // outline
  EXPECT_NE(S.At(61, 41), clWhite);        // shadow of size 3
  EXPECT_EQ(S.At(64, 44), clWhite);
}

TEST(PlotShape, ShadowOfRoundedShapesNeedsTransparency) {
  const struct {
    int32_t Transparency;
    bool ShadowDrawn;
  } Cases[] = {{0, false}, {50, true}};
  for (const auto& C : Cases) {
    ShapeScene S;
    S.Shape.SetShapeStyle(fosRoundRectangle);
    S.Shape.SetTransparency(C.Transparency);
    S.Shape.DrawRectRotated(TRect(10, 10, 60, 40), 0, 0);
    EXPECT_EQ(S.At(35, 42) != clWhite, C.ShadowDrawn) << C.Transparency;
  }
}

TEST(PlotShape, RotatedCornersAndSizes) {
  // At 90 degrees the top-left corner goes to the bottom-left of the centre.
  const TFourPoints P = PlotProcs::RotatedCorners(TRect(0, 0, 20, 10), 90);
  EXPECT_EQ(P[0], TPoint(5, 15));
  EXPECT_EQ(P[1], TPoint(5, -5));
  const TFourPoints Same = PlotProcs::RotatedCorners(TRect(0, 0, 20, 10), 0);
  EXPECT_EQ(Same[2], TPoint(20, 10));
  TPlotShape Shape;
  Shape.PlacedRect = TRect(5, 5, 5, 5);
  Shape.SetWidth(10);
  EXPECT_EQ(Shape.PlacedRect.Right, 14);
  EXPECT_EQ(Shape.GetWidth(), 10);
}

TEST(PlotShape, LegacyShadowPropertiesAndAssign) {
  for (const char* Text : {"clRed", "255"}) {
    TPlotShape Shape;
    Shape.ReadShadowColor(Text);
    EXPECT_EQ(Shape.Shadow()->GetColor(), clRed) << Text;
  }
  TPlotShape A, B;
  A.ReadShadowSize(7);
  EXPECT_EQ(A.Shadow()->GetHorizSize(), 7);
  EXPECT_EQ(A.Shadow()->GetVertSize(), 7);
  A.SetShadow(nullptr);
  EXPECT_EQ(A.Shadow(), nullptr);
  A.SetColor(clBlue);
  A.SetVisible(false);
  B.Assign(&A);
  EXPECT_EQ(B.GetColor(), clBlue);
  EXPECT_FALSE(B.GetVisible());
  EXPECT_EQ(B.Shadow(), nullptr);
}

TEST(PlotShape, ChangesRepaintTheParentOnce) {
  TCustomPlotPanel Panel;
  int Repaints = 0;
  Panel.OnInvalidateWindow = [&] { ++Repaints; };
  TPlotShape Shape(&Panel);
  Shape.SetBevel(bvLowered);
  Shape.SetBevel(bvLowered);
  Shape.SetColor(clRed);
  Shape.SetColor(clRed);
  EXPECT_EQ(Repaints, 2);
  Shape.Font()->SetSize(20);
  EXPECT_GT(Repaints, 2);
}

}  // namespace

namespace {

// Older stored charts: legacy properties are read through the property tables
// and never written.
TEST(PlotLegacyProperties, AreReadButNotStored) {
  TPlotShape Shape;
  const TPropInfo* Color = Shape.ClassType()->FindProperty("ShadowColor");
  ASSERT_NE(Color, nullptr);
  Color->SetText(&Shape, "clRed");
  EXPECT_EQ(Shape.Shadow()->GetColor(), clRed);
  EXPECT_FALSE(Color->IsStored(&Shape));
  Shape.ClassType()->FindProperty("ShadowSize")->SetText(&Shape, "5");
  EXPECT_EQ(Shape.Shadow()->GetVertSize(), 5);

  TCustomPlotPanelExtended Panel;
  Panel.ClassType()->FindProperty("BorderStyle")->SetText(&Panel, "bsSingle");
  EXPECT_TRUE(Panel.Border()->GetVisible());
  Panel.ClassType()->FindProperty("AllowZoom")->SetText(&Panel, "False");
  EXPECT_FALSE(Panel.Zoom().Allow);
  const TPropInfo* Margins = Panel.ClassType()->FindProperty("PrintMargins");
  EXPECT_FALSE(Margins->IsStored(&Panel));
  Margins->SetText(&Panel, "(10 20 30 40)");
  EXPECT_EQ(Panel.PrintMargins, TRect(10, 20, 30, 40));
  EXPECT_TRUE(Margins->IsStored(&Panel));
  EXPECT_THROW(Margins->SetText(&Panel, "1 2 x 4"), EConvertError);
  EXPECT_EQ(Panel.PrintMargins, TRect(10, 20, 30, 40));
}

}  // namespace

}  // namespace PlotProcsShapeTests
