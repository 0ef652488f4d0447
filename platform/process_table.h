#pragma once
// The running processes: listing them with their figures, the files they
// have loaded, ending them and changing their priority.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvor {

// Time in the units the suite's figures use: 100 nanoseconds.
inline constexpr std::uint64_t kTimeUnitsPerSecond = 10'000'000;

struct ProcessRecord {
  std::uint32_t pid = 0;
  // When the process started, in the system's own units: a process id the
  // system gave again to a new process comes with another start.
  std::uint64_t startTime = 0;
  std::string name;            // the program's file name
  std::string executablePath;  // "" when the system does not tell us (another user's process)
  std::uint64_t cpuTime = 0;   // user and system time, in kTimeUnitsPerSecond units
  std::uint64_t residentBytes = 0;
  int nice = 0;
  std::uint32_t ownerId = 0;
  std::string ownerName;      // "" when the id has no name
  bool kernelThread = false;  // part of the system itself: no program file, no memory of its own

  friend bool operator==(const ProcessRecord&, const ProcessRecord&) = default;
};

struct ModuleRecord {
  std::string path;
  std::uint64_t base = 0;  // the lowest address it is mapped at

  friend bool operator==(const ModuleRecord&, const ModuleRecord&) = default;
};

enum class ProcessRefusal {
  None,            // done
  Gone,            // no such process (any more)
  OtherUser,       // the process belongs to another user
  NeedsPrivilege,  // ours, but the change needs privileges we lack (a higher priority)
  Invalid,         // the request names no process or no priority class
  Failed,          // anything else; see the system's text
};

struct ProcessActionResult {
  ProcessRefusal refusal = ProcessRefusal::None;
  std::string systemText;  // the system's own words for a failure

  [[nodiscard]] bool ok() const { return refusal == ProcessRefusal::None; }
};

class ProcessTable {
 public:
  virtual ~ProcessTable() = default;

  // Every process the system lists, in ascending id order.
  [[nodiscard]] virtual std::vector<ProcessRecord> processes() = 0;
  // The files mapped into a process, in address order of their first
  // mapping; nullopt when they cannot be read (another user's process, or
  // it is gone).
  [[nodiscard]] virtual std::optional<std::vector<ModuleRecord>> modules(std::uint32_t pid) = 0;
  // Asks the process to end, the way the desktop's own tools end a program:
  // it may save and clean up, or refuse by ignoring the request.
  [[nodiscard]] virtual ProcessActionResult terminate(std::uint32_t pid) = 0;
  // Sets every thread of the process to the niceness of a priority class
  // (platform/priority_classes.h).
  [[nodiscard]] virtual ProcessActionResult setPriority(std::uint32_t pid, std::uint32_t priorityClass) = 0;
};

// Whether pid can name one other process: 0 and ids beyond what a process
// id can be would reach a whole group or every process on some systems.
[[nodiscard]] constexpr bool IsSingleProcessId(std::uint32_t pid) { return pid > 0 && pid <= 0x3FFFFFFF; }

}  // namespace zelvor
