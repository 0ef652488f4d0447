// Prices a diary of 1,000,000 connections with the default tariffs and
// compares it with only reading the same records from the connection file.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "net/diary/connection_file.h"
#include "net/diary/cost_engine.h"
#include "platform/posix/system_clock.h"
#include "platform/sim/sim_platform.h"
#include "shell/store/install_defaults.h"
#include "tests/support/sandbox.h"

namespace {

using namespace zelvor;
using namespace zelvor::diary;

constexpr int kRecords = 1'000'000;

struct Fixture {
  Fixture() : sim(sandbox.root()), store(sim.registry, sim.folders, sim.files) {
    (void)InstallDefaults(store, {});
    path = sandbox.path("conexion.dat");
    // Two years of calls at any time of day, a few seconds to two hours long.
    std::mt19937_64 rng(42);
    std::uniform_int_distribution<std::int64_t> when(1'672'531'200, 1'735'689'600);
    std::uniform_int_distribution<std::int64_t> howLong(5, 7200);
    // The file holds them oldest first, as connections are appended.
    std::vector<std::int64_t> starts(kRecords);
    for (auto& s : starts) s = when(rng);
    std::sort(starts.begin(), starts.end());
    std::string bytes;
    bytes.reserve(std::size_t{kRecords} * kRecordSize);
    for (const std::int64_t start : starts) {
      const RecordBytes b = EncodeRecord({"Modem 56k", "Mi proveedor", start, howLong(rng)});
      bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    if (!sim.files.replaceAtomically(path, bytes).ok) std::abort();
  }
  testing::Sandbox sandbox;
  SimPlatform sim;
  ConfigStore store;
  std::string path;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_ReadOnly(benchmark::State& state) {
  Fixture& f = fixture();
  ConnectionFile file(f.sim.files, f.path);
  for (auto _ : state) {
    std::int64_t total = 0;
    const ReadResult r = file.ReadRecords([&](std::uint64_t, const CItemDiario& rec) {
      total += rec.duration;
      return true;
    });
    if (r.read != kRecords) state.SkipWithError("short read");
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

template <typename ClockType>
void BM_ReadAndPrice(benchmark::State& state) {
  Fixture& f = fixture();
  ClockType clock;
  const CostEngine engine = CostEngine::Load(f.store, clock, f.sim.locale);
  ConnectionFile file(f.sim.files, f.path);
  for (auto _ : state) {
    double total = 0;
    const ReadResult r = file.ReadRecords([&](std::uint64_t, const CItemDiario& rec) {
      total += engine.Cost(rec);
      return true;
    });
    if (r.read != kRecords) state.SkipWithError("short read");
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}

// The simulated clock with the same zone rule, to tell the cost of the
// system's local-time conversion from the engine's own.
struct CentralEuropeSimClock : SimClock {
  CentralEuropeSimClock() : SimClock(0, *TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3")) {}
};

BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ReadAndPrice<SystemClock>)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ReadAndPrice<CentralEuropeSimClock>)->Unit(benchmark::kMillisecond)->MinTime(2);

// Keeps each run's real time per iteration to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        seconds[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
  // A fixed zone rule, so that the figures do not depend on the machine's zone files.
  ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double readOnly = 0;
  for (const auto& [name, s] : reporter.seconds) {
    if (name.rfind("BM_ReadOnly", 0) == 0) readOnly = s;
  }
  if (readOnly <= 0) return 0;
  std::printf("\n%-52s %14s %16s\n", "1,000,000 records", "records/s", "time / read only");
  for (const auto& [name, s] : reporter.seconds) {
    std::printf("%-52s %14.0f %16.2f\n", name.c_str(), kRecords / s, s / readOnly);
  }
  benchmark::Shutdown();
  return 0;
}
