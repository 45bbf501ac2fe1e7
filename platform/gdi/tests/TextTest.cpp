// Fonts, text output, alignment, rotation and the Symbol face.

#include "TestPicture.h"

namespace TextTest {

namespace {

class TextTest : public PictureTest {
protected:
  void SetUp() override {
    Reset(160, 160);
    c->Font->SetName("Arial");
    c->Font->SetHeight(-16);
    c->Font->SetColor(clBlack);
  }
};

TEST_F(TextTest, FacesAreReplacedByMetricCompatibleOnes) {
  const struct {
    const char* Face;
    const char* Installed;
  } cases[] = {{"Arial", "Liberation Sans"},         {"MS Sans Serif", "Liberation Sans"},
               {"Tahoma", "Liberation Sans"},        {"Small Fonts", "Liberation Sans"},
               {"Courier New", "Liberation Mono"},   {"Times New Roman", "Liberation Serif"},
               {"Symbol", "Liberation Serif"},       {"No Such Face 123", "Liberation Sans"}};
  for (const auto& k : cases) {
    c->Font->SetName(k.Face);
    EXPECT_EQ(c->GetHandle()->GetTextFace(), k.Installed) << k.Face;
  }
  // A monospaced face gives narrow and wide letters one width.
  c->Font->SetName("Courier New");
  EXPECT_EQ(c->TextWidth("iiii"), c->TextWidth("WWWW"));
}

TEST_F(TextTest, NegativeHeightIsTheCharacterHeightInPixels) {
  const TTextMetric m = c->GetHandle()->GetTextMetrics();
  // The cell is the character height plus the internal leading.
  EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent);
  EXPECT_EQ(m.tmHeight - m.tmInternalLeading, 16);
  EXPECT_EQ(c->TextHeight("Xg"), m.tmHeight);
  // Size in points at 96 dpi.
  c->Font->SetSize(12);
  EXPECT_EQ(c->Font->GetHeight(), -16);
  // A positive height is the cell height.
  c->Font->SetHeight(20);
  EXPECT_NEAR(c->GetHandle()->GetTextMetrics().tmHeight, 20, 1);
}

TEST_F(TextTest, TextIsDrawnWithoutAntialiasing) {
  c->Brush->SetStyle(bsClear);
  c->TextOut(5, 5, "Antialiasing W");
  int other = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 160; ++x) other += At(x, y) != clBlack && At(x, y) != clWhite;
  EXPECT_EQ(other, 0);
  EXPECT_GT(Count(clBlack), 20);
}

TEST_F(TextTest, SolidBrushMakesTheTextBackgroundOpaqueInItsColour) {
  c->Brush->SetColor(clYellow);
  c->TextOut(10, 10, "Hello");
  const TSize ext = c->TextExtent("Hello");
  // The whole text cell is painted: background in the brush colour, glyphs in the font colour.
  EXPECT_EQ(Bounds(), Rect(10, 10, 10 + ext.cx, 10 + ext.cy));
  EXPECT_GT(Count(clYellow), 0);
  // Any other brush style leaves the background alone.
  Reset(160, 160);
  c->Brush->SetColor(clRed);
  c->FillRect(Rect(0, 0, 160, 160));
  c->Brush->SetStyle(bsClear);
  c->TextOut(10, 10, "Hello");
  EXPECT_EQ(Count(clYellow), 0);
  EXPECT_GT(Count(clBlack), 0);
  EXPECT_EQ(Count(clRed) + Count(clBlack), 160 * 160);
}

TEST_F(TextTest, TextOutMovesThePenToTheEndOfTheText) {
  c->TextOut(10, 20, "abc");
  EXPECT_EQ(c->GetPenPos(), Point(10 + c->TextWidth("abc"), 20));
}

TEST_F(TextTest, AlignmentPlacesTheCellAroundTheReferencePoint) {
  TDeviceContext* d = c->GetHandle();
  const TSize ext = d->GetTextExtentPoint(std::string("Wide text"));
  const TTextMetric m = d->GetTextMetrics();
  const struct {
    uint32_t Align;
    TRect Cell;
  } cases[] = {
      {TA_LEFT | TA_TOP, {80, 80, 80 + ext.cx, 80 + ext.cy}},
      {TA_RIGHT | TA_TOP, {80 - ext.cx, 80, 80, 80 + ext.cy}},
      {TA_CENTER | TA_BOTTOM, {80 - ext.cx / 2, 80 - ext.cy, 80 - ext.cx / 2 + ext.cx, 80}},
      {TA_LEFT | TA_BASELINE, {80, 80 - m.tmAscent, 80 + ext.cx, 80 - m.tmAscent + ext.cy}},
  };
  for (const auto& k : cases) {
    SetUp();
    c->Brush->SetColor(clYellow);
    d = c->GetHandle();
    d->SetTextAlign(k.Align);
    d->TextOut(80, 80, std::string("Wide text"));
    EXPECT_EQ(Bounds(), k.Cell) << "align " << k.Align;
  }
}

TEST_F(TextTest, RotatedTextRunsUpwardsAtNinetyDegrees) {
  c->Brush->SetStyle(bsClear);
  c->TextOut(20, 20, "Rotated text");
  const TRect flat = Bounds();
  SetUp();
  c->Font->SetOrientation(900);
  c->Brush->SetStyle(bsClear);
  c->TextOut(40, 140, "Rotated text");
  const TRect up = Bounds();
  // Turned by a quarter: width and height change places, and the text lies above the point.
  EXPECT_NEAR(up.Height(), flat.Width(), 2);
  EXPECT_NEAR(up.Width(), flat.Height(), 2);
  EXPECT_LE(up.Bottom, 141);
  EXPECT_GE(up.Left, 40);
  // Escapement beyond 360 degrees wraps around.
  SetUp();
  c->Font->SetOrientation(900 + 3600);
  c->Brush->SetStyle(bsClear);
  c->TextOut(40, 140, "Rotated text");
  EXPECT_EQ(Bounds(), up);
}

TEST_F(TextTest, SymbolFaceDrawsGreekLetters) {
  c->Brush->SetStyle(bsClear);
  c->Font->SetName("Symbol");
  c->TextOut(10, 10, "rhsc");
  const auto symbol = Snapshot();
  SetUp();
  c->Font->SetName("Times New Roman");
  c->Brush->SetStyle(bsClear);
  c->TextOut(10, 10, "ρησχ");
  EXPECT_EQ(Snapshot(), symbol);
  EXPECT_NE(Count(clBlack), 0);
}

TEST_F(TextTest, ClippedExtTextOutStaysInItsRectangle) {
  const TRect r(10, 10, 30, 20);
  c->Brush->SetColor(clYellow);
  c->TextRect(r, 12, 8, "Clipped long text");
  EXPECT_EQ(Bounds(), r);
}

TEST_F(TextTest, DrawTextWrapsAlignsAndMeasures) {
  TDeviceContext* d = c->GetHandle();
  const int lineH = d->GetTextMetrics().tmHeight;
  TRect calc(0, 0, 60, 0);
  const int h = d->DrawText("one two three four", calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GT(h, lineH);  // wrapped onto several lines
  EXPECT_EQ(h % lineH, 0);
  EXPECT_LE(calc.Right, 60);
  EXPECT_EQ(calc.Bottom, h);
  // Centred single line in a box.
  c->Brush->SetColor(clYellow);
  d = c->GetHandle();
  TRect box(0, 0, 160, 40);
  d->DrawText("Mid", box, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  const TSize ext = d->GetTextExtentPoint(std::string("Mid"));
  EXPECT_EQ(Bounds(), Rect((160 - ext.cx) / 2, (40 - lineH) / 2, (160 - ext.cx) / 2 + ext.cx, (40 - lineH) / 2 + lineH));
  // An ellipsis keeps the text inside the box.
  TRect narrow(0, 0, 40, 20);
  d->DrawText("A very long caption", narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_LE(narrow.Right, 40);
}

}  // namespace

}  // namespace TextTest
