#include "platform/linux/linux_locale.h"

#include <locale.h>

#include <climits>
#include <string>

namespace zelvor {
namespace {

// What localeconv() says for the user's environment locale. The locale is
// made current for this thread only while it is read.
struct Conventions {
  NumberFormat number;
  std::string currency;
};

Conventions readConventions() {
  Conventions c;
  c.number.thousandsSeparator = "";
  c.number.grouping.clear();
  locale_t user = ::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
  // An environment naming a locale that is not installed falls back to C.
  if (user == static_cast<locale_t>(nullptr)) {
    user = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  }
  if (user == static_cast<locale_t>(nullptr)) return c;
  const locale_t previous = ::uselocale(user);
  const lconv* lc = ::localeconv();
  if (lc->decimal_point != nullptr && lc->decimal_point[0] != '\0') {
    c.number.decimalSeparator = lc->decimal_point;
  }
  if (lc->thousands_sep != nullptr) c.number.thousandsSeparator = lc->thousands_sep;
  // The grouping string holds one size per byte; CHAR_MAX ends the grouping
  // and a 0 byte repeats the last size.
  for (const char* g = lc->grouping; g != nullptr && *g != '\0'; ++g) {
    if (*g == CHAR_MAX) {
      c.number.grouping.push_back(0);
      break;
    }
    c.number.grouping.push_back(*g);
  }
  // POSIX has no digit count for plain numbers; the monetary one is what
  // a money amount is shown with, and two is the common default.
  c.number.decimals = (lc->frac_digits >= 0 && lc->frac_digits <= 9) ? lc->frac_digits : 2;
  if (lc->currency_symbol != nullptr) c.currency = lc->currency_symbol;
  ::uselocale(previous);
  ::freelocale(user);
  return c;
}

}  // namespace

NumberFormat LinuxLocale::numberFormat() { return readConventions().number; }

std::string LinuxLocale::currencySymbol() { return readConventions().currency; }

}  // namespace zelvor
