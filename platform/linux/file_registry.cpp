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

#include "platform/linux/store_file.h"
#include "platform/posix/posix_files.h"
#include "platform/regtext/store_text.h"
#include "platform/store_limits.h"

namespace zelvor {
namespace {

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
  const auto failWith = [&](int code) {
    error = r->lockPath_ + ": " + systemErrorText(code);
    return nullptr;
  };
  // A link planted at the lock's name would have its target's first bytes
  // written over, so the lock is never reached through one.
  r->lockFd_ = ::open(r->lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (r->lockFd_ < 0) {
    if (errno == ELOOP) {
      error = r->lockPath_ + ": is a symbolic link; remove it (the store never follows a link for its lock)";
      return nullptr;
    }
    return failWith(errno);
  }
  struct stat st {};
  if (::fstat(r->lockFd_, &st) != 0) return failWith(errno);
  if (!S_ISREG(st.st_mode)) {
    error = r->lockPath_ + ": not a regular file";
    return nullptr;
  }
  // The counter's page must have its disk space before it is mapped: a
  // mapped page the file system cannot back kills the process with SIGBUS
  // at its first touch (a full disk), where this gives an error instead.
  if (const int code = ::posix_fallocate(r->lockFd_, 0, sizeof(std::uint64_t)); code != 0) {
    return failWith(code);
  }
  void* map = ::mmap(nullptr, sizeof(std::uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED,
                     r->lockFd_, 0);
  if (map == MAP_FAILED) return failWith(errno);
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
  // A file that could not be read is tried again: it may be readable now.
  return unreadable_.load() || fileChangedSinceLoad();
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
  tree.clear();
  const StoreFileRead read = readStoreFile(path_);
  std::string problem = read.problem;
  StoreFileRead::Outcome outcome = read.outcome;
  if (outcome == StoreFileRead::Outcome::Read) {
    if (const auto error = regtext::loadStoreText(read.text, tree)) {
      outcome = StoreFileRead::Outcome::Malformed;
      problem = regtext::formatError(*error);
    }
  }
  unreadable_ = false;
  if (outcome == StoreFileRead::Outcome::Malformed) {
    // Content that is not a store is kept for the user, under a name no
    // earlier copy has, and the store starts from nothing.
    const MoveAside moved = moveAsideWithoutReplacing(path_);
    if (moved.movedTo) {
      warn(path_ + ": " + problem + "; kept as " + *moved.movedTo);
    } else if (!moved.gone) {
      outcome = StoreFileRead::Outcome::Unreadable;
      problem += "; it could not be moved aside (" + moved.error + ")";
    }
  }
  if (outcome == StoreFileRead::Outcome::Unreadable) {
    // Perhaps only for now (a permission, an I/O error): the file stays
    // where it is, and nothing is written over it until it can be read.
    tree.clear();
    unreadable_ = true;
    warn(path_ + ": cannot be read (" + problem + "); left in place, and no change is saved until it can be read");
  }
  setLoadedStamp(stampOfFile());
  loadedGeneration_.store(generation, std::memory_order_relaxed);
}

void FileRegistry::warn(std::string text) {
  std::fprintf(stderr, "zelvor: %s\n", text.c_str());
  loadWarning_ = std::move(text);
}

bool FileRegistry::beginWrite(RegistryTree& tree) {
  while (::flock(lockFd_, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  if (unreadable_ || sharedGeneration() != loadedGeneration_.load() || fileChangedSinceLoad()) {
    reload(tree);
  }
  return !unreadable_;
}

RegStatus FileRegistry::commitWrite(const RegistryTree& tree) {
  const auto text = regtext::storeText(tree);
  if (!text) {
    std::fprintf(stderr, "zelvor: cannot save settings: they would be larger than %s\n",
                 regtext::describeBytes(kMaxStoreBytes).c_str());
    return RegStatus::TooLarge;
  }
  // The store holds passwords: for its owner only, whatever stood there.
  const FileResult r = files_.replaceAtomically(path_, *text, Files::Permissions::OwnerOnly);
  if (!r.ok) {
    std::fprintf(stderr, "zelvor: cannot save settings: %s\n", r.error.c_str());
    return RegStatus::WriteFailed;
  }
  const std::uint64_t next =
      std::atomic_ref<std::uint64_t>(*generation_).fetch_add(1, std::memory_order_acq_rel) + 1;
  setLoadedStamp(stampOfFile());
  loadedGeneration_.store(next);
  return RegStatus::Ok;
}

void FileRegistry::endWrite() { ::flock(lockFd_, LOCK_UN); }

}  // namespace zelvor
