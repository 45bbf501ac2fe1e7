#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"
#include "views/Contouring.h"

namespace ContourPictureTests {

namespace {

using Supermath2d::NoValue;

// Nodes on a regular grid over [0, width] x [0, depth] with the value of f.
template <class F>
TContourMesh GridMesh(int nx, int ny, double width, double depth, int32_t pw, int32_t ph, F f) {
  TContourMesh mesh;
  mesh.PictureWidth = pw;
  mesh.PictureHeight = ph;
  for (int j = 0; j < ny; ++j)
    for (int i = 0; i < nx; ++i) {
      const double x = width * i / (nx - 1), y = depth * j / (ny - 1);
      Contouring::AddNode(mesh, x, y, f(x, y), false);
    }
  return mesh;
}

TSectionContours EvenLevels(TContourMesh& mesh, int32_t n, bool logScale) {
  TSectionContours levels;
  levels.LevNum = n;
  levels.LogScale = logScale;
  Contouring::Triangulate(mesh, levels, true);
  std::string warning;
  Contouring::BuildLevels(mesh, levels, warning);
  EXPECT_TRUE(warning.empty());
  Contouring::SetPlotCoordinates(mesh, {}, {});
  Contouring::SetPictureScale(mesh);
  return levels;
}

// The picture replayed into a bitmap of its own size.
std::unique_ptr<TBitmap> Replay(const TMetafile& picture) {
  auto bitmap = std::make_unique<TBitmap>(picture.GetWidth(), picture.GetHeight());
  picture.Draw(*bitmap->GetCanvas(), TRect(0, 0, picture.GetWidth(), picture.GetHeight()));
  return bitmap;
}

int32_t BandOf(const TSectionContours& levels, double v) {
  int32_t k = 0;
  while (k < static_cast<int32_t>(levels.Levels.size()) && levels.Levels[static_cast<size_t>(k)] < v) ++k;
  return k;
}

TEST(ContourPicture, BandsMatchTheLevelOfTheDataUnderEachPixel) {
  // Values growing along x: every level's curve is the straight line x = level, so the
  // band of any pixel is known exactly.
  TContourMesh mesh = GridMesh(11, 6, 100.0, 50.0, 400, 200, [](double x, double) { return x; });
  const TSectionContours levels = EvenLevels(mesh, 9, false);
  ASSERT_EQ(levels.Levels, (arofdoubleM{10, 20, 30, 40, 50, 60, 70, 80, 90}));
  TMetafile picture;
  ASSERT_TRUE(Contouring::RenderPicture(mesh, levels, true, picture));
  EXPECT_EQ(picture.GetWidth(), 400);
  const auto bitmap = Replay(picture);
  for (double x = 2.5; x < 100.0; x += 5.0)
    for (int row : {3, 60, 101, 196}) {
      const int px = static_cast<int>(x * 4.0);
      EXPECT_EQ(bitmap->GetPixelColor(px, row), levels.FillColors[static_cast<size_t>(BandOf(levels, x))])
          << "x " << x << " row " << row;
    }
  // The isolines run on the level lines in their own colours.
  for (size_t k = 0; k < levels.Levels.size(); ++k)
    EXPECT_EQ(bitmap->GetPixelColor(static_cast<int>(levels.Levels[k] * 4.0), 100), levels.IsolineColors[k]) << k;
}

TEST(ContourPicture, WithoutIsolinesOnlyBandsAreDrawn) {
  TContourMesh mesh = GridMesh(11, 6, 100.0, 50.0, 400, 200, [](double x, double) { return x; });
  const TSectionContours levels = EvenLevels(mesh, 9, false);
  TMetafile picture;
  ASSERT_TRUE(Contouring::RenderPicture(mesh, levels, false, picture));
  const auto bitmap = Replay(picture);
  for (int px = 0; px < 400; ++px) {
    const TColor c = bitmap->GetPixelColor(px, 100);
    EXPECT_NE(std::find(levels.FillColors.begin(), levels.FillColors.end(), c), levels.FillColors.end()) << px;
  }
}

TEST(ContourPicture, TrianglesWithinOneBandAreOnePolygonOfThatBand) {
  const struct {
    double a, b, c;
    size_t band;
  } cases[] = {{1, 2, 3, 0}, {95, 97, 99, 3}, {55, 55, 55, 2}, {42, 48, 44, 1}};
  for (const auto& c : cases) {
    TContourMesh mesh;
    mesh.PictureWidth = 100;
    mesh.PictureHeight = 100;
    Contouring::AddNode(mesh, 0, 0, c.a, false);
    Contouring::AddNode(mesh, 10, 0, c.b, false);
    Contouring::AddNode(mesh, 5, 10, c.c, false);
    TSectionContours levels;
    levels.LevNum = 3;
    Contouring::Triangulate(mesh, levels, true);
    ASSERT_EQ(mesh.TriangleCount, 1);
    levels.Levels = {25, 50, 75};
    levels.FillColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};
    Contouring::SetPictureScale(mesh);
    TBitmap bitmap(100, 100);
    TCanvas& canvas = *bitmap.GetCanvas();
    canvas.Pen->SetStyle(psClear);
    Contouring::FillTriangle(mesh, levels, canvas, 1);
    EXPECT_EQ(bitmap.GetPixelColor(50, 30), levels.FillColors[c.band]) << c.a;
  }
}

TEST(ContourPicture, LineThroughOneTriangleIsStraightBetweenItsCrossings) {
  TContourMesh mesh;
  mesh.PictureWidth = 201;
  mesh.PictureHeight = 201;
  Contouring::AddNode(mesh, 0, 0, 0, false);
  Contouring::AddNode(mesh, 100, 0, 10, false);
  Contouring::AddNode(mesh, 0, 100, 10, false);
  TSectionContours levels;
  levels.LevNum = 1;
  Contouring::Triangulate(mesh, levels, true);
  levels.Levels = {5};
  levels.IsolineColors = {clRed};
  Contouring::SetPictureScale(mesh);
  TBitmap bitmap(201, 201);
  Contouring::DrawIsolines(mesh, levels, *bitmap.GetCanvas());
  // The level 5 runs from (50, 0) to (0, 50): the diagonal x + y = 50 in picture pixels
  // of 2 per unit, i.e. x + y = 100.
  int onLine = 0, offLine = 0;
  for (int y = 0; y < 201; ++y)
    for (int x = 0; x < 201; ++x)
      if (bitmap.GetPixelColor(x, y) == clRed) (std::abs(x + y - 100) <= 1 ? onLine : offLine)++;
  EXPECT_GE(onLine, 95);
  EXPECT_EQ(offLine, 0);
}

TEST(ContourPicture, IsolineAroundAnInnerMaximumIsClosed) {
  TContourMesh mesh = GridMesh(21, 21, 100.0, 100.0, 300, 300, [](double x, double y) {
    return 100.0 - std::hypot(x - 50.0, y - 50.0);
  });
  TSectionContours levels = EvenLevels(mesh, 1, false);
  levels.Levels = {79.5};  // about a circle of radius 20.5 round the centre
  levels.IsolineColors = {clBlack};
  TBitmap bitmap(300, 300);
  TCanvas& canvas = *bitmap.GetCanvas();
  Contouring::DrawIsolines(mesh, levels, canvas);
  // A closed line keeps a flood fill from the centre inside it.
  canvas.Brush->SetColor(clRed);
  canvas.Brush->SetStyle(bsSolid);
  canvas.FloodFill(150, 150, clBlack, fsBorder);
  EXPECT_EQ(bitmap.GetPixelColor(150, 150), clRed);
  for (TPoint p : {TPoint(5, 5), TPoint(295, 5), TPoint(150, 80), TPoint(150, 220), TPoint(80, 150)})
    EXPECT_EQ(bitmap.GetPixelColor(p.X, p.Y), clWhite) << p.X << "," << p.Y;
}

TEST(ContourPicture, NoLevelsOrTooFewTrianglesLeaveThePictureAlone) {
  TContourMesh mesh = GridMesh(3, 3, 10.0, 10.0, 50, 50, [](double x, double) { return x; });
  TSectionContours levels;
  Contouring::Triangulate(mesh, levels, true);
  TMetafile picture(50, 50);
  EXPECT_FALSE(Contouring::RenderPicture(mesh, levels, true, picture));  // no levels yet
  EXPECT_TRUE(picture.GetEmpty());
}

TEST(ContourPicture, LogarithmicAxesTransformTheNodeCoordinates) {
  TContourMesh mesh;
  Contouring::AddNode(mesh, 10, 100, 1, false);
  Contouring::AddNode(mesh, -10, 0.5, 1, false);
  Contouring::TAxisMapping log{Contouring::TAxisTransform::Log, 1.0};
  Contouring::TAxisMapping linLog{Contouring::TAxisTransform::LinLog, 10.0};
  Contouring::SetPlotCoordinates(mesh, linLog, log);
  EXPECT_DOUBLE_EQ(mesh.Nodes[1].y, 2.0);
  EXPECT_DOUBLE_EQ(mesh.Nodes[1].x, std::log10(2.0));
  EXPECT_DOUBLE_EQ(mesh.Nodes[2].x, -std::log10(2.0));
  Contouring::SetPlotCoordinates(mesh, {}, {});
  EXPECT_DOUBLE_EQ(mesh.Nodes[1].y, 100.0);
}

TEST(ContourNodeTable, NumbersAndLinesHaveTheFixedForm) {
  const struct {
    double v;
    const char* text;
  } cases[] = {{1.5, "  1.50000000000000E+0000"}, {10, "  1.00000000000000E+0001"},
               {-2.5, " -2.50000000000000E+0000"}, {0.0, "  0.00000000000000E+0000"},
               {-0.0, "  0.00000000000000E+0000"}, {1.0 / 3.0, "  3.33333333333333E-0001"},
               {1e-300, "  1.00000000000000E-0300"}};
  for (const auto& c : cases) {
    EXPECT_EQ(Contouring::XyzNumber(c.v).size(), 23u);
    EXPECT_EQ(" " + Contouring::XyzNumber(c.v), c.text) << c.v;
  }
  TContourMesh mesh;
  Contouring::AddNode(mesh, 10, 2.5, 100, false);
  Contouring::AddNode(mesh, 12, 5, 20, false);
  mesh.ContourValues = {0, 100.001, 20};  // the nudged copy is not exported
  EXPECT_EQ(Contouring::XyzText(mesh),
            "X -Y  Z\r\n"
            " 1.00000000000000E+0001 -2.50000000000000E+0000  1.00000000000000E+0002\r\n"
            " 1.20000000000000E+0001 -5.00000000000000E+0000  2.00000000000000E+0001\r\n");
}

TEST(ContourSettingsLine, DefaultsRoundTripAndEachLimitStandsAlone) {
  TPseudoSectionSettings s;
  EXPECT_EQ(ContourLevels::SettingsToStr(s), " 255 16711680 16711680 255 65535 32768 15 25 70 1 20 0 1 0 1 1 * *");
  s.MinContour = -16777201;  // a system colour
  s.LevNum = 7;
  s.LogScale = true;
  s.ExtMax = 500;
  s.ExtMin = 0.0125;
  TPseudoSectionSettings back;
  std::string message;
  ASSERT_TRUE(ContourLevels::SettingsFromStr(ContourLevels::SettingsToStr(s), back, message)) << message;
  EXPECT_EQ(ContourLevels::SettingsToStr(back), ContourLevels::SettingsToStr(s));
  EXPECT_EQ(back.ExtMin, 0.0125);

  back.ExtMin = 10;
  ASSERT_TRUE(ContourLevels::SettingsFromStr(" 255 1 2 3 4 5 15 25 70 1 20 1 1 0 1 0 500 *", back, message));
  EXPECT_EQ(back.ExtMax, 500);
  EXPECT_EQ(back.ExtMin, NoValue);
  EXPECT_TRUE(back.UseExternal);
  EXPECT_FALSE(back.GridVisible);
  // Flags take the lowest byte; a decimal comma and halves round to even.
  ASSERT_TRUE(ContourLevels::SettingsFromStr("1 2 3 4 5 6 2,5 1 1 1 1 256 257 1 1 1 * 4", back, message));
  EXPECT_EQ(back.LevNum, 2);
  EXPECT_FALSE(back.UseExternal);
  EXPECT_TRUE(back.LinesVisible);
  EXPECT_EQ(back.ExtMin, 4);
}

TEST(ContourSettingsLine, MalformedLinesChangeNothing) {
  const char* const lines[] = {
      "",
      " 255 16711680 16711680 255 65535 32768 15 25 70 1 20 0 1 0 1 1 *",   // 17 fields
      " 255 16711680 red 255 65535 32768 15 25 70 1 20 0 1 0 1 1 * *",      // a field no number
      " 255 16711680 16711680 255 65535 32768 0 25 70 1 20 0 1 0 1 1 * *",  // no levels
      " 255 16711680 16711680 255 65535 32768 15 25 70 1 99999999999 0 1 0 1 1 * *",
      " 255 16711680 16711680 255 65535 32768 15 25 70 1 20 0 1 0 1 1 * x",
  };
  for (const char* line : lines) {
    TPseudoSectionSettings s;
    s.LevNum = 9;
    std::string message;
    EXPECT_FALSE(ContourLevels::SettingsFromStr(line, s, message)) << line;
    EXPECT_EQ(s.LevNum, 9) << line;
    EXPECT_EQ(message.empty(), std::string(line).empty()) << line;
  }
}

TEST(ContourLevelLimits, LimitsTypedWhileSwitchedOffAreKept) {
  TSectionContours s;
  s.DataMin = 3;
  s.DataMax = 300;
  ContourLevels::ComputeLevelLimits(s);
  EXPECT_EQ(s.ExtMin, 3);  // shown in the setup dialog
  s.DataMin = 5;           // new data: the shown range follows it
  ContourLevels::ComputeLevelLimits(s);
  EXPECT_EQ(s.ExtMin, 5);
  s.ExtMin = 10;  // typed while the user limits are off
  s.ExtMax = 100;
  ContourLevels::ComputeLevelLimits(s);
  EXPECT_EQ(s.ExtMin, 10);
  EXPECT_EQ(s.ExtMax, 100);
  EXPECT_EQ(s.LevelMin, 5);
  s.UseExternal = true;
  ContourLevels::ComputeLevelLimits(s);
  EXPECT_EQ(s.LevelMin, 10);
  EXPECT_EQ(s.LevelMax, 100);
}

}  // namespace

}  // namespace ContourPictureTests
