// The configuration window on the Qt desktop: the toggles are real toggle
// buttons, a click in the tree shows another page, the hotkey field takes
// a combination and "Apli&car" stores it.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <memory>
#include <optional>

#include "app/assembly/suite_components.h"
#include "launchers/entry_list_page.h"
#include "platform/qt/control_custom.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/config/conf_dlg.h"
#include "shell/config/hotkey_page.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"
#include "tests/qt/qt_test_support.h"
#include "tests/support/sandbox.h"

namespace zelvor {
namespace {

using testing::sharedDesktop;
using testing::waitUntil;

template <typename W>
W* Widget(ModelWindow& window, int id) {
  W* w = qobject_cast<W*>(window.widgetFor(id));
  if (w == nullptr) ADD_FAILURE() << "no widget for control " << id;
  return w;
}

// A whole suite, as the program assembles it, on the Qt desktop; the store
// is the simulated one, in a sandbox.
class QtConfigWindow : public ::testing::Test {
 protected:
  QtConfigWindow() : sim(sandbox.root()), instance(world, 7), components("test") {
    // Programs are found in the sandbox only.
    options.environment = [this](std::string_view name) -> std::optional<std::string> {
      if (name == "PATH") return sandbox.path("bin");
      return std::nullopt;
    };
    app = std::make_unique<CZelvorApp>(sim.platform(), d.desktop(), instance, components, options);
    EXPECT_TRUE(app->InitInstance({}).running);
  }

  QtDesktop& d = sharedDesktop();
  testing::Sandbox sandbox;
  SimPlatform sim;
  SimInstanceWorld world;
  SimSingleInstance instance;
  SuiteComponents components;
  AppOptions options;
  std::unique_ptr<CZelvorApp> app;
};

TEST_F(QtConfigWindow, TogglesTreeAndHotkeyFieldDriveTheWindow) {
  app->mainWindow()->OnMenuCommand(menu_id::Configure);
  auto* config = dynamic_cast<CConfDlg*>(app->window(WindowKind::Config));
  ASSERT_NE(config, nullptr);
  ModelWindow* w = d.dialogs().window(config->handle());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle().toStdString(), "Configuración de Zelvor");

  // A toggle is a toggle button that shows its utility's flag.
  auto* vada = Widget<QPushButton>(*w, CConfDlg::kFirstToggle + 2);
  ASSERT_NE(vada, nullptr);
  EXPECT_TRUE(vada->isCheckable());
  EXPECT_TRUE(vada->isChecked());
  EXPECT_EQ(vada->toolTip().toStdString(), "Mostrar/Quitar Vada VU");
  auto* apply = Widget<QPushButton>(*w, CConfDlg::kApply);
  EXPECT_FALSE(apply->isEnabled());
  QTest::mouseClick(vada, Qt::LeftButton);
  EXPECT_FALSE(config->root.find(CConfDlg::kFirstToggle + 2)->checked);
  EXPECT_TRUE(waitUntil([&] { return apply->isEnabled(); }));

  // Choosing Duvu Zevad's hotkey page in the tree shows it.
  auto* tree = Widget<QTreeWidget>(*w, CConfDlg::kTree);
  QTreeWidgetItem* duvu = nullptr;
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    if (tree->topLevelItem(i)->text(0) == QStringLiteral("Duvu Zevad")) duvu = tree->topLevelItem(i);
  }
  ASSERT_NE(duvu, nullptr);
  QTreeWidgetItem* hotkeys = nullptr;
  for (int i = 0; i < duvu->childCount(); ++i) {
    if (duvu->child(i)->text(0) == QStringLiteral("Teclas de acceso rápido")) hotkeys = duvu->child(i);
  }
  ASSERT_NE(hotkeys, nullptr);
  tree->setCurrentItem(hotkeys);
  const auto page = config->FindPage(UtilityKind::DuvuZevad, "Teclas de acceso rápido");
  ASSERT_TRUE(page.has_value());
  ASSERT_TRUE(waitUntil([&] { return config->SelectedPage() == *page; }));
  const int first = CConfDlg::kFirstPageId + static_cast<int>(*page) * CConfDialog::kIdSpan;
  ASSERT_TRUE(waitUntil([&] { return w->widgetFor(first + CHotKeyConfig::kField) != nullptr; }));

  // Showing a page for the first time adds its controls: the window is
  // built anew, so every widget is looked up again.
  apply = Widget<QPushButton>(*w, CConfDlg::kApply);
  ASSERT_TRUE(waitUntil([&] { return apply->isVisible(); }));
  // The field takes Ctrl+Alt+N from the keyboard; "Establecer" and "Apli&car" store it.
  auto* field = dynamic_cast<HotkeyEdit*>(w->widgetFor(first + CHotKeyConfig::kField));
  ASSERT_NE(field, nullptr);
  QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
  QTest::mouseClick(Widget<QPushButton>(*w, first + CHotKeyConfig::kSet), Qt::LeftButton);
  QTest::mouseClick(apply, Qt::LeftButton);
  CRegKeyEx key(sim.registry);
  ASSERT_EQ(key.Open(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")), RegStatus::Ok);
  EXPECT_EQ(key.GetDword("HotKey1"), 0x34Eu);
  EXPECT_EQ(app->store().ReadConfigString("VadaVU", ""), "0");
  // "Cancelar" closes it; the main window deletes it on the closed message.
  QTest::mouseClick(Widget<QPushButton>(*w, CConfDlg::kCancel), Qt::LeftButton);
  EXPECT_TRUE(waitUntil([&] { return app->window(WindowKind::Config) == nullptr; }));
}

TEST_F(QtConfigWindow, TheMenuEditorAddsAnItemThatTheStoredMenuHolds) {
  // One menu whose items exist on any machine.
  LauncherMenu menu;
  menu.description = "Programas";
  menu.items = {{false, {}, {}}};
  menu.items[0].entry.description = "Shell";
  menu.items[0].entry.program = "/bin/sh";
  ASSERT_EQ(SaveMenus(sim.registry, {menu}), RegStatus::Ok);
  app->mainWindow()->OnMenuCommand(menu_id::Configure);
  auto* config = dynamic_cast<CConfDlg*>(app->window(WindowKind::Config));
  ASSERT_NE(config, nullptr);
  ModelWindow* w = d.dialogs().window(config->handle());
  ASSERT_NE(w, nullptr);
  const auto page = config->FindPage(UtilityKind::RaroDarid, kMenusPageTitle);
  ASSERT_TRUE(page.has_value());
  config->SelectPage(*page);
  const int first = CConfDlg::kFirstPageId + static_cast<int>(*page) * CConfDialog::kIdSpan;
  ASSERT_TRUE(waitUntil([&] { return w->widgetFor(first + CEntryListPage::kTree) != nullptr; }));

  // The user picks the item in the list's tree and adds one after it.
  auto* tree = Widget<QTreeWidget>(*w, first + CEntryListPage::kTree);
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  tree->setCurrentItem(tree->topLevelItem(0)->child(0));
  ASSERT_TRUE(waitUntil([&] {
    auto* program = qobject_cast<QLineEdit*>(w->widgetFor(first + CEntryListPage::kProgram));
    return program != nullptr && program->isVisible() && program->text() == QStringLiteral("/bin/sh");
  }));
  QTest::mouseClick(Widget<QPushButton>(*w, first + CEntryListPage::kAddItem), Qt::LeftButton);
  ASSERT_TRUE(waitUntil([&] {
    auto* t = qobject_cast<QTreeWidget*>(w->widgetFor(first + CEntryListPage::kTree));
    return t != nullptr && t->topLevelItemCount() == 1 && t->topLevelItem(0)->childCount() == 2;
  }));
  // The new item has no key: the field says so; the tree shows the suite's image for an item without a program.
  auto* hotkey = dynamic_cast<HotkeyEdit*>(w->widgetFor(first + CEntryListPage::kHotkey));
  ASSERT_NE(hotkey, nullptr);
  EXPECT_EQ(hotkey->text(), QStringLiteral("<Ninguno>"));
  tree = Widget<QTreeWidget>(*w, first + CEntryListPage::kTree);
  EXPECT_FALSE(tree->topLevelItem(0)->child(0)->icon(0).isNull());
  EXPECT_FALSE(tree->topLevelItem(0)->child(1)->icon(0).isNull());
  // A built-in choice fills the item with its installed program; the user then names it and gives another.
  sandbox.write("bin/gnome-control-center", "#!/bin/sh\n");
  auto* description = Widget<QComboBox>(*w, first + CEntryListPage::kDescription);
  ASSERT_NE(description, nullptr);
  ASSERT_TRUE(description->isEditable());
  const int choice = description->findText(QStringLiteral("Pantalla"));
  ASSERT_GE(choice, 0);
  description->setCurrentIndex(choice);
  emit description->activated(choice);
  auto* arguments = Widget<QLineEdit>(*w, first + CEntryListPage::kArguments);
  ASSERT_TRUE(waitUntil([&] { return arguments->text() == QStringLiteral("display"); }));
  EXPECT_EQ(description->currentText(), QStringLiteral("Pantalla"));
  EXPECT_EQ(Widget<QLineEdit>(*w, first + CEntryListPage::kProgram)->text().toStdString(),
            sandbox.path("bin/gnome-control-center"));
  auto* program = Widget<QLineEdit>(*w, first + CEntryListPage::kProgram);
  ASSERT_NE(program, nullptr);
  description->lineEdit()->selectAll();
  QTest::keyClicks(description->lineEdit(), "Otro");
  program->selectAll();
  QTest::keyClicks(program, "/bin/sh");
  // A key typed into the field replaces the text; Backspace brings it back.
  QTest::keyClick(hotkey, Qt::Key_E, Qt::ControlModifier);
  ASSERT_TRUE(waitUntil([&] { return hotkey->text() != QStringLiteral("<Ninguno>"); }));
  QTest::keyClick(hotkey, Qt::Key_Backspace);
  ASSERT_TRUE(waitUntil([&] { return hotkey->text() == QStringLiteral("<Ninguno>"); }));
  auto* apply = Widget<QPushButton>(*w, CConfDlg::kApply);
  ASSERT_TRUE(waitUntil([&] { return apply->isEnabled(); }));
  QTest::mouseClick(apply, Qt::LeftButton);
  ASSERT_TRUE(waitUntil([&] { return LoadMenus(sim.registry).at(0).items.size() == 2; }));
  const std::vector<LauncherMenu> stored = LoadMenus(sim.registry);
  EXPECT_EQ(stored[0].items[1].entry.description, "Otro");
  EXPECT_EQ(stored[0].items[1].entry.program, "/bin/sh");
  EXPECT_EQ(stored[0].items[1].entry.arguments, "display");
  EXPECT_EQ(stored[0].items[1].icon, (IconRecord{"preferences-desktop-display", 0}));
  EXPECT_EQ(stored[0].items[1].entry.hotkey, 0u);
  QTest::mouseClick(Widget<QPushButton>(*w, CConfDlg::kCancel), Qt::LeftButton);
  EXPECT_TRUE(waitUntil([&] { return app->window(WindowKind::Config) == nullptr; }));
}

}  // namespace
}  // namespace zelvor
