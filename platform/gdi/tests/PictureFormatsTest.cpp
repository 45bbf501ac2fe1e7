// Picture formats added by extension: TPicture reads files of such a format
// when their content is none of the built-in formats, stored pictures find the
// class, and dialog filters list the formats.
#include "platform/gdi/PictureFormats.h"

#include "platform/gdi/ImageFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace PictureFormatsTest {

// A picture of one colour; its file is "SOLID" and the colour as a number.
class TSolidPicture : public TGraphic {
public:
  TColor Color = clNone;
  int32_t GetWidth() const override { return 4; }
  int32_t GetHeight() const override { return 4; }
  bool GetEmpty() const override { return Color == clNone; }
  void Draw(TCanvas& Canvas, const TRect& R) const override {
    Canvas.Brush->SetColor(Color);
    Canvas.FillRect(R);
  }
  void LoadFromBytes(const std::vector<uint8_t>& Data) override {
    const std::string text(Data.begin(), Data.end());
    if (text.rfind("SOLID ", 0) != 0) throw EInvalidGraphic("Not a solid picture");
    Color = std::stoi(text.substr(6));
  }
  std::vector<uint8_t> SaveToBytes() const override {
    const std::string text = "SOLID " + std::to_string(Color);
    return std::vector<uint8_t>(text.begin(), text.end());
  }
  void LoadFromFile(const std::string& FileName) override { LoadFromBytes(ImageFiles::ReadFileBytes(FileName)); }
  void SaveToFile(const std::string& FileName) const override { ImageFiles::WriteFileBytes(FileName, SaveToBytes()); }
  std::unique_ptr<TGraphic> Clone() const override {
    auto c = std::make_unique<TSolidPicture>();
    c->Color = Color;
    return c;
  }
  std::string GraphicClassName() const override { return "TSolidPicture"; }
};

std::unique_ptr<TGraphic> NewSolid() { return std::make_unique<TSolidPicture>(); }

class PictureFormatRegistry : public ::testing::Test {
protected:
  void SetUp() override { PictureFormats::RegisterFileFormat(".Sol", "Solid colours", "TSolidPicture", &NewSolid); }
  void TearDown() override {
    PictureFormats::UnregisterGraphicClass("TSolidPicture");
    for (const std::string& f : Files) std::filesystem::remove(f);
  }
  std::string File(const std::string& Name, const std::string& Content) {
    const std::string path = (std::filesystem::temp_directory_path() / ("kv-formats-" + Name)).string();
    std::ofstream(path, std::ios::binary) << Content;
    Files.push_back(path);
    return path;
  }
  std::vector<std::string> Files;
};

TEST_F(PictureFormatRegistry, FileOfARegisteredExtensionLoadsThroughItsClass) {
  TPicture Picture;
  Picture.LoadFromFile(File("a.SOL", "SOLID 255"));
  auto* Solid = dynamic_cast<TSolidPicture*>(Picture.GetGraphic());
  ASSERT_NE(Solid, nullptr);
  EXPECT_EQ(Solid->Color, 255);
  // Damaged content raises and leaves the picture as it was.
  EXPECT_THROW(Picture.LoadFromFile(File("b.sol", "SOLIX 1")), EInvalidGraphic);
  EXPECT_EQ(Picture.GetGraphic(), Solid);
  // Content detection comes first: a bitmap named .sol is a bitmap.
  TBitmap Bitmap(3, 2);
  const std::vector<uint8_t> Bmp = Bitmap.SaveToBytes();
  Picture.LoadFromFile(File("c.sol", std::string(Bmp.begin(), Bmp.end())));
  EXPECT_NE(dynamic_cast<TBitmap*>(Picture.GetGraphic()), nullptr);
  // Another extension knows nothing of the format.
  EXPECT_THROW(Picture.LoadFromFile(File("d.xyz", "SOLID 1")), EInvalidGraphic);
}

TEST_F(PictureFormatRegistry, RegistrationReplacesByExtensionAndUnregisteringForgetsTheClass) {
  ASSERT_NE(PictureFormats::FindForFile("x.sol"), nullptr);
  EXPECT_EQ(PictureFormats::FindForFile("x.sol")->Extension, "sol");
  PictureFormats::RegisterFileFormat("sol", "Solids", "TSolidPicture", &NewSolid);
  ASSERT_EQ(PictureFormats::Formats().size(), 1u);
  EXPECT_EQ(PictureFormats::Formats()[0].Description, "Solids");
  EXPECT_EQ(PictureFormats::FindForFile("sol"), nullptr);  // a name without extension
  EXPECT_THROW(PictureFormats::RegisterFileFormat("", "None", "TSolidPicture", &NewSolid), EInvalidGraphic);
  EXPECT_THROW(PictureFormats::RegisterFileFormat("x", "None", "TSolidPicture", nullptr), EInvalidGraphic);

  // A stored picture of the class reads while the class is registered.
  TPicture Stored, Read;
  auto Solid = std::make_unique<TSolidPicture>();
  Solid->Color = 77;
  Stored.SetGraphic(std::move(Solid));
  const std::string Data = Stored.GetData();
  Read.SetData(Data);
  ASSERT_NE(dynamic_cast<TSolidPicture*>(Read.GetGraphic()), nullptr);

  PictureFormats::UnregisterGraphicClass("tsolidpicture");
  EXPECT_TRUE(PictureFormats::Formats().empty());
  EXPECT_EQ(PictureFormats::CreateForFile("x.sol"), nullptr);
  EXPECT_THROW(Read.SetData(Data), EInvalidGraphic);
  TPicture Picture;
  EXPECT_THROW(Picture.LoadFromFile(File("e.sol", "SOLID 1")), EInvalidGraphic);
}

TEST_F(PictureFormatRegistry, FiltersGainThePatternsAndAnEntryPerFormat) {
  PictureFormats::RegisterFileFormat("chf", "Chart", "TSolidPicture", &NewSolid);
  const struct {
    const char* Filter;
    const char* Expected;
  } Cases[] = {
      {"All pictures|*.bmp;*.png|Bitmaps (*.bmp)|*.bmp",
       "All pictures|*.bmp;*.png;*.sol;*.chf|Bitmaps (*.bmp)|*.bmp|Solid colours (*.sol)|*.sol|Chart (*.chf)|*.chf"},
      {"All pictures|*.bmp", "All pictures|*.bmp;*.sol;*.chf|Solid colours (*.sol)|*.sol|Chart (*.chf)|*.chf"},
      {"All pictures|", "All pictures|*.sol;*.chf|Solid colours (*.sol)|*.sol|Chart (*.chf)|*.chf"},
      {"", "Solid colours (*.sol)|*.sol|Chart (*.chf)|*.chf"},
  };
  for (const auto& C : Cases) EXPECT_EQ(PictureFormats::AddToFilter(C.Filter), C.Expected) << C.Filter;
  PictureFormats::UnregisterGraphicClass("TSolidPicture");
  EXPECT_EQ(PictureFormats::AddToFilter("All|*.bmp"), "All|*.bmp");
}

}  // namespace PictureFormatsTest
