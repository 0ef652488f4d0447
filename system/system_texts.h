#pragma once
// The names, folders and display settings of the general information,
// each as the text shown.

#include <string>

#include "platform/screen.h"
#include "platform/system_probe.h"

namespace zelvor {

// Names are cut to 256 characters.
[[nodiscard]] std::string ComputerNameText(SystemProbe& probe);
[[nodiscard]] std::string UserNameText(SystemProbe& probe);

// Folders without their final '/' ("/usr", "/usr/bin", "/tmp"); the root
// folder stays "/".
[[nodiscard]] std::string WindowsFolderText(SystemProbe& probe);
[[nodiscard]] std::string SystemFolderText(SystemProbe& probe);
[[nodiscard]] std::string TemporaryFolderText(SystemProbe& probe);

// "1920x1080"; "" when the size is unknown (0).
[[nodiscard]] std::string ResolutionText(Screen& screen);
// "24"; "" when unknown (0).
[[nodiscard]] std::string ColourDepthText(Screen& screen);
// "60 Hz"; "" when unknown (0).
[[nodiscard]] std::string RefreshRateText(Screen& screen);

// The first maxCharacters characters of a UTF-8 text, never cutting one.
[[nodiscard]] std::string CutToCharacters(const std::string& text, std::size_t maxCharacters);
[[nodiscard]] std::string WithoutFinalSeparator(std::string folder);

}  // namespace zelvor
