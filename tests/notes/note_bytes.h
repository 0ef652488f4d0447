#pragma once
// Entries of the notes file built by hand, field by field at the offsets of
// the layout, so that the tests check the codec against the layout and not
// against itself.

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvor::notes::testing {

class RecordBytes {
 public:
  RecordBytes() : bytes_(472, '\0') {}
  RecordBytes& u32(std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) bytes_[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  RecordBytes& i32(std::size_t at, std::int32_t v) { return u32(at, static_cast<std::uint32_t>(v)); }
  RecordBytes& i64(std::size_t at, std::int64_t v) {
    const auto u = static_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < 8; ++i) bytes_[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    return *this;
  }
  RecordBytes& byte(std::size_t at, std::uint8_t v) {
    bytes_[at] = static_cast<char>(v);
    return *this;
  }
  RecordBytes& text(std::size_t at, std::string_view t) {
    bytes_.replace(at, t.size(), t);
    return *this;
  }
  [[nodiscard]] const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// One entry: the record, L, and the text's bytes as given (with their NUL).
inline std::string EntryBytes(const RecordBytes& record, std::uint32_t length, std::string_view textBytes) {
  std::string out = record.bytes();
  for (std::size_t i = 0; i < 4; ++i) out.push_back(static_cast<char>((length >> (8 * i)) & 0xFF));
  out.append(textBytes);
  return out;
}

inline std::string EntryBytes(const RecordBytes& record, std::string_view text) {
  std::string withNul(text);
  withNul.push_back('\0');
  return EntryBytes(record, static_cast<std::uint32_t>(withNul.size()), withNul);
}

// A collapsed yellow note with a daily alarm and a hotkey, no font.
inline RecordBytes CollapsedNoteBytes() {
  RecordBytes r;
  r.i32(0, 20).i32(4, 1).u32(8, 0xC0FFFF).u32(12, 0x000000)
      .i32(76, 120).i32(80, 80).i32(84, 340).i32(88, 290)
      .i32(92, 1).text(96, "Compra")
      .u32(156, 0x0300 | 'N')
      .i32(160, 1).i32(164, 1).i64(168, 0)
      .i32(176, 1).i64(180, 1'700'000'000).i32(188, 15).i32(192, 64).i32(196, 1).i32(200, 10)
      .i32(204, 0).i32(208, 10).text(212, "/usr/share/sounds/aviso.wav");
  return r;
}

// An expanded blue note in right-aligned italic Arial, not on top, with a
// title in accented UTF-8 and a past deletion time.
inline RecordBytes FontNoteBytes() {
  RecordBytes r;
  r.i32(0, 0).i32(4, 2).u32(8, 0xFFC0C0).u32(12, 0x0000FF)
      .i32(16, -16).i32(20, 0).i32(24, 0).i32(28, 0).i32(32, 700)
      .byte(36, 1).byte(37, 0).byte(38, 0).byte(39, 0).byte(40, 3).byte(41, 2).byte(42, 1).byte(43, 34)
      .text(44, "Arial")
      .i32(76, -10).i32(80, 400).i32(84, 190).i32(88, 600)
      .i32(92, 0).text(96, "Reunión mañana")
      .u32(156, 0).i32(160, 0).i32(164, 0).i64(168, 1'690'000'000);
  return r;
}

}  // namespace zelvor::notes::testing
