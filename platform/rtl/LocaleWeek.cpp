#include "platform/rtl/LocaleWeek.h"

#include <QLocale>

namespace SysUtils {

int LocaleFirstDayOfWeek() {
  const int day = static_cast<int>(QLocale::system().firstDayOfWeek());  // Qt: 1 = Monday ... 7 = Sunday
  return day >= 1 && day <= 7 ? day - 1 : 0;
}

}  // namespace SysUtils
