// Reads the input as a program configuration file and writes the settings back.
#include "fuzz/FuzzSupport.h"
#include "survey/Survey.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TSurvey Survey;
  Survey.OnMessage = [](const std::string&) {};
  const std::string File = FuzzSupport::InputFile(Data, Size, ".cfg");
  Survey.ReadConfigFile(File);
  Survey.WriteConfigFile(File + ".out.cfg");
  return 0;
}
