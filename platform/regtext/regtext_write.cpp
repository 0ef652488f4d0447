#include <algorithm>
#include <array>

#include "platform/regtext/regtext.h"

namespace zelvor::regtext {
namespace {

std::string_view lineEnd(Dialect d) { return d == Dialect::Export ? "\r\n" : "\n"; }

void appendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
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

void appendKey(std::string& out, const RegKeySnapshot& key, Hive hive, std::string& path,
               Dialect d) {
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
    for (const auto& [name, value] : key.values) {
      std::string text;
      if (name.empty() && value.readText(text) && !text.empty() && !hasLineBreak(text)) {
        out += "@=";
        appendQuoted(out, text);
        out += eol;
      }
    }
  }
  for (const auto& [name, value] : key.values) {
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
  for (const auto& sub : key.subkeys) {
    const std::size_t keep = path.size();
    if (!path.empty()) path += '\\';
    path += sub.name;
    appendKey(out, sub, hive, path, d);
    path.resize(keep);
  }
}

}  // namespace

std::string_view headerFor(Dialect dialect) {
  return dialect == Dialect::Export ? "REGEDIT4\r\n\r\n" : "REGEDIT4\n\n";
}

void appendTree(std::string& out, const RegKeySnapshot& key, Hive hive, std::string_view path,
                Dialect dialect) {
  std::string p(path);
  appendKey(out, key, hive, p, dialect);
}

std::string write(const RegKeySnapshot& key, Hive hive, std::string_view path, Dialect dialect) {
  std::string out(headerFor(dialect));
  appendTree(out, key, hive, path, dialect);
  return out;
}

}  // namespace zelvor::regtext
