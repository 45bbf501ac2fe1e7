// Reads the input as a point overlay file: a read curve has at least two
// finite points, and a refused file leaves the previous points alone.
#include <cmath>
#include <cstdlib>

#include "fuzz/FuzzSupport.h"
#include "survey/Overlays.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  arofcomplexM points = {{1.0, 2.0}};
  if (!Overlays::ReadPointOverlay(FuzzSupport::InputFile(Data, Size, ".dat"), points)) {
    if (points.size() != 1 || points[0].x != 1.0 || points[0].z != 2.0) std::abort();
    return 0;
  }
  if (points.size() < 2) std::abort();
  for (const complexM& p : points)
    if (!std::isfinite(p.x) || !std::isfinite(p.z)) std::abort();
  return 0;
}
