// The program configuration file (cfg): the header line and the fifteen solver and
// mesh settings, one per line, declared once in a table that reader and writer share.
#include <cmath>
#include <variant>

#include "survey/Survey.h"
#include "survey/SurveyText.h"

using Supermath2d::NoValue;

namespace {

struct TConfigSetting {
  const char* Name;
  std::variant<double TSurvey::*, int32_t TSurvey::*, bool TSurvey::*> Field;
  double Lowest;   // allowed range of a number, bounds included
  double Highest;
};

// In the order of the file's lines 2 to 16.
const TConfigSetting ConfigSettings[] = {
    {"MACH_EPS", &TSurvey::MACH_EPS, 1e-300, 0.1},
    {"CGprecision", &TSurvey::CGprecision, 1, 1000000},
    {"Solver", &TSurvey::Solver, 0, 100},
    {"nkuser", &TSurvey::nkuser, 0, 0},
    {"nknumber", &TSurvey::nknumber, 1, 100},
    {"correct", &TSurvey::correct, 0, 0},
    {"FactorX", &TSurvey::FactorX, 0.001, 100},
    {"FactorZ", &TSurvey::FactorZ, 0.001, 100},
    {"StartX", &TSurvey::StartX, 0.001, 10},
    {"StartZ", &TSurvey::StartZ, 0.001, 10},
    {"Exponent", &TSurvey::Exponent, 0, 0},
    {"infperc", &TSurvey::infperc, 0, 1000},
    {"redperc", &TSurvey::redperc, 1, 10000},
    {"numqp", &TSurvey::numqp, 2, 8},
    {"recetha", &TSurvey::recetha, 0, 0},
};

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

std::string RangeText(const TConfigSetting& s) {
  return Survey::ExactText(s.Lowest) + " to " + Survey::ExactText(s.Highest);
}

}  // namespace

bool TSurvey::WriteConfigFile(const std::string& fileName) const {
  const std::string eol = "\r\n";
  std::string text = std::string(Survey::ConfigHeader) + eol;
  for (const TConfigSetting& s : ConfigSettings) {
    if (auto d = std::get_if<double TSurvey::*>(&s.Field))
      text += Survey::ScientificText(this->**d);
    else if (auto i = std::get_if<int32_t TSurvey::*>(&s.Field))
      text += std::to_string(this->**i);
    else
      text += this->*std::get<bool TSurvey::*>(s.Field) ? "TRUE" : "FALSE";
    text += eol;
  }
  if (SurveyText::WriteFile(fileName, text)) return true;
  Message("Cannot write the file \"" + fileName + "\".");
  return false;
}

void TSurvey::ReadConfigFile(const std::string& fileName) {
  arofstrM lines;
  if (!SurveyText::ReadLines(fileName, lines) || lines.empty() ||
      !SurveyText::Contains(lines[0], Survey::ConfigHeader))
    return;

  std::string problems;
  size_t lineIndex = 1;
  for (const TConfigSetting& s : ConfigSettings) {
    if (lineIndex >= lines.size()) break;
    const std::string& line = lines[lineIndex++];
    if (auto b = std::get_if<bool TSurvey::*>(&s.Field)) {
      this->**b = Survey::ReadBoolLine(line);
      continue;
    }
    const double v = Supermath2d::StrToFloatChecked(Trimmed(line), false, 0, 0);
    const bool isInt = std::holds_alternative<int32_t TSurvey::*>(s.Field);
    const bool valid = v != NoValue && v >= s.Lowest && v <= s.Highest && (!isInt || v == std::floor(v));
    if (!valid) {
      problems += "\nline " + std::to_string(lineIndex) + ", " + s.Name + ": \"" + Trimmed(line) +
                  "\" is not " + (isInt ? "a whole number" : "a number") + " from " + RangeText(s) +
                  "; the value " + (isInt ? std::to_string(this->*std::get<int32_t TSurvey::*>(s.Field))
                                          : Survey::ExactText(this->*std::get<double TSurvey::*>(s.Field))) +
                  " is kept.";
      continue;
    }
    if (isInt)
      this->*std::get<int32_t TSurvey::*>(s.Field) = static_cast<int32_t>(v);
    else
      this->*std::get<double TSurvey::*>(s.Field) = v;
  }
  if (!problems.empty()) Message("Configuration file \"" + fileName + "\":" + problems);
}
