// Box plots: statistics against hand-worked samples, the mended small and
// unsorted samples, outlier symbols, the box geometry drawn two ways, and
// boxes side by side.
#include "chart/extras/PlotBoxPlot.h"

#include <algorithm>

#include "chart/engine/Chart.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotBoxPlotTests {

namespace {

using TValues = std::vector<double>;

TBoxStatistics Stats(const TValues& Samples, double WhiskerLength = 1.5) {
  TBoxStatistics s;
  EXPECT_TRUE(TCustomBoxSeries::ComputeStatistics(Samples, WhiskerLength, s));
  return s;
}

TEST(BoxStatistics, WorkedSamples) {
  struct TCase {
    TValues Samples;
    double Median, Q1, Q3, LowerWhisker, UpperWhisker;
    const char* Name;
  } cases[] = {
      // Sample j stands at (j + 0.5) / N: 0.25 lies between samples 2 and 3.
      {{1, 2, 3, 4, 5, 6, 7, 8, 9}, 5, 2.75, 7.25, 1, 9, "1..9"},
      {{1, 2, 3, 4}, 2.5, 1.5, 3.5, 1, 4, "1..4, an even count"},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 40}, 6, 3.25, 8.75, 1, 9, "1..9, 20, 40"},
      {{9, 1, 40, 5, 3, 7, 20, 2, 8, 4, 6}, 6, 3.25, 8.75, 1, 9, "the same unsorted"},
      {{7}, 7, 7, 7, 7, 7, "one sample: every statistic is it"},
      {{3, 5}, 4, 3, 5, 3, 5, "two samples: quartiles at the ends"},
  };
  for (const TCase& c : cases) {
    const TBoxStatistics s = Stats(c.Samples);
    EXPECT_DOUBLE_EQ(s.MedianValue, c.Median) << c.Name;
    EXPECT_DOUBLE_EQ(s.LowerQuartile, c.Q1) << c.Name;
    EXPECT_DOUBLE_EQ(s.UpperQuartile, c.Q3) << c.Name;
    EXPECT_DOUBLE_EQ(s.LowerWhiskerEnd, c.LowerWhisker) << c.Name;
    EXPECT_DOUBLE_EQ(s.UpperWhiskerEnd, c.UpperWhisker) << c.Name;
    const double iqr = c.Q3 - c.Q1;
    EXPECT_DOUBLE_EQ(s.LowerInnerFence, c.Q1 - 1.5 * iqr) << c.Name;
    EXPECT_DOUBLE_EQ(s.UpperOuterFence, c.Q3 + 3 * iqr) << c.Name;
  }
  TBoxStatistics none;
  EXPECT_FALSE(TCustomBoxSeries::ComputeStatistics({}, 1.5, none));
  // Fences 1.5 * 5.5 from the quartiles: -5 and 17; outer -13.25 and 25.25.
  const TBoxStatistics s = Stats({1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 40});
  EXPECT_DOUBLE_EQ(s.UpperInnerFence, 17);
  EXPECT_DOUBLE_EQ(s.UpperOuterFence, 25.25);
}

TEST(BoxStatistics, ASampleOnAFenceJoinsTheWhiskerOnBothSides) {
  // Quartiles 2 and 3 of these samples put the inner fences at 0.5 and 4.5.
  const TValues samples{0.5, 2, 2, 2, 3, 3, 3, 4.5};
  const TBoxStatistics s = Stats(samples);
  ASSERT_DOUBLE_EQ(s.LowerQuartile, 2);
  ASSERT_DOUBLE_EQ(s.UpperQuartile, 3);
  ASSERT_DOUBLE_EQ(s.LowerInnerFence, 0.5);
  ASSERT_DOUBLE_EQ(s.UpperInnerFence, 4.5);
  EXPECT_DOUBLE_EQ(s.LowerWhiskerEnd, 0.5);
  EXPECT_DOUBLE_EQ(s.UpperWhiskerEnd, 4.5);
}

class BoxTest : public SeriesChartTest {
protected:
  TBoxSeries* Box(const TValues& Samples, double Position) {
    auto* b = Add<TBoxSeries>();
    b->SetPosition(Position);
    for (double v : Samples) b->Add(v);
    return b;
  }
  int Count(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += Px(x, y) == Colour;
    return n;
  }
};

TEST_F(BoxTest, DefaultsAndOutlierSymbolsByFence) {
  Fix(0, 2, -10, 50);
  TBoxSeries* b = Box({1, 2, 3, 4, 5, 6, 7, 8, 9, 20, 40}, 1);
  EXPECT_EQ(b->GetSampleValues()->GetName(), "Samples");
  EXPECT_EQ(b->Pointer()->GetHorizSize(), 15);
  EXPECT_EQ(b->GetWhiskerLength(), 1.5);
  EXPECT_EQ(b->MildOut()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_EQ(b->ExtrOut()->GetStyle(), TSeriesPointerStyle::psStar);
  EXPECT_EQ(b->MedianPen()->GetStyle(), psDot);
  b->SetColorEachPoint(false);
  b->SetSeriesColor(clRed);
  b->MildOut()->SetColor(clRed);
  b->ExtrOut()->Pen()->SetColor(clRed);  // a star is drawn with its pen
  Draw();
  EXPECT_DOUBLE_EQ(b->MedianValue, 6);
  // Only the two outliers are drawn in the samples' colour, each at the box's
  // position and its own value.
  EXPECT_EQ(Px(XPix(1), YPix(20)), clRed) << "mild";
  EXPECT_EQ(Px(XPix(1), YPix(40)), clRed) << "extreme";
  EXPECT_NE(Px(XPix(1) + 20, YPix(20)), clRed);
  // Hiding the extreme symbol leaves the mild one.
  b->ExtrOut()->SetVisible(false);
  Draw();
  EXPECT_NE(Px(XPix(1), YPix(40)), clRed);
  EXPECT_EQ(Px(XPix(1), YPix(20)), clRed);
}

TEST_F(BoxTest, BoxMedianAndWhiskersWhereTheStatisticsSay) {
  Fix(0, 2, 0, 10);
  TBoxSeries* b = Box({1, 2, 3, 4, 5, 6, 7, 8, 9}, 1);
  b->Pointer()->SetColor(clYellow);
  b->Pointer()->Pen()->SetColor(clBlack);
  b->MedianPen()->SetColor(clRed);
  b->MedianPen()->SetStyle(psSolid);
  b->WhiskerPen()->SetColor(clBlue);
  Draw();
  const TRect r = b->BoxRect();
  const int32_t c = XPix(1), h = 15;
  EXPECT_EQ(r.Left, c - h);
  EXPECT_EQ(r.Right, c + h);
  EXPECT_EQ(r.Top, YPix(7.25));
  EXPECT_EQ(r.Bottom, YPix(2.75));
  EXPECT_EQ(Px(c - 5, (r.Top + r.Bottom) / 2 + 3), clYellow) << "inside the box";
  EXPECT_EQ(Px(c - 5, YPix(5)), clRed) << "the median";
  // Whiskers along the centre from the quartiles to 1 and 9, with caps.
  EXPECT_EQ(Px(c, (YPix(1) + YPix(2.75)) / 2), clBlue);
  EXPECT_EQ(Px(c, (YPix(9) + YPix(7.25)) / 2), clBlue);
  EXPECT_EQ(Px(c - h + 2, YPix(1)), clBlue) << "lower cap";
  EXPECT_EQ(Px(c + h - 2, YPix(9)), clBlue) << "upper cap";
  EXPECT_NE(Px(c, YPix(9) - 3), clBlue) << "nothing beyond the whisker";

  // Custom statistics keep the box where the application put it.
  b->SetUseCustomValues(true);
  b->UpperQuartile = 8;
  b->Add(100);
  Draw();
  EXPECT_EQ(b->BoxRect().Top, YPix(8));
}

TEST_F(BoxTest, NoSamplesDrawNothingAndTwoBoxesStandSideBySide) {
  TBoxSeries* empty = Box({}, 1);
  empty->Pointer()->SetColor(clYellow);
  Draw();
  EXPECT_EQ(Count(clYellow), 0);
  Chart->FreeAllSeries();
  TBoxSeries* a = Box({1, 2, 3, 4, 5, 6, 7, 8, 9}, 1);
  TBoxSeries* b = Box({3, 4, 5, 6, 7, 8, 9, 10, 11}, 2);
  a->Pointer()->SetColor(clYellow);
  b->Pointer()->SetColor(clLime);
  // The automatic horizontal range covers both positions.
  Chart->BottomAxis()->SetAutomatic(true);
  Draw();
  EXPECT_LE(Chart->BottomAxis()->GetMinimum(), 1);
  EXPECT_GE(Chart->BottomAxis()->GetMaximum(), 2);
  const TRect ra = a->BoxRect(), rb = b->BoxRect();
  EXPECT_LT(ra.Right, rb.Left) << "side by side, apart";
  EXPECT_EQ(Px((ra.Left + ra.Right) / 2 - 5, (ra.Top + ra.Bottom) / 2 + 3), clYellow);
  EXPECT_EQ(Px((rb.Left + rb.Right) / 2 - 5, (rb.Top + rb.Bottom) / 2 + 3), clLime);
}

TEST_F(BoxTest, HorizontalBoxIsTheVerticalOneTransposed) {
  Fix(0, 10, 0, 2);
  auto* h = Add<THorizBoxSeries>();
  h->SetPosition(1);
  for (double v : {1, 2, 3, 4, 5, 6, 7, 8, 9}) h->Add(v);
  Draw();
  EXPECT_EQ(h->GetSampleValues(), h->XValues());
  EXPECT_DOUBLE_EQ(h->MedianValue, 5);
  const TRect r = h->BoxRect();
  EXPECT_EQ(r.Left, XPix(2.75));
  EXPECT_EQ(r.Right, XPix(7.25));
  EXPECT_EQ(r.Top, YPix(1) - 15);
  EXPECT_EQ(r.Bottom, YPix(1) + 15);
  EXPECT_EQ(h->SmallestY(), 1);
  EXPECT_EQ(h->LargestY(), 1);
}

TEST_F(BoxTest, GallerySamplesAndRegistration) {
  TBoxSeries* a = Box({}, 0);
  TBoxSeries* b = Box({}, 0);
  b->PrepareForGallery(true);
  EXPECT_EQ(a->GetPosition(), 1);
  EXPECT_EQ(b->GetPosition(), 2);
  EXPECT_EQ(b->Pointer()->GetHorizSize(), 12);
  ASSERT_GT(b->Count(), 2);
  // Ascending samples from -d to 2d.
  EXPECT_EQ(b->MandatoryValue(b->Count() - 1), -2 * b->MandatoryValue(0));
  PlotBoxPlot::Initialize();
  struct TCase {
    TClass Class;
    const char* Description;
  } cases[] = {{TBoxSeries::StaticClass(), "BoxPlot"}, {THorizBoxSeries::StaticClass(), "Horizontal\rBoxPlot"}};
  for (const TCase& c : cases) {
    const TPlotSeriesType* t = Chart::SeriesTypes().TypeOfSeriesClass(c.Class);
    ASSERT_NE(t, nullptr) << c.Description;
    EXPECT_EQ(t->Description(), c.Description);
    EXPECT_EQ(*t->PageName, "Stats");
    EXPECT_EQ(t->SampleSeriesCount, 2);
  }
  PlotBoxPlot::Finalize();
  for (const TCase& c : cases) EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(c.Class), nullptr);
}

}  // namespace

}  // namespace PlotBoxPlotTests
