#include "shell/mouse_actions.h"

#include "platform/messages.h"

namespace zelvor {
namespace {

// "text (un click)", "text (dos clicks)" for each text.
std::vector<std::string> inPairs(std::vector<std::string> head, const std::vector<std::string>& texts) {
  for (const auto& t : texts) {
    head.push_back(t + " (un click)");
    head.push_back(t + " (dos clicks)");
  }
  return head;
}

}  // namespace

int CommandOfCode(int code, ClickKind click) {
  if (code == 0) return 0;
  if (code < 0) return kNoCommand;
  if (code % 2 == 1) return click == ClickKind::Single ? (code + 1) / 2 : kNoCommand;
  return click == ClickKind::Double ? code / 2 : kNoCommand;
}

std::optional<MouseButtonUse> ButtonOf(std::uint32_t m) {
  switch (m) {
    case msg::LeftUp: return MouseButtonUse{"BotonIzquierdo", ClickKind::Single};
    case msg::LeftDoubleClick: return MouseButtonUse{"BotonIzquierdo", ClickKind::Double};
    case msg::RightUp: return MouseButtonUse{"BotonDerecho", ClickKind::Single};
    case msg::RightDoubleClick: return MouseButtonUse{"BotonDerecho", ClickKind::Double};
    case msg::MiddleUp: return MouseButtonUse{"BotonCentral", ClickKind::Single};
    case msg::MiddleDoubleClick: return MouseButtonUse{"BotonCentral", ClickKind::Double};
    default: return std::nullopt;
  }
}

int DecodeMouseAction(const ConfigStore& store, std::string_view utilityKey,
                      std::uint32_t mouseMessage) {
  const auto use = ButtonOf(mouseMessage);
  if (!use) return kNoCommand;
  return CommandOfCode(store.ReadConfigInt(utilityKey, use->valueName), use->click);
}

MouseActionList MouseActionsFor(UtilityKind kind) {
  switch (kind) {
    case UtilityKind::VadaVU:
      return {inPairs({"Mostrar panel"},
                      {"Reproducir/Detener", "Reproducir/Pausar", "Abrir/Cerrar la bandeja"}),
              0, true};
    case UtilityKind::DadeRive:
      return {inPairs({"Mostrar menú"},
                      {"Apagar el sistema", "Reiniciar el sistema", "Cerrar la sesión", "Suspender",
                       "Hibernar", "Bloquear equipo", "Reiniciar en modo MS-DOS",
                       "Configurar apagado automático", "Bloquear apagado",
                       "Apagar un equipo remoto", "Reiniciar un equipo remoto"}),
              0, true};
    case UtilityKind::ZiviDuvaza:
      return {inPairs({},
                      {"Mostrar capacidad de los discos y la memoria",
                       "Mostrar información de los procesos",
                       "Mostrar información general del sistema", "Mostrar servicios del sistema",
                       "Mostrar gráfico del uso de memoria y de CPU"}),
              1, true};
    case UtilityKind::DedoVuv:
      return {inPairs({"Mostrar menú"},
                      {"Mostrar el diario de conexiones",
                       "Configurar la conexión/desconexión automática",
                       "Abrir el Acceso telefónico a redes", "Crear una nueva conexión",
                       "Abrir las propiedades de la conexión predeterminada",
                       "Conectar/Desconectar a la conexión predeterminada",
                       "Mostrar/Ocultar el medidor del tráfico en la red"}),
              0, true};
    case UtilityKind::DivoZidezevuza:
      return {inPairs({}, {"Mostrar la ventana", "Añadir una nueva URL"}), 1, false};
    case UtilityKind::ReziZovidaraz: {
      auto list = inPairs({"Mostrar el menú"},
                          {"Mostrar los portapapeles", "Eliminar todos los portapapeles",
                           "Desactivar Rezi Zovidaraz"});
      // The page has always spelled this one without the final s.
      list.back() = "Desactivar Rezi Zovidaraz (dos click)";
      return {list, 0, true};
    }
    case UtilityKind::DuvuZevad:
      return {inPairs({"Mostrar menú"},
                      {"Nueva nota", "Mostrar todas las notas", "Ocultar todas las notas",
                       "Eliminar todas las notas", "Papelera de reciclaje"}),
              0, true};
    case UtilityKind::DeveRevazoz:
      return {inPairs({"Mostrar el menú"},
                      {"Mostrar administrador de escritorios", "Nuevo escritorio",
                       "Cerrar las aplicaciones del escritorio activo", "Minimizar todo",
                       "Restaurar todo", "Cambiar al siguiente escritorio",
                       "Cambiar al anterior escritorio", "Cambiar al escritorio principal"}),
              0, true};
    case UtilityKind::RaviVarudide:
    case UtilityKind::VaziDuzidarud:
    case UtilityKind::RaroDarid:
      return {};
  }
  return {};
}

int ListPositionOfCode(const MouseActionList& list, int code) {
  const int pos = code - list.codeOffset;
  if (pos < 0 || pos >= static_cast<int>(list.texts.size())) return 0;
  return pos;
}

}  // namespace zelvor
