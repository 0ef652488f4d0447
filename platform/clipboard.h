#pragma once
// The desktop clipboard: what it holds, news of its changes, putting data
// back, and pasting into the active window.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui_types.h"

namespace zelvor {

namespace msg {
// The clipboard's content changed (lParam: 1 when this process made the change).
inline constexpr std::uint32_t ClipboardChanged = 0x0308;
}  // namespace msg

// One representation of the clipboard's content. Formats are named by
// MIME type: "text/plain;charset=utf-8" is the plain text (UTF-8, no NUL),
// "image/png" a picture, anything else raw bytes of that type.
struct ClipboardFormat {
  std::string type;
  std::vector<std::uint8_t> data;
  friend bool operator==(const ClipboardFormat&, const ClipboardFormat&) = default;
};
using ClipboardContent = std::vector<ClipboardFormat>;

inline constexpr const char* kClipboardText = "text/plain;charset=utf-8";

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // From now on every change posts msg::ClipboardChanged to target;
  // kNoWindow stops the watch.
  virtual void watch(WindowHandle target) = 0;
  // Every format the clipboard offers, in the owner's order.
  [[nodiscard]] virtual ClipboardContent read() = 0;
  // Replaces the clipboard's content with these formats (empty: clears it).
  [[nodiscard]] virtual bool write(const ClipboardContent& content) = 0;
  // Sends the paste keystroke (Ctrl+V) to the window that has the keyboard.
  // False where the desktop does not let programs synthesise keys.
  [[nodiscard]] virtual bool pasteIntoActiveWindow() = 0;
};

}  // namespace zelvor
