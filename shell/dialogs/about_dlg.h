#pragma once
// The about box: the product's name and version above a few lines of
// credits.

#include <string>

#include "shell/modeless_window.h"

namespace zelvor {

namespace about_control {
inline constexpr int Icon = 1;
inline constexpr int Product = 2;
inline constexpr int Credits = 3;
inline constexpr int Ok = 4;
}  // namespace about_control

class CAboutDlg : public ModelessWindow {
 public:
  // version: the build's version ("0.1.0"), which the program's assembly knows.
  CAboutDlg(CZelvorApp& app, std::string version);

  void onEvent(const ControlEvent& event) override;

 protected:
  void Build() override;

 private:
  std::string version_;
};

// The credits text under the product line.
[[nodiscard]] const char* AboutCredits();

}  // namespace zelvor
