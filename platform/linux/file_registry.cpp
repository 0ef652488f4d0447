#include "platform/linux/file_registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

#include "platform/posix/posix_files.h"
#include "platform/regtext/store_text.h"

namespace zelvor {
namespace {

constexpr std::uint64_t kMaxStoreBytes = 64u << 20;
// How often a reader also looks at the file itself, to catch edits made
// without the lock (by hand, or by a copy of the file put back).
constexpr std::int64_t kStampCheckIntervalMs = 1000;

std::int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// A writer that is killed between creating its temporary file and renaming
// it over the store leaves that file behind. One that old belongs to no
// write in progress (a write takes milliseconds), so it is removed.
constexpr std::int64_t kStaleTempSeconds = 600;

void removeStaleTempFiles(const std::string& folder, std::string_view prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const std::int64_t now = static_cast<std::int64_t>(::time(nullptr));
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name(e->d_name);
    if (name.substr(0, prefix.size()) != prefix) continue;
    const std::string path = folder + std::string(name);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        now - static_cast<std::int64_t>(st.st_mtime) > kStaleTempSeconds) {
      (void)::unlink(path.c_str());
    }
  }
  ::closedir(dir);
}

}  // namespace

FileRegistry::FileRegistry(std::string folder, Files& files)
    : path_(folder + "settings.reg"), lockPath_(folder + "settings.lock"), files_(files) {}

std::unique_ptr<FileRegistry> FileRegistry::open(const std::string& folder, Files& files,
                                                 std::string& error) {
  std::unique_ptr<FileRegistry> r(new FileRegistry(folder, files));
  r->lockFd_ = ::open(r->lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (r->lockFd_ < 0) {
    error = r->lockPath_ + ": " + systemErrorText(errno);
    return nullptr;
  }
  struct stat st {};
  if (::fstat(r->lockFd_, &st) != 0 ||
      (st.st_size < static_cast<off_t>(sizeof(std::uint64_t)) &&
       ::ftruncate(r->lockFd_, sizeof(std::uint64_t)) != 0)) {
    error = r->lockPath_ + ": " + systemErrorText(errno);
    return nullptr;
  }
  void* map = ::mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED,
                     r->lockFd_, 0);
  if (map == MAP_FAILED) {
    error = r->lockPath_ + ": " + systemErrorText(errno);
    return nullptr;
  }
  r->generation_ = static_cast<std::uint64_t*>(map);
  removeStaleTempFiles(folder, "settings.reg.tmp-");
  // Nothing is loaded yet: the first access loads the file.
  r->loadedGeneration_ = r->sharedGeneration() + 1;
  return r;
}

FileRegistry::~FileRegistry() {
  if (generation_ != nullptr) ::munmap(generation_, sizeof(std::uint64_t));
  if (lockFd_ >= 0) ::close(lockFd_);
}

std::uint64_t FileRegistry::sharedGeneration() const {
  return std::atomic_ref<std::uint64_t>(*generation_).load(std::memory_order_acquire);
}

FileRegistry::FileStamp FileRegistry::stampOfFile() const {
  struct stat st {};
  if (::stat(path_.c_str(), &st) != 0) return {};
  return {static_cast<std::uint64_t>(st.st_ino), static_cast<std::uint64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

bool FileRegistry::isStale() {
  if (sharedGeneration() != loadedGeneration_.load(std::memory_order_relaxed)) return true;
  const std::int64_t now = steadyMs();
  if (now < nextStampCheckMs_.load(std::memory_order_relaxed)) return false;
  nextStampCheckMs_.store(now + kStampCheckIntervalMs, std::memory_order_relaxed);
  return fileChangedSinceLoad();
}

void FileRegistry::setLoadedStamp(const FileStamp& stamp) {
  std::lock_guard lock(stampMutex_);
  loadedStamp_ = stamp;
}

bool FileRegistry::fileChangedSinceLoad() const {
  const FileStamp stamp = stampOfFile();
  std::lock_guard lock(stampMutex_);
  return !(stamp == loadedStamp_);
}

void FileRegistry::reload(RegistryTree& tree) {
  const std::uint64_t generation = sharedGeneration();
  const FileStamp stamp = stampOfFile();
  tree.clear();
  if (stamp.inode != 0) {
    const auto text = files_.readFile(path_, kMaxStoreBytes);
    const auto error = text ? regtext::loadStoreText(*text, tree) : std::nullopt;
    if (!text || error) {
      // Keep the unreadable file for the user rather than overwrite it.
      const std::string aside = path_ + ".broken";
      loadWarning_ = path_ + ": " + (text ? regtext::formatError(*error) : std::string("cannot be read")) +
                     "; kept as " + aside;
      std::fprintf(stderr, "zelvor: %s\n", loadWarning_.c_str());
      (void)::rename(path_.c_str(), aside.c_str());
    }
  }
  setLoadedStamp(stampOfFile());
  loadedGeneration_.store(generation, std::memory_order_relaxed);
}

bool FileRegistry::beginWrite(RegistryTree& tree) {
  while (::flock(lockFd_, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  if (sharedGeneration() != loadedGeneration_.load() || fileChangedSinceLoad()) {
    reload(tree);
  }
  return true;
}

bool FileRegistry::commitWrite(const RegistryTree& tree) {
  const FileResult r = files_.replaceAtomically(path_, regtext::storeText(tree));
  if (!r.ok) {
    std::fprintf(stderr, "zelvor: cannot save settings: %s\n", r.error.c_str());
    return false;
  }
  const std::uint64_t next =
      std::atomic_ref<std::uint64_t>(*generation_).fetch_add(1, std::memory_order_acq_rel) + 1;
  setLoadedStamp(stampOfFile());
  loadedGeneration_.store(next);
  return true;
}

void FileRegistry::endWrite() { ::flock(lockFd_, LOCK_UN); }

}  // namespace zelvor
