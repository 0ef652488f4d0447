#pragma once
// What the system folders of the suite's stored settings stand for here.
// The default settings name programs under the placeholders WIN\\ and
// WINSYS\\, and the system information shows "the Windows folder" and
// "the system folder": both mean these, so a path the defaults installed
// and a folder the information window shows always agree.

#include <string_view>

namespace zelvor {

// The tree the system's shared programs and data are installed under.
inline constexpr std::string_view kSystemFolder = "/usr/";
// Where the system's programs are.
inline constexpr std::string_view kSystemProgramFolder = "/usr/bin/";

}  // namespace zelvor
