#include "platform/linux/autostart_registry.h"

#include "platform/name_compare.h"
#include "platform/registry_tree.h"

namespace zelvor {
namespace {

constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr std::string_view kRunValue = "Zelvor";
constexpr std::uint64_t kMaxEntryBytes = 64 * 1024;

bool samePath(std::string_view a, std::string_view b) {
  const auto pa = splitKeyPath(a);
  const auto pb = splitKeyPath(b);
  if (pa.size() != pb.size()) return false;
  for (std::size_t i = 0; i < pa.size(); ++i) {
    if (!namesEqual(pa[i], pb[i])) return false;
  }
  return true;
}

// Quoting of an Exec argument: reserved characters force double quotes, and
// inside them ", `, $ and \ take a backslash.
std::string quoteExecArgument(std::string_view arg) {
  const bool plain = !arg.empty() && arg.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string_view::npos;
  if (plain) return std::string(arg);
  std::string out = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// The first argument of an Exec value, unquoted.
std::optional<std::string> firstExecArgument(std::string_view exec) {
  while (!exec.empty() && exec.front() == ' ') exec.remove_prefix(1);
  if (exec.empty()) return std::nullopt;
  std::string out;
  if (exec.front() != '"') {
    const auto end = exec.find(' ');
    return std::string(exec.substr(0, end));
  }
  for (std::size_t i = 1; i < exec.size(); ++i) {
    if (exec[i] == '\\' && i + 1 < exec.size()) {
      out.push_back(exec[++i]);
    } else if (exec[i] == '"') {
      return out;
    } else {
      out.push_back(exec[i]);
    }
  }
  return std::nullopt;
}

// A literal percent sign in an Exec value is written %%, so that no
// launcher takes it for a field code such as %f.
std::string escapePercent(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '%') out.push_back('%');
    out.push_back(c);
  }
  return out;
}

std::string unescapePercent(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    out.push_back(s[i]);
    if (s[i] == '%' && i + 1 < s.size() && s[i + 1] == '%') ++i;
  }
  return out;
}

// Desktop entry values escape \ as \\ (and line breaks); the Exec quoting
// sits inside that.
std::string escapeValue(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else out.push_back(c);
  }
  return out;
}

std::string unescapeValue(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char n = s[++i];
      out.push_back(n == 'n' ? '\n' : n == 't' ? '\t' : n == 's' ? ' ' : n);
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

}  // namespace

std::string AutostartRegistry::desktopEntry(std::string_view program) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Zelvor\n"
         "Comment=Utilidades de escritorio en el área de notificación\n"
         "Exec=" + escapeValue(escapePercent(quoteExecArgument(program))) + "\n"
         "Icon=zelvor\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> AutostartRegistry::programOf(std::string_view entry) {
  bool inMain = false;
  while (!entry.empty()) {
    const auto lf = entry.find('\n');
    std::string_view line = entry.substr(0, lf);
    entry.remove_prefix(lf == std::string_view::npos ? entry.size() : lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '[') {
      inMain = line == "[Desktop Entry]";
      continue;
    }
    if (inMain && line.substr(0, 5) == "Exec=") return firstExecArgument(unescapePercent(unescapeValue(line.substr(5))));
  }
  return std::nullopt;
}

bool AutostartRegistry::isRunValue(Hive hive, std::string_view path, std::string_view name) {
  return hive == Hive::LocalMachine && namesEqual(name, kRunValue) && samePath(path, kRunKey);
}

std::optional<std::string> AutostartRegistry::readProgram() {
  const auto text = files_.readFile(file_, kMaxEntryBytes);
  if (!text) return std::nullopt;
  return programOf(*text);
}

RegStatus AutostartRegistry::writeProgram(const RegValue& value) {
  std::string program;
  if (!value.readText(program)) return RegStatus::WriteFailed;
  const auto slash = file_.rfind('/');
  if (slash != std::string::npos) (void)files_.makeFolder(file_.substr(0, slash));
  return files_.replaceAtomically(file_, desktopEntry(program)).ok ? RegStatus::Ok
                                                                   : RegStatus::WriteFailed;
}

RegStatus AutostartRegistry::removeEntry() {
  if (!files_.exists(file_)) return RegStatus::NotFound;
  return files_.removeFile(file_).ok ? RegStatus::Ok : RegStatus::WriteFailed;
}

std::optional<RegValue> AutostartRegistry::queryValue(Hive hive, std::string_view path,
                                                      std::string_view name) {
  if (!isRunValue(hive, path, name)) return inner_.queryValue(hive, path, name);
  const auto program = readProgram();
  if (!program) return std::nullopt;
  return RegValue::text(*program);
}

RegStatus AutostartRegistry::setValue(Hive hive, std::string_view path, std::string_view name,
                                      const RegValue& value) {
  if (!isRunValue(hive, path, name)) return inner_.setValue(hive, path, name, value);
  if (!inner_.keyExists(hive, path)) return RegStatus::NotFound;
  return writeProgram(value);
}

RegStatus AutostartRegistry::deleteValue(Hive hive, std::string_view path, std::string_view name) {
  if (!isRunValue(hive, path, name)) return inner_.deleteValue(hive, path, name);
  return removeEntry();
}

std::vector<std::string> AutostartRegistry::valueNames(Hive hive, std::string_view path) {
  auto names = inner_.valueNames(hive, path);
  if (isRunValue(hive, path, kRunValue) && readProgram()) names.emplace_back(kRunValue);
  return names;
}

std::optional<RegKeySnapshot> AutostartRegistry::snapshot(Hive hive, std::string_view path) {
  auto snap = inner_.snapshot(hive, path);
  if (!snap || hive != Hive::LocalMachine) return snap;
  // Find the Run key inside the snapshot, if it is there, and add the value.
  const auto runParts = splitKeyPath(kRunKey);
  const auto parts = splitKeyPath(path);
  if (parts.size() > runParts.size()) return snap;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!namesEqual(parts[i], runParts[i])) return snap;
  }
  RegKeySnapshot* node = &*snap;
  for (std::size_t i = parts.size(); i < runParts.size() && node != nullptr; ++i) {
    RegKeySnapshot* next = nullptr;
    for (auto& sub : node->subkeys) {
      if (namesEqual(sub.name, runParts[i])) next = &sub;
    }
    node = next;
  }
  if (node == nullptr) return snap;
  if (const auto program = readProgram()) {
    node->values.emplace_back(std::string(kRunValue), RegValue::text(*program));
  }
  return snap;
}

RegStatus AutostartRegistry::apply(const std::vector<RegOp>& ops) {
  std::vector<RegOp> rest;
  rest.reserve(ops.size());
  std::vector<const RegOp*> mine;
  for (const auto& op : ops) {
    if ((op.kind == RegOp::Kind::SetValue || op.kind == RegOp::Kind::DeleteValue) &&
        isRunValue(op.hive, op.path, op.name)) {
      mine.push_back(&op);
      RegOp key{RegOp::Kind::CreateKey, op.hive, op.path, {}, {}};
      if (op.kind == RegOp::Kind::SetValue) rest.push_back(std::move(key));
    } else {
      rest.push_back(op);
    }
  }
  const RegStatus s = inner_.apply(rest);
  if (s != RegStatus::Ok) return s;
  for (const RegOp* op : mine) {
    const RegStatus r = op->kind == RegOp::Kind::SetValue ? writeProgram(op->value) : removeEntry();
    if (r == RegStatus::WriteFailed) return r;
  }
  return RegStatus::Ok;
}

}  // namespace zelvor
