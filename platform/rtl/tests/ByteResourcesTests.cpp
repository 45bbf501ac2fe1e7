// The table of named byte resources: names without regard to case, replaced
// and removed entries.

#include "platform/rtl/ByteResources.h"

#include <gtest/gtest.h>

namespace ByteResourcesTests {

TEST(ByteResources, NamesCompareWithoutCaseAndEntriesCanBeReplaced) {
  ByteResources::Register("Logo", {1, 2, 3});
  ASSERT_NE(ByteResources::Find("LOGO"), nullptr);
  EXPECT_EQ(*ByteResources::Find("logo"), (std::vector<uint8_t>{1, 2, 3}));
  ByteResources::Register("LOGO", {9});
  EXPECT_EQ(*ByteResources::Find("Logo"), std::vector<uint8_t>{9});
  EXPECT_EQ(ByteResources::Find("other"), nullptr);
  ByteResources::Unregister("lOgO");
  EXPECT_EQ(ByteResources::Find("LOGO"), nullptr);
  ByteResources::Register("A", {});
  ByteResources::Clear();
  EXPECT_EQ(ByteResources::Find("A"), nullptr);
}

}  // namespace ByteResourcesTests
