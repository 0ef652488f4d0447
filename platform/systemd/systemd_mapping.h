#pragma once
// How systemd's words for a unit become the service list's numbers. Kept
// apart from the bus so that the table can be checked on its own.

#include <string_view>

namespace zelvor::systemd {

// ActiveState ("active", "activating", ...) and FreezerState ("running",
// "frozen", "freezing", "thawing"; "" on managers without a freezer).
[[nodiscard]] int ServiceStateOf(std::string_view activeState, std::string_view freezerState);
// UnitFileState ("enabled", "disabled", "static", "masked", ...).
[[nodiscard]] int StartTypeOf(std::string_view unitFileState);
// Whether a unit name is a service ("ssh.service"; templates like
// "getty@.service" cannot run themselves and are left out).
[[nodiscard]] bool IsServiceUnit(std::string_view name);

}  // namespace zelvor::systemd
