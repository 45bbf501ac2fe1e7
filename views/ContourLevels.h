// Contour levels of the pseudo-section view: level limits from the data or the user,
// even levels (linear or logarithmic) rounded to short values, levels read from a
// level file (*.lvl), the band and isoline colours, the named colours of "attrib.ini",
// and the layout of the colour bar. TPseudoSection2d holds one TSectionContours.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "numerics/Supermath2d.h"
#include "platform/rtl/Types.h"

class TPlotCanvas;
class TPlotFont;

// A named colour of "attrib.ini".
struct cref {
  std::string name;
  TColor color = 0;
};

// The level state of a pseudo-section view, with the view's field names and defaults.
struct TSectionContours {
  int32_t LevNum = 15;          // number of levels
  arofdoubleM Levels;           // LevNum ascending level values
  std::vector<TColor> FillColors;     // LevNum + 1 band colours; entry k is the band below level k
  std::vector<TColor> IsolineColors;  // LevNum isoline colours
  arofboolM LevelLineFlags;     // per level, whether its isoline is drawn
  TColor MinContour = 0x0000FF;  // the four fill colour stops, low to high values
  TColor Contour1_3 = 0x00FFFF;
  TColor Contour2_3 = 0x008000;
  TColor MaxContour = 0xFF0000;
  TColor MinIsoline = 0xFF0000;  // the two isoline colour stops
  TColor MaxIsoline = 0x0000FF;
  bool LogScale = false;        // levels evenly spaced in the logarithm of the value
  bool UseExternal = false;     // ExtMin and ExtMax replace the data limits
  double ExtMin = Supermath2d::NoValue;
  double ExtMax = Supermath2d::NoValue;
  // The data range last shown in ExtMin and ExtMax while the user limits were not used;
  // limits that differ from it were typed by the user and are kept.
  double ShownExtMin = Supermath2d::NoValue;
  double ShownExtMax = Supermath2d::NoValue;
  double DataMin = 0.0;
  double DataMax = 0.0;
  double LevelMin = 0.0;        // limits the levels are built from
  double LevelMax = 0.0;
  std::vector<cref> ColorNames = std::vector<cref>(1);  // starts with one empty entry
  bool ColorNamesFound = false;  // "attrib.ini" existed at construction; enables level files
  std::string LevelFile;
};

// ---- The settings line of a pseudo-section view ----
// The look that is not chart style: ramp colours, level count, margins in pixels,
// flags and user limits.
struct TPseudoSectionSettings {
  TColor MinContour = 0x0000FF, MaxContour = 0xFF0000, MinIsoline = 0xFF0000, MaxIsoline = 0x0000FF;
  TColor Contour1_3 = 0x00FFFF, Contour2_3 = 0x008000;
  int32_t LevNum = 15;
  int32_t MarginLeft = 25, MarginRight = 70, MarginTop = 1, MarginBottom = 20;
  bool UseExternal = false, LinesVisible = true, LogScale = false, ColorBarVisible = true, GridVisible = true;
  double ExtMax = Supermath2d::NoValue, ExtMin = Supermath2d::NoValue;
};

namespace ContourLevels {

// Sets LevelMin and LevelMax from DataMin, DataMax and the user limits. Without usable
// user limits ExtMin and ExtMax show the data limits, except limits the user typed
// while the user limits were switched off, which are kept. Equal limits are widened a
// hundredfold around their value (for a negative value too); 0 stays for the levels.
void ComputeLevelLimits(TSectionContours& s);

// LevNum levels evenly spaced between LevelMin and LevelMax (in ln when LogScale and
// LevelMin > 0), rounded to short values, with their fill and isoline colours; every
// level's isoline is switched on. Nothing happens when LevNum < 1.
void BuildEvenLevels(TSectionContours& s);

// Reads a level file: two header lines, then one level per line of at least seven
// tokens (value, isoline flag, isoline colour, two unread, band colour). Lines that do
// not convert are skipped and named in one warning. True with the levels, colours and
// flags set (LevNum included) when at least one line was accepted; false, with s
// unchanged, when the file cannot be read or holds no level.
bool ReadLevelFile(TSectionContours& s, const std::string& fileName, std::string& warning);

// The whole rebuild: levels from LevelFile when ColorNamesFound is set and the file
// exists, else even levels (also after a level file without any usable line).
// warning receives what the user should be told, or stays empty.
void BuildLevels(TSectionContours& s, std::string& warning);

// The colour of a colour token: "_" stands for a blank; a name of ColorNames, else a
// text such as "R255G128B0" or "255 128 0". False when it is neither.
bool ColorByName(const std::vector<cref>& names, const std::string& token, TColor& color);

// Named colours of "attrib.ini" lines: every line containing "=" after the line
// containing "[Colors]", name before the first "=", then red, green and blue 0..255.
// Malformed lines are skipped.
std::vector<cref> ParseColorNames(const arofstrM& lines);
// Reads the file; false when it does not exist or cannot be read.
bool ReadColorNames(const std::string& fileName, std::vector<cref>& names);

// Copies of the node values for contouring, moved off any value equal to a level
// (v + v / 100000 + 1e-20), so that no isoline runs through a node.
arofdoubleM NudgedValues(const arofdoubleM& values, const arofdoubleM& levels);

// Eighteen fields, each preceded by one blank: the six colours, LevNum, the margins
// (left, right, top, bottom), the five flags as 0 or 1, then ExtMax and ExtMin with
// five decimals ("*" for no value).
std::string SettingsToStr(const TPseudoSectionSettings& settings);
// Reads a settings line into settings. Fields 0 .. 15 must be integers within 32 bits
// (a decimal point is rounded, halves to even; a flag is the lowest byte), LevNum
// 1 .. 1000, and each limit a number or "*" (no value), read independently of the
// other. Anything else, or fewer than eighteen fields, changes nothing: false, with
// the reason in message (empty for an empty line).
bool SettingsFromStr(const std::string& line, TPseudoSectionSettings& settings, std::string& message);

// ---- Colour bar layout (what PaintColorBar draws, in pixels) ----
struct TColorBarBand {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
  TColor Color = 0;
};
struct TColorBarTick {
  int32_t Level = 0;    // index of the level at this boundary
  int32_t Y = 0;        // tick from (X, Y) to (X + 3, Y)
  int32_t X = 0;
  TColor Color = 0;
  std::string Label;    // the level with its short decimals
  bool LabelVisible = false;
  int32_t LabelX = 0, LabelY = 0;
};
struct TColorBarLayout {
  std::vector<TColorBarBand> Bands;  // top to bottom
  std::vector<TColorBarTick> Ticks;  // top to bottom
  int32_t CaptionX = 0, CaptionY = 0;
  int32_t FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
};
// The bar at (x0, y0), height H, width W, for labels of text height th and a caption
// of text height captionHeight. Empty when there are no fill colours. The caption
// stands above the bar but never above captionMinTop.
TColorBarLayout ColorBarLayout(const TSectionContours& s, int32_t x0, int32_t y0, double H, int32_t W,
                               int32_t th, int32_t captionHeight,
                               int32_t captionMinTop = std::numeric_limits<int32_t>::min());
// Decimals of the colour-bar label of level k.
int32_t LabelDecimals(const arofdoubleM& levels, size_t k);

// Draws the colour bar at (x0, y0), height H and width W: the bands (highest on top),
// a tick and a label at each level boundary (labels that would overlap the one above
// are left out), the caption above the bar in the chart's HTML text subset, two
// points larger than the bar's font, and a black frame. Nothing without fill colours.
// A caption that would rise above captionMinTop (the top of the drawing) is lowered to
// it, so a chart without a title band still shows it.
void PaintColorBar(const TSectionContours& s, TPlotCanvas& canvas, TPlotFont& font, int32_t x0, int32_t y0,
                   const std::string& caption, double H, int32_t W = 15,
                   int32_t captionMinTop = std::numeric_limits<int32_t>::min());

}  // namespace ContourLevels
