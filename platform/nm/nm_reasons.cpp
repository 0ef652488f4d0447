#include "platform/nm/nm_reasons.h"

#include <array>
#include <string_view>

namespace zelvor::nm {
namespace {

// NMDeviceStateReason, in NetworkManager's numbering.
constexpr std::array<std::string_view, 68> kDeviceReasons = {
    "Sin motivo.",
    "Error desconocido.",
    "El dispositivo pasó a ser gestionado.",
    "El dispositivo dejó de estar gestionado.",
    "No se pudo preparar el dispositivo para la configuración.",
    "No se pudo obtener la configuración IP.",
    "La configuración IP ya no es válida.",
    "Faltan los datos secretos (contraseña) de la conexión.",
    "El suplicante 802.1X se desconectó.",
    "Falló la configuración del suplicante 802.1X.",
    "Falló el suplicante 802.1X.",
    "El suplicante 802.1X tardó demasiado en autenticarse.",
    "No se pudo iniciar el servicio PPP.",
    "El servicio PPP se desconectó.",
    "Falló el servicio PPP.",
    "No se pudo iniciar el cliente DHCP.",
    "Error del cliente DHCP.",
    "Falló el cliente DHCP.",
    "No se pudo iniciar el servicio de conexión compartida.",
    "Falló el servicio de conexión compartida.",
    "No se pudo iniciar el servicio AutoIP.",
    "Error del servicio AutoIP.",
    "Falló el servicio AutoIP.",
    "La línea está ocupada.",
    "No hay tono de marcado.",
    "No se detectó la portadora.",
    "Se agotó el tiempo de marcado.",
    "Falló el marcado.",
    "No se pudo inicializar el módem.",
    "No se pudo seleccionar el APN indicado.",
    "No se está buscando red.",
    "La red rechazó el registro.",
    "Se agotó el tiempo de registro en la red.",
    "Falló el registro en la red.",
    "Falló la comprobación del PIN.",
    "Falta el firmware del dispositivo.",
    "Se quitó el dispositivo.",
    "NetworkManager pasó a reposo.",
    "Se eliminó el perfil de la conexión activa.",
    "Desconectado por el usuario.",
    "Cambió el estado de la portadora.",
    "Se asumió la conexión existente del dispositivo.",
    "El suplicante 802.1X está disponible.",
    "No se encuentra el módem.",
    "Falló la conexión Bluetooth.",
    "No hay tarjeta SIM.",
    "La tarjeta SIM necesita el PIN.",
    "La tarjeta SIM necesita el PUK.",
    "La tarjeta SIM no es válida.",
    "El dispositivo InfiniBand no admite el modo conectado.",
    "Falló una conexión de la que depende esta.",
    "Falló la conexión RFC 2684 sobre ADSL.",
    "ModemManager no está disponible.",
    "No se encuentra la red inalámbrica.",
    "Falló una conexión secundaria.",
    "Falló la configuración DCB/FCoE.",
    "Falló el control de teamd.",
    "Falló el módem o dejó de estar disponible.",
    "El módem pasó a estar disponible.",
    "El PIN de la tarjeta SIM es incorrecto.",
    "Se está activando otra conexión en el dispositivo.",
    "Cambió el dispositivo padre.",
    "Cambió la gestión del dispositivo padre.",
    "Falló la comunicación con Open vSwitch.",
    "La dirección IP está duplicada.",
    "El método IP elegido no es compatible.",
    "Falló la configuración SR-IOV.",
    "No se encuentra el otro extremo (Wi-Fi P2P).",
};

// NMActiveConnectionStateReason.
constexpr std::array<std::string_view, 15> kActiveReasons = {
    "Motivo desconocido.",
    "Sin motivo.",
    "Desconectado por el usuario.",
    "Se desconectó el dispositivo de la conexión.",
    "Se detuvo el servicio de la conexión.",
    "La configuración IP no es válida.",
    "Se agotó el tiempo de conexión.",
    "Se agotó el tiempo de inicio del servicio de la conexión.",
    "No se pudo iniciar el servicio de la conexión.",
    "Faltan los datos secretos (contraseña) de la conexión.",
    "Falló el inicio de sesión: nombre de usuario o contraseña incorrectos.",
    "Se eliminó el perfil de la conexión.",
    "Falló una conexión de la que depende esta.",
    "No se pudo crear el dispositivo de la conexión.",
    "Se quitó el dispositivo de la conexión.",
};

std::string fromTable(const auto& table, int index, const char* unknown) {
  if (index >= 0 && static_cast<std::size_t>(index) < table.size()) {
    return std::string(table[static_cast<std::size_t>(index)]);
  }
  return std::string(unknown) + " (" + std::to_string(index) + ").";
}

}  // namespace

std::string ReasonText(int code) {
  if (code >= kDeviceReasonBase && code < kActiveReasonBase) {
    return fromTable(kDeviceReasons, code - kDeviceReasonBase, "NetworkManager informó de un motivo desconocido");
  }
  if (code >= kActiveReasonBase && code < kCallErrorBase) {
    return fromTable(kActiveReasons, code - kActiveReasonBase, "NetworkManager informó de un motivo desconocido");
  }
  return "";
}

}  // namespace zelvor::nm
