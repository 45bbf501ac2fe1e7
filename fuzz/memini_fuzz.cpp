// INI text read into the in-memory INI file and written back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "translation/MemIni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  MemIni::TMemIniFile ini;
  ini.FromText(std::string(reinterpret_cast<const char*>(Data), Size));
  MemIni::TMemIniFile again;
  again.FromText(ini.ToText());
  TStringList names;
  again.GetSectionNames(&names);
  for (int i = 0; i < names.Count(); ++i) {
    again.GetInt(names[i], "x", 0);
    again.HasSection(names[i]);
  }
  MemIni::GetDelimitedField(std::string(reinterpret_cast<const char*>(Data), Size), '~', Size % 7);
  return 0;
}
