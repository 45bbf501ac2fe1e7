// Damaged and oversized pictures fed to the colour grid's picture loading.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#define KV_FUZZ_ENTRY_ELSEWHERE
#include "fuzz/color_grid_picture_fuzz.cpp"
#undef KV_FUZZ_ENTRY_ELSEWHERE

#include "platform/ui/Forms.h"

namespace ColorGridPictureFuzzTests {

std::string Bytes(const char* Text, size_t Size) { return std::string(Text, Size); }

std::string FileBytes(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

// A BMP header claiming Width x Height pixels of 24 bits, with no pixels.
std::string BmpHeader(int32_t Width, int32_t Height) {
  std::string B(54, '\0');
  auto Put = [&B](size_t At, uint32_t V) {
    for (int i = 0; i < 4; ++i) B[At + i] = static_cast<char>((V >> (8 * i)) & 0xFF);
  };
  B[0] = 'B';
  B[1] = 'M';
  Put(2, 54);
  Put(10, 54);
  Put(14, 40);
  Put(18, static_cast<uint32_t>(Width));
  Put(22, static_cast<uint32_t>(Height));
  B[26] = 1;
  B[28] = 24;
  return B;
}

TEST(ColorGridPictureFuzz, DamagedPicturesLeaveNoGridAndNoCrash) {
  Forms::EnsureToolkit();
  const std::string Small = FileBytes(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/color_grid_picture/small.bmp");
  ASSERT_FALSE(Small.empty());
  const std::string Cases[] = {
      std::string(),
      Bytes("BM", 2),
      Small.substr(0, 20),
      Small.substr(0, Small.size() - 7),
      BmpHeader(0, 0),
      BmpHeader(-5, 3),
      BmpHeader(100000, 100000),
      BmpHeader(1, -2147483647 - 1),
      Bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\x7f\xff\xff\xff\x7f\xff\xff\xff\x08\x02", 26),
      Bytes("\xff\xd8\xff\xe0\0\x10JFIF", 10),
      std::string(3000, '\xff'),
      FileBytes(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/picture/bmp_rle4_truncated_huge.bmp"),
      FileBytes(std::string(KV_SOURCE_DIR) + "/fuzz/corpus/picture/jpeg_truncated_huge.jpg"),
  };
  for (const std::string& C : Cases)
    EXPECT_EQ(ColorGridPictureFuzz::Run(reinterpret_cast<const uint8_t*>(C.data()), C.size()), 0) << C.size();
}

TEST(ColorGridPictureFuzz, APictureTooLargeForAGridIsRefusedAndTheGridKept) {
  Forms::EnsureToolkit();
  QImage Large(4000, 2600, QImage::Format_RGB32);
  Large.fill(Qt::white);
  QByteArray Png;
  QBuffer Buffer(&Png);
  Buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(Large.save(&Buffer, "PNG"));
  const std::string Path = FuzzSupport::InputFile(reinterpret_cast<const uint8_t*>(Png.constData()),
                                                  static_cast<size_t>(Png.size()), ".png");
  TColorGridSeries* Series = Create<TColorGridSeries>(nullptr);
  Series->FillSampleValues(4);
  const int32_t Count = Series->Count();
  try {
    PlotColorGridEdit::LoadGridPicture(*Series, Path);
    ADD_FAILURE() << "a 4000 x 2600 picture was taken";
  } catch (const EInvalidGraphic& E) {
    EXPECT_NE(std::string(E.what()).find("4000 x 2600"), std::string::npos) << E.what();
  }
  EXPECT_EQ(Series->Count(), Count);
  Series->Free();
}

}  // namespace ColorGridPictureFuzzTests
