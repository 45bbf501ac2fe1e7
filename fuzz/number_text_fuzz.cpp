// Reads the input as number text and uses it as a FormatFloat format: the first
// line is the format, the second the number formatted with it.
#include "fuzz/FuzzSupport.h"
#include "numerics/Supermath2d.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Text = FuzzSupport::Text(Data, Size);
  double Value = 0.0;
  if (!SysUtils::TryStrToFloat(Text, Value)) Value = 12345.678;
  arofdoubleM Values;
  Supermath2d::ParseDoubles(Text, 0, Values);
  const size_t Break = Text.find('\n');
  const std::string Format = Text.substr(0, Break);
  if (Break != std::string::npos) SysUtils::TryStrToFloat(Text.substr(Break + 1), Value);
  try {
    (void)SysUtils::FormatFloat(Format, Value);
  } catch (const Exception&) {
  }
  return 0;
}
