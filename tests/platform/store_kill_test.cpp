// A writer killed at a random moment leaves a store that loads, holding for
// every value either what was there before the interrupted change or what
// the change wrote.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/linux/file_registry.h"
#include "platform/posix/posix_files.h"
#include "platform/registry_value.h"
#include "tests/support/process.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

constexpr Hive HKCU = Hive::CurrentUser;

long numberOf(const std::optional<RegValue>& v) {
  std::string s;
  if (!v || !v->readText(s) || s.empty()) return -1;
  return std::stol(s);
}

// What the writer's loop leaves: "n" = m and a whole batch of m or m - 1
// (see store_writer_main.cpp). Returns m, or -1 with a failure recorded.
long checkStore(Registry& reg) {
  if (!reg.keyExists(HKCU, "Test")) return 0;
  const long m = numberOf(reg.queryValue(HKCU, "Test", "n"));
  EXPECT_GE(m, 1);
  const auto batch = reg.snapshot(HKCU, "Test\\Batch");
  if (!batch) {
    EXPECT_EQ(m, 1) << "only the first iteration may end before its batch";
    return m;
  }
  const long count = numberOf(reg.queryValue(HKCU, "Test\\Batch", "count"));
  EXPECT_EQ(batch->values.size(), static_cast<std::size_t>(count) + 1);
  long batchOf = -1;
  for (const auto& [name, value] : batch->values) {
    if (name == "count") continue;
    const long b = numberOf(value);
    if (batchOf < 0) batchOf = b;
    EXPECT_EQ(b, batchOf) << "a batch mixes two changes";
  }
  EXPECT_TRUE(batchOf == m || batchOf == m - 1) << "n " << m << ", batch " << batchOf;
  EXPECT_EQ(count, 1 + batchOf % 40);
  return m;
}

TEST(StoreKill, AKilledWriterLeavesOldOrNewValues) {
  testing::Sandbox sandbox;
  const std::string folder = sandbox.path("zelvor/");
  PosixFiles files;
  std::mt19937 rng(12345);
  // One kill in ten lands while the writer starts and loads the store; the
  // others land in its write loop, at any point of a change.
  std::uniform_int_distribution<int> waitUs(0, 40000);
  std::uniform_int_distribution<int> earlyKill(0, 9);
  // 300 kills, or as many as fit in 40 seconds on a slow or busy machine
  // (but never fewer than 100), so the test stays bounded in time.
  constexpr int kIterations = 300;
  constexpr int kAtLeast = 100;
  constexpr auto kBudget = std::chrono::seconds(40);
  long lastSeen = 0;
  int progressed = 0;
  int done = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kIterations; ++i, ++done) {
    if (i >= kAtLeast && std::chrono::steady_clock::now() - start > kBudget) break;
    int out = -1;
    const pid_t pid = testing::startProcessReading({ZELVOR_STORE_WRITER, folder, "loop"}, out);
    ASSERT_GT(pid, 0);
    if (earlyKill(rng) != 0) {
      std::string line;
      ASSERT_TRUE(testing::readLine(out, line)) << "the writer did not start";
      ASSERT_EQ(line.rfind("ready ", 0), 0u) << line;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(waitUs(rng)));
    ::kill(pid, SIGKILL);
    const int code = testing::waitExitCode(pid);
    ::close(out);
    ASSERT_EQ(code, 128 + SIGKILL) << "the writer stopped by itself at iteration " << i;

    std::string error;
    auto reg = FileRegistry::open(folder, files, error);
    ASSERT_TRUE(reg) << error;
    const long m = checkStore(*reg);
    ASSERT_TRUE(reg->loadWarning().empty()) << "iteration " << i << ": " << reg->loadWarning();
    ASSERT_FALSE(::testing::Test::HasFailure()) << "iteration " << i;
    // Each writer continues from what the last one left, so "n" never goes back.
    ASSERT_GE(m, lastSeen) << "iteration " << i;
    if (m > lastSeen) ++progressed;
    lastSeen = m;
  }
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  int leftovers = 0;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.path().filename().string().rfind("settings.reg.tmp-", 0) == 0) ++leftovers;
  }
  std::printf("store kill test: %d kills in %.1f s, %d of them after the store had changed, final n %ld, "
              "%d temporary files left by killed writes\n",
              done, seconds, progressed, lastSeen, leftovers);
  EXPECT_FALSE(std::filesystem::exists(folder + "settings.reg.broken"));
}

}  // namespace
}  // namespace zelvor
