// Point and figure: the columns of the worked example by their pixels,
// reversals at the threshold, the legend, and refused box sizes.
#include "chart/extras/PlotPointFigure.h"

#include <cmath>

#include "chart/extras/tests/FinancialFixture.h"

namespace PlotPointFigureTests {

namespace {

class PointFigureTest : public FinancialTest {
protected:
  TPointFigureSeries* Figure(const std::vector<std::pair<double, double>>& HighLow) {
    auto* s = Add<TPointFigureSeries>();
    for (size_t i = 0; i < HighLow.size(); ++i)
      s->AddOpenHighLowClose(double(i), HighLow[i].second, HighLow[i].first, HighLow[i].second, HighLow[i].first);
    return s;
  }
};

TEST_F(PointFigureTest, WorkedExampleDrawsTwoColumns) {
  // Falls from 10/9 to 6, then rises to 13: O at 9, 10, then 6, 7, 8; X at 7 .. 13.
  TPointFigureSeries* s = Figure({{10, 9}, {8, 6}, {13, 12}});
  EXPECT_EQ(s->CalcColumns(false), 2);
  EXPECT_DOUBLE_EQ(s->LargestX(), 1);
  EXPECT_DOUBLE_EQ(s->SmallestX(), 0);
  Fix(-1, 2, 0, 16);
  Draw();
  for (double v : {6, 7, 8, 9, 10}) EXPECT_EQ(At(0, v), clRed) << "O at " << v;
  for (double v : {5, 11, 12}) EXPECT_EQ(At(0, v), clWhite) << "no O at " << v;
  for (double v = 7; v <= 13; ++v) EXPECT_NE(At(1, v), clWhite) << "X at " << v;
  for (double v : {6, 14}) EXPECT_EQ(At(1, v), clWhite) << "no X at " << v;
}

TEST_F(PointFigureTest, ReversalNeedsTheFullAmount) {
  struct TCase {
    std::vector<std::pair<double, double>> HighLow;
    int Columns;
    const char* Name;
  } cases[] = {
      {{{10, 9}}, 1, "a single point is one column"},
      {{{10, 9}, {10.5, 9.2}, {9.8, 8.5}}, 1, "moves below a box stay in the column"},
      {{{10, 9}, {12, 11}}, 2, "exactly three boxes above the bottom reverse"},
      {{{10, 9}, {11.9, 11}}, 1, "2.9 boxes do not"},
      {{{10, 9}, {12, 11}, {14, 13}, {11, 11}}, 3, "three boxes below the top reverse again"},
  };
  for (const TCase& c : cases) EXPECT_EQ(Figure(c.HighLow)->CalcColumns(false), c.Columns) << c.Name;
}

TEST_F(PointFigureTest, LegendShowsUpAndDown) {
  TPointFigureSeries* s = Figure({{10, 9}});
  ASSERT_EQ(s->LegendEntryCount(), 2);
  EXPECT_EQ(s->GetLegendString(0, ltsPlain), "Up");
  EXPECT_EQ(s->GetLegendString(1, ltsPlain), "Down");
  EXPECT_EQ(s->LegendEntryColor(0), 0x008000);
  EXPECT_EQ(s->LegendEntryColor(1), 0x0000FF);
}

TEST_F(PointFigureTest, BoxSizesNotAboveZeroAreRefusedAndHugeFiguresNotDrawn) {
  TPointFigureSeries* s = Figure({{10, 1}});
  for (double bad : {0.0, -1.0, std::nan("")}) {
    EXPECT_THROW(s->SetBoxSize(bad), ChartException);
    EXPECT_DOUBLE_EQ(s->GetBoxSize(), 1);
  }
  s->SetBoxSize(1e-6);  // nine million symbols
  Fix(-1, 1, 0, 11);
  Draw();
  EXPECT_EQ(At(0, 5), clWhite);
  EXPECT_EQ(s->CalcColumns(false), 1);
}

}  // namespace

}  // namespace PlotPointFigureTests
