// Icons: ICO files read with their AND mask (palette and true-colour
// pictures, PNG inside), written back, drawn with transparency; damaged files.

#include "platform/gdi/Icon.h"

#include "platform/gdi/ImageFiles.h"

#include <gtest/gtest.h>

namespace IconTest {

namespace {

void Put16(std::vector<uint8_t>& B, uint32_t V) {
  B.push_back(uint8_t(V));
  B.push_back(uint8_t(V >> 8));
}
void Put32(std::vector<uint8_t>& B, uint32_t V) {
  Put16(B, V & 0xFFFF);
  Put16(B, V >> 16);
}

// A 4 x 2 icon with 1 bit per pixel, written byte by byte: palette black and
// red; row 0 (top) red, black, red, black; row 1 all red; the AND mask makes
// the last pixel of each row transparent.
std::vector<uint8_t> OneBitIcon() {
  std::vector<uint8_t> d;
  Put16(d, 0);
  Put16(d, 1);
  Put16(d, 1);
  d.insert(d.end(), {4, 2, 2, 0});
  Put16(d, 1);
  Put16(d, 1);
  const uint32_t size = 40 + 8 + 2 * 4 + 2 * 4;
  Put32(d, size);
  Put32(d, 22);
  Put32(d, 40);
  Put32(d, 4);
  Put32(d, 4);  // twice the height
  Put16(d, 1);
  Put16(d, 1);
  for (int i = 0; i < 6; ++i) Put32(d, 0);
  Put32(d, 0x000000);      // index 0: black
  Put32(d, 0xFF0000);      // index 1: red (bytes blue, green, red, 0)
  d.insert(d.end(), {0xF0, 0, 0, 0});  // bottom row: 1111
  d.insert(d.end(), {0xA0, 0, 0, 0});  // top row: 1010
  d.insert(d.end(), {0x10, 0, 0, 0});  // AND bottom row: last pixel
  d.insert(d.end(), {0x10, 0, 0, 0});  // AND top row: last pixel
  return d;
}

}  // namespace

TEST(IconTest, OneBitIconReadsColoursAndMask) {
  TIcon icon;
  icon.LoadFromBytes(OneBitIcon());
  ASSERT_EQ(icon.GetWidth(), 4);
  ASSERT_EQ(icon.GetHeight(), 2);
  const std::vector<uint32_t> want{0xFFFF0000u, 0xFF000000u, 0xFFFF0000u, 0x00000000u,
                                   0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0x00FF0000u};
  EXPECT_EQ(icon.Pixels(), want);
  EXPECT_TRUE(icon.IsTransparentAt(3, 0));
  EXPECT_FALSE(icon.IsTransparentAt(1, 0));
}

TEST(IconTest, DrawingLeavesMaskedPixelsAndScales) {
  TIcon icon;
  icon.LoadFromBytes(OneBitIcon());
  TBitmap b(8, 4);
  b.GetCanvas()->Brush->SetColor(clLime);
  b.GetCanvas()->FillRect(TRect(0, 0, 8, 4));
  icon.Draw(*b.GetCanvas(), TRect(0, 0, 8, 4));  // twice the size
  EXPECT_EQ(b.GetPixelColor(0, 0), clRed);
  EXPECT_EQ(b.GetPixelColor(3, 1), clBlack);
  EXPECT_EQ(b.GetPixelColor(6, 0), clLime);  // masked
  EXPECT_EQ(b.GetPixelColor(7, 3), clLime);
  EXPECT_EQ(b.GetPixelColor(5, 3), clRed);
}

// Drawn into a far larger rectangle than the canvas, only the visible part is
// walked: a picture at its own size of tens of millions of pixels drawn into a
// small window must not take seconds.
TEST(IconTest, DrawingMuchLargerThanTheCanvasFillsTheVisiblePart) {
  TIcon icon;
  icon.SetPixels(2, 2, {0xFF0000u, 0x00FF00u, 0xFFFF00u, 0x0000FFu}, {false, false, false, false});
  TBitmap b(8, 8);
  icon.Draw(*b.GetCanvas(), TRect(-1000000, -1000000, 1000000, 1000000));
  // The canvas lies just right of and below the middle: the last source pixel.
  for (const auto& [x, y] : {std::pair{0, 0}, {7, 7}, {3, 5}})
    EXPECT_EQ(b.GetPixelColor(x, y), clBlue) << x << "," << y;
  b.GetCanvas()->Brush->SetColor(clLime);
  b.GetCanvas()->FillRect(TRect(0, 0, 8, 8));
  icon.Draw(*b.GetCanvas(), TRect(-4, -4, 4, 4));
  EXPECT_EQ(b.GetPixelColor(0, 0), clBlue);
  EXPECT_EQ(b.GetPixelColor(3, 3), clBlue);
  EXPECT_EQ(b.GetPixelColor(4, 4), clLime);  // outside R: unchanged
}

TEST(IconTest, WrittenIconReadsBackTheSame) {
  TIcon icon;
  const int w = 5, h = 3;
  std::vector<uint32_t> colours;
  std::vector<bool> mask;
  for (int i = 0; i < w * h; ++i) {
    colours.push_back(uint32_t(i * 0x0A0B0C));
    mask.push_back(i % 4 == 1);
  }
  icon.SetPixels(w, h, colours, mask);
  TIcon back;
  back.LoadFromBytes(icon.SaveToBytes());
  EXPECT_EQ(back.GetWidth(), w);
  EXPECT_EQ(back.GetHeight(), h);
  for (int i = 0; i < w * h; ++i) {
    EXPECT_EQ(back.IsTransparentAt(i % w, i / w), mask[size_t(i)]) << i;
    if (!mask[size_t(i)]) {
      EXPECT_EQ(back.Pixels()[size_t(i)] & 0xFFFFFF, colours[size_t(i)] & 0xFFFFFF) << i;
    }
  }
}

TEST(IconTest, PngInsideAnIconKeepsItsAlpha) {
  ImageFiles::TRawImage raw;
  raw.Width = 2;
  raw.Height = 1;
  raw.HasAlpha = true;
  raw.Pixels = {0xFF00FF00u, 0x00000000u};
  const std::vector<uint8_t> png = ImageFiles::WritePng(raw);
  std::vector<uint8_t> d;
  Put16(d, 0);
  Put16(d, 1);
  Put16(d, 1);
  d.insert(d.end(), {2, 1, 0, 0});
  Put16(d, 1);
  Put16(d, 32);
  Put32(d, uint32_t(png.size()));
  Put32(d, 22);
  d.insert(d.end(), png.begin(), png.end());
  TIcon icon;
  icon.LoadFromBytes(d);
  EXPECT_FALSE(icon.IsTransparentAt(0, 0));
  EXPECT_TRUE(icon.IsTransparentAt(1, 0));
}

TEST(IconTest, DamagedFilesAreRefusedWithAMessage) {
  const std::vector<uint8_t> good = OneBitIcon();
  auto with = [&](size_t At, uint8_t V) {
    std::vector<uint8_t> d = good;
    d[At] = V;
    return d;
  };
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases{
      {"empty", {}},
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 6)},
      {"no images", with(4, 0)},
      {"not an icon", with(2, 7)},
      {"image beyond the end", with(18, 0xFF)},
      {"cut picture", std::vector<uint8_t>(good.begin(), good.begin() + 70)},
      {"unsupported depth", with(22 + 14, 3)},
      {"compressed", with(22 + 16, 1)},
      {"odd height", with(22 + 8, 3)},
      {"huge width", with(22 + 6, 0x7F)},
  };
  for (const auto& [name, bytes] : cases) {
    TIcon icon;
    EXPECT_THROW(icon.LoadFromBytes(bytes), EInvalidGraphic) << name;
    EXPECT_TRUE(icon.GetEmpty()) << name;
  }
}

}  // namespace IconTest
