#include "system/process_cpu.h"

#include "system/procfs/kernel_text.h"

namespace zelvor {

std::vector<ProcessCpu> ProcessCpuSamples::Update(const std::vector<ProcessRecord>& processes,
                                                  std::int64_t nowSeconds) {
  std::vector<ProcessCpu> figures;
  figures.reserve(processes.size());
  // A clock set back makes the previous samples useless rather than
  // holding every figure until the clock catches up.
  if (havePrevious_ && nowSeconds < previousSeconds_) Clear();
  const bool tooSoon = havePrevious_ && nowSeconds == previousSeconds_;
  const auto seconds = static_cast<std::uint64_t>(havePrevious_ ? nowSeconds - previousSeconds_ : 0);
  std::map<std::uint32_t, Sample> next;
  for (const ProcessRecord& p : processes) {
    ProcessCpu figure{p.pid, CpuFigure::FirstSample, 0};
    const auto before = samples_.find(p.pid);
    const bool same = before != samples_.end() && before->second.startTime == p.startTime;
    if (tooSoon) {
      figure.figure = same ? CpuFigure::TooSoon : CpuFigure::FirstSample;
    } else if (same) {
      const std::uint64_t spent = p.cpuTime > before->second.cpuTime ? p.cpuTime - before->second.cpuTime : 0;
      const std::uint64_t percent =
          procfs::SaturatingMultiply(spent, 100) / procfs::SaturatingMultiply(seconds, kTimeUnitsPerSecond);
      figure.figure = CpuFigure::Measured;
      figure.percent = percent > INT32_MAX ? INT32_MAX : static_cast<int>(percent);
    }
    figures.push_back(figure);
    next[p.pid] = Sample{p.startTime, p.cpuTime};
  }
  if (!tooSoon) {
    samples_ = std::move(next);
    previousSeconds_ = nowSeconds;
    havePrevious_ = true;
  }
  return figures;
}

void ProcessCpuSamples::Clear() {
  samples_.clear();
  havePrevious_ = false;
}

}  // namespace zelvor
