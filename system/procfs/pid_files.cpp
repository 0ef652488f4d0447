#include "system/procfs/pid_files.h"

#include <algorithm>
#include <unordered_set>

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

// Positions after the state (the third field of the line).
constexpr std::size_t kFlags = 6;
constexpr std::size_t kUserTime = 11;
constexpr std::size_t kSystemTime = 12;
constexpr std::size_t kNice = 16;
constexpr std::size_t kStartTime = 19;
constexpr std::size_t kResident = 21;

}  // namespace

std::optional<PidStat> ParsePidStat(std::string_view text) {
  const std::size_t open = text.find('(');
  const std::size_t close = text.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
  const auto pid = ParseUnsigned(Trim(text.substr(0, open)));
  if (!pid || *pid > UINT32_MAX) return std::nullopt;

  const auto fields = SplitFields(text.substr(close + 1), kResident + 1);
  if (fields.size() <= kResident || fields[0].size() != 1) return std::nullopt;
  const auto flags = ParseUnsigned(fields[kFlags]);
  const auto user = ParseUnsigned(fields[kUserTime]);
  const auto system = ParseUnsigned(fields[kSystemTime]);
  const auto nice = ParseSigned(fields[kNice]);
  const auto start = ParseUnsigned(fields[kStartTime]);
  const auto resident = ParseSigned(fields[kResident]);
  if (!flags || !user || !system || !nice || !start || !resident) return std::nullopt;

  PidStat s;
  s.pid = static_cast<std::uint32_t>(*pid);
  s.command = PrintableText(text.substr(open + 1, close - open - 1));
  s.state = fields[0][0];
  s.flags = static_cast<std::uint32_t>(*flags);
  s.userTicks = *user;
  s.systemTicks = *system;
  s.nice = static_cast<int>(std::clamp<std::int64_t>(*nice, -20, 19));
  s.startTicks = *start;
  s.residentPages = *resident > 0 ? static_cast<std::uint64_t>(*resident) : 0;
  return s;
}

std::optional<std::uint32_t> ParseEffectiveUid(std::string_view text) {
  std::optional<std::uint32_t> uid;
  ForEachLine(text, [&](std::string_view line) {
    if (uid || line.substr(0, 4) != "Uid:") return;
    const auto fields = SplitFields(line.substr(4), 5);
    if (fields.size() < 2) return;
    const auto value = ParseUnsigned(fields[1]);
    if (value && *value <= UINT32_MAX) uid = static_cast<std::uint32_t>(*value);
  });
  return uid;
}

std::vector<ModuleRecord> ParseMaps(std::string_view text) {
  std::vector<ModuleRecord> modules;
  std::unordered_set<std::string> seen;
  ForEachLine(text, [&](std::string_view line) {
    // address perms offset device inode, then the path after blanks.
    std::size_t at = 0;
    std::string_view field[5];
    for (auto& f : field) {
      while (at < line.size() && line[at] == ' ') ++at;
      const std::size_t start = at;
      while (at < line.size() && line[at] != ' ') ++at;
      f = line.substr(start, at - start);
    }
    while (at < line.size() && line[at] == ' ') ++at;
    const std::string_view path = line.substr(at);
    if (path.empty() || path.front() != '/') return;
    const auto inode = ParseUnsigned(field[4]);
    if (!inode || *inode == 0) return;
    const std::size_t dash = field[0].find('-');
    if (dash == std::string_view::npos) return;
    const auto start = ParseHex(field[0].substr(0, dash));
    if (!start) return;
    std::string printable = PrintableText(path);
    if (!seen.insert(printable).second) return;
    modules.push_back(ModuleRecord{std::move(printable), *start});
  });
  return modules;
}

}  // namespace zelvor::procfs
