#pragma once
// The stored part of a note: a fixed 472-byte record, kept byte for byte in
// notes.dat, in notes.old and (as the template for new notes) in the
// setting Defecto. All integers are little-endian; colours are COLORREF
// values (0x00BBGGRR).
//
//   0   4  transparency, percent (0, 20, 40, 60, 80; opacity is 100 minus it)
//   4   4  alignment: 0 left, 1 centred, 2 right
//   8   4  background colour
//  12   4  text colour
//  16  60  font, LOGFONTA: five int32 (height, width, escapement,
//          orientation, weight), eight bytes (italic .. pitch and family),
//          32-byte face name; all 60 bytes zero = no font chosen
//  76  16  window rectangle: left, top, right, bottom (int32); while the
//          note is collapsed, the expanded rectangle
//  92   4  always on top (1) or not (0)
//  96  60  title, NUL-terminated, at most 59 bytes
// 156   4  hotkey: virtual key in bits 0-7, registration modifiers in bits 8-15
// 160   4  visible: the window was open when the record was written
// 164   4  collapsed to the title bar
// 168   8  deletion time, int64 seconds since 1970 UTC; 0 = never deleted
// 176 296  alarm block:
//          176 4 Enable (0 = no alarm, and then the block is all zero)
//          180 8 alarm time, int64 seconds; only its local hour and minute count
//          188 4 Day, 1..31       192 4 Weekday mask   196 4 Start (kind)
//          200 4 Month, 0..11     204 4 ShowWarning    208 4 Seconds
//          212 260 sound file (WAV path), NUL-terminated, zero-filled
//
// Integer fields keep whatever was stored, in range or not, so a record
// read and written back is unchanged. Text fields are read up to their
// first NUL and written zero-filled after it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>


namespace zelvor::notes {

inline constexpr std::size_t kNoteRecordSize = 472;
inline constexpr std::size_t kTitleField = 60;
inline constexpr std::size_t kMaxTitleBytes = kTitleField - 1;
inline constexpr std::size_t kFaceNameField = 32;
inline constexpr std::size_t kSoundFileField = 260;
inline constexpr std::size_t kAlarmBlockSize = 296;

enum class Alignment : std::int32_t { Left = 0, Centre = 1, Right = 2 };

// The font as LOGFONTA lays it out, under its own field names.
struct LogFont {
  std::int32_t lfHeight = 0;
  std::int32_t lfWidth = 0;
  std::int32_t lfEscapement = 0;
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 0;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 0;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  std::string lfFaceName;  // at most 31 bytes

  // All fields zero: no font was chosen and the edit keeps its own.
  [[nodiscard]] bool isChosen() const { return *this != LogFont{}; }
  friend bool operator==(const LogFont&, const LogFont&) = default;
};

struct NoteRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const NoteRect&, const NoteRect&) = default;
};

// A note alarm: the shared trigger's stored fields (its hour and minute
// inside alarmTime) plus a sound file.
struct NoteAlarmBlock {
  std::int32_t Enable = 0;
  std::int64_t alarmTime = 0;
  std::int32_t Day = 0;
  std::int32_t Weekday = 0;
  std::int32_t Start = 0;
  std::int32_t Month = 0;
  std::int32_t ShowWarning = 0;
  std::int32_t Seconds = 0;
  std::string soundFile;  // at most 259 bytes

  friend bool operator==(const NoteAlarmBlock&, const NoteAlarmBlock&) = default;
};

struct NoteRecord {
  std::int32_t transparency = 0;
  std::int32_t alignment = 0;
  std::uint32_t background = 0;
  std::uint32_t textColor = 0;
  LogFont font;
  NoteRect rect;
  std::int32_t alwaysOnTop = 0;
  std::string title;  // at most 59 bytes
  std::uint32_t hotkey = 0;
  std::int32_t visible = 0;
  std::int32_t collapsed = 0;
  std::int64_t deletionTime = 0;
  NoteAlarmBlock alarm;

  [[nodiscard]] bool hasAlarm() const { return alarm.Enable != 0; }
  friend bool operator==(const NoteRecord&, const NoteRecord&) = default;
};

using NoteRecordBytes = std::array<std::uint8_t, kNoteRecordSize>;

// The record's bytes; texts too long for their fields are cut at a
// character boundary.
[[nodiscard]] NoteRecordBytes EncodeNoteRecord(const NoteRecord& record);
[[nodiscard]] NoteRecord DecodeNoteRecord(std::span<const std::uint8_t, kNoteRecordSize> bytes);

// The record a note starts from before any default applies: light yellow,
// black text, left aligned, opaque, at (100, 100, 300, 300), always on top.
[[nodiscard]] NoteRecord BuiltInNoteRecord();

// The title as the record will hold it: at most 59 bytes, whole characters.
[[nodiscard]] std::string CutTitle(std::string_view title);

// The record of a new note: Defecto when it holds exactly one record (the
// shipped default is 468 bytes and stays unused until the user stores a
// default note), else the built-in record. The title is not taken from
// Defecto: a new note's title comes from its own template.
[[nodiscard]] NoteRecord RecordForNewNote(std::optional<std::string_view> defecto);

}  // namespace zelvor::notes
