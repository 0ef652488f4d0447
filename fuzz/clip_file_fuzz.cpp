// The clip-file reader over arbitrary bytes: it keeps whole records only,
// never holds more than the bytes it was given (a size field of 4 GiB costs
// nothing), and what it read is written back to the same bytes. The rules
// that read an entry (its row, combining it, turning it into desktop types
// and back) run over whatever was read.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "clipboard/clip_entry.h"
#include "clipboard/clip_files.h"
#include "fuzz/default_max_len.h"
#include "platform/clipboard_formats.h"
#include "platform/tree_registry.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

constexpr std::size_t kMaxInput = 64 * 1024;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zelvor;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const clip::ParsedClip parsed = clip::ParseClipFile(bytes);
  const std::size_t held = clip::EntryBytes(parsed.entry);
  check(held + parsed.entry.size() * clip::kRecordHeaderSize <= size);

  // Whole records are written back as they were read.
  const std::string again = clip::EncodeClipFile(parsed.entry);
  check(bytes.substr(0, again.size()) == again);
  check(parsed.truncated ? again.size() < size : again.size() == size);

  static TreeRegistry store;
  static ClipboardFormatTable table(store, "Software\\Norvane\\Zelvor\\ReziZovidaraz\\Formatos");
  const clip::FormatNames names = [](std::uint32_t n) { return table.NameOf(n); };
  const clip::RowFacts row = clip::DescribeEntry(parsed.entry, names);
  check(row.image >= 1 && row.image <= 4 && row.content.size() <= 128);

  const clip::ClipEntry* twice[] = {&parsed.entry, &parsed.entry};
  if (const auto combined = clip::CombineEntries(twice, names)) {
    // At most a CR LF (two UTF-16 units) between two appended records.
    check(clip::EntryBytes(*combined) <= 2 * held + 4 * 2 * parsed.entry.size());
  }

  // To desktop types and back: text stays text, a DIB stays a DIB.
  const std::vector<MimeFormat> types = table.ToTypes(parsed.entry);
  const ClipboardContent back = table.ToNumbers(types);
  for (const MimeFormat& t : types) {
    if (t.type == "image/bmp") {
      check(std::any_of(back.begin(), back.end(), [](const ClipboardFormat& f) { return f.format == clip_format::Dib; }));
    }
  }
  return 0;
}
