#pragma once
// The suite on the simulated desktop with the real configuration window,
// and a user who acts on it.

#include <optional>

#include "shell/config/conf_dlg.h"
#include "shell/shell_menus.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/sim_user.h"

namespace zelvor::testing {

class ConfigTest : public ShellTest {
 protected:
  ConfigTest() {
    factory.all();
    factory.makeWindow = [](WindowKind kind, CZelvorApp& a) -> std::unique_ptr<ShellWindow> {
      if (kind != WindowKind::Config) return nullptr;
      return std::make_unique<CConfDlg>(a, ShellConfigTree());
    };
  }

  // Starts the suite (when not running) and chooses "Configurar..." in the product menu.
  CConfDlg& openConfig() {
    if (!app) {
      EXPECT_TRUE(start().running);
    }
    main().OnMenuCommand(menu_id::Configure);
    desk.loop.deliverPosted();
    auto* w = dynamic_cast<CConfDlg*>(app->window(WindowKind::Config));
    EXPECT_NE(w, nullptr);
    user.emplace(*w);
    return *w;
  }
  [[nodiscard]] CConfDlg* config() { return dynamic_cast<CConfDlg*>(app->window(WindowKind::Config)); }
  // Shows a page by its node and title, as a click in the tree does.
  void showPage(std::optional<UtilityKind> utility, std::string_view title) {
    const auto index = config()->FindPage(utility, title);
    ASSERT_TRUE(index.has_value()) << title;
    config()->SelectPage(*index);
  }
  [[nodiscard]] int pageId(std::optional<UtilityKind> utility, std::string_view title, int local) {
    const auto index = config()->FindPage(utility, title);
    EXPECT_TRUE(index.has_value()) << title;
    return CConfDlg::kFirstPageId + static_cast<int>(index.value_or(0)) * CConfDialog::kIdSpan + local;
  }
  [[nodiscard]] std::optional<std::uint32_t> dword(std::string_view sub, std::string_view name) {
    CRegKeyEx k(sim.registry);
    if (k.Open(Hive::CurrentUser, ConfigStore::KeyPath(sub)) != RegStatus::Ok) return std::nullopt;
    return k.GetDword(name);
  }

  std::optional<SimUser> user;
};

}  // namespace zelvor::testing
