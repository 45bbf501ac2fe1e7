#pragma once
// Character-set identifiers of fonts with their names ("RUSSIAN_CHARSET" = 204).
// Texts here are UTF-8 whatever the charset; the charset is kept on fonts
// for the code that records and restores it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Charsets {

struct TCharsetName {
  uint8_t Value;
  const char* Name;
};

// Every charset the platform names, in ascending value.
const std::vector<TCharsetName>& CharsetNames();
// The name of Value; false when the table has none.
bool CharsetToIdent(uint8_t Value, std::string& Name);
// The value of Name, compared exactly; false when the table has none.
bool IdentToCharset(std::string_view Name, uint8_t& Value);

}  // namespace Charsets
