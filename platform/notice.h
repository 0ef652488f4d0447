#pragma once
// Rich-text pop-ups of the suite: the hover tooltip that follows the
// pointer over an icon, and the pop-up notice shown at a corner of the work
// area. Both take the suite's small HTML (tables, <b>, <br>, <hr color=...>,
// and <ilst index=N>, which draws image N of an image strip).

#include "platform/image.h"
#include "platform/ui_types.h"

#include <string>

namespace zelvor {

class Notices {
 public:
  virtual ~Notices() = default;

  // Shows the hover tooltip with its top-left corner near `at` (kept on the
  // screen), replacing what it showed.
  virtual void showTooltip(const std::string& html, Point at) = 0;
  virtual void hideTooltip() = 0;
  [[nodiscard]] virtual bool tooltipVisible() = 0;

  // Shows the pop-up notice with its bottom-right corner at `corner`. While
  // another notice is visible the new one waits and appears when that one
  // hides. A notice stays until hideNotice() or until the user clicks it.
  virtual void showNotice(const std::string& html, Point corner) = 0;
  // Hides the visible notice; the next waiting one (if any) then appears.
  virtual void hideNotice() = 0;
  [[nodiscard]] virtual bool noticeVisible() = 0;

  // The strip that <ilst index=N> draws from (the utility strip unless set).
  virtual void setTagStrip(ImageStrip strip) = 0;
};

}  // namespace zelvor
