// The Gantt series: the bar of a task, its connector to the next task, a
// hidden pointer, the axis range, hit tests, sample schedules and registration.
#include "chart/engine/Chart.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/extras/GanttCh.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace GanttChTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF;

class GanttTest : public SeriesChartTest {
protected:
  TGanttSeries* Gantt() {
    auto* s = Add<TGanttSeries>();
    s->Pointer()->Pen()->SetVisible(false);
    s->ConnectingPen()->SetColor(Blue);
    return s;
  }
  int CountAll(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += Px(x, y) == Colour;
    return n;
  }
};

TEST_F(GanttTest, TheBarSpansStartToEndAroundItsRow) {
  auto* s = Gantt();
  s->AddGanttColor(2, 8, 5, "a", Red);
  Draw();
  const int32_t x0 = XPix(2), x1 = XPix(8), y = YPix(5), v = s->Pointer()->GetVertSize();
  const int32_t half = (x1 - x0) / 2;
  // Centred on x0 + half with half-sizes half and VertSize.
  EXPECT_EQ(Px(x0 + half, y), Red);
  EXPECT_EQ(Px(x0 + 1, y), Red);
  EXPECT_EQ(Px(x1 - 3, y), Red);
  EXPECT_NE(Px(x0 - 2, y), Red);
  EXPECT_NE(Px(x1 + 2, y), Red);
  EXPECT_EQ(Px(x0 + half, y - v + 1), Red);
  EXPECT_NE(Px(x0 + half, y - v - 2), Red);
  EXPECT_NE(Px(x0 + half, y + v + 2), Red);
}

TEST_F(GanttTest, AnEndBeforeTheStartReachesLeft) {
  auto* s = Gantt();
  s->AddGanttColor(6, 2, 5, "", Red);
  Draw();
  EXPECT_EQ(At(4, 5), Red);
  EXPECT_EQ(At(3, 5), Red);
  EXPECT_NE(At(7, 5), Red);
}

TEST_F(GanttTest, NextTaskDrawsAnElbowOnlyForAValidIndex) {
  struct Case {
    double Next;
    bool Connector;
  };
  for (const Case& c : {Case{-1, false}, Case{2, false}, Case{7, false}, Case{-3, false}, Case{1, true},
                        Case{0.6, true}}) {
    Chart->FreeAllSeries();
    auto* s = Gantt();
    s->AddGanttColor(1, 3, 2, "", Red);
    s->AddGanttColor(5, 8, 7, "", Red);
    s->NextTask()->StoreValue(0, c.Next);
    Draw();
    EXPECT_EQ(CountAll(Blue) > 0, c.Connector) << c.Next;
    if (!c.Connector) continue;
    // From the end of task 0 along its row, down the middle, into task 1's start.
    EXPECT_TRUE(Near(3.5, 2, Blue));
    EXPECT_TRUE(Near(4, 4.5, Blue));
    EXPECT_TRUE(Near(4.5, 7, Blue));
    EXPECT_FALSE(Near(4, 1, Blue));
  }
}

TEST_F(GanttTest, AHiddenPointerDrawsNothingNotEvenConnectors) {
  auto* s = Gantt();
  s->AddGanttColor(1, 3, 2, "", Red);
  s->AddGanttColor(5, 8, 7, "", Red);
  s->NextTask()->StoreValue(0, 1);
  s->Pointer()->SetVisible(false);
  Draw();
  EXPECT_EQ(CountAll(Red), 0);
  EXPECT_EQ(CountAll(Blue), 0);
}

TEST_F(GanttTest, ListsAndTheAxisMaximumCoverTheLastEnd) {
  auto* s = Gantt();
  EXPECT_EQ(s->XValues()->GetName(), "Start");
  EXPECT_TRUE(s->XValues()->GetDateTime());
  EXPECT_EQ(s->EndValues()->GetName(), "End");
  EXPECT_TRUE(s->EndValues()->GetDateTime());
  EXPECT_FALSE(s->GetYMandatory());
  EXPECT_TRUE(s->GetColorEachPoint());
  s->AddGantt(1, 20, 1);
  s->AddGantt(5, 9, 2);
  EXPECT_EQ(s->NextTask()->GetValue(1), -1);
  EXPECT_EQ(s->LargestX(), 20);
  Chart->BottomAxis()->SetAutomatic(true);
  Draw();
  EXPECT_GE(Chart->BottomAxis()->GetMaximum(), 20);
}

TEST_F(GanttTest, ClickingInsideTheBarFindsTheTask) {
  auto* s = Gantt();
  s->AddGantt(1, 3, 2);
  s->AddGantt(5, 9, 7);
  Draw();
  EXPECT_EQ(s->PointAtPixel(XPix(7), YPix(7)), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(2), YPix(2)), 0);
  EXPECT_EQ(s->PointAtPixel(XPix(4), YPix(2)), -1);
  EXPECT_EQ(s->PointAtPixel(XPix(7), YPix(7) + s->Pointer()->GetVertSize() + 1), -1);
}

TEST_F(GanttTest, SampleScheduleLinksEachTaskToALaterOne) {
  auto* s = Gantt();
  s->FillSampleValues(8);
  ASSERT_EQ(s->Count(), 8);
  for (int32_t i = 0; i < s->Count(); ++i) {
    const double next = s->NextTask()->GetValue(i);
    EXPECT_GT(s->EndValues()->GetValue(i), s->XValues()->GetValue(i));
    if (next == -1) continue;
    ASSERT_GE(next, 0);
    ASSERT_LT(next, s->Count());
    EXPECT_LT(s->EndValues()->GetValue(i), s->XValues()->GetValue(int32_t(next)));
  }
  // Each task's label names its row.
  const char* const names[] = {"Design",    "Prototyping", "Development", "Sales",       "Marketing",
                               "Testing",   "Manufac.",    "Debugging",   "New Version", "Banking"};
  for (int32_t i = 0; i < s->Count(); ++i) EXPECT_EQ(s->GetLabel(i), names[int32_t(s->YValues()->GetValue(i))]);
}

TEST_F(GanttTest, AssignRegistrationAndSources) {
  auto* s = Gantt();
  s->ConnectingPen()->SetWidth(3);
  auto* t = Add<TGanttSeries>();
  t->Assign(s);
  EXPECT_EQ(t->ConnectingPen()->GetWidth(), 3);
  EXPECT_TRUE(t->AcceptsDataSource(s));
  EXPECT_FALSE(t->AcceptsDataSource(Add<TPointSeries>()));
  GanttCh::Initialization();
  GanttCh::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TGanttSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Gantt");
  EXPECT_EQ(*type->PageName, "Standard");
  EXPECT_EQ(type->SampleSeriesCount, 1);
}

TEST_F(GanttTest, MarksSitOnTheMiddleOfTheBar) {
  auto* s = Gantt();
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(true);
  s->AddGantt(2, 8, 5, "task");
  Draw();
  const TSeriesMarkPosition* p = s->Marks()->Position(0);
  ASSERT_NE(p, nullptr);
  EXPECT_NEAR(p->TopLeft.X + p->Width / 2.0, (XPix(2) + XPix(8)) / 2.0, 1.5);
  EXPECT_NEAR(p->TopLeft.Y + p->Height / 2.0, YPix(5), 1.5);
}

}  // namespace

}  // namespace GanttChTests
