#include "survey/Survey.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace Survey {

int32_t FindElectrode(const elecarray& electrodes, complexM point, double tol) {
  const auto n = static_cast<int32_t>(electrodes.size());
  for (int32_t i = 0; i < n; ++i)
    if (std::abs(electrodes[i].X - point.x) < tol && std::abs(electrodes[i].Depth - point.z) < tol)
      return i;
  for (int32_t i = 0; i < n; ++i)
    if (std::abs(electrodes[i].Chainage - point.x) < tol &&
        std::abs(electrodes[i].Depth - point.z) < tol)
      return i;
  return -1;
}

void AddUniqueValue(arofdoubleM& values, double tol, double value) {
  if (value == NoValue) return;
  for (double v : values)
    if (std::abs(v - value) < tol) return;
  values.push_back(value);
}

namespace {
// Equal values always match, so that a zero is not entered twice (0 / 0 fails every test).
bool RelativelyEqual(double entry, double value, double tol) {
  return entry == value || std::abs(entry - value) / std::max(std::abs(value), entry) < tol;
}
}  // namespace

void AddUniqueRelative(arofdoubleM& values, double tol, double value) {
  if (value == NoValue) return;
  for (double v : values)
    if (RelativelyEqual(v, value, tol)) return;
  values.push_back(value);
}

int32_t FindRelative(const arofdoubleM& values, double tol, double value) {
  if (value == NoValue) return -1;
  for (size_t i = 0; i < values.size(); ++i)
    if (RelativelyEqual(values[i], value, tol)) return static_cast<int32_t>(i);
  return -1;
}

void AddUniqueIndex(arofintM& values, int32_t value) {
  if (std::find(values.begin(), values.end(), value) == values.end()) values.push_back(value);
}

// Equal values keep their order, as the exchange sort of neighbours did.
void SortValues(arofdoubleM& values) { std::stable_sort(values.begin(), values.end()); }
void SortIndices(arofintM& values) { std::stable_sort(values.begin(), values.end()); }

bool ReadBoolLine(const std::string& line) {
  std::string lower = line;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == "true";
}

std::string ExactText(double x, char decimalSeparator) {
  if (x == NoValue) return "*";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, x);
  std::string text(buf, res.ptr);
  if (decimalSeparator != '.')
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

namespace {
std::string ScientificWith(double x, int precision) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::abs(x), std::chars_format::scientific, precision);
  std::string digits(buf, res.ptr);
  const auto e = digits.find('e');
  const int exponent = std::atoi(digits.c_str() + e + 1);
  std::string text;
  text += std::signbit(x) ? '-' : ' ';
  text += digits.substr(0, e);
  text += 'E';
  text += exponent < 0 ? '-' : '+';
  std::string expDigits = std::to_string(std::abs(exponent));
  text += std::string(expDigits.size() < 4 ? 4 - expDigits.size() : 0, '0') + expDigits;
  return text;
}

bool ReadsBackAs(const std::string& text, double x) {
  double back = 0.0;
  const char* first = text.data() + 1;  // past the sign place
  auto res = std::from_chars(first, text.data() + text.size(), back);
  if (res.ec != std::errc()) return false;
  return (text[0] == '-' ? -back : back) == x;
}
}  // namespace

std::string ScientificText(double x) {
  if (!std::isfinite(x)) return ExactText(x);
  std::string text = ScientificWith(x, 14);
  if (!ReadsBackAs(text, x)) text = ScientificWith(x, 16);
  return text;
}

}  // namespace Survey

TSurvey::TSurvey() = default;

void TSurvey::Message(const std::string& text) const {
  if (OnMessage) OnMessage(text);
}
