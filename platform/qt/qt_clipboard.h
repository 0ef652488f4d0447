#pragma once
// The clipboard over QClipboard. Qt reports changes as the desktop tells
// it; a re-check every 1.5 s catches changes it did not hear of (a crashed
// owner, a desktop without change notices). Pasting sends Ctrl+V through
// XTest on X11.

#include <QObject>
#include <QTimer>

#include <QString>

#include "platform/clipboard.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/x11_connection.h"

namespace zelvor {

class QtClipboard final : public QObject, public Clipboard {
 public:
  QtClipboard(QtEventLoop& loop, X11Connection* x11);

  void watch(WindowHandle target) override;
  [[nodiscard]] ClipboardContent read() override;
  [[nodiscard]] bool write(const ClipboardContent& content) override;
  [[nodiscard]] bool pasteIntoActiveWindow() override;

  // Compares the clipboard with what was last seen; posts a change if it differs.
  void recheck();

 private:
  [[nodiscard]] QString fingerprint() const;
  void changed();

  QtEventLoop& loop_;
  X11Connection* x11_;
  WindowHandle target_ = kNoWindow;
  QString lastSeen_;
  QTimer recheck_;
};

}  // namespace zelvor
