// The layout of the body parameters, program setup and picture settings
// dialogs: every visible control lies inside its parent's client area and no
// two input controls of one parent overlap. With KV_PICTURE_DIR set the three
// dialogs are also written as PNG pictures to look at.

#include "app/PrSetupUn.h"
#include "app/bsetupun.h"
#include "app/printsettings.h"
#include "controls/abcexctl.h"
#include "platform/gdi/Graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

bool IsInput(const TControl* C) { return dynamic_cast<const TWinControl*>(C) != nullptr; }

void CheckLayout(TWinControl& Parent) {
  const int w = Parent.GetClientWidth(), h = Parent.GetClientHeight();
  for (int i = 0; i < Parent.ControlCount(); ++i) {
    TControl* c = Parent.GetControl(i);
    if (!c->GetVisible()) continue;
    const TRect r = c->GetBoundsRect();
    EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= w && r.Bottom <= h)
        << Parent.GetName() << " / " << c->GetName() << " " << c->GetText() << " lies outside";
    for (int j = i + 1; j < Parent.ControlCount(); ++j) {
      TControl* d = Parent.GetControl(j);
      if (!d->GetVisible() || !IsInput(c) || !IsInput(d) || dynamic_cast<TabcSuperLabel*>(d)) continue;
      const TRect s = d->GetBoundsRect();
      const bool overlap = r.Left < s.Right && s.Left < r.Right && r.Top < s.Bottom && s.Top < r.Bottom;
      EXPECT_FALSE(overlap) << c->GetText() << " overlaps " << d->GetText();
    }
    if (auto* child = dynamic_cast<TWinControl*>(c)) CheckLayout(*child);
  }
}

void SavePicture(TForm& Dialog, const std::string& Name) {
  if (const char* dir = std::getenv("KV_PICTURE_DIR")) {
    TBitmap bmp;
    Dialog.PaintTo(bmp);
    TPngImage png;
    png.Assign(bmp);
    png.SaveToFile(std::string(dir) + "/" + Name);
  }
}

TEST(DialogPicturesTest, ThreeDialogsAreLaidOutInsideTheirWindows) {
  Forms::EnsureToolkit();
  struct TCase {
    std::function<TForm*()> Make;
    const char* Picture;
  };
  const TCase cases[] = {
      {[] {
         auto* d = Create<TBsetup>(nullptr);
         d->GravMagLoaded = true;
         d->LoadFromBody();
         d->Edit1->SetText("123.457");
         d->Edit2->SetText("2.500");
         d->Edit3->SetText("2.679");
         d->Edit4->SetText("0.00123");
         d->ComboBox1->SetItemIndex(2);
         d->Edit5->SetText("clay");
         return d;
       },
       "dialogs_body.png"},
      {[] {
         auto* d = Create<TSetupForm>(nullptr);
         d->Edit1->SetText("0.10");
         d->Edit2->SetText("1.0");
         d->Edit3->SetText("0.10");
         d->Edit4->SetText("2.0");
         d->SpinEdit9->SetValue(7);
         d->CheckBox1->SetChecked(true);
         return d;
       },
       "dialogs_setup.png"},
      {[] { return Create<Tprntset>(nullptr); }, "dialogs_picture.png"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Picture);
    TForm* d = c.Make();
    CheckLayout(*d);
    SavePicture(*d, c.Picture);
    d->Free();
  }
}

}  // namespace
