// The date and time picker driven by keys and clicks: fields stepped in the
// order of the date format, the calendar state, the check box.

#include "platform/ui/DateTimePicker.h"
#include "platform/ui/tests/UiFixture.h"

namespace DateTimePickerTests {

class DateTimePickerTest : public UiTest {
 protected:
  DateTimePickerTest() : fs(Settings()) {
    form = Application->CreateForm<TForm>();
    picker = Create<TDateTimePicker>(form);
    picker->SetParent(form);
  }
  static TFormatSettings Settings() {
    TFormatSettings f = TFormatSettings::Invariant();
    f.ShortDateFormat = "yyyy-mm-dd";
    f.DateSeparator = '-';
    f.LongTimeFormat = "hh:nn:ss";
    return f;
  }
  void Key(uint16_t K, TShiftState S = {}) { picker->KeyDown(K, S); }
  TFormatSettingsScope fs;
  TForm* form;
  TDateTimePicker* picker;
};

TEST_F(DateTimePickerTest, ArrowsStepTheChosenFieldInTheFormatsOrder) {
  struct Case {
    int Field, Sign;
    std::string Expected;
  };
  const Case cases[] = {
      {0, 1, "2025-02-28"},  // a year on: the 29th of February becomes the 28th
      {1, 1, "2024-03-29"}, {1, -1, "2024-01-29"}, {2, 1, "2024-03-01"}, {2, -1, "2024-02-28"},
  };
  for (const Case& c : cases) {
    picker->SetDateTime(SysUtils::EncodeDate(2024, 2, 29));
    picker->SetField(0);
    for (int i = 0; i < c.Field; ++i) Key(VK_RIGHT);
    Key(c.Sign > 0 ? VK_UP : VK_DOWN);
    EXPECT_EQ(picker->GetText(), c.Expected) << c.Field << " " << c.Sign;
  }
  picker->Kind = dtkTime;
  picker->SetTime(0);
  picker->SetField(0);
  Key(VK_DOWN);
  EXPECT_EQ(picker->GetText(), "23:00:00");
}

TEST_F(DateTimePickerTest, CalendarOpensOnlyForTheDropDownDateMode) {
  int drops = 0, closes = 0;
  picker->OnDropDown = [&](TObject*) { ++drops; };
  picker->OnCloseUp = [&](TObject*) { ++closes; };
  Key(VK_F4);
  EXPECT_TRUE(picker->GetDroppedDown());
  Key(VK_ESCAPE);
  EXPECT_FALSE(picker->GetDroppedDown());
  Key(VK_DOWN, TShiftState{TShiftStateItem::ssAlt});
  EXPECT_TRUE(picker->GetDroppedDown());
  Key(VK_RETURN);
  EXPECT_EQ(drops, 2);
  EXPECT_EQ(closes, 2);
  picker->DateMode = dmUpDown;
  Key(VK_F4);
  EXPECT_FALSE(picker->GetDroppedDown());
  picker->DateMode = dmComboBox;
  picker->Kind = dtkTime;
  Key(VK_F4);
  EXPECT_FALSE(picker->GetDroppedDown());
}

TEST_F(DateTimePickerTest, CheckBoxTogglesBySpaceAndClick) {
  EXPECT_TRUE(picker->GetChecked());
  TKeyChar space = u' ';
  picker->KeyPress(space);
  EXPECT_TRUE(picker->GetChecked());  // no check box shown: stays ticked
  picker->ShowCheckbox = true;
  space = u' ';
  picker->KeyPress(space);
  EXPECT_FALSE(picker->GetChecked());
  const TRect r = picker->CheckRect();
  picker->MouseDown(TMouseButton::mbLeft, TShiftState{}, r.Left + 2, r.Top + 2);
  EXPECT_TRUE(picker->GetChecked());
}

}  // namespace DateTimePickerTests
