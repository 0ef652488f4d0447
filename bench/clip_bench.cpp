// Rezi Zovidaraz's history with 10,000 entries of 4 KiB text, driven through
// the assembled suite on the simulated desktop as clipboard changes: adding
// them with the default limit of 15 and with no limit (against pushing the
// same entries on a plain vector), saving them to the clip files (against a
// plain buffered write of the same bytes into as many files, which a crash
// can tear) and loading them back (against plain reads). Then the memory
// the history takes per entry against the bytes it holds. The ratios are
// printed after the table.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/assembly/suite_components.h"
#include "bench/wall_ratio_reporter.h"
#include "clipboard/clip_files.h"
#include "clipboard/rezi_zovidaraz.h"
#include "platform/clipboard_formats.h"
#include "platform/posix/posix_files.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/zelvor_app.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr int kEntries = 10000;

const std::vector<ClipboardContent>& Entries() {
  static const std::vector<ClipboardContent> entries = [] {
    TreeRegistry store;
    ClipboardFormatTable table(store, "Formats");
    std::vector<ClipboardContent> e;
    for (int i = 0; i < kEntries; ++i) {
      std::string text(4096, static_cast<char>('a' + i % 26));
      text.replace(0, 8, std::to_string(10000000 + i));
      e.push_back(table.ToNumbers({{std::string(kMimeText), {text.begin(), text.end()}}}));
    }
    return e;
  }();
  return entries;
}

std::size_t BytesHeld(const std::vector<ClipboardContent>& entries) {
  std::size_t n = 0;
  for (const ClipboardContent& e : entries) n += clip::EntryBytes(e);
  return n;
}

// The suite as the program assembles it, on the simulated desktop.
struct Suite {
  explicit Suite(int limit) : sim(sandbox.root()), desk(sim.clock), instance(world, 9), components("bench") {
    options.environment = [](std::string_view) -> std::optional<std::string> { return std::nullopt; };
    app = std::make_unique<CZelvorApp>(sim.platform(), desk.desktop(), instance, components, options);
    if (!app->InitInstance({}).running) std::abort();
    desk.loop.deliverPosted();
    app->store().WriteConfigInt("ReziZovidaraz", "MaximoPortapapeles", limit);
  }
  ~Suite() { app->ExitInstance(); }
  CReziZovidaraz& rezi() { return *static_cast<CReziZovidaraz*>(app->utility(UtilityKind::ReziZovidaraz)); }
  void copyAll() {
    for (const ClipboardContent& e : Entries()) {
      desk.clipboard.setByOtherProgram(e);
      desk.loop.deliverPosted();
    }
  }

  zelvor::testing::Sandbox sandbox;
  SimPlatform sim;
  SimDesktop desk;
  SimInstanceWorld world;
  SimSingleInstance instance;
  SuiteComponents components;
  AppOptions options;
  std::unique_ptr<CZelvorApp> app;
};

void BM_AddWithLimit(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto suite = std::make_unique<Suite>(static_cast<int>(state.range(0)));
    state.ResumeTiming();
    suite->copyAll();
    const std::size_t expected = state.range(0) == 0 ? kEntries : static_cast<std::size_t>(state.range(0));
    if (suite->rezi().entries().size() != expected) std::abort();
    state.PauseTiming();
    suite.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddWithLimit)->Arg(15)->Arg(0)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same entries copied onto a plain vector.
void BM_PlainVectorAdd(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<ClipboardContent> v;
    for (const ClipboardContent& e : Entries()) v.push_back(e);
    benchmark::DoNotOptimize(v.data());
  }
}
BENCHMARK(BM_PlainVectorAdd)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

struct Folder {
  zelvor::testing::Sandbox sandbox;
  PosixFiles files;
  clip::ClipFiles clips{files, sandbox.root() + "/"};
};

void BM_SaveClips(benchmark::State& state) {
  Folder f;
  std::vector<clip::ClipEntry> entries(Entries().begin(), Entries().end());
  for (auto _ : state) {
    if (!f.clips.Save(entries)) std::abort();
  }
}
BENCHMARK(BM_SaveClips)->Iterations(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same bytes, already encoded, into as many files with stdio.
void BM_PlainBufferedWrites(benchmark::State& state) {
  Folder f;
  std::vector<std::string> encoded;
  for (const ClipboardContent& e : Entries()) encoded.push_back(clip::EncodeClipFile(e));
  const std::string folder = f.sandbox.root() + "/plain/";
  std::filesystem::create_directories(folder);
  for (auto _ : state) {
    for (std::size_t i = 0; i < encoded.size(); ++i) {
      std::FILE* file = std::fopen((folder + clip::ClipFileName(i)).c_str(), "wb");
      if (file == nullptr || std::fwrite(encoded[i].data(), 1, encoded[i].size(), file) != encoded[i].size()) {
        std::abort();
      }
      std::fclose(file);
    }
  }
}
BENCHMARK(BM_PlainBufferedWrites)->Iterations(2)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_LoadClips(benchmark::State& state) {
  Folder f;
  if (!f.clips.Save(std::vector<clip::ClipEntry>(Entries().begin(), Entries().end()))) std::abort();
  for (auto _ : state) {
    const std::vector<clip::ClipEntry> loaded = f.clips.Load();
    if (loaded.size() != kEntries) std::abort();
    benchmark::DoNotOptimize(loaded.data());
  }
}
BENCHMARK(BM_LoadClips)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same files read whole with stdio, not parsed.
void BM_PlainBufferedReads(benchmark::State& state) {
  Folder f;
  if (!f.clips.Save(std::vector<clip::ClipEntry>(Entries().begin(), Entries().end()))) std::abort();
  for (auto _ : state) {
    std::size_t total = 0;
    for (int i = 0; i < kEntries; ++i) {
      std::FILE* file = std::fopen((f.clips.folder() + clip::ClipFileName(static_cast<std::size_t>(i))).c_str(), "rb");
      if (file == nullptr) std::abort();
      std::string bytes;
      char buf[65536];
      std::size_t n;
      while ((n = std::fread(buf, 1, sizeof buf, file)) > 0) bytes.append(buf, n);
      std::fclose(file);
      total += bytes.size();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_PlainBufferedReads)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// Heap in use by the history of 10,000 entries (no limit), over the bytes
// its entries hold.
void PrintMemoryRatio() {
  Suite suite(0);
  const std::size_t before = mallinfo2().uordblks;
  suite.copyAll();
  const std::size_t after = mallinfo2().uordblks;
  const std::size_t held = BytesHeld(suite.rezi().entries());
  std::printf("%-58s %7.3f x  (%zu bytes of heap for %zu bytes held, %zu per entry)\n",
              "history memory / bytes held (10,000 entries, no limit)",
              static_cast<double>(after - before) / static_cast<double>(held), after - before, held,
              (after - before) / kEntries);
}

}  // namespace
}  // namespace zelvor

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zelvor::bench::WallRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nratios (10,000 entries of 4 KiB text, as CF_TEXT and CF_UNICODETEXT):\n");
  reporter.printRatio("add, limit 15 / plain vector", "BM_AddWithLimit/15/iterations:3/real_time",
                      "BM_PlainVectorAdd/iterations:3/real_time");
  reporter.printRatio("add, no limit / plain vector", "BM_AddWithLimit/0/iterations:3/real_time",
                      "BM_PlainVectorAdd/iterations:3/real_time");
  reporter.printRatio("save, durable set swapped in / plain buffered writes", "BM_SaveClips/iterations:2/real_time",
                      "BM_PlainBufferedWrites/iterations:2/real_time");
  reporter.printRatio("load / plain buffered reads", "BM_LoadClips/iterations:3/real_time",
                      "BM_PlainBufferedReads/iterations:3/real_time");
  zelvor::PrintMemoryRatio();
  benchmark::Shutdown();
  return 0;
}
