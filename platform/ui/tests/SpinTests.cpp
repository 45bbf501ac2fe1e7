// The spin edit: its value within the bounds (both 0: unbounded), stepping by
// the arrows, the keys and the wheel, and the arrows it paints.
#include "platform/ui/Spin.h"
#include "platform/ui/tests/UiFixture.h"

#include <climits>

namespace SpinTests {

namespace {

class SpinEditTest : public UiTest {
 protected:
  SpinEditTest() {
    form = Application->CreateForm<TForm>();
    spin = Create<TSpinEdit>(form);
    spin->SetParent(form);
    spin->SetBounds(10, 20, 80, 22);
  }
  TForm* form;
  TSpinEdit* spin;
};

TEST_F(SpinEditTest, ValueIsTheTextClampedToTheBoundsAndMinValueForNoNumber) {
  struct TCase {
    const char* Text;
    int Min, Max;
    int Value;
    bool Exact;
  };
  const TCase cases[] = {
      {"7", 1, 50, 7, true},        {"0", 1, 50, 1, false},      {"51", 1, 50, 50, false},
      {" 12 ", 1, 50, 12, true},    {"abc", 1, 50, 1, false},    {"", 1, 50, 1, false},
      {"2.5", 1, 50, 1, false},     {"-40", 0, 0, -40, true},    {"99999", 0, 0, 99999, true},
      {"99999999999", 0, 0, INT_MAX, false},                      {"-3", -5, 5, -3, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    spin->MinValue = c.Min;
    spin->MaxValue = c.Max;
    spin->SetText(c.Text);
    EXPECT_EQ(spin->GetValue(), c.Value);
    EXPECT_EQ(spin->TextIsValue(), c.Exact);
  }
  spin->MinValue = 1;
  spin->MaxValue = 50;
  spin->SetValue(80);
  EXPECT_EQ(spin->GetText(), "50");
}

TEST_F(SpinEditTest, ArrowsKeysAndWheelStepWithinTheBoundsAndFireOnChange) {
  spin->MinValue = 1;
  spin->MaxValue = 3;
  spin->SetValue(2);
  int changes = 0;
  spin->OnChange = [&](TObject*) { ++changes; };
  const TRect up = spin->UpButtonRect(), down = spin->DownButtonRect();
  spin->MouseDown(TMouseButton::mbLeft, {}, up.Left + 2, up.Top + 2);
  spin->MouseUp(TMouseButton::mbLeft, {}, up.Left + 2, up.Top + 2);
  EXPECT_EQ(spin->GetValue(), 3);
  spin->MouseDown(TMouseButton::mbLeft, {}, up.Left + 2, up.Top + 2);  // at the top: stays
  spin->MouseUp(TMouseButton::mbLeft, {}, up.Left + 2, up.Top + 2);
  EXPECT_EQ(spin->GetValue(), 3);
  uint16_t key = VK_DOWN;
  spin->KeyDown(key, {});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(spin->GetValue(), 2);
  spin->MouseDown(TMouseButton::mbLeft, {}, down.Left + 2, down.Bottom - 2);
  spin->MouseUp(TMouseButton::mbLeft, {}, down.Left + 2, down.Bottom - 2);
  EXPECT_EQ(spin->GetValue(), 1);
  EXPECT_TRUE(spin->DoMouseWheel({}, 120, TPoint(5, 5)));
  EXPECT_EQ(spin->GetValue(), 2);
  EXPECT_EQ(changes, 4);  // the step that stayed at 3 changed nothing
  // A press in the text part steps nothing; a read-only edit never steps.
  spin->MouseDown(TMouseButton::mbLeft, {}, 3, 5);
  EXPECT_EQ(spin->GetValue(), 2);
  spin->SetReadOnly(true);
  key = VK_UP;
  spin->KeyDown(key, {});
  EXPECT_EQ(spin->GetValue(), 2);
}

TEST_F(SpinEditTest, LeavingShowsAnOutOfRangeNumberAsItsBoundAndKeepsOtherText) {
  spin->MinValue = 1;
  spin->MaxValue = 50;
  spin->SetText("70");
  spin->DoExit();
  EXPECT_EQ(spin->GetText(), "50");
  spin->SetText("x1");
  spin->DoExit();
  EXPECT_EQ(spin->GetText(), "x1");
}

TEST_F(SpinEditTest, PaintsAnArrowInEachButtonAndTheTextBesideThem) {
  spin->SetValue(5);
  TBitmap bmp;
  spin->PaintTo(bmp);
  auto darkIn = [&](const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if ((bmp.GetPixelColor(x, y) & 0xFFFFFF) == 0) ++n;
    return n;
  };
  const TRect up = spin->UpButtonRect(), down = spin->DownButtonRect();
  // The triangles: black pixels well inside each button, not on its frame.
  EXPECT_GT(darkIn(TRect(up.Left + 3, up.Top + 2, up.Right - 3, up.Bottom - 1)), 2);
  EXPECT_GT(darkIn(TRect(down.Left + 3, down.Top + 1, down.Right - 3, down.Bottom - 3)), 2);
  // Up points up: its widest black row lies lower than the down arrow's widest row within its button.
  auto widestRow = [&](const TRect& r) {
    int best = -1, bestCount = 0;
    for (int y = r.Top; y < r.Bottom; ++y) {
      int n = 0;
      for (int x = r.Left + 3; x < r.Right - 3; ++x)
        if ((bmp.GetPixelColor(x, y) & 0xFFFFFF) == 0) ++n;
      if (n > bestCount) {
        bestCount = n;
        best = y - r.Top;
      }
    }
    return best;
  };
  EXPECT_GT(widestRow(TRect(up.Left, up.Top + 2, up.Right, up.Bottom - 1)),
            widestRow(TRect(down.Left, down.Top + 1, down.Right, down.Bottom - 2)));
}

}  // namespace

}  // namespace SpinTests
