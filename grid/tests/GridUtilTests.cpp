#include "grid/GridUtil.h"

#include <gtest/gtest.h>

#include <cmath>

namespace GridUtilTests {

using namespace GridUtil;

TEST(GridUtil, LimitValueTable) {
  struct Case { int V, Lo, Hi, Want; };
  for (const Case& c : {Case{5, 10, 10, 5}, Case{5, 10, 20, 10}, Case{25, 10, 20, 20}, Case{25, 0, 20, 20},
                        Case{-3, 0, 0, -3}, Case{-3, -5, 0, -3}})
    EXPECT_EQ(LimitValue(c.V, c.Lo, c.Hi), c.Want) << c.V << " " << c.Lo << " " << c.Hi;
}

TEST(GridUtil, NumberKindNeedsADigitAndALeadingMinusOnly) {
  struct Case { const char* Text; int Kind; };
  for (const Case& c : {Case{"", nkNone}, Case{"12", nkInteger}, Case{"-12", nkInteger}, Case{"1,234.5", nkReal},
                        Case{",123", nkNone}, Case{"12-3", nkNone}, Case{"-", nkNone}, Case{"1.2.3", nkNone},
                        Case{"--1", nkNone}, Case{"1,23", nkReal}, Case{"1,2,3", nkNone}, Case{"-.5", nkReal},
                        Case{".", nkNone}, Case{"1a", nkNone}, Case{"1,234,567", nkReal}})
    EXPECT_EQ(NumberKind(c.Text), c.Kind) << c.Text;
}

TEST(GridUtil, NumberTextReadsDisplayedNumbers) {
  struct Case { const char* Text; const char* Want; };
  for (const Case& c : {Case{"(1,234.50 $)", "-1234.50"}, Case{"", ""}, Case{"$ 12", "12"}, Case{"-5 kg", "-5"},
                        Case{"1,000,000", "1000000"}})
    EXPECT_EQ(NumberText(c.Text), c.Want) << c.Text;
}

TEST(GridUtil, TextKindsAndLinks) {
  struct Case { const char* Text; bool Html; int Kind; };
  for (const Case& c : {Case{"", true, tkPlain}, Case{"=A1", true, tkFormula}, Case{"|\\x", true, tkWide},
                        Case{"{\\rtf", true, tkRichText}, Case{"<b>x</b>", true, tkHtml}, Case{"<b>x", true, tkPlain},
                        Case{"<B>x", true, tkHtml}, Case{"<B>x", false, tkPlain}})
    EXPECT_EQ(TextKind(c.Text, c.Html), c.Kind) << c.Text;
  EXPECT_TRUE(IsLink("http://x"));
  EXPECT_TRUE(IsLink("mailto:a@b"));
  std::string s = "https://site/a";
  StripLinkScheme(s);
  EXPECT_EQ(s, "site/a");
  TPoint cell;
  EXPECT_TRUE(ParseCellRef("r12c3", cell));
  EXPECT_EQ(cell, Point(3, 12));
  EXPECT_FALSE(ParseCellRef("R1C", cell));
  EXPECT_FALSE(ParseCellRef("RxC2", cell));
}

TEST(GridUtil, DatesWithTwoAndFourDigitYears) {
  int y = 0, m = 0, d = 0;
  auto ymd = [&](TDateTime t) {
    SysUtils::DecodeDate(t, y, m, d);
    return std::tuple<int, int, int>(y, m, d);
  };
  EXPECT_EQ(ymd(ParseEUDate("31.12.03")), std::make_tuple(2003, 12, 31));
  EXPECT_EQ(ymd(ParseUSDate("12/31/99")), std::make_tuple(1999, 12, 31));
  EXPECT_EQ(ymd(ParseUSDate("12/31/2003")), std::make_tuple(2003, 12, 31));
  EXPECT_EQ(ymd(ParseEUDate("1-2-125")), std::make_tuple(125, 2, 1));
  EXPECT_EQ(ymd(ParseUSDate("1/2/25")), std::make_tuple(2025, 1, 2));
  EXPECT_EQ(ymd(ParseUSDate("1/2/26")), std::make_tuple(1926, 1, 2));
  EXPECT_EQ(ParseUSDate("12 31 99"), 0);
  EXPECT_EQ(ParseUSDate("1/x/99"), 0);
  EXPECT_THROW(ParseUSDate("13/1/99"), EConvertError);
  TDateTime t = 0;
  TFormatSettings fs = TFormatSettings::Invariant();
  fs.ShortDateFormat = "dd.MM.yyyy";
  fs.DateSeparator = '.';
  TFormatSettingsScope scope(fs);
  ASSERT_TRUE(ParseLocaleDate("29.02.2004", t));
  EXPECT_EQ(ymd(t), std::make_tuple(2004, 2, 29));
  EXPECT_FALSE(ParseLocaleDate("29.02.2003", t));
  EXPECT_FALSE(ParseLocaleDate("32.01.2003", t));
  EXPECT_FALSE(ParseLocaleDate("1.2", t));
}

TEST(GridUtil, StepDateByDaysMonthsYears) {
  const TDateTime jan31 = SysUtils::EncodeDate(2003, 1, 31), dec15 = SysUtils::EncodeDate(2003, 12, 15);
  EXPECT_EQ(StepDate(0, 0, 3, 7, jan31), jan31 + 3);
  EXPECT_EQ(StepDate(2, 0, 0, 7, dec15), SysUtils::EncodeDate(2005, 12, 15));
  EXPECT_EQ(StepDate(0, 1, 0, 7, dec15), SysUtils::EncodeDate(2004, 1, 15));
  EXPECT_EQ(StepDate(0, -12, 0, 7, dec15), SysUtils::EncodeDate(2002, 12, 15));
  EXPECT_EQ(StepDate(1, 1, 0, 7, dec15), dec15 + 7);
  EXPECT_THROW(StepDate(1, 0, 0, 7, SysUtils::EncodeDate(2004, 2, 29)), EConvertError);
}

TEST(GridUtil, MatchConditionTable) {
  struct Case { const char* Cond; const char* Text; bool CaseSensitive; bool Want; };
  for (const Case& c : {Case{">10 & <20", "15", false, true}, Case{">10 & <20", "25", false, false},
                        Case{">10 ; <2", "1", false, true}, Case{"A*", "abc", false, true},
                        Case{"A*", "abc", true, false}, Case{"!A*", "abc", false, false},
                        Case{"!A*", "xbc", false, true}, Case{"a?c", "abcd", false, false},
                        Case{"a?c", "abc", false, true}, Case{"*c", "abc", false, true},
                        Case{"*b*", "abc", false, true}, Case{"*x*", "abc", false, false},
                        Case{">=10", "10", false, true}, Case{">10", "10", false, false},
                        Case{"<=10", "10", false, true}, Case{"< = 10", "10", false, true},
                        Case{">10", "abc", false, false}, Case{">b", "c", false, true},
                        Case{"=abc", "abc", false, true}, Case{"x | y", "y", false, true},
                        Case{"x ^ y", "x", false, true}, Case{"\"ab\"", "ab", false, true}})
    EXPECT_EQ(MatchCondition(c.Cond, c.Text, c.CaseSensitive), c.Want) << c.Cond << " / " << c.Text;
}

TEST(GridUtil, WideTextRoundTripsWithSurrogates) {
  const std::u16string w = u"a\u20AC\U0001F600\u00E9";
  const std::string stored = EncodeWideText(w);
  EXPECT_EQ(stored.substr(0, 2), "|\\");
  EXPECT_EQ(stored.size(), 2 + 2 * w.size());
  EXPECT_EQ(static_cast<uint8_t>(stored[4]), 0x20);  // high byte of the euro sign first
  EXPECT_EQ(DecodeWideText(stored), w);
  EXPECT_EQ(ShownText(stored), "a€😀é");
  EXPECT_EQ(DecodeWideText("plain é"), u"plain é");
  EXPECT_EQ(DecodeWideText(stored + "x"), w);  // an odd trailing byte is ignored
}

TEST(GridUtil, TextHelpers) {
  EXPECT_EQ(ProperCase("louis iii"), "Louis III");
  EXPECT_EQ(ProperCase("mcdonald"), "McDonald");
  EXPECT_EQ(ProperCase("o'neil-smith jr."), "O'Neil-Smith Jr.");
  EXPECT_EQ(ProperCase("HENRY ii"), "Henry II");
  std::string s = "a\nb\r\nc";
  LfToCrLf(s);
  EXPECT_EQ(s, "a\r\nb\r\nc");
  s = "x~y";
  TildeToCrLf(s);
  EXPECT_EQ(s, "x\r\ny");
  EXPECT_EQ(EscapesToBreaks("Top\\nBottom"), "Top\rBottom");
  s = "a\r\nb";
  QuoteMultiline(s);
  EXPECT_EQ(s, "\"a\nb\"");
  EXPECT_EQ(UnquoteChar('"', "a\"\"b\"c"), "a\"bc");
  EXPECT_EQ(UnquoteChar('"', "abc"), "abc");
  std::string text = "a\r\nb", line;
  TakeFirstLine(text, true, line);
  EXPECT_EQ(line, "a");
  EXPECT_EQ(text, "b");
  text = "a\r\nb";
  TakeFirstLine(text, false, line);
  EXPECT_EQ(text, "");
  EXPECT_EQ(LineCount("a\rb\rc", true), 3);
  EXPECT_EQ(LineCount("a\rb\rc", false), 1);
  int p = 0;
  EXPECT_EQ(ClosingQuotePos('"', "ab\"c", p), 3);
  EXPECT_EQ(ClosingQuotePos('"', "a\"\"b", p), 0);
  EXPECT_EQ(ClosingQuotePos('"', "ab\"", p), 3);
  EXPECT_EQ(ClosingQuoteCount('"', "a\",b\",c"), 2);
  EXPECT_EQ(PosUpper("BC", "abcd"), 2);
  EXPECT_EQ(CharCount('a', "banana"), 3);
  EXPECT_EQ(FirstCharOfSet({'x', 'n'}, "banana"), 'n');
  std::string pw = "é12";
  MaskText(pw, '*');
  EXPECT_EQ(pw, "***");
  EXPECT_EQ(RemoveCRs("a\rb\r"), "ab");
  EXPECT_EQ(LowerAscii('Q'), 'q');
  EXPECT_TRUE(CellInRange({1, 1, 3, 3}, 3, 1));
  EXPECT_FALSE(CellInRange({1, 1, 3, 3}, 4, 1));
  EXPECT_EQ(HalfColor(0x00FF8001), 0x007F4000);
}

TEST(GridUtil, GradientBandsRunFromStartToEndColour) {
  TBitmap b(64, 4);
  FillGradient(*b.GetCanvas(), clBlack, 0x0000FF, true, Rect(0, 0, 64, 4), 64);
  for (int x : {0, 10, 32, 63}) {
    const int want = static_cast<int>(std::nearbyint(x * 255.0 / 64));
    EXPECT_EQ(b.GetPixelColor(x, 2), want) << x;
  }
  TBitmap v(4, 10);
  FillGradient(*v.GetCanvas(), clWhite, clWhite, false, Rect(0, 0, 4, 10), 0);
  EXPECT_EQ(v.GetPixelColor(2, 9), clWhite);
}

TEST(GridUtil, ProgressBarSplitsAtThePercentage) {
  TBitmap b(104, 20);
  b.GetCanvas()->Brush->SetColor(clWhite);
  b.GetCanvas()->FillRect(Rect(0, 0, 104, 20));
  DrawProgressBar(*b.GetCanvas(), Rect(0, 0, 104, 20), clRed, 2, 2, 25, clBlack, clWhite, clWhite);
  EXPECT_EQ(b.GetPixelColor(3, 4), clRed);     // filled part: 2 .. 2 + 25
  EXPECT_EQ(b.GetPixelColor(26, 4), clRed);
  EXPECT_EQ(b.GetPixelColor(28, 4), clWhite);  // empty part
  EXPECT_EQ(b.GetPixelColor(1, 10), clBlack);  // frame one pixel outside
  TBitmap pie(21, 21);
  pie.GetCanvas()->Brush->SetColor(clWhite);
  pie.GetCanvas()->FillRect(Rect(0, 0, 21, 21));
  DrawProgressPie(*pie.GetCanvas(), Rect(0, 0, 21, 21), clBlue, 50);
  EXPECT_EQ(pie.GetPixelColor(15, 6), clBlue);   // right half filled
  EXPECT_EQ(pie.GetPixelColor(5, 10), clWhite);  // left half empty
}

TEST(GridUtil, ResourceBitmapsShowTheBackgroundThroughTheirKeyColour) {
  RegisterResourceBitmap("TESTPIC", [] {
    auto b = std::make_unique<TBitmap>(3, 3);
    b->GetCanvas()->Brush->SetColor(clFuchsia);
    b->GetCanvas()->FillRect(Rect(0, 0, 3, 3));
    b->GetCanvas()->SetPixel(1, 1, clBlack);
    return b;
  });
  TBitmap target(5, 5);
  DrawResourceBitmap(*target.GetCanvas(), clYellow, Rect(1, 1, 5, 5), "testpic");
  EXPECT_EQ(target.GetPixelColor(1, 1), clYellow);
  EXPECT_EQ(target.GetPixelColor(2, 2), clBlack);
  EXPECT_EQ(target.GetPixelColor(0, 0), clWhite);
  UnregisterResourceBitmap("TESTPIC");
  EXPECT_THROW(DrawResourceBitmap(*target.GetCanvas(), clYellow, Rect(0, 0, 5, 5), "TESTPIC"), EResNotFound);
}

TEST(GridUtil, WavyUnderlineRunsUnderTheRangeOnly) {
  TBitmap b(120, 30);
  TCanvas& c = *b.GetCanvas();
  c.Brush->SetColor(clWhite);
  c.FillRect(Rect(0, 0, 120, 30));
  const std::string text = "abcdefghij";
  const int start = c.TextWidth("abc"), end = c.TextWidth("abcde");
  UnderlineTextRange(c, text, 3, 3, 10, Rect(5, 5, 115, 25));
  auto redInColumn = [&](int x) {
    for (int y = 0; y < 30; ++y)
      if (b.GetPixelColor(x, y) == clRed) return true;
    return false;
  };
  EXPECT_TRUE(redInColumn(5 + start + 1));
  EXPECT_TRUE(redInColumn(5 + end));
  EXPECT_FALSE(redInColumn(5 + start - 3));
  EXPECT_FALSE(redInColumn(5 + end + 10));
  for (int x = 0; x < 120; ++x)
    for (int y : {0, 14}) EXPECT_NE(b.GetPixelColor(x, y), clRed) << x;  // within offset + 3 (+ pen)
}

}  // namespace GridUtilTests
