#pragma once
// Decimal digits of a double, shared by the number-text routines of SysUtils.

#include <string>

namespace SysUtils::Detail {

// value = ±0.D1D2D3… × 10^Exponent; Digits has no trailing zeros, empty for zero.
struct TDecimal {
  enum TSpecial { kNone, kNaN, kInf };
  TSpecial Special = kNone;
  bool Negative = false;
  std::string Digits;
  int Exponent = 0;
  bool IsZero() const { return Digits.empty(); }
};

TDecimal Decompose(double value);
void RoundToDigits(TDecimal& d, int count);  // significant digits, half away from zero
void RoundToDecimals(TDecimal& d, int decimals);
std::string IntegerDigits(const TDecimal& d);  // "" below 1
std::string FractionDigits(const TDecimal& d, int count);
std::string ExponentText(int exponent, bool alwaysSign, int minDigits);
std::string GroupThousands(const std::string& intDigits, char separator);
std::string SpecialText(const TDecimal& d);

}  // namespace SysUtils::Detail
