#pragma once
// Import of a desktop entry file (".desktop"), the Linux counterpart of a
// shell link: the [Desktop Entry] group gives the description, the program
// and its arguments, the starting folder and the icon.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launchers/program_entry.h"
#include "platform/files.h"

namespace zelvor {

// Bounds of the reader: a desktop entry is a few kilobytes; larger files,
// longer lines and longer command lines are not desktop entries we take.
inline constexpr std::size_t kMaxDesktopFileBytes = 64 * 1024;
inline constexpr std::size_t kMaxDesktopLineBytes = 4096;
inline constexpr std::size_t kMaxExecArguments = 256;

// Runs a program in a terminal: Terminal=true entries become
// "x-terminal-emulator -e program arguments".
inline constexpr std::string_view kTerminalProgram = "x-terminal-emulator";

// The keys of [Desktop Entry] the import reads, string escapes (\s \n \t \r
// \\) already decoded. Localised names prefer Spanish.
struct DesktopEntryKeys {
  std::string type;
  std::string name;
  std::string exec;
  std::string path;
  std::string icon;
  std::string url;
  bool terminal = false;
};

// nullopt when the text has no [Desktop Entry] group or passes a bound.
[[nodiscard]] std::optional<DesktopEntryKeys> ReadDesktopEntry(std::string_view text);

// The command line of an Exec value as an argument vector: double-quoted
// arguments with their escapes (\" \` \$ \\), and every field code (%f %F
// %u %U %d %D %n %N %i %c %k %v %m) removed, "%%" giving '%'. An argument
// that was only field codes goes away. nullopt on an unterminated quote or
// too many arguments.
[[nodiscard]] std::optional<std::vector<std::string>> SplitExec(std::string_view exec);

struct ImportedEntry {
  ProgramEntry entry;
  IconRecord icon;  // the Icon key: an absolute path or an icon-theme name
};

// fileName: the file's name, for a description when the entry has no Name.
[[nodiscard]] std::optional<ImportedEntry> ImportDesktopEntry(std::string_view text,
                                                              std::string_view fileName);

// Reads the file (at most kMaxDesktopFileBytes) and imports it; false, with
// the entry untouched, when it cannot be read or is no usable desktop entry.
// The ask-for-arguments option is cleared and the window mode is normal.
[[nodiscard]] bool ImportDesktopFile(Files& files, const std::string& path, ProgramEntry& entry,
                                     IconRecord* icon = nullptr);

}  // namespace zelvor
