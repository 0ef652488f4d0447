#pragma once
// The two launcher utilities as the shell hosts them: Vazi Duzidarud runs
// the left or right program of a shortcut icon, Raro Darid opens a menu of
// program entries at the pointer and runs the item chosen. Both read their
// lists from the store at each use, so they always run what is stored.

#include <optional>
#include <string>
#include <string_view>

#include "launchers/entry_lists.h"
#include "launchers/launch_plan.h"
#include "platform/menu_host.h"
#include "shell/utility.h"

namespace zelvor {

class CZelvorApp;

// Asks for the arguments of an entry that wants them, in the input box.
class InputBoxPrompt final : public ArgumentPrompt {
 public:
  explicit InputBoxPrompt(CZelvorApp& app) : app_(app) {}
  std::optional<std::string> AskArguments(std::string_view title, std::string_view text,
                                          std::string_view initial) override;

 private:
  CZelvorApp& app_;
};

class CVaziDuzidarud final : public Utility {
 public:
  explicit CVaziDuzidarud(CZelvorApp& app);
  void command(int code, std::string_view text) override { (void)code, (void)text; }
  // list: the shortcut (1-based); item 1 runs its left program, 2 its right one.
  void runEntry(int list, int item) override;

 private:
  CZelvorApp& app_;
  InputBoxPrompt prompt_;
};

class CRaroDarid final : public Utility {
 public:
  explicit CRaroDarid(CZelvorApp& app);
  void command(int code, std::string_view text) override { (void)code, (void)text; }
  // list: the menu (1-based); item 0 opens it, n runs its item n.
  void runEntry(int list, int item) override;

  // The menu of Raro Darid menu n (1-based) as it opens.
  [[nodiscard]] static Menu BuildMenu(const LauncherMenu& menu, int n);
  // The menu's title: its description, cut when it is long for the items.
  [[nodiscard]] static std::string MenuTitle(const std::string& description, int items);

 private:
  CZelvorApp& app_;
  InputBoxPrompt prompt_;
};

// The first item id of menu n; item i is this + i.
[[nodiscard]] constexpr int MenuItemCommandBase(int n) { return 2000 + 100 * (n - 1); }

}  // namespace zelvor
