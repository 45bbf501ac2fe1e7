// The data table tool: its series and rows, the room it reserves, the cell
// placement under the axis labels and its position.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "chart/extras/PlotDataTableTool.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/tests/PlotToolsFixture.h"
#include "platform/rtl/SysUtils.h"

namespace DataTableToolTests {

namespace {

class DataTableTest : public ToolChartTest {
protected:
  TBarSeries* Bars(int32_t N, double Scale) {
    auto* s = Add<TBarSeries>();
    for (int32_t i = 0; i < N; ++i) s->AppendPoint(i, (i + 1) * Scale);
    return s;
  }
  // Texts of one row by column.
  std::map<int32_t, std::string> Row(const TDataTableTool& T, int32_t R) const {
    std::map<int32_t, std::string> m;
    for (const auto& c : T.Cells)
      if (c.Row == R) m[c.Column] = c.Text;
    return m;
  }
  // Column index of the label position at value V.
  int32_t ColumnAt(double V) const {
    std::vector<int32_t> t = Chart->BottomAxis()->TickPixels;
    std::sort(t.begin(), t.end());
    return static_cast<int32_t>(std::find(t.begin(), t.end(), XPix(V)) - t.begin());
  }
};

TEST_F(DataTableTest, AGridSeriesAloneGivesNoTableAndNoRoom) {
  auto* g = Add<TColorGridSeries>();
  g->AddPointXYZ(1, 1, 1);
  Draw();
  const TRect before = Chart->ChartRect;
  auto* t = AddTool<TDataTableTool>();
  Draw();
  EXPECT_TRUE(t->TableSeries().empty());
  EXPECT_EQ(t->TableAxis(), nullptr);
  EXPECT_TRUE(t->Cells.empty());
  EXPECT_EQ(Chart->ChartRect, before);
}

TEST_F(DataTableTest, TheBottomMarginGrowsByRowsTimesTextHeightPlusTen) {
  Fix(-0.5, 4.5, 0, 10);
  Bars(5, 1);
  Bars(5, 2);
  Draw();
  const int32_t bottom = Chart->ChartRect.Bottom;
  auto* t = AddTool<TDataTableTool>();
  t->Legend()->SetVisible(false);
  Draw();
  Chart->Canvas()->UseFont(*t->Font());
  const int32_t h = Chart->Canvas()->FontHeight();
  EXPECT_EQ(t->RowSize(), h);
  EXPECT_EQ(bottom - Chart->ChartRect.Bottom, 2 * h + 10);
  EXPECT_EQ(t->GetTop(), Chart->BottomAxis()->AxisLinePos);
}

TEST_F(DataTableTest, ShortSeriesNullsAndInvertedRows) {
  Fix(-0.5, 4.5, 0, 10);
  Chart->BottomAxis()->SetIncrement(1);
  auto* a = Bars(5, 1);
  auto* b = Add<TBarSeries>();
  b->AppendPoint(0, 2);
  b->AddNullXY(1, 4);
  b->AppendPoint(2, 6);
  auto* t = AddTool<TDataTableTool>();
  Draw();
  const auto first = Row(*t, 0), second = Row(*t, 1);
  EXPECT_EQ(first.size(), 5u);
  EXPECT_EQ(first.at(ColumnAt(4)), SysUtils::FormatFloat(a->GetValueFormat(), 5));
  EXPECT_EQ(second.size(), 2u) << "two trailing cells empty, one null";
  EXPECT_FALSE(second.count(ColumnAt(1)));
  EXPECT_EQ(second.at(ColumnAt(2)), "6");
  t->SetInverted(true);
  Draw();
  EXPECT_EQ(Row(*t, 0).size(), 2u) << "the last series in the first row";
  EXPECT_EQ(Row(*t, 1).size(), 5u);
  // Rows below the axis: the first row's text top is 10 pixels under the axis line.
  for (const auto& c : t->Cells)
    EXPECT_EQ(c.At.Y, Chart->BottomAxis()->AxisLinePos + 10 + c.Row * t->RowSize());
}

TEST_F(DataTableTest, ValuesStayUnderTheirLabelsAtAnIncrementOfTwo) {
  Fix(0, 10, 0, 20);
  Chart->BottomAxis()->SetIncrement(2);
  Bars(11, 1);  // value x + 1 at x = 0 .. 10
  auto* t = AddTool<TDataTableTool>();
  Draw();
  const auto row = Row(*t, 0);
  const std::vector<int32_t>& ticks = Chart->BottomAxis()->TickPixels;
  ASSERT_GE(ticks.size(), 5u);
  EXPECT_EQ(row.size(), ticks.size()) << "one value per label, the odd points between them left out";
  for (int32_t p : ticks) {
    const int32_t x = static_cast<int32_t>(std::lround(XVal(p)));
    EXPECT_EQ(x % 2, 0);
    EXPECT_EQ(row.at(ColumnAt(x)), std::to_string(x + 1)) << x;
  }
  for (const auto& c : t->Cells) {
    const int32_t x = std::stoi(c.Text) - 1;
    EXPECT_EQ(c.At.X, XPix(x)) << "centred on the label position";
  }
}

TEST_F(DataTableTest, WithoutAutoPositionTheTableStaysWhereItWas) {
  Fix(-0.5, 4.5, 0, 10);
  Bars(5, 1);
  auto* t = AddTool<TDataTableTool>();
  Draw();
  const int32_t top = t->GetTop();
  const int32_t y0 = t->Cells.at(0).At.Y;
  t->SetAutoPosition(false);
  Draw();
  EXPECT_EQ(t->GetTop(), top);
  EXPECT_EQ(t->Cells.at(0).At.Y, y0) << "the same place, now from Top";
  t->SetTop(top - 40);
  t->SetLeft(7);
  Draw();
  EXPECT_EQ(t->Cells.at(0).At.Y, y0 - 40);
  EXPECT_EQ(t->Cells.at(0).At.X, XPix(0) + 7);
}

TEST_F(DataTableTest, TheLegendReservesRoomOnItsSide) {
  Fix(-0.5, 4.5, 0, 10);
  auto* s = Bars(5, 1);
  s->SetTitle("A rather long series title");
  Draw();
  const int32_t left = Chart->ChartRect.Left;
  auto* t = AddTool<TDataTableTool>();
  Draw();
  EXPECT_GE(Chart->ChartRect.Left, t->LegendWidth());
  EXPECT_GT(Chart->ChartRect.Left, left);
}

}  // namespace

}  // namespace DataTableToolTests
