// Res2dInv exchange files (dat, seq): the reader of the conventional arrays 1 to 7
// and the general array 11, with IP data and topography, and the writer of the
// general-array form that this reader reads back.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace Survey {

void AddUniquePoint(arofcomplexM& list, complexM point, double tol) {
  if (point.x == NoValue) return;
  for (const complexM& p : list)
    if (std::abs(p.x - point.x) < tol && std::abs(p.z - point.z) < tol) return;
  list.push_back(point);
}

}  // namespace Survey

namespace {

constexpr int32_t Res2dInvColumns = 20;
// The position of a remote electrode (at infinity).
constexpr double Remote = NoValue;

// The lines of a file one after another; past the end every line is empty.
class TLineReader {
 public:
  explicit TLineReader(const arofstrM& lines) : FLines(lines) {}
  const std::string& Next() {
    static const std::string Empty;
    if (FPos < FLines.size()) return FLines[FPos++];
    ++FPos;
    return Empty;
  }
  const std::string& Peek() const {
    static const std::string Empty;
    return FPos < FLines.size() ? FLines[FPos] : Empty;
  }
  bool Ended() const { return FPos > FLines.size(); }
  // The 1-based number of the line read last.
  size_t LineNumber() const { return FPos; }

 private:
  const arofstrM& FLines;
  size_t FPos = 0;
};

// The number a line stands for: its first token; NoValue when that is no number.
double FirstNumber(const std::string& line) {
  const arofstrM tokens = SurveyText::Tokens(line);
  return tokens.empty() ? NoValue : Supermath2d::StrToFloatChecked(tokens[0], false, 0, 0);
}

// A count or a code: the number rounded; `otherwise` when the line holds none.
int32_t WholeNumber(const std::string& line, int32_t otherwise) {
  const double v = FirstNumber(line);
  if (v == NoValue || !std::isfinite(v) || std::abs(v) > 1e9) return otherwise;
  return static_cast<int32_t>(std::nearbyint(v));
}

// Numbers of a data line: a comma separates numbers here, it is never a decimal sign.
arofdoubleM LineNumbers(std::string line) {
  std::replace(line.begin(), line.end(), ',', ' ');
  return SurveyText::Numbers(line);
}

enum class TIPKind { None, FrequencyEffect, MetalFactor, Chargeability };

// Everything a Res2dInv file gives, collected before any of it is applied.
struct TRes2dInvContent {
  int32_t ArrayType = 0;
  int32_t MeasurementType = 0;
  int32_t LocationType = 0;
  bool IPFlag = false;
  TIPKind IPKind = TIPKind::None;
  std::string IPUnit;
  double IPTime1 = NoValue;
  double IPTime2 = NoValue;
  ararofdoubleM Rows;
  arofcomplexM Elevations;  // (x, elevation) pairs of general-array lines
  double SmallestPosition = NoValue;
  arofcomplexM Topography;
  double ReferenceX = NoValue;
  double ReferenceChainage = 0.0;
  bool TopoSlopeDistances = false;
  int32_t SkippedLines = 0;
  // "Error estimate for data present": every data line carries error columns
  // after its value (and its IP value), which the program does not use.
  bool ErrorEstimates = false;
  // Where the file was refused or its first line was skipped: "line 17: ...".
  std::string Problem;
  std::string FirstSkipped;
};

using TPositions = std::array<double, 4>;  // C1, C2, P1, P2

// Electrode positions of a conventional array line: x, the spacing a and the level n;
// midPoint: x is the array's mid-point instead of its first electrode.
TPositions ConventionalPositions(int32_t type, bool midPoint, double x, double a, double n) {
  switch (type) {
    case 1:  // Wenner alpha
      return midPoint ? TPositions{x - 1.5 * a, x + 1.5 * a, x - 0.5 * a, x + 0.5 * a}
                      : TPositions{x, x + 3 * a, x + a, x + 2 * a};
    case 2:  // pole-pole
      return midPoint ? TPositions{x - 0.5 * a, Remote, x + 0.5 * a, Remote} : TPositions{x, Remote, x + a, Remote};
    case 3:  // dipole-dipole
      return midPoint ? TPositions{x - n * a / 2 - a, x - n * a / 2, x + n * a / 2, x + n * a / 2 + a}
                      : TPositions{x, x + a, x + a + n * a, x + 2 * a + n * a};
    case 4:  // Wenner beta
      return midPoint ? TPositions{x - 1.5 * a, x - 0.5 * a, x + 0.5 * a, x + 1.5 * a}
                      : TPositions{x, x + a, x + 2 * a, x + 3 * a};
    case 5:  // Wenner gamma
      return midPoint ? TPositions{x - 1.5 * a, x + 0.5 * a, x - 0.5 * a, x + 1.5 * a}
                      : TPositions{x, x + 2 * a, x + a, x + 3 * a};
    case 6: {  // pole-dipole; a negative n puts the current electrode on the right
      if (n >= 0) {
        const double h = (n * a + a) / 2;
        return midPoint ? TPositions{x - h, Remote, x + h - a, x + h} : TPositions{x, Remote, x + n * a, x + n * a + a};
      }
      const double h = (std::abs(n) * a + a) / 2;
      return midPoint ? TPositions{x + h, Remote, x - h + a, x - h}
                      : TPositions{x + (std::abs(n) + 1) * a, Remote, x + a, x};
    }
    default:  // 7, Wenner-Schlumberger
      return midPoint ? TPositions{x - (n + 0.5) * a, x + (n + 0.5) * a, x - a / 2, x + a / 2}
                      : TPositions{x, x + 2 * n * a + a, x + n * a, x + n * a + a};
  }
}

bool KnownArrayType(int32_t type) { return (type >= 1 && type <= 7) || type == 11; }

// The row of one data line; an empty row when the line cannot give a measurement.
arofdoubleM DataRow(const arofdoubleM& w, TRes2dInvContent& c) {
  arofdoubleM row(Res2dInvColumns, NoValue);
  const size_t ipNumbers = c.IPFlag ? 1 : 0;
  size_t valueIndex = 0;
  if (c.ArrayType == 11) {
    const int32_t k = w.empty() ? 0 : static_cast<int32_t>(std::nearbyint(std::clamp(w[0], -1e9, 1e9)));
    // The electrodes a line of k electrodes names, in the order of its pairs.
    static const std::array<std::array<int, 4>, 3> ElectrodesOf = {{
        {colC1, colP1, -1, -1}, {colC1, colP1, colP2, -1}, {colC1, colC2, colP1, colP2}}};
    if (k < 2 || k > 4) return {};
    valueIndex = 1 + 2 * static_cast<size_t>(k);
    if (w.size() < valueIndex + 1 + ipNumbers) return {};
    for (int32_t e = 0; e < k; ++e) {
      const double x = w[1 + 2 * static_cast<size_t>(e)];
      const double z = w[2 + 2 * static_cast<size_t>(e)];
      row[static_cast<size_t>(ElectrodesOf[static_cast<size_t>(k) - 2][static_cast<size_t>(e)])] = x;
      AddUniquePoint(c.Elevations, {x, z}, 1e-5);
    }
    row[c.MeasurementType == 1 ? colRes : colRhoA] = w[valueIndex];
  } else {
    const bool hasLevel = c.ArrayType == 3 || c.ArrayType == 6 || c.ArrayType == 7;
    valueIndex = hasLevel ? 3 : 2;
    if (w.size() < valueIndex + 1 + ipNumbers) return {};
    const TPositions p = ConventionalPositions(c.ArrayType, c.LocationType != 0, w[0], w[1], hasLevel ? w[2] : 0.0);
    for (int e = 0; e < 4; ++e) row[static_cast<size_t>(colC1 + e)] = p[static_cast<size_t>(e)];
    row[colRhoA] = w[valueIndex];
  }
  row[colWeight] = 1.0;
  // With error columns the IP value follows the value; without, it ends the line.
  if (c.IPFlag) row[colEtaA] = c.ErrorEstimates ? w[valueIndex + 1] : w.back();
  const bool unusable = (row[colC1] == NoValue && row[colC2] == NoValue) ||
                        (row[colP1] == NoValue && row[colP2] == NoValue) ||
                        (row[colRhoA] == NoValue && row[colRes] == NoValue);
  if (unusable) return {};
  return row;
}

void ReadIPHeader(TLineReader& r, TRes2dInvContent& c) {
  const std::string quantity = SurveyText::LowerCase(r.Next());
  if (SurveyText::Contains(quantity, "percent") && SurveyText::Contains(quantity, "effect"))
    c.IPKind = TIPKind::FrequencyEffect;
  if (SurveyText::Contains(quantity, "metal") && SurveyText::Contains(quantity, "factor"))
    c.IPKind = TIPKind::MetalFactor;
  if (SurveyText::Contains(quantity, "chargeability")) c.IPKind = TIPKind::Chargeability;
  c.IPUnit = r.Next();
  std::string times = r.Next();
  if (const size_t comma = times.find(','); comma != std::string::npos) times[comma] = ' ';
  const arofdoubleM t = SurveyText::Numbers(times);
  if (t.size() >= 2) {
    c.IPTime1 = t[0];
    c.IPTime2 = t[1];
  }
  if (c.IPKind == TIPKind::None) c.IPFlag = false;
}

// The topography section after the data lines. False when its points or the index of
// the first electrode's point are missing.
bool ReadTopographySection(TLineReader& r, TRes2dInvContent& c) {
  auto refuse = [&](const std::string& what) {
    c.Problem = "line " + std::to_string(r.LineNumber()) + ": " + what;
    return false;
  };
  std::string flagLine = r.Next();
  // A caption such as "Topography in separate list" stands before the flag.
  if (FirstNumber(flagLine) == NoValue && !SurveyText::Tokens(flagLine).empty()) flagLine = r.Next();
  const int32_t flag = WholeNumber(flagLine, 0);
  if (flag == 1 || flag == 2) {
    const int32_t count = WholeNumber(r.Next(), -1);
    if (count < 0) return refuse("expected the number of topography points");
    for (int32_t i = 0; i < count; ++i) {
      const arofdoubleM p = LineNumbers(r.Next());
      if (r.Ended()) return refuse("the file ends before its " + std::to_string(count) + " topography points");
      if (p.size() < 2) return refuse("expected a topography point (x and elevation), found " + std::to_string(p.size()) + " numbers");
      c.Topography.push_back({p.size() == 2 ? p[0] : 0.0, p[1]});
    }
    if (flag == 2) {
      c.TopoSlopeDistances = true;
      return true;
    }
    const int32_t first = WholeNumber(r.Next(), 0);
    if (first < 1 || first > count)
      return refuse("expected the topography point of the first electrode, 1 to " + std::to_string(count));
    c.ReferenceX = c.Topography[static_cast<size_t>(first) - 1].x;
    c.ReferenceChainage = c.SmallestPosition;
    return true;
  }
  const bool varies = std::any_of(c.Elevations.begin(), c.Elevations.end(),
                                  [&](const complexM& p) { return p.z != c.Elevations.front().z; });
  if (varies) {
    c.Topography = c.Elevations;
    if (c.ArrayType == 11 && c.LocationType == 2) c.TopoSlopeDistances = true;
  }
  return true;
}

void SkipFixedRegions(TLineReader& r) {
  const int32_t regions = WholeNumber(r.Next(), 0);
  for (int32_t i = 0; i < regions && !r.Ended(); ++i) {
    const int skipped = SurveyText::Contains(SurveyText::LowerCase(r.Next()), "r") ? 4 : 5;
    for (int k = 0; k < skipped; ++k) r.Next();
  }
}

// IP values of the file into apparent polarizability in %.
void ConvertIP(TRes2dInvContent& c) {
  const std::string unit = SurveyText::LowerCase(c.IPUnit);
  const double window = c.IPTime1 != NoValue && c.IPTime2 != NoValue ? std::abs(c.IPTime2 - c.IPTime1) : 0.0;
  for (arofdoubleM& row : c.Rows) {
    double& eta = row[colEtaA];
    if (eta == NoValue) continue;
    if (c.IPKind == TIPKind::MetalFactor) {
      // The metal factor needs the apparent resistivity; a resistance file has none.
      eta = row[colRhoA] == NoValue ? NoValue : eta * row[colRhoA] / (2 * std::numbers::pi * 1e5);
    } else if (c.IPKind == TIPKind::Chargeability) {
      if (SurveyText::Contains(unit, "mv/v")) eta /= 10;
      if (SurveyText::Contains(unit, "msec") && window > 0) eta = eta / window / 10;
    }
  }
}

// The optional error-estimate block between the IP header and the data: its
// caption, the caption of the error type and the error type.
void ReadErrorEstimateHeader(TLineReader& r, TRes2dInvContent& c) {
  if (!SurveyText::Contains(SurveyText::LowerCase(r.Peek()), "error estimate")) return;
  r.Next();
  r.Next();
  r.Next();
  c.ErrorEstimates = true;
}

// Reads the file into c; false when it is refused.
bool ParseRes2dInv(const arofstrM& lines, TRes2dInvContent& c) {
  TLineReader r(lines);
  auto refuse = [&](const std::string& what) {
    c.Problem = "line " + std::to_string(r.LineNumber()) + ": " + what;
    return false;
  };
  r.Next();  // title
  r.Next();  // unit electrode spacing
  c.ArrayType = WholeNumber(r.Next(), 0);
  if (c.ArrayType == 11) {
    r.Next();  // sub-array type
    r.Next();  // caption of the measurement type
    c.MeasurementType = WholeNumber(r.Next(), 0);
  }
  int32_t dataLines = 0;
  if (c.ArrayType == 2) {
    std::string line = r.Next();
    const std::string lower = SurveyText::LowerCase(line);
    if (SurveyText::Contains(lower, "remote") || SurveyText::Contains(lower, "p2") || SurveyText::Contains(lower, "c2"))
      while (!r.Ended() && LineNumbers(line).size() != 1) line = r.Next();
    dataLines = WholeNumber(line, 0);
  } else {
    dataLines = WholeNumber(r.Next(), 0);
  }
  if (!KnownArrayType(c.ArrayType)) {
    c.Problem = "line 3: the array type " + std::to_string(c.ArrayType) + " is not one of 1 to 7 and 11";
    return false;
  }

  c.LocationType = WholeNumber(r.Next(), 1);
  c.IPFlag = FirstNumber(r.Next()) != 0.0;
  if (c.IPFlag) ReadIPHeader(r, c);
  ReadErrorEstimateHeader(r, c);

  for (int32_t i = 0; i < dataLines; ++i) {
    const std::string& line = r.Next();
    // A file that ends before its data lines is damaged.
    if (r.Ended())
      return refuse("the file ends after " + std::to_string(i) + " of its " + std::to_string(dataLines) + " data lines");
    const arofdoubleM numbers = LineNumbers(line);
    arofdoubleM row = DataRow(numbers, c);
    if (row.empty()) {
      if (c.SkippedLines++ == 0)
        c.FirstSkipped = "line " + std::to_string(r.LineNumber()) + " (" + std::to_string(numbers.size()) + " numbers)";
      continue;
    }
    for (int e = colC1; e <= colP2; ++e)
      if (row[static_cast<size_t>(e)] != NoValue)
        c.SmallestPosition = std::min(c.SmallestPosition, row[static_cast<size_t>(e)]);
    c.Rows.push_back(std::move(row));
  }
  if (c.Rows.empty()) return refuse("no data line gives a measurement");
  if (!ReadTopographySection(r, c)) return false;
  SkipFixedRegions(r);
  const double last = FirstNumber(r.Next());
  if (last != NoValue && last > 0) return refuse("expected 0 at the end of the file");
  if (c.IPFlag) ConvertIP(c);
  return true;
}

}  // namespace

int32_t TSurvey::ReadRes2dInvFile(const std::string& fileName) {
  arofstrM lines;
  TRes2dInvContent c;
  ReadProblem.clear();
  FirstSkippedLine.clear();
  if (!SurveyText::ReadLines(fileName, lines)) {
    ReadProblem = "the file cannot be read";
    return ReadError;
  }
  if (!ParseRes2dInv(lines, c)) {
    ReadProblem = c.Problem;
    return ReadError;
  }
  FirstSkippedLine = c.FirstSkipped;
  if (c.ErrorEstimates) Message("The error estimates of \"" + fileName + "\" are not used.");
  MeasurementRows = std::move(c.Rows);
  Topography = std::move(c.Topography);
  HasIPData = c.IPFlag;
  if (c.ReferenceX != NoValue) {
    ReferenceX = c.ReferenceX;
    ReferenceChainage = c.ReferenceChainage;
  }
  if (c.TopoSlopeDistances) TopoSlopeDistances = true;
  SkippedDataLines = c.SkippedLines;
  DataFileName = fileName;
  // As after every other reader, the analysis proposes start values from these data.
  StartResistivity = 0.0;
  return ReadData;
}

// ---------------------------------------------------------------------------------
// Writing

namespace {

// Text of a number with N decimals (more below 1); where that would not read back
// exactly the shortest exact text, so that positions survive a write and a read.
std::string ExactDecimalText(int32_t decimals, double x) {
  const std::string text = Supermath2d::FloatToStrDec(decimals, 1, x);
  if (x == NoValue || !std::isfinite(x) || Supermath2d::StrToFloatChecked(text, false, 0, 0) == x) return text;
  return ExactText(x);
}

std::string ElevationText(double z) { return z == 0.0 ? "0.0" : ExactDecimalText(2, z); }

}  // namespace

bool TSurvey::WriteRes2dInvFile(const std::string& fileName, bool observed) const {
  const std::string eol = "\r\n";
  auto xOf = [&](int32_t e) { return elecarray[static_cast<size_t>(e)].X; };

  double spacing = NoValue;
  int64_t measurements = 0, presentElectrodes = 0;
  for (const osource& src : Asource) {
    measurements += static_cast<int64_t>(src.RhoA.size());
    for (size_t j = 0; j < src.P1.size(); ++j) {
      auto consider = [&](int32_t a, int32_t b) {
        if (a >= 0 && b >= 0) spacing = std::min(spacing, std::abs(xOf(a) - xOf(b)));
      };
      consider(src.P1[j], src.P2[j]);
      consider(src.C1, src.C2);
      consider(src.C1, src.P1[j]);
      for (int32_t e : {src.C1, src.C2, src.P1[j], src.P2[j]}) presentElectrodes += e >= 0 ? 1 : 0;
    }
  }

  // With relief the positions are written as distances along the ground from the
  // first electrode, whose relief point the topography section names; the relief gets
  // a point there when it has none, on its own line, so its shape stays the same.
  const bool withRelief = !Topography.empty();
  double firstX = NoValue;
  for (const TElectrode& e : elecarray) firstX = std::min(firstX, e.X);
  arofcomplexM relief = Topography;
  size_t firstPoint = 0;
  if (withRelief && firstX != NoValue) {
    auto at = std::find_if(relief.begin(), relief.end(), [&](const complexM& p) { return p.x == firstX; });
    if (at == relief.end()) {
      at = std::find_if(relief.begin(), relief.end(), [&](const complexM& p) { return p.x > firstX; });
      at = relief.insert(at, {firstX, Supermath2d::InterpolateComplex(Topography, firstX)});
    }
    firstPoint = static_cast<size_t>(at - relief.begin());
  }
  auto positionOf = [&](int32_t e) {
    const double x = xOf(e);
    if (!withRelief) return x;
    const double along = SurfaceDistance(Topography, firstX, x);
    return x < firstX ? firstX - along : firstX + along;
  };
  auto elevationOf = [&](int32_t e) {
    return withRelief ? Supermath2d::InterpolateComplex(Topography, xOf(e)) : 0.0;
  };

  std::string text = "Imported from KelmRes2d" + eol;
  text += Supermath2d::FloatToStrDec(1, 1, spacing) + eol;
  text += "11" + eol;
  if (measurements > 0) {
    const int64_t mean = presentElectrodes / measurements;
    if (mean == 2) text += "2" + eol;
    if (mean == 3) text += "6" + eol;
    if (mean == 4) text += "15" + eol;
  }
  text += "Type of measurement (0=app. resistivity,1=resistance)" + eol;
  text += "0" + eol;
  text += std::to_string(measurements) + eol;
  text += "1" + eol;
  text += HasIPData ? "1" + eol + "Chargeability" + eol + "mV/V" + eol + "0.0,1.0" + eol : "0" + eol;
  for (const osource& src : Asource)
    for (size_t j = 0; j < src.P1.size(); ++j) {
      const int32_t electrodes[4] = {src.C1, src.C2, src.P1[j], src.P2[j]};
      std::string line = std::to_string(std::count_if(std::begin(electrodes), std::end(electrodes),
                                                      [](int32_t e) { return e >= 0; }));
      for (int32_t e : electrodes)
        if (e >= 0) line += " " + ExactDecimalText(2, positionOf(e)) + " " + ElevationText(elevationOf(e)) + " ";
      line += " " + ExactDecimalText(2, observed ? src.RhoA[j] : src.RhoACalc[j]);
      if (HasIPData) {
        const double eta = observed ? src.EtaA[j] : src.EtaACalc[j];
        line += " " + ExactDecimalText(2, eta == NoValue ? NoValue : 10 * eta);
      }
      text += line + eol;
    }
  if (withRelief) {
    text += "Topography in separate list" + eol + "1" + eol + std::to_string(relief.size()) + eol;
    for (const complexM& p : relief) text += ExactDecimalText(3, p.x) + " " + ExactDecimalText(3, p.z) + eol;
    text += std::to_string(firstPoint + 1) + eol;
  }
  for (int i = 0; i < 5; ++i) text += "0" + eol;

  if (SurveyText::WriteFile(fileName, text)) return true;
  Message("Cannot write the file \"" + fileName + "\".");
  return false;
}
