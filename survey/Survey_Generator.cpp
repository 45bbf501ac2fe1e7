// Synthetic surveys of nine electrode arrays: electrode positions only, from which
// the solver computes apparent resistivity and polarizability.
#include <algorithm>

#include "survey/Survey.h"

using Supermath2d::NoValue;
using namespace Survey;

namespace {

enum class TLevelRule { All, Forward, Reverse, Gradient };

// Positions of C1, C2, P1, P2 in units of the minimal separation at station x and
// level l; NoValue = at infinity.
struct TArrayRule {
  TLevelRule Levels;
  std::array<double, 4> (*Positions)(double x, double l, int32_t levelCount);
};

constexpr double Inf = NoValue;

const TArrayRule ArrayRules[9] = {
    // Wenner: the inner pair carries the current.
    {TLevelRule::All, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x - 0.5 * (l + 1), x + 0.5 * (l + 1), x - 1.5 * (l + 1), x + 1.5 * (l + 1)};
     }},
    {TLevelRule::Forward, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, Inf, x + l + 1, x + l + 2};
     }},
    {TLevelRule::Reverse, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, Inf, x - l - 2, x - l - 1};
     }},
    {TLevelRule::Forward, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, x + 1, x + l + 2, x + l + 3};
     }},
    {TLevelRule::Reverse, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, x - 1, x - l - 3, x - l - 2};
     }},
    // Gradient: fixed current electrodes at the ends of a span of 2L + 2 units.
    {TLevelRule::Gradient, [](double x, double l, int32_t levels) -> std::array<double, 4> {
       return {x, x + 2.0 * levels + 2, x + l + 1, x + l + 2};
     }},
    {TLevelRule::Forward, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, Inf, x + l + 1, Inf};
     }},
    {TLevelRule::Reverse, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, Inf, x - l - 1, Inf};
     }},
    // VES: the inner pair carries the current.
    {TLevelRule::All, [](double x, double l, int32_t) -> std::array<double, 4> {
       return {x, x + 1, x - l - 1, x + l + 2};
     }},
};

int32_t LevelsAt(TLevelRule rule, int32_t station, int32_t points, int32_t levels) {
  switch (rule) {
    case TLevelRule::All: return levels;
    case TLevelRule::Gradient: return 2 * levels;
    case TLevelRule::Forward: return levels >= points ? levels : std::min(points - 1 - station, levels - 1) + 1;
    case TLevelRule::Reverse: return levels >= points ? levels : std::min(station, levels - 1) + 1;
  }
  return 0;
}

}  // namespace

void TSurvey::GenerateSurvey(int32_t arrayType) {
  MeasurementRows.clear();
  HasYColumns = false;
  CoordinateColumns.fill(-1);
  HasIPData = true;
  if (arrayType < 0 || arrayType > 8) return;
  const TArrayRule& rule = ArrayRules[arrayType];
  const double s = DefaultMinSeparation;
  for (int32_t i = 0; i < DefaultPointCount; ++i) {
    const double x = static_cast<double>(i) * DefaultPointSeparation;
    const int32_t levels = LevelsAt(rule.Levels, i, DefaultPointCount, DefaultLevelCount);
    for (int32_t l = 0; l < levels; ++l) {
      const std::array<double, 4> units = rule.Positions(x, l, DefaultLevelCount);
      arofdoubleM row(RowColumns, NoValue);
      for (int e = 0; e < 4; ++e) row[colC1 + e] = units[e] == Inf ? NoValue : units[e] * s;
      MeasurementRows.push_back(std::move(row));
    }
  }
}
