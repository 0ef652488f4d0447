#pragma once
// A temporary folder that a test owns, removed with everything in it when
// the test ends. Paths handed out end with '/', as the suite's folder
// getters do.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace zelvor::testing {

class Sandbox {
 public:
  Sandbox() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelvor-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
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

 private:
  std::string root_;
};

}  // namespace zelvor::testing
