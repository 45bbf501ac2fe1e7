#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/gdi/Pixels.h"

namespace PixelsTest {

namespace {

TEST(Pixels, RoundsHalvesToEvenAndClampsWhatNoIntegerHolds) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double Value;
    int32_t Expected;
  } Cases[] = {
      {0.0, 0},       {-0.0, 0},       {0.49, 0},     {0.5, 0},         {1.5, 2},          {2.5, 2},
      {-0.5, 0},      {-1.5, -2},      {-2.5, -2},    {2.51, 3},        {-2.51, -3},       {1e9, 1000000000},
      {1073741823.5, Pixels::Limit}, {1073741824.0, Pixels::Limit}, {1073741825.0, Pixels::Limit},
      {-1073741825.0, -Pixels::Limit}, {3e9, Pixels::Limit},  {-3e9, -Pixels::Limit},
      {1e300, Pixels::Limit},          {-1e300, -Pixels::Limit}, {inf, Pixels::Limit},  {-inf, -Pixels::Limit},
      {nan, 0},
  };
  for (const auto& c : Cases) EXPECT_EQ(Pixels::Round(c.Value), c.Expected) << c.Value;
  EXPECT_EQ(Pixels::Limit, 1 << 30);
  // The caller's fallback for a value that is not a number.
  EXPECT_EQ(Pixels::Round(nan, -7), -7);
  EXPECT_EQ(Pixels::Round(2.5, -7), 2);
}

}  // namespace

}  // namespace PixelsTest
