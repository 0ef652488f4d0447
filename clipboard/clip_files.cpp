#include "clipboard/clip_files.h"

#include <cstdio>

namespace zelvor::clip {
namespace {

std::uint32_t le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

void put32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>(v >> (8 * k) & 0xFF));
}

}  // namespace

ParsedClip ParseClipFile(std::string_view bytes) {
  ParsedClip out;
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (bytes.size() - at < kRecordHeaderSize) {
      out.truncated = true;
      break;
    }
    const std::uint32_t format = le32(bytes, at);
    const std::uint32_t size = le32(bytes, at + 4);
    at += kRecordHeaderSize;
    if (size > bytes.size() - at) {
      out.truncated = true;
      break;
    }
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.data() + at);
    out.entry.push_back({format, std::vector<std::uint8_t>(first, first + size)});
    at += size;
  }
  return out;
}

std::string EncodeClipFile(const ClipEntry& entry) {
  std::string out;
  out.reserve(EntryBytes(entry) + entry.size() * kRecordHeaderSize);
  for (const ClipboardFormat& f : entry) {
    // A format that a record cannot describe is left out rather than torn.
    if (f.data.size() > 0xFFFFFFFFu) continue;
    put32(out, f.format);
    put32(out, static_cast<std::uint32_t>(f.data.size()));
    out.append(reinterpret_cast<const char*>(f.data.data()), f.data.size());
  }
  return out;
}

std::string ClipFileName(std::size_t row) {
  char name[40];
  std::snprintf(name, sizeof name, "clip%03zu.dat", row);
  return name;
}

std::vector<ClipEntry> ClipFiles::Load() const {
  std::vector<ClipEntry> entries;
  for (std::size_t n = 0;; ++n) {
    const std::string path = folder_ + ClipFileName(n);
    if (!files_.exists(path)) break;
    auto bytes = files_.readFile(path, kMaxClipFileBytes);
    if (!bytes) continue;
    entries.push_back(ParseClipFile(*bytes).entry);
  }
  return entries;
}

bool ClipFiles::Save(const std::vector<ClipEntry>& entries) {
  // What an interrupted save left behind goes first.
  (void)files_.removeTree(staging_);
  if (!files_.makeParentFolders(staging_ + "x").ok || !files_.makeFolder(staging_).ok) return false;
  std::size_t row = 0;
  for (const ClipEntry& e : entries) {
    // An entry whose file cannot be written is left out without a gap in
    // the names, which would end the next load there.
    if (files_.writeUnsynced(staging_ + ClipFileName(row), EncodeClipFile(e)).ok) ++row;
  }
  // The new set is on the disk before it takes the old one's place.
  if (!files_.flushFolder(staging_).ok) {
    (void)files_.removeTree(staging_);
    return false;
  }
  if (!files_.exchangeFolders(staging_, folder_).ok) {
    (void)files_.removeTree(staging_);
    return false;
  }
  (void)files_.removeTree(staging_);
  return true;
}

}  // namespace zelvor::clip
