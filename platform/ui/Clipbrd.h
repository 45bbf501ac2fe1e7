#pragma once
// The clipboard: plain text and pictures (bitmaps, and metafiles, which other
// programs also receive as a bitmap).

#include "platform/gdi/Graphics.h"

#include <string>

class TMetafile;

// Clipboard formats the program asks for.
constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_BITMAP = 2;
constexpr unsigned CF_METAFILEPICT = 3;
constexpr unsigned CF_UNICODETEXT = 13;
constexpr unsigned CF_ENHMETAFILE = 14;

class TClipboard {
 public:
  std::string GetAsText() const;
  void SetAsText(const std::string& Value);
  bool HasFormat(unsigned Format) const;
  // Puts a copy of the bitmap's pixels on the clipboard.
  void Assign(const TBitmap& Bitmap);
  // Puts the metafile on the clipboard together with its picture as a bitmap.
  void Assign(const TMetafile& Metafile);
  // A picture's graphic: a metafile as a metafile, anything else as its pixels.
  void Assign(const TPicture& Picture);
  // The picture on the clipboard into Bitmap; false (Bitmap unchanged) when there is none.
  bool GetBitmap(TBitmap& Bitmap) const;
  // The metafile on the clipboard into Metafile; false (unchanged) when there is none.
  bool GetMetafile(TMetafile& Metafile) const;
  void Clear();
};

namespace Clipbrd {
TClipboard& Clipboard();
// The clipboard type under which enhanced metafiles travel.
extern const char* const MetafileMimeType;
}  // namespace Clipbrd
