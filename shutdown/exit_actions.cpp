#include "shutdown/exit_actions.h"

#include <array>

namespace zelvor::shutdown {
namespace {

constexpr std::array<SystemAction, 7> kActions{{
    {1, "ApagarSistema", "¿Desea apagar el sistema?", "Error al apagar el sistema", PowerAction::PowerOff},
    {2, "ReiniciarSistema", "¿Desea reiniciar el sistema?", "Error al reiniciar el sistema", PowerAction::Reboot},
    {3, "CerrarSesion", "¿Desea cerrar la sesión?", "Error al cerrar la sesión", PowerAction::LogOff},
    {4, "Suspender", "¿Desea suspender el sistema?", "Error al suspender el sistema", PowerAction::Suspend},
    // Hibernation failures carry the suspend title, as they always have.
    {5, "Hibernar", "¿Desea hibernar el sistema?", "Error al suspender el sistema", PowerAction::Hibernate},
    {6, "BloquearEquipo", "¿Desea bloquear el equipo?", "Error al bloquear la estación", PowerAction::LockSession},
    {7, "ReiniciarMSDOS", "¿Desea reiniciar en modo MS-DOS?", "Dade Rive", std::nullopt},
}};

}  // namespace

std::optional<SystemAction> SystemActionOf(int code) {
  if (code < kFirstSystemAction || code > kLastSystemAction) return std::nullopt;
  return kActions[static_cast<std::size_t>(code - 1)];
}

}  // namespace zelvor::shutdown
