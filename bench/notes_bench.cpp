// Duvu Zevad's notes file with 10,000 notes of 1 KiB text: loading it
// (against a plain buffered read of the same file) and saving it, replaced
// atomically and durably (against a plain buffered write of the same bytes,
// which a crash can tear). The ratios are printed after the table.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/wall_ratio_reporter.h"
#include "notes/notes_files.h"
#include "platform/posix/posix_files.h"
#include "tests/support/sandbox.h"

namespace zelvor::notes {
namespace {

const std::vector<NoteEntry>& TenThousandNotes() {
  static const std::vector<NoteEntry> notes = [] {
    std::vector<NoteEntry> n;
    for (int i = 0; i < 10000; ++i) {
      NoteEntry e{BuiltInNoteRecord(), std::string(1024, static_cast<char>('a' + i % 26))};
      e.record.title = "Nota " + std::to_string(i + 1);
      e.record.rect = {i % 800, i % 600, i % 800 + 200, i % 600 + 200};
      n.push_back(std::move(e));
    }
    return n;
  }();
  return notes;
}

struct Folder {
  zelvor::testing::Sandbox sandbox;
  PosixFiles files;
  NotesFiles store{files, sandbox.root()};
};

void PlainWrite(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
}

std::string PlainRead(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) std::abort();
  std::string bytes;
  char buf[65536];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  std::fclose(f);
  return bytes;
}

void BM_SaveNotes(benchmark::State& state) {
  Folder f;
  for (auto _ : state) {
    if (!f.store.Write(f.store.livePath(), TenThousandNotes()).ok) std::abort();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(EncodeNotes(TenThousandNotes()).size()));
}
BENCHMARK(BM_SaveNotes)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same bytes, already encoded, written with stdio.
void BM_PlainBufferedWrite(benchmark::State& state) {
  Folder f;
  const std::string bytes = EncodeNotes(TenThousandNotes());
  for (auto _ : state) PlainWrite(f.store.livePath(), bytes);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_PlainBufferedWrite)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_LoadNotes(benchmark::State& state) {
  Folder f;
  if (!f.store.Write(f.store.livePath(), TenThousandNotes()).ok) std::abort();
  for (auto _ : state) {
    const LoadedNotes loaded = f.store.LoadLive();
    if (loaded.notes.size() != 10000) std::abort();
    benchmark::DoNotOptimize(loaded.notes.data());
  }
}
BENCHMARK(BM_LoadNotes)->UseRealTime()->Unit(benchmark::kMillisecond);

// The baseline: the same file read whole with stdio, not parsed.
void BM_PlainBufferedRead(benchmark::State& state) {
  Folder f;
  PlainWrite(f.store.livePath(), EncodeNotes(TenThousandNotes()));
  for (auto _ : state) benchmark::DoNotOptimize(PlainRead(f.store.livePath()).data());
}
BENCHMARK(BM_PlainBufferedRead)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelvor::notes

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  zelvor::bench::WallRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nratios (time per operation, 10,000 notes of 1 KiB):\n");
  reporter.printRatio("save, atomic and durable / plain buffered write", "BM_SaveNotes/real_time",
                      "BM_PlainBufferedWrite/real_time");
  reporter.printRatio("load / plain buffered read", "BM_LoadNotes/real_time", "BM_PlainBufferedRead/real_time");
  benchmark::Shutdown();
  return 0;
}
