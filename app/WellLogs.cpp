#include "app/WellLogs.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace WellLogs {

using Supermath2d::NoValue;

namespace {

std::string Trimmed(const std::string& Text) {
  const size_t first = Text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return Text.substr(first, Text.find_last_not_of(" \t") - first + 1);
}

bool IsUsable(double Value) { return Value != NoValue && std::isfinite(Value); }

// An integer field of the parameter line, kept inside the int32 range.
int32_t RoundedField(double Value) {
  if (!std::isfinite(Value)) return 0;
  return static_cast<int32_t>(std::nearbyint(std::clamp(Value, -2147483648.0, 2147483647.0)));
}

}  // namespace

std::string ResolveDataPath(const std::string& CrtFile, const std::string& Named) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(CrtFile).parent_path();
  const bool drive = Named.size() >= 2 && std::isalpha(static_cast<unsigned char>(Named[0])) && Named[1] == ':';
  if (drive || Named.find('\\') != std::string::npos) {
    const size_t cut = Named.find_last_of("\\/:");
    return (folder / Named.substr(cut + 1)).string();
  }
  const fs::path path(Named);
  if (path.is_absolute()) return Named;
  return (folder / path).string();
}

arofcarotagedata ParseList(const std::string& CrtFile, const std::string& Text,
                           const std::function<bool(const std::string&)>& Exists, std::vector<std::string>& Notes) {
  arofcarotagedata logs;
  const arofstrM lines = Supermath2d::SplitLines(Text);
  for (size_t i = 0; i < lines.size(); i += 3) {
    const std::string named = Trimmed(lines[i]);
    const size_t entry = i / 3 + 1;
    if (named.empty() && i + 1 >= lines.size()) break;  // a trailing empty line
    const std::string path = ResolveDataPath(CrtFile, named);
    if (named.empty() || !Exists(path)) {
      Notes.push_back("Entry " + std::to_string(entry) + ": data file \"" + named + "\" not found");
      continue;
    }
    arofdoubleM numbers;
    if (i + 2 < lines.size()) Supermath2d::ParseDoubles(lines[i + 2], 0, numbers);
    if (numbers.size() < 7 || !std::all_of(numbers.begin(), numbers.begin() + 7, IsUsable)) {
      Notes.push_back("Entry " + std::to_string(entry) + " (\"" + named +
                      "\"): the parameter line needs seven numbers (x, width, kind, alignment, group, colour, log flag)");
      continue;
    }
    carotagedata log;
    log.FileName = path;
    log.Caption = i + 1 < lines.size() ? Trimmed(lines[i + 1]) : std::string();
    log.X = numbers[0];
    log.Width = numbers[1];
    log.Kind = RoundedField(numbers[2]);
    log.AlignmentMode = RoundedField(numbers[3]);
    log.Group = RoundedField(numbers[4]);
    log.Colour = RoundedField(numbers[5]);
    log.LogFlag = static_cast<uint8_t>(RoundedField(numbers[6]) & 0xFF);
    logs.push_back(std::move(log));
  }
  return logs;
}

bool ParseLogData(const std::string& Text, carotagedata& Log, std::vector<std::string>& Notes) {
  Log.Points.clear();
  Log.Code1.clear();
  Log.Code2.clear();
  int32_t code1 = -1, code2 = -1;
  double lo = 1e19, hi = -1e19;
  size_t dropped = 0;
  for (const std::string& line : Supermath2d::SplitLines(Text)) {
    arofdoubleM numbers;
    Supermath2d::ParseDoubles(line, 0, numbers);
    if (numbers.size() < 2 || !IsUsable(numbers[0]) || !IsUsable(numbers[1])) continue;
    double value = numbers[1];
    if (Log.LogFlag != 0) {
      // The logarithm of a value that is not positive would spread -inf and NaN
      // through the group's scale and mean.
      if (value <= 0.0) {
        ++dropped;
        continue;
      }
      value = std::log(value);
    }
    if (numbers.size() > 2 && IsUsable(numbers[2])) code1 = RoundedField(numbers[2]);
    if (numbers.size() > 3 && IsUsable(numbers[3])) code2 = RoundedField(numbers[3]);
    Log.Points.push_back({numbers[0], value});
    Log.Code1.push_back(code1);
    Log.Code2.push_back(code2);
    lo = std::min(lo, value);
    hi = std::max(hi, value);
  }
  const std::string name = "\"" + Log.Caption + "\"";
  if (dropped > 0)
    Notes.push_back(name + ": " + std::to_string(dropped) + " value(s) not above 0 dropped under the log flag");
  if (Log.Points.empty()) {
    Notes.push_back(name + ": no line with a depth and a usable value; the log is skipped");
    return false;
  }
  Log.Minimum = lo;
  Log.Maximum = hi;
  return true;
}

void AlignLevels(arofcarotagedata& Logs) {
  for (carotagedata& log : Logs) {
    arofdoubleM values;
    values.reserve(log.Points.size());
    for (const complexM& p : log.Points) values.push_back(p.z);
    log.Mean = Supermath2d::RobustMean(values);
  }
  std::map<int32_t, std::pair<double, int32_t>> sums;
  for (const carotagedata& log : Logs) {
    auto& [sum, count] = sums[log.Group];
    sum += log.Mean;
    ++count;
  }
  for (carotagedata& log : Logs) {
    if (log.AlignmentMode != 1 && log.AlignmentMode != 2) continue;
    const auto& [sum, count] = sums[log.Group];
    const double shift = -(log.Mean - sum / count);
    for (complexM& p : log.Points) p.z += shift;
    log.Minimum += shift;
    log.Maximum += shift;
    log.Mean += shift;
  }
}

arofcarotagedata ReadCarotageFile(const std::string& CrtFile, std::vector<std::string>& Notes) {
  std::string text;
  if (!Supermath2d::ReadFileBytes(CrtFile, text)) {
    Notes.push_back("The file \"" + CrtFile + "\" cannot be read");
    return {};
  }
  auto exists = [](const std::string& Path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(Path, ec);
  };
  arofcarotagedata listed = ParseList(CrtFile, text, exists, Notes);
  arofcarotagedata logs;
  for (carotagedata& log : listed) {
    std::string data;
    if (!Supermath2d::ReadFileBytes(log.FileName, data)) {
      Notes.push_back("\"" + log.Caption + "\": the data file \"" + log.FileName + "\" cannot be read");
      continue;
    }
    if (ParseLogData(data, log, Notes)) logs.push_back(std::move(log));
  }
  AlignLevels(logs);
  return logs;
}

double HalfWidth(double Maximum, double Minimum, double Width) { return std::fabs(Maximum - Minimum) * Width / 100.0; }

bool IsVisible(const carotagedata& Log, double Maximum, double Minimum) {
  return Log.X >= Minimum && Log.X <= Maximum;
}

void ValueScale(const arofcarotagedata& Logs, size_t I, double Maximum, double Minimum, double& Lo, double& Hi) {
  const carotagedata& log = Logs[I];
  Lo = log.Minimum;
  Hi = log.Maximum;
  if (log.AlignmentMode != 0 && log.AlignmentMode != 1) return;
  for (size_t j = 0; j < Logs.size(); ++j) {
    const carotagedata& other = Logs[j];
    if (j == I || other.Group != log.Group || !IsVisible(other, Maximum, Minimum)) continue;
    if (other.AlignmentMode != 0 && other.AlignmentMode != 1) continue;
    Lo = std::min(Lo, other.Minimum);
    Hi = std::max(Hi, other.Maximum);
  }
}

double CurveX(double X, double W, double Value, double Lo, double Hi) {
  if (!(Hi > Lo)) return X;
  return X - W + (Value - Lo) / (Hi - Lo) * 2.0 * W;
}

void RowCodes(const carotagedata& Log, int32_t Row, int32_t Rows, int32_t& Colour, int32_t& Pattern) {
  Colour = 0;
  Pattern = -1;
  if (Log.Points.empty() || Rows <= 0) return;
  const double first = Log.Points.front().x;
  const double last = Log.Points.back().x;
  const double depth = first + (Row + 0.5) / Rows * (last - first);
  // The data interval holding the depth (depths may run either way).
  size_t k = 0;
  while (k + 2 < Log.Points.size()) {
    const double a = Log.Points[k].x, b = Log.Points[k + 1].x;
    if ((depth >= std::min(a, b) && depth <= std::max(a, b))) break;
    ++k;
  }
  const size_t k1 = std::min(k + 1, Log.Points.size() - 1);
  Colour = Log.Code1[k];
  if (Log.Kind != 2) return;
  const double a = Log.Points[k].x, b = Log.Points[k1].x;
  if (a == b) {
    Pattern = Log.Code2[k];
    return;
  }
  Colour = RoundedField(Supermath2d::LinearInterpolate(depth, a, b, Log.Code1[k], Log.Code1[k1]));
  Pattern = RoundedField(Supermath2d::LinearInterpolate(depth, a, b, Log.Code2[k], Log.Code2[k1]));
}

}  // namespace WellLogs
