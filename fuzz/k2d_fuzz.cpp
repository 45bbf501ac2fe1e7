// Reads the input as a .k2d file and analyses what was read, as opening it does.
#include "fuzz/FuzzSupport.h"
#include "survey/Survey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TSurvey Survey;
  Survey.OnMessage = [](const std::string&) {};
  if (Survey.ReadSurveyFile(FuzzSupport::InputFile(Data, Size, ".k2d")) != Survey::ReadError) {
    Survey.HasObservedData = true;
    Survey.AnalyseSurvey();
  }
  return 0;
}
