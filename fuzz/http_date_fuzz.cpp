// Reads the input as the Last-Modified header of the update check: a date that
// reads must be one the check can compare, and reading never fails otherwise.
#include <cstdlib>
#include <string>

#include "app/UpdateCheck.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string text = FuzzSupport::Text(Data, Size);
  const auto date = ResMainForm::ParseHttpDate(text);
  if (!date) return 0;
  if (date->Year < 0 || date->Year > 9999 || date->Month < 1 || date->Month > 12 || date->Day < 0 ||
      date->Day > 99 || date->Hour > 99 || date->Minute > 99 || date->Second > 99)
    std::abort();
  ResMainForm::IsEmptyDate(*date);
  return 0;
}
