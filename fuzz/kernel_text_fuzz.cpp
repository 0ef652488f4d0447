// Every reader of the kernel's text files over the same arbitrary bytes:
// /proc/stat, /proc/meminfo and /proc/zoneinfo, /proc/cpuinfo, a process's
// stat, status and maps, /proc/self/mountinfo, os-release, and udev's
// label names. None may crash or hang, and each keeps its promises: texts
// come out printable UTF-8, figures stay within their totals, fixed disks
// come only from devices.

#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/default_max_len.h"
#include "system/cpu_usage.h"
#include "system/procfs/cpuinfo.h"
#include "system/procfs/kernel_text.h"
#include "system/procfs/meminfo.h"
#include "system/procfs/mountinfo.h"
#include "system/procfs/os_release.h"
#include "system/procfs/pid_files.h"
#include "system/procfs/proc_stat.h"

namespace {

using namespace zelvor;
using namespace zelvor::procfs;

void check(bool condition) {
  if (!condition) std::abort();
}

bool Printable(const std::string& text) { return PrintableText(text) == text; }

void CheckStat(std::string_view text) {
  const ProcStat s = ParseProcStat(text);
  check(s.processors >= 0);
  if (s.all) {
    check(s.all->idle <= s.all->total);
    const auto usage = UsageBetween(CpuTimes{}, *s.all);
    check(!usage || (*usage >= 0 && *usage <= 100));
  }
}

void CheckMemory(std::string_view text) {
  const MeminfoFields fields = ParseMeminfo(text);
  const std::uint64_t low = ParseZoneLowWatermarkPages(text);
  for (const std::uint64_t watermark : {std::uint64_t{0}, SaturatingMultiply(low, 4096)}) {
    if (const auto m = MemoryBytesOf(fields, watermark)) {
      check(m->physicalAvailable <= m->physicalTotal);
      check(m->swapFree <= m->swapTotal);
    }
  }
}

void CheckProcessor(std::string_view text) {
  const CpuinfoSummary s = ParseCpuinfo(text);
  check(Printable(s.description.name) && Printable(s.description.vendor));
  check(s.mhz >= 0 && s.processors >= 0);
}

void CheckProcessFiles(std::string_view text) {
  if (const auto stat = ParsePidStat(text)) {
    check(Printable(stat->command));
    check(stat->nice >= -20 && stat->nice <= 19);
  }
  (void)ParseEffectiveUid(text);
  std::set<std::string> paths;
  for (const ModuleRecord& m : ParseMaps(text)) {
    check(!m.path.empty() && m.path.front() == '/' && Printable(m.path));
    check(paths.insert(m.path).second);
  }
}

void CheckMounts(std::string_view text) {
  const auto mounts = ParseMountinfo(text);
  std::set<std::string> devices;
  for (const MountEntry& m : mounts) {
    check(!m.mountPoint.empty() && m.mountPoint.front() == '/');
    check(Printable(m.mountPoint) && Printable(m.type) && Printable(m.source));
    if (m.source.rfind("/dev/", 0) == 0) devices.insert(m.mountPoint);
  }
  std::size_t asked = 0;
  const auto disks = SelectFixedDisks(mounts, [&](const MountEntry& m) {
    BlockDeviceFacts facts;
    facts.removable = (asked++ % 3) == 2;
    facts.label = m.source;
    return facts;
  });
  check(disks.size() <= mounts.size());
  for (const FixedDisk& d : disks) check(devices.count(d.mountPoint) != 0 && Printable(d.label));
}

void CheckNames(std::string_view text) {
  const OsRelease release = ParseOsRelease(text);
  check(Printable(release.prettyName) && Printable(release.name) && Printable(release.version));
  check(!DistributionName(release).empty());
  check(DecodeUdevEscapes(text).size() <= text.size());
  check(DecodeOctalEscapes(text).size() <= text.size());
}

}  // namespace

// Real files run to a few kilobytes; a machine with hundreds of processors
// or mounts, or a large process's maps, to some hundreds.
constexpr std::size_t kMaxInput = 256 * 1024;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckStat(text);
  CheckMemory(text);
  CheckProcessor(text);
  CheckProcessFiles(text);
  CheckMounts(text);
  CheckNames(text);
  return 0;
}
