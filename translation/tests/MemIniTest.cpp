#include <gtest/gtest.h>

#include "translation/MemIni.h"

namespace MemIniTest {

using namespace SysUtils;

using MemIni::TMemIniFile;

namespace {

std::vector<std::string> Lines(const TMemIniFile& ini) {
  TStringList out;
  ini.ToLines(&out);
  std::vector<std::string> v;
  for (int i = 0; i < out.Count(); ++i) v.push_back(out[i]);
  return v;
}

TEST(MemIniTest, WritesSectionsAndKeysSortedAndMergesRepeatedHeaders) {
  TStringList in;
  for (const char* s : {";c", "[b]", "y=2", "x=1", "[A]", "k=v", "", "[B]", "z=3"}) in.Add(s);
  TMemIniFile ini;
  ini.FromLines(&in);
  const std::vector<std::string> expected = {"[A]", "k=v", "", "[b]", "x=1", "y=2", "z=3", ""};
  EXPECT_EQ(Lines(ini), expected);
  EXPECT_EQ(ini.GetText("B", "Z", "?"), "3");
}

TEST(MemIniTest, GetIntReadsHexAndFallsBack) {
  TMemIniFile ini;
  ini.FromText("[s]\na=0x1F\nb=0x\nc=12\nd=abc\ne=0X10\n");
  EXPECT_EQ(ini.GetInt("s", "a", -1), 31);
  EXPECT_EQ(ini.GetInt("s", "b", -1), -1);
  EXPECT_EQ(ini.GetInt("s", "c", -1), 12);
  EXPECT_EQ(ini.GetInt("s", "d", -1), -1);
  EXPECT_EQ(ini.GetInt("s", "e", -1), 16);
  EXPECT_TRUE(ini.GetFlag("s", "c", false));
  EXPECT_FALSE(ini.GetFlag("s", "missing", false));
}

TEST(MemIniTest, SectionWithoutKeysCountsAsMissingAndValuesComeInKeyOrder) {
  TMemIniFile ini;
  ini.FromText("[empty]\n[v]\nb=2\na=1\nnoequals\n");
  EXPECT_FALSE(ini.HasSection("empty"));
  EXPECT_TRUE(ini.HasSection("V"));
  TStringList values;
  ini.GetSectionValues("v", &values);
  ASSERT_EQ(values.Count(), 3);
  EXPECT_EQ(values[0], "1");
  EXPECT_EQ(values[1], "2");
  EXPECT_EQ(values[2], "");
  ini.RemoveKey("v", "A");
  EXPECT_EQ(ini.GetText("v", "a", "gone"), "gone");
  ini.RemoveSection("V");
  EXPECT_FALSE(ini.HasSection("v"));
}

TEST(MemIniTest, PutTextRefusesKeysThatCannotStandInTheText) {
  TMemIniFile ini;
  for (const char* key : {"a=b", "a\rb", "a\nb", ";a", "[a"}) {
    try {
      ini.PutText("s", key, "v");
      FAIL() << "accepted " << key;
    } catch (const MemIni::EMemIniError& e) {
      EXPECT_NE(std::string(e.what()).find(key), std::string::npos);
    }
  }
  EXPECT_FALSE(ini.HasSection("s"));
  ini.PutText("s", "k", "1");
  ini.PutText("S", "K", "2");
  EXPECT_EQ(ini.GetText("s", "k", ""), "2");
  TStringList keys;
  ini.GetSectionKeys("s", &keys);
  EXPECT_EQ(keys.Count(), 1);
}

TEST(MemIniTest, FastPosFindsFirstOccurrenceWithCase) {
  struct Case { const char* pattern; const char* text; int pos; };
  for (const Case& c : {Case{"", "abc", 1}, Case{"abc", "xxabcabc", 3}, Case{"ABC", "abc", 0},
                        Case{"aab", "aaab", 2}, Case{"abcd", "abc", 0}, Case{"b", "abab", 2},
                        Case{"\r\nKEY\x01", "X\x01\r\nKEY2\x01\r\nKEY\x01", 10}}) {
    EXPECT_EQ(MemIni::FastPos(c.pattern, c.text), c.pos) << c.pattern << " in " << c.text;
    const size_t p = std::string(c.text).find(c.pattern);
    EXPECT_EQ(MemIni::FastPos(c.pattern, c.text), p == std::string::npos ? 0 : int(p) + 1);
  }
}

TEST(MemIniTest, GetDelimitedFieldCountsDelimiters) {
  EXPECT_EQ(MemIni::GetDelimitedField("~a~b", '~', 0), "~a");
  EXPECT_EQ(MemIni::GetDelimitedField("~a~b", '~', 1), "a");
  EXPECT_EQ(MemIni::GetDelimitedField("~a~b", '~', 2), "b");
  EXPECT_EQ(MemIni::GetDelimitedField("~a~b", '~', 3), "");
  EXPECT_EQ(MemIni::GetDelimitedField("", '~', 0), "");
  EXPECT_EQ(MemIni::GetDelimitedField("k~x~", '~', 0), "k");
}

TEST(MemIniTest, FlushWritesTheFileThatLoadsBack) {
  const std::string name = ::testing::TempDir() + "memini_flush.ini";
  {
    TMemIniFile ini(name);
    ini.PutText("Sec", "key", "value with = sign");
    ini.PutInt("Sec", "n", -5);
    ini.Flush();
    EXPECT_FALSE(ini.Modified());
  }
  TMemIniFile back(name);
  EXPECT_EQ(back.GetText("sec", "KEY", ""), "value with = sign");
  EXPECT_EQ(back.GetInt("sec", "n", 0), -5);
  std::remove(name.c_str());
}

}  // namespace

}  // namespace MemIniTest
