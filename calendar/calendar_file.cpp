#include "calendar/calendar_file.h"

#include <algorithm>

namespace zelvor::calendar {
namespace {

std::uint32_t u32At(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFFu));
}

}  // namespace

void CalendarParser::feed(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!inText_) {
      const std::size_t take = std::min(bytes.size(), kEntryHeaderSize - header_.size());
      header_.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (header_.size() < kEntryHeaderSize) continue;
      current_ = {static_cast<std::int64_t>(u32At(header_, 0)), {}};
      textLeft_ = u32At(header_, 4);
      textEnded_ = false;
      header_.clear();
      inText_ = true;
      // A length of 0 (never written here) stands for an empty text.
      if (textLeft_ == 0) finishEntry();
      continue;
    }
    const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), textLeft_));
    if (!textEnded_) {
      const std::string_view piece = bytes.substr(0, take);
      const std::size_t nul = piece.find('\0');
      current_.text.append(piece.substr(0, nul));
      textEnded_ = nul != std::string_view::npos;
    }
    bytes.remove_prefix(take);
    textLeft_ -= take;
    if (textLeft_ == 0) finishEntry();
  }
}

void CalendarParser::finishEntry() {
  entries_.push_back(std::move(current_));
  current_ = {};
  inText_ = false;
}

ParsedCalendar ParseCalendar(std::string_view bytes) {
  CalendarParser parser;
  parser.feed(bytes);
  return {std::move(parser.entries()), parser.midEntry()};
}

std::string EncodeCalendar(const std::vector<CalendarEntry>& entries) {
  std::string out;
  std::size_t size = 0;
  for (const CalendarEntry& e : entries) size += kEntryHeaderSize + e.text.size() + 1;
  out.reserve(size);
  for (const CalendarEntry& e : entries) {
    const std::string_view text(e.text.data(), std::min(e.text.size(), e.text.find('\0')));
    putU32(out, static_cast<std::uint32_t>(static_cast<std::uint64_t>(e.date) & 0xFFFFFFFFu));
    putU32(out, static_cast<std::uint32_t>(text.size() + 1));
    out.append(text);
    out.push_back('\0');
  }
  return out;
}

}  // namespace zelvor::calendar
