// Smith chart series: impedance pixels against the reflection coefficient,
// resistance circles, the pens and labels kept in the axes, one grid for two
// series, no reactance arcs in a rotated view, z = -1 skipped.
#include <cmath>
#include <complex>
#include <limits>

#include "chart/extras/PlotSmith.h"
#include "chart/extras/tests/PlotPolarFixture.h"

namespace PlotSmithTests {

namespace {

using SmithTest = CircledChartTest;

TEST_F(SmithTest, ImpedancesLieAtTheirReflectionCoefficient) {
  auto* s = Add<TSmithSeries>();
  s->CentreX = s->CentreY = 100;
  s->RadiusX = s->RadiusY = 100;
  const struct {
    double R, X;
    int32_t Px, Py;
  } cases[] = {{1, 0, 100, 100}, {0, 0, 0, 100},   {0, 1, 100, 0},
               {0, -1, 100, 200}, {2, 0, 133, 100}, {1, 1, 120, 60}};
  for (const auto& k : cases) {
    TPoint p;
    ASSERT_TRUE(s->ImpedanceToPixel(k.R, k.X, p));
    EXPECT_EQ(p, TPoint(k.Px, k.Py)) << k.R << "+j" << k.X;
    // Independent: the reflection coefficient (z - 1) / (z + 1) on the unit circle.
    const std::complex<double> z(k.R, k.X), g = (z - 1.0) / (z + 1.0);
    EXPECT_EQ(p.X, int32_t(std::nearbyint(100 + 100 * g.real())));
    EXPECT_EQ(p.Y, int32_t(std::nearbyint(100 - 100 * g.imag())));
  }
  TPoint p(7, 7);
  EXPECT_FALSE(s->ImpedanceToPixel(-1, 0, p));
  EXPECT_FALSE(s->ImpedanceToPixel(std::numeric_limits<double>::infinity(), 0, p));
  EXPECT_FALSE(s->ImpedanceToPixel(std::nan(""), 1, p));
  EXPECT_EQ(p, TPoint(7, 7));
}

TEST_F(SmithTest, ThePensLabelsAndFontsOfTheGridAreThoseOfTheAxes) {
  auto* free = Create<TSmithSeries>(Owner);
  EXPECT_EQ(free->RCirclePen(), free->Pen());
  EXPECT_TRUE(free->GetCLabels());
  auto* s = Add<TSmithSeries>();
  TChartPen pen;
  pen.SetColor(clRed);
  s->SetRCirclePen(&pen);
  EXPECT_EQ(Chart->BottomAxis()->Grid()->GetColor(), clRed);
  EXPECT_EQ(s->RCirclePen(), Chart->BottomAxis()->Grid());
  EXPECT_EQ(s->CCirclePen(), Chart->LeftAxis()->Grid());
  s->SetCLabels(false);
  EXPECT_FALSE(Chart->LeftAxis()->GetLabels());
  EXPECT_EQ(s->RLabelsFont(), Chart->BottomAxis()->LabelsFont());
}

class SmithGridTest : public CircledChartTest {
protected:
  void SetUp() override {
    CircledChartTest::SetUp();
    S = Add<TSmithSeries>();
    S->SetCircled(true);
    S->SetRLabels(false);
    S->SetCLabels(false);
    S->Pen()->Hide();
    S->Pointer()->SetVisible(false);
    for (TChartAxis* a : {Chart->BottomAxis(), Chart->LeftAxis()}) {
      a->Grid()->SetVisible(true);
      a->Grid()->SetStyle(psSolid);
    }
    Chart->BottomAxis()->Grid()->SetColor(clBlue);
    Chart->LeftAxis()->Grid()->SetColor(clRed);
    S->AddPoint(1, 0.5);
  }
  TSmithSeries* S = nullptr;
};

TEST_F(SmithGridTest, ResistanceCirclesTouchTheRightEdgeWithRadiusROverROnePlusOne) {
  Draw();
  const int32_t right = S->CentreX + S->RadiusX;
  for (double r : {0.2, 0.5, 1.0, 2.0, 5.0}) {
    const int32_t d = int32_t(std::nearbyint(S->RadiusX / (r + 1)));
    // A circle of radius d whose centre lies d left of the right edge.
    EXPECT_TRUE(Near(right - d - d / 2, S->CentreY + int32_t(std::lround(0.866 * d)), clBlue)) << r;
  }
  EXPECT_TRUE(Near(S->CentreX - S->RadiusX / 2, S->CentreY, clRed));  // the horizontal diameter
  // The arc of reactance +1 passes the pixel of z = 1 + j.
  TPoint p;
  ASSERT_TRUE(S->ImpedanceToPixel(1, 1, p));
  EXPECT_TRUE(Near(p.X, p.Y, clRed));
}

TEST_F(SmithGridTest, ARotatedThreeDViewShowsNoReactanceArcs) {
  Chart->SetView3D(true);
  Chart->View3DOptions()->SetOrthogonal(false);
  Chart->View3DOptions()->SetRotation(340);
  Chart->View3DOptions()->SetElevation(340);
  Draw();
  // Every red pixel lies on the one straight diameter.
  std::vector<TPoint> red;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      if (Px(x, y) == clRed) red.emplace_back(x, y);
  ASSERT_GT(red.size(), 10u);
  const TPoint a = red.front(), b = red.back();
  const double len = std::hypot(b.X - a.X, b.Y - a.Y);
  for (const TPoint& p : red)
    EXPECT_LE(std::fabs((b.X - a.X) * (a.Y - p.Y) - (a.X - p.X) * (b.Y - a.Y)) / len, 1.5) << p.X << "," << p.Y;
  EXPECT_GT(CountColour(clBlue), 0);
}

TEST_F(SmithGridTest, TwoSmithSeriesDrawOneGrid) {
  Draw();
  const auto one = Picture();
  auto* second = Add<TSmithSeries>();
  second->CirclePen()->SetColor(clGreen);
  second->Pen()->Hide();
  second->Pointer()->SetVisible(false);
  second->AddPoint(1, 0.5);
  Draw();
  EXPECT_TRUE(S->DrawsFrame());
  EXPECT_FALSE(second->DrawsFrame());
  EXPECT_EQ(Picture(), one);
}

TEST_F(SmithGridTest, APointAtMinusOneIsSkippedAndTheLineGoesOn) {
  S->Pen()->Show();
  S->Pen()->SetColor(clDefault);
  S->SetSeriesColor(clLime);
  S->AddPoint(-1, 0);
  S->AddPoint(0, 1);
  S->Pointer()->SetVisible(true);
  Draw();
  TPoint a, b;
  ASSERT_TRUE(S->ImpedanceToPixel(1, 0.5, a));
  ASSERT_TRUE(S->ImpedanceToPixel(0, 1, b));
  EXPECT_TRUE(Near((a.X + b.X) / 2, (a.Y + b.Y) / 2, clLime));
  EXPECT_EQ(S->PointAtPixel(b.X, b.Y), 2);
}

TEST_F(SmithGridTest, LabelsAndSamplesDraw) {
  S->SetCLabels(true);
  S->SetRLabels(true);
  S->FillSampleValues(8);
  ASSERT_EQ(S->Count(), 8);
  EXPECT_EQ(S->GetXValue(4), 6.5 * 4 / 8);  // insertion order kept
  Draw();
  PlotSmith::Initialization();
  const TPlotSeriesType* t = Chart::SeriesTypes().TypeOfSeriesClass(TSmithSeries::StaticClass());
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(*t->PageName, "Extended");
  EXPECT_EQ(t->SampleSeriesCount, 2);
  PlotSmith::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TSmithSeries::StaticClass()), nullptr);
  PlotSmith::Initialization();
}

TEST_F(SmithGridTest, SmithSettingsAndPointsComeBackFromAChartFile) {
  S->SetImagSymbol("j");
  S->CirclePen()->SetColor(clGreen);
  S->AddPoint(2, -1, "load");
  S->AddPoint(0.5, 3);
  for (bool text : {true, false}) {
    const auto copy = Reloaded(text);
    ASSERT_EQ(copy.size(), 1u);
    auto* s = dynamic_cast<TSmithSeries*>(copy[0]);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetImagSymbol(), "j");
    EXPECT_EQ(s->CirclePen()->GetColor(), clGreen);
    ASSERT_EQ(s->Count(), 3);
    // Insertion order, not resistance order.
    EXPECT_EQ(s->GetXValue(1), 2);
    EXPECT_EQ(s->GetYValue(1), -1);
    EXPECT_EQ(s->GetLabel(1), "load");
    EXPECT_EQ(s->GetXValue(2), 0.5);
  }
}

TEST_F(SmithGridTest, DISABLED_SavesASmithChartPicture) {
  S->SetCLabels(true);
  S->SetRLabels(true);
  S->Pen()->Show();
  S->SetSeriesColor(clRed);
  S->Pointer()->SetVisible(true);
  Chart->BottomAxis()->Grid()->SetColor(clGray);
  Chart->LeftAxis()->Grid()->SetColor(clSilver);
  S->Clear();
  for (double r : {0.2, 0.5, 1.0, 2.0, 4.0}) S->AddPoint(r, r - 1);
  Draw();
  SavePng("/tmp/polar_smith.png");
}

}  // namespace

}  // namespace PlotSmithTests
