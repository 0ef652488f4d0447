// The notes-file reader over arbitrary bytes: it keeps whole entries only,
// never holds more than the bytes it was given (libFuzzer's allocation
// limit stops any reservation a length field asks for), reads the same in
// any pieces, and what it read is written back and read again unchanged.
// The recycle bin's rules, the hotkey moves and the alarm rules run over
// whatever was read.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz/default_max_len.h"
#include "notes/note_alarm.h"
#include "notes/note_index.h"
#include "notes/notes_file.h"
#include "notes/recycle_bin.h"
#include "platform/sim/sim_clock.h"

namespace {

using namespace zelvor::notes;

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

// Well over a hundred small entries, or a few with long texts.
constexpr std::size_t kMaxInput = 128 * 1024;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  zelvor::fuzz::prependDefaultMaxLen(argc, argv, kMaxInput);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zelvor::SimClock clock(1'700'000'000, *zelvor::TimeZoneRule::parse("CET-1CEST,M3.5.0,M10.5.0/3"));
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const ParsedNotes parsed = ParseNotes(bytes);

  std::size_t textBytes = 0;
  for (const NoteEntry& n : parsed.notes) {
    check(n.record.title.size() <= kMaxTitleBytes && n.record.title.find('\0') == std::string::npos);
    check(n.record.font.lfFaceName.size() < kFaceNameField);
    check(n.record.alarm.soundFile.size() < kSoundFileField);
    check(n.text.find('\0') == std::string::npos);
    textBytes += n.text.size();
    const zelvor::SchedulerRecord s = SchedulerRecordOf(n.record.alarm, clock);
    check(s.Hour >= 0 && s.Hour < 24 && s.Minute >= 0 && s.Minute < 60);
    (void)zelvor::IsDueAt(s, clock, clock.now());
    (void)CheckLateAlarm(n.record.alarm, clock, clock.now());
    (void)DeletionTimeText(clock, n.record.deletionTime);
  }
  check(parsed.notes.size() * kEntryHeaderSize + textBytes <= size);

  // The same bytes in pieces whose size the input chooses.
  const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 97;
  NotesParser pieces;
  for (std::size_t at = 0; at < size; at += piece) pieces.feed(bytes.substr(at, piece));
  check(pieces.entries() == parsed.notes);
  check(pieces.midEntry() == parsed.truncated);
  check(parsed.truncated ? pieces.wholeBytes() < size : pieces.wholeBytes() == size);

  // Written back, it reads the same.
  const std::string again = EncodeNotes(parsed.notes);
  const ParsedNotes reread = ParseNotes(again);
  check(!reread.truncated && reread.notes == parsed.notes);
  check(EncodeNotes(reread.notes) == again);

  // The bin over hostile deletion times, and note removals over hostile hotkeys.
  const std::int64_t now = parsed.notes.empty() ? 0 : parsed.notes.front().record.alarm.alarmTime;
  RecycleBin bin = RecycleBin::FromFile(parsed.notes, now, {3, 0, 0});
  check(bin.size() <= parsed.notes.size());
  const std::size_t before = bin.size();
  check(bin.Put(NoteEntry{}, now, {0, 2, 0}).kept);
  check(bin.size() == (before >= 2 ? before : before + 1));
  std::vector<std::uint32_t> hotkeys;
  for (const NoteEntry& n : parsed.notes) hotkeys.push_back(n.record.hotkey);
  if (!hotkeys.empty()) (void)HotkeyOpsForRemoval(hotkeys, data[size - 1] % hotkeys.size());
  return 0;
}
