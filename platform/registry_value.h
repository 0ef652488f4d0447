#pragma once
// A typed registry value: the type code and its raw bytes, exactly as a
// reader of that type sees them (text includes its terminating NUL).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvor {

enum class RegType : std::uint32_t {
  None = 0,
  Sz = 1,
  ExpandSz = 2,
  Binary = 3,
  Dword = 4,
  MultiSz = 7,
};

struct RegValue {
  RegType type = RegType::None;
  std::vector<std::uint8_t> data;

  [[nodiscard]] static RegValue text(std::string_view s, RegType type = RegType::Sz);
  [[nodiscard]] static RegValue dword(std::uint32_t v);
  [[nodiscard]] static RegValue binary(std::vector<std::uint8_t> bytes);

  // The text a text reader sees: REG_SZ/REG_EXPAND_SZ only when the last byte
  // is NUL, REG_MULTI_SZ only when the last two are; otherwise nothing. The
  // text stops at the first NUL.
  [[nodiscard]] bool readText(std::string& out) const;
  // The number a REG_DWORD reader sees (4 little-endian bytes).
  [[nodiscard]] bool readDword(std::uint32_t& out) const;

  friend bool operator==(const RegValue&, const RegValue&) = default;
};

}  // namespace zelvor
