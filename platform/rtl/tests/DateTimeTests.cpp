#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/SysUtils.h"

namespace DateTimeTests {

using namespace SysUtils;

namespace {

class DateTimeText : public ::testing::Test {
 protected:
  TFormatSettingsScope FInvariant{TFormatSettings::Invariant()};
  // Tuesday 2024-03-05 14:07:09.045
  const TDateTime FSample = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
};

}  // namespace

TEST_F(DateTimeText, EncodeDateCountsDaysFrom18991230) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_EQ(EncodeDate(2024, 2, 29) - EncodeDate(2024, 2, 28), 1.0);
}

TEST_F(DateTimeText, EncodeRejectsImpossibleDatesAndTimes) {
  TDateTime d = 0;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, d));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, d));
  try {
    EncodeDate(2023, 4, 31);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to date encode");
  }
  EXPECT_THROW(EncodeTime(1, 60, 0, 0), EConvertError);
}

TEST_F(DateTimeText, DecodeSplitsDateAndTimeOfDay) {
  struct Case {
    TDateTime Value;
    int Y, M, D, H, N, S, Z;
  } cases[] = {
      {0.5, 1899, 12, 30, 12, 0, 0, 0},
      {-1.25, 1899, 12, 29, 6, 0, 0, 0},          // before the epoch the fraction still counts forwards
      {0.99999999999, 1899, 12, 31, 0, 0, 0, 0},  // never 24:00
      {36526 + 0.75, 2000, 1, 1, 18, 0, 0, 0},
  };
  for (const Case& c : cases) {
    int y, m, d, h, n, s, z;
    DecodeDate(c.Value, y, m, d);
    DecodeTime(c.Value, h, n, s, z);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{c.Y, c.M, c.D, c.H, c.N, c.S, c.Z}))
        << c.Value;
  }
  int y, m, d, h, n, s, z;
  DecodeDate(FSample, y, m, d);
  DecodeTime(FSample, h, n, s, z);
  EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, z}), (std::vector<int>{2024, 3, 5, 14, 7, 9, 45}));
}

TEST_F(DateTimeText, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                         // 1899-12-30 was a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 1, 1)), 2);    // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 10)), 1);   // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 24)), 1);  // before the epoch
}

TEST_F(DateTimeText, FormatDateTimeSpecifiers) {
  struct Case {
    const char* Format;
    const char* Text;
  } cases[] = {
      {"yyyy-mm-dd hh:nn:ss.zzz", "2024-03-05 14:07:09.045"},
      {"d/m/yy", "5/3/24"},
      {"dd/mm/yyyy", "05/03/2024"},
      {"dddd, mmmm d", "Tuesday, March 5"},
      {"ddd mmm", "Tue Mar"},
      {"hh:mm", "14:07"},  // "m" after "h" is minutes
      {"h:mm am/pm", "2:07 pm"},
      {"h:mm AM/PM", "2:07 PM"},
      {"h a/p", "2 p"},
      {"hh ampm", "02 PM"},
      {"HH:NN:SS", "14:07:09"},
      {"c", "03/05/2024 14:07:09"},
      {"", "03/05/2024 14:07:09"},
      {"ddddd", "03/05/2024"},
      {"dddddd", "Tuesday, 05 March 2024"},
      {"tt", "14:07:09"},
      {"t", "14:07"},
      {"\"at\" hh", "at 14"},
      {"'day' d", "day 5"},
      {"mm", "03"},
      {"s z", "9 45"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.Format, FSample), c.Text) << c.Format;
}

TEST_F(DateTimeText, FormatDateTimeEdgeCases) {
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "03/05/2024");  // no time at midnight
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeDate(2024, 3, 5)), "12 am");
  EXPECT_EQ(FormatDateTime("h am/pm", EncodeDate(2024, 3, 5) + 0.5), "12 pm");
  TFormatSettings de = TFormatSettings::Invariant();
  de.DateSeparator = '.';
  de.TimeSeparator = '.';
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", FSample, de), "05.03.2024 14.07");
  EXPECT_EQ(DateToStr(FSample), "03/05/2024");
  EXPECT_EQ(TimeToStr(FSample), "14:07:09");
  EXPECT_EQ(DateTimeToStr(FSample), "03/05/2024 14:07:09");
}

TEST_F(DateTimeText, StrToDateAndTimeReadTheSettingsOrder) {
  EXPECT_EQ(StrToDate("03/05/2024"), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(StrToTime("14:07:09"), EncodeTime(14, 7, 9, 0));
  EXPECT_DOUBLE_EQ(StrToTime("2:07 PM"), EncodeTime(14, 7, 0, 0));
  EXPECT_DOUBLE_EQ(StrToTime("12:00 am"), 0.0);
  EXPECT_DOUBLE_EQ(StrToDateTime("03/05/2024 14:07"), EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 0, 0));
  TFormatSettings de = TFormatSettings::Invariant();
  de.ShortDateFormat = "dd/mm/yyyy";
  de.DateSeparator = '.';
  TDateTime d = 0;
  EXPECT_TRUE(TryStrToDate("05.03.2024", d, de));
  EXPECT_EQ(d, EncodeDate(2024, 3, 5));
  EXPECT_FALSE(TryStrToDate("05.03.2024x", d, de));
  try {
    StrToDate("13/45/2024");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'13/45/2024' is not a valid date");
  }
  EXPECT_THROW(StrToTime("25:00"), EConvertError);
}

TEST_F(DateTimeText, NowIsTodayPlusTimeOfDay) {
  const TDateTime now = Now();
  EXPECT_GE(now, EncodeDate(2020, 1, 1));
  const TDateTime t = Time();
  EXPECT_GE(t, 0.0);
  EXPECT_LT(t, 1.0);
  EXPECT_EQ(Date(), std::floor(Date()));
}

}  // namespace DateTimeTests
