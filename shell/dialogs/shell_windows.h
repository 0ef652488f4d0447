#pragma once
// The shell's own windows as the program's assembly hands them to the
// shell (UtilityFactory::createWindow for WindowKind::Tip and ::About).

#include <memory>
#include <string>

#include "shell/utility.h"

namespace zelvor {

[[nodiscard]] std::unique_ptr<ShellWindow> MakeTipWindow(CZelvorApp& app);
// version: the build's version, shown after the product's name.
[[nodiscard]] std::unique_ptr<ShellWindow> MakeAboutWindow(CZelvorApp& app, std::string version);

}  // namespace zelvor
