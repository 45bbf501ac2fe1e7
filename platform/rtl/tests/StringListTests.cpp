#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/rtl/Classes.h"

namespace StringListTests {

using namespace SysUtils;

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
  return r;
}

using V = std::vector<std::string>;

// Counts its instances, so tests can see who frees what.
class TCounted : public TObject {
 public:
  explicit TCounted(int& alive) : FAlive(alive) { ++FAlive; }
  ~TCounted() override { --FAlive; }

 private:
  int& FAlive;
};

std::string TempDir() {
  auto dir = std::filesystem::temp_directory_path() / ("kv_rtl_strings_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace

TEST(StringList, SortedListHandlesDuplicatesAsConfigured) {
  struct Case {
    TDuplicates Mode;
    V Expected;
  } cases[] = {// an accepted duplicate goes before its equals
               {TDuplicates::dupIgnore, {"a", "b", "c"}}, {TDuplicates::dupAccept, {"A", "a", "b", "c"}}};
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.Duplicates = c.Mode;
    for (const char* s : {"b", "a", "c", "A"}) list.Add(s);
    EXPECT_EQ(Items(list), c.Expected);
  }
  TStringList list;
  list.SetSorted(true);
  EXPECT_EQ(list.Add("x"), 0);
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add("X"), 1);  // ignored: the index of the one present
  list.Duplicates = TDuplicates::dupError;
  try {
    list.Add("A");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "String list does not allow duplicates");
  }
  EXPECT_EQ(Items(list), (V{"a", "x"}));
}

TEST(StringList, FindAndIndexOfFollowCaseSensitivity) {
  TStringList list;
  list.SetSorted(true);
  for (const char* s : {"delta", "Bravo", "alpha", "charlie"}) list.Add(s);
  EXPECT_EQ(Items(list), (V{"alpha", "Bravo", "charlie", "delta"}));
  int index = -1;
  EXPECT_TRUE(list.Find("BRAVO", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("beta", index));
  EXPECT_EQ(index, 1);  // where it would go
  EXPECT_EQ(list.IndexOf("CHARLIE"), 2);
  list.SetCaseSensitive(true);  // re-sorts by byte order
  EXPECT_EQ(Items(list), (V{"Bravo", "alpha", "charlie", "delta"}));
  EXPECT_EQ(list.IndexOf("CHARLIE"), -1);
  EXPECT_EQ(list.IndexOf("charlie"), 2);
}

TEST(StringList, SortedListRefusesPositionalChanges) {
  TStringList list;
  list.SetSorted(true);
  list.Add("b");
  for (auto change : {+[](TStringList& l) { l.Insert(0, "a"); }, +[](TStringList& l) { l.Put(0, "z"); }}) {
    try {
      change(list);
      FAIL();
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }
  }
  try {
    list.Get(5);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
}

TEST(StringList, CommaTextQuotesWhatNeedsIt) {
  TStringList list;
  for (const char* s : {"a", "b c", "d,e", "f\"g", ""}) list.Add(s);
  EXPECT_EQ(list.GetCommaText(), "a,\"b c\",\"d,e\",\"f\"\"g\",");
  TStringList back;
  back.SetCommaText(list.GetCommaText());
  EXPECT_EQ(Items(back), Items(list));

  TStringList one;
  one.Add("");
  EXPECT_EQ(one.GetCommaText(), "\"\"");
  back.SetCommaText("\"\"");
  EXPECT_EQ(Items(back), (V{""}));
}

TEST(StringList, DelimitedTextSplitting) {
  struct Case {
    const char* Text;
    char Delimiter;
    bool Strict;
    V Expected;
  } cases[] = {
      {"a b, c", ',', false, {"a", "b", "c"}},  // blanks split unless strict
      {"a b;c", ';', true, {"a b", "c"}},
      {" a ; b ", ';', true, {" a ", " b "}},
      {"a,,b", ',', false, {"a", "", "b"}},
      {"a,", ',', false, {"a", ""}},
      {"'x y';z", ';', false, {"x y", "z"}},
      {"", ',', false, {}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.Delimiter = c.Delimiter;
    list.StrictDelimiter = c.Strict;
    if (c.Delimiter == ';' && !c.Strict) list.QuoteChar = '\'';
    list.SetDelimitedText(c.Text);
    EXPECT_EQ(Items(list), c.Expected) << c.Text;
  }
  TStringList list;
  list.Delimiter = ';';
  list.StrictDelimiter = true;
  list.SetDelimitedText("a b;c");
  EXPECT_EQ(list.GetDelimitedText(), "a b;c");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  list.SetText("A=1\nb=2=3\nnoeq\n");
  EXPECT_EQ(list.Values("a"), "1");
  EXPECT_EQ(list.Values("B"), "2=3");
  EXPECT_EQ(list.Names(1), "b");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(2), "");  // not the line minus its first character
  EXPECT_EQ(list.IndexOfName("B"), 1);
  list.SetValue("B", "9");
  list.SetValue("c", "4");
  list.SetValue("A", "");
  EXPECT_EQ(Items(list), (V{"B=9", "noeq", "c=4"}));
  list.SetValueFromIndex(1, "x");
  EXPECT_EQ(list[1], "=x");
}

TEST(StringList, TextSplitsAtEveryLineBreakKind) {
  TStringList list;
  list.SetText("a\r\nb\rc\n\nd");
  EXPECT_EQ(Items(list), (V{"a", "b", "c", "", "d"}));
  EXPECT_EQ(list.GetText(), "a\nb\nc\n\nd\n");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
  list.SetText("x\n");
  EXPECT_EQ(Items(list), (V{"x"}));
}

TEST(StringList, FilesRoundTripAndOldEncodingsAreRead) {
  const std::string dir = TempDir();
  const std::string file = dir + "/list.txt";
  TStringList list;
  for (const char* s : {"Widerstand Ω·m", "", "last"}) list.Add(s);
  list.SaveToFile(file);
  TStringList back;
  back.LoadFromFile(file);
  EXPECT_EQ(Items(back), Items(list));

  struct Case {
    std::string Bytes;
    V Expected;
  } cases[] = {
      {"caf\xE9\r\n\x80 5", {"café", "€ 5"}},          // Windows-1252
      {"Gr\xF6\xDF" "e \xC3\xA9", {"Größe é"}},      // old bytes among UTF-8
      {"\xEF\xBB\xBFutf8 \xC3\xA9", {"utf8 é"}},        // BOM dropped
      {std::string("\xFF\xFEh\0\xE9\0", 6), {"hé"}},  // UTF-16 little-endian
  };
  for (const Case& c : cases) {
    std::ofstream(file, std::ios::binary) << c.Bytes;
    back.LoadFromFile(file);
    EXPECT_EQ(Items(back), c.Expected);
  }
  try {
    back.LoadFromFile(dir + "/missing.txt");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message().rfind("Cannot open file \"" + dir + "/missing.txt\". ", 0), 0u) << e.Message();
  }
  std::filesystem::remove_all(dir);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLines) {
  int alive = 0;
  {
    TStringList list(true);
    list.AddObject("a", new TCounted(alive));
    list.AddObject("b", new TCounted(alive));
    list.AddObject("c", new TCounted(alive));
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(list.IndexOfObject(list.Objects(1)), 1);
  }
  EXPECT_EQ(alive, 0);
}

TEST(StringList, UpdatesGroupChangeEvents) {
  TStringList list;
  int changes = 0, changing = 0;
  list.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    ++changes;
  };
  list.OnChanging = [&](TObject*) { ++changing; };
  list.Add("a");
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  EXPECT_EQ(changes, 1);
  list.EndUpdate();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(changing, 2);
}

TEST(StringList, SortingMovingAndAssigning) {
  TStringList list;
  for (const char* s : {"ccc", "a", "bb", "dd"}) list.Add(s);
  list.CustomSort([](TStringList* l, int a, int b) { return int((*l)[a].size()) - int((*l)[b].size()); });
  EXPECT_EQ(Items(list), (V{"a", "bb", "dd", "ccc"}));  // stable among equal lengths
  list.Move(0, 3);
  EXPECT_EQ(Items(list), (V{"bb", "dd", "ccc", "a"}));
  list.Exchange(0, 3);
  EXPECT_EQ(Items(list), (V{"a", "dd", "ccc", "bb"}));
  list.Sort();
  EXPECT_EQ(Items(list), (V{"a", "bb", "ccc", "dd"}));
  TStringList copy;
  copy.Delimiter = ';';
  copy.Assign(&list);
  EXPECT_TRUE(copy.Equals(&list));
  EXPECT_EQ(copy.Delimiter, ',');
  EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

TEST(StringHelpers, TrimCaseQuotesAndReplace) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  x "), "x ");
  EXPECT_EQ(TrimRight("  x "), "  x");
  EXPECT_EQ(UpperCase("abcäz"), "ABCäZ");
  EXPECT_EQ(AnsiUpperCase("abcäz"), "ABCÄZ");
  EXPECT_EQ(AnsiLowerCase("ÄÖÜ"), "äöü");
  EXPECT_EQ(CompareText("abc", "ABD"), -1);
  EXPECT_EQ(CompareText("b", "A"), 1);
  EXPECT_EQ(CompareText("ab", "AB"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_TRUE(SameText("Ohm.M", "ohm.m"));
  EXPECT_TRUE(AnsiSameText("Äb", "äB"));
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
  EXPECT_EQ(AnsiDequotedStr("'open", '\''), "'open");
  EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
  EXPECT_EQ(StringReplace("a.b.c", ".", "::"), "a::b::c");
  EXPECT_EQ(StringReplace("a.b.c", ".", "", false), "ab.c");
  EXPECT_EQ(StringReplace("Xx", "x", "y", true, true), "yy");
  EXPECT_EQ(Pos("lo", "hello"), 4);
  EXPECT_EQ(Pos("z", "hello"), 0);
}

TEST(StringHelpers, FileNameParts) {
  struct Case {
    const char* Name;
    const char* Path;
    const char* Dir;
    const char* File;
    const char* Ext;
    const char* Changed;  // extension ".in"
  } cases[] = {
      {"/a/b.c/d", "/a/b.c/", "/a/b.c", "d", "", "/a/b.c/d.in"},
      {"/a/survey.k2d", "/a/", "/a", "survey.k2d", ".k2d", "/a/survey.in"},
      {"/top.tar.gz", "/", "/", "top.tar.gz", ".gz", "/top.tar.in"},
      {"plain", "", "", "plain", "", "plain.in"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.Name), c.Path) << c.Name;
    EXPECT_EQ(ExtractFileDir(c.Name), c.Dir) << c.Name;
    EXPECT_EQ(ExtractFileName(c.Name), c.File) << c.Name;
    EXPECT_EQ(ExtractFileExt(c.Name), c.Ext) << c.Name;
    EXPECT_EQ(ChangeFileExt(c.Name, ".in"), c.Changed) << c.Name;
  }
  EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
  EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
  EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
}

TEST(StringHelpers, FileOperationsNeverOverwrite) {
  const std::string dir = TempDir();
  std::ofstream(dir + "/one") << "1";
  std::ofstream(dir + "/two") << "2";
  EXPECT_TRUE(FileExists(dir + "/one"));
  EXPECT_FALSE(FileExists(dir));  // a folder is no file
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_FALSE(RenameFile(dir + "/one", dir + "/two"));
  EXPECT_TRUE(RenameFile(dir + "/one", dir + "/three"));
  EXPECT_TRUE(DeleteFile(dir + "/three"));
  EXPECT_FALSE(DeleteFile(dir + "/three"));
  TDateTime age = 0;
  EXPECT_TRUE(FileAge(dir + "/two", age));
  EXPECT_NEAR(age, Now(), 1.0);
  EXPECT_TRUE(ForceDirectories(dir + "/x/y"));
  EXPECT_TRUE(DirectoryExists(dir + "/x/y"));
  std::filesystem::remove_all(dir);
}

}  // namespace StringListTests
