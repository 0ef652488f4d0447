#pragma once
// The key object every utility uses: opened for one operation, reads that
// fail give defaults, writes that fail are silent.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"

namespace zelvor {

class CRegKeyEx {
 public:
  explicit CRegKeyEx(Registry& registry) : registry_(registry) {}

  // Opens an existing key; on failure the object holds no key.
  RegStatus Open(Hive hive, std::string_view subPath);
  RegStatus Open(const CRegKeyEx& parent, std::string_view subPath);
  // Opens the key, creating every missing key on the path.
  RegStatus Create(Hive hive, std::string_view subPath);
  RegStatus Create(const CRegKeyEx& parent, std::string_view subPath);
  void Close() { open_ = false; }
  [[nodiscard]] bool IsOpen() const { return open_; }
  [[nodiscard]] Hive hive() const { return hive_; }
  [[nodiscard]] const std::string& path() const { return path_; }

  // The empty name is the key's default value. Text readers accept only
  // NUL-terminated text types; everything else reads as "".
  [[nodiscard]] std::string GetString(std::string_view name) const;
  [[nodiscard]] int GetInt(std::string_view name) const;
  void SetInt(int value, std::string_view name);
  void SetString(std::string_view name, std::string_view text);
  // A REG_DWORD value; nullopt when absent or of another type.
  [[nodiscard]] std::optional<std::uint32_t> GetDword(std::string_view name) const;
  void SetDword(std::string_view name, std::uint32_t value);
  // A REG_BINARY value; nullopt when absent or of another type.
  [[nodiscard]] std::optional<std::vector<std::uint8_t>> GetBinary(std::string_view name) const;
  void SetBinary(std::string_view name, const std::vector<std::uint8_t>& bytes);
  void DeleteValue(std::string_view name);

  void EnumSubKeys(std::vector<std::string>& names) const;
  void EnumValues(std::vector<std::string>& names) const;

  // Writes the REGEDIT4 text of the key at subPath (below this key) and
  // everything under it to file. Returns 1.
  int ExportKey(std::string_view subPath, Files& files, const std::string& file) const;
  // Deletes subkey and everything under it as one change, so the store
  // never holds a half-deleted tree.
  RegStatus RecurseDeleteKey(std::string_view subkey);

 private:
  [[nodiscard]] std::string childPath(std::string_view subPath) const;

  Registry& registry_;
  Hive hive_ = Hive::CurrentUser;
  std::string path_;
  bool open_ = false;
};

// atoi as the store reads numbers: leading white space, an optional sign,
// digits up to the first non-digit; no digits gives 0. Values beyond the
// range of int are clamped to it.
[[nodiscard]] int atoiRules(std::string_view text);

// Joins two key paths with one backslash.
[[nodiscard]] std::string joinKeyPath(std::string_view a, std::string_view b);

}  // namespace zelvor
