#pragma once
// Amounts of memory and disk as the suite writes them.

#include <cstdint>
#include <string>

#include "platform/locale.h"

namespace zelvor {

// n with the user's digit grouping and no decimals, a blank and "MB":
// "1.024 MB" on a Spanish desktop.
[[nodiscard]] std::string FormatMegabytes(const NumberFormat& format, std::uint64_t megabytes);
// The same with "KB", for the memory of one process.
[[nodiscard]] std::string FormatKilobytes(const NumberFormat& format, std::uint64_t kilobytes);
// megabytes / 1024 written the user's way, with the user's decimals, and
// " GB": "1,50 GB" for 1536 on a Spanish desktop.
[[nodiscard]] std::string FormatGigabytes(const NumberFormat& format, std::uint64_t megabytes);

// Bytes in whole megabytes (shifted right by 20), as the figures keep them:
// 32 bits, so the largest amount shown is about 4 PB.
[[nodiscard]] std::uint32_t MegabytesOf(std::uint64_t bytes);

}  // namespace zelvor
