#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "platform/rtl/FileStore.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Streaming.h"
#include "translation/LocLang.h"
#include "translation/MemIni.h"
#include "translation/tests/TestForms.h"

namespace LocLangFilesTest {

using namespace SysUtils;

namespace {

std::string Find(const TStrings* L, const std::string& Prefix) {
  for (int i = 0; i < L->Count(); ++i)
    if (L->Get(i).rfind(Prefix, 0) == 0) return L->Get(i);
  return "<none>";
}

std::string TempFile(const std::string& Name) {
  const std::string path = ::testing::TempDir() + Name;
  std::remove(path.c_str());
  return path;
}

std::string ReadBytes(const std::string& Path) {
  std::string bytes;
  FileStore::ReadFile(Path, bytes);
  return bytes;
}

void WriteBytes(const std::string& Path, const std::string& Bytes) {
  std::ofstream(Path, std::ios::binary) << Bytes;
}

// A form of class F with Button1 and a two-language translation component.
template <class F>
struct TSmallForm {
  F* Form;
  TButton* Button;
  TLocLang* Lang;
  explicit TSmallForm(const char* Caption = "OK") {
    Form = Create<F>(nullptr);
    Form->SetName(F::StaticClass()->ClassName().substr(1));
    Form->SetCaption("Title");
    Button = Create<TButton>(Form);
    Button->SetName("Button1");
    Button->SetParent(Form);
    Button->SetCaption(Caption);
    Lang = Create<TLocLang>(Form);
    Lang->SetName("LocLang1");
    TStringList names;
    names.Add("English");
    names.Add("German");
    Lang->SetLangNames(&names);
    Lang->CollectTexts();
  }
  ~TSmallForm() { Form->Free(); }
  TSmallForm(const TSmallForm&) = delete;
  TSmallForm& operator=(const TSmallForm&) = delete;
};
using TForm1 = TSmallForm<TTestForm1>;
using TForm2 = TSmallForm<TTestForm2>;

std::vector<std::string> AllLists(TLocLang* L) {
  std::vector<std::string> v;
  for (int t = 0; t < StringsTypeCount; ++t)
    if (TStringList* l = L->ListOfType(static_cast<TStringsType>(t)))
      for (int i = 0; i < l->Count(); ++i) v.push_back(std::to_string(t) + ":" + l->Get(i));
  return v;
}

// ---------------------------------------------------------------- TranslationData
TEST(TranslationDataTest, WrittenInSectionsAndReadBackInBothForms) {
  TForm1 f;
  f.Lang->SetEntryText(f.Lang->GetCaptions(), "Gut", 2, "Button1");
  f.Lang->SetEntryText(f.Lang->GetHints(), "two\r\nlines", 1, "Button1");
  TMemoryStream data;
  f.Lang->WriteTranslationData(data);
  const std::string text = data.DataString();
  EXPECT_NE(text.find("stCaptions\r\nTTestForm1\x01Title\x01\x01\r\nButton1\x01OK\x01Gut\x01\r\nstHints\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Button1\x01two\x19\x1alines\x01"), std::string::npos);
  int sections = 0;
  for (int t = 0; t < StringsTypeCount; ++t)
    sections += text.find(LocLang::StringsTypeName(static_cast<TStringsType>(t)) + "\r\n") != std::string::npos;
  EXPECT_EQ(sections, 11);
  EXPECT_EQ(text.find("stListView_TreeView_Items"), std::string::npos);

  for (bool binary : {true, false}) {
    auto* copy = Create<TTestForm1>(nullptr);
    if (binary) {
      TMemoryStream s;
      Streaming::WriteComponent(s, f.Form);
      s.SetPosition(0);
      Streaming::ReadComponent(s, copy);
    } else {
      Streaming::TextToComponent(Streaming::ComponentToText(f.Form), copy);
    }
    auto* lang = dynamic_cast<TLocLang*>(copy->FindComponent("LocLang1"));
    ASSERT_NE(lang, nullptr);
    EXPECT_EQ(AllLists(lang), AllLists(f.Lang)) << (binary ? "binary" : "text");
    EXPECT_EQ(lang->GetNumOfLanguages(), 2);
    EXPECT_EQ(lang->GetLanguage(), "English");
    EXPECT_EQ(lang->GetLangNames()->GetCommaText(), "English,German");
    EXPECT_EQ(lang->GetExcludedProperties()->Count(), 20);
    EXPECT_EQ(Find(lang->GetHints(), "Button1"), "Button1\x01two\r\nlines\x01\x01");
    copy->Free();
  }
}

TEST(TranslationDataTest, ExtendedItemsTravelAsValuesEx) {
  TForm1 f;
  TLocExtendedItem* item = f.Lang->GetExtendedTranslations()->Add();
  item->SetIdentifier("TTestForm1.Caption");
  item->PropertyType = TTypeKind::tkLString;
  item->Values = "Title\x01Titel\x01";
  const std::string text = Streaming::ComponentToText(f.Form);
  EXPECT_NE(text.find("ValuesEx"), std::string::npos);
  auto* copy = Create<TTestForm1>(nullptr);
  Streaming::TextToComponent(text, copy);
  auto* lang = dynamic_cast<TLocLang*>(copy->FindComponent("LocLang1"));
  ASSERT_NE(lang, nullptr);
  ASSERT_EQ(lang->GetExtendedTranslations()->Count(), 1);
  const TLocExtendedItem* back = lang->GetExtendedTranslations()->Items(0);
  EXPECT_EQ(back->GetIdentifier(), "TTestForm1.Caption");
  EXPECT_EQ(back->PropertyType, TTypeKind::tkLString);
  EXPECT_EQ(back->Values, "Title\x01Titel\x01");
  lang->SetActiveLanguage(2);
  EXPECT_EQ(copy->GetCaption(), "Titel");
  copy->Free();
}

TEST(TranslationDataTest, InheritedFormsMergeAndMayWriteNothing) {
  TForm1 ancestor;
  TForm1 f;
  f.Lang->IsInheritedOwner = true;
  TMemoryStream base, own;
  base.WriteString("stCaptions\r\nButton1\x01OK\x01\x01\r\n");
  own.WriteString("stCaptions\r\nButton1\x01\x01Gut\x01\r\nNew1\x01N\x01\x01\r\n");
  base.SetPosition(0);
  own.SetPosition(0);
  f.Lang->ReadTranslationData(base);
  f.Lang->ReadTranslationData(own);
  EXPECT_EQ(Find(f.Lang->GetCaptions(), "Button1"), "Button1\x01OK\x01Gut\x01");
  EXPECT_EQ(Find(f.Lang->GetCaptions(), "New1"), "New1\x01N\x01\x01");
  f.Lang->Ancestor = ancestor.Lang;
  f.Lang->UseInheritedData = true;
  EXPECT_EQ(Streaming::ComponentToText(f.Form).find("TranslationData"), std::string::npos);
  f.Lang->UseInheritedData = false;
  EXPECT_NE(Streaming::ComponentToText(f.Form).find("TranslationData"), std::string::npos);
  f.Lang->GetCaptions()->Assign(ancestor.Lang->GetCaptions());
  f.Lang->GetHints()->Assign(ancestor.Lang->GetHints());
  EXPECT_EQ(Streaming::ComponentToText(f.Form).find("TranslationData"), std::string::npos);
}

TEST(TranslationDataTest, TabsAreConvertedOnlyInUnmarkedData) {
  struct Case {
    std::string data;
    std::string dialog;
  };
  const std::vector<Case> cases = {
      {"stDlgsCaptions\r\nWarning\tWarn\tWarnung\t\r\n", "Warning\x01Warn\x01Warnung\x01"},
      {"#TranslationData format 2, delimiter 1\r\nstDlgsCaptions\r\nWarning\x01Warn\tX\x01\x01\r\n",
       "Warning\x01Warn\tX\x01\x01"},
      {"#TranslationData format 2, delimiter 9\r\nstDlgsCaptions\r\nWarning\tA\tB\t\r\n", "Warning\x01" "A\x01" "B\x01"}};
  for (const Case& c : cases) {
    TForm1 f;
    TMemoryStream s;
    s.WriteString(c.data);
    s.SetPosition(0);
    f.Lang->ReadTranslationData(s);
    f.Lang->Loaded();
    ASSERT_GE(f.Lang->GetDlgsCaptions()->Count(), 1);
    EXPECT_EQ(f.Lang->GetDlgsCaptions()->Get(0), c.dialog);
  }
}

// ---------------------------------------------------------------- text files
TEST(TextFileTest, TwoFormsShareOneFileAndReadOnlyTheirKeys) {
  const std::string file = TempFile("shared.lng");
  TForm1 a("OK");
  TForm2 b("Cancel");
  a.Lang->SetEntryText(a.Lang->GetCaptions(), "Gut", 2, "Button1");
  a.Lang->SetEntryText(a.Lang->GetHints(), "two\r\nlines", 2, "TTestForm1");
  ASSERT_TRUE(a.Lang->WriteAllToFile(file, "~!@#"));
  ASSERT_TRUE(b.Lang->WriteAllToFile(file, "~!@#"));
  const std::string text = ReadBytes(file);
  EXPECT_NE(text.find("TTestForm1.Button1=OK~!@#Gut~!@#"), std::string::npos);
  EXPECT_NE(text.find("TTestForm2.Button1=Cancel~!@#"), std::string::npos);
  EXPECT_NE(text.find("two\x19\x1alines"), std::string::npos);
  a.Lang->GetCaptions()->Clear();
  EXPECT_GT(a.Lang->ReadTypeFromFile(TStringsType::stCaptions, file, true), 0);
  EXPECT_EQ(Find(a.Lang->GetCaptions(), "Button1"), "Button1\x01OK\x01Gut\x01");
  EXPECT_EQ(LocLang::EntryField(a.Lang->GetCaptions()->Get(0), '\x01', 0), "TTestForm1");
  EXPECT_EQ(a.Lang->GetCaptions()->Count(), 2);
  a.Lang->ReadTypeFromFile(TStringsType::stHints, file, true);
  EXPECT_EQ(Find(a.Lang->GetHints(), "TTestForm1"), "TTestForm1\x01\x01two\r\nlines\x01");
}

TEST(TextFileTest, CollectionKeysUseMinusAndPlus) {
  TTestFormFixture f(false, 2);
  f.Lang->CollectTexts();
  f.Lang->SetEntryText(f.Lang->GetCollections(), "Zweite", 2, "Grid1.Items[1].Title");
  TMemoryStream s;
  ASSERT_TRUE(f.Lang->WriteAllToStream(s, "~!@#"));
  EXPECT_NE(s.DataString().find("TTestForm1.Grid1.Items-1+.Title=Second~!@#Zweite~!@#"), std::string::npos);
  // Every list type and the extended section survive one write.
  EXPECT_NE(s.DataString().find("[Captions]"), std::string::npos);
  EXPECT_NE(s.DataString().find("[Multilines]"), std::string::npos);
  EXPECT_NE(s.DataString().find("[OPTIONS]\r\nDelimiter=~!@#"), std::string::npos);
  f.Lang->GetCollections()->Clear();
  f.Lang->ReadTypeFromStream(TStringsType::stCollections, s, true);
  EXPECT_EQ(Find(f.Lang->GetCollections(), "Grid1.Items[1].Title"), "Grid1.Items[1].Title\x01Second\x01Zweite\x01");
}

TEST(TextFileTest, ImportMergeAndOldSection) {
  const std::string file = TempFile("import.lng");
  WriteBytes(file,
             "[OPTIONS]\nDELIMITER=~\n[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=French\n"
             "[Captions]\nTTestForm1.Button1=OK~Bien~\n[Language names - for intenal use only!]\nLanguage_1=x\n");
  TForm1 f;
  f.Lang->SetEntryText(f.Lang->GetCaptions(), "Gut", 2, "Button1");
  f.Lang->ImportLanguage(TStringsType::stCaptions, file, "French");
  EXPECT_EQ(f.Lang->GetNumOfLanguages(), 3);
  EXPECT_EQ(f.Lang->GetLangNames()->Get(2), "French");
  EXPECT_EQ(Find(f.Lang->GetCaptions(), "Button1"), "Button1\x01OK\x01Gut\x01" "Bien\x01");
  // Merging keeps what the file lacks.
  f.Lang->GetStrings()->Add("Extra1\x01" "e\x01\x01\x01");
  EXPECT_TRUE(f.Lang->MergeTypeFromFile(TStringsType::stStrings, file));
  EXPECT_NE(Find(f.Lang->GetStrings(), "Extra1"), "<none>");
  ASSERT_GE(f.Lang->WriteTypeToFile(TStringsType::stCaptions, file, "~"), 0);
  EXPECT_EQ(ReadBytes(file).find("intenal"), std::string::npos);
  EXPECT_FALSE(f.Lang->DoRaiseExceptions);
  f.Lang->DoRaiseExceptions = true;
  EXPECT_THROW(f.Lang->ImportLanguage(TStringsType::stCaptions, file, "Klingon"), Exception);
}

TEST(TextFileTest, ValuesKeysAndLanguageCountsFromDamagedFiles) {
  TTestFormFixture f(false, 3);
  f.Lang->SetActiveLanguage(3);
  TMemoryStream s;
  s.WriteString("[OPTIONS]\nDELIMITER=~\n[Language names - for internal use only!]\nLanguage_1=A\nLanguage_2=B\n"
                "[Captions]\nTTestForm1.Button1=\xff~x~\nTTestForm1.Label1=only\n");
  EXPECT_EQ(f.Lang->ReadTypeFromStream(TStringsType::stCaptions, s, true), 2);
  EXPECT_EQ(Find(f.Lang->GetCaptions(), "Button1"), "Button1\x01\xff\x01x\x01");
  EXPECT_EQ(Find(f.Lang->GetCaptions(), "Label1"), "Label1\x01only\x01only\x01");
  EXPECT_EQ(f.Lang->GetNumOfLanguages(), 2);
  EXPECT_EQ(f.Lang->GetActiveLanguage(), 2);
  EXPECT_EQ(Find(f.Lang->GetDlgsCaptions(), "Warning"), "Warning\x01Warning\x01\x01");
  EXPECT_EQ(f.Button1->GetCaption(), "x");
  // Missing files.
  EXPECT_EQ(f.Lang->ReadAllFromFile(TempFile("missing.lng"), true), -1);
  EXPECT_FALSE(f.Lang->MergeTypeFromFile(TStringsType::stCaptions, TempFile("missing.lng")));
  EXPECT_EQ(f.Lang->ReadTypeFromFile(TStringsType::stHints, TempFile("missing.lng"), true), -1);
}

TEST(TextFileTest, RefusedKeyLeavesTheOldFile) {
  const std::string file = TempFile("refused.lng");
  WriteBytes(file, "[Captions]\nTOther.X=1~\n");
  TForm1 f;
  f.Lang->GetOtherStrings()->Add("Button1.A=B\x01v\x01\x01");
  EXPECT_FALSE(f.Lang->WriteAllToFile(file, "~"));
  EXPECT_EQ(ReadBytes(file), "[Captions]\nTOther.X=1~\n");
  TMemoryStream s;
  EXPECT_FALSE(f.Lang->WriteAllToStream(s, "~"));
  EXPECT_EQ(s.GetSize(), 0);
}

TEST(TextFileTest, PythonConfigParserReadsTheSameFile) {
  if (std::system("python3 -c 'import configparser' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  const std::string file = TempFile("python.lng");
  TTestFormFixture f(false, 2);
  f.Lang->CollectTexts();
  ASSERT_TRUE(f.Lang->WriteAllToFile(file, "~!@#"));
  const std::string out = TempFile("python.out");
  const std::string script =
      "import configparser,sys\n"
      "c=configparser.ConfigParser(interpolation=None,strict=False,delimiters=('=',),comment_prefixes=(';',))\n"
      "c.optionxform=str\n"
      "c.read(sys.argv[1],encoding='utf-8')\n"
      "o=open(sys.argv[2],'w',encoding='utf-8')\n"
      "[o.write(s+'|'+k+'|'+v+'\\n') for s in c.sections() for k,v in c.items(s)]\n";
  const std::string py = TempFile("read.py");
  WriteBytes(py, script);
  ASSERT_EQ(std::system(("python3 " + py + " " + file + " " + out).c_str()), 0);
  MemIni::TMemIniFile ini(file);
  std::string expected;
  TStringList sections;
  ini.GetSectionNames(&sections);
  for (int i = 0; i < sections.Count(); ++i) {
    TStringList keys;
    ini.GetSectionKeys(sections[i], &keys);
    for (int k = 0; k < keys.Count(); ++k)
      expected += sections[i] + "|" + keys[k] + "|" + ini.GetText(sections[i], keys[k], "") + "\n";
  }
  EXPECT_EQ(ReadBytes(out), expected);
}

// ---------------------------------------------------------------- LNB files
std::string Lnb(const std::vector<std::pair<std::string, TLocLang*>>& Sections, const std::string& Names,
                int OffsetShift = 0) {
  std::string header = TLNBFileManager::HeaderText();
  std::string table;
  auto u16 = [](size_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; };
  auto i32 = [](int64_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    return std::string{char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char((u >> 24) & 0xFF)};
  };
  std::vector<std::string> blobs;
  for (const auto& [name, lang] : Sections) {
    TMemoryStream s;
    Streaming::WriteComponent(s, lang);
    blobs.push_back(s.DataString());
  }
  size_t tableSize = 0;
  for (const auto& [name, lang] : Sections) tableSize += 2 + name.size() + 4;
  size_t offset = header.size() + 4 + Names.size() + tableSize;
  std::string out = header + u16(Sections.size()) + u16(Names.size()) + Names;
  for (size_t i = 0; i < Sections.size(); ++i) {
    out += u16(Sections[i].first.size()) + Sections[i].first + i32(int64_t(offset) + OffsetShift);
    offset += blobs[i].size();
  }
  for (const std::string& b : blobs) out += b;
  return out;
}

TEST(LnbFileTest, SectionsHeaderAndNames) {
  TForm1 one;
  TForm2 two;
  two.Lang->SetEntryText(two.Lang->GetCaptions(), "Los", 2, "Button1");
  TStringList names3;
  for (const char* n : {"English", "German", "Polish"}) names3.Add(n);
  two.Lang->SetLangNames(&names3);
  const std::string bytes = Lnb({{"TTestForm2", one.Lang}, {"TTestForm1", two.Lang}}, "b\r\na\r\n");
  TForm1 target;
  TLNBFileManager manager;
  TMemoryStream s;
  s.WriteString(bytes);
  manager.LoadSectionFromStream(target.Lang, "TTestForm1", s);
  EXPECT_EQ(Find(target.Lang->GetCaptions(), "Button1"), "Button1\x01OK\x01Los\x01");
  EXPECT_EQ(target.Lang->GetNumOfLanguages(), 3);
  EXPECT_EQ(manager.Names()->Count(), 2);
  EXPECT_EQ(manager.Names()->Get(0), "a");
  // A section asked by another letter case is not there.
  const auto before = AllLists(target.Lang);
  manager.LoadSectionFromStream(target.Lang, "ttestform1", s);
  EXPECT_EQ(AllLists(target.Lang), before);
  // An empty name text empties the names.
  TMemoryStream empty;
  empty.WriteString(Lnb({{"TTestForm1", two.Lang}}, ""));
  manager.LoadSectionFromStream(target.Lang, "TTestForm1", empty);
  EXPECT_EQ(manager.Names()->Count(), 0);
}

TEST(LnbFileTest, DamagedFilesAreRejectedAndChangeNothing) {
  TForm1 source;
  source.Lang->SetEntryText(source.Lang->GetCaptions(), "Los", 2, "Button1");
  const std::string good = Lnb({{"TTestForm1", source.Lang}}, "");
  std::string badHeader = good;
  badHeader[5] = 'X';
  std::vector<std::string> damaged = {badHeader, Lnb({{"TTestForm1", source.Lang}}, "", -1000000),
                                      Lnb({{"TTestForm1", source.Lang}}, "", 1000000), good.substr(0, 50),
                                      good.substr(0, 10), ""};
  for (const std::string& bytes : damaged) {
    TForm1 target;
    const auto before = AllLists(target.Lang);
    TLNBFileManager manager;
    TMemoryStream s;
    s.WriteString(bytes);
    try {
      manager.LoadSectionFromStream(target.Lang, "TTestForm1", s);
      ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Unrecognized stream format!");
    }
    EXPECT_EQ(AllLists(target.Lang), before);
    EXPECT_FALSE(target.Lang->Suspended);
  }
}

// ---------------------------------------------------------------- dispatcher
TEST(DispatcherTest, LinkingLoadsTheFileAndAdoptsItsNames) {
  const std::string text = TempFile("dispatch.lng");
  const std::string lnb = TempFile("dispatch.lnb");
  {
    TForm1 source;
    source.Lang->SetEntryText(source.Lang->GetCaptions(), "Los", 2, "Button1");
    ASSERT_TRUE(source.Lang->WriteAllToFile(text, "~!@#"));
    WriteBytes(lnb, Lnb({{"TTestForm1", source.Lang}}, ""));
  }
  for (const std::string& file : {text, lnb}) {
    auto* owner = Create<TComponent>(nullptr);
    auto* d = Create<TLocLangDispatcher>(owner);
    d->FileName = file;
    d->SetActiveLanguage(2);
    TLocCustomLang* linked = nullptr;
    d->OnLinkToDispatcher = [&](TObject*, TLocCustomLang* L) { linked = L; };
    TForm1 f;
    f.Lang->GetCaptions()->Clear();
    f.Lang->SetLangDispatcher(d);
    EXPECT_EQ(linked, f.Lang);
    EXPECT_EQ(d->GetLangNames()->GetCommaText(), "English,German") << file;
    EXPECT_EQ(d->GetNumOfLanguages(), 2);
    EXPECT_EQ(f.Button->GetCaption(), "Los") << file;
    owner->Free();
    EXPECT_EQ(f.Lang->GetLangDispatcher(), nullptr);
  }
}

TEST(DispatcherTest, SwitchesAllOrNone) {
  auto* owner = Create<TComponent>(nullptr);
  auto* d = Create<TLocLangDispatcher>(owner);
  d->SetNumOfLanguages(3);
  TForm1 a;
  TForm2 b;
  a.Lang->SetLangDispatcher(d);
  b.Lang->SetLangDispatcher(d);
  b.Lang->SetNumOfLanguages(2);
  try {
    d->SetActiveLanguage(3);
    ADD_FAILURE();
  } catch (const ELanguageError& e) {
    EXPECT_STREQ(e.what(), "3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(a.Lang->GetActiveLanguage(), 1);
  EXPECT_EQ(b.Lang->GetActiveLanguage(), 1);
  d->SetActiveLanguage(2);
  EXPECT_EQ(a.Lang->GetActiveLanguage(), 2);
  EXPECT_EQ(b.Lang->GetActiveLanguage(), 2);
  TStringList none;
  d->SetLangNames(&none);
  EXPECT_EQ(d->GetNumOfLanguages(), 1);
  owner->Free();
}

TEST(DispatcherTest, TestModeTexts) {
  struct Case {
    TTestModeKind kind;
    int percent;
    std::string text, expected;
  };
  for (const Case& c : {Case{TTestModeKind::tmkExpandChars, 100, "abc", "a*b*c*"},
                        Case{TTestModeKind::tmkExpandChars, 50, "abc", "ab*c*"},
                        Case{TTestModeKind::tmkFlipCase, 100, "AbC1", "aBc1"},
                        Case{TTestModeKind::tmkFlipCase, 100, "", ""},
                        Case{TTestModeKind::tmkExpandChars, 100, "", ""},
                        Case{TTestModeKind::tmkExpandWidth, 100, "", ""}}) {
    TTestModeInfo info;
    info.Kind = c.kind;
    info.ExpandCharsPercent = c.percent;
    EXPECT_EQ(LocLang::TestModeText(info, c.text), c.expected) << c.text;
  }
  TTestModeInfo wide;
  const std::string expanded = LocLang::TestModeText(wide, "abc");
  EXPECT_GT(expanded.size(), 3u);
  std::string letters;
  for (char ch : expanded)
    if (ch != '*') letters += ch;
  EXPECT_EQ(letters, "ABC");
  // A padding character without width must not loop for ever.
  wide.PaddingChar = 0;
  EXPECT_LE(LocLang::TestModeText(wide, "abc").size(), 3u + 12u);
  // Through the dispatcher: an untranslated text shows in its test form.
  auto* owner = Create<TComponent>(nullptr);
  auto* d = Create<TLocLangDispatcher>(owner);
  d->SetNumOfLanguages(2);
  d->GetTestModeInfo()->Active = true;
  d->GetTestModeInfo()->Kind = TTestModeKind::tmkFlipCase;
  TForm1 f;
  f.Lang->SetLangDispatcher(d);
  d->SetActiveLanguage(2);
  EXPECT_EQ(f.Button->GetCaption(), "ok");
  owner->Free();
}

// ---------------------------------------------------------------- form storage
struct TStoredForm {
  TTestForm1* Form;
  TLocFormStorage* Storage;
  explicit TStoredForm(const std::string& Key) {
    Form = Create<TTestForm1>(nullptr);
    Form->SetBounds(10, 20, 300, 200);
    Storage = Create<TLocFormStorage>(Form);
    Storage->SetSubKey(Key);
  }
  ~TStoredForm() {
    if (Form) Form->Free();
  }
};

TEST(FormStorageTest, SavesAndRestoresPlaceAndState) {
  const std::string key = "\\Software\\KvTests\\FormStorage" + std::to_string(::getpid());
  {
    TStoredForm s(key);
    s.Storage->Loaded();  // new key: nothing to restore
    EXPECT_EQ(s.Form->GetLeft(), 10);
    TRegistry reg;
    EXPECT_TRUE(reg.KeyExists(key));
    s.Form->SetBounds(40, 50, 320, 240);
  }
  {
    TStoredForm s(key);
    s.Storage->Loaded();
    EXPECT_EQ(s.Form->GetLeft(), 40);
    EXPECT_EQ(s.Form->GetHeight(), 240);
    s.Form->SetWindowState(TWindowState::wsMaximized);
    s.Form->SetBounds(1, 1, 100, 100);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(key, false));
  EXPECT_EQ(reg.ReadString("State"), "Maximized");
  EXPECT_EQ(reg.ReadInteger("Left"), 40);  // bounds of the earlier normal save
  {
    TStoredForm s(key);
    s.Storage->Loaded();
    EXPECT_EQ(s.Form->GetWindowState(), TWindowState::wsMaximized);
    EXPECT_EQ(s.Form->GetLeft(), 40);
    s.Storage->SetActive(false);
    s.Form->SetWindowState(TWindowState::wsNormal);
  }
  EXPECT_EQ(reg.ReadString("State"), "Maximized");
  {
    TStoredForm s(key + "Off");
    s.Storage->SetActive(false);
    s.Storage->Loaded();
  }
  EXPECT_FALSE(reg.KeyExists(key + "Off"));
  reg.DeleteKey(key);
  EXPECT_THROW(Create<TLocFormStorage>(nullptr), EInvalidCast);
}

TEST(FormStorageTest, AStoreThatCannotBeWrittenDoesNotEndTheProgram) {
  const char* old = std::getenv("KV_CONFIG_DIR");
  const std::string saved = old ? old : "";
  ::setenv("KV_CONFIG_DIR", "/proc/kv-no-such-dir", 1);
  Registry::ReloadStore();
  std::string reported;
  {
    TStoredForm s("\\Software\\KvTests\\Unwritable");
    s.Storage->OnSaveError = [&](const std::exception& e) { reported = e.what(); };
  }
  if (old)
    ::setenv("KV_CONFIG_DIR", saved.c_str(), 1);
  else
    ::unsetenv("KV_CONFIG_DIR");
  Registry::ReloadStore();
  EXPECT_FALSE(reported.empty());
}

}  // namespace

namespace {

// Damaged bytes for every reader of outside data: nothing crashes, the
// component stays usable and keeps its delimiter discipline.
TEST(DamagedInputTest, ReadersSurviveDamagedBytes) {
  const std::vector<std::string> inputs = {
      "",
      std::string("\0\0\0", 3),
      "stCaptions",
      "stCaptions\r\n\x01\x01\x01\r\n\r\nstHints\r\n\x19\x1a",
      "#TranslationData format 2, delimiter 999\r\nstFonts\r\nTTestForm1\x01\x01",
      "[OPTIONS]\nDELIMITER=\n[Captions]\nTTestForm1.=\n=\n[",
      "[Language names - for internal use only!]\nLanguage_1=\nLanguage_2=x\n[Collections]\nTTestForm1.G-+-+.=a",
      "[Language names - for internal use only!]\nLanguage_1=a\n[Extended]\nTTestForm1.X.Y=1~2\nTTestForm1.X.Y_TypeKind=~",
      std::string(TLNBFileManager::HeaderText()) + "\xff\xff\xff\xff",
  };
  for (const std::string& bytes : inputs) {
    TForm1 f;
    TMemoryStream a, b, c;
    a.WriteString(bytes);
    a.SetPosition(0);
    f.Lang->ReadTranslationData(a);
    f.Lang->Loaded();
    b.WriteString(bytes);
    f.Lang->ReadAllFromStream(b, true);
    f.Lang->MergeAllFromStreamAndApply(b);
    MemIni::TMemIniFile ini;
    ini.FromText(bytes);
    c.WriteString(bytes);
    TLNBFileManager manager;
    EXPECT_THROW(manager.LoadSectionFromStream(f.Lang, "TTestForm1", c), Exception);
    EXPECT_GE(f.Lang->GetNumOfLanguages(), 1);
    EXPECT_GE(f.Lang->GetActiveLanguage(), 1);
    EXPECT_LE(f.Lang->GetActiveLanguage(), f.Lang->GetNumOfLanguages());
    f.Lang->ApplyLanguage();
  }
}

}  // namespace

}  // namespace LocLangFilesTest
