#include "controls/CBtnForm.h"
#include "controls/DFSClrBn.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/AppActivation.h"
#include "platform/ui/ScriptedUserSeam.h"

#include <gtest/gtest.h>

namespace ColorButtonTest {

using namespace ControlsTest;

namespace {

TEST(ColorArrayTest, LinearIndexRunsAlongXAndBoundsAreChecked) {
  TColorArrayClass a(4, 5);
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x) a.SetItem(x, y, 100 * y + x);
  for (int i = 1; i <= 20; ++i) EXPECT_EQ(a.ItemByIndex(i), 100 * ((i - 1) / 4 + 1) + (i - 1) % 4 + 1) << i;
  struct TCase {
    int X, Y;
  };
  for (const TCase& tc : {TCase{0, 1}, TCase{1, 0}, TCase{5, 1}, TCase{1, 6}, TCase{-1, 3}}) {
    SCOPED_TRACE(std::to_string(tc.X) + "," + std::to_string(tc.Y));
    try {
      a.GetItem(tc.X, tc.Y);
      ADD_FAILURE() << "no exception";
    } catch (const EColorArrayIndexError& e) {
      EXPECT_STREQ(e.what(), "Array index out of bounds");
    }
    EXPECT_THROW(a.SetItem(tc.X, tc.Y, 1), EColorArrayIndexError);
  }
  EXPECT_THROW(a.ItemByIndex(0), EColorArrayIndexError);
  EXPECT_THROW(a.ItemByIndex(21), EColorArrayIndexError);
  a.SetXSize(4);  // same size: kept
  EXPECT_EQ(a.GetItem(4, 5), 504);
  a.SetXSize(3);  // contents dropped
  EXPECT_EQ(a.Count(), 15);
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(a.ItemByIndex(i), 0);
  EXPECT_THROW(a.SetYSize(-1), EColorArrayIndexError);
  EXPECT_EQ(a.GetYSize(), 5);
}

TEST(ColorArrayTest, AssignAndEqual) {
  TColorArrayClass a(2, 2), b(2, 2), wide(4, 1);
  for (int i = 1; i <= 4; ++i) a.SetItemByIndex(i, i), b.SetItemByIndex(i, i), wide.SetItemByIndex(i, i);
  EXPECT_TRUE(a.Equal(&a));
  EXPECT_FALSE(a.Equal(nullptr));
  EXPECT_TRUE(a.Equal(&b));
  EXPECT_FALSE(a.Equal(&wide));  // same elements, other sizes
  b.SetItem(2, 2, 99);
  EXPECT_FALSE(a.Equal(&b));
  a.Assign(&wide);
  EXPECT_TRUE(a.Equal(&wide));
  EXPECT_EQ(a.GetXSize(), 4);
}

TEST(ColorArrayTest, StreamsColumnByColumnInBothForms) {
  TTestForm form;
  auto* button = new TdfsColorButton(form.Form);
  button->SetName("ClrBtn");
  for (int i = 1; i <= 20; ++i) button->GetPaletteColors()->SetItemByIndex(i, 1000 + i);
  const std::string text = Streaming::ComponentToText(button);
  // Column 1 holds items 1, 5, 9, 13 and 17.
  EXPECT_NE(text.find("PaletteColors.XSize = 4"), std::string::npos) << text;
  EXPECT_NE(text.find("PaletteColors.YSize = 5"), std::string::npos) << text;
  EXPECT_NE(text.find("PaletteColors.Colors = (\n    1001\n    1005\n    1009\n    1013\n    1017\n    1002"),
            std::string::npos)
      << text;
  for (bool binary : {false, true}) {
    SCOPED_TRACE(binary);
    TTestForm other;
    auto* copy = new TdfsColorButton(other.Form);
    if (binary) {
      TMemoryStream stream;
      Streaming::WriteComponent(stream, button);
      stream.SetPosition(0);
      Streaming::ReadComponent(stream, copy);
    } else {
      Streaming::TextToComponent(text, copy);
    }
    EXPECT_TRUE(copy->GetPaletteColors()->Equal(button->GetPaletteColors()));
    EXPECT_TRUE(copy->GetCustomColors()->Equal(button->GetCustomColors()));
  }
}

TEST(ColorButtonTest, DefaultsAndColorChanges) {
  TTestForm form;
  auto* b = new TdfsColorButton(form.Form);
  EXPECT_EQ(b->GetWidth(), 45);
  EXPECT_EQ(b->GetHeight(), 22);
  EXPECT_EQ(b->GetVersion(), "TdfsColorButton v2.61");
  EXPECT_EQ(b->OtherColor, clBtnFace);
  EXPECT_EQ(b->OtherBtnCaption, "&Other");
  EXPECT_EQ(b->GetCaption(), "");
  for (int i = 1; i <= 16; ++i) EXPECT_EQ(b->GetCustomColors()->ItemByIndex(i), clWhite);
  EXPECT_EQ(b->GetPaletteColors()->GetItem(3, 1), RGB(191, 191, 191));
  EXPECT_EQ(b->GetPaletteColors()->GetItem(2, 5), RGB(159, 191, 239));
  EXPECT_EQ(b->GetPaletteColors()->GetItem(4, 4), RGB(127, 0, 127));

  int changes = 0;
  b->OnColorChange = [&](TObject*) { ++changes; };
  b->SetColor(RGB(255, 255, 0));
  EXPECT_EQ(b->GetPaletteIndex(), 7);
  EXPECT_EQ(changes, 1);
  b->SetColor(RGB(255, 255, 0));
  EXPECT_EQ(changes, 1);
  b->SetColor(RGB(1, 2, 3));
  EXPECT_EQ(b->GetPaletteIndex(), 0);
  EXPECT_EQ(changes, 2);
}

TEST(ColorButtonTest, CycleColorsWalksThePaletteThenTheOtherColour) {
  TTestForm form;
  auto* b = new TdfsColorButton(form.Form);
  b->SetParent(form.Form);
  b->CycleColors = true;
  b->OtherColor = RGB(10, 20, 30);
  b->SetColor(RGB(1, 1, 1));  // not in the palette: index 0
  std::vector<TColor> seen;
  auto click = [&] {
    b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
    seen.push_back(b->GetColor());
  };
  for (int i = 0; i < 22; ++i) click();
  EXPECT_EQ(seen[0], RGB(255, 255, 255));
  EXPECT_EQ(seen[1], RGB(0, 0, 0));
  EXPECT_EQ(seen[2], RGB(191, 191, 191));
  EXPECT_EQ(seen[3], RGB(127, 127, 127));
  EXPECT_EQ(seen[4], RGB(255, 0, 0));
  EXPECT_EQ(seen[5], RGB(127, 0, 0));
  EXPECT_EQ(seen[19], RGB(159, 159, 159));
  EXPECT_EQ(seen[20], RGB(10, 20, 30));
  EXPECT_EQ(seen[21], RGB(255, 255, 255));
  EXPECT_EQ(b->Palette(), nullptr);
  // On the arrow part the click opens the palette instead.
  b->MouseDown(TMouseButton::mbLeft, {}, 40, 5);
  b->MouseUp(TMouseButton::mbLeft, {}, 40, 5);
  ASSERT_NE(b->Palette(), nullptr);
  b->Palette()->Close();
}

// Pixels of the button's picture (frame, swatch, separator, arrow).
class ColorButtonPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    B = new TdfsColorButton(Form.Form);
    B->SetParent(Form.Form);
    B->SetColor(clRed);
  }
  std::unique_ptr<TBitmap> Picture() {
    auto bmp = std::make_unique<TBitmap>();
    B->PaintTo(*bmp);
    return bmp;
  }
  TTestForm Form;
  TdfsColorButton* B = nullptr;
};

TEST_F(ColorButtonPictureTest, UpPictureHasThePlatformFrameSwatchSeparatorAndArrow) {
  auto bmpPicture = Picture();
  TBitmap& bmp = *bmpPicture;
  // The frame drawn by the platform's push-button drawing on its own.
  TBitmap frame(45, 22);
  TRect r(0, 0, 45, 22);
  frame.GetCanvas()->GetHandle()->DrawFrameControl(r, DFC_BUTTON, DFCS_BUTTONPUSH);
  for (int x = 0; x < 45; ++x) {
    EXPECT_EQ(bmp.GetPixelColor(x, 0), frame.GetPixelColor(x, 0)) << x;
    EXPECT_EQ(bmp.GetPixelColor(x, 21), frame.GetPixelColor(x, 21)) << x;
  }
  // Content 3..42 x 3..19, then 6..39 x 5..17, arrow room 10: swatch 6..29 x 5..17.
  const TColor frameColor = Rgb(clWindowFrame);
  for (int x = 6; x < 29; ++x) {
    EXPECT_EQ(bmp.GetPixelColor(x, 5), frameColor) << x;
    EXPECT_EQ(bmp.GetPixelColor(x, 16), frameColor) << x;
  }
  EXPECT_EQ(CountColor(bmp, TRect(7, 6, 28, 16), clRed), 21 * 10);
  EXPECT_NE(bmp.GetPixelColor(29, 10), Rgb(clRed));
  for (int y = 5; y < 17; ++y) {
    EXPECT_EQ(bmp.GetPixelColor(32, y), Rgb(clBtnShadow)) << y;
    EXPECT_EQ(bmp.GetPixelColor(33, y), Rgb(clBtnHighlight)) << y;
  }
  // The arrow 7 by 5 at x 36, top (5 + 17 - 5) / 2 = 8: rows of 7, 5, 3, 1 black pixels.
  const int widths[] = {0, 7, 5, 3, 1};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(CountColor(bmp, TRect(36, 8 + row, 43, 9 + row), clBlack), widths[row]) << row;
  EXPECT_EQ(bmp.GetPixelColor(39, 12), Rgb(clBlack));
}

TEST_F(ColorButtonPictureTest, FocusedButtonDrawsItsFocusRectangleInsideTheFrame) {
  auto plain = Picture();
  B->ForceFocusForTests(true);
  auto focused = Picture();
  TBitmap expected(45, 22);
  expected.GetCanvas()->Draw(0, 0, plain.get());
  expected.GetCanvas()->Brush->SetColor(clBtnFace);
  expected.GetCanvas()->Font->SetColor(clBlack);
  expected.GetCanvas()->DrawFocusRect(TRect(3, 3, 42, 19));
  // The arrow is drawn over the rectangle; everywhere else the two pictures agree.
  int changed = 0;
  for (int y = 0; y < 22; ++y) {
    for (int x = 0; x < 45; ++x) {
      if (x >= 36 && x < 43 && y >= 8 && y < 13) continue;
      ASSERT_EQ(focused->GetPixelColor(x, y), expected.GetPixelColor(x, y)) << x << "," << y;
      changed += focused->GetPixelColor(x, y) != plain->GetPixelColor(x, y);
    }
  }
  EXPECT_GT(changed, 40);
  B->ForceFocusForTests(false);
}

TEST_F(ColorButtonPictureTest, DownDisabledAndFlatPictures) {
  // Down: window frame ring, a shadow ring, everything moved by one pixel.
  B->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  auto downPicture = Picture();
  TBitmap& down = *downPicture;
  EXPECT_EQ(CountColor(down, TRect(0, 0, 45, 1), clWindowFrame), 45);
  EXPECT_EQ(CountColor(down, TRect(1, 1, 44, 2), clBtnShadow), 43);
  EXPECT_EQ(down.GetPixelColor(7, 6), Rgb(clWindowFrame));
  EXPECT_EQ(down.GetPixelColor(8, 7), Rgb(clRed));
  EXPECT_EQ(down.GetPixelColor(33, 10), Rgb(clBtnShadow));
  B->MouseMove({}, 100, 100);  // dragged out: up again
  EXPECT_FALSE(B->IsPressed());
  B->MouseUp(TMouseButton::mbLeft, {}, 100, 100);
  EXPECT_EQ(B->Palette(), nullptr);

  B->SetEnabled(false);
  auto offPicture = Picture();
  TBitmap& off = *offPicture;
  EXPECT_EQ(CountColor(off, TRect(7, 6, 28, 16), clRed), 0);
  for (int y = 6; y < 16; ++y)
    for (int x = 7; x < 28; ++x)
      ASSERT_EQ(off.GetPixelColor(x, y), (x - y) % 4 == 0 ? Rgb(clBlack) : Rgb(clBtnFace)) << x << "," << y;
  EXPECT_EQ(off.GetPixelColor(36, 9), Rgb(clBtnShadow));  // greyed arrow

  B->SetEnabled(true);
  B->SetFlat(true);
  auto flatPicture = Picture();
  TBitmap& flat = *flatPicture;
  EXPECT_EQ(CountColor(flat, TRect(0, 0, 45, 1), clBtnFace), 45);  // outer ring painted over
  B->MouseEnter();
  auto hotPicture = Picture();
  TBitmap& hot = *hotPicture;
  EXPECT_EQ(CountColor(hot, TRect(0, 0, 44, 1), clBtnHighlight), 44);
  EXPECT_EQ(CountColor(hot, TRect(0, 21, 45, 22), clBtnShadow), 45);
}

TEST(ColorButtonPlacementTest, PaletteStaysInsideTheWorkArea) {
  const TRect work(0, 0, 800, 600);
  struct TCase {
    TPoint BottomLeft;
    int Top;
    TPoint Expected;
  };
  for (const TCase& tc : {TCase{{100, 200}, 178, {100, 200}},
                          TCase{{100, 590}, 568, {100, 568 - 121}},  // above the button
                          TCase{{-20, 200}, 178, {0, 200}},
                          TCase{{760, 200}, 178, {800 - 78, 200}}}) {
    SCOPED_TRACE(tc.BottomLeft.X);
    EXPECT_EQ(TdfsColorButton::PalettePosition(tc.BottomLeft, tc.Top, 72, 121, work), tc.Expected);
  }
}

// A colour dialog that answers with changed custom colours.
class TCustomColorSeam : public TScriptedUserSeam {
 public:
  std::optional<TColorResult> ColorDialog(const TColorRequest& Request) override {
    Requests.push_back(Request);
    if (!Answer) return std::nullopt;
    TColorResult r{*Answer, Request.CustomColors};
    r.CustomColors[0] = RGB(1, 2, 3);    // "ColorA": column 1 of row 1
    r.CustomColors[9] = RGB(4, 5, 6);    // "ColorJ": column 2 of row 2
    return r;
  }
  std::optional<TColor> Answer;
  std::vector<TColorRequest> Requests;
};

class ColorPaletteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    B = new TdfsColorButton(Form.Form);
    B->SetName("Btn");
    B->SetParent(Form.Form);
    B->SetBounds(20, 20, 45, 22);
    B->SetColor(RGB(255, 0, 0));
    Open();
  }
  void Open() {
    B->MouseDown(TMouseButton::mbLeft, {}, 40, 5);
    B->MouseUp(TMouseButton::mbLeft, {}, 40, 5);
    P = B->Palette();
    ASSERT_NE(P, nullptr);
  }
  void Key(uint16_t K) {
    uint16_t k = K;
    P->KeyDown(k, {});
  }
  TTestForm Form;
  TdfsColorButton* B = nullptr;
  TDFSColorButtonPalette* P = nullptr;
};

TEST_F(ColorPaletteTest, LayoutAndHitTests) {
  EXPECT_TRUE(B->DroppedDown());
  EXPECT_EQ(P->GetClientWidth(), 72);
  EXPECT_EQ(P->GetClientHeight(), 121);
  EXPECT_EQ(P->BtnOther()->GetBoundsRect(), TRect(1, 98, 51, 119));
  EXPECT_EQ(P->BtnOther()->GetCaption(), "&Other");
  EXPECT_FALSE(P->BtnOther()->GetTabStop());
  EXPECT_EQ(P->SwatchRect(), TRect(53, 99, 71, 117));
  EXPECT_EQ(P->Selection(), TPoint(1, 2));  // red is column 1, row 2
  struct TCase {
    int X, Y;
    TPoint Cell;
  };
  for (const TCase& tc : {TCase{0, 0, {1, 1}}, TCase{17, 17, {1, 1}}, TCase{18, 0, {2, 1}}, TCase{71, 89, {4, 5}},
                          TCase{53, 96, {4, 0}}, TCase{71, 113, {4, 0}}, TCase{52, 100, {-1, -1}},
                          TCase{10, 95, {-1, -1}}, TCase{72, 10, {-1, -1}}, TCase{-5, 10, {-1, -1}}}) {
    SCOPED_TRACE(std::to_string(tc.X) + "," + std::to_string(tc.Y));
    EXPECT_EQ(P->CellAt(tc.X, tc.Y), tc.Cell);
  }
  P->Close();
  EXPECT_EQ(B->Palette(), nullptr);
  EXPECT_FALSE(B->DroppedDown());
}

TEST_F(ColorPaletteTest, ArrowKeysMoveTheSelection) {
  struct TCase {
    TPoint From;
    uint16_t Key;
    TPoint To;
  };
  for (const TCase& tc : {TCase{{2, 1}, VK_UP, {2, 0}}, TCase{{2, 0}, VK_LEFT, {2, 0}}, TCase{{2, 0}, VK_RIGHT, {2, 0}},
                          TCase{{2, 0}, VK_DOWN, {2, 1}}, TCase{{2, 0}, VK_UP, {2, 5}}, TCase{{3, 5}, VK_DOWN, {3, 0}},
                          TCase{{1, 3}, VK_LEFT, {4, 3}}, TCase{{4, 3}, VK_RIGHT, {1, 3}}, TCase{{2, 3}, VK_RIGHT, {3, 3}},
                          TCase{{-1, -1}, VK_DOWN, {1, 1}}}) {
    SCOPED_TRACE(std::to_string(tc.From.X) + "," + std::to_string(tc.From.Y) + " key " + std::to_string(tc.Key));
    P->Select(tc.From);
    Key(tc.Key);
    EXPECT_EQ(P->Selection(), tc.To);
  }
}

TEST_F(ColorPaletteTest, EnterOnTheSwatchReportsTheOtherColour) {
  P->SetOtherColor(RGB(9, 8, 7));
  P->Select(TPoint(1, 1));
  Key(VK_UP);
  Key(VK_RETURN);
  EXPECT_EQ(B->GetColor(), RGB(9, 8, 7));
  EXPECT_EQ(B->OtherColor, RGB(9, 8, 7));
  EXPECT_EQ(B->Palette(), nullptr);
  // Escape closes without a change; a click chooses a cell.
  Open();
  Key(VK_ESCAPE);
  EXPECT_EQ(B->Palette(), nullptr);
  EXPECT_EQ(B->GetColor(), RGB(9, 8, 7));
  Open();
  P->MouseMove({}, 20, 5);
  EXPECT_EQ(P->Selection(), TPoint(2, 1));
  P->MouseUp(TMouseButton::mbLeft, {}, 20, 5);
  EXPECT_EQ(B->GetColor(), RGB(0, 0, 0));
  EXPECT_EQ(B->OtherColor, RGB(9, 8, 7));
  EXPECT_EQ(B->Palette(), nullptr);
}

TEST_F(ColorPaletteTest, ColourNotInThePaletteShowsInTheSwatch) {
  P->Close();
  B->SetColor(RGB(1, 2, 3));
  EXPECT_EQ(B->GetPaletteIndex(), 0);
  Open();
  EXPECT_EQ(P->GetOtherColor(), RGB(1, 2, 3));
  EXPECT_EQ(P->Selection().Y, 0);
  P->Close();
}

TEST_F(ColorPaletteTest, OtherRunsTheColourDialogAndBringsTheCustomColoursBack) {
  TCustomColorSeam seam;
  seam.OnUnexpected = [](const std::string& s) { ADD_FAILURE() << s; };
  seam.Answer = RGB(12, 34, 56);
  P->Close();
  B->GetCustomColors()->SetItem(8, 2, RGB(200, 100, 50));
  Open();
  P->BtnOther()->Click();
  ASSERT_EQ(seam.Requests.size(), 1u);
  EXPECT_EQ(seam.Requests[0].Color, clBtnFace);
  ASSERT_EQ(seam.Requests[0].CustomColors.size(), 16u);
  EXPECT_EQ(seam.Requests[0].CustomColors[15], RGB(200, 100, 50));  // "ColorP" is column 8, row 2
  EXPECT_EQ(B->GetColor(), RGB(12, 34, 56));
  EXPECT_EQ(B->OtherColor, RGB(12, 34, 56));
  EXPECT_EQ(B->Palette(), nullptr);
  EXPECT_EQ(B->GetCustomColors()->GetItem(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(B->GetCustomColors()->GetItem(2, 2), RGB(4, 5, 6));
  EXPECT_EQ(B->GetCustomColors()->GetItem(8, 2), RGB(200, 100, 50));
  EXPECT_EQ(B->GetCustomColors()->GetItem(3, 1), clWhite);

  // Cancelled: nothing changes and the palette stays open.
  Open();
  seam.Answer.reset();
  P->BtnOther()->Click();
  EXPECT_EQ(B->Palette(), P);
  EXPECT_EQ(B->GetColor(), RGB(12, 34, 56));
  EXPECT_FALSE(P->DialogRunning());
  P->Close();
}

TEST_F(ColorPaletteTest, HintsShowTheRgbTextAndTheHandlerMayChangeIt) {
  std::string hint;
  TRect area;
  ASSERT_TRUE(P->HintAt(TPoint(5, 20), hint, area));
  EXPECT_EQ(hint, "RGB = 255 000 000");
  EXPECT_EQ(area, TRect(0, 18, 18, 36));
  P->Close();
  B->OnGetColorHintText = [](TObject* Sender, TColor, int X, int Y, std::string& Text) {
    EXPECT_EQ(Sender, nullptr);
    Text = Y == 5 ? "" : "cell " + std::to_string(X) + "," + std::to_string(Y);
  };
  Open();
  ASSERT_TRUE(P->HintAt(TPoint(40, 40), hint, area));
  EXPECT_EQ(hint, "cell 3,3");
  EXPECT_FALSE(P->HintAt(TPoint(40, 80), hint, area));  // empty text: no hint
  P->ShowHints = false;
  EXPECT_FALSE(P->HintAt(TPoint(40, 40), hint, area));
  P->Close();
}

TEST_F(ColorPaletteTest, ApplicationDeactivationClosesThePaletteAfterThePreviousHandler) {
  P->Close();
  int previous = 0;
  AppActivation::OnDeactivate = [&](TObject*) { ++previous; };
  Open();
  AppActivation::Changed(false);
  EXPECT_EQ(previous, 1);
  EXPECT_EQ(B->Palette(), nullptr);
  // The handler is the application's own again once the palette is gone.
  ASSERT_TRUE(RunUntil([&] { return B->ComponentCount() == 0; }));
  AppActivation::Changed(false);
  EXPECT_EQ(previous, 2);
  AppActivation::OnDeactivate = nullptr;
}

class TCursorButton : public TdfsColorButton {
 public:
  using TdfsColorButton::TdfsColorButton;
  bool CursorOver = false;

 protected:
  bool CursorOnButton() const override { return CursorOver; }
};

TEST(ColorPaletteClickTest, PressingTheButtonWhileOpenClosesWithoutReopeningInEitherOrder) {
  TTestForm form;
  auto* b = new TCursorButton(form.Form);
  b->SetParent(form.Form);
  auto open = [&] {
    b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
    b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
    ASSERT_NE(b->Palette(), nullptr);
  };
  // The palette loses activation first (the cursor lies on the button), then the click arrives.
  open();
  b->CursorOver = true;
  b->Palette()->Close();
  b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(b->Palette(), nullptr);
  // The press arrives while the palette is still open.
  b->CursorOver = false;
  open();
  b->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(b->Palette(), nullptr);
  b->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(b->Palette(), nullptr);
  // The next click opens it again; Enter closes it without swallowing anything.
  open();
  b->CursorOver = true;
  uint16_t key = VK_RETURN;
  b->Palette()->KeyDown(key, {});
  open();
  b->Palette()->Close();
}

TEST(ColorPalettePictureTest, CellsAreDrawnUnselectedAndSelected) {
  TTestForm form;
  auto* p = Create<TDFSColorButtonPalette>(form.Form);
  for (int y = 1; y <= 5; ++y)
    for (int x = 1; x <= 4; ++x) p->PaletteColors()->SetItem(x, y, DFSClrBn::DefaultPaletteColor(x, y));
  TBitmap bmp;
  p->Select(TPoint(2, 1));
  p->PaintTo(bmp);
  if (const char* dir = std::getenv("KV_PICTURE_DIR")) {
    TPngImage png;
    png.Assign(bmp);
    png.SaveToFile(std::string(dir) + "/palette_open.png");
  }
  // Unselected cell (1, 1): face ring, shadow/highlight ring, dark/light ring, 12 by 12 fill.
  const TColor face = Rgb(clBtnFace);
  EXPECT_EQ(bmp.GetPixelColor(0, 5), face);
  EXPECT_EQ(bmp.GetPixelColor(17, 5), face);
  EXPECT_EQ(bmp.GetPixelColor(1, 5), Rgb(clBtnShadow));
  EXPECT_EQ(bmp.GetPixelColor(5, 1), Rgb(clBtnShadow));
  EXPECT_EQ(bmp.GetPixelColor(16, 5), Rgb(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixelColor(5, 16), Rgb(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixelColor(2, 5), Rgb(cl3DDkShadow));
  EXPECT_EQ(bmp.GetPixelColor(15, 5), Rgb(cl3DLight));
  EXPECT_EQ(CountColor(bmp, TRect(3, 3, 15, 15), clWhite), 144);
  // Selected cell (2, 1): dark, highlight, dark rings, then black.
  EXPECT_EQ(bmp.GetPixelColor(18, 5), Rgb(cl3DDkShadow));
  EXPECT_EQ(bmp.GetPixelColor(35, 5), Rgb(cl3DDkShadow));
  EXPECT_EQ(bmp.GetPixelColor(19, 5), Rgb(clBtnHighlight));
  EXPECT_EQ(bmp.GetPixelColor(20, 5), Rgb(cl3DDkShadow));
  EXPECT_EQ(CountColor(bmp, TRect(21, 3, 33, 15), clBlack), 144);
  // Separators and the swatch in the other colour.
  EXPECT_EQ(CountColor(bmp, TRect(2, 93, 70, 94), clBtnShadow), 68);
  EXPECT_EQ(CountColor(bmp, TRect(2, 94, 70, 95), clBtnHighlight), 68);
  EXPECT_EQ(bmp.GetPixelColor(54, 100), Rgb(clBtnShadow));
  p->Free();
}

TEST(ColorButtonStoreTest, CustomColoursAreSavedAndLoadedUnderTheKey) {
  const std::string key = "\\Software\\KvTests\\ColorButton";
  {
    TRegistry reg;
    reg.DeleteKey(key);
  }
  TTestForm form;
  form.Form->SetName("SetupForm");
  {
    auto* b = new TdfsColorButton(form.Form);
    b->SetName("LineColor");
    b->SetParent(form.Form);
    b->CustomColorsKey = key;
    b->GetCustomColors()->SetItem(1, 2, RGB(255, 0, 0));
    b->GetCustomColors()->SetItem(8, 1, RGB(0, 0, 128));
    b->Free();
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(key + "\\Colors"));
  const std::string text = reg.ReadString("SetupForm.LineColor");
  EXPECT_EQ(text.substr(0, 30), "$00FFFFFF,$000000FF,$00FFFFFF,");
  EXPECT_EQ(text.size(), 16u * 10 - 1);

  auto* b = new TdfsColorButton(form.Form);
  b->SetName("LineColor");
  b->CustomColorsKey = key;
  b->SetParent(form.Form);
  b->Loaded();
  EXPECT_EQ(b->GetCustomColors()->GetItem(1, 2), RGB(255, 0, 0));
  EXPECT_EQ(b->GetCustomColors()->GetItem(8, 1), RGB(0, 0, 128));

  // A shorter value leaves white in the places it lacks; bad tokens give white.
  {
    TRegistry w;
    ASSERT_TRUE(w.OpenKey(key + "\\Colors", true));
    w.WriteString("SetupForm.Other", "$000000FF,$0000FF00,junkjunk!,$00FF0000");
  }
  auto* c = new TdfsColorButton(form.Form);
  c->SetName("Other");
  c->CustomColorsKey = key;
  c->SetParent(form.Form);
  c->GetCustomColors()->SetItem(5, 1, 0);
  c->Loaded();
  EXPECT_EQ(c->GetCustomColors()->GetItem(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(c->GetCustomColors()->GetItem(1, 2), RGB(0, 255, 0));
  EXPECT_EQ(c->GetCustomColors()->GetItem(2, 1), clWhite);
  EXPECT_EQ(c->GetCustomColors()->GetItem(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(c->GetCustomColors()->GetItem(5, 1), clWhite);
  c->CustomColorsKey.clear();
  b->CustomColorsKey.clear();
  reg.CloseKey();
  TRegistry cleanup;
  cleanup.DeleteKey(key);
}

}  // namespace

namespace {

TEST(ColorArrayTest, DamagedStoredArraysFailCleanlyOrLoadSafely) {
  const char* const cases[] = {
      "object B: TdfsColorButton\n  PaletteColors.XSize = -4\nend\n",
      "object B: TdfsColorButton\n  PaletteColors.XSize = 100000\n  PaletteColors.YSize = 100000\nend\n",
      "object B: TdfsColorButton\n  PaletteColors.Colors = (\n    1\n    2\n    3\n    4\n    5\n    6\n    7\n"
      "    8\n    9\n    10\n    11\n    12\n    13\n    14\n    15\n    16\n    17\n    18\n    19\n    20\n"
      "    21\n    22)\nend\n",
      "object B: TdfsColorButton\n  PaletteColors.Colors = (\n    'red')\nend\n",
      "object B: TdfsColorButton\n  PaletteColors.XSize = 0\n  PaletteColors.Colors = (\n    1)\nend\n",
      "object B: TdfsColorButton\n  PaletteColors.Colors = (\n",
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    TTestForm form;
    auto* b = new TdfsColorButton(form.Form);
    try {
      Streaming::TextToComponent(text, b);
    } catch (const Exception&) {
    }
    // Whatever was read, the array stays consistent with its sizes.
    TColorArrayClass* a = b->GetPaletteColors();
    EXPECT_GE(a->GetXSize(), 0);
    EXPECT_GE(a->GetYSize(), 0);
    EXPECT_LE(int64_t(a->GetXSize()) * a->GetYSize(), 1 << 20);
    for (int i = 1; i <= a->Count(); ++i) a->ItemByIndex(i);
  }
}

}  // namespace

}  // namespace ColorButtonTest
