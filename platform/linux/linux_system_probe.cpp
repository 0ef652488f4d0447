#include "platform/linux/linux_system_probe.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/linux/block_devices.h"
#include "platform/linux/cpuid_instruction.h"
#include "platform/linux/kernel_file.h"
#include "platform/system_folders.h"
#include "system/procfs/cpuinfo.h"
#include "system/procfs/kernel_text.h"
#include "system/procfs/meminfo.h"
#include "system/procfs/mountinfo.h"
#include "system/procfs/os_release.h"
#include "system/procfs/proc_stat.h"

namespace zelvor {
namespace {

constexpr long kMeasureNanoseconds = 50'000'000;

std::optional<int> KilohertzFileMHz(const std::string& path) {
  const auto text = ReadKernelFile(path, kernel_file_cap::SmallValue);
  if (!text) return std::nullopt;
  const std::string_view line = std::string_view(*text).substr(0, text->find('\n'));
  const auto khz = procfs::ParseUnsigned(procfs::Trim(line));
  if (!khz || *khz == 0 || *khz > 1'000'000'000) return std::nullopt;
  return static_cast<int>(*khz / 1000);
}

std::int64_t MonotonicNanoseconds() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC_RAW, &t);
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// The time-stamp counter's rate over 50 ms, as the information has always
// measured the clock, but sleeping rather than spinning: the counter runs
// on while the thread sleeps.
std::optional<int> MeasuredMHz() {
  const auto c0 = TimeStampCounter();
  if (!c0) return std::nullopt;
  const std::int64_t t0 = MonotonicNanoseconds();
  timespec wait{0, kMeasureNanoseconds};
  while (::nanosleep(&wait, &wait) != 0) {
  }
  const auto c1 = TimeStampCounter();
  const std::int64_t t1 = MonotonicNanoseconds();
  if (!c1 || *c1 <= *c0 || t1 <= t0) return std::nullopt;
  const double mhz = static_cast<double>(*c1 - *c0) * 1000.0 / static_cast<double>(t1 - t0);
  if (mhz < 1 || mhz > 1'000'000) return std::nullopt;
  return static_cast<int>(mhz);
}

utsname Uname() {
  utsname u{};
  if (::uname(&u) != 0) return utsname{};
  return u;
}

}  // namespace

std::optional<CpuTimes> LinuxSystemProbe::cpuTimes() {
  const auto text = ReadKernelFile("/proc/stat", kernel_file_cap::Stat);
  if (!text) return std::nullopt;
  return procfs::ParseProcStat(*text).all;
}

int LinuxSystemProbe::processorCount() {
  if (const auto text = ReadKernelFile("/proc/stat", kernel_file_cap::Stat)) {
    const int n = procfs::ParseProcStat(*text).processors;
    if (n > 0) return n;
  }
  const long online = ::sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 && online < INT32_MAX ? static_cast<int>(online) : 0;
}

std::optional<CpuidRegisters> LinuxSystemProbe::identify(std::uint32_t leaf) { return CpuidLeaf(leaf); }

ProcessorDescription LinuxSystemProbe::processorDescription() {
  const auto text = ReadKernelFile("/proc/cpuinfo", kernel_file_cap::Cpuinfo);
  if (!text) return {};
  return procfs::ParseCpuinfo(*text).description;
}

int LinuxSystemProbe::clockMHz() {
  if (clockMHz_) return *clockMHz_;
  const std::string cpufreq = "/sys/devices/system/cpu/cpu0/cpufreq/";
  std::optional<int> mhz = KilohertzFileMHz(cpufreq + "base_frequency");
  if (!mhz) mhz = MeasuredMHz();
  if (!mhz) {
    if (const auto text = ReadKernelFile("/proc/cpuinfo", kernel_file_cap::Cpuinfo)) {
      const int figure = procfs::ParseCpuinfo(*text).mhz;
      if (figure > 0) mhz = figure;
    }
  }
  if (!mhz) mhz = KilohertzFileMHz(cpufreq + "cpuinfo_max_freq");
  clockMHz_ = mhz.value_or(0);
  return *clockMHz_;
}

std::optional<MemoryBytes> LinuxSystemProbe::memory() {
  const auto text = ReadKernelFile("/proc/meminfo", kernel_file_cap::Meminfo);
  if (!text) return std::nullopt;
  const procfs::MeminfoFields fields = procfs::ParseMeminfo(*text);
  std::uint64_t lowWatermark = 0;
  if (!fields.memAvailable) {
    const long page = ::sysconf(_SC_PAGESIZE);
    if (const auto zones = ReadKernelFile("/proc/zoneinfo", kernel_file_cap::Zoneinfo); zones && page > 0) {
      lowWatermark = procfs::SaturatingMultiply(procfs::ParseZoneLowWatermarkPages(*zones),
                                                static_cast<std::uint64_t>(page));
    }
  }
  return procfs::MemoryBytesOf(fields, lowWatermark);
}

std::vector<FixedDisk> LinuxSystemProbe::fixedDisks() {
  const auto text = ReadKernelFile("/proc/self/mountinfo", kernel_file_cap::Mountinfo);
  if (!text) return {};
  const auto labels = LabelsByDevice(kLabelFolder);
  return procfs::SelectFixedDisks(procfs::ParseMountinfo(*text), [&](const procfs::MountEntry& m) {
    procfs::BlockDeviceFacts facts;
    const std::string device = CanonicalPath(m.source).value_or(m.source);
    const std::size_t slash = device.rfind('/');
    facts.removable = IsRemovableDevice(device.substr(slash + 1), kBlockClassFolder);
    if (const auto it = labels.find(device); it != labels.end()) facts.label = it->second;
    return facts;
  });
}

std::optional<DiskBytes> LinuxSystemProbe::diskSpace(const std::string& root) {
  struct statvfs s{};
  if (root.empty() || ::statvfs(root.c_str(), &s) != 0) return std::nullopt;
  const std::uint64_t unit = s.f_frsize != 0 ? s.f_frsize : s.f_bsize;
  return DiskBytes{procfs::SaturatingMultiply(s.f_blocks, unit), procfs::SaturatingMultiply(s.f_bfree, unit)};
}

SystemIdentity LinuxSystemProbe::systemIdentity() {
  SystemIdentity identity;
  // The file's own documentation: /etc first, the vendor's copy otherwise.
  auto text = ReadKernelFile("/etc/os-release", kernel_file_cap::OsRelease);
  if (!text) text = ReadKernelFile("/usr/lib/os-release", kernel_file_cap::OsRelease);
  identity.distribution = procfs::DistributionName(text ? procfs::ParseOsRelease(*text) : procfs::OsRelease{});
  identity.kernelRelease = procfs::PrintableText(Uname().release);
  return identity;
}

std::string LinuxSystemProbe::computerName() { return procfs::PrintableText(Uname().nodename); }

std::string LinuxSystemProbe::userName() {
  const uid_t uid = ::geteuid();
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return procfs::PrintableText(found->pw_name);
  }
  // A user the password database does not know is named by number, as
  // the system's own tools do.
  return std::to_string(uid);
}

std::string LinuxSystemProbe::systemFolder() { return std::string(kSystemFolder); }
std::string LinuxSystemProbe::systemProgramFolder() { return std::string(kSystemProgramFolder); }

std::string LinuxSystemProbe::temporaryFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir != nullptr && tmpdir[0] == '/') {
    struct stat st{};
    if (::stat(tmpdir, &st) == 0 && S_ISDIR(st.st_mode)) {
      std::string folder = tmpdir;
      if (folder.back() != '/') folder.push_back('/');
      return folder;
    }
  }
  return "/tmp/";
}

}  // namespace zelvor
