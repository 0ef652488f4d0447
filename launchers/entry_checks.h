#pragma once
// The checks made before a list is saved. They say what is wrong and leave
// showing it (a system-modal warning titled kEntryCheckTitle) to the editor.

#include <string>
#include <string_view>
#include <vector>

#include "launchers/program_entry.h"
#include "platform/files.h"

namespace zelvor {

inline constexpr std::string_view kEntryCheckTitle = "Configuración de Zelvor";

enum class EntryCheck { Ok, MissingProgram, MissingFolder, NoIcons };

struct EntryCheckResult {
  EntryCheck status = EntryCheck::Ok;
  std::string message;  // "" when Ok

  [[nodiscard]] bool ok() const { return status == EntryCheck::Ok; }
};

// A program given as a bare name (no '/') is also looked for in these
// folders, the way the launcher finds it through PATH. Each ends with '/'.
using ProgramFolders = std::vector<std::string>;

// The program, when given, must name an existing file or folder; the
// starting folder, when given, an existing folder.
[[nodiscard]] EntryCheckResult Validate(const ProgramEntry& entry, Files& files,
                                        const ProgramFolders& programFolders = {});

// An icon file, when given as a path, must exist and hold an image the
// desktop can show as an icon (PNG, SVG, XPM, ICO, BMP, GIF, JPEG). A name
// without '/' is an icon-theme name, which the theme resolves when the icon
// is shown (a missing one falls back to the suite's own image).
[[nodiscard]] EntryCheckResult ValidateIcon(const IconRecord& icon, Files& files);

// The messages, for a program, a folder and an icon file.
[[nodiscard]] std::string MissingProgramMessage(std::string_view program);
[[nodiscard]] std::string MissingFolderMessage(std::string_view folder);
[[nodiscard]] std::string NoIconsMessage(std::string_view file);

}  // namespace zelvor
