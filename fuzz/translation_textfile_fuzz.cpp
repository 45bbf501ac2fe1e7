// Translation text files read, merged and imported.
#include <cstddef>
#include <cstdint>

#include "fuzz/translation_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzForm f;
  TMemoryStream s;
  s.WriteBuffer(Data, static_cast<int64_t>(Size));
  f.Lang->ReadAllFromStream(s, Size % 2 == 0);
  f.Lang->MergeAllFromStreamAndApply(s);
  if (f.Lang->GetNumOfLanguages() >= 2) f.Lang->SetActiveLanguage(2);
  TMemoryStream out;
  f.Lang->WriteAllToStream(out, "~!@#");
  return 0;
}
