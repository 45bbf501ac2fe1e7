// The model section of a k2d file: the polygon model as text lines between
// "KelmPolyModelDescription2.0" and "EndPolyModelDescription2.0", written after the
// data part of the file, and the one-line text form of the twenty polygon properties.
// TPolygonChart's WriteModel and ReadModel call WriteSectionFile and ReadSectionFile
// with its model; the main window keeps the default body properties as a property line.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "numerics/Polygons.h"
#include "numerics/Supermath2d.h"

namespace ModelSection {

inline constexpr const char* SectionHeader = "KelmPolyModelDescription2.0";
inline constexpr const char* SectionEnd = "EndPolyModelDescription2.0";
// The character that stands for a blank inside a text property (U+00A6, "¦").
inline constexpr const char* BlankMark = "\xC2\xA6";
// The last property a property line holds.
inline constexpr int32_t LastProperty = PolygonPropCount - 1;

// Everything the section carries, with the polygon chart's field names.
struct TModelSection {
  double StartResistivity = 0.0;
  double StartPolarizability = 0.0;
  double XMin = 0.0;
  double XMax = 1000.0;
  double ZMin = 0.0;
  double ZMax = 100.0;
  bool HasRelief = false;
  arofcomplexM Relief;  // (x, depth below the highest relief point)
  Tnodes ModelNodes;
  AllSpolygon ModelPolygons;  // body 0 polygon 0 is the model outline
};

enum class TReadResult {
  NoSection,  // the file holds no section (or its header is the last line)
  Read,       // the section was read completely
  Refused     // the file could not be read or the section is damaged; see the message
};

// A real in the section's 23-character form: " 1.23450000000000E+0003".
std::string RealText(double x);

// The section's lines from header to end line, each ended by CR LF.
std::string SectionText(const TModelSection& section);

// Writes the first linesToKeep lines of the file (all of them with -1; lines past its
// end as empty lines) followed by the section into a new file in the same folder and
// puts it in place of the target in one rename. On failure the target is left as it
// was, the new file is removed, the result is false and message says why.
bool WriteSectionFile(const std::string& fileName, int32_t linesToKeep,
                      const TModelSection& section, std::string& message);

// Finds the first line containing the header and parses the section after it into
// section. Every count, index, flag and number is checked; the polygons (outline
// excepted) get the orientation the edit operations keep. Unless the result is Read,
// section is left as it was; with Refused, message names the line and the fault.
TReadResult ReadSectionFile(const std::string& fileName, TModelSection& section,
                            std::string& message);
// The same over lines already read (UTF-8 text, line ends removed); fileName only
// serves the message.
TReadResult ParseSection(const arofstrM& lines, const std::string& fileName,
                         TModelSection& section, std::string& message);

// Properties 0..last as tokens, each followed by one blank: "*" for no value, reals
// with two decimals (more below 1), integers in decimal, texts with every blank as
// BlankMark ("*" for an empty text or, except property 7, one of blanks only).
std::string PropertiesToStr(const PolygonProps& props, int32_t last = LastProperty);
// Reads a property line into props: tokens 0, 4, 8 as integers, 10..14 as reals (a
// token that is no number gives NoValue), 1..3 and 7 as texts with BlankMark turned
// back into blanks; "*" leaves its property as it was and the other tokens are not
// read. A line with too few tokens (15 for the full line), or a token 0, 4 or 8 that
// is no integer, changes nothing: the result is false and message says why.
bool PropertiesFromStr(PolygonProps& props, const std::string& line, std::string& message,
                       int32_t last = LastProperty);

// The polygon chart's settings line: the node colours (free, fixed, internal, border),
// the four margins (left, right, top, bottom) and the marks font as chart-style text.
struct TChartSettings {
  std::array<int32_t, 8> Values{};
  std::string FontText;
};
// " v0 v1 ... v7 font": each value preceded by one blank.
std::string ChartSettingsToStr(const TChartSettings& settings);
// Reads a settings line. An empty line gives false with an empty message (nothing to
// apply); a line with fewer than nine fields or a value that is no integer gives false
// with the reason in message, so that nothing of it is applied.
bool ChartSettingsFromStr(const std::string& text, TChartSettings& settings, std::string& message);

}  // namespace ModelSection
