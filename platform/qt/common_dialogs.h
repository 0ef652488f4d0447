#pragma once
// The desktop's file, folder, colour and font dialogs.

#include <QString>

#include <string>
#include <vector>

#include "platform/dialog_host.h"

namespace zelvor {

// "Texto (*.txt)|*.txt|Todos (*.*)|*.*||" -> "Texto (*.txt);;Todos (*)".
[[nodiscard]] QString toQtFilter(const std::string& filter);

[[nodiscard]] std::vector<std::string> runFileDialog(const DialogHost::FileDialog& dialog);
[[nodiscard]] std::string runFolderDialog(const std::string& title);
[[nodiscard]] bool runColourDialog(Colour& colour);
[[nodiscard]] bool runFontDialog(Canvas::Font& font, Colour& colour);

}  // namespace zelvor
