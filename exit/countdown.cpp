#include "exit/countdown.h"

#include <algorithm>
#include <cstdio>

#include "exit/scheduler_record.h"

namespace zelvor {

CAvisoDlg::CAvisoDlg(int seconds, std::string caption, std::string message, int iconIndex)
    : seconds_(std::clamp(seconds, 0, kMaxWarningSeconds)),
      remaining_(seconds_),
      title_(std::move(caption)),
      message_(std::move(message)),
      iconIndex_(iconIndex) {}

void CAvisoDlg::OnTimerTick() {
  if (result_ != Result::Running) return;
  if (remaining_ > 0) {
    --remaining_;
  } else {
    result_ = Result::Accepted;
  }
}

void CAvisoDlg::Cancel() {
  if (result_ == Result::Running) result_ = Result::Cancelled;
}

std::string CAvisoDlg::RemainingLine() const {
  char buf[64];
  std::snprintf(buf, sizeof buf, "Quedan %d segundos", remaining_);
  return buf;
}

}  // namespace zelvor
