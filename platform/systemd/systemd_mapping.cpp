#include "platform/systemd/systemd_mapping.h"

#include "platform/service_manager.h"

namespace zelvor::systemd {

int ServiceStateOf(std::string_view activeState, std::string_view freezerState) {
  // A frozen unit is the nearest thing systemd has to a paused service.
  if (freezerState == "frozen") return service_state::Paused;
  if (freezerState == "freezing") return service_state::Pausing;
  if (freezerState == "thawing") return service_state::Resuming;
  if (activeState == "active" || activeState == "reloading") return service_state::Running;
  if (activeState == "inactive" || activeState == "failed") return service_state::Stopped;
  if (activeState == "activating") return service_state::Starting;
  if (activeState == "deactivating") return service_state::Stopping;
  return service_state::Unknown;
}

int StartTypeOf(std::string_view unitFileState) {
  // Enabled units start with the system; static, indirect and disabled
  // ones only when something (or someone) asks for them; a masked unit
  // cannot be started at all.
  if (unitFileState == "enabled" || unitFileState == "enabled-runtime" || unitFileState == "alias" ||
      unitFileState == "generated" || unitFileState == "transient") {
    return service_start::Automatic;
  }
  if (unitFileState == "masked" || unitFileState == "masked-runtime" || unitFileState == "bad") {
    return service_start::Disabled;
  }
  return service_start::Manual;
}

bool IsServiceUnit(std::string_view name) {
  constexpr std::string_view kSuffix = ".service";
  if (name.size() <= kSuffix.size() || name.substr(name.size() - kSuffix.size()) != kSuffix) return false;
  return !name.ends_with("@.service");
}

}  // namespace zelvor::systemd
