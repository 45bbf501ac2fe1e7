#include "numerics/Supermath2d.h"

#include "platform/rtl/FileStore.h"

#include <algorithm>
#include <utility>
#include <vector>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

namespace Supermath2d {

namespace {

std::function<int32_t(int32_t)> g_systemColorResolver;
char g_localeDecimalSeparator = '.';

// Classic default values of the system colours, by index (RGB hex as written).
constexpr std::array<uint32_t, 31> kDefaultSystemColors = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

int32_t ToRgb(int32_t color) {
  if (color >= 0) return color;
  if (g_systemColorResolver) return g_systemColorResolver(color);
  const uint32_t index = static_cast<uint32_t>(color) & 0xFFu;
  if (index >= kDefaultSystemColors.size()) return 0;
  const uint32_t rgb = kDefaultSystemColors[index];
  return static_cast<int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

bool IsSeparator(char c) { return c == ' ' || c == '\t'; }

// The shared tokeniser: hands every token with its counter to step.
template <typename Step>
void Tokenise(const std::string& line, Step step) {
  const size_t L = line.size();
  if (L == 0) return;
  int32_t counter = -1;
  size_t p = 1;  // 1-based position
  while (p <= L) {
    while (p <= L && IsSeparator(line[p - 1])) ++p;
    const size_t start = p;
    while (p <= L && !IsSeparator(line[p - 1])) ++p;
    ++counter;
    step(line.substr(start - 1, p - start), counter);
    if (p >= L) break;
  }
}

std::string FirstCommaToPoint(std::string text) {
  const size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
  return text;
}

}  // namespace

void SetSystemColorResolver(std::function<int32_t(int32_t)> resolver) {
  g_systemColorResolver = std::move(resolver);
}

void SetLocaleDecimalSeparator(char separator) { g_localeDecimalSeparator = separator; }

char GetLocaleDecimalSeparator() { return g_localeDecimalSeparator; }

namespace detail {

bool ReadDecimal(const std::string& text, double& value) {
  size_t p = 0;
  const size_t L = text.size();
  while (p < L && text[p] == ' ') ++p;
  bool negative = false;
  if (p < L && (text[p] == '+' || text[p] == '-')) {
    negative = text[p] == '-';
    ++p;
  }
  std::string intDigits, fracDigits;
  while (p < L && text[p] >= '0' && text[p] <= '9') intDigits += text[p++];
  bool point = false;
  if (p < L && text[p] == '.') {
    point = true;
    ++p;
    while (p < L && text[p] >= '0' && text[p] <= '9') fracDigits += text[p++];
  }
  if (intDigits.empty() && fracDigits.empty() && !point) return false;
  std::string expDigits;
  bool expNegative = false;
  if (p < L && (text[p] == 'e' || text[p] == 'E')) {
    ++p;
    if (p < L && (text[p] == '+' || text[p] == '-')) {
      expNegative = text[p] == '-';
      ++p;
    }
    while (p < L && text[p] >= '0' && text[p] <= '9') expDigits += text[p++];
    if (expDigits.empty()) return false;
  }
  if (p != L) return false;

  std::string canonical = (intDigits.empty() ? "0" : intDigits) + "." +
                          (fracDigits.empty() ? "0" : fracDigits);
  if (!expDigits.empty()) canonical += (expNegative ? "e-" : "e") + expDigits;
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), v,
                                         std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too small to represent reads as zero; too large does not convert.
    const bool tiny = expNegative && !expDigits.empty();
    if (!tiny) return false;
    v = 0.0;
  } else if (ec != std::errc() || ptr != canonical.data() + canonical.size()) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}

// Shortest decimal digits that read back as |x| (no leading zeros) and the decimal
// exponent of the first digit; rounding starts from these, so that a value typed as
// 0.125 rounds like the text the user sees.
void ShortestDigits(double x, std::string& digits, int& exponent) {
  std::array<char, 64> buf{};
  const auto [ptr, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(x),
                                       std::chars_format::scientific);
  digits.clear();
  exponent = 0;
  if (ec != std::errc()) return;
  const std::string sci(buf.data(), ptr);
  const size_t ePos = sci.find('e');
  for (size_t i = 0; i < ePos; ++i)
    if (sci[i] != '.') digits += sci[i];
  exponent = std::atoi(sci.c_str() + ePos + 1);
}

// Keeps the first `count` digits, rounding half up; a carry adds a leading digit and
// raises the exponent.
void RoundDigits(std::string& digits, int& exponent, size_t count) {
  if (digits.size() <= count) return;
  const bool up = digits[count] >= '5';
  digits.resize(count);
  if (!up) return;
  size_t i = count;
  while (i > 0) {
    --i;
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  digits.pop_back();
  ++exponent;
}

std::string FixedText(double x, int32_t decimals) {
  if (!std::isfinite(x)) return "*";
  decimals = std::clamp(decimals, 0, 400);
  std::string integer;  // round(|x| * 10^decimals) as decimal digits
  if (x != 0.0) {
    std::string digits;
    int exponent = 0;
    ShortestDigits(x, digits, exponent);
    const long k = static_cast<long>(exponent) + 1 + decimals;  // digits before the cut
    if (k < 0) {
      integer = "0";
    } else if (k == 0) {
      integer = digits[0] >= '5' ? "1" : "0";
    } else {
      RoundDigits(digits, exponent, static_cast<size_t>(k));
      const long kept = static_cast<long>(exponent) + 1 + decimals;
      integer = digits;
      if (static_cast<long>(integer.size()) < kept)
        integer.append(static_cast<size_t>(kept - static_cast<long>(integer.size())), '0');
    }
  } else {
    integer = "0";
  }
  if (integer.size() < static_cast<size_t>(decimals) + 1)
    integer.insert(0, static_cast<size_t>(decimals) + 1 - integer.size(), '0');
  std::string text = integer;
  if (decimals > 0) text.insert(text.size() - static_cast<size_t>(decimals), 1, '.');
  const bool allZero = integer.find_first_not_of('0') == std::string::npos;
  if (x < 0.0 && !allZero) text.insert(0, 1, '-');
  return text;
}

}  // namespace detail

// ---------------------------------------------------------------------------------
// Number text

double StrToFloatChecked(const std::string& text, bool inclusive, double lower, double upper) {
  double value = 0.0;
  if (!detail::ReadDecimal(FirstCommaToPoint(text), value)) return NoValue;
  if (lower == upper) return value;
  if (lower != 0.0) {
    const bool ok = inclusive ? value >= lower : value > lower;
    if (!ok) return NoValue;
  }
  if (upper != 0.0) {
    const bool ok = inclusive ? value <= upper : value < upper;
    if (!ok) return NoValue;
  }
  return value;
}

std::string FloatToStrDec(int32_t N, uint8_t mode, std::string& text, double x) {
  if (x == NoValue || !std::isfinite(x)) {
    text.assign(1, '*');
    return text;
  }
  if (x == std::nearbyint(x)) {
    // Whole numbers (also those beyond the 64-bit integer range) without a point.
    if (std::fabs(x) < 9223372036854775808.0)
      text = std::to_string(static_cast<int64_t>(x));
    else
      text = detail::FixedText(x, 0);
    return text;
  }
  int32_t d = N;
  if (mode == 1) {
    const double lg = std::log10(std::fabs(x));
    if (lg >= 0.0)
      d = N + 1;
    else
      d = N + static_cast<int32_t>(std::ceil(std::fabs(lg)));
  }
  text = detail::FixedText(x, d);
  return text;
}

std::string FloatToStrDec(int32_t N, uint8_t mode, double x) {
  std::string text;
  return FloatToStrDec(N, mode, text, x);
}

std::string FloatToStrGeneral(int32_t N, std::string& text, double x) {
  if (x == NoValue || !std::isfinite(x)) {
    text.assign(1, '*');
    return text;
  }
  if (x == 0.0) {
    text.assign(1, '0');
    return text;
  }
  const int32_t digits = std::clamp(N, 1, 17);
  std::string mantissa;  // significant digits without the point
  int exponent = 0;
  detail::ShortestDigits(x, mantissa, exponent);
  detail::RoundDigits(mantissa, exponent, static_cast<size_t>(digits));
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string body;
  if (exponent < -5 || exponent >= digits) {
    body = mantissa.substr(0, 1);
    if (mantissa.size() > 1) body += g_localeDecimalSeparator + mantissa.substr(1);
    body += "E" + std::to_string(exponent);
  } else if (exponent < 0) {
    body = "0";
    body += g_localeDecimalSeparator;
    body += std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
  } else {
    const size_t intCount = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= intCount) {
      body = mantissa + std::string(intCount - mantissa.size(), '0');
    } else {
      body = mantissa.substr(0, intCount) + g_localeDecimalSeparator + mantissa.substr(intCount);
    }
  }
  text = (x < 0.0 ? "-" : "") + body;
  return text;
}

std::string FloatToStrGeneral(int32_t N, double x) {
  std::string text;
  return FloatToStrGeneral(N, text, x);
}

std::string ArrayToStr(const arofdoubleM& values, const std::string& prefix, int32_t N,
                       uint8_t mode, std::string& text) {
  text = prefix;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += ' ';
    text += FloatToStrDec(N, mode, values[i]);
  }
  return text;
}

void ParseDoubles(const std::string& line, int32_t skip, arofdoubleM& values) {
  values.clear();
  Tokenise(line, [&](const std::string& token, int32_t counter) {
    double v = 0.0;
    if (detail::ReadDecimal(FirstCommaToPoint(token), v) && counter >= skip) values.push_back(v);
  });
}

void ParseInts(const std::string& line, int32_t skip, arofintM& values) {
  values.clear();
  Tokenise(line, [&](const std::string& token, int32_t counter) {
    double v = 0.0;
    if (!detail::ReadDecimal(FirstCommaToPoint(token), v) || counter < skip) return;
    const double r = std::nearbyint(v);
    // A value beyond the 32-bit range is treated like a token that does not convert.
    if (r < -2147483648.0 || r > 2147483647.0) return;
    values.push_back(static_cast<int32_t>(r));
  });
}

void ParseStrings(const std::string& line, int32_t skip, arofstrM& tokens) {
  tokens.clear();
  Tokenise(line, [&](const std::string& token, int32_t counter) {
    if (counter >= skip) tokens.push_back(token);
  });
}

// ---------------------------------------------------------------------------------
// Arrays and small helpers

void FillDoubleArray(arofdoubleM& values, double value) {
  std::fill(values.begin(), values.end(), value);
}

void FillDoubleArray2D(ararofdoubleM& values, double value) {
  for (auto& row : values) FillDoubleArray(row, value);
}

void FillDoubleArray3D(arararofdoubleM& values, double value) {
  for (auto& plane : values) FillDoubleArray2D(plane, value);
}

void FillIntArray(arofintM& values, int32_t value) {
  std::fill(values.begin(), values.end(), value);
}

void FillIntArray2D(ararofintM& values, int32_t value) {
  for (auto& row : values) FillIntArray(row, value);
}

void FillBoolArray(arofboolM& values, bool flag) {
  std::fill(values.begin(), values.end(), static_cast<uint8_t>(flag ? 1 : 0));
}

void CopyDoubleArray(const arofdoubleM& source, arofdoubleM& copy) { copy = source; }
void CopyDoubleArray2D(const ararofdoubleM& source, ararofdoubleM& copy) { copy = source; }
void CopyIntArray(const arofintM& source, arofintM& copy) { copy = source; }
void CopyBoolArray(const arofboolM& source, arofboolM& copy) { copy = source; }
void CopyComplexArray(const arofcomplexM& source, arofcomplexM& copy) { copy = source; }

namespace {
template <typename T>
void DeleteAt(const std::vector<T>& source, int32_t k, std::vector<T>& copy) {
  std::vector<T> result(source);
  if (!result.empty() && k >= 0) {
    const size_t index = std::min(static_cast<size_t>(k), result.size() - 1);
    result.erase(result.begin() + static_cast<std::ptrdiff_t>(index));
  }
  copy = std::move(result);
}
}  // namespace

void DeleteDoubleAt(const arofdoubleM& source, int32_t k, arofdoubleM& copy) {
  DeleteAt(source, k, copy);
}

void DeleteBoolAt(const arofboolM& source, int32_t k, arofboolM& copy) {
  DeleteAt(source, k, copy);
}

void SwapDouble(double& a, double& b) { std::swap(a, b); }
void SwapInt(int32_t& a, int32_t& b) { std::swap(a, b); }
void SwapComplex(complexM& a, complexM& b) { std::swap(a, b); }

complexM MakeComplex(double x, double z) { return complexM{x, z}; }

void ExpArray(const arofdoubleM& values, arofdoubleM& results) {
  arofdoubleM out(values.size());
  for (size_t i = 0; i < values.size(); ++i) out[i] = std::exp(values[i]);
  results = std::move(out);
}

double LinearInterpolate(double x, double x0, double x1, double y0, double y1) {
  if (x1 == x0) return y0;
  return y0 + (x - x0) / (x1 - x0) * (y1 - y0);
}

int32_t CountValues(const arofdoubleM& values) {
  return static_cast<int32_t>(
      std::count_if(values.begin(), values.end(), [](double v) { return v != NoValue; }));
}

double RobustMeanPlain(const arofdoubleM& values) {
  if (CountValues(values) == 0) return NoValue;
  arofboolM inUse(values.size(), 1);
  for (;;) {
    double sum = 0.0;
    int32_t count = 0;
    for (size_t i = 0; i < values.size(); ++i) {
      if (inUse[i] && values[i] != NoValue) {
        sum += values[i];
        ++count;
      }
    }
    const double mean = sum / count;
    if (count <= 1) return mean;
    double largest = 0.0;
    std::ptrdiff_t rejected = -1;
    for (size_t i = 0; i < values.size(); ++i) {
      if (!inUse[i] || values[i] == NoValue) continue;
      const double deviation = std::fabs(values[i] - mean);
      if (deviation > largest) {
        largest = deviation;
        rejected = static_cast<std::ptrdiff_t>(i);
      }
    }
    if (rejected >= 0) inUse[static_cast<size_t>(rejected)] = 0;
    if (rejected <= 1) return mean;
  }
}

double RobustMean(const arofdoubleM& values) {
  // The value farthest from the mean is always the smallest or the largest one
  // left: the values are sorted once, grouped by value with their positions in
  // increasing order, and taken from the two ends.
  std::vector<std::pair<double, size_t>> sorted;
  sorted.reserve(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == NoValue) continue;
    if (!std::isfinite(values[i])) return RobustMeanPlain(values);
    sorted.emplace_back(values[i], i);
  }
  if (sorted.empty()) return NoValue;
  std::sort(sorted.begin(), sorted.end());
  // Runs of equal values: [start, end) in `sorted`, consumed from start (the first
  // position wins a tie).
  std::vector<std::pair<size_t, size_t>> runs;
  for (size_t i = 0; i < sorted.size();) {
    size_t j = i;
    while (j < sorted.size() && sorted[j].first == sorted[i].first) ++j;
    runs.emplace_back(i, j);
    i = j;
  }
  double sum = 0.0;
  for (size_t i = 0; i < values.size(); ++i)
    if (values[i] != NoValue) sum += values[i];
  size_t count = sorted.size();
  size_t low = 0, high = runs.size() - 1;
  for (;;) {
    const double mean = sum / static_cast<double>(count);
    if (count <= 1) return mean;
    const auto& [lowValue, lowPosition] = sorted[runs[low].first];
    const auto& [highValue, highPosition] = sorted[runs[high].first];
    const double lowDeviation = std::fabs(lowValue - mean), highDeviation = std::fabs(highValue - mean);
    const double largest = std::max(lowDeviation, highDeviation);
    if (!(largest > 0.0)) return mean;
    bool takeLow = lowDeviation > highDeviation || (lowDeviation == highDeviation && lowPosition < highPosition);
    if (low == high) takeLow = true;
    const size_t run = takeLow ? low : high;
    const size_t rejected = sorted[runs[run].first].second;
    sum -= sorted[runs[run].first].first;
    --count;
    if (++runs[run].first == runs[run].second) {
      if (takeLow)
        ++low;
      else
        --high;
    }
    if (rejected <= 1) return mean;
  }
}

void ColorRamp(int32_t n, const arofintM& stops, arofintM& colors) {
  const size_t count = n >= 0 ? static_cast<size_t>(n) + 1 : 0;
  colors.assign(count, 0);
  if (count == 0 || stops.empty()) return;
  const int32_t m = static_cast<int32_t>(stops.size()) - 1;
  if (n <= m) {
    std::copy(stops.begin(), stops.begin() + static_cast<std::ptrdiff_t>(count), colors.begin());
    return;
  }
  if (m == 0) {
    // One stop: every colour is that stop.
    std::fill(colors.begin(), colors.end(), stops[0]);
    return;
  }
  for (int32_t i = 0; i < m; ++i) {
    const int32_t c1 = ToRgb(stops[static_cast<size_t>(i)]);
    const int32_t c2 = ToRgb(stops[static_cast<size_t>(i) + 1]);
    const int64_t t = static_cast<int64_t>(n) * i / m;
    const int64_t g = static_cast<int64_t>(n) * (i + 1) / m;
    for (int64_t j = t; j <= g; ++j) {
      int32_t rgb = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const double a = (c1 >> shift) & 0xFF;
        const double b = (c2 >> shift) & 0xFF;
        const double component =
            std::nearbyint(a + static_cast<double>(j - t) * (b - a) / static_cast<double>(g - t));
        rgb |= static_cast<int32_t>(component) << shift;
      }
      colors[static_cast<size_t>(j)] = rgb;
    }
  }
}

// ---------------------------------------------------------------------------------
// Extremes by class

namespace {

bool Qualifies(double v, int32_t mode) {
  if (v == NoValue) return false;
  if (mode == 1) return v > 0.0;
  if (mode == 2) return v < 0.0;
  return !std::isnan(v);
}

template <typename Better>
double Extreme(const arofdoubleM& values, int32_t mode, double none, Better better) {
  if (mode < 0 || mode > 2) return 0.0;
  bool found = false;
  double candidate = none;
  for (double v : values) {
    if (!Qualifies(v, mode)) continue;
    if (!found || better(v, candidate)) {
      candidate = v;
      found = true;
    }
  }
  return candidate;
}

}  // namespace

double MaxOfArray(const arofdoubleM& values, int32_t mode) {
  if (mode == 2) return Extreme(values, mode, 1e20, [](double v, double c) { return v < c; });
  return Extreme(values, mode, -1e20, [](double v, double c) { return v > c; });
}

double MinOfArray(const arofdoubleM& values, int32_t mode) {
  if (mode == 1) return Extreme(values, mode, -1e20, [](double v, double c) { return v < c; });
  if (mode == 2) return Extreme(values, mode, 1e20, [](double v, double c) { return v > c; });
  return Extreme(values, mode, 1e20, [](double v, double c) { return v < c; });
}

// ---------------------------------------------------------------------------------
// Singular value decomposition

double TransferSign(double a, double b) { return b >= 0.0 ? std::fabs(a) : -std::fabs(a); }

double MaxReal(double a, double b) { return a > b ? a : b; }

namespace {
double Hypot(double a, double b) { return std::sqrt(a * a + b * b); }

// Golub-Reinsch on a rectangular matrix with rows >= cols.
void Decompose(ararofdoubleM& a, size_t m, size_t n, arofdoubleM& w, ararofdoubleM& v) {
  arofdoubleM rv1(n, 0.0);
  double g = 0.0, scale = 0.0, anorm = 0.0;
  size_t l = 0;
  // Householder reduction to bidiagonal form.
  for (size_t i = 0; i < n; ++i) {
    l = i + 1;
    rv1[i] = scale * g;
    g = scale = 0.0;
    double s = 0.0;
    if (i < m) {
      for (size_t k = i; k < m; ++k) scale += std::fabs(a[k][i]);
      if (scale != 0.0) {
        for (size_t k = i; k < m; ++k) {
          a[k][i] /= scale;
          s += a[k][i] * a[k][i];
        }
        double f = a[i][i];
        g = -TransferSign(std::sqrt(s), f);
        const double h = f * g - s;
        a[i][i] = f - g;
        for (size_t j = l; j < n; ++j) {
          s = 0.0;
          for (size_t k = i; k < m; ++k) s += a[k][i] * a[k][j];
          f = s / h;
          for (size_t k = i; k < m; ++k) a[k][j] += f * a[k][i];
        }
        for (size_t k = i; k < m; ++k) a[k][i] *= scale;
      }
    }
    w[i] = scale * g;
    g = s = scale = 0.0;
    if (i < m && i + 1 != n) {
      for (size_t k = l; k < n; ++k) scale += std::fabs(a[i][k]);
      if (scale != 0.0) {
        for (size_t k = l; k < n; ++k) {
          a[i][k] /= scale;
          s += a[i][k] * a[i][k];
        }
        const double f = a[i][l];
        g = -TransferSign(std::sqrt(s), f);
        const double h = f * g - s;
        a[i][l] = f - g;
        for (size_t k = l; k < n; ++k) rv1[k] = a[i][k] / h;
        for (size_t j = l; j < m; ++j) {
          s = 0.0;
          for (size_t k = l; k < n; ++k) s += a[j][k] * a[i][k];
          for (size_t k = l; k < n; ++k) a[j][k] += s * rv1[k];
        }
        for (size_t k = l; k < n; ++k) a[i][k] *= scale;
      }
    }
    anorm = MaxReal(anorm, std::fabs(w[i]) + std::fabs(rv1[i]));
  }
  // Accumulation of the right-hand transformations.
  for (size_t ii = n; ii-- > 0;) {
    const size_t i = ii;
    if (i + 1 < n) {
      if (g != 0.0) {
        for (size_t j = l; j < n; ++j) v[j][i] = (a[i][j] / a[i][l]) / g;
        for (size_t j = l; j < n; ++j) {
          double s = 0.0;
          for (size_t k = l; k < n; ++k) s += a[i][k] * v[k][j];
          for (size_t k = l; k < n; ++k) v[k][j] += s * v[k][i];
        }
      }
      for (size_t j = l; j < n; ++j) v[i][j] = v[j][i] = 0.0;
    }
    v[i][i] = 1.0;
    g = rv1[i];
    l = i;
  }
  // Accumulation of the left-hand transformations.
  for (size_t ii = std::min(m, n); ii-- > 0;) {
    const size_t i = ii;
    l = i + 1;
    g = w[i];
    for (size_t j = l; j < n; ++j) a[i][j] = 0.0;
    if (g != 0.0) {
      g = 1.0 / g;
      for (size_t j = l; j < n; ++j) {
        double s = 0.0;
        for (size_t k = l; k < m; ++k) s += a[k][i] * a[k][j];
        const double f = (s / a[i][i]) * g;
        for (size_t k = i; k < m; ++k) a[k][j] += f * a[k][i];
      }
      for (size_t j = i; j < m; ++j) a[j][i] *= g;
    } else {
      for (size_t j = i; j < m; ++j) a[j][i] = 0.0;
    }
    a[i][i] += 1.0;
  }
  // Diagonalisation of the bidiagonal form, singular values from the last to the first.
  for (size_t kk = n; kk-- > 0;) {
    const size_t k = kk;
    for (int its = 1; its <= 150; ++its) {
      bool cancel = true;
      size_t nm = 0;
      size_t ll = k;
      for (;;) {
        // rv1[0] is always 0, so the search ends at 0 at the latest.
        if (ll == 0 || std::fabs(rv1[ll]) + anorm == anorm) {
          cancel = false;
          break;
        }
        nm = ll - 1;
        if (std::fabs(w[nm]) + anorm == anorm) break;
        --ll;
      }
      if (cancel) {
        double c = 0.0, s = 1.0;
        for (size_t i = ll; i <= k; ++i) {
          const double f = s * rv1[i];
          rv1[i] = c * rv1[i];
          if (std::fabs(f) + anorm == anorm) break;
          g = w[i];
          double h = Hypot(f, g);
          w[i] = h;
          h = 1.0 / h;
          c = g * h;
          s = -f * h;
          for (size_t j = 0; j < m; ++j) {
            const double y = a[j][nm];
            const double z = a[j][i];
            a[j][nm] = y * c + z * s;
            a[j][i] = z * c - y * s;
          }
        }
      }
      const double z = w[k];
      if (ll == k) {
        if (z < 0.0) {
          w[k] = -z;
          for (size_t j = 0; j < n; ++j) v[j][k] = -v[j][k];
        }
        break;
      }
      double x = w[ll];
      nm = k - 1;
      double y = w[nm];
      g = rv1[nm];
      double h = rv1[k];
      double f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2.0 * h * y);
      g = Hypot(f, 1.0);
      f = ((x - z) * (x + z) + h * ((y / (f + TransferSign(g, f))) - h)) / x;
      double c = 1.0, s = 1.0;
      for (size_t j = ll; j <= nm; ++j) {
        const size_t i = j + 1;
        g = rv1[i];
        y = w[i];
        h = s * g;
        g = c * g;
        double zz = Hypot(f, h);
        rv1[j] = zz;
        c = f / zz;
        s = h / zz;
        f = x * c + g * s;
        g = g * c - x * s;
        h = y * s;
        y *= c;
        for (size_t jj = 0; jj < n; ++jj) {
          const double xv = v[jj][j];
          const double zv = v[jj][i];
          v[jj][j] = xv * c + zv * s;
          v[jj][i] = zv * c - xv * s;
        }
        zz = Hypot(f, h);
        w[j] = zz;
        if (zz != 0.0) {
          zz = 1.0 / zz;
          c = f * zz;
          s = h * zz;
        }
        f = c * g + s * y;
        x = c * y - s * g;
        for (size_t jj = 0; jj < m; ++jj) {
          const double ya = a[jj][j];
          const double za = a[jj][i];
          a[jj][j] = ya * c + za * s;
          a[jj][i] = za * c - ya * s;
        }
      }
      rv1[ll] = 0.0;
      rv1[k] = f;
      w[k] = x;
    }
  }
}
}  // namespace

void SVDecomp(ararofdoubleM& a, arofdoubleM& w, ararofdoubleM& v) {
  const size_t m = a.size();
  size_t n = 0;
  for (const auto& row : a) n = std::max(n, row.size());
  w.assign(n, 0.0);
  v.assign(n, arofdoubleM(n, 0.0));
  if (m == 0 || n == 0) return;
  for (auto& row : a) row.resize(n, 0.0);
  // Fewer rows than columns: decompose with zero rows added, then drop them from U.
  const size_t rows = std::max(m, n);
  a.resize(rows, arofdoubleM(n, 0.0));
  Decompose(a, rows, n, w, v);
  a.resize(m);
}

void SVBackSub(const ararofdoubleM& u, const arofdoubleM& w, const ararofdoubleM& v,
               arofdoubleM& x, const arofdoubleM& b) {
  const size_t n = w.size();
  arofdoubleM t(n, 0.0);
  for (size_t j = 0; j < n; ++j) {
    if (w[j] == 0.0) continue;
    double s = 0.0;
    for (size_t i = 0; i < u.size() && i < b.size(); ++i)
      if (j < u[i].size()) s += u[i][j] * b[i];
    t[j] = s / w[j];
  }
  arofdoubleM result(v.size(), 0.0);
  for (size_t i = 0; i < v.size(); ++i) {
    double s = 0.0;
    for (size_t j = 0; j < n && j < v[i].size(); ++j) s += v[i][j] * t[j];
    result[i] = s;
  }
  x = std::move(result);
}

void SVDSolve(const ararofdoubleM& a, const arofdoubleM& b, arofdoubleM& x) {
  ararofdoubleM u = a;
  arofdoubleM w;
  ararofdoubleM v;
  SVDecomp(u, w, v);
  double wMax = 0.0;
  for (double s : w)
    if (s > wMax) wMax = s;
  const double threshold = 1e-8 * wMax;
  for (double& s : w)
    if (s < threshold) s = 0.0;
  SVBackSub(u, w, v, x, b);
}

// ---------------------------------------------------------------------------------
// Cubic spline

namespace {
size_t g_splineInterval = 1;  // interval of the last SplineValue call, counted from 1
}

void ResetSplineState() { g_splineInterval = 1; }

void SplineCoeffs(const arofdoubleM& xs, const arofdoubleM& ys, arofdoubleM& bs, arofdoubleM& cs,
                  arofdoubleM& ds) {
  const size_t n = std::min(xs.size(), ys.size());
  bs.assign(n, 0.0);
  cs.assign(n, 0.0);
  ds.assign(n, 0.0);
  if (n < 2) return;
  // 1-based views of the arrays.
  auto x = [&](size_t i) { return xs[i - 1]; };
  auto y = [&](size_t i) { return ys[i - 1]; };
  auto b = [&](size_t i) -> double& { return bs[i - 1]; };
  auto c = [&](size_t i) -> double& { return cs[i - 1]; };
  auto d = [&](size_t i) -> double& { return ds[i - 1]; };
  if (n == 2) {
    b(1) = (y(2) - y(1)) / (x(2) - x(1));
    b(2) = b(1);
    return;
  }
  const size_t nm1 = n - 1;
  d(1) = x(2) - x(1);
  c(2) = (y(2) - y(1)) / d(1);
  for (size_t i = 2; i <= nm1; ++i) {
    d(i) = x(i + 1) - x(i);
    b(i) = 2.0 * (d(i - 1) + d(i));
    c(i + 1) = (y(i + 1) - y(i)) / d(i);
    c(i) = c(i + 1) - c(i);
  }
  b(1) = -d(1);
  b(n) = -d(nm1);
  c(1) = 0.0;
  c(n) = 0.0;
  if (n > 3) {
    c(1) = c(3) / (x(4) - x(2)) - c(2) / (x(3) - x(1));
    c(n) = c(nm1) / (x(n) - x(n - 2)) - c(n - 2) / (x(nm1) - x(n - 3));
    c(1) = c(1) * d(1) * d(1) / (x(4) - x(1));
    c(n) = -c(n) * d(nm1) * d(nm1) / (x(n) - x(n - 3));
  }
  for (size_t i = 2; i <= n; ++i) {
    const double t = d(i - 1) / b(i - 1);
    b(i) = b(i) - t * d(i - 1);
    c(i) = c(i) - t * c(i - 1);
  }
  c(n) = c(n) / b(n);
  for (size_t i = nm1; i >= 1; --i) c(i) = (c(i) - d(i) * c(i + 1)) / b(i);
  b(n) = (y(n) - y(nm1)) / d(nm1) + d(nm1) * (c(nm1) + 2.0 * c(n));
  for (size_t i = 1; i <= nm1; ++i) {
    b(i) = (y(i + 1) - y(i)) / d(i) - d(i) * (c(i + 1) + 2.0 * c(i));
    d(i) = (c(i + 1) - c(i)) / d(i);
    c(i) = 3.0 * c(i);
  }
  c(n) = 3.0 * c(n);
  d(n) = d(nm1);
}

double SplineValue(const arofdoubleM& xs, const arofdoubleM& ys, const arofdoubleM& bs,
                   const arofdoubleM& cs, const arofdoubleM& ds, double u) {
  const size_t n = std::min({xs.size(), ys.size(), bs.size(), cs.size(), ds.size()});
  if (n == 0) return 0.0;
  if (n == 1) return ys[0];
  auto x = [&](size_t i) { return xs[i - 1]; };
  size_t i = g_splineInterval;
  if (i >= n) i = 1;
  if (u < x(i) || u > x(i + 1)) {
    i = 1;
    size_t j = n + 1;
    do {
      const size_t k = (i + j) / 2;
      const bool below = u < x(k);
      const bool atOrAbove = u >= x(k);
      if (below) j = k;
      if (atOrAbove) i = k;
      if (!below && !atOrAbove) break;  // unordered (NaN) abscissa: stop searching
    } while (j > i + 1);
  }
  g_splineInterval = i;
  const double h = u - x(i);
  return ys[i - 1] + h * (bs[i - 1] + h * (cs[i - 1] + h * ds[i - 1]));
}

double SplineAt(const arofdoubleM& x, const arofdoubleM& y, double u) {
  arofdoubleM b, c, d;
  SplineCoeffs(x, y, b, c, d);
  return SplineValue(x, y, b, c, d, u);
}

// ---------------------------------------------------------------------------------
// Table interpolation

namespace {
template <typename XAt, typename YAt>
double InterpolateFrom(size_t& i, size_t n, XAt xAt, YAt yAt, double x) {
  while (i < n && !(x <= xAt(i))) ++i;
  if (i == 0) return yAt(0);
  if (i >= n) return yAt(n - 1);
  return LinearInterpolate(x, xAt(i - 1), xAt(i), yAt(i - 1), yAt(i));
}
}  // namespace

double InterpolateTable(const arofdoubleM& xs, const arofdoubleM& ys, double x) {
  const size_t n = std::min(xs.size(), ys.size());
  if (n == 0) return 0.0;
  size_t i = 0;
  return InterpolateFrom(
      i, n, [&](size_t k) { return xs[k]; }, [&](size_t k) { return ys[k]; }, x);
}

void ResampleLinear(const arofdoubleM& xn, const arofdoubleM& xs, const arofdoubleM& ys,
                    arofdoubleM& values) {
  const size_t n = std::min(xs.size(), ys.size());
  arofdoubleM out(xn.size(), 0.0);
  size_t i = 0;
  for (size_t k = 0; k < xn.size() && n > 0; ++k)
    out[k] = InterpolateFrom(
        i, n, [&](size_t j) { return xs[j]; }, [&](size_t j) { return ys[j]; }, xn[k]);
  values = std::move(out);
}

double InterpolateComplex(const arofcomplexM& polyline, double x) {
  if (polyline.empty()) return 0.0;
  size_t i = 0;
  return InterpolateFrom(
      i, polyline.size(), [&](size_t k) { return polyline[k].x; },
      [&](size_t k) { return polyline[k].z; }, x);
}

// ---------------------------------------------------------------------------------
// Modified Bessel functions (Abramowitz and Stegun 9.8.1 to 9.8.8)

namespace {
template <size_t N>
double Poly(const std::array<double, N>& coeffs, double t) {
  double r = 0.0;
  for (size_t k = N; k-- > 0;) r = r * t + coeffs[k];
  return r;
}
}  // namespace

double BesselI0(double x) {
  const double ax = std::fabs(x);
  if (ax < 3.75) {
    const double t = (x / 3.75) * (x / 3.75);
    return Poly(std::array<double, 7>{1.0, 3.5156229, 3.0899424, 1.2067492, 0.2659732, 0.0360768,
                                      0.0045813},
                t);
  }
  const double t = 3.75 / ax;
  return std::exp(ax) / std::sqrt(ax) *
         Poly(std::array<double, 9>{0.39894228, 0.01328592, 0.00225319, -0.00157565, 0.00916281,
                                    -0.02057706, 0.02635537, -0.01647633, 0.00392377},
              t);
}

double BesselI1(double x) {
  const double ax = std::fabs(x);
  if (ax < 3.75) {
    const double t = (x / 3.75) * (x / 3.75);
    return x * Poly(std::array<double, 7>{0.5, 0.87890594, 0.51498869, 0.15084934, 0.02658733,
                                          0.00301532, 0.00032411},
                    t);
  }
  const double t = 3.75 / ax;
  const double r =
      std::exp(ax) / std::sqrt(ax) *
      Poly(std::array<double, 9>{0.39894228, -0.03988024, -0.00362018, 0.00163801, -0.01031555,
                                 0.02282967, -0.02895312, 0.01787654, -0.00420059},
           t);
  return x < 0.0 ? -r : r;
}

double BesselK0(double x) {
  if (x <= 2.0) {
    const double t = x * x / 4.0;
    return -std::log(x / 2.0) * BesselI0(x) +
           Poly(std::array<double, 7>{-0.57721566, 0.42278420, 0.23069756, 0.03488590, 0.00262698,
                                      0.00010750, 0.00000740},
                t);
  }
  const double t = 2.0 / x;
  return std::exp(-x) / std::sqrt(x) *
         Poly(std::array<double, 7>{1.25331414, -0.07832358, 0.02189568, -0.01062446, 0.00587872,
                                    -0.00251540, 0.00053208},
              t);
}

double BesselK1(double x) {
  if (x <= 2.0) {
    const double t = x * x / 4.0;
    return std::log(x / 2.0) * BesselI1(x) +
           (1.0 / x) * Poly(std::array<double, 7>{1.0, 0.15443144, -0.67278579, -0.18156897,
                                                  -0.01919402, -0.00110404, -0.00004686},
                            t);
  }
  const double t = 2.0 / x;
  return std::exp(-x) / std::sqrt(x) *
         Poly(std::array<double, 7>{1.25331414, 0.23498619, -0.03655620, 0.01504268, -0.00780353,
                                    0.00325614, -0.00068245},
              t);
}

// ---------------------------------------------------------------------------------
// Signed logarithm

double SignedLog(double x, double a) {
  const double sign = x >= 0.0 ? 1.0 : -1.0;
  return sign * std::log10(std::fabs(x) / a + 1.0);
}

double SignedLogInverse(double t, double a) {
  const double sign = t >= 0.0 ? 1.0 : -1.0;
  return sign * (std::pow(10.0, std::fabs(t)) - 1.0) * a;
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  return FileStore::ReadFile(fileName, bytes);
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

arofstrM SplitLines(const std::string& text) {
  const std::vector<std::string_view> views = SplitLineViews(text);
  return arofstrM(views.begin(), views.end());
}

}  // namespace Supermath2d
