// The donut series: its hole, the default hole on assignment, registration.
#include "chart/engine/Chart.h"
#include "chart/extras/PlotDonut.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotDonutTests {

namespace {

TEST(DonutTest, AssigningADonutWithoutAHoleGivesTheDefault) {
  auto* a = Create<TDonutSeries>(nullptr);
  auto* b = Create<TDonutSeries>(nullptr);
  EXPECT_EQ(a->GetDonutPercent(), 50);
  a->SetDonutPercent(0);
  b->Assign(a);
  EXPECT_EQ(b->GetDonutPercent(), 50);
  a->SetDonutPercent(30);
  b->Assign(a);
  EXPECT_EQ(b->GetDonutPercent(), 30);
  EXPECT_EQ(b->EditorFormName(), "TDonutSeriesEditor");
  a->Free();
  b->Free();
}

class DonutChartTest : public SeriesChartTest {};

TEST_F(DonutChartTest, TheCentreStaysEmptyAndTheRingIsFilled) {
  auto* s = Add<TDonutSeries>();
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
  s->Add(1, "", clRed);
  s->Add(1, "", clRed);
  Draw();
  EXPECT_EQ(Px(s->CentreX, s->CentreY), TColor(0xFFFFFF));
  const int32_t ring = s->RadiusY * 3 / 4;
  EXPECT_EQ(Px(s->CentreX, s->CentreY - ring), TColor(clRed & 0xFFFFFF));
  EXPECT_EQ(Px(s->CentreX, s->CentreY + ring), TColor(clRed & 0xFFFFFF));
  s->SetDonutPercent(0);
  Draw();
  EXPECT_EQ(Px(s->CentreX + 1, s->CentreY + 1), TColor(clRed & 0xFFFFFF)) << "a plain pie";
}

TEST(DonutRegistration, RegistersOnExtendedAndRemovesAtTheEnd) {
  PlotDonut::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TDonutSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Donut");
  EXPECT_EQ(*type->PageName, "Extended");
  EXPECT_EQ(type->SampleSeriesCount, 1);
  PlotDonut::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TDonutSeries::StaticClass()), nullptr);
}

}  // namespace

}  // namespace PlotDonutTests
