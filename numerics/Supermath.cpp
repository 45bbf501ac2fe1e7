#include "numerics/Supermath.h"

#include <cmath>

#include "numerics/Supermath2d.h"

namespace Supermath {

double StrToFloatChecked(const std::string& text, bool inclusive, double lower, double upper) {
  return Supermath2d::StrToFloatChecked(text, inclusive, lower, upper);
}

std::string FloatToStrDec(int32_t N, uint8_t mode, std::string& text, double x) {
  if (!std::isfinite(x)) {
    text.assign(1, '*');
    return text;
  }
  int32_t d = N;
  if (mode == 1) {
    const double lg = x == 0.0 ? -1.0 : std::log10(std::fabs(x));
    if (lg >= 0.0)
      d = N + 1;
    else
      d = N + static_cast<int32_t>(std::ceil(std::fabs(lg)));
  }
  text = Supermath2d::detail::FixedText(x, d);
  return text;
}

std::string FloatToStrDec(int32_t N, uint8_t mode, double x) {
  std::string text;
  return FloatToStrDec(N, mode, text, x);
}

}  // namespace Supermath
