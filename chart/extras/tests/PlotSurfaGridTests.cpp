// The 3-D grid series base: the grid index (regular and irregular, bounded),
// cell corners, generated values and copying between grid series.
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "chart/engine/PlotEngine.h"
#include "chart/extras/PlotSurfaGrid.h"

namespace PlotSurfaGridTests {

namespace {

struct Pt {
  double X, Z;
};

class GridSeriesTest : public ::testing::Test {
protected:
  void SetUp() override { Owner = new TComponent(nullptr); }
  void TearDown() override { Owner->Free(); }
  TCustom3DGridSeries* Series(const std::vector<Pt>& Points = {}, bool Irregular = false) {
    auto* s = Create<TCustom3DGridSeries>(Owner);
    s->SetIrregularGrid(Irregular);
    for (const Pt& p : Points) s->AddPointXYZ(p.X, 1, p.Z);
    return s;
  }
  // Every entry of the grid index, checked against the expected points.
  static void ExpectIndex(const TCustom3DGridSeries& S, int32_t NumX, int32_t NumZ,
                          const std::vector<std::vector<int32_t>>& Expected) {
    ASSERT_EQ(S.GetNumXValues(), NumX);
    ASSERT_EQ(S.GetNumZValues(), NumZ);
    ASSERT_EQ(S.GridIndex.size(), static_cast<size_t>(NumX + 1));
    for (int32_t x = 0; x <= NumX; ++x) {
      ASSERT_EQ(S.GridIndex[x].size(), static_cast<size_t>(NumZ + 1));
      for (int32_t z = 0; z <= NumZ; ++z) {
        const int32_t want = x == 0 || z == 0 ? -1 : Expected[x - 1][z - 1];
        EXPECT_EQ(S.GridIndex[x][z], want) << "column " << x << " row " << z;
      }
    }
  }
  // The sample surface, written out independently.
  static double Sample(int32_t X, int32_t Z, int32_t NX, int32_t NZ) {
    const double a = std::cos(X / (0.2 * NX)), b = std::cos(Z / (0.2 * NZ));
    return 0.5 * a * a + b * b - std::cos(Z / (0.5 * NZ));
  }
  TComponent* Owner = nullptr;
};

TEST_F(GridSeriesTest, NewSeriesIsEmptyWithAnElevenByElevenIndexOfMissingPoints) {
  TCustom3DGridSeries* s = Series();
  EXPECT_EQ(s->Count(), 0);
  ExpectIndex(*s, 10, 10, std::vector<std::vector<int32_t>>(10, std::vector<int32_t>(10, -1)));
  EXPECT_EQ(s->XValues()->GetOrder(), loNone);
  EXPECT_EQ(s->NumSampleValues(), 10);
}

TEST_F(GridSeriesTest, FillsTheIndexFromThePointPositions) {
  struct Case {
    const char* Name;
    bool Irregular;
    std::vector<Pt> Points;
    int32_t NumX, NumZ;
    std::vector<std::vector<int32_t>> Index;  // [column][row]
  };
  const Case cases[] = {
      // 1.5 and 2.5 both round to 2 (ties to even): the later point wins.
      {"ties to even", false, {{1.5, 0}, {2.5, 0}}, 1, 1, {{1}}},
      {"-0.5 and 0.5 both 0", false, {{-0.5, 3}, {0.5, 3}}, 1, 1, {{1}}},
      {"X 3..7 gives 5 columns", false, {{5, 1}, {3, 1}, {7, 2}, {4, 2}, {6, 1}}, 5, 2,
       {{1, -1}, {-1, 3}, {0, -1}, {4, -1}, {-1, 2}}},
      {"negative positions", false, {{-2, -1}, {-1, 0}}, 2, 2, {{0, -1}, {-1, 1}}},
      {"near values stay distinct", true, {{0.1, 0}, {0.1000001, 0}, {5, 0}}, 3, 1, {{0}, {1}, {2}}},
      {"ranked ascending", true, {{5, 2.5}, {0.1, 0.2}, {0.1000001, 2.5}, {5, 0.2}}, 3, 2,
       {{1, -1}, {-1, 2}, {3, 0}}},
      {"same position, later wins", true, {{1, 1}, {1, 1}}, 1, 1, {{1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TCustom3DGridSeries* s = Series(c.Points, c.Irregular);
    s->PrepareDraw();
    ExpectIndex(*s, c.NumX, c.NumZ, c.Index);
  }
}

TEST_F(GridSeriesTest, SpreadsThatWouldNeedAHugeIndexOrValuesNotFiniteIndexNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const std::vector<Pt> cases[] = {
      {{0, 0}, {1e7, 0}},           // one row, ten million columns
      {{0, 0}, {3200, 3200}},       // 3201 x 3201 cells
      {{45000, 0}, {46000, 1e300}}, // dates against a huge depth
      {{0, 0}, {nan, 1}},
      {{0, inf}, {1, 1}},
  };
  for (const auto& points : cases) {
    TCustom3DGridSeries* s = Series(points);
    s->PrepareDraw();
    ExpectIndex(*s, 0, 0, {});
    EXPECT_FALSE(s->GetCellCorners(1, 1));
  }
  // Just inside the bound the index is built.
  TCustom3DGridSeries* s = Series({{0, 0}, {1000, 1000}});
  s->PrepareDraw();
  EXPECT_EQ(s->GetNumXValues(), 1001);
  EXPECT_EQ(s->GridIndex[1001][1001], 1);
}

TEST_F(GridSeriesTest, IrregularFillLeavesPointsThatAreNotFiniteOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  TCustom3DGridSeries* s = Series({{2, 0}, {nan, 0}, {1, 0}}, true);
  s->PrepareDraw();
  ExpectIndex(*s, 2, 1, {{2}, {0}});
}

TEST_F(GridSeriesTest, CellCornersFollowTheWalkingDirection) {
  // A 3 x 3 regular grid with points in row-major order: index = (z-1)*3 + (x-1).
  std::vector<Pt> points;
  for (int z = 1; z <= 3; ++z)
    for (int x = 1; x <= 3; ++x) points.push_back({double(x), double(z)});
  TCustom3DGridSeries* s = Series(points);
  s->PrepareDraw();
  auto at = [](int x, int z) { return (z - 1) * 3 + (x - 1); };
  struct Case {
    int32_t XStep, ZStep, X, Z;
  };
  for (const Case& c : {Case{1, 1, 1, 1}, Case{-1, 1, 3, 1}, Case{1, -1, 2, 3}, Case{-1, -1, 3, 3}}) {
    s->XStep = c.XStep;
    s->ZStep = c.ZStep;
    ASSERT_TRUE(s->GetCellCorners(c.X, c.Z));
    EXPECT_EQ(s->Corner0, at(c.X, c.Z));
    EXPECT_EQ(s->Corner1, at(c.X + c.XStep, c.Z));
    EXPECT_EQ(s->Corner2, at(c.X + c.XStep, c.Z + c.ZStep));
    EXPECT_EQ(s->Corner3, at(c.X, c.Z + c.ZStep));
  }
  // Cells reaching past the grid have missing corners, never read outside it.
  s->XStep = s->ZStep = 1;
  EXPECT_FALSE(s->GetCellCorners(3, 1));
  EXPECT_FALSE(s->GetCellCorners(1, 3));
  EXPECT_FALSE(s->GetCellCorners(-5, 99));
}

TEST_F(GridSeriesTest, AMissingCornerStopsTheLookUpAndKeepsTheLaterCorners) {
  TCustom3DGridSeries* s = Series({{2, 1}, {1, 2}, {2, 2}});  // (1, 1) missing
  s->PrepareDraw();
  s->Corner1 = 11, s->Corner2 = 12, s->Corner3 = 13;
  EXPECT_FALSE(s->GetCellCorners(1, 1));
  EXPECT_EQ(s->Corner0, -1);
  EXPECT_EQ(s->Corner1, 11);
  EXPECT_EQ(s->Corner2, 12);
  EXPECT_EQ(s->Corner3, 13);
  // A missing second corner: the first is looked up, the third and fourth kept.
  s->XStep = -1;
  EXPECT_FALSE(s->GetCellCorners(2, 2));
  EXPECT_EQ(s->Corner0, 2);
  EXPECT_EQ(s->Corner1, 1);
  EXPECT_EQ(s->Corner2, -1);
  EXPECT_EQ(s->Corner3, 13);
}

TEST_F(GridSeriesTest, ChangingTheGridSizeClearsAndGeneratesWhenItCan) {
  enum Generator { None, Event, Designing };
  for (Generator g : {None, Event, Designing}) {
    SCOPED_TRACE(g);
    TCustom3DGridSeries* s = Series({{1, 1}, {2, 2}});
    if (g == Event) s->OnGetYValue = [](TChartSeries*, int32_t X, int32_t Z) { return 100.0 * X + Z; };
    if (g == Designing) s->ComponentState.Include(TComponentStateItem::csDesigning);
    s->SetNumXValues(10);  // the same value: nothing happens
    EXPECT_EQ(s->Count(), 2);
    s->SetNumXValues(4);
    EXPECT_EQ(s->GetNumXValues(), 4);
    EXPECT_EQ(s->GetNumZValues(), 10);
    if (g == None) {
      EXPECT_EQ(s->Count(), 0);
      ExpectIndex(*s, 4, 10, std::vector<std::vector<int32_t>>(4, std::vector<int32_t>(10, -1)));
      continue;
    }
    ASSERT_EQ(s->Count(), 40);
    // Rows outer, columns inner; X and Z are the grid positions.
    for (int32_t i = 0; i < 40; ++i) {
      const int32_t x = i % 4 + 1, z = i / 4 + 1;
      EXPECT_EQ(s->XValues()->GetValue(i), x);
      EXPECT_EQ(s->GetZValue(i), z);
      const double y = g == Event ? 100.0 * x + z : Sample(x, z, 4, 10);
      EXPECT_NEAR(s->YValues()->GetValue(i), y, 1e-12);
    }
    EXPECT_EQ(static_cast<int32_t>(s->Palette().size()), s->GetPaletteSteps());
    s->SetNumZValues(3);
    EXPECT_EQ(s->Count(), 12);
  }
}

TEST_F(GridSeriesTest, SampleValuesFillASquareGridInSampleModeOnly) {
  TCustom3DGridSeries* s = Series();
  EXPECT_EQ(s->CalcYValue(3, 4), 0);  // no generator: zero
  bool modeDuring = false;
  s->OnGetYValue = [&](TChartSeries* Sender, int32_t, int32_t) {
    modeDuring = static_cast<TCustom3DGridSeries*>(Sender)->SampleMode;
    return 1.0;
  };
  s->FillSampleValues(6);
  EXPECT_EQ(s->Count(), 36);
  EXPECT_TRUE(modeDuring);
  EXPECT_FALSE(s->SampleMode);
  s->OnGetYValue = nullptr;
  s->AddSampleValues(5);
  ASSERT_EQ(s->Count(), 25);
  EXPECT_NEAR(s->YValues()->GetValue(7), Sample(3, 2, 5, 5), 1e-12);
  s->AddSampleValues(0);  // nothing asked: nothing changes
  EXPECT_EQ(s->Count(), 25);
}

TEST_F(GridSeriesTest, AFailingGeneratorRestoresSampleModeAndTheGrowthStep) {
  TCustom3DGridSeries* s = Series();
  const int32_t step = PlotEngine::PlotValuesGrowStep;
  int32_t stepDuring = 0;
  s->OnGetYValue = [&](TChartSeries*, int32_t X, int32_t Z) -> double {
    stepDuring = PlotEngine::PlotValuesGrowStep;
    if (X == 2 && Z == 2) throw std::runtime_error("no value");
    return 0;
  };
  EXPECT_THROW(s->AddSampleValues(7), std::runtime_error);
  EXPECT_EQ(stepDuring, 49);
  EXPECT_FALSE(s->SampleMode);
  EXPECT_EQ(PlotEngine::PlotValuesGrowStep, step);
}

TEST_F(GridSeriesTest, CopiesFromGridSeriesOnly) {
  TCustom3DGridSeries* source = Series({{10, 5}, {11, 5}, {10, 6}, {11, 6}});
  source->SetIrregularGrid(true);
  source->PrepareDraw();
  EXPECT_EQ(source->GetNumXValues(), 2);
  TCustom3DGridSeries* copy = Series();
  EXPECT_TRUE(copy->AcceptsDataSource(source));
  auto* plain = Create<TCustom3DPaletteSeries>(Owner);
  EXPECT_FALSE(copy->AcceptsDataSource(plain));
  copy->AddValues(source);
  ASSERT_EQ(copy->Count(), 4);
  ExpectIndex(*copy, 2, 2, {{0, 2}, {1, 3}});

  TCustom3DGridSeries* assigned = Series();
  assigned->Assign(source);
  EXPECT_EQ(assigned->GetNumXValues(), 2);
  EXPECT_EQ(assigned->GetNumZValues(), 2);
  EXPECT_TRUE(assigned->GetIrregularGrid());
}

}  // namespace

}  // namespace PlotSurfaGridTests
