// zelvorctl fetch --password-file reads a file the user names: whatever is
// in it gives a plain one-line password or a reason, never more than the
// limit and never a control character.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/ctl_password.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The reader never passes on more than this.
  if (size > zelvor::ctl::kMaxPassword + 1) return 0;
  std::string error;
  const auto password =
      zelvor::ctl::passwordFromFileText(std::string_view(reinterpret_cast<const char*>(data), size), error);
  if (password) {
    if (password->empty() || password->size() > zelvor::ctl::kMaxPassword) __builtin_trap();
    if (!zelvor::ctl::isPlainPassword(*password)) __builtin_trap();
  } else if (error.empty()) {
    __builtin_trap();
  }
  return 0;
}
