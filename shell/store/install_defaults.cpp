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

// Names a program of the defaults (after the placeholder) the way it stands
// in the REGEDIT4 text, closing quote included, so that no name matches the
// beginning of a longer one.
std::string programValue(std::string_view folder, std::string_view name) {
  return "\"Programa\"=\"" + escapedFolder(folder) + std::string(name) + "\"";
}

// Each default program that is not installed gives way to the first
// installed program of the same kind; with none installed it stays, so the
// entry still names what to install.
void chooseInstalledPrograms(std::string& text, const InstallOptions& options) {
  if (!options.programInstalled) return;
  const std::string& folder = options.systemProgramFolder;
  for (const ProgramAlternatives& p : DefaultProgramAlternatives()) {
    if (options.programInstalled(folder + std::string(p.name))) continue;
    for (const std::string_view other : p.others) {
      if (!options.programInstalled(folder + std::string(other))) continue;
      replaceAll(text, programValue(folder, p.name), programValue(folder, other));
      break;
    }
  }
}

}  // namespace

const std::vector<ProgramAlternatives>& DefaultProgramAlternatives() {
  // Only programs started without arguments, or with arguments every
  // alternative takes alike, have alternatives: the settings panels and the
  // office suite's modules are started with arguments of their own.
  static const std::vector<ProgramAlternatives> table{
      {"x-terminal-emulator", {"gnome-terminal", "konsole", "xfce4-terminal", "mate-terminal", "lxterminal", "xterm"}},
      {"gnome-text-editor", {"gedit", "kate", "kwrite", "mousepad", "xed", "pluma", "featherpad", "leafpad"}},
      {"gnome-calculator", {"kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}},
      {"gnome-sound-recorder", {"audio-recorder"}},
      {"totem", {"celluloid", "parole", "vlc", "mpv", "dragon"}},
      {"gnome-disks", {"partitionmanager", "gparted"}},
      {"baobab", {"filelight", "qdirstat"}},
      {"gnome-software", {"plasma-discover", "synaptic"}},
      {"gnome-font-viewer", {"font-manager", "kfontview"}},
  };
  return table;
}

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
  chooseInstalledPrograms(replaced, options);
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
