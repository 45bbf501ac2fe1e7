// Legend layout and clicks, and title and foot layout.
#include "chart/engine/tests/ChartFixture.h"

#include <cmath>

namespace ChartLegendTests {

namespace {

class ChartLegendTest : public ChartTest {
protected:
  void AddMany(int32_t N) {
    for (int32_t i = 0; i < N; ++i) AddSeries("S" + std::to_string(i), {1, 2});
  }
};

}  // namespace

TEST_F(ChartLegendTest, GradientIsTheLegendsOwnClassWithItsDefaultsAlsoWhenMadeAgain) {
  for (int round = 0; round < 2; ++round) {
    TPlotGradient* g = Chart->Legend()->GetGradient();
    ASSERT_NE(dynamic_cast<TChartLegendGradient*>(g), nullptr);
    EXPECT_EQ(g->GetDirection(), gdRightLeft);
    EXPECT_EQ(g->GetStartColor(), TColor(0xC0C0C0));
    EXPECT_EQ(g->GetEndColor(), TColor(0xFFFFFF));
    Chart->Legend()->SetGradient(nullptr);
  }
}

TEST_F(ChartLegendTest, AutoStyleIsSeriesForTwoActiveSeriesAndValuesForOne) {
  auto* a = AddSeries("a", {1, 2, 3});
  AddSeries("b", {4, 5});
  Draw();
  EXPECT_EQ(Chart->Legend()->EffectiveStyle, lsSeries);
  EXPECT_EQ(Chart->Legend()->TotalItems, 2);
  Chart->GetSeries(1)->SetActive(false);
  Draw();
  EXPECT_EQ(Chart->Legend()->EffectiveStyle, lsValues);
  EXPECT_EQ(Chart->Legend()->TotalItems, a->Count());
}

TEST_F(ChartLegendTest, SideLegendStopsAtMaxNumRowsAndShrinksTheChartRect) {
  Chart->SetBounds(400, 900);
  Bitmap.SetSize(400, 900);
  AddMany(25);
  Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 900));
  TChartLegend& l = *Chart->Legend();
  EXPECT_EQ(l.Rows, 10);
  EXPECT_EQ(l.LastIndex, l.GetFirstValue() + 9);
  const int32_t H = l.ItemHeight();
  // Height: the rows, two gaps of a tenth of a row and 2 pixels.
  EXPECT_EQ(l.PlacedRect.Bottom - l.PlacedRect.Top, 10 * H + 2 + 2 * static_cast<int32_t>(std::nearbyint(H * 0.1)));
  // The series' plotting area ends 3 % of the chart width left of the legend.
  EXPECT_LT(Chart->ChartRect.Right, l.PlacedRect.Left);
  l.SetFirstValue(20);
  Chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, 400, 900));
  EXPECT_EQ(l.TotalItems, 5);
  EXPECT_EQ(l.LastIndex, 24);
}

TEST_F(ChartLegendTest, BottomLegendWithOneRowShowsEveryItemInThatRow) {
  AddMany(4);
  TChartLegend& l = *Chart->Legend();
  l.SetAlignment(laBottom);
  l.SetMaxNumRows(1);
  Draw();
  EXPECT_EQ(l.Rows, 1);
  EXPECT_EQ(l.Columns, 4);
  EXPECT_EQ(l.LastIndex, 3);
  EXPECT_LT(Chart->ChartRect.Bottom, l.PlacedRect.Top);
}

TEST_F(ChartLegendTest, FirstValueRefusesNegativeValuesOnly) {
  TChartLegend& l = *Chart->Legend();
  l.SetFirstValue(3);
  EXPECT_NO_THROW(l.SetFirstValue(0));
  try {
    l.SetFirstValue(-1);
    FAIL() << "no exception";
  } catch (const LegendException& e) {
    EXPECT_STREQ(e.what(), "First Legend Value must be > 0");
  }
  EXPECT_EQ(l.GetFirstValue(), 0);
}

TEST_F(ChartLegendTest, ClickedAnswersTheItemUnderThePointAndNotTheTitle) {
  AddMany(3);
  TChartLegend& l = *Chart->Legend();
  l.Title()->Text()->Add("Curves");
  Draw();
  ASSERT_TRUE(l.HasTitle);
  const int32_t x = (l.PlacedRect.Left + l.PlacedRect.Right) / 2;
  const int32_t H = l.ItemHeight(), top = l.ItemsTop();
  EXPECT_EQ(l.Clicked(x, l.PlacedRect.Top + 3), -1);
  EXPECT_EQ(l.Clicked(x, top + H / 2), 0);
  EXPECT_EQ(l.Clicked(x, top + 2 * H + H / 2), 2);
  EXPECT_EQ(l.Clicked(l.PlacedRect.Right + 1, top + H / 2), -1);
  l.SetInverted(true);
  Draw();
  EXPECT_EQ(l.Clicked(x, l.ItemsTop() + H / 2), 2);
}

TEST_F(ChartLegendTest, CheckBoxesListInactiveSeriesAndSwitchByLegendMode) {
  auto* a = AddSeries("a", {1, 2});
  auto* b = AddSeries("b", {1, 2});
  auto* c = AddSeries("c", {1, 2});
  b->SetActive(false);
  TChartLegend& l = *Chart->Legend();
  l.SetCheckBoxes(true);
  Draw();
  EXPECT_EQ(l.TotalItems, 3);
  EXPECT_GE(l.ItemHeight(), 17);
  // Mode 0 switches Active; mode 1 only the horizontal automatic range.
  EXPECT_TRUE(l.CheckBoxClick(0, 0, 1));
  EXPECT_TRUE(b->GetActive());
  Chart->LegendMode = 1;
  EXPECT_TRUE(l.CheckBoxClick(0, 0, 0));
  EXPECT_TRUE(a->GetActive());
  EXPECT_TRUE(a->ExcludeFromXAuto);
  // Radio style: the third item leaves exactly that series active.
  Chart->LegendMode = 0;
  l.SetCheckBoxesStyle(cbsRadio);
  EXPECT_TRUE(l.CheckBoxClick(0, 0, 2));
  EXPECT_FALSE(a->GetActive());
  EXPECT_FALSE(b->GetActive());
  EXPECT_TRUE(c->GetActive());
  EXPECT_FALSE(l.CheckBoxClick(0, 0, -1));
}

TEST_F(ChartLegendTest, TextColumnsSplitAtTheSeparator) {
  auto* s = AddSeries("a", {1, 2});
  Chart->OnGetLegendText = [](TCustomChart*, TLegendStyle, int32_t Index, std::string& Text) {
    Text = std::to_string(Index * 100) + '\x06' + "Title" + '\x06' + "dropped";
  };
  Draw();
  TChartLegend& l = *Chart->Legend();
  ASSERT_EQ(l.Items.size(), static_cast<size_t>(s->Count()));
  EXPECT_EQ(l.Items[1].Column[0], "100");
  EXPECT_EQ(l.Items[1].Column[1], "Title");
  EXPECT_EQ(l.ColumnWidths[0], TextWidthIn(*l.Font(), "100"));
}

TEST_F(ChartLegendTest, ResizeChartOffLeavesTheChartRect) {
  AddMany(2);
  Chart->Legend()->SetVisible(false);
  Draw();
  const TRect without = Chart->ChartRect;
  Chart->Legend()->SetVisible(true);
  Chart->Legend()->SetResizeChart(false);
  Draw();
  EXPECT_EQ(Chart->ChartRect, without);
}

TEST_F(ChartLegendTest, TitleWithTwoLinesFitsItsFrameAndPushesTheChartRectDown) {
  Chart->Legend()->SetVisible(false);
  Chart->SetAxisVisible(false);
  TChartTitle& t = *Chart->Title();
  Draw();
  const TRect empty = Chart->ChartRect;
  t.Text()->Add("A much longer line");
  Draw();
  // The frame pen (width F) widens the box on every side and the gap below it.
  const int32_t F = t.Pen()->GetWidth();
  const int32_t h1 = t.OccupiedRect().Bottom - t.OccupiedRect().Top;
  const int32_t oneLine = Chart->ChartRect.Top;
  EXPECT_EQ(oneLine - empty.Top, h1 + 5 + F);
  const int32_t width = t.OccupiedRect().Right - t.OccupiedRect().Left;
  t.Text()->Insert(0, "Short");
  Draw();
  const int32_t h2 = t.OccupiedRect().Bottom - t.OccupiedRect().Top;
  EXPECT_EQ(h2 - h1, h1 - 2 * F);  // one more line of the font's height
  EXPECT_EQ(t.OccupiedRect().Right - t.OccupiedRect().Left, width);  // fits the longer line
  EXPECT_EQ(Chart->ChartRect.Top - oneLine, h2 - h1);
  // An empty title takes no room.
  t.ClearLines();
  Draw();
  EXPECT_EQ(Chart->ChartRect, empty);
}

TEST_F(ChartLegendTest, FootLinesStackUpwardsFromTheBottom) {
  Chart->Legend()->SetVisible(false);
  Chart->SetAxisVisible(false);
  Draw();
  const TRect empty = Chart->ChartRect;
  TChartTitle& f = *Chart->Foot();
  f.Text()->Add("first");
  Draw();
  const TRect one = f.OccupiedRect();
  const int32_t H = one.Bottom - one.Top - 2 * f.Pen()->GetWidth();
  EXPECT_EQ(empty.Bottom - Chart->ChartRect.Bottom, H + 5);
  f.Text()->Add("second");
  Draw();
  EXPECT_EQ(f.OccupiedRect().Bottom, one.Bottom);
  EXPECT_EQ(f.OccupiedRect().Top, one.Top - H);
  EXPECT_EQ(empty.Bottom - Chart->ChartRect.Bottom, 2 * H + 5);
}

}  // namespace ChartLegendTests
