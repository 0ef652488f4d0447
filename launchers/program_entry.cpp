#include "launchers/program_entry.h"

namespace zelvor {

ProgramEntry LoadEntry(const CRegKeyEx& key) {
  ProgramEntry e;
  e.description = key.GetString(entry_value::Descripcion);
  e.program = key.GetString(entry_value::Programa);
  e.arguments = key.GetString(entry_value::Argumentos);
  e.askForArguments = key.GetInt(entry_value::PreguntarArg);
  e.startingFolder = key.GetString(entry_value::Directorio);
  e.window = key.GetInt(entry_value::Ventana);
  e.hotkey = key.GetDword(entry_value::HotKey).value_or(0);
  e.closeOnDisconnect = key.GetInt(entry_value::CerrarAlDesconectar);
  e.priority = key.GetDword(entry_value::Prioridad).value_or(priority_class::Normal);
  e.flags = key.GetDword(entry_value::Flags).value_or(0);
  return e;
}

void SaveEntry(const ProgramEntry& e, CRegKeyEx& key) {
  key.SetString(entry_value::Descripcion, e.description);
  key.SetString(entry_value::Programa, e.program);
  key.SetString(entry_value::Argumentos, e.arguments);
  key.SetString(entry_value::Directorio, e.startingFolder);
  key.SetInt(e.askForArguments, entry_value::PreguntarArg);
  key.SetInt(e.window, entry_value::Ventana);
  key.SetDword(entry_value::HotKey, e.hotkey);
  key.SetDword(entry_value::Flags, e.flags);
  if (e.closeOnDisconnect != 0) {
    key.SetInt(e.closeOnDisconnect, entry_value::CerrarAlDesconectar);
  } else {
    key.DeleteValue(entry_value::CerrarAlDesconectar);
  }
  key.SetDword(entry_value::Prioridad, e.priority);
}

IconRecord LoadIcon(const CRegKeyEx& key) {
  return {key.GetString(entry_value::Icono), key.GetInt(entry_value::IndiceIcono)};
}

void SaveIcon(const IconRecord& icon, CRegKeyEx& key) {
  key.SetString(entry_value::Icono, icon.file);
  key.SetInt(icon.index, entry_value::IndiceIcono);
}

}  // namespace zelvor
