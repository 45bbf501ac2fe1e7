#pragma once
// "Help" > "Check for updates": asks the web server for the Last-Modified date
// of the program archive and compares its local calendar date with the date of
// the running program file.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ResMainForm {

// A calendar date and time of day, as the server's date header gives it.
struct TSystemTime {
  int32_t Year = 0, Month = 0, Day = 0;
  int32_t Hour = 0, Minute = 0, Second = 0;
};

// The archive's address when the program settings name none ("UpdateURL").
inline constexpr const char* DefaultUpdateUrl = "https://kelmvev2er.org/download/kelmvev2er.zip";
// How long the check waits for the server.
inline constexpr int UpdateTimeoutMs = 15000;

// True when the year, the month or the day is 0.
bool IsEmptyDate(const TSystemTime& Date);

// An HTTP date in any of its three forms: "Sun, 06 Nov 1994 08:49:37 GMT",
// "Sunday, 06-Nov-94 08:49:37 GMT" and "Sun Nov  6 08:49:37 1994". Day and year
// may be 0 (IsEmptyDate tells); none for anything else that is not such a date.
std::optional<TSystemTime> ParseHttpDate(std::string_view Text);
// A UTC time as the local calendar date and time.
TSystemTime UtcToLocal(const TSystemTime& Utc);
// The local calendar date of the running program file's last change (zero when unknown).
TSystemTime ProgramFileDate();
// The address to check: the program setting "UpdateURL", else DefaultUpdateUrl.
std::string UpdateUrl();

// Asks the server at Url; true when its archive is newer than LocalDate (the
// address is then opened in the browser). Otherwise shows "Last version : "
// and the server's date, or why it could not check.
bool CheckForUpdates(const std::string& Url, const TSystemTime& LocalDate, int TimeoutMs = UpdateTimeoutMs);
// The same against the running program file's date.
bool CheckForUpdates(const std::string& Url);

}  // namespace ResMainForm
