#pragma once
// The colour constants known by name ("clBlack" … "clNone"): the sixteen basic
// colours, the system colours and clNone, in the component library's order.

#include "platform/rtl/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace Graphics {
struct TColorName {
  const char* Name;
  TColor Value;
};
// The table in its order.
const std::vector<TColorName>& ColorNames();
// The colour of a constant name (case-insensitive); false when none has it.
bool IdentToColor(std::string_view Ident, TColor& Color);
// The name of a colour that is exactly one of the constants; false otherwise.
bool ColorToIdent(TColor Color, std::string& Ident);
}  // namespace Graphics
