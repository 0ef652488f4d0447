#include "launchers/list_checks.h"

namespace zelvor {

std::optional<ListCheckFailure> CheckShortcuts(const std::vector<Shortcut>& shortcuts, Files& files,
                                               const ProgramFolders& folders) {
  int n = 0;
  for (const auto& s : shortcuts) {
    ++n;
    if (s.separator) continue;
    if (auto r = ValidateIcon(s.icon, files); !r.ok()) return ListCheckFailure{n, 0, std::move(r)};
    if (auto r = Validate(s.left, files, folders); !r.ok()) return ListCheckFailure{n, 1, std::move(r)};
    if (auto r = Validate(s.right, files, folders); !r.ok()) return ListCheckFailure{n, 2, std::move(r)};
  }
  return std::nullopt;
}

std::optional<ListCheckFailure> CheckMenus(const std::vector<LauncherMenu>& menus, Files& files,
                                           const ProgramFolders& folders) {
  int n = 0;
  for (const auto& menu : menus) {
    ++n;
    if (auto r = ValidateIcon(menu.icon, files); !r.ok()) return ListCheckFailure{n, 0, std::move(r)};
    int i = 0;
    for (const auto& item : menu.items) {
      ++i;
      if (item.separator) continue;
      if (auto r = Validate(item.entry, files, folders); !r.ok()) return ListCheckFailure{n, i, std::move(r)};
      if (auto r = ValidateIcon(item.icon, files); !r.ok()) return ListCheckFailure{n, i, std::move(r)};
    }
  }
  return std::nullopt;
}

std::optional<ListCheckFailure> CheckPrograms(const std::vector<ListElement>& programs, Files& files,
                                              const ProgramFolders& folders) {
  int n = 0;
  for (const auto& p : programs) {
    ++n;
    if (p.separator) continue;
    if (auto r = Validate(p.entry, files, folders); !r.ok()) return ListCheckFailure{n, 0, std::move(r)};
  }
  return std::nullopt;
}

}  // namespace zelvor
