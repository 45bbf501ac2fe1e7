#pragma once
// A real coordinate as a device pixel: the one checked rounding every drawing
// routine uses before a real becomes an integer coordinate.
#include <cstdint>

namespace Pixels {

// Pixel coordinates stay within +-Limit, so that a difference or a sum of two
// of them still fits an int32_t's range closely enough for the drawing code.
inline constexpr int32_t Limit = 1 << 30;

// Value rounded to the nearest pixel, halves to even (std::nearbyint under the
// default rounding mode), clamped to +-Limit; NaN gives Fallback.
int32_t Round(double Value, int32_t Fallback = 0);

}  // namespace Pixels
