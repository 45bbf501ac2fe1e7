#include "platform/rtl/SysUtils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QLocale>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <filesystem>

namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

QString ToQ(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string FromQ(const QString& s) { return s.toStdString(); }

// Qt date-time format letters to the ones of FormatDateTime.
std::string FromQtDateTimeFormat(const QString& qt) {
  std::string in = FromQ(qt), out;
  for (size_t i = 0; i < in.size();) {
    char c = in[i];
    size_t run = 1;
    while (i + run < in.size() && in[i + run] == c) ++run;
    switch (c) {
      case '\'': {  // quoted literal; '' is a quote
        size_t end = in.find('\'', i + 1);
        if (end == std::string::npos) end = in.size();
        out += '"' + in.substr(i + 1, end - i - 1) + '"';
        i = end + 1;
        continue;
      }
      case 'M': out += std::string(run, 'm'); break;
      case 'm': out += std::string(run, 'n'); break;
      case 'H': out += std::string(std::min<size_t>(run, 2), 'h'); break;
      case 'A':
      case 'a':
        if (run == 1 && i + 1 < in.size() && (in[i + 1] == 'P' || in[i + 1] == 'p')) {
          out += "ampm";
          i += 2;
          continue;
        }
        out += std::string(run, c);
        break;
      case 't': break;  // time zone: not shown
      default: out += std::string(run, c); break;
    }
    i += run;
  }
  // Trim blanks left behind by a dropped time zone.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

char FirstSeparator(const std::string& fmt, char fallback) {
  bool quoted = false;
  for (char c : fmt) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    // Only a one-byte separator can stand for "/" or ":"; letters of other
    // scripts (e.g. a time written with Japanese unit signs) are literals.
    auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && !std::isalnum(u) && c != '"' && c != ' ') return c;
  }
  return fallback;
}

}  // namespace

// ---------------------------------------------------------------- settings
TFormatSettings TFormatSettings::Invariant() {
  TFormatSettings fs;
  fs.ShortDateFormat = "MM/dd/yyyy";
  fs.LongDateFormat = "dddd, dd mmmm yyyy";
  fs.ShortTimeFormat = "hh:nn";
  fs.LongTimeFormat = "hh:nn:ss";
  return fs;
}

TFormatSettings TFormatSettings::FromSystem() {
  TFormatSettings fs;
  const QLocale loc = QLocale::system();
  auto firstChar = [](const QString& s, char fallback) {
    std::string u = FromQ(s);
    // A separator that is not one byte (e.g. a narrow no-break space) becomes a blank.
    if (u.size() == 1) return u[0];
    return u.empty() ? fallback : ' ';
  };
  fs.DecimalSeparator = firstChar(loc.decimalPoint(), '.');
  fs.ThousandSeparator = firstChar(loc.groupSeparator(), ',');
  if (fs.ThousandSeparator == fs.DecimalSeparator) fs.ThousandSeparator = fs.DecimalSeparator == ',' ? '.' : ',';
  fs.ShortDateFormat = FromQtDateTimeFormat(loc.dateFormat(QLocale::ShortFormat));
  fs.LongDateFormat = FromQtDateTimeFormat(loc.dateFormat(QLocale::LongFormat));
  fs.ShortTimeFormat = FromQtDateTimeFormat(loc.timeFormat(QLocale::ShortFormat));
  fs.LongTimeFormat = FromQtDateTimeFormat(loc.timeFormat(QLocale::LongFormat));
  fs.DateSeparator = FirstSeparator(fs.ShortDateFormat, '/');
  fs.TimeSeparator = FirstSeparator(fs.LongTimeFormat, ':');
  // The formats name the separators through "/" and ":".
  for (std::string* f : {&fs.ShortDateFormat, &fs.LongDateFormat})
    if (fs.DateSeparator != '/') std::replace(f->begin(), f->end(), fs.DateSeparator, '/');
  for (std::string* f : {&fs.ShortTimeFormat, &fs.LongTimeFormat})
    if (fs.TimeSeparator != ':') std::replace(f->begin(), f->end(), fs.TimeSeparator, ':');
  if (!loc.amText().isEmpty()) fs.TimeAMString = FromQ(loc.amText());
  if (!loc.pmText().isEmpty()) fs.TimePMString = FromQ(loc.pmText());
  if (!loc.currencySymbol().isEmpty()) fs.CurrencyString = FromQ(loc.currencySymbol());
  for (int i = 0; i < 12; ++i) {
    fs.ShortMonthNames[i] = FromQ(loc.monthName(i + 1, QLocale::ShortFormat));
    fs.LongMonthNames[i] = FromQ(loc.monthName(i + 1, QLocale::LongFormat));
  }
  for (int i = 0; i < 7; ++i) {
    int qtDay = i == 0 ? 7 : i;  // Qt counts Monday = 1 … Sunday = 7
    fs.ShortDayNames[i] = FromQ(loc.dayName(qtDay, QLocale::ShortFormat));
    fs.LongDayNames[i] = FromQ(loc.dayName(qtDay, QLocale::LongFormat));
  }
  fs.ListSeparator = fs.DecimalSeparator == ',' ? ';' : ',';
  return fs;
}

TFormatSettings FormatSettings = TFormatSettings::FromSystem();

TFormatSettingsScope::TFormatSettingsScope(const TFormatSettings& settings) : FSaved(FormatSettings) {
  FormatSettings = settings;
}

TFormatSettingsScope::~TFormatSettingsScope() { FormatSettings = FSaved; }

namespace SysUtils {

void Abort() { throw EAbort("Operation aborted"); }

// ---------------------------------------------------------------- integers
std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
  char buf[32];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<uint64_t>(value), 16);
  std::string s(buf, r.ptr);
  for (char& c : s) c = AsciiUpper(c);
  if (int(s.size()) < digits) s.insert(0, size_t(digits) - s.size(), '0');
  return s;
}

std::string IntToHex(int32_t value, int digits) {
  return IntToHex(static_cast<int64_t>(static_cast<uint32_t>(value)), digits);
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
  size_t p = 0;
  while (p < s.size() && s[p] == ' ') ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) negative = s[p++] == '-';
  int base = 10;
  if (p < s.size() && s[p] == '$') {
    base = 16;
    ++p;
  } else if (p + 1 < s.size() && s[p] == '0' && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
    base = 16;
    p += 2;
  }
  if (p >= s.size()) return false;
  uint64_t magnitude = 0;
  auto r = std::from_chars(s.data() + p, s.data() + s.size(), magnitude, base);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
  if (base == 16 && !negative) {
    value = static_cast<int64_t>(magnitude);  // hex text may spell a negative two's complement
    return true;
  }
  if (negative) {
    if (magnitude > uint64_t(INT64_MAX) + 1) return false;
    value = static_cast<int64_t>(0 - magnitude);
  } else {
    if (magnitude > uint64_t(INT64_MAX)) return false;
    value = static_cast<int64_t>(magnitude);
  }
  return true;
}

bool TryStrToInt(std::string_view s, int32_t& value) {
  int64_t v = 0;
  if (!TryStrToInt64(s, v)) return false;
  // Hex text of up to 8 digits spells a 32-bit pattern ($FFFFFFFF is -1).
  if (v > INT32_MAX && v <= int64_t(UINT32_MAX) && s.find_first_of("$xX") != std::string_view::npos)
    v = static_cast<int32_t>(static_cast<uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToInt(std::string_view s) {
  int32_t v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", {std::string(s)}));
  return v;
}

int64_t StrToInt64(std::string_view s) {
  int64_t v = 0;
  if (!TryStrToInt64(s, v)) throw EConvertError(Format("'%s' is not a valid integer value", {std::string(s)}));
  return v;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
  int32_t v = 0;
  return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(std::string_view s, int64_t def) {
  int64_t v = 0;
  return TryStrToInt64(s, v) ? v : def;
}

// ---------------------------------------------------------------- strings
std::string TrimLeft(std::string_view s) {
  size_t b = 0;
  while (b < s.size() && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

std::string AnsiUpperCase(std::string_view s) { return FromQ(ToQ(s).toUpper()); }
std::string AnsiLowerCase(std::string_view s) { return FromQ(ToQ(s).toLower()); }

int CompareStr(std::string_view a, std::string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(AsciiUpper(a[i]));
    unsigned char y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

int AnsiCompareText(std::string_view a, std::string_view b) {
  int c = QString::compare(ToQ(a), ToQ(b), Qt::CaseInsensitive);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string AnsiQuotedStr(std::string_view s, char quote) {
  std::string r(1, quote);
  for (char c : s) {
    r += c;
    if (c == quote) r += c;
  }
  r += quote;
  return r;
}

std::string QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

std::string AnsiDequotedStr(std::string_view s, char quote) {
  if (s.size() < 2 || s.front() != quote) return std::string(s);
  std::string r;
  size_t i = 1;
  for (; i < s.size(); ++i) {
    if (s[i] == quote) {
      if (i + 1 < s.size() && s[i + 1] == quote) {
        r += quote;
        ++i;
        continue;
      }
      break;
    }
    r += s[i];
  }
  // Not properly closed at the end: the text is not a quoted string.
  if (i != s.size() - 1) return std::string(s);
  return r;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          bool replaceAll, bool ignoreCase) {
  if (oldPattern.empty()) return std::string(s);
  const std::string hay = ignoreCase ? UpperCase(s) : std::string(s);
  const std::string needle = ignoreCase ? UpperCase(oldPattern) : std::string(oldPattern);
  std::string r;
  size_t pos = 0;
  for (;;) {
    size_t hit = hay.find(needle, pos);
    if (hit == std::string::npos) break;
    r.append(s.substr(pos, hit - pos));
    r.append(newPattern);
    pos = hit + needle.size();
    if (!replaceAll) break;
  }
  r.append(s.substr(pos));
  return r;
}

std::string StringOfChar(char c, int count) { return std::string(size_t(std::max(count, 0)), c); }

int Pos(std::string_view sub, std::string_view s) {
  if (sub.empty()) return 0;
  size_t p = s.find(sub);
  return p == std::string_view::npos ? 0 : int(p) + 1;
}

namespace {

// Length of the well-formed UTF-8 sequence at s[i], 0 when there is none.
size_t Utf8SequenceAt(std::string_view s, size_t i) {
  auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  size_t extra = 0;
  uint32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    extra = 1;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    extra = 2;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    extra = 3;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + extra >= s.size()) return 0;
  for (size_t k = 1; k <= extra; ++k) {
    auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) return 0;
  if (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) return 0;
  return extra + 1;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Code points of Windows-1252 bytes 0x80..0x9F; the rest equals Latin-1.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string DecodeUtf16(std::string_view s, bool bigEndian) {
  std::string out;
  auto unit = [&](size_t i) {
    auto a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    return bigEndian ? uint32_t(a << 8 | b) : uint32_t(b << 8 | a);
  };
  for (size_t i = 0; i + 1 < s.size(); i += 2) {
    uint32_t u = unit(i);
    if (u >= 0xD800 && u < 0xDC00 && i + 3 < s.size()) {
      uint32_t lo = unit(i + 2);
      if (lo >= 0xDC00 && lo < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
  }
  return out;
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  else if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") return DecodeUtf16(bytes.substr(2), false);
  else if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") return DecodeUtf16(bytes.substr(2), true);
  // Well-formed UTF-8 is kept; every other byte is read as Windows-1252, so a
  // file of either kind (or an old file with a few new lines) reads sensibly.
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  size_t i = 0;
  while (i < bytes.size()) {
    if (size_t n = Utf8SequenceAt(bytes, i)) {
      out.append(bytes.substr(i, n));
      i += n;
      continue;
    }
    auto c = static_cast<unsigned char>(bytes[i++]);
    AppendUtf8(out, c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : c);
  }
  return out;
}

// ---------------------------------------------------------------- file names
namespace {
size_t LastDelim(std::string_view s) { return s.rfind(PathDelim); }
std::string Str(std::string_view s) { return std::string(s); }
}  // namespace

std::string ExtractFilePath(std::string_view fileName) {
  size_t p = LastDelim(fileName);
  return p == std::string_view::npos ? std::string() : Str(fileName.substr(0, p + 1));
}

std::string ExtractFileDir(std::string_view fileName) {
  size_t p = LastDelim(fileName);
  if (p == std::string_view::npos) return {};
  return Str(fileName.substr(0, p == 0 ? 1 : p));
}

std::string ExtractFileName(std::string_view fileName) {
  size_t p = LastDelim(fileName);
  return p == std::string_view::npos ? Str(fileName) : Str(fileName.substr(p + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  size_t delim = LastDelim(fileName);
  if (dot == std::string_view::npos || (delim != std::string_view::npos && dot < delim)) return {};
  return Str(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view extension) {
  size_t dot = fileName.rfind('.');
  size_t delim = LastDelim(fileName);
  if (dot == std::string_view::npos || (delim != std::string_view::npos && dot < delim)) dot = fileName.size();
  return Str(fileName.substr(0, dot)) + Str(extension);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.empty() || r.back() != PathDelim) r += PathDelim;
  return r;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
  std::string r(path);
  if (r.size() > 1 && r.back() == PathDelim) r.pop_back();
  return r;
}

std::string ExpandFileName(std::string_view fileName) {
  if (fileName.empty()) return {};
  std::error_code ec;
  std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(Str(fileName)), ec);
  if (ec) return Str(fileName);
  return p.lexically_normal().string();
}

std::string GetCurrentDir() {
  std::error_code ec;
  auto p = std::filesystem::current_path(ec);
  return ec ? std::string() : p.string();
}

bool FileExists(std::string_view fileName) {
  struct stat st {};
  return !fileName.empty() && ::stat(Str(fileName).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view dir) {
  struct stat st {};
  return !dir.empty() && ::stat(Str(dir).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(std::string_view dir) {
  if (dir.empty()) return false;
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(Str(dir)), ec);
  return DirectoryExists(dir);
}

bool DeleteFile(std::string_view fileName) {
  return FileExists(fileName) && ::unlink(Str(fileName).c_str()) == 0;
}

bool RenameFile(std::string_view oldName, std::string_view newName) {
  // Never replaces an existing file, so a rename cannot destroy data.
  struct stat st {};
  if (::lstat(Str(newName).c_str(), &st) == 0) return false;
  return ::rename(Str(oldName).c_str(), Str(newName).c_str()) == 0;
}

bool FileAge(std::string_view fileName, TDateTime& age) {
  struct stat st {};
  if (::stat(Str(fileName).c_str(), &st) != 0) return false;
  struct tm lt {};
  time_t t = st.st_mtim.tv_sec;
  if (!localtime_r(&t, &lt)) return false;
  age = EncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) +
        EncodeTime(lt.tm_hour, lt.tm_min, std::min(lt.tm_sec, 59), int(st.st_mtim.tv_nsec / 1000000));
  return true;
}

}  // namespace SysUtils
