// Loads the input as an icon and draws what loaded, with its mask.
#include "platform/gdi/Icon.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TIcon Icon;
  try {
    Icon.LoadFromBytes(std::vector<uint8_t>(Data, Data + Size));
    TBitmap Target(40, 40);
    Icon.Draw(*Target.GetCanvas(), TRect(0, 0, 40, 40));
    (void)Icon.SaveToBytes();
  } catch (const Exception&) {
  }
  return 0;
}
