#include "controls/abccombo.h"

#include "controls/tests/ControlsTestSupport.h"
#include "platform/gdi/ColorNames.h"

#include <gtest/gtest.h>

namespace ColorComboTest {

using namespace ControlsTest;

namespace {

// The graphics setup's stored list.
const char* const kSetupList[] = {
    "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver", "clRed",
    "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clScrollBar", "clBackground",
    "clActiveCaption", "clInactiveCaption", "clMenu", "clWindow", "clWindowFrame", "clMenuText", "clWindowText",
    "clCaptionText", "clActiveBorder", "clInactiveBorder", "clAppWorkSpace", "clHighlight", "clHighlightText",
    "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText", "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow",
    "cl3DLight", "clInfoText", "clInfoBk", "clNone"};

class ColorComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Combo = new TabcColorComboBox(Form.Form);
    Combo->SetParent(Form.Form);
    Combo->SetBounds(10, 10, 41, 22);
    Combo->SetItemHeight(16);
  }
  void Load(std::initializer_list<const char*> Items) {
    Combo->Items()->Clear();
    for (const char* s : Items) Combo->Items()->Add(s);
    Combo->Loaded();
  }
  std::unique_ptr<TBitmap> Item(int Index, int Width, TOwnerDrawState State = {}) {
    auto bmp = std::make_unique<TBitmap>(Width, 16);
    Combo->PaintItem(*bmp->GetCanvas(), Index, TRect(0, 0, Width, 16), State);
    return bmp;
  }
  TTestForm Form;
  TabcColorComboBox* Combo = nullptr;
};

TEST_F(ColorComboTest, ItemsAreReadAsNamesOrNumbersAndTheRestDisappears) {
  Load({"  clRed ", "255", "$FF0000", "junk", "-30", "clbtnface", "0x10"});
  ASSERT_EQ(Combo->Items()->Count(), 5);
  EXPECT_EQ(Combo->Items()->Get(0), "  clRed ");
  EXPECT_EQ(Combo->Items()->Get(3), "clbtnface");
  const std::vector<TColor> expected = {clRed, 255, 0xFF0000, clBtnFace, 16};
  EXPECT_EQ(Combo->Colors(), expected);
}

TEST_F(ColorComboTest, SelectedColorMatchesExactlyAndKeepsAColourOutsideTheList) {
  Load({"clBlack", "clBtnFace", "clRed"});
  EXPECT_EQ(Combo->GetSelectedColor(), clBlack);  // nothing was ever set
  Combo->SetSelectedColor(clRed);
  EXPECT_EQ(Combo->GetItemIndex(), 2);
  EXPECT_EQ(Combo->GetSelectedColor(), clRed);
  // The RGB value of the button face is not the system colour.
  Combo->SetSelectedColor(ColorToRGB(clBtnFace));
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  EXPECT_EQ(Combo->GetSelectedColor(), ColorToRGB(clBtnFace));
  Combo->SetSelectedColor(clBtnFace);
  EXPECT_EQ(Combo->GetItemIndex(), 1);
  // A manager colour outside the list survives being read back and stored again.
  Combo->SetSelectedColor(RGB(12, 200, 7));
  EXPECT_EQ(Combo->GetItemIndex(), -1);
  Combo->SetSelectedColor(Combo->GetSelectedColor());
  EXPECT_EQ(Combo->GetSelectedColor(), RGB(12, 200, 7));
  // The closed box shows its swatch.
  TBitmap closed;
  Combo->PaintTo(closed);
  EXPECT_GT(CountColor(closed, Combo->EditRect(), RGB(12, 200, 7)), 20);
}

TEST_F(ColorComboTest, ItemPicturesWithAndWithoutText) {
  Load({"clRed", "clBlue"});
  // Swatch: the item rectangle in the combo colour, shrunk by 2, raised 1-pixel frame, the colour inside.
  for (bool showText : {false, true}) {
    SCOPED_TRACE(showText);
    Combo->SetShowText(showText);
    auto picture = Item(0, 60, {TOwnerDrawStateItem::odSelected});
    TBitmap& bmp = *picture;
    const int right = showText ? 32 : 60;
    EXPECT_EQ(bmp.GetPixelColor(0, 0), Rgb(clBtnFace));
    EXPECT_EQ(bmp.GetPixelColor(right - 1, 15), Rgb(clBtnFace));
    EXPECT_EQ(bmp.GetPixelColor(2, 2), Rgb(clBtnHighlight));
    EXPECT_EQ(bmp.GetPixelColor(right - 4, 2), Rgb(clBtnHighlight));
    EXPECT_EQ(bmp.GetPixelColor(right - 3, 2), Rgb(clBtnShadow));  // corners as the platform's 3-D frame
    EXPECT_EQ(bmp.GetPixelColor(right - 3, 13), Rgb(clBtnShadow));
    EXPECT_EQ(bmp.GetPixelColor(3, 13), Rgb(clBtnShadow));
    EXPECT_EQ(bmp.GetPixelColor(2, 13), Rgb(clBtnHighlight));
    EXPECT_EQ(CountColor(bmp, TRect(3, 3, right - 3, 13), clRed), (right - 6) * 10);
    // The selection highlight shows only behind the text.
    EXPECT_EQ(CountColor(bmp, TRect(32, 0, 60, 16), clHighlight) > 0, showText);
  }
  Combo->SetShowText(true);
  auto textPicture = Item(1, 80);
  TBitmap& text = *textPicture;
  EXPECT_GT(CountColor(text, TRect(32, 0, 80, 16), clWindowText), 5);
}

TEST_F(ColorComboTest, TheGraphicsSetupListIsBuiltAndReadBack) {
  Combo->Items()->Clear();
  for (const char* s : kSetupList) Combo->Items()->Add(s);
  Combo->Loaded();
  ASSERT_EQ(Combo->Items()->Count(), 42);
  ASSERT_EQ(Graphics::ColorNames().size(), 42u);
  for (int i = 0; i < 42; ++i) {
    SCOPED_TRACE(kSetupList[i]);
    const TColor c = Combo->Colors()[static_cast<size_t>(i)];
    EXPECT_EQ(Graphics::ColorNames()[static_cast<size_t>(i)].Value, c);
    std::string name;
    ASSERT_TRUE(Graphics::ColorToIdent(c, name));
    EXPECT_EQ(name, kSetupList[i]);
    // Equal values (clGray and clDkGray) never occur twice: each colour finds its own item.
    Combo->SetSelectedColor(c);
    EXPECT_EQ(Combo->GetItemIndex(), i);
  }
  Combo->FillColorNames();
  ASSERT_EQ(Combo->Items()->Count(), 42);
  for (int i = 0; i < 42; ++i) EXPECT_EQ(Combo->Items()->Get(i), kSetupList[i]);
}

}  // namespace

}  // namespace ColorComboTest
