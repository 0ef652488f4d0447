#include "shell/hotkey_names.h"

#include <array>

namespace zelvor {
namespace {

std::string keyOnlyName(std::uint32_t key) {
  switch (key) {
    case 13: return "Enter";
    case 19: return "Pausa";
    case 20: return "Bloq.May.";
    case 27: return "Esc";
    case 32: return "Espacio";
    case 33: return "Re.Pág.";
    case 34: return "Av.Pág.";
    case 35: return "Fin";
    case 36: return "Inicio";
    case 37: return "Izquierda";
    case 38: return "Arriba";
    case 39: return "Derecha";
    case 40: return "Abajo";
    case 45: return "Insertar";
    case 46: return "Supr.";
    case 47: return "Ayuda";
    case 106: return "Mul.";
    case 107: return "Suma";
    case 108: return "Sep.";
    case 109: return "Resta";
    // The keypad's decimal key has always carried this name.
    case 110: return "Bloq.Num.";
    case 111: return "Div.";
    case 187: return "+";
    case 188: return ",";
    case 189: return "-";
    case 190: return ".";
    default: break;
  }
  if (key >= 48 && key <= 90) return std::string(1, static_cast<char>(key));
  if (key >= 96 && key <= 105) return "Num-" + std::to_string(key - 96);
  if (key >= 112 && key <= 135) return "F" + std::to_string(key - 111);
  return {};
}

constexpr std::array<std::string_view, 3> kVadaVU{"Reproducir/Detener", "Reproducir/Pausar",
                                                  "Abrir/Cerrar la bandeja"};
constexpr std::array<std::string_view, 11> kDadeRive{
    "Apagar el sistema", "Reiniciar el sistema", "Cerrar la sesión", "Suspender", "Hibernar",
    "Bloquear equipo", "Reiniciar en modo MS-DOS", "Configurar apagado automático", "Bloquear apagado",
    "Apagar un equipo remoto", "Reiniciar un equipo remoto"};
constexpr std::array<std::string_view, 5> kZiviDuvaza{
    "Mostrar capacidad de los discos duros y la memoria", "Mostrar información de los procesos",
    "Mostrar información general del sistema", "Mostrar servicios del sistema",
    "Mostrar gráfico del uso de memoria y de CPU."};
constexpr std::array<std::string_view, 7> kDedoVuv{
    "Mostrar el diario de conexiones", "Configurar la conexión/desconexión automática",
    "Abrir el Acceso telefónico a redes", "Crear una nueva conexión",
    "Abrir las propiedades de la conexión predeterminada",
    "Conectar/Desconectar a la conexión predeterminada", "Mostrar/Ocultar el medidor del tráfico en la red"};
constexpr std::array<std::string_view, 2> kDivoZidezevuza{"Mostrar la ventana", "Añadir una nueva URL"};
constexpr std::array<std::string_view, 3> kReziZovidaraz{"Mostrar los portapapeles", "Eliminar todos los portapapeles",
                                                         "Desactivar Rezi Zovidaraz"};
constexpr std::array<std::string_view, 5> kDuvuZevad{"Nueva nota", "Mostrar todas las notas", "Ocultar todas las notas",
                                                     "Eliminar todas las notas", "Papelera de reciclaje"};
constexpr std::array<std::string_view, 1> kRaviVarudide{"Mostrar el calendario"};
constexpr std::array<std::string_view, 16> kDeveRevazoz{
    "Mostrar administrador de escritorios", "Nuevo escritorio", "Cerrar las aplicaciones del escritorio activo",
    "Minimizar todo", "Restaurar todo", "Cambiar al siguiente escritorio", "Cambiar al anterior escritorio",
    "Cambiar al escritorio principal", "Cambiar al escritorio 1", "Cambiar al escritorio 2",
    "Cambiar al escritorio 3", "Enviar la ventana activa al escritorio principal",
    "Enviar la ventana activa al escritorio 1", "Enviar la ventana activa al escritorio 2",
    "Enviar la ventana activa al escritorio 3", "Mostrar la ventana activa en todos los escritorios"};

}  // namespace

std::string KeyName(std::uint32_t binding) {
  if (binding == 0) return {};
  const std::string key = keyOnlyName(binding & 0xFF);
  if (key.empty()) return {};
  const std::uint32_t mods = binding >> 8 & 0xFF;
  std::string name;
  if ((mods & 2) != 0) name += "Ctrl + ";
  if ((mods & 1) != 0) name += "Alt + ";
  if ((mods & 4) != 0) name += "Shift + ";
  return name + key;
}

std::uint32_t FieldToRegistration(std::uint32_t fieldValue) {
  const std::uint32_t f = fieldValue >> 8 & 0xFF;
  std::uint32_t r = 0;
  if ((f & 1) != 0) r |= 4;  // Shift
  if ((f & 2) != 0) r |= 2;  // Control
  if ((f & 4) != 0) r |= 1;  // Alt
  return r << 8 | (fieldValue & 0xFF);
}

std::uint32_t RegistrationToField(std::uint32_t binding) {
  const std::uint32_t r = binding >> 8 & 0xFF;
  std::uint32_t f = 0;
  if ((r & 1) != 0) f |= 4;  // Alt
  if ((r & 2) != 0) f |= 2;  // Control
  if ((r & 4) != 0) f |= 1;  // Shift
  return f << 8 | (binding & 0xFF);
}

std::span<const std::string_view> HotkeyCommands(UtilityKind kind) {
  switch (kind) {
    case UtilityKind::VadaVU: return kVadaVU;
    case UtilityKind::DadeRive: return kDadeRive;
    case UtilityKind::ZiviDuvaza: return kZiviDuvaza;
    case UtilityKind::DedoVuv: return kDedoVuv;
    case UtilityKind::DivoZidezevuza: return kDivoZidezevuza;
    case UtilityKind::ReziZovidaraz: return kReziZovidaraz;
    case UtilityKind::DuvuZevad: return kDuvuZevad;
    case UtilityKind::RaviVarudide: return kRaviVarudide;
    case UtilityKind::DeveRevazoz: return kDeveRevazoz;
    case UtilityKind::VaziDuzidarud:
    case UtilityKind::RaroDarid: return {};
  }
  return {};
}

}  // namespace zelvor
