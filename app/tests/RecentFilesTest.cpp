// The recent-files list: its keys in the settings file, the items it shows
// under a menu, and the main window's "Recent" entries that open their files.

#include <filesystem>
#include <fstream>

#include "app/FileMO.h"
#include "app/tests/AppTestSupport.h"
#include "chart/engine/Chart.h"

namespace RecentFilesTest {

namespace {

namespace fs = std::filesystem;
using AppTest::AppFixture;

class RecentListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = fs::temp_directory_path() / ("kv_recent_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
    Ini = (Dir / "kelmvev2er.in").string();
    fs::remove(Ini);
    Menu = Create<TMenuItem>(nullptr);
    Menu->Add(Create<TMenuItem>(Menu));  // an item of someone else's, after the entries
    Menu->GetItem(0)->SetCaption("-");
  }
  void TearDown() override {
    if (List) List->Free();
    Menu->Free();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  // The component as the main window sets it up at start-up.
  TFileMenuOpens& Start() {
    if (List) List->Free();
    List = Create<TFileMenuOpens>(nullptr, Ini);
    List->SetRegPath("\\Software\\KelmVev2er\\Files");
    List->SetNumbers(5);
    List->SetMenus(Menu);
    List->SetMenuIndex(0);
    return *List;
  }
  std::string Key(int K) const { return TIniFile(Ini).ReadString("FileOpen", std::to_string(K), "<none>"); }
  // Captions of the menu's items, the foreign "-" included.
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < Menu->Count(); ++i) captions.push_back(Menu->GetItem(i)->GetCaption());
    return captions;
  }
  void WriteIni(const std::string& Text) { std::ofstream(Ini) << Text; }

  fs::path Dir;
  std::string Ini;
  TMenuItem* Menu = nullptr;
  TFileMenuOpens* List = nullptr;
};

using Strings = std::vector<std::string>;

TEST_F(RecentListTest, OpensListNewestFirstAndMoveAListedFileToTheTop) {
  struct TCase {
    Strings Added;
    Strings Expected;
  };
  const TCase cases[] = {
      {{"/a", "/b", "/c", "/d", "/e"}, {"/e", "/d", "/c", "/b", "/a"}},
      // A sixth file pushes the oldest out.
      {{"/a", "/b", "/c", "/d", "/e", "/f"}, {"/f", "/e", "/d", "/c", "/b"}},
      // Entry 3, entry 2 and entry 5 move to the top without a second listing.
      {{"/a", "/b", "/c", "/d", "/e", "/c"}, {"/c", "/e", "/d", "/b", "/a"}},
      {{"/a", "/b", "/c", "/d", "/e", "/d"}, {"/d", "/e", "/c", "/b", "/a"}},
      {{"/a", "/b", "/c", "/d", "/e", "/a"}, {"/a", "/e", "/d", "/c", "/b"}},
      {{"/a", "/a", "/b", "/a"}, {"/a", "/b"}},
      {{"/a", ""}, {"/a"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Added.back());
    fs::remove(Ini);
    TFileMenuOpens& list = Start();
    for (const std::string& name : c.Added) list.AddFile(name);
    EXPECT_EQ(list.Files(), c.Expected);
    for (size_t k = 0; k < 5; ++k) EXPECT_EQ(Key(int(k + 1)), k < c.Expected.size() ? c.Expected[k] : "");
    Strings shown = c.Expected;
    shown.push_back("-");
    EXPECT_EQ(Captions(), shown);
  }
}

TEST_F(RecentListTest, ARestartKeepsFiveEntries) {
  Start();
  for (const char* name : {"/a", "/b", "/c", "/d", "/e"}) List->AddFile(name);
  Start();
  EXPECT_EQ(List->Files(), (Strings{"/e", "/d", "/c", "/b", "/a"}));
  EXPECT_EQ(Captions(), (Strings{"/e", "/d", "/c", "/b", "/a", "-"}));
}

TEST_F(RecentListTest, StoredListsShowAsItemsAndRebuildRemovesOnlyItsOwn) {
  struct TCase {
    const char* Ini;
    Strings Captions;
    Strings Names;
  };
  const TCase cases[] = {
      {"", {"-"}, {}},
      {"[FileOpen]\n1=\n2=\n3=\n4=\n5=\n", {"-"}, {}},
      // Holes of a hand-edited file are skipped.
      {"[FileOpen]\n1=/a\n2=\n4=/d\n5=/e\n", {"/a", "/d", "/e", "-"}, {"FileOpen1", "FileOpen4", "FileOpen5"}},
      // Keys beyond the list's length are not shown.
      {"[FileOpen]\n2=/b\n7=/g\n", {"/b", "-"}, {"FileOpen2"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Ini);
    WriteIni(c.Ini);
    Start();
    EXPECT_EQ(Captions(), c.Captions);
    Strings names;
    for (int i = 0; i + 1 < Menu->Count(); ++i) names.push_back(Menu->GetItem(i)->GetName());
    EXPECT_EQ(names, c.Names);
    List->RebuildMenu();
    List->RebuildMenu();
    EXPECT_EQ(Captions(), c.Captions);
  }
  EXPECT_EQ(Key(1), "");  // the start writes the missing keys empty
  EXPECT_EQ(Key(7), "/g");
}

TEST_F(RecentListTest, AmpersandShowsAsItselfAndTheItemKeepsThePath) {
  Start();
  List->AddFile("/data/R&D/a&&b.k2d");
  TMenuItem* item = Menu->GetItem(0);
  EXPECT_EQ(item->GetCaption(), "/data/R&&D/a&&&&b.k2d");
  EXPECT_EQ(Menus::StripHotkey(item->GetCaption()), "/data/R&D/a&&b.k2d");
  std::string clicked;
  List->SetOnAction([&](TObject* Sender) { clicked = dynamic_cast<TFileMenuItem*>(Sender)->FileName; });
  Menu->GetItem(0)->Click();
  EXPECT_EQ(clicked, "/data/R&D/a&&b.k2d");
}

TEST_F(RecentListTest, NumbersWritesOrDeletesTheSlotsBeyondTheOldLength) {
  Start();
  for (const char* name : {"/a", "/b", "/c", "/d", "/e"}) List->AddFile(name);
  List->SetNumbers(7);
  EXPECT_EQ(Key(6), "");
  EXPECT_EQ(Key(7), "");
  EXPECT_EQ(Key(5), "/a");
  List->SetNumbers(3);
  EXPECT_EQ(Key(4), "<none>");
  EXPECT_EQ(Key(7), "<none>");
  EXPECT_EQ(Captions(), (Strings{"/e", "/d", "/c", "-"}));
  // The menu follows its index; the entries stay together.
  List->SetMenuIndex(1);
  EXPECT_EQ(Captions(), (Strings{"-", "/e", "/d", "/c"}));
}

TEST_F(RecentListTest, AFreedMenuIsForgotten) {
  Start();
  List->AddFile("/a");
  Menu->Free();
  Menu = Create<TMenuItem>(nullptr);
  List->AddFile("/b");  // no menu: only the list changes
  EXPECT_EQ(List->Files(), (Strings{"/b", "/a"}));
  EXPECT_EQ(List->GetMenus(), nullptr);
}

// ---- the main window ----

class RecentMenuTest : public AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    Dir = fs::temp_directory_path() / ("kv_recent_menu_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  void TearDown() override {
    AppFixture::TearDown();
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  std::string CopyOfWenner(const std::string& Name) {
    const fs::path target = Dir / Name;
    fs::copy_file(AppTest::ExampleFile("wenner.k2d"), target, fs::copy_options::overwrite_existing);
    return target.string();
  }
  Strings RecentCaptions(const TMainForm& F) const {
    Strings captions;
    for (int i = 0; i < F.Recent1->Count(); ++i) captions.push_back(F.Recent1->GetItem(i)->GetCaption());
    return captions;
  }
  fs::path Dir;
};

TEST_F(RecentMenuTest, SuccessfulOpensFillRecentAndAFailedOneAddsNothing) {
  const std::string first = CopyOfWenner("first.k2d");
  const std::string second = CopyOfWenner("R&D.k2d");
  TMainForm& f = OpenForm();
  EXPECT_TRUE(RecentCaptions(f).empty());
  for (const std::string& file : {first, second}) {
    Seam.AnswerFileDialog(TFileDialogResult{{file}, 1});
    AppTest::AcceptModelConstructor(Seam);
    f.Openfile1->Click();
  }
  EXPECT_EQ(RecentCaptions(f), (Strings{TFileMenuOpens::CaptionOf(second), first}));
  const std::string bad = (Dir / "broken.k2d").string();
  std::ofstream(bad) << "this is no survey\n";
  Seam.AnswerFileDialog(TFileDialogResult{{bad}, 1});
  Seam.AnswerMessage(mrOk);
  f.Openfile1->Click();
  EXPECT_EQ(RecentCaptions(f), (Strings{TFileMenuOpens::CaptionOf(second), first}));
  EXPECT_EQ(f.FileMenuOpens1->SettingsFile(), Chart::SettingsFileName());
}

TEST_F(RecentMenuTest, AnEntryOpensItsFileWithThePanePresets) {
  // wenner.k2d has no polarizability: jointly its upper section stays empty.
  const struct {
    int32_t Style;
    double Upper;
    double Model;
  } cases[] = {{0, 33.0, 33.0}, {1, 0.1, 50.0}};
  const std::string older = CopyOfWenner("older.k2d");
  const std::string amp = CopyOfWenner("a&b.k2d");
  {
    TIniFile ini(Chart::SettingsFileName());
    ini.WriteString("FileOpen", "1", amp);
    ini.WriteString("FileOpen", "2", older);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Style);
    TMainForm& f = OpenForm();
    f.SetWorksheetStyle(c.Style);
    f.SetPaneHeights(20.0, 20.0);
    ASSERT_EQ(f.Recent1->Count(), 2);
    AppTest::AcceptModelConstructor(Seam);
    f.Recent1->GetItem(0)->Click();
    EXPECT_EQ(f.Survey.DataFileName, amp);
    EXPECT_EQ(f.GetCaption(), "KelmVev2Er [a&b.k2d]");
    EXPECT_TRUE(f.ObservedLoaded);
    EXPECT_DOUBLE_EQ(f.percent1, c.Upper);
    EXPECT_DOUBLE_EQ(f.percent2, c.Model);
    EXPECT_EQ(RecentCaptions(f), (Strings{TFileMenuOpens::CaptionOf(amp), older}));
    CloseForm();
  }
  // Reopening entry 2 moves it up.
  TMainForm& f = OpenForm();
  AppTest::AcceptModelConstructor(Seam);
  f.Recent1->GetItem(1)->Click();
  EXPECT_EQ(RecentCaptions(f), (Strings{older, TFileMenuOpens::CaptionOf(amp)}));
}

TEST_F(RecentMenuTest, AVanishedEntryIsReportedAndChangesNothing) {
  const std::string gone = (Dir / "gone.k2d").string();
  TIniFile(Chart::SettingsFileName()).WriteString("FileOpen", "1", gone);
  TMainForm& f = OpenForm();
  Seam.AnswerMessage(mrOk);
  f.Recent1->GetItem(0)->Click();
  EXPECT_EQ(Seam.Prompts().back().Kind, TPromptKind::Message);
  EXPECT_TRUE(f.Survey.DataFileName.empty());
  EXPECT_FALSE(f.ObservedLoaded);
  EXPECT_EQ(RecentCaptions(f), Strings{gone});
}

TEST_F(RecentMenuTest, FiveEntriesSurviveARestartOfTheWindow) {
  {
    TIniFile ini(Chart::SettingsFileName());
    for (int k = 1; k <= 5; ++k) ini.WriteString("FileOpen", std::to_string(k), "/f" + std::to_string(k));
  }
  OpenForm();
  EXPECT_EQ(RecentCaptions(*Form), (Strings{"/f1", "/f2", "/f3", "/f4", "/f5"}));
  CloseForm();
  OpenForm();
  EXPECT_EQ(RecentCaptions(*Form), (Strings{"/f1", "/f2", "/f3", "/f4", "/f5"}));
}

}  // namespace

}  // namespace RecentFilesTest
