#pragma once
// The desktop clipboard in the suite's terms: a content is a list of
// formats, each a format number (the classic CF_ numbers, or a registered
// number from 0xC000 up) with its bytes, in the order the owner offered
// them. A binding translates its desktop's types to numbers (see
// ClipboardFormatTable for the Linux one).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_types.h"

namespace zelvor {

namespace msg {
// The clipboard's content changed and read() now returns it (lParam: 1 when
// this process made the change).
inline constexpr std::uint32_t ClipboardChanged = 0x0308;
}  // namespace msg

namespace clip_format {
inline constexpr std::uint32_t Text = 1;          // CF_TEXT: narrow text (UTF-8 here) and its NUL
inline constexpr std::uint32_t Bitmap = 2;        // CF_BITMAP
inline constexpr std::uint32_t MetafilePict = 3;  // CF_METAFILEPICT
inline constexpr std::uint32_t Sylk = 4;
inline constexpr std::uint32_t Dif = 5;
inline constexpr std::uint32_t Tiff = 6;          // CF_TIFF
inline constexpr std::uint32_t OemText = 7;       // CF_OEMTEXT
inline constexpr std::uint32_t Dib = 8;           // CF_DIB: a BMP file without its 14-byte file header
inline constexpr std::uint32_t UnicodeText = 13;  // CF_UNICODETEXT: UTF-16LE and a NUL unit
inline constexpr std::uint32_t EnhMetafile = 14;  // CF_ENHMETAFILE
inline constexpr std::uint32_t DspText = 0x81;
inline constexpr std::uint32_t DspBitmap = 0x82;
inline constexpr std::uint32_t DspMetafilePict = 0x83;
inline constexpr std::uint32_t DspEnhMetafile = 0x8E;
// Numbers a binding hands out for the desktop's other types.
inline constexpr std::uint32_t FirstRegistered = 0xC000;
inline constexpr std::uint32_t LastRegistered = 0xFFFF;
}  // namespace clip_format

struct ClipboardFormat {
  std::uint32_t format = 0;
  std::vector<std::uint8_t> data;
  friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};
using ClipboardContent = std::vector<ClipboardFormat>;

struct ClipboardRead {
  enum class Status {
    Read,         // formats holds what could be read (possibly nothing)
    Unavailable,  // the clipboard could not be read at all
    Concealed,    // the owner marked the content secret (a password manager): nothing is kept
  };
  Status status = Status::Unavailable;
  ClipboardContent formats;
};

// Whether the change a write makes is reported to the watcher.
enum class ChangeReport { Report, Suppress };

enum class PasteResult {
  Pasted,
  NoTarget,     // no window of another program to paste into
  Unavailable,  // this desktop does not let programs pick a window or send keys
};

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // From now on every change posts msg::ClipboardChanged to target, once
  // its content is read; kNoWindow stops the watch.
  virtual void watch(WindowHandle target) = 0;
  // The content of the last change reported (or, unwatched, of the
  // clipboard now). Never waits long on an owner that does not answer.
  [[nodiscard]] virtual ClipboardRead read() = 0;
  // Replaces the clipboard's content with these formats; formats the
  // desktop has no type for are left out.
  [[nodiscard]] virtual bool write(const ClipboardContent& content, ChangeReport report) = 0;
  // Brings the first window of another program below the suite's own ones
  // in the stacking order to the front and sends it the paste keystroke.
  [[nodiscard]] virtual PasteResult pasteIntoActiveWindow() = 0;
  // The desktop type a registered number stands for ("image/png"); "" for
  // the fixed numbers and numbers nobody registered.
  [[nodiscard]] virtual std::string formatName(std::uint32_t format) = 0;
};

}  // namespace zelvor
