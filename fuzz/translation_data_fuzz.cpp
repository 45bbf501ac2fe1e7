// Translation data stored with a form, read back into the component.
#include <cstddef>
#include <cstdint>

#include "fuzz/translation_fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TFuzzForm f;
  TMemoryStream s;
  s.WriteBuffer(Data, static_cast<int64_t>(Size));
  s.SetPosition(0);
  f.Lang->IsInheritedOwner = Size % 2 == 1;
  f.Lang->ReadTranslationData(s);
  f.Lang->Loaded();
  f.Lang->ApplyLanguage();
  return 0;
}
