#pragma once
// The clipboard over QClipboard. Qt reports changes as the desktop tells
// it; a re-check every 1.5 s catches changes it did not hear of (a crashed
// owner, a desktop without change notices). On X11 the content of a change
// is read off the UI thread on a connection of our own, with deadlines (see
// x11_selection_reader.h), and the watcher hears of the change once it is
// read; elsewhere it is read through Qt within a time budget. MIME types
// become format numbers through a ClipboardFormatTable. Pasting finds the
// window below the suite's own in the X11 stacking order and sends Ctrl+V
// through XTest.

#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/clipboard.h"
#include "platform/clipboard_formats.h"
#include "platform/qt/qt_event_loop.h"
#include "platform/qt/x11_connection.h"
#include "platform/tree_registry.h"

namespace zelvor {

class QtClipboard final : public QObject, public Clipboard {
 public:
  QtClipboard(QtEventLoop& loop, X11Connection* x11);
  ~QtClipboard() override;

  // Keeps the registered numbers in this store (below HKEY_CURRENT_USER at
  // keyPath) instead of in memory for this run only.
  void useFormatStore(Registry& registry, std::string keyPath);

  void watch(WindowHandle target) override;
  [[nodiscard]] ClipboardRead read() override;
  [[nodiscard]] bool write(const ClipboardContent& content, ChangeReport report) override;
  [[nodiscard]] PasteResult pasteIntoActiveWindow() override;
  [[nodiscard]] std::string formatName(std::uint32_t format) override;

  // Compares the clipboard with what was last seen; reads it if it differs.
  void recheck();

 private:
  struct Snapshot {
    ClipboardRead::Status status = ClipboardRead::Status::Unavailable;
    std::vector<MimeFormat> formats;
    ClipboardContent numbered;  // set instead of formats for the suite's own writes
    bool own = false;
  };
  [[nodiscard]] QString fingerprint() const;
  void changed();
  void startRead();
  void readThroughQt();
  void finishRead(Snapshot snapshot);
  [[nodiscard]] ClipboardFormatTable& table() { return *table_; }

  QtEventLoop& loop_;
  X11Connection* x11_;
  WindowHandle target_ = kNoWindow;
  QString lastSeen_;
  QTimer recheck_;
  bool suppressing_ = false;

  TreeRegistry memoryStore_;
  std::unique_ptr<ClipboardFormatTable> table_;

  std::mutex mutex_;  // guards snapshot_ and pending_ (the reader thread sets them)
  Snapshot snapshot_;
  bool pending_ = false;  // a change came while a read was running
  std::thread reader_;
  std::atomic<bool> reading_{false};
  std::atomic<bool> cancel_{false};
};

}  // namespace zelvor
