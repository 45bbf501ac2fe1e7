// The own survey and project file (k2d): a keyword header, one measurement per
// line, extra node lines, an optional topography block and an optional model section.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <string_view>
#include <unordered_set>

#include "platform/rtl/SysUtils.h"
#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace {

constexpr const char* CoordinateNames[8] = {"C1y", "C2y", "P1y", "P2y", "C1z", "C2z", "P1z", "P2z"};

// Everything a k2d file gives, collected before any of it is applied to the survey.
struct TK2dContent {
  std::array<int32_t, RowColumns> Position;  // header position of each column, -1 = not named
  int32_t HighestPosition = -1;
  std::array<int32_t, 8> CoordinateColumns{-1, -1, -1, -1, -1, -1, -1, -1};
  bool HasYColumns = false;
  bool HasIPData = false;
  bool SignedResistance = false;
  bool RhoaForFlatGround = false;
  bool ProjectCoordinates = false;
  bool TopoSlopeDistances = false;
  double ReferenceX = NoValue;
  double ReferenceChainage = 0.0;
  ararofdoubleM Rows;
  arofdoubleM ExtraNodes;
  arofcomplexM Topography;
  int32_t SkippedLines = 0;
  std::string FirstSkipped;  // "line N (...)" of the first skipped data line
  std::string Problem;       // why the file was refused, with its line

  TK2dContent() { Position.fill(-1); }
  bool Named(int column) const { return Position[column] >= 0; }
  bool Usable() const {
    return (Named(colC1) || Named(colC2)) && (Named(colP1) || Named(colP2)) &&
           (Named(colRhoA) || Named(colRes));
  }
};

void ApplyHeader(const arofstrM& tokens, TK2dContent& k) {
  static constexpr const char* Electrodes[4] = {"c1", "c2", "p1", "p2"};
  static constexpr const char* Coordinates[8] = {"c1y", "c2y", "p1y", "p2y", "c1z", "c2z", "p1z", "p2z"};
  for (size_t i = 0; i < tokens.size(); ++i) {
    const auto pos = static_cast<int32_t>(i);
    const std::string t = SurveyText::LowerCase(tokens[i]);
    const bool plain = !SurveyText::Contains(t, "y") && !SurveyText::Contains(t, "z");
    for (int e = 0; e < 4; ++e)
      if (plain && SurveyText::Contains(t, Electrodes[e])) k.Position[colC1 + e] = pos;
    for (int c = 0; c < 8; ++c)
      if (SurveyText::Contains(t, Coordinates[c])) {
        k.Position[colC1y + c] = pos;
        k.CoordinateColumns[c] = pos;
        if (c < 4) k.HasYColumns = true;
      }
    if (SurveyText::Contains(t, "ro_a")) k.Position[colRhoA] = pos;
    if (SurveyText::Contains(t, "res")) k.Position[colRes] = pos;
    if (SurveyText::Contains(t, "sres")) k.SignedResistance = true;
    if (SurveyText::Contains(t, "weight")) k.Position[colWeight] = pos;
    if (SurveyText::Contains(t, "eta_a")) {
      k.Position[colEtaA] = pos;
      k.HasIPData = true;
    }
  }
  for (int32_t p : k.Position)
    k.HighestPosition = std::max(k.HighestPosition, p);
}

std::string LineText(size_t index) { return "line " + std::to_string(index + 1); }

using TLines = std::vector<std::string_view>;

// Whether the line lowered to small letters holds the part (given in small letters).
bool ContainsLowered(std::string_view line, std::string_view part) {
  if (part.size() > line.size()) return false;
  for (size_t i = 0; i + part.size() <= line.size(); ++i) {
    size_t j = 0;
    while (j < part.size() && std::tolower(static_cast<unsigned char>(line[i + j])) == part[j]) ++j;
    if (j == part.size()) return true;
  }
  return false;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A value as Supermath2d::StrToFloatChecked reads it (NoValue when the token is no
// number). Plain decimals, nearly every token of a file, are converted directly:
// they denote the same number as the reader's canonical text.
double TokenValue(std::string_view token) {
  size_t p = token.empty() || (token[0] != '-' && token[0] != '+') ? 0 : 1;
  const size_t digits = p;
  while (p < token.size() && IsDigit(token[p])) ++p;
  bool plain = p > digits && token.size() <= 64;
  if (plain && p < token.size() && token[p] == '.') {
    const size_t fraction = ++p;
    while (p < token.size() && IsDigit(token[p])) ++p;
    plain = p > fraction;
  }
  if (plain && p == token.size()) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(token.data() + digits, token.data() + p, value);
    if (ec == std::errc() && end == token.data() + p) return token[0] == '-' ? -value : value;
  }
  return Supermath2d::StrToFloatChecked(std::string(token), false, 0, 0);
}

// A measurement row of the data line, or an empty row when the line is dropped.
arofdoubleM DataRow(const TLines& tokens, const TK2dContent& k) {
  arofdoubleM row(RowColumns, NoValue);
  for (int c = 0; c < RowColumns; ++c) {
    if (k.Named(c))
      row[c] = TokenValue(tokens[static_cast<size_t>(k.Position[c])]);
    else if (c >= colC1y)
      row[c] = 0.0;
  }
  const bool dropped = (row[colC1] == NoValue && row[colC2] == NoValue) ||
                       (row[colP1] == NoValue && row[colP2] == NoValue) ||
                       (row[colRhoA] == NoValue && row[colRes] == NoValue) || row[colRhoA] <= 0 ||
                       row[colRes] == 0;
  if (dropped) row.clear();
  return row;
}

// Reads the topography block after the line that named it; gives the index of the
// first line after the block.
size_t ReadTopography(const TLines& lines, size_t topoLine, TK2dContent& k) {
  const std::string_view signs = lines[topoLine];
  size_t i = topoLine + 1;
  if (signs.find('%') != std::string_view::npos) k.RhoaForFlatGround = true;
  if (signs.find('~') != std::string_view::npos) k.ProjectCoordinates = true;
  std::string_view slopeSignLine = signs;
  if (signs.find('#') != std::string_view::npos && i < lines.size()) {
    const arofdoubleM ref = SurveyText::Numbers(std::string(lines[i]));
    if (ref.size() >= 2) {
      k.ReferenceX = ref[0];
      k.ReferenceChainage = ref[1];
    }
    slopeSignLine = lines[i];
    ++i;
  }
  if (slopeSignLine.find('^') != std::string_view::npos) k.TopoSlopeDistances = true;
  // The x of every point kept: a later point at a known x is left out.
  std::unordered_set<double> known;
  for (; i < lines.size(); ++i) {
    if (ContainsLowered(lines[i], "model")) return i + 1;
    const arofdoubleM p = SurveyText::Numbers(std::string(lines[i]));
    if (p.size() < 2) continue;
    if (known.insert(p[0]).second) k.Topography.push_back({p[0], p[1]});
  }
  return i;
}

// Reads header, data lines and topography. False when the file has no usable header.
bool ParseK2d(const TLines& lines, TK2dContent& k) {
  TLines tokens;
  size_t i = 0;
  for (; i < lines.size(); ++i) {
    SurveyText::TokenViews(lines[i], tokens);
    if (tokens.size() >= 3) break;
  }
  if (i == lines.size()) {
    k.Problem = "no header line naming the columns (C1 C2 P1 P2 ro_a res ...)";
    return false;
  }
  ApplyHeader(SurveyText::Tokens(std::string(lines[i])), k);
  if (!k.Usable()) {
    k.Problem = LineText(i) + ": the header names no current electrode, no potential electrode or no "
                "resistivity column";
    return false;
  }

  k.Rows.reserve(lines.size() - i);
  for (++i; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    if (ContainsLowered(line, "topo")) {
      ReadTopography(lines, i, k);
      break;
    }
    if (ContainsLowered(line, "model")) break;
    if (line.find("***") != std::string_view::npos) {
      const arofdoubleM node = SurveyText::Numbers(std::string(line));
      if (!node.empty()) k.ExtraNodes.push_back(node[0]);
      continue;
    }
    SurveyText::TokenViews(line, tokens);
    if (tokens.empty()) continue;
    // A line that does not reach every column the header names is no measurement
    // (also one with as many tokens as named columns when the header has others between).
    if (static_cast<int32_t>(tokens.size()) <= k.HighestPosition) {
      if (k.SkippedLines++ == 0)
        k.FirstSkipped = LineText(i) + " (" + std::to_string(tokens.size()) + " of " +
                         std::to_string(k.HighestPosition + 1) + " columns)";
      continue;
    }
    arofdoubleM row = DataRow(tokens, k);
    if (!row.empty()) k.Rows.push_back(std::move(row));
  }
  return true;
}

}  // namespace

int32_t TSurvey::ReadSurveyFile(const std::string& fileName) {
  std::string bytes;
  TK2dContent k;
  if (!Supermath2d::ReadFileBytes(fileName, bytes)) {
    ReadProblem = "the file cannot be read";
    return ReadError;
  }
  if (!ParseK2d(Supermath2d::SplitLineViews(bytes), k)) {
    ReadProblem = k.Problem;
    return ReadError;
  }

  int32_t result = k.Rows.empty() ? ReadError : ReadData;
  double startResistivity = 0.0, startPolarizability = StartPolarizability;
  if (ModelChart && ModelChart->ReadModel(fileName)) {
    startResistivity = ModelChart->GetHostResistivity();
    startPolarizability = ModelChart->GetHostPolarizability();
    result = ReadDataAndModel;
  }
  if (result == ReadError) {
    ReadProblem = k.SkippedLines > 0 ? "no data line gives a measurement (the first skipped: " + k.FirstSkipped + ")"
                                     : "no data line gives a measurement";
    return ReadError;
  }

  MeasurementRows = std::move(k.Rows);
  Topography = std::move(k.Topography);
  ExtraNodes = std::move(k.ExtraNodes);
  CoordinateColumns = k.CoordinateColumns;
  HasYColumns = k.HasYColumns;
  HasIPData = k.HasIPData;
  SignedResistance = k.SignedResistance;
  RhoaForFlatGround = k.RhoaForFlatGround;
  ProjectCoordinates = k.ProjectCoordinates;
  TopoSlopeDistances = k.TopoSlopeDistances;
  ReferenceX = k.ReferenceX;
  ReferenceChainage = k.ReferenceChainage;
  SkippedDataLines = k.SkippedLines;
  FirstSkippedLine = k.FirstSkipped;
  DataFileName = fileName;
  StartResistivity = startResistivity;
  StartPolarizability = startPolarizability;
  ResetDividing = true;

  const std::string configName = SurveyText::ChangeExtension(fileName, ".cfg");
  std::error_code ec;
  if (std::filesystem::is_regular_file(configName, ec)) {
    ReadConfigFile(configName);
    ResetDividing = false;
  }
  return result;
}

namespace {

void AppendPosition(std::string& line, double x) {
  line += Survey::ExactText(x);
  line += ' ';
}

using TWrittenColumns = std::array<bool, 8>;

double Coordinate(const osource& src, size_t j, int c) {
  switch (c) {
    case 0: return src.C1y;
    case 1: return src.C2y;
    case 2: return src.P1y[j];
    case 3: return src.P2y[j];
    case 4: return src.C1z;
    case 5: return src.C2z;
    case 6: return src.P1z[j];
    default: return src.P2z[j];
  }
}

// The coordinate columns the file gave, and any other that holds a value that is not 0
// (the exchange of P1 and P2 moves their coordinates into the other electrode's column).
TWrittenColumns WrittenColumns(const TSurvey& s) {
  TWrittenColumns written;
  for (int c = 0; c < 8; ++c) {
    written[c] = s.CoordinateColumns[c] != -1;
    for (const osource& src : s.Asource)
      for (size_t j = 0; j < src.P1x.size() && !written[c]; ++j) written[c] = Coordinate(src, j, c) != 0.0;
  }
  return written;
}

std::string HeaderLine(const TSurvey& s, const TWrittenColumns& written) {
  std::string h = "C1  C2  P1  P2 ";
  for (int c = 0; c < 8; ++c)
    if (written[c]) h += std::string(CoordinateNames[c]) + " ";
  h += "ro_a ";
  h += s.SignedResistance ? "sres" : "res";
  h += ' ';
  if (s.HasIPData) h += "eta_a ";
  h += "weight ";
  return h;
}

std::string MeasurementLine(const TSurvey& s, const TWrittenColumns& written, const osource& src, size_t j,
                            bool observed, char separator) {
  std::string line;
  for (double x : {src.C1x, src.C2x, src.P1x[j], src.P2x[j]}) AppendPosition(line, x);
  for (int c = 0; c < 8; ++c)
    if (written[c]) AppendPosition(line, Coordinate(src, j, c));
  auto value = [&](double v) { line += Survey::ExactText(v, separator) + ' '; };
  value(observed ? src.RhoA[j] : src.RhoACalc[j]);
  value(observed ? src.Res[j] : src.ResCalc[j]);
  if (s.HasIPData) value(observed ? src.EtaA[j] : src.EtaACalc[j]);
  line += Survey::ExactText(src.Weight[j]);
  return line;
}

}  // namespace

bool TSurvey::WriteSurveyFile(const std::string& fileName, bool observed, bool withModel) {
  const char separator = FormatSettings.DecimalSeparator;
  const std::string eol = "\r\n";
  const TWrittenColumns written = WrittenColumns(*this);
  std::string text = HeaderLine(*this, written) + eol;
  for (const osource& src : Asource)
    for (size_t j = 0; j < src.P1x.size(); ++j)
      text += MeasurementLine(*this, written, src, j, observed, separator) + eol;
  for (double node : ExtraNodes) text += "*** " + ScientificText(node) + eol;
  // The reference point is written with the relief: the positions of a file with a
  // reference point are distances along the ground and mean nothing without it.
  const bool hasReference = ReferenceX != NoValue;
  if (!Topography.empty() || hasReference) {
    text += hasReference ? "topo #" + eol + ExactText(ReferenceX) + " " + ExactText(ReferenceChainage) + eol
                         : "topo" + eol;
    for (const complexM& p : Topography) text += ExactText(p.x) + " " + ExactText(p.z) + eol;
  }
  if (!SurveyText::WriteFile(fileName, text)) {
    Message("Cannot write the file \"" + fileName + "\".");
    return false;
  }
  if (withModel && ModelChart && !ModelChart->WriteModel(fileName, -1)) {
    Message("Cannot write the file \"" + fileName + "\".");
    return false;
  }
  return WriteConfigFile(SurveyText::ChangeExtension(fileName, ".cfg"));
}
