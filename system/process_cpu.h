#pragma once
// Processor usage of each process between two refreshes of a process list.

#include <cstdint>
#include <map>
#include <vector>

#include "platform/process_table.h"

namespace zelvor {

enum class CpuFigure {
  Measured,     // percent is the usage since the previous refresh
  FirstSample,  // the process was not in the previous refresh: shown as 0 %
  TooSoon,      // less than a whole second since the previous refresh: nothing measured
};

struct ProcessCpu {
  std::uint32_t pid = 0;
  CpuFigure figure = CpuFigure::FirstSample;
  int percent = 0;  // of one processor: a process busy on two shows 200

  friend bool operator==(const ProcessCpu&, const ProcessCpu&) = default;
};

// Keeps each process's processor time at the previous refresh and the
// time of that refresh (whole seconds). A list window owns one.
class ProcessCpuSamples {
 public:
  // The figures of this refresh, in the order of processes. The processes
  // become the previous samples, and those not among them are forgotten,
  // unless the refresh comes too soon: then nothing is kept from it, so
  // the next refresh measures over the whole time since the last one.
  // A process id the system gave to a new process (another start time)
  // counts as a new process. A clock set back starts the samples afresh.
  [[nodiscard]] std::vector<ProcessCpu> Update(const std::vector<ProcessRecord>& processes,
                                               std::int64_t nowSeconds);
  void Clear();

 private:
  struct Sample {
    std::uint64_t startTime;
    std::uint64_t cpuTime;
  };
  std::map<std::uint32_t, Sample> samples_;
  std::int64_t previousSeconds_ = 0;
  bool havePrevious_ = false;
};

}  // namespace zelvor
