// Restores the input as the compact copy of a button picture (class-name byte,
// class name, the graphic's own bytes).
#include "controls/abcgreg.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  try {
    abcgreg::RestoreCompactPicture(std::vector<uint8_t>(Data, Data + Size));
  } catch (const Exception&) {
  }
  return 0;
}
