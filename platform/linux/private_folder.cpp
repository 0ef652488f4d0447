#include "platform/linux/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/linux/linux_folders.h"

namespace zelvor {
namespace {

// lstat() of "link/" would look through the link; the name itself is checked.
std::string withoutSlash(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

FolderCheck refuse(const std::string& folder, const std::string& why, std::string& error) {
  error = folder + ": " + why +
          "; the instance folder must be a real folder of this user that nobody else may enter (mode 0700)";
  return FolderCheck::Refused;
}

}  // namespace

FolderCheck checkPrivateFolder(const std::string& folder, std::string& error) {
  const std::string name = withoutSlash(folder);
  struct stat st {};
  if (::lstat(name.c_str(), &st) != 0) {
    if (errno == ENOENT) return FolderCheck::Missing;
    error = name + ": " + std::strerror(errno);
    return FolderCheck::Refused;
  }
  if (S_ISLNK(st.st_mode)) return refuse(name, "is a symbolic link", error);
  if (!S_ISDIR(st.st_mode)) return refuse(name, "is not a folder", error);
  if (st.st_uid != ::geteuid()) {
    return refuse(name, "belongs to another user (uid " + std::to_string(st.st_uid) + ")", error);
  }
  if ((st.st_mode & 07777) != 0700) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
    return refuse(name, std::string("has mode ") + mode, error);
  }
  return FolderCheck::Private;
}

FolderCheck makePrivateFolder(const std::string& folder, std::string& error) {
  if (checkPrivateFolder(folder, error) == FolderCheck::Missing && !LinuxFolders::makeFolders(withoutSlash(folder))) {
    error = withoutSlash(folder) + ": " + std::strerror(errno);
    return FolderCheck::Refused;
  }
  return checkPrivateFolder(folder, error);
}

}  // namespace zelvor
