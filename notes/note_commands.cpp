#include "notes/note_commands.h"

#include <algorithm>
#include <string>

namespace zelvor::notes {
namespace {

constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

MenuItem item(int id, std::string text, bool checked = false, bool grayed = false) {
  MenuItem m = MenuItem::command(id, std::move(text));
  m.checked = checked;
  m.grayed = grayed;
  return m;
}

MenuItem colourMenu() {
  static constexpr std::array<const char*, 5> kDark{"Rojo", "Amarillo", "Verde", "Azul", "Violeta"};
  static constexpr std::array<const char*, 7> kLight{"Rojo", "Amarillo", "Verde", "Azul",
                                                     "Violeta", "Gris", "Blanco"};
  std::vector<MenuItem> dark, light;
  for (int i = 0; i < 5; ++i) dark.push_back(item(note_cmd::FirstColour + i, kDark[static_cast<std::size_t>(i)]));
  for (int i = 0; i < 7; ++i) light.push_back(item(note_cmd::FirstColour + 5 + i, kLight[static_cast<std::size_t>(i)]));
  return MenuItem::submenu("Color", {MenuItem::submenu("Colores oscuros", std::move(dark)),
                                     MenuItem::submenu("Colores claros", std::move(light)),
                                     MenuItem::separator(),
                                     item(note_cmd::OtherColour, "Otros colores...\tCtrl+Alt+C")});
}

MenuItem alignmentMenu(const NoteMenuState& s) {
  return MenuItem::submenu("Alineación", {item(note_cmd::AlignLeft + 0, "Izquierda", s.alignment == 0),
                                          item(note_cmd::AlignLeft + 1, "Centro", s.alignment == 1),
                                          item(note_cmd::AlignLeft + 2, "Derecha", s.alignment == 2)});
}

MenuItem transparencyMenu(const NoteMenuState& s) {
  std::vector<MenuItem> items;
  for (int i = 0; i < 5; ++i) {
    items.push_back(item(note_cmd::FirstTransparency + i, std::to_string(20 * i) + " %", s.transparency == 20 * i));
  }
  return MenuItem::submenu("Transparencia", std::move(items));
}

std::vector<MenuItem> windowItems(const NoteMenuState& s) {
  return {item(note_cmd::Collapse, "Contraer nota\tF7", false, s.collapsed),
          item(note_cmd::Expand, "Expandir nota\tF8", false, !s.collapsed),
          item(note_cmd::AlwaysOnTop, "Siempre visible\tF9", s.alwaysOnTop)};
}

}  // namespace

Menu BuildNoteMenu(NoteMenuKind kind, const NoteMenuState& s) {
  Menu m;
  m.title = "Duvu Zevad";
  auto& v = m.items;
  if (kind == NoteMenuKind::Format) {
    v = {item(note_cmd::Accept, "Aceptar"), item(note_cmd::Cancel, "Cancelar"), MenuItem::separator(),
         item(note_cmd::Font, "Fuente...\tCtrl+F"), colourMenu(), alignmentMenu(s), transparencyMenu(s),
         MenuItem::separator()};
    for (auto& w : windowItems(s)) v.push_back(std::move(w));
    return m;
  }
  v = {item(note_cmd::Properties, "Propiedades"), MenuItem::separator(),
       item(note_cmd::Font, "Fuente...\tCtrl+F"), colourMenu(), alignmentMenu(s), transparencyMenu(s),
       MenuItem::separator(),
       item(note_cmd::Undo, "Deshacer\tCtrl+Z", false, !s.canUndo),
       MenuItem::separator(),
       item(note_cmd::Cut, "Cortar", false, !s.hasSelection),
       item(note_cmd::Copy, "Copiar", false, !s.hasSelection),
       item(note_cmd::Paste, "Pegar"),
       item(note_cmd::Clear, "Borrar", false, !s.hasSelection),
       MenuItem::separator(),
       item(note_cmd::SelectAll, "Seleccionar todo\tCtrl+E"),
       MenuItem::separator(),
       item(note_cmd::Hide, "Ocultar nota\tF6")};
  for (auto& w : windowItems(s)) v.push_back(std::move(w));
  v.push_back(MenuItem::separator());
  v.push_back(item(note_cmd::Rename, "Cambiar título...\tCtrl+T"));
  v.push_back(item(note_cmd::Alarm, "Fijar alarma...\tCtrl+A"));
  v.push_back(item(note_cmd::Print, "Imprimir...\tCtrl+P"));
  v.push_back(item(note_cmd::SaveToFile, "Guardar a un archivo...\tCtrl+G"));
  v.push_back(MenuItem::separator());
  v.push_back(item(note_cmd::Delete, "Eliminar nota\tCtrl+Shift+Supr"));
  return m;
}

std::vector<Accelerator> NoteAccelerators(NoteMenuKind kind) {
  const std::vector<Accelerator> all{
      {'F', kCtrl, note_cmd::Font},
      {'C', kCtrl | kAlt, note_cmd::OtherColour},
      {'Z', kCtrl, note_cmd::Undo},
      {'E', kCtrl, note_cmd::SelectAll},
      {note_key::F6, 0, note_cmd::Hide},
      {note_key::F7, 0, note_cmd::Collapse},
      {note_key::F8, 0, note_cmd::Expand},
      {note_key::F9, 0, note_cmd::AlwaysOnTop},
      {'T', kCtrl, note_cmd::Rename},
      {'A', kCtrl, note_cmd::Alarm},
      {'P', kCtrl, note_cmd::Print},
      {'G', kCtrl, note_cmd::SaveToFile},
      {note_key::Delete, kCtrl | kShift, note_cmd::Delete},
  };
  std::vector<Accelerator> out;
  for (const auto& a : all) {
    // F6 closes the editor too: closing accepts it.
    if (kind == NoteMenuKind::Note || MenuOffers(kind, a.command) || a.command == note_cmd::Hide) out.push_back(a);
  }
  return out;
}

bool MenuOffers(NoteMenuKind kind, int c) {
  if (kind == NoteMenuKind::Note) return c != note_cmd::Accept && c != note_cmd::Cancel;
  return c == note_cmd::Accept || c == note_cmd::Cancel || c == note_cmd::Font || c == note_cmd::OtherColour ||
         (c >= note_cmd::FirstColour && c < note_cmd::FirstColour + 12) ||
         (c >= note_cmd::AlignLeft && c < note_cmd::AlignLeft + 3) ||
         (c >= note_cmd::FirstTransparency && c < note_cmd::FirstTransparency + 5) || c == note_cmd::Collapse ||
         c == note_cmd::Expand || c == note_cmd::AlwaysOnTop;
}

}  // namespace zelvor::notes
