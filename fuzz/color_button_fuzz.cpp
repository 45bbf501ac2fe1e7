// Reads the input as the stored text form of a colour button (its palette and
// custom colour arrays), the way a stored form is read.
#include "controls/DFSClrBn.h"
#include "platform/rtl/Streaming.h"
#include "platform/ui/Forms.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Forms::EnsureToolkit();
  auto* button = new TdfsColorButton(nullptr);
  try {
    Streaming::TextToComponent(std::string(reinterpret_cast<const char*>(Data), Size), button);
  } catch (const Exception&) {
  }
  button->Free();
  return 0;
}
