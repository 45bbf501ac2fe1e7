#include "controls/ControlTypes.h"

#include <cmath>
#include <limits>

namespace ControlTypes {

int32_t MulDiv(int32_t A, int32_t B, int32_t C) {
  if (C == 0) return -1;
  const int64_t num = int64_t(A) * int64_t(B);
  const int64_t den = C;
  const bool negative = (num < 0) != (den < 0);
  const int64_t n = num < 0 ? -num : num;
  const int64_t d = den < 0 ? -den : den;
  int64_t q = (n + d / 2) / d;
  if (negative) q = -q;
  if (q > std::numeric_limits<int32_t>::max() || q < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int32_t>(q);
}

int32_t RoundEven(double X) {
  if (std::isnan(X)) return 0;
  const double r = std::nearbyint(X);
  if (r >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

}  // namespace ControlTypes
