#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"

namespace SettingsStoreTests {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Items(const TStrings& list) {
  std::vector<std::string> r;
  for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
  return r;
}

using V = std::vector<std::string>;

std::string ReadAll(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A folder of its own for each test.
class SettingsFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    FDir = (fs::temp_directory_path() / ("kv_rtl_" + std::to_string(::getpid()) + "_" + info->name())).string();
    fs::remove_all(FDir);
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }
  std::string FDir;
};

using IniFile = SettingsFolder;

// Points the registry store at the test's folder and restores the variable.
class RegistryStore : public SettingsFolder {
 protected:
  void SetUp() override {
    SettingsFolder::SetUp();
    if (const char* old = std::getenv("KV_CONFIG_DIR")) FOld = old, FHadOld = true;
    ::setenv("KV_CONFIG_DIR", (FDir + "/config").c_str(), 1);
    Registry::ReloadStore();
  }
  void TearDown() override {
    if (FHadOld)
      ::setenv("KV_CONFIG_DIR", FOld.c_str(), 1);
    else
      ::unsetenv("KV_CONFIG_DIR");
    Registry::ReloadStore();
    SettingsFolder::TearDown();
  }
  std::string FOld;
  bool FHadOld = false;
};

}  // namespace

TEST_F(IniFile, ValuesRoundTripThroughTheFile) {
  const std::string file = FDir + "/kelmvev2er.in";
  {
    TIniFile ini(file);
    ini.WriteString("FileOpen", "File1", "/data/line 1.k2d");
    ini.WriteInteger("FileOpen", "Count", -3);
    ini.WriteBool("Axis", "Visible", true);
    ini.WriteFloat("Axis", "Min", -0.125);
    ini.WriteString("Axis", "Title", "  padded  ");  // blanks would be trimmed on reading
  }
  TIniFile ini(file);  // a new object reads what is on disk
  EXPECT_EQ(ini.ReadString("fileopen", "FILE1", ""), "/data/line 1.k2d");
  EXPECT_EQ(ini.ReadInteger("FileOpen", "Count", 0), -3);
  EXPECT_TRUE(ini.ReadBool("AXIS", "visible", false));
  EXPECT_EQ(ini.ReadFloat("Axis", "Min", 0), -0.125);
  EXPECT_EQ(ini.ReadString("Axis", "Title", ""), "padded");
  EXPECT_EQ(ini.ReadString("Axis", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadString("Nowhere", "File1", "dflt"), "dflt");
  EXPECT_EQ(ReadAll(file), "[FileOpen]\nFile1=/data/line 1.k2d\nCount=-3\n[Axis]\nVisible=1\nMin=-0.125\nTitle=  padded  \n");
}

TEST_F(IniFile, BadNumbersGiveTheDefaultAndDecimalCommasAreRead) {
  const std::string file = FDir + "/a.ini";
  std::ofstream(file) << "[S]\nInt=12x\nHex=$1F\nF1=2,5\nF2=abc\nB1=true\nB2=0\nB3=yes\nQ=\"quoted value\"\n";
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("S", "Int", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(ini.ReadFloat("S", "F1", 0), 2.5);
  EXPECT_EQ(ini.ReadFloat("S", "F2", 9.5), 9.5);
  EXPECT_TRUE(ini.ReadBool("S", "B1", false));
  EXPECT_FALSE(ini.ReadBool("S", "B2", true));
  EXPECT_TRUE(ini.ReadBool("S", "B3", true));  // not a number: the default
  EXPECT_EQ(ini.ReadString("S", "Q", ""), "quoted value");
  // Written with "." whatever the locale.
  TFormatSettings comma = TFormatSettings::Invariant();
  comma.DecimalSeparator = ',';
  TFormatSettingsScope scope(comma);
  ini.WriteFloat("S", "F3", 1.75);
  EXPECT_EQ(ini.ReadString("S", "F3", ""), "1.75");
}

TEST_F(IniFile, SectionsKeysAndErasing) {
  const std::string file = FDir + "/b.ini";
  std::ofstream(file) << "; settings\n[One]\na=1\n; keep me\nb=2\n\n[Two]\nc=3\n";
  TIniFile ini(file);
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Items(list), (V{"One", "Two"}));
  ini.ReadSection("one", &list);
  EXPECT_EQ(Items(list), (V{"a", "b"}));
  ini.ReadSectionValues("One", &list);
  EXPECT_EQ(Items(list), (V{"a=1", "b=2"}));
  EXPECT_TRUE(ini.SectionExists("TWO"));
  EXPECT_FALSE(ini.SectionExists("Three"));
  EXPECT_TRUE(ini.ValueExists("One", "B"));
  EXPECT_FALSE(ini.ValueExists("One", "c"));
  ini.WriteString("One", "New", "x");
  ini.DeleteKey("One", "a");
  ini.EraseSection("two");
  EXPECT_EQ(ReadAll(file), "; settings\n[One]\n; keep me\nb=2\nNew=x\n\n");
}

TEST_F(IniFile, SeesChangesMadeByOthersAndKeepsLineBreaksOut) {
  const std::string file = FDir + "/c.ini";
  TIniFile ini(file);
  ini.WriteString("S", "k", "first");
  std::ofstream(file) << "[S]\nk=changed elsewhere\n";
  EXPECT_EQ(ini.ReadString("S", "k", ""), "changed elsewhere");
  ini.WriteString("S", "k", "two\nlines\r\n[Injected]");
  TIniFile again(file);
  TStringList sections;
  again.ReadSections(&sections);
  EXPECT_EQ(Items(sections), (V{"S"}));
  EXPECT_EQ(again.ReadString("S", "k", ""), "two lines  [Injected]");
}

TEST_F(IniFile, AFailedWriteRaisesAndLeavesNoTemporaryFile) {
  TIniFile ini(FDir + "/missing/d.ini");
  try {
    ini.WriteString("S", "k", "v");
    FAIL();
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + FDir + "/missing/d.ini");
  }
  EXPECT_EQ(ini.ReadString("S", "k", "none"), "none");
  TIniFile ok(FDir + "/e.ini");
  ok.WriteString("S", "k", "v");
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir), fs::directory_iterator()), 1);
}

TEST_F(RegistryStore, ValuesOfEveryTypeSurviveAReopenFromDisk) {
  const unsigned char blob[] = {0, 1, 0xFE, 0xFF};
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\KelmVev2er", true));
    reg.WriteString("Defpolparams", "100 5 \"quoted\" \\ back\nline Ω");
    reg.WriteInteger("Count", -42);
    reg.WriteBool("Smooth", true);
    reg.WriteFloat("Ratio", 0.1);
    reg.WriteBinaryData("Blob", blob, sizeof blob);
    reg.WriteString("", "default value");
  }
  EXPECT_TRUE(fs::exists(Registry::StoreFileName()));
  EXPECT_EQ(Registry::StoreFileName(), FDir + "/config/registry.txt");
  Registry::ReloadStore();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\software\\KELMVEV2ER"));
  EXPECT_EQ(reg.CurrentPath(), "HKEY_CURRENT_USER\\Software\\KelmVev2er");
  EXPECT_EQ(reg.ReadString("defpolparams"), "100 5 \"quoted\" \\ back\nline Ω");
  EXPECT_EQ(reg.ReadInteger("Count"), -42);
  EXPECT_TRUE(reg.ReadBool("Smooth"));
  EXPECT_EQ(reg.ReadFloat("Ratio"), 0.1);
  unsigned char back[8] = {};
  EXPECT_EQ(reg.GetDataSize("Blob"), 4);
  EXPECT_EQ(reg.ReadBinaryData("Blob", back, sizeof back), 4);
  EXPECT_EQ(std::vector<unsigned char>(back, back + 4), std::vector<unsigned char>(blob, blob + 4));
  EXPECT_EQ(reg.ReadString(""), "default value");
  EXPECT_EQ(reg.GetDataType("Count"), TRegDataType::rdInteger);
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Items(names), (V{"Defpolparams", "Count", "Smooth", "Ratio", "Blob", ""}));
}

TEST_F(RegistryStore, KeysAreATreeUnderSeparateRoots) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\KelmVev2er\\Views\\Pseudo1", true));
  ASSERT_TRUE(reg.OpenKey("\\Software\\KelmVev2er", false));
  EXPECT_TRUE(reg.OpenKey("Views\\Graph", true));  // relative to the open key
  EXPECT_EQ(reg.CurrentPath(), "HKEY_CURRENT_USER\\Software\\KelmVev2er\\Views\\Graph");
  ASSERT_TRUE(reg.OpenKey("\\Software\\KelmVev2er\\Views", false));
  TStringList keys;
  reg.GetKeyNames(&keys);
  EXPECT_EQ(Items(keys), (V{"Graph", "Pseudo1"}));
  EXPECT_TRUE(reg.HasSubKeys());
  EXPECT_FALSE(reg.OpenKey("\\Software\\Missing", false));
  EXPECT_FALSE(reg.OpenKey("\\Software\\Two\nLines", true));  // would break the store's key lines
  EXPECT_EQ(reg.CurrentPath(), "HKEY_CURRENT_USER\\Software\\KelmVev2er\\Views");  // still open

  reg.SetRootKey(0x12345);  // not a root: nothing opens
  EXPECT_FALSE(reg.OpenKey("\\Software", true));
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  EXPECT_FALSE(reg.KeyExists("\\Software\\KelmVev2er"));
  ASSERT_TRUE(reg.OpenKey("\\.k2d", true));
  reg.WriteString("", "KelmVev2Er.k2d");
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_FALSE(reg.KeyExists("\\.k2d"));
  EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\kelmvev2er\\views"));

  EXPECT_TRUE(reg.DeleteKey("\\Software\\KelmVev2er\\Views"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\KelmVev2er\\Views\\Graph"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\KelmVev2er"));
  EXPECT_FALSE(reg.DeleteKey("\\Software\\KelmVev2er\\Views"));
}

TEST_F(RegistryStore, ReadsAndWritesReportMissingOrMistypedValues) {
  TRegistry reg;
  auto expectError = [](auto action, const std::string& message) {
    try {
      action();
      ADD_FAILURE() << message;
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectError([&] { reg.WriteInteger("X", 1); }, "Failed to set data for 'X'");  // no key open
  ASSERT_TRUE(reg.OpenKey("\\Software\\Test", true));
  reg.WriteString("Text", "12");
  reg.WriteInteger("Number", 12);
  EXPECT_EQ(reg.ReadString("Absent"), "");
  expectError([&] { reg.ReadInteger("Absent"); }, "Failed to get data for 'Absent'");
  expectError([&] { reg.ReadInteger("Text"); }, "Invalid data type for 'Text'");
  expectError([&] { reg.ReadString("Number"); }, "Invalid data type for 'Number'");
  expectError([&] { reg.ReadFloat("Number"); }, "Invalid data type for 'Number'");
  reg.WriteBinaryData("Blob", "abcdef", 6);
  char small[4];
  expectError([&] { reg.ReadBinaryData("Blob", small, sizeof small); }, "Failed to get data for 'Blob'");
  EXPECT_TRUE(reg.DeleteValue("text"));
  EXPECT_FALSE(reg.ValueExists("Text"));
  EXPECT_FALSE(reg.DeleteValue("Text"));
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Test"));
  expectError([&] { reg.WriteString("Y", "1"); }, "Failed to set data for 'Y'");
  EXPECT_EQ(reg.GetDataSize("Absent"), -1);
}

TEST_F(RegistryStore, ADamagedStoreLoadsWhatCanBeReadAndIsRewrittenClean) {
  fs::create_directories(FDir + "/config");
  std::ofstream(Registry::StoreFileName(), std::ios::binary)
      << "KelmVev2Er registry 1\n"
         "\"Orphan\"=\"before any key\"\n"
         "[HKEY_CURRENT_USER\\Software\\Good]\n"
         "\"Name\"=\"ok\"\n"
         "\"Broken\"=\"no end\n"
         "\"Num\"=dword:0000002a\n"
         "\"BadNum\"=dword:xyz\n"
         "\"Blob\"=hex:01,0\n"
         "garbage line \x01\x02\n"
         "[HKEY_NOWHERE\\Lost]\n"
         "\"Lost\"=\"value\"\n"
         "[HKEY_CURRENT_USER\\Software\\Half\n"
         "\"Also\"=\"lost\"\n";
  Registry::ReloadStore();
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Good", false));
  EXPECT_EQ(reg.ReadString("Name"), "ok");
  EXPECT_EQ(reg.ReadInteger("Num"), 42);
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Items(names), (V{"Name", "Num"}));
  EXPECT_FALSE(reg.KeyExists("\\Software\\Half"));
  reg.WriteString("Name", "new");
  const std::string text = ReadAll(Registry::StoreFileName());
  EXPECT_EQ(text.find("garbage"), std::string::npos);
  EXPECT_NE(text.find("\"Name\"=\"new\""), std::string::npos);
  // Nothing but the store is left in the folder (no temporary files).
  EXPECT_EQ(std::distance(fs::directory_iterator(FDir + "/config"), fs::directory_iterator()), 1);
}

TEST_F(RegistryStore, AnotherWritersChangesAreSeen) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Shared", true));
  reg.WriteInteger("A", 1);
  std::string text = ReadAll(Registry::StoreFileName());
  text += "\"B\"=dword:00000002\n";  // appended under the last key by someone else
  std::ofstream(Registry::StoreFileName(), std::ios::binary) << text;
  EXPECT_EQ(reg.ReadInteger("B"), 2);
  reg.WriteInteger("C", 3);
  Registry::ReloadStore();
  EXPECT_EQ(reg.ReadInteger("A") + reg.ReadInteger("B") + reg.ReadInteger("C"), 6);
}

}  // namespace SettingsStoreTests
