// The colour grid series: cell extents, the cells' pixels for regular and
// irregular grids, transparency, grid lines and frame, hit tests, pictures,
// gallery and registration.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotStore.h"
#include "platform/rtl/Classes.h"
#include "chart/extras/PlotSurfaGrid.h"
#include "chart/series/tests/SeriesChartFixture.h"

namespace PlotSurfaColorGridTests {

namespace {

constexpr TColor Red = 0x0000FF, Black = 0, White = 0xFFFFFF;

// Six clearly different colours, one per cell of a 3 x 2 grid.
constexpr TColor Colours[2][3] = {{0x2040C0, 0x30A050, 0xC08020}, {0x9020A0, 0x10C0C0, 0x606000}};

int Distance(TColor A, TColor B) {
  int d = 0;
  for (int k = 0; k < 3; ++k) d = std::max(d, std::abs(int((A >> (8 * k)) & 0xFF) - int((B >> (8 * k)) & 0xFF)));
  return d;
}

class ColorGridTest : public SeriesChartTest {
protected:
  // A 3 x 2 grid at X = X0 .. X0 + 2 and Z = 1, 2, each point its own colour.
  TColorGridSeries* Grid(double X0 = 1, bool Centred = false) {
    auto* s = Add<TColorGridSeries>();
    s->SetCenteredPoints(Centred);
    for (int z = 0; z < 2; ++z)
      for (int x = 0; x < 3; ++x) s->AddXYZ(X0 + x, 10 * z + x, 1 + z, {}, Colours[z][x]);
    return s;
  }
};

TEST_F(ColorGridTest, CellExtentsFollowCentringAndGridKind) {
  struct Case {
    bool Centred, Irregular;
    double MinX, MaxX, MinZ, MaxZ;
  };
  for (const Case& c : {Case{false, false, 1, 4, 1, 3}, Case{true, false, 0.5, 3.5, 0.5, 2.5},
                        Case{false, true, 1, 3, 1, 2}, Case{true, true, 0.5, 3.5, 0.5, 2.5}}) {
    TColorGridSeries* s = Grid(1, c.Centred);
    s->SetIrregularGrid(c.Irregular);
    EXPECT_EQ(s->SmallestX(), c.MinX);
    EXPECT_EQ(s->LargestX(), c.MaxX);
    EXPECT_EQ(s->SmallestZ(), c.MinZ);
    EXPECT_EQ(s->LargestZ(), c.MaxZ);
    // The vertical axis shows Z.
    EXPECT_EQ(s->SmallestY(), 1);
    EXPECT_EQ(s->LargestY(), 2);
    EXPECT_EQ(s->ValueListForAxis(Chart->LeftAxis()), s->ZValues());
  }
}

TEST_F(ColorGridTest, EachCellShowsItsPointsColour) {
  struct Case {
    const char* Name;
    double X0;
    bool Centred;
    double AxisMin, AxisMax;  // horizontal
    int FirstColumn;          // the first column that is in view
  };
  const Case cases[] = {
      {"lower corners", 1, false, 0, 5, 0},
      {"centred", 1, true, 0, 5, 0},
      {"negative positions", -2, false, -3, 2, 0},
      {"zoomed to the last two columns", 1, false, 2, 4, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Chart->FreeAllSeries();
    TColorGridSeries* s = Grid(c.X0, c.Centred);
    s->Pen()->SetVisible(false);
    Fix(c.AxisMin, c.AxisMax, 0, 4);
    Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
    Draw();
    const double d = c.Centred ? 0 : 0.5;
    for (int z = 0; z < 2; ++z)
      for (int x = c.FirstColumn; x < 3; ++x) {
        const TColor got = At(c.X0 + x + d, 1 + z + d);
        EXPECT_EQ(got, Colours[z][x]) << "cell " << x << "," << z;
      }
    // Outside the cells the background shows.
    EXPECT_EQ(At(c.X0 + 3 + d + 0.3, 1.5), White);
    EXPECT_EQ(At(c.X0 + 1.5, 3.2 + d), White);
  }
}

TEST_F(ColorGridTest, ASmoothedBitmapOfOneColourCoversTheSameCells) {
  TColorGridSeries* s = Grid();
  s->Pen()->SetVisible(false);
  for (int32_t i = 0; i < s->Count(); ++i) s->SetPointColor(i, Colours[0][1]);
  Fix(0, 5, 0, 4);
  Draw();
  // The resampling filter may round a few levels off; it never moves an edge.
  std::vector<TColor> plain;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) plain.push_back(Px(x, y));
  s->SetSmoothBitmap(true);
  Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
  Draw();
  int differ = 0;
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) differ += Distance(Px(x, y), plain[size_t(y) * W + x]) > 4;
  EXPECT_EQ(differ, 0);
}

TEST_F(ColorGridTest, TransparentCellsKeepGridLinesAndFrame) {
  TColorGridSeries* s = Grid();
  s->SetPointColor(4, clNone);  // the middle cell of the second row
  s->Pen()->SetColor(Black);
  s->Frame()->SetVisible(true);
  s->Frame()->SetColor(Red);
  Fix(0, 5, 0, 4);
  Draw();
  EXPECT_EQ(At(2.5, 2.5), White);
  EXPECT_EQ(At(1.5, 2.5), Colours[1][0]);
  EXPECT_TRUE(Near(2, 1.5, Black));  // the line between the first two columns
  EXPECT_TRUE(Near(2.5, 2, Black));  // the line between the rows
  EXPECT_TRUE(Near(4, 1.5, Red));    // the frame's right side
  EXPECT_TRUE(Near(2.5, 3, Red));    // and its top

  s->Brush()->SetStyle(bsClear);
  Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
  Draw();
  for (int z = 0; z < 2; ++z)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(At(1.3 + x, 1.3 + z), White);
  EXPECT_TRUE(Near(2, 1.5, Black));
  EXPECT_TRUE(Near(4, 1.5, Red));

  // Line steps below one draw a line after every row and column.
  s->SetXGridEvery(0);
  s->SetZGridEvery(-3);
  Draw();
  EXPECT_TRUE(Near(3, 1.5, Black));
}

TEST_F(ColorGridTest, AnObliqueViewDrawsTheCellsAsAPlane) {
  TColorGridSeries* s = Grid();
  s->SetPointColor(4, clNone);
  Chart->SetView3D(true);
  Chart->View3DOptions()->SetOrthogonal(false);
  Chart->View3DOptions()->SetRotation(345);
  Chart->View3DOptions()->SetElevation(345);
  Fix(0, 5, 0, 4);
  Draw();
  std::vector<int> seen(6);
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x)
      for (int k = 0; k < 6; ++k) seen[k] += Px(x, y) == Colours[k / 3][k % 3];
  for (int k = 0; k < 6; ++k)
    if (k == 4)
      EXPECT_EQ(seen[k], 0);  // its colour is none: the background shows
    else
      EXPECT_GT(seen[k], 100) << "cell " << k;
}

TEST_F(ColorGridTest, IrregularCellsNeedTheirNeighbours) {
  // X and Z at 0, 1 and 3; the point at (1, 0) is missing.
  auto* s = Add<TColorGridSeries>();
  s->SetIrregularGrid(true);
  s->Pen()->SetVisible(false);
  const double at[3] = {0, 1, 3};
  std::vector<std::vector<TColor>> colour(3, std::vector<TColor>(3));
  for (int x = 0; x < 3; ++x)
    for (int z = 0; z < 3; ++z) {
      colour[x][z] = 0x101010 * (x + 1) + 0x400000 * z + 0x20;
      if (x == 1 && z == 0) continue;
      s->AddXYZ(at[x], 1, at[z], {}, colour[x][z]);
    }
  Fix(-1, 4, -1, 4);
  Draw();
  EXPECT_EQ(At(0.5, 0.5), White);  // its right neighbour is missing
  EXPECT_EQ(At(2, 0.5), White);    // its first corner is missing
  EXPECT_EQ(At(0.5, 2), colour[0][1]);
  EXPECT_EQ(At(2, 2), colour[1][1]);
  EXPECT_EQ(At(3.5, 2), White);  // beyond the last column
}

TEST_F(ColorGridTest, PointAtPixelFindsTheCell) {
  TColorGridSeries* s = Grid(1, false);
  Fix(0, 5, 0, 4);
  Draw();
  for (int z = 0; z < 2; ++z)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s->PointAtPixel(XPix(1.5 + x), YPix(1.5 + z)), 3 * z + x);
  EXPECT_EQ(s->PointAtPixel(XPix(0.5), YPix(1.5)), -1);
  EXPECT_EQ(s->PointAtPixel(XPix(4.5), YPix(1.5)), -1);
  EXPECT_EQ(s->PointAtPixel(XPix(1.5), YPix(3.5)), -1);

  // Irregular, stored column by column: nothing beyond the last row or column.
  Chart->FreeAllSeries();
  auto* g = Add<TColorGridSeries>();
  g->SetIrregularGrid(true);
  for (double x : {0.0, 1.0, 3.0})
    for (double z : {0.0, 2.0}) g->AddXYZ(x, 1, z, {}, Red);
  Fix(-1, 4, -1, 4);
  Draw();
  struct Case {
    double X, Z;
    int32_t Index;
  };
  for (const Case& c : {Case{0.5, 1, 0}, Case{2, 1, 2}, Case{3.5, 1, -1}, Case{0.5, 3, -1}, Case{-0.5, 1, -1}})
    EXPECT_EQ(g->PointAtPixel(XPix(c.X), YPix(c.Z)), c.Index) << c.X << "," << c.Z;
}

TEST_F(ColorGridTest, LoadFromGraphicGivesOneCentredPointPerPixel) {
  TBitmap picture(2, 2);
  picture.SetPixelFormat(pf24bit);
  const TColor pixels[2][2] = {{0x0000FF, 0x00FF00}, {0xFF0000, 0x808080}};  // [row][column]
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 2; ++c) {
      uint8_t* p = picture.ScanLine(r) + 3 * c;
      p[0] = (pixels[r][c] >> 16) & 0xFF, p[1] = (pixels[r][c] >> 8) & 0xFF, p[2] = pixels[r][c] & 0xFF;
    }
  TColorGridSeries* s = Add<TColorGridSeries>();
  s->ComponentState.Include(TComponentStateItem::csDesigning);  // no generated values either
  s->LoadFromGraphic(picture);
  ASSERT_EQ(s->Count(), 4);
  EXPECT_TRUE(s->GetCenteredPoints());
  EXPECT_EQ(s->GetNumXValues(), 2);
  EXPECT_EQ(s->GetNumZValues(), 2);
  for (int32_t i = 0; i < 4; ++i) {
    const int c = i / 2, r = i % 2;  // columns outer
    EXPECT_EQ(s->XValues()->GetValue(i), c + 1);
    EXPECT_EQ(s->GetZValue(i), r + 1);
    EXPECT_EQ(s->YValues()->GetValue(i), pixels[r][c]);
    EXPECT_EQ(s->ValueColor(i), pixels[r][c]);
  }
  Fix(0, 3, 0, 3);
  Draw();
  EXPECT_EQ(At(1, 1), pixels[0][0]);
  EXPECT_EQ(At(2, 2), pixels[1][1]);
}

TEST_F(ColorGridTest, GalleryAndRegistration) {
  TColorGridSeries* s = Add<TColorGridSeries>();
  std::vector<std::string> names;
  s->ListGalleryVariants([&](const std::string& N) { names.push_back(N); });
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[2], "No Grid");
  s->ApplyGalleryVariant(s, 2);
  EXPECT_FALSE(s->Pen()->GetVisible());
  s->PrepareForGallery(true);
  EXPECT_TRUE(s->SampleMode);
  EXPECT_EQ(s->Count(), 32);
  EXPECT_EQ(s->GetNumXValues(), 8);
  s->PrepareGallery3D(false);
  EXPECT_FALSE(Chart->GetView3D());
  EXPECT_EQ(s->EditorFormName(), "TColorGridEditor");

  PlotSurfa::Initialization();
  PlotSurfa::Initialization();
  auto count = [] {
    int found = 0;
    for (int32_t i = 0; i < Chart::SeriesTypes().Count(); ++i) {
      TPlotSeriesType* t = Chart::SeriesTypes().TypeAt(i);
      if (t->SeriesClassRef != TColorGridSeries::StaticClass()) continue;
      ++found;
      EXPECT_EQ(t->Description(), "Color Grid");
      EXPECT_EQ(*t->PageName, "3D");
      EXPECT_EQ(t->SampleSeriesCount, 1);
    }
    return found;
  };
  EXPECT_EQ(count(), 1);
  PlotSurfa::Finalization();
  EXPECT_EQ(count(), 0);
}

}  // namespace

namespace {

TEST(ColorGridChartFile, PointsAndSettingsSurviveWritingAndReading) {
  PlotConst::Initialize();
  auto* chart = Create<TChart>(nullptr);
  chart->SetName("Grids");
  auto* s = Create<TColorGridSeries>(chart);
  s->SetName("Cells");
  chart->AddSeries(s);
  for (int z = 1; z <= 3; ++z)
    for (int x = 1; x <= 4; ++x) s->AddXYZ(x, x * z, z, {}, clDefault);
  s->ManualData = true;
  s->SetCenteredPoints(true);
  s->SetXGridEvery(2);
  s->Frame()->SetVisible(true);
  s->PrepareDraw();  // the grid size found: 4 x 3
  ASSERT_EQ(s->GetNumXValues(), 4);
  for (bool asText : {false, true}) {
    TMemoryStream out;
    PlotStore::WritePlotStream(chart, out, true, asText);
    TCustomChart* target = Create<TChart>(nullptr);
    out.SetPosition(0);
    PlotStore::ReadPlotStream(target, out, true, nullptr);
    ASSERT_EQ(target->SeriesCount(), 1);
    auto* t = dynamic_cast<TColorGridSeries*>(target->GetSeries(0));
    ASSERT_TRUE(t) << asText;
    // Reading the grid size keeps the points read with it.
    ASSERT_EQ(t->Count(), 12) << asText;
    for (int32_t i = 0; i < 12; ++i) {
      EXPECT_EQ(t->GetYValue(i), s->GetYValue(i));
      EXPECT_EQ(t->GetZValue(i), s->GetZValue(i));
    }
    EXPECT_EQ(t->GetNumXValues(), 4);
    EXPECT_EQ(t->GetNumZValues(), 3);
    EXPECT_TRUE(t->GetCenteredPoints());
    EXPECT_EQ(t->GetXGridEvery(), 2);
    EXPECT_TRUE(t->Frame()->GetVisible());
    target->Free();
  }
  chart->Free();
}

}  // namespace

}  // namespace PlotSurfaColorGridTests
