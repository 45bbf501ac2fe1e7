#pragma once
// Internal to platform/gdi: logical fonts realised as Qt fonts. Include from
// .cpp files only.

#include "platform/gdi/DeviceContext.h"

#include <QFont>
#include <QFontMetrics>

#include <string>

namespace FontEngine {

// The installed face that draws a face name (metric-compatible substitutes for
// the faces the program names; a sans-serif face for unknown names).
std::string ResolveFace(const std::string& FaceName);
// True for the "Symbol" face, whose Latin letters draw as Greek ones.
bool IsSymbolFace(const std::string& FaceName);
// The text as drawn by the font: Symbol-face letters become Greek letters.
std::u16string MapText(const TLogFont& Font, const std::u16string& Text);

struct TRealised {
  QFont Font;
  QFontMetrics Metrics;
  int32_t Ascent;
  int32_t Descent;
  int32_t Height;  // ascent + descent: the cell height
};
// The Qt font for a logical font at a device scale (heights are scaled by
// Scale); non-antialiased, no kerning.
const TRealised& Realise(const TLogFont& Font, double Scale = 1.0);

// Advance of the text plus CharExtra per character (Dx overrides the advances).
int32_t TextWidth(const TRealised& F, const std::u16string& Text, int CharExtra);

}  // namespace FontEngine
