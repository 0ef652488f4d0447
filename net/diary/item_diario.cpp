#include "net/diary/item_diario.h"

#include <algorithm>

namespace zelvor::diary {
namespace {

constexpr std::size_t kModemAt = 4;
constexpr std::size_t kConnectionAt = 68;
constexpr std::size_t kStartAt = 136;
constexpr std::size_t kDurationAt = 144;

void putInt64(RecordBytes& out, std::size_t at, std::int64_t value) {
  auto u = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < 8; ++i) {
    out[at + i] = static_cast<std::uint8_t>(u & 0xFFu);
    u >>= 8;
  }
}

std::int64_t getInt64(std::span<const std::uint8_t, kRecordSize> in, std::size_t at) {
  std::uint64_t u = 0;
  for (std::size_t i = 8; i-- > 0;) u = (u << 8) | in[at + i];
  return static_cast<std::int64_t>(u);
}

void putName(RecordBytes& out, std::size_t at, std::string_view name) {
  const std::string cut = CutName(name);
  std::copy(cut.begin(), cut.end(), out.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string getName(std::span<const std::uint8_t, kRecordSize> in, std::size_t at) {
  const auto* first = in.data() + at;
  const auto* last = first + kMaxNameBytes;
  const auto* end = std::find(first, last, std::uint8_t{0});
  return std::string(first, end);
}

bool isContinuationByte(unsigned char c) { return (c & 0xC0u) == 0x80u; }

}  // namespace

std::string CutName(std::string_view text, std::size_t maxBytes) {
  text = text.substr(0, text.find('\0'));
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t end = maxBytes;
  // Step back over the continuation bytes of a character that does not fit,
  // and then over its lead byte.
  while (end > 0 && isContinuationByte(static_cast<unsigned char>(text[end]))) --end;
  return std::string(text.substr(0, end));
}

RecordBytes EncodeRecord(const CItemDiario& record) {
  RecordBytes out{};
  putName(out, kModemAt, record.modem);
  putName(out, kConnectionAt, record.connection);
  putInt64(out, kStartAt, record.start);
  putInt64(out, kDurationAt, record.duration);
  return out;
}

CItemDiario DecodeRecord(std::span<const std::uint8_t, kRecordSize> bytes) {
  CItemDiario r;
  r.modem = getName(bytes, kModemAt);
  r.connection = getName(bytes, kConnectionAt);
  r.start = getInt64(bytes, kStartAt);
  r.duration = getInt64(bytes, kDurationAt);
  return r;
}

}  // namespace zelvor::diary
