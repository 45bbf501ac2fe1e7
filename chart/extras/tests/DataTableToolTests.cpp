// The data table tool: its series and rows, the room it reserves, the cell
// placement under the axis labels and its position.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "chart/extras/PlotDataTableTool.h"
#include "chart/extras/PlotSeriesBandTool.h"
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
  TChartAxis* axis = Chart->BottomAxis();
  EXPECT_EQ(t->GetTop(), axis->LabelsPos + axis->SizeLabels()) << "the table starts under the labels";
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
  // The first row's text top is 10 pixels under the table's top line.
  for (const auto& c : t->Cells) EXPECT_EQ(c.At.Y, t->GetTop() + 10 + c.Row * t->RowSize());
}

// The table drawn and hidden on one layout: every pixel the table adds lies
// below the pixels of the bottom axis' line, ticks, labels and title, and the
// room it takes is the same whether the axis has a title or not.
TEST_F(DataTableTest, TheTableLiesBelowTheAxisLabelsAndTitle) {
  Chart->SetBevelOuter(bvNone);  // no frame line at the bottom edge
  Fix(-0.5, 4.5, 0, 10);
  Chart->BottomAxis()->SetIncrement(1);
  Bars(5, 1);
  Bars(5, 2);
  bool userHook = false;
  Chart->GetAxes().OnSizeLabels = [&](TChartAxis*, int32_t&) { userHook = true; };
  auto* t = AddTool<TDataTableTool>();
  for (const char* caption : {"", "Month"}) {
    Chart->BottomAxis()->Title()->SetCaption(caption);
    Draw();
    const std::vector<TColor> with = Picture();
    const TRect plot = Chart->ChartRect;
    t->SetActive(false);
    Draw();
    ASSERT_EQ(Chart->ChartRect, plot) << "hiding the table keeps the layout";
    int32_t axisBottom = -1, tableTop = H, tableBottom = -1;
    for (int32_t y = plot.Bottom; y < H; ++y)
      for (int32_t x = plot.Left; x < plot.Right; ++x) {
        const TColor drawn = with[static_cast<size_t>(y * W + x)];
        if (Px(x, y) != clWhite) axisBottom = std::max(axisBottom, y);
        if (drawn != Px(x, y)) tableTop = std::min(tableTop, y), tableBottom = std::max(tableBottom, y);
      }
    t->SetActive(true);
    ASSERT_GT(axisBottom, plot.Bottom + 4) << caption << ": labels drawn";
    ASSERT_LT(tableTop, H) << caption << ": table drawn";
    EXPECT_GT(tableTop, axisBottom) << caption << ": no table pixel beside the labels or the title";
    EXPECT_EQ(tableBottom, t->GetTop() + t->Thickness()) << caption << ": the last row line";
    EXPECT_LT(tableBottom, H) << caption;
    EXPECT_EQ(t->Cells.size(), 10u) << caption;
  }
  EXPECT_TRUE(userHook) << "the chart's own label-size handler stays";
  Chart->GetAxes().OnSizeLabels = nullptr;
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
  // The row's symbol is the series' legend symbol, filled in its colour.
  s->SetSeriesColor(0x30C060);
  Draw();
  int32_t filled = 0;
  for (int32_t y = t->GetTop() + 10; y < t->GetTop() + 10 + t->RowSize(); ++y)
    filled += CountInRow(y, 0x30C060, 0, Chart->ChartRect.Left);
  EXPECT_GE(filled, (t->Legend()->Symbol()->GetWidth() - 2) * 6);
}

// A picture to look at: two lines with a band between them and a bar series,
// the bottom axis titled, and the data table with its legend below. Written
// as datatable.png to KV_PICTURE_DIR; skipped without it.
TEST_F(DataTableTest, PictureOfAChartWithADataTableAndASeriesBand) {
  const char* dir = std::getenv("KV_PICTURE_DIR");
  if (!dir) GTEST_SKIP() << "KV_PICTURE_DIR not set";
  constexpr int32_t PW = 640, PH = 400;
  Chart->SetBounds(PW, PH);
  Chart->Title()->SetVisible(true);
  Chart->Title()->SetTextLine("Sales by quarter");
  Fix(-0.5, 7.5, 0, 60);
  Chart->BottomAxis()->SetIncrement(1);
  Chart->BottomAxis()->Title()->SetCaption("Quarter");
  Chart->LeftAxis()->Title()->SetCaption("Units");
  Chart->LeftAxis()->Grid()->SetVisible(true);
  auto* bars = Add<TBarSeries>();
  bars->SetTitle("Shipped");
  bars->SetSeriesColor(0xC0A060);
  auto* high = Add<TLineSeries>();
  high->SetTitle("Target high");
  high->SetSeriesColor(clRed);
  auto* low = Add<TLineSeries>();
  low->SetTitle("Target low");
  low->SetSeriesColor(clBlue);
  for (int32_t i = 0; i < 8; ++i) {
    bars->AppendPoint(i, 20 + 3 * i + (i % 3) * 4);
    high->AppendPoint(i, 35 + 2 * i);
    low->AppendPoint(i, 22 + 2 * i);
  }
  auto* band = AddTool<TSeriesBandTool>();
  band->SetSeries(high);
  band->SetSeries2(low);
  band->Brush()->SetColor(0xC0FFC0);
  band->SetTransparency(40);
  auto* t = AddTool<TDataTableTool>();
  t->Legend()->SetFontSeriesColor(true);
  TBitmap picture(PW, PH);
  Chart->DrawTo(*picture.GetCanvas(), TRect(0, 0, PW, PH));
  EXPECT_EQ(t->Cells.size(), 24u);
  EXPECT_LT(t->GetTop() + t->Thickness(), PH);
  TPngImage png;
  png.Assign(picture);
  png.SaveToFile(std::string(dir) + "/datatable.png");
}

}  // namespace

}  // namespace DataTableToolTests
