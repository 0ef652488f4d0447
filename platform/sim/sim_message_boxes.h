#pragma once
// Message boxes as a test sees them: every box is logged, and answered
// from the test's script, else with the box's first button.

#include <deque>
#include <vector>

#include "platform/message_box.h"

namespace zelvor {

class SimMessageBoxes : public MessageBoxes {
 public:
  MsgAnswer show(const MessageBoxRequest& request) override {
    shown.push_back(request);
    if (!script.empty()) {
      const MsgAnswer a = script.front();
      script.pop_front();
      return a;
    }
    switch (request.buttons) {
      case MsgButtons::Ok:
      case MsgButtons::OkCancel: return MsgAnswer::Ok;
      case MsgButtons::YesNo:
      case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    }
    return MsgAnswer::Ok;
  }

  std::vector<MessageBoxRequest> shown;
  std::deque<MsgAnswer> script;
};

}  // namespace zelvor
