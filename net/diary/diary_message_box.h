#pragma once
// The diary's messages as the desktop's message boxes: the text, the
// caption, the icon and whether the box stays above every window.

#include "net/diary/diary_message.h"
#include "platform/message_box.h"

namespace zelvor::diary {

// The box that shows message, with the single "Aceptar" button.
[[nodiscard]] MessageBoxRequest MessageBoxOf(const DiaryMessage& message);

// Shows each diary message in a box of boxes, which must outlive the
// returned function. This is what the diary's users hand to the location
// rule of the connection file (ConnectionFilePath, DiaryRecorder).
[[nodiscard]] ShowMessage ShowInMessageBoxes(MessageBoxes& boxes);

}  // namespace zelvor::diary
