// Zivi Duvaza's "Opciones" page in the configuration window of the
// assembled suite: it shows the stored values, inserts macros, and its
// graph settings reach the usage graph on "Aplicar".

#include <gtest/gtest.h>

#include "shell/config/conf_dlg.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "system/window/usage_graph.h"
#include "system/window/zivi_pages.h"
#include "tests/support/suite_config_page.h"

namespace zelvor {
namespace {

class ZiviPageTest : public testing::SuiteConfigPageTest {
 protected:
  CConfDlg& open() { return openPage(UtilityKind::ZiviDuvaza, kZiviOptionsPageTitle); }
};

TEST_F(ZiviPageTest, ShowsTheDefaultsAndWritesWhatTheUserChanged) {
  CConfDlg& w = open();
  using P = CZiviDuvazaDlg;
  EXPECT_EQ(w.find(id(P::kMemory))->value, 512);
  EXPECT_EQ(w.find(id(P::kMemoryUnit))->value, 0);
  EXPECT_EQ(w.find(id(P::kDisk))->value, 15);
  EXPECT_TRUE(w.find(id(P::kShowText))->checked);
  EXPECT_EQ(w.find(id(P::kText))->text, "Memoria física libre: $MFL$|Archivo de swap usado: $AIU$|Uso de CPU: $CPU$");
  EXPECT_TRUE(w.find(id(P::kMiniature))->checked);
  EXPECT_FALSE(w.find(id(P::kTransparent))->checked);
  EXPECT_EQ(w.find(id(P::kBackground))->colour, 0x00400000u);
  EXPECT_EQ(w.find(id(P::kCpuColour))->colour, 0x0000ff00u);

  user->setValue(id(P::kMemory), 20);
  user->choose(id(P::kMemoryUnit), 1);
  user->type(id(P::kText), "Libre: ");
  // "Memoria física libre", then "Salto de línea", then "Uso de CPU".
  const auto entries = IconTextMenuEntries();
  ASSERT_EQ(entries.size(), 11u);
  EXPECT_EQ(entries[0], (std::pair<std::string, std::string>{"Salto de línea", "|"}));
  user->choose(id(P::kMacro), 3);
  user->click(id(P::kInsertMacro));
  user->choose(id(P::kMacro), 0);
  user->click(id(P::kInsertMacro));
  user->choose(id(P::kMacro), 1);
  user->click(id(P::kInsertMacro));
  EXPECT_EQ(w.find(id(P::kText))->text, "Libre: $MFL$|$CPU$");
  user->click(id(P::kMiniature));
  user->click(id(P::kTransparent));
  user->choose(id(P::kTransparency), 2);
  ASSERT_TRUE(w.ApplyConfiguration());
  const ConfigStore& s = app->store();
  EXPECT_EQ(s.ReadConfigInt("ZiviDuvaza", "MemoriaLibre"), 20);
  EXPECT_EQ(s.ReadConfigInt("ZiviDuvaza", "MedidaMem"), 1);
  EXPECT_EQ(s.ReadConfigString("ZiviDuvaza", "Texto"), "Libre: $MFL$|$CPU$");
  EXPECT_EQ(s.ReadConfigInt("ZiviDuvaza\\SysInfoGraph", "Semitransparent"), 3);
  EXPECT_EQ(s.ReadConfigInt("ZiviDuvaza\\SysInfoGraph", "MostrarGraficoEnIcono"), 0);

  // The graph took the new settings: 30 % visible, and no sampling while hidden.
  auto* graph = dynamic_cast<CSysInfoGraphDlg*>(app->window(WindowKind::UsageGraph));
  ASSERT_NE(graph, nullptr);
  EXPECT_FALSE(graph->sampling());
  EXPECT_EQ(graph->settings().opacity, desk.dialogs.canUseOpacity() ? 30 : 100);
}

}  // namespace
}  // namespace zelvor
