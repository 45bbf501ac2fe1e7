// Damaged cell texts fed to the chart grid's fuzz target.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

#include "fuzz/chart_grid_text_fuzz.cpp"

namespace ChartGridFuzzTests {

TEST(ChartGridFuzz, DamagedCellTextsAreStoredSafely) {
  const std::string Cases[] = {
      std::string(),
      std::string("\n\n\n\n\n\n\n\n"),
      std::string("nan\ninf\n-inf\n1e999\n-1e999\nNaN"),
      std::string("\xff\xfe\x80\n\xc3", 5),
      std::string(1, '\0') + "\n" + std::string(3, '\0'),
      std::string(5000, '9'),
      std::string("0x1p3\n1e-400\n+\n-\n.\n,\n1,,2"),
      std::string("31/31/31\n1/1/99999999999\n00:99:99\n12/12/2012 25:61"),
      std::string(2000, '\n'),
      std::string("\r\r\n\t\t \n  42  \n"),
  };
  for (const std::string& C : Cases)
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(C.data()), C.size()), 0) << C.size();
}

}  // namespace ChartGridFuzzTests
