#pragma once
// The texts of the service list and which service commands a state allows.

#include <string>

namespace zelvor {

// By the service_state numbers: "" for a stopped service.
[[nodiscard]] std::string ServiceStateText(int state);
// By the service_start numbers: 0, 1 and 2 "Automático", 3 "Manual", 4 "Deshabilitado".
[[nodiscard]] std::string StartTypeText(int startType);

enum class ServiceCommand { Start, Stop, Pause, Resume, Restart, Automatic, Manual, Disable, Uninstall };

// Whether a command is offered for a service in this state: start only a
// stopped one, stop and restart a running or paused one, pause a running
// one, resume a paused one; the start types and removal always.
[[nodiscard]] bool ServiceCommandAllowed(ServiceCommand command, int state);

// What a row keeps as its key: state × 65536 + start type.
[[nodiscard]] constexpr unsigned long long ServiceRowData(int state, int startType) {
  return static_cast<unsigned long long>(state) * 65536u + static_cast<unsigned long long>(startType);
}

}  // namespace zelvor
