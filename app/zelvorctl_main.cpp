// zelvorctl: the companion command-line tool of the suite.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ctl_command.h"
#include "platform/linux/linux_platform.h"

namespace zelvor::ctl {

int fail(Context& context, const std::string& message) {
  std::fprintf(context.err, "zelvorctl: %s\n", message.c_str());
  return kFailed;
}

int usage(Context& context, std::string_view text) {
  std::fprintf(context.err, "usage:\n%.*s", static_cast<int>(text.size()), text.data());
  return kUsage;
}

namespace {

constexpr std::array kGroups{
    CommandGroup{"reg", kRegUsage, runReg},
    CommandGroup{"diary", kDiaryUsage, runDiary},
    CommandGroup{"fetch", kFetchUsage, runFetch},
    CommandGroup{"status", kStatusUsage, runStatus},
    CommandGroup{"command", kCommandUsage, runCommand},
    CommandGroup{"quit", kQuitUsage, runQuit},
    CommandGroup{"hotkeys", kHotkeysUsage, runHotkeys},
};

void printHelp(std::FILE* out) {
  std::fprintf(out,
               "zelvorctl: settings and control of the Zelvor desktop suite\n\nusage:\n");
  for (const auto& g : kGroups) std::fprintf(out, "%.*s", static_cast<int>(g.usage.size()), g.usage.data());
  std::fprintf(out,
               "\nKEY is a path below HKEY_CURRENT_USER\\Software\\Norvane\\Zelvor (\"\" or \"/\" for\n"
               "the root) unless it starts with a hive name; '/' may stand for '\\'.\n"
               "VALUE \"@\" is the key's default value. Settings live in\n"
               "$XDG_CONFIG_HOME/zelvor/settings.reg.\n\n"
               "status, command and quit talk to the running zelvor. status prints one\n"
               "line per shown icon, open window and open menu item, fields separated by\n"
               "tabs (a tab, line break or backslash inside a field is written \\t, \\n, \\\\):\n"
               "  icon ID TITLE TIP IMAGE tray|bar\n"
               "  window CLASS TITLE visible|hidden\n"
               "  hotkey ID NAME registered|taken|unavailable, and pressed ID (the last one)\n"
               "  menu TITLE, then item DEPTH ID FLAGS TEXT per item\n"
               "  clipwatch on|off (Rezi Zovidaraz watches the clipboard), then clip ROW TYPE\n"
               "  CONTENT per entry of its history, oldest first\n"
               "command runs command COMMAND (0-255) of the icon ICON as its hotkey would.\n"
               "hotkeys lists each utility's hotkey commands: KEY ROW TEXT COMBINATION and the\n"
               "command line that runs it, for desktops whose own shortcut settings bind keys\n"
               "(Wayland, where no program can grab them).\n\n"
               "fetch downloads URL into FILE.down (FILE: the last part of the path) and\n"
               "renames it to FILE when complete; run again, it resumes from FILE.down. It\n"
               "never replaces an existing FILE unless --force is given. The password for\n"
               "--user comes from the first of: --password P, --password-file F (its first\n"
               "line; F may be a pipe), the environment variable ZELVOR_FETCH_PASSWORD, or a\n"
               "prompt without echo when stdin is a terminal.\n"
               "Beware: --password P is visible to other users of this machine (ps, /proc);\n"
               "prefer the other sources.\n");
}

}  // namespace
}  // namespace zelvor::ctl

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    ctl::printHelp(args.empty() ? stderr : stdout);
    return args.empty() ? ctl::kUsage : ctl::kOk;
  }
  for (const auto& g : ctl::kGroups) {
    if (args[0] != g.name) continue;
    std::string error;
    auto binding = LinuxPlatform::create(error);
    if (!binding) {
      std::fprintf(stderr, "zelvorctl: %s\n", error.c_str());
      return ctl::kFailed;
    }
    ctl::Context context{binding->platform()};
    return g.run(context, std::span<const std::string>(args).subspan(1));
  }
  std::fprintf(stderr, "zelvorctl: unknown command %s (see zelvorctl --help)\n", args[0].c_str());
  return ctl::kUsage;
}
