// Reads the input as the settings store file and walks every key and value.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fuzz/FuzzSupport.h"
#include "platform/rtl/Registry.h"

namespace {

void Walk(TRegistry& Reg, const std::string& Path, int Depth) {
  if (Depth > 8 || !Reg.OpenKeyReadOnly(Path)) return;
  TStringList Values, Keys;
  Reg.GetValueNames(&Values);
  for (int i = 0; i < Values.Count(); ++i) {
    try {
      (void)Reg.ReadString(Values[i]);
    } catch (const Exception&) {
    }
  }
  Reg.GetKeyNames(&Keys);
  for (int i = 0; i < Keys.Count(); ++i) Walk(Reg, Path + "\\" + Keys[i], Depth + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string Store = Registry::StoreFileName();
  std::filesystem::create_directories(std::filesystem::path(Store).parent_path());
  // Written directly: a file copy can be interrupted by the fuzzer's own timer signal.
  std::ofstream(Store, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
  Registry::ReloadStore();
  TRegistry Reg;
  Walk(Reg, "\\Software", 0);
  return 0;
}
