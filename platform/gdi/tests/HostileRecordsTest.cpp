// Pictures and metafiles whose fields claim what their bytes cannot hold:
// sizes far beyond the data, coordinates at the ends of the 32-bit range.
// The inputs are the fuzz seeds that once crashed or hung the readers.
#include <gtest/gtest.h>

#include "platform/gdi/Graphics.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/FileStore.h"

namespace HostileRecordsTest {

namespace {

std::vector<uint8_t> Seed(const std::string& Target, const std::string& Name) {
  std::string bytes;
  EXPECT_TRUE(FileStore::ReadFile(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/" + Target + "/" + Name, bytes)) << Name;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

TEST(HostileRecords, TruncatedPicturesClaimingHugeSizesAreRefusedAtOnce) {
  const struct {
    const char* Name;
    const char* Says;
  } Cases[] = {
      {"jpeg_truncated_huge.jpg", "the data ends before its rows"},
      {"bmp_rle4_truncated_huge.bmp", "compressed data ends before its rows"},
  };
  for (const auto& c : Cases) {
    const std::vector<uint8_t> data = Seed("picture", c.Name);
    ASSERT_LT(data.size(), 1000u);
    try {
      if (ImageFiles::DetectKind(data) == ImageFiles::TImageKind::Jpeg) {
        TJPEGImage image;
        image.LoadFromBytes(data);
      } else {
        TBitmap image;
        image.LoadFromBytes(data);
      }
      ADD_FAILURE() << c.Name << " was read";
    } catch (const EInvalidGraphic& e) {
      EXPECT_NE(e.Message().find(c.Says), std::string::npos) << e.Message();
    }
  }
}

// A JPEG cut in its rows is refused; the same picture whole still reads.
TEST(HostileRecords, AJpegCutInItsRowsIsRefusedAndTheWholeOneReads) {
  TJPEGImage whole;
  whole.SetSize(200, 200);
  whole.GetCanvas()->Brush->SetColor(clRed);
  for (int y = 0; y < 200; y += 10) whole.GetCanvas()->FillRect(TRect{y / 2, y, 200, y + 5});
  std::vector<uint8_t> data = whole.SaveToBytes();
  TJPEGImage read;
  read.LoadFromBytes(data);
  EXPECT_EQ(read.GetHeight(), 200);
  data.resize(data.size() * 2 / 3);
  EXPECT_THROW(read.LoadFromBytes(data), EInvalidGraphic);
}

// RLE8, 2 x 2: one row, end of line, one row, then (or not) the end marker.
TEST(HostileRecords, RunLengthBitmapsNeedTheirRowsOrTheirEndMarker) {
  auto bmp = [](std::vector<uint8_t> Rle) {
    std::vector<uint8_t> d = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 14 + 40 + 8, 0, 0, 0,
                              40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 8, 0, 1, 0, 0, 0};
    d.resize(14 + 40, 0);
    d[46] = 2;  // colours used
    for (uint8_t c : {0, 0, 0, 0, 255, 255, 255, 0}) d.push_back(c);
    d.insert(d.end(), Rle.begin(), Rle.end());
    return d;
  };
  const struct {
    std::vector<uint8_t> Rle;
    bool Reads;
  } Cases[] = {
      {{2, 1, 0, 0, 2, 0, 0, 1}, true},   // both rows and the end marker
      {{2, 1, 0, 0, 2, 0}, true},         // both rows, no end marker
      {{2, 1, 0, 1}, true},               // the end marker ends the picture early: the rest is blank
      {{2, 1, 0, 0}, false},              // the data stops after the first row
      {{2, 1}, false},
  };
  for (const auto& c : Cases) {
    TBitmap b;
    if (c.Reads) {
      EXPECT_NO_THROW(b.LoadFromBytes(bmp(c.Rle))) << c.Rle.size();
      EXPECT_EQ(b.GetWidth(), 2);
    } else {
      EXPECT_THROW(b.LoadFromBytes(bmp(c.Rle)), EInvalidGraphic) << c.Rle.size();
    }
  }
}

// Each plays onto a bitmap and converts to the old format; without checked
// arithmetic the sanitizer of the test build stops the program here.
TEST(HostileRecords, MetafileFieldsAtTheEndsOfTheRangePlayAndConvert) {
  for (const char* name : {"emf_source_rect_near_min.emf", "emf_dest_x_plus_width.emf", "emf_alphablend_overflow.emf",
                           "emf_bounds_far_apart.emf", "emf_pen_wide_round_join.emf",
                           "emf_patblt_x_plus_width.emf"}) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> data = Seed("metafile", name);
    TMetafile picture;
    picture.LoadFromBytes(data);
    TBitmap target(96, 96);
    picture.Draw(*target.GetCanvas(), TRect(0, 0, 96, 96));
    const std::vector<uint8_t> old = Emf::ToOldMetafile(data);
    EXPECT_GE(old.size(), 22u + 18u);
    TMetafile converted;
    converted.LoadFromBytes(old);
    converted.Draw(*target.GetCanvas(), TRect(0, 0, 96, 96));
  }
}

}  // namespace

}  // namespace HostileRecordsTest
