#pragma once
// The pop-up menus of the main window: the product menu and the menus of
// Dade Rive, Dedo Vuv, Rezi Zovidaraz, Duvu Zevad and Deve Revazoz, with
// their items, command ids and checks.

#include <array>
#include <string>
#include <vector>

#include "platform/menu_host.h"
#include "shell/store/config_store.h"
#include "shell/utility.h"

namespace zelvor {

// Command id ranges of the menus.
namespace menu_id {
inline constexpr int Help = 3001;
inline constexpr int Tip = 3002;
inline constexpr int Update = 3003;
inline constexpr int About = 3004;
inline constexpr int Restore = 3005;
inline constexpr int Save = 3006;
inline constexpr int Configure = 3007;
inline constexpr int Exit = 3008;
inline constexpr int FirstToggle = 3051;  // "Utilidades a mostrar": 3051 … 3061
inline constexpr int LastToggle = 3061;
inline constexpr int DadeRiveBase = 300;  // 301 … 311
inline constexpr int DedoVuvBase = 500;
inline constexpr int ReziBase = 700;
inline constexpr int DuvuBase = 900;
inline constexpr int DeveBase = 1100;
inline constexpr int RaroFirst = 2000;  // 2000 + (m − 1) × 100 + n
inline constexpr int RaroLast = 11900;
}  // namespace menu_id

// Shown state per utility, for the checks of "Utilidades a mostrar".
using ShownFlags = std::array<bool, kUtilityCount>;

[[nodiscard]] Menu BuildProductMenu(const ShownFlags& shown);
// The utility that a "Utilidades a mostrar" command toggles.
[[nodiscard]] std::optional<UtilityKind> ToggledUtility(int commandId);

// ntFamily: the remote-shutdown items are offered; osGeneration picks the
// lock (above 5) and MS-DOS (below 3) items.
[[nodiscard]] Menu BuildDadeRiveMenu(bool ntFamily, int osGeneration, bool autoShutdownArmed,
                                     bool shutdownBlocked);

// Builds the Dedo Vuv menu. The default entry (Conexion) is moved to the
// front; when it is not among the entries, Conexion is set to the first one.
// entries receives the names in menu order (items 520 + j and 540 + j).
[[nodiscard]] Menu BuildDedoVuvMenu(const DialUpFacts& facts, bool autoDialerOpen,
                                    ConfigStore& store, std::vector<std::string>& entries);

[[nodiscard]] Menu BuildReziMenu(bool watchOff, const std::vector<ClipRow>& rows,
                                 const ConfigStore& store);
[[nodiscard]] Menu BuildDuvuMenu(const std::vector<NoteItem>& notes);
[[nodiscard]] Menu BuildDeveMenu(const std::vector<DesktopItem>& desktops);

// The text of a row of the Rezi Zovidaraz menu: first column, a tab, the
// second column cut to 60 characters.
[[nodiscard]] std::string ClipItemText(const ClipRow& row);

// Cuts text to at most count characters (UTF-8), never inside one.
[[nodiscard]] std::string CutCharacters(const std::string& text, std::size_t count);

}  // namespace zelvor
