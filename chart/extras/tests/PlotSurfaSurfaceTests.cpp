// The surface and water-fall series: cells and their colours through a
// recording canvas in every walking direction, frames, sides, water-fall
// bands, true-3D canvases, the hit test, gallery and chart files.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "chart/extras/PlotSurfaGrid.h"
#include "chart/extras/tests/PlotSurfaLogCanvas.h"
#include "chart/engine/PlotProcs.h"
#include "chart/series/PlotStore.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/rtl/Classes.h"

namespace PlotSurfaSurfaceTests {

namespace {

class SurfaceTest : public LogChartTest {
protected:
  // An N x N grid at X, Z = 1..N; each point its own colour, Y from Height.
  template <class T = TSurfaceSeries>
  T* Grid(int N = 3, double (*Height)(int, int) = nullptr) {
    auto* s = Add<T>();
    for (int z = 1; z <= N; ++z)
      for (int x = 1; x <= N; ++x)
        s->AddXYZ(x, Height ? Height(x, z) : x + 3 * z, z, {}, Colour(x, z));
    return s;
  }
  static TColor Colour(int X, int Z) { return 0x010000 * (16 * X) + 0x000100 * (16 * Z) + 0x40; }
  // The grid column and row of a quad corner, found from its pixel and depth.
  std::pair<int, int> CornerAt(const TSurfaceSeries& S, TPoint P, int32_t Z) const {
    int col = -1, row = -1;
    for (int k = 1; k <= 9; ++k) {
      if (S.XValueToPixel(k) == P.X) col = k;
      if (Depth(k) == Z) row = k;
    }
    return {col, row};
  }
};

TEST_F(SurfaceTest, EachCellTakesTheColourOfItsLeftRearCornerInEveryWalkingDirection) {
  struct Case {
    bool HorizInverted, DepthInverted;
  };
  for (const Case& c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
    SCOPED_TRACE(testing::Message() << "inverted: horizontal " << c.HorizInverted << ", depth " << c.DepthInverted);
    Chart->FreeAllSeries();
    Chart->BottomAxis()->SetInverted(c.HorizInverted);
    Chart->DepthAxis()->SetInverted(c.DepthInverted);
    Chart->DepthAxis()->SetMinMax(0, 4);
    TSurfaceSeries* s = Grid();
    Record(s);
    const std::vector<TCanvasCall> quads = Log.Of("Quad3D");
    ASSERT_EQ(quads.size(), 4u);
    std::set<std::pair<int, int>> cells;
    for (const TCanvasCall& q : quads) {
      int minCol = 99, maxRow = 0, minRow = 99;
      for (int k = 0; k < 4; ++k) {
        const auto [col, row] = CornerAt(*s, q.P[k], q.Z[k < 2 ? 0 : 1]);
        ASSERT_GT(col, 0);
        ASSERT_GT(row, 0);
        minCol = std::min(minCol, col), maxRow = std::max(maxRow, row), minRow = std::min(minRow, row);
      }
      cells.insert({minCol, minRow});
      // Whatever the walking direction, the chosen corner is the one of the
      // lowest column and the highest row.
      EXPECT_EQ(q.Brush, Colour(minCol, maxRow)) << "cell " << minCol << "," << minRow;
    }
    EXPECT_EQ(cells.size(), 4u) << "every cell once";
  }
}

TEST_F(SurfaceTest, SmoothPaletteColoursByTheMeanAndClNoneDropsTheCell) {
  Chart->DepthAxis()->SetMinMax(0, 4);
  auto* s = Add<TSurfaceSeries>();
  for (int z = 1; z <= 3; ++z)
    for (int x = 1; x <= 3; ++x) s->AddPointXYZ(x, x * x + 2 * z, z);
  s->SetSmoothPalette(true);
  Record(s);
  std::vector<TCanvasCall> quads = Log.Of("Quad3D");
  ASSERT_EQ(quads.size(), 4u);
  for (const TCanvasCall& q : quads) {
    double sum = 0;
    for (int k = 0; k < 4; ++k) {
      const auto [col, row] = CornerAt(*s, q.P[k], q.Z[k < 2 ? 0 : 1]);
      sum += col * col + 2 * row;
    }
    EXPECT_EQ(q.Brush, s->ColorOfValue(sum / 4));
  }

  // The chosen corner of the cell between columns 2..3 and rows 1..2 is (2, 2).
  s->SetSmoothPalette(false);
  s->SetPointColor(4, clNone);
  Record(s);
  EXPECT_EQ(Log.Of("Quad3D").size(), 3u);
}

TEST_F(SurfaceTest, WireFrameAndDotFrame) {
  TSurfaceSeries* s = Grid();
  s->Pen()->Hide();
  s->SetDotFrame(true);
  EXPECT_TRUE(s->GetDotFrame());
  EXPECT_TRUE(s->Pen()->GetVisible());
  s->SetWireFrame(true);
  EXPECT_TRUE(s->GetWireFrame());
  EXPECT_FALSE(s->GetDotFrame());
  Record(s);
  const std::vector<TCanvasCall> quads = Log.Of("Quad3D");
  ASSERT_EQ(quads.size(), 4u);
  for (const TCanvasCall& q : quads) {
    EXPECT_EQ(q.BrushStyle, bsClear);
    EXPECT_NE(q.PenStyle, psClear);
    EXPECT_NE(q.Pen, s->Pen()->GetColor()) << "the outline takes the cell colour";
  }

  s->SetDotFrame(true);
  EXPECT_FALSE(s->GetWireFrame());
  Record(s);
  EXPECT_TRUE(Log.Of("Quad3D").empty());
  const std::vector<TCanvasCall> dots = Log.Of("Pixel");
  ASSERT_EQ(dots.size(), 16u) << "four corners of four cells";
  for (const TCanvasCall& d : dots) {
    const auto [col, row] = CornerAt(*s, d.P[0], d.Z[0]);
    EXPECT_EQ(static_cast<TColor>(d.Z[1]), Colour(col, row)) << col << "," << row;
  }
}

TEST_F(SurfaceTest, SidesReachDownToTheFloor) {
  Chart->DepthAxis()->SetMinMax(0, 4);
  TSurfaceSeries* s = Grid();
  s->SideBrush()->SetStyle(bsSolid);
  s->SideBrush()->SetColor(0x123456);
  Record(s);
  const int32_t floor = YPix(s->YValues()->MinValue());
  int sides = 0;
  for (const TCanvasCall& q : Log.Of("Quad3D")) {
    if (q.Brush != 0x123456) continue;
    ++sides;
    EXPECT_EQ(q.P[1], TPoint(q.P[0].X, floor));
    EXPECT_EQ(q.P[2], TPoint(q.P[3].X, floor));
  }
  EXPECT_EQ(sides, 6) << "left, right and front: two planes each";
  EXPECT_EQ(Log.Of("Quad3D").size(), 10u);
  const std::vector<TCanvasCall> closing = Log.Of("VertLine");
  ASSERT_EQ(closing.size(), 1u);
  EXPECT_EQ(closing[0].P[1].Y, floor);
  EXPECT_EQ(closing[0].P[0], TPoint(s->XValueToPixel(3), YPix(3 + 3 * 1)));
}

TEST_F(SurfaceTest, WaterFallDrawsTwoBandsPerRow) {
  auto* s = Grid<TWaterFallSeries>();
  EXPECT_TRUE(s->GetWaterFall());
  Record(s);
  const int32_t bottom = Chart->LeftAxis()->EndPixel;
  const std::vector<TCanvasCall> bands = Log.Of("QuadAtDepth");
  ASSERT_EQ(bands.size(), 6u);
  for (const TCanvasCall& b : bands) {
    EXPECT_EQ(b.P[2].Y, bottom);
    EXPECT_EQ(b.P[3].Y, bottom);
    EXPECT_EQ(b.PenStyle, psClear);
  }
  EXPECT_EQ(Log.Of("Line").size(), 6u);
  EXPECT_EQ(Log.Of("VertLine").size(), 12u) << "a water line at both ends of every band";
  s->WaterLines()->Hide();
  Record(s);
  EXPECT_TRUE(Log.Of("VertLine").empty());

  // A copy of a water fall into a surface is a surface.
  auto* surface = Add<TSurfaceSeries>();
  surface->Assign(s);
  EXPECT_FALSE(surface->GetWaterFall());
  EXPECT_FALSE(surface->WaterLines()->GetVisible());
}

TEST_F(SurfaceTest, ATrue3DCanvasGetsTheCellsThroughItsCallback) {
  TSurfaceSeries* s = Grid(2);
  Log.True3D = true;
  struct Case {
    bool Wire, Dot, ClearBrush;
    const char* First;
  };
  for (const Case& c : {Case{false, false, false, "style 0 colours"}, Case{true, false, false, "style 1 colours"},
                        Case{false, true, false, "style 2 colours"}, Case{false, false, true, "style 1 colours"}}) {
    s->SetWireFrame(c.Wire);
    s->SetDotFrame(c.Dot);
    s->Brush()->SetStyle(c.ClearBrush ? bsClear : bsSolid);
    Record(s);
    ASSERT_EQ(Log.Cells.size(), 3u);
    EXPECT_EQ(Log.Cells[0], c.First);
  }
  // Cell (x, z) joins the points of columns x - 1 and x in row z.
  const std::string expect = std::to_string(s->XValueToPixel(1)) + " " + std::to_string(s->XValueToPixel(2)) + " " +
                             std::to_string(Colour(1, 2)) + " " + std::to_string(Colour(2, 2));
  EXPECT_EQ(Log.Cells[2], "2,2: " + expect);
  Log.True3D = false;
}

TEST_F(SurfaceTest, PointAtPixelFindsTheFrontMostCell) {
  // A high front row before a low back: in the projection the front cells
  // cover parts of the back ones.
  Chart->View3DOptions()->SetOrthogonal(true);
  Chart->View3DOptions()->SetOrthoAngle(45);
  Chart->DepthAxis()->SetMinMax(1, 4);
  Fix(0, 5, 0, 10);
  auto* s = Add<TSurfaceSeries>();
  const double heights[4] = {9, 9, 1, 1};
  for (int z = 1; z <= 4; ++z)
    for (int x = 1; x <= 4; ++x) s->AddPointXYZ(x, heights[z - 1], z);
  Draw();
  TCanvas3D& c = *Chart->GetCanvas();
  auto polygon = [&](int X0, int Z0) {
    std::vector<TPoint> p;
    for (const auto& [dx, dz] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
      const int32_t i = s->GridPoint(X0 + dx, Z0 + dz);
      p.push_back(c.Project(s->XValueToPixel(X0 + dx), YPix(s->YValues()->GetValue(i)), Depth(Z0 + dz)));
    }
    return p;
  };
  int overlapping = 0, checked = 0;
  for (int32_t y = 0; y < H; y += 2)
    for (int32_t x = 0; x < W; x += 2) {
      // Independently: among the rows with a cell under the pixel the lowest
      // is nearest; the walk from front to back reaches that cell first, from
      // its corner of the higher column and the lower row.
      std::set<int> rows;
      for (int z0 = 1; z0 <= 3; ++z0)
        for (int x0 = 1; x0 <= 3; ++x0)
          if (PlotProcs::PointInPolygon(TPoint(x, y), polygon(x0, z0))) rows.insert(z0);
      if (rows.empty()) {
        EXPECT_EQ(s->PointAtPixel(x, y), -1) << x << "," << y;
        continue;
      }
      const int front = *rows.begin();
      int inFront = 0, col = -1;
      for (int x0 = 1; x0 <= 3; ++x0)
        if (PlotProcs::PointInPolygon(TPoint(x, y), polygon(x0, front))) ++inFront, col = x0;
      if (inFront != 1) continue;  // on the seam of two cells of one row
      overlapping += rows.size() > 1;
      ++checked;
      EXPECT_EQ(s->PointAtPixel(x, y), s->GridPoint(col + 1, front)) << x << "," << y;
    }
  EXPECT_GT(checked, 100);
  EXPECT_GT(overlapping, 10) << "the picture must have cells behind cells";
}

TEST_F(SurfaceTest, SettingsGalleryAndChartFiles) {
  TSurfaceSeries* s = Grid();
  s->SetFastBrush(true);
  EXPECT_FALSE(s->GetFastBrush()) << "the platform has no device-context brush colour";

  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  EXPECT_EQ(names, (std::vector<std::string>{"Normal", "Color Range", "Wireframe", "Dot Frame", "Sides", "No Border"}));
  auto* w = Add<TWaterFallSeries>();
  names.clear();
  w->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  EXPECT_EQ(names.back(), "No Lines");
  w->ApplyGalleryVariant(w, 6);
  EXPECT_FALSE(w->WaterLines()->GetVisible());
  s->ApplyGalleryVariant(s, 4);
  EXPECT_EQ(s->SideBrush()->GetStyle(), bsSolid);
  s->ApplyGalleryVariant(s, 5);
  EXPECT_FALSE(s->Pen()->GetVisible());
  s->PrepareForGallery(true);
  EXPECT_EQ(s->Count(), 100);
  EXPECT_EQ(s->EditorFormName(), "TSurfaceSeriesEditor");
  EXPECT_EQ(w->EditorFormName(), "TWaterFallEditor");
  w->PrepareGallery3D(false);
  EXPECT_FALSE(Chart->GetView3D());

  // Written and read back.
  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Surfaces");
  auto* a = Create<TSurfaceSeries>(chart);
  a->SetName("Hill");
  chart->AddSeries(a);
  a->SetWireFrame(true);
  a->SetSmoothPalette(true);
  a->SetTransparency(30);
  a->SideLines()->Show();
  auto* b = Create<TWaterFallSeries>(chart);
  b->SetName("Falls");
  chart->AddSeries(b);
  b->WaterLines()->SetColor(clRed);
  TMemoryStream out;
  PlotStore::WritePlotStream(chart, out, true, true);
  TCustomChart* target = Create<TChart>(nullptr);
  out.SetPosition(0);
  PlotStore::ReadPlotStream(target, out, true, nullptr);
  ASSERT_EQ(target->SeriesCount(), 2);
  auto* ra = dynamic_cast<TSurfaceSeries*>(target->GetSeries(0));
  auto* rb = dynamic_cast<TWaterFallSeries*>(target->GetSeries(1));
  ASSERT_TRUE(ra && rb);
  EXPECT_TRUE(ra->GetWireFrame());
  EXPECT_TRUE(ra->GetSmoothPalette());
  EXPECT_EQ(ra->GetTransparency(), 30);
  EXPECT_TRUE(ra->SideLines()->GetVisible());
  EXPECT_FALSE(ra->GetWaterFall());
  EXPECT_TRUE(rb->GetWaterFall());
  EXPECT_EQ(rb->WaterLines()->GetColor(), clRed);
  target->Free();
  chart->Free();
}

// Pictures of one sample grid as a surface, a contour map and a colour grid,
// written for looking at by eye.
TEST(GridSeriesPictures, DISABLED_SavesSurfaceContourAndColourGrid) {
  PlotConst::Initialize();
  PlotProcs::SetDefaultPalette();
  const int32_t w = 480, h = 360;
  auto fill = [](TCustom3DGridSeries* S) {
    for (int z = 1; z <= 24; ++z)
      for (int x = 1; x <= 24; ++x)
        S->AddPointXYZ(x, std::sin(x / 4.0) * std::cos(z / 5.0) + 0.02 * x, z);
  };
  auto save = [&](TChart* Chart, const std::string& Name) {
    TBitmap bitmap(w, h);
    Chart->SetBounds(w, h);
    Chart->DrawTo(*bitmap.GetCanvas(), TRect(0, 0, w, h));
    ImageFiles::TRawImage raw;
    raw.Width = w;
    raw.Height = h;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        const TColor c = bitmap.GetPixelColor(x, y) & 0xFFFFFF;
        raw.Pixels.push_back(0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
      }
    ImageFiles::WriteFileBytes(Name, ImageFiles::WritePng(raw));
  };
  {
    auto* chart = Create<TChart>(nullptr);
    chart->View3DOptions()->SetOrthogonal(false);
    chart->View3DOptions()->SetElevation(330);
    chart->View3DOptions()->SetRotation(330);
    chart->View3DOptions()->SetPerspective(20);
    chart->SetChart3DPercent(60);
    auto* s = Create<TSurfaceSeries>(chart);
    chart->AddSeries(s);
    fill(s);
    s->SetUseColorRange(false);
    s->SetUsePalette(true);
    s->SetPaletteStyle(TPlotPaletteStyle::psRainbow);
    s->SideBrush()->SetStyle(bsSolid);
    s->SideBrush()->SetColor(0xA0A0A0);
    save(chart, "/tmp/grid_surface.png");
    chart->Free();
  }
  {
    auto* chart = Create<TChart>(nullptr);
    chart->SetView3D(false);
    auto* s = Create<TContourSeries>(chart);
    chart->AddSeries(s);
    fill(s);
    s->SetNumLevels(12);
    s->SetColorEachPoint(false);
    s->Smoothing()->SetActive(true);
    save(chart, "/tmp/grid_contour.png");
    chart->Free();
  }
  {
    auto* chart = Create<TChart>(nullptr);
    chart->SetView3D(false);
    auto* s = Create<TColorGridSeries>(chart);
    chart->AddSeries(s);
    fill(s);
    s->SetCenteredPoints(true);
    save(chart, "/tmp/grid_colorgrid.png");
    chart->Free();
  }
}

}  // namespace

}  // namespace PlotSurfaSurfaceTests
