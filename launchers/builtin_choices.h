#pragma once
// The built-in choices of the editor's description list: the usual
// programs and settings panels of a desktop under the names the suite has
// always given them. Choosing one fills the entry's description, program,
// arguments and icon.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "launchers/entry_checks.h"
#include "launchers/program_entry.h"
#include "platform/files.h"

namespace zelvor {

// Shown (titled "Zelvor") when no program of a choice is installed.
inline constexpr std::string_view kNoSuchProgramMessage = "No existe el programa.";

struct BuiltInChoice {
  std::string_view description;
  std::string_view program;    // a program name; the defaults' alternatives stand in when it is missing
  std::string_view arguments;
  std::string_view icon;       // an icon-theme name; "" = the program's own icon
};

[[nodiscard]] const std::array<BuiltInChoice, 28>& BuiltInChoices();

// The path of the choice's program or of its first installed alternative,
// looked for in the program folders in order (each ends with '/');
// nullopt when none is installed.
[[nodiscard]] std::optional<std::string> FindChoiceProgram(const BuiltInChoice& choice,
                                                           const ProgramFolders& folders, Files& files);

// Fills description, program, arguments and, when given, the icon record
// from the choice. Without an installed program the program is the name in
// systemProgramFolder, so the entry says what to install; the result then
// is false, for the caller to say so.
[[nodiscard]] bool ApplyBuiltInChoice(const BuiltInChoice& choice, const ProgramFolders& folders, Files& files,
                                      std::string_view systemProgramFolder, ProgramEntry& entry,
                                      IconRecord* icon);

}  // namespace zelvor
