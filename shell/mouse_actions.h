#pragma once
// Stored mouse action codes: how a click on an icon selects a command, and
// the lists the "Acciones del ratón" pages offer for each utility.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/store/config_store.h"
#include "shell/utilities.h"

namespace zelvor {

inline constexpr int kNoCommand = -1;

enum class ClickKind { Single, Double };

// Code K: 0 runs command 0 on any click; odd K runs (K + 1) / 2 on a single
// click; even K runs K / 2 on a double click; the other click kind nothing.
[[nodiscard]] int CommandOfCode(int code, ClickKind click);

// The value name (BotonIzquierdo, BotonDerecho, BotonCentral) and click kind
// of a mouse message; nullopt for moves, button presses and anything else.
struct MouseButtonUse {
  std::string_view valueName;
  ClickKind click;
};
[[nodiscard]] std::optional<MouseButtonUse> ButtonOf(std::uint32_t mouseMessage);

// The command that a mouse message on the icon of the utility under key
// selects, reading the stored code afresh (absent reads 0); kNoCommand for
// "nothing".
[[nodiscard]] int DecodeMouseAction(const ConfigStore& store, std::string_view utilityKey,
                                    std::uint32_t mouseMessage);

// The choices of one "Acciones del ratón" page.
struct MouseActionList {
  std::vector<std::string> texts;  // in list order
  int codeOffset = 0;              // stored code = list position + codeOffset
  bool middleButton = true;        // whether the page offers the middle button
};
// Ravi Varudide has no page: its list is empty.
[[nodiscard]] MouseActionList MouseActionsFor(UtilityKind kind);
// The list position that shows a stored code (a code below the list shows
// the first entry).
[[nodiscard]] int ListPositionOfCode(const MouseActionList& list, int code);

}  // namespace zelvor
