#include "system/procfs/os_release.h"

#include <optional>

#include "system/procfs/kernel_text.h"

namespace zelvor::procfs {
namespace {

bool IsEscapable(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

// The value of an assignment's right-hand side; nullopt when a quote is
// left open.
std::optional<std::string> Unquote(std::string_view text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      ++i;
      while (i < text.size() && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < text.size() && IsEscapable(text[i + 1])) ++i;
        out.push_back(text[i++]);
      }
      if (i == text.size()) return std::nullopt;
      ++i;
    } else if (c == '\'') {
      const std::size_t end = text.find('\'', i + 1);
      if (end == std::string_view::npos) return std::nullopt;
      out.append(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (c == '\\' && i + 1 < text.size()) {
      out.push_back(text[i + 1]);
      i += 2;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return out;
}

}  // namespace

OsRelease ParseOsRelease(std::string_view text) {
  OsRelease release;
  ForEachLine(text, [&](std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() == '#') return;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return;
    const std::string_view key = line.substr(0, equals);
    std::string* target = nullptr;
    if (key == "PRETTY_NAME") target = &release.prettyName;
    else if (key == "NAME") target = &release.name;
    else if (key == "VERSION") target = &release.version;
    if (target == nullptr) return;
    if (auto value = Unquote(line.substr(equals + 1))) *target = PrintableText(*value);
  });
  return release;
}

std::string DistributionName(const OsRelease& release) {
  if (!release.prettyName.empty()) return release.prettyName;
  if (!release.name.empty()) {
    return release.version.empty() ? release.name : release.name + " " + release.version;
  }
  return "Linux";
}

}  // namespace zelvor::procfs
