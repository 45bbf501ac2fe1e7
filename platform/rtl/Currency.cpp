// The user's currency symbol.
#include "platform/rtl/Currency.h"

#include <QLocale>

namespace SysUtils {
std::string CurrencyString = [] {
  const std::string S = QLocale::system().currencySymbol(QLocale::CurrencySymbol).toStdString();
  return S.empty() ? std::string("$") : S;
}();
}  // namespace SysUtils
