// Wind-rose and clock series: compass and dial labels, the hands at a given
// time, the axes a clock hides and gives back, its timer and registration.
#include <cmath>
#include <numbers>

#include "chart/extras/PlotRose.h"
#include "chart/extras/tests/PlotPolarFixture.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/ExtCtrls.h"

namespace PlotRoseTests {

namespace {

using RoseTest = CircledChartTest;

TEST_F(RoseTest, WindRoseLabelsNameTheCompassEveryFifteenDegrees) {
  auto* s = Add<TWindRoseSeries>();
  EXPECT_TRUE(s->GetCircleLabels());
  EXPECT_EQ(s->GetRotationAngle(), 90);
  const struct {
    double Angle;
    bool Mirror;
    const char* Text;
  } cases[] = {{0, false, "N"},    {90, false, "W"},   {180, false, "S"},  {270, false, "E"},
               {360, false, "N"},  {15, false, "NNNW"}, {345, false, "NNNE"}, {225, false, "SE"},
               {20, false, ""},    {90, true, "E"},    {270, true, "W"},   {45, true, "NE"},
               {44.6, false, "NW"}, {7, false, ""}};
  for (const auto& k : cases) {
    s->SetMirrorLabels(k.Mirror);
    EXPECT_EQ(s->GetCircleLabel(k.Angle, 0), k.Text) << k.Angle << " " << k.Mirror;
  }
}

TEST_F(RoseTest, ClockDialReadsRomanAndDecimalNumerals) {
  auto* s = Add<TClockSeries>();
  const struct {
    double Angle;
    const char* Roman;
    const char* Decimal;
  } cases[] = {{0, "XII", "12"}, {30, "XI", "11"}, {270, "III", "3"}, {180, "VI", "6"}, {330, "I", "1"}};
  for (const auto& k : cases) {
    s->SetStyle(cssRoman);
    EXPECT_EQ(s->GetCircleLabel(k.Angle, 0), k.Roman) << k.Angle;
    s->SetStyle(cssDecimal);
    EXPECT_EQ(s->GetCircleLabel(k.Angle, 0), k.Decimal) << k.Angle;
  }
}

// The label angle of a dial numeral.
double LabelAngle(TClockSeries* S, const std::string& Text) {
  for (int32_t a = 0; a < 360; a += 30)
    if (S->GetCircleLabel(a, 0) == Text) return a;
  return -1;
}

TEST_F(RoseTest, AtHalfPastThreeTheHourHandStandsBetweenThreeAndFourAndTheMinuteHandAtSix) {
  auto* s = Add<TClockSeries>();
  const TDateTime t = SysUtils::EncodeTime(15, 30, 0, 0);
  double h = 0, m = 0, sec = 0;
  TClockSeries::HandAngles(t, h, m, sec);
  const auto norm = [](double a) { return std::fmod(std::fmod(a, 360) + 360, 360); };
  EXPECT_DOUBLE_EQ(norm(h), (LabelAngle(s, "III") + LabelAngle(s, "IV")) / 2);
  EXPECT_DOUBLE_EQ(norm(m), LabelAngle(s, "VI"));
  EXPECT_DOUBLE_EQ(norm(sec), 0);

  // On the picture: the minute hand points straight down, the hour hand to
  // the right, slightly below the centre.
  s->OnGetTime = [&](TChartSeries*, TDateTime& Time) { Time = t; };
  s->PenHours()->SetColor(clRed);
  s->PenMinutes()->SetColor(clBlue);
  s->PenSeconds()->Hide();
  s->Brush()->SetColor(clWhite);
  s->SetSeriesColor(clWhite);
  Draw();
  const int32_t r = s->RadiusY;
  EXPECT_TRUE(Near(s->CentreX, s->CentreY + r / 2, clBlue, 4));
  EXPECT_FALSE(Near(s->CentreX, s->CentreY - r / 2, clBlue, 4));
  const double a = 345 * std::numbers::pi / 180;  // 255 degrees plus the rotation
  EXPECT_TRUE(Near(s->CentreX + int32_t(std::lround(0.4 * s->RadiusX * std::cos(a))),
                   s->CentreY - int32_t(std::lround(0.4 * r * std::sin(a))), clRed, 4));
  EXPECT_EQ(s->GetLegendString(0, ltsPlain), SysUtils::FormatDateTime("t", t));
}

TEST_F(RoseTest, AClockHidesTheAxesAndGivesThemBackWhenItLeavesIsDeactivatedOrFreed) {
  ASSERT_TRUE(Chart->GetAxisVisible());
  auto* s = Add<TClockSeries>();
  EXPECT_FALSE(Chart->GetAxisVisible());
  EXPECT_EQ(s->GetAngleIncrement(), 30);
  s->SetActive(false);
  EXPECT_TRUE(Chart->GetAxisVisible());
  s->SetActive(true);
  EXPECT_FALSE(Chart->GetAxisVisible());
  Chart->RemoveSeries(s);
  EXPECT_TRUE(Chart->GetAxisVisible());
  Chart->AddSeries(s);
  EXPECT_FALSE(Chart->GetAxisVisible());
  s->Free();
  EXPECT_TRUE(Chart->GetAxisVisible());
  // A chart whose axes were hidden before keeps them hidden.
  Chart->SetAxisVisible(false);
  auto* t = Add<TClockSeries>();
  Chart->RemoveSeries(t);
  EXPECT_FALSE(Chart->GetAxisVisible());
}

TEST_F(RoseTest, TheClockTimerRunsOnAChartAndRepaintsItOncePerTick) {
  auto* s = Create<TClockSeries>(Owner);
  EXPECT_EQ(s->Timer()->GetInterval(), 1000u);
  EXPECT_FALSE(s->Timer()->GetEnabled());
  Chart->AddSeries(s);
  EXPECT_TRUE(s->Timer()->GetEnabled());
  int32_t repaints = 0;
  Chart->AutoRepaint = true;
  Chart->OnInvalidateWindow = [&] { ++repaints; };
  s->Timer()->GetOnTimer()(s->Timer());
  EXPECT_EQ(repaints, 1);
  EXPECT_TRUE(s->Timer()->GetEnabled());
  Chart->RemoveSeries(s);
  EXPECT_FALSE(s->Timer()->GetEnabled());
  Chart->OnInvalidateWindow = nullptr;
}

TEST_F(RoseTest, ClockAndWindRoseStayFlatAndDraw) {
  auto* rose = Add<TWindRoseSeries>();
  for (int32_t i = 0; i < 8; ++i) rose->AppendPoint(i * 45, 2 + i);
  Chart->SetView3D(true);
  rose->ChangeView3D(true);
  EXPECT_FALSE(Chart->GetView3D());
  rose->PrepareForGallery(true);
  EXPECT_EQ(rose->CircleLabelsFont()->GetSize(), 6);
  EXPECT_EQ(rose->Pointer()->GetHorizSize(), 2);
  Draw();
  auto* clock = Add<TClockSeries>();
  clock->SetTransparency(30);
  clock->Pointer()->SetVisible(true);
  Draw();
  EXPECT_EQ(clock->Count(), 1);
  EXPECT_EQ(clock->LegendEntryCount(), 1);
  EXPECT_EQ(clock->LegendEntryColor(0), clNone);
}

TEST_F(RoseTest, StartUpRegistersWindRoseAndClockOnTheOtherPage) {
  PlotRose::Initialization();
  PlotRose::Initialization();
  for (TClass k : {TWindRoseSeries::StaticClass(), TClockSeries::StaticClass()}) {
    const TPlotSeriesType* t = Chart::SeriesTypes().TypeOfSeriesClass(k);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(*t->PageName, "Other");
    EXPECT_EQ(t->SampleSeriesCount, 1);
  }
  PlotRose::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TClockSeries::StaticClass()), nullptr);
  PlotRose::Initialization();
}

TEST_F(RoseTest, WindRoseAndClockSettingsComeBackFromAChartFile) {
  auto* rose = Add<TWindRoseSeries>();
  rose->SetMirrorLabels(true);
  rose->AppendPoint(90, 2);
  auto* clock = Add<TClockSeries>();
  clock->SetStyle(cssDecimal);
  clock->PenHours()->SetColor(clRed);
  clock->PenSeconds()->Hide();
  for (bool text : {true, false}) {
    const auto copy = Reloaded(text);
    ASSERT_EQ(copy.size(), 2u);
    auto* r = dynamic_cast<TWindRoseSeries*>(copy[0]);
    auto* c = dynamic_cast<TClockSeries*>(copy[1]);
    ASSERT_TRUE(r && c);
    EXPECT_TRUE(r->GetMirrorLabels());
    EXPECT_TRUE(r->GetCircleLabels());
    EXPECT_EQ(r->GetRotationAngle(), 90);
    EXPECT_EQ(c->GetStyle(), cssDecimal);
    EXPECT_EQ(c->PenHours()->GetColor(), clRed);
    EXPECT_FALSE(c->PenSeconds()->GetVisible());
    EXPECT_TRUE(c->GetShowInLegend());
    EXPECT_FALSE(c->GetParentChart()->GetCanvas() == nullptr);
  }
}

TEST_F(RoseTest, DISABLED_SavesAWindRoseAndAClockPicture) {
  auto* rose = Add<TWindRoseSeries>();
  rose->SetSeriesColor(clRed);
  rose->Brush()->SetStyle(TBrushStyle::bsSolid);
  rose->SetTransparency(50);
  Chart->BottomAxis()->SetIncrement(45);
  Chart->BottomAxis()->Grid()->SetVisible(true);
  Chart->LeftAxis()->SetMinMax(0, 10);
  for (int32_t i = 0; i < 16; ++i) rose->AppendPoint(i * 22.5, 2 + 7 * std::fabs(std::cos(i * 0.9)));
  Draw();
  SavePng("/tmp/polar_windrose.png");
  rose->SetActive(false);
  auto* clock = Add<TClockSeries>();
  clock->OnGetTime = [](TChartSeries*, TDateTime& Time) { Time = SysUtils::EncodeTime(15, 30, 0, 0); };
  clock->SetSeriesColor(clYellow);
  clock->PenHours()->SetColor(clRed);
  clock->PenMinutes()->SetColor(clBlue);
  Draw();
  SavePng("/tmp/polar_clock.png");
}

}  // namespace

}  // namespace PlotRoseTests
