#include "shell/sound_defaults.h"

#include "platform/regtext/regtext.h"

namespace zelvor {
namespace {

// The events and their files in the freedesktop sound theme (Debian package
// sound-theme-freedesktop). The window events ("RestoreUp", "Minimize",
// "MenuPopup") stay silent, as they are in the standard scheme of the system
// the suite comes from: a sound each time a window opens or a panel rolls
// out is noise. Their keys are there, empty, for the user to fill.
constexpr std::string_view kSoundDefaults = R"(REGEDIT4

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\RestoreUp\.current]
@=""

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\Minimize\.current]
@=""

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\MenuPopup\.current]
@=""

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemExclamation\.current]
@="/usr/share/sounds/freedesktop/stereo/dialog-warning.oga"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemHand\.current]
@="/usr/share/sounds/freedesktop/stereo/dialog-warning.oga"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemAsterisk\.current]
@="/usr/share/sounds/freedesktop/stereo/dialog-information.oga"

[HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\SystemDefault\.current]
@="/usr/share/sounds/freedesktop/stereo/bell.oga"
)";

}  // namespace

int InstallSoundDefaults(Registry& registry) {
  const auto parsed = regtext::parse(kSoundDefaults, regtext::Header::Required);
  if (parsed.error) return 0;
  std::vector<RegOp> ops;
  for (const auto& e : parsed.entries) {
    if (e.kind != regtext::Entry::Kind::Value) continue;
    if (registry.queryValue(e.hive, e.path, e.name)) continue;
    ops.push_back({RegOp::Kind::CreateKey, e.hive, e.path, {}, {}});
    ops.push_back({RegOp::Kind::SetValue, e.hive, e.path, e.name, e.value});
  }
  if (ops.empty() || registry.apply(ops) != RegStatus::Ok) return 0;
  return static_cast<int>(ops.size() / 2);
}

}  // namespace zelvor
