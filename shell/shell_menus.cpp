#include "shell/shell_menus.h"

#include <algorithm>

#include "shell/store/reg_key_ex.h"

namespace zelvor {
namespace {

MenuItem checked(MenuItem item, bool on) {
  item.checked = on;
  return item;
}

MenuItem grayed(MenuItem item) {
  item.grayed = true;
  return item;
}

}  // namespace

std::string CutCharacters(const std::string& text, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars == count) return text.substr(0, i);
    ++chars;
  }
  return text;
}

Menu BuildProductMenu(const ShownFlags& shown) {
  std::vector<MenuItem> toggles;
  for (UtilityKind k : kListOrder) {
    toggles.push_back(checked(MenuItem::command(info(k).toggleCommand, std::string(info(k).title)),
                              shown[indexOf(k)]));
  }
  Menu m;
  m.title = "Zelvor";
  m.items = {MenuItem::command(menu_id::Help, "Ayuda..."),
             MenuItem::command(menu_id::Tip, "Sugerencia del día"),
             MenuItem::command(menu_id::Update, "Actualizar desde Internet..."),
             MenuItem::command(menu_id::About, "Acerca de..."),
             MenuItem::separator(),
             MenuItem::command(menu_id::Restore, "Restaurar configuración de un archivo..."),
             MenuItem::command(menu_id::Save, "Guardar configuración en un archivo..."),
             MenuItem::separator(),
             MenuItem::submenu("Utilidades a mostrar", std::move(toggles)),
             MenuItem::command(menu_id::Configure, "Configurar..."),
             MenuItem::separator(),
             MenuItem::command(menu_id::Exit, "Salir")};
  return m;
}

std::optional<UtilityKind> ToggledUtility(int commandId) {
  for (const auto& u : kUtilities) {
    if (u.toggleCommand == commandId) return u.kind;
  }
  return std::nullopt;
}

Menu BuildDadeRiveMenu(bool ntFamily, int osGeneration, bool autoShutdownArmed,
                       bool shutdownBlocked) {
  const int b = menu_id::DadeRiveBase;
  Menu m;
  m.title = "Dade Rive";
  m.items.push_back(checked(MenuItem::command(b + 8, "Apagado automático..."), autoShutdownArmed));
  m.items.push_back(checked(MenuItem::command(b + 9, "Bloquear apagado"), shutdownBlocked));
  m.items.push_back(MenuItem::separator());
  if (ntFamily) {
    m.items.push_back(MenuItem::command(b + 10, "Apagar equipo remoto..."));
    m.items.push_back(MenuItem::command(b + 11, "Reiniciar equipo remoto..."));
    m.items.push_back(MenuItem::separator());
  }
  m.items.push_back(MenuItem::command(b + 1, "Apagar sistema"));
  m.items.push_back(MenuItem::command(b + 2, "Reiniciar sistema"));
  m.items.push_back(MenuItem::command(b + 4, "Suspender"));
  m.items.push_back(MenuItem::command(b + 5, "Hibernar"));
  m.items.push_back(MenuItem::command(b + 3, "Cerrar sesión"));
  if (osGeneration > 5) m.items.push_back(MenuItem::command(b + 6, "Bloquear equipo"));
  if (osGeneration < 3) m.items.push_back(MenuItem::command(b + 7, "Reiniciar en modo MS-DOS"));
  return m;
}

Menu BuildDedoVuvMenu(const DialUpFacts& facts, bool autoDialerOpen, ConfigStore& store,
                      std::vector<std::string>& entries) {
  const int b = menu_id::DedoVuvBase;
  Menu m;
  m.title = "Dedo Vuv";
  bool alerts = false;
  {
    CRegKeyEx key(store.registry());
    if (key.Open(Hive::CurrentUser, ConfigStore::KeyPath("DedoVuv\\TrafficAlerts")) == RegStatus::Ok) {
      for (const char* v : {"AlertaBajadaInferior", "AlertaBajadaSuperior", "AlertaSubidaInferior",
                            "AlertaSubidaSuperior"}) {
        if (key.GetDword(v).value_or(0) != 0) alerts = true;
      }
    }
  }
  m.items = {MenuItem::command(b + 1, "Diario de conexiones..."),
             checked(MenuItem::command(b + 2, "Conexión/Desconexión automática..."), autoDialerOpen),
             checked(MenuItem::command(b + 8, "Alertas del tráfico en la red..."), alerts),
             MenuItem::separator(),
             MenuItem::command(b + 3, "Acceso telefónico a redes..."),
             MenuItem::command(b + 4, "Crear nueva conexión..."),
             MenuItem::separator(),
             MenuItem::command(b + 7, "Medidor del tráfico en la red"),
             MenuItem::separator()};
  entries = facts.entries;
  if (entries.empty()) {
    m.items.push_back(grayed(MenuItem::command(0, "<Ninguna conexión>")));
    return m;
  }
  const std::string def = store.ReadConfigString("DedoVuv", "Conexion");
  const auto it = std::find(entries.begin(), entries.end(), def);
  if (it == entries.end()) {
    store.WriteConfigString("DedoVuv", "Conexion", entries.front());
  } else {
    std::iter_swap(entries.begin(), it);
  }
  for (std::size_t j = 0; j < entries.size(); ++j) {
    m.items.push_back(MenuItem::command(b + 40 + static_cast<int>(j),
                                        "Propiedades de " + entries[j] + "..."));
  }
  m.items.push_back(MenuItem::separator());
  if (facts.connected) {
    m.items.push_back(MenuItem::command(b + 10, "Desconectar"));
  } else {
    for (std::size_t j = 0; j < entries.size(); ++j) {
      m.items.push_back(MenuItem::command(b + 20 + static_cast<int>(j), entries[j]));
    }
  }
  return m;
}

std::string ClipItemText(const ClipRow& row) {
  return row.first + "\t" + CutCharacters(row.second, 60);
}

Menu BuildReziMenu(bool watchOff, const std::vector<ClipRow>& rows, const ConfigStore& store) {
  const int b = menu_id::ReziBase;
  Menu m;
  m.title = "Rezi Zovidaraz";
  m.items = {MenuItem::command(b + 1, "Administrador de portapapeles..."),
             MenuItem::command(b + 2, "Eliminar todos los portapapeles"),
             MenuItem::separator(),
             checked(MenuItem::command(b + 3, "Desactivado"), watchOff),
             MenuItem::separator()};
  std::vector<MenuItem> select, paste;
  // Commands 50 … 99 select and 100 and up paste, so 50 rows fit.
  for (std::size_t i = 0; i < std::min<std::size_t>(rows.size(), 50); ++i) {
    const ImageRef image = ImageRef::fromStrip(ImageStrip::Small, rows[i].image);
    select.push_back(MenuItem::command(b + 50 + static_cast<int>(i), ClipItemText(rows[i]), image));
    paste.push_back(MenuItem::command(b + 100 + static_cast<int>(i), ClipItemText(rows[i]), image));
  }
  m.items.push_back(MenuItem::submenu("Seleccionar portapapeles", std::move(select)));
  m.items.push_back(MenuItem::submenu("Pegar en la ventana activa", std::move(paste)));
  m.items.push_back(MenuItem::separator());

  CRegKeyEx texts(store.registry());
  const int count = texts.Open(Hive::CurrentUser, ConfigStore::KeyPath("ReziZovidaraz\\Textos")) ==
                            RegStatus::Ok
                        ? texts.GetInt(kListCount)
                        : 0;
  if (count <= 0) {
    m.items.push_back(grayed(MenuItem::command(0, "<Ningún texto>")));
    return m;
  }
  // Commands 10 … 49 hold the texts, so at most 40 of them are offered.
  for (int n = 1; n <= std::min(count, 40); ++n) {
    CRegKeyEx entry(store.registry());
    const std::string label = entry.Open(texts, listElementKey(n)) == RegStatus::Ok
                                  ? entry.GetString("")
                                  : std::string{};
    if (label == kSeparator) {
      m.items.push_back(MenuItem::separator());
    } else {
      m.items.push_back(MenuItem::command(b + 9 + n, label));
    }
  }
  return m;
}

Menu BuildDuvuMenu(const std::vector<NoteItem>& notes) {
  const int b = menu_id::DuvuBase;
  Menu m;
  m.title = "Duvu Zevad";
  m.items = {MenuItem::command(b + 1, "Nueva nota"),
             MenuItem::separator(),
             MenuItem::command(b + 2, "Mostrar todas las notas"),
             MenuItem::command(b + 3, "Ocultar todas las notas"),
             MenuItem::command(b + 4, "Eliminar todas las notas"),
             MenuItem::separator(),
             MenuItem::command(b + 5, "Papelera de reciclaje...")};
  if (!notes.empty()) m.items.push_back(MenuItem::separator());
  for (std::size_t i = 0; i < notes.size(); ++i) {
    m.items.push_back(
        checked(MenuItem::command(b + 10 + static_cast<int>(i), notes[i].title), notes[i].windowOpen));
  }
  return m;
}

Menu BuildDeveMenu(const std::vector<DesktopItem>& desktops) {
  const int b = menu_id::DeveBase;
  Menu m;
  m.title = "Deve Revazoz";
  m.items = {MenuItem::command(b + 1, "Administrador de escritorios..."),
             MenuItem::separator(),
             MenuItem::command(b + 2, "Nuevo escritorio"),
             MenuItem::command(b + 3, "Cerrar todo"),
             MenuItem::separator(),
             MenuItem::command(b + 4, "Minimizar todo"),
             MenuItem::command(b + 5, "Restaurar todo"),
             MenuItem::separator()};
  for (std::size_t k = 0; k < desktops.size(); ++k) {
    m.items.push_back(checked(MenuItem::command(b + 20 + static_cast<int>(k), desktops[k].name),
                              desktops[k].current));
  }
  return m;
}

}  // namespace zelvor
