#pragma once
// The utilities the shell hosts, with their icon ids, titles, keys and
// initial images, and the windows the shell keeps in its directory.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelvor {

enum class UtilityKind {
  VadaVU,
  DadeRive,
  ZiviDuvaza,
  DedoVuv,
  DivoZidezevuza,
  ReziZovidaraz,
  DuvuZevad,
  RaviVarudide,
  DeveRevazoz,
  VaziDuzidarud,
  RaroDarid,
};
inline constexpr std::size_t kUtilityCount = 11;

struct UtilityInfo {
  UtilityKind kind;
  std::string_view key;    // below the root; its default value is the enable flag
  std::string_view title;  // icon title and menu side-bar title
  int iconId;              // 0: no icon of its own (the launchers have one per entry)
  int image;               // initial image in the utility strip
  int toggleCommand;       // its item in "Utilidades a mostrar"
};

inline constexpr std::array<UtilityInfo, kUtilityCount> kUtilities{{
    {UtilityKind::VadaVU, "VadaVU", "Vada VU", 3, 7, 3053},
    {UtilityKind::DadeRive, "DadeRive", "Dade Rive", 4, 8, 3054},
    {UtilityKind::ZiviDuvaza, "ZiviDuvaza", "Zivi Duvaza", 5, 11, 3055},
    {UtilityKind::DedoVuv, "DedoVuv", "Dedo Vuv", 6, 13, 3056},
    {UtilityKind::DivoZidezevuza, "DivoZidezevuza", "Divo Zidezevuza", 7, 16, 3057},
    {UtilityKind::ReziZovidaraz, "ReziZovidaraz", "Rezi Zovidaraz", 8, 17, 3058},
    {UtilityKind::DuvuZevad, "DuvuZevad", "Duvu Zevad", 9, 19, 3059},
    {UtilityKind::RaviVarudide, "RaviVarudide", "Ravi Varudide", 10, 20, 3060},
    {UtilityKind::DeveRevazoz, "DeveRevazoz", "Deve Revazoz", 300, 21, 3061},
    {UtilityKind::VaziDuzidarud, "VaziDuzidarud", "Vazi Duzidarud", 0, -1, 3051},
    {UtilityKind::RaroDarid, "RaroDarid", "Raro Darid", 0, -1, 3052},
}};

// The order in which the suite lists its utilities to the user ("Utilidades a
// mostrar", the configuration window's toggles and tree): the launchers
// first, then the others in icon order.
inline constexpr std::array<UtilityKind, kUtilityCount> kListOrder{
    UtilityKind::VaziDuzidarud, UtilityKind::RaroDarid,      UtilityKind::VadaVU,
    UtilityKind::DadeRive,      UtilityKind::ZiviDuvaza,     UtilityKind::DedoVuv,
    UtilityKind::DivoZidezevuza, UtilityKind::ReziZovidaraz, UtilityKind::DuvuZevad,
    UtilityKind::RaviVarudide,  UtilityKind::DeveRevazoz,
};

[[nodiscard]] constexpr const UtilityInfo& info(UtilityKind kind) {
  return kUtilities[static_cast<std::size_t>(kind)];
}
[[nodiscard]] constexpr std::size_t indexOf(UtilityKind kind) { return static_cast<std::size_t>(kind); }
// The built-in utility whose icon has this id.
[[nodiscard]] std::optional<UtilityKind> utilityOfIcon(int iconId);

// Icon ids that are not a utility's.
namespace icon_id {
inline constexpr int Product = 1;
inline constexpr int Bar = 2;
inline constexpr int FirstShortcut = 100;
inline constexpr int FirstMenu = 200;
inline constexpr int DeveRevazoz = 300;
inline constexpr int FirstDesktop = 301;
}  // namespace icon_id

// Modeless windows of the shell's directory that are not utility objects.
enum class WindowKind {
  Config,          // configuration window, closed message 1134
  About,           // about box, 1135
  Tip,             // tip of the day, 1139
  Diary,           // connection diary, 1138
  AutoClose,       // automatic shutdown, 1140
  Update,          // update window, 1142
  AutoDialer,      // automatic dialling, 1143
  TrafficAlerts,   // traffic alerts
  RemoteShutdown,  // remote shutdown
  UsageGraph,      // usage graph of Zivi Duvaza
};
inline constexpr std::size_t kWindowCount = 10;
[[nodiscard]] constexpr std::size_t indexOf(WindowKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace zelvor
