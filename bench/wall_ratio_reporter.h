#pragma once
// A console reporter that keeps each benchmark's wall time per iteration,
// so that a program can print one benchmark's time over its baseline's.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace zelvor::bench {

class WallRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.iterations > 0) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // "what  r x  (wall time, a ms vs b ms)", for the benchmarks named a and b.
  void printRatio(const char* what, const std::string& a, const std::string& b) const {
    const auto ia = times_.find(a);
    const auto ib = times_.find(b);
    if (ia == times_.end() || ib == times_.end() || ib->second <= 0) return;
    std::printf("%-58s %7.2f x  (wall time, %.3g ms vs %.3g ms)\n", what, ia->second / ib->second, ia->second,
                ib->second);
  }

  // The wall time per iteration of a benchmark in ms; 0 when it did not run.
  [[nodiscard]] double timeOf(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;
  }

 private:
  std::map<std::string, double> times_;  // ms of wall time per iteration
};

}  // namespace zelvor::bench
