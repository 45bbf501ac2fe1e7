// The calendar series: cell geometry, where the days fall, clicks on days,
// the month menu, the change event and the month buttons.
#include <vector>

#include "chart/extras/PlotCalendar.h"
#include "chart/series/tests/PlotToolsFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ScriptedUserSeam.h"

namespace PlotCalendarTests {

namespace {

using SysUtils::EncodeDate;

class CalendarTest : public ToolChartTest {
protected:
  TCalendarSeries* Calendar(int Y, int M, int D) {
    auto* s = Add<TCalendarSeries>();
    s->FirstDayOfWeek = 0;  // Monday first
    s->SetDate(EncodeDate(Y, M, D));
    Draw();
    return s;
  }
  // The centre of cell (column, row).
  TPoint Centre(const TCalendarSeries& S, int32_t C, int32_t R) const {
    return TPoint(S.ColumnX(C - 0.5), S.RowY(R - 0.5));
  }
  TDateTime ClickDate(TCalendarSeries& S, int32_t C, int32_t R) {
    const TPoint p = Centre(S, C, R);
    Down(p.X, p.Y);
    Up(p.X, p.Y);
    return S.GetDate();
  }
};

TEST_F(CalendarTest, CellsTileTheAxesRectangle) {
  auto* s = Calendar(2025, 6, 10);
  TChartAxis* h = Chart->BottomAxis();
  TChartAxis* v = Chart->LeftAxis();
  EXPECT_EQ(s->Rows(), 8);
  EXPECT_EQ(s->ColumnX(0), h->StartPixel);
  EXPECT_EQ(s->ColumnX(7), h->EndPixel);
  EXPECT_EQ(s->RowY(0), std::min(v->StartPixel, v->EndPixel));
  EXPECT_EQ(s->RowY(8), std::max(v->StartPixel, v->EndPixel));
  for (int32_t c = 1; c <= 7; ++c) {
    const TRect r = s->CellRect(c, 3);
    EXPECT_EQ(r.Left, s->CellRect(c, 4).Left);
    if (c < 7) {
      EXPECT_EQ(r.Right + 2, s->CellRect(c + 1, 3).Left) << "one pixel of gap on each side";
    }
  }
  // The day of Date has the blue Today look; 10 June 2025 is a Tuesday, column 2,
  // in the third week row (June begins on a Sunday, alone in the first).
  const TRect today = s->CellRect(2, 5);
  EXPECT_EQ(Px(today.Left + 2, today.Top + 2), 0xFF0000u);
  // Sunday 8 June, column 7: red.
  const TRect sunday = s->CellRect(7, 4);
  EXPECT_EQ(Px(sunday.Left + 2, sunday.Top + 2), 0x0000FFu);
}

TEST_F(CalendarTest, AMonthStartingOnSundayPutsDayOneInColumnSeven) {
  auto* s = Calendar(2025, 6, 10);  // 1 June 2025 is a Sunday
  EXPECT_EQ(s->DayOneColumn(), 7);
  struct Case {
    int32_t Column, Row;
    TDateTime Expected;
  };
  for (const Case& c : {Case{1, 3, EncodeDate(2025, 5, 26)}, Case{6, 3, EncodeDate(2025, 5, 31)},
                        Case{7, 3, EncodeDate(2025, 6, 1)}, Case{1, 4, EncodeDate(2025, 6, 2)}}) {
    TDateTime d = 0;
    const TPoint p = Centre(*s, c.Column, c.Row);
    ASSERT_TRUE(s->DateAt(p.X, p.Y, d)) << c.Column;
    EXPECT_EQ(d, c.Expected) << c.Column << "," << c.Row;
  }
  // Sunday-first locale: day 1 in column 1.
  s->FirstDayOfWeek = 6;
  EXPECT_EQ(s->DayOneColumn(), 1);
}

TEST_F(CalendarTest, LeapFebruaryAndClicksOnTrailingDays) {
  struct Case {
    int Y, M;
    int32_t Column, Row;
    TDateTime Expected;
  };
  // 1 Feb 2024: Thursday, column 4; day 29 ends in column 4 of row 7.
  // 1 Jan 2025: Wednesday, column 3; the two days before are 30 and 31 December 2024.
  for (const Case& c : {Case{2024, 2, 4, 7, EncodeDate(2024, 2, 29)}, Case{2024, 2, 5, 7, EncodeDate(2024, 3, 1)},
                        Case{2024, 2, 1, 8, EncodeDate(2024, 3, 4)}, Case{2025, 1, 1, 3, EncodeDate(2024, 12, 30)},
                        Case{2025, 1, 2, 3, EncodeDate(2024, 12, 31)}, Case{2025, 12, 5, 7, EncodeDate(2026, 1, 2)}}) {
    auto* s = Calendar(c.Y, c.M, 15);
    EXPECT_EQ(ClickDate(*s, c.Column, c.Row), c.Expected) << c.Y << "-" << c.M << " " << c.Column << "," << c.Row;
    s->Free();
  }
}

TEST_F(CalendarTest, HiddenTrailingDaysAndHeaderRowsChangeNothing) {
  auto* s = Calendar(2025, 6, 10);
  s->Trailing()->SetVisible(false);
  EXPECT_EQ(ClickDate(*s, 1, 3), EncodeDate(2025, 6, 10));
  EXPECT_EQ(ClickDate(*s, 3, 2), EncodeDate(2025, 6, 10)) << "weekday row";
  s->WeekDays()->SetVisible(false);
  s->Months()->SetVisible(false);
  Draw();
  EXPECT_EQ(s->Rows(), 6);
  EXPECT_EQ(s->FirstWeekRow(), 1);
  const TChartAxis* v = Chart->LeftAxis();
  EXPECT_EQ(s->PointAtPixel(Centre(*s, 3, 1).X, std::min(v->StartPixel, v->EndPixel)), 0);
  EXPECT_EQ(ClickDate(*s, 3, 2), EncodeDate(2025, 6, 4)) << "six week rows fill the rectangle";
  s->SetActive(false);
  EXPECT_EQ(s->PointAtPixel(Centre(*s, 3, 2).X, Centre(*s, 3, 2).Y), -1);
}

TEST_F(CalendarTest, TheMonthMenuClipsTheDay) {
  auto* s = Calendar(2025, 1, 31);
  TScriptedUserSeam seam;
  int32_t items = 0;
  seam.AnswerPopup([&](TPopupMenu& Menu) {
    items = Menu.Items()->Count();
    EXPECT_EQ(Menu.Items()->GetItem(1)->GetCaption(), FormatSettings.LongMonthNames[1]);
    return Menu.Items()->GetItem(1);
  });
  const TRect t = s->TitleBounds;
  Down((t.Left + t.Right) / 2, (t.Top + t.Bottom) / 2);
  EXPECT_EQ(items, 12);
  EXPECT_EQ(s->GetDate(), EncodeDate(2025, 2, 28));
}

TEST_F(CalendarTest, AChangeHandlerThatSetsTheValueBackChangesNothing) {
  auto* s = Calendar(2025, 6, 10);
  int32_t calls = 0;
  s->OnChange = [&](TCalendarSeries* Sender, TDateTime& Value) {
    ++calls;
    Value = Sender->GetDate();
  };
  EXPECT_EQ(ClickDate(*s, 5, 5), EncodeDate(2025, 6, 10));
  EXPECT_EQ(calls, 1);
  s->SetDate(EncodeDate(2025, 6, 10));
  EXPECT_EQ(calls, 1) << "no change, no call";
  s->OnChange = [&](TCalendarSeries*, TDateTime& Value) { Value += 1; };
  s->SetDate(EncodeDate(2025, 6, 20));
  EXPECT_EQ(s->GetDate(), EncodeDate(2025, 6, 21));
}

TEST_F(CalendarTest, ButtonsStepMonthsWithTheDayClipped) {
  auto* window = Create<TPlotPanelControl>(Owner, Chart);
  auto* s = Calendar(2025, 1, 31);
  ASSERT_NE(s->NextButton(), nullptr);
  ASSERT_NE(s->PreviousButton(), nullptr);
  EXPECT_EQ(s->NextButton()->GetCaption(), ">");
  EXPECT_EQ(s->PreviousButton()->GetCaption(), "<");
  EXPECT_EQ(s->NextButton()->GetParent(), window);
  s->NextButton()->Click();
  EXPECT_EQ(s->GetDate(), EncodeDate(2025, 2, 28));
  s->NextButton()->Click();
  EXPECT_EQ(s->GetDate(), EncodeDate(2025, 3, 28));
  s->PreviousButton()->Click();
  s->PreviousButton()->Click();
  s->PreviousButton()->Click();
  EXPECT_EQ(s->GetDate(), EncodeDate(2024, 12, 28));
  s->SetActive(false);
  EXPECT_FALSE(s->NextButton()->GetVisible());
  s->Free();
}

TEST_F(CalendarTest, AChartWithoutAWindowHasNoButtons) {
  auto* s = Calendar(2025, 1, 31);
  EXPECT_EQ(s->NextButton(), nullptr);
  s->StepMonths(1);
  EXPECT_EQ(s->GetDate(), EncodeDate(2025, 2, 28));
  EXPECT_FALSE(s->GetShowInLegend());
  EXPECT_EQ(s->Count(), 1);
}

}  // namespace

}  // namespace PlotCalendarTests
