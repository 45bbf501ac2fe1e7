// Replays fuzz inputs without a fuzzing engine: every file named on the command
// line, or found in a folder named there, is handed once to the target. This
// lets the ordinary test build check every stored input (the seed corpus and
// every input that once crashed) with the sanitizers of that build.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {

int RunFile(const std::filesystem::path& File) {
  std::ifstream In(File, std::ios::binary);
  if (!In) {
    std::fprintf(stderr, "cannot read %s\n", File.string().c_str());
    return 1;
  }
  const std::vector<char> Bytes((std::istreambuf_iterator<char>(In)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(Bytes.data()), Bytes.size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int Failures = 0;
  int Inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path Path(argv[i]);
    if (std::filesystem::is_directory(Path)) {
      for (const auto& Entry : std::filesystem::recursive_directory_iterator(Path))
        if (Entry.is_regular_file()) {
          Failures += RunFile(Entry.path());
          ++Inputs;
        }
    } else {
      Failures += RunFile(Path);
      ++Inputs;
    }
  }
  std::printf("%d inputs replayed\n", Inputs);
  return Failures == 0 && Inputs > 0 ? 0 : 1;
}
