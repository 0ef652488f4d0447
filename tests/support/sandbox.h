#pragma once
// The one temporary folder of tests, benchmarks and fuzz targets: made
// fresh for each user, removed with everything in it at the end. Paths
// handed out end with '/', as the suite's folder getters do.
//
// A program a test starts sees only the environment the test gives it, so
// that nothing of the machine's own session (its settings folders, display,
// buses) leaks into a run; environment() is the usual one, which keeps every
// folder the suite reads or writes inside the sandbox.

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>

namespace zelvor::testing {

using Environment = std::map<std::string, std::string>;

class Sandbox {
 public:
  // Private: only this user may enter (0700). Shared: others may read and
  // enter (0755), for servers of a test that drop to another user.
  enum class Access { Private, Shared };

  explicit Sandbox(Access access = Access::Private) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    if (access == Access::Shared) ::chmod(pattern.c_str(), 0755);
    root_ = pattern + "/";
  }
  ~Sandbox() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  // The sandbox folder itself, ending with '/'.
  [[nodiscard]] const std::string& root() const { return root_; }
  // A path inside the sandbox; a trailing '/' in relative makes a folder,
  // which is created with its parents.
  [[nodiscard]] std::string path(std::string_view relative) const {
    std::string p = root_ + std::string(relative);
    if (!p.empty() && p.back() == '/') std::filesystem::create_directories(p);
    return p;
  }

  void write(std::string_view relative, std::string_view bytes) const {
    const std::filesystem::path p = path(relative);
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }

  [[nodiscard]] std::string read(std::string_view relative) const {
    std::ifstream in(path(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  [[nodiscard]] bool exists(std::string_view relative) const {
    return std::filesystem::exists(path(relative));
  }

  // The whole environment of a program run in the sandbox: home, settings,
  // data, cache and runtime folders inside it (the runtime folder made
  // 0700, as a session's is), the system's program folders, and the
  // sanitizer options of this run so that a child reports as the test does.
  [[nodiscard]] Environment environment() const {
    const std::string runtime = path("runtime/");
    ::chmod(runtime.c_str(), 0700);
    (void)path("home/");
    Environment env{{"HOME", root_ + "home"},
                    {"XDG_CONFIG_HOME", root_ + "config"},
                    {"XDG_DATA_HOME", root_ + "data"},
                    {"XDG_CACHE_HOME", root_ + "cache"},
                    {"XDG_RUNTIME_DIR", root_ + "runtime"},
                    {"PATH", "/usr/bin:/bin"}};
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
      if (const char* value = std::getenv(name)) env[name] = value;
    }
    return env;
  }

 private:
  std::string root_;
};

}  // namespace zelvor::testing
