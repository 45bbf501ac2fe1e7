#include <gtest/gtest.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

#include "fuzz/gridutil_fuzz.cpp"

namespace GridUtilFuzzTests {

TEST(GridUtilFuzz, DamagedCellTextsAreReadSafely) {
  const std::string cases[] = {
      std::string(),
      std::string("|\\"),
      std::string("|\\\x01", 3),
      std::string("\xff\xfe\x80", 3),
      std::string(300, '*') + "\n" + std::string(300, 'a'),
      std::string("*?*?*?*?*?*?*?*?*?*?b\n") + std::string(60, 'a'),
      std::string(">") + std::string(400, '9') + "\n1",
      std::string("<\"\n\""),
      std::string("R99999999999C1"),
      std::string("1/1/99999999999"),
      std::string("31/31/31"),
      std::string("\"\"\"\"\"\""),
      std::string("\r\r\n\n\r"),
      std::string("-,-.-,"),
      std::string(1, '\0'),
  };
  for (const std::string& c : cases)
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(c.data()), c.size()), 0) << c.size();
}

}  // namespace GridUtilFuzzTests
