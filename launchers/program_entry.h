#pragma once
// A program entry: one launchable thing (a program, a document or a folder)
// with its arguments, starting folder, window mode, priority and the few
// options that only one list uses. Four lists hold entries: the Raro Darid
// menu items, the two buttons of each Vazi Duzidarud icon, and the programs
// Dedo Vuv and Dade Rive run.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/priority_classes.h"
#include "shell/store/reg_key_ex.h"

namespace zelvor {

// Value names of an entry's key. The description is the key's default value.
namespace entry_value {
inline constexpr std::string_view Descripcion = "";
inline constexpr std::string_view Programa = "Programa";
inline constexpr std::string_view Argumentos = "Argumentos";
inline constexpr std::string_view PreguntarArg = "PreguntarArg";
inline constexpr std::string_view Directorio = "Directorio";
inline constexpr std::string_view Ventana = "Ventana";
inline constexpr std::string_view HotKey = "HotKey";
inline constexpr std::string_view CerrarAlDesconectar = "CerrarAlDesconectar";
inline constexpr std::string_view Prioridad = "Prioridad";
inline constexpr std::string_view Flags = "Flags";
inline constexpr std::string_view Icono = "Icono";
inline constexpr std::string_view IndiceIcono = "IndiceIcono";
}  // namespace entry_value

// Window modes as stored in `Ventana`.
enum class WindowMode : int { Normal = 0, Minimised = 1, Maximised = 2 };

// Every shutdown kind of the Dade Rive list chosen: what a new entry of
// that list starts with.
inline constexpr std::uint32_t kAllShutdownKinds = 0xFFFF;

struct ProgramEntry {
  std::string description;
  std::string program;    // program, document or folder
  std::string arguments;  // split by SplitArguments when launched
  int askForArguments = 0;
  std::string startingFolder;  // "" = the program's folder
  int window = static_cast<int>(WindowMode::Normal);
  std::uint32_t hotkey = 0;
  int closeOnDisconnect = 0;  // Dedo Vuv list only
  std::uint32_t priority = priority_class::Normal;
  std::uint32_t flags = 0;  // Dade Rive list only: shutdown kinds

  friend bool operator==(const ProgramEntry&, const ProgramEntry&) = default;
};

// The icon kept beside an entry by the shortcut icons, the menus and the
// menu items. An empty file means the program's own icon.
struct IconRecord {
  std::string file;
  int index = 0;

  friend bool operator==(const IconRecord&, const IconRecord&) = default;
};

// Reads the entry from an open key; absent values keep their defaults.
[[nodiscard]] ProgramEntry LoadEntry(const CRegKeyEx& key);
// Writes every field. `CerrarAlDesconectar` exists only while it is
// non-zero: a zero removes a value left from an earlier save.
void SaveEntry(const ProgramEntry& entry, CRegKeyEx& key);

[[nodiscard]] IconRecord LoadIcon(const CRegKeyEx& key);
void SaveIcon(const IconRecord& icon, CRegKeyEx& key);

// One choice of the priority list of the entry page.
struct PriorityChoice {
  std::uint32_t value;
  std::string_view text;
};
inline constexpr std::array<PriorityChoice, 6> kPriorityChoices = {{
    {priority_class::RealTime, "Tiempo Real"},
    {priority_class::High, "Alta"},
    {priority_class::AboveNormal, "Por encima de lo normal"},
    {priority_class::Normal, "Normal"},
    {priority_class::BelowNormal, "Por debajo de lo normal"},
    {priority_class::Idle, "Baja"},
}};
inline constexpr int kPreselectedPriority = 3;

inline constexpr std::array<std::string_view, 3> kWindowModeNames = {"Normal", "Minimizada",
                                                                     "Maximizada"};

}  // namespace zelvor
