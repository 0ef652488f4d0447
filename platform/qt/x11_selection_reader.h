#pragma once
// Reads the CLIPBOARD selection of an X server on a connection of its own,
// off the UI thread, with a deadline for every answer: an owner that
// offers a type and never sends it, or sends it slowly, costs at most the
// deadline, never a frozen program. Large data arrives by the INCR
// protocol, under the same deadlines.

#include <atomic>
#include <chrono>
#include <vector>

#include "platform/clipboard_formats.h"

namespace zelvor {

struct SelectionDeadlines {
  std::chrono::milliseconds perAnswer{1500};  // the owner's silence that ends one type
  std::chrono::milliseconds total{5000};      // the whole read
};

struct SelectionRead {
  bool ok = false;  // the owner answered with its list of types
  std::vector<MimeFormat> formats;
};

// cancel: checked while waiting; set it to end the read early.
[[nodiscard]] SelectionRead ReadClipboardSelection(const SelectionDeadlines& deadlines,
                                                   const std::atomic<bool>& cancel);

}  // namespace zelvor
