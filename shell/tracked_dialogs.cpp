#include "shell/tracked_dialogs.h"

#include <algorithm>

namespace zelvor {

WindowHandle TrackedDialogs::create(WindowModel& model) {
  const WindowHandle h = host_.create(model);
  if (h != kNoWindow) windows_[h] = &model;
  return h;
}

void TrackedDialogs::destroy(WindowHandle window) {
  windows_.erase(window);
  host_.destroy(window);
}

int TrackedDialogs::runModal(WindowModel& model) {
  modals_.push_back(&model);
  const int code = host_.runModal(model);
  std::erase(modals_, &model);
  return code;
}

WindowModel* TrackedDialogs::model(WindowHandle window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

std::vector<TrackedDialogs::Entry> TrackedDialogs::windows() const {
  std::vector<Entry> out;
  for (const auto& [h, m] : windows_) out.push_back({h, m});
  for (WindowModel* m : modals_) out.push_back({kNoWindow, m});
  return out;
}

}  // namespace zelvor
