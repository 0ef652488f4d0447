#pragma once
// The REGEDIT4 text form of registry keys: the reader used by every import
// (default settings, backups, zelvorctl) and the writers of the suite's
// export and of the store file.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/store_limits.h"

namespace zelvor {
class RegistryNode;
}

namespace zelvor::regtext {

struct Entry {
  enum class Kind { Key, Value };
  Kind kind = Kind::Key;
  Hive hive = Hive::CurrentUser;
  std::string path;  // key path below the hive, parts joined by '\'
  std::string name;  // value name; empty for the default value
  RegValue value;
  std::size_t line = 0;  // 1-based line where the entry starts
};

struct Error {
  std::size_t line = 0;
  std::string message;  // what was expected
};

struct Limits {
  std::size_t maxTextBytes = kMaxImportBytes;
  std::size_t maxLineBytes = kMaxLineBytes;  // one logical line, continuations included
  std::size_t maxPathBytes = kMaxRepeatedPathBytes;  // key paths summed over all entries
};

enum class Header { Required, Optional };

struct ParseResult {
  std::vector<Entry> entries;
  std::optional<Error> error;  // set: the text is rejected as a whole
};

[[nodiscard]] ParseResult parse(std::string_view text, Header header = Header::Required,
                                const Limits& limits = {});

// The batch that applies parsed entries: keys are created, values set.
[[nodiscard]] std::vector<RegOp> toOps(const std::vector<Entry>& entries);

[[nodiscard]] std::string formatError(const Error& error);
// "16 MiB" for whole mebibytes, else "N bytes": how messages name a bound.
[[nodiscard]] std::string describeBytes(std::size_t bytes);

enum class Dialect {
  // The suite's export: CR LF lines, "@=" line plus one line per value, text
  // types written as their text up to the first NUL. Double quotes inside
  // texts are written \" so that the text imports back unchanged, and a text
  // holding a line break is written hex(1): so the line structure holds.
  Export,
  // The store file: LF lines, every value written so that it reads back with
  // its exact type and bytes (hex(2):, hex(7):, hex(N): where needed).
  Store,
};

// Writes the header, then key and every key under it, depth first.
// path is the key's path below hive (used for the key lines).
[[nodiscard]] std::string write(const RegKeySnapshot& key, Hive hive, std::string_view path,
                                Dialect dialect);

// Writes key lines only (no header), for concatenating several hives.
void appendTree(std::string& out, const RegKeySnapshot& key, Hive hive, std::string_view path,
                Dialect dialect);
// The same for a hive of the in-memory tree, read in place. Stops and
// answers false once out holds more than maxBytes.
[[nodiscard]] bool appendTree(std::string& out, const RegistryNode& hiveRoot, Hive hive,
                              Dialect dialect, std::size_t maxBytes);
[[nodiscard]] std::string_view headerFor(Dialect dialect);

}  // namespace zelvor::regtext
