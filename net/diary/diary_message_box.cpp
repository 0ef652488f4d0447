#include "net/diary/diary_message_box.h"

namespace zelvor::diary {

MessageBoxRequest MessageBoxOf(const DiaryMessage& message) {
  MessageBoxRequest box;
  box.text = message.text;
  box.caption = message.caption;
  box.buttons = MsgButtons::Ok;
  box.icon = message.icon == DiaryMessage::Icon::Warning ? MsgIcon::Warning : MsgIcon::Information;
  box.systemModal = message.systemModal;
  return box;
}

ShowMessage ShowInMessageBoxes(MessageBoxes& boxes) {
  return [&boxes](const DiaryMessage& message) {
    // A box with only "Aceptar" has nothing to decide.
    (void)boxes.show(MessageBoxOf(message));
  };
}

}  // namespace zelvor::diary
