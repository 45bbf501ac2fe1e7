// Files of an ABEM resistivity meter (amp): a table under a header line whose
// columns are found by keywords.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace {

// Header columns of the file, in the order of AmpKeywords.
enum AmpColumn { ampA, ampB, ampM, ampN, ampRhoA, ampEtaA, ampTime0, ampTimeN, AmpColumnCount };
constexpr std::array<const char*, AmpColumnCount> AmpKeywords = {"a(x)", "b(x)", "m(x)", "n(x)",
                                                                 "app.r", "app.ch", "t(0", "t(n"};

bool Blank(char c) { return c == ' ' || c == '\t'; }

// Joins header words written as two parts ("App. R" becomes "App.R"): a single blank
// between two other characters goes; runs of blanks, the first character and the
// last two characters stay.
std::string JoinHeaderWords(std::string line) {
  for (size_t i = 1; i + 2 < line.size();) {
    if (line[i] == ' ' && !Blank(line[i - 1]) && !Blank(line[i + 1]))
      line.erase(i, 1);
    else
      ++i;
  }
  return line;
}

struct TAmpContent {
  std::array<int32_t, AmpColumnCount> Column;
  ararofdoubleM Rows;
  bool HasIPData = false;
  int32_t SkippedLines = 0;
  std::string FirstSkipped;  // "line N (...)" of the first skipped data line
  std::string Problem;       // why the file was refused, with its line
  TAmpContent() { Column.fill(-1); }
  bool Has(int c) const { return Column[static_cast<size_t>(c)] >= 0; }
};

// Value of a column of the line; NoValue when the file has no such column.
double ColumnValue(const arofstrM& tokens, const TAmpContent& a, int column) {
  const int32_t i = a.Column[static_cast<size_t>(column)];
  if (i < 0 || static_cast<size_t>(i) >= tokens.size()) return NoValue;
  return Supermath2d::StrToFloatChecked(tokens[static_cast<size_t>(i)], false, 0, 0);
}

bool ParseAmp(const arofstrM& lines, TAmpContent& a) {
  size_t i = 0;
  while (i < lines.size() && !SurveyText::Contains(SurveyText::LowerCase(lines[i]), "a(x)")) ++i;
  if (i == lines.size()) {
    a.Problem = "no header line with the column A(x)";
    return false;
  }
  const arofstrM header = SurveyText::Tokens(JoinHeaderWords(lines[i]));
  for (size_t t = 0; t < header.size(); ++t) {
    const std::string token = SurveyText::LowerCase(header[t]);
    for (size_t k = 0; k < AmpKeywords.size(); ++k)
      if (SurveyText::Contains(token, AmpKeywords[k])) a.Column[k] = static_cast<int32_t>(t);
  }
  if ((!a.Has(ampA) && !a.Has(ampB)) || (!a.Has(ampM) && !a.Has(ampN)) || !a.Has(ampRhoA)) {
    a.Problem = "line " + std::to_string(i + 1) + ": the header names no A(x)/B(x), no M(x)/N(x) or no App.R column";
    return false;
  }
  a.HasIPData = a.Has(ampEtaA);

  // A data line must reach every position, resistivity and chargeability column.
  int32_t needed = 0;
  for (int c : {ampA, ampB, ampM, ampN, ampRhoA, ampEtaA}) needed = std::max(needed, a.Column[static_cast<size_t>(c)] + 1);
  for (++i; i < lines.size(); ++i) {
    const arofstrM tokens = SurveyText::Tokens(lines[i]);
    if (tokens.empty()) continue;
    if (static_cast<int32_t>(tokens.size()) < needed) {
      if (a.SkippedLines++ == 0)
        a.FirstSkipped = "line " + std::to_string(i + 1) + " (" + std::to_string(tokens.size()) + " of " +
                         std::to_string(needed) + " columns)";
      continue;
    }
    arofdoubleM row(RowColumns, NoValue);
    row[colC1] = ColumnValue(tokens, a, ampA);
    row[colC2] = ColumnValue(tokens, a, ampB);
    row[colP1] = ColumnValue(tokens, a, ampM);
    row[colP2] = ColumnValue(tokens, a, ampN);
    row[colRhoA] = ColumnValue(tokens, a, ampRhoA);
    row[colWeight] = 1.0;
    if (a.HasIPData) {
      row[colEtaA] = ColumnValue(tokens, a, ampEtaA);
      const double t0 = ColumnValue(tokens, a, ampTime0), tn = ColumnValue(tokens, a, ampTimeN);
      if (row[colEtaA] != NoValue && t0 != NoValue && tn != NoValue && tn != t0)
        row[colEtaA] = row[colEtaA] / std::abs(tn - t0) / 10;
    }
    const bool unusable = (row[colC1] == NoValue && row[colC2] == NoValue) ||
                          (row[colP1] == NoValue && row[colP2] == NoValue) || row[colRhoA] == NoValue ||
                          row[colRhoA] < 0;
    if (!unusable) a.Rows.push_back(std::move(row));
  }
  if (a.Rows.empty()) {
    a.Problem = a.SkippedLines > 0 ? "no data line gives a measurement (the first skipped: " + a.FirstSkipped + ")"
                                   : "no data line gives a measurement";
    return false;
  }
  return true;
}

}  // namespace

int32_t TSurvey::ReadAmpFile(const std::string& fileName) {
  arofstrM lines;
  TAmpContent a;
  if (!SurveyText::ReadLines(fileName, lines)) {
    ReadProblem = "the file cannot be read";
    return ReadError;
  }
  if (!ParseAmp(lines, a)) {
    ReadProblem = a.Problem;
    return ReadError;
  }
  MeasurementRows = std::move(a.Rows);
  HasIPData = a.HasIPData;
  Topography.clear();
  SkippedDataLines = a.SkippedLines;
  FirstSkippedLine = a.FirstSkipped;
  StartResistivity = 0.0;
  DataFileName = fileName;
  return ReadData;
}
