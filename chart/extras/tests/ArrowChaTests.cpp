// The arrow series: arrows between start and end, zero-length arrows, the
// axis ranges, hit tests, gallery variants and registration.
#include "chart/engine/Chart.h"
#include "chart/extras/ArrowCha.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace ArrowChaTests {

namespace {

constexpr TColor Red = 0x0000FF;

class ArrowTest : public SeriesChartTest {
protected:
  int CountAll(TColor Colour) const {
    int n = 0;
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x) n += Px(x, y) == Colour;
    return n;
  }
};

TEST_F(ArrowTest, AnArrowRunsFromStartToEndAndAZeroLengthOneDrawsNothing) {
  auto* s = Add<TArrowSeries>();
  s->AddArrow(1, 1, 9, 1, "", Red);
  Draw();
  EXPECT_TRUE(Near(2, 1, Red));
  EXPECT_TRUE(Near(5, 1, Red));
  EXPECT_FALSE(Near(5, 3, Red));
  s->Clear();
  s->AddArrow(5, 5, 5, 5, "", Red);
  Draw();
  EXPECT_EQ(CountAll(Red), 0);
}

TEST_F(ArrowTest, RangesCoverStartsAndEnds) {
  auto* s = Add<TArrowSeries>();
  s->AddArrow(3, 4, -2, 9);
  s->AddArrow(1, -5, 7, 2);
  EXPECT_EQ(s->SmallestX(), -2);
  EXPECT_EQ(s->LargestX(), 7);
  EXPECT_EQ(s->SmallestY(), -5);
  EXPECT_EQ(s->LargestY(), 9);
  EXPECT_EQ(s->EndXValues()->GetName(), "EndX");
  EXPECT_TRUE(s->EndXValues()->GetDateTime());
  EXPECT_EQ(s->EndYValues()->GetName(), "EndY");
}

TEST_F(ArrowTest, HitTestFindsTheFirstArrowUnderThePixel) {
  auto* s = Add<TArrowSeries>();
  s->AddArrow(1, 1, 9, 9);
  s->AddArrow(1, 9, 9, 1);
  Draw();
  EXPECT_EQ(s->PointAtPixel(XPix(5), YPix(5)), 0);
  EXPECT_EQ(s->PointAtPixel(XPix(2), YPix(8)), 1);
  EXPECT_EQ(s->PointAtPixel(XPix(5), YPix(8)), -1);
}

TEST_F(ArrowTest, SizesVariantsAssignAndRegistration) {
  auto* s = Add<TArrowSeries>();
  EXPECT_EQ(s->GetArrowPercent(), 50);
  EXPECT_FALSE(s->Pointer()->GetInflateMargins());
  s->SetArrowWidth(9);
  s->SetArrowHeight(11);
  EXPECT_EQ(s->Pointer()->GetHorizSize(), 9);
  EXPECT_EQ(s->Pointer()->GetVertSize(), 11);
  s->SetArrowPercent(30);
  auto* t = Add<TArrowSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetArrowPercent(), 30);
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  EXPECT_EQ(names, (std::vector<std::string>{"Normal", "Colors", "Marks", "Hollow", "No Border", "Gradient"}));
  s->PrepareForGallery(true);
  EXPECT_EQ(s->Count(), 3);
  EXPECT_EQ(s->GetArrowWidth(), 12);
  ArrowCha::Initialization();
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TArrowSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "Arrow");
  EXPECT_EQ(*type->PageName, "Extended");
  EXPECT_EQ(type->SampleSeriesCount, 2);
}

}  // namespace

}  // namespace ArrowChaTests
