#pragma once
// Exceptions, number and date-time text, string helpers and file-name routines.
// Number text never depends on the C locale: separators come from a
// TFormatSettings object (the global FormatSettings unless one is passed).

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------- exceptions
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const char* what() const noexcept override { return FMessage.c_str(); }
  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }

 private:
  std::string FMessage;
};

#define KV_EXCEPTION_CLASS(Name, Base) \
  class Name : public Base {           \
   public:                             \
    using Base::Base;                  \
  }

KV_EXCEPTION_CLASS(EConvertError, Exception);
KV_EXCEPTION_CLASS(EArgumentException, Exception);
KV_EXCEPTION_CLASS(EAbort, Exception);
KV_EXCEPTION_CLASS(EOutOfMemory, Exception);
KV_EXCEPTION_CLASS(EInOutError, Exception);
KV_EXCEPTION_CLASS(EExternal, Exception);
KV_EXCEPTION_CLASS(EIntError, EExternal);
KV_EXCEPTION_CLASS(EDivByZero, EIntError);
KV_EXCEPTION_CLASS(ERangeError, EIntError);
KV_EXCEPTION_CLASS(EIntOverflow, EIntError);
KV_EXCEPTION_CLASS(EMathError, EExternal);
KV_EXCEPTION_CLASS(EInvalidOp, EMathError);
KV_EXCEPTION_CLASS(EZeroDivide, EMathError);
KV_EXCEPTION_CLASS(EOverflow, EMathError);
KV_EXCEPTION_CLASS(EInvalidCast, Exception);
KV_EXCEPTION_CLASS(EInvalidPointer, Exception);
KV_EXCEPTION_CLASS(EAccessViolation, EExternal);
KV_EXCEPTION_CLASS(EOSError, Exception);

// ---------------------------------------------------------------- settings
struct TFormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  char ListSeparator = ',';
  std::string ShortDateFormat = "M/d/yyyy";
  std::string LongDateFormat = "dddd, MMMM d, yyyy";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string LongTimeFormat = "h:mm:ss AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};
  std::string ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};  // Sunday first
  std::string LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  int TwoDigitYearCenturyWindow = 50;
  std::string CurrencyString = "$";

  // English names, "." decimal, "," thousands, dates "MM/dd/yyyy", times
  // "hh:nn:ss": the same text on every machine (files, tests). The member
  // defaults above are the English (United States) settings.
  static TFormatSettings Invariant();
  // The user's locale (separators, date and time order, names), read once.
  static TFormatSettings FromSystem();
};

// Process-wide settings, initialised from the user's locale at start-up.
extern TFormatSettings FormatSettings;

// Replaces the global FormatSettings for its lifetime (tests, writers that
// need the invariant form) and restores the previous value on every exit path.
class [[nodiscard]] TFormatSettingsScope {
 public:
  explicit TFormatSettingsScope(const TFormatSettings& settings);
  ~TFormatSettingsScope();
  TFormatSettingsScope(const TFormatSettingsScope&) = delete;
  TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

 private:
  TFormatSettings FSaved;
};

// ---------------------------------------------------------------- TDateTime
// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// One argument of Format: integer, real, text, character or pointer.
class TVarRec {
 public:
  enum class TKind { vkInteger, vkFloat, vkString, vkChar, vkPointer, vkBool };
  TVarRec(int v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(long v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(long long v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(unsigned v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(unsigned long v) : FKind(TKind::vkInteger), FInt(static_cast<int64_t>(v)) {}
  TVarRec(unsigned long long v) : FKind(TKind::vkInteger), FInt(static_cast<int64_t>(v)) {}
  TVarRec(short v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(unsigned short v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(unsigned char v) : FKind(TKind::vkInteger), FInt(v) {}
  TVarRec(bool v) : FKind(TKind::vkBool), FInt(v ? 1 : 0) {}
  TVarRec(double v) : FKind(TKind::vkFloat), FFloat(v) {}
  TVarRec(float v) : FKind(TKind::vkFloat), FFloat(v) {}
  TVarRec(long double v) : FKind(TKind::vkFloat), FFloat(static_cast<double>(v)) {}
  TVarRec(char v) : FKind(TKind::vkChar), FStr(1, v) {}
  TVarRec(const char* v) : FKind(TKind::vkString), FStr(v ? v : "") {}
  TVarRec(std::string v) : FKind(TKind::vkString), FStr(std::move(v)) {}
  TVarRec(std::string_view v) : FKind(TKind::vkString), FStr(v) {}
  TVarRec(const void* v) : FKind(TKind::vkPointer), FInt(static_cast<int64_t>(reinterpret_cast<uintptr_t>(v))) {}

  TKind Kind() const { return FKind; }
  int64_t AsInteger() const { return FInt; }
  double AsFloat() const { return FFloat; }
  const std::string& AsString() const { return FStr; }

 private:
  TKind FKind;
  int64_t FInt = 0;
  double FFloat = 0.0;
  std::string FStr;
};

namespace SysUtils {

using ::TDateTime;
using ::TFormatSettings;
using ::TVarRec;

// Raises the silent EAbort: ends the current command without a message.
[[noreturn]] void Abort();

// ---------------------------------------------------------------- Format
// %[index:][-][width][.precision]type with type d u e f g n m p s x, and %%;
// "*" takes width or precision from the arguments. A bad format or an
// argument of the wrong kind raises EConvertError.
std::string Format(std::string_view fmt, std::initializer_list<TVarRec> args);
std::string Format(std::string_view fmt, const std::vector<TVarRec>& args);
std::string Format(std::string_view fmt, const std::vector<TVarRec>& args, const TFormatSettings& fs);

// ---------------------------------------------------------------- integers
std::string IntToStr(int64_t value);
std::string IntToHex(int32_t value, int digits);  // upper-case, at least digits wide; 32-bit two's complement
std::string IntToHex(int64_t value, int digits);
int32_t StrToInt(std::string_view s);             // EConvertError "'x' is not a valid integer value"
int64_t StrToInt64(std::string_view s);
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
int32_t StrToIntDef(std::string_view s, int32_t def);
int64_t StrToInt64Def(std::string_view s, int64_t def);

// ---------------------------------------------------------------- reals
// ffGeneral: the shorter of fixed and scientific with Precision significant
// digits, trailing zeros removed (scientific below 0.00001 or with more
// integer digits than Precision); ffExponent: d.ddd…E+xx with Precision
// digits and at least Digits exponent digits; ffFixed / ffNumber: Digits
// decimals (ffNumber with thousands separators). Rounding is half away from
// zero on the shortest decimal form of the value.
enum class TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// The shortest text that reads back as the same double ("0.1", "1e-300",
// "-0"), with "." whatever the locale; "nan", "inf" and "-inf" otherwise.
std::string RoundTripText(double value);
// The runtime's default real text, right-aligned in 23 characters: a blank or
// "-", one digit, ".", 14 digits, "E", the exponent's sign and four digits
// (" 1.50000000000000E+0000"); "Nan", "+Inf" and "-Inf" right-aligned. With
// roundTrip, 16 digits after the point where 14 would not read back the same.
std::string FixedRealText(double value, bool roundTrip = false);

std::string FloatToStr(double value);  // general, 15 significant digits
std::string FloatToStr(double value, const TFormatSettings& fs);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
// Sections "positive;negative;zero"; "0" digit, "#" optional digit, "." decimal
// point, "," thousands, "E+0"/"E-0"/"e+0"/"e-0" exponent, '..' and ".." literals.
std::string FormatFloat(std::string_view format, double value);
std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs);

// Blanks around the text are ignored; the decimal separator is the one of the
// settings; "INF"/"NAN" are accepted. EConvertError
// "'x' is not a valid floating point value" on failure.
double StrToFloat(std::string_view s);
double StrToFloat(std::string_view s, const TFormatSettings& fs);
bool TryStrToFloat(std::string_view s, double& value);
bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs);
double StrToFloatDef(std::string_view s, double def);
double StrToFloatDef(std::string_view s, double def, const TFormatSettings& fs);

// ---------------------------------------------------------------- strings
std::string Trim(std::string_view s);  // removes characters <= ' ' at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters only
std::string LowerCase(std::string_view s);
std::string AnsiUpperCase(std::string_view s);  // every UTF-8 letter
std::string AnsiLowerCase(std::string_view s);
int CompareStr(std::string_view a, std::string_view b);   // <0, 0, >0, case-sensitive
int CompareText(std::string_view a, std::string_view b);  // ASCII case-insensitive
bool SameText(std::string_view a, std::string_view b);
int AnsiCompareText(std::string_view a, std::string_view b);  // Unicode case-insensitive
bool AnsiSameText(std::string_view a, std::string_view b);
std::string QuotedStr(std::string_view s);  // 'it''s'
std::string AnsiQuotedStr(std::string_view s, char quote);
// Removes surrounding quotes and undoubles inner ones; unquoted text returns as is.
std::string AnsiDequotedStr(std::string_view s, char quote);
std::string StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                          bool replaceAll = true, bool ignoreCase = false);
std::string StringOfChar(char c, int count);
// 1-based position of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s);

// Text file bytes to UTF-8: a UTF-8 or UTF-16 byte-order mark is honoured,
// well-formed UTF-8 sequences are kept, any other byte is read as Windows-1252.
std::string DecodeText(std::string_view bytes);

// ---------------------------------------------------------------- file names
constexpr char PathDelim = '/';
std::string ExtractFilePath(std::string_view fileName);  // with trailing delimiter
std::string ExtractFileDir(std::string_view fileName);   // without trailing delimiter
std::string ExtractFileName(std::string_view fileName);
std::string ExtractFileExt(std::string_view fileName);   // with the dot, "" when none
std::string ChangeFileExt(std::string_view fileName, std::string_view extension);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
std::string ExpandFileName(std::string_view fileName);
std::string GetCurrentDir();
bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view dir);
bool ForceDirectories(std::string_view dir);
bool DeleteFile(std::string_view fileName);
bool RenameFile(std::string_view oldName, std::string_view newName);
// Last modification time of the file, false when it does not exist.
bool FileAge(std::string_view fileName, TDateTime& age);

// ---------------------------------------------------------------- date and time
constexpr double MSecsPerDay = 86400000.0;
bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& time);
TDateTime EncodeDate(int year, int month, int day);           // EConvertError "Invalid argument to date encode"
TDateTime EncodeTime(int hour, int min, int sec, int msec);   // EConvertError "Invalid argument to time encode"
void DecodeDate(TDateTime date, int& year, int& month, int& day);
void DecodeTime(TDateTime time, int& hour, int& min, int& sec, int& msec);
int DayOfWeek(TDateTime date);  // 1 = Sunday … 7 = Saturday
TDateTime Now();
TDateTime Date();
TDateTime Time();
// Format characters: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy
// h hh n nn s ss z zzz t tt am/pm a/p ampm / : "…" '…'; "m" after "h" is minutes.
std::string FormatDateTime(std::string_view format, TDateTime dt);
std::string FormatDateTime(std::string_view format, TDateTime dt, const TFormatSettings& fs);
std::string DateToStr(TDateTime dt);
std::string TimeToStr(TDateTime dt);
std::string DateTimeToStr(TDateTime dt);
// Parse the short date and long time forms of the settings.
TDateTime StrToDate(std::string_view s);      // EConvertError "'x' is not a valid date"
TDateTime StrToTime(std::string_view s);      // EConvertError "'x' is not a valid time"
TDateTime StrToDateTime(std::string_view s);  // EConvertError "'x' is not a valid date and time"
bool TryStrToDate(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);
bool TryStrToDateTime(std::string_view s, TDateTime& value, const TFormatSettings& fs);

}  // namespace SysUtils
