// Real numbers to text and back, independent of the C locale.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/SysUtils_Internal.h"

namespace SysUtils {
namespace Detail {

TDecimal Decompose(double value) {
  TDecimal d;
  if (std::isnan(value)) {
    d.Special = TDecimal::kNaN;
    return d;
  }
  d.Negative = std::signbit(value);
  if (std::isinf(value)) {
    d.Special = TDecimal::kInf;
    return d;
  }
  if (value == 0.0) return d;
  // The shortest text that reads back as the same double: the digits a
  // person sees, so that rounding 1.005 to two decimals gives 1.01.
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
  const char* p = buf;
  const char* e = std::find(buf, r.ptr, 'e');
  for (; p < e; ++p)
    if (*p != '.') d.Digits += *p;
  int exp10 = 0;
  const char* q = e + 1;
  if (*q == '+') ++q;
  std::from_chars(q, r.ptr, exp10);
  d.Exponent = exp10 + 1;
  while (d.Digits.size() > 1 && d.Digits.back() == '0') d.Digits.pop_back();
  return d;
}

void RoundToDigits(TDecimal& d, int count) {
  if (d.Special || d.IsZero()) return;
  if (count < 0) {
    d.Digits.clear();
    return;
  }
  if (int(d.Digits.size()) <= count) return;
  const bool up = d.Digits[size_t(count)] >= '5';  // half away from zero
  d.Digits.resize(size_t(count));
  if (up) {
    int i = count - 1;
    while (i >= 0 && d.Digits[size_t(i)] == '9') d.Digits[size_t(i--)] = '0';
    if (i >= 0) {
      ++d.Digits[size_t(i)];
    } else {
      d.Digits.insert(d.Digits.begin(), '1');
      ++d.Exponent;
    }
  }
  while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
}

void RoundToDecimals(TDecimal& d, int decimals) { RoundToDigits(d, d.Exponent + decimals); }

std::string IntegerDigits(const TDecimal& d) {
  if (d.IsZero() || d.Exponent <= 0) return {};
  std::string s = d.Digits.substr(0, size_t(std::min<int>(d.Exponent, int(d.Digits.size()))));
  s.append(size_t(d.Exponent - int(s.size())), '0');
  return s;
}

std::string FractionDigits(const TDecimal& d, int count) {
  std::string s;
  for (int i = 0; i < count; ++i) {
    int idx = d.Exponent + i;  // digit index of the (i+1)-th decimal
    s += (!d.IsZero() && idx >= 0 && idx < int(d.Digits.size())) ? d.Digits[size_t(idx)] : '0';
  }
  return s;
}

std::string ExponentText(int exponent, bool alwaysSign, int minDigits) {
  std::string digits = std::to_string(std::abs(exponent));
  if (int(digits.size()) < minDigits) digits.insert(0, size_t(minDigits) - digits.size(), '0');
  if (exponent < 0) return "-" + digits;
  return (alwaysSign ? "+" : "") + digits;
}

std::string GroupThousands(const std::string& intDigits, char separator) {
  std::string r;
  const size_t n = intDigits.size();
  for (size_t i = 0; i < n; ++i) {
    r += intDigits[i];
    size_t left = n - i - 1;
    if (left > 0 && left % 3 == 0 && separator) r += separator;
  }
  return r;
}

std::string SpecialText(const TDecimal& d) {
  if (d.Special == TDecimal::kNaN) return "NAN";
  return d.Negative ? "-INF" : "INF";
}

}  // namespace Detail

using namespace Detail;

namespace {

std::string Scientific(TDecimal d, int precision, bool padDigits, bool alwaysSign, int expDigits, char decimalSep) {
  RoundToDigits(d, precision);
  std::string digits = d.IsZero() ? std::string("0") : d.Digits;
  if (padDigits && int(digits.size()) < precision) digits.append(size_t(precision) - digits.size(), '0');
  std::string r = d.Negative && !d.IsZero() ? "-" : "";
  r += digits[0];
  if (digits.size() > 1) {
    r += decimalSep;
    r += digits.substr(1);
  }
  return r + "E" + ExponentText(d.IsZero() ? 0 : d.Exponent - 1, alwaysSign, expDigits);
}

std::string Fixed(TDecimal d, int decimals, bool thousands, const TFormatSettings& fs) {
  RoundToDecimals(d, decimals);
  std::string intPart = IntegerDigits(d);
  if (intPart.empty()) intPart = "0";
  std::string r = d.Negative && !d.IsZero() ? "-" : "";
  r += thousands ? GroupThousands(intPart, fs.ThousandSeparator) : intPart;
  if (decimals > 0) {
    r += fs.DecimalSeparator;
    r += FractionDigits(d, decimals);
  }
  return r;
}

std::string General(TDecimal d, int precision, int expDigits, char decimalSep) {
  RoundToDigits(d, precision);
  if (d.IsZero()) return "0";
  if (d.Exponent > precision || d.Exponent < -4) return Scientific(d, precision, false, false, expDigits, decimalSep);
  std::string r = d.Negative ? "-" : "";
  std::string intPart = IntegerDigits(d);
  r += intPart.empty() ? "0" : intPart;
  const int decimals = int(d.Digits.size()) - d.Exponent;
  if (decimals > 0) {
    r += decimalSep;
    r += FractionDigits(d, decimals);
  }
  return r;
}

}  // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs) {
  TDecimal d = Decompose(value);
  if (d.Special) return SpecialText(d);
  precision = std::clamp(precision, 1, 17);
  switch (format) {
    case TFloatFormat::ffExponent:
      return Scientific(d, precision, true, true, std::clamp(digits, 0, 4), fs.DecimalSeparator);
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffNumber: {
      digits = std::clamp(digits, 0, 18);
      if (!d.IsZero() && d.Exponent > precision) return General(d, precision, 0, fs.DecimalSeparator);
      RoundToDigits(d, precision);
      return Fixed(d, digits, format == TFloatFormat::ffNumber, fs);
    }
    case TFloatFormat::ffGeneral:
    default:
      return General(d, precision, 0, fs.DecimalSeparator);
  }
}

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
  return FloatToStrF(value, format, precision, digits, FormatSettings);
}

std::string FloatToStr(double value, const TFormatSettings& fs) {
  return FloatToStrF(value, TFloatFormat::ffGeneral, 15, 0, fs);
}

std::string RoundTripText(double value) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, r.ptr);
}

namespace {

std::string ScientificText(double value, int decimals) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, decimals);
  const std::string digits(buf, r.ptr);  // d.ddd e±xx
  const size_t e = digits.find('e');
  int exponent = 0;
  std::from_chars(digits.data() + e + (digits[e + 1] == '+' ? 2 : 1), digits.data() + digits.size(), exponent);
  const std::string expDigits = std::to_string(std::abs(exponent));
  return std::string(std::signbit(value) ? "-" : " ") + digits.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") +
         std::string(expDigits.size() < 4 ? 4 - expDigits.size() : 0, '0') + expDigits;
}

}  // namespace

std::string FixedRealText(double value, bool roundTrip) {
  std::string body;
  if (std::isnan(value)) {
    body = "Nan";
  } else if (std::isinf(value)) {
    body = value > 0 ? "+Inf" : "-Inf";
  } else {
    body = ScientificText(value, 14);
    if (roundTrip) {
      double back = 0.0;
      const size_t start = body.find_first_not_of(" -");
      std::from_chars(body.data() + start, body.data() + body.size(), back);
      if ((std::signbit(value) ? -back : back) != value) body = ScientificText(value, 16);
    }
  }
  return body.size() < 23 ? std::string(23 - body.size(), ' ') + body : body;
}

std::string FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

// ---------------------------------------------------------------- FormatFloat
namespace {

// One section of a FormatFloat format, analysed.
struct TSection {
  std::string_view Text;
  int IntPlaceholders = 0;   // "0" and "#" before the decimal point
  int IntZeros = 0;          // placeholders from the first "0" up to the point
  int DecZeros = 0;          // "0" after the point
  int DecTotal = 0;          // "0" and "#" after the point
  bool Thousands = false;
  bool Scientific = false;
  bool ExpAlwaysSign = false;
  char ExpChar = 'E';
  int ExpDigits = 0;
};

std::vector<std::string_view> SplitSections(std::string_view fmt) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  char quote = 0;
  for (size_t i = 0; i < fmt.size(); ++i) {
    char c = fmt[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(fmt.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(fmt.substr(start));
  return sections;
}

bool IsExponentAt(std::string_view s, size_t i) {
  return (s[i] == 'E' || s[i] == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-');
}

TSection Analyse(std::string_view text) {
  TSection s;
  s.Text = text;
  bool afterPoint = false;
  bool seenIntZero = false;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '0' || c == '#') {
      if (afterPoint) {
        ++s.DecTotal;
        if (c == '0') s.DecZeros = s.DecTotal;  // "0" after "#" still forces the digits before it
      } else {
        ++s.IntPlaceholders;
        if (c == '0') seenIntZero = true;
        if (seenIntZero) ++s.IntZeros;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      if (!afterPoint) s.Thousands = true;
    } else if (IsExponentAt(text, i)) {
      s.Scientific = true;
      s.ExpChar = c;
      s.ExpAlwaysSign = text[i + 1] == '+';
      size_t j = i + 2;
      while (j < text.size() && text[j] == '0' && s.ExpDigits < 4) {
        ++s.ExpDigits;
        ++j;
      }
      break;  // placeholders after the exponent belong to it
    }
  }
  return s;
}

bool HasPlaceholders(const TSection& s) { return s.IntPlaceholders + s.DecTotal > 0; }

// Rounds the value as the section shows it; returns whether it shows as zero.
TDecimal RoundForSection(TDecimal d, const TSection& s, int& exponent) {
  exponent = 0;
  if (s.Scientific) {
    const int intDigits = std::max(s.IntPlaceholders, 1);
    RoundToDigits(d, std::min(intDigits + s.DecTotal, 17));
    if (!d.IsZero()) exponent = d.Exponent - intDigits;
    d.Exponent -= exponent;
  } else {
    RoundToDecimals(d, s.DecTotal);
  }
  return d;
}

std::string Render(const TSection& s, const TDecimal& d, int exponent, const TFormatSettings& fs) {
  std::string intDigits = IntegerDigits(d);
  if (int(intDigits.size()) < s.IntZeros) intDigits.insert(0, size_t(s.IntZeros) - intDigits.size(), '0');
  std::string frac = FractionDigits(d, s.DecTotal);
  while (int(frac.size()) > s.DecZeros && frac.back() == '0') frac.pop_back();

  std::string out;
  const std::string_view text = s.Text;
  const int L = int(intDigits.size());
  const int P = s.IntPlaceholders;
  int intSeen = 0;  // integer placeholders passed
  int decSeen = 0;
  bool afterPoint = false;
  bool afterExponent = false;  // the section's digits end with its exponent
  char quote = 0;
  auto emitIntDigit = [&](int idx) {
    out += intDigits[size_t(idx)];
    int left = L - idx - 1;
    if (s.Thousands && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        out += c;
      continue;
    }
    if (c == '"' || c == '\'') {
      quote = c;
    } else if ((c == '0' || c == '#') && afterExponent) {
    } else if ((c == '0' || c == '#') && !afterPoint) {
      if (intSeen == 0)  // digits beyond the placeholders go where the first one stands
        for (int k = 0; k < L - P; ++k) emitIntDigit(k);
      int idx = intSeen - (P - L);
      if (idx >= 0 && idx < L) emitIntDigit(idx);
      ++intSeen;
    } else if ((c == '0' || c == '#') && afterPoint) {
      if (decSeen < int(frac.size())) out += frac[size_t(decSeen)];
      ++decSeen;
    } else if (c == '.') {
      if (!afterPoint && !frac.empty()) out += fs.DecimalSeparator;
      afterPoint = true;
    } else if (c == ',') {
      // Grouping is switched on by the section; the comma itself is not shown.
    } else if (IsExponentAt(text, i)) {
      if (P == 0 && intSeen == 0 && L > 0)
        for (int k = 0; k < L; ++k) emitIntDigit(k);
      out += s.ExpChar;
      out += ExponentText(exponent, s.ExpAlwaysSign, s.ExpDigits);
      // Every placeholder after the exponent sign belongs to the exponent.
      i += 1;
      while (i + 1 < text.size() && (text[i + 1] == '0' || text[i + 1] == '#')) ++i;
      afterExponent = true;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs) {
  TDecimal d = Decompose(value);
  if (d.Special) return SpecialText(d);
  if (format.empty()) return FloatToStr(value, fs);
  std::vector<std::string_view> sections = SplitSections(format);
  TSection first = Analyse(sections[0]);
  int exponent = 0;
  TDecimal rounded = RoundForSection(d, first, exponent);

  // Section choice: the zero section when the value shows as zero in the
  // first, the negative one (without sign) for negatives, else the first.
  const TSection* section = &first;
  TSection chosen;
  bool showMinus = d.Negative && !rounded.IsZero();
  if (rounded.IsZero() && sections.size() >= 3 && !sections[2].empty()) {
    chosen = Analyse(sections[2]);
    section = &chosen;
    showMinus = false;
  } else if (d.Negative && sections.size() >= 2 && !sections[1].empty()) {
    chosen = Analyse(sections[1]);
    section = &chosen;
    showMinus = false;
  }
  if (section != &first) rounded = RoundForSection(d, *section, exponent);
  if (!HasPlaceholders(*section) && section->Text.empty()) return FloatToStr(value, fs);
  std::string text = Render(*section, rounded, exponent, fs);
  return showMinus && HasPlaceholders(*section) ? "-" + text : text;
}

std::string FormatFloat(std::string_view format, double value) { return FormatFloat(format, value, FormatSettings); }

// ---------------------------------------------------------------- StrToFloat
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  std::string_view t = s.substr(b, e - b);
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  auto sameText = [&](std::string_view a) { return SameText(t, a); };
  if (sameText("INF") || sameText("INFINITY")) {
    value = negative ? -HUGE_VAL : HUGE_VAL;
    return true;
  }
  if (sameText("NAN")) {
    value = std::nan("");
    return true;
  }
  // Rebuild the number with "." so that from_chars reads it.
  std::string norm;
  size_t i = 0;
  int mantissaDigits = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
    norm += t[i++];
    ++mantissaDigits;
  }
  if (i < t.size() && t[i] == fs.DecimalSeparator) {
    norm += '.';
    ++i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
      norm += t[i++];
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    norm += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) norm += t[i++];
    int expDigits = 0;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
      norm += t[i++];
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  if (i != t.size()) return false;
  double v = 0;
  auto r = std::from_chars(norm.data(), norm.data() + norm.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // Tell underflow (reads as 0) from overflow (not a valid real).
    const char* firstNonZero = std::find_if(norm.data(), norm.data() + norm.size(), [](char c) { return c >= '1' && c <= '9'; });
    size_t ePos = norm.find('e');
    // strtol saturates on huge exponents; bound it so the sum below cannot overflow.
    long exp = ePos == std::string::npos ? 0 : std::strtol(norm.c_str() + ePos + 1, nullptr, 10);
    exp = std::clamp(exp, -1000000000L, 1000000000L);
    size_t point = norm.find('.');
    long intDigits = long(point == std::string::npos ? std::min(ePos, norm.size()) : point);
    long magnitude = exp + intDigits - long(firstNonZero - norm.data());
    if (magnitude > 0) return false;
    v = 0;
  } else if (r.ec != std::errc() || r.ptr != norm.data() + norm.size()) {
    return false;
  }
  value = negative ? -v : v;
  return true;
}

bool TryStrToFloat(std::string_view s, double& value) { return TryStrToFloat(s, value, FormatSettings); }

double StrToFloat(std::string_view s, const TFormatSettings& fs) {
  double v = 0;
  if (!TryStrToFloat(s, v, fs)) throw EConvertError(Format("'%s' is not a valid floating point value", {std::string(s)}));
  return v;
}

double StrToFloat(std::string_view s) { return StrToFloat(s, FormatSettings); }

double StrToFloatDef(std::string_view s, double def, const TFormatSettings& fs) {
  double v = 0;
  return TryStrToFloat(s, v, fs) ? v : def;
}

double StrToFloatDef(std::string_view s, double def) { return StrToFloatDef(s, def, FormatSettings); }

}  // namespace SysUtils
