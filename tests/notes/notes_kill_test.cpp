// A process killed at any moment of a save leaves each notes file whole:
// the notes of the save before or of the interrupted one, never a torn or
// empty file.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "notes/notes_files.h"
#include "platform/posix/posix_files.h"
#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor::notes {
namespace {

// The iteration that wrote a file of notes_writer (see notes_writer_main.cpp),
// after checking that none of its notes is missing or cut; -1 when the
// file is not one that iteration wrote.
long IterationOf(const LoadedNotes& loaded, long modulus) {
  if (loaded.status != LoadedNotes::Status::Read || loaded.truncated || loaded.notes.empty()) return -1;
  const long i = std::stol(loaded.notes.front().record.title.substr(1));
  if (loaded.notes.size() != static_cast<std::size_t>(1 + i % modulus)) return -1;
  for (std::size_t j = 0; j < loaded.notes.size(); ++j) {
    const NoteEntry& n = loaded.notes[j];
    if (n.record.title != "n" + std::to_string(i) || n.record.rect.left != static_cast<std::int32_t>(j) ||
        n.text != std::string(static_cast<std::size_t>(37 * i % 3000) + j, 't')) {
      return -1;
    }
  }
  return i;
}

TEST(NotesKill, AKilledSaveLeavesTheOldOrTheNewFilesWhole) {
  zelvor::testing::Sandbox sandbox;
  const std::string folder = sandbox.path("data/");
  PosixFiles files;
  NotesFiles store(files, folder);
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> waitUs(0, 30000);
  // 200 kills, or as many as fit in 30 seconds on a busy machine (never
  // fewer than 60), so the test stays bounded in time.
  constexpr int kIterations = 200;
  constexpr int kAtLeast = 60;
  constexpr auto kBudget = std::chrono::seconds(30);
  long lastSeen = 0;
  int done = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int k = 0; k < kIterations; ++k, ++done) {
    if (k >= kAtLeast && std::chrono::steady_clock::now() - start > kBudget) break;
    int out = -1;
    const pid_t pid = zelvor::testing::startProcessReading({ZELVOR_NOTES_WRITER, folder}, out);
    ASSERT_GT(pid, 0);
    std::string line;
    ASSERT_TRUE(zelvor::testing::readLine(out, line)) << "the writer did not start";
    std::this_thread::sleep_for(std::chrono::microseconds(waitUs(rng)));
    ::kill(pid, SIGKILL);
    const int code = zelvor::testing::waitExitCode(pid);
    ::close(out);
    ASSERT_EQ(code, 128 + SIGKILL) << "the writer stopped by itself at kill " << k;

    const LoadedNotes liveFile = store.LoadLive();
    if (liveFile.status == LoadedNotes::Status::Missing && lastSeen == 0) continue;
    const long live = IterationOf(liveFile, 50);
    ASSERT_GE(live, 0) << "notes.dat is torn after kill " << k;
    ASSERT_GE(live, lastSeen) << "notes.dat went back after kill " << k;
    // The bin is saved after the live notes: it is of the same save or of
    // the one before.
    const LoadedNotes binFile = store.LoadBin();
    const long bin = IterationOf(binFile, 7);
    lastSeen = live;
    if (live == 1 && binFile.status == LoadedNotes::Status::Missing) continue;
    ASSERT_GE(bin, 0) << "notes.old is torn after kill " << k;
    ASSERT_TRUE(bin == live || bin == live - 1) << "notes.dat " << live << ", notes.old " << bin;
  }
  std::printf("notes kill test: %d kills, last save seen %ld\n", done, lastSeen);
  EXPECT_GT(lastSeen, 0) << "no save ever completed";
}

}  // namespace
}  // namespace zelvor::notes
