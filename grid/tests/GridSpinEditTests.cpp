// The spin controls and the button edits, driven through their key and mouse
// handlers: limits, stepping by type and caret field, typed-character rules,
// auto-repeat timing, the button's event and the unit menu.

#include "grid/GVEdit.h"
#include "grid/GridView.h"
#include "grid/gvspin.h"
#include "platform/ui/Menus.h"
#include "platform/ui/tests/UiFixture.h"

#include <cmath>

namespace GridSpinEditTests {

namespace {

TFormatSettings DayMonthYear() {
  TFormatSettings fs = TFormatSettings::Invariant();
  fs.ShortDateFormat = "dd/mm/yyyy";
  fs.DateSeparator = '/';
  fs.LongTimeFormat = "hh:nn:ss";
  fs.TimeSeparator = ':';
  return fs;
}

void Press(TWinControl& C, TKeyChar Ch) { C.KeyPress(Ch); }

}  // namespace

class SpinTest : public UiTest {
 protected:
  SpinTest() : fs(DayMonthYear()) {
    form = Application->CreateForm<TForm>();
    spin = Create<TGvSpinEdit>(form);
    spin->SetParent(form);
    GridView::BeepHook = [this] { ++beeps; };
  }
  ~SpinTest() override { GridView::BeepHook = nullptr; }
  void Key(uint16_t K) { spin->KeyDown(K, TShiftState{}); }

  TFormatSettingsScope fs;
  TForm* form;
  TGvSpinEdit* spin;
  int beeps = 0;
};

TEST_F(SpinTest, IntegerLimitsOnStepsAndOnLeaving) {
  struct Case {
    int Min, Max;
    std::string Text;
    uint16_t Key;  // 0: leave the control
    std::string Expected;
  };
  const Case cases[] = {
      {0, 100, "100", VK_UP, "100"},    // at the top an up step stays
      {0, 100, "150", 0, "100"},        // typed beyond the limit, limited on leaving
      {0, 100, "-5", 0, "0"},
      {0, 100, "0", VK_DOWN, "0"},
      {0, 0, "1000", VK_UP, "1001"},    // equal limits: no limit
      {0, 0, "-7", 0, "-7"},
      {5, 10, "abc", VK_UP, "6"},       // no number reads as MinValue
  };
  for (const Case& c : cases) {
    spin->MinValue = c.Min;
    spin->MaxValue = c.Max;
    spin->SetText(c.Text);
    if (c.Key) Key(c.Key);
    else spin->DoExit();
    EXPECT_EQ(spin->GetText(), c.Expected) << c.Text << " in " << c.Min << ".." << c.Max;
  }
}

TEST_F(SpinTest, DateStepsTheFieldTheCaretStandsIn) {
  spin->SetSpinType(sptDate);
  struct Case {
    std::string Text;
    int Caret, Sign;
    std::string Expected;
  };
  const Case cases[] = {
      {"31/01/2024", 1, 1, "01/02/2024"},   // first field: one day
      {"31/01/2024", 4, 1, "29/02/2024"},   // second field: one month, the day kept where the month has it
      {"15/03/2024", 4, -1, "15/02/2024"},
      {"15/12/2024", 5, 1, "15/01/2025"},
      {"29/02/2024", 8, 1, "28/02/2025"},   // third field: a year; 29 February becomes the 28th
      {"10/05/2024", 0, -1, "09/05/2024"},
  };
  for (const Case& c : cases) {
    spin->SetText(c.Text);
    spin->SetSelStart(c.Caret);
    c.Sign > 0 ? spin->StepUp() : spin->StepDown();
    EXPECT_EQ(spin->GetText(), c.Expected) << c.Text << " caret " << c.Caret;
    EXPECT_EQ(spin->GetSelStart(), c.Caret);
  }
}

TEST_F(SpinTest, TimeStepsWrapAtMidnight) {
  spin->SetSpinType(sptTime);
  struct Case {
    std::string Text;
    int Caret, Sign;
    std::string Expected;
  };
  const Case cases[] = {
      {"00:00:00", 0, -1, "23:00:00"},
      {"23:30:00", 1, 1, "00:30:00"},
      {"10:00:00", 4, -1, "09:59:00"},
      {"10:00:59", 7, 1, "10:01:00"},
  };
  for (const Case& c : cases) {
    spin->SetText(c.Text);
    spin->SetSelStart(c.Caret);
    c.Sign > 0 ? spin->StepUp() : spin->StepDown();
    EXPECT_EQ(spin->GetText(), c.Expected) << c.Text;
  }
}

TEST_F(SpinTest, ReadingsOfTextsThatAreNoValues) {
  spin->MinFloatValue = 1.5;
  spin->SetText("x");
  EXPECT_EQ(spin->GetFloatValue(), 1.5);
  EXPECT_EQ(spin->GetTimeValue(), 0.0);
  const TDateTime before = SysUtils::Now();
  spin->SetText("");
  const TDateTime d = spin->GetDateValue();
  EXPECT_GE(d, before);
  EXPECT_LE(d, SysUtils::Now());
}

TEST_F(SpinTest, FloatPrecisionRefusesAThirdDecimalUnlessSelected) {
  spin->MaxFloatValue = 1000;
  spin->SetSpinType(sptFloat);
  spin->SetPrecision(2);
  spin->SetFloatValue(3.25);
  EXPECT_EQ(spin->GetText(), "3.25");
  spin->SetSelStart(4);
  Press(*spin, u'7');
  EXPECT_EQ(spin->GetText(), "3.25");
  EXPECT_EQ(beeps, 1);
  spin->SetSelStart(2);
  spin->SetSelLength(2);
  Press(*spin, u'7');
  EXPECT_EQ(spin->GetText(), "3.7");
  Press(*spin, u'.');  // a second decimal separator
  Press(*spin, u',');  // the thousand separator becomes the decimal one
  EXPECT_EQ(spin->GetText(), "3.7");
  EXPECT_EQ(beeps, 3);
}

TEST_F(SpinTest, CharacterRulesByType) {
  struct Case {
    TGvSpinType Type;
    bool EditorEnabled;
    TKeyChar Ch;
    bool Accepted;
  };
  const Case cases[] = {
      {sptNormal, true, u'5', true},  {sptNormal, true, u'a', false}, {sptNormal, true, u':', false},
      {sptNormal, true, u'/', false}, {sptTime, true, u':', true},    {sptDate, true, u'/', true},
      {sptNormal, true, u'\r', false}, {sptNormal, false, u'5', false}, {sptNormal, false, 8, false},
      {sptNormal, true, 8, true},
  };
  for (const Case& c : cases) {
    spin->SetSpinType(c.Type);
    spin->SetEditorEnabled(c.EditorEnabled);
    spin->SetText("1");
    EXPECT_EQ(spin->AcceptChar(c.Ch), c.Accepted) << static_cast<int>(c.Type) << " " << static_cast<int>(c.Ch);
  }
  spin->SetSpinType(sptTime);
  spin->SetEditorEnabled(true);
  spin->SetText("10:00:00");
  EXPECT_FALSE(spin->AcceptChar(u':'));  // already two
}

TEST_F(SpinTest, HeldButtonRepeatsAfter400AndThenEvery100Ms) {
  int ups = 0;
  spin->Button()->OnUpClick = [&](TObject*) { ++ups; };
  TGridTimerSpeedButton* up = spin->Button()->UpButton();
  up->MouseDown(TMouseButton::mbLeft, TShiftState{}, 2, 2);
  EXPECT_EQ(ups, 1);
  ASSERT_TRUE(up->RepeatTimer());
  EXPECT_EQ(up->RepeatTimer()->GetInterval(), 400u);
  EXPECT_TRUE(up->RepeatTimer()->GetEnabled());
  up->TimerExpired();
  EXPECT_EQ(ups, 2);
  EXPECT_EQ(up->RepeatTimer()->GetInterval(), 100u);
  up->TimerExpired();
  EXPECT_EQ(ups, 3);
  up->MouseUp(TMouseButton::mbLeft, TShiftState{}, 2, 2);
  EXPECT_FALSE(up->RepeatTimer()->GetEnabled());
  EXPECT_EQ(ups, 3);
}

TEST_F(SpinTest, ButtonLayoutAndMinimumHeight) {
  spin->SetBounds(0, 0, 80, 5);
  EXPECT_EQ(spin->GetHeight(), spin->MinHeight());
  spin->SetHeight(30);
  TGvSpinButton* b = spin->Button();
  EXPECT_EQ(b->GetLeft(), 80 - b->GetWidth() - 5);
  EXPECT_EQ(b->GetHeight(), 25);
  EXPECT_EQ(b->UpButton()->GetHeight(), 12);
  EXPECT_EQ(b->DownButton()->GetTop(), 11);
  b->SetDirection(spHorizontal);
  EXPECT_EQ(b->GetWidth(), 20);
  EXPECT_EQ(b->DownButton()->GetWidth(), 10);
  EXPECT_EQ(b->UpButton()->GetLeft(), 11);
}

// ---------------------------------------------------------------- button edits

class EditBtnTest : public UiTest {
 protected:
  EditBtnTest() {
    form = Application->CreateForm<TForm>();
    edit = Create<TGvEditBtn>(form);
    edit->SetParent(form);
  }
  TForm* form;
  TGvEditBtn* edit;
};

TEST_F(EditBtnTest, EditorDisabledStillFiresTheButtonEvent) {
  std::vector<TObject*> senders;
  edit->OnClickBtn = [&](TObject* S) { senders.push_back(S); };
  edit->SetEditorEnabled(false);
  edit->SetText("abc");
  TKeyChar ch = u'x';
  edit->KeyPress(ch);
  EXPECT_EQ(edit->GetText(), "abc");
  uint16_t f4 = VK_F4;
  edit->KeyDown(f4, TShiftState{});
  TGridSpeedButton* b = edit->Holder()->Button();
  b->MouseDown(TMouseButton::mbLeft, TShiftState{}, 2, 2);
  b->MouseUp(TMouseButton::mbLeft, TShiftState{}, 2, 2);
  b->MouseUp(TMouseButton::mbRight, TShiftState{}, 2, 2);
  ASSERT_EQ(senders.size(), 2u);
  EXPECT_EQ(senders[0], edit);
  EXPECT_EQ(senders[1], edit->Holder());
}

TEST_F(EditBtnTest, HeightBelowTheMinimumIsRaised) {
  edit->SetBounds(0, 0, 100, 3);
  EXPECT_EQ(edit->GetHeight(), edit->MinHeight());
  EXPECT_GT(edit->MinHeight(), 3);
  edit->SetHeight(40);
  EXPECT_EQ(edit->GetHeight(), 40);
  EXPECT_EQ(edit->Holder()->GetLeft(), 100 - 18 - 5);
  EXPECT_EQ(edit->GetTextRect().Right, edit->GetClientWidth() - 18 - 3);
}

TEST_F(EditBtnTest, UnitMenuOfThreeChoosesTheSecond) {
  auto* u = Create<TGvUnitEditBtn>(form);
  u->SetParent(form);
  u->GetUnits()->SetText("m\ncm\nmm");
  int shown = -1;
  seam.AnswerPopup([&](TPopupMenu& Menu) {
    shown = Menu.Items()->Count();
    return Menu.Items()->GetItem(1);
  });
  u->ClickButton(u->Holder());
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(u->GetUnitID(), "cm");
  EXPECT_TRUE(u->GetRightAlign());
  // The label stands left of the button, UnitSpace wide.
  EXPECT_EQ(u->UnitRect().Right, u->GetClientWidth() - u->Holder()->GetWidth() - 3);
  EXPECT_EQ(u->UnitRect().Width(), 20);
}

}  // namespace GridSpinEditTests
