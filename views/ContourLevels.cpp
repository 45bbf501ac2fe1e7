#include "views/ContourLevels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <numeric>

#include "chart/engine/PlotCanvas.h"
#include "platform/rtl/SysUtils.h"
#include "platform/gdi/Pixels.h"

namespace ContourLevels {

namespace {

// Relative width below which a value range counts as a single value.
constexpr double ZeroRangeFraction = 1e-6;

// Shifts the widened limits so that V lies in the middle of a band between two of
// the LevNum levels: values that differ from V only by noise then share one colour
// instead of falling on either side of a level through V.
void PlaceInMiddleOfBand(TSectionContours& s, double V) {
  const int32_t n = std::max<int32_t>(1, s.LevNum);
  const double centre = (n / 2 + 0.5) / (n + 1);  // fraction of the range below V
  if (s.LogScale && s.LevelMin > 0.0) {
    const double width = std::log(s.LevelMax / s.LevelMin);
    s.LevelMin = std::exp(std::log(V) - width * centre);
    s.LevelMax = s.LevelMin * std::exp(width);
  } else {
    const double width = s.LevelMax - s.LevelMin;
    s.LevelMin = V - width * centre;
    s.LevelMax = s.LevelMin + width;
  }
}


using Supermath2d::NoValue;

int32_t RoundToInt(double v) { return Pixels::Round(v); }

bool ReadTextLines(const std::string& fileName, arofstrM& lines) {
  lines.clear();
  std::string bytes;
  if (!Supermath2d::ReadFileBytes(fileName, bytes)) return false;
  lines = Supermath2d::SplitLines(SysUtils::DecodeText(bytes));
  return true;
}

// Red, green and blue from the first three integers, each 0..255.
bool ColorOfInts(const arofintM& v, TColor& color) {
  if (v.size() < 3) return false;
  for (size_t i = 0; i < 3; ++i)
    if (v[i] < 0 || v[i] > 255) return false;
  color = v[0] | (v[1] << 8) | (v[2] << 16);
  return true;
}

// Blanks inside double quotes become "_", then the quotes become blanks, so that a
// quoted colour name stays one token.
std::string QuoteTreated(std::string line) {
  int quotes = 0;
  for (char& c : line) {
    if (c == '"') {
      if (++quotes == 2) quotes = 0;
    } else if (quotes == 1 && c == ' ') {
      c = '_';
    }
  }
  std::replace(line.begin(), line.end(), '"', ' ');
  return line;
}

// One level line of a level file.
struct TLevelLine {
  double Level = 0.0;
  bool LineOn = false;
  TColor Isoline = 0;
  TColor Fill = 0;
};

bool ParseLevelLine(const std::vector<cref>& names, const std::string& line, TLevelLine& out) {
  arofstrM tokens, all;
  Supermath2d::ParseStrings(QuoteTreated(line), 0, all);
  for (std::string& t : all)
    if (!t.empty()) tokens.push_back(std::move(t));
  if (tokens.size() < 7) return false;
  out.Level = Supermath2d::StrToFloatChecked(tokens[0], true, 0.0, 0.0);
  if (out.Level == NoValue || !std::isfinite(out.Level)) return false;
  int32_t flag = 0;
  if (!SysUtils::TryStrToInt(tokens[1], flag)) return false;
  out.LineOn = (flag & 0xFF) != 0;
  return ColorByName(names, tokens[2], out.Isoline) && ColorByName(names, tokens[5], out.Fill);
}

std::string LineList(const std::vector<size_t>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size() && i < 10; ++i) text += (i ? ", " : "") + std::to_string(lines[i]);
  if (lines.size() > 10) text += " and " + std::to_string(lines.size() - 10) + " more";
  return text;
}

// Rounds every non-zero level to the decimal place of the smaller of its distance to
// the next level and its own size, so that labels stay short.
void RoundLevels(arofdoubleM& levels, double range) {
  const arofdoubleM c = levels;
  const size_t n = c.size();
  for (size_t i = 0; i < n; ++i) {
    if (levels[i] == 0.0) continue;
    // A single level has no neighbour; the whole range stands for its step.
    const double d = n == 1 ? range : (i == n - 1 ? c[i] - c[i - 1] : c[i + 1] - c[i]);
    const double m = std::min(std::log10(d), std::log10(std::fabs(c[i])));
    if (!(d > 0.0) || !std::isfinite(m)) continue;
    const int p = static_cast<int>(std::floor(m));
    const double k = std::nearbyint(levels[i] / std::pow(10.0, p));
    // Dividing by a power of ten gives the double nearest the short decimal value.
    levels[i] = p < 0 ? k / std::pow(10.0, -p) : k * std::pow(10.0, p);
  }
  for (size_t i = 1; i + 1 < n; ++i)
    if (levels[i - 1] < 0.0 && levels[i + 1] > 0.0) levels[i] = 0.0;
}

void EvenColors(TSectionContours& s) {
  const int32_t n = s.LevNum;
  arofintM ramp;
  Supermath2d::ColorRamp(200, {s.MinContour, s.Contour1_3, s.Contour2_3, s.MaxContour}, ramp);
  s.FillColors.resize(static_cast<size_t>(n) + 1);
  for (int32_t j = 0; j <= n; ++j) s.FillColors[static_cast<size_t>(j)] = ramp[static_cast<size_t>(RoundToInt(200.0 * j / n))];
  Supermath2d::ColorRamp(200, {s.MinIsoline, s.MaxIsoline}, ramp);
  s.IsolineColors.resize(static_cast<size_t>(n));
  for (int32_t j = 0; j < n; ++j)
    s.IsolineColors[static_cast<size_t>(j)] = ramp[static_cast<size_t>(RoundToInt(200.0 * j / (n + 1)))];
}

}  // namespace

void ComputeLevelLimits(TSectionContours& s) {
  const bool userLimits = (s.ExtMin > 0.0 || !s.LogScale) && s.ExtMax > s.ExtMin && s.ExtMin != NoValue &&
                          s.UseExternal;
  if (userLimits) {
    s.LevelMax = s.ExtMax;
    s.LevelMin = s.ExtMin;
  } else {
    s.LevelMax = s.DataMax;
    s.LevelMin = s.DataMin;
    const bool typed = !s.UseExternal && s.ExtMin != NoValue && s.ExtMax != NoValue &&
                       (s.ExtMin != s.ShownExtMin || s.ExtMax != s.ShownExtMax);
    if (!typed) {
      s.ExtMax = s.ShownExtMax = s.DataMax;
      s.ExtMin = s.ShownExtMin = s.DataMin;
    }
  }
  // A range narrower than a millionth of its size is rounding noise around one value
  // (a uniform model computes 9.9999996 to 10.000003): it is a zero range.
  const double size = std::max(std::fabs(s.LevelMin), std::fabs(s.LevelMax));
  const bool noise = s.LevelMin != s.LevelMax && std::fabs(s.LevelMax - s.LevelMin) <= ZeroRangeFraction * size;
  if (s.LevelMin == s.LevelMax || noise) {
    // Widened around the value: a negative value must not end up with min above max.
    const double v = 0.5 * (s.LevelMin + s.LevelMax);
    s.LevelMin = v < 0.0 ? v * 100.0 : v / 100.0;
    s.LevelMax = v < 0.0 ? v / 100.0 : v * 100.0;
    if (noise) PlaceInMiddleOfBand(s, v);
  }
}

void BuildEvenLevels(TSectionContours& s) {
  const int32_t n = s.LevNum;
  if (n < 1) return;
  const bool logScale = s.LogScale && s.LevelMin > 0.0;
  double lo = logScale ? std::log(s.LevelMin) : s.LevelMin;
  double hi = logScale ? std::log(s.LevelMax) : s.LevelMax;
  if (std::fabs(lo - hi) < 1e-7) {
    if (logScale) {
      hi = std::log(10.0 * std::exp(hi));
      lo = std::log(std::exp(lo) / 10.0);
    } else {
      // Doubled and halved outward, so that negative limits also keep lo below hi.
      const double a = std::min(2.0 * lo, lo / 2.0), b = std::max(2.0 * hi, hi / 2.0);
      lo = a;
      hi = b;
    }
    if (lo == hi) hi = 1.0;
  }
  s.Levels.resize(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    double v = lo + (hi - lo) * (i + 1) / (n + 1);
    if (logScale) v = std::exp(v);
    s.Levels[static_cast<size_t>(i)] = v;
  }
  const arofdoubleM exact = s.Levels;
  RoundLevels(s.Levels, logScale ? std::exp(hi) - std::exp(lo) : hi - lo);
  // Data that are one value up to noise lie in the middle of a band; a level rounded
  // onto that value would split them into two colours, so it keeps its exact place.
  const double dataSize = std::max(std::fabs(s.DataMin), std::fabs(s.DataMax));
  if (s.DataMin != s.DataMax && std::fabs(s.DataMax - s.DataMin) <= ZeroRangeFraction * dataSize)
    for (size_t i = 0; i < s.Levels.size(); ++i)
      if (s.Levels[i] >= s.DataMin && s.Levels[i] <= s.DataMax) s.Levels[i] = exact[i];
  EvenColors(s);
  s.LevelLineFlags.assign(static_cast<size_t>(n), 1);
}

bool ColorByName(const std::vector<cref>& names, const std::string& token, TColor& color) {
  std::string text = token;
  std::replace(text.begin(), text.end(), '_', ' ');
  for (const cref& entry : names)
    if (entry.name == text) {
      color = entry.color;
      return true;
    }
  for (char& c : text)
    if (c == 'R' || c == 'G' || c == 'B') c = ' ';
  arofintM v;
  Supermath2d::ParseInts(text, 0, v);
  return ColorOfInts(v, color);
}

bool ReadLevelFile(TSectionContours& s, const std::string& fileName, std::string& warning) {
  arofstrM lines;
  if (!ReadTextLines(fileName, lines)) {
    warning = "Cannot read the level file \"" + fileName + "\".";
    return false;
  }
  std::vector<TLevelLine> accepted;
  std::vector<size_t> bad;
  for (size_t i = 2; i < lines.size(); ++i) {
    if (SysUtils::Trim(lines[i]).empty()) continue;
    TLevelLine level;
    if (ParseLevelLine(s.ColorNames, lines[i], level))
      accepted.push_back(level);
    else
      bad.push_back(i + 1);
  }
  if (!bad.empty())
    warning = "Level file \"" + fileName + "\": line" + (bad.size() > 1 ? "s " : " ") + LineList(bad) +
              (bad.size() > 1 ? " were" : " was") +
              " skipped (a level line holds the level, an isoline flag (integer), the isoline colour, "
              "two further fields and the fill colour; a colour is a name of \"attrib.ini\" or R, G "
              "and B 0..255).";
  if (accepted.empty()) {
    warning += std::string(warning.empty() ? "" : "\n") + "The level file \"" + fileName +
               "\" holds no usable level; evenly spaced levels are used.";
    return false;
  }
  // The bands are built from the lowest level up; a level keeps its colours.
  std::stable_sort(accepted.begin(), accepted.end(),
                   [](const TLevelLine& a, const TLevelLine& b) { return a.Level < b.Level; });
  s.Levels.clear();
  s.IsolineColors.clear();
  s.FillColors.clear();
  s.LevelLineFlags.clear();
  for (const TLevelLine& level : accepted) {
    s.Levels.push_back(level.Level);
    s.IsolineColors.push_back(level.Isoline);
    s.FillColors.push_back(level.Fill);
    s.LevelLineFlags.push_back(level.LineOn ? 1 : 0);
  }
  s.FillColors.push_back(s.FillColors.back());
  s.LevNum = static_cast<int32_t>(accepted.size());
  return true;
}

void BuildLevels(TSectionContours& s, std::string& warning) {
  warning.clear();
  if (s.ColorNamesFound && !s.LevelFile.empty() && SysUtils::FileExists(s.LevelFile) &&
      ReadLevelFile(s, s.LevelFile, warning))
    return;
  BuildEvenLevels(s);
}

std::vector<cref> ParseColorNames(const arofstrM& lines) {
  std::vector<cref> names;
  size_t i = 0;
  while (i < lines.size() && lines[i].find("[Colors]") == std::string::npos) ++i;
  for (++i; i < lines.size(); ++i) {
    const size_t eq = lines[i].find('=');
    if (eq == std::string::npos) continue;
    arofintM v;
    Supermath2d::ParseInts(lines[i].substr(eq + 1), 0, v);
    cref entry;
    entry.name = lines[i].substr(0, eq);
    if (ColorOfInts(v, entry.color)) names.push_back(entry);
  }
  return names;
}

bool ReadColorNames(const std::string& fileName, std::vector<cref>& names) {
  arofstrM lines;
  if (!SysUtils::FileExists(fileName) || !ReadTextLines(fileName, lines)) return false;
  const std::vector<cref> read = ParseColorNames(lines);
  names.insert(names.end(), read.begin(), read.end());
  return true;
}

arofdoubleM NudgedValues(const arofdoubleM& values, const arofdoubleM& levels) {
  arofdoubleM result = values;
  for (double& v : result)
    for (double level : levels)
      if (v == level) v = v + v / 100000.0 + 1e-20;
  return result;
}

int32_t LabelDecimals(const arofdoubleM& levels, size_t k) {
  const double level = levels[k];
  if (level == 0.0) return 0;
  double m = std::log10(std::fabs(level));
  if (levels.size() > 1) {
    const double d = k == 0 ? levels[1] - levels[0] : levels[k] - levels[k - 1];
    if (d > 0.0) m = std::min(m, std::log10(d));
  }
  if (!std::isfinite(m)) return 0;
  const int p = static_cast<int>(std::floor(m));
  return p < 0 ? -p : 0;
}

TColorBarLayout ColorBarLayout(const TSectionContours& s, int32_t x0, int32_t y0, double H, int32_t W,
                               int32_t th, int32_t captionHeight, int32_t captionMinTop) {
  TColorBarLayout bar;
  if (s.FillColors.empty()) return bar;
  const int32_t x1 = x0 + W;
  const auto K = static_cast<int32_t>(s.FillColors.size());
  const double step = H / K;
  double last = -10.0;
  for (int32_t i = 0; i < K; ++i)
    bar.Bands.push_back({x0, RoundToInt(y0 + i * step), x1, RoundToInt(y0 + (i + 1) * step),
                         s.FillColors[static_cast<size_t>(K - 1 - i)]});
  for (int32_t i = 1; i < K; ++i) {
    const int32_t k = K - 1 - i;
    if (static_cast<size_t>(k) >= s.Levels.size()) continue;
    const double y = y0 + i * step;
    TColorBarTick tick;
    tick.Level = k;
    tick.X = x1;
    tick.Y = RoundToInt(y);
    tick.Color = static_cast<size_t>(k) < s.IsolineColors.size() ? s.IsolineColors[static_cast<size_t>(k)] : 0;
    const int32_t dec = LabelDecimals(s.Levels, static_cast<size_t>(k));
    std::array<char, 400> buf{};
    const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), s.Levels[static_cast<size_t>(k)],
                                 std::chars_format::fixed, dec);
    tick.Label = r.ec == std::errc() ? std::string(buf.data(), r.ptr) : "*";
    tick.LabelX = x1 + 6;
    tick.LabelY = RoundToInt(y - th / 2.0);
    if (y - th / 2.0 >= last) {
      tick.LabelVisible = true;
      last = y + th / 2.0;
    }
    bar.Ticks.push_back(tick);
  }
  bar.CaptionX = x0;
  bar.CaptionY = std::max(RoundToInt(y0 - captionHeight - 3.0), captionMinTop);
  bar.FrameLeft = x0;
  bar.FrameTop = y0;
  bar.FrameRight = x1;
  bar.FrameBottom = RoundToInt(y0 + H);
  return bar;
}

std::string SettingsToStr(const TPseudoSectionSettings& v) {
  std::string line;
  for (int32_t field : {v.MinContour, v.MaxContour, v.MinIsoline, v.MaxIsoline, v.Contour1_3, v.Contour2_3, v.LevNum,
                        v.MarginLeft, v.MarginRight, v.MarginTop, v.MarginBottom, int32_t{v.UseExternal},
                        int32_t{v.LinesVisible}, int32_t{v.LogScale}, int32_t{v.ColorBarVisible},
                        int32_t{v.GridVisible}})
    line += " " + std::to_string(field);
  line += " " + Supermath2d::FloatToStrDec(5, 1, v.ExtMax);
  line += " " + Supermath2d::FloatToStrDec(5, 1, v.ExtMin);
  return line;
}

bool SettingsFromStr(const std::string& line, TPseudoSectionSettings& settings, std::string& message) {
  static const char* const Names[] = {"MinContour", "MaxContour", "MinIsoline", "MaxIsoline", "Contour1_3",
                                      "Contour2_3", "LevNum", "MarginLeft", "MarginRight", "MarginTop",
                                      "MarginBottom", "UseExternal", "LinesVisible", "LogScale",
                                      "ColorBarVisible", "GridVisible", "ExtMax", "ExtMin"};
  message.clear();
  arofstrM all, tokens;
  Supermath2d::ParseStrings(line, 0, all);
  for (std::string& t : all)
    if (!t.empty()) tokens.push_back(std::move(t));
  if (tokens.empty()) return false;
  if (tokens.size() < 18) {
    message = "The pseudo-section settings \"" + line + "\" hold " + std::to_string(tokens.size()) +
              " fields; 18 are needed. They were not applied.";
    return false;
  }
  const auto bad = [&](size_t i, const std::string& allowed) {
    message = "The pseudo-section settings field " + std::to_string(i) + " (" + Names[i] + ") is \"" + tokens[i] +
              "\"; " + allowed + " is allowed. The settings were not applied.";
    return false;
  };
  int32_t ints[16];
  for (size_t i = 0; i < 16; ++i) {
    double v = Supermath2d::StrToFloatChecked(tokens[i], true, 0.0, 0.0);
    if (v == NoValue && tokens[i] != "123456789") return bad(i, "an integer");
    v = std::nearbyint(v);
    if (!(v >= -2147483648.0 && v <= 2147483647.0)) return bad(i, "an integer within 32 bits");
    ints[i] = static_cast<int32_t>(v);
  }
  if (ints[6] < 1 || ints[6] > 1000) return bad(6, "a level count of 1 to 1000");
  double limits[2];
  for (size_t i = 16; i < 18; ++i) {
    if (tokens[i] == "*") {
      limits[i - 16] = NoValue;
      continue;
    }
    const double v = Supermath2d::StrToFloatChecked(tokens[i], true, 0.0, 0.0);
    if (v == NoValue || !std::isfinite(v)) return bad(i, "a number or \"*\"");
    limits[i - 16] = v;
  }
  TPseudoSectionSettings& s = settings;
  s.MinContour = ints[0];
  s.MaxContour = ints[1];
  s.MinIsoline = ints[2];
  s.MaxIsoline = ints[3];
  s.Contour1_3 = ints[4];
  s.Contour2_3 = ints[5];
  s.LevNum = ints[6];
  s.MarginLeft = ints[7];
  s.MarginRight = ints[8];
  s.MarginTop = ints[9];
  s.MarginBottom = ints[10];
  s.UseExternal = (ints[11] & 0xFF) != 0;
  s.LinesVisible = (ints[12] & 0xFF) != 0;
  s.LogScale = (ints[13] & 0xFF) != 0;
  s.ColorBarVisible = (ints[14] & 0xFF) != 0;
  s.GridVisible = (ints[15] & 0xFF) != 0;
  s.ExtMax = limits[0];
  s.ExtMin = limits[1];
  return true;
}

void PaintColorBar(const TSectionContours& s, TPlotCanvas& canvas, TPlotFont& font, int32_t x0, int32_t y0,
                   const std::string& caption, double H, int32_t W, int32_t captionMinTop) {
  if (s.FillColors.empty() || canvas.Pen == nullptr || canvas.Brush == nullptr || canvas.Font == nullptr) return;
  canvas.Pen->SetMode(pmCopy);
  canvas.UseFont(font);
  canvas.Pen->SetColor(clBlack);
  canvas.Pen->SetStyle(psSolid);
  canvas.Pen->SetWidth(1);
  const int32_t th = std::abs(canvas.TextHeight("123"));
  const int32_t fontSize = canvas.Font->GetSize();
  canvas.Font->SetSize(fontSize + 2);
  const int32_t captionHeight = std::abs(canvas.TextHeight("123"));
  canvas.Font->SetSize(fontSize);
  const TColorBarLayout bar = ColorBarLayout(s, x0, y0, H, W, th, captionHeight, captionMinTop);

  canvas.Brush->SetStyle(bsSolid);
  for (const TColorBarBand& band : bar.Bands) {
    canvas.Brush->SetColor(band.Color);
    canvas.FillRect(TRect(band.Left, band.Top, band.Right, band.Bottom));
  }
  canvas.Brush->SetStyle(bsClear);
  for (const TColorBarTick& tick : bar.Ticks) {
    canvas.Pen->SetColor(tick.Color);
    canvas.MoveTo(tick.X, tick.Y);
    canvas.LineTo(tick.X + 3, tick.Y);
    if (tick.LabelVisible) canvas.TextOut(tick.LabelX, tick.LabelY, tick.Label);
  }
  canvas.Font->SetSize(fontSize + 2);
  canvas.TextOutFormat(bar.CaptionX, bar.CaptionY, caption, true);
  canvas.Font->SetSize(fontSize);
  canvas.Pen->SetColor(clBlack);
  canvas.Pen->SetStyle(psSolid);
  canvas.RectangleRect(TRect(bar.FrameLeft, bar.FrameTop, bar.FrameRight, bar.FrameBottom));
}

}  // namespace ContourLevels
