#include "views/ModelSection.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <system_error>

#include "platform/rtl/FileStore.h"
#include "platform/rtl/SysUtils.h"

namespace ModelSection {

namespace {

namespace fs = std::filesystem;

const std::string Eol = "\r\n";

// ---------------------------------------------------------------- writing

std::string IntText(int64_t v) { return std::to_string(v); }

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
    text.replace(p, from.size(), to);
  return text;
}

bool OnlyBlanks(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

std::string PropertyToken(const PropValue& value, int32_t index) {
  switch (value.GetType()) {
    case PropValue::Type::Empty: return "*";
    case PropValue::Type::Real: return Supermath2d::FloatToStrDec(2, 1, value.AsDouble());
    case PropValue::Type::Int: return IntText(value.AsInt());
    case PropValue::Type::Text: {
      const std::string text = value.AsString();
      if (text.empty() || (index != Polygons::PropUserText && OnlyBlanks(text))) return "*";
      // A blank inside any text would split the token and shift every later property.
      return ReplaceAll(text, " ", BlankMark);
    }
  }
  return "*";
}

// The kept head of the target, byte for byte per line, each line ended by CR LF.
std::string KeptLines(const std::string& bytes, int32_t linesToKeep) {
  const arofstrM lines = Supermath2d::SplitLines(bytes);
  std::string text;
  const size_t count = linesToKeep < 0 ? lines.size() : static_cast<size_t>(linesToKeep);
  for (size_t i = 0; i < count; ++i) {
    if (i < lines.size()) text += lines[i];
    text += Eol;
  }
  return text;
}

// ---------------------------------------------------------------- reading

// A damaged section: the line it was found on (1-based) and what is wrong.
struct TSectionError {
  size_t Line = 0;
  std::string Text;
};

// Walks the lines of the section and converts the numbers they must hold.
class TSectionReader {
 public:
  TSectionReader(const arofstrM& lines, size_t first) : lines_(lines), next_(first) {}

  // The next line, or an error when the file ends inside the section.
  const std::string& Next(const char* what) {
    if (next_ >= lines_.size())
      throw TSectionError{lines_.size(), std::string("the file ends before the ") + what};
    return lines_[next_++];
  }
  size_t LineNo() const { return next_; }  // 1-based number of the line last taken

  // The first count tokens of the next line as reals; more tokens are not read.
  arofdoubleM Reals(size_t count, const char* what) {
    const std::string& line = Next(what);
    return Numbers(line, count, what, false);
  }
  // The same as whole numbers (a real with a fraction is refused).
  arofintM Ints(size_t count, const char* what) {
    const std::string& line = Next(what);
    const arofdoubleM values = Numbers(line, count, what, true);
    arofintM ints;
    for (double v : values) ints.push_back(static_cast<int32_t>(v));
    return ints;
  }
  // All tokens of the next line as whole numbers.
  arofintM AllInts(const char* what) {
    const arofstrM tokens = Tokens(Next(what));
    const arofdoubleM values = NumbersOf(tokens, tokens.size(), what, true);
    return arofintM(values.begin(), values.end());
  }
  [[noreturn]] void Fail(const std::string& text) const { throw TSectionError{next_, text}; }

  static arofstrM Tokens(const std::string& line) {
    arofstrM tokens, all;
    Supermath2d::ParseStrings(line, 0, all);
    for (std::string& t : all)
      if (!t.empty()) tokens.push_back(std::move(t));
    return tokens;
  }

 private:
  arofdoubleM Numbers(const std::string& line, size_t count, const char* what, bool whole) {
    const arofstrM tokens = Tokens(line);
    if (tokens.size() < count)
      Fail(std::string(what) + ": " + std::to_string(count) + " values expected, " +
           std::to_string(tokens.size()) + " found");
    return NumbersOf(tokens, count, what, whole);
  }
  arofdoubleM NumbersOf(const arofstrM& tokens, size_t count, const char* what, bool whole) {
    arofdoubleM values;
    for (size_t i = 0; i < count; ++i) {
      const double v = Supermath2d::StrToFloatChecked(tokens[i], false, 0.0, 0.0);
      const bool isNumber = v != Supermath2d::NoValue || tokens[i] == "123456789";
      if (!isNumber || !std::isfinite(v))
        Fail(std::string(what) + ": \"" + tokens[i] + "\" is not a number");
      if (whole && (v != std::nearbyint(v) || v < std::numeric_limits<int32_t>::min() ||
                    v > std::numeric_limits<int32_t>::max()))
        Fail(std::string(what) + ": \"" + tokens[i] + "\" is not a whole number");
      values.push_back(v);
    }
    return values;
  }

  const arofstrM& lines_;
  size_t next_;
};

void CheckRange(TSectionReader& r, int32_t value, int32_t lo, int32_t hi, const std::string& what) {
  if (value < lo || value > hi)
    r.Fail(what + " " + std::to_string(value) + " lies outside " + std::to_string(lo) + ".." +
           std::to_string(hi));
}

void ReadHead(TSectionReader& r, TModelSection& s) {
  const arofdoubleM start = r.Reals(2, "start values");
  s.StartResistivity = start[0];
  s.StartPolarizability = start[1];
  const arofdoubleM bounds = r.Reals(4, "model bounds");
  s.XMin = bounds[0];
  s.XMax = bounds[1];
  s.ZMin = bounds[2];
  s.ZMax = bounds[3];
  if (!(s.XMin < s.XMax) || !(s.ZMin < s.ZMax))
    r.Fail("model bounds: the left bound must lie left of the right one and the top above the bottom");
  const arofintM relief = r.Ints(2, "relief header");
  CheckRange(r, relief[0], 0, 1, "relief flag");
  CheckRange(r, relief[1], 0, std::numeric_limits<int32_t>::max(), "number of relief points");
  s.HasRelief = relief[0] == 1;
  const size_t count = static_cast<size_t>(relief[1]);
  const arofdoubleM points = r.Reals(2 * count, "relief points");
  s.Relief.clear();
  for (size_t i = 0; i < count; ++i) s.Relief.push_back({points[2 * i], points[2 * i + 1]});
}

void ReadNodes(TSectionReader& r, TModelSection& s) {
  const int32_t count = r.Ints(1, "node count")[0];
  // Nodes 0 to 3 are the corners of the model.
  CheckRange(r, count, 4, std::numeric_limits<int32_t>::max(), "node count");
  s.ModelNodes.clear();
  for (int32_t i = 0; i < count; ++i) {
    const std::string what = "node " + std::to_string(i);
    const arofdoubleM v = r.Reals(5, what.c_str());
    for (int k = 2; k < 5; ++k)
      if (v[k] != std::nearbyint(v[k])) r.Fail(what + ": flags must be whole numbers");
    Tnode node;
    node.X = v[0];
    node.Depth = v[1];
    // Clamped first: a whole number beyond the integer range is refused by the range checks below.
    auto flag = [&](int k) {
      return static_cast<int32_t>(std::clamp<double>(v[k], std::numeric_limits<int32_t>::min(),
                                                     std::numeric_limits<int32_t>::max()));
    };
    const int32_t fixed = flag(2), kind = flag(3), border = flag(4);
    CheckRange(r, fixed, 0, 1, what + ": fixed flag");
    CheckRange(r, kind, Polygons::KindOutline, Polygons::KindInternal, what + ": kind");
    CheckRange(r, border, Polygons::BorderNone, Polygons::BorderSurface, what + ": border code");
    node.Fixed = static_cast<uint8_t>(fixed);
    node.Kind = kind;
    node.Border = border;
    s.ModelNodes.push_back(node);
  }
}

void ReadPolygon(TSectionReader& r, TModelSection& s, Polygon& polygon, const std::string& what) {
  const std::string& line = r.Next((what + " properties").c_str());
  std::string message;
  if (!PropertiesFromStr(polygon.Props, line, message)) r.Fail(what + ": " + message);
  polygon.Nodes = r.AllInts((what + " node list").c_str());
  if (polygon.Nodes.size() < 3)
    r.Fail(what + ": " + std::to_string(polygon.Nodes.size()) +
           " node indices; a polygon needs at least 3");
  const auto last = static_cast<int32_t>(s.ModelNodes.size()) - 1;
  for (int32_t index : polygon.Nodes) CheckRange(r, index, 0, last, what + ": node index");
}

void ReadBodies(TSectionReader& r, TModelSection& s) {
  const int32_t bodies = r.Ints(1, "body count")[0];
  CheckRange(r, bodies, 1, std::numeric_limits<int32_t>::max(), "body count");
  s.ModelPolygons.clear();
  for (int32_t b = 0; b < bodies; ++b) {
    const std::string body = "body " + std::to_string(b);
    const int32_t polygons = r.Ints(1, (body + " polygon count").c_str())[0];
    CheckRange(r, polygons, 1, std::numeric_limits<int32_t>::max(), body + ": polygon count");
    SPolygon list;
    for (int32_t p = 0; p < polygons; ++p) {
      list.emplace_back();
      ReadPolygon(r, s, list.back(), body + ", polygon " + std::to_string(p));
    }
    s.ModelPolygons.push_back(std::move(list));
  }
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

// ---------------------------------------------------------------- interface

std::string RealText(double x) { return SysUtils::FixedRealText(x);
}

std::string PropertiesToStr(const PolygonProps& props, int32_t last) {
  std::string line;
  for (int32_t i = 0; i <= std::min(last, LastProperty); ++i)
    line += PropertyToken(props[static_cast<size_t>(i)], i) + " ";
  return line;
}

bool PropertiesFromStr(PolygonProps& props, const std::string& line, std::string& message,
                       int32_t last) {
  last = std::min(last, LastProperty);
  arofstrM tokens;
  Supermath2d::ParseStrings(line, 0, tokens);
  while (!tokens.empty() && tokens.back().empty()) tokens.pop_back();
  // Tokens 0..14 are read; fewer fields means a damaged line, applied not at all.
  const size_t needed = static_cast<size_t>(std::min(last, 14)) + 1;
  if (tokens.size() < needed) {
    message = "the property line has " + std::to_string(tokens.size()) + " fields, at least " +
              std::to_string(needed) + " are needed";
    return false;
  }
  PolygonProps result = props;
  auto token = [&](int i) -> const std::string& { return tokens[static_cast<size_t>(i)]; };
  for (int i : {0, 4, 8}) {
    if (i > last || token(i) == "*") continue;
    int32_t v = 0;
    if (!SysUtils::TryStrToInt(token(i), v)) {
      message = "property " + std::to_string(i) + " " + Quoted(token(i)) + " is not a whole number";
      return false;
    }
    result[static_cast<size_t>(i)] = v;
  }
  for (int i = 10; i <= std::min(last, 14); ++i)
    if (token(i) != "*")
      result[static_cast<size_t>(i)] = Supermath2d::StrToFloatChecked(token(i), false, 0.0, 0.0);
  for (int i : {1, 2, 3, 7})
    if (i <= last && token(i) != "*") result[static_cast<size_t>(i)] = ReplaceAll(token(i), BlankMark, " ");
  props = std::move(result);
  return true;
}

std::string ChartSettingsToStr(const TChartSettings& settings) {
  std::string text;
  for (int32_t v : settings.Values) text += " " + IntText(v);
  return text + " " + settings.FontText;
}

bool ChartSettingsFromStr(const std::string& text, TChartSettings& settings, std::string& message) {
  message.clear();
  const arofstrM tokens = TSectionReader::Tokens(text);
  if (tokens.empty()) return false;
  if (tokens.size() < 9) {
    message = "The chart settings hold " + std::to_string(tokens.size()) + " fields, 9 are needed; they were ignored.";
    return false;
  }
  TChartSettings read;
  for (size_t i = 0; i < read.Values.size(); ++i)
    if (!SysUtils::TryStrToInt(tokens[i], read.Values[i])) {
      message = "Chart setting " + std::to_string(i + 1) + " " + Quoted(tokens[i]) +
                " is not a whole number; the settings were ignored.";
      return false;
    }
  read.FontText = tokens[8];
  settings = std::move(read);
  return true;
}

std::string SectionText(const TModelSection& s) {
  std::string t = std::string(SectionHeader) + Eol;
  t += RealText(s.StartResistivity) + " " + RealText(s.StartPolarizability) + Eol;
  t += RealText(s.XMin) + " " + RealText(s.XMax) + " " + RealText(s.ZMin) + " " + RealText(s.ZMax) + Eol;
  t += IntText(s.HasRelief ? 1 : 0) + " " + IntText(static_cast<int64_t>(s.Relief.size())) + Eol;
  for (const complexM& p : s.Relief) t += RealText(p.x) + " " + RealText(p.z) + " ";
  t += Eol;
  t += IntText(static_cast<int64_t>(s.ModelNodes.size())) + Eol;
  for (const Tnode& n : s.ModelNodes)
    t += RealText(n.X) + " " + RealText(n.Depth) + " " + IntText(n.Fixed) + " " + IntText(n.Kind) + " " +
         IntText(n.Border) + Eol;
  t += IntText(static_cast<int64_t>(s.ModelPolygons.size())) + Eol;
  for (const SPolygon& body : s.ModelPolygons) {
    t += IntText(static_cast<int64_t>(body.size())) + Eol;
    for (const Polygon& p : body) {
      t += PropertiesToStr(p.Props) + Eol;
      for (int32_t index : p.Nodes) t += IntText(index) + " ";
      t += Eol;
    }
  }
  t += std::string(SectionEnd) + Eol;
  return t;
}

bool WriteSectionFile(const std::string& fileName, int32_t linesToKeep, const TModelSection& section,
                      std::string& message) {
  std::error_code ec;
  fs::path target(fileName);
  // Through a link the file it points to is replaced, not the link.
  if (fs::is_symlink(target, ec)) target = fs::weakly_canonical(target, ec);
  const bool exists = fs::exists(target, ec);
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    message = "The file " + Quoted(fileName) + " is write-protected. The model was not saved and the file was left as it was.";
    return false;
  }
  std::string text;
  if (exists) {
    std::string bytes;
    if (!Supermath2d::ReadFileBytes(target.string(), bytes)) {
      message = "Cannot read the file " + Quoted(fileName) + " to add the model. The file was not changed.";
      return false;
    }
    text = KeptLines(bytes, linesToKeep);
  }
  text += SectionText(section);

  std::string error;
  if (FileStore::WriteFileAtomic(target.string(), text, error)) return true;
  message = "Cannot write the model to the file " + Quoted(fileName) +
            (exists ? ". The file was left as it was." : ".");
  return false;
}

TReadResult ParseSection(const arofstrM& lines, const std::string& fileName, TModelSection& section,
                         std::string& message) {
  size_t header = 0;
  while (header < lines.size() && lines[header].find(SectionHeader) == std::string::npos) ++header;
  if (header + 1 >= lines.size()) return TReadResult::NoSection;

  TModelSection read;
  TSectionReader r(lines, header + 1);
  try {
    ReadHead(r, read);
    ReadNodes(r, read);
    ReadBodies(r, read);
    if (SysUtils::Trim(r.Next("end line")) != SectionEnd)
      r.Fail(std::string("\"") + SectionEnd + "\" expected");
  } catch (const TSectionError& e) {
    message = "The model section of the file " + Quoted(fileName) + " is damaged (line " +
              std::to_string(e.Line) + ": " + e.Text + "). The model was not read.";
    return TReadResult::Refused;
  }
  Polygons::NormalizeModelOrientation(read.ModelPolygons, read.ModelNodes);
  section = std::move(read);
  return TReadResult::Read;
}

TReadResult ReadSectionFile(const std::string& fileName, TModelSection& section, std::string& message) {
  std::string bytes;
  if (!Supermath2d::ReadFileBytes(fileName, bytes)) {
    message = "Cannot read the file " + Quoted(fileName) + ". The model was not read.";
    return TReadResult::Refused;
  }
  return ParseSection(Supermath2d::SplitLines(SysUtils::DecodeText(bytes)), fileName, section, message);
}

}  // namespace ModelSection
