// The circled base and the pie series: circle geometry, angles, the chart's
// 3-D view, the "Other" slice, explode, several pies, slice drawing and hit
// tests, and two pictures rendered to PNG files for a look.
#include <cmath>
#include <numbers>

#include "chart/engine/Chart.h"
#include "chart/series/ErrorBar.h"
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PieSeriesTests {

namespace {

constexpr double kPi = std::numbers::pi;

// Counts the 2-D pie calls.
class PieCountCanvas : public TPlotCanvas3D {
public:
  PieCountCanvas() {
    AttachCanvas(Bitmap.GetCanvas());
    ResetState();
  }
  void Pie(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override { ++Pies; }
  int Pies = 0;
  TBitmap Bitmap{8, 8};
};

class TPiePanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  TCanvas3D* GetCanvas() override { return Override ? Override : Canvas(); }
  TCanvas3D* Override = nullptr;
};

class PieTest : public SeriesChartTest {
protected:
  TPieSeries* Pie(std::initializer_list<double> Values) {
    auto* s = Add<TPieSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    for (double v : Values) s->Add(v);
    return s;
  }
  static double Sweep(const TPieSeries& S, int32_t I) { return S.Angles()[I].EndAngle - S.Angles()[I].StartAngle; }
};

TEST_F(PieTest, RotationIsKeptModulo360WithItsSign) {
  auto* s = Pie({});
  s->SetRotationAngle(400);
  EXPECT_EQ(s->GetRotationAngle(), 40);
  EXPECT_NEAR(s->RotationRadians, 40 * kPi / 180, 1e-12);
  s->SetRotationAngle(-30);
  EXPECT_EQ(s->GetRotationAngle(), -30);
}

TEST_F(PieTest, CircleRectangleIsEvenAndAnglesRunCounterClockwise) {
  auto* s = Pie({1});
  Chart->ChartRect = TRect(10, 10, 111, 90);
  s->BeforeDrawPoints();
  EXPECT_EQ(s->BoundsWidth, 100);
  EXPECT_EQ(s->BoundsHeight, 80);
  EXPECT_EQ(s->CentreX, 60);
  EXPECT_NEAR(s->AngleAtPoint(s->CentreX, s->CentreY + 10), 3 * kPi / 2, 1e-12);
  EXPECT_NEAR(s->AngleAtPoint(s->CentreX + 10, s->CentreY - 10 * 40 / 50), kPi / 4, 1e-9);
  EXPECT_EQ(s->PointAtAngle(kPi / 2, 50, 40), TPoint(60, s->CentreY - 40));
  s->SetCircled(true);
  s->BeforeDrawPoints();
  EXPECT_EQ(s->RadiusX, s->RadiusY) << "square pixels: a true circle";
}

TEST_F(PieTest, ARemovedOrDeactivatedPieGivesTheChartItsViewBack) {
  TView3DOptions& view = *Chart->View3DOptions();
  view.SetRotation(20);
  view.SetElevation(330);
  auto* s = Pie({1, 2});
  EXPECT_EQ(view.GetRotation(), 360);
  EXPECT_EQ(view.GetElevation(), 315);
  EXPECT_FALSE(view.GetOrthogonal());
  s->SetActive(false);
  EXPECT_EQ(view.GetRotation(), 20);
  s->SetActive(true);
  EXPECT_EQ(view.GetRotation(), 360);
  Chart->RemoveSeries(s);
  EXPECT_EQ(view.GetRotation(), 20);
  EXPECT_EQ(view.GetElevation(), 330);
  EXPECT_TRUE(view.GetOrthogonal());
}

TEST_F(PieTest, SmallValuesGoToTheOtherSlice) {
  auto* s = Pie({50, 30, 15, 5});
  s->OtherSlice()->SetStyle(poBelowPercent);
  s->OtherSlice()->SetValue(10);
  Draw();
  ASSERT_EQ(s->Count(), 5);
  EXPECT_EQ(s->GetXValue(3), TPieSeries::GroupedX);
  EXPECT_EQ(s->GetXValue(4), TPieSeries::OtherSliceX);
  EXPECT_EQ(s->GetYValue(4), 5);
  EXPECT_EQ(s->GetLabel(4), "Other");
  EXPECT_EQ(s->PieValues()->TotalABS(), 100) << "the other slice is not counted twice";
  const double full = 2 * kPi;
  EXPECT_NEAR(Sweep(*s, 0), full * 0.50, 1e-9);
  EXPECT_NEAR(Sweep(*s, 1), full * 0.30, 1e-9);
  EXPECT_NEAR(Sweep(*s, 2), full * 0.15, 1e-9);
  EXPECT_NEAR(Sweep(*s, 3), 0, 1e-12);
  EXPECT_NEAR(Sweep(*s, 4), full * 0.05, 1e-9);
  EXPECT_EQ(s->LegendEntryCount(), 4);
  EXPECT_EQ(s->LegendToValueIndex(3), 4);
  // Drawing again regroups from scratch: still one other slice.
  Draw();
  EXPECT_EQ(s->Count(), 5);
}

TEST_F(PieTest, AngleSizeAndNegativeValues) {
  auto* s = Pie({-50, 25, 25});
  s->SetAngleSize(180);
  Draw();
  EXPECT_NEAR(Sweep(*s, 0), kPi / 2, 1e-9) << "a negative value takes its magnitude";
  EXPECT_NEAR(s->Angles()[2].EndAngle, kPi, 1e-12);
}

TEST_F(PieTest, ExplodeBiggestMovesTheFirstLargestSliceAndShrinksTheCircle) {
  auto* s = Pie({1, 5, 5});
  Draw();
  const TRect plain = s->CircleBounds;
  s->SetExplodeBiggest(30);
  EXPECT_EQ(s->SliceExplode().ValueAt(1), 30);
  EXPECT_EQ(s->SliceExplode().ValueAt(2), 0);
  Draw();
  const TPoint d = s->ExplodeOffset(1);
  const double a = s->Angles()[1].MidAngle;
  EXPECT_NEAR(d.X, std::cos(a) * s->RadiusX * 0.3, 0.5 + 1e-9);
  EXPECT_NEAR(d.Y, std::sin(a) * s->RadiusY * 0.3, 0.5 + 1e-9);
  // The rectangle loses half the offset (on the unexploded radii) on each
  // side, then is made even.
  const int dx0 = int(std::lround(std::cos(a) * (plain.Right - plain.Left) / 2 * 0.3));
  const int dy0 = int(std::lround(std::sin(a) * (plain.Bottom - plain.Top) / 2 * 0.3));
  EXPECT_NEAR(s->CircleBounds.Left, plain.Left + std::abs(dx0) / 2, 1);
  EXPECT_NEAR(s->CircleBounds.Top, plain.Top + std::abs(dy0) / 2, 1);
  // Just outside the unexploded circle along the slice's middle: in the moved slice.
  const TPoint p = s->PointAtAngle(a, s->RadiusX * 115 / 100, s->RadiusY * 115 / 100);
  EXPECT_EQ(s->PieSliceAtPoint(p.X, p.Y, false), -1);
  EXPECT_EQ(s->PointAtPixel(p.X, p.Y), 1);
}

TEST_F(PieTest, SeveralPiesShareTheChartInWholeRows) {
  for (int n : {4, 9}) {
    Chart->FreeAllSeries();
    std::vector<TRect> cells;
    for (int k = 0; k < n; ++k) {
      auto* s = Pie({1, 2});
      s->BeforeDrawValues = [&](TObject*) { cells.push_back(Chart->ChartRect); };
    }
    Draw();
    ASSERT_EQ(static_cast<int>(cells.size()), n);
    const int cols = n == 4 ? 2 : 3, rows = n == 4 ? 2 : 3;
    const int w = cells[0].Right - cells[0].Left, h = cells[0].Bottom - cells[0].Top;
    EXPECT_EQ(cells[n - 1].Left, cells[0].Left + (cols - 1) * w) << n;
    EXPECT_EQ(cells[n - 1].Top, cells[0].Top + (rows - 1) * h) << n;
    EXPECT_EQ(Chart->ChartRect.Bottom - Chart->ChartRect.Top, rows * h + (Chart->ChartRect.Bottom - Chart->ChartRect.Top) % rows)
        << "the chart rectangle comes back, filled by " << rows << " rows";
  }
}

TEST_F(PieTest, AnEmptySliceDrawsNothingIn2D) {
  Owner->Free();
  Owner = new TComponent(nullptr);
  auto* panel = Create<TPiePanel>(Owner);
  Chart = panel;
  Chart->SetBounds(W, H);
  Chart->SetView3D(false);
  auto* s = Pie({50, 0, 50});
  Draw();
  PieCountCanvas count;
  panel->Override = &count;
  s->DrawPoints();
  panel->Override = nullptr;
  EXPECT_EQ(count.Pies, 2);
}

TEST_F(PieTest, APointAddedAfterADrawGetsItsSlice) {
  auto* s = Pie({1, 1});
  Draw();
  const TPoint inSecond = s->PointAtAngle(s->Angles()[1].MidAngle, s->RadiusX / 2, s->RadiusY / 2);
  s->Add(2);
  // Before the next draw the new point has no slice yet, and nothing breaks.
  EXPECT_EQ(s->PointAtPixel(inSecond.X, inSecond.Y), 1);
  Draw();
  ASSERT_EQ(s->Angles().size(), 3u);
  EXPECT_NEAR(Sweep(*s, 2), kPi, 1e-9);
  s->SetYValue(0, 2);
  Draw();
  EXPECT_NEAR(Sweep(*s, 0), 0.8 * kPi, 1e-9) << "changed values draw new slices";
}

TEST_F(PieTest, PieLeavesTheAxesAloneAndSamplesHaveLabels) {
  auto* s = Pie({});
  EXPECT_EQ(s->LargestY(), 10);
  EXPECT_EQ(s->SmallestX(), 0);
  s->AddSampleValues(9);
  ASSERT_EQ(s->Count(), 9);
  EXPECT_EQ(s->GetLabel(8), "Cars");
  for (int32_t i = 0; i < 9; ++i) EXPECT_GE(s->GetYValue(i), 1);
}

// ---- pictures for a look ----

TEST(PieRender, StackedBarsWithErrorBarsAndAnExplodedPieAreRendered) {
  PlotConst::Initialize();
  PlotProcs::SetDefaultPalette();
  const std::string dir = testing::TempDir();
  {
    auto* chart = Create<TChart>(nullptr);
    chart->SetBounds(480, 320);
    chart->SetView3D(false);
    chart->SetColor(clWhite);
    for (int k = 0; k < 2; ++k) {
      auto* b = Create<TBarSeries>(chart);
      chart->AddSeries(b);
      b->SetMultiBar(mbStacked);
      b->SetBarStyle(bsRectGradient);
      for (int i = 0; i < 5; ++i) b->Add(2 + (i * 3 + k * 5) % 7, "b" + std::to_string(i));
    }
    auto* e = Create<TErrorBarSeries>(chart);
    chart->AddSeries(e);
    e->SetSeriesColor(0x80C080);
    for (int i = 0; i < 5; ++i) e->AddXYError(i, 3 + i % 3, 1 + i % 2);
    TBitmap bitmap(480, 320);
    chart->DrawTo(*bitmap.GetCanvas(), TRect(0, 0, 480, 320));
    TPngImage png;
    png.Assign(bitmap);
    png.SaveToFile(dir + "kv_bars.png");
    chart->Free();
  }
  {
    auto* chart = Create<TChart>(nullptr);
    chart->SetBounds(400, 320);
    chart->SetView3D(true);
    chart->SetColor(clWhite);
    auto* p = Create<TPieSeries>(chart);
    chart->AddSeries(p);
    for (double v : {40.0, 25.0, 18.0, 10.0, 4.0, 3.0}) p->Add(v, "v" + std::to_string(int(v)));
    p->OtherSlice()->SetStyle(poBelowPercent);
    p->OtherSlice()->SetValue(5);
    p->SetExplodeBiggest(25);
    TBitmap bitmap(400, 320);
    chart->DrawTo(*bitmap.GetCanvas(), TRect(0, 0, 400, 320));
    EXPECT_EQ(p->GetLabel(p->Count() - 1), "Other");
    TPngImage png;
    png.Assign(bitmap);
    png.SaveToFile(dir + "kv_pie3d.png");
    chart->Free();
  }
}

}  // namespace

}  // namespace PieSeriesTests
