// Reads the input as the text a workbook's sheet converts to, and as a used
// range address.
#include "grid/GridWorkbook.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text(reinterpret_cast<const char*>(Data), Size);
  (void)GridWorkbook::ParseCsv(text);
  GridWorkbook::TRangeAddress range;
  (void)GridWorkbook::ParseRangeAddress(text, range);
  return 0;
}
