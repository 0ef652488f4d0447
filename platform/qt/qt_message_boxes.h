#pragma once
#include "platform/message_box.h"

namespace zelvor {

// Message boxes with the suite's Spanish buttons.
class QtMessageBoxes final : public MessageBoxes {
 public:
  [[nodiscard]] MsgAnswer show(const MessageBoxRequest& request) override;
};

}  // namespace zelvor
