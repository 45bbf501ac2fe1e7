// The funnel series: sorted quotes, the outline step, the fill and colour of
// a segment by its ratio, mark texts, legend entries, hit tests and
// registration.
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/extras/PlotFunnel.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotFunnelTests {

namespace {

class FunnelTest : public SeriesChartTest {
protected:
  TFunnelSeries* Funnel() {
    auto* s = Add<TFunnelSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    s->SetAboveColor(0x00FF00);
    s->SetWithinColor(0x00FFFF);
    s->SetBelowColor(0x0000FF);
    return s;
  }
};

TEST_F(FunnelTest, QuotesAreSortedDescendingAndRenumbered) {
  auto* s = Funnel();
  s->AddSegment(60, 30, "c");
  s->AddSegment(100, 50, "a");
  s->AddSegment(80, 40, "b");
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(s->GetXValue(i), i);
    EXPECT_EQ(s->GetLabel(i), std::string(1, char('a' + i)));
    EXPECT_EQ(s->OpportunityValues()->GetValue(i), s->GetYValue(i) / 2);
  }
  EXPECT_EQ(s->MaxQuote, 100);
  EXPECT_EQ(s->MinQuote, 60);
  EXPECT_DOUBLE_EQ(s->Step, 40.0 / 2 / 3);
  EXPECT_EQ(s->LargestX(), 2.5);
  EXPECT_EQ(s->SmallestX(), -0.5);
}

TEST_F(FunnelTest, SegmentsFillAndColourByTheirRatio) {
  auto* s = Funnel();
  s->AddSegment(100, 100);  // at the quote
  s->AddSegment(80, 60);    // 75 %
  s->AddSegment(60, 39);    // 65 %
  s->AddSegment(40, 0);     // nothing
  Fix(-0.5, 3.5, 0, 100);
  Draw();
  struct Case {
    TColor Colour;
    size_t Corners;
  };
  const Case cases[] = {{s->GetAboveColor(), 4}, {s->GetWithinColor(), 0}, {s->GetBelowColor(), 0},
                        {s->GetBelowColor(), 3}};
  for (int32_t i = 0; i < 4; ++i) {
    TColor colour;
    const std::vector<TPoint> polygon = s->CalcSegment(i, colour);
    EXPECT_EQ(colour, cases[i].Colour) << i;
    if (cases[i].Corners) {
      EXPECT_EQ(polygon.size(), cases[i].Corners) << i;
    }
    // Just above the funnel's lower edge in the segment's middle.
    const double lower = i * s->Step + s->Step / 2;
    if (i < 3) {
      EXPECT_EQ(Px(XPix(i), YPix(lower) - 3), colour) << i;
    }
  }
  // The full segment reaches its top edge; the 65 % one stops below it.
  EXPECT_EQ(Px(XPix(0), YPix(100 - s->Step / 2) + 3), s->GetAboveColor());
  EXPECT_NE(Px(XPix(2), YPix(100 - 2.5 * s->Step) + 3), s->GetBelowColor());
  EXPECT_EQ(s->PointAtPixel(XPix(1), YPix(1.5 * s->Step) - 3), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(1), YPix(99)), -1);
}

TEST_F(FunnelTest, LevelsCuttingTheTopAndBottomEdges) {
  auto* s = Funnel();
  s->AddSegment(100, 95);
  s->AddSegment(20, 1);
  Fix(-0.5, 1.5, 0, 100);
  Draw();
  TColor colour;
  // 95 %: the level lies between the corners of the top edge: five points.
  EXPECT_EQ(s->CalcSegment(0, colour).size(), 5u);
  EXPECT_EQ(colour, s->GetWithinColor());
  // 5 %: below the right end of the lower edge: three points.
  EXPECT_EQ(s->CalcSegment(1, colour).size(), 3u);
  EXPECT_EQ(colour, s->GetBelowColor());
}

TEST_F(FunnelTest, MarkTextsAndLegend) {
  auto* s = Funnel();
  s->AddSegment(80, 60);
  s->AddSegment(0, 5);
  EXPECT_EQ(s->GetMarkText(0), "75.00 %");
  EXPECT_EQ(s->GetMarkText(1), "0.00 %") << "a quote of 0 reads as nothing reached";
  EXPECT_EQ(s->LegendEntryCount(), 3);
  EXPECT_EQ(s->GetLegendString(0, ltsPlain), "Exceeds quota");
  EXPECT_EQ(s->GetLegendString(1, ltsPlain), "30.00 % within quota");
  EXPECT_EQ(s->GetLegendString(2, ltsPlain), "30.00 % or more below quota");
  EXPECT_EQ(s->LegendEntryColor(0), s->GetAboveColor());
  EXPECT_EQ(s->LegendEntryColor(1), s->GetWithinColor());
  EXPECT_EQ(s->LegendEntryColor(2), s->GetBelowColor());
}

TEST_F(FunnelTest, TheLegendShowsThreeEntriesWhateverThePointCount) {
  auto* chart = Create<TChart>(Owner);
  chart->SetBounds(W, H);
  chart->Legend()->SetVisible(true);
  auto* s = Create<TFunnelSeries>(Owner);
  chart->AddSeries(s);
  s->AddSegment(80, 60);
  chart->DrawTo(*Bitmap.GetCanvas(), TRect(0, 0, W, H));
  // The legend's colour boxes, each once, right of the chart rectangle.
  const TRect r = chart->GetChartRect();
  int found = 0;
  for (TColor c : {s->GetAboveColor(), s->GetWithinColor(), s->GetBelowColor()}) {
    bool seen = false;
    for (int32_t y = 0; y < H && !seen; ++y)
      for (int32_t x = r.Right + 1; x < W && !seen; ++x) seen = Px(x, y) == (c & 0xFFFFFF);
    found += seen;
  }
  EXPECT_EQ(found, 3);
}

TEST_F(FunnelTest, SamplesVerticalAxisAssignAndRegistration) {
  auto* s = Funnel();
  s->FillSampleValues(4);
  ASSERT_EQ(s->Count(), 4);
  for (int32_t i = 1; i < 4; ++i) EXPECT_GE(s->GetYValue(i - 1), s->GetYValue(i));
  Draw();
  EXPECT_FALSE(Chart->LeftAxis()->GetVisible());
  s->SetDifferenceLimit(12);
  s->SetQuotesSorted(true);
  auto* t = Add<TFunnelSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetDifferenceLimit(), 12);
  EXPECT_TRUE(t->GetQuotesSorted());
  PlotFunnel::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TFunnelSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Funnel");
  EXPECT_EQ(*type->PageName, "Stats");
  PlotFunnel::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TFunnelSeries::StaticClass()), nullptr);
}

TEST_F(FunnelTest, MarksAreCentredInTheirSegmentAtHalfTheLargestQuote) {
  auto* s = Funnel();
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(true);
  s->AddSegment(100, 50);
  s->AddSegment(60, 50);
  Fix(-0.5, 1.5, 0, 100);
  Draw();
  for (int32_t i = 0; i < 2; ++i) {
    const TSeriesMarkPosition* p = s->Marks()->Position(i);
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->TopLeft.X + p->Width / 2.0, XPix(i), 1.5) << i;
    EXPECT_NEAR(p->TopLeft.Y + p->Height / 2.0, YPix(50), 1.5) << i;
  }
}

}  // namespace

}  // namespace PlotFunnelTests
