#pragma once
// How an entry becomes a started process: the argument vector, the starting
// folder and the priority, worked out without starting anything, then
// handed to the platform's launcher. No shell is involved at any point.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "launchers/program_entry.h"
#include "platform/files.h"
#include "platform/launcher.h"
#include "platform/priority_classes.h"

namespace zelvor {

// Documents, folders and addresses open in the desktop's default
// application through this program.
inline constexpr std::string_view kDefaultApplicationOpener = "xdg-open";
// Inside a Flatpak sandbox addresses go to the desktop portal's OpenURI
// through this D-Bus caller, as the portal opens them outside the sandbox.
inline constexpr std::string_view kPortalCaller = "gdbus";
// Present in every Flatpak sandbox (the FLATPAK_ID variable is set there too).
inline constexpr std::string_view kFlatpakInfoFile = "/.flatpak-info";

// Runs a program at a given niceness; without the privilege to raise a
// priority it warns and runs the program unchanged.
inline constexpr std::string_view kNiceProgram = "nice";

enum class TargetKind {
  Program,             // run directly: an executable file, or a name looked up in PATH
  DefaultApplication,  // a folder, a document or an address
};

// Show commands the window modes stand for; the desktop decides how (and
// whether) a new window honours them.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMaximised = 3;
inline constexpr int kShowMinimisedNoActivate = 7;
[[nodiscard]] int ShowCommandOf(int window);

// `Directorio`, or when it is empty the program's folder: the path up to and
// including its last '/', "" when it has none or is an address.
[[nodiscard]] std::string StartingFolderOf(const ProgramEntry& entry);

// What the program field names, judged from the file itself: a folder, an
// address ("scheme://...") or a file that is neither an ELF binary nor a
// script ("#!") opens in the default application.
[[nodiscard]] TargetKind ClassifyTarget(const std::string& program, Files& files);

// The value of an environment variable, nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// Replaces each %NAME% (letters, digits, '_') whose variable is set by its
// value; anything else, unset names included, stays as written.
[[nodiscard]] std::string ExpandEnvironmentReferences(std::string_view text,
                                                      const EnvironmentLookup& lookup);

// True inside a Flatpak sandbox: FLATPAK_ID is set, or kFlatpakInfoFile exists.
[[nodiscard]] bool InFlatpakSandbox(Files& files, const EnvironmentLookup& environment);

// The text as a GVariant string literal (single quotes, with backslash and
// quote escaped), so gdbus takes it as exactly this string.
[[nodiscard]] std::string GVariantStringLiteral(std::string_view text);

enum class PlanStatus { Ok, EmptyProgram, UnterminatedQuote };

struct LaunchPlan {
  PlanStatus status = PlanStatus::Ok;
  TargetKind kind = TargetKind::Program;
  LaunchRequest request;
  std::optional<int> nice;  // applied through kNiceProgram when not 0
  bool portal = false;      // an address handed to the desktop portal
  int showCommand = kShowNormal;
};

// Documents and folders get no arguments: the default application is
// given the file alone. Inside a Flatpak sandbox an address (other than
// file://, which the portal refuses) goes to the portal's OpenURI instead,
// without a priority: the portal starts the program, not the suite. With a lookup, %NAME% references are expanded in
// the program, the starting folder and in each argument after splitting,
// so a value never splits into more arguments nor is read as quoting.
[[nodiscard]] LaunchPlan PlanLaunch(const ProgramEntry& entry, Files& files,
                                    const EnvironmentLookup& environment = {});

// The suite's input box, asked for the arguments of an entry.
class ArgumentPrompt {
 public:
  virtual ~ArgumentPrompt() = default;
  // The text typed, or nullopt when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> AskArguments(std::string_view title,
                                                                std::string_view text,
                                                                std::string_view initial) = 0;
};

inline constexpr std::string_view kArgumentPromptTitle = "Zelvor";
[[nodiscard]] std::string ArgumentPromptText(const ProgramEntry& entry);

struct LaunchServices {
  Launcher& launcher;
  Files& files;
  ArgumentPrompt* prompt = nullptr;  // no prompt: the stored arguments are used
  EnvironmentLookup environment = {};  // empty: %NAME% stays as written
};

struct LaunchOutcome {
  bool ok = false;
  std::int64_t processId = 0;  // 0 for a document or folder: no process of ours to follow
  std::string error;           // the system's text on failure
};

// Starts the entry and does not wait for it. The entry is taken by value:
// arguments typed at the prompt (or cleared by Cancel) are for this launch
// only. Nothing is shown on failure; the caller decides about messages.
[[nodiscard]] LaunchOutcome LaunchEntry(ProgramEntry entry, const LaunchServices& services);

}  // namespace zelvor
