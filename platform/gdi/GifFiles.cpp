#include "platform/gdi/GifFiles.h"

#include <array>
#include <string>

namespace {

[[noreturn]] void Fail(const std::string& Reason) { throw EInvalidGraphic("Invalid GIF: " + Reason); }

int32_t Word(const std::vector<uint8_t>& D, size_t At) { return int32_t(D[At]) | (int32_t(D[At + 1]) << 8); }

// The position after a chain of sub-blocks starting at At; 0 when the chain
// runs past the end of the data.
size_t SkipSubBlocks(const std::vector<uint8_t>& D, size_t At) {
  while (At < D.size()) {
    const size_t n = D[At];
    if (n == 0) return At + 1;
    At += 1 + n;
  }
  return 0;
}

constexpr size_t kHeaderSize = 13;

size_t ColorTableBytes(uint8_t Packed) { return (Packed & 0x80) ? 3u * (size_t(1) << ((Packed & 7) + 1)) : 0; }

std::vector<uint32_t> ReadColorTable(const std::vector<uint8_t>& D, size_t At, size_t Bytes) {
  std::vector<uint32_t> t;
  for (size_t i = 0; i + 2 < Bytes; i += 3)
    t.push_back(0xFF000000u | (uint32_t(D[At + i]) << 16) | (uint32_t(D[At + i + 1]) << 8) | D[At + i + 2]);
  return t;
}

// The LZW code stream of one image, decoded into colour indices.
class TLzwDecoder {
 public:
  TLzwDecoder(const std::vector<uint8_t>& Data, size_t At, int MinCodeSize)
      : FData(Data), FPos(At), FMin(MinCodeSize) {}

  // Fills Out (already sized) with as many indices as the stream holds.
  void Decode(std::vector<uint8_t>& Out) {
    const int clear = 1 << FMin, stop = clear + 1;
    int size = FMin + 1, next = clear + 2, prev = -1;
    size_t outPos = 0;
    std::array<uint16_t, 4096> prefix{};
    std::array<uint8_t, 4096> suffix{}, first{};
    std::array<uint8_t, 4097> stack{};
    for (int i = 0; i < clear; ++i) suffix[size_t(i)] = first[size_t(i)] = uint8_t(i);
    while (outPos < Out.size()) {
      const int code = ReadCode(size);
      if (code < 0 || code == stop) break;
      if (code == clear) {
        size = FMin + 1;
        next = clear + 2;
        prev = -1;
        continue;
      }
      int cur = code;
      size_t depth = 0;
      if (prev < 0) {
        if (code >= clear) Fail("bad image data");
        Out[outPos++] = uint8_t(code);
        prev = code;
        continue;
      }
      uint8_t head;
      if (code < next) {
        head = first[size_t(code)];
      } else if (code == next) {
        head = first[size_t(prev)];
        stack[depth++] = head;  // the new entry ends with its own first index
        cur = prev;
      } else {
        Fail("bad image data");
      }
      while (cur >= clear) {
        if (depth >= stack.size()) Fail("bad image data");
        stack[depth++] = suffix[size_t(cur)];
        cur = prefix[size_t(cur)];
      }
      stack[depth++] = uint8_t(cur);
      while (depth > 0 && outPos < Out.size()) Out[outPos++] = stack[--depth];
      if (next < 4096) {
        prefix[size_t(next)] = uint16_t(prev);
        suffix[size_t(next)] = head;
        first[size_t(next)] = first[size_t(prev)];
        ++next;
        if (next == (1 << size) && size < 12) ++size;
      }
      prev = code;
    }
  }

 private:
  // The next code of Size bits, least significant bit first; -1 at the end.
  int ReadCode(int Size) {
    while (FBits < Size) {
      if (FLeft == 0) {
        if (FPos >= FData.size()) return -1;
        FLeft = FData[FPos++];
        if (FLeft == 0) {
          FPos = FData.size();  // the block terminator: no more data
          return -1;
        }
      }
      if (FPos >= FData.size()) return -1;
      FBuffer |= uint32_t(FData[FPos++]) << FBits;
      FBits += 8;
      --FLeft;
    }
    const int code = int(FBuffer & ((1u << Size) - 1));
    FBuffer >>= Size;
    FBits -= Size;
    return code;
  }

  const std::vector<uint8_t>& FData;
  size_t FPos;
  int FMin;
  size_t FLeft = 0;
  uint32_t FBuffer = 0;
  int FBits = 0;
};

// The display row of each stored row of an interlaced image.
std::vector<int32_t> InterlacedRows(int32_t Height) {
  std::vector<int32_t> rows;
  rows.reserve(size_t(Height));
  constexpr int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int32_t y = kStart[pass]; y < Height; y += kStep[pass]) rows.push_back(y);
  return rows;
}

}  // namespace

bool GifFiles::IsGif(const std::vector<uint8_t>& Data) {
  return Data.size() > 4 && Data[0] == 'G' && Data[1] == 'I' && Data[2] == 'F' && Data[3] == '8';
}

GifFiles::TGifLayout GifFiles::ScanGif(const std::vector<uint8_t>& Data) {
  if (!IsGif(Data) || Data.size() < kHeaderSize) Fail("no GIF header");
  TGifLayout layout;
  layout.ScreenWidth = Word(Data, 6);
  layout.ScreenHeight = Word(Data, 8);
  size_t at = kHeaderSize + ColorTableBytes(Data[10]);
  size_t controlStart = 0;
  int transparent = -1;
  bool haveControl = false;
  while (at < Data.size()) {
    const uint8_t kind = Data[at];
    if (kind == 0x21) {
      if (at + 2 > Data.size()) break;
      const uint8_t label = Data[at + 1];
      const size_t end = SkipSubBlocks(Data, at + 2);
      if (end == 0) break;
      if (label == 0xF9) {
        haveControl = true;
        controlStart = at;
        // A well-formed control block: size 4, flags, delay, transparent index.
        transparent = (Data[at + 2] >= 4 && at + 6 < Data.size() && (Data[at + 3] & 1)) ? Data[at + 6] : -1;
      }
      at = end;
    } else if (kind == 0x2C) {
      if (at + 10 > Data.size()) break;
      TGifFrame f;
      f.Descriptor = at;
      f.Start = haveControl ? controlStart : at;
      f.Left = Word(Data, at + 1);
      f.Top = Word(Data, at + 3);
      f.Width = Word(Data, at + 5);
      f.Height = Word(Data, at + 7);
      f.TransparentIndex = haveControl ? transparent : -1;
      const size_t codeSize = at + 10 + ColorTableBytes(Data[at + 9]);
      if (codeSize >= Data.size()) break;
      const size_t end = SkipSubBlocks(Data, codeSize + 1);
      if (end == 0) break;
      f.End = end;
      layout.Frames.push_back(f);
      haveControl = false;
      transparent = -1;
      at = end;
    } else {
      break;  // the trailer, or a block this reader does not know
    }
  }
  return layout;
}

ImageFiles::TRawImage GifFiles::ReadGifFrame(const std::vector<uint8_t>& Data, int Index) {
  const TGifLayout layout = ScanGif(Data);
  if (Index < 0 || size_t(Index) >= layout.Frames.size()) Fail("no frame " + std::to_string(Index + 1));
  const TGifFrame& f = layout.Frames[size_t(Index)];
  if (f.Width <= 0 || f.Height <= 0) Fail("empty image");
  if (int64_t(f.Width) * f.Height > ImageFiles::MaxPixels) Fail("image too large");
  const uint8_t packed = Data[f.Descriptor + 9];
  std::vector<uint32_t> palette = (packed & 0x80)
                                      ? ReadColorTable(Data, f.Descriptor + 10, ColorTableBytes(packed))
                                      : ReadColorTable(Data, kHeaderSize, ColorTableBytes(Data[10]));
  if (palette.empty())
    for (uint32_t i = 0; i < 256; ++i) palette.push_back(0xFF000000u | i * 0x010101u);
  const size_t codeAt = f.Descriptor + 10 + ColorTableBytes(packed);
  const int minCode = Data[codeAt];
  if (minCode < 1 || minCode > 11) Fail("bad code size " + std::to_string(minCode));
  // One code gives at most 4096 pixels: a frame larger than its data can
  // describe is refused before its pixels are allocated.
  const uint64_t codes = uint64_t(f.End - codeAt) * 8 / uint64_t(minCode + 1) + 1;
  if (uint64_t(f.Width) * uint64_t(f.Height) > codes * 4096) Fail("image data too short for its size");
  std::vector<uint8_t> indices(size_t(f.Width) * size_t(f.Height), 0);
  TLzwDecoder(Data, codeAt + 1, minCode).Decode(indices);

  ImageFiles::TRawImage img;
  img.Width = f.Width;
  img.Height = f.Height;
  img.BitsPerPixel = 8;
  img.Palette = palette;
  img.Pixels.assign(indices.size(), 0);
  const bool interlaced = (packed & 0x40) != 0;
  const std::vector<int32_t> rows = interlaced ? InterlacedRows(f.Height) : std::vector<int32_t>{};
  for (int32_t y = 0; y < f.Height; ++y) {
    const int32_t shown = interlaced ? rows[size_t(y)] : y;
    for (int32_t x = 0; x < f.Width; ++x) {
      const uint8_t i = indices[size_t(y) * size_t(f.Width) + size_t(x)];
      uint32_t& px = img.Pixels[size_t(shown) * size_t(f.Width) + size_t(x)];
      if (int(i) == f.TransparentIndex) {
        img.HasAlpha = true;
        px = 0;
      } else {
        px = i < palette.size() ? palette[i] : 0xFF000000u;
      }
    }
  }
  return img;
}
