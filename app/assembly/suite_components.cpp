#include "app/assembly/suite_components.h"

#include "shell/config/conf_dlg.h"

namespace zelvor {

ConfigTree SuiteConfigTree() { return ShellConfigTree(); }

std::unique_ptr<Utility> SuiteComponents::createUtility(UtilityKind kind, CZelvorApp& app) {
  (void)kind, (void)app;
  // No utility's component is built yet: their icons show and do nothing.
  return nullptr;
}

std::unique_ptr<ShellWindow> SuiteComponents::createWindow(WindowKind kind, CZelvorApp& app) {
  switch (kind) {
    case WindowKind::Config: return std::make_unique<CConfDlg>(app, SuiteConfigTree());
    default: return nullptr;
  }
}

}  // namespace zelvor
