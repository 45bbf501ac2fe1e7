// Converts the input as a sounding file; the dialogs it asks are answered by the
// scripted user seam's defaults.
#include "fuzz/FuzzSupport.h"
#include "survey/Survey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TSurvey Survey;
  Survey.OnMessage = [](const std::string&) {};
  Survey.ConvertSoundingFile(FuzzSupport::InputFile(Data, Size, ".qlf"));
  return 0;
}
