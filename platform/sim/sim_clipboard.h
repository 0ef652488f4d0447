#pragma once
// The simulated clipboard: a test plays the other programs that set it,
// reads what the suite put back and decides whether pasting works.

#include <map>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/event_loop.h"

namespace zelvor {

class SimClipboard : public Clipboard {
 public:
  explicit SimClipboard(EventLoop& loop) : loop_(loop) {}

  void watch(WindowHandle target) override { target_ = target; }
  ClipboardRead read() override {
    if (!readable) return {ClipboardRead::Status::Unavailable, {}};
    if (concealed) return {ClipboardRead::Status::Concealed, {}};
    return {ClipboardRead::Status::Read, content};
  }
  bool write(const ClipboardContent& formats, ChangeReport report) override {
    content = formats;
    concealed = false;
    ++writes;
    if (report == ChangeReport::Report && target_ != kNoWindow) loop_.post(target_, msg::ClipboardChanged, 0, 1);
    return true;
  }
  PasteResult pasteIntoActiveWindow() override {
    if (pasteResult == PasteResult::Pasted) pasted.push_back(content);
    return pasteResult;
  }
  std::string formatName(std::uint32_t format) override {
    const auto it = names.find(format);
    return it == names.end() ? std::string{} : it->second;
  }

  // Test side: another program sets the clipboard (secret: with the
  // password manager's hint).
  void setByOtherProgram(ClipboardContent formats, bool secret = false) {
    content = std::move(formats);
    concealed = secret;
    if (target_ != kNoWindow) loop_.post(target_, msg::ClipboardChanged, 0, 0);
  }
  [[nodiscard]] WindowHandle watcher() const { return target_; }

  ClipboardContent content;
  bool concealed = false;
  bool readable = true;
  int writes = 0;
  PasteResult pasteResult = PasteResult::Pasted;
  std::vector<ClipboardContent> pasted;  // what was on the clipboard at each paste
  std::map<std::uint32_t, std::string> names;  // registered numbers

 private:
  EventLoop& loop_;
  WindowHandle target_ = kNoWindow;
};

}  // namespace zelvor
