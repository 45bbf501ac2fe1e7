// The up-down control: stepping within its range, its associate edit, its
// events and its arrow buttons.
#include "platform/ui/ComCtrls.h"
#include "platform/ui/tests/UiFixture.h"

#include <QToolButton>
#include <QWidget>

#include <climits>

namespace ComCtrlsUpDownTests {

namespace {

class UpDownTest : public UiTest {
 protected:
  UpDownTest() {
    form = Application->CreateForm<TForm>();
    edit = Create<TEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(10, 20, 60, 21);
    upDown = Create<TUpDown>(form);
    upDown->SetAssociate(edit);
  }
  TForm* form;
  TEdit* edit;
  TUpDown* upDown;
};

TEST_F(UpDownTest, StepsStopOrWrapAtTheLimitsAndStartFromTheTypedNumber) {
  struct TCase {
    const char* Typed;
    int Min, Max, Increment;
    bool Wrap;
    TUDBtnType Button;
    const char* Shown;
  };
  const TCase cases[] = {
      {"10", 0, 100, 5, false, TUDBtnType::btNext, "15"},
      {"10", 0, 100, 5, false, TUDBtnType::btPrev, "5"},
      {"98", 0, 100, 5, false, TUDBtnType::btNext, "100"},  // stops at Max
      {"2", 0, 100, 5, false, TUDBtnType::btPrev, "0"},     // stops at Min
      {"98", 0, 100, 5, true, TUDBtnType::btNext, "0"},     // wraps to Min
      {"2", 0, 100, 5, true, TUDBtnType::btPrev, "100"},    // wraps to Max
      {"500", 0, 100, 1, false, TUDBtnType::btPrev, "99"},  // a typed number beyond Max counts as Max
      {"abc", 0, 100, 1, false, TUDBtnType::btNext, "8"},   // not a number: the last position (7)
      {" 40 ", 0, 100, 10, false, TUDBtnType::btNext, "50"},
      {"2147483647", INT_MIN, INT_MAX, 10, false, TUDBtnType::btNext, "2147483647"},  // no overflow
  };
  for (const TCase& c : cases) {
    upDown->SetMin(c.Min);
    upDown->SetMax(c.Max);
    upDown->SetIncrement(c.Increment);
    upDown->Wrap = c.Wrap;
    upDown->SetPosition(7);
    edit->SetText(c.Typed);
    upDown->ButtonClick(c.Button);
    EXPECT_EQ(edit->GetText(), c.Shown) << c.Typed << (c.Button == TUDBtnType::btNext ? " up" : " down");
  }
}

TEST_F(UpDownTest, PositionIsClampedShownInTheEditAndFollowsANewRange) {
  upDown->SetPosition(250);
  EXPECT_EQ(upDown->GetPosition(), 100);
  EXPECT_EQ(edit->GetText(), "100");
  upDown->SetMax(50);
  EXPECT_EQ(edit->GetText(), "50");
  edit->SetText("30");
  EXPECT_EQ(upDown->GetPosition(), 30);
  // An edit freed first leaves the up-down working on its own.
  edit->Free();
  upDown->SetPosition(12);
  EXPECT_EQ(upDown->GetPosition(), 12);
}

TEST_F(UpDownTest, ChangingMayRefuseAStepAndClickTellsTheButton) {
  std::vector<std::string> events;
  bool allow = false;
  upDown->OnChanging = [&](TObject*, bool& Allow) {
    events.push_back("changing " + edit->GetText());
    Allow = allow;
  };
  upDown->OnClick = [&](TObject*, TUDBtnType Button) {
    events.push_back(std::string(Button == TUDBtnType::btNext ? "up " : "down ") + edit->GetText());
  };
  upDown->SetPosition(3);  // from code: no events
  upDown->ButtonClick(TUDBtnType::btNext);
  EXPECT_EQ(edit->GetText(), "3");
  allow = true;
  upDown->ButtonClick(TUDBtnType::btNext);
  upDown->ButtonClick(TUDBtnType::btPrev);
  EXPECT_EQ(events, (std::vector<std::string>{"changing 3", "changing 3", "up 4", "changing 4", "down 3"}));
}

TEST_F(UpDownTest, SitsOnTheEditsRightEdgeAndItsArrowsStep) {
  EXPECT_EQ(upDown->GetParent(), form);
  EXPECT_EQ(upDown->GetLeft() + upDown->GetWidth(), 70);  // inside the edit's old width
  EXPECT_EQ(edit->GetLeft() + edit->GetWidth(), upDown->GetLeft());
  EXPECT_EQ(upDown->GetTop(), 20);
  EXPECT_EQ(upDown->GetHeight(), 21);
  upDown->SetPosition(10);
  auto* up = upDown->Handle()->findChild<QToolButton*>("up");
  auto* down = upDown->Handle()->findChild<QToolButton*>("down");
  ASSERT_TRUE(up && down);
  up->click();
  up->click();
  EXPECT_EQ(edit->GetText(), "12");
  down->click();
  EXPECT_EQ(edit->GetText(), "11");
}

}  // namespace

}  // namespace ComCtrlsUpDownTests
