#include "notes/notes_file.h"

#include <algorithm>
#include <limits>

namespace zelvor::notes {
namespace {

// A text this long cannot have its length counted in 32 bits with its NUL.
constexpr std::size_t kMaxTextBytes = std::numeric_limits<std::uint32_t>::max() - 1;

std::uint32_t lengthFieldOf(std::string_view header) {
  std::uint32_t v = 0;
  for (std::size_t i = 4; i-- > 0;) {
    v = (v << 8) | static_cast<unsigned char>(header[kNoteRecordSize + i]);
  }
  return v;
}

}  // namespace

void NotesParser::feed(std::string_view bytes) {
  while (!bytes.empty()) {
    if (!inText_) {
      const std::size_t take = std::min(bytes.size(), kEntryHeaderSize - header_.size());
      header_.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      entryBytes_ += take;
      if (header_.size() == kEntryHeaderSize) finishHeader();
      continue;
    }
    const std::size_t take =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), textLeft_));
    if (!textEnded_) {
      const std::string_view piece = bytes.substr(0, take);
      const std::size_t nul = piece.find('\0');
      current_.text.append(piece.substr(0, nul));
      textEnded_ = nul != std::string_view::npos;
    }
    bytes.remove_prefix(take);
    textLeft_ -= take;
    entryBytes_ += take;
    if (textLeft_ == 0) finishEntry();
  }
}

void NotesParser::finishHeader() {
  const auto* record = reinterpret_cast<const std::uint8_t*>(header_.data());
  current_ = {DecodeNoteRecord(std::span<const std::uint8_t, kNoteRecordSize>(record, kNoteRecordSize)), {}};
  textLeft_ = lengthFieldOf(header_);
  textEnded_ = false;
  header_.clear();
  inText_ = true;
  // A length of 0 (which this side never writes) stands for an empty text.
  if (textLeft_ == 0) finishEntry();
}

void NotesParser::finishEntry() {
  entries_.push_back(std::move(current_));
  current_ = {};
  inText_ = false;
  wholeBytes_ += entryBytes_;
  entryBytes_ = 0;
}

ParsedNotes ParseNotes(std::string_view bytes) {
  NotesParser parser;
  parser.feed(bytes);
  return {std::move(parser.entries()), parser.midEntry()};
}

void AppendEntry(std::string& out, const NoteRecord& note, std::string_view text) {
  const NoteRecordBytes record = EncodeNoteRecord(note);
  text = text.substr(0, std::min(text.find('\0'), kMaxTextBytes));
  const auto length = static_cast<std::uint32_t>(text.size() + 1);
  out.append(reinterpret_cast<const char*>(record.data()), record.size());
  for (std::size_t i = 0; i < 4; ++i) out.push_back(static_cast<char>((length >> (8 * i)) & 0xFFu));
  out.append(text);
  out.push_back('\0');
}

std::string EncodeNotes(const std::vector<NoteEntry>& notes) {
  std::size_t size = 0;
  for (const NoteEntry& n : notes) size += kEntryHeaderSize + n.text.size() + 1;
  std::string out;
  out.reserve(size);
  for (const NoteEntry& n : notes) AppendEntry(out, n);
  return out;
}

}  // namespace zelvor::notes
