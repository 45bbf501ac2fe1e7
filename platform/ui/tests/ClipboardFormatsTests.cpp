#include "platform/ui/ClipboardFormats.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/tests/UiFixture.h"

namespace ClipboardFormatsTests {

namespace CF = ClipboardFormats;

TEST_F(UiTest, ClipboardCarriesSeveralNamedFormats) {
  CF::SetFormats({{CF::PlainText, "a\tb"}, {CF::GridCells, std::string("TPF0\0\x01", 6)}});
  EXPECT_TRUE(CF::HasFormat(CF::PlainText));
  EXPECT_TRUE(CF::HasFormat(CF::GridCells));
  EXPECT_FALSE(CF::HasFormat(CF::RichText));
  EXPECT_EQ(CF::GetFormat(CF::GridCells), std::string("TPF0\0\x01", 6));  // bytes, zeros included
  EXPECT_EQ(Clipbrd::Clipboard().GetAsText(), "a\tb");
  CF::AddFormat(CF::RichText, "{\\rtf1 x}");
  EXPECT_EQ(CF::GetFormat(CF::RichText), "{\\rtf1 x}");
  EXPECT_EQ(CF::GetFormat(CF::PlainText), "a\tb");  // kept
  CF::SetFormats({{CF::PlainText, "\xC3\xA9"}});
  EXPECT_FALSE(CF::HasFormat(CF::RichText));
  EXPECT_EQ(Clipbrd::Clipboard().GetAsText(), "\xC3\xA9");
  EXPECT_EQ(CF::GetFormat(CF::GridCells), "");
}

}  // namespace ClipboardFormatsTests
