#include <algorithm>
#include <charconv>

#include "platform/regtext/regtext.h"
#include "platform/registry_tree.h"

namespace zelvor::regtext {
namespace {

// One logical line: a physical line, or a hex line with its continuations.
struct Line {
  std::string text;
  std::size_t number = 0;
};

class Reader {
 public:
  Reader(std::string_view text, const Limits& limits) : text_(text), limits_(limits) {}

  // Next physical line without its line end; false at the end of the text.
  bool next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t lf = text_.find('\n', pos_);
    const std::size_t end = lf == std::string_view::npos ? text_.size() : lf;
    line = text_.substr(pos_, end - pos_);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos_ = end == text_.size() ? end : end + 1;
    ++number_;
    return true;
  }
  [[nodiscard]] std::size_t number() const { return number_; }
  [[nodiscard]] const Limits& limits() const { return limits_; }

 private:
  std::string_view text_;
  const Limits& limits_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
};

std::string_view trimLeft(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Reads a quoted text at the start of s; on success s is left after the
// closing quote.
bool readQuoted(std::string_view& s, std::string& out) {
  if (s.empty() || s.front() != '"') return false;
  out.clear();
  std::size_t i = 1;
  while (i < s.size()) {
    // Plain runs are copied whole; only quotes and backslashes need a look.
    const std::size_t stop = std::min(s.find_first_of("\"\\", i), s.size());
    out.append(s.substr(i, stop - i));
    i = stop;
    if (i >= s.size()) break;
    if (s[i] == '"') {
      s.remove_prefix(i + 1);
      return true;
    }
    if (i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
      out.push_back(s[i + 1]);
      i += 2;
      continue;
    }
    out.push_back(s[i]);
    ++i;
  }
  return false;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parseHexBytes(std::string_view s, std::vector<std::uint8_t>& out) {
  out.clear();
  s = trimRight(trimLeft(s));
  if (s.empty()) return true;
  while (true) {
    s = trimLeft(s);
    if (s.size() < 2) return false;
    const int hi = hexDigit(s[0]);
    const int lo = hexDigit(s[1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<std::uint8_t>(hi << 4 | lo));
    s.remove_prefix(2);
    s = trimLeft(s);
    if (s.empty()) return true;
    if (s.front() != ',') return false;
    s.remove_prefix(1);
  }
}

class Parser {
 public:
  Parser(std::string_view text, Header header, const Limits& limits)
      : reader_(text, limits), header_(header) {}

  ParseResult run() {
    ParseResult result;
    std::string_view line;
    bool first = true;
    while (reader_.next(line)) {
      const std::size_t number = reader_.number();
      if (first) {
        first = false;
        // A UTF-8 byte order mark before the header is tolerated.
        if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        if (trimRight(line) == "REGEDIT4") continue;
        if (header_ == Header::Required) {
          fail(result, number, "expected the header line REGEDIT4");
          return result;
        }
      }
      if (line.size() > reader_.limits().maxLineBytes) {
        fail(result, number, "line too long");
        return result;
      }
      const std::string_view body = trimRight(trimLeft(line));
      if (body.empty() || body.front() == ';') continue;
      if (body == "REGEDIT4") continue;  // a second header, from concatenated texts
      if (body.front() == '[') {
        if (!parseKey(body, number, result)) return result;
        continue;
      }
      if (!parseValue(line, number, result)) return result;
    }
    return result;
  }

 private:
  bool fail(ParseResult& r, std::size_t line, std::string message) {
    r.entries.clear();
    r.error = Error{line, std::move(message)};
    return false;
  }

  bool parseKey(std::string_view body, std::size_t number, ParseResult& r) {
    if (body.back() != ']') return fail(r, number, "expected ']' at the end of the key line");
    const std::string_view inner = body.substr(1, body.size() - 2);
    const std::size_t slash = inner.find('\\');
    const std::string_view hiveText = inner.substr(0, slash);
    const auto hive = hiveFromName(hiveText);
    if (!hive) {
      return fail(r, number,
                  "expected a hive name (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE or "
                  "HKEY_CLASSES_ROOT) after '['");
    }
    std::string path;
    if (slash != std::string_view::npos) {
      const auto parts = splitKeyPath(inner.substr(slash + 1));
      if (parts.size() > kMaxKeyDepth) {
        return fail(r, number, "key path deeper than " + std::to_string(kMaxKeyDepth) + " levels");
      }
      for (const auto part : parts) {
        if (part.size() > kMaxKeyNameLength) return fail(r, number, "key name longer than 255 characters");
        if (!isValidKeyName(part)) return fail(r, number, "key name with a line break");
        if (!path.empty()) path += '\\';
        path += part;
      }
    }
    Entry e;
    e.kind = Entry::Kind::Key;
    e.hive = *hive;
    e.path = std::move(path);
    e.line = number;
    if (!countPath(e.path, number, r)) return false;
    current_ = r.entries.size();
    r.entries.push_back(std::move(e));
    return true;
  }

  // Every entry carries its key's whole path, so many short value lines
  // under a long path would take far more memory than the text itself.
  bool countPath(const std::string& path, std::size_t number, ParseResult& r) {
    pathBytes_ += path.size();
    if (pathBytes_ > reader_.limits().maxPathBytes) {
      return fail(r, number, "too many lines under long key paths (more than " +
                                 describeBytes(reader_.limits().maxPathBytes) + " of paths)");
    }
    return true;
  }

  bool parseValue(std::string_view line, std::size_t number, ParseResult& r) {
    if (!current_) return fail(r, number, "expected a key line [HKEY_...] before the first value");
    std::string_view s = trimLeft(line);
    Entry e;
    e.kind = Entry::Kind::Value;
    e.hive = r.entries[*current_].hive;
    e.path = r.entries[*current_].path;
    e.line = number;
    if (s.front() == '@') {
      s.remove_prefix(1);
    } else if (!readQuoted(s, e.name)) {
      return fail(r, number, "expected a quoted value name, '@', '[' or an empty line");
    }
    if (e.name.size() > kMaxValueNameLength) return fail(r, number, "value name too long");
    if (!isValidValueName(e.name)) return fail(r, number, "value name with a line break");
    s = trimLeft(s);
    if (s.empty() || s.front() != '=') return fail(r, number, "expected '=' after the value name");
    s.remove_prefix(1);
    s = trimLeft(s);
    if (!parseData(s, number, e, r)) return false;
    if (e.value.data.size() > kMaxValueDataBytes) {
      return fail(r, number, "value larger than " + describeBytes(kMaxValueDataBytes));
    }
    if (!countPath(e.path, number, r)) return false;
    r.entries.push_back(std::move(e));
    return true;
  }

  bool parseData(std::string_view s, std::size_t number, Entry& e, ParseResult& r) {
    if (!s.empty() && s.front() == '"') {
      std::string text;
      if (!readQuoted(s, text)) return fail(r, number, "expected a closing '\"' at the end of the text");
      if (!trimLeft(s).empty()) return fail(r, number, "unexpected characters after the closing '\"'");
      e.value = RegValue::text(text);
      return true;
    }
    if (s.substr(0, 6) == "dword:") {
      const std::string_view digits = trimRight(s.substr(6));
      std::uint32_t v = 0;
      const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
      if (digits.empty() || digits.size() > 8 || ec != std::errc() ||
          ptr != digits.data() + digits.size()) {
        return fail(r, number, "expected eight hexadecimal digits after dword:");
      }
      e.value = RegValue::dword(v);
      return true;
    }
    if (s.substr(0, 3) == "hex") {
      s.remove_prefix(3);
      std::uint32_t type = static_cast<std::uint32_t>(RegType::Binary);
      if (!s.empty() && s.front() == '(') {
        const std::size_t close = s.find(')');
        const std::string_view t = close == std::string_view::npos ? std::string_view{} : s.substr(1, close - 1);
        const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), type, 16);
        if (t.empty() || ec != std::errc() || ptr != t.data() + t.size()) {
          return fail(r, number, "expected a hexadecimal type in hex(...)");
        }
        s.remove_prefix(close + 1);
      }
      if (s.empty() || s.front() != ':') return fail(r, number, "expected ':' after hex");
      s.remove_prefix(1);
      std::string joined(trimRight(s));
      // A line ending in a backslash after a comma continues on the next line.
      while (!joined.empty() && joined.back() == '\\') {
        joined.pop_back();
        std::string_view more;
        if (!reader_.next(more)) return fail(r, reader_.number(), "expected a continuation line after '\\'");
        joined += trimRight(trimLeft(more));
        if (joined.size() > reader_.limits().maxLineBytes) {
          return fail(r, number, "value too long");
        }
      }
      RegValue v;
      v.type = static_cast<RegType>(type);
      if (!parseHexBytes(joined, v.data)) {
        return fail(r, number, "expected two-digit hexadecimal bytes separated by commas");
      }
      e.value = std::move(v);
      return true;
    }
    return fail(r, number, "expected a quoted text, dword: or hex: after '='");
  }

  Reader reader_;
  Header header_;
  std::optional<std::size_t> current_;
  std::size_t pathBytes_ = 0;
};

}  // namespace

ParseResult parse(std::string_view text, Header header, const Limits& limits) {
  if (text.size() > limits.maxTextBytes) {
    ParseResult r;
    r.error = Error{0, "text larger than " + describeBytes(limits.maxTextBytes)};
    return r;
  }
  return Parser(text, header, limits).run();
}

std::vector<RegOp> toOps(const std::vector<Entry>& entries) {
  std::vector<RegOp> ops;
  ops.reserve(entries.size());
  for (const auto& e : entries) {
    RegOp op;
    op.kind = e.kind == Entry::Kind::Key ? RegOp::Kind::CreateKey : RegOp::Kind::SetValue;
    op.hive = e.hive;
    op.path = e.path;
    op.name = e.name;
    op.value = e.value;
    ops.push_back(std::move(op));
  }
  return ops;
}

std::string describeBytes(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

std::string formatError(const Error& error) {
  if (error.line == 0) return error.message;
  return "line " + std::to_string(error.line) + ": " + error.message;
}

}  // namespace zelvor::regtext
