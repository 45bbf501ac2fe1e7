#pragma once
// RichText: formatted text as runs of equal character format, read from and
// written to the subset of the Rich Text Format that cells and clipboards
// carry: groups, \par, \line, \tab, \b \i \ul \strike (with 0 to switch off),
// \plain, \fs, \cf with \colortbl, \f with \fonttbl, \'hh (Windows-1252),
// \uN with \uc; other control words and the groups of unknown or "\*"
// destinations are skipped. A paragraph break is a '\n' in a run's text.

#include "platform/gdi/Graphics.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TRichFormat {
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  int SizeHalfPoints = 20;   // 10 points
  TColor Color = clDefault;  // clDefault: the automatic colour (the control's font colour)
  std::string FontName;      // empty: the control's font
  bool operator==(const TRichFormat&) const = default;
};

struct TRichRun {
  std::u16string Text;
  TRichFormat Format;
  bool operator==(const TRichRun&) const = default;
};

using TRichRuns = std::vector<TRichRun>;

namespace RichText {

// Whether Text starts as rich text does ("{\rtf").
bool IsRtf(std::string_view Text);
// Reads RTF into runs (adjacent runs of equal format merged, empty runs
// dropped). Damaged input never fails: unbalanced groups close at the end,
// broken control words are skipped, numbers are clamped. False when the text
// is not RTF at all (Runs then holds the text as one plain run).
bool Read(std::string_view Rtf, TRichRuns& Runs, const TRichFormat& Default = {});
// Writes runs as RTF that Read gives back unchanged.
std::string Write(const TRichRuns& Runs);
// Merges neighbours of equal format and drops empty runs.
void Normalize(TRichRuns& Runs);
// The text without format, paragraphs separated by CR LF.
std::u16string PlainText(const TRichRuns& Runs);
std::string PlainTextUtf8(const TRichRuns& Runs);

// Lays the runs out in R (words wrapped at its width when WordWrap) and
// draws them; Color, when given, replaces every run's colour. Returns the
// size the text needs (width of the widest line, total height).
TSize Draw(TCanvas& Canvas, const TRichRuns& Runs, const TRect& R, const TFont& BaseFont, bool WordWrap,
           std::optional<TColor> Color = std::nullopt, bool Measure = false);
// The same with the characters SelFrom..SelTo-1 in the highlight colours.
TSize DrawSelected(TCanvas& Canvas, const TRichRuns& Runs, const TRect& R, const TFont& BaseFont, bool WordWrap,
                   std::optional<TColor> Color, bool Measure, int SelFrom, int SelTo);

}  // namespace RichText
