#include "controls/abcbtn.h"
#include "controls/abcgreg.h"
#include "controls/abcwav.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/gdi/Icon.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/AppActivation.h"
#include "platform/ui/Sound.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace PicBtnTest {

using namespace ControlsTest;
using enum TabcButtonStyle;

namespace {

// Draws a frame recipe directly: tokens E(edge, sides), shrink "~", the 1-pixel
// frames "Fgs" (light grey, shadow) and "Fsg", bottom line "BL", corners reset "CR".
void DrawRecipe(TCanvas& C, TRect R, const std::string& Recipe, TColor Face) {
  const TRect client = R;
  std::istringstream in(Recipe);
  std::string t;
  auto frame = [&](TColor a, TColor b) {
    C.Pen->SetColor(a);
    C.MoveTo(R.Left, R.Bottom - 1);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right - 1, R.Top);
    C.Pen->SetColor(b);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Left, R.Bottom - 1);
    R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  };
  while (in >> t) {
    TDeviceContext& dc = *C.GetHandle();
    if (t == "~") R = TRect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    else if (t == "Fgs") frame(0xDEDEDE, clBtnShadow);
    else if (t == "Fsg") frame(clBtnShadow, 0xDEDEDE);
    else if (t == "BL") {
      C.Pen->SetColor(clBtnShadow);
      C.MoveTo(R.Left - 1, R.Bottom - 1);
      C.LineTo(R.Right, R.Bottom - 1);
      R.Bottom -= 1;
    } else if (t == "CR") {
      for (TPoint p : {TPoint(client.Left, client.Top), TPoint(client.Right - 1, client.Top),
                       TPoint(client.Left, client.Bottom - 1), TPoint(client.Right - 1, client.Bottom - 1)})
        C.SetPixel(p.X, p.Y, Face);
    } else {
      const std::string edge = t.substr(0, 2), sides = t.substr(2);
      const uint32_t e = edge == "SO" ? BDR_SUNKENOUTER : edge == "SI" ? BDR_SUNKENINNER : edge == "RO" ? BDR_RAISEDOUTER
                         : edge == "RI" ? BDR_RAISEDINNER : EDGE_SUNKEN;
      const uint32_t f = sides == "a" ? BF_RECT : sides == "s" ? BF_RECT | BF_SOFT : sides == "m" ? BF_RECT | BF_MONO
                         : sides == "f" ? BF_RECT | BF_FLAT : sides == "mf" ? BF_RECT | BF_MONO | BF_FLAT
                         : sides == "brs" ? BF_BOTTOM | BF_RIGHT | BF_SOFT : BF_TOP | BF_LEFT | BF_SOFT;
      dc.DrawEdge(R, e, f | BF_ADJUST);
    }
  }
}

struct TFrameCase {
  TabcButtonStyle Style;
  const char* Down;
  const char* Hot;
  const char* Rest;
};

// The frame table of the styles, not focused.
const TFrameCase kFrames[] = {
    {absNew, "SUs", "ROs RIbrs", "ROs RIbrs"},
    {absWin31, "ROmf CR SItls", "ROmf CR RIa RIa", "ROmf CR RIa RIa"},
    {absThin, "SOa", "RIa", "RIa"},
    {absThinBlack, "SOs", "ROs", "ROs"},
    {absThinGray, "Fsg", "Fgs", "Fgs"},
    {absThinHighlight, "SOs", "ROs", "RIa"},
    {absMidHighlight, "SOs Fsg", "ROs Fgs", "RIa"},
    {absThickHighlight, "SOs Fsg", "BL ROs Fgs", "RIa BL"},
    {absFramed, "SOa SOa", "SOa RIa", "SOa RIa"},
    {absRecessed, "SOa SOa", "SOa ~ RIa", "SOa ~ RIa"},
    {absFramedBlack, "SOs SOs", "SOs ROs", "SOs ROs"},
    {absRecessedBlack, "SOs SOs", "SOs ~ ROs", "SOs ~ ROs"},
    {absFramedRaised, "SOa SOa", "SOs ROs Fgs", "SOs ROs Fgs"},
    {absRecessedRaised, "SOa SOa", "SOs ~ ROs Fgs", "SOs ~ ROs Fgs"},
    {absFramedHighlight, "SOa SOa", "SOa RIa Fgs", "SOa RIa"},
    {absRecessedHighlight, "SOa SOa", "SOa ~ RIa Fgs", "SOa ~ RIa"},
    {absFramedBlackHighlight, "SOs SOs", "SOs ROs Fgs", "SOs ROs"},
    {absRecessedBlackHighlight, "SOs SOs", "SOs ~ ROs Fgs", "SOs ~ ROs"},
    {absAutoDetect, "SUs", "ROs RIbrs", "ROs RIbrs"},
};

class PicBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Hot tracking follows the mouse while the program is in front.
    AppActivation::Changed(true);
    B = new TabcPicBtn(Form.Form);
    B->SetParent(Form.Form);
    B->SetBounds(0, 0, 75, 29);
  }
  std::unique_ptr<TBitmap> Picture() {
    auto bmp = std::make_unique<TBitmap>();
    B->PaintTo(*bmp);
    return bmp;
  }
  std::unique_ptr<TBitmap> Recipe(const std::string& R) {
    auto bmp = std::make_unique<TBitmap>(75, 29);
    bmp->GetCanvas()->Brush->SetColor(clBtnFace);
    bmp->GetCanvas()->FillRect(TRect(0, 0, 75, 29));
    DrawRecipe(*bmp->GetCanvas(), TRect(0, 0, 75, 29), R, clBtnFace);
    return bmp;
  }
  static int Differences(const TBitmap& A, const TBitmap& B) {
    int n = 0;
    for (int y = 0; y < A.GetHeight(); ++y)
      for (int x = 0; x < A.GetWidth(); ++x) n += A.GetPixelColor(x, y) != B.GetPixelColor(x, y);
    return n;
  }
  TTestForm Form;
  TabcPicBtn* B = nullptr;
};

TEST_F(PicBtnTest, EveryStyleFrameEqualsItsEdgesDrawnDirectly) {
  for (const TFrameCase& fc : kFrames) {
    SCOPED_TRACE(static_cast<int>(fc.Style));
    B->SetStyle(fc.Style);
    B->MouseLeave();
    EXPECT_EQ(Differences(*Picture(), *Recipe(fc.Rest)), 0) << "rest";
    B->MouseEnter();
    EXPECT_EQ(Differences(*Picture(), *Recipe(fc.Hot)), 0) << "hot";
    B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    EXPECT_EQ(Differences(*Picture(), *Recipe(fc.Down)), 0) << "down";
    B->CancelPress();
    B->MouseLeave();
  }
  // Focused (or default) frames of the two classic styles; the focus rectangle lies 4 pixels inside.
  B->ForceFocusForTests(true);
  B->SetStyle(absNew);
  auto focused = Picture();
  auto expected = Recipe("ROm ROs RIbrs");
  expected->GetCanvas()->Brush->SetColor(clBtnFace);
  expected->GetCanvas()->Font->SetColor(clBlack);
  expected->GetCanvas()->DrawFocusRect(TRect(4, 4, 71, 25));
  EXPECT_EQ(Differences(*focused, *expected), 0);
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  auto downFocused = Picture();
  auto downExpected = Recipe("ROm ROf");
  downExpected->GetCanvas()->Brush->SetColor(clBtnFace);
  downExpected->GetCanvas()->Font->SetColor(clBlack);
  downExpected->GetCanvas()->DrawFocusRect(TRect(4, 4, 71, 25));
  EXPECT_EQ(Differences(*downFocused, *downExpected), 0);
  B->CancelPress();
}

TEST_F(PicBtnTest, StyleEighteenRingsAndPopupAtRest) {
  B->SetStyle(absRecessedBlackHighlight);
  auto rest = Picture();
  EXPECT_EQ(rest->GetPixelColor(10, 0), Rgb(clBtnShadow));       // soft sunken ring
  EXPECT_EQ(rest->GetPixelColor(10, 28), Rgb(clBtnHighlight));
  EXPECT_EQ(rest->GetPixelColor(10, 1), Rgb(clBtnFace));         // ring of Color
  EXPECT_EQ(rest->GetPixelColor(10, 2), Rgb(clBtnHighlight));    // soft raised ring
  EXPECT_EQ(rest->GetPixelColor(10, 26), Rgb(cl3DDkShadow));
  B->MouseEnter();
  auto hot = Picture();
  EXPECT_EQ(hot->GetPixelColor(10, 3), 0xDEDEDE);
  EXPECT_EQ(hot->GetPixelColor(10, 25), Rgb(clBtnShadow));
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  auto down = Picture();
  EXPECT_EQ(down->GetPixelColor(10, 0), Rgb(clBtnShadow));
  EXPECT_EQ(down->GetPixelColor(10, 1), Rgb(clBtnShadow));
  EXPECT_EQ(down->GetPixelColor(10, 27), Rgb(clBtnHighlight));
  B->CancelPress();
  B->MouseLeave();
  B->SetPopup(true);
  auto popup = Picture();
  EXPECT_EQ(CountColor(*popup, TRect(0, 0, 75, 29), clBtnFace), 75 * 29);
}

TEST_F(PicBtnTest, CaptionColoursEnabledDisabledRaisedAndLowered) {
  B->SetCaption("Apply");
  auto normal = Picture();
  EXPECT_GT(CountColor(*normal, TRect(2, 2, 73, 27), clBtnText), 10);
  B->SetEnabled(false);
  B->SetDisabledShadow(false);
  auto flat = Picture();
  EXPECT_GT(CountColor(*flat, TRect(2, 2, 73, 27), clBtnShadow), 10);
  EXPECT_EQ(CountColor(*flat, TRect(2, 2, 73, 27), clWhite), 0);
  B->SetDisabledShadow(true);
  auto shadow = Picture();
  EXPECT_GT(CountColor(*shadow, TRect(2, 2, 73, 27), clWhite), 10);
  EXPECT_GT(CountColor(*shadow, TRect(2, 2, 73, 27), clGray), 10);
  B->SetEnabled(true);
  for (TabcTextStyle ts : {TabcTextStyle::tsRaised, TabcTextStyle::tsLowered}) {
    B->SetTextStyle(ts);
    auto p = Picture();
    EXPECT_GT(CountColor(*p, TRect(2, 2, 73, 27), clBtnHighlight), 10);
  }
}

TEST(PicBtnLayoutTest, LayoutsMarginsAndSpacing) {
  using enum TabcButtonLayout;
  struct TCase {
    TabcButtonLayout Layout;
    int Margin, Spacing;
    bool Rtl;
    TPoint Glyph, Text;
  };
  const TSize g(16, 16), t(30, 12);
  for (const TCase& tc : {
           TCase{ablGlyphLeft, -1, -1, false, {18, 7}, {52, 9}},   // (100 - 46) / 3 = 18 everywhere
           TCase{ablGlyphLeft, -1, 4, false, {25, 7}, {45, 9}},    // (100 - 50 + 1) / 2
           TCase{ablGlyphLeft, 5, -1, false, {5, 7}, {45, 9}},     // spacing (100 - 5 - 46) / 2 = 24
           TCase{ablGlyphRight, 5, 4, false, {79, 7}, {45, 9}},
           TCase{ablGlyphLeft, 5, 4, true, {79, 7}, {45, 9}},      // right to left swaps
           TCase{ablGlyphTop, -1, -1, false, {42, 0}, {35, 16}},   // (30 - 28) / 3 = 0
           TCase{ablGlyphBottom, 2, 0, false, {42, 12}, {35, 0}},
           TCase{ablGlyphCenter, 3, 3, false, {42, 7}, {35, 9}},
           TCase{ablGlyphTiled, 3, 3, false, {0, 0}, {35, 9}},
       }) {
    SCOPED_TRACE(static_cast<int>(tc.Layout));
    TPoint gp, tp;
    abcbtn::CalcLayout(100, 30, g, t, tc.Layout, tc.Margin, tc.Spacing, tc.Rtl, gp, tp);
    EXPECT_EQ(gp, tc.Glyph);
    EXPECT_EQ(tp, tc.Text);
  }
  // Equal gaps: before, between and after.
  TPoint gp, tp;
  abcbtn::CalcLayout(106, 30, g, t, ablGlyphLeft, -1, -1, false, gp, tp);
  EXPECT_EQ(gp.X, tp.X - (gp.X + 16));
  EXPECT_EQ(gp.X, 106 - (tp.X + 30));
  // Without a caption the spacing is 0.
  abcbtn::CalcLayout(100, 30, g, TSize(0, 0), ablGlyphLeft, -1, 4, false, gp, tp);
  EXPECT_EQ(gp.X, (100 - 16 + 1) / 2);
}

// A 64 by 16 strip: four glyphs in red, green, blue and white-and-gray, on fuchsia.
std::unique_ptr<TPicture> Strip() {
  TBitmap bmp(64, 16);
  TCanvas& c = *bmp.GetCanvas();
  c.Brush->SetColor(clFuchsia);
  c.FillRect(TRect(0, 0, 64, 16));
  const TColor colours[] = {clRed, clLime, clBlue, clWhite};
  for (int i = 0; i < 4; ++i) {
    c.Brush->SetColor(colours[i]);
    c.FillRect(TRect(i * 16 + 4, 4, i * 16 + 12, 12));
  }
  c.Brush->SetColor(clGray);
  c.FillRect(TRect(16 + 4, 4, 16 + 6, 12));  // the disabled image: a grey band
  auto pic = std::make_unique<TPicture>();
  pic->SetGraphic(&bmp);
  return pic;
}

TEST_F(PicBtnTest, StripGlyphsStatesAndHighlights) {
  auto pic = Strip();
  B->SetPicture(pic.get());
  EXPECT_EQ(B->GetNumGlyphs(), 4);
  EXPECT_EQ(B->GetTransparentColor(), clFuchsia);
  TabcButtonGlyph& g = *B->Glyph();
  auto colourOf = [&](TabcGlyphState s, int x, int y) {
    const int i = g.StateImage(s);
    return g.List()->Pixel(i, x, y);
  };
  EXPECT_EQ(colourOf(TabcGlyphState::gsUp, 8, 8), clRed);
  EXPECT_EQ(colourOf(TabcGlyphState::gsUp, 0, 0), Rgb(clBtnFace));  // transparent shows Color
  EXPECT_EQ(colourOf(TabcGlyphState::gsDown, 8, 8), clBlue);
  EXPECT_EQ(colourOf(TabcGlyphState::gsExclusive, 8, 8), clWhite);
  EXPECT_EQ(colourOf(TabcGlyphState::gsExclusive, 0, 0), clNone);
  EXPECT_EQ(colourOf(TabcGlyphState::gsHot, 8, 8), clRed);  // state 4 is not in the strip
  // The strip's own disabled image: grey becomes the shadow colour, transparent the face.
  EXPECT_EQ(colourOf(TabcGlyphState::gsDisabled, 4, 8), Rgb(clBtnShadow));
  EXPECT_EQ(colourOf(TabcGlyphState::gsDisabled, 8, 8), clLime);
  EXPECT_EQ(colourOf(TabcGlyphState::gsDisabled, 0, 0), Rgb(clBtnFace));

  B->SetPictureHighlight(TabcGlyphHighlight::aghGray);
  EXPECT_EQ(colourOf(TabcGlyphState::gsUp, 8, 8), RGB(255, 255, 255));  // red channel 255 in all three
  EXPECT_EQ(colourOf(TabcGlyphState::gsHot, 8, 8), clRed);
  B->SetPictureHighlight(TabcGlyphHighlight::aghDarken);
  EXPECT_EQ(colourOf(TabcGlyphState::gsUp, 8, 8), clRed);
  B->SetPictureHighlight(TabcGlyphHighlight::aghFade);
  TBitmap faded(16, 16);
  g.Draw(*faded.GetCanvas(), 0, 0, TabcGlyphState::gsUp);
  const TColor hl = ColorToRGB(clHighlight);
  EXPECT_EQ(faded.GetPixelColor(8, 8), RGB((255 * 3 + GetRValue(hl)) / 4, GetGValue(hl) / 4, GetBValue(hl) / 4));
  // Hovered, the button shows the first image without the highlight change.
  B->SetPictureHighlight(TabcGlyphHighlight::aghGray);
  B->MouseEnter();
  EXPECT_EQ(B->CurrentGlyphState(), TabcGlyphState::gsHot);
  auto shown = Picture();
  EXPECT_GT(CountColor(*shown, TRect(0, 0, 75, 29), clRed), 30);
}

TEST_F(PicBtnTest, DisabledGlyphIsEmbossedFromItsMaskAndNumGlyphsIsLimited) {
  TBitmap bmp(16, 16);
  TCanvas& c = *bmp.GetCanvas();
  c.Brush->SetColor(clFuchsia);
  c.FillRect(TRect(0, 0, 16, 16));
  c.Brush->SetColor(clNavy);
  c.FillRect(TRect(2, 2, 6, 6));
  c.Brush->SetColor(clWhite);  // white and silver count as background
  c.FillRect(TRect(8, 8, 12, 12));
  c.Brush->SetColor(clSilver);
  c.FillRect(TRect(12, 2, 14, 4));
  TPicture pic;
  pic.SetGraphic(&bmp);
  B->SetPicture(&pic);
  EXPECT_EQ(B->GetNumGlyphs(), 1);
  TabcButtonGlyph& g = *B->Glyph();
  const int i = g.StateImage(TabcGlyphState::gsDisabled);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool fg = x >= 2 && x < 6 && y >= 2 && y < 6;
      const bool fgShifted = x >= 3 && x < 7 && y >= 3 && y < 7;
      const TColor expected = fg ? Rgb(clBtnShadow) : fgShifted ? Rgb(clBtnHighlight) : Rgb(clBtnFace);
      ASSERT_EQ(g.List()->Pixel(i, x, y), expected) << x << "," << y;
    }
  B->SetNumGlyphs(9);
  EXPECT_EQ(B->GetNumGlyphs(), 5);
  B->SetNumGlyphs(0);
  EXPECT_EQ(B->GetNumGlyphs(), 1);
  // A picture of height 0 holds one glyph.
  TBitmap empty(16, 0);
  TPicture flat;
  flat.SetGraphic(&empty);
  B->SetPicture(&flat);
  EXPECT_EQ(B->GetNumGlyphs(), 1);
  // A set transparent colour wins over the picture's.
  B->SetTransparentColor(clNavy);
  B->SetPicture(&pic);
  EXPECT_EQ(B->GetTransparentColor(), clNavy);
}

TEST_F(PicBtnTest, IconFileGlyphShowsTheFaceThroughItsMask) {
  // A 16 x 16 icon: a green square inside, the rest masked out.
  std::vector<uint32_t> colours(256, 0xFF000000u);
  std::vector<bool> mask(256, true);
  for (int y = 4; y < 12; ++y)
    for (int x = 4; x < 12; ++x) {
      colours[static_cast<size_t>(y * 16 + x)] = 0xFF00C000u;
      mask[static_cast<size_t>(y * 16 + x)] = false;
    }
  TIcon icon;
  icon.SetPixels(16, 16, colours, mask);
  const std::string file = (std::filesystem::temp_directory_path() / "kv_picbtn_glyph.ico").string();
  icon.SaveToFile(file);
  TPicture pic;
  pic.LoadFromFile(file);
  std::filesystem::remove(file);
  ASSERT_NE(dynamic_cast<TIcon*>(pic.GetGraphic()), nullptr);
  B->SetButtonColor(clTeal);
  B->SetPicture(&pic);
  EXPECT_EQ(B->GetNumGlyphs(), 1);
  EXPECT_EQ(B->GetTransparentColor(), 0xFF00FF);  // only a bitmap gives its own
  TabcButtonGlyph& g = *B->Glyph();
  const int up = g.StateImage(TabcGlyphState::gsUp), exclusive = g.StateImage(TabcGlyphState::gsExclusive);
  const int disabled = g.StateImage(TabcGlyphState::gsDisabled);
  EXPECT_EQ(g.List()->Pixel(up, 8, 8), RGB(0, 0xC0, 0));
  EXPECT_EQ(g.List()->Pixel(up, 1, 1), Rgb(clTeal));
  EXPECT_EQ(g.List()->Pixel(exclusive, 8, 8), RGB(0, 0xC0, 0));
  EXPECT_EQ(g.List()->Pixel(exclusive, 1, 1), clNone);
  // The masked pixels are background of the embossed image too.
  EXPECT_EQ(g.List()->Pixel(disabled, 4, 4), Rgb(clBtnShadow));
  EXPECT_EQ(g.List()->Pixel(disabled, 12, 12), Rgb(clBtnHighlight));
  EXPECT_EQ(g.List()->Pixel(disabled, 2, 2), Rgb(clTeal));
  // Painted, the icon sits centred on the teal face (no caption).
  auto shown = Picture();
  EXPECT_EQ(CountColor(*shown, TRect(0, 0, 75, 29), RGB(0, 0xC0, 0)), 64);
  // The icon survives the compact copy and the stored picture form.
  auto back = abcgreg::RestoreCompactPicture(abcgreg::CompactPicture(*pic.GetGraphic()));
  ASSERT_NE(dynamic_cast<TIcon*>(back.get()), nullptr);
  EXPECT_TRUE(static_cast<TIcon*>(back.get())->IsTransparentAt(1, 1));
  TPicture stored;
  stored.SetData(pic.GetData());
  ASSERT_NE(dynamic_cast<TIcon*>(stored.GetGraphic()), nullptr);
  EXPECT_EQ(stored.GetWidth(), 16);
}

TEST_F(PicBtnTest, ImageListChangesRebuildTheGlyphAndFreeingTheListDropsIt) {
  auto* images = new TImageList(Form.Form);
  auto filled = [](TColor Colour) {
    auto bmp = std::make_unique<TBitmap>(16, 16);
    bmp->GetCanvas()->Brush->SetColor(Colour);
    bmp->GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    bmp->GetCanvas()->SetPixel(0, 15, clFuchsia);  // the masked corner
    return bmp;
  };
  images->AddMasked(filled(clRed).get(), clFuchsia);
  auto* other = new TabcPicBtn(Form.Form);
  auto* gone = new TabcPicBtn(Form.Form);
  for (TabcPicBtn* b : {B, other, gone}) {
    b->SetImages(images);
    b->SetImageIndex(0);
  }
  gone->Free();  // a freed button's link leaves the list
  auto upColour = [](TabcPicBtn* b, int X = 8, int Y = 8) {
    TabcButtonGlyph& g = *b->Glyph();
    const int i = g.StateImage(TabcGlyphState::gsUp);
    return g.List()->Pixel(i, X, Y);
  };
  EXPECT_EQ(upColour(B), clRed);
  EXPECT_EQ(upColour(other), clRed);
  // Both buttons hear of the list's change and make their images anew.
  images->Clear();
  images->AddMasked(filled(clBlue).get(), clFuchsia);
  EXPECT_EQ(upColour(B), clBlue);
  EXPECT_EQ(upColour(other), clBlue);
  EXPECT_EQ(upColour(B, 0, 15), Rgb(clBtnFace));
  EXPECT_GT(CountColor(*Picture(), TRect(0, 0, 75, 29), clBlue), 200);
  // Freeing the list clears the reference and releases the prepared images.
  images->Free();
  EXPECT_EQ(B->GetImages(), nullptr);
  EXPECT_FALSE(B->Glyph()->HasGlyph());
  EXPECT_EQ(B->Glyph()->List(), nullptr);
  EXPECT_EQ(TabcGlyphList::Find(16, 16), nullptr);
  EXPECT_EQ(CountColor(*Picture(), TRect(0, 0, 75, 29), clBlue), 0);
}

TEST_F(PicBtnTest, ActionLinkCarriesImageIndexCaptionAndState) {
  auto* images = new TImageList(Form.Form);
  for (TColor colour : {clRed, clBlue, clLime}) {
    TBitmap bmp(16, 16);
    bmp.GetCanvas()->Brush->SetColor(colour);
    bmp.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
    images->AddMasked(&bmp, clFuchsia);
  }
  B->SetImages(images);
  auto* action = new TCustomAction(Form.Form);
  action->SetCaption("Run");
  action->SetImageIndex(1);
  int runs = 0;
  action->OnExecute = [&](TObject*) { ++runs; };
  B->SetAction(action);
  EXPECT_EQ(B->GetCaption(), "Run");
  EXPECT_EQ(B->GetImageIndex(), 1);
  EXPECT_GT(CountColor(*Picture(), TRect(0, 0, 75, 29), clBlue), 200);
  action->SetImageIndex(2);
  EXPECT_EQ(B->GetImageIndex(), 2);
  action->SetEnabled(false);
  EXPECT_FALSE(B->GetEnabled());
  action->SetEnabled(true);
  // A value the button changed on its own no longer follows the action.
  B->SetImageIndex(0);
  action->SetImageIndex(1);
  EXPECT_EQ(B->GetImageIndex(), 0);
  action->SetCaption("Go");
  EXPECT_EQ(B->GetCaption(), "Go");
  B->Click();
  EXPECT_EQ(runs, 1);
  B->OnClick = [](TObject*) {};  // a handler of its own wins
  B->Click();
  EXPECT_EQ(runs, 1);
  auto* other = new TabcPicBtn(Form.Form);
  other->SetAction(action);
  EXPECT_EQ(action->ClientCount(), 2);
  other->Free();
  EXPECT_EQ(action->ClientCount(), 1);
  action->Free();
  EXPECT_EQ(B->GetAction(), nullptr);
  B->OnClick = nullptr;
  B->Click();
}

TEST(GlyphListTest, ListsAreSharedPerSizeReuseSlotsAndGoWithTheLastImage) {
  TBitmap a(12, 12), wrong(10, 12);
  TabcGlyphList* list = TabcGlyphList::Acquire(12, 12);
  EXPECT_EQ(TabcGlyphList::Acquire(12, 12), list);
  const int i0 = list->AddMasked(a, clNone), i1 = list->AddMasked(a, clNone);
  EXPECT_EQ(i1, i0 + 1);
  try {
    list->AddMasked(wrong, clNone);
    ADD_FAILURE();
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Invalid image size");
  }
  TabcGlyphList::Release(list, i0);
  EXPECT_EQ(list->AddMasked(a, clNone), i0);
  EXPECT_THROW(list->Replace(99, a), EInvalidOperation);
  try {
    list->Replace(99, a);
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Unable to Replace Image");
  }
  TabcGlyphList::Release(list, i0);
  TabcGlyphList::Release(list, i1);
  EXPECT_EQ(TabcGlyphList::Find(12, 12), nullptr);
  // Two buttons with glyphs of one size share one list.
  TTestForm form;
  auto* b1 = new TabcPicBtn(form.Form);
  auto* b2 = new TabcPicBtn(form.Form);
  auto pic = Strip();
  b1->SetPicture(pic.get());
  b2->SetPicture(pic.get());
  b1->Glyph()->StateImage(TabcGlyphState::gsUp);
  b2->Glyph()->StateImage(TabcGlyphState::gsUp);
  EXPECT_EQ(b1->Glyph()->List(), b2->Glyph()->List());
  EXPECT_EQ(b1->Glyph()->List()->UsedCount(), 2);
  b1->Free();
  ASSERT_NE(TabcGlyphList::Find(16, 16), nullptr);
  b2->Free();
  EXPECT_EQ(TabcGlyphList::Find(16, 16), nullptr);
}

TEST_F(PicBtnTest, HotTrackingEventsAndSounds) {
  int enters = 0, leaves = 0;
  B->OnMouseEnter = [&](TObject*) { ++enters; };
  B->OnMouseLeave = [&](TObject*) { ++leaves; };
  struct TCase {
    TabcButtonStyle Style;
    bool Popup;
    TabcGlyphHighlight Highlight;
    bool Reacts;
  };
  for (const TCase& tc : {TCase{absNew, false, TabcGlyphHighlight::aghNormal, false},
                          TCase{absThin, false, TabcGlyphHighlight::aghNormal, false},
                          TCase{absThin, true, TabcGlyphHighlight::aghNormal, true},
                          TCase{absThin, false, TabcGlyphHighlight::aghFade, true},
                          TCase{absThinHighlight, false, TabcGlyphHighlight::aghNormal, true},
                          TCase{absFramedHighlight, false, TabcGlyphHighlight::aghNormal, true},
                          TCase{absRecessedBlackHighlight, false, TabcGlyphHighlight::aghNormal, true},
                          TCase{absRecessedRaised, false, TabcGlyphHighlight::aghNormal, false}}) {
    B->SetStyle(tc.Style);
    B->SetPopup(tc.Popup);
    B->SetPictureHighlight(tc.Highlight);
    EXPECT_EQ(B->ReactsToHover(), tc.Reacts) << static_cast<int>(tc.Style);
  }
  TRecordingSoundService sounds;
  auto* waves = new TabcCustomWaveList(Form.Form);
  B->SetSoundList(waves);
  B->SoundOver = 2;
  B->SoundDown = 1;
  B->MouseEnter();
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  B->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  B->MouseLeave();
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
  // The plain list plays nothing and the command goes on.
  EXPECT_TRUE(sounds.Calls.empty());
  waves->SetWave({'R', 'I', 'F', 'F'});
  waves->Play();
  waves->SetPlayMode(2);
  waves->Play();
  ASSERT_EQ(sounds.Calls.size(), 3u);
  EXPECT_EQ(sounds.Calls[0].Mode, TSoundPlayMode::spAsync);
  EXPECT_TRUE(sounds.Calls[1].Stop);
  EXPECT_EQ(sounds.Calls[2].Mode, TSoundPlayMode::spLoop);
  // Freeing the list clears the button's reference.
  waves->Free();
  EXPECT_EQ(B->GetSoundList(), nullptr);
  B->MouseEnter();
}

TEST(GraphicFormatsTest, OrderLookupAndCompactPictures) {
  const auto& formats = TabcFileFormatsList::Instance().Formats();
  ASSERT_GE(formats.size(), 4u);
  EXPECT_EQ(formats[0].Extension, "wmf");
  EXPECT_EQ(formats[1].Description, "Enhanced Metafiles");
  EXPECT_EQ(formats[2].GraphicClass, "TIcon");
  EXPECT_EQ(formats[3].Extension, "bmp");
  TabcFileFormatsList list;
  list.Add("EMF", "Other metafiles", 0, "TMetafile");
  EXPECT_EQ(list.FindClassName("tmetafile")->Description, "Other metafiles");
  EXPECT_EQ(list.Formats().back().Extension, "emf");
  EXPECT_EQ(list.FindClassName("TPngImage"), nullptr);

  TBitmap bmp(3, 2);
  bmp.GetCanvas()->SetPixel(1, 1, clRed);
  const std::vector<uint8_t> data = abcgreg::CompactPicture(bmp);
  EXPECT_EQ(data[0], 7);
  EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 8), "TBitmap");
  auto back = abcgreg::RestoreCompactPicture(data);
  auto* restored = dynamic_cast<TBitmap*>(back.get());
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->GetPixelColor(1, 1), clRed);
  TPngImage png;
  png.SetSize(2, 2);
  try {
    abcgreg::RestoreCompactPicture(abcgreg::CompactPicture(png));
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(),
                 "Graphic Class \"TPngImage\" needs to be registered with the abcFileFormatsList in unit abcgreg");
  }
  for (const std::vector<uint8_t>& damaged :
       {std::vector<uint8_t>{}, std::vector<uint8_t>{64}, std::vector<uint8_t>{7, 'T', 'B'},
        std::vector<uint8_t>{7, 'T', 'B', 'i', 't', 'm', 'a', 'p', 1, 2, 3},
        std::vector<uint8_t>{5, 'T', 'I', 'c', 'o', 'n', 0, 0, 1, 0, 1, 0, 2, 2}}) {
    EXPECT_THROW(abcgreg::RestoreCompactPicture(damaged), Exception);
  }
}

}  // namespace

}  // namespace PicBtnTest
