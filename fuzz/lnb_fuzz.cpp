// LNB translation files: header, section table and stored components.
#include <cstddef>
#include <cstdint>

#include "fuzz/translation_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzForm f;
  TMemoryStream s;
  s.WriteBuffer(Data, static_cast<int64_t>(Size));
  TLNBFileManager manager;
  try {
    manager.LoadSectionFromStream(f.Lang, "TForm", s);
  } catch (const Exception&) {
    // Damaged files are rejected with a message; nothing else may happen.
  }
  return 0;
}
