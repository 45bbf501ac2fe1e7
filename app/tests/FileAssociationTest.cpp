// The file association: the MIME type and the desktop entry that open k2d
// files with the running executable, rewritten at every start.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/FileAssociation.h"

namespace FileAssociationTest {

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& Path) {
  std::ifstream in(Path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FileAssociationTest, DesktopEntryOpensK2dFilesWithTheRunningExecutable) {
  const fs::path dir = fs::temp_directory_path() / "kv_app_association";
  fs::remove_all(dir);
  FileAssociation::RegisterFileAssociation(dir.string(), "k2d", "KelmVev2er data", "kelmvev2er", "/opt/old/kv");
  // A path with a blank, a percent sign and a quote, written again over the old entry.
  FileAssociation::RegisterFileAssociation(dir.string(), "k2d", "KelmVev2er data", "kelmvev2er",
                                           "/opt/my kv/100%/k\"v");
  const std::string entry = ReadAll(dir / "applications" / "kelmvev2er-k2d.desktop");
  EXPECT_NE(entry.find("Exec=\"/opt/my kv/100%%/k\\\\\"v\" %f\n"), std::string::npos) << entry;
  EXPECT_EQ(entry.find("/opt/old/kv"), std::string::npos);
  EXPECT_NE(entry.find("MimeType=application/x-k2dzovfile;\n"), std::string::npos);
  const std::string mime = ReadAll(dir / "mime" / "packages" / "kelmvev2er-k2d.xml");
  EXPECT_NE(mime.find("<glob pattern=\"*.k2d\"/>"), std::string::npos);
  EXPECT_NE(mime.find("<comment>KelmVev2er data</comment>"), std::string::npos);
  fs::remove_all(dir);
}

}  // namespace

}  // namespace FileAssociationTest
