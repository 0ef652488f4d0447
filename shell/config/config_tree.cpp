#include "shell/config/config_tree.h"

#include <algorithm>

#include "shell/config/general_options_page.h"
#include "shell/config/hotkey_page.h"
#include "shell/config/mouse_actions_page.h"
#include "shell/hotkey_names.h"

namespace zelvor {
ConfigTree::ConfigTree() {
  nodes_.push_back({"Zelvor", std::nullopt, {}});
  for (UtilityKind k : kListOrder) nodes_.push_back({std::string(info(k).title), k, {}});
}

void ConfigTree::AddPage(std::optional<UtilityKind> utility, std::string title, PageMaker make) {
  const auto it = std::find_if(nodes_.begin(), nodes_.end(), [&](const ConfigNode& n) { return n.utility == utility; });
  if (it != nodes_.end()) it->pages.push_back({std::move(title), std::move(make)});
}

void ConfigTree::AddPageBefore(UtilityKind utility, std::string_view before, std::string title, PageMaker make) {
  const auto node = std::find_if(nodes_.begin(), nodes_.end(), [&](const ConfigNode& n) { return n.utility == utility; });
  if (node == nodes_.end()) return;
  auto& pages = node->pages;
  const auto at = std::find_if(pages.begin(), pages.end(), [&](const ConfigPageSpec& p) { return p.title == before; });
  pages.insert(at, {std::move(title), std::move(make)});
}

ConfigTree ShellConfigTree() {
  ConfigTree tree;
  tree.AddPage(std::nullopt, "Zelvor",
               [](CZelvorApp& app, int firstId) { return std::make_unique<GeneralOptionsPage>(app, firstId); });
  for (UtilityKind k : kListOrder) {
    if (!MouseActionsFor(k).texts.empty()) {
      tree.AddPage(k, "Acciones del ratón",
                   [k](CZelvorApp&, int firstId) { return std::make_unique<MouseActionsPage>(firstId, k); });
    }
    if (!HotkeyCommands(k).empty()) {
      tree.AddPage(k, std::string(kHotkeyPageTitle), [k](CZelvorApp& app, int firstId) {
        return std::make_unique<CHotKeyConfig>(app, firstId, std::string(info(k).key), info(k).iconId,
                                               HotkeyCommands(k));
      });
    }
  }
  return tree;
}

}  // namespace zelvor
