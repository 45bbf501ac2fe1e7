// The 3-D point, 3-D bubble and offset bar series: joining line, symbol
// depth and size, hit test, extremes, bar spans and registration.
#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotCanvas.h"
#include "chart/engine/PlotEngine_Marks.h"
#include "chart/extras/Bar3D.h"
#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotPoin3.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotPoin3Tests {

namespace {

// Records the 3-D line calls the series make.
class LineLogCanvas : public TPlotCanvas3D {
public:
  LineLogCanvas() {
    AttachCanvas(Bitmap.GetCanvas());
    ResetState();
  }
  static std::string At(const char* Name, int32_t X, int32_t Y, int32_t Z) {
    std::ostringstream s;
    s << Name << "(" << X << "," << Y << "," << Z << ")";
    return s.str();
  }
  void MoveTo3D(int32_t X, int32_t Y, int32_t Z) override { Log.push_back(At("Move", X, Y, Z)); }
  void LineTo3D(int32_t X, int32_t Y, int32_t Z) override { Log.push_back(At("Line", X, Y, Z)); }
  void VertLine3D(int32_t X, int32_t Y0, int32_t Y1, int32_t Z) override {
    std::ostringstream s;
    s << "Vert(" << X << "," << Y0 << "," << Y1 << "," << Z << ")";
    Log.push_back(s.str());
  }
  std::vector<std::string> Log;
  TBitmap Bitmap{300, 220};
};

class LogPanel : public TCustomAxisPanel {
public:
  using TCustomAxisPanel::TCustomAxisPanel;
  TCanvas3D* GetCanvas() override { return Override ? Override : Canvas(); }
  TCanvas3D* Override = nullptr;
};

class Point3DTest : public SeriesChartTest {
protected:
  void SetUp() override {
    SeriesChartTest::SetUp();
    Panel = Create<LogPanel>(Owner);
    Chart = Panel;
    Chart->SetBounds(W, H);
    Chart->SetColor(clWhite);
    Chart->SetView3D(false);
    Fix(0, 10, 0, 10);
    Chart->DepthAxis()->SetMinMax(0, 10);
  }
  // Draws the chart, then every point again into the log.
  void DrawLogged(TChartSeries* S) {
    Draw();
    Panel->Override = &Log;
    Log.Log.clear();
    for (int32_t i = 0; i < S->Count(); ++i) S->DrawPoint(i);
    Panel->Override = nullptr;
  }
  LogPanel* Panel = nullptr;
  LineLogCanvas Log;
};

TEST_F(Point3DTest, PointWithoutColourBreaksTheJoiningLine) {
  auto* s = Add<TPoint3DSeries>();
  s->Pointer()->SetVisible(false);
  s->AddXYZ(1, 1, 2, {}, clRed);
  s->AddXYZ(3, 5, 4, {}, clNone);
  s->AddXYZ(5, 2, 6, {}, clRed);
  s->AddXYZ(7, 8, 8, {}, clRed);
  DrawLogged(s);
  const auto at = [&](const char* Name, int32_t I) {
    return LineLogCanvas::At(Name, XPix(s->GetXValue(I)), YPix(s->GetYValue(I)), s->ZPixelOf(I));
  };
  // Nothing from the first point or the hidden one; the point after the
  // hidden one starts a zero-length line; the last one joins its predecessor.
  const std::vector<std::string> expected{at("Move", 2), at("Line", 2), at("Move", 2), at("Line", 3)};
  EXPECT_EQ(Log.Log, expected);
}

TEST_F(Point3DTest, BaseLineRunsFromBelowTheSymbolToTheAxisEnd) {
  auto* s = Add<TPoint3DSeries>();
  s->LinePen()->SetVisible(false);
  s->BaseLine()->SetVisible(true);
  s->Pointer()->SetVisible(false);
  s->AddXYZ(4, 6, 3, {}, clRed);
  DrawLogged(s);
  std::ostringstream e;
  e << "Vert(" << XPix(4) << "," << YPix(6) + s->Pointer()->GetVertSize() << "," << Chart->LeftAxis()->EndPixel
    << "," << s->ZPixelOf(0) << ")";
  EXPECT_EQ(Log.Log, std::vector<std::string>{e.str()});
}

TEST_F(Point3DTest, SymbolDepthFromDepthSize) {
  auto* s = Add<TPoint3DSeries>();
  s->AddXYZ(4, 6, 5, {}, clRed);
  s->AddXYZ(6, 3, 5, {}, clRed);
  Chart->SetView3D(true);
  Draw();
  // Depth 0: one pixel either side of the point's depth.
  s->CalcZPositions(0);
  EXPECT_EQ(s->StartZ, s->MiddleZ - 1);
  EXPECT_EQ(s->EndZ, s->MiddleZ + 1);
  EXPECT_EQ(s->MiddleZ, Chart->DepthAxis()->ValueToPixel(5));
  // The full depth range: the symbol spans the depth axis' length.
  s->SetDepthSize(10);
  s->CalcZPositions(0);
  const TChartAxis* d = Chart->DepthAxis();
  EXPECT_NEAR(s->EndZ - s->StartZ, std::abs(d->EndPixel - d->StartPixel), 1);
  EXPECT_EQ(s->LargestZ(), 15) << "the largest Z reaches over the symbol's depth";
}

TEST_F(Point3DTest, PointerClickFiresTheEventWithTheMousePosition) {
  auto* s = Add<TPoint3DSeries>();
  s->AddXYZ(2, 2, 5, {}, clRed);
  s->AddXYZ(7, 6, 5, {}, clRed);
  std::vector<std::vector<int32_t>> calls;
  s->OnClickPointer = [&](TPoint3DSeries*, int32_t I, int32_t X, int32_t Y) { calls.push_back({I, X, Y}); };
  Draw();
  const int32_t mx = XPix(7) + 1, my = YPix(6) - 1;
  EXPECT_EQ(s->PointAtPixel(mx, my), 1);
  EXPECT_EQ(calls, (std::vector<std::vector<int32_t>>{{1, mx, my}}));
  EXPECT_EQ(s->PointAtPixel(XPix(5), YPix(9)), -1);
  s->Pointer()->SetVisible(false);
  EXPECT_EQ(s->PointAtPixel(mx, my), -1) << "a hidden pointer is not hit";
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(Point3DTest, BubbleSizeIsItsRadiusOnTheVerticalAxis) {
  auto* s = Add<TBubble3DSeries>();
  s->AddBubble(5, 5, 5, 10, {}, clRed);
  Draw();
  // One pixel per unit on the vertical axis.
  const TChartAxis* v = Chart->LeftAxis();
  const int32_t length = std::abs(v->EndPixel - v->StartPixel);
  Fix(0, 10, 0, length);
  DrawLogged(s);
  EXPECT_EQ(s->Pointer()->GetHorizSize(), 10);
  EXPECT_EQ(s->Pointer()->GetVertSize(), 10);
  EXPECT_EQ(s->Pointer()->GetStyle(), TSeriesPointerStyle::psCircle);
  EXPECT_FALSE(s->LinePen()->GetVisible());
  // The bubble lies behind its Z.
  s->CalcZPositions(0);
  EXPECT_EQ(s->StartZ, s->ZPixelOf(0));
  EXPECT_EQ(s->EndZ - s->StartZ, 2 * (s->MiddleZ - s->StartZ));
}

TEST_F(Point3DTest, BubbleExtremesIncludeTheRadius) {
  auto* s = Add<TBubble3DSeries>();
  s->AddBubble(1, 10, 20, 3);
  s->AddBubble(2, 4, 30, 1);
  EXPECT_EQ(s->LargestY(), 13);
  EXPECT_EQ(s->SmallestY(), 3);
  EXPECT_EQ(s->LargestZ(), 31);
  EXPECT_EQ(s->SmallestZ(), 17);
  EXPECT_TRUE(s->AcceptsDataSource(Create<TBubble3DSeries>(Owner)));
  EXPECT_FALSE(s->AcceptsDataSource(Create<TPoint3DSeries>(Owner)));
}

TEST_F(Point3DTest, GalleryVariants) {
  std::vector<std::string> point, bubble;
  Add<TPoint3DSeries>()->ListGalleryVariants([&](const std::string& V) { point.push_back(V); });
  Add<TBubble3DSeries>()->ListGalleryVariants([&](const std::string& V) { bubble.push_back(V); });
  ASSERT_EQ(point.size(), 15u);
  EXPECT_EQ(point[7], "No Border");
  EXPECT_EQ(point[8], "Point 2D");
  EXPECT_EQ(point[14], "Diamond");
  EXPECT_EQ(bubble.size(), 8u) << "bubbles offer no pointer styles";
  auto* s = Add<TPoint3DSeries>();
  s->ApplyGalleryVariant(s, 2);
  EXPECT_TRUE(s->BaseLine()->GetVisible());
  s->ApplyGalleryVariant(s, 12);
  EXPECT_EQ(s->Pointer()->GetStyle(), TSeriesPointerStyle::psDownTriangle);
}

TEST_F(Point3DTest, SampleValuesStayInTheirRanges) {
  auto* p = Add<TPoint3DSeries>();
  p->AddSampleValues(30);
  ASSERT_EQ(p->Count(), 30);
  for (int32_t i = 0; i < 30; ++i)
    for (double v : {p->GetXValue(i), p->GetYValue(i), p->GetZValue(i)}) {
      EXPECT_GE(v, 0);
      EXPECT_LE(v, 99);
    }
  auto* b = Add<TBubble3DSeries>();
  b->AddSampleValues(10);
  ASSERT_EQ(b->Count(), 10);
  for (int32_t i = 0; i < 10; ++i) {
    EXPECT_GT(b->RadiusValues()->GetValue(i), 0);
    EXPECT_LE(b->GetZValue(i), 199);
  }
}

// ---- offset bars ----

TEST_F(Point3DTest, OffsetBarSpansFromItsOffsetToItsValue) {
  auto* s = Add<TBar3DSeries>();
  dynamic_cast<TSeriesMarks*>(s->Marks())->SetVisible(false);
  s->AddBar(1, 8, 5, {}, clRed);
  s->AddBar(2, 3, -2, {}, clRed);
  Draw();
  Panel->Override = &Log;
  s->DrawPoint(0);
  EXPECT_EQ(std::min(s->BarBounds.Top, s->BarBounds.Bottom), YPix(8));
  EXPECT_EQ(std::max(s->BarBounds.Top, s->BarBounds.Bottom), YPix(5));
  s->DrawPoint(1);
  EXPECT_EQ(std::min(s->BarBounds.Top, s->BarBounds.Bottom), YPix(3));
  EXPECT_EQ(std::max(s->BarBounds.Top, s->BarBounds.Bottom), YPix(-2));
  Panel->Override = nullptr;
  EXPECT_EQ(s->GetOriginValue(0), 13);
}

TEST_F(Point3DTest, OffsetBarExtremes) {
  struct Case {
    TMultiBar Mode;
    double Largest, Smallest;
  };
  for (const Case& c : {Case{mbSide, 20, 6}, Case{mbNone, 20, 6}, Case{mbSideAll, 12, 8}}) {
    Chart->FreeAllSeries();
    auto* s = Add<TBar3DSeries>();
    s->SetUseYOrigin(false);
    s->SetMultiBar(c.Mode);
    s->AddBar(1, 8, 5);    // a positive offset does not lower the smallest value
    s->AddBar(2, 12, -6);  // a negative one does: 12 - 6
    s->AddBar(3, 10, 20);  // the largest offset raises the largest value
    SCOPED_TRACE(int(c.Mode));
    EXPECT_EQ(s->LargestY(), c.Largest);
    EXPECT_EQ(s->SmallestY(), c.Smallest);
  }
  std::vector<std::string> variants;
  Add<TBar3DSeries>()->ListGalleryVariants([&](const std::string& V) { variants.push_back(V); });
  EXPECT_EQ(std::count(variants.begin(), variants.end(), "Stack"), 0) << "no stacking variants";
}

TEST_F(Point3DTest, RegisteredInTheGalleryAndRemovedAtTheEnd) {
  ExtrasUnits::Initialization();
  struct Case {
    TClass Class;
    const char* Description;
    const char* Page;
  };
  for (const Case& c : {Case{TPoint3DSeries::StaticClass(), "Point 3D", "3D"},
                        Case{TBubble3DSeries::StaticClass(), "Bubble 3D", "3D"},
                        Case{TBar3DSeries::StaticClass(), "Bar 3D", "Other"}}) {
    const auto* t = Chart::SeriesTypes().TypeOfSeriesClass(c.Class);
    ASSERT_NE(t, nullptr) << c.Description;
    EXPECT_EQ(t->Description(), c.Description);
    EXPECT_EQ(*t->PageName, c.Page);
    EXPECT_EQ(t->SampleSeriesCount, 1);
  }
  ExtrasUnits::Finalization();
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TPoint3DSeries::StaticClass()), nullptr);
  EXPECT_EQ(Chart::SeriesTypes().TypeOfSeriesClass(TBar3DSeries::StaticClass()), nullptr);
  ExtrasUnits::Initialization();  // leaves the registrations as other tests expect them
}

}  // namespace

}  // namespace PlotPoin3Tests
