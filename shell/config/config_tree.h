#pragma once
// The configuration window's tree as data: the root node "Zelvor" with the
// general options, then one node per utility in a fixed order. Each
// utility's component adds its pages to its node; a node without pages is
// not shown.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/config/conf_dialog.h"
#include "shell/utilities.h"

namespace zelvor {

class CZelvorApp;

// Makes a page whose controls start at firstId.
using PageMaker = std::function<std::unique_ptr<CConfDialog>(CZelvorApp& app, int firstId)>;

struct ConfigPageSpec {
  std::string title;
  PageMaker make;
};

struct ConfigNode {
  std::string title;
  std::optional<UtilityKind> utility;  // none: the root node
  std::vector<ConfigPageSpec> pages;
};

inline constexpr std::string_view kHotkeyPageTitle = "Teclas de acceso rápido";

class ConfigTree {
 public:
  // The nodes in their fixed order, without pages.
  ConfigTree();

  void AddPage(std::optional<UtilityKind> utility, std::string title, PageMaker make);
  // Adds a page in front of the node's page titled `before` (at the end
  // when the node has none), for a utility whose pages sit between the
  // shell's.
  void AddPageBefore(UtilityKind utility, std::string_view before, std::string title, PageMaker make);
  [[nodiscard]] const std::vector<ConfigNode>& nodes() const { return nodes_; }

 private:
  std::vector<ConfigNode> nodes_;
};

// The shell's own pages: the general options, and for each utility its
// "Acciones del ratón" and "Teclas de acceso rápido" pages where it has them.
[[nodiscard]] ConfigTree ShellConfigTree();

}  // namespace zelvor
