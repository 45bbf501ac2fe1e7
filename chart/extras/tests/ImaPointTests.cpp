// The image point and delta point series: pictures at the points, the
// pointer when the picture is cleared, the per-point event, the delta
// pictures and the default pictures through the resource modules.
#include "chart/engine/Chart.h"
#include "chart/engine/PlotProcs.h"
#include "chart/extras/ImaPoint.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace ImaPointTests {

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, Green = 0x00FF00;

std::unique_ptr<TPicture> Solid(TColor Colour, int32_t W, int32_t H) {
  TBitmap b(W, H);
  b.SetPixelFormat(pf24bit);
  b.GetCanvas()->Brush->SetColor(Colour);
  b.GetCanvas()->FillRect(TRect(0, 0, W, H));
  auto p = std::make_unique<TPicture>();
  p->SetGraphic(&b);
  return p;
}

class ImagePointTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    ImaPoint::Initialization();
  }
};

TEST_F(ImagePointTest, ThePictureSitsCentredOnThePoint) {
  auto* s = Add<TImagePointSeries>();
  EXPECT_EQ(s->ImagePoint()->GetWidth(), 8) << "the default picture";
  EXPECT_TRUE(s->GetImageTransparent());
  s->SetImageTransparent(false);
  s->SetImagePoint(Solid(Green, 12, 6).get());
  EXPECT_EQ(s->Pointer()->GetHorizSize(), 12);
  EXPECT_EQ(s->Pointer()->GetVertSize(), 6);
  s->AppendPoint(5, 5);
  Draw();
  const int32_t x = XPix(5), y = YPix(5);
  EXPECT_EQ(Px(x - 6, y - 3), Green);
  EXPECT_EQ(Px(x + 5, y + 2), Green);
  EXPECT_NE(Px(x + 6, y), Green);
  EXPECT_NE(Px(x, y + 3), Green);
  EXPECT_EQ(s->ImageBox(0), TRect(x - 6, y - 3, x + 6, y + 3));
}

TEST_F(ImagePointTest, AClearedPictureDrawsThePointer) {
  auto* s = Add<TImagePointSeries>();
  s->SetSeriesColor(Red);
  s->Pointer()->Pen()->SetVisible(false);
  s->AppendPoint(5, 5);
  s->ImagePoint()->Assign(nullptr);
  Draw();
  EXPECT_EQ(At(5, 5), Red);
}

TEST_F(ImagePointTest, TheEventMayReplaceThePicturePerPoint) {
  auto* s = Add<TImagePointSeries>();
  s->SetImageTransparent(false);
  s->SetImagePoint(Solid(Green, 6, 6).get());
  s->AppendPoint(2, 5);
  s->AppendPoint(8, 5);
  std::vector<int32_t> asked;
  const auto blue = Solid(Blue, 6, 6), green = Solid(Green, 6, 6);
  s->OnGetImage = [&](TCustomImagePointSeries*, int32_t Index, TPicture* Picture) {
    asked.push_back(Index);
    Picture->Assign(Index == 1 ? blue.get() : green.get());
  };
  Draw();
  EXPECT_EQ(asked, (std::vector<int32_t>{0, 1}));
  EXPECT_EQ(At(2, 5), Green);
  EXPECT_EQ(At(8, 5), Blue);
}

TEST_F(ImagePointTest, DeltaPicturesFollowTheChangeOfTheValue) {
  auto* s = Add<TDeltaPointSeries>();
  EXPECT_EQ(s->GetImageStyle(), disSmiles);
  EXPECT_FALSE(s->GetImageTransparent());
  for (double y : {5.0, 7.0, 3.0, 3.0}) s->AppendPoint(s->Count() * 2 + 1, y);
  EXPECT_EQ(s->DeltaImage(0), s->EqualImage());
  EXPECT_EQ(s->DeltaImage(1), s->GreaterImage());
  EXPECT_EQ(s->DeltaImage(2), s->LowerImage());
  EXPECT_EQ(s->DeltaImage(3), s->EqualImage());

  // Each picture its own colour: the first point shows the equal one.
  s->SetEqualImage(Solid(Green, 16, 16).get());
  s->SetGreaterImage(Solid(Blue, 16, 16).get());
  s->SetLowerImage(Solid(Red, 16, 16).get());
  Draw();
  EXPECT_EQ(At(1, 5), Green);
  EXPECT_EQ(At(3, 7), Blue);
  EXPECT_EQ(At(5, 3), Red);
  EXPECT_EQ(At(7, 3), Green);
}

TEST_F(ImagePointTest, StylesLoadTheirPicturesThroughTheResourceModules) {
  auto* s = Add<TDeltaPointSeries>();
  EXPECT_EQ(s->EqualImage()->GetWidth(), 16);
  TBitmap hand, smile;
  PlotProcs::LoadResBitmap(smile, "PlotGreaterSmile", "");
  PlotProcs::LoadResBitmap(hand, "PlotGreaterHand", "");
  ASSERT_FALSE(hand.GetEmpty());
  const auto samePicture = [](const TPicture* P, TBitmap& B) {
    TBitmap* a = const_cast<TPicture*>(P)->GetBitmap();
    for (int32_t y = 0; y < B.GetHeight(); ++y)
      for (int32_t x = 0; x < B.GetWidth(); ++x)
        if (a->GetPixelColor(x, y) != B.GetPixelColor(x, y)) return false;
    return a->GetWidth() == B.GetWidth() && a->GetHeight() == B.GetHeight();
  };
  EXPECT_TRUE(samePicture(s->GreaterImage(), smile));
  s->SetImageStyle(disHands);
  EXPECT_TRUE(samePicture(s->GreaterImage(), hand));
  for (const char* name : {"PlotDefaultImage", "PlotEqualSmile", "PlotLowerSmile", "PlotEqualHand", "PlotLowerHand"}) {
    TBitmap b;
    PlotProcs::LoadResBitmap(b, name, "");
    EXPECT_EQ(b.GetWidth(), std::string(name) == "PlotDefaultImage" ? 8 : 16) << name;
  }
}

TEST_F(ImagePointTest, AssignAndRegistration) {
  auto* s = Add<TDeltaPointSeries>();
  s->SetImageStyle(disHands);
  s->SetImageTransparent(true);
  auto* t = Add<TDeltaPointSeries>();
  t->Assign(s);
  EXPECT_EQ(t->GetImageStyle(), disHands);
  EXPECT_TRUE(t->GetImageTransparent());
  const auto picture = Solid(Blue, 5, 7);
  auto* made = Create<TImagePointSeries>(Owner, picture.get());
  EXPECT_EQ(made->Pointer()->GetHorizSize(), 5);
  EXPECT_EQ(made->Pointer()->GetVertSize(), 7);
  for (auto [cls, name] : {std::pair{TImagePointSeries::StaticClass(), "ImagePoint"},
                           std::pair{TDeltaPointSeries::StaticClass(), "DeltaPoint"}}) {
    TPlotSeriesType* type = Chart::SeriesTypes().TypeOfSeriesClass(cls);
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->Description(), name);
    EXPECT_EQ(*type->PageName, "Other");
  }
  ImaPoint::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TDeltaPointSeries::StaticClass()), nullptr);
  TBitmap b;
  PlotProcs::LoadResBitmap(b, "PlotEqualSmile", "");
  EXPECT_TRUE(b.GetEmpty());
}

}  // namespace

}  // namespace ImaPointTests
