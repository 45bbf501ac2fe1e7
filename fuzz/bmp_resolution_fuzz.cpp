// Writes a print resolution into the input as into an existing bitmap file:
// only a file with a 40-byte info header changes, and only in its two
// resolution fields.
#include <cstdlib>
#include <string>

#include "app/printsettings.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string input = FuzzSupport::Text(Data, Size);
  std::string bytes = input;
  const bool patched = printsettings::PatchBitmapResolution(bytes, 300.0);
  if (bytes.size() != input.size()) std::abort();
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] != input[i] && !(patched && i >= 38 && i < 46)) std::abort();
  std::string problem;
  printsettings::SetBitmapResolution(FuzzSupport::InputFile(Data, Size, ".bmp"), 300.0, problem);
  return 0;
}
