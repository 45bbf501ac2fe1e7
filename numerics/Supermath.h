// Number text for the program-setup dialog's number fields.
#pragma once

#include <cstdint>
#include <string>

namespace Supermath {

// As Supermath2d::StrToFloatChecked.
double StrToFloatChecked(const std::string& text, bool inclusive, double lower, double upper);
// As Supermath2d::FloatToStrDec, but every finite value (123456789 and whole numbers
// too) is written in fixed point; mode 1 treats 0 as a value below 1 with log10 = -1.
// NaN and infinities give "*". Sets text and returns it.
std::string FloatToStrDec(int32_t N, uint8_t mode, std::string& text, double x);
std::string FloatToStrDec(int32_t N, uint8_t mode, double x);

}  // namespace Supermath
