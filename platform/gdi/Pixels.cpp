#include "platform/gdi/Pixels.h"

#include <algorithm>
#include <cmath>

namespace Pixels {

int32_t Round(double Value, int32_t Fallback) {
  if (std::isnan(Value)) return Fallback;
  // Clamped before the cast: a cast of an out-of-range real is undefined.
  return static_cast<int32_t>(std::nearbyint(std::clamp(Value, -double(Limit), double(Limit))));
}

}  // namespace Pixels
