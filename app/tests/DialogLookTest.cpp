// The framed caption boxes and picture buttons of the "Model constructor" and
// "Default array" dialogs: each edit lies inside its box, the command button
// has the dialogs' size, font and frame. With KV_PICTURE_DIR set the two
// dialogs are also written as PNG pictures to look at.

#include "app/Dearsetup.h"
#include "app/DialogFields.h"
#include "app/ModelConstruct.h"
#include "platform/ui/QtBridge.h"
#include "platform/ui/StdCtrls.h"
#include "controls/abcbtn.h"
#include "controls/abcexctl.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <QFontMetrics>

namespace DialogLookTest {

namespace {

void CheckLook(TForm& Dialog, const std::string& PictureName) {
  Forms::EnsureToolkit();
  int boxes = 0, covered = 0;
  for (int i = 0; i < Dialog.ControlCount(); ++i) {
    auto* box = dynamic_cast<TabcSuperLabel*>(Dialog.GetControl(i));
    if (!box) continue;
    ++boxes;
    EXPECT_EQ(box->GetBorderStyle(), TBorderStyle::bsSingle);
    EXPECT_EQ(box->GetVerticalAlignment(), TabcVAlignment::vaCenter);
    EXPECT_EQ(box->GetTopMargin(), 2);
    EXPECT_EQ(box->GetHeight(), 33);
    EXPECT_EQ(box->GetCaption().substr(0, 1), " ");
    for (int j = 0; j < Dialog.ControlCount(); ++j) {
      TControl* c = Dialog.GetControl(j);
      if (c == box || dynamic_cast<TabcSuperLabel*>(c) || dynamic_cast<TabcPicBtn*>(c)) continue;
      const TRect r = c->GetBoundsRect(), b = box->GetBoundsRect();
      if (r.Left > b.Left && r.Right < b.Right && r.Top > b.Top && r.Bottom < b.Bottom) ++covered;
    }
  }
  EXPECT_GE(boxes, 5);
  EXPECT_EQ(covered, boxes);
  if (const char* dir = std::getenv("KV_PICTURE_DIR")) {
    TBitmap bmp;
    Dialog.PaintTo(bmp);
    TPngImage png;
    png.Assign(bmp);
    png.SaveToFile(std::string(dir) + "/" + PictureName);
  }
}

void CheckButton(TButton* Button, const std::string& Caption) {
  auto* b = dynamic_cast<TabcPicBtn*>(Button);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->GetCaption(), Caption);
  EXPECT_EQ(b->GetWidth(), 75);
  EXPECT_EQ(b->GetHeight(), 29);
  EXPECT_EQ(b->GetFont()->GetName(), "Arial");
  EXPECT_EQ(b->GetFont()->GetHeight(), -13);
  EXPECT_EQ(b->GetStyle(), TabcButtonStyle::absRecessedBlackHighlight);
  EXPECT_FALSE(b->GetDisabledShadow());
}

TEST(DialogLookTest, ModelConstructorHasFramedBoxesAndAPictureButton) {
  Forms::EnsureToolkit();
  auto* d = Create<TModConstr>(nullptr);
  CheckLook(*d, "model_constructor.png");
  CheckButton(d->abcPicBtn1, "Ok");
  d->Free();
}

TEST(DialogLookTest, DefaultArrayHasFramedBoxesAndAPictureButton) {
  Forms::EnsureToolkit();
  auto* d = Create<TDefarray>(nullptr);
  CheckLook(*d, "default_array.png");
  CheckButton(d->abcPicBtn1, "Apply");
  d->Free();
}

}  // namespace

namespace {

TEST(DialogLookTest, CaptionsAndComboItemsFitAtTheFontsInUse) {
  // Each dialog is as wide as its caption needs beside the title-bar buttons,
  // every combo box shows its widest item, and the edits stay inside their boxes.
  Forms::EnsureToolkit();
  for (TForm* d : {static_cast<TForm*>(Create<TModConstr>(nullptr)), static_cast<TForm*>(Create<TDefarray>(nullptr))}) {
    SCOPED_TRACE(d->GetCaption());
    EXPECT_GE(d->GetWidth(), DialogFields::CaptionWidthNeeded(*d));
    for (int i = 0; i < d->ControlCount(); ++i) {
      TControl* c = d->GetControl(i);
      EXPECT_LE(c->GetLeft() + c->GetWidth(), d->GetClientWidth()) << i;
      if (auto* combo = dynamic_cast<TComboBox*>(c)) {
        const QFontMetrics metrics(UiBridge::ToQFont(*combo->GetFont()));
        for (int k = 0; k < combo->Items()->Count(); ++k)
          EXPECT_GT(combo->GetWidth(), metrics.horizontalAdvance(UiBridge::ToQ(combo->Items()->Get(k))) + 20)
              << combo->Items()->Get(k);
      }
    }
    d->Free();
  }
}

}  // namespace

}  // namespace DialogLookTest
