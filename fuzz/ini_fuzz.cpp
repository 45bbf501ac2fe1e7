// Reads the input as an INI file and every section and value in it.
#include "fuzz/FuzzSupport.h"
#include "platform/rtl/IniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TIniFile Ini(FuzzSupport::InputFile(Data, Size, ".ini"));
  TStringList Sections;
  Ini.ReadSections(&Sections);
  for (int i = 0; i < Sections.Count(); ++i) {
    TStringList Values;
    Ini.ReadSectionValues(Sections[i], &Values);
    (void)Ini.ReadInteger(Sections[i], "Count", 0);
    (void)Ini.ReadFloat(Sections[i], "Value", 0.0);
  }
  return 0;
}
