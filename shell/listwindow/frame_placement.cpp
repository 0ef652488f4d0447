#include "shell/listwindow/frame_placement.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "shell/store/reg_key_ex.h"

namespace zelvor {

FramePlacement ReadFramePlacement(const CRegKeyEx* key, Size screen, bool opacityWorks) {
  int width = 700, height = 300;
  int left = (screen.width - width) / 2, top = (screen.height - height) / 2;
  FramePlacement placement;
  if (key != nullptr) {
    const auto dword = [&](std::string_view name, int& into) {
      if (const auto v = key->GetDword(name)) into = static_cast<int>(*v);
    };
    dword("Left", left);
    dword("Top", top);
    dword("Width", width);
    dword("Height", height);
    placement.topmost = key->GetInt("SiempreVisible") == 1;
    placement.transparency = key->GetInt("Transparencia");
  }
  placement.geometry = {left, top, left + std::max(width, 0), top + std::max(height, 0)};
  if (!IsFrameTransparency(placement.transparency) || !opacityWorks) placement.transparency = 0;
  return placement;
}

void WriteFramePlacement(CRegKeyEx& key, const FramePlacement& placement) {
  const Rect& g = placement.geometry;
  key.SetDword("Left", static_cast<std::uint32_t>(g.left));
  key.SetDword("Top", static_cast<std::uint32_t>(g.top));
  key.SetDword("Width", static_cast<std::uint32_t>(g.width()));
  key.SetDword("Height", static_cast<std::uint32_t>(g.height()));
  key.SetInt(placement.topmost ? 1 : 0, "SiempreVisible");
  key.SetInt(placement.transparency, "Transparencia");
}

bool IsFrameTransparency(int percent) {
  return std::find(kFrameTransparencies.begin(), kFrameTransparencies.end(), percent) != kFrameTransparencies.end();
}

MenuItem TransparencyMenu(int firstCommand, int current, bool opacityWorks) {
  std::vector<MenuItem> levels;
  for (std::size_t i = 0; i < kFrameTransparencies.size(); ++i) {
    MenuItem level = MenuItem::command(firstCommand + static_cast<int>(i), std::to_string(kFrameTransparencies[i]) + " %");
    level.checked = current == kFrameTransparencies[i];
    level.grayed = !opacityWorks;
    levels.push_back(std::move(level));
  }
  MenuItem menu = MenuItem::submenu("&Transparencia", std::move(levels));
  menu.grayed = !opacityWorks;
  return menu;
}

}  // namespace zelvor
