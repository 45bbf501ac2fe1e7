#pragma once
// The DOS (OEM) code page 437 and Unicode.

#include <cstdint>
#include <string>
#include <string_view>

namespace CodePage437 {
// The Unicode code point of an OEM byte (bytes below 0x80 are ASCII).
char32_t ToUnicode(uint8_t Byte);
// OEM text as UTF-8.
std::string ToUtf8(std::string_view Oem);
}  // namespace CodePage437
