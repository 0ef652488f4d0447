// Shows the configuration window of a whole suite on the Qt desktop so that
// a person (or a screenshot) can look at it. The store is a fresh one in a
// temporary folder, with Ctrl + Alt + N bound to "Nueva nota".
//
//   zelvor_config_demo general|bar|hotkeys|mouse|shortcuts|menus [SECONDS]

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/assembly/suite_components.h"
#include "launchers/entry_list_page.h"
#include "platform/qt/qt_desktop.h"
#include "platform/sim/sim_platform.h"
#include "platform/sim/sim_single_instance.h"
#include "shell/config/conf_dlg.h"
#include "shell/config/general_options_page.h"
#include "shell/principal_dlg.h"
#include "shell/shell_menus.h"
#include "shell/store/reg_key_ex.h"
#include "shell/zelvor_app.h"

int main(int argc, char** argv) {
  using namespace zelvor;
  const std::string what = argc > 1 ? argv[1] : "general";
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
  std::string error;
  auto desktop = QtDesktop::create(argc, argv, error);
  if (!desktop) {
    std::fprintf(stderr, "zelvor_config_demo: %s\n", error.c_str());
    return 1;
  }
  QTimer::singleShot(seconds * 1000, [] { QCoreApplication::exit(0); });

  const auto sandbox = std::filesystem::temp_directory_path() / ("zelvor-config-demo-" + std::to_string(QCoreApplication::applicationPid()));
  std::filesystem::create_directories(sandbox / "bin");
  SimPlatform sim(sandbox.string() + "/");
  SimInstanceWorld world;
  SimSingleInstance instance(world, 1);
  SuiteComponents components("demo");
  AppOptions options;
  options.environment = [](std::string_view) { return std::nullopt; };
  CZelvorApp app(sim.platform(), desktop->desktop(), instance, components, options);
  {
    ConfigStore store(sim.registry, sim.folders, sim.files);
    (void)InstallDefaults(store, {});
    store.WriteConfigInt("", root_value::SugerenciasAlInicio, 0);
    CRegKeyEx duvu(sim.registry);
    if (duvu.Create(Hive::CurrentUser, ConfigStore::KeyPath("DuvuZevad")) == RegStatus::Ok) duvu.SetDword("HotKey1", 0x34E);
  }
  if (!app.InitInstance({}).running) return 1;
  app.mainWindow()->OnMenuCommand(menu_id::Configure);
  auto* config = dynamic_cast<CConfDlg*>(app.window(WindowKind::Config));
  if (config == nullptr) return 1;
  if (what == "hotkeys" || what == "mouse") {
    const auto page = config->FindPage(UtilityKind::DuvuZevad, what == "hotkeys" ? "Teclas de acceso rápido"
                                                                                  : "Acciones del ratón");
    if (page) config->SelectPage(*page);
  } else if (what == "shortcuts" || what == "menus") {
    const auto page = what == "shortcuts" ? config->FindPage(UtilityKind::VaziDuzidarud, kShortcutsPageTitle)
                                          : config->FindPage(UtilityKind::RaroDarid, kMenusPageTitle);
    if (page) config->SelectPage(*page);
  } else if (what == "bar") {
    if (Control* tabs = config->root.find(static_cast<int>(CConfDlg::kFirstPageId) + static_cast<int>(GeneralOptionsPage::kTabs))) tabs->value = 1;
    desktop->dialogs().update(config->handle());
  }
  const int code = desktop->loop().run();
  std::filesystem::remove_all(sandbox);
  return code;
}
