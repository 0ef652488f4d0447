// The interface counters are kernel files read in a few bytes: whatever
// they hold gives a number that prints back as the same digits, or nothing.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/counter_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = zelvor::ParseCounterText(text);
  if (!value) return 0;
  std::string digits(text);
  if (!digits.empty() && digits.back() == '\n') digits.pop_back();
  // Leading zeros are the kernel's to write; the value must match the digits.
  const std::size_t first = digits.find_first_not_of('0');
  const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
  if (std::to_string(*value) != significant) __builtin_trap();
  return 0;
}
