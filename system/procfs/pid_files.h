#pragma once
// The files of one process under /proc/PID: stat, status and maps.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process_table.h"

namespace zelvor::procfs {

// The fields of /proc/PID/stat the process list shows. Times are in the
// kernel's clock ticks, the resident size in pages.
struct PidStat {
  std::uint32_t pid = 0;
  std::string command;  // the kernel's short name for it, made printable
  char state = '?';
  std::uint32_t flags = 0;
  std::uint64_t userTicks = 0;
  std::uint64_t systemTicks = 0;
  int nice = 0;
  std::uint64_t startTicks = 0;
  std::uint64_t residentPages = 0;

  friend bool operator==(const PidStat&, const PidStat&) = default;
};

// The kernel marks its own threads with this flag.
inline constexpr std::uint32_t kKernelThreadFlag = 0x00200000;

// The short name sits between the first '(' and the last ')', since it may
// itself hold blanks and parentheses; nullopt when the text is no stat line
// or lacks a field up to the resident size.
[[nodiscard]] std::optional<PidStat> ParsePidStat(std::string_view text);

// The effective user id from /proc/PID/status ("Uid:" real, effective, ...).
[[nodiscard]] std::optional<std::uint32_t> ParseEffectiveUid(std::string_view text);

// The files mapped by /proc/PID/maps: each path once, at the start address
// of its first mapping, in address order. Anonymous memory, the stack, the
// heap and the kernel's own pages ("[vdso]") are no files.
[[nodiscard]] std::vector<ModuleRecord> ParseMaps(std::string_view text);

}  // namespace zelvor::procfs
