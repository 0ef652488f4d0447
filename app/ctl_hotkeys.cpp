// zelvorctl hotkeys: every hotkey command of the utilities, with its stored
// key combination and the command line that runs it. Where the desktop lets
// no program grab keys (Wayland), its own shortcut settings can bind these
// command lines instead.

#include "app/ctl_command.h"
#include "platform/name_compare.h"
#include "shell/hotkey_names.h"
#include "shell/store/config_store.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor::ctl {

int runHotkeys(Context& context, std::span<const std::string> args) {
  if (args.size() > 1) return usage(context, kHotkeysUsage);
  bool found = args.empty();
  for (const UtilityInfo& u : kUtilities) {
    const auto rows = HotkeyCommands(u.kind);
    if (rows.empty()) continue;
    if (!args.empty() && !namesEqual(args[0], u.key) && !namesEqual(args[0], u.title)) continue;
    found = true;
    CRegKeyEx key(context.platform.registry);
    const bool open = key.Open(Hive::CurrentUser, ConfigStore::KeyPath(u.key)) == RegStatus::Ok;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const int row = static_cast<int>(i) + 1;
      const std::uint32_t binding = open ? key.GetDword("HotKey" + std::to_string(row)).value_or(0) : 0;
      std::fprintf(context.out, "%.*s\t%d\t%.*s\t%s\tzelvorctl command %d %d\n", static_cast<int>(u.key.size()),
                   u.key.data(), row, static_cast<int>(rows[i].size()), rows[i].data(), KeyName(binding).c_str(),
                   u.iconId, row);
    }
  }
  if (!found) return fail(context, "no utility named " + args[0] + " has hotkey commands");
  return kOk;
}

}  // namespace zelvor::ctl
