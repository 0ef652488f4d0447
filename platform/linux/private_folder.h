#pragma once
// The folder that holds the instance lock and the control socket. Whoever
// can replace it, or plant names in it, can run a second instance beside
// ours or answer in its name, so it is checked as it stands: not through a
// link, owned by this user, and closed to everyone else (mode 0700).

#include <string>

namespace zelvor {

enum class FolderCheck {
  Private,  // a real folder of ours, mode 0700
  Missing,  // nothing there
  Refused,  // something else is there (error says what)
};

// folder may end with '/'.
[[nodiscard]] FolderCheck checkPrivateFolder(const std::string& folder, std::string& error);
// Makes the folder (and its parents) with mode 0700 when missing, then
// checks it. An existing folder is never loosened or tightened: one that
// fails the check is refused.
[[nodiscard]] FolderCheck makePrivateFolder(const std::string& folder, std::string& error);

}  // namespace zelvor
