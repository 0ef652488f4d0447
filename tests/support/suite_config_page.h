#pragma once
// The assembled suite with its configuration window open at one page, and a
// user who acts on it: the fixture of every utility's page tests.

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "shell/config/conf_dlg.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "tests/support/sim_suite.h"
#include "tests/support/sim_user.h"

namespace zelvor::testing {

class SuiteConfigPageTest : public SimSuiteTest {
 protected:
  // Chooses "Configurar..." and shows the page, as a click in the tree does.
  CConfDlg& openPage(UtilityKind utility, std::string_view title) {
    app->mainWindow()->OnMenuCommand(menu_id::Configure);
    desk.loop.deliverPosted();
    auto* w = dynamic_cast<CConfDlg*>(app->window(WindowKind::Config));
    EXPECT_NE(w, nullptr);
    user.emplace(*w);
    const auto index = w->FindPage(utility, title);
    EXPECT_TRUE(index.has_value()) << title;
    page_ = static_cast<int>(index.value_or(0));
    w->SelectPage(*index);
    return *w;
  }
  // The window's id of the open page's control local.
  [[nodiscard]] int id(int local) const { return CConfDlg::kFirstPageId + page_ * CConfDialog::kIdSpan + local; }

  std::optional<SimUser> user;

 private:
  int page_ = 0;
};

}  // namespace zelvor::testing
