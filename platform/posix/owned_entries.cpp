#include "platform/posix/owned_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace zelvor {
namespace {

struct Walk {
  uid_t owner;
  dev_t device;
  FolderEmptying report;
};

// The names of a folder, read from a copy of its descriptor so that the
// caller keeps its own for the *at calls.
std::vector<std::string> namesIn(int dirFd) {
  std::vector<std::string> names;
  const int copy = ::dup(dirFd);
  if (copy < 0) return names;
  DIR* dir = ::fdopendir(copy);
  if (dir == nullptr) {
    ::close(copy);
    return names;
  }
  while (const dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    names.emplace_back(e->d_name);
  }
  ::closedir(dir);
  return names;
}

void emptyFolder(Walk& walk, int dirFd, int depth) {
  for (const std::string& name : namesIn(dirFd)) {
    struct stat st {};
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || st.st_uid != walk.owner ||
        st.st_dev != walk.device) {
      ++walk.report.kept;
      continue;
    }
    if (S_ISREG(st.st_mode)) {
      // unlinkat removes the name itself, never what a link there points to.
      if (::unlinkat(dirFd, name.c_str(), 0) == 0) {
        ++walk.report.removedFiles;
      } else {
        ++walk.report.kept;
      }
      continue;
    }
    if (!S_ISDIR(st.st_mode) || depth >= kMaxEmptyingDepth) {
      ++walk.report.kept;  // links, sockets, pipes, devices; folders too deep
      continue;
    }
    const int child = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (child < 0) {
      ++walk.report.kept;
      continue;
    }
    // The folder opened must be the one looked at: a name swapped in
    // between the two steps is left alone.
    struct stat opened {};
    if (::fstat(child, &opened) != 0 || opened.st_dev != st.st_dev || opened.st_ino != st.st_ino) {
      ::close(child);
      ++walk.report.kept;
      continue;
    }
    emptyFolder(walk, child, depth + 1);
    ::close(child);
    if (::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) == 0) {
      ++walk.report.removedFolders;
    } else {
      ++walk.report.kept;  // something in it stayed by the rules
    }
  }
}

}  // namespace

FolderEmptying EmptyOwnedEntries(const std::string& folder, uid_t owner) {
  FolderEmptying report;
  // A trailing '/' would make the system follow a link at that name.
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    report.result = FileResult::failure(std::strerror(errno));
    return report;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    report.result = FileResult::failure(std::strerror(errno));
    ::close(fd);
    return report;
  }
  Walk walk{owner, st.st_dev, {}};
  emptyFolder(walk, fd, 0);
  ::close(fd);
  return walk.report;
}

}  // namespace zelvor
