#pragma once
// A message box the diary asks its window to show. The diary decides the
// text; the window toolkit shows it.

#include <functional>
#include <string>

namespace zelvor::diary {

struct DiaryMessage {
  enum class Icon { Information, Warning };
  std::string text;
  std::string caption;
  Icon icon = Icon::Information;
  bool systemModal = false;

  friend bool operator==(const DiaryMessage&, const DiaryMessage&) = default;
};

using ShowMessage = std::function<void(const DiaryMessage&)>;

}  // namespace zelvor::diary
