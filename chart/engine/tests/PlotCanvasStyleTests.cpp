#include "CanvasFixture.h"

namespace PlotCanvasStyleTests {

namespace {

class ShadowTest : public CanvasFixture {
protected:
  TPlotShadow Shadow;
  const TRect Box{20, 20, 60, 50};
};

TEST_F(ShadowTest, NothingForZeroSizeOrNoColour) {
  Shadow.SetSize(0);
  Shadow.DrawRect(*Canvas, Box);
  Shadow.SetSize(4);
  Shadow.SetColor(clNone);
  Shadow.DrawRect(*Canvas, Box);
  EXPECT_EQ(CountNot(clWhite), 0);
}

TEST_F(ShadowTest, FlatAndThreeDimensionalStripsGiveTheSamePicture) {
  Shadow.SetColor(clGray);
  Shadow.SetSmooth(false);
  Shadow.SetHorizSize(4);
  Shadow.SetVertSize(3);
  Canvas->DisableRotation();
  Shadow.DrawRect(*Canvas, Box);
  Canvas->EnableRotation();
  TBitmap flat;
  flat.Assign(*Bitmap);
  EXPECT_EQ(Px(40, 50), clGray);  // below the box
  EXPECT_EQ(Px(40, 52), clGray);
  EXPECT_EQ(Px(40, 53), clWhite);
  EXPECT_EQ(Px(63, 30), clGray);  // right of the box
  EXPECT_EQ(Px(64, 30), clWhite);
  EXPECT_EQ(Px(40, 40), clWhite);  // the box itself is not painted
  Clear(clWhite);
  Shadow.DrawRect(*Canvas, Box);
  EXPECT_TRUE(SamePixels(flat, *Bitmap));
}

TEST_F(ShadowTest, SmoothShadowFadesTowardsWhite) {
  Shadow.SetColor(clBlack);
  Shadow.SetSize(5);
  Shadow.DrawRect(*Canvas, Box);
  int previous = -1;
  for (int y = 50; y < 55; ++y) {
    const int level = GetRValue(Px(30, y));
    EXPECT_GT(level, previous) << y;
    previous = level;
  }
  EXPECT_EQ(Px(30, 50), clBlack);
  EXPECT_EQ(Px(30, 55), clWhite);
  // Size 1 is drawn as a solid strip.
  Clear(clWhite);
  Shadow.SetSize(1);
  Shadow.DrawRect(*Canvas, Box);
  EXPECT_EQ(Px(30, 50), clBlack);
  EXPECT_EQ(Px(30, 51), clWhite);
}

TEST_F(ShadowTest, TransparencyBlendsWithTheBackground) {
  const bool saved = PlotCanvas::AlphaBlendAvailable;
  for (bool alpha : {true, false}) {
    PlotCanvas::AlphaBlendAvailable = alpha;
    struct Case {
      int32_t Transparency;
      int Low, High;  // red level of a pure red shadow on white
    } cases[] = {{0, 0, 0}, {50, 120, 135}, {100, 254, 255}};
    for (const Case& c : cases) {
      Clear(clWhite);
      Shadow.SetColor(clBlue);
      Shadow.SetSmooth(false);
      Shadow.SetSize(4);
      Shadow.SetTransparency(c.Transparency);
      Shadow.DrawRect(*Canvas, Box);
      const int red = GetRValue(Px(40, 51));
      EXPECT_GE(red, c.Low) << c.Transparency << (alpha ? " alpha" : " per pixel");
      EXPECT_LE(red, c.High) << c.Transparency << (alpha ? " alpha" : " per pixel");
      EXPECT_EQ(GetBValue(Px(40, 51)), 255);
    }
  }
  PlotCanvas::AlphaBlendAvailable = saved;
}

TEST_F(ShadowTest, EllipseShadow) {
  Shadow.SetColor(clBlack);
  Shadow.SetSize(5);
  Shadow.SetSmooth(false);
  Shadow.DrawEllipse(*Canvas, Box);
  EXPECT_EQ(Px(45, 40), clBlack);
  EXPECT_EQ(Px(21, 21), clWhite);
  Clear(clWhite);
  Shadow.SetSmooth(true);
  Shadow.DrawEllipse(*Canvas, Box);
  EXPECT_LT(GetRValue(Px(45, 40)), GetRValue(Px(27, 40)));  // darker at the centre
}

class TextTest : public CanvasFixture {
protected:
  void SetUp() override {
    CanvasFixture::SetUp();
    Font.SetSize(14);
    Font.SetColor(clBlack);
  }
  TPlotFont Font;
};

TEST_F(TextTest, ShadowOffsetsForNegativeAndPositiveSizes) {
  Font.GetShadow()->SetColor(clRed);
  Font.GetShadow()->SetHorizSize(-2);
  Font.GetShadow()->SetVertSize(3);
  Canvas->UseFont(Font);
  Canvas->TextOut(20, 20, "Wg");
  TBitmap withShadow;
  withShadow.Assign(*Bitmap);
  // The same picture drawn by hand: shadow at (X, Y + 3), text at (X + 2, Y).
  Clear(clWhite);
  TPlotFont plain;
  plain.SetSize(14);
  plain.SetColor(clRed);
  Canvas->UseFont(plain);
  Canvas->TextOut(20, 23, "Wg");
  plain.SetColor(clBlack);
  Canvas->UseFont(plain);
  Canvas->TextOut(22, 20, "Wg");
  EXPECT_TRUE(SamePixels(withShadow, *Bitmap));
  EXPECT_GT(CountNot(clWhite), 20);
}

TEST_F(TextTest, ShadowSizesCountInTheTextExtent) {
  Font.GetShadow()->SetHorizSize(-3);
  Font.GetShadow()->SetVertSize(2);
  Canvas->UseFont(Font);
  EXPECT_EQ(Canvas->TextWidth(""), 3);
  TPlotFont plain;
  plain.SetSize(14);
  Canvas->UseFont(plain);
  const int32_t h = Canvas->TextHeight("W");
  Canvas->UseFont(Font);
  EXPECT_EQ(Canvas->FontHeight(), h + 2);
}

TEST_F(TextTest, OutlineOnlyWhenTheFontHasNoColour) {
  Font.SetSize(40);
  Font.GetOutLine()->Show();
  Font.GetOutLine()->SetColor(clBlue);
  Font.SetColor(clRed);
  Canvas->UseFont(Font);
  Canvas->TextOut(10, 10, "O");
  int red = 0, blue = 0;
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      red += Px(x, y) == clRed;
      blue += Px(x, y) == clBlue;
    }
  EXPECT_GT(red, 0);
  EXPECT_GT(blue, 0);
  Clear(clWhite);
  Font.SetColor(clNone);
  Canvas->UseFont(Font);
  Canvas->TextOut(10, 10, "O");
  const TRect ink = InkBounds();
  EXPECT_EQ(Px((ink.Left + ink.Right) / 2, ink.Top + 2) == clBlue || Px((ink.Left + ink.Right) / 2, ink.Top) == clBlue,
            true);
  EXPECT_EQ(CountNot(clWhite), [&] {
    int n = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) n += Px(x, y) == clBlue;
    return n;
  }());
}

TEST_F(TextTest, GradientFillsOnlyTheGlyphs) {
  Font.SetSize(40);
  Font.GetGradient()->SetVisible(true);
  Font.GetGradient()->SetStartColor(clRed);
  Font.GetGradient()->SetEndColor(clRed);
  Canvas->UseFont(Font);
  Canvas->TextOut(10, 10, "I");
  const TRect ink = InkBounds();
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LT(ink.Right - ink.Left, Canvas->TextWidth("I"));
  EXPECT_EQ(Px((ink.Left + ink.Right) / 2, (ink.Top + ink.Bottom) / 2), clRed);
}

TEST_F(TextTest, RotatedTextReducesAnglesAboveAFullTurn) {
  Canvas->UseFont(Font);
  Canvas->RotatedText(50, 50, "Chart", 450);
  TBitmap turned;
  turned.Assign(*Bitmap);
  Clear(clWhite);
  Canvas->RotatedText(50, 50, "Chart", 90);
  EXPECT_TRUE(SamePixels(turned, *Bitmap));
  const TRect ink = InkBounds();
  EXPECT_GT(ink.Bottom - ink.Top, ink.Right - ink.Left);  // upright
}

TEST_F(TextTest, ZoomScalesTextsInThreeD) {
  TView3DOptions options;
  options.SetZoom(200);
  Canvas->UseFont(Font);
  Canvas->TextOut(10, 10, "W");
  const int32_t plainHeight = InkBounds().Bottom - InkBounds().Top;
  Clear(clWhite);
  View3D(options);
  Canvas->UseFont(Font);
  Canvas->TextOut3D(50, 50, 0, "W");
  const int32_t zoomedHeight = InkBounds().Bottom - InkBounds().Top;
  EXPECT_NEAR(zoomedHeight, 2 * plainHeight, 2);
}

TEST(StyleObjects, ChangesNotifyOnlyWhenTheValueChanges) {
  int calls = 0;
  auto count = [&](TObject*) { ++calls; };
  TChartPen pen(count);
  pen.SetVisible(true);
  pen.SetSmallSpace(0);
  pen.SetColor(clBlack);
  EXPECT_EQ(calls, 0);
  pen.SetSmallSpace(2);
  pen.Hide();
  EXPECT_EQ(calls, 2);
  TPlotShadow shadow(count);
  shadow.SetSmooth(true);
  shadow.SetSize(0);
  EXPECT_EQ(calls, 2);
  shadow.SetSize(3);
  EXPECT_EQ(shadow.GetSize(), 3);
  EXPECT_EQ(calls, 3);
  TPlotFont font(count);
  font.SetInterCharSize(0);
  EXPECT_EQ(calls, 3);
  font.GetShadow()->SetHorizSize(2);  // sub-objects report through the same handler
  EXPECT_EQ(calls, 4);
}

TEST(StyleObjects, AssignCopiesSubObjects) {
  TPlotFont a, b;
  a.GetOutLine()->Show();
  a.GetShadow()->SetHorizSize(5);
  a.SetInterCharSize(2);
  a.SetSize(20);
  b.Assign(&a);
  ASSERT_NE(b.PeekOutLine(), nullptr);
  EXPECT_TRUE(b.PeekOutLine()->GetVisible());
  EXPECT_EQ(b.PeekShadow()->GetHorizSize(), 5);
  EXPECT_EQ(b.GetInterCharSize(), 2);
  EXPECT_EQ(b.GetSize(), 20);
  EXPECT_EQ(b.PeekGradient(), nullptr);
  TPlotFont c;
  b.Assign(&c);
  EXPECT_EQ(b.PeekShadow(), nullptr);
  TChartBrush brush;
  EXPECT_EQ(brush.GetColor(), clDefault);
  TDottedGrayPen dotted;
  EXPECT_EQ(dotted.GetStyle(), psDot);
  EXPECT_FALSE(dotted.IsColorStored());
  TChartPen plain;
  plain.Assign(&dotted);
  EXPECT_TRUE(plain.IsColorStored());
}

TEST(StyleObjects, PublishedPropertiesAreStoredOnlyWhenNotDefault) {
  TChartHiddenPen hidden;
  const TPropInfo* visible = TChartHiddenPen::StaticClass()->FindProperty("Visible");
  ASSERT_NE(visible, nullptr);
  EXPECT_FALSE(visible->IsStored(&hidden));
  hidden.Show();
  EXPECT_TRUE(visible->IsStored(&hidden));
  TDottedGrayPen dotted;
  const TPropInfo* style = TDottedGrayPen::StaticClass()->FindProperty("Style");
  EXPECT_FALSE(style->IsStored(&dotted));
  dotted.SetStyle(psSolid);
  EXPECT_TRUE(style->IsStored(&dotted));
  TPlotGradient gradient;
  for (const TPropInfo* p : TPlotGradient::StaticClass()->Properties()) EXPECT_FALSE(p->IsStored(&gradient)) << p->Name;
  gradient.SetMidColor(clRed);
  EXPECT_TRUE(TPlotGradient::StaticClass()->FindProperty("MidColor")->IsStored(&gradient));
  TPlotFont font;
  EXPECT_FALSE(TPlotFont::StaticClass()->FindProperty("Name")->IsStored(&font));
  EXPECT_FALSE(TPlotFont::StaticClass()->FindProperty("Height")->IsStored(&font));
  font.SetSize(12);
  EXPECT_TRUE(TPlotFont::StaticClass()->FindProperty("Height")->IsStored(&font));
  TView3DOptions options;
  options.SetElevationFloat(300.4);
  EXPECT_EQ(TView3DOptions::StaticClass()->FindProperty("Elevation")->GetText(&options), "300");
}

TEST(StyleObjects, ViewOptions) {
  TView3DOptions options;
  options.SetOrthoAngle(135);
  const double t135 = options.OrthoTangent();
  options.SetOrthoAngle(45);
  EXPECT_DOUBLE_EQ(t135, options.OrthoTangent());
  options.SetOrthogonal(false);
  EXPECT_DOUBLE_EQ(options.OrthoTangent(), 1.0);
  options.SetElevationFloat(345.6);
  EXPECT_EQ(options.GetElevation(), 346);
  std::vector<std::string> events;
  options.ZoomNotify = [&](int32_t z) { events.push_back("zoom " + std::to_string(z) + " was " +
                                                         std::to_string(options.GetZoom())); };
  options.ScrollNotify = [&](bool h) { events.push_back(h ? "horiz" : "vert"); };
  options.SetZoom(150);
  options.SetHorizOffset(3);
  options.SetVertOffset(4);
  options.SetVertOffset(4);
  EXPECT_EQ(events, (std::vector<std::string>{"zoom 150 was 100", "horiz", "vert"}));
  TView3DOptions copy;
  copy.Assign(&options);
  EXPECT_EQ(copy.GetZoom(), 150);
  TPlotShadow other;
  copy.Assign(&other);  // ignored
  EXPECT_EQ(copy.GetZoom(), 150);
}

}  // namespace

}  // namespace PlotCanvasStyleTests
