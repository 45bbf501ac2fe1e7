// The hint window: a frameless top-most window shown without the focus at
// screen coordinates; the desktop's shell icons where its theme has them.

#include "platform/ui/HintWindow.h"
#include "platform/ui/ShellIcons.h"
#include "platform/ui/tests/UiFixture.h"

#include <QWidget>

namespace HintWindowTests {

class HintWindowTest : public UiTest {};

TEST_F(HintWindowTest, ShowsTopMostWithoutFocusWhereItIsTold) {
  THintWindow* w = Create<THintWindow>(nullptr);
  const TRect need = w->CalcHintRect(200, "a hint");
  EXPECT_GT(need.Width(), 0);
  EXPECT_GT(need.Height(), 0);
  w->ActivateHint(TRect(30, 40, 30 + need.Width(), 40 + need.Height()), "a hint");
  EXPECT_TRUE(w->GetVisible());
  EXPECT_EQ(w->GetCaption(), "a hint");
  EXPECT_TRUE(w->IsTopMostWindow());
  EXPECT_EQ(w->Handle()->geometry(), QRect(30, 40, need.Width(), need.Height()));
  EXPECT_FALSE(w->Handle()->hasFocus());
  w->ReleaseHint();
  EXPECT_FALSE(w->GetVisible());
  const TRect screen = THintWindow::ScreenRect();
  EXPECT_GT(screen.Width(), 0);
  w->Free();
}

TEST_F(HintWindowTest, ShellIconsAreFoundOrTakeNothing) {
  EXPECT_EQ(ShellIcons::IconSize(false), (TSize{16, 16}));
  EXPECT_EQ(ShellIcons::IconSize(true), (TSize{32, 32}));
  TIcon icon;
  EXPECT_FALSE(ShellIcons::IconByIndex(-1, false, icon));
  EXPECT_FALSE(ShellIcons::IconByIndex(1000, true, icon));
  EXPECT_FALSE(ShellIcons::IconForFile("", false, icon));
  EXPECT_TRUE(icon.GetEmpty());
  // Whatever the desktop's theme holds, a found icon has the asked size.
  for (const char* name : {"notes.txt", "/tmp", "x.no-such-kind-of-file"}) {
    if (ShellIcons::IconForFile(name, true, icon)) {
      EXPECT_EQ(icon.GetWidth(), 32) << name;
    }
  }
}

}  // namespace HintWindowTests
