// Pictures of cell markup: GIF frames, resources by URL, the URL cache, the
// named-picture container and picture files of cells.

#include "grid/GridObj.h"
#include "grid/PictureContainer.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/tests/GifWriter.h"
#include "platform/rtl/ByteResources.h"
#include "platform/ui/tests/UiFixture.h"

#include <cstdio>
#include <filesystem>

namespace PictureContainerTests {

namespace {

const std::vector<uint32_t> kPalette{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// Three frames of different colours at different places of an 8 x 6 screen.
std::vector<uint8_t> ThreeFrameGif() {
  return GifWriter::Gif(8, 6, kPalette,
                        {GifWriter::Frame(0, 0, 2, 2, {0, 0, 0, 0}), GifWriter::Frame(3, 1, 2, 2, {1, 1, 1, 1}),
                         GifWriter::Frame(5, 4, 1, 1, {2})});
}

TColor Rgb(uint32_t V) { return TColor(((V >> 16) & 0xFF) | (V & 0xFF00) | ((V & 0xFF) << 16)); }

}  // namespace

class PictureTest : public UiTest {};

TEST_F(PictureTest, GifFrameChoiceDecodesThatFrameAtItsPosition) {
  THTMLPicture pic;
  int frameChanges = 0;
  pic.OnFrameChange = [&](THTMLPicture*) { ++frameChanges; };
  pic.LoadFromBytes(ThreeFrameGif());
  EXPECT_TRUE(pic.IsGIFFile());
  EXPECT_EQ(pic.FrameCount(), 3);
  EXPECT_EQ(pic.MaxWidth(), 8);
  EXPECT_EQ(pic.MaxHeight(), 6);
  pic.SetFrame(2);
  EXPECT_EQ(frameChanges, 1);
  EXPECT_EQ(pic.FrameXPos(), 3);
  EXPECT_EQ(pic.FrameYPos(), 1);
  EXPECT_EQ(pic.GetWidth(), 2);
  EXPECT_EQ(pic.GetHeight(), 2);
  TBitmap b(4, 4);
  b.GetCanvas()->Brush->SetColor(clWhite);
  b.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  pic.Draw(*b.GetCanvas(), TRect(1, 1, 3, 3));
  EXPECT_EQ(b.GetPixelColor(1, 1), Rgb(kPalette[1]));
  EXPECT_EQ(b.GetPixelColor(2, 2), Rgb(kPalette[1]));
  EXPECT_EQ(b.GetPixelColor(3, 3), clWhite);
  // A frame the file does not have cannot be shown.
  EXPECT_THROW(pic.SetFrame(4), EInvalidGraphic);
}

TEST_F(PictureTest, FrameOnAnEmptyPictureOnlyStoresTheNumber) {
  THTMLPicture pic;
  bool changed = false;
  pic.OnFrameChange = [&](THTMLPicture*) { changed = true; };
  pic.SetFrame(2);
  EXPECT_EQ(pic.GetFrame(), 2);
  EXPECT_TRUE(pic.GetEmpty());
  EXPECT_FALSE(changed);
  EXPECT_EQ(pic.GetWidth(), 0);
  EXPECT_EQ(pic.FrameCount(), -1);
}

TEST_F(PictureTest, ResourceUrlsAndTheCache) {
  ByteResources::Register("LOGO", ThreeFrameGif());
  THTMLPictureCache cache;
  THTMLPicture* pic = cache.AddPicture();
  pic->Asynch = false;
  pic->LoadFromURL("res://logo");
  EXPECT_EQ(pic->ID, "RES://LOGO");
  EXPECT_FALSE(pic->GetEmpty());
  EXPECT_EQ(pic->GetWidth(), 2);
  EXPECT_EQ(cache.FindPicture("RES://LOGO"), pic);
  EXPECT_EQ(cache.FindPicture("res://logo"), nullptr);  // identities compare exactly
  // A network address is not fetched: with asynchronous loading it stays pending.
  THTMLPicture* web = cache.AddPicture();
  web->LoadFromURL("http://example.org/a.gif");
  EXPECT_TRUE(web->LoadBusy());
  EXPECT_TRUE(web->GetEmpty());
  EXPECT_EQ(web->PendingURL(), "HTTP://EXAMPLE.ORG/A.GIF");
  // An unknown resource leaves the picture empty.
  THTMLPicture none;
  none.LoadFromURL("RES://NOSUCH");
  EXPECT_TRUE(none.GetEmpty());
  ByteResources::Unregister("logo");
  EXPECT_EQ(ByteResources::Find("LOGO"), nullptr);
}

TEST_F(PictureTest, ContainerLooksUpUpperCasedNames) {
  TPictureContainer* container = Create<TPictureContainer>(nullptr);
  TPictureItem* item = container->GetItems()->AddItem();
  item->Name = "Logo";
  item->Tag = 7;
  item->GetPicture()->LoadFromBytes(ThreeFrameGif());
  EXPECT_EQ(container->FindPicture("LOGO"), item->GetPicture());
  EXPECT_EQ(container->FindPicture("Logo"), nullptr);
  EXPECT_EQ(container->GetItems()->GetOwner(), container);
  // Copying the items copies names, tags and pictures.
  TPictureContainer* copy = Create<TPictureContainer>(nullptr);
  copy->SetItems(container->GetItems());
  ASSERT_EQ(copy->GetItems()->Count(), 1);
  EXPECT_EQ(copy->GetItems()->Item(0)->Tag, 7);
  EXPECT_EQ(copy->FindPicture("LOGO")->GetWidth(), 2);
  copy->Free();
  container->Free();
}

TEST_F(PictureTest, FilesThatCannotBeReadLeaveEmptyPictures) {
  THTMLPicture pic;
  EXPECT_NO_THROW(pic.LoadFromFile("/nonexistent/picture.gif"));
  EXPECT_TRUE(pic.GetEmpty());
  const std::string path = (std::filesystem::temp_directory_path() / "kv_picture_test.gif").string();
  ImageFiles::WriteFileBytes(path, {'G', 'I', 'F', '8', '9', 'a', 1, 2});
  EXPECT_NO_THROW(pic.LoadFromFile(path));
  EXPECT_TRUE(pic.GetEmpty());
  // From a stream the decoding error reaches the caller.
  TMemoryStream s;
  s.WriteString("not a picture");
  s.SetPosition(0);
  EXPECT_THROW(pic.LoadFromStream(&s), EInvalidGraphic);
  EXPECT_NO_THROW(pic.LoadFromStream(nullptr));
  // A file URL keeps the case of its path.
  ImageFiles::WriteFileBytes(path, ThreeFrameGif());
  THTMLPicture byUrl;
  byUrl.LoadFromURL("file://" + path);
  EXPECT_FALSE(byUrl.GetEmpty());
  EXPECT_EQ(byUrl.ID, SysUtils::UpperCase("file://" + path));
  // A picture file of a cell: its size is read when the name is set.
  TFilePicture file;
  file.SetFilename(path);
  EXPECT_EQ(file.GetWidth(), 2);
  EXPECT_EQ(file.GetHeight(), 2);
  TFilePicture copy;
  copy.Assign(&file);
  EXPECT_EQ(copy.GetFilename(), path);
  EXPECT_EQ(copy.GetHeight(), 2);
  TBitmap b(4, 4);
  b.GetCanvas()->Brush->SetColor(clWhite);
  b.GetCanvas()->FillRect(TRect(0, 0, 4, 4));
  copy.DrawPicture(*b.GetCanvas(), TRect(0, 0, 4, 4));
  EXPECT_EQ(b.GetPixelColor(3, 3), Rgb(kPalette[0]));
  file.SetFilename("/nonexistent/cell.png");
  EXPECT_EQ(file.GetWidth(), 0);
  std::remove(path.c_str());
}

TEST_F(PictureTest, AssignCopiesDataAndStartsAtFrameOne) {
  THTMLPicture a;
  a.LoadFromBytes(ThreeFrameGif());
  a.SetFrame(3);
  THTMLPicture b;
  b.SetFrame(2);
  b.Assign(&a);
  EXPECT_EQ(b.GetFrame(), 1);
  EXPECT_EQ(b.GetWidth(), 2);
  EXPECT_EQ(b.SaveToBytes(), a.SaveToBytes());
  b.Assign(nullptr);
  EXPECT_TRUE(b.GetEmpty());
  EXPECT_TRUE(b.SaveToBytes().empty());
}

}  // namespace PictureContainerTests
