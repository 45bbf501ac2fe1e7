// Every save of the program: failing halfway (a full disk after the first
// bytes) it says so and leaves the file it would have replaced byte for byte
// as it was, with no temporary file left beside it; and it writes the same
// bytes whatever the C locale of the process.
#include <gtest/gtest.h>

#include <clocale>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/FileAssociation.h"
#include "chart/engine/Chart.h"
#include "chart/engine/PlotConst.h"
#include "chart/series/PlotStore.h"
#include "chart/series/Series.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/FileStore.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"
#include "survey/Survey.h"
#include "views/ModelSection.h"

namespace WritersTest {

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& File) {
  std::ifstream In(File, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

void Put(const fs::path& File, const std::string& Text) {
  fs::create_directories(File.parent_path());
  std::ofstream(File, std::ios::binary | std::ios::trunc) << Text;
}

std::vector<std::string> FolderListing(const fs::path& Folder) {
  std::vector<std::string> Names;
  for (const auto& Entry : fs::directory_iterator(Folder)) Names.push_back(Entry.path().filename().string());
  std::sort(Names.begin(), Names.end());
  return Names;
}

// A writer: writes File and answers whether it reported success (an exception
// counts as a reported failure).
struct TWriterCase {
  const char* Name;
  const char* FileName;
  std::function<bool(const std::string& File)> Write;
};

bool Succeeds(const std::function<void()>& F) {
  try {
    F();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

class Writers : public ::testing::Test {
 protected:
  void SetUp() override {
    PlotConst::Initialize();
    Chart::Initialize();
    Series::RegisterStandardSeries();
    Dir = fs::temp_directory_path() / ("kv_writer_failure_" + std::to_string(::getpid()));
    fs::remove_all(Dir);
    fs::create_directories(Dir);
    Survey.OnMessage = [this](const std::string& M) { Messages.push_back(M); };
    ASSERT_NE(Survey.ReadSurveyFile(KV_SOURCE_DIR "/examples/wenner.k2d"), Survey::ReadError);
    Survey.HasObservedData = true;
    Survey.AnalyseSurvey();
    Plot = Create<TChart>(nullptr);
    Line = Create<TLineSeries>(Plot);
    Plot->AddSeries(Line);
    for (int i = 0; i < 50; ++i) Line->AppendPoint(i, i * 0.5, "");
  }
  void TearDown() override {
    FileStore::SetWriteFailureForTests(-1);
    Plot->Free();
    fs::remove_all(Dir);
  }

  std::vector<TWriterCase> Cases() {
    TBitmap* Picture = new TBitmap(40, 30);
    Pictures.emplace_back(Picture);
    Picture->GetCanvas()->Brush->SetColor(clRed);
    Picture->GetCanvas()->FillRect(TRect(0, 0, 20, 20));
    return {
        {"k2d", "survey.k2d", [this](const std::string& F) { return Survey.WriteSurveyFile(F, true, false); }},
        {"dat", "survey.dat", [this](const std::string& F) { return Survey.WriteRes2dInvFile(F, true); }},
        {"cfg", "survey.cfg", [this](const std::string& F) { return Survey.WriteConfigFile(F); }},
        {"model section", "model.k2d",
         [](const std::string& F) {
           ModelSection::TModelSection Section;
           std::string Message;
           return ModelSection::WriteSectionFile(F, -1, Section, Message);
         }},
        {"ini", "settings.ini",
         [](const std::string& F) {
           return Succeeds([&] {
             TIniFile Ini(F);
             Ini.WriteString("Section", "Key", std::string(200, 'v'));
             Ini.UpdateFile();
           });
         }},
        {"bmp", "picture.bmp", [Picture](const std::string& F) { return Succeeds([&] { Picture->SaveToFile(F); }); }},
        {"png", "picture.png",
         [Picture](const std::string& F) {
           return Succeeds([&] {
             TPngImage Png;
             Png.Assign(*Picture);
             Png.SaveToFile(F);
           });
         }},
        {"jpeg", "picture.jpg",
         [Picture](const std::string& F) {
           return Succeeds([&] {
             TJPEGImage Jpeg;
             Jpeg.Assign(*Picture);
             Jpeg.SaveToFile(F);
           });
         }},
        {"emf", "picture.emf", [this](const std::string& F) { return Succeeds([&] { Plot->SaveMetafileRect(true, F, TRect(0, 0, 200, 150)); }); }},
        {"wmf", "picture.wmf", [this](const std::string& F) { return Succeeds([&] { Plot->SaveWMF(F); }); }},
        {"chart file", "chart.chf",
         [this](const std::string& F) { return Succeeds([&] { PlotStore::WritePlotFile(Plot, F, true, false); }); }},
        {"data export", "points.txt",
         [this](const std::string& F) {
           return Succeeds([&] {
             TSeriesDataText Data(Plot, Line);
             Data.WriteToFile(F);
           });
         }},
        {"point export", "points.xy", [this](const std::string& F) { return Plot->ExportSeriesPoints(Line, F); }},
    };
  }

  fs::path Dir;
  TSurvey Survey;
  std::vector<std::string> Messages;
  TCustomChart* Plot = nullptr;
  TLineSeries* Line = nullptr;
  std::vector<std::unique_ptr<TBitmap>> Pictures;
};

TEST_F(Writers, AFailedSaveReportsAndLeavesTheOldFileUntouched) {
  const std::string Old = "the user's old file\r\nwith two lines\r\n";
  for (const TWriterCase& C : Cases()) {
    SCOPED_TRACE(C.Name);
    const fs::path File = Dir / C.FileName;
    Put(File, Old);
    const auto Before = FolderListing(Dir);
    FileStore::SetWriteFailureForTests(8);
    const bool Reported = C.Write(File.string());
    FileStore::SetWriteFailureForTests(-1);
    EXPECT_FALSE(Reported);
    EXPECT_EQ(Bytes(File), Old);
    EXPECT_EQ(FolderListing(Dir), Before);
    // Without the failure the same save replaces the file.
    EXPECT_TRUE(C.Write(File.string()));
    EXPECT_NE(Bytes(File), Old);
  }
}

TEST_F(Writers, TheSameBytesUnderALocaleWithADecimalComma) {
  std::vector<std::string> Plain;
  for (const TWriterCase& C : Cases()) {
    const fs::path File = Dir / ("C-" + std::string(C.FileName));
    ASSERT_TRUE(C.Write(File.string())) << C.Name;
    Plain.push_back(Bytes(File));
  }
  const std::string Previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  size_t i = 0;
  for (const TWriterCase& C : Cases()) {
    const fs::path File = Dir / ("de-" + std::string(C.FileName));
    EXPECT_TRUE(C.Write(File.string())) << C.Name;
    EXPECT_EQ(Bytes(File), Plain[i++]) << C.Name;
  }
  std::setlocale(LC_ALL, Previous.c_str());
}

TEST_F(Writers, SettingsStoreAndDesktopEntryKeepTheirOldFiles) {
  const std::string Store = Registry::StoreFileName();
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("\\Software\\KelmVev2er\\WriterTest", true));
    Reg.WriteString("Kept", "old");
  }
  const std::string StoreBefore = Bytes(Store);
  FileStore::SetWriteFailureForTests(8);
  {
    TRegistry Reg;
    ASSERT_TRUE(Reg.OpenKey("\\Software\\KelmVev2er\\WriterTest", true));
    Succeeds([&] { Reg.WriteString("Lost", std::string(100, 'x')); });
  }
  const fs::path Entry = Dir / "data" / "applications" / "kelmvev2er-k2d.desktop";
  Put(Entry, "old entry\n");
  FileAssociation::RegisterFileAssociation((Dir / "data").string(), "k2d", "Survey", "icon", "/bin/kelmvev2er");
  FileStore::SetWriteFailureForTests(-1);
  EXPECT_EQ(Bytes(Store), StoreBefore);
  EXPECT_EQ(Bytes(Entry), "old entry\n");
  Registry::ReloadStore();
}

}  // namespace

}  // namespace WritersTest
