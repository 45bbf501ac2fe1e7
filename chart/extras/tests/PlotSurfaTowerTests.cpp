// The 3-D vector and tower series through a recording canvas, and the
// registration of the grid series.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "chart/extras/ExtrasUnits.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/tests/PlotSurfaLogCanvas.h"

namespace PlotSurfaTowerTests {

namespace {

std::string Text(const TCanvasCall& C) {
  std::ostringstream s;
  s << C.Kind << "(";
  for (const TPoint& p : C.P) s << p.X << "," << p.Y << ";";
  for (int32_t z : C.Z) s << z << ",";
  s << ")";
  return s.str();
}

class VectorTowerTest : public LogChartTest {
protected:
  void SetUp() override {
    LogChartTest::SetUp();
    Fix(0, 4, 0, 10);
    Chart->DepthAxis()->SetMinMax(0, 4);
  }
};

TEST_F(VectorTowerTest, VectorHeadsPointTowardsTheEnd) {
  auto* s = Add<TVector3DSeries>();
  s->SetArrowWidth(6);
  s->SetArrowHeight(3);
  s->StartArrow()->Show();
  struct Case {
    const char* Name;
    double X0, Y0, X1, Y1;
    int32_t Dx1, Dy1, Dx2, Dy2;  // the two outer corners of a head from its point
  };
  // With theta the screen direction, the corners lie at
  // (-W cos t - H sin t, W sin t - H cos t) and (-W cos t + H sin t, W sin t + H cos t).
  for (const Case& c : {Case{"to the right", 1, 5, 3, 5, -6, -3, -6, 3}, Case{"upwards", 1, 2, 1, 8, -3, 6, 3, 6},
                        Case{"to the left", 3, 5, 1, 5, 6, 3, 6, -3}}) {
    SCOPED_TRACE(c.Name);
    s->Clear();
    const int32_t i = s->AddVector(c.X0, c.Y0, 1, c.X1, c.Y1, 2, {}, 0x3060C0);
    Draw();
    Log.Calls.clear();
    LogChart->Override = &Log;
    s->DrawPoint(i);
    LogChart->Override = nullptr;
    const TPoint start(XPix(c.X0), YPix(c.Y0)), end(XPix(c.X1), YPix(c.Y1));
    const int32_t z0 = Depth(1), z1 = Depth(2);
    auto head = [&](TPoint B, int32_t Z) {
      return std::vector<std::string>{
          "MoveTo(" + std::to_string(B.X + c.Dx1) + "," + std::to_string(B.Y + c.Dy1) + ";" + std::to_string(Z) + ",)",
          "LineTo(" + std::to_string(B.X) + "," + std::to_string(B.Y) + ";" + std::to_string(Z) + ",)",
          "LineTo(" + std::to_string(B.X + c.Dx2) + "," + std::to_string(B.Y + c.Dy2) + ";" + std::to_string(Z) + ",)"};
    };
    std::vector<std::string> want = {
        "MoveTo(" + std::to_string(start.X) + "," + std::to_string(start.Y) + ";" + std::to_string(z0) + ",)",
        "LineTo(" + std::to_string(end.X) + "," + std::to_string(end.Y) + ";" + std::to_string(z1) + ",)"};
    for (const std::string& t : head(start, z0)) want.push_back(t);
    for (const std::string& t : head(end, z1)) want.push_back(t);
    std::vector<std::string> got;
    for (const TCanvasCall& call : Log.Calls) got.push_back(Text(call));
    EXPECT_EQ(got, want);
    for (const TCanvasCall& call : Log.Calls) EXPECT_EQ(call.Pen, 0x3060C0) << "arrow pens of no colour take the point's";
  }
}

TEST_F(VectorTowerTest, VectorExtremesAndSamples) {
  auto* s = Add<TVector3DSeries>();
  s->AddVector(1, 2, 3, -4, 9, 0.5);
  s->AddVector(2, 1, 1, 2, 1, 7);
  EXPECT_EQ(s->SmallestX(), -4);
  EXPECT_EQ(s->LargestX(), 2);
  EXPECT_EQ(s->SmallestY(), 1);
  EXPECT_EQ(s->LargestY(), 9);
  EXPECT_EQ(s->SmallestZ(), 0.5);
  EXPECT_EQ(s->LargestZ(), 7);
  EXPECT_EQ(s->EndZValues()->GetValue(1), 7);
  EXPECT_EQ(s->NumSampleValues(), 250);
  s->Clear();
  s->AddSampleValues(8);
  ASSERT_EQ(s->Count(), 8);
  const double a = 3 * 8 * std::numbers::pi / 8;
  EXPECT_NEAR(s->XValues()->GetValue(3), std::sin(a) + 3, 1e-12);
  EXPECT_NEAR(s->EndYValues()->GetValue(3), 3 + 0.6 * 8 * std::sin(a) * std::cos(a), 1e-12);
  EXPECT_NEAR(s->EndZValues()->GetValue(3), std::cos(a) + 3 * std::cos(a), 1e-12);
  EXPECT_EQ(s->EditorFormName(), "TVectorSeriesEditor");
}

TEST_F(VectorTowerTest, TowerStylesAsCanvasCalls) {
  auto* s = Add<TTowerSeries>();
  s->AddXYZ(1, 6, 1, {}, 0x204080);
  s->AddXYZ(2, 2, 2, {}, 0x408020);
  s->SetPercentWidth(50);
  EXPECT_EQ(s->SmallestX(), 0.5);
  EXPECT_EQ(s->LargestX(), 2.5);
  EXPECT_EQ(s->SmallestZ(), 0.5);
  EXPECT_EQ(s->LargestZ(), 2.5);
  Draw();
  // The first tower: half a unit wide, a unit deep, from the smallest Y up.
  const int32_t l = XPix(0.75), r = XPix(1.25), t = YPix(6), b = YPix(2), z0 = Depth(0.5), z1 = Depth(1.5);
  const int32_t mid = (z0 + z1) / 2, cx = (l + r) / 2;
  auto box = [&](const char* Kind, std::vector<int32_t> Z) {
    TCanvasCall c{Kind, {TPoint(l, t), TPoint(r, b)}, Z};
    return Text(c);
  };
  struct Case {
    TTowerStyle Style;
    std::string Want;
  };
  const Case cases[] = {
      {tsCube, box("Box", {z0, z1, 1})},
      {tsRectangle, box("Rect", {mid})},
      {tsCover, Text({"HorizPlane", {TPoint(l, t), TPoint(r, t)}, {z0, z1}})},
      {tsCylinder, box("RoundSolid", {z0, z1, 1, PlotCanvas::SolidSides})},
      {tsArrow, Text({"Arrow", {TPoint(cx, b), TPoint(cx, t)}, {r - l, (r - l) / 2, mid}})},
      {tsCone, box("Cone", {z0, z1, 1, 0})},
      {tsPyramid, box("Pyramid", {z0, z1, 1})},
      {tsSlantCube, box("RoundSolid", {z0, z1, 1, 4})},
  };
  const int32_t sides = PlotCanvas::SolidSides;
  for (const Case& c : cases) {
    s->SetTowerStyle(c.Style);
    Record(s);
    std::vector<std::string> got;
    for (const TCanvasCall& call : Log.Calls) got.push_back(Text(call));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_TRUE(std::find(got.begin(), got.end(), c.Want) != got.end()) << c.Want << " / " << got[0] << " " << got[1];
    for (const TCanvasCall& call : Log.Calls)
      EXPECT_TRUE(call.Brush == 0x204080 || call.Brush == 0x408020) << "each tower in its point's colour";
  }
  EXPECT_EQ(PlotCanvas::SolidSides, sides) << "the side count comes back";

  // An origin above the value: the box runs down from the origin.
  s->SetTowerStyle(tsCube);
  s->SetUseOrigin(true);
  s->SetOrigin(8);
  s->SetPointColor(1, clNone);
  Record(s);
  ASSERT_EQ(Log.Calls.size(), 1u) << "a point of no colour has no tower";
  EXPECT_EQ(Text(Log.Calls[0]), Text({"Box", {TPoint(l, YPix(8)), TPoint(r, YPix(6))}, {z0, z1, 1}}));
}

TEST_F(VectorTowerTest, OnlyCoversAreHit) {
  auto* s = Add<TTowerSeries>();
  s->AddPointXYZ(1, 6, 1);
  s->AddPointXYZ(3, 4, 3);
  Draw();
  TCanvas3D& c = *Chart->GetCanvas();
  const TPoint top0 = c.Project(XPix(1), YPix(6), Depth(1)), top1 = c.Project(XPix(3), YPix(4), Depth(3));
  EXPECT_EQ(s->PointAtPixel(top0.X, top0.Y), -1) << "a cube never reports a point";
  s->SetTowerStyle(tsCover);
  Draw();
  EXPECT_EQ(s->PointAtPixel(top0.X, top0.Y), 0);
  EXPECT_EQ(s->PointAtPixel(top1.X, top1.Y), 1);
  EXPECT_EQ(s->PointAtPixel(top0.X, top0.Y + 30), -1);

  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  ASSERT_EQ(names.size(), 12u);
  EXPECT_EQ(names[8], "Circle");
  s->ApplyGalleryVariant(s, 8);
  EXPECT_EQ(s->GetTowerStyle(), tsCylinder);
  s->ApplyGalleryVariant(s, 5);
  EXPECT_EQ(s->Brush()->GetStyle(), bsClear);
  s->PrepareForGallery(true);
  EXPECT_EQ(s->Count(), 25);
  EXPECT_EQ(s->EditorFormName(), "TTowerSeriesEditor");
}

TEST(GridSeriesRegistration, SixTypesOnThe3DPageComeAndGo) {
  const std::vector<std::pair<TClass, std::string>> types = {
      {TSurfaceSeries::StaticClass(), "Surface"},       {TContourSeries::StaticClass(), "Contour"},
      {TWaterFallSeries::StaticClass(), "Water Fall"}, {TColorGridSeries::StaticClass(), "Color Grid"},
      {TVector3DSeries::StaticClass(), "Vector 3D"},    {TTowerSeries::StaticClass(), "Tower"}};
  auto count = [&](TClass Class) {
    int found = 0;
    for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i) {
      TPlotSeriesType* t = Chart::SeriesTypes().TypeAt(i);
      if (t->SeriesClassRef != Class) continue;
      ++found;
      for (const auto& [c, name] : types) {
        if (c == Class) {
          EXPECT_EQ(t->Description(), name);
        }
      }
      EXPECT_EQ(*t->PageName, "3D");
      EXPECT_EQ(t->SampleSeriesCount, 1);
    }
    return found;
  };
  ExtrasUnits::Initialization();
  ExtrasUnits::Initialization();
  for (const auto& [c, name] : types) {
    EXPECT_EQ(count(c), 1) << name;
    EXPECT_EQ(ClassInfo::GetClass(c->ClassName()), c) << "created by name from chart files";
  }
  ExtrasUnits::Finalization();
  for (const auto& [c, name] : types) EXPECT_EQ(count(c), 0) << name;
}

}  // namespace

}  // namespace PlotSurfaTowerTests
