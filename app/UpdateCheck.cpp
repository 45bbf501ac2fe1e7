#include "app/UpdateCheck.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <tuple>
#include <ctime>

#include "app/ResMainForm.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UserSeam.h"

namespace ResMainForm {

namespace {

constexpr std::array<std::string_view, 12> MonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 7> ShortDays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr std::array<std::string_view, 7> LongDays = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                       "Friday", "Saturday", "Sunday"};

// Reads the date forms left to right; every step fails on anything unexpected.
class TDateCursor {
 public:
  explicit TDateCursor(std::string_view Text) : FText(Text) {}
  bool AtEnd() const { return FPos == FText.size(); }
  bool Char(char Ch) {
    if (FPos >= FText.size() || FText[FPos] != Ch) return false;
    ++FPos;
    return true;
  }
  bool Word(std::string_view W) {
    if (FText.substr(FPos, W.size()) != W) return false;
    FPos += W.size();
    return true;
  }
  template <std::size_t N>
  std::optional<int32_t> OneOf(const std::array<std::string_view, N>& Names) {
    for (std::size_t i = 0; i < N; ++i)
      if (FText.substr(FPos, Names[i].size()) == Names[i]) {
        FPos += Names[i].size();
        return static_cast<int32_t>(i);
      }
    return std::nullopt;
  }
  // Exactly Digits decimal digits.
  std::optional<int32_t> Number(std::size_t Digits) {
    if (FText.size() - FPos < Digits) return std::nullopt;
    int32_t value = 0;
    for (std::size_t i = 0; i < Digits; ++i) {
      const char ch = FText[FPos + i];
      if (!std::isdigit(static_cast<unsigned char>(ch))) return std::nullopt;
      value = value * 10 + (ch - '0');
    }
    FPos += Digits;
    return value;
  }
  std::optional<int32_t> Month() {
    const auto m = OneOf(MonthNames);
    return m ? std::optional<int32_t>(*m + 1) : std::nullopt;
  }
  // "hh:mm:ss"
  bool Time(TSystemTime& T) {
    const auto h = Number(2);
    if (!h || !Char(':')) return false;
    const auto m = Number(2);
    if (!m || !Char(':')) return false;
    const auto s = Number(2);
    if (!s) return false;
    T.Hour = *h;
    T.Minute = *m;
    T.Second = *s;
    return true;
  }

 private:
  std::string_view FText;
  std::size_t FPos = 0;
};

std::optional<TSystemTime> ParseRfc1123(std::string_view Text) {
  TDateCursor c(Text);
  TSystemTime t;
  if (!c.OneOf(ShortDays) || !c.Char(',') || !c.Char(' ')) return std::nullopt;
  const auto day = c.Number(2);
  if (!day || !c.Char(' ')) return std::nullopt;
  const auto month = c.Month();
  if (!month || !c.Char(' ')) return std::nullopt;
  const auto year = c.Number(4);
  if (!year || !c.Char(' ') || !c.Time(t) || !c.Word(" GMT") || !c.AtEnd()) return std::nullopt;
  t.Year = *year;
  t.Month = *month;
  t.Day = *day;
  return t;
}

std::optional<TSystemTime> ParseRfc850(std::string_view Text) {
  TDateCursor c(Text);
  TSystemTime t;
  if (!c.OneOf(LongDays) || !c.Char(',') || !c.Char(' ')) return std::nullopt;
  const auto day = c.Number(2);
  if (!day || !c.Char('-')) return std::nullopt;
  const auto month = c.Month();
  if (!month || !c.Char('-')) return std::nullopt;
  const auto year = c.Number(2);
  if (!year || !c.Char(' ') || !c.Time(t) || !c.Word(" GMT") || !c.AtEnd()) return std::nullopt;
  // Two-digit years: 70..99 are the last century, the rest this one.
  t.Year = *year >= 70 ? 1900 + *year : 2000 + *year;
  t.Month = *month;
  t.Day = *day;
  return t;
}

std::optional<TSystemTime> ParseAsctime(std::string_view Text) {
  TDateCursor c(Text);
  TSystemTime t;
  if (!c.OneOf(ShortDays) || !c.Char(' ')) return std::nullopt;
  const auto month = c.Month();
  if (!month || !c.Char(' ')) return std::nullopt;
  // The day is two digits or a blank and one digit.
  std::optional<int32_t> day = c.Char(' ') ? c.Number(1) : c.Number(2);
  if (!day || !c.Char(' ') || !c.Time(t) || !c.Char(' ')) return std::nullopt;
  const auto year = c.Number(4);
  if (!year || !c.AtEnd()) return std::nullopt;
  t.Year = *year;
  t.Month = *month;
  t.Day = *day;
  return t;
}

bool ValidDate(const TSystemTime& T) {
  return T.Month >= 1 && T.Month <= 12 && T.Day >= 1 && T.Day <= SysUtils::DaysInAMonth(T.Year, T.Month) &&
         T.Hour <= 23 && T.Minute <= 59 && T.Second <= 60;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t Y, int64_t M, int64_t D) {
  Y -= M <= 2;
  const int64_t era = (Y >= 0 ? Y : Y - 399) / 400;
  const int64_t yoe = Y - era * 400;
  const int64_t doy = (153 * (M + (M > 2 ? -3 : 9)) + 2) / 5 + D - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool Before(const TSystemTime& A, const TSystemTime& B) {
  return std::tie(A.Year, A.Month, A.Day) < std::tie(B.Year, B.Month, B.Day);
}

void CouldNotCheck(const std::string& Reason) { Dialogs::ShowMessage("Could not check for updates: " + Reason); }

THttpResponse AskServer(const std::string& Url, int TimeoutMs) {
  THttpRequest request;
  request.Method = "HEAD";  // only the header is needed
  request.Url = Url;
  request.Headers = {{"User-Agent", "LastModifiedRss"}, {"Cache-Control", "no-cache"}};
  request.TimeoutMs = TimeoutMs;
  IUserSeam& seam = UserSeam::Current();
  THttpResponse response = seam.Http(request);
  // Some servers refuse HEAD; the same question as GET gives the same header.
  if (response.Status == 405 || response.Status == 501) {
    request.Method = "GET";
    response = seam.Http(request);
  }
  return response;
}

// Why a response carries no usable date; empty when it does (Date set).
std::string ServerDate(const THttpResponse& Response, TSystemTime& Date) {
  if (Response.Status == 0)
    return Response.Error.empty() ? std::string("no connection to the server") : Response.Error;
  if (Response.Status < 200 || Response.Status >= 300)
    return "the server answered with status " + std::to_string(Response.Status);
  const auto header = Response.Headers.find("last-modified");
  if (header == Response.Headers.end()) return "the server gave no date of the archive";
  const auto parsed = ParseHttpDate(SysUtils::Trim(header->second));
  if (!parsed || (!IsEmptyDate(*parsed) && !ValidDate(*parsed)))
    return "the archive's date \"" + header->second + "\" is not readable";
  if (IsEmptyDate(*parsed)) return "the server gave an empty date of the archive";
  Date = *parsed;
  return {};
}

}  // namespace

bool IsEmptyDate(const TSystemTime& Date) { return Date.Year == 0 || Date.Month == 0 || Date.Day == 0; }

std::optional<TSystemTime> ParseHttpDate(std::string_view Text) {
  for (auto parse : {ParseRfc1123, ParseRfc850, ParseAsctime})
    if (auto date = parse(Text)) return date;
  return std::nullopt;
}

TSystemTime UtcToLocal(const TSystemTime& Utc) {
  const int64_t seconds =
      DaysFromCivil(Utc.Year, Utc.Month, Utc.Day) * 86400 + Utc.Hour * 3600 + Utc.Minute * 60 + Utc.Second;
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (!localtime_r(&time, &local)) return Utc;
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

TSystemTime ProgramFileDate() {
  SysUtils::TDateTime age = 0.0;
  if (!SysUtils::FileAge(Application->ExeName(), age)) return {};
  TSystemTime date;
  SysUtils::DecodeDate(age, date.Year, date.Month, date.Day);
  return date;
}

std::string UpdateUrl() {
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (registry.OpenKeyReadOnly(SettingsKey) && registry.ValueExists("UpdateURL") &&
      registry.GetDataType("UpdateURL") == TRegDataType::rdString) {
    const std::string url = SysUtils::Trim(registry.ReadString("UpdateURL"));
    if (!url.empty()) return url;
  }
  return DefaultUpdateUrl;
}

bool CheckForUpdates(const std::string& Url, const TSystemTime& LocalDate, int TimeoutMs) {
  TSystemTime server;
  if (const std::string reason = ServerDate(AskServer(Url, TimeoutMs), server); !reason.empty()) {
    CouldNotCheck(reason);
    return false;
  }
  server = UtcToLocal(server);
  if (!Before(LocalDate, server)) {
    Dialogs::ShowMessage("Last version : " + std::to_string(server.Year) + " " + std::to_string(server.Month) +
                         " " + std::to_string(server.Day));
    return false;
  }
  if (!UserSeam::Current().ShellOpen(Url)) Dialogs::ShowMessage("Cannot open " + Url);
  return true;
}

bool CheckForUpdates(const std::string& Url) { return CheckForUpdates(Url, ProgramFileDate(), UpdateTimeoutMs); }

}  // namespace ResMainForm
