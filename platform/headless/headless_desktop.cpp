#include "platform/headless/headless_desktop.h"

#include "platform/messages.h"

namespace zelvor {

bool HeadlessTray::add(int iconId, const ImageRef&, const std::string& tip) {
  if (icons_.contains(iconId)) return false;
  icons_[iconId] = tip;
  if (log_ != nullptr) std::fprintf(log_, "zelvor: tray add %d\n", iconId);
  return true;
}

bool HeadlessTray::modify(int iconId, const ImageRef&, const std::string& tip) {
  const auto it = icons_.find(iconId);
  if (it == icons_.end()) return false;
  it->second = tip;
  return true;
}

void HeadlessTray::remove(int iconId) {
  if (icons_.erase(iconId) != 0 && log_ != nullptr) std::fprintf(log_, "zelvor: tray remove %d\n", iconId);
}

void HeadlessMenus::popup(const Menu&, Point, MenuStyle, WindowHandle owner) {
  close();
  // Nobody can choose from it; it stays open until the next one or close().
  owner_ = owner;
}

void HeadlessMenus::close() {
  if (owner_ == kNoWindow) return;
  loop_.post(owner_, msg::MenuClosed, 0, 0);
  owner_ = kNoWindow;
}

MsgAnswer HeadlessMessageBoxes::show(const MessageBoxRequest& r) {
  // Without a user to ask, the answer is the one that changes nothing.
  MsgAnswer answer = MsgAnswer::Ok;
  const char* name = "Aceptar";
  switch (r.buttons) {
    case MsgButtons::Ok: break;
    case MsgButtons::OkCancel:
    case MsgButtons::YesNoCancel:
      answer = MsgAnswer::Cancel;
      name = "Cancelar";
      break;
    case MsgButtons::YesNo:
      answer = MsgAnswer::No;
      name = "No";
      break;
  }
  std::fprintf(stderr, "zelvor: [%s] %s (%s)\n", r.caption.c_str(), r.text.c_str(), name);
  return answer;
}

WindowHandle HeadlessDialogs::create(WindowModel& model) {
  const WindowHandle h = next_++;
  windows_[h] = {&model, false};
  return h;
}

void HeadlessDialogs::setVisible(WindowHandle window, bool visible) {
  if (auto it = windows_.find(window); it != windows_.end()) it->second.visible = visible;
}

bool HeadlessDialogs::isVisible(WindowHandle window) {
  const auto it = windows_.find(window);
  return it != windows_.end() && it->second.visible;
}

Rect HeadlessDialogs::geometry(WindowHandle window) {
  const auto it = windows_.find(window);
  return it == windows_.end() ? Rect{} : it->second.model->geometry;
}

int HeadlessDialogs::runModal(WindowModel& model) {
  std::fprintf(stderr, "zelvor: [%s] closed at once: no display\n", model.title.c_str());
  return 0;
}

std::unique_ptr<HeadlessDesktop> HeadlessDesktop::create(std::FILE* log, std::string& error) {
  auto loop = HeadlessLoop::create(error);
  if (!loop) return nullptr;
  return std::unique_ptr<HeadlessDesktop>(new HeadlessDesktop(std::move(loop), log));
}

}  // namespace zelvor
