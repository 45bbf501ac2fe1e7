// Point symbols and callouts drawn into bitmaps through the drawing interface.
#include <functional>
#include <memory>
#include <set>

#include "chart/engine/PlotConst.h"
#include "chart/engine/PlotEngine_Pointer.h"
#include "chart/engine/PlotEngine_Series.h"
#include "chart/engine/tests/CanvasFixture.h"

namespace PointerTests {

namespace {

using S = TSeriesPointerStyle;

class PointerTest : public CanvasFixture {
protected:
  void SetUp() override {
    PlotConst::Initialize();
    CanvasFixture::SetUp();
    Pointer.Pen()->SetColor(clBlack);
    Pointer.Brush()->SetColor(clRed);
  }

  // Draws the pointer's symbol of Style at (X, Y) the way a series does.
  void DrawSymbol(S Style, int32_t X = 10, int32_t Y = 10, TColor Color = clGreen) {
    Pointer.PrepareCanvas(*Canvas, Color);
    Pointer.DrawPointer(*Canvas, false, X, Y, Pointer.GetHorizSize(), Pointer.GetVertSize(), Color, Style);
  }

  // The picture so far; the fixture starts a new white bitmap.
  std::unique_ptr<TBitmap> TakePicture() {
    auto picture = std::move(Bitmap);
    Reset();
    return picture;
  }

  // The canvas set up with the pointer's black pen and red fill.
  void UsePointerColours() {
    Canvas->Pen->SetColor(clBlack);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->Brush->SetColor(clRed);
    Canvas->Brush->SetStyle(bsSolid);
  }

  TSeriesPointer Pointer;
};

struct StyleCase {
  S Style;
  const char* Name;
  // The same symbol drawn with plain canvas calls, centred on (10, 10), half size 4.
  std::function<void(TCanvas3D&)> Expected;
};

const StyleCase kStyles[] = {
    {S::psRectangle, "Rectangle", [](TCanvas3D& c) { c.Rectangle(6, 6, 15, 15); }},
    {S::psCircle, "Circle", [](TCanvas3D& c) { c.Ellipse(6, 6, 14, 14); }},
    {S::psTriangle, "Triangle",
     [](TCanvas3D& c) {
       const TPoint p[] = {{6, 14}, {14, 14}, {10, 6}};
       c.Polygon(p);
     }},
    {S::psDownTriangle, "DownTriangle",
     [](TCanvas3D& c) {
       const TPoint p[] = {{6, 6}, {14, 6}, {10, 14}};
       c.Polygon(p);
     }},
    {S::psCross, "Cross",
     [](TCanvas3D& c) {
       c.MoveTo(10, 6);
       c.LineTo(10, 15);
       c.MoveTo(6, 10);
       c.LineTo(15, 10);
     }},
    {S::psDiagCross, "DiagCross",
     [](TCanvas3D& c) {
       c.MoveTo(6, 6);
       c.LineTo(15, 15);
       c.MoveTo(14, 6);
       c.LineTo(5, 15);
     }},
    {S::psStar, "Star",
     [](TCanvas3D& c) {
       c.MoveTo(10, 6);
       c.LineTo(10, 15);
       c.MoveTo(6, 10);
       c.LineTo(15, 10);
       c.MoveTo(6, 6);
       c.LineTo(15, 15);
       c.MoveTo(14, 6);
       c.LineTo(5, 15);
     }},
    {S::psDiamond, "Diamond",
     [](TCanvas3D& c) {
       const TPoint p[] = {{6, 10}, {10, 6}, {14, 10}, {10, 14}};
       c.Polygon(p);
     }},
    {S::psSmallDot, "SmallDot", [](TCanvas3D& c) { c.SetPixel(10, 10, clRed); }},
    {S::psNothing, "Nothing", [](TCanvas3D&) {}},
    {S::psLeftTriangle, "LeftTriangle",
     [](TCanvas3D& c) {
       const TPoint p[] = {{6, 10}, {14, 14}, {14, 6}};
       c.Polygon(p);
     }},
    {S::psRightTriangle, "RightTriangle",
     [](TCanvas3D& c) {
       const TPoint p[] = {{14, 10}, {6, 14}, {6, 6}};
       c.Polygon(p);
     }},
};

TEST_F(PointerTest, EveryStyleDrawsTheSamePictureAsItsPlainCanvasCalls) {
  for (const StyleCase& c : kStyles) {
    SCOPED_TRACE(c.Name);
    Reset();
    DrawSymbol(c.Style);
    auto symbol = TakePicture();
    UsePointerColours();
    c.Expected(*Canvas);
    EXPECT_TRUE(SamePixels(*symbol, *Bitmap));
  }
}

TEST_F(PointerTest, SymbolGeometryAtTheDefaultSize) {
  DrawSymbol(S::psRectangle);
  EXPECT_EQ(InkBounds(), TRect(6, 6, 15, 15));
  EXPECT_EQ(Px(10, 10), clRed);
  EXPECT_EQ(Px(6, 6), clBlack);

  Reset();
  DrawSymbol(S::psTriangle);
  ASSERT_EQ(Canvas->Polys.size(), 1u);
  EXPECT_EQ(Canvas->Polys[0], (std::vector<TPoint>{{6, 14}, {14, 14}, {10, 6}}));
  Canvas->ClearRecord();
  DrawSymbol(S::psDownTriangle);
  ASSERT_EQ(Canvas->Polys.size(), 1u);
  EXPECT_EQ(Canvas->Polys[0], (std::vector<TPoint>{{6, 6}, {14, 6}, {10, 14}}));

  Reset();
  DrawSymbol(S::psSmallDot);
  EXPECT_EQ(CountNot(clWhite), 1);
  EXPECT_EQ(Px(10, 10), clRed);
}

TEST_F(PointerTest, PerPointSizesWidenTheSymbol) {
  Pointer.PrepareCanvas(*Canvas, clGreen);
  Pointer.DrawPointer(*Canvas, false, 50, 50, 10, 3, clGreen, S::psRectangle);
  EXPECT_EQ(InkBounds(), TRect(40, 47, 61, 54));
}

TEST_F(PointerTest, PrepareCanvasChoosesFillAndPenColours) {
  struct Case {
    TColor BrushColor;
    TBrushStyle BrushStyle;
    TColor Expected;
  };
  const Case cases[] = {
      {clDefault, bsSolid, clGreen},  // follows the point
      {clDefault, bsCross, clBlack},  // a hatch is black
      {clRed, bsSolid, clRed},
      {clRed, bsCross, clRed},
  };
  for (const Case& c : cases) {
    Pointer.Brush()->SetColor(c.BrushColor);
    Pointer.Brush()->SetStyle(c.BrushStyle);
    Pointer.PrepareCanvas(*Canvas, clGreen);
    EXPECT_EQ(Canvas->Brush->GetColor(), c.Expected) << c.BrushColor << " " << int(c.BrushStyle);
  }

  Pointer.Brush()->SetColor(clDefault);
  Pointer.Brush()->SetStyle(bsSolid);
  Pointer.Pen()->SetColor(clDefault);
  Reset();
  DrawSymbol(S::psRectangle, 10, 10, clBlue);
  EXPECT_EQ(Px(6, 6), clBlue);    // pen takes the point colour
  EXPECT_EQ(Px(10, 10), clBlue);  // and so does the fill

  Pointer.Pen()->SetVisible(false);
  Pointer.PrepareCanvas(*Canvas, clGreen);
  EXPECT_EQ(Canvas->Pen->GetStyle(), psClear);
}

TEST_F(PointerTest, GradientFillsInsideTheSymbolWithThePointColourAtItsEnd) {
  Pointer.SetHorizSize(10);
  Pointer.SetVertSize(10);
  Pointer.Gradient()->SetStartColor(clWhite);
  Pointer.Gradient()->SetDirection(gdLeftRight);
  for (S style : {S::psRectangle, S::psCircle, S::psDiamond, S::psLeftTriangle, S::psTriangle}) {
    SCOPED_TRACE(int(style));
    Reset();
    Pointer.Gradient()->SetVisible(false);
    DrawSymbol(style, 50, 50, clBlue);
    const TRect flat = InkBounds();
    Reset();
    Pointer.Gradient()->SetVisible(true);
    DrawSymbol(style, 50, 50, clBlue);
    EXPECT_EQ(Pointer.Gradient()->GetEndColor(), clBlue);
    EXPECT_EQ(InkBounds(), flat);  // the fill stays inside the symbol
    std::set<TColor> across;
    for (int x = 44; x <= 56; ++x) across.insert(Px(x, 50));
    EXPECT_GT(across.size(), 3u) << "no gradient across the symbol";
  }
}

TEST_F(PointerTest, KeptGradientEndIsNotReplacedByThePointColour) {
  Pointer.Gradient()->SetVisible(true);
  Pointer.Gradient()->SetEndColor(clYellow);
  Pointer.SetKeepGradientEnd(true);
  DrawSymbol(S::psRectangle, 10, 10, clBlue);
  EXPECT_EQ(Pointer.Gradient()->GetEndColor(), clYellow);
}

TEST_F(PointerTest, LineStylesAndNothingIgnoreGradientAndTransparency) {
  for (S style : {S::psCross, S::psDiagCross, S::psStar, S::psNothing}) {
    SCOPED_TRACE(int(style));
    Reset();
    Pointer.Gradient()->SetVisible(false);
    DrawSymbol(style);
    auto plain = TakePicture();
    Pointer.Gradient()->SetVisible(true);
    DrawSymbol(style);
    EXPECT_TRUE(SamePixels(*plain, *Bitmap));
  }
  Reset();
  Pointer.SetTransparency(50);
  DrawSymbol(S::psNothing);
  EXPECT_EQ(CountNot(clWhite), 0);
}

TEST_F(PointerTest, TransparencyMixesTheSymbolWithTheBackground) {
  Pointer.SetTransparency(50);
  DrawSymbol(S::psRectangle);
  const TColor mixed = Px(10, 10);
  EXPECT_NE(mixed, clRed);
  EXPECT_NE(mixed, clWhite);
  EXPECT_EQ(Px(30, 30), clWhite);
  EXPECT_EQ(InkBounds(), TRect(6, 6, 15, 15));
}

TEST_F(PointerTest, MarginsGrowOnlyForAVisibleInflatingPointer) {
  struct Case {
    bool Visible, Inflate;
    int32_t Start, Expected;
  };
  const Case cases[] = {
      {true, true, 0, 5}, {true, true, 9, 9}, {false, true, 0, 0}, {true, false, 0, 0}, {false, false, 2, 2},
  };
  for (const Case& c : cases) {
    Pointer.SetVisible(c.Visible);
    Pointer.SetInflateMargins(c.Inflate);
    int32_t l = c.Start, r = c.Start, t = c.Start, b = c.Start;
    Pointer.CalcHorizMargins(l, r);
    Pointer.SetVertSize(6);
    Pointer.CalcVerticalMargins(t, b);
    Pointer.SetVertSize(4);
    EXPECT_EQ(l, c.Expected);
    EXPECT_EQ(r, c.Expected);
    const int32_t vert = c.Visible && c.Inflate ? std::max(c.Start, 7) : c.Start;
    EXPECT_EQ(t, vert);
    EXPECT_EQ(b, vert);
  }
}

TEST_F(PointerTest, SizesBelowOneAreRefusedButPutSizesAreNot) {
  for (int32_t bad : {0, -3}) {
    try {
      Pointer.SetHorizSize(bad);
      ADD_FAILURE() << "no exception for " << bad;
    } catch (const ChartException& e) {
      EXPECT_EQ(std::string(e.what()), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(Pointer.SetVertSize(bad), ChartException);
  }
  EXPECT_EQ(Pointer.GetHorizSize(), 4);
  EXPECT_EQ(Pointer.GetVertSize(), 4);
  Pointer.PutHorizSize(0);
  Pointer.PutVertSize(7);
  EXPECT_EQ(Pointer.GetHorizSize(), 0);
  EXPECT_EQ(Pointer.GetVertSize(), 7);
}

TEST_F(PointerTest, AssignCopiesTheLookOfAPointerAndACallout) {
  Pointer.SetStyle(S::psDiamond);
  Pointer.SetHorizSize(7);
  Pointer.SetVertSize(2);
  Pointer.SetDark3D(false);
  Pointer.SetDraw3D(false);
  Pointer.SetInflateMargins(false);
  Pointer.SetTransparency(30);
  Pointer.Gradient()->SetVisible(true);
  Pointer.Gradient()->SetStartColor(clAqua);
  TSeriesPointer copy;
  copy.Assign(&Pointer);
  EXPECT_EQ(copy.GetStyle(), S::psDiamond);
  EXPECT_EQ(copy.GetHorizSize(), 7);
  EXPECT_EQ(copy.GetVertSize(), 2);
  EXPECT_FALSE(copy.GetDark3D());
  EXPECT_FALSE(copy.GetDraw3D());
  EXPECT_FALSE(copy.GetInflateMargins());
  EXPECT_EQ(copy.GetTransparency(), 30);
  EXPECT_TRUE(copy.Gradient()->GetVisible());
  EXPECT_EQ(copy.Gradient()->GetStartColor(), clAqua);
  EXPECT_EQ(copy.GetColor(), clRed);

  TCallout a, b;
  a.SetArrowHead(ahSolid);
  a.SetArrowHeadSize(12);
  a.SetDistance(5);
  a.Arrow()->SetColor(clBlue);
  a.SetStyle(S::psCircle);
  b.Assign(&a);
  EXPECT_EQ(b.GetArrowHead(), ahSolid);
  EXPECT_EQ(b.GetArrowHeadSize(), 12);
  EXPECT_EQ(b.GetDistance(), 5);
  EXPECT_EQ(b.Arrow()->GetColor(), clBlue);
  EXPECT_EQ(b.GetStyle(), S::psCircle);
}

TEST(CalloutDefaults, DifferFromThePointer) {
  TCallout c;
  EXPECT_FALSE(c.GetDraw3D());
  EXPECT_TRUE(c.GetKeepGradientEnd());
  EXPECT_TRUE(c.GetVisible());
  EXPECT_TRUE(c.GetInflateMargins());
  EXPECT_EQ(c.GetColor(), clBlack);
  EXPECT_EQ(c.GetArrowHeadSize(), 8);
  EXPECT_EQ(c.GetArrowHead(), ahNone);
  TSeriesPointer p;
  EXPECT_TRUE(p.GetDraw3D());
  EXPECT_FALSE(p.GetKeepGradientEnd());
}

// A series that only lends the pointer its depth and colouring.
class TDepthSeries : public TChartSeries {
public:
  using TChartSeries::TChartSeries;
  void DrawPoint(int32_t) override {}
};

class Pointer3DTest : public CanvasFixture {
protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    Series = Create<TDepthSeries>(nullptr);
    Series->StartZ = 0;
    Series->MiddleZ = 10;
    Series->EndZ = 20;
    Pointer = std::make_unique<TSeriesPointer>(Series);
    Pointer->Pen()->SetVisible(false);
    Pointer->Brush()->SetColor(clRed);
    Options.SetOrthoAngle(45);
    View3D(Options, 20);
  }
  void TearDown() override {
    Pointer.reset();
    FreeObject(Series);
    CanvasFixture::TearDown();
  }
  void DrawCube() {
    Pointer->PrepareCanvas(*Canvas, clGreen);
    Pointer->DrawPointer(*Canvas, true, 50, 50, 10, 10, clGreen, S::psRectangle);
  }
  int CountColor(TColor Color) const {
    return Bitmap->GetWidth() * Bitmap->GetHeight() - CountNot(Color);
  }

  TView3DOptions Options;
  TDepthSeries* Series = nullptr;
  std::unique_ptr<TSeriesPointer> Pointer;
};

TEST_F(Pointer3DTest, Draw3DMakesACubeWithDarkerSidesOtherwiseAFlatFace) {
  DrawCube();
  EXPECT_GT(CountColor(DarkerColor(clRed, 128)), 0);
  const TRect cube = InkBounds();

  Reset();
  View3D(Options, 20);
  Pointer->SetDraw3D(false);
  DrawCube();
  EXPECT_EQ(CountColor(DarkerColor(clRed, 128)), 0);
  EXPECT_EQ(InkBounds(), TRect(40, 40, 61, 61));  // the front face only, at depth 0
  EXPECT_GT(cube.Right - cube.Left, InkBounds().Right - InkBounds().Left);
}

TEST_F(Pointer3DTest, TransparencyCoversTheCubesDepth) {
  Pointer->SetDark3D(false);
  DrawCube();
  const int solidRed = CountColor(clRed);
  ASSERT_GT(solidRed, 0);

  Reset();
  View3D(Options, 20);
  Pointer->SetTransparency(50);
  DrawCube();
  // Every face, the sides drawn in the depth strip included, is mixed.
  EXPECT_EQ(CountColor(clRed), 0);
  EXPECT_EQ(CountNot(clWhite), solidRed);
}

TEST_F(Pointer3DTest, GradientOnARotatedCubeStaysOnItsFrontFace) {
  Options.SetOrthogonal(false);
  Options.SetRotation(330);
  Options.SetElevation(340);
  Pointer->SetDraw3D(false);
  Reset();
  View3D(Options, 20);
  DrawCube();
  const TRect face = InkBounds();
  const int faceInk = CountNot(clWhite);

  Reset();
  View3D(Options, 20);
  Pointer->Gradient()->SetVisible(true);
  Pointer->Gradient()->SetStartColor(clWhite);
  DrawCube();
  EXPECT_EQ(InkBounds(), face);
  EXPECT_LE(CountNot(clWhite), faceInk);
  EXPECT_LT(CountColor(clRed), faceInk / 2) << "the gradient did not cover the face";
}

TEST_F(Pointer3DTest, ColourEachPointFillsWithThePointColour) {
  Pointer->PrepareCanvas(*Canvas, clGreen);
  EXPECT_EQ(Canvas->Brush->GetColor(), clRed);
  Series->SetColorEachPoint(true);
  Pointer->PrepareCanvas(*Canvas, clGreen);
  EXPECT_EQ(Canvas->Brush->GetColor(), clGreen);
}

TEST_F(Pointer3DTest, PointerForgetsAFreedSeriesAndDrawsNothingWithoutAChart) {
  Pointer->DrawAt(50, 50);
  EXPECT_EQ(CountNot(clWhite), 0);
  FreeAndNil(Series);
  EXPECT_EQ(Pointer->ParentSeries(), nullptr);
  Pointer->DrawAt(50, 50);
  EXPECT_EQ(CountNot(clWhite), 0);
}

class CalloutTest : public CanvasFixture {
protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    Callout.Arrow()->SetColor(clBlue);
  }
  void DrawCallout() { Callout.Draw(*Canvas, false, clGreen, Tip, Tail, 0); }

  TCallout Callout;
  const TPoint Tail{10, 50}, Tip{80, 50};
};

TEST_F(CalloutTest, WithoutHeadDrawsTheLineAndTheSymbolAtTheTip) {
  DrawCallout();
  EXPECT_EQ(Px(30, 50), clBlue);                       // the line in the arrow pen, not the point colour
  EXPECT_EQ(InkBounds(), TRect(10, 46, 85, 55));      // the symbol box around the tip ends the ink
  EXPECT_EQ(Px(84, 54), clBlack);

  Reset();
  Callout.Arrow()->SetVisible(false);
  DrawCallout();
  EXPECT_EQ(InkBounds(), TRect(76, 46, 85, 55));
}

TEST_F(CalloutTest, HeadsReplaceTheSymbol) {
  Callout.SetArrowHead(ahSolid);
  DrawCallout();
  EXPECT_EQ(Px(84, 54), clWhite);  // no symbol
  EXPECT_NE(Px(30, 50), clWhite);  // the shaft
  const int solid = CountNot(clWhite);

  Reset();
  Callout.SetArrowHead(ahLine);
  DrawCallout();
  EXPECT_EQ(Px(84, 54), clWhite);
  EXPECT_GT(solid, CountNot(clWhite)) << "the solid head is filled, the line head only outlined";
  EXPECT_LE(InkBounds().Right, 82);
}

}  // namespace

}  // namespace PointerTests
