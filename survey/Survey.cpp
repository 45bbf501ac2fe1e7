#include "survey/Survey.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/rtl/SysUtils.h"

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

// Equal values always match, so that a zero is not entered twice (0 / 0 fails every test).
bool RelativelyEqual(double entry, double value, double tol) {
  return entry == value || std::abs(entry - value) / std::max(std::abs(value), entry) < tol;
}

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
  std::string text = SysUtils::RoundTripText(x);
  if (decimalSeparator != '.')
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

std::string ScientificText(double x) {
  if (!std::isfinite(x)) return ExactText(x);
  return SysUtils::FixedRealText(x, true);
}

}  // namespace Survey

TSurvey::TSurvey() = default;

void TSurvey::Message(const std::string& text) const {
  if (OnMessage) OnMessage(text);
}
