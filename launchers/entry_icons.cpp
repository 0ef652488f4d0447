#include "launchers/entry_icons.h"

namespace zelvor {
namespace {

using namespace std::string_view_literals;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  text.remove_prefix(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

ImageRef EntryImage(const ProgramEntry& entry, const IconRecord& icon) {
  if (!icon.file.empty()) return ImageRef::fromFile(icon.file, icon.index);
  if (!entry.program.empty()) return ImageRef::fromFile(entry.program, -1);
  return ImageRef::fromStrip(ImageStrip::Small, kNoIconImage);
}

int IconCountFromHead(std::string_view head, std::string_view file) {
  // An ICO file: reserved 0, type 1, then the little-endian count of its images.
  if (StartsWith(head, "\0\0\1\0"sv)) {
    if (head.size() < 6) return 0;
    return static_cast<unsigned char>(head[4]) | static_cast<unsigned char>(head[5]) << 8;
  }
  // Compressed SVG is the only gzip file that holds an icon.
  if (StartsWith(head, "\x1f\x8b"sv)) return EndsWithNoCase(file, ".svgz") ? 1 : 0;
  const bool image = StartsWith(head, "\x89PNG\r\n\x1a\n"sv) || StartsWith(head, "/* XPM */"sv) ||
                     StartsWith(head, "BM"sv) || StartsWith(head, "GIF87a"sv) || StartsWith(head, "GIF89a"sv) ||
                     StartsWith(head, "\xff\xd8\xff"sv) || head.find("<svg") != std::string_view::npos;
  return image ? 1 : 0;
}

int IconCount(const std::string& file, Files& files) {
  if (file.empty()) return 0;
  if (file.find('/') == std::string::npos) return 1;
  if (files.isFolder(file)) return 0;
  const auto head = files.readRange(file, 0, kIconHeadBytes);
  return head ? IconCountFromHead(*head, file) : 0;
}

}  // namespace zelvor
