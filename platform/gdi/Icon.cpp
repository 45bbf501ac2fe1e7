#include "platform/gdi/Icon.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ImageFiles.h"

#include <algorithm>

namespace {

constexpr int32_t kMaxSide = 1024;  // wider or taller pictures are refused

[[noreturn]] void Bad(const std::string& Reason) { throw EInvalidGraphic("Invalid icon: " + Reason); }

struct TReader {
  const std::vector<uint8_t>& D;
  uint32_t U8(size_t At) const {
    if (At >= D.size()) Bad("the file ends too early");
    return D[At];
  }
  uint32_t U16(size_t At) const { return U8(At) | (U8(At + 1) << 8); }
  uint32_t U32(size_t At) const { return U16(At) | (U16(At + 2) << 16); }
};

struct TEntry {
  int32_t Width = 0, Height = 0;
  uint32_t Bits = 0, Size = 0, Offset = 0;
};

void Put16(std::vector<uint8_t>& B, uint32_t V) {
  B.push_back(uint8_t(V));
  B.push_back(uint8_t(V >> 8));
}
void Put32(std::vector<uint8_t>& B, uint32_t V) {
  Put16(B, V & 0xFFFF);
  Put16(B, V >> 16);
}

}  // namespace

void TIcon::SetPixels(int32_t Width, int32_t Height, const std::vector<uint32_t>& Colors, const std::vector<bool>& Mask) {
  const size_t n = size_t(std::max(0, Width)) * size_t(std::max(0, Height));
  if (Colors.size() < n || Mask.size() < n) throw EInvalidGraphic("Invalid icon: the pixel lists are too short");
  FWidth = Width;
  FHeight = Height;
  FPixels.resize(n);
  for (size_t i = 0; i < n; ++i) FPixels[i] = Mask[i] ? 0u : (Colors[i] | 0xFF000000u);
  if (OnChange) OnChange(this);
}

bool TIcon::IsTransparentAt(int32_t X, int32_t Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return true;
  return (FPixels[size_t(Y) * size_t(FWidth) + size_t(X)] >> 24) == 0;
}

void TIcon::LoadFromBytes(const std::vector<uint8_t>& Data) {
  const TReader r{Data};
  if (r.U16(0) != 0 || (r.U16(2) != 1 && r.U16(2) != 2)) Bad("no icon header");
  const uint32_t count = r.U16(4);
  if (count == 0) Bad("the file holds no image");
  TEntry best;
  bool have = false;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 6 + size_t(i) * 16;
    TEntry e;
    e.Width = r.U8(at) == 0 ? 256 : int32_t(r.U8(at));
    e.Height = r.U8(at + 1) == 0 ? 256 : int32_t(r.U8(at + 1));
    e.Bits = r.U16(at + 6);
    e.Size = r.U32(at + 8);
    e.Offset = r.U32(at + 12);
    if (uint64_t(e.Offset) + e.Size > Data.size() || e.Size == 0) continue;
    const int64_t area = int64_t(e.Width) * e.Height, bestArea = int64_t(best.Width) * best.Height;
    if (!have || area > bestArea || (area == bestArea && e.Bits > best.Bits)) {
      best = e;
      have = true;
    }
  }
  if (!have) Bad("no image lies inside the file");
  const std::vector<uint8_t> image(Data.begin() + best.Offset, Data.begin() + best.Offset + best.Size);
  if (ImageFiles::DetectKind(image) == ImageFiles::TImageKind::Png) {
    const ImageFiles::TRawImage png = ImageFiles::ReadPng(image);
    if (png.Width <= 0 || png.Height <= 0 || png.Width > kMaxSide || png.Height > kMaxSide) Bad("bad image size");
    FWidth = png.Width;
    FHeight = png.Height;
    FPixels = png.Pixels;
    if (!png.HasAlpha)
      for (uint32_t& p : FPixels) p |= 0xFF000000u;
    if (OnChange) OnChange(this);
    return;
  }
  const TReader b{image};
  const uint32_t header = b.U32(0);
  if (header < 40) Bad("unknown picture header");
  const int32_t w = int32_t(b.U32(4));
  const int32_t h2 = int32_t(b.U32(8));
  const uint32_t bits = b.U16(14), compression = b.U32(16);
  uint32_t colorsUsed = b.U32(32);
  if (w <= 0 || h2 <= 0 || h2 % 2 != 0 || w > kMaxSide || h2 / 2 > kMaxSide) Bad("bad image size");
  if (compression != 0) Bad("compressed pictures are not supported");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) Bad("unsupported colour depth");
  const int32_t h = h2 / 2;
  std::vector<uint32_t> palette;
  size_t at = header;
  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    if (colorsUsed == 0 || colorsUsed > full) colorsUsed = full;
    for (uint32_t i = 0; i < colorsUsed; ++i, at += 4)
      palette.push_back((b.U8(at + 2) << 16) | (b.U8(at + 1) << 8) | b.U8(at));
  }
  const size_t xorStride = ((size_t(w) * bits + 31) / 32) * 4;
  const size_t andStride = ((size_t(w) + 31) / 32) * 4;
  const size_t xorAt = at, andAt = at + xorStride * size_t(h);
  const bool hasMask = andAt + andStride * size_t(h) <= image.size();
  if (xorAt + xorStride * size_t(h) > image.size()) Bad("the picture is cut short");
  std::vector<uint32_t> pixels(size_t(w) * size_t(h));
  bool anyAlpha = false;
  for (int32_t y = 0; y < h; ++y) {
    const size_t row = xorAt + size_t(h - 1 - y) * xorStride;
    for (int32_t x = 0; x < w; ++x) {
      uint32_t c = 0;
      switch (bits) {
        case 32:
          c = (b.U8(row + 4 * x + 3) << 24) | (b.U8(row + 4 * x + 2) << 16) | (b.U8(row + 4 * x + 1) << 8) |
              b.U8(row + 4 * x);
          anyAlpha = anyAlpha || (c >> 24) != 0;
          break;
        case 24: c = (b.U8(row + 3 * x + 2) << 16) | (b.U8(row + 3 * x + 1) << 8) | b.U8(row + 3 * x); break;
        default: {
          const size_t bit = size_t(x) * bits;
          const uint32_t byte = b.U8(row + bit / 8);
          const uint32_t idx = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
          c = idx < palette.size() ? palette[idx] : 0;
          break;
        }
      }
      pixels[size_t(y) * size_t(w) + size_t(x)] = c;
    }
  }
  for (int32_t y = 0; y < h; ++y) {
    const size_t row = andAt + size_t(h - 1 - y) * andStride;
    for (int32_t x = 0; x < w; ++x) {
      uint32_t& p = pixels[size_t(y) * size_t(w) + size_t(x)];
      const bool masked = hasMask && ((b.U8(row + size_t(x) / 8) >> (7 - x % 8)) & 1) != 0;
      if (bits == 32 && anyAlpha) {
        if (masked) p &= 0x00FFFFFFu;
      } else {
        p = masked ? (p & 0x00FFFFFFu) : (p | 0xFF000000u);
      }
    }
  }
  FWidth = w;
  FHeight = h;
  FPixels = std::move(pixels);
  if (OnChange) OnChange(this);
}

std::vector<uint8_t> TIcon::SaveToBytes() const {
  if (GetEmpty()) throw EInvalidGraphic("An empty icon cannot be saved");
  const size_t andStride = ((size_t(FWidth) + 31) / 32) * 4;
  const uint32_t imageSize = uint32_t(40 + size_t(FWidth) * FHeight * 4 + andStride * FHeight);
  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, 1);
  out.push_back(uint8_t(FWidth >= 256 ? 0 : FWidth));
  out.push_back(uint8_t(FHeight >= 256 ? 0 : FHeight));
  out.push_back(0);
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, imageSize);
  Put32(out, 22);
  Put32(out, 40);
  Put32(out, uint32_t(FWidth));
  Put32(out, uint32_t(FHeight * 2));
  Put16(out, 1);
  Put16(out, 32);
  for (int i = 0; i < 6; ++i) Put32(out, 0);
  for (int32_t y = FHeight - 1; y >= 0; --y)
    for (int32_t x = 0; x < FWidth; ++x) {
      const uint32_t p = FPixels[size_t(y) * size_t(FWidth) + size_t(x)];
      out.push_back(uint8_t(p));
      out.push_back(uint8_t(p >> 8));
      out.push_back(uint8_t(p >> 16));
      out.push_back(uint8_t(p >> 24));
    }
  for (int32_t y = FHeight - 1; y >= 0; --y) {
    std::vector<uint8_t> row(andStride, 0);
    for (int32_t x = 0; x < FWidth; ++x)
      if ((FPixels[size_t(y) * size_t(FWidth) + size_t(x)] >> 24) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void TIcon::LoadFromFile(const std::string& FileName) { LoadFromBytes(ImageFiles::ReadFileBytes(FileName)); }

void TIcon::SaveToFile(const std::string& FileName) const { ImageFiles::WriteFileBytes(FileName, SaveToBytes()); }

std::unique_ptr<TGraphic> TIcon::Clone() const {
  auto c = std::make_unique<TIcon>();
  c->FWidth = FWidth;
  c->FHeight = FHeight;
  c->FPixels = FPixels;
  return c;
}

void TIcon::Draw(TCanvas& Canvas, const TRect& R) const {
  if (GetEmpty() || R.Width() <= 0 || R.Height() <= 0) return;
  // Only the part of R the canvas can show is walked (with a margin for the
  // rounding of the mapping; each pixel is still checked when it is set): a
  // picture drawn at its own large size into a small window stays quick.
  const TRect Clip = Canvas.GetClipRect();
  const int32_t Top = std::max<int64_t>(R.Top, int64_t(Clip.Top) - 2);
  const int32_t Bottom = std::min<int64_t>(R.Bottom, int64_t(Clip.Bottom) + 2);
  const int32_t Left = std::max<int64_t>(R.Left, int64_t(Clip.Left) - 2);
  const int32_t Right = std::min<int64_t>(R.Right, int64_t(Clip.Right) + 2);
  for (int32_t y = Top; y < Bottom; ++y) {
    const int32_t sy = int32_t(int64_t(y - R.Top) * FHeight / R.Height());
    for (int32_t x = Left; x < Right; ++x) {
      const int32_t sx = int32_t(int64_t(x - R.Left) * FWidth / R.Width());
      const uint32_t p = FPixels[size_t(sy) * size_t(FWidth) + size_t(sx)];
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      // $AARRGGBB to a colour with red in the lowest byte.
      auto colour = [](uint32_t P) { return TColor(((P >> 16) & 0xFF) | (P & 0xFF00) | ((P & 0xFF) << 16)); };
      if (a == 255) {
        Canvas.SetPixel(x, y, colour(p));
        continue;
      }
      const TColor under = Canvas.GetPixel(x, y);
      if (under == TColor(CLR_INVALID)) continue;
      auto mix = [&](int shift) {
        const uint32_t s = (colour(p) >> shift) & 0xFF, d = (uint32_t(under) >> shift) & 0xFF;
        return ((s * a + d * (255 - a) + 127) / 255) << shift;
      };
      Canvas.SetPixel(x, y, TColor(mix(0) | mix(8) | mix(16)));
    }
  }
}
