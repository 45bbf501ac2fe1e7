// Gauge series: value angles, scale values, the needle at an empty range,
// value changes and their event, the inverted needle between paints, the hit
// test, the chart settings a gauge takes and registration.
#include <cmath>
#include <numbers>

#include "chart/extras/PlotGauges.h"
#include "chart/extras/tests/PlotPolarFixture.h"

namespace PlotGaugesTests {

namespace {

class GaugeTest : public CircledChartTest {
protected:
  void SetUp() override {
    CircledChartTest::SetUp();
    G = Add<TGaugeSeries>();
    G->OnChange = [this](TObject*) { ++Changes; };
  }
  TGaugeSeries* G = nullptr;
  int32_t Changes = 0;
};

TEST_F(GaugeTest, DefaultsPutTheScaleOverTheTopQuarter) {
  EXPECT_EQ(G->GetTotalAngle(), 90);
  EXPECT_EQ(G->GetRotationAngle(), 135);
  const struct {
    double Value, Angle;
  } cases[] = {{0, 45}, {50, 90}, {100, 135}, {25, 67.5}};
  for (const auto& k : cases) EXPECT_DOUBLE_EQ(std::fmod(G->ValueAngle(k.Value), 360), k.Angle) << k.Value;
  // 0 degrees lies left of the centre, 90 above it, 180 right of it.
  const TPoint c(100, 100);
  EXPECT_EQ(TGaugeSeries::DialPoint(c, 0, 50, 40), TPoint(50, 100));
  EXPECT_EQ(TGaugeSeries::DialPoint(c, 90, 50, 40), TPoint(100, 60));
  EXPECT_EQ(TGaugeSeries::DialPoint(c, 180, 50, 40), TPoint(150, 100));
  EXPECT_EQ(TGaugeSeries::DialPoint(c, 45, 100, 100), TPoint(29, 29));
}

TEST_F(GaugeTest, ScaleValuesStepByTheMagnitudeOfTheIncrementAndEnd) {
  const auto values = [&](double Min, double Max, double Total, double Increment) {
    G->SetMaximum(1e9);
    G->SetMinimum(Min);
    G->SetMaximum(Max);
    G->SetTotalAngle(Total);
    return G->ScaleValues(Increment);
  };
  EXPECT_EQ(values(0, 100, 90, 10).size(), 11u);
  EXPECT_EQ(values(0, 100, 90, 10).back(), 100);
  // A full circle does not print the maximum over the minimum.
  EXPECT_EQ(values(0, 100, 360, 10).size(), 10u);
  EXPECT_EQ(values(0, 100, 360, 10).back(), 90);
  EXPECT_EQ(values(0, 100, 90, -25), (std::vector<double>{0, 25, 50, 75, 100}));
  EXPECT_EQ(values(0, 100, 90, 0).size(), 11u);
  EXPECT_EQ(values(0, 100, 90, 1e-12).size(), 10000u);
  EXPECT_EQ(values(0, 100, 90, -1e-300).size(), 10000u);
  EXPECT_TRUE(values(40, 40, 90, 10).empty());
}

TEST_F(GaugeTest, AnEmptyRangeDrawsNoTicksAndPointsTheNeedleUp) {
  Chart->LeftAxis()->Ticks()->SetColor(clRed);
  Chart->LeftAxis()->MinorTicks()->SetColor(clRed);
  Chart->LeftAxis()->LabelsFont()->SetColor(clRed);
  G->SetMaximum(0);
  EXPECT_EQ(G->GetMinimum(), G->GetMaximum());
  EXPECT_DOUBLE_EQ(G->ValueAngle(0), 90);
  Draw();
  EXPECT_EQ(CountColour(clRed), 0);
  TPoint start, tip;
  G->HandPoints(start, tip);
  EXPECT_EQ(tip.X, G->CentreX);
  EXPECT_LT(tip.Y, start.Y);
  // With a range the ticks are there.
  G->SetMaximum(100);
  Draw();
  EXPECT_GT(CountColour(clRed), 0);
}

TEST_F(GaugeTest, LoweringTheMaximumBelowTheValueMovesTheNeedleAndTellsIt) {
  G->SetValue(80);
  EXPECT_EQ(Changes, 1);
  G->SetMaximum(60);
  EXPECT_EQ(G->GetValue(), 60);
  EXPECT_EQ(Changes, 2);
  G->SetValue(60);
  EXPECT_EQ(Changes, 2);
  G->SetMinimum(70);
  EXPECT_EQ(G->GetValue(), 70);
  EXPECT_EQ(Changes, 3);
  // A raised maximum leaves the value alone.
  G->SetMaximum(200);
  EXPECT_EQ(G->GetValue(), 70);
  EXPECT_EQ(Changes, 3);
  // A point added by any route becomes the value.
  G->Add(33);
  EXPECT_EQ(G->GetValue(), 33);
}

TEST_F(GaugeTest, TwoChangesWithoutFullRepaintLeaveOneNeedle) {
  G->Pen()->SetColor(clRed);
  G->Pen()->SetWidth(2);
  G->SetValue(20);
  Draw();
  const auto at20 = Picture();
  G->SetValue(50);
  EXPECT_NE(Picture(), at20);
  G->SetValue(70);
  const auto changed = Picture();
  Draw();
  EXPECT_EQ(changed, Picture());
  // The triangular needle too.
  G->SetHandStyle(hsTriangle);
  G->EndPoint()->SetVisible(true);
  Draw();
  G->SetValue(10);
  G->SetValue(90);
  const auto triangle = Picture();
  Draw();
  EXPECT_EQ(triangle, Picture());
}

TEST_F(GaugeTest, WithFullRepaintOrWithoutAWindowTheChartRepaints) {
  int32_t repaints = 0;
  Chart->AutoRepaint = true;
  Chart->OnInvalidateWindow = [&] { ++repaints; };
  Draw();
  const auto before = Picture();
  G->SetFullRepaint(true);
  repaints = 0;
  G->SetValue(40);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(Picture(), before);
  G->SetFullRepaint(false);
  Chart->WindowCanvas = nullptr;
  repaints = 0;
  G->SetValue(60);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(Changes, 2);
  Chart->OnInvalidateWindow = nullptr;
}

TEST_F(GaugeTest, TheNeedleAnswersClicksWithinTwoPixels) {
  G->SetValue(30);
  Draw();
  TPoint start, tip;
  G->HandPoints(start, tip);
  const TPoint mid((start.X + tip.X) / 2, (start.Y + tip.Y) / 2);
  EXPECT_EQ(G->PointAtPixel(mid.X, mid.Y), 0);
  EXPECT_EQ(G->PointAtPixel(tip.X, tip.Y), 0);
  EXPECT_EQ(G->PointAtPixel(G->CentreX + 40, G->CentreY + 40), -1);
}

TEST_F(GaugeTest, AGaugeTakesAFlatFramelessChartWithLongTicks) {
  Chart->SetView3D(true);
  auto* g = Create<TGaugeSeries>(Owner);
  Chart->AddSeries(g);
  EXPECT_FALSE(Chart->GetView3D());
  EXPECT_FALSE(Chart->GetView3DWalls());
  EXPECT_FALSE(Chart->Frame()->GetVisible());
  EXPECT_EQ(Chart->LeftAxis()->GetTickLength(), 14);
  EXPECT_EQ(Chart->LeftAxis()->GetMinorTickLength(), 6);
  EXPECT_FALSE(g->GetShowInLegend());
  EXPECT_EQ(g->Count(), 1);
  g->PrepareForGallery(true);
  EXPECT_TRUE(g->GetFullRepaint());
  EXPECT_EQ(Chart->LeftAxis()->GetIncrement(), 25);
  EXPECT_GE(g->GetValue(), 0);
  EXPECT_LE(g->GetValue(), 100);
}

TEST_F(GaugeTest, StartUpRegistersTheGaugeOnTheExtendedPage) {
  PlotGauges::Initialization();
  PlotGauges::Initialization();
  const TPlotSeriesType* t = Chart::SeriesTypes().TypeOfSeriesClass(TGaugeSeries::StaticClass());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(*t->PageName, "Extended");
  EXPECT_EQ(t->SampleSeriesCount, 1);
  PlotGauges::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TGaugeSeries::StaticClass()), nullptr);
  PlotGauges::Initialization();
}

TEST_F(GaugeTest, GaugeSettingsComeBackFromAChartFile) {
  G->SetMaximum(250);
  G->SetMinimum(-50);
  G->SetTotalAngle(270);
  G->SetValue(120);
  G->SetHandStyle(hsTriangle);
  G->SetHandDistance(12);
  G->SetLabelsInside(false);
  G->SetFullRepaint(true);
  G->EndPoint()->SetVisible(true);
  G->Center()->SetHorizSize(4);
  G->Center()->SetStyle(TSeriesPointerStyle::psRectangle);
  // The plain symbol's defaults, where the gauge starts with others.
  G->Center()->SetColor(clDefault);
  G->Center()->Gradient()->SetVisible(false);
  G->EndPoint()->SetColor(clDefault);
  // A second gauge keeps the gauge's own start values.
  auto* plain = Add<TGaugeSeries>();
  plain->SetName("Plain");
  for (bool text : {true, false}) {
    const auto copy = Reloaded(text);
    ASSERT_GE(copy.size(), 1u);
    auto* g = dynamic_cast<TGaugeSeries*>(copy[0]);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->GetMaximum(), 250);
    EXPECT_EQ(g->GetMinimum(), -50);
    EXPECT_EQ(g->GetTotalAngle(), 270);
    EXPECT_EQ(g->GetValue(), 120);
    EXPECT_EQ(g->GetHandStyle(), hsTriangle);
    EXPECT_EQ(g->GetHandDistance(), 12);
    EXPECT_FALSE(g->GetLabelsInside());
    EXPECT_TRUE(g->GetFullRepaint());
    EXPECT_TRUE(g->EndPoint()->GetVisible());
    // Looks equal to the symbol class' defaults come back too.
    EXPECT_EQ(g->Center()->GetHorizSize(), 4);
    EXPECT_EQ(g->Center()->GetStyle(), TSeriesPointerStyle::psRectangle);
    EXPECT_EQ(g->Center()->GetColor(), clDefault);
    EXPECT_FALSE(g->Center()->Gradient()->GetVisible());
    EXPECT_EQ(g->EndPoint()->GetColor(), clDefault);
    EXPECT_EQ(g->Count(), 1);
    ASSERT_EQ(copy.size(), 2u);
    auto* p = dynamic_cast<TGaugeSeries*>(copy[1]);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Center()->GetColor(), clBlack);
    EXPECT_TRUE(p->Center()->Gradient()->GetVisible());
    EXPECT_EQ(p->EndPoint()->GetColor(), clWhite);
  }
}

TEST_F(GaugeTest, DISABLED_SavesAGaugePicture) {
  G->SetTotalAngle(270);
  G->SetRotationAngle(135 - 90);
  G->Pen()->SetColor(clRed);
  G->Pen()->SetWidth(2);
  G->SetHandStyle(hsTriangle);
  G->SetValue(63);
  Chart->LeftAxis()->SetMinorTickCount(4);
  Draw();
  SavePng("/tmp/polar_gauge.png");
}

}  // namespace

}  // namespace PlotGaugesTests
