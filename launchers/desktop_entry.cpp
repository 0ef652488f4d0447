#include "launchers/desktop_entry.h"

#include "launchers/argument_split.h"

namespace zelvor {
namespace {

constexpr std::string_view kGroup = "[Desktop Entry]";

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The escapes of a string value. Other backslash pairs stay as they are,
// for the Exec key's own quoting to read.
std::string DecodeValue(std::string_view v) {
  std::string out;
  out.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\' || i + 1 >= v.size()) {
      out += v[i];
      continue;
    }
    switch (v[i + 1]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += v[i]; out += v[i + 1]; break;
    }
    ++i;
  }
  return out;
}

// Fills a field once: a repeated key keeps its first value.
struct Slot {
  std::string* target;
  bool set = false;
  void fill(std::string_view value) {
    if (set) return;
    *target = DecodeValue(value);
    set = true;
  }
};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Removes the field codes of one argument; true when it held any.
bool RemoveFieldCodes(std::string& arg) {
  std::string out;
  bool hadCode = false;
  for (std::size_t i = 0; i < arg.size(); ++i) {
    if (arg[i] != '%') {
      out += arg[i];
    } else if (i + 1 < arg.size() && arg[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      // A known code, an unknown one (which the format forbids) or a stray
      // '%': none of them reaches the program. A stray '%' before another
      // character goes alone, so a multibyte character is never cut.
      hadCode = true;
      if (i + 1 < arg.size() && IsAsciiLetter(arg[i + 1])) ++i;
    }
  }
  arg = std::move(out);
  return hadCode;
}

std::string StemOf(std::string_view fileName) {
  const std::size_t slash = fileName.rfind('/');
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  constexpr std::string_view ext = ".desktop";
  if (fileName.size() > ext.size() && fileName.substr(fileName.size() - ext.size()) == ext) {
    fileName.remove_suffix(ext.size());
  }
  return std::string(fileName);
}

}  // namespace

std::optional<DesktopEntryKeys> ReadDesktopEntry(std::string_view text) {
  if (text.size() > kMaxDesktopFileBytes) return std::nullopt;
  // Some editors start UTF-8 files with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  DesktopEntryKeys keys;
  std::string terminal, nameEs, nameEsEs;
  Slot type{&keys.type}, name{&keys.name}, exec{&keys.exec}, path{&keys.path}, icon{&keys.icon},
      url{&keys.url}, term{&terminal}, es{&nameEs}, esEs{&nameEsEs};
  const std::pair<std::string_view, Slot*> wanted[] = {
      {"Type", &type}, {"Name", &name}, {"Exec", &exec},       {"Path", &path},      {"Icon", &icon},
      {"URL", &url},   {"Terminal", &term}, {"Name[es]", &es}, {"Name[es_ES]", &esEs},
  };
  enum class Where { Before, Inside, After } where = Where::Before;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.size() > kMaxDesktopLineBytes) continue;
    line = TrimBlanks(line);
    if (line.empty() || line.front() == '#') continue;
    if (line.front() == '[') {
      if (where == Where::Inside) where = Where::After;
      if (where == Where::Before && line == kGroup) where = Where::Inside;
      continue;
    }
    if (where != Where::Inside) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(line.substr(0, eq));
    const std::string_view value = TrimBlanks(line.substr(eq + 1));
    for (const auto& [k, slot] : wanted) {
      if (key == k) slot->fill(value);
    }
  }
  if (where == Where::Before) return std::nullopt;
  if (!nameEsEs.empty()) {
    keys.name = nameEsEs;
  } else if (!nameEs.empty()) {
    keys.name = nameEs;
  }
  keys.terminal = terminal == "true";
  return keys;
}

std::optional<std::vector<std::string>> SplitExec(std::string_view exec) {
  std::vector<std::string> args;
  std::string word;
  bool inWord = false;
  const auto finish = [&] {
    const bool hadCode = RemoveFieldCodes(word);
    if (!(hadCode && word.empty())) args.push_back(std::move(word));
    word.clear();
    inWord = false;
  };
  for (std::size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) finish();
      if (args.size() > kMaxExecArguments) return std::nullopt;
    } else if (c == '"') {
      inWord = true;
      for (++i;; ++i) {
        if (i >= exec.size()) return std::nullopt;
        const char d = exec[i];
        if (d == '"') break;
        if (d == '\\' && i + 1 < exec.size() &&
            std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
          word += exec[++i];
        } else {
          word += d;
        }
      }
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) finish();
  if (args.size() > kMaxExecArguments) return std::nullopt;
  return args;
}

std::optional<ImportedEntry> ImportDesktopEntry(std::string_view text, std::string_view fileName) {
  const auto keys = ReadDesktopEntry(text);
  if (!keys) return std::nullopt;
  ImportedEntry out;
  ProgramEntry& e = out.entry;
  if (keys->type == "Link") {
    if (keys->url.empty()) return std::nullopt;
    e.program = keys->url;
  } else if (keys->type.empty() || keys->type == "Application") {
    auto argv = SplitExec(keys->exec);
    if (!argv || argv->empty() || argv->front().empty()) return std::nullopt;
    if (keys->terminal) argv->insert(argv->begin(), {std::string(kTerminalProgram), "-e"});
    e.program = argv->front();
    argv->erase(argv->begin());
    e.arguments = JoinArguments(*argv);
  } else {
    return std::nullopt;
  }
  e.description = keys->name.empty() ? StemOf(fileName) : keys->name;
  e.startingFolder = keys->path;
  out.icon = {keys->icon, 0};
  return out;
}

bool ImportDesktopFile(Files& files, const std::string& path, ProgramEntry& entry, IconRecord* icon) {
  const auto text = files.readFile(path, kMaxDesktopFileBytes);
  if (!text) return false;
  const auto imported = ImportDesktopEntry(*text, path);
  if (!imported) return false;
  entry.description = imported->entry.description;
  entry.program = imported->entry.program;
  entry.arguments = imported->entry.arguments;
  entry.askForArguments = 0;
  entry.startingFolder = imported->entry.startingFolder;
  entry.window = static_cast<int>(WindowMode::Normal);
  if (icon != nullptr) *icon = imported->icon;
  return true;
}

}  // namespace zelvor
