#pragma once
// The Zivi Duvaza icon's hover text: a template the user writes, with
// macros ("$CPU$", "$MFL$", ...) replaced by live figures and "|" as a
// line break.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/locale.h"
#include "system/memory_info.h"

namespace zelvor {

struct IconTextMacro {
  std::string_view macro;     // "$MFL$"
  std::string_view menuText;  // what the page's macro menu offers
};
// In the order of the page's menu.
[[nodiscard]] const std::array<IconTextMacro, 10>& IconTextMacros();

// What the expansion asks for its figures: the CPU usage of the icon's
// own probe, and memory refreshed at most once per expansion.
struct IconTextSources {
  std::function<int()> cpuUsage;
  std::function<const CMemoryInfo&()> memory;
  NumberFormat format;
};

// Expands a template: known macros become their figures; any other token
// keeps its first "$" and the scan goes on after it, so its closing "$" may
// open the next token. Once the text reaches 64 characters after a token,
// the rest of the template is dropped. "|" becomes a line break.
[[nodiscard]] std::string ExpandIconText(std::string_view text, const IconTextSources& sources);

// Rebuilds the text at most once every 3 seconds of the local clock (whole
// seconds); in between the previous text stays.
class IconTextBuilder {
 public:
  [[nodiscard]] const std::string& Build(std::int64_t nowSeconds, std::string_view text, const IconTextSources& sources);
  [[nodiscard]] const std::string& last() const { return last_; }

 private:
  std::int64_t builtAt_ = 0;
  bool built_ = false;
  std::string last_;
};

}  // namespace zelvor
