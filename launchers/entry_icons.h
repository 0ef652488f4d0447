#pragma once
// The icons of entries: which image a menu item, a shortcut icon or a node
// of the program-list editor shows, and how many icons an icon file holds
// (an ICO file may hold several; `IndiceIcono` picks one).

#include <cstdint>
#include <string>
#include <string_view>

#include "launchers/program_entry.h"
#include "platform/files.h"
#include "platform/image.h"

namespace zelvor {

// The image 3 of the small strip stands for an entry with no icon of its own.
inline constexpr int kNoIconImage = 3;

// The icon record's icon when it names a file, else the program's own icon,
// else the suite's image for an entry without one. A missing icon is passed
// on too: the desktop binding falls back to that image when a file gives none.
[[nodiscard]] ImageRef EntryImage(const ProgramEntry& entry, const IconRecord& icon);

// Enough of the head of a file to recognise every image kind, SVG's XML
// prologue and comments included.
inline constexpr std::uint64_t kIconHeadBytes = 1024;

// How many icons a file starting with head holds: the image count of an
// ICO file, 1 for any other image a desktop shows as an icon (PNG, SVG or
// compressed .svgz, XPM, BMP, GIF, JPEG), 0 for anything else.
[[nodiscard]] int IconCountFromHead(std::string_view head, std::string_view file);

// The count of the icon file, read from its head; 0 when it cannot be read.
// An icon-theme name (no '/') is one icon.
[[nodiscard]] int IconCount(const std::string& file, Files& files);

}  // namespace zelvor
