#include "platform/linux/linux_process_table.h"

#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "platform/linux/kernel_file.h"
#include "platform/linux/linux_system_probe.h"
#include "platform/priority_classes.h"
#include "system/procfs/kernel_text.h"
#include "system/procfs/pid_files.h"

namespace zelvor {
namespace {

constexpr std::string_view kDeletedSuffix = " (deleted)";

std::string ErrorText(int error) {
  char buffer[256];
  // The GNU form returns the text, which may not be the buffer.
  const char* text = ::strerror_r(error, buffer, sizeof buffer);
  return text != nullptr ? text : "";
}

std::string ProcFolder(std::uint32_t pid) { return "/proc/" + std::to_string(pid) + "/"; }

// The numeric entries of a /proc folder.
std::vector<std::uint32_t> NumericEntries(const std::string& folder, bool& opened) {
  std::vector<std::uint32_t> ids;
  DIR* dir = ::opendir(folder.c_str());
  opened = dir != nullptr;
  if (dir == nullptr) return ids;
  while (const dirent* e = ::readdir(dir)) {
    const auto id = procfs::ParseUnsigned(e->d_name);
    if (id && IsSingleProcessId(static_cast<std::uint32_t>(std::min<std::uint64_t>(*id, UINT32_MAX)))) {
      ids.push_back(static_cast<std::uint32_t>(*id));
    }
  }
  ::closedir(dir);
  std::sort(ids.begin(), ids.end());
  return ids;
}

class OwnerNames {
 public:
  const std::string& of(std::uint32_t uid) {
    const auto it = names_.find(uid);
    if (it != names_.end()) return it->second;
    std::string name;
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
      name = procfs::PrintableText(found->pw_name);
    }
    return names_.emplace(uid, std::move(name)).first->second;
  }

 private:
  std::map<std::uint32_t, std::string> names_;
};

std::string FileNameOf(std::string_view path) {
  if (path.size() > kDeletedSuffix.size() && path.substr(path.size() - kDeletedSuffix.size()) == kDeletedSuffix) {
    path.remove_suffix(kDeletedSuffix.size());
  }
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

ProcessActionResult RefusalOfError(int error) {
  switch (error) {
    case 0: return {};
    case ESRCH: return {ProcessRefusal::Gone, ErrorText(error)};
    case EPERM: return {ProcessRefusal::OtherUser, ErrorText(error)};
    case EACCES: return {ProcessRefusal::NeedsPrivilege, ErrorText(error)};
    case EINVAL: return {ProcessRefusal::Invalid, ErrorText(error)};
    default: return {ProcessRefusal::Failed, ErrorText(error)};
  }
}

std::vector<ProcessRecord> LinuxProcessTable::processes() {
  const long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  const std::uint64_t ticks = ticksPerSecond > 0 ? static_cast<std::uint64_t>(ticksPerSecond) : 100;
  const std::uint64_t page = pageSize > 0 ? static_cast<std::uint64_t>(pageSize) : 4096;
  OwnerNames owners;
  bool opened = false;
  std::vector<ProcessRecord> list;
  for (const std::uint32_t pid : NumericEntries("/proc/", opened)) {
    const std::string folder = ProcFolder(pid);
    const auto statText = ReadKernelFile(folder + "stat", kernel_file_cap::PidStat);
    if (!statText) continue;  // ended meanwhile
    const auto stat = procfs::ParsePidStat(*statText);
    if (!stat) continue;
    ProcessRecord p;
    p.pid = pid;
    p.startTime = stat->startTicks;
    p.kernelThread = (stat->flags & procfs::kKernelThreadFlag) != 0;
    if (!p.kernelThread) {
      if (const auto exe = ReadLinkText(folder + "exe")) p.executablePath = procfs::PrintableText(*exe);
    }
    p.name = p.executablePath.empty() ? stat->command : FileNameOf(p.executablePath);
    const std::uint64_t cpuTicks = procfs::SaturatingAdd(stat->userTicks, stat->systemTicks);
    p.cpuTime = procfs::SaturatingMultiply(cpuTicks, kTimeUnitsPerSecond / ticks);
    p.residentBytes = procfs::SaturatingMultiply(stat->residentPages, page);
    p.nice = stat->nice;
    if (const auto status = ReadKernelFile(folder + "status", kernel_file_cap::PidStatus)) {
      if (const auto uid = procfs::ParseEffectiveUid(*status)) {
        p.ownerId = *uid;
        p.ownerName = owners.of(*uid);
      }
    }
    list.push_back(std::move(p));
  }
  return list;
}

std::optional<std::vector<ModuleRecord>> LinuxProcessTable::modules(std::uint32_t pid) {
  if (!IsSingleProcessId(pid)) return std::nullopt;
  const auto text = ReadKernelFile(ProcFolder(pid) + "maps", kernel_file_cap::PidMaps);
  if (!text) return std::nullopt;
  return procfs::ParseMaps(*text);
}

ProcessActionResult LinuxProcessTable::terminate(std::uint32_t pid) {
  if (!IsSingleProcessId(pid)) return {ProcessRefusal::Invalid, ErrorText(EINVAL)};
  if (::kill(static_cast<pid_t>(pid), SIGTERM) == 0) return {};
  return RefusalOfError(errno);
}

ProcessActionResult LinuxProcessTable::setPriority(std::uint32_t pid, std::uint32_t priorityClass) {
  const std::optional<int> nice = NiceValueOf(priorityClass);
  if (!IsSingleProcessId(pid) || !nice) return {ProcessRefusal::Invalid, ErrorText(EINVAL)};
  // The niceness belongs to each thread; setting the process id alone
  // would change only its first thread.
  bool opened = false;
  const std::vector<std::uint32_t> threads = NumericEntries(ProcFolder(pid) + "task/", opened);
  if (!opened) return RefusalOfError(ESRCH);
  bool anySet = false;
  for (const std::uint32_t tid : threads) {
    if (::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), *nice) == 0) {
      anySet = true;
      continue;
    }
    const int error = errno;
    if (error == ESRCH) continue;  // the thread ended meanwhile
    return RefusalOfError(error);
  }
  return anySet ? ProcessActionResult{} : RefusalOfError(ESRCH);
}

}  // namespace zelvor
