#pragma once
// Helpers of the downloader tests: a temporary folder, files, free ports,
// child processes and checksums.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace zelvor::test {

// The tests' sandbox, readable by everyone (servers may drop to another
// user); path() is given without the trailing '/'.
class TempFolder {
 public:
  TempFolder() : path_(sandbox_.root().substr(0, sandbox_.root().size() - 1)) {}
  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  zelvor::testing::Sandbox sandbox_{zelvor::testing::Sandbox::Access::Shared};
  std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes);
[[nodiscard]] std::string readFile(const std::string& path);
[[nodiscard]] bool fileExists(const std::string& path);
// Bytes of a deterministic pseudo-random pattern.
[[nodiscard]] std::string patternBytes(std::size_t size, std::uint32_t seed);
// count bytes of the file from offset.
[[nodiscard]] std::string readRange(const std::string& path, std::uint64_t offset, std::size_t count);
[[nodiscard]] std::uint64_t fileSize(const std::string& path);

// A TCP port of 127.0.0.1 free at the moment of the call.
[[nodiscard]] int freePort();
// Waits until something accepts connections on 127.0.0.1:port.
[[nodiscard]] bool waitForPort(int port, int timeoutMs);

// A program started with an argument vector, killed and reaped at the end.
class ChildProcess {
 public:
  ChildProcess(const std::vector<std::string>& argv, const std::string& logFile = {},
               const std::vector<std::string>& extraEnv = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  [[nodiscard]] bool started() const { return pid_ > 0; }
  [[nodiscard]] bool running();
  void kill(int signal);
  // The exit status (or 128 + signal); -1 when it did not end in time.
  int wait(int timeoutMs);

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

[[nodiscard]] std::string sha256Of(const std::string& path);
[[nodiscard]] std::string findProgram(const std::string& name);

}  // namespace zelvor::test
