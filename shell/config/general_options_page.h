#pragma once
// The root node's page: the suite's general options ("Opciones") and the
// icon bar's settings ("Barra de iconos").

#include "shell/config/conf_dialog.h"

namespace zelvor {

class CZelvorApp;

class GeneralOptionsPage final : public CConfDialog {
 public:
  GeneralOptionsPage(CZelvorApp& app, int firstId);

  enum : int {
    kTabs = 1,
    // "Opciones"
    kRunAtLogin = 10,
    kAutoUpdate,
    kMenuStyle,
    kTooltipStyle,
    kShowIcon,
    kIconList,
    kHideIcon,
    // "Barra de iconos"
    kInTray = 30,
    kInBar,
    kDirection,
    kPosition,
    kCellSize,
    kShowOnlyWhen,
    kShowMode,
    kBarHotkey,
    kHideAfter,
    kHideSeconds,
    kHideOnSelect,
    kShowAtStart,
  };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;
  [[nodiscard]] ApplyEffects Effects() const override { return {true, true, true}; }

 private:
  void ApplyEnabling(Control& root);
  [[nodiscard]] Control BuildOptions() const;
  [[nodiscard]] Control BuildBar() const;

  CZelvorApp& app_;
};

}  // namespace zelvor
