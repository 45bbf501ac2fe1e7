// Series marks: texts by style, box geometry, stored positions, DrawEvery,
// anti-overlap, the callout offset, and axis labels taken from the marks.
#include <gtest/gtest.h>

#include "chart/engine/PlotEngine_Marks.h"
#include "chart/engine/tests/SeriesFixture.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"

namespace MarksTests {

using SysUtils::FormatFloat;

namespace {

class MarksTest : public AxisPanelChartTest {
protected:
  void SetUp() override {
    AxisPanelChartTest::SetUp();
    Series = Create<TTestSeries>(Owner);
    Chart->AddSeries(Series);
    Chart->SetView3D(false);
    Series->AppendPoint(1, -2, "a");
    Series->AppendPoint(2, 2);
    Series->AppendPoint(3, 5, "c");
    Series->AppendPoint(4, 7, "d");
    Series->AppendPoint(5, 9, "e");
  }
  TSeriesMarks& Marks() { return *dynamic_cast<TSeriesMarks*>(Series->Marks()); }
  void Draw() { Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 300)); }
  std::vector<int32_t> StoredIndexes() {
    std::vector<int32_t> v;
    for (int32_t i = 0; i < Marks().PositionCount(); ++i)
      if (Marks().Position(i)) v.push_back(i);
    return v;
  }
  TTestSeries* Series = nullptr;
  TBitmap Bitmap{400, 300};
};

}  // namespace

TEST_F(MarksTest, NewSeriesOwnsHiddenMarksWithTheirDefaults) {
  TSeriesMarks& m = Marks();
  EXPECT_FALSE(m.GetVisible());
  EXPECT_EQ(m.GetStyle(), smsLabel);
  EXPECT_EQ(m.GetDrawEvery(), 1);
  EXPECT_EQ(m.GetColor(), clInfoBk);
  EXPECT_EQ(m.Shadow()->GetColor(), clGray);
  EXPECT_EQ(m.Shadow()->GetSize(), 1);
  EXPECT_EQ(m.GetGradient()->GetDirection(), gdRightLeft);
  EXPECT_EQ(m.GetGradient()->GetStartColor(), clSilver);
  EXPECT_EQ(m.GetGradient()->GetEndColor(), clWhite);
  EXPECT_EQ(m.Parent(), Chart);
  EXPECT_EQ(m.GetArrowLength(), 8);
  EXPECT_FALSE(m.GetCallout()->GetVisible());
  EXPECT_EQ(m.GetArrow()->GetColor(), clWhite);
  EXPECT_FALSE(m.GetSymbol()->GetVisible());
}

TEST_F(MarksTest, MarkTextFollowsStyle) {
  const std::string pct50 = FormatFloat(Series->GetPercentFormat(), 2 * 100.0 / 25);
  // Series values -2, 2, 5, 7, 9: TotalABS 25.
  struct Case {
    TSeriesMarksStyle Style;
    bool MultiLine;
    int32_t Index;
    std::string Text;
  };
  const std::string total = FormatFloat(Series->GetValueFormat(), 25);
  const Case cases[] = {
      {smsValue, false, 0, "-2"},
      {smsLabel, false, 0, "a"},
      {smsLabel, false, 1, ""},  // no label: no mark
      {smsLabelValue, false, 0, "a -2"},
      {smsLabelValue, true, 0, "a\r-2"},
      {smsPercent, false, 0, pct50},
      {smsLabelPercent, false, 0, "a " + pct50},
      {smsPercentTotal, false, 0, pct50 + " of " + total},
      {smsPercentTotal, true, 0, pct50 + "\rof " + total},
      {smsLabelPercentTotal, false, 2, "c " + FormatFloat(Series->GetPercentFormat(), 20) + " of " + total},
      {smsXValue, false, 3, "4"},
      {smsXY, false, 3, "4 7"},
      {smsXY, true, 4, "5\r9"},
  };
  for (const Case& c : cases) {
    Marks().SetStyle(c.Style);
    Marks().SetMultiLine(c.MultiLine);
    EXPECT_EQ(Series->GetMarkText(c.Index), c.Text) << static_cast<int>(c.Style) << " multi " << c.MultiLine;
  }
}

TEST_F(MarksTest, PercentOfZeroTotalIsAHundredAndBlankTextGivesNoMark) {
  auto* zero = Create<TTestSeries>(Owner);
  Chart->AddSeries(zero);
  zero->AppendPoint(0, 0, " ");
  EXPECT_EQ(zero->PercentText(0, false), FormatFloat(zero->GetPercentFormat(), 100));
  EXPECT_EQ(zero->GetMarkText(0), "");  // a text of one blank is no text
}

TEST_F(MarksTest, ItemTextAndEventOverrideTheStyleText) {
  TStrings* lines = Marks().Item(1)->Text();
  lines->Add("first");
  lines->Add("second");
  EXPECT_EQ(Series->GetMarkText(1), "first\r\nsecond");
  EXPECT_EQ(PlotEngine::MarkTextLines(Series->GetMarkText(1)), (std::vector<std::string>{"first", "second"}));
  Marks().Item(1)->SetText(nullptr);
  EXPECT_EQ(Series->GetMarkText(1), "");
  Series->OnGetMarkText = [](TChartSeries*, int32_t Index, std::string& Text) { Text += "#" + std::to_string(Index); };
  EXPECT_EQ(Series->GetMarkText(0), "a#0");
}

TEST_F(MarksTest, BoxStandsCentredOnThePointAndGrowsWithLinesFrameAndSymbol) {
  Marks().SetVisible(true);
  Marks().SetStyle(smsLabelValue);
  // Text is measured while the chart canvas is attached to its target.
  int32_t f = 0, ww = 0, oneLine = 0, twoLines = 0, widest = 0, expectedWidest = 0;
  Chart->OnAfterDraw = [&](TObject*) {
    TCanvas3D& c = *Chart->Canvas();
    c.UseFont(*Marks().Font());
    f = c.FontHeight();
    ww = c.TextWidth("W");
    oneLine = c.TextWidth("c 5");
    twoLines = std::max(c.TextWidth("c"), c.TextWidth("5"));
    widest = Series->MaxMarkWidth();
    expectedWidest = 0;
    for (const char* line : {"a", "-2", "2", "c", "5", "d", "7", "e", "9"})
      expectedWidest = std::max(expectedWidest, c.TextWidth(line));
  };
  Draw();
  const int32_t frame = Marks().Pen()->GetVisible() ? 2 * Marks().Pen()->GetWidth() : 1;
  const TSeriesMarkPosition* p = Marks().Position(2);
  ASSERT_NE(p, nullptr);
  ASSERT_GT(f, 0);
  const int32_t px = Series->PointPixelX(2), py = Series->PointPixelY(2);
  const int32_t w = oneLine + ww + frame, h = f + frame;
  EXPECT_EQ(p->ArrowTip, TPoint(px, py));
  EXPECT_EQ(p->ArrowTail, TPoint(px, py));
  EXPECT_EQ(p->Width, w);
  EXPECT_EQ(p->Height, h);
  EXPECT_EQ(p->TopLeft, TPoint(px - w / 2, py - h + 1));

  Marks().SetMultiLine(true);
  Marks().GetSymbol()->SetVisible(true);
  Draw();
  p = Marks().Position(2);
  EXPECT_EQ(p->Height, 2 * f + frame);
  EXPECT_EQ(p->Width, twoLines + ww + f - 4 + frame);
  EXPECT_EQ(widest, expectedWidest);  // the widest line of any mark
}

TEST_F(MarksTest, BoxIsFilledWithTheMarksColourAndHiddenItemsDrawNothing) {
  Marks().SetVisible(true);
  Marks().Shadow()->SetSize(0);
  Marks().SetColor(clLime);
  Marks().Item(2)->SetVisible(false);
  Draw();
  // Points below the last item take the items' look; point 4 has the marks' own.
  const TSeriesMarkPosition* p = Marks().Position(4);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(Marks().ItemOrMarks(0)->GetColor(), clInfoBk);
  // The pixel just inside the frame, left of the text, is the box colour.
  EXPECT_EQ(Bitmap.GetPixelColor(p->TopLeft.X + 1, p->TopLeft.Y + 1) & 0xFFFFFF, clLime);
  EXPECT_EQ(Marks().Position(2), nullptr);
}

TEST_F(MarksTest, DrawEveryMarksOnlyMultiplesAndCountsZeroAsOne) {
  Marks().SetVisible(true);
  Marks().SetStyle(smsValue);
  Marks().SetDrawEvery(2);
  Draw();
  EXPECT_EQ(StoredIndexes(), (std::vector<int32_t>{0, 2, 4}));
  // Hit-testing never reports a point DrawEvery skips, even with a stored position.
  TSeriesMarkPosition odd;
  odd.TopLeft = {5, 5};
  odd.Width = odd.Height = 10;
  Marks().SetPosition(1, odd);
  EXPECT_EQ(Marks().MarkAtPixel(10, 10), -1);
  const TSeriesMarkPosition* p = Marks().Position(2);
  EXPECT_EQ(Marks().MarkAtPixel(p->TopLeft.X + p->Width, p->TopLeft.Y), 2);  // edges included

  Marks().ClearPositions();
  for (int32_t every : {0, -3}) {
    Marks().SetDrawEvery(every);
    Draw();
    EXPECT_EQ(StoredIndexes(), (std::vector<int32_t>{0, 1, 2, 3, 4})) << every;
  }
}

TEST_F(MarksTest, UserPositionSurvivesRedrawsUntilReset) {
  Marks().SetVisible(true);
  Draw();
  const TSeriesMarkPosition computed = *Marks().Position(0);
  TSeriesMarkPosition user = computed;
  user.TopLeft = {20, 30};
  Marks().SetPosition(0, user);
  Draw();
  EXPECT_TRUE(Marks().Position(0)->IsCustom);
  EXPECT_EQ(Marks().Position(0)->TopLeft, TPoint(20, 30));
  Marks().ResetPositions();
  Draw();
  EXPECT_FALSE(Marks().Position(0)->IsCustom);
  EXPECT_EQ(Marks().Position(0)->TopLeft, computed.TopLeft);
}

TEST_F(MarksTest, ClearingTheSeriesDropsPositionsAndItemsUnlessItemsCameFromAStream) {
  Marks().SetPosition(0, TSeriesMarkPosition{});
  Marks().Item(0)->SetColor(clRed);
  Series->Clear();
  EXPECT_EQ(Marks().PositionCount(), 0);
  EXPECT_EQ(Marks().Items().Count(), 0);

  Marks().Item(0)->SetColor(clRed);
  Marks().Items().ReadFromStream = true;
  Series->Clear();
  EXPECT_EQ(Marks().Items().Count(), 1);
}

TEST_F(MarksTest, DeletingAPointShiftsItsPositionAndItem) {
  TSeriesMarkPosition p;
  p.Width = 7;
  Marks().SetPosition(2, p);
  Marks().Item(2)->SetColor(clRed);
  Series->Delete(0);
  ASSERT_NE(Marks().Position(1), nullptr);
  EXPECT_EQ(Marks().Position(1)->Width, 7);
  EXPECT_EQ(Marks().ItemOrMarks(1)->GetColor(), clRed);
  EXPECT_EQ(Marks().ItemOrMarks(5), &Marks());
}

TEST_F(MarksTest, AntiOverlapLiftsTheLastMarkAboveAnOverlappingOne) {
  Marks().Shadow()->SetSize(0);
  Marks().Pen()->SetVisible(false);
  TSeriesMarkPosition below;
  below.TopLeft = {10, 50};
  below.Width = 20;
  below.Height = 10;
  Marks().SetPosition(0, below);
  TSeriesMarkPosition last = below;
  last.TopLeft = {15, 45};  // R0.Top 45 < 50: lifted by 55 - 50
  last.ArrowTail = {25, 55};
  Marks().AntiOverlap(0, 1, last);
  EXPECT_EQ(last.TopLeft.Y, 40);
  EXPECT_EQ(last.ArrowTail.Y, 50);

  TSeriesMarkPosition apart = below;
  apart.TopLeft = {100, 50};
  Marks().AntiOverlap(0, 1, apart);
  EXPECT_EQ(apart.TopLeft.Y, 50);
}

TEST_F(MarksTest, CalloutOffsetLiftsBoxAndTailByLengthPlusDistance) {
  TSeriesMarkPosition p;
  p.TopLeft = {0, 100};
  p.ArrowTail = p.ArrowTip = {0, 120};
  Marks().ApplyCalloutOffset(p);  // no callout yet: unchanged
  EXPECT_EQ(p.TopLeft.Y, 100);
  Marks().GetCallout()->SetDistance(3);
  Marks().SetArrowLength(10);
  Marks().ApplyCalloutOffset(p);
  EXPECT_EQ(p.TopLeft.Y, 87);
  EXPECT_EQ(p.ArrowTail.Y, 107);
  EXPECT_EQ(p.ArrowTip.Y, 117);
  EXPECT_TRUE(Marks().GetCallout()->IsLengthStored());
}

TEST_F(MarksTest, AssignCopiesSettingsCalloutAndItems) {
  Marks().SetAngle(90);
  Marks().SetDrawEvery(3);
  Marks().SetStyle(smsXY);
  Marks().SetArrowLength(0);
  Marks().Item(2)->Text()->Add("two");
  auto* other = Create<TTestSeries>(Owner);
  other->SetMarks(Series->Marks());
  auto& m = *dynamic_cast<TSeriesMarks*>(other->Marks());
  EXPECT_EQ(m.GetAngle(), 90);
  EXPECT_EQ(m.GetDrawEvery(), 3);
  EXPECT_EQ(m.GetStyle(), smsXY);
  EXPECT_EQ(m.GetArrowLength(), 0);
  ASSERT_EQ(m.Items().Count(), 3);
  EXPECT_EQ(m.Items().Peek(0), nullptr);
  EXPECT_EQ(m.Items().Peek(2)->Text()->Strings(0), "two");
}

TEST_F(MarksTest, MarkLabelStyleLabelsTheAxisWithMarkTexts) {
  Marks().SetStyle(smsValue);
  Chart->GetBottomAxis()->SetLabelStyle(talMark);
  std::vector<std::string> texts;
  Chart->OnGetAxisLabel = [&](TChartAxis* Axis, TChartSeries* S, int32_t, std::string& Text) {
    if (Axis == Chart->GetBottomAxis() && S == Series) texts.push_back(Text);
  };
  Draw();
  EXPECT_EQ(texts, (std::vector<std::string>{"-2", "2", "5", "7", "9"}));
  texts.clear();
  Chart->GetBottomAxis()->SetLabelStyle(talText);
  Draw();
  EXPECT_EQ(texts, (std::vector<std::string>{"a", "", "c", "d", "e"}));
}

}  // namespace MarksTests
