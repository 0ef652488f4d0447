#include "system/service_texts.h"

#include "platform/service_manager.h"

namespace zelvor {

std::string ServiceStateText(int state) {
  switch (state) {
    case service_state::Stopped: return "";
    case service_state::Starting: return "Iniciando";
    case service_state::Stopping: return "Deteniendo";
    case service_state::Running: return "Iniciado";
    case service_state::Resuming: return "Continuando";
    case service_state::Pausing: return "Pausando";
    case service_state::Paused: return "Pausado";
    default: return "Desconocido";
  }
}

std::string StartTypeText(int startType) {
  switch (startType) {
    case service_start::Boot:
    case service_start::System:
    case service_start::Automatic: return "Automático";
    case service_start::Manual: return "Manual";
    case service_start::Disabled: return "Deshabilitado";
    default: return "";
  }
}

bool ServiceCommandAllowed(ServiceCommand command, int state) {
  using enum ServiceCommand;
  switch (command) {
    case Start: return state == service_state::Stopped;
    case Stop:
    case Restart: return state == service_state::Running || state == service_state::Paused;
    case Pause: return state == service_state::Running;
    case Resume: return state == service_state::Paused;
    default: return true;
  }
}

}  // namespace zelvor
