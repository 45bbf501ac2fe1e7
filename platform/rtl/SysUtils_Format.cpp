// Format: printf-like formatting with the argument kinds checked.
#include <algorithm>
#include <charconv>

#include "platform/rtl/SysUtils.h"

namespace SysUtils {

namespace {

[[noreturn]] void FormatError(std::string_view fmt) {
  throw EConvertError(Format("Format '%s' invalid or incompatible with argument", {std::string(fmt)}));
}

// The largest width or precision: a written one has at most six digits.
constexpr int64_t kMaxField = 999999;

struct TFormatItem {
  bool LeftAlign = false;
  int Width = -1;
  int Precision = -1;
  char Type = 0;
};

std::string Pad(std::string s, const TFormatItem& item) {
  if (item.Width > int(s.size())) {
    size_t fill = size_t(item.Width) - s.size();
    if (item.LeftAlign)
      s.append(fill, ' ');
    else
      s.insert(0, fill, ' ');
  }
  return s;
}

std::string ZeroExtend(std::string digits, int precision) {
  if (int(digits.size()) < precision) digits.insert(0, size_t(precision) - digits.size(), '0');
  return digits;
}

}  // namespace

std::string Format(std::string_view fmt, const std::vector<TVarRec>& args, const TFormatSettings& fs) {
  std::string out;
  size_t argIndex = 0;
  size_t i = 0;
  const size_t n = fmt.size();
  // The whole format text is named in errors, as the user needs it to find the call.
  auto readNumber = [&](int& value, bool allowStar) -> bool {
    if (allowStar && i < n && fmt[i] == '*') {
      ++i;
      if (argIndex >= args.size() || args[argIndex].Kind() != TVarRec::TKind::vkInteger) FormatError(fmt);
      const int64_t given = args[argIndex++].AsInteger();
      // Bounded like a written one (six digits), so a bad argument cannot ask for gigabytes.
      if (given > kMaxField || given < -kMaxField) FormatError(fmt);
      value = int(given);
      return true;
    }
    size_t start = i;
    while (i < n && fmt[i] >= '0' && fmt[i] <= '9') ++i;
    if (i == start) return false;
    if (i - start > 6) FormatError(fmt);
    std::from_chars(fmt.data() + start, fmt.data() + i, value);
    return true;
  };

  while (i < n) {
    char c = fmt[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    ++i;
    if (i < n && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    TFormatItem item;
    // [index:]
    {
      size_t save = i;
      int idx = 0;
      if (readNumber(idx, false) && i < n && fmt[i] == ':') {
        if (idx < 0) FormatError(fmt);
        argIndex = size_t(idx);
        ++i;
      } else {
        i = save;
      }
    }
    if (i < n && fmt[i] == '-') {
      item.LeftAlign = true;
      ++i;
    }
    int width = -1;
    if (readNumber(width, true)) item.Width = width;
    if (i < n && fmt[i] == '.') {
      ++i;
      int prec = -1;
      if (!readNumber(prec, true)) prec = 0;
      item.Precision = prec;
    }
    if (i >= n) FormatError(fmt);
    item.Type = static_cast<char>(fmt[i] >= 'A' && fmt[i] <= 'Z' ? fmt[i] - 'A' + 'a' : fmt[i]);
    ++i;
    if (argIndex >= args.size()) throw EConvertError(Format("No argument for format '%s'", {std::string(fmt)}));
    const TVarRec& arg = args[argIndex++];
    using K = TVarRec::TKind;
    const bool isInt = arg.Kind() == K::vkInteger;
    const bool isNumber = isInt || arg.Kind() == K::vkFloat;
    std::string text;
    switch (item.Type) {
      case 'd': {
        if (!isInt) FormatError(fmt);
        int64_t v = arg.AsInteger();
        std::string digits = std::to_string(v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
        text = (v < 0 ? "-" : "") + ZeroExtend(digits, item.Precision);
        break;
      }
      case 'u': {
        if (!isInt) FormatError(fmt);
        int64_t v = arg.AsInteger();
        uint64_t u = (v < 0 && v >= INT32_MIN) ? uint64_t(uint32_t(v)) : uint64_t(v);
        text = ZeroExtend(std::to_string(u), item.Precision);
        break;
      }
      case 'x': {
        if (!isInt && arg.Kind() != K::vkPointer) FormatError(fmt);
        int64_t v = arg.AsInteger();
        text = (v < 0 && v >= INT32_MIN) ? IntToHex(int32_t(v), 0) : IntToHex(v, 0);
        text = ZeroExtend(text, item.Precision);
        break;
      }
      case 'p': {
        if (arg.Kind() != K::vkPointer) FormatError(fmt);
        text = IntToHex(arg.AsInteger(), 16);
        break;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n': {
        if (!isNumber) FormatError(fmt);
        double v = isInt ? double(arg.AsInteger()) : arg.AsFloat();
        if (item.Type == 'e')
          text = FloatToStrF(v, TFloatFormat::ffExponent, item.Precision < 0 ? 15 : item.Precision, 3, fs);
        else if (item.Type == 'g')
          text = FloatToStrF(v, TFloatFormat::ffGeneral, item.Precision < 0 ? 15 : item.Precision, 0, fs);
        else
          text = FloatToStrF(v, item.Type == 'f' ? TFloatFormat::ffFixed : TFloatFormat::ffNumber, 17,
                             item.Precision < 0 ? 2 : item.Precision, fs);
        break;
      }
      case 's': {
        if (arg.Kind() == K::vkString || arg.Kind() == K::vkChar)
          text = arg.AsString();
        else
          FormatError(fmt);
        if (item.Precision >= 0 && int(text.size()) > item.Precision) text.resize(size_t(item.Precision));
        break;
      }
      default:
        FormatError(fmt);
    }
    out += Pad(std::move(text), item);
  }
  return out;
}

std::string Format(std::string_view fmt, const std::vector<TVarRec>& args) {
  return Format(fmt, args, FormatSettings);
}

std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args) {
  return Format(fmt, std::vector<TVarRec>(args), FormatSettings);
}

}  // namespace SysUtils
