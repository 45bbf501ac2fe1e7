// The engine texts are set by the library's start-up, before main() runs and
// before any test calls an Initialize: a unit that starts early must not find
// them empty, and a later start must not wipe them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/engine/PlotConst.h"

namespace EngineTextsStartupTests {

namespace {

std::vector<std::string> TextsAtStart;

// Runs once main() has started, before the first test.
class TCaptureTexts : public ::testing::Environment {
 public:
  void SetUp() override {
    TextsAtStart = {PlotConst::MsgGalleryStandard, PlotConst::MsgAxisMinMax, PlotConst::MsgChartFileFilter,
                    PlotConst::MsgDefaultFontName};
  }
};

[[maybe_unused]] ::testing::Environment* const CaptureTexts = ::testing::AddGlobalTestEnvironment(new TCaptureTexts);

TEST(EngineTextsStartup, TextsAreSetWhenTheProgramStarts) {
  ASSERT_EQ(TextsAtStart.size(), 4u);
  EXPECT_EQ(TextsAtStart[0], "Standard");
  EXPECT_EQ(TextsAtStart[1], "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(TextsAtStart[2], "Chart files (*.chf)|*.chf");
  EXPECT_FALSE(TextsAtStart[3].empty());
}

}  // namespace

}  // namespace EngineTextsStartupTests
