#include "system/size_text.h"

namespace zelvor {
namespace {

std::string Grouped(NumberFormat format, std::uint64_t n, const char* unit) {
  format.decimals = 0;
  return formatNumberText(format, std::to_string(n)) + " " + unit;
}

}  // namespace

std::string FormatMegabytes(const NumberFormat& format, std::uint64_t megabytes) {
  return Grouped(format, megabytes, "MB");
}

std::string FormatKilobytes(const NumberFormat& format, std::uint64_t kilobytes) {
  return Grouped(format, kilobytes, "KB");
}

std::string FormatGigabytes(const NumberFormat& format, std::uint64_t megabytes) {
  return formatNumber(format, static_cast<double>(megabytes) / 1024.0) + " GB";
}

std::uint32_t MegabytesOf(std::uint64_t bytes) {
  const std::uint64_t mb = bytes >> 20;
  // Past 32 bits the figure stays at its largest rather than wrapping to a
  // small one.
  return mb > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(mb);
}

}  // namespace zelvor
