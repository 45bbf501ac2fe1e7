// Reads the input as a k2d file holding a model section.
#include "fuzz/FuzzSupport.h"
#include "views/ModelSection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  ModelSection::TModelSection Section;
  std::string Message;
  ModelSection::ReadSectionFile(FuzzSupport::InputFile(Data, Size, ".k2d"), Section, Message);
  ModelSection::TChartSettings Settings;
  ModelSection::ChartSettingsFromStr(FuzzSupport::Text(Data, Size), Settings, Message);
  return 0;
}
