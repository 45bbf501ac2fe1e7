// The image bar series: the plain bar without a picture, stretched and tiled
// pictures (tiles start at the bar's base and are cut at the far end), the
// default picture through the resource modules, and registration.
#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/ImageBar.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace ImageBarTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

// A Size x Size picture, blue with its top row red.
std::unique_ptr<TPicture> RowMarkedPicture(int32_t Size) {
  TBitmap b(Size, Size);
  b.SetPixelFormat(pf24bit);
  TCanvas& c = *b.GetCanvas();
  c.Brush->SetColor(Blue);
  c.FillRect(TRect(0, 0, Size, Size));
  c.Brush->SetColor(Red);
  c.FillRect(TRect(0, 0, Size, 1));
  auto p = std::make_unique<TPicture>();
  p->SetGraphic(&b);
  return p;
}

class ImageBarTest : public SeriesChartTest {
protected:
  TImageBarSeries* Bars(double Value) {
    auto* s = Add<TImageBarSeries>();
    dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
    s->SetSeriesColor(Green);
    s->SetBarWidthPercent(90);
    s->AppendPoint(0, Value);
    Fix(-1, 1, -10, 10);
    return s;
  }
};

TEST_F(ImageBarTest, AnEmptyPictureDrawsThePlainBar) {
  auto* s = Bars(8);
  s->Image()->Assign(nullptr);
  Draw();
  EXPECT_EQ(At(0, 4), Green);
}

TEST_F(ImageBarTest, AStretchedPictureFillsTheBar) {
  auto* s = Bars(8);
  s->SetImage(RowMarkedPicture(4).get());
  Draw();
  const TRect r = s->PictureRect();
  EXPECT_EQ(Px((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2), Blue);
  EXPECT_EQ(Px((r.Left + r.Right) / 2, r.Top), Red) << "the picture's top row at the bar's top";
}

TEST_F(ImageBarTest, TilesRepeatFromTheBaseAndAreCutAtTheFarEnd) {
  constexpr int32_t size = 10;
  for (double value : {8.0, -8.0}) {
    Chart->FreeAllSeries();
    auto* s = Bars(value);
    s->SetImage(RowMarkedPicture(size).get());
    s->SetImageTiled(true);
    Draw();
    const TRect r = s->PictureRect();
    ASSERT_GT(r.Bottom - r.Top, 2 * size + 3) << "taller than two pictures";
    ASSERT_NE((r.Bottom - r.Top) % size, 0) << "a cut tile at the far end";
    const bool upwards = value > 0;
    for (int32_t y = r.Top; y < r.Bottom; ++y) {
      // Upwards the first tile's top lies one picture above the base (bottom);
      // downwards the first tile starts at the base (top).
      const int32_t row = upwards ? ((y - (r.Bottom - size)) % size + size) % size : (y - r.Top) % size;
      for (int32_t x : {r.Left + 2, r.Left + size + 2})
        ASSERT_EQ(Px(x, y), row == 0 ? Red : Blue) << value << " y " << y << " x " << x;
    }
  }
}

TEST_F(ImageBarTest, TheDefaultPictureComesFromTheResourceModules) {
  ImageBar::Initialization();
  ImageBar::Initialization();
  auto* s = Add<TImageBarSeries>();
  EXPECT_EQ(s->Image()->GetWidth(), 100);
  EXPECT_EQ(s->Image()->GetHeight(), 88);
  TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(TImageBarSeries::StaticClass());
  ASSERT_NE(type, nullptr);
  EXPECT_EQ(type->Description(), "ImageBar");
  EXPECT_EQ(*type->PageName, "Other");
  const auto modules = PlotProcs::ResourceModules.size();
  ImageBar::Finalization();
  EXPECT_EQ(PlotProcs::ResourceModules.size(), modules - 1);
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TImageBarSeries::StaticClass()), nullptr);
  TBitmap money;
  PlotProcs::LoadResBitmap(money, "PlotMoney", "");
  EXPECT_TRUE(money.GetEmpty());
  EXPECT_TRUE(Add<TImageBarSeries>()->Image()->Empty());
}

TEST_F(ImageBarTest, AssignAndGallery) {
  auto* s = Bars(5);
  s->SetImage(RowMarkedPicture(6).get());
  s->SetImageTiled(true);
  auto* t = Add<TImageBarSeries>();
  t->Assign(s);
  EXPECT_TRUE(t->GetImageTiled());
  EXPECT_EQ(t->Image()->GetWidth(), 6);
  t->PrepareForGallery(true);
  EXPECT_EQ(t->Count(), 2);
  EXPECT_TRUE(Chart->View3DOptions()->GetOrthogonal());
}

}  // namespace

}  // namespace ImageBarTests
