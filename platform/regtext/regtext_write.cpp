#include <algorithm>
#include <array>
#include <limits>

#include "platform/regtext/regtext.h"
#include "platform/registry_tree.h"

namespace zelvor::regtext {
namespace {

std::string_view lineEnd(Dialect d) { return d == Dialect::Export ? "\r\n" : "\n"; }

void appendEscaped(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const std::size_t stop = std::min(text.find_first_of("\\\""), text.size());
    out.append(text.substr(0, stop));
    if (stop == text.size()) return;
    out.push_back('\\');
    out.push_back(text[stop]);
    text.remove_prefix(stop + 1);
  }
}

void appendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  appendEscaped(out, text);
  out.push_back('"');
}

void appendHexBytes(std::string& out, const std::vector<std::uint8_t>& bytes) {
  static constexpr std::array<char, 16> digits{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out.push_back(',');
    out.push_back(digits[bytes[i] >> 4]);
    out.push_back(digits[bytes[i] & 0xF]);
  }
}

void appendDword(std::string& out, std::uint32_t v) {
  static constexpr std::array<char, 16> digits{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
  out += "dword:";
  for (int shift = 28; shift >= 0; shift -= 4) out.push_back(digits[(v >> shift) & 0xF]);
}

void appendTypedHex(std::string& out, const RegValue& v) {
  const auto type = static_cast<std::uint32_t>(v.type);
  if (v.type == RegType::Binary) {
    out += "hex:";
  } else {
    static constexpr std::array<char, 16> digits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                 '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out += "hex(";
    std::string n;
    std::uint32_t t = type;
    do {
      n.insert(n.begin(), digits[t & 0xF]);
      t >>= 4;
    } while (t != 0);
    out += n;
    out += "):";
  }
  appendHexBytes(out, v.data);
}

bool hasLineBreak(std::string_view s) {
  return s.find('\n') != std::string_view::npos || s.find('\r') != std::string_view::npos;
}

// A REG_SZ that a quoted text reproduces byte for byte: one NUL, at the end.
bool isPlainText(const RegValue& v, std::string& text) {
  if (v.type != RegType::Sz || !v.readText(text)) return false;
  return text.size() + 1 == v.data.size() && !hasLineBreak(text);
}

// The data of a value line, after the "=".
void appendData(std::string& out, const RegValue& v, Dialect d) {
  std::string text;
  std::uint32_t dw = 0;
  if (v.type == RegType::Dword && v.readDword(dw)) {
    appendDword(out, dw);
  } else if (v.type == RegType::Binary) {
    appendTypedHex(out, v);
  } else if (d == Dialect::Store) {
    if (isPlainText(v, text)) {
      appendQuoted(out, text);
    } else {
      appendTypedHex(out, v);
    }
  } else {
    // Export: text types as their text up to the first NUL, other types as text too.
    const auto end = std::find(v.data.begin(), v.data.end(), std::uint8_t{0});
    text.assign(v.data.begin(), end);
    if (hasLineBreak(text)) {
      appendTypedHex(out, RegValue::text(text));
    } else {
      appendQuoted(out, text);
    }
  }
}

using Values = std::vector<std::pair<std::string, RegValue>>;

// One key's lines: its key line, its values and the empty line after them.
// False as soon as out holds more than maxBytes.
bool appendKeyLines(std::string& out, const Values& values, Hive hive, std::string_view path,
                    Dialect d, std::size_t maxBytes) {
  const auto eol = lineEnd(d);
  out += '[';
  out += hiveName(hive);
  if (!path.empty()) {
    out += '\\';
    out += path;
  }
  out += ']';
  out += eol;
  if (d == Dialect::Export) {
    // The unnamed value, when it reads as a non-empty text, also gets its "@=" line.
    for (const auto& [name, value] : values) {
      std::string text;
      if (name.empty() && value.readText(text) && !text.empty() && !hasLineBreak(text)) {
        out += "@=";
        appendQuoted(out, text);
        out += eol;
      }
    }
  }
  for (const auto& [name, value] : values) {
    if (out.size() > maxBytes) return false;
    if (d == Dialect::Store && name.empty()) {
      out += '@';
    } else {
      appendQuoted(out, name);
    }
    out += '=';
    appendData(out, value, d);
    out += eol;
  }
  out += eol;
  return out.size() <= maxBytes;
}

const std::string& keyName(const RegKeySnapshot& key) { return key.name; }
const std::string& keyName(const RegistryNode& key) { return key.name(); }

// Depth first, parents before their children, children in name order; a
// loop with its own stack, so no depth of tree can exhaust the call stack.
// valuesOf(key) gives a key's values, childrenOf(key, list) appends
// pointers to its children in order.
template <typename Key, typename ValuesOf, typename ChildrenOf>
bool appendKeys(std::string& out, const Key& top, Hive hive, std::string_view path, Dialect d,
                std::size_t maxBytes, ValuesOf valuesOf, ChildrenOf childrenOf) {
  struct Pending {
    const Key* key;
    std::string path;
  };
  std::vector<Pending> pending{{&top, std::string(path)}};
  std::vector<const Key*> children;
  while (!pending.empty()) {
    Pending p = std::move(pending.back());
    pending.pop_back();
    if (!appendKeyLines(out, valuesOf(*p.key), hive, p.path, d, maxBytes)) return false;
    children.clear();
    childrenOf(*p.key, children);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
      std::string childPath = p.path;
      if (!childPath.empty()) childPath += '\\';
      childPath += keyName(**it);
      pending.push_back({*it, std::move(childPath)});
    }
  }
  return true;
}

}  // namespace

std::string_view headerFor(Dialect dialect) {
  return dialect == Dialect::Export ? "REGEDIT4\r\n\r\n" : "REGEDIT4\n\n";
}

void appendTree(std::string& out, const RegKeySnapshot& key, Hive hive, std::string_view path,
                Dialect dialect) {
  (void)appendKeys(
      out, key, hive, path, dialect, std::numeric_limits<std::size_t>::max(),
      [](const RegKeySnapshot& k) -> const Values& { return k.values; },
      [](const RegKeySnapshot& k, std::vector<const RegKeySnapshot*>& list) {
        for (const auto& sub : k.subkeys) list.push_back(&sub);
      });
}

bool appendTree(std::string& out, const RegistryNode& key, Hive hive, Dialect dialect,
                std::size_t maxBytes) {
  return appendKeys(
      out, key, hive, "", dialect, maxBytes, [](const RegistryNode& k) -> const Values& { return k.values(); },
      [](const RegistryNode& k, std::vector<const RegistryNode*>& list) {
        k.forEachChild([&](const RegistryNode& c) { list.push_back(&c); });
      });
}

std::string write(const RegKeySnapshot& key, Hive hive, std::string_view path, Dialect dialect) {
  std::string out(headerFor(dialect));
  appendTree(out, key, hive, path, dialect);
  return out;
}

}  // namespace zelvor::regtext
