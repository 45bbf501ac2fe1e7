#pragma once
// Test pictures in GIF form, written byte by byte: a global palette and frames
// whose pixels are stored as literal codes (a clear code before the table
// would grow), each with a graphic control extension; optional comment blocks.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace GifWriter {

struct TFrame {
  int Left = 0, Top = 0, Width = 1, Height = 1;
  std::vector<uint8_t> Indices;  // Width * Height palette indices
  int Transparent = -1;          // -1: none
  bool Interlaced = false;
  std::string CommentBefore;     // a comment extension before the frame, when not empty
};

inline TFrame Frame(int Left, int Top, int Width, int Height, std::vector<uint8_t> Indices) {
  TFrame f;
  f.Left = Left;
  f.Top = Top;
  f.Width = Width;
  f.Height = Height;
  f.Indices = std::move(Indices);
  return f;
}

inline void Put16(std::vector<uint8_t>& B, int V) {
  B.push_back(uint8_t(V & 0xFF));
  B.push_back(uint8_t((V >> 8) & 0xFF));
}

// Codes of 3 bits (minimum code size 2): palette indices 0..3, clear 4, end 5.
inline std::vector<uint8_t> LiteralCodes(const std::vector<uint8_t>& Indices) {
  std::vector<int> codes{4};
  int sinceClear = 0;
  for (uint8_t i : Indices) {
    // Two literals after a clear add entries 6 and 7; the next would widen the codes.
    if (sinceClear == 2) {
      codes.push_back(4);
      sinceClear = 0;
    }
    codes.push_back(i & 3);
    ++sinceClear;
  }
  codes.push_back(5);
  std::vector<uint8_t> bytes;
  uint32_t buffer = 0;
  int bits = 0;
  for (int c : codes) {
    buffer |= uint32_t(c) << bits;
    bits += 3;
    while (bits >= 8) {
      bytes.push_back(uint8_t(buffer & 0xFF));
      buffer >>= 8;
      bits -= 8;
    }
  }
  if (bits > 0) bytes.push_back(uint8_t(buffer & 0xFF));
  return bytes;
}

inline void SubBlocks(std::vector<uint8_t>& B, const std::vector<uint8_t>& Data) {
  for (size_t at = 0; at < Data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, Data.size() - at);
    B.push_back(uint8_t(n));
    B.insert(B.end(), Data.begin() + long(at), Data.begin() + long(at + n));
  }
  B.push_back(0);
}

// Palette of four colours given as 0xRRGGBB.
inline std::vector<uint8_t> Gif(int ScreenW, int ScreenH, const std::vector<uint32_t>& Palette4,
                                const std::vector<TFrame>& Frames) {
  std::vector<uint8_t> b{'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, ScreenW);
  Put16(b, ScreenH);
  b.insert(b.end(), {0x81, 0, 0});  // global table of 4 entries
  for (int i = 0; i < 4; ++i) {
    const uint32_t c = i < int(Palette4.size()) ? Palette4[size_t(i)] : 0;
    b.insert(b.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
  }
  for (const TFrame& f : Frames) {
    if (!f.CommentBefore.empty()) {
      b.insert(b.end(), {0x21, 0xFE});
      SubBlocks(b, std::vector<uint8_t>(f.CommentBefore.begin(), f.CommentBefore.end()));
    }
    b.insert(b.end(), {0x21, 0xF9, 4, uint8_t(f.Transparent >= 0 ? 1 : 0), 10, 0,
                       uint8_t(f.Transparent >= 0 ? f.Transparent : 0), 0});
    b.push_back(0x2C);
    Put16(b, f.Left);
    Put16(b, f.Top);
    Put16(b, f.Width);
    Put16(b, f.Height);
    b.push_back(f.Interlaced ? 0x40 : 0);
    b.push_back(2);
    SubBlocks(b, LiteralCodes(f.Indices));
  }
  b.push_back(0x3B);
  return b;
}

}  // namespace GifWriter
