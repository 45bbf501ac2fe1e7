#include "platform/rtl/CodePage437.h"

#include <gtest/gtest.h>

namespace CodePage437Tests {

TEST(CodePage437, MapsTheHighHalfToUnicode) {
  struct Case {
    uint8_t byte;
    char32_t code;
  } cases[] = {{0x41, U'A'}, {0x80, 0x00C7}, {0x81, 0x00FC}, {0x9E, 0x20A7}, {0xB3, 0x2502},
               {0xC4, 0x2500}, {0xE1, 0x00DF}, {0xE3, 0x03C0}, {0xF8, 0x00B0}, {0xFF, 0x00A0}};
  for (const Case& k : cases) EXPECT_EQ(CodePage437::ToUnicode(k.byte), k.code) << int(k.byte);
  EXPECT_EQ(CodePage437::ToUtf8("a\x81\xC4"), "a\xC3\xBC\xE2\x94\x80");
}

}  // namespace CodePage437Tests
