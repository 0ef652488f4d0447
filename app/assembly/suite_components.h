#pragma once
// The one place that knows every component of the suite: the utilities'
// objects, the shell's windows and the configuration window's pages. A new
// utility adds its object and its pages here.

#include <memory>
#include <string>

#include "shell/config/config_tree.h"
#include "shell/utility.h"

namespace zelvor {

// The configuration window's tree with the pages of every component built.
[[nodiscard]] ConfigTree SuiteConfigTree();

class SuiteComponents final : public UtilityFactory {
 public:
  // version: the program's version, shown by the about box.
  explicit SuiteComponents(std::string version) : version_(std::move(version)) {}

  std::unique_ptr<Utility> createUtility(UtilityKind kind, CZelvorApp& app) override;
  std::unique_ptr<ShellWindow> createWindow(WindowKind kind, CZelvorApp& app) override;

 private:
  std::string version_;
};

}  // namespace zelvor
