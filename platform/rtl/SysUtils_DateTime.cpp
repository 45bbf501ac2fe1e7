// TDateTime: days since 1899-12-30 with the time of day as fraction.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include "platform/rtl/SysUtils.h"

namespace SysUtils {

namespace {

constexpr int64_t kMSecsPerDay = 86400000;
constexpr int64_t kDelphiEpochFromUnix = -25569;  // 1899-12-30 counted from 1970-01-01

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

// Whole days and milliseconds of the day, rounded to the millisecond first so
// that 23:59:59.9999 becomes the next day's midnight, never "24:00".
void SplitDateTime(TDateTime dt, int64_t& days, int64_t& msecs) {
  if (!std::isfinite(dt) || std::fabs(dt) > 3.0e6) {  // beyond year 9999: clamp instead of overflowing
    days = 0;
    msecs = 0;
    return;
  }
  const int64_t total = std::llround(dt * double(kMSecsPerDay));
  days = total / kMSecsPerDay;  // truncates towards zero, like the date part of TDateTime
  msecs = std::llabs(total - days * kMSecsPerDay);
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
  date = double(DaysFromCivil(year, month, day) - kDelphiEpochFromUnix);
  return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time) {
  if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999) return false;
  time = double((int64_t(hour) * 3600 + min * 60 + sec) * 1000 + msec) / double(kMSecsPerDay);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime d = 0;
  if (!TryEncodeDate(year, month, day, d)) throw EConvertError("Invalid argument to date encode");
  return d;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
  TDateTime t = 0;
  if (!TryEncodeTime(hour, min, sec, msec, t)) throw EConvertError("Invalid argument to time encode");
  return t;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  int64_t days = 0, ms = 0;
  SplitDateTime(date, days, ms);
  CivilFromDays(days + kDelphiEpochFromUnix, year, month, day);
}

void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec) {
  int64_t days = 0, ms = 0;
  SplitDateTime(time, days, ms);
  hour = int(ms / 3600000);
  min = int(ms / 60000 % 60);
  sec = int(ms / 1000 % 60);
  msec = int(ms % 1000);
}

int DayOfWeek(TDateTime date) {
  int64_t days = 0, ms = 0;
  SplitDateTime(date, days, ms);
  // 1899-12-30 was a Saturday (7).
  int64_t w = (days + 6) % 7;
  if (w < 0) w += 7;
  return int(w) + 1;
}

TDateTime Now() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const time_t t = system_clock::to_time_t(now);
  const int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  struct tm lt {};
  localtime_r(&t, &lt);
  return EncodeDate(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) +
         EncodeTime(lt.tm_hour, lt.tm_min, std::min(lt.tm_sec, 59), std::max(ms, 0));
}

TDateTime Date() { return std::floor(Now()); }

TDateTime Time() {
  TDateTime n = Now();
  return n - std::floor(n);
}

// ---------------------------------------------------------------- FormatDateTime
namespace {

struct TParts {
  int Year, Month, Day, Hour, Min, Sec, MSec, WeekDay;
  bool HasTime;
};

std::string Num(int v, int width) {
  std::string s = std::to_string(v);
  if (int(s.size()) < width) s.insert(0, size_t(width) - s.size(), '0');
  return s;
}

bool StartsWithNoCase(std::string_view s, size_t i, std::string_view what) {
  return s.size() - i >= what.size() && SameText(s.substr(i, what.size()), what);
}

// Whether the format asks for a 12-hour clock (am/pm, a/p or ampm outside quotes).
bool UsesAmPm(std::string_view f) {
  char quote = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    if (quote) {
      if (f[i] == quote) quote = 0;
      continue;
    }
    if (f[i] == '"' || f[i] == '\'') quote = f[i];
    else if (StartsWithNoCase(f, i, "am/pm") || StartsWithNoCase(f, i, "a/p") || StartsWithNoCase(f, i, "ampm"))
      return true;
  }
  return false;
}

void FormatInto(std::string& out, std::string_view f, const TParts& t, const TFormatSettings& fs, int depth) {
  if (depth > 2) return;  // a format that expands into itself
  const bool twelve = UsesAmPm(f);
  char last = 0;  // last date-time letter, so that "m" after "h" means minutes
  size_t i = 0;
  while (i < f.size()) {
    char c = f[i];
    char u = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    size_t run = 1;
    if (std::isalpha(static_cast<unsigned char>(c)))
      while (i + run < f.size() && std::toupper(static_cast<unsigned char>(f[i + run])) == u) ++run;
    switch (u) {
      case '"':
      case '\'': {
        size_t end = f.find(c, i + 1);
        if (end == std::string_view::npos) end = f.size();
        out.append(f.substr(i + 1, end - i - 1));
        i = end + 1;
        continue;
      }
      case '/': out += fs.DateSeparator; ++i; continue;
      case ':': out += fs.TimeSeparator; ++i; continue;
      case 'A':
        if (StartsWithNoCase(f, i, "am/pm")) {
          bool upper = f[i] == 'A';
          out += t.Hour < 12 ? (upper ? "AM" : "am") : (upper ? "PM" : "pm");
          i += 5;
        } else if (StartsWithNoCase(f, i, "a/p")) {
          bool upper = f[i] == 'A';
          out += t.Hour < 12 ? (upper ? "A" : "a") : (upper ? "P" : "p");
          i += 3;
        } else if (StartsWithNoCase(f, i, "ampm")) {
          out += t.Hour < 12 ? fs.TimeAMString : fs.TimePMString;
          i += 4;
        } else {
          out += c;
          ++i;
        }
        continue;
      case 'C':
        FormatInto(out, fs.ShortDateFormat, t, fs, depth + 1);
        if (t.HasTime) {
          out += ' ';
          FormatInto(out, fs.LongTimeFormat, t, fs, depth + 1);
        }
        i += 1;
        last = 'C';
        continue;
      case 'Y': out += run <= 2 ? Num(t.Year % 100, 2) : Num(t.Year, 4); break;
      case 'M':
        if (last == 'H' && run <= 2) out += Num(t.Min, int(run));
        else if (run <= 2) out += Num(t.Month, int(run));
        else if (run == 3) out += fs.ShortMonthNames[t.Month - 1];
        else out += fs.LongMonthNames[t.Month - 1];
        break;
      case 'D':
        if (run <= 2) out += Num(t.Day, int(run));
        else if (run == 3) out += fs.ShortDayNames[t.WeekDay - 1];
        else if (run == 4) out += fs.LongDayNames[t.WeekDay - 1];
        else if (run == 5) FormatInto(out, fs.ShortDateFormat, t, fs, depth + 1);
        else FormatInto(out, fs.LongDateFormat, t, fs, depth + 1);
        break;
      case 'H': {
        int h = t.Hour;
        if (twelve) {
          h %= 12;
          if (h == 0) h = 12;
        }
        out += Num(h, run >= 2 ? 2 : 1);
        break;
      }
      case 'N': out += Num(t.Min, run >= 2 ? 2 : 1); break;
      case 'S': out += Num(t.Sec, run >= 2 ? 2 : 1); break;
      case 'Z': out += Num(t.MSec, run >= 3 ? 3 : 1); break;
      case 'T': FormatInto(out, run >= 2 ? fs.LongTimeFormat : fs.ShortTimeFormat, t, fs, depth + 1); break;
      default: out.append(f.substr(i, run)); i += run; continue;
    }
    last = u;
    i += run;
  }
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs) {
  TParts t{};
  DecodeDate(dt, t.Year, t.Month, t.Day);
  DecodeTime(dt, t.Hour, t.Min, t.Sec, t.MSec);
  t.WeekDay = DayOfWeek(dt);
  t.HasTime = t.Hour || t.Min || t.Sec || t.MSec;
  std::string out;
  FormatInto(out, format.empty() ? std::string_view("c") : format, t, fs, 0);
  return out;
}

std::string FormatDateTime(std::string_view format, TDateTime dt) { return FormatDateTime(format, dt, FormatSettings); }
std::string DateToStr(TDateTime dt) { return FormatDateTime("ddddd", dt); }
std::string TimeToStr(TDateTime dt) { return FormatDateTime("tt", dt); }
std::string DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }

// ---------------------------------------------------------------- parsing
namespace {

struct TScanner {
  std::string_view S;
  size_t P = 0;
  void SkipBlanks() {
    while (P < S.size() && S[P] == ' ') ++P;
  }
  bool Number(int& value, int& digits) {
    SkipBlanks();
    digits = 0;
    value = 0;
    while (P < S.size() && S[P] >= '0' && S[P] <= '9' && digits < 9) {
      value = value * 10 + (S[P++] - '0');
      ++digits;
    }
    return digits > 0;
  }
  bool Char(char c) {
    SkipBlanks();
    if (P < S.size() && S[P] == c) {
      ++P;
      return true;
    }
    return false;
  }
  bool AtEnd() {
    SkipBlanks();
    return P >= S.size();
  }
};

// Order of day, month and year in the short date format: "DMY", "MDY" or "YMD".
std::string DateOrder(const std::string& fmt) {
  std::string order;
  for (char c : fmt) {
    char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if ((u == 'D' || u == 'M' || u == 'Y') && order.find(u) == std::string::npos) order += u;
  }
  return order.size() == 3 ? order : "MDY";
}

bool ScanDate(TScanner& sc, TDateTime& date, const TFormatSettings& fs) {
  int n[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
  int count = 0;
  if (!sc.Number(n[0], digits[0])) return false;
  count = 1;
  while (count < 3 && sc.Char(fs.DateSeparator)) {
    if (!sc.Number(n[count], digits[count])) return false;
    ++count;
  }
  if (count < 2) return false;
  const std::string order = DateOrder(fs.ShortDateFormat);
  int y = 0, m = 0, d = 0;
  int yDigits = 4;
  if (count == 2) {  // day and month of the current year, in format order
    int curY, curM, curD;
    DecodeDate(Date(), curY, curM, curD);
    y = curY;
    bool dayFirst = order.find('D') < order.find('M');
    d = dayFirst ? n[0] : n[1];
    m = dayFirst ? n[1] : n[0];
  } else {
    for (int k = 0; k < 3; ++k) {
      if (order[size_t(k)] == 'D') d = n[k];
      if (order[size_t(k)] == 'M') m = n[k];
      if (order[size_t(k)] == 'Y') {
        y = n[k];
        yDigits = digits[k];
      }
    }
    if (yDigits <= 2) {  // two-digit years fall into the century window around now
      int curY, curM, curD;
      DecodeDate(Date(), curY, curM, curD);
      int pivot = curY - fs.TwoDigitYearCenturyWindow;
      y += pivot / 100 * 100;
      if (fs.TwoDigitYearCenturyWindow > 0 && y < pivot) y += 100;
    }
  }
  return TryEncodeDate(y, m, d, date);
}

bool ScanTime(TScanner& sc, TDateTime& time, const TFormatSettings& fs) {
  int h = 0, m = 0, s = 0, ms = 0, digits = 0;
  if (!sc.Number(h, digits)) return false;
  if (sc.Char(fs.TimeSeparator)) {
    if (!sc.Number(m, digits)) return false;
    if (sc.Char(fs.TimeSeparator)) {
      if (!sc.Number(s, digits)) return false;
      if (sc.Char(fs.DecimalSeparator) || sc.Char('.')) {
        if (!sc.Number(ms, digits)) return false;
        while (digits < 3) {
          ms *= 10;
          ++digits;
        }
        while (digits > 3) {
          ms /= 10;
          --digits;
        }
      }
    }
  }
  sc.SkipBlanks();
  auto rest = sc.S.substr(sc.P);
  auto take = [&](std::string_view word) {
    if (!word.empty() && rest.size() >= word.size() && SameText(rest.substr(0, word.size()), word)) {
      sc.P += word.size();
      return true;
    }
    return false;
  };
  bool pm = false, am = false;
  if (take(fs.TimePMString) || take("PM") || take("P")) pm = true;
  else if (take(fs.TimeAMString) || take("AM") || take("A")) am = true;
  if (am || pm) {
    if (h < 1 || h > 12) return false;
    h %= 12;
    if (pm) h += 12;
  }
  return TryEncodeTime(h, m, s, ms, time);
}

}  // namespace

bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  TScanner sc{s};
  TDateTime d = 0;
  if (!ScanDate(sc, d, fs) || !sc.AtEnd()) return false;
  value = d;
  return true;
}

bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  TScanner sc{s};
  TDateTime t = 0;
  if (!ScanTime(sc, t, fs) || !sc.AtEnd()) return false;
  value = t;
  return true;
}

bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs) {
  TScanner sc{s};
  TDateTime d = 0, t = 0;
  if (!ScanDate(sc, d, fs)) {
    // A time alone is a time of day 1899-12-30.
    return TryStrToTime(s, value, fs);
  }
  if (!sc.AtEnd() && !ScanTime(sc, t, fs)) return false;
  if (!sc.AtEnd()) return false;
  value = d + t;  // dates before 1899-12-30 are negative; their time counts backwards
  if (d < 0) value = d - t;
  return true;
}

TDateTime StrToDate(std::string_view s) {
  TDateTime v = 0;
  if (!TryStrToDate(s, v, FormatSettings)) throw EConvertError(Format("'%s' is not a valid date", {std::string(s)}));
  return v;
}

TDateTime StrToTime(std::string_view s) {
  TDateTime v = 0;
  if (!TryStrToTime(s, v, FormatSettings)) throw EConvertError(Format("'%s' is not a valid time", {std::string(s)}));
  return v;
}

TDateTime StrToDateTime(std::string_view s) {
  TDateTime v = 0;
  if (!TryStrToDateTime(s, v, FormatSettings))
    throw EConvertError(Format("'%s' is not a valid date and time", {std::string(s)}));
  return v;
}

}  // namespace SysUtils
