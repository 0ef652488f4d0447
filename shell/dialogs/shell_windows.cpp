#include "shell/dialogs/shell_windows.h"

#include "shell/dialogs/about_dlg.h"
#include "shell/dialogs/tip_dlg.h"

namespace zelvor {

std::unique_ptr<ShellWindow> MakeTipWindow(CZelvorApp& app) { return std::make_unique<CTipDlg>(app); }

std::unique_ptr<ShellWindow> MakeAboutWindow(CZelvorApp& app, std::string version) {
  return std::make_unique<CAboutDlg>(app, std::move(version));
}

}  // namespace zelvor
