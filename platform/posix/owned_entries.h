#pragma once
// Emptying a shared folder (the temporary folder) safely: only regular
// files and folders of one owner go, every name is resolved relative to an
// open folder descriptor without following links, and nothing on another
// file system is touched.

#include <sys/types.h>

#include <string>

#include "platform/file_result.h"

namespace zelvor {

// Folders nested deeper than this are left as they are: a hostile tree
// must not exhaust the stack or the descriptors.
inline constexpr int kMaxEmptyingDepth = 64;

// Removes below folder every regular file and every folder owned by owner
// (a folder only once it is empty after its own emptying). Links, sockets,
// pipes, devices, other owners' entries and anything on another file system
// stay. The folder itself is opened without following a link and stays.
[[nodiscard]] FolderEmptying EmptyOwnedEntries(const std::string& folder, uid_t owner);

}  // namespace zelvor
