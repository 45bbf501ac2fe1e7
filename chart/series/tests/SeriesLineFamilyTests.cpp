// Line, point, area and fast-line series drawn on a real chart: where the
// lines and areas land, null points, stairs, stacking, origins, hit tests and
// the settings that must move together.
#include "chart/series/Series.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace SeriesLineFamilyTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF;

class LineFamilyTest : public SeriesChartTest {};

TEST_F(LineFamilyTest, LineCrossesThePixelsOfItsPointsAndNothingElse) {
  auto* s = Add<TLineSeries>();
  s->SetSeriesColor(Red);
  s->AppendPoint(0, 0);
  s->AppendPoint(10, 10);
  Draw();
  EXPECT_TRUE(Near(5, 5, Red));
  EXPECT_TRUE(Near(2, 2, Red));
  EXPECT_FALSE(Near(5, 8, Red));
  EXPECT_FALSE(Near(8, 5, Red));
}

TEST_F(LineFamilyTest, NullPointReceivesTheLineButNoneLeavesIt) {
  auto* s = Add<TLineSeries>();
  s->SetSeriesColor(Red);
  s->AppendPoint(0, 5);
  s->AddNullXY(5, 5);
  s->AppendPoint(10, 5);
  Draw();
  EXPECT_TRUE(Near(2.5, 5, Red));
  EXPECT_FALSE(Near(7.5, 5, Red));
}

TEST_F(LineFamilyTest, StairsStepHorizontallyFirstAndInvertedStairsVerticallyFirst) {
  struct Case {
    bool Inverted;
    TColor AtLowLevel, AtHighLevel;
  };
  for (const Case& c : {Case{false, Red, White}, Case{true, White, Red}}) {
    Chart->FreeAllSeries();
    auto* s = Add<TLineSeries>();
    s->SetSeriesColor(Red);
    s->SetStairs(true);
    s->SetInvertedStairs(c.Inverted);
    s->AppendPoint(0, 2);
    s->AppendPoint(10, 8);
    Draw();
    EXPECT_EQ(Near(5, 2, Red), c.AtLowLevel == Red) << c.Inverted;
    EXPECT_EQ(Near(5, 8, Red), c.AtHighLevel == Red) << c.Inverted;
    EXPECT_FALSE(Near(5, 5, Red)) << "no diagonal";
  }
}

TEST_F(LineFamilyTest, LineEntersFromTheLeftEdgeAtTheInterpolatedHeight) {
  auto* s = Add<TLineSeries>();
  s->SetSeriesColor(Red);
  for (int i = 0; i <= 10; ++i) s->AppendPoint(i, i);
  Fix(4.5, 10, 0, 10);  // point 4 lies left of the chart: the line enters from the edge
  Draw();
  const TRect r = Chart->ChartRect;
  EXPECT_EQ(s->FirstValueIndex, 5);
  EXPECT_TRUE(Near(Chart->BottomAxis()->CalcPosPoint(r.Left + 2), Chart->BottomAxis()->CalcPosPoint(r.Left + 2), Red));
}

TEST_F(LineFamilyTest, StackedHundredPercentWithAllZeroValuesSitsOnTheAxisEnd) {
  auto* a = Add<TLineSeries>();
  auto* b = Add<TLineSeries>();
  a->SetStacked(cssStack100);
  EXPECT_EQ(b->GetStacked(), cssStack100);
  a->AppendPoint(0, 0);
  b->AppendPoint(0, 0);
  Draw();
  const int32_t end = Chart->LeftAxis()->EndPixel;
  EXPECT_EQ(b->PointPixelY(0), end);
  EXPECT_EQ(b->OriginPixel(0), end);
  EXPECT_EQ(b->LargestY(), 100);
  EXPECT_EQ(b->SmallestY(), 0);
}

TEST_F(LineFamilyTest, StackingAddsOnlyValuesOfTheSameSign) {
  auto* a = Add<TLineSeries>();
  auto* b = Add<TLineSeries>();
  a->SetStacked(cssStack);
  a->AppendPoint(0, 3);
  a->AppendPoint(1, -2);
  b->AppendPoint(0, 4);
  b->AppendPoint(1, 5);
  EXPECT_EQ(b->StackSum(0, false), 3);
  EXPECT_EQ(b->StackSum(1, false), 0);  // a's -2 has the other sign
  EXPECT_EQ(b->LargestY(), 7);
}

TEST_F(LineFamilyTest, StackedSpreadsToTheSameClassAndItsAncestorsOnly) {
  auto* line = Add<TLineSeries>();
  auto* otherLine = Add<TLineSeries>();
  auto* horiz = Add<THorizLineSeries>();
  auto* point = Add<TPointSeries>();
  auto* area = Add<TAreaSeries>();
  line->SetStacked(cssStack);
  EXPECT_EQ(otherLine->GetStacked(), cssStack);
  EXPECT_EQ(horiz->GetStacked(), cssNone);
  EXPECT_EQ(point->GetStacked(), cssNone);
  EXPECT_EQ(area->GetStacked(), cssNone);
  horiz->SetStacked(cssOverlap);
  EXPECT_EQ(line->GetStacked(), cssOverlap) << "a horizontal line's ancestor stacks with it";
}

TEST_F(LineFamilyTest, AreaWithYOriginHangsFromTheOriginAndWidensTheAxis) {
  auto* s = Add<TAreaSeries>();
  s->SetSeriesColor(Blue);
  s->LinePen()->SetVisible(false);
  s->AreaLinesPen()->SetVisible(false);
  s->SetUseYOrigin(true);
  s->SetYOrigin(10);
  for (int i = 0; i <= 10; ++i) s->AppendPoint(i, i % 2 ? 5 : 0);
  EXPECT_EQ(s->LargestY(), 10);
  EXPECT_EQ(s->SmallestY(), 0);
  Fix(0, 10, -2, 12);
  Draw();
  EXPECT_EQ(At(4, 9), Blue);   // between the line and the origin
  EXPECT_EQ(At(4, -1), White);  // below the line: not filled
}

TEST_F(LineFamilyTest, AreaFillIsHalfTransparentWithTransparency50) {
  auto* s = Add<TAreaSeries>();
  s->SetSeriesColor(0x000000);
  s->LinePen()->SetVisible(false);
  s->AreaLinesPen()->SetVisible(false);
  s->SetTransparency(50);
  s->AppendPoint(0, 8);
  s->AppendPoint(10, 8);
  Draw();
  const TColor c = At(5, 4);
  EXPECT_GT(c & 0xFF, 0x60);
  EXPECT_LT(c & 0xFF, 0xA0);
}

TEST_F(LineFamilyTest, HitTestsOfPointsLinesAndAreas) {
  auto* line = Add<TLineSeries>();
  line->AppendPoint(0, 0);
  line->AppendPoint(10, 10);
  auto* area = Add<TAreaSeries>();
  area->AppendPoint(0, 5);
  area->AppendPoint(10, 5);
  Draw();
  // Exactly on a point, with the pointer hidden.
  EXPECT_EQ(line->PointAtPixel(XPix(10), YPix(10)), 1);
  // On the line: the nearer end.
  EXPECT_EQ(line->PointAtPixel(XPix(8), YPix(8)), 1);
  EXPECT_EQ(line->PointAtPixel(XPix(2), YPix(2)), 0);
  EXPECT_EQ(line->PointAtPixel(XPix(2), YPix(8)), -1);
  // Inside an area segment: always its earlier point.
  EXPECT_EQ(area->PointAtPixel(XPix(9), YPix(2)), 0);

  int clicked = -1;
  auto* points = Add<TPointSeries>();
  points->AppendPoint(3, 7);
  points->OnClickPointer = [&](TCustomSeries*, int32_t i, int32_t, int32_t) { clicked = i; };
  Draw();
  EXPECT_EQ(points->PointAtPixel(XPix(3) + 2, YPix(7) - 2), 0);
  EXPECT_EQ(clicked, 0);
}

TEST_F(LineFamilyTest, PointSeriesDrawsPointersAndNoLine) {
  auto* s = Add<TPointSeries>();
  s->SetSeriesColor(Red);
  s->AppendPoint(2, 2);
  s->AppendPoint(8, 8);
  Draw();
  EXPECT_EQ(At(2, 2), Red);
  EXPECT_EQ(At(5, 5), White);
  EXPECT_TRUE(s->Pointer()->GetVisible());
  EXPECT_FALSE(s->GetDrawLine());
}

TEST_F(LineFamilyTest, LineHeightInATwoDimensionalChartChangesNothing) {
  auto* s = Add<TLineSeries>();
  s->AppendPoint(0, 0);
  s->AppendPoint(10, 10);
  int32_t t0 = 0, b0 = 0, t1 = 0, b1 = 0;
  s->CalcVerticalMargins(t0, b0);
  Draw();
  TBitmap before(W, H);
  before.GetCanvas()->Draw(0, 0, &Bitmap);
  s->SetLineHeight(5);
  s->CalcVerticalMargins(t1, b1);
  Draw();
  EXPECT_EQ(t0, t1);
  EXPECT_EQ(b0, b1);
  for (int32_t y = 0; y < H; y += 3)
    for (int32_t x = 0; x < W; x += 3) ASSERT_EQ(before.GetPixelColor(x, y), Bitmap.GetPixelColor(x, y));
}

TEST_F(LineFamilyTest, HorizontalLineDrawsEveryPointWhateverTheVisibleRange) {
  auto* h = Add<THorizLineSeries>();
  auto* a = Add<THorizAreaSeries>();
  for (int i = 0; i < 5; ++i) h->AppendPoint(i, i), a->AppendPoint(i, i);
  EXPECT_FALSE(h->GetYMandatory());
  EXPECT_FALSE(h->CalcVisiblePoints);
  EXPECT_TRUE(a->CalcVisiblePoints);
  EXPECT_EQ(a->NumSampleValues(), 10);
}

TEST_F(LineFamilyTest, GalleryPointerSizesFollowTheChartWidth) {
  for (auto [width, size] : {std::pair{49, 4}, std::pair{50, 6}}) {
    Chart->SetBounds(width, 50);
    auto* s = Add<TPointSeries>();
    s->PrepareForGallery(true);
    EXPECT_EQ(s->Pointer()->GetHorizSize(), size) << width;
    Chart->FreeAllSeries();
  }
}

TEST_F(LineFamilyTest, AssignSetsTheLookOfTheReceivingClass) {
  auto* line = Add<TLineSeries>();
  line->Pointer()->SetVisible(true);
  line->SetStairs(true);
  auto* area = Add<TAreaSeries>();
  area->Assign(line);
  EXPECT_TRUE(area->GetDrawArea());
  EXPECT_TRUE(area->GetStairs());
  EXPECT_FALSE(area->Pointer()->GetVisible()) << "a line is no area: the pointer is hidden";
  auto* point = Add<TPointSeries>();
  point->Assign(area);
  EXPECT_TRUE(point->Pointer()->GetVisible());
  EXPECT_FALSE(point->GetDrawArea());
  EXPECT_FALSE(point->GetClickableLine());
}

TEST_F(LineFamilyTest, FastLineDrawsItsLineAndGrowsItsMarginsByThePenWidth) {
  auto* s = Add<TFastLineSeries>();
  s->SetSeriesColor(Red);
  s->AppendPoint(0, 0);
  s->AppendPoint(10, 10);
  Draw();
  EXPECT_TRUE(Near(5, 5, Red));
  EXPECT_EQ(s->PointAtPixel(XPix(10), YPix(10)), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(8), YPix(8)), 0);
  for (auto [w, m] : {std::pair{1, 1}, {2, 2}, {3, 3}, {4, 3}, {10, 6}}) {
    s->LinePen()->SetWidth(w);
    int32_t l = 0, r = 0, t = 0, b = 0;
    s->CalcHorizMargins(l, r);
    s->CalcVerticalMargins(t, b);
    EXPECT_EQ(l, m) << w;
    EXPECT_EQ(b, m) << w;
  }
}

TEST_F(LineFamilyTest, GalleryVariantsAreListedInOrder) {
  auto* s = Add<TLineSeries>();
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& n) { names.push_back(n); });
  EXPECT_EQ(names, (std::vector<std::string>{"Normal", "Stairs", "Points", "Height", "Hollow", "Colors", "Marks",
                                             "No Border", "Outline"}));
  s->ApplyGalleryVariant(s, 3);
  EXPECT_EQ(s->GetLineHeight(), 5);
}

}  // namespace

}  // namespace SeriesLineFamilyTests
