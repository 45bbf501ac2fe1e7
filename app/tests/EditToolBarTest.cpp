// The edit-mode tool bar appears with the first survey, above the status bar;
// every tool button shows its own picture and names its command in its hint.
#include <cstdlib>
#include <set>

#include <QImage>

#include "app/ToolGlyphs.h"
#include "app/tests/AppTestSupport.h"
#include "controls/dfsStatusBar.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/ComCtrls.h"

namespace EditToolBarTest {

namespace {

using AppTest::AppFixture;

class EditToolBarTest : public AppFixture {};

TEST_F(EditToolBarTest, ShownWithTheFirstSurveyAboveTheStatusBar) {
  TMainForm& f = OpenForm();
  EXPECT_FALSE(f.ToolBar2->GetVisible());
  Seam.AnswerFileDialog(TFileDialogResult{{AppTest::ExampleFile("wenner.k2d")}, 1});
  AppTest::AcceptModelConstructor(Seam);
  f.Openfile1->Click();
  ASSERT_TRUE(f.ToolBar2->GetVisible());
  EXPECT_EQ(f.ToolBar2->GetTop() + f.ToolBar2->GetHeight(), f.StatusBar1->GetTop());
  EXPECT_EQ(f.StatusBar1->GetTop() + f.StatusBar1->GetHeight(), f.GetClientHeight());
}

TEST_F(EditToolBarTest, EveryToolButtonHasItsOwnLegiblePictureAndAHint) {
  TMainForm& f = OpenForm();
  // The main tool bar's pictures are 16 pixels, the edit modes' 24.
  struct TBar {
    TToolBar* Bar;
    int Size;
    int Buttons;
  };
  int total = 0;
  for (const TBar& bar : {TBar{f.ToolBar1, 16, 9}, TBar{f.ToolBar2, 24, 13}}) {
    std::set<std::string> pictures;
    int buttons = 0;
    for (int i = 0; i < bar.Bar->ControlCount(); ++i) {
      auto* button = dynamic_cast<TSpeedButton*>(bar.Bar->GetControl(i));
      if (!button) continue;
      ++buttons;
      SCOPED_TRACE(button->GetName());
      EXPECT_FALSE(button->GetHint().empty());
      EXPECT_TRUE(button->GetShowHint());
      const TBitmap* glyph = button->GetGlyph();
      ASSERT_TRUE(glyph && !glyph->GetEmpty());
      ASSERT_EQ(glyph->GetWidth(), bar.Size);
      ASSERT_EQ(glyph->GetHeight(), bar.Size);
      // The corner is the transparent colour; the ink covers a fair part of the picture.
      EXPECT_EQ(ColorToRGB(glyph->GetPixelColor(0, bar.Size - 1)), ColorToRGB(clFuchsia));
      int ink = 0;
      std::string bytes;
      for (int y = 0; y < bar.Size; ++y)
        for (int x = 0; x < bar.Size; ++x) {
          const TColor c = ColorToRGB(glyph->GetPixelColor(x, y));
          ink += c != ColorToRGB(clFuchsia);
          bytes += std::to_string(c) + ",";
        }
      EXPECT_GT(ink, bar.Size * bar.Size / 10);
      EXPECT_TRUE(pictures.insert(bytes).second) << "the same picture as another button";
    }
    EXPECT_EQ(buttons, bar.Buttons);
    total += buttons;
  }
  EXPECT_EQ(static_cast<size_t>(total), ToolGlyphs::Names().size());
  EXPECT_EQ(ToolGlyphs::Make("NoSuchButton", 16), nullptr);
  // With KV_PICTURE_DIR set, every picture at both sizes is written side by side.
  if (const char* dir = std::getenv("KV_PICTURE_DIR")) {
    const auto& names = ToolGlyphs::Names();
    QImage sheet(static_cast<int>(names.size()) * 28, 46, QImage::Format_RGB32);
    sheet.fill(Qt::lightGray);
    for (size_t i = 0; i < names.size(); ++i)
      for (int size : {16, 24}) {
        const auto glyph = ToolGlyphs::Make(names[i], size);
        for (int y = 0; y < size; ++y)
          for (int x = 0; x < size; ++x) {
            const TColor c = ColorToRGB(glyph->GetPixelColor(x, y));
            if (c == ColorToRGB(clFuchsia)) continue;
            sheet.setPixel(static_cast<int>(i) * 28 + 2 + x, (size == 16 ? 2 : 20) + y,
                           qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
          }
      }
    sheet.save(QString::fromStdString(std::string(dir) + "/tool_glyphs.png"));
  }
}

}  // namespace

}  // namespace EditToolBarTest
