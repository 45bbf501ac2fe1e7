#pragma once
// Picture files: BMP (1, 4, 8, 15, 16, 24 and 32 bits), PNG through libpng and JPEG
// through libjpeg. Readers check their input and raise Exception with a message
// naming the problem; nothing is returned half-read.

#include <cstdint>
#include <string>
#include <vector>

namespace ImageFiles {

// Pixels as 0xAARRGGBB, rows from the top.
struct TRawImage {
  int32_t Width = 0;
  int32_t Height = 0;
  bool HasAlpha = false;          // the alpha bytes carry meaning
  std::vector<uint32_t> Pixels;   // Width * Height
  // The palette of an indexed file (BMP with 8 bits or fewer, palette PNG).
  std::vector<uint32_t> Palette;
  int BitsPerPixel = 32;          // as stored in the file that was read (15: 16-bit words 5-5-5)
};

enum class TImageKind { Unknown, Bmp, Png, Jpeg };
TImageKind DetectKind(const std::vector<uint8_t>& Data);

// Pictures larger than this in either direction, or in pixels, are refused.
constexpr int32_t MaxDimension = 32768;
constexpr int64_t MaxPixels = int64_t(1) << 28;

TRawImage ReadBmp(const std::vector<uint8_t>& Data);
// Bits 1, 4, 8 (indexed: the palette is Palette or, when empty, one made from
// the image's colours, nearest colour when there are too many), 15 (16-bit
// words 5-5-5), 16 (16-bit words 5-6-5 with colour masks), 24 or 32.
std::vector<uint8_t> WriteBmp(const TRawImage& Image, int Bits, const std::vector<uint32_t>& Palette = {});

TRawImage ReadPng(const std::vector<uint8_t>& Data);
std::vector<uint8_t> WritePng(const TRawImage& Image);

TRawImage ReadJpeg(const std::vector<uint8_t>& Data);
std::vector<uint8_t> WriteJpeg(const TRawImage& Image, int Quality);

// Any of the three kinds, told apart by the content.
TRawImage ReadImage(const std::vector<uint8_t>& Data);

std::vector<uint8_t> ReadFileBytes(const std::string& FileName);
void WriteFileBytes(const std::string& FileName, const std::vector<uint8_t>& Data);

// The palette of a pixel format: black and white; the 16 standard colours; for 8
// bits the 16 standard colours followed by a 6x6x6 colour cube and grey steps.
std::vector<uint32_t> StandardPalette(int Bits);
// The image's own colours when they fit into 2^Bits entries, else the standard palette.
std::vector<uint32_t> PaletteFor(const TRawImage& Image, int Bits);
uint32_t NearestInPalette(uint32_t Rgb, const std::vector<uint32_t>& Palette);

}  // namespace ImageFiles
