// The layout of the body parameters, program setup, picture settings,
// contour-section setup, section setup and graphics setup dialogs: every
// visible control lies inside its parent's client area and no two input
// controls of one parent overlap. With KV_PICTURE_DIR set the dialogs are also
// written as PNG pictures to look at.

#include "app/PrSetupUn.h"
#include "app/PseudoSetup.h"
#include "app/polysetup.h"
#include "app/setupMG.h"
#include "app/bsetupun.h"
#include "app/printsettings.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "controls/DFSClrBn.h"
#include "controls/abccombo.h"
#include "controls/abcedtop.h"
#include "controls/abcexctl.h"
#include "views/Multigraphics.h"
#include "views/PolygonChart.h"
#include "views/PseudoSection2d.h"
#include "platform/gdi/Graphics.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace DialogPicturesTest {

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

TEST(DialogPicturesTest, DialogsAreLaidOutInsideTheirWindows) {
  Forms::EnsureToolkit();
  PlotConst::Initialize();
  auto* owner = new TComponent(nullptr);
  auto* section = Create<TPseudoSection2d>(owner);
  section->ColorNamesFound = true;
  section->LevelFile = "/data/resistivity.lvl";
  section->UseExternal = true;
  section->ExtMin = 10;
  section->ExtMax = 1000;
  auto* model = Create<TPolygonChart>(owner);
  multigraph* graph = Create<multigraph>();
  graph->ColorMode = 0;
  graph->FixCurveLineColor = true;
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
      {[section] {
         auto* d = Create<TPseudosetupForm>(nullptr);
         d->LoadFromSection(*section);
         return d;
       },
       "dialogs_contour_setup.png"},
      {[model] {
         auto* d = Create<TPolysetupForm>(nullptr);
         d->LoadFromChart(*model);
         return d;
       },
       "dialogs_section_setup.png"},
      {[graph] {
         auto* d = Create<TsetMG>(nullptr);
         d->Graph = graph;
         d->LoadFromGraph();
         return d;
       },
       "dialogs_graphics_setup.png"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Picture);
    TForm* d = c.Make();
    CheckLayout(*d);
    SavePicture(*d, c.Picture);
    d->Free();
  }
  graph->Free();
  owner->Free();
}

}  // namespace

}  // namespace DialogPicturesTest
