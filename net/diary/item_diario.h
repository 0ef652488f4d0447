#pragma once
// One connection of the diary and its fixed 152-byte form in the connection
// file (little-endian, no header):
//
//   0   4  reserved (written as 0, ignored when read)
//   4  64  modem name, NUL-terminated, at most 63 bytes
//  68  64  connection (dial-up entry) name, NUL-terminated, at most 63 bytes
// 132   4  padding (written as 0, ignored when read)
// 136   8  start, signed seconds since 1970-01-01 00:00 UTC
// 144   8  duration in seconds, signed

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelvor::diary {

inline constexpr std::size_t kRecordSize = 152;
inline constexpr std::size_t kNameField = 64;
inline constexpr std::size_t kMaxNameBytes = kNameField - 1;

struct CItemDiario {
  std::string modem;
  std::string connection;
  std::int64_t start = 0;
  std::int64_t duration = 0;

  friend bool operator==(const CItemDiario&, const CItemDiario&) = default;
};

using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The record's bytes; names longer than 63 bytes are cut (see CutName).
[[nodiscard]] RecordBytes EncodeRecord(const CItemDiario& record);
// Reads a record; a name field without a terminator gives its first 63 bytes.
[[nodiscard]] CItemDiario DecodeRecord(std::span<const std::uint8_t, kRecordSize> bytes);

// The longest prefix of text of at most maxBytes that does not end inside a
// UTF-8 character and holds no NUL.
[[nodiscard]] std::string CutName(std::string_view text, std::size_t maxBytes = kMaxNameBytes);

}  // namespace zelvor::diary
