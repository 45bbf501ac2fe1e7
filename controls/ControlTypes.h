#pragma once
// Small enumerations shared by the window controls (bevels, borders, reading
// order) with the component library's stored ordinals; text alignment is the
// platform's TAlignment.

#include "platform/ui/StdCtrls.h"

#include <cstdint>

enum class TBorderStyle : uint8_t { bsNone, bsSingle };
enum class TBiDiMode : uint8_t { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

namespace ControlTypes {
// The platform's MulDiv: A * B / C rounded half away from zero, -1 when C is 0.
int32_t MulDiv(int32_t A, int32_t B, int32_t C);
// Round to nearest with halves to even (the component library's Round).
int32_t RoundEven(double X);
}  // namespace ControlTypes
