// Reads the input as rich text, writes the runs back and reads them again:
// the second reading must give the same runs.
#include "fuzz/FuzzSupport.h"
#include "platform/ui/RichText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  TRichRuns runs;
  RichText::Read(text, runs);
  (void)RichText::PlainText(runs);
  TRichRuns back;
  RichText::Read(RichText::Write(runs), back);
  if (back != runs) std::abort();
  return 0;
}
