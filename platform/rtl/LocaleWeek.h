#pragma once
// The first day of the week of the user's locale.

namespace SysUtils {
// 0 = Monday ... 6 = Sunday; 0 when the locale does not say.
int LocaleFirstDayOfWeek();
}  // namespace SysUtils
