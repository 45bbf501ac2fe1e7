#include "grid/GvUni.h"
#include "platform/rtl/Streaming.h"

#include <gtest/gtest.h>

#include <vector>

namespace GvUniStreamTests {

class TWideList : public TWideStrings {
  KV_CLASS(TWideList, TWideStrings)
 public:
  std::u16string Get(int Index) const override { return Items.at(size_t(Index)); }
  int GetCount() const override { return static_cast<int>(Items.size()); }
  void Insert(int Index, const std::u16string& S) override { Items.insert(Items.begin() + Index, S); }
  void Delete(int Index) override { Items.erase(Items.begin() + Index); }
  void Clear() override { Items.clear(); }
  std::vector<std::u16string> Items;
};

class TWideHolder : public TComponent {
  KV_CLASS(TWideHolder, TComponent)
 public:
  explicit TWideHolder(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
  TWideList* Lines() const { return FLines.get(); }

 private:
  std::unique_ptr<TWideList> FLines = std::make_unique<TWideList>();
};

KV_CLASS_IMPL(TWideList, TWideStrings) {}
KV_CLASS_IMPL(TWideHolder, TComponent) { c.Property("Lines", &TWideHolder::Lines); }

TEST(WideStringStreaming, ItemsTravelAsWideValuesAndComeBackWhole) {
  TWideHolder out;
  // Cyrillic, a character outside the basic plane and an unpaired surrogate's neighbour.
  out.Lines()->Items = {u"\u0416\u00e9", u"\U0001F600 x", u"plain", u""};
  TMemoryStream s;
  Streaming::WriteComponent(s, &out);
  const std::string& bytes = s.DataString();
  const std::string name = "Lines.WideStrings";
  const size_t at = bytes.find(name);
  ASSERT_NE(at, std::string::npos);
  // The list, then the first item as a wide string value of two code units.
  EXPECT_EQ(uint8_t(bytes[at + name.size()]), uint8_t(TValueType::vaList));
  EXPECT_EQ(uint8_t(bytes[at + name.size() + 1]), uint8_t(TValueType::vaWString));
  EXPECT_EQ(uint8_t(bytes[at + name.size() + 2]), 2);
  s.SetPosition(0);
  TWideHolder in;
  Streaming::ReadComponent(s, &in);
  EXPECT_EQ(in.Lines()->Items, out.Lines()->Items);
  // The text form shows the items as text.
  EXPECT_NE(Streaming::ComponentToText(&out).find("'plain'"), std::string::npos);
}

TEST(WideStringStreaming, EightBitValuesAreTakenToo) {
  TWideHolder in;
  Streaming::TextToComponent("object TWideHolder\n  Lines.WideStrings = (\n    'abc'\n    'd')\nend\n", &in);
  EXPECT_EQ(in.Lines()->Items, (std::vector<std::u16string>{u"abc", u"d"}));
}

TEST(WideStringStreaming, DamagedWideValuesRaise) {
  TWideHolder out;
  out.Lines()->Items = {u"abcd"};
  TMemoryStream s;
  Streaming::WriteComponent(s, &out);
  std::string bytes = s.DataString();
  const size_t at = bytes.find("Lines.WideStrings") + 17 + 2;
  for (int32_t count : {-1, 1000, 0x7FFFFFFF}) {
    std::string damaged = bytes;
    for (int i = 0; i < 4; ++i) damaged[at + size_t(i)] = static_cast<char>((uint32_t(count) >> (8 * i)) & 0xFF);
    TMemoryStream d;
    d.WriteString(damaged);
    d.SetPosition(0);
    TWideHolder in;
    EXPECT_THROW(Streaming::ReadComponent(d, &in), EReadError) << count;
  }
}

}  // namespace GvUniStreamTests
