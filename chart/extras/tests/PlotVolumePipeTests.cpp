// The volume-pipe series: the outline, segment boundaries that split the
// area by the values (also when the outline does not narrow), zero values,
// the cone percentage limit, drawing, hit tests and registration.
#include <cmath>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/extras/PlotVolumePipe.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotVolumePipeTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF;

// The area of the outline from its left edge to offset x.
double AreaTo(double Hl, double Hr, double D, double X) { return X * (2 * Hl - (Hl - Hr) * X / D) / 2; }

class VolumePipeTest : public SeriesChartTest {
protected:
  TVolumePipeSeries* Pipe(std::initializer_list<double> Values) {
    auto* s = Add<TVolumePipeSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    for (double v : Values) s->Add(v);
    return s;
  }
};

TEST_F(VolumePipeTest, TwoEqualValuesSplitTheNarrowingOutlineInHalf) {
  auto* s = Pipe({5, 5});
  s->CalcGeometry(TRect(0, 0, 400, 200));
  const auto& o = s->Outline();
  EXPECT_EQ(o[0], TPoint(2, 2));
  EXPECT_EQ(o[3].Y - o[0].Y, 196);
  EXPECT_EQ(o[2].Y - o[1].Y, 140);
  EXPECT_EQ(o[1].X - o[0].X, 396);
  const double x = s->Segments()[0][0].X - o[0].X;
  EXPECT_NEAR(x, 181.6, 0.5);
  EXPECT_NEAR(AreaTo(196, 140, 396, 181.6), 396 * (196 + 140) / 4.0, 20.0) << "half the outline's area";
  EXPECT_EQ(s->Segments()[1][0].X, o[1].X) << "the last segment ends at the right";
  EXPECT_NEAR(TVolumePipeSeries::BoundaryOffset(196, 140, 396, 396 * 336 / 4.0), 181.6, 0.05);
}

TEST_F(VolumePipeTest, AnOutlineThatDoesNotNarrowSplitsInProportion) {
  for (int32_t cone : {0, 1}) {
    Chart->FreeAllSeries();
    auto* s = Pipe({1, 3});
    s->SetConePercent(cone);
    s->CalcGeometry(TRect(0, 0, 402, 200));
    const auto& o = s->Outline();
    const double hl = o[3].Y - o[0].Y, hr = o[2].Y - o[1].Y, d = o[1].X - o[0].X;
    const double x = s->Segments()[0][0].X - o[0].X;
    EXPECT_GT(x, 0) << cone;
    EXPECT_NEAR(AreaTo(hl, hr, d, x), d * (hl + hr) / 2 / 4, hl) << "a quarter of the area, within a pixel column";
    EXPECT_NEAR(x, d / 4, 2) << cone;
  }
  // Equal heights: the boundary lies at the running share of the length.
  EXPECT_DOUBLE_EQ(TVolumePipeSeries::BoundaryOffset(100, 100, 400, 100 * 400 * 0.3), 120);
}

TEST_F(VolumePipeTest, ZeroValuesDrawTheOutlineOnly) {
  auto* s = Pipe({0, 0});
  s->Pen()->SetColor(Red);
  Draw();
  const auto& o = s->Outline();
  EXPECT_EQ(Px((o[0].X + o[1].X) / 2, (o[0].Y + o[3].Y) / 2), White);
  EXPECT_EQ(Px(o[0].X, (o[0].Y + o[3].Y) / 2), Red);
  EXPECT_EQ(s->PointAtPixel((o[0].X + o[1].X) / 2, (o[0].Y + o[3].Y) / 2), -1);
}

TEST_F(VolumePipeTest, ConePercentAboveAHundredIsStoredAsAHundred) {
  auto* s = Pipe({1});
  s->SetConePercent(150);
  Draw();
  EXPECT_EQ(s->GetConePercent(), 100);
  const auto& o = s->Outline();
  const TRect r = Chart->GetChartRect();
  EXPECT_EQ(o[1].Y, r.Top + int32_t(std::lround((r.Bottom - r.Top) * 0.5)));
}

TEST_F(VolumePipeTest, SegmentsInTheirColoursAndHitTests) {
  auto* s = Pipe({});
  s->Gradient()->SetVisible(false);
  s->Add(1, "", Red);
  s->Add(1, "", Blue);
  Draw();
  EXPECT_FALSE(Chart->LeftAxis()->GetVisible());
  const auto& seg = s->Segments();
  for (int32_t i = 0; i < 2; ++i) {
    const TPoint centre((seg[i][0].X + seg[i][2].X) / 2, (seg[i][0].Y + seg[i][1].Y) / 2);
    EXPECT_EQ(Px(centre.X, centre.Y), i == 0 ? Red : Blue) << i;
    EXPECT_EQ(s->PointAtPixel(centre.X, centre.Y), i);
  }
  s->Gradient()->SetVisible(true);
  Draw();
  const TPoint nearTop((seg[0][0].X + seg[0][2].X) / 2, seg[0][1].Y + 2);
  const TColor c = Px(nearTop.X, nearTop.Y);
  EXPECT_GT(c & 0xFF, 200u) << std::hex << c << " the gradient starts in the point's colour";
  EXPECT_LT((c >> 8) & 0xFF, 100u) << std::hex << c;
  const TColor middle = Px(nearTop.X, (seg[0][0].Y + seg[0][1].Y) / 2);
  EXPECT_GT((middle >> 8) & 0xFF, 200u) << std::hex << middle << " white in the middle";
}

TEST_F(VolumePipeTest, SamplesAssignAndRegistration) {
  auto* s = Pipe({});
  s->FillSampleValues(0);
  ASSERT_EQ(s->Count(), 5);
  EXPECT_EQ(s->GetLabel(3), "Monitors");
  for (int32_t i = 0; i < 5; ++i) EXPECT_GE(s->GetYValue(i), 1);
  EXPECT_FALSE(s->UseAxis());
  s->SetConePercent(60);
  auto* t = Add<TVolumePipeSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetConePercent(), 60);
  PlotVolumePipe::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TVolumePipeSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "VolumePipe");
  EXPECT_EQ(*type->PageName, "Stats");
  PlotVolumePipe::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TVolumePipeSeries::StaticClass()), nullptr);
}

TEST_F(VolumePipeTest, MarksStandOverTheirSegmentsAtTheTop) {
  auto* s = Pipe({});
  s->Add(1, "first");
  s->Add(3, "second");
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(true);
  Draw();
  const TRect r = Chart->GetChartRect();
  EXPECT_GT(s->Outline()[0].Y, r.Top + 2) << "room for the labels above the pipe";
  for (int32_t i = 0; i < 2; ++i) {
    const TSeriesMarkPosition* p = s->Marks()->Position(i);
    ASSERT_NE(p, nullptr);
    const auto& q = s->Segments()[i];
    EXPECT_NEAR(p->TopLeft.X + p->Width / 2.0, (q[0].X + q[2].X) / 2.0, 1.5) << i;
    EXPECT_EQ(p->TopLeft.Y, r.Top) << i;
  }
}

}  // namespace

}  // namespace PlotVolumePipeTests
