#include "platform/gdi/Charsets.h"

namespace Charsets {

const std::vector<TCharsetName>& CharsetNames() {
  static const std::vector<TCharsetName> names = {
      {0, "ANSI_CHARSET"},          {1, "DEFAULT_CHARSET"},     {2, "SYMBOL_CHARSET"},
      {77, "MAC_CHARSET"},          {128, "SHIFTJIS_CHARSET"},  {129, "HANGEUL_CHARSET"},
      {130, "JOHAB_CHARSET"},       {134, "GB2312_CHARSET"},    {136, "CHINESEBIG5_CHARSET"},
      {161, "GREEK_CHARSET"},       {162, "TURKISH_CHARSET"},   {163, "VIETNAMESE_CHARSET"},
      {177, "HEBREW_CHARSET"},      {178, "ARABIC_CHARSET"},    {186, "BALTIC_CHARSET"},
      {204, "RUSSIAN_CHARSET"},     {222, "THAI_CHARSET"},      {238, "EASTEUROPE_CHARSET"},
      {255, "OEM_CHARSET"}};
  return names;
}

bool CharsetToIdent(uint8_t Value, std::string& Name) {
  for (const TCharsetName& c : CharsetNames())
    if (c.Value == Value) {
      Name = c.Name;
      return true;
    }
  return false;
}

bool IdentToCharset(std::string_view Name, uint8_t& Value) {
  for (const TCharsetName& c : CharsetNames())
    if (Name == c.Name) {
      Value = c.Value;
      return true;
    }
  return false;
}

}  // namespace Charsets
