// Rezi Zovidaraz's pages in the configuration window of the assembled
// suite: the options, and the predefined texts edited and applied.

#include <gtest/gtest.h>

#include "clipboard/predefined_texts.h"
#include "clipboard/rezi_pages.h"
#include "shell/config/conf_dlg.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "tests/support/suite_config_page.h"

namespace zelvor {
namespace {

class ReziPagesTest : public testing::SuiteConfigPageTest {
 protected:
  CConfDlg& open(std::string_view title) { return openPage(UtilityKind::ReziZovidaraz, title); }
  [[nodiscard]] int setting(std::string_view name) { return app->store().ReadConfigInt("ReziZovidaraz", name); }
};

TEST_F(ReziPagesTest, OptionsShowTheStoreAndWriteTheLimitOnlyWhenChecked) {
  CConfDlg& w = open(kReziOptionsPageTitle);
  using P = CReziZovidarazDlg2;
  EXPECT_TRUE(w.find(id(P::kLimitOn))->checked);
  EXPECT_EQ(w.find(id(P::kLimit))->value, 15);
  EXPECT_FALSE(w.find(id(P::kSave))->checked);
  user->click(id(P::kSave));
  user->click(id(P::kOnlyVisible));
  user->setValue(id(P::kLimit), 40);
  ASSERT_TRUE(w.ApplyConfiguration());
  EXPECT_EQ(setting("SalvarPortapapeles"), 1);
  EXPECT_EQ(setting("AgregarVisible"), 1);
  EXPECT_EQ(setting("MaximoPortapapeles"), 40);
  user->click(id(P::kLimitOn));
  EXPECT_FALSE(w.find(id(P::kLimit))->enabled);
  ASSERT_TRUE(w.ApplyConfiguration());
  EXPECT_EQ(setting("MaximoPortapapeles"), 0);
}

TEST_F(ReziPagesTest, TextsAreAddedMovedDeletedAndAppliedWhole) {
  clip::SaveTexts(app->store(), {{false, "Firma", "Un saludo"}, {false, "Viejo", "x"}, {false, "Tercero", "y"}});
  CConfDlg& w = open(kReziTextsPageTitle);
  using P = CReziZovidarazDlg3;
  EXPECT_EQ(user->rows(id(P::kList)),
            (std::vector<std::vector<std::string>>{{"Firma"}, {"Viejo"}, {"Tercero"}}));
  EXPECT_EQ(w.find(id(P::kText))->text, "Un saludo");
  // A separator after the first text, then a new text after it, renamed.
  user->click(id(P::kAddSeparator));
  EXPECT_FALSE(w.find(id(P::kFields))->visible);
  user->click(id(P::kAdd));
  user->type(id(P::kDescription), "Dirección");
  user->type(id(P::kText), "Calle Mayor 1\r\nMadrid");
  EXPECT_EQ(user->rows(id(P::kList))[2], std::vector<std::string>{"Dirección"});
  user->click(id(P::kUp));
  user->selectRow(id(P::kList), 4);
  user->click(id(P::kDelete));
  ASSERT_TRUE(w.ApplyConfiguration());
  const std::vector<clip::TextItem> stored = clip::LoadTexts(app->store());
  EXPECT_EQ(stored, (std::vector<clip::TextItem>{{false, "Firma", "Un saludo"},
                                                 {false, "Dirección", "Calle Mayor 1\r\nMadrid"},
                                                 {true, "", ""},
                                                 {false, "Viejo", "x"}}));
  // The stale fifth sub-key stays, unread; the menu follows the new list.
  EXPECT_EQ(clip::TextOf(app->store(), 5), std::nullopt);
  app->mainWindow()->RunUtilityCommand(UtilityKind::ReziZovidaraz, 0);
  const Menu* menu = desk.menus.openMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->items.back().text, "Viejo");
  EXPECT_EQ(menu->items[menu->items.size() - 2].kind, MenuItem::Kind::Separator);
}

}  // namespace
}  // namespace zelvor
