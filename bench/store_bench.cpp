// The configuration store's costs: reading a number (against a plain map
// lookup), a durable write (against the bare atomic file replacement it is
// built on), importing a large REGEDIT4 text (against parsing it alone) and
// installing the defaults. Each pair runs in the same process, and the
// ratios are printed after the table.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "platform/linux/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/regtext/regtext.h"
#include "platform/sim/sim_folders.h"
#include "platform/sim/sim_registry.h"
#include "shell/store/config_store.h"
#include "shell/store/install_defaults.h"
#include "shell/store/reg_key_ex.h"
#include "shell/store/regedit4.h"
#include "shell/store/staged_registry.h"
#include "shell/utilities.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

// A FileRegistry-backed store in its own folder.
struct FileStore {
  testing::Sandbox folder;
  PosixFiles files;
  SimFolders folders{folder.root()};
  std::unique_ptr<FileRegistry> registry;
  std::unique_ptr<ConfigStore> store;

  FileStore() {
    std::string error;
    registry = FileRegistry::open(folder.root(), files, error);
    if (!registry) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
    store = std::make_unique<ConfigStore>(*registry, folders, files);
  }
};

void BM_ReadConfigInt(benchmark::State& state) {
  FileStore s;
  (void)InstallDefaults(*s.store, {});
  s.store->WriteConfigInt("DuvuZevad", "BotonIzquierdo", 1);
  for (auto _ : state) benchmark::DoNotOptimize(s.store->ReadConfigInt("DuvuZevad", "BotonIzquierdo"));
}
BENCHMARK(BM_ReadConfigInt);

// The baseline: the same number found in a map holding as many settings as
// the installed defaults.
void BM_MapLookupAtoi(benchmark::State& state) {
  SimRegistry reg;
  testing::Sandbox folder;
  PosixFiles files;
  SimFolders folders{folder.root()};
  ConfigStore store(reg, folders, files);
  (void)InstallDefaults(store, {});
  std::map<std::string, std::string> map;
  std::vector<std::pair<const RegKeySnapshot*, std::string>> stack{{nullptr, ""}};
  const auto root = reg.snapshot(Hive::CurrentUser, kRootKey);
  stack[0].first = &*root;
  while (!stack.empty()) {
    const auto [key, path] = stack.back();
    stack.pop_back();
    for (const auto& [name, value] : key->values) {
      std::string text;
      (void)value.readText(text);
      map[path + "\\" + name] = text;
    }
    for (const auto& sub : key->subkeys) stack.emplace_back(&sub, path + "\\" + sub.name);
  }
  map["\\DuvuZevad\\BotonIzquierdo"] = "1";
  state.counters["entries"] = static_cast<double>(map.size());
  const std::string wanted = "\\DuvuZevad\\BotonIzquierdo";
  for (auto _ : state) {
    const auto it = map.find(wanted);
    benchmark::DoNotOptimize(it == map.end() ? 0 : std::atoi(it->second.c_str()));
  }
}
BENCHMARK(BM_MapLookupAtoi);

void BM_WriteConfigIntDurable(benchmark::State& state) {
  FileStore s;
  (void)InstallDefaults(*s.store, {});
  int i = 0;
  for (auto _ : state) s.store->WriteConfigInt("DuvuZevad", "BotonIzquierdo", ++i);
  state.counters["writes/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["file bytes"] = static_cast<double>(std::filesystem::file_size(s.registry->path()));
}
BENCHMARK(BM_WriteConfigIntDurable)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The baseline: replacing a file of the same size atomically and durably.
void BM_AtomicReplaceBaseline(benchmark::State& state) {
  FileStore s;
  (void)InstallDefaults(*s.store, {});
  const std::string bytes(std::filesystem::file_size(s.registry->path()), 'x');
  const std::string path = s.folder.path("baseline.reg");
  for (auto _ : state) {
    if (!s.files.replaceAtomically(path, bytes).ok) std::abort();
  }
  state.counters["writes/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AtomicReplaceBaseline)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// 10,000 values in 100 keys: texts, numbers as text, dwords and binaries.
const std::string& tenThousandValues() {
  static const std::string text = [] {
    std::string t = "REGEDIT4\r\n\r\n";
    for (int k = 0; k < 100; ++k) {
      t += "[HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor\\Bench\\ " + std::to_string(k + 1) + "]\r\n";
      for (int v = 0; v < 100; ++v) {
        t += "\"Valor" + std::to_string(v) + "\"=";
        switch (v % 4) {
          case 0: t += "\"C:\\\\Archivos de programa\\\\Zelvor\\\\" + std::to_string(v) + "\""; break;
          case 1: t += "\"" + std::to_string(k * v) + "\""; break;
          case 2: t += "dword:0000008C"; break;
          default: t += "hex:00,ff,10,20,30,40,50,60,70,80"; break;
        }
        t += "\r\n";
      }
      t += "\r\n";
    }
    return t;
  }();
  return text;
}

void BM_ParseTenThousandValues(benchmark::State& state) {
  const std::string& text = tenThousandValues();
  for (auto _ : state) {
    auto r = regtext::parse(text);
    if (r.error) std::abort();
    benchmark::DoNotOptimize(r.entries.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseTenThousandValues)->Unit(benchmark::kMillisecond);

void BM_ImportTenThousandValuesDurable(benchmark::State& state) {
  const std::string& text = tenThousandValues();
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<FileStore>();
    state.ResumeTiming();
    const ImportResult r = importRegedit4(*s->registry, text);
    if (!r.ok || r.values != 10000) std::abort();
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(tenThousandValues().size()));
}
BENCHMARK(BM_ImportTenThousandValuesDurable)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_InstallDefaultsFromEmptyDurable(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto s = std::make_unique<FileStore>();
    state.ResumeTiming();
    if (!InstallDefaults(*s->store, {}).installed) std::abort();
    state.PauseTiming();
    s.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_InstallDefaultsFromEmptyDurable)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_InstallDefaultsFromEmptyInMemory(benchmark::State& state) {
  testing::Sandbox folder;
  PosixFiles files;
  SimFolders folders{folder.root()};
  for (auto _ : state) {
    SimRegistry reg;
    ConfigStore store(reg, folders, files);
    if (!InstallDefaults(store, {}).installed) std::abort();
  }
}
BENCHMARK(BM_InstallDefaultsFromEmptyInMemory)->Unit(benchmark::kMillisecond);

// What "Apli&car" of the configuration window writes after a hotkey page
// was edited: five bindings and the eleven enable flags. Each round writes
// other values than the last, since the store skips a write that changes
// nothing.
void writeApplyValues(Registry& registry, Folders& folders, Files& files, int round) {
  ConfigStore store(registry, folders, files);
  CRegKeyEx duvu(registry);
  if (duvu.Create(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")) != RegStatus::Ok) std::abort();
  const bool odd = round % 2 == 1;
  for (int k = 1; k <= 5; ++k) {
    duvu.SetDword("HotKey" + std::to_string(k), static_cast<std::uint32_t>(0x240 + k + (odd ? 0x100 : 0)));
  }
  for (const auto& u : kUtilities) store.SetEnabled(u.key, odd);
}

// The apply as one staged batch: one durable write.
void BM_ApplyStagedBatch(benchmark::State& state) {
  FileStore s;
  (void)InstallDefaults(*s.store, {});
  int round = 0;
  for (auto _ : state) {
    StagedRegistry staged(*s.registry);
    writeApplyValues(staged, s.folders, s.files, ++round);
    if (staged.Commit() != RegStatus::Ok) std::abort();
  }
}
BENCHMARK(BM_ApplyStagedBatch)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The baseline: the same values written one by one, each made durable.
void BM_ApplyValueByValue(benchmark::State& state) {
  FileStore s;
  (void)InstallDefaults(*s.store, {});
  int round = 0;
  for (auto _ : state) writeApplyValues(*s.registry, s.folders, s.files, ++round);
}
BENCHMARK(BM_ApplyValueByValue)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

enum class Clock { Cpu, Real };

// Collects the time per iteration of each run, for the ratios. Pairs that
// only compute compare processor time, which other work on a shared machine
// disturbs less; pairs that wait for the disk compare wall-clock time.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(::isatty(1) != 0 ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      if (run.iterations > 0) {
        const double unit = nanosPerUnit(run.time_unit);
        times_[run.benchmark_name()] = {run.GetAdjustedCPUTime() * unit, run.GetAdjustedRealTime() * unit};
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void printRatio(const char* what, const std::string& a, const std::string& b, Clock clock) const {
    const auto ia = times_.find(a);
    const auto ib = times_.find(b);
    if (ia == times_.end() || ib == times_.end()) return;
    const double ta = clock == Clock::Cpu ? ia->second.first : ia->second.second;
    const double tb = clock == Clock::Cpu ? ib->second.first : ib->second.second;
    if (tb <= 0) return;
    std::printf("%-48s %9.1f x  (%s time, %.3g ns vs %.3g ns)\n", what, ta / tb,
                clock == Clock::Cpu ? "cpu" : "wall", ta, tb);
  }

 private:
  static double nanosPerUnit(benchmark::TimeUnit unit) {
    switch (unit) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      default: return 1;
    }
  }
  std::map<std::string, std::pair<double, double>> times_;  // cpu, real ns per iteration
};

}  // namespace
}  // namespace zelvor

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zelvor::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nratios (time per operation):\n");
  using zelvor::Clock;
  reporter.printRatio("ReadConfigInt / map lookup + atoi", "BM_ReadConfigInt", "BM_MapLookupAtoi", Clock::Cpu);
  reporter.printRatio("WriteConfigInt durable / bare atomic replace",
                      "BM_WriteConfigIntDurable/min_time:2.000/real_time",
                      "BM_AtomicReplaceBaseline/min_time:2.000/real_time", Clock::Real);
  reporter.printRatio("import 10,000 values durable / parse alone",
                      "BM_ImportTenThousandValuesDurable/real_time", "BM_ParseTenThousandValues", Clock::Real);
  reporter.printRatio("apply as one staged batch / value by value",
                      "BM_ApplyStagedBatch/min_time:2.000/real_time",
                      "BM_ApplyValueByValue/min_time:2.000/real_time", Clock::Real);
  reporter.printRatio("InstallDefaults durable / in memory", "BM_InstallDefaultsFromEmptyDurable/real_time",
                      "BM_InstallDefaultsFromEmptyInMemory", Clock::Real);
  benchmark::Shutdown();
  return 0;
}
