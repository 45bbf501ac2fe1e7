#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "views/ContourLevels.h"

namespace test_contour_levels {

namespace {

using namespace ContourLevels;

const std::string Fixtures = KV_TEST_FIXTURES;

TSectionContours WithLimits(double lo, double hi, int32_t n, bool logScale) {
  TSectionContours s;
  s.LevelMin = lo;
  s.LevelMax = hi;
  s.LevNum = n;
  s.LogScale = logScale;
  return s;
}

TColor Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

TEST(ContourLevelsEven, LevelsAreRoundedToShortValues) {
  const struct {
    double lo, hi;
    int32_t n;
    bool logScale;
    arofdoubleM expected;
  } cases[] = {
      {10, 1000, 3, true, {30, 100, 300}},
      {0, 1, 4, false, {0.2, 0.4, 0.6, 0.8}},
      {-1, 1, 3, false, {-0.5, 0, 0.5}},
      {-1, 1, 4, false, {-0.6, 0, 0.2, 0.6}},  // the level below the change of sign becomes 0
      {0.05, 500, 1, true, {5}},                 // one level: no neighbour to read
      {0, 0, 4, false, {0.2, 0.4, 0.6, 0.8}},    // data all 0: the range [0, 1]
  };
  for (const auto& c : cases) {
    TSectionContours s = WithLimits(c.lo, c.hi, c.n, c.logScale);
    BuildEvenLevels(s);
    ASSERT_EQ(s.Levels.size(), c.expected.size()) << c.lo << ".." << c.hi;
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_DOUBLE_EQ(s.Levels[i], c.expected[i]) << c.lo << ".." << c.hi << " #" << i;
  }
}

TEST(ContourLevelsLimits, UserAndDataLimitsAndEqualLimits) {
  TSectionContours s;
  s.DataMin = 5;
  s.DataMax = 5;
  ComputeLevelLimits(s);
  EXPECT_DOUBLE_EQ(s.LevelMin, 0.05);
  EXPECT_DOUBLE_EQ(s.LevelMax, 500);
  EXPECT_EQ(s.ExtMin, 5);  // the dialog shows the data range

  // All data -5: widened around the value, levels ascending.
  s = TSectionContours{};
  s.DataMin = s.DataMax = -5;
  ComputeLevelLimits(s);
  EXPECT_DOUBLE_EQ(s.LevelMin, -500);
  EXPECT_DOUBLE_EQ(s.LevelMax, -0.05);
  s.LevNum = 5;
  BuildEvenLevels(s);
  for (size_t i = 0; i + 1 < s.Levels.size(); ++i) EXPECT_LT(s.Levels[i], s.Levels[i + 1]);
  for (double v : s.Levels) EXPECT_TRUE(std::isfinite(v));

  s = TSectionContours{};
  s.DataMin = 1;
  s.DataMax = 100;
  s.UseExternal = true;
  s.ExtMin = 10;
  s.ExtMax = 50;
  ComputeLevelLimits(s);
  EXPECT_EQ(std::make_pair(s.LevelMin, s.LevelMax), std::make_pair(10.0, 50.0));
  // A lower limit of 0 cannot serve a logarithmic scale: the data limits take over.
  s.ExtMin = 0;
  s.LogScale = true;
  ComputeLevelLimits(s);
  EXPECT_EQ(std::make_pair(s.LevelMin, s.LevelMax), std::make_pair(1.0, 100.0));
  EXPECT_EQ(std::make_pair(s.ExtMin, s.ExtMax), std::make_pair(1.0, 100.0));
}

TEST(ContourLevelsEven, ColoursComeFromTheRampsAndEveryIsolineIsOn) {
  TSectionContours s = WithLimits(0, 1, 4, false);
  s.LevelLineFlags = {0};  // left over from a level file
  BuildEvenLevels(s);
  ASSERT_EQ(s.FillColors.size(), 5u);
  ASSERT_EQ(s.IsolineColors.size(), 4u);
  EXPECT_EQ(s.LevelLineFlags, arofboolM(4, 1));
  EXPECT_EQ(s.FillColors[0], s.MinContour);
  EXPECT_EQ(s.FillColors[4], s.MaxContour);
  // Band 2 sits at ramp entry 100, between the stops 1/3 (yellow, at 66) and 2/3
  // (dark green, at 133): 34 of 67 steps along.
  const auto mix = [](int a, int b) { return static_cast<int>(std::nearbyint(a + 34.0 * (b - a) / 67.0)); };
  EXPECT_EQ(s.FillColors[2], Rgb(mix(255, 0), mix(255, 128), 0));
  EXPECT_EQ(s.IsolineColors[0], s.MinIsoline);
  // Isoline 3 sits at entry 120 of the blue-to-red ramp.
  EXPECT_EQ(s.IsolineColors[3], Rgb(static_cast<int>(std::nearbyint(255 * 0.6)), 0,
                                     static_cast<int>(std::nearbyint(255 * 0.4))));
}

TEST(ContourLevelsNames, ColourTokensByNameOrComponents) {
  const std::vector<cref> names = {{}, {"Dark red", Rgb(139, 0, 0)}};
  const struct {
    const char* token;
    bool ok;
    TColor color;
  } cases[] = {
      {"R255G128B0", true, Rgb(255, 128, 0)}, {"Dark_red", true, Rgb(139, 0, 0)},
      {"10 20 30", true, Rgb(10, 20, 30)},     {"dark_red", false, 0},
      {"R300G0B0", false, 0},                  {"R1G2", false, 0},
  };
  for (const auto& c : cases) {
    TColor color = -1;
    EXPECT_EQ(ColorByName(names, c.token, color), c.ok) << c.token;
    if (c.ok) {
      EXPECT_EQ(color, c.color) << c.token;
    }
  }
}

TEST(ContourLevelsNames, AttribIniSkipsMalformedLines) {
  std::vector<cref> names(1);
  ASSERT_TRUE(ReadColorNames(Fixtures + "/attrib.ini", names));
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[1].name, "Dark red");
  EXPECT_EQ(names[1].color, Rgb(139, 0, 0));
  EXPECT_EQ(names[2].name, "Sea green");
  EXPECT_EQ(names[2].color, Rgb(46, 139, 87));
  EXPECT_EQ(names[3].name, "Navy");
  EXPECT_FALSE(ReadColorNames(Fixtures + "/no_such.ini", names));
}

TEST(ContourLevelsFile, GoodLinesAreTakenBadLinesNamedOnce) {
  TSectionContours s;
  ASSERT_TRUE(ReadColorNames(Fixtures + "/attrib.ini", s.ColorNames));
  s.ColorNamesFound = true;
  s.LevelFile = Fixtures + "/levels.lvl";
  std::string warning;
  BuildLevels(s, warning);
  EXPECT_EQ(s.LevNum, 3);
  EXPECT_EQ(s.Levels, (arofdoubleM{10, 20, 30}));
  EXPECT_EQ(s.IsolineColors, (std::vector<TColor>{Rgb(139, 0, 0), Rgb(255, 128, 0), Rgb(139, 0, 0)}));
  EXPECT_EQ(s.FillColors, (std::vector<TColor>{Rgb(0, 0, 255), 0, Rgb(46, 139, 87), Rgb(46, 139, 87)}));
  EXPECT_EQ(s.LevelLineFlags, (arofboolM{1, 0, 0}));
  EXPECT_NE(warning.find("lines 6, 7, 8, 9 were skipped"), std::string::npos) << warning;
}

TEST(ContourLevelsFile, FileWithoutUsableLineFallsBackToEvenLevels) {
  TSectionContours s;
  s.ColorNamesFound = true;
  s.LevelFile = Fixtures + "/attrib.ini";  // no line is a level line
  s.LevelMin = 0;
  s.LevelMax = 1;
  s.LevNum = 4;
  std::string warning;
  BuildLevels(s, warning);
  EXPECT_EQ(s.Levels.size(), 4u);
  EXPECT_DOUBLE_EQ(s.Levels[0], 0.2);
  EXPECT_EQ(s.FillColors.size(), 5u);
  EXPECT_NE(warning.find("evenly spaced levels are used"), std::string::npos) << warning;

  // Without "attrib.ini" at start-up the level file is not used.
  s.ColorNamesFound = false;
  s.LevelFile = Fixtures + "/levels.lvl";
  BuildLevels(s, warning);
  EXPECT_EQ(s.LevNum, 4);
  EXPECT_TRUE(warning.empty());
}

TEST(ContourLevelsNudge, ValuesOnALevelMoveOffIt) {
  EXPECT_EQ(NudgedValues({0.0, 5.0, 7.0}, {0.0, 5.0}),
            (arofdoubleM{1e-20, 5.0 + 5.0 / 100000 + 1e-20, 7.0}));
}

TEST(ContourLevelsBar, LayoutOfBandsTicksAndLabels) {
  TSectionContours s = WithLimits(0, 16, 15, false);
  BuildEvenLevels(s);
  ASSERT_EQ(s.FillColors.size(), 16u);
  const TColorBarLayout bar = ColorBarLayout(s, 500, 20, 160.0, 15, 12, 14);
  ASSERT_EQ(bar.Bands.size(), 16u);
  EXPECT_EQ(bar.Bands[0].Color, s.FillColors[15]);  // highest band on top
  EXPECT_EQ(bar.Bands[0].Top, 20);
  EXPECT_EQ(bar.Bands[15].Bottom, 180);
  EXPECT_EQ(bar.Bands[3].Left, 500);
  EXPECT_EQ(bar.Bands[3].Right, 515);
  ASSERT_EQ(bar.Ticks.size(), 15u);
  // Boundaries 10 pixels apart with a 12-pixel font: every second label is drawn.
  for (size_t i = 0; i < bar.Ticks.size(); ++i) EXPECT_EQ(bar.Ticks[i].LabelVisible, i % 2 == 0) << i;
  EXPECT_EQ(bar.Ticks[0].Level, 14);
  EXPECT_EQ(bar.Ticks[0].Y, 30);
  EXPECT_EQ(bar.Ticks[0].Label, "15");
  EXPECT_EQ(bar.Ticks[0].LabelX, 521);
  EXPECT_EQ(bar.CaptionY, 20 - 14 - 3);
  // Without room above the bar the caption is kept inside the drawing.
  EXPECT_EQ(ColorBarLayout(s, 500, 20, 160.0, 15, 12, 14, 0).CaptionY, 3);
  EXPECT_EQ(ColorBarLayout(s, 500, 2, 160.0, 15, 12, 14, 0).CaptionY, 0);
  EXPECT_EQ(bar.FrameBottom, 180);
  EXPECT_EQ(LabelDecimals({0.2, 0.4, 0.6}, 1), 1);
  EXPECT_EQ(LabelDecimals({0.01, 0.015}, 0), 3);
  EXPECT_EQ(LabelDecimals({0.0, 100.0}, 0), 0);
  EXPECT_TRUE(ColorBarLayout(TSectionContours{}, 0, 0, 100, 15, 12, 14).Bands.empty());
}

}  // namespace

}  // namespace test_contour_levels
