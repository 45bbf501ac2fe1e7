// Polar, radar and polar bar series: point positions on a fixed circle, the
// logarithmic radius, circle labels, radar spokes, one frame per kind, polar
// bars, bounded spoke loops and the gallery registration.
#include <cmath>
#include <numbers>

#include "chart/extras/PlotPolar.h"
#include "chart/extras/tests/PlotPolarFixture.h"

namespace PlotPolarTests {

namespace {

class PolarTest : public CircledChartTest {
protected:
  // A circle of radius 100 around (100, 100) and a radius axis of Lo..Hi.
  template <class T>
  T* OnFixedCircle(double Lo, double Hi) {
    T* s = Add<T>();
    Chart->LeftAxis()->SetMinMax(Lo, Hi);
    s->CentreX = s->CentreY = 100;
    s->RadiusX = s->RadiusY = 100;
    return s;
  }
};

TEST_F(PolarTest, PointsLieAtTheirAngleCounterClockwiseFromTheRightAndTheirRadius) {
  auto* s = OnFixedCircle<TPolarSeries>(0, 100);
  const struct {
    double Angle, Radius;
    int32_t X, Y;
  } cases[] = {{0, 50, 150, 100},  {90, 100, 100, 0},  {180, 25, 75, 100},
               {270, 100, 100, 200}, {45, 100, 171, 29}, {135, 0, 100, 100}};
  s->XValues()->SetOrder(loNone);
  for (const auto& k : cases) s->AppendPoint(k.Angle, k.Radius);
  for (int32_t i = 0; i < s->Count(); ++i) {
    // Independent: the circle point at the angle for radius r/100 of 100 pixels.
    const double a = s->GetXValue(i) * std::numbers::pi / 180, r = s->GetYValue(i);
    const TPoint p = s->CalcPointXY(i);
    EXPECT_EQ(p.X, int32_t(std::nearbyint(100 + r * std::cos(a)))) << i;
    EXPECT_EQ(p.Y, int32_t(std::nearbyint(100 - r * std::sin(a)))) << i;
  }
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(s->CalcPointXY(int32_t(i)), TPoint(cases[i].X, cases[i].Y)) << i;
}

TEST_F(PolarTest, EmptyRangesRadiiBelowTheMinimumAndInvertedAxesPlacePointsAsTheAxisSays) {
  auto* s = OnFixedCircle<TPolarSeries>(0, 1);
  Chart->LeftAxis()->StoreLimits(10, 10);
  s->XValues()->SetOrder(loNone);
  s->AppendPoint(0, 10);
  s->AppendPoint(90, 50);
  EXPECT_EQ(s->CalcPointXY(0), TPoint(100, 100));
  EXPECT_EQ(s->CalcPointXY(1), TPoint(100, 100));
  Chart->LeftAxis()->SetMinMax(20, 120);
  s->AppendPoint(0, 5);  // below the minimum
  EXPECT_EQ(s->CalcPointXY(s->Count() - 1), TPoint(100, 100));
  EXPECT_EQ(s->CalcPointXY(1), TPoint(100, 70));
  Chart->LeftAxis()->SetInverted(true);
  // Inverted: the distance counts from the maximum.
  EXPECT_EQ(s->CalcPointXY(1), TPoint(100, 30));
}

TEST_F(PolarTest, ALogarithmicRadiusFollowsTheLogarithmOfTheValue) {
  auto* s = OnFixedCircle<TPolarSeries>(1, 100);
  Chart->LeftAxis()->SetLogarithmic(true);
  const struct {
    double Radius;
    bool Inverted;
    int32_t Distance;
  } cases[] = {{10, false, 50}, {100, false, 100}, {1, false, 0},  {0, false, 0},
               {-5, false, 0},  {10, true, 50},    {100, true, 0}, {1, true, 100}};
  for (const auto& k : cases) {
    Chart->LeftAxis()->SetInverted(k.Inverted);
    EXPECT_EQ(s->RadiusDistance(k.Radius, 100), k.Distance) << k.Radius << " " << k.Inverted;
  }
}

TEST_F(PolarTest, DrawingTheHalfAxesOfALogarithmicRadiusFiresNoEvent) {
  auto* s = Add<TPolarSeries>();
  s->AppendPoint(30, 10);
  s->AppendPoint(120, 50);
  Chart->LeftAxis()->SetMinMax(1, 100);
  Chart->LeftAxis()->SetLogarithmic(true);
  int undone = 0, changed = 0;
  Chart->OnUndoZoom = [&](TObject*) { ++undone; };
  for (TChartAxis* a : {Chart->RightAxis(), Chart->TopAxis(), Chart->BottomAxis()})
    a->OnAxisChange = [&](TObject*) { ++changed; };
  for (bool zoomed : {false, true}) {
    if (zoomed) Chart->ZoomValues(0, 360, 0, 360, 2, 50, 2, 50);
    undone = changed = 0;
    Draw();
    EXPECT_EQ(undone, 0) << zoomed;
    EXPECT_EQ(changed, 0) << zoomed;
    EXPECT_EQ(Chart->IsZoomedView(), zoomed);
    // The half axes take the radius axis' switch only while they are drawn.
    for (TChartAxis* a : {Chart->RightAxis(), Chart->TopAxis(), Chart->BottomAxis()}) EXPECT_FALSE(a->GetLogarithmic());
    EXPECT_TRUE(Chart->LeftAxis()->GetLogarithmic());
  }
}

TEST_F(PolarTest, AngleIncrementReadsTheHorizontalAxisAndTenForNone) {
  auto* free = Create<TPolarSeries>(Owner);
  EXPECT_EQ(free->GetAngleIncrement(), 10);
  EXPECT_EQ(free->GetRadiusIncrement(), 0);
  free->SetAngleIncrement(30);  // nothing to set
  auto* s = Add<TPolarSeries>();
  Chart->BottomAxis()->SetIncrement(0);
  EXPECT_EQ(s->GetAngleIncrement(), 10);
  s->SetAngleIncrement(30);
  EXPECT_EQ(Chart->BottomAxis()->GetIncrement(), 30);
  s->SetRadiusIncrement(5);
  EXPECT_EQ(Chart->LeftAxis()->GetIncrement(), 5);
}

TEST_F(PolarTest, CircleLabelsReadTheAngleInDegrees) {
  auto* s = Add<TPolarSeries>();
  const struct {
    double Angle;
    bool ClockWise;
    const char* Text;
  } cases[] = {{360, false, "0\u00B0"}, {90, true, "270\u00B0"}, {45, false, "45\u00B0"},
               {0, true, "0\u00B0"},    {22.5, false, "22.5\u00B0"}};
  for (const auto& k : cases) {
    s->SetClockWiseLabels(k.ClockWise);
    EXPECT_EQ(s->GetCircleLabel(k.Angle, 0), k.Text) << k.Angle;
  }
}

TEST_F(PolarTest, ARadarOverSeriesOfThreeAndSevenPointsHasSevenSpokes) {
  auto* a = Add<TRadarSeries>();
  auto* b = Add<TRadarSeries>();
  for (int32_t i = 0; i < 3; ++i) a->Add(10 * i, "A" + std::to_string(i));
  for (int32_t i = 0; i < 7; ++i) b->Add(5 * i);
  Draw();
  EXPECT_EQ(a->RadarPointCount(), 7);
  EXPECT_NEAR(a->GetAngleIncrement(), 360.0 / 7, 1e-9);
  EXPECT_NEAR(b->GetXValue(1), 51.43, 0.005);
  EXPECT_NEAR(a->GetXValue(2), 2 * 360.0 / 7, 1e-9);
  EXPECT_EQ(a->GetRotationAngle(), 90);
  // Labels come from the points, else from the index.
  EXPECT_EQ(a->GetCircleLabel(0, 1), "A1");
  EXPECT_EQ(b->GetCircleLabel(0, 4), "4");
  a->SetClockWiseLabels(true);
  EXPECT_EQ(a->GetCircleLabel(0, 0), "A2");
}

TEST_F(PolarTest, TwoSeriesOfOneClassDrawOneCircleGridAndLabelRing) {
  auto* a = Add<TPolarSeries>();
  auto* b = Add<TPolarSeries>();
  a->SetCircleLabels(true);
  b->SetCircleLabels(true);
  b->CirclePen()->SetColor(clRed);
  b->CircleLabelsFont()->SetColor(clRed);
  for (auto* s : {a, b}) {
    s->Pen()->SetColor(clBlue);
    s->AppendPoint(30, 5);
    s->AppendPoint(200, 8);
  }
  Draw();
  EXPECT_TRUE(a->DrawsFrame());
  EXPECT_FALSE(b->DrawsFrame());
  EXPECT_EQ(CountColour(clRed), 0);
  // The second series takes the circle the first one's labels left room for.
  EXPECT_EQ(a->CircleBounds, b->CircleBounds);
  // The first series' circle is drawn on its circle rectangle.
  EXPECT_TRUE(Near(a->CentreX, a->CentreY - a->BoundsHeight / 2, clBlack));
  a->SetActive(false);
  Draw();
  EXPECT_TRUE(b->DrawsFrame());
  EXPECT_GT(CountColour(clRed), 0);
}

TEST_F(PolarTest, PolarBarsRunFromTheCentreToEveryPoint) {
  auto* s = Add<TPolarBarSeries>();
  s->SetSeriesColor(clRed);
  Chart->LeftAxis()->SetMinMax(0, 10);
  for (double a : {20.0, 110.0, 250.0}) s->AppendPoint(a, 10);
  Draw();
  for (int32_t i = 0; i < s->Count(); ++i) {
    const TPoint p = s->CalcPointXY(i);
    EXPECT_TRUE(Near((p.X + s->CentreX) / 2, (p.Y + s->CentreY) / 2, clRed)) << i;
    EXPECT_TRUE(Near(p.X + (s->CentreX - p.X) / 4, p.Y + (s->CentreY - p.Y) / 4, clRed)) << i;
  }
  // No line between the points of a polar bar series.
  const TPoint p0 = s->CalcPointXY(0), p1 = s->CalcPointXY(1);
  EXPECT_FALSE(Near((p0.X + p1.X) / 2, (p0.Y + p1.Y) / 2, clRed));
}

TEST_F(PolarTest, PolarLinesJoinThePointsAndCloseTheCircle) {
  auto* s = Add<TPolarSeries>();
  s->SetSeriesColor(clRed);
  s->Pointer()->SetVisible(false);
  Chart->LeftAxis()->SetMinMax(0, 10);
  for (double a : {0.0, 120.0, 240.0}) s->AppendPoint(a, 10);
  Draw();
  for (int32_t i = 0; i < 3; ++i) {
    const TPoint p = s->CalcPointXY(i), q = s->CalcPointXY((i + 1) % 3);
    EXPECT_TRUE(Near((p.X + q.X) / 2, (p.Y + q.Y) / 2, clRed)) << i;
    EXPECT_EQ(s->PointAtPixel((p.X + q.X) / 2, (p.Y + q.Y) / 2) == -1, false) << i;
  }
  EXPECT_EQ(s->PointAtPixel(s->CalcPointXY(1).X, s->CalcPointXY(1).Y), 1);
}

TEST_F(PolarTest, AngleLinesStandAtEveryStepAndRadiusCirclesAtEveryLabel) {
  auto* s = Add<TPolarSeries>();
  s->AppendPoint(10, 0);
  s->Pointer()->SetVisible(false);
  for (TChartAxis* a : {Chart->BottomAxis(), Chart->LeftAxis()}) {
    a->Grid()->SetVisible(true);
    a->Grid()->SetStyle(psSolid);
  }
  Chart->BottomAxis()->Grid()->SetColor(clRed);
  Chart->LeftAxis()->Grid()->SetColor(clBlue);
  Chart->BottomAxis()->SetIncrement(45);
  Chart->LeftAxis()->SetMinMax(0, 10);
  Chart->LeftAxis()->SetIncrement(5);
  Draw();
  const auto onSpoke = [&](double Degrees) {
    const double a = Degrees * std::numbers::pi / 180;
    return Near(s->CentreX + int32_t(std::lround(0.75 * s->RadiusX * std::cos(a))),
                s->CentreY - int32_t(std::lround(0.75 * s->RadiusY * std::sin(a))), clRed);
  };
  // The half axes cover the spokes at 0, 90, 180 and 270 degrees.
  for (int32_t k = 1; k < 8; k += 2) EXPECT_TRUE(onSpoke(k * 45)) << k;
  s->SetCircleLabels(true);
  // Dotted pens and circle labels leave the spokes in place.
  Chart->BottomAxis()->Grid()->SetStyle(psDot);
  Chart->LeftAxis()->Grid()->SetStyle(psDot);
  Draw();
  EXPECT_GT(CountColour(clRed), 100);
  // No spoke half way between two steps.
  EXPECT_FALSE(onSpoke(22.5));
  // Circles at 5 and 10 of 0..10: half the radius and the full radius.
  EXPECT_TRUE(Near(s->CentreX - s->RadiusX / 2, s->CentreY + 3, clBlue));
  EXPECT_FALSE(Near(s->CentreX - s->RadiusX / 4, s->CentreY + 3, clBlue));
}

TEST_F(PolarTest, TinyAndNegativeAngleStepsEnd) {
  auto* s = Add<TPolarSeries>();
  s->AppendPoint(10, 5);
  Chart->BottomAxis()->Grid()->SetVisible(true);
  Chart->LeftAxis()->Grid()->SetVisible(true);
  for (double step : {1e-300, 1e-9, 0.0}) {
    Chart->BottomAxis()->SetIncrement(step);
    Draw();
    SUCCEED();
  }
}

TEST_F(PolarTest, StartUpRegistersTheThreeTypesOnTheExtendedPageAndShutDownRemovesThem) {
  PlotPolar::Initialization();
  PlotPolar::Initialization();
  int32_t found = 0;
  for (TClass k : {TPolarSeries::StaticClass(), TRadarSeries::StaticClass(), TPolarBarSeries::StaticClass()}) {
    const TPlotSeriesType* t = Chart::SeriesTypes().TypeOfSeriesClass(k);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(*t->PageName, "Extended");
    EXPECT_EQ(t->SampleSeriesCount, 2);
    ++found;
  }
  EXPECT_EQ(found, 3);
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TPolarBarSeries::StaticClass())->Description(), "Polar Bar");
  PlotPolar::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TPolarSeries::StaticClass()), nullptr);
  EXPECT_EQ(PlotPolar::DegreeSymbol, "");
  PlotPolar::Initialization();
  EXPECT_EQ(PlotPolar::DegreeSymbol, "\u00B0");
}

TEST_F(PolarTest, GalleryVariantsAndSamplesGiveTheirLooks) {
  auto* s = Add<TPolarSeries>();
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& n) { names.push_back(n); });
  EXPECT_EQ(names, (std::vector<std::string>{"Normal", "No Point", "No Line", "Filled", "Labels", "No Border",
                                             "No Circle"}));
  s->ApplyGalleryVariant(s, 3);
  EXPECT_EQ(s->Brush()->GetStyle(), TBrushStyle::bsSolid);
  s->ApplyGalleryVariant(s, 6);
  EXPECT_FALSE(s->CirclePen()->GetVisible());
  s->FillSampleValues(4);
  ASSERT_EQ(s->Count(), 4);
  for (int32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(s->GetXValue(i), 90.0 * (i + 1));
    EXPECT_GE(s->GetYValue(i), 1);
    EXPECT_LE(s->GetYValue(i), 1000);
  }
  auto* r = Add<TRadarSeries>();
  r->PrepareForGallery(true);
  ASSERT_EQ(r->Count(), 5);
  EXPECT_EQ(r->GetLabel(3), "Monitors");
  Draw();
}

TEST_F(PolarTest, PolarAndRadarSettingsComeBackFromAChartFile) {
  auto* p = Add<TPolarSeries>();
  p->SetCircleLabels(true);
  p->SetLabelsMargin(7);
  p->SetClockWiseLabels(true);
  p->SetCloseCircle(false);
  p->SetTransparency(40);
  p->SetRotationAngle(30);
  p->CirclePen()->SetColor(clRed);
  p->AppendPoint(45, 3);
  p->AppendPoint(90, 4);
  auto* r = Add<TRadarSeries>();
  r->Add(5, "Cars");
  for (bool text : {true, false}) {
    const auto copy = Reloaded(text);
    ASSERT_EQ(copy.size(), 2u);
    auto* q = dynamic_cast<TPolarSeries*>(copy[0]);
    auto* s = dynamic_cast<TRadarSeries*>(copy[1]);
    ASSERT_TRUE(q && s);
    EXPECT_TRUE(q->GetCircleLabels());
    EXPECT_EQ(q->GetLabelsMargin(), 7);
    EXPECT_TRUE(q->GetClockWiseLabels());
    EXPECT_FALSE(q->GetCloseCircle());
    EXPECT_EQ(q->GetTransparency(), 40);
    EXPECT_EQ(q->GetRotationAngle(), 30);
    EXPECT_EQ(q->CirclePen()->GetColor(), clRed);
    ASSERT_EQ(q->Count(), 2);
    EXPECT_EQ(q->GetXValue(1), 90);
    EXPECT_EQ(q->GetYValue(1), 4);
    EXPECT_EQ(q->RadiusValues()->GetName(), "Radius");
    EXPECT_EQ(s->GetLabel(0), "Cars");
  }
}

TEST_F(PolarTest, DISABLED_SavesAPolarAndARadarPicture) {
  auto* s = Add<TPolarSeries>();
  s->SetCircleLabels(true);
  s->SetSeriesColor(clBlue);
  s->Brush()->SetStyle(TBrushStyle::bsSolid);
  s->SetTransparency(60);
  Chart->BottomAxis()->Grid()->SetVisible(true);
  Chart->BottomAxis()->Grid()->SetStyle(psSolid);
  Chart->BottomAxis()->SetIncrement(30);
  Chart->LeftAxis()->SetMinMax(0, 10);
  for (int32_t i = 0; i < 12; ++i) s->AppendPoint(i * 30, 3 + 6 * std::fabs(std::sin(i * 0.7)));
  Draw();
  SavePng("/tmp/polar_polar.png");
  s->SetActive(false);
  auto* r = Add<TRadarSeries>();
  r->SetCircleLabels(true);
  r->FillSampleValues(5);
  r->SetSeriesColor(clRed);
  Chart->LeftAxis()->SetAutomatic(true);
  Draw();
  SavePng("/tmp/polar_radar.png");
}

}  // namespace

}  // namespace PlotPolarTests
