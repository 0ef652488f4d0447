#pragma once
#include <string>

#include "platform/locale.h"

namespace zelvor {

// Number conventions a test sets. The defaults are those of a Spanish desktop.
class SimLocale : public Locale {
 public:
  NumberFormat numberFormat() override { return format; }
  std::string currencySymbol() override { return currency; }

  NumberFormat format{",", ".", {3}, 2};
  std::string currency = "€";
};

}  // namespace zelvor
