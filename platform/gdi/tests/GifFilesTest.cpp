// GIF pictures: frames found by the file's structure, pixels decoded with the
// frame's palette, transparency and interlacing, damaged files refused.

#include "platform/gdi/GifFiles.h"

#include "platform/gdi/tests/GifWriter.h"

#include <gtest/gtest.h>

namespace GifFilesTest {

namespace {

using GifWriter::TFrame;

const std::vector<uint32_t> kPalette{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

std::vector<uint8_t> ThreeFrames() {
  TFrame a = GifWriter::Frame(0, 0, 2, 2, {0, 0, 0, 0});
  TFrame b = GifWriter::Frame(3, 1, 2, 2, {1, 2, 3, 1});
  TFrame c = GifWriter::Frame(5, 4, 1, 1, {2});
  // A comment whose bytes look like the start of a frame must not count as one.
  a.CommentBefore = std::string("\x21\xF9\x04\x00\x00\x00\x00\x00\x2C\x01\x00\x01\x00", 13);
  return GifWriter::Gif(8, 6, kPalette, {a, b, c});
}

}  // namespace

TEST(GifFiles, FramesAreFoundByTheBlockStructure) {
  const std::vector<uint8_t> gif = ThreeFrames();
  const GifFiles::TGifLayout layout = GifFiles::ScanGif(gif);
  EXPECT_EQ(layout.ScreenWidth, 8);
  EXPECT_EQ(layout.ScreenHeight, 6);
  ASSERT_EQ(layout.Frames.size(), 3u);
  EXPECT_EQ(layout.Frames[1].Left, 3);
  EXPECT_EQ(layout.Frames[1].Top, 1);
  EXPECT_EQ(layout.Frames[2].Left, 5);
  EXPECT_EQ(layout.Frames[2].Top, 4);
  // Each frame starts at its control extension and the next starts where it ends.
  EXPECT_EQ(gif[layout.Frames[1].Start], 0x21);
  EXPECT_EQ(layout.Frames[1].Start, layout.Frames[0].End);
}

TEST(GifFiles, DecodesTheChosenFramesPixels) {
  const std::vector<uint8_t> gif = ThreeFrames();
  const ImageFiles::TRawImage b = GifFiles::ReadGifFrame(gif, 1);
  ASSERT_EQ(b.Width, 2);
  ASSERT_EQ(b.Height, 2);
  EXPECT_EQ(b.Pixels, (std::vector<uint32_t>{0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF00FF00}));
  EXPECT_FALSE(b.HasAlpha);
  const ImageFiles::TRawImage a = GifFiles::ReadGifFrame(gif, 0);
  EXPECT_EQ(a.Pixels, std::vector<uint32_t>(4, 0xFFFF0000));
}

TEST(GifFiles, TransparentAndInterlacedFrames) {
  // Eight rows of one pixel each, stored in interlaced order: rows 0, 4 | 2, 6 | 1, 3, 5, 7.
  TFrame f = GifWriter::Frame(0, 0, 1, 8, {0, 1, 2, 2, 3, 3, 3, 3});
  f.Interlaced = true;
  f.Transparent = 3;
  const ImageFiles::TRawImage img = GifFiles::ReadGifFrame(GifWriter::Gif(1, 8, kPalette, {f}), 0);
  ASSERT_EQ(img.Pixels.size(), 8u);
  EXPECT_TRUE(img.HasAlpha);
  const std::vector<uint32_t> expected{0xFFFF0000, 0, 0xFF0000FF, 0, 0xFF00FF00, 0, 0xFF0000FF, 0};
  EXPECT_EQ(img.Pixels, expected);
}

TEST(GifFiles, LongFramesKeepTheirPixels) {
  // More pixels than one sub-block holds, so the codes run over several blocks.
  TFrame f = GifWriter::Frame(0, 0, 40, 30, {});
  for (int i = 0; i < 40 * 30; ++i) f.Indices.push_back(uint8_t(i * 7 % 4));
  const ImageFiles::TRawImage img = GifFiles::ReadGifFrame(GifWriter::Gif(40, 30, kPalette, {f}), 0);
  ASSERT_EQ(img.Pixels.size(), f.Indices.size());
  for (size_t i = 0; i < f.Indices.size(); ++i)
    ASSERT_EQ(img.Pixels[i], 0xFF000000u | kPalette[f.Indices[i]]) << i;
}

TEST(GifFiles, DamagedFilesAreRefusedOrCutAtTheDamage) {
  const std::vector<uint8_t> good = ThreeFrames();
  const GifFiles::TGifLayout layout = GifFiles::ScanGif(good);
  struct TCase {
    const char* Name;
    std::vector<uint8_t> Data;
    size_t Frames;  // complete frames the walk keeps
  };
  std::vector<TCase> cases{
      {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 13), 0},
      {"cut inside frame 2", std::vector<uint8_t>(good.begin(), good.begin() + long(layout.Frames[1].End - 2)), 1},
      {"unknown block after frame 1", {}, 1},
  };
  cases[2].Data = std::vector<uint8_t>(good.begin(), good.begin() + long(layout.Frames[0].End));
  cases[2].Data.push_back(0x99);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(GifFiles::ScanGif(c.Data).Frames.size(), c.Frames);
    EXPECT_THROW(GifFiles::ReadGifFrame(c.Data, int(c.Frames)), EInvalidGraphic);
  }
  EXPECT_THROW(GifFiles::ScanGif({'G', 'I', 'F'}), EInvalidGraphic);
  EXPECT_THROW(GifFiles::ScanGif({'P', 'N', 'G', '8', '9', 'a'}), EInvalidGraphic);
  EXPECT_THROW(GifFiles::ReadGifFrame(good, -1), EInvalidGraphic);

  // A code that names no table entry yet.
  std::vector<uint8_t> bad = GifWriter::Gif(2, 1, kPalette, {GifWriter::Frame(0, 0, 2, 1, {0, 1})});
  const GifFiles::TGifFrame f = GifFiles::ScanGif(bad).Frames[0];
  bad[f.Descriptor + 12] = 0x3F;  // the first code is 7, before any entry exists
  EXPECT_THROW(GifFiles::ReadGifFrame(bad, 0), EInvalidGraphic);
  // A zero-sized frame.
  EXPECT_THROW(GifFiles::ReadGifFrame(GifWriter::Gif(2, 1, kPalette, {GifWriter::Frame(0, 0, 0, 0, {})}), 0), EInvalidGraphic);
}

TEST(GifFiles, AFrameLargerThanItsDataCanHoldIsRefused) {
  // 60000 x 60000 pixels claimed with a few bytes of codes.
  std::vector<uint8_t> gif = GifWriter::Gif(2, 2, kPalette, {GifWriter::Frame(0, 0, 2, 2, {0, 1, 2, 3})});
  const GifFiles::TGifFrame f = GifFiles::ScanGif(gif).Frames[0];
  gif[f.Descriptor + 5] = 0x60;
  gif[f.Descriptor + 6] = 0xEA;
  gif[f.Descriptor + 7] = 0x60;
  gif[f.Descriptor + 8] = 0xEA;
  EXPECT_EQ(GifFiles::ScanGif(gif).Frames[0].Width, 60000);
  EXPECT_THROW(GifFiles::ReadGifFrame(gif, 0), EInvalidGraphic);
}

}  // namespace GifFilesTest
