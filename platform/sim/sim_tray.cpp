#include "platform/sim/sim_tray.h"

#include "platform/messages.h"

namespace zelvor {

bool SimTray::add(int iconId, const ImageRef& image, const std::string& tip) {
  log.push_back("add " + std::to_string(iconId));
  if (!present || icons_.contains(iconId)) return false;
  icons_[iconId] = {image, tip};
  return true;
}

bool SimTray::modify(int iconId, const ImageRef& image, const std::string& tip) {
  log.push_back("modify " + std::to_string(iconId));
  const auto it = icons_.find(iconId);
  if (it == icons_.end()) return false;
  it->second = {image, tip};
  return true;
}

void SimTray::remove(int iconId) {
  log.push_back("remove " + std::to_string(iconId));
  icons_.erase(iconId);
}

bool SimTray::mouse(int iconId, std::uint32_t mouseMessage) {
  if (!icons_.contains(iconId)) return false;
  loop_.post(target_, msg::TrayIcon, iconId, static_cast<std::intptr_t>(mouseMessage));
  return true;
}

const SimTray::Icon* SimTray::icon(int iconId) const {
  const auto it = icons_.find(iconId);
  return it == icons_.end() ? nullptr : &it->second;
}

std::vector<int> SimTray::ids() const {
  std::vector<int> out;
  for (const auto& [id, icon] : icons_) out.push_back(id);
  return out;
}

}  // namespace zelvor
