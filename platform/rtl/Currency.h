#pragma once
// The user's currency symbol, as number formats use it.
#include <string>

namespace SysUtils {
// The locale's currency text ("$", "€"); tests may replace it.
extern std::string CurrencyString;
}  // namespace SysUtils
