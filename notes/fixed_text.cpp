#include "notes/fixed_text.h"

#include <algorithm>

namespace zelvor::notes {
namespace {

bool isContinuationByte(unsigned char c) { return (c & 0xC0u) == 0x80u; }

}  // namespace

std::string CutAtCharacter(std::string_view text, std::size_t maxBytes) {
  text = text.substr(0, text.find('\0'));
  if (text.size() <= maxBytes) return std::string(text);
  std::size_t end = maxBytes;
  // The byte just past the cut continues a character that started before
  // it: step back over that character's continuation bytes and its lead.
  while (end > 0 && isContinuationByte(static_cast<unsigned char>(text[end]))) --end;
  return std::string(text.substr(0, end));
}

void PutFieldText(std::span<std::uint8_t> field, std::string_view text) {
  if (field.empty()) return;
  const std::string cut = CutAtCharacter(text, field.size() - 1);
  std::copy(cut.begin(), cut.end(), field.begin());
}

std::string GetFieldText(std::span<const std::uint8_t> field) {
  if (field.empty()) return {};
  // A field filled to its last byte by another program has no terminator
  // and may end inside a character: what is kept is what this side would
  // have written for the same text.
  const std::string_view whole(reinterpret_cast<const char*>(field.data()), field.size());
  return CutAtCharacter(whole, field.size() - 1);
}

}  // namespace zelvor::notes
