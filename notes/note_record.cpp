#include "notes/note_record.h"

#include "notes/fixed_text.h"

namespace zelvor::notes {
namespace {

constexpr std::size_t kTransparencyAt = 0;
constexpr std::size_t kAlignmentAt = 4;
constexpr std::size_t kBackgroundAt = 8;
constexpr std::size_t kTextColorAt = 12;
constexpr std::size_t kFontAt = 16;
constexpr std::size_t kFontFlagsAt = kFontAt + 20;
constexpr std::size_t kFaceNameAt = kFontAt + 28;
constexpr std::size_t kRectAt = 76;
constexpr std::size_t kAlwaysOnTopAt = 92;
constexpr std::size_t kTitleAt = 96;
constexpr std::size_t kHotkeyAt = 156;
constexpr std::size_t kVisibleAt = 160;
constexpr std::size_t kCollapsedAt = 164;
constexpr std::size_t kDeletionTimeAt = 168;
constexpr std::size_t kAlarmAt = 176;
constexpr std::size_t kSoundFileAt = 212;

static_assert(kFaceNameAt + kFaceNameField == kRectAt);
static_assert(kTitleAt + kTitleField == kHotkeyAt);
static_assert(kAlarmAt + kAlarmBlockSize == kNoteRecordSize);
static_assert(kSoundFileAt + kSoundFileField == kNoteRecordSize);

class Writer {
 public:
  explicit Writer(NoteRecordBytes& out) : out_(out) {}
  void u32(std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) out_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
  void i32(std::size_t at, std::int32_t v) { u32(at, static_cast<std::uint32_t>(v)); }
  void i64(std::size_t at, std::int64_t v) {
    const auto u = static_cast<std::uint64_t>(v);
    for (std::size_t i = 0; i < 8; ++i) out_[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
  }
  void text(std::size_t at, std::size_t size, std::string_view t) {
    PutFieldText(std::span<std::uint8_t>(out_).subspan(at, size), t);
  }

 private:
  NoteRecordBytes& out_;
};

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t, kNoteRecordSize> in) : in_(in) {}
  [[nodiscard]] std::uint32_t u32(std::size_t at) const {
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = (v << 8) | in_[at + i];
    return v;
  }
  [[nodiscard]] std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
  [[nodiscard]] std::int64_t i64(std::size_t at) const {
    std::uint64_t v = 0;
    for (std::size_t i = 8; i-- > 0;) v = (v << 8) | in_[at + i];
    return static_cast<std::int64_t>(v);
  }
  [[nodiscard]] std::string text(std::size_t at, std::size_t size) const {
    return GetFieldText(in_.subspan(at, size));
  }
  [[nodiscard]] std::uint8_t byte(std::size_t at) const { return in_[at]; }

 private:
  std::span<const std::uint8_t, kNoteRecordSize> in_;
};

void encodeFont(Writer& w, NoteRecordBytes& out, const LogFont& f) {
  w.i32(kFontAt, f.lfHeight);
  w.i32(kFontAt + 4, f.lfWidth);
  w.i32(kFontAt + 8, f.lfEscapement);
  w.i32(kFontAt + 12, f.lfOrientation);
  w.i32(kFontAt + 16, f.lfWeight);
  const std::uint8_t flags[8] = {f.lfItalic,       f.lfUnderline,     f.lfStrikeOut, f.lfCharSet,
                                 f.lfOutPrecision, f.lfClipPrecision, f.lfQuality,   f.lfPitchAndFamily};
  for (std::size_t i = 0; i < 8; ++i) out[kFontFlagsAt + i] = flags[i];
  w.text(kFaceNameAt, kFaceNameField, f.lfFaceName);
}

LogFont decodeFont(const Reader& r) {
  LogFont f;
  f.lfHeight = r.i32(kFontAt);
  f.lfWidth = r.i32(kFontAt + 4);
  f.lfEscapement = r.i32(kFontAt + 8);
  f.lfOrientation = r.i32(kFontAt + 12);
  f.lfWeight = r.i32(kFontAt + 16);
  f.lfItalic = r.byte(kFontFlagsAt);
  f.lfUnderline = r.byte(kFontFlagsAt + 1);
  f.lfStrikeOut = r.byte(kFontFlagsAt + 2);
  f.lfCharSet = r.byte(kFontFlagsAt + 3);
  f.lfOutPrecision = r.byte(kFontFlagsAt + 4);
  f.lfClipPrecision = r.byte(kFontFlagsAt + 5);
  f.lfQuality = r.byte(kFontFlagsAt + 6);
  f.lfPitchAndFamily = r.byte(kFontFlagsAt + 7);
  f.lfFaceName = r.text(kFaceNameAt, kFaceNameField);
  return f;
}

}  // namespace

NoteRecordBytes EncodeNoteRecord(const NoteRecord& n) {
  NoteRecordBytes out{};
  Writer w(out);
  w.i32(kTransparencyAt, n.transparency);
  w.i32(kAlignmentAt, n.alignment);
  w.u32(kBackgroundAt, n.background);
  w.u32(kTextColorAt, n.textColor);
  encodeFont(w, out, n.font);
  w.i32(kRectAt, n.rect.left);
  w.i32(kRectAt + 4, n.rect.top);
  w.i32(kRectAt + 8, n.rect.right);
  w.i32(kRectAt + 12, n.rect.bottom);
  w.i32(kAlwaysOnTopAt, n.alwaysOnTop);
  w.text(kTitleAt, kTitleField, n.title);
  w.u32(kHotkeyAt, n.hotkey);
  w.i32(kVisibleAt, n.visible);
  w.i32(kCollapsedAt, n.collapsed);
  w.i64(kDeletionTimeAt, n.deletionTime);
  const NoteAlarmBlock& a = n.alarm;
  w.i32(kAlarmAt, a.Enable);
  w.i64(kAlarmAt + 4, a.alarmTime);
  w.i32(kAlarmAt + 12, a.Day);
  w.i32(kAlarmAt + 16, a.Weekday);
  w.i32(kAlarmAt + 20, a.Start);
  w.i32(kAlarmAt + 24, a.Month);
  w.i32(kAlarmAt + 28, a.ShowWarning);
  w.i32(kAlarmAt + 32, a.Seconds);
  w.text(kSoundFileAt, kSoundFileField, a.soundFile);
  return out;
}

NoteRecord DecodeNoteRecord(std::span<const std::uint8_t, kNoteRecordSize> bytes) {
  const Reader r(bytes);
  NoteRecord n;
  n.transparency = r.i32(kTransparencyAt);
  n.alignment = r.i32(kAlignmentAt);
  n.background = r.u32(kBackgroundAt);
  n.textColor = r.u32(kTextColorAt);
  n.font = decodeFont(r);
  n.rect = {r.i32(kRectAt), r.i32(kRectAt + 4), r.i32(kRectAt + 8), r.i32(kRectAt + 12)};
  n.alwaysOnTop = r.i32(kAlwaysOnTopAt);
  n.title = r.text(kTitleAt, kTitleField);
  n.hotkey = r.u32(kHotkeyAt);
  n.visible = r.i32(kVisibleAt);
  n.collapsed = r.i32(kCollapsedAt);
  n.deletionTime = r.i64(kDeletionTimeAt);
  NoteAlarmBlock& a = n.alarm;
  a.Enable = r.i32(kAlarmAt);
  a.alarmTime = r.i64(kAlarmAt + 4);
  a.Day = r.i32(kAlarmAt + 12);
  a.Weekday = r.i32(kAlarmAt + 16);
  a.Start = r.i32(kAlarmAt + 20);
  a.Month = r.i32(kAlarmAt + 24);
  a.ShowWarning = r.i32(kAlarmAt + 28);
  a.Seconds = r.i32(kAlarmAt + 32);
  a.soundFile = r.text(kSoundFileAt, kSoundFileField);
  return n;
}

NoteRecord BuiltInNoteRecord() {
  NoteRecord n;
  n.background = 0xC0FFFF;
  n.textColor = 0;
  n.alignment = static_cast<std::int32_t>(Alignment::Left);
  n.transparency = 0;
  n.rect = {100, 100, 300, 300};
  n.alwaysOnTop = 1;
  return n;
}

std::string CutTitle(std::string_view title) { return CutAtCharacter(title, kMaxTitleBytes); }

NoteRecord RecordForNewNote(std::optional<std::string_view> defecto) {
  if (!defecto || defecto->size() != kNoteRecordSize) return BuiltInNoteRecord();
  NoteRecord r = DecodeNoteRecord(std::span<const std::uint8_t, kNoteRecordSize>(
      reinterpret_cast<const std::uint8_t*>(defecto->data()), kNoteRecordSize));
  r.title.clear();
  return r;
}

}  // namespace zelvor::notes
