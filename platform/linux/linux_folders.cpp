#include "platform/linux/linux_folders.h"

#include <limits.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zelvor {
namespace {

std::string withSlash(std::string s) {
  if (s.empty() || s.back() != '/') s.push_back('/');
  return s;
}

std::string home() {
  if (const char* h = std::getenv("HOME"); h != nullptr && h[0] == '/') return h;
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  return "/tmp";
}

std::string xdg(const char* variable, const char* fallback) {
  if (const char* v = std::getenv(variable); v != nullptr && v[0] == '/') return withSlash(v);
  return withSlash(home() + "/" + fallback);
}

}  // namespace

std::string LinuxFolders::configHome() { return xdg("XDG_CONFIG_HOME", ".config"); }
std::string LinuxFolders::dataHome() { return xdg("XDG_DATA_HOME", ".local/share"); }

bool LinuxFolders::makeFolders(const std::string& path) {
  for (std::size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      const std::string part = path.substr(0, i);
      if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
  }
  return true;
}

std::string LinuxFolders::programFile() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<std::size_t>(n));
}

std::string LinuxFolders::programFolder() {
  const std::string file = programFile();
  const auto slash = file.rfind('/');
  return slash == std::string::npos ? std::string("./") : file.substr(0, slash + 1);
}

std::string LinuxFolders::userDataFolder() {
  const std::string folder = dataHome();
  return makeFolders(folder) ? folder : std::string{};
}

std::string LinuxFolders::configFolder() { return configHome() + "zelvor/"; }

std::string LinuxFolders::workingFolder() {
  char buf[PATH_MAX];
  if (::getcwd(buf, sizeof buf) == nullptr) return "./";
  return withSlash(buf);
}

std::string LinuxFolders::temporaryFolder() {
  if (const char* v = std::getenv("TMPDIR"); v != nullptr && v[0] == '/') return withSlash(v);
  return "/tmp/";
}

}  // namespace zelvor
