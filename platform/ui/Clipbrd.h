#pragma once
// The clipboard: plain text and pictures.

#include "platform/gdi/Graphics.h"

#include <string>

// Clipboard formats the program asks for.
constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_BITMAP = 2;
constexpr unsigned CF_UNICODETEXT = 13;

class TClipboard {
 public:
  std::string GetAsText() const;
  void SetAsText(const std::string& Value);
  bool HasFormat(unsigned Format) const;
  // Puts a copy of the bitmap's pixels on the clipboard.
  void Assign(const TBitmap& Bitmap);
  // The picture on the clipboard into Bitmap; false (Bitmap unchanged) when there is none.
  bool GetBitmap(TBitmap& Bitmap) const;
  void Clear();
};

namespace Clipbrd {
TClipboard& Clipboard();
}  // namespace Clipbrd
