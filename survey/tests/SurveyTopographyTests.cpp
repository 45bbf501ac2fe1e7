#include <cmath>

#include "survey/tests/SurveyTestUtil.h"

namespace SurveyTopographyTests {

namespace {

const arofcomplexM Tent = {{0, 0}, {3, 4}, {6, 0}};

TEST(SurveyTopography, LevellingRotatesASlopeOntoTheLine) {
  arofcomplexM relief = {{0, 0}, {50, 5}, {100, 10}};
  double slope = 0, intercept = 0, xmin = 0;
  TSurvey::LevelTopography(relief, slope, intercept, xmin);
  EXPECT_NEAR(slope, 0.1, 1e-12);
  EXPECT_NEAR(intercept, 0, 1e-12);
  EXPECT_EQ(xmin, 0);
  for (const complexM& p : relief) EXPECT_NEAR(p.z, 0, 1e-9);
  EXPECT_NEAR(relief[2].x, std::hypot(100.0, 10.0), 1e-9);

  arofcomplexM point = {{5, 2}};
  TSurvey::LevelTopography(point, slope, intercept, xmin);
  EXPECT_EQ(point, (arofcomplexM{{5, 2}}));
  EXPECT_EQ(slope, 0);
}

TEST(SurveyTopography, SurfaceDistance) {
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance({{0, 5}, {100, 5}}, 70, 20), 50);
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance(Tent, 0, 6), 10);
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance(Tent, 1.5, 4.5), 5);
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance(Tent, -10, 0), 10);
  // Beyond the flat extension of 1000 m the position follows the end segment.
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance(Tent, 6, 2006), 2000);
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance(Tent, -1500, 0), 1500);
  EXPECT_DOUBLE_EQ(Survey::SurfaceDistance({}, 3, 1), 2);
}

TEST(SurveyTopography, ChainageToX) {
  const arofdoubleM x = Survey::ChainageToX(Tent, 0, 0, {5, 7.5, -5, 0, 10, 1010, 3000, -2500});
  const double expected[] = {3, 4.5, -5, 0, 6, 1006, 2996, -2500};
  ASSERT_EQ(x.size(), std::size(expected));
  for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], expected[i], 1e-9) << i;

  // A reference point between relief points, with its own chainage.
  const arofdoubleM y = Survey::ChainageToX(Tent, 1.5, 100, {100, 102.5, 97.5});
  EXPECT_NEAR(y[0], 1.5, 1e-12);
  EXPECT_NEAR(y[1], 3, 1e-12);
  EXPECT_NEAR(y[2], 0, 1e-12);
  EXPECT_EQ(y[2], 0.0);  // tiny results are stored as 0

  // A reference that cannot be placed on the relief leaves the positions as read.
  const arofdoubleM z = Survey::ChainageToX(Tent, std::nan(""), 0, {5, -5});
  EXPECT_EQ(z, (arofdoubleM{5, -5}));
}

}  // namespace

}  // namespace SurveyTopographyTests
