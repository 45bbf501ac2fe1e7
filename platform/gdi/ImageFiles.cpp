// Picture files: BMP by hand, PNG through libpng, JPEG through libjpeg. Every
// reader checks sizes and offsets against the data before it touches them.

#include "platform/gdi/ImageFiles.h"
#include "platform/rtl/FileStore.h"

#include "platform/gdi/Graphics.h"

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>

namespace ImageFiles {
namespace {

uint32_t Le16(const std::vector<uint8_t>& d, size_t o) { return uint32_t(d[o]) | (uint32_t(d[o + 1]) << 8); }
uint32_t Le32(const std::vector<uint8_t>& d, size_t o) {
  return uint32_t(d[o]) | (uint32_t(d[o + 1]) << 8) | (uint32_t(d[o + 2]) << 16) | (uint32_t(d[o + 3]) << 24);
}
void Put16(std::vector<uint8_t>& d, uint32_t v) {
  d.push_back(uint8_t(v));
  d.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& d, uint32_t v) {
  Put16(d, v & 0xFFFF);
  Put16(d, v >> 16);
}

void CheckSize(int64_t w, int64_t h, const char* what) {
  if (w <= 0 || h <= 0)
    throw EInvalidGraphic(std::string(what) + " picture has an invalid size " + std::to_string(w) + " x " +
                          std::to_string(h));
  if (w > MaxDimension || h > MaxDimension || w * h > MaxPixels)
    throw EInvalidGraphic(std::string(what) + " picture is too large: " + std::to_string(w) + " x " +
                          std::to_string(h) + " pixels");
}

// Position of the lowest set bit and the width of a colour mask.
void MaskShift(uint32_t mask, int& shift, int& bits) {
  shift = 0;
  bits = 0;
  if (mask == 0) return;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + bits < 32 && ((mask >> (shift + bits)) & 1)) ++bits;
}
uint32_t Expand(uint32_t v, uint32_t mask, int shift, int bits) {
  if (bits == 0) return 255;
  uint32_t x = (v & mask) >> shift;
  const uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
  return uint32_t((uint64_t(x) * 255 + max / 2) / max);
}

// Decodes RLE8 or RLE4 data into palette indices (rows bottom-up as stored).
std::vector<uint8_t> DecodeRle(const std::vector<uint8_t>& d, size_t pos, size_t end, int32_t w, int32_t h, bool four) {
  std::vector<uint8_t> idx(size_t(w) * size_t(h), 0);
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t v) {
    if (x >= 0 && x < w && y >= 0 && y < h) idx[size_t(y) * size_t(w) + size_t(x)] = v;
    ++x;
  };
  bool endMarker = false;
  while (pos + 1 < end && y < h) {
    const uint8_t n = d[pos], v = d[pos + 1];
    pos += 2;
    if (n > 0) {
      for (int i = 0; i < n; ++i) put(four ? uint8_t((i & 1) ? (v & 0xF) : (v >> 4)) : v);
    } else if (v == 0) {
      x = 0;
      ++y;
    } else if (v == 1) {
      endMarker = true;
      break;
    } else if (v == 2) {
      if (pos + 1 >= end) break;
      x += d[pos];
      y += d[pos + 1];
      pos += 2;
    } else {
      const size_t bytes = four ? (size_t(v) + 1) / 2 : size_t(v);
      if (pos + bytes > end) throw EInvalidGraphic("Bitmap image is not valid: compressed data ends early");
      for (int i = 0; i < v; ++i) put(four ? uint8_t((i & 1) ? (d[pos + size_t(i / 2)] & 0xF) : (d[pos + size_t(i / 2)] >> 4)) : d[pos + size_t(i)]);
      pos += (bytes + 1) & ~size_t(1);
    }
  }
  // Data that stops without its end marker before the last row is complete is
  // a truncated picture, not one with a blank remainder.
  const bool complete = endMarker || y >= h || (y == h - 1 && x >= w);
  if (!complete) throw EInvalidGraphic("Bitmap image is not valid: compressed data ends before its rows");
  return idx;
}

}  // namespace

TImageKind DetectKind(const std::vector<uint8_t>& Data) {
  if (Data.size() >= 2 && Data[0] == 'B' && Data[1] == 'M') return TImageKind::Bmp;
  static const uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (Data.size() >= 8 && std::memcmp(Data.data(), png, 8) == 0) return TImageKind::Png;
  if (Data.size() >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF) return TImageKind::Jpeg;
  return TImageKind::Unknown;
}

// ---------------------------------------------------------------- BMP
TRawImage ReadBmp(const std::vector<uint8_t>& d) {
  const auto bad = [](const std::string& why) { return EInvalidGraphic("Bitmap image is not valid: " + why); };
  if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') throw bad("no bitmap file header");
  const uint32_t offBits = Le32(d, 10), hdr = Le32(d, 14);
  if (hdr < 12 || 14 + size_t(hdr) > d.size()) throw bad("header size " + std::to_string(hdr));
  int64_t w, h;
  uint32_t bits, compression = 0, clrUsed = 0;
  uint32_t masks[4] = {0, 0, 0, 0};
  size_t palEntry = 4;
  if (hdr == 12) {
    w = int16_t(Le16(d, 18));
    h = int16_t(Le16(d, 20));
    bits = Le16(d, 24);
    palEntry = 3;
  } else {
    if (hdr < 40) throw bad("header size " + std::to_string(hdr));
    w = int32_t(Le32(d, 18));
    h = int32_t(Le32(d, 22));
    bits = Le16(d, 28);
    compression = Le32(d, 30);
    clrUsed = Le32(d, 46);
    if (compression == 3 || compression == 6) {
      if (hdr >= 52) {
        masks[0] = Le32(d, 54);
        masks[1] = Le32(d, 58);
        masks[2] = Le32(d, 62);
        if (hdr >= 56) masks[3] = Le32(d, 66);
      } else {
        if (54 + 12 > d.size()) throw bad("colour masks missing");
        masks[0] = Le32(d, 54);
        masks[1] = Le32(d, 58);
        masks[2] = Le32(d, 62);
      }
    } else if (hdr >= 56 && compression == 0 && bits == 32) {
      masks[3] = Le32(d, 66);
    }
  }
  const bool topDown = h < 0;
  h = h < 0 ? -h : h;
  CheckSize(w, h, "Bitmap");
  if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32))
    throw bad(std::to_string(bits) + " bits per pixel");
  if (compression != 0 && !(compression == 1 && bits == 8) && !(compression == 2 && bits == 4) &&
      !((compression == 3 || compression == 6) && (bits == 16 || bits == 32)))
    throw bad("compression " + std::to_string(compression) + " is not supported");
  TRawImage img;
  img.Width = int32_t(w);
  img.Height = int32_t(h);
  img.BitsPerPixel = int(bits);
  // Palette.
  if (bits <= 8) {
    size_t n = clrUsed ? clrUsed : (size_t(1) << bits);
    n = std::min<size_t>(n, size_t(1) << bits);
    size_t palPos = 14 + size_t(hdr);
    if (compression == 3) palPos += 12;
    if (palPos + n * palEntry > d.size()) throw bad("palette ends early");
    for (size_t i = 0; i < n; ++i) {
      const size_t p = palPos + i * palEntry;
      img.Palette.push_back((uint32_t(d[p + 2]) << 16) | (uint32_t(d[p + 1]) << 8) | d[p]);
    }
  }
  if (offBits >= d.size()) throw bad("pixel data missing");
  // Compressed rows are decoded (and a truncation found) before the picture is made.
  std::vector<uint8_t> idx;
  if (compression == 1 || compression == 2) idx = DecodeRle(d, offBits, d.size(), int32_t(w), int32_t(h), compression == 2);
  img.Pixels.assign(size_t(w) * size_t(h), 0xFF000000u);
  auto setRow = [&](int64_t fileRow) { return topDown ? fileRow : h - 1 - fileRow; };
  auto paletteColour = [&](uint32_t i) -> uint32_t {
    return 0xFF000000u | (i < img.Palette.size() ? img.Palette[i] : 0u);
  };
  if (compression == 1 || compression == 2) {
    for (int64_t r = 0; r < h; ++r)
      for (int64_t x = 0; x < w; ++x)
        img.Pixels[size_t(setRow(r)) * size_t(w) + size_t(x)] = paletteColour(idx[size_t(r) * size_t(w) + size_t(x)]);
    return img;
  }
  const size_t stride = ((size_t(w) * bits + 31) / 32) * 4;
  if (offBits + stride * size_t(h) > d.size()) throw bad("pixel data ends early");
  if (bits == 16 && masks[0] == 0) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  // 16-bit words with 5 bits of green are reported as 15 bits.
  if (bits == 16 && masks[1] == 0x03E0) img.BitsPerPixel = 15;
  int sh[4], bt[4];
  for (int i = 0; i < 4; ++i) MaskShift(masks[i], sh[i], bt[i]);
  bool anyAlpha = false;
  for (int64_t r = 0; r < h; ++r) {
    const uint8_t* row = d.data() + offBits + size_t(r) * stride;
    uint32_t* out = &img.Pixels[size_t(setRow(r)) * size_t(w)];
    for (int64_t x = 0; x < w; ++x) {
      uint32_t v;
      switch (bits) {
        case 1: v = paletteColour((row[x / 8] >> (7 - x % 8)) & 1); break;
        case 4: v = paletteColour((row[x / 2] >> ((x % 2) ? 0 : 4)) & 0xF); break;
        case 8: v = paletteColour(row[x]); break;
        case 24: v = 0xFF000000u | (uint32_t(row[3 * x + 2]) << 16) | (uint32_t(row[3 * x + 1]) << 8) | row[3 * x]; break;
        case 16: {
          const uint32_t p = uint32_t(row[2 * x]) | (uint32_t(row[2 * x + 1]) << 8);
          v = 0xFF000000u | (Expand(p, masks[0], sh[0], bt[0]) << 16) | (Expand(p, masks[1], sh[1], bt[1]) << 8) |
              Expand(p, masks[2], sh[2], bt[2]);
          break;
        }
        default: {  // 32
          const uint32_t p = uint32_t(row[4 * x]) | (uint32_t(row[4 * x + 1]) << 8) | (uint32_t(row[4 * x + 2]) << 16) |
                             (uint32_t(row[4 * x + 3]) << 24);
          if (compression == 3 || compression == 6) {
            const uint32_t a = masks[3] ? Expand(p, masks[3], sh[3], bt[3]) : 255;
            v = (a << 24) | (Expand(p, masks[0], sh[0], bt[0]) << 16) | (Expand(p, masks[1], sh[1], bt[1]) << 8) |
                Expand(p, masks[2], sh[2], bt[2]);
          } else {
            v = p;
          }
          if ((v >> 24) != 0) anyAlpha = true;
          break;
        }
      }
      out[x] = v;
    }
  }
  if (bits == 32) {
    // A 32-bit file whose alpha bytes are all zero carries no transparency.
    if (!anyAlpha)
      for (uint32_t& p : img.Pixels) p |= 0xFF000000u;
    img.HasAlpha = anyAlpha;
  }
  return img;
}

std::vector<uint32_t> StandardPalette(int Bits) {
  static const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                   0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  if (Bits <= 1) return {0x000000, 0xFFFFFF};
  std::vector<uint32_t> p(vga, vga + 16);
  if (Bits <= 4) return p;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) p.push_back(uint32_t(r * 51) << 16 | uint32_t(g * 51) << 8 | uint32_t(b * 51));
  for (int i = 1; int(p.size()) < 256; ++i) {
    const uint32_t v = uint32_t(std::min(255, i * 10));
    p.push_back(v << 16 | v << 8 | v);
  }
  return p;
}

std::vector<uint32_t> PaletteFor(const TRawImage& Image, int Bits) {
  const size_t cap = size_t(1) << Bits;
  std::vector<uint32_t> own;
  // One bit per colour: a picture of a hundred million pixels (a small run-length
  // file may claim that many) is looked through in one quick pass.
  std::vector<bool> seen(size_t(1) << 24);
  uint32_t last = 0xFFFFFFFF;
  for (uint32_t p : Image.Pixels) {
    const uint32_t c = p & 0xFFFFFF;
    if (c == last) continue;
    last = c;
    if (!seen[c]) {
      seen[c] = true;
      own.push_back(c);
      if (own.size() > cap) return StandardPalette(Bits);
    }
  }
  if (own.empty()) own.push_back(0);
  return own;
}

uint32_t NearestInPalette(uint32_t Rgb, const std::vector<uint32_t>& Palette) {
  uint32_t best = 0;
  int bestD = INT32_MAX;
  for (size_t i = 0; i < Palette.size(); ++i) {
    const uint32_t c = Palette[i];
    const int dr = int((c >> 16) & 0xFF) - int((Rgb >> 16) & 0xFF), dg = int((c >> 8) & 0xFF) - int((Rgb >> 8) & 0xFF),
              db = int(c & 0xFF) - int(Rgb & 0xFF);
    const int dd = dr * dr + dg * dg + db * db;
    if (dd < bestD) {
      bestD = dd;
      best = uint32_t(i);
      if (dd == 0) break;
    }
  }
  return best;
}

std::vector<uint8_t> WriteBmp(const TRawImage& Image, int Bits, const std::vector<uint32_t>& Palette) {
  if (!(Bits == 1 || Bits == 4 || Bits == 8 || Bits == 15 || Bits == 16 || Bits == 24 || Bits == 32))
    throw EInvalidGraphic("Bitmap files are written with 1, 4, 8, 15, 16, 24 or 32 bits per pixel, not " +
                          std::to_string(Bits));
  CheckSize(Image.Width, Image.Height, "Bitmap");
  const int32_t w = Image.Width, h = Image.Height;
  // 15 bits are stored as 16-bit words 5-5-5 (the file's default layout); 16
  // bits as 5-6-5 words described by three colour masks.
  const bool Words565 = Bits == 16;
  const int FileBits = Bits == 15 ? 16 : Bits;
  const uint32_t maskBytes = Words565 ? 12 : 0;
  std::vector<uint32_t> pal;
  if (Bits <= 8) pal = Palette.empty() ? PaletteFor(Image, Bits) : Palette;
  if (pal.size() > (size_t(1) << Bits)) pal.resize(size_t(1) << Bits);
  const size_t stride = ((size_t(w) * size_t(FileBits) + 31) / 32) * 4;
  const uint32_t palBytes = uint32_t(pal.size() * 4);
  const uint32_t off = 14 + 40 + maskBytes + palBytes;
  const uint32_t imageBytes = uint32_t(stride * size_t(h));
  std::vector<uint8_t> d;
  d.reserve(off + imageBytes);
  d.push_back('B');
  d.push_back('M');
  Put32(d, off + imageBytes);
  Put32(d, 0);
  Put32(d, off);
  Put32(d, 40);
  Put32(d, uint32_t(w));
  Put32(d, uint32_t(h));
  Put16(d, 1);
  Put16(d, uint32_t(FileBits));
  Put32(d, Words565 ? 3 : 0);  // BI_BITFIELDS or no compression
  Put32(d, imageBytes);
  Put32(d, 3780);  // 96 dpi in pixels per metre
  Put32(d, 3780);
  Put32(d, uint32_t(pal.size()));
  Put32(d, 0);
  if (Words565) {
    Put32(d, 0xF800);
    Put32(d, 0x07E0);
    Put32(d, 0x001F);
  }
  for (uint32_t c : pal) {
    d.push_back(uint8_t(c));
    d.push_back(uint8_t(c >> 8));
    d.push_back(uint8_t(c >> 16));
    d.push_back(0);
  }
  std::map<uint32_t, uint32_t> lookup;  // colour -> palette index
  auto index = [&](uint32_t rgb) {
    auto it = lookup.find(rgb);
    if (it != lookup.end()) return it->second;
    const uint32_t i = NearestInPalette(rgb, pal);
    lookup.emplace(rgb, i);
    return i;
  };
  std::vector<uint8_t> row(stride);
  for (int32_t r = h - 1; r >= 0; --r) {
    std::fill(row.begin(), row.end(), 0);
    const uint32_t* src = &Image.Pixels[size_t(r) * size_t(w)];
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t p = src[x];
      switch (Bits) {
        case 1: row[size_t(x / 8)] |= uint8_t(index(p & 0xFFFFFF) << (7 - x % 8)); break;
        case 4: row[size_t(x / 2)] |= uint8_t(index(p & 0xFFFFFF) << ((x % 2) ? 0 : 4)); break;
        case 8: row[size_t(x)] = uint8_t(index(p & 0xFFFFFF)); break;
        case 15:
        case 16: {
          const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
          const uint32_t word = Words565 ? ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)
                                         : ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
          row[size_t(2 * x)] = uint8_t(word);
          row[size_t(2 * x + 1)] = uint8_t(word >> 8);
          break;
        }
        case 24:
          row[size_t(3 * x)] = uint8_t(p);
          row[size_t(3 * x + 1)] = uint8_t(p >> 8);
          row[size_t(3 * x + 2)] = uint8_t(p >> 16);
          break;
        default:
          row[size_t(4 * x)] = uint8_t(p);
          row[size_t(4 * x + 1)] = uint8_t(p >> 8);
          row[size_t(4 * x + 2)] = uint8_t(p >> 16);
          row[size_t(4 * x + 3)] = Image.HasAlpha ? uint8_t(p >> 24) : 0;
          break;
      }
    }
    d.insert(d.end(), row.begin(), row.end());
  }
  return d;
}

// ---------------------------------------------------------------- PNG
namespace {
struct TPngReader {
  const std::vector<uint8_t>* Data;
  size_t Pos;
};
void PngRead(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  if (r->Pos + n > r->Data->size()) png_error(png, "the data ends early");
  std::memcpy(out, r->Data->data() + r->Pos, n);
  r->Pos += n;
}
void PngWrite(png_structp png, png_bytep in, png_size_t n) {
  auto* v = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  v->insert(v->end(), in, in + n);
}
void PngFlush(png_structp) {}
struct TPngError {
  char Message[256] = "";
};
void PngErrorFn(png_structp png, png_const_charp msg) {
  auto* e = static_cast<TPngError*>(png_get_error_ptr(png));
  std::snprintf(e->Message, sizeof e->Message, "%s", msg);
  png_longjmp(png, 1);
}
void PngWarningFn(png_structp, png_const_charp) {}
}  // namespace

TRawImage ReadPng(const std::vector<uint8_t>& Data) {
  if (DetectKind(Data) != TImageKind::Png) throw EInvalidGraphic("PNG image is not valid: no PNG signature");
  TPngError err;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &err, PngErrorFn, PngWarningFn);
  if (!png) throw EInvalidGraphic("PNG image cannot be read: out of memory");
  png_infop info = png_create_info_struct(png);
  TPngReader reader{&Data, 0};
  // Declared before setjmp so that the error path frees them.
  TRawImage* img = new TRawImage();
  std::vector<png_bytep>* rows = new std::vector<png_bytep>();
  std::vector<uint8_t>* buf = new std::vector<uint8_t>();
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    delete img;
    delete rows;
    delete buf;
    throw EInvalidGraphic(std::string("PNG image is not valid: ") + err.Message);
  }
  png_set_read_fn(png, &reader, PngRead);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (w == 0 || h == 0 || w > png_uint_32(MaxDimension) || h > png_uint_32(MaxDimension) ||
      int64_t(w) * int64_t(h) > MaxPixels) {
    std::snprintf(err.Message, sizeof err.Message, "size %u x %u is not supported", unsigned(w), unsigned(h));
    png_longjmp(png, 1);
  }
  const int colorType = png_get_color_type(png, info);
  const bool alpha = (colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  buf->resize(size_t(w) * size_t(h) * 4);
  rows->resize(h);
  for (png_uint_32 y = 0; y < h; ++y) (*rows)[y] = buf->data() + size_t(y) * size_t(w) * 4;
  png_read_image(png, rows->data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  img->Width = int32_t(w);
  img->Height = int32_t(h);
  img->HasAlpha = alpha;
  img->BitsPerPixel = alpha ? 32 : 24;
  img->Pixels.resize(size_t(w) * size_t(h));
  for (size_t i = 0; i < img->Pixels.size(); ++i) {
    const uint8_t* p = buf->data() + 4 * i;
    img->Pixels[i] = (uint32_t(p[3]) << 24) | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
  }
  TRawImage result = std::move(*img);
  delete img;
  delete rows;
  delete buf;
  return result;
}

std::vector<uint8_t> WritePng(const TRawImage& Image) {
  CheckSize(Image.Width, Image.Height, "PNG");
  const int32_t w = Image.Width, h = Image.Height;
  const int channels = Image.HasAlpha ? 4 : 3;
  std::vector<uint8_t> pixels(size_t(w) * size_t(h) * size_t(channels));
  for (size_t i = 0; i < size_t(w) * size_t(h); ++i) {
    const uint32_t p = Image.Pixels[i];
    uint8_t* q = pixels.data() + i * size_t(channels);
    q[0] = uint8_t(p >> 16);
    q[1] = uint8_t(p >> 8);
    q[2] = uint8_t(p);
    if (channels == 4) q[3] = uint8_t(p >> 24);
  }
  std::vector<png_bytep> rows(static_cast<size_t>(h));
  for (int32_t y = 0; y < h; ++y) rows[size_t(y)] = pixels.data() + size_t(y) * size_t(w) * size_t(channels);
  std::vector<uint8_t> out;
  TPngError err;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &err, PngErrorFn, PngWarningFn);
  if (!png) throw EInvalidGraphic("PNG image cannot be written: out of memory");
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw EInvalidGraphic(std::string("PNG image cannot be written: ") + err.Message);
  }
  png_set_write_fn(png, &out, PngWrite, PngFlush);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, Image.HasAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, 3780, 3780, PNG_RESOLUTION_METER);  // 96 dpi
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

// ---------------------------------------------------------------- JPEG
namespace {
struct TJpegError {
  jpeg_error_mgr Mgr;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX] = "";
};
void JpegErrorExit(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, e->Message);
  std::longjmp(e->Jump, 1);
}
// Warnings are ignored, except that the data ends before the rows do: the
// library would go on and make up the missing rows (and take its time for a
// huge declared size), so the picture is refused at once.
void JpegWarning(j_common_ptr cinfo, int Level) {
  if (Level != -1 || cinfo->err->msg_code != JWRN_JPEG_EOF || !cinfo->is_decompressor) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  // The decoder reads a little ahead: the last row band may meet the end of a file without its end marker.
  const JDIMENSION band = JDIMENSION(std::max(1, d->max_v_samp_factor)) * DCTSIZE;
  if (d->output_height == 0 || d->output_scanline + band >= d->output_height) return;
  auto* e = reinterpret_cast<TJpegError*>(cinfo->err);
  std::snprintf(e->Message, sizeof e->Message, "the data ends before its rows");
  std::longjmp(e->Jump, 1);
}
}  // namespace

TRawImage ReadJpeg(const std::vector<uint8_t>& Data) {
  if (DetectKind(Data) != TImageKind::Jpeg) throw EInvalidGraphic("JPEG image is not valid: no JPEG signature");
  jpeg_decompress_struct cinfo;
  TJpegError err;
  cinfo.err = jpeg_std_error(&err.Mgr);
  err.Mgr.error_exit = JpegErrorExit;
  err.Mgr.emit_message = JpegWarning;
  TRawImage* img = new TRawImage();
  std::vector<uint8_t>* row = new std::vector<uint8_t>();
  if (setjmp(err.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    delete img;
    delete row;
    throw EInvalidGraphic(std::string("JPEG image is not valid: ") + err.Message);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, Data.data(), static_cast<unsigned long>(Data.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > JDIMENSION(MaxDimension) ||
      cinfo.image_height > JDIMENSION(MaxDimension) ||
      int64_t(cinfo.image_width) * int64_t(cinfo.image_height) > MaxPixels) {
    std::snprintf(err.Message, sizeof err.Message, "size %u x %u is not supported", unsigned(cinfo.image_width),
                  unsigned(cinfo.image_height));
    std::longjmp(err.Jump, 1);
  }
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) cinfo.out_color_space = JCS_CMYK;
  else cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  const int comps = cinfo.output_components;
  img->Width = int32_t(cinfo.output_width);
  img->Height = int32_t(cinfo.output_height);
  img->BitsPerPixel = 24;
  row->resize(size_t(img->Width) * size_t(comps));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW r = row->data();
    const size_t y = cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &r, 1);
    // The picture grows with the rows read: a file that ends early is refused
    // before the memory its declared size would take is filled.
    const size_t need = (y + 1) * size_t(img->Width);
    if (img->Pixels.size() < need)
      img->Pixels.resize(std::min(size_t(img->Width) * size_t(img->Height), std::max(need, img->Pixels.size() * 2)));
    for (int32_t x = 0; x < img->Width; ++x) {
      const uint8_t* p = row->data() + size_t(x) * size_t(comps);
      uint32_t v;
      if (comps == 4) {  // Adobe files store CMYK inverted
        const uint32_t k = p[3];
        v = ((p[0] * k / 255) << 16) | ((p[1] * k / 255) << 8) | (p[2] * k / 255);
      } else if (comps == 3) {
        v = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
      } else {
        v = (uint32_t(p[0]) << 16) | (uint32_t(p[0]) << 8) | p[0];
      }
      img->Pixels[y * size_t(img->Width) + size_t(x)] = 0xFF000000u | v;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  TRawImage result = std::move(*img);
  delete img;
  delete row;
  return result;
}

std::vector<uint8_t> WriteJpeg(const TRawImage& Image, int Quality) {
  CheckSize(Image.Width, Image.Height, "JPEG");
  jpeg_compress_struct cinfo;
  TJpegError err;
  cinfo.err = jpeg_std_error(&err.Mgr);
  err.Mgr.error_exit = JpegErrorExit;
  err.Mgr.emit_message = JpegWarning;
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  std::vector<uint8_t>* row = new std::vector<uint8_t>(size_t(Image.Width) * 3);
  if (setjmp(err.Jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    delete row;
    throw EInvalidGraphic(std::string("JPEG image cannot be written: ") + err.Message);
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &mem, &memSize);
  cinfo.image_width = JDIMENSION(Image.Width);
  cinfo.image_height = JDIMENSION(Image.Height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, std::clamp(Quality, 1, 100), TRUE);
  cinfo.density_unit = 1;  // dots per inch
  cinfo.X_density = 96;
  cinfo.Y_density = 96;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint32_t* src = &Image.Pixels[size_t(cinfo.next_scanline) * size_t(Image.Width)];
    for (int32_t x = 0; x < Image.Width; ++x) {
      (*row)[size_t(3 * x)] = uint8_t(src[x] >> 16);
      (*row)[size_t(3 * x + 1)] = uint8_t(src[x] >> 8);
      (*row)[size_t(3 * x + 2)] = uint8_t(src[x]);
    }
    JSAMPROW r = row->data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(mem, mem + memSize);
  jpeg_destroy_compress(&cinfo);
  std::free(mem);
  delete row;
  return out;
}

// ---------------------------------------------------------------- any kind, files
TRawImage ReadImage(const std::vector<uint8_t>& Data) {
  switch (DetectKind(Data)) {
    case TImageKind::Bmp: return ReadBmp(Data);
    case TImageKind::Png: return ReadPng(Data);
    case TImageKind::Jpeg: return ReadJpeg(Data);
    default: throw EInvalidGraphic("Unknown picture format: the data is neither BMP, PNG nor JPEG");
  }
}

std::vector<uint8_t> ReadFileBytes(const std::string& FileName) {
  std::string bytes;
  if (!FileStore::ReadFile(FileName, bytes)) throw EInOutError("Cannot open file \"" + FileName + "\"");
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

void WriteFileBytes(const std::string& FileName, const std::vector<uint8_t>& Data) {
  std::string error;
  const std::string_view bytes(reinterpret_cast<const char*>(Data.data()), Data.size());
  if (!FileStore::WriteFileAtomic(FileName, bytes, error))
    throw EInOutError("Cannot write file \"" + FileName + "\": " + error);
}

}  // namespace ImageFiles
