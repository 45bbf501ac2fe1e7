#pragma once
// Internal to platform/gdi: the pixels of a TBitmap. Include from .cpp files only.
//
// The pixels live in a QImage: Format_BGR888 for pf24bit (so that a scan line
// has the platform's B,G,R layout), Format_ARGB32 for pf32bit and Format_RGB32
// for every other format. 1-, 4- and 8-bit bitmaps keep their palette here and
// every colour drawn into them is reduced to its nearest palette entry.

#include "platform/gdi/Graphics.h"

#include <QImage>

#include <memory>
#include <vector>


struct TBitmap::Impl {
  QImage Image;
  TPixelFormat Format = pfDevice;
  std::vector<uint32_t> Palette;  // 0x00RRGGBB; empty for true-colour formats
  std::unique_ptr<TCanvas> Canvas;
};

struct TBitmapAccess {
  static TBitmap::Impl& Of(const TBitmap& B) { return *B.d_; }
};

namespace BitmapPixels {
// Qt's 0x00RRGGBB from a colour (system colours resolved) and back.
inline uint32_t ToRgb(TColor c) {
  uint32_t v = ColorToDeviceRGB(c);
  return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}
inline TColor FromRgb(uint32_t rgb) {
  return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}
const std::vector<uint32_t>* Palette(const TBitmap& B);
TPixelFormat Format(const TBitmap& B);
}  // namespace BitmapPixels
