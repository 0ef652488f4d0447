#pragma once
#include "platform/locale.h"

namespace zelvor {

// The conventions of the user's locale (LC_ALL, LC_NUMERIC, LC_MONETARY,
// LANG), read without changing the process's own locale, so that stored
// numbers keep being written with '.'.
class LinuxLocale : public Locale {
 public:
  NumberFormat numberFormat() override;
  std::string currencySymbol() override;
};

}  // namespace zelvor
