#include "shell/store/install_defaults.h"

#include "platform/regtext/regtext.h"
#include "shell/store/default_texts.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {
namespace {

// A folder as REGEDIT4 text: every backslash doubled.
std::string escapedFolder(std::string_view folder) {
  std::string out;
  for (char c : folder) {
    if (c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size())) {
    text.replace(pos, from.size(), to);
  }
}

}  // namespace

bool wantsReinstall(std::span<const std::string> args) {
  for (const auto& a : args) {
    if (a == "/i" || a == "--reinstall-defaults") return true;
  }
  return false;
}

std::string defaultsText(const InstallOptions& options) {
  const auto base = defaultText(268);
  const auto launchers = defaultText(options.ntPlatform ? 395 : 398);
  if (!base || !launchers) return {};
  std::string replaced(*launchers);
  replaceAll(replaced, "WINSYS\\\\", escapedFolder(options.systemProgramFolder));
  replaceAll(replaced, "WIN\\\\", escapedFolder(options.systemFolder));
  return std::string(*base) + replaced;
}

InstallResult InstallDefaults(ConfigStore& store, std::span<const std::string> args,
                              const InstallOptions& options) {
  InstallResult result;
  Registry& registry = store.registry();
  (void)registry.createKey(Hive::CurrentUser, kRootKey);
  if (!wantsReinstall(args) && store.ReadConfigInt("", root_value::Instalado) != 0) return result;

  // Deleting the old tree and importing the new one is a single change: a
  // crash in between cannot leave the user with no settings at all.
  std::vector<RegOp> ops;
  ops.push_back({RegOp::Kind::DeleteTree, Hive::CurrentUser, std::string(kRootKey), {}, {}});
  ops.push_back({RegOp::Kind::CreateKey, Hive::CurrentUser, std::string(kRootKey), {}, {}});
  const std::string text = defaultsText(options);
  if (!text.empty()) {
    const auto parsed = regtext::parse(text, regtext::Header::Required);
    if (parsed.error) {
      result.error = "Los valores por defecto no se pudieron importar: " +
                     regtext::formatError(*parsed.error);
    } else {
      auto imported = regtext::toOps(parsed.entries);
      ops.insert(ops.end(), std::make_move_iterator(imported.begin()),
                 std::make_move_iterator(imported.end()));
    }
  }
  if (registry.apply(ops) != RegStatus::Ok && result.error.empty()) {
    result.error = "No se pudo guardar la configuración.";
  }
  result.installed = result.error.empty();

  // The run-at-login entry; a failure here is ignored.
  CRegKeyEx run(registry);
  if (run.Create(Hive::LocalMachine, kRunKey) == RegStatus::Ok) {
    run.SetString(kRunValue, store.ProgramFile());
  }
  return result;
}

}  // namespace zelvor
