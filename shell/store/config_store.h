#pragma once
// The suite's settings tree and the helpers every utility reads and writes
// it with. Sub-paths are relative to the root key; "" is the root itself.

#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/registry.h"

namespace zelvor {

inline constexpr std::string_view kRootKey = "Software\\Norvane\\Zelvor";

// Keys of the utilities below the root.
namespace utility_key {
inline constexpr std::string_view RaviVarudide = "RaviVarudide";
inline constexpr std::string_view VadaVU = "VadaVU";
inline constexpr std::string_view ReziZovidaraz = "ReziZovidaraz";
inline constexpr std::string_view DeveRevazoz = "DeveRevazoz";
inline constexpr std::string_view DivoZidezevuza = "DivoZidezevuza";
inline constexpr std::string_view DadeRive = "DadeRive";
inline constexpr std::string_view RaroDarid = "RaroDarid";
inline constexpr std::string_view DedoVuv = "DedoVuv";
inline constexpr std::string_view DuvuZevad = "DuvuZevad";
inline constexpr std::string_view VaziDuzidarud = "VaziDuzidarud";
inline constexpr std::string_view ZiviDuvaza = "ZiviDuvaza";
inline constexpr std::string_view Diario = "Diario";
}  // namespace utility_key

// Values that sit directly under the root.
namespace root_value {
inline constexpr std::string_view Instalado = "Instalado";
inline constexpr std::string_view SugerenciasAlInicio = "SugerenciasAlInicio";
inline constexpr std::string_view AutoActualizar = "AutoActualizar";
inline constexpr std::string_view ConfigurarLeft = "ConfigurarLeft";
inline constexpr std::string_view ConfigurarTop = "ConfigurarTop";
inline constexpr std::string_view MainHWnd = "MainHWnd";
inline constexpr std::string_view EstiloMenus = "EstiloMenus";
inline constexpr std::string_view EstiloTooltips = "EstiloTooltips";
inline constexpr std::string_view ZelvorIcon = "ZelvorIcon";
inline constexpr std::string_view HideZelvorIcon = "HideZelvorIcon";
inline constexpr std::string_view MostrarBarra = "MostrarBarra";
inline constexpr std::string_view Left = "Left";
inline constexpr std::string_view Top = "Top";
inline constexpr std::string_view SepIcons = "SepIcons";
inline constexpr std::string_view DireccionBarra = "DireccionBarra";
inline constexpr std::string_view PosicionBarra = "PosicionBarra";
inline constexpr std::string_view AutoMostrarBarra = "AutoMostrarBarra";
inline constexpr std::string_view TiempoOcultarBarra = "TiempoOcultarBarra";
inline constexpr std::string_view OcultarBarraAlSeleccionar = "OcultarBarraAlSeleccionar";
inline constexpr std::string_view MostrarBarraAlInicio = "MostrarBarraAlInicio";
inline constexpr std::string_view HotKey = "HotKey";
inline constexpr std::string_view AnimacionMenus = "AnimacionMenus";
}  // namespace root_value

// The run-at-login value lives outside the tree.
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValue = "Zelvor";

// Numbered lists: "Numero" holds the count, element i is the subkey " i".
inline constexpr std::string_view kListCount = "Numero";
inline constexpr std::string_view kSeparator = "Separador";
[[nodiscard]] std::string listElementKey(int index);

class ConfigStore {
 public:
  ConfigStore(Registry& registry, Folders& folders, Files& files)
      : registry_(registry), folders_(folders), files_(files) {}

  [[nodiscard]] std::string ReadConfigString(std::string_view subPath, std::string_view name) const;
  [[nodiscard]] int ReadConfigInt(std::string_view subPath, std::string_view name) const;
  void WriteConfigString(std::string_view subPath, std::string_view name, std::string_view text);
  void WriteConfigInt(std::string_view subPath, std::string_view name, int value);

  // The per-user data folder ($XDG_DATA_HOME/zelvor/), created on first
  // use; the program folder when there is no per-user folder.
  [[nodiscard]] std::string GetDataFolder() const;
  [[nodiscard]] std::string ProgramFolder() const { return folders_.programFolder(); }
  [[nodiscard]] std::string ProgramFile() const { return folders_.programFile(); }

  // The enable flag of a utility: the default value of its key, "1" = shown.
  [[nodiscard]] bool IsEnabled(std::string_view utilityKey) const;
  void SetEnabled(std::string_view utilityKey, bool enabled);

  // The full path below HKEY_CURRENT_USER of a sub-path of the root.
  [[nodiscard]] static std::string KeyPath(std::string_view subPath);

  [[nodiscard]] Registry& registry() const { return registry_; }
  [[nodiscard]] Folders& folders() const { return folders_; }
  [[nodiscard]] Files& files() const { return files_; }

 private:
  Registry& registry_;
  Folders& folders_;
  Files& files_;
};

}  // namespace zelvor
