// Values, layers, history, geometry and the colour scale of the cell-grid section.
#include <cmath>

#include "platform/rtl/ClassInfo.h"
#include "views/tests/Section2DFixture.h"

namespace Section2DModelTests {

namespace {

using Section2D::TApplyKind;

TEST_F(Section2DTest, ConstructionGivesAnEmptyGridTheDefaultsAndTheRegisteredClass) {
  EXPECT_EQ(ClassInfo::GetClass("TTModelSection2d"), TTModelSection2d::StaticClass());
  EXPECT_EQ(View->GetWidth(), 783);
  EXPECT_EQ(View->GetHeight(), 324);
  EXPECT_EQ(View->LastColumn, -1);
  EXPECT_EQ(View->LastRow, -1);
  EXPECT_EQ(View->CurrentCell, TPoint(-1, -1));
  EXPECT_EQ(View->ColorTable.size(), 251u);
  EXPECT_EQ(View->ColorTable.front(), 0xFF0000);
  EXPECT_EQ(View->ColorTable.back(), 0x0000FF);
  EXPECT_EQ(View->HalfSpaceValue, 1.0);
  EXPECT_EQ(View->CursorValue, 1.0);
  EXPECT_EQ(View->EditMode, 1);
  EXPECT_FALSE(View->GetAllowZoom());
  EXPECT_EQ(View->AllowPanning, TPanningMode::pmNone);
  EXPECT_TRUE(View->LeftAxis()->GetInverted());
  EXPECT_EQ(View->GetMargin(0), 25);
  EXPECT_EQ(View->GetMargin(2), 70);
  EXPECT_EQ(View->ColorBarFont->GetName(), "Small fonts");
  EXPECT_FALSE(View->ExtentSeries->Pointer()->GetVisible());
  EXPECT_TRUE(View->TriangleSeries->Pointer()->GetVisible());
  EXPECT_EQ(View->TriangleSeries->Pointer()->GetStyle(), TSeriesPointerStyle::psDownTriangle);
  EXPECT_EQ(View->PictureTool->GetSeries(), View->ExtentSeries);
  // An empty grid draws and paints without cells.
  View->RedrawAll();
  View->RedrawCells(nullptr);
  EXPECT_EQ(View->DrawCellCount, 0);
}

TEST_F(Section2DTest, LinearColoursFollowTheTableAndTheEndsHoldBeyondTheScale) {
  struct Case {
    double value;
    TColor color;
  };
  for (const Case c : {Case{10, 16711680}, {7.5, 4284416}, {5, 49281}, {2.5, 48383}, {0, 255}, {12, 16711680},
                       {-3, 255}})
    EXPECT_EQ(View->ColorOf(c.value), c.color) << c.value;
  // Index rule: round((max - v) * N / (max - min)), halves to even.
  EXPECT_EQ(View->ColorOf(5), View->ColorTable[125]);
  EXPECT_EQ(View->ColorOf(7.5), View->ColorTable[62]);
  EXPECT_EQ(View->ColorOf(2.5), View->ColorTable[188]);
}

TEST_F(Section2DTest, ColoursNeverLeaveTheTableOrBecomeNaN) {
  struct Case {
    uint8_t kind;
    double lo, hi, v;
  };
  // Logarithmic with a non-positive lower end, equal ends, inverted ends, NaN.
  for (const Case c : {Case{1, 0, 10, 5}, {1, -5, 10, -1}, {0, 50, 50, 50}, {1, 0, 0, 0}, {2, 3, 3, 3},
                       {0, 10, 0, 5}, {0, 0, 10, std::nan("")}, {1, 1, 100, 1e-30}}) {
    View->ScaleKind = c.kind;
    View->ScaleMin = c.lo;
    View->ScaleMax = c.hi;
    View->UpdateSignedLogThreshold();
    const TColor color = View->ColorOf(c.v);
    EXPECT_NE(std::find(View->ColorTable.begin(), View->ColorTable.end(), color), View->ColorTable.end());
    const double d = View->ScaleDifference(c.v, c.hi);
    EXPECT_FALSE(std::isnan(d)) << int(c.kind) << " " << c.lo << " " << c.hi;
    if (c.lo == c.hi) {
      EXPECT_EQ(color, View->ColorTable[0]);
    }
  }
  // The switched logarithmic scale is the signed logarithmic one.
  View->ScaleMin = 0;
  View->ScaleMax = 1000;
  View->ScaleKind = 1;
  View->UpdateSignedLogThreshold();
  const TColor switched = View->ColorOf(10);
  View->ScaleKind = 2;
  EXPECT_EQ(View->ColorOf(10), switched);
}

TEST_F(Section2DTest, LogarithmicAndSignedColourIndicesFollowTheirFormulas) {
  View->ScaleMin = 1;
  View->ScaleMax = 1000;
  View->ScaleKind = 1;
  EXPECT_EQ(View->ColorOf(10), View->ColorTable[static_cast<size_t>(std::nearbyint(std::log(100.0) * 250 / std::log(1000.0)))]);
  EXPECT_DOUBLE_EQ(View->ScaleDifference(1, 10), 100.0 / 3);
  View->ScaleKind = 2;
  View->ScaleMin = -100;
  View->ScaleMax = 100;
  View->UpdateSignedLogThreshold();
  EXPECT_DOUBLE_EQ(View->SignedLogThreshold, 0.1);  // 10^(ceil(log10 100) - 3)
  EXPECT_EQ(View->ColorOf(0), View->ColorTable[125]);
}

TEST_F(Section2DTest, StoredValuesAreClampedAndReportOnlyChanges) {
  Fill(3, 2, 50);
  struct Case {
    double in, stored;
    bool changed;
  };
  for (const Case c : {Case{0, 1e-6, true}, {2e9, 1e9, true}, {1e9, 1e9, false}, {7, 7, true}, {7, 7, false}}) {
    double v = c.in;
    EXPECT_EQ(View->StoreCellValue(1, 1, v), c.changed) << c.in;
    EXPECT_EQ(v, c.stored);
    EXPECT_EQ(View->Layers[0][1][1], c.stored);
  }
  // NaN stores nothing and reports no change.
  double nan = std::nan("");
  EXPECT_FALSE(View->StoreCellValue(1, 1, nan));
  EXPECT_EQ(View->Layers[0][1][1], 7);
  // A fixed cell's bounds widen to every value stored into it.
  View->FixedCells[0][0] = 1;
  double five = 5, two = 2;
  View->StoreCellValue(0, 0, five);
  EXPECT_EQ(View->CellBounds[0][0], (complexM{0, 5}));
  View->CellBounds[0][0] = {5, 5};
  View->StoreCellValue(0, 0, two);
  EXPECT_EQ(View->CellBounds[0][0], (complexM{2, 5}));
}

TEST_F(Section2DTest, ACurrentLayerCellOfTheHalfSpaceValueShowsTheBaseLayer) {
  Fill(3, 2, 50);
  View->AddLayer();
  EXPECT_EQ(View->Layers.size(), 2u);
  EXPECT_EQ(View->LayerOrder, (arofintM{1, 0}));
  EXPECT_EQ(View->CellValue(0, 0), 50);
  View->Layers[1][0][0] = 1.0000001;
  EXPECT_EQ(View->CellValue(0, 0), 1.0000001);
  View->Layers[1][1][0] = 1.0;
  EXPECT_EQ(View->CellValue(1, 0), 50);
  View->MergeLayers();
  EXPECT_EQ(View->Layers.size(), 1u);
  EXPECT_EQ(View->LayerOrder, (arofintM{0}));
  EXPECT_EQ(View->Layers[0][0][0], 1.0000001);
  EXPECT_EQ(View->Layers[0][1][0], 50);
}

TEST_F(Section2DTest, ANewHalfSpaceValueRewritesBackgroundCellsAndOnlyWidensTheScale) {
  Fill(3, 2, 1.0);
  View->Layers[0][2][1] = 5;
  View->AddLayer();
  View->Layers[1][0][0] = 7;
  int fired = 0;
  View->OnAfterChangingParameter = [&](TObject*) { ++fired; };
  View->SetHalfSpaceValue(100);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(View->HalfSpaceValue, 100);
  EXPECT_EQ(View->Layers[0][0][1], 100);
  EXPECT_EQ(View->Layers[0][2][1], 5);
  EXPECT_EQ(View->Layers[1][1][1], 100);
  EXPECT_EQ(View->Layers[1][0][0], 7);
  EXPECT_EQ(View->ScaleMin, 0);
  EXPECT_EQ(View->ScaleMax, 100);
  View->SetHalfSpaceValue(5);
  EXPECT_EQ(View->ScaleMax, 100);
  View->ViewOnly = true;
  View->SetHalfSpaceValue(9);
  EXPECT_EQ(View->HalfSpaceValue, 5);
}

TEST_F(Section2DTest, TheEleventhSnapshotOverwritesTheSmallestStamp) {
  Fill(2, 2, 3);
  for (int k = 0; k < 10; ++k) View->PushSnapshot();
  for (int k = 0; k < 10; ++k) EXPECT_EQ(View->History.Stamps[k], k + 1);
  View->Layers[0][0][0] = 42;
  View->PushSnapshot();
  EXPECT_EQ(View->History.Stamps[0], 11);
  EXPECT_EQ(View->History.Units[0].Layers[0][0][0], 42);
  EXPECT_EQ(View->History.Units[1].Layers[0][0][0], 3);
  EXPECT_TRUE(View->History.Exists);
  EXPECT_EQ(View->History.Units[0].ColumnBorders, View->ColumnBorders);
}

// ---- geometry ----

TEST_F(Section2DTest, RedivideSpreadsFreeBordersBetweenFixedOnes) {
  Fill(4, 2, 1);
  arofdoubleM xs{0, 1, 5, 6, 10};
  View->FixedBorders = {0, 0, 1, 0, 0};
  View->SetColumnBorders(5, &xs);
  View->SetColumnBorders(5, nullptr);
  EXPECT_EQ(View->ColumnBorders, (arofdoubleM{0, 2.5, 5, 7.5, 10}));
}

TEST_F(Section2DTest, EvenRowsReachTheBottomUnderTheLowestSurfacePoint) {
  View->MinZ = 0;
  View->MaxZ = 10;
  View->MaxSurfaceOffset = 2;
  View->SetRowBorders(5, nullptr);
  EXPECT_EQ(View->RowBorders, (arofdoubleM{0, 2, 4, 6, 8}));
  EXPECT_EQ(View->LastRow, 3);
  EXPECT_EQ(View->DepthZ, 10);
}

TEST_F(Section2DTest, SurfaceOffsetsAreTheDepthsBelowTheHighestPoint) {
  Fill(4, 2, 1, {{0, 10}, {2, 12}, {4, 9}});
  // Elevations at 0..4: 10, 11, 12, 10.5, 9; highest 12.
  EXPECT_EQ(View->SurfaceOffsets, (arofdoubleM{2, 1, 0, 1.5, 3}));
  EXPECT_EQ(View->MaxSurfaceOffset, 3);
  EXPECT_TRUE(View->HasTopography);
  EXPECT_DOUBLE_EQ(View->SurfaceShiftAt(0.5, 0), 1.5);
  View->TopographyZ.clear();
  View->UpdateSurfaceOffsets();
  EXPECT_FALSE(View->HasTopography);
  EXPECT_EQ(View->MaxSurfaceOffset, 0);
}

TEST_F(Section2DTest, MergingTwoColumnsGivesTheMeanAndTheLeftFlags) {
  Fill(3, 2, 1);
  for (int j = 0; j < 2; ++j) View->Layers[0][0][j] = 10, View->Layers[0][1][j] = 30;
  View->Selected[0][1] = 1;
  View->Selected[1][0] = 1;
  int grid = 0, parameter = 0;
  View->OnChangingGrid = [&](TObject*) { ++grid; };
  View->OnAfterChangingParameter = [&](TObject*) { EXPECT_EQ(grid, 1); ++parameter; };
  View->RemoveColumnBorder(1, true);
  EXPECT_EQ(grid, 1);
  EXPECT_EQ(parameter, 1);
  EXPECT_EQ(View->ColumnBorders, (arofdoubleM{0, 2, 3}));
  EXPECT_EQ(View->Layers[0][0], (arofdoubleM{20, 20}));
  EXPECT_EQ(View->Selected[0], (arofboolM{0, 1}));
  ExpectInvariants("merge");
}

TEST_F(Section2DTest, InsertionAndRemovalRefuseWhatIsOutOfRange) {
  Fill(2, 2, 1);
  View->InsertColumnBorder(true, 0);
  View->InsertColumnBorder(true, -1);
  View->InsertColumnBorder(true, 2.5);
  EXPECT_EQ(View->LastColumn, 1);
  View->InsertColumnBorder(true, 1);  // on an existing border: a column of no width
  EXPECT_EQ(View->ColumnBorders, (arofdoubleM{0, 1, 1, 2}));
  ExpectInvariants("zero width");
  View->RemoveColumnBorder(0, true);
  View->RemoveColumnBorder(3, true);
  EXPECT_EQ(View->LastColumn, 2);
  View->RemoveColumnBorder(1, true);
  EXPECT_EQ(View->LastColumn, 1);
  View->RemoveColumnBorder(1, true);  // two columns stay
  EXPECT_EQ(View->LastColumn, 1);
  View->RemoveRowBorder(1, true);
  EXPECT_EQ(View->LastRow, 1);
  View->InsertRowBorder(true, 0.5);
  EXPECT_EQ(View->RowBorders, (arofdoubleM{0, 0.5, 1, 2}));
  View->InsertRowBorder(true, 0);
  View->InsertRowBorder(true, 2.5);
  EXPECT_EQ(View->LastRow, 2);
  ExpectInvariants("rows");
}

TEST_F(Section2DTest, ThinThenThickGivesTheBordersAndValuesBack) {
  Fill(4, 3, 1, {}, 2.5, 1.5);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 3; ++j) View->Layers[0][i][j] = 10 * i + j + 1;
  const arofdoubleM xs = View->ColumnBorders, zs = View->RowBorders;
  const ararofdoubleM values = View->Layers[0];
  View->ThinColumns();
  EXPECT_EQ(View->LastColumn, 7);
  EXPECT_EQ(View->Layers[0][1], values[0]);
  ExpectInvariants("thin columns");
  View->ThickColumns();
  EXPECT_EQ(View->ColumnBorders, xs);
  EXPECT_EQ(View->Layers[0], values);
  View->ThinRows();
  EXPECT_EQ(View->LastRow, 5);
  ExpectInvariants("thin rows");
  View->ThickRows();
  EXPECT_EQ(View->RowBorders, zs);
  EXPECT_EQ(View->Layers[0], values);
  ExpectInvariants("thick");
}

TEST_F(Section2DTest, ABorderMoveIsRefusedPastANeighbourAndRedrawsOnlyTheTwoColumns) {
  Fill(5, 4, 1);
  EXPECT_FALSE(View->MoveColumnBorder(2, 3));
  EXPECT_FALSE(View->MoveColumnBorder(2, 1));
  EXPECT_FALSE(View->MoveColumnBorder(7, 1));
  const int64_t before = View->DrawCellCount;
  EXPECT_TRUE(View->MoveColumnBorder(2, 2.5));
  EXPECT_EQ(View->DrawCellCount - before, 2 * 4);
  EXPECT_EQ(View->ColumnBorders[2], 2.5);
  View->CurrentCell = {0, 0};
  View->MouseX = 0.5;
  EXPECT_FALSE(View->MoveRowBorder(4, 3.5));  // the bottom border is the depth command's
  EXPECT_FALSE(View->MoveRowBorder(1, 2));
  EXPECT_TRUE(View->MoveRowBorder(1, 1.5));
  EXPECT_EQ(View->RowBorders[1], 1.5);
  ExpectInvariants("moves");
}

// ---- ticks ----

TEST(Section2DTicks, VerticalTicksAreChosenByOccupancy) {
  struct Case {
    double h, length, lo, hi;
    arofdoubleM ticks;
  };
  const Case cases[] = {
      {12, 200, 0, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
      {12, 30, 0, 10, {5}},        // below three label heights: one middle tick
      {12, 200, 4, 4, {}},         // equal ends
      {12, 200, 0, 3, {0, 0.5, 1, 1.5, 2, 2.5, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(Section2D::NiceTicksForHeight(c.h, c.length, c.lo, c.hi), c.ticks) << c.hi;
  // Steps are 1, 2 or 5 times a power of ten.
  for (double length : {60.0, 120.0, 250.0, 400.0}) {
    const arofdoubleM t = Section2D::NiceTicksForHeight(10, length, 0.3, 870);
    ASSERT_GE(t.size(), 2u);
    const double step = t[1] - t[0];
    const double m = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    EXPECT_TRUE(std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 || std::fabs(m - 5) < 1e-9) << step;
  }
}

TEST(Section2DTicks, HorizontalTicksMeasureASampleLabel) {
  EXPECT_EQ(Section2D::SampleLabel(10, 0, 350), "000");
  EXPECT_EQ(Section2D::SampleLabel(0.5, 0, 3), "0.0");
  EXPECT_EQ(Section2D::SampleLabel(0.05, -2, 3), "0.00");
  // Labels 6 px per character: 0 .. 10 over 200 px.
  const auto width = [](const std::string& s) { return 6.0 * s.size(); };
  const arofdoubleM t = Section2D::NiceTicksForWidth(width, 200, 0, 10);
  // Sample "00": step 10 gives 3 x 12 / 200 = 0.18, 5 gives 0.24, 1 gives 0.72, and
  // 2 gives 0.42, whose score 0.08 stops the search.
  EXPECT_EQ(t, (arofdoubleM{0, 2, 4, 6, 8, 10}));
  EXPECT_EQ(Section2D::NiceTicksForWidth(width, 10, 0, 10), (arofdoubleM{5}));
}

TEST(Section2DTicks, LabelDecimalsFollowTheStepAndTheValues) {
  struct Case {
    arofdoubleM ticks;
    arofintM decimals;
  };
  const Case cases[] = {{{0, 1, 2}, {0, 0, 0}},
                        {{0, 0.5, 1}, {1, 1, 1}},
                        {{0.001, 0.01, 0.1}, {3, 2, 2}},
                        {{0.25}, {1}},
                        {{0}, {0}},
                        {{100, 200}, {0, 0}}};
  for (const Case& c : cases) EXPECT_EQ(Section2D::LabelDecimals(c.ticks), c.decimals);
}

}  // namespace

}  // namespace Section2DModelTests
