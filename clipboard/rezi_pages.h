#pragma once
// Rezi Zovidaraz's pages of the configuration window: "Opciones"
// (CReziZovidarazDlg2) and the predefined texts, a list edited with add,
// separator, delete, up and down, whose selected text shows the fields of
// CReziZovidarazDlg3 ("Descripción:", "Texto:").

#include <string_view>
#include <vector>

#include "clipboard/predefined_texts.h"
#include "shell/config/conf_dialog.h"

namespace zelvor {

inline constexpr std::string_view kReziOptionsPageTitle = "Opciones";
inline constexpr std::string_view kReziTextsPageTitle = "Textos predefinidos";

class CReziZovidarazDlg2 final : public CConfDialog {
 public:
  explicit CReziZovidarazDlg2(int firstId) : CConfDialog(firstId) {}
  enum : int { kStartOff = 1, kOnlyVisible = 2, kClearOnClose = 3, kSave = 4, kLimitOn = 5, kLimit = 6 };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
};

class CReziZovidarazDlg3 final : public CConfDialog {
 public:
  explicit CReziZovidarazDlg3(int firstId) : CConfDialog(firstId) {}
  enum : int {
    kList = 1,
    kAdd = 2,
    kAddSeparator = 3,
    kDelete = 4,
    kUp = 5,
    kDown = 6,
    kFields = 10,
    kDescription = 11,
    kText = 12,
  };

  Control Build() override;
  void Load(const ConfigStore& store, Control& root) override;
  bool OnEvent(const ControlEvent& event, Control& root) override;
  void Save(ConfigStore& store, Control& root) override;
  [[nodiscard]] const std::vector<clip::TextItem>& items() const { return items_; }

 private:
  void Show(Control& root);
  [[nodiscard]] int Selected(const Control& root) const;

  std::vector<clip::TextItem> items_;
  int selected_ = -1;
};

}  // namespace zelvor
