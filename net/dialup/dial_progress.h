#pragma once
// What each step of a dial shows in the dial window and causes: the
// progress table of the connection control.

#include <optional>
#include <string>

namespace zelvor::dialup {

enum class LogIcon { Arrow, Done, Connected, Cross, None };

struct StepEffect {
  std::optional<std::string> logLine;  // a new line (with an arrow until done)
  bool marksPreviousDone = false;      // the line before it gets its check mark
  std::optional<std::string> status;   // the status line
  bool startsProgramsWhenDialing = false;  // programs set to start when dialing begins
  bool beginsRecord = false;           // a diary record starts if none is held
};

// The effect of a step that is neither Connected nor Disconnected; steps
// the table does not name leave everything as it is.
[[nodiscard]] StepEffect EffectOfStep(int step);

// "Conectar con <entry>", "Conectando con <entry>".
[[nodiscard]] std::string ConnectTitle(const std::string& entry);
[[nodiscard]] std::string ConnectingTitle(const std::string& entry);

}  // namespace zelvor::dialup
