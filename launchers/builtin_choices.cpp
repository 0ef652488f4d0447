#include "launchers/builtin_choices.h"

#include <vector>

#include "shell/store/install_defaults.h"

namespace zelvor {
namespace {

constexpr std::string_view kSettings = "gnome-control-center";

// The program followed by the alternatives the defaults take when it is missing.
std::vector<std::string_view> candidatesOf(std::string_view program) {
  std::vector<std::string_view> names{program};
  for (const ProgramAlternatives& p : DefaultProgramAlternatives()) {
    if (p.name == program) names.insert(names.end(), p.others.begin(), p.others.end());
  }
  return names;
}

}  // namespace

const std::array<BuiltInChoice, 28>& BuiltInChoices() {
  // The settings panels keep the rows of the old control-panel applets;
  // the panel names are GNOME's, as in the default menus.
  static constexpr std::array<BuiltInChoice, 28> table{{
      {"Explorador de Windows", "xdg-open", "%HOME%", "system-file-manager"},
      {"Panel de Control", kSettings, "", ""},
      {"ScanDisk", "gnome-disks", "", ""},
      {"Defragmentador de disco", "baobab", "", ""},
      {"Bloc de Notas", "gnome-text-editor", "", ""},
      {"WordPad", "libreoffice", "--writer", "applications-office"},
      {"Paint", "libreoffice", "--draw", "applications-graphics"},
      {"Calculadora", "gnome-calculator", "", ""},
      {"Reproductor de CD", "totem", "cdda://", "media-optical-audio"},
      {"Mapa de caracteres", "gnome-characters", "", ""},
      {"Grabadora de sonidos", "gnome-sound-recorder", "", ""},
      {"Reproductor Multimedia", "totem", "", ""},
      {"Agregar nuevo hardware", kSettings, "bluetooth", "preferences-desktop-peripherals"},
      {"Agregar o quitar programas", "gnome-software", "", "system-software-install"},
      {"Configuración regional", kSettings, "region", "preferences-desktop-locale"},
      {"Contraseñas", kSettings, "user-accounts", "dialog-password"},
      {"Dispositivos de juego", "jstest-gtk", "", "input-gaming"},
      {"Fecha y hora", kSettings, "datetime", "preferences-system-time"},
      {"Fuentes", "gnome-font-viewer", "", "preferences-desktop-font"},
      {"Impresoras", kSettings, "printers", "printer"},
      {"Módems", kSettings, "wwan", "modem"},
      {"Mouse", kSettings, "mouse", "input-mouse"},
      {"Multimedia", kSettings, "default-apps", "multimedia-volume-control"},
      {"Pantalla", kSettings, "display", "preferences-desktop-display"},
      {"Red", kSettings, "network", "network-wired"},
      {"Sistema", kSettings, "info-overview", "computer"},
      {"Sonidos", kSettings, "sound", "audio-speakers"},
      {"Teclado", kSettings, "keyboard", "input-keyboard"},
  }};
  return table;
}

std::optional<std::string> FindChoiceProgram(const BuiltInChoice& choice, const ProgramFolders& folders,
                                             Files& files) {
  for (const std::string_view name : candidatesOf(choice.program)) {
    for (const std::string& folder : folders) {
      const std::string path = folder + std::string(name);
      if (files.exists(path) && !files.isFolder(path)) return path;
    }
  }
  return std::nullopt;
}

bool ApplyBuiltInChoice(const BuiltInChoice& choice, const ProgramFolders& folders, Files& files,
                        std::string_view systemProgramFolder, ProgramEntry& entry, IconRecord* icon) {
  const std::optional<std::string> found = FindChoiceProgram(choice, folders, files);
  entry.description = std::string(choice.description);
  entry.program = found.value_or(std::string(systemProgramFolder) + std::string(choice.program));
  entry.arguments = std::string(choice.arguments);
  if (icon != nullptr) *icon = {std::string(choice.icon), 0};
  return found.has_value();
}

}  // namespace zelvor
