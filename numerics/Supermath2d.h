// Dynamic-array types, the no-value convention and number text shared by every own unit.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using arofdoubleM = std::vector<double>;
using ararofdoubleM = std::vector<arofdoubleM>;
using arararofdoubleM = std::vector<ararofdoubleM>;
using arofintM = std::vector<int32_t>;
using ararofintM = std::vector<arofintM>;
using arofboolM = std::vector<uint8_t>;  // one byte per flag, 0 false, 1 true
using ararofboolM = std::vector<arofboolM>;
using arofstrM = std::vector<std::string>;

// A point pair: x (horizontal position), then z.
struct complexM {
  double x = 0.0;
  double z = 0.0;
  bool operator==(const complexM&) const = default;
};
using arofcomplexM = std::vector<complexM>;
using ararofcomplexM = std::vector<arofcomplexM>;

namespace Supermath2d {

// Stands for unset, no value and an electrode that is absent or at infinity.
// Compared exactly, never with a tolerance.
inline constexpr double NoValue = 123456789.0;

}  // namespace Supermath2d
