#pragma once
// "Teclas de acceso rápido": one row per hotkey command of a utility, the
// key combination of the selected row in a hotkey field, "Establecer" to
// give it to the row. Saving writes every row and registers the bindings
// at once.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/config/conf_dialog.h"
#include "shell/utilities.h"

namespace zelvor {

class CZelvorApp;

class CHotKeyConfig final : public CConfDialog {
 public:
  // ownerKey: the owner's key below the root; iconId: the high part of the
  // rows' hotkey ids; rows: the commands, row k running command k.
  CHotKeyConfig(CZelvorApp& app, int firstId, std::string ownerKey, int iconId,
                std::span<const std::string_view> rows);

  enum : int { kList = 1, kField = 2, kSet = 3, kNotice = 4 };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  void Saved(Control& root) override;

  // The binding each row holds now (registration form).
  [[nodiscard]] const std::vector<std::uint32_t>& Values() const { return values_; }

 private:
  void ShowRow(Control& root, int row);
  [[nodiscard]] std::string DesktopShortcutLine(int row) const;

  CZelvorApp& app_;
  std::string ownerKey_;
  int iconId_;
  std::vector<std::string> rows_;
  std::vector<std::uint32_t> values_;
};

}  // namespace zelvor
