// A second process for the store tests: it opens the store in a folder and
// changes it, so the tests can watch another process's writes and kill one
// in the middle of a write.
//
//   store_writer FOLDER set NAME TEXT   sets HKEY_CURRENT_USER\Test NAME and exits
//   store_writer FOLDER loop            prints "ready", then rewrites the store until killed
//
// The loop's iteration i sets Test "n" to i, then replaces the key
// Test\Batch in one change with the values "count" = k and "b0".."b<k-1>",
// each holding i, where k = 1 + i % 40. The loop goes on from what the last
// writer left, so a store that loads with "n" = m always holds a whole
// batch of m or m - 1, and "n" never goes back from one writer to the next.

#include <cstdio>
#include <string>

#include "platform/linux/file_registry.h"
#include "platform/posix/posix_files.h"

namespace {

constexpr zelvor::Hive HKCU = zelvor::Hive::CurrentUser;

long numberAt(zelvor::FileRegistry& reg, std::string_view path, std::string_view name) {
  const auto v = reg.queryValue(HKCU, path, name);
  std::string s;
  if (!v || !v->readText(s) || s.empty()) return 0;
  return std::stol(s);
}

// Where to go on: the iteration the last writer was in when it was killed,
// or the next one when that iteration was complete, so that the first write
// of every writer already changes the store.
long firstIteration(zelvor::FileRegistry& reg) {
  const long n = numberAt(reg, "Test", "n");
  if (n == 0) return 1;
  return numberAt(reg, "Test\\Batch", "b0") == n ? n + 1 : n;
}

int loop(zelvor::FileRegistry& reg) {
  using zelvor::RegOp;
  const long first = firstIteration(reg);
  // The store is loaded: tell the test that the writes begin now.
  std::printf("ready %ld\n", first);
  std::fflush(stdout);
  for (long i = first;; ++i) {
    const std::string text = std::to_string(i);
    if (reg.apply({{RegOp::Kind::SetValue, HKCU, "Test", "n", zelvor::RegValue::text(text)}}) !=
        zelvor::RegStatus::Ok) {
      return 1;
    }
    const long k = 1 + i % 40;
    std::vector<RegOp> batch{{RegOp::Kind::DeleteTree, HKCU, "Test\\Batch", "", {}},
                             {RegOp::Kind::SetValue, HKCU, "Test\\Batch", "count",
                              zelvor::RegValue::text(std::to_string(k))}};
    for (long j = 0; j < k; ++j) {
      batch.push_back({RegOp::Kind::SetValue, HKCU, "Test\\Batch", "b" + std::to_string(j),
                       zelvor::RegValue::text(text)});
    }
    if (reg.apply(batch) != zelvor::RegStatus::Ok) return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: store_writer FOLDER (set NAME TEXT | loop)\n");
    return 2;
  }
  zelvor::PosixFiles files;
  std::string error;
  auto reg = zelvor::FileRegistry::open(argv[1], files, error);
  if (!reg) {
    std::fprintf(stderr, "store_writer: %s\n", error.c_str());
    return 1;
  }
  const std::string mode = argv[2];
  if (mode == "set" && argc == 5) {
    return reg->apply({{zelvor::RegOp::Kind::SetValue, HKCU, "Test", argv[3], zelvor::RegValue::text(argv[4])}}) ==
                   zelvor::RegStatus::Ok
               ? 0
               : 1;
  }
  if (mode == "loop") return loop(*reg);
  std::fprintf(stderr, "store_writer: unknown mode %s\n", mode.c_str());
  return 2;
}
