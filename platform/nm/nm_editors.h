#pragma once
// The desktop's connection editor: NetworkManager's own editor when it is
// installed, otherwise the network page of the desktop's settings.

#include <string>

#include "platform/dialer.h"
#include "platform/launcher.h"

namespace zelvor::nm {

enum class EditorAction { Create, Edit, ShowAll };

// Starts the first editor found for action (uuid names the profile to edit).
[[nodiscard]] EditorOutcome OpenConnectionEditor(Launcher& launcher, EditorAction action, const std::string& uuid);

}  // namespace zelvor::nm
