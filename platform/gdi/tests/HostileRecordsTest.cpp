// Pictures and metafiles whose fields claim what their bytes cannot hold:
// sizes far beyond the data, coordinates at the ends of the 32-bit range.
// The inputs are the fuzz seeds that once crashed or hung the readers.
#include <gtest/gtest.h>

#include "platform/gdi/Graphics.h"
#include "platform/gdi/ImageFiles.h"
#include "platform/gdi/Metafile.h"
#include "platform/rtl/FileStore.h"

namespace {

std::vector<uint8_t> Seed(const std::string& Target, const std::string& Name) {
  std::string bytes;
  EXPECT_TRUE(FileStore::ReadFile(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/" + Target + "/" + Name, bytes)) << Name;
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// Each plays onto a bitmap and converts to the old format; without checked
// arithmetic the sanitizer of the test build stops the program here.
TEST(HostileRecords, MetafileFieldsAtTheEndsOfTheRangePlayAndConvert) {
  for (const char* name : {"emf_source_rect_near_min.emf", "emf_dest_x_plus_width.emf", "emf_alphablend_overflow.emf",
                           "emf_bounds_far_apart.emf", "emf_pen_wide_round_join.emf"}) {
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
