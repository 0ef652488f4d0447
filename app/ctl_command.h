#pragma once
// The sub-commands of zelvorctl. Each group lives in its own file and is
// listed once in zelvorctl_main.cpp.

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace zelvor::ctl {

// Exit codes of zelvorctl.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;
inline constexpr int kInterrupted = 130;  // stopped by a signal; work kept

struct Context {
  Platform platform;
  std::FILE* out = stdout;
  std::FILE* err = stderr;
};

struct CommandGroup {
  std::string_view name;
  std::string_view usage;  // lines for --help
  int (*run)(Context& context, std::span<const std::string> args);
};

// Prints "zelvorctl: message" on stderr and returns kFailed.
int fail(Context& context, const std::string& message);
int usage(Context& context, std::string_view usage);

// zelvorctl reg ...
int runReg(Context& context, std::span<const std::string> args);
inline constexpr std::string_view kRegUsage =
    "  zelvorctl reg export [KEY] [-o FILE]\n"
    "  zelvorctl reg import FILE\n"
    "  zelvorctl reg get KEY [VALUE]\n"
    "  zelvorctl reg set KEY VALUE (--sz TEXT | --dword N | --hex BYTES)\n"
    "  zelvorctl reg delete KEY [VALUE]\n";

// zelvorctl diary ...
int runDiary(Context& context, std::span<const std::string> args);
inline constexpr std::string_view kDiaryUsage =
    "  zelvorctl diary list [FILE]\n"
    "  zelvorctl diary add ENTRY MODEM START DURATION [FILE]\n"
    "      (START: seconds since 1970 UTC or local YYYY-MM-DDTHH:MM:SS)\n";
// zelvorctl fetch ...
int runFetch(Context& context, std::span<const std::string> args);
inline constexpr std::string_view kFetchUsage =
    "  zelvorctl fetch URL [-o FILE] [--force] [--proxy HOST:PORT]\n"
    "      [--user U [--password-file F | --password P]]\n";
// zelvorctl status | command | quit: requests to the running zelvor.
int runStatus(Context& context, std::span<const std::string> args);
int runCommand(Context& context, std::span<const std::string> args);
int runQuit(Context& context, std::span<const std::string> args);
inline constexpr std::string_view kStatusUsage = "  zelvorctl status\n";
inline constexpr std::string_view kCommandUsage = "  zelvorctl command ICON COMMAND\n";
inline constexpr std::string_view kQuitUsage = "  zelvorctl quit\n";
// zelvorctl hotkeys [UTILITY]: the hotkey commands and their command lines.
int runHotkeys(Context& context, std::span<const std::string> args);
inline constexpr std::string_view kHotkeysUsage = "  zelvorctl hotkeys [UTILITY]\n";

}  // namespace zelvor::ctl
