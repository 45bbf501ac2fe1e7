// Reads the input as a contour level file, as a colour table and as the
// settings line of a pseudo-section view, then builds the levels.
#include "fuzz/FuzzSupport.h"
#include "views/ContourLevels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string File = FuzzSupport::InputFile(Data, Size, ".lvl");
  TSectionContours Levels;
  Levels.DataMin = 1;
  Levels.DataMax = 1000;
  std::string Warning;
  ContourLevels::ReadLevelFile(Levels, File, Warning);
  std::vector<cref> Names;
  ContourLevels::ReadColorNames(File, Names);
  TPseudoSectionSettings Settings;
  std::string Message;
  ContourLevels::SettingsFromStr(FuzzSupport::Text(Data, Size), Settings, Message);
  return 0;
}
